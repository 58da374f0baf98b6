// The feature grid's update lock and the window messages that are not input: paint
// requests while locked, erasing, size changes, colour and enabled changes, and the
// grid's 500 ms timer (blinking cells).
#include <algorithm>
#include <cmath>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"
#include "grid/util/GridTextUtils.h"

namespace {
constexpr std::uintptr_t kGridTimerId = 111;
}

// ---------------------------------------------------------------- update lock

void TExtStringGrid::BeginUpdate()
{
    if (!Visible()) return;
    ++FUpdateCount;
}

void TExtStringGrid::EndUpdate()
{
    // A lock taken while the grid was visible ends with its release, also when the grid
    // was hidden meanwhile: otherwise it would never paint again.
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount > 0 || FGridDestroying || !Visible()) return;
    Invalidate();
}

void TExtStringGrid::SetLockUpdate(bool Value)
{
    if (Value) BeginUpdate();
    else EndUpdate();
}

void TExtStringGrid::ResetFixedCellHighlight()
{
    ColSized = false;
    Rowsized = false;
    if (HoverFixedCells != hfNone && FHoverFixedCol >= 0 && FHoverFixedRow >= 0) {
        const int c = FHoverFixedCol, r = FHoverFixedRow;
        FHoverFixedCol = -1;
        FHoverFixedRow = -1;
        RepaintCell(c, r);
    }
}

// ---------------------------------------------------------------- messages

void TExtStringGrid::WndProc(TMessage& msg)
{
    // The balloon watches the pointer over the grid before the grid handles it.
    if (msg.Msg == WM_MOUSEMOVE || msg.Msg == CM_MOUSELEAVE) RelayBalloonMessage(msg);
    if (!FGridDestroying) {
        // An abandoned move takes its arrows and cursor with it.
        if (msg.Msg == WM_CANCELMODE && (FGridState == gsColMoving || FGridState == gsRowMoving)) EndMoveFeedback();
        if (HandlePanningMessage(msg)) return;
        // While panning the wheel is the toolkit's.
        if (FWheelPan && msg.Msg == FWheelMsg) {
            TBaseGrid::WndProc(msg);
            return;
        }
    }
    if (HandleEditingMessage(msg)) return;
    switch (msg.Msg) {
    case WM_TIMER:
        if (msg.WParam == kGridTimerId) {
            HandleWMTimer();
            return;
        }
        break;
    case WM_PAINT:
        if (FUpdateCount >= 1) {
            // The request is answered without painting; the outermost EndUpdate
            // repaints the whole grid, so nothing waits for another paint message.
            ++FSkippedPaints;
            msg.Result = 0;
            return;
        }
        break;
    case WM_ERASEBKGND:
        msg.Result = 0;
        return;
    case CM_DIALOGCHAR:
        // The search footer's buttons answer their accelerators.
        if (HandleCMDialogChar(msg)) return;
        break;
    case WM_HSCROLL:
        WMHScroll(msg);
        return;
    case WM_VSCROLL:
        WMVScroll(msg);
        return;
    case CM_ENABLEDCHANGED:
        TBaseGrid::WndProc(msg);
        Invalidate();
        return;
    case CM_COLORCHANGED:
        TBaseGrid::WndProc(msg);
        if (FFooterPanel && FFloatingFooter && FFloatingFooter->Visible) FFooterPanel->Invalidate();
        return;
    case WM_SIZE:
        if (FSearchFooter && FSearchPanel && FSearchFooter->Visible()) {
            FSearchPanel->SetHeight(33);
            FSearchPanel->SetHeight(32);
            FSearchPanel->SetAlign(alBottom);
        }
        // Columns keep their share of the width the grid had when they were recorded.
        if (FColumnSize && FColumnSize->SynchWithGrid && FOldSize > 0 && !FLoading && !FGridDestroying) {
            if (EditorMode()) HideEditor();
            const double f = double(Width()) / FOldSize;
            const bool normalOnly = FColumnSize->SynchNormalCellsOnly;
            const int from = normalOnly ? FixedCols() : 0;
            const int to = normalOnly ? ColCount() - FixedRightCols : ColCount();
            for (int c = from; c < to && c < FOrigColSizes->Count(); ++c)
                SetColWidths(c, int(std::trunc(FOrigColSizes->GetInteger(c) * f)));
        }
        if (FColumnSize && FColumnSize->Stretch() && !FLoading && !FGridDestroying && ColCount() > 0 &&
            (FScrollBarAlways == saNone || FScrollBarAlways == saVert)) {
            const int sc = FColumnSize->StretchColumn == -1 ? ColCount() - 1 : FColumnSize->StretchColumn;
            if (sc >= 0 && sc < ColCount()) {
                long long others = 0;
                for (int c = 0; c < ColCount(); ++c)
                    if (c != sc) others += ColWidths(c);
                const bool applies = others < ClientRect().Width();
                ApplyColumnStretch(sc);
                if (applies && FScrollBarAlways == saNone && OnGridResize) OnGridResize(this);
            }
        }
        break;
    default:
        break;
    }
    TBaseGrid::WndProc(msg);
}

void TExtStringGrid::HandleWMTimer()
{
    ++FTimerCount;
    ++FTimerTicks;
    // The incremental search text expires on the fourth tick without a key.
    if (FNavigation && FNavigation->AutoGotoIncremental) {
        if (SearchTics == 3) {
            SearchInc.clear();
            SearchTics = 0;
        } else {
            ++SearchTics;
        }
    }
    if (Hovering) HoverSelect();
    if (!EnableBlink) return;
    FGridBlink = !FGridBlink;
    // Only the visible cells that hold the blink tag are repainted.
    const auto check = [&](int dc, int r) {
        const int rc = RealColIndex(dc);
        if (FindSubTextNoCase("<BLI", GetGridCell(rc, r)) > 0) RepaintCell(dc, r);
    };
    const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
    const int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
    for (int r = TopRow(); r <= lastRow; ++r)
        for (int c = LeftCol(); c <= lastCol; ++c) check(c, r);
    for (int r = 0; r < FixedRows(); ++r)
        for (int c = LeftCol(); c <= lastCol; ++c) check(c, r);
    for (int c = 0; c < FixedCols(); ++c)
        for (int r = TopRow(); r <= lastRow; ++r) check(c, r);
}

void TExtStringGrid::HoverSelect()
{
    if (!Visible() || !Showing()) return;
    const TPoint p = ScreenToClient(Mouse_CursorPos());
    if (!ClientRect().Contains(p)) return;
    int c = -1, r = -1;
    MouseToCell(p.X, p.Y, c, r);
    if (c < FixedCols() || r < FixedRows() || c >= ColCount() || r >= RowCount()) return;
    if (CanFocus()) SetFocus();
    if (Row() != r) SetRow(r);
    if (Col() != c) SetCol(c);
}
