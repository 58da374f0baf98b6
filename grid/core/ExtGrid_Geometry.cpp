// Column sizes of the feature grid as the column grid and the sizing code see them:
// widths of real columns kept across hiding, the size limits asked after a sizing,
// and bringing the columns back to their recorded order.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"

int TExtStringGrid::GetAllColWidths(int i)
{
    if (i >= 0 && i < MaxColumnMap && !FVisibleCol[i]) return FAllColWidths[i];
    const int d = DisplColIndex(i);
    return d >= 0 && d < ColCount() ? ColWidths(d) : 0;
}

void TExtStringGrid::SetAllColWidths(int i, int Value)
{
    if (i < 0) return;
    if (i < MaxColumnMap) FAllColWidths[i] = std::int16_t(std::clamp(Value, 0, 32767));
    if (i < MaxColumnMap && !FVisibleCol[i]) return;
    const int d = DisplColIndex(i);
    if (d >= 0 && d < ColCount()) SetColWidths(d, Value);
}

void TExtStringGrid::FireUpdateColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TExtStringGrid::FireUpdateAutoColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TExtStringGrid::ResetColumnOrder()
{
    UnHideColumnsAll();
    if (FColumnOrder->Count() == 0) {
        SetColumnOrder();
        return;
    }
    // Every move puts one column at its place for good, so the passes end; the bound
    // only guards against an order list that does not describe a permutation.
    const int n = std::min(ColCount(), FColumnOrder->Count());
    for (int pass = 0; pass <= n; ++pass) {
        bool moved = false;
        for (int p = 0; p < n && p < FColumnOrder->Count(); ++p) {
            const int target = FColumnOrder->GetInteger(p);
            if (target < p && target >= 0) {
                MoveColumn(p, target);
                moved = true;
            }
        }
        if (!moved) break;
    }
}

// ---------------------------------------------------------------- stretching and sizing

void TExtStringGrid::ApplyColumnStretch(int StretchColumn)
{
    if (FLoading || FGridDestroying) return;
    const int col = StretchColumn == -1 ? ColCount() - 1 : StretchColumn;
    if (col >= ColCount()) throw Exception("Stretch column index out of range");
    if (ColCount() == 0 || !FColumnSize->Stretch() || FIsColChanging || col < 0) return;
    FIsColChanging = true;
    ColchgFlg = false;
    const int client = ClientRect().Width();
    if (ColCount() == 1) {
        SetColWidths(0, ClientRect().Right);
    } else {
        long long others = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != col) others += ColWidths(c);
        if (others < client) SetColWidths(col, int(client - others - 1));
        else if (LeftCol() == FixedCols()) SetColWidths(col, DefaultColWidth());
    }
    ColchgFlg = true;
    FIsColChanging = false;
}


void TExtStringGrid::ColWidthsChanged()
{
    if (ColchgFlg && FColumnSize && FColumnSize->Stretch() && !FIsColChanging && Parent())
        ApplyColumnStretch(FColumnSize->StretchColumn);
    TBaseGrid::ColWidthsChanged();
    if (ColSized && FMouseActions->AllColumnSize && Colclickedsize > 0 && Colclicked >= 0 && Colclicked < ColCount()) {
        // The other scrollable columns follow the sized one in proportion.
        const double f = double(ColWidths(Colclicked)) / Colclickedsize;
        ColSized = false;
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (c != Colclicked) SetColWidths(c, int(std::lround(ColWidths(c) * f)));
        ColSized = true;
    }
    if (ColSized) {
        ColSized = false;
        const int c = Colclicked;
        if (OnEndColumnSize) OnEndColumnSize(this, c);
        if (c >= 0 && c < ColCount()) {
            int w = ColWidths(c);
            const int old = w;
            FireUpdateColumnSize(c, w);
            if (w != old) SetColWidths(c, w);
        }
        Colclicked = -1;
        Rowclicked = -1;
    }
    ColSized = false;
    if (EditorMode() && InplaceEditor()) InplaceEditor()->UpdateLoc(CellRect(Col(), Row()));
    if (FFooterPanel) FFooterPanel->Invalidate();
    if (FControlList && FControlList->Count() > 0) CellControlsUpdate();
}

void TExtStringGrid::RowHeightsChanged()
{
    TBaseGrid::RowHeightsChanged();
    if (Rowsized && FMouseActions->AllRowSize && Rowclickedsize > 0 && Rowclicked >= 0 && Rowclicked < RowCount()) {
        const double f = double(RowHeights(Rowclicked)) / Rowclickedsize;
        Rowsized = false;
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (r != Rowclicked) SetRowHeights(r, int(std::lround(RowHeights(r) * f)));
        Rowsized = true;
    }
    if (Rowsized) {
        Rowsized = false;
        if (OnEndRowSize) OnEndRowSize(this, Rowclicked);
        Rowclicked = -1;
    }
    if (FControlList && FControlList->Count() > 0) CellControlsUpdate();
}

// ---------------------------------------------------------------- hit tests

void TExtStringGrid::ScreenToCell(TPoint pt, int& ACol, int& ARow)
{
    const TPoint p = ScreenToClient(pt);
    MouseToCell(p.X, p.Y, ACol, ARow);
}

bool TExtStringGrid::IsOnSizingBorder(int X, int Y)
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0) return false;
    const TRect rc = CellRect(c, r);
    if (r <= FixedRows() && Options().Contains(goColSizing) &&
        (std::abs(X - rc.Left) <= 3 || std::abs(rc.Right - X) <= 3))
        return true;
    return c <= FixedCols() && Options().Contains(goRowSizing) &&
           (std::abs(Y - rc.Top) <= 3 || std::abs(rc.Bottom - Y) <= 3);
}

void TExtStringGrid::SetXYOffset(TPoint Value)
{
    XYOffset = Value;
    Invalidate();
}
