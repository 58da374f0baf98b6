// The drop-down edit: the pop-up's life cycle and placement, keys and mouse that concern
// the pop-up, layout, borders, the caption label and the named looks. The typed-text
// rules are in ExtCustomDropDown_Text.cpp.
#include "gridext/dropdown/ExtCustomDropDown.h"

#include <algorithm>

#include "grid/util/GridDrawUtils.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Threads.h"

TExtCustomDropDown::TExtCustomDropDown(TComponent* AOwner) : TCustomMaskEdit(AOwner)
{
    FDropDownHeader = std::make_unique<THeaderAppearance>();
    FDropDownFooter = std::make_unique<TFooterAppearance>();
    FButtonAppearance = std::make_unique<TExtButtonAppearance>();
    // A change of the bars' settings while the pop-up is open shows at once.
    const auto refresh = [this](TObject*) {
        if (FDropDownForm && FDropDownForm->Visible()) FDropDownForm->InitializeAndUpdate();
    };
    FDropDownHeader->OnChange = refresh;
    FDropDownHeader->OnButtonsChanged = refresh;
    FDropDownFooter->OnChange = refresh;
    FDropDownFooter->OnButtonsChanged = refresh;
    SetPaintsOver(true);
    SetReadOnly(false);
    TCustomMaskEdit::SetText("");
    SetSelectionColorStyle(scOffice2007);
    CreateDropDownButton();
    SetComponentStyle(tsOffice2007Luna);
    TCustomMaskEdit::SetBounds(Left(), Top(), 200, 21);
    FParentFnt = ParentFont();
    SetEditRect();
    ResizeControl();
}

TExtCustomDropDown::~TExtCustomDropDown()
{
    FDropDownHeader->OnChange = nullptr;
    FDropDownHeader->OnButtonsChanged = nullptr;
    FDropDownFooter->OnChange = nullptr;
    FDropDownFooter->OnButtonsChanged = nullptr;
    if (FDropDownForm) {
        FDropDownForm->SetExtDropDown(nullptr);
        delete FDropDownForm;
        FDropDownForm = nullptr;
    }
    if (FButton) {
        FButton->OnClick = nullptr;
        delete FButton;
        FButton = nullptr;
    }
    if (FLabel && !FLabel->Destroying()) {
        TLabel* l = FLabel;
        FLabel = nullptr;
        delete l;
    }
}

// ---------------------------------------------------------------- pop-up

void TExtCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm) return;
    FDropDownForm = new TDropDownForm(this);
    FDropDownForm->SetExtDropDown(this);
    FDropDownForm->SetBounds(0, 0, FDropDownWidth, FDropDownHeight);
}

void TExtCustomDropDown::CreateDropDownButton()
{
    if (!FButton) {
        FButton = new TDropDownEditButton(this);
        FButton->FEdit = this;
        FButton->SetParent(this);
        FButton->OnClick = [this](TObject*) { ButtonClickRule(); };
    }
    UpdateDropDownButton();
}

void TExtCustomDropDown::UpdateDropDownButton()
{
    if (!FButton) return;
    FButton->SetBWidth(FButtonWidth);
    FButton->SetBounds(FButton->Left(), FButton->Top(), FButtonWidth, 17);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
}

void TExtCustomDropDown::ButtonClickRule()
{
    if (FDropDownForm && FDropDownForm->Visible()) return;
    // The press that closed the pop-up by deactivating it does not open it again.
    if (FDropDownForm && GetTickCount() - FDropDownForm->FDeActivate <= 250) return;
    OpenDropDown();
}

void TExtCustomDropDown::BeforeDropDown()
{
    if (OnBeforeDropDown) OnBeforeDropDown(this);
}

void TExtCustomDropDown::FocusDropDownControl()
{
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
}

void TExtCustomDropDown::SetControl(TControl* AControl)
{
    if (AControl == FControl) return;
    if (FControl) FControl->RemoveFreeNotification(this);
    FControl = AControl;
    if (FControl) FControl->FreeNotification(this);
    PlaceDropDownControl();
}

