// Keys on the grid: Enter and F2 on cells that may or may not be edited, Space on
// check boxes, Tab through the cells that can take it, the advance after an edit, and
// the key-press event that the window hears before the grid's own Enter handling.
#include <algorithm>
#include <vector>

#include "grid/core/ExtGrid.h"
#include "grid/core/ExchangeHooks.h"
#include "grid/undo/GridUndoRedo.h"
#include "platform/gui/Clipbrd.h"

namespace {
bool IsArrow(WORD k) { return k == VK_LEFT || k == VK_RIGHT || k == VK_UP || k == VK_DOWN; }

enum class TClipKey { None, Cut, Copy, Paste };

TClipKey ClipboardKey(WORD Key, TShiftState Shift)
{
    if (Shift == TShiftState{ssCtrl}) {
        if (Key == 'X') return TClipKey::Cut;
        if (Key == 'C' || Key == VK_INSERT) return TClipKey::Copy;
        if (Key == 'V') return TClipKey::Paste;
    }
    if (Shift == TShiftState{ssShift}) {
        if (Key == VK_DELETE) return TClipKey::Cut;
        if (Key == VK_INSERT) return TClipKey::Paste;
    }
    return TClipKey::None;
}
}

void TExtStringGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    // The key-up handling compares the selection with the one before the key.
    FKeySelection = Selection();
    const int rc = RealColIndex(Col());
    if (FNavigation->MoveScrollOnly && ScrollOnlyKey(Key)) {
        Key = 0;
        return;
    }
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
    // Ctrl+F with the search footer shown takes the user to its edit.
    if (Key == 'F' && Shift == TShiftState{ssCtrl} && FSearchFooter->Visible() && FSearchPanel &&
        FSearchPanel->Edit()->CanFocus()) {
        FSearchPanel->Edit()->SetFocus();
        Key = 0;
        return;
    }
    // A cell of form controls is no text to edit: Enter and F2 open its first edit
    // control (when the cell may be edited) instead of an editor over the markup.
    if ((Key == VK_RETURN || Key == VK_F2) && IsHTMLControlCell(Col(), Row())) {
        if (CanEditControls(rc, Row())) StartControlEdit(Col(), Row(), String());
        Key = 0;
        return;
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
        // The window hears the key after the move, as it does in the default mode.
        if (he == heFirstLastCell) {
            if (Key == VK_HOME) MoveColRow(FixedCols(), FixedRows(), true, true);
            else MoveColRow(ColCount() - 1, RowCount() - 1, true, true);
            if (OnKeyDown) OnKeyDown(this, Key, Shift);
            Key = 0;
            return;
        }
        if (he == heFirstLastRow) {
            const bool floating = FFloatingFooter && FFloatingFooter->Visible && RowCount() > 2;
            const int last = floating ? RowCount() - 2 : lastData;
            const int r = Key == VK_HOME ? FixedRows() : std::max(FixedRows(), last);
            MoveColRow(Col(), r, !Shift.Contains(ssShift), true);
            if (OnKeyDown) OnKeyDown(this, Key, Shift);
            Key = 0;
            return;
        }
    }
    // On a node row whose current cell is merged (a merged group header) Right opens
    // and Left closes the node.
    if (Shift.Empty() && NodeKeyDown(Key)) {
        Key = 0;
        return;
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
    // Fixed cells inside the scrollable area are stepped over.
    if (IsArrow(Key) && Shift.Empty() && FNavigation->SkipFixedCells && SkipFixedCellsKey(Key)) {
        if (OnKeyDown) OnKeyDown(this, Key, Shift);
        Key = 0;
        return;
    }
    const TClipKey clip = FNavigation->AllowClipboardShortCuts ? ClipboardKey(Key, Shift) : TClipKey::None;
    // Rows added, inserted and deleted from the keyboard.
    if (Key == VK_DOWN && Shift.Empty() && FNavigation->AppendOnArrowDown && IsLastDataRow()) {
        AppendRowOnArrowDown();
        Key = 0;
        return;
    }
    if (clip == TClipKey::None && Key == VK_INSERT && Shift.Empty() && FNavigation->AllowInsertRow && !EditMode) {
        bool can = true;
        FireCanInsertRow(Row(), can);
        if (can) {
            const int at = FNavigation->InsertPosition == pInsertAfter ? Row() + 1 : Row();
            AutoInsertRow(at);
            if (OnAutoInsertRow) OnAutoInsertRow(this, at);
            Modified = true;
            SetRow(at);
            // The current cell's text before an edit is the new row's, not the text of
            // the row that stood there (an edit's undo restores it), as after a deletion.
            StoreOldCellValue(Col(), Row());
            CalcFooter(-1);
        }
        Key = 0;
        return;
    }
    if (clip == TClipKey::None && Key == VK_DELETE && !Shift.Contains(ssAlt) && FNavigation->AllowDeleteRow && !EditMode &&
        RowCount() > FixedRows() + FixedFooters) {
        bool can = true;
        if (OnCanDeleteRow) OnCanDeleteRow(this, RealRowIndex(Row()), can);
        if (can) {
            AutoDeleteRow(Row());
            StoreOldCellValue(Col(), Row());
            Modified = true;
            CalcFooter(-1);
        }
        Key = 0;
        return;
    }
    const TGridCoord before(Col(), Row());
    const WORD key = Key;
    TBaseGrid::KeyDown(Key, Shift);
    if (clip != TClipKey::None) {
        bool Allow = true;
        if (clip == TClipKey::Cut) {
            if (OnClipboardCut) OnClipboardCut(this, Allow);
            if (Allow) CutSelectionToClipboard();
        } else if (clip == TClipKey::Copy) {
            if (OnClipboardCopy) OnClipboardCopy(this, Allow);
            if (Allow) CopySelectionToClipboard();
        } else {
            if (OnClipboardPaste) OnClipboardPaste(this, Allow);
            if (Allow) PasteSelectionFromClipboard();
        }
        Key = 0;
        return;
    }
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
    if ((key == VK_UP || key == VK_DOWN) && Row() == before.Y) SkipDisabledRowsKey(key, before.Y);
}

