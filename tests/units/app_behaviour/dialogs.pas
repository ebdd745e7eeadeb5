{ Stand-in for the dialog unit; the test plays the user. A message box is a
  modal dialog: its loop delivers the messages already queued before the
  user answers, and it ends with mrCancel, unanswered, once the application
  has terminated. Otherwise the question is recorded and answered with the
  next scripted answer, which must be one of the box's buttons. The file
  dialogs take the next scripted file name; an empty one is Cancel. }
unit Dialogs;

interface

uses
  Windows, Classes, SysUtils, Controls, Forms;

type
  TMsgDlgType = (mtWarning, mtError, mtInformation, mtConfirmation, mtCustom);
  TMsgDlgBtn = (mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore,
    mbAll, mbNoToAll, mbYesToAll, mbHelp);
  TMsgDlgButtons = set of TMsgDlgBtn;

  TCommonDialog = class(TComponent)
  public
    function Execute: Boolean; virtual; abstract;
  end;

  TOpenDialog = class(TCommonDialog)
  private
    FDefaultExt: string;
    FFileName: TFileName;
    FFilter: string;
    FFilterIndex: Integer;
    FTitle: string;
  public
    function Execute: Boolean; override;
  published
    property DefaultExt: string read FDefaultExt write FDefaultExt;
    property FileName: TFileName read FFileName write FFileName;
    property Filter: string read FFilter write FFilter;
    property FilterIndex: Integer read FFilterIndex write FFilterIndex default 1;
    property Title: string read FTitle write FTitle;
  end;

  TSaveDialog = class(TOpenDialog)
  end;

  TPrintDialog = class(TCommonDialog)
  public
    function Execute: Boolean; override;
  end;

  TPrinterSetupDialog = class(TCommonDialog)
  public
    function Execute: Boolean; override;
  end;

function MessageDlg(const Msg: string; DlgType: TMsgDlgType;
  Buttons: TMsgDlgButtons; HelpCtx: Longint): Integer;
procedure ShowMessage(const Msg: string);

var
  { what the user answers, in turn; what the boxes asked }
  Answers: array of Integer;
  Questions: TStringList;
  { the file names the user picks in file dialogs, in turn; '' cancels;
    each shown dialog is recorded as 'class: initial file name' }
  FileChoices: TStringList;
  FileDialogsShown: TStringList;
  { a question or dialog nobody scripted }
  Unscripted: TStringList;

implementation

function ButtonFor(Answer: Integer): TMsgDlgBtn;
begin
  case Answer of
    mrYes: Result := mbYes;
    mrNo: Result := mbNo;
    mrOk: Result := mbOK;
    mrCancel: Result := mbCancel;
  else
    Result := mbHelp;
  end;
end;

function MessageDlg(const Msg: string; DlgType: TMsgDlgType;
  Buttons: TMsgDlgButtons; HelpCtx: Longint): Integer;
begin
  Application.ProcessMessages;
  if Application.Terminated then
    Exit(mrCancel);
  Questions.Add(Msg);
  if Length(Answers) = 0 then
  begin
    Unscripted.Add('question: ' + Msg);
    Exit(mrCancel);
  end;
  Result := Answers[0];
  Delete(Answers, 0, 1);
  if not (ButtonFor(Result) in Buttons) then
    raise Exception.CreateFmt('the box "%s" has no button for answer %d', [Msg, Result]);
end;

procedure ShowMessage(const Msg: string);
begin
  MessageDlg(Msg, mtCustom, [mbOK], 0);
end;

function TOpenDialog.Execute: Boolean;
begin
  FileDialogsShown.Add(ClassName + ': ' + FileName);
  if FileChoices.Count = 0 then
  begin
    Unscripted.Add(ClassName);
    Exit(False);
  end;
  Result := FileChoices[0] <> '';
  if Result then
    FileName := FileChoices[0];
  FileChoices.Delete(0);
end;

function TPrintDialog.Execute: Boolean;
begin
  Result := False;
end;

function TPrinterSetupDialog.Execute: Boolean;
begin
  Result := False;
end;

initialization
  Questions := TStringList.Create;
  FileChoices := TStringList.Create;
  FileDialogsShown := TStringList.Create;
  Unscripted := TStringList.Create;
finalization
  Questions.Free;
  FileChoices.Free;
  FileDialogsShown.Free;
  Unscripted.Free;
end.
