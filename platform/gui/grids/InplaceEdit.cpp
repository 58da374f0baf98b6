// The grid's in-place editor: a borderless text field drawn by itself, with caret,
// selection, line breaks, length limit, password character, edit mask and clipboard.
#include <algorithm>

#include "platform/gui/Clipbrd.h"
#include "platform/gui/EditMask.h"
#include "platform/gui/Forms.h"
#include "platform/gui/Grids.h"
#include "platform/rtl/Unicode.h"

namespace {
bool IsBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

bool IsWordChar(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c > 127;
}
}

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomControl(AOwner)
{
    FGrid = dynamic_cast<TCustomGrid*>(AOwner);
    FClickEvents = false;
    SetTabStop(false);
    SetVisible(false);
}

TInplaceEdit::~TInplaceEdit() = default;

// ---------------------------------------------------------------- text and selection

String TInplaceEdit::GetText() const { return Utf16ToUtf8(FBuf); }

void TInplaceEdit::TextChanged()
{
    // Text set by code: the caret goes to the end, nothing selected.
    FBuf = Utf8ToUtf16(FText);
    FAnchorPos = FCaretPos = int(FBuf.size());
    FScrollX = 0;
    Invalidate();
    if (!FSyncing) Change();
}

void TInplaceEdit::SyncText()
{
    FSyncing = true;
    struct Reset {
        bool& f;
        ~Reset() { f = false; }
    } reset{FSyncing};
    FText = Utf16ToUtf8(FBuf);
}

void TInplaceEdit::Change()
{
    FModified = true;
    if (OnChange) OnChange(this);
}

int TInplaceEdit::SelStart() const { return std::min(FAnchorPos, FCaretPos); }
int TInplaceEdit::SelLength() const { return std::abs(FCaretPos - FAnchorPos); }

void TInplaceEdit::SetSelStart(int v)
{
    v = std::clamp(v, 0, int(FBuf.size()));
    FAnchorPos = FCaretPos = v;
    ScrollCaretIntoView();
    Invalidate();
}

void TInplaceEdit::SetSelLength(int v)
{
    const int start = SelStart();
    FAnchorPos = start;
    FCaretPos = std::clamp(start + std::max(0, v), 0, int(FBuf.size()));
    ScrollCaretIntoView();
    Invalidate();
}

String TInplaceEdit::SelText() const { return Utf16ToUtf8(FBuf.substr(size_t(SelStart()), size_t(SelLength()))); }

void TInplaceEdit::SetSelText(const String& s) { ReplaceSelection(Utf8ToUtf16(s), false); }

void TInplaceEdit::SelectAll()
{
    FAnchorPos = 0;
    FCaretPos = int(FBuf.size());
    ScrollCaretIntoView();
    Invalidate();
}

void TInplaceEdit::Deselect() { SetSelStart(int(FBuf.size())); }

void TInplaceEdit::Reset()
{
    FSyncing = true;
    struct Restore {
        bool& f;
        ~Restore() { f = false; }
    } restore{FSyncing};
    FText = FLoadedText;
    FBuf = Utf8ToUtf16(FLoadedText);
    FAnchorPos = FCaretPos = int(FBuf.size());
    FModified = false;
    Invalidate();
}

void TInplaceEdit::SetPasswordChar(WideChar c)
{
    if (c == FPasswordChar) return;
    FPasswordChar = c;
    FLinesValid = false;
    Invalidate();
}

void TInplaceEdit::SetEditMask(const String& v)
{
    FEditMask = v;
    FMaskChars.assign(size_t(EditMaskLength(v)), u'\0');
}

void TInplaceEdit::SetAlignment(TAlignment v)
{
    if (v == FAlignment) return;
    FAlignment = v;
    Invalidate();
}

// The grid decides whether the cell's text may change (an edit limit of -1 locks it).
bool TInplaceEdit::EditCanModify() { return !FGrid || FGrid->CanEditModify(); }

