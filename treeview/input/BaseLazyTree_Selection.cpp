// Selection and focus. The selected nodes live in one array sorted by node address, so
// a node is found by bisection and a batch is merged in one pass from the end; bulk
// removals only mark entries and the array is compacted once. The focused node and
// column change through one path that asks OnFocusChanging first.
#include <algorithm>
#include <cstdint>

#include "platform/rtl/Threads.h"
#include "treeview/core/BaseLazyTree.h"
#include "treeview/access/LTAccessibilityFactory.h"

namespace {
std::uintptr_t Address(PLazyNode Node) { return reinterpret_cast<std::uintptr_t>(Node); }
} // namespace

// ---- the array ----

bool TBaseLazyTree::FindInSelection(PLazyNode Node, int& Index, int HighBound, int LowBound) const
{
    int low = LowBound < 0 ? 0 : LowBound;
    int high = HighBound < 0 ? int(FSelectionCount) - 1 : HighBound;
    high = std::min(high, int(FSelection.size()) - 1);
    bool found = false;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const std::uintptr_t entry = Address(FSelection[std::size_t(mid)].Node);
        if (entry < Address(Node)) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (entry == Address(Node)) {
                low = mid;
                found = true;
            }
        }
    }
    Index = low;
    return found;
}

namespace {
// The entry of Node that is not marked removed, beside the one bisection found (a freed
// node's marked entry can share its address with a new node's).
bool FindLiveEntry(const std::vector<TNodeArrayEntry>& Array, std::uint32_t Count, PLazyNode Node, int& Index)
{
    for (int i = Index; i < int(Count) && Array[std::size_t(i)].Node == Node; ++i)
        if (!Array[std::size_t(i)].Removed) {
            Index = i;
            return true;
        }
    for (int i = Index - 1; i >= 0 && Array[std::size_t(i)].Node == Node; --i)
        if (!Array[std::size_t(i)].Removed) {
            Index = i;
            return true;
        }
    return false;
}
} // namespace

std::vector<PLazyNode> TBaseLazyTree::SelectionArray() const
{
    std::vector<PLazyNode> result;
    for (std::uint32_t i = 0; i < FSelectionCount && i < FSelection.size(); ++i)
        if (!FSelection[i].Removed) result.push_back(FSelection[i].Node);
    return result;
}

void TBaseLazyTree::CompactSelection()
{
    const int kept = CompactNodeArray(FSelection, FSelectionCount);
    if (kept < 0) return;
    FSelection.resize(std::size_t(kept));
    FSelectionCount = std::uint32_t(kept);
}

void TBaseLazyTree::CacheNode(PLazyNode Node)
{
    if (FTempNodeCount == FTempNodeCache.size())
        FTempNodeCache.resize(FTempNodeCache.empty() ? 100 : FTempNodeCache.size() + FTempNodeCache.size() / 10);
    FTempNodeCache[FTempNodeCount++] = Node;
}

void TBaseLazyTree::ClearNodeCache()
{
    FTempNodeCache.clear();
    FTempNodeCache.shrink_to_fit();
    FTempNodeCount = 0;
}

