// Node rows: a row heads a block of rows below it and can be contracted, which moves
// the block into the store of hidden rows, and expanded again. There is no tree
// structure apart from the rows: the node is a cell object in column 0 and each row's
// depth is the NodeLevel of its column-0 record.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridSupport.h"

namespace {
// The column-0 object of a display row when it is of the kind asked for. The object
// is read from the record itself: the row check boxes and the column grid's virtual
// check boxes never stand for a node.
TCellGraphic* RowObject(TExtStringGrid* g, int ARow, TCellType Kind)
{
    if (ARow < 0 || ARow >= g->RowCount()) return nullptr;
    TCellProperties* p = g->CellPropsOf(0, ARow);
    auto* cg = p ? dynamic_cast<TCellGraphic*>(p->FGraphicObject) : nullptr;
    return cg && cg->CellType == Kind ? cg : nullptr;
}

TCellGraphic* NodeOf(TExtStringGrid* g, int ARow) { return RowObject(g, ARow, ctNode); }

int LevelOf(TExtStringGrid* g, int ARow)
{
    TCellProperties* p = g->CellPropsOf(0, ARow);
    return p ? p->NodeLevel : 0;
}
}

// ---------------------------------------------------------------- adding and removing

void TExtStringGrid::AddNode(int ARow, int Span)
{
    const int d = DisplRowIndex(ARow);
    if (d < 0 || d >= RowCount() || IsHiddenRow(ARow)) return;
    TCellGraphic* g = CreateCellGraphic(0, d);
    g->CellType = ctNode;
    g->CellAngle = d;
    g->CellBoolean = false;
    g->CellIndex = std::max(0, Span);
    g->CellHAlign = haBeforeText;
    g->CellVAlign = vaCenter;
    g->CellErrFrom = 0;
    g->CellVar = -1LL;
    // A span of 0 reaches up to the next node row; its rows take the level all the same,
    // so that the node's glyph and its rows stand at their depth.
    const int n = NodeDisplaySpan(d);
    for (int r = d; r < d + n && r < RowCount(); ++r) ++GetCellProperties(0, r)->NodeLevel;
    if (FNumNodes == 0) RepaintCol(0);
    ++FNumNodes;
    if (Col() == 0 && ColCount() > 1) SetCol(1);
}

int TExtStringGrid::NodeDisplaySpan(int ARow)
{
    TCellGraphic* g = NodeOf(this, ARow);
    if (!g) return 0;
    if (g->CellIndex > 0) return g->CellIndex;
    int e = ARow + 1;
    while (e < RowCount() && !NodeOf(this, e)) ++e;
    return e - ARow;
}

void TExtStringGrid::RemoveNode(int ARow)
{
    if (IsHiddenRow(ARow)) return;
    const int d = DisplRowIndex(ARow);
    if (!NodeOf(this, d)) return;
    ExpandNodeRows(ARow);
    const int n = NodeDisplaySpan(d);
    for (int r = d; r < d + n && r < RowCount(); ++r)
        if (TCellProperties* p = CellPropsOf(0, r); p && p->NodeLevel > 0) --p->NodeLevel;
    RemoveCellGraphic(0, d);
    if (FNumNodes > 0) --FNumNodes;
}

void TExtStringGrid::RemoveAllNodes()
{
    for (int r = 0; r < RowCount(); ++r) {
        if (!NodeOf(this, r)) continue;
        ExpandNodeRows(RealRowIndex(r));
        const int n = NodeDisplaySpan(r);
        for (int k = r; k < r + n && k < RowCount(); ++k)
            if (TCellProperties* p = CellPropsOf(0, k); p && p->NodeLevel > 0) --p->NodeLevel;
        RemoveCellGraphic(0, r);
        if (FNumNodes > 0) --FNumNodes;
    }
    FNumNodes = 0;
    Invalidate();
}

void TExtStringGrid::AddSummary(int ARow)
{
    const int d = DisplRowIndex(ARow);
    if (d < 0 || d >= RowCount()) return;
    CreateCellGraphic(0, d)->CellType = ctSummary;
}

