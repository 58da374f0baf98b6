// Cell hints: the toolkit asks the grid for the hint of the cell under the mouse; the
// grid offers the cell's comment, its own text or a text too large for the cell, and
// the window's OnGridHint has the last word (the table editors explain each header).
#include "grid/ExtGrid.h"

void TExtStringGrid::DoHintShow(THintInfo& Info) { FillHintInfo(Info); }

void TExtStringGrid::FillHintInfo(THintInfo& Info)
{
    const TPoint cur = Info.CursorPos;
    if (FControlLook->HintMaxWidth > 0) Info.HintMaxWidth = FControlLook->HintMaxWidth;
    Info.HintColor = HintColor;
    int c = -1, r = -1;
    MouseToCell(cur.X, cur.Y, c, r);
    if (c < 0 || r < 0 || c >= ColCount() || r >= RowCount()) {
        FLastHintPos = TPoint(-1, -1);
        return;
    }
    int bc = RealColIndex(c), br = r;
    GetBaseCellOf(RealColIndex(c), r, bc, br);
    c = DisplColIndex(bc);
    r = br;
    FLastHintPos = TPoint(c, r);
    const TRect R = CellRect(c, r);
    // The hint belongs to this cell: moving to another cell asks again.
    Info.CursorRect = R;
    String comment;
    if (IsComment(bc, r, comment)) {
        Info.HintStr = comment;
        Info.HintPos = TPoint(R.Right, R.Top);
    } else {
        Info.HintPos = TPoint(cur.X, R.Bottom + 6);
    }
    const bool scrollable = c >= FixedCols() && r >= FixedRows() && c < ColCount() - FixedRightCols &&
                            r < RowCount() - FixedFooters;
    if (HintShowCells && scrollable) {
        Info.HintPos.Y = R.Top;
        Info.HintStr = GetCellEx(bc, r);
    }
    if (HintShowLargeText) {
        const bool enh = EnhTextSize;
        EnhTextSize = false;
        const TPoint ext = GetCellTextSize(bc, r, false, false);
        EnhTextSize = enh;
        if (ext.X > R.Right - R.Left || ext.Y > R.Bottom - R.Top) {
            if (HintShowLargeTextPos == hpCell) Info.HintPos = TPoint(R.Left, R.Top);
            Info.HintStr = GetCellEx(bc, r);
        }
    }
    const bool footerRow = FFloatingFooter && FFloatingFooter->Visible && r == RowCount() - 1;
    if (!footerRow) {
        std::u16string wide;
        FireGridHint(c, r, Info.HintStr, wide);
    }
    Info.HintPos = ClientToScreen(Info.HintPos);
}
