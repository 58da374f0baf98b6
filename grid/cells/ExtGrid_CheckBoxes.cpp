// Check boxes and radio controls in cells. A data check box keeps its state in the cell
// text: checked exactly when the text equals the cell's check-true text ("Y" unless
// changed), so the saved value of such a cell is its text.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/undo/GridUndoRedo.h"
#include "grid/util/GridSupport.h"

namespace {
const TCellTypeSet kToggleKinds{ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctTriStateCheckBox};

TCellVAlign ObjectVAlign(TVAlignment va)
{
    return va == vtaCenter ? vaCenter : va == vtaBottom ? vaBottom : vaTop;
}
}

// ---------------------------------------------------------------- row selection

bool TExtStringGrid::GetRowSelect(int ARow)
{
    // Rows count with the hidden ones (a persistent selection is kept by real row).
    if (ARow < 0 || (!FMouseActions->RowSelectPersistent && ARow >= RowCount() + NumHiddenRows()))
        throw EExtGridError("Invalid row " + IntToStr(ARow) + " accessed");
    return size_t(ARow) < FRowSelect.size() && FRowSelect[size_t(ARow)];
}

void TExtStringGrid::SetRowSelect(int ARow, bool Value)
{
    // A grid with nothing but fixed rows takes any row.
    if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && RowCount() > FixedRows()))
        throw EExtGridError("Invalid row accessed");
    const bool was = size_t(ARow) < FRowSelect.size() && FRowSelect[size_t(ARow)];
    if (size_t(ARow) >= FRowSelect.size() || was != Value) {
        bool Allow = true;
        if (OnRowDisjunctSelect) OnRowDisjunctSelect(this, ARow, Value, Allow);
        if (!Allow) return;
    }
    if (FRowSelect.size() <= size_t(ARow)) FRowSelect.resize(size_t(ARow) + 1, false);
    FRowSelect[size_t(ARow)] = Value;
    if (was != Value && ARow < RowCount()) InvalidateRow(ARow);
    // The list of selected rows holds scrollable rows only, each once.
    if (Value) {
        if (ARow >= FixedRows() && FSelectedRows->IndexOf(ARow) < 0) FSelectedRows->Add(ARow);
    } else {
        FSelectedRows->DeleteValue(ARow);
    }
    if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

void TExtStringGrid::SelectionToRowSelect(bool Clear)
{
    const TGridRect sel = Selection();
    for (int r = 0; r < RowCount(); ++r) {
        if (r >= sel.Top && r <= sel.Bottom) SetRowSelect(r, true);
        else if (Clear && GetRowSelect(r)) SetRowSelect(r, false);
    }
}

// ---------------------------------------------------------------- adding and removing

void TExtStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
        throw EExtGridError("Invalid cell");
    CreateCellGraphic(ACol, ARow)->SetCheckBox(State, Data, true, haBeforeText, ObjectVAlign(VAlignment));
    if (Data) {
        // The grid's own texts decide here, whatever the cell's check texts are.
        const String text = GetCellEx(ACol, ARow);
        if (text != CheckTrue && text != CheckFalse) SetCellEx(ACol, ARow, State ? CheckTrue : CheckFalse);
    }
}

void TExtStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
        throw EExtGridError("Invalid cell");
    CreateCellGraphic(ACol, ARow)->SetCheckBox(State, true, haBeforeText, ObjectVAlign(VAlignment));
}

void TExtStringGrid::RemoveCheckBox(int ACol, int ARow)
{
    const TCellType t = GetCellType(ACol, ARow);
    if (t != ctCheckBox && t != ctDataCheckBox && t != ctTriStateCheckBox) return;
    // The object frees a balloon it carries.
    RemoveCellGraphic(ACol, ARow);
}

void TExtStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox)
{
    const int first = FMouseActions->CheckAllCheck ? 0 : FixedRows();
    for (int r = first; r < RowCount(); ++r) AddCheckBox(ACol, r, DefaultState, DataCheckBox);
}

void TExtStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState state)
{
    const int first = FMouseActions->CheckAllCheck ? 0 : FixedRows();
    for (int r = first; r < RowCount(); ++r) AddCheckBox(ACol, r, state);
}