bool TBaseLazyTree::AddNodesToSelection(std::vector<PLazyNode>& Nodes, int Count, bool Forced)
{
    Count = std::min(Count, int(Nodes.size()));
    if (Count <= 0) return false;
    const std::uint32_t oldCount = FSelectionCount;
    if (Forced) {
        for (int i = 0; i < Count; ++i) {
            Nodes[std::size_t(i)]->States << vsSelected;
            ++FSelectionCount;
            if (OnAddToSelection) OnAddToSelection(this, Nodes[std::size_t(i)]);
        }
    } else {
        const TLTSelectionOptions options = FOptions->SelectionOptions();
        const bool level = options.Contains(toLevelSelectConstraint);
        const bool siblings = options.Contains(toSiblingSelectConstraint);
        if (level && FLastSelectionLevel == -1) FLastSelectionLevel = int(GetNodeLevel(Nodes[0]));
        if (siblings && !FRangeAnchor) FRangeAnchor = Nodes[0];
        for (int i = 0; i < Count; ++i) {
            PLazyNode& node = Nodes[std::size_t(i)];
            if (!node || node == FRoot || node->States.Contains(vsDisabled) || node->States.Contains(vsSelected) ||
                (level && int(GetNodeLevel(node)) != FLastSelectionLevel) ||
                (siblings && FRangeAnchor && node->Parent != FRangeAnchor->Parent)) {
                node = nullptr;
                continue;
            }
            node->States << vsSelected;
            ++FSelectionCount;
            if (OnAddToSelection) OnAddToSelection(this, node);
        }
    }
    Count = int(std::remove(Nodes.begin(), Nodes.begin() + Count, nullptr) - Nodes.begin());
    if (Count == 0) return false;
    if (Count > 1)
        std::sort(Nodes.begin(), Nodes.begin() + Count,
                  [](PLazyNode a, PLazyNode b) { return Address(a) < Address(b); });
    if (oldCount + std::uint32_t(Count) > FSelection.size()) FSelection.resize(oldCount + std::uint32_t(Count));
    // Merge from the end: the new nodes above the old entries go straight to their
    // place; the old entries above the next new node move up in one block.
    int i = Count - 1, j = int(oldCount) - 1;
    while (i >= 0) {
        if (j < 0) {
            for (; i >= 0; --i) FSelection[std::size_t(i)] = TNodeArrayEntry{Nodes[std::size_t(i)], false};
            break;
        }
        while (i >= 0 && Address(Nodes[std::size_t(i)]) > Address(FSelection[std::size_t(j)].Node)) {
            FSelection[std::size_t(j + i + 1)] = TNodeArrayEntry{Nodes[std::size_t(i)], false};
            --i;
        }
        if (i >= 0) {
            int p = 0;
            FindInSelection(Nodes[std::size_t(i)], p, j, 0);
            std::move_backward(FSelection.begin() + p, FSelection.begin() + j + 1, FSelection.begin() + j + i + 2);
            j = p - 1;
        }
    }
    TreeAssert(oldCount + std::uint32_t(Count) == FSelectionCount,
               "Fixing issue #487 seems to ahve caused a problem here.");
    return true;
}

void TBaseLazyTree::AddNodeToSelection(PLazyNode Node, bool Forced)
{
    TreeAssert(Node != nullptr, "Node must not be nil!");
    std::vector<PLazyNode> single{Node};
    AddNodesToSelection(single, 1, Forced);
}

// ---- adding and removing ----

void TBaseLazyTree::AddToSelection(PLazyNode Node)
{
    if (FSelectionLocked) return;
    TreeAssert(Node != nullptr, "Node must not be nil!");
    std::vector<PLazyNode> single{Node};
    if (!AddNodesToSelection(single, 1, false)) return;
    if (FSelectionCount == 1) SetFocusedNode(Node);
    InvalidateNode(Node);
    ScheduleChange(Node);
}

void TBaseLazyTree::AddToSelection(std::vector<PLazyNode>& NewItems, int NewLength, bool ForceInsert)
{
    if (NewLength <= 0) return;
    PLazyNode first = NewItems[0];
    if (!AddNodesToSelection(NewItems, NewLength, ForceInsert)) return;
    if (NewLength == 1) {
        InvalidateNode(first);
        ScheduleChange(first);
    } else {
        Invalidate();
        ScheduleChange(nullptr);
    }
}

void TBaseLazyTree::FireRemoveFromSelection(PLazyNode Node)
{
    if (OnRemoveFromSelection) OnRemoveFromSelection(this, Node);
}

void TBaseLazyTree::RemoveFromSelection(PLazyNode Node)
{
    if (FSelectionLocked) return;
    TreeAssert(Node != nullptr, "Node must not be nil!");
    if (!IsMainThread()) RaiseTreeError(ClassName() + ".RemoveFromSelection() must only be called from UI thread.");
    if (!Node->States.Contains(vsSelected)) return;
    Node->States >> vsSelected;
    int index = 0;
    FindInSelection(Node, index);
    if (FindLiveEntry(FSelection, FSelectionCount, Node, index)) {
        FSelection.erase(FSelection.begin() + index);
        if (FSelectionCount > 0) --FSelectionCount;
        FSelection.resize(FSelectionCount);
    }
    if (FSelectionCount == 0) ResetRangeAnchor();
    if (FSelectionCount <= 1) UpdateNextNodeToSelect(Node);
    FireRemoveFromSelection(Node);
    ScheduleChange(Node);
}

