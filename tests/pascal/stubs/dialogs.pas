{ Stand-in for the dialog unit: the common dialogs and message boxes. }
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
  public
    function Execute: Boolean; override;
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

implementation

function TOpenDialog.Execute: Boolean;
begin
  Result := False;
end;

function TSaveDialog.Execute: Boolean;
begin
  Result := False;
end;

function TPrintDialog.Execute: Boolean;
begin
  Result := False;
end;

function TPrinterSetupDialog.Execute: Boolean;
begin
  Result := False;
end;

function MessageDlg(const Msg: string; DlgType: TMsgDlgType;
  Buttons: TMsgDlgButtons; HelpCtx: Longint): Integer;
begin
  Result := mrNone;
end;

procedure ShowMessage(const Msg: string);
begin
end;

end.
