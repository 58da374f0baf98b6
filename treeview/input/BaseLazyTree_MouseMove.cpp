// What the tree does while the mouse moves over it: node height tracking, the growth of
// the rubber band, hot tracking, the cursor, entering and leaving, wheel panning with its
// little picture at the press point, and the popup menus the application gives per node.
#include <cstdlib>

#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"
#include "platform/gui/PopupWindow.h"
#include "treeview/core/BaseLazyTree.h"

namespace {
// How far the pointer moves before a press becomes a drag of the rubber band or ends the
// click-to-pan mode.
constexpr int SystemDragThreshold = 4;

// The picture at the point where the wheel button went down: a ring with arrows for the
// axes the tree can pan.
class TLTPanningWindow : public TPopupWindow {
public:
    TLTPanningWindow(bool Horizontal, bool Vertical) : TPopupWindow(nullptr), FHorz(Horizontal), FVert(Vertical)
    {
        SetShadow(false);
    }

protected:
    void Paint() override
    {
        TCanvas* c = Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(ClientRect());
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetStyle(bsClear);
        c->Ellipse(1, 1, 31, 31);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBlack);
        c->Ellipse(14, 14, 18, 18);
        if (FVert) {
            c->Polygon({TPoint(16, 4), TPoint(12, 9), TPoint(20, 9)});
            c->Polygon({TPoint(16, 28), TPoint(12, 23), TPoint(20, 23)});
        }
        if (FHorz) {
            c->Polygon({TPoint(4, 16), TPoint(9, 12), TPoint(9, 20)});
            c->Polygon({TPoint(28, 16), TPoint(23, 12), TPoint(23, 20)});
        }
    }

private:
    bool FHorz, FVert;
};

// The panning cursors as the program's own shapes: an arrow head towards each direction,
// or a cross of the axes that can pan.
void RegisterPanningCursors()
{
    static bool done = false;
    if (done) return;
    done = true;
    struct TArrow {
        TCursor Id;
        int DX, DY;
    };
    const TArrow arrows[] = {{crLTMoveN, 0, -1},  {crLTMoveS, 0, 1},   {crLTMoveW, -1, 0},  {crLTMoveE, 1, 0},
                             {crLTMoveNW, -1, -1}, {crLTMoveNE, 1, -1}, {crLTMoveSW, -1, 1}, {crLTMoveSE, 1, 1}};
    for (const TArrow& a : arrows) {
        // A head at 12 pixels from the centre, its base 6 pixels wide across the direction.
        const TPoint tip(16 + a.DX * 12, 16 + a.DY * 12);
        const TPoint base(16 + a.DX * 4, 16 + a.DY * 4);
        const TPoint across(-a.DY * 6, a.DX * 6);
        RegisterCursorShape(a.Id, {tip, TPoint(base.X + across.X, base.Y + across.Y), TPoint(16, 16),
                                   TPoint(base.X - across.X, base.Y - across.Y)},
                            tip);
    }
    RegisterCursorShape(crLTMoveAll,
                        {TPoint(16, 2), TPoint(20, 12), TPoint(30, 16), TPoint(20, 20), TPoint(16, 30), TPoint(12, 20),
                         TPoint(2, 16), TPoint(12, 12)},
                        TPoint(16, 16));
    RegisterCursorShape(crLTMoveEW, {TPoint(2, 16), TPoint(10, 10), TPoint(10, 14), TPoint(22, 14), TPoint(22, 10),
                                     TPoint(30, 16), TPoint(22, 22), TPoint(22, 18), TPoint(10, 18), TPoint(10, 22)},
                        TPoint(16, 16));
    RegisterCursorShape(crLTMoveNS, {TPoint(16, 2), TPoint(22, 10), TPoint(18, 10), TPoint(18, 22), TPoint(22, 22),
                                     TPoint(16, 30), TPoint(10, 22), TPoint(14, 22), TPoint(14, 10), TPoint(10, 10)},
                        TPoint(16, 16));
}
} // namespace

// ---- movement ----

