// How the grid's special editors end an edit from the keyboard: Enter, Tab and the keys
// that leave the cell write the editor's value into the cell, validate it and hand the
// key back to the grid; Esc puts back the value the cell had when the edit began. The
// editors also claim these keys, so that the form's default and cancel buttons never see
// them while an edit is open; a Tab the grid does not take goes on to the form.
#include <algorithm>
#include <cctype>

#include "grid/core/ExtGrid.h"
#include "gridedit/GridEditors.h"
#include "platform/gui/Clipbrd.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Unicode.h"

namespace {

bool IsNavigationKey(WORD key) { return key == VK_TAB || key == VK_RETURN || key == VK_UP || key == VK_DOWN; }

// The grid walks its cells with Tab.
bool GridTakesTab(TExtStringGrid* g) { return g->Options().Contains(goTabs); }

// Writes the editor's text into the current cell and validates it, as the text editor
// does; false when the grid's validation refused it (the grid has then reopened the
// editor on the old cell).
bool WriteAndValidate(TExtStringGrid* g, const String& text)
{
    g->FValidating = true;
    g->SetCurrentCell(text);
    g->FValidating = false;
    return g->ValidateCell(text);
}

// Ends the edit without passing a key on and gives the grid the focus.
void EndEdit(TExtStringGrid* g)
{
    g->FBlockFocus = true;
    g->FEditing = false;
    g->HideInplaceEdit();
    if (g->CanFocus() && !g->Focused()) g->SetFocus();
    g->FBlockFocus = false;
}

// Tab with the grid's own Tab walk: the edit ends and the walk moves on.
void EndEditAndTab(TExtStringGrid* g, TShiftState shift)
{
    EndEdit(g);
    g->TabNavigate(shift.Contains(ssShift));
}

// After Enter has advanced, the new cell is edited at once when the grid asks for it.
void RestartAfterAdvance(TExtStringGrid* g, WORD key)
{
    TNavigation* n = g->Navigation();
    if (key == VK_RETURN && n->AdvanceOnEnter && n->AdvanceAutoEdit && g->IsEditable(g->Col(), g->Row()))
        g->ShowInplaceEdit();
}

// The answers to "do you handle this key yourself?": CM_WANTSPECIALKEY for one key,
// WM_GETDLGCODE for the kinds of keys. Returns false for other messages.
bool AnswerSpecialKey(TMessage& msg, bool enterEsc, bool tab, bool arrows)
{
    if (msg.Msg == CM_WANTSPECIALKEY) {
        const WORD key = WORD(msg.WParam);
        bool wants = false;
        if (key == VK_RETURN || key == VK_ESCAPE) wants = enterEsc;
        else if (key == VK_TAB) wants = tab;
        else if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) wants = arrows;
        msg.Result = wants ? 1 : 0;
        return true;
    }
    return false;
}

// "All keys" would keep Tab from the form as well; an editor that leaves Tab to the form
// takes Enter and Esc in its key handling before the form could see them.
void AddDialogCodes(TMessage& msg, bool enterEsc, bool tab, bool arrows)
{
    if (enterEsc && tab) msg.Result |= DLGC_WANTALLKEYS;
    if (tab) msg.Result |= DLGC_WANTTAB;
    if (arrows) msg.Result |= DLGC_WANTARROWS;
}

// The character filter of the numeric and decimal edits with button: digits, "-" at the
// start of a text without one, and for decimals one decimal separator. False when the
// character is refused: key is then 0, after a beep where the user should hear one.
bool AcceptNumberChar(TCustomMaskEdit* e, WideChar& key, bool decimal)
{
    const WideChar c = key;
    if (c == WideChar(VK_BACK) || c == WideChar(VK_ESCAPE) || (c >= '0' && c <= '9')) return true;
    const String t = e->Text();
    const int from = std::clamp(e->SelStart(), 0, int(t.size()));
    const String sel = t.substr(size_t(from), size_t(std::max(0, e->SelLength())));
    const auto refuse = [&key](bool beep) {
        if (beep) MessageBeep();
        key = 0;
        return false;
    };
    if (c == '-') {
        const bool free = t.find('-') == String::npos || (decimal && sel.find('-') != String::npos);
        return from == 0 && free ? true : refuse(true);
    }
    if (!decimal) return refuse(true);
    const char dec = GetDecimalSeparator();
    if (c == WideChar(dec)) {
        // A second separator is dropped unless the selection holds the first.
        const size_t have = t.find(dec);
        return have == String::npos || sel.find(dec) != String::npos ? true : refuse(false);
    }
    if (c == WideChar(GetThousandSeparator())) return refuse(false);
    if (c == ',' || c == '.') return true;
    // Editing shortcuts (Ctrl with a letter) arrive as control characters.
    return c < 32 ? true : refuse(false);
}

