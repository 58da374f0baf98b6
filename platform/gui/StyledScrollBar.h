#pragma once
// A scroll bar that a control draws itself instead of leaving it to the platform, so
// that it matches the control's look: a track, two arrow buttons and a thumb, each
// normal, hot (under the mouse) or pressed, the arrows greyed while nothing scrolls.
// It keeps what it shows (range, page, position) but no scrolling of its own: every
// line, page and thumb step is reported to its owner as WM_VSCROLL / WM_HSCROLL with
// the usual scroll codes, and the owner sets the new position back.
#include <functional>

#include "platform/gui/Controls.h"

// What a scroll bar shows: the positions Min..Max the view can start at, the page in
// view and the position; TrackPos is the dragged position while the thumb is held.
struct TScrollBarInfo {
    int Min = 0;
    int Max = 0;
    int Page = 0;
    int Pos = 0;
    int TrackPos = 0;
};

// How the buttons are drawn: raised 3D faces, flat faces, or flat faces that rise
// under the mouse (the "Encarta" look).
enum TScrollBarLook { sbsNormal, sbsFlat, sbsEncarta };

// How a dragged thumb follows the mouse: it stays under the pointer, or every mouse
// step moves it by its share of the whole range over the track (so it can come loose
// from the pointer at an end and carries on from there).
enum TThumbDrag { tdFollowPointer, tdRelativeSteps };

class TStyledScrollBar : public TCustomControl {
public:
    // The bar is a child of AOwner and reports to it.
    TStyledScrollBar(TWinControl* AOwner, bool AVertical);
    enum TPart { spNone, spFirstArrow, spLastArrow, spPageBefore, spPageAfter, spThumb };
    // Thickness of a bar unless its owner sizes it otherwise; arrow buttons are square.
    static constexpr int Size = 17;

    bool Vertical() const { return FVertical; }
    const TScrollBarInfo& Info() const { return FInfo; }
    void SetInfo(const TScrollBarInfo& Info);
    TScrollBarLook Style() const { return FStyle; }
    void SetStyle(TScrollBarLook Value);
    // Colour of the track; clNone: the system's scroll-bar colour.
    TColor TrackColor() const { return FTrackColor; }
    void SetTrackColor(TColor Value);
    TThumbDrag ThumbDrag() const { return FThumbDrag; }
    void SetThumbDrag(TThumbDrag Value) { FThumbDrag = Value; }
    // Something to scroll: enabled and a range longer than the page.
    bool CanScroll() const;
    bool Tracking() const { return FTracking; }

    // Geometry of the parts in the bar's client coordinates; the thumb is empty while
    // nothing scrolls or the track is too short for one.
    TRect ArrowRect(bool First) const;
    TRect TrackRect() const;
    TRect ThumbRect() const;
    TPart PartAt(int X, int Y) const;
    TPart HotPart() const { return FHot; }
    TPart PressedPart() const { return FPressed; }

    // Where the scroll codes go. Unset: WM_VSCROLL / WM_HSCROLL to the owner with the
    // position in the high word (cut to 16 bits); an owner with longer ranges sets it
    // and takes the full position from here.
    std::function<void(int Code, int Pos)> OnScroll;

    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void Send(int Code, int Pos);
    void Repeat();
    void SetHot(TPart Part);
    int TrackLength() const;
    int ThumbLength() const;
    int PosFromOffset(int Offset) const;
    void DragTo(int Cursor);
    TWinControl* FTarget;
    bool FVertical;
    TScrollBarInfo FInfo;
    TScrollBarLook FStyle = sbsNormal;
    TColor FTrackColor = clNone;
    TThumbDrag FThumbDrag = tdFollowPointer;
    TPart FPressed = spNone;
    TPart FHot = spNone;
    bool FTracking = false;
    // Following the pointer: where in the thumb it was grabbed. Relative steps: the
    // cursor coordinate of the last step and the dragged position in scroll units
    // (fractional, so slow moves over a long range still add up).
    int FDragOffset = 0;
    int FPrevCursor = 0;
    double FScrollPos = 0;
    TPoint FMouse;
};
