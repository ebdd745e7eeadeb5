unit Graphics;

{ Nothing of the graphics library is called by the about box's code; the
  unit is named in its uses list for the form's picture. }

interface

implementation

end.
