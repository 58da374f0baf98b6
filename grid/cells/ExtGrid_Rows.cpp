// Hidden rows: a hidden row leaves the grid for the store of hidden rows with its
// texts, records and height, and comes back at its place. Real rows count hidden rows,
// display rows do not.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"

// ---------------------------------------------------------------- moving rows in and out

void TExtStringGrid::CopyRowToItem(int DisplayRow, TGridItem* Item)
{
    Item->Items.Clear();
    const int cols = TotalColCount();
    Item->Items.Reserve(cols);
    for (int c = 0; c < cols; ++c) Item->Items.AddObject(Cells(c, DisplayRow), Objects(c, DisplayRow));
    Item->Height = RowHeights(DisplayRow);
}

void TExtStringGrid::CopyItemToRow(TGridItem* Item, int DisplayRow)
{
    for (int c = 0; c < Item->Items.Count(); ++c) {
        SetCells(c, DisplayRow, Item->Items.Strings(c));
        TObject* o = Item->Items.Objects(c);
        SetObjects(c, DisplayRow, o);
        if (auto* p = static_cast<TCellProperties*>(o)) p->OwnerRow = DisplayRow;
    }
    SetRowHeights(DisplayRow, Item->Height);
}

namespace {
// The level of rows hidden by HideRows and HideRowsEx: no filter level, so that taking
// a filter level back leaves them hidden.
constexpr int NotFiltered = -1;

// Moves row 'from' (texts, records, height) onto row 'to' of the grid; the source keeps
// copies of the record references until it is overwritten or emptied.
void MoveGridRow(TExtStringGrid* g, int from, int to, int cols)
{
    for (int c = 0; c < cols; ++c) {
        g->SetGridCell(c, to, g->GetGridCell(c, from));
        TObject* o = g->GetGridObject(c, from);
        g->SetGridObject(c, to, o);
        if (auto* p = static_cast<TCellProperties*>(o)) p->OwnerRow = to;
    }
    g->SetRowHeights(to, g->RowHeights(from));
}

void EmptyRowSlots(TExtStringGrid* g, int row, int cols)
{
    for (int c = 0; c < cols; ++c) {
        g->SetGridObject(c, row, nullptr);
        g->SetGridCell(c, row, "");
    }
}
}

void TExtStringGrid::RemoveDisplayRows(int ARow, int Count, bool DeleteControls)
{
    if (ARow < 0 || ARow >= RowCount() || Count <= 0) return;
    // Rows leaving outside an operation the undo history records end the history.
    if (FUndoRedo && FUndoRowsDepth == 0) UndoRowsLost();
    Count = std::min(Count, RowCount() - ARow);
    const int cols = TotalColCount();
    if (DeleteControls)
        for (int i = FControlList->Count() - 1; i >= 0; --i) {
            TControlItem* it = FControlList->GetControl(i);
            if (it->Y >= ARow && it->Y < ARow + Count) {
                if (it->Control) it->Control->SetVisible(false);
                FControlList->RemoveControl(i);
            }
        }
    EditedRowsShifting(ARow, -Count);
    {
        TEditedCellsMovingScope moving(this);
        for (int r = ARow; r < RowCount() - Count; ++r) MoveGridRow(this, r + Count, r, cols);
        // The rows that fall off hold references that moved up (or left for the store).
        for (int r = RowCount() - Count; r < RowCount(); ++r) EmptyRowSlots(this, r, cols);
    }
    ResizeRows(RowCount() - Count);
}

void TExtStringGrid::InsertDisplayRows(int ARow, int Count)
{
    if (Count <= 0) return;
    // Rows coming outside an operation the undo history records end the history.
    if (FUndoRedo && FUndoRowsDepth == 0) UndoRowsLost();
    if (FSelHidden) UnHideSelection();
    ARow = std::clamp(ARow, 0, RowCount());
    const int cols = TotalColCount();
    ResizeRows(RowCount() + Count);
    EditedRowsShifting(ARow, Count);
    TEditedCellsMovingScope moving(this);
    for (int r = RowCount() - 1; r >= ARow + Count; --r) MoveGridRow(this, r - Count, r, cols);
    for (int r = ARow; r < ARow + Count; ++r) {
        EmptyRowSlots(this, r, cols);
        SetRowHeights(r, DefaultRowHeight());
    }
}

// ---------------------------------------------------------------- index translation

bool TExtStringGrid::IsHiddenRow(int Rowindex) const
{
    for (auto& item : FGridItems)
        if (item->Idx == Rowindex) return true;
    return false;
}

bool TExtStringGrid::IsHiddenRow(int Rowindex, std::unique_ptr<TIntList>& ListHidden) const
{
    if (!ListHidden) ListHidden = std::make_unique<TIntList>(0, 0);
    if (ListHidden->Count() == 0)
        for (auto& item : FGridItems) ListHidden->Add(item->Idx);
    return ListHidden->HasValue(Rowindex);
}

