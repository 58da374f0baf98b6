// Node memory, user data, the hidden root and every operation that changes the
// structure, with the count bookkeeping that keeps TotalCount, ChildCount, Index,
// TotalHeight and the visible count consistent.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "treeview/core/BaseLazyTree.h"

namespace {

constexpr std::size_t Align8(std::size_t n) { return (n + 7) & ~std::size_t(7); }

// Restores an update count when a bracket of the tree's own ends, also by an exception.
struct TCountBracket {
    std::uint32_t& Count;
    explicit TCountBracket(std::uint32_t& c) : Count(c) { ++Count; }
    ~TCountBracket() { --Count; }
};

}   // namespace

void RaiseTreeError(const String& Msg, int HelpContext) { throw ELazyTreeError(Msg); }

TBaseLazyTree* TreeFromNode(PLazyNode Node)
{
    TreeAssert(Node != nullptr, "Node must not be nil.");
    while (Node->NextSibling != Node) Node = Node->Parent;
    return reinterpret_cast<TBaseLazyTree*>(Node->Parent);
}

// ---- the pool of node blocks ----

void* TBaseLazyTree::TNodePool::Take(std::size_t BlockSize)
{
    BlockSize = Align8(std::max(BlockSize, sizeof(void*)));
    if (BlockSize != FBlockSize) {
        TreeAssert(FLive == 0, "Node size must not change while nodes exist.");
        Release();
        FBlockSize = BlockSize;
    }
    void* block;
    if (FFree) {
        block = FFree;
        FFree = *static_cast<void**>(FFree);
    } else {
        const std::size_t perChunk = FChunkBytes / FBlockSize;
        if (FChunks.empty() || FUsedInLast == perChunk) {
            // Chunks double from 64 blocks, so small trees stay small, up to one large
            // page; large trees take large pages, which the system maps (and zeroes) in
            // one step instead of one small page at a time.
            char* chunk;
            const std::size_t next = FChunks.empty() ? 64 * FBlockSize : 2 * FChunkBytes;
            if (next >= LargeChunk) {
                FChunkBytes = LargeChunk;
                chunk = static_cast<char*>(std::aligned_alloc(LargeChunk, LargeChunk));
#if defined(__linux__) && defined(MADV_HUGEPAGE)
                if (chunk) madvise(chunk, LargeChunk, MADV_HUGEPAGE);
#endif
            } else {
                FChunkBytes = next;
                chunk = static_cast<char*>(std::malloc(FChunkBytes));
            }
            if (!chunk) throw std::bad_alloc();
            FChunks.push_back(chunk);
            FReserved += FChunkBytes;
            FUsedInLast = 0;
        }
        block = FChunks.back() + FUsedInLast++ * FBlockSize;
    }
    std::memset(block, 0, FBlockSize);
    ++FLive;
    return block;
}

void TBaseLazyTree::TNodePool::Give(void* Block)
{
    *static_cast<void**>(Block) = FFree;
    FFree = Block;
    if (--FLive == 0) Release();
}

void TBaseLazyTree::TNodePool::Release()
{
    for (char* c : FChunks) std::free(c);
    FChunks.clear();
    FReserved = 0;
    FFree = nullptr;
    FUsedInLast = 0;
    FChunkBytes = 0;
}

// ---- node memory ----

std::size_t TBaseLazyTree::NodeBlockSize() const
{
    return sizeof(TLazyNode) + Align8(std::size_t(std::max(FNodeDataSize, 0))) + FTotalInternalDataSize;
}

