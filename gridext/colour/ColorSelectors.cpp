#include "gridext/colour/ColorSelectors.h"

#include <algorithm>
#include <cmath>

#include "platform/gui/Forms.h"

// ---------------------------------------------------------------- honeycomb

namespace {

const int kCubeRowLengths[13] = {7, 8, 9, 10, 11, 12, 13, 12, 11, 10, 9, 8, 7};
// Row by row, left to right, as $BBGGRR.
const TColor kCubeColors[TExtColorCubePanel::CellCount] = {
    0x663300, 0x996633, 0xCC6633, 0x993300, 0x990000, 0xCC0000, 0x660000,
    0x666600, 0x996600, 0xCC9900, 0xCC6600, 0xCC3300, 0xFF0000, 0xFF3333, 0x993333,
    0x808000, 0x999900, 0xCCCC33, 0xFFCC00, 0xFF9900, 0xFF6600, 0xFF6633, 0xCC3333, 0x996666,
    0x669933, 0x99CC00, 0xCCFF00, 0xFFFF00, 0xFFCC33, 0xFF9933, 0xFF9966, 0xFF6666, 0xFF0066, 0xCC0066,
    0x339933, 0x66CC00, 0x99FF00, 0xCCFF66, 0xFFFF66, 0xFFCC66, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xFF0099,
    0x006600, 0x00CC00, 0x00FF00, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFECCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF00CC,
    0xCC0099,
    0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF, 0xFF00FF,
    0xCC00CC, 0x660066,
    0x006633, 0x009900, 0x33FF66, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF, 0xCC33FF, 0x9900CC,
    0x800080,
    0x003333, 0x009966, 0x33FF99, 0x66FFCC, 0x99FFFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF, 0x9933CC, 0x990099,
    0x336666, 0x00CC99, 0x33FFCC, 0x66FFFF, 0x66CCFF, 0x6699FF, 0x807CFF, 0x6600FF, 0x9300D6, 0x663399,
    0x008080, 0x00CCCC, 0x00FFFF, 0x00CCFF, 0x3399FF, 0x0066FF, 0x5050FF, 0x6600CC, 0x330066,
    0x336699, 0x0099CC, 0x0099FF, 0x0066CC, 0x0033FF, 0x0000FF, 0x0000CC, 0x330099,
    0x003366, 0x006699, 0x0033CC, 0x003399, 0x000099, 0x000080, 0x2100A5,
};

std::vector<TPoint> Hexagon(int x, int y, int w, int q)
{
    return {TPoint(x - w, y - q), TPoint(x, y - 2 * q), TPoint(x + w, y - q),
            TPoint(x + w, y + q), TPoint(x, y + 2 * q), TPoint(x - w, y + q)};
}

}  // namespace

TExtColorCubePanel::TExtColorCubePanel(TComponent* AOwner) : TExtCustomColorSelectorPanel(AOwner)
{
    SetShowHint(true);
    InitCubeCells();
    ResetHotCell();
}

void TExtColorCubePanel::InitCubeCells()
{
    FCubeSize = TPoint(6, 3);
    int n = 0;
    for (int r = 1; r <= 13; ++r) {
        const int y = 20 + 10 * (r - 1);
        const int x0 = r <= 7 ? 55 - FCubeSize.X * (r - 1) : 19 + FCubeSize.X * (r - 7);
        for (int i = 0; i < kCubeRowLengths[r - 1]; ++i, ++n) {
            FCubeCells[n].X = x0 + 2 * FCubeSize.X * i;
            FCubeCells[n].Y = y;
            FCubeCells[n].Color = kCubeColors[n];
        }
    }
}

void TExtColorCubePanel::ResetHotCell()
{
    FHotIndex = -1;
    SetBounds(Left(), Top(), 182, 160);
    Invalidate();
}

void TExtColorCubePanel::SetShowRGBHint(bool v)
{
    FShowRGBHint = v;
    SetShowHint(v);
}

