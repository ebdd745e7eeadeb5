{ Stand-in for the generated about unit, which has its own behaviour test:
  the form class and its variable. }
unit STDAbout;

interface

uses
  Forms;

type
  TAboutForm = class(TForm)
  end;

var
  AboutForm: TAboutForm;

implementation

end.
