// Rows and columns inserted into and removed from the grid with the side data that
// follows them: cell records, heights and widths, hidden columns, the indexes of
// hidden rows, modified and enabled row marks and the controls placed in cells.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/undo/GridUndoRedo.h"
#include "grid/util/GridSupport.h"

namespace {
// Per-row flag lists (modified, enabled) hold one entry per display row: rows inserted
// get cleared entries, rows removed take theirs along; a list that ends above the
// place is left alone.
void InsertRowFlags(TIntList* List, int At, int Count)
{
    if (!List || At >= List->Count()) return;
    for (int k = 0; k < Count; ++k) List->Insert(At, 0);
}

void DeleteRowFlags(TIntList* List, int At, int Count)
{
    if (!List) return;
    for (int k = 0; k < Count && At < List->Count(); ++k) List->Delete(At);
}

// Restores the update counter on every way out.
struct TUpdateScope {
    TExtStringGrid* Grid;
    explicit TUpdateScope(TExtStringGrid* g) : Grid(g) { g->BeginUpdate(); }
    ~TUpdateScope() { Grid->EndUpdate(); }
};
}

bool TExtStringGrid::CanInsertRows(int RowIndex, int RCount) const
{
    return RCount > 0 && RowIndex >= 0 && RowIndex <= RowCount();
}

bool TExtStringGrid::CanRemoveRows(int RowIndex, int RCount) const
{
    return RCount > 0 && RowIndex >= 0 && RowIndex + RCount <= RowCount();
}

void TExtStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    // An index outside the grid changes nothing at all (no partial shift of side data).
    if (!CanInsertRows(RowIndex, RCount)) return;
    // The floating footer's row stays the last row: rows asked for below it go above it.
    RowIndex = std::min(RowIndex, std::max(0, RowCount() - FixedFooters));
    // The insertion is a step of the linked undo history.
    TUndoRowsScope undoStep(this, TUndoRowChange::rcInsert, RowIndex, RCount);
    const int real = RealRowIndex(RowIndex);
    {
        TUpdateScope update(this);
        InsertDisplayRows(RowIndex, RCount);
        // Grouped rows remember their order before grouping.
        if (FGroupOriginKept) GroupOriginInsert(real, RCount);
        // Hidden rows at or below the new ones keep their places among the displayed rows.
        for (auto& item : FGridItems)
            if (item->Idx >= real) item->Idx += RCount;
        InsertRowFlags(FModifiedRows.get(), RowIndex, RCount);
        InsertRowFlags(FEnabledRows.get(), RowIndex, RCount);
        FMaxRowCount = std::max(FMaxRowCount, RowCount());
        if (UpdateCellControls && FControlList->Count() > 0) {
            for (int i = 0; i < FControlList->Count(); ++i)
                if (TControlItem* it = FControlList->GetControl(i); it->Y >= real) it->Y += RCount;
            CellControlsUpdate(false);
        }
    }
    if (!FGridDestroying) CellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TExtStringGrid::RemoveRows(int RowIndex, int RCount)
{
    // A range that is not wholly in the grid removes nothing.
    if (!CanRemoveRows(RowIndex, RCount)) return;
    // The removal is a step of the linked undo history, which keeps the rows' cells.
    TUndoRowsScope undoStep(this, TUndoRowChange::rcRemove, RowIndex, RCount);
    // The real rows that go, in order; a hidden row between them stays and moves up by
    // the number of removed rows above it.
    std::vector<int> gone;
    for (int k = 0; k < RCount; ++k) gone.push_back(RealRowIndex(RowIndex + k));
    auto removedAbove = [&](int idx) {
        return int(std::lower_bound(gone.begin(), gone.end(), idx) - gone.begin());
    };
    const int oldRow = Row(), oldTop = TopRow();
    {
        TUpdateScope update(this);
        for (int i = FControlList->Count() - 1; i >= 0; --i) {
            TControlItem* it = FControlList->GetControl(i);
            if (std::binary_search(gone.begin(), gone.end(), it->Y)) {
                if (it->Control) it->Control->SetVisible(false);
                FControlList->RemoveControl(i);
            } else {
                it->Y -= removedAbove(it->Y);
            }
        }
        const int cols = TotalColCount();
        for (int r = RowIndex; r < RowIndex + RCount; ++r)
            for (int c = 0; c < cols; ++c) FreeCellPropsAt(c, r);
        for (auto& item : FGridItems) item->Idx -= removedAbove(item->Idx);
        // Grouped rows remember their order before grouping.
        if (FGroupOriginKept)
            for (auto g = gone.rbegin(); g != gone.rend(); ++g) GroupOriginRemove(*g, 1);
        DeleteRowFlags(FModifiedRows.get(), RowIndex, RCount);
        DeleteRowFlags(FEnabledRows.get(), RowIndex, RCount);
        if (FMouseActions->DisjunctRowSelect())
            for (int k = 0; k < RCount && RowIndex < int(FRowSelect.size()); ++k)
                FRowSelect.erase(FRowSelect.begin() + RowIndex);
        RemoveDisplayRows(RowIndex, RCount, false);
        FMaxRowCount = std::max(0, FMaxRowCount - RCount);
        const int lastData = RowCount() - 1 - FixedFooters;
        // An open special editor took the current cell along with its cell.
        const int keepRow = FEditActive ? Row() : oldRow;
        if (lastData >= FixedRows()) {
            if (keepRow <= lastData) {
                if (!FMouseActions->DisjunctRowSelect() && keepRow >= FixedRows()) SetRow(keepRow);
                if (oldTop < RowCount()) SetTopRow(std::max(FixedRows(), oldTop));
            } else {
                SetRow(lastData);
            }
        } else {
            HideSelection();
        }
    }
    CellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
    if (FControlList->Count() > 0) CellControlsUpdate(false);
}