void TBaseLazyTree::CreateRootNode()
{
    const std::size_t size = sizeof(TLazyNode) + FTotalInternalDataSize;
    if (!FRoot) {
        FRoot = static_cast<PLazyNode>(std::calloc(1, size));
        if (!FRoot) throw std::bad_alloc();
    } else {
        auto* grown = static_cast<PLazyNode>(std::realloc(FRoot, size));
        if (!grown) throw std::bad_alloc();
        FRoot = grown;
    }
    FRoot->Parent = reinterpret_cast<PLazyNode>(this);
    FRoot->PrevSibling = FRoot;
    FRoot->NextSibling = FRoot;
    FRoot->States = TLazyNodeStates{vsInitialized, vsExpanded, vsHasChildren, vsVisible};
    FRoot->NodeHeight = std::uint16_t(FDefaultNodeHeight);
    if (FRoot->ChildCount == 0) FRoot->TotalHeight = FDefaultNodeHeight;
    FRoot->TotalCount = std::max<std::uint32_t>(FRoot->TotalCount, 1);
    FRoot->Align = 50;
}

std::uint32_t TBaseLazyTree::ReserveInternalData(std::uint32_t Size)
{
    TreeAssert(FRoot->ChildCount == 0 && FPool.Live() == 0,
               "Internal data allocation must be done before any node is created.");
    const std::uint32_t offset = std::uint32_t(sizeof(TLazyNode)) + FTotalInternalDataSize;
    const std::uint32_t oldSize = std::uint32_t(sizeof(TLazyNode)) + FTotalInternalDataSize;
    FTotalInternalDataSize += (Size + 3) & ~3u;
    CreateRootNode();
    std::memset(reinterpret_cast<char*>(FRoot) + oldSize, 0, sizeof(TLazyNode) + FTotalInternalDataSize - oldSize);
    return offset;
}

void* TBaseLazyTree::InternalData(PLazyNode Node, std::uint32_t Offset) const
{
    if (!Node) return nullptr;
    if (Node == FRoot) return reinterpret_cast<char*>(Node) + Offset;
    return reinterpret_cast<char*>(Node) + Offset + Align8(std::size_t(std::max(FNodeDataSize, 0)));
}

void TBaseLazyTree::FireGetNodeDataSize(int& Size)
{
    Size = int(sizeof(void*));
    if (OnGetNodeDataSize) OnGetNodeDataSize(this, Size);
}

PLazyNode TBaseLazyTree::AllocateNode()
{
    if (FNodeDataSize == -1) {
        int size = 0;
        FireGetNodeDataSize(size);
        FNodeDataSize = std::max(size, -1);
    }
    auto* node = static_cast<PLazyNode>(FPool.Take(NodeBlockSize()));
    if (FUserDataType.Construct) {
        try {
            FUserDataType.Construct(node->Data());
        } catch (...) {
            FPool.Give(node);
            throw;
        }
    }
    node->TotalCount = 1;
    node->TotalHeight = FDefaultNodeHeight;
    node->NodeHeight = std::uint16_t(FDefaultNodeHeight);
    node->States = TLazyNodeStates{vsVisible};
    node->Align = 50;
    return node;
}

void TBaseLazyTree::ForgetSelectedNode(PLazyNode Node)
{
    const bool locked = FSelectionLocked;
    FSelectionLocked = false;
    try {
        RemoveFromSelection(Node);
    } catch (...) {
        FSelectionLocked = locked;
        throw;
    }
    FSelectionLocked = locked;
}

void TBaseLazyTree::FreeNodeData(PLazyNode Node)
{
    if (FLastChangedNode == Node) FLastChangedNode = nullptr;
    if (FCurrentHotNode == Node) FCurrentHotNode = nullptr;
    if (FDropTargetNode == Node) FDropTargetNode = nullptr;
    if (FLastStructureChangeNode == Node) FLastStructureChangeNode = nullptr;
    if (FNextNodeToSelect == Node) FNextNodeToSelect = Node->Parent == FRoot ? nullptr : Node->Parent;
    // A node whose check box is held goes without its press being completed.
    if (FCheckNode == Node) {
        FCheckNode = nullptr;
        ChangeTreeStates({}, TLazyTreeStates{tsMouseCheckPending, tsKeyCheckPending});
    }
    // A node can be selected after its deletion began (looking at a neighbour may
    // initialise it); the selection never keeps a freed node, locked or not.
    if (Node->States.Contains(vsSelected)) ForgetSelectedNode(Node);
    // The block goes back even when the application's handler fails.
    struct TRelease {
        TBaseLazyTree* Tree;
        PLazyNode Node;
        ~TRelease()
        {
            if (Tree->FUserDataType.Destroy) Tree->FUserDataType.Destroy(Node->Data());
            Tree->FPool.Give(Node);
        }
    } release{this, Node};
    if (OnFreeNode && (Node->States.Contains(vsInitialized) || Node->States.Contains(vsOnFreeNodeCallRequired)))
        OnFreeNode(this, Node);
    if (FUpdateCount == 0) EnsureNodeSelected();
}

