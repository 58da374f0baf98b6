#pragma once
// A window that drops down from a control, as a combo box's list does: without a parent,
// on top of every window, never taking the focus (the control it drops from keeps the
// keys and hands on what the window needs), placed in screen coordinates.
#include "platform/gui/Controls.h"

class TPopupWindow : public TCustomControl {
public:
    explicit TPopupWindow(TComponent* AOwner);
    // Shows the window below Control's bottom-left corner, or above the control when the
    // screen ends below it; the window keeps its size.
    void DropDownAt(TControl* Control);
    void CloseUp() { SetVisible(false); }
};
