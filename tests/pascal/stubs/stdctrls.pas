{ Stand-in for the standard controls unit: buttons, memos and labels as the
  about box uses them, with the declarations of the real unit. }
unit StdCtrls;

interface

uses
  Windows, Classes, Controls;

type
  TScrollStyle = (ssNone, ssHorizontal, ssVertical, ssBoth);

  TButtonControl = class(TWinControl)
  end;

  TButton = class(TButtonControl)
  private
    FDefault: Boolean;
    FModalResult: TModalResult;
  published
    property Caption;
    property Default: Boolean read FDefault write FDefault default False;
    property Enabled;
    property ModalResult: TModalResult read FModalResult write FModalResult default 0;
    property Visible;
  end;

  TCustomEdit = class(TWinControl)
  end;

  TCustomMemo = class(TCustomEdit)
  private
    FLines: TStrings;
    FScrollBars: TScrollStyle;
  protected
    property ScrollBars: TScrollStyle read FScrollBars write FScrollBars default ssNone;
  public
    property Lines: TStrings read FLines write FLines;
  end;

  TMemo = class(TCustomMemo)
  published
    property Lines;
    property ScrollBars;
    property Visible;
  end;

  TCustomLabel = class(TGraphicControl)
  end;

  TLabel = class(TCustomLabel)
  published
    property Caption;
    property Visible;
  end;

implementation

end.
