#pragma once
// Message numbers and codes of windows and controls: window messages, the
// control notifications (CM_...), mouse and key codes, hit-test codes and
// dialog codes, with the helpers that pack and unpack their parameters.

#include "platform/rtl/Messages.h"
#include "platform/rtl/Types.h"

// ---------------------------------------------------------------- window messages
//
// Parameters that carry more than numbers: WM_SETTEXT's LParam is a
// const String*, WM_GETTEXT's LParam a String* that receives the text;
// WM_ERASEBKGND, WM_PAINT and WM_PRINTCLIENT carry an HDC in WParam
// (reinterpret_cast); CM_FOCUSCHANGED and CM_HITTEST as noted below.

inline constexpr Cardinal WM_CREATE = 0x0001;
inline constexpr Cardinal WM_MOVE = 0x0003;
inline constexpr Cardinal WM_ACTIVATE = 0x0006;
inline constexpr Cardinal WM_ENABLE = 0x000A;
inline constexpr Cardinal WM_SETTEXT = 0x000C;
inline constexpr Cardinal WM_GETTEXT = 0x000D;
inline constexpr Cardinal WM_SHOWWINDOW = 0x0018;
inline constexpr Cardinal WM_CANCELMODE = 0x001F;
inline constexpr Cardinal WM_SETCURSOR = 0x0020;
inline constexpr Cardinal WM_MOUSEACTIVATE = 0x0021;
inline constexpr Cardinal WM_SETFONT = 0x0030;
inline constexpr Cardinal WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr Cardinal WM_NOTIFY = 0x004E;
inline constexpr Cardinal WM_CONTEXTMENU = 0x007B;
inline constexpr Cardinal WM_NCCALCSIZE = 0x0083;
inline constexpr Cardinal WM_NCHITTEST = 0x0084;
inline constexpr Cardinal WM_NCPAINT = 0x0085;
inline constexpr Cardinal WM_GETDLGCODE = 0x0087;
inline constexpr Cardinal WM_KEYDOWN = 0x0100;
inline constexpr Cardinal WM_KEYUP = 0x0101;
inline constexpr Cardinal WM_CHAR = 0x0102;
inline constexpr Cardinal WM_SYSKEYDOWN = 0x0104;
inline constexpr Cardinal WM_SYSKEYUP = 0x0105;
inline constexpr Cardinal WM_SYSCHAR = 0x0106;
inline constexpr Cardinal WM_COMMAND = 0x0111;
inline constexpr Cardinal WM_SYSCOMMAND = 0x0112;
inline constexpr Cardinal WM_MOUSEMOVE = 0x0200;
inline constexpr Cardinal WM_LBUTTONDOWN = 0x0201;
inline constexpr Cardinal WM_LBUTTONUP = 0x0202;
inline constexpr Cardinal WM_LBUTTONDBLCLK = 0x0203;
inline constexpr Cardinal WM_RBUTTONDOWN = 0x0204;
inline constexpr Cardinal WM_RBUTTONUP = 0x0205;
inline constexpr Cardinal WM_RBUTTONDBLCLK = 0x0206;
inline constexpr Cardinal WM_MBUTTONDOWN = 0x0207;
inline constexpr Cardinal WM_MBUTTONUP = 0x0208;
inline constexpr Cardinal WM_MBUTTONDBLCLK = 0x0209;
inline constexpr Cardinal WM_MOUSEWHEEL = 0x020A;
inline constexpr Cardinal WM_MOUSEFIRST = WM_MOUSEMOVE;
inline constexpr Cardinal WM_MOUSELAST = WM_MOUSEWHEEL;
inline constexpr Cardinal WM_CAPTURECHANGED = 0x0215;
inline constexpr Cardinal WM_MOUSELEAVE = 0x02A3;
inline constexpr Cardinal WM_CUT = 0x0300;
inline constexpr Cardinal WM_COPY = 0x0301;
inline constexpr Cardinal WM_PASTE = 0x0302;
inline constexpr Cardinal WM_THEMECHANGED = 0x031A;