void TExtStringGrid::RemoveCheckBoxColumn(int ACol)
{
    const int first = FMouseActions->CheckAllCheck ? 0 : FixedRows();
    for (int r = first; r < RowCount(); ++r)
        if (HasCheckBox(ACol, r)) RemoveCheckBox(ACol, r);
}

bool TExtStringGrid::HasCheckBox(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, kToggleKinds); }

bool TExtStringGrid::HasDataCheckBox(int ACol, int ARow)
{
    return CellTypeInSet(ACol, ARow, {ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox});
}

bool TExtStringGrid::IsControlCell(int ACol, int ARow)
{
    return CellTypeInSet(ACol, ARow, {ctCheckBox, ctDataCheckBox, ctRadio, ctButton, ctVirtCheckBox, ctRowCheckBox,
                                      ctRadioButton, ctTriStateCheckBox});
}

// ---------------------------------------------------------------- states

bool TExtStringGrid::GetCheckBoxState(int ACol, int ARow, bool& state)
{
    String checkTrue;
    GetCheckTrue(ACol, ARow, checkTrue);
    if (NumHiddenRows() == 0) {
        TCellGraphic* g = GetCellGraphic(ACol, ARow);
        if (!g) return false;
        switch (g->CellType) {
        case ctCheckBox:
            state = g->CellBoolean;
            return true;
        case ctDataCheckBox:
        case ctVirtCheckBox:
            state = GetCellEx(ACol, ARow) == checkTrue;
            return true;
        case ctRowCheckBox:
            if (ACol != 0) return false;
            state = g->CellBoolean;
            return true;
        default:
            return false;
        }
    }
    // Rows are hidden: ARow is a real row, whose record may wait in the hidden-row store.
    TCellGraphic* g = nullptr;
    bool stored = false;
    if (ACol >= 0 && ARow >= 0) {
        TCellProperties* p = nullptr;
        if (IsHiddenRow(ARow)) {
            for (auto& item : FGridItems)
                if (item->Idx == ARow && ACol < item->Items.Count())
                    p = static_cast<TCellProperties*>(item->Items.Objects(ACol));
        } else {
            p = CellPropsOf(ACol, DisplRowIndex(ARow));
        }
        if (p) {
            g = dynamic_cast<TCellGraphic*>(p->FGraphicObject);
            stored = true;
        }
    }
    if (!stored) g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    const String text = stored ? GetCellsEx(ACol, ARow) : GetCellEx(ACol, ARow);
    switch (g->CellType) {
    case ctCheckBox:
        state = g->CellBoolean;
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        state = text == checkTrue;
        return true;
    case ctTriStateCheckBox:
        if (!stored) return false;
        state = text == checkTrue;
        return true;
    case ctRowCheckBox:
        if (ACol != 0) return false;
        state = stored ? GetRowSelect(DisplRowIndex(ARow)) : g->CellBoolean;
        return true;
    default:
        return false;
    }
}

bool TExtStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState& state)
{
    String checkTrue;
    GetCheckTrue(ACol, ARow, checkTrue);
    TCellGraphic* g = nullptr;
    String text;
    if (NumHiddenRows() == 0) {
        g = GetCellGraphic(ACol, ARow);
        if (g) text = GetCellEx(ACol, ARow);
    } else if (ACol >= 0 && ARow >= 0) {
        TCellProperties* p = nullptr;
        if (IsHiddenRow(ARow)) {
            for (auto& item : FGridItems)
                if (item->Idx == ARow && ACol < item->Items.Count())
                    p = static_cast<TCellProperties*>(item->Items.Objects(ACol));
        } else {
            p = CellPropsOf(ACol, DisplRowIndex(ARow));
        }
        if (p) {
            g = dynamic_cast<TCellGraphic*>(p->FGraphicObject);
            text = GetCellsEx(ACol, ARow);
        } else {
            g = GetCellGraphic(ACol, ARow);
            text = GetCellEx(ACol, ARow);
        }
    }
    if (!g) return false;
    switch (g->CellType) {
    case ctCheckBox:
        state = BoolToCheckBoxState(g->CellBoolean);
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        state = BoolToCheckBoxState(text == checkTrue);
        return true;
    case ctTriStateCheckBox:
        state = g->CellCheckBoxState;
        return true;
    case ctRowCheckBox:
        if (ACol != 0) return false;
        state = BoolToCheckBoxState(g->CellBoolean);
        return true;
    default:
        return false;
    }
}

