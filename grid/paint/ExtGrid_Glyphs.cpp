// The look of the controls inside cells: the control-look settings, the check box and
// radio group painters, and the program's own check box and radio button pictures in
// the Windows XP and WYX looks and the flat "metro" look.
#include <algorithm>
#include <cmath>
#include <mutex>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridDrawUtils.h"

// ---------------------------------------------------------------- glyph pictures

namespace {

constexpr TColor kTransparent = clFuchsia;

struct TBoxLook {
    TColor Border, FillFrom, FillTo, Mark;
};
// XP: blue frame, a light gradient inside, a green tick; WYX: a softer blue frame and
// a dark tick; disabled variants in greys.
constexpr TBoxLook kXPOn{0x80511C, 0xD7DCDC, 0xFFFFFF, 0x21A121};
constexpr TBoxLook kXPOff{0xBBC8CA, 0xFFFFFF, 0xFFFFFF, 0xBBC8CA};
constexpr TBoxLook kWYXOn{0xB5835A, 0xF3EFEA, 0xFFFFFF, 0x000000};
constexpr TBoxLook kWYXOff{0xC0C0C0, 0xF0F0F0, 0xF0F0F0, 0xA0A0A0};
constexpr TBoxLook kMetro{0x808080, 0xFFFFFF, 0xFFFFFF, 0x333333};

void Tick(TCanvas* c, int x, int y, TColor color)
{
    c->Pen()->SetColor(color);
    c->Pen()->SetWidth(1);
    // A tick three pixels thick: down-right from the left, then up to the right.
    for (int d = 0; d < 3; ++d) {
        c->MoveTo(x + 3, y + 5 + d);
        c->LineTo(x + 5, y + 7 + d);
        c->LineTo(x + 10, y + 2 + d);
    }
}

std::unique_ptr<TBitmap> MakeCheckGlyph(const TBoxLook& look, bool checked)
{
    auto b = std::make_unique<TBitmap>(15, 15);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(kTransparent);
    c->FillRect(TRect(0, 0, 15, 15));
    DrawGradient(c, look.FillFrom, look.FillTo, 13, TRect(1, 1, 14, 14), false);
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(look.Border);
    c->Rectangle(1, 1, 14, 14);
    c->Brush()->SetStyle(bsSolid);
    if (checked) Tick(c, 1, 1, look.Mark);
    return b;
}

std::unique_ptr<TBitmap> MakeRadioGlyph(const TBoxLook& look, bool on)
{
    auto b = std::make_unique<TBitmap>(16, 16);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(kTransparent);
    c->FillRect(TRect(0, 0, 16, 16));
    c->Brush()->SetColor(look.FillTo);
    c->Pen()->SetColor(look.Border);
    c->Ellipse(2, 2, 15, 15);
    if (on) {
        c->Brush()->SetColor(look.Mark);
        c->Pen()->SetColor(look.Mark);
        c->Ellipse(5, 5, 12, 12);
    }
    return b;
}

void RegisterGlyphs()
{
    const auto reg = [](const char* name, std::unique_ptr<TBitmap> b) { RegisterResourceGlyph(name, b.get()); };
    reg("ASGCHK01", MakeCheckGlyph(kWYXOn, true));
    reg("ASGCHK02", MakeCheckGlyph(kWYXOn, false));
    reg("ASGCHK03", MakeCheckGlyph(kWYXOff, true));
    reg("ASGCHK04", MakeCheckGlyph(kWYXOff, false));
    reg("ASGCHK05", MakeCheckGlyph(kXPOn, true));
    reg("ASGCHK06", MakeCheckGlyph(kXPOn, false));
    reg("ASGCHK07", MakeCheckGlyph(kXPOff, true));
    reg("ASGCHK08", MakeCheckGlyph(kXPOff, false));
    reg("ASGRAD01", MakeRadioGlyph(kWYXOn, true));
    reg("ASGRAD02", MakeRadioGlyph(kWYXOn, false));
    reg("ASGRAD03", MakeRadioGlyph(kWYXOff, true));
    reg("ASGRAD04", MakeRadioGlyph(kWYXOff, false));
    reg("ASGRAD05", MakeRadioGlyph(kXPOn, true));
    reg("ASGRAD06", MakeRadioGlyph(kXPOn, false));
    reg("ASGRAD07", MakeRadioGlyph(kXPOff, true));
    reg("ASGRAD08", MakeRadioGlyph(kXPOff, false));
    reg("metrocheckon", MakeCheckGlyph(kMetro, true));
    reg("metrocheckoff", MakeCheckGlyph(kMetro, false));
    reg("metroradioon", MakeRadioGlyph(kMetro, true));
    reg("metroradiooff", MakeRadioGlyph(kMetro, false));
}

}  // namespace

