// The cell-selection check every move of the current cell passes through, and the
// grid's reaction to gaining and losing the focus.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/core/GridPanels.h"
#include "platform/gui/Forms.h"

namespace {
// The grid's own arrows over the headers: pointing right at a row, down at a column,
// diagonally at all cells; each hot spot at its tip.
const bool kGridCursors = [] {
    RegisterCursorShape(crGridRowSelect, {{1, 6}, {9, 6}, {9, 2}, {15, 8}, {9, 14}, {9, 10}, {1, 10}}, TPoint(15, 8));
    RegisterCursorShape(crGridColSelect, {{6, 1}, {10, 1}, {10, 9}, {14, 9}, {8, 15}, {2, 9}, {6, 9}}, TPoint(8, 15));
    RegisterCursorShape(crGridAllSelect, {{1, 4}, {4, 1}, {11, 8}, {13, 6}, {13, 13}, {6, 13}, {8, 11}}, TPoint(13, 13));
    return true;
}();
}

// ---------------------------------------------------------------- cell-selection check

void TExtStringGrid::FireCellChanging(int ACol, int ARow, bool& Allow)
{
    if (ARow != Row() && OnRowChanging) OnRowChanging(this, Row(), ARow, Allow);
    if (ACol != Col() && OnColChanging) OnColChanging(this, Col(), ACol, Allow);
    if ((ARow != Row() || ACol != Col()) && !FDisableChange && OnCellChanging)
        OnCellChanging(this, Row(), Col(), ARow, ACol, Allow);
}

void TExtStringGrid::RepaintActiveFixedCells(int Col1, int Row1, int Col2, int Row2)
{
    if (FixedRows() > 0) {
        RepaintCell(Col1, FixedRows() - 1);
        RepaintCell(Col2, FixedRows() - 1);
    }
    if (FixedCols() > 0) {
        RepaintCell(FixedCols() - 1, Row1);
        RepaintCell(FixedCols() - 1, Row2);
    }
}

int TExtStringGrid::FloatingFooterHeight()
{
    // The last row is the footer strip; a footer of another style is a panel.
    if (FFloatingFooter->FooterStyle == fsFixedLastRow) return RowCount() > 0 ? RowHeights(RowCount() - 1) : 0;
    return FFooterPanel ? FFooterPanel->Height() : 0;
}

bool TExtStringGrid::MakeRoomAboveFooters(int ACol, int ARow)
{
    if (ARow < 0 || ARow >= RowCount()) return true;
    const int col = std::max(0, ACol);
    const bool search = FSearchFooter->Visible();
    const int searchHeight = search && FSearchPanel ? FSearchPanel->Height() : 0;
    const int B = search ? searchHeight + 2 : 0;
    const int client = ClientRect().Height();
    if (FFloatingFooter->Visible) {
        const int limit = client - FloatingFooterHeight() + 2 - B;
        if (FFloatingFooter->FooterStyle == fsFixedLastRow) {
            if (ARow >= TopRow() + VisibleRowCount()) SetTopRow(std::max(FixedRows(), ARow + FixedRows() - VisibleRowCount()));
            if (CalcCellRect(col, ARow).Bottom > limit && ARow < RowCount() - 1) SetTopRow(TopRow() + 1);
            // The footer row itself cannot be selected.
            if (ARow == RowCount() - 1) return false;
        } else {
            if (FFooterPanel) FFooterPanel->Invalidate();
            if (CalcCellRect(col, ARow).Bottom > limit && ARow < RowCount()) SetTopRow(TopRow() + 1);
        }
    }
    if (search) {
        while (CalcCellRect(col, ARow).Bottom > client - (searchHeight + 2) && TopRow() < RowCount() - 1) {
            const int top = TopRow();
            SetTopRow(top + 1);
            if (TopRow() == top) break;
        }
    }
    return true;
}

