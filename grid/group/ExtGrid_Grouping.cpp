// Grouping: the rows are grouped by the values of one column. A header row above each
// run of equal values becomes a node row heading its run, optional summary rows follow
// each group, and the grouped column leaves the grid until the grid is ungrouped.
// Sub-groups split the groups once more by a second column, whose values move into
// sub-header rows. Group calculations write an aggregate of a column into each group's
// summary or header row.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/sort/SortSettings.h"

namespace {
// The node object of a display row, read from column 0's record.
TCellGraphic* NodeObject(TExtStringGrid* g, int ARow)
{
    if (!g->IsNode(ARow)) return nullptr;
    TCellProperties* p = g->CellPropsOf(0, ARow);
    return p ? dynamic_cast<TCellGraphic*>(p->FGraphicObject) : nullptr;
}

// A value no cell is taken to hold: the walks start with it as the previous value.
const String kNoValue = "\xC3\xBF\xC3\xBE";

void RaiseSubNodeCounts(TExtStringGrid* g, int ARow, int Delta)
{
    // Every node above a header row counts it as one of its headers.
    int p = g->GetParentRow(ARow);
    if (p == ARow) return;
    while (p != -1) {
        g->UpdateSubNodeCount(p, Delta);
        const int up = g->GetParentRow(p);
        if (up == p) break;
        p = up;
    }
}
}

void TExtStringGrid::ApplyGroupRowColors(int ARow, bool Header)
{
    const TGrouping& gs = *FGrouping;
    const TColor c = Header ? gs.HeaderColor : gs.SummaryColor;
    const TColor cTo = Header ? gs.HeaderColorTo : gs.SummaryColorTo;
    const TColor text = Header ? gs.HeaderTextColor : gs.SummaryTextColor;
    if (c != clNone) SetRowColor(ARow, ColorToRGB(c));
    if (cTo != clNone) SetRowColorTo(ARow, ColorToRGB(cTo));
    if (text != clNone) SetRowFontColor(ARow, ColorToRGB(text));
}

namespace {
// The header (summary) colours as the colours of one cell of a merged row.
void ApplyCellColors(TExtStringGrid* g, int ACol, int ARow, TColor c, TColor cTo, TColor text)
{
    if (c != clNone) g->SetColors(ACol, ARow, ColorToRGB(c));
    if (cTo != clNone) g->SetColorsTo(ACol, ARow, ColorToRGB(cTo));
    if (text != clNone) g->SetFontColors(ACol, ARow, ColorToRGB(text));
}

// Takes back the row colours grouping gave a header or summary row.
void ResetRowColors(TExtStringGrid* g, int ARow, TColor c, TColor cTo)
{
    if (c != clNone) g->SetRowColor(ARow, clNone);
    if (cTo != clNone) g->SetRowColorTo(ARow, clNone);
}
}

// ---------------------------------------------------------------- grouping

void TExtStringGrid::SetGroupColumn(int Value)
{
    if (Value == -1) UnGroup();
    else if (Value > 0) Group(Value);
}

