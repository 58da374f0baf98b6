// The grid's in-place editors: the default text editor with its character filter,
// validation on the keys that end an edit and the end-of-edit report on focus loss; the
// hidden special editor controls.
#include "gridedit/GridEditors.h"

#include <algorithm>

#include <unicode/uchar.h>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridTextUtils.h"
#include "platform/gui/Clipbrd.h"
#include "platform/os/Regional.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

// ---------------------------------------------------------------- default text editor

namespace {
// Scan-code bit 0x40 of a key message's data (bit 22): the keypad's keys.
constexpr LPARAM KeypadKeyData = LPARAM(1) << 22;

bool IsTextKind(TEditorType k)
{
    return k == edNormal || k == edCapital || k == edMixedCase || k == edLowerCase || k == edUpperCase ||
           k == edValidChars;
}

// A text in upper or lower case by the characters' Unicode properties.
String CaseText(const String& s, bool upper)
{
    std::u16string u = Utf8ToUtf16(s);
    for (char16_t& c : u) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const UChar32 r = upper ? u_toupper(UChar32(c)) : u_tolower(UChar32(c));
        if (r <= 0xFFFF) c = char16_t(r);
    }
    return Utf16ToUtf8(u);
}

WideChar CaseChar(WideChar ch, bool upper)
{
    return WideChar(upper ? u_toupper(UChar32(ch)) : u_tolower(UChar32(ch)));
}

// Lines of a text as the grid counts them for multi-line cells.
int LineCountOf(const String& s)
{
    int n = 1;
    for (char ch : s) n += ch == '\n';
    return n;
}
}

TExtInplaceEdit::TExtInplaceEdit(TExtStringGrid* AGrid) : TInplaceEdit(AGrid), FGrid(AGrid) {}

void TExtInplaceEdit::SetVAlign(bool Value)
{
    FValign = Value;
    CreateParams();
}

void TExtInplaceEdit::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    CreateParams();
}

void TExtInplaceEdit::CreateParams()
{
    const bool password = FGrid->EditControl == edPassword;
    if (FValign) SetAlignment(taRightJustify);
    // A password field has one line; wrapped lines do not scroll sideways.
    TInplaceEdit::SetWordWrap(FWordWrap && !password);
    SetWantReturns(!password);
    const bool masked = password || FGrid->IsPasswordCell(FGrid->Col(), FGrid->Row());
    SetPasswordChar(masked ? WideChar(FGrid->PasswordChar) : WideChar(0));
    GotKey = false;
    Workmode = true;
    FLengthLimit = FGrid->GetEditLimit();
}

void TExtInplaceEdit::UpdateContents()
{
    FGrid->FNoEditChange = true;
    TInplaceEdit::UpdateContents();
    FGrid->FNoEditChange = false;
    // The field looks like the cell as it is painted.
    const int col = FGrid->Col(), row = FGrid->Row();
    TFont font;
    font.Assign(*FGrid->Font());
    TAlignment ha = taLeftJustify;
    SetColor(FGrid->CellEditorLook(FGrid->RealColIndex(col), row, &font, &ha));
    SetFont(&font);
    SetAlignment(ha);
    FValign = ha == taRightJustify;
    FWordWrap = FGrid->WordWrap();
    CreateParams();
    FColE = col;
    FRowE = row;
    FGrid->FireGetEditorProp(FGrid->RealColIndex(col), row, nullptr);
}

