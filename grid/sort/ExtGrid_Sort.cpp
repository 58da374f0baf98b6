// Sorting the rows: the order is worked out first (a stable merge sort of row numbers
// with the typed comparison, each cell read once), then the rows are brought into it
// with the sort's row exchange, one exchange per row at most. Because nothing moves
// while the rows are compared, an event that fails during the comparisons leaves the
// rows untouched; a failure while rows move is undone exchange by exchange.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>
#include <numeric>

#include "grid/core/ExtGrid.h"
#include "grid/sort/SortCompare.h"
#include "grid/util/GridSupport.h"

namespace {

// Runs its action when the scope ends, whichever way it ends.
class TScopeExit {
public:
    explicit TScopeExit(std::function<void()> f) : F(std::move(f)) {}
    ~TScopeExit() { F(); }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

private:
    std::function<void()> F;
};

// A stable merge sort of the items: Later(a, b) tells that item a, standing before item
// b, belongs after it. Equal items keep their order; a comparison that is not
// consistent (the automatic style can be) still ends with every item placed once.
template <class T, class Later>
void StableSort(std::vector<T>& a, Later later)
{
    const int N = int(a.size());
    std::vector<T> b(a.size());
    constexpr int kRun = 12;
    // Short runs by insertion.
    for (int lo = 0; lo < N; lo += kRun) {
        const int hi = std::min(N, lo + kRun);
        for (int i = lo + 1; i < hi; ++i) {
            T x = std::move(a[size_t(i)]);
            int j = i;
            while (j > lo && later(a[size_t(j - 1)], x)) {
                a[size_t(j)] = std::move(a[size_t(j - 1)]);
                --j;
            }
            a[size_t(j)] = std::move(x);
        }
    }
    for (int width = kRun; width < N; width *= 2) {
        for (int lo = 0; lo < N; lo += 2 * width) {
            const int mid = std::min(N, lo + width), hi = std::min(N, lo + 2 * width);
            if (mid >= hi || !later(a[size_t(mid - 1)], a[size_t(mid)])) {
                // Already in order: the run is taken over as it stands.
                std::move(a.begin() + lo, a.begin() + hi, b.begin() + lo);
                continue;
            }
            int i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                b[size_t(k++)] = later(a[size_t(i)], a[size_t(j)]) ? std::move(a[size_t(j++)]) : std::move(a[size_t(i++)]);
            while (i < mid) b[size_t(k++)] = std::move(a[size_t(i++)]);
            while (j < hi) b[size_t(k++)] = std::move(a[size_t(j++)]);
        }
        a.swap(b);
    }
}

template <class Later>
std::vector<int> StableOrder(int N, Later later)
{
    std::vector<int> a(static_cast<size_t>(N));
    std::iota(a.begin(), a.end(), 0);
    StableSort(a, later);
    return a;
}

// A row's text for the ordinal order, with its first eight bytes as one number: most
// comparisons are decided by the numbers alone, without reaching the texts.
struct TOrdinalEntry {
    std::uint64_t Prefix = 0;
    const String* Text = nullptr;
    int Row = 0;
    unsigned Length = 0;
};

TOrdinalEntry MakeOrdinalEntry(const String* Text, int Row)
{
    TOrdinalEntry e;
    e.Text = Text;
    e.Row = Row;
    e.Length = unsigned(Text->size());
    for (size_t k = 0; k < 8; ++k)
        e.Prefix = (e.Prefix << 8) | (k < Text->size() ? static_cast<unsigned char>((*Text)[k]) : 0u);
    return e;
}

int CompareOrdinal(const TOrdinalEntry& a, const TOrdinalEntry& b)
{
    if (a.Prefix != b.Prefix) {
        const int shift = 56 - (std::countl_zero(a.Prefix ^ b.Prefix) & ~7);
        const unsigned ba = unsigned(a.Prefix >> shift) & 0xFF, bb = unsigned(b.Prefix >> shift) & 0xFF;
        // Byte order is the UTF-16 order below the bytes that begin E000 and beyond.
        if (ba < 0xEE && bb < 0xEE) return a.Prefix < b.Prefix ? -1 : 1;
        return CompareUtf16Order(*a.Text, *b.Text);
    }
    if (a.Length <= 8 && b.Length <= 8) return a.Length < b.Length ? -1 : a.Length > b.Length ? 1 : 0;
    return CompareUtf16Order(*a.Text, *b.Text);
}

} // namespace

