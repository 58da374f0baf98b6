// The grid's in-place editors: the default text editor with its character filter,
// validation on the keys that end an edit and the end-of-edit report on focus loss; the
// hidden special editor controls.
#include "grid/GridEditors.h"

#include <cctype>

#include "grid/ExtGrid.h"
#include "grid/GridTextUtils.h"
#include "platform/gui/Clipbrd.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

// ---------------------------------------------------------------- default text editor

TExtInplaceEdit::TExtInplaceEdit(TExtStringGrid* AGrid) : TInplaceEdit(AGrid), FExtGrid(AGrid) {}

void TExtInplaceEdit::UpdateContents()
{
    FExtGrid->FNoEditChange = true;
    TInplaceEdit::UpdateContents();
    const bool password = FExtGrid->EditControl == edPassword || FExtGrid->IsPasswordCell(FExtGrid->Col(), FExtGrid->Row());
    SetPasswordChar(password ? WideChar(FExtGrid->PasswordChar) : WideChar(0));
    FExtGrid->FNoEditChange = false;
    FColE = FExtGrid->Col();
    FRowE = FExtGrid->Row();
}

bool TExtInplaceEdit::AcceptChar(WideChar& ch, bool& beep)
{
    beep = false;
    const bool control = ch == 8 || ch == 9 || ch == 13 || ch == 27;
    const String text = Text();
    const bool hasMinus = text.find('-') != String::npos;
    const bool selHasMinus = SelText().find('-') != String::npos;
    const bool ctrl = KeyboardStateToShiftState().Contains(ssCtrl);
    switch (FExtGrid->EditControl) {
    case edNormal:
    case edPassword:
        return true;
    case edNumeric:
        if (control || (ch >= '0' && ch <= '9')) return true;
        if (ch == '-' && !hasMinus && SelStart() == 0) return true;
        beep = true;
        return false;
    case edPositiveNumeric:
        if (control || (ch >= '0' && ch <= '9')) return true;
        beep = true;
        return false;
    case edFloat:
    case edPositiveFloat: {
        if (control || (ch >= '0' && ch <= '9')) return true;
        const char dec = '.';
        if (ch == WideChar(dec)) {
            if (text.find(dec) == String::npos || SelText().find(dec) != String::npos) return true;
            return ctrl;
        }
        if (ch == '-' && FExtGrid->EditControl == edFloat) {
            if ((SelStart() == 0 && !hasMinus) || selHasMinus) return true;
            beep = true;
            return false;
        }
        return ctrl;
    }
    case edCapital:
    case edUpperCase:
        if (ch < 128) ch = WideChar(std::toupper(int(ch)));
        return true;
    case edLowerCase:
        if (ch < 128) ch = WideChar(std::tolower(int(ch)));
        return true;
    case edMixedCase:
        return true;
    case edValidChars:
        if (ch == 8 || ch == 13) return true;
        if (ch < 128 && FExtGrid->ValidChars.find(char(ch)) != String::npos) return true;
        beep = true;
        return false;
    default:
        return false;
    }
}

void TExtInplaceEdit::AfterRefusal()
{
    SetText(FExtGrid->FNewCellText);
    if (FExtGrid->Navigation()->EditSelectAll) SelectAll();
    else Deselect();
}

