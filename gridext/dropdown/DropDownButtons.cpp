#include "gridext/dropdown/DropDownButtons.h"

#include <algorithm>

#include "grid/util/GridTheme.h"
#include "gridext/dropdown/ExtCustomDropDown.h"
#include "platform/gui/ExtCtrls.h"

// ---------------------------------------------------------------- speed button

TExtDropDownSpeedButton::TExtDropDownSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner)
{
    FIsWinXP = IsWinXPOrLater();
}

void TExtDropDownSpeedButton::SetButtonStyle(TButtonStyle v)
{
    FButtonStyle = v;
    Invalidate();
}

void TExtDropDownSpeedButton::SetEtched(bool v)
{
    FEtched = v;
    Invalidate();
}

void TExtDropDownSpeedButton::SetFocused(bool v)
{
    if (v == FFocused) return;
    FFocused = v;
    Invalidate();
}

void TExtDropDownSpeedButton::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    Invalidate();
}

TDropDownEditButton* TExtDropDownSpeedButton::Container() const { return dynamic_cast<TDropDownEditButton*>(Parent()); }

TExtCustomDropDown* TExtDropDownSpeedButton::Edit() const
{
    TDropDownEditButton* c = Container();
    return c ? c->FEdit : nullptr;
}

void TExtDropDownSpeedButton::MouseEnter()
{
    TSpeedButton::MouseEnter();
    FHot = true;
    Invalidate();
}

void TExtDropDownSpeedButton::MouseLeave()
{
    TSpeedButton::MouseLeave();
    FHot = false;
    Invalidate();
}

void TExtDropDownSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    const TRect r(0, 0, Width(), Height());
    TDropDownEditButton* box = Container();
    const bool pressed = (FState == bsDown || FState == bsExclusive) && !FUp;
    if (FButtonStyle == bsButton || !box) {
        TSpeedButton::Paint();
        return;
    }
    if (box->FButtonColor == clNone) {
        if (Glyph() && !Glyph()->Empty()) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(clBtnFace);
            c->Pen()->SetColor(0x808080);
            c->Rectangle(r);
            Glyph()->SetTransparent(true);
            Glyph()->SetTransparentMode(tmAuto);
            c->Draw(0, 0, Glyph());
            return;
        }
        TExtCustomDropDown* e = Edit();
        const bool enabled = e ? e->Enabled() && !e->ReadOnly() : Enabled();
        if (FIsWinXP && ThemedDrawingActive()) {
            TRect t = r;
            if (IsGetLocaleInfoExAvailable()) t.Left += 1;
            else {
                InflateRect(t, 1, 1);
                t.Left += 2;
            }
            const int state = !enabled ? CBXS_DISABLED : pressed ? CBXS_PRESSED : FHot ? CBXS_HOT : CBXS_NORMAL;
            if (DrawThemedPart(box->Handle(), c, VSCLASS_COMBOBOX, CP_DROPDOWNBUTTON, state, t)) return;
        }
        TSpeedButton::Paint();
        c->Pen()->SetColor(clBtnFace);
        c->Polyline({TPoint(Width() - 2, 0), TPoint(0, 0), TPoint(0, Height() - 1)});
        c->Pen()->SetColor(clWhite);
        c->Polyline({TPoint(Width() - 3, 1), TPoint(1, 1), TPoint(1, Height() - 2)});
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetColor(clBlack);
        c->Polygon({TPoint(5, 7), TPoint(11, 7), TPoint(8, 10)});
        return;
    }
    const TColor face = pressed ? box->FButtonColorDown : FHot ? box->FButtonColorHot : box->FButtonColor;
    TColor text = pressed ? box->FButtonTextColorDown : FHot ? box->FButtonTextColorHot : box->FButtonTextColor;
    // Tones give the faces but no arrow colour: the arrow stays black then.
    if (text == clNone) text = clBlack;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(face);
    c->FillRect(r);
    TExtCustomDropDown* e = Edit();
    const TColor line = e ? e->BorderColor() : clNone;
    if (line != clNone) {
        c->Pen()->SetColor(line);
        c->MoveTo(0, 0);
        c->LineTo(0, Height());
    }
    c->Pen()->SetColor(text);
    c->Brush()->SetColor(text);
    c->Polygon({TPoint(5, 7), TPoint(11, 7), TPoint(8, 10)});
}