// ---------------------------------------------------------------- the row exchange

void TExtStringGrid::SortSwapRows(int ARow1, int ARow2)
{
    ++Swaps;
    if (ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount()) return;
    if (ARow1 < FSortCross->Count() && ARow2 < FSortCross->Count()) {
        const int x = FSortCross->GetInteger(ARow1);
        FSortCross->SetInteger(ARow1, FSortCross->GetInteger(ARow2));
        FSortCross->SetInteger(ARow2, x);
    }
    if (FSortSettings->SingleColumn) {
        const int c = FSortSettings->Column;
        if (c >= 0 && c < TotalColCount()) {
            // Only the sort column's cells change places: an editor in it follows its cell.
            if (EditedCellsOpen())
                EditedRowsRemap([ARow1, ARow2](int r) { return r == ARow1 ? ARow2 : r == ARow2 ? ARow1 : r; }, c);
            TEditedCellsMovingScope moving(this);
            ExchangeCells(c, ARow1, c, ARow2);
        }
        if (FSortJournal) FSortJournal->emplace_back(ARow1, ARow2);
        return;
    }
    ExchangeRowCells(ARow1, ARow2);
    if (FGroupOriginKept) GroupOriginSwap(ARow1, ARow2);
    if (RowHeights(ARow1) != RowHeights(ARow2)) {
        const int h = RowHeights(ARow1);
        SetRowHeights(ARow1, RowHeights(ARow2));
        SetRowHeights(ARow2, h);
    }
    if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort) {
        const bool s1 = GetRowSelect(ARow1);
        SetRowSelect(ARow1, GetRowSelect(ARow2));
        SetRowSelect(ARow2, s1);
    }
    if (FShowModified->Enabled) {
        const bool m1 = GetRowModified(ARow1);
        SetRowModified(ARow1, GetRowModified(ARow2));
        SetRowModified(ARow2, m1);
    }
    if (SortRow == ARow1) SortRow = ARow2;
    else if (SortRow == ARow2) SortRow = ARow1;
    if (FSortJournal) FSortJournal->emplace_back(ARow1, ARow2);
}

void TExtStringGrid::ApplySortOrder(int Lo, const std::vector<int>& Order)
{
    const int n = int(Order.size());
    // pos[k]: where the row that stood at Lo + k stands now; at[i]: which row stands at Lo + i.
    std::vector<int> pos(static_cast<size_t>(n)), at(static_cast<size_t>(n));
    std::iota(pos.begin(), pos.end(), 0);
    std::iota(at.begin(), at.end(), 0);
    for (int i = 0; i < n; ++i) {
        const int want = Order[size_t(i)];
        const int from = pos[size_t(want)];
        if (from == i) continue;
        SortSwapRows(Lo + i, Lo + from);
        const int displaced = at[size_t(i)];
        at[size_t(from)] = displaced;
        pos[size_t(displaced)] = from;
        at[size_t(i)] = want;
        pos[size_t(want)] = i;
    }
}

void TExtStringGrid::InitSortXRef()
{
    FSortCross->Clear();
    for (int r = 0; r < RowCount(); ++r) FSortCross->Add(r);
}

// ---------------------------------------------------------------- the row sorts

namespace {

// Vertically merged areas cannot move with single rows: those reaching into rows
// Lo .. Hi are split before the rows move (their cells keep their texts).
void SplitRowMerges(TExtStringGrid* g, int Lo, int Hi)
{
    if (g->MergeCount() == 0) return;
    for (int r = Lo; r <= Hi; ++r)
        for (int c = 0; c < g->TotalColCount(); ++c)
            if (g->IsYMergedCell(c, r)) {
                const TPoint b = g->BaseCell(c, r);
                g->SplitCells(b.X, b.Y);
            }
}

} // namespace

