// Selecting rows, columns and ranges by code, the selected cells as text, and whether a
// cell lies in the selection.
#include <algorithm>
#include <vector>

#include "grid/core/ExtGrid.h"
#include "grid/dragdrop/DragDropSettings.h"
#include "grid/util/GridSupport.h"
#include "grid/util/GridTextUtils.h"

void TExtStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    SetRow(ToRow);
    SetCol(ToCol);
    SetSelection(TGridRect(FromCol, FromRow, ToCol, ToRow));
}

// No event fires: the current row changes without notification.
void TExtStringGrid::SelectRows(int RowIndex, int RCount)
{
    if (RowIndex + RCount > RowCount()) RCount = RowCount() - RowIndex;
    if (RCount < 1 || RowIndex < 0) return;
    if (!FMouseActions->DisjunctRowSelect()) {
        SetSelection(TGridRect(FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1));
    } else {
        for (int r = RowIndex; r < RowIndex + RCount; ++r) {
            const int rr = FMouseActions->RowSelectPersistent ? RealRowIndex(r) : r;
            if (r < RowCount()) SetRowSelect(rr, true);
        }
    }
}

void TExtStringGrid::SelectCols(int ColIndex, int CCount)
{
    if (CCount < 1) return;
    SetSelection(TGridRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1));
}

bool TExtStringGrid::IsSelected(int ACol, int ARow)
{
    if (ARow < FixedRows() || ACol < FixedCols()) return false;
    if (FMouseActions->DisjunctCellSelect()) return GetSelectedCells(ACol, ARow);
    if (FMouseActions->DisjunctRowSelect())
        return GetRowSelect(FMouseActions->RowSelectPersistent ? RealRowIndex(ARow) : ARow);
    const TGridRect s = Selection();
    return ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom;
}

String TExtStringGrid::SelectedText()
{
    TGridRect R = Selection();
    if (Options().Contains(goRowSelect) && FDragDropSettings->OleEntireRows) {
        R.Left = 0;
        R.Right = ColCount() - 1;
    }
    // The rows: every selected row of a disjunct selection, wherever the rectangle is.
    std::vector<int> rows;
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (GetRowSelect(FMouseActions->RowSelectPersistent ? RealRowIndex(r) : r)) rows.push_back(r);
    } else {
        for (int r = R.Top; r <= R.Bottom && r < RowCount(); ++r) rows.push_back(r);
    }
    String out;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i) out += "\r\n";
        for (int c = R.Left; c <= R.Right && c < ColCount(); ++c) {
            if (c > R.Left) out += '\t';
            String s = GetGridCell(RealColIndex(c), rows[i]);
            // Rich text goes out as the text it shows.
            if (s.find("{\\") != String::npos) s = RichTextToPlainText(s);
            // A spreadsheet reads a cell of several lines as one quoted field with
            // vertical tabs for its line breaks. The cell's line breaks count whether
            // the grid shows them or not: left in, they would start a new row.
            if (ExcelClipboardFormat && LineCount(s, true) > 1) s = LineBreaksToVTabQuoted(s);
            out += s;
        }
    }
    return out;
}

// ---------------------------------------------------------------- disjunct rows and columns

void TExtStringGrid::UnSelectRows(int RowIndex, int RCount)
{
    if (FMouseActions->DisjunctRowSelect())
        for (int r = RowIndex; r < RowIndex + RCount; ++r) {
            if (r < 0 || r >= RowCount()) continue;
            const int rr = FMouseActions->RowSelectPersistent ? RealRowIndex(r) : r;
            if (rr < RowCount()) SetRowSelect(rr, false);
        }
    FSelChange = false;
}

bool TExtStringGrid::GetColSelect(int ACol)
{
    if (ACol < 0 || ACol >= ColCount()) throw EExtGridError("Invalid column accessed");
    if (FColSelect.size() <= size_t(ACol)) FColSelect.resize(size_t(ACol) + 1, false);
    return FColSelect[size_t(ACol)];
}

void TExtStringGrid::SetColSelect(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= ColCount()) throw EExtGridError("Invalid column accessed");
    if (FColSelect.size() <= size_t(ACol)) FColSelect.resize(size_t(ACol) + 1, false);
    if (FColSelect[size_t(ACol)] != Value) RepaintCol(ACol);
    FColSelect[size_t(ACol)] = Value;
}

