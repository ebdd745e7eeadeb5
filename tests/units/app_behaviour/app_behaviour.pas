program app_behaviour;

{ Runs a generated application's main form and document window against the
  stand-ins and checks what its user sees: documents and the Window menu,
  the questions on quitting, the recent list, the File menu's state.
  Arguments: the generated project's directory, a scratch directory, and the
  option set it was generated with (mdi, mdi-registry, no-mdi, no-menus).
  Prints one line per failed check and exits with 1 when any failed. }

uses
  Windows, Messages, SysUtils, Classes, Controls, Forms, Menus, Dialogs,
  Registry, FormText, Main, MDIChild;

type
  TMain = TMainFormAppCheck;

var
  Failures: Integer;
  ProjectDir, ScratchDir, Options: string;
  Scenario: string;
  KeepRegistry: Boolean;
  Frame: TMain;

procedure Check(Condition: Boolean; const What: string);
begin
  if not Condition then
  begin
    Inc(Failures);
    WriteLn('FAIL [', Options, '] ', Scenario, ': ', What);
  end;
end;

procedure CheckText(const Expected, Actual, What: string);
begin
  Check(Expected = Actual, Format('%s: expected "%s", got "%s"', [What, Expected, Actual]));
end;

procedure CheckCount(Expected, Actual: Integer; const What: string);
begin
  Check(Expected = Actual, Format('%s: expected %d, got %d', [What, Expected, Actual]));
end;

procedure LoadForm(Form: TCustomForm);
begin
  if Form is TMDIChildForm then
    LoadFormText(Form, ProjectDir + '/MDICHILD.TXT')
  else if Form is TMain then
    LoadFormText(Form, ProjectDir + '/MAIN.TXT');
end;

