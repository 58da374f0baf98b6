// Presses of the mouse buttons and of the Space key: which node and which part of it a
// point hits, the two phases of a check-box press (press shows the pressed look, release
// commits or restores), and the selection and focus change of a click on a node.
#include "treeview/core/BaseLazyTree.h"

// ---- hit testing ----

void TBaseLazyTree::GetHitTestInfoAt(int X, int Y, bool Relative, THitInfo& HitInfo)
{
    HitInfo = THitInfo{};
    // Client points count from the top of the rows, which start below the header.
    if (Relative) Y -= HeaderAreaHeight();
    if (X < 0)
        HitInfo.HitPositions = THitPositions{hiToLeft};
    else if (X > std::max(ClientWidth(), FRangeX))
        HitInfo.HitPositions << hiToRight;
    if (Y < 0)
        HitInfo.HitPositions << hiAbove;
    else if (Y > std::max(RowAreaHeight(), FRangeY))
        HitInfo.HitPositions << hiBelow;
    if (Relative) {
        // Fixed columns do not scroll: a point over them keeps its x.
        if (!FHeader->UseColumns() || X >= FHeader->Columns()->GetVisibleFixedWidth()) X += FEffectiveOffsetX;
        Y -= FOffsetY;
    }
    HitInfo.HitPoint = TPoint(X, Y);
    if (!HitInfo.HitPositions.Empty()) return;
    int top = 0;
    HitInfo.HitNode = GetNodeAt(X, Y, false, top);
    if (!HitInfo.HitNode) {
        HitInfo.HitPositions << hiNowhere;
        return;
    }
    if (!HitInfo.HitNode->States.Contains(vsInitialized)) InitializeNode(HitInfo.HitNode);
    // With columns the point falls into one cell, and the rest of the test runs in that
    // cell's coordinates; without them the cell is the whole row.
    HitInfo.HitColumn = NoColumnIndex;
    int cellWidth = std::max(ClientWidth(), FRangeX);
    TAlignment alignment = FAlignment;
    TBiDiMode bidi = FBiDiMode;
    if (FHeader->UseColumns()) {
        HitInfo.HitColumn = InvalidColumnIndex;
        TLazyTreeColumns* columns = FHeader->Columns();
        for (TColumnIndex i : columns->PositionToIndex()) {
            const TLazyTreeColumn* c = columns->Items(i);
            if (!c->Visible()) continue;
            if (X >= c->RawLeft() && X < c->RawLeft() + c->Width()) {
                HitInfo.HitColumn = i;
                X -= c->RawLeft();
                cellWidth = c->Width();
                alignment = c->Alignment();
                bidi = c->BiDiMode();
                break;
            }
        }
        if (HitInfo.HitColumn == InvalidColumnIndex) {
            HitInfo.HitPositions << hiNowhere;
            return;
        }
    }
    HitInfo.HitPositions = THitPositions{hiOnItem};
    if (FOptions->MiscOptions().Contains(toNodeHeightResize)) {
        // A few pixels at a row's top and bottom edge grab the border to the next row.
        if (Y <= top + 1)
            HitInfo.HitPositions << hiUpperSplitter;
        else if (Y >= top + int(NodeHeight(HitInfo.HitNode)) - 3)
            HitInfo.HitPositions << hiLowerSplitter;
    }
    if (bidi != bdLeftToRight)
        ResolveHitPositionsRTL(HitInfo, X, cellWidth, alignment);
    else
        ResolveHitPositionsLTR(HitInfo, X, cellWidth, alignment);
}

int TBaseLazyTree::NodeIndentation(PLazyNode Node) const
{
    const TLTPaintOptions paint = FOptions->PaintOptions();
    if (paint.Contains(toFixedIndent)) return FIndent;
    return FIndent * int(GetNodeLevel(Node)) + (paint.Contains(toShowRoot) ? FIndent : 0);
}

