// The feature grid's size and frame: row and column counts, fixed rows and columns that
// stay fixed when the grid has no other rows, the sizes of fixed rows and columns,
// word wrap, and the header lists shown in row 0 and column 0.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridTextUtils.h"

// ---------------------------------------------------------------- counts

void TExtStringGrid::SetRowCount(int Value)
{
    // The floating footer is the last row and stays the last row: its texts, records and
    // calculation settings move to the new last row, and the row it leaves is emptied.
    const int oldCount = RowCount();
    const bool keepFooter = FFloatingFooter && FFloatingFooter->Visible && Value != oldCount && oldCount > 0;
    if (!keepFooter) {
        ResizeRows(Value);
        return;
    }
    TGridItem footer;
    CopyRowToItem(oldCount - 1, &footer);
    for (int c = 0; c < TotalColCount(); ++c) {
        SetGridObject(c, oldCount - 1, nullptr);
        SetGridCell(c, oldCount - 1, "");
    }
    ResizeRows(Value);
    const int last = RowCount() - 1;
    for (int c = 0; c < TotalColCount(); ++c) FreeCellPropsAt(c, last);
    CopyItemToRow(&footer, last);
    CalcFooter(-1);
}

void TExtStringGrid::ResizeRows(int Value)
{
    if (RowCount() == FixedRows() && FixedRowAlways && FSelHidden) UnHideSelection();
    TBaseGrid::SetRowCount(Value);
    // The fixed rows asked for come back as soon as there are rows besides them.
    if (FixedRowAlways && RowCount() > FMinFixedRows && TBaseGrid::FixedRows() != FMinFixedRows)
        TBaseGrid::SetFixedRows(FMinFixedRows);
    FMaxRowCount = std::max(FMaxRowCount, Value);
    FNormalRowCount = Value;
    if (FFooterPanel) FFooterPanel->Invalidate();
    if (FFloatingFooter && FFloatingFooter->Visible) CalcFooter(-1);
    ApplyScrollBarAlways(false);
}

void TExtStringGrid::SetColCount(int Value)
{
    TBaseGrid::SetColCount(Value);
    if (FixedColAlways && ColCount() > FMinFixedCols && TBaseGrid::FixedCols() != FMinFixedCols)
        TBaseGrid::SetFixedCols(FMinFixedCols);
    FMaxColCount = std::max(FMaxColCount, Value);
    if (FFooterPanel) FFooterPanel->Invalidate();
    // The resize handling (column stretching included) runs again.
    if (FColumnSize && FColumnSize->Stretch() && Parent() && !FLoading && !FGridDestroying && ColCount() > 0)
        ApplyColumnStretch(FColumnSize->StretchColumn);
    ApplyScrollBarAlways(false);
}



int TExtStringGrid::FixedRows() const
{
    const int n = TBaseGrid::FixedRows();
    return n == 0 && FixedRowAlways ? 1 : n;
}

int TExtStringGrid::FixedCols() const
{
    const int n = TBaseGrid::FixedCols();
    return n == 0 && FixedColAlways ? 1 : n;
}

void TExtStringGrid::SetFixedRows(int Value)
{
    int applied = Value;
    if (Value >= RowCount() && FixedRowAlways) applied = RowCount() - 1;
    TBaseGrid::SetFixedRows(applied);
    if (!FLoading) FMinFixedRows = Value;
}

void TExtStringGrid::SetFixedCols(int Value)
{
    int applied = Value;
    if (Value >= ColCount() && FixedColAlways) applied = ColCount() - 1;
    TBaseGrid::SetFixedCols(applied);
    if (!FLoading) FMinFixedCols = Value;
}

// ---------------------------------------------------------------- sizes

void TExtStringGrid::SetFixedRowHeight(int Value)
{
    FFixedRowHeight = Value;
    if (FLoading) return;
    if (Value == DefaultRowHeight()) {
        TBaseGrid::SetDefaultRowHeight(Value);
        return;
    }
    for (int r = 0; r < TBaseGrid::FixedRows() && r < RowCount(); ++r) SetRowHeights(r, Value);
}

void TExtStringGrid::SetFixedColWidth(int Value)
{
    if (FLoading || Value == DefaultColWidth()) return;
    for (int c = 0; c < TBaseGrid::FixedCols() && c < ColCount(); ++c) SetColWidths(c, Value);
}


void TExtStringGrid::SetDefaultRowHeight(int Value)
{
    TBaseGrid::SetDefaultRowHeight(Value);
    if (FFooterPanel && FFloatingFooter && FFloatingFooter->Visible) FFooterPanel->SetHeight(Value);
}

void TExtStringGrid::SetWordWrap(bool Value)
{
    FWordWrapEx = Value;
    TBaseGrid::SetWordWrap(Value);
    if (FUpdateCount == 0) Invalidate();
}

void TExtStringGrid::SetCol(int Value)
{
    TBaseGrid::SetCol(Value);
    if (FSyncGrid && FSyncGrid->Grid() && FSyncGrid->SelectionColumn) FSyncGrid->Grid()->SetCol(Col());
}

// ---------------------------------------------------------------- headers

void TExtStringGrid::SetColumnHeaders(const TStringList* Value)
{
    FColumnHeaders->Assign(*Value);
    if (FixedRows() > 0) ClearColumnHeaders();
    ShowColumnHeaders();
}

void TExtStringGrid::ClearColumnHeaders()
{
    if (ColCount() <= 0 || RowCount() <= 0) return;
    for (int c = 0; c < ColCount(); ++c) SetCells(c, 0, "");
}


void TExtStringGrid::ShowColumnHeaders()
{
    if (FixedRows() <= 0 || RowCount() <= 0) return;
    const int n = std::min(FColumnHeaders->Count(), TotalColCount());
    // "\n" in a header is a line break in the cell.
    for (int i = 0; i < n; ++i) SetCells(i, 0, BackslashNToCR(FColumnHeaders->Strings(i)));
}

void TExtStringGrid::SetRowHeaders(const TStringList* Value)
{
    FRowHeaders->Assign(*Value);
    ShowRowHeaders();
}

void TExtStringGrid::ClearRowHeaders()
{
    if (RowCount() <= 0 || ColCount() <= 0) return;
    for (int r = 0; r < RowCount(); ++r) SetCells(0, r, "");
}

void TExtStringGrid::ShowRowHeaders()
{
    if (FixedCols() <= 0 || ColCount() <= 0) return;
    const int n = std::min(FRowHeaders->Count(), RowCount());
    for (int i = 0; i < n; ++i) SetCells(0, i, BackslashNToCR(FRowHeaders->Strings(i)));
}
