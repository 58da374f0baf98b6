// The combo editor of list cells: a drop-down list (edComboList) or an edit field with a
// list of suggestions (edComboEdit), its keys, wheel, lookup completion and reports.
#include "grid/GridEditors.h"

#include "grid/ExtGrid.h"
#include "platform/rtl/SysUtils.h"

TGridCombo::TGridCombo(TExtStringGrid* AGrid) : TComboBox(AGrid), FGrid(AGrid)
{
    SetVisible(false);
    SetEnabled(false);
    SetParent(AGrid);
    SetTabStop(false);
    OnDropDown = [this](TObject*) {
        if (FGrid->EditMode) FGrid->FireComboDropDown(FGrid->Row(), FGrid->RealColIndex(FGrid->Col()));
    };
    OnCloseUp = [this](TObject*) {
        if (!FGrid->EditMode) return;
        const int row = FGrid->Row(), col = FGrid->RealColIndex(FGrid->Col());
        if (FGrid->MouseActions()->DirectComboClose) {
            ReportChange();
            const bool direct = FGrid->MouseActions()->DirectEdit;
            FGrid->MouseActions()->DirectEdit = false;
            FGrid->HideInplaceEdit();
            FGrid->MouseActions()->DirectEdit = direct;
            if (FGrid->CanFocus()) FGrid->SetFocus();
        }
        FGrid->FireComboCloseUp(row, col);
    };
}

void TGridCombo::ReportChange()
{
    if (!Visible() || !FGrid->EditMode) return;
    const int idx = ItemIndex();
    if (idx == FReportedIndex) return;
    FReportedIndex = idx;
    const String item = idx >= 0 && idx < Items()->Count() ? Items()->Strings(idx) : Text();
    if (FGrid->OnComboChange) FGrid->OnComboChange(FGrid, FGrid->RealColIndex(FGrid->Col()), FGrid->Row(), idx, item);
    if (FGrid->OnComboObjectChange)
        FGrid->OnComboObjectChange(FGrid, FGrid->RealColIndex(FGrid->Col()), FGrid->Row(), idx, item,
                                   idx >= 0 && idx < Items()->Count() ? Items()->Objects(idx) : nullptr);
}

void TGridCombo::KeyDown(WORD& key, TShiftState shift)
{
    const bool list = Style() == csDropDownList;
    const bool dropped = DroppedDown() || list;
    bool editorKey = false;
    if (dropped)
        editorKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_LEFT || key == VK_RIGHT;
    else
        editorKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_PRIOR || key == VK_NEXT ||
                    key == VK_END || key == VK_UP || key == VK_DOWN;
    if (key == VK_DOWN && shift.Contains(ssAlt)) editorKey = false;
    if (!editorKey) {
        // In the list style Up and Down step through the items.
        if (list && !DroppedDown() && (key == VK_UP || key == VK_DOWN) && !shift.Contains(ssAlt)) {
            const int n = Items()->Count();
            int idx = ItemIndex();
            if (key == VK_DOWN && idx < n - 1) ++idx;
            else if (key == VK_UP && idx > 0) --idx;
            if (n > 0 && idx != ItemIndex()) {
                SetItemIndex(idx);
                ReportChange();
            }
            key = 0;
            return;
        }
        TComboBox::KeyDown(key, shift);
        return;
    }
    if (key == VK_ESCAPE) {
        const String cur = FGrid->GetCurrentCell();
        const int idx = Items()->IndexOf(cur);
        if (list) SetItemIndex(idx);
        else SetText(cur);
        if (idx >= 0 && !list) SetItemIndex(idx);
        FGrid->HideInplaceEdit();
        if (FGrid->CanFocus()) FGrid->SetFocus();
        key = 0;
        return;
    }
    const bool tabTaken = key == VK_TAB && FGrid->EditorWantsTab();
    if (key == VK_RETURN || key == VK_UP || key == VK_DOWN || tabTaken) {
        const int idx = ItemIndex();
        const String text = list ? (idx >= 0 && idx < Items()->Count() ? Items()->Strings(idx) : String()) : Text();
        FGrid->SetCurrentCell(text);
        if (!FGrid->ValidateCell(text)) {
            if (list) SetItemIndex(Items()->IndexOf(FGrid->FNewCellText));
            else SetText(FGrid->FNewCellText);
            key = 0;
            return;
        }
        const String cell = FGrid->GetCurrentCell();
        if (list) SetItemIndex(Items()->IndexOf(cell));
        else SetText(cell);
    }
    const WORD k = key;
    key = 0;
    if (k == VK_TAB && !tabTaken) {
        // Tab is the form's focus key: leaving the editor ends the edit.
        FGrid->HideInplaceEdit();
        if (TForm* f = GetParentForm(FGrid)) f->SelectNext(FGrid, !shift.Contains(ssShift), true);
        return;
    }
    FGrid->DoneInplaceEdit(k, shift);
}

void TGridCombo::KeyPress(WideChar& key)
{
    const int old = ItemIndex();
    if (FGrid->OnKeyPress) FGrid->OnKeyPress(this, key);
    if (key == 27 || key == 13 || key == 9) key = 0;
    TComboBox::KeyPress(key);
    if (ItemIndex() != old) ReportChange();
}

void TGridCombo::DoExit()
{
    FGrid->HideInplaceEdit();
    TComboBox::DoExit();
}

void TGridCombo::Change()
{
    TComboBox::Change();
    if (!Visible() || !FGrid->EditMode) return;
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
    // Typed text: the item index with the real column, then -1 with the displayed column.
    if (Style() == csDropDown && FGrid->OnComboChange) {
        FGrid->OnComboChange(FGrid, FGrid->RealColIndex(FGrid->Col()), FGrid->Row(), ItemIndex(), Text());
        FGrid->OnComboChange(FGrid, FGrid->Col(), FGrid->Row(), -1, Text());
    }
}

void TGridCombo::Select()
{
    TComboBox::Select();
    ReportChange();
}

void TGridCombo::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_MOUSEWHEEL) {
        // The wheel steps through the list; with nothing selected the first step
        // selects the first item.
        const int n = Items()->Count();
        const int delta = GET_WHEEL_DELTA_WPARAM(msg.WParam);
        int idx = ItemIndex();
        if (delta < 0 && idx < n - 1) ++idx;
        else if (delta > 0 && idx > 0) --idx;
        if (n > 0 && idx != ItemIndex()) SetItemIndex(idx);
        if (n > 0 && ItemIndex() >= 0) {
            if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->RealColIndex(FGrid->Col()), FGrid->Row(), Text());
            FReportedIndex = -2;
            ReportChange();
        }
        msg.Result = 0;
        return;
    }
    TComboBox::WndProc(msg);
}

