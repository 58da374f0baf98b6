#pragma once
// The tree's hint window: it sizes itself from the cell the hint belongs to and draws the
// text itself, in the tree's font for a tooltip (so a cut-off text reappears whole at the
// place it is cut), or leaves the drawing to the application for an owner-drawn hint.
#include "platform/gui/HintWindows.h"
#include "treeview/hints/LTHintTypes.h"

class TLazyTreeHintWindow : public THintWindow {
public:
    explicit TLazyTreeHintWindow(TComponent* AOwner);
    static THintWindow* Make(TComponent* AOwner) { return new TLazyTreeHintWindow(AOwner); }
    TRect CalcHintRect(int MaxWidth, const String& AHint, void* AData) override;
    void ActivateHintData(const TRect& Rect, const String& AHint, void* AData) override;
    void ActivateHint(const TRect& Rect, const String& AHint) override;
    const TLTHintData& Data() const { return FHintData; }
    // One frame of the hint coming up (Step of the animation's steps; StepSize 0 ends
    // it); false stops the animation.
    bool AnimateHintStep(int Step, int StepSize);
    // Frames drawn by the last animation (0 when the hint came up at once).
    int AnimationFrames() const { return FFrames; }

protected:
    void Paint() override;

private:
    bool IsTooltip() const;
    // The cell's font for a tooltip, the hint font otherwise.
    void SelectHintFont(TCanvas* Canvas);
    TLTHintData FHintData;
    int FTextHeight = 0;
    // The animation under way and how far it is.
    TLTHintAnimationType FAnimation = hatNone;
    bool FAnimating = false;
    int FStep = 0;
    int FFrames = 0;
};
