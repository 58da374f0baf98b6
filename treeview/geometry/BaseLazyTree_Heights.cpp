// Node heights and the vertical layout kept as running sums in the nodes, node
// measuring, vertical alignment, and the mapping between nodes and client coordinates.
#include <algorithm>

#include "treeview/core/BaseLazyTree.h"

namespace {
int MulDiv(int a, int b, int c) { return c == 0 ? -1 : int((std::int64_t(a) * b) / c); }
}   // namespace

void TBaseLazyTree::PropagateHeightChange(PLazyNode Node, std::int64_t Value, bool Relative)
{
    const std::int64_t diff = Relative ? Value : Value - std::int64_t(Node->TotalHeight);
    if (diff == 0) return;
    for (PLazyNode run = Node;;) {
        run->TotalHeight = std::uint32_t(std::int64_t(run->TotalHeight) + diff);
        if (run == FRoot || !run->States.Contains(vsVisible)) break;
        PLazyNode parent = run->Parent;
        if (!parent->States.Contains(vsExpanded)) break;
        run = parent;
    }
    UpdateVerticalRange();
}

void TBaseLazyTree::SumTotalCounts(PLazyNode Node)
{
    for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling) {
        SumTotalCounts(child);
        Node->TotalCount += child->TotalCount;
    }
}

void TBaseLazyTree::SumTotalHeights(PLazyNode Node)
{
    for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling) {
        SumTotalHeights(child);
        if (Node->States.Contains(vsExpanded) && child->States.Contains(vsVisible))
            Node->TotalHeight += child->TotalHeight;
    }
}

std::uint32_t TBaseLazyTree::NodeHeight(PLazyNode Node)
{
    if (!Node || Node == FRoot) return 0;
    if (!FOptions->MiscOptions().Contains(toVariableNodeHeight) || Node->States.Contains(vsDeleting))
        return Node->NodeHeight;
    if (!Node->States.Contains(vsInitialized)) InitializeNode(Node);
    MeasureItemHeight(Canvas(), Node);
    return Node->NodeHeight;
}

void TBaseLazyTree::SetNodeHeight(PLazyNode Node, std::uint32_t Value)
{
    if (!Node || Node == FRoot || FOptions->MiscOptions().Contains(toReadOnly)) return;
    Value = std::min<std::uint32_t>(Value, 0xFFFF);
    if (Value == Node->NodeHeight) return;
    const std::int64_t diff = std::int64_t(Value) - Node->NodeHeight;
    Node->NodeHeight = std::uint16_t(Value);
    if (IsEffectivelyFiltered(Node)) return;
    PropagateHeightChange(Node, diff, true);
    UpdateEditBounds();
    MarkCacheStale();
    if (!FStates.Contains(tsValidating) && FullyVisible(Node) && FUpdateCount == 0 && !FStates.Contains(tsPainting) &&
        !FStates.Contains(tsSizing)) {
        RequestCacheValidation();
        InvalidateToBottom(Node);
        UpdateScrollBars(true);
    }
}

void TBaseLazyTree::SetDefaultNodeHeight(std::uint32_t Value)
{
    if (Value == 0) Value = 18;
    Value = std::min<std::uint32_t>(Value, 0xFFFF);
    if (Value == FDefaultNodeHeight) return;
    const std::int64_t diff = std::int64_t(Value) - std::int64_t(FDefaultNodeHeight);
    FRoot->TotalHeight = std::uint32_t(std::int64_t(FRoot->TotalHeight) + diff);
    FRoot->NodeHeight = std::uint16_t(Value);
    FDefaultNodeHeight = Value;
    UpdateVerticalRange();
    MarkCacheStale();
    if (FUpdateCount == 0 && !FLoading) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
    }
}

void TBaseLazyTree::SetNodeAlignment(TLTNodeAlignment Value)
{
    if (Value == FNodeAlignment) return;
    FNodeAlignment = Value;
    if (!FLoading) Invalidate();
}

void TBaseLazyTree::FitDefaultNodeHeightToFont()
{
    if (!FOptions->AutoOptions().Contains(toAutoChangeScale)) return;
    Canvas()->SetFont(Font());
    const int h = Canvas()->TextHeight("Tg");
    if (h > 0 && std::uint32_t(h) > FDefaultNodeHeight) SetDefaultNodeHeight(std::uint32_t(h));
}

