// Scrolling: the offsets inside the ranges that follow the content, the one routine that
// applies a new offset, the tree's two scroll bars and their options, bringing a node or
// a column into view, the top and bottom node, and the scroll, wheel and size messages.
#include <algorithm>
#include <cmath>

#include "platform/gui/Forms.h"
#include "treeview/core/BaseLazyTree.h"

// Lines one wheel notch scrolls; WheelPageScroll scrolls a page (the system's setting).
int TreeWheelScrollLines = 3;
constexpr int WheelPageScroll = -1;
// Height of a horizontal scroll bar in pixels.
constexpr int HorizontalScrollBarHeight = 17;

// ---- options ----

void TScrollBarOptions::Assign(const TScrollBarOptions& Source)
{
    SetAlwaysVisible(Source.FAlwaysVisible);
    SetHorizontalIncrement(Source.FIncrementX);
    SetScrollBars(Source.FScrollBars);
    FScrollBarStyle = Source.FScrollBarStyle;
    SetVerticalIncrement(Source.FIncrementY);
}

void TScrollBarOptions::SetAlwaysVisible(bool Value)
{
    if (Value == FAlwaysVisible) return;
    FAlwaysVisible = Value;
    if (!FOwner->IsLoading()) FOwner->UpdateScrollBars(true);
}

void TScrollBarOptions::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars) return;
    FScrollBars = Value;
    if (!FOwner->IsLoading()) FOwner->UpdateScrollBars(true);
}

void TScrollBarOptions::SetHorizontalIncrement(int Value) { FIncrementX = std::clamp(Value, 1, 10000); }
void TScrollBarOptions::SetVerticalIncrement(int Value) { FIncrementY = std::clamp(Value, 1, 10000); }

void TBaseLazyTree::SetScrollBarOptions(const TScrollBarOptions& Value) { FScrollBarOptions->Assign(Value); }

// ---- offsets ----

void TBaseLazyTree::SetOffsetX(int Value) { ApplyScrollOffset(TPoint(Value, FOffsetY), AllScrollUpdateOptions); }
void TBaseLazyTree::SetOffsetY(int Value) { ApplyScrollOffset(TPoint(FOffsetX, Value), AllScrollUpdateOptions); }
void TBaseLazyTree::SetOffsetXY(TPoint Value) { ApplyScrollOffset(Value, AllScrollUpdateOptions); }

void TBaseLazyTree::FireScroll(int DeltaX, int DeltaY)
{
    if (OnScroll) OnScroll(this, DeltaX, DeltaY);
}

bool TBaseLazyTree::ApplyScrollOffset(TPoint Value, TScrollUpdateOptions Options, const TRect* ClipRect)
{
    // Lower bound first: a content that fits makes the bound positive, and 0 wins.
    int x = std::min(std::max(Value.X, ClientWidth() - FRangeX), 0);
    int y = std::min(std::max(Value.Y, RowAreaHeight() - FRangeY), 0);
    int deltaX = x - FOffsetX;
    if (UseRightToLeftAlignment()) deltaX = -deltaX;
    const int deltaY = y - FOffsetY;
    if (deltaX == 0 && deltaY == 0) return false;
    FOffsetX = x;
    FOffsetY = y;
    if (FStates.Contains(tsHint)) {
        Application->CancelHint();
        ChangeTreeStates({}, TLazyTreeStates{tsHint});
    }
    if (FUpdateCount == 0) {
        // The toolkit has no call that moves window content: the client area is painted
        // anew, which shows the same as moving it and repainting the strip.
        if (Options.Contains(suScrollClientArea) && !FStates.Contains(tsToggling)) {
            if (ClipRect)
                InvalidateRect(*ClipRect);
            else
                Invalidate();
        }
        if (Options.Contains(suUpdateScrollBars)) {
            const bool repaint = Options.Contains(suRepaintScrollBars);
            // The captions move with the columns below them.
            if (deltaX != 0 && Options.Contains(suRepaintHeader) && FHeader->Options().Contains(hoVisible))
                FHeader->Invalidate();
            if (deltaX != 0 && !FStates.Contains(tsSizing) && FScrollBarOptions->AllowsHorizontal())
                UpdateHorizontalScrollBar(repaint);
            if (deltaY != 0 && !FStates.Contains(tsSizing) && !FStates.Contains(tsThumbTracking)) {
                UpdateVerticalScrollBar(repaint);
                // Without columns the widest node in view may have changed.
                if (!FHeader->UseColumns() && !IsMouseSelecting() && FScrollBarOptions->AllowsHorizontal())
                    UpdateHorizontalScrollBar(repaint);
            }
        }
    }
    FireScroll(deltaX, deltaY);
    Perform(CM_UPDATESCROLLBARS);
    return true;
}

