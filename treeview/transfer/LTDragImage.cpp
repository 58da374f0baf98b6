#include "treeview/transfer/LTDragImage.h"

#include <cmath>

#include "platform/gui/DragDrop.h"

std::vector<std::uint8_t> TLTDragImage::BuildAlphaChannel(TBitmap* Source, TColor ColorKey)
{
    const int w = Source->Width(), h = Source->Height();
    std::vector<std::uint8_t> alpha(std::size_t(std::max(0, w)) * std::size_t(std::max(0, h)));
    if (alpha.empty()) return alpha;
    const bool keyed = ColorKey != clNone;
    const TColor key = keyed ? ColorToRGB(ColorKey) & 0xFFFFFF : 0;
    const double m = std::max(w, h);
    TCanvas* c = Source->Canvas();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t& a = alpha[std::size_t(y) * std::size_t(w) + std::size_t(x)];
            if (keyed && (c->Pixels(x, y) & 0xFFFFFF) == key) {
                a = 0;
                continue;
            }
            const double dx = (x - w / 2) / m, dy = (y - h / 2) / m;
            a = std::uint8_t(std::lround(std::exp(-8 * std::sqrt(dx * dx + dy * dy)) * 255));
        }
    return alpha;
}

void TLTDragImage::PrepareDrag(TBitmap* DragImage, TPoint ImagePosition, TPoint HotSpot)
{
    EndDrag();
    if (!DragImage || DragImage->Empty()) return;
    const int w = DragImage->Width(), h = DragImage->Height();
    FLastPosition = HotSpot;
    FDragImage = std::make_shared<TBitmap>(w, h);
    FDragImage->Canvas()->Draw(0, 0, DragImage);
    // A brightness bias is applied once, to the picture itself.
    if (FPreBlendBias != 0) {
        TCanvas* c = FDragImage->Canvas();
        const auto shift = [&](int v) { return std::clamp(v + FPreBlendBias, 0, 255); };
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const TColor p = c->Pixels(x, y);
                c->SetPixels(x, y, RGB(shift(GetRValue(p)), shift(GetGValue(p)), shift(GetBValue(p))));
            }
    }
    // The opacity the toolkit blends with: the per-pixel fade (or the key alone) scaled
    // by the transparency, or the transparency alone.
    std::vector<std::uint8_t> alpha = BuildAlphaChannel(DragImage, FColorKey);
    const bool perPixel = FFade || FColorKey != clNone;
    for (std::uint8_t& a : alpha) {
        const int base = perPixel ? (FFade ? a : (a == 0 ? 0 : 255)) : 255;
        a = std::uint8_t((base * FTransparency) >> 8);
    }
    FAlpha = std::move(alpha);
    FImagePosition = ImagePosition;
    FStates = TLTDragImageStates{disHidden, disInDrag, disPrepared};
    SetDragPicture(TDragPicture{FDragImage, FAlpha, TPoint(HotSpot.X - ImagePosition.X, HotSpot.Y - ImagePosition.Y)});
}

bool TLTDragImage::Visible() const
{
    return FStates.Contains(disInDrag) && FStates.Contains(disPrepared) && !FStates.Contains(disHidden) &&
           !FStates.Contains(disSystemSupport);
}

void TLTDragImage::ShowDragImage()
{
    if (FStates == TLTDragImageStates{disHidden, disInDrag, disPrepared}) FStates >> disHidden;
}

void TLTDragImage::HideDragImage()
{
    if (Visible()) FStates << disHidden;
}

void TLTDragImage::EndDrag()
{
    HideDragImage();
    FStates >> disInDrag;
    FStates >> disPrepared;
    FDragImage.reset();
    FAlpha.clear();
}

TRect TLTDragImage::GetDragImageRect() const
{
    if (!Visible()) return TRect(0, 0, 0, 0);
    return TRect(FImagePosition.X, FImagePosition.Y, FImagePosition.X + FDragImage->Width(),
                 FImagePosition.Y + FDragImage->Height());
}

bool TLTDragImage::WillMove(TPoint P) const
{
    if (!Visible()) return false;
    if (FRestriction == dmrHorizontalOnly) return P.X != FLastPosition.X;
    if (FRestriction == dmrVerticalOnly) return P.Y != FLastPosition.Y;
    return P.X != FLastPosition.X || P.Y != FLastPosition.Y;
}

bool TLTDragImage::DragTo(TPoint P, bool ForceRepaint)
{
    int dx = FLastPosition.X - P.X, dy = FLastPosition.Y - P.Y;
    if (FRestriction == dmrHorizontalOnly) dy = 0;
    if (FRestriction == dmrVerticalOnly) dx = 0;
    if (dx == 0 && dy == 0 && !ForceRepaint) return false;
    // The toolkit moves the picture with the pointer; here only its place is followed.
    if (Visible()) {
        FImagePosition.X -= dx;
        FImagePosition.Y -= dy;
    }
    FLastPosition = P;
    return true;
}
