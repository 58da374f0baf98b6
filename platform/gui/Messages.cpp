#include "platform/gui/Messages.h"

#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/gui/Forms.h"
#include "platform/gui/Registry.h"
#include "platform/gui/qt/Backend.h"

namespace {
std::mutex gMutex;   // handles are looked up from worker threads too (PostMessage)
std::unordered_map<HWND, TWinControl*> gWindows;
HWND gNextHandle = 0x1000;
TControl* gCapture = nullptr;
TControl* gHover = nullptr;
TShiftState gShift;
WPARAM gMouseKeys = 0;
bool gHaveMouse = false;
TPoint gMouseScreen;
std::map<String, unsigned> gRegistered;
unsigned gNextRegistered = 0xC000;
std::map<std::pair<HWND, std::uintptr_t>, int> gTimers;
}

namespace gui_registry {

HWND Register(TWinControl* c)
{
    std::lock_guard<std::mutex> lock(gMutex);
    HWND h = gNextHandle;
    gNextHandle += 4;
    gWindows[h] = c;
    return h;
}

void Unregister(HWND h)
{
    {
        std::lock_guard<std::mutex> lock(gMutex);
        gWindows.erase(h);
    }
    DropTimers(h);
}

TWinControl* Find(HWND h)
{
    std::lock_guard<std::mutex> lock(gMutex);
    auto it = gWindows.find(h);
    return it == gWindows.end() ? nullptr : it->second;
}

TControl* CaptureControl() { return gCapture; }
void SetCaptureControl(TControl* c) { gCapture = c; }
TControl* HoverControl() { return gHover; }
void SetHoverControl(TControl* c) { gHover = c; }
void SetShift(TShiftState s) { gShift = s; }
TShiftState Shift() { return gShift; }

void NoteKey(WORD key, bool down)
{
    TShiftStateFlag f;
    switch (key) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: f = ssShift; break;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: f = ssCtrl; break;
    case VK_MENU: case VK_LMENU: case VK_RMENU: f = ssAlt; break;
    default: return;
    }
    if (down) gShift << f;
    else gShift >> f;
}

void NoteMouse(TControl* c, int x, int y, WPARAM keys)
{
    gMouseKeys = keys;
    gHaveMouse = true;
    gMouseScreen = c->ClientToScreen(TPoint(x, y));
    TShiftState s = gShift - TShiftState{ssShift, ssCtrl};
    if (keys & MK_SHIFT) s << ssShift;
    if (keys & MK_CONTROL) s << ssCtrl;
    gShift = s;
}

void NoteScreenMouse(TPoint screen)
{
    gHaveMouse = true;
    gMouseScreen = screen;
}

void RunTimerMessage(HWND h, std::uintptr_t id)
{
    if (TWinControl* c = Find(h)) {
        TMessage m{WM_TIMER, WPARAM(id), 0, 0};
        c->HostDispatch(m);
    }
}

void DropTimers(HWND h)
{
    for (auto it = gTimers.begin(); it != gTimers.end();) {
        if (it->first.first == h) {
            backend::StopTimer(it->second);
            it = gTimers.erase(it);
        } else {
            ++it;
        }
    }
}

}

LRESULT SendMessage(HWND wnd, unsigned msg, WPARAM wParam, LPARAM lParam)
{
    TWinControl* c = gui_registry::Find(wnd);
    return c ? c->Perform(msg, wParam, lParam) : 0;
}

bool PostMessage(HWND wnd, unsigned msg, WPARAM wParam, LPARAM lParam)
{
    if (!gui_registry::Find(wnd)) return false;
    backend::PostCall([wnd, msg, wParam, lParam] {
        // The window may be gone by now: then the message is dropped.
        if (TWinControl* c = gui_registry::Find(wnd)) {
            TMessage m{msg, wParam, lParam, 0};
            c->HostDispatch(m);
        }
    });
    return true;
}

unsigned RegisterWindowMessage(const String& name)
{
    std::lock_guard<std::mutex> lock(gMutex);
    auto it = gRegistered.find(name);
    if (it != gRegistered.end()) return it->second;
    unsigned id = gNextRegistered++;
    gRegistered[name] = id;
    return id;
}

bool IsWindow(HWND wnd) { return gui_registry::Find(wnd) != nullptr; }

std::uintptr_t SetTimer(HWND wnd, std::uintptr_t id, unsigned elapseMs)
{
    if (!gui_registry::Find(wnd)) return 0;
    auto key = std::make_pair(wnd, id);
    auto it = gTimers.find(key);
    if (it != gTimers.end()) backend::StopTimer(it->second);
    gTimers[key] = backend::StartTimer(elapseMs, [wnd, id] { gui_registry::RunTimerMessage(wnd, id); });
    return id;
}

