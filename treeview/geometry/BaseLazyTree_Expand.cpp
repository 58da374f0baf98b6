// Expanding and collapsing whole subtrees, and the events every toggle reports through.
#include "treeview/core/BaseLazyTree.h"
#include "treeview/access/LTAccessibilityFactory.h"

bool TBaseLazyTree::FireExpanding(PLazyNode Node)
{
    bool allowed = true;
    if (OnExpanding) OnExpanding(this, Node, allowed);
    return allowed;
}

bool TBaseLazyTree::FireCollapsing(PLazyNode Node)
{
    bool allowed = true;
    if (OnCollapsing) OnCollapsing(this, Node, allowed);
    return allowed;
}

void TBaseLazyTree::FireExpanded(PLazyNode Node)
{
    if (OnExpanded) OnExpanded(this, Node);
    NotifyAccessibleEvents({EVENT_OBJECT_STATECHANGE});
}

void TBaseLazyTree::FireCollapsed(PLazyNode Node)
{
    if (OnCollapsed) OnCollapsed(this, Node);
    NotifyAccessibleEvents({EVENT_OBJECT_STATECHANGE});
    if (!FOptions->SelectionOptions().Contains(toAlwaysSelectNode)) return;
    // A selected node that went out of view hands its selection to its visible parent.
    PLazyNode first = GetFirstSelected();
    if (first && !FullyVisible(first)) {
        RemoveFromSelection(first);
        PLazyNode parent = GetVisibleParent(first, false);
        if (parent && parent != FRoot) AddToSelection(parent);
    }
    if (FSelectionCount == 0) EnsureNodeSelected();
}

void TBaseLazyTree::FullExpand(PLazyNode Node)
{
    if (FRoot->TotalCount < 2) return;
    ChangeTreeStates(TLazyTreeStates{tsExpanding}, {});
    StartOperation(okExpand);
    BeginUpdate();
    struct TEnd {
        TBaseLazyTree* Tree;
        ~TEnd()
        {
            Tree->EndOperation(okExpand);
            Tree->EndUpdate();
            Tree->ChangeTreeStates({}, TLazyTreeStates{tsExpanding});
        }
    } end{this};
    PLazyNode stop = nullptr;
    if (!Node || Node == FRoot) {
        Node = FRoot->FirstChild;
    } else {
        for (PLazyNode run = Node; run != FRoot && !stop; run = run->Parent) stop = run->NextSibling;
    }
    if (Node && !Node->States.Contains(vsInitialized)) InitializeNode(Node);
    for (PLazyNode run = Node; run && run != stop && !OperationCanceled(); run = GetNext(run))
        if (!run->States.Contains(vsExpanded)) ToggleNode(run);
}

void TBaseLazyTree::FullCollapse(PLazyNode Node)
{
    if (FRoot->TotalCount < 2) return;
    if (Node == FRoot) Node = nullptr;
    ChangeTreeStates(TLazyTreeStates{tsCollapsing}, {});
    BeginUpdate();
    struct TEnd {
        TBaseLazyTree* Tree;
        ~TEnd()
        {
            Tree->EndUpdate();
            Tree->ChangeTreeStates({}, TLazyTreeStates{tsCollapsing});
        }
    } end{this};
    const auto collapsible = [](PLazyNode n) {
        return n->States.Contains(vsExpanded) && n->States.Contains(vsHasChildren);
    };
    PLazyNode run = GetLastVisibleNoInit(Node, true, false);
    if (!run) return;
    while (run && run != Node) {
        PLazyNode prev = GetPreviousNoInit(run, true);
        if (collapsible(run)) ToggleNode(run);
        run = prev;
    }
    if (Node && collapsible(Node)) ToggleNode(Node);
}