void TExtColorCubePanel::SetSelectedColor(TColor Value)
{
    FSelectedColor = Value;
    FSelectedIndex = -1;
    for (int i = 1; i <= CellCount; ++i)
        if (FCubeCells[i - 1].Color == Value) {
            FSelectedIndex = i;
            break;
        }
    Invalidate();
}

int TExtColorCubePanel::CellAtPos(int X, int Y) const
{
    const int reach = FCubeSize.X * FCubeSize.X;
    for (int i = 1; i <= CellCount; ++i) {
        const int dx = X - FCubeCells[i - 1].X, dy = Y - FCubeCells[i - 1].Y;
        if (dx * dx + dy * dy <= reach) return i;
    }
    return -1;
}

void TExtColorCubePanel::DrawCell(TCanvas* C, int Index)
{
    if (Index < 1 || Index > CellCount) return;
    const TCubeCell& cell = FCubeCells[Index - 1];
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(cell.Color);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(cell.Color);
    C->Polygon(Hexagon(cell.X, cell.Y, FCubeSize.X, FCubeSize.Y));
    const auto outline = [&](TColor outer) {
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetColor(outer);
        C->Polygon(Hexagon(cell.X, cell.Y, 5, 3));
        C->Pen()->SetColor(clWhite);
        C->Polygon(Hexagon(cell.X, cell.Y, 4, 2));
        C->Brush()->SetStyle(bsSolid);
    };
    if (Index == FHotIndex) outline(0x0000FF);
    if (Index == FSelectedIndex) outline(clBlack);
}

void TExtColorCubePanel::InvalidateCell(int Index)
{
    if (Index < 1 || Index > CellCount) return;
    const TCubeCell& cell = FCubeCells[Index - 1];
    InvalidateRect(TRect(cell.X - FCubeSize.X - 1, cell.Y - 2 * FCubeSize.Y - 1, cell.X + FCubeSize.X + 2,
                         cell.Y + 2 * FCubeSize.Y + 2));
}

void TExtColorCubePanel::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    for (int i = 1; i <= CellCount; ++i) DrawCell(c, i);
}

void TExtColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExtCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    const int i = CellAtPos(X, Y);
    if (i < 0) return;
    InvalidateCell(FSelectedIndex);
    FSelectedIndex = i;
    FSelectedColor = FCubeCells[i - 1].Color;
    InvalidateCell(i);
    if (OnSelect) OnSelect(this);
}

void TExtColorCubePanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TExtCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const int i = CellAtPos(X, Y);
    if (i < 0) {
        // The hot cell stays lit; only its hint goes.
        if (FShowRGBHint) {
            SetHint(String());
            Application->CancelHint();
        }
        return;
    }
    if (i == FHotIndex) return;
    InvalidateCell(FHotIndex);
    FHotIndex = i;
    InvalidateCell(i);
    if (FShowRGBHint) {
        const TColor c = FCubeCells[i - 1].Color;
        SetHint(Format("Red: %d,  Green: %d,  Blue: %d", {GetRValue(c), GetGValue(c), GetBValue(c)}));
        Application->CancelHint();
    }
}

void TExtColorCubePanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExtCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
    if (OnShouldHide) OnShouldHide(this);
}

// ---------------------------------------------------------------- spectrum

void DrawSpectrumPicture(TBitmap& Into)
{
    const int N = 128;
    Into.SetSize(N, N);
    TCanvas* c = Into.Canvas();
    for (int x = 0; x < N; ++x) {
        // Hue across the width: six sectors from red back to red.
        const double h = 6.0 * x / N;
        const int sector = int(h);
        const double f = h - sector;
        double r = 0, g = 0, b = 0;
        switch (sector) {
        case 0: r = 1; g = f; break;
        case 1: r = 1 - f; g = 1; break;
        case 2: g = 1; b = f; break;
        case 3: g = 1 - f; b = 1; break;
        case 4: r = f; b = 1; break;
        default: r = 1; b = 1 - f; break;
        }
        for (int y = 0; y < N; ++y) {
            // White at the top row, the pure hue at the middle row, black at the bottom row.
            const int mid = N / 2;
            double cr, cg, cb;
            if (y <= mid) {
                const double t = double(y) / mid;
                cr = 1 + (r - 1) * t;
                cg = 1 + (g - 1) * t;
                cb = 1 + (b - 1) * t;
            } else {
                const double t = double(y - mid) / (N - 1 - mid);
                cr = r * (1 - t);
                cg = g * (1 - t);
                cb = b * (1 - t);
            }
            const auto byte = [](double v) { return int(std::nearbyint(std::clamp(v, 0.0, 1.0) * 255)); };
            c->SetPixels(x, y, RGB(byte(cr), byte(cg), byte(cb)));
        }
    }
}

