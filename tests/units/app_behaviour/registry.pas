{ Stand-in for the registry unit: the current user's keys live in memory
  (Store, one 'key\name=value' a line, key names without case). OpenKey
  opens an existing key, or creates it when asked to; reading a value that
  is not there raises ERegistryException for integers, as TRegistry does,
  and gives '' for strings; writing without an open key raises. }
unit Registry;

interface

uses
  Windows, Classes, SysUtils;

type
  ERegistryException = class(Exception);

  TRegistry = class(TObject)
  private
    FCurrentPath: string;
    FOpen: Boolean;
    FRootKey: HKEY;
    function Slot(const Name: string): string;
  public
    constructor Create;
    procedure CloseKey;
    function OpenKey(const Key: string; CanCreate: Boolean): Boolean;
    function ReadInteger(const Name: string): Integer;
    function ReadString(const Name: string): string;
    procedure WriteInteger(const Name: string; Value: Integer);
    procedure WriteString(const Name, Value: string);
    property RootKey: HKEY read FRootKey write FRootKey;
  end;

var
  Store: TStringList;
  Keys: TStringList;

implementation

function KeyPath(const Key: string): string;
begin
  Result := UpperCase(Key);
  while (Result <> '') and (Result[1] = '\') do
    System.Delete(Result, 1, 1);
end;

constructor TRegistry.Create;
begin
  inherited Create;
  FRootKey := HKEY_LOCAL_MACHINE;
end;

procedure TRegistry.CloseKey;
begin
  FOpen := False;
end;

function TRegistry.OpenKey(const Key: string; CanCreate: Boolean): Boolean;
var
  Path: string;
begin
  Path := KeyPath(Key);
  Result := (FRootKey = HKEY_CURRENT_USER) and
    ((Keys.IndexOf(Path) >= 0) or CanCreate);
  if Result and (Keys.IndexOf(Path) < 0) then
    Keys.Add(Path);
  FOpen := Result;
  if Result then
    FCurrentPath := Path;
end;

function TRegistry.Slot(const Name: string): string;
begin
  if not FOpen then
    raise ERegistryException.Create('no key is open');
  Result := FCurrentPath + '\' + UpperCase(Name);
end;

function TRegistry.ReadInteger(const Name: string): Integer;
var
  I: Integer;
begin
  I := Store.IndexOfName(Slot(Name));
  if I < 0 then
    raise ERegistryException.CreateFmt('Invalid data type for ''%s''', [Name]);
  Result := StrToInt(Store.ValueFromIndex[I]);
end;

function TRegistry.ReadString(const Name: string): string;
begin
  Result := Store.Values[Slot(Name)];
end;

procedure TRegistry.WriteInteger(const Name: string; Value: Integer);
begin
  WriteString(Name, IntToStr(Value));
end;

procedure TRegistry.WriteString(const Name, Value: string);
var
  S: string;
  I: Integer;
begin
  S := Slot(Name);
  I := Store.IndexOfName(S);
  if I >= 0 then
    Store.Delete(I);
  Store.Add(S + '=' + Value);
end;

initialization
  Store := TStringList.Create;
  Keys := TStringList.Create;
finalization
  Store.Free;
  Keys.Free;
end.
