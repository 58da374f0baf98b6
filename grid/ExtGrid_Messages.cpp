// The feature grid's update lock and the window messages that are not input: paint
// requests while locked, erasing, size changes, colour and enabled changes, and the
// grid's 500 ms timer (blinking cells).
#include <algorithm>

#include "grid/ExtGrid.h"
#include "grid/GridTextUtils.h"

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
        if (FColumnSize && FColumnSize->Stretch() && !FLoading && !FGridDestroying && ColCount() > 0 &&
            (FScrollBarAlways == saNone || FScrollBarAlways == saVert)) {
            const int sc = FColumnSize->StretchColumn == -1 ? ColCount() - 1 : FColumnSize->StretchColumn;
            if (sc >= 0 && sc < ColCount()) ApplyColumnStretch(sc);
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
