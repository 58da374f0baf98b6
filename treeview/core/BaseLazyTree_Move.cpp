// Whole-tree services on the node model: sorting child lists by the application's
// comparison, visiting a subtree, and moving or copying nodes within a tree or to another
// one (through the tree stream, so that everything a node carries goes with it).
#include <algorithm>
#include <vector>

#include "treeview/core/BaseLazyTree.h"

// ---- sorting ----

int TBaseLazyTree::FireCompareNodes(PLazyNode Node1, PLazyNode Node2, TColumnIndex Column)
{
    int result = 0;
    if (OnCompareNodes) OnCompareNodes(this, Node1, Node2, Column, result);
    return result;
}

void TBaseLazyTree::Sort(PLazyNode Node, TColumnIndex Column, TSortDirection Direction, bool DoInit)
{
    HaltCacheValidation();
    if (FStates.Contains(tsEditPending)) {
        StopTimer(EditTimer);
        ChangeTreeStates({}, TLazyTreeStates{tsEditPending});
    }
    if (!Node) Node = FRoot;
    if (!Node->States.Contains(vsHasChildren)) return;
    if (DoInit) {
        if (Node->ChildCount == 0 && Node != FRoot) InitializeChildren(Node);
        if (Node->ChildCount > 0) ValidateChildren(Node, false);
    }
    if (Node->ChildCount < 2) return;
    StartOperation(okSortNode);
    try {
        // The children are sorted as an array of pointers (stable in both directions: a
        // tie keeps the order), then the chain is linked anew in one pass.
        std::vector<PLazyNode> nodes;
        nodes.reserve(Node->ChildCount);
        for (PLazyNode run = Node->FirstChild; run; run = run->NextSibling) nodes.push_back(run);
        const bool ascending = Direction == sdAscending;
        std::vector<PLazyNode> buffer(nodes.size());
        // Top-down: each half is sorted whole before the other, so the nodes a merge
        // looks at are still in the cache from sorting their half. The left run wins
        // ties, so equal nodes keep their order.
        const auto sortRange = [&](auto& self, std::size_t lo, std::size_t hi) -> void {
            if (hi - lo < 2) return;
            const std::size_t mid = lo + (hi - lo) / 2;
            self(self, lo, mid);
            self(self, mid, hi);
            std::size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi) {
                // The next comparison takes one of the two following nodes: both are
                // fetched while this one runs.
                if (i + 1 < mid) __builtin_prefetch(nodes[i + 1]);
                if (j + 1 < hi) __builtin_prefetch(nodes[j + 1]);
                const int c = OperationCanceled() ? 0 : FireCompareNodes(nodes[i], nodes[j], Column);
                if (ascending ? c > 0 : c < 0)
                    buffer[k++] = nodes[j++];
                else
                    buffer[k++] = nodes[i++];
            }
            while (i < mid) buffer[k++] = nodes[i++];
            // What is left of the right run is in place already.
            std::copy(buffer.begin() + std::ptrdiff_t(lo), buffer.begin() + std::ptrdiff_t(k),
                      nodes.begin() + std::ptrdiff_t(lo));
        };
        sortRange(sortRange, 0, nodes.size());
        PLazyNode prev = nullptr;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            PLazyNode run = nodes[i];
            run->PrevSibling = prev;
            run->NextSibling = i + 1 < nodes.size() ? nodes[i + 1] : nullptr;
            run->Index = std::uint32_t(i);
            prev = run;
        }
        Node->FirstChild = nodes.front();
        Node->LastChild = nodes.back();
        MarkCacheStale();
    } catch (...) {
        EndOperation(okSortNode);
        throw;
    }
    EndOperation(okSortNode);
    if (FUpdateCount == 0) {
        RequestCacheValidation();
        Invalidate();
    }
}

void TBaseLazyTree::SortTree(TColumnIndex Column, TSortDirection Direction, bool DoInit)
{
    if (FRoot->TotalCount <= 2) return;
    ++FUpdateCount;
    struct TLower {
        TBaseLazyTree* Tree;
        ~TLower()
        {
            if (--Tree->FUpdateCount == 0) {
                Tree->RequestCacheValidation();
                Tree->Invalidate();
            }
        }
    } lower{this};
    if (Column > InvalidColumnIndex) {
        StartOperation(okSortTree);
        try {
            // Depth first over initialised nodes, with an explicit stack of nodes to sort.
            const bool autoSort = FOptions->AutoOptions().Contains(toAutoSort);
            std::vector<PLazyNode> pending{FRoot};
            while (!pending.empty() && !OperationCanceled()) {
                PLazyNode n = pending.back();
                pending.pop_back();
                Sort(n, Column, Direction, DoInit);
                for (PLazyNode c = n->LastChild; c && !OperationCanceled(); c = c->PrevSibling) {
                    if (DoInit && !c->States.Contains(vsInitialized)) InitializeNode(c);
                    if (c->States.Contains(vsInitialized) && !(autoSort && !c->States.Contains(vsExpanded)))
                        pending.push_back(c);
                }
            }
        } catch (...) {
            EndOperation(okSortTree);
            throw;
        }
        EndOperation(okSortTree);
    }
    MarkCacheStale();
}