// ---- ranges ----

void TBaseLazyTree::UpdateRanges()
{
    UpdateVerticalRange();
    UpdateHorizontalRange();
}

void TBaseLazyTree::UpdateVerticalRange()
{
    FRangeY = int(std::int64_t(FRoot->TotalHeight) + FBottomSpace - FRoot->NodeHeight);
}

void TBaseLazyTree::UpdateHorizontalRange()
{
    // With columns the content is as wide as they are together; without them the widest
    // node in view decides.
    FRangeX = FHeader && FHeader->UseColumns() ? FHeader->Columns()->TotalWidth() : WidestVisibleExtent();
}

int TBaseLazyTree::WidestVisibleExtent()
{
    // The node at the top of the view, found by the stored heights: ranges are updated
    // at any moment (also while nodes are being made or initialised), so nothing here
    // initialises or measures a node.
    // Without the cache the subtree heights lead to it: ranges are updated after every
    // toggle and child-count change, and a walk over every row above the view made
    // filling a large tree node by node quadratic.
    const std::int64_t position = -std::int64_t(FOffsetY);
    std::uint32_t absolute = 0;
    PLazyNode run = FStates.Contains(tsUseCache) ? CacheEntryAtPosition(std::uint32_t(position), absolute)
                                                 : NodeAtPositionByHeights(position, absolute);
    if (!run) {
        absolute = 0;
        run = GetFirstVisibleNoInit(nullptr, true, false);
    }
    while (run && std::int64_t(absolute) + run->NodeHeight <= position) {
        absolute += run->NodeHeight;
        run = GetNextVisibleNoInit(run, true);
    }
    if (!run || run == FRoot) return FMargin;
    int top = int(std::int64_t(absolute) + FOffsetY);
    const bool showRoot = FOptions->PaintOptions().Contains(toShowRoot);
    const bool checks = FOptions->MiscOptions().Contains(toCheckSupport);
    int indent = int(GetNodeLevel(run) + (showRoot ? 1 : 0)) * FIndent;
    int widest = 0;
    while (run) {
        // Nodes made by count are not asked for here: one that is not initialised yet
        // counts with its indentation until it is shown.
        int width = indent;
        if (run->States.Contains(vsInitialized)) width += GetNodeWidth(run, NoColumnIndex);
        if (checks && run->CheckType != ctNone) width += CheckImageWidth() + 2;
        widest = std::max(widest, width);
        top += int(run->NodeHeight);
        if (top > Height()) break;
        PLazyNode next = GetNextVisibleNoInit(run, true);
        if (next) indent += LevelDifference(run, next) * FIndent;
        run = next;
    }
    return widest + FMargin;
}

void TBaseLazyTree::SetBottomSpace(std::uint32_t Value)
{
    if (Value == FBottomSpace) return;
    FBottomSpace = Value;
    UpdateVerticalScrollBar(true);
}

void TBaseLazyTree::SetIndent(int Value)
{
    if (Value < 0) Value = 0;
    if (Value == FIndent) return;
    FIndent = Value;
    if (FLoading || FUpdateCount > 0) return;
    UpdateScrollBars(true);
    Invalidate();
}

void TBaseLazyTree::SetBiDiMode(TBiDiMode Value)
{
    if (Value == FBiDiMode) return;
    FBiDiMode = Value;
    if (!FLoading) {
        UpdateScrollBars(true);
        // The vertical bar changes sides.
        PlaceScrollBars();
        HandleBiDiModeChanged();
        Invalidate();
    }
}

