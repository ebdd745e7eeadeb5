{ Stand-in for the common controls unit: the status bar and its panels. }
unit ComCtrls;

interface

uses
  Classes, Controls;

type
  TStatusPanel = class(TCollectionItem)
  private
    FText: string;
    FWidth: Integer;
  published
    property Text: string read FText write FText;
    property Width: Integer read FWidth write FWidth;
  end;

  TStatusPanels = class(TCollection)
  private
    function GetItem(Index: Integer): TStatusPanel;
  public
    function Add: TStatusPanel;
    property Items[Index: Integer]: TStatusPanel read GetItem; default;
  end;

  TCustomStatusBar = class(TWinControl)
  private
    FPanels: TStatusPanels;
    FSimplePanel: Boolean;
    FSimpleText: string;
  public
    property Panels: TStatusPanels read FPanels;
    property SimplePanel: Boolean read FSimplePanel write FSimplePanel default False;
    property SimpleText: string read FSimpleText write FSimpleText;
  end;

  TStatusBar = class(TCustomStatusBar)
  published
    property Align;
    property Panels;
    property ShowHint;
    property SimplePanel;
    property SimpleText;
    property Visible;
  end;

implementation

function TStatusPanels.GetItem(Index: Integer): TStatusPanel;
begin
  Result := TStatusPanel(inherited Items[Index]);
end;

function TStatusPanels.Add: TStatusPanel;
begin
  Result := TStatusPanel(inherited Add);
end;

end.