void TBaseLazyTree::FireMeasureItem(TCanvas* TargetCanvas, PLazyNode Node, int& NodeHeight)
{
    if (!Node->States.Contains(vsInitialized)) InitializeNode(Node);
    if (OnMeasureItem) OnMeasureItem(this, TargetCanvas, Node, NodeHeight);
}

void TBaseLazyTree::MeasureItemHeight(TCanvas* Canvas, PLazyNode Node)
{
    if (Node->States.Contains(vsHeightMeasured)) return;
    Node->States << vsHeightMeasured;
    if (!FOptions->MiscOptions().Contains(toVariableNodeHeight)) return;
    int height = Node->NodeHeight;
    FireMeasureItem(Canvas, Node, height);
    SetNodeHeight(Node, std::uint32_t(std::max(height, 0)));
}

void TBaseLazyTree::SetMultiLine(PLazyNode Node, bool Value)
{
    if (!Node || Node == FRoot || Node->States.Contains(vsMultiline) == Value) return;
    if (Value)
        Node->States << vsMultiline;
    else
        Node->States >> vsMultiline;
    if (FUpdateCount == 0) InvalidateNode(Node);
}

void TBaseLazyTree::SetVerticalAlignment(PLazyNode Node, std::uint8_t Value)
{
    if (Value > 100) Value = 100;
    if (!Node || Value == Node->Align) return;
    Node->Align = Value;
    if (Node != FRoot && FullyVisible(Node) && !IsEffectivelyFiltered(Node)) InvalidateNode(Node);
}

void TBaseLazyTree::ComputeVAlignOffsets(bool ShowImage, bool ShowStateImage, PLazyNode Node, int& VAlign,
                                         int& VButtonAlign)
{
    const int height = int(NodeHeight(Node));
    const int button = ButtonBitmapHeight();
    switch (FNodeAlignment) {
    case naFromTop: VAlign = Node->Align; break;
    case naFromBottom: VAlign = height - Node->Align; break;
    default: {
        int image = 0;
        if (ShowImage)
            image = NodeImageHeight(Node);
        else if (ShowStateImage)
            image = StateImagesHeight();
        if (ShowImage || ShowStateImage)
            VAlign = MulDiv(height - image, Node->Align, 100) + image / 2;
        else if (FOptions->PaintOptions().Contains(toShowButtons))
            VAlign = MulDiv(height - button, Node->Align, 100) + button / 2;
        else
            VAlign = MulDiv(Node->NodeHeight, Node->Align, 100);
    }
    }
    VButtonAlign = VAlign - button / 2 - (button % 2 == 1 ? 1 : 0);
}

PLazyNode TBaseLazyTree::GetNodeAt(int X, int Y)
{
    int top = 0;
    return GetNodeAt(X, Y, true, top);
}

PLazyNode TBaseLazyTree::GetNodeAt(int X, int Y, bool Relative, int& NodeTop)
{
    if (Y < 0) Y = 0;
    const std::int64_t position = Relative ? std::int64_t(Y) - FOffsetY : Y;
    PLazyNode run;
    std::uint32_t top = 0;
    // Measured heights are asked for row by row on the way, so variable heights walk.
    const bool variable = FOptions->MiscOptions().Contains(toVariableNodeHeight);
    if (FStates.Contains(tsUseCache))
        run = CacheEntryAtPosition(std::uint32_t(position), top);
    else
        run = variable ? nullptr : NodeAtPositionByHeights(position, top);
    if (!run && !FStates.Contains(tsUseCache)) {
        top = 0;
        run = GetFirstVisibleNoInit(nullptr, true, false);
    }
    while (run) {
        const std::uint32_t h = NodeHeight(run);
        if (std::int64_t(top) + h > position) break;
        top += h;
        run = GetNextVisibleNoInit(run, true);
    }
    if (!run || run == FRoot) return nullptr;
    NodeTop = int(top) + (Relative ? FOffsetY : 0);
    return run;
}

