unit Forms;

{ Forms without a window system: creating a form hands it to FormLoading,
  where the behaviour test builds the controls a form file would hold and
  runs OnCreate; ShowModal hands it to FormShowing. }

interface

uses
  Classes, Controls;

type
  TCustomForm = class;
  TFormEvent = procedure(Form: TCustomForm);

  TCustomForm = class(TWinControl)
  public
    constructor Create(AOwner: TComponent); override;
    destructor Destroy; override;
    procedure Close;
    function ShowModal: Integer; virtual;
  end;

  TForm = class(TCustomForm)
  published
    property Caption;
  end;

  TApplication = class(TComponent)
  private
    FTitle: string;
    FExeName: string;
  public
    property Title: string read FTitle write FTitle;
    property ExeName: string read FExeName write FExeName;
  end;

var
  Application: TApplication;
  FormLoading, FormShowing, FormDestroying: TFormEvent;
  CloseCalls: Integer;

implementation

constructor TCustomForm.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  if Assigned(FormLoading) then
    FormLoading(Self);
end;

destructor TCustomForm.Destroy;
begin
  if Assigned(FormDestroying) then
    FormDestroying(Self);
  inherited Destroy;
end;

procedure TCustomForm.Close;
begin
  Inc(CloseCalls);
end;

function TCustomForm.ShowModal: Integer;
begin
  if Assigned(FormShowing) then
    FormShowing(Self);
  Result := 1;
end;

initialization
  Application := TApplication.Create(nil);
finalization
  Application.Free;
end.