// ---------------------------------------------------------------- control notifications

inline constexpr Cardinal CM_BASE = 0xB000;
inline constexpr Cardinal CM_ACTIVATE = CM_BASE + 0;
inline constexpr Cardinal CM_DEACTIVATE = CM_BASE + 1;
inline constexpr Cardinal CM_GOTFOCUS = CM_BASE + 2;
inline constexpr Cardinal CM_LOSTFOCUS = CM_BASE + 3;
inline constexpr Cardinal CM_CANCELMODE = CM_BASE + 4;
inline constexpr Cardinal CM_DIALOGKEY = CM_BASE + 5;    // WParam key, LParam key data
inline constexpr Cardinal CM_DIALOGCHAR = CM_BASE + 6;   // WParam character, LParam key data
inline constexpr Cardinal CM_FOCUSCHANGED = CM_BASE + 7; // LParam the focused TWinControl*
inline constexpr Cardinal CM_PARENTFONTCHANGED = CM_BASE + 8;
inline constexpr Cardinal CM_PARENTCOLORCHANGED = CM_BASE + 9;
inline constexpr Cardinal CM_HITTEST = CM_BASE + 10;        // LParam the client point; Result non-zero = hit
inline constexpr Cardinal CM_VISIBLECHANGED = CM_BASE + 11; // WParam the new visibility
inline constexpr Cardinal CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr Cardinal CM_COLORCHANGED = CM_BASE + 13;
inline constexpr Cardinal CM_FONTCHANGED = CM_BASE + 14;
inline constexpr Cardinal CM_CURSORCHANGED = CM_BASE + 15;
inline constexpr Cardinal CM_CTL3DCHANGED = CM_BASE + 16;
inline constexpr Cardinal CM_PARENTCTL3DCHANGED = CM_BASE + 17;
inline constexpr Cardinal CM_TEXTCHANGED = CM_BASE + 18;
inline constexpr Cardinal CM_MOUSEENTER = CM_BASE + 19;
inline constexpr Cardinal CM_MOUSELEAVE = CM_BASE + 20;
inline constexpr Cardinal CM_BUTTONPRESSED = CM_BASE + 24;
inline constexpr Cardinal CM_SHOWINGCHANGED = CM_BASE + 25;
inline constexpr Cardinal CM_ENTER = CM_BASE + 26;
inline constexpr Cardinal CM_EXIT = CM_BASE + 27;
inline constexpr Cardinal CM_DESIGNHITTEST = CM_BASE + 28;
inline constexpr Cardinal CM_WANTSPECIALKEY = CM_BASE + 30;
inline constexpr Cardinal CM_RELEASE = CM_BASE + 33;
inline constexpr Cardinal CM_SHOWHINTCHANGED = CM_BASE + 34;
inline constexpr Cardinal CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
inline constexpr Cardinal CM_SYSCOLORCHANGE = CM_BASE + 36;
inline constexpr Cardinal CM_TABSTOPCHANGED = CM_BASE + 40;
inline constexpr Cardinal CM_CONTROLLISTCHANGE = CM_BASE + 44;
inline constexpr Cardinal CM_CHILDKEY = CM_BASE + 46;
inline constexpr Cardinal CM_HINTSHOW = CM_BASE + 48;
inline constexpr Cardinal CM_RECREATEWND = CM_BASE + 51;
inline constexpr Cardinal CM_INVALIDATE = CM_BASE + 52;
inline constexpr Cardinal CM_CONTROLCHANGE = CM_BASE + 54;
inline constexpr Cardinal CM_DOCKCLIENT = CM_BASE + 56;
inline constexpr Cardinal CM_UNDOCKCLIENT = CM_BASE + 57;
inline constexpr Cardinal CM_BORDERCHANGED = CM_BASE + 59;
inline constexpr Cardinal CM_BIDIMODECHANGED = CM_BASE + 60;
inline constexpr Cardinal CM_PARENTBIDIMODECHANGED = CM_BASE + 61;
inline constexpr Cardinal CM_ACTIONEXECUTE = CM_BASE + 63; // LParam the TBasicAction*; Result 1 = handled
inline constexpr Cardinal CM_DOCKNOTIFICATION = CM_BASE + 66;
inline constexpr Cardinal CM_MOUSEWHEEL = CM_BASE + 67;