void EnsureGridGlyphs()
{
    static std::once_flag once;
    std::call_once(once, RegisterGlyphs);
}

// ---------------------------------------------------------------- control look

void TControlLook::Repaint()
{
    if (FOwner) FOwner->Invalidate();
}

void TControlLook::SetCheckedGlyph(const TBitmap* v)
{
    FCheckedGlyph->Assign(v);
    Repaint();
}

void TControlLook::SetUnCheckedGlyph(const TBitmap* v)
{
    FUnCheckedGlyph->Assign(v);
    Repaint();
}

void TControlLook::SetRadioOnGlyph(const TBitmap* v)
{
    FRadioOnGlyph->Assign(v);
    Repaint();
}

void TControlLook::SetRadioOffGlyph(const TBitmap* v)
{
    FRadioOffGlyph->Assign(v);
    Repaint();
}

void TControlLook::SetFixedGradientFrom(TColor Value)
{
    FixedGradientFrom = Value;
    if (Value != clNone && FOwner) FOwner->SetWYXGradientFrom(Value);
    Repaint();
}

void TControlLook::SetFixedGradientTo(TColor Value)
{
    FixedGradientTo = Value;
    if (Value != clNone && FOwner) FOwner->SetWYXGradientTo(Value);
    Repaint();
}

void TControlLook::SetFixedGradientMirrorFrom(TColor Value)
{
    FixedGradientMirrorFrom = Value;
    if (FOwner) FOwner->SetWYXGradientMirrorFrom(Value);
    Repaint();
}

void TControlLook::SetFixedGradientMirrorTo(TColor Value)
{
    FixedGradientMirrorTo = Value;
    if (FOwner) FOwner->SetWYXGradientMirrorTo(Value);
    Repaint();
}

void TControlLook::SetFixedGradientHoverFrom(TColor Value)
{
    FixedGradientHoverFrom = Value;
    if (Value != clNone && FOwner) FOwner->FWYXGradHoverFrom = Value;
    Repaint();
}

void TControlLook::SetFixedGradientHoverTo(TColor Value)
{
    FixedGradientHoverTo = Value;
    if (Value != clNone && FOwner) FOwner->FWYXGradHoverTo = Value;
    Repaint();
}

void TControlLook::SetFixedGradientHoverMirrorFrom(TColor Value)
{
    FixedGradientHoverMirrorFrom = Value;
    if (FOwner) FOwner->FWYXGradHoverMirrorFrom = Value;
    Repaint();
}

void TControlLook::SetFixedGradientHoverMirrorTo(TColor Value)
{
    FixedGradientHoverMirrorTo = Value;
    if (FOwner) FOwner->FWYXGradHoverMirrorTo = Value;
    Repaint();
}

void TControlLook::SetFixedGradientHoverBorder(TColor Value)
{
    FixedGradientHoverBorder = Value;
    if (Value != clNone && FOwner) FOwner->FWYXGradHoverBorder = Value;
    Repaint();
}

void TControlLook::SetFixedGradientDownFrom(TColor Value)
{
    FixedGradientDownFrom = Value;
    if (Value != clNone && FOwner) FOwner->FWYXGradDownFrom = Value;
    Repaint();
}

void TControlLook::SetFixedGradientDownTo(TColor Value)
{
    FixedGradientDownTo = Value;
    if (Value != clNone && FOwner) FOwner->FWYXGradDownTo = Value;
    Repaint();
}

void TControlLook::SetFixedGradientDownMirrorFrom(TColor Value)
{
    FixedGradientDownMirrorFrom = Value;
    if (FOwner) FOwner->FWYXGradDownMirrorFrom = Value;
    Repaint();
}

void TControlLook::SetFixedGradientDownMirrorTo(TColor Value)
{
    FixedGradientDownMirrorTo = Value;
    if (FOwner) FOwner->FWYXGradDownMirrorTo = Value;
    Repaint();
}

void TControlLook::SetFixedGradientDownBorder(TColor Value)
{
    FixedGradientDownBorder = Value;
    if (Value != clNone && FOwner) FOwner->FWYXGradDownBorder = Value;
    Repaint();
}