void TBaseLazyTree::ResolveHitPositionsLTR(THitInfo& HitInfo, int Offset, int Right, TAlignment Alignment)
{
    PLazyNode node = HitInfo.HitNode;
    const TLTPaintOptions paint = FOptions->PaintOptions();
    const bool mainColumn = HitInfo.HitColumn == FHeader->MainColumn();
    const int indent = mainColumn ? NodeIndentation(node) : 0;
    if (mainColumn && Offset < indent + FMargin) {
        const THitPositions before = HitInfo.HitPositions;
        if (paint.Contains(toShowButtons) && node->States.Contains(vsHasChildren)) {
            if (Offset >= indent - FIndent) HitInfo.HitPositions << hiOnItemButton;
            if (Offset >= indent - ButtonBitmapHeight()) HitInfo.HitPositions << hiOnItemButtonExact;
        }
        if (HitInfo.HitPositions == before) HitInfo.HitPositions << hiOnItemIndent;
        return;
    }
    if (!mainColumn && FOptions->MiscOptions().Contains(toReportMode)) return;
    int imageOffset = indent + FMargin;
    if (mainColumn && FOptions->MiscOptions().Contains(toCheckSupport) && node->CheckType != ctNone)
        imageOffset += CheckImageWidth() + 2;
    if (mainColumn && Offset < imageOffset) {
        HitInfo.HitPositions = THitPositions{hiOnItem};
        if (node->CheckType != ctNone) HitInfo.HitPositions << hiOnItemCheckbox;
        return;
    }
    if (FStateImages && NodeHasImage(node, ikState, HitInfo.HitColumn)) {
        imageOffset += FStateImages->Width() + 2;
        if (Offset < imageOffset) {
            HitInfo.HitPositions << hiOnStateIcon;
            return;
        }
    }
    if (FImages && NodeHasImage(node, ikNormal, HitInfo.HitColumn)) {
        imageOffset += GetNodeImageSize(node).X + 2;
        if (Offset < imageOffset) {
            HitInfo.HitPositions << hiOnNormalIcon;
            return;
        }
    }
    const int textWidth = GetNodeWidth(node, HitInfo.HitColumn);
    if (textWidth > Right - imageOffset) {
        HitInfo.HitPositions << hiOnItemLabel;
        return;
    }
    switch (Alignment) {
    case taRightJustify:
        HitInfo.HitPositions << (Offset < Right - textWidth ? hiOnItemLeft : hiOnItemLabel);
        break;
    case taCenter: {
        const int textStart = (imageOffset + Right - textWidth) / 2;
        if (Offset < textStart)
            HitInfo.HitPositions << hiOnItemLeft;
        else if (Offset < textStart + textWidth)
            HitInfo.HitPositions << hiOnItemLabel;
        else
            HitInfo.HitPositions << hiOnItemRight;
        break;
    }
    default: HitInfo.HitPositions << (Offset < imageOffset + textWidth ? hiOnItemLabel : hiOnItemRight);
    }
}

void TBaseLazyTree::ResolveHitPositionsRTL(THitInfo& HitInfo, int Offset, int Right, TAlignment Alignment)
{
    // The mirror of the left-to-right test: indentation, check box and images are taken
    // from the cell's right edge, and the margin strip belongs to the check box.
    PLazyNode node = HitInfo.HitNode;
    const TLTPaintOptions paint = FOptions->PaintOptions();
    const bool mainColumn = HitInfo.HitColumn == FHeader->MainColumn();
    const int indent = mainColumn ? NodeIndentation(node) : 0;
    const int edge = Right - indent;
    if (mainColumn && Offset >= edge) {
        const THitPositions before = HitInfo.HitPositions;
        if (paint.Contains(toShowButtons) && node->States.Contains(vsHasChildren)) {
            if (Offset <= edge + FIndent) HitInfo.HitPositions << hiOnItemButton;
            if (Offset <= edge + ButtonBitmapHeight()) HitInfo.HitPositions << hiOnItemButtonExact;
        }
        if (HitInfo.HitPositions == before) HitInfo.HitPositions << hiOnItemIndent;
        return;
    }
    if (!mainColumn && FOptions->MiscOptions().Contains(toReportMode)) return;
    int imageOffset = edge - FMargin;
    if (mainColumn && FOptions->MiscOptions().Contains(toCheckSupport) && node->CheckType != ctNone)
        imageOffset -= CheckImageWidth() + 2;
    if (mainColumn && Offset > imageOffset) {
        HitInfo.HitPositions = THitPositions{hiOnItem};
        if (node->CheckType != ctNone) HitInfo.HitPositions << hiOnItemCheckbox;
        return;
    }
    if (FStateImages && NodeHasImage(node, ikState, HitInfo.HitColumn)) {
        imageOffset -= FStateImages->Width() + 2;
        if (Offset > imageOffset) {
            HitInfo.HitPositions << hiOnStateIcon;
            return;
        }
    }
    if (FImages && NodeHasImage(node, ikNormal, HitInfo.HitColumn)) {
        imageOffset -= GetNodeImageSize(node).X + 2;
        if (Offset > imageOffset) {
            HitInfo.HitPositions << hiOnNormalIcon;
            return;
        }
    }
    const int textWidth = GetNodeWidth(node, HitInfo.HitColumn);
    if (textWidth > imageOffset) {
        HitInfo.HitPositions << hiOnItemLabel;
        return;
    }
    // Left and right swap when the text reads from the right.
    if (Alignment == taLeftJustify)
        Alignment = taRightJustify;
    else if (Alignment == taRightJustify)
        Alignment = taLeftJustify;
    switch (Alignment) {
    case taRightJustify:
        HitInfo.HitPositions << (Offset < imageOffset - textWidth ? hiOnItemLeft : hiOnItemLabel);
        break;
    case taCenter: {
        const int textStart = (imageOffset - textWidth) / 2;
        if (Offset < textStart)
            HitInfo.HitPositions << hiOnItemLeft;
        else if (Offset < textStart + textWidth)
            HitInfo.HitPositions << hiOnItemLabel;
        else
            HitInfo.HitPositions << hiOnItemRight;
        break;
    }
    default: HitInfo.HitPositions << (Offset > textWidth ? hiOnItemRight : hiOnItemLabel);
    }
}