void TExtCustomDropDown::PlaceDropDownControl()
{
    if (!FControl || !FDropDownForm) return;
    // The size the picker gave its control is what the pop-up is sized for.
    if (FControl->Align() != alClient) FControlExtent = TPoint(FControl->Width(), FControl->Height());
    FControl->SetParent(FDropDownForm);
    FControl->SetTop(FDropDownHeader->Visible() ? FDropDownHeader->Height() + 2 : FDropDownBorderWidth);
    FControl->SetAlign(alClient);
}

void TExtCustomDropDown::SizeDropDownForm()
{
    if (!FDropDownForm) return;
    int w, h;
    if (FDropDownWidth > 0) w = FDropDownWidth;
    else if (FControl && FControl->Visible()) w = FControlExtent.X;
    else w = Width();
    if (FDropDownHeight > 0) {
        h = FDropDownHeight;
    } else {
        h = 2 * FDropDownBorderWidth;
        if (FDropDownHeader->Visible()) h += FDropDownHeader->Height();
        if (FDropDownFooter->Visible()) h += FDropDownFooter->Height();
        if (FControl && FControl->Visible()) h += FControlExtent.Y;
    }
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), w, h);
}

void TExtCustomDropDown::OpenDropDown()
{
    if (!FDropDownForm) CreateDropDownForm();
    if (!FDropDownForm || FDropDownForm->Visible() || !Enabled() || ReadOnly()) return;
    // Free of the pop-up's layout, the control can take the size the picker gives it.
    if (FControl) FControl->SetAlign(alNone);
    BeforeDropDown();
    if (FControl && FControl->Align() != alClient) FControlExtent = TPoint(FControl->Width(), FControl->Height());
    TDropDownForm* f = FDropDownForm;
    f->FShadow = FDropDownShadow;
    f->InitializeAndUpdate();
    f->SetShadow(f->FShadow);
    f->SetBounds(Left(), Top(), f->Width(), f->Height());
    SizeDropDownForm();
    PlaceDropDownControl();
    f->SetMinSize(80, 50);
    if (auto* wc = dynamic_cast<TWinControl*>(FControl)) {
        wc->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) { HandleControlKeyDown(Key, Shift); };
        wc->OnKeyPress = [this](TObject*, WideChar& Key) { HandleControlKeyPress(Key); };
        wc->OnKeyUp = [this](TObject*, WORD& Key, TShiftState Shift) { HandleControlKeyUp(Key, Shift); };
    }
    const TPoint P = Parent() ? Parent()->ClientToScreen(TPoint(Left(), Top())) : ClientToScreen(TPoint(0, 0));
    int left = P.X, top;
    const bool down = FDropPosition == dpDown || (FDropPosition == dpAuto && P.Y + f->Height() < Screen->Height());
    top = down ? P.Y + Height() - 1 : P.Y - f->Height();
    f->SetBounds(left, top, f->Width(), f->Height());
    bool acceptdrop = true;
    if (OnDropDown) OnDropDown(this, acceptdrop);
    if (!acceptdrop) return;
    const TRect work = WorkAreaAt(P);
    if (work.Left >= 0 && left + f->Width() > work.Right && left < work.Right) left -= left + f->Width() - work.Right;
    int W = f->Width(), H = f->Height();
    if (FUserDropDownWidth != -1) W = FUserDropDownWidth;
    if (FUserDropDownHeight != -1) H = FUserDropDownHeight;
    f->SetBounds(left, top, 0, 0);
    f->Show();
    if (FDropDownShadow && FForceShadow) {
        f->Hide();
        FDroppedDown = false;
        f->SetBounds(left, top, 1, 1);
        f->Show();
    }
    AdjustDropDownHeight(H);
    FDroppedDown = true;
    f->SetBounds(left, top, W, H);
    f->BringToFront();
    FocusDropDownControl();
}

