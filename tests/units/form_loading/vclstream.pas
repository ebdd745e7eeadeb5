{ Streaming stand-ins of the form library: the component classes our
  generated forms use, publishing the properties and events the form library
  publishes for them, with its types and identifiers, so that Free Pascal's
  TReader loads a generated binary form file into them the way the running
  application's form library would, and refuses what it would refuse.

  Nothing here draws or runs; only what streaming needs is modelled: the
  published properties, the defined properties (a component's Left/Top,
  TPicture.Data, TGraphic.Data, TImageList.Bitmap, the form's TextHeight),
  parenting of controls and menu items, and the integer identifiers
  (colours, cursors, character sets). Where the form library would quietly
  drop a broken value (a picture naming no known graphic class, a menu item
  under a control) these stand-ins raise: the generated forms must not
  contain such things. }
unit vclstream;

{$mode delphi}{$H+}

interface

uses Classes, SysUtils, Types;

type
  { Graphics }
  TColor = -$7FFFFFFF-1..$7FFFFFFF;
  TFontCharset = 0..255;
  TFontName = type string;
  TFontPitch = (fpDefault, fpVariable, fpFixed);
  TFontStyle = (fsBold, fsItalic, fsUnderline, fsStrikeOut);
  TFontStyles = set of TFontStyle;

  { Controls }
  TCursor = -32768..32767;
  TCaption = type string;
  TAlign = (alNone, alTop, alBottom, alLeft, alRight, alClient);
  TAnchorKind = (akLeft, akTop, akRight, akBottom);
  TAnchors = set of TAnchorKind;
  TDragMode = (dmManual, dmAutomatic);
  TDragKind = (dkDrag, dkDock);
  TDragState = (dsDragEnter, dsDragLeave, dsDragMove);
  TBiDiMode = (bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign,
    bdRightToLeftReadingOnly);
  TImeMode = (imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha,
    imHira, imSKata, imKata, imChinese, imSHanguel, imHanguel);
  TImeName = type string;
  TTabOrder = -1..32767;
  TConstraintSize = 0..MaxInt;
  TBorderWidth = 0..MaxInt;
  THelpContext = -MaxLongint..MaxLongint;
  TModalResult = Low(Integer)..High(Integer);
  TImageIndex = type Integer;
  TShortCut = Low(Word)..High(Word);
  TMouseButton = (mbLeft, mbRight, mbMiddle);

  { Forms }
  TFormStyle = (fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);
  TFormBorderStyle = (bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow,
    bsSizeToolWin);
  TBorderStyle = bsNone..bsSingle;
  TBorderIcon = (biSystemMenu, biMinimize, biMaximize, biHelp);
  TBorderIcons = set of TBorderIcon;
  TPosition = (poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly,
    poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter);
  TWindowState = (wsNormal, wsMinimized, wsMaximized);
  TDefaultMonitor = (dmDesktop, dmPrimary, dmMainForm, dmActiveForm);
  TPrintScale = (poNone, poProportional, poPrintToFit);
  TCloseAction = (caNone, caHide, caFree, caMinimize);
  TScrollBarInc = 1..32767;

  { StdCtrls, ExtCtrls, Buttons, ComCtrls, ImgList, Menus, Dialogs }
  TAlignment = (taLeftJustify, taRightJustify, taCenter);
  TTextLayout = (tlTop, tlCenter, tlBottom);
  TScrollStyle = (ssNone, ssHorizontal, ssVertical, ssBoth);
  TEditCharCase = (ecNormal, ecUpperCase, ecLowerCase);
  TBevelCut = (bvNone, bvLowered, bvRaised, bvSpace);
  TBevelWidth = 1..MaxInt;
  TButtonLayout = (blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom);
  TNumGlyphs = 1..4;
  TStatusPanelStyle = (psText, psOwnerDraw);
  TStatusPanelBevel = (pbNone, pbLowered, pbRaised);
  TDrawingStyle = (dsFocus, dsSelected, dsNormal, dsTransparent);
  TImageType = (itImage, itMask);
  TMenuItemAutoFlag = (maAutomatic, maManual, maParent);
  TMenuAutoFlag = maAutomatic..maManual;
  TMenuBreak = (mbNone, mbBreak, mbBarBreak);
  TOpenOption = (ofReadOnly, ofOverwritePrompt, ofHideReadOnly,
    ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
    ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
    ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton,
    ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks,
    ofEnableIncludeNotify, ofEnableSizing);
  TOpenOptions = set of TOpenOption;
  TPrintRange = (prAllPages, prSelection, prPageNums);
  TPrintDialogOption = (poPrintToFile, poPageNums, poSelection, poWarning,
    poHelp, poDisablePrintToFile);
  TPrintDialogOptions = set of TPrintDialogOption;

  { Messages }
  TMessage = record
    Msg: Cardinal;
    WParam, LParam, Result: PtrInt;
  end;
  TWMKey = record
    Msg: Cardinal;
    CharCode: Word;
    KeyData: LongInt;
    Result: PtrInt;
  end;

  TControl = class;
  TWinControl = class;
  TDragObject = class(TObject);
  TDragDockObject = class(TDragObject);

  TKeyEvent = procedure(Sender: TObject; var Key: Word; Shift: TShiftState) of object;
  TKeyPressEvent = procedure(Sender: TObject; var Key: Char) of object;
  TMouseEvent = procedure(Sender: TObject; Button: TMouseButton;
    Shift: TShiftState; X, Y: Integer) of object;
  TMouseMoveEvent = procedure(Sender: TObject; Shift: TShiftState; X, Y: Integer) of object;
  TMouseWheelEvent = procedure(Sender: TObject; Shift: TShiftState;
    WheelDelta: Integer; MousePos: TPoint; var Handled: Boolean) of object;
  TMouseWheelUpDownEvent = procedure(Sender: TObject; Shift: TShiftState;
    MousePos: TPoint; var Handled: Boolean) of object;
  TDragDropEvent = procedure(Sender, Source: TObject; X, Y: Integer) of object;
  TDragOverEvent = procedure(Sender, Source: TObject; X, Y: Integer;
    State: TDragState; var Accept: Boolean) of object;
  TEndDragEvent = procedure(Sender, Target: TObject; X, Y: Integer) of object;
  TStartDragEvent = procedure(Sender: TObject; var DragObject: TDragObject) of object;
  TStartDockEvent = procedure(Sender: TObject; var DragObject: TDragDockObject) of object;
  TDockDropEvent = procedure(Sender: TObject; Source: TDragDockObject; X, Y: Integer) of object;
  TDockOverEvent = procedure(Sender: TObject; Source: TDragDockObject; X, Y: Integer;
    State: TDragState; var Accept: Boolean) of object;
  TGetSiteInfoEvent = procedure(Sender: TObject; DockClient: TControl;
    var InfluenceRect: TRect; MousePos: TPoint; var CanDock: Boolean) of object;
  TUnDockEvent = procedure(Sender: TObject; Client: TControl;
    NewTarget: TWinControl; var Allow: Boolean) of object;
  TCanResizeEvent = procedure(Sender: TObject; var NewWidth, NewHeight: Integer;
    var Resize: Boolean) of object;
  TConstrainedResizeEvent = procedure(Sender: TObject; var MinWidth, MinHeight,
    MaxWidth, MaxHeight: Integer) of object;
  TContextPopupEvent = procedure(Sender: TObject; MousePos: TPoint;
    var Handled: Boolean) of object;
  TCloseEvent = procedure(Sender: TObject; var Action: TCloseAction) of object;
  TCloseQueryEvent = procedure(Sender: TObject; var CanClose: Boolean) of object;
  TShortCutEvent = procedure(var Msg: TWMKey; var Handled: Boolean) of object;
  THelpEvent = function(Command: Word; Data: LongInt; var CallHelp: Boolean): Boolean of object;

  { Graphics objects }

  TFont = class(TPersistent)
  private
    FCharset: TFontCharset;
    FColor: TColor;
    FHeight: Integer;
    FName: TFontName;
    FPitch: TFontPitch;
    FStyle: TFontStyles;
    function GetSize: Integer;
    procedure SetSize(Value: Integer);
  published
    property Charset: TFontCharset read FCharset write FCharset;
    property Color: TColor read FColor write FColor;
    property Height: Integer read FHeight write FHeight;
    property Name: TFontName read FName write FName;
    property Pitch: TFontPitch read FPitch write FPitch default fpDefault;
    property Size: Integer read GetSize write SetSize stored False;
    property Style: TFontStyles read FStyle write FStyle;
  end;

  { A graphic keeps its data as the defined binary property Data. }
  TGraphic = class(TPersistent)
  protected
    FSize: Int64;
    procedure DefineProperties(Filer: TFiler); override;
    procedure ReadData(Stream: TStream); virtual; abstract;
    procedure WriteData(Stream: TStream); virtual;
  public
    property DataSize: Int64 read FSize;
  end;
  TGraphicClass = class of TGraphic;

  { Data: a 32-bit length, then a Windows bitmap file of that length. }
  TBitmap = class(TGraphic)
  private
    FWidth, FHeight, FBitCount: Integer;
  protected
    procedure ReadData(Stream: TStream); override;
  public
    property Width: Integer read FWidth;
    property Height: Integer read FHeight;
  end;

  { Data: an icon file. }
  TIcon = class(TGraphic)
  protected
    procedure ReadData(Stream: TStream); override;
  end;

  { Data: the graphic's class name as a short string, then its data. }
  TPicture = class(TPersistent)
  private
    FGraphic: TGraphic;
    procedure ReadData(Stream: TStream);
    procedure WriteData(Stream: TStream);
  protected
    procedure DefineProperties(Filer: TFiler); override;
  public
    destructor Destroy; override;
    property Graphic: TGraphic read FGraphic;
  end;

  TSizeConstraints = class(TPersistent)
  private
    FMaxHeight, FMaxWidth, FMinHeight, FMinWidth: TConstraintSize;
  published
    property MaxHeight: TConstraintSize read FMaxHeight write FMaxHeight default 0;
    property MaxWidth: TConstraintSize read FMaxWidth write FMaxWidth default 0;
    property MinHeight: TConstraintSize read FMinHeight write FMinHeight default 0;
    property MinWidth: TConstraintSize read FMinWidth write FMinWidth default 0;
  end;

  TControlScrollBar = class(TPersistent)
  private
    FIncrement: TScrollBarInc;
    FMargin: Word;
    FPosition, FRange: Integer;
    FTracking, FVisible: Boolean;
  published
    property Increment: TScrollBarInc read FIncrement write FIncrement default 8;
    property Margin: Word read FMargin write FMargin default 0;
    property Position: Integer read FPosition write FPosition default 0;
    property Range: Integer read FRange write FRange default 0;
    property Tracking: Boolean read FTracking write FTracking default False;
    property Visible: Boolean read FVisible write FVisible default True;
  end;

  TPopupMenu = class;
  TCustomImageList = class;

  { Controls: Left, Top, Width, Height, Cursor and Hint are published by the
    base class; the rest is published control by control. }
  TControl = class(TComponent)
  private
    FParent: TWinControl;
    FLeft, FTop, FWidth, FHeight: Integer;
    FCursor: TCursor;
    FHint: string;
    FAlign: TAlign;
    FAnchors: TAnchors;
    FAutoSize: Boolean;
    FBiDiMode: TBiDiMode;
    FCaption: TCaption;
    FColor: TColor;
    FConstraints: TSizeConstraints;
    FDragCursor: TCursor;
    FDragKind: TDragKind;
    FDragMode: TDragMode;
    FEnabled: Boolean;
    FFont: TFont;
    FParentBiDiMode, FParentColor, FParentFont, FParentShowHint: Boolean;
    FPopupMenu: TPopupMenu;
    FShowHint, FVisible: Boolean;
    FOnClick, FOnDblClick, FOnResize: TNotifyEvent;
    FOnMouseDown, FOnMouseUp: TMouseEvent;
    FOnMouseMove: TMouseMoveEvent;
    FOnDragDrop: TDragDropEvent;
    FOnDragOver: TDragOverEvent;
    FOnEndDrag, FOnEndDock: TEndDragEvent;
    FOnStartDrag: TStartDragEvent;
    FOnStartDock: TStartDockEvent;
    FOnContextPopup: TContextPopupEvent;
    FOnCanResize: TCanResizeEvent;
    FOnConstrainedResize: TConstrainedResizeEvent;
    FIsControl: Boolean;
    procedure ReadIsControl(Reader: TReader);
    procedure WriteIsControl(Writer: TWriter);
  protected
    procedure DefineProperties(Filer: TFiler); override;
    procedure SetParentComponent(Value: TComponent); override;
    property Align: TAlign read FAlign write FAlign default alNone;
    property Anchors: TAnchors read FAnchors write FAnchors;
    property AutoSize: Boolean read FAutoSize write FAutoSize default False;
    property BiDiMode: TBiDiMode read FBiDiMode write FBiDiMode;
    property Caption: TCaption read FCaption write FCaption;
    property Color: TColor read FColor write FColor;
    property Constraints: TSizeConstraints read FConstraints write FConstraints;
    property DragCursor: TCursor read FDragCursor write FDragCursor;
    property DragKind: TDragKind read FDragKind write FDragKind default dkDrag;
    property DragMode: TDragMode read FDragMode write FDragMode default dmManual;
    property Enabled: Boolean read FEnabled write FEnabled default True;
    property Font: TFont read FFont write FFont;
    property ParentBiDiMode: Boolean read FParentBiDiMode write FParentBiDiMode default True;
    property ParentColor: Boolean read FParentColor write FParentColor default True;
    property ParentFont: Boolean read FParentFont write FParentFont default True;
    property ParentShowHint: Boolean read FParentShowHint write FParentShowHint default True;
    property PopupMenu: TPopupMenu read FPopupMenu write FPopupMenu;
    property ShowHint: Boolean read FShowHint write FShowHint;
    property Visible: Boolean read FVisible write FVisible default True;
    property OnCanResize: TCanResizeEvent read FOnCanResize write FOnCanResize;
    property OnClick: TNotifyEvent read FOnClick write FOnClick;
    property OnConstrainedResize: TConstrainedResizeEvent read FOnConstrainedResize write FOnConstrainedResize;
    property OnContextPopup: TContextPopupEvent read FOnContextPopup write FOnContextPopup;
    property OnDblClick: TNotifyEvent read FOnDblClick write FOnDblClick;
    property OnDragDrop: TDragDropEvent read FOnDragDrop write FOnDragDrop;
    property OnDragOver: TDragOverEvent read FOnDragOver write FOnDragOver;
    property OnEndDock: TEndDragEvent read FOnEndDock write FOnEndDock;
    property OnEndDrag: TEndDragEvent read FOnEndDrag write FOnEndDrag;
    property OnMouseDown: TMouseEvent read FOnMouseDown write FOnMouseDown;
    property OnMouseMove: TMouseMoveEvent read FOnMouseMove write FOnMouseMove;
    property OnMouseUp: TMouseEvent read FOnMouseUp write FOnMouseUp;
    property OnResize: TNotifyEvent read FOnResize write FOnResize;
    property OnStartDock: TStartDockEvent read FOnStartDock write FOnStartDock;
    property OnStartDrag: TStartDragEvent read FOnStartDrag write FOnStartDrag;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    function HasParent: Boolean; override;
    function GetParentComponent: TComponent; override;
    property Parent: TWinControl read FParent;
  published
    property Left: Integer read FLeft write FLeft;
    property Top: Integer read FTop write FTop;
    property Width: Integer read FWidth write FWidth;
    property Height: Integer read FHeight write FHeight;
    property Cursor: TCursor read FCursor write FCursor default 0;
    property Hint: string read FHint write FHint;
  end;

  TWinControl = class(TControl)
  private
    FControls: TList;
    FBorderWidth: TBorderWidth;
    FCtl3D, FParentCtl3D, FTabStop, FUseDockManager, FDockSite: Boolean;
    FTabOrder: TTabOrder;
    FHelpContext: THelpContext;
    FImeMode: TImeMode;
    FImeName: TImeName;
    FOnEnter, FOnExit: TNotifyEvent;
    FOnKeyDown, FOnKeyUp: TKeyEvent;
    FOnKeyPress: TKeyPressEvent;
    FOnDockDrop: TDockDropEvent;
    FOnDockOver: TDockOverEvent;
    FOnGetSiteInfo: TGetSiteInfoEvent;
    FOnUnDock: TUnDockEvent;
  protected
    procedure GetChildren(Proc: TGetChildProc; Root: TComponent); override;
    property BorderWidth: TBorderWidth read FBorderWidth write FBorderWidth default 0;
    property Ctl3D: Boolean read FCtl3D write FCtl3D;
    property DockSite: Boolean read FDockSite write FDockSite default False;
    property ImeMode: TImeMode read FImeMode write FImeMode default imDontCare;
    property ImeName: TImeName read FImeName write FImeName;
    property ParentCtl3D: Boolean read FParentCtl3D write FParentCtl3D default True;
    property TabOrder: TTabOrder read FTabOrder write FTabOrder default -1;
    property TabStop: Boolean read FTabStop write FTabStop default False;
    property UseDockManager: Boolean read FUseDockManager write FUseDockManager default False;
    property OnDockDrop: TDockDropEvent read FOnDockDrop write FOnDockDrop;
    property OnDockOver: TDockOverEvent read FOnDockOver write FOnDockOver;
    property OnEnter: TNotifyEvent read FOnEnter write FOnEnter;
    property OnExit: TNotifyEvent read FOnExit write FOnExit;
    property OnGetSiteInfo: TGetSiteInfoEvent read FOnGetSiteInfo write FOnGetSiteInfo;
    property OnKeyDown: TKeyEvent read FOnKeyDown write FOnKeyDown;
    property OnKeyPress: TKeyPressEvent read FOnKeyPress write FOnKeyPress;
    property OnKeyUp: TKeyEvent read FOnKeyUp write FOnKeyUp;
    property OnUnDock: TUnDockEvent read FOnUnDock write FOnUnDock;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    function ControlCount: Integer;
    function Controls(Index: Integer): TControl;
  published
    property HelpContext: THelpContext read FHelpContext write FHelpContext default 0;
  end;

  TGraphicControl = class(TControl);
  TCustomControl = class(TWinControl);

  { Menus }

  TMenu = class;

  TMenuItem = class(TComponent)
  private
    FItems: TList;
    FParentItem: TMenuItem;
    FAutoCheck, FBreakChecked, FChecked, FDefault, FEnabled, FRadioItem,
      FVisible: Boolean;
    FAutoHotkeys, FAutoLineReduction: TMenuItemAutoFlag;
    FBitmap: TBitmap;
    FBreak: TMenuBreak;
    FCaption, FHint: string;
    FSubMenuImages: TCustomImageList;
    FGroupIndex: Byte;
    FHelpContext: THelpContext;
    FImageIndex: TImageIndex;
    FShortCut: TShortCut;
    FOnClick: TNotifyEvent;
  protected
    procedure SetParentComponent(Value: TComponent); override;
    procedure GetChildren(Proc: TGetChildProc; Root: TComponent); override;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    function HasParent: Boolean; override;
    function GetParentComponent: TComponent; override;
    procedure Add(Item: TMenuItem);
    function Count: Integer;
    function Item(Index: Integer): TMenuItem;
    property Parent: TMenuItem read FParentItem;
  published
    property AutoCheck: Boolean read FAutoCheck write FAutoCheck default False;
    property AutoHotkeys: TMenuItemAutoFlag read FAutoHotkeys write FAutoHotkeys default maParent;
    property AutoLineReduction: TMenuItemAutoFlag read FAutoLineReduction write FAutoLineReduction default maParent;
    property Bitmap: TBitmap read FBitmap write FBitmap;
    property Break: TMenuBreak read FBreak write FBreak default mbNone;
    property Caption: string read FCaption write FCaption;
    property Checked: Boolean read FChecked write FChecked default False;
    property SubMenuImages: TCustomImageList read FSubMenuImages write FSubMenuImages;
    property Default: Boolean read FDefault write FDefault default False;
    property Enabled: Boolean read FEnabled write FEnabled default True;
    property GroupIndex: Byte read FGroupIndex write FGroupIndex default 0;
    property HelpContext: THelpContext read FHelpContext write FHelpContext default 0;
    property Hint: string read FHint write FHint;
    property ImageIndex: TImageIndex read FImageIndex write FImageIndex default -1;
    property RadioItem: Boolean read FRadioItem write FRadioItem default False;
    property ShortCut: TShortCut read FShortCut write FShortCut default 0;
    property Visible: Boolean read FVisible write FVisible default True;
    property OnClick: TNotifyEvent read FOnClick write FOnClick;
  end;

  TMenu = class(TComponent)
  private
    FItems: TMenuItem;
    FAutoHotkeys, FAutoLineReduction: TMenuAutoFlag;
    FBiDiMode: TBiDiMode;
    FImages: TCustomImageList;
    FOwnerDraw, FParentBiDiMode: Boolean;
  protected
    procedure GetChildren(Proc: TGetChildProc; Root: TComponent); override;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    property Items: TMenuItem read FItems;
  published
    property AutoHotkeys: TMenuAutoFlag read FAutoHotkeys write FAutoHotkeys default maAutomatic;
    property AutoLineReduction: TMenuAutoFlag read FAutoLineReduction write FAutoLineReduction default maAutomatic;
    property BiDiMode: TBiDiMode read FBiDiMode write FBiDiMode;
    property Images: TCustomImageList read FImages write FImages;
    property OwnerDraw: Boolean read FOwnerDraw write FOwnerDraw default False;
    property ParentBiDiMode: Boolean read FParentBiDiMode write FParentBiDiMode default True;
  end;

  TMainMenu = class(TMenu)
  private
    FAutoMerge: Boolean;
    FOnChange: TNotifyEvent;
  published
    property AutoMerge: Boolean read FAutoMerge write FAutoMerge default False;
    property OnChange: TNotifyEvent read FOnChange write FOnChange;
  end;

  TPopupMenu = class(TMenu)
  private
    FAlignment: TAlignment;
    FAutoPopup: Boolean;
    FHelpContext: THelpContext;
    FOnPopup: TNotifyEvent;
  published
    property Alignment: TAlignment read FAlignment write FAlignment default taLeftJustify;
    property AutoPopup: Boolean read FAutoPopup write FAutoPopup default True;
    property HelpContext: THelpContext read FHelpContext write FHelpContext default 0;
    property OnPopup: TNotifyEvent read FOnPopup write FOnPopup;
  end;

  { ImgList: the images are the defined binary property Bitmap, an image
    list stream ('IL' header, then the image and mask bitmaps). }
  TCustomImageList = class(TComponent)
  private
    FAllocBy: Integer;
    FBkColor, FBlendColor: TColor;
    FDrawingStyle: TDrawingStyle;
    FHeight, FWidth: Integer;
    FImageType: TImageType;
    FMasked, FShareImages: Boolean;
    FOnChange: TNotifyEvent;
    FCount: Integer;
    procedure ReadData(Stream: TStream);
    procedure WriteData(Stream: TStream);
  protected
    procedure DefineProperties(Filer: TFiler); override;
  public
    constructor Create(AOwner: TComponent); override;
    property Count: Integer read FCount;
  published
    property AllocBy: Integer read FAllocBy write FAllocBy default 4;
    property BlendColor: TColor read FBlendColor write FBlendColor;
    property BkColor: TColor read FBkColor write FBkColor;
    property DrawingStyle: TDrawingStyle read FDrawingStyle write FDrawingStyle default dsNormal;
    property Height: Integer read FHeight write FHeight default 16;
    property ImageType: TImageType read FImageType write FImageType default itImage;
    property Masked: Boolean read FMasked write FMasked default True;
    property ShareImages: Boolean read FShareImages write FShareImages default False;
    property Width: Integer read FWidth write FWidth default 16;
    property OnChange: TNotifyEvent read FOnChange write FOnChange;
  end;
  TImageList = class(TCustomImageList);

  { Dialogs }

  TCommonDialog = class(TComponent)
  private
    FCtl3D: Boolean;
    FHelpContext: THelpContext;
    FOnClose, FOnShow: TNotifyEvent;
  published
    property Ctl3D: Boolean read FCtl3D write FCtl3D default True;
    property HelpContext: THelpContext read FHelpContext write FHelpContext default 0;
    property OnClose: TNotifyEvent read FOnClose write FOnClose;
    property OnShow: TNotifyEvent read FOnShow write FOnShow;
  end;

  TOpenDialog = class(TCommonDialog)
  private
    FDefaultExt, FFileName, FFilter, FInitialDir, FTitle: string;
    FFilterIndex: Integer;
    FOptions: TOpenOptions;
    FOnCanClose: TCloseQueryEvent;
    FOnFolderChange, FOnSelectionChange, FOnTypeChange: TNotifyEvent;
  published
    property DefaultExt: string read FDefaultExt write FDefaultExt;
    property FileName: string read FFileName write FFileName;
    property Filter: string read FFilter write FFilter;
    property FilterIndex: Integer read FFilterIndex write FFilterIndex default 1;
    property InitialDir: string read FInitialDir write FInitialDir;
    property Options: TOpenOptions read FOptions write FOptions;
    property Title: string read FTitle write FTitle;
    property OnCanClose: TCloseQueryEvent read FOnCanClose write FOnCanClose;
    property OnFolderChange: TNotifyEvent read FOnFolderChange write FOnFolderChange;
    property OnSelectionChange: TNotifyEvent read FOnSelectionChange write FOnSelectionChange;
    property OnTypeChange: TNotifyEvent read FOnTypeChange write FOnTypeChange;
  end;
  TSaveDialog = class(TOpenDialog);

  TPrintDialog = class(TCommonDialog)
  private
    FCollate, FPrintToFile: Boolean;
    FCopies, FFromPage, FMinPage, FMaxPage, FToPage: Integer;
    FOptions: TPrintDialogOptions;
    FPrintRange: TPrintRange;
  published
    property Collate: Boolean read FCollate write FCollate default False;
    property Copies: Integer read FCopies write FCopies default 0;
    property FromPage: Integer read FFromPage write FFromPage default 0;
    property MinPage: Integer read FMinPage write FMinPage default 0;
    property MaxPage: Integer read FMaxPage write FMaxPage default 0;
    property Options: TPrintDialogOptions read FOptions write FOptions default [];
    property PrintToFile: Boolean read FPrintToFile write FPrintToFile default False;
    property PrintRange: TPrintRange read FPrintRange write FPrintRange default prAllPages;
    property ToPage: Integer read FToPage write FToPage default 0;
  end;

  TPrinterSetupDialog = class(TCommonDialog);

  { StdCtrls }

  TLabel = class(TGraphicControl)
  private
    FAlignment: TAlignment;
    FFocusControl: TWinControl;
    FLayout: TTextLayout;
    FShowAccelChar, FTransparent, FWordWrap: Boolean;
  published
    property Align;
    property Alignment: TAlignment read FAlignment write FAlignment default taLeftJustify;
    property Anchors;
    property AutoSize default True;
    property BiDiMode;
    property Caption;
    property Color;
    property Constraints;
    property DragCursor;
    property DragKind;
    property DragMode;
    property Enabled;
    property FocusControl: TWinControl read FFocusControl write FFocusControl;
    property Font;
    property ParentBiDiMode;
    property ParentColor;
    property ParentFont;
    property ParentShowHint;
    property PopupMenu;
    property ShowAccelChar: Boolean read FShowAccelChar write FShowAccelChar default True;
    property ShowHint;
    property Transparent: Boolean read FTransparent write FTransparent default False;
    property Layout: TTextLayout read FLayout write FLayout default tlTop;
    property Visible;
    property WordWrap: Boolean read FWordWrap write FWordWrap default False;
    property OnClick;
    property OnContextPopup;
    property OnDblClick;
    property OnDragDrop;
    property OnDragOver;
    property OnEndDock;
    property OnEndDrag;
    property OnMouseDown;
    property OnMouseMove;
    property OnMouseUp;
    property OnStartDock;
    property OnStartDrag;
  end;

  TButton = class(TWinControl)
  private
    FCancel, FDefault: Boolean;
    FModalResult: TModalResult;
  published
    property Anchors;
    property BiDiMode;
    property Cancel: Boolean read FCancel write FCancel default False;
    property Caption;
    property Constraints;
    property Default: Boolean read FDefault write FDefault default False;
    property DragCursor;
    property DragKind;
    property DragMode;
    property Enabled;
    property Font;
    property ModalResult: TModalResult read FModalResult write FModalResult default 0;
    property ParentBiDiMode;
    property ParentFont;
    property ParentShowHint;
    property PopupMenu;
    property ShowHint;
    property TabOrder;
    property TabStop default True;
    property Visible;
    property OnClick;
    property OnContextPopup;
    property OnDragDrop;
    property OnDragOver;
    property OnEndDock;
    property OnEndDrag;
    property OnEnter;
    property OnExit;
    property OnKeyDown;
    property OnKeyPress;
    property OnKeyUp;
    property OnMouseDown;
    property OnMouseMove;
    property OnMouseUp;
    property OnStartDock;
    property OnStartDrag;
  end;

  TMemo = class(TWinControl)
  private
    FAlignment: TAlignment;
    FBorderStyle: TBorderStyle;
    FHideSelection, FOEMConvert, FReadOnly, FWantReturns, FWantTabs,
      FWordWrap: Boolean;
    FLines: TStrings;
    FMaxLength: Integer;
    FScrollBars: TScrollStyle;
    FOnChange: TNotifyEvent;
    procedure SetLines(Value: TStrings);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
  published
    property Align;
    property Alignment: TAlignment read FAlignment write FAlignment default taLeftJustify;
    property Anchors;
    property BiDiMode;
    property BorderStyle: TBorderStyle read FBorderStyle write FBorderStyle default bsSingle;
    property Color;
    property Constraints;
    property Ctl3D;
    property DragCursor;
    property DragKind;
    property DragMode;
    property Enabled;
    property Font;
    property HideSelection: Boolean read FHideSelection write FHideSelection default True;
    property ImeMode;
    property ImeName;
    property Lines: TStrings read FLines write SetLines;
    property MaxLength: Integer read FMaxLength write FMaxLength default 0;
    property OEMConvert: Boolean read FOEMConvert write FOEMConvert default False;
    property ParentBiDiMode;
    property ParentColor default False;
    property ParentCtl3D;
    property ParentFont;
    property ParentShowHint;
    property PopupMenu;
    property ReadOnly: Boolean read FReadOnly write FReadOnly default False;
    property ScrollBars: TScrollStyle read FScrollBars write FScrollBars default ssNone;
    property ShowHint;
    property TabOrder;
    property TabStop default True;
    property Visible;
    property WantReturns: Boolean read FWantReturns write FWantReturns default True;
    property WantTabs: Boolean read FWantTabs write FWantTabs default False;
    property WordWrap: Boolean read FWordWrap write FWordWrap default True;
    property OnChange: TNotifyEvent read FOnChange write FOnChange;
    property OnClick;
    property OnContextPopup;
    property OnDblClick;
    property OnDragDrop;
    property OnDragOver;
    property OnEndDock;
    property OnEndDrag;
    property OnEnter;
    property OnExit;
    property OnKeyDown;
    property OnKeyPress;
    property OnKeyUp;
    property OnMouseDown;
    property OnMouseMove;
    property OnMouseUp;
    property OnStartDock;
    property OnStartDrag;
  end;

  { ExtCtrls }

  TPanel = class(TCustomControl)
  private
    FAlignment: TAlignment;
    FBevelInner, FBevelOuter: TBevelCut;
    FBevelWidth: TBevelWidth;
    FBorderStyle: TBorderStyle;
    FFullRepaint, FLocked: Boolean;
  public
    constructor Create(AOwner: TComponent); override;
  published
    property Align;
    property Alignment: TAlignment read FAlignment write FAlignment default taCenter;
    property Anchors;
    property AutoSize;
    property BevelInner: TBevelCut read FBevelInner write FBevelInner default bvNone;
    property BevelOuter: TBevelCut read FBevelOuter write FBevelOuter default bvRaised;
    property BevelWidth: TBevelWidth read FBevelWidth write FBevelWidth default 1;
    property BiDiMode;
    property BorderWidth;
    property BorderStyle: TBorderStyle read FBorderStyle write FBorderStyle default bsNone;
    property Caption;
    property Color;
    property Constraints;
    property Ctl3D;
    property UseDockManager default True;
    property DockSite;
    property DragCursor;
    property DragKind;
    property DragMode;
    property Enabled;
    property FullRepaint: Boolean read FFullRepaint write FFullRepaint default True;
    property Font;
    property Locked: Boolean read FLocked write FLocked default False;
    property ParentBiDiMode;
    property ParentColor;
    property ParentCtl3D;
    property ParentFont;
    property ParentShowHint;
    property PopupMenu;
    property ShowHint;
    property TabOrder;
    property TabStop;
    property Visible;
    property OnCanResize;
    property OnClick;
    property OnConstrainedResize;
    property OnContextPopup;
    property OnDockDrop;
    property OnDockOver;
    property OnDblClick;
    property OnDragDrop;
    property OnDragOver;
    property OnEndDock;
    property OnEndDrag;
    property OnEnter;
    property OnExit;
    property OnGetSiteInfo;
    property OnMouseDown;
    property OnMouseMove;
    property OnMouseUp;
    property OnResize;
    property OnStartDock;
    property OnStartDrag;
    property OnUnDock;
  end;

  TImage = class(TGraphicControl)
  private
    FCenter, FIncrementalDisplay, FStretch, FTransparent: Boolean;
    FPicture: TPicture;
    FOnProgress: TNotifyEvent;
    procedure SetPicture(Value: TPicture);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
  published
    property Align;
    property Anchors;
    property AutoSize;
    property Center: Boolean read FCenter write FCenter default False;
    property Constraints;
    property DragCursor;
    property DragKind;
    property DragMode;
    property Enabled;
    property IncrementalDisplay: Boolean read FIncrementalDisplay write FIncrementalDisplay default False;
    property ParentShowHint;
    property Picture: TPicture read FPicture write SetPicture;
    property PopupMenu;
    property ShowHint;
    property Stretch: Boolean read FStretch write FStretch default False;
    property Transparent: Boolean read FTransparent write FTransparent default False;
    property Visible;
    property OnClick;
    property OnContextPopup;
    property OnDblClick;
    property OnDragDrop;
    property OnDragOver;
    property OnEndDock;
    property OnEndDrag;
    property OnMouseDown;
    property OnMouseMove;
    property OnMouseUp;
    property OnStartDock;
    property OnStartDrag;
  end;

  { Buttons }

  TSpeedButton = class(TGraphicControl)
  private
    FAllowAllUp, FDown, FFlat, FTransparent: Boolean;
    FGroupIndex: Integer;
    FGlyph: TBitmap;
    FLayout: TButtonLayout;
    FMargin, FSpacing: Integer;
    FNumGlyphs: TNumGlyphs;
    procedure SetGlyph(Value: TBitmap);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
  published
    property AllowAllUp: Boolean read FAllowAllUp write FAllowAllUp default False;
    property Anchors;
    property BiDiMode;
    property Constraints;
    property GroupIndex: Integer read FGroupIndex write FGroupIndex default 0;
    property Down: Boolean read FDown write FDown default False;
    property Caption;
    property Enabled;
    property Flat: Boolean read FFlat write FFlat default False;
    property Font;
    property Glyph: TBitmap read FGlyph write SetGlyph;
    property Layout: TButtonLayout read FLayout write FLayout default blGlyphLeft;
    property Margin: Integer read FMargin write FMargin default -1;
    property NumGlyphs: TNumGlyphs read FNumGlyphs write FNumGlyphs default 1;
    property ParentFont;
    property ParentShowHint;
    property ParentBiDiMode;
    property PopupMenu;
    property ShowHint;
    property Spacing: Integer read FSpacing write FSpacing default 4;
    property Transparent: Boolean read FTransparent write FTransparent default True;
    property Visible;
    property OnClick;
    property OnDblClick;
    property OnMouseDown;
    property OnMouseMove;
    property OnMouseUp;
  end;

  { ComCtrls }

  TStatusPanel = class(TCollectionItem)
  private
    FAlignment: TAlignment;
    FBevel: TStatusPanelBevel;
    FBiDiMode: TBiDiMode;
    FParentBiDiMode: Boolean;
    FStyle: TStatusPanelStyle;
    FText: string;
    FWidth: Integer;
  published
    property Alignment: TAlignment read FAlignment write FAlignment default taLeftJustify;
    property Bevel: TStatusPanelBevel read FBevel write FBevel default pbLowered;
    property BiDiMode: TBiDiMode read FBiDiMode write FBiDiMode;
    property ParentBiDiMode: Boolean read FParentBiDiMode write FParentBiDiMode default True;
    property Style: TStatusPanelStyle read FStyle write FStyle default psText;
    property Text: string read FText write FText;
    property Width: Integer read FWidth write FWidth;
  end;

  TStatusPanels = class(TCollection)
  public
    constructor Create;
  end;

  TDrawPanelEvent = procedure(StatusBar: TObject; Panel: TStatusPanel;
    const Rect: TRect) of object;

  TStatusBar = class(TWinControl)
  private
    FAutoHint, FSimplePanel, FSizeGrip, FUseSystemFont: Boolean;
    FPanels: TStatusPanels;
    FSimpleText: string;
    FOnHint: TNotifyEvent;
    FOnDrawPanel: TDrawPanelEvent;
    procedure SetPanels(Value: TStatusPanels);
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
  published
    property AutoHint: Boolean read FAutoHint write FAutoHint default False;
    property Align default alBottom;
    property Anchors;
    property BiDiMode;
    property BorderWidth;
    property Color default -$7FFFFFFF-1 + 15;
    property DragCursor;
    property DragKind;
    property DragMode;
    property Enabled;
    property Font;
    property Constraints;
    property Panels: TStatusPanels read FPanels write SetPanels;
    property ParentBiDiMode;
    property ParentColor default False;
    property ParentFont default False;
    property ParentShowHint;
    property PopupMenu;
    property ShowHint;
    property SimplePanel: Boolean read FSimplePanel write FSimplePanel;
    property SimpleText: string read FSimpleText write FSimpleText;
    property SizeGrip: Boolean read FSizeGrip write FSizeGrip default True;
    property UseSystemFont: Boolean read FUseSystemFont write FUseSystemFont default True;
    property Visible;
    property OnClick;
    property OnContextPopup;
    property OnDblClick;
    property OnDragDrop;
    property OnDragOver;
    property OnEndDock;
    property OnEndDrag;
    property OnHint: TNotifyEvent read FOnHint write FOnHint;
    property OnMouseDown;
    property OnMouseMove;
    property OnMouseUp;
    property OnDrawPanel: TDrawPanelEvent read FOnDrawPanel write FOnDrawPanel;
    property OnResize;
    property OnStartDock;
    property OnStartDrag;
  end;

  { Forms }

  TScrollingWinControl = class(TWinControl)
  private
    FAutoScroll: Boolean;
    FHorzScrollBar, FVertScrollBar: TControlScrollBar;
  protected
    property AutoScroll: Boolean read FAutoScroll write FAutoScroll default True;
    property HorzScrollBar: TControlScrollBar read FHorzScrollBar write FHorzScrollBar;
    property VertScrollBar: TControlScrollBar read FVertScrollBar write FVertScrollBar;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
  end;

  TForm = class(TScrollingWinControl)
  private
    FActiveControl: TWinControl;
    FBorderIcons: TBorderIcons;
    FBorderStyle: TFormBorderStyle;
    FClientHeight, FClientWidth: Integer;
    FDefaultMonitor: TDefaultMonitor;
    FFormStyle: TFormStyle;
    FHelpFile: string;
    FIcon: TIcon;
    FKeyPreview, FOldCreateOrder, FScaled: Boolean;
    FMenu: TMainMenu;
    FObjectMenuItem, FWindowMenu: TMenuItem;
    FPixelsPerInch: Integer;
    FPosition: TPosition;
    FPrintScale: TPrintScale;
    FWindowState: TWindowState;
    FTextHeight: Integer;
    FOnActivate, FOnCreate, FOnDeactivate, FOnDestroy, FOnHide, FOnPaint,
      FOnShow: TNotifyEvent;
    FOnClose: TCloseEvent;
    FOnCloseQuery: TCloseQueryEvent;
    FOnHelp: THelpEvent;
    FOnMouseWheel: TMouseWheelEvent;
    FOnMouseWheelDown, FOnMouseWheelUp: TMouseWheelUpDownEvent;
    FOnShortCut: TShortCutEvent;
    procedure ReadTextHeight(Reader: TReader);
    procedure WriteTextHeight(Writer: TWriter);
    procedure ReadIgnoreFontProperty(Reader: TReader);
    procedure WriteIgnoreFontProperty(Writer: TWriter);
  protected
    procedure DefineProperties(Filer: TFiler); override;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    property TextHeight: Integer read FTextHeight;
  published
    property ActiveControl: TWinControl read FActiveControl write FActiveControl;
    property Align;
    property Anchors;
    property AutoScroll;
    property AutoSize;
    property BiDiMode;
    property BorderIcons: TBorderIcons read FBorderIcons write FBorderIcons
      default [biSystemMenu, biMinimize, biMaximize];
    property BorderStyle: TFormBorderStyle read FBorderStyle write FBorderStyle default bsSizeable;
    property BorderWidth;
    property Caption;
    property ClientHeight: Integer read FClientHeight write FClientHeight;
    property ClientWidth: Integer read FClientWidth write FClientWidth;
    property Color;
    property Constraints;
    property Ctl3D;
    property DefaultMonitor: TDefaultMonitor read FDefaultMonitor write FDefaultMonitor default dmActiveForm;
    property DockSite;
    property DragKind;
    property DragMode;
    property Enabled;
    property ParentFont default False;
    property Font;
    property FormStyle: TFormStyle read FFormStyle write FFormStyle default fsNormal;
    property HelpFile: string read FHelpFile write FHelpFile;
    property HorzScrollBar;
    property Icon: TIcon read FIcon write FIcon;
    property KeyPreview: Boolean read FKeyPreview write FKeyPreview default False;
    property Menu: TMainMenu read FMenu write FMenu;
    property OldCreateOrder: Boolean read FOldCreateOrder write FOldCreateOrder;
    property ObjectMenuItem: TMenuItem read FObjectMenuItem write FObjectMenuItem;
    property ParentBiDiMode;
    property PixelsPerInch: Integer read FPixelsPerInch write FPixelsPerInch;
    property PopupMenu;
    property Position: TPosition read FPosition write FPosition default poDesigned;
    property PrintScale: TPrintScale read FPrintScale write FPrintScale default poProportional;
    property Scaled: Boolean read FScaled write FScaled default True;
    property ShowHint;
    property UseDockManager;
    property VertScrollBar;
    property Visible default False;
    property WindowState: TWindowState read FWindowState write FWindowState default wsNormal;
    property WindowMenu: TMenuItem read FWindowMenu write FWindowMenu;
    property OnActivate: TNotifyEvent read FOnActivate write FOnActivate;
    property OnCanResize;
    property OnClick;
    property OnClose: TCloseEvent read FOnClose write FOnClose;
    property OnCloseQuery: TCloseQueryEvent read FOnCloseQuery write FOnCloseQuery;
    property OnConstrainedResize;
    property OnContextPopup;
    property OnCreate: TNotifyEvent read FOnCreate write FOnCreate;
    property OnDblClick;
    property OnDestroy: TNotifyEvent read FOnDestroy write FOnDestroy;
    property OnDeactivate: TNotifyEvent read FOnDeactivate write FOnDeactivate;
    property OnDockDrop;
    property OnDockOver;
    property OnDragDrop;
    property OnDragOver;
    property OnEndDock;
    property OnGetSiteInfo;
    property OnHide: TNotifyEvent read FOnHide write FOnHide;
    property OnHelp: THelpEvent read FOnHelp write FOnHelp;
    property OnKeyDown;
    property OnKeyPress;
    property OnKeyUp;
    property OnMouseDown;
    property OnMouseMove;
    property OnMouseUp;
    property OnMouseWheel: TMouseWheelEvent read FOnMouseWheel write FOnMouseWheel;
    property OnMouseWheelDown: TMouseWheelUpDownEvent read FOnMouseWheelDown write FOnMouseWheelDown;
    property OnMouseWheelUp: TMouseWheelUpDownEvent read FOnMouseWheelUp write FOnMouseWheelUp;
    property OnPaint: TNotifyEvent read FOnPaint write FOnPaint;
    property OnResize;
    property OnShortCut: TShortCutEvent read FOnShortCut write FOnShortCut;
    property OnShow: TNotifyEvent read FOnShow write FOnShow;
    property OnStartDock;
    property OnUnDock;
  end;
  TFormClass = class of TForm;

  EInvalidGraphic = class(Exception);
  EMenuError = class(Exception);
  EInvalidOperation = class(Exception);

implementation

{ Integer identifiers, as the form library registers them }

type
  TIdentEntry = record
    Value: LongInt;
    Name: string;
  end;

const
  SysColor = -$7FFFFFFF - 1;
  Colors: array[0..42] of TIdentEntry = (
    (Value: $000000; Name: 'clBlack'), (Value: $000080; Name: 'clMaroon'),
    (Value: $008000; Name: 'clGreen'), (Value: $008080; Name: 'clOlive'),
    (Value: $800000; Name: 'clNavy'), (Value: $800080; Name: 'clPurple'),
    (Value: $808000; Name: 'clTeal'), (Value: $808080; Name: 'clGray'),
    (Value: $C0C0C0; Name: 'clSilver'), (Value: $0000FF; Name: 'clRed'),
    (Value: $00FF00; Name: 'clLime'), (Value: $00FFFF; Name: 'clYellow'),
    (Value: $FF0000; Name: 'clBlue'), (Value: $FF00FF; Name: 'clFuchsia'),
    (Value: $FFFF00; Name: 'clAqua'), (Value: $FFFFFF; Name: 'clWhite'),
    (Value: $1FFFFFFF; Name: 'clNone'), (Value: $20000000; Name: 'clDefault'),
    (Value: SysColor + 0; Name: 'clScrollBar'),
    (Value: SysColor + 1; Name: 'clBackground'),
    (Value: SysColor + 2; Name: 'clActiveCaption'),
    (Value: SysColor + 3; Name: 'clInactiveCaption'),
    (Value: SysColor + 4; Name: 'clMenu'),
    (Value: SysColor + 5; Name: 'clWindow'),
    (Value: SysColor + 6; Name: 'clWindowFrame'),
    (Value: SysColor + 7; Name: 'clMenuText'),
    (Value: SysColor + 8; Name: 'clWindowText'),
    (Value: SysColor + 9; Name: 'clCaptionText'),
    (Value: SysColor + 10; Name: 'clActiveBorder'),
    (Value: SysColor + 11; Name: 'clInactiveBorder'),
    (Value: SysColor + 12; Name: 'clAppWorkSpace'),
    (Value: SysColor + 13; Name: 'clHighlight'),
    (Value: SysColor + 14; Name: 'clHighlightText'),
    (Value: SysColor + 15; Name: 'clBtnFace'),
    (Value: SysColor + 16; Name: 'clBtnShadow'),
    (Value: SysColor + 17; Name: 'clGrayText'),
    (Value: SysColor + 18; Name: 'clBtnText'),
    (Value: SysColor + 19; Name: 'clInactiveCaptionText'),
    (Value: SysColor + 20; Name: 'clBtnHighlight'),
    (Value: SysColor + 21; Name: 'cl3DDkShadow'),
    (Value: SysColor + 22; Name: 'cl3DLight'),
    (Value: SysColor + 23; Name: 'clInfoText'),
    (Value: SysColor + 24; Name: 'clInfoBk'));
  Cursors: array[0..21] of TIdentEntry = (
    (Value: 0; Name: 'crDefault'), (Value: -1; Name: 'crNone'),
    (Value: -2; Name: 'crArrow'), (Value: -3; Name: 'crCross'),
    (Value: -4; Name: 'crIBeam'), (Value: -6; Name: 'crSizeNESW'),
    (Value: -7; Name: 'crSizeNS'), (Value: -8; Name: 'crSizeNWSE'),
    (Value: -9; Name: 'crSizeWE'), (Value: -10; Name: 'crUpArrow'),
    (Value: -11; Name: 'crHourGlass'), (Value: -12; Name: 'crDrag'),
    (Value: -13; Name: 'crNoDrop'), (Value: -14; Name: 'crHSplit'),
    (Value: -15; Name: 'crVSplit'), (Value: -16; Name: 'crMultiDrag'),
    (Value: -17; Name: 'crSQLWait'), (Value: -18; Name: 'crNo'),
    (Value: -19; Name: 'crAppStart'), (Value: -20; Name: 'crHelp'),
    (Value: -21; Name: 'crHandPoint'), (Value: -22; Name: 'crSizeAll'));
  Charsets: array[0..18] of TIdentEntry = (
    (Value: 0; Name: 'ANSI_CHARSET'), (Value: 1; Name: 'DEFAULT_CHARSET'),
    (Value: 2; Name: 'SYMBOL_CHARSET'), (Value: 77; Name: 'MAC_CHARSET'),
    (Value: 128; Name: 'SHIFTJIS_CHARSET'), (Value: 129; Name: 'HANGEUL_CHARSET'),
    (Value: 130; Name: 'JOHAB_CHARSET'), (Value: 134; Name: 'GB2312_CHARSET'),
    (Value: 136; Name: 'CHINESEBIG5_CHARSET'), (Value: 161; Name: 'GREEK_CHARSET'),
    (Value: 162; Name: 'TURKISH_CHARSET'), (Value: 163; Name: 'VIETNAMESE_CHARSET'),
    (Value: 177; Name: 'HEBREW_CHARSET'), (Value: 178; Name: 'ARABIC_CHARSET'),
    (Value: 186; Name: 'BALTIC_CHARSET'), (Value: 204; Name: 'RUSSIAN_CHARSET'),
    (Value: 222; Name: 'THAI_CHARSET'), (Value: 238; Name: 'EASTEUROPE_CHARSET'),
    (Value: 255; Name: 'OEM_CHARSET'));

function LookUp(const Table: array of TIdentEntry; const Ident: string;
  var Int: LongInt): Boolean;
var
  I: Integer;
begin
  for I := Low(Table) to High(Table) do
    if SameText(Table[I].Name, Ident) then
    begin
      Int := Table[I].Value;
      Exit(True);
    end;
  Result := False;
end;

function Name(const Table: array of TIdentEntry; Int: LongInt;
  var Ident: string): Boolean;
var
  I: Integer;
begin
  for I := Low(Table) to High(Table) do
    if Table[I].Value = Int then
    begin
      Ident := Table[I].Name;
      Exit(True);
    end;
  Result := False;
end;

function IdentToColor(const Ident: string; var Int: LongInt): Boolean;
begin Result := LookUp(Colors, Ident, Int); end;
function ColorToIdent(Int: LongInt; var Ident: string): Boolean;
begin Result := Name(Colors, Int, Ident); end;
function IdentToCursor(const Ident: string; var Int: LongInt): Boolean;
begin Result := LookUp(Cursors, Ident, Int); end;
function CursorToIdent(Int: LongInt; var Ident: string): Boolean;
begin Result := Name(Cursors, Int, Ident); end;
function IdentToCharset(const Ident: string; var Int: LongInt): Boolean;
begin Result := LookUp(Charsets, Ident, Int); end;
function CharsetToIdent(Int: LongInt; var Ident: string): Boolean;
begin Result := Name(Charsets, Int, Ident); end;

{ TFont }

function TFont.GetSize: Integer;
begin
  Result := -Round(FHeight * 72 / 96);
end;

procedure TFont.SetSize(Value: Integer);
begin
  FHeight := -Round(Value * 96 / 72);
end;

{ Graphics }

function ReadAll(Stream: TStream; var Buf; Count: Int64; const What: string): Boolean;
begin
  Result := Stream.Read(Buf, Count) = Count;
  if not Result then
    raise EInvalidGraphic.CreateFmt('%s: the data ends early', [What]);
end;

procedure TGraphic.DefineProperties(Filer: TFiler);
begin
  inherited DefineProperties(Filer);
  Filer.DefineBinaryProperty('Data', ReadData, WriteData, FSize > 0);
end;

procedure TGraphic.WriteData(Stream: TStream);
begin
  raise EInvalidOperation.Create('these stand-ins only read forms');
end;

type
  TBitmapFileHeader = packed record
    bfType: Word;
    bfSize: LongWord;
    bfReserved1, bfReserved2: Word;
    bfOffBits: LongWord;
  end;
  TBitmapInfoHeader = packed record
    biSize: LongWord;
    biWidth, biHeight: LongInt;
    biPlanes, biBitCount: Word;
    biCompression, biSizeImage: LongWord;
    biXPelsPerMeter, biYPelsPerMeter: LongInt;
    biClrUsed, biClrImportant: LongWord;
  end;

{ Reads one bitmap file from Stream, Limit bytes at most; checks its headers
  and that its pixels fit in it; returns the bytes it took. }
function ReadBitmapFile(Stream: TStream; Limit: Int64; const What: string;
  out Width, Height, BitCount: Integer): Int64;
var
  F: TBitmapFileHeader;
  I: TBitmapInfoHeader;
  Rest: TBytes;
  RowBytes, Colours: Int64;
begin
  if Limit < SizeOf(F) + SizeOf(I) then
    raise EInvalidGraphic.CreateFmt('%s: %d bytes are no bitmap', [What, Limit]);
  ReadAll(Stream, F, SizeOf(F), What);
  if LEtoN(F.bfType) <> $4D42 then
    raise EInvalidGraphic.CreateFmt('%s: no bitmap signature', [What]);
  Result := LEtoN(F.bfSize);
  if (Result > Limit) or (Result < SizeOf(F) + SizeOf(I)) then
    raise EInvalidGraphic.CreateFmt('%s: the bitmap claims %d bytes, %d are there',
      [What, Result, Limit]);
  ReadAll(Stream, I, SizeOf(I), What);
  if LEtoN(I.biSize) <> SizeOf(I) then
    raise EInvalidGraphic.CreateFmt('%s: bitmap header of %d bytes', [What, LEtoN(I.biSize)]);
  Width := LEtoN(I.biWidth);
  Height := Abs(LEtoN(I.biHeight));
  BitCount := LEtoN(I.biBitCount);
  if (Width <= 0) or (Height <= 0) or (LEtoN(I.biPlanes) <> 1)
    or not (BitCount in [1, 4, 8, 16, 24, 32]) or (LEtoN(I.biCompression) <> 0) then
    raise EInvalidGraphic.CreateFmt('%s: bitmap %dx%d, %d bits, %d planes, compression %d',
      [What, Width, Height, BitCount, LEtoN(I.biPlanes), LEtoN(I.biCompression)]);
  Colours := LEtoN(I.biClrUsed);
  if (Colours = 0) and (BitCount <= 8) then
    Colours := 1 shl BitCount;
  RowBytes := ((Int64(Width) * BitCount + 31) div 32) * 4;
  if LEtoN(F.bfOffBits) <> SizeOf(F) + SizeOf(I) + Colours * 4 then
    raise EInvalidGraphic.CreateFmt('%s: pixels at %d, the colour table ends at %d',
      [What, LEtoN(F.bfOffBits), SizeOf(F) + SizeOf(I) + Colours * 4]);
  if LEtoN(F.bfOffBits) + RowBytes * Height > Result then
    raise EInvalidGraphic.CreateFmt('%s: %dx%d pixels of %d bits do not fit in %d bytes',
      [What, Width, Height, BitCount, Result]);
  SetLength(Rest, Result - SizeOf(F) - SizeOf(I));
  if Length(Rest) > 0 then
    ReadAll(Stream, Rest[0], Length(Rest), What);
end;

procedure TBitmap.ReadData(Stream: TStream);
var
  Size: LongInt;
begin
  ReadAll(Stream, Size, SizeOf(Size), 'bitmap');
  Size := LEtoN(Size);
  if Size <> Stream.Size - Stream.Position then
    raise EInvalidGraphic.CreateFmt('bitmap: %d bytes announced, %d follow',
      [Size, Stream.Size - Stream.Position]);
  FSize := ReadBitmapFile(Stream, Size, 'bitmap', FWidth, FHeight, FBitCount);
  if FSize <> Size then
    raise EInvalidGraphic.CreateFmt('bitmap: %d bytes announced, the file has %d',
      [Size, FSize]);
end;

procedure TIcon.ReadData(Stream: TStream);
type
  TIconDir = packed record
    Reserved, Kind, Count: Word;
  end;
  TIconEntry = packed record
    Width, Height, Colours, Reserved: Byte;
    Planes, BitCount: Word;
    Size, Offset: LongWord;
  end;
var
  D: TIconDir;
  E: TIconEntry;
  I: Integer;
  Total: Int64;
begin
  Total := Stream.Size - Stream.Position;
  ReadAll(Stream, D, SizeOf(D), 'icon');
  if (LEtoN(D.Reserved) <> 0) or (LEtoN(D.Kind) <> 1) or (LEtoN(D.Count) = 0) then
    raise EInvalidGraphic.Create('icon: no icon directory');
  for I := 1 to LEtoN(D.Count) do
  begin
    ReadAll(Stream, E, SizeOf(E), 'icon');
    if LEtoN(E.Offset) + LEtoN(E.Size) > Total then
      raise EInvalidGraphic.CreateFmt('icon: image %d lies past the end', [I]);
  end;
  Stream.Position := Stream.Size;
  FSize := Total;
end;

{ TPicture }

destructor TPicture.Destroy;
begin
  FGraphic.Free;
  inherited Destroy;
end;

procedure TPicture.DefineProperties(Filer: TFiler);
begin
  inherited DefineProperties(Filer);
  Filer.DefineBinaryProperty('Data', ReadData, WriteData, FGraphic <> nil);
end;

procedure TPicture.ReadData(Stream: TStream);
var
  ClassName: ShortString;
  GraphicClass: TGraphicClass;
begin
  ReadAll(Stream, ClassName[0], 1, 'picture');
  ReadAll(Stream, ClassName[1], Ord(ClassName[0]), 'picture');
  if ClassName = 'TBitmap' then
    GraphicClass := TBitmap
  else if ClassName = 'TIcon' then
    GraphicClass := TIcon
  else
    raise EInvalidGraphic.CreateFmt('picture: unknown graphic class "%s"', [ClassName]);
  FreeAndNil(FGraphic);
  FGraphic := GraphicClass.Create;
  FGraphic.ReadData(Stream);
  if Stream.Position <> Stream.Size then
    raise EInvalidGraphic.CreateFmt('picture: %d bytes after the %s',
      [Stream.Size - Stream.Position, ClassName]);
end;

procedure TPicture.WriteData(Stream: TStream);
begin
  raise EInvalidOperation.Create('these stand-ins only read forms');
end;

{ TControl }

constructor TControl.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FFont := TFont.Create;
  FConstraints := TSizeConstraints.Create;
  FEnabled := True;
  FVisible := True;
  FParentColor := True;
  FParentFont := True;
  FParentShowHint := True;
  FParentBiDiMode := True;
end;

destructor TControl.Destroy;
begin
  if FParent <> nil then
    FParent.FControls.Remove(Self);
  FFont.Free;
  FConstraints.Free;
  inherited Destroy;
end;

procedure TControl.ReadIsControl(Reader: TReader);
begin
  FIsControl := Reader.ReadBoolean;
end;

procedure TControl.WriteIsControl(Writer: TWriter);
begin
  Writer.WriteBoolean(FIsControl);
end;

procedure TControl.DefineProperties(Filer: TFiler);
begin
  inherited DefineProperties(Filer);
  Filer.DefineProperty('IsControl', ReadIsControl, WriteIsControl, FIsControl);
end;

procedure TControl.SetParentComponent(Value: TComponent);
begin
  if not (Value is TWinControl) then
    raise EInvalidOperation.CreateFmt('control %s (%s) placed in %s (%s), which holds no controls',
      [Name, ClassName, Value.Name, Value.ClassName]);
  FParent := TWinControl(Value);
  FParent.FControls.Add(Self);
end;

function TControl.HasParent: Boolean;
begin
  Result := True;
end;

function TControl.GetParentComponent: TComponent;
begin
  Result := FParent;
end;

{ TWinControl }

constructor TWinControl.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FControls := TList.Create;
  FTabOrder := -1;
  FParentCtl3D := True;
  FImeMode := imDontCare;
end;

destructor TWinControl.Destroy;
var
  I: Integer;
begin
  for I := 0 to FControls.Count - 1 do
    TControl(FControls[I]).FParent := nil;
  FControls.Free;
  inherited Destroy;
end;

procedure TWinControl.GetChildren(Proc: TGetChildProc; Root: TComponent);
var
  I: Integer;
begin
  for I := 0 to FControls.Count - 1 do
    Proc(TComponent(FControls[I]));
end;

function TWinControl.ControlCount: Integer;
begin
  Result := FControls.Count;
end;

function TWinControl.Controls(Index: Integer): TControl;
begin
  Result := TControl(FControls[Index]);
end;

{ TMenuItem }

constructor TMenuItem.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FItems := TList.Create;
  FBitmap := TBitmap.Create;
  FEnabled := True;
  FVisible := True;
  FImageIndex := -1;
  FAutoHotkeys := maParent;
  FAutoLineReduction := maParent;
end;

destructor TMenuItem.Destroy;
var
  I: Integer;
begin
  if FParentItem <> nil then
    FParentItem.FItems.Remove(Self);
  for I := 0 to FItems.Count - 1 do
    TMenuItem(FItems[I]).FParentItem := nil;
  FItems.Free;
  FBitmap.Free;
  inherited Destroy;
end;

procedure TMenuItem.Add(Item: TMenuItem);
begin
  if Item.FParentItem <> nil then
    raise EMenuError.CreateFmt('menu item %s is inserted twice', [Item.Name]);
  Item.FParentItem := Self;
  FItems.Add(Item);
end;

function TMenuItem.Count: Integer;
begin
  Result := FItems.Count;
end;

function TMenuItem.Item(Index: Integer): TMenuItem;
begin
  Result := TMenuItem(FItems[Index]);
end;

procedure TMenuItem.SetParentComponent(Value: TComponent);
begin
  if Value is TMenu then
    TMenu(Value).Items.Add(Self)
  else if Value is TMenuItem then
    TMenuItem(Value).Add(Self)
  else
    raise EMenuError.CreateFmt('menu item %s placed in %s (%s), which is no menu',
      [Name, Value.Name, Value.ClassName]);
end;

procedure TMenuItem.GetChildren(Proc: TGetChildProc; Root: TComponent);
var
  I: Integer;
begin
  for I := 0 to FItems.Count - 1 do
    Proc(TComponent(FItems[I]));
end;

function TMenuItem.HasParent: Boolean;
begin
  Result := True;
end;

function TMenuItem.GetParentComponent: TComponent;
begin
  Result := FParentItem;
end;

{ TMenu }

constructor TMenu.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FItems := TMenuItem.Create(Self);
  FParentBiDiMode := True;
end;

destructor TMenu.Destroy;
begin
  inherited Destroy;
end;

procedure TMenu.GetChildren(Proc: TGetChildProc; Root: TComponent);
begin
  FItems.GetChildren(Proc, Root);
end;

{ TCustomImageList }

constructor TCustomImageList.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FAllocBy := 4;
  FHeight := 16;
  FWidth := 16;
  FMasked := True;
  FDrawingStyle := dsNormal;
end;

procedure TCustomImageList.DefineProperties(Filer: TFiler);
begin
  inherited DefineProperties(Filer);
  Filer.DefineBinaryProperty('Bitmap', ReadData, WriteData, FCount > 0);
end;

{ The image list stream: a 28-byte header ('IL', version, image count,
  capacity, growth, image size, background colour, flags, four overlay
  indices), the image bitmap, then the mask bitmap when the flags say
  ILC_MASK. }
procedure TCustomImageList.ReadData(Stream: TStream);
type
  TILHeader = packed record
    Magic, Version: Word;
    Count, MaxCount, Grow: Word;
    CX, CY: Word;
    BkColor: LongWord;
    Flags: Word;
    Overlays: array[0..3] of SmallInt;
  end;
var
  H: TILHeader;
  W, Ht, Bits, Columns: Integer;
  Used: Int64;
begin
  ReadAll(Stream, H, SizeOf(H), 'image list');
  if LEtoN(H.Magic) <> $4C49 then
    raise EInvalidGraphic.Create('image list: no "IL" signature');
  if LEtoN(H.Version) <> $0101 then
    raise EInvalidGraphic.CreateFmt('image list: version %x', [LEtoN(H.Version)]);
  if (LEtoN(H.CX) <> FWidth) or (LEtoN(H.CY) <> FHeight) then
    raise EInvalidGraphic.CreateFmt('image list: images of %dx%d in a list of %dx%d',
      [LEtoN(H.CX), LEtoN(H.CY), FWidth, FHeight]);
  if LEtoN(H.Count) > LEtoN(H.MaxCount) then
    raise EInvalidGraphic.CreateFmt('image list: %d images, room for %d',
      [LEtoN(H.Count), LEtoN(H.MaxCount)]);
  Used := ReadBitmapFile(Stream, Stream.Size - Stream.Position, 'image list images',
    W, Ht, Bits);
  if (W mod FWidth <> 0) or (Ht mod FHeight <> 0) then
    raise EInvalidGraphic.CreateFmt('image list: a %dx%d bitmap is no grid of %dx%d images',
      [W, Ht, FWidth, FHeight]);
  Columns := W div FWidth;
  if Columns * (Ht div FHeight) < LEtoN(H.Count) then
    raise EInvalidGraphic.CreateFmt('image list: %d images do not fit in a %dx%d bitmap',
      [LEtoN(H.Count), W, Ht]);
  if LEtoN(H.Flags) and 1 <> 0 then
  begin
    ReadBitmapFile(Stream, Stream.Size - Stream.Position, 'image list mask', W, Ht, Bits);
    if Bits <> 1 then
      raise EInvalidGraphic.CreateFmt('image list: a mask of %d bits', [Bits]);
  end;
  if Stream.Position <> Stream.Size then
    raise EInvalidGraphic.CreateFmt('image list: %d bytes after the bitmaps',
      [Stream.Size - Stream.Position]);
  if Used = 0 then;
  FCount := LEtoN(H.Count);
end;

procedure TCustomImageList.WriteData(Stream: TStream);
begin
  raise EInvalidOperation.Create('these stand-ins only read forms');
end;

{ TMemo }

constructor TMemo.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FLines := TStringList.Create;
  FBorderStyle := bsSingle;
  FHideSelection := True;
  FWantReturns := True;
  FWordWrap := True;
end;

destructor TMemo.Destroy;
begin
  FLines.Free;
  inherited Destroy;
end;

procedure TMemo.SetLines(Value: TStrings);
begin
  FLines.Assign(Value);
end;

{ TPanel }

constructor TPanel.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FAlignment := taCenter;
  FBevelOuter := bvRaised;
  FBevelWidth := 1;
  FFullRepaint := True;
end;

{ TImage }

constructor TImage.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FPicture := TPicture.Create;
end;

destructor TImage.Destroy;
begin
  FPicture.Free;
  inherited Destroy;
end;

procedure TImage.SetPicture(Value: TPicture);
begin
  raise EInvalidOperation.Create('assigning a picture is not modelled');
end;

{ TSpeedButton }

constructor TSpeedButton.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FGlyph := TBitmap.Create;
  FNumGlyphs := 1;
  FMargin := -1;
  FSpacing := 4;
  FTransparent := True;
end;

destructor TSpeedButton.Destroy;
begin
  FGlyph.Free;
  inherited Destroy;
end;

procedure TSpeedButton.SetGlyph(Value: TBitmap);
begin
  raise EInvalidOperation.Create('assigning a glyph is not modelled');
end;

{ TStatusBar }

constructor TStatusPanels.Create;
begin
  inherited Create(TStatusPanel);
end;

constructor TStatusBar.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FPanels := TStatusPanels.Create;
  FSizeGrip := True;
  FUseSystemFont := True;
end;

destructor TStatusBar.Destroy;
begin
  FPanels.Free;
  inherited Destroy;
end;

procedure TStatusBar.SetPanels(Value: TStatusPanels);
begin
  FPanels.Assign(Value);
end;

{ TScrollingWinControl }

constructor TScrollingWinControl.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FAutoScroll := True;
  FHorzScrollBar := TControlScrollBar.Create;
  FVertScrollBar := TControlScrollBar.Create;
end;

destructor TScrollingWinControl.Destroy;
begin
  FHorzScrollBar.Free;
  FVertScrollBar.Free;
  inherited Destroy;
end;

{ TForm }

constructor TForm.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FIcon := TIcon.Create;
  FBorderIcons := [biSystemMenu, biMinimize, biMaximize];
  FBorderStyle := bsSizeable;
  FDefaultMonitor := dmActiveForm;
  FPrintScale := poProportional;
  FScaled := True;
  FVisible := False;
  FParentFont := False;
end;

destructor TForm.Destroy;
begin
  FIcon.Free;
  inherited Destroy;
end;

procedure TForm.ReadTextHeight(Reader: TReader);
begin
  FTextHeight := Reader.ReadInteger;
end;

procedure TForm.WriteTextHeight(Writer: TWriter);
begin
  Writer.WriteInteger(FTextHeight);
end;

procedure TForm.ReadIgnoreFontProperty(Reader: TReader);
begin
  Reader.ReadBoolean;
end;

procedure TForm.WriteIgnoreFontProperty(Writer: TWriter);
begin
  Writer.WriteBoolean(False);
end;

procedure TForm.DefineProperties(Filer: TFiler);
begin
  inherited DefineProperties(Filer);
  Filer.DefineProperty('TextHeight', ReadTextHeight, WriteTextHeight, FTextHeight <> 0);
  Filer.DefineProperty('IgnoreFontProperty', ReadIgnoreFontProperty,
    WriteIgnoreFontProperty, False);
end;

initialization
  RegisterIntegerConsts(TypeInfo(TColor), IdentToColor, ColorToIdent);
  RegisterIntegerConsts(TypeInfo(TCursor), IdentToCursor, CursorToIdent);
  RegisterIntegerConsts(TypeInfo(TFontCharset), IdentToCharset, CharsetToIdent);
  RegisterClasses([TMainMenu, TPopupMenu, TMenuItem, TImageList, TOpenDialog,
    TSaveDialog, TPrintDialog, TPrinterSetupDialog, TLabel, TButton, TMemo,
    TPanel, TImage, TSpeedButton, TStatusBar, TBitmap, TIcon]);
end.
