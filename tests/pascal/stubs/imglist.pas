{ Stand-in for the image list base unit. }
unit ImgList;

interface

uses
  Classes;

type
  TCustomImageList = class(TComponent)
  private
    FHeight: Integer;
    FWidth: Integer;
  public
    property Height: Integer read FHeight write FHeight default 16;
    property Width: Integer read FWidth write FWidth default 16;
  end;

implementation

end.