void TExtInplaceEdit::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_SETFOCUS:
        TInplaceEdit::WndProc(msg);
        FGotFocus = true;
        FExtGrid->FNoEditChange = false;
        if (!FExtGrid->Navigation()->EditSelectAll) Deselect();
        FExtGrid->LButFlg = false;
        return;
    case WM_KILLFOCUS: {
        if (FExtGrid->FValidating) {
            TInplaceEdit::WndProc(msg);
            return;
        }
        FExtGrid->FStartEditChar = 0;
        if (FExtGrid->LookupHistory && !Text().empty() && FExtGrid->LookupItems()->IndexOf(Text()) < 0)
            FExtGrid->LookupItems()->Add(Text());
        const HWND to = HWND(msg.WParam);
        if (to != FExtGrid->Handle() && FExtGrid->EditMode) {
            // Leaving for another control: the text is validated and stored.
            struct Finally {
                TExtInplaceEdit* e;
                ~Finally()
                {
                    e->FExtGrid->HideInplaceEdit();
                    e->FExtGrid->FEditing = false;
                    e->FExtGrid->EditMode = false;
                }
            };
            {
                Finally fin{this};
                FExtGrid->ValidateCell(Text());
                SetText(FExtGrid->GetCurrentCell());
            }
        }
        TInplaceEdit::WndProc(msg);
        if (FGotFocus) {
            FGotFocus = false;
            if (FColE >= 0 && FRowE >= 0) FExtGrid->PostEditDone(FExtGrid->RealColIndex(FColE), FRowE);
        }
        return;
    }
    case WM_PASTE:
        Paste();
        return;
    case WM_CHAR: {
        WideChar ch = WideChar(msg.WParam);
        const bool ctrl = KeyboardStateToShiftState().Contains(ssCtrl);
        if (ch == 1 && ctrl) return;
        // The clipboard keys: paste goes through the kind's rules, copy and cut as they are.
        if (ch == 22) {
            Paste();
            return;
        }
        if (ch == 3 || ch == 24) {
            TInplaceEdit::WndProc(msg);
            return;
        }
        bool beep = false;
        if (!AcceptChar(ch, beep)) {
            if (beep) MessageBeep(0);
            return;
        }
        msg.WParam = WPARAM(ch);
        TInplaceEdit::WndProc(msg);
        if (FExtGrid->EditControl == edMixedCase && ch >= 32) {
            const int pos = SelStart();
            SetText(ToMixedCase(Text()));
            SetSelStart(pos);
        }
        return;
    }
    }
    TInplaceEdit::WndProc(msg);
}

void TExtInplaceEdit::KeyDown(WORD& key, TShiftState shift)
{
    TExtStringGrid* g = FExtGrid;
    const bool ctrl = shift.Contains(ssCtrl);
    if (key == 'A' && ctrl && !shift.Contains(ssAlt)) {
        SelectAll();
        key = 0;
        return;
    }
    switch (key) {
    case VK_ESCAPE:
        // The text the cell had when the editor opened comes back.
        SetText(g->FCellCache);
        g->HideInplaceEdit();
        break;
    case VK_TAB:
        if (g->EditorWantsTab() && !shift.Contains(ssAlt)) {
            if (!g->ValidateCell(Text())) {
                AfterRefusal();
                key = 0;
                return;
            }
            SetText(g->FNewCellText);
            g->HideInplaceEdit();
            if (g->Options().Contains(goTabs)) {
                key = 0;
                g->TabNavigate(shift.Contains(ssShift));
                return;
            }
        }
        break;
    case VK_UP:
    case VK_DOWN: {
        const int line = LineFromChar(SelStart());
        if ((key == VK_UP && line > 0) || (key == VK_DOWN && line < LineCount() - 1)) break;
        if (!g->ValidateCell(Text())) {
            AfterRefusal();
            key = 0;
            return;
        }
        SetText(g->FNewCellText);
        // The editor closes; the grid moves its current cell.
        g->HideInplaceEdit();
        WORD k = key;
        g->KeyDown(k, shift);
        key = 0;
        return;
    }
    case VK_RETURN:
        if (!ctrl && !g->Navigation()->LineFeedOnEnter) {
            if (!g->ValidateCell(Text())) {
                AfterRefusal();
                key = 0;
                return;
            }
            SetText(g->FNewCellText);
        }
        break;
    case VK_HOME:
        if (!ctrl && !shift.Contains(ssShift)) {
            SetSelStart(0);
            SetSelLength(0);
            key = 0;
            return;
        }
        break;
    case VK_END:
        if (!ctrl && !shift.Contains(ssShift)) {
            Deselect();
            key = 0;
            return;
        }
        break;
    }
    if (key == 0) return;
    TInplaceEdit::KeyDown(key, shift);
}

void TExtInplaceEdit::KeyPress(WideChar& key)
{
    if (key == 13 && !FExtGrid->Navigation()->LineFeedOnEnter && !FExtGrid->ValidateCell(Text())) {
        SetText(FExtGrid->GetCurrentCell());
        key = 0;
        return;
    }
    TInplaceEdit::KeyPress(key);
}

