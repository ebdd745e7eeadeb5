{ Stand-in for the forms unit with the VCL's life of a form, without a
  window system:
  - creating a form hands it to FormLoader, which does what reading its form
    file does (components, properties, event bindings), then OnCreate runs;
    an MDI child needs an MDI frame as main form, becomes the front (active)
    child and gets OnActivate, the child it covers OnDeactivate;
  - MDIChildren lists the children front to back;
  - Close asks CloseQuery; an MDI frame's CloseQuery first asks each child's
    CloseQuery, front to back, and stops at the first refusal; then
    OnCloseQuery. If the close goes ahead, the main form terminates the
    application, an MDI child is only minimised (its default close action),
    another form is hidden;
  - the system close command and WM_CLOSE close the form; WM_QUERYENDSESSION
    answers with CloseQuery;
  - Release posts CM_RELEASE to the form, which frees it when delivered;
  - Terminate posts the quit message: the message loop delivers what is
    already queued and only then ends (Terminated). Destroying the
    application frees its forms, the last created first;
  - OnDestroy runs before the form's components are freed. }
unit Forms;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Menus;

type
  TFormStyle = (fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);
  TWindowState = (wsNormal, wsMinimized, wsMaximized);
  TCloseAction = (caNone, caHide, caFree, caMinimize);
  TCloseEvent = procedure(Sender: TObject; var Action: TCloseAction) of object;
  TCloseQueryEvent = procedure(Sender: TObject; var CanClose: Boolean) of object;

  TScrollingWinControl = class(TWinControl)
  end;

  TForm = class;
  TCustomForm = class;
  TFormEvent = procedure(Form: TCustomForm);

  TCustomForm = class(TScrollingWinControl)
  private
    FFormStyle: TFormStyle;
    FIcon: TIcon;
    FMenu: TMainMenu;
    FModalResult: TModalResult;
    FWindowState: TWindowState;
    FChildren: TList;
    FOnActivate: TNotifyEvent;
    FOnClose: TCloseEvent;
    FOnCloseQuery: TCloseQueryEvent;
    FOnCreate: TNotifyEvent;
    FOnDeactivate: TNotifyEvent;
    FOnDestroy: TNotifyEvent;
    function GetActiveMDIChild: TForm;
    function GetMDIChildCount: Integer;
    function GetMDIChildren(I: Integer): TForm;
    procedure CMRelease(var Message: TMessage); message CM_RELEASE;
    procedure WMClose(var Message: TMessage); message WM_CLOSE;
    procedure WMQueryEndSession(var Message: TMessage); message WM_QUERYENDSESSION;
    procedure WMSysCommand(var Message: TMessage); message WM_SYSCOMMAND;
  protected
    procedure Activate; dynamic;
    procedure Deactivate; dynamic;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    procedure AfterConstruction; override;
    procedure BeforeDestruction; override;
    procedure BringToFront; override;
    procedure Close;
    function CloseQuery: Boolean; virtual;
    procedure Print;
    procedure Release;
    function ShowModal: Integer; virtual;
    property ActiveMDIChild: TForm read GetActiveMDIChild;
    property MDIChildCount: Integer read GetMDIChildCount;
    property MDIChildren[I: Integer]: TForm read GetMDIChildren;
    property ModalResult: TModalResult read FModalResult write FModalResult;
    property Icon: TIcon read FIcon write FIcon;
  published
    property Caption;
    property Color;
    property ShowHint;
    property FormStyle: TFormStyle read FFormStyle write FFormStyle default fsNormal;
    property Menu: TMainMenu read FMenu write FMenu;
    property WindowState: TWindowState read FWindowState write FWindowState default wsNormal;
    property OnActivate: TNotifyEvent read FOnActivate write FOnActivate;
    property OnClose: TCloseEvent read FOnClose write FOnClose;
    property OnCloseQuery: TCloseQueryEvent read FOnCloseQuery write FOnCloseQuery;
    property OnCreate: TNotifyEvent read FOnCreate write FOnCreate;
    property OnDeactivate: TNotifyEvent read FOnDeactivate write FOnDeactivate;
    property OnDestroy: TNotifyEvent read FOnDestroy write FOnDestroy;
  end;

  TForm = class(TCustomForm)
  public
    procedure ArrangeIcons;
    procedure Cascade;
    procedure Next;
    procedure Previous;
    procedure Tile;
  end;

  TFormClass = class of TForm;

  TApplication = class(TComponent)
  private
    FHint: string;
    FMainForm: TForm;
    FOnHint: TNotifyEvent;
    FQuitPosted: Boolean;
    FTerminated: Boolean;
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
    procedure Terminate;
    property ExeName: string read GetExeName;
    property Handle: HWND read GetHandle;
    property Hint: string read FHint write FHint;
    property MainForm: TForm read FMainForm;
    property Terminated: Boolean read FTerminated;
    property Title: string read FTitle write FTitle;
    property OnHint: TNotifyEvent read FOnHint write FOnHint;
  end;

var
  Application: TApplication;
  FormLoader: TFormEvent;

implementation

{ The MDI frame the children live in: the main form, when it is one. }
function Frame: TCustomForm;
begin
  Result := nil;
  if (Application <> nil) and (Application.MainForm <> nil) and
    (Application.MainForm.FormStyle = fsMDIForm) then
    Result := Application.MainForm;
end;

constructor TCustomForm.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FChildren := TList.Create;
  if Assigned(FormLoader) then
    FormLoader(Self);
end;

procedure TCustomForm.AfterConstruction;
var
  F: TCustomForm;
begin
  inherited AfterConstruction;
  if FormStyle = fsMDIChild then
  begin
    F := Frame;
    if F = nil then
      raise EInvalidOperation.Create('Cannot create form. No MDI forms are currently active');
    if F.FChildren.Count > 0 then
      TCustomForm(F.FChildren[0]).Deactivate;
    F.FChildren.Insert(0, Self);
  end;
  if Assigned(FOnCreate) then
    FOnCreate(Self);
  if FormStyle = fsMDIChild then
    Activate;
end;

procedure TCustomForm.BeforeDestruction;
begin
  inherited BeforeDestruction;
  if Assigned(FOnDestroy) then
    FOnDestroy(Self);
end;

destructor TCustomForm.Destroy;
var
  F: TCustomForm;
  WasActive: Boolean;
begin
  F := Frame;
  if (FormStyle = fsMDIChild) and (F <> nil) and (F <> Self) then
  begin
    WasActive := (F.FChildren.Count > 0) and (F.FChildren[0] = Pointer(Self));
    F.FChildren.Remove(Self);
    if WasActive and (F.FChildren.Count > 0) then
      TCustomForm(F.FChildren[0]).Activate;
  end;
  if (Application <> nil) and (Application.FMainForm = Self) then
    Application.FMainForm := nil;
  FChildren.Free;
  inherited Destroy;
end;

procedure TCustomForm.Activate;
begin
  if Assigned(FOnActivate) then
    FOnActivate(Self);
end;

procedure TCustomForm.Deactivate;
begin
  if Assigned(FOnDeactivate) then
    FOnDeactivate(Self);
end;

procedure TCustomForm.BringToFront;
var
  F: TCustomForm;
begin
  F := Frame;
  if (FormStyle <> fsMDIChild) or (F = nil) or (F.FChildren.IndexOf(Self) <= 0) then
    Exit;
  TCustomForm(F.FChildren[0]).Deactivate;
  F.FChildren.Remove(Self);
  F.FChildren.Insert(0, Self);
  Activate;
end;

function TCustomForm.GetActiveMDIChild: TForm;
begin
  Result := nil;
  if (FormStyle = fsMDIForm) and (FChildren.Count > 0) then
    Result := TForm(FChildren[0]);
end;

function TCustomForm.GetMDIChildCount: Integer;
begin
  Result := 0;
  if FormStyle = fsMDIForm then
    Result := FChildren.Count;
end;

function TCustomForm.GetMDIChildren(I: Integer): TForm;
begin
  if (FormStyle <> fsMDIForm) or (I < 0) or (I >= FChildren.Count) then
    raise EListError.CreateFmt('MDI child index %d out of bounds', [I]);
  Result := TForm(FChildren[I]);
end;

function TCustomForm.CloseQuery: Boolean;
var
  I: Integer;
begin
  if FormStyle = fsMDIForm then
  begin
    Result := False;
    for I := 0 to MDIChildCount - 1 do
      if not MDIChildren[I].CloseQuery then
        Exit;
  end;
  Result := True;
  if Assigned(FOnCloseQuery) then
    FOnCloseQuery(Self, Result);
end;

procedure TCustomForm.Close;
var
  Action: TCloseAction;
begin
  if not CloseQuery then
    Exit;
  if FormStyle = fsMDIChild then
    Action := caMinimize
  else
    Action := caHide;
  if Assigned(FOnClose) then
    FOnClose(Self, Action);
  if Action = caNone then
    Exit;
  if Application.MainForm = Self then
    Application.Terminate
  else if Action = caHide then
    Hide
  else if Action = caMinimize then
    WindowState := wsMinimized
  else
    Release;
end;

procedure TCustomForm.Print;
begin
end;

procedure TCustomForm.Release;
begin
  PostMessage(Handle, CM_RELEASE, 0, 0);
end;

function TCustomForm.ShowModal: Integer;
begin
  Result := mrCancel;
end;

procedure TCustomForm.CMRelease(var Message: TMessage);
begin
  Free;
end;

procedure TCustomForm.WMClose(var Message: TMessage);
begin
  Close;
end;

procedure TCustomForm.WMQueryEndSession(var Message: TMessage);
begin
  Message.Result := Ord(CloseQuery);
end;

procedure TCustomForm.WMSysCommand(var Message: TMessage);
begin
  { the default window procedure turns the close command into WM_CLOSE }
  if (Message.WParam and $FFF0) = SC_CLOSE then
    SendMessage(Handle, WM_CLOSE, 0, 0);
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
  Result := ParamStr(0);
end;

function TApplication.GetHandle: HWND;
begin
  Result := 0;
end;

procedure TApplication.CreateForm(InstanceClass: TComponentClass; var Reference);
var
  Instance: TComponent;
begin
  Instance := InstanceClass.Create(Self);
  TComponent(Reference) := Instance;
  if (FMainForm = nil) and (Instance is TForm) then
    FMainForm := TForm(Instance);
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
var
  M: TQueuedMessage;
begin
  while TakePostedMessage(M) do
    SendMessage(M.Wnd, M.Msg, M.WParam, M.LParam);
  { the quit message comes only once the queue is empty }
  if FQuitPosted then
    FTerminated := True;
end;

procedure TApplication.Restore;
begin
end;

procedure TApplication.Terminate;
begin
  FQuitPosted := True;
end;

initialization
  Application := TApplication.Create(nil);
finalization
  FreeAndNil(Application);
end.