bool IsLeavingArrow(WORD key) { return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN; }

}  // namespace

// ---------------------------------------------------------------- spin edit

void TGridSpin::KeyDown(WORD& key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    const bool alt = shift.Contains(ssAlt);
    // Up, Down and the page keys step the value; only with Alt do they leave the cell.
    if (!alt && (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT)) {
        TAsgSpinEdit::KeyDown(key, shift);
        return;
    }
    // With Alt the page keys step by one increment only while the value stays within its
    // limits; Home and End jump to the limits. Dates and times leave these keys alone.
    const bool number = SpinType() == sptNormal || SpinType() == sptFloat;
    if (g && g->EditMode && number && (key == VK_PRIOR || key == VK_NEXT || key == VK_HOME || key == VK_END)) {
        const bool up = key == VK_PRIOR || key == VK_HOME;
        if (SpinType() == sptNormal) {
            const int v = Value();
            if (key == VK_PRIOR && v + Increment() <= MaxValue()) SetValue(v + Increment());
            else if (key == VK_NEXT && v - Increment() >= MinValue()) SetValue(v - Increment());
            else if (key == VK_HOME) SetValue(MaxValue());
            else if (key == VK_END) SetValue(MinValue());
        } else {
            const double v = FloatValue();
            if (key == VK_PRIOR && v + IncrementFloat() <= MaxFloatValue()) SetFloatValue(v + IncrementFloat());
            else if (key == VK_NEXT && v - IncrementFloat() >= MinFloatValue()) SetFloatValue(v - IncrementFloat());
            else if (key == VK_HOME) SetFloatValue(MaxFloatValue());
            else if (key == VK_END) SetFloatValue(MinFloatValue());
        }
        // The integer event is the one these keys report, whatever the kind.
        if (g->OnSpinClick) g->OnSpinClick(g, g->RealColIndex(g->Col()), g->Row(), Value(), up);
        key = 0;
        return;
    }
    // A Tab the grid does not take goes on to the form's Tab order; leaving stores the value.
    if (!g || !g->EditMode || (!IsNavigationKey(key) && key != VK_ESCAPE) || (key == VK_TAB && !GridTakesTab(g))) {
        TAsgSpinEdit::KeyDown(key, shift);
        return;
    }
    if (key == VK_ESCAPE) {
        SetText(g->FCellCache);
        // The cache is read again as a value of the spin kind, as the editor shows it.
        if (SpinType() == sptNormal) SetValue(Value());
        else if (SpinType() == sptFloat) SetFloatValue(FloatValue());
    } else {
        if (!WriteAndValidate(g, Text())) {
            SetText(g->GetCurrentCell());
            SetSelStart(GetTextLen());
            Invalidate();
            key = 0;
            return;
        }
        SetText(g->GetCurrentCell());
        if (key == VK_TAB && GridTakesTab(g)) {
            EndEditAndTab(g, shift);
            key = 0;
            return;
        }
    }
    const WORD k = key;
    key = 0;
    g->DoneInplaceEdit(k, shift);
    RestartAfterAdvance(g, k);
}

void TGridSpin::KeyPress(WideChar& key)
{
    if (key == WideChar(VK_TAB) || key == WideChar(VK_RETURN) || key == WideChar(VK_ESCAPE)) {
        key = 0;
        return;
    }
    TAsgSpinEdit::KeyPress(key);
}

void TGridSpin::WndProc(TMessage& msg)
{
    const bool tab = FGrid && GridTakesTab(FGrid);
    if (AnswerSpecialKey(msg, true, tab, false)) return;
    TAsgSpinEdit::WndProc(msg);
    if (msg.Msg == WM_GETDLGCODE) AddDialogCodes(msg, true, tab, false);
}

// ---------------------------------------------------------------- edit with button