// ---- scroll bars ----

void TBaseLazyTree::FireShowScrollBar(int Bar, bool Show)
{
    TLTScrollBarInfo& bar = Bar == SB_VERT ? FVertScrollBar : FHorzScrollBar;
    bar.Shown = Show;
    if (OnShowScrollBar) OnShowScrollBar(this, Bar, Show);
}

int TBaseLazyTree::SetScrollBarInfo(int Bar, const TLTScrollBarInfo& Info, bool DisableNoScroll)
{
    TLTScrollBarInfo& bar = Bar == SB_VERT ? FVertScrollBar : FHorzScrollBar;
    const bool shown = bar.Shown;
    bar = Info;
    bar.Shown = shown;
    // The thumb stays where a whole page still fits.
    const int last = std::max(bar.Min, bar.Max - std::max(bar.Page - 1, 0));
    bar.Pos = std::clamp(bar.Pos, bar.Min, last);
    bar.TrackPos = bar.Pos;
    bar.Disabled = DisableNoScroll && bar.Page > bar.Max - bar.Min;
    SyncScrollBarControl(Bar);
    return bar.Pos;
}

void TBaseLazyTree::SetScrollTrackPos(int Bar, int Pos)
{
    TLTScrollBarInfo& bar = Bar == SB_VERT ? FVertScrollBar : FHorzScrollBar;
    const int last = std::max(bar.Min, bar.Max - std::max(bar.Page - 1, 0));
    bar.TrackPos = std::clamp(Pos, bar.Min, last);
}

void TBaseLazyTree::UpdateScrollBars(bool DoRepaint)
{
    UpdateVerticalScrollBar(DoRepaint);
    UpdateHorizontalScrollBar(DoRepaint);
    Perform(CM_UPDATESCROLLBARS);
}

void TBaseLazyTree::UpdateVerticalScrollBar(bool DoRepaint)
{
    UpdateVerticalRange();
    if (FStates.Contains(tsUpdating)) return;
    if (!FScrollBarOptions->AllowsVertical()) {
        FireShowScrollBar(SB_VERT, false);
        SetOffsetY(FOffsetY);
        return;
    }
    TLTScrollBarInfo info;
    const bool always = FScrollBarOptions->AlwaysVisible();
    if (RowAreaHeight() < FRangeY || always) {
        FireShowScrollBar(SB_VERT, true);
        info.Max = FRangeY;
        info.Pos = -FOffsetY;
        info.Page = std::max(RowAreaHeight() + 1, 0);
    } else {
        FireShowScrollBar(SB_VERT, false);
    }
    const int pos = SetScrollBarInfo(SB_VERT, info, always);
    SetOffsetY(-pos);
}

void TBaseLazyTree::UpdateHorizontalScrollBar(bool DoRepaint)
{
    UpdateHorizontalRange();
    if (FStates.Contains(tsUpdating)) return;
    // Right to left, columns narrower than the client area are placed by the header's
    // shift, not by a negative offset (that would move them twice).
    const bool rtl = UseRightToLeftAlignment();
    FEffectiveOffsetX = std::max(0, rtl ? FRangeX + FOffsetX - ClientWidth() : -FOffsetX);
    int offset = FOffsetX;
    if (FScrollBarOptions->AllowsHorizontal()) {
        TLTScrollBarInfo info;
        const bool always = FScrollBarOptions->AlwaysVisible();
        if (ClientWidth() < FRangeX || always) {
            FireShowScrollBar(SB_HORZ, true);
            info.Max = FRangeX;
            info.Pos = FEffectiveOffsetX;
            info.Page = std::max(ClientWidth() + 1, 0);
        } else {
            FireShowScrollBar(SB_HORZ, false);
        }
        FEffectiveOffsetX = SetScrollBarInfo(SB_HORZ, info, always);
        offset = rtl ? ClientWidth() + FEffectiveOffsetX - FRangeX : -FEffectiveOffsetX;
    } else {
        FireShowScrollBar(SB_HORZ, false);
    }
    SetOffsetX(offset);
    FEffectiveOffsetX = std::max(0, rtl ? FRangeX + FOffsetX - ClientWidth() : -FOffsetX);
}

