{ Stand-in for the graphics unit: pictures as the generated units use them. }
unit Graphics;

interface

uses
  Classes;

type
  TColor = -$7FFFFFFF-1..$7FFFFFFF;

  TGraphic = class(TPersistent)
  public
    constructor Create; virtual;
    procedure LoadFromFile(const Filename: string); virtual;
  end;

  TBitmap = class(TGraphic)
  end;

  TIcon = class(TGraphic)
  end;

implementation

constructor TGraphic.Create;
begin
  inherited Create;
end;

procedure TGraphic.LoadFromFile(const Filename: string);
begin
end;

end.
