unit ExtCtrls;

interface

uses
  Classes, Controls;

type
  TPanel = class(TWinControl)
  end;

  TImage = class(TControl)
  end;

implementation

end.
