{ The wizard inside the Lazarus IDE: at start the expert module is loaded with
  tool services of this IDE, every project expert becomes an item of
  File > New... > Project and a command of the File menu, and at exit the
  module goes again.

  The module is found at the path set on the IDE's options page (kept in
  orvalen.xml in the IDE's configuration directory), else where
  DefaultModulePath finds it. A module that cannot be loaded is one line in
  the IDE's messages. }
unit OrvalenIde;

{$mode objfpc}{$H+}

interface

uses
  Classes, SysUtils, Forms, Controls, Dialogs, LazIDEIntf, ProjectIntf, MenuIntf, IDEMsgIntf,
  IDEExternToolIntf, IDEDialogs, SrcEditorIntf, IDEWindowIntf, ExtCtrls, LazLoggerBase, OrvalenBridge,
  OrvalenOptions;

type
  { The IDE's side of the contract. }
  TOrvalenIdeServices = class(TOrvalenToolServices)
  private
    FPendingProject: string;
    procedure OpenPendingProject(Data: PtrInt);
  protected
    function DoCloseProject: Boolean; override;
    function DoOpenProject(const ProjectFileName: string): Boolean; override;
    function DoGetParentHandle: PtrUInt; override;
    procedure DoRaiseException(const Msg: string); override;
  public
    destructor Destroy; override;
  end;

  { An expert of the module as an item of File > New... > Project. The IDE
    owns the descriptor; the expert is let go when the module is unloaded. }
  TOrvalenProjectDescriptor = class(TProjectDescriptor)
  private
    FExpert: TOrvalenExpert;
  protected
    function DoInitDescriptor: TModalResult; override;
  public
    function GetLocalizedName: string; override;
    function GetLocalizedDescription: string; override;
    property Expert: TOrvalenExpert read FExpert write FExpert;
  end;

  { The module's life in the IDE. }
  TOrvalenIdeHost = class
  private
    FModule: TOrvalenModule;
    FServices: TOrvalenIdeServices;
    FDescriptors: TFPList;  // TOrvalenProjectDescriptor, owned by the IDE
    FCommands: TFPList;     // TIDEMenuCommand, owned by the IDE's menu
    FRunning: Boolean;
    FLoadTimer: TTimer;
    procedure LoadWhenStarted(Sender: TObject);
    procedure IdeClosing(Sender: TObject);
    procedure MenuCommandClick(Sender: TObject);
    procedure AddExpert(Expert: TOrvalenExpert);
  public
    constructor Create;
    destructor Destroy; override;
    procedure Load;
    procedure Unload;
    procedure Execute(Expert: TOrvalenExpert);
    property Module: TOrvalenModule read FModule;
  end;

// The module's path: the one kept in the IDE's configuration, else the default.
function ConfiguredModulePath: string;
procedure Register;

var
  OrvalenHost: TOrvalenIdeHost = nil;

implementation

{$IFDEF LCLQt5}
uses
  qt5, qtwidgets;
{$ENDIF}

{$IFDEF LCLGtk2}
function gtk_widget_get_window(Widget: Pointer): Pointer; cdecl; external 'libgtk-x11-2.0.so.0';
function gdk_x11_drawable_get_xid(Drawable: Pointer): PtrUInt; cdecl;
  external 'libgdk-x11-2.0.so.0';
{$ENDIF}

const
  MessagePrefix = 'Orvalen: ';

function ConfiguredModulePath: string;
begin
  Result := StoredModulePath;
  if Result = '' then
    Result := DefaultModulePath;
end;

// One line in the IDE's messages, and on its standard output.
procedure Report(Urgency: TMessageLineUrgency; const Msg: string; const FileName: string = '');
begin
  DebugLn(MessagePrefix + Msg);
  AddIDEMessage(Urgency, MessagePrefix + Msg, FileName);
  if (IDEMessagesWindow <> nil) and (IDEWindowCreators <> nil) then
    IDEWindowCreators.ShowForm(IDEMessagesWindow, False);
end;

{ TOrvalenIdeServices }

// The question the IDE's own Project > Close Project asks about a changed project.
function TOrvalenIdeServices.DoCloseProject: Boolean;
var
  Project: TLazProject;
  Changed: Boolean;
  I: Integer;
begin
  Project := LazarusIDE.ActiveProject;
  if Project = nil then
    Exit(True);
  Changed := Project.Modified;
  if (not Changed) and (SourceEditorManagerIntf <> nil) then
    for I := 0 to SourceEditorManagerIntf.SourceEditorCount - 1 do
      Changed := Changed or SourceEditorManagerIntf.SourceEditors[I].Modified;
  if Changed then
    case IDEQuestionDialog('Project changed', Format('Save changes to project %s?',
        [Project.GetTitleOrName]), mtConfirmation,
        [mrYes, '&Save', mrNoToAll, '&Discard changes', mrAbort, 'Do &not close the project']) of
      mrYes:
        if not (LazarusIDE.DoSaveProject([]) in [mrOk, mrIgnore]) then
          Exit(False);
      mrNoToAll: ;
    else
      Exit(False);
    end;
  Result := LazarusIDE.DoCloseProject = mrOk;
end;

// The New dialog and the wizard are still open: the project is opened once
// they are gone, and DoOpenProjectFile closes whatever is open then.
function TOrvalenIdeServices.DoOpenProject(const ProjectFileName: string): Boolean;
begin
  Result := FileExists(ProjectFileName);
  if not Result then
    Exit;
  FPendingProject := ProjectFileName;
  Application.QueueAsyncCall(@OpenPendingProject, 0);
end;

// A project still to be opened when the IDE ends is forgotten.
destructor TOrvalenIdeServices.Destroy;
begin
  if Application <> nil then
    Application.RemoveAsyncCalls(Self);
  inherited Destroy;
end;

procedure TOrvalenIdeServices.OpenPendingProject(Data: PtrInt);
var
  FileName: string;
begin
  FileName := FPendingProject;
  FPendingProject := '';
  if (FileName <> '') and (LazarusIDE <> nil) then
    LazarusIDE.DoOpenProjectFile(FileName, [ofOnlyIfExists, ofAddToRecent]);
end;

// The X window of the IDE's main window; an LCL handle is the widgetset's
// object, not the window.
function TOrvalenIdeServices.DoGetParentHandle: PtrUInt;
var
  Form: TCustomForm;
begin
  Result := 0;
  Form := Application.MainForm;
  if (Form = nil) or not Form.HandleAllocated then
    Exit;
  {$IFDEF LCLGtk2}
  if gtk_widget_get_window(Pointer(Form.Handle)) <> nil then
    Result := gdk_x11_drawable_get_xid(gtk_widget_get_window(Pointer(Form.Handle)));
  {$ENDIF}
  {$IFDEF LCLQt5}
  Result := QWidget_winId(TQtWidget(Form.Handle).Widget);
  {$ENDIF}
end;

procedure TOrvalenIdeServices.DoRaiseException(const Msg: string);
begin
  IDEMessageDialog('Error', Msg, mtError, [mbOK]);
end;

{ TOrvalenProjectDescriptor }

// The wizard writes and opens the project itself: the New dialog is told to
// create nothing.
function TOrvalenProjectDescriptor.DoInitDescriptor: TModalResult;
begin
  if (FExpert <> nil) and (OrvalenHost <> nil) then
    OrvalenHost.Execute(FExpert);
  Result := mrCancel;
end;

function TOrvalenProjectDescriptor.GetLocalizedName: string;
begin
  if FExpert <> nil then
    Result := FExpert.Name
  else
    Result := Name;
end;

function TOrvalenProjectDescriptor.GetLocalizedDescription: string;
begin
  if FExpert <> nil then
    Result := FExpert.Comment
  else
    Result := '';
end;

{ TOrvalenIdeHost }

constructor TOrvalenIdeHost.Create;
begin
  FModule := TOrvalenModule.Create;
  FDescriptors := TFPList.Create;
  FCommands := TFPList.Create;
end;

// The IDE has freed the items and the menu commands by now.
destructor TOrvalenIdeHost.Destroy;
begin
  FDescriptors.Clear;
  FCommands.Clear;
  Unload;
  FLoadTimer.Free;
  FModule.Free;
  FServices.Free;  // the module's references went with it
  FDescriptors.Free;
  FCommands.Free;
  inherited Destroy;
end;

// The module asks for the main window while it starts: it is loaded once the
// IDE has started and its main window is on the screen.
procedure TOrvalenIdeHost.LoadWhenStarted(Sender: TObject);
begin
  if (LazarusIDE = nil) or not LazarusIDE.IDEStarted or (Application.MainForm = nil)
    or not Application.MainForm.HandleAllocated or not Application.MainForm.Visible then
    Exit;
  FLoadTimer.Enabled := False;
  LazarusIDE.AddHandlerOnIDEClose(@IdeClosing);
  Load;
end;

procedure TOrvalenIdeHost.Load;
var
  Path, Error: string;
  I: Integer;
begin
  Path := ConfiguredModulePath;
  if Path = '' then
  begin
    OrvalenModuleState := 'No expert module found: set its path here, or ORVALEN_EXPERT_MODULE.';
    Report(mluError, 'no expert module found: set its path in Tools > Options > Environment > ' +
      'Orvalen, or ORVALEN_EXPERT_MODULE');
    Exit;
  end;
  if FServices = nil then
    FServices := TOrvalenIdeServices.Create;
  if not FModule.Load(Path, FServices, Error) then
  begin
    OrvalenModuleState := 'Not loaded: ' + Error;
    Report(mluError, Error, Path);
    Exit;
  end;
  OrvalenModuleState := 'Loaded ' + Path;
  for I := 0 to FModule.ExpertCount - 1 do
    if FModule[I].Style = esProject then
      AddExpert(FModule[I]);
end;

procedure TOrvalenIdeHost.AddExpert(Expert: TOrvalenExpert);
var
  Descriptor: TOrvalenProjectDescriptor;
  Command: TIDEMenuCommand;
  Name: string;
begin
  Name := 'Orvalen' + IntToStr(FDescriptors.Count);
  Descriptor := TOrvalenProjectDescriptor.Create;
  Descriptor.Name := Name;
  Descriptor.Expert := Expert;
  RegisterProjectDescriptor(Descriptor);
  FDescriptors.Add(Descriptor);
  if Expert.MenuText <> '' then
  begin
    Command := RegisterIDEMenuCommand(itmFileNew, Name + 'Command', Expert.MenuText,
      @MenuCommandClick);
    Command.Tag := FDescriptors.Count - 1;  // its expert's item
    FCommands.Add(Command);
  end;
end;

procedure TOrvalenIdeHost.MenuCommandClick(Sender: TObject);
var
  I: Integer;
begin
  I := TIDEMenuCommand(Sender).Tag;
  if (I >= 0) and (I < FDescriptors.Count) then
    Execute(TOrvalenProjectDescriptor(FDescriptors[I]).Expert);
end;

// The wizard is modal in its own toolkit, which runs in the IDE's main loop:
// the IDE's windows would stay usable under it, so they are disabled for the
// run, and a second run is refused while one is open.
procedure TOrvalenIdeHost.Execute(Expert: TOrvalenExpert);
var
  Disabled: TList;
begin
  if Expert = nil then
    Exit;
  if FRunning then
  begin
    Report(mluWarning, Expert.Name + ' is already running');
    Exit;
  end;
  FRunning := True;
  Disabled := Screen.DisableForms(nil);
  try
    Expert.Execute;
  finally
    Screen.EnableForms(Disabled);
    FRunning := False;
  end;
end;

procedure TOrvalenIdeHost.IdeClosing(Sender: TObject);
begin
  Unload;
end;

// The items stay in the IDE's lists until it frees them; they forget their
// experts, and the commands are hidden.
procedure TOrvalenIdeHost.Unload;
var
  I: Integer;
  WasLoaded: Boolean;
begin
  for I := 0 to FDescriptors.Count - 1 do
    TOrvalenProjectDescriptor(FDescriptors[I]).Expert := nil;
  for I := 0 to FCommands.Count - 1 do
    TIDEMenuCommand(FCommands[I]).Visible := False;
  WasLoaded := FModule.Loaded;
  FModule.Unload;
  if WasLoaded then
    DebugLn(MessagePrefix + 'the expert module was unloaded');
end;

procedure Register;
begin
  if OrvalenHost <> nil then
    Exit;
  RegisterOrvalenOptions;
  OrvalenHost := TOrvalenIdeHost.Create;
  OrvalenHost.FLoadTimer := TTimer.Create(nil);
  OrvalenHost.FLoadTimer.Interval := 100;
  OrvalenHost.FLoadTimer.OnTimer := @OrvalenHost.LoadWhenStarted;
  OrvalenHost.FLoadTimer.Enabled := True;
end;

finalization
  FreeAndNil(OrvalenHost);
end.
