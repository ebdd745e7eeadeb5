{ Stand-in for the forms unit: forms, MDI frames and children, and the
  application object, with the declarations of the real unit. }
unit Forms;

interface

uses
  Windows, Messages, Classes, Graphics, Controls, Menus;

type
  TFormStyle = (fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);
  TWindowState = (wsNormal, wsMinimized, wsMaximized);
  TCloseQueryEvent = procedure(Sender: TObject; var CanClose: Boolean) of object;

  TScrollingWinControl = class(TWinControl)
  end;

  TForm = class;

  TCustomForm = class(TScrollingWinControl)
  private
    FFormStyle: TFormStyle;
    FIcon: TIcon;
    FMenu: TMainMenu;
    FModalResult: TModalResult;
    FWindowState: TWindowState;
    FOnCloseQuery: TCloseQueryEvent;
    function GetActiveMDIChild: TForm;
    function GetMDIChildCount: Integer;
    function GetMDIChildren(I: Integer): TForm;
  protected
    procedure Activate; dynamic;
    procedure Deactivate; dynamic;
    property ActiveMDIChild: TForm read GetActiveMDIChild;
    property FormStyle: TFormStyle read FFormStyle write FFormStyle default fsNormal;
    property Icon: TIcon read FIcon write FIcon;
    property MDIChildCount: Integer read GetMDIChildCount;
    property MDIChildren[I: Integer]: TForm read GetMDIChildren;
  public
    constructor Create(AOwner: TComponent); override;
    procedure Close;
    function CloseQuery: Boolean; virtual;
    procedure Print;
    procedure Release;
    procedure Show;
    function ShowModal: Integer; virtual;
    property Caption;
    property Menu: TMainMenu read FMenu write FMenu;
    property ModalResult: TModalResult read FModalResult write FModalResult;
    property WindowState: TWindowState read FWindowState write FWindowState default wsNormal;
  end;

  TForm = class(TCustomForm)
  public
    procedure ArrangeIcons;
    procedure Cascade;
    procedure Next;
    procedure Previous;
    procedure Tile;
    property ActiveMDIChild;
    property MDIChildCount;
    property MDIChildren;
  published
    property Caption;
    property Color;
    property FormStyle;
    property Icon;
    property ShowHint;
    property Visible;
    property WindowState;
    property OnCloseQuery: TCloseQueryEvent read FOnCloseQuery write FOnCloseQuery;
  end;

  TFormClass = class of TForm;

  TApplication = class(TComponent)
  private
    FHint: string;
    FOnHint: TNotifyEvent;
    FTitle: string;
    function GetExeName: string;
    function GetHandle: HWND;
  public
    procedure CreateForm(InstanceClass: TComponentClass; var Reference); virtual;
    function HelpCommand(Command: Integer; Data: Longint): Boolean;
    procedure Initialize;
    procedure Minimize;
    procedure ProcessMessages;
    procedure Restore;
    procedure Run;
    procedure Terminate;
    property ExeName: string read GetExeName;
    property Handle: HWND read GetHandle;
    property Hint: string read FHint write FHint;
    property Title: string read FTitle write FTitle;
    property OnHint: TNotifyEvent read FOnHint write FOnHint;
  end;

var
  Application: TApplication;

implementation

function TCustomForm.GetActiveMDIChild: TForm;
begin
  Result := nil;
end;

function TCustomForm.GetMDIChildCount: Integer;
begin
  Result := 0;
end;

function TCustomForm.GetMDIChildren(I: Integer): TForm;
begin
  Result := nil;
end;

procedure TCustomForm.Activate;
begin
end;

procedure TCustomForm.Deactivate;
begin
end;

constructor TCustomForm.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
end;

procedure TCustomForm.Close;
begin
end;

function TCustomForm.CloseQuery: Boolean;
begin
  Result := True;
end;

procedure TCustomForm.Print;
begin
end;

procedure TCustomForm.Release;
begin
end;

procedure TCustomForm.Show;
begin
end;

function TCustomForm.ShowModal: Integer;
begin
  Result := mrNone;
end;

procedure TForm.ArrangeIcons;
begin
end;

procedure TForm.Cascade;
begin
end;

procedure TForm.Next;
begin
end;

procedure TForm.Previous;
begin
end;

procedure TForm.Tile;
begin
end;

function TApplication.GetExeName: string;
begin
  Result := '';
end;

function TApplication.GetHandle: HWND;
begin
  Result := 0;
end;

procedure TApplication.CreateForm(InstanceClass: TComponentClass; var Reference);
begin
end;

function TApplication.HelpCommand(Command: Integer; Data: Longint): Boolean;
begin
  Result := False;
end;

procedure TApplication.Initialize;
begin
end;

procedure TApplication.Minimize;
begin
end;

procedure TApplication.ProcessMessages;
begin
end;

procedure TApplication.Restore;
begin
end;

procedure TApplication.Run;
begin
end;

procedure TApplication.Terminate;
begin
end;

end.