// ---- user data ----

void TBaseLazyTree::SetNodeDataSize(int Value)
{
    if (Value < -1) Value = -1;
    if (Value == FNodeDataSize) return;
    SetUserDataType(TUserDataType{}, Value);
}

void TBaseLazyTree::SetUserDataType(const TUserDataType& Type, int Size)
{
    if (FLoading) {
        FNodeDataSize = Size;
        FUserDataType = Type;
        return;
    }
    // Every node is made anew with the new layout; a read-only tree too, or its old
    // blocks would be addressed with the new size.
    const std::uint32_t count = RootNodeCount();
    TLTMiscOptions misc = FOptions->MiscOptions();
    const bool readOnly = misc.Contains(toReadOnly);
    if (readOnly) FOptions->FMiscOptions = misc - TLTMiscOptions{toReadOnly};
    try {
        Clear();
        FNodeDataSize = Size;
        FUserDataType = Type;
        SetRootNodeCount(count);
    } catch (...) {
        if (readOnly) FOptions->FMiscOptions = misc;
        throw;
    }
    if (readOnly) FOptions->FMiscOptions = misc;
}

void TBaseLazyTree::CheckTypedAccess(const std::type_info& Type, std::size_t Size, bool TriviallyCopyable) const
{
    if (FUserDataType.Type) {
        if (*FUserDataType.Type != Type) RaiseTreeError("Node data is of another type.");
        return;
    }
    TreeAssert(FNodeDataSize > 0, "NodeDataSize not initialized.");
    if (!TriviallyCopyable) RaiseTreeError("Node data of this type needs SetNodeDataType.");
    if (Size > std::size_t(FNodeDataSize)) RaiseTreeError("Node data does not fit NodeDataSize.");
}

void* TBaseLazyTree::GetNodeData(PLazyNode Node)
{
    TreeAssert(FNodeDataSize > 0, "NodeDataSize not initialized.");
    if (!Node || Node == FRoot) return nullptr;
    return Node->GetData();
}

void TBaseLazyTree::SetNodeData(PLazyNode Node, void* UserData)
{
    if (FNodeDataSize < int(sizeof(void*)))
        RaiseTreeError(ClassName() +
                       ": Cannot set initial user data because there is not enough user data space allocated.");
    if (!Node || Node == FRoot) return;
    Node->SetData(UserData);
}

// ---- linking ----

void TBaseLazyTree::PropagateCountChange(PLazyNode Node, std::int64_t Value, bool Relative)
{
    const std::int64_t diff = Relative ? Value : Value - std::int64_t(Node->TotalCount);
    if (diff == 0) return;
    for (PLazyNode run = Node;; run = run->Parent) {
        run->TotalCount = std::uint32_t(std::int64_t(run->TotalCount) + diff);
        if (run == FRoot) break;
    }
}

