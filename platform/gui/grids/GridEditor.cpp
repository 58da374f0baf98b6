// The grid's side of in-place editing: when the editor shows, where, with what text,
// and how its text goes back into the cell.
#include "platform/gui/Forms.h"
#include "platform/gui/Grids.h"

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::IsActiveControl()
{
    TWinControl* focused = FindFocusedControl();
    if (focused && (focused == this || (FInplaceEdit && focused == FInplaceEdit))) return true;
    if (TForm* form = GetParentForm(this)) {
        TWinControl* a = form->ActiveControl();
        return a && (a == this || (FInplaceEdit && a == FInplaceEdit));
    }
    return false;
}

bool TCustomGrid::CanEditShow()
{
    const bool cellInGrid = FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows && FCurrent.X < FColCount &&
                            FCurrent.Y < FRowCount;
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode && cellInGrid &&
           (FOptions.Contains(goAlwaysShowEditor) || IsActiveControl());
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor()
{
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::SetEditorMode(bool Value)
{
    if (!Value) {
        HideEditor();
        return;
    }
    ShowEditor();
    if (FInplaceEdit) FInplaceEdit->Deselect();
}

void TCustomGrid::ShowEditorChar(WideChar Ch)
{
    ShowEditor();
    if (FInplaceEdit && FInplaceEdit->Visible()) FInplaceEdit->Perform(WM_CHAR, WPARAM(Ch), 0);
}

void TCustomGrid::UpdateEdit()
{
    if (!CanEditShow()) return;
    auto load = [this] {
        FInplaceCol = FCurrent.X;
        FInplaceRow = FCurrent.Y;
        FInplaceEdit->UpdateContents();
        FCanEditModify = FInplaceEdit->MaxLength() != -1;
        FInplaceEdit->SelectAll();
    };
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->SetGrid(this);
        FInplaceEdit->SetParent(this);
        load();
    } else if (FCurrent.X != FInplaceCol || FCurrent.Y != FInplaceRow) {
        HideEdit();
        load();
    }
    if (CanEditShow()) FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
}

void TCustomGrid::HideEdit()
{
    if (!FInplaceEdit) return;
    struct Finally {
        TCustomGrid* g;
        ~Finally()
        {
            g->FInplaceCol = -1;
            g->FInplaceRow = -1;
            g->FInplaceEdit->Hide();
            g->InvalidateCell(g->FCurrent.X, g->FCurrent.Y);
        }
    } finally{this};
    UpdateText();
}

void TCustomGrid::UpdateText()
{
    if (FInplaceCol != -1 && FInplaceRow != -1) SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TCustomGrid::InvalidateEditor()
{
    FInplaceCol = -1;
    FInplaceRow = -1;
    UpdateEdit();
}
