{ This file was automatically created by Lazarus. Do not edit!
  This source is only used to compile and install the package.
 }

unit orvalen_lazarus;

{$warn 5023 off : no warning about unused units}
interface

uses
  OrvalenIde, OrvalenBridge, LazarusPackageIntf;

implementation

procedure Register;
begin
  RegisterUnit('OrvalenIde', @OrvalenIde.Register);
end;

initialization
  RegisterPackage('orvalen_lazarus', @Register);
end.
