// Sorting from the header: a release on the sort row's header cell sorts the rows by that
// column, a further release on the same column reverses the direction.
#include <algorithm>
#include <numeric>
#include <vector>

#include "grid/core/ExtGrid.h"

bool TExtStringGrid::HeaderClickSort(TShiftState, int X, int Y, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return false;
    const TRect R = CellRect(ACol, ARow);
    // Near a column border the release belongs to the sizing.
    if (ARow == 0 && Options().Contains(goColSizing) && (X - R.Left < 4 || R.Right - X < 4)) return false;
    // The drop-down button of a fixed cell keeps the rightmost 16 pixels.
    if (R.Right - X <= 16 && FControlLook->FixedDropDownButton && FireCanShowFixedDropDown(RealColIndex(ACol)))
        return false;
    int downCol = -1, downRow = -1;
    MouseToCell(FDownPos.X, FDownPos.Y, downCol, downRow);
    const int rc = RealColIndex(ACol);
    if (ARow != FSortSettings->Row || downRow != ARow || FixedRows() <= 0 || !FSortSettings->Show ||
        RowCount() <= 2)
        return false;
    if (ACol < FixedCols() && !FSortSettings->FixedCols) return false;
    if ((HasCheckBox(rc, ARow) || HasRadioButton(rc, ARow)) && IsInCheckBox(rc, ARow, X, Y)) return false;
    bool DoSort = !IsIgnoredColumn(rc);
    if (OnCanSort) OnCanSort(this, rc, DoSort);
    if (!DoSort) {
        RepaintCell(ACol, ARow);
        return false;
    }
    HideInplaceEdit();
    if (FSortSettings->Column == rc) {
        FSortSettings->Direction = FSortSettings->Direction == sdAscending ? sdDescending : sdAscending;
    } else {
        FSortSettings->Direction = sdAscending;
        FSortSettings->Column = rc;
    }
    const bool keepLeft = FNavigation->KeepHorizScroll && Options().Contains(goRowSelect);
    const int left = LeftCol();
    if (keepLeft) BeginUpdate();
    QSort();
    if (keepLeft) {
        SetLeftCol(left);
        EndUpdate();
    }
    FireClickSort(FSortSettings->Column);
    return true;
}

// GCC 12 sees the stable sort's temporary buffer and the position vectors below as one
// allocation and warns of a free at an offset that cannot happen.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wfree-nonheap-object"
void TExtStringGrid::QSort()
{
    const int col = FSortSettings->Column;
    if (col < 0 || col >= TotalColCount()) return;
    const int first = FixedRows();
    const int last = RowCount() - FixedFooters - 1;
    if (last - first < 1) return;
    const bool descending = FSortSettings->Direction == sdDescending;
    std::vector<String> keys;
    keys.reserve(size_t(last - first + 1));
    for (int r = first; r <= last; ++r) keys.push_back(GetCellEx(col, r));
    // order[i]: the row (relative to first) that ends at position i.
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return descending ? keys[size_t(b)] < keys[size_t(a)] : keys[size_t(a)] < keys[size_t(b)];
    });
    BeginUpdate();
    struct Finally {
        TExtStringGrid* g;
        ~Finally() { g->EndUpdate(); }
    } fin{this};
    // Bring each row to its place with swaps; pos[k] is where original row k stands now.
    std::vector<int> pos(order.size()), at(order.size());
    std::iota(pos.begin(), pos.end(), 0);
    std::iota(at.begin(), at.end(), 0);
    for (int i = 0; i < int(order.size()); ++i) {
        const int want = order[size_t(i)];
        const int from = pos[size_t(want)];
        if (from == i) continue;
        SortSwapRows(first + i, first + from);
        const int displaced = at[size_t(i)];
        at[size_t(from)] = displaced;
        pos[size_t(displaced)] = from;
        at[size_t(i)] = want;
        pos[size_t(want)] = i;
    }
}
#pragma GCC diagnostic pop
