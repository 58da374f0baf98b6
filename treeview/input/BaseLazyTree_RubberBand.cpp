// The rubber band: a rectangle spanned from a press away from any label, kept in tree
// coordinates so that it stays on the content while the tree scrolls; each change of it
// selects (or toggles) the nodes it newly touches and gives back the ones it left, by
// comparing the rectangle before and after node by node. And the tree's scrolling by
// itself: near an edge while the band is drawn or something is dragged, and while the
// wheel button pans.
#include <algorithm>
#include <cstdlib>

#include "platform/rtl/Threads.h"
#include "treeview/core/BaseLazyTree.h"

// ---- the band ----

bool TBaseLazyTree::UpdateSelectionRect(int X, int Y)
{
    if (FStates.Contains(tsDrawSelecting)) FLastSelRect = FNewSelRect;
    const TPoint p = ClientToTree(X, Y);
    // The corner stays within the content, or the client area where that is larger.
    FNewSelRect.Right = std::clamp(p.X, 0, std::max(ClientWidth(), FRangeX));
    FNewSelRect.Bottom = std::clamp(p.Y, 0, std::max(RowAreaHeight(), FRangeY));
    return !(FLastSelRect == FNewSelRect);
}

bool TBaseLazyTree::ApplyDrawSelection()
{
    if (FRoot->TotalCount <= 1 || !FStates.Contains(tsDrawSelecting)) return false;
    const TRect oldRect = NormalizeRect(FLastSelRect), newRect = NormalizeRect(FNewSelRect);
    ClearNodeCache();
    const TColumnIndex main = FHeader->MainColumn();
    TBiDiMode bidi = FBiDiMode;
    TAlignment alignment = FAlignment;
    int mainLeft = 0, maxRight = ClientWidth();
    if (FHeader->UseColumns() && FHeader->Columns()->IsValidColumn(main)) {
        const TLazyTreeColumn* c = FHeader->Columns()->Items(main);
        bidi = c->BiDiMode();
        alignment = c->Alignment();
        mainLeft = c->RawLeft();
        maxRight = mainLeft + c->Width();
    }
    const bool changed = bidi != bdLeftToRight ? CollectRectNodesRTL(main, mainLeft, newRect, oldRect, alignment, maxRight)
                                               : CollectRectNodesLTR(main, mainLeft, newRect, oldRect, alignment, maxRight);
    if (changed) {
        // Removals were only marked; the array is made whole before the additions.
        CompactSelection();
        if (FTempNodeCount > 0) {
            AddToSelection(FTempNodeCache, int(FTempNodeCount), false);
            ClearNodeCache();
        }
        ScheduleChange(nullptr);
    }
    return changed;
}

void TBaseLazyTree::ChangeBandNode(PLazyNode Node, bool InNew, bool Toggle)
{
    // Removals are deferred and additions gathered, so the array changes once per move.
    if (Toggle ? Node->States.Contains(vsSelected) : !InNew)
        RemoveFromSelectionDeferred(Node);
    else
        CacheNode(Node);
}

