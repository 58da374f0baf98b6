// Bulk changes of rows, columns and rectangles of cells: appending, removing by
// selection, tick or duplicate text, hiding by selection, clearing, trimming and
// colouring rectangles, exchanging two cells, merging runs of equal cells along a row
// and joining two columns.
#include <algorithm>
#include <set>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"
#include "platform/rtl/SysUtils.h"

namespace {
struct TUpdateScope {
    TExtStringGrid* Grid;
    explicit TUpdateScope(TExtStringGrid* g) : Grid(g) { g->BeginUpdate(); }
    ~TUpdateScope() { Grid->EndUpdate(); }
};

// The text without leading and trailing blanks and control characters.
String TrimControls(const String& s)
{
    size_t a = 0, b = s.size();
    while (a < b && static_cast<unsigned char>(s[a]) <= ' ') ++a;
    while (b > a && static_cast<unsigned char>(s[b - 1]) <= ' ') --b;
    return s.substr(a, b - a);
}
}

void TExtStringGrid::AddRow()
{
    const bool footer = FFloatingFooter->Visible && RowCount() > 0;
    InsertRows(footer ? RowCount() - 1 : RowCount(), 1);
}

void TExtStringGrid::AddColumn() { InsertCols(TotalColCount(), 1); }

void TExtStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
    if (!CanRemoveRows(RowIndex, RCount)) return;
    const int oldRow = Row(), oldTop = TopRow();
    std::vector<int> gone;
    for (int k = 0; k < RCount; ++k) gone.push_back(RealRowIndex(RowIndex + k));
    {
        TUpdateScope update(this);
        for (int r = RowIndex; r < RowIndex + RCount; ++r)
            for (int c = 0; c < TotalColCount(); ++c) FreeCellPropsAt(c, r);
        if (FMouseActions->DisjunctRowSelect())
            for (int k = 0; k < RCount && RowIndex < int(FRowSelect.size()); ++k)
                FRowSelect.erase(FRowSelect.begin() + RowIndex);
        RemoveDisplayRows(RowIndex, RCount, false);
        FMaxRowCount = std::max(0, FMaxRowCount - RCount);
        for (auto& item : FGridItems)
            item->Idx -= int(std::lower_bound(gone.begin(), gone.end(), item->Idx) - gone.begin());
        if (oldRow < RowCount()) {
            SetRow(oldRow);
            SetTopRow(std::min(oldTop, RowCount() - 1));
        } else if (RowCount() > FixedRows()) {
            SetRow(FixedRows());
            SetTopRow(FixedRows());
        }
    }
    CellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TExtStringGrid::DeleteRows(int RowIndex, int RCount) { RemoveRows(RowIndex, RCount); }

void TExtStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked)
{
    TUpdateScope update(this);
    for (int r = RowCount() - 1; r >= FixedRows(); --r) {
        bool state = false;
        if (!GetCheckBoxState(CheckBoxColumn, r, state)) continue;
        if (state == RemoveChecked) RemoveRows(r, 1);
    }
}

void TExtStringGrid::RemoveDuplicates(int ACol, bool DoCase)
{
    // Kept texts are compared without regard to case either way; DoCase only says in
    // which form they are remembered.
    const int rc = RealColIndex(ACol);
    std::set<String> kept;
    TUpdateScope update(this);
    int r = FixedRows();
    while (r < RowCount() - FixedFooters) {
        const String text = GetCellEx(rc, r);
        const String key = UpperCase(text);
        if (kept.count(key)) {
            DeleteRows(r, 1);
            continue;
        }
        kept.insert(DoCase ? key : UpperCase(text));
        ++r;
    }
}

void TExtStringGrid::RemoveSelectedRows()
{
    TUpdateScope update(this);
    if (FMouseActions->DisjunctRowSelect()) {
        std::vector<int> rows;
        for (int r = RowCount() - 1 - FixedFooters; r >= FixedRows(); --r)
            if (GetRowSelect(FMouseActions->RowSelectPersistent ? RealRowIndex(r) : r)) rows.push_back(r);
        // Bottom up, so that the rows still to go keep their indexes.
        for (int r : rows) DeleteRows(r, 1);
        ClearRowSelect();
        return;
    }
    const TGridRect sel = Selection();
    for (int r = sel.Bottom; r >= sel.Top; --r)
        if (r >= FixedRows() && r < RowCount() - FixedFooters) RemoveRows(r, 1);
}