// ---------------------------------------------------------------- queries

bool TExtStringGrid::IsNode(int ARow) { return NodeOf(this, ARow) != nullptr; }

bool TExtStringGrid::IsSummary(int ARow) { return RowObject(this, ARow, ctSummary) != nullptr; }

bool TExtStringGrid::GetNodeState(int ARow)
{
    TCellGraphic* g = NodeOf(this, ARow);
    return g && g->CellBoolean;
}

void TExtStringGrid::SetNodeState(int ARow, bool Value)
{
    TCellGraphic* g = NodeOf(this, ARow);
    if (!g || g->CellBoolean == Value) return;
    if (Value) ContractNode(RealRowIndex(ARow));
    else ExpandNode(RealRowIndex(ARow));
}

int TExtStringGrid::GetNodeLevel(int ARow) { return NodeOf(this, ARow) ? LevelOf(this, ARow) : -1; }

int TExtStringGrid::GetNodeSpan(int ARow)
{
    TCellGraphic* g = NodeOf(this, ARow);
    return g ? g->CellIndex : -1;
}

void TExtStringGrid::SetNodeSpan(int ARow, int Span)
{
    if (TCellGraphic* g = NodeOf(this, ARow)) g->CellIndex = Span;
}

void TExtStringGrid::UpdateNodeSpan(int ARow, int Delta)
{
    if (TCellGraphic* g = NodeOf(this, ARow)) g->CellIndex += Delta;
}

int TExtStringGrid::GetSubNodeCount(int ARow)
{
    TCellGraphic* g = NodeOf(this, ARow);
    return g ? g->CellErrFrom : 0;
}

void TExtStringGrid::UpdateSubNodeCount(int ARow, int Delta)
{
    if (TCellGraphic* g = NodeOf(this, ARow)) g->CellErrFrom += Delta;
}

int TExtStringGrid::GetParentRow(int ARow)
{
    if (FNumNodes == 0 || ARow < 0) return -1;
    int result = -1, level = 65535;
    if (NodeOf(this, ARow)) {
        level = LevelOf(this, ARow);
        result = ARow;
    }
    int hidden = 0;
    for (int r = std::min(ARow, RowCount() - 1); r >= FixedRows(); --r) {
        TCellGraphic* g = NodeOf(this, r);
        if (!g || LevelOf(this, r) >= level) continue;
        if (g->CellIndex == 0) {
            // Up to the next node row, as it is displayed.
            if (ARow < r + NodeDisplaySpan(r)) return r;
            continue;
        }
        // The rows of contracted nodes are counted in the spans but not displayed.
        if (g->CellBoolean) hidden += g->CellIndex - 1;
        if (ARow < r + g->CellIndex - hidden) return r;
    }
    return result;
}

int TExtStringGrid::GetNodeSpanType(int ARow)
{
    if (NodeOf(this, ARow)) return 0;
    if (ARow >= RowCount() - FixedFooters - 1) return 1;
    TCellProperties* next = CellPropsOf(0, ARow + 1);
    if (!next) return 1;
    return next->NodeLevel >= LevelOf(this, ARow) ? 2 : 1;
}

bool TExtStringGrid::IsInNodeGlyph(int ARow, int X)
{
    if (!FMouseActions->PreciseNodeClick) return true;
    const int L = LevelOf(this, ARow), I = FCellNode->NodeIndent();
    const bool glyph = !FCellNode->ExpandGlyph()->Empty();
    int b = 0, c = 0;
    switch (FCellNode->NodeType()) {
    case cnFlat: b = 4; c = 4; break;
    case cn3D: b = 6; c = 0; break;
    case cnGlyph:
        b = glyph ? FCellNode->ExpandGlyph()->Width() / 2 : 0;
        c = glyph ? 2 : 0;
        break;
    case cnLeaf: b = 8; c = 2; break;
    case cnXP: b = 4; c = 4; break;
    }
    return c + (L - 1) * I < X && X < b + L * I;
}

// ---------------------------------------------------------------- expanding and contracting

