#pragma once
// Window messages: numbers, the message record, and the calls that send, post and
// time them. The numbers reuse the desktop platform's values, so code written against
// it reads the same; they mean only what this layer gives them.
#include <cstdint>

#include "platform/gui/Types.h"

struct TMessage {
    unsigned Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
    WORD WParamLo() const { return WORD(WParam & 0xFFFF); }
    WORD WParamHi() const { return WORD((WParam >> 16) & 0xFFFF); }
    WORD LParamLo() const { return WORD(LParam & 0xFFFF); }
    WORD LParamHi() const { return WORD((std::uintptr_t(LParam) >> 16) & 0xFFFF); }
};

constexpr WORD LOWORD(std::uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int lo, int hi) { return LPARAM(std::uint32_t((lo & 0xFFFF) | ((hi & 0xFFFF) << 16))); }
constexpr WPARAM MAKEWPARAM(int lo, int hi) { return WPARAM(std::uint32_t((lo & 0xFFFF) | ((hi & 0xFFFF) << 16))); }
// Signed coordinates packed in an LPARAM (mouse messages).
constexpr int GET_X_LPARAM(LPARAM l) { return int(std::int16_t(l & 0xFFFF)); }
constexpr int GET_Y_LPARAM(LPARAM l) { return int(std::int16_t((std::uintptr_t(l) >> 16) & 0xFFFF)); }
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM w) { return int(std::int16_t((w >> 16) & 0xFFFF)); }
constexpr int WHEEL_DELTA = 120;

// ---- window messages ----
constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_CREATE = 0x0001;
constexpr unsigned WM_DESTROY = 0x0002;
constexpr unsigned WM_MOVE = 0x0003;
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_ACTIVATE = 0x0006;
constexpr unsigned WM_SETFOCUS = 0x0007;
constexpr unsigned WM_KILLFOCUS = 0x0008;
constexpr unsigned WM_ENABLE = 0x000A;
constexpr unsigned WM_SETTEXT = 0x000C;
constexpr unsigned WM_GETTEXT = 0x000D;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_ERASEBKGND = 0x0014;
constexpr unsigned WM_NCPAINT = 0x0085;
constexpr unsigned WM_SHOWWINDOW = 0x0018;
constexpr unsigned WM_CANCELMODE = 0x001F;
constexpr unsigned WM_SETCURSOR = 0x0020;
constexpr unsigned WM_GETDLGCODE = 0x0087;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_SYSCHAR = 0x0106;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_HSCROLL = 0x0114;
constexpr unsigned WM_VSCROLL = 0x0115;
constexpr unsigned WM_MOUSEFIRST = 0x0200;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;
constexpr unsigned WM_MBUTTONUP = 0x0208;
constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
constexpr unsigned WM_MOUSEWHEEL = 0x020A;
constexpr unsigned WM_MOUSELAST = 0x020A;
constexpr unsigned WM_CAPTURECHANGED = 0x0215;
constexpr unsigned WM_MOUSELEAVE = 0x02A3;
// Clipboard commands an edit field carries out (the grid's in-place editor).
constexpr unsigned WM_CUT = 0x0300;
constexpr unsigned WM_COPY = 0x0301;
constexpr unsigned WM_PASTE = 0x0302;
constexpr unsigned WM_CLEAR = 0x0303;
constexpr unsigned WM_USER = 0x0400;
constexpr unsigned WM_APP = 0x8000;

// ---- the toolkit's own notifications ----
constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;
constexpr unsigned CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr unsigned CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr unsigned CM_HITTEST = CM_BASE + 10;
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 11;
constexpr unsigned CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr unsigned CM_COLORCHANGED = CM_BASE + 13;
constexpr unsigned CM_FONTCHANGED = CM_BASE + 14;
constexpr unsigned CM_CURSORCHANGED = CM_BASE + 15;
// The system's colours changed: controls that keep pictures in them draw them again.
constexpr unsigned CM_SYSCOLORCHANGE = CM_BASE + 16;
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;
constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
constexpr unsigned CM_BUTTONPRESSED = CM_BASE + 24;
constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr unsigned CM_ENTER = CM_BASE + 26;
constexpr unsigned CM_EXIT = CM_BASE + 27;
constexpr unsigned CM_HINTSHOW = CM_BASE + 48;
constexpr unsigned CM_PARENTSHOWHINTCHANGED = CM_BASE + 52;
constexpr unsigned CM_WANTSPECIALKEY = CM_BASE + 60;

// ---- notifications a child sends its parent with WM_COMMAND: the code in the high
// word of WParam, the child's handle in LParam ----
constexpr WORD EN_CHANGE = 0x0300;   // an edit field's text was changed by the user
constexpr WORD CBN_SELCHANGE = 1;    // a combo box's item was picked (list or keys)
constexpr WORD CBN_EDITCHANGE = 5;   // the text of a combo box's edit part was typed
constexpr WORD CBN_DROPDOWN = 7;     // the list opens
constexpr WORD CBN_CLOSEUP = 8;      // the list closed

