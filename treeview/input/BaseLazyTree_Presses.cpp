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
        const TRect r = GetDisplayRect(HitInfo.HitNode, HitInfo.HitColumn, false);
        if (Y <= r.Top - FOffsetY + 1)
            HitInfo.HitPositions << hiUpperSplitter;
        else if (Y >= r.Bottom - FOffsetY - 3)
            HitInfo.HitPositions << hiLowerSplitter;
    }
    ResolveHitPositionsLTR(HitInfo, X, cellWidth, FAlignment);
}

void TBaseLazyTree::ResolveHitPositionsLTR(THitInfo& HitInfo, int Offset, int Right, TAlignment Alignment)
{
    PLazyNode node = HitInfo.HitNode;
    const TLTPaintOptions paint = FOptions->PaintOptions();
    const bool mainColumn = HitInfo.HitColumn == FHeader->MainColumn();
    int indent = 0;
    if (mainColumn) {
        if (paint.Contains(toFixedIndent))
            indent = FIndent;
        else
            indent = FIndent * int(GetNodeLevel(node)) + (paint.Contains(toShowRoot) ? FIndent : 0);
    }
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
    // State and normal images come with the image lists.
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

// ---- mouse ----

namespace {
TLazyTreeState ButtonState(TMouseButton Button)
{
    return Button == mbLeft ? tsLeftButtonDown : Button == mbRight ? tsRightButtonDown : tsMiddleButtonDown;
}
} // namespace

void TBaseLazyTree::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    ChangeTreeStates(TLazyTreeStates{ButtonState(Button)}, {});
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const TLTSelectionOptions sel = FOptions->SelectionOptions();
    if (Button == mbRight && !sel.Contains(toRightClickSelect)) return;
    if (Button == mbMiddle && !sel.Contains(toMiddleClickSelect)) return;
    // The press gives the tree the focus first: taking it may scroll, so the point is
    // hit-tested after it.
    if (!Focused() && CanFocus()) SetFocus();
    THitInfo hit;
    GetHitTestInfoAt(X, Y, true, hit);
    HandleMouseDown(Button, Shift, hit);
}

