#include "platform/gui/StdCtrls.h"

#include <algorithm>

#include "platform/gui/Clipbrd.h"
#include "platform/gui/Forms.h"
#include "platform/gui/qt/Backend.h"
#include "platform/rtl/Unicode.h"

namespace {
// UTF-8 of one typed character.
String CharToUtf8(WideChar ch)
{
    std::u16string u;
    char32_t c = char32_t(ch);
    if (c >= 0x10000) {
        c -= 0x10000;
        u.push_back(char16_t(0xD800 + (c >> 10)));
        u.push_back(char16_t(0xDC00 + (c & 0x3FF)));
    } else {
        u.push_back(char16_t(c));
    }
    return Utf16ToUtf8(u);
}

// The first n characters of UTF-8 text.
String Utf8Left(const String& s, int n)
{
    size_t i = 0;
    int count = 0;
    while (i < s.size() && count < n) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        i += len;
        ++count;
    }
    return s.substr(0, std::min(i, s.size()));
}
}

// ---------------------------------------------------------------- TLabel

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FAutoSize = true;
    SetParentColor(true);
    SetBounds(0, 0, 65, 13);
}

void TLabel::SetAutoSize(bool v)
{
    FAutoSize = v;
    AdjustSize();
}

void TLabel::SetWordWrap(bool v)
{
    FWordWrap = v;
    AdjustSize();
    Invalidate();
}

unsigned TLabel::DrawFlags() const
{
    unsigned f = DT_EXPANDTABS;
    if (FWordWrap) f |= DT_WORDBREAK;
    if (FAlignment == taCenter) f |= DT_CENTER;
    else if (FAlignment == taRightJustify) f |= DT_RIGHT;
    if (!FShowAccelChar) f |= DT_NOPREFIX;
    return f;
}

void TLabel::AdjustSize()
{
    if (!FAutoSize || Destroying()) return;
    TCanvas* c = Canvas();
    c->Font()->Assign(*Font());
    String text = Caption();
    if (text.empty() || (FShowAccelChar && text == "&")) text += " ";
    TRect r = Rect(0, 0, FWordWrap ? Width() : 100000, 0);
    c->DrawText(text, r, DrawFlags() | DT_CALCRECT);
    int left = Left();
    if (FAlignment == taRightJustify) left = Left() + Width() - r.Right;
    else if (FAlignment == taCenter && !FWordWrap) left = Left() + (Width() - r.Right) / 2;
    SetBounds(left, Top(), FWordWrap ? Width() : r.Right, r.Bottom);
}

void TLabel::TextChanged()
{
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustSize();
}

void TLabel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        c->Brush()->SetColor(Color());
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(*Font());
    if (!Enabled()) c->Font()->SetColor(clGrayText);
    String text = Caption();
    if (FLayout != tlTop) {
        TRect calc = r;
        c->DrawText(text.empty() ? " " : text, calc, DrawFlags() | DT_CALCRECT);
        int h = calc.Height();
        if (FLayout == tlCenter) OffsetRect(r, 0, (r.Height() - h) / 2);
        else OffsetRect(r, 0, r.Height() - h);
    }
    c->DrawText(text, r, DrawFlags());
}

// ---------------------------------------------------------------- TEdit

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner, backend::CreateEdit(this))
{
    FFocusOnClick = true;
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
}

TEdit::~TEdit() = default;

IEditWidget* TEdit::Edit() const { return static_cast<IEditWidget*>(Widget()); }

int TEdit::CharFromPos(int x) const { return Edit() ? Edit()->CharFromPos(x) : 0; }

String TEdit::GetText() const { return Edit()->Text(); }

void TEdit::TextChanged() { Edit()->SetText(ApplyCase(FText)); }

String TEdit::ApplyCase(const String& s) const
{
    if (FCharCase == ecUpperCase) return UpperCase(s);
    if (FCharCase == ecLowerCase) return LowerCase(s);
    return s;
}

void TEdit::SetCharCase(TEditCharCase v)
{
    FCharCase = v;
    String t = Text();
    if (ApplyCase(t) != t) Edit()->SetText(ApplyCase(t));
}

void TEdit::SetReadOnly(bool v)
{
    FReadOnly = v;
    Edit()->SetReadOnly(v);
}

void TEdit::SetPasswordChar(WideChar c)
{
    FPasswordChar = c;
    Edit()->SetPasswordChar(c);
}

