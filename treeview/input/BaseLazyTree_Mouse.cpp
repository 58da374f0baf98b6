// The mouse buttons: which messages the tree takes before the rest of its handlers, the
// presses, releases and double clicks of all three buttons with their states, and what a
// press does to focus, selection, check boxes, node heights, the rubber band and editing.
#include "platform/gui/Menus.h"
#include "treeview/core/BaseLazyTree.h"

namespace {
// The platform's context-menu request and the toolkit's probe whether a window is one of
// its controls (answered 1).
constexpr unsigned WM_CONTEXTMENU = 0x007B;
constexpr unsigned CM_CONTROLPROBE = 0xB7D0;

bool IsMouseMessage(unsigned Msg) { return Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST && Msg != WM_MOUSEWHEEL; }
} // namespace

bool TBaseLazyTree::HeaderTracking() const
{
    const THeaderStates busy{hsDragging,       hsDragPending,       hsColumnWidthTracking, hsColumnWidthTrackPending,
                             hsHeightTracking, hsHeightTrackPending};
    return FHeader && !(FHeader->States() * busy).Empty();
}

TPoint TBaseLazyTree::ClientToTree(int X, int Y) const
{
    return TPoint(X + FEffectiveOffsetX, Y - HeaderAreaHeight() - FOffsetY);
}

// ---- message routing ----

bool TBaseLazyTree::HandleInputMessage(TMessage& Message)
{
    if (HandleWindowMessage(Message)) return true;
    // While the header's window holds the mouse for a drag or resize, the tree's own
    // button handling stays out of the way.
    if (IsMouseMessage(Message.Msg) && Message.Msg != WM_MOUSEMOVE && HeaderTracking()) return true;
    switch (Message.Msg) {
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK: {
        const TMouseButton button = Message.Msg == WM_LBUTTONDBLCLK   ? mbLeft
                                    : Message.Msg == WM_MBUTTONDBLCLK ? mbMiddle
                                                                      : mbRight;
        const TLazyTreeState state = button == mbLeft ? tsLeftDblClick : button == mbMiddle ? tsMiddleDblClick
                                                                                           : tsRightDblClick;
        const int x = GET_X_LPARAM(Message.LParam), y = GET_Y_LPARAM(Message.LParam);
        TShiftState shift = KeysToShiftState(Message.WParam);
        ChangeTreeStates(TLazyTreeStates{state}, {});
        // The application hears the press and the double click before the tree acts on it.
        if (button == mbMiddle)
            TControl::MouseDown(mbMiddle, shift + TShiftState{ssDouble}, x, y);
        else
            TCustomControl::WndProc(Message);
        const TLTSelectionOptions sel = FOptions->SelectionOptions();
        if (button == mbLeft || (button == mbMiddle && sel.Contains(toMiddleClickSelect)) ||
            (button == mbRight && sel.Contains(toRightClickSelect))) {
            THitInfo hit;
            GetHitTestInfoAt(x, y, true, hit);
            HandleMouseDblClick(button, shift, hit);
        }
        ChangeTreeStates({}, TLazyTreeStates{state});
        return true;
    }
    case WM_TIMER:
        if (Message.WParam != ScrollTimer) return false;
        HandleScrollTimer();
        return true;
    case WM_KILLFOCUS:
        EndWheelPanning();
        for (std::uintptr_t id : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer}) StopTimer(id);
        FSearchBuffer.clear();
        FLastSearchNode = nullptr;
        // A rubber band being drawn outlives the focus; only losing the mouse ends it.
        ChangeTreeStates({}, TLazyTreeStates{tsEditPending, tsNodeHeightTracking, tsNodeHeightTrackPending,
                                             tsIncrementalSearching, tsLeftButtonDown, tsMiddleButtonDown,
                                             tsOLEDragPending, tsRightButtonDown, tsScrolling, tsScrollPending,
                                             tsVCLDragPending});
        return false;
    case WM_CANCELMODE:
        for (std::uintptr_t id : {ExpandTimer, EditTimer, HeaderTimer, ScrollTimer, SearchTimer, ThemeChangedTimer})
            StopTimer(id);
        FSearchBuffer.clear();
        FLastSearchNode = nullptr;
        ChangeTreeStates({}, TLazyTreeStates{tsClearPending, tsDrawSelPending, tsDrawSelecting, tsEditPending,
                                             tsIncrementalSearching, tsOLEDragPending, tsVCLDragPending});
        Invalidate();
        return false;
    case WM_CONTEXTMENU:
        ChangeTreeStates({}, TLazyTreeStates{tsClearPending, tsEditPending, tsOLEDragPending, tsVCLDragPending});
        // The tree showed its own menu for this click or key: no second one.
        if (!FStates.Contains(tsPopupMenuShown) && PopupMenu()) {
            const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
            PopupMenu()->SetPopupComponent(this);
            PopupMenu()->Popup(p.X, p.Y);
        }
        return true;
    case CM_MOUSELEAVE:
        // The pointer may have come in without an enter message (it was over the tree
        // when the window appeared): what it left behind is cleared all the same.
        HandleMouseLeave();
        return false;
    case CM_CONTROLPROBE:
        Message.Result = 1;
        return true;
    }
    return false;
}