void TExtInplaceEdit::KeyUp(WORD& key, TShiftState shift)
{
    TInplaceEdit::KeyUp(key, shift);
    // Deleting is never undone by a completion.
    if (key == VK_BACK || key == VK_DELETE) FWorkmode = false;
    else if (key != VK_RETURN && key != VK_UP && key != VK_DOWN) FWorkmode = true;
    if (key != 0 && key != VK_BACK && key != VK_DELETE) DoChange();
}

void TExtInplaceEdit::DoChange()
{
    TExtStringGrid* g = FExtGrid;
    if (!FWorkmode || SelLength() > 0 || !g->Lookup || g->LookupItems()->Count() == 0) return;
    const std::u16string text = Utf8ToUtf16(Text());
    const int caret = SelStart();
    if (caret <= 0) return;
    std::u16string typed = text.substr(0, size_t(caret));
    const String typedUtf8 = Utf16ToUtf8(typed);
    const String key = g->LookupCaseSensitive ? typedUtf8 : UpperCase(typedUtf8);
    for (int i = 0; i < g->LookupItems()->Count(); ++i) {
        const String item = g->LookupItems()->Strings(i);
        const String cmp = g->LookupCaseSensitive ? item : UpperCase(item);
        if (cmp.compare(0, key.size(), key) != 0) continue;
        const std::u16string witem = Utf8ToUtf16(item);
        if (witem.size() <= typed.size()) return;
        const std::u16string completed = typed + witem.substr(typed.size(), 255);
        SetText(Utf16ToUtf8(completed));
        SetSelStart(int(typed.size()));
        SetSelLength(int(completed.size() - typed.size()));
        return;
    }
}

void TExtInplaceEdit::Paste()
{
    TExtStringGrid* g = FExtGrid;
    String text = Clipboard()->AsText();
    if (text.empty()) return;
    const int limit = MaxLength();
    std::u16string w = Utf8ToUtf16(text);
    if (limit >= 1 && int(w.size()) > limit) return;
    if (w.size() >= 2 && w.compare(w.size() - 2, 2, u"\r\n") == 0) w.resize(w.size() - 2);
    else if (!w.empty() && w.back() == u'\n') w.pop_back();
    const std::u16string cur = Utf8ToUtf16(Text());
    const int start = SelStart(), len = SelLength();
    std::u16string next = cur.substr(0, size_t(start)) + w + cur.substr(size_t(start + len));
    if (limit >= 1 && int(next.size()) > limit) return;
    String result = Utf16ToUtf8(next);
    const int kind = GetNumberKind(result);
    const bool hasMinus = result.find('-') != String::npos;
    switch (g->EditControl) {
    case edNumeric:
        if (kind != 0) return;
        break;
    case edPositiveNumeric:
        if (kind != 0 || hasMinus) return;
        break;
    case edFloat:
        if (kind != 0 && kind != 1) return;
        break;
    case edPositiveFloat:
        if ((kind != 0 && kind != 1) || hasMinus) return;
        break;
    case edValidChars:
        for (char ch : result)
            if (g->ValidChars.find(ch) == String::npos) return;
        break;
    case edMixedCase: result = ToMixedCase(result); break;
    case edUpperCase:
    case edCapital: result = UpperCase(result); break;
    case edLowerCase: result = LowerCase(result); break;
    default: break;
    }
    SetText(result);
    g->SetCurrentEditText(result);
    SetSelStart(start + (len > 0 ? 0 : int(w.size())));
    SetSelLength(len > 0 ? int(w.size()) : 0);
}

void TExtInplaceEdit::Change()
{
    TInplaceEdit::Change();
    if (!FExtGrid->FNoEditChange && FExtGrid->OnEditChange)
        FExtGrid->OnEditChange(FExtGrid, FExtGrid->Col(), FExtGrid->Row(), Text());
}

// ---------------------------------------------------------------- hidden special editors

TGridEditorControl::TGridEditorControl(TExtStringGrid* AGrid) : TCustomControl(AGrid)
{
    SetVisible(false);
    SetEnabled(false);
    SetParent(AGrid);
}