void TBaseLazyTree::RemoveFromSelectionDeferred(PLazyNode Node)
{
    int index = 0;
    FindInSelection(Node, index);
    if (!FindLiveEntry(FSelection, FSelectionCount, Node, index)) return;
    Node->States >> vsSelected;
    FSelection[std::size_t(index)].Removed = true;
    FireRemoveFromSelection(Node);
    RecordPendingChange(false, Node, crIgnore);
}

void TBaseLazyTree::UpdateNextNodeToSelect(PLazyNode Node)
{
    if (!FOptions->SelectionOptions().Contains(toAlwaysSelectNode)) return;
    if (Node->NextSibling)
        FNextNodeToSelect = Node->NextSibling;
    else if (Node->PrevSibling)
        FNextNodeToSelect = Node->PrevSibling;
    else if (Node->Parent != FRoot)
        FNextNodeToSelect = Node->Parent;
    else
        FNextNodeToSelect = Node->FirstChild;
}

void TBaseLazyTree::ResetRangeAnchor()
{
    FRangeAnchor = FFocusedNode;
    FLastSelectionLevel = -1;
}

void TBaseLazyTree::ResetSelection()
{
    if (FUpdateCount > 0) CompactSelection();
    while (FSelectionCount > 0) {
        --FSelectionCount;
        const TNodeArrayEntry entry = FSelection[FSelectionCount];
        if (entry.Removed) continue;
        entry.Node->States >> vsSelected;
        FireRemoveFromSelection(entry.Node);
    }
    ResetRangeAnchor();
    FSelection.clear();
    ChangeTreeStates({}, TLazyTreeStates{tsClearPending});
}

void TBaseLazyTree::ClearSelectionAndNotify(bool Notify)
{
    if (FSelectionLocked || FSelectionCount == 0 || FTreeDestroying) return;
    if (FUpdateCount == 0 && FVisibleCount > 0) {
        // Only the selected rows in the window are repainted.
        int top = 0;
        std::uint32_t met = 0;
        for (PLazyNode run = GetNodeAt(0, 0, true, top); run && met < FSelectionCount && top < ClientHeight();
             run = GetNextVisibleNoInit(run, true)) {
            if (run->States.Contains(vsSelected)) {
                ++met;
                InvalidateNode(run);
            }
            top += int(NodeHeight(run));
        }
    }
    ResetSelection();
    if (Notify) ScheduleChange(nullptr);
}

void TBaseLazyTree::SetSelected(PLazyNode Node, bool Value)
{
    if (FSelectionLocked || !Node || Node == FRoot || Selected(Node) == Value) return;
    const bool multi = FOptions->SelectionOptions().Contains(toMultiSelect);
    if (Value) {
        if (FSelectionCount == 0)
            FRangeAnchor = Node;
        else if (!multi)
            ClearSelection();
        AddToSelection(Node);
        if (!multi) SetFocusedNode(Node);
        if (!FRangeAnchor) FRangeAnchor = Node;
    } else {
        RemoveFromSelection(Node);
        if (FSelectionCount == 0) ResetRangeAnchor();
    }
    if (FullyVisible(Node) && !IsEffectivelyFiltered(Node)) InvalidateNode(Node);
}

void TBaseLazyTree::SelectAll(bool VisibleOnly)
{
    if (FSelectionLocked || !FOptions->SelectionOptions().Contains(toMultiSelect)) return;
    ClearNodeCache();
    PLazyNode run = VisibleOnly ? GetFirstVisible(nullptr, false, false) : GetFirst(false);
    while (run) {
        if (!run->States.Contains(vsSelected)) CacheNode(run);
        run = VisibleOnly ? GetNextVisible(run, false) : GetNext(run, false);
    }
    if (FTempNodeCount > 0) AddToSelection(FTempNodeCache, int(FTempNodeCount), false);
    ClearNodeCache();
    Invalidate();
}

