#pragma once
// Acting like a user, for tests: each call produces the messages real input produces
// and runs them at the event boundary, like the event loop does.
#include "platform/gui/Controls.h"

// Press and release the left button at (x, y) of the control (its centre when -1).
void UserClick(TControl* c, int x = -1, int y = -1, TShiftState shift = TShiftState());
void UserDblClick(TControl* c, int x = -1, int y = -1);
void UserRightClick(TControl* c, int x = -1, int y = -1);
void UserMouseMove(TControl* c, int x, int y, TShiftState shift = TShiftState());
void UserWheel(TControl* c, int delta, int x = -1, int y = -1);
// A key stroke: key down (with its character when it makes one) and key up.
void UserKey(TWinControl* c, WORD key, TShiftState shift = TShiftState());
// Typing UTF-8 text, one key stroke per character.
void UserType(TWinControl* c, const String& text);
// Gives the control the focus the way the keyboard moves it (Tab): an edit selects its
// text. A click into the edit (UserClick) places the caret instead.
void UserFocus(TWinControl* c);
// The left button pressed, and released, at (x, y) of the control (its centre when -1):
// the halves of a click, for a press that ends elsewhere. While the button is held the
// control that took the capture hears the pointer wherever it is, so a release outside
// is sent to the control with coordinates outside its area.
void UserPress(TControl* c, int x = -1, int y = -1);
void UserRelease(TControl* c, int x = -1, int y = -1);
// The pointer leaves the control (to a place where no message of its own reaches it).
void UserMouseLeave(TControl* c);
