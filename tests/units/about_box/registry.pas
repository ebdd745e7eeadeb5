unit Registry;

{ A stand-in for TRegistry with the Delphi declarations the about box uses,
  reading from a table the behaviour test fills. Keys are opened as on
  Windows: a key that is missing cannot be opened without creating it, and
  one the table marks as protected cannot be opened for writing. }

interface

uses
  Windows, Classes, SysUtils;

type
  ERegistryException = class(Exception);

  TRegDataType = (rdUnknown, rdString, rdExpandString, rdInteger, rdBinary);

  TRegistry = class(TObject)
  private
    FRootKey: HKEY;
    FCurrentKey: HKEY;
    FCurrentPath: string;
    procedure SetRootKey(Value: HKEY);
    function Entry(const Name: string): Integer;
  public
    constructor Create;
    destructor Destroy; override;
    procedure CloseKey;
    function OpenKey(const Key: string; CanCreate: Boolean): Boolean;
    function OpenKeyReadOnly(const Key: string): Boolean;
    function ValueExists(const Name: string): Boolean;
    function GetDataType(const ValueName: string): TRegDataType;
    function ReadString(const Name: string): string;
    property CurrentKey: HKEY read FCurrentKey;
    property RootKey: HKEY read FRootKey write SetRootKey;
  end;

var
  { "KEY\Name=value" for text values, "KEY\Name=#number" for numbers, and
    "KEY\=" to make an empty key exist. KEY is the local-machine path. }
  FakeMachineValues: TStringList;
  { Keys an ordinary user may read but not open for writing. }
  FakeProtectedKeys: TStringList;
  { What the test looks at: readers alive, keys opened for writing or created. }
  LiveReaders, WriteOpens, Creations: Integer;

implementation

function KeyExists(const Key: string): Boolean;
var
  I: Integer;
begin
  for I := 0 to FakeMachineValues.Count - 1 do
    if SameText(ExtractFileDir(StringReplace(FakeMachineValues.Names[I], '\', '/',
      [rfReplaceAll])), StringReplace(Key, '\', '/', [rfReplaceAll])) then
    begin
      Result := True;
      Exit;
    end;
  Result := False;
end;

constructor TRegistry.Create;
begin
  inherited Create;
  FRootKey := HKEY_CURRENT_USER;
  Inc(LiveReaders);
end;

destructor TRegistry.Destroy;
begin
  CloseKey;
  Dec(LiveReaders);
  inherited Destroy;
end;

procedure TRegistry.SetRootKey(Value: HKEY);
begin
  CloseKey;
  FRootKey := Value;
end;

procedure TRegistry.CloseKey;
begin
  FCurrentKey := 0;
  FCurrentPath := '';
end;

function TRegistry.OpenKey(const Key: string; CanCreate: Boolean): Boolean;
begin
  Inc(WriteOpens);
  if CanCreate then
    Inc(Creations);
  Result := (FRootKey = HKEY_LOCAL_MACHINE) and KeyExists(Key) and
    (FakeProtectedKeys.IndexOf(Key) < 0);
  if Result then
  begin
    FCurrentKey := 1;
    FCurrentPath := Key;
  end;
end;

function TRegistry.OpenKeyReadOnly(const Key: string): Boolean;
begin
  Result := (FRootKey = HKEY_LOCAL_MACHINE) and KeyExists(Key);
  if Result then
  begin
    FCurrentKey := 1;
    FCurrentPath := Key;
  end;
end;

function TRegistry.Entry(const Name: string): Integer;
begin
  { With no key open, Windows is asked about key 0 and finds nothing. }
  if FCurrentKey = 0 then
    Result := -1
  else
    Result := FakeMachineValues.IndexOfName(FCurrentPath + '\' + Name);
end;

function TRegistry.ValueExists(const Name: string): Boolean;
begin
  Result := Entry(Name) >= 0;
end;

function TRegistry.GetDataType(const ValueName: string): TRegDataType;
var
  I: Integer;
begin
  I := Entry(ValueName);
  if I < 0 then
    Result := rdUnknown
  else if Copy(FakeMachineValues.ValueFromIndex[I], 1, 1) = '#' then
    Result := rdInteger
  else
    Result := rdString;
end;

function TRegistry.ReadString(const Name: string): string;
var
  I: Integer;
begin
  { As Delphi's: a missing value reads as empty, a number is an error. }
  I := Entry(Name);
  if I < 0 then
    Result := ''
  else if GetDataType(Name) <> rdString then
    raise ERegistryException.CreateFmt('Invalid data type for ''%s''', [Name])
  else
    Result := FakeMachineValues.ValueFromIndex[I];
end;

initialization
  FakeMachineValues := TStringList.Create;
  FakeProtectedKeys := TStringList.Create;
finalization
  FakeMachineValues.Free;
  FakeProtectedKeys.Free;
end.