void TBaseLazyTree::MouseMove(TShiftState Shift, int X, int Y)
{
    // 1. A press on a row splitter becomes height tracking with the first move.
    if (FStates.Contains(tsNodeHeightTrackPending)) {
        EndWheelPanning();
        for (std::uintptr_t id : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer}) StopTimer(id);
        FSearchBuffer.clear();
        FLastSearchNode = nullptr;
        ChangeTreeStates(TLazyTreeStates{tsNodeHeightTracking},
                         TLazyTreeStates{tsEditPending, tsNodeHeightTrackPending, tsIncrementalSearching,
                                         tsOLEDragPending, tsScrolling, tsScrollPending, tsVCLDragPending});
    }
    // 2. The rubber band becomes real once the pointer moved beyond the drag threshold.
    if (FStates.Contains(tsDrawSelPending)) {
        if (UpdateSelectionRect(X, Y)) {
            Invalidate();
            const TRect r = NormalizeRect(FNewSelRect);
            if (r.Width() > SystemDragThreshold || r.Height() > SystemDragThreshold) {
                if (FStates.Contains(tsClearPending)) {
                    ChangeTreeStates({}, TLazyTreeStates{tsClearPending});
                    ClearSelection();
                }
                ChangeTreeStates(TLazyTreeStates{tsDrawSelecting}, TLazyTreeStates{tsDrawSelPending});
                SetFocusedColumn(FHeader->MainColumn());
                ApplyDrawSelection();
                Invalidate();
            }
            Update();
        }
        return;
    }
    // 3. Height tracking: the node's bottom follows the pointer, never above its top.
    if (FStates.Contains(tsNodeHeightTracking) && FHeightTrackNode) {
        TPoint track = FHeightTrackPoint;
        if (FireNodeHeightTracking(FHeightTrackNode, FHeightTrackColumn, Shift * TShiftState{ssShift, ssAlt, ssCtrl},
                                   track, TPoint(X, Y))) {
            const int height = Y > FHeightTrackPoint.Y ? Y - FHeightTrackPoint.Y : 1;
            SetNodeHeight(FHeightTrackNode, std::uint32_t(height));
            Update();
            return;
        }
    }
    // 4. Moving away from the press point turns click-to-pan into pan-while-held.
    if (FStates.Contains(tsWheelPanning) && FStates.Contains(tsWheelScrolling) &&
        (std::abs(X - FLastClickPos.X) >= SystemDragThreshold || std::abs(Y - FLastClickPos.Y) >= SystemDragThreshold))
        ChangeTreeStates({}, TLazyTreeStates{tsWheelScrolling});
    // 5. A pending drag starts once the pointer left the press point by the threshold.
    if (FStates.Contains(tsOLEDragPending) &&
        (std::abs(X - FLastClickPos.X) >= FDragThreshold || std::abs(Y - FLastClickPos.Y) >= FDragThreshold)) {
        RunOLEDrag(FLastClickPos);
        return;
    }
    // 6. Near an edge the tree scrolls by itself.
    if (AutoScrollAllowed()) ScheduleAutoScroll(X, Y);
    const bool panning = FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling);
    // 7. While panning the cursor shows the direction.
    if (panning) UpdatePanningCursor(X, Y);
    // 8. The node under the pointer.
    if (!IsMouseSelecting()) {
        HandleHotTrack(X, Y);
        if (!panning) UpdateCursor(X, Y);
        TCustomControl::MouseMove(Shift, X, Y);
        return;
    }
    // 9. The band follows the pointer (while the scroll timer runs it moves the band).
    if (FStates.Contains(tsDrawSelecting) && !FStates.Contains(tsScrolling)) {
        if (UpdateSelectionRect(X, Y)) {
            ApplyDrawSelection();
            Invalidate();
            Update();
        }
    }
}

bool TBaseLazyTree::FireNodeHeightTracking(PLazyNode Node, TColumnIndex Column, TShiftState Shift, TPoint& TrackPoint,
                                           TPoint P)
{
    bool allowed = true;
    if (OnNodeHeightTracking) OnNodeHeightTracking(this, Node, Column, Shift, TrackPoint, P, allowed);
    return allowed;
}

// ---- hot tracking ----

