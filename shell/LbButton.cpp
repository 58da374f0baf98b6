// TLbButton: construction, properties, stock kinds and colour schemes, the click, the
// mouse, the keys, the dialog keys and the hot colour fade.
#include "shell/LbButton.h"

#include "platform/gui/Forms.h"
#include "platform/gui/Menus.h"

namespace {

struct TKindInfo {
    TModalResult Result;
    const char* Resource;
    const char* Caption;
};

// Indexed by TLbButtonKind; bkCustom has no entry of its own.
const TKindInfo kKinds[] = {
    {mrNone, "", ""},
    {mrOk, "LBOK", "OK"},
    {mrCancel, "LBCANCEL", "Abbrechen"},
    {mrNone, "LBHELP", "Hilfe"},
    {mrYes, "LBYES", "Ja"},
    {mrNo, "LBNO", "Nein"},
    {mrNone, "LBCLOSE", "Schließen"},
    {mrAbort, "LBABORT", "Abbrechen"},
    {mrRetry, "LBRETRY", "Wiederholen"},
    {mrIgnore, "LBIGNORE", "Ignorieren"},
    {mrAll, "LBALL", "Alle"},
};

struct TSchemeInfo {
    TColor Color, Light, Shadow, WhenDown, HotTrack;
    TLbButtonStyle Style;
    bool Flat;
    TColor FontColor;
};

// Indexed by TLbColorStyle; lcsCustom changes nothing.
const TSchemeInfo kSchemes[] = {
    {0, 0, 0, 0, 0, bsNormal, false, clBlack},
    {49344, 65535, 32896, clNone, 57311, bsModern, false, clBlack},                     // gold
    {12632256, 16777215, 8421504, clNone, clNone, bsModern, false, clBlack},            // chrome
    {16744448, 16776960, 16711680, clNone, clNone, bsModern, false, clBlack},           // blue
    {255, 12632319, 192, clNone, clNone, bsModern, false, clBlack},                     // red
    {clBtnFace, 11899524, 11899524, 11899524, 14603222, bsNormal, true, clBlack},       // ultra flat 1
    {clBtnFace, 0, 0, 2415292, 9238244, bsNormal, true, clBlack},                       // ultra flat 2
    {13752539, 11899524, 11899525, 11899525, 13811126, bsNormal, true, clBlack},        // ultra flat XP
    {15519380, 16574164, 0, clNone, clNone, bsModern, false, clBlack},                  // aqua
    {clBtnFace, 16777215, 8421504, clNone, clNone, bsNormal, false, clBlack},           // default
    {6303744, 12632256, 12632256, 11363625, 13545116, bsQuicken, false, clWhite},       // quicken
};

}   // namespace

TLbButton::TLbButton(TComponent* AOwner)
    : TCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FHTFont(std::make_unique<TFont>())
{
    // The button makes its own clicks (a release away from it still clicks).
    FClickEvents = false;
    SetBounds(Left(), Top(), 100, 23);
    SetTabStop(true);
    SetColor(clBtnFace);
    if (auto* form = dynamic_cast<TForm*>(AOwner)) FHTFont->Assign(*form->Font());
}

TLbButton::~TLbButton()
{
    FBeingDestroyed = true;
    StopFade();
}

// ---- properties ----

void TLbButton::SetAlignment(TAlignment v)
{
    FAlignment = v;
    Repaint();
}

void TLbButton::SetFlat(bool v)
{
    FFlat = v;
    Repaint();
}

void TLbButton::SetWordWrap(bool v)
{
    FWordWrap = v;
    Repaint();
}

void TLbButton::SetLayout(TLbButtonLayout v)
{
    FLayout = v;
    Repaint();
}

void TLbButton::SetLightColor(TColor v)
{
    FLightColor = v;
    Repaint();
}

void TLbButton::SetShadowColor(TColor v)
{
    FShadowColor = v;
    Repaint();
}

void TLbButton::SetNumGlyphs(int v)
{
    FNumGlyphs = v;
    Invalidate();
}

void TLbButton::SetGlyph(const TBitmap* v)
{
    if (v && !v->Empty()) {
        FGlyph->Assign(v);
        FNumGlyphs = FGlyph->Height() != 0 ? FGlyph->Width() / FGlyph->Height() : 0;
    } else {
        FGlyph = std::make_unique<TBitmap>();
        FNumGlyphs = 0;
    }
    FKind = bkCustom;
    Invalidate();
}

void TLbButton::SetModalResult(TModalResult v)
{
    FModalResult = v;
    FKind = bkCustom;
}

void TLbButton::SetHotTrackFont(const TFont* v)
{
    if (v) FHTFont->Assign(*v);
}

void TLbButton::SetStyle(TLbButtonStyle v)
{
    FStyle = v;
    // The styles with round corners let the parent show through them.
    SetParentBackground(v == bsModern || v == bsShape || v == bsQuicken);
    Invalidate();
}

void TLbButton::SetKind(TLbButtonKind v)
{
    if (v != bkCustom) {
        const TKindInfo& k = kKinds[v];
        FNumGlyphs = 2;
        FModalResult = k.Result;
        // Loaded straight into the strip: every stock strip holds two pictures, also
        // the one that is a pixel higher than half its width.
        FGlyph = LbButtonResource(k.Resource);
        SetCaption(k.Caption);
    }
    FKind = v;
    Invalidate();
}

