program about_behaviour;

{ Runs the about box's code against stand-ins for Windows, the registry, the
  shell and the form library, and checks what it shows and does. Prints one
  line per failed check and exits with 1 when any failed. }

uses
  Windows, SysUtils, Classes, Controls, Forms, StdCtrls, ExtCtrls, Registry,
  ShellAPI, STDAbout;

const
  NetKey = 'System\CurrentControlSet\Services\VxD\VNETSUP';
  OSKey = 'SOFTWARE\Microsoft\Windows\CurrentVersion';
  Block = 'StringFileInfo\040904E4\';
  ExeFile = 'C:\Apps\Demo.exe';
  FormHandle = 4711;

var
  Failures: Integer;
  FormsDestroyed: Integer;
  ShownAs: TAboutForm;
  ShownOwner: TComponent;
  FailShowing: Boolean;

procedure Check(Condition: Boolean; const What: string);
begin
  if not Condition then
  begin
    Inc(Failures);
    WriteLn('FAIL: ', What);
  end;
end;

procedure CheckText(const Expected, Actual, What: string);
begin
  Check(Expected = Actual,
    Format('%s: expected "%s", got "%s"', [What, Expected, Actual]));
end;

procedure CheckLines(Form: TAboutForm; const Expected: array of string;
  const What: string);
var
  I: Integer;
begin
  Check(Form.M.Lines.Count = Length(Expected),
    Format('%s: %d lines where %d were expected:'#10'%s',
    [What, Form.M.Lines.Count, Length(Expected), Form.M.Lines.Text]));
  for I := 0 to High(Expected) do
    if I < Form.M.Lines.Count then
      CheckText(Expected[I], Form.M.Lines[I], Format('%s, line %d', [What, I + 1]));
end;

procedure CheckLabels(Form: TAboutForm; const Product, Copyright, Version,
  Email, Url, What: string);
begin
  CheckText(Product, Form.ProductName.Caption, What + ', ProductName');
  CheckText(Copyright, Form.CopyrightLabel.Caption, What + ', CopyrightLabel');
  CheckText(Version, Form.VersionLabel.Caption, What + ', VersionLabel');
  CheckText(Email, Form.EmailUrl.Caption, What + ', EmailUrl');
  CheckText(Url, Form.UrlLabel.Caption, What + ', UrlLabel');
  CheckText('Version', Form.Version.Caption, What + ', Version');
end;

{ What loading the form file does: the controls with their design captions,
  then OnCreate. }
procedure LoadAboutForm(Form: TCustomForm);
var
  F: TAboutForm;

  function NewLabel(const Caption: string): TLabel;
  begin
    Result := TLabel.Create(F);
    Result.Caption := Caption;
  end;

begin
  F := Form as TAboutForm;
  F.Caption := 'About';
  F.Handle := FormHandle;
  F.OKButton := TButton.Create(F);
  F.OKButton.Caption := 'OK';
  F.SecretPanel1 := TPanel.Create(F);
  F.M := TMemo.Create(F);
  F.VersionLabel := NewLabel('VersionLabel');
  F.Version := NewLabel('Version');
  F.CopyrightLabel := NewLabel('CopyrightLabel');
  F.ProgramIcon := TImage.Create(F);
  F.ProductName := NewLabel('Product Name');
  F.EmailUrl := NewLabel('Emailurl');
  F.UrlLabel := NewLabel('UrlLabel');
  F.FormCreate(F);
end;

procedure ShowingAboutForm(Form: TCustomForm);
begin
  ShownAs := AboutForm;
  ShownOwner := Form.Owner;
  if FailShowing then
    raise Exception.Create('the window could not be shown');
end;

procedure DestroyingForm(Form: TCustomForm);
begin
  Inc(FormsDestroyed);
end;

