#include "platform/gui/ImgList.h"

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() = default;

void TImageList::SetWidth(int v)
{
    if (v == FWidth) return;
    FWidth = v;
    Clear();
}

void TImageList::SetHeight(int v)
{
    if (v == FHeight) return;
    FHeight = v;
    Clear();
}

int TImageList::Add(const TBitmap* image, const TBitmap*)
{
    if (!image || image->Empty()) return -1;
    const int first = Count();
    const int n = std::max(1, image->Width() / std::max(1, FWidth));
    auto* src = const_cast<TBitmap*>(image);
    for (int i = 0; i < n; ++i) {
        auto b = std::make_unique<TBitmap>(FWidth, FHeight);
        b->Canvas()->CopyRect(Rect(0, 0, FWidth, FHeight), src->Canvas(), Bounds(i * FWidth, 0, FWidth, FHeight));
        b->SetTransparent(image->Transparent());
        if (image->Transparent()) b->SetTransparentColor(image->TransparentColor());
        FImages.push_back(std::move(b));
    }
    if (OnChange) OnChange(this);
    return first;
}

int TImageList::AddMasked(const TBitmap* image, TColor maskColor)
{
    const int first = Add(image);
    if (first < 0) return first;
    for (int i = first; i < Count(); ++i) {
        FImages[size_t(i)]->SetTransparent(true);
        FImages[size_t(i)]->SetTransparentColor(maskColor);
    }
    return first;
}

void TImageList::Delete(int index)
{
    if (index < 0 || index >= Count()) return;
    FImages.erase(FImages.begin() + index);
    if (OnChange) OnChange(this);
}

void TImageList::Clear()
{
    FImages.clear();
    if (OnChange) OnChange(this);
}

void TImageList::GetBitmap(int index, TBitmap* dest) const
{
    if (index < 0 || index >= Count() || !dest) return;
    dest->Assign(FImages[size_t(index)].get());
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count() || !canvas) return;
    const TBitmap* image = FImages[size_t(index)].get();
    if (enabled) {
        canvas->Draw(x, y, image);
        return;
    }
    // Disabled: the same picture without its colours, each pixel its own brightness,
    // lifted towards white so that it reads as inactive. Transparent pixels stay so.
    TBitmap grey;
    grey.Assign(image);
    const bool transparent = image->Transparent();
    const TColor key = transparent ? ColorToRGB(image->TransparentColor()) : clNone;
    TCanvas* c = grey.Canvas();
    for (int py = 0; py < grey.Height(); ++py)
        for (int px = 0; px < grey.Width(); ++px) {
            const TColor p = ColorToRGB(c->Pixels(px, py));
            if (transparent && p == key) continue;
            const int r = p & 0xFF, g = (p >> 8) & 0xFF, b = (p >> 16) & 0xFF;
            const int luma = (r * 299 + g * 587 + b * 114) / 1000;
            int v = 96 + luma * 159 / 255;
            // A grey that happens to be the key colour would turn into a hole.
            if (transparent && TColor(v | (v << 8) | (v << 16)) == key) v = v > 0 ? v - 1 : 1;
            c->SetPixels(px, py, TColor(v | (v << 8) | (v << 16)));
        }
    canvas->Draw(x, y, &grey);
}
