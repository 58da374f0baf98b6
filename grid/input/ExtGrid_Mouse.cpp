// Mouse clicks on the grid: check boxes and radio buttons flip on the press, clicks on
// other cells make them current (and show the editor on the current editable cell)
// before the window hears OnClickCell, and double clicks size a column on its header
// border or report OnDblClickCell.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "grid/core/ExtGrid.h"

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
    FDoOnClick = true;
    if (SelectionResizeDown(X, Y)) return;
    if (OleDragDown(c, r, Shift, X, Y)) return;
    // With RangeSelectAndEdit a press outside the selection selects instead of editing.
    if (Options().Contains(goEditing) && FMouseActions->RangeSelectAndEdit && c >= 0 && r >= 0 &&
        !Selection().Contains(c, r))
        SetOptions(Options() >> goEditing);
    SearchInc.clear();
    // Without Ctrl a press on a cell starts the disjunct cell list anew.
    if (FMouseActions->DisjunctCellSelect() && !Shift.Contains(ssCtrl) && c >= FixedCols() && r >= FixedRows() &&
        c < ColCount() && r < RowCount() && SelectedCellsCount() > 0) {
        for (int i = SelectedCellsCount() - 1; i >= 0; --i) {
            const TGridCoord k = GetSelectedCell(i);
            SetSelectedCells(k.X, k.Y, false);
        }
    }
    FSpinUpClick = FSpinDnClick = false;
    FPushedCellButton = TPoint(-1, -1);
    if (c < 0 || r < 0) {
        HideInplaceEdit();
        if (!FixedRowAlways) TBaseGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (c >= ColCount() || r >= RowCount()) {
        TBaseGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    // A press anywhere on a merged area is a press on its base cell.
    if (IsMergedCell(RealColIndex(c), r)) {
        const TPoint b = BaseCell(RealColIndex(c), r);
        c = DisplColIndex(b.X);
        r = b.Y;
    }
    // A press in a sizing zone of the fixed area starts sizing it.
    if (FixedSizingDown(X, Y)) return;
    const bool fixedArea = c < FixedCols() || r < FixedRows();
    if (fixedArea || IsFixed(c, r)) HideInplaceEdit();
    if (fixedArea && FixedAsButtons && Options().Contains(goFixedVertLine) && Options().Contains(goFixedHorzLine) &&
        !(c == 0 && GetCellType(0, r) == ctNode)) {
        FPushedFixedCell = CellRect(c, r);
        FFixedCellPushed = true;
        DrawFixedCellEdges(FPushedFixedCell, true);
    }
    const int rcol = RealColIndex(c);
    SpinButtonDown(c, r, X, Y);
    // Column 0 of a tree: the glyph opens and closes its node, elsewhere no cell is taken.
    if (NodeMouseDown(c, r, Shift, X, Y)) return;
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
    // An editable rating takes the half star under the point (stars stand 18 pixels apart).
    if (HasRating(rcol, r) && IsEditable(c, r)) {
        HideInplaceEdit();
        double NewRate = std::trunc((X - CellRect(c, r).Left) / 9.0) / 2.0;
        if (FireRatingChange(rcol, r, NewRate)) {
            SetFloats(rcol, r, NewRate);
            RepaintCell(c, r);
        }
        return;
    }
    // Cell buttons act on the release.
    if (CellButtonDown(c, r, X, Y)) return;
    if (HeaderSelectDown(c, r, Shift)) return;
    // Check boxes and radio buttons change on the press; no cell click follows.
    if (CheckBoxClickAt(c, r, X, Y)) return;
    if (!fixedArea && IsFixed(c, r)) {
        if (OnClickCell) OnClickCell(this, r, c);
        return;
    }
    // A press on a link is the link's click; the press goes no further.
    if (!fixedArea && (EnableHTML || URLShow()) && AnchorClickAt(c, r, X, Y)) return;
    if (!fixedArea && ControlCellClickAt(c, r)) return;
    if (DisjunctRowDown(c, r, Shift, X, Y)) return;
    // A move of the header's column (row) drags its face from where it was pressed.
    {
        const TRect R = CellRect(c, r);
        MoveOfsX = X - R.Left;
        MoveOfsY = Y - R.Top;
    }
    // Direct editing: a single click opens the editor of an editable cell (and a list
    // cell whose drop-down button always shows).
    bool CanEdit = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit;
    FireCanEditCell(rcol, r, CanEdit);
    const bool hasCombo = FControlLook->DropDownAlwaysVisible && HasComboBox(rcol, r);
    const bool dblOnly = FMouseActions->EditOnDblClickOnly();
    const bool direct = !fixedArea && !IsFixed(c, r) && !IsControlCell(rcol, r) && (CanEdit || (dblOnly && hasCombo)) &&
                        (FMouseActions->DirectEdit || hasCombo) && X - CellRect(c, r).Left >= 4;
    const bool alwaysEdit = FNavigation->AlwaysEdit;
    FNavigation->AlwaysEdit = false;
    const int oldLeft = LeftCol(), oldTop = TopRow();
    // The toolkit selects what lies under the point: on a merged area that is its base
    // cell (unless the window handles presses itself).
    const TPoint bp = OnMouseDown ? TPoint(X, Y) : PointOnBaseCell(X, Y);
    if (!FSelHidden) TBaseGrid::MouseDown(Button, Shift, bp.X, bp.Y);
    FNavigation->AlwaysEdit = alwaysEdit;
    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll && LeftCol() != oldLeft) {
        BeginUpdate();
        SetLeftCol(oldLeft);
        EndUpdate();
    }
    // A press on the partly shown last row (column) selects without scrolling on.
    const bool edge = r == TopRow() + VisibleRowCount() || c == LeftCol() + VisibleColCount() ||
                      (c == LeftCol() && LeftCol() > FixedCols());
    if (edge && FMouseActions->NoAutoRangeScroll && FGridState == gsSelecting) FGridState = gsNormal;
    if (TopRow() != oldTop && FMouseActions->NoScrollOnPartialRow) {
        SetTopRow(oldTop);
        MouseUp(mbLeft, Shift, X, Y);
    }
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
    if (direct) DirectEditClick(c, r, dblOnly && hasCombo);
}