// ---- bringing things into view ----

bool TBaseLazyTree::ScrollIntoView(PLazyNode Node, bool Center, bool Horizontally)
{
    if (!Node || Node == FRoot) return false;
    for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (!run->States.Contains(vsExpanded)) ToggleNode(run);
    const TColumnIndex column =
        FHeader->UseColumns() && FFocusedColumn > NoColumnIndex ? FFocusedColumn : NoColumnIndex;
    const TRect r = GetDisplayRect(Node, column, !FOptions->MiscOptions().Contains(toGridExtensions));
    bool result = false;
    const int half = RowAreaHeight() / 2;
    if (r.Top < 0) {
        SetOffsetY(FOffsetY - r.Top + (Center ? half : 0));
        result = true;
    } else if (r.Bottom > RowAreaHeight() || Center) {
        const bool horzBar = FScrollBarOptions->AllowsHorizontal() &&
                             (FScrollBarOptions->AlwaysVisible() || ClientWidth() < FRangeX);
        SetOffsetY(FOffsetY - r.Bottom + (Center ? half : RowAreaHeight()));
        // The nodes now in view may be wider than the window: the horizontal bar that
        // appears for them takes room at the bottom.
        if (!FHeader->UseColumns() && !horzBar && ClientWidth() < FRangeX)
            SetOffsetY(FOffsetY - HorizontalScrollBarHeight);
        result = true;
    }
    if (Horizontally && ScrollIntoView(FFocusedColumn, Center)) result = true;
    return result;
}

bool TBaseLazyTree::ScrollIntoView(TColumnIndex Column, bool Center)
{
    // Columns and their geometry come with the header's columns; without them there is
    // no column to bring into view.
    if (!FHeader->UseColumns() || Column <= NoColumnIndex) return false;
    return true;
}

PLazyNode TBaseLazyTree::TopNode() { return GetNodeAt(0, 0); }

void TBaseLazyTree::SetTopNode(PLazyNode Node)
{
    if (!Node || Node == FRoot) return;
    for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (!run->States.Contains(vsExpanded)) ToggleNode(run);
    const TRect r = GetDisplayRect(Node, FHeader->MainColumn(), true);
    SetOffsetY(FOffsetY - r.Top);
}

PLazyNode TBaseLazyTree::BottomNode() { return GetNodeAt(0, RowAreaHeight() - 1); }

void TBaseLazyTree::SetBottomNode(PLazyNode Node)
{
    if (!Node || Node == FRoot) return;
    for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (!run->States.Contains(vsExpanded)) ToggleNode(run);
    const TRect r = GetDisplayRect(Node, FHeader->MainColumn(), true);
    ApplyScrollOffset(TPoint(FOffsetX, RowAreaHeight() + FOffsetY - r.Top - int(NodeHeight(Node))),
                      TScrollUpdateOptions{suRepaintScrollBars, suUpdateScrollBars});
}

// ---- messages ----

void TBaseLazyTree::HandleWMHScroll(TMessage& Message)
{
    Message.Result = 0;
    const int code = LOWORD(Message.WParam);
    const int f = UseRightToLeftAlignment() ? -1 : 1;
    const int line = FScrollBarOptions->HorizontalIncrement();
    // Fixed columns come with the header's columns; until then nothing is fixed.
    const int page = ClientWidth();
    switch (code) {
    case SB_LINELEFT: SetOffsetX(FOffsetX + f * line); break;
    case SB_LINERIGHT: SetOffsetX(FOffsetX - f * line); break;
    case SB_PAGELEFT: SetOffsetX(FOffsetX + f * page); break;
    case SB_PAGERIGHT: SetOffsetX(FOffsetX - f * page); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        ChangeTreeStates(TLazyTreeStates{tsThumbTracking}, {});
        const int t = FHorzScrollBar.TrackPos;
        SetOffsetX(UseRightToLeftAlignment() ? ClientWidth() + t - FRangeX : -t);
        break;
    }
    case SB_LEFT: SetOffsetX(0); break;
    case SB_RIGHT: SetOffsetX(-FRangeX); break;
    case SB_ENDSCROLL:
        ChangeTreeStates({}, TLazyTreeStates{tsThumbTracking});
        UpdateHorizontalScrollBar(false);
        break;
    default: break;
    }
}

