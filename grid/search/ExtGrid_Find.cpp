// The find engine: a walk over a range of cells from a start cell, row by row or column
// by column, forwards or backwards, testing each cell's text; and Find, FindFirst,
// FindNext, FindWide, Replace and IsCell built on it.
#include <algorithm>
#include <typeinfo>
#include <vector>

#include "grid/columns/ExtColumnGrid.h"
#include "grid/core/ExtGrid.h"
#include "grid/html/MiniHTML.h"
#include "grid/util/GridDateFilter.h"
#include "platform/rtl/Unicode.h"

namespace {
struct TWalkRange {
    int MinX, MaxX, MinY, MaxY;
    bool HasX(int x) const { return x >= MinX && x <= MaxX; }
    bool HasY(int y) const { return y >= MinY && y <= MaxY; }
};
}

TPoint TExtStringGrid::FindCells(TPoint StartCell, const String& s, TFindParams P, bool Wide, bool Wrap)
{
    const TPoint none(-1, -1);
    FFindParams = P;
    FFindBusy = true;
    const TCellTextMatcher matcher(s, P);
    SearchCache = matcher.Cache();
    SearchCacheWide = Utf8ToUtf16(SearchCache);
    const bool hiddenCols = P.Contains(fnIncludeHiddenColumns);
    const bool hiddenRows = P.Contains(fnIncludeHiddenRows);
    const bool back = P.Contains(fnBackward);
    const bool leftRight = P.Contains(fnDirectionLeftRight);

    // Nothing to search in a grid of only fixed columns or rows.
    if (ColCount() <= FixedCols() || TotalRowCount() <= FixedRows()) {
        FFindBusy = false;
        return none;
    }
    // The cells that exist: the bounds no range may leave.
    const int colLimit = ColCount() - 1 + (hiddenCols ? NumHiddenColumns() : 0);
    const int rowLimit = RowCount() - 1 + (hiddenRows ? NumHiddenRows() : 0);
    TWalkRange R;
    if (P.Contains(fnIncludeFixed)) R = {0, ColCount() - 1, 0, RowCount() - 1};
    else R = {FixedCols(), ColCount() - FixedRightCols - 1, FixedRows(), RowCount() - FixedFooters - 1};
    if (P.Contains(fnSelectedCells)) {
        const TGridRect sel = Selection();
        R = {sel.Left, sel.Right, sel.Top, sel.Bottom};
    }
    if (hiddenCols) R.MaxX += NumHiddenColumns();
    if (hiddenRows) R.MaxY += NumHiddenRows();
    // The restrictions narrow the range before the walk steps: a find within one row
    // (column) then moves on from its start cell instead of testing it again.
    if (P.Contains(fnFindInCurrentRow)) R.MinY = R.MaxY = Row();
    if (P.Contains(fnFindInPresetRow)) R.MinY = R.MaxY = FindRow;
    if (P.Contains(fnFindInCurrentCol)) R.MinX = R.MaxX = Col();
    if (P.Contains(fnFindInPresetCol)) R.MinX = R.MaxX = FindCol;
    R.MinX = std::max(R.MinX, 0);
    R.MinY = std::max(R.MinY, 0);
    R.MaxX = std::min(R.MaxX, colLimit);
    R.MaxY = std::min(R.MaxY, rowLimit);
    if (R.MinX > R.MaxX || R.MinY > R.MaxY) {
        FFindBusy = false;
        return none;
    }

    const int step = back ? -1 : 1;
    const int firstX = back ? R.MaxX : R.MinX, firstY = back ? R.MaxY : R.MinY;
    auto past = [back](int v, int lo, int hi) { return back ? v < lo : v > hi; };
    int x = firstX, y = firstY;
    if (StartCell.X != -1 || StartCell.Y != -1) {
        x = StartCell.X;
        y = StartCell.Y;
        // Within one row (column) the walk goes on from the start's column (row).
        if (R.MinY == R.MaxY) y = R.MinY;
        if (R.MinX == R.MaxX) x = R.MinX;
    }
    if (!R.HasX(x) || !R.HasY(y)) {
        // A start outside the range (the range changed since) begins at its first cell.
        x = firstX;
        y = firstY;
    } else if (StartCell.X != -1 || StartCell.Y != -1) {
        bool wrapped = false;
        if (leftRight) {
            x += step;
            if (past(x, R.MinX, R.MaxX)) {
                y += step;
                x = firstX;
            }
            wrapped = past(y, R.MinY, R.MaxY) || !R.HasY(y);
        } else {
            y += step;
            if (past(y, R.MinY, R.MaxY)) {
                x += step;
                y = firstY;
            }
            wrapped = past(x, R.MinX, R.MaxX) || !R.HasX(x);
        }
        if (wrapped) {
            if (!Wrap) {
                FFindBusy = false;
                return none;
            }
            x = firstX;
            y = firstY;
        }
    }

    // Per column of the range, once: its real index and whether the row-wise walk
    // skips it.
    std::vector<int> realCol(size_t(R.MaxX - R.MinX + 1));
    std::vector<char> ignored(realCol.size());
    for (int c = R.MinX; c <= R.MaxX; ++c) {
        realCol[size_t(c - R.MinX)] = hiddenCols ? c : RealColIndex(c);
        ignored[size_t(c - R.MinX)] = IsIgnoredColumn(realCol[size_t(c - R.MinX)]);
    }
    const bool merged = MergeCount() > 0;
    const bool stripTags = P.Contains(fnIgnoreHTMLTags) && !Wide;
    // Cells without records, display hooks or derived display texts show their stored
    // text: it is tested where it lies, without a copy. (Only the grid's own classes are
    // known to add no display text of their own.)
    const bool ownClass = typeid(*this) == typeid(TExtStringGrid) || typeid(*this) == typeid(TExtColumnGrid);
    const bool stored = ownClass && !hiddenRows && !stripTags && !HasCellProps() && !OnGetDisplText &&
                        !OnGetDisplWideText && !FURLShowInText && !FGrouping->ShowGroupCount;
    auto test = [&](int cx, int cy) -> bool {
        const int rc = realCol[size_t(cx - R.MinX)];
        if (stored) return matcher.Matches(Cells(rc, cy));
        // The cells a merged area covers show its base cell's text: only the base cell
        // is found, once.
        if (merged) {
            const int dy = hiddenRows ? (IsHiddenRow(cy) ? -1 : DisplRowIndex(cy)) : cy;
            if (dy >= 0 && IsMergedNonBaseCell(rc, dy)) return false;
        }
        String text = hiddenRows ? GetCellsEx(rc, cy) : GetCellEx(rc, cy);
        if (stripTags && text.find('<') != String::npos) text = StripHTMLToText(text);
        return matcher.Matches(text);
    };

    ExportNotification(esExportStart, -1);
    bool found = false;
    if (leftRight) {
        for (; !found && R.HasY(y); x = found ? x : firstX, y = found ? y : y + step)
            for (; R.HasX(x); x += step) {
                if (ignored[size_t(x - R.MinX)]) continue;
                ExportNotification(esExportNewRow, y);
                if ((found = test(x, y))) break;
            }
    } else {
        for (; !found && R.HasX(x); y = found ? y : firstY, x = found ? x : x + step)
            for (; R.HasY(y); y += step) {
                ExportNotification(esExportNewRow, y);
                if ((found = test(x, y))) break;
            }
    }
    if (!found) {
        ExportNotification(esExportDone, -1);
        FFindBusy = false;
        return none;
    }
    ExportNotification(esExportFail, -1);
    FSearchCell = TPoint(x, y);
    if (P.Contains(fnAutoGoto)) {
        int row = y;
        if (hiddenRows) {
            // A row hidden inside a contracted node comes back with its node.
            if (IsHiddenRow(y))
                for (int d = 0; d < RowCount(); ++d) {
                    if (!IsNode(d) || !GetNodeState(d)) continue;
                    const int real = RealRowIndex(d), span = GetNodeSpan(d);
                    if (y > real && y < real + span) {
                        ExpandNode(real);
                        break;
                    }
                }
            row = IsHiddenRow(y) ? -1 : DisplRowIndex(y);
        }
        const int col = hiddenCols ? (IsHiddenColumn(x) ? -1 : DisplColIndex(x)) : x;
        if (row >= 0 && row < RowCount()) {
            if (FMouseActions->DisjunctRowSelect()) {
                ClearRowSelect();
                SetRowSelect(row, true);
                SetRow(row);
            } else {
                SetRow(row);
                if (col >= 0 && col < ColCount()) SetCol(col);
            }
        }
    }
    return FSearchCell;
}