void TExtStringGrid::UnSelectCols(int ColIndex, int CCount)
{
    if (!FMouseActions->DisjunctColSelect()) return;
    for (int c = ColIndex; c < ColIndex + CCount; ++c)
        if (c >= 0 && c < ColCount()) SetColSelect(c, false);
}

void TExtStringGrid::ClearRowSelect()
{
    for (size_t r = 0; r < FRowSelect.size(); ++r)
        if (FRowSelect[r]) {
            if (int(r) < RowCount()) InvalidateRow(int(r));
            FRowSelect[r] = false;
        }
    FSelectedRows->Clear();
}

void TExtStringGrid::ClearColSelect()
{
    for (size_t c = 0; c < FColSelect.size(); ++c)
        if (FColSelect[c]) {
            if (int(c) < ColCount()) RepaintCol(int(c));
            FColSelect[c] = false;
        }
}

void TExtStringGrid::SelectionToColSelect(bool DeselectOthers)
{
    const TGridRect s = Selection();
    for (int c = FixedCols(); c < ColCount(); ++c) {
        const bool inside = c >= s.Left && c <= s.Right;
        if (inside || DeselectOthers) SetColSelect(c, inside);
    }
}

int TExtStringGrid::RowSelectCount()
{
    if (!FMouseActions->DisjunctRowSelect()) return Selection().Bottom - Selection().Top + 1;
    const size_t n = std::min(FRowSelect.size(), size_t(RowCount() + NumHiddenRows()));
    int count = 0;
    for (size_t r = 0; r < n; ++r) count += FRowSelect[r];
    return count;
}

int TExtStringGrid::ColSelectCount()
{
    if (!FMouseActions->DisjunctColSelect()) return Selection().Right - Selection().Left + 1;
    int count = 0;
    for (bool b : FColSelect) count += b;
    return count;
}

int TExtStringGrid::SelectedRowCount()
{
    if (!FMouseActions->DisjunctRowSelect()) {
        // A merged cell at the selection's edge counts with its whole span.
        TGridRect R = Selection();
        if (R.Bottom >= RowCount() - FixedFooters) R.Bottom = RowCount() - FixedFooters - 1;
        const int left = RealColIndex(R.Left);
        if (IsMergedCell(left, R.Top)) {
            const int y = CellSpan(left, R.Top).Y;
            return R.Top + y > R.Bottom ? y + 1 : R.Bottom - R.Top + 1;
        }
        if (IsMergedCell(left, R.Bottom)) return R.Bottom - R.Top + 1 + CellSpan(left, R.Bottom).Y;
        return R.Bottom - R.Top + 1;
    }
    int count = 0;
    for (size_t r = size_t(FixedRows()); r < FRowSelect.size(); ++r) count += FRowSelect[r];
    return count;
}

int TExtStringGrid::SelectedColCount()
{
    // With disjunct columns: every column the flag list has an entry for, selected or not.
    if (FMouseActions->DisjunctColSelect()) return int(FColSelect.size());
    const TGridRect R = Selection();
    const int left = RealColIndex(R.Left), right = RealColIndex(R.Right);
    if (IsMergedCell(left, R.Top)) {
        const int x = CellSpan(left, R.Top).X;
        return R.Left + x > R.Right ? x + 1 : R.Right - R.Left + 1;
    }
    if (IsMergedCell(right, R.Top)) return R.Right - R.Left + 1 + CellSpan(right, R.Top).X;
    return R.Right - R.Left + 1;
}

int TExtStringGrid::GetSelectedRow(int i)
{
    if (!FMouseActions->DisjunctRowSelect()) {
        const TGridRect s = Selection();
        return s.Top + i <= s.Bottom ? s.Top + i : -1;
    }
    for (size_t r = size_t(FixedRows()); r < FRowSelect.size(); ++r)
        if (FRowSelect[r] && i-- == 0) return int(r);
    return -1;
}

// ---------------------------------------------------------------- disjunct cells

bool TExtStringGrid::GetSelectedCells(int ACol, int ARow)
{
    return FSelectedCells->HasValue(ARow * 65536 + ACol);
}

