#pragma once
// One of the tree's two scroll bars, drawn by the tree itself so that it matches the
// tree's look: a track, two arrow buttons and a thumb, each normal, hot (under the mouse)
// or pressed, the arrows greyed while nothing scrolls. The bar keeps no scroll state of
// its own: it shows the tree's scroll-bar information and reports to the tree as
// WM_VSCROLL / WM_HSCROLL with the usual scroll codes.
#include "platform/gui/Controls.h"
#include "treeview/core/LazyTreeTypes.h"

class TLazyTreeScrollBar : public TCustomControl {
public:
    TLazyTreeScrollBar(TBaseLazyTree* ATree, bool AVertical);
    enum TPart { spNone, spFirstArrow, spLastArrow, spPageBefore, spPageAfter, spThumb };
    // Thickness of a bar and the length of its arrow buttons.
    static constexpr int Size = 17;
    bool Vertical() const { return FVertical; }
    // Geometry of the parts in the bar's client coordinates; the thumb is empty while
    // the bar is disabled or too short for one.
    TRect ArrowRect(bool First) const;
    TRect TrackRect() const;
    TRect ThumbRect() const;
    TPart PartAt(int X, int Y) const;
    TPart HotPart() const { return FHot; }
    TPart PressedPart() const { return FPressed; }
    // The tree's scroll information changed: the thumb follows.
    void Refresh();
    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    const TLTScrollBarInfo& Info() const;
    bool Enabled() const;
    void Send(int Code);
    void Repeat();
    void SetHot(TPart Part);
    TBaseLazyTree* FTree;
    bool FVertical;
    TPart FPressed = spNone;
    TPart FHot = spNone;
    // Thumb dragging: the cursor coordinate of the last step and the dragged position
    // in scroll units (fractional, so slow moves over a long range still add up).
    int FPrevCursor = 0;
    double FScrollPos = 0;
    TPoint FMouse;
};
