// Column sizes of the feature grid as the column grid and the sizing code see them:
// widths of real columns kept across hiding, the size limits asked after a sizing,
// and bringing the columns back to their recorded order.
#include <algorithm>

#include "grid/ExtGrid.h"
#include "grid/GridSupport.h"

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