void TExtStringGrid::SetSelectedCells(int ACol, int ARow, bool Value)
{
    const int key = ARow * 65536 + ACol;
    if (Value && !FSelectedCells->HasValue(key)) FSelectedCells->Add(key);
    if (!Value) FSelectedCells->DeleteValue(key);
    RepaintCell(ACol, ARow);
}

int TExtStringGrid::SelectedCellsCount()
{
    if (FMouseActions->DisjunctCellSelect()) return FSelectedCells->Count();
    // Without a list of its own the selection rectangle is the list, built afresh for
    // GetSelectedCell: column by column, each from top to bottom.
    FSelectedCells->Clear();
    const TGridRect R = Selection();
    if (R.Left == R.Right && R.Top == R.Bottom) {
        FSelectedCells->Add(Row() * 65536 + Col());
    } else {
        for (int c = R.Left; c <= R.Right; ++c)
            for (int r = R.Top; r <= R.Bottom; ++r) FSelectedCells->Add(r * 65536 + c);
    }
    return FSelectedCells->Count();
}

TGridCoord TExtStringGrid::GetSelectedCell(int i)
{
    const int key = FSelectedCells->GetInteger(i);
    return TGridCoord(key & 0xFFFF, (key >> 16) & 0xFFFF);
}

void TExtStringGrid::ClearSelectedCells()
{
    SetSelection(TGridRect(FixedCols(), FixedRows(), FixedCols(), FixedRows()));
    FSelectedCells->Clear();
    Invalidate();
}

// ---------------------------------------------------------------- modified and enabled rows

int TExtStringGrid::ModifiedRowCount()
{
    int n = 0;
    for (int i = 0; i < FModifiedRows->Count(); ++i) n += FModifiedRows->GetInteger(i) == 1;
    return n;
}

bool TExtStringGrid::GetRowModified(int ARow)
{
    return ARow >= 0 && ARow < FModifiedRows->Count() && FModifiedRows->GetInteger(ARow) == 1;
}

void TExtStringGrid::SetRowModified(int ARow, bool Value)
{
    if (ARow < 0) return;
    while (FModifiedRows->Count() <= ARow) FModifiedRows->Insert(FModifiedRows->Count(), 0);
    FModifiedRows->SetInteger(ARow, Value ? 1 : 0);
    if (ARow < RowCount()) RepaintCell(0, ARow);
}

void TExtStringGrid::ClearModifiedRows()
{
    FModifiedRows->Clear();
    Invalidate();
}

bool TExtStringGrid::GetRowEnabled(int ARow)
{
    return !(ARow >= 0 && ARow < FEnabledRows->Count() && FEnabledRows->GetInteger(ARow) == 1);
}

void TExtStringGrid::SetRowEnabled(int ARow, bool Value)
{
    if (ARow < 0) return;
    // A disabled row cannot hold the current cell: it moves to the first enabled other
    // row, and stays when there is none.
    if (!Value && ARow == Row())
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (r != ARow && GetRowEnabled(r)) {
                SetRow(r);
                break;
            }
    FUseEnabledRows = true;
    while (FEnabledRows->Count() <= ARow) FEnabledRows->Insert(FEnabledRows->Count(), 0);
    FEnabledRows->SetInteger(ARow, Value ? 0 : 1);
    if (ARow < RowCount()) InvalidateRow(ARow);
}

// ---------------------------------------------------------------- moving the current cell

void TExtStringGrid::GotoCell(int ACol, int ARow)
{
    SetRow(ARow);
    SetCol(ACol);
}

void TExtStringGrid::EditCell(int ACol, int ARow)
{
    if (CanFocus()) SetFocus();
    GotoCell(ACol, ARow);
    ShowInplaceEdit();
}

void TExtStringGrid::RepaintRect(const TRect& R)
{
    if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0) return;
    const TRect a = CellRect(R.Left, R.Top);
    const TRect b = CellRect(std::min(R.Right, VisibleColCount() + FixedCols()), R.Bottom);
    if (a.Width() <= 0 || b.Width() <= 0) {
        Invalidate();
        return;
    }
    InvalidateRect(TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                         std::max(a.Bottom, b.Bottom)));
}