void TExtInplaceEdit::BoundsChanged()
{
    // One pixel inside the cell's lines, the text 3 pixels in from the left and top.
    const TRect R = FGrid->CellRect(FGrid->Col(), FGrid->Row());
    if (!R.IsEmpty()) SetBounds(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
    SetFormatRect(Rect(3, 3, std::max(3, Width() - 2), Height()));
}

bool TExtInplaceEdit::AcceptChar(WideChar& ch, bool& beep)
{
    beep = false;
    const bool control = ch == 8 || ch == 9 || ch == 13 || ch == 27;
    const String text = Text();
    const bool hasMinus = text.find('-') != String::npos;
    const bool selHasMinus = SelText().find('-') != String::npos;
    const bool ctrl = KeyboardStateToShiftState().Contains(ssCtrl);
    switch (FGrid->EditControl) {
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
        // The locale's separators: one decimal separator, never a thousand separator.
        const char dec = GetDecimalSeparator();
        const char thousand = GetThousandSeparator();
        if (ch == WideChar(static_cast<unsigned char>(dec))) {
            if (text.find(dec) == String::npos || SelText().find(dec) != String::npos) return true;
            return ctrl;
        }
        if (ch == WideChar(static_cast<unsigned char>(thousand))) return ctrl;
        if (ch == ',' || ch == '.') return true;
        if (ch == '-' && FGrid->EditControl == edFloat) {
            if ((SelStart() == 0 && !hasMinus) || selHasMinus) return true;
            beep = !ctrl;
            return ctrl;
        }
        return ctrl;
    }
    case edCapital:
    case edUpperCase:
        ch = CaseChar(ch, true);
        return true;
    case edLowerCase:
        ch = CaseChar(ch, false);
        return true;
    case edMixedCase:
        return true;
    case edValidChars:
        if (ch == 8 || ch == 13) return true;
        if (!FGrid->ValidChars.empty() ? ch < 128 && FGrid->ValidChars.find(char(ch)) != String::npos
                                       : ch < 256 && FGrid->ValidCharSet.test(size_t(ch)))
            return true;
        beep = true;
        return false;
    default:
        return false;
    }
}

void TExtInplaceEdit::AfterRefusal()
{
    SetText(FGrid->FNewCellText);
    if (FGrid->Navigation()->EditSelectAll) SelectAll();
    else Deselect();
}

void TExtInplaceEdit::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_SETFOCUS: HandleWMSetFocus(msg); return;
    case WM_KILLFOCUS: HandleWMKillFocus(msg); return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: HandleWMKeyDown(msg); return;
    case WM_KEYUP:
    case WM_SYSKEYUP: HandleWMKeyUp(msg); return;
    case WM_CHAR: HandleWMChar(msg); return;
    case WM_PASTE: HandleWMPaste(msg); return;
    case WM_COPY: HandleWMCopy(msg); return;
    case WM_CUT: HandleWMCut(msg); return;
    case WM_GETDLGCODE:
    case CM_WANTSPECIALKEY: HandleCMWantSpecialKey(msg); return;
    }
    TInplaceEdit::WndProc(msg);
}

void TExtInplaceEdit::HandleWMSetFocus(TMessage& msg)
{
    TInplaceEdit::WndProc(msg);
    FGotFocus = true;
    FGrid->FNoEditChange = false;
    FLengthLimit = FGrid->GetEditLimit();
    SetMaxLength(FLengthLimit);
    if (IsMasked() && !FGrid->LButFlg && FGrid->Navigation()->ImproveMaskSel) {
        SetSelStart(0);
        SetSelLength(1);
        return;
    }
    if (!FGrid->Navigation()->EditSelectAll) Deselect();
    if (FGrid->LButFlg) {
        // Opened by a click (not by typing into the clicked cell): the caret goes where
        // the mouse is.
        const TPoint p = ScreenToClient(Mouse_CursorPos());
        if (FGrid->FStartEditChar == 0 && p.X >= 0 && p.Y >= 0 && p.X < Width() && p.Y < Height())
            SetSelStart(CharFromPos(p));
        FGrid->LButFlg = false;
    }
}

void TExtInplaceEdit::HandleWMKillFocus(TMessage& msg)
{
    if (FGrid->FValidating) {
        TInplaceEdit::WndProc(msg);
        return;
    }
    FGrid->FStartEditChar = 0;
    if (FGrid->LookupHistory && !Text().empty() && FGrid->LookupItems()->IndexOf(Text()) < 0)
        FGrid->LookupItems()->Add(Text());
    // Alt+Backspace moves the focus for a moment; the edit goes on.
    if (FAltBack) {
        TCustomControl::WndProc(msg);
        Invalidate();
        return;
    }
    const HWND to = HWND(msg.WParam);
    if (to != FGrid->Handle() && FGrid->EditMode) {
        // Leaving for another control: the text is validated and stored.
        struct Finally {
            TExtInplaceEdit* e;
            ~Finally()
            {
                e->FGrid->HideInplaceEdit();
                e->FGrid->FEditing = false;
                e->FGrid->EditMode = false;
            }
        };
        {
            Finally fin{this};
            FGrid->ValidateCell(Text());
            SetText(FGrid->GetCurrentCell());
        }
    }
    TInplaceEdit::WndProc(msg);
    if (FGrid->FNoEditChange) {
        SetText(FGrid->GetCurrentCell());
        FGrid->EditorTextChanged(Text(), -1);
    }
    if (FGotFocus) {
        FGotFocus = false;
        if (FColE >= 0 && FRowE >= 0) FGrid->PostEditDone(FGrid->RealColIndex(FColE), FRowE);
    }
}