void TLbButton::SetColorStyle(TLbColorStyle v)
{
    if (v == lcsCustom) return;
    const TSchemeInfo& s = kSchemes[v];
    SetColor(s.Color);
    FLightColor = s.Light;
    FShadowColor = s.Shadow;
    FColorWhenDown = s.WhenDown;
    FHotTrackColor = s.HotTrack;
    SetStyle(s.Style);
    FFlat = s.Flat;
    Font()->SetColor(s.FontColor);
    Repaint();
}

void TLbButton::SetEnabled(bool v)
{
    TCustomControl::SetEnabled(v);
    FEnabled = v;
    bDown = false;
    Repaint();
}

void TLbButton::SetSlowDecease(bool v)
{
    FSlowDecease = v;
    if (!v) {
        FHotTrackStep = 0;
        StopFade();
    }
    Invalidate();
}

// ---- click ----

void TLbButton::Click()
{
    bDown = true;
    if (Visible() && Enabled() && bDown) {
        bDown = false;
        if (OnClick) OnClick(this);
        if (FModalResult != mrNone) {
            TForm* form = dynamic_cast<TForm*>(Owner());
            if (!form) form = GetParentForm(this);
            if (form) form->SetModalResult(FModalResult);
        }
        if (TPopupMenu* menu = PopupMenu()) {
            const TPoint p = ClientToScreen(Point(0, Height()));
            menu->SetPopupComponent(this);
            menu->Popup(p.X, p.Y);
        }
    }
    // A click refused by a hidden or disabled button must not leave it drawn as held.
    bDown = false;
}

bool TLbButton::CanReact() const
{
    return Enabled() && Visible() && Parent() && Parent()->Showing();
}

bool TLbButton::IsHot()
{
    return bCursorOnButton || Focused();
}

// ---- mouse ----

void TLbButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && Enabled()) {
        bDown = true;
        SetMouseCapture(true);
        if (CanFocus()) SetFocus();
        Repaint();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TLbButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (MouseCapture()) SetMouseCapture(false);
    if (bDown) Click();
    bDown = false;
    Repaint();
    TCustomControl::MouseUp(button, shift, x, y);
}

void TLbButton::MouseEnter()
{
    if (!CanReact()) return;
    bCursorOnButton = true;
    // Back over the button: the hot colour is whole again and no fade runs under it.
    StopFade();
    FHotTrackStep = HotTrackSteps;
    Repaint();
    if (OnMouseEnter) OnMouseEnter(this);
}

void TLbButton::MouseLeave()
{
    bCursorOnButton = false;
    if (FSlowDecease) {
        StartFade();
    } else {
        FHotTrackStep = 0;
        Repaint();
    }
    if (CanReact() && OnMouseExit) OnMouseExit(this);
}

// ---- keys ----

void TLbButton::KeyDown(WORD& key, TShiftState shift)
{
    if ((key == VK_RETURN || key == VK_SPACE) && Enabled()) {
        bDown = true;
        Repaint();
    }
    TCustomControl::KeyDown(key, shift);
}

void TLbButton::KeyUp(WORD& key, TShiftState shift)
{
    // Only a key pressed on this button releases into a click: the release of a key
    // whose press went elsewhere (say, the Enter that closed the window before) does not.
    if ((key == VK_RETURN || key == VK_SPACE) && bDown) {
        Click();
        Repaint();
    }
    TCustomControl::KeyUp(key, shift);
}

void TLbButton::DialogKey(TMessage& msg)
{
    const WORD key = WORD(msg.WParam);
    const bool mine = (key == VK_RETURN && FDefault) || (key == VK_ESCAPE && FCancel);
    if (!mine) return;
    const TShiftState shift = KeyDataToShiftState(msg.LParam);
    if (shift.Contains(ssShift) || shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return;
    if (!Visible() || !Enabled()) return;
    TForm* form = dynamic_cast<TForm*>(Owner());
    if (!form) form = GetParentForm(this);
    if (form) {
        if (TWinControl* focused = form->ActiveControl()) {
            const String cls = UpperCase(focused->ClassName());
            // A focused push button takes the key itself.
            if (Pos("BUTTON", cls) > 0 && Pos("RADIOBUTTON", cls) == 0) return;
        }
    }
    bDown = true;
    Click();
    msg.Result = 1;
}

void TLbButton::DialogChar(TMessage& msg)
{
    if (IsAccel(WideChar(msg.WParam), Caption()) && CanReact()) {
        bDown = true;
        Click();
        msg.Result = 1;
    }
}

// ---- messages ----

void TLbButton::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_TIMER:
        if (msg.WParam == FadeTimerId) {
            FadeStep();
            return;
        }
        break;
    case CM_DIALOGKEY:
        DialogKey(msg);
        if (msg.Result) return;
        break;
    case CM_DIALOGCHAR:
        DialogChar(msg);
        if (msg.Result) return;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_FOCUSCHANGED:
        TCustomControl::WndProc(msg);
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(msg);
}

// ---- fade ----

void TLbButton::StartFade()
{
    if (FFading) return;
    SetTimer(Handle(), FadeTimerId, FadeInterval);
    FFading = true;
}

void TLbButton::StopFade()
{
    if (!FFading) return;
    KillTimer(Handle(), FadeTimerId);
    FFading = false;
}

void TLbButton::FadeStep()
{
    if (FBeingDestroyed || Destroying()) return;
    --FHotTrackStep;
    if (FHotTrackStep <= 0) {
        StopFade();
        FHotTrackStep = 0;
    }
    Repaint();
}
