// Which nodes are shown: a node's own visibility, filtering, the expansion of its
// ancestors and the option that shows filtered nodes after all; the bookkeeping that
// depends on them (visible count, total heights, the all-children-hidden flag) and the
// walks in display order.
#include "treeview/core/BaseLazyTree.h"

namespace {
constexpr const char* NotRoot = "Node must not be the hidden root node.";
constexpr const char* InvalidParameter = "Invalid parameter.";
}   // namespace

#define CHILDREN_ABOVE(CCA) ((CCA) && FOptions->PaintOptions().Contains(toChildrenAbove))
#define SHOWN(N) ((N)->States.Contains(vsVisible))

// ---- predicates ----

bool TBaseLazyTree::IsVisible(PLazyNode Node)
{
    if (!Node) Node = FRoot;
    if (Node != FRoot && !Node->States.Contains(vsInitialized)) InitializeNode(Node);
    return Node->States.Contains(vsVisible);
}

bool TBaseLazyTree::VisiblePath(PLazyNode Node) const
{
    TreeAssert(Node && Node != FRoot, "Invalid parameters.");
    for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (!run->States.Contains(vsExpanded) || !run->States.Contains(vsVisible)) return false;
    return true;
}

bool TBaseLazyTree::FullyVisible(PLazyNode Node) const
{
    TreeAssert(Node != nullptr, InvalidParameter);
    return Node->States.Contains(vsVisible) && (Node == FRoot || VisiblePath(Node));
}

bool TBaseLazyTree::IsEffectivelyFiltered(PLazyNode Node) const
{
    return Node && Node->States.Contains(vsFiltered) && !FOptions->PaintOptions().Contains(toShowFilteredNodes);
}

bool TBaseLazyTree::IsEffectivelyVisible(PLazyNode Node) const
{
    return Node && Node->States.Contains(vsVisible) && !IsEffectivelyFiltered(Node);
}

std::uint32_t TBaseLazyTree::VisibleDescendantCount(PLazyNode Node) const
{
    if (!Node->States.Contains(vsExpanded)) return 0;
    std::uint32_t count = 0;
    for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling)
        if (child->States.Contains(vsVisible))
            count += VisibleDescendantCount(child) + (IsEffectivelyVisible(child) ? 1 : 0);
    return count;
}

void TBaseLazyTree::RefreshAllChildrenHidden(PLazyNode Node)
{
    if (!Node || Node == FRoot) return;
    bool hidden;
    if (Node->FirstChild) {
        hidden = true;
        for (PLazyNode child = Node->FirstChild; child && hidden; child = child->NextSibling)
            if (IsEffectivelyVisible(child)) hidden = false;
    } else {
        hidden = !Node->States.Contains(vsHasChildren);
    }
    if (hidden)
        Node->States << vsAllChildrenHidden;
    else
        Node->States >> vsAllChildrenHidden;
}

void TBaseLazyTree::ChildrenHiddenChanged(PLazyNode Parent)
{
    if (FStates.Contains(tsUpdating))
        ChangeTreeStates(TLazyTreeStates{tsUpdateHiddenChildrenNeeded}, {});
    else
        RefreshAllChildrenHidden(Parent);
}

void TBaseLazyTree::RefreshAllChildrenHiddenForAll()
{
    for (PLazyNode run = GetFirstNoInit(); run; run = GetNextNoInit(run)) RefreshAllChildrenHidden(run);
}

bool TBaseLazyTree::AnyVisibleSiblingAfter(PLazyNode Node) const
{
    for (PLazyNode run = Node->NextSibling; run; run = run->NextSibling)
        if (IsEffectivelyVisible(run)) return true;
    return false;
}

bool TBaseLazyTree::AnyVisibleSiblingBefore(PLazyNode Node) const
{
    for (PLazyNode run = Node->PrevSibling; run; run = run->PrevSibling)
        if (IsEffectivelyVisible(run)) return true;
    return false;
}

bool TBaseLazyTree::FirstVisibleChildIs(PLazyNode Parent, PLazyNode Node) const
{
    PLazyNode run = Parent->FirstChild;
    while (run && !IsEffectivelyVisible(run)) run = run->NextSibling;
    return run == Node;
}

bool TBaseLazyTree::LastVisibleChildIs(PLazyNode Parent, PLazyNode Node) const
{
    PLazyNode run = Parent->LastChild;
    while (run && !IsEffectivelyVisible(run)) run = run->PrevSibling;
    return run == Node;
}

