// TLbButton: painting. The whole face is drawn into an off-screen bitmap and copied in
// one operation, so the button does not flicker on hover and press.
#include <algorithm>
#include <cmath>

#include "shell/LbButton.h"

namespace {

// Colour that marks the corners the parent shows through.
constexpr TColor kMagenta = 16711935;
constexpr TColor kDisabledText = 8421504;

// step/8 of the way from a to b, per channel, rounded half to even.
TColor BlendColor(TColor a, TColor b, int step)
{
    const double t = step / 8.0;
    auto mix = [t](int x, int y) { return int(std::nearbyint((1.0 - t) * x + t * y)); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

// A vertical gradient of 32 bands from colour `from` at y1 to `to` at y2, between x1 and x2.
void Gradient(TCanvas* c, int x1, int x2, int y1, int y2, TColor from, TColor to)
{
    const int h = y2 - y1;
    if (h <= 0 || x2 <= x1) return;
    const int r0 = GetRValue(from), g0 = GetGValue(from), b0 = GetBValue(from);
    const int dr = GetRValue(to) - r0, dg = GetGValue(to) - g0, db = GetBValue(to) - b0;
    c->Brush()->SetStyle(bsSolid);
    for (int i = 0; i < 32; ++i) {
        c->Brush()->SetColor(RGB(r0 + dr * i / 31, g0 + dg * i / 31, b0 + db * i / 31));
        // Each band a little over 1/31 of the height, so the bands leave no gap.
        const int top = y1 + i * h / 32;
        const int bottom = std::min(y2, top + h / 31 + 1);
        if (bottom > top) c->FillRect(Rect(x1, top, x2, bottom));
    }
}

void Line(TCanvas* c, TColor color, int x1, int y1, int x2, int y2)
{
    c->Pen()->SetColor(color);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
}

// Copies picture `index` (of width w) of the strip to (x, y), its lower-left colour transparent.
void DrawPicture(TCanvas* c, TBitmap* strip, int index, int w, int x, int y)
{
    const int h = strip->Height();
    if (w <= 0 || h <= 0) return;
    TBitmap part(w, h);
    part.Canvas()->CopyRect(Rect(0, 0, w, h), strip->Canvas(), Rect(index * w, 0, index * w + w, h));
    part.SetTransparentColor(strip->Canvas()->Pixels(0, h - 1));
    part.SetTransparent(true);
    c->Draw(x, y, &part);
}

// Removes the last character (a whole UTF-8 sequence) of s.
void DropLastChar(String& s)
{
    while (!s.empty()) {
        const unsigned char ch = static_cast<unsigned char>(s.back());
        s.pop_back();
        if ((ch & 0xC0) != 0x80) break;
    }
}

}   // namespace

void TLbButton::Paint()
{
    if (!Visible() || FBeingDestroyed || Destroying()) return;
    const int W = Width(), H = Height();
    if (W <= 0 || H <= 0) return;

    TBitmap bmp(W, H);
    TCanvas* c = bmp.Canvas();
    const bool corners = FStyle == bsModern || FStyle == bsShape || FStyle == bsQuicken;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(corners ? kMagenta : ColorToRGB(Color()));
    c->FillRect(Rect(0, 0, W, H));
    c->SetFont(IsHot() && FUseHTFont ? FHTFont.get() : Font());
    // A caption drawn straight on the key colour keeps hard edges: smoothed ones would
    // blend with it and leave a magenta fringe once the key colour turns transparent.
    if (FStyle == bsShape) c->Font()->SetQuality(fqNonAntialiased);

    const bool focused = Focused();
    if (FStyle == bsOld && focused) {
        const bool held = bDown && Enabled();
        DrawButtonFace(c, Rect(1, 1, W - 1, H - 1), held ? FShadowColor : FLightColor);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBlack);
        c->FrameRect(Rect(0, 0, W, H));
    } else {
        DrawButtonFace(c, Rect(0, 0, W, H), FLightColor);
    }

    if (corners) {
        bmp.SetTransparentColor(kMagenta);
        bmp.SetTransparent(true);
    }
    Canvas()->Draw(0, 0, &bmp);
    if (focused && Enabled() && FStyle != bsShape) Canvas()->DrawFocusRect(Rect(4, 4, W - 4, H - 4));
}

void TLbButton::DrawButtonFace(TCanvas* c, const TRect& face, TColor light)
{
    const int X = face.Left, Y = face.Top, W = face.Width(), H = face.Height();
    const bool enabled = Enabled();
    const bool held = bDown && enabled;   // disabled counts as not held
    const bool hot = IsHot();
    const int shift = held && FStyle != bsEncarta ? 1 : 0;

    TColor faceColor = ColorToRGB(Color());
    if (enabled && FHotTrackColor != clNone)
        faceColor = BlendColor(faceColor, ColorToRGB(FHotTrackColor), FHotTrackStep);
    if (held && FColorWhenDown != clNone) faceColor = ColorToRGB(FColorWhenDown);
    const TColor lightColor = ColorToRGB(light);
    const TColor shadowColor = ColorToRGB(FShadowColor);

    // ---- background ----
    c->Brush()->SetStyle(bsSolid);
    c->Pen()->SetStyle(psSolid);
    switch (FStyle) {
    case bsShape:
        c->Brush()->SetColor(kMagenta);
        c->FillRect(face);
        break;
    case bsNormal:
    case bsEncarta:
    case bsOld:
        c->Brush()->SetColor(faceColor);
        c->FillRect(face);
        break;
    case bsModern: {
        const int mid = Y + H / 4 + shift;
        Gradient(c, X + 2, X + W - 2, Y + 2, mid, lightColor, faceColor);
        Gradient(c, X + 2, X + W - 2, mid, Y + H - 1, faceColor, lightColor);
        break;
    }
    case bsQuicken:
        break;   // drawn with its frame
    }

    // ---- frame ----
    const bool framed = enabled ? (!FFlat || hot || held) : !FFlat;
    switch (FStyle) {
    case bsNormal:
    case bsEncarta:
        if (framed) {
            const TColor tl = held ? shadowColor : lightColor;
            const TColor br = held ? lightColor : shadowColor;
            Line(c, tl, X, Y + H - 1, X, Y);
            Line(c, tl, X, Y, X + W - 1, Y);
            Line(c, br, X + W - 1, Y, X + W - 1, Y + H - 1);
            Line(c, br, X + W - 1, Y + H - 1, X, Y + H - 1);
        }
        break;
    case bsOld:
        if (framed) {
            const TColor dark = ColorToRGB(cl3DDkShadow);
            const TColor tl = held ? dark : lightColor;
            const TColor br = held ? lightColor : dark;
            Line(c, tl, X, Y + H - 1, X, Y);
            Line(c, tl, X, Y, X + W - 1, Y);
            Line(c, br, X + W - 1, Y, X + W - 1, Y + H - 1);
            Line(c, br, X + W - 1, Y + H - 1, X, Y + H - 1);
            if (held) {
                Line(c, shadowColor, X + 1, Y + H - 2, X + 1, Y + 1);
                Line(c, shadowColor, X + 1, Y + 1, X + W - 1, Y + 1);
            } else {
                Line(c, shadowColor, X + W - 2, Y + 1, X + W - 2, Y + H - 2);
                Line(c, shadowColor, X + W - 2, Y + H - 2, X, Y + H - 2);
            }
        }
        break;
    case bsModern:
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(held ? shadowColor : faceColor);
        c->Rectangle(X + 1, Y + 1, X + W - 1, Y + H - 1);
        c->Pen()->SetColor(shadowColor);
        c->RoundRect(X, Y, X + W, Y + H, 6, 6);
        break;
    case bsQuicken:
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(faceColor);
        c->Pen()->SetStyle(psClear);
        c->RoundRect(X, Y + 1, X + W, Y + H, 4, 4);
        c->Pen()->SetStyle(psSolid);
        Line(c, shadowColor, X + 4, Y, X + W - 5, Y);
        Line(c, shadowColor, X + 4, Y + H - 1, X + W - 5, Y + H - 1);
        break;
    case bsShape:
        break;
    }

    if (FStyle == bsEncarta && held) {
        TFontStyles st = c->Font()->Style();
        c->Font()->SetStyle(st << fsBold);
    }

    // ---- picture: which one of the strip ----
    const int stripW = FGlyph->Empty() ? 0 : FGlyph->Width();
    const int gw = FNumGlyphs > 0 ? stripW / FNumGlyphs : 0;
    const int gh = FGlyph->Empty() ? 0 : FGlyph->Height();
    int index = 0;
    if (hot && FNumGlyphs > 3) index = 3;
    if (held && FNumGlyphs > 2) index = 2;
    if (!enabled) index = FNumGlyphs > 1 ? 1 : -1;

    // ---- caption: format, room, cut ----
    unsigned format = DT_WORDBREAK;
    format |= FAlignment == taLeftJustify ? DT_LEFT : FAlignment == taRightJustify ? DT_RIGHT : DT_CENTER;
    int room;
    if (FStyle == bsShape || FLayout == blGlyphTop || FLayout == blGlyphBottom)
        room = W - 8;
    else
        room = gw > 0 ? W - gw - 12 : W - 8;
    room = std::max(room, 0);

    String caption = Caption();
    if (!FWordWrap)
        while (!caption.empty() && c->TextWidth(caption) > room) DropLastChar(caption);
    int th = 0;
    if (!caption.empty()) {
        TRect calc = Rect(0, 0, room, 0);
        c->DrawText(caption, calc, format | DT_CALCRECT);
        th = calc.Height();
    }
    const int tw = caption.empty() ? 0 : c->TextWidth(caption) + 4;

    // ---- places ----
    int capLeft = 4, capTop = 0, capRight = 0, picLeft = 4, picTop = 0;
    if (FStyle == bsShape) {
        picLeft = (W - gw) / 2;
        picTop = (H - gh) / 2;
        capLeft = 0;
        capRight = W;
        capTop = (H - th) / 2;
        format = (format & ~(DT_LEFT | DT_RIGHT)) | DT_CENTER;
    } else if (FLayout == blGlyphTop || FLayout == blGlyphBottom) {
        const int block = gh > 0 ? gh + th + 4 : th;
        if (FLayout == blGlyphTop) {
            picTop = (H - block) / 2;
            capTop = picTop + gh;
        } else {
            capTop = (H - block) / 2;
            picTop = capTop + th;
        }
        picLeft = FAlignment == taLeftJustify ? 4 : FAlignment == taRightJustify ? W - gw - 4 : (W - gw) / 2;
        capRight = capLeft + room;
    } else {
        capTop = (H - th) / 2;
        picTop = (H - gh) / 2;
        if (FLayout == blGlyphLeft) {
            if (gw > 0) capLeft += gw + 4;
            picLeft = 4;
            if (!FWordWrap)
                picLeft = FAlignment == taLeftJustify ? 4
                        : FAlignment == taRightJustify ? W - gw - tw - 4
                                                       : (W - gw) / 2 - tw / 2;
        } else {
            picLeft = 4 + tw;
            if (!FWordWrap)
                picLeft = FAlignment == taLeftJustify ? 4 + tw
                        : FAlignment == taRightJustify ? W - gw - 4
                                                       : (W - gw) / 2 + tw / 2;
        }
        capRight = capLeft + room;
    }

    if (index >= 0 && gw > 0 && gh > 0)
        DrawPicture(c, FGlyph.get(), index, gw, X + picLeft + shift, Y + picTop + shift);

    if (!caption.empty()) {
        c->Brush()->SetStyle(bsClear);
        if (!enabled && FStyle != bsShape) c->Font()->SetColor(kDisabledText);
        TRect r = Rect(X + capLeft + shift, Y + capTop + shift, X + capRight + shift, Y + capTop + th + shift);
        c->DrawText(caption, r, format);
    }

    if (PopupMenu()) {
        auto arrow = LbButtonResource("LBARROW");
        arrow->SetTransparentColor(arrow->Canvas()->Pixels(0, arrow->Height() - 1));
        arrow->SetTransparent(true);
        c->Draw(X + W - 11, Y + H / 2 - 1, arrow.get());
    }
}