namespace {

// The eyedropper: a slanted tube from the tip at the lower left up to a bulb at the top
// right.
void RegisterEyeDropperCursor()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterCursorShape(TExtColorSpectrumPanel::crEyeDropper,
                        {TPoint(1, 30), TPoint(3, 24), TPoint(17, 10), TPoint(15, 8), TPoint(18, 5), TPoint(21, 8),
                         TPoint(25, 2), TPoint(30, 7), TPoint(24, 11), TPoint(27, 14), TPoint(24, 17), TPoint(22, 15),
                         TPoint(8, 29)},
                        TPoint(1, 30));
}

}  // namespace

TExtColorSpectrumPanel::TExtColorSpectrumPanel(TComponent* AOwner) : TExtCustomColorSelectorPanel(AOwner)
{
    RegisterEyeDropperCursor();
    FSpectrumImage = new TImage(this);
    FSpectrumImage->SetParent(this);
    FSpectrumImage->SetBounds(0, 0, 128, 128);
    TBitmap picture;
    DrawSpectrumPicture(picture);
    FSpectrumImage->Picture()->SetBitmap(&picture);
    FSpectrumImage->SetCursor(crEyeDropper);
    FSpectrumImage->OnMouseMove = [this](TObject*, TShiftState, int X, int Y) { PictureMouseMove(X, Y); };
    FSpectrumImage->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int X, int Y) {
        // The colour under the press, even when no move came before it.
        PictureMouseMove(X, Y);
        FSelectedColor = FHotColor;
        InvalidateSwatch(FSelectedRect);
        if (OnSelect) OnSelect(this);
    };
    FSpectrumImage->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
        if (OnShouldHide) OnShouldHide(this);
    };
    ArrangeSpectrum();
}

void TExtColorSpectrumPanel::ArrangeSpectrum()
{
    SetBounds(Left(), Top(), 150, 174);
    FSpectrumImage->SetBounds((Width() - FSpectrumImage->Width()) / 2, 10, FSpectrumImage->Width(),
                              FSpectrumImage->Height());
    const int L = FSpectrumImage->Left(), T = FSpectrumImage->Top(), W = FSpectrumImage->Width();
    const int B = T + FSpectrumImage->Height();
    FSelectedRect = TRect(L - 1, B + 8, L + W / 2 - 2, B + 28);
    FHotRect = TRect(FSelectedRect.Right + 4, FSelectedRect.Top, L + W + 1, FSelectedRect.Bottom);
    FHotColor = clNone;
    Invalidate();
}

void TExtColorSpectrumPanel::PictureMouseMove(int X, int Y)
{
    TBitmap* b = FSpectrumImage->Picture()->Bitmap();
    if (X < 0 || Y < 0 || X >= b->Width() || Y >= b->Height()) return;
    FHotColor = b->Canvas()->Pixels(X, Y);
    InvalidateSwatch(FHotRect);
}

void TExtColorSpectrumPanel::InvalidateSwatch(const TRect& R)
{
    InvalidateRect(TRect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1));
}

void TExtColorSpectrumPanel::DrawSwatch(TCanvas* C, const TRect& R, TColor Color)
{
    C->Pen()->SetColor(0x808080);
    C->Brush()->SetStyle(bsClear);
    C->Rectangle(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    C->Pen()->SetColor(clWhite);
    // No colour leaves the swatch's inside as the background shows it.
    if (Color == clNone) {
        C->Rectangle(R);
    } else {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color);
        C->Rectangle(R);
    }
    C->Brush()->SetStyle(bsSolid);
}