void TExtCustomDropDown::CloseDropDown(bool CancelChanges)
{
    if (!FDropDownForm || !FDropDownForm->Visible()) return;
    if (OnBeforeDropUp) OnBeforeDropUp(this);
    FUserDropDownWidth = FDropDownForm->Width();
    FUserDropDownHeight = FDropDownForm->Height();
    FDropDownForm->Hide();
    Application->CancelHint();
    if (CancelChanges) SetText(FOldText);
    if (OnDropUp) OnDropUp(this, CancelChanges);
}

void TExtCustomDropDown::AfterDropUp()
{
    FDroppedDown = false;
    if (TabStop() && CanFocus() && !Focused() && !FDestroying) SetFocus();
}

void TExtCustomDropDown::SetDropDownWidth(int v)
{
    if (v == FDropDownWidth) return;
    FDropDownWidth = v;
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
}

void TExtCustomDropDown::SetDropDownHeight(int v)
{
    if (v == FDropDownHeight) return;
    FDropDownHeight = v;
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
}

// ---------------------------------------------------------------- keys from the pop-up

void TExtCustomDropDown::SendKeyToEdit(unsigned Msg, WORD Key, TShiftState Shift)
{
    if (Key == 0) return;
    ++FKeyFromDropDown;
    Perform(Msg, Key, Shift.Contains(ssAlt) ? KF_ALTDOWN_LPARAM : 0);
    --FKeyFromDropDown;
}

void TExtCustomDropDown::SendCharToEdit(WideChar Key)
{
    if (Key == 0) return;
    ++FKeyFromDropDown;
    Perform(WM_CHAR, WPARAM(Key), 0);
    --FKeyFromDropDown;
}

void TExtCustomDropDown::HandleDropDownKeyPress(WideChar& Key) { SendCharToEdit(Key); }
void TExtCustomDropDown::HandleDropDownKeyDown(WORD& Key, TShiftState Shift) { SendKeyToEdit(WM_KEYDOWN, Key, Shift); }
void TExtCustomDropDown::HandleDropDownKeyUp(WORD& Key, TShiftState Shift) { SendKeyToEdit(WM_KEYUP, Key, Shift); }
void TExtCustomDropDown::HandleControlKeyDown(WORD& Key, TShiftState Shift) { SendKeyToEdit(WM_KEYDOWN, Key, Shift); }
void TExtCustomDropDown::HandleControlKeyUp(WORD& Key, TShiftState Shift) { SendKeyToEdit(WM_KEYUP, Key, Shift); }
void TExtCustomDropDown::HandleControlKeyPress(WideChar& Key) { SendCharToEdit(Key); }

// ---------------------------------------------------------------- window procedure

