// Check boxes and radio buttons: one path changes a node's check state. It asks the
// application first, applies the state, keeps tri-state parents and their children in
// agreement, resets radio siblings and reports the change.
#include "treeview/core/BaseLazyTree.h"
#include "treeview/access/LTAccessibilityFactory.h"

TCheckState CheckStatePressed(TCheckState S)
{
    switch (S) {
    case csUncheckedNormal: return csUncheckedPressed;
    case csCheckedNormal: return csCheckedPressed;
    case csMixedNormal: return csMixedPressed;
    default: return S;
    }
}

TCheckState CheckStateReleased(TCheckState S)
{
    switch (S) {
    case csUncheckedPressed: return csUncheckedNormal;
    case csCheckedPressed: return csCheckedNormal;
    case csMixedPressed: return csMixedNormal;
    default: return S;
    }
}

TCheckState CheckStateEnabled(TCheckState S)
{
    switch (S) {
    case csUncheckedDisabled: return csUncheckedNormal;
    case csCheckedDisabled: return csCheckedNormal;
    case csMixedDisabled: return csMixedNormal;
    default: return S;
    }
}

TCheckState CheckStateToggled(TCheckState S)
{
    switch (S) {
    case csUncheckedNormal: return csCheckedNormal;
    case csUncheckedPressed: return csCheckedPressed;
    case csCheckedNormal: return csUncheckedNormal;
    case csCheckedPressed: return csUncheckedPressed;
    case csMixedNormal: return csCheckedNormal;
    case csMixedPressed: return csCheckedPressed;
    default: return S;
    }
}

bool CheckStateIsDisabled(TCheckState S) { return S >= csUncheckedDisabled; }
bool CheckStateIsChecked(TCheckState S) { return S == csCheckedNormal || S == csCheckedPressed || S == csCheckedDisabled; }

namespace {
bool IsBox(TCheckType T) { return T == ctTriStateCheckBox || T == ctCheckBox; }
} // namespace

TCheckState TBaseLazyTree::NextCheckStateFor(TCheckType CheckType, TCheckState CheckState)
{
    switch (CheckType) {
    case ctTriStateCheckBox:
    case ctCheckBox: return CheckStateToggled(CheckState);
    case ctRadioButton: return csCheckedNormal;
    case ctButton: return csUncheckedNormal;
    default: return csMixedNormal;
    }
}

bool TBaseLazyTree::FireChecking(PLazyNode Node, TCheckState& NewCheckState)
{
    if (FOptions->MiscOptions().Contains(toReadOnly)) return false;
    bool allowed = true;
    if (OnChecking) OnChecking(this, Node, NewCheckState, allowed);
    return allowed;
}

void TBaseLazyTree::FireChecked(PLazyNode Node)
{
    if (OnChecked) OnChecked(this, Node);
    NotifyAccessibleEvents({EVENT_OBJECT_STATECHANGE});
}

void TBaseLazyTree::SetCheckState(PLazyNode Node, TCheckState Value)
{
    if (!Node || Node == FRoot || Node->CheckState == Value || Node->States.Contains(vsDisabled)) return;
    if (FireChecking(Node, Value)) CommitCheckState(Node, Value);
}

void TBaseLazyTree::CommitCheckState(PLazyNode Node, TCheckState NewCheckState)
{
    if (ApplyCheckState(Node, NewCheckState)) FireChecked(Node);
}

bool TBaseLazyTree::ApplyCheckState(PLazyNode Node, TCheckState Value)
{
    if (Node->States.Contains(vsChecking)) return false;
    struct TChecking {
        PLazyNode Node;
        ~TChecking() { Node->States >> vsChecking; }
    } checking{Node};
    Node->States << vsChecking;
    if (!Node->States.Contains(vsInitialized))
        InitializeNode(Node);
    else if (Node->CheckState == Value)
        return false;
    struct TPropagation {
        TBaseLazyTree* Tree;
        ~TPropagation()
        {
            if (--Tree->FCheckPropagationCount == 0) Tree->ChangeTreeStates({}, TLazyTreeStates{tsCheckPropagation});
        }
    };
    if (FCheckPropagationCount == 0) ChangeTreeStates(TLazyTreeStates{tsCheckPropagation}, {});
    ++FCheckPropagationCount;
    TPropagation propagation{this};

    const bool tracking = FOptions->AutoOptions().Contains(toAutoTristateTracking);
    if (Node->CheckType == ctTriStateCheckBox && tracking && (Value == csUncheckedNormal || Value == csCheckedNormal) &&
        Node->ChildCount > 0) {
        const bool unchecking = Value == csUncheckedNormal;
        unsigned checked = 0, unchecked = 0, mixed = 0;
        for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling) {
            if (!IsBox(child->CheckType)) continue;
            if (!CheckStateIsDisabled(child->CheckState)) SetCheckState(child, Value);
            switch (child->CheckState) {
            case csUncheckedNormal: ++unchecked; break;
            case csCheckedNormal: ++checked; break;
            case csMixedNormal: ++mixed; break;
            case csUncheckedDisabled: unchecked += unchecking; break;
            case csCheckedDisabled: checked += unchecking; break;
            default: break;
            }
        }
        if (mixed > 0 || (checked > 0 && unchecked > 0))
            Value = csMixedNormal;
        else if (checked > 0)
            Value = csCheckedNormal;
    } else if (Node->CheckType == ctRadioButton && Value == csCheckedNormal) {
        for (PLazyNode run = Node->Parent->FirstChild; run; run = run->NextSibling)
            if (run->CheckType == ctRadioButton) run->CheckState = csUncheckedNormal;
        Invalidate();
    }
    Node->CheckState = Value;

    bool result = true;
    PLazyNode parent = Node->Parent;
    if (parent != FRoot && !parent->States.Contains(vsInitialized)) InitializeNode(parent);
    if (tracking && parent != FRoot && !parent->States.Contains(vsChecking) && !parent->States.Contains(vsDisabled) &&
        IsBox(Node->CheckType) && parent->CheckType == ctTriStateCheckBox)
        result = SyncParentCheckState(Node, Value);
    InvalidateNode(Node);
    return result;
}

