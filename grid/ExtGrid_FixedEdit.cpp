// Editing fixed cells (headers) in place: which click opens the editor, and the editor
// (a borderless edit or a combo box with the configured values) laid over the cell.
#include "grid/ExtGrid.h"

void TExtStringGrid::EditFixedCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    // One fixed cell is edited at a time; an editor that keeps a refused text blocks.
    if (FTransEdit->Visible() && !FTransEdit->StopEdit()) return;
    if (FTransCombo->Visible() && !FTransCombo->StopEdit()) return;
    const int rc = RealColIndex(ACol);
    bool CanEdit = true;
    FireCanEditCellEvent(rc, ARow, CanEdit);
    if (!CanEdit) return;
    FFixedColEdit = rc;
    FFixedRowEdit = ARow;
    TGridFixedCellEditor kind = ACol < FixedCols() ? FMouseActions->FixedColsEditor : FMouseActions->FixedRowsEditor;
    TStringList* items = FTransCombo->Items();
    items->Assign(*FMouseActions->FixedComboValues());
    FireFixedEdit(rc, ARow, items, kind);
    TRect R = CellRect(ACol, ARow);
    InflateRect(R, -1, -1);
    const String text = GetCellEx(rc, ARow);
    auto change = [this](TObject* Sender) { HandleFixedEditChange(Sender); };
    if (kind == fceComboEdit || kind == fceComboList) {
        TGridTransCombo* cb = FTransCombo;
        cb->OnChange = nullptr;
        cb->SetStyle(kind == fceComboEdit ? csDropDown : csDropDownList);
        cb->SetBounds(R.Left - 1, R.Top - 1, R.Right - R.Left + 1, R.Bottom - R.Top);
        cb->SetItemIndex(items->IndexOf(text));
        if (kind == fceComboEdit) cb->SetText(text);
        cb->SetCol(rc);
        cb->SetRow(ARow);
        cb->OnChange = change;
        cb->SetVisible(true);
        if (cb->CanFocus()) cb->SetFocus();
        return;
    }
    TGridTransEdit* ed = FTransEdit;
    ed->OnChange = nullptr;
    ed->SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
    ed->SetText(text);
    ed->SetCol(rc);
    ed->SetRow(ARow);
    ed->OnChange = change;
    ed->SetVisible(true);
    if (ed->CanFocus()) ed->SetFocus();
}

void TExtStringGrid::HandleFixedEditChange(TObject* Sender)
{
    if (!OnEditChange) return;
    if (Sender == FTransEdit) OnEditChange(this, FTransEdit->Col(), FTransEdit->Row(), FTransEdit->Text());
    else if (Sender == FTransCombo) OnEditChange(this, FTransCombo->Col(), FTransCombo->Row(), FTransCombo->Text());
}

void TExtStringGrid::FixedCellEditOnMouseDown(TMouseButton Button, int X, int Y, int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    const TGridFixedCellEdit want = Button == mbLeft ? fceLeftClick : Button == mbRight ? fceRightClick : fceNone;
    if (want == fceNone) return;
    const TRect R = CellRect(ACol, ARow);
    // Near a border where the mouse sizes a column (row) the press is for sizing.
    if (ARow < FixedRows() && FMouseActions->FixedRowsEdit == want) {
        if (Options().Contains(goColSizing) && (X < R.Left + 4 || X >= R.Right - 4)) return;
        EditFixedCell(ACol, ARow);
    } else if (ACol < FixedCols() && FMouseActions->FixedColsEdit == want) {
        if (Options().Contains(goRowSizing) && (Y < R.Top + 4 || Y >= R.Bottom - 4)) return;
        EditFixedCell(ACol, ARow);
    }
}

void TExtStringGrid::FixedCellEditOnDblClick(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
    if ((ARow < FixedRows() && FMouseActions->FixedRowsEdit == fceDblClick) ||
        (ACol < FixedCols() && FMouseActions->FixedColsEdit == fceDblClick))
        EditFixedCell(ACol, ARow);
}
