#pragma once
// A window that drops down from a control, as a combo box's list does: without a parent,
// on top of every window, never taking the focus (the control it drops from keeps the
// keys and hands on what the window needs), placed in screen coordinates.
#include <vector>

#include "platform/gui/Controls.h"

class TPopupWindow : public TCustomControl {
public:
    explicit TPopupWindow(TComponent* AOwner);
    ~TPopupWindow() override;
    // Shows the window below Control's bottom-left corner, or above the control when the
    // screen ends below it; the window keeps its size.
    void DropDownAt(TControl* Control);
    void CloseUp() { SetVisible(false); }

    // The platform's drop shadow under the window (where the desktop draws shadows).
    bool Shadow() const { return FShadow; }
    void SetShadow(bool v);

    // The user's sizing of the window by its bottom-right corner, started by a press at
    // screen point P: until the left button is released the pointer moves that corner,
    // never below the least size. The window hears the pointer meanwhile.
    void BeginSizing(TPoint P);
    bool Sizing() const { return FSizing; }
    int MinWidth() const { return FMinWidth; }
    int MinHeight() const { return FMinHeight; }
    void SetMinSize(int w, int h);
    // While the user drags the size.
    TNotifyEvent OnSizing;

    // The user pressed a mouse button outside the window (on another window of the
    // program or in another program) while it was shown: the window is no longer where
    // the user works. Fired before the press reaches its own target.
    TNotifyEvent OnDeactivate;

    void WndProc(TMessage& msg) override;

protected:
    // Target: the control the press went to (nullptr: another program was activated).
    virtual void Deactivated(TControl* Target);
    void VisibleChanged() override;

private:
    bool Contains(TControl* Target) const;
    friend void NotePopupPress(TControl* Target);
    bool FShadow = true;
    bool FSizing = false;
    TPoint FSizeFrom;
    int FSizeW = 0, FSizeH = 0;
    int FMinWidth = 0, FMinHeight = 0;
};

// Called by the layer for every mouse button press, before the target hears it: every
// shown pop-up that does not hold Target is deactivated (Target nullptr: all of them).
void NotePopupPress(TControl* Target);

// The work area (the screen less the desktop's panels) of the monitor nearest to P, in
// screen coordinates.
TRect WorkAreaAt(TPoint P);
// Monitors a test stands in for the real ones (empty: the real ones again).
void SetTestWorkAreas(const std::vector<TRect>& Areas);