int TExtStringGrid::DisplRowIndex(int ARow) const
{
    int below = 0;
    for (auto& item : FGridItems)
        if (item->Idx < ARow) ++below;
    return ARow - below;
}

int TExtStringGrid::RealRowIndex(int ARow) const
{
    if (FGridItems.empty() || ARow < 0) return ARow;
    std::vector<int> hidden;
    hidden.reserve(FGridItems.size());
    for (auto& item : FGridItems) hidden.push_back(item->Idx);
    std::sort(hidden.begin(), hidden.end());
    hidden.erase(std::unique(hidden.begin(), hidden.end()), hidden.end());
    // The ARow-th row that is not hidden.
    int r = ARow;
    for (int idx : hidden)
        if (idx <= r) ++r;
    return r;
}

String TExtStringGrid::GetCellsEx(int i, int j)
{
    if (i < 0 || j < 0) return String();
    for (auto& item : FGridItems)
        if (item->Idx == j) return i < item->Items.Count() ? item->Items.Strings(i) : String();
    return GetCellEx(i, DisplRowIndex(j));
}

String TExtStringGrid::GetGridCellsEx(int i, int j)
{
    if (i < 0 || j < 0) return String();
    for (auto& item : FGridItems)
        if (item->Idx == j) return i < item->Items.Count() ? item->Items.Strings(i) : String();
    return GetGridCell(i, DisplRowIndex(j));
}

// ---------------------------------------------------------------- hiding

void TExtStringGrid::HideRows(int FromRow, int ToRow)
{
    if (FromRow < 0 || ToRow < FromRow) return;
    int already = 0, before = 0;
    for (auto& item : FGridItems) {
        if (item->Idx >= FromRow && item->Idx <= ToRow) ++already;
        if (item->Idx < FromRow) ++before;
    }
    if (already == ToRow - FromRow + 1) return;
    const int d = FromRow - before;
    // The rows of the range still displayed follow each other from display row d.
    int k = 0;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (IsHiddenRow(r)) continue;
        if (d + k >= RowCount()) break;
        auto item = std::make_unique<TGridItem>();
        CopyRowToItem(d + k, item.get());
        item->Idx = r;
        item->FLevel = NotFiltered;
        auto pos = std::find_if(FGridItems.begin(), FGridItems.end(),
                                [r](const std::unique_ptr<TGridItem>& it) { return it->Idx > r; });
        FGridItems.insert(pos, std::move(item));
        ++k;
    }
    const int ci = FControlList->ControlIndex(1, d);
    if (ci >= 0 && FControlList->GetControl(ci)->Control) FControlList->GetControl(ci)->Control->SetVisible(false);
    RemoveDisplayRows(d, k, false);
    CellControlsUpdate(false);
}

void TExtStringGrid::HideRowsEx(int FromRow, int ToRow)
{
    if (FromRow < 0 || ToRow < FromRow || IsHiddenRow(FromRow)) return;
    const int d = DisplRowIndex(FromRow);
    int k = 0;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (IsHiddenRow(r)) continue;
        if (d + k >= RowCount()) break;
        auto item = std::make_unique<TGridItem>();
        CopyRowToItem(d + k, item.get());
        item->Idx = r;
        item->FLevel = NotFiltered;
        FGridItems.push_back(std::move(item));
        ++k;
    }
    RemoveDisplayRows(d, k, false);
    CellControlsUpdate(false);
}

void TExtStringGrid::HideRowList(TIntList* RowList)
{
    if (!RowList) return;
    // Rows leave the display: the undo history's row names no longer hold.
    UndoRowsLost();
    const int rows = RowCount(), cols = TotalColCount();
    std::vector<int> heights(size_t(std::max(0, rows)));
    for (int r = 0; r < rows; ++r) heights[size_t(r)] = RowHeights(r);
    std::vector<bool> hide(size_t(std::max(0, rows)), false);
    int n = 0;
    FGridItems.reserve(FGridItems.size() + size_t(RowList->Count()));
    for (int i = 0; i < RowList->Count(); ++i) {
        const int e = RowList->GetInteger(i);
        if (e < 0 || e >= rows || hide[size_t(e)]) continue;
        auto item = std::make_unique<TGridItem>();
        // The row leaves the grid: its cells move into the item whole, one line per
        // real column, no text copied. The emptied row goes with CompactRows below.
        if (cols > 0) CellSlot(cols - 1, e);
        SwapRowCells(e, item->Items);
        while (item->Items.Count() > cols) item->Items.Delete(item->Items.Count() - 1);
        item->Height = RowHeights(e);
        item->Idx = e;
        item->FLevel = FFilterLevel;
        FGridItems.push_back(std::move(item));
        hide[size_t(e)] = true;
        ++n;
    }
    ++FFilterLevel;
    // An editor of a row that stays follows it up (one of a hidden row has ended).
    if (EditedCellsOpen())
        EditedRowsRemap([&hide](int r) {
            if (r >= int(hide.size()) || hide[size_t(r)]) return -1;
            return r - int(std::count(hide.begin(), hide.begin() + r, true));
        });
    // The rows left close up in one pass over the store; records learn their new row and
    // heights follow where they differ.
    CompactRows(hide);
    int to = 0;
    for (int r = 0; r < rows; ++r) {
        if (hide[size_t(r)]) continue;
        if (to != r) {
            if (FHasCellProps)
                for (int c = 0; c < cols; ++c)
                    if (auto* p = static_cast<TCellProperties*>(GetGridObject(c, to))) p->OwnerRow = to;
            if (RowHeights(to) != heights[size_t(r)]) SetRowHeights(to, heights[size_t(r)]);
        }
        ++to;
    }
    ResizeRows(rows - n);
    CellControlsUpdate(false);
}

