// Selecting rows, columns and ranges by code, the selected cells as text, and whether a
// cell lies in the selection.
#include <algorithm>

#include "grid/ExtGrid.h"

void TExtStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection(TGridRect(FromCol, FromRow, ToCol, ToRow));
}

// No event fires: the current row changes without notification.
void TExtStringGrid::SelectRows(int RowIndex, int RCount)
{
    if (RowIndex + RCount > RowCount()) RCount = RowCount() - RowIndex;
    if (RCount < 1 || RowIndex < 0) return;
    if (!FMouseActions->DisjunctRowSelect()) {
        SetSelection(TGridRect(FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1));
    } else {
        for (int r = RowIndex; r < RowIndex + RCount; ++r) {
            const int rr = FMouseActions->RowSelectPersistent ? RealRowIndex(r) : r;
            if (r < RowCount()) SetRowSelect(rr, true);
        }
    }
}

void TExtStringGrid::SelectCols(int ColIndex, int CCount)
{
    if (CCount < 1) return;
    SetSelection(TGridRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1));
}

bool TExtStringGrid::IsSelected(int ACol, int ARow)
{
    if (ARow < FixedRows() || ACol < FixedCols()) return false;
    if (FMouseActions->DisjunctRowSelect())
        return GetRowSelect(FMouseActions->RowSelectPersistent ? RealRowIndex(ARow) : ARow);
    const TGridRect s = Selection();
    return ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom;
}

String TExtStringGrid::SelectedText()
{
    TGridRect R = Selection();
    String out;
    bool firstRow = true;
    for (int r = R.Top; r <= R.Bottom && r < RowCount(); ++r) {
        if (FMouseActions->DisjunctRowSelect() && !GetRowSelect(r)) continue;
        if (!firstRow) out += "\r\n";
        firstRow = false;
        for (int c = R.Left; c <= R.Right && c < ColCount(); ++c) {
            if (c > R.Left) out += '\t';
            out += GetGridCell(RealColIndex(c), r);
        }
    }
    return out;
}