void TGridEditBtn::KeyDown(WORD& key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    const bool editorKey = IsNavigationKey(key) || key == VK_ESCAPE || key == VK_PRIOR || key == VK_NEXT;
    // Keys the editor does not act on are the grid's to hear first.
    if (g && !editorKey && g->OnKeyDown) {
        g->OnKeyDown(g, key, shift);
        if (key == 0) return;
    }
    WorkMode = key != VK_BACK && key != VK_DELETE;
    FSelKeyDown = SelStart();
    if (!g || !g->EditMode || !editorKey || shift.Contains(ssCtrl) || (key == VK_TAB && !g->EditorWantsTab())) {
        TAsgEditBtn::KeyDown(key, shift);
        return;
    }
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
        if (key == 0) return;
    }
    if (IsNavigationKey(key)) {
        const TEditorType kind = g->EditControl;
        if (!WriteAndValidate(g, Text())) {
            SetText(g->FNewCellText);
            SelectAll();
            Invalidate();
            key = 0;
            g->EditControl = kind;
            return;
        }
        SetText(g->FNewCellText);
    }
    if (key == VK_TAB && g->EditorWantsTab() && GridTakesTab(g)) {
        EndEditAndTab(g, shift);
        key = 0;
        return;
    }
    if (key == VK_ESCAPE) SetText(g->FCellCache);
    const WORD k = key;
    key = 0;
    g->DoneInplaceEdit(k, shift);
}

void TGridEditBtn::KeyUp(WORD& key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    if (g && g->OnKeyUp) {
        g->OnKeyUp(g, key, shift);
        if (key == 0) return;
    }
    const bool plain = !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
    if (g && g->EditMode && g->Navigation()->CursorWalkEditor && plain && SelLength() == 0) {
        // The caret stood at the edge already when the key went down: one more step leaves.
        const int end = Utf8Length(Text());
        const bool right = key == VK_RIGHT && SelStart() == end && FSelKeyDown == end;
        const bool left = key == VK_LEFT && SelStart() == 0 && FSelKeyDown == 0;
        if ((left || right) && LeaveEditorSideways(g, Text(), right)) {
            key = 0;
            return;
        }
    }
    const bool enter = key == VK_RETURN;
    if (!enter) TAsgEditBtn::KeyUp(key, shift);
    if (!enter) DoLookup();
}

void TGridEditBtn::DoLookup()
{
    TExtStringGrid* g = FGrid;
    if (!g || !WorkMode || SelLength() != 0 || !g->Lookup || g->LookupItems()->Count() == 0) return;
    const std::u16string text = Utf8ToUtf16(Text());
    const size_t L = std::min(text.size(), size_t(std::max(0, SelStart())));
    if (L == 0) return;
    const String typed = Utf16ToUtf8(text.substr(0, L));
    const String prefix = g->LookupCaseSensitive ? typed : UpperCase(typed);
    for (int i = 0; i < g->LookupItems()->Count(); ++i) {
        const String& item = g->LookupItems()->Strings(i);
        const String cmp = g->LookupCaseSensitive ? item : UpperCase(item);
        if (cmp.compare(0, prefix.size(), prefix) != 0) continue;
        // The typed part stays as typed; the rest of the item is offered selected.
        const std::u16string witem = Utf8ToUtf16(item);
        const std::u16string rest = witem.size() > L ? witem.substr(L, 255) : std::u16string();
        SetText(Utf16ToUtf8(text.substr(0, L) + rest));
        SetSelStart(int(L));
        SetSelLength(Utf8Length(Text()) - int(L));
        return;
    }
}

void TGridEditBtn::KeyPress(WideChar& key)
{
    // The grid hears every character first; a handler that clears it suppresses it.
    if (FGrid && FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, key);
    if (key == 0) return;
    if (key == WideChar(VK_TAB) || key == WideChar(VK_RETURN)) {
        key = 0;
        return;
    }
    const TEditorType kind = FGrid ? FGrid->EditControl : edEditBtn;
    if ((kind == edNumericEditBtn || kind == edFloatEditBtn) && !AcceptNumberChar(this, key, kind == edFloatEditBtn))
        return;
    TAsgEditBtn::KeyPress(key);
}