// ---- changing visibility and filtering ----

void TBaseLazyTree::SetIsVisible(PLazyNode Node, bool Value)
{
    TreeAssert(Node && Node != FRoot, InvalidParameter);
    if (Node->States.Contains(vsVisible) == Value) return;
    HaltCacheValidation();
    const std::uint32_t oldCount = FVisibleCount;
    PLazyNode parent = Node->Parent;
    const bool parentExpanded = parent->States.Contains(vsExpanded);
    if (Value) {
        Node->States << vsVisible;
        if (parentExpanded) PropagateHeightChange(parent, Node->TotalHeight, true);
        if (VisiblePath(Node)) FVisibleCount += VisibleDescendantCount(Node) + (IsEffectivelyVisible(Node) ? 1 : 0);
        if (!IsEffectivelyFiltered(Node) && parent != FRoot) parent->States >> vsAllChildrenHidden;
    } else {
        if (parentExpanded) PropagateHeightChange(parent, -std::int64_t(Node->TotalHeight), true);
        if (VisiblePath(Node)) FVisibleCount -= VisibleDescendantCount(Node) + (IsEffectivelyVisible(Node) ? 1 : 0);
        Node->States >> vsVisible;
        ChildrenHiddenChanged(parent);
    }
    MarkCacheStale();
    if (oldCount != FVisibleCount && FUpdateCount == 0) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
    }
}

void TBaseLazyTree::SetIsFiltered(PLazyNode Node, bool Value)
{
    TreeAssert(Node && Node != FRoot, InvalidParameter);
    if (!Node->States.Contains(vsInitialized)) InitializeNode(Node);
    if (Node->States.Contains(vsFiltered) == Value) return;
    HaltCacheValidation();
    const std::uint32_t oldCount = FVisibleCount;
    const bool shown = FOptions->PaintOptions().Contains(toShowFilteredNodes);
    if (Value) {
        Node->States << vsFiltered;
        if (!shown) {
            if (Node->States.Contains(vsInitializing) && !Node->States.Contains(vsHasChildren))
                PropagateHeightChange(Node, 0, false);
            else
                PropagateHeightChange(Node, -std::int64_t(Node->NodeHeight), true);
            if (FullyVisible(Node)) --FVisibleCount;
        }
        ChildrenHiddenChanged(Node->Parent);
    } else {
        Node->States >> vsFiltered;
        if (!shown) {
            PropagateHeightChange(Node, Node->NodeHeight, true);
            if (FullyVisible(Node)) ++FVisibleCount;
        }
        if (Node->States.Contains(vsVisible) && Node->Parent != FRoot) Node->Parent->States >> vsAllChildrenHidden;
    }
    MarkCacheStale();
    if (oldCount != FVisibleCount && FUpdateCount == 0) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        Invalidate();
    }
}

void TBaseLazyTree::SetFullyVisible(PLazyNode Node, bool Value)
{
    TreeAssert(Node && Node != FRoot, "Invalid parameter");
    SetIsVisible(Node, Value);
    if (!Value) return;
    for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent) {
        if (!run->States.Contains(vsExpanded)) ToggleNode(run);
        if (!run->States.Contains(vsVisible)) SetIsVisible(run, true);
    }
}

void TBaseLazyTree::SetVisiblePath(PLazyNode Node, bool Value)
{
    TreeAssert(Node && Node != FRoot, InvalidParameter);
    if (!Value) return;
    for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (!run->States.Contains(vsExpanded)) ToggleNode(run);
}

// ---- expansion bookkeeping ----

void TBaseLazyTree::SetExpanded(PLazyNode Node, bool Value)
{
    if (!Node || Node == FRoot || Node->States.Contains(vsExpanded) == Value) return;
    ToggleNode(Node);
}

// ---- walks in display order ----

PLazyNode TBaseLazyTree::HiddenWalkStart(PLazyNode Node, bool& CollapsedAncestor)
{
    PLazyNode v = Node->Parent;
    while (v != FRoot && !FullyVisible(v)) v = v->Parent;
    CollapsedAncestor = v != FRoot && !v->States.Contains(vsExpanded);
    if (CollapsedAncestor) return v;
    PLazyNode a = Node;
    while (a->Parent != v) a = a->Parent;
    return a;
}

#define INIT_IF(N)                                                                      \
    do {                                                                                \
        if (Init && (N) && (N) != FRoot && !(N)->States.Contains(vsInitialized)) InitializeNode(N); \
    } while (0)
