unit STDAbout;

{ The application's about box. The product name, copyright, version and the
  mail and web links come from the program's own version information, so a
  new release needs no change here. The text panel below them lists the user,
  the machine, the system's registration and every version key the program
  carries, ready to be copied into a support request as it stands. }

interface

uses
  Windows, SysUtils, Classes, Graphics, Controls, Forms, StdCtrls, ExtCtrls,
  Registry, ShellAPI;

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
  private
    { Reads the machine's keys; it lives only while FormCreate runs. }
    Reg: TRegistry;
    function RegString(const Name: string): string;
  public
    { Appends the version information of FileName, taken from the language
      block LangBlock, to the text panel, and fills the labels from it. }
    procedure AddVersionInfo(const FileName, LangBlock: string);
  end;

var
  AboutForm: TAboutForm;

{ Shows the about box modally and frees it when it closes. }
procedure ShowAboutBox;

implementation

{$R *.DFM}

const
  { US English in the Windows Latin-1 code page: the block our version
    information is written in. }
  EnglishLatin1 = '040904E4';
  UserNameSize = 128;
  VersionKeyCount = 10;
  { The keys the text panel lists, in the order a reader expects them. }
  VersionKeys: array[0..VersionKeyCount - 1] of string = (
    'CompanyName', 'FileDescription', 'FileVersion', 'InternalName',
    'LegalCopyright', 'LegalTradeMarks', 'OriginalFilename', 'ProductName',
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

function TAboutForm.RegString(const Name: string): string;
begin
  { A key that could not be opened, a value that is missing and a value that
    is not text all read as empty: the panel still gets its line. With no key
    open the reader would look at the root, which holds none of these. }
  Result := '';
  if (Reg.CurrentKey <> 0) and Reg.ValueExists(Name) and
    (Reg.GetDataType(Name) in [rdString, rdExpandString]) then
    Result := Reg.ReadString(Name);
end;

procedure TAboutForm.FormCreate(Sender: TObject);
var
  Workgroup, ComputerName, Comment, UserName: string;
  NameBuffer: array[0..UserNameSize - 1] of Char;
  NameSize: DWORD;
begin
  Caption := Application.Title;
  Reg := TRegistry.Create;
  try
    { The machine's keys are opened read-only and never created: an ordinary
      user may not write there, and a missing key only means empty text. }
    Reg.RootKey := HKEY_LOCAL_MACHINE;
    Reg.OpenKeyReadOnly('System\CurrentControlSet\Services\VxD\VNETSUP');
    Workgroup := RegString('Workgroup');
    ComputerName := RegString('ComputerName');
    Comment := RegString('Comment');
    Reg.CloseKey;

    Reg.OpenKeyReadOnly('SOFTWARE\Microsoft\Windows\CurrentVersion');
    NameSize := UserNameSize;
    if GetUserName(NameBuffer, NameSize) then
      UserName := StrPas(NameBuffer)
    else
      UserName := 'Failure reading user name';
    M.Lines.Add(Format('User: %s on %s (%s) in domain:%s',
      [UserName, ComputerName, Comment, Workgroup]));
    M.Lines.Add(Format('Running %s Version %s Registered to %s of %s',
      [RegString('ProductName'), RegString('VersionNumber'),
       RegString('RegisteredOwner'), RegString('RegisteredOrganization')]));
    Reg.CloseKey;

    M.Lines.Add('');
    M.Lines.Add(Format('-- Version Information for %s in %s--',
      [Application.Title, Application.ExeName]));
    M.Lines.Add('');
    AddVersionInfo(Application.ExeName, EnglishLatin1);
  finally
    Reg.Free;
    Reg := nil;
  end;
end;

procedure TAboutForm.AddVersionInfo(const FileName, LangBlock: string);
var
  InfoSize, InfoHandle: DWORD;
  Info: Pointer;
  I: Integer;
  Value: string;

  { The text of Key in the language block, when the block holds it. }
  function QueryValue(const Key: string; var KeyValue: string): Boolean;
  var
    Data: Pointer;
    DataLen: UINT;
  begin
    Data := nil;
    DataLen := 0;
    Result := VerQueryValue(Info,
      PChar('StringFileInfo\' + LangBlock + '\' + Key), Data, DataLen) and
      (Data <> nil);
    if Result then
      KeyValue := StrPas(PChar(Data))
    else
      KeyValue := '';
  end;

begin
  InfoSize := GetFileVersionInfoSize(PChar(FileName), InfoHandle);
  if InfoSize = 0 then
  begin
    M.Lines.Add('No FileVersionInfo found');
    Exit;
  end;
  Info := AllocMem(InfoSize);
  try
    M.Lines.Add('FileVersionInfoSize=' + IntToStr(InfoSize));
    { A block that could not be read holds only zeros and names no key. }
    if not GetFileVersionInfo(PChar(FileName), InfoHandle, InfoSize, Info) then
      Exit;
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
    FreeMem(Info);
  end;
end;

procedure TAboutForm.UrlLabelClick(Sender: TObject);
begin
  { The shell picks the handler: the mail program for a mailto: link, the
    browser for a web address. }
  ShellExecute(Handle, 'open', PChar((Sender as TLabel).Caption), nil, nil,
    SW_SHOW);
end;

procedure TAboutForm.OKButtonClick(Sender: TObject);
begin
  Close;
end;

end.