void TBaseLazyTree::HandleHotTrack(int X, int Y)
{
    PLazyNode old = FCurrentHotNode;
    THitInfo hit;
    GetHitTestInfoAt(X, Y, true, hit);
    const THitPositions& at = hit.HitPositions;
    const bool counts = at.Contains(hiOnItemCheckbox) || at.Contains(hiOnItemLabel) ||
                        (FStates.Contains(tsUseExplorerTheme) && at.Contains(hiOnItemButtonExact)) ||
                        (FOptions->SelectionOptions().Contains(toFullRowSelect) && !at.Contains(hiNowhere));
    PLazyNode candidate = counts ? hit.HitNode : nullptr;
    const TLTPaintOptions paint = FOptions->PaintOptions();
    const bool repaint = paint.Contains(toHotTrack) || FOptions->MiscOptions().Contains(toCheckSupport);
    bool changed = false;
    if (candidate != FCurrentHotNode || hit.HitColumn != FCurrentHotColumn) {
        changed = true;
        FireHotChange(FCurrentHotNode, candidate);
        if (repaint && FCurrentHotNode) InvalidateNode(FCurrentHotNode);
        FCurrentHotNode = candidate;
        FCurrentHotColumn = hit.HitColumn;
    }
    const bool buttonHit = at.Contains(hiOnItemButtonExact);
    if (FCurrentHotNode) {
        if (buttonHit != FHotNodeButtonHit || (repaint && changed)) {
            FHotNodeButtonHit = buttonHit;
            InvalidateNode(FCurrentHotNode);
        }
    } else {
        FHotNodeButtonHit = false;
    }
    if (old && old != FCurrentHotNode) InvalidateNode(old);
}

void TBaseLazyTree::FireHotChange(PLazyNode Old, PLazyNode New)
{
    if (OnHotChange) OnHotChange(this, Old, New);
}

void TBaseLazyTree::HandleMouseLeave()
{
    TLazyTreeStates leave{tsHint};
    if (!FStates.Contains(tsWheelPanning) && !FStates.Contains(tsWheelScrolling)) {
        StopTimer(ScrollTimer);
        leave << tsScrolling;
        leave << tsScrollPending;
    }
    ChangeTreeStates({}, leave);
    if (FCurrentHotNode) {
        FireHotChange(FCurrentHotNode, nullptr);
        if (FOptions->PaintOptions().Contains(toHotTrack) || FOptions->MiscOptions().Contains(toCheckSupport))
            InvalidateNode(FCurrentHotNode);
        FCurrentHotNode = nullptr;
    }
    TLazyTreeColumns* columns = FHeader->Columns();
    columns->FDownIndex = NoColumnIndex;
    columns->FHoverIndex = NoColumnIndex;
    columns->FCheckBoxHit = false;
}

// ---- the cursor ----

void TBaseLazyTree::ShowTreeCursor(TCursor Cursor)
{
    if (Cursor == FShownCursor) return;
    FShownCursor = Cursor;
    ShowCursor(Cursor);
}

void TBaseLazyTree::UpdateCursor(int X, int Y)
{
    TCursor c = crDefault;
    if (FOptions->MiscOptions().Contains(toNodeHeightResize)) {
        THitInfo hit;
        GetHitTestInfoAt(X, Y, true, hit);
        const THitPositions& at = hit.HitPositions;
        if (at.Contains(hiOnItem) && (at.Contains(hiUpperSplitter) || at.Contains(hiLowerSplitter))) {
            PLazyNode node = at.Contains(hiUpperSplitter) ? GetPreviousVisible(hit.HitNode, true) : hit.HitNode;
            if (NodeSplitterAllowed(TPoint(X, Y), node, hit.HitColumn)) c = crLTVertSplit;
        }
    }
    if (c == crDefault) {
        if (FOptions->PaintOptions().Contains(toHotTrack) && FCurrentHotNode && FHotCursor != crDefault)
            c = FHotCursor;
        else
            c = Cursor();
    }
    FireGetCursor(c);
    ShowTreeCursor(c);
}

void TBaseLazyTree::FireGetCursor(TCursor& Cursor)
{
    if (OnGetCursor) OnGetCursor(this, Cursor);
}

// ---- wheel panning ----

void TBaseLazyTree::BeginWheelPanning(TPoint Position)
{
    StopTimer(ScrollTimer);
    ChangeTreeStates(TLazyTreeStates{tsWheelPanning, tsWheelScrolling}, {});
    const bool horz = ClientWidth() < FRangeX, vert = RowAreaHeight() < FRangeY;
    delete FPanningWindow;
    FPanningWindow = new TLTPanningWindow(horz, vert);
    const TPoint s = ClientToScreen(Position);
    FPanningWindow->SetBounds(s.X - 16, s.Y - 16, 32, 32);
    FPanningWindow->Show();
    RegisterPanningCursors();
    FPanningCursor = crDefault;
    UpdatePanningCursor(Position.X, Position.Y);
    if (!Focused() && CanFocus()) SetFocus();
    SetMouseCapture(true);
    SetTimer(Handle(), ScrollTimer, 20);
}