bool TBaseLazyTree::CollectRectNodesLTR(TColumnIndex MainColumn, int MainColumnLeft, TRect NewRect, TRect OldRect,
                                        TAlignment Alignment, int MaxRight)
{
    const bool toggle = FDrawSelShiftState.Contains(ssCtrl);
    const bool withCheck = FOptions->MiscOptions().Contains(toCheckSupport);
    const int checkOffset = withCheck ? CheckImageWidth() + 2 : 0;
    const int stateOffset = FStateImages ? FStateImages->Width() + 2 : 0;
    const TLTSelectionOptions sel = FOptions->SelectionOptions();
    const bool useColumns = FHeader->UseColumns();
    const bool autoSpan = useColumns && FOptions->AutoOptions().Contains(toAutoSpanColumns);
    const bool simple = sel.Contains(toSimpleDrawSelection) || sel.Contains(toFullRowSelect);
    const bool fixedIndent = FOptions->PaintOptions().Contains(toFixedIndent);
    const int maxY = std::max(OldRect.Bottom, NewRect.Bottom);
    TLazyTreeColumns* columns = FHeader->Columns();

    int nodeTop = 0;
    PLazyNode node = GetNodeAt(0, std::min(OldRect.Top, NewRect.Top), false, nodeTop);
    if (!node) return false;
    int currentLeft = MainColumnLeft + FMargin + NodeIndentation(node);
    bool result = false;
    while (node && maxY >= nodeTop) {
        if (!node->States.Contains(vsInitialized)) InitializeNode(node);
        int textLeft = currentLeft;
        if (withCheck && node->CheckType != ctNone) textLeft += checkOffset;
        if (FImages && NodeHasImage(node, ikNormal, MainColumn)) textLeft += GetNodeImageSize(node).X + 2;
        if (FStateImages && NodeHasImage(node, ikState, MainColumn)) textLeft += stateOffset;
        const int nextTop = nodeTop + int(NodeHeight(node));
        bool inOld, inNew;
        if (simple) {
            const int total = useColumns ? columns->TotalWidth() : 0;
            inOld = OldRect.Top < nextTop && nodeTop < OldRect.Bottom && currentLeft < OldRect.Right &&
                    (!useColumns || OldRect.Left < total);
            inNew = NewRect.Top < nextTop && nodeTop < NewRect.Bottom && currentLeft < NewRect.Right &&
                    (!useColumns || NewRect.Left < total);
        } else {
            int cellRight = MaxRight;
            if (autoSpan) {
                // Empty cells to the right belong to the text that runs over them.
                for (TColumnIndex next = columns->GetNextVisibleColumn(MainColumn);
                     next > NoColumnIndex && IsCellEmpty(node, next) &&
                     columns->Items(next)->BiDiMode() == bdLeftToRight;
                     next = columns->GetNextVisibleColumn(next))
                    cellRight = columns->Items(next)->RawLeft() + columns->Items(next)->Width();
            }
            int nodeRight;
            if (textLeft >= OldRect.Left && textLeft >= NewRect.Left && Alignment == taLeftJustify) {
                // Both rectangles start left of the text: its width does not matter.
                nodeRight = cellRight;
            } else {
                const int w = GetNodeWidth(node, MainColumn);
                if (w >= cellRight - textLeft)
                    nodeRight = cellRight;
                else if (Alignment == taCenter) {
                    textLeft = (textLeft + cellRight - w) / 2;
                    nodeRight = textLeft + w;
                } else if (Alignment == taRightJustify) {
                    textLeft = cellRight - w;
                    nodeRight = cellRight;
                } else
                    nodeRight = textLeft + w;
            }
            inOld = nodeRight >= OldRect.Left && OldRect.Right >= textLeft && OldRect.Top < nextTop &&
                    nodeTop < OldRect.Bottom;
            inNew = nodeRight >= NewRect.Left && NewRect.Right >= textLeft && NewRect.Top < nextTop &&
                    nodeTop < NewRect.Bottom;
        }
        if (inOld != inNew) {
            result = true;
            ChangeBandNode(node, inNew, toggle);
        }
        nodeTop = nextTop;
        PLazyNode next = GetNextVisibleNoInit(node, true);
        if (next && !fixedIndent) currentLeft += LevelDifference(node, next) * FIndent;
        node = next;
    }
    return result;
}