void TControlLook::Init()
{
    Color = clBlack;
    CommentColor = clRed;
    ProgressBorderColor = clGray;
    FixedGradientFrom = clNone;
    FixedGradientTo = clNone;
    FixedGradientMirrorFrom = clNone;
    FixedGradientMirrorTo = clNone;
    FixedGradientHoverFrom = clGray;
    FixedGradientHoverTo = clWhite;
    SetFixedGradientHoverMirrorFrom(clNone);
    SetFixedGradientHoverMirrorTo(clNone);
    FixedGradientHoverBorder = clSilver;
    FixedGradientDownFrom = clGray;
    FixedGradientDownTo = clSilver;
    SetFixedGradientDownMirrorFrom(clNone);
    SetFixedGradientDownMirrorTo(clNone);
    FixedGradientDownBorder = clGray;
}

void TControlLook::Assign(const TObject* Source)
{
    auto* s = dynamic_cast<const TControlLook*>(Source);
    if (!s || s == this) return;
    CheckSize = s->CheckSize;
    RadioSize = s->RadioSize;
    ControlStyle = s->ControlStyle;
    FCheckedGlyph->Assign(s->FCheckedGlyph.get());
    FUnCheckedGlyph->Assign(s->FUnCheckedGlyph.get());
    FRadioOnGlyph->Assign(s->FRadioOnGlyph.get());
    FRadioOffGlyph->Assign(s->FRadioOffGlyph.get());
    ProgressMarginX = s->ProgressMarginX;
    ProgressMarginY = s->ProgressMarginY;
    CommentColor = s->CommentColor;
    Color = s->Color;
    ProgressBorderColor = s->ProgressBorderColor;
    CheckAlwaysActive = s->CheckAlwaysActive;
    RadioAlwaysActive = s->RadioAlwaysActive;
    FixedGradientFrom = s->FixedGradientFrom;
    FixedGradientTo = s->FixedGradientTo;
    FixedGradientMirrorFrom = s->FixedGradientMirrorFrom;
    FixedGradientMirrorTo = s->FixedGradientMirrorTo;
    FixedGradientHoverFrom = s->FixedGradientHoverFrom;
    FixedGradientHoverTo = s->FixedGradientHoverTo;
    FixedGradientHoverMirrorFrom = s->FixedGradientHoverMirrorFrom;
    FixedGradientHoverMirrorTo = s->FixedGradientHoverMirrorTo;
    FixedGradientHoverBorder = s->FixedGradientHoverBorder;
    FixedGradientDownFrom = s->FixedGradientDownFrom;
    FixedGradientDownTo = s->FixedGradientDownTo;
    FixedGradientDownMirrorFrom = s->FixedGradientDownMirrorFrom;
    FixedGradientDownMirrorTo = s->FixedGradientDownMirrorTo;
    FixedGradientDownBorder = s->FixedGradientDownBorder;
    DropDownAlwaysVisible = s->DropDownAlwaysVisible;
    SpinButtonsAlwaysVisible = s->SpinButtonsAlwaysVisible;
    DropDownCount = s->DropDownCount;
    HintMaxWidth = s->HintMaxWidth;
}

// ---------------------------------------------------------------- check box