bool TExtStringGrid::ScrollOnlyKey(WORD Key)
{
    const int top = TopRow(), vis = VisibleRowCount(), fr = FixedRows();
    switch (Key) {
    case VK_PRIOR:
        SetTopRow(top > vis + fr ? top - vis : fr);
        return true;
    case VK_NEXT:
        if (top + vis < RowCount()) SetTopRow(std::min(top + vis, std::max(fr, RowCount() - vis)));
        return true;
    case VK_HOME:
        SetTopRow(fr);
        return true;
    case VK_END:
        SetTopRow(std::max(fr, RowCount() - vis));
        return true;
    case VK_UP:
        if (top > fr) SetTopRow(top - 1);
        return true;
    case VK_DOWN:
        if (top + vis < RowCount()) SetTopRow(top + 1);
        return true;
    default:
        return false;
    }
}

bool TExtStringGrid::SkipFixedCellsKey(WORD Key)
{
    const int firstCol = FixedCols(), lastCol = ColCount() - 1 - FixedRightCols;
    const int firstRow = FixedRows(), lastRow = RowCount() - 1 - FixedFooters;
    const bool rowSelect = Options().Contains(goRowSelect);
    int dx = 0, dy = 0;
    switch (Key) {
    case VK_LEFT: dx = -1; break;
    case VK_RIGHT: dx = 1; break;
    case VK_UP: dy = -1; break;
    default: dy = 1; break;
    }
    // With whole rows selected the move goes to the next row instead.
    if (rowSelect && dx != 0) return false;
    int c = Col() + dx, r = Row() + dy;
    const auto inside = [&] { return c >= firstCol && c <= lastCol && r >= firstRow && r <= lastRow; };
    if (!inside() || !IsFixed(c, r)) return false;
    while (inside() && IsFixed(c, r)) {
        c += dx;
        r += dy;
    }
    if (!inside()) return false;
    MoveColRow(c, r, true, true);
    return Col() == c && Row() == r;
}

