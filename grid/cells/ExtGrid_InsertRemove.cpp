// Rows and columns inserted into and removed from the grid with the side data that
// follows them: cell records, heights and widths, hidden columns, the indexes of
// hidden rows, modified and enabled row marks and the controls placed in cells.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/undo/GridUndoRedo.h"
#include "grid/util/GridSupport.h"

namespace {
// Row marks kept as lists of row numbers: rows at or below From move by Delta; with
// Delta < 0 the marks of the rows taken out go.
void ShiftRowMarks(TIntList* List, int From, int Delta)
{
    if (!List) return;
    for (int i = List->Count() - 1; i >= 0; --i) {
        const int v = List->GetInteger(i);
        if (Delta < 0 && v >= From && v < From - Delta) List->Delete(i);
        else if (v >= From) List->SetInteger(i, v + Delta);
    }
}
}

void TExtStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
    if (RCount <= 0 || RowIndex < 0) return;
    // The insertion is a step of the linked undo history.
    TUndoRowsScope undoStep(this, TUndoRowChange::rcInsert, std::min(RowIndex, RowCount()), RCount);
    const int real = RealRowIndex(RowIndex);
    InsertDisplayRows(RowIndex, RCount);
    // Grouped rows remember their order before grouping.
    if (FGroupOriginKept) GroupOriginInsert(real, RCount);
    // Hidden rows below the new ones keep their places among the displayed rows.
    for (auto& item : FGridItems)
        if (item->Idx >= real) item->Idx += RCount;
    ShiftRowMarks(FModifiedRows.get(), real, RCount);
    ShiftRowMarks(FEnabledRows.get(), real, RCount);
    if (UpdateCellControls && FControlList->Count() > 0) {
        for (int i = 0; i < FControlList->Count(); ++i)
            if (TControlItem* it = FControlList->GetControl(i); it->Y >= real) it->Y += RCount;
        CellControlsUpdate(false);
    }
    if (!FGridDestroying) CellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TExtStringGrid::RemoveRows(int RowIndex, int RCount)
{
    if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
    RCount = std::min(RCount, RowCount() - RowIndex);
    // The removal is a step of the linked undo history, which keeps the rows' cells.
    TUndoRowsScope undoStep(this, TUndoRowChange::rcRemove, RowIndex, RCount);
    const int real = RealRowIndex(RowIndex);
    for (int i = FControlList->Count() - 1; i >= 0; --i) {
        TControlItem* it = FControlList->GetControl(i);
        if (it->Y >= real && it->Y < real + RCount) {
            if (it->Control) it->Control->SetVisible(false);
            FControlList->RemoveControl(i);
        } else if (it->Y >= real + RCount) {
            it->Y -= RCount;
        }
    }
    const int cols = TotalColCount();
    for (int r = RowIndex; r < RowIndex + RCount; ++r)
        for (int c = 0; c < cols; ++c) FreeCellPropsAt(c, r);
    for (auto& item : FGridItems)
        if (item->Idx > real) item->Idx -= RCount;
    ShiftRowMarks(FModifiedRows.get(), real, -RCount);
    ShiftRowMarks(FEnabledRows.get(), real, -RCount);
    // Grouped rows remember their order before grouping.
    if (FGroupOriginKept) GroupOriginRemove(real, RCount);
    if (FMouseActions->DisjunctRowSelect())
        for (int r = RowIndex; r < RowIndex + RCount && RowIndex < int(FRowSelect.size()); ++r)
            FRowSelect.erase(FRowSelect.begin() + RowIndex);
    BeginUpdate();
    const int oldRow = Row(), oldTop = TopRow();
    RemoveDisplayRows(RowIndex, RCount, false);
    FMaxRowCount = std::max(0, FMaxRowCount - RCount);
    const int lastData = RowCount() - 1 - FixedFooters;
    if (lastData >= FixedRows()) {
        if (oldRow <= lastData) {
            if (!FMouseActions->DisjunctRowSelect() && oldRow >= FixedRows()) SetRow(oldRow);
            if (oldTop < RowCount()) SetTopRow(std::max(FixedRows(), oldTop));
        } else {
            SetRow(lastData);
        }
    } else {
        HideSelection();
    }
    EndUpdate();
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
