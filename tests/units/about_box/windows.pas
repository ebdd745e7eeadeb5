unit Windows;

{ Stand-ins for the Win32 calls the about box makes, with their Windows
  declarations, answering from tables the behaviour test fills. }

interface

uses
  Classes;

type
  DWORD = LongWord;
  BOOL = LongBool;
  UINT = LongWord;
  HWND = LongWord;
  HKEY = LongWord;
  HINST = LongWord;

const
  HKEY_CURRENT_USER = HKEY($80000001);
  HKEY_LOCAL_MACHINE = HKEY($80000002);
  SW_SHOW = 5;

function GetUserName(lpBuffer: PChar; var nSize: DWORD): BOOL; stdcall;
function GetFileVersionInfoSize(lptstrFilename: PChar;
  var lpdwHandle: DWORD): DWORD; stdcall;
function GetFileVersionInfo(lptstrFilename: PChar; dwHandle, dwLen: DWORD;
  lpData: Pointer): BOOL; stdcall;
function VerQueryValue(pBlock: Pointer; lpSubBlock: PChar;
  var lplpBuffer: Pointer; var puLen: UINT): BOOL; stdcall;

var
  { The logged-on user; GetUserName fails when it does not fit the buffer. }
  FakeUserName: string;
  FakeUserNameFails: Boolean;
  { "file name=size" of every file with version information. }
  FakeVersionSizes: TStringList;
  { "sub-block=text" of the version information, e.g.
    "StringFileInfo\040904E4\ProductName=Orvalen Demo". }
  FakeVersionValues: TStringList;
  { GetFileVersionInfo fails although the size was given. }
  FakeVersionReadFails: Boolean;
  { Seen by the calls: the buffer size GetUserName was offered, and blocks
    queried that GetFileVersionInfo had not filled. }
  LastUserNameSize: DWORD;
  UnfilledBlockQueries: Integer;

implementation

uses
  SysUtils;

const
  FilledMark = $5A;

function GetUserName(lpBuffer: PChar; var nSize: DWORD): BOOL; stdcall;
begin
  LastUserNameSize := nSize;
  Result := not FakeUserNameFails and (DWORD(Length(FakeUserName)) < nSize);
  if Result then
  begin
    StrPCopy(lpBuffer, FakeUserName);
    nSize := Length(FakeUserName) + 1;
  end;
end;

function GetFileVersionInfoSize(lptstrFilename: PChar;
  var lpdwHandle: DWORD): DWORD; stdcall;
begin
  lpdwHandle := 0;
  Result := StrToIntDef(FakeVersionSizes.Values[StrPas(lptstrFilename)], 0);
end;

function GetFileVersionInfo(lptstrFilename: PChar; dwHandle, dwLen: DWORD;
  lpData: Pointer): BOOL; stdcall;
begin
  Result := not FakeVersionReadFails and (dwLen > 0) and
    (DWORD(StrToIntDef(FakeVersionSizes.Values[StrPas(lptstrFilename)], 0)) = dwLen);
  if Result then
    PByte(lpData)^ := FilledMark;
end;

function VerQueryValue(pBlock: Pointer; lpSubBlock: PChar;
  var lplpBuffer: Pointer; var puLen: UINT): BOOL; stdcall;
var
  I: Integer;
  Entry: string;
begin
  Result := False;
  lplpBuffer := nil;
  puLen := 0;
  if (pBlock = nil) or (PByte(pBlock)^ <> FilledMark) then
  begin
    Inc(UnfilledBlockQueries);
    Exit;
  end;
  I := FakeVersionValues.IndexOfName(StrPas(lpSubBlock));
  if I < 0 then
    Exit;
  { Points into the table's own text, which outlives the call as the block
    would; nothing is allocated, so the caller's memory use shows alone. }
  Entry := FakeVersionValues[I];
  lplpBuffer := PChar(Entry) + Length(FakeVersionValues.Names[I]) + 1;
  puLen := Length(Entry) - Length(FakeVersionValues.Names[I]);
  Result := True;
end;

initialization
  FakeVersionSizes := TStringList.Create;
  FakeVersionValues := TStringList.Create;
finalization
  FakeVersionSizes.Free;
  FakeVersionValues.Free;
end.
