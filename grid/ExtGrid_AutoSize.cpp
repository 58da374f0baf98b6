// Sizing columns to their contents: the widest cell of the rows the column size
// settings name, with the cell margins and grid lines, through the width hook and the
// grid's size limits.
#include <algorithm>

#include "grid/ExtGrid.h"

namespace {
// Value raised to Min and lowered to Max (0 = no limit); unchanged when the two agree.
int ApplySizeLimits(int Value, int Min, int Max)
{
    if (Min == Max) return Value;
    const int given = Value;
    if (Min > 0 && Value < Min) Value = Min;
    if (Max > 0 && given > Max) Value = Max;
    return Value;
}
}

void TExtStringGrid::AutoSizeColumnWidth(int ACol, bool GrowOnly)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    const int rc = RealColIndex(ACol);
    int from = 0, to = RowCount() - 1;
    switch (FColumnSize->Rows) {
    case arNormal:
        from = FixedRows();
        to = RowCount() - FixedFooters - 1;
        break;
    case arFixed:
        to = FixedRows() - 1;
        break;
    default:
        break;
    }
    int widest = 0;
    for (int r = std::max(0, from); r <= to && r < RowCount(); ++r) {
        if (IsXMergedCell(rc, r)) continue;
        int c = GetCellGraphicSize(rc, r).X + GetCellTextSize(rc, r, false, false).X;
        if (FControlLook->DropDownAlwaysVisible && HasComboBox(rc, r)) c += 16;
        if (IsSortIndicatorCell(rc, r) && rc == FSortSettings->Column) c += 10;
        widest = std::max(widest, c);
    }
    const int totalX = XYOffsetTopLeftOnly ? XYOffset.X : 2 * XYOffset.X;
    int w = totalX + widest + 2 * (GridLineWidth() + 1);
    if (GrowOnly && ColWidths(ACol) >= w) return;
    FireUpdateAutoColumnSize(ACol, w);
    SetColWidths(ACol, ApplySizeLimits(w, MinColWidth, MaxColWidth));
}

void TExtStringGrid::AutoSizeCol(int ACol, int Padding)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    AutoSizeColumnWidth(ACol, SizeGrowOnly);
    if (Padding != 0) SetColWidths(ACol, ApplySizeLimits(ColWidths(ACol) + Padding, MinColWidth, MaxColWidth));
}

void TExtStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    const int from = DoFixedCols ? 0 : FixedCols();
    const int to = DoFixedCols ? ColCount() - 1 : ColCount() - FixedRightCols - 1;
    for (int c = from; c <= to; ++c) AutoSizeCol(c, Padding);
}