void TExtInplaceEdit::HandleCMWantSpecialKey(TMessage& msg)
{
    if (msg.Msg == CM_WANTSPECIALKEY) {
        msg.Result = WORD(msg.WParam) == VK_TAB && FGrid->EditorWantsTab() ? 1 : 0;
        return;
    }
    TInplaceEdit::WndProc(msg);
    if (FGrid->EditorWantsTab()) msg.Result |= DLGC_WANTTAB;
}

void TExtInplaceEdit::HandleWMKeyDown(TMessage& msg)
{
    const WORD key = WORD(msg.WParam);
    const TShiftState shift = KeyDataToShiftState(msg.LParam) + KeyboardStateToShiftState();
    FOldSelStart = SelStart();
    if (msg.Msg == WM_SYSKEYDOWN && key == VK_BACK) FAltBack = true;
    // Ctrl+Enter belongs to texts of more than one line.
    if (key == VK_RETURN && shift.Contains(ssCtrl) &&
        !(FGrid->Navigation()->AllowCtrlEnter && (FGrid->WordWrap() || FGrid->Multilinecells)))
        return;
    // Shift with Left at the start or Right at the end of the text leaves the cell
    // for the grid.
    const bool atStart = SelStart() == 0 && SelLength() == 0;
    const bool atEnd = SelStart() == GetTextLen() && SelLength() == 0;
    if (((key == VK_LEFT && atStart) || (key == VK_RIGHT && atEnd)) && shift.Contains(ssShift) &&
        FGrid->Navigation()->CursorWalkEditor) {
        const String text = Text();
        FGrid->FValidating = true;
        FGrid->SetCurrentCell(text);
        FGrid->FValidating = false;
        if (!FGrid->ValidateCell(text)) {
            AfterRefusal();
            Invalidate();
            return;
        }
        SetText(FGrid->FNewCellText);
        FGrid->HideInplaceEdit();
        if (FGrid->CanFocus()) FGrid->SetFocus();
        return;
    }
    TInplaceEdit::WndProc(msg);
}

void TExtInplaceEdit::HandleWMKeyUp(TMessage& msg)
{
    const WORD key = WORD(msg.WParam);
    if (key == VK_BACK) FAltBack = false;
    TInplaceEdit::WndProc(msg);
    if (Visible() && SelStart() > 0) FGrid->EditorTextChanged(Text(), SelStart());
}

void TExtInplaceEdit::HandleWMChar(TMessage& msg)
{
    TExtStringGrid* g = FGrid;
    WideChar ch = WideChar(msg.WParam);
    const bool ctrl = KeyboardStateToShiftState().Contains(ssCtrl);
    // The keypad's decimal key types the locale's decimal separator.
    if (g->ExcelStyleDecimalSeparator && ch == '.' && (msg.LParam & KeypadKeyData) != 0)
        ch = WideChar(static_cast<unsigned char>(GetDecimalSeparator()));
    if (ch == 1 && ctrl) return;
    if (ch == 10 && ctrl && !(g->Navigation()->AllowCtrlEnter && (g->WordWrap() || g->Multilinecells))) return;
    // The clipboard keys go through the clipboard messages.
    if (ch == 22) {
        Perform(WM_PASTE);
        return;
    }
    if (ch == 3 || ch == 24) {
        Perform(ch == 3 ? WM_COPY : WM_CUT);
        return;
    }
    // A full text takes no more characters (without a beep).
    if (FLengthLimit > 0 && GetTextLen() == FLengthLimit && SelLength() == 0 && ch != 8 && ch != 27 && ch != 13)
        return;
    if (ch == 13 && g->Navigation()->LineFeedOnEnter && IsTextKind(g->EditControl)) {
        msg.WParam = WPARAM(ch);
        DefaultHandler(msg);
        return;
    }
    bool beep = false;
    if (!AcceptChar(ch, beep)) {
        if (beep) MessageBeep(0);
        return;
    }
    msg.WParam = WPARAM(ch);
    const HWND self = Handle();
    TInplaceEdit::WndProc(msg);
    if (!IsWindow(self) || !Visible()) return;
    if (g->EditControl == edMixedCase && ch >= 32) {
        const int pos = SelStart();
        SetText(ToMixedCase(Text()));
        SetSelStart(pos);
    }
    // A text that reached its length (or filled its mask) moves on to the next cell.
    const bool atEnd = SelLength() == 0 && SelStart() == GetTextLen();
    const bool full = g->MaxEditLength() > 0 && GetTextLen() == g->MaxEditLength();
    const bool maskDone = IsMasked() && GetTextLen() == MaskLength() && Text().find(' ') == String::npos;
    if (g->Navigation()->AdvanceAuto() && atEnd && ch >= 32 &&
        ((g->Navigation()->AdvanceOnEnter && full) || maskDone)) {
        WideChar enter = 13;
        g->KeyPress(enter);
    }
}