void TExtStringGrid::Group(int Colindex)
{
    // Grouping reshapes rows and columns: the undo history ends with it.
    TUndoRowsScope undoScope(this);
    UndoRowsLost();
    // Column 0 carries the node glyphs; it is never grouped away. The index counts the
    // columns of the grid as it is ungrouped.
    if (Colindex < FixedCols() || Colindex < 1) return;
    if (FGroupColumn != -1) UnGroup();
    if (Colindex >= TotalColCount() || RowCount() - FixedRows() <= 0) return;
    TGrouping& gs = *FGrouping;
    BeginUpdate();
    FIsGrouping = true;
    struct Finally {
        TExtStringGrid* g;
        ~Finally()
        {
            g->FIsGrouping = false;
            g->EndUpdate();
        }
    } fin{this};
    FGroupColumn = Colindex;
    FGroupWidth = GetAllColWidths(Colindex);
    FGroupCaption = FixedRows() > 0 ? GetGridCell(Colindex, 0) : String();
    FGroupFooter = FixedFooters > 0 ? GetGridCell(Colindex, RowCount() - 1) : String();
    // Every real row remembers where it stood, whatever the grouping's sort and the
    // sorts inside the groups do to the order; UnGroup puts the rows back.
    FGroupOrigin.resize(size_t(RowCount() + int(FGridItems.size())));
    for (size_t k = 0; k < FGroupOrigin.size(); ++k) FGroupOrigin[k] = int(k);
    FGroupOriginKept = true;
    if (FSortSettings->AutoSortForGrouping) {
        FSortSettings->Column = Colindex;
        QSort();
    }
    // The column left of the grouped one takes the header text once it is gone.
    const int h = Colindex == 1 ? 2 : 1;
    const bool summary = gs.Summary;
    // A group's summary row goes in when the next group starts: right above the
    // previous header, which stands right after the group before it.
    const auto closeGroup = [&](int& H, int& r) {
        if (H > FixedRows() && summary) {
            InsertRows(H, 1);
            AddSummary(RealRowIndex(H));
            if (!(gs.MergeSummary && summary)) ApplyGroupRowColors(H, false);
            ++H;
            ++r;
        }
        AddNode(RealRowIndex(H), r - H);
    };
    String prev = kNoValue;
    int H = -1;
    int r = FixedRows();
    while (r <= RowCount() - FixedFooters - 1) {
        const String v = GetGridCell(Colindex, r);
        if (v != prev) {
            if (H != -1) closeGroup(H, r);
            InsertRows(r, 1);
            SetGridCell(h, r, v);
            if (!gs.MergeHeader) ApplyGroupRowColors(r, true);
            H = r;
            ++r;
        }
        if (r < RowCount() - 1) prev = GetGridCell(Colindex, r);
        ++r;
    }
    if (H != -1) {
        closeGroup(H, r);
        if (!gs.MergeHeader) ApplyGroupRowColors(H, true);
        if (summary) {
            InsertRows(r, 1);
            AddSummary(RealRowIndex(r));
            if (!gs.MergeSummary) ApplyGroupRowColors(r, false);
        }
    }
    // The grouped column's records wait for UnGroup instead of being freed with the column.
    FreeGroupColumnRecords();
    FGroupColumnRecords.assign(FGroupOrigin.size(), nullptr);
    for (int d = 0; d < RowCount(); ++d) {
        const size_t real = size_t(RealRowIndex(d));
        const int o = real < FGroupOrigin.size() ? FGroupOrigin[real] : -1;
        if (o < 0 || GetGridObject(Colindex, d) == nullptr) continue;
        FGroupColumnRecords[size_t(o)] = GetGridObject(Colindex, d);
        SetGridObject(Colindex, d, nullptr);
    }
    RemoveCols(Colindex, 1);
    if (gs.MergeHeader || (gs.MergeSummary && summary)) {
        const int last = RowCount() - 1;
        for (int b = FixedRows(); b <= last; ++b) {
            if (ColCount() < 2) break;
            if (IsNode(b) && gs.MergeHeader) {
                MergeCells(1, b, ColCount() - 1, 1);
                ApplyCellColors(this, 1, b, gs.HeaderColor, gs.HeaderColorTo, gs.HeaderTextColor);
            }
            if (IsSummary(b) && (b == last || IsNode(b + 1)) && gs.MergeSummary && summary) {
                MergeCells(1, b, ColCount() - 1, 1);
                ApplyCellColors(this, 1, b, gs.SummaryColor, gs.SummaryColorTo, gs.SummaryTextColor);
            }
        }
    }
    if (FCellNode->ExpandOne)
        for (int b = FixedRows(); b < RowCount(); ++b)
            if (IsNode(b)) {
                ExpandNode(RealRowIndex(b));
                break;
            }
    if (Col() >= ColCount() || Row() >= RowCount() || Col() < 0 || Row() < 0)
        FocusCell(FixedCols(), FixedRows(), true);
    if (FixedRows() < RowCount()) SetRow(FixedRows());
}