// ---- WM_GETDLGCODE answers: which keys a control wants for itself ----
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;

// ---- mouse key flags in the WPARAM of mouse messages ----
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;
// Not a platform flag: the Alt key, which mouse messages otherwise do not carry.
constexpr WPARAM MK_ALT = 0x2000;

// Bit 29 of a key message's LPARAM: the Alt key was held.
constexpr LPARAM KF_ALTDOWN_LPARAM = LPARAM(1) << 29;

// ---- scroll codes (LOWORD of WM_HSCROLL / WM_VSCROLL) ----
constexpr int SB_LINEUP = 0, SB_LINELEFT = 0;
constexpr int SB_LINEDOWN = 1, SB_LINERIGHT = 1;
constexpr int SB_PAGEUP = 2, SB_PAGELEFT = 2;
constexpr int SB_PAGEDOWN = 3, SB_PAGERIGHT = 3;
constexpr int SB_THUMBPOSITION = 4;
constexpr int SB_THUMBTRACK = 5;
constexpr int SB_TOP = 6, SB_LEFT = 6;
constexpr int SB_BOTTOM = 7, SB_RIGHT = 7;
constexpr int SB_ENDSCROLL = 8;
constexpr int SB_HORZ = 0, SB_VERT = 1;

// ---- virtual key codes ----
constexpr WORD VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_CANCEL = 0x03, VK_MBUTTON = 0x04;
constexpr WORD VK_BACK = 0x08, VK_TAB = 0x09, VK_CLEAR = 0x0C, VK_RETURN = 0x0D;
constexpr WORD VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12, VK_PAUSE = 0x13, VK_CAPITAL = 0x14;
constexpr WORD VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22;
constexpr WORD VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28;
constexpr WORD VK_SELECT = 0x29, VK_PRINT = 0x2A, VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_HELP = 0x2F;
constexpr WORD VK_LWIN = 0x5B, VK_RWIN = 0x5C, VK_APPS = 0x5D;
constexpr WORD VK_NUMPAD0 = 0x60, VK_NUMPAD9 = 0x69, VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SEPARATOR = 0x6C;
constexpr WORD VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F;
constexpr WORD VK_F1 = 0x70, VK_F2 = 0x71, VK_F3 = 0x72, VK_F4 = 0x73, VK_F5 = 0x74, VK_F6 = 0x75;
constexpr WORD VK_F7 = 0x76, VK_F8 = 0x77, VK_F9 = 0x78, VK_F10 = 0x79, VK_F11 = 0x7A, VK_F12 = 0x7B;
constexpr WORD VK_NUMLOCK = 0x90, VK_SCROLL = 0x91;
constexpr WORD VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3, VK_LMENU = 0xA4, VK_RMENU = 0xA5;
constexpr WORD VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD, VK_OEM_PERIOD = 0xBE;
constexpr WORD VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;

// ---- sending, posting, timers ----
// Sends to the window now; 0 when the handle names no live window.
LRESULT SendMessage(HWND wnd, unsigned msg, WPARAM wParam, LPARAM lParam);
// Queues the message; the event loop delivers queued messages in the order posted.
// A message whose window is gone by then is dropped. Callable from any thread.
bool PostMessage(HWND wnd, unsigned msg, WPARAM wParam, LPARAM lParam);
// Numbers from 0xC000 up; the same name always gives the same number.
unsigned RegisterWindowMessage(const String& name);
bool IsWindow(HWND wnd);
// Window timer: WM_TIMER with WParam = id every elapse milliseconds, until KillTimer or
// the window's end. Setting an id again restarts it with the new period.
std::uintptr_t SetTimer(HWND wnd, std::uintptr_t id, unsigned elapseMs);
bool KillTimer(HWND wnd, std::uintptr_t id);

// Key state as the last input seen by the layer left it: the high bit (value < 0)
// means held. Works for VK_SHIFT, VK_CONTROL, VK_MENU and the mouse buttons.
short GetKeyState(int vk);
short GetAsyncKeyState(int vk);
// The shift state of the keys and mouse buttons held now.
TShiftState KeyboardStateToShiftState();
TShiftState KeysToShiftState(WPARAM mkFlags);
TShiftState KeyDataToShiftState(LPARAM keyData);
// The scan code a PC keyboard sends for a virtual key (0 when it has none); key
// messages carry it in bits 16-23 of their LPARAM, so the keypad's keys (scan codes
// with bit 0x40) can be told from the main keys that make the same character.
int KeyScanCode(WORD vk);

HWND SetCapture(HWND wnd);   // returns the previous capture
bool ReleaseCapture();
HWND GetCapture();
// Screen position of the pointer: the last mouse input seen (a test's message included).
bool GetCursorPos(TPoint& p);
TPoint Mouse_CursorPos();
void MessageBeep(unsigned type = 0);
// How many beeps were asked for since the start (tests look at it; the layer plays none).
int MessageBeepCount();