// The paste asks the grid's clipboard events first; a text whose only line break ends
// it is pasted without it, and the cell follows the editor at once.
void TGridEditBtn::Paste()
{
    TExtStringGrid* g = FGrid;
    bool allow = Clipboard()->HasText();
    if (g->OnClipboardPaste) g->OnClipboardPaste(this, allow);
    if (!allow) return;
    String text = Clipboard()->AsText();
    if (g->OnClipboardBeforePasteCell) g->OnClipboardBeforePasteCell(this, g->RealColIndex(g->Col()), g->Row(), text, allow);
    if (!allow) return;
    const size_t crlf = text.find("\r\n");
    if (crlf != String::npos && crlf + 2 == text.size()) text.erase(crlf);
    const String t = Text();
    const size_t from = size_t(std::clamp(SelStart(), 0, int(t.size())));
    const size_t len = std::min(size_t(std::max(0, SelLength())), t.size() - from);
    SetText(t.substr(0, from) + text + t.substr(from + len));
    g->SetCurrentCell(Text());
    SetSelStart(int(from + (len > 0 ? 0 : text.size())));
    SetSelLength(len > 0 ? int(text.size()) : 0);
}

void TGridEditBtn::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_PASTE && FGrid) {
        Paste();
        return;
    }
    const bool tab = FGrid && FGrid->EditorWantsTab();
    if (AnswerSpecialKey(msg, true, tab, false)) return;
    TAsgEditBtn::WndProc(msg);
    if (msg.Msg == WM_GETDLGCODE) AddDialogCodes(msg, true, tab, false);
}

// ---------------------------------------------------------------- value with unit

void TGridUnitEditBtn::KeyDown(WORD& key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    const bool editorKey = IsNavigationKey(key) || key == VK_ESCAPE || key == VK_PRIOR || key == VK_NEXT;
    if (!g || !g->EditMode || !editorKey || shift.Contains(ssCtrl) || (key == VK_TAB && !GridTakesTab(g))) {
        TAsgUnitEditBtn::KeyDown(key, shift);
        return;
    }
    if (IsNavigationKey(key)) {
        if (!WriteAndValidate(g, TextAndUnit())) {
            SetUnitID(String());
            SetText(g->GetCurrentCell());
            key = 0;
            return;
        }
        // The validated text may carry another unit: split it again.
        const String cell = g->GetCurrentCell();
        SetTextAndUnit(cell);
        if (TextAndUnit() != cell) {
            SetUnitID(String());
            SetText(cell);
        }
    }
    if (key == VK_RETURN && g->Navigation()->AdvanceOnEnter) {
        key = 0;
        EndEdit(g);
        g->AdvanceToNextCell(g->Col(), g->Row(), false, false, true, true, false);
        return;
    }
    if (key == VK_TAB && GridTakesTab(g)) {
        EndEditAndTab(g, shift);
        key = 0;
        return;
    }
    if (key == VK_ESCAPE) {
        SetUnitID(String());
        SetText(g->GetCurrentCell());
    }
    const WORD k = key;
    key = 0;
    g->DoneInplaceEdit(k, shift);
}

void TGridUnitEditBtn::KeyPress(WideChar& key)
{
    if (key == WideChar(VK_RETURN)) {
        key = 0;
        return;
    }
    const TEditorType kind = FGrid ? FGrid->EditControl : edUnitEditBtn;
    if ((kind == edNumericUnitEditBtn || kind == edFloatUnitEditBtn) &&
        !AcceptNumberChar(this, key, kind == edFloatUnitEditBtn))
        return;
    TAsgUnitEditBtn::KeyPress(key);
}

void TGridUnitEditBtn::WndProc(TMessage& msg)
{
    const bool tab = FGrid && GridTakesTab(FGrid);
    if (AnswerSpecialKey(msg, true, tab, false)) return;
    TAsgUnitEditBtn::WndProc(msg);
    if (msg.Msg == WM_GETDLGCODE) AddDialogCodes(msg, true, tab, false);
}

// ---------------------------------------------------------------- check box