void TExtInplaceEdit::KeyDown(WORD& key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    const bool ctrl = shift.Contains(ssCtrl);
    FSelKeyDown = SelStart();
    // Deleting is never undone by a completion.
    if (key == VK_BACK || key == VK_DELETE) Workmode = false;
    else if (key != VK_RETURN && key != VK_UP && key != VK_DOWN) Workmode = true;
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
        // Between the lines of the text the key moves the caret.
        const int line = LineFromChar(SelStart());
        if ((key == VK_UP && line > 0) || (key == VK_DOWN && line < LineCount() - 1)) return;
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
        if (g->MouseActions()->DisjunctRowSelect()) {
            g->ClearRowSelect();
            g->SetRowSelect(g->Row(), true);
        }
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
        if (!g->Navigation()->AllowCtrlEnter && (g->WordWrap() || g->Multilinecells)) g->FEditing = false;
        if ((ctrl || shift.Contains(ssShift)) && g->SizeWhileTyping()->Height && g->Multilinecells)
            SizeRowWhileTyping(true);
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
    if (key == 13 && !FGrid->Navigation()->LineFeedOnEnter && !FGrid->ValidateCell(Text())) {
        SetText(FGrid->GetCurrentCell());
        key = 0;
        return;
    }
    TInplaceEdit::KeyPress(key);
}

bool TExtInplaceEdit::CursorWalk(WORD key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    if (!g->Navigation()->CursorWalkEditor || shift.Contains(ssShift) || SelLength() > 0) return false;
    const String text = Text();
    const bool left = key == VK_LEFT;
    if (left && !(SelStart() == 0 && FOldSelStart == 0)) return false;
    if (!left && int(Utf8ToUtf16(text).size()) != FOldSelStart) return false;
    const int col = g->Col(), row = g->Row();
    const int lastCol = g->ColCount() - 1 - g->FixedRightCols;
    int next = left ? col - 1 : col + 1;
    if (!left) {
        // The cell after the current cell's merged span.
        const TPoint b = g->BaseCell(g->RealColIndex(col), row);
        const TPoint span = g->CellSpan(b.X, b.Y);
        if (span.X > 0) next = g->DisplColIndex(b.X) + span.X + 1;
    }
    const bool inside = left ? next >= g->FixedCols() : col < lastCol && next <= lastCol;
    if (inside && g->IsControlCell(g->RealColIndex(next), row)) {
        // Check boxes and buttons are stepped onto, without an editor.
        if (g->ValidateCell(text)) {
            g->HideInplaceEdit();
            g->SetCol(next);
        } else {
            AfterRefusal();
        }
        return true;
    }
    if (left) {
        // A refused text keeps the user in this cell with the handler's text.
        if (!g->ValidateCell(text)) {
            AfterRefusal();
            return true;
        }
        g->HideInplaceEdit();
    }
    const TAdvanceDirection dir = g->Navigation()->AdvanceDirection();
    g->Navigation()->SetAdvanceDirection(adLeftRight);
    struct Restore {
        TNavigation* n;
        TAdvanceDirection d;
        ~Restore() { n->SetAdvanceDirection(d); }
    } restore{g->Navigation(), dir};
    g->AdvanceToNextCell(col, row, true, false, !left, true, true);
    if (!g->Navigation()->CursorWalkAlwaysEdit) g->HideInplaceEdit();
    return true;
}