TRect TBaseLazyTree::GetDisplayRect(PLazyNode Node, TColumnIndex Column, bool TextOnly, bool Unclipped,
                                    bool ApplyCellContentMargin)
{
    TreeAssert(Node != nullptr, "Node must not be nil.");
    TreeAssert(Node != FRoot, "Node must not be the hidden root node.");
    const bool mainColumn = Column == NoColumnIndex || Column == FHeader->MainColumn();
    if (!Node->States.Contains(vsInitialized)) InitializeNode(Node);
    TRect r;
    if (!IsEffectivelyVisible(Node)) return r;
    int indent = 0;
    if (!FOptions->PaintOptions().Contains(toFixedIndent)) {
        for (PLazyNode run = Node; run != FRoot; run = run->Parent) {
            if (!run->States.Contains(vsVisible)) return TRect();
            if (run->Parent != FRoot) {
                if (!run->Parent->States.Contains(vsExpanded)) return TRect();
                if (mainColumn) indent += FIndent;
            }
        }
    }
    std::uint32_t top = 0;
    bool found = false;
    if (FStates.Contains(tsUseCache) && FullyVisible(Node)) {
        PLazyNode run = CacheEntryBeforeNode(Node, top);
        while (run && run != Node) {
            top += NodeHeight(run);
            run = GetNextVisibleNoInit(run, true);
        }
        found = run == Node;
    }
    if (!found && !FOptions->MiscOptions().Contains(toVariableNodeHeight)) found = NodeTopByHeights(Node, top);
    if (!found) {
        top = 0;
        for (PLazyNode run = GetPreviousVisibleNoInit(Node, true); run; run = GetPreviousVisibleNoInit(run, true))
            top += NodeHeight(run);
    }
    r = TRect(0, int(top), std::max(ClientWidth(), FRangeX), int(top + NodeHeight(Node)));
    // A real column's cell spans that column; without one the cell is the whole row.
    TLazyTreeColumns* columns = FHeader->Columns();
    if (Column >= 0 && FHeader->UseColumns() && columns->IsValidColumn(Column))
        columns->GetColumnBounds(Column, r.Left, r.Right);
    OffsetRect(r, -FEffectiveOffsetX, FOffsetY);
    if (!TextOnly) return r;
    int offset = FMargin + indent;
    if (mainColumn && FOptions->PaintOptions().Contains(toShowRoot)) offset += FIndent;
    r.Left += offset;
    const int w = GetNodeWidth(Node, Column);
    if (Unclipped) {
        TAlignment alignment = FAlignment;
        if (r.Width() < w - 1) alignment = taLeftJustify;
        if (alignment == taRightJustify) {
            r.Left = r.Right - w;
        } else if (alignment == taCenter) {
            r.Left = (r.Left + r.Right - w) / 2;
            r.Right = r.Left + w;
        } else {
            r.Right = r.Left + w - 1;
        }
    } else if (w < r.Width()) {
        if (FAlignment == taRightJustify) {
            r.Left = r.Right - w;
        } else if (FAlignment == taCenter) {
            r.Left = (r.Left + r.Right - w) / 2;
            r.Right = r.Left + w;
        } else {
            r.Right = r.Left + w;
        }
    }
    return r;
}

TRect TBaseLazyTree::GetTreeRect() const
{
    return TRect(0, 0, std::max(ClientWidth(), FRangeX), std::max(ClientHeight(), FRangeY));
}

void TBaseLazyTree::InvalidateToBottom(PLazyNode Node)
{
    if (FUpdateCount > 0) return;
    if (!Node || Node == FRoot) {
        Invalidate();
        return;
    }
    if (!Node->States.Contains(vsInitialized) || !IsEffectivelyVisible(Node) || !FullyVisible(Node)) return;
    TRect r = GetDisplayRect(Node, NoColumnIndex, false);
    if (r.Top >= RowAreaHeight()) return;
    if (FOptions->PaintOptions().Contains(toChildrenAbove) && Node->States.Contains(vsExpanded))
        r.Top -= int(Node->NodeHeight + Node->TotalHeight);
    r.Left = 0;
    r.Bottom = RowAreaHeight();
    OffsetRect(r, 0, HeaderAreaHeight());
    InvalidateRect(r);
}