void TEdit::SetAlignment(TAlignment a)
{
    FAlignment = a;
    Edit()->SetAlignment(a);
}

int TEdit::SelStart() const { return Edit()->SelStart(); }
void TEdit::SetSelStart(int v) { Edit()->SetSelection(v, 0); }
int TEdit::SelLength() const { return Edit()->SelLength(); }
void TEdit::SetSelLength(int v) { Edit()->SetSelection(SelStart(), v); }
String TEdit::SelText() const { return Edit()->SelText(); }
void TEdit::SetSelText(const String& s) { Edit()->ReplaceSelection(s); }
void TEdit::SelectAll() { Edit()->SetSelection(0, Edit()->Length()); }
int TEdit::GetTextLen() const { return Edit()->Length(); }

TRect TEdit::FormatRect() const { return FHasFormatRect ? FFormatRect : ClientRect(); }

void TEdit::SetBorderStyle(TBorderStyle v)
{
    FBorderStyle = v;
    Edit()->SetFrame(v != bsNone);
}

void TEdit::SetFormatRect(const TRect& r)
{
    FHasFormatRect = true;
    FFormatRect = r;
    const TRect c = ClientRect();
    Edit()->SetTextMargins(r.Left - c.Left, r.Top - c.Top, c.Right - r.Right, c.Bottom - r.Bottom);
}

void TEdit::SetPaintsOver(bool v)
{
    FPaintsOver = v;
    Invalidate();
}

TCanvas* TEdit::Canvas()
{
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>();
    return FCanvas.get();
}

void TEdit::CopyToClipboard()
{
    if (SelLength() > 0 && !FPasswordChar) Clipboard()->SetAsText(SelText());
}

void TEdit::CutToClipboard()
{
    if (FReadOnly) return;
    CopyToClipboard();
    Edit()->ReplaceSelection("");
}

void TEdit::PasteFromClipboard()
{
    String s = Clipboard()->AsText();
    auto nl = s.find_first_of("\r\n");
    if (nl != String::npos) s = s.substr(0, nl);
    InsertTyped(s);
}

void TEdit::InsertTyped(const String& text)
{
    if (FReadOnly || text.empty()) return;
    String s = ApplyCase(text);
    if (FMaxLength > 0) {
        int room = FMaxLength - (Edit()->Length() - Edit()->SelLength());
        if (room <= 0) {
            MessageBeep();
            return;
        }
        if (Utf8Length(s) > room) s = Utf8Left(s, room);
    }
    Edit()->ReplaceSelection(s);
    FModified = true;
}

void TEdit::HostNotify(int code, std::intptr_t)
{
    if (code != hnChanged) return;
    if (FCharCase != ecNormal) {
        String t = Edit()->Text();
        String c = ApplyCase(t);
        if (c != t) {
            int start = SelStart();
            Edit()->SetText(c);   // announces the change once more, in its final case
            Edit()->SetSelection(start, 0);
            return;
        }
    }
    Change();
}

void TEdit::Change()
{
    if (OnChange) OnChange(this);
}

void TEdit::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_PAINT) {
        if (FPaintsOver && FCanvas && FCanvas->HandleAllocated()) {
            FCanvas->Font()->Assign(*Font());
            FCanvas->Brush()->SetColor(Color());
            PaintOver();
        }
        return;
    }
    if (msg.Msg == WM_GETDLGCODE) {
        msg.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        return;
    }
    // Entered from the keyboard or by code, the edit selects its text so that typing
    // replaces it; a click into it places the caret instead. Before OnEnter, which may
    // choose a selection of its own.
    if (msg.Msg == WM_SETFOCUS && FAutoSelect && !FocusingByMouse()) SelectAll();
    TWinControl::WndProc(msg);
}

