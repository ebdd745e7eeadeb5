{ Stand-in for the button unit: speed buttons. }
unit Buttons;

interface

uses
  Classes, Graphics, Controls;

type
  TSpeedButton = class(TGraphicControl)
  private
    FGlyph: TBitmap;
    FNumGlyphs: Integer;
    FOnClick: TNotifyEvent;
  published
    property Caption;
    property Enabled;
    property Glyph: TBitmap read FGlyph write FGlyph;
    property Hint;
    property NumGlyphs: Integer read FNumGlyphs write FNumGlyphs default 1;
    property ShowHint;
    property Visible;
    property OnClick: TNotifyEvent read FOnClick write FOnClick;
  end;

implementation

end.
