// The combo box with its own look: the button and frame it paints over the toolkit's
// face, its reaction to the mouse and the focus, and the caption label beside it.
#include "gridedit/AsgCombo.h"

#include "grid/util/GridTheme.h"
#include "platform/gui/Forms.h"

namespace {
// The platform's vertical scroll-bar width; the button starts two pixels wider.
constexpr int kScrollBarWidth = 17;
}

TAsgCustomCombo::TAsgCustomCombo(TComponent* AOwner) : TComboBox(AOwner)
{
    FButtonWidth = kScrollBarWidth + 2;
    SetDropButtonWidth(FButtonWidth);
    FIsThemed = IsComCtl6();
    FLabelFont.Assign(*Font());
    FLoadedColor = clWindow;
    SetPaintsOver(true);
}

TAsgCustomCombo::~TAsgCustomCombo()
{
    if (FLabel) {
        TLabel* l = FLabel;
        FLabel = nullptr;
        delete l;
    }
}

void TAsgCustomCombo::Notification(TComponent* AComponent, TOperation Operation)
{
    TComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
}

void TAsgCustomCombo::Loaded()
{
    SetDropWidth(FDropWidth);
    FOldColor = FLoadedColor;
    if (!(!FFlat && FFlatParentColor)) TComboBox::SetColor(FLoadedColor);
    if (FLabel) {
        FLabel->SetEnabled(FLabelAlwaysEnabled || Enabled());
        FLabel->SetFont(&FLabelFont);
    }
    UpdateLabel();
    Init();
}

void TAsgCustomCombo::Init() { FNormalColor = Color(); }

void TAsgCustomCombo::SelectItem(const String& AString)
{
    const int i = Items()->IndexOf(AString);
    if (i >= 0) SetItemIndex(i);
}

bool TAsgCustomCombo::ThemesActive() const
{
    return FIsThemed && ThemedDrawingActive();
}

bool TAsgCustomCombo::MouseButtonHeld() const
{
    return GetAsyncKeyState(VK_LBUTTON) < 0 || GetAsyncKeyState(VK_RBUTTON) < 0;
}

// ---------------------------------------------------------------- properties

void TAsgCustomCombo::SetFlat(bool Value)
{
    if (FFlat == Value) return;
    FFlat = Value;
    if (FFlat) {
        FOldColor = Color();
        FOldParentColor = ParentColor();
        if (FFlatParentColor && Parent()) TComboBox::SetColor(Parent()->Color());
    } else {
        TComboBox::SetColor(FLoadedColor);
    }
    Invalidate();
}

void TAsgCustomCombo::SetEtched(bool Value)
{
    if (FEtched == Value) return;
    FEtched = Value;
    Invalidate();
}

void TAsgCustomCombo::SetButtonWidth(int Value)
{
    if (Value < 14 || Value > 32) return;
    FButtonWidth = Value;
    SetDropButtonWidth(Value);
}

void TAsgCustomCombo::SetFocusBorder(bool Value)
{
    FFocusBorder = Value;
    Invalidate();
}

void TAsgCustomCombo::SetDropWidth(int Value)
{
    FDropWidth = Value;
    if (Value > 0) SetDroppedWidth(Value);
}

void TAsgCustomCombo::SetFlatLineColor(TColor Value)
{
    FFlatLineColor = Value;
    Invalidate();
}

void TAsgCustomCombo::SetFlatParentColor(bool Value)
{
    FFlatParentColor = Value;
    Invalidate();
}

void TAsgCustomCombo::SetFocusBorderColor(TColor Value)
{
    FFocusBorderColor = Value;
    Invalidate();
}

void TAsgCustomCombo::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    Invalidate();
}

void TAsgCustomCombo::SetColor(TColor Value)
{
    if (FLoading) FLoadedColor = Value;
    TComboBox::SetColor(Value);
}

// ---------------------------------------------------------------- caption label

TLabel* TAsgCustomCombo::CreateLabel()
{
    auto* l = new TLabel(this);
    l->SetParent(Parent());
    l->SetFocusControl(this);
    l->SetFont(ParentFont() ? Font() : &FLabelFont);
    l->SetTransparent(FLabelTransparent);
    l->SetVisible(Visible());
    l->SetEnabled(FLabelAlwaysEnabled || Enabled());
    return l;
}

String TAsgCustomCombo::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TAsgCustomCombo::SetLabelCaption(const String& Value)
{
    if (!FLabel) FLabel = CreateLabel();
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TAsgCustomCombo::SetLabelPosition(TLabelPosition Value)
{
    FLabelPosition = Value;
    UpdateLabel();
}

void TAsgCustomCombo::SetLabelMargin(int Value)
{
    FLabelMargin = Value;
    UpdateLabel();
}

void TAsgCustomCombo::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    if (FLabel) FLabel->SetTransparent(Value);
}

