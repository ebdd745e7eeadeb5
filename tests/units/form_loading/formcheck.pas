{ Loads a generated binary form file the way the running application does -
  TReader.ReadRootComponent over the form resource - into the streaming
  stand-ins (vclstream) and the form class the run script built from the
  generated unit's declaration, then checks what the reader itself does not:
  every reference names a component of the form, every component the unit
  declares that the form holds has the declared class, and every event handler the
  form binds has the parameter list its event type asks for. }
unit formcheck;

{$mode delphi}{$H+}

interface

uses Classes, SysUtils, TypInfo, vclstream;

type
  TDeclaredField = record
    Name: string;
    FieldClass: TClass;
  end;
  TDeclaredMethod = record
    Name, Params, ResultType: string;
  end;

  { What the generated unit declares for its form: the class, the variable
    holding the form, and the published fields and methods. }
  TFormDeclaration = class
  public
    UnitFile, VarName: string;
    FormClass: TFormClass;
    Fields: array of TDeclaredField;
    Methods: array of TDeclaredMethod;
    constructor Create(const AUnitFile, AVarName: string; AFormClass: TFormClass);
    procedure Field(const AName: string; AClass: TClass);
    procedure Method(const AName, AParams, AResult: string);
  end;

{ Loads DfmPath for Decl and checks it; writes what is wrong and returns
  False on the first fault. }
function CheckForm(const DfmPath: string; Decl: TFormDeclaration): Boolean;

implementation

constructor TFormDeclaration.Create(const AUnitFile, AVarName: string;
  AFormClass: TFormClass);
begin
  inherited Create;
  UnitFile := AUnitFile;
  VarName := AVarName;
  FormClass := AFormClass;
end;

procedure TFormDeclaration.Field(const AName: string; AClass: TClass);
begin
  SetLength(Fields, Length(Fields) + 1);
  Fields[High(Fields)].Name := AName;
  Fields[High(Fields)].FieldClass := AClass;
end;

procedure TFormDeclaration.Method(const AName, AParams, AResult: string);
begin
  SetLength(Methods, Length(Methods) + 1);
  Methods[High(Methods)].Name := AName;
  Methods[High(Methods)].Params := AParams;
  Methods[High(Methods)].ResultType := AResult;
end;

type
  EFormCheck = class(Exception);

  { Keeps what the reader reports: every error (none is handled, so each
    still raises) and every component reference read. }
  TReadLog = class
    Errors, References: TStringList;
    constructor Create;
    destructor Destroy; override;
    procedure OnError(Reader: TReader; const Message: string; var Handled: Boolean);
    procedure OnReferenceName(Reader: TReader; var Name: string);
    procedure OnFindMethod(Reader: TReader; const MethodName: string;
      var Address: CodePointer; var Error: Boolean);
  end;

constructor TReadLog.Create;
begin
  Errors := TStringList.Create;
  References := TStringList.Create;
end;

destructor TReadLog.Destroy;
begin
  Errors.Free;
  References.Free;
end;

procedure TReadLog.OnError(Reader: TReader; const Message: string; var Handled: Boolean);
begin
  Errors.Add(Message);
  Handled := False;
end;

{ Only names the method the reader misses; the reader still raises. }
procedure TReadLog.OnFindMethod(Reader: TReader; const MethodName: string;
  var Address: CodePointer; var Error: Boolean);
begin
  if Error then
    Errors.Add(Format('%s declares no published method %s',
      [Reader.Root.ClassName, MethodName]));
end;

procedure TReadLog.OnReferenceName(Reader: TReader; var Name: string);
begin
  References.Add(Name);
end;

{ The form resource file holds one 16-bit resource entry: $FF, the type
  (10, RCDATA), the upper-case class name as the resource name, flags, the
  size, then the form stream. }
function FormStream(const DfmPath, ClassName: string): TMemoryStream;
var
  F: TFileStream;
  B: Byte;
  W: Word;
  Size: LongWord;
  ResName: string;
begin
  Result := TMemoryStream.Create;
  F := TFileStream.Create(DfmPath, fmOpenRead or fmShareDenyNone);
  try
    F.ReadBuffer(B, 1);
    if B <> $FF then
      raise EFormCheck.CreateFmt('%s: no resource header (first byte %d)', [DfmPath, B]);
    F.ReadBuffer(W, 2);
    if LEtoN(W) <> 10 then
      raise EFormCheck.CreateFmt('%s: resource type %d, not RCDATA', [DfmPath, LEtoN(W)]);
    ResName := '';
    repeat
      F.ReadBuffer(B, 1);
      if B <> 0 then
        ResName := ResName + Chr(B);
    until B = 0;
    if ResName <> UpperCase(ClassName) then
      raise EFormCheck.CreateFmt('%s: the resource is named %s; the form class %s is looked up as %s',
        [DfmPath, ResName, ClassName, UpperCase(ClassName)]);
    F.ReadBuffer(W, 2);
    F.ReadBuffer(Size, 4);
    Size := LEtoN(Size);
    if Size <> F.Size - F.Position then
      raise EFormCheck.CreateFmt('%s: the resource claims %d bytes, %d follow',
        [DfmPath, Size, F.Size - F.Position]);
    Result.CopyFrom(F, Size);
    Result.Position := 0;
  finally
    F.Free;
  end;