bool TBaseLazyTree::SyncParentCheckState(PLazyNode Node, TCheckState NewCheckState)
{
    PLazyNode parent = Node->Parent;
    unsigned boxes = 0, checked = 0;
    bool mixed = false;
    for (PLazyNode run = parent->FirstChild; run; run = run->NextSibling) {
        if (!IsBox(run->CheckType)) continue;
        const TCheckState s = run == Node ? NewCheckState : run->CheckState;
        ++boxes;
        checked += CheckStateIsChecked(s);
        mixed = mixed || s == csMixedNormal;
    }
    TCheckState state = csCheckedNormal;
    if (checked == 0 && !mixed)
        state = csUncheckedNormal;
    else if (checked < boxes)
        state = csMixedNormal;
    const bool allowed = FireChecking(parent, state);
    if (allowed) CommitCheckState(parent, state);
    return allowed;
}

void TBaseLazyTree::SetCheckType(PLazyNode Node, TCheckType Value)
{
    if (!Node || Node == FRoot || Node->CheckType == Value || FOptions->MiscOptions().Contains(toReadOnly)) return;
    Node->CheckType = Value;
    if (Value != ctTriStateCheckBox && (Node->CheckState == csMixedNormal || Node->CheckState == csMixedPressed))
        Node->CheckState = csUncheckedNormal;
    PLazyNode parent = Node->Parent;
    if (FOptions->AutoOptions().Contains(toAutoTristateTracking) && IsBox(Value) && parent != FRoot) {
        if (!parent->States.Contains(vsInitialized)) InitializeNode(parent);
        if (parent->CheckType == ctTriStateCheckBox) {
            if (parent->CheckState == csUncheckedNormal || parent->CheckState == csUncheckedDisabled)
                SetCheckState(Node, csUncheckedNormal);
            else if (parent->CheckState == csCheckedNormal || parent->CheckState == csCheckedDisabled)
                SetCheckState(Node, csCheckedNormal);
        }
    }
    InvalidateNode(Node);
}

void TBaseLazyTree::SetCheckStateForAll(TCheckState aCheckState, bool pSelectedOnly, bool pExcludeDisabled)
{
    BeginUpdate();
    try {
        PLazyNode run = pSelectedOnly ? GetFirstSelected() : GetFirst();
        while (run) {
            if (!pExcludeDisabled || !CheckStateIsDisabled(run->CheckState)) SetCheckState(run, aCheckState);
            run = pSelectedOnly ? GetNextSelected(run) : GetNext(run);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TBaseLazyTree::ClearChecked()
{
    for (PLazyNode run = FRoot->FirstChild; run; run = GetNextNoInit(run))
        if (run->CheckState != csUncheckedNormal) SetCheckState(run, csUncheckedNormal);
}

std::uint32_t TBaseLazyTree::CheckedCount()
{
    std::uint32_t n = 0;
    for (PLazyNode run = GetFirstChecked(csCheckedNormal); run; run = GetNextChecked(run, csCheckedNormal)) ++n;
    return n;
}

int TBaseLazyTree::CheckImageIndexFor(PLazyNode Node, TCheckType ImgCheckType, TCheckState ImgCheckState, bool ImgEnabled)
{
    bool hot = false;
    if (Node) {
        ImgCheckType = TCheckType(Node->CheckType);
        ImgCheckState = TCheckState(Node->CheckState);
        ImgEnabled = !Node->States.Contains(vsDisabled) && Enabled();
        hot = Node == FCurrentHotNode;
    }
    if (CheckStateIsDisabled(ImgCheckState)) {
        ImgEnabled = false;
        ImgCheckState = CheckStateEnabled(ImgCheckState);
    }
    if (ImgCheckType == ctNone) return -1;
    if (ImgCheckType == ctTriStateCheckBox) ImgCheckType = ctCheckBox;
    // Per type the first index of the normal, hot, pressed and disabled pictures of the
    // unchecked and checked states; mixed is shared by all types.
    int base;
    const bool pressed = ImgCheckState == csUncheckedPressed || ImgCheckState == csCheckedPressed ||
                         ImgCheckState == csMixedPressed;
    if (ImgCheckState == csMixedNormal || ImgCheckState == csMixedPressed)
        base = 17;
    else if (ImgCheckType == ctButton)
        base = 21;
    else
        base = (ImgCheckType == ctCheckBox ? 9 : 1) + (CheckStateIsChecked(ImgCheckState) ? 4 : 0);
    if (!ImgEnabled) return base + 3;
    if (pressed) return base + 2;
    return base + (hot ? 1 : 0);
}