// Control notifications reflected from a parent to its child control.
inline constexpr Cardinal CN_BASE = 0xBC00;
inline constexpr Cardinal CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
inline constexpr Cardinal CN_KEYUP = CN_BASE + WM_KEYUP;
inline constexpr Cardinal CN_CHAR = CN_BASE + WM_CHAR;
inline constexpr Cardinal CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
inline constexpr Cardinal CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
// A window's WM_COMMAND and WM_NOTIFY about itself, as its parent reflects
// them to the control: CN_COMMAND's WParam holds the notification code in
// its high word (EN_CHANGE ...), CN_NOTIFY's LParam points at an NMHDR.
inline constexpr Cardinal CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr Cardinal CN_NOTIFY = CN_BASE + WM_NOTIFY;

// Notification codes of edit windows (CN_COMMAND).
inline constexpr Word EN_SETFOCUS = 0x0100;
inline constexpr Word EN_KILLFOCUS = 0x0200;
inline constexpr Word EN_CHANGE = 0x0300;

// The head of every WM_NOTIFY record.
struct NMHDR {
    HWND hwndFrom = 0;
    std::uintptr_t idFrom = 0;
    Integer code = 0;
};

// ---------------------------------------------------------------- codes

// Mouse message WParam: buttons and keys held.
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;

// Virtual-key codes; letters and digits are their upper-case ASCII codes.
inline constexpr Word VK_LBUTTON = 0x01;
inline constexpr Word VK_RBUTTON = 0x02;
inline constexpr Word VK_CANCEL = 0x03;
inline constexpr Word VK_MBUTTON = 0x04;
inline constexpr Word VK_BACK = 0x08;
inline constexpr Word VK_TAB = 0x09;
inline constexpr Word VK_CLEAR = 0x0C;
inline constexpr Word VK_RETURN = 0x0D;
inline constexpr Word VK_SHIFT = 0x10;
inline constexpr Word VK_CONTROL = 0x11;
inline constexpr Word VK_MENU = 0x12;
inline constexpr Word VK_PAUSE = 0x13;
inline constexpr Word VK_CAPITAL = 0x14;
inline constexpr Word VK_ESCAPE = 0x1B;
inline constexpr Word VK_SPACE = 0x20;
inline constexpr Word VK_PRIOR = 0x21;
inline constexpr Word VK_NEXT = 0x22;
inline constexpr Word VK_END = 0x23;
inline constexpr Word VK_HOME = 0x24;
inline constexpr Word VK_LEFT = 0x25;
inline constexpr Word VK_UP = 0x26;
inline constexpr Word VK_RIGHT = 0x27;
inline constexpr Word VK_DOWN = 0x28;
inline constexpr Word VK_SELECT = 0x29;
inline constexpr Word VK_PRINT = 0x2A;
inline constexpr Word VK_EXECUTE = 0x2B;
inline constexpr Word VK_SNAPSHOT = 0x2C;
inline constexpr Word VK_INSERT = 0x2D;
inline constexpr Word VK_DELETE = 0x2E;
inline constexpr Word VK_HELP = 0x2F;
inline constexpr Word VK_LWIN = 0x5B;
inline constexpr Word VK_RWIN = 0x5C;
inline constexpr Word VK_APPS = 0x5D;
inline constexpr Word VK_NUMPAD0 = 0x60;
inline constexpr Word VK_MULTIPLY = 0x6A;
inline constexpr Word VK_ADD = 0x6B;
inline constexpr Word VK_SUBTRACT = 0x6D;
inline constexpr Word VK_DECIMAL = 0x6E;
inline constexpr Word VK_DIVIDE = 0x6F;
inline constexpr Word VK_F1 = 0x70;
inline constexpr Word VK_F10 = 0x79;
inline constexpr Word VK_F24 = 0x87;
inline constexpr Word VK_NUMLOCK = 0x90;
inline constexpr Word VK_SCROLL = 0x91;

