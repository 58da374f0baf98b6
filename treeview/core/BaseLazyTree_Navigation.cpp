// Walking the nodes: first, last, next and previous of the whole tree, of child lists,
// of levels, of leaves and of the nodes that pass a test, each in an initialising form
// and (mostly) a NoInit form, and the enumerations for range-for loops over them.
#include "treeview/core/BaseLazyTree.h"

namespace {
constexpr const char* NotRoot = "Node must not be the hidden root node.";
}

#define CHILDREN_ABOVE(CCA) ((CCA) && FOptions->PaintOptions().Contains(toChildrenAbove))

// Creates the children of a node that may have some and has none yet.
#define ENSURE_CHILDREN(N)                                                             \
    do {                                                                               \
        if ((N)->States.Contains(vsHasChildren) && (N)->ChildCount == 0) InitializeChildren(N); \
    } while (0)

#define ENSURE_INITIALIZED(N)                                                                 \
    do {                                                                                      \
        if ((N) && (N) != FRoot && !(N)->States.Contains(vsInitialized)) InitializeNode(N); \
    } while (0)

// ---- whole tree ----

PLazyNode TBaseLazyTree::GetFirst(bool ConsiderChildrenAbove)
{
    if (!CHILDREN_ABOVE(ConsiderChildrenAbove)) {
        PLazyNode result = FRoot->FirstChild;
        ENSURE_INITIALIZED(result);
        return result;
    }
    if (!FRoot->FirstChild) return nullptr;
    PLazyNode run = FRoot;
    for (;;) {
        ENSURE_INITIALIZED(run);
        if (run != FRoot) ENSURE_CHILDREN(run);
        if (!run->FirstChild) break;
        run = run->FirstChild;
    }
    return run;
}

PLazyNode TBaseLazyTree::GetFirstNoInit(bool ConsiderChildrenAbove)
{
    PLazyNode result = FRoot->FirstChild;
    if (result && CHILDREN_ABOVE(ConsiderChildrenAbove))
        while (result->FirstChild) result = result->FirstChild;
    return result;
}

PLazyNode TBaseLazyTree::GetLast(PLazyNode Node, bool ConsiderChildrenAbove)
{
    PLazyNode result = GetLastChild(Node);
    if (!CHILDREN_ABOVE(ConsiderChildrenAbove))
        while (result) {
            PLazyNode next = GetLastChild(result);
            if (!next) break;
            result = next;
        }
    return result;
}

PLazyNode TBaseLazyTree::GetLastNoInit(PLazyNode Node, bool ConsiderChildrenAbove)
{
    PLazyNode result = GetLastChildNoInit(Node);
    if (!CHILDREN_ABOVE(ConsiderChildrenAbove))
        while (result) {
            PLazyNode next = GetLastChildNoInit(result);
            if (!next) break;
            result = next;
        }
    return result;
}

