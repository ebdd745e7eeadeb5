{ The IDE's options page for the wizard (Tools > Options > Environment >
  Orvalen): the expert module's path, kept in orvalen.xml in the IDE's
  configuration directory, and what the IDE loaded at its start. A changed
  path is loaded at the next start. }
unit OrvalenOptions;

{$mode objfpc}{$H+}

interface

uses
  Classes, SysUtils, Forms, StdCtrls, EditBtn, IDEOptionsIntf, IDEOptEditorIntf, LazIDEIntf,
  Laz2_XMLCfg;

type
  TOrvalenOptionsFrame = class(TAbstractIDEOptionsEditor)
    ModuleLabel: TLabel;
    ModuleEdit: TFileNameEdit;
    StateLabel: TLabel;
  public
    function GetTitle: string; override;
    procedure Setup(ADialog: TAbstractOptionsEditorDialog); override;
    procedure ReadSettings(AOptions: TAbstractIDEOptions); override;
    procedure WriteSettings(AOptions: TAbstractIDEOptions); override;
    class function SupportedOptionsClass: TAbstractIDEOptionsClass; override;
  end;

const
  ConfigFileName = 'orvalen.xml';
  ConfigModulePath = 'Module/Path';

var
  // What the IDE did with the module at its start, shown on the page.
  OrvalenModuleState: string = '';

// The path kept in the IDE's configuration, or ''.
function StoredModulePath: string;
procedure StoreModulePath(const Path: string);
procedure RegisterOrvalenOptions;

implementation

{$R *.lfm}

function ConfigFile: string;
begin
  Result := IncludeTrailingPathDelimiter(LazarusIDE.GetPrimaryConfigPath) + ConfigFileName;
end;

function StoredModulePath: string;
var
  Config: TXMLConfig;
begin
  Result := '';
  if not FileExists(ConfigFile) then
    Exit;
  Config := TXMLConfig.Create(ConfigFile);
  try
    Result := Trim(Config.GetValue(ConfigModulePath, ''));
  finally
    Config.Free;
  end;
end;

procedure StoreModulePath(const Path: string);
var
  Config: TXMLConfig;
begin
  Config := TXMLConfig.Create(ConfigFile);
  try
    Config.SetDeleteValue(ConfigModulePath, Trim(Path), '');
    Config.Flush;
  finally
    Config.Free;
  end;
end;

function TOrvalenOptionsFrame.GetTitle: string;
begin
  Result := 'Orvalen';
end;

procedure TOrvalenOptionsFrame.Setup(ADialog: TAbstractOptionsEditorDialog);
begin
  ModuleEdit.DialogTitle := 'Expert module';
end;

procedure TOrvalenOptionsFrame.ReadSettings(AOptions: TAbstractIDEOptions);
begin
  ModuleEdit.FileName := StoredModulePath;
  StateLabel.Caption := OrvalenModuleState;
end;

procedure TOrvalenOptionsFrame.WriteSettings(AOptions: TAbstractIDEOptions);
begin
  if Trim(ModuleEdit.FileName) <> StoredModulePath then
    StoreModulePath(ModuleEdit.FileName);
end;

class function TOrvalenOptionsFrame.SupportedOptionsClass: TAbstractIDEOptionsClass;
begin
  Result := IDEEditorGroups.GetByIndex(GroupEnvironment)^.GroupClass;
end;

procedure RegisterOrvalenOptions;
begin
  RegisterIDEOptionsEditor(GroupEnvironment, TOrvalenOptionsFrame, EnvOptionsFileFilters + 50);
end;

end.
