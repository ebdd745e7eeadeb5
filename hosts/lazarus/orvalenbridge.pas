{ The expert contract of hosts/expert/expert_api.h from Free Pascal: loads an
  expert module such as orvalen.so, hands it tool services written in Pascal,
  and keeps the experts it registers. No LCL and no IDE units here: the IDE
  package builds on this unit, and a console program can load the module
  through it just the same.

  The contract's objects are C++ classes whose vtable slots follow the
  declared order, with `this` first. A CORBA interface of Free Pascal is the
  same thing: a pointer to a pointer to a table of methods, the interface
  pointer passed as the hidden first argument. So the module's objects are
  called through the interfaces below, and a Pascal object's interface
  pointer is handed to the module as its TIToolServices. Every method is
  cdecl; a C++ bool is a one-byte Boolean.

  The module runs with the floating-point exceptions masked (Qt and the C
  libraries it calls expect that); every call into it masks them and puts the
  host's mask back afterwards, and the host's own code called back from the
  module runs under the host's mask again. }
unit OrvalenBridge;

{$mode objfpc}{$H+}{$interfaces corba}

interface

uses
  SysUtils, Math;

const
  // What the host opens, as GetProjectKind answers from services version 4 on.
  pkDelphi = 0;
  pkLazarus = 1;
  // Expert styles.
  esStandard = 0;
  esForm = 1;
  esProject = 2;
  esAddIn = 3;
  // Expert state bits.
  esEnabled = 1;
  esChecked = 2;
  // The services version of the classic contract, and the first with GetProjectKind.
  kServicesVersionClassic = 3;
  kServicesVersionProjectKind = 4;
  kInitExpertName = 'INITEXPERT0017';

type
  // The contract's string: a 32-bit reference count and a 32-bit length in
  // front of the characters, a NUL after them; nil is the empty string. Every
  // block goes through libidemm.so, so either side may release the other's.
  TIdeString = PAnsiChar;

  // The contract's objects, slot for slot as expert_api.h declares them.
  ITInterface = interface
    function AddRef: Integer; cdecl;
    function Release: Integer; cdecl;
    function GetVersion: Integer; cdecl;
  end;

  ITExpert = interface(ITInterface)
    function GetName: TIdeString; cdecl;
    function GetAuthor: TIdeString; cdecl;
    function GetComment: TIdeString; cdecl;
    function GetPage: TIdeString; cdecl;
    function GetGlyph: PtrUInt; cdecl;     // a PIdeGlyph, or 0
    function GetStyle: Integer; cdecl;
    function GetState: Cardinal; cdecl;
    function GetIDString: TIdeString; cdecl;
    function GetMenuText: TIdeString; cdecl;
    procedure Execute; cdecl;
  end;

  ITToolServices = interface(ITInterface)
    function CloseProject: Boolean; cdecl;
    function OpenProject(ProjectFileName: TIdeString): Boolean; cdecl;  // borrowed
    function GetParentHandle: PtrUInt; cdecl;
    procedure RaiseException(Message: TIdeString); cdecl;               // borrowed
    // Only when GetVersion is kServicesVersionProjectKind or more.
    function GetProjectKind: Integer; cdecl;
  end;

  {$push}{$packrecords c}
  TIdeGlyph = record
    Size: Cardinal;
    Data: PByte;
  end;
  {$pop}
  PIdeGlyph = ^TIdeGlyph;

  // Base of a host's tool services: the reference count the module's
  // references add to (the host's own is the first; the object never frees
  // itself), version 4, the strings converted both ways, and no exception
  // ever passed back into the module. A host overrides the Do... methods.
  TOrvalenToolServices = class(TObject, ITToolServices)
  private
    FRefCount: Integer;
    function AddRef: Integer; cdecl;
    function Release: Integer; cdecl;
    function GetVersion: Integer; cdecl;
    function CloseProject: Boolean; cdecl;
    function OpenProject(ProjectFileName: TIdeString): Boolean; cdecl;
    function GetParentHandle: PtrUInt; cdecl;
    procedure RaiseException(Message: TIdeString); cdecl;
    function GetProjectKind: Integer; cdecl;
    procedure Report(E: Exception);
  protected
    function DoCloseProject: Boolean; virtual; abstract;
    function DoOpenProject(const ProjectFileName: string): Boolean; virtual; abstract;
    function DoGetParentHandle: PtrUInt; virtual; abstract;    // an X window id, or 0
    procedure DoRaiseException(const Msg: string); virtual; abstract;
    function DoGetProjectKind: Integer; virtual;               // pkLazarus
  public
    constructor Create;
    // The pointer the module receives as its TIToolServices.
    function Contract: Pointer;
    property RefCount: Integer read FRefCount;
  end;

  // One registered expert, its metadata read once at registration. It holds
  // the module's reference until its module unloads.
  TOrvalenExpert = class
  private
    FExpert: ITExpert;
    FName, FAuthor, FComment, FPage, FIDString, FMenuText: string;
    FStyle: Integer;
    FState: Cardinal;
    FGlyph: TBytes;
    FVersion: Integer;
  public
    constructor Create(Expert: Pointer);
    destructor Destroy; override;   // gives the module's reference back
    // The module's object, for a host that takes references of its own.
    property Instance: ITExpert read FExpert;
    property Name: string read FName;
    property Author: string read FAuthor;
    property Comment: string read FComment;
    property Page: string read FPage;
    property IDString: string read FIDString;
    property MenuText: string read FMenuText;
    property Style: Integer read FStyle;
    property State: Cardinal read FState;
    property Version: Integer read FVersion;
    property Glyph: TBytes read FGlyph;   // a Windows bitmap file's bytes, or empty
    procedure Execute;                    // FPU exceptions masked around the call
  end;

  TTerminateProc = procedure; cdecl;

  TOrvalenModule = class
  private
    FHandle: Pointer;
    FPath: string;
    FTerminate: TTerminateProc;
    FExperts: array of TOrvalenExpert;
    function GetExpert(Index: Integer): TOrvalenExpert;
    procedure Adopt(Expert: Pointer);
  public
    // Loads libidemm.so beside the module first, then the module; calls INITEXPERT0017 with Services.
    // False with a one-line Error (the dlerror text, a missing entry point, init returning false).
    function Load(const ModulePath: string; Services: TOrvalenToolServices; out Error: string): Boolean;
    function Loaded: Boolean;
    function ExpertCount: Integer;
    property Experts[Index: Integer]: TOrvalenExpert read GetExpert; default;
    property Path: string read FPath;
    // Releases the experts, calls the terminate procedure, unloads; safe to call twice; Load may follow again.
    procedure Unload;
    destructor Destroy; override;   // Unload
  end;

  EOrvalenBridge = class(Exception);

// $ORVALEN_EXPERT_MODULE, else the installed module (/usr/lib/orvalen/orvalen.so, and /usr/local/...), else ''.
function DefaultModulePath: string;
function IdeStrNew(const S: AnsiString): TIdeString;    // through libidemm.so's SysGetMem
function IdeStrToString(S: TIdeString): AnsiString;
procedure IdeStrRelease(S: TIdeString);
// Loads the shared memory manager from Directory (or the library path when
// empty) unless one is loaded; the first one stays for the process. False
// with the dlerror text when it cannot be loaded.
function LoadIdeMemoryManager(const Directory: string; out Error: string): Boolean;

// The host's floating-point mask while the module runs, and back.
function EnterModule: TFPUExceptionMask;
procedure LeaveModule(const HostMask: TFPUExceptionMask);

implementation

uses
  dl;

const
  kAllFpuExceptions = [exInvalidOp, exDenormalized, exZeroDivide, exOverflow, exUnderflow,
    exPrecision];
  kIdeMemoryManager = 'libidemm.so';

type
  TSysGetMem = function(Size: PtrUInt): Pointer; cdecl;
  TSysFreeMem = function(Block: Pointer): Integer; cdecl;
  TRegisterProc = function(Expert: Pointer): Boolean; cdecl;
  PTerminateProc = ^TTerminateProc;
  TInitExpertProc = function(Services: Pointer; RegisterProc: TRegisterProc;
    Terminate: PTerminateProc): Boolean; cdecl;
  PIdeStrHeader = ^TIdeStrHeader;
  TIdeStrHeader = packed record
    RefCount: LongInt;
    Length: LongInt;
  end;

var
  IdeMemoryManager: Pointer = nil;
  SysGetMem: TSysGetMem = nil;
  SysFreeMem: TSysFreeMem = nil;
  // The module whose entry point runs now: the registration callback has no
  // argument of its own to say whose experts it receives.
  LoadingModule: TOrvalenModule = nil;
  // Calls into the module nest (the module calls the services, which may
  // call the module again); the host's mask is the outermost one.
  ModuleDepth: Integer = 0;
  HostFpuMask: TFPUExceptionMask;

function LastDlError: string;
var
  Text: PChar;
begin
  Text := dlerror();
  if Text = nil then
    Result := 'unknown error'
  else
    Result := Text;
  // One line, whatever the loader said.
  Result := StringReplace(Result, LineEnding, ' ', [rfReplaceAll]);
end;

{ The floating-point mask }

function EnterModule: TFPUExceptionMask;
begin
  Result := GetExceptionMask;
  if ModuleDepth = 0 then
    HostFpuMask := Result;
  Inc(ModuleDepth);
  SetExceptionMask(kAllFpuExceptions);
end;

procedure LeaveModule(const HostMask: TFPUExceptionMask);
begin
  Dec(ModuleDepth);
  // What the module left pending must not trap in the host's code.
  ClearExceptions(False);
  SetExceptionMask(HostMask);
end;

// Around the host's code that the module calls back: the host's mask, then the module's again.
function EnterHost: TFPUExceptionMask;
begin
  Result := GetExceptionMask;
  if ModuleDepth > 0 then
  begin
    ClearExceptions(False);
    SetExceptionMask(HostFpuMask);
  end;
end;

procedure LeaveHost(const ModuleMask: TFPUExceptionMask);
begin
  SetExceptionMask(ModuleMask);
end;

{ Strings }

function LoadIdeMemoryManager(const Directory: string; out Error: string): Boolean;
var
  FileName: string;
begin
  Error := '';
  if IdeMemoryManager <> nil then
    Exit(True);
  if Directory = '' then
    FileName := kIdeMemoryManager
  else
    FileName := IncludeTrailingPathDelimiter(Directory) + kIdeMemoryManager;
  // Global, so the module's own reference to the library finds this one.
  IdeMemoryManager := dlopen(PChar(FileName), RTLD_NOW or RTLD_GLOBAL);
  if IdeMemoryManager = nil then
  begin
    Error := LastDlError;
    Exit(False);
  end;
  // Looked up as the module's own references are bound: in the process's
  // global scope, so that both sides use the same manager even where the
  // host program stands in front of the library's entry points.
  Pointer(SysGetMem) := dlsym(RTLD_DEFAULT, 'SysGetMem');
  Pointer(SysFreeMem) := dlsym(RTLD_DEFAULT, 'SysFreeMem');
  if (Pointer(SysGetMem) = nil) or (Pointer(SysFreeMem) = nil) then
  begin
    Error := FileName + ': not a shared memory manager (no SysGetMem or SysFreeMem)';
    dlclose(IdeMemoryManager);
    IdeMemoryManager := nil;
    SysGetMem := nil;
    SysFreeMem := nil;
    Exit(False);
  end;
  Result := True;
end;

procedure NeedIdeMemoryManager;
begin
  if IdeMemoryManager = nil then
    raise EOrvalenBridge.Create('No shared memory manager (' + kIdeMemoryManager + ') is loaded');
end;

function IdeStrNew(const S: AnsiString): TIdeString;
var
  Head: PIdeStrHeader;
begin
  if S = '' then
    Exit(nil);
  NeedIdeMemoryManager;
  Head := SysGetMem(SizeOf(TIdeStrHeader) + Length(S) + 1);
  if Head = nil then
    raise EOutOfMemory.Create('The shared memory manager has no memory left');
  Head^.RefCount := 1;
  Head^.Length := Length(S);
  Result := TIdeString(Head) + SizeOf(TIdeStrHeader);
  Move(S[1], Result^, Length(S));
  Result[Length(S)] := #0;
end;

function IdeStrToString(S: TIdeString): AnsiString;
begin
  if S = nil then
    Exit('');
  SetString(Result, S, PIdeStrHeader(S - SizeOf(TIdeStrHeader))^.Length);
end;

procedure IdeStrRelease(S: TIdeString);
var
  Head: PIdeStrHeader;
begin
  if S = nil then
    Exit;
  Head := PIdeStrHeader(S - SizeOf(TIdeStrHeader));
  Dec(Head^.RefCount);
  if Head^.RefCount = 0 then
  begin
    NeedIdeMemoryManager;
    SysFreeMem(Head);
  end;
end;

// A string the module returned: ours to convert and release.
function TakeIdeStr(S: TIdeString): string;
begin
  Result := IdeStrToString(S);
  IdeStrRelease(S);
end;

function DefaultModulePath: string;
const
  Installed: array[0..1] of string = ('/usr/lib/orvalen/orvalen.so',
    '/usr/local/lib/orvalen/orvalen.so');
var
  Candidate: string;
begin
  Result := GetEnvironmentVariable('ORVALEN_EXPERT_MODULE');
  if Result <> '' then
    Exit;
  for Candidate in Installed do
    if FileExists(Candidate) then
      Exit(Candidate);
end;

{ TOrvalenToolServices }

constructor TOrvalenToolServices.Create;
begin
  inherited Create;
  FRefCount := 1;
end;

function TOrvalenToolServices.Contract: Pointer;
begin
  Result := Pointer(ITToolServices(Self));
end;

function TOrvalenToolServices.AddRef: Integer; cdecl;
begin
  Inc(FRefCount);
  Result := FRefCount;
end;

function TOrvalenToolServices.Release: Integer; cdecl;
begin
  Dec(FRefCount);
  Result := FRefCount;
end;

function TOrvalenToolServices.GetVersion: Integer; cdecl;
begin
  Result := kServicesVersionProjectKind;
end;

procedure TOrvalenToolServices.Report(E: Exception);
begin
  try
    DoRaiseException(E.Message);
  except
    // Nothing may cross into the module.
  end;
end;

function TOrvalenToolServices.CloseProject: Boolean; cdecl;
var
  Mask: TFPUExceptionMask;
begin
  Result := False;
  Mask := EnterHost;
  try
    Result := DoCloseProject;
  except
    on E: Exception do
      Report(E);
  end;
  LeaveHost(Mask);
end;

function TOrvalenToolServices.OpenProject(ProjectFileName: TIdeString): Boolean; cdecl;
var
  Mask: TFPUExceptionMask;
begin
  Result := False;
  Mask := EnterHost;
  try
    Result := DoOpenProject(IdeStrToString(ProjectFileName));
  except
    on E: Exception do
      Report(E);
  end;
  LeaveHost(Mask);
end;

function TOrvalenToolServices.GetParentHandle: PtrUInt; cdecl;
var
  Mask: TFPUExceptionMask;
begin
  Result := 0;
  Mask := EnterHost;
  try
    Result := DoGetParentHandle;
  except
    on E: Exception do
      Report(E);
  end;
  LeaveHost(Mask);
end;

procedure TOrvalenToolServices.RaiseException(Message: TIdeString); cdecl;
var
  Mask: TFPUExceptionMask;
begin
  Mask := EnterHost;
  try
    DoRaiseException(IdeStrToString(Message));
  except
    // The host could not show it; nothing may cross into the module.
  end;
  LeaveHost(Mask);
end;

function TOrvalenToolServices.GetProjectKind: Integer; cdecl;
var
  Mask: TFPUExceptionMask;
begin
  Result := pkLazarus;
  Mask := EnterHost;
  try
    Result := DoGetProjectKind;
  except
    on E: Exception do
      Report(E);
  end;
  LeaveHost(Mask);
end;

function TOrvalenToolServices.DoGetProjectKind: Integer;
begin
  Result := pkLazarus;
end;

{ TOrvalenExpert }

constructor TOrvalenExpert.Create(Expert: Pointer);
var
  Mask: TFPUExceptionMask;
  GlyphAt: PIdeGlyph;
begin
  inherited Create;
  FExpert := ITExpert(Expert);
  Mask := EnterModule;
  try
    FVersion := FExpert.GetVersion;
    FName := TakeIdeStr(FExpert.GetName);
    FAuthor := TakeIdeStr(FExpert.GetAuthor);
    FComment := TakeIdeStr(FExpert.GetComment);
    FPage := TakeIdeStr(FExpert.GetPage);
    FStyle := FExpert.GetStyle;
    FState := FExpert.GetState;
    FIDString := TakeIdeStr(FExpert.GetIDString);
    FMenuText := TakeIdeStr(FExpert.GetMenuText);
    GlyphAt := PIdeGlyph(FExpert.GetGlyph);
    if (GlyphAt <> nil) and (GlyphAt^.Size > 0) and (GlyphAt^.Data <> nil) then
    begin
      SetLength(FGlyph, GlyphAt^.Size);
      Move(GlyphAt^.Data^, FGlyph[0], GlyphAt^.Size);
    end;
  finally
    LeaveModule(Mask);
  end;
end;

destructor TOrvalenExpert.Destroy;
var
  Mask: TFPUExceptionMask;
begin
  if FExpert <> nil then
  begin
    Mask := EnterModule;
    try
      FExpert.Release;
    finally
      LeaveModule(Mask);
    end;
    FExpert := nil;
  end;
  inherited Destroy;
end;

procedure TOrvalenExpert.Execute;
var
  Mask: TFPUExceptionMask;
begin
  if FExpert = nil then
    Exit;
  Mask := EnterModule;
  try
    FExpert.Execute;
  finally
    LeaveModule(Mask);
  end;
end;

{ TOrvalenModule }

function RegisterExpert(Expert: Pointer): Boolean; cdecl;
var
  Mask: TFPUExceptionMask;
begin
  Result := False;
  if Expert = nil then
    Exit;
  if LoadingModule = nil then
  begin
    // Registered outside an entry point: nobody would keep it.
    ITExpert(Expert).Release;
    Exit;
  end;
  Mask := EnterHost;
  try
    try
      LoadingModule.Adopt(Expert);
      Result := True;
    except
      Result := False;
    end;
  finally
    LeaveHost(Mask);
  end;
end;

procedure TOrvalenModule.Adopt(Expert: Pointer);
var
  Item: TOrvalenExpert;
begin
  Item := TOrvalenExpert.Create(Expert);
  SetLength(FExperts, Length(FExperts) + 1);
  FExperts[High(FExperts)] := Item;
end;

function TOrvalenModule.Load(const ModulePath: string; Services: TOrvalenToolServices;
  out Error: string): Boolean;
var
  Init: TInitExpertProc;
  ServicesPointer: Pointer;
  Mask: TFPUExceptionMask;
  Initialised, ManagerLoaded: Boolean;
  ManagerError: string;
begin
  Unload;
  Error := '';
  if ModulePath = '' then
  begin
    Error := 'No expert module is installed or set in ORVALEN_EXPERT_MODULE';
    Exit(False);
  end;
  // The manager beside the module, else one on the library path; without
  // one the module's own trouble, if it has any, is the one to tell.
  ManagerLoaded := LoadIdeMemoryManager(ExtractFileDir(ModulePath), ManagerError) or
    LoadIdeMemoryManager('', ManagerError);
  FHandle := dlopen(PChar(ModulePath), RTLD_NOW or RTLD_LOCAL);
  if FHandle = nil then
  begin
    Error := LastDlError;
    Exit(False);
  end;
  if not ManagerLoaded then
  begin
    Error := ManagerError;
    Unload;
    Exit(False);
  end;
  FPath := ModulePath;
  Pointer(Init) := dlsym(FHandle, kInitExpertName);
  if Pointer(Init) = nil then
  begin
    Error := ModulePath + ': no entry point ' + kInitExpertName;
    Unload;
    Exit(False);
  end;
  ServicesPointer := nil;
  if Services <> nil then
    ServicesPointer := Services.Contract;
  LoadingModule := Self;
  Mask := EnterModule;
  try
    Initialised := Init(ServicesPointer, @RegisterExpert, @FTerminate);
  finally
    LeaveModule(Mask);
    LoadingModule := nil;
  end;
  if not Initialised then
  begin
    Error := ModulePath + ': ' + kInitExpertName + ' returned false';
    Unload;
    Exit(False);
  end;
  Result := True;
end;

function TOrvalenModule.Loaded: Boolean;
begin
  Result := FHandle <> nil;
end;

function TOrvalenModule.ExpertCount: Integer;
begin
  Result := Length(FExperts);
end;

function TOrvalenModule.GetExpert(Index: Integer): TOrvalenExpert;
begin
  if (Index < 0) or (Index >= Length(FExperts)) then
    raise EOrvalenBridge.CreateFmt('No expert %d (the module registered %d)',
      [Index, Length(FExperts)]);
  Result := FExperts[Index];
end;

procedure TOrvalenModule.Unload;
var
  Item: TOrvalenExpert;
  Mask: TFPUExceptionMask;
begin
  // The experts first, while their code is loaded.
  for Item in FExperts do
    Item.Free;
  FExperts := nil;
  if Assigned(FTerminate) then
  begin
    Mask := EnterModule;
    try
      FTerminate();
    finally
      LeaveModule(Mask);
    end;
    FTerminate := nil;
  end;
  if FHandle <> nil then
    dlclose(FHandle);
  FHandle := nil;
  FPath := '';
end;

destructor TOrvalenModule.Destroy;
begin
  Unload;
  inherited Destroy;
end;

end.
