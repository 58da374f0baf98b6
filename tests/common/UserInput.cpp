#include "tests/common/UserInput.h"

#include "platform/gui/Forms.h"
#include "platform/rtl/Unicode.h"

namespace {
void Centre(TControl* c, int& x, int& y)
{
    if (x < 0) x = c->Width() / 2;
    if (y < 0) y = c->Height() / 2;
}

// The key that types a character on a plain keyboard (0 when none is obvious).
WORD KeyForChar(char32_t ch, bool& shifted)
{
    shifted = false;
    if (ch >= 'a' && ch <= 'z') return WORD(ch - 32);
    if (ch >= 'A' && ch <= 'Z') {
        shifted = true;
        return WORD(ch);
    }
    if (ch >= '0' && ch <= '9') return WORD(ch);
    switch (ch) {
    case ' ': return VK_SPACE;
    case '.': return VK_OEM_PERIOD;
    case ',': return VK_OEM_COMMA;
    case '-': return VK_OEM_MINUS;
    case '\r': return VK_RETURN;
    case '\b': return VK_BACK;
    case '\t': return VK_TAB;
    case 27: return VK_ESCAPE;
    }
    return 0;
}

WideChar CharForKey(WORD key, TShiftState shift)
{
    if (key >= 'A' && key <= 'Z') {
        if (shift.Contains(ssCtrl)) return WideChar(key - 'A' + 1);
        return WideChar(shift.Contains(ssShift) ? key : key + 32);
    }
    if (shift.Contains(ssCtrl)) return 0;
    if (key >= '0' && key <= '9') return WideChar(key);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return WideChar('0' + (key - VK_NUMPAD0));
    switch (key) {
    case VK_SPACE: return ' ';
    case VK_OEM_PERIOD: return '.';
    case VK_DECIMAL: return '.';
    case VK_OEM_COMMA: return ',';
    case VK_OEM_MINUS: return '-';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 27;
    }
    return 0;
}

void Stroke(TWinControl* c, WORD key, WideChar ch, TShiftState shift)
{
    const HWND h = c->Handle();
    bool alive = true;
    if (key) alive = gui_input::KeyDown(c, key, shift);
    if (alive && ch && IsWindow(h)) gui_input::Char(c, ch);
    if (key && IsWindow(h)) gui_input::KeyUp(c, key, shift);
    gui_input::SetShiftState(TShiftState());
}
}

void UserClick(TControl* c, int x, int y, TShiftState shift)
{
    Centre(c, x, y);
    gui_input::Mouse(c, WM_LBUTTONDOWN, x, y, shift);
    gui_input::Mouse(c, WM_LBUTTONUP, x, y, shift);
}

void UserDblClick(TControl* c, int x, int y)
{
    Centre(c, x, y);
    gui_input::Mouse(c, WM_LBUTTONDOWN, x, y, TShiftState());
    gui_input::Mouse(c, WM_LBUTTONUP, x, y, TShiftState());
    gui_input::Mouse(c, WM_LBUTTONDBLCLK, x, y, TShiftState());
    gui_input::Mouse(c, WM_LBUTTONUP, x, y, TShiftState());
}

void UserRightClick(TControl* c, int x, int y)
{
    Centre(c, x, y);
    gui_input::Mouse(c, WM_RBUTTONDOWN, x, y, TShiftState());
    gui_input::Mouse(c, WM_RBUTTONUP, x, y, TShiftState());
}

void UserMouseMove(TControl* c, int x, int y, TShiftState shift) { gui_input::Mouse(c, WM_MOUSEMOVE, x, y, shift); }

void UserWheel(TControl* c, int delta, int x, int y)
{
    Centre(c, x, y);
    gui_input::Mouse(c, WM_MOUSEWHEEL, x, y, TShiftState(), delta);
}

void UserKey(TWinControl* c, WORD key, TShiftState shift) { Stroke(c, key, CharForKey(key, shift), shift); }

void UserType(TWinControl* c, const String& text)
{
    for (char32_t ch : Utf8ToUtf32(text)) {
        bool shifted = false;
        WORD key = KeyForChar(ch, shifted);
        Stroke(c, key, WideChar(ch), shifted ? TShiftState{ssShift} : TShiftState());
    }
}

void UserFocus(TWinControl* c)
{
    Application->Dispatch([c] { c->SetFocus(); });
}

void UserPress(TControl* c, int x, int y)
{
    Centre(c, x, y);
    gui_input::Mouse(c, WM_LBUTTONDOWN, x, y, TShiftState());
}

void UserRelease(TControl* c, int x, int y)
{
    Centre(c, x, y);
    gui_input::Mouse(c, WM_LBUTTONUP, x, y, TShiftState());
}

void UserMouseLeave(TControl* c)
{
    TMessage m{CM_MOUSELEAVE, 0, 0, 0};
    c->HostDispatch(m);
}