void TBaseLazyTree::HandleWMVScroll(TMessage& Message)
{
    Message.Result = 0;
    const int code = LOWORD(Message.WParam);
    switch (code) {
    case SB_LINEUP: SetOffsetY(FOffsetY + FScrollBarOptions->VerticalIncrement()); break;
    case SB_LINEDOWN: SetOffsetY(FOffsetY - FScrollBarOptions->VerticalIncrement()); break;
    case SB_PAGEUP: SetOffsetY(FOffsetY + RowAreaHeight()); break;
    case SB_PAGEDOWN: SetOffsetY(FOffsetY - RowAreaHeight()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        ChangeTreeStates(TLazyTreeStates{tsThumbTracking}, {});
        SetOffsetY(-FVertScrollBar.TrackPos);
        break;
    case SB_TOP: SetOffsetY(0); break;
    case SB_BOTTOM: SetOffsetY(-int(FRoot->TotalHeight)); break;
    case SB_ENDSCROLL:
        ChangeTreeStates({}, TLazyTreeStates{tsThumbTracking});
        UpdateScrollBars(true);
        Invalidate();
        break;
    default: break;
    }
}

bool TBaseLazyTree::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    const double factor = WheelDelta / double(WHEEL_DELTA);
    const int lines = TreeWheelScrollLines;
    if (RowAreaHeight() < FRangeY && !Shift.Contains(ssShift)) {
        double amount;
        if (Shift.Contains(ssCtrl) || lines == WheelPageScroll)
            amount = RowAreaHeight() * factor;
        else
            amount = lines * factor * double(FDefaultNodeHeight);
        SetOffsetY(FOffsetY + int(std::trunc(amount)));
    } else {
        double amount;
        if (Shift.Contains(ssCtrl))
            amount = ClientWidth() * factor;
        else
            // One line is a line step while there are no columns to step by; a page
            // setting read as an unsigned number scrolls to the end.
            amount = double(FScrollBarOptions->HorizontalIncrement()) * (double(std::uint32_t(lines)) * factor);
        const int f = UseRightToLeftAlignment() ? -1 : 1;
        const double x = double(FOffsetX) + f * std::trunc(amount);
        SetOffsetX(int(std::clamp(x, -2.0e9, 2.0e9)));
    }
    return true;
}

void TBaseLazyTree::HandleWMSize(TMessage& Message)
{
    TCustomControl::WndProc(Message);
    PlaceScrollBars();
    // The first bounds are set while the tree is being built.
    if (!FRoot || !FScrollBarOptions) return;
    if (FStates.Contains(tsSizing) || FStates.Contains(tsWindowCreating) || RowAreaHeight() < 1) return;
    ChangeTreeStates(TLazyTreeStates{tsSizing}, {});
    struct TEnd {
        TBaseLazyTree* Tree;
        ~TEnd() { Tree->ChangeTreeStates({}, TLazyTreeStates{tsSizing}); }
    } end{this};
    UpdateScrollBars(true);
    if (FStates.Contains(tsEditing) && !FHeader->UseColumns()) UpdateEditBounds();
    // Auto-size and spring columns follow the new width.
    FHeader->HandleResize();
}

// ---- the bar controls ----

TRect TBaseLazyTree::ClientRect() const
{
    const TRect r = TCustomControl::ClientRect();
    const int s = TStyledScrollBar::Size;
    // The vertical bar takes its width whichever side it stands on; standing left it may
    // already lie in the frame.
    const int vert = (FVertScrollBar.Shown ? s : 0) - (FLeftBarInFrame ? s : 0);
    return TRect(r.Left, r.Top, std::max(r.Left, r.Right - vert),
                 std::max(r.Top, r.Bottom - (FHorzScrollBar.Shown ? s : 0)));
}