void TExtStringGrid::UnGroup()
{
    if (FGroupColumn <= 0) return;
    // Grouping reshapes rows and columns: the undo history ends with it.
    TUndoRowsScope undoScope(this);
    UndoRowsLost();
    TGrouping& gs = *FGrouping;
    const bool expandOne = FCellNode->ExpandOne;
    FCellNode->ExpandOne = false;
    BeginUpdate();
    ExpandAll();
    const int gc = FGroupColumn;
    InsertCols(gc, 1);
    SetAllColWidths(gc, FGroupWidth);
    if (FixedRows() > 0) SetGridCell(gc, 0, FGroupCaption);
    if (FixedFooters > 0) SetGridCell(gc, RowCount() - 1, FGroupFooter);
    const int hc = gc == 1 ? 2 : 1;
    FIsGrouping = true;
    const auto takeOut = [&](int row) {
        ClearRect(0, row, TotalColCount() - 1, row);
        RemoveRows(row, 1);
    };
    String v;
    int r = FixedRows();
    while (r <= RowCount() - FixedFooters - 1) {
        if (!IsNode(r)) {
            if (!IsSummary(r)) SetGridCell(gc, r, v);
            ++r;
            continue;
        }
        const int s = r + NodeDisplaySpan(r);
        if (s < RowCount() && IsSummary(s)) {
            if (gs.MergeSummary) SplitCells(1, s);
            else ResetRowColors(this, s, gs.SummaryColor, gs.SummaryColorTo);
            takeOut(s);
        }
        v = GetGridCell(hc, r);
        RemoveNode(RealRowIndex(r));
        FreeCellPropsAt(0, r);
        if (gs.MergeHeader) SplitCells(1, r);
        else ResetRowColors(this, r, gs.HeaderColor, gs.HeaderColorTo);
        takeOut(r);
    }
    // The grouped column's records go back to their rows.
    for (int d = 0; d < RowCount() && FGroupOriginKept; ++d) {
        const size_t real = size_t(RealRowIndex(d));
        const int o = real < FGroupOrigin.size() ? FGroupOrigin[real] : -1;
        if (o < 0 || size_t(o) >= FGroupColumnRecords.size() || !FGroupColumnRecords[size_t(o)]) continue;
        auto* p = static_cast<TCellProperties*>(FGroupColumnRecords[size_t(o)]);
        FGroupColumnRecords[size_t(o)] = nullptr;
        FreeCellPropsAt(gc, d);
        p->OwnerCol = gc;
        p->OwnerRow = d;
        SetGridObject(gc, d, p);
    }
    FreeGroupColumnRecords();
    RestoreGroupOrigin();
    FIsGrouping = false;
    FGroupColumn = -1;
    FCellNode->ExpandOne = expandOne;
    EndUpdate();
    Invalidate();
}

// ---------------------------------------------------------------- the order before grouping

void TExtStringGrid::FreeGroupColumnRecords()
{
    // Records of rows removed while grouped have no row to go back to.
    for (TObject* o : FGroupColumnRecords) DeleteCellProperties(static_cast<TCellProperties*>(o));
    FGroupColumnRecords.clear();
}

void TExtStringGrid::GroupOriginBeginSort()
{
    FGroupRealRows.clear();
    if (!FGroupOriginKept || FGridItems.empty()) return;
    FGroupRealRows.resize(size_t(RowCount()));
    std::vector<char> hidden(FGroupOrigin.size() + FGridItems.size() + size_t(RowCount()), 0);
    for (auto& item : FGridItems)
        if (item->Idx >= 0 && size_t(item->Idx) < hidden.size()) hidden[size_t(item->Idx)] = 1;
    int real = 0;
    for (int d = 0; d < RowCount(); ++d) {
        while (size_t(real) < hidden.size() && hidden[size_t(real)]) ++real;
        FGroupRealRows[size_t(d)] = real++;
    }
}

void TExtStringGrid::GroupOriginSwap(int ARow1, int ARow2)
{
    if (!FGroupOriginKept) return;
    const auto realOf = [&](int d) {
        return FGroupRealRows.empty() ? size_t(RealRowIndex(d))
               : size_t(d) < FGroupRealRows.size() ? size_t(FGroupRealRows[size_t(d)]) : size_t(-1);
    };
    const size_t a = realOf(ARow1), b = realOf(ARow2);
    if (a < FGroupOrigin.size() && b < FGroupOrigin.size()) std::swap(FGroupOrigin[a], FGroupOrigin[b]);
}

void TExtStringGrid::GroupOriginInsert(int ARealRow, int Count)
{
    if (!FGroupOriginKept || Count <= 0) return;
    const size_t at = size_t(std::clamp(ARealRow, 0, int(FGroupOrigin.size())));
    FGroupOrigin.insert(FGroupOrigin.begin() + long(at), size_t(Count), -1);
}

void TExtStringGrid::GroupOriginRemove(int ARealRow, int Count)
{
    if (!FGroupOriginKept || Count <= 0 || ARealRow < 0 || ARealRow >= int(FGroupOrigin.size())) return;
    const int n = std::min(Count, int(FGroupOrigin.size()) - ARealRow);
    FGroupOrigin.erase(FGroupOrigin.begin() + ARealRow, FGroupOrigin.begin() + ARealRow + n);
}

