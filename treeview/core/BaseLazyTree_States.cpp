// Tree states, update brackets, synchronous mode, the delayed change and structure-change
// notifications with their window timers, and the bracket of cancellable operations.
#include "platform/rtl/Threads.h"
#include "treeview/core/BaseLazyTree.h"
#include "treeview/access/LTAccessibilityFactory.h"

void TBaseLazyTree::ChangeTreeStates(TLazyTreeStates Enter, TLazyTreeStates Leave)
{
    if (OnStateChange && !FTreeDestroying && !((Enter - FStates) + (Leave * FStates)).Empty()) OnStateChange(this, Enter, Leave);
    FStates = (FStates + Enter) - Leave;
}

void TBaseLazyTree::SuspendRedraw(bool Suspend)
{
    // Painting is held back by the update count itself (nothing is invalidated while it
    // is above 0); the window needs no switch of its own.
}

void TBaseLazyTree::BeginUpdate()
{
    if (!IsMainThread())
        RaiseTreeError("UI controls like " + ClassName() + " should only be manipulated through the main thread.");
    if (!FTreeDestroying) {
        if (FUpdateCount > 0) {
            FireUpdating(usUpdate);
        } else {
            FireUpdating(usBegin);
            SuspendRedraw(true);
        }
    }
    ++FUpdateCount;
    FStates << tsUpdating;
}

void TBaseLazyTree::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    if (FTreeDestroying) return;
    if (FUpdateCount == 0 && FStates.Contains(tsUpdating)) {
        if (FStates.Contains(tsUpdateHiddenChildrenNeeded)) {
            RefreshAllChildrenHiddenForAll();
            FStates >> tsUpdateHiddenChildrenNeeded;
        }
        FStates >> tsUpdating;
        const int kept = CompactNodeArray(FSelection, std::uint32_t(FSelection.size()));
        if (kept >= 0) {
            FSelection.resize(std::size_t(kept));
            FSelectionCount = std::uint32_t(kept);
        }
        MarkCacheStale();
        RequestCacheValidation();
        UpdateScrollBars(false);
        // Sorting and the repaint follow also when a handler of the notifications fails.
        auto finish = [this] {
            if (FOptions->AutoOptions().Contains(toAutoSort) && FHeader->SortColumn() > NoColumnIndex)
                SortTree(FHeader->SortColumn(), FHeader->SortDirection(), true);
            SuspendRedraw(false);
            Invalidate();
        };
        try {
            if (FStates.Contains(tsStructureChangePending))
                FireStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
            if (FStates.Contains(tsChangePending)) FireChange(FLastChangedNode);
        } catch (...) {
            finish();
            throw;
        }
        finish();
    }
    if (FUpdateCount > 0) {
        FireUpdating(usUpdate);
    } else {
        FireUpdating(usEnd);
        EnsureNodeSelected();
    }
}

void TBaseLazyTree::BeginSynch()
{
    if (!FTreeDestroying) {
        if (FStates.Contains(tsSynchMode)) {
            FireUpdating(usSynch);
        } else {
            FireUpdating(usBeginSynch);
            for (std::uintptr_t id : {ChangeTimer, StructureChangeTimer, ExpandTimer, EditTimer, HeaderTimer,
                                      ScrollTimer, SearchTimer})
                StopTimer(id);
            FSearchBuffer.clear();
            FLastSearchNode = nullptr;
            ChangeTreeStates({}, TLazyTreeStates{tsEditPending, tsIncrementalSearching, tsScrolling, tsScrollPending});
            if (FStates.Contains(tsStructureChangePending))
                FireStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
            if (FStates.Contains(tsChangePending)) FireChange(FLastChangedNode);
        }
    }
    ++FSynchUpdateCount;
    FStates << tsSynchMode;
}

void TBaseLazyTree::EndSynch()
{
    if (FSynchUpdateCount > 0) --FSynchUpdateCount;
    if (FTreeDestroying) return;
    if (FSynchUpdateCount > 0) {
        FireUpdating(usSynch);
    } else {
        FStates >> tsSynchMode;
        FireUpdating(usEndSynch);
    }
}

void TBaseLazyTree::FireUpdating(TLTUpdateState State)
{
    if (OnUpdating) OnUpdating(this, State);
}

void TBaseLazyTree::RecordPendingChange(bool StructureChange, PLazyNode Node, TChangeReason Reason)
{
    if (StructureChange) {
        if (FStates.Contains(tsStructureChangePending))
            StopTimer(StructureChangeTimer);
        else
            FStates << tsStructureChangePending;
        FLastStructureChangeNode = Node;
        if (FLastStructureChangeReason == crIgnore)
            FLastStructureChangeReason = Reason;
        else if (Reason != crIgnore)
            FLastStructureChangeReason = crAccumulated;
    } else {
        if (FStates.Contains(tsChangePending))
            StopTimer(ChangeTimer);
        else
            FStates << tsChangePending;
        FLastChangedNode = Node;
    }
}

