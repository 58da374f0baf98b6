// Filling every cell, or every scrollable cell, with one text, a text made of the
// cell's column and row, random integers, or "column:row" labels.
#include <random>

#include "grid/core/ExtGrid.h"

namespace {
// Calls f(display column, row) for each cell of the fill's range, under one update lock,
// and recalculates every footer afterwards, also when f raises.
template <class F>
void FillCells(TExtStringGrid& g, bool DoFixed, F&& f)
{
    const int fromCol = DoFixed ? 0 : g.FixedCols(), toCol = DoFixed ? g.ColCount() - 1 : g.ColCount() - g.FixedRightCols - 1;
    const int fromRow = DoFixed ? 0 : g.FixedRows(), toRow = DoFixed ? g.RowCount() - 1 : g.RowCount() - g.FixedFooters - 1;
    g.BeginUpdate();
    struct Finish {
        TExtStringGrid& g;
        ~Finish()
        {
            g.EndUpdate();
            g.CalcFooterAll();
        }
    } finish{g};
    for (int r = fromRow; r <= toRow; ++r)
        for (int c = fromCol; c <= toCol; ++c) f(c, r);
}

std::mt19937& FillRandom()
{
    static std::mt19937 gen{std::random_device{}()};
    return gen;
}
}

void TExtStringGrid::TextFill(bool DoFixed, const String& Txt)
{
    FillCells(*this, DoFixed, [&](int c, int r) { SetCellEx(RealColIndex(c), r, Txt); });
}

void TExtStringGrid::FormatFill(bool DoFixed, const String& Fmt)
{
    FillCells(*this, DoFixed, [&](int c, int r) { SetCellEx(RealColIndex(c), r, Format(Fmt, {c, r})); });
}

void TExtStringGrid::RandomFill(bool DoFixed, int Rnd)
{
    // No integer lies in 0..Rnd-1 for Rnd below 1: those cells get 0.
    FillCells(*this, DoFixed, [&](int c, int r) {
        const int v = Rnd > 1 ? std::uniform_int_distribution<int>(0, Rnd - 1)(FillRandom()) : 0;
        SetInts(RealColIndex(c), r, v);
    });
}

void TExtStringGrid::LinearFill(bool DoFixed)
{
    FillCells(*this, DoFixed, [&](int c, int r) { SetCellEx(RealColIndex(c), r, IntToStr(c) + ":" + IntToStr(r)); });
}
