{ fpc_convert TEXTFORM BINFORM: Free Pascal's own text-to-resource conversion
  of a form description, the independent reference our converter is compared
  with byte for byte. Exit status 1 and the message on standard error when the
  text does not convert. }
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
    Input := TFileStream.Create(ParamStr(1), fmOpenRead or fmShareDenyWrite);
    try
      Output := TFileStream.Create(ParamStr(2), fmCreate);
      try
        ObjectTextToResource(Input, Output);
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