bool TBaseLazyTree::CollectRectNodesRTL(TColumnIndex MainColumn, int MainColumnLeft, TRect NewRect, TRect OldRect,
                                        TAlignment Alignment, int MaxRight)
{
    const bool toggle = FDrawSelShiftState.Contains(ssCtrl);
    const bool withCheck = FOptions->MiscOptions().Contains(toCheckSupport);
    const int checkOffset = withCheck ? CheckImageWidth() + 2 : 0;
    const int stateOffset = FStateImages ? FStateImages->Width() + 2 : 0;
    const bool useColumns = FHeader->UseColumns();
    const bool autoSpan = useColumns && FOptions->AutoOptions().Contains(toAutoSpanColumns);
    // Full-row selection does not switch a right-to-left band to whole rows.
    const bool simple = FOptions->SelectionOptions().Contains(toSimpleDrawSelection);
    const bool fixedIndent = FOptions->PaintOptions().Contains(toFixedIndent);
    const int maxY = std::max(OldRect.Bottom, NewRect.Bottom);
    TLazyTreeColumns* columns = FHeader->Columns();
    // The alignment reads from the other side.
    if (Alignment == taLeftJustify)
        Alignment = taRightJustify;
    else if (Alignment == taRightJustify)
        Alignment = taLeftJustify;

    int nodeTop = 0;
    PLazyNode node = GetNodeAt(0, std::min(OldRect.Top, NewRect.Top), false, nodeTop);
    if (!node) return false;
    int currentRight = MaxRight - (FMargin + NodeIndentation(node));
    bool result = false;
    while (node && maxY >= nodeTop) {
        if (!node->States.Contains(vsInitialized)) InitializeNode(node);
        int textRight = currentRight;
        if (withCheck && node->CheckType != ctNone) textRight -= checkOffset;
        if (FImages && NodeHasImage(node, ikNormal, MainColumn)) textRight -= GetNodeImageSize(node).X + 2;
        if (FStateImages && NodeHasImage(node, ikState, MainColumn)) textRight -= stateOffset;
        const int nextTop = nodeTop + int(NodeHeight(node));
        bool inOld, inNew;
        if (simple) {
            inOld = OldRect.Top < nextTop && nodeTop < OldRect.Bottom;
            inNew = NewRect.Top < nextTop && nodeTop < NewRect.Bottom;
        } else {
            int cellLeft = MainColumnLeft;
            if (autoSpan) {
                for (TColumnIndex prev = columns->GetPreviousVisibleColumn(MainColumn);
                     prev > NoColumnIndex && IsCellEmpty(node, prev) &&
                     columns->Items(prev)->BiDiMode() != bdLeftToRight;
                     prev = columns->GetPreviousVisibleColumn(prev))
                    cellLeft = columns->Items(prev)->RawLeft();
            }
            int nodeLeft;
            if (OldRect.Right >= textRight && NewRect.Right >= textRight && Alignment == taRightJustify) {
                nodeLeft = cellLeft;
            } else {
                const int w = GetNodeWidth(node, MainColumn);
                if (w >= textRight - cellLeft)
                    nodeLeft = cellLeft;
                else if (Alignment == taLeftJustify) {
                    nodeLeft = cellLeft;
                    textRight = cellLeft + w;
                } else if (Alignment == taCenter) {
                    nodeLeft = (textRight + cellLeft - w) / 2;
                    textRight = nodeLeft + w;
                } else
                    nodeLeft = textRight - w;
            }
            inOld = OldRect.Right >= nodeLeft && textRight >= OldRect.Left && OldRect.Top < nextTop &&
                    nodeTop < OldRect.Bottom;
            inNew = NewRect.Right >= nodeLeft && textRight >= NewRect.Left && NewRect.Top < nextTop &&
                    nodeTop < NewRect.Bottom;
        }
        if (inOld != inNew) {
            result = true;
            ChangeBandNode(node, inNew, toggle);
        }
        nodeTop = nextTop;
        PLazyNode next = GetNextVisibleNoInit(node, true);
        if (next && !fixedIndent) currentRight -= LevelDifference(node, next) * FIndent;
        node = next;
    }
    return result;
}

// ---- scrolling by itself ----

bool TBaseLazyTree::AutoScrollAllowed()
{
    const bool panning = FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling);
    if (!FOptions->AutoOptions().Contains(toAutoScroll) && !panning) return false;
    if (HeaderTracking()) return false;
    return IsMouseSelecting() || IsCurrentDropTarget() ||
           FStates.Contains(tsVCLDragging) || panning;
}

