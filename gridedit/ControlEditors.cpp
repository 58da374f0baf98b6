// The editors of the form controls in mini-HTML cells. The grid decides when one opens
// and closes and writes the value into the cell text; here the editor is laid over the
// control, loaded with its value and attributes, and hands its keys to the grid.
#include <algorithm>

#include "grid/edit/GridEditorKinds.h"
#include "grid/html/MiniHTML.h"
#include "gridedit/GridEditorLibrary.h"
#include "gridedit/GridEditors.h"

using TSlot = TGridEditorLibrary::TSlot;

namespace {
bool EndsControlEdit(WORD key) { return key == VK_RETURN || key == VK_TAB || key == VK_ESCAPE; }

// Tab and Esc are the editor's: the form neither moves the focus nor cancels on them.
// Enter is left to the key handling, so that a form's default button may still take it.
bool AnswerControlEditorKey(TMessage& msg)
{
    if (msg.Msg != CM_WANTSPECIALKEY) return false;
    const WORD key = WORD(msg.WParam);
    msg.Result = key == VK_TAB || key == VK_ESCAPE ? 1 : 0;
    return true;
}

void ShowOver(TWinControl* e)
{
    e->SetEnabled(true);
    e->Show();
    e->BringToFront();
    if (e->CanFocus()) e->SetFocus();
}

TWinControl* OpenControlEditor(TExtStringGrid* G, const String& Text, const String& CtrlType, const TRect& R,
                               const String& CtrlVal)
{
    const int maxLen = std::max(0, GetHTMLControlMaxLen(Text, G->FCtrlID));
    if (CtrlType == "COMBO") {
        auto* cb = ControlCombo(G);
        if (!cb) return nullptr;
        cb->IsWinXP = TGridEditorLibrary::IsWinXP(G);
        cb->SetFlat(false);
        cb->SetDroppedDown(false);
        cb->Items()->Clear();
        bool edit = true;
        int dropCount = 8;
        if (G->OnControlComboList)
            G->OnControlComboList(G, G->FCtrlXY.Y, G->FCtrlXY.X, G->FCtrlID, CtrlType, CtrlVal, cb->Items(), edit,
                                  dropCount);
        cb->SetStyle(edit ? csDropDown : csDropDownList);
        cb->SetItemIndex(cb->Items()->IndexOf(CtrlVal));
        if (edit) cb->SetText(CtrlVal);
        cb->FOldValue = CtrlVal;
        cb->SetDropDownCount(std::max(1, dropCount));
        cb->SetMaxLength(maxLen);
        // Over the field the renderer draws: from 19 pixels above the control's bottom
        // to 2 below it.
        cb->SetBounds(R.Left, R.Bottom - 19, std::max(0, R.Width()), 21);
        ShowOver(cb);
        cb->SetDroppedDown(true);
        return cb;
    }
    if (CtrlType != "EDIT" && CtrlType != "PASSWORD" && CtrlType != "MASK") return nullptr;
    auto* e = ControlEdit(G);
    if (!e) return nullptr;
    e->SetPasswordChar(CtrlType == "PASSWORD" ? WideChar('*') : WideChar(0));
    e->SetEditMask(CtrlType == "MASK" ? GetHTMLControlProp(Text, G->FCtrlID) : String());
    e->SetBorderStyle(bsNone);
    e->SetMaxLength(maxLen);
    e->SetText(CtrlVal);
    // Inside the frame of the field the renderer draws, over its value.
    e->SetBounds(R.Left + 1, R.Bottom - 18, std::max(0, R.Width() - 3), 19);
    ShowOver(e);
    return e;
}

TWinControl* ControlEditor(TExtStringGrid* G, const String& CtrlType)
{
    if (CtrlType == "COMBO") return ControlCombo(G);
    return ControlEdit(G);
}

String ControlEditorValue(TExtStringGrid* G, const String& CtrlType)
{
    if (CtrlType == "COMBO") {
        auto* cb = ControlCombo(G);
        return cb ? cb->Value() : String();
    }
    auto* e = ControlEdit(G);
    return e ? e->Text() : String();
}
}  // namespace

TControlEdit* ControlEdit(const TExtStringGrid* G)
{
    return TGridEditorLibrary::Made<TControlEdit>(G, TSlot::slControlEdit);
}
TControlCombo* ControlCombo(const TExtStringGrid* G)
{
    return TGridEditorLibrary::Made<TControlCombo>(G, TSlot::slControlCombo);
}

void TGridEditorLibrary::SetControlEditorParts(TGridEditorParts& Parts)
{
    Parts.OpenControlEditor = &OpenControlEditor;
    Parts.ControlEditor = &ControlEditor;
    Parts.ControlEditorValue = &ControlEditorValue;
}

// ---------------------------------------------------------------- edit

TControlEdit::TControlEdit(TExtStringGrid* AGrid) : TMaskEdit(AGrid), FGrid(AGrid)
{
    SetVisible(false);
    SetParent(AGrid);
    SetTabStop(false);
}

void TControlEdit::WndProc(TMessage& msg)
{
    if (AnswerControlEditorKey(msg)) return;
    TMaskEdit::WndProc(msg);
    if (msg.Msg == WM_GETDLGCODE) msg.Result |= DLGC_WANTTAB;
}

void TControlEdit::KeyDown(WORD& key, TShiftState shift)
{
    if (FGrid && EndsControlEdit(key) && FGrid->ControlEditorKey(key)) {
        key = 0;
        return;
    }
    TMaskEdit::KeyDown(key, shift);
}

void TControlEdit::KeyPress(WideChar& key)
{
    // The characters of the keys that ended the edit type nothing.
    if (key == 13 || key == 9 || key == 27) key = 0;
    TMaskEdit::KeyPress(key);
}

void TControlEdit::DoExit()
{
    TMaskEdit::DoExit();
    if (FGrid && Visible() && FGrid->FCtrlType != "COMBO") FGrid->StopControlEdit();
}

// ---------------------------------------------------------------- combo

TControlCombo::TControlCombo(TExtStringGrid* AGrid) : TAsgComboBox(AGrid), FGrid(AGrid)
{
    SetVisible(false);
    SetParent(AGrid);
    SetTabStop(false);
}

String TControlCombo::Value() const
{
    if (Style() == csDropDownList && ItemIndex() < 0) return FOldValue;
    return Text();
}

void TControlCombo::WndProc(TMessage& msg)
{
    if (msg.Msg == CM_WANTSPECIALKEY && WORD(msg.WParam) == VK_TAB) {
        msg.Result = 1;
        return;
    }
    TAsgComboBox::WndProc(msg);
    if (msg.Msg == WM_GETDLGCODE) msg.Result |= DLGC_WANTTAB;
}

void TControlCombo::KeyDown(WORD& key, TShiftState shift)
{
    if (FGrid && EndsControlEdit(key) && FGrid->ControlEditorKey(key)) {
        key = 0;
        return;
    }
    TAsgComboBox::KeyDown(key, shift);
}

void TControlCombo::KeyPress(WideChar& key)
{
    if (key == 13 || key == 9 || key == 27) key = 0;
    TAsgComboBox::KeyPress(key);
}

void TControlCombo::Select()
{
    TAsgComboBox::Select();
    const int i = ItemIndex();
    if (FGrid && i >= 0 && i < Items()->Count()) FGrid->ControlComboSelect(i, Items()->Strings(i));
}

void TControlCombo::DoExit()
{
    TAsgComboBox::DoExit();
    if (FGrid && Visible() && FGrid->FCtrlType == "COMBO") FGrid->StopControlEdit();
}
