// Calculations over a column's rows or a row's columns, automatic numbering, and the
// exchange of two columns or two rows.
#include <algorithm>
#include <cmath>
#include <set>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"
#include "grid/util/GridTextUtils.h"
#include "platform/rtl/SysUtils.h"

namespace {
// The cell's number; EExtGridError when the text is no number (an empty text included),
// where the typed reader would take it as 0.
double StrictFloat(TExtStringGrid* g, int ACol, int ARow)
{
    const String t = Trim(g->GetCellEx(ACol, ARow));
    if (NormalizeNumberText(t).empty()) throw EExtGridError("Cell does not contain a float value");
    return g->GetFloats(ACol, ARow);
}

// A range that reaches past the last displayed data row counts real rows, hidden ones
// included (the footer's sums over hidden rows ask for that).
bool CountsRealRows(TExtStringGrid* g, int ToRow)
{
    const bool footer = g->FloatingFooter() && g->FloatingFooter()->Visible;
    return ToRow > g->RowCount() - (footer ? 2 : 1);
}

// The number of a row of the range: a displayed row, or a real row when Real.
double CalcValue(TExtStringGrid* g, int ACol, int ARow, bool Real)
{
    if (!Real || !g->IsHiddenRow(ARow)) return StrictFloat(g, ACol, Real ? g->DisplRowIndex(ARow) : ARow);
    const String t = NormalizeNumberText(Trim(g->GetCellsEx(ACol, ARow)));
    double v = 0;
    if (t.empty() || !TryStrToFloat(t, v, '.')) throw EExtGridError("Cell does not contain a float value");
    return v;
}
}

void TExtStringGrid::DataRange(int& FromRow, int& ToRow)
{
    if (FromRow == -1 || ToRow == -1) {
        FromRow = FixedRows();
        ToRow = RowCount() - FixedFooters - 1;
    }
    ToRow = std::min(ToRow, (CountsRealRows(this, ToRow) ? TotalRowCount() : RowCount()) - 1);
}

bool TExtStringGrid::CountsInCalc(int ACol, int ARow)
{
    return IsBaseCell(ACol, ARow);
}

namespace {
// Whether row ARow of a range counts: a hidden row always, a displayed one when it is
// the base cell of its merged area or not merged.
bool RowCounts(TExtStringGrid* g, int ACol, int ARow, bool Real, bool (TExtStringGrid::*Counts)(int, int))
{
    if (!Real) return (g->*Counts)(ACol, ARow);
    return g->IsHiddenRow(ARow) || (g->*Counts)(ACol, g->DisplRowIndex(ARow));
}
}

void TExtStringGrid::ForEachCalcRow(int ACol, int First, int ToRow, bool Real, const std::function<void(int)>& Fn)
{
    ExportNotification(esExportStart, First);
    for (int r = First; r <= ToRow; ++r) {
        if (!RowCounts(this, ACol, r, Real, &TExtStringGrid::CountsInCalc)) continue;
        ExportNotification(esExportNextRow, r);
        try {
            Fn(r);
        } catch (const EExtGridError&) {
        }
    }
    ExportNotification(esExportDone, -1);
}

double TExtStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    DataRange(FromRow, ToRow);
    const bool real = CountsRealRows(this, ToRow);
    double sum = 0;
    ForEachCalcRow(ACol, std::max(0, FromRow), ToRow, real, [&](int r) { sum += CalcValue(this, ACol, r, real); });
    return sum;
}

double TExtStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    DataRange(FromRow, ToRow);
    const int n = ToRow - FromRow + 1;
    return n <= 0 ? 0 : ColumnSum(ACol, FromRow, ToRow) / n;
}

double TExtStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
    DataRange(FromRow, ToRow);
    const bool real = CountsRealRows(this, ToRow);
    double v = CalcValue(this, ACol, FromRow, real);
    ForEachCalcRow(ACol, FromRow, ToRow, real, [&](int r) { v = std::min(v, CalcValue(this, ACol, r, real)); });
    return v;
}

double TExtStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
    DataRange(FromRow, ToRow);
    const bool real = CountsRealRows(this, ToRow);
    double v = CalcValue(this, ACol, FromRow, real);
    ForEachCalcRow(ACol, FromRow, ToRow, real, [&](int r) { v = std::max(v, CalcValue(this, ACol, r, real)); });
    return v;
}

double TExtStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow)
{
    DataRange(FromRow, ToRow);
    const int n = ToRow - FromRow + 1;
    // An empty range has no spread.
    if (n <= 0) return 0;
    const bool real = CountsRealRows(this, ToRow);
    const double a = ColumnAvg(ACol, FromRow, ToRow);
    double s = 0;
    ExportNotification(esExportStart, FromRow);
    struct Done {
        TExtStringGrid* g;
        ~Done() { g->ExportNotification(esExportDone, -1); }
    } done{this};
    for (int r = FromRow; r <= ToRow; ++r) {
        const double d = CalcValue(this, ACol, r, real) - a;
        s += d * d;
    }
    return std::sqrt(s / n);
}

double TExtStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow)
{
    DataRange(FromRow, ToRow);
    const bool real = CountsRealRows(this, ToRow);
    std::set<String> seen;
    ExportNotification(esExportStart, FromRow);
    for (int r = std::max(0, FromRow); r <= ToRow; ++r) {
        ExportNotification(esExportNextRow, r);
        seen.insert(UpperCase(real ? GetGridCellsEx(ACol, r) : GetGridCell(ACol, r)));
    }
    ExportNotification(esExportDone, -1);
    return double(seen.size());
}

double TExtStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow)
{
    double Res = 0;
    if (OnColumnCalc) OnColumnCalc(this, ACol, FromRow, ToRow, Res);
    return Res;
}

double TExtStringGrid::FireGroupCalc(int ACol, int FromRow, int ToRow)
{
    double Res = 0;
    if (OnGroupCalc) OnGroupCalc(this, ACol, FromRow, ToRow, Res);
    return Res;
}

double TExtStringGrid::RowSum(int ARow, int fromCol, int toCol)
{
    double sum = 0;
    for (int c = fromCol; c <= toCol; ++c) {
        if (!IsBaseCell(c, ARow)) continue;
        try {
            sum += StrictFloat(this, c, ARow);
        } catch (const EExtGridError&) {
        }
    }
    return sum;
}

double TExtStringGrid::RowAvg(int ARow, int fromCol, int toCol)
{
    // An empty range has no average.
    if (toCol < fromCol) return 0;
    return RowSum(ARow, fromCol, toCol) / (toCol - fromCol + 1);
}

double TExtStringGrid::RowMin(int ARow, int fromCol, int toCol)
{
    double v = StrictFloat(this, fromCol, ARow);
    for (int c = fromCol; c <= toCol; ++c) {
        if (!IsBaseCell(c, ARow)) continue;
        try {
            v = std::min(v, StrictFloat(this, c, ARow));
        } catch (const EExtGridError&) {
        }
    }
    return v;
}

double TExtStringGrid::RowMax(int ARow, int fromCol, int toCol)
{
    double v = StrictFloat(this, fromCol, ARow);
    for (int c = fromCol; c <= toCol; ++c) {
        if (!IsBaseCell(c, ARow)) continue;
        try {
            v = std::max(v, StrictFloat(this, c, ARow));
        } catch (const EExtGridError&) {
        }
    }
    return v;
}

void TExtStringGrid::AutoNumberCol(int ACol)
{
    if (RowCount() <= 0) return;
    const int first = FixedRows(), last = RowCount() - FixedFooters - 1;
    for (int r = first; r <= last; ++r) {
        if (AutoNumberDirection == sdAscending) {
            if (r - first < AutoNumberStart) continue;
            SetInts(ACol, r, r - first + 1 + AutoNumberOffset);
        } else {
            if (last - r < AutoNumberStart) continue;
            SetInts(ACol, r, RowCount() - FixedFooters - r + AutoNumberOffset);
        }
    }
}

