// Keys on the grid: Enter and F2 on cells that may or may not be edited, Space on
// check boxes, Tab through the cells that can take it, the advance after an edit, and
// the key-press event that the window hears before the grid's own Enter handling.
#include <algorithm>

#include "grid/ExtGrid.h"

namespace {
bool IsArrow(WORD k) { return k == VK_LEFT || k == VK_RIGHT || k == VK_UP || k == VK_DOWN; }
}

void TExtStringGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    const int rc = RealColIndex(Col());
    const bool editing = Options().Contains(goEditing);
    if ((Key == VK_RETURN || Key == VK_F2) && !editing) {
        if (FMouseActions->EditOnDblClickOnly()) {
            const bool r = FMouseActions->RangeSelectAndEdit;
            FMouseActions->RangeSelectAndEdit = true;
            if (IsEditable(Col(), Row())) SetOptions(Options() << goEditing);
            FMouseActions->RangeSelectAndEdit = r;
        } else if (FMouseActions->RangeSelectAndEdit) {
            if (!IsEditable(Col(), Row())) {
                if (OnKeyDown) OnKeyDown(this, Key, Shift);
                Key = 0;
                return;
            }
            SetOptions(Options() << goEditing);
            ShowInplaceEdit();
        }
    }
    const bool control = Row() < RowCount() && IsControlCell(rc, Row());
    if ((Key == VK_RETURN || Key == VK_F2) && !control) {
        if (Options().Contains(goEditing) && !IsEditable(Col(), Row())) {
            if (OnKeyDown) OnKeyDown(this, Key, Shift);
            Key = 0;
            return;
        }
        if (Key == VK_RETURN && !IsEditable(Col(), Row())) {
            if (OnKeyDown) OnKeyDown(this, Key, Shift);
            Key = 0;
            return;
        }
        StoreOldCellValue(Col(), Row());
    }
    if ((Key == VK_RETURN || Key == VK_SPACE) && control) {
        bool CanEdit = Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit;
        FireCanEditCell(rc, Row(), CanEdit);
        RepaintCell(Col(), Row());
        if (Key == VK_SPACE && HasCheckBox(rc, Row()) && (CanEdit || FControlLook->CheckAlwaysActive)) {
            ToggleCheckBoxCell(rc, Row(), true);
            bool state = false;
            GetCheckBoxState(rc, RealRowIndex(Row()), state);
            FireCheckBoxClick(Col(), Row(), state);
            Key = 0;
            return;
        }
        if (Key == VK_SPACE && IsRadio(rc, Row()) && (CanEdit || FControlLook->RadioAlwaysActive)) {
            AdvanceRadio(rc, Row(), true);
            Key = 0;
            return;
        }
    }
    if (Key == VK_TAB && !Shift.Contains(ssAlt) && Options().Contains(goTabs) && !Options().Contains(goRowSelect)) {
        if (EditMode || EditorMode()) HideInplaceEdit();
        TabNavigate(Shift.Contains(ssShift));
        Key = 0;
        return;
    }
    if (IsArrow(Key) || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME || Key == VK_END)
        if (EditMode && !EditorMode()) HideInplaceEdit();
    const int lastData = RowCount() - FixedFooters - 1;
    // Home and End by the HomeEndKey setting.
    if ((Key == VK_HOME || Key == VK_END) && !Shift.Contains(ssCtrl) && RowCount() > FixedRows()) {
        const THomeEndAction he = FNavigation->HomeEndKey;
        if (he == heFirstLastCell) {
            if (Key == VK_HOME) MoveColRow(FixedCols(), FixedRows(), true, true);
            else MoveColRow(ColCount() - 1, RowCount() - 1, true, true);
            Key = 0;
            return;
        }
        if (he == heFirstLastRow) {
            const int r = Key == VK_HOME ? FixedRows() : std::max(FixedRows(), lastData);
            MoveColRow(Col(), r, !Shift.Contains(ssShift), true);
            Key = 0;
            return;
        }
    }
    // Ctrl+A selects every scrollable cell.
    if (Key == 'A' && Shift == TShiftState{ssCtrl} &&
        (Options().Contains(goRangeSelect) || Options().Contains(goRowSelect))) {
        if (FMouseActions->DisjunctRowSelect())
            for (int r = FixedRows(); r < RowCount(); ++r) SetRowSelect(r, true);
        SetSelection(TGridRect(FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1));
        Key = 0;
        return;
    }
    // Rows added, inserted and deleted from the keyboard.
    if (Key == VK_DOWN && Shift.Empty() && FNavigation->AppendOnArrowDown && IsLastDataRow()) {
        AppendRowOnArrowDown();
        Key = 0;
        return;
    }
    if (Key == VK_INSERT && Shift.Empty() && FNavigation->AllowInsertRow && !EditMode) {
        bool can = true;
        FireCanInsertRow(Row(), can);
        if (can) {
            const int at = FNavigation->InsertPosition == pInsertAfter ? Row() + 1 : Row();
            InsertDisplayRows(at, 1);
            if (OnAutoInsertRow) OnAutoInsertRow(this, at);
            Modified = true;
            SetRow(at);
        }
        Key = 0;
        return;
    }
    if (Key == VK_DELETE && !Shift.Contains(ssAlt) && FNavigation->AllowDeleteRow && !EditMode &&
        RowCount() > FixedRows() + FixedFooters) {
        bool can = true;
        if (OnCanDeleteRow) OnCanDeleteRow(this, RealRowIndex(Row()), can);
        if (can) {
            const int r = Row();
            if (RowCount() - FixedRows() - FixedFooters > 1 || FixedRowAlways) {
                RemoveDisplayRows(r, 1, true);
            } else {
                // The only data row stays, emptied.
                for (int c = 0; c < TotalColCount(); ++c) SetCellEx(c, r, "");
            }
            if (OnAutoDeleteRow) OnAutoDeleteRow(this, r);
            StoreOldCellValue(Col(), Row());
            Modified = true;
        }
        Key = 0;
        return;
    }
    const TGridCoord before(Col(), Row());
    const WORD key = Key;
    TBaseGrid::KeyDown(Key, Shift);
    // Loop and snake: a key that could not move off an edge goes on at the far side.
    const TCursorAdvance ca = FNavigation->CursorAdvance;
    if (ca != caDefault && Shift.Empty() && Col() == before.X && Row() == before.Y && IsArrow(key)) {
        const int firstCol = FixedCols(), lastCol = ColCount() - FixedRightCols - 1;
        const int firstRow = FixedRows();
        int c = Col(), r = Row();
        if (key == VK_LEFT && c == firstCol) {
            c = lastCol;
            if (ca == caSnake && r > firstRow) --r;
        } else if (key == VK_RIGHT && c == lastCol) {
            c = firstCol;
            if (ca == caSnake && r < lastData) ++r;
        } else if (key == VK_UP && r == firstRow) {
            r = lastData;
            if (ca == caSnake && c > firstCol) --c;
        } else if (key == VK_DOWN && r == lastData) {
            r = firstRow;
            if (ca == caSnake && c < lastCol) ++c;
        }
        if ((c != Col() || r != Row()) && c >= 0 && r >= 0) MoveColRow(c, r, true, true);
    }
}