// ---- presses and releases ----

namespace {
TLazyTreeState ButtonState(TMouseButton Button)
{
    return Button == mbLeft ? tsLeftButtonDown : Button == mbRight ? tsRightButtonDown : tsMiddleButtonDown;
}
} // namespace

void TBaseLazyTree::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // Double clicks are routed whole by HandleInputMessage; this is their toolkit half.
    if (Shift.Contains(ssDouble)) {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        return;
    }
    ChangeTreeStates(TLazyTreeStates{ButtonState(Button)}, {});
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const TLTSelectionOptions sel = FOptions->SelectionOptions();
    if (Button == mbMiddle) {
        const bool panning = FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling);
        const bool canScroll = ClientWidth() < FRangeX || RowAreaHeight() < FRangeY;
        if (FOptions->MiscOptions().Contains(toWheelPanning) && !panning && canScroll) {
            FLastClickPos = TPoint(X, Y);
            BeginWheelPanning(FLastClickPos);
            return;
        }
        EndWheelPanning();
        if (!sel.Contains(toMiddleClickSelect)) return;
    }
    if (Button == mbRight && !sel.Contains(toRightClickSelect)) return;
    THitInfo hit;
    GetHitTestInfoAt(X, Y, true, hit);
    HandleMouseDown(Button, Shift, hit);
}

void TBaseLazyTree::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TLTSelectionOptions sel = FOptions->SelectionOptions();
    THitInfo hit;
    switch (Button) {
    case mbLeft:
        ChangeTreeStates({}, TLazyTreeStates{tsNodeHeightTracking, tsNodeHeightTrackPending, tsLeftButtonDown});
        GetHitTestInfoAt(X, Y, true, hit);
        HandleMouseUp(Button, Shift, hit);
        break;
    case mbMiddle:
        ChangeTreeStates({}, TLazyTreeStates{tsMiddleButtonDown});
        if (FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling)) {
            // A click without moving leaves the view panning until the next press; a
            // drag pans only while the button is held.
            if (FStates.Contains(tsWheelScrolling))
                ChangeTreeStates({}, TLazyTreeStates{tsWheelPanning});
            else
                EndWheelPanning();
            return;
        }
        if (sel.Contains(toMiddleClickSelect)) {
            GetHitTestInfoAt(X, Y, true, hit);
            HandleMouseUp(Button, Shift, hit);
        }
        break;
    case mbRight:
        ChangeTreeStates({}, TLazyTreeStates{tsRightButtonDown, tsPopupMenuShown});
        if (IsMouseSelecting() && PopupMenu()) {
            ChangeTreeStates({}, TLazyTreeStates{tsDrawSelPending, tsDrawSelecting});
            Invalidate();
        }
        GetHitTestInfoAt(X, Y, true, hit);
        if (sel.Contains(toRightClickSelect)) HandleMouseUp(Button, Shift, hit);
        if (!PopupMenu()) ShowPopupMenu(hit.HitNode, hit.HitColumn, TPoint(X, Y));
        break;
    default: break;
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

bool TBaseLazyTree::NodeSplitterAllowed(TPoint P, PLazyNode Node, TColumnIndex Column)
{
    bool allowed = FOptions->MiscOptions().Contains(toNodeHeightResize) && Node && Node != FRoot &&
                   Column > NoColumnIndex && FHeader->Columns()->IsValidColumn(Column) &&
                   FHeader->Columns()->Items(Column)->Options().Contains(coFixed);
    if (OnCanSplitterResizeNode) OnCanSplitterResizeNode(this, P, Node, Column, allowed);
    return allowed;
}