// Typed or pasted text in place of the selection; typed text respects the mask and
// the length limit, and is dropped whole when it does not fit.
void TInplaceEdit::ReplaceSelection(const std::u16string& s, bool typed)
{
    std::u16string text = s;
    const int start = SelStart(), len = SelLength();
    if (typed) {
        if (IsMasked() && !MaskAccepts(text)) return;
        if (FMaxLength > 0 && int(FBuf.size()) - len + int(text.size()) > FMaxLength) {
            if (FMaxLength - (int(FBuf.size()) - len) <= 0) return;
            text.resize(size_t(FMaxLength - (int(FBuf.size()) - len)));
        }
    }
    FBuf.replace(size_t(start), size_t(len), text);
    FAnchorPos = FCaretPos = start + int(text.size());
    SyncText();
    ScrollCaretIntoView();
    Invalidate();
    Change();
    // The grid hears of every change the user makes, as from the platform's edit field.
    if (Parent() && !Destroying()) Parent()->Perform(WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), LPARAM(Handle()));
}

// Mask check of text about to be inserted at the selection; fills in the literals the
// mask puts after it, applies the mask's case and limits the text to the mask.
bool TInplaceEdit::MaskAccepts(std::u16string& s) const
{
    return EditMaskAccepts(FEditMask, int(FBuf.size()), SelStart(), SelLength(), s);
}

// ---------------------------------------------------------------- lines and positions

int TInplaceEdit::LineCount() const { return int(Lines().size()); }

int TInplaceEdit::LineFromChar(int charIndex) const
{
    charIndex = std::clamp(charIndex, 0, int(FBuf.size()));
    const auto& lines = Lines();
    int line = 0;
    while (line + 1 < int(lines.size()) && lines[size_t(line) + 1].first <= charIndex) ++line;
    return line;
}

int TInplaceEdit::LineStart(int line) const
{
    const auto& lines = Lines();
    if (line <= 0) return 0;
    return line < int(lines.size()) ? lines[size_t(line)].first : int(FBuf.size());
}

int TInplaceEdit::LineEnd(int line) const
{
    const auto& lines = Lines();
    if (line < 0) line = 0;
    return line < int(lines.size()) ? lines[size_t(line)].second : int(FBuf.size());
}

const std::vector<std::pair<int, int>>& TInplaceEdit::Lines() const
{
    const int width = FWordWrap ? FTextRect.Width() : -1;
    if (FLinesValid && FLinesWidth == width && FLinesText == FBuf) return FLines;
    FLines.clear();
    const int n = int(FBuf.size());
    TCanvas* c = nullptr;
    if (width > 0) {
        c = const_cast<TInplaceEdit*>(this)->Canvas();
        c->Font()->Assign(*Font());
    }
    int start = 0;
    while (true) {
        int end = start;
        while (end < n && !IsBreak(FBuf[size_t(end)])) ++end;
        // A hard line, broken at the last blank that still fits (or inside a word that
        // does not fit on a line of its own).
        int from = start;
        while (c && from < end && c->TextWidth(DisplayText(from, end)) > width) {
            int fit = from + 1;
            while (fit < end && c->TextWidth(DisplayText(from, fit + 1)) <= width) ++fit;
            int brk = fit;
            for (int i = fit; i > from; --i)
                if (FBuf[size_t(i) - 1] == u' ') {
                    brk = i;
                    break;
                }
            FLines.emplace_back(from, brk);
            from = brk;
        }
        FLines.emplace_back(from, end);
        if (end >= n) break;
        start = end + ((FBuf[size_t(end)] == u'\r' && end + 1 < n && FBuf[size_t(end) + 1] == u'\n') ? 2 : 1);
        if (start >= n) {
            FLines.emplace_back(n, n);
            break;
        }
    }
    FLinesText = FBuf;
    FLinesWidth = width;
    FLinesValid = true;
    return FLines;
}