void TExtStringGrid::ExpandNode(int ARow)
{
    if (FCellNode->ExpandOne) {
        // Every other expanded node closes; the nodes whose block holds ARow stay open,
        // or the row would be hidden under them.
        for (int r = FixedRows(); r < RowCount(); ++r) {
            TCellGraphic* g = NodeOf(this, r);
            if (!g || g->CellBoolean) continue;
            const int real = RealRowIndex(r);
            if (real == ARow) continue;
            if (real < ARow && DisplRowIndex(ARow) < r + NodeDisplaySpan(r) && !IsHiddenRow(ARow)) continue;
            ContractNode(real);
        }
    }
    ExpandNodeRows(ARow);
}

void TExtStringGrid::ExpandNodeRows(int ARow)
{
    if (ARow < 0 || IsHiddenRow(ARow)) return;
    const int d = DisplRowIndex(ARow);
    TCellGraphic* g = NodeOf(this, d);
    if (!g || !g->CellBoolean) return;
    g->CellBoolean = false;
    int e = d + 1;
    if (g->CellIndex == 0)
        while (e < RowCount() && !NodeOf(this, e)) ++e;
    const int oldTop = TopRow(), oldRow = Row();
    const bool disjunct = FMouseActions->DisjunctRowSelect();
    if (disjunct) FMouseActions->SetDisjunctRowSelect(false);
    const bool rowSelect = Options().Contains(goRowSelect);
    if (rowSelect) SetOptions(Options() >> goRowSelect);
    const bool suspend = FControlList->Count() == 0;
    if (suspend) BeginUpdate();
    UnHideRows(RealRowIndex(d) + 1, RealRowIndex(e) - 1);
    if (rowSelect) {
        SetOptions(Options() << goRowSelect);
        if (oldRow < RowCount()) SetRow(oldRow);
        if (oldTop < RowCount()) SetTopRow(oldTop);
    }
    if (disjunct) FMouseActions->SetDisjunctRowSelect(true);
    if (suspend) EndUpdate();
    CalcFooter(-1);
}

void TExtStringGrid::ContractNode(int ARow)
{
    if (ARow < 0 || IsHiddenRow(ARow)) return;
    HideInplaceEdit();
    const int d = DisplRowIndex(ARow);
    TCellGraphic* g = NodeOf(this, d);
    if (!g || g->CellBoolean) return;
    FForceSel = true;
    g->CellBoolean = true;
    const int s = d + 1;
    int end = g->CellIndex > 0 ? d + g->CellIndex : d + NodeDisplaySpan(d);
    end = std::min(end, RowCount());
    int i = s;
    while (i < end) {
        TCellGraphic* inner = NodeOf(this, i);
        if (inner && inner->CellBoolean) {
            // An inner contracted node goes with the block and comes back open with it;
            // its hidden rows were counted in this node's span.
            inner->CellBoolean = false;
            const int ci = FControlList->ControlIndex(1, i + 1);
            if (ci >= 0 && FControlList->GetControl(ci)->Control) FControlList->GetControl(ci)->Control->SetVisible(false);
            const int innerSpan = inner->CellIndex;
            HideRows(RealRowIndex(s), RealRowIndex(i));
            end -= innerSpan + i - s;
            i = s;
        } else {
            ++i;
        }
    }
    if (i > s) HideRows(RealRowIndex(s), RealRowIndex(i - 1));
    FForceSel = false;
    CalcFooter(-1);
}

void TExtStringGrid::ExpandAll()
{
    BeginUpdate();
    // Top-down: every row above r is displayed when r is reached. ExpandOne does not
    // apply: all nodes open.
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (TCellGraphic* g = NodeOf(this, r); g && g->CellBoolean) ExpandNodeRows(RealRowIndex(r));
    EndUpdate();
    CalcFooter(-1);
}

