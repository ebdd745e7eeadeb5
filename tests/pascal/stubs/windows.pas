{ Stand-in for the Win32 API unit: the declarations the generated units use,
  with the 32-bit types and values of the real unit. Bodies do nothing; the
  units are compiled to be checked, never run. }
unit Windows;

interface

type
  DWORD = LongWord;
  BOOL = LongBool;
  UINT = LongWord;
  WPARAM = Longint;
  LPARAM = Longint;
  LRESULT = Longint;
  HWND = type LongWord;
  HKEY = type LongWord;
  HINST = type LongWord;

const
  HKEY_CLASSES_ROOT = HKEY($80000000);
  HKEY_CURRENT_USER = HKEY($80000001);
  HKEY_LOCAL_MACHINE = HKEY($80000002);

  SC_CLOSE = $F060;

  SW_HIDE = 0;
  SW_SHOWNORMAL = 1;
  SW_SHOW = 5;

  HELP_CONTEXT = $0001;
  HELP_QUIT = $0002;
  HELP_CONTENTS = $0003;
  HELP_HELPONHELP = $0004;
  HELP_KEY = $0101;
  HELP_PARTIALKEY = $0105;

function PostMessage(hWnd: HWND; Msg: UINT; wParam: WPARAM; lParam: LPARAM): BOOL; stdcall;
function FindWindow(lpClassName, lpWindowName: PChar): HWND; stdcall;
function SetForegroundWindow(hWnd: HWND): BOOL; stdcall;
function GetUserName(lpBuffer: PChar; var nSize: DWORD): BOOL; stdcall;
function GetFileVersionInfoSize(lptstrFilename: PChar; var lpdwHandle: DWORD): DWORD; stdcall;
function GetFileVersionInfo(lptstrFilename: PChar; dwHandle, dwLen: DWORD;
  lpData: Pointer): BOOL; stdcall;
function VerQueryValue(pBlock: Pointer; lpSubBlock: PChar; var lplpBuffer: Pointer;
  var puLen: UINT): BOOL; stdcall;

implementation

function PostMessage(hWnd: HWND; Msg: UINT; wParam: WPARAM; lParam: LPARAM): BOOL; stdcall;
begin
  Result := False;
end;

function FindWindow(lpClassName, lpWindowName: PChar): HWND; stdcall;
begin
  Result := 0;
end;

function SetForegroundWindow(hWnd: HWND): BOOL; stdcall;
begin
  Result := False;
end;

function GetUserName(lpBuffer: PChar; var nSize: DWORD): BOOL; stdcall;
begin
  Result := False;
end;

function GetFileVersionInfoSize(lptstrFilename: PChar; var lpdwHandle: DWORD): DWORD; stdcall;
begin
  Result := 0;
end;

function GetFileVersionInfo(lptstrFilename: PChar; dwHandle, dwLen: DWORD;
  lpData: Pointer): BOOL; stdcall;
begin
  Result := False;
end;

function VerQueryValue(pBlock: Pointer; lpSubBlock: PChar; var lplpBuffer: Pointer;
  var puLen: UINT): BOOL; stdcall;
begin
  Result := False;
end;

end.
