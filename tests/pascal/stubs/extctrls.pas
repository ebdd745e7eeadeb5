{ Stand-in for the extra controls unit: panels and images. }
unit ExtCtrls;

interface

uses
  Classes, Controls;

type
  TCustomPanel = class(TCustomControl)
  end;

  TPanel = class(TCustomPanel)
  published
    property Align;
    property Caption;
    property Color;
    property Hint;
    property ShowHint;
    property Visible;
  end;

  TImage = class(TGraphicControl)
  published
    property Align;
    property Hint;
    property ShowHint;
    property Visible;
  end;

implementation

end.