void TEdit::DefaultHandler(TMessage& msg)
{
    if (msg.Msg == WM_CHAR) {
        WideChar ch = WideChar(msg.WParam);
        if (ch == 8) {
            if (FReadOnly) return;
            TMessage k{WM_KEYDOWN, VK_BACK, 0, 0};
            TWinControl::DefaultHandler(k);
            FModified = true;
        } else if (InsertsChar(ch)) {
            InsertTyped(CharToUtf8(ch));
        }
        return;
    }
    if (msg.Msg == WM_KEYDOWN) {
        const WORD key = WORD(msg.WParam);
        const TShiftState shift = KeyDataToShiftState(msg.LParam);
        const bool ctrl = shift.Contains(ssCtrl);
        if (key == VK_BACK || key == VK_RETURN || key == VK_ESCAPE || key == VK_TAB) return;
        // The clipboard keys become the clipboard messages, which a descendant may refuse.
        if ((ctrl && key == 'V') || (shift.Contains(ssShift) && key == VK_INSERT)) {
            Perform(WM_PASTE);
            return;
        }
        if ((ctrl && key == 'X') || (shift.Contains(ssShift) && key == VK_DELETE)) {
            Perform(WM_CUT);
            return;
        }
        if (ctrl && (key == 'C' || key == VK_INSERT)) {
            Perform(WM_COPY);
            return;
        }
        if (key == VK_DELETE && FReadOnly) return;
    }
    switch (msg.Msg) {
    case WM_PASTE: PasteFromClipboard(); return;
    case WM_CUT: CutToClipboard(); return;
    case WM_COPY: CopyToClipboard(); return;
    }
    TWinControl::DefaultHandler(msg);
}

// ---------------------------------------------------------------- TMemo

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner, backend::CreateMemo(this))
{
    FFocusOnClick = true;
    SetTabStop(true);
    SetBounds(0, 0, 185, 89);
    FLines.OnChange = [this](TObject*) { LinesChanged(); };
    Memo()->SetScrollBars(ssNone);
    Memo()->SetWordWrap(true);
}

TMemo::~TMemo() { FLines.OnChange = nullptr; }

IMemoWidget* TMemo::Memo() const { return static_cast<IMemoWidget*>(Widget()); }

void TMemo::LinesChanged()
{
    if (FSyncing) return;
    FSyncing = true;
    String text;
    for (int i = 0; i < FLines.Count(); ++i) text += (i ? "\n" : "") + FLines[i];
    Memo()->SetText(text);
    FSyncing = false;
}

String TMemo::GetText() const
{
    String out;
    for (int i = 0; i < FLines.Count(); ++i) out += (i ? "\r\n" : "") + FLines[i];
    return out;
}

void TMemo::TextChanged() { FLines.SetText(FText); }

void TMemo::SetScrollBars(TScrollStyle v)
{
    FScrollBars = v;
    Memo()->SetScrollBars(v);
}

void TMemo::SetWordWrap(bool v)
{
    FWordWrap = v;
    Memo()->SetWordWrap(v);
}

void TMemo::SetReadOnly(bool v)
{
    FReadOnly = v;
    Memo()->SetReadOnly(v);
}

int TMemo::SelStart() const { return Memo()->SelStart(); }
void TMemo::SetSelStart(int v) { Memo()->SetSelection(v, 0); }
int TMemo::SelLength() const { return Memo()->SelLength(); }
void TMemo::SetSelLength(int v) { Memo()->SetSelection(SelStart(), v); }

void TMemo::HostNotify(int code, std::intptr_t)
{
    if (code != hnChanged) return;
    if (!FSyncing) {
        FSyncing = true;
        String t = Memo()->Text();
        FLines.SetText(t);
        // A trailing line break leaves an empty last line, as the memo shows it.
        if (!t.empty() && t.back() == '\n') FLines.Add("");
        FSyncing = false;
    }
    if (OnChange) OnChange(this);
}

void TMemo::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_GETDLGCODE) {
        msg.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        if (FWantReturns) msg.Result |= DLGC_WANTALLKEYS;
        if (FWantTabs) msg.Result |= DLGC_WANTTAB;
        return;
    }
    TWinControl::WndProc(msg);
}

void TMemo::DefaultHandler(TMessage& msg)
{
    if (msg.Msg == WM_CHAR) {
        WideChar ch = WideChar(msg.WParam);
        if (FReadOnly) return;
        if (ch == 8) {
            TMessage k{WM_KEYDOWN, VK_BACK, 0, 0};
            TWinControl::DefaultHandler(k);
        } else if (ch == 13) {
            if (FWantReturns) Memo()->InsertText("\n");
        } else if (ch == 9) {
            if (FWantTabs) Memo()->InsertText("\t");
        } else if (ch >= 32) {
            if (FMaxLength > 0 && Utf8Length(Text()) - SelLength() >= FMaxLength) return;
            Memo()->InsertText(CharToUtf8(ch));
        }
        return;
    }
    if (msg.Msg == WM_KEYDOWN) {
        const WORD key = WORD(msg.WParam);
        if (key == VK_BACK || key == VK_RETURN || key == VK_ESCAPE || key == VK_TAB) return;
    }
    TWinControl::DefaultHandler(msg);
}