void TExtCustomDropDown::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
        // While the pop-up is open it hears the keys first, as if it had the focus.
        if (FDroppedDown && FKeyFromDropDown == 0) {
            const TShiftState shift = KeyDataToShiftState(msg.LParam) + (KeyboardStateToShiftState() * TShiftState{ssShift, ssCtrl});
            if (msg.Msg == WM_CHAR) {
                WideChar ch = WideChar(msg.WParam);
                HandleDropDownKeyPress(ch);
            } else if (msg.Msg == WM_KEYDOWN || msg.Msg == WM_SYSKEYDOWN) {
                WORD key = WORD(msg.WParam);
                HandleDropDownKeyDown(key, shift);
            } else {
                WORD key = WORD(msg.WParam);
                HandleDropDownKeyUp(key, shift);
            }
            return;
        }
        break;
    }
    if (msg.Msg == WM_KEYDOWN || msg.Msg == WM_SYSKEYDOWN) {
        WORD key = WORD(msg.WParam);
        const TShiftState shift = KeyboardStateToShiftState();
        const bool alt = shift.Contains(ssAlt) || (msg.LParam & KF_ALTDOWN_LPARAM) != 0;
        if (alt && (key == VK_UP || key == VK_DOWN)) {
            if (FDroppedDown) CloseDropDown(false);
            else OpenDropDown();
            return;
        }
        const auto popupKeys = [this](WORD k) {
            if (ReadOnly()) return;
            if (k == VK_RETURN) CloseDropDown(false);
            else if (k == VK_ESCAPE) CloseDropDown(true);
            else if (k == VK_F4) {
                if (FDropDownForm && FDropDownForm->Visible()) CloseDropDown(false);
                else OpenDropDown();
            }
        };
        if (!FEditorEnabled && Enabled()) {
            popupKeys(key);
            if (key == VK_RETURN || key == VK_ESCAPE) TCustomMaskEdit::WndProc(msg);
            return;
        }
        if (shift.Contains(ssCtrl) && (key == VK_TAB || key == VK_RETURN)) {
            TCustomMaskEdit::WndProc(msg);
            return;
        }
        if (key == VK_RETURN && FReturnIsTab) {
            // The posted Tab moves the focus on; handing this key on as a Tab as well
            // would move it twice.
            if (Visible()) PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
            return;
        }
        TCustomMaskEdit::WndProc(msg);
        if (FDestroying) return;
        AfterKeyDown(key);
        popupKeys(key);
        return;
    }
    if (msg.Msg == WM_GETDLGCODE) {
        const WORD key = WORD(msg.WParam);
        TCustomMaskEdit::WndProc(msg);
        TForm* form = GetParentForm(this);
        if (!form || (key != VK_ESCAPE && key != VK_RETURN)) return;
        // Enter and Esc for the open pop-up close it and nothing else: the form's default
        // and cancel buttons must not hear them.
        if (FKeyFromDropDown > 0 || FDroppedDown) {
            msg.Result |= DLGC_WANTALLKEYS;
            return;
        }
        if (!form->KeyPreview()) {
            if (key == VK_ESCAPE && FCanUndo) {
                SelectAll();
                SetModified(false);
                FIsModified = false;
                msg.Result |= DLGC_WANTALLKEYS;
                if (FDefaultHandling && Parent()) {
                    PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
                    PostMessage(Parent()->Handle(), WM_KEYUP, VK_ESCAPE, 0);
                }
            }
            if (key == VK_RETURN && FDefaultHandling && Parent() && Parent()->Focused()) {
                PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_RETURN, 0);
                PostMessage(Parent()->Handle(), WM_KEYUP, VK_RETURN, 0);
            }
        }
        return;
    }
    if (msg.Msg == WM_CHAR) {
        FCharLParam = msg.LParam;
        WideChar ch = WideChar(msg.WParam);
        if (!CharRule(ch)) return;
        msg.WParam = WPARAM(ch);
        TCustomMaskEdit::WndProc(msg);
        if (ch == VK_RETURN) return;
        if (Modified()) FIsModified = true;
        return;
    }
    if (msg.Msg == WM_PASTE) {
        DoPaste();
        return;
    }
    if (msg.Msg == WM_CUT) {
        DoCut();
        return;
    }
    if (msg.Msg == WM_COPY) {
        DoCopy();
        return;
    }
    TCustomMaskEdit::WndProc(msg);
}

// ---------------------------------------------------------------- mouse and focus

void TExtCustomDropDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomMaskEdit::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && !FEditorEnabled) ButtonClickRule();
}

bool TExtCustomDropDown::DoMouseWheel(TShiftState Shift, int Delta, TPoint MousePos)
{
    const bool done = TCustomMaskEdit::DoMouseWheel(Shift, Delta, MousePos);
    if (Delta < 0) HandleWheelDown();
    else HandleWheelUp();
    return done;
}

void TExtCustomDropDown::MouseEnter()
{
    TCustomMaskEdit::MouseEnter();
    FMouseInControl = true;
    Invalidate();
}

void TExtCustomDropDown::MouseLeave()
{
    TCustomMaskEdit::MouseLeave();
    FMouseInControl = false;
    Invalidate();
}

