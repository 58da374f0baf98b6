// The editors of fixed cells: a borderless edit and a combo box laid over a header cell.
// They validate and store their own text when they lose the focus; a refused text keeps
// the editor open and it takes the focus back once the focus change that left it is over.
#include "grid/core/ExtGrid.h"
#include "gridedit/GridEditorLibrary.h"
#include "gridedit/GridEditors.h"

namespace {
// Posted to a fixed-cell editor whose text was refused while the focus was leaving it:
// a focus change cannot be turned round from inside itself.
constexpr unsigned WM_FIXEDEDIT_REFOCUS = WM_USER + 0x2F1;

// The common end of both editors: OnCellValidate, then the store and OnEditingDone, or
// the editor kept open with the grid's current cell moved towards the edited cell.
bool StopFixedEdit(TWinControl* Editor, TExtStringGrid* Grid, int ACol, int ARow, String Value)
{
    if (!Grid) {
        Editor->SetVisible(false);
        return true;
    }
    bool Valid = true;
    if (Grid->OnCellValidate) Grid->OnCellValidate(Grid, ACol, ARow, Value, Valid);
    if (Valid) {
        if (Grid->OnEditingDone) Grid->OnEditingDone(Grid);
        if (ACol >= 0 && ARow >= 0 && ACol < Grid->TotalColCount() && ARow < Grid->RowCount())
            Grid->SetCellEx(ACol, ARow, Value);
        Editor->SetVisible(false);
        return true;
    }
    // A fixed cell cannot be the current cell: the current cell goes to the edited
    // cell's column (and row) as far as they lie in the scrollable part.
    const int dc = Grid->DisplColIndex(ACol);
    if (dc >= Grid->FixedCols() && dc < Grid->ColCount() && dc != Grid->Col()) Grid->SetCol(dc);
    if (ARow >= Grid->FixedRows() && ARow < Grid->RowCount() && ARow != Grid->Row()) Grid->SetRow(ARow);
    if (Editor->CanFocus()) Editor->SetFocus();
    PostMessage(Editor->Handle(), WM_FIXEDEDIT_REFOCUS, 0, 0);
    return false;
}

// The editor closes without storing and the grid gets the focus back. Hidden first, so
// that losing the focus does not store the text.
void CancelFixedEdit(TWinControl* Editor, TExtStringGrid* Grid)
{
    Editor->SetVisible(false);
    if (Grid && Grid->CanFocus()) Grid->SetFocus();
}

bool RefocusMessage(TWinControl* Editor, TMessage& msg)
{
    if (msg.Msg != WM_FIXEDEDIT_REFOCUS) return false;
    if (Editor->Visible() && Editor->CanFocus() && !Editor->Focused()) Editor->SetFocus();
    return true;
}
}

// ---------------------------------------------------------------- edit

TGridTransEdit::TGridTransEdit(TExtStringGrid* AGrid) : TEdit(AGrid), FGrid(AGrid)
{
    SetVisible(false);
    SetParent(AGrid);
    SetTabStop(false);
}

int TGridTransEdit::Row() const { return FGrid ? FGrid->FFixedRowEdit : -1; }
void TGridTransEdit::SetRow(int v)
{
    if (FGrid) FGrid->FFixedRowEdit = v;
}
int TGridTransEdit::Col() const { return FGrid ? FGrid->FFixedColEdit : -1; }
void TGridTransEdit::SetCol(int v)
{
    if (FGrid) FGrid->FFixedColEdit = v;
}

bool TGridTransEdit::StopEdit() { return StopFixedEdit(this, FGrid, Col(), Row(), Text()); }

void TGridTransEdit::WndProc(TMessage& msg)
{
    if (RefocusMessage(this, msg)) return;
    TEdit::WndProc(msg);
}

void TGridTransEdit::KeyDown(WORD& key, TShiftState shift)
{
    TEdit::KeyDown(key, shift);
    if (key == VK_ESCAPE) {
        key = 0;
        CancelFixedEdit(this, FGrid);
    }
}

void TGridTransEdit::KeyPress(WideChar& key)
{
    if (key == 13) key = 0;
    TEdit::KeyPress(key);
}

void TGridTransEdit::DoExit()
{
    TEdit::DoExit();
    if (Visible()) StopEdit();
}

// ---------------------------------------------------------------- combo

TGridTransCombo::TGridTransCombo(TExtStringGrid* AGrid) : TComboBox(AGrid), FGrid(AGrid)
{
    SetVisible(false);
    SetParent(AGrid);
    SetTabStop(false);
}