bool TExtStringGrid::IsChecked(int ACol, int ARow)
{
    bool state = false;
    return GetCheckBoxState(ACol, ARow, state) && state;
}

bool TExtStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    bool current = false;
    if (!GetCheckBoxState(ACol, ARow, current)) return false;
    // The object: in the real row's record (hidden or displayed), else the displayed cell.
    TCellGraphic* g = nullptr;
    const bool hidden = NumHiddenRows() > 0 && IsHiddenRow(ARow);
    TGridItem* item = nullptr;
    if (hidden) {
        for (auto& it : FGridItems)
            if (it->Idx == ARow) item = it.get();
        if (item && ACol < item->Items.Count())
            if (auto* p = static_cast<TCellProperties*>(item->Items.Objects(ACol)))
                g = dynamic_cast<TCellGraphic*>(p->FGraphicObject);
    } else {
        g = GetCellGraphic(ACol, DisplRowIndex(ARow));
    }
    if (!g) return false;
    String text;
    switch (g->CellType) {
    case ctCheckBox:
        g->CellBoolean = State;
        if (!hidden) RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        if (State) GetCheckTrue(ACol, ARow, text);
        else GetCheckFalse(ACol, ARow, text);
        if (hidden) item->Items.SetStrings(ACol, text);
        else SetCellEx(ACol, DisplRowIndex(ARow), text);
        return true;
    case ctRowCheckBox:
        if (ACol != 0 || hidden) return false;
        SetRowSelect(DisplRowIndex(ARow), State);
        return true;
    default:
        return false;
    }
}

bool TExtStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State)
{
    TCellGraphic* g = nullptr;
    if (NumHiddenRows() > 0 && IsHiddenRow(ARow)) {
        for (auto& it : FGridItems)
            if (it->Idx == ARow && ACol >= 0 && ACol < it->Items.Count())
                if (auto* p = static_cast<TCellProperties*>(it->Items.Objects(ACol)))
                    g = dynamic_cast<TCellGraphic*>(p->FGraphicObject);
    } else {
        g = GetCellGraphic(ACol, DisplRowIndex(ARow));
    }
    if (!g || g->CellType != ctTriStateCheckBox) return false;
    g->CellCheckBoxState = State;
    RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
    return true;
}

bool TExtStringGrid::SetCheckBoxStateNotify(int ACol, int ARow, bool State)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    switch (g->CellType) {
    case ctCheckBox:
        if (State != g->CellBoolean) {
            g->CellBoolean = State;
            FireCheckBoxChange(ACol, ARow, State);
            RepaintCell(DisplColIndex(ACol), ARow);
        }
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        String checkTrue, text;
        GetCheckTrue(ACol, ARow, checkTrue);
        const bool was = GetCellEx(ACol, ARow) == checkTrue;
        if (State) text = checkTrue;
        else GetCheckFalse(ACol, ARow, text);
        SetCellEx(ACol, ARow, text);
        if (State != was) FireCheckBoxChange(ACol, ARow, State);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0) return false;
        if (State != GetRowSelect(ARow)) {
            SetRowSelect(ARow, State);
            FireCheckBoxChange(ACol, ARow, State);
        }
        return true;
    default:
        return false;
    }
}

void TExtStringGrid::CheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) SetCheckBoxStateNotify(ACol, r, true);
    if (FNumHidden > 0) RepaintCol(DisplColIndex(ACol));
}

void TExtStringGrid::UnCheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) SetCheckBoxStateNotify(ACol, r, false);
}

void TExtStringGrid::RegisterUndo(int ACol, int ARow, const String& Before)
{
    // The history holds cell texts: a box whose state lives in its object (a Boolean or
    // tri-state box, a row's selection box) leaves the text alone and records nothing,
    // and a data box records the text it really had, which need not be the
    // check-false text (an empty cell reads unchecked too).
    if (!FUndoRedo) return;
    const String After = GetCellEx(ACol, ARow);
    if (After != Before) FUndoRedo->RegisterChange(ACol, ARow, Before, After);
}

