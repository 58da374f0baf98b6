// The mouse moving over the grid and leaving it: the hover row, hovered header cells,
// the hot header of the list-view look, and the cell the current hint belongs to.
#include "grid/ExtGrid.h"

void TExtStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    // A drag from a press in the cells selects a range instead of opening an editor.
    if (Shift.Contains(ssLeft) && FMouseActions->RangeSelectAndEdit && Options().Contains(goEditing) && !EditMode &&
        !EditorMode())
        SetOptions(Options() >> goEditing);
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c >= 0 && r >= 0) {
        if (HoverRow && r != FHoverRowIdx) {
            const int old = FHoverRowIdx;
            FHoverRowIdx = r;
            InvalidateRow(r);
            if (old >= 0 && old < RowCount()) InvalidateRow(old);
        }
        if (HoverFixedCells != hfNone) {
            const int ox = FHoverFixedX, oy = FHoverFixedY;
            FHoverFixedX = c;
            FHoverFixedY = r;
            if (ox != c || oy != r) {
                if (ox >= 0 && oy >= 0 && (oy < FixedRows() || ox < FixedCols())) RepaintCell(ox, oy);
                if (r < FixedRows() || c < FixedCols()) RepaintCell(c, r);
            }
        }
        if (FLook == glListView && TPoint(c, r) != FHotFixedCell) {
            const TPoint old = FHotFixedCell;
            if (old.X >= 0 && old.Y >= 0 && (old.X < FixedCols() || old.Y < FixedRows())) RepaintCell(old.X, old.Y);
            FHotFixedCell = TPoint(c, r);
            if (c < FixedCols() || r < FixedRows()) RepaintCell(c, r);
        }
        // Every cell gets a hint of its own: leaving the hinted cell asks again.
        if (FLastHintPos.X >= 0 && FLastHintPos.Y >= 0) {
            const TPoint b = BaseCell(RealColIndex(c), r);
            if (TPoint(DisplColIndex(b.X), b.Y) != FLastHintPos) FLastHintPos = TPoint(-1, -1);
        }
    }
    TBaseGrid::MouseMove(Shift, X, Y);
}

void TExtStringGrid::MouseLeave()
{
    if (HoverRow && FHoverRowIdx >= 0) {
        const int old = FHoverRowIdx;
        FHoverRowIdx = -1;
        if (old < RowCount()) InvalidateRow(old);
    }
    if (HoverFixedCells != hfNone && FHoverFixedX >= 0 && FHoverFixedY >= 0) {
        const int ox = FHoverFixedX, oy = FHoverFixedY;
        FHoverFixedX = FHoverFixedY = -1;
        if (ox < ColCount() && oy < RowCount()) RepaintCell(ox, oy);
    }
    if (FHotFixedCell.X >= 0) {
        const TPoint old = FHotFixedCell;
        FHotFixedCell = TPoint(-1, -1);
        if (old.X < ColCount() && old.Y < RowCount()) RepaintCell(old.X, old.Y);
    }
    FLastHintPos = TPoint(-1, -1);
    TBaseGrid::MouseLeave();
}
