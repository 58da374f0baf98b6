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

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool) const
{
    if (index < 0 || index >= Count() || !canvas) return;
    canvas->Draw(x, y, FImages[size_t(index)].get());
}
