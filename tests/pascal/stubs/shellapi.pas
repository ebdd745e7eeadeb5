{ Stand-in for the shell API unit: the shell's "open" as the about box uses it. }
unit ShellAPI;

interface

uses
  Windows;

function ShellExecute(hWnd: HWND; Operation, FileName, Parameters, Directory: PChar;
  ShowCmd: Integer): HINST; stdcall;

implementation

function ShellExecute(hWnd: HWND; Operation, FileName, Parameters, Directory: PChar;
  ShowCmd: Integer): HINST; stdcall;
begin
  Result := 0;
end;

end.
