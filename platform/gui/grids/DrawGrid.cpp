// The draw grid's events and the string grid's cell store.
#include <algorithm>

#include "platform/gui/Grids.h"

// ---------------------------------------------------------------- TCustomDrawGrid

TCustomDrawGrid::TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow)
{
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::TopLeftChanged()
{
    TCustomGrid::TopLeftChanged();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

String TCustomDrawGrid::GetEditText(int ACol, int ARow)
{
    String s;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, s);
    return s;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const String& Value)
{
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

String TCustomDrawGrid::GetEditMask(int ACol, int ARow)
{
    String s;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, s);
    return s;
}

// ---------------------------------------------------------------- TStringGrid

const String TStringGrid::FNoText;

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

void TStringGrid::CheckCell(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || (ACol >= ColCount() && !FKeepColumnCells) || ARow >= RowCount())
        throw EInvalidGridOperation("Grid index out of range");
}

TStringGrid::TRowData* TStringGrid::EnsureRow(int ARow)
{
    if (FData.size() < size_t(RowCount())) FData.resize(size_t(RowCount()));
    std::unique_ptr<TRowData>& row = FData[size_t(ARow)];
    if (!row) row = std::make_unique<TRowData>();
    if (row->Cells.size() < size_t(ColCount())) row->Cells.resize(size_t(ColCount()));
    return row.get();
}

TStringGrid::TRowData* TStringGrid::EnsureCell(int ACol, int ARow)
{
    TRowData* row = EnsureRow(ARow);
    if (row->Cells.size() <= size_t(ACol)) row->Cells.resize(size_t(ACol) + 1);
    return row;
}

void TStringGrid::SetCells(int ACol, int ARow, const String& Value)
{
    CheckCell(ACol, ARow);
    // The common case, a cell its row already holds, without the growing checks.
    TRowData* row = size_t(ARow) < FData.size() ? FData[size_t(ARow)].get() : nullptr;
    if (!row || size_t(ACol) >= row->Cells.size()) row = EnsureCell(ACol, ARow);
    row->Cells[size_t(ACol)].s = Value;
    CellChanged(ACol, ARow);
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value)
{
    CheckCell(ACol, ARow);
    EnsureCell(ACol, ARow)->Cells[size_t(ACol)].obj = Value;
}

// A changed cell is repainted when it is in view; an editor showing it reloads.
void TStringGrid::CellChanged(int ACol, int ARow)
{
    if (ACol < ColCount()) InvalidateCell(ACol, ARow);
    if (FEditUpdate == 0 && ACol == FInplaceCol && ARow == FInplaceRow && FInplaceEdit && FInplaceEdit->Visible())
        InvalidateEditor();
}

void TStringGrid::Rows(int Index, TStringList& Dest) const
{
    Dest.Clear();
    for (int c = 0; c < ColCount(); ++c) Dest.AddObject(Cells(c, Index), Objects(c, Index));
}

void TStringGrid::SetRows(int Index, const TStringList& Value)
{
    if (Index < 0 || Index >= RowCount()) throw EInvalidGridOperation("Grid index out of range");
    TRowData* row = EnsureRow(Index);
    for (int c = 0; c < ColCount(); ++c) {
        const bool has = c < Value.Count();
        row->Cells[size_t(c)] = {has ? Value.Strings(c) : String(), has ? Value.Objects(c) : nullptr};
    }
    InvalidateRow(Index);
}

void TStringGrid::Cols(int Index, TStringList& Dest) const
{
    Dest.Clear();
    for (int r = 0; r < RowCount(); ++r) Dest.AddObject(Cells(Index, r), Objects(Index, r));
}

void TStringGrid::SetCols(int Index, const TStringList& Value)
{
    if (Index < 0 || Index >= ColCount()) throw EInvalidGridOperation("Grid index out of range");
    for (int r = 0; r < RowCount(); ++r) {
        const bool has = r < Value.Count();
        TRowData* row = EnsureRow(r);
        row->Cells[size_t(Index)] = {has ? Value.Strings(r) : String(), has ? Value.Objects(r) : nullptr};
    }
    InvalidateCol(Index);
}

void TStringGrid::ExchangeRowData(int ARow1, int ARow2)
{
    if (ARow1 < 0 || ARow2 < 0 || ARow1 >= RowCount() || ARow2 >= RowCount())
        throw EInvalidGridOperation("Grid index out of range");
    if (ARow1 == ARow2) return;
    if (FData.size() < size_t(RowCount())) FData.resize(size_t(RowCount()));
    std::swap(FData[size_t(ARow1)], FData[size_t(ARow2)]);
    RowsExchanged(ARow1, ARow2);
}

void TStringGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    if (DefaultDrawing()) {
        const String& s = Cells(ACol, ARow);
        if (!s.empty()) Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, s);
    }
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    const size_t need = std::max({size_t(ColCount()), size_t(FromIndex) + 1, size_t(ToIndex) + 1});
    for (auto& row : FData) {
        if (!row) continue;
        std::vector<TCell>& v = row->Cells;
        if (v.size() < need) v.resize(need);
        TCell item = std::move(v[size_t(FromIndex)]);
        v.erase(v.begin() + FromIndex);
        v.insert(v.begin() + ToIndex, std::move(item));
    }
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (FData.size() < size_t(RowCount())) FData.resize(size_t(RowCount()));
    auto item = std::move(FData[size_t(FromIndex)]);
    FData.erase(FData.begin() + FromIndex);
    FData.insert(FData.begin() + ToIndex, std::move(item));
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::SwapRowCells(int ARow, TStringList& List)
{
    if (ARow < 0 || ARow >= RowCount()) throw EInvalidGridOperation("Grid index out of range");
    if (FData.size() < size_t(RowCount())) FData.resize(size_t(RowCount()));
    std::unique_ptr<TRowData>& row = FData[size_t(ARow)];
    if (!row) row = std::make_unique<TRowData>();
    List.SwapItems(row->Cells);
    RowsExchanged(ARow, -1);
}

void TStringGrid::CompactRows(const std::vector<bool>& Gone)
{
    size_t to = 0;
    for (size_t r = 0; r < FData.size(); ++r) {
        if (r < Gone.size() && Gone[r]) continue;
        if (to != r) FData[to] = std::move(FData[r]);
        ++to;
    }
    for (size_t r = to; r < FData.size(); ++r) FData[r].reset();
    Invalidate();
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    // Cells outside the new bounds are gone; growing again shows empty cells.
    if (FData.size() > size_t(RowCount())) FData.resize(size_t(RowCount()));
    if (ColCount() < OldColCount && !FKeepColumnCells)
        for (auto& row : FData)
            if (row && row->Cells.size() > size_t(ColCount())) row->Cells.resize(size_t(ColCount()));
    TDrawGrid::SizeChanged(OldColCount, OldRowCount);
}

String TStringGrid::GetEditText(int ACol, int ARow)
{
    String s = Cells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, s);
    return s;
}

void TStringGrid::SetEditText(int ACol, int ARow, const String& Value)
{
    ++FEditUpdate;
    struct Done {
        int& n;
        ~Done() { --n; }
    } done{FEditUpdate};
    if (Value != Cells(ACol, ARow)) SetCells(ACol, ARow, Value);
    TDrawGrid::SetEditText(ACol, ARow, Value);
}