TPoint TExtStringGrid::Find(TPoint StartCell, const String& s, TFindParams FindParams)
{
    const TPoint r = FindCells(StartCell, s, FindParams, false, true);
    if (r.X >= 0 && FindParams.Contains(fnAutoGoto)) {
        // A find near the bottom brings a little of what follows into view.
        const int a = FFloatingFooter->Visible ? 2 : 0;
        if (Row() > TopRow() + VisibleRowCount() - a - 2 && RowCount() > VisibleRowCount() + FixedRows() + a)
            SetTopRow(std::min(TopRow() + a + 1, std::max(FixedRows(), RowCount() - VisibleRowCount())));
    }
    return r;
}

TPoint TExtStringGrid::FindWide(TPoint StartCell, const std::u16string& s, TFindParams FindParams)
{
    return FindCells(StartCell, Utf16ToUtf8(s), FindParams, true, true);
}

TPoint TExtStringGrid::FindFirst(const String& s, TFindParams FindParams)
{
    FSearchCell = Find(TPoint(-1, -1), s, FindParams);
    return FSearchCell;
}

TPoint TExtStringGrid::FindNext()
{
    // The cache holds the text as compared; with fnMatchCase that is the text itself,
    // otherwise its upper case finds the same cells.
    FSearchCell = Find(FSearchCell, SearchCache, FFindParams);
    return FSearchCell;
}