bool TExtStringGrid::ToggleCheckBoxCell(int ACol, int ARow, bool UserClick)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || !kToggleKinds.Contains(g->CellType)) return false;
    if (UserClick && !FControlLook->CheckAlwaysActive) {
        bool can = true;
        FireCanEditCell(ACol, ARow, can);
        if (!can) return false;
    }
    bool now = false;
    const String before = FUndoRedo ? GetCellEx(ACol, ARow) : String();
    switch (g->CellType) {
    case ctCheckBox:
        g->CellBoolean = !g->CellBoolean;
        now = g->CellBoolean;
        break;
    case ctTriStateCheckBox:
        // Unchecked, grayed, checked, unchecked again on an ordinary row. A group's
        // header box with AutoCheckGroup goes from unchecked straight to checked, and
        // its rows take the state it shows.
        if (FGrouping->AutoCheckGroup && IsNode(ARow)) {
            g->CellCheckBoxState = g->CellCheckBoxState == cbChecked ? cbUnchecked : cbChecked;
            now = g->CellCheckBoxState == cbChecked;
            break;
        }
        g->CellCheckBoxState = g->CellCheckBoxState == cbChecked  ? cbUnchecked
                               : g->CellCheckBoxState == cbGrayed ? cbChecked
                                                                  : cbGrayed;
        now = false;
        break;
    case ctRowCheckBox:
        // The row check box shows the row's selection: the toggle selects or deselects it.
        if (ARow < FixedRows()) {
            bool all = true;
            for (int r = FixedRows(); r < RowCount() && all; ++r) all = GetRowSelect(r);
            now = !all;
            for (int r = FixedRows(); r < RowCount(); ++r) SetRowSelect(r, now);
        } else {
            now = !GetRowSelect(ARow);
            SetRowSelect(ARow, now);
        }
        break;
    default: {
        String t, f;
        GetCheckTrue(ACol, ARow, t);
        GetCheckFalse(ACol, ARow, f);
        now = GetCellEx(ACol, ARow) != t;
        SetCellEx(ACol, ARow, now ? t : f);
        break;
    }
    }
    RepaintCell(DisplColIndex(ACol), ARow);
    FireCheckBoxChange(ACol, ARow, now);
    if (FGrouping->AutoCheckGroup) AutoCheckGroupToggled(ACol, ARow, now);
    RegisterUndo(ACol, ARow, before);
    return true;
}

bool TExtStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || !(kToggleKinds.Contains(g->CellType) || g->CellType == ctRadioButton)) return false;
    if (!FMouseActions->PreciseCheckBoxCheck) return true;
    const TRect R = CellRect(DisplColIndex(ACol), ARow);
    const int K = FControlLook->CheckSize;
    int top = R.Top + 2;
    if (g->CellVAlign == vaBottom) top = R.Bottom - K - 2;
    else if (g->CellVAlign == vaCenter) top = R.Top + (R.Height() - K) / 2;
    TAlignment ha = DefaultAlignment;
    if (TCellProperties* p = CellPropsOf(ACol, ARow)) ha = p->Alignment;
    int left = R.Left + 2;
    if (ha == taRightJustify) {
        left = R.Right - K - 2;
        const String text = GetCellEx(ACol, ARow);
        if (!text.empty()) left -= Canvas()->TextWidth(text);
    } else if (ha == taCenter) {
        left = R.Left + (R.Width() - K) / 2;
    }
    return XPos >= left && XPos < left + K && YPos >= top && YPos < top + K;
}

void TExtStringGrid::FireCheckBoxChange(int ACol, int ARow, bool State)
{
    if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, State);
}

// ---------------------------------------------------------------- radio buttons

void TExtStringGrid::AddRadioButton(int ACol, int ARow, bool State)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() + NumHiddenColumns() || ARow >= RowCount() + NumHiddenRows())
        throw EExtGridError("Invalid cell");
    CreateCellGraphic(ACol, ARow)->SetRadioButton(State, true, haBeforeText, ObjectVAlign(VAlignment));
}

