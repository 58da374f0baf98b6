// The base grid's key, wheel, selection and scroll handling: moves over merged areas
// land on their base cell, and merged fixed cells stay whole when the grid scrolls.
#include <algorithm>

#include "grid/base/BaseGrid.h"

void TBaseGrid::SnapToBaseCell()
{
    if (!CellPropsOf(Col(), Row())) return;
    const TPoint b = BaseCell(Col(), Row());
    if (b.X != Col() || b.Y != Row()) FocusCell(b.X, b.Y, true);
}

void TBaseGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_NEXT && FHideLastRow && RowCount() > 1 &&
        VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1)
        SetRow(RowCount() - 2);
    if (TCellProperties* p = CellPropsOf(Col(), Row())) {
        const TPoint b = p->GetBaseCell(Col(), Row());
        const int bx = b.X, by = b.Y;
        TCellProperties* bp = CellPropsOf(bx, by);
        const int sx = bp ? std::max(0, bp->CellSpanX) : 0, sy = bp ? std::max(0, bp->CellSpanY) : 0;
        switch (Key) {
        case VK_RIGHT:
            // From the last column of the area the ordinary move leaves it.
            if (bx + sx >= Col() && Col() < ColCount() - 1 && bx < ColCount() - 1 && bx + sx < ColCount())
                SetCol(bx + sx);
            break;
        case VK_DOWN:
            if (by + sy >= Row() && Row() < RowCount() - 1 && by < RowCount() - 1) SetRow(by + sy);
            break;
        case VK_LEFT:
            // From the first column of the area the ordinary move leaves it.
            if (bx < Col() && Col() > FixedCols() && bx > 0) SetCol(bx);
            break;
        case VK_UP:
            if (by < Row() && Row() > FixedRows() && by > 0) SetRow(by);
            break;
        default:
            break;
        }
    }
    TObjStringGrid::KeyDown(Key, Shift);
    SnapToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    const bool result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (FHideLastRow && VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1) SetTopRow(TopRow() + 1);
    SnapToBaseCell();
    return result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    const bool result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
    SnapToBaseCell();
    return result;
}

bool TBaseGrid::SelectCell(int ACol, int ARow)
{
    RepaintCell(Col(), Row());
    const bool result = TObjStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return result;
}

void TBaseGrid::TopLeftChanged()
{
    TObjStringGrid::TopLeftChanged();
    const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
    for (int c = 0; c < FixedCols(); ++c)
        for (int r = TopRow(); r <= lastRow; ++r)
            if (IsMergedCell(c, r)) RepaintCell(c, r);
    const int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
    for (int r = 0; r < FixedRows(); ++r)
        for (int c = LeftCol(); c <= lastCol; ++c)
            if (IsMergedCell(c, r)) RepaintCell(c, r);
}