bool TExtStringGrid::SelectCell(int ACol, int ARow)
{
    const TGridRect S = Selection();
    if (FForceSel) {
        if (FRowIndicator && !FRowIndicator->Empty() && FixedCols() > 0) {
            RepaintCell(0, Row());
            RepaintCell(0, ARow);
        }
        return true;
    }
    if (!Parent()) return TBaseGrid::SelectCell(ACol, ARow);
    const int rc = RealColIndex(ACol);
    if (ACol >= 0 && ARow >= 0 && ACol < ColCount() && ARow < RowCount()) FEditText = GetCellEx(rc, ARow);
    if (!MakeRoomAboveFooters(ACol, ARow)) return false;
    if (ACol < 0 || ARow < 0) return false;
    // The non-base part of a merged area: its base cell becomes current instead.
    if (!Options().Contains(goRangeSelect) && ARow < RowCount() && IsMergedNonBaseCell(rc, ARow)) {
        const TPoint b = BaseCell(rc, ARow);
        FForceSel = true;
        FocusCell(DisplColIndex(b.X), b.Y, true);
        FForceSel = false;
        RepaintCell(DisplColIndex(b.X), b.Y);
        if (FMouseActions->DirectEdit || (FControlLook->DropDownAlwaysVisible && HasComboBox(b.X, b.Y))) ShowEditor();
        return false;
    }
    if (FNumNodes > 0 && ACol == 0 && !Options().Contains(goRowSelect)) return false;
    if (FUseEnabledRows && FNavigation->SkipDisabledRows && ARow < RowCount() && !GetRowEnabled(ARow)) return false;
    const int oldCol = Col(), oldRow = Row();
    String T = ACol < ColCount() && ARow < RowCount() ? GetCellEx(rc, ARow) : String();
    TInplaceEdit* ne = NormalEdit();
    bool NormalFocused = ne && ne->Focused();
    // An editor open on the cell being left closes first: a focused text editor
    // validates its text, and a refusal keeps the current cell.
    const bool moving = ACol != Col() || ARow != Row();
    if (moving && FEditing && NormalFocused && !FValidating && !ValidateCell(ne->Text())) return false;
    if (moving && (EditMode || EditorMode()) && !FValidating && !FEditing) {
        HideInplaceEdit();
        NormalFocused = false;
    }
    UpdateEditingFor(ACol, ARow);
    bool result = false;
    if (!FEditing || NormalFocused) {
        bool Allow = true;
        FireCellChanging(ACol, ARow, Allow);
        if (IsFixed(ACol, ARow) || !Allow)
            result = (Allow && Options().Contains(goRowSelect)) || (FixedRowAlways && RowCount() == FixedRows());
        else
            result = TBaseGrid::SelectCell(ACol, ARow);
    } else {
        const String Old = FCellCache;
        result = ValidateCell(GetCurrentCell());
        bool Allow = true;
        FireCellChanging(ACol, ARow, Allow);
        if (!Allow) result = false;
        if (result) result = TBaseGrid::SelectCell(ACol, ARow);
        if (!result) T = Old;
    }
    if (FRowIndicator && !FRowIndicator->Empty() && FixedCols() > 0) {
        RepaintCell(0, oldRow);
        RepaintCell(0, ARow);
    }
    if (auto* listener = dynamic_cast<ITExtStringGridSelect*>(FSelListener)) listener->SelectCell(oldCol, ARow);
    if (ActiveCellShow) {
        RepaintActiveFixedCells(oldCol, oldRow, ACol, ARow);
        if (S.Left != oldCol && S.Top != oldRow) RepaintActiveFixedCells(S.Left, S.Top, ACol, ARow);
    }
    if (ActiveRowShow()) {
        RepaintRow(ARow);
        RepaintRow(S.Top);
    }
    if (SelectionRectangle) RepaintRect(TRect(S.Left, S.Top, S.Right, S.Bottom));
    // Only a move that took place is a row change: a refused one reports nothing.
    if (result && !FLoading && ARow != FOldRowSel && OnRowChanged) {
        OnRowChanged(this, FOldRowSel, ARow);
        FOldRowSel = ARow;
    }
    // A cell border may be drawn from the current cell: the rows left are repainted.
    if (HasCellBorderEvent())
        for (int r = S.Top; r <= S.Bottom; ++r) RepaintRow(r);
    FCellCache = T;
    return result;
}

// ---------------------------------------------------------------- focus

void TExtStringGrid::RepaintMergedCurrentCell()
{
    const int rc = RealColIndex(Col());
    if (Col() >= ColCount() || Row() >= RowCount() || !IsMergedCell(rc, Row())) return;
    const TPoint b = BaseCell(rc, Row());
    const TPoint span = CellSpan(b.X, b.Y);
    const int dc = DisplColIndex(b.X);
    RepaintRect(TRect(dc, b.Y, dc + std::max(0, span.X), b.Y + std::max(0, span.Y)));
}