void TExtCustomDropDown::DoEnter()
{
    if (FEditorEnabled) {
        if (AutoSelect()) SelectAll();
        else if (FEditType == etFloat || FEditType == etMoney) SelectBeforeDecimal();
    }
    SetEditRect();
    Invalidate();
    TCustomMaskEdit::DoEnter();
}

void TExtCustomDropDown::DoExit()
{
    ApplyFocusLossRules();
    Invalidate();
    TCustomMaskEdit::DoExit();
}

void TExtCustomDropDown::EnabledChanged()
{
    TCustomMaskEdit::EnabledChanged();
    if (FButton) FButton->SetEnabled(Enabled());
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
    Invalidate();
}

void TExtCustomDropDown::VisibleChanged()
{
    TCustomMaskEdit::VisibleChanged();
    if (FLabel && !FLabel->Caption().empty()) FLabel->SetVisible(Visible());
}

void TExtCustomDropDown::FontChanged()
{
    TCustomMaskEdit::FontChanged();
    SetEditRect();
    ResizeControl();
    PlaceLabel();
}

void TExtCustomDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomMaskEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FControl) FControl = nullptr;
    if (AComponent == FImages) {
        FImages = nullptr;
        Invalidate();
    }
    if (AComponent == FFocusControl) FFocusControl = nullptr;
    if (AComponent == FLabel) FLabel = nullptr;
    if (AComponent == FDropDownForm) FDropDownForm = nullptr;
    if (AComponent == FButton) FButton = nullptr;
}

// ---------------------------------------------------------------- layout

void TExtCustomDropDown::SetBounds(int l, int t, int w, int h)
{
    TCustomMaskEdit::SetBounds(l, t, w, h);
    ResizeControl();
    PlaceLabel();
}

void TExtCustomDropDown::ResizeControl()
{
    TBitmap probe(1, 1);
    probe.Canvas()->Font()->Assign(*Font());
    const int fh = probe.Canvas()->TextHeight("Wg");
    probe.Canvas()->Font()->Assign(TFont());
    const int sh = probe.Canvas()->TextHeight("Wg");
    const int minHeight = fh + std::min(fh, sh) / 4;
    if (Height() < minHeight) {
        // The new height comes back here as a size change of its own.
        SetBounds(Left(), Top(), Width(), minHeight);
        return;
    }
    if (FButton) {
        // The toolkit's edits are new-style, with the 3-D look and a single border.
        const int m = FFlat ? 3 : 4;
        FButton->SetBounds(Width() - FButton->Width() - m, FFlat ? 2 : 0, FButton->Width(), Height() - m);
    }
    SetEditRect();
    Invalidate();
}

void TExtCustomDropDown::SetEditRect()
{
    const int bw = FButton ? FButton->Width() : 0;
    TRect r;
    r.Right = ClientWidth() - bw - 3;
    r.Bottom = ClientHeight() + 1;
    const bool border = BorderStyle() != bsNone;
    r.Left = border ? 1 : 2;
    r.Top = border ? 1 : 3;
    FEditRect = r;
    // The text field's own frame keeps the text off the top and bottom edges already.
    SetFormatRect(TRect(r.Left, 0, r.Right, ClientHeight()));
}

void TExtCustomDropDown::SetDropDownButtonWidth(int v)
{
    if (!FButton || v == FButtonWidth) return;
    FButtonWidth = v;
    FButton->SetBWidth(v);
    FButton->SetWidth(v);
    ResizeControl();
}

void TExtCustomDropDown::SetDropDownButtonGlyph(const TBitmap* v)
{
    if (FButton) FButton->SetGlyph(v);
}

void TExtCustomDropDown::SetDropDownButtonHint(const String& v)
{
    if (v == FButtonHint) return;
    FButtonHint = v;
    if (!FButton) return;
    FButton->SetHint(v);
    FButton->SetShowHint(!v.empty());
}

void TExtCustomDropDown::SetImages(TImageList* v)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = v;
    if (v) v->FreeNotification(this);
}