void TExtStringGrid::DrawCheck(TCanvas* ACanvas, TRect R, bool Checked, TCheckBoxState State, bool UseState,
                               TControlStyle Style, bool Grayed, bool Enabled)
{
    EnsureGridGlyphs();
    const TControlLook& look = *FControlLook;
    if (look.NoDisabledCheckRadioLook || look.CheckAlwaysActive) Enabled = true;
    if (Style == csTheme && !(FIsWinXP && IsComCtl6())) Style = csClassic;
    if (UseState) {
        Checked = State == cbChecked;
        Grayed = State == cbGrayed;
    }
    const TColor bk = ACanvas->Brush()->Color();
    const int k = look.CheckSize;
    switch (Style) {
    case csWinXP:
        DrawResourceGlyph(ACanvas, bk, R, Checked ? (Enabled ? "ASGCHK05" : "ASGCHK07") : (Enabled ? "ASGCHK06" : "ASGCHK08"));
        return;
    case csWYX:
        DrawResourceGlyph(ACanvas, bk, R, Checked ? (Enabled ? "ASGCHK01" : "ASGCHK03") : (Enabled ? "ASGCHK02" : "ASGCHK04"));
        return;
    case csGlyph: {
        const TBitmap* g = Checked ? look.CheckedGlyph() : look.UnCheckedGlyph();
        if (g && !g->Empty()) DrawTransparentBitmap(ACanvas, g, bk, R);
        return;
    }
    case csRetro: {
        const int saved = ACanvas->SaveState();
        const TRect b = Bounds(R.Left, R.Top, k, k);
        ACanvas->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
        ACanvas->Pen()->SetColor(clBtnFace);
        ACanvas->Rectangle(b);
        ACanvas->Pen()->SetColor(clBtnHighlight);
        ACanvas->MoveTo(b.Left, b.Bottom - 1);
        ACanvas->LineTo(b.Left, b.Top);
        ACanvas->LineTo(b.Right - 1, b.Top);
        ACanvas->Pen()->SetColor(clBtnShadow);
        ACanvas->LineTo(b.Right - 1, b.Bottom - 1);
        ACanvas->LineTo(b.Left, b.Bottom - 1);
        if (Checked) {
            ACanvas->Pen()->SetColor(Enabled ? look.Color : clGray);
            ACanvas->Pen()->SetWidth(1);
            const int h = k / 2, top = b.Top - 1, bottom = b.Bottom - 1;
            ACanvas->MoveTo(b.Left + 2, top + h + 1);
            ACanvas->LineTo(b.Left + 2, bottom - 1);
            ACanvas->MoveTo(b.Left + 3, top + h);
            ACanvas->LineTo(b.Left + 3, bottom - 2);
            ACanvas->MoveTo(b.Left + 2, bottom - 1);
            ACanvas->LineTo(b.Right - 2, top + 3);
            ACanvas->MoveTo(b.Left + 3, bottom - 1);
            ACanvas->LineTo(b.Right - 1, top + 3);
        }
        ACanvas->RestoreState(saved);
        return;
    }
    case csTheme: {
        int state = Grayed ? (Enabled ? CBS_MIXEDNORMAL : CBS_MIXEDDISABLED)
                           : Checked ? (Enabled ? CBS_CHECKEDNORMAL : CBS_CHECKEDDISABLED)
                                     : (Enabled ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDDISABLED);
        if (DrawThemedPart(Handle(), ACanvas, VSCLASS_BUTTON, BP_CHECKBOX, state, Bounds(R.Left, R.Top, k, k))) return;
        [[fallthrough]];
    }
    case csClassic:
    case csFlat:
    default: {
        const TRect b = Bounds(R.Left + (R.Width() - k) / 2, R.Top + (R.Height() - k) / 2, k, k);
        unsigned flags = DFCS_BUTTONCHECK;
        if (Checked) flags |= DFCS_CHECKED;
        if (Grayed) flags |= DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (Style == csFlat) flags |= DFCS_FLAT;
        if (!Enabled) flags |= DFCS_INACTIVE;
        DrawFrameControl(ACanvas, b, DFC_BUTTON, flags);
        return;
    }
    }
}

// ---------------------------------------------------------------- radio group

