// The component side of the tree: construction with the published defaults, destruction,
// completing a load, copying the settings of another tree, the older options reader
// and the tree's own small property setters.
#include <cstdlib>
#include <cstring>

#include "treeview/core/BaseLazyTree.h"

namespace {

TCustomLazyTreeOptions* MakeBaseOptions(TBaseLazyTree* Owner) { return new TCustomLazyTreeOptions(Owner); }

}   // namespace

TBaseLazyTree::TBaseLazyTree(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(Left(), Top(), 200, 100);
    SetTabStop(true);
    SetParentColor(false);
    FHeader = CreateHeader();
    SetDoubleBuffered(false);
    FOptions.reset(OptionsClass()(this));
    FScrollBarOptions = std::make_unique<TScrollBarOptions>(this);
    CreateRootNode();
    CreateScrollBarControls();
    PrepareTransfer();
}

TBaseLazyTree::~TBaseLazyTree()
{
    FTreeDestroying = true;
    ReleaseTransfer();
    HaltCacheValidation();
    TLTMiscOptions misc = FOptions->MiscOptions();
    FOptions->FMiscOptions = misc - TLTMiscOptions{toReadOnly};
    CancelEditNode();
    StopTimer(ChangeTimer);
    StopTimer(StructureChangeTimer);
    try {
        Clear();
    } catch (...) {
        // A failing OnFreeNode must not keep the tree alive; its blocks are freed anyway.
    }
    FHeader.reset();
    FOptions.reset();
    std::free(FRoot);
    FRoot = nullptr;
}

TLazyTreeOptionsClass TBaseLazyTree::OptionsClass() const { return &MakeBaseOptions; }

void TBaseLazyTree::RecreateOptions() { FOptions.reset(OptionsClass()(this)); }

void TBaseLazyTree::Loaded()
{
    FLoading = false;
    UpdateDropTargetRegistration();
    if (!FStates.Contains(tsNeedRootCountUpdate)) return;
    const std::uint32_t count = FRoot->ChildCount;
    ChangeTreeStates({}, TLazyTreeStates{tsNeedRootCountUpdate});
    if (count == 0) return;
    const TLTMiscOptions misc = FOptions->MiscOptions();
    FOptions->FMiscOptions = misc - TLTMiscOptions{toReadOnly};
    FRoot->ChildCount = 0;
    BeginUpdate();
    try {
        SetChildCount(FRoot, count);
    } catch (...) {
        EndUpdate();
        FOptions->FMiscOptions = misc;
        throw;
    }
    EndUpdate();
    FOptions->FMiscOptions = misc;
}

void TBaseLazyTree::Assign(const TBaseLazyTree& Source)
{
    if (&Source == this) return;
    if (FOptions->MiscOptions().Contains(toReadOnly))
        throw EConvertError("Cannot assign a " + Source.ClassName() + " to a " + ClassName() + ".");
    SetAlign(Source.Align());
    SetAnchors(Source.Anchors());
    FAutoScrollDelay = Source.FAutoScrollDelay;
    FAutoScrollInterval = Source.FAutoScrollInterval;
    FBorderStyle = Source.FBorderStyle;
    FChangeDelay = Source.FChangeDelay;
    FCheckImageKind = Source.FCheckImageKind;
    SetColor(Source.Color());
    SetDefaultNodeHeight(Source.FDefaultNodeHeight);
    FDefaultPasteMode = Source.FDefaultPasteMode;
    FDragImageKind = Source.FDragImageKind;
    SetEnabled(Source.Enabled());
    SetFont(Source.Font());
    FHeader->Assign(*Source.FHeader);
    FHintAnimation = Source.FHintAnimation;
    FHintMode = Source.FHintMode;
    FHotCursor = Source.FHotCursor;
    FIndent = Source.FIndent;
    FMargin = Source.FMargin;
    SetNodeAlignment(Source.FNodeAlignment);
    if (Source.FNodeDataSize != FNodeDataSize || Source.FUserDataType.Type != FUserDataType.Type)
        SetUserDataType(Source.FUserDataType, Source.FNodeDataSize);
    Source.FOptions->AssignTo(FOptions.get());
    SetParentColor(Source.ParentColor());
    SetParentFont(Source.ParentFont());
    SetParentShowHint(Source.ParentShowHint());
    SetPopupMenu(Source.PopupMenu());
    SetRootNodeCount(Source.RootNodeCount());
    SetShowHint(Source.ShowHint());
    SetTabStop(Source.TabStop());
    SetVisible(Source.Visible());
    SetSelectionCurveRadius(Source.FSelectionCurveRadius);
    FSelectionBlendFactor = Source.FSelectionBlendFactor;
    FEmptyListMessage = Source.FEmptyListMessage;
    FScrollBarOptions->Assign(*Source.FScrollBarOptions);
}