void TBaseLazyTree::ConnectNode(PLazyNode Node, PLazyNode Destination, TBaseLazyTree* Target, TLTNodeAttachMode Mode)
{
    Node->States = Node->States - TLazyNodeStates{vsChecking, vsCutOrCopy, vsDeleting};
    if (Mode == amNoWhere) return;
    PLazyNode parent = nullptr;
    switch (Mode) {
    case amInsertBefore: {
        parent = Destination->Parent;
        Node->PrevSibling = Destination->PrevSibling;
        Node->NextSibling = Destination;
        Destination->PrevSibling = Node;
        if (Node->PrevSibling)
            Node->PrevSibling->NextSibling = Node;
        else
            parent->FirstChild = Node;
        Node->Parent = parent;
        Node->Index = Destination->Index;
        for (PLazyNode run = Destination; run; run = run->NextSibling) ++run->Index;
        break;
    }
    case amInsertAfter: {
        parent = Destination->Parent;
        Node->NextSibling = Destination->NextSibling;
        Node->PrevSibling = Destination;
        Destination->NextSibling = Node;
        if (Node->NextSibling)
            Node->NextSibling->PrevSibling = Node;
        else
            parent->LastChild = Node;
        Node->Parent = parent;
        Node->Index = Destination->Index;
        for (PLazyNode run = Node; run; run = run->NextSibling) ++run->Index;
        break;
    }
    case amAddChildFirst: {
        parent = Destination;
        Node->PrevSibling = nullptr;
        Node->NextSibling = parent->FirstChild;
        if (parent->FirstChild)
            parent->FirstChild->PrevSibling = Node;
        else
            parent->LastChild = Node;
        parent->FirstChild = Node;
        Node->Parent = parent;
        Node->Index = 0;
        for (PLazyNode run = Node->NextSibling; run; run = run->NextSibling) ++run->Index;
        break;
    }
    case amAddChildLast: {
        parent = Destination;
        Node->NextSibling = nullptr;
        Node->PrevSibling = parent->LastChild;
        if (parent->LastChild)
            parent->LastChild->NextSibling = Node;
        else
            parent->FirstChild = Node;
        parent->LastChild = Node;
        Node->Parent = parent;
        Node->Index = Node->PrevSibling ? Node->PrevSibling->Index + 1 : 0;
        break;
    }
    default:
        return;
    }
    ++parent->ChildCount;
    parent->States << vsHasChildren;
    Target->PropagateCountChange(parent, Node->TotalCount, true);
    if (parent->States.Contains(vsExpanded) && Node->States.Contains(vsVisible)) {
        Target->PropagateHeightChange(parent, Node->TotalHeight, true);
        // Counted only when the node is reached through visible, expanded ancestors.
        if (parent == Target->FRoot || Target->FullyVisible(parent))
            Target->FVisibleCount += Target->VisibleDescendantCount(Node) + (Target->IsEffectivelyVisible(Node) ? 1 : 0);
    }
    if (parent != Target->FRoot) {
        if (Target->IsEffectivelyVisible(Node))
            parent->States >> vsAllChildrenHidden;
        else if (parent->ChildCount == 1)
            parent->States << vsAllChildrenHidden;
    }
}

void TBaseLazyTree::DisconnectNode(PLazyNode Node, bool KeepFocus, bool Reindex, bool ParentClearing)
{
    TreeAssert(Node && Node != FRoot, "Node must neither be nil nor the root node.");
    if (Node == FFocusedNode && !KeepFocus) FFocusedNode = nullptr;
    if (Node == FRangeAnchor) FRangeAnchor = nullptr;
    PLazyNode parent = Node->Parent;
    const bool refreshParent = parent != FRoot && !ParentClearing;
    if (Node->States.Contains(vsDeleting)) return;

    const bool wasExpanded = parent->States.Contains(vsExpanded);
    const bool fullyVisible = FullyVisible(Node);
    const std::uint32_t visibleLoss =
        fullyVisible ? VisibleDescendantCount(Node) + (IsEffectivelyVisible(Node) ? 1 : 0) : 0;

    Node->States >> vsChecking;
    if (--parent->ChildCount == 0) {
        parent->States = parent->States - TLazyNodeStates{vsHasChildren, vsAllChildrenHidden};
        if (parent != FRoot) parent->States >> vsExpanded;
    }
    PropagateCountChange(parent, -std::int64_t(Node->TotalCount), true);
    if (wasExpanded && Node->States.Contains(vsVisible)) PropagateHeightChange(parent, -std::int64_t(Node->TotalHeight), true);
    FVisibleCount -= visibleLoss;

    if (Node->PrevSibling)
        Node->PrevSibling->NextSibling = Node->NextSibling;
    else
        parent->FirstChild = Node->NextSibling;
    if (Node->NextSibling)
        Node->NextSibling->PrevSibling = Node->PrevSibling;
    else
        parent->LastChild = Node->PrevSibling;
    if (Reindex) {
        std::uint32_t index = Node->Index;
        for (PLazyNode run = Node->NextSibling; run; run = run->NextSibling) run->Index = index++;
    }
    // Recomputed once the node is out of the chain, so it no longer counts.
    if (refreshParent) ChildrenHiddenChanged(parent);
}