bool KillTimer(HWND wnd, std::uintptr_t id)
{
    auto it = gTimers.find(std::make_pair(wnd, id));
    if (it == gTimers.end()) return false;
    backend::StopTimer(it->second);
    gTimers.erase(it);
    return true;
}

short GetKeyState(int vk)
{
    const short down = short(0x8000);
    TShiftState s = gui_registry::Shift();
    switch (vk) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: return s.Contains(ssShift) ? down : 0;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: return s.Contains(ssCtrl) ? down : 0;
    case VK_MENU: case VK_LMENU: case VK_RMENU: return s.Contains(ssAlt) ? down : 0;
    case VK_LBUTTON: return (gMouseKeys & MK_LBUTTON) ? down : 0;
    case VK_RBUTTON: return (gMouseKeys & MK_RBUTTON) ? down : 0;
    case VK_MBUTTON: return (gMouseKeys & MK_MBUTTON) ? down : 0;
    }
    return 0;
}

short GetAsyncKeyState(int vk) { return GetKeyState(vk); }

TShiftState KeyboardStateToShiftState()
{
    TShiftState s = gui_registry::Shift() * TShiftState{ssShift, ssCtrl, ssAlt};
    if (gMouseKeys & MK_LBUTTON) s << ssLeft;
    if (gMouseKeys & MK_RBUTTON) s << ssRight;
    if (gMouseKeys & MK_MBUTTON) s << ssMiddle;
    return s;
}

TShiftState KeysToShiftState(WPARAM keys)
{
    TShiftState s;
    if (keys & MK_SHIFT) s << ssShift;
    if (keys & MK_CONTROL) s << ssCtrl;
    if (keys & MK_ALT) s << ssAlt;
    if (keys & MK_LBUTTON) s << ssLeft;
    if (keys & MK_RBUTTON) s << ssRight;
    if (keys & MK_MBUTTON) s << ssMiddle;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData)
{
    TShiftState s = gui_registry::Shift() * TShiftState{ssShift, ssCtrl};
    if (keyData & KF_ALTDOWN_LPARAM) s << ssAlt;
    return s;
}

HWND SetCapture(HWND wnd)
{
    TControl* prev = gui_registry::CaptureControl();
    gui_registry::SetCaptureControl(gui_registry::Find(wnd));
    auto* pw = dynamic_cast<TWinControl*>(prev);
    return pw ? pw->Handle() : 0;
}

bool ReleaseCapture()
{
    gui_registry::SetCaptureControl(nullptr);
    return true;
}

HWND GetCapture()
{
    auto* w = dynamic_cast<TWinControl*>(gui_registry::CaptureControl());
    if (w) return w->Handle();
    if (TControl* c = gui_registry::CaptureControl())
        if (c->Parent()) return c->Parent()->Handle();
    return 0;
}

bool GetCursorPos(TPoint& p)
{
    p = Mouse_CursorPos();
    return true;
}

TPoint Mouse_CursorPos()
{
    if (gHaveMouse) return gMouseScreen;
    return backend::CursorPos();
}

namespace {
int gBeeps = 0;
}

void MessageBeep(unsigned) { ++gBeeps; }

int MessageBeepCount() { return gBeeps; }

int KeyScanCode(WORD vk)
{
    static const unsigned char kLetters[] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                                             0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
    static const unsigned char kPad[] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
    if (vk >= 'A' && vk <= 'Z') return kLetters[vk - 'A'];
    if (vk >= '1' && vk <= '9') return 0x02 + (vk - '1');
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return kPad[vk - VK_NUMPAD0];
    switch (vk) {
    case '0': return 0x0B;
    case VK_ESCAPE: return 0x01;
    case VK_BACK: return 0x0E;
    case VK_TAB: return 0x0F;
    case VK_RETURN: return 0x1C;
    case VK_SPACE: return 0x39;
    case VK_OEM_MINUS: return 0x0C;
    case VK_OEM_PLUS: return 0x0D;
    case VK_OEM_COMMA: return 0x33;
    case VK_OEM_PERIOD: return 0x34;
    case VK_MULTIPLY: return 0x37;
    case VK_SUBTRACT: return 0x4A;
    case VK_ADD: return 0x4E;
    case VK_DECIMAL: return 0x53;
    // The cursor block shares the keypad's codes (as extended keys).
    case VK_HOME: return 0x47;
    case VK_UP: return 0x48;
    case VK_PRIOR: return 0x49;
    case VK_LEFT: return 0x4B;
    case VK_RIGHT: return 0x4D;
    case VK_END: return 0x4F;
    case VK_DOWN: return 0x50;
    case VK_NEXT: return 0x51;
    case VK_INSERT: return 0x52;
    case VK_DELETE: return 0x53;
    }
    return 0;
}