TScrollDirections TBaseLazyTree::ScrollDirectionsAt(int X, int Y)
{
    TScrollDirections result;
    if (!AutoScrollAllowed()) return result;
    if (FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling)) {
        // Panning goes where the pointer is from the press point, past a dead zone.
        const int dx = X - FLastClickPos.X, dy = Y - FLastClickPos.Y;
        if (dx < -8) result << sdLeft;
        if (dx > 8) result << sdRight;
        if (dy < -8) result << sdUp;
        if (dy > 8) result << sdDown;
        return result;
    }
    // Edge zones one default row deep, only where there is content to reveal. The rows
    // start below the header.
    const int zone = int(FDefaultNodeHeight);
    const int y = Y - HeaderAreaHeight(), width = ClientWidth(), height = RowAreaHeight();
    if (X < zone && FEffectiveOffsetX != 0) result << sdLeft;
    if (width + FEffectiveOffsetX < FRangeX && X > width - zone) result << sdRight;
    if (y < zone && FOffsetY != 0) result << sdUp;
    if (height - FOffsetY < FRangeY && y > height - zone) result << sdDown;
    if (result.Empty()) return result;
    // Over the tree itself the pointer must rest in the zone a while; drawn beyond the
    // window's edge the band scrolls at once.
    if (ClientRect().Contains(TPoint(X, Y))) {
        const std::uint32_t now = GetTickCount();
        if (FDragScrollStart == 0) FDragScrollStart = now;
        if (now - FDragScrollStart < FAutoScrollDelay) return TScrollDirections();
    }
    return result;
}

void TBaseLazyTree::ScrollOnTimer()
{
    const TPoint p = Mouse_CursorPos();
    const TPoint clientPos = ScreenToClient(p);
    TRect rows = ClientRect();
    rows.Top = std::min(rows.Bottom, HeaderAreaHeight());
    const TPoint topLeft = ClientToScreen(TPoint(rows.Left, rows.Top));
    const TRect s(topLeft.X, topLeft.Y, topLeft.X + rows.Width(), topLeft.Y + rows.Height());
    const bool inRect = s.Contains(p);
    const bool panning = FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling);
    if (!IsMouseSelecting() && !inRect && !panning) return;

    const int vStep = std::min(int(FScrollBarOptions->VerticalIncrement()), rows.Height());
    const int hStep = int(FScrollBarOptions->HorizontalIncrement());
    int dx = 0, dy = 0;
    // Beyond the edge the speed grows with the pointer's distance from it; while panning
    // with its distance from the press point past the dead zone.
    if (FScrollDirections.Contains(sdUp)) {
        dy = panning ? FLastClickPos.Y - clientPos.Y - 8 : inRect ? vStep : vStep * std::abs(s.Top - p.Y);
        if (FOffsetY == 0) FScrollDirections >> sdUp;
    }
    if (FScrollDirections.Contains(sdDown)) {
        dy = panning ? FLastClickPos.Y - clientPos.Y + 8 : inRect ? -vStep : -vStep * std::abs(p.Y - s.Bottom);
        if (rows.Height() - FOffsetY == FRangeY) FScrollDirections >> sdDown;
    }
    if (FScrollDirections.Contains(sdLeft)) {
        dx = panning ? FLastClickPos.X - clientPos.X - 8 : inRect ? hStep : std::abs(s.Left - p.X) * hStep;
        if (FEffectiveOffsetX == 0) FScrollDirections >> sdLeft;
    }
    if (FScrollDirections.Contains(sdRight)) {
        dx = panning ? FLastClickPos.X - clientPos.X + 8 : inRect ? -hStep : -hStep * std::abs(p.X - s.Right);
        if (ClientWidth() + FEffectiveOffsetX == FRangeX) FScrollDirections >> sdRight;
    }
    if (UseRightToLeftAlignment()) dx = -dx;

    if (IsMouseSelecting()) {
        ApplyScrollOffset(TPoint(FOffsetX + dx, FOffsetY + dy), AllScrollUpdateOptions);
        // The band's free corner stays under the pointer while the content moves.
        if (UpdateSelectionRect(clientPos.X, clientPos.Y)) ApplyDrawSelection();
        Invalidate();
    } else if (!IsCurrentDropTarget() && (dx != 0 || dy != 0)) {
        // A drag over the tree scrolls with its own moves, not with the timer.
        ApplyScrollOffset(TPoint(FOffsetX + dx, FOffsetY + dy), AllScrollUpdateOptions);
    }
    Update();
    if (FScrollDirections.Empty() && !panning) {
        StopTimer(ScrollTimer);
        ChangeTreeStates({}, TLazyTreeStates{tsScrolling, tsScrollPending});
    }
}