PLazyNode TBaseLazyTree::GetNext(PLazyNode Node, bool ConsiderChildrenAbove)
{
    if (!Node) return nullptr;
    TreeAssert(Node != FRoot, NotRoot);
    PLazyNode result;
    if (!CHILDREN_ABOVE(ConsiderChildrenAbove)) {
        ENSURE_CHILDREN(Node);
        if (Node->FirstChild) {
            result = Node->FirstChild;
        } else {
            PLazyNode run = Node;
            while (run != FRoot && !run->NextSibling) run = run->Parent;
            result = run == FRoot ? nullptr : run->NextSibling;
        }
    } else if (Node->NextSibling) {
        result = Node->NextSibling;
        for (;;) {
            ENSURE_INITIALIZED(result);
            ENSURE_CHILDREN(result);
            if (!result->FirstChild) break;
            result = result->FirstChild;
        }
    } else {
        result = Node->Parent == FRoot ? nullptr : Node->Parent;
    }
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetNextNoInit(PLazyNode Node, bool ConsiderChildrenAbove)
{
    if (!Node) return nullptr;
    TreeAssert(Node != FRoot, NotRoot);
    if (!CHILDREN_ABOVE(ConsiderChildrenAbove)) {
        if (Node->FirstChild) return Node->FirstChild;
        PLazyNode run = Node;
        while (run != FRoot && !run->NextSibling) run = run->Parent;
        return run == FRoot ? nullptr : run->NextSibling;
    }
    if (Node->NextSibling) {
        PLazyNode result = Node->NextSibling;
        while (result->FirstChild) result = result->FirstChild;
        return result;
    }
    return Node->Parent == FRoot ? nullptr : Node->Parent;
}

PLazyNode TBaseLazyTree::GetPrevious(PLazyNode Node, bool ConsiderChildrenAbove)
{
    if (!Node) return nullptr;
    TreeAssert(Node != FRoot, NotRoot);
    PLazyNode result;
    if (!CHILDREN_ABOVE(ConsiderChildrenAbove)) {
        if (Node->PrevSibling) {
            result = GetLast(Node->PrevSibling);
            if (!result) result = Node->PrevSibling;
        } else {
            result = Node->Parent == FRoot ? nullptr : Node->Parent;
        }
    } else {
        ENSURE_CHILDREN(Node);
        if (Node->LastChild) {
            result = Node->LastChild;
        } else if (Node->PrevSibling) {
            result = Node->PrevSibling;
        } else {
            PLazyNode run = Node;
            while (run != FRoot && !run->PrevSibling) run = run->Parent;
            result = run == FRoot ? nullptr : run->PrevSibling;
        }
    }
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousNoInit(PLazyNode Node, bool ConsiderChildrenAbove)
{
    if (!Node) return nullptr;
    TreeAssert(Node != FRoot, NotRoot);
    if (!CHILDREN_ABOVE(ConsiderChildrenAbove)) {
        if (Node->PrevSibling) {
            PLazyNode result = GetLastNoInit(Node->PrevSibling);
            return result ? result : Node->PrevSibling;
        }
        return Node->Parent == FRoot ? nullptr : Node->Parent;
    }
    if (Node->LastChild) return Node->LastChild;
    if (Node->PrevSibling) return Node->PrevSibling;
    PLazyNode run = Node;
    while (run != FRoot && !run->PrevSibling) run = run->Parent;
    return run == FRoot ? nullptr : run->PrevSibling;
}

// ---- child lists and siblings ----

PLazyNode TBaseLazyTree::GetFirstChild(PLazyNode Node)
{
    PLazyNode result;
    if (!Node || Node == FRoot) {
        result = FRoot->FirstChild;
    } else {
        ENSURE_INITIALIZED(Node);
        if (!Node->States.Contains(vsHasChildren)) return nullptr;
        ENSURE_CHILDREN(Node);
        result = Node->FirstChild;
    }
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetFirstChildNoInit(PLazyNode Node)
{
    if (!Node || Node == FRoot) return FRoot->FirstChild;
    return Node->States.Contains(vsHasChildren) ? Node->FirstChild : nullptr;
}

PLazyNode TBaseLazyTree::GetLastChild(PLazyNode Node)
{
    PLazyNode result;
    if (!Node || Node == FRoot) {
        result = FRoot->LastChild;
    } else {
        ENSURE_INITIALIZED(Node);
        if (!Node->States.Contains(vsHasChildren)) return nullptr;
        ENSURE_CHILDREN(Node);
        result = Node->LastChild;
    }
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetLastChildNoInit(PLazyNode Node)
{
    if (!Node || Node == FRoot) return FRoot->LastChild;
    return Node->States.Contains(vsHasChildren) ? Node->LastChild : nullptr;
}

PLazyNode TBaseLazyTree::GetNextSibling(PLazyNode Node)
{
    if (!Node) return nullptr;
    TreeAssert(Node != FRoot, NotRoot);
    PLazyNode result = Node->NextSibling;
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetNextSiblingNoInit(PLazyNode Node)
{
    if (!Node) return nullptr;
    TreeAssert(Node != FRoot, NotRoot);
    return Node->NextSibling;
}

PLazyNode TBaseLazyTree::GetPreviousSibling(PLazyNode Node)
{
    if (!Node) return nullptr;
    TreeAssert(Node != FRoot, NotRoot);
    PLazyNode result = Node->PrevSibling;
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousSiblingNoInit(PLazyNode Node)
{
    if (!Node) return nullptr;
    TreeAssert(Node != FRoot, NotRoot);
    return Node->PrevSibling;
}

// ---- nodes already initialised ----

PLazyNode TBaseLazyTree::GetFirstInitialized(bool ConsiderChildrenAbove)
{
    PLazyNode result = GetFirstNoInit(ConsiderChildrenAbove);
    if (result && !result->States.Contains(vsInitialized)) result = GetNextInitialized(result, ConsiderChildrenAbove);
    return result;
}

PLazyNode TBaseLazyTree::GetNextInitialized(PLazyNode Node, bool ConsiderChildrenAbove)
{
    PLazyNode run = Node;
    do
        run = GetNextNoInit(run, ConsiderChildrenAbove);
    while (run && !run->States.Contains(vsInitialized));
    return run;
}

PLazyNode TBaseLazyTree::GetLastInitialized(PLazyNode Node, bool ConsiderChildrenAbove)
{
    PLazyNode result = GetLastNoInit(Node, ConsiderChildrenAbove);
    if (result && !result->States.Contains(vsInitialized))
        result = GetPreviousInitialized(result, ConsiderChildrenAbove);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousInitialized(PLazyNode Node, bool ConsiderChildrenAbove)
{
    PLazyNode run = Node;
    do
        run = GetPreviousNoInit(run, ConsiderChildrenAbove);
    while (run && !run->States.Contains(vsInitialized));
    return run;
}

// ---- leaves ----

PLazyNode TBaseLazyTree::GetFirstLeaf() { return GetNextLeaf(nullptr); }

PLazyNode TBaseLazyTree::GetNextLeaf(PLazyNode Node)
{
    PLazyNode result = (!Node || Node == FRoot) ? GetFirstChild(nullptr) : GetNext(Node);
    while (result && result->States.Contains(vsHasChildren)) result = GetNext(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousLeaf(PLazyNode Node)
{
    PLazyNode result = (!Node || Node == FRoot) ? GetLastChild(nullptr) : GetPrevious(Node);
    while (result && result->States.Contains(vsHasChildren)) result = GetPrevious(result);
    return result;
}

// ---- levels ----

PLazyNode TBaseLazyTree::GetFirstLevel(std::uint32_t NodeLevel)
{
    PLazyNode result = GetFirstNoInit(true);
    while (result && GetNodeLevel(result) != NodeLevel) result = GetNextNoInit(result, true);
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetNextLevel(PLazyNode Node, std::uint32_t NodeLevel)
{
    PLazyNode result = nullptr;
    while (Node && Node != FRoot) {
        const std::uint32_t level = GetNodeLevel(Node);
        if (level < NodeLevel) {
            Node = GetNext(Node);
            if (Node && GetNodeLevel(Node) == NodeLevel) {
                result = Node;
                break;
            }
        } else if (level == NodeLevel) {
            if (Node->NextSibling) {
                result = Node->NextSibling;
                break;
            }
            PLazyNode run = Node->Parent;
            while (run != FRoot && !run->NextSibling) run = run->Parent;
            if (run == FRoot) return nullptr;
            Node = run->NextSibling;
        } else {
            Node = Node->Parent;
        }
    }
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousLevel(PLazyNode Node, std::uint32_t NodeLevel)
{
    PLazyNode result = nullptr;
    while (Node && Node != FRoot) {
        const std::uint32_t level = GetNodeLevel(Node);
        if (level < NodeLevel) {
            if (!Node->PrevSibling) {
                Node = Node->Parent;
                continue;
            }
            PLazyNode d = Node->PrevSibling;
            std::uint32_t dLevel = level;
            while (dLevel < NodeLevel) {
                PLazyNode c = GetLastChild(d);
                if (!c) break;
                d = c;
                ++dLevel;
            }
            if (dLevel == NodeLevel) {
                result = d;
                break;
            }
            if (d->PrevSibling)
                Node = d;
            else if (d->Parent == FRoot)
                return nullptr;
            else
                Node = d->Parent;
        } else if (level == NodeLevel) {
            if (Node->PrevSibling) {
                result = Node->PrevSibling;
                break;
            }
            Node = Node->Parent;
        } else {
            Node = Node->Parent;
        }
    }
    ENSURE_INITIALIZED(result);
    return result;
}

// ---- nodes that pass a test ----

PLazyNode TBaseLazyTree::GetFirstChecked(TCheckState State, bool ConsiderChildrenAbove)
{
    return GetNextChecked(nullptr, State, ConsiderChildrenAbove);
}

PLazyNode TBaseLazyTree::GetNextChecked(PLazyNode Node, TCheckState State, bool ConsiderChildrenAbove)
{
    PLazyNode result =
        (!Node || Node == FRoot) ? GetFirstNoInit(ConsiderChildrenAbove) : GetNextNoInit(Node, ConsiderChildrenAbove);
    while (result && result->CheckState != State) result = GetNextNoInit(result, ConsiderChildrenAbove);
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousChecked(PLazyNode Node, TCheckState State, bool ConsiderChildrenAbove)
{
    PLazyNode result = (!Node || Node == FRoot) ? GetLastNoInit(nullptr, ConsiderChildrenAbove)
                                                : GetPreviousNoInit(Node, ConsiderChildrenAbove);
    while (result && result->CheckState != State) result = GetPreviousNoInit(result, ConsiderChildrenAbove);
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetFirstSelected(bool ConsiderChildrenAbove)
{
    return GetNextSelected(nullptr, ConsiderChildrenAbove);
}

PLazyNode TBaseLazyTree::GetNextSelected(PLazyNode Node, bool ConsiderChildrenAbove)
{
    if (FSelectionCount == 0) return nullptr;
    PLazyNode result =
        (!Node || Node == FRoot) ? GetFirstNoInit(ConsiderChildrenAbove) : GetNextNoInit(Node, ConsiderChildrenAbove);
    while (result && !result->States.Contains(vsSelected)) result = GetNextNoInit(result, ConsiderChildrenAbove);
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousSelected(PLazyNode Node, bool ConsiderChildrenAbove)
{
    if (FSelectionCount == 0) return nullptr;
    PLazyNode result = (!Node || Node == FRoot) ? FRoot->LastChild : GetPreviousNoInit(Node, ConsiderChildrenAbove);
    while (result && !result->States.Contains(vsSelected)) result = GetPreviousNoInit(result, ConsiderChildrenAbove);
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetFirstCutCopy(bool ConsiderChildrenAbove)
{
    return GetNextCutCopy(nullptr, ConsiderChildrenAbove);
}

PLazyNode TBaseLazyTree::GetNextCutCopy(PLazyNode Node, bool ConsiderChildrenAbove)
{
    if (!FStates.Contains(tsCopyPending) && !FStates.Contains(tsCutPending)) return nullptr;
    PLazyNode result =
        (!Node || Node == FRoot) ? GetFirstNoInit(ConsiderChildrenAbove) : GetNextNoInit(Node, ConsiderChildrenAbove);
    while (result && !result->States.Contains(vsCutOrCopy)) result = GetNextNoInit(result, ConsiderChildrenAbove);
    ENSURE_INITIALIZED(result);
    return result;
}

PLazyNode TBaseLazyTree::GetPreviousCutCopy(PLazyNode Node, bool ConsiderChildrenAbove)
{
    if (!FStates.Contains(tsCopyPending) && !FStates.Contains(tsCutPending)) return nullptr;
    PLazyNode result = (!Node || Node == FRoot) ? GetLastNoInit(nullptr, ConsiderChildrenAbove)
                                                : GetPreviousNoInit(Node, ConsiderChildrenAbove);
    while (result && !result->States.Contains(vsCutOrCopy)) result = GetPreviousNoInit(result, ConsiderChildrenAbove);
    ENSURE_INITIALIZED(result);
    return result;
}

// ---- enumerations ----

namespace {
TLTLazyNodeEnumeration Make(TBaseLazyTree* Tree, TVZLazyNodeEnumerationMode Mode)
{
    TLTLazyNodeEnumeration e;
    e.FTree = Tree;
    e.FMode = Mode;
    return e;
}
}   // namespace

TLTLazyNodeEnumeration TBaseLazyTree::Nodes(bool ConsiderChildrenAbove)
{
    auto e = Make(this, vneAll);
    e.FConsiderChildrenAbove = ConsiderChildrenAbove;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::CheckedNodes(TCheckState State, bool ConsiderChildrenAbove)
{
    auto e = Make(this, vneChecked);
    e.FState = State;
    e.FConsiderChildrenAbove = ConsiderChildrenAbove;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::ChildNodes(PLazyNode Node)
{
    auto e = Make(this, vneChild);
    e.FNode = Node;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::CutCopyNodes(bool ConsiderChildrenAbove)
{
    auto e = Make(this, vneCutCopy);
    e.FConsiderChildrenAbove = ConsiderChildrenAbove;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::InitializedNodes(bool ConsiderChildrenAbove)
{
    auto e = Make(this, vneInitialized);
    e.FConsiderChildrenAbove = ConsiderChildrenAbove;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::LeafNodes() { return Make(this, vneLeaf); }

TLTLazyNodeEnumeration TBaseLazyTree::LevelNodes(std::uint32_t NodeLevel)
{
    auto e = Make(this, vneLevel);
    e.FNodeLevel = NodeLevel;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::NoInitNodes(bool ConsiderChildrenAbove)
{
    auto e = Make(this, vneNoInit);
    e.FConsiderChildrenAbove = ConsiderChildrenAbove;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::SelectedNodes(bool ConsiderChildrenAbove)
{
    auto e = Make(this, vneSelected);
    e.FConsiderChildrenAbove = ConsiderChildrenAbove;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::VisibleNodes(PLazyNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered)
{
    auto e = Make(this, vneVisible);
    e.FNode = Node;
    e.FConsiderChildrenAbove = ConsiderChildrenAbove;
    e.FIncludeFiltered = IncludeFiltered;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::VisibleChildNodes(PLazyNode Node, bool IncludeFiltered)
{
    auto e = Make(this, vneVisibleChild);
    e.FNode = Node;
    e.FIncludeFiltered = IncludeFiltered;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::VisibleChildNoInitNodes(PLazyNode Node, bool IncludeFiltered)
{
    auto e = Make(this, vneVisibleNoInitChild);
    e.FNode = Node;
    e.FIncludeFiltered = IncludeFiltered;
    return e;
}

TLTLazyNodeEnumeration TBaseLazyTree::VisibleNoInitNodes(PLazyNode Node, bool ConsiderChildrenAbove,
                                                         bool IncludeFiltered)
{
    auto e = Make(this, vneVisibleNoInit);
    e.FNode = Node;
    e.FConsiderChildrenAbove = ConsiderChildrenAbove;
    e.FIncludeFiltered = IncludeFiltered;
    return e;
}

TLTLazyNodeEnumerator TLTLazyNodeEnumeration::GetEnumerator() const
{
    TLTLazyNodeEnumerator e;
    e.FNode = nullptr;
    e.FCanModeNext = true;
    e.FEnumeration = this;
    return e;
}

bool TLTLazyNodeEnumerator::MoveNext()
{
    if (FCanModeNext) {
        FNode = FEnumeration->GetNext(FNode);
        FCanModeNext = FNode != nullptr;
    }
    return FCanModeNext;
}

PLazyNode TLTLazyNodeEnumeration::GetNext(PLazyNode Node) const
{
    TBaseLazyTree* t = FTree;
    const bool first = Node == nullptr;
    switch (FMode) {
    case vneAll: return first ? t->GetFirst(FConsiderChildrenAbove) : t->GetNext(Node, FConsiderChildrenAbove);
    case vneChecked:
        return first ? t->GetFirstChecked(FState, FConsiderChildrenAbove)
                     : t->GetNextChecked(Node, FState, FConsiderChildrenAbove);
    case vneChild: return first ? t->GetFirstChild(FNode) : t->GetNextSibling(Node);
    case vneCutCopy:
        return first ? t->GetFirstCutCopy(FConsiderChildrenAbove) : t->GetNextCutCopy(Node, FConsiderChildrenAbove);
    case vneInitialized:
        return first ? t->GetFirstInitialized(FConsiderChildrenAbove)
                     : t->GetNextInitialized(Node, FConsiderChildrenAbove);
    case vneLeaf: return first ? t->GetFirstLeaf() : t->GetNextLeaf(Node);
    case vneLevel: return first ? t->GetFirstLevel(FNodeLevel) : t->GetNextLevel(Node, FNodeLevel);
    case vneNoInit:
        return first ? t->GetFirstNoInit(FConsiderChildrenAbove) : t->GetNextNoInit(Node, FConsiderChildrenAbove);
    case vneSelected:
        return first ? t->GetFirstSelected(FConsiderChildrenAbove) : t->GetNextSelected(Node, FConsiderChildrenAbove);
    case vneVisible: {
        // Filtered nodes are yielded all along when asked for, not only as the first one.
        PLazyNode r = first ? t->GetFirstVisible(FNode, FConsiderChildrenAbove, FIncludeFiltered)
                            : t->NextVisibleImpl(Node, FConsiderChildrenAbove, true, FIncludeFiltered);
        while (r && !FIncludeFiltered && t->IsEffectivelyFiltered(r)) r = t->GetNextVisible(r, FConsiderChildrenAbove);
        return r;
    }
    case vneVisibleNoInit: {
        PLazyNode r = first ? t->GetFirstVisibleNoInit(FNode, FConsiderChildrenAbove, FIncludeFiltered)
                            : t->NextVisibleImpl(Node, FConsiderChildrenAbove, false, FIncludeFiltered);
        while (r && !FIncludeFiltered && t->IsEffectivelyFiltered(r))
            r = t->GetNextVisibleNoInit(r, FConsiderChildrenAbove);
        return r;
    }
    case vneVisibleChild:
        return first ? t->GetFirstVisibleChild(FNode, FIncludeFiltered) : t->GetNextVisibleSibling(Node, FIncludeFiltered);
    case vneVisibleNoInitChild:
        return first ? t->GetFirstVisibleChildNoInit(FNode, FIncludeFiltered)
                     : t->GetNextVisibleSiblingNoInit(Node, FIncludeFiltered);
    }
    return nullptr;
}