void TExtColorSpectrumPanel::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    const TRect p(FSpectrumImage->Left(), FSpectrumImage->Top(), FSpectrumImage->Left() + FSpectrumImage->Width(),
                  FSpectrumImage->Top() + FSpectrumImage->Height());
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clWhite);
    c->Rectangle(p.Left - 1, p.Top - 1, p.Right + 1, p.Bottom + 1);
    c->Pen()->SetColor(0x808080);
    c->Rectangle(p.Left - 2, p.Top - 2, p.Right + 2, p.Bottom + 2);
    DrawSwatch(c, FSelectedRect, FSelectedColor);
    DrawSwatch(c, FHotRect, FHotColor);
}

void TExtColorSpectrumPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExtCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
    if (OnShouldHide) OnShouldHide(this);
}

// ---------------------------------------------------------------- discrete palette

void TColorBoxItem::Assign(const TColorBoxItem& S)
{
    SetColor(S.FColor);
    FEnabled = S.FEnabled;
}

void TColorBoxItem::SetColor(TColor v)
{
    if (v == FColor) return;
    FColor = v;
    if (FCollection) FCollection->Changed();
}

TColorBoxItem* TColorBoxItems::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    FItems.insert(FItems.begin() + Index, std::make_unique<TColorBoxItem>(this));
    return FItems[size_t(Index)].get();
}

void TColorBoxItems::Assign(const TColorBoxItems& S)
{
    if (&S == this) return;
    FItems.clear();
    for (int i = 0; i < S.Count(); ++i) Add()->Assign(*S.Items(i));
}

void TColorBoxAppearance::Reset()
{
    FBorderColor = 0xC5C5C5;
    FOuterBorderColorHot = 0x3694F2;
    FInnerBorderColorHot = 0x94E2FF;
    FOuterBorderColorSelected = 0x0000FF;
    FInnerBorderColorSelected = 0x94E2FF;
}

void TColorBoxAppearance::Assign(const TColorBoxAppearance& S)
{
    FBorderColor = S.FBorderColor;
    FOuterBorderColorHot = S.FOuterBorderColorHot;
    FInnerBorderColorHot = S.FInnerBorderColorHot;
    FOuterBorderColorSelected = S.FOuterBorderColorSelected;
    FInnerBorderColorSelected = S.FInnerBorderColorSelected;
}

TCustomColorSelector::TCustomColorSelector(TComponent* AOwner) : TExtCustomColorSelectorPanel(AOwner), FItems(this)
{
    SetParentColor(true);
    SetItemColorStyle(scOffice2007);
}

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle v)
{
    if (v == FItemColorStyle) return;
    FItemColorStyle = v;
    // The three named styles share one set of frame colours; custom keeps what was set.
    if (v != scCustom) FColorBoxAppearance.Reset();
    Invalidate();
}

void TCustomColorSelector::SetColumnGap(int v)
{
    if (v == FColumnGap) return;
    FColumnGap = v;
    ArrangeItems();
}

void TCustomColorSelector::SetColumns(int v)
{
    if (v == FColumns) return;
    FColumns = v;
    ArrangeItems();
}

void TCustomColorSelector::SetColorBoxHeight(int v)
{
    if (v == FColorBoxHeight) return;
    FColorBoxHeight = v;
    ArrangeItems();
}

void TCustomColorSelector::SetColorBoxWidth(int v)
{
    if (v == FColorBoxWidth) return;
    FColorBoxWidth = v;
    ArrangeItems();
}

void TCustomColorSelector::AddPaletteColors()
{
    static const TColor kPalette[60] = {
        0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7,
        0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD,
        0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB,
        0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA,
        0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3,
        0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897,
    };
    FItems.Clear();
    for (int i = 0; i < 60; ++i) {
        TColorBoxItem* it = FItems.Add();
        it->SetColor(kPalette[i]);
        const int row = i / 10;
        it->SetColorBoxPos(row == 0 ? ipStandAlone : row == 1 ? ipTop : row == 5 ? ipBottom : ipMiddle);
    }
}

