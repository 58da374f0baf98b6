// Copying one grid into another, the grid's invalidation rule, resizing, the integral
// height, the border colour, scroll bars kept on, and the row and column count setters.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"

// ---------------------------------------------------------------- counts

// SetColCount, SetRowCount, SetFixedRowHeight: ExtGrid_Dimensions.cpp; ApplyColumnStretch:
// ExtGrid_Geometry.cpp; EndUpdate: ExtGrid_Messages.cpp.

// ---------------------------------------------------------------- copying

void TExtStringGrid::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TExtStringGrid*>(Source);
    if (!s || s == this) return;
    TExtStringGrid* src = const_cast<TExtStringGrid*>(s);
    SetFont(src->Font());
    ActiveCellColor = src->ActiveCellColor;
    ActiveCellColorTo = src->ActiveCellColorTo;
    FActiveCellFont->Assign(*src->FActiveCellFont);
    ActiveCellShow = src->ActiveCellShow;
    SetActiveRowShow(src->ActiveRowShow());
    SetAlign(src->Align());
    FFilterDropDown->Assign(src->FFilterDropDown.get());
    AnchorHint = src->AnchorHint;
    AutoNumAlign = src->AutoNumAlign;
    AutoSize = src->AutoSize;
    AutoThemeAdapt = src->AutoThemeAdapt;
    AutoFilterUpdate = src->AutoFilterUpdate;

    FMouseActions->Assign(src->FMouseActions.get());
    FNavigation->Assign(src->FNavigation.get());
    FGrouping->Assign(src->FGrouping.get());
    FSearchFooter->Assign(src->FSearchFooter.get());
    FPrintSettings->Assign(src->FPrintSettings.get());
    FFilter->Assign(src->FFilter.get());
    FHTMLSettings->Assign(src->FHTMLSettings.get());
    FBands->Assign(src->FBands.get());
    FCellNode->Assign(src->FCellNode.get());
    FSortSettings->Assign(src->FSortSettings.get());
    FDragScrollOptions->Assign(src->FDragScrollOptions.get());
    FDragDropSettings->Assign(src->FDragDropSettings.get());
    FProgressAppearance->Assign(src->FProgressAppearance.get());
    FColumnSize->Assign(src->FColumnSize.get());
    FSyncGrid->Assign(src->FSyncGrid.get());
    FFocusHelper->Assign(src->FFocusHelper.get());

    FixedRowAlways = src->FixedRowAlways;
    SetColCount(src->ColCount());
    SetRowCount(src->RowCount());
    SetFixedRows(src->FixedRows());
    SetFixedCols(src->FixedCols());
    SetDefaultColWidth(src->DefaultColWidth());
    SetDefaultRowHeight(src->DefaultRowHeight());
    if (src->FixedRows() > 0) SetFixedRowHeight(src->RowHeights(0));

    InvalidEntryTitle = src->InvalidEntryTitle;
    InvalidEntryIcon = src->InvalidEntryIcon;
    InvalidEntryText = src->InvalidEntryText;
    SetOptions(src->Options());

    for (int c = 0; c < ColCount(); ++c) SetColWidths(c, src->ColWidths(c));
    FColumnHeaders->Assign(*src->FColumnHeaders);
    for (int r = 0; r < RowCount(); ++r) SetRowHeights(r, src->RowHeights(r));

    ScrollProportional = src->ScrollProportional;
    ScrollSynch = src->ScrollSynch;
    ScrollWidth = src->ScrollWidth;
    ScrollHints = src->ScrollHints;
    FScrollBarAlways = src->FScrollBarAlways;
    SetScrollBars(src->ScrollBars());
    ScrollColor = src->ScrollColor;
    SetScrollType(src->ScrollType());

    AssignCells(Source);
}

// The texts of every cell, hidden columns included; the grids have the same counts
// after Assign, so each cell lands at its own place.
void TExtStringGrid::AssignCells(const TObject* Source)
{
    auto* src = const_cast<TExtStringGrid*>(dynamic_cast<const TExtStringGrid*>(Source));
    if (!src || src == this) return;
    const int cols = std::min(TotalColCount(), src->TotalColCount());
    const int rows = std::min(RowCount(), src->RowCount());
    BeginUpdate();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) SetCells(c, r, src->Cells(c, r));
    EndUpdate();
}

// ---------------------------------------------------------------- invalidation and sizing

void TExtStringGrid::Invalidate()
{
    if (FEditChange) {
        FEditChange = false;
        return;
    }
    TBaseGrid::Invalidate();
    if (!FLoading && FFooterPanel && FFloatingFooter && FFloatingFooter->Visible) FFooterPanel->Invalidate();
}

void TExtStringGrid::Resize()
{
    TBaseGrid::Resize();
    if (FBackGround && (FBackGround->Display == bdGradientHorz || FBackGround->Display == bdGradientVert) &&
        FBackGround->ColorTo != clNone)
        Invalidate();
    ApplyScrollBarAlways(false);
    if (FControlList) CellControlsUpdate(false);
}

void TExtStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FIntegralHeight && FUpdateCount == 0 && DefaultRowHeight() > 0) {
        const int s = VisibleColCount() + FixedCols() < ColCount() ? TGridScrollBar::Size : 0;
        const int b = FBorderStyle == bsSingle ? 2 : 0;
        const int h = AHeight - s - b;
        AHeight = h - h % DefaultRowHeight() + s + 2 * b;
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Parent()) Invalidate();
}

void TExtStringGrid::SetBorderColor(TColor v)
{
    if (v == FBorderColor) return;
    FBorderColor = v;
    if (Parent()) Invalidate();
}

void TExtStringGrid::SetBorderStyle(TBorderStyle v)
{
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    Invalidate();
}

void TExtStringGrid::SetScrollBarAlways(TScrollBarAlways v)
{
    FScrollBarAlways = v;
    ApplyScrollBarAlways(false);
}

void TExtStringGrid::ApplyScrollBarAlways(bool ForceHide)
{
    // The base grid hides a bar that nothing needs; a bar kept on shows disabled.
    SetScrollBarAlwaysShown(SB_VERT, FScrollBarAlways == saVert || FScrollBarAlways == saBoth);
    SetScrollBarAlwaysShown(SB_HORZ, FScrollBarAlways == saHorz || FScrollBarAlways == saBoth);
}