void TGridCheckBox::KeyDown(WORD& key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    // Space is left to the box itself, which toggles once per press.
    const bool ends = key == VK_RETURN || key == VK_ESCAPE || key == VK_PRIOR || key == VK_NEXT || key == VK_END ||
                      IsLeavingArrow(key);
    if (!g || !ends) {
        TCheckBox::KeyDown(key, shift);
        return;
    }
    if (key == VK_ESCAPE) SetCaption(g->GetCurrentCell());
    const WORD k = key;
    key = 0;
    EndEdit(g);
    if (k == VK_RETURN) g->AdvanceToNextCell(g->Col(), g->Row(), false, false, true, true, false);
    if (k == VK_UP || k == VK_DOWN) g->Perform(WM_KEYDOWN, k, 0);
}

void TGridCheckBox::KeyPress(WideChar& key)
{
    // The keys that end the edit type nothing.
    if (key == WideChar(VK_RETURN) || key == WideChar(VK_ESCAPE)) {
        key = 0;
        return;
    }
    TCheckBox::KeyPress(key);
}

void TGridCheckBox::WndProc(TMessage& msg)
{
    if (AnswerSpecialKey(msg, true, false, true)) return;
    TCheckBox::WndProc(msg);
    if (msg.Msg == WM_GETDLGCODE) AddDialogCodes(msg, true, false, true);
}

// ---------------------------------------------------------------- push button

void TGridButton::KeyDown(WORD& key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    if (!g || (!IsLeavingArrow(key) && key != VK_ESCAPE)) {
        TButton::KeyDown(key, shift);
        return;
    }
    const WORD k = key;
    key = 0;
    if (k == VK_ESCAPE) {
        EndEdit(g);
        g->RestoreCellCache();
        // The grid's key-down event sees the Esc; its dialog-key routing does not, or the
        // form's cancel button would close the window the user only meant to stop editing.
        WORD esc = k;
        if (g->OnKeyDown) g->OnKeyDown(g, esc, shift);
        return;
    }
    // The grid moves first; the button then goes away and the grid takes the focus.
    g->Perform(WM_KEYDOWN, k, 0);
    if (Visible()) EndEdit(g);
    else if (g->CanFocus() && !g->Focused()) g->SetFocus();
    g->Perform(WM_KEYUP, k, 0);
}

void TGridButton::KeyPress(WideChar& key)
{
    if (key == WideChar(VK_ESCAPE)) {
        key = 0;
        return;
    }
    TButton::KeyPress(key);
}

void TGridButton::WndProc(TMessage& msg)
{
    if (AnswerSpecialKey(msg, false, false, true)) {
        if (WORD(msg.WParam) == VK_ESCAPE) msg.Result = 1;
        return;
    }
    TButton::WndProc(msg);
    // Enter stays with the button (it clicks it); Esc never gets this far.
    if (msg.Msg == WM_GETDLGCODE) AddDialogCodes(msg, false, false, true);
}

// ---------------------------------------------------------------- date picker

void TGridDatePicker::KeyDown(WORD& key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    const bool editorKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_PRIOR ||
                           key == VK_NEXT || key == VK_END;
    if (!g || !g->EditMode || !editorKey || (key == VK_TAB && !g->EditorWantsTab())) {
        TAsgDateTimePicker::KeyDown(key, shift);
        return;
    }
    const WORD k = key;
    key = 0;
    if (DroppedDown()) {
        // The open calendar takes the key: Enter and Esc only close it.
        SetDroppedDown(false);
        return;
    }
    if (k == VK_ESCAPE) {
        const String text = g->GetCurrentCell();
        TDateTime v = 0;
        try {
            v = StrToDateTimeByPattern(text, DisplayPattern());
        } catch (const Exception&) {
            v = CurrentDateTime();
        }
        if (Kind() == dtkTime) SetTime(v);
        else SetDate(v);
    } else if (k == VK_RETURN || (k == VK_TAB && g->EditorWantsTab())) {
        // Moving on to the next field completes digits typed into the current one.
        if (k == VK_RETURN) {
            Perform(WM_KEYDOWN, VK_RIGHT, 0);
            Perform(WM_KEYUP, VK_RIGHT, 0);
        }
        if (!WriteAndValidate(g, ValueText())) {
            SetValueText(g->FNewCellText);
            Invalidate();
            return;
        }
        SetValueText(g->GetCurrentCell());
    }
    // Tab moves once, through the grid's key handling after the edit has ended.
    g->DoneInplaceEdit(k, shift);
    RestartAfterAdvance(g, k);
}

