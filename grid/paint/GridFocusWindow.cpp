// The focus window, the alpha mask and the blurred focus mask.
#include "grid/paint/GridFocusWindow.h"

#include <algorithm>
#include <cmath>

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetEnabled(false);
    SetVisible(false);
    SetBounds(0, 0, 0, 0);
    SetColor(clRed);
}

// ---------------------------------------------------------------- TGridAlphaMask

TGridAlphaMask::TGridAlphaMask() { SetPixelFormat(pf32bit); }

std::uint32_t TGridAlphaMask::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= FMaskWidth || y >= FMaskHeight) return 0;
    return FPixels[size_t(y) * size_t(FMaskWidth) + size_t(x)];
}

void TGridAlphaMask::Assign(const TBitmap* Source)
{
    if (!Source) return;
    if (auto* m = dynamic_cast<const TGridAlphaMask*>(Source); m && m->Width() == Width() && m->Height() == Height()) {
        FOpacity = m->FOpacity;
        FPixels = m->FPixels;
        FMaskWidth = m->FMaskWidth;
        FMaskHeight = m->FMaskHeight;
        TBitmap::Assign(Source);
    } else {
        TBitmap::Assign(Source);
        FMaskWidth = Width();
        FMaskHeight = Height();
        FPixels.assign(size_t(FMaskWidth) * size_t(FMaskHeight), 0);
        TBitmap* src = const_cast<TBitmap*>(Source);
        for (int y = 0; y < FMaskHeight; ++y)
            for (int x = 0; x < FMaskWidth; ++x) {
                const TColor c = src->Canvas()->Pixels(x, y);
                FPixels[size_t(y) * size_t(FMaskWidth) + size_t(x)] = 0xFF000000u | (std::uint32_t(GetRValue(c)) << 16) |
                                                                      (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
            }
    }
    SetPixelFormat(pf32bit);
}

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color)
{
    if (!Mask || !Bitmap || Bitmap->PixelFormat() != pf24bit) return;
    const int w = Bitmap->Width(), h = Bitmap->Height();
    SetSize(w, h);
    FMaskWidth = w;
    FMaskHeight = h;
    FPixels.assign(size_t(w) * size_t(h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int a = GetRValue(Mask->Canvas()->Pixels(x, y));
            const TColor c = Bitmap->Canvas()->Pixels(x, y);
            auto pm = [a](int ch) { return std::uint32_t(std::lround(ch * a / 255.0)); };
            FPixels[size_t(y) * size_t(w) + size_t(x)] =
                (std::uint32_t(a) << 24) | (pm(GetRValue(c)) << 16) | (pm(GetGValue(c)) << 8) | pm(GetBValue(c));
            Canvas()->SetPixels(x, y, RGB(int(pm(GetRValue(c))), int(pm(GetGValue(c))), int(pm(GetBValue(c)))));
        }
}

// ---------------------------------------------------------------- mask and blur

void BuildFocusMask(TBitmap* ABitmap, int AWidth, int AHeight, int APenWidth, int ACorner, int ARadius)
{
    ABitmap->SetPixelFormat(pf24bit);
    ABitmap->SetSize(AWidth, AHeight);
    TCanvas* c = ABitmap->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBlack);
    c->FillRect(TRect(0, 0, AWidth, AHeight));
    const int p = APenWidth / 2;
    if (APenWidth < 1) {
        c->Pen()->SetColor(clWhite);
        c->Pen()->SetWidth(1);
        c->Brush()->SetColor(clWhite);
    } else {
        c->Pen()->SetColor(clWhite);
        c->Pen()->SetWidth(APenWidth);
        c->Brush()->SetColor(clBlack);
    }
    c->RoundRect(p + 2, p + 2, AWidth - p - 2, AHeight - p - 2, ACorner, ACorner);
    c->Pen()->SetWidth(1);
    if (ARadius > 0) BlurBitmap(ABitmap, ARadius);
}

namespace {
// Weights of distances -n..n, normalised; pairs far out are dropped while they are too
// small to change a grey step.
std::vector<double> BlurKernel(int radius)
{
    double w[21];
    double sum = 0;
    for (int k = -10; k <= 10; ++k) {
        const double q = double(k) / radius;
        w[k + 10] = std::exp(-q * q / 2);
        sum += w[k + 10];
    }
    for (double& x : w) x /= sum;
    int n = 10;
    double dropped = w[0];   // the pair at distance 10 always goes
    n = 9;
    while (n > 1 && dropped < 1.0 / 510) {
        dropped = w[10 - n];
        --n;
    }
    std::vector<double> kernel(size_t(2 * n + 1));
    double s2 = 0;
    for (int k = -n; k <= n; ++k) s2 += kernel[size_t(k + n)] = w[k + 10];
    for (double& x : kernel) x /= s2;
    return kernel;
}

struct TRgb {
    int R = 0, G = 0, B = 0;
};

void BlurLine(std::vector<TRgb>& line, const std::vector<double>& kernel)
{
    const int n = int(kernel.size() / 2), len = int(line.size());
    std::vector<TRgb> out(line.size());
    for (int i = 0; i < len; ++i) {
        double r = 0, g = 0, b = 0;
        for (int k = -n; k <= n; ++k) {
            const TRgb& p = line[size_t(std::clamp(i + k, 0, len - 1))];
            const double w = kernel[size_t(k + n)];
            r += p.R * w;
            g += p.G * w;
            b += p.B * w;
        }
        // Sums meant to be whole (255 from white) stay whole despite rounding noise.
        auto lim = [](double v) { return int(std::clamp(v + 1e-9, 0.0, 255.0)); };
        out[size_t(i)] = TRgb{lim(r), lim(g), lim(b)};
    }
    line = std::move(out);
}
}

void BlurBitmap(TBitmap* ABitmap, int ARadius)
{
    if (!ABitmap || ABitmap->PixelFormat() != pf24bit) throw Exception("Blur only works for 24-bit bitmaps");
    if (ARadius <= 0) return;
    const std::vector<double> kernel = BlurKernel(ARadius);
    const int w = ABitmap->Width(), h = ABitmap->Height();
    TCanvas* c = ABitmap->Canvas();
    std::vector<std::vector<TRgb>> px(static_cast<size_t>(h), std::vector<TRgb>(static_cast<size_t>(w)));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TColor col = c->Pixels(x, y);
            px[size_t(y)][size_t(x)] = TRgb{GetRValue(col), GetGValue(col), GetBValue(col)};
        }
    // Rows near the top and bottom edge are blurred; the flat middle copies row 15.
    for (int y = 0; y < h; ++y)
        if (y <= 20 || y >= h - 20) BlurLine(px[size_t(y)], kernel);
    for (int y = 0; y < h; ++y)
        if (!(y <= 20 || y >= h - 20) && h > 15) px[size_t(y)] = px[15];
    // Columns likewise.
    std::vector<TRgb> col(static_cast<size_t>(h));
    for (int x = 0; x < w; ++x) {
        if (!(x <= 20 || x >= w - 20)) continue;
        for (int y = 0; y < h; ++y) col[size_t(y)] = px[size_t(y)][size_t(x)];
        BlurLine(col, kernel);
        for (int y = 0; y < h; ++y) px[size_t(y)][size_t(x)] = col[size_t(y)];
    }
    if (w > 15)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (!(x <= 20 || x >= w - 20)) px[size_t(y)][size_t(x)] = px[size_t(y)][15];
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TRgb& p = px[size_t(y)][size_t(x)];
            c->SetPixels(x, y, RGB(p.R, p.G, p.B));
        }
}
