// Sizing columns to their contents: the widest cell of the rows the column size
// settings name, with the cell margins and grid lines, through the width hook and the
// grid's size limits.
#include <algorithm>
#include <cmath>

#include "grid/core/ExtGrid.h"

namespace {
// Value raised to Min and lowered to Max (0 = no limit); unchanged when the two agree.
int ApplySizeLimits(int Value, int Min, int Max)
{
    if (Min == Max) return Value;
    const int given = Value;
    if (Min > 0 && Value < Min) Value = Min;
    if (Max > 0 && given > Max) Value = Max;
    return Value;
}
}

void TExtStringGrid::AutoSizeColumnWidth(int ACol, bool GrowOnly)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    const int rc = RealColIndex(ACol);
    int from = 0, to = RowCount() - 1;
    switch (FColumnSize->Rows) {
    case arNormal:
        from = FixedRows();
        to = RowCount() - FixedFooters - 1;
        break;
    case arFixed:
        to = FixedRows() - 1;
        break;
    default:
        break;
    }
    int widest = 0;
    for (int r = std::max(0, from); r <= to && r < RowCount(); ++r) {
        if (IsXMergedCell(rc, r)) continue;
        int c = GetCellGraphicSize(rc, r).X + GetCellTextSize(rc, r, false, false).X;
        if (FControlLook->DropDownAlwaysVisible && HasComboBox(rc, r)) c += 16;
        if (IsSortIndicatorCell(rc, r) && rc == FSortSettings->Column) c += 10;
        widest = std::max(widest, c);
    }
    const int totalX = XYOffsetTopLeftOnly ? XYOffset.X : 2 * XYOffset.X;
    int w = totalX + widest + 2 * (GridLineWidth() + 1);
    if (GrowOnly && ColWidths(ACol) >= w) return;
    FireUpdateAutoColumnSize(ACol, w);
    SetColWidths(ACol, ApplySizeLimits(w, MinColWidth, MaxColWidth));
}

void TExtStringGrid::AutoSizeCol(int ACol, int Padding)
{
    if (ACol < 0 || ACol >= ColCount()) return;
    AutoSizeColumnWidth(ACol, SizeGrowOnly);
    if (Padding != 0) SetColWidths(ACol, ApplySizeLimits(ColWidths(ACol) + Padding, MinColWidth, MaxColWidth));
}

void TExtStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    const int from = DoFixedCols ? 0 : FixedCols();
    const int to = DoFixedCols ? ColCount() - 1 : ColCount() - FixedRightCols - 1;
    for (int c = from; c <= to; ++c) AutoSizeCol(c, Padding);
}

// ---------------------------------------------------------------- rows

int TExtStringGrid::MaxLinesInRow(int ARow)
{
    if (!Multilinecells) return 1;
    int most = 1;
    for (int c = 0; c < TotalColCount(); ++c) {
        const String& t = GetGridCell(c, ARow);
        int n = 1;
        for (char ch : t) n += ch == '\n';
        most = std::max(most, n);
    }
    return most;
}

void TExtStringGrid::AutoSizeRowHeight(int ARow, bool GrowOnly, int Margin)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    TCanvas* cv = Canvas();
    int highest = 0;
    for (int c = 0; c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        if (IsYMergedCell(rc, ARow) || IsIgnoredColumn(rc)) continue;
        cv->Font()->Assign(ARow < FixedRows() || c < FixedCols() ? *FFixedFont : *Font());
        TBrush brush;
        FireGetCellColor(rc, ARow, TGridDrawState(), &brush, cv->Font());
        if (ZoomFactor) cv->Font()->SetSize(cv->Font()->Size() + ZoomFactor);
        const int t = GetCellTextSize(rc, ARow, WordWrap(), false).Y;
        TPoint g;
        CalcCellGraphicSize(rc, ARow, g, Margin);
        int h = t + g.Y;
        if (TCellGraphic* gr = GetCellGraphic(rc, ARow)) {
            if (gr->CellVAlign == vaFull) h = t + (t > 0 ? 0 : DefaultRowHeight());
            if (gr->CellType == ctCheckBox || gr->CellType == ctDataCheckBox || gr->CellType == ctVirtCheckBox ||
                gr->CellType == ctRadioButton)
                h = DefaultRowHeight();
        }
        if (IsMergedNonBaseCell(rc, ARow)) h = 0;
        highest = std::max(highest, h);
    }
    int H = highest + TotalYOffset() + 2 * GridLineWidth() + (XYOffsetTopLeftOnly ? 2 : 0);
    const bool wasAll = VisibleRowCount() == RowCount() && EditMode && FSizeWhileTyping->Height;
    if (GrowOnly && RowHeights(ARow) >= H) return;
    SetRowHeights(ARow, ApplySizeLimits(H, MinRowHeight, MaxRowHeight));
    if (wasAll && VisibleRowCount() != RowCount()) {
        ShowInplaceEdit();
        if (TInplaceEdit* e = NormalEdit()) e->Deselect();
    }
}

void TExtStringGrid::AutoSizeRow(int ARow, int Padding)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    AutoSizeRowHeight(ARow, SizeGrowOnly, Padding);
    if (Padding != 0) SetRowHeights(ARow, ApplySizeLimits(RowHeights(ARow) + Padding, MinRowHeight, MaxRowHeight));
}

