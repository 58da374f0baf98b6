// Rows that move, come or go, as steps of the linked undo history: a reordering (a
// sort, an unsort, a row moved or two rows swapped) is kept as the order it gave, an
// insertion or removal as its place and size with the cells of the rows while they are
// out of the grid. Undo and redo replay them between the cell entries, so that each
// cell entry finds the rows it was recorded against. Without a linked history nothing
// here runs beyond a pointer test.
#include <exception>
#include <numeric>

#include "grid/core/ExtGrid.h"
#include "grid/undo/GridUndoRedo.h"

// ---------------------------------------------------------------- bracketing

TExtStringGrid::TUndoRowsScope::TUndoRowsScope(TExtStringGrid* g, int Kind, int Row, int Count) : G(g)
{
    if (!G->FUndoRedo) return;
    Active = true;
    Outer = G->FUndoRowsDepth == 0;
    ++G->FUndoRowsDepth;
    if (!Outer) return;
    G->FUndoRowsLost = false;
    Hidden = G->FGridItems.size();
    Exceptions = std::uncaught_exceptions();
    if (Kind < 0 || Count <= 0) return;
    Change = std::make_shared<TUndoRowChange>();
    Change->Kind = TUndoRowChange::TKind(Kind);
    Change->Row = Row;
    Change->Count = Count;
    // Removed rows' cells go into the step, so that undo can bring them back as they were.
    if (Change->Kind == TUndoRowChange::rcRemove) G->UndoRowsTake(*Change);
}

TExtStringGrid::TUndoRowsScope::~TUndoRowsScope()
{
    if (!Active) return;
    --G->FUndoRowsDepth;
    if (!Outer || !G->FUndoRedo) return;
    // Rows hidden or shown meanwhile, a change that cannot be replayed or a failure: the
    // names of the cells recorded so far no longer hold.
    if (G->FUndoRowsLost || G->FGridItems.size() != Hidden || std::uncaught_exceptions() > Exceptions) {
        G->FUndoRowsLost = false;
        G->FUndoRedo->Reset();
        return;
    }
    if (Change) G->FUndoRedo->RegisterRowChange(std::move(Change));
}

void TExtStringGrid::UndoRowsLost()
{
    if (!FUndoRedo) return;
    if (FUndoRowsDepth > 0) FUndoRowsLost = true;
    else FUndoRedo->Reset();
}

// ---------------------------------------------------------------- recording

void TExtStringGrid::UndoRowsRecordExchanges(const std::vector<std::pair<int, int>>& Exchanges, int SingleColumn)
{
    if (!FUndoRedo || FUndoRowsDepth > 0 || Exchanges.empty()) return;
    int lo = RowCount(), hi = -1;
    for (const auto& [a, b] : Exchanges) {
        lo = std::min({lo, a, b});
        hi = std::max({hi, a, b});
    }
    if (lo < 0 || hi < lo) return;
    // at[i]: the row (counted from lo) that stands at lo + i now.
    std::vector<int> at(size_t(hi - lo + 1));
    std::iota(at.begin(), at.end(), 0);
    for (const auto& [a, b] : Exchanges) std::swap(at[size_t(a - lo)], at[size_t(b - lo)]);
    bool moved = false;
    for (size_t i = 0; i < at.size(); ++i) moved = moved || at[i] != int(i);
    if (!moved) return;
    auto c = std::make_shared<TUndoRowChange>();
    c->Kind = TUndoRowChange::rcOrder;
    c->Row = lo;
    c->Order = std::move(at);
    c->Column = SingleColumn;
    FUndoRedo->RegisterRowChange(std::move(c));
}