// ---- iterating ----

PLazyNode TBaseLazyTree::IterateSubtree(PLazyNode Node, const TLTGetNodeProc& Callback, void* Data,
                                        TLazyNodeStates Filter, bool DoInit, bool ChildNodesOnly)
{
    TreeAssert(Node != FRoot, "Node must not be the hidden root node.");
    const bool wasIterating = FStates.Contains(tsIterating);
    if (!wasIterating) FStates << tsIterating;
    struct TLeave {
        TBaseLazyTree* Tree;
        bool Was;
        ~TLeave()
        {
            if (!Was) Tree->FStates >> tsIterating;
        }
    } leave{this, wasIterating};
    const auto step = [&](PLazyNode n) { return DoInit ? GetNext(n) : GetNextNoInit(n); };
    PLazyNode stop = nullptr;
    if (Node) {
        if (DoInit && !Node->States.Contains(vsInitialized)) InitializeNode(Node);
        for (PLazyNode run = Node; run != FRoot && !stop; run = run->Parent) stop = run->NextSibling;
    } else {
        Node = GetFirstNoInit();
        if (!Node) return nullptr;
    }
    if (DoInit && !Node->States.Contains(vsInitialized)) InitializeNode(Node);
    if (ChildNodesOnly) {
        if (Node->ChildCount == 0) return nullptr;
        Node = step(Node);
    }
    for (PLazyNode run = Node; run && run != stop; run = step(run)) {
        if (Filter.Empty() || (run->States * Filter) == Filter) {
            bool abort = false;
            Callback(this, run, Data, abort);
            if (abort) return run;
        }
    }
    return nullptr;
}

// ---- moving and copying ----

bool TBaseLazyTree::FireNodeMoving(PLazyNode Node, PLazyNode Target)
{
    bool allowed = true;
    if (OnNodeMoving) OnNodeMoving(this, Node, Target, allowed);
    return allowed;
}

void TBaseLazyTree::FireNodeMoved(PLazyNode Node)
{
    if (OnNodeMoved) OnNodeMoved(this, Node);
}

bool TBaseLazyTree::FireNodeCopying(PLazyNode Node, PLazyNode Target)
{
    bool allowed = true;
    if (OnNodeCopying) OnNodeCopying(this, Node, Target, allowed);
    return allowed;
}

// Resolves a nil target and the insert modes relative to a root; makes sure Target's
// children exist. The tree that owns the target.
TBaseLazyTree* TBaseLazyTree::PrepareTarget(PLazyNode& Target, TLTNodeAttachMode& Mode)
{
    TBaseLazyTree* tree = this;
    if (!Target) {
        Target = FRoot;
        Mode = amAddChildFirst;
    } else {
        tree = TreeFromNode(Target);
    }
    if (Target == tree->FRoot) {
        if (Mode == amInsertBefore) Mode = amAddChildFirst;
        if (Mode == amInsertAfter) Mode = amAddChildLast;
    }
    return tree;
}

std::vector<PLazyNode> TBaseLazyTree::StreamInto(TBaseLazyTree* TargetTree, PLazyNode Source, bool ChildrenOnly,
                                                 PLazyNode Target, TLTNodeAttachMode Mode)
{
    TMemoryStream stream;
    if (ChildrenOnly) {
        for (PLazyNode c = Source->FirstChild; c; c = c->NextSibling) WriteNode(stream, c);
    } else {
        WriteNode(stream, Source);
    }
    std::vector<std::uint8_t> bytes = stream.Bytes();
    std::vector<TStreamRecord> records;
    std::int64_t pos = 0;
    while (pos < std::int64_t(bytes.size())) ParseNodeRecord(bytes, pos, std::int64_t(bytes.size()), 2, records);
    std::vector<PLazyNode> made;
    TargetTree->BeginUpdate();
    try {
        for (std::size_t i = 0; i < records.size();) {
            PLazyNode node = TargetTree->AllocateNode();
            TargetTree->ConnectNode(node, Target, TargetTree, Mode);
            i = TargetTree->AddRecordsToNode(records, i, bytes, 2, node);
            made.push_back(node);
        }
    } catch (...) {
        TargetTree->EndUpdate();
        throw;
    }
    TargetTree->EndUpdate();
    return made;
}

