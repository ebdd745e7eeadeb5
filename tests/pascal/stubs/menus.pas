{ Stand-in for the menu unit: menus and menu items. }
unit Menus;

interface

uses
  Classes, Graphics, ImgList;

type
  TMenuItem = class(TComponent)
  private
    FBitmap: TBitmap;
    FCaption: string;
    FChecked: Boolean;
    FEnabled: Boolean;
    FHint: string;
    FImageIndex: Integer;
    FVisible: Boolean;
    FOnClick: TNotifyEvent;
    function GetCount: Integer;
    function GetItem(Index: Integer): TMenuItem;
    procedure SetBitmap(Value: TBitmap);
  public
    constructor Create(AOwner: TComponent); override;
    procedure Add(Item: TMenuItem);
    procedure Clear;
    procedure Click; virtual;
    procedure Delete(Index: Integer);
    function IndexOf(Item: TMenuItem): Integer;
    procedure Insert(Index: Integer; Item: TMenuItem);
    procedure Remove(Item: TMenuItem);
    property Count: Integer read GetCount;
    property Items[Index: Integer]: TMenuItem read GetItem; default;
  published
    property Bitmap: TBitmap read FBitmap write SetBitmap;
    property Caption: string read FCaption write FCaption;
    property Checked: Boolean read FChecked write FChecked default False;
    property Enabled: Boolean read FEnabled write FEnabled default True;
    property Hint: string read FHint write FHint;
    property ImageIndex: Integer read FImageIndex write FImageIndex default -1;
    property Visible: Boolean read FVisible write FVisible default True;
    property OnClick: TNotifyEvent read FOnClick write FOnClick;
  end;

  TMenu = class(TComponent)
  private
    FImages: TCustomImageList;
    FItems: TMenuItem;
  public
    property Images: TCustomImageList read FImages write FImages;
    property Items: TMenuItem read FItems;
  end;

  TMainMenu = class(TMenu)
  end;

implementation

constructor TMenuItem.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
end;

function TMenuItem.GetCount: Integer;
begin
  Result := 0;
end;

function TMenuItem.GetItem(Index: Integer): TMenuItem;
begin
  Result := nil;
end;

procedure TMenuItem.SetBitmap(Value: TBitmap);
begin
end;

procedure TMenuItem.Add(Item: TMenuItem);
begin
end;

procedure TMenuItem.Clear;
begin
end;

procedure TMenuItem.Click;
begin
end;

procedure TMenuItem.Delete(Index: Integer);
begin
end;

function TMenuItem.IndexOf(Item: TMenuItem): Integer;
begin
  Result := -1;
end;

procedure TMenuItem.Insert(Index: Integer; Item: TMenuItem);
begin
end;

procedure TMenuItem.Remove(Item: TMenuItem);
begin
end;

end.