{ A machine with nothing: no keys, no user name, no version information. }
procedure ResetMachine;
begin
  FakeMachineValues.Clear;
  FakeProtectedKeys.Clear;
  FakeUserName := '';
  FakeUserNameFails := True;
  FakeVersionSizes.Clear;
  FakeVersionValues.Clear;
  FakeVersionReadFails := False;
  LastUserNameSize := 0;
  UnfilledBlockQueries := 0;
  WriteOpens := 0;
  Creations := 0;
  ShellCalls := 0;
  CloseCalls := 0;
  Application.Title := 'Demo';
  Application.ExeName := ExeFile;
end;

{ A machine with everything: an ordinary user, who may read the machine's
  keys but not open them for writing. }
procedure FullMachine;
begin
  ResetMachine;
  with FakeMachineValues do
  begin
    Add(NetKey + '\Workgroup=WORKGROUP');
    Add(NetKey + '\ComputerName=HOST');
    Add(NetKey + '\Comment=Office PC');
    Add(OSKey + '\ProductName=Windows 95');
    Add(OSKey + '\VersionNumber=4.00.950');
    Add(OSKey + '\RegisteredOwner=Alice');
    Add(OSKey + '\RegisteredOrganization=Acme');
  end;
  FakeProtectedKeys.Add(NetKey);
  FakeProtectedKeys.Add(OSKey);
  FakeUserName := 'alice';
  FakeUserNameFails := False;
  FakeVersionSizes.Add(ExeFile + '=1234');
  { Out of order, with a key the panel does not list and another language. }
  with FakeVersionValues do
  begin
    Add(Block + 'Comments=Built for tests');
    Add(Block + 'ProductVersion=2.1');
    Add(Block + 'CompanyName=Acme');
    Add(Block + 'ProductName=Demo Suite');
    Add(Block + 'SpecialBuild=not listed');
    Add(Block + 'LegalCopyright=Copyright 2024 Acme');
    Add(Block + 'FileVersion=2.1.0.7');
    Add(Block + 'Email=support@acme.example');
    Add(Block + 'URL=http://acme.example/');
    Add('StringFileInfo\040704B0\ProductName=Anderes Produkt');
  end;
end;

function NewForm: TAboutForm;
begin
  Result := TAboutForm.Create(Application);
end;

procedure FullMachineShowsEverything;
var
  F: TAboutForm;
begin
  FullMachine;
  F := NewForm;
  try
    CheckText('Demo', F.Caption, 'full machine, caption');
    CheckLines(F, [
      'User: alice on HOST (Office PC) in domain:WORKGROUP',
      'Running Windows 95 Version 4.00.950 Registered to Alice of Acme',
      '',
      '-- Version Information for Demo in C:\Apps\Demo.exe--',
      '',
      'FileVersionInfoSize=1234',
      '    CompanyName = Acme',
      '    FileVersion = 2.1.0.7',
      ' LegalCopyright = Copyright 2024 Acme',
      '    ProductName = Demo Suite',
      ' ProductVersion = 2.1',
      '       Comments = Built for tests'], 'full machine');
    CheckLabels(F, 'Demo Suite', 'Copyright 2024 Acme', '2.1',
      'mailto:support@acme.example?subject=Demo', 'http://acme.example/',
      'full machine');
    Check(LastUserNameSize = 128, 'the user name buffer holds 128 characters');
    Check(WriteOpens = 0, 'the machine''s keys are opened read-only');
    Check(Creations = 0, 'no key is created');
    Check(LiveReaders = 0, 'the registry reader is freed after creation');
    Check(UnfilledBlockQueries = 0, 'only a read block is queried');
  finally
    F.Free;
  end;
end;

procedure BareMachineShowsEmptyTexts;
var
  F: TAboutForm;
begin
  ResetMachine;
  F := NewForm;
  try
    CheckLines(F, [
      'User: Failure reading user name on  () in domain:',
      'Running  Version  Registered to  of ',
      '',
      '-- Version Information for Demo in C:\Apps\Demo.exe--',
      '',
      'No FileVersionInfo found'], 'bare machine');
    CheckLabels(F, 'Product Name', 'CopyrightLabel', 'VersionLabel', 'Emailurl',
      'UrlLabel', 'bare machine');
    Check(LiveReaders = 0, 'the registry reader is freed on a bare machine');
  finally
    F.Free;
  end;