void TExtCustomDropDown::SetFlat(bool v)
{
    FFlat = v;
    ResizeControl();
}

void TExtCustomDropDown::SetBorderColor(TColor v)
{
    if (v == FBorderColor) return;
    FBorderColor = v;
    Invalidate();
    if (FButton) FButton->Button()->Invalidate();
}

void TExtCustomDropDown::SetDisabledBorder(bool v)
{
    if (v == FDisabledBorder) return;
    FDisabledBorder = v;
    Invalidate();
}

String TExtCustomDropDown::Version() const
{
    const unsigned v = GetVersionNumber();
    return IntToStr(int(v >> 24)) + "." + IntToStr(int((v >> 16) & 0xFF)) + "." + IntToStr(int((v >> 8) & 0xFF)) + "." +
           IntToStr(int(v & 0xFF));
}

// ---------------------------------------------------------------- painting over the field

void TExtCustomDropDown::PaintOver()
{
    PaintBorders();
    PaintFocusedText();
}

void TExtCustomDropDown::PaintBorders()
{
    if (Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    TCanvas* c = Canvas();
    const TRect r(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetWidth(1);
    if (!Enabled() && FDisabledBorder) {
        c->Pen()->SetColor(0xC0C0C0);
        c->Rectangle(r);
    } else if (FBorderColor != clNone && !(Focused() && FFocusBorderColor != clNone)) {
        c->Pen()->SetColor(FBorderColor);
        c->Rectangle(r);
    } else if (FFocusBorderColor != clNone) {
        if (Focused()) {
            c->Pen()->SetColor(FFocusBorderColor);
            c->Rectangle(r);
        }
    } else if (FFlat) {
        const bool hot = FMouseInControl || Focused();
        if (hot) {
            c->Pen()->SetColor(clBtnShadow);
            c->Polyline({TPoint(0, r.Bottom - 1), TPoint(0, 0), TPoint(r.Right - 1, 0)});
            c->Pen()->SetColor(clBtnHighlight);
            c->Polyline({TPoint(r.Right - 1, 0), TPoint(r.Right - 1, r.Bottom - 1), TPoint(-1, r.Bottom - 1)});
            c->Pen()->SetColor(clBtnFace);
            c->Rectangle(1, 1, r.Right - 1, r.Bottom - 1);
        } else {
            const TColor p = Parent() ? Parent()->Color() : clBtnFace;
            c->Pen()->SetColor(p);
            c->Rectangle(r);
            c->Rectangle(1, 1, r.Right - 1, r.Bottom - 1);
        }
    }
    c->Brush()->SetStyle(bsSolid);
    if (FButton) FButton->Button()->SetFocused(FMouseInControl || Focused());
}

void TExtCustomDropDown::PaintFocusedText()
{
    if (FEditorEnabled || !Focused() || !FFocusDraw) return;
    TCanvas* c = Canvas();
    const int bw = FButton ? FButton->Width() : 0;
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clHighlight);
    c->Rectangle(2, 2, Width() - bw - 1, Height() - 2);
    c->Font()->Assign(*Font());
    c->Font()->SetColor(clHighlightText);
    TRect t(4, 2, Width() - bw - 1 - 3, Height() - 2);
    c->Brush()->SetStyle(bsClear);
    c->DrawText(GetText(), t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    c->Brush()->SetStyle(bsSolid);
}

// ---------------------------------------------------------------- caption label

String TExtCustomDropDown::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TExtCustomDropDown::SetLabelCaption(const String& v)
{
    if (!FLabel) {
        FLabel = new TLabel(this);
        FLabel->SetParent(Parent());
        FLabel->SetFocusControl(this);
        FLabel->Font()->Assign(FLabelFont);
        FLabel->SetParentFont(ParentFont());
        FLabel->OnClick = [this](TObject*) { LabelClick(); };
        FLabel->OnDblClick = [this](TObject*) { LabelDblClick(); };
    }
    FLabel->SetCaption(v);
    PlaceLabel();
}

void TExtCustomDropDown::SetLabelPosition(TLabelPosition v)
{
    FLabelPosition = v;
    PlaceLabel();
}

void TExtCustomDropDown::SetLabelMargin(int v)
{
    FLabelMargin = v;
    PlaceLabel();
}

void TExtCustomDropDown::SetLabelTransparent(bool v)
{
    FLabelTransparent = v;
    PlaceLabel();
}

void TExtCustomDropDown::SetLabelFont(const TFont* v)
{
    if (!ParentFont()) FLabelFont.Assign(*v);
    PlaceLabel();
}

void TExtCustomDropDown::LabelClick()
{
    if (OnLabelClick) OnLabelClick(this);
}

void TExtCustomDropDown::LabelDblClick()
{
    if (OnLabelDblClick) OnLabelDblClick(this);
}

void TExtCustomDropDown::PlaceLabel()
{
    if (!FLabel) return;
    if (FLabel->Parent() != Parent()) FLabel->SetParent(Parent());
    FLabel->SetTransparent(FLabelTransparent);
    FLabel->Font()->Assign(FParentFnt ? *Font() : FLabelFont);
    TBitmap probe(1, 1);
    probe.Canvas()->Font()->Assign(*FLabel->Font());
    TRect m(0, 0, 1000, 255);
    probe.Canvas()->DrawText(FLabel->Caption(), m, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    const int w = m.Width();
    FLabel->SetAutoSize(false);
    FLabel->SetBounds(FLabel->Left(), FLabel->Top(), w, m.Height());
    const TPoint at = PlaceCaptionLabel(FLabelPosition, TRect(Left(), Top(), Left() + Width(), Top() + Height()),
                                        FLabel->Width(), FLabel->Height(), FLabelMargin);
    FLabel->SetBounds(at.X, at.Y, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
}

// ---------------------------------------------------------------- looks

void TExtCustomDropDown::SetComponentStyle(TWYXStyle AStyle)
{
    FWYXStyle = AStyle;
    const TDropDownLookColors* d = DropDownLook(AStyle);
    if (!d) return;
    const auto set = [](TColor v, auto&& setter) {
        if (v != clKept) setter(v);
    };
    set(d->DropDownColor, [this](TColor v) { SetDropDownColor(v); });
    set(d->DropDownColorTo, [this](TColor v) { FDropDownColorTo = v; });
    set(d->DropDownBorderColor, [this](TColor v) { FDropDownBorderColor = v; });
    const auto bar = [](TBarAppearance* a, const TDropDownLookColors& c) {
        a->SetColor(c.HeaderColor);
        a->SetColorTo(c.HeaderColorTo);
        a->Font()->SetColor(c.HeaderFontColor);
        a->SetBorderColor(c.HeaderBorderColor);
    };
    bar(FDropDownHeader.get(), *d);
    bar(FDropDownFooter.get(), FooterColors(AStyle, *d));
    ApplyButtonLook(FButtonAppearance.get(), AStyle);
}

void TExtCustomDropDown::SetColorTones(const TColorTones& ATones)
{
    if (FButton) {
        FButton->FButtonColor = ATones.Background.BrushColor;
        FButton->FButtonColorHot = ATones.Hover.BrushColor;
        FButton->FButtonColorDown = ATones.Selected.BrushColor;
        FButton->FButtonBorderColor = ATones.Background.BorderColor;
        FButton->Button()->Invalidate();
    }
    SetBorderColor(ATones.Background.BorderColor);
}

void TExtCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    FSelectionColorStyle = Value;
    switch (Value) {
    case scOffice2007: FSelectionColor = 0xD7FFFD; FSelectionColorTo = 0x58D4FC; break;
    case scWindowsVista: FSelectionColor = 0xFDF8F1; FSelectionColorTo = 0xFCEFD5; break;
    case scWindows7: FSelectionColor = 0xFCEBDC; FSelectionColorTo = 0xFCDBC1; break;
    case scCustom: break;
    }
}

void TExtCustomDropDown::DrawSelectionBackground(TCanvas* Canvas, const TRect& Rect, TColor Color, int FaceType)
{
    if (FSelectionColorStyle == scCustom) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(FSelectionColor);
        Canvas->Pen()->SetColor(FSelectionColor);
        Canvas->Rectangle(Rect);
        return;
    }
    // Edge, border, bottom line, top line, lower-half end and start colours of the face.
    struct TFrame { TColor Edge, Border, Bottom, Top, MirrorTo, Mirror; };
    static const TFrame frames[] = {
        {0xC3D9DF, 0x8DD7D3, 0xCAF8FF, 0xF4FEFF, 0xB3F1FC, 0x58D4FC},   // scOffice2007
        {0xFCEDCB, 0xFDDE99, 0xFDF5E7, 0xFDFBF6, clNone, clNone},       // scWindowsVista
        {0xE0C5AE, 0xCEA27D, 0xFDEADB, 0xFDF4EB, clNone, clNone},       // scWindows7
    };
    const TFrame& f = frames[FSelectionColorStyle - scOffice2007];
    DrawGradientButtonFace(Canvas, FSelectionColor, FSelectionColorTo, f.Mirror, f.MirrorTo, f.Top, f.Bottom, f.Border,
                           f.Edge, Color, Rect, FaceType);
}

void TExtCustomDropDown::DrawBackground(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& Rect,
                                        TGradientDirection Direction)
{
    ::DropDownGradient(Canvas, FromColor, ToColor, Steps, Rect, Direction == GradientHorizontal);
}

// ---------------------------------------------------------------- copying

void TExtCustomDropDown::Assign(TObject* Source)
{
    auto* s = dynamic_cast<TExtCustomDropDown*>(Source);
    if (!s) return;
    FFocusDraw = s->FFocusDraw;
    FForceShadow = s->FForceShadow;
    FDropDownEnabled = s->FDropDownEnabled;
    FDropDownColor = s->FDropDownColor;
    FDropDownColorTo = s->FDropDownColorTo;
    FDropDownGradient = s->FDropDownGradient;
    FDropDownBorderColor = s->FDropDownBorderColor;
    FDropDownBorderWidth = s->FDropDownBorderWidth;
    FDropDownShadow = s->FDropDownShadow;
    FDropDownWidth = s->FDropDownWidth;
    FDropDownHeight = s->FDropDownHeight;
    FDropDownSizeable = s->FDropDownSizeable;
    FEditType = s->FEditType;
    FReturnIsTab = s->FReturnIsTab;
    FLengthLimit = s->FLengthLimit;
    FPrecision = s->FPrecision;
    FPrefix = s->FPrefix;
    FSuffix = s->FSuffix;
    FDefaultHandling = s->FDefaultHandling;
    FCanUndo = s->FCanUndo;
    FExcelStyleDecimalSeparator = s->FExcelStyleDecimalSeparator;
    FValidChars = s->FValidChars;
    FSigned = s->FSigned;
    FAutoThousandSeparator = s->FAutoThousandSeparator;
    FButtonAppearance->Assign(*s->FButtonAppearance);
    FDropDownHeader->Assign(*s->FDropDownHeader);
    FDropDownFooter->Assign(*s->FDropDownFooter);
    FDropPosition = s->FDropPosition;
    FFlat = s->FFlat;
    SetDropDownButtonWidth(s->FButtonWidth);
    SetDropDownButtonHint(s->FButtonHint);
    FEditorEnabled = s->FEditorEnabled;
    if (FButton && s->FButton) {
        FButton->SetGlyph(s->FButton->Glyph());
        FButton->SetButtonCaption(s->FButton->ButtonCaption());
    }
    FEtched = s->FEtched;
    SetImages(s->FImages);
    FSelectionColorStyle = s->FSelectionColorStyle;
    FSelectionColor = s->FSelectionColor;
    FSelectionColorTo = s->FSelectionColorTo;
}