end;

function Choose(I: Integer): string;
begin
  case I of
    0: Result := 'var';
    1: Result := 'const';
  else
    Result := 'out';
  end;
end;

{ Parameter lists as (flag type) pairs, lower case, separated by ';':
  '(Sender: TObject; var A, B: Integer)' -> 'tobject;var integer;var integer' }
function NormalParams(const Decl: string): string;
var
  S, Group, Flag, Names, TypeName: string;
  Groups, NameList: TStringList;
  I, J, Colon: Integer;
begin
  Result := '';
  S := Trim(Decl);
  if S = '' then
    Exit;
  if (S[1] <> '(') or (S[Length(S)] <> ')') then
    raise EFormCheck.CreateFmt('parameter list "%s"', [Decl]);
  S := Copy(S, 2, Length(S) - 2);
  Groups := TStringList.Create;
  NameList := TStringList.Create;
  try
    Groups.StrictDelimiter := True;
    Groups.Delimiter := ';';
    Groups.DelimitedText := S;
    for I := 0 to Groups.Count - 1 do
    begin
      Group := Trim(Groups[I]);
      if Group = '' then
        Continue;
      Colon := Pos(':', Group);
      if Colon = 0 then
        raise EFormCheck.CreateFmt('untyped parameter in "%s"', [Decl]);
      TypeName := LowerCase(Trim(Copy(Group, Colon + 1, MaxInt)));
      Names := Trim(Copy(Group, 1, Colon - 1));
      Flag := '';
      for J := 0 to 2 do
        if SameText(Copy(Names, 1, Length(Choose(J)) + 1), Choose(J) + ' ') then
        begin
          Flag := Choose(J) + ' ';
          Names := Trim(Copy(Names, Length(Choose(J)) + 1, MaxInt));
        end;
      NameList.StrictDelimiter := True;
      NameList.Delimiter := ',';
      NameList.DelimitedText := Names;
      for J := 0 to NameList.Count - 1 do
      begin
        if Result <> '' then
          Result := Result + ';';
        Result := Result + LowerCase(Flag) + TypeName;
      end;
    end;
  finally
    Groups.Free;
    NameList.Free;
  end;
end;

{ The same form for an event type, from its run-time type information:
  ParamCount entries of (flags, name, type name), then for a function the
  result type name. }
function EventParams(Info: PTypeInfo; out ResultType: string): string;
var
  Data: PTypeData;
  P: PByte;
  I: Integer;
  Flags: TParamFlags;
  TypeName: ShortString;