void TBaseLazyTree::HandleMouseDown(TMouseButton Button, TShiftState Shift, THitInfo& HitInfo)
{
    const int xPos = HitInfo.HitPoint.X - FEffectiveOffsetX, yPos = HitInfo.HitPoint.Y + FOffsetY + HeaderAreaHeight();
    if (FStates.Contains(tsWheelPanning) || FStates.Contains(tsWheelScrolling)) {
        EndWheelPanning();
        return;
    }
    if (FStates.Contains(tsEditPending)) {
        StopTimer(EditTimer);
        ChangeTreeStates({}, TLazyTreeStates{tsEditPending});
    }
    // The press gives the tree the focus first: taking it may scroll, so the point is
    // hit-tested again after it.
    if (!Focused() && CanFocus()) {
        SetFocus();
        GetHitTestInfoAt(xPos, yPos, true, HitInfo);
    }
    PLazyNode node = HitInfo.HitNode;
    const THitPositions& at = HitInfo.HitPositions;
    const TLTSelectionOptions sel = FOptions->SelectionOptions();
    const TLTMiscOptions misc = FOptions->MiscOptions();
    FHeader->Columns()->FClickIndex = HitInfo.HitColumn;

    TColumnIndex newColumn = FFocusedColumn;
    bool columnChanged = false;
    if (at.Contains(hiOnItemLabel) || sel.Contains(toFullRowSelect) || misc.Contains(toGridExtensions)) {
        columnChanged = HitInfo.HitColumn != FFocusedColumn;
        newColumn = sel.Contains(toExtendedFocus) ? HitInfo.HitColumn : FHeader->MainColumn();
    }
    if (columnChanged && !FHeader->AllowFocus(newColumn)) {
        newColumn = FFocusedColumn;
        columnChanged = false;
    }
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
    bool fullRowDrag = misc.Contains(toFullRowDrag);
    if (multiSelect && !sel.Contains(toDisableDrawSelection))
        fullRowDrag = fullRowDrag && cellHit && !at.Contains(hiNowhere) &&
                      (nodeSelected || at.Contains(hiOnItemLabel) || at.Contains(hiOnNormalIcon));
    // The toolkit's automatic dragging is not used by the tree: a drag starts only where
    // the application allows it.
    bool dragPossible = false;
    if (node) dragPossible = FireDragAllowed(node, newColumn) && (fullRowDrag || labelHit);

    // 1. The splitter between two rows of a fixed column changes a node's height.
    if (Button == mbLeft && at.Contains(hiOnItem) &&
        (at.Contains(hiUpperSplitter) || at.Contains(hiLowerSplitter))) {
        FHeightTrackNode = at.Contains(hiUpperSplitter) ? GetPreviousVisible(node, true) : node;
        if (NodeSplitterAllowed(TPoint(xPos, yPos), FHeightTrackNode, HitInfo.HitColumn)) {
            FHeightTrackColumn = HitInfo.HitColumn;
            const TRect r = GetDisplayRect(FHeightTrackNode, FHeightTrackColumn, false);
            FHeightTrackPoint = TPoint(r.Left, r.Top);
            ChangeTreeStates(TLazyTreeStates{tsNodeHeightTrackPending}, {});
            return;
        }
        FHeightTrackNode = nullptr;
    }
    // 2. The expand button.
    if (at.Contains(hiOnItemButton) && node->States.Contains(vsHasChildren)) {
        ToggleNode(node);
        return;
    }
    // 3. The check box: pressed now, decided at the release.
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
    // 4. The level later selections keep to.
    if ((FRoot->ChildCount > 0 && shiftEmpty) || FSelectionCount == 0) {
        PLazyNode levelNode = node ? node : GetLastVisible(nullptr, true, false);
        FLastSelectionLevel = levelNode ? int(GetNodeLevel(levelNode)) : -1;
    }
    // 5. A press on a selected node that may start a drag keeps the others selected until
    // the release, so that a drag carries them all.
    if (multiSelect && shiftEmpty && anyHit && dragPossible && nodeSelected && !FSelectionLocked)
        ChangeTreeStates(TLazyTreeStates{tsClearPending}, {});
    const bool immediateSelect =
        !dragPossible && (!FStates.Contains(tsRightButtonDown) || !HasPopupMenu(node, HitInfo.HitColumn, TPoint(xPos, yPos)));
    // 7. The rubber band starts where the press was.
    if (!sel.Contains(toDisableDrawSelection) && !(labelHit || fullRowDrag) && multiSelect) {
        SetMouseCapture(true);
        ChangeTreeStates(TLazyTreeStates{tsDrawSelPending}, {});
        FDrawSelShiftState = shift;
        const TPoint p = ClientToTree(xPos, yPos);
        FNewSelRect = TRect(p.X, p.Y, p.X, p.Y);
        FLastSelRect = TRect(0, 0, 0, 0);
    }
    // 8. The selection change of a plain press.
    if (!FSelectionLocked && ((!(anyHit || fullRowDrag) && multiSelect && shiftEmpty) ||
                              (anyHit && (!nodeSelected || immediateSelect) && (shiftEmpty || !multiSelect)))) {
        if (nodeSelected || (altPressed && node && HitInfo.HitColumn == FHeader->MainColumn() && !at.Contains(hiNowhere))) {
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
    // 9. A second press on the selected node's text may start editing at the release.
    if (Focused() && (at.Contains(hiOnItemLabel) || (misc.Contains(toGridExtensions) && at.Contains(hiOnItem))) &&
        nodeSelected && !columnChanged && shiftEmpty)
        ChangeTreeStates(TLazyTreeStates{tsEditPending}, {});
    // 10. A press in empty space of a multi-selection tree only starts the rubber band.
    if (!sel.Contains(toDisableDrawSelection) && !(labelHit || fullRowDrag) && (multiSelect || at.Contains(hiNowhere)) &&
        !cellHit)
        return;
    FLastClickPos = TPoint(xPos, yPos);
    // 12. Focus and selection move to the node pressed.
    if (anyHit && FireFocusChanging(FFocusedNode, node, FFocusedColumn, newColumn)) {
        if (columnChanged) {
            FFocusedColumn = newColumn;
            Invalidate();
        }
        if (nodeChanged) ChangeFocusedNode(node, false);
        if (multiSelect && !shiftEmpty) {
            ApplyClickSelection(node, shift, dragPossible);
        } else {
            if (shiftEmpty) FRangeAnchor = node;
            if (!node->States.Contains(vsSelected)) AddToSelection(node);
        }
        if (nodeChanged || columnChanged) {
            ScrollIntoView(FFocusedNode, sel.Contains(toCenterScrollIntoView),
                           !(FOptions->AutoOptions().Contains(toDisableAutoscrollOnFocus) ||
                             sel.Contains(toFullRowSelect)));
            FireFocusChanged(FFocusedNode, FFocusedColumn);
        }
    }
    if (FSelectionCount == 0) ScheduleChange(nullptr);
    // 14. A press that may drag waits for the pointer to move past the threshold.
    if (dragPossible && anyHit &&
        (FStates.Contains(tsLeftButtonDown) || FStates.Contains(tsMiddleButtonDown) || FStates.Contains(tsRightButtonDown)))
        BeginDrag(false, -1);
}

void TBaseLazyTree::HandleMouseUp(TMouseButton Button, TShiftState Shift, const THitInfo& HitInfo)
{
    SetMouseCapture(false);
    if (FStates.Contains(tsVCLDragPending)) return;
    if (IsMouseSelecting()) {
        ChangeTreeStates({}, TLazyTreeStates{tsToggleFocusedSelection, tsDrawSelPending, tsDrawSelecting});
        Invalidate();
    }
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
    StopTimer(ScrollTimer);
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
    const TColumnIndex clickIndex = FHeader->Columns()->ClickIndex();
    if (clickIndex > NoColumnIndex && clickIndex == HitInfo.HitColumn) FireColumnClick(HitInfo.HitColumn, Shift);
    if (HitInfo.HitNode) FireNodeClick(HitInfo);
    if (FStates.Contains(tsEditPending)) {
        const TLTMiscOptions misc = FOptions->MiscOptions();
        if (HitInfo.HitNode && HitInfo.HitNode == FFocusedNode && HitInfo.HitPositions.Contains(hiOnItem) &&
            misc.Contains(toEditOnClick) && HitInfo.HitColumn == FFocusedColumn &&
            CanEdit(FFocusedNode, FFocusedColumn)) {
            FEditColumn = FFocusedColumn;
            SetTimer(Handle(), EditTimer, FEditDelay);
        } else {
            ChangeTreeStates({}, TLazyTreeStates{tsEditPending});
        }
    }
}

void TBaseLazyTree::HandleMouseDblClick(TMouseButton Button, TShiftState Shift, THitInfo& HitInfo)
{
    const TLTMiscOptions misc = FOptions->MiscOptions();
    PLazyNode node = HitInfo.HitNode;
    const THitPositions& at = HitInfo.HitPositions;
    bool startEdit = !FStates.Contains(tsEditing) && misc.Contains(toEditOnDblClick);
    if (FStates.Contains(tsEditPending)) {
        StopTimer(EditTimer);
        ChangeTreeStates({}, TLazyTreeStates{tsEditPending});
    }
    if (FStates.Contains(tsEditing)) return;
    if (HitInfo.HitColumn == FHeader->Columns()->ClickIndex()) FireColumnDblClick(HitInfo.HitColumn, Shift);
    if (node) FireNodeDblClick(HitInfo);
    const int xPos = HitInfo.HitPoint.X - FEffectiveOffsetX, yPos = HitInfo.HitPoint.Y + FOffsetY + HeaderAreaHeight();
    bool done = false;
    if (at.Contains(hiOnItem) && HitInfo.HitColumn > NoColumnIndex && FHeader->Columns()->IsValidColumn(HitInfo.HitColumn) &&
        FHeader->Columns()->Items(HitInfo.HitColumn)->Options().Contains(coFixed)) {
        PLazyNode target = at.Contains(hiUpperSplitter)   ? GetPreviousVisible(node, true)
                           : at.Contains(hiLowerSplitter) ? node
                                                          : nullptr;
        if (target && target != FRoot && misc.Contains(toNodeHeightDblClickResize)) {
            done = true;
            if (FireNodeHeightDblClickResize(target, HitInfo.HitColumn, Shift, TPoint(xPos, yPos))) {
                SetNodeHeight(target, FDefaultNodeHeight);
                Update();
                startEdit = false;
            }
        }
    }
    if (!done && node) {
        if (at.Contains(hiOnItemCheckbox)) {
            if (!FStates.Contains(tsKeyCheckPending) && !FStates.Contains(tsMouseCheckPending) &&
                !node->States.Contains(vsDisabled) && Button == mbLeft) {
                TCheckState newState = NextCheckStateFor(node->CheckType, node->CheckState);
                if (FireChecking(node, newState)) {
                    ChangeTreeStates(TLazyTreeStates{tsMouseCheckPending}, {});
                    FCheckNode = node;
                    FPendingCheckState = newState;
                    node->CheckState = CheckStatePressed(node->CheckState);
                    InvalidateNode(node);
                }
            }
            startEdit = false;
        } else if (at.Contains(hiOnItemButton) ||
                   (misc.Contains(toToggleOnDblClick) &&
                    (at.Contains(hiOnItemLabel) || at.Contains(hiOnNormalIcon) || at.Contains(hiOnStateIcon) ||
                     FOptions->SelectionOptions().Contains(toFullRowSelect)))) {
            ToggleNode(node);
            startEdit = false;
        }
    }
    if (startEdit && node && node == FFocusedNode && HitInfo.HitColumn == FFocusedColumn &&
        CanEdit(FFocusedNode, FFocusedColumn)) {
        ChangeTreeStates(TLazyTreeStates{tsEditPending}, {});
        FEditColumn = FFocusedColumn;
        SetTimer(Handle(), EditTimer, 0);
    }
}

// ---- click events ----

void TBaseLazyTree::FireNodeClick(const THitInfo& HitInfo)
{
    if (OnNodeClick) OnNodeClick(this, HitInfo);
}

void TBaseLazyTree::FireNodeDblClick(const THitInfo& HitInfo)
{
    if (OnNodeDblClick) OnNodeDblClick(this, HitInfo);
}

void TBaseLazyTree::FireColumnClick(TColumnIndex Column, TShiftState Shift)
{
    if (OnColumnClick) OnColumnClick(this, Column, Shift);
}

void TBaseLazyTree::FireColumnDblClick(TColumnIndex Column, TShiftState Shift)
{
    if (OnColumnDblClick) OnColumnDblClick(this, Column, Shift);
}

bool TBaseLazyTree::FireNodeHeightDblClickResize(PLazyNode Node, TColumnIndex Column, TShiftState Shift, TPoint P)
{
    bool allowed = true;
    if (OnNodeHeightDblClickResize) OnNodeHeightDblClickResize(this, Node, Column, Shift, P, allowed);
    return allowed;
}

bool TBaseLazyTree::FireDragAllowed(PLazyNode Node, TColumnIndex Column)
{
    bool allowed = false;
    if (OnDragAllowed) OnDragAllowed(this, Node, Column, allowed);
    return allowed;
}
