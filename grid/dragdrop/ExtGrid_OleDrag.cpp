// Drags the mouse starts from the grid: a press on the selected cells (or, for a column
// drag, on a header cell) is held back until the mouse moves with the button down, so
// that the selection it would drag is not replaced by the pressed cell first.
#include <cstdlib>

#include "grid/core/ExchangeHooks.h"
#include "grid/core/ExtGrid.h"

bool TExtStringGrid::OleDragDown(int ACol, int ARow, TShiftState Shift, int X, int Y)
{
    FOleDragPending = odNone;
    TDragDropSettings* s = FDragDropSettings.get();
    const TGridExchangeHooks& h = GridExchangeHooks();
    if (!s->OleDropSource || Shift.Contains(ssShift) || Shift.Contains(ssCtrl)) return false;
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return false;
    if (ARow < FixedRows()) {
        // A header press still sorts, sizes or moves as usual; moving on drags the column.
        if (s->OleColumnDragDrop && h.DragColumn && ACol >= FixedCols()) {
            FOleDragPending = odColumn;
            FOleDragCell = TPoint(ACol, ARow);
        }
        return false;
    }
    if (s->OleColumnsOnly || !h.DragSelection || ACol < FixedCols()) return false;
    if (!Selection().Contains(ACol, ARow)) return false;
    FOleDragPending = odCells;
    FOleDragCell = TPoint(ACol, ARow);
    FDownPos = TPoint(X, Y);
    return true;
}

bool TExtStringGrid::OleDragMove(TShiftState Shift, int X, int Y)
{
    if (FOleDragPending == odNone) return false;
    if (!Shift.Contains(ssLeft)) {
        FOleDragPending = odNone;
        return false;
    }
    if (std::abs(X - FDownPos.X) <= 3 && std::abs(Y - FDownPos.Y) <= 3) return FOleDragPending == odCells;
    const TOleDragPending kind = FOleDragPending;
    FOleDragPending = odNone;
    // A column being sized or moved by its header is no drag.
    if (FGridState == gsColSizing || FGridState == gsRowSizing || FGridState == gsColMoving ||
        FGridState == gsRowMoving || FSizingFixed || FSizingFixedR)
        return false;
    bool allow = true;
    if (OnOleDrag) OnOleDrag(this, FOleDragCell.Y, FOleDragCell.X, allow);
    if (!allow) {
        // Refused: the press held back happens now, and the move goes on from it.
        if (kind == odCells) {
            FOleDragPending = odCells;
            OleDragUp(Shift);
        }
        return false;
    }
    // The drag takes the release of the button: the press ends here.
    FGridState = gsNormal;
    LButFlg = false;
    SetMouseCapture(false);
    const TGridExchangeHooks& h = GridExchangeHooks();
    if (kind == odColumn) {
        if (h.DragColumn) h.DragColumn(*this, FOleDragCell.X);
    } else if (h.DragSelection) {
        h.DragSelection(*this, FOleDragCell.X, FOleDragCell.Y);
    }
    return true;
}

void TExtStringGrid::OleDragUp(TShiftState Shift)
{
    const TOleDragPending kind = FOleDragPending;
    FOleDragPending = odNone;
    if (kind != odCells) return;
    // The press held back was no drag after all: it selects the pressed cell now.
    const TPoint at = FDownPos;
    TDragDropSettings* s = FDragDropSettings.get();
    const bool source = s->OleDropSource;
    s->OleDropSource = false;
    MouseDown(mbLeft, Shift, at.X, at.Y);
    s->OleDropSource = source;
}