void TExtStringGrid::UndoRowsTake(TUndoRowChange& C)
{
    const int cols = TotalColCount();
    const int last = std::min(C.Row + C.Count, RowCount());
    C.Cells.clear();
    for (int r = std::max(0, C.Row); r < last; ++r) {
        TUndoRowChange::TRowCells row;
        row.Texts.reserve(size_t(cols));
        row.Objects.reserve(size_t(cols));
        for (int c = 0; c < cols; ++c) {
            row.Texts.push_back(GetGridCell(c, r));
            row.Objects.push_back(GetGridObject(c, r));
            // The record leaves with its row: the removal must not free it.
            SetGridObject(c, r, nullptr);
        }
        row.Height = RowHeights(r);
        C.Cells.push_back(std::move(row));
    }
    C.Held = true;
    C.Release = [this](TObject* o) { DeleteCellProperties(static_cast<TCellProperties*>(o)); };
}

void TExtStringGrid::UndoRowsPut(TUndoRowChange& C)
{
    if (!C.Held) return;
    const int cols = TotalColCount();
    for (size_t i = 0; i < C.Cells.size(); ++i) {
        const int r = C.Row + int(i);
        TUndoRowChange::TRowCells& row = C.Cells[i];
        if (r < 0 || r >= RowCount()) {
            for (TObject*& o : row.Objects) {
                if (o && C.Release) C.Release(o);
                o = nullptr;
            }
            continue;
        }
        for (int c = 0; c < cols && size_t(c) < row.Texts.size(); ++c) {
            SetGridCell(c, r, row.Texts[size_t(c)]);
            FreeCellPropsAt(c, r);
            if (auto* p = static_cast<TCellProperties*>(row.Objects[size_t(c)])) {
                p->OwnerCol = c;
                p->OwnerRow = r;
                SetGridObject(c, r, p);
                FHasCellProps = true;
            }
        }
        SetRowHeights(r, row.Height);
    }
    C.Cells.clear();
    C.Held = false;
}

// ---------------------------------------------------------------- replaying

void TExtStringGrid::ReplayRowChange(TUndoRowChange& Change, bool Restore)
{
    // What the replay does to the rows is the step itself, recorded already.
    ++FUndoRowsDepth;
    struct Leave {
        int& Depth;
        ~Leave() { --Depth; }
    } leave{FUndoRowsDepth};
    HideInplaceEdit();
    BeginUpdate();
    struct Unlock {
        TExtStringGrid* G;
        ~Unlock() { G->EndUpdate(); }
    } unlock{this};
    switch (Change.Kind) {
    case TUndoRowChange::rcOrder: {
        const int n = int(Change.Order.size());
        if (Change.Row < 0 || Change.Row + n > RowCount()) return;
        std::vector<int> order = Change.Order;
        if (Restore) {
            // Back: the row that stands at i returns to where it came from.
            for (int i = 0; i < n; ++i) order[size_t(Change.Order[size_t(i)])] = i;
        }
        const bool single = FSortSettings->SingleColumn;
        const int column = FSortSettings->Column;
        const int sortRow = SortRow, swaps = Swaps;
        FSortSettings->SingleColumn = Change.Column >= 0;
        if (Change.Column >= 0) FSortSettings->Column = Change.Column;
        ApplySortOrder(Change.Row, order);
        FSortSettings->SingleColumn = single;
        FSortSettings->Column = column;
        SortRow = sortRow;
        Swaps = swaps;
        break;
    }
    case TUndoRowChange::rcInsert:
    case TUndoRowChange::rcRemove: {
        // Undoing an insertion and redoing a removal take the rows out; the others bring
        // them back with their cells.
        const bool takeOut = (Change.Kind == TUndoRowChange::rcInsert) == Restore;
        if (takeOut) {
            if (Change.Row < 0 || Change.Row + Change.Count > RowCount()) return;
            UndoRowsTake(Change);
            RemoveRows(Change.Row, Change.Count);
        } else {
            if (Change.Row < 0 || Change.Row > RowCount()) return;
            InsertRows(Change.Row, Change.Count);
            UndoRowsPut(Change);
        }
        break;
    }
    }
}