#define CHILDREN_IF(N)                                                                                     \
    do {                                                                                                   \
        if (Init && (N)->States.Contains(vsHasChildren) && (N)->ChildCount == 0 && (N) != FRoot) InitializeChildren(N); \
    } while (0)

PLazyNode TBaseLazyTree::FirstVisibleImpl(PLazyNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered, bool Init)
{
    if (!Node) Node = FRoot;
    if (!Node->States.Contains(vsHasChildren)) return nullptr;
    CHILDREN_IF(Node);
    PLazyNode result = Node->FirstChild;
    INIT_IF(result);
    if (!result) return nullptr;
    if (CHILDREN_ABOVE(ConsiderChildrenAbove)) {
        for (;;) {
            if (!SHOWN(result)) {
                if (result->NextSibling) {
                    result = result->NextSibling;
                    INIT_IF(result);
                    continue;
                }
                result = result->Parent == FRoot ? nullptr : result->Parent;
                break;
            }
            if (result->States.Contains(vsExpanded)) {
                CHILDREN_IF(result);
                if (result->FirstChild) {
                    result = result->FirstChild;
                    INIT_IF(result);
                    continue;
                }
            }
            break;
        }
    } else {
        while (result && !SHOWN(result)) {
            if (result->NextSibling) {
                result = result->NextSibling;
            } else {
                PLazyNode run = result->Parent;
                while (run != FRoot && !run->NextSibling) run = run->Parent;
                result = run == FRoot ? nullptr : run->NextSibling;
            }
            INIT_IF(result);
        }
    }
    if (result && !IncludeFiltered && IsEffectivelyFiltered(result)) result = NextVisibleImpl(result, true, Init);
    return result;
}

PLazyNode TBaseLazyTree::NextVisibleImpl(PLazyNode Node, bool ConsiderChildrenAbove, bool Init, bool IncludeFiltered)
{
    if (!Node) return nullptr;
    TreeAssert(Node != FRoot, NotRoot);
    const bool above = CHILDREN_ABOVE(ConsiderChildrenAbove);
    PLazyNode x = Node;
    bool enter = true;
    PLazyNode cand = nullptr;
    bool haveCandidate = false;
    if (!FullyVisible(Node)) {
        // A walk from a node that is not shown goes on after the part of the tree that
        // hides it, never back to its start.
        bool collapsed = false;
        x = HiddenWalkStart(Node, collapsed);
        enter = false;
        if (collapsed && above) {
            cand = x;
            haveCandidate = true;
        }
    }
    for (;;) {
        if (!haveCandidate) {
            cand = nullptr;
            if (above) {
                for (;;) {
                    if (x->NextSibling) {
                        PLazyNode s = x->NextSibling;
                        INIT_IF(s);
                        if (!SHOWN(s)) {
                            x = s;
                            continue;
                        }
                        PLazyNode d = s;
                        bool restart = false;
                        while (d->States.Contains(vsExpanded)) {
                            CHILDREN_IF(d);
                            PLazyNode f = d->FirstChild;
                            if (!f) break;
                            INIT_IF(f);
                            if (!SHOWN(f)) {
                                x = f;
                                restart = true;
                                break;
                            }
                            d = f;
                        }
                        if (restart) continue;
                        cand = d;
                        break;
                    }
                    PLazyNode p = x->Parent;
                    if (p == FRoot) break;
                    if (SHOWN(p)) {
                        cand = p;
                        break;
                    }
                    x = p;
                }
            } else {
                bool climb = true;
                if (enter && x->States.Contains(vsExpanded)) {
                    CHILDREN_IF(x);
                    if (x->FirstChild) {
                        PLazyNode c = x->FirstChild;
                        INIT_IF(c);
                        if (SHOWN(c)) {
                            cand = c;
                            climb = false;
                        } else {
                            x = c;
                        }
                    }
                }
                while (climb) {
                    if (x->NextSibling) {
                        x = x->NextSibling;
                        INIT_IF(x);
                        if (SHOWN(x)) {
                            cand = x;
                            break;
                        }
                    } else {
                        x = x->Parent;
                        if (x == FRoot) break;
                    }
                }
            }
        }
        haveCandidate = false;
        if (!cand) return nullptr;
        INIT_IF(cand);
        if (IncludeFiltered || !IsEffectivelyFiltered(cand)) return cand;
        x = cand;
        enter = true;
    }
}

