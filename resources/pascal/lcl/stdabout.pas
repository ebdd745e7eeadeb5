unit STDAbout;

{$mode delphi}

{ The application's about box. The product name, copyright, version and the
  mail and web links come from the program's own version information, so a
  new release needs no change here. The text panel below them lists the user,
  the machine, the system and every version key the program carries, ready to
  be copied into a support request as it stands. }

interface

uses
  SysUtils, Classes, Graphics, Controls, Forms, StdCtrls, ExtCtrls, LCLIntf,
  BaseUnix, FileInfo {$IFDEF LINUX}, ElfReader{$ENDIF};

type
  TAboutForm = class(TForm)
    OKButton: TButton;
    SecretPanel1: TPanel;
    M: TMemo;
    VersionLabel: TLabel;
    Version: TLabel;
    CopyrightLabel: TLabel;
    ProgramIcon: TImage;
    ProductName: TLabel;
    EmailUrl: TLabel;
    UrlLabel: TLabel;
    procedure FormCreate(Sender: TObject);
    procedure OKButtonClick(Sender: TObject);
    procedure UrlLabelClick(Sender: TObject);
  public
    { Appends the version information of FileName to the text panel, and
      fills the labels from it. }
    procedure AddVersionInfo(const FileName: string);
  end;

var
  AboutForm: TAboutForm;

{ Shows the about box modally and frees it when it closes. }
procedure ShowAboutBox;

implementation

{$R *.lfm}

const
  VersionKeyCount = 10;
  { The keys the text panel lists, in the order a reader expects them. }
  VersionKeys: array[0..VersionKeyCount - 1] of string = (
    'CompanyName', 'FileDescription', 'FileVersion', 'InternalName',
    'LegalCopyright', 'LegalTrademarks', 'OriginalFilename', 'ProductName',
    'ProductVersion', 'Comments');

procedure ShowAboutBox;
var
  Form: TAboutForm;
begin
  Form := TAboutForm.Create(Application);
  AboutForm := Form;
  try
    Form.ShowModal;
  finally
    { Nobody may reach the form through AboutForm once it is gone. }
    AboutForm := nil;
    Form.Free;
  end;
end;

{ Field Index (0 the first) of the line of a colon-separated file whose
  field Key is Value: the password database and the like. Empty when the
  file or the line is missing. }
function TableField(const FileName: string; Key: Integer; const Value: string;
  Index: Integer): string;
var
  Lines, Fields: TStringList;
  I: Integer;
begin
  Result := '';
  if not FileExists(FileName) then
    Exit;
  Lines := TStringList.Create;
  Fields := TStringList.Create;
  try
    Fields.Delimiter := ':';
    Fields.StrictDelimiter := True;
    Lines.LoadFromFile(FileName);
    for I := 0 to Lines.Count - 1 do
    begin
      Fields.DelimitedText := Lines[I];
      if (Fields.Count > Index) and (Fields.Count > Key) and
        (Fields[Key] = Value) then
      begin
        Result := Fields[Index];
        Exit;
      end;
    end;
  finally
    Fields.Free;
    Lines.Free;
  end;
end;

{ The logged-on user, from the password database; the environment's name
  when the database does not know the user. }
function UserName: string;
begin
  Result := TableField('/etc/passwd', 2, IntToStr(FpGetUid), 0);
  if Result = '' then
    Result := GetEnvironmentVariable('USER');
  if Result = '' then
    Result := 'Failure reading user name';
end;

{ The distribution's own name for itself, or empty. }
function OsReleaseName: string;
var
  Lines: TStringList;
begin
  Result := '';
  if not FileExists('/etc/os-release') then
    Exit;
  Lines := TStringList.Create;
  try
    Lines.LoadFromFile('/etc/os-release');
    Result := AnsiDequotedStr(Lines.Values['PRETTY_NAME'], '"');
  finally
    Lines.Free;
  end;
end;

procedure TAboutForm.FormCreate(Sender: TObject);
var
  Names: UtsName;
  Node, System: string;
begin
  Caption := Application.Title;
  Node := '';
  System := '';
  if FpUname(Names) = 0 then
  begin
    Node := Names.Nodename;
    System := Format('%s %s (%s)', [PChar(@Names.Sysname[0]),
      PChar(@Names.Release[0]), PChar(@Names.Machine[0])]);
  end;
  M.Lines.Add(Format('User: %s on %s', [UserName, Node]));
  M.Lines.Add(Format('Running %s %s', [OsReleaseName, System]));
  M.Lines.Add('');
  M.Lines.Add(Format('-- Version Information for %s in %s--',
    [Application.Title, Application.ExeName]));
  M.Lines.Add('');
  AddVersionInfo(Application.ExeName);
end;

procedure TAboutForm.AddVersionInfo(const FileName: string);
var
  Info: TFileVersionInfo;
  I: Integer;

  { The text of Key, when the version information holds it. }
  function QueryValue(const Key: string; var KeyValue: string): Boolean;
  begin
    KeyValue := Info.VersionStrings.Values[Key];
    Result := KeyValue <> '';
  end;

var
  Value: string;
begin
  Info := TFileVersionInfo.Create(nil);
  try
    Info.FileName := FileName;
    try
      Info.ReadFileInfo;
    except
      { a program built without version information }
      on Exception do
      begin
        M.Lines.Add('No FileVersionInfo found');
        Exit;
      end;
    end;
    for I := 0 to VersionKeyCount - 1 do
      if QueryValue(VersionKeys[I], Value) then
        M.Lines.Add(Format('%15s = %s', [VersionKeys[I], Value]));

    { A label whose key is missing keeps what it shows. }
    if QueryValue('ProductName', Value) then
      ProductName.Caption := Value;
    if QueryValue('LegalCopyright', Value) then
      CopyrightLabel.Caption := Value;
    if QueryValue('ProductVersion', Value) then
      VersionLabel.Caption := Value;
    if QueryValue('Email', Value) then
      EmailUrl.Caption := 'mailto:' + Value + '?subject=' + Application.Title;
    if QueryValue('URL', Value) then
      UrlLabel.Caption := Value;
  finally
    Info.Free;
  end;
end;

procedure TAboutForm.UrlLabelClick(Sender: TObject);
begin
  { The desktop picks the handler: the mail program for a mailto: link, the
    browser for a web address. }
  OpenURL((Sender as TLabel).Caption);
end;

procedure TAboutForm.OKButtonClick(Sender: TObject);
begin
  Close;
end;

end.