void TExtInplaceEdit::KeyUp(WORD& key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    if (key == VK_LEFT || key == VK_RIGHT) {
        if (CursorWalk(key, shift)) key = g->Navigation()->CursorWalkAlwaysEdit ? VK_RETURN : 0;
        return;
    }
    TInplaceEdit::KeyUp(key, shift);
    if (key != 0 && key != VK_BACK && key != VK_DELETE) DoChange();
    if (!Visible() || !g->EditMode) return;
    const bool width = g->SizeWhileTyping()->Width;
    const bool height = g->SizeWhileTyping()->Height && g->WordWrap();
    if (!width && !height) return;
    if (width) g->AutoSizeColumnWidth(g->Col(), g->SizeGrowOnly);
    if (height) SizeRowWhileTyping(false);
}

void TExtInplaceEdit::SizeRowWhileTyping(bool newLine)
{
    TExtStringGrid* g = FGrid;
    const int row = g->Row();
    const bool synch = g->ColumnSize()->SynchWithGrid;
    g->ColumnSize()->SynchWithGrid = false;
    if (newLine) {
        const int lines = LineCountOf(Text() + "\r\n ");
        if (lines < g->MaxLinesInRow(row)) g->AutoSizeRow(row);
        else g->SizeRowToLines(row, lines, g->TotalYOffset());
    } else {
        g->AutoSizeRow(row);
    }
    g->ColumnSize()->SynchWithGrid = synch;
    if (g->OnEndRowSize) g->OnEndRowSize(g, row);
}

void TExtInplaceEdit::DoChange()
{
    TExtStringGrid* g = FGrid;
    if (!Workmode || SelLength() > 0 || !g->Lookup || g->LookupItems()->Count() == 0) return;
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
        GotKey = false;
        return;
    }
}

void TExtInplaceEdit::HandleWMPaste(TMessage& msg) { Paste(); }

void TExtInplaceEdit::HandleWMCopy(TMessage& msg)
{
    bool Allow = true;
    if (FGrid->OnClipboardCopy) FGrid->OnClipboardCopy(this, Allow);
    if (Allow) TInplaceEdit::WndProc(msg);
}

void TExtInplaceEdit::HandleWMCut(TMessage& msg)
{
    bool Allow = true;
    if (FGrid->OnClipboardCut) FGrid->OnClipboardCut(this, Allow);
    if (Allow) TInplaceEdit::WndProc(msg);
}

void TExtInplaceEdit::Paste()
{
    TExtStringGrid* g = FGrid;
    String text = Clipboard()->AsText();
    bool Allow = !text.empty();
    if (g->OnClipboardPaste) g->OnClipboardPaste(this, Allow);
    if (!Allow) return;
    if (g->OnClipboardBeforePasteCell) g->OnClipboardBeforePasteCell(this, g->Col(), g->Row(), text, Allow);
    if (!Allow) return;
    const int limit = FLengthLimit;
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
    case edCapital: result = CaseText(result, true); break;
    case edLowerCase: result = CaseText(result, false); break;
    default: break;
    }
    SetText(result);
    g->SetCurrentEditText(result);
    SetSelStart(start + (len > 0 ? 0 : int(w.size())));
    SetSelLength(len > 0 ? int(w.size()) : 0);
    if (g->OnClipboardAfterPasteCell) g->OnClipboardAfterPasteCell(this, g->Col(), g->Row(), Text());
}

void TExtInplaceEdit::Change()
{
    TInplaceEdit::Change();
    if (!FGrid->FNoEditChange && FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TExtInplaceEdit::DblClick()
{
    // The grid's last press lies elsewhere: the report names the edited cell.
    if (FGrid->OnDblClick) FGrid->OnDblClick(FGrid);
    if (FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

// ---------------------------------------------------------------- hidden special editors

TGridEditorControl::TGridEditorControl(TExtStringGrid* AGrid) : TCustomControl(AGrid)
{
    SetVisible(false);
    SetEnabled(false);
    SetParent(AGrid);
}