// ---------------------------------------------------------------- TComboBox

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner, backend::CreateCombo(this))
{
    FFocusOnClick = true;
    FClickEvents = false;
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
    Combo()->SetEditable(true);
    Combo()->SetDropDownCount(FDropDownCount);
    FItems.OnChange = [this](TObject*) { ItemsChanged(); };
}

TComboBox::~TComboBox() { FItems.OnChange = nullptr; }

IComboWidget* TComboBox::Combo() const { return static_cast<IComboWidget*>(Widget()); }

void TComboBox::ItemsChanged()
{
    if (FSyncing) return;
    FSyncing = true;
    const int old = Combo()->ItemIndex();
    std::vector<String> items;
    items.reserve(size_t(FItems.Count()));
    for (int i = 0; i < FItems.Count(); ++i) items.push_back(FItems[i]);
    Combo()->SetItems(items);
    if (old >= 0 && old < FItems.Count()) Combo()->SetItemIndex(old);
    FSyncing = false;
}

void TComboBox::SetStyle(TComboBoxStyle v)
{
    FStyle = v;
    Combo()->SetEditable(v == csDropDown || v == csSimple);
}

int TComboBox::ItemIndex() const
{
    int i = Combo()->ItemIndex();
    if (i >= FItems.Count()) return -1;
    // Text typed in the edit part that is no item means no item is chosen.
    if (i >= 0 && (FStyle == csDropDown || FStyle == csSimple) && Combo()->EditText() != FItems[i]) return -1;
    return i;
}

void TComboBox::SetItemIndex(int i)
{
    if (i < -1 || i >= FItems.Count()) i = -1;
    Combo()->SetItemIndex(i);
}

String TComboBox::GetText() const { return Combo()->EditText(); }

void TComboBox::TextChanged() { Combo()->SetEditText(FText); }

void TComboBox::SetDropDownCount(int v)
{
    FDropDownCount = v;
    Combo()->SetDropDownCount(v);
}

bool TComboBox::DroppedDown() const { return Combo()->DroppedDown(); }
void TComboBox::SetDroppedDown(bool v) { Combo()->SetDroppedDown(v); }

void TComboBox::SetSorted(bool v)
{
    FSorted = v;
    FItems.SetSorted(v);
}

void TComboBox::SetMaxLength(int v)
{
    FMaxLength = v;
    Combo()->SetMaxLength(v);
}

int TComboBox::SelStart() const { return Combo()->SelStart(); }
void TComboBox::SetSelStart(int v) { Combo()->SetSelection(v, 0); }
int TComboBox::SelLength() const { return Combo()->SelLength(); }
void TComboBox::SetSelLength(int v) { Combo()->SetSelection(SelStart(), v); }
void TComboBox::SelectAll() { Combo()->SetSelection(0, Utf8Length(Text())); }

void TComboBox::SetDroppedWidth(int v)
{
    FDroppedWidth = v;
    Combo()->SetDroppedWidth(v > 0 ? v : 0);
}

TRect TComboBox::DroppedControlRect() const { return Combo()->DroppedRect(); }

void TComboBox::SetDropRightAligned(bool v)
{
    FDropRightAligned = v;
    Combo()->SetDropRightAligned(v);
}

int TComboBox::CharFromPos(int x) const { return Combo()->CharFromPos(x); }

void TComboBox::SetDropButtonWidth(int v)
{
    Combo()->SetButtonWidth(v > 0 ? v : 0);
    Invalidate();
}

void TComboBox::SetPaintsOver(bool v)
{
    FPaintsOver = v;
    Invalidate();
}

TCanvas* TComboBox::Canvas()
{
    if (!FCanvas) FCanvas = std::make_unique<TCanvas>();
    return FCanvas.get();
}

void TComboBox::Clear()
{
    FItems.Clear();
    Combo()->SetItemIndex(-1);
    Combo()->SetEditText("");
}

void TComboBox::Change()
{
    if (OnChange) OnChange(this);
}

void TComboBox::DropDown()
{
    if (OnDropDown) OnDropDown(this);
}

void TComboBox::CloseUp()
{
    if (OnCloseUp) OnCloseUp(this);
}

void TComboBox::Select()
{
    if (OnSelect) OnSelect(this);
    else Change();
}

