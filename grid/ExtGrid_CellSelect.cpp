// The cell-selection check every move of the current cell passes through, and the
// grid's reaction to gaining and losing the focus.
#include "grid/ExtGrid.h"
#include "grid/GridEditors.h"

// ---------------------------------------------------------------- cell-selection check

void TExtStringGrid::FireCellChanging(int ACol, int ARow, bool& Allow)
{
    if (ARow != Row() && OnRowChanging) OnRowChanging(this, Row(), ARow, Allow);
    if (ACol != Col() && OnColChanging) OnColChanging(this, Col(), ACol, Allow);
    if ((ARow != Row() || ACol != Col()) && !FDisableChange && OnCellChanging)
        OnCellChanging(this, Row(), Col(), ARow, ACol, Allow);
}

bool TExtStringGrid::SelectCell(int ACol, int ARow)
{
    if (FForceSel) return true;
    if (!Parent()) return TBaseGrid::SelectCell(ACol, ARow);
    if (ACol < 0 || ARow < 0) return false;
    const int rc = RealColIndex(ACol);
    if (ACol < ColCount() && ARow < RowCount()) FEditText = GetCellEx(rc, ARow);
    // The non-base part of a merged area: its base cell becomes current instead.
    if (!Options().Contains(goRangeSelect) && ARow < RowCount() && IsMergedNonBaseCell(rc, ARow)) {
        const TPoint b = BaseCell(rc, ARow);
        FForceSel = true;
        FocusCell(DisplColIndex(b.X), b.Y, true);
        FForceSel = false;
        RepaintCell(DisplColIndex(b.X), b.Y);
        return false;
    }
    if (FNumNodes > 0 && ACol == 0 && !Options().Contains(goRowSelect)) return false;
    if (FUseEnabledRows && FNavigation->SkipDisabledRows && ARow < RowCount() && !GetRowEnabled(ARow)) return false;
    String T = ACol < ColCount() && ARow < RowCount() ? GetCellEx(rc, ARow) : String();
    TExtInplaceEdit* ne = NormalEdit();
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
    if (!FLoading && ARow != FOldRowSel && OnRowChanged) {
        OnRowChanged(this, FOldRowSel, ARow);
        FOldRowSel = ARow;
    }
    FCellCache = T;
    return result;
}

// ---------------------------------------------------------------- focus

bool TExtStringGrid::HandleFocusMessage(TMessage& msg)
{
    if (msg.Msg == WM_KILLFOCUS) {
        if (FBlockKill) {
            msg.Result = 1;
            return true;
        }
        return false;
    }
    if (InvokedFocusChange) {
        // The edit link moved the focus: this arrival is its own, the next one is not.
        InvokedFocusChange = false;
        return true;
    }
    TBaseGrid::WndProc(msg);
    const int rc = RealColIndex(Col());
    if (Col() >= ColCount() || Row() >= RowCount() || HasCheckBox(rc, Row())) return true;
    if (FNavigation->AlwaysEdit && FGridState == gsNormal && EditControl == edNormal && !EditMode) {
        TExtInplaceEdit* ne = NormalEdit();
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
            }
        }
    }
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
