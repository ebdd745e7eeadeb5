{ Stand-in for the registry unit: TRegistry as the generated units use it. }
unit Registry;

interface

uses
  Windows, Classes, SysUtils;

type
  ERegistryException = class(Exception);

  TRegDataType = (rdUnknown, rdString, rdExpandString, rdInteger, rdBinary);

  TRegistry = class(TObject)
  private
    FCurrentKey: HKEY;
    FRootKey: HKEY;
  public
    constructor Create; overload;
    constructor Create(AAccess: LongWord); overload;
    procedure CloseKey;
    function OpenKey(const Key: string; CanCreate: Boolean): Boolean;
    function OpenKeyReadOnly(const Key: string): Boolean;
    function ValueExists(const Name: string): Boolean;
    function GetDataType(const ValueName: string): TRegDataType;
    function ReadInteger(const Name: string): Integer;
    function ReadString(const Name: string): string;
    procedure WriteInteger(const Name: string; Value: Integer);
    procedure WriteString(const Name, Value: string);
    property CurrentKey: HKEY read FCurrentKey;
    property RootKey: HKEY read FRootKey write FRootKey;
  end;

implementation

constructor TRegistry.Create;
begin
  inherited Create;
  FRootKey := HKEY_CURRENT_USER;
end;

constructor TRegistry.Create(AAccess: LongWord);
begin
  Create;
end;

procedure TRegistry.CloseKey;
begin
end;

function TRegistry.OpenKey(const Key: string; CanCreate: Boolean): Boolean;
begin
  Result := False;
end;

function TRegistry.OpenKeyReadOnly(const Key: string): Boolean;
begin
  Result := False;
end;

function TRegistry.ValueExists(const Name: string): Boolean;
begin
  Result := False;
end;

function TRegistry.GetDataType(const ValueName: string): TRegDataType;
begin
  Result := rdUnknown;
end;

function TRegistry.ReadInteger(const Name: string): Integer;
begin
  Result := 0;
end;

function TRegistry.ReadString(const Name: string): string;
begin
  Result := '';
end;

procedure TRegistry.WriteInteger(const Name: string; Value: Integer);
begin
end;

procedure TRegistry.WriteString(const Name, Value: string);
begin
end;

end.