// ---------------------------------------------------------------- columns

namespace {
// One real column's place in the display: shown or hidden, and its width.
struct TColumnSlot {
    bool Visible = true;
    int Width = 0;
};
}

void TExtStringGrid::InsertCols(int ColIndex, int CCount)
{
    const int total = TotalColCount();
    if (CCount <= 0 || ColIndex < 0 || ColIndex > total) return;
    // Cells change columns: the undo history's cell names no longer hold.
    UndoRowsLost();
    std::vector<TColumnSlot> slots(static_cast<size_t>(total));
    for (int c = 0; c < total; ++c)
        slots[size_t(c)] = {c >= MaxColumnMap || FVisibleCol[c], GetAllColWidths(c)};
    slots.insert(slots.begin() + ColIndex, size_t(CCount), TColumnSlot{true, DefaultColWidth()});
    const int rows = RowCount();
    EditedColsShifting(ColIndex, CCount);
    TEditedCellsMovingScope moving(this);
    // Cells move right from the last real column down to the insertion point.
    SetColCount(ColCount() + CCount);
    for (int r = 0; r < rows; ++r) {
        for (int c = total - 1; c >= ColIndex; --c) {
            // A copy: writing the cell may grow the row's store under a reference into it.
            const String text = GetGridCell(c, r);
            SetGridCell(c + CCount, r, text);
            TObject* o = GetGridObject(c, r);
            SetGridObject(c + CCount, r, o);
            if (auto* p = static_cast<TCellProperties*>(o)) p->OwnerCol = c + CCount;
        }
        for (int c = ColIndex; c < ColIndex + CCount; ++c) {
            SetGridObject(c, r, nullptr);
            SetGridCell(c, r, "");
        }
    }
    for (auto& item : FGridItems)
        for (int k = 0; k < CCount; ++k)
            if (ColIndex <= item->Items.Count()) item->Items.InsertObject(ColIndex, "", nullptr);
    int shown = 0;
    for (size_t c = 0; c < slots.size(); ++c) {
        if (int(c) < MaxColumnMap) {
            FVisibleCol[c] = slots[c].Visible;
            FAllColWidths[c] = std::int16_t(std::clamp(slots[c].Width, 0, 32767));
        }
        if (slots[c].Visible) SetColWidths(shown++, slots[c].Width);
    }
}

void TExtStringGrid::RemoveCols(int ColIndex, int CCount)
{
    const int total = TotalColCount();
    if (ColIndex < 0 || ColIndex >= total || CCount <= 0) return;
    // Cells change columns: the undo history's cell names no longer hold.
    UndoRowsLost();
    CCount = std::min(CCount, total - ColIndex);
    std::vector<TColumnSlot> slots(static_cast<size_t>(total));
    for (int c = 0; c < total; ++c)
        slots[size_t(c)] = {c >= MaxColumnMap || FVisibleCol[c], GetAllColWidths(c)};
    int hiddenGone = 0;
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (!slots[size_t(c)].Visible) ++hiddenGone;
    slots.erase(slots.begin() + ColIndex, slots.begin() + ColIndex + CCount);
    const int rows = RowCount();
    EditedColsShifting(ColIndex, -CCount);
    TEditedCellsMovingScope moving(this);
    for (int r = 0; r < rows; ++r) {
        for (int c = ColIndex; c < ColIndex + CCount; ++c) FreeCellPropsAt(c, r);
        for (int c = ColIndex; c + CCount < total; ++c) {
            SetGridCell(c, r, GetGridCell(c + CCount, r));
            TObject* o = GetGridObject(c + CCount, r);
            SetGridObject(c, r, o);
            if (auto* p = static_cast<TCellProperties*>(o)) p->OwnerCol = c;
        }
        for (int c = std::max(ColIndex, total - CCount); c < total; ++c) {
            SetGridObject(c, r, nullptr);
            SetGridCell(c, r, "");
        }
    }
    for (auto& item : FGridItems)
        for (int k = 0; k < CCount && ColIndex < item->Items.Count(); ++k) {
            DeleteCellProperties(static_cast<TCellProperties*>(item->Items.Objects(ColIndex)));
            item->Items.Delete(ColIndex);
        }
    FNumHidden -= hiddenGone;
    for (int c = 0; c < MaxColumnMap; ++c) FVisibleCol[c] = true;
    int shown = 0;
    for (size_t c = 0; c < slots.size(); ++c) {
        if (int(c) < MaxColumnMap) {
            FVisibleCol[c] = slots[c].Visible;
            FAllColWidths[c] = std::int16_t(std::clamp(slots[c].Width, 0, 32767));
        }
        if (slots[c].Visible) ++shown;
    }
    SetColCount(std::max(1, shown));
    shown = 0;
    for (const TColumnSlot& s : slots)
        if (s.Visible) SetColWidths(shown++, s.Width);
    if (Col() >= ColCount()) SetCol(ColCount() - 1);
    CellsChanged(TRect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
}