PLazyNode TBaseLazyTree::PreviousVisibleImpl(PLazyNode Node, bool ConsiderChildrenAbove, bool Init)
{
    if (!Node) return nullptr;
    TreeAssert(Node != FRoot, NotRoot);
    const bool above = CHILDREN_ABOVE(ConsiderChildrenAbove);
    PLazyNode x = Node;
    bool enter = true;
    PLazyNode cand = nullptr;
    bool haveCandidate = false;
    if (!FullyVisible(Node)) {
        bool collapsed = false;
        x = HiddenWalkStart(Node, collapsed);
        enter = false;
        if (collapsed && !above) {
            cand = x;
            haveCandidate = true;
        }
    }
    for (;;) {
        if (!haveCandidate) {
            cand = nullptr;
            if (!above) {
                PLazyNode s = x->PrevSibling;
                while (s) {
                    INIT_IF(s);
                    if (SHOWN(s)) break;
                    s = s->PrevSibling;
                }
                if (s) {
                    PLazyNode d = s;
                    while (d->States.Contains(vsExpanded)) {
                        CHILDREN_IF(d);
                        PLazyNode c = d->LastChild;
                        while (c) {
                            INIT_IF(c);
                            if (SHOWN(c)) break;
                            c = c->PrevSibling;
                        }
                        if (!c) break;
                        d = c;
                    }
                    cand = d;
                } else {
                    cand = x->Parent == FRoot ? nullptr : x->Parent;
                }
            } else {
                if (enter && x->States.Contains(vsExpanded)) {
                    CHILDREN_IF(x);
                    PLazyNode c = x->LastChild;
                    while (c) {
                        INIT_IF(c);
                        if (SHOWN(c)) break;
                        c = c->PrevSibling;
                    }
                    cand = c;
                }
                for (PLazyNode y = x; !cand && y != FRoot; y = y->Parent) {
                    PLazyNode s = y->PrevSibling;
                    while (s) {
                        INIT_IF(s);
                        if (SHOWN(s)) break;
                        s = s->PrevSibling;
                    }
                    cand = s;
                }
            }
        }
        haveCandidate = false;
        if (!cand) return nullptr;
        INIT_IF(cand);
        if (!IsEffectivelyFiltered(cand)) return cand;
        x = cand;
        enter = true;
    }
}

PLazyNode TBaseLazyTree::LastVisibleImpl(PLazyNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered, bool Init)
{
    if (Node == FRoot) Node = nullptr;
    PLazyNode r = GetLastNoInit(Node, ConsiderChildrenAbove);
    while (r && r != Node && (!FullyVisible(r) || (!IncludeFiltered && IsEffectivelyFiltered(r)))) {
        r = GetPreviousNoInit(r, ConsiderChildrenAbove);
        // The walk never leaves the node's subtree.
        if (r && Node && r != Node && !HasAsParent(r, Node)) r = nullptr;
    }
    if (r == Node) r = nullptr;
    if (Init)
        for (PLazyNode p = r; p && p != FRoot && p != Node; p = p->Parent) INIT_IF(p);
    return r;
}

PLazyNode TBaseLazyTree::NextVisibleSiblingImpl(PLazyNode Node, bool IncludeFiltered, bool Init)
{
    TreeAssert(Node && Node != FRoot, InvalidParameter);
    PLazyNode r = Node;
    do {
        r = r->NextSibling;
        INIT_IF(r);
    } while (r && !(SHOWN(r) && (IncludeFiltered || !IsEffectivelyFiltered(r))));
    return r;
}

PLazyNode TBaseLazyTree::PreviousVisibleSiblingImpl(PLazyNode Node, bool IncludeFiltered, bool Init)
{
    TreeAssert(Node && Node != FRoot, InvalidParameter);
    PLazyNode r = Node;
    do {
        r = r->PrevSibling;
        INIT_IF(r);
    } while (r && !(SHOWN(r) && (IncludeFiltered || !IsEffectivelyFiltered(r))));
    return r;
}

PLazyNode TBaseLazyTree::FirstVisibleChildImpl(PLazyNode Node, bool IncludeFiltered, bool Init)
{
    PLazyNode r = Init ? GetFirstChild(Node) : GetFirstChildNoInit(Node);
    if (r && (!SHOWN(r) || (!IncludeFiltered && IsEffectivelyFiltered(r))))
        r = NextVisibleSiblingImpl(r, IncludeFiltered, Init);
    return r;
}

