#pragma once
// A light-weight owner-drawn check box (the search panel's match-case box): themed or
// classic box, caption, focus rectangle; it toggles itself and fires its own click.
#include "platform/gui/Controls.h"
#include "platform/gui/StdCtrls.h"

class TExtCheckBox : public TCustomControl {
public:
    explicit TExtCheckBox(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TTextLayout ButtonVertAlign() const { return FButtonVertAlign; }
    void SetButtonVertAlign(TTextLayout v);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // Flips Checked unless ReadOnly.
    void Toggle();
    // Drawn pressed (mouse or Space held) / under the mouse.
    bool Down() const { return FDown; }
    bool Hot() const { return FHot; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;

private:
    TRect BoxRect() const;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FButtonVertAlign = tlTop;
    bool FEllipsis = false;
    bool FReadOnly = false;
    bool FReturnIsTab = false;
    TCheckBoxState FState = cbUnchecked;
    bool FTransparent = false;
    bool FDown = false;
    bool FFocused = false;
    bool FHot = false;
    bool FMouseDown = false;
    bool FIsWinXP = true;
};
