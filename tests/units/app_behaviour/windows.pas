{ Stand-in for the Win32 API unit with a message queue: PostMessage appends
  to the thread's queue and returns at once; the queue is emptied in order by
  the application's message loop (Forms), and a message for a window that no
  longer exists is dropped, as Windows drops it. SendMessage delivers at once. }
unit Windows;

interface

type
  DWORD = LongWord;
  BOOL = LongBool;
  UINT = LongWord;
  WPARAM = Longint;
  LPARAM = Longint;
  LRESULT = Longint;
  HWND = type LongWord;
  HKEY = type LongWord;
  HINST = type LongWord;

  TQueuedMessage = record
    Wnd: HWND;
    Msg: UINT;
    WParam: WPARAM;
    LParam: LPARAM;
  end;

  TDeliverMessage = function(Wnd: HWND; Msg: UINT; WParam: WPARAM;
    LParam: LPARAM): LRESULT;

const
  HKEY_CLASSES_ROOT = HKEY($80000000);
  HKEY_CURRENT_USER = HKEY($80000001);
  HKEY_LOCAL_MACHINE = HKEY($80000002);
  SC_CLOSE = $F060;
  SW_HIDE = 0;
  SW_SHOWNORMAL = 1;
  SW_SHOW = 5;
  HELP_CONTEXT = $0001;
  HELP_QUIT = $0002;
  HELP_CONTENTS = $0003;
  HELP_HELPONHELP = $0004;
  HELP_KEY = $0101;
  HELP_PARTIALKEY = $0105;

function PostMessage(hWnd: HWND; Msg: UINT; wParam: WPARAM; lParam: LPARAM): BOOL; stdcall;
function SendMessage(hWnd: HWND; Msg: UINT; wParam: WPARAM; lParam: LPARAM): LRESULT; stdcall;
function SetForegroundWindow(hWnd: HWND): BOOL; stdcall;
function FindWindow(lpClassName, lpWindowName: PChar): HWND; stdcall;

{ the queue, for the message loop of the Forms stand-in }
function TakePostedMessage(out M: TQueuedMessage): Boolean;
function PostedMessageCount: Integer;

var
  { set by Controls: hands a message to the window's control, 0 when the
    window does not exist }
  DeliverMessage: TDeliverMessage;

implementation

var
  Queue: array of TQueuedMessage;

function PostMessage(hWnd: HWND; Msg: UINT; wParam: WPARAM; lParam: LPARAM): BOOL; stdcall;
var
  N: Integer;
begin
  N := Length(Queue);
  SetLength(Queue, N + 1);
  Queue[N].Wnd := hWnd;
  Queue[N].Msg := Msg;
  Queue[N].WParam := wParam;
  Queue[N].LParam := lParam;
  Result := True;
end;

function SendMessage(hWnd: HWND; Msg: UINT; wParam: WPARAM; lParam: LPARAM): LRESULT; stdcall;
begin
  Result := DeliverMessage(hWnd, Msg, wParam, lParam);
end;

function SetForegroundWindow(hWnd: HWND): BOOL; stdcall;
begin
  Result := True;
end;

function FindWindow(lpClassName, lpWindowName: PChar): HWND; stdcall;
begin
  Result := 0;
end;

function TakePostedMessage(out M: TQueuedMessage): Boolean;
begin
  Result := Length(Queue) > 0;
  if Result then
  begin
    M := Queue[0];
    Delete(Queue, 0, 1);
  end;
end;

function PostedMessageCount: Integer;
begin
  Result := Length(Queue);
end;

end.