void TBaseLazyTree::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft)
        ChangeTreeStates({}, TLazyTreeStates{tsNodeHeightTracking, tsNodeHeightTrackPending, tsLeftButtonDown});
    else
        ChangeTreeStates({}, TLazyTreeStates{ButtonState(Button)});
    const TLTSelectionOptions sel = FOptions->SelectionOptions();
    if ((Button != mbRight || sel.Contains(toRightClickSelect)) && (Button != mbMiddle || sel.Contains(toMiddleClickSelect))) {
        THitInfo hit;
        GetHitTestInfoAt(X, Y, true, hit);
        HandleMouseUp(Button, Shift, hit);
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TBaseLazyTree::HandleMouseDown(TMouseButton Button, TShiftState Shift, THitInfo& HitInfo)
{
    PLazyNode node = HitInfo.HitNode;
    const THitPositions& at = HitInfo.HitPositions;
    // A second press of a double click presses a check box again and does nothing else.
    if (Shift.Contains(ssDouble) && !at.Contains(hiOnItemCheckbox)) return;
    const TLTSelectionOptions sel = FOptions->SelectionOptions();
    const TLTMiscOptions misc = FOptions->MiscOptions();
    const bool nodeChanged = node != FFocusedNode;
    TShiftState shift = Shift * TShiftState{ssShift, ssAlt, ssCtrl};
    const bool altPressed = shift.Contains(ssAlt);
    shift >> ssAlt;
    const bool shiftEmpty = shift.Empty();
    const bool multiSelect = sel.Contains(toMultiSelect);
    const bool labelHit =
        !altPressed && !sel.Contains(toSimpleDrawSelection) && (at.Contains(hiOnItemLabel) || at.Contains(hiOnNormalIcon));
    const bool cellHit = !altPressed && !labelHit && node && !at.Contains(hiNowhere) && !at.Contains(hiOnItemButton) &&
                         !at.Contains(hiOnItemCheckbox) &&
                         (sel.Contains(toFullRowSelect) ||
                          (misc.Contains(toGridExtensions) && HitInfo.HitColumn > NoColumnIndex));
    const bool anyHit = labelHit || cellHit;
    const bool nodeSelected = anyHit && node->States.Contains(vsSelected);
    // Dragging comes with drag and drop; until then no press can start one.
    const bool dragPossible = false;

    if (at.Contains(hiOnItemButton) && node->States.Contains(vsHasChildren)) {
        ToggleNode(node);
        return;
    }
    if (at.Contains(hiOnItemCheckbox)) {
        if (FStates.Contains(tsKeyCheckPending) || FStates.Contains(tsMouseCheckPending) ||
            node->States.Contains(vsDisabled))
            return;
        TCheckState newState = NextCheckStateFor(node->CheckType, node->CheckState);
        if (Button == mbLeft && FireChecking(node, newState)) {
            ChangeTreeStates(TLazyTreeStates{tsMouseCheckPending}, {});
            FCheckNode = node;
            FPendingCheckState = newState;
            node->CheckState = CheckStatePressed(node->CheckState);
            InvalidateNode(node);
        }
        return;
    }
    if ((FRoot->ChildCount > 0 && shiftEmpty) || FSelectionCount == 0) {
        PLazyNode levelNode = node ? node : GetLastVisible(nullptr, true, false);
        FLastSelectionLevel = levelNode ? int(GetNodeLevel(levelNode)) : -1;
    }
    const bool immediateSelect = !dragPossible;
    if (!FSelectionLocked && ((!anyHit && multiSelect && shiftEmpty) ||
                              (anyHit && (!nodeSelected || immediateSelect) && (shiftEmpty || !multiSelect)))) {
        if (nodeSelected || (altPressed && node && !at.Contains(hiNowhere))) {
            const bool many = FSelectionCount > 1;
            ResetSelection();
            AddNodeToSelection(node, true);
            if (many) {
                Invalidate();
                ScheduleChange(nullptr);
            }
        } else if (!(at.Contains(hiNowhere) && sel.Contains(toAlwaysSelectNode))) {
            ClearSelectionAndNotify(false);
        }
    }
    // A press in empty space of a multi-selection tree only starts the rubber band.
    if (!sel.Contains(toDisableDrawSelection) && !labelHit && (multiSelect || at.Contains(hiNowhere)) && !cellHit)
        return;
    if (anyHit && FireFocusChanging(FFocusedNode, node, FFocusedColumn, FFocusedColumn)) {
        if (nodeChanged) ChangeFocusedNode(node, false);
        if (multiSelect && !shiftEmpty) {
            ApplyClickSelection(node, shift, dragPossible);
        } else {
            if (shiftEmpty) FRangeAnchor = node;
            if (!node->States.Contains(vsSelected)) AddToSelection(node);
        }
        if (nodeChanged) {
            ScrollIntoView(FFocusedNode, sel.Contains(toCenterScrollIntoView),
                           !(FOptions->AutoOptions().Contains(toDisableAutoscrollOnFocus) ||
                             sel.Contains(toFullRowSelect)));
            FireFocusChanged(FFocusedNode, FFocusedColumn);
        }
    }
    if (FSelectionCount == 0) ScheduleChange(nullptr);
}

void TBaseLazyTree::HandleMouseUp(TMouseButton Button, TShiftState Shift, const THitInfo& HitInfo)
{
    SetMouseCapture(false);
    if (FStates.Contains(tsClearPending)) {
        PLazyNode focused = FFocusedNode;
        const bool wasSelected = focused && focused->States.Contains(vsSelected);
        ClearSelection();
        if (wasSelected) AddToSelection(focused);
    }
    if (FStates.Contains(tsToggleFocusedSelection) && HitInfo.HitNode && HitInfo.HitNode == FFocusedNode) {
        if (FFocusedNode->States.Contains(vsSelected)) {
            if (!FOptions->SelectionOptions().Contains(toAlwaysSelectNode) || FSelectionCount > 1)
                RemoveFromSelection(FFocusedNode);
        } else {
            AddToSelection(FFocusedNode);
        }
        InvalidateNode(FFocusedNode);
    }
    ChangeTreeStates({}, TLazyTreeStates{tsToggleFocusedSelection, tsClearPending, tsDrawSelPending, tsOLEDragging,
                                         tsOLEDragPending, tsScrolling, tsScrollPending});
    if (FStates.Contains(tsMouseCheckPending)) {
        ChangeTreeStates({}, TLazyTreeStates{tsMouseCheckPending});
        if (PLazyNode node = FCheckNode) {
            FCheckNode = nullptr;
            if (HitInfo.HitNode == node && HitInfo.HitPositions.Contains(hiOnItem))
                CommitCheckState(node, FPendingCheckState);
            else
                node->CheckState = CheckStateReleased(node->CheckState);
            InvalidateNode(node);
        }
    }
}