void TInplaceEdit::SetWordWrap(bool v)
{
    if (v == FWordWrap) return;
    FWordWrap = v;
    FLinesValid = false;
    FScrollX = 0;
    Invalidate();
}

void TInplaceEdit::SetFormatRect(const TRect& r)
{
    FTextRect = r;
    FLinesValid = false;
    ScrollCaretIntoView();
    Invalidate();
}

String TInplaceEdit::DisplayText(int from, int to) const
{
    if (to <= from) return String();
    if (FPasswordChar) return Utf16ToUtf8(std::u16string(size_t(to - from), char16_t(FPasswordChar)));
    return Utf16ToUtf8(FBuf.substr(size_t(from), size_t(to - from)));
}

// Client x of the caret position pos (on its line).
int TInplaceEdit::XOfChar(int pos)
{
    TCanvas* c = Canvas();
    c->Font()->Assign(*Font());
    const int line = LineFromChar(pos);
    const int start = LineStart(line), end = LineEnd(line);
    int x = FTextRect.Left - FScrollX;
    if (FAlignment != taLeftJustify) {
        const int w = c->TextWidth(DisplayText(start, end));
        const int room = FTextRect.Width() - w;
        if (room > 0) x += FAlignment == taRightJustify ? room : room / 2;
    }
    return x + c->TextWidth(DisplayText(start, std::min(pos, end)));
}

int TInplaceEdit::CharFromPos(TPoint p)
{
    Canvas()->Font()->Assign(*Font());
    const int lh = std::max(1, Canvas()->TextHeight("Wg"));
    const int line = std::clamp((p.Y - FTextRect.Top) / lh, 0, LineCount() - 1);
    const int start = LineStart(line), end = LineEnd(line);
    int best = start, bestDist = std::abs(XOfChar(start) - p.X);
    for (int i = start + 1; i <= end; ++i) {
        const int d = std::abs(XOfChar(i) - p.X);
        if (d < bestDist) {
            best = i;
            bestDist = d;
        }
    }
    return best;
}

void TInplaceEdit::ScrollCaretIntoView()
{
    if (FTextRect.IsEmpty() || FAlignment != taLeftJustify || FWordWrap) {
        FScrollX = 0;
        return;
    }
    const int x = XOfChar(FCaretPos);
    if (x < FTextRect.Left) FScrollX -= FTextRect.Left - x;
    else if (x >= FTextRect.Right) FScrollX += x - FTextRect.Right + 1;
    if (FScrollX < 0) FScrollX = 0;
}

void TInplaceEdit::SetCaret(int pos, bool extend)
{
    FCaretPos = std::clamp(pos, 0, int(FBuf.size()));
    if (!extend) FAnchorPos = FCaretPos;
    ScrollCaretIntoView();
    Invalidate();
}

// ---------------------------------------------------------------- placement

void TInplaceEdit::BoundsChanged() { SetFormatRect(Rect(2, 2, std::max(2, Width() - 2), Height())); }

void TInplaceEdit::InternalMove(const TRect& Loc, bool Redraw)
{
    if (Loc.IsEmpty()) {
        Hide();
        return;
    }
    SetBoundsRect(Loc);
    SetVisible(true);
    BringToFront();
    BoundsChanged();
    Invalidate();
    if (FGrid && FGrid->Focused() && CanFocus()) SetFocus();
}

void TInplaceEdit::Move(const TRect& Loc) { InternalMove(Loc, true); }

void TInplaceEdit::UpdateLoc(const TRect& Loc) { InternalMove(Loc, false); }

void TInplaceEdit::Hide()
{
    if (!TControl::Visible()) return;
    // The focus goes back to the grid before the editor disappears.
    if (Focused() && FGrid && FGrid->CanFocus()) FGrid->SetFocus();
    Invalidate();
    SetVisible(false);
}

