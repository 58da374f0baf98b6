#pragma once
// The search footer's panel and its controls: an edit that reports Enter and Ctrl+Enter,
// the grid's buttons with glyph and caption (the highlight button stays down when
// clicked), the match-case box and a close button.
#include "grid/cells/ExtCheckBox.h"
#include "grid/util/ExtGridButton.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"

class TSearchFooter;

// An edit box that reports Enter and Ctrl+Enter.
class TRetEdit : public TEdit {
public:
    explicit TRetEdit(TComponent* AOwner) : TEdit(AOwner) {}
    TNotifyEvent OnReturn;
    TNotifyEvent OnCtrlReturn;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
};

// The search footer: docked at the bottom of its grid, 0 high until the footer is shown.
class TSearchPanel : public TPanel {
public:
    explicit TSearchPanel(TComponent* AOwner);
    TRetEdit* Edit() const { return FEdit; }
    TExtGridButton* ExitButton() const { return FExitButton; }
    TExtGridButton* ForwardButton() const { return FForwardButton; }
    TExtGridButton* BackwardButton() const { return FBackwardButton; }
    TExtGridButton* HiliteButton() const { return FHiliteButton; }
    TExtCheckBox* MatchCase() const { return FMatchCase; }
    // The gradient's end colour; clNone: plain Color.
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v);
    // The grid line colour drawn along the top edge.
    TColor LineColor = clSilver;
    // Places the controls for the shown buttons (right to left when RightToLeft).
    void LayoutControls(bool RightToLeft);
    TNotifyEvent OnForwardClick;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnEditChange;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnHighLightClick;

protected:
    void Paint() override;

private:
    TRetEdit* FEdit;
    TExtGridButton *FExitButton, *FForwardButton, *FBackwardButton, *FHiliteButton;
    TExtCheckBox* FMatchCase;
    TColor FColorTo = clNone;
};