void TExtStringGrid::RowSort(int ACol, int Lo, int Hi)
{
    Lo = std::max(Lo, 0);
    Hi = std::min(Hi, RowCount() - 1);
    SortDir = FSortSettings->Direction == sdDescending ? -1 : 1;
    if (Hi <= Lo || ACol < 0 || ACol >= TotalColCount()) return;
    SplitRowMerges(this, Lo, Hi);
    const int cols = TotalColCount();
    std::vector<int> rows(size_t(Hi - Lo + 1));
    std::iota(rows.begin(), rows.end(), Lo);
    std::vector<std::unique_ptr<TSortColumnCompare>> compare(static_cast<size_t>(cols));
    std::vector<char> ignored(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c) ignored[size_t(c)] = IsIgnoredColumn(c);
    const TSortDirection dir = FSortSettings->Direction;
    const bool full = FSortSettings->Full;
    const int sortDir = SortDir;
    auto column = [&](int c) -> TSortColumnCompare& {
        auto& cmp = compare[size_t(c)];
        if (!cmp) cmp = std::make_unique<TSortColumnCompare>(this, c, dir, rows);
        return *cmp;
    };
    // The comparison of two rows from column From on (counted from Lo).
    auto chain = [&](int From, int a, int b) {
        for (int c = From;; ++c) {
            if (ignored[size_t(c)]) return 0;
            const int r = column(c).Compare(a, b);
            if (r != 0 || !full || c > cols - 2) return r;
        }
    };
    std::vector<int> order;
    std::vector<const String*> texts;
    if (!ignored[size_t(ACol)] && column(ACol).OrdinalTexts(texts)) {
        // Plain texts: sorted as compact entries, the following columns asked for ties only.
        std::vector<TOrdinalEntry> entries;
        entries.reserve(texts.size());
        for (size_t i = 0; i < texts.size(); ++i) entries.push_back(MakeOrdinalEntry(texts[i], int(i)));
        StableSort(entries, [&](const TOrdinalEntry& a, const TOrdinalEntry& b) {
            ++Compares;
            int r = CompareOrdinal(a, b);
            if (r == 0 && full && ACol <= cols - 2) r = chain(ACol + 1, a.Row, b.Row);
            return r == sortDir;
        });
        order.reserve(entries.size());
        for (const TOrdinalEntry& e : entries) order.push_back(e.Row);
    } else {
        order = StableOrder(int(rows.size()), [&](int a, int b) { return chain(ACol, a, b) == sortDir; });
    }
    ApplySortOrder(Lo, order);
}

void TExtStringGrid::RowSortIndexed(int Lo, int Hi)
{
    Lo = std::max(Lo, 0);
    Hi = std::min(Hi, RowCount() - 1);
    SortDir = 1;
    const int keys = FSortIndexes->Count();
    if (Hi <= Lo || keys == 0) return;
    SplitRowMerges(this, Lo, Hi);
    std::vector<int> rows(size_t(Hi - Lo + 1));
    std::iota(rows.begin(), rows.end(), Lo);
    std::vector<std::unique_ptr<TSortColumnCompare>> compare(static_cast<size_t>(keys));
    std::vector<int> column(static_cast<size_t>(keys));
    std::vector<char> ascending(static_cast<size_t>(keys)), skip(static_cast<size_t>(keys));
    for (int k = 0; k < keys; ++k) {
        column[size_t(k)] = FSortIndexes->GetSortColumns(k);
        ascending[size_t(k)] = FSortIndexes->GetSortDirections(k);
        // A key beyond the columns compares equal, like an ignored column.
        skip[size_t(k)] = column[size_t(k)] >= TotalColCount() || IsIgnoredColumn(column[size_t(k)]);
    }
    const bool full = FSortSettings->Full;
    auto later = [&](int a, int b) {
        for (int k = 0; k < keys; ++k) {
            if (skip[size_t(k)]) return false;
            auto& cmp = compare[size_t(k)];
            if (!cmp)
                cmp = std::make_unique<TSortColumnCompare>(this, column[size_t(k)],
                                                           ascending[size_t(k)] ? sdAscending : sdDescending, rows);
            int r = cmp->Compare(a, b);
            if (!ascending[size_t(k)]) r = -r;
            if (r != 0 || !full) return r == 1;
        }
        return false;
    };
    const std::vector<int> order = StableOrder(int(rows.size()), later);
    ApplySortOrder(Lo, order);
}

void TExtStringGrid::QuickSort(int ACol, int Left, int Right)
{
    RowSort(ACol, Left, Right);
    Invalidate();
}

void TExtStringGrid::QuickSortIndexed(int Left, int Right)
{
    RowSortIndexed(Left, Right);
    Invalidate();
}