// ---------------------------------------------------------------- showing

void TExtStringGrid::UnHideRow(int Rowindex)
{
    const bool modified = FShowModified->Enabled;
    FShowModified->Enabled = false;
    auto it = std::find_if(FGridItems.begin(), FGridItems.end(),
                           [Rowindex](const std::unique_ptr<TGridItem>& i) { return i->Idx == Rowindex; });
    if (it != FGridItems.end()) {
        const int d = DisplRowIndex(Rowindex);
        std::unique_ptr<TGridItem> item = std::move(*it);
        FGridItems.erase(it);
        InsertDisplayRows(d, 1);
        CopyItemToRow(item.get(), d);
        for (int i = 0; i < FControlList->Count(); ++i)
            if (TControlItem* c = FControlList->GetControl(i); c->Y == Rowindex && c->Control) c->Control->SetVisible(true);
    }
    FShowModified->Enabled = modified;
    CellControlsUpdate(false);
}

void TExtStringGrid::UnHideRows(int FromRow, int ToRow)
{
    if (!IsHiddenRow(FromRow)) return;
    // One row at a time in ascending order: each lands where its real index puts it,
    // also when displayed rows lie between hidden ones.
    std::vector<int> idx;
    for (auto& item : FGridItems)
        if (item->Idx >= FromRow && item->Idx <= ToRow) idx.push_back(item->Idx);
    std::sort(idx.begin(), idx.end());
    for (int r : idx) UnHideRow(r);
}

void TExtStringGrid::UnHideRowsAll()
{
    std::vector<int> idx;
    for (auto& item : FGridItems) idx.push_back(item->Idx);
    std::sort(idx.begin(), idx.end());
    for (int r : idx) UnHideRow(r);
}

void TExtStringGrid::UnHideRowList()
{
    // Rows come back into the display: the undo history's row names no longer hold.
    UndoRowsLost();
    const int level = FFilterLevel - 1;
    int n = 0;
    for (auto& item : FGridItems)
        if (item->FLevel == level) ++n;
    if (Row() >= RowCount()) FocusCell(FixedCols(), FixedRows(), true);
    const int oldRows = RowCount(), cols = TotalColCount();
    ResizeRows(oldRows + n);
    int t = RowCount() - 1;
    if (FFloatingFooter->Visible && t > 0) --t;
    int s = oldRows - 1;
    if (FFloatingFooter->Visible && s > 0) --s;
    int k = int(FGridItems.size()) - 1;
    auto nextItem = [&] {
        while (k >= 0 && FGridItems[size_t(k)]->FLevel != level) --k;
    };
    nextItem();
    if (EditedCellsOpen()) {
        // Where each displayed row goes, by the walk below without its moves.
        std::vector<int> to(size_t(std::max(0, oldRows)));
        for (size_t r = 0; r < to.size(); ++r) to[r] = int(r);
        for (int tt = t, ss = s, kk = k; tt >= 0; --tt) {
            if (kk >= 0 && FGridItems[size_t(kk)]->Idx == tt) {
                for (--kk; kk >= 0 && FGridItems[size_t(kk)]->FLevel != level;) --kk;
            } else {
                if (ss >= 0) to[size_t(ss)] = tt;
                --ss;
            }
        }
        EditedRowsRemap([&to](int r) { return r < int(to.size()) ? to[size_t(r)] : r; });
    }
    TEditedCellsMovingScope moving(this);
    for (; t >= 0; --t) {
        if (k >= 0 && FGridItems[size_t(k)]->Idx == t) {
            CopyItemToRow(FGridItems[size_t(k)].get(), t);
            --k;
            nextItem();
        } else {
            if (s < t && s >= 0) MoveGridRow(this, s, t, cols);
            --s;
        }
    }
    // Only the level's own rows leave the store: rows hidden by hand (or by contracted
    // nodes) stay hidden.
    FGridItems.erase(std::remove_if(FGridItems.begin(), FGridItems.end(),
                                    [level](const std::unique_ptr<TGridItem>& i) { return i->FLevel == level; }),
                     FGridItems.end());
    CellControlsUpdate(false);
}
