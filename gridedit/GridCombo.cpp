// The combo editor of list cells: a drop-down list (edComboList) or an edit field with a
// list of suggestions (edComboEdit), its keys, wheel, lookup completion and reports, and
// the grid's operations on the editor's list.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "gridedit/GridEditors.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

TGridCombo::TGridCombo(TExtStringGrid* AGrid) : TAsgComboBox(AGrid), FGrid(AGrid)
{
    WorkMode = true;
    SetButtonWidth(16);
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

// ---------------------------------------------------------------- reports

void TGridCombo::ReportIndex(int idx, const String& text)
{
    const int col = FGrid->RealColIndex(FGrid->Col()), row = FGrid->Row();
    if (FGrid->OnComboChange) FGrid->OnComboChange(FGrid, col, row, idx, text);
    if (FGrid->OnComboObjectChange)
        FGrid->OnComboObjectChange(FGrid, col, row, idx, text,
                                   idx >= 0 && idx < Items()->Count() ? Items()->Objects(idx) : nullptr);
}

void TGridCombo::ReportChange()
{
    if (!Visible() || !FGrid->EditMode) return;
    const int idx = ItemIndex();
    if (idx == FReportedIndex) return;
    FReportedIndex = idx;
    ReportIndex(idx, idx >= 0 && idx < Items()->Count() ? Items()->Strings(idx) : Text());
}

// ---------------------------------------------------------------- list width and look

void TGridCombo::SizeDropDownWidth()
{
    TCanvas* c = FGrid->Canvas();
    c->Font()->Assign(*FGrid->Font());
    int w = Width();
    const bool scrolls = Items()->Count() > DropDownCount();
    for (int i = 0; i < Items()->Count(); ++i) {
        const int t = c->TextWidth(Items()->Strings(i));
        if (scrolls) {
            // Room for the list's scroll bar.
            if (t > w - 25) w = t + 25;
        } else if (t > w - 5) {
            w = t + 8;
        }
    }
    SetDroppedWidth(w);
}

void TGridCombo::TakeGridLook()
{
    // The editor keeps the cell's colour it was given; a flat look only changes the frame.
    const TColor cellColor = Color();
    switch (FGrid->Look()) {
    case glSoft:
    case glWYX:
    case glXP:
    case glListView:
    case glVista:
    case glWin7:
    case glOffice2007:
        SetFlat(true);
        SetEtched(true);
        break;
    default:
        SetFlat(false);
        SetEtched(false);
        break;
    }
    SetColor(cellColor);
    if (FGrid->Navigation()->AutoComboDropSize) SizeDropDownWidth();
    else SetDroppedWidth(DropWidth() > 0 ? DropWidth() : 0);
    FReportedIndex = ItemIndex();
}

// ---------------------------------------------------------------- keys

namespace {
bool IsArrowOrPage(WORD key)
{
    return key == VK_PRIOR || key == VK_NEXT || key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
}
}

void TGridCombo::KeyDown(WORD& key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    const bool list = Style() == csDropDownList;
    const bool open = DroppedDown();
    const bool dropped = open || list;
    const bool alt = shift.Contains(ssAlt);
    bool editorKey = false;
    if (dropped)
        editorKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_LEFT || key == VK_RIGHT;
    else
        editorKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_PRIOR || key == VK_NEXT ||
                    key == VK_END || key == VK_UP || key == VK_DOWN;
    if (key == VK_DOWN && alt) editorKey = false;
    WorkMode = key != VK_BACK && key != VK_DELETE;

    if ((key == VK_UP || key == VK_DOWN) && !open && !alt && !g->Navigation()->ComboGetUpDown) {
        // The arrows belong to the grid: the value is stored and the current row moves.
        g->HideInplaceEdit();
        if (g->CanFocus()) g->SetFocus();
        const bool alwaysEdit = g->Navigation()->AlwaysEdit;
        g->Navigation()->AlwaysEdit = false;
        WORD k = key;
        g->KeyDown(k, shift);
        g->Navigation()->AlwaysEdit = alwaysEdit;
        key = 0;
        return;
    }

    if (!editorKey) {
        // In the list style Up and Down step through the items.
        if (list && !open && (key == VK_UP || key == VK_DOWN) && !alt) {
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
        TAsgComboBox::KeyDown(key, shift);
        return;
    }

    if (key == VK_ESCAPE) {
        const String cur = g->GetCurrentCell();
        const int idx = Items()->IndexOf(cur);
        if (list) SetItemIndex(idx);
        else SetText(cur);
        if (idx >= 0 && !list) SetItemIndex(idx);
        const int rc = g->RealColIndex(g->Col()), row = g->Row();
        g->HideInplaceEdit();
        // A pick list cannot show a text that is no item; the cell keeps it all the same.
        if (list && idx < 0 && g->GetCellEx(rc, row) != cur) g->SetCellEx(rc, row, cur);
        if (g->CanFocus()) g->SetFocus();
        key = 0;
        return;
    }

    const bool tabTaken = key == VK_TAB && g->EditorWantsTab();
    if (key == VK_RETURN || key == VK_UP || key == VK_DOWN || tabTaken) {
        const int idx = ItemIndex();
        const String text = list ? (idx >= 0 && idx < Items()->Count() ? Items()->Strings(idx) : String()) : Text();
        g->SetCurrentCell(text);
        if (!g->ValidateCell(text)) {
            // The editor stays open with the text validation left.
            if (list) {
                SetItemIndex(Items()->IndexOf(g->FNewCellText));
            } else {
                SetText(g->FNewCellText);
                if (tabTaken) SetSelStart(Utf8Length(Text()));
                else SelectAll();
            }
            Invalidate();
            key = 0;
            return;
        }
        const String cell = g->GetCurrentCell();
        if (list) SetItemIndex(Items()->IndexOf(cell));
        else SetText(cell);
        if (tabTaken) {
            if (g->Options().Contains(goTabs)) {
                g->HideInplaceEdit();
                if (g->CanFocus()) g->SetFocus();
                g->TabNavigate(shift.Contains(ssShift));
                key = 0;
                return;
            }
            PostMessage(g->Handle(), WM_KEYDOWN, VK_TAB, 0);
        }
    }

    WORD k = key;
    if (k == VK_TAB && !tabTaken) {
        // Tab is the form's focus key: leaving the editor ends the edit.
        key = 0;
        g->HideInplaceEdit();
        if (TForm* f = GetParentForm(g)) f->SelectNext(g, !shift.Contains(ssShift), true);
        return;
    }
    if (dropped) {
        const bool directClose = g->MouseActions()->DirectComboClose;
        g->MouseActions()->DirectComboClose = false;
        g->HideInplaceEdit();
        g->MouseActions()->DirectComboClose = directClose;
        if (k == VK_LEFT || k == VK_RIGHT) {
            if (g->CanFocus()) g->SetFocus();
            WORD gk = k;
            g->KeyDown(gk, shift);
        }
        if (IsArrowOrPage(k)) k = 0;
    } else if (k == VK_END) {
        // The caret goes to the end of the text.
        TAsgComboBox::KeyDown(key, shift);
        return;
    }
    key = 0;
    g->DoneInplaceEdit(k, shift);
    if (k == VK_RETURN && g->Navigation()->AdvanceOnEnter && g->Navigation()->AdvanceAutoEdit &&
        g->IsEditable(g->Col(), g->Row()))
        g->ShowInplaceEdit();
}

void TGridCombo::KeyPress(WideChar& key)
{
    const int old = ItemIndex();
    if (FGrid->OnKeyPress) FGrid->OnKeyPress(this, key);
    if (key == 27) key = 0;
    if (key == 13 && OnReturnKey) OnReturnKey(this);
    if (key == 13 || key == 9) key = 0;
    TAsgComboBox::KeyPress(key);
    if (ItemIndex() != old) ReportChange();
}

// An editor that the caret leaves sideways: control cells are made current directly after
// a successful validation, other cells are reached through the advance rule from left to
// right, and edited at once with CursorWalkAlwaysEdit.
bool LeaveEditorSideways(TExtStringGrid* g, const String& text, bool right)
{
    const bool left = !right;
    const int col = g->Col(), row = g->Row();
    const int rc = g->RealColIndex(col);
    const int target = left ? col - 1 : col + std::max(0, g->CellSpan(rc, row).X) + 1;
    const bool inside = left ? col > g->FixedCols() : col < g->ColCount() - g->FixedRightCols - 1;
    if (inside && target >= 0 && target < g->ColCount() && g->IsControlCell(g->RealColIndex(target), row)) {
        // A check box, radio or button cell is made current without an editor.
        g->SetCurrentCell(text);
        if (!g->ValidateCell(text)) return true;
        g->HideInplaceEdit();
        if (g->CanFocus()) g->SetFocus();
        g->SetCol(target);
        return true;
    }
    if (g->CanFocus()) g->SetFocus();
    TNavigation* nav = g->Navigation();
    const TAdvanceDirection dir = nav->AdvanceDirection();
    nav->SetAdvanceDirection(adLeftRight);
    g->AdvanceToNextCell(g->Col(), g->Row(), false, false, right, false, true);
    nav->SetAdvanceDirection(dir);
    if (nav->CursorWalkAlwaysEdit && g->IsEditable(g->Col(), g->Row())) g->ShowInplaceEdit();
    return true;
}

bool TGridCombo::CursorWalk(WORD key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    if (Style() != csDropDown || !g->Navigation()->CursorWalkEditor) return false;
    if (shift.Contains(ssShift) || shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return false;
    if (SelLength() != 0) return false;
    const bool left = key == VK_LEFT && SelStart() == 0;
    const bool right = key == VK_RIGHT && SelStart() == Utf8Length(Text());
    if (!left && !right) return false;
    return LeaveEditorSideways(g, Text(), right);
}

void TGridCombo::KeyUp(WORD& key, TShiftState shift)
{
    if ((key == VK_LEFT || key == VK_RIGHT) && CursorWalk(key, shift)) {
        key = 0;
        return;
    }
    if (key != VK_RETURN) TAsgComboBox::KeyUp(key, shift);
    DoChange();
}

// ---------------------------------------------------------------- lookup completion

void TGridCombo::DoChange()
{
    TExtStringGrid* g = FGrid;
    if (!WorkMode || !g->Lookup || Style() != csDropDown) return;
    const std::u16string text = Utf8ToUtf16(Text());
    const size_t L = std::min(text.size(), size_t(std::max(0, SelStart())));
    if (L == 0) return;
    const String typed = Utf16ToUtf8(text.substr(0, L));
    const String prefix = g->LookupCaseSensitive ? typed : UpperCase(typed);
    auto complete = [&](const String& item) {
        const String cmp = g->LookupCaseSensitive ? item : UpperCase(item);
        if (cmp.compare(0, prefix.size(), prefix) != 0) return false;
        const std::u16string witem = Utf8ToUtf16(item);
        const std::u16string rest = witem.size() > L ? witem.substr(L, 255) : std::u16string();
        SetText(Utf16ToUtf8(text.substr(0, L) + rest));
        return true;
    };
    for (int i = 0; i < Items()->Count(); ++i) {
        if (!complete(Items()->Strings(i))) continue;
        SetItemIndex(i);
        SetSelStart(int(L));
        SetSelLength(Utf8Length(Text()) - int(L));
        return;
    }
    for (int i = 0; i < g->LookupItems()->Count(); ++i) {
        if (!complete(g->LookupItems()->Strings(i))) continue;
        SetSelStart(int(L));
        SetSelLength(Utf8Length(Text()) - int(L));
        return;
    }
}

// ---------------------------------------------------------------- focus, exit, change

void TGridCombo::HandleWMSetFocus(TMessage& msg)
{
    TAsgComboBox::WndProc(msg);
    if (Style() != csDropDown) return;
    if (!FGrid->Navigation()->EditSelectAll) SetSelStart(Utf8Length(Text()));
    if (FGrid->LButFlg) {
        // Editing started with a click: the caret goes where the pointer is.
        const TPoint p = ScreenToClient(Mouse_CursorPos());
        if (p.X >= 0 && p.Y >= 0 && p.X < Width() && p.Y < Height()) {
            SetSelStart(CharFromPos(p.X));
            FGrid->LButFlg = false;
        }
    }
}

void TGridCombo::HandleCMWantSpecialKey(TMessage& msg)
{
    const WORD key = WORD(msg.WParam);
    msg.Result = (key == VK_RETURN || key == VK_ESCAPE || (key == VK_TAB && FGrid->EditorWantsTab())) ? 1 : 0;
}

void TGridCombo::DoExit()
{
    if (FGrid->LookupHistory && !Text().empty() && Items()->IndexOf(Text()) < 0) {
        const String text = Text();
        Items()->Add(text);
        SetText(text);
    }
    FGrid->HideInplaceEdit();
    TAsgComboBox::DoExit();
}

void TGridCombo::Change()
{
    TAsgComboBox::Change();
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
    TAsgComboBox::Select();
    ReportChange();
}

void TGridCombo::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_MOUSEWHEEL: {
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
    case WM_SETFOCUS:
        HandleWMSetFocus(msg);
        return;
    case CM_WANTSPECIALKEY:
        HandleCMWantSpecialKey(msg);
        return;
    case CM_VISIBLECHANGED:
        TAsgComboBox::WndProc(msg);
        if (msg.WParam && FGrid->EditMode) TakeGridLook();
        return;
    }
    TAsgComboBox::WndProc(msg);
}
