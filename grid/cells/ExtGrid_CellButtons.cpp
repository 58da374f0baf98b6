// Buttons drawn in cells: a press pushes the cell button (or expand button) and holds
// the mouse; the release draws it up again and reports the click when it ends inside
// the button. The always-visible spin buttons only record which half was pressed: the
// spin editor that opens with the click reads it.
#include <algorithm>

#include "grid/core/ExtGrid.h"

TRect TExtStringGrid::CellButtonRect(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return TRect();
    const int rc = RealColIndex(ACol);
    TCellGraphic* g = GetCellGraphic(rc, ARow);
    if (!g || (g->CellType != ctButton && g->CellType != ctBitButton)) return TRect();
    // The same placement the painter gives the button inside the cell's text margins.
    TRect R = CellRect(ACol, ARow);
    if (R.Right <= R.Left) return TRect();
    InflateRect(R, -(XYOffset.X - 1), -(XYOffset.Y - 1));
    int W = g->CellIndex & 0xFFFF;
    int H = (g->CellIndex >> 16) & 0xFFFF;
    String text = GetCellEx(rc, ARow);
    int T = 0;
    if (!text.empty()) {
        Canvas()->Font()->Assign(*GetCellFont(rc, ARow));
        T = Canvas()->TextWidth(text) + 2;
    }
    const int align = GetCellAlignment(rc, ARow) & 0xFF;
    int x = R.Left + 1, y = R.Top + 1;
    switch (g->CellHAlign) {
    case haRight: x = R.Right - 1 - W; break;
    case haCenter: x = R.Width() < W ? R.Left + 1 : R.Left + (R.Width() - W) / 2; break;
    case haBeforeText:
        if (align == taRightJustify) x = R.Right - T - W;
        else if (align == taCenter) x = std::max(R.Left + 1, R.Left + (R.Width() - T - W) / 2);
        break;
    case haAfterText:
        if (align == taRightJustify) x = R.Right - 1 - W;
        else if (align == taCenter) x = R.Left + (R.Width() + T) / 2 - W / 2;
        else x = R.Left + T;
        break;
    case haFull:
        x = R.Left;
        W = R.Width();
        break;
    default: break;
    }
    switch (g->CellVAlign) {
    case vaBottom: y = R.Bottom - 1 - H; break;
    case vaCenter: y = R.Height() < H ? R.Top + 1 : R.Top + (R.Height() - H) / 2; break;
    case vaUnderText: y = R.Bottom - H; break;
    case vaFull:
        y = R.Top;
        H = R.Height();
        break;
    default: break;
    }
    return Bounds(x, y, W, H);
}

void TExtStringGrid::SpinButtonDown(int ACol, int ARow, int X, int Y)
{
    if (!FControlLook->SpinButtonsAlwaysVisible || !HasSpinEdit(RealColIndex(ACol), ARow)) return;
    const TRect R = CellRect(ACol, ARow);
    if (X < R.Right - 18 || X >= R.Right) return;
    if (Y < (R.Top + R.Bottom) / 2) FSpinUpClick = true;
    else FSpinDnClick = true;
}

bool TExtStringGrid::CellButtonDown(int ACol, int ARow, int X, int Y)
{
    const int rc = RealColIndex(ACol);
    const bool button = HasButton(rc, ARow);
    if (!button && !HasExpand(rc, ARow)) return false;
    HideInplaceEdit();
    const bool fixed = ACol < FixedCols() || ARow < FixedRows() || IsFixed(ACol, ARow);
    if (!fixed && (ACol != Col() || ARow != Row())) {
        // The button's cell becomes current without the selection check's work.
        FForceSel = true;
        struct Finally {
            TExtStringGrid* g;
            ~Finally() { g->FForceSel = false; }
        } fin{this};
        MoveColRow(ACol, ARow, true, false);
    }
    const TRect B = button ? CellButtonRect(ACol, ARow) : GetExpandButtonRect(rc, ARow);
    // The pushed button holds the mouse until the release, wherever that happens.
    if (B.Contains(TPoint(X, Y))) {
        PushButton(ACol, ARow, true);
        FPushedCellButton = TPoint(ACol, ARow);
        SetMouseCapture(true);
    }
    if (OnClickCell) OnClickCell(this, ARow, ACol);
    return true;
}

bool TExtStringGrid::CellButtonUp(int X, int Y)
{
    if (FPushedCellButton.X < 0) return false;
    const TPoint p = FPushedCellButton;
    FPushedCellButton = TPoint(-1, -1);
    SetMouseCapture(false);
    if (p.X >= ColCount() || p.Y >= RowCount()) return false;
    const int rc = RealColIndex(p.X);
    const bool fixed = p.X < FixedCols() || p.Y < FixedRows() || IsFixed(p.X, p.Y);
    if (!(Enabled() || FControlLook->NoDisabledButtonLook || fixed)) return false;
    if (GetCellType(0, p.Y) != ctNode) PushButton(p.X, p.Y, false);
    if (HasButton(rc, p.Y)) {
        if (!CellButtonRect(p.X, p.Y).Contains(TPoint(X, Y))) return false;
        FireButtonClick(p.X, p.Y);
        return true;
    }
    if (HasExpand(rc, p.Y) && GetExpandButtonRect(rc, p.Y).Contains(TPoint(X, Y))) {
        const bool expanded = ToggleExpand(rc, p.Y);
        FireExpandClick(rc, p.Y, expanded);
        return true;
    }
    return false;
}