void TInplaceEdit::UpdateContents()
{
    if (!FGrid) return;
    const int col = FGrid->Col(), row = FGrid->Row();
    SetText("");
    SetEditMask(FGrid->GetEditMask(col, row));
    SetText(FGrid->GetEditText(col, row));
    SetMaxLength(FGrid->GetEditLimit());
    FLoadedText = Text();
    FModified = false;
    SetColor(FGrid->Color());
    SetFont(FGrid->Font());
}

void TInplaceEdit::FontChanged()
{
    TCustomControl::FontChanged();
    FLinesValid = false;
    ScrollCaretIntoView();
}

// ---------------------------------------------------------------- painting

void TInplaceEdit::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    c->Font()->Assign(*Font());
    c->SetClipRect(FTextRect);
    const int lh = std::max(1, c->TextHeight("Wg"));
    const int lines = LineCount();
    const int s0 = SelStart(), s1 = SelStart() + SelLength();
    for (int line = 0; line < lines; ++line) {
        const int y = FTextRect.Top + line * lh;
        if (y >= FTextRect.Bottom) break;
        const int start = LineStart(line), end = LineEnd(line);
        const int x0 = XOfChar(start);
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(Font()->Color());
        c->TextOut(x0, y, DisplayText(start, end));
        const int a = std::max(s0, start), b = std::min(s1, end);
        if (a < b) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(clHighlight);
            c->Font()->SetColor(clHighlightText);
            c->TextOut(XOfChar(a), y, DisplayText(a, b));
        }
    }
    if (Focused() && SelLength() == 0) {
        const int line = LineFromChar(FCaretPos);
        const int x = XOfChar(FCaretPos), y = FTextRect.Top + line * lh;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Font()->Color());
        c->FillRect(Rect(x, y, x + 1, y + lh));
    }
}

// ---------------------------------------------------------------- messages and keys

void TInplaceEdit::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_GETDLGCODE:
        msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_HASSETSEL;
        if (FGrid && FGrid->Options().Contains(goTabs)) msg.Result |= DLGC_WANTTAB;
        return;
    case WM_SETFOCUS:
        TCustomControl::WndProc(msg);
        Invalidate();
        return;
    case WM_KILLFOCUS:
        TCustomControl::WndProc(msg);
        FMouseSelecting = false;
        Invalidate();
        // Leaving the editor for a control outside the grid ends the edit.
        if (FGrid) FGrid->GridExited(HWND(msg.WParam));
        return;
    }
    TCustomControl::WndProc(msg);
}

void TInplaceEdit::KeyDown(WORD& key, TShiftState shift)
{
    if (!FGrid) {
        TCustomControl::KeyDown(key, shift);
        return;
    }
    auto sendToParent = [&] {
        FGrid->KeyDown(key, shift);
        key = 0;
    };
    const bool ctrl = shift.Contains(ssCtrl);
    const bool forward = FGrid->Options().Contains(goAlwaysShowEditor);
    const int len = int(FBuf.size());
    const bool leftSide = SelStart() == 0 && (SelLength() == 0 || SelLength() == len);
    const bool rightSide = (SelStart() == 0 || SelLength() == 0) && SelStart() + SelLength() == len;
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
    case VK_F2:
        sendToParent();
        break;
    case VK_INSERT:
        if (shift.Empty()) sendToParent();
        else if (shift == TShiftState{ssShift} && !EditCanModify()) key = 0;
        break;
    case VK_LEFT:
    case VK_HOME:
        if (forward && (ctrl || leftSide)) sendToParent();
        break;
    case VK_RIGHT:
    case VK_END:
        if (forward && (ctrl || rightSide)) sendToParent();
        break;
    case VK_TAB:
        if (shift.Contains(ssAlt)) break;
        if (FGrid->Options().Contains(goTabs)) {
            sendToParent();
        } else if (TForm* form = GetParentForm(this)) {
            // The grid does not take Tab: the focus moves on from the grid, as in a dialog.
            key = 0;
            form->SelectNext(FGrid, !shift.Contains(ssShift), true);
        }
        break;
    case VK_DELETE:
        if (ctrl) sendToParent();
        else if (!EditCanModify()) key = 0;
        break;
    }
    if (key != 0) {
        // The grid's OnKeyDown hears the editor's keys too.
        if (FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, key, shift);
        if (key != 0) TCustomControl::KeyDown(key, shift);
    }
}