// ---- adding ----

PLazyNode TBaseLazyTree::AddChild(PLazyNode Parent, void* UserData)
{
    if (FOptions->MiscOptions().Contains(toReadOnly)) return nullptr;
    CancelEditNode();
    if (!Parent) Parent = FRoot;
    if (Parent != FRoot && !Parent->States.Contains(vsInitialized)) InitializeNode(Parent);
    {
        TCountBracket bracket(FUpdateCount);
        SetChildCount(Parent, Parent->ChildCount + 1);
        // The new child shows unless its initialisation filtered it.
        RefreshAllChildrenHidden(Parent);
    }
    PLazyNode result = Parent->LastChild;
    if (UserData) SetNodeData(result, UserData);
    MarkCacheStale();
    if (FUpdateCount == 0) {
        RequestCacheValidation();
        if (FStates.Contains(tsStructureChangePending)) DeliverPendingStructureChange();
        if (FOptions->AutoOptions().Contains(toAutoSort) && FHeader->SortColumn() > NoColumnIndex)
            Sort(Parent, FHeader->SortColumn(), FHeader->SortDirection(), true);
        InvalidateToBottom(Parent);
        UpdateScrollBars(true);
    }
    return result;
}

PLazyNode TBaseLazyTree::InsertNode(PLazyNode Node, TLTNodeAttachMode Mode, void* UserData)
{
    if (Mode == amNoWhere) return nullptr;
    CancelEditNode();
    if (!Node) Node = FRoot;
    if (Node == FRoot) {
        if (Mode == amInsertBefore) Mode = amAddChildFirst;
        if (Mode == amInsertAfter) Mode = amAddChildLast;
    }
    HaltCacheValidation();
    PLazyNode result = AllocateNode();
    if ((Mode == amAddChildFirst || Mode == amAddChildLast) && Node != FRoot && !Node->States.Contains(vsInitialized))
        InitializeNode(Node);
    ConnectNode(result, Node, this, Mode);
    if (UserData) SetNodeData(result, UserData);
    // The new node moves every node after it down: the position cache is stale.
    MarkCacheStale();
    if (FUpdateCount == 0) {
        RequestCacheValidation();
        if (FOptions->AutoOptions().Contains(toAutoSort) && FHeader->SortColumn() > NoColumnIndex) {
            PLazyNode parent = (Mode == amInsertBefore || Mode == amInsertAfter) ? Node->Parent : Node;
            Sort(parent == FRoot ? nullptr : parent, FHeader->SortColumn(), FHeader->SortDirection(), true);
        }
        UpdateScrollBars(true);
        InvalidateToBottom(Mode == amInsertBefore ? result : Node);
    }
    ScheduleStructureChange(result, crNodeAdded);
    return result;
}