void TExtStringGrid::DrawRadioGroup(TCanvas* ACanvas, TRect R, bool Upward, double Scale, TControlStyle Style,
                                    int ARow, int ACol, bool Selected, const TStringList* Items, bool Disabled,
                                    bool Horizontal, int SelIndex, int Count)
{
    EnsureGridGlyphs();
    const TControlLook& look = *FControlLook;
    if (look.NoDisabledCheckRadioLook || look.RadioAlwaysActive) Disabled = false;
    if (Count <= 0) return;
    const int saved = ACanvas->SaveState();
    ACanvas->Brush()->SetStyle(bsClear);
    if (Style == csTheme && !FIsWinXP) Style = csClassic;
    const String cellText = GetCellEx(ACol, ARow);
    const int th = ACanvas->TextHeight("gh");
    const TColor bk = ACanvas->Brush()->Color();
    int p = 0;
    for (int i = 1; i <= Count; ++i) {
        const bool hasCaption = Items && i - 1 < Items->Count();
        const String caption = hasCaption ? Items->Strings(i - 1) : String();
        if (hasCaption && Selected && ShowSelection) ACanvas->Font()->SetColor(SelectionTextColor);
        const bool on = i == SelIndex + 1 || (SelIndex == -1 && hasCaption && caption == cellText);
        if (Style == csClassic || Style == csFlat) {
            const int size = int(std::lround(Scale * look.RadioSize)) + (look.ControlStyle == csFlat ? 2 : 0);
            int x, y;
            int cx, cy;
            if (Horizontal) {
                x = (i - 1) * look.RadioSize + p + R.Left + 2;
                y = R.Top + (R.Height() - size) / 2;
                cx = x + int(std::lround(Scale * look.RadioSize));
                cy = y - 2;
            } else {
                const int step = Upward ? -th : th;
                if (hasCaption) {
                    x = R.Left + 2;
                    y = R.Top + step * (i - 1) + 2;
                } else {
                    x = R.Left + (R.Width() - size) / 2;
                    y = R.Top + step * (i - 1) + 2;
                }
                cx = x + int(std::lround(Scale * (look.RadioSize + 4)));
                cy = y - 2;
            }
            unsigned flags = DFCS_BUTTONRADIO;
            if (look.ControlStyle == csFlat) flags |= DFCS_FLAT;
            if (Disabled) flags |= DFCS_INACTIVE;
            if (on) flags |= DFCS_CHECKED;
            DrawFrameControl(ACanvas, Bounds(x, y, size, size), DFC_BUTTON, flags);
            if (hasCaption) ACanvas->TextOut(cx, cy, caption);
            if (Horizontal && hasCaption) p += ACanvas->TextWidth(caption);
            continue;
        }
        // 16-pixel glyphs.
        int x, y, cx;
        if (Horizontal) {
            x = p + R.Left + 16 * i - 14;
            y = R.Top + (R.Height() - 16) / 2;
            cx = x + 16;
        } else {
            const int h = std::max(16, th);
            const int step = Upward ? -h : h;
            x = hasCaption ? R.Left + 2 : R.Left + (R.Width() - 16) / 2;
            y = R.Top + step * (i - 1) + 2;
            cx = R.Left + (Style == csRetro || Style == csTheme ? 20 : 18);
        }
        switch (Style) {
        case csRetro: {
            const std::vector<TPoint> diamond{{x + 2, y + 8}, {x + 8, y + 2}, {x + 14, y + 8}, {x + 8, y + 14}};
            ACanvas->Brush()->SetStyle(bsSolid);
            ACanvas->Brush()->SetColor(clBtnFace);
            ACanvas->Pen()->SetColor(clBtnFace);
            ACanvas->Polygon(diamond);
            ACanvas->Pen()->SetColor(on ? clGray : clWhite);
            ACanvas->MoveTo(x + 2, y + 8);
            ACanvas->LineTo(x + 8, y + 2);
            ACanvas->LineTo(x + 14, y + 8);
            ACanvas->Pen()->SetColor(on ? clWhite : clGray);
            ACanvas->LineTo(x + 8, y + 14);
            ACanvas->LineTo(x + 2, y + 8);
            if (on) {
                ACanvas->Brush()->SetColor(look.Color);
                ACanvas->Pen()->SetColor(look.Color);
                ACanvas->Polygon({{x + 6, y + 8}, {x + 8, y + 6}, {x + 10, y + 8}, {x + 8, y + 10}});
            }
            ACanvas->Brush()->SetStyle(bsClear);
            break;
        }
        case csTheme: {
            const int state = on ? (Disabled ? RBS_CHECKEDDISABLED : RBS_CHECKEDNORMAL)
                                 : (Disabled ? RBS_UNCHECKEDDISABLED : RBS_UNCHECKEDNORMAL);
            if (!DrawThemedPart(Handle(), ACanvas, VSCLASS_BUTTON, BP_RADIOBUTTON, state, Bounds(x, y, 16, 16))) {
                unsigned flags = DFCS_BUTTONRADIO | (on ? DFCS_CHECKED : 0u) | (Disabled ? DFCS_INACTIVE : 0u);
                DrawFrameControl(ACanvas, Bounds(x + 2, y + 2, 12, 12), DFC_BUTTON, flags);
            }
            break;
        }
        case csWinXP:
            DrawResourceGlyph(ACanvas, bk, Bounds(x, y, 16, 16),
                              on ? (Disabled ? "ASGRAD07" : "ASGRAD05") : (Disabled ? "ASGRAD08" : "ASGRAD06"));
            break;
        case csWYX:
            DrawResourceGlyph(ACanvas, bk, Bounds(x, y, 16, 16),
                              on ? (Disabled ? "ASGRAD03" : "ASGRAD01") : (Disabled ? "ASGRAD04" : "ASGRAD02"));
            break;
        case csGlyph: {
            const TBitmap* g = on ? look.RadioOnGlyph() : look.RadioOffGlyph();
            if (g && !g->Empty()) DrawTransparentBitmap(ACanvas, g, bk, Bounds(x, y, g->Width(), g->Height()));
            break;
        }
        default:
            break;
        }
        if (hasCaption) {
            ACanvas->TextOut(cx, Horizontal ? y : y, caption);
            if (Horizontal) p += ACanvas->TextWidth(caption);
        }
    }
    ACanvas->RestoreState(saved);
}
