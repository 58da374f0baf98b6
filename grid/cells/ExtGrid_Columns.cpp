// Hidden columns with real and display indexes, the current and top row, scrolling a
// cell into view, moving columns and rows, and hiding the selection.
//
// Hiding moves no cell: the last displayed column leaves the base grid and the
// display-to-real map re-aims the display positions. The maps cover real columns
// 0..511; columns from 512 on are never hidden and translate to themselves.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/footer/FloatingFooter.h"
#include "grid/sort/SortSettings.h"
#include "grid/util/GridSupport.h"

namespace {
constexpr int kMapLimit = 512;
}

// ---------------------------------------------------------------- translation

int TExtStringGrid::RealColIndex(int ACol) const
{
    if (ACol < 0 || ACol >= kMapLimit || FNumHidden == 0) return ACol;
    int v = 0;
    for (int j = 0; j < kMapLimit; ++j) {
        if (v == ACol && FVisibleCol[j]) return j;
        if (FVisibleCol[j]) ++v;
    }
    // Past the map: the real columns continue after the last one, hidden ones counted.
    return ACol + FNumHidden;
}

int TExtStringGrid::DisplColIndex(int ACol)
{
    if (ACol < 0 || ACol >= kMapLimit || FNumHidden == 0) return ACol;
    int hidden = 0;
    for (int j = 0; j < ACol; ++j)
        if (!FVisibleCol[j]) ++hidden;
    return ACol - hidden;
}

bool TExtStringGrid::IsHiddenColumn(int Colindex) const
{
    if (Colindex < 0 || Colindex >= kMapLimit) return false;
    return !FVisibleCol[Colindex];
}

bool TExtStringGrid::IsIgnoredColumn(int ACol) const { return FIgnoreColumns && FIgnoreColumns->HasValue(ACol); }

// ---------------------------------------------------------------- hiding and showing

void TExtStringGrid::HideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    for (int c = std::max(0, FromCol); c <= ToCol && c < kMapLimit; ++c) {
        if (IsHiddenColumn(c) || c >= ColCount() + FNumHidden || ColCount() < 2) continue;
        const int d = DisplColIndex(c);
        FAllColWidths[c] = std::int16_t(ColWidths(d));
        for (int i = d; i <= ColCount() - 2; ++i) SetColWidths(i, ColWidths(i + 1));
        ++FNumHidden;
        FVisibleCol[c] = false;
        if (Col() == ColCount() - 1 && Col() - 1 >= FixedCols()) SetCol(Col() - 1);
        SetColCount(ColCount() - 1);
    }
    Invalidate();
}

void TExtStringGrid::UnHideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    for (int c = std::max(0, FromCol); c <= ToCol && c < kMapLimit; ++c) {
        if (!IsHiddenColumn(c)) continue;
        --FNumHidden;
        FVisibleCol[c] = true;
        SetColCount(ColCount() + 1);
        for (int i = ColCount() - 1; i >= DisplColIndex(c + 1) && i >= 1; --i) SetColWidths(i, ColWidths(i - 1));
        SetColWidths(DisplColIndex(c), FAllColWidths[c]);
    }
    Invalidate();
}

void TExtStringGrid::UnHideColumnsAll() { UnHideColumns(0, ColCount() + FNumHidden); }

// ---------------------------------------------------------------- current and top row

void TExtStringGrid::SetRowEx(int Value)
{
    if (Col() >= ColCount() || Col() < 0) FocusCell(FixedCols(), Value, true);
    SetRow(Value);
    if (Row() != FOldRowSel && OnRowUpdate) {
        OnRowUpdate(this, FOldRowSel, Row());
        FOldRowSel = Row();
    }
    if (FMouseActions->DisjunctRowSelect()) SelectionToRowSelect(false);
    if (TExtStringGrid* other = FSyncGrid->Grid(); other && FSyncGrid->SelectionRow && other != this &&
                                                   Value < other->RowCount())
        other->SetRowEx(Value);
    if (Value == RowCount() - 1) ScrollAboveSearchFooter();
}

