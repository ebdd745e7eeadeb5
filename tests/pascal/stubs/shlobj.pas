{ Stand-in for the shell object unit: the shell's recent documents. }
unit ShlObj;

interface

uses
  Windows;

const
  SHARD_PIDL = $00000001;
  SHARD_PATH = $00000002;

procedure SHAddToRecentDocs(uFlags: UINT; pv: Pointer); stdcall;

implementation

procedure SHAddToRecentDocs(uFlags: UINT; pv: Pointer); stdcall;
begin
end;

end.