void TExtStringGrid::RemoveUnSelectedRows()
{
    TUpdateScope update(this);
    for (int r = RowCount() - 1 - FixedFooters; r >= FixedRows(); --r) {
        bool selected;
        if (FMouseActions->DisjunctRowSelect())
            selected = GetRowSelect(FMouseActions->RowSelectPersistent ? RealRowIndex(r) : r);
        else
            selected = r >= Selection().Top && r <= Selection().Bottom;
        if (!selected) DeleteRows(r, 1);
    }
    if (FMouseActions->RowSelectPersistent) SelectRows(FixedRows(), RowCount() - FixedRows() - FixedFooters);
    else ClearRowSelect();
}

namespace {
void HideRowsBySelection(TExtStringGrid* g, TMouseActions* ma, bool Selected)
{
    std::vector<int> real;
    for (int r = g->FixedRows(); r < g->RowCount() - g->FixedFooters; ++r) {
        bool sel;
        if (ma->DisjunctRowSelect()) sel = g->GetRowSelect(ma->RowSelectPersistent ? g->RealRowIndex(r) : r);
        else sel = r >= g->Selection().Top && r <= g->Selection().Bottom;
        if (sel == Selected) real.push_back(g->RealRowIndex(r));
    }
    // Real indexes do not change when rows are hidden.
    for (int rr : real) g->HideRow(g->DisplRowIndex(rr));
}
}

void TExtStringGrid::HideSelectedRows()
{
    TUpdateScope update(this);
    HideRowsBySelection(this, FMouseActions.get(), true);
}

void TExtStringGrid::HideUnSelectedRows()
{
    TUpdateScope update(this);
    HideRowsBySelection(this, FMouseActions.get(), false);
}

void TExtStringGrid::RemoveSelectedCols()
{
    TUpdateScope update(this);
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (GetColSelect(c)) {
                RemoveCols(RealColIndex(c), 1);
                if (c < int(FColSelect.size())) FColSelect.erase(FColSelect.begin() + c);
            }
        return;
    }
    const TGridRect sel = Selection();
    RemoveCols(RealColIndex(sel.Left), RealColIndex(sel.Right) - RealColIndex(sel.Left) + 1);
}

void TExtStringGrid::RemoveUnSelectedCols()
{
    TUpdateScope update(this);
    if (FMouseActions->DisjunctColSelect()) {
        for (int c = ColCount() - 1; c >= FixedCols(); --c)
            if (!GetColSelect(c)) {
                RemoveCols(RealColIndex(c), 1);
                if (c < int(FColSelect.size())) FColSelect.erase(FColSelect.begin() + c);
            }
    } else {
        const TGridRect sel = Selection();
        if (sel.Right + 1 < ColCount())
            RemoveCols(RealColIndex(sel.Right + 1), TotalColCount() - RealColIndex(sel.Right + 1));
        if (sel.Left > FixedCols()) RemoveCols(RealColIndex(FixedCols()), RealColIndex(sel.Left) - RealColIndex(FixedCols()));
    }
    ClearColSelect();
}

void TExtStringGrid::ClearRows(int RowIndex, int RCount)
{
    if (RowCount() == 0 || RCount <= 0) return;
    ClearRect(0, RowIndex, TotalColCount() - 1, RowIndex + RCount - 1);
}

void TExtStringGrid::ClearCols(int ColIndex, int CCount)
{
    if (CCount <= 0) return;
    ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TExtStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
    if (RCount <= 0) return;
    ClearRect(FixedCols(), RowIndex, TotalColCount() - 1 - FixedRightCols, RowIndex + RCount - 1);
}

void TExtStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
    if (CCount <= 0) return;
    ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1 - FixedFooters);
}

void TExtStringGrid::ClearNormalCells()
{
    if (FixedCols() == 0 && HasNodes()) RemoveAllNodes();
    ClearRect(FixedCols(), FixedRows(), TotalColCount() - 1 - FixedRightCols, RowCount() - 1 - FixedFooters);
}

void TExtStringGrid::ClearSelection()
{
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (GetRowSelect(r)) ClearRows(r, 1);
    } else if (FMouseActions->DisjunctColSelect()) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            if (GetColSelect(c)) ClearCols(RealColIndex(c), 1);
    } else {
        const TGridRect s = Selection();
        ClearRect(s.Left, s.Top, s.Right, s.Bottom);
    }
}