void TExtStringGrid::ScrollAboveSearchFooter()
{
    if (!FSearchFooter->Visible() || RowCount() < 1) return;
    const int panel = FSearchPanel ? FSearchPanel->Height() : 0;
    if (Height() <= DefaultRowHeight() + panel) return;
    const int limit = ClientRect().Height() - panel;
    // The base grid stops at its own last top row.
    while (TopRow() < RowCount() - 1 && CalcCellRect(0, RowCount() - 1).Bottom > limit) {
        const int top = TopRow();
        SetTopRow(top + 1);
        if (TopRow() == top) break;
    }
}

void TExtStringGrid::SetTopRowEx(int Value)
{
    if (Value >= FixedRows() && Value <= RowCount() - 1) SetTopRow(Value);
}

void TExtStringGrid::ScrollInView(int ColIndex, int RowIndex)
{
    if (ColIndex >= ColCount() || RowIndex >= RowCount()) return;
    int L = LeftCol(), T = TopRow();
    const int vc = VisibleColCount(), vr = VisibleRowCount();
    if (ColIndex < LeftCol() || ColIndex >= LeftCol() + vc) {
        SetCol(ColIndex);
        L = std::max(FixedCols(), ColIndex - vc / 2);
    }
    if (RowIndex < TopRow() || RowIndex >= TopRow() + vr) {
        SetRowEx(RowIndex);
        T = std::max(FixedRows(), RowIndex - vr / 2);
    }
    L = std::min(L, ColCount() - vc + 1);
    if (FixedCols() + vc < ColCount()) SetLeftCol(std::max(FixedCols(), std::min(L, ColCount() - 1)));
    T = std::min(T, RowCount() - vr + 1);
    if (FixedRows() + vr >= RowCount()) return;
    SetTopRow(std::max(FixedRows(), std::min(T, RowCount() - 1)));
    // The cell stays above the search footer.
    if (FSearchFooter->Visible()) {
        int h = Height() - (FSearchPanel ? FSearchPanel->Height() : 0);
        if (VisibleColCount() < ColCount()) h -= TGridScrollBar::Size;
        while (TopRow() < RowIndex && CalcCellRect(0, RowIndex).Bottom > h) {
            const int top = TopRow();
            SetTopRow(top + 1);
            if (TopRow() == top) break;
        }
    }
}

// ---------------------------------------------------------------- moving

namespace {
// Where an index ends up when the entry at From moves to To and those between close up.
int FollowMove(int Index, int From, int To)
{
    if (Index == From) return To;
    if (From < To && Index > From && Index <= To) return Index - 1;
    if (From > To && Index >= To && Index < From) return Index + 1;
    return Index;
}

// Clears a flag when it goes out of scope, also when the code it guards throws.
struct TFlagScope {
    bool& Flag;
    explicit TFlagScope(bool& f) : Flag(f) { Flag = true; }
    ~TFlagScope() { Flag = false; }
};
}

void TExtStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    // The cells live at real indexes: the display move moves the real column.
    const int rf = RealColIndex(FromIndex), rt = RealColIndex(ToIndex);
    ControlEditMoving(false, rf, rt);
    EditedCellsMoved(false, FromIndex, ToIndex, rf, rt);
    if (rf < FColumnOrder->Count() && rt < FColumnOrder->Count()) {
        const int v = FColumnOrder->GetInteger(rf);
        FColumnOrder->Delete(rf);
        FColumnOrder->Insert(rt, v);
    }
    // Hidden columns keep their flags and widths at real indexes; they follow the move
    // before the window hears of it.
    if (FNumHidden > 0 && rf < kMapLimit && rt < kMapLimit) {
        auto move = [rf, rt](auto* arr) {
            const auto x = arr[rf];
            if (rf < rt) std::copy(arr + rf + 1, arr + rt + 1, arr + rf);
            else std::copy_backward(arr + rt, arr + rf, arr + rf + 1);
            arr[rt] = x;
        };
        move(FVisibleCol);
        move(FAllColWidths);
    }
    TBaseGrid::ColumnMoved(rf, rt);
    // The texts of hidden rows move with the column.
    for (auto& item : FGridItems) {
        TStringList& l = item->Items;
        while (l.Count() <= std::max(rf, rt)) l.Add("");
        l.Move(rf, rt);
    }
    SortFollowsColumnMove(rf, rt);
    if (FFloatingFooter->Visible) FFloatingFooter->Invalidate();
    TExtStringGrid* other = FSyncGrid->Grid();
    // The other grid mirrors the move once; its own hook does not send it back. A grid
    // too narrow for the move is left as it is.
    if (other && FSyncGrid->MoveColumn && !FSyncedMove && !other->FSyncedMove && FromIndex < other->ColCount() &&
        ToIndex < other->ColCount()) {
        TFlagScope mirroring(other->FSyncedMove);
        other->MoveColumn(FromIndex, ToIndex);
    }
}

void TExtStringGrid::SortFollowsColumnMove(int RealFrom, int RealTo)
{
    if (RealFrom == RealTo) return;
    if (FSortSettings->Column >= 0) FSortSettings->Column = FollowMove(FSortSettings->Column, RealFrom, RealTo);
    if (FSortSettings->IndexShow)
        for (int i = 0; i < FSortIndexes->Count(); ++i)
            FSortIndexes->SetSortColumns(i, FollowMove(FSortIndexes->GetSortColumns(i), RealFrom, RealTo));
}

bool TExtStringGrid::RowMoveRefused(int ToIndex) const
{
    return FFloatingFooter->Visible && FFloatingFooter->FooterStyle == fsFixedLastRow && ToIndex == RowCount() - 1;
}

void TExtStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    ControlEditMoving(true, FromIndex, ToIndex);
    EditedCellsMoved(true, FromIndex, ToIndex, FromIndex, ToIndex);
    // The window hears of the move once the rows, their heights and the undo step are in
    // place, not from inside the data move.
    TMovedEvent moved = std::move(OnRowMoved);
    OnRowMoved = nullptr;
    try {
        TBaseGrid::RowMoved(FromIndex, ToIndex);
    } catch (...) {
        OnRowMoved = std::move(moved);
        throw;
    }
    OnRowMoved = std::move(moved);
    // A row moved, by code or by the mouse, is a step of the linked undo history: the
    // rows between shift by one, a chain of exchanges of neighbours.
    if (FUndoRedo && FromIndex != ToIndex) {
        std::vector<std::pair<int, int>> steps;
        for (int r = FromIndex; r != ToIndex; r += ToIndex > FromIndex ? 1 : -1)
            steps.emplace_back(r, r + (ToIndex > FromIndex ? 1 : -1));
        UndoRowsRecordExchanges(steps, -1);
    }
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
    TExtStringGrid* other = FSyncGrid->Grid();
    if (other && FSyncGrid->MoveRow && !FSyncedMove && !other->FSyncedMove && FromIndex < other->RowCount() &&
        ToIndex < other->RowCount()) {
        TFlagScope mirroring(other->FSyncedMove);
        other->MoveRow(FromIndex, ToIndex);
    }
}

namespace {
// Shifts the cell index of embedded controls as a move of one column (row) does.
void ShiftControls(TControlList* list, int FromIndex, int ToIndex, bool rows)
{
    for (int i = 0; i < list->Count(); ++i) {
        TControlItem* it = list->GetControl(i);
        int& x = rows ? it->Y : it->X;
        if (x == FromIndex) x = ToIndex;
        else if (ToIndex < FromIndex && x >= ToIndex && x < FromIndex) ++x;
        else if (ToIndex >= FromIndex && x > FromIndex && x <= ToIndex) --x;
    }
}
}

void TExtStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FColumnOrder->Count() == 0) SetColumnOrder();
    TBaseGrid::MoveColumn(FromIndex, ToIndex);
    ShiftControls(FControlList.get(), FromIndex, ToIndex, false);
    CellControlsUpdate(false);
}

void TExtStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (RowMoveRefused(ToIndex)) return;
    TBaseGrid::MoveRow(FromIndex, ToIndex);
    ShiftControls(FControlList.get(), FromIndex, ToIndex, true);
    CellControlsUpdate(false);
}

void TExtStringGrid::MoveRows(int FromIndex, int ToIndex, int Count)
{
    if (FromIndex == ToIndex || Count == 0) return;
    std::vector<std::unique_ptr<TGridItem>> saved;
    for (int i = 0; i < Count; ++i) {
        auto item = std::make_unique<TGridItem>();
        CopyRowToItem(FromIndex + i, item.get());
        saved.push_back(std::move(item));
    }
    if (FromIndex + Count < ToIndex) ToIndex -= Count;
    // An edited row of the block goes along with it, not out with the removal.
    if (EditedCellsOpen())
        EditedRowsRemap([FromIndex, ToIndex, Count](int r) {
            if (r >= FromIndex && r < FromIndex + Count) return ToIndex + r - FromIndex;
            const int left = r < FromIndex ? r : r - Count;
            return left < ToIndex ? left : left + Count;
        });
    TEditedCellsMovingScope moving(this);
    // The removal shrinks the grid for a moment, which would pull the current cell in.
    const TGridCoord current = FCurrent, anchor = TCustomGrid::FAnchor;
    RemoveDisplayRows(FromIndex, Count, false);
    InsertDisplayRows(ToIndex, Count);
    if (FEditActive) {
        FCurrent = current;
        TCustomGrid::FAnchor = anchor;
    }
    for (int i = 0; i < Count; ++i) CopyItemToRow(saved[size_t(i)].get(), ToIndex + i);
}

// ---------------------------------------------------------------- selection

void TExtStringGrid::HideSelection()
{
    FOldSelection = Selection();
    SetSelection(TGridRect(ColCount(), RowCount(), ColCount(), RowCount()));
    FSelHidden = true;
}

void TExtStringGrid::UnHideSelection()
{
    FSelHidden = false;
    if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount()) {
        SetSelection(FOldSelection);
        return;
    }
    const int T = FixedRowAlways && FixedRows() == RowCount() ? 0 : FixedRows();
    const int L = FixedColAlways && FixedCols() == ColCount() ? 0 : FixedCols();
    SetSelection(TGridRect(L, T, L, T));
}

void TExtStringGrid::UpdateEditMode() { SelectCell(Col(), Row()); }

// ---------------------------------------------------------------- embedded controls

void TExtStringGrid::CellControlsUpdate(bool rebuildlist)
{
    if (!FControlList) return;
    if (rebuildlist) {
        while (FControlList->Count() > 0) FControlList->RemoveControl(0);
        for (int c = 0; c < TotalColCount(); ++c)
            for (int r = 0; r < RowCount(); ++r)
                if (TCellProperties* p = CellPropsOf(c, r); p && p->Control) FControlList->AddControl(c, r, p->Control);
    }
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* it = FControlList->GetControl(i);
        if (!it->Control) continue;
        const int d = DisplColIndex(it->X);
        const bool shown = !IsHiddenColumn(it->X) && it->Y < RowCount() && RowInView(it->Y) && ColInView(d);
        if (shown) it->Control->SetBoundsRect(CellRect(d, it->Y));
        it->Control->SetVisible(shown);
    }
}

void TExtStringGrid::RepaintCol(int ACol)
{
    if (ACol >= 0 && ACol < ColCount()) InvalidateCol(ACol);
}