void TExtStringGrid::ContractAll()
{
    BeginUpdate();
    ExpandAll();
    // Each outer node hides its block; inner nodes keep their open mark and go with it.
    std::vector<std::pair<int, int>> blocks;
    for (int r = FixedRows(); r < RowCount();) {
        TCellGraphic* g = NodeOf(this, r);
        if (!g) {
            ++r;
            continue;
        }
        g->CellBoolean = true;
        const int n = std::max(1, NodeDisplaySpan(r));
        if (n > 1) blocks.emplace_back(RealRowIndex(r + 1), RealRowIndex(std::min(r + n, RowCount()) - 1));
        r += n;
    }
    // Bottom-up, so that the real rows of the blocks above stay where they are.
    for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) HideRows(it->first, it->second);
    EndUpdate();
    CellControlsUpdate(false);
    CalcFooter(-1);
}

void TExtStringGrid::ToggleNodeByUser(int ARow)
{
    TCellGraphic* g = NodeOf(this, ARow);
    if (!g) return;
    const int real = RealRowIndex(ARow);
    bool Allow = true;
    if (g->CellBoolean) {
        if (OnBeforeExpandNode) OnBeforeExpandNode(this, ARow, real, Allow);
        if (!Allow) return;
        ExpandNode(real);
        if (OnExpandNode) OnExpandNode(this, ARow, real);
    } else {
        if (OnBeforeContractNode) OnBeforeContractNode(this, ARow, real, Allow);
        if (!Allow) return;
        ContractNode(real);
        if (OnContractNode) OnContractNode(this, ARow, real);
    }
}

// ---------------------------------------------------------------- rows inside and outside nodes

void TExtStringGrid::InsertChildRow(int ARow, int InsertAt)
{
    // The nodes' spans change with the row: the undo history ends with it.
    TUndoRowsScope undoScope(this);
    UndoRowsLost();
    const int d = DisplRowIndex(ARow);
    if (d < 0 || d > RowCount()) return;
    const int p = GetParentRow(d);
    int level = 1;
    // Every node the new row falls in grows by it and is opened so that the row shows.
    // A header among them counts a new header itself (SubGroup): a plain row inserted
    // here is a data row and raises the group count.
    if (p != -1) {
        UpdateNodeSpan(p, 1);
        ExpandNodeRows(RealRowIndex(p));
        level = LevelOf(this, p);
        int a = p;
        while (level > 1 && a != -1 && a >= FixedRows()) {
            const int up = GetParentRow(a);
            if (up == -1 || up == a) break;
            a = up;
            if (LevelOf(this, a) < level) {
                UpdateNodeSpan(a, 1);
                ExpandNodeRows(RealRowIndex(a));
                level = LevelOf(this, a);
            }
        }
        level = LevelOf(this, p);
    }
    const bool underNode = NodeOf(this, d) && InsertAt == 0;
    const int at = underNode ? d + 1 : d + InsertAt;
    InsertRows(at, 1);
    if (underNode) {
        // The node row keeps its node; its texts and values go to the new row below.
        for (int dc = 0; dc < ColCount(); ++dc) {
            const int c = RealColIndex(dc);
            SetGridCell(c, d + 1, GetGridCell(c, d));
            SetGridCell(c, d, "");
            if (c >= 1) {
                SetObjectEx(c, d + 1, GetObjectEx(c, d));
                if (CellPropsOf(c, d)) SetObjectEx(c, d, 0);
            }
        }
    }
    if (p != -1) GetCellProperties(0, at)->NodeLevel = level;
}

void TExtStringGrid::RemoveChildRow(int ARow)
{
    // The nodes' spans change with the row: the undo history ends with it.
    TUndoRowsScope undoScope(this);
    UndoRowsLost();
    if (IsHiddenRow(ARow)) return;
    // A header row taken out gives its rows back to its parent first.
    if (NodeOf(this, DisplRowIndex(ARow))) RemoveNode(ARow);
    const int d = DisplRowIndex(ARow);
    if (d < 0 || d >= RowCount()) return;
    int p = GetParentRow(d);
    if (p != -1) {
        const int level = LevelOf(this, p);
        if (GetNodeSpan(p) > 1) UpdateNodeSpan(p, -1);
        for (;;) {
            ExpandNodeRows(RealRowIndex(p));
            if (LevelOf(this, p) <= 1) break;
            const int up = GetParentRow(p);
            if (up == -1 || up == p || LevelOf(this, up) >= level) break;
            p = up;
            if (GetNodeSpan(p) > 1) UpdateNodeSpan(p, -1);
        }
    }
    RemoveRows(DisplRowIndex(ARow), 1);
}