void TBaseLazyTree::SetChildCount(PLazyNode Node, std::uint32_t NewChildCount)
{
    if (FOptions->MiscOptions().Contains(toReadOnly)) return;
    if (!Node) Node = FRoot;
    if (NewChildCount == 0) {
        DeleteChildren(Node, false);
        return;
    }
    const std::uint32_t count = Node->ChildCount;
    if (NewChildCount == count) return;
    HaltCacheValidation();
    if (NewChildCount > count) {
        const std::uint32_t d = NewChildCount - count;
        std::uint32_t index = Node->LastChild ? Node->LastChild->Index + 1 : 0;
        if (!Node->LastChild) Node->States << vsHasChildren;
        Node->States = Node->States - TLazyNodeStates{vsAllChildrenHidden, vsHeightMeasured};
        const bool expanded = Node->States.Contains(vsExpanded);
        const bool countVisible = expanded && FullyVisible(Node);
        const bool measure = FOptions->MiscOptions().Contains(toVariableNodeHeight);
        // Each node is counted as it is appended, so the counts hold at every moment:
        // when measuring a new node initialises it and its events look at the tree, and
        // when an allocation fails half-way.
        for (std::uint32_t i = 0; i < d; ++i) {
            PLazyNode child = AllocateNode();
            child->Index = index++;
            child->Parent = Node;
            child->PrevSibling = Node->LastChild;
            if (Node->LastChild)
                Node->LastChild->NextSibling = child;
            else
                Node->FirstChild = child;
            Node->LastChild = child;
            ++Node->ChildCount;
            PropagateCountChange(Node, 1, true);
            if (expanded) PropagateHeightChange(Node, child->TotalHeight, true);
            if (countVisible) ++FVisibleCount;
            if (measure) NodeHeight(child);
        }
        // Measuring may have initialised (and filtered) some of them.
        if (measure) RefreshAllChildrenHidden(Node);
        if (FUpdateCount == 0 && FOptions->AutoOptions().Contains(toAutoSort) &&
            FHeader->SortColumn() > NoColumnIndex)
            Sort(Node == FRoot ? nullptr : Node, FHeader->SortColumn(), FHeader->SortDirection(), true);
        MarkCacheStale();
    } else {
        for (std::uint32_t i = count - NewChildCount; i > 0; --i) DeleteNode(Node->LastChild);
    }
    if (FUpdateCount == 0) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
    }
    ScheduleStructureChange(Node == FRoot ? nullptr : Node, crChildAdded);
}