PLazyNode TBaseLazyTree::LastVisibleChildImpl(PLazyNode Node, bool IncludeFiltered, bool Init)
{
    if (Node && Node != FRoot && !(FullyVisible(Node) && Node->States.Contains(vsExpanded))) return nullptr;
    PLazyNode r = Init ? GetLastChild(Node) : GetLastChildNoInit(Node);
    if (r && (!SHOWN(r) || (!IncludeFiltered && IsEffectivelyFiltered(r))))
        r = PreviousVisibleSiblingImpl(r, IncludeFiltered, Init);
    return r;
}

PLazyNode TBaseLazyTree::GetFirstVisible(PLazyNode Node, bool CCA, bool IncludeFiltered)
{
    return FirstVisibleImpl(Node, CCA, IncludeFiltered, true);
}
PLazyNode TBaseLazyTree::GetFirstVisibleNoInit(PLazyNode Node, bool CCA, bool IncludeFiltered)
{
    return FirstVisibleImpl(Node, CCA, IncludeFiltered, false);
}
PLazyNode TBaseLazyTree::GetNextVisible(PLazyNode Node, bool CCA) { return NextVisibleImpl(Node, CCA, true); }
PLazyNode TBaseLazyTree::GetNextVisibleNoInit(PLazyNode Node, bool CCA) { return NextVisibleImpl(Node, CCA, false); }
PLazyNode TBaseLazyTree::GetPreviousVisible(PLazyNode Node, bool CCA) { return PreviousVisibleImpl(Node, CCA, true); }
PLazyNode TBaseLazyTree::GetPreviousVisibleNoInit(PLazyNode Node, bool CCA)
{
    return PreviousVisibleImpl(Node, CCA, false);
}
PLazyNode TBaseLazyTree::GetLastVisible(PLazyNode Node, bool CCA, bool IncludeFiltered)
{
    return LastVisibleImpl(Node, CCA, IncludeFiltered, true);
}
PLazyNode TBaseLazyTree::GetLastVisibleNoInit(PLazyNode Node, bool CCA, bool IncludeFiltered)
{
    return LastVisibleImpl(Node, CCA, IncludeFiltered, false);
}
PLazyNode TBaseLazyTree::GetFirstVisibleChild(PLazyNode Node, bool IncludeFiltered)
{
    return FirstVisibleChildImpl(Node, IncludeFiltered, true);
}
PLazyNode TBaseLazyTree::GetFirstVisibleChildNoInit(PLazyNode Node, bool IncludeFiltered)
{
    return FirstVisibleChildImpl(Node, IncludeFiltered, false);
}
PLazyNode TBaseLazyTree::GetLastVisibleChild(PLazyNode Node, bool IncludeFiltered)
{
    return LastVisibleChildImpl(Node, IncludeFiltered, true);
}
PLazyNode TBaseLazyTree::GetLastVisibleChildNoInit(PLazyNode Node, bool IncludeFiltered)
{
    return LastVisibleChildImpl(Node, IncludeFiltered, false);
}
PLazyNode TBaseLazyTree::GetNextVisibleSibling(PLazyNode Node, bool IncludeFiltered)
{
    return NextVisibleSiblingImpl(Node, IncludeFiltered, true);
}
PLazyNode TBaseLazyTree::GetNextVisibleSiblingNoInit(PLazyNode Node, bool IncludeFiltered)
{
    return NextVisibleSiblingImpl(Node, IncludeFiltered, false);
}
PLazyNode TBaseLazyTree::GetPreviousVisibleSibling(PLazyNode Node, bool IncludeFiltered)
{
    return PreviousVisibleSiblingImpl(Node, IncludeFiltered, true);
}
PLazyNode TBaseLazyTree::GetPreviousVisibleSiblingNoInit(PLazyNode Node, bool IncludeFiltered)
{
    return PreviousVisibleSiblingImpl(Node, IncludeFiltered, false);
}

PLazyNode TBaseLazyTree::GetVisibleParent(PLazyNode Node, bool IncludeFiltered)
{
    TreeAssert(Node != nullptr, "Node must not be nil.");
    TreeAssert(Node != FRoot, NotRoot);
    PLazyNode r = Node->Parent;
    while (r != FRoot && !(FullyVisible(r) && (IncludeFiltered || !IsEffectivelyFiltered(r)))) r = r->Parent;
    return r;
}