void TBaseLazyTree::InvertSelection(bool VisibleOnly)
{
    if (FSelectionLocked || !FOptions->SelectionOptions().Contains(toMultiSelect)) return;
    ClearNodeCache();
    PLazyNode run = VisibleOnly ? GetFirstVisibleNoInit(nullptr, true, false) : FRoot->FirstChild;
    while (run) {
        if (run->States.Contains(vsSelected))
            RemoveFromSelectionDeferred(run);
        else
            CacheNode(run);
        run = VisibleOnly ? GetNextVisibleNoInit(run, true) : GetNextNoInit(run);
    }
    bool changed = FSelectionCount > 0;
    CompactSelection();
    if (FTempNodeCount > 0) {
        const std::uint32_t before = FSelectionCount;
        AddToSelection(FTempNodeCache, int(FTempNodeCount), false);
        // The batch notified already; removals alone still need their notification.
        if (FSelectionCount != before) changed = false;
    }
    ClearNodeCache();
    Invalidate();
    if (changed) ScheduleChange(nullptr);
    if (FSelectionCount == 0) FNextNodeToSelect = nullptr;
}

// ---- ranges ----

void TBaseLazyTree::SelectRange(PLazyNode StartNode, PLazyNode EndNode, bool AddOnly)
{
    if (FSelectionLocked) return;
    TreeAssert(EndNode != nullptr, "EndNode must not be nil!");
    ClearNodeCache();
    if (StartNode && !FullyVisible(StartNode)) StartNode = GetPreviousVisible(StartNode, true);
    if (!StartNode) StartNode = GetFirstVisibleNoInit(nullptr, true, false);
    if (!StartNode) return;
    PLazyNode first = StartNode, last = EndNode;
    if (CompareNodeOrder(first, last, true) > 0) std::swap(first, last);
    PLazyNode anchor = FRangeAnchor;
    if (!AddOnly) ResetSelection();
    for (PLazyNode run = first; run; run = GetNextVisible(run, true)) {
        CacheNode(run);
        if (run == last) break;
    }
    if (FTempNodeCount > 0) AddToSelection(FTempNodeCache, int(FTempNodeCount), false);
    ClearNodeCache();
    int index = 0;
    if (anchor && FindInSelection(anchor, index)) FRangeAnchor = anchor;
}

void TBaseLazyTree::ToggleSelectionRange(PLazyNode StartNode, PLazyNode EndNode)
{
    if (FSelectionLocked) return;
    TreeAssert(EndNode != nullptr, "EndNode must not be nil!");
    if (StartNode && !FullyVisible(StartNode)) StartNode = GetPreviousVisible(StartNode, true);
    if (!StartNode) StartNode = FRoot->FirstChild;
    if (!StartNode) return;
    const int d = CompareNodeOrder(StartNode, EndNode, false);
    if (d == 0) return;
    ClearNodeCache();
    PLazyNode first = d < 0 ? StartNode : EndNode, last = d < 0 ? EndNode : StartNode;
    const auto toggle = [this](PLazyNode n) {
        if (n->States.Contains(vsSelected))
            RemoveFromSelectionDeferred(n);
        else
            CacheNode(n);
    };
    PLazyNode anchor = FRangeAnchor;
    if (!anchor || CompareNodeOrder(first, anchor, false) < 0) toggle(first);
    for (PLazyNode run = GetNextVisible(first, true); run && run != last; run = GetNextVisible(run, true)) toggle(run);
    if (!anchor || CompareNodeOrder(last, anchor, false) > 0) toggle(last);
    CompactSelection();
    if (anchor && !anchor->States.Contains(vsSelected)) CacheNode(anchor);
    if (FTempNodeCount > 0) AddToSelection(FTempNodeCache, int(FTempNodeCount), false);
    ClearNodeCache();
}