bool TExtStringGrid::HandleFocusMessage(TMessage& msg)
{
    if (msg.Msg == WM_KILLFOCUS) {
        if (FBlockKill) {
            msg.Result = 1;
            return true;
        }
        TBaseGrid::WndProc(msg);
        RepaintMergedCurrentCell();
        return true;
    }
    if (InvokedFocusChange) {
        // The edit link moved the focus: this arrival is its own, the next one is not.
        InvokedFocusChange = false;
        return true;
    }
    TBaseGrid::WndProc(msg);
    const int rc = RealColIndex(Col());
    if (Col() >= ColCount() || Row() >= RowCount() || HasCheckBox(rc, Row())) return true;
    // An open rich-text editor closes when the grid takes the focus back.
    if (EditMode && EditControl == edRichEdit && EditCtrl && EditCtrl->Visible()) HideInplaceEdit();
    if (FNavigation->AlwaysEdit && FGridState == gsNormal && EditControl == edNormal && !EditMode) {
        TInplaceEdit* ne = NormalEdit();
        const bool fromEditor = ne && HWND(msg.WParam) == ne->Handle();
        if (!fromEditor) {
            bool CanEdit = Options().Contains(goEditing) || FEditDisabled;
            FireCanEditCell(rc, Row(), CanEdit);
            const bool visible = Col() >= LeftCol() && Col() < LeftCol() + VisibleColCount() + 1 && Row() >= TopRow() &&
                                 Row() < TopRow() + VisibleRowCount() + 1;
            if (CanEdit && visible && (ne || (!FMouseActions->DirectEdit && !FControlLook->DropDownAlwaysVisible))) {
                if (!Options().Contains(goEditing)) UpdateEditingFor(Col(), Row());
                ShowInplaceEdit();
                msg.Result = 0;
                return true;
            }
        }
    }
    RepaintMergedCurrentCell();
    return true;
}

void TExtStringGrid::DoEnter()
{
    if (FBlockFocus || FValidating) return;
    struct Finally {
        TExtStringGrid* g;
        ~Finally() { g->StoreOldCellValue(g->Col(), g->Row()); }
    } fin{this};
    TBaseGrid::DoEnter();
    if (Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit) UpdateEditingFor(Col(), Row());
}

void TExtStringGrid::DoExit()
{
    if (FBlockKill) return;
    if (FMouseActions->DisjunctRowSelect() && FSelChange) SelectionToRowSelect(false);
    FSelChange = false;
    TBaseGrid::DoExit();
}

// ---------------------------------------------------------------- small notifications

void TExtStringGrid::FireClickSort(int ACol)
{
    if (OnClickSort) OnClickSort(this, ACol);
}

void TExtStringGrid::FirePrintGetPageNum(int PageNum, int PageColNum, String& PageNumString)
{
    if (OnPrintGetPageNum) OnPrintGetPageNum(this, PageNum, PageColNum, PageNumString);
}

void TExtStringGrid::FireScrollCell()
{
    if (!OnScrollCell) return;
    const int pos = FScrollBar ? FScrollBar->Position() : 0;
    const int lo = FScrollBar ? FScrollBar->Min() : 0;
    const int hi = FScrollBar ? FScrollBar->Max() : 0;
    OnScrollCell(this, FScrollCol, FScrollRow, pos, lo, hi);
}

bool TExtStringGrid::FireCanShowFixedDropDown(int ACol)
{
    bool CanShow = true;
    if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, CanShow);
    return CanShow;
}

void TExtStringGrid::FireStartBlockFocus()
{
    if (OnStartBlockFocus) OnStartBlockFocus(this);
}

void TExtStringGrid::FireEndBlockFocus()
{
    if (OnEndBlockFocus) OnEndBlockFocus(this);
}

// ---------------------------------------------------------------- search footer keys

bool TExtStringGrid::HandleCMDialogChar(TMessage& msg)
{
    msg.Result = 0;
    if (!FSearchFooter->Visible() || !FSearchPanel) return false;
    const WideChar ch = WideChar(msg.WParam);
    struct Button {
        const String& caption;
        bool shown;
        TExtGridButton* button;
        TNotifyEvent& action;
    };
    const Button buttons[] = {
        {FSearchFooter->FindNextCaption(), FSearchFooter->ShowFindNext(), FSearchPanel->ForwardButton(),
         FSearchPanel->OnForwardClick},
        {FSearchFooter->FindPrevCaption(), FSearchFooter->ShowFindPrev(), FSearchPanel->BackwardButton(),
         FSearchPanel->OnBackwardClick},
        {FSearchFooter->HighLightCaption(), FSearchFooter->ShowHighLight(), FSearchPanel->HiliteButton(),
         FSearchPanel->OnHighLightClick},
    };
    for (const Button& b : buttons) {
        // A hidden or disabled button lets a later one with the same accelerator act.
        if (!b.shown || !b.button->Enabled() || !IsAccel(ch, b.caption)) continue;
        // The highlight button is a check button: its accelerator flips it as a click does.
        if (b.button->Style() == tasCheck) b.button->SetDown(!b.button->Down());
        if (b.action) b.action(FSearchPanel);
        msg.Result = 1;
        return true;
    }
    return false;
}
