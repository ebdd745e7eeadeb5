{ The expert module from Free Pascal, as the Lazarus IDE package loads it:
  through the package's own bridge unit, with tool services written in Pascal.
  No IDE and no LCL: a console program on an X server of its own, whose
  wizard bridge_host_x11.sh walks with the keyboard.

    bridge_host MODULE WORK

  Three runs of the wizard, each writing into WORK/out<run> under the name
  the driver types: Bridge1 (module loaded once), then, after unloading and
  loading it again with new services, Blocked (a directory where MAIN.PAS
  goes: the error reaches the services) and Bridge3. The program stands in
  front of the shared memory manager's entry points (exported to the module)
  and counts the string blocks that cross. Every failed check is a line
  "FAIL: ..."; the exit status is 1 when there was one. }
program bridge_host;

{$mode objfpc}{$H+}{$interfaces corba}

uses
  SysUtils, Math, dl, OrvalenBridge;

var
  Failures: Integer = 0;
  LiveBlocks: Integer = 0;
  BlocksHandedOut: Integer = 0;
  RealGetMem: function(Size: PtrUInt): Pointer; cdecl = nil;
  RealFreeMem: function(Block: Pointer): Integer; cdecl = nil;

procedure Check(Ok: Boolean; const What: string);
begin
  if not Ok then
  begin
    Inc(Failures);
    WriteLn('FAIL: ', What);
  end;
end;

procedure CheckEqual(const Actual, Expected, What: string);
begin
  Check(Actual = Expected, Format('%s is "%s", not "%s"', [What, Actual, Expected]));
end;

procedure CheckCount(Actual, Expected: Int64; const What: string);
begin
  Check(Actual = Expected, Format('%s is %d, not %d', [What, Actual, Expected]));
end;

{ The shared memory manager's entry points, in front of libidemm.so's: the
  module's references bind to these, and so do the bridge's. }

procedure FindRealManager;
var
  Manager: Pointer;
begin
  if Assigned(RealGetMem) then
    Exit;
  Manager := dlopen('libidemm.so', RTLD_NOW or RTLD_NOLOAD);
  if Manager = nil then
  begin
    WriteLn('FAIL: the shared memory manager is used before it was loaded');
    Halt(2);
  end;
  Pointer(RealGetMem) := dlsym(Manager, 'SysGetMem');
  Pointer(RealFreeMem) := dlsym(Manager, 'SysFreeMem');
end;

function CountingGetMem(Size: PtrUInt): Pointer; cdecl; public name 'SysGetMem';
begin
  FindRealManager;
  Inc(LiveBlocks);
  Inc(BlocksHandedOut);
  Result := RealGetMem(Size);
end;

function CountingFreeMem(Block: Pointer): Integer; cdecl; public name 'SysFreeMem';
begin
  FindRealManager;
  if Block <> nil then
    Dec(LiveBlocks);
  Result := RealFreeMem(Block);
end;

{ Tool services that record what the module asks of them }

type
  TRecordingServices = class(TOrvalenToolServices)
  protected
    function DoCloseProject: Boolean; override;
    function DoOpenProject(const ProjectFileName: string): Boolean; override;
    function DoGetParentHandle: PtrUInt; override;
    procedure DoRaiseException(const Msg: string); override;
  public
    Closes, ParentAsked: Integer;
    Opened, Errors: array of string;
    OpenedExisted: Boolean;
    // The floating-point mask the host's code ran under when called back.
    CallbackMask: TFPUExceptionMask;
  end;

function TRecordingServices.DoCloseProject: Boolean;
begin
  Inc(Closes);
  CallbackMask := GetExceptionMask;
  Result := True;
end;

function TRecordingServices.DoOpenProject(const ProjectFileName: string): Boolean;
begin
  SetLength(Opened, Length(Opened) + 1);
  Opened[High(Opened)] := ProjectFileName;
  OpenedExisted := FileExists(ProjectFileName);
  Result := True;
end;

function TRecordingServices.DoGetParentHandle: PtrUInt;
begin
  Inc(ParentAsked);
  Result := 0;
end;

procedure TRecordingServices.DoRaiseException(const Msg: string);
begin
  SetLength(Errors, Length(Errors) + 1);
  Errors[High(Errors)] := Msg;
end;

function LibcGetEnv(Name: PChar): PChar; cdecl; external 'c' name 'getenv';

function ProcessEnvironment(const Name: string): string;
begin
  Result := StrPas(LibcGetEnv(PChar(Name)));
end;

// A library of that name is mapped into this process.
function Mapped(const Fragment: string): Boolean;
var
  Maps: TextFile;
  Line: string;