int TExtStringGrid::Replace(const String& OrigStr, const String& NewStr, TFindParams FindParams)
{
    if (OrigStr.empty()) return 0;
    const bool hiddenCols = FindParams.Contains(fnIncludeHiddenColumns);
    const bool hiddenRows = FindParams.Contains(fnIncludeHiddenRows);
    const bool ignoreCase = !FindParams.Contains(fnMatchCase);
    int count = 0;
    BeginUpdate();
    try {
        // Each cell at most once: the walk does not go round, so a replacement that
        // still holds the text is not found again.
        for (TPoint p = FindCells(TPoint(-1, -1), OrigStr, FindParams, false, false); p.X >= 0;
             p = FindCells(p, OrigStr, FindParams, false, false)) {
            const int rc = hiddenCols ? p.X : RealColIndex(p.X);
            const String text = hiddenRows ? GetCellsEx(rc, p.Y) : GetCellEx(rc, p.Y);
            const String now = ReplaceOccurrences(text, OrigStr, NewStr, ignoreCase);
            if (now == text) continue;
            if (hiddenRows) SetCellsEx(rc, p.Y, now);
            else SetCellEx(rc, p.Y, now);
            ++count;
            const int row = hiddenRows ? (IsHiddenRow(p.Y) ? -1 : DisplRowIndex(p.Y)) : p.Y;
            if (FShowModified->Enabled && row >= 0) SetRowModified(row, true);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return count;
}

bool TExtStringGrid::IsCell(const String& SubStr, int& ACol, int& ARow)
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (GetGridCell(RealColIndex(c), r) == SubStr) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}
