#pragma once
// Internal bookkeeping of the layer: window handles, mouse capture and hover, and the
// input state that key and pointer queries report.
#include "platform/gui/Controls.h"

namespace gui_registry {
HWND Register(TWinControl* c);
void Unregister(HWND h);
TWinControl* Find(HWND h);
TControl* CaptureControl();
void SetCaptureControl(TControl* c);
TControl* HoverControl();
void SetHoverControl(TControl* c);
void SetShift(TShiftState s);
TShiftState Shift();
void NoteKey(WORD key, bool down);
// Last pointer input: control-relative position and buttons (MK_* flags).
void NoteMouse(TControl* c, int x, int y, WPARAM keys);
void NoteScreenMouse(TPoint screen);
void RunTimerMessage(HWND h, std::uintptr_t id);
void DropTimers(HWND h);
}