void TExtStringGrid::DirectEditClick(int ACol, int ARow, bool SwitchEditing)
{
    if (SwitchEditing) {
        SetOptions(Options() << goEditing);
        if (CanFocus() && !Focused()) SetFocus();
    }
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    const int bc = DisplColIndex(b.X);
    bool Allow = true;
    if (bc != Col() || b.Y != Row()) FireCellChanging(bc, b.Y, Allow);
    if (!Allow) return;
    if (bc != Col() || b.Y != Row()) MoveColRow(bc, b.Y, true, false);
    if (Col() != bc || Row() != b.Y) return;
    StoreOldCellValue(Col(), Row());
    if (!EditorMode()) ShowInplaceEdit();
}

TPoint TExtStringGrid::PointOnBaseCell(int X, int Y)
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < FixedCols() || r < FixedRows() || c >= ColCount() || r >= RowCount() || !IsMergedCell(RealColIndex(c), r))
        return TPoint(X, Y);
    const TPoint b = BaseCell(RealColIndex(c), r);
    const TRect R = CellRect(DisplColIndex(b.X), b.Y);
    return TPoint(R.Left + 2, R.Top + 2);
}

void TExtStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // The right button does not drop a column (row) being moved.
    if (Button == mbRight && (FGridState == gsColMoving || FGridState == gsRowMoving) && EnhRowColMove &&
        (Cursor() == crDrag || Cursor() == crNoDrop))
        return;
    if (Button == mbLeft) OleDragUp(Shift);
    const TGridRect before = Selection();
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    const bool moveEnded = FGridState == gsColMoving || FGridState == gsRowMoving;
    const bool sizeEnded = FGridState == gsColSizing || FGridState == gsRowSizing || FSizingFixed || FSizingFixedR;
    if (moveEnded) {
        // A place the window refused is no drop: the move ends where it began.
        if (!FMoveAllowed || (FGridState == gsRowMoving && RowMoveRefused(FMovePos))) {
            FGridState = gsNormal;
            Invalidate();
        }
        EndMoveFeedback();
        FMoveAllowed = true;
        if (EnhRowColMove) FireEndBlockFocus();
    }
    if (Button == mbLeft) {
        if (FScrollHintShow) HideScrollHint();
        FMouseSelectMode = msNormal;
        FMouseSelectStart = -1;
        const bool sizingCursor = Cursor() == crHSplit;
        FixedSizingUp(X, Y);
        if (FFixedCellPushed) {
            FFixedCellPushed = false;
            DrawFixedCellEdges(FPushedFixedCell, false);
        }
        // A release on the pushed button is its click; nothing else happens then.
        if (CellButtonUp(X, Y)) {
            FDoOnClick = false;
            return;
        }
        // The toolkit reports no click for fixed cells: a press and release there is one.
        const bool fixedCell = c >= 0 && r >= 0 && c < ColCount() && r < RowCount() &&
                               (c < FixedCols() || r < FixedRows());
        if (FDoOnClick && fixedCell && !sizingCursor && !moveEnded && OnClick) OnClick(this);
        FDoOnClick = false;
    }
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
    // The header's filter button opens the column's drop-down; any other release closes it.
    if (Button == mbLeft && !moveEnded && !sizeEnded) FilterButtonMouseUp(X, Y);
    if (Button == mbLeft) ReleaseControlButton();
    {
        // A selection ending on a merged area ends on its base cell.
        const TPoint bp = FGridState == gsSelecting ? PointOnBaseCell(X, Y) : TPoint(X, Y);
        TBaseGrid::MouseUp(Button, Shift, bp.X, bp.Y);
    }
    if (Button == mbLeft) SelectionResizeUp();
    if (!(Selection() == before)) {
        const TGridRect s = Selection();
        FireSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    }
    if (Button != mbLeft) return;
    DisjunctRowUp(r, Shift);
    GroupHeaderReleased(c, r);
    if ((c >= FixedCols() || FSortSettings->FixedCols) && c >= 0 && r >= 0 && c < ColCount() && r < RowCount()) {
        const int rc = RealColIndex(c);
        bool state = false;
        if (OnCheckBoxMouseUp && HasCheckBox(rc, r) && GetCheckBoxState(rc, RealRowIndex(r), state))
            OnCheckBoxMouseUp(this, c, r, state);
        int idx = -1;
        if (OnRadioMouseUp && IsRadio(rc, r) && GetRadioIdx(rc, r, idx)) OnRadioMouseUp(this, c, r, idx);
    }
    // The release after a sizing double click does not sort.
    if (FDblClk) {
        FDblClk = false;
        return;
    }
    if (!moveEnded && !sizeEnded) HeaderClickSort(Shift, X, Y, c, r);
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
    const bool inGrid = r >= 0 && c < ColCount() && r < RowCount();
    const int rc = inGrid ? RealColIndex(c) : -1;
    // The first click of the pair already pressed the button; the second is no action.
    if (inGrid && (HasButton(rc, r) || HasExpand(rc, r))) return;
    if (inGrid && IsControlCell(rc, r)) {
        TBaseGrid::DblClick();
        return;
    }
    const bool forceSel = inGrid && FMouseActions->RangeSelectAndEdit;
    if (forceSel) FForceSel = true;
    struct Finally {
        TExtStringGrid* g;
        bool on;
        ~Finally()
        {
            if (on) g->FForceSel = false;
        }
    } fin{this, forceSel};
    TBaseGrid::DblClick();
    if (r >= 0 && OnDblClickCell) OnDblClickCell(this, r, c);
    const bool dataCell = inGrid && c >= FixedCols() && r >= FixedRows() && !IsFixed(c, r);
    if (dataCell && FMouseActions->EditOnDblClickOnly()) {
        // Editing that only a double click starts.
        bool CanEdit = true;
        const bool range = FMouseActions->RangeSelectAndEdit;
        FMouseActions->RangeSelectAndEdit = true;
        FireCanEditCell(rc, r, CanEdit);
        FMouseActions->RangeSelectAndEdit = range;
        if (CanEdit) {
            SetOptions(Options() << goEditing);
            if (c != Col() || r != Row()) MoveColRow(c, r, true, false);
            StoreOldCellValue(Col(), Row());
            ShowInplaceEdit();
        }
    } else if (dataCell && FMouseActions->RangeSelectAndEdit) {
        bool CanEdit = true;
        FireCanEditCell(rc, r, CanEdit);
        if (CanEdit) {
            SetOptions(Options() << goEditing);
            const TPoint b = BaseCell(rc, r);
            const TRect R = CellRect(DisplColIndex(b.X), b.Y);
            MouseDown(mbLeft, TShiftState(), R.Left + 4, R.Top + 4);
        }
    }
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