void TExtStringGrid::Clear()
{
    if (!FGridDestroying) RemoveAllNodes();
    ClearRect(0, 0, TotalColCount() - 1, RowCount() - 1);
    SearchInc.clear();
    // The hidden columns' cells lie beyond the shown ones; what shows may have changed.
    if (FNumHidden > 0) Invalidate();
}

void TExtStringGrid::ClearAll()
{
    Clear();
    for (auto& item : FGridItems)
        for (int c = 0; c < item->Items.Count(); ++c) {
            DeleteCellProperties(static_cast<TCellProperties*>(item->Items.Objects(c)));
            item->Items.SetObjects(c, nullptr);
            item->Items.SetStrings(c, "");
        }
}

void TExtStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int r = std::max(0, ARow1); r <= std::min(ARow2, RowCount() - 1); ++r)
        for (int c = std::max(0, ACol1); c <= std::min(ACol2, TotalColCount() - 1); ++c) {
            const String t = GetCellEx(c, r);
            const String trimmed = TrimControls(t);
            if (trimmed != t) SetCellEx(c, r, trimmed);
        }
}

void TExtStringGrid::TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
void TExtStringGrid::TrimRow(int ARow) { TrimRect(0, ARow, TotalColCount() - 1, ARow); }
void TExtStringGrid::TrimAll() { TrimRect(0, 0, TotalColCount() - 1, RowCount() - 1); }

void TExtStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor)
{
    for (int r = std::max(0, ARow1); r <= std::min(ARow2, RowCount() - 1); ++r)
        for (int c = std::max(0, ACol1); c <= std::min(ACol2, TotalColCount() - 1); ++c) SetColors(c, r, AColor);
}

void TExtStringGrid::SwapCells(TPoint FromCell, TPoint ToCell)
{
    auto inside = [&](TPoint p) { return p.X >= 0 && p.Y >= 0 && p.X < TotalColCount() && p.Y < RowCount(); };
    if (!inside(FromCell) || !inside(ToCell)) return;
    ExchangeCells(FromCell.X, FromCell.Y, ToCell.X, ToCell.Y);
}

void TExtStringGrid::SplitRowCells(int RowIndex)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || MergeCount() == 0) return;
    for (int c = 0; c < ColCount() - FixedRightCols; ++c)
        if (IsXMergedCell(c, RowIndex)) {
            const TPoint b = BaseCell(c, RowIndex);
            SplitCells(b.X, b.Y);
        }
}

void TExtStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
    if (RowIndex < 0 || RowIndex >= RowCount()) return;
    const int first = FixedCols(), last = ColCount() - 1 - FixedRightCols;
    if (last <= first) return;
    int start = first, length = 1;
    String previous = GetCellEx(first, RowIndex);
    auto close = [&] {
        if (length >= 2) MergeCells(start, RowIndex, length, 1);
    };
    for (int c = first + 1; c <= last; ++c) {
        String text = GetCellEx(c, RowIndex);
        if (text == previous && (MainMerge || ColSpanIdentical(c - 1, c))) {
            ++length;
        } else {
            close();
            start = c;
            length = 1;
        }
        previous = std::move(text);
    }
    close();
}

void TExtStringGrid::SplitAllCells()
{
    if (MergeCount() == 0) return;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < TotalColCount(); ++c)
            if (IsMergedCell(c, r)) {
                const TPoint b = BaseCell(c, r);
                SplitCells(b.X, b.Y);
            }
}

void TExtStringGrid::MergeCols(int ColIndex1, int ColIndex2, const String& Separator)
{
    const int total = TotalColCount();
    if (ColIndex1 < 0 || ColIndex2 < 0 || ColIndex1 >= total || ColIndex2 >= total || ColIndex1 == ColIndex2) return;
    TUpdateScope update(this);
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCellEx(ColIndex1, r, Trim(GetCellEx(ColIndex1, r) + Separator + GetCellEx(ColIndex2, r)));
    RemoveCols(ColIndex2, 1);
}

void TExtStringGrid::ApplyMergedColumns()
{
    for (int c = 0; c < TotalColCount(); ++c) SplitColumnCells(c);
    for (int i = 0; i < FMergedColumns->Count(); ++i) MergeColumnCells(FMergedColumns->GetInteger(i), i == 0);
}