// ---------------------------------------------------------------- the drop-down button

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TWinControl(AOwner)
{
    FButton = new TExtDropDownSpeedButton(this);
    FButton->SetParent(this);
    FButton->SetVisible(true);
    FButton->SetEnabled(true);
    FButton->SetCaption("");
    FButton->SetButtonStyle(bsDropDown);
    FButton->SetGlyph(nullptr);
    // The click runs on the release of the left button, wherever the pointer then is.
    FButton->OnClick = [](TObject*) {};
    FButton->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, int, int) {
        if (Button == mbLeft && OnClick) OnClick(this);
    };
    SetBounds(0, 0, 16, 25);
}

TDropDownEditButton::~TDropDownEditButton() { SetFocusControl(nullptr); }

void TDropDownEditButton::SetFocusControl(TWinControl* v)
{
    if (FFocusControl == v) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = v;
    if (v) v->FreeNotification(this);
}

void TDropDownEditButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TDropDownEditButton::SetBounds(int l, int t, int w, int h)
{
    TWinControl::SetBounds(l, t, FBWidth, h);
    if (FButton) FButton->SetBounds(0, 0, FBWidth, h);
}

void TDropDownEditButton::Resize()
{
    TWinControl::Resize();
    if (FButton) FButton->SetBounds(0, 0, FBWidth, Height());
}

void TDropDownEditButton::EnabledChanged()
{
    TWinControl::EnabledChanged();
    if (FButton) FButton->SetEnabled(Enabled());
}

// ---------------------------------------------------------------- bar button

TExtButton::TExtButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(0, 0, 23, 22);
    SetParentFont(true);
    Font()->SetName("Tahoma");
    SetShowHint(false);
    SetDoubleBuffered(true);
    SetParentBackground(true);
    SetTabStop(false);
    FUnHotTimer = new TTimer(this);
    FUnHotTimer->SetInterval(1);
    FUnHotTimer->SetEnabled(false);
    FUnHotTimer->OnTimer = [this](TObject*) {
        TPoint p = ScreenToClient(Mouse_CursorPos());
        if (TRect(0, 0, Width(), Height()).Contains(p)) return;
        FUnHotTimer->SetEnabled(false);
        FHot = false;
        FMouseInControl = false;
        if (Enabled()) Invalidate();
    };
}

TExtButton::~TExtButton()
{
    SetAppearance(nullptr);
    SetImages(nullptr);
}

void TExtButton::SetAppearance(TExtButtonAppearance* v)
{
    FAppearance = v;
    Invalidate();
}

