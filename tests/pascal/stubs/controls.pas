{ Stand-in for the control unit: the control classes, the image list and the
  modal results, with the declarations of the real unit. }
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
    property Caption: TCaption read FCaption write FCaption;
    property Color: TColor read FColor write FColor;
    property ShowHint: Boolean read FShowHint write FShowHint;
  public
    procedure BringToFront;
    procedure Hide;
    procedure SendToBack;
    procedure Show;
    procedure Update; virtual;
    property Align: TAlign read FAlign write FAlign default alNone;
    property Enabled: Boolean read FEnabled write FEnabled default True;
    property Visible: Boolean read FVisible write FVisible default True;
  published
    property Hint: string read FHint write FHint;
  end;

  TWinControl = class(TControl)
  private
    FHandle: HWND;
  public
    function Focused: Boolean; dynamic;
    procedure SetFocus; virtual;
    property Handle: HWND read FHandle;
  end;

  TGraphicControl = class(TControl)
  end;

  TCustomControl = class(TWinControl)
  end;

  TDragImageList = class(TCustomImageList)
  end;

  TImageList = class(TDragImageList)
  end;

implementation

procedure TControl.BringToFront;
begin
end;

procedure TControl.Hide;
begin
end;

procedure TControl.SendToBack;
begin
end;

procedure TControl.Show;
begin
end;

procedure TControl.Update;
begin
end;

function TWinControl.Focused: Boolean;
begin
  Result := False;
end;

procedure TWinControl.SetFocus;
begin
end;

end.