end;

procedure MissingOrOddKeysReadAsEmpty;
var
  F: TAboutForm;
begin
  { The system key is missing; the network key happens to hold a value of the
    same name, which must not stand in for it. }
  FullMachine;
  FakeMachineValues.Clear;
  FakeMachineValues.Add(NetKey + '\ComputerName=HOST');
  FakeMachineValues.Add(NetKey + '\ProductName=Network Client');
  F := NewForm;
  try
    CheckText('User: alice on HOST () in domain:', F.M.Lines[0], 'missing values');
    CheckText('Running  Version  Registered to  of ', F.M.Lines[1],
      'missing system key');
  finally
    F.Free;
  end;

  { A number where text is expected reads as empty instead of failing. }
  FullMachine;
  FakeMachineValues.Values[OSKey + '\VersionNumber'] := '#4';
  F := NewForm;
  try
    CheckText('Running Windows 95 Version  Registered to Alice of Acme',
      F.M.Lines[1], 'numeric version number');
  finally
    F.Free;
  end;
end;

procedure UserNameMustFitTheBuffer;
var
  F: TAboutForm;
begin
  FullMachine;
  FakeUserName := StringOfChar('u', 127);
  F := NewForm;
  try
    CheckText('User: ' + FakeUserName + ' on HOST (Office PC) in domain:WORKGROUP',
      F.M.Lines[0], '127-character user name');
  finally
    F.Free;
  end;
  FakeUserName := StringOfChar('u', 128);
  F := NewForm;
  try
    CheckText('User: Failure reading user name on HOST (Office PC) in domain:WORKGROUP',
      F.M.Lines[0], 'user name too long for the buffer');
  finally
    F.Free;
  end;
end;

procedure UnreadableVersionBlockListsNoKeys;
var
  F: TAboutForm;
begin
  FullMachine;
  FakeVersionReadFails := True;
  F := NewForm;
  try
    CheckText('FileVersionInfoSize=1234', F.M.Lines[F.M.Lines.Count - 1],
      'unreadable block, last line');
    Check(F.M.Lines.Count = 6, 'unreadable block lists no keys');
    CheckLabels(F, 'Product Name', 'CopyrightLabel', 'VersionLabel', 'Emailurl',
      'UrlLabel', 'unreadable block');
    Check(UnfilledBlockQueries = 0, 'an unread block is not queried');
  finally
    F.Free;
  end;
end;

procedure SecondModuleAddsLinesAndOverwritesFoundLabelsOnly;
var
  F: TAboutForm;
  Before: Integer;
begin
  FullMachine;
  F := NewForm;
  try
    FakeVersionSizes.Add('C:\Apps\Expert.dll=300');
    FakeVersionValues.Clear;
    FakeVersionValues.Add(Block + 'ProductName=Expert');
    Before := F.M.Lines.Count;
    F.AddVersionInfo('C:\Apps\Expert.dll', '040904E4');
    Check(F.M.Lines.Count = Before + 2, 'second module adds its two lines');
    CheckText('FileVersionInfoSize=300', F.M.Lines[Before], 'second module, size');
    CheckText('    ProductName = Expert', F.M.Lines[Before + 1], 'second module, key');
    CheckLabels(F, 'Expert', 'Copyright 2024 Acme', '2.1',
      'mailto:support@acme.example?subject=Demo', 'http://acme.example/',
      'second module');
    F.AddVersionInfo('C:\Apps\None.dll', '040904E4');
    CheckText('No FileVersionInfo found', F.M.Lines[F.M.Lines.Count - 1],
      'module without version information');
    CheckText('Expert', F.ProductName.Caption, 'labels kept after a bare module');
  finally
    F.Free;
  end;
end;

