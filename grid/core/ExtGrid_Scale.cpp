// Scaling with the form: the fonts the grid keeps besides its own follow the factor,
// and the column grid scales the fonts of the columns it shows.
#include "grid/columns/ExtColumnGrid.h"
#include "grid/core/ExtGrid.h"

namespace {
// MulDiv of a font size: rounded to the nearest integer, halves away from zero.
int ScaledSize(int Size, int M, int D)
{
    const long long v = (long long)Size * M;
    return int(v >= 0 ? (v + D / 2) / D : (v - D / 2) / D);
}

void ScaleFont(TFont* f, int M, int D)
{
    if (f) f->SetSize(ScaledSize(f->Size(), M, D));
}
}  // namespace

void TExtStringGrid::ScaleFonts(int M, int D)
{
    if (M == D || D == 0) return;
    // The control's own font, as the toolkit scales every control.
    ScaleFont(Font(), M, D);
    ScaleFont(FFixedFont.get(), M, D);
    ScaleFont(FActiveCellFont.get(), M, D);
}

void TExtColumnGrid::ScaleFonts(int M, int D)
{
    TExtStringGrid::ScaleFonts(M, D);
    if (M == D || D == 0) return;
    for (int i = 0; i < ColCount() && i < FColumnCollection->Count(); ++i) {
        TGridColumnItem* it = FColumnCollection->FItems[size_t(i)];
        ScaleFont(it->FFont.get(), M, D);
        ScaleFont(it->FHeaderFont.get(), M, D);
    }
}