{ ---- the user's side ---- }

function Item(const Name: string): TMenuItem;
begin
  Result := Frame.FindComponent(Name) as TMenuItem;
end;

{ Opens the menu (its OnClick runs), then picks the entry, which a person
  can do only while it is visible and enabled; then the application idles. }
procedure Choose(const Menu: string; Entry: TMenuItem);
begin
  Item(Menu).Click;
  Check(Entry.Visible and Entry.Enabled,
    Format('%s > %s can be chosen', [Menu, Entry.Caption]));
  Entry.Click;
  Application.ProcessMessages;
end;

procedure ChooseItem(const Menu, Entry: string);
begin
  Choose(Menu, Item(Entry));
end;

procedure Answer(const Replies: array of Integer);
var
  I: Integer;
begin
  SetLength(Answers, Length(Replies));
  for I := 0 to High(Replies) do
    Answers[I] := Replies[I];
end;

procedure PickFiles(const Names: array of string);
var
  I: Integer;
begin
  for I := 0 to High(Names) do
    FileChoices.Add(Names[I]);
end;

function Doc(I: Integer): TMDIChildForm;
begin
  Result := Frame.MDIChildren[I] as TMDIChildForm;
end;

function FileIn(const Name: string): string;
begin
  Result := ScratchDir + '/' + Name;
end;

{ a document file on disk, so that the recent list can open it }
function MakeFile(const Name: string): string;
var
  F: TextFile;
begin
  Result := FileIn(Name);
  AssignFile(F, Result);
  Rewrite(F);
  CloseFile(F);
end;

procedure OpenFile(const Name: string);
begin
  PickFiles([Name]);
  ChooseItem('FileMenu', 'FileOpenItem');
end;

{ the entries of the Window menu below its separator }
function WindowList: string;
var
  W: TMenuItem;
  I: Integer;
begin
  Result := '';
  W := Item('WMenu');
  for I := W.IndexOf(Item('N5')) + 1 to W.Count - 1 do
  begin
    Result := Result + W[I].Caption;
    if W[I].Checked then
      Result := Result + '*';
    if I < W.Count - 1 then
      Result := Result + ',';
  end;
end;

function RecentList: string;
var
  R: TMenuItem;
  I: Integer;
begin
  Result := '';
  R := Item('Recent');
  for I := 0 to R.Count - 1 do
  begin
    if I > 0 then
      Result := Result + ',';
    Result := Result + ExtractFileName(R[I].Hint);
  end;
end;

procedure Start(const Name: string);
begin
  Scenario := Name;
  if not KeepRegistry then
  begin
    Store.Clear;
    Keys.Clear;
  end;
  KeepRegistry := False;
  Application.Free;
  Application := TApplication.Create(nil);
  Application.Title := 'AppCheck';
  SetLength(Answers, 0);
  Questions.Clear;
  FileChoices.Clear;
  FileDialogsShown.Clear;
  Unscripted.Clear;
  Application.CreateForm(TMain, Frame);
end;

{ what is left when the application has ended: its forms are destroyed }
procedure EndApplication;
begin
  Check(Unscripted.Count = 0, 'nothing unscripted was asked: ' + Unscripted.CommaText);
  Application.Free;
  Application := nil;
  Frame := nil;
end;

procedure FinishStillRunning;
begin
  Check(not Application.Terminated, 'the application is still running');
  Answer([mrNo, mrNo, mrNo, mrNo]);
  Application.ProcessMessages;
  SetLength(Answers, 0);
  EndApplication;
end;

{ ---- the ways out ---- }

type
  TQuit = (qExit, qCloseButton, qEndSession);

const
  QuitNames: array[TQuit] of string = ('File > Exit', 'close button', 'end of session');

var
  SessionEnds: Boolean;

procedure Quit(How: TQuit);
begin
  SessionEnds := False;
  case How of
    qExit: ChooseItem('FileMenu', 'FileExitItem');
    qCloseButton:
      begin
        SendMessage(Frame.Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        Application.ProcessMessages;
      end;
    qEndSession:
      begin
        SessionEnds := SendMessage(Frame.Handle, WM_QUERYENDSESSION, 0, 0) <> 0;
        Application.ProcessMessages;
      end;
  end;
end;

function HasQuit(How: TQuit): Boolean;
begin
  if How = qEndSession then
    Result := SessionEnds
  else
    Result := Application.Terminated;
end;

function Question(const Caption: string): string;
begin
  Result := Format('File %s has been changed!', [Caption]) + #13#10 +
    'Do you want to save changes ?';
end;

procedure QuitScenarios(How: TQuit);
var
  Q: string;
begin
  Q := QuitNames[How];

  Start(Q + ', nothing modified');
  ChooseItem('FileMenu', 'FileNewItem');
  Quit(How);
  Check(HasQuit(How), 'the application ends');
  CheckCount(0, Questions.Count, 'questions asked');
  EndApplication;

  Start(Q + ', Cancel');
  ChooseItem('FileMenu', 'FileNewItem');
  ChooseItem('FileMenu', 'FileNewItem');
  Doc(1).Modified := True;
  Answer([mrCancel]);
  Quit(How);
  Check(not HasQuit(How), 'Cancel keeps the application');
  CheckCount(2, Frame.MDIChildCount, 'documents still open');
  CheckCount(1, Questions.Count, 'questions asked');
  if Questions.Count > 0 then
    CheckText(Question('Unsaved-1'), Questions[0], 'the question');
  Check(Doc(1).Modified, 'the document keeps its changes');
  FinishStillRunning;

  Start(Q + ', No to each');
  ChooseItem('FileMenu', 'FileNewItem');
  ChooseItem('FileMenu', 'FileNewItem');
  ChooseItem('FileMenu', 'FileNewItem');
  Doc(0).Modified := True;
  Doc(2).Modified := True;
  Answer([mrNo, mrNo]);
  Quit(How);
  Application.ProcessMessages;
  Check(HasQuit(How), 'the application ends');
  CheckText('"' + Question('Unsaved-3') + '","' + Question('Unsaved-1') + '"',
    Questions.CommaText, 'one question per modified document, front first');
  CheckCount(0, FileDialogsShown.Count, 'save dialogs shown');
  EndApplication;

  Start(Q + ', Yes saves first');
  ChooseItem('FileMenu', 'FileNewItem');
  Doc(0).Modified := True;
  Answer([mrYes]);
  PickFiles([FileIn('report.txt')]);
  Quit(How);
  Check(HasQuit(How), 'the application ends');
  CheckCount(1, FileDialogsShown.Count, 'save dialogs shown');
  if FileDialogsShown.Count > 0 then
    CheckText('TSaveDialog: Unsaved-1', FileDialogsShown[0], 'the save dialog shown');
  CheckCount(1, Questions.Count, 'questions asked');
  Check(not Doc(0).Modified, 'the document was saved');
  CheckText(FileIn('report.txt'), Doc(0).Caption, 'the document''s new name');
  EndApplication;

  Start(Q + ', Yes but the save dialog is cancelled');
  ChooseItem('FileMenu', 'FileNewItem');
  Doc(0).Modified := True;
  Answer([mrYes]);
  PickFiles(['']);
  Quit(How);
  Check(not HasQuit(How), 'an unsaved document keeps the application');
  CheckCount(1, Frame.MDIChildCount, 'documents still open');
  FinishStillRunning;

  Start(Q + ', Yes then Cancel');
  ChooseItem('FileMenu', 'FileNewItem');
  ChooseItem('FileMenu', 'FileNewItem');
  Doc(0).Modified := True;
  Doc(1).Modified := True;
  Answer([mrYes, mrCancel]);
  PickFiles([FileIn('first.txt')]);
  Quit(How);
  Check(not HasQuit(How), 'Cancel on the second keeps the application');
  CheckCount(2, Frame.MDIChildCount, 'documents still open');
  CheckCount(2, Questions.Count, 'questions asked');
  FinishStillRunning;
end;

{ ---- MDI with the File and Window menus ---- }

procedure DocumentsAndWindowMenu;
begin
  Start('File > New twice');
  Item('WMenu').Click;
  Check(not Item('N5').Visible, 'no separator in the Window menu without documents');
  ChooseItem('FileMenu', 'FileNewItem');
  ChooseItem('FileMenu', 'FileNewItem');
  CheckCount(2, Frame.MDIChildCount, 'documents');
  CheckText('Unsaved-2', Frame.ActiveMDIChild.Caption, 'the active document');
  CheckText('Unsaved-1', Doc(1).Caption, 'the other document');
  CheckText('Unsaved-1,Unsaved-2*', WindowList, 'the Window menu');
  Item('WMenu').Click;
  Check(Item('N5').Visible, 'the Window menu separator above the documents');
  Choose('WMenu', Doc(1).MenuItem);
  CheckText('Unsaved-1', Frame.ActiveMDIChild.Caption, 'the document chosen in the Window menu');
  CheckText('Unsaved-1*,Unsaved-2', WindowList, 'the Window menu after choosing');
  FinishStillRunning;
end;

procedure FileMenuRules;
begin
  Start('File menu');
  Item('FileMenu').Click;
  Check(not Item('CloseMenu').Enabled and not Item('CloseAllMenu').Enabled and
    not Item('FilePrintItem').Enabled and not Item('FileSaveItem').Enabled and
    not Item('FileSaveAsItem').Enabled, 'the document commands are off without documents');
  Check(not Item('Recent').Visible and not Item('N1').Visible,
    'no recent list while it is empty');
  ChooseItem('FileMenu', 'FileNewItem');
  Item('FileMenu').Click;
  Check(Item('CloseMenu').Enabled and Item('CloseAllMenu').Enabled and
    Item('FilePrintItem').Enabled and Item('FileSaveItem').Enabled and
    Item('FileSaveAsItem').Enabled, 'the document commands are on with a document');
  Check(not Item('FileSaveItem').Checked, 'Save is not checked for an unchanged document');
  Doc(0).Modified := True;
  Item('FileMenu').Click;
  Check(Item('FileSaveItem').Checked, 'Save is checked for a modified document');
  FinishStillRunning;
end;

procedure CloseAndRecent;
var
  I: Integer;
  Expected: string;
begin
  Start('Close and Close All');
  OpenFile(MakeFile('a.txt'));
  OpenFile(MakeFile('b.txt'));
  CheckText('a.txt,b.txt*', WindowList, 'the Window menu');
  Doc(0).Modified := True;
  Answer([mrCancel]);
  ChooseItem('FileMenu', 'CloseMenu');
  CheckCount(2, Frame.MDIChildCount, 'Cancel keeps the document');
  Answer([mrNo]);
  ChooseItem('FileMenu', 'CloseMenu');
  CheckCount(1, Frame.MDIChildCount, 'Close closes the active document');
  CheckText('a.txt*', WindowList, 'the Window menu after Close');
  CheckText('b.txt', RecentList, 'the closed document in the recent list');
  OpenFile(MakeFile('c.txt'));
  ChooseItem('FileMenu', 'CloseAllMenu');
  CheckCount(0, Frame.MDIChildCount, 'Close All closes every document');
  CheckText('', WindowList, 'the Window menu after Close All');
  CheckText('c.txt,a.txt,b.txt', RecentList, 'the recent list, last closed first');
  CheckCount(2, Questions.Count, 'questions asked');
  Item('FileMenu').Click;
  Check(Item('Recent').Visible and Item('N1').Visible, 'the recent list is shown');

  Scenario := 'recent list';
  Choose('FileMenu', Item('Recent')[2]);
  CheckCount(1, Frame.MDIChildCount, 'the recent entry opened a document');
  CheckText(FileIn('b.txt'), Frame.ActiveMDIChild.Caption, 'the document opened');
  CheckText('c.txt,a.txt', RecentList, 'an open document is not listed');
  OpenFile(FileIn('a.txt'));
  ChooseItem('FileMenu', 'CloseAllMenu');
  { Close All closes from the back: b.txt first, then a.txt, already listed }
  CheckText('a.txt,b.txt,c.txt', RecentList, 'no duplicates in the recent list');
  Expected := '';
  for I := 1 to 12 do
  begin
    OpenFile(MakeFile(Format('f%d.txt', [I])));
    ChooseItem('FileMenu', 'CloseMenu');
    if I > 2 then
      Expected := Format('f%d.txt,', [I]) + Expected;
  end;
  CheckText(Copy(Expected, 1, Length(Expected) - 1), RecentList, 'at most ten entries');
  DeleteFile(FileIn('f12.txt'));
  Answer([mrYes]);
  Choose('FileMenu', Item('Recent')[0]);
  CheckCount(0, Frame.MDIChildCount, 'a missing file opens nothing');
  CheckCount(9, Item('Recent').Count, 'a missing file is removed from the list');
  FinishStillRunning;
end;

procedure RegistryList;
begin
  Start('recent list kept in the registry');
  Check(Item('Recent').Count = 0, 'an empty registry gives an empty list');
  OpenFile(MakeFile('kept.txt'));
  ChooseItem('FileMenu', 'FileNewItem');
  Doc(0).Modified := True;
  Answer([mrYes]);
  PickFiles([FileIn('saved.txt')]);
  Quit(qExit);
  Check(Application.Terminated, 'the application ends');
  EndApplication;
  CheckText('2', Store.Values['SOFTWARE\APPCHECK\MRU\MRUCOUNT'], 'entries written');
  { the ending application frees its forms last created first, so the
    document opened first is closed last and comes on top }
  CheckText(FileIn('kept.txt'), Store.Values['SOFTWARE\APPCHECK\MRU\LONG1'],
    'the document closed last on top');
  CheckText(FileIn('saved.txt'), Store.Values['SOFTWARE\APPCHECK\MRU\LONG2'], 'the other');
  KeepRegistry := True;
  Start('the registry list read back');
  CheckText('kept.txt,saved.txt', RecentList, 'the list read at start');
  FinishStillRunning;
end;

{ ---- other option sets ---- }

function DocumentWindows: Integer;
var
  I: Integer;
begin
  Result := 0;
  for I := 0 to Application.ComponentCount - 1 do
    if (Application.Components[I] is TMDIChildForm) and
      (TMDIChildForm(Application.Components[I]).FormStyle = fsNormal) then
      Inc(Result);
end;

procedure SingleDocument;
begin
  Start('no MDI');
  Check(Frame.FormStyle <> fsMDIForm, 'not an MDI frame');
  Item('FileMenu').Click;
  Check(Item('CloseMenu').Enabled and Item('FileSaveItem').Enabled,
    'the document commands are on');
  { without an MDI frame the document is an ordinary window, which File > New
    can make (an MDI child form could not be created at all) }
  ChooseItem('FileMenu', 'FileNewItem');
  ChooseItem('FileMenu', 'FileNewItem');
  CheckCount(2, DocumentWindows, 'File > New opens a document window each time');
  PickFiles([FileIn('one.txt')]);
  ChooseItem('FileMenu', 'FileSaveAsItem');
  CheckText('one.txt', RecentList, 'a saved file enters the recent list');
  ChooseItem('FileMenu', 'FileExitItem');
  Check(Application.Terminated, 'File > Exit ends the application');
  CheckCount(0, Questions.Count, 'questions asked');
  EndApplication;
  Start('no MDI, close button');
  Quit(qCloseButton);
  Check(Application.Terminated, 'the close button ends the application');
  EndApplication;
end;

procedure NoMenus;
var
  Child: TMDIChildForm;
begin
  Start('no menus, close button');
  Check(Frame.FindComponent('FileMenu') = nil, 'no File menu');
  Child := TMDIChildForm.Create(Application);
  Child.Caption := 'Notes';
  Child.Modified := True;
  Answer([mrCancel]);
  Quit(qCloseButton);
  Check(not Application.Terminated, 'Cancel keeps the application');
  CheckCount(1, Questions.Count, 'questions asked');
  if Questions.Count > 0 then
    CheckText(Question('Notes'), Questions[0], 'the question');
  Answer([mrNo]);
  Quit(qCloseButton);
  Check(Application.Terminated, 'No ends the application');
  EndApplication;
end;

procedure QuitByExit;
begin
  QuitScenarios(qExit);
end;

procedure QuitByCloseButton;
begin
  QuitScenarios(qCloseButton);
end;

procedure QuitByEndOfSession;
begin
  QuitScenarios(qEndSession);
end;

{ a group of scenarios; an exception fails it and the next group starts
  with a fresh application }
procedure Run(Group: TProcedure);
begin
  try
    Group;
  except
    on E: Exception do
    begin
      Inc(Failures);
      WriteLn('FAIL [', Options, '] ', Scenario, ': ', E.ClassName, ': ', E.Message);
      { the forms still see the application while they are destroyed }
      Application.Free;
      Application := nil;
    end;
  end;
end;

begin
  if ParamCount <> 3 then
  begin
    WriteLn('usage: app_behaviour PROJECT SCRATCH OPTIONS');
    Halt(2);
  end;
  ProjectDir := ParamStr(1);
  ScratchDir := ParamStr(2);
  Options := ParamStr(3);
  FormLoader := LoadForm;
  if (Options = 'mdi') or (Options = 'mdi-registry') then
  begin
    Run(DocumentsAndWindowMenu);
    Run(FileMenuRules);
    Run(QuitByExit);
    Run(QuitByCloseButton);
    Run(QuitByEndOfSession);
    Run(CloseAndRecent);
    if Options = 'mdi-registry' then
      Run(RegistryList);
  end
  else if Options = 'no-mdi' then
    Run(SingleDocument)
  else if Options = 'no-menus' then
    Run(NoMenus)
  else
  begin
    WriteLn('unknown option set ', Options);
    Halt(2);
  end;
  if Failures > 0 then
  begin
    WriteLn(Failures, ' check(s) failed');
    Halt(1);
  end;
  WriteLn('app behaviour [', Options, ']: all checks passed');
end.