void TAsgCustomCombo::SetLabelAlwaysEnabled(bool Value)
{
    FLabelAlwaysEnabled = Value;
    if (FLabel) FLabel->SetEnabled(Value || Enabled());
}

void TAsgCustomCombo::SetLabelFont(const TFont* Value)
{
    FLabelFont.Assign(*Value);
    if (FLabel && !ParentFont()) FLabel->SetFont(&FLabelFont);
    UpdateLabel();
}

void TAsgCustomCombo::UpdateLabel()
{
    if (!FLabel) return;
    FLabel->SetParent(Parent());
    // The label sizes itself to its caption.
    FLabel->AdjustSize();
    const int w = FLabel->Width();
    const int lh = FLabel->Height();
    const TPoint at = PlaceCaptionLabel(FLabelPosition, TRect(Left(), Top(), Left() + Width(), Top() + Height()), w, lh,
                                        FLabelMargin);
    FLabel->SetBounds(at.X, at.Y, w, lh);
    FLabel->SetVisible(Visible());
}

void TAsgCustomCombo::SetBounds(int l, int t, int w, int h)
{
    TComboBox::SetBounds(l, t, w, h);
    UpdateLabel();
}

void TAsgCustomCombo::SetParent(TWinControl* p)
{
    TComboBox::SetParent(p);
    UpdateLabel();
}

void TAsgCustomCombo::SetVisible(bool v)
{
    TComboBox::SetVisible(v);
    if (FLabel) FLabel->SetVisible(v);
}

void TAsgCustomCombo::SetEnabled(bool v)
{
    TComboBox::SetEnabled(v);
    if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(v);
}

// ---------------------------------------------------------------- mouse, focus, list

void TAsgCustomCombo::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_MOUSEMOVE: {
        const int x = GET_X_LPARAM(msg.LParam);
        const bool hover = x > Width() - FButtonWidth && x < Width();
        if (hover != FButtonHover) {
            FButtonHover = hover;
            Invalidate();
        }
        break;
    }
    case CM_MOUSEENTER:
        TComboBox::WndProc(msg);
        FMouseInControl = true;
        Invalidate();
        if (FAutoFocus && Enabled() && Visible()) {
            TForm* f = GetParentForm(this);
            if (f && f->Active() && CanFocus()) SetFocus();
        }
        return;
    case CM_MOUSELEAVE:
        TComboBox::WndProc(msg);
        FMouseInControl = false;
        FButtonHover = false;
        Invalidate();
        return;
    case WM_SETFOCUS:
        TComboBox::WndProc(msg);
        FHasFocus = true;
        if (FFocusColor != clNone) TComboBox::SetColor(FFocusColor);
        if (FFocusLabel && FLabel) FLabel->Font()->SetStyle(FLabel->Font()->Style() << fsBold);
        Invalidate();
        return;
    case WM_KILLFOCUS:
        TComboBox::WndProc(msg);
        FHasFocus = false;
        if (FFocusColor != clNone && FNormalColor != clNone) TComboBox::SetColor(FNormalColor);
        if (FFocusLabel && FLabel) FLabel->Font()->SetStyle(FLabel->Font()->Style() >> fsBold);
        Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        TComboBox::WndProc(msg);
        // A disabled flat combo shows its parent's colour until it is enabled again.
        if (FFlat) {
            if (!Enabled()) {
                FOldColor = Color();
                FOldParentColor = ParentColor();
                if (Parent()) TComboBox::SetColor(Parent()->Color());
            } else {
                TComboBox::SetColor(FOldColor);
                SetParentColor(FOldParentColor);
            }
        }
        Invalidate();
        return;
    }
    TComboBox::WndProc(msg);
}

void TAsgCustomCombo::DropDown()
{
    Invalidate();
    TComboBox::DropDown();
}

void TAsgCustomCombo::CloseUp()
{
    Invalidate();
    TComboBox::CloseUp();
    if (OnDropUp) OnDropUp(this);
}

// ---------------------------------------------------------------- painting

bool TAsgCustomCombo::PaintsOwnFace() const
{
    if (IsVista && ButtonColor == clNone) return false;
    return FFlat || ButtonColor != clNone || FBorderColor != clNone || (FFocusBorderColor != clNone && FHasFocus) ||
           (!Enabled() && ThemesActive() && !DisabledBorder);
}

TRect TAsgCustomCombo::ButtonRect() const
{
    TRect r(ClientWidth() - FButtonWidth + 2, 0, ClientWidth(), ClientHeight());
    r.Left += 1;
    r.Top += 1;
    r.Right -= 1;
    r.Bottom -= 1;
    return r;
}