void TBaseLazyTree::UnselectRange(PLazyNode StartNode, PLazyNode EndNode)
{
    if (FSelectionLocked) return;
    TreeAssert(EndNode != nullptr, "EndNode must not be nil!");
    if (StartNode && !FullyVisible(StartNode)) StartNode = GetPreviousVisible(StartNode, true);
    if (!StartNode) StartNode = FRoot->FirstChild;
    if (!StartNode) return;
    PLazyNode first = StartNode, last = EndNode;
    if (CompareNodeOrder(first, last, true) > 0) std::swap(first, last);
    for (PLazyNode run = first; run; run = GetNextVisible(run, true)) {
        RemoveFromSelectionDeferred(run);
        if (run == last) break;
    }
    CompactSelection();
}

void TBaseLazyTree::ApplyClickSelection(PLazyNode Node, TShiftState Shift, bool DragPossible)
{
    if (Shift.Contains(ssCtrl)) {
        if (Shift.Contains(ssShift)) {
            SelectRange(FRangeAnchor, Node, true);
        } else {
            if (!FOptions->SelectionOptions().Contains(toSiblingSelectConstraint)) FRangeAnchor = Node;
            if (DragPossible)
                ChangeTreeStates(TLazyTreeStates{tsToggleFocusedSelection}, {});
            else if (Node->States.Contains(vsSelected))
                RemoveFromSelection(Node);
            else
                AddToSelection(Node);
        }
        Invalidate();
    } else if (Shift.Contains(ssShift)) {
        // Without an anchor the range starts at the top of the tree.
        if (!FRangeAnchor) FRangeAnchor = FRoot->FirstChild;
        SelectRange(FRangeAnchor, Node, false);
        Invalidate();
    } else {
        if (!Node->States.Contains(vsSelected)) {
            AddToSelection(Node);
            InvalidateNode(Node);
        }
        FRangeAnchor = Node;
    }
}

// ---- whole selections ----

std::vector<PLazyNode> TBaseLazyTree::GetSortedSelection(bool Resolve)
{
    std::vector<PLazyNode> result;
    if (FSelectionCount == 0) return result;
    result.reserve(FSelectionCount);
    PLazyNode run = FRoot->FirstChild;
    while (run) {
        if (run->States.Contains(vsSelected)) {
            result.push_back(run);
            if (Resolve) {
                // The subtree of a selected node goes with it.
                PLazyNode next = run;
                while (next != FRoot && !next->NextSibling) next = next->Parent;
                run = next == FRoot ? nullptr : next->NextSibling;
                continue;
            }
        }
        run = GetNextNoInit(run, false);
    }
    return result;
}

void TBaseLazyTree::MarkSelectionCutCopy()
{
    for (PLazyNode n : GetSortedSelection(false))
        if (!n->States.Contains(vsDisabled)) n->States << vsCutOrCopy;
}