void TExtStringGrid::SizeRowToLines(int ARow, int Lines, int Padding)
{
    if (ARow < 0 || ARow >= RowCount()) return;
    TCanvas* cv = Canvas();
    cv->Font()->Assign(*Font());
    TBrush brush;
    FireGetCellColor(RealColIndex(FixedCols()), ARow, TGridDrawState(), &brush, cv->Font());
    const int h = cv->TextHeight("gh");
    SetRowHeights(ARow, ApplySizeLimits(Padding + Lines * (h + h / 8), MinRowHeight, MaxRowHeight));
}

void TExtStringGrid::AutoSizeRows(bool DoFixedRows, int Padding)
{
    const int f = DoFixedRows ? 0 : FixedRows();
    for (int r = f; r < RowCount(); ++r) {
        if (WordWrap()) {
            AutoSizeRow(r, 0);
            if (Padding != 0) SetRowHeights(r, ApplySizeLimits(RowHeights(r) + Padding, MinRowHeight, MaxRowHeight));
        } else {
            SizeRowToLines(r, MaxLinesInRow(r), Padding);
        }
    }
    ApplyScrollBarAlways(true);
}

// ---------------------------------------------------------------- all cells, the control

void TExtStringGrid::AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY)
{
    BeginUpdate();
    struct Finally {
        TExtStringGrid* g;
        ~Finally() { g->EndUpdate(); }
    } fin{this};
    TCanvas* cv = Canvas();
    for (int c = DoFixedCells ? 0 : FixedCols(); c < ColCount(); ++c) {
        const int rc = RealColIndex(c);
        int a = SizeGrowOnly ? ColWidths(c) : 0;
        for (int r = DoFixedCells ? 0 : FixedRows(); r < RowCount(); ++r) {
            const int b = RowHeights(r);
            cv->Font()->Assign(c < FixedCols() || r < FixedRows() ? *FFixedFont : *Font());
            TBrush brush;
            FireGetCellColor(rc, r, TGridDrawState(), &brush, cv->Font());
            const TPoint t = GetCellTextSize(rc, r, false, false);
            const TPoint g = GetCellGraphicSize(rc, r);
            int W = t.X + g.X + PaddingX + XYOffset.X;
            int H = t.Y + g.Y + PaddingY + XYOffset.Y;
            if (!IsXMergedCell(rc, r) && W > a) {
                W = ApplySizeLimits(W, MinColWidth, MaxColWidth);
                if (W > a) {
                    SetColWidths(c, W);
                    a = W;
                }
            }
            if (!IsYMergedCell(rc, r) && H > b) {
                H = ApplySizeLimits(H, MinRowHeight, MaxRowHeight);
                if (H > b) SetRowHeights(r, H);
            }
        }
        if (!SizeGrowOnly && a > 0) SetColWidths(c, a);
    }
}

void TExtStringGrid::SizeToCols()
{
    int w = 0;
    for (int c = 0; c < ColCount(); ++c) w += ColWidths(c);
    SetClientWidth(w);
}

void TExtStringGrid::SizeToRows()
{
    int h = 0;
    for (int r = 0; r < RowCount(); ++r) h += RowHeights(r);
    SetClientHeight(h);
}

void TExtStringGrid::SizeToCells()
{
    const TScrollStyle old = ScrollBars();
    SetScrollBars(ssNone);
    SizeToCols();
    SizeToRows();
    SetScrollBars(old);
}

void TExtStringGrid::AutoFitColumns(bool DoFixedCells)
{
    const int v = (FScrollBarAlways == saVert || (ScrollBars() != ssNone && VisibleRowCount() + FixedRows() < RowCount()))
                      ? TGridScrollBar::Size
                      : 0;
    const int b = FBorderStyle == bsSingle ? 2 : 0;
    int first = 0, last = ColCount() - 1, W = Width();
    if (!DoFixedCells) {
        first = FixedCols();
        last = ColCount() - FixedRightCols - 1;
        for (int c = 0; c < FixedCols(); ++c) W -= ColWidths(c);
        for (int c = last + 1; c < ColCount(); ++c) W -= ColWidths(c);
    }
    int L = Options().Contains(goVertLine) ? GridLineWidth() * (ColCount() - FixedCols() - FixedRightCols) : 0;
    if (DoFixedCells && Options().Contains(goFixedVertLine)) L += FixedCols() + FixedRightCols;
    if (ColCount() <= 1) {
        if (ColCount() == 1) SetColWidths(0, Width() - v - 5);
        return;
    }
    if (last < first) return;
    long long S = 0;
    for (int c = first; c <= last; ++c) S += ColWidths(c);
    const int room = W - v - b;
    // Nothing to scale when the columns have no width.
    if (S == room || S <= 0) return;
    const double f = double(room - L) / double(S);
    long long T = 0;
    for (int c = first; c <= last; ++c) T += std::llround(std::nearbyint(ColWidths(c) * f));
    for (int c = first; c <= last; ++c) SetColWidths(c, int(std::nearbyint(double(ColWidths(c)) * double(T) / double(S))));
    long long now = 0;
    for (int c = first; c <= last; ++c) now += ColWidths(c);
    int R = int(room - now);
    const int n = last - first + 1;
    if (n >= 2 && n < R) {
        const int each = R / n;
        for (int c = first; c <= last; ++c) SetColWidths(c, ColWidths(c) + each);
        R -= n * each;
    }
    int widest = first;
    for (int c = first; c <= last; ++c)
        if (ColWidths(c) > ColWidths(widest)) widest = c;
    SetColWidths(widest, ColWidths(widest) + R);
}