begin
  Data := GetTypeData(Info);
  P := @Data^.ParamList[0];
  Result := '';
  for I := 1 to Data^.ParamCount do
  begin
    P := AlignTParamFlags(P);
    Move(P^, Flags, SizeOf(Flags));
    Inc(P, SizeOf(Flags));
    Inc(P, P^ + 1);                      { the parameter's name }
    TypeName := PShortString(P)^;
    Inc(P, P^ + 1);
    if pfHidden in Flags then            { Self }
      Continue;
    if Result <> '' then
      Result := Result + ';';
    if pfVar in Flags then
      Result := Result + 'var '
    else if pfConst in Flags then
      Result := Result + 'const '
    else if pfOut in Flags then
      Result := Result + 'out ';
    Result := Result + LowerCase(TypeName);
  end;
  ResultType := '';
  if Data^.MethodKind = mkFunction then
    ResultType := LowerCase(PShortString(P)^);
end;

procedure CheckHandlers(Root: TComponent; Decl: TFormDeclaration;
  Instance: TPersistent; const Path: string);
var
  Props: PPropList;
  Count, I, J, K: Integer;
  M: TMethod;
  Handler, Want, WantResult, Have: string;
  Obj: TObject;
begin
  Count := GetPropList(Instance, Props);
  try
    for I := 0 to Count - 1 do
      case Props^[I]^.PropType^.Kind of
        tkMethod:
          begin
            M := GetMethodProp(Instance, Props^[I]);
            if M.Code = nil then
              Continue;
            if M.Data <> Pointer(Root) then
              raise EFormCheck.CreateFmt('%s.%s is bound to a method of another object',
                [Path, Props^[I]^.Name]);
            Handler := Root.MethodName(M.Code);
            K := -1;
            for J := 0 to High(Decl.Methods) do
              if SameText(Decl.Methods[J].Name, Handler) then
                K := J;
            if K < 0 then
              raise EFormCheck.CreateFmt('%s.%s = %s: %s declares no such published method',
                [Path, Props^[I]^.Name, Handler, Decl.UnitFile]);
            Want := EventParams(Props^[I]^.PropType, WantResult);
            Have := NormalParams(Decl.Methods[K].Params);
            if (Want <> Have) or not SameText(WantResult, Decl.Methods[K].ResultType) then
              raise EFormCheck.CreateFmt('%s.%s = %s: the event type %s takes (%s) %s, %s declares %s%s %s',
                [Path, Props^[I]^.Name, Handler, Props^[I]^.PropType^.Name,
                 Want, WantResult, Decl.UnitFile, Handler, Decl.Methods[K].Params,
                 Decl.Methods[K].ResultType]);
          end;
        tkInteger:
          { FPC looks integer identifiers up in every registered table, so a
            cursor or character set name would pass as a colour; a colour is
            an RGB value, a system colour index or clNone/clDefault. }
          if Props^[I]^.PropType = TypeInfo(TColor) then
          begin
            J := GetOrdProp(Instance, Props^[I]);
            if not ((J >= 0) and (J <= $20000000)
              or (J >= -$7FFFFFFF - 1) and (J <= -$7FFFFFFF - 1 + 24)) then
              raise EFormCheck.CreateFmt('%s.%s = %d is no colour',
                [Path, Props^[I]^.Name, J]);
          end;
        tkClass:
          begin
            Obj := GetObjectProp(Instance, Props^[I]);
            if (Obj is TPersistent) and not (Obj is TComponent) then
              CheckHandlers(Root, Decl, TPersistent(Obj), Path + '.' + Props^[I]^.Name);
          end;
      end;
  finally
    FreeMem(Props);
  end;
end;

procedure CheckLoaded(Form: TComponent; Decl: TFormDeclaration; Log: TReadLog);
var
  I: Integer;
  Field: ^TObject;
begin
  if Log.Errors.Count > 0 then
    raise EFormCheck.Create('the reader reported: ' + Log.Errors.Text);
  if Form.ClassType <> Decl.FormClass then
    raise EFormCheck.CreateFmt('the form is a %s, %s declares %s',
      [Form.ClassName, Decl.UnitFile, Decl.FormClass.ClassName]);
  if not SameText(Form.Name, Decl.VarName) then
    raise EFormCheck.CreateFmt('the form is named %s, %s keeps it in %s',
      [Form.Name, Decl.UnitFile, Decl.VarName]);
  for I := 0 to Log.References.Count - 1 do
    if Form.FindComponent(Log.References[I]) = nil then
      raise EFormCheck.CreateFmt('a property refers to %s, which the form does not hold',
        [Log.References[I]]);
  for I := 0 to High(Decl.Fields) do
  begin
    Field := Form.FieldAddress(Decl.Fields[I].Name);
    if Field = nil then
      raise EFormCheck.CreateFmt('%s is no published field', [Decl.Fields[I].Name]);
    { As in the form library, a declared component the form does not hold
      stays nil; the generated code tests such fields (the recent-files
      menu) before it uses them. }
    if Field^ = nil then
    begin
      WriteLn('     ', Decl.UnitFile, ': ', Decl.Fields[I].Name, ': ',
        Decl.Fields[I].FieldClass.ClassName, ' is not in the form and stays nil');
      Continue;
    end;
    if Field^.ClassType <> Decl.Fields[I].FieldClass then
      raise EFormCheck.CreateFmt('%s declares %s: %s, the form makes it a %s',
        [Decl.UnitFile, Decl.Fields[I].Name, Decl.Fields[I].FieldClass.ClassName,
         Field^.ClassName]);
  end;
  CheckHandlers(Form, Decl, Form, Form.Name);
  for I := 0 to Form.ComponentCount - 1 do
    CheckHandlers(Form, Decl, Form.Components[I], Form.Components[I].Name);
end;

function CheckForm(const DfmPath: string; Decl: TFormDeclaration): Boolean;
var
  Stream: TMemoryStream;
  Reader: TReader;
  Log: TReadLog;
  Form: TComponent;
begin
  Result := False;
  Stream := nil;
  Reader := nil;
  Form := nil;
  Log := TReadLog.Create;
  try
    try
      Stream := FormStream(DfmPath, Decl.FormClass.ClassName);
      Reader := TReader.Create(Stream, 4096);
      Reader.OnError := Log.OnError;
      Reader.OnReferenceName := Log.OnReferenceName;
      Reader.OnFindMethod := Log.OnFindMethod;
      Form := Reader.ReadRootComponent(nil);
      if Stream.Position <> Stream.Size then
        raise EFormCheck.CreateFmt('%d bytes after the form', [Stream.Size - Stream.Position]);
      CheckLoaded(Form, Decl, Log);
      WriteLn('ok   ', DfmPath, ': ', Form.Name, ': ', Form.ClassName, ', ',
        Form.ComponentCount, ' components');
      Result := True;
    except
      on E: Exception do
      begin
        WriteLn('FAIL ', DfmPath, ': ', E.ClassName, ': ', E.Message);
        if Log.Errors.Count > 0 then
          Write('     the reader reported: ', Log.Errors.Text);
      end;
    end;
  finally
    Form.Free;
    Reader.Free;
    Stream.Free;
    Log.Free;
  end;
end;

end.