void TBaseLazyTree::DeleteSelectedNodes()
{
    if (FSelectionCount == 0 || FOptions->MiscOptions().Contains(toReadOnly)) return;
    BeginUpdate();
    try {
        const std::vector<PLazyNode> nodes = GetSortedSelection(true);
        for (std::size_t i = nodes.size(); i-- > 1;)
            RemoveNode(nodes[i], nodes[i]->Parent != nodes[i - 1]->Parent, false);
        if (!nodes.empty()) RemoveNode(nodes[0], true, false);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---- focus ----

bool TBaseLazyTree::FireFocusChanging(PLazyNode OldNode, PLazyNode NewNode, TColumnIndex OldColumn,
                                      TColumnIndex NewColumn)
{
    // Every column may take the focus while there are no columns to refuse it.
    bool allowed = true;
    if (OnFocusChanging) OnFocusChanging(this, OldNode, NewNode, OldColumn, NewColumn, allowed);
    return allowed;
}

void TBaseLazyTree::FireFocusChanged(PLazyNode Node, TColumnIndex Column)
{
    if (OnFocusChanged) OnFocusChanged(this, Node, Column);
    NotifyAccessibleEvents({EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE,
                            EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_SELECTION, EVENT_OBJECT_FOCUS});
}

void TBaseLazyTree::ChangeFocusedNode(PLazyNode Value, bool Ask)
{
    // The focus leaves a running edit only when the editor gives up its text.
    if (FStates.Contains(tsEditing) && !EndEditNode()) return;
    if (Value == FRoot) Value = nullptr;
    const TLTAutoOptions autoOptions = FOptions->AutoOptions();
    const bool change =
        Value != FFocusedNode && (!Ask || FireFocusChanging(FFocusedNode, Value, FFocusedColumn, FFocusedColumn));
    if (change) {
        if (FFocusedNode) {
            if (autoOptions.Contains(toAutoExpand) && Value && FFocusedNode->Parent == Value->Parent &&
                FFocusedNode->States.Contains(vsExpanded))
                ToggleNode(FFocusedNode);
            else
                InvalidateNode(FFocusedNode);
        }
        FFocusedNode = Value;
    }
    if (FFocusedNode) {
        if (autoOptions.Contains(toAutoExpand) && !FFocusedNode->States.Contains(vsExpanded)) ToggleNode(FFocusedNode);
        InvalidateNode(FFocusedNode);
        if (FUpdateCount == 0 && !autoOptions.Contains(toDisableAutoscrollOnFocus)) {
            const TLTSelectionOptions sel = FOptions->SelectionOptions();
            const bool buttonHeld = FStates.Contains(tsLeftButtonDown) || FStates.Contains(tsMiddleButtonDown) ||
                                    FStates.Contains(tsRightButtonDown);
            if (FFocusedNode)
                ScrollIntoView(FFocusedNode, sel.Contains(toCenterScrollIntoView) && !buttonHeld,
                               !sel.Contains(toFullRowSelect));
        }
    }
    if (FSelectionCount == 0) ResetRangeAnchor();
}

void TBaseLazyTree::SetFocusedNode(PLazyNode Value)
{
    if (Value == FRoot) Value = nullptr;
    PLazyNode old = FFocusedNode;
    ChangeFocusedNode(Value, true);
    if (Value != old && FFocusedNode == Value) FireFocusChanged(FFocusedNode, FFocusedColumn);
}

void TBaseLazyTree::FocusNodeAndColumn(PLazyNode Node, TColumnIndex Column)
{
    if (Node == FRoot) Node = nullptr;
    const bool changed = Node != FFocusedNode || Column != FFocusedColumn;
    const TColumnIndex oldColumn = FFocusedColumn;
    FFocusedColumn = Column;
    ChangeFocusedNode(Node, true);
    if (FFocusedNode == Node) {
        CancelEditNode();
        if (changed) FireFocusChanged(FFocusedNode, FFocusedColumn);
    } else {
        FFocusedColumn = oldColumn;
    }
}

void TBaseLazyTree::SetFocusedColumn(TColumnIndex Value)
{
    if (Value == FFocusedColumn || !FireFocusChanging(FFocusedNode, FFocusedNode, FFocusedColumn, Value)) return;
    CancelEditNode();
    FFocusedColumn = Value;
    if (FFocusedNode && !FOptions->AutoOptions().Contains(toDisableAutoscrollOnFocus) &&
        ScrollIntoView(FFocusedNode, FOptions->SelectionOptions().Contains(toCenterScrollIntoView), true))
        InvalidateNode(FFocusedNode);
    if (FDropTargetNode) InvalidateNode(FDropTargetNode);
    FireFocusChanged(FFocusedNode, FFocusedColumn);
}

void TBaseLazyTree::EnsureNodeFocused()
{
    if (FFocusedNode) return;
    PLazyNode node = GetFirstSelected(false);
    if (!node) node = GetFirstVisible(nullptr, true, false);
    if (node) SetFocusedNode(node);
}

void TBaseLazyTree::EnsureNodeSelected()
{
    if (!FOptions->SelectionOptions().Contains(toAlwaysSelectNode) || IsEmpty()) return;
    if (FSelectionCount == 0 && !FSelectionLocked) {
        if (FNextNodeToSelect)
            SetSelected(FNextNodeToSelect, true);
        else if (Focused())
            SetSelected(GetFirstVisible(nullptr, true, false), true);
    }
    EnsureNodeFocused();
    if (PLazyNode first = GetFirstSelected(false)) ScrollIntoView(first, false, false);
}