// Key message LParam bits.
inline constexpr LPARAM KF_ALTDOWN = 0x2000; // in the high word: Alt was held
inline constexpr LPARAM KF_REPEAT = 0x4000;
inline constexpr LPARAM KF_UP = 0x8000;

// WM_GETDLGCODE answers: which keys a control handles itself.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;
inline constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;
inline constexpr LRESULT DLGC_STATIC = 0x0100;
inline constexpr LRESULT DLGC_BUTTON = 0x2000;

// Hit-test codes (WM_NCHITTEST, WM_SETCURSOR).
inline constexpr LRESULT HTERROR = -2;
inline constexpr LRESULT HTTRANSPARENT = -1;
inline constexpr LRESULT HTNOWHERE = 0;
inline constexpr LRESULT HTCLIENT = 1;
inline constexpr LRESULT HTCAPTION = 2;
inline constexpr LRESULT HTSYSMENU = 3;
inline constexpr LRESULT HTGROWBOX = 4;
inline constexpr LRESULT HTMENU = 5;
inline constexpr LRESULT HTHSCROLL = 6;
inline constexpr LRESULT HTVSCROLL = 7;
inline constexpr LRESULT HTLEFT = 10;
inline constexpr LRESULT HTRIGHT = 11;
inline constexpr LRESULT HTTOP = 12;
inline constexpr LRESULT HTTOPLEFT = 13;
inline constexpr LRESULT HTTOPRIGHT = 14;
inline constexpr LRESULT HTBOTTOM = 15;
inline constexpr LRESULT HTBOTTOMLEFT = 16;
inline constexpr LRESULT HTBOTTOMRIGHT = 17;
inline constexpr LRESULT HTBORDER = 18;
inline constexpr LRESULT HTCLOSE = 20;

// System commands (WM_SYSCOMMAND WParam).
inline constexpr WPARAM SC_SIZE = 0xF000;
inline constexpr WPARAM SC_MOVE = 0xF010;
inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_MAXIMIZE = 0xF030;
inline constexpr WPARAM SC_CLOSE = 0xF060;
inline constexpr WPARAM SC_RESTORE = 0xF120;

// WM_PRINTCLIENT LParam.
inline constexpr LPARAM PRF_CHECKVISIBLE = 0x01;
inline constexpr LPARAM PRF_NONCLIENT = 0x02;
inline constexpr LPARAM PRF_CLIENT = 0x04;
inline constexpr LPARAM PRF_ERASEBKGND = 0x08;
inline constexpr LPARAM PRF_CHILDREN = 0x10;

// WM_SIZE WParam.
inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

// ---------------------------------------------------------------- parameters

constexpr Word LoWord(std::uintptr_t V) {
    return static_cast<Word>(V & 0xFFFF);
}
constexpr Word HiWord(std::uintptr_t V) {
    return static_cast<Word>((V >> 16) & 0xFFFF);
}
constexpr LPARAM MakeLParam(Word Lo, Word Hi) {
    return static_cast<LPARAM>(static_cast<std::uint32_t>(Lo) | (static_cast<std::uint32_t>(Hi) << 16));
}
constexpr WPARAM MakeWParam(Word Lo, Word Hi) {
    return static_cast<WPARAM>(MakeLParam(Lo, Hi));
}

// A client point as mouse messages carry it: two signed 16-bit halves.
constexpr LPARAM PointToLParam(TPoint P) {
    return MakeLParam(static_cast<Word>(P.X), static_cast<Word>(P.Y));
}
constexpr TPoint LParamToPoint(LPARAM L) {
    return {static_cast<SmallInt>(LoWord(static_cast<std::uintptr_t>(L))),
            static_cast<SmallInt>(HiWord(static_cast<std::uintptr_t>(L)))};
}

// A message with its parameters.
inline TMessage MakeMessage(Cardinal Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
    TMessage m;
    m.Msg = Msg;
    m.WParam = WParam;
    m.LParam = LParam;
    return m;
}