void TExtButton::SetImages(TImageList* v)
{
    if (v == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = v;
    if (v) v->FreeNotification(this);
    Invalidate();
}

void TExtButton::SetImageIndex(int v)
{
    FImageIndex = v;
    Invalidate();
}

void TExtButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TExtButton::SetDown(bool b)
{
    if (FGroupIndex == 0 && FStyle == tasButton) b = false;
    if (FStyle == tasCheck) {
        FDown = b;
        FState = b ? absDown : absUp;
        Invalidate();
        return;
    }
    if (b == FDown || (FDown && !FAllowAllUp)) return;
    FDown = b;
    if (b) {
        FState = absExclusive;
        // The other buttons of the group go up and take over the all-up rule.
        if (Parent())
            for (int i = 0; i < Parent()->ControlCount(); ++i)
                if (auto* o = dynamic_cast<TExtButton*>(Parent()->Controls(i)); o && o != this && o->FGroupIndex == FGroupIndex) {
                    o->FAllowAllUp = FAllowAllUp;
                    if (o->FDown) {
                        o->FDown = false;
                        o->FState = absUp;
                        o->Invalidate();
                    }
                }
    } else {
        FState = absUp;
    }
    Invalidate();
}

void TExtButton::AutoSizeButton()
{
    if (!FAppearance) return;
    Canvas()->Font()->Assign(*FAppearance->Font());
    TPoint s = GetTextSize(Canvas(), Caption());
    if (FImages && FImageIndex >= 0) {
        s.X = std::max(s.X, FImages->Width());
        s.Y = std::max(s.Y, FImages->Height());
    }
    SetBounds(Left(), Top(), s.X + 8, s.Y + 4);
}

void TExtButton::Paint()
{
    if (!Enabled()) {
        FState = absDisabled;
        FDragging = false;
    } else if (FState == absDisabled) {
        FState = FDown && FGrouped ? absExclusive : absUp;
    }
    if (FStyle == tasCheck && FDown) FState = absDown;
    DrawButton(Canvas());
}

void TExtButton::DrawButton(TCanvas* ACanvas)
{
    if (!FAppearance) return;
    const TExtButtonAppearance* a = FAppearance;
    TColor c, cto = clNone, b;
    if (FState == absDisabled) {
        c = a->ColorDisabled();
        cto = a->ColorDisabledTo();
        b = a->BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        c = a->ColorDown();
        b = a->BorderColorDown();
    } else if (FDown) {
        c = a->ColorChecked();
        b = a->BorderColorChecked();
    } else if (FMouseInControl || FHot || Focused()) {
        c = a->ColorHot();
        b = a->BorderColorHot();
    } else {
        c = a->Color();
        cto = a->ColorTo();
        b = a->BorderColor();
    }
    const TRect r(0, 0, Width(), Height());
    DrawGradientRect(ACanvas, r, c, cto, b, 1, a->Gradient());
    ACanvas->Font()->Assign(*const_cast<TExtButtonAppearance*>(a)->Font());
    DrawTextWithImage(ACanvas, r, Caption(), FImages, FImageIndex);
}

void TExtButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    FMouseDownInControl = true;
    FMouseInControl = true;
    if (!FDown) FState = absDown;
    if (FStyle == tasCheck) FState = absDown;
    FDragging = true;
    Invalidate();
}

void TExtButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    const bool inside = TRect(0, 0, Width(), Height()).Contains(TPoint(X, Y));
    TExtButtonState s = inside ? absDown : absUp;
    if (FDown) s = absExclusive;
    if (FStyle == tasCheck && FDown) s = absDown;
    if (s != FState) {
        FState = s;
        Invalidate();
    }
}

void TExtButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FMouseDownInControl = false;
    Invalidate();
    if (FDragging) {
        FDragging = false;
        const bool inside = TRect(0, 0, Width(), Height()).Contains(TPoint(X, Y));
        if (FGroupIndex != 0) {
            if (inside) SetDown(!FDown);
            else if (FDown) FState = absExclusive;
        } else {
            FState = absUp;
            FHot = false;
            FMouseInControl = false;
            if (FStyle == tasCheck) SetDown(!FDown);
        }
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TExtButton::MouseEnter()
{
    TCustomControl::MouseEnter();
    FMouseInControl = true;
    FHot = true;
    if (Enabled()) Invalidate();
    FUnHotTimer->SetEnabled(true);
    if (OnButtonMouseEnter) OnButtonMouseEnter(this);
}

void TExtButton::MouseLeave()
{
    TCustomControl::MouseLeave();
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    FHot = false;
    if (Enabled()) Invalidate();
    if (OnButtonMouseLeave) OnButtonMouseLeave(this);
}

void TExtButton::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_RETURN || Key == VK_SPACE) {
        FState = absDown;
        Repaint();
        FInternalClick = true;
        Click();
        FInternalClick = false;
        FState = absUp;
        Invalidate();
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TExtButton::Click()
{
    if (FExtDropDown) {
        switch (FModalResult) {
        case mrOk: case mrYes: case mrAll: case mrYesToAll:
            FExtDropDown->CloseDropDown(false);
            break;
        case mrCancel: case mrAbort: case mrIgnore: case mrNo: case mrNoToAll:
            FExtDropDown->CloseDropDown(true);
            break;
        default:
            break;
        }
    }
    // A click by key closes by the modal result only.
    if (!FInternalClick) TCustomControl::Click();
}

void TExtButton::EnabledChanged()
{
    TCustomControl::EnabledChanged();
    Invalidate();
}

void TExtButton::DoEnter()
{
    TCustomControl::DoEnter();
    Invalidate();
}

void TExtButton::DoExit()
{
    TCustomControl::DoExit();
    Invalidate();
}