void TBaseLazyTree::ScheduleStructureChange(PLazyNode Node, TChangeReason Reason)
{
    RecordPendingChange(true, Node, Reason);
    if (FUpdateCount > 0) return;
    DeliverPendingStructureChange();
}

void TBaseLazyTree::DeliverPendingStructureChange()
{
    if (FChangeDelay > 0 && !FStates.Contains(tsSynchMode))
        SetTimer(Handle(), StructureChangeTimer, FChangeDelay);
    else
        FireStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
}

void TBaseLazyTree::ScheduleChange(PLazyNode Node)
{
    RecordPendingChange(false, Node, crIgnore);
    if (FUpdateCount > 0) return;
    if (FChangeDelay > 0 && !FStates.Contains(tsSynchMode))
        SetTimer(Handle(), ChangeTimer, FChangeDelay);
    else
        FireChange(Node);
}

void TBaseLazyTree::FireStructureChange(PLazyNode Node, TChangeReason Reason)
{
    StopTimer(StructureChangeTimer);
    // The state is left before the handler runs, so a handler that changes the tree
    // records a new notification instead of having it swallowed.
    FStates >> tsStructureChangePending;
    FLastStructureChangeNode = nullptr;
    FLastStructureChangeReason = crIgnore;
    if (OnStructureChange) OnStructureChange(this, Node, Reason);
}

void TBaseLazyTree::FireChange(PLazyNode Node)
{
    StopTimer(ChangeTimer);
    FStates >> tsChangePending;
    FLastChangedNode = nullptr;
    if (OnChange) OnChange(this, Node);
}

void TBaseLazyTree::StopTimer(std::uintptr_t Id) { KillTimer(Handle(), Id); }

void TBaseLazyTree::HandleWMTimer(TMessage& Message)
{
    switch (Message.WParam) {
    case ExpandTimer: ExpandDropTarget(); break;
    case EditTimer: StartEdit(); break;
    case SearchTimer: EndIncrementalSearch(); break;
    case ChangeTimer:
        if (FStates.Contains(tsChangePending))
            FireChange(FLastChangedNode);
        else
            StopTimer(ChangeTimer);
        break;
    case StructureChangeTimer:
        if (FStates.Contains(tsStructureChangePending))
            FireStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
        else
            StopTimer(StructureChangeTimer);
        break;
    default:
        // The timers of drag and drop, editing, the header, scrolling and searching
        // belong to those parts of the control, which handle them here.
        break;
    }
}

// ---- cancellable operations ----

void TBaseLazyTree::StartOperation(TLTOperationKind Kind)
{
    ++FOperationCount;
    FireStartOperation(Kind);
    if (FOperationCount == 1) FOperationCanceled = false;
}

void TBaseLazyTree::EndOperation(TLTOperationKind Kind)
{
    TreeAssert(FOperationCount > 0, "EndOperation must not be called when no operation in progress.");
    --FOperationCount;
    FireEndOperation(Kind);
}

void TBaseLazyTree::CancelOperation()
{
    if (FOperationCount > 0) FOperationCanceled = true;
}

void TBaseLazyTree::FireStartOperation(TLTOperationKind Kind)
{
    if (OnStartOperation) OnStartOperation(this, Kind);
}

void TBaseLazyTree::FireEndOperation(TLTOperationKind Kind)
{
    if (OnEndOperation) OnEndOperation(this, Kind);
}

void TBaseLazyTree::WndProc(TMessage& Message)
{
    if (HandleInputMessage(Message)) return;
    switch (Message.Msg) {
    case WM_TIMER:
        HandleWMTimer(Message);
        return;
    case WM_VALIDATECACHE:
        HandleWMValidateCache(Message);
        return;
    case WM_HSCROLL:
        HandleWMHScroll(Message);
        return;
    case WM_VSCROLL:
        HandleWMVScroll(Message);
        return;
    case WM_SIZE:
        HandleWMSize(Message);
        return;
    case CM_UPDATESCROLLBARS:
        HandleCMUpdateScrollBars();
        return;
    case CM_COLORCHANGED:
        TCustomControl::WndProc(Message);
        HandleCMColorChanged();
        return;
    case CM_FONTCHANGED:
        TCustomControl::WndProc(Message);
        HandleCMFontChanged();
        return;
    case WM_GETOBJECT:
        HandleWMGetObject(Message);
        return;
    case CM_SYSCOLORCHANGE:
        TCustomControl::WndProc(Message);
        HandleCMSysColorChange();
        return;
    default:
        TCustomControl::WndProc(Message);
    }
}