void TExtStringGrid::KeyPress(WideChar& Key)
{
    const int rc = RealColIndex(Col());
    const bool inGrid = Row() < RowCount() && Col() < ColCount();
    if (Key == 27) {
        if (Options().Contains(goEditing) && FEditing) RestoreCellCache();
        if (OnKeyPress) OnKeyPress(this, Key);
        return;
    }
    if (Key == 13 && inGrid) {
        const bool editable = IsEditable(Col(), Row());
        const bool control = IsControlCell(rc, Row());
        if (!FNavigation->AdvanceOnEnter && !editable && !control) {
            // The windows move on to the next cell themselves.
            if (OnKeyPress) OnKeyPress(this, Key);
            Key = 0;
            return;
        }
        if (!Focused() || control) {
            AdvanceToNextCell(Col(), Row(), EditorMode(), false, true, false, false);
            if (!FNavigation->AdvanceAutoEdit) {
                if (OnKeyPress) OnKeyPress(this, Key);
                Key = 0;
                return;
            }
            if (control) {
                if (OnKeyPress) OnKeyPress(this, Key);
                if (FNavigation->AdvanceOnEnter) ShowInplaceEdit();
                Key = 0;
                return;
            }
        }
    }
    // The window's key-press event comes before the grid's own Enter handling.
    TCustomControl::KeyPress(Key);
    if (Key == 13 && !Options().Contains(goAlwaysShowEditor)) {
        if (EditorMode() && InplaceEditor() && InplaceEditor()->Visible()) HideInplaceEdit();
        else if (!EditMode) ShowEditor();
        Key = 0;
    }
}

