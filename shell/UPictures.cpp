#include "shell/UPictures.h"

#include "shell/LbButton.h"
#include "shell/UDuvazaradFirmWare.h"

namespace {

// Draws on a 24-unit grid scaled to the bitmap's size.
struct TPainter {
    TCanvas* C;
    int Size;
    int S(int v) const { return v * Size / 24; }
    void Pen(TColor c, int w = 1) { C->Pen()->SetColor(c); C->Pen()->SetWidth(w > 1 ? S(w) : 1); C->Pen()->SetStyle(psSolid); }
    void NoPen() { C->Pen()->SetStyle(psClear); }
    void Fill(TColor c) { C->Brush()->SetStyle(bsSolid); C->Brush()->SetColor(c); }
    void NoFill() { C->Brush()->SetStyle(bsClear); }
    void Rect(int l, int t, int r, int b) { C->Rectangle(S(l), S(t), S(r), S(b)); }
    void Ellipse(int l, int t, int r, int b) { C->Ellipse(S(l), S(t), S(r), S(b)); }
    void Line(int x1, int y1, int x2, int y2) { C->MoveTo(S(x1), S(y1)); C->LineTo(S(x2), S(y2)); }
    void Polyline(std::initializer_list<TPoint> pts)
    {
        std::vector<TPoint> v;
        for (TPoint p : pts) v.push_back(TPoint(S(p.X), S(p.Y)));
        C->Polyline(v);
    }
    void Poly(std::initializer_list<TPoint> pts)
    {
        std::vector<TPoint> v;
        for (TPoint p : pts) v.push_back(TPoint(S(p.X), S(p.Y)));
        C->Polygon(v);
    }
};

constexpr TColor Blue = RGB(40, 110, 200);
constexpr TColor Dark = RGB(70, 70, 70);
constexpr TColor Green = RGB(40, 150, 60);
constexpr TColor Orange = RGB(240, 130, 20);
constexpr TColor Red = RGB(210, 50, 40);
constexpr TColor Paper = RGB(255, 255, 255);
constexpr TColor Folder = RGB(240, 190, 60);

void Draw(TPainter& p, TPicture_Kind kind)
{
    switch (kind) {
    case bpInfo:
        p.NoPen(); p.Fill(Blue); p.Ellipse(1, 1, 23, 23);
        p.Fill(Paper); p.Ellipse(10, 5, 14, 9); p.Rect(10, 10, 14, 19);
        break;
    case bpOptions:
        p.NoPen(); p.Fill(Dark);
        p.Rect(10, 1, 14, 23); p.Rect(1, 10, 23, 14);
        p.Poly({{4, 7}, {7, 4}, {20, 17}, {17, 20}});
        p.Poly({{17, 4}, {20, 7}, {7, 20}, {4, 17}});
        p.Ellipse(4, 4, 20, 20);
        p.Fill(Paper); p.Ellipse(9, 9, 15, 15);
        break;
    case bpClose:
        p.NoPen(); p.Fill(Red); p.Ellipse(1, 1, 23, 23);
        p.Fill(Paper);
        p.Poly({{6, 8}, {8, 6}, {18, 16}, {16, 18}});
        p.Poly({{16, 6}, {18, 8}, {8, 18}, {6, 16}});
        break;
    case bpNew:
        p.Pen(Dark); p.Fill(Paper); p.Poly({{4, 2}, {15, 2}, {20, 7}, {20, 22}, {4, 22}});
        p.Line(15, 2, 15, 7); p.Line(15, 7, 20, 7);
        p.NoPen(); p.Fill(Green); p.Rect(11, 10, 14, 20); p.Rect(8, 13, 17, 16);
        break;
    case bpOpen:
        p.Pen(Dark); p.Fill(Folder);
        p.Poly({{2, 5}, {9, 5}, {11, 7}, {21, 7}, {21, 20}, {2, 20}});
        p.Fill(RGB(250, 215, 110)); p.Poly({{2, 20}, {6, 11}, {23, 11}, {21, 20}});
        break;
    case bpParameters:
        p.Pen(Dark, 2);
        p.Line(3, 6, 21, 6); p.Line(3, 12, 21, 12); p.Line(3, 18, 21, 18);
        p.Pen(Dark); p.Fill(Orange);
        p.Rect(6, 3, 10, 10); p.Rect(14, 9, 18, 16); p.Rect(9, 15, 13, 22);
        break;
    case bpRadio:
        p.Pen(Blue, 2); p.NoFill();
        p.Line(12, 9, 12, 22); p.Line(7, 22, 17, 22);
        // Waves to both sides of the mast's top.
        p.Polyline({{8, 3}, {6, 8}, {8, 13}});
        p.Polyline({{4, 1}, {1, 8}, {4, 15}});
        p.Polyline({{16, 3}, {18, 8}, {16, 13}});
        p.Polyline({{20, 1}, {23, 8}, {20, 15}});
        p.NoPen(); p.Fill(Blue); p.Ellipse(10, 6, 14, 10);
        break;
    case bpBus:
        p.Pen(Green, 2);
        p.Line(3, 12, 21, 12); p.Line(6, 12, 6, 5); p.Line(12, 12, 12, 19); p.Line(18, 12, 18, 5);
        p.Pen(Dark); p.Fill(Green);
        p.Rect(3, 2, 9, 7); p.Rect(9, 17, 15, 22); p.Rect(15, 2, 21, 7);
        break;
    case bpUpdate:
        p.NoPen(); p.Fill(Dark); p.Rect(5, 13, 19, 22);
        p.Fill(Paper);
        for (int x = 7; x < 18; x += 3) p.Rect(x, 15, x + 1, 20);
        p.Fill(Orange); p.Poly({{9, 1}, {15, 1}, {15, 6}, {19, 6}, {12, 12}, {5, 6}, {9, 6}});
        break;
    case bpTable:
        p.Pen(Dark); p.Fill(Paper); p.Rect(3, 4, 21, 20);
        p.Fill(Blue); p.Rect(3, 4, 21, 8);
        p.Line(3, 12, 21, 12); p.Line(3, 16, 21, 16); p.Line(9, 4, 9, 20); p.Line(15, 4, 15, 20);
        break;
    case bpLogo:
        p.NoPen(); p.Fill(Blue); p.C->RoundRect(p.S(1), p.S(1), p.S(23), p.S(23), p.S(6), p.S(6));
        p.Fill(Paper); p.Poly({{6, 6}, {18, 6}, {18, 9}, {10, 16}, {18, 16}, {18, 19}, {6, 19}, {6, 16}, {14, 9}, {6, 9}});
        break;
    }
}

}  // namespace

std::unique_ptr<TBitmap> Make_Picture(TPicture_Kind Kind)
{
    const int size = Kind == bpLogo ? 64 : (Kind == bpInfo || Kind == bpOptions || Kind == bpClose) ? 32 : 24;
    auto bmp = std::make_unique<TBitmap>(size, size);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Kind == bpLogo ? Window_Color : Picture_Transparent);
    c->FillRect(Rect(0, 0, size, size));
    TPainter p{c, size};
    Draw(p, Kind);
    // The lower-left pixel names the transparent colour: keep it background.
    if (Kind != bpLogo) c->SetPixels(0, size - 1, Picture_Transparent);
    return bmp;
}

void Set_Button_Picture(TLbButton* Button, TPicture_Kind Kind)
{
    auto bmp = Make_Picture(Kind);
    Button->SetGlyph(bmp.get());
    Button->SetNumGlyphs(1);
}