void TBaseLazyTree::ReadOldOptions(const std::vector<String>& StoredNames)
{
    struct TOldName {
        const char* Name;
        int Set;   // 0 paint, 1 animation, 2 auto, 3 selection, 4 misc
        int Bit;
    };
    static const TOldName names[] = {
        {"voAcceptOLEDrop", 4, toAcceptOLEDrop},
        {"voAnimatedToggle", 1, toAnimatedToggle},
        {"voAutoDropExpand", 2, toAutoDropExpand},
        {"voAutoExpand", 2, toAutoExpand},
        {"voAutoScroll", 2, toAutoScroll},
        {"voAutoSort", 2, toAutoSort},
        {"voAutoSpanColumns", 2, toAutoSpanColumns},
        {"voAutoTristateTracking", 2, toAutoTristateTracking},
        {"voCheckSupport", 4, toCheckSupport},
        {"voDisableDrawSelection", 3, toDisableDrawSelection},
        {"voEditable", 4, toEditable},
        {"voExtendedFocus", 3, toExtendedFocus},
        {"voFullRowSelect", 3, toFullRowSelect},
        {"voGridExtensions", 4, toGridExtensions},
        {"voHideFocusRect", 0, toHideFocusRect},
        {"voHideSelection", 0, toHideSelection},
        {"voHotTrack", 0, toHotTrack},
        {"voInitOnSave", 4, toInitOnSave},
        {"voLevelSelectConstraint", 3, toLevelSelectConstraint},
        {"voMiddleClickSelect", 3, toMiddleClickSelect},
        {"voMultiSelect", 3, toMultiSelect},
        {"voRightClickSelect", 3, toRightClickSelect},
        {"voPopupMode", 0, toPopupMode},
        {"voShowBackground", 0, toShowBackground},
        {"voShowButtons", 0, toShowButtons},
        {"voShowDropmark", 0, toShowDropmark},
        {"voShowHorzGridLines", 0, toShowHorzGridLines},
        {"voShowRoot", 0, toShowRoot},
        {"voShowTreeLines", 0, toShowTreeLines},
        {"voShowVertGridLines", 0, toShowVertGridLines},
        {"voSiblingSelectConstraint", 3, toSiblingSelectConstraint},
        {"voToggleOnDblClick", 4, toToggleOnDblClick},
    };
    TCustomLazyTreeOptions* o = FOptions.get();
    o->SetPaintOptions({});
    o->SetAnimationOptions({});
    o->SetAutoOptions({});
    o->SetSelectionOptions({});
    o->SetMiscOptions({});
    for (const String& name : StoredNames) {
        if (name.empty()) break;
        for (const TOldName& n : names) {
            if (name != n.Name) continue;
            switch (n.Set) {
            case 0: o->SetPaintOptions(o->PaintOptions() | TLTPaintOption(n.Bit)); break;
            case 1: o->SetAnimationOptions(o->AnimationOptions() | TLTAnimationOption(n.Bit)); break;
            case 2: o->SetAutoOptions(o->AutoOptions() | TLTAutoOption(n.Bit)); break;
            case 3: o->SetSelectionOptions(o->SelectionOptions() | TLTSelectionOption(n.Bit)); break;
            default: o->SetMiscOptions(o->MiscOptions() | TLTMiscOption(n.Bit)); break;
            }
        }
    }
}

// ---- small setters of the tree ----

void TBaseLazyTree::SetButtonStyle(TLTButtonStyle Value)
{
    if (Value == FButtonStyle) return;
    FButtonStyle = Value;
    if (!FLoading) {
        PrepareBitmaps();
        Invalidate();
    }
}

void TBaseLazyTree::SetButtonFillMode(TLTButtonFillMode Value)
{
    if (Value == FButtonFillMode) return;
    FButtonFillMode = Value;
    if (!FLoading) {
        PrepareBitmaps();
        Invalidate();
    }
}

void TBaseLazyTree::SetSelectionCurveRadius(std::uint32_t Value)
{
    if (Value == FSelectionCurveRadius) return;
    FSelectionCurveRadius = Value;
    if (!FLoading) Invalidate();
}

void TBaseLazyTree::SetIncrementalSearch(TLTIncrementalSearch Value)
{
    if (Value == FIncrementalSearch) return;
    FIncrementalSearch = Value;
    if (Value == isNone) {
        StopTimer(SearchTimer);
        FSearchBuffer.clear();
        FLastSearchNode = nullptr;
    }
}

void TBaseLazyTree::InvalidateNode(PLazyNode Node)
{
    // One row: the whole width of the client area at the node's place.
    if (FUpdateCount > 0 || !Node || Node == FRoot || !Node->States.Contains(vsInitialized)) return;
    if (!FullyVisible(Node) || IsEffectivelyFiltered(Node)) return;
    TRect r = GetDisplayRect(Node, NoColumnIndex, false);
    r.Left = 0;
    r.Right = ClientWidth();
    if (r.Bottom <= 0 || r.Top >= RowAreaHeight()) return;
    OffsetRect(r, 0, HeaderAreaHeight());
    InvalidateRect(r);
}