bool TExtStringGrid::SortLine(int ACol, int ARow1, int ARow2)
{
    for (int c = ACol; c >= 0; ++c) {
        const int r = CompareCells(c, ARow1, ARow2, FSortSettings->Direction);
        if (r == SortDir) {
            SortSwapRows(ARow1, ARow2);
            return true;
        }
        if (r != 0 || c >= TotalColCount() - 1) return false;
    }
    return false;
}

// ---------------------------------------------------------------- the bookkeeping

void TExtStringGrid::RunSort(TSortRunKind Kind, const std::function<void(int First, int Last)>& Body)
{
    // What a failure puts back.
    const std::vector<int> oldCross = FSortCross->Items();
    const std::vector<int> oldIndexes = FSortIndexes->Items();
    const int oldSwaps = Swaps, oldSortRow = SortRow, oldRow = Row(), oldTop = TopRow();
    if (FSortCross->Count() != RowCount()) InitSortXRef();
    if (Kind == srkColumn) FSortIndexes->Clear();

    // Row numbers in column 0 stay where they are.
    std::vector<String> column0;
    if (FSortSettings->NormalCellsOnly && FixedCols() > 0) {
        column0.reserve(size_t(RowCount()));
        for (int r = 0; r < RowCount(); ++r) column0.push_back(GetGridCell(0, r));
    }
    const int lockBefore = FUpdateCount;
    BeginUpdate();
    const bool locked = FUpdateCount > lockBefore;

    std::vector<std::pair<int, int>> journal;
    bool done = false;
    if (FGroupOriginKept) GroupOriginBeginSort();
    TScopeExit guard([&] {
        FSortJournal = nullptr;
        FGroupRealRows.clear();
        if (!done) {
            // Every exchange undone, last first; a failure while undoing stops the undo.
            try {
                for (auto it = journal.rbegin(); it != journal.rend(); ++it) SortSwapRows(it->first, it->second);
            } catch (...) {
            }
            FSortCross->Clear();
            for (int v : oldCross) FSortCross->Add(v);
            FSortIndexes->Clear();
            for (int v : oldIndexes) FSortIndexes->Add(v);
            Swaps = oldSwaps;
            SortRow = oldSortRow;
        }
        for (size_t r = 0; r < column0.size() && int(r) < RowCount(); ++r) SetGridCell(0, int(r), column0[r]);
        if (locked) EndUpdate();
    });

    SortRow = oldRow;
    FSortJournal = &journal;
    const int first = FixedRows(), last = RowCount() - 1 - FixedFooters;
    if (last > first) Body(first, last);
    FSortJournal = nullptr;
    done = true;
    // The new order is a step of the linked undo history.
    if (FUndoRedo) UndoRowsRecordExchanges(journal, FSortSettings->SingleColumn ? FSortSettings->Column : -1);

    // The current row: it follows its contents with MoveRowOnSort, else it stays where
    // it was (an indexed sort does this in every selection mode).
    const bool moveRow = Kind == srkIndexed || Kind == srkGroupIndexed || !FMouseActions->DisjunctRowSelect();
    if (moveRow && FNavigation->MoveRowOnSort && SortRow >= FixedRows() && SortRow < RowCount() && SortRow != Row())
        MoveColRow(Col(), SortRow, true, !FNavigation->KeepScrollOnSort);
    if (Kind == srkColumn && !FNavigation->MoveRowOnSort && OnRowChanged) OnRowChanged(this, oldRow, Row());
    if (FNavigation->KeepScrollOnSort && oldTop >= FixedRows() && oldTop < RowCount()) SetTopRow(oldTop);
    if (!locked) Invalidate();
    if (FFooterPanel && FFloatingFooter->Visible) FFooterPanel->Invalidate();
    if (FSearchPanel && FSearchFooter->Visible()) FSearchPanel->Invalidate();
}

// ---------------------------------------------------------------- the sort operations

void TExtStringGrid::QSort()
{
    const int col = FSortSettings->Column;
    if (col < 0 || col >= TotalColCount()) return;
    RunSort(srkColumn, [&](int First, int Last) { RowSort(col, First, Last); });
}

void TExtStringGrid::QSortIndexed()
{
    if (FSortIndexes->Count() == 0) throw EExtGridError("No indexes specified for indexed sort");
    RunSort(srkIndexed, [&](int First, int Last) { RowSortIndexed(First, Last); });
}