void TExtStringGrid::InsertNormalRow(int ARow) { InsertRows(DisplRowIndex(ARow), 1); }

void TExtStringGrid::RemoveNormalRow(int ARow)
{
    if (IsHiddenRow(ARow)) return;
    RemoveRows(DisplRowIndex(ARow), 1);
}

// ---------------------------------------------------------------- mouse and keys

bool TExtStringGrid::NodeMouseDown(int ACol, int ARow, TShiftState Shift, int X, int Y)
{
    if (!HasNodes() || RealColIndex(ACol) != 0) return false;
    const TRect R = CellRect(ACol, ARow);
    if (IsNode(ARow) && IsInNodeGlyph(ARow, X - R.Left)) {
        if (ARow < FixedRows()) {
            // A node in the header opens or closes all nodes; the press goes on.
            if (FMouseActions->NodeAllExpandContract) {
                TCellGraphic* g = NodeOf(this, ARow);
                if (g->CellBoolean) ExpandAll();
                else ContractAll();
                g->CellBoolean = !g->CellBoolean;
                RepaintCell(ACol, ARow);
            }
            return false;
        }
        HideInplaceEdit();
        TCustomControl::MouseDown(mbLeft, Shift, X, Y);
        if (OnClickCell) OnClickCell(this, ARow, ACol);
        ToggleNodeByUser(ARow);
        if (FMouseActions->MoveRowOnNodeClick && ARow < RowCount()) SetRow(ARow);
        return true;
    }
    // Elsewhere in column 0 a press selects nothing (column 0 cannot become current).
    if (ARow >= FixedRows() && !FMouseActions->RowSelect && !Options().Contains(goRowSizing)) {
        TCustomControl::MouseDown(mbLeft, Shift, X, Y);
        if (OnClickCell) OnClickCell(this, ARow, ACol);
        return true;
    }
    return false;
}

void TExtStringGrid::GroupHeaderReleased(int ACol, int ARow)
{
    if (!FGrouping->AutoSelectGroup || !FMouseActions->DisjunctRowSelect() || ACol <= 0) return;
    TCellGraphic* g = NodeOf(this, ARow);
    if (!g || g->CellBoolean) return;
    const int n = NodeDisplaySpan(ARow);
    for (int r = ARow + 1; r < ARow + n && r < RowCount(); ++r)
        SetRowSelect(FMouseActions->RowSelectPersistent ? RealRowIndex(r) : r, true);
}

void TExtStringGrid::AutoCheckGroupToggled(int ACol, int ARow, bool Now)
{
    // A node's rows follow each other among the real rows, hidden or not.
    if (TCellGraphic* g = NodeOf(this, ARow)) {
        const int real = RealRowIndex(ARow);
        for (int e = 1; e < g->CellIndex; ++e) SetCheckBoxState(ACol, real + e, Now);
        return;
    }
    const int p = GetParentRow(ARow);
    TCellGraphic* pg = NodeOf(this, p);
    if (!pg) return;
    const int real = RealRowIndex(p);
    int on = 0, off = 0;
    for (int e = 1; e < pg->CellIndex; ++e) {
        bool state = false;
        if (!GetCheckBoxState(ACol, real + e, state)) continue;
        ++(state ? on : off);
    }
    SetCheckBoxState(ACol, real, on > 0 && off > 0 ? cbGrayed : on > 0 ? cbChecked : cbUnchecked);
}

bool TExtStringGrid::NodeKeyDown(WORD Key)
{
    if ((Key != VK_LEFT && Key != VK_RIGHT) || !HasNodes()) return false;
    const int r = Row();
    TCellGraphic* g = NodeOf(this, r);
    if (!g || !IsMergedCell(RealColIndex(Col()), r)) return false;
    if ((Key == VK_RIGHT) == g->CellBoolean) ToggleNodeByUser(r);
    return true;
}