void TBaseLazyTree::SetRootNodeCount(std::uint32_t Value)
{
    if (FLoading) {
        FRoot->ChildCount = Value;
        ChangeTreeStates(TLazyTreeStates{tsNeedRootCountUpdate}, {});
        return;
    }
    if (Value == FRoot->ChildCount) return;
    HaltCacheValidation();
    BeginUpdate();
    try {
        SetChildCount(FRoot, Value);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---- deleting ----

void TBaseLazyTree::RemoveNode(PLazyNode Node, bool Reindex, bool ParentClearing)
{
    if (!Node || Node == FRoot || FOptions->MiscOptions().Contains(toReadOnly)) return;
    TreeAssert(!FStates.Contains(tsIterating), "Deleting nodes during tree iteration leads to invalid pointers.");
    PLazyNode parent = Node->Parent;
    if (!ParentClearing) ScheduleStructureChange(parent == FRoot ? nullptr : parent, crChildDeleted);
    const int oldX = FOffsetX, oldY = FOffsetY;
    if (Node->States.Contains(vsSelected)) {
        if (FUpdateCount > 0) {
            // Taken out now, the entry is dropped from the array when the update ends.
            Node->States >> vsSelected;
            for (auto& e : FSelection)
                if (e.Node == Node) e.Removed = true;
        } else {
            const bool synch = FStates.Contains(tsSynchMode);
            if (!synch) ChangeTreeStates(TLazyTreeStates{tsSynchMode}, {});
            ForgetSelectedNode(Node);
            if (!synch) ChangeTreeStates({}, TLazyTreeStates{tsSynchMode});
            InvalidateToBottom(parent);
        }
    } else {
        InvalidateToBottom(parent);
    }
    if (FStates.Contains(tsHint)) ChangeTreeStates({}, TLazyTreeStates{tsHint});
    if (!ParentClearing) HaltCacheValidation();
    // A failing OnFreeNode below must not leave freed nodes linked: the node goes in any
    // case, and the first failure is raised once the tree is whole again.
    std::exception_ptr failure;
    try {
        DeleteChildren(Node, false);
    } catch (...) {
        failure = std::current_exception();
    }
    DisconnectNode(Node, false, Reindex, false);
    try {
        FreeNodeData(Node);
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    if (ParentClearing) {
        if (failure) std::rethrow_exception(failure);
        return;
    }
    RefreshAllChildrenHidden(parent);
    MarkCacheStale();
    if (FUpdateCount == 0) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        if (oldX != FOffsetX || oldY != FOffsetY) Invalidate();
    }
    if (failure) std::rethrow_exception(failure);
}

void TBaseLazyTree::DeleteChildren(PLazyNode Node, bool ResetHasChildren)
{
    if (!Node || Node->ChildCount == 0 || FOptions->MiscOptions().Contains(toReadOnly)) {
        if (Node && ResetHasChildren) {
            Node->States >> vsHasChildren;
            if (Node != FRoot && Node->ChildCount == 0) Node->States << vsAllChildrenHidden;
        }
        return;
    }
    TreeAssert(!FStates.Contains(tsIterating), "Deleting nodes during tree iteration leads to invalid pointers.");
    const int oldX = FOffsetX, oldY = FOffsetY;
    std::exception_ptr failure;
    {
        TCountBracket bracket(FUpdateCount);
        HaltCacheValidation();
        const bool parentVisible = Node == FRoot || (FullyVisible(Node) && Node->States.Contains(vsExpanded));
        PLazyNode run = Node->LastChild;
        while (run) {
            PLazyNode prev = run->PrevSibling;
            if (parentVisible && IsEffectivelyVisible(run)) --FVisibleCount;
            run->States << vsDeleting;
            if (prev) prev->NextSibling = nullptr;
            try {
                RemoveNode(run, false, true);
            } catch (...) {
                if (!failure) failure = std::current_exception();
            }
            run = prev;
        }
        if (ResetHasChildren) Node->States >> vsHasChildren;
        if (Node != FRoot) Node->States >> vsExpanded;
        Node->ChildCount = 0;
        if (Node == FRoot || Node->States.Contains(vsDeleting)) {
            Node->TotalHeight = Node->NodeHeight;
            Node->TotalCount = 1;
            if (Node == FRoot) UpdateVerticalRange();
        } else {
            // A node filtered out keeps no height of its own.
            PropagateHeightChange(Node, IsEffectivelyFiltered(Node) ? 0 : Node->NodeHeight, false);
            PropagateCountChange(Node, 1, false);
        }
        Node->FirstChild = nullptr;
        Node->LastChild = nullptr;
        if (Node != FRoot && !Node->States.Contains(vsDeleting)) RefreshAllChildrenHidden(Node);
    }
    MarkCacheStale();
    if (failure) std::rethrow_exception(failure);
    if (FUpdateCount == 0) {
        const int kept = CompactNodeArray(FSelection, std::uint32_t(FSelection.size()));
        if (kept >= 0) {
            FSelection.resize(std::size_t(kept));
            FSelectionCount = std::uint32_t(kept);
        }
        RequestCacheValidation();
        UpdateScrollBars(true);
        if (oldX != FOffsetX || oldY != FOffsetY)
            Invalidate();
        else
            InvalidateToBottom(Node);
        if (FStates.Contains(tsChangePending)) {
            FireChange(FLastChangedNode);
            EnsureNodeSelected();
        }
    }
    if (!Node->States.Contains(vsDeleting)) ScheduleStructureChange(Node == FRoot ? nullptr : Node, crChildDeleted);
}

void TBaseLazyTree::Clear()
{
    const bool destroying = FTreeDestroying;
    if (!((FRoot->ChildCount > 0 && !FOptions->MiscOptions().Contains(toReadOnly)) || destroying)) return;
    BeginUpdate();
    try {
        HaltCacheValidation();
        CancelEditNode();
        if (FStates.Contains(tsCopyPending) || FStates.Contains(tsCutPending))
            ChangeTreeStates({}, TLazyTreeStates{tsCopyPending, tsCutPending});
        ClearSelection();
        FFocusedNode = nullptr;
        FLastSelected = nullptr;
        FCurrentHotNode = nullptr;
        FDropTargetNode = nullptr;
        FLastChangedNode = nullptr;
        FRangeAnchor = nullptr;
        FCheckNode = nullptr;
        FLastVCLDragTarget = nullptr;
        FLastSearchNode = nullptr;
        DeleteChildren(FRoot, true);
        FOffsetX = 0;
        FOffsetY = 0;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TBaseLazyTree::CompactNodeArray(std::vector<TNodeArrayEntry>& Array, std::uint32_t Count)
{
    if (Count == 0) return -1;
    std::uint32_t kept = 0;
    for (std::uint32_t i = 0; i < Count && i < Array.size(); ++i)
        if (!Array[i].Removed) Array[kept++] = Array[i];
    return int(kept);
}

// ---- small structure queries and setters ----

void TBaseLazyTree::SetHasChildren(PLazyNode Node, bool Value)
{
    if (!Node || FOptions->MiscOptions().Contains(toReadOnly)) return;
    if (Value) {
        Node->States << vsHasChildren;
        if (Node != FRoot && Node->ChildCount == 0) Node->States >> vsAllChildrenHidden;
    } else {
        DeleteChildren(Node, true);
    }
}

void TBaseLazyTree::SetDisabled(PLazyNode Node, bool Value)
{
    if (!Node || Node == FRoot || Node->States.Contains(vsDisabled) == Value) return;
    if (Value)
        Node->States << vsDisabled;
    else
        Node->States >> vsDisabled;
    if (FUpdateCount == 0) InvalidateNode(Node);
}

PLazyNode TBaseLazyTree::GetNodeParent(PLazyNode Node) const
{
    if (!Node || Node == FRoot || Node->Parent == FRoot) return nullptr;
    return Node->Parent;
}

std::uint32_t TBaseLazyTree::GetNodeLevel(PLazyNode Node) const
{
    if (!Node || Node == FRoot) return 0;
    std::uint32_t level = 0;
    for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent) ++level;
    return level;
}

int TBaseLazyTree::LevelDifference(PLazyNode Node1, PLazyNode Node2) const
{
    TreeAssert(Node1 && Node2, "Both nodes must be Assigned.");
    TreeAssert(Node1 != FRoot && Node2 != FRoot, "Node must not be the hidden root node.");
    return int(GetNodeLevel(Node2)) - int(GetNodeLevel(Node1));
}

std::uint32_t TBaseLazyTree::AbsoluteIndex(PLazyNode Node)
{
    std::uint32_t result = 0;
    while (Node && Node != FRoot) {
        if (!Node->States.Contains(vsInitialized)) InitializeNode(Node);
        for (PLazyNode run = Node->PrevSibling; run; run = run->PrevSibling) result += run->TotalCount;
        Node = Node->Parent;
        if (Node != FRoot) ++result;
    }
    return result;
}

bool TBaseLazyTree::HasAsParent(PLazyNode Node, PLazyNode PotentialParent) const
{
    if (!Node || !PotentialParent || Node == PotentialParent || Node == FRoot) return false;
    if (PotentialParent == FRoot) return true;
    for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (run == PotentialParent) return true;
    return false;
}

int TBaseLazyTree::CompareNodeOrder(PLazyNode Node1, PLazyNode Node2, bool ConsiderChildrenAbove) const
{
    TreeAssert(Node1 && Node2, "Nodes must never be nil.");
    if (Node1 == Node2) return 0;
    const bool above = ConsiderChildrenAbove && FOptions->PaintOptions().Contains(toChildrenAbove);
    if (HasAsParent(Node1, Node2)) return above ? -1 : 1;
    if (HasAsParent(Node2, Node1)) return above ? 1 : -1;
    std::uint32_t level1 = GetNodeLevel(Node1), level2 = GetNodeLevel(Node2);
    while (level1 > level2) {
        Node1 = Node1->Parent;
        --level1;
    }
    while (level2 > level1) {
        Node2 = Node2->Parent;
        --level2;
    }
    while (Node1->Parent != Node2->Parent) {
        Node1 = Node1->Parent;
        Node2 = Node2->Parent;
    }
    return int(std::int64_t(Node1->Index) - std::int64_t(Node2->Index));
}