bool TExtStringGrid::HeaderSelectDown(int ACol, int ARow, TShiftState Shift)
{
    const TMouseSelectMode mode = FMouseSelectMode;
    const bool corner = ARow < FixedRows() && ACol < FixedCols();
    const bool rowHeader = ACol < FixedCols() && ARow >= FixedRows();
    const bool colHeader = ARow < FixedRows() && ACol >= FixedCols();
    const bool range = Options().Contains(goRangeSelect);
    if (!((mode == msAll && corner && range) || (mode == msRow && rowHeader) || (mode == msColumn && colHeader && range)))
        return false;
    if (CanFocus() && !Focused()) SetFocus();
    const TGridRect old = Selection();
    if (mode == msAll) {
        ExportNotification(esExportStart, -1);
        ExportNotification(esExportNewRow, RowCount() - 1);
        ExportNotification(esExportFail, -1);
        TGridRect sel(FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1);
        BeforeSelectAll(sel);
        SetSelection(sel);
    } else {
        if (FMouseActions->DisjunctCellSelect()) ClearSelectedCells();
        if (mode == msRow) {
            const int from = Shift.Contains(ssShift) ? old.Top : ARow;
            FMouseSelectStart = from;
            SelectRows(std::min(from, ARow), std::abs(ARow - from) + 1);
        } else {
            const int from = Shift.Contains(ssShift) ? old.Left : ACol;
            FMouseSelectStart = from;
            SelectCols(std::min(from, ACol), std::abs(ACol - from) + 1);
        }
    }
    Invalidate();
    const TGridRect now = Selection();
    if (!(now == old)) FireSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
    return true;
}