bool TGridTransCombo::StopEdit()
{
    String value = Text();
    if (Style() == csDropDownList) {
        const int idx = ItemIndex();
        value = idx >= 0 && idx < Items()->Count() ? Items()->Strings(idx) : String();
    }
    return StopFixedEdit(this, FGrid, Col(), Row(), value);
}

int TGridTransCombo::Row() const { return FGrid ? FGrid->FFixedRowEdit : -1; }
void TGridTransCombo::SetRow(int v)
{
    if (FGrid) FGrid->FFixedRowEdit = v;
}
int TGridTransCombo::Col() const { return FGrid ? FGrid->FFixedColEdit : -1; }
void TGridTransCombo::SetCol(int v)
{
    if (FGrid) FGrid->FFixedColEdit = v;
}

void TGridTransCombo::WndProc(TMessage& msg)
{
    if (RefocusMessage(this, msg)) return;
    TComboBox::WndProc(msg);
}

void TGridTransCombo::KeyDown(WORD& key, TShiftState shift)
{
    TComboBox::KeyDown(key, shift);
    if (key == VK_ESCAPE && !DroppedDown()) {
        key = 0;
        CancelFixedEdit(this, FGrid);
    }
}

void TGridTransCombo::KeyPress(WideChar& key)
{
    if (key == 13) key = 0;
    TComboBox::KeyPress(key);
}

void TGridTransCombo::DoExit()
{
    TComboBox::DoExit();
    if (Visible()) StopEdit();
}

// ---------------------------------------------------------------- opening

void TGridEditorLibrary::EditFixedCell(TExtStringGrid* G, int ACol, int ARow)
{
    TGridTransEdit* ed = FixedCellEdit(G);
    TGridTransCombo* cb = FixedCellCombo(G);
    if (!ed || !cb) return;
    // One fixed cell is edited at a time; an editor that keeps a refused text blocks.
    if (ed->Visible() && !ed->StopEdit()) return;
    if (cb->Visible() && !cb->StopEdit()) return;
    const int rc = G->RealColIndex(ACol);
    bool CanEdit = true;
    G->FireCanEditCellEvent(rc, ARow, CanEdit);
    if (!CanEdit) return;
    G->FFixedColEdit = rc;
    G->FFixedRowEdit = ARow;
    TGridFixedCellEditor kind =
        ACol < G->FixedCols() ? G->FMouseActions->FixedColsEditor : G->FMouseActions->FixedRowsEditor;
    TStringList* items = cb->Items();
    items->Assign(*G->FMouseActions->FixedComboValues());
    G->FireFixedEdit(rc, ARow, items, kind);
    TRect R = G->CellRect(ACol, ARow);
    InflateRect(R, -1, -1);
    const String text = G->GetCellEx(rc, ARow);
    auto change = [G](TObject* Sender) { FixedEditChange(G, Sender); };
    if (kind == fceComboEdit || kind == fceComboList) {
        cb->OnChange = nullptr;
        cb->SetStyle(kind == fceComboEdit ? csDropDown : csDropDownList);
        cb->SetBounds(R.Left - 1, R.Top - 1, R.Right - R.Left + 1, R.Bottom - R.Top);
        cb->SetItemIndex(items->IndexOf(text));
        if (kind == fceComboEdit) cb->SetText(text);
        cb->SetCol(rc);
        cb->SetRow(ARow);
        cb->OnChange = change;
        G->FixedEditorOpened(cb);
        cb->SetVisible(true);
        if (cb->CanFocus()) cb->SetFocus();
        return;
    }
    ed->OnChange = nullptr;
    ed->SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
    ed->SetText(text);
    ed->SetCol(rc);
    ed->SetRow(ARow);
    ed->OnChange = change;
    G->FixedEditorOpened(ed);
    ed->SetVisible(true);
    if (ed->CanFocus()) ed->SetFocus();
}

void TGridEditorLibrary::FixedEditChange(TExtStringGrid* G, TObject* Sender)
{
    if (!G->OnEditChange) return;
    TGridTransEdit* ed = FixedCellEdit(G);
    TGridTransCombo* cb = FixedCellCombo(G);
    if (Sender == ed) G->OnEditChange(G, ed->Col(), ed->Row(), ed->Text());
    else if (Sender == cb) G->OnEditChange(G, cb->Col(), cb->Row(), cb->Text());
}
