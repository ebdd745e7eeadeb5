unit Controls;

{ Just enough of the control classes for the about box's code to run. }

interface

uses
  Windows, Classes;

type
  TControl = class(TComponent)
  private
    FCaption: string;
  protected
    property Caption: string read FCaption write FCaption;
  end;

  TWinControl = class(TControl)
  private
    FHandle: HWND;
  public
    property Handle: HWND read FHandle write FHandle;
  end;

implementation

end.