bool TExtStringGrid::DisjunctRowDown(int ACol, int ARow, TShiftState Shift, int X, int Y)
{
    FDeselectState = false;
    if (!FMouseActions->DisjunctRowSelect() || ARow < FixedRows()) return false;
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) return false;
    if (Shift.Contains(ssShift)) {
        // Shift: the rows from the selection's top at the press to the pressed one.
        const TGridRect old = Selection();
        TBaseGrid::MouseDown(mbLeft, Shift, X, Y);
        SetSelection(TGridRect(old.Left, old.Top, std::max(ACol, FixedCols()), ARow));
        SelectionToRowSelect(false);
        return true;
    }
    const int rr = FMouseActions->RowSelectPersistent ? RealRowIndex(ARow) : ARow;
    if (Shift.Contains(ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl) FDeselectState = GetRowSelect(rr);
    else if (!Shift.Contains(ssAlt)) ClearRowSelect();
    return false;
}

void TExtStringGrid::DisjunctRowUp(int ARow, TShiftState Shift)
{
    if (!FMouseActions->DisjunctRowSelect() || ARow < FixedRows() || ARow >= RowCount()) return;
    const int rr = FMouseActions->RowSelectPersistent ? RealRowIndex(ARow) : ARow;
    // Ctrl on a selected row takes it out; any other release puts the pressed row in.
    if ((Shift.Contains(ssCtrl) || FMouseActions->DisjunctRowSelectNoCtrl) && FDeselectState) {
        SetRowSelect(rr, false);
        FSelChange = false;
    } else if (!Shift.Contains(ssShift)) {
        SetRowSelect(rr, true);
    }
    FDeselectState = false;
    if (FMouseActions->HotmailRowSelect()) RepaintCell(0, 0);
    InvalidateRow(ARow);
}

void TExtStringGrid::DrawFixedCellEdges(const TRect& R, bool Sunken)
{
    if (R.Right <= R.Left || R.Bottom <= R.Top) return;
    TCanvas* cv = Canvas();
    const int saved = cv->SaveState();
    // Right and bottom first, then left and top: dark below-right when raised, above-left when sunk.
    cv->Pen()->SetColor(Sunken ? clBtnHighlight : clBtnShadow);
    cv->MoveTo(R.Right - 1, R.Top);
    cv->LineTo(R.Right - 1, R.Bottom - 1);
    cv->LineTo(R.Left, R.Bottom - 1);
    cv->Pen()->SetColor(Sunken ? clBtnShadow : clBtnHighlight);
    cv->MoveTo(R.Left, R.Bottom - 1);
    cv->LineTo(R.Left, R.Top);
    cv->LineTo(R.Right - 1, R.Top);
    cv->RestoreState(saved);
}

bool TExtStringGrid::IsOnSelectionResizer(int X, int Y)
{
    if (!SelectionResizer || !SelectionRectangle) return false;
    const TGridRect s = Selection();
    const TRect R = CellRect(s.Right, s.Bottom);
    if (R.Right <= R.Left || R.Bottom <= R.Top) return false;
    return TRect(R.Right - 6, R.Bottom - 6, R.Right, R.Bottom).Contains(TPoint(X, Y));
}

bool TExtStringGrid::SelectionResizeDown(int X, int Y)
{
    if (!SelectionResizer || !SelectionRectangle) return false;
    if (!IsOnSelectionResizer(X, Y) && FMouseSelectMode != msResize) return false;
    if (CanFocus() && !Focused()) SetFocus();
    FDropSelection = Selection();
    CopySelectionToClipboard();
    FMouseResize = true;
    MouseMove(TShiftState(), X, Y);
    return true;
}

// While the resizer is dragged the selection keeps its top-left corner and its far
// corner follows the mouse, never above or left of the corner it keeps.
void TExtStringGrid::SelectionResizeMove(int X, int Y)
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < FixedCols() || r < FixedRows() || c >= ColCount() || r >= RowCount()) return;
    const TGridRect s(FDropSelection.Left, FDropSelection.Top, std::max(c, FDropSelection.Left),
                      std::max(r, FDropSelection.Top));
    if (!(s == Selection())) SetSelection(s);
}

void TExtStringGrid::SelectionResizeUp()
{
    if (!FMouseResize) return;
    FMouseResize = false;
    const TGridRect now = Selection();
    if (OnSelectionResize) OnSelectionResize(this, FDropSelection, now);
    const bool editing = Options().Contains(goEditing);
    if (editing) SetOptions(Options() >> goEditing);
    PasteSelectionFromClipboard();
    if (editing) SetOptions(Options() << goEditing);
    if (OnSelectionResized) OnSelectionResized(this, FDropSelection, now);
}
