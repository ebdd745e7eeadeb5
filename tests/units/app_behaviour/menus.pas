{ Stand-in for the menu unit with the VCL's item lists: an item sits under at
  most one parent (inserting it again raises EMenuError), Remove of an item
  that is not there raises, Delete takes an item out without freeing it (its
  owner still does), destroying an item takes it out of its parent and frees
  its own items. Click runs OnClick only while the item is enabled. }
unit Menus;

interface

uses
  SysUtils, Classes, Graphics, ImgList;

type
  EMenuError = class(Exception);

  TMenuItem = class(TComponent)
  private
    FBitmap: TBitmap;
    FCaption: string;
    FChecked: Boolean;
    FEnabled: Boolean;
    FHint: string;
    FImageIndex: Integer;
    FItems: TList;
    FParent: TMenuItem;
    FVisible: Boolean;
    FOnClick: TNotifyEvent;
    function GetCount: Integer;
    function GetItem(Index: Integer): TMenuItem;
    procedure SetBitmap(Value: TBitmap);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    procedure Add(Item: TMenuItem);
    procedure Clear;
    procedure Click; virtual;
    procedure Delete(Index: Integer);
    function IndexOf(Item: TMenuItem): Integer;
    procedure Insert(Index: Integer; Item: TMenuItem);
    procedure Remove(Item: TMenuItem);
    property Count: Integer read GetCount;
    property Items[Index: Integer]: TMenuItem read GetItem; default;
    property Parent: TMenuItem read FParent;
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
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    property Items: TMenuItem read FItems;
  published
    property Images: TCustomImageList read FImages write FImages;
  end;

  TMainMenu = class(TMenu)
  end;

implementation

constructor TMenuItem.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FItems := TList.Create;
  FEnabled := True;
  FVisible := True;
  FImageIndex := -1;
end;

destructor TMenuItem.Destroy;
begin
  if FParent <> nil then
    FParent.Remove(Self);
  while Count > 0 do
    Items[0].Free;
  FItems.Free;
  inherited Destroy;
end;

function TMenuItem.GetCount: Integer;
begin
  Result := FItems.Count;
end;

function TMenuItem.GetItem(Index: Integer): TMenuItem;
begin
  if (Index < 0) or (Index >= FItems.Count) then
    raise EMenuError.CreateFmt('Menu index out of range: %d', [Index]);
  Result := TMenuItem(FItems[Index]);
end;

procedure TMenuItem.SetBitmap(Value: TBitmap);
begin
  FBitmap := Value;
end;

procedure TMenuItem.Add(Item: TMenuItem);
begin
  Insert(Count, Item);
end;

procedure TMenuItem.Clear;
begin
  while Count > 0 do
    Items[0].Free;
end;

procedure TMenuItem.Click;
begin
  if Enabled and Assigned(FOnClick) then
    FOnClick(Self);
end;

procedure TMenuItem.Delete(Index: Integer);
var
  Item: TMenuItem;
begin
  Item := Items[Index];
  FItems.Delete(Index);
  Item.FParent := nil;
end;

function TMenuItem.IndexOf(Item: TMenuItem): Integer;
begin
  Result := FItems.IndexOf(Item);
end;

procedure TMenuItem.Insert(Index: Integer; Item: TMenuItem);
begin
  if Item.FParent <> nil then
    raise EMenuError.Create('Menu inserted twice');
  if (Index < 0) or (Index > FItems.Count) then
    raise EMenuError.CreateFmt('Menu index out of range: %d', [Index]);
  FItems.Insert(Index, Item);
  Item.FParent := Self;
end;

procedure TMenuItem.Remove(Item: TMenuItem);
var
  I: Integer;
begin
  I := IndexOf(Item);
  if I = -1 then
    raise EMenuError.Create('Sub-menu is not in menu');
  Delete(I);
end;

constructor TMenu.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FItems := TMenuItem.Create(Self);
end;

destructor TMenu.Destroy;
begin
  inherited Destroy;
end;

end.