void TAsgCustomCombo::DrawButton()
{
    TCanvas* c = Canvas();
    const bool held = MouseButtonHeld();
    TRect r = ButtonRect();
    if (ButtonColor != clNone) {
        TColor fill = ButtonColor;
        if (FButtonHover && held && ButtonColorDown != clNone) fill = ButtonColorDown;
        else if (FButtonHover && ButtonColorHot != clNone) fill = ButtonColorHot;
        const TRect b(r.Left - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        c->Brush()->SetColor(fill);
        c->Pen()->SetColor(fill);
        c->Rectangle(b);
        if (ButtonBorderColor != clNone) {
            c->Pen()->SetColor(ButtonBorderColor);
            c->MoveTo(b.Left, b.Top);
            c->LineTo(b.Left, b.Bottom);
        }
        TColor arrow = held && FButtonHover && ButtonTextColorDown != clNone ? ButtonTextColorDown : ButtonTextColor;
        if (arrow == clNone) arrow = clBtnText;
        c->Brush()->SetColor(arrow);
        c->Pen()->SetColor(arrow);
        c->Polygon({TPoint(b.Left + 4, b.Top + 7), TPoint(b.Left + 10, b.Top + 7), TPoint(b.Left + 7, b.Top + 10)});
    } else if (ThemesActive()) {
        int state = CBXS_NORMAL;
        if (!Enabled()) state = CBXS_DISABLED;
        else if (held && DroppedDown()) state = CBXS_PRESSED;
        else if (!held && FButtonHover && !DroppedDown()) state = CBXS_HOT;
        DrawThemedPart(Handle(), c, VSCLASS_COMBOBOX, CP_DROPDOWNBUTTON, state, r);
    } else {
        TRect b(r.Left - 4, r.Top + 1, r.Right, r.Bottom - 1);
        DrawFrameControl(c, b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT | (Enabled() ? 0u : DFCS_INACTIVE));
    }
    c->ExcludeClipRect(TRect(ClientWidth() - FButtonWidth - 4, 0, ClientWidth() + 2, ClientHeight()));
}

void TAsgCustomCombo::DrawBorders()
{
    if (Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    if (IsVista && FBorderColor == clNone) return;
    TCanvas* c = Canvas();
    const TRect w(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    auto frame = [c](const TRect& r, TColor col) {
        c->Brush()->SetColor(col);
        c->FrameRect(r);
    };
    if (!Enabled() && FIsThemed && !DisabledBorder) {
        frame(w, RGB(127, 157, 185));
    } else if (FBorderColor != clNone && !(FHasFocus && FFocusBorderColor != clNone)) {
        frame(w, FBorderColor);
    } else if (FFocusBorderColor != clNone) {
        if (FHasFocus) frame(w, FFocusBorderColor);
    } else {
        const bool active = FFocusBorder && (FMouseInControl || FHasFocus);
        const TColor outer = active ? clBtnFace : (Parent() ? Parent()->Color() : clBtnFace);
        const TColor inner = Color();
        TRect innerFrame;
        if (active) {
            // A one-pixel sunken edge around the window.
            c->Pen()->SetColor(clBtnShadow);
            c->MoveTo(w.Left, w.Bottom - 1);
            c->LineTo(w.Left, w.Top);
            c->LineTo(w.Right - 1, w.Top);
            c->Pen()->SetColor(clBtnHighlight);
            c->LineTo(w.Right - 1, w.Bottom - 1);
            c->LineTo(w.Left, w.Bottom - 1);
            frame(TRect(w.Left + 1, w.Top + 1, w.Right - 1, w.Bottom - 1), outer);
            innerFrame = TRect(w.Left + 2, w.Top + 2, w.Right - 2, w.Bottom - 2);
            frame(innerFrame, inner);
        } else {
            frame(w, outer);
            frame(TRect(w.Left + 1, w.Top + 1, w.Right - 1 - FButtonWidth, w.Bottom - 1), outer);
            innerFrame = TRect(w.Left + 2, w.Top + 2, w.Right - 2 - FButtonWidth, w.Bottom - 2);
            frame(innerFrame, inner);
        }
        if (FFlat && FFlatLineColor != clNone) {
            c->Pen()->SetColor(FFlatLineColor);
            c->MoveTo(innerFrame.Left - 2, w.Bottom - 1);
            c->LineTo(innerFrame.Right - FButtonWidth - 1, w.Bottom - 1);
        }
    }
    if (Style() != csSimple && !(IsWinXP && ThemesActive())) {
        const TRect r = ButtonRect();
        const TRect b(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
        if (!FMouseInControl && !FHasFocus) {
            c->Brush()->SetColor(clBtnFace);
            c->FillRect(b);
        }
        c->ExcludeClipRect(b);
    }
}

void TAsgCustomCombo::PaintOver()
{
    if (!PaintsOwnFace()) return;
    TCanvas* c = Canvas();
    const int saved = c->SaveState();
    DrawButton();
    c->RestoreState(saved);
    DrawBorders();
}