void TBaseLazyTree::HandleCMUpdateScrollBars()
{
    if (FPlacingScrollBars || !FVertBarControl) return;
    FPlacingScrollBars = true;
    struct TEnd {
        bool& Flag;
        ~TEnd() { Flag = false; }
    } end{FPlacingScrollBars};
    // A bar that comes or goes changes the room of the other axis: settle which bars
    // the content needs (a few passes at most, the room only shrinks or grows by a bar).
    bool changed = false;
    for (int pass = 0; pass < 3; ++pass) {
        const bool v = FVertScrollBar.Shown, h = FHorzScrollBar.Shown;
        if (v == FPlacedVert && h == FPlacedHorz) break;
        FPlacedVert = v;
        FPlacedHorz = h;
        changed = true;
        UpdateVerticalScrollBar(true);
        UpdateHorizontalScrollBar(true);
    }
    PlaceScrollBars();
    if (changed) {
        // Auto-size and spring columns follow the new client width.
        if (FHeader) FHeader->HandleResize();
        Invalidate();
    }
}

void TBaseLazyTree::PlaceScrollBars()
{
    if (!FVertBarControl || !FHorzBarControl) return;
    const int s = TStyledScrollBar::Size;
    const bool v = FVertScrollBar.Shown, h = FHorzScrollBar.Shown;
    // Right to left the vertical bar stands at the left, in the frame beside the rows.
    if ((LeftScrollBarWidth() > 0) != FLeftBarInFrame) {
        UpdateFrame();
        if (FHeader) FHeader->PlaceWindow();
    }
    const TRect full = TCustomControl::ClientRect();
    // The vertical bar starts below the header, which spans the whole width.
    const int top = std::min(HeaderAreaHeight(), full.Height());
    const int barHeight = std::max(0, full.Bottom - top - (h ? s : 0));
    if (FLeftBarInFrame) {
        FVertBarControl->SetBounds(-s, top, s, barHeight);
        FHorzBarControl->SetBounds(full.Left, full.Bottom - s, full.Width(), s);
    } else {
        FVertBarControl->SetBounds(full.Right - s, top, s, barHeight);
        FHorzBarControl->SetBounds(full.Left, full.Bottom - s, std::max(0, full.Width() - (v ? s : 0)), s);
    }
    FVertBarControl->SetVisible(v);
    FHorzBarControl->SetVisible(h);
    SyncScrollBarControl(SB_VERT);
    SyncScrollBarControl(SB_HORZ);
}

int TBaseLazyTree::VertScrollBarWidth() const { return FVertScrollBar.Shown ? TStyledScrollBar::Size : 0; }

void TBaseLazyTree::CreateScrollBarControls()
{
    for (const bool vertical : {true, false}) {
        auto* bar = new TStyledScrollBar(this, vertical);
        // The tree's ranges outgrow the 16 bits a scroll message carries: the dragged
        // position goes into the tree's scroll information, the message names the step.
        bar->SetThumbDrag(tdRelativeSteps);
        bar->OnScroll = [this, vertical](int Code, int Pos) {
            if (Code == SB_THUMBTRACK || Code == SB_THUMBPOSITION) SetScrollTrackPos(vertical ? SB_VERT : SB_HORZ, Pos);
            Perform(vertical ? WM_VSCROLL : WM_HSCROLL, WPARAM(Code), 0);
        };
        (vertical ? FVertBarControl : FHorzBarControl) = bar;
    }
}

void TBaseLazyTree::SyncScrollBarControl(int Bar)
{
    TStyledScrollBar* control = ScrollBarControl(Bar);
    if (!control) return;
    const TLTScrollBarInfo& i = Bar == SB_VERT ? FVertScrollBar : FHorzScrollBar;
    // The tree counts its range to the end of the content; the bar counts the positions
    // the view can start at, the last being where a whole page still fits.
    TScrollBarInfo shown;
    shown.Min = i.Min;
    shown.Max = std::max(i.Min, i.Max - std::max(i.Page - 1, 0));
    shown.Page = std::max(i.Page, 0);
    shown.Pos = i.Pos;
    control->SetEnabled(!i.Disabled);
    control->SetInfo(shown);
}