void TGridDatePicker::KeyPress(WideChar& key)
{
    if (key == WideChar(VK_TAB) || key == WideChar(VK_RETURN) || key == WideChar(VK_ESCAPE)) {
        key = 0;
        return;
    }
    if (key >= '0' && key <= '9') {
        DecodeDate(DateTime(), Fy, Fm, Fd);
        DecodeTime(DateTime(), Fth, Ftm, Fts, Ftms);
        TAsgDateTimePicker::KeyPress(key);
        PostMessage(Handle(), DTPShiftFocusMessage(), 0, 0);
    } else {
        TAsgDateTimePicker::KeyPress(key);
    }
    if (FGrid && FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, key);
}

void TGridDatePicker::AdvanceDatePart()
{
    int y, m, d, h, n, s, ms;
    DecodeDate(DateTime(), y, m, d);
    DecodeTime(DateTime(), h, n, s, ms);
    bool next;
    if (Kind() == dtkTime) {
        next = h != Fth || n != Ftm || s != Fts;
    } else if (!Format().empty()) {
        // A digit that completed the field the format ends with stays there.
        const char last = char(std::tolower(static_cast<unsigned char>(Format().back())));
        const bool dc = d != Fd, mc = m != Fm, yc = y != Fy;
        next = (dc || mc || yc) && !((dc && last == 'd') || (mc && last == 'm') || (yc && last == 'y'));
    } else {
        next = d != Fd || m != Fm;
    }
    // Digits typed faster than their messages arrive move on once per completed field.
    Fy = y, Fm = m, Fd = d, Fth = h, Ftm = n, Fts = s, Ftms = ms;
    if (next) PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TGridDatePicker::WndProc(TMessage& msg)
{
    if (msg.Msg == DTPShiftFocusMessage()) {
        AdvanceDatePart();
        return;
    }
    const bool tab = FGrid && FGrid->EditorWantsTab();
    if (AnswerSpecialKey(msg, true, tab, false)) return;
    TAsgDateTimePicker::WndProc(msg);
    if (msg.Msg == WM_GETDLGCODE) AddDialogCodes(msg, true, tab, false);
}

// ---------------------------------------------------------------- date and time picker

// This picker runs no validation: its value is stored as the edit ends.
void TGridDateTimePicker::KeyDown(WORD& key, TShiftState shift)
{
    TExtStringGrid* g = FGrid;
    const bool tab = key == VK_TAB && g && g->EditorWantsTab();
    const bool editorKey = key == VK_RETURN || key == VK_ESCAPE || key == VK_PRIOR || key == VK_NEXT ||
                           key == VK_END || tab;
    if (!g || !g->EditMode || !editorKey) {
        TExtDateTimePicker::KeyDown(key, shift);
        return;
    }
    const WORD k = key;
    key = 0;
    if (DroppedDown()) {
        SetDroppedDown(false);
        return;
    }
    switch (k) {
    case VK_ESCAPE:
        SetDateTime(g->FOriginalDateTime);
        EndEdit(g);
        break;
    case VK_RETURN:
        EndEdit(g);
        g->AdvanceToNextCell(g->Col(), g->Row(), false, false, true, true, false);
        break;
    case VK_TAB:
        // The edit stores the value as it ends; the walk moves once.
        if (GridTakesTab(g)) EndEditAndTab(g, shift);
        else g->DoneInplaceEdit(k, shift);
        break;
    default:
        EndEdit(g);
        break;
    }
}

void TGridDateTimePicker::KeyPress(WideChar& key)
{
    if (key == WideChar(VK_TAB) || key == WideChar(VK_RETURN) || key == WideChar(VK_ESCAPE)) {
        key = 0;
        return;
    }
    TExtDateTimePicker::KeyPress(key);
}

void TGridDateTimePicker::WndProc(TMessage& msg)
{
    const bool tab = FGrid && FGrid->EditorWantsTab();
    if (AnswerSpecialKey(msg, true, tab, false)) return;
    TExtDateTimePicker::WndProc(msg);
    if (msg.Msg == WM_GETDLGCODE) AddDialogCodes(msg, true, tab, false);
}

// ---------------------------------------------------------------- drop-down pickers

namespace {
// The colour picker's keys differ: Home ends the edit too, an open drop-down leaves
// only Tab, Enter and Esc to the edit, and only Enter stores with validation.
bool IsColorPicker(const IGridPickerEditor* e) { return e->IsColourPicker(); }

// The editor writes the cell's colour or image besides its text.
bool WritesMoreThanText(IGridPickerEditor* e)
{
    return dynamic_cast<IGridColourEditor*>(e->EditorControl()) || dynamic_cast<IGridImageEditor*>(e->EditorControl());
}
}  // namespace

bool DropDownKeyDown(TExtStringGrid* g, IGridPickerEditor* e, WORD& key, TShiftState shift)
{
    if (!g || !g->EditMode || g->EditCtrl != e->EditorControl()) return false;
    const bool alt = shift.Contains(ssAlt);
    // Alt with Up or Down opens and closes the picker's window.
    if (alt && (key == VK_UP || key == VK_DOWN)) return false;
    const bool color = IsColorPicker(e), open = e->PickerDroppedDown();
    bool editorKey = key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE;
    if (!(color && open))
        editorKey = editorKey || key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_UP || key == VK_DOWN ||
                    (color && key == VK_HOME);
    if (!editorKey) return false;

    if (key == VK_ESCAPE) {
        // The text from the start of the edit: a cell that followed the typing (the memo
        // picker's) would otherwise keep what Esc is meant to throw away.
        // Closed first: a picker takes what its drop-down shows as it closes.
        if (open) e->PickerCloseUp();
        if (WritesMoreThanText(e)) {
            // The text cannot bring back the colour or image the cell had: nothing is
            // written, so the cell keeps both.
            g->FEditorValueDropped = true;
            EndEdit(g);
            g->FEditorValueDropped = false;
        } else {
            e->SetEditorText(g->FCellCache);
            EndEdit(g);
        }
        key = 0;
        return true;
    }
    const bool tabTaken = key == VK_TAB && g->EditorWantsTab();
    const bool validated = color ? key == VK_RETURN : key == VK_RETURN || key == VK_UP || key == VK_DOWN;
    if (validated || tabTaken) {
        if (!WriteAndValidate(g, e->EditorText())) {
            // The edit stays open with the text validation left.
            e->SetEditorText(g->FNewCellText);
            if (tabTaken) {
                e->CaretToEnd();
            } else {
                e->SelectAllText();
            }
            e->EditorControl()->Invalidate();
            key = 0;
            return true;
        }
        e->SetEditorText(g->GetCurrentCell());
        if (tabTaken) {
            if (open) e->PickerCloseUp();
            if (GridTakesTab(g)) {
                EndEditAndTab(g, shift);
                key = 0;
                return true;
            }
            PostMessage(g->Handle(), WM_KEYDOWN, VK_TAB, 0);
        }
    }
    WORD k = key;
    if (k == VK_TAB && !tabTaken) {
        // Tab is the form's focus key: leaving the editor ends the edit.
        key = 0;
        if (open) e->PickerCloseUp();
        g->HideInplaceEdit();
        if (TForm* f = GetParentForm(g)) f->SelectNext(g, !shift.Contains(ssShift), true);
        return true;
    }
    if (open) {
        e->PickerCloseUp();
        g->HideInplaceEdit();
        if (k == VK_PRIOR || k == VK_NEXT || k == VK_UP || k == VK_DOWN) k = 0;
    } else if (k == VK_END) {
        // The caret goes to the end of the text.
        return false;
    }
    key = 0;
    if (color && k == VK_HOME) {
        // Home ends the colour picker's edit where it is.
        EndEdit(g);
        return true;
    }
    g->DoneInplaceEdit(k, shift);
    RestartAfterAdvance(g, k);
    return true;
}

bool DropDownKeyPress(TExtStringGrid* g, IGridPickerEditor* e, WideChar& key)
{
    if (g && g->OnKeyPress) g->OnKeyPress(e->EditorControl(), key);
    if (key == WideChar(VK_ESCAPE) || key == WideChar(VK_RETURN) || key == WideChar(VK_TAB)) key = 0;
    return key != 0;
}

bool DropDownWndProc(TExtStringGrid* g, TMessage& msg)
{
    return AnswerSpecialKey(msg, true, g && g->EditorWantsTab(), false);
}

void DropDownDialogCodes(TExtStringGrid* g, TMessage& msg)
{
    if (msg.Msg == WM_GETDLGCODE) AddDialogCodes(msg, true, g && g->EditorWantsTab(), false);
}