TRect TCustomColorSelector::GetItemsRect() const
{
    TRect r = ClientRect();
    InflateRect(r, -FOffSetX, -FOffSetY);
    return r;
}

void TCustomColorSelector::ArrangeItems()
{
    if (FItems.Count() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    const TPoint size = GetItemSize();
    const int w = size.X, h = size.Y;
    const TRect items = GetItemsRect();
    const int L = items.Left, T = items.Top;
    int x = L, y = T, col = 0, widest = 0;
    bool standAloneRow = false;
    for (int i = 0; i < FItems.Count(); ++i) {
        TColorBoxItem* it = FItems.Items(i);
        it->FRect = TRect(x, y, x + w, y + h);
        ++col;
        if (i == FItems.Count() - 1) break;
        if (it->ColorBoxPos() == ipStandAlone) standAloneRow = true;
        if (col < FColumns) {
            x += w + FColumnGap;
        } else {
            // A row of stand-alone boxes keeps a gap below it; the shades touch.
            if (standAloneRow) y += FColumnGap;
            y += h;
            standAloneRow = false;
            widest = std::max(widest, x);
            x = L;
            col = 0;
        }
    }
    SetBounds(Left(), Top(), std::max(x, widest) + w + L + 1, y + h + T);
    Invalidate();
}

int TCustomColorSelector::ItemAtPos(int X, int Y) const
{
    for (int i = 0; i < FItems.Count(); ++i)
        if (FItems.Items(i)->FRect.Contains(TPoint(X, Y))) return i;
    return -1;
}

TRect TCustomColorSelector::GetItemRect(int Index) const
{
    return Valid(Index) ? FItems.Items(Index)->FRect : TRect(-1, -1, -1, -1);
}

void TCustomColorSelector::InvalidateItem(int Index)
{
    if (!Valid(Index)) return;
    // The frame lines reach one pixel past the box on the right and at the bottom.
    const TRect r = FItems.Items(Index)->FRect;
    InvalidateRect(TRect(r.Left, r.Top, r.Right + 2, r.Bottom + 2));
}

void TCustomColorSelector::DrawItem(int Index, TCanvas* C)
{
    if (!Valid(Index) || !C) return;
    TColorBoxItem* it = FItems.Items(Index);
    TRect R = it->FRect;
    if (R.Left < 0 && R.Right < 0) return;
    C->Pen()->SetStyle(psSolid);
    C->Pen()->SetWidth(1);
    if (it->Color() != clNone) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(it->Color());
        C->Pen()->SetColor(it->Color());
        C->Rectangle(R);
    }
    const bool hot = Index == FItemHot, selected = Index == FItemIndex;
    const TColorBoxAppearance& a = FColorBoxAppearance;
    if (hot || selected) {
        const TColor outer = selected ? a.OuterBorderColorSelected() : a.OuterBorderColorHot();
        const TColor inner = selected ? a.InnerBorderColorSelected() : a.InnerBorderColorHot();
        C->Brush()->SetStyle(bsClear);
        if (outer != clNone) {
            C->Pen()->SetColor(outer);
            C->Rectangle(R);
            InflateRect(R, -1, -1);
        }
        if (inner != clNone) {
            C->Pen()->SetColor(inner);
            C->Rectangle(R);
        }
        C->Brush()->SetStyle(bsSolid);
        return;
    }
    if (a.BorderColor() == clNone) return;
    C->Pen()->SetColor(a.BorderColor());
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const auto line = [C](std::initializer_list<TPoint> pts) {
        auto p = pts.begin();
        C->MoveTo(p->X, p->Y);
        for (++p; p != pts.end(); ++p) C->LineTo(p->X, p->Y);
    };
    switch (it->ColorBoxPos()) {
    case ipStandAlone: line({TPoint(L, B), TPoint(L, T), TPoint(Rt, T), TPoint(Rt, B), TPoint(L, B)}); break;
    case ipTop: line({TPoint(L, B), TPoint(L, T), TPoint(Rt, T), TPoint(Rt, B)}); break;
    case ipMiddle:
        line({TPoint(L, T), TPoint(L, B)});
        line({TPoint(Rt, T), TPoint(Rt, B)});
        break;
    case ipBottom:
        line({TPoint(L, T), TPoint(L, B), TPoint(Rt, B)});
        line({TPoint(Rt, T), TPoint(Rt, B + 1)});
        break;
    }
}

