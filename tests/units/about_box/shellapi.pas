unit ShellAPI;

{ The shell's "open", recorded instead of carried out. }

interface

uses
  Windows;

function ShellExecute(hWnd: HWND; Operation, FileName, Parameters,
  Directory: PChar; ShowCmd: Integer): HINST; stdcall;

var
  ShellCalls: Integer;
  LastShellWindow: HWND;
  LastShellOperation, LastShellFile: string;
  LastShellParameters, LastShellDirectory: PChar;
  LastShellShow: Integer;

implementation

uses
  SysUtils;

function ShellExecute(hWnd: HWND; Operation, FileName, Parameters,
  Directory: PChar; ShowCmd: Integer): HINST; stdcall;
begin
  Inc(ShellCalls);
  LastShellWindow := hWnd;
  LastShellOperation := StrPas(Operation);
  LastShellFile := StrPas(FileName);
  LastShellParameters := Parameters;
  LastShellDirectory := Directory;
  LastShellShow := ShowCmd;
  Result := 2; { ERROR_FILE_NOT_FOUND: the about box does not look }
end;

end.