void TBaseLazyTree::EndWheelPanning()
{
    if (!FStates.Contains(tsWheelPanning) && !FStates.Contains(tsWheelScrolling)) return;
    StopTimer(ScrollTimer);
    SetMouseCapture(false);
    ChangeTreeStates({}, TLazyTreeStates{tsWheelPanning, tsWheelScrolling});
    delete FPanningWindow;
    FPanningWindow = nullptr;
    FPanningCursor = crDefault;
    ShowTreeCursor(Cursor());
}

void TBaseLazyTree::UpdatePanningCursor(int X, int Y)
{
    const int dx = X - FLastClickPos.X, dy = Y - FLastClickPos.Y;
    const bool horz = ClientWidth() < FRangeX, vert = RowAreaHeight() < FRangeY;
    TCursor c;
    if (std::abs(dx) > 7 || std::abs(dy) > 7) {
        if (horz && vert) {
            // Three bands per axis: beyond the dead zone on either side, or within it.
            const int row = dy < -8 ? 0 : dy < 9 ? 1 : 2;
            if (dx < -8)
                c = row == 0 ? crLTMoveNW : row == 1 ? crLTMoveW : crLTMoveSW;
            else if (dx < 9)
                c = Y < FLastClickPos.Y ? crLTMoveN : crLTMoveS;
            else
                c = row == 0 ? crLTMoveNE : row == 1 ? crLTMoveE : crLTMoveSE;
        } else if (horz) {
            c = X < FLastClickPos.X ? crLTMoveW : crLTMoveE;
        } else {
            c = Y < FLastClickPos.Y ? crLTMoveN : crLTMoveS;
        }
    } else {
        c = !horz ? crLTMoveNS : vert ? crLTMoveAll : crLTMoveEW;
    }
    if (c == FPanningCursor) return;
    FPanningCursor = c;
    ShowTreeCursor(c);
}

// ---- automatic scrolling, started by moves ----

void TBaseLazyTree::ScheduleAutoScroll(int X, int Y)
{
    FScrollDirections = ScrollDirectionsAt(X, Y);
    if (FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling)) return;
    const bool running = FStates.Contains(tsScrolling) || FStates.Contains(tsScrollPending);
    if (FScrollDirections.Empty()) {
        if (running) {
            StopTimer(ScrollTimer);
            ChangeTreeStates({}, TLazyTreeStates{tsScrolling, tsScrollPending});
        }
    } else if (!running) {
        ChangeTreeStates(TLazyTreeStates{tsScrollPending}, {});
        SetTimer(Handle(), ScrollTimer, FAutoScrollDelay);
    }
}

void TBaseLazyTree::HandleScrollTimer()
{
    if (FStates.Contains(tsScrollPending)) {
        SetTimer(Handle(), ScrollTimer, FAutoScrollInterval);
        ChangeTreeStates(TLazyTreeStates{tsScrolling}, TLazyTreeStates{tsScrollPending});
    }
    ScrollOnTimer();
}

// ---- popup menus ----

TPopupMenu* TBaseLazyTree::FireGetPopupMenu(PLazyNode Node, TColumnIndex Column, TPoint P)
{
    if (!OnGetPopupMenu) return nullptr;
    TPopupMenu* menu = nullptr;
    bool askParent = true;
    if (!Node) {
        OnGetPopupMenu(this, nullptr, NoColumnIndex, P, askParent, menu);
        return menu;
    }
    // A node without a menu of its own shows the nearest ancestor's, when it asks for it.
    for (PLazyNode run = Node; run && run != FRoot && !menu && askParent; run = run->Parent)
        OnGetPopupMenu(this, run, Column, P, askParent, menu);
    return menu;
}

bool TBaseLazyTree::HasPopupMenu(PLazyNode Node, TColumnIndex Column, TPoint P)
{
    return PopupMenu() != nullptr || FireGetPopupMenu(Node, Column, P) != nullptr;
}

void TBaseLazyTree::ShowPopupMenu(PLazyNode Node, TColumnIndex Column, TPoint P)
{
    TPopupMenu* menu = FireGetPopupMenu(Node, Column, P);
    if (!menu) return;
    ChangeTreeStates(TLazyTreeStates{tsPopupMenuShown}, {});
    StopTimer(EditTimer);
    menu->SetPopupComponent(this);
    const TPoint s = ClientToScreen(P);
    menu->Popup(s.X, s.Y);
}