void TInplaceEdit::KeyPress(WideChar& key)
{
    if (!FGrid) {
        TCustomControl::KeyPress(key);
        return;
    }
    FGrid->KeyPress(key);
    if (key >= 32 && !FGrid->CanEditAcceptKey(key)) {
        key = 0;
        MessageBeep(0);
    }
    switch (key) {
    case 0: return;
    case 9:
    case 27: key = 0; return;
    case 13:
        // Enter in an editor that always shows flips between all and nothing selected.
        if (SelStart() == 0 && SelLength() == int(FBuf.size())) Deselect();
        else SelectAll();
        key = 0;
        return;
    default:
        if ((key == 8 || key == 22 || key == 24 || key >= 32) && !EditCanModify()) {
            key = 0;
            return;
        }
    }
    TCustomControl::KeyPress(key);
}

void TInplaceEdit::KeyUp(WORD& key, TShiftState shift)
{
    if (FGrid) FGrid->KeyUp(key, shift);
    if (key != 0) TCustomControl::KeyUp(key, shift);
}

void TInplaceEdit::DblClick()
{
    if (FGrid) FGrid->DblClick();
    else TCustomControl::DblClick();
}

bool TInplaceEdit::DoMouseWheel(TShiftState shift, int delta, TPoint mousePos)
{
    if (FGrid) return FGrid->DoMouseWheel(shift, delta, mousePos);
    return TCustomControl::DoMouseWheel(shift, delta, mousePos);
}

void TInplaceEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && !shift.Contains(ssDouble)) {
        if (!Focused() && CanFocus()) SetFocus();
        SetCaret(CharFromPos(TPoint(x, y)), shift.Contains(ssShift));
        FMouseSelecting = true;
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TInplaceEdit::MouseMove(TShiftState shift, int x, int y)
{
    if (FMouseSelecting) SetCaret(CharFromPos(TPoint(x, y)), true);
    TCustomControl::MouseMove(shift, x, y);
}

void TInplaceEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    FMouseSelecting = false;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TInplaceEdit::DefaultHandler(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_KEYDOWN:
        DefaultKeyDown(WORD(msg.WParam), KeyDataToShiftState(msg.LParam) + KeyboardStateToShiftState());
        return;
    case WM_CHAR:
        DefaultChar(WideChar(msg.WParam));
        return;
    case WM_COPY:
        if (SelLength() > 0 && !FPasswordChar) Clipboard()->SetAsText(SelText());
        return;
    case WM_CUT:
        if (!EditCanModify()) return;
        if (SelLength() > 0 && !FPasswordChar) Clipboard()->SetAsText(SelText());
        if (SelLength() > 0) ReplaceSelection(u"", false);
        return;
    case WM_PASTE:
        if (EditCanModify()) ReplaceSelection(Utf8ToUtf16(Clipboard()->AsText()), true);
        return;
    case WM_CLEAR:
        if (EditCanModify() && SelLength() > 0) ReplaceSelection(u"", false);
        return;
    }
    TCustomControl::DefaultHandler(msg);
}

