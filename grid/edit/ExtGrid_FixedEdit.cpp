// Editing fixed cells (headers) in place: which click opens the editor; the editor (a
// borderless edit or a combo box with the configured values) comes from the editor
// library.
#include "grid/core/ExtGrid.h"

void TExtStringGrid::EditFixedCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    if (const auto& edit = GridEditorParts().EditFixedCell) edit(this, ACol, ARow);
}

void TExtStringGrid::FixedCellEditOnMouseDown(TMouseButton Button, int X, int Y, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    const TGridFixedCellEdit want = Button == mbLeft ? fceLeftClick : Button == mbRight ? fceRightClick : fceNone;
    if (want == fceNone) return;
    const TRect R = CellRect(ACol, ARow);
    // Near a border where the mouse sizes a column (row) the press is for sizing.
    if (ARow < FixedRows() && FMouseActions->FixedRowsEdit == want) {
        if (Options().Contains(goColSizing) && (X < R.Left + 4 || X >= R.Right - 4)) return;
        EditFixedCell(ACol, ARow);
    } else if (ACol < FixedCols() && FMouseActions->FixedColsEdit == want) {
        if (Options().Contains(goRowSizing) && (Y < R.Top + 4 || Y >= R.Bottom - 4)) return;
        EditFixedCell(ACol, ARow);
    }
}

void TExtStringGrid::FixedCellEditOnDblClick(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    if ((ARow < FixedRows() && FMouseActions->FixedRowsEdit == fceDblClick) ||
        (ACol < FixedCols() && FMouseActions->FixedColsEdit == fceDblClick))
        EditFixedCell(ACol, ARow);
}
