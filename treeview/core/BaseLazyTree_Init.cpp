// Initialisation on demand: a node is handed to the application (OnInitNode) the first
// time something needs it, and its children are made (OnInitChildren) the first time
// something descends into them.
#include "treeview/core/BaseLazyTree.h"

void TBaseLazyTree::FireInitNode(PLazyNode ParentNode, PLazyNode Node, TLazyNodeInitStates& InitialStates)
{
    if (OnInitNode) OnInitNode(this, ParentNode, Node, InitialStates);
}

bool TBaseLazyTree::FireInitChildren(PLazyNode Node, std::uint32_t& ChildCount)
{
    if (!OnInitChildren) return false;
    OnInitChildren(this, Node, ChildCount);
    return true;
}

void TBaseLazyTree::FireResetNode(PLazyNode Node)
{
    if (OnResetNode) OnResetNode(this, Node);
}

void TBaseLazyTree::InitializeNode(PLazyNode Node)
{
    struct TInitializing {
        PLazyNode Node;
        ~TInitializing() { Node->States >> vsInitializing; }
    } initializing{Node};
    Node->States << vsInitializing;
    const bool reinit = Node->States.Contains(vsInitialized);
    TLazyNodeInitStates states = reinit ? TLazyNodeInitStates{ivsReInit} : TLazyNodeInitStates{};
    Node->States << vsInitialized;
    FireInitNode(Node->Parent == FRoot ? nullptr : Node->Parent, Node, states);

    if (states.Contains(ivsDisabled)) Node->States << vsDisabled;
    if (states.Contains(ivsHasChildren)) {
        Node->States << vsHasChildren;
        if (Node->ChildCount == 0) Node->States >> vsAllChildrenHidden;
    }
    // The application's answer selects the node as it is (disabled or not), without
    // focus or notification.
    if (states.Contains(ivsSelected) && !Node->States.Contains(vsSelected)) AddNodeToSelection(Node, true);
    if (states.Contains(ivsMultiline)) Node->States << vsMultiline;
    if (states.Contains(ivsFiltered)) {
        // A node already filtered (re-initialised, or reset and initialised again) gave
        // up its height before; it must not give it up twice.
        const bool wasFiltered = Node->States.Contains(vsFiltered);
        Node->States << vsFiltered;
        if (!wasFiltered && !FOptions->PaintOptions().Contains(toShowFilteredNodes)) {
            PropagateHeightChange(Node, -std::int64_t(Node->NodeHeight), true);
            if (FullyVisible(Node)) --FVisibleCount;
            if (FUpdateCount == 0) UpdateScrollBars(true);
        }
        if (!wasFiltered) ChildrenHiddenChanged(Node->Parent);
    }
    const bool wantExpanded = states.Contains(ivsExpanded);
    if (Node->States.Contains(vsExpanded) != wantExpanded) {
        if (wantExpanded)
            ToggleNode(Node);
        else if (Node->States.Contains(vsHasChildren))
            InitializeChildren(Node);
    }
}

void TBaseLazyTree::InitializeChildren(PLazyNode Node)
{
    if (!Node || Node == FRoot || !Node->States.Contains(vsHasChildren)) return;
    std::uint32_t count = Node->ChildCount;
    if (!FireInitChildren(Node, count)) return;
    // The application's children are made also in a read-only tree: read-only keeps
    // the user from changing the tree, not the tree from showing what it holds.
    const TLTMiscOptions misc = FOptions->MiscOptions();
    const bool readOnly = misc.Contains(toReadOnly);
    if (readOnly) FOptions->FMiscOptions = misc - TLTMiscOptions{toReadOnly};
    try {
        SetChildCount(Node, count);
    } catch (...) {
        if (readOnly) FOptions->FMiscOptions = misc;
        throw;
    }
    if (readOnly) FOptions->FMiscOptions = misc;
    if (count == 0) {
        Node->States >> vsHasChildren;
        RefreshAllChildrenHidden(Node);
    }
}

bool TBaseLazyTree::GetChildrenInitialized(PLazyNode Node) const
{
    if (!Node) Node = FRoot;
    return !(Node->States.Contains(vsHasChildren) && Node->ChildCount == 0);
}

void TBaseLazyTree::ValidateNode(PLazyNode Node, bool Recursive)
{
    if (!Node) Node = FRoot;
    if (Node != FRoot && !Node->States.Contains(vsInitialized)) InitializeNode(Node);
    if (!Recursive) return;
    if (Node->States.Contains(vsHasChildren) && Node->ChildCount == 0) InitializeChildren(Node);
    for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling) ValidateNode(child, true);
}

void TBaseLazyTree::ValidateChildren(PLazyNode Node, bool Recursive)
{
    if (!Node) Node = FRoot;
    if (Node->States.Contains(vsHasChildren) && Node->ChildCount == 0) InitializeChildren(Node);
    for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling) ValidateNode(child, Recursive);
}

std::uint32_t TBaseLazyTree::TotalCount()
{
    {
        struct TBracket {
            std::uint32_t& Count;
            ~TBracket() { --Count; }
        } bracket{++FUpdateCount};
        ValidateNode(FRoot, true);
    }
    return FRoot->TotalCount - 1;
}

void TBaseLazyTree::InitRecursive(PLazyNode Node, std::uint32_t Levels, bool pVisibleOnly)
{
    if (!Node) Node = FRoot;
    if (Node != FRoot && !Node->States.Contains(vsInitialized)) InitializeNode(Node);
    if (Levels == 0 || (pVisibleOnly && !Node->States.Contains(vsExpanded))) return;
    for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling) InitRecursive(child, Levels - 1, pVisibleOnly);
}

void TBaseLazyTree::ReinitNode(PLazyNode Node, bool Recursive)
{
    if (Node && Node != FRoot) {
        Node->States = Node->States - TLazyNodeStates{vsChecking, vsCutOrCopy, vsDeleting, vsHeightMeasured};
        if (Node->States.Contains(vsInitialized)) InitializeNode(Node);
    }
    if (Recursive) ReinitChildren(Node, true);
}

void TBaseLazyTree::ReinitChildren(PLazyNode Node, bool Recursive)
{
    if (Node && Node != FRoot) InitializeChildren(Node);
    PLazyNode parent = Node ? Node : FRoot;
    for (PLazyNode child = parent->FirstChild; child; child = child->NextSibling) ReinitNode(child, Recursive);
}

void TBaseLazyTree::ResetNode(PLazyNode Node)
{
    AbortEdit();
    if (!Node || Node == FRoot) {
        Clear();
        return;
    }
    FireResetNode(Node);
    DeleteChildren(Node, false);
    Node->States = Node->States - TLazyNodeStates{vsInitialized, vsChecking,   vsCutOrCopy, vsDeleting,
                                                  vsExpanded,    vsHasChildren, vsHeightMeasured};
    RefreshAllChildrenHidden(Node);
    InvalidateNode(Node);
}

void TBaseLazyTree::InvalidateChildren(PLazyNode Node, bool Recursive)
{
    if (!Node) {
        for (PLazyNode child = FRoot->FirstChild; child; child = child->NextSibling) {
            InvalidateNode(child);
            if (Recursive) InvalidateChildren(child, true);
        }
        return;
    }
    if (Node != FRoot && !Node->States.Contains(vsInitialized)) InitializeNode(Node);
    InvalidateNode(Node);
    if (Node->States.Contains(vsHasChildren) && Node->ChildCount == 0) InitializeChildren(Node);
    for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling) {
        InvalidateNode(child);
        if (Recursive) InvalidateChildren(child, true);
    }
}