void TInplaceEdit::DefaultKeyDown(WORD key, TShiftState shift)
{
    const bool ext = shift.Contains(ssShift);
    const bool ctrl = shift.Contains(ssCtrl);
    const int len = int(FBuf.size());
    auto stepLeft = [&](int p) {
        if (p <= 0) return 0;
        if (p >= 2 && FBuf[size_t(p) - 1] == u'\n' && FBuf[size_t(p) - 2] == u'\r') return p - 2;
        return p - 1;
    };
    auto stepRight = [&](int p) {
        if (p >= len) return len;
        if (p + 1 < len && FBuf[size_t(p)] == u'\r' && FBuf[size_t(p) + 1] == u'\n') return p + 2;
        return p + 1;
    };
    switch (key) {
    case VK_LEFT: {
        if (!ext && SelLength() > 0) {
            SetCaret(SelStart(), false);
            break;
        }
        int p = stepLeft(FCaretPos);
        if (ctrl) {
            while (p > 0 && !IsWordChar(FBuf[size_t(p) - 1])) --p;
            while (p > 0 && IsWordChar(FBuf[size_t(p) - 1])) --p;
        }
        SetCaret(p, ext);
        break;
    }
    case VK_RIGHT: {
        if (!ext && SelLength() > 0) {
            SetCaret(SelStart() + SelLength(), false);
            break;
        }
        int p = stepRight(FCaretPos);
        if (ctrl) {
            while (p < len && IsWordChar(FBuf[size_t(p)])) ++p;
            while (p < len && !IsWordChar(FBuf[size_t(p)])) ++p;
        }
        SetCaret(p, ext);
        break;
    }
    case VK_HOME: SetCaret(ctrl ? 0 : LineStart(LineFromChar(FCaretPos)), ext); break;
    case VK_END: SetCaret(ctrl ? len : LineEnd(LineFromChar(FCaretPos)), ext); break;
    case VK_UP:
    case VK_DOWN: {
        const int line = LineFromChar(FCaretPos) + (key == VK_UP ? -1 : 1);
        if (line < 0 || line >= LineCount()) break;
        const int lh = std::max(1, Canvas()->TextHeight("Wg"));
        SetCaret(CharFromPos(TPoint(XOfChar(FCaretPos), FTextRect.Top + line * lh)), ext);
        break;
    }
    case VK_DELETE:
        if (ext) Perform(WM_CUT);
        else if (SelLength() > 0) ReplaceSelection(u"", false);
        else if (FCaretPos < len) {
            FAnchorPos = stepRight(FCaretPos);
            ReplaceSelection(u"", false);
        }
        break;
    case VK_INSERT:
        if (ctrl) Perform(WM_COPY);
        else if (ext) Perform(WM_PASTE);
        break;
    }
}

void TInplaceEdit::DefaultChar(WideChar ch)
{
    switch (ch) {
    case 1: SelectAll(); return;
    case 3: Perform(WM_COPY); return;
    case 22: Perform(WM_PASTE); return;
    case 24: Perform(WM_CUT); return;
    case 8:
        if (SelLength() == 0 && FCaretPos > 0) {
            FAnchorPos = FCaretPos;
            FCaretPos = (FCaretPos >= 2 && FBuf[size_t(FCaretPos) - 1] == u'\n' && FBuf[size_t(FCaretPos) - 2] == u'\r')
                            ? FCaretPos - 2
                            : FCaretPos - 1;
        }
        if (SelLength() > 0) ReplaceSelection(u"", false);
        return;
    case 13:
        if (!FWantReturns) return;
        [[fallthrough]];
    case 10:
        // Ctrl+Enter: a line break (not in a password field).
        if (!FPasswordChar && !IsMasked()) ReplaceSelection(u"\r\n", true);
        return;
    }
    if (ch < 32 || ch == 127) return;
    std::u16string s;
    if (ch >= 0x10000) {
        const char32_t v = char32_t(ch) - 0x10000;
        s.push_back(char16_t(0xD800 + (v >> 10)));
        s.push_back(char16_t(0xDC00 + (v & 0x3FF)));
    } else {
        s.push_back(char16_t(ch));
    }
    ReplaceSelection(s, true);
}
