// Sorting from the header: a release on a header cell of the sort row sorts by that
// column; a further release on the sorted column reverses the direction (or, with
// UndoSort, brings back the order from before the first sort). With IndexShow the
// clicks build a list of sort columns: the index key (Shift or Ctrl) adds a column or
// reverses a listed one, a plain click starts the list again.
#include <chrono>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"

bool TExtStringGrid::HeaderClickSort(TShiftState Shift, int X, int Y, int ACol, int ARow)
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
    if (ARow != FSortSettings->Row() || downRow != ARow || FixedRows() <= 0 || !FSortSettings->Show() ||
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
    if (FSortCross->Count() != RowCount()) InitSortXRef();
    // Merged columns are merged again over the sorted rows.
    const bool remerge = FSortSettings->AutoColumnMerge;
    if (remerge)
        for (int c = 0; c < TotalColCount(); ++c)
            if (!IsHiddenColumn(c)) SplitColumnCells(c);

    // A failed sort leaves the settings as they were, like the rows.
    const int oldColumn = FSortSettings->Column;
    const TSortDirection oldDirection = FSortSettings->Direction;
    const std::vector<int> oldIndexes = FSortIndexes->Items();
    const auto start = std::chrono::steady_clock::now();
    const bool keepLeft = FNavigation->KeepHorizScroll && Options().Contains(goRowSelect);
    const int left = LeftCol();
    if (keepLeft) BeginUpdate();
    try {
        if (FSortSettings->IndexShow) {
            const bool keyDown = FSortSettings->IndexSortKey == ikShift ? Shift.Contains(ssShift)
                                                                        : Shift.Contains(ssCtrl);
            const bool initAscending = FSortSettings->InitSortDirection == sdAscending;
            const int at = FSortIndexes->FindIndex(rc);
            if (keyDown) {
                if (at < 0) FSortIndexes->AddIndex(rc, initAscending);
                else FSortIndexes->ToggleIndex(rc);
            } else if (FSortIndexes->Count() == 1 && at == 0) {
                FSortIndexes->ToggleIndex(rc);
            } else {
                FSortIndexes->Clear();
                FSortIndexes->AddIndex(rc, initAscending);
            }
            // In a grid of nodes the rows are sorted inside their groups.
            if (HasNodes()) QSortGroupIndexed();
            else QSortIndexed();
            FSortSettings->Column = FSortIndexes->Count() > 0 ? FSortIndexes->GetSortColumns(0) : -1;
        } else if (FSortSettings->Column == rc) {
            const TSortDirection before = FSortSettings->Direction;
            FSortSettings->ToggleDirection();
            if (FSortSettings->UndoSort && before != FSortSettings->InitSortDirection) {
                QUnSort();
                FSortSettings->Column = -1;
            } else if (HasNodes()) {
                QSortGroup();
            } else {
                QSort();
            }
        } else {
            FSortSettings->Direction = FSortSettings->InitSortDirection;
            FSortSettings->Column = rc;
            if (HasNodes()) QSortGroup();
            else QSort();
        }
    } catch (...) {
        FSortSettings->Column = oldColumn;
        FSortSettings->Direction = oldDirection;
        FSortIndexes->Clear();
        for (int v : oldIndexes) FSortIndexes->Add(v);
        if (keepLeft) EndUpdate();
        if (remerge)
            for (int i = 0; i < FMergedColumns->Count(); ++i) MergeColumnCells(FMergedColumns->GetInteger(i), i == 0);
        throw;
    }
    if (keepLeft) {
        SetLeftCol(left);
        EndUpdate();
    }
    SortTime = unsigned(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    if (remerge)
        for (int i = 0; i < FMergedColumns->Count(); ++i) MergeColumnCells(FMergedColumns->GetInteger(i), i == 0);
    if (FControlList->Count() > 0) CellControlsUpdate(false);
    // The header shows the new glyph.
    if (FixedRows() > 0) RepaintRow(FixedRows() - 1);
    FireClickSort(FSortSettings->Column);
    return true;
}