namespace {
// A combo box tells its parent what happened, as the platform's combo box does.
void NotifyParent(TComboBox* c, WORD code)
{
    if (c->Parent() && !c->Destroying()) c->Parent()->Perform(WM_COMMAND, MAKEWPARAM(0, code), LPARAM(c->Handle()));
}
}

void TComboBox::HostNotify(int code, std::intptr_t)
{
    switch (code) {
    case hnSelect:
        Click();
        Select();
        NotifyParent(this, CBN_SELCHANGE);
        break;
    case hnUserChanged:
        Change();
        NotifyParent(this, CBN_EDITCHANGE);
        break;
    case hnDropDown:
        DropDown();
        NotifyParent(this, CBN_DROPDOWN);
        break;
    case hnCloseUp:
        CloseUp();
        NotifyParent(this, CBN_CLOSEUP);
        break;
    }
}

void TComboBox::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_PAINT) {
        if (FPaintsOver && FCanvas && FCanvas->HandleAllocated()) {
            FCanvas->Font()->Assign(*Font());
            FCanvas->Brush()->SetColor(Color());
            PaintOver();
        }
        return;
    }
    if (msg.Msg == WM_GETDLGCODE) {
        msg.Result = DLGC_WANTCHARS | DLGC_WANTARROWS;
        // The open list takes Enter and Esc before the dialog's default and cancel buttons.
        const WORD key = WORD(msg.WParam);
        if (DroppedDown() && (key == VK_RETURN || key == VK_ESCAPE)) msg.Result |= DLGC_WANTALLKEYS;
        return;
    }
    // The list closes when the focus leaves the box.
    if (msg.Msg == WM_KILLFOCUS && DroppedDown()) SetDroppedDown(false);
    TWinControl::WndProc(msg);
}

void TComboBox::DefaultHandler(TMessage& msg)
{
    const bool editable = FStyle == csDropDown || FStyle == csSimple;
    if (editable && msg.Msg == WM_CHAR) {
        WideChar ch = WideChar(msg.WParam);
        if (ch == 8) {
            TMessage k{WM_KEYDOWN, VK_BACK, 0, 0};
            TWinControl::DefaultHandler(k);
        } else if (ch >= 32) {
            String s = CharToUtf8(ch);
            if (FCharCase == ecUpperCase) s = UpperCase(s);
            else if (FCharCase == ecLowerCase) s = LowerCase(s);
            if (FMaxLength > 0 && Utf8Length(Text()) - SelLength() >= FMaxLength) return;
            Combo()->ReplaceSelection(s);   // announced as the user's edit
        }
        return;
    }
    if ((msg.Msg == WM_KEYDOWN || msg.Msg == WM_SYSKEYDOWN) && DroppedDown()) {
        // The keys reach the box while its list is open: Enter and Esc close the list on
        // the item the keys picked, as F4 and Alt with Up or Down do; the others move in it.
        const WORD key = WORD(msg.WParam);
        const bool alt = KeyDataToShiftState(msg.LParam).Contains(ssAlt);
        if (key == VK_RETURN || key == VK_ESCAPE || key == VK_F4 || (alt && (key == VK_UP || key == VK_DOWN))) {
            SetDroppedDown(false);
            return;
        }
    }
    if (msg.Msg == WM_KEYDOWN) {
        const WORD key = WORD(msg.WParam);
        if (key == VK_RETURN || key == VK_ESCAPE || key == VK_TAB) return;
        if (editable && key == VK_BACK) return;
    }
    TWinControl::DefaultHandler(msg);
}

// ---------------------------------------------------------------- buttons

TButtonControl::TButtonControl(TComponent* AOwner, int kind)
    : TWinControl(AOwner, backend::CreateButton(this, TButtonKind(kind)))
{
    FFocusOnClick = true;
    FClickEvents = false;
    SetTabStop(true);
}

TButtonControl::~TButtonControl() = default;

IButtonWidget* TButtonControl::Button() const { return static_cast<IButtonWidget*>(Widget()); }

void TButtonControl::TextChanged() { Button()->SetCaption(FText); }

void TButtonControl::HostNotify(int code, std::intptr_t)
{
    if (code == hnClicked) Click();
}

void TButtonControl::WndProc(TMessage& msg)
{
    if (msg.Msg == CM_DIALOGCHAR) {
        if (Visible() && Enabled() && IsAccel(WideChar(msg.WParam), Caption())) {
            if (CanFocus()) SetFocus();
            Click();
            msg.Result = 1;
        }
        return;
    }
    TWinControl::WndProc(msg);
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner, bkPush) { SetBounds(0, 0, 75, 25); }

