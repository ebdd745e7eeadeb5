{ Stand-in for the control unit. A windowed control gets its window handle
  the first time it is asked for it and gives it up when it is destroyed;
  messages reach the control through Dispatch, as the window procedure hands
  them to the message methods. }
unit Controls;

interface

uses
  Windows, Messages, Classes, Graphics, ImgList;

const
  mrNone = 0;
  mrOk = 1;
  mrCancel = 2;
  mrAbort = 3;
  mrRetry = 4;
  mrIgnore = 5;
  mrYes = 6;
  mrNo = 7;
  mrAll = mrNo + 1;
  mrNoToAll = mrAll + 1;
  mrYesToAll = mrNoToAll + 1;

  CM_BASE = $B000;
  CM_RELEASE = CM_BASE + 33;

type
  TModalResult = Low(Integer)..High(Integer);
  TCaption = type string;
  TAlign = (alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom);

  TControl = class(TComponent)
  private
    FCaption: TCaption;
    FColor: TColor;
    FEnabled: Boolean;
    FHint: string;
    FShowHint: Boolean;
    FVisible: Boolean;
    FAlign: TAlign;
  protected
    procedure SetCaption(const Value: TCaption); virtual;
    property Caption: TCaption read FCaption write SetCaption;
    property Color: TColor read FColor write FColor;
    property ShowHint: Boolean read FShowHint write FShowHint;
  public
    constructor Create(AOwner: TComponent); override;
    procedure BringToFront; virtual;
    procedure Hide;
    procedure SendToBack;
    procedure Show;
    procedure Update; virtual;
    property Align: TAlign read FAlign write FAlign default alNone;
    property Enabled: Boolean read FEnabled write FEnabled default True;
  published
    property Hint: string read FHint write FHint;
    property Visible: Boolean read FVisible write FVisible default True;
  end;

  TWinControl = class(TControl)
  private
    FHandle: HWND;
    function GetHandle: HWND;
  public
    destructor Destroy; override;
    function Focused: Boolean; dynamic;
    function HandleAllocated: Boolean;
    procedure SetFocus; virtual;
    property Handle: HWND read GetHandle;
  end;

  TGraphicControl = class(TControl)
  end;

  TCustomControl = class(TWinControl)
  end;

  TDragImageList = class(TCustomImageList)
  end;

  TImageList = class(TDragImageList)
  end;

{ the control whose window has the handle, nil when there is none }
function FindControl(Handle: HWND): TWinControl;

implementation

var
  Windows_: TList;
  NextHandle: HWND = 1000;

constructor TControl.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FEnabled := True;
  FVisible := True;
end;

procedure TControl.SetCaption(const Value: TCaption);
begin
  FCaption := Value;
end;

procedure TControl.BringToFront;
begin
end;

procedure TControl.Hide;
begin
  Visible := False;
end;

procedure TControl.SendToBack;
begin
end;

procedure TControl.Show;
begin
  Visible := True;
end;

procedure TControl.Update;
begin
end;

function TWinControl.GetHandle: HWND;
begin
  if FHandle = 0 then
  begin
    if csDestroying in ComponentState then
      raise EComponentError.Create('Control has no parent window');
    FHandle := NextHandle;
    Inc(NextHandle);
    Windows_.Add(Self);
  end;
  Result := FHandle;
end;

destructor TWinControl.Destroy;
begin
  Windows_.Remove(Self);
  FHandle := 0;
  inherited Destroy;
end;

function TWinControl.Focused: Boolean;
begin
  Result := False;
end;

function TWinControl.HandleAllocated: Boolean;
begin
  Result := FHandle <> 0;
end;

procedure TWinControl.SetFocus;
begin
end;

function FindControl(Handle: HWND): TWinControl;
var
  I: Integer;
begin
  for I := 0 to Windows_.Count - 1 do
    if TWinControl(Windows_[I]).FHandle = Handle then
      Exit(TWinControl(Windows_[I]));
  Result := nil;
end;

function Deliver(Wnd: HWND; Msg: UINT; WParam: WPARAM; LParam: LPARAM): LRESULT;
var
  Control: TWinControl;
  M: TMessage;
begin
  Result := 0;
  Control := FindControl(Wnd);
  if Control = nil then
    Exit;
  FillChar(M, SizeOf(M), 0);
  M.Msg := Msg;
  M.WParam := WParam;
  M.LParam := LParam;
  Control.Dispatch(M);
  Result := M.Result;
end;

initialization
  Windows_ := TList.Create;
  DeliverMessage := Deliver;
finalization
  Windows_.Free;
end.