// ---------------------------------------------------------------- Tab and advance

bool TExtStringGrid::CanTabTo(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return false;
    if (!IsBaseCell(RealColIndex(ACol), ARow)) return false;
    if (Options().Contains(goEditing)) return IsEditable(ACol, ARow) || CanEditCell(ACol, ARow);
    return !IsFixed(ACol, ARow);
}

bool TExtStringGrid::TabNavigate(bool Backward)
{
    if (OnKeyDown) {
        WORD k = VK_TAB;
        OnKeyDown(this, k, Backward ? TShiftState{ssShift} : TShiftState());
        if (k != VK_TAB) return true;
    }
    const int firstCol = FixedCols(), lastCol = ColCount() - 1 - FixedRightCols;
    const int firstRow = FixedRows(), lastRow = RowCount() - 1 - FixedFooters;
    if (lastCol < firstCol || lastRow < firstRow) return true;
    int c = Col(), r = Row();
    const int cells = (lastCol - firstCol + 1) * (lastRow - firstRow + 1);
    for (int n = 0; n < cells; ++n) {
        if (Backward) {
            if (--c < firstCol) {
                c = lastCol;
                if (--r < firstRow) r = lastRow;
            }
        } else if (++c > lastCol) {
            c = firstCol;
            if (++r > lastRow) {
                if (FNavigation->TabToNextAtEnd && Parent()) {
                    PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
                    return false;
                }
                r = firstRow;
            }
        }
        if (CanTabTo(c, r)) {
            FocusCell(c, r, true);
            return true;
        }
    }
    return true;
}

void TExtStringGrid::AdvanceToNextCell(int ACol, int ARow, bool ShowEditor, bool Nested, bool Forward, bool AutoEdit,
                                       bool Force)
{
    if (!FNavigation->AdvanceOnEnter && !Force) return;
    const int firstCol = FixedCols(), lastCol = ColCount() - 1 - FixedRightCols;
    const int firstRow = FixedRows(), lastRow = RowCount() - 1 - FixedFooters;
    if (lastCol < firstCol || lastRow < firstRow) return;
    int c = ACol, r = ARow;
    const bool down = FNavigation->AdvanceDirection() == adTopBottom ||
                      FNavigation->AdvanceDirection() == adTopBottomInCol;
    const int cells = (lastCol - firstCol + 1) * (lastRow - firstRow + 1);
    for (int n = 0; n < cells; ++n) {
        if (down) {
            r += Forward ? 1 : -1;
            if (r > lastRow) {
                r = firstRow;
                if (++c > lastCol) c = firstCol;
            } else if (r < firstRow) {
                r = lastRow;
                if (--c < firstCol) c = lastCol;
            }
        } else {
            c += Forward ? 1 : -1;
            if (c > lastCol) {
                c = firstCol;
                if (++r > lastRow) r = FNavigation->AdvanceOnEnterLoop ? firstRow : lastRow;
            } else if (c < firstCol) {
                c = lastCol;
                if (--r < firstRow) r = lastRow;
            }
        }
        // Read-only cells are passed over.
        if (!FNavigation->AdvanceSkipReadOnlyCells || CanEditCell(c, r) || Nested) break;
    }
    FocusCell(c, r, true);
    if (ShowEditor && AutoEdit && FNavigation->AdvanceAutoEdit && IsEditable(Col(), Row())) ShowInplaceEdit();
}

bool TExtStringGrid::IsLastDataRow()
{
    if (FFloatingFooter && FFloatingFooter->Visible) return Row() == RowCount() - 2;
    return Row() == RowCount() - FixedFooters - 1;
}

void TExtStringGrid::AppendRowOnArrowDown()
{
    bool can = true;
    FireCanAddRow(can);
    if (!can) return;
    const int at = RowCount() - FixedFooters - ((FFloatingFooter && FFloatingFooter->Visible) ? 1 : 0);
    InsertDisplayRows(at, 1);
    SetRow(at);
    if (OnAutoAddRow) OnAutoAddRow(this, at);
}