void TCustomColorSelector::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    for (int i = 0; i < FItems.Count(); ++i) DrawItem(i, c);
}

void TCustomColorSelector::SetItemIndex(int Index)
{
    // An index past the last box names nothing and changes nothing.
    if (Index >= FItems.Count() || (Valid(Index) && !FItems.Items(Index)->FEnabled)) return;
    if (Valid(FItemIndex) && FItemIndex != Index) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = Index;
    if (Index < 0) return;
    FSelectedColor = FItems.Items(Index)->Color();
    InvalidateItem(Index);
    if (OnItemSelect) OnItemSelect(this);
}

void TCustomColorSelector::SetHotItem(int Index)
{
    if (Index == FItemHot || (Valid(Index) && !FItems.Items(Index)->FEnabled)) return;
    const int old = FItemHot;
    FItemHot = Index;
    InvalidateItem(old);
    if (Index >= 0) InvalidateItem(Index);
}

void TCustomColorSelector::SetSelectedColor(TColor Value)
{
    if (Value == FSelectedColor) return;
    FSelectedColor = Value;
    if (Value == clNone) SetItemIndex(-1);
    for (int i = 0; i < FItems.Count(); ++i)
        if (FItems.Items(i)->Color() == Value) {
            SetItemIndex(i);
            return;
        }
    SetItemIndex(-1);
}

void TCustomColorSelector::SelectFirst()
{
    if (FItems.Count() > 0) SetItemIndex(0);
}

void TCustomColorSelector::SelectLast()
{
    if (FItems.Count() > 0) SetItemIndex(FItems.Count() - 1);
}

void TCustomColorSelector::SelectNext()
{
    if (FItemIndex + 1 < FItems.Count()) SetItemIndex(FItemIndex + 1);
}

void TCustomColorSelector::SelectPrevious()
{
    if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}

void TCustomColorSelector::HotNext()
{
    if (FItemHot + 1 < FItems.Count()) SetHotItem(FItemHot + 1);
}

void TCustomColorSelector::HotPrevious()
{
    if (FItemHot - 1 >= 0) SetHotItem(FItemHot - 1);
}

void TCustomColorSelector::HandleSelectorKey(WORD Key, bool EditorEnabled, bool DroppedDown)
{
    if (!Enabled()) return;
    const auto moveTo = [this](int n) {
        if (Valid(n)) SetItemIndex(n);
    };
    switch (Key) {
    case VK_PRIOR:
    case VK_HOME: SelectFirst(); break;
    case VK_NEXT:
    case VK_END: SelectLast(); break;
    case VK_LEFT:
        if (!EditorEnabled || DroppedDown) SelectPrevious();
        break;
    case VK_RIGHT:
        if (!EditorEnabled || DroppedDown) SelectNext();
        break;
    case VK_UP:
        if (DroppedDown) moveTo(FItemIndex < 0 ? 0 : FItemIndex - FColumns);
        else SelectPrevious();
        break;
    case VK_DOWN:
        if (DroppedDown) moveTo(FItemIndex < 0 ? 0 : FItemIndex + FColumns);
        else SelectNext();
        break;
    default: break;
    }
}

void TCustomColorSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExtCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (Valid(i) && FItems.Items(i)->FEnabled) SetItemIndex(i);
}

void TCustomColorSelector::MouseMove(TShiftState Shift, int X, int Y)
{
    TExtCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i == FItemHot) return;
    SetHotItem(Valid(i) && FItems.Items(i)->FEnabled ? i : -1);
}

void TCustomColorSelector::MouseLeave()
{
    TExtCustomColorSelectorPanel::MouseLeave();
    SetHotItem(-1);
}