void TExtStringGrid::RestoreGroupOrigin()
{
    if (!FGroupOriginKept) return;
    std::vector<int> origin;
    origin.swap(FGroupOrigin);
    FGroupOriginKept = false;
    // The data rows between the fixed rows and the footers, each with its place before
    // grouping; a row added since takes the place of the row above it and stays below it.
    const int first = FixedRows(), last = RowCount() - 1 - FixedFooters;
    if (last <= first) return;
    std::vector<std::pair<long long, int>> keyed;
    long long prev = -1;
    for (int d = first; d <= last; ++d) {
        const size_t real = size_t(RealRowIndex(d));
        const int o = real < origin.size() ? origin[real] : -1;
        if (o >= 0) prev = o;
        keyed.emplace_back(prev, d - first);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> order;
    order.reserve(keyed.size());
    bool moved = false;
    for (size_t i = 0; i < keyed.size(); ++i) {
        order.push_back(keyed[i].second);
        moved = moved || keyed[i].second != int(i);
    }
    if (!moved) return;
    // The rows move as a sort moves them: cells, heights, the sort's cross-reference and
    // the row marks go along.
    const bool single = FSortSettings->SingleColumn;
    FSortSettings->SingleColumn = false;
    const int sortRow = SortRow;
    ApplySortOrder(first, order);
    SortRow = sortRow;
    FSortSettings->SingleColumn = single;
}

// ---------------------------------------------------------------- sub-groups

void TExtStringGrid::SubGroup(int Colindex)
{
    if (Colindex < FixedCols() || Colindex < 1 || Colindex >= TotalColCount()) return;
    // Grouping reshapes rows and columns: the undo history ends with it.
    TUndoRowsScope undoScope(this);
    UndoRowsLost();
    TGrouping& gs = *FGrouping;
    BeginUpdate();
    struct Finally {
        TExtStringGrid* g;
        ~Finally() { g->EndUpdate(); }
    } fin{this};
    // The grouped column stays what Group took out: UnGroup brings that one back.
    const int h = Colindex + 1;
    const auto isHeaderOrSummary = [&](int row) { return IsNode(row) || IsSummary(row); };
    const auto makeSubNode = [&](int H, int span) {
        AddNode(RealRowIndex(H), span);
        if (TCellProperties* p = CellPropsOf(0, H))
            if (auto* g = dynamic_cast<TCellGraphic*>(p->FGraphicObject)) g->CellVar = (long long)Colindex;
        RaiseSubNodeCounts(this, H, 1);
    };
    const auto headerLook = [&](int row) {
        if (gs.MergeHeader && h < ColCount()) {
            MergeCells(h, row, ColCount() - h, 1);
            ApplyCellColors(this, h, row, gs.HeaderColor, gs.HeaderColorTo, gs.HeaderTextColor);
        } else {
            ApplyGroupRowColors(row, true);
        }
    };
    String prev = kNoValue;
    int H = -1;
    int r = FixedRows() + 1;
    while (r < RowCount() - FixedFooters) {
        const String v = GetCellEx(Colindex, r);
        if (v != prev || isHeaderOrSummary(r)) {
            if (H != -1 && !isHeaderOrSummary(H)) makeSubNode(H, r - H);
            if (!isHeaderOrSummary(r)) {
                InsertChildRow(RealRowIndex(r), 0);
                SetGridCell(h, r, v);
                headerLook(r);
            }
            H = r;
            ++r;
        }
        if (r < RowCount() && !isHeaderOrSummary(r - 1)) {
            prev = GetCellEx(Colindex, r);
            SetGridCell(Colindex, r, "");
            ++r;
        } else {
            prev = kNoValue;
        }
    }
    if (H != -1 && IsSummary(H)) return;
    if (H == -1) {
        if (r >= RowCount()) return;
        InsertChildRow(RealRowIndex(r), 0);
        makeSubNode(r, 2);
        SetGridCell(h, r, GetGridCell(Colindex, r + 1));
        SetGridCell(Colindex, r + 1, "");
        ++r;
    } else if (!IsNode(H)) {
        makeSubNode(H, r - H);
    }
    if (r <= RowCount() - 1 && !isHeaderOrSummary(r - 1)) {
        SetGridCell(Colindex, r, "");
        ++r;
    }
    if (gs.Summary) {
        InsertRows(r, 1);
        AddSummary(RealRowIndex(r));
        if (gs.MergeSummary && h < ColCount()) {
            MergeCells(h, r, ColCount() - h, 1);
            ApplyCellColors(this, h, r, gs.SummaryColor, gs.SummaryColorTo, gs.SummaryTextColor);
        } else {
            ApplyGroupRowColors(r, false);
        }
    }
    if (FixedRows() < RowCount()) SetRow(FixedRows());
}

void TExtStringGrid::SubUnGroup(int Colindex)
{
    // Grouping reshapes rows and columns: the undo history ends with it.
    TUndoRowsScope undoScope(this);
    UndoRowsLost();
    TGrouping& gs = *FGrouping;
    BeginUpdate();
    ExpandAll();
    String v;
    int r = FixedRows();
    while (r <= RowCount() - FixedFooters - 1) {
        TCellGraphic* g = NodeObject(this, r);
        const long long* var = g ? std::get_if<long long>(&g->CellVar) : nullptr;
        if (g && var && *var == Colindex) {
            v = GetGridCell(Colindex + 1, r);
            RaiseSubNodeCounts(this, r, -1);
            RemoveNode(RealRowIndex(r));
            if (gs.MergeHeader) SplitCells(Colindex + 1, r);
            else ResetRowColors(this, r, gs.HeaderColor, gs.HeaderColorTo);
            RemoveChildRow(RealRowIndex(r));
        } else if (g) {
            ++r;
        } else {
            // Summary rows hold no data value.
            if (!IsSummary(r)) SetGridCell(Colindex, r, v);
            ++r;
        }
    }
    EndUpdate();
}

// ---------------------------------------------------------------- calculations

void TExtStringGrid::GroupCalc(int ACol, int method)
{
    int r = FixedRows();
    while (r < RowCount()) {
        TCellGraphic* g = NodeObject(this, r);
        if (!g || g->CellBoolean) {
            ++r;
            continue;
        }
        const int s = std::max(1, NodeDisplaySpan(r));
        const int from = r + 1, to = r + s - 1;
        const int T = FGrouping->Summary && r + s < RowCount() && IsSummary(r + s) ? r + s : r;
        // A group without data rows has no average, minimum or the like: its cell
        // stays empty instead of showing a value made of nothing (its sum is 0).
        const bool empty = to < from;
        switch (method) {
        case 1: SetFloats(ACol, T, empty ? 0.0 : ColumnSum(ACol, from, to)); break;
        case 2: empty ? SetCellEx(ACol, T, "") : SetFloats(ACol, T, ColumnAvg(ACol, from, to)); break;
        case 3: empty ? SetCellEx(ACol, T, "") : SetFloats(ACol, T, ColumnMin(ACol, from, to)); break;
        case 4: empty ? SetCellEx(ACol, T, "") : SetFloats(ACol, T, ColumnMax(ACol, from, to)); break;
        case 5: SetInts(ACol, T, s - 1 - g->CellErrFrom); break;
        case 6: empty ? SetCellEx(ACol, T, "") : SetFloats(ACol, T, FireGroupCalc(ACol, from, to)); break;
        case 7: empty ? SetCellEx(ACol, T, "") : SetFloats(ACol, T, ColumnDistinct(ACol, from, to)); break;
        case 8: empty ? SetCellEx(ACol, T, "") : SetFloats(ACol, T, ColumnStdDev(ACol, from, to)); break;
        default: break;
        }
        r += s;
    }
}

namespace {
void FooterCalc(TExtStringGrid* g, int ACol, TColumnCalcType calc)
{
    if (g->FloatingFooter()->Visible) g->FloatingFooter()->SetColumnCalc(ACol, calc);
}
}

void TExtStringGrid::GroupSum(int Colindex)
{
    GroupCalc(Colindex, 1);
    FooterCalc(this, Colindex, acSUM);
}

void TExtStringGrid::GroupAvg(int Colindex)
{
    GroupCalc(Colindex, 2);
    FooterCalc(this, Colindex, acAVG);
}

void TExtStringGrid::GroupMin(int Colindex)
{
    GroupCalc(Colindex, 3);
    FooterCalc(this, Colindex, acMIN);
}

void TExtStringGrid::GroupMax(int Colindex)
{
    GroupCalc(Colindex, 4);
    FooterCalc(this, Colindex, acMAX);
}

void TExtStringGrid::GroupCount(int Colindex)
{
    GroupCalc(Colindex, 5);
    FooterCalc(this, Colindex, acCOUNT);
}

void TExtStringGrid::GroupCustomCalc(int Colindex) { GroupCalc(Colindex, 6); }
void TExtStringGrid::GroupDistinct(int Colindex) { GroupCalc(Colindex, 7); }
void TExtStringGrid::GroupStdDev(int Colindex) { GroupCalc(Colindex, 8); }
