#include "platform/gui/Graphics.h"

#include <cmath>

void TGraphicsObject::Changed()
{
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- TFont

TFont::TFont() = default;

void TFont::Assign(const TFont& src)
{
    if (&src == this) return;
    FName = src.FName;
    FHeight = src.FHeight;
    FStyle = src.FStyle;
    FColor = src.FColor;
    FPitch = src.FPitch;
    FCharset = src.FCharset;
    FQuality = src.FQuality;
    FOrientation = src.FOrientation;
    Changed();
}

bool TFont::SameAs(const TFont& o) const
{
    return FName == o.FName && FHeight == o.FHeight && FStyle == o.FStyle && FColor == o.FColor && FPitch == o.FPitch &&
           FOrientation == o.FOrientation;
}

void TFont::SetName(const String& v)
{
    if (v == FName || v.empty()) return;
    FName = v;
    Changed();
}

int TFont::Size() const
{
    // Height = -Size * 96 / 72, rounded; Size back from it the same way.
    return int(std::lround(-FHeight * 72.0 / 96.0));
}

void TFont::SetSize(int points) { SetHeight(-int(std::lround(points * 96.0 / 72.0))); }

void TFont::SetHeight(int pixels)
{
    if (pixels == FHeight) return;
    FHeight = pixels;
    Changed();
}

void TFont::SetStyle(TFontStyles v)
{
    if (v == FStyle) return;
    FStyle = v;
    Changed();
}

void TFont::SetColor(TColor v)
{
    if (v == FColor) return;
    FColor = v;
    Changed();
}

void TFont::SetOrientation(int tenths)
{
    if (tenths == FOrientation) return;
    FOrientation = tenths;
    Changed();
}

void TFont::SetPitch(TFontPitch v)
{
    if (v == FPitch) return;
    FPitch = v;
    Changed();
}

// ---------------------------------------------------------------- TPen, TBrush

void TPen::Assign(const TPen& src)
{
    FColor = src.FColor;
    FWidth = src.FWidth;
    FStyle = src.FStyle;
    FMode = src.FMode;
    Changed();
}

void TPen::SetColor(TColor v)
{
    if (v == FColor) return;
    FColor = v;
    Changed();
}

void TPen::SetWidth(int v)
{
    if (v == FWidth) return;
    FWidth = v;
    Changed();
}

void TPen::SetStyle(TPenStyle v)
{
    if (v == FStyle) return;
    FStyle = v;
    Changed();
}

void TPen::SetMode(TPenMode v)
{
    if (v == FMode) return;
    FMode = v;
    Changed();
}

void TBrush::Assign(const TBrush& src)
{
    FColor = src.FColor;
    FStyle = src.FStyle;
    Changed();
}

void TBrush::SetColor(TColor v)
{
    // Choosing a colour for a hollow brush makes it solid, as the toolkit does.
    if (v == FColor && FStyle != bsClear) return;
    FColor = v;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle v)
{
    if (v == FStyle) return;
    FStyle = v;
    Changed();
}

// ---------------------------------------------------------------- TPicture

TPicture::TPicture() : FBitmap(std::make_unique<TBitmap>()) {}

TPicture::~TPicture() = default;

void TPicture::SetBitmap(const TBitmap* b)
{
    FBitmap->Assign(b);
    if (OnChange) OnChange(this);
}

void TPicture::Assign(const TPicture* p)
{
    if (p) FBitmap->Assign(p->FBitmap.get());
    else FBitmap->SetSize(0, 0);
    if (OnChange) OnChange(this);
}

void TPicture::LoadFromFile(const String& fileName)
{
    FBitmap->LoadFromFile(fileName);
    if (OnChange) OnChange(this);
}

void TPicture::SaveToFile(const String& fileName) const { FBitmap->SaveToFile(fileName); }

void TPicture::Clear()
{
    FBitmap->SetSize(0, 0);
    if (OnChange) OnChange(this);
}
