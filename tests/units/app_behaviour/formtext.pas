{ What reading a form file does, from its text form: each object becomes a
  component owned by the form and named as in the text, stored in the form's
  field of that name, menu items under their menu; simple properties are
  set through their published properties and events bound to the form's
  published methods. A handler that the form lacks, or an event property a
  stand-in class does not publish, stops the load, as it stops the VCL's. }
unit FormText;

interface

uses
  Classes, Forms;

procedure LoadFormText(Form: TCustomForm; const FileName: string);

implementation

uses
  SysUtils, TypInfo, Controls, Menus, Dialogs, ComCtrls, ExtCtrls, Buttons;

procedure SetProperty(Root: TComponent; Target: TObject; const Name, Value: string);
var
  Info: PPropInfo;
  Method: TMethod;
  S: string;
  N: Integer;
begin
  Info := GetPropInfo(Target, Name);
  if Info = nil then
  begin
    if UpperCase(Copy(Name, 1, 2)) = 'ON' then
      raise Exception.CreateFmt('%s has no event %s', [Target.ClassName, Name]);
    Exit;
  end;
  case Info^.PropType^.Kind of
    tkMethod:
      begin
        Method.Code := Root.MethodAddress(Value);
        if Method.Code = nil then
          raise Exception.CreateFmt('%s has no method %s for %s',
            [Root.ClassName, Value, Name]);
        Method.Data := Root;
        SetMethodProp(Target, Info, Method);
      end;
    tkClass:
      SetObjectProp(Target, Info, Root.FindComponent(Value));
    tkSString, tkLString, tkAString, tkUString:
      begin
        S := Value;
        if (Length(S) >= 2) and (S[1] = '''') then
          S := StringReplace(Copy(S, 2, Length(S) - 2), '''''', '''', [rfReplaceAll]);
        SetStrProp(Target, Info, S);
      end;
    tkInteger:
      { colours and the like by name are no concern here }
      if TryStrToInt(Value, N) then
        SetOrdProp(Target, Info, N);
    tkBool:
      SetOrdProp(Target, Info, Ord(SameText(Value, 'True')));
    tkEnumeration:
      SetEnumProp(Target, Info, Value);
  end;
end;

procedure LoadFormText(Form: TCustomForm; const FileName: string);
var
  Lines: TStringList;
  Stack: array of TComponent;
  I, P, Depth: Integer;
  Line, Name, Value, Closer: string;
  Cls: TPersistentClass;
  Item: TComponent;
  Field: ^TComponent;
begin
  Lines := TStringList.Create;
  try
    Lines.LoadFromFile(FileName);
    SetLength(Stack, 0);
    Closer := '';
    Depth := 0;
    for I := 0 to Lines.Count - 1 do
    begin
      Line := Trim(Lines[I]);
      if Closer <> '' then
      begin
        if Copy(Line, Length(Line), 1) = Closer then
          Closer := '';
        Continue;
      end;
      if Line = '' then
        Continue;
      if Copy(Line, 1, 7) = 'object ' then
      begin
        P := Pos(':', Line);
        Name := Trim(Copy(Line, 8, P - 8));
        if Length(Stack) = 0 then
          Item := Form
        else if (Stack[High(Stack)] = nil) or (Depth > 0) then
        begin
          Inc(Depth);
          Item := nil;
        end
        else
        begin
          Cls := GetClass(Trim(Copy(Line, P + 1, MaxInt)));
          Item := nil;
          if Cls <> nil then
          begin
            Item := TComponentClass(Cls).Create(Form);
            Item.Name := Name;
            Field := Form.FieldAddress(Name);
            if Field <> nil then
              Field^ := Item;
            if (Item is TMenuItem) and (Stack[High(Stack)] is TMenuItem) then
              TMenuItem(Stack[High(Stack)]).Add(TMenuItem(Item))
            else if (Item is TMenuItem) and (Stack[High(Stack)] is TMenu) then
              TMenu(Stack[High(Stack)]).Items.Add(TMenuItem(Item));
          end;
        end;
        SetLength(Stack, Length(Stack) + 1);
        Stack[High(Stack)] := Item;
        Continue;
      end;
      if Line = 'end' then
      begin
        if Depth > 0 then
          Dec(Depth);
        SetLength(Stack, Length(Stack) - 1);
        Continue;
      end;
      P := Pos('=', Line);
      if P = 0 then
        Continue;
      Name := Trim(Copy(Line, 1, P - 1));
      Value := Trim(Copy(Line, P + 1, MaxInt));
      { a value that goes on over the next lines is skipped to its end }
      if Value <> '' then
        case Value[1] of
          '{': if Value[Length(Value)] <> '}' then Closer := '}';
          '<': if Value[Length(Value)] <> '>' then Closer := '>';
          '(': if Value[Length(Value)] <> ')' then Closer := ')';
        end;
      if (Closer <> '') or (Pos('.', Name) > 0) or (Value = '') or
        (Value[1] in ['{', '<', '(', '[']) then
        Continue;
      if (Length(Stack) > 0) and (Stack[High(Stack)] <> nil) then
        SetProperty(Form, Stack[High(Stack)], Name, Value);
    end;
  finally
    Lines.Free;
  end;
end;

initialization
  RegisterClasses([TMenuItem, TMainMenu, TOpenDialog, TSaveDialog, TPrintDialog,
    TPrinterSetupDialog]);
end.