void TExtStringGrid::RemoveRadioButton(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadioButton); }

bool TExtStringGrid::HasRadioButton(int ACol, int ARow) { return CellTypeInSet(ACol, ARow, {ctRadioButton}); }

void TExtStringGrid::AddRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) AddRadioButton(ACol, r, false);
}

void TExtStringGrid::RemoveRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r) RemoveRadioButton(ACol, r);
}

bool TExtStringGrid::IsRadioButtonChecked(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && g->CellType == ctRadioButton && g->CellBoolean;
}

bool TExtStringGrid::SetRadioButtonState(int ACol, int ARow, bool State)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g || g->CellType != ctRadioButton) return false;
    if (State != g->CellBoolean) {
        g->CellBoolean = State;
        RepaintCell(DisplColIndex(ACol), ARow);
    }
    return true;
}

void TExtStringGrid::SetRadioButtonColumnIndex(int ACol, int Index)
{
    for (int r = FixedRows(); r < RowCount(); ++r) SetRadioButtonState(ACol, r, r == Index);
}

int TExtStringGrid::GetRadioButtonColumnIndex(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r)) return r;
    return -1;
}

bool TExtStringGrid::ClickRadioButtonCell(int ACol, int ARow, bool UserClick)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadioButton) return false;
    if (UserClick && !FControlLook->CheckAlwaysActive) {
        bool can = true;
        FireCanEditCell(ACol, ARow, can);
        if (!can) return false;
    }
    if (!g->CellBoolean) {
        g->CellBoolean = true;
        RepaintCell(DisplColIndex(ACol), ARow);
        for (int r = 0; r < RowCount(); ++r) {
            if (r == ARow) continue;
            TCellGraphic* o = GetCellGraphic(ACol, r);
            if (o && o->CellType == ctRadioButton && o->CellBoolean) {
                o->CellBoolean = false;
                RepaintCell(DisplColIndex(ACol), r);
            }
        }
    }
    return true;
}

// ---------------------------------------------------------------- radio groups

void TExtStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStringList* sl)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctRadio;
    g->CellAngle = sl ? sl->Count() : 0;
    g->CellBoolean = DirRadio != 0;
    g->CellIndex = IdxRadio;
    g->CellBitmap = sl;
}

TStringList* TExtStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio)
{
    auto* sl = new TStringList();
    AddRadio(ACol, ARow, DirRadio, IdxRadio, sl);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    g->CellAngle = 0;
    g->CellCreated = true;
    return sl;
}

bool TExtStringGrid::GetRadioIdx(int ACol, int ARow, int& IdxRadio)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    IdxRadio = g->CellIndex;
    return g->CellType == ctRadio;
}

bool TExtStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    g->CellIndex = IdxRadio;
    if (IdxRadio == -1) SetCellEx(ACol, ARow, "");
    RepaintCell(DisplColIndex(ACol), ARow);
    return g->CellType == ctRadio;
}

TStringList* TExtStringGrid::GetRadioStrings(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    return g && g->CellType == ctRadio ? dynamic_cast<TStringList*>(g->CellBitmap) : nullptr;
}

bool TExtStringGrid::IsRadio(int ACol, int ARow) { return GetCellType(ACol, ARow) == ctRadio; }

void TExtStringGrid::RemoveRadio(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadio); }

bool TExtStringGrid::AdvanceRadio(int ACol, int ARow, bool UserClick)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadio) return false;
    if (UserClick && !FControlLook->RadioAlwaysActive) {
        bool can = true;
        FireCanEditCell(ACol, ARow, can);
        if (!can) return false;
    }
    auto* items = dynamic_cast<TStringList*>(g->CellBitmap);
    const int count = items ? items->Count() : 0;
    int next = g->CellIndex >= 0 ? g->CellIndex + 1 : (items ? items->IndexOf(GetCellEx(ACol, ARow)) : -1) + 1;
    if (next >= count) next = 0;
    if (g->CellIndex >= -1) g->CellIndex = next;
    g->CellVar = static_cast<long long>(next);
    if (items && next < count) SetCellEx(ACol, ARow, items->Strings(next));
    return false;
}