std::vector<std::pair<int, int>> TExtStringGrid::DeepestGroupBlocks(int First, int Last)
{
    TExtStringGrid* g = this;
    int deepest = 0;
    for (int r = First; r <= Last; ++r) deepest = std::max(deepest, g->GetNodeLevel(r));
    std::vector<std::pair<int, int>> blocks;
    if (deepest <= 0) return blocks;
    for (int r = First; r <= Last; ++r) {
        if (g->GetNodeLevel(r) != deepest || g->GetNodeState(r)) continue;
        const int span = g->NodeDisplaySpan(r);
        // A node with a single row has nothing to order.
        if (span <= 2) continue;
        blocks.emplace_back(r + 1, std::min(r + span - 1, Last));
    }
    return blocks;
}

void TExtStringGrid::QSortGroup()
{
    const int col = FSortSettings->Column;
    if (col < 0 || col >= TotalColCount()) return;
    RunSort(srkGroup, [&](int First, int Last) {
        for (const auto& [lo, hi] : DeepestGroupBlocks(First, Last)) RowSort(col, lo, hi);
    });
}

void TExtStringGrid::QSortGroupIndexed()
{
    if (FSortIndexes->Count() == 0) throw EExtGridError("No indexes specified for indexed sort");
    RunSort(srkGroupIndexed, [&](int First, int Last) {
        for (const auto& [lo, hi] : DeepestGroupBlocks(First, Last)) RowSortIndexed(lo, hi);
    });
}

void TExtStringGrid::Sort(int ACol, TSortDirection Direction)
{
    const int oldCol = FSortSettings->Column;
    const TSortDirection oldDir = FSortSettings->Direction;
    FSortSettings->Column = ACol;
    FSortSettings->Direction = Direction;
    try {
        QSort();
    } catch (...) {
        FSortSettings->Column = oldCol;
        FSortSettings->Direction = oldDir;
        throw;
    }
}

void TExtStringGrid::SortByColumn(int ACol)
{
    if (RowCount() <= 1) return;
    const int oldCol = FSortSettings->Column;
    FSortSettings->Column = ACol;
    try {
        QSort();
    } catch (...) {
        FSortSettings->Column = oldCol;
        throw;
    }
}

void TExtStringGrid::QUnSort()
{
    const int n = RowCount();
    // The recorded order applies only while the grid has the rows it was recorded for.
    if (FSortCross->Count() != n) return;
    std::vector<int> order(size_t(n), -1);
    for (int i = 0; i < n; ++i) {
        const int v = FSortCross->GetInteger(i);
        if (v < 0 || v >= n || order[size_t(v)] >= 0) return;
        order[size_t(v)] = i;
    }
    FUnsortCross->Clear();
    for (int v : FSortCross->Items()) FUnsortCross->Add(v);

    std::vector<String> column0;
    if (FSortSettings->NormalCellsOnly && FixedCols() > 0)
        for (int r = 0; r < n; ++r) column0.push_back(GetGridCell(0, r));
    const int lockBefore = FUpdateCount;
    BeginUpdate();
    const bool locked = FUpdateCount > lockBefore;
    const int oldSwaps = Swaps, oldSortRow = SortRow;
    std::vector<std::pair<int, int>> journal;
    bool done = false;
    TScopeExit guard([&] {
        FSortJournal = nullptr;
        if (!done) {
            try {
                for (auto it = journal.rbegin(); it != journal.rend(); ++it) SortSwapRows(it->first, it->second);
            } catch (...) {
            }
            FSortCross->Clear();
            for (int v : FUnsortCross->Items()) FSortCross->Add(v);
            Swaps = oldSwaps;
            SortRow = oldSortRow;
        }
        for (size_t r = 0; r < column0.size() && int(r) < RowCount(); ++r) SetGridCell(0, int(r), column0[r]);
        if (locked) EndUpdate();
        else Invalidate();
    });
    FSortJournal = &journal;
    ApplySortOrder(0, order);
    FSortJournal = nullptr;
    done = true;
    // The order given back is a step of the linked undo history.
    if (FUndoRedo) UndoRowsRecordExchanges(journal, FSortSettings->SingleColumn ? FSortSettings->Column : -1);
}