void TButton::SetDefault(bool v)
{
    FDefault = v;
    Button()->SetDefault(v);
}

void TButton::Click()
{
    if (FModalResult != mrNone)
        if (TForm* f = GetParentForm(this)) f->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& msg)
{
    if (msg.Msg == CM_DIALOGKEY) {
        const WORD key = WORD(msg.WParam);
        auto* focusedButton = dynamic_cast<TButton*>(FindFocusedControl());
        const bool enter = key == VK_RETURN && (focusedButton ? focusedButton == this : FDefault);
        const bool esc = key == VK_ESCAPE && FCancel;
        if ((enter || esc) && Visible() && Enabled()) {
            Click();
            msg.Result = 1;
        }
        return;
    }
    TButtonControl::WndProc(msg);
}

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner, bkCheck) { SetBounds(0, 0, 97, 17); }

void TCheckBox::SetState(TCheckBoxState s)
{
    if (s == FState) return;
    FState = s;
    Button()->SetState(int(s));
    Click();
}

void TCheckBox::SetAllowGrayed(bool v)
{
    FAllowGrayed = v;
    Button()->SetAllowGrayed(v);
}

void TCheckBox::HostNotify(int code, std::intptr_t)
{
    if (code != hnClicked) return;
    // The user's click steps unchecked -> (grayed ->) checked -> unchecked.
    TCheckBoxState next = FState == cbUnchecked ? (FAllowGrayed ? cbGrayed : cbChecked)
                          : FState == cbChecked ? cbUnchecked
                                                : cbChecked;
    SetState(next);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner, bkRadio) { SetBounds(0, 0, 113, 17); }

void TRadioButton::SetChecked(bool v)
{
    if (v == FChecked) {
        Button()->SetState(v ? 1 : 0);
        return;
    }
    FChecked = v;
    Button()->SetState(v ? 1 : 0);
    if (!v) return;
    if (Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* r = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); r && r != this) r->SetChecked(false);
    Click();
}

void TRadioButton::HostNotify(int code, std::intptr_t)
{
    if (code == hnClicked) SetChecked(true);
}

// ---------------------------------------------------------------- TListBox

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner, backend::CreateList(this))
{
    FFocusOnClick = true;
    FClickEvents = false;
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
    FItems.OnChange = [this](TObject*) { ItemsChanged(); };
}

TListBox::~TListBox() { FItems.OnChange = nullptr; }

IListWidget* TListBox::List() const { return static_cast<IListWidget*>(Widget()); }

void TListBox::ItemsChanged()
{
    if (FSyncing) return;
    FSyncing = true;
    std::vector<String> items;
    items.reserve(size_t(FItems.Count()));
    for (int i = 0; i < FItems.Count(); ++i) items.push_back(FItems[i]);
    List()->SetItems(items);
    FSyncing = false;
}

int TListBox::ItemIndex() const { return List()->ItemIndex(); }

void TListBox::SetItemIndex(int i)
{
    if (i < -1 || i >= FItems.Count()) i = -1;
    List()->SetItemIndex(i);
}

void TListBox::SetMultiSelect(bool v)
{
    FMultiSelect = v;
    List()->SetMultiSelect(v);
}

bool TListBox::Selected(int i) const { return List()->Selected(i); }
void TListBox::SetSelected(int i, bool v) { List()->SetSelected(i, v); }

int TListBox::SelCount() const
{
    if (!FMultiSelect) return -1;
    int n = 0;
    for (int i = 0; i < FItems.Count(); ++i)
        if (Selected(i)) ++n;
    return n;
}

void TListBox::SetSorted(bool v)
{
    FSorted = v;
    FItems.SetSorted(v);
}

int TListBox::TopIndex() const { return List()->TopIndex(); }
void TListBox::SetTopIndex(int i) { List()->SetTopIndex(i); }

void TListBox::SetItemHeight(int h)
{
    FItemHeight = h;
    List()->SetItemHeight(h);
    ItemsChanged();
}

int TListBox::ItemAtPos(TPoint p, bool existing) const
{
    int i = List()->ItemAtPos(p);
    if (i < 0 && !existing) return FItems.Count();
    return i;
}

