#pragma once
// The soft glowing frame around an edited cell: a window that draws nothing itself, a
// 32-bit bitmap with alpha that feeds it, and the routines that build the blurred mask.
#include <cstdint>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"

// Popup, disabled, topmost tool window; its content comes from the layered update.
class TGridFocusWindow : public TCustomControl {
public:
    explicit TGridFocusWindow(TComponent* AOwner);
};

// A 32-bit bitmap with alpha (premultiplied) and an overall opacity.
class TGridAlphaMask : public TBitmap {
public:
    TGridAlphaMask();
    // From another mask of the same size: the opacity and every pixel; from any other
    // bitmap its pixels (alpha 255). The result is 32-bit.
    void Assign(const TBitmap* Source);
    // Alpha of each pixel from the mask's red channel; the colours are the bitmap's
    // channels times alpha / 255. Only for a 24-bit bitmap; the colour takes no part.
    void MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color);
    std::uint8_t FOpacity = 255;
    // Pixel (x, y) as 0xAARRGGBB.
    std::uint32_t Pixel(int x, int y) const;

private:
    std::vector<std::uint32_t> FPixels;   // row by row, 0xAARRGGBB
    int FMaskWidth = 0;
    int FMaskHeight = 0;
};

// A black 24-bit bitmap of Width x Height with a white rounded ring (or a filled rounded
// rectangle for a pen width below 1), blurred with BlurBitmap when Radius > 0.
void BuildFocusMask(TBitmap* ABitmap, int AWidth, int AHeight, int APenWidth, int ACorner, int ARadius);
// Separable Gaussian blur of a 24-bit bitmap ("Blur only works for 24-bit bitmaps" else).
void BlurBitmap(TBitmap* ABitmap, int ARadius);