void TBaseLazyTree::MoveTo(PLazyNode Source, PLazyNode Target, TLTNodeAttachMode Mode, bool ChildrenOnly)
{
    TreeAssert(!Source || TreeFromNode(Source) == this, "The source tree must contain the source node.");
    if (!((Target != Source || (ChildrenOnly && (Mode == amInsertBefore || Mode == amInsertAfter))) &&
          Mode != amNoWhere && Source && Source != FRoot && !FOptions->MiscOptions().Contains(toReadOnly)))
        return;
    TBaseLazyTree* tree = PrepareTarget(Target, Mode);
    if (Target != tree->FRoot) {
        if (!Target->States.Contains(vsInitialized)) tree->InitializeNode(Target);
        if (Target->States.Contains(vsHasChildren) && Target->ChildCount == 0) tree->InitializeChildren(Target);
    }
    bool moved = false;
    PLazyNode reported = ChildrenOnly ? nullptr : Source;
    if (tree == this) {
        if (FireNodeMoving(Source, Target == FRoot ? nullptr : Target)) {
            if (Target != Source && HasAsParent(Target, Source))
                RaiseTreeError("Target node cannot be a child node of the node to be moved.", 2001);
            moved = true;
            if (!ChildrenOnly) {
                DisconnectNode(Source, true, true, false);
                ConnectNode(Source, Target, this, Mode);
                FireNodeMoved(Source);
            } else if (Mode == amAddChildFirst) {
                while (PLazyNode c = Source->LastChild) {
                    DisconnectNode(c, true, false, false);
                    ConnectNode(c, Target, this, Mode);
                    FireNodeMoved(c);
                }
            } else {
                while (PLazyNode c = Source->FirstChild) {
                    DisconnectNode(c, true, false, false);
                    ConnectNode(c, Target, this, Mode);
                    FireNodeMoved(c);
                }
            }
        }
    } else if (FireNodeMoving(Source, Target == tree->FRoot ? nullptr : Target)) {
        moved = true;
        for (PLazyNode n : StreamInto(tree, Source, ChildrenOnly, Target, Mode)) FireNodeMoved(n);
        BeginUpdate();
        try {
            if (ChildrenOnly)
                DeleteChildren(Source, false);
            else
                DeleteNode(Source);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        // The source node is gone: the notification must not hand it out.
        reported = nullptr;
    }
    MarkCacheStale();
    if (moved && FUpdateCount == 0) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
        if (tree != this) tree->Invalidate();
    }
    ScheduleStructureChange(reported, crNodeMoved);
}

void TBaseLazyTree::MoveTo(PLazyNode Node, TBaseLazyTree* Tree, TLTNodeAttachMode Mode, bool ChildrenOnly)
{
    MoveTo(Node, Tree->FRoot, Mode, ChildrenOnly);
}

PLazyNode TBaseLazyTree::CopyTo(PLazyNode Source, PLazyNode Target, TLTNodeAttachMode Mode, bool ChildrenOnly)
{
    TreeAssert(!Source || TreeFromNode(Source) == this, "The source tree must contain the source node.");
    if (Mode == amNoWhere || !Source || Source == FRoot) return nullptr;
    TBaseLazyTree* tree = PrepareTarget(Target, Mode);
    if (tree->FOptions->MiscOptions().Contains(toReadOnly)) return nullptr;
    PLazyNode last = nullptr;
    tree->BeginUpdate();
    try {
        for (PLazyNode n : StreamInto(tree, Source, ChildrenOnly, Target, Mode)) {
            if (FireNodeCopying(n, Target == tree->FRoot ? nullptr : Target)) {
                FireNodeCopied(n);
                last = n;
            } else {
                tree->DeleteNode(n);
                last = nullptr;
            }
        }
    } catch (...) {
        tree->EndUpdate();
        throw;
    }
    tree->EndUpdate();
    tree->MarkCacheStale();
    if (tree->FUpdateCount == 0) {
        tree->RequestCacheValidation();
        tree->UpdateScrollBars(true);
        tree->Invalidate();
    }
    tree->ScheduleStructureChange(ChildrenOnly ? nullptr : (tree == this ? Source : nullptr), crNodeCopied);
    return ChildrenOnly ? Target : last;
}

PLazyNode TBaseLazyTree::CopyTo(PLazyNode Source, TBaseLazyTree* Tree, TLTNodeAttachMode Mode, bool ChildrenOnly)
{
    return CopyTo(Source, Tree->FRoot, Mode, ChildrenOnly);
}
