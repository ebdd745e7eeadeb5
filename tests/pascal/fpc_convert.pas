{ fpc_convert TEXTFORM BINFORM: Free Pascal's own text-to-resource conversion
  of a form description, the independent reference our converter is compared
  with byte for byte. Exit status 1 and the message on standard error when the
  text does not convert. The conversion runs from memory to memory and the
  result is saved afterwards: a file stream as the target would cost one
  system call per value and measure the file system, not the converter. }
program fpc_convert;

{$mode objfpc}{$H+}

uses
  Classes, SysUtils;

var
  Input, Output: TStream;

begin
  if ParamCount <> 2 then
  begin
    WriteLn(StdErr, 'usage: fpc_convert TEXTFORM BINFORM');
    Halt(2);
  end;
  try
    Input := TMemoryStream.Create;
    try
      TMemoryStream(Input).LoadFromFile(ParamStr(1));
      Output := TMemoryStream.Create;
      try
        ObjectTextToResource(Input, Output);
        TMemoryStream(Output).SaveToFile(ParamStr(2));
      finally
        Output.Free;
      end;
    finally
      Input.Free;
    end;
  except
    on E: Exception do
    begin
      WriteLn(StdErr, 'fpc_convert: ', E.ClassName, ': ', E.Message);
      Halt(1);
    end;
  end;
end.