void TExtStringGrid::SkipDisabledRowsKey(WORD Key, int FromRow)
{
    if (!FUseEnabledRows || !FNavigation->SkipDisabledRows) return;
    const int firstRow = FixedRows(), lastRow = RowCount() - 1 - FixedFooters;
    const int d = Key == VK_UP ? -1 : 1;
    for (int r = FromRow + d; r >= firstRow && r <= lastRow; r += d)
        if (GetRowEnabled(r)) {
            MoveColRow(Col(), r, true, true);
            return;
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
    if (FNavigation->AutoGotoWhenSorted && !Options().Contains(goEditing)) IncrementalSearchKey(Key);
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
                // A Tab past the last cell may add a row to go on in.
                if (FNavigation->AdvanceInsert() && AppendRowOnArrowDown()) {
                    r = Row();
                    FocusCell(firstCol, r, true);
                    return true;
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
                if (++r > lastRow) {
                    // Enter past the last cell adds a row when the settings allow one;
                    // the advance stops there when the new row has nothing to edit.
                    if (FNavigation->AdvanceInsert() && AppendRowOnArrowDown()) {
                        r = Row();
                        int e = firstCol;
                        while (e <= lastCol && !CanEditCell(e, r)) ++e;
                        FocusCell(e <= lastCol ? e : firstCol, r, true);
                        if (e <= lastCol && ShowEditor && AutoEdit && FNavigation->AdvanceAutoEdit && IsEditable(Col(), Row()))
                            ShowInplaceEdit();
                        return;
                    }
                    r = FNavigation->AdvanceOnEnterLoop ? firstRow : lastRow;
                }
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

bool TExtStringGrid::AppendRowOnArrowDown()
{
    bool can = true;
    FireCanAddRow(can);
    if (!can) return false;
    const int at = RowCount() - FixedFooters - ((FFloatingFooter && FFloatingFooter->Visible) ? 1 : 0);
    {
        // The new row is a step of the linked undo history.
        TUndoRowsScope undoStep(this, TUndoRowChange::rcInsert, at, 1);
        InsertDisplayRows(at, 1);
    }
    SetRow(at);
    if (OnAutoAddRow) OnAutoAddRow(this, at);
    return true;
}

// ---------------------------------------------------------------- clipboard

void TExtStringGrid::CopySelectionToClipboard()
{
    if (GridExchangeHooks().CopySelection) return GridExchangeHooks().CopySelection(*this);
    Clipboard()->SetAsText(SelectedText());
}

void TExtStringGrid::CutSelectionToClipboard()
{
    if (GridExchangeHooks().CutSelection) return GridExchangeHooks().CutSelection(*this);
    CopySelectionToClipboard();
    const TGridRect R = Selection();
    TCellChanges changes;
    BeginUpdate();
    for (int r = std::max(R.Top, FixedRows()); r <= R.Bottom && r < RowCount(); ++r) {
        if (FMouseActions->DisjunctRowSelect() && !GetRowSelect(r)) continue;
        for (int c = std::max(R.Left, FixedCols()); c <= R.Right && c < ColCount(); ++c) {
            const String old = GetCellEx(RealColIndex(c), r);
            if (!CanEditCell(c, r) || old.empty()) continue;
            SetCellEx(RealColIndex(c), r, "");
            changes.push_back({RealColIndex(c), r, old, ""});
        }
    }
    EndUpdate();
    if (!changes.empty()) Modified = true;
    RegisterUndoChanges(changes, true);
}

void TExtStringGrid::RegisterUndoChanges(const TCellChanges& Changes, bool AsSequence)
{
    // One step of the history per user action: a block of cells is undone as a whole.
    if (!FUndoRedo || Changes.empty()) return;
    if (AsSequence) FUndoRedo->StartSequence();
    for (const TCellChange& ch : Changes) FUndoRedo->RegisterChange(ch.Col, ch.Row, ch.OldValue, ch.NewValue);
    if (AsSequence) FUndoRedo->StopSequence();
}

void TExtStringGrid::PasteSelectionFromClipboard()
{
    if (GridExchangeHooks().PasteSelection) return GridExchangeHooks().PasteSelection(*this);
    String text = Clipboard()->AsText();
    if (text.empty()) return;
    // One line per row; a final line break ends the last row and adds none.
    std::vector<String> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == String::npos) end = text.size();
        String line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
    const TGridRect R = Selection();
    TCellChanges changes;
    BeginUpdate();
    for (size_t i = 0; i < lines.size(); ++i) {
        const int r = R.Top + int(i);
        if (r >= RowCount() - FixedFooters) break;
        size_t from = 0;
        for (int c = R.Left; c < ColCount(); ++c) {
            const size_t tab = lines[i].find('\t', from);
            const String v = lines[i].substr(from, tab == String::npos ? String::npos : tab - from);
            const String old = GetCellEx(RealColIndex(c), r);
            if (CanEditCell(c, r) && old != v) {
                SetCellEx(RealColIndex(c), r, v);
                changes.push_back({RealColIndex(c), r, old, v});
            }
            if (tab == String::npos) break;
            from = tab + 1;
        }
    }
    EndUpdate();
    if (!changes.empty()) Modified = true;
    // One pasted field is a change of one cell; a block is one sequence.
    const bool block = lines.size() > 1 || lines[0].find('\t') != String::npos;
    RegisterUndoChanges(changes, block);
}