void TExtStringGrid::AutoNumberRow(int ARow)
{
    if (ColCount() <= 0) return;
    const int first = FixedCols(), last = ColCount() - FixedRightCols - 1;
    for (int c = first; c <= last; ++c) {
        if (AutoNumberDirection == sdAscending) {
            if (c - first < AutoNumberStart) continue;
            SetInts(c, ARow, c - first + 1 + AutoNumberOffset);
        } else {
            if (last - c < AutoNumberStart) continue;
            SetInts(c, ARow, ColCount() - FixedRightCols - c + AutoNumberOffset);
        }
    }
}

void TExtStringGrid::ExchangeCells(int ACol1, int ARow1, int ACol2, int ARow2)
{
    const String t = GetGridCell(ACol1, ARow1);
    SetGridCell(ACol1, ARow1, GetGridCell(ACol2, ARow2));
    SetGridCell(ACol2, ARow2, t);
    TObject* o1 = GetGridObject(ACol1, ARow1);
    TObject* o2 = GetGridObject(ACol2, ARow2);
    SetGridObject(ACol1, ARow1, o2);
    SetGridObject(ACol2, ARow2, o1);
    // A cell's record knows the cell it belongs to.
    auto reown = [](TObject* o, int c, int r) {
        if (auto* p = dynamic_cast<TCellProperties*>(o)) {
            p->OwnerCol = c;
            p->OwnerRow = r;
        }
    };
    reown(o2, ACol1, ARow1);
    reown(o1, ACol2, ARow2);
}

void TExtStringGrid::SwapColumns(int ACol1, int ACol2)
{
    if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0 || ACol1 >= TotalColCount() || ACol2 >= TotalColCount()) return;
    BeginUpdate();
    struct Finally {
        TExtStringGrid* g;
        ~Finally() { g->EndUpdate(); }
    } fin{this};
    for (int r = 0; r < RowCount(); ++r) {
        ExchangeCells(ACol1, r, ACol2, r);
    }
    const int d1 = DisplColIndex(ACol1), d2 = DisplColIndex(ACol2);
    if (d1 < ColCount() && d2 < ColCount()) {
        const int w = ColWidths(d1);
        SetColWidths(d1, ColWidths(d2));
        SetColWidths(d2, w);
    }
    if (FSortSettings->Column == ACol1) FSortSettings->Column = ACol2;
    else if (FSortSettings->Column == ACol2) FSortSettings->Column = ACol1;
    // Controls placed in cells go with their columns.
    if (FControlList->Count() > 0) {
        for (int i = 0; i < FControlList->Count(); ++i) {
            TControlItem* it = FControlList->GetControl(i);
            if (it->X == ACol1) it->X = ACol2;
            else if (it->X == ACol2) it->X = ACol1;
        }
        CellControlsUpdate(false);
    }
    Invalidate();
}

void TExtStringGrid::SwapRows(int ARow1, int ARow2)
{
    if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount()) return;
    BeginUpdate();
    struct Finally {
        TExtStringGrid* g;
        ~Finally() { g->EndUpdate(); }
    } fin{this};
    for (int c = 0; c < TotalColCount(); ++c) {
        ExchangeCells(c, ARow1, c, ARow2);
    }
    const int h = RowHeights(ARow1);
    SetRowHeights(ARow1, RowHeights(ARow2));
    SetRowHeights(ARow2, h);
    // The exchange is a step of the linked undo history.
    if (FUndoRedo) UndoRowsRecordExchanges({{ARow1, ARow2}}, -1);
    // Controls placed in cells go with their rows.
    if (FControlList->Count() > 0) {
        for (int i = 0; i < FControlList->Count(); ++i) {
            TControlItem* it = FControlList->GetControl(i);
            if (it->Y == ARow1) it->Y = ARow2;
            else if (it->Y == ARow2) it->Y = ARow1;
        }
        CellControlsUpdate(false);
    }
    Invalidate();
}