procedure VersionBlockIsFreedOnEveryPath;
var
  F: TAboutForm;
  Used: PtrUInt;
  I: Integer;

  procedure Run(Times: Integer);
  var
    K: Integer;
  begin
    for K := 1 to Times do
    begin
      F.AddVersionInfo(ExeFile, '040904E4');
      F.M.Lines.Clear;
    end;
  end;

begin
  FullMachine;
  FakeVersionSizes.Values[ExeFile] := '65536';
  F := NewForm;
  try
    for I := 0 to 1 do
    begin
      FakeVersionReadFails := I = 1;
      Run(1);
      Used := GetFPCHeapStatus.CurrHeapUsed;
      Run(20);
      { The heap's own bookkeeping may move a few bytes; a block of 64 KB
        kept per call cannot hide in that. }
      Check(Int64(GetFPCHeapStatus.CurrHeapUsed) - Int64(Used) < 65536,
        Format('version block freed (read fails: %s): %d bytes kept',
        [BoolToStr(FakeVersionReadFails, True),
         Int64(GetFPCHeapStatus.CurrHeapUsed) - Int64(Used)]));
    end;
  finally
    F.Free;
  end;
end;

procedure LinksOpenTheirCaption;
var
  F: TAboutForm;
begin
  FullMachine;
  FakeVersionValues.Delete(FakeVersionValues.IndexOfName(Block + 'URL'));
  F := NewForm;
  try
    CheckText('UrlLabel', F.UrlLabel.Caption, 'no URL key keeps the design caption');
    F.UrlLabelClick(F.UrlLabel);
    Check(ShellCalls = 1, 'one shell call per click');
    CheckText('open', LastShellOperation, 'shell verb');
    CheckText('UrlLabel', LastShellFile, 'a design caption goes to the shell unchanged');
    Check(LastShellWindow = FormHandle, 'the form''s window is the parent');
    Check(LastShellShow = SW_SHOW, 'shown with SW_SHOW');
    Check((LastShellParameters = nil) and (LastShellDirectory = nil),
      'no parameters, no directory');
    F.UrlLabelClick(F.EmailUrl);
    CheckText('mailto:support@acme.example?subject=Demo', LastShellFile, 'mail link');
    F.OKButtonClick(F.OKButton);
    Check(CloseCalls = 1, 'OK closes the form');
  finally
    F.Free;
  end;
end;

procedure ShowAboutBoxOwnsTheFormWhileShown;
begin
  FullMachine;
  FormsDestroyed := 0;
  ShownAs := nil;
  FailShowing := False;
  ShowAboutBox;
  Check(ShownAs <> nil, 'AboutForm holds the form while it is shown');
  Check(ShownOwner = Application, 'the application owns the form');
  Check(AboutForm = nil, 'AboutForm is cleared afterwards');
  Check(FormsDestroyed = 1, 'the form is freed when it closes');

  FormsDestroyed := 0;
  FailShowing := True;
  try
    ShowAboutBox;
    Check(False, 'a failure while shown passes to the caller');
  except
    on E: Exception do
      CheckText('the window could not be shown', E.Message, 'the failure passed on');
  end;
  FailShowing := False;
  Check(AboutForm = nil, 'AboutForm is cleared after a failure');
  Check(FormsDestroyed = 1, 'the form is freed after a failure');
end;

begin
  FormLoading := LoadAboutForm;
  FormShowing := ShowingAboutForm;
  FormDestroying := DestroyingForm;
  FullMachineShowsEverything;
  BareMachineShowsEmptyTexts;
  MissingOrOddKeysReadAsEmpty;
  UserNameMustFitTheBuffer;
  UnreadableVersionBlockListsNoKeys;
  SecondModuleAddsLinesAndOverwritesFoundLabelsOnly;
  VersionBlockIsFreedOnEveryPath;
  LinksOpenTheirCaption;
  ShowAboutBoxOwnsTheFormWhileShown;
  if Failures > 0 then
  begin
    WriteLn(Failures, ' check(s) failed');
    Halt(1);
  end;
  WriteLn('about box: all checks passed');
end.
