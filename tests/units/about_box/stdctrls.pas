unit StdCtrls;

interface

uses
  Classes, Controls;

type
  TButton = class(TWinControl)
  published
    property Caption;
  end;

  TMemo = class(TWinControl)
  private
    FLines: TStrings;
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    property Lines: TStrings read FLines;
  end;

  TLabel = class(TControl)
  published
    property Caption;
  end;

implementation

constructor TMemo.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FLines := TStringList.Create;
end;

destructor TMemo.Destroy;
begin
  FLines.Free;
  inherited Destroy;
end;

end.
