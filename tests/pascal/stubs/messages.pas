{ Stand-in for the window message unit: message numbers and TMessage. }
unit Messages;

interface

const
  WM_CLOSE = $0010;
  WM_QUERYENDSESSION = $0011;
  WM_SYSCOMMAND = $0112;
  WM_USER = $0400;

type
  TMessage = packed record
    Msg: Cardinal;
    case Integer of
      0: (
        WParam: Longint;
        LParam: Longint;
        Result: Longint);
      1: (
        WParamLo: Word;
        WParamHi: Word;
        LParamLo: Word;
        LParamHi: Word;
        ResultLo: Word;
        ResultHi: Word);
  end;

implementation

end.
