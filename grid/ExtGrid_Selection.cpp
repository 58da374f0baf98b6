// Selecting rows, columns and ranges by code, the selected cells as text, and whether a
// cell lies in the selection.
#include <algorithm>

#include "grid/ExtGrid.h"

void TExtStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    if (ColCount() <= 0 || RowCount() <= 0) return;
    FromCol = std::clamp(FromCol, 0, ColCount() - 1);
    ToCol = std::clamp(ToCol, 0, ColCount() - 1);
    FromRow = std::clamp(FromRow, 0, RowCount() - 1);
    ToRow = std::clamp(ToRow, 0, RowCount() - 1);
    if (EditMode || EditorMode()) HideInplaceEdit();
    SetSelection(TGridRect(FromCol, FromRow, ToCol, ToRow));
    Invalidate();
}

void TExtStringGrid::SelectRows(int RowIndex, int RCount)
{
    if (RCount < 1) return;
    SelectRange(FixedCols(), ColCount() - 1, RowIndex, RowIndex + RCount - 1);
}

void TExtStringGrid::SelectCols(int ColIndex, int CCount)
{
    if (CCount < 1) return;
    SelectRange(ColIndex, ColIndex + CCount - 1, FixedRows(), RowCount() - 1);
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