begin
  Result := False;
  AssignFile(Maps, '/proc/self/maps');
  Reset(Maps);
  while not Result and not Eof(Maps) do
  begin
    ReadLn(Maps, Line);
    Result := Pos(Fragment, Line) > 0;
  end;
  CloseFile(Maps);
end;

{ The checks }

// Paths that cannot be loaded: one line naming the trouble, nothing held.
procedure CheckUnloadable(const ModulePath, Work: string);
type
  TRow = record
    Path, Fragment: string;
  end;
var
  Rows: array[0..3] of TRow;
  Row: TRow;
  Module: TOrvalenModule;
  Services: TRecordingServices;
  Error: string;
  NotElf: TextFile;
begin
  AssignFile(NotElf, Work + '/not-a-module.so');
  Rewrite(NotElf);
  WriteLn(NotElf, 'not a shared object');
  CloseFile(NotElf);
  Rows[0].Path := Work + '/missing/orvalen.so';
  Rows[0].Fragment := Work + '/missing/orvalen.so: cannot open shared object file';
  Rows[1].Path := Work + '/not-a-module.so';
  Rows[1].Fragment := Work + '/not-a-module.so: ';
  // A shared object without the entry point: the memory manager itself.
  Rows[2].Path := ExtractFilePath(ModulePath) + 'libidemm.so';
  Rows[2].Fragment := ExtractFilePath(ModulePath) + 'libidemm.so: no entry point INITEXPERT0017';
  Rows[3].Path := '';
  Rows[3].Fragment := 'No expert module';
  Module := TOrvalenModule.Create;
  Services := TRecordingServices.Create;
  try
    for Row in Rows do
    begin
      Check(not Module.Load(Row.Path, Services, Error), 'loading "' + Row.Path + '" succeeded');
      Check(Pos(Row.Fragment, Error) = 1, 'loading "' + Row.Path + '" said "' + Error + '"');
      Check((Pos(#10, Error) = 0) and (Pos(#13, Error) = 0), 'the error is not one line: ' + Error);
      Check(not Module.Loaded and (Module.ExpertCount = 0), 'a failed load left a module held');
    end;
    CheckCount(Services.RefCount, 1, 'the services'' count after failed loads');
    Module.Unload;
  finally
    Module.Free;
    Services.Free;
  end;
end;

procedure CheckMetadata(Expert: TOrvalenExpert);
var
  Glyph: TBytes;
begin
  CheckEqual(Expert.Name, 'Orvalen MDI App Wizard', 'the name');
  CheckEqual(Expert.Author, 'Pellor (Ardelin) MDI Application Expert', 'the author');
  CheckEqual(Expert.Comment, 'Orvalen Application Wizard by Pellor', 'the comment');
  CheckEqual(Expert.Page, 'Projects', 'the page');
  CheckEqual(Expert.IDString, 'Pellor Orvalen MDI App Expert', 'the ID string');
  CheckEqual(Expert.MenuText, 'Orvalen MDI Expert', 'the menu text');
  CheckCount(Expert.Style, esProject, 'the style');
  CheckCount(Expert.State, esEnabled, 'the state');
  CheckCount(Expert.Version, 3, 'the expert''s version');
  Glyph := Expert.Glyph;
  Check((Length(Glyph) > 54) and (Glyph[0] = Ord('B')) and (Glyph[1] = Ord('M')),
    'the glyph is no Windows bitmap');
  // The bitmap file's own size field agrees with the bytes handed over.
  if Length(Glyph) > 54 then
    CheckCount(PLongWord(@Glyph[2])^, Length(Glyph), 'the glyph file''s size field');
end;

// The module's reference to the expert is the only one: counts go up and
// come back, as the C++ objects count them.
procedure CheckExpertCount(Expert: TOrvalenExpert);
begin
  CheckCount(Expert.Instance.AddRef, 2, 'the expert''s count after AddRef');
  CheckCount(Expert.Instance.Release, 1, 'the expert''s count after Release');
end;

// One run of the wizard, walked by the driver; then what reached the services.
procedure Run(Expert: TOrvalenExpert; Services: TRecordingServices; const Work: string;
  RunNumber: Integer; const AppName: string; Blocked: Boolean);
var
  Dir, Project: string;
  HostMask: TFPUExceptionMask;
  ClosesBefore, OpenedBefore, ErrorsBefore: Integer;
begin
  Dir := Format('%s/out%d', [Work, RunNumber]);
  Project := Dir + '/' + AppName + '.lpi';
  ClosesBefore := Services.Closes;
  OpenedBefore := Length(Services.Opened);
  ErrorsBefore := Length(Services.Errors);
  HostMask := GetExceptionMask;
  WriteLn('run ', RunNumber, ': the wizard opens');
  Flush(Output);
  Expert.Execute;
  Check(GetExceptionMask = HostMask, 'the host''s floating-point mask was not put back');
  if Blocked then
  begin
    CheckCount(Services.Closes - ClosesBefore, 0, Format('run %d: CloseProject calls', [RunNumber]));
    CheckCount(Length(Services.Errors) - ErrorsBefore, 1,
      Format('run %d: errors raised', [RunNumber]));
    if Length(Services.Errors) > ErrorsBefore then
      CheckEqual(Services.Errors[ErrorsBefore], 'Cannot create file ' + Dir + '/MAIN.PAS',
        Format('run %d: the error', [RunNumber]));
    Exit;
  end;
  CheckCount(Length(Services.Errors) - ErrorsBefore, 0, Format('run %d: errors', [RunNumber]));
  CheckCount(Services.Closes - ClosesBefore, 1, Format('run %d: CloseProject calls', [RunNumber]));
  Check(Services.CallbackMask = HostMask,
    Format('run %d: CloseProject ran under the module''s mask, not the host''s', [RunNumber]));
  CheckCount(Length(Services.Opened) - OpenedBefore, 1,
    Format('run %d: OpenProject calls', [RunNumber]));
  if Length(Services.Opened) > OpenedBefore then
    CheckEqual(Services.Opened[OpenedBefore], Project, Format('run %d: the project opened',
      [RunNumber]));
  Check(Services.OpenedExisted, Format('run %d: %s was not on disk when opened',
    [RunNumber, Project]));
  Check(FileExists(Dir + '/' + AppName + '.lpr'), Format('run %d: no Lazarus program', [RunNumber]));
end;

// One load of the module with services of its own: the experts, their runs,
// the unload; every count back where it started.
procedure Cycle(const ModulePath, Work: string; const Runs: array of Integer;
  const Names: array of string; const Blocked: array of Boolean);
var
  Module: TOrvalenModule;
  Services: TRecordingServices;
  Error: string;
  I: Integer;
begin
  Module := TOrvalenModule.Create;
  Services := TRecordingServices.Create;
  try
    Check(Module.Load(ModulePath, Services, Error), 'the module did not load: ' + Error);
    CheckEqual(Error, '', 'the error of a good load');
    if Module.ExpertCount <> 1 then
    begin
      CheckCount(Module.ExpertCount, 1, 'the experts registered');
      Exit;
    end;
    CheckMetadata(Module[0]);
    CheckExpertCount(Module[0]);
    CheckCount(LiveBlocks, 0, 'string blocks left after reading the metadata');
    for I := 0 to High(Runs) do
      Run(Module[0], Services, Work, Runs[I], Names[I], Blocked[I]);
    CheckCount(Services.ParentAsked, 1, 'GetParentHandle calls');
    CheckExpertCount(Module[0]);
    Module.Unload;
    Module.Unload;   // twice is harmless
    Check(not Module.Loaded and (Module.ExpertCount = 0), 'the module is still held');
    CheckCount(Services.RefCount, 1, 'the services'' count after the unload');
    CheckCount(LiveBlocks, 0, 'string blocks never released');
  finally
    Module.Free;
    Services.Free;
  end;
end;

var
  ModulePath, Work: string;
begin
  if ParamCount <> 2 then
  begin
    WriteLn('usage: bridge_host MODULE WORK');
    Halt(2);
  end;
  ModulePath := ExpandFileName(ParamStr(1));
  Work := ExpandFileName(ParamStr(2));
  ForceDirectories(Work + '/out1');
  ForceDirectories(Work + '/out2/MAIN.PAS');   // not even root can create that file
  ForceDirectories(Work + '/out3');

  CheckUnloadable(ModulePath, Work);
  Cycle(ModulePath, Work, [1], ['Bridge1'], [False]);
  // Inside this process of no Qt the module chose Qt's platform and a theme
  // that loads no GTK, as the driver left them to it on a GNOME desktop.
  CheckEqual(ProcessEnvironment('QT_QPA_PLATFORMTHEME'), 'gnome', 'the platform theme');
  CheckEqual(ProcessEnvironment('QT_QPA_PLATFORM'), 'xcb', 'the platform');
  Check(not Mapped('libgtk-3'), 'GTK 3 was loaded');
  Cycle(ModulePath, Work, [2, 3], ['Blocked', 'Bridge3'], [True, False]);
  Check(BlocksHandedOut > 0, 'no string block went through the counting manager');
  if Failures > 0 then
  begin
    WriteLn(Failures, ' checks failed');
    Halt(1);
  end;
  WriteLn('all checks passed');
end.
