// Mouse clicks on the grid: check boxes and radio buttons flip on the press, clicks on
// other cells make them current (and show the editor on the current editable cell)
// before the window hears OnClickCell, and double clicks size a column on its header
// border or report OnDblClickCell.
#include <algorithm>

#include "grid/ExtGrid.h"

void TExtStringGrid::FireCheckBoxClick(int ACol, int ARow, bool State)
{
    if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
}

bool TExtStringGrid::CheckBoxClickAt(int ACol, int ARow, int X, int Y)
{
    const int rc = RealColIndex(ACol);
    bool CanEdit = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit;
    FireCanEditCell(rc, ARow, CanEdit);
    const bool hotmail = ACol == 0 && FMouseActions->HotmailRowSelect();
    if (!(HasCheckBox(rc, ARow) || HasRadioButton(rc, ARow))) return false;
    if (!(CanEdit || FControlLook->CheckAlwaysActive || hotmail)) return false;
    if (!IsInCheckBox(rc, ARow, X, Y)) return false;
    HideInplaceEdit();
    if (CanFocus() && !Focused()) SetFocus();
    if (HasRadioButton(rc, ARow)) ClickRadioButtonCell(rc, ARow, true);
    else ToggleCheckBoxCell(rc, ARow, true);
    bool state = false;
    GetCheckBoxState(rc, RealRowIndex(ARow), state);
    const bool fixed = ACol < FixedCols() || ARow < FixedRows() || IsFixed(ACol, ARow);
    if (!FNavigation->AlwaysEdit && !fixed && (ACol != Col() || ARow != Row())) MoveColRow(ACol, ARow, true, true);
    FireCheckBoxClick(ACol, ARow, state);
    if (HideFocusRect) RepaintCell(ACol, ARow);
    if (ARow < FixedRows() && FMouseActions->CheckAllCheck && HasCheckBox(rc, ARow)) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (HasCheckBox(rc, r)) SetCheckBoxState(rc, r, state);
        Invalidate();
    }
    TCustomControl::MouseDown(mbLeft, KeyboardStateToShiftState(), X, Y);
    Click();
    StoreOldCellValue(Col(), Row());
    return true;
}

bool TExtStringGrid::IsHoverFixedCell(int ACol, int ARow)
{
    if (ACol < FixedCols() && ARow >= 0) return HoverFixedCells == hfAll || HoverFixedCells == hfFixedColumns;
    if (ARow < FixedRows() && ACol >= 0) return HoverFixedCells == hfAll || HoverFixedCells == hfFixedRows;
    return false;
}

void TExtStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FDownPos = TPoint(X, Y);
    if (Button == mbRight && !Shift.Contains(ssDouble)) {
        // The right button moves the current cell only with SelectOnRightClick.
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        int c = -1, r = -1;
        MouseToCell(X, Y, c, r);
        if (c < 0 || r < 0 || c >= ColCount() || r >= RowCount()) return;
        FixedCellEditOnMouseDown(Button, X, Y, c, r);
        if (FMouseActions->SelectOnRightClick && c >= FixedCols() && r >= FixedRows() &&
            !(FMouseActions->DisjunctCellSelect() && GetSelectedCells(c, r))) {
            if (IsSelected(c, r) && !(c == Col() && r == Row())) {
                bool can = true;
                if (OnSelectCell) OnSelectCell(this, c, r, can);
            } else if (c != Col() || r != Row()) {
                const TPoint b = BaseCell(RealColIndex(c), r);
                MoveColRow(DisplColIndex(b.X), b.Y, true, true);
            }
            if (FMouseActions->DisjunctRowSelect()) {
                if (Shift.Contains(ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl) SetRowSelect(r, !GetRowSelect(r));
                else {
                    ClearRowSelect();
                    SetRowSelect(r, true);
                }
            }
        }
        if (OnRightClickCell) OnRightClickCell(this, r, c);
        return;
    }
    if (Button != mbLeft || Shift.Contains(ssDouble)) {
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    bool Allow = true;
    if (OnCanClickCell && c >= 0 && r >= 0) OnCanClickCell(this, r, c, Allow);
    if (!Allow) return;
    LButFlg = true;
    if (c < 0 || r < 0) {
        HideInplaceEdit();
        if (!FixedRowAlways) TBaseGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (c >= ColCount() || r >= RowCount()) {
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    const bool fixedArea = c < FixedCols() || r < FixedRows();
    if (fixedArea || IsFixed(c, r)) HideInplaceEdit();
    const int rcol = RealColIndex(c);
    if (IsRadio(rcol, r)) {
        bool CanEdit = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit;
        FireCanEditCell(rcol, r, CanEdit);
        if (CanEdit || FControlLook->RadioAlwaysActive) {
            HideInplaceEdit();
            const TRect R = CellRect(c, r);
            RadioGroupClick(c, r, X - R.Left, Y - R.Top);
            if (CanFocus() && !Focused()) SetFocus();
            return;
        }
    }
    // Check boxes and radio buttons change on the press; no cell click follows.
    if (CheckBoxClickAt(c, r, X, Y)) return;
    if (!fixedArea && IsFixed(c, r)) {
        if (OnClickCell) OnClickCell(this, r, c);
        return;
    }
    const bool alwaysEdit = FNavigation->AlwaysEdit;
    FNavigation->AlwaysEdit = false;
    TBaseGrid::MouseDown(Button, Shift, X, Y);
    FNavigation->AlwaysEdit = alwaysEdit;
    FixedCellEditOnMouseDown(Button, X, Y, c, r);
    bool nearBorder = false;
    if (r < FixedRows() && Options().Contains(goColSizing)) {
        const TRect R = CellRect(c, r);
        nearBorder = X - R.Left < 4 || R.Right - X < 4;
    }
    if (!nearBorder && OnClickCell) OnClickCell(this, r, c);
    if (OnCellValidate) {
        FEntered = false;
        StoreOldCellValue(Col(), Row());
    }
}

void TExtStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TGridRect before = Selection();
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    // Disjunct cells: Shift adds, Ctrl flips, a plain release makes the cell the only one.
    if (Button == mbLeft && FMouseActions->DisjunctCellSelect() && c >= FixedCols() && r >= FixedRows() &&
        c < ColCount() && r < RowCount()) {
        bool can = true;
        if (OnSelectCell) OnSelectCell(this, c, r, can);
        if (can) {
            if (Shift.Contains(ssShift)) SetSelectedCells(c, r, true);
            else if (Shift.Contains(ssCtrl)) SetSelectedCells(c, r, !GetSelectedCells(c, r));
            else {
                for (int i = SelectedCellsCount() - 1; i >= 0; --i) {
                    const TGridCoord k = GetSelectedCell(i);
                    SetSelectedCells(k.X, k.Y, false);
                }
                SetSelectedCells(c, r, true);
            }
            const TGridRect s = Selection();
            if (s.Right > s.Left || s.Bottom > s.Top)
                for (int y = s.Top; y <= s.Bottom; ++y)
                    for (int x = s.Left; x <= s.Right; ++x)
                        if (!GetSelectedCells(x, y)) SetSelectedCells(x, y, true);
        }
    }
    if (Button == mbLeft || (Button == mbRight && FMouseActions->SelectOnRightClick))
        FireSelectionChanged(before.Left, before.Top, before.Right, before.Bottom);
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    if (!(Selection() == before)) {
        const TGridRect s = Selection();
        FireSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    }
    if (Button != mbLeft) return;
    if (c >= FixedCols() && r >= 0 && c < ColCount() && r < RowCount() && OnCheckBoxMouseUp) {
        const int rc = RealColIndex(c);
        bool state = false;
        if (HasCheckBox(rc, r) && GetCheckBoxState(rc, RealRowIndex(r), state)) OnCheckBoxMouseUp(this, c, r, state);
    }
    FDblClk = false;
}

void TExtStringGrid::DblClick()
{
    const int X = FDownPos.X, Y = FDownPos.Y;
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0) {
        if (FixedRowAlways) {
            TBaseGrid::DblClick();
            return;
        }
        c = ColCount() - 1;
        r = 0;
    }
    // A double click on a header border sizes the column left of it to its contents.
    if (r >= 0 && r < FixedRows() && Options().Contains(goColSizing) && FMouseActions->AutoSizeColOnDblClick) {
        const TRect R = CellRect(c, r);
        int target = -1;
        if (X - R.Left <= 3 && c - 1 >= FixedCols()) target = c - 1;
        else if (R.Right - X <= 3 && c >= FixedCols()) target = c;
        if (target >= 0) {
            FDblClk = true;
            bool Allow = true;
            if (OnColumnSize) OnColumnSize(this, target, Allow);
            if (Allow) AutoSizeCol(target, 0);
            if (OnEndColumnSize) OnEndColumnSize(this, target);
            TBaseGrid::DblClick();
            return;
        }
    }
    if (r >= 0 && c < ColCount() && r < RowCount() && IsControlCell(RealColIndex(c), r)) {
        TBaseGrid::DblClick();
        return;
    }
    TBaseGrid::DblClick();
    if (r >= 0 && OnDblClickCell) OnDblClickCell(this, r, c);
    FixedCellEditOnDblClick(c, r);
}

void TExtStringGrid::RadioGroupClick(int ACol, int ARow, int XOffset, int YOffset)
{
    const int rc = RealColIndex(ACol);
    TCanvas* cv = Canvas();
    cv->Font()->Assign(*GetCellFont(rc, ARow));
    const bool fixed = ACol < FixedCols() || ARow < FixedRows() || IsFixed(ACol, ARow);
    if (!fixed && (ACol != Col() || ARow != Row())) MoveColRow(ACol, ARow, true, true);
    TCellGraphic* g = GetCellGraphic(rc, ARow);
    TStringList* items = GetRadioStrings(rc, ARow);
    if (!g || !items) return;
    const int size = 16;
    const bool horizontal = g->CellBoolean;
    int found = -1, pos = 0;
    for (int i = 0; i < items->Count(); ++i) {
        const int span = horizontal ? cv->TextWidth(items->Strings(i)) + size : std::max(size, cv->TextHeight("gh"));
        const int at = horizontal ? XOffset : YOffset;
        if (at >= pos && at < pos + span) {
            found = i;
            break;
        }
        pos += span;
    }
    // A point beyond the last item picks nothing.
    if (found < 0) return;
    if (g->CellIndex < 0) SetCellEx(rc, ARow, items->Strings(found));
    else g->CellIndex = found;
    SetCellEx(rc, ARow, GetCellEx(rc, ARow));
    SetRadioIdx(rc, ARow, found);
    if (OnRadioClick) OnRadioClick(this, ACol, ARow, found);
}