void TListBox::HostNotify(int code, std::intptr_t)
{
    if ((code == hnSelect && !FMultiSelect) || (code == hnSelectionChanged && FMultiSelect)) Click();
}

void TListBox::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_GETDLGCODE) {
        msg.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    TWinControl::WndProc(msg);
}

TCheckListBox::TCheckListBox(TComponent* AOwner) : TListBox(AOwner) { List()->SetCheckable(true); }

bool TCheckListBox::Checked(int i) const { return List()->Checked(i); }
void TCheckListBox::SetChecked(int i, bool v) { List()->SetChecked(i, v); }

void TCheckListBox::HostNotify(int code, std::intptr_t arg)
{
    if (code == hnItemChecked) {
        if (OnClickCheck) OnClickCheck(this);
        return;
    }
    TListBox::HostNotify(code, arg);
}

// ---------------------------------------------------------------- TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetParentColor(true);
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::AdjustClientRect(TRect& r) const
{
    TCanvas c;
    c.Font()->Assign(*Font());
    r.Top += c.TextHeight("0");
    InflateRect(r, -2, -2);
}

void TGroupBox::Paint()
{
    TCanvas* c = Canvas();
    const int h = c->TextHeight("0");
    TRect r = Rect(0, h / 2, Width(), Height());
    c->Brush()->SetColor(clBtnHighlight);
    c->FrameRect(Rect(r.Left + 1, r.Top + 1, r.Right, r.Bottom));
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1));
    if (!Caption().empty()) {
        TRect t = Rect(8, 0, 0, h);
        c->DrawText(Caption(), t, DT_SINGLELINE | DT_CALCRECT);
        c->Brush()->SetColor(Color());
        if (!Enabled()) c->Font()->SetColor(clGrayText);
        c->DrawText(Caption(), t, DT_SINGLELINE);
    }
}

// ---------------------------------------------------------------- TScrollBar

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner, backend::CreateScrollBar(this))
{
    FClickEvents = false;
    SetBounds(0, 0, 121, 17);
    Bar()->SetRange(FMin, FMax, FPageSize);
}

TScrollBar::~TScrollBar() = default;

IScrollBarWidget* TScrollBar::Bar() const { return static_cast<IScrollBarWidget*>(Widget()); }

void TScrollBar::SetKind(TScrollBarKind k)
{
    if (k == FKind) return;
    FKind = k;
    Bar()->SetOrientation(k == sbVertical);
    SetBounds(Left(), Top(), Height(), Width());
}

void TScrollBar::SetPageSize(int v)
{
    FPageSize = std::max(0, v);
    Bar()->SetRange(FMin, FMax, FPageSize);
    SetParams(FPosition, FMin, FMax);
}

void TScrollBar::SetSmallChange(int v)
{
    FSmallChange = v;
    Bar()->SetSteps(FSmallChange, FLargeChange);
}

void TScrollBar::SetLargeChange(int v)
{
    FLargeChange = v;
    Bar()->SetSteps(FSmallChange, FLargeChange);
}

void TScrollBar::SetParams(int position, int min, int max)
{
    if (max < min) throw EInvalidOperation("Scroll bar property out of range");
    const int top = FPageSize > 0 ? std::max(min, max - FPageSize + 1) : max;
    position = std::clamp(position, min, top);
    const bool changed = position != FPosition;
    FMin = min;
    FMax = max;
    FPosition = position;
    Bar()->SetRange(min, max, FPageSize);
    Bar()->SetPosition(position);
    if (changed && OnChange) OnChange(this);
}

void TScrollBar::HostNotify(int code, std::intptr_t arg)
{
    if (code != hnScroll) return;
    static const TScrollCode codes[] = {scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll};
    const int sb = int(arg);
    int pos = Bar()->Position();
    if (sb == SB_LINEUP) pos = FPosition - FSmallChange;
    else if (sb == SB_LINEDOWN) pos = FPosition + FSmallChange;
    else if (sb == SB_PAGEUP) pos = FPosition - FLargeChange;
    else if (sb == SB_PAGEDOWN) pos = FPosition + FLargeChange;
    else if (sb == SB_TOP) pos = FMin;
    else if (sb == SB_BOTTOM) pos = FMax;
    else if (sb == SB_ENDSCROLL) pos = FPosition;
    if (sb >= 0 && sb <= 8 && OnScroll) OnScroll(this, codes[sb], pos);
    SetParams(pos, FMin, FMax);
    Bar()->SetPosition(FPosition);
}
