#include "platform/gui/Buttons.h"

#include <algorithm>

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetGlyph(const TBitmap* Value)
{
    if (Value) FGlyph->Assign(Value);
    else FGlyph->SetSize(0, 0);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value)
{
    FNumGlyphs = std::clamp(Value, 1, 4);
    Invalidate();
}

void TSpeedButton::SetFlat(bool Value)
{
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::EnabledChanged()
{
    FState = Enabled() ? bsUp : bsDisabled;
    TGraphicControl::EnabledChanged();
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled()) return;
    FState = bsDown;
    FDragging = true;
    Invalidate();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (!FDragging) return;
    const TButtonState s = ClientRect().Contains(TPoint(x, y)) ? bsDown : bsUp;
    if (s != FState) {
        FState = s;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !FDragging) return;
    FDragging = false;
    FState = Enabled() ? bsUp : bsDisabled;
    Invalidate();
}

void TSpeedButton::MouseEnter()
{
    TGraphicControl::MouseEnter();
    if (FFlat) Invalidate();
}

void TSpeedButton::MouseLeave()
{
    TGraphicControl::MouseLeave();
    if (FFlat) Invalidate();
}

void TSpeedButton::DrawGlyph(TCanvas* c, int x, int y)
{
    if (FGlyph->Empty()) return;
    const int w = FGlyph->Width() / FNumGlyphs;
    int index = 0;
    if (FState == bsDisabled && FNumGlyphs > 1) index = 1;
    else if (FState == bsDown && FNumGlyphs > 2) index = 2;
    else if (FState == bsExclusive && FNumGlyphs > 3) index = 3;
    TBitmap part;
    part.SetSize(w, FGlyph->Height());
    const int h = FGlyph->Height();
    part.Canvas()->CopyRect(Rect(0, 0, w, h), FGlyph->Canvas(), Rect(index * w, 0, (index + 1) * w, h));
    part.SetTransparentColor(FGlyph->TransparentColor());
    part.SetTransparent(true);
    c->Draw(x, y, &part);
}

void TSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    const bool down = FState == bsDown || FState == bsExclusive;
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    if (!FFlat || down || FMouseInside) {
        c->Pen()->SetColor(down ? clBtnShadow : clBtnHighlight);
        c->MoveTo(r.Left, r.Bottom - 1);
        c->LineTo(r.Left, r.Top);
        c->LineTo(r.Right - 1, r.Top);
        c->Pen()->SetColor(down ? clBtnHighlight : cl3DDkShadow);
        c->LineTo(r.Right - 1, r.Bottom - 1);
        c->LineTo(r.Left - 1, r.Bottom - 1);
    }
    const int shiftBy = down ? 1 : 0;
    if (!FGlyph->Empty()) {
        const int w = FGlyph->Width() / FNumGlyphs, h = FGlyph->Height();
        DrawGlyph(c, (r.Width() - w) / 2 + shiftBy, (r.Height() - h) / 2 + shiftBy);
    }
    if (!Caption().empty()) {
        c->Font()->Assign(*Font());
        if (!Enabled()) c->Font()->SetColor(clGrayText);
        c->Brush()->SetStyle(bsClear);
        TRect t = r;
        OffsetRect(t, shiftBy, shiftBy);
        c->DrawText(Caption(), t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
