// The slim scroll indicators of the metro scroll look: a thumb over the grid's right
// (bottom) edge whose length is the visible share of the rows (columns) and whose place
// is the first visible one; the grid shows through around the thumb.
#include <algorithm>
#include <cmath>

#include "grid/core/ExtGrid.h"
#include "grid/core/GridPanels.h"

namespace {
// The shortest thumb, so that a long table keeps something to grab.
constexpr int kMinThumb = 20;
}  // namespace

TScrollControl::TScrollControl(TComponent* AOwner, int ADirection) : TCustomControl(AOwner), FDirection(ADirection)
{
    SetDoubleBuffered(true);
    // Nothing but the thumb is drawn: the grid under it stays visible.
    SetParentBackground(true);
    SetColor(0xC0C0C0);
}

TExtStringGrid* TScrollControl::Grid() const { return dynamic_cast<TExtStringGrid*>(Parent()); }

bool TScrollControl::ThumbShown()
{
    TExtStringGrid* g = Grid();
    if (!g) return false;
    if (FDirection == sdVertical)
        return g->VisibleRowCount() < g->RowCount() - g->FixedRows() - g->FixedFooters;
    return g->VisibleColCount() < g->ColCount() - g->FixedCols() - g->FixedRightCols;
}

void TScrollControl::ThumbExtent(int& Pos, int& Size)
{
    Pos = Size = 0;
    TExtStringGrid* g = Grid();
    if (!g) return;
    const bool vert = FDirection == sdVertical;
    const int length = vert ? Height() : Width();
    const int count = vert ? g->RowCount() : g->ColCount();
    const int fixed = vert ? g->FixedRows() : g->FixedCols();
    const int trailing = vert ? g->FixedFooters : g->FixedRightCols;
    auto extent = [&](int i) { return vert ? g->RowHeights(i) : g->ColWidths(i); };
    int header = 0;
    for (int i = 0; i < fixed && i < count; ++i) header += extent(i);
    int footer = 0;
    for (int i = std::max(fixed, count - trailing); i < count; ++i) footer += extent(i);
    const int track = length - header - footer;
    const int visible = vert ? g->VisibleRowCount() : g->VisibleColCount();
    const int first = vert ? g->TopRow() : g->LeftCol();
    if (count <= 0 || count - fixed <= 0) return;
    Size = std::max(kMinThumb, int(std::lround(double(track) * visible / count)));
    Pos = header + int(std::lround(double(track) * (first - fixed) / (count - fixed)));
    if (Pos + Size > length) Pos = length - Size;
}

void TScrollControl::Paint()
{
    if (!Grid() || !ThumbShown()) return;
    int p = 0, s = 0;
    ThumbExtent(p, s);
    TCanvas* c = Canvas();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    if (FDirection == sdVertical) c->Rectangle(0, p, ScrollWidth, p + s);
    else c->Rectangle(p, 0, p + s, ScrollWidth);
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    TExtStringGrid* g = Grid();
    if (!g || Button != mbLeft) return;
    int p = 0, s = 0;
    ThumbExtent(p, s);
    const bool vert = FDirection == sdVertical;
    const int at = vert ? Y : X;
    if (vert) {
        const int visible = g->VisibleRowCount();
        if (at < p) g->SetTopRow(std::max(g->FixedRows(), g->TopRow() - visible));
        else if (at > p + s) g->SetTopRow(std::max(g->FixedRows(), std::min(g->TopRow() + visible, g->RowCount() - visible)));
        else {
            FDownOnScroller = true;
            FDownPos = at;
            FDownRow = g->TopRow();
        }
    } else {
        const int visible = g->VisibleColCount();
        if (at < p) g->SetLeftCol(std::max(g->FixedCols(), g->LeftCol() - visible));
        else if (at > p + s) g->SetLeftCol(std::max(g->FixedCols(), std::min(g->LeftCol() + visible, g->ColCount() - visible)));
        else {
            FDownOnScroller = true;
            FDownPos = at;
            FDownRow = g->LeftCol();
        }
    }
    Invalidate();
}

void TScrollControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    TExtStringGrid* g = Grid();
    if (!g || !FDownOnScroller) return;
    if (FDirection == sdVertical) {
        const int span = std::max(1, Height() - (g->RowCount() > 0 ? g->RowHeights(0) : 0));
        const int moved = int(std::lround(double(Y - FDownPos) / span * g->RowCount()));
        g->SetTopRow(std::max(g->FixedRows(), std::min(moved + FDownRow, g->RowCount() - g->VisibleRowCount())));
    } else {
        const int span = std::max(1, Width() - (g->ColCount() > 0 ? g->ColWidths(0) : 0));
        const int moved = int(std::lround(double(X - FDownPos) / span * g->ColCount()));
        g->SetLeftCol(std::max(g->FixedCols(), std::min(moved + FDownRow, g->ColCount() - g->VisibleColCount())));
    }
    Invalidate();
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FDownOnScroller = false;
}
