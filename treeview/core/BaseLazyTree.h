#pragma once
// The virtual tree control: it owns the nodes and their links and stores no content of
// its own. Each node is one block (record, user data, internal areas of tree classes);
// nodes can be created by count alone and are initialised through events only when
// something first needs them. One class, implemented in files by concern:
//   core/BaseLazyTree_Nodes.cpp       node memory, user data, structure and counts
//   core/BaseLazyTree_Init.cpp        initialisation on demand
//   core/BaseLazyTree_States.cpp      tree states, update brackets, notifications, timers
//   core/BaseLazyTree_Lifecycle.cpp   construction, destruction, loading, assignment, options
//   core/BaseLazyTree_Navigation.cpp  walking the nodes in every order, enumerations
//   geometry/BaseLazyTree_Visibility.cpp  hiding, filtering, expansion bookkeeping, visible order
//   geometry/BaseLazyTree_Heights.cpp     node heights, vertical layout, rectangles
//   geometry/BaseLazyTree_PositionCache.cpp  the node-by-position cache of large trees
//   core/BaseLazyTree_Stream.cpp      the tree stream: saving and loading nodes
//   core/BaseLazyTree_Move.cpp        sorting, iterating, moving and copying
//   geometry/BaseLazyTree_Checks.cpp  check boxes and radio buttons
//   geometry/BaseLazyTree_Expand.cpp  expanding and collapsing with its events
//   geometry/BaseLazyTree_Scroll.cpp  offsets, ranges, scroll bars, bringing nodes into view
//   geometry/BaseLazyTree_Toggle.cpp  toggling one node, its animation and scroll correction
//   input/BaseLazyTree_Selection.cpp  the selection array, ranges, focus
//   input/BaseLazyTree_Presses.cpp    hit testing, mouse and Space presses of check boxes and nodes
//   input/BaseLazyTree_Mouse.cpp      button messages, clicks, double clicks, message routing
//   input/BaseLazyTree_MouseMove.cpp  movement, hot tracking, cursors, wheel panning, popup menus
//   input/BaseLazyTree_RubberBand.cpp the rubber band and automatic scrolling
//   transfer/BaseLazyTree_Clipboard.cpp  formats, cut, copy, paste, data objects, inserting data
//   transfer/BaseLazyTree_DragDrop.cpp   drag source and drop target, the drag picture
#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <typeinfo>
#include <type_traits>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/rtl/Streams.h"
#include "treeview/core/LazyTreeOptions.h"
#include "treeview/core/LazyTreeTypes.h"
#include "treeview/geometry/ScrollBarOptions.h"
#include "platform/gui/StyledScrollBar.h"
#include "treeview/header/LTHeader.h"
#include "treeview/input/LTMouseTypes.h"
#include "treeview/paint/LTPaintTypes.h"
#include "treeview/edit/LTEditLink.h"
#include "treeview/hints/LTHintTypes.h"
#include "treeview/transfer/LTDataObject.h"

class TLTDragImage;
class ILTDragManager;
struct TLTTransferState;
// Where a drag is over a window: entering, moving, leaving.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

class TPrinter;
class IAccessible;
// Which sizes a change of scale touches: positions, widths, heights, the font.
enum TScalingFlag { sfLeft, sfTop, sfWidth, sfHeight, sfFont };
using TScalingFlags = TSet<TScalingFlag>;

// Which sequence an enumeration walks.
enum TVZLazyNodeEnumerationMode {
    vneAll,
    vneChecked,
    vneChild,
    vneCutCopy,
    vneInitialized,
    vneLeaf,
    vneLevel,
    vneNoInit,
    vneSelected,
    vneVisible,
    vneVisibleChild,
    vneVisibleNoInitChild,
    vneVisibleNoInit
};

struct TLTLazyNodeEnumeration;

struct TLTLazyNodeEnumerator {
    PLazyNode FNode = nullptr;
    bool FCanModeNext = true;
    const TLTLazyNodeEnumeration* FEnumeration = nullptr;
    bool MoveNext();
    PLazyNode Current() const { return FNode; }
};

// A sequence of nodes for a range-for loop: for (PLazyNode n : Tree->Nodes()) ...
struct TLTLazyNodeEnumeration {
    TVZLazyNodeEnumerationMode FMode = vneAll;
    TBaseLazyTree* FTree = nullptr;
    bool FConsiderChildrenAbove = false;
    PLazyNode FNode = nullptr;
    std::uint32_t FNodeLevel = 0;
    TCheckState FState = csUncheckedNormal;
    bool FIncludeFiltered = false;

    TLTLazyNodeEnumerator GetEnumerator() const;
    // The first node for nil, the one after Node otherwise; nil at the end.
    PLazyNode GetNext(PLazyNode Node) const;

    // Range-for support.
    struct iterator {
        TLTLazyNodeEnumerator E;
        bool AtEnd;
        PLazyNode operator*() const { return E.Current(); }
        iterator& operator++()
        {
            AtEnd = !E.MoveNext();
            return *this;
        }
        bool operator!=(const iterator& o) const { return AtEnd != o.AtEnd; }
    };
    iterator begin() const
    {
        iterator it{GetEnumerator(), false};
        it.AtEnd = !it.E.MoveNext();
        return it;
    }
    iterator end() const { return iterator{TLTLazyNodeEnumerator{}, true}; }
};

// One entry of the position cache: a visible node and its top in the whole tree.
struct TCacheEntry {
    PLazyNode Node = nullptr;
    std::uint32_t AbsoluteTop = 0;
};
using TCache = std::vector<TCacheEntry>;
constexpr std::uint32_t CacheStride = 2000;

// The tree's private message that runs a queued validation of its position cache.
constexpr unsigned WM_VALIDATECACHE = WM_APP + 33;

class TBaseLazyTree : public TCustomControl {
public:
    explicit TBaseLazyTree(TComponent* AOwner);
    ~TBaseLazyTree() override;

    // ---- node data ----
    int NodeDataSize() const { return FNodeDataSize; }
    void SetNodeDataSize(int Value);
    // Every node's user data is a T, constructed when the node is made and destroyed
    // after OnFreeNode; NodeDataSize becomes sizeof(T). Nodes that exist are re-created.
    template <class T>
    void SetNodeDataType();
    // The user data area (nil for nil and the root); marks the node for OnFreeNode.
    void* GetNodeData(PLazyNode Node);
    // The user data as a T: T must be the type set with SetNodeDataType, or a trivially
    // copyable type that fits the area.
    template <class T>
    T* GetNodeData(PLazyNode Node);
    // A pointer in the first bytes of the user data area.
    void SetNodeData(PLazyNode Node, void* UserData);
    // A value of type T in the user data area (same rules as GetNodeData<T>).
    template <class T>
    void SetNodeDataValue(PLazyNode Node, const T& Value);
    // The start of an internal data area reserved with ReserveInternalData.
    void* InternalData(PLazyNode Node, std::uint32_t Offset) const;

    // ---- structure ----
    PLazyNode RootNode() const { return FRoot; }
    virtual PLazyNode AddChild(PLazyNode Parent, void* UserData = nullptr);
    PLazyNode InsertNode(PLazyNode Node, TLTNodeAttachMode Mode, void* UserData = nullptr);
    virtual void SetChildCount(PLazyNode Node, std::uint32_t NewChildCount);
    std::uint32_t GetChildCount(PLazyNode Node) const { return (Node ? Node : FRoot)->ChildCount; }
    std::uint32_t RootNodeCount() const { return FRoot->ChildCount; }
    void SetRootNodeCount(std::uint32_t Value);
    void DeleteNode(PLazyNode Node) { RemoveNode(Node, true, false); }
    void DeleteChildren(PLazyNode Node, bool ResetHasChildren = false);
    virtual void Clear();
    bool IsEmpty() const { return FRoot->ChildCount == 0; }
    bool GetHasChildren(PLazyNode Node) const { return (Node ? Node : FRoot)->States.Contains(vsHasChildren); }
    void SetHasChildren(PLazyNode Node, bool Value);
    bool GetDisabled(PLazyNode Node) const { return Node && Node->States.Contains(vsDisabled); }
    void SetDisabled(PLazyNode Node, bool Value);
    PLazyNode GetNodeParent(PLazyNode Node) const;
    std::uint32_t GetNodeLevel(PLazyNode Node) const;
    virtual int LevelDifference(PLazyNode Node1, PLazyNode Node2) const;
    std::uint32_t AbsoluteIndex(PLazyNode Node);
    bool HasAsParent(PLazyNode Node, PLazyNode PotentialParent) const;
    int CompareNodeOrder(PLazyNode Node1, PLazyNode Node2, bool ConsiderChildrenAbove) const;
    // Nodes of the tree after initialising all of it.
    std::uint32_t TotalCount();

    // ---- initialisation on demand ----
    virtual void InitializeNode(PLazyNode Node);
    virtual void InitializeChildren(PLazyNode Node);
    void ValidateNode(PLazyNode Node, bool Recursive);
    void ValidateChildren(PLazyNode Node, bool Recursive);
    void InitRecursive(PLazyNode Node, std::uint32_t Levels = 0xFFFFFFFFu, bool pVisibleOnly = true);
    virtual void ReinitNode(PLazyNode Node, bool Recursive);
    virtual void ReinitChildren(PLazyNode Node, bool Recursive);
    virtual void ResetNode(PLazyNode Node);
    bool GetChildrenInitialized(PLazyNode Node) const;
    void InvalidateChildren(PLazyNode Node, bool Recursive);

    // ---- tree states, updates, notifications ----
    TLazyTreeStates TreeStates() const { return FStates; }
    virtual void ChangeTreeStates(TLazyTreeStates Enter, TLazyTreeStates Leave);
    virtual void BeginUpdate();
    virtual void EndUpdate();
    std::uint32_t UpdateCount() const { return FUpdateCount; }
    void SuspendRedraw(bool Suspend);
    void BeginSynch();
    void EndSynch();
    virtual void ScheduleStructureChange(PLazyNode Node, TChangeReason Reason);
    virtual void ScheduleChange(PLazyNode Node);
    void StartOperation(TLTOperationKind Kind);
    void EndOperation(TLTOperationKind Kind);
    void CancelOperation();
    bool OperationCanceled() const { return FOperationCanceled && FOperationCount > 0; }
    std::uint32_t OperationCount() const { return FOperationCount; }
    std::uint32_t ChangeDelay() const { return FChangeDelay; }
    void SetChangeDelay(std::uint32_t Value) { FChangeDelay = Value; }
    // Kills one of the tree window's timers.
    void StopTimer(std::uintptr_t Id);
    // The tree window's timers.
    enum : std::uintptr_t {
        ExpandTimer = 1,
        EditTimer = 2,
        HeaderTimer = 3,
        ScrollTimer = 4,
        ChangeTimer = 5,
        StructureChangeTimer = 6,
        SearchTimer = 7,
        ThemeChangedTimer = 8
    };

    // ---- navigation ----
    PLazyNode GetFirst(bool ConsiderChildrenAbove = false);
    PLazyNode GetFirstNoInit(bool ConsiderChildrenAbove = false);
    PLazyNode GetLast(PLazyNode Node = nullptr, bool ConsiderChildrenAbove = false);
    PLazyNode GetLastNoInit(PLazyNode Node = nullptr, bool ConsiderChildrenAbove = false);
    PLazyNode GetNext(PLazyNode Node, bool ConsiderChildrenAbove = false);
    PLazyNode GetNextNoInit(PLazyNode Node, bool ConsiderChildrenAbove = false);
    PLazyNode GetPrevious(PLazyNode Node, bool ConsiderChildrenAbove = false);
    PLazyNode GetPreviousNoInit(PLazyNode Node, bool ConsiderChildrenAbove = false);
    PLazyNode GetFirstChild(PLazyNode Node);
    PLazyNode GetFirstChildNoInit(PLazyNode Node);
    PLazyNode GetLastChild(PLazyNode Node);
    PLazyNode GetLastChildNoInit(PLazyNode Node);
    PLazyNode GetNextSibling(PLazyNode Node);
    PLazyNode GetNextSiblingNoInit(PLazyNode Node);
    PLazyNode GetPreviousSibling(PLazyNode Node);
    PLazyNode GetPreviousSiblingNoInit(PLazyNode Node);
    PLazyNode GetFirstInitialized(bool ConsiderChildrenAbove = false);
    PLazyNode GetNextInitialized(PLazyNode Node, bool ConsiderChildrenAbove = false);
    PLazyNode GetLastInitialized(PLazyNode Node = nullptr, bool ConsiderChildrenAbove = false);
    PLazyNode GetPreviousInitialized(PLazyNode Node, bool ConsiderChildrenAbove = false);
    PLazyNode GetFirstLeaf();
    PLazyNode GetNextLeaf(PLazyNode Node);
    PLazyNode GetPreviousLeaf(PLazyNode Node);
    PLazyNode GetFirstLevel(std::uint32_t NodeLevel);
    PLazyNode GetNextLevel(PLazyNode Node, std::uint32_t NodeLevel);
    PLazyNode GetPreviousLevel(PLazyNode Node, std::uint32_t NodeLevel);
    PLazyNode GetFirstChecked(TCheckState State = csCheckedNormal, bool ConsiderChildrenAbove = false);
    PLazyNode GetNextChecked(PLazyNode Node, TCheckState State, bool ConsiderChildrenAbove = false);
    PLazyNode GetNextChecked(PLazyNode Node, bool ConsiderChildrenAbove = false)
    {
        return GetNextChecked(Node, csCheckedNormal, ConsiderChildrenAbove);
    }
    PLazyNode GetPreviousChecked(PLazyNode Node, TCheckState State = csCheckedNormal, bool ConsiderChildrenAbove = false);
    PLazyNode GetFirstSelected(bool ConsiderChildrenAbove = false);
    PLazyNode GetNextSelected(PLazyNode Node, bool ConsiderChildrenAbove = false);
    PLazyNode GetPreviousSelected(PLazyNode Node, bool ConsiderChildrenAbove = false);
    PLazyNode GetFirstCutCopy(bool ConsiderChildrenAbove = false);
    PLazyNode GetNextCutCopy(PLazyNode Node, bool ConsiderChildrenAbove = false);
    PLazyNode GetPreviousCutCopy(PLazyNode Node, bool ConsiderChildrenAbove = false);

    TLTLazyNodeEnumeration Nodes(bool ConsiderChildrenAbove = false);
    TLTLazyNodeEnumeration CheckedNodes(TCheckState State = csCheckedNormal, bool ConsiderChildrenAbove = false);
    TLTLazyNodeEnumeration ChildNodes(PLazyNode Node);
    TLTLazyNodeEnumeration CutCopyNodes(bool ConsiderChildrenAbove = false);
    TLTLazyNodeEnumeration InitializedNodes(bool ConsiderChildrenAbove = false);
    TLTLazyNodeEnumeration LeafNodes();
    TLTLazyNodeEnumeration LevelNodes(std::uint32_t NodeLevel);
    TLTLazyNodeEnumeration NoInitNodes(bool ConsiderChildrenAbove = false);
    TLTLazyNodeEnumeration SelectedNodes(bool ConsiderChildrenAbove = false);
    TLTLazyNodeEnumeration VisibleNodes(PLazyNode Node = nullptr, bool ConsiderChildrenAbove = true,
                                        bool IncludeFiltered = false);
    TLTLazyNodeEnumeration VisibleChildNodes(PLazyNode Node, bool IncludeFiltered = false);
    TLTLazyNodeEnumeration VisibleChildNoInitNodes(PLazyNode Node, bool IncludeFiltered = false);
    TLTLazyNodeEnumeration VisibleNoInitNodes(PLazyNode Node = nullptr, bool ConsiderChildrenAbove = true,
                                              bool IncludeFiltered = false);

    // ---- visibility, filtering, expansion ----
    bool IsVisible(PLazyNode Node);
    void SetIsVisible(PLazyNode Node, bool Value);
    bool IsFiltered(PLazyNode Node) const { return Node && Node->States.Contains(vsFiltered); }
    void SetIsFiltered(PLazyNode Node, bool Value);
    bool FullyVisible(PLazyNode Node) const;
    void SetFullyVisible(PLazyNode Node, bool Value);
    bool VisiblePath(PLazyNode Node) const;
    void SetVisiblePath(PLazyNode Node, bool Value);
    bool IsEffectivelyFiltered(PLazyNode Node) const;
    bool IsEffectivelyVisible(PLazyNode Node) const;
    std::uint32_t VisibleCount() const { return FVisibleCount; }
    bool Expanded(PLazyNode Node) const { return Node && Node->States.Contains(vsExpanded); }
    void SetExpanded(PLazyNode Node, bool Value);
    // Expands a collapsed node or collapses an expanded one after asking OnExpanding or
    // OnCollapsing, with the height and count bookkeeping.
    void ToggleNode(PLazyNode Node);
    // Expands Node and every node below it (nil: the whole tree), initialising them.
    virtual void FullExpand(PLazyNode Node = nullptr);
    // Collapses every expanded node below Node and Node itself (nil: the whole tree).
    virtual void FullCollapse(PLazyNode Node = nullptr);
    TLTChangingEvent OnExpanding, OnCollapsing;
    TLTChangeEvent OnExpanded, OnCollapsed;

    PLazyNode GetFirstVisible(PLazyNode Node = nullptr, bool ConsiderChildrenAbove = true, bool IncludeFiltered = false);
    PLazyNode GetFirstVisibleNoInit(PLazyNode Node = nullptr, bool ConsiderChildrenAbove = true,
                                    bool IncludeFiltered = false);
    PLazyNode GetNextVisible(PLazyNode Node, bool ConsiderChildrenAbove = true);
    PLazyNode GetNextVisibleNoInit(PLazyNode Node, bool ConsiderChildrenAbove = true);
    PLazyNode GetPreviousVisible(PLazyNode Node, bool ConsiderChildrenAbove = true);
    PLazyNode GetPreviousVisibleNoInit(PLazyNode Node, bool ConsiderChildrenAbove = true);
    PLazyNode GetLastVisible(PLazyNode Node = nullptr, bool ConsiderChildrenAbove = true, bool IncludeFiltered = false);
    PLazyNode GetLastVisibleNoInit(PLazyNode Node = nullptr, bool ConsiderChildrenAbove = true,
                                   bool IncludeFiltered = false);
    PLazyNode GetFirstVisibleChild(PLazyNode Node, bool IncludeFiltered = false);
    PLazyNode GetFirstVisibleChildNoInit(PLazyNode Node, bool IncludeFiltered = false);
    PLazyNode GetLastVisibleChild(PLazyNode Node, bool IncludeFiltered = false);
    PLazyNode GetLastVisibleChildNoInit(PLazyNode Node, bool IncludeFiltered = false);
    PLazyNode GetNextVisibleSibling(PLazyNode Node, bool IncludeFiltered = false);
    PLazyNode GetNextVisibleSiblingNoInit(PLazyNode Node, bool IncludeFiltered = false);
    PLazyNode GetPreviousVisibleSibling(PLazyNode Node, bool IncludeFiltered = false);
    PLazyNode GetPreviousVisibleSiblingNoInit(PLazyNode Node, bool IncludeFiltered = false);
    PLazyNode GetVisibleParent(PLazyNode Node, bool IncludeFiltered = false);

    // ---- heights and geometry ----
    std::uint32_t NodeHeight(PLazyNode Node);
    void SetNodeHeight(PLazyNode Node, std::uint32_t Value);
    bool MultiLine(PLazyNode Node) const { return Node && Node != FRoot && Node->States.Contains(vsMultiline); }
    void SetMultiLine(PLazyNode Node, bool Value);
    std::uint8_t VerticalAlignment(PLazyNode Node) const { return Node->Align; }
    void SetVerticalAlignment(PLazyNode Node, std::uint8_t Value);
    std::uint32_t DefaultNodeHeight() const { return FDefaultNodeHeight; }
    void SetDefaultNodeHeight(std::uint32_t Value);
    TLTNodeAlignment NodeAlignment() const { return FNodeAlignment; }
    void SetNodeAlignment(TLTNodeAlignment Value);
    virtual void MeasureItemHeight(TCanvas* Canvas, PLazyNode Node);
    PLazyNode GetNodeAt(int X, int Y);
    PLazyNode GetNodeAt(TPoint P) { return GetNodeAt(P.X, P.Y); }
    PLazyNode GetNodeAt(int X, int Y, bool Relative, int& NodeTop);
    TRect GetDisplayRect(PLazyNode Node, TColumnIndex Column, bool TextOnly, bool Unclipped = false,
                         bool ApplyCellContentMargin = false);
    TRect GetTreeRect() const;
    void InvalidateToBottom(PLazyNode Node);
    void ComputeVAlignOffsets(bool ShowImage, bool ShowStateImage, PLazyNode Node, int& VAlign, int& VButtonAlign);

    // ---- position cache ----
    void MarkCacheStale();
    void HaltCacheValidation();
    virtual void RequestCacheValidation();
    std::uint32_t PositionCacheSize() const;
    PLazyNode CacheEntryAtPosition(std::uint32_t Position, std::uint32_t& AbsoluteTop) const;
    PLazyNode CacheEntryBeforeNode(PLazyNode Node, std::uint32_t& AbsoluteTop) const;
    const TCache& PositionCache() const { return FPositionCache; }

    // ---- positions from the subtree heights ----
    // Without a valid cache, the row at an absolute position and the top of a node follow
    // from the stored subtree heights, level by level, instead of walking every row above:
    // the cost grows with the depth and the siblings passed, not with the rows in front.
    // Both answer nullptr / false where the heights cannot place the row (children above
    // their parent, a position past the content, a node not shown).
    PLazyNode NodeAtPositionByHeights(std::int64_t Position, std::uint32_t& AbsoluteTop) const;
    bool NodeTopByHeights(PLazyNode Node, std::uint32_t& AbsoluteTop) const;

    // ---- scrolling: offsets, ranges, scroll bars, bringing nodes into view ----
    int OffsetX() const { return FOffsetX; }
    int OffsetY() const { return FOffsetY; }
    TPoint OffsetXY() const { return TPoint(FOffsetX, FOffsetY); }
    // Each write clamps to the range, moves the content and fires OnScroll on a change.
    void SetOffsetX(int Value);
    void SetOffsetY(int Value);
    void SetOffsetXY(TPoint Value);
    int EffectiveOffsetX() const { return FEffectiveOffsetX; }
    int RangeX() const { return FRangeX; }
    int RangeY() const { return FRangeY; }
    std::uint32_t BottomSpace() const { return FBottomSpace; }
    void SetBottomSpace(std::uint32_t Value);
    void SetIndent(int Value);
    void UpdateRanges();
    void UpdateHorizontalRange();
    void UpdateVerticalRange();
    virtual void UpdateScrollBars(bool DoRepaint);
    void UpdateHorizontalScrollBar(bool DoRepaint);
    void UpdateVerticalScrollBar(bool DoRepaint);
    // Expands the collapsed ancestors and scrolls the node into view (centred on request);
    // true when it scrolled.
    bool ScrollIntoView(PLazyNode Node, bool Center, bool Horizontally = false);
    bool ScrollIntoView(TColumnIndex Column, bool Center);
    PLazyNode TopNode();
    void SetTopNode(PLazyNode Node);
    PLazyNode BottomNode();
    void SetBottomNode(PLazyNode Node);
    TScrollBarOptions* ScrollBarOptions() const { return FScrollBarOptions.get(); }
    void SetScrollBarOptions(const TScrollBarOptions& Value);
    // What one of the tree's two scroll bars (SB_HORZ, SB_VERT) shows now.
    const TLTScrollBarInfo& ScrollBarInfo(int Bar) const { return Bar == SB_VERT ? FVertScrollBar : FHorzScrollBar; }
    // The thumb of a bar is being dragged to Pos (read by SB_THUMBTRACK / SB_THUMBPOSITION).
    void SetScrollTrackPos(int Bar, int Pos);
    // Reading direction of the tree: right-to-left layout mirrors the horizontal offset.
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    TLTScrollEvent OnScroll;
    TLTScrollBarShowEvent OnShowScrollBar;

    // ---- the toggle animation ----
    // Calls Step about Steps pixels in growing step sizes spread over Duration ms; nothing
    // while another animation runs or for a duration of 0.
    virtual void RunAnimation(std::uint32_t Steps, std::uint32_t Duration, const TLTAnimationStep& Step, void* Data);
    void SetAnimationDuration(std::uint32_t Value) { FAnimationDuration = Value; }

    // ---- selection and focus ----
    std::uint32_t SelectedCount() const { return FSelectionCount; }
    bool Selected(PLazyNode Node) const { return Node && Node->States.Contains(vsSelected); }
    void SetSelected(PLazyNode Node, bool Value);
    bool SelectionLocked() const { return FSelectionLocked; }
    void SetSelectionLocked(bool Value) { FSelectionLocked = Value; }
    PLazyNode FocusedNode() const { return FFocusedNode; }
    void SetFocusedNode(PLazyNode Value);
    void SetFocusedColumn(TColumnIndex Value);
    virtual void AddToSelection(PLazyNode Node);
    virtual void AddToSelection(std::vector<PLazyNode>& NewItems, int NewLength, bool ForceInsert = false);
    virtual void RemoveFromSelection(PLazyNode Node);
    void ClearSelection() { ClearSelectionAndNotify(true); }
    virtual void ClearSelectionAndNotify(bool Notify);
    void SelectAll(bool VisibleOnly);
    void InvertSelection(bool VisibleOnly);
    virtual void DeleteSelectedNodes();
    virtual void EnsureNodeSelected();
    virtual void EnsureNodeFocused();
    // The selected nodes in tree order; with Resolve, nodes below a selected node are left out.
    std::vector<PLazyNode> GetSortedSelection(bool Resolve);
    bool IsMouseSelecting() const { return FStates.Contains(tsDrawSelPending) || FStates.Contains(tsDrawSelecting); }
    virtual void SelectRange(PLazyNode StartNode, PLazyNode EndNode, bool AddOnly = true);
    virtual void ToggleSelectionRange(PLazyNode StartNode, PLazyNode EndNode);
    virtual void UnselectRange(PLazyNode StartNode, PLazyNode EndNode);
    virtual void FocusNodeAndColumn(PLazyNode Node, TColumnIndex Column);
    // The selection change of a click with Shift or Ctrl in a multi-selection tree.
    void ApplyClickSelection(PLazyNode Node, TShiftState Shift, bool DragPossible);
    virtual void MarkSelectionCutCopy();
    // The selected nodes as the array keeps them: ascending by address, removed entries
    // left out.
    std::vector<PLazyNode> SelectionArray() const;
    PLazyNode RangeAnchor() const { return FRangeAnchor; }
    PLazyNode NextNodeToSelect() const { return FNextNodeToSelect; }
    int LastSelectionLevel() const { return FLastSelectionLevel; }
    TLTAddToSelectionEvent OnAddToSelection;
    TLTRemoveFromSelectionEvent OnRemoveFromSelection;
    TLTFocusChangingEvent OnFocusChanging;
    TLTFocusChangeEvent OnFocusChanged;

    // ---- check-box presses by mouse and Space key ----
    // Which node and part of it a point hits (client coordinates when Relative).
    virtual void GetHitTestInfoAt(int X, int Y, bool Relative, THitInfo& HitInfo);
    PLazyNode CheckNode() const { return FCheckNode; }
    TCheckState PendingCheckState() const { return FPendingCheckState; }

    // ---- options and owned objects ----
    TCustomLazyTreeOptions* TreeOptions() const { return FOptions.get(); }
    void SetTreeOptions(const TCustomLazyTreeOptions& Value) { Value.AssignTo(FOptions.get()); }
    TLTHeader* Header() const { return FHeader.get(); }
    // ---- header and columns: they read and drive the tree's layout directly ----
    friend class TLTHeader;
    friend class TLazyTreeColumns;
    friend class TLazyTreeColumn;
    // The widest content of a column: of the nodes in view with UseSmartColumnWidth, else
    // of all visible nodes (a double click on a column divider fits the column to it).
    virtual int GetMaxColumnWidth(TColumnIndex Column, bool UseSmartColumnWidth);
    bool IsLoading() const { return FLoading; }
    // Completes loading from stored settings (see BeginLoading).
    virtual void Loaded();
    // Settings are read into the tree from here until Loaded (RootNodeCount only stores).
    void BeginLoading() { FLoading = true; }
    // Copies the published settings of another tree (not its nodes: only their number).
    virtual void Assign(const TBaseLazyTree& Source);
    // Reader of the older single "Options" set, given as the stored names; an empty
    // name ends the list, names that are no older option are skipped.
    void ReadOldOptions(const std::vector<String>& StoredNames);

    // ---- published simple settings (defaults set by the constructor) ----
    TColumnIndex FocusedColumn() const { return FFocusedColumn; }
    void SetFocusedColumnField(TColumnIndex Value) { FFocusedColumn = Value; }
    int Indent() const { return FIndent; }
    int Margin() const { return FMargin; }
    int TextMargin() const { return FTextMargin; }
    std::uint32_t AnimationDuration() const { return FAnimationDuration; }
    std::uint32_t AutoExpandDelay() const { return FAutoExpandDelay; }
    std::uint32_t AutoScrollDelay() const { return FAutoScrollDelay; }
    std::uint32_t AutoScrollInterval() const { return FAutoScrollInterval; }
    std::uint32_t EditDelay() const { return FEditDelay; }
    std::uint32_t IncrementalSearchTimeout() const { return FIncrementalSearchTimeout; }
    TLTIncrementalSearch IncrementalSearch() const { return FIncrementalSearch; }
    void SetIncrementalSearch(TLTIncrementalSearch Value);
    TLTSearchDirection IncrementalSearchDirection() const { return FIncrementalSearchDirection; }
    TLTSearchStart IncrementalSearchStart() const { return FIncrementalSearchStart; }
    bool WantTabs() const { return FWantTabs; }
    TLTButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TLTButtonStyle Value);
    TLTButtonFillMode ButtonFillMode() const { return FButtonFillMode; }
    void SetButtonFillMode(TLTButtonFillMode Value);
    TLTLineStyle LineStyle() const { return FLineStyle; }
    TLTLineMode LineMode() const { return FLineMode; }
    TCheckImageKind CheckImageKind() const { return FCheckImageKind; }
    TLTDrawSelectionMode DrawSelectionMode() const { return FDrawSelectionMode; }
    int SelectionBlendFactor() const { return FSelectionBlendFactor; }
    std::uint32_t SelectionCurveRadius() const { return FSelectionCurveRadius; }
    void SetSelectionCurveRadius(std::uint32_t Value);
    TLTHintAnimationType HintAnimation() const { return FHintAnimation; }
    TLTHintMode HintMode() const { return FHintMode; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    TAlignment Alignment() const { return FAlignment; }
    const String& EmptyListMessage() const { return FEmptyListMessage; }
    int BackgroundOffsetX() const { return FBackgroundOffsetX; }
    int BackgroundOffsetY() const { return FBackgroundOffsetY; }
    TCursor HotCursor() const { return FHotCursor; }
    TLTNodeAttachMode DefaultPasteMode() const { return FDefaultPasteMode; }
    int DragHeight() const { return FDragHeight; }
    int DragWidth() const { return FDragWidth; }
    TLTDragImageKind DragImageKind() const { return FDragImageKind; }
    TDragOperations DragOperations() const { return FDragOperations; }
    TLTDragType DragType() const { return FDragType; }
    const String& AccessibleName() const { return FAccessibleName; }

    // ---- events ----
    TLTFreeNodeEvent OnFreeNode;
    TLTGetNodeDataSizeEvent OnGetNodeDataSize;
    TLTInitNodeEvent OnInitNode;
    TLTInitChildrenEvent OnInitChildren;
    TLTChangeEvent OnResetNode;
    TLTStateChangeEvent OnStateChange;
    TLTUpdatingEvent OnUpdating;
    TLTStructureChangeEvent OnStructureChange;
    TLTChangeEvent OnChange;
    TLTOperationEvent OnStartOperation;
    TLTOperationEvent OnEndOperation;
    TLTMeasureItemEvent OnMeasureItem;

    void WndProc(TMessage& Message) override;

    // ---- sorting, iterating, moving, copying ----
    // Sorts the children of Node (nil: the root) by OnCompareNodes for a column; stable in
    // both directions.
    virtual void Sort(PLazyNode Node, TColumnIndex Column, TSortDirection Direction, bool DoInit = true);
    // Sorts every child list of initialised nodes (collapsed ones wait with toAutoSort).
    virtual void SortTree(TColumnIndex Column, TSortDirection Direction, bool DoInit = true);
    // Calls Callback for Node and its subtree (nil: the whole tree) whose states hold all
    // of Filter; the node at which Callback aborted, or nil.
    PLazyNode IterateSubtree(PLazyNode Node, const TLTGetNodeProc& Callback, void* Data, TLazyNodeStates Filter = {},
                             bool DoInit = false, bool ChildNodesOnly = false);
    // Moves Source (or only its children) next to or below Target, in this or another tree.
    void MoveTo(PLazyNode Source, PLazyNode Target, TLTNodeAttachMode Mode, bool ChildrenOnly);
    void MoveTo(PLazyNode Node, TBaseLazyTree* Tree, TLTNodeAttachMode Mode, bool ChildrenOnly);
    // Copies Source (or only its children); the last copy made (Target with ChildrenOnly).
    PLazyNode CopyTo(PLazyNode Source, PLazyNode Target, TLTNodeAttachMode Mode, bool ChildrenOnly);
    PLazyNode CopyTo(PLazyNode Source, TBaseLazyTree* Tree, TLTNodeAttachMode Mode, bool ChildrenOnly);
    TLTCompareEvent OnCompareNodes;
    TLTNodeMovingEvent OnNodeMoving, OnNodeCopying;
    TLTChangeEvent OnNodeMoved;

    // ---- check boxes ----
    TCheckState CheckState(PLazyNode Node) const { return Node->CheckState; }
    // Asks OnChecking (which may veto or change the state), applies it with the tri-state
    // and radio rules, and reports OnChecked; disabled nodes keep their state.
    void SetCheckState(PLazyNode Node, TCheckState Value);
    TCheckType CheckType(PLazyNode Node) const { return Node->CheckType; }
    void SetCheckType(PLazyNode Node, TCheckType Value);
    // Nodes exactly csCheckedNormal.
    std::uint32_t CheckedCount();
    void SetCheckStateForAll(TCheckState aCheckState, bool pSelectedOnly, bool pExcludeDisabled);
    void ClearChecked();
    // The picture of a node's check box (or of the given values for nil): -1 for none.
    virtual int CheckImageIndexFor(PLazyNode Node, TCheckType ImgCheckType, TCheckState ImgCheckState, bool ImgEnabled);
    virtual TCheckState NextCheckStateFor(TCheckType CheckType, TCheckState CheckState);
    TLTCheckChangingEvent OnChecking;
    TLTChangeEvent OnChecked;

    // ---- the tree stream ----
    // Writes the whole tree, or only Node and its subtree.
    virtual void SaveToStream(TStream& Stream, PLazyNode Node = nullptr);
    void SaveToFile(const String& FileName);
    // Replaces the tree's nodes by the stream's; nothing on a read-only tree. A stream that
    // does not hold a well-formed tree raises ELazyTreeError before anything changes.
    virtual void LoadFromStream(TStream& Stream);
    virtual void LoadFromFile(const String& FileName);
    // Adds the stream's nodes as last children of TargetNode (nil: the root).
    void AddFromStream(TStream& Stream, PLazyNode TargetNode);
    // Node is nil for the root. OnLoadNode reads from a stream of the node's data alone.
    TLTSaveNodeEvent OnSaveNode, OnLoadNode;
    TLTSaveTreeEvent OnSaveTree, OnLoadTree;

protected:
    // ---- expansion events ----
    virtual void FireCollapsed(PLazyNode Node);
    virtual bool FireCollapsing(PLazyNode Node);
    virtual void FireExpanded(PLazyNode Node);
    virtual bool FireExpanding(PLazyNode Node);

    // ---- sorting, moving, copying ----
    virtual int FireCompareNodes(PLazyNode Node1, PLazyNode Node2, TColumnIndex Column);
    virtual bool FireNodeCopying(PLazyNode Node, PLazyNode Target);
    virtual void FireNodeMoved(PLazyNode Node);
    virtual bool FireNodeMoving(PLazyNode Node, PLazyNode Target);
    TBaseLazyTree* PrepareTarget(PLazyNode& Target, TLTNodeAttachMode& Mode);
    // Writes Source (or its children) and rebuilds it in TargetTree at Target; the new
    // top nodes in order.
    std::vector<PLazyNode> StreamInto(TBaseLazyTree* TargetTree, PLazyNode Source, bool ChildrenOnly, PLazyNode Target,
                                      TLTNodeAttachMode Mode);

    // ---- check boxes ----
    virtual bool SyncParentCheckState(PLazyNode Node, TCheckState NewCheckState);
    virtual void CommitCheckState(PLazyNode Node, TCheckState NewCheckState);
    virtual void FireChecked(PLazyNode Node);
    virtual bool FireChecking(PLazyNode Node, TCheckState& NewCheckState);
    bool ApplyCheckState(PLazyNode Node, TCheckState Value);
    std::uint32_t FCheckPropagationCount = 0;

    // ---- the tree stream: chunks of one node ----
    virtual void WriteNode(TStream& Stream, PLazyNode Node);
    virtual void WriteChunks(TStream& Stream, PLazyNode Node);
    virtual void PatchChunkSize(TStream& Stream, std::int64_t StartPosition, std::int64_t EndPosition);
    // One chunk of a node other than its anchor and base chunks, given as a stream of the
    // chunk's body; true when it was understood.
    virtual bool ReadChunk(TStream& Stream, int Version, PLazyNode Node, std::int32_t ChunkType, std::int32_t ChunkSize);
    virtual void FireSaveNode(PLazyNode Node, TStream& Stream);
    virtual void FireLoadNode(PLazyNode Node, TStream& Stream);
    // A node record as checked, before it becomes nodes.
    struct TStreamChunk {
        std::int32_t Type;
        std::int64_t Offset, Size;
    };
    struct TStreamRecord {
        static constexpr std::size_t NoParent = ~std::size_t(0);
        std::size_t Parent = NoParent; // index of the parent record; NoParent for a top node
        std::uint32_t StoredChildCount = 0, ChildrenRead = 0;
        std::uint16_t NodeHeight = 0;
        TLazyNodeStates States;
        std::uint8_t Align = 50, CheckState = 0, CheckType = 0;
        std::vector<TStreamChunk> Chunks;
    };
    int ReadStreamHeader(TStream& Stream, bool FullRead);
    std::vector<TStreamRecord> ParseStream(TStream& Stream, int Version, std::vector<std::uint8_t>& Bytes);
    static void ParseNodeRecord(const std::vector<std::uint8_t>& Bytes, std::int64_t& Pos, std::int64_t Limit,
                                int Version, std::vector<TStreamRecord>& Out);
    void BuildFromRecords(const std::vector<TStreamRecord>& Records, const std::vector<std::uint8_t>& Bytes,
                          int Version, PLazyNode Target);
    // Fills Node (connected to the tree) from the record at First and its subtree's records
    // and repairs counts, heights, the visible count and the selection; the index after them.
    std::size_t AddRecordsToNode(const std::vector<TStreamRecord>& Records, std::size_t First,
                                 const std::vector<std::uint8_t>& Bytes, int Version, PLazyNode Node);
    // Moves and copies report through these (a load reports as a copy of nil).
    virtual void FireNodeCopied(PLazyNode Node)
    {
        if (OnNodeCopied) OnNodeCopied(this, Node);
    }

public:
    TLTChangeEvent OnNodeCopied;

protected:
    // ---- node memory and linking ----
    virtual std::uint32_t ReserveInternalData(std::uint32_t Size);
    PLazyNode AllocateNode();
    virtual void FreeNodeData(PLazyNode Node);
    virtual void ConnectNode(PLazyNode Node, PLazyNode Destination, TBaseLazyTree* Target, TLTNodeAttachMode Mode);
    virtual void DisconnectNode(PLazyNode Node, bool KeepFocus, bool Reindex = true, bool ParentClearing = false);
    void RemoveNode(PLazyNode Node, bool Reindex, bool ParentClearing);
    void PropagateCountChange(PLazyNode Node, std::int64_t Value, bool Relative);
    void PropagateHeightChange(PLazyNode Node, std::int64_t Value, bool Relative);
    void SumTotalCounts(PLazyNode Node);
    void SumTotalHeights(PLazyNode Node);
    virtual void FireGetNodeDataSize(int& Size);
    // Removes the entries marked removed, keeping the order; the number kept, -1 for none.
    static int CompactNodeArray(std::vector<TNodeArrayEntry>& Array, std::uint32_t Count);

    // ---- initialisation events ----
    virtual void FireInitNode(PLazyNode ParentNode, PLazyNode Node, TLazyNodeInitStates& InitialStates);
    virtual bool FireInitChildren(PLazyNode Node, std::uint32_t& ChildCount);
    virtual void FireResetNode(PLazyNode Node);

    // ---- notifications ----
    virtual void RecordPendingChange(bool StructureChange, PLazyNode Node, TChangeReason Reason);
    virtual void FireChange(PLazyNode Node);
    virtual void FireStructureChange(PLazyNode Node, TChangeReason Reason);
    virtual void FireUpdating(TLTUpdateState State);
    virtual void FireStartOperation(TLTOperationKind Kind);
    virtual void FireEndOperation(TLTOperationKind Kind);
    void HandleWMTimer(TMessage& Message);

    // ---- visibility helpers ----
    virtual std::uint32_t VisibleDescendantCount(PLazyNode Node) const;
    virtual void RefreshAllChildrenHidden(PLazyNode Node);
    virtual void RefreshAllChildrenHiddenForAll();
    // A child of Parent was hidden, filtered or removed: the flag is recomputed now, or
    // for the whole tree when the update bracket ends.
    void ChildrenHiddenChanged(PLazyNode Parent);
    bool AnyVisibleSiblingAfter(PLazyNode Node) const;
    bool AnyVisibleSiblingBefore(PLazyNode Node) const;
    bool FirstVisibleChildIs(PLazyNode Parent, PLazyNode Node) const;
    bool LastVisibleChildIs(PLazyNode Parent, PLazyNode Node) const;

    // ---- heights ----
    virtual void FitDefaultNodeHeightToFont();
    virtual void FireMeasureItem(TCanvas* TargetCanvas, PLazyNode Node, int& NodeHeight);

    // ---- position cache ----
    virtual bool BuildPositionCache();
    void HandleWMValidateCache(TMessage& Message);

    // ---- component ----
    virtual TLazyTreeOptionsClass OptionsClass() const;
    // Creates the options object of the class OptionsClass names; a tree class that
    // names its own calls this in its constructor.
    void RecreateOptions();
    virtual std::unique_ptr<TLTHeader> CreateHeader() { return std::make_unique<TLTHeader>(this); }
    friend class TCustomLazyTreeOptions;
    friend struct TLTLazyNodeEnumeration;

    // ---- places the later parts of the control fill ----
    // Repaints one node (its row).
    virtual void InvalidateNode(PLazyNode Node);
    // Rebuilds the expand-button pictures.
    virtual void PrepareBitmaps();
    // The width of a node's text in a column.
    virtual int GetNodeWidth(PLazyNode Node, TColumnIndex Column) { return 0; }
    // Sizes of the pictures drawn beside a node (none while no image lists are set).
    virtual int NodeImageHeight(PLazyNode Node);
    virtual int StateImagesHeight() const;
    virtual int ButtonBitmapHeight() const { return 9; }

    // ---- scrolling ----
    virtual void FireScroll(int DeltaX, int DeltaY);
    // Clamps Value to the ranges and makes it the offset; false when nothing changed.
    virtual bool ApplyScrollOffset(TPoint Value, TScrollUpdateOptions Options, const TRect* ClipRect = nullptr);
    virtual void FireShowScrollBar(int Bar, bool Show);
    // The widest node in view with its indentation, plus the margin.
    virtual int WidestVisibleExtent();
    void HandleWMHScroll(TMessage& Message);
    void HandleWMVScroll(TMessage& Message);
    void HandleWMSize(TMessage& Message);
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    // The bar takes the range, page and position (the position clamped to what the page
    // allows) and answers the position it shows.
    int SetScrollBarInfo(int Bar, const TLTScrollBarInfo& Info, bool DisableNoScroll);
    TLTScrollBarInfo FHorzScrollBar, FVertScrollBar;
    std::unique_ptr<TScrollBarOptions> FScrollBarOptions;
    TBiDiMode FBiDiMode = bdLeftToRight;
    friend class TScrollBarOptions;

    // ---- the tree's own scroll bars ----
public:
    // Sent to the tree after its scroll bars or offsets changed: the bar controls follow.
    static constexpr unsigned CM_UPDATESCROLLBARS = 0xB802;
    // The client area is what the shown bars leave of the window.
    TRect ClientRect() const override;
    // The control that shows SB_HORZ or SB_VERT.
    TStyledScrollBar* ScrollBarControl(int Bar) const { return Bar == SB_VERT ? FVertBarControl : FHorzBarControl; }

protected:
    void HandleCMUpdateScrollBars();
    void PlaceScrollBars();
    void CreateScrollBarControls();

public:
    // Width of the vertical scroll bar while it shows, else 0.
    int VertScrollBarWidth() const;

protected:
    // The bar control shows what the tree's scroll information for Bar says.
    void SyncScrollBarControl(int Bar);
    TStyledScrollBar* FVertBarControl = nullptr;
    TStyledScrollBar* FHorzBarControl = nullptr;
    bool FPlacingScrollBars = false;
    // Which bars took room from the client area the last time the bars were placed.
    bool FPlacedVert = false, FPlacedHorz = false;

protected:
    // ---- appearance changes ----
    // The buttons are drawn on the tree's colour and the default node height follows the
    // font, so both are made anew when these change (not while loading: the stored
    // values are read then).
    void HandleCMColorChanged();
    virtual void HandleCMFontChanged();
    // The header's main column changed: a running edit ends and the accessibility layer
    // hears of the new name; tree classes drop what they measured for it.
    virtual void HandleMainColumnChange();

protected:

    // ---- the toggle animation ----
    enum TToggleScrollMode { smScrollUp, smScrollDown, smNoScroll };
    struct TToggleScrollData {
        TBaseLazyTree* Window = nullptr;
        TRect FirstBand, SecondBand;
        TToggleScrollMode FirstMode = smNoScroll, SecondMode = smNoScroll;
        double StepRatio = 0, StepRemainder = 0;
    };
    // Orders the bands, computes the step ratio and runs the animation over the larger
    // of the two distances.
    void PrepareToggleAnimation(TToggleScrollData& Data, int FirstDistance, int SecondDistance);
    bool ToggleAnimationStep(int Step, int StepSize, void* Data);
    // The bands of a collapse (true when a full repaint must follow) and of an expansion.
    bool AnimateCollapse(PLazyNode Node, int Change);
    void AnimateExpand(PLazyNode Node, int Change, TRect R, bool Fits, bool RoomAbove, bool RoomBelow,
                       bool BottomInView, bool ScrollableFit);
    // Scroll one band by Step pixels and fill the strip it uncovers; until the tree
    // paints, the band is repainted.
    virtual void ScrollAnimationUp(TRect Band, int Step);
    virtual void ScrollAnimationDown(TRect Band, int Step);

    // ---- selection and focus ----
    // Adds the nodes (the array is changed: rejected entries go, the rest is sorted);
    // true when any was added.
    bool AddNodesToSelection(std::vector<PLazyNode>& Nodes, int Count, bool Forced);
    void AddNodeToSelection(PLazyNode Node, bool Forced);
    virtual void FireFocusChanged(PLazyNode Node, TColumnIndex Column);
    virtual bool FireFocusChanging(PLazyNode OldNode, PLazyNode NewNode, TColumnIndex OldColumn, TColumnIndex NewColumn);
    virtual void ChangeFocusedNode(PLazyNode Value, bool Ask);
    virtual void FireRemoveFromSelection(PLazyNode Node);
    // Bisection over the address-sorted array: true when found; Index is the position of
    // the node or where it would go.
    bool FindInSelection(PLazyNode Node, int& Index, int HighBound = -1, int LowBound = -1) const;
    void CacheNode(PLazyNode Node);
    void ClearNodeCache();
    void ResetSelection();
    void RemoveFromSelectionDeferred(PLazyNode Node);
    // Takes a node that is going away out of the selection, also while it is locked.
    void ForgetSelectedNode(PLazyNode Node);
    // Drops the entries removed in bulk from the selection array.
    void CompactSelection();
    void UpdateNextNodeToSelect(PLazyNode Node);
    void ResetRangeAnchor();
    std::vector<PLazyNode> FTempNodeCache;
    std::uint32_t FTempNodeCount = 0;
    bool FSelectionLocked = false;

    // ---- mouse and key presses of check boxes and nodes ----
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    virtual void HandleMouseDown(TMouseButton Button, TShiftState Shift, THitInfo& HitInfo);
    virtual void HandleMouseUp(TMouseButton Button, TShiftState Shift, const THitInfo& HitInfo);
    virtual void ResolveHitPositionsLTR(THitInfo& HitInfo, int Offset, int Right, TAlignment Alignment);
    // Width of the check pictures (the built-in ones until image lists are set).
    virtual int CheckImageWidth() const { return 16; }
    TCheckState FPendingCheckState = csUncheckedNormal;

    // ---- the mouse: buttons and clicks, movement, hot tracking, cursors, wheel panning,
    // popup menus, the rubber band and automatic scrolling (treeview/input/) ----
public:
    TLTNodeClickEvent OnNodeClick, OnNodeDblClick;
    TLTColumnClickEvent OnColumnClick, OnColumnDblClick;
    TLTHotNodeChangeEvent OnHotChange;
    TLTGetCursorEvent OnGetCursor;
    TLTPopupEvent OnGetPopupMenu;
    TLTNodeHeightTrackingEvent OnNodeHeightTracking;
    TLTNodeHeightDblClickResizeEvent OnNodeHeightDblClickResize;
    TLTCanSplitterResizeNodeEvent OnCanSplitterResizeNode;
    TLTDragAllowedEvent OnDragAllowed;
    void SetHotCursor(TCursor Value) { FHotCursor = Value; }
    void SetAutoScrollDelay(std::uint32_t Value) { FAutoScrollDelay = Value; }
    void SetAutoScrollInterval(std::uint32_t Value) { FAutoScrollInterval = std::clamp<std::uint32_t>(Value, 1, 1000); }
    // The cursor the tree shows now (the splitter, the hot cursor, a panning arrow or its
    // own Cursor).
    TCursor ShownCursor() const { return FShownCursor; }
    // The point of the last accepted button press (client coordinates).
    TPoint LastClickPos() const { return FLastClickPos; }
    // The rubber band now and before the latest move, in tree coordinates, not normalised.
    TRect NewSelRect() const { return FNewSelRect; }
    TRect LastSelRect() const { return FLastSelRect; }
    TScrollDirections ScrollDirections() const { return FScrollDirections; }
    // Moves the rubber band's free corner to a client point; true when it changed.
    virtual bool UpdateSelectionRect(int X, int Y);
    // Selects (or with Ctrl at the press, toggles) what the band's change crossed; true
    // when the selection changed.
    bool ApplyDrawSelection();
    // May the tree scroll by itself now, where to for a client point, and one step.
    virtual bool AutoScrollAllowed();
    virtual TScrollDirections ScrollDirectionsAt(int X, int Y);
    virtual void ScrollOnTimer();
    // Whether a menu comes for a node (the tree's PopupMenu or OnGetPopupMenu), and
    // showing the menu OnGetPopupMenu gives at a client point.
    virtual bool HasPopupMenu(PLazyNode Node, TColumnIndex Column, TPoint P);
    virtual void ShowPopupMenu(PLazyNode Node, TColumnIndex Column, TPoint P);
    virtual void BeginWheelPanning(TPoint Position);
    virtual void EndWheelPanning();
    // The small picture at the press point while the wheel button pans (nil otherwise).
    TControl* PanningWindow() const { return FPanningWindow; }

protected:
    // Routes the mouse, focus, cursor and timer messages of this part before the
    // handlers of the rest of the tree; true when the message was taken.
    bool HandleInputMessage(TMessage& Message);
    void MouseMove(TShiftState Shift, int X, int Y) override;
    // Hot node, pending scrolls and the header's pressed and hovered columns go when the
    // pointer leaves.
    void HandleMouseLeave();
    virtual void HandleMouseDblClick(TMouseButton Button, TShiftState Shift, THitInfo& HitInfo);
    virtual void HandleHotTrack(int X, int Y);
    virtual void UpdatePanningCursor(int X, int Y);
    virtual void ScheduleAutoScroll(int X, int Y);
    // Works out and shows the cursor for a client point.
    virtual void UpdateCursor(int X, int Y);
    virtual void FireGetCursor(TCursor& Cursor);
    virtual TPopupMenu* FireGetPopupMenu(PLazyNode Node, TColumnIndex Column, TPoint P);
    virtual void FireHotChange(PLazyNode Old, PLazyNode New);
    virtual void FireNodeClick(const THitInfo& HitInfo);
    virtual void FireNodeDblClick(const THitInfo& HitInfo);
    virtual void FireColumnClick(TColumnIndex Column, TShiftState Shift);
    virtual void FireColumnDblClick(TColumnIndex Column, TShiftState Shift);
    virtual bool FireNodeHeightTracking(PLazyNode Node, TColumnIndex Column, TShiftState Shift, TPoint& TrackPoint,
                                        TPoint P);
    virtual bool FireNodeHeightDblClickResize(PLazyNode Node, TColumnIndex Column, TShiftState Shift, TPoint P);
    virtual bool FireDragAllowed(PLazyNode Node, TColumnIndex Column);
    bool NodeSplitterAllowed(TPoint P, PLazyNode Node, TColumnIndex Column);
    virtual void ResolveHitPositionsRTL(THitInfo& HitInfo, int Offset, int Right, TAlignment Alignment);
    bool CollectRectNodesLTR(TColumnIndex MainColumn, int MainColumnLeft, TRect NewRect, TRect OldRect,
                             TAlignment Alignment, int MaxRight);
    bool CollectRectNodesRTL(TColumnIndex MainColumn, int MainColumnLeft, TRect NewRect, TRect OldRect,
                             TAlignment Alignment, int MaxRight);
    // A header drag, resize or tracking owns the mouse until it ends.
    bool HeaderTracking() const;
    // The indentation of a node in the main column (levels, the root's, or a fixed one).
    int NodeIndentation(PLazyNode Node) const;
    // A node the band's change crossed: into the selection or out of it.
    void ChangeBandNode(PLazyNode Node, bool InNew, bool Toggle);
    // Client point to tree coordinates (the rows start below the header).
    TPoint ClientToTree(int X, int Y) const;
    // The tree's own timer 4 tick: the first switches from the delay to the interval.
    void HandleScrollTimer();
    void ShowTreeCursor(TCursor Cursor);
    TPoint FLastClickPos;
    TRect FLastSelRect;
    TShiftState FDrawSelShiftState;
    TScrollDirections FScrollDirections;
    std::uint32_t FDragScrollStart = 0;
    PLazyNode FHeightTrackNode = nullptr;
    TColumnIndex FHeightTrackColumn = NoColumnIndex;
    TPoint FHeightTrackPoint;
    bool FHotNodeButtonHit = false;
    TCursor FShownCursor = crDefault;
    TCursor FPanningCursor = crDefault;
    TControl* FPanningWindow = nullptr;
    // ---- end of the mouse ----

    // ---- fields ----
    PLazyNode FRoot = nullptr;
    int FNodeDataSize = -1;
    std::uint32_t FTotalInternalDataSize = 0;
    std::uint32_t FDefaultNodeHeight = 18;
    std::uint32_t FUpdateCount = 0;
    std::uint32_t FSynchUpdateCount = 0;
    TLazyTreeStates FStates;
    std::uint32_t FChangeDelay = 0;
    PLazyNode FLastChangedNode = nullptr;
    PLazyNode FLastStructureChangeNode = nullptr;
    TChangeReason FLastStructureChangeReason = crIgnore;
    std::uint32_t FOperationCount = 0;
    bool FOperationCanceled = false;
    std::uint32_t FVisibleCount = 0;

    PLazyNode FNextNodeToSelect = nullptr;
    std::vector<TNodeArrayEntry> FSelection;
    std::uint32_t FSelectionCount = 0;
    PLazyNode FFocusedNode = nullptr;
    PLazyNode FLastSelected = nullptr;
    PLazyNode FCurrentHotNode = nullptr;
    PLazyNode FDropTargetNode = nullptr;
    PLazyNode FRangeAnchor = nullptr;
    PLazyNode FCheckNode = nullptr;
    PLazyNode FLastVCLDragTarget = nullptr;
    PLazyNode FLastSearchNode = nullptr;
    String FSearchBuffer;

    int FOffsetX = 0, FOffsetY = 0, FEffectiveOffsetX = 0;
    int FRangeX = 0, FRangeY = 0;
    std::uint32_t FBottomSpace = 0;

    TCache FPositionCache;
    std::uint32_t FStartIndex = 0;

    std::unique_ptr<TCustomLazyTreeOptions> FOptions;
    std::unique_ptr<TLTHeader> FHeader;
    bool FLoading = false;

    TLTNodeAlignment FNodeAlignment = naProportional;
    TColumnIndex FFocusedColumn = NoColumnIndex;
    int FIndent = 18, FMargin = 4, FTextMargin = 4;
    std::uint32_t FAnimationDuration = 200, FAutoExpandDelay = 1000, FAutoScrollDelay = 1000, FAutoScrollInterval = 1;
    std::uint32_t FEditDelay = 1000, FIncrementalSearchTimeout = 1000;
    TLTIncrementalSearch FIncrementalSearch = isNone;
    TLTSearchDirection FIncrementalSearchDirection = sdForward;
    TLTSearchStart FIncrementalSearchStart = ssFocusedNode;
    bool FWantTabs = false;
    TLTButtonStyle FButtonStyle = bsRectangle;
    TLTButtonFillMode FButtonFillMode = fmTreeColor;
    TLTLineStyle FLineStyle = lsDotted;
    TLTLineMode FLineMode = lmNormal;
    TCheckImageKind FCheckImageKind = ckSystemDefault;
    TLTDrawSelectionMode FDrawSelectionMode = smDottedRectangle;
    int FSelectionBlendFactor = 128;
    std::uint32_t FSelectionCurveRadius = 0;
    TLTHintAnimationType FHintAnimation = hatSystemDefault;
    TLTHintMode FHintMode = hmDefault;
    TBorderStyle FBorderStyle = bsSingle;
    TAlignment FAlignment = taLeftJustify;
    String FEmptyListMessage;
    int FBackgroundOffsetX = 0, FBackgroundOffsetY = 0;
    TCursor FHotCursor = crDefault;
    TLTNodeAttachMode FDefaultPasteMode = amAddChildLast;
    int FDragHeight = 350, FDragWidth = 200;
    TLTDragImageKind FDragImageKind = diComplete;
    TDragOperations FDragOperations = TDragOperations{doCopy, doMove};
    TLTDragType FDragType = dtOLE;
    String FAccessibleName;
    int FLastSelectionLevel = -1;


    // ---- keyboard: navigation, key actions, incremental search (treeview/input/BaseLazyTree_Keys.cpp) ----
public:
    void SetIncrementalSearchDirection(TLTSearchDirection Value) { FIncrementalSearchDirection = Value; }
    void SetIncrementalSearchStart(TLTSearchStart Value) { FIncrementalSearchStart = Value; }
    void SetIncrementalSearchTimeout(std::uint32_t Value) { FIncrementalSearchTimeout = Value; }
    // What was typed of the running search, and where it last hit.
    const String& SearchBuffer() const { return FSearchBuffer; }
    PLazyNode LastSearchNode() const { return FLastSearchNode; }
    // May change a key and its shift state, or keep the tree from reacting (DoDefault false).
    std::function<void(TBaseLazyTree*, WORD&, TShiftState&, bool&)> OnKeyAction;
    // Result 0 when Node matches the text typed so far.
    std::function<void(TBaseLazyTree*, PLazyNode, const String&, int&)> OnIncrementalSearch;

protected:
    void KeyPress(WideChar& Key) override;
    virtual bool FireKeyAction(WORD& CharCode, TShiftState& Shift);
    // One search step for a typed character (8 = Backspace, 0 only rearms the timeout).
    virtual void HandleIncrementalSearch(WORD CharCode);
    virtual int FireIncrementalSearch(PLazyNode Node, const String& Text);
    // The search timeout ran out: the next character starts a new search.
    void EndIncrementalSearch();
    // The cursor and page keys, Backspace and Tab; false when the key is not one of them.
    bool HandleNavigationKey(WORD Key, TShiftState Shift);
    void HandleCommandKey(WORD Key, TShiftState Shift);
    void ReleaseKeyCheck();

    // ---- the window: dialog codes, theme and reading-direction changes, the standard
    // edit actions, help (treeview/input/BaseLazyTree_Window.cpp) ----
public:
    // Tab goes to the tree (column and row moves) instead of to the next control.
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    // The help topic of the tree itself, for F1 when no node names one.
    int HelpContext() const { return FHelpContext; }
    void SetHelpContext(int Value) { FHelpContext = Value; }
    // The system's look (visual style) changed.
    static constexpr unsigned WM_THEMECHANGED = 0x031A;
    // Asks for the look of a visual-style class ("explorer", or "" for the plain one); the
    // change this causes does not rebuild the window.
    void ApplyWindowTheme(const String& ClassName);
    const String& WindowTheme() const { return FWindowTheme; }
    // The standard edit commands aimed at the tree: true when Action was one of them.
    virtual bool ExecuteAction(TLTEditAction Action);
    // The help context of a node and column (0: none, ask the parent node).
    std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, int&)> OnGetHelpContext;
    // The hint animation in effect: the system's choice resolved (the toolkit reports
    // no tooltip animation of the desktop, so it is none), fading only where the
    // processor can blend fast.
    virtual TLTHintAnimationType GetEffectiveHintAnimation();
    // The processor has the instructions fast blending uses.
    static bool SystemHasMmx();
    // How often the window was rebuilt after a change of the system's look.
    int WindowRebuilds() const { return FWindowRebuilds; }

protected:
    // Dialog codes, theme and reading-direction changes, the rebuild timer; true when taken.
    bool HandleWindowMessage(TMessage& Message);
    // What creating the window works out again: the look, the default height for the
    // font, the button pictures, the scroll bars.
    virtual void RebuildWindow();
    // The reading direction changed: the bar position and, by option, the column order follow.
    void HandleBiDiModeChanged();
    // Entering the tree by focus keeps one node selected where the option asks for it.
    void DoEnter() override;
    // Fills what Item's mask asks of the node it names; false when it names none.
    bool HandleTVMGetItem(TVITEMW& Item);
    // F1: the help context of the focused node, its ancestors, the tree or its parents.
    void ShowContextHelp();
    bool FChangingTheme = false;
    String FWindowTheme;
    int FHelpContext = 0;
    int FWindowRebuilds = 0;

    // ---- in-place editing (treeview/edit/BaseLazyTree_Edit.cpp) ----
public:
    // Focuses Node and opens its editor for Column (-1 without columns); true while editing.
    bool EditNode(PLazyNode Node, TColumnIndex Column);
    virtual bool CanEdit(PLazyNode Node, TColumnIndex Column);
    // Ends the edit storing the text (false when the editor refuses); a pending edit is dropped.
    bool EndEditNode();
    // Ends the edit without storing; a pending edit is dropped.
    bool CancelEditNode();
    bool IsEditing() const { return FStates.Contains(tsEditing); }
    const ILTEditLinkPtr& EditLink() const { return FEditLink; }
    TColumnIndex EditColumn() const { return FEditColumn; }
    void SetEditDelay(std::uint32_t Value) { FEditDelay = Value; }
    // Opens the editor on the focused node for the edit column (also when the edit delay
    // runs out after a click).
    virtual void StartEdit();
    virtual bool FinishEdit();
    virtual bool AbortEdit();
    // Places the editor over the focused node's text.
    virtual void UpdateEditBounds();
    std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, bool&)> OnEditing;
    std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, ILTEditLinkPtr&)> OnCreateEditor;
    std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex)> OnEdited;
    std::function<void(TBaseLazyTree*, TColumnIndex)> OnEditCancelled;

protected:
    virtual void FireEditing(PLazyNode Node, TColumnIndex Column, bool& Allowed);
    virtual ILTEditLinkPtr FireCreateEditor(PLazyNode Node, TColumnIndex Column);
    ILTEditLinkPtr FEditLink;

    // ---- hints and tooltips (treeview/hints/BaseLazyTree_Hints.cpp) ----
public:
    void SetHintMode(TLTHintMode Value) { FHintMode = Value; }
    void SetHintAnimation(TLTHintAnimationType Value) { FHintAnimation = Value; }
    // The cell's hint, and its tooltip (base: the control's Hint).
    virtual String GetHintText(PLazyNode Node, TColumnIndex Column, TLTTooltipLineBreakStyle& LineBreakStyle);
    virtual String GetTooltipText(PLazyNode Node, TColumnIndex Column, TLTTooltipLineBreakStyle& LineBreakStyle);
    virtual TLTHintKind DefaultHintKind() const { return vhkText; }
    virtual THintWindowClass HintWindowClass() const;
    void FireGetHintKind(PLazyNode Node, TColumnIndex Column, TLTHintKind& Kind);
    virtual void FireGetHintSize(PLazyNode Node, TColumnIndex Column, TRect& R);
    void FireDrawHint(TCanvas* Canvas, PLazyNode Node, const TRect& R, TColumnIndex Column);
    // The font, text rectangle and text an editor or tooltip of the cell uses.
    virtual void GetTextInfo(PLazyNode Node, TColumnIndex Column, TFont* AFont, TRect& R, String& Text);
    // The client area the last hint belongs to (empty when none was produced).
    const TRect& LastHintRect() const { return FLastHintRect; }
    const TLTHintData& HintData() const { return FHintData; }
    std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, TRect&)> OnGetHintSize;
    std::function<void(TBaseLazyTree*, TCanvas*, PLazyNode, const TRect&, TColumnIndex)> OnDrawHint;
    std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, TLTHintKind&)> OnGetHintKind;

protected:
    // The toolkit asks whether and which hint to show at the pointer.
    void DoHintShow(THintInfo& Info) override;
    TLTHintData FHintData;
    TRect FLastHintRect;

    // ---- printing and appearance changes (treeview/paint/BaseLazyTree_Appearance.cpp) ----
public:
    // Prints the whole tree (and the header above it when asked and shown), cut into
    // pages of the printer's size, row of pages by row of pages. Nothing without a printer.
    virtual void Print(TPrinter* Printer, bool PrintHeader);
    // Scales the tree's sizes by M / D: heights (header, default node height) with
    // sfHeight, the indentation with sfWidth; only with toAutoChangeScale.
    virtual void ApplyScale(int M, int D, TScalingFlags Flags);

    // ---- painting: rows, lines and buttons, images, highlighting (treeview/paint/) ----
public:
    // Paints Window (tree coordinates) of the tree into TargetCanvas with its top-left
    // corner at Target.
    virtual void PaintTree(TCanvas* TargetCanvas, TRect Window, TPoint Target, TLTInternalPaintOptions PaintOptions);
    TLTColors* Colors() { return &FColors; }
    void SetColors(const TLTColors& Value) { FColors.Assign(Value); }
    void SetLineStyle(TLTLineStyle Value);
    void SetLineMode(TLTLineMode Value);
    void SetCheckImageKind(TCheckImageKind Value);
    void SetDrawSelectionMode(TLTDrawSelectionMode Value);
    void SetSelectionBlendFactor(int Value);
    void SetEmptyListMessage(const String& Value);
    void SetAlignment(TAlignment Value);
    void SetMargin(int Value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    TImageList* StateImages() const { return FStateImages; }
    void SetStateImages(TImageList* Value);
    TImageList* CustomCheckImages() const { return FCustomCheckImages; }
    void SetCustomCheckImages(TImageList* Value);
    // The check image list in use (nil for custom images that are not set).
    TImageList* CheckImages() const { return FCheckImages; }
    // The built-in list of a kind (nil for ckCustom); shared by all trees.
    static TImageList* GetCheckImageList(TCheckImageKind Kind);
    // The node under the mouse, as hot tracking sets it.
    PLazyNode HotNode() const { return FCurrentHotNode; }
    void SetHotNode(PLazyNode Node);
    PLazyNode DropTargetNode() const { return FDropTargetNode; }
    void SetDropTarget(PLazyNode Node, TDropMode Mode);
    // The rubber band of a mouse selection, in tree coordinates.
    void SetNewSelRect(const TRect& R) { FNewSelRect = R; }
    // The button pictures of a collapsed and an expanded node (normal, hot, selected-hot).
    TBitmap* PlusBitmap() const { return FPlusBM.get(); }
    TBitmap* MinusBitmap() const { return FMinusBM.get(); }
    // Rebuilds the button pictures and (for the line style) the dot pattern.
    void PrepareBitmapsFor(bool NeedButtons, bool NeedLines);
    // The line image of a node; the number of its selected ancestors.
    virtual int ComputeLineImage(PLazyNode Node, TLineImage& LineImage);
    bool NodeHasImage(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column);
    // Width and height of the normal images; (0, 0) without them.
    TPoint GetNodeImageSize(PLazyNode Node);

    std::function<void(TBaseLazyTree*, TCanvas*)> OnBeforePaint, OnAfterPaint;
    std::function<void(TBaseLazyTree*, TCanvas*, PLazyNode, const TRect&, bool&)> OnBeforeItemPaint;
    std::function<void(TBaseLazyTree*, TCanvas*, PLazyNode, const TRect&)> OnAfterItemPaint, OnAfterItemErase;
    std::function<void(TBaseLazyTree*, TCanvas*, PLazyNode, const TRect&, TColor&, TItemEraseAction&)>
        OnBeforeItemErase;
    std::function<void(TBaseLazyTree*, TCanvas*, PLazyNode, TColumnIndex, TLTCellPaintMode, const TRect&, TRect&)>
        OnBeforeCellPaint;
    std::function<void(TBaseLazyTree*, TCanvas*, PLazyNode, TColumnIndex, const TRect&)> OnAfterCellPaint;
    std::function<void(TBaseLazyTree*, TCanvas*, const TRect&, bool&)> OnPaintBackground;
    std::function<void(TBaseLazyTree*, PLazyNode, TColumnIndex, bool&)> OnGetCellIsEmpty;
    std::function<void(TBaseLazyTree*, PLazyNode, int, int&)> OnBeforeDrawTreeLine;
    std::function<void(TBaseLazyTree*, PLazyNode, TLTImageKind, TColumnIndex, bool&, int&)> OnGetImageIndex;
    std::function<void(TBaseLazyTree*, PLazyNode, TLTImageKind, TColumnIndex, bool&, int&, TImageList*&)>
        OnGetImageIndexEx;

protected:
    void Paint() override;
    // Height of the header strip over the client area's top (0 while hidden), and what
    // is left of the client area for the rows below it.
    int HeaderAreaHeight() const;
    int RowAreaHeight() const { return std::max(0, ClientHeight() - HeaderAreaHeight()); }
    void PaintFreeColumns(TCanvas* Canvas, const TRect& Free, int ShiftX, TLTInternalPaintOptions PaintOptions);
    virtual bool IsCellEmpty(PLazyNode Node, TColumnIndex Column);
    // The column painted after this cell; a tree class may widen the cell over empty
    // columns first (those are then passed over).
    virtual void SpanEmptyColumns(TLTPaintInfo& PaintInfo, TColumnIndex& NextNonEmpty);
    virtual void FireAfterCellPaint(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, const TRect& CellRect);
    virtual void FireAfterItemErase(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect);
    virtual void FireAfterItemPaint(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect);
    virtual void FireAfterPaint(TCanvas* Canvas);
    virtual void FireBeforeCellPaint(TCanvas* Canvas, PLazyNode Node, TColumnIndex Column, TLTCellPaintMode Mode,
                                     const TRect& CellRect, TRect& ContentRect);
    virtual void FireBeforeItemErase(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect, TColor& Color,
                                     TItemEraseAction& EraseAction);
    virtual bool FireBeforeItemPaint(TCanvas* Canvas, PLazyNode Node, const TRect& ItemRect);
    virtual void FireBeforePaint(TCanvas* Canvas);
    virtual bool FirePaintBackground(TCanvas* Canvas, const TRect& R);
    // The cell's content (text in the string tree); nothing in the base tree.
    virtual void PaintNode(TLTPaintInfo& PaintInfo) {}
    void PaintNodeBackground(TLTPaintInfo& PaintInfo, const TRect& R);
    // Lines and buttons.
    virtual void FireBeforeDrawTreeLine(PLazyNode Node, int Level, int& PosX);
    virtual void DrawDottedHLine(const TLTPaintInfo& PaintInfo, int Left, int Right, int Top);
    virtual void DrawDottedVLine(const TLTPaintInfo& PaintInfo, int Top, int Bottom, int Left,
                                 bool UseSelectedBkColor = false);
    virtual void PaintNodeButton(const TLTPaintInfo& PaintInfo, int ButtonX, int ButtonY);
    virtual void PaintTreeLines(const TLTPaintInfo& PaintInfo, int VAlign, int IndentSize, const TLineImage& LineImage);
    void DrawLineSegment(const TLTPaintInfo& PaintInfo, int X, int Top, int Height, int MidY, TLTLineType Style,
                         bool Reverse);
    // Images.
    virtual TImageList* FireGetImageIndex(PLazyNode Node, TLTImageKind Kind, TColumnIndex Column, bool& Ghosted,
                                          int& Index);
    void FetchImageInfo(TLTPaintInfo& PaintInfo, TLTImageKind Kind, TLTImageInfoIndex InfoIndex,
                        TImageList* DefaultImages);
    virtual void PlaceImage(TImageList* Images, TBiDiMode BidiMode, int VAlign, TRect& ContentRect,
                            TLTImageInfo& ImageInfo);
    virtual void PaintCheckImage(const TLTPaintInfo& PaintInfo, const TLTImageInfo& ImageInfo, bool Selected);
    virtual void PaintImage(TLTPaintInfo& PaintInfo, TLTImageInfoIndex InfoIndex, bool DoOverlay);
    // Highlighting.
    virtual void PaintCellSelection(TLTPaintInfo& PaintInfo, int MaxWidth);
    virtual void PaintSelectionRectangle(const TLTPaintInfo& PaintInfo, const TRect& VisibleRect, TRect SelectionRect);
    // The focused look: the keyboard focus, or a popup tree that shows it anyway.
    bool HasFocusedLook() const;

    TLTColors FColors{this};
    std::unique_ptr<TBitmap> FPlusBM, FMinusBM, FHotPlusBM, FHotMinusBM, FSelectedHotPlusBM, FSelectedHotMinusBM;
    TImageList* FImages = nullptr;
    TImageList* FStateImages = nullptr;
    TImageList* FCustomCheckImages = nullptr;
    TImageList* FCheckImages = nullptr;
    TRect FNewSelRect;
    TRect FUpdateRect;
    TDropMode FLastDropMode = dmNowhere;
    TColumnIndex FCurrentHotColumn = NoColumnIndex;
    TColumnIndex FEditColumn = NoColumnIndex;
    // ---- end of painting ----

    // ---- accessibility (treeview/access/) ----
public:
    // The accessible objects of the tree window and of its items, made by the registered
    // providers on the first request; with an item object the tree announces changes.
    const std::shared_ptr<IAccessible>& Accessible() const { return FAccessible; }
    void SetAccessible(std::shared_ptr<IAccessible> Value) { FAccessible = std::move(Value); }
    const std::shared_ptr<IAccessible>& AccessibleItem() const { return FAccessibleItem; }
    void SetAccessibleItem(std::shared_ptr<IAccessible> Value) { FAccessibleItem = std::move(Value); }
    // Kept for providers; the tree itself does not read it.
    void SetAccessibleName(const String& Value) { FAccessibleName = Value; }

protected:
    // WM_GETOBJECT: makes the objects when providers exist; answers OBJID_CLIENT with the
    // tree window's object (0 without one) and leaves other ids to the default handling.
    void HandleWMGetObject(TMessage& Message);
    // Announces changes of the tree window while an item object exists.
    void NotifyAccessibleEvents(std::initializer_list<unsigned> Events);
    // Declared so that the item object is released before the window's object.
    std::shared_ptr<IAccessible> FAccessible;
    std::shared_ptr<IAccessible> FAccessibleItem;
    // ---- background picture (treeview/paint/BaseLazyTree_Background.cpp) ----
public:
    // The picture behind the rows, shown with toShowBackground: tiled over the whole view,
    // or once at the background offset with toStaticBackground. It stays where it is in
    // the view while the rows scroll.
    TPicture* Background() const { return FBackground.get(); }
    void SetBackground(const TPicture* Value);
    // Index 0 sets the x offset, 1 the y offset.
    void SetBackgroundOffset(int Index, int Value);

protected:
    // R is in Canvas's coordinates; Offset turns them into view coordinates (the client
    // area below the header, unscrolled).
    virtual void PaintStaticBackground(TCanvas* Canvas, TRect R, TPoint Offset);
    virtual void PaintTiledBackground(TCanvas* Canvas, TRect R, TPoint Offset);
    // Whether a paint with these options shows the picture.
    bool UseBackgroundPicture(TLTInternalPaintOptions PaintOptions) const;
    std::unique_ptr<TPicture> FBackground = std::make_unique<TPicture>();
    // ---- end of background picture ----

    // ---- built-in pictures and system colours (treeview/paint/BaseLazyTree_Images.cpp) ----
public:
    // The small pictures the header and the check boxes share: 0 and 1 the drop marks at
    // a cell's left and right edge, 2 and 3 sort arrows down and up, 4 and 5 the same in
    // the themed look. 16 × 16 each, shared by all trees.
    static TImageList* GetUtilityImageList();
    // Draws the built-in lists again in the system colours of now, in place, so that trees
    // holding them keep their pointers.
    static void ReloadSystemColorImages();

protected:
    // The system's colours changed: the built-in pictures follow, then the tree repaints.
    virtual void HandleCMSysColorChange();
    // ---- end of built-in pictures ----

    // ---- window frame: bevel and border width (treeview/paint/BaseLazyTree_Frame.cpp) ----
public:
    enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
    enum TBevelEdge { beLeft, beTop, beRight, beBottom };
    using TBevelEdges = TSet<TBevelEdge>;
    TBevelKind BevelKind() const { return FBevelKind; }
    void SetBevelKind(TBevelKind Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    TBevelEdges BevelEdges() const { return FBevelEdges; }
    void SetBevelEdges(TBevelEdges Value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    // A frame of this width in BorderColor inside the bevel.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    // What the window's own border takes from each side, as a negative size; the toolkit's
    // child windows have none, so (0, 0).
    virtual TPoint GetBorderDimensions() const;
    // Right to left the vertical bar stands left of the rows, in the frame: its width then.
    int LeftScrollBarWidth() const;
    // The width the frame holds for a vertical bar at the left (0 when it holds none).
    int LeftScrollBarInFrame() const { return FLeftBarInFrame ? TStyledScrollBar::Size : 0; }

protected:
    // Draws the bevel and the border-width frame in window coordinates.
    virtual void PaintNonClientBorder(TCanvas* Canvas);
    void PaintNonClient() override;
    // The frame's widths at each side, given to the toolkit as the non-client inset; right
    // to left it holds the vertical scroll bar at the left too.
    void UpdateFrame();
    bool FLeftBarInFrame = false;
    TBevelKind FBevelKind = bkNone;
    TBevelCut FBevelInner = bvRaised, FBevelOuter = bvLowered;
    TBevelEdges FBevelEdges{beLeft, beTop, beRight, beBottom};
    int FBevelWidth = 1, FBorderWidth = 0;
    bool FCtl3D = true;
    // ---- end of window frame ----

    // ---- clipboard, data exchange, drag and drop, the drag image (treeview/transfer/) ----
public:
    // The format names this tree's data objects may offer (sorted; empty by default).
    TClipboardFormats* ClipboardFormats();
    void SetClipboardFormats(const std::vector<String>& Value);
    // The formats a data object of this tree offers, in the order offered.
    virtual void ListClipboardFormats(TFormatEtcArray& Formats);
    virtual void CopyToClipboard();
    virtual void CutToClipboard();
    virtual bool PasteFromClipboard();
    void FlushClipboard();
    void CancelCutOrCopy();
    void FinishCutOrCopy();
    std::uint32_t CutCopyCount();
    // The marked nodes in tree order; with Resolve, no node together with an ancestor.
    std::vector<PLazyNode> GetSortedCutCopySet(bool Resolve);
    void SetDefaultPasteMode(TLTNodeAttachMode Value) { FDefaultPasteMode = Value; }
    // Inserts what DataObject carries at TargetNode (nil: the root); Optimized moves the
    // nodes of Source (a tree of this process) instead of copying the tree data.
    bool ProcessOLEData(TBaseLazyTree* Source, const IDataObjectPtr& DataObject, PLazyNode TargetNode,
                        TLTNodeAttachMode Mode, bool Optimized);
    // The living tree of this process the data came from, else nil.
    virtual TBaseLazyTree* SourceTreeOf(const IDataObjectPtr& DataObject);
    virtual HRESULT RenderDataFormat(const TFormatEtc& FormatEtcIn, TStgMedium& Medium, bool ForClipboard);
    // The node chunks a data object carries: the cut/copy set or the selection, resolved.
    void WriteTreeData(TStream& Stream, bool ForClipboard);
    // This tree's token in data it hands out, and the living tree of a token (nil when
    // that tree is gone or the token was never given).
    std::uint32_t TransferToken() const { return FTransferToken; }
    static TBaseLazyTree* LivingTree(std::uint32_t Token);

    void SetDragType(TLTDragType Value) { FDragType = Value; }
    void SetDragOperations(TDragOperations Value) { FDragOperations = Value; }
    void SetDragImageKind(TLTDragImageKind Value) { FDragImageKind = Value; }
    void SetDragWidth(int Value) { FDragWidth = Value; }
    void SetDragHeight(int Value) { FDragHeight = Value; }
    void SetAutoExpandDelay(std::uint32_t Value) { FAutoExpandDelay = Value; }
    // A drag of the selection: after the threshold (-1: the system's), or at once.
    void BeginDrag(bool Immediate, int Threshold = -1);
    bool Dragging() const;
    // For OnDragDrop handlers: inserts the dropped data by the effect; a move between
    // trees of this process moves the nodes and answers effect none.
    bool ProcessDrop(const IDataObjectPtr& DataObject, PLazyNode TargetNode, int& Effect, TLTNodeAttachMode Mode);
    ILTDragManager* DragManager();
    TLTDragImage* DragImage();
    // Renders the selected nodes around HotSpot (client point) into the drag picture.
    virtual void PrepareDragImage(TPoint HotSpot, const IDataObjectPtr& DataObject);
    virtual bool UsesDragImage() const { return FDragImageKind != diNoImage; }
    TDropMode LastDropMode() const { return FLastDropMode; }
    int LastDragEffect() const { return FLastDragEffect; }
    const std::vector<PLazyNode>& DragSelection() const { return FDragSelection; }
    // The drop target side; points are screen points, KeyState the MK_ flags.
    virtual HRESULT HandleDragEnter(unsigned KeyState, TPoint Pt, int& Effect);
    virtual HRESULT HandleDragOver(TBaseLazyTree* Source, unsigned KeyState, TDragState State, TPoint Pt, int& Effect);
    virtual void HandleDragLeave();
    virtual HRESULT HandleDrop(const IDataObjectPtr& DataObject, unsigned KeyState, TPoint Pt, int& Effect);
    // Registers or revokes the window as a drop target by toAcceptOLEDrop.
    void UpdateDropTargetRegistration();

    std::function<void(TBaseLazyTree*, IDataObjectPtr&)> OnCreateDataObject;
    std::function<void(TBaseLazyTree*, const TFormatEtc&, TStgMedium&, bool, HRESULT&)> OnRenderOLEData;
    std::function<void(TBaseLazyTree*, TFormatEtcArray&)> OnGetUserClipboardFormats;
    std::function<void(TBaseLazyTree*, TBaseLazyTree*, TShiftState, TDragState, TPoint, TDropMode, int&, bool&)>
        OnDragOver;
    std::function<void(TBaseLazyTree*, TBaseLazyTree*, const IDataObjectPtr&, const TFormatArray&, TShiftState, TPoint,
                       int&, TDropMode)>
        OnDragDrop;
    std::function<void(TBaseLazyTree*, std::shared_ptr<ILTDragManager>&)> OnCreateDragManager;
    std::function<void(TBaseLazyTree*)> OnStartDrag;
    std::function<void(TBaseLazyTree*, TPoint)> OnEndDrag;

protected:
    virtual void FireGetUserClipboardFormats(TFormatEtcArray& Formats);
    virtual IDataObjectPtr FireCreateDataObject();
    virtual HRESULT FireRenderOLEData(const TFormatEtc& FormatEtcIn, TStgMedium& Medium, bool ForClipboard);
    virtual TDropMode DropModeAt(TPoint P, const THitInfo& HitInfo, const TRect& R);
    virtual std::shared_ptr<ILTDragManager> FireCreateDragManager();
    virtual void RunOLEDrag(TPoint HotSpot);
    virtual void ExpandDropTarget();
    virtual bool FireDragOver(TBaseLazyTree* Source, TShiftState Shift, TDragState State, TPoint Pt, TDropMode Mode,
                              int& Effect);
    virtual void FireDragDrop(TBaseLazyTree* Source, const IDataObjectPtr& DataObject, const TFormatArray& Formats,
                              TShiftState Shift, TPoint Pt, int& Effect, TDropMode Mode);
    // The drop mark of the drop target node above or below R (client coordinates).
    virtual void PaintDropMark(TCanvas* Canvas, PLazyNode Node, const TRect& R);
    virtual int RunDragLoop(int Allowed, const IDataObjectPtr& DataObject, int& Effect);
    virtual void FinishDrag();
    virtual int ProposeDropEffect(TBaseLazyTree* Source, TShiftState Shift, TPoint Pt, int AllowedEffects);
    // One scroll step of a drag over the tree (client point); true when the window scrolled.
    bool DragScrollStep(int X, int Y, TScrollUpdateOptions Options);
    // A drag of the toolkit's drag and drop is over this tree now.
    bool IsCurrentDropTarget() const;
    friend class TLTDragManager;
    // Made with the tree, gone before its nodes: the token, the drop target, the clipboard.
    void PrepareTransfer();
    void ReleaseTransfer();
    std::shared_ptr<TLTTransferState> FTransfer;
    std::uint32_t FTransferToken = 0;
    std::vector<PLazyNode> FDragSelection;
    int FDragThreshold = 4;
    int FLastDragEffect = 0;
    // ---- end of the clipboard and drag and drop ----
private:
    // Node blocks of one size, taken from large chunks; freed blocks are reused and the
    // chunks go back when the last node is gone.
    class TNodePool {
    public:
        ~TNodePool() { Release(); }
        void* Take(std::size_t BlockSize);
        void Give(void* Block);
        void Release();
        std::size_t BlockSize() const { return FBlockSize; }
        std::size_t Live() const { return FLive; }
        std::size_t ReservedBytes() const { return FReserved; }
    private:
        static constexpr std::size_t LargeChunk = std::size_t(2) << 20;
        std::vector<char*> FChunks;
        std::size_t FBlockSize = 0, FChunkBytes = 0, FUsedInLast = 0, FLive = 0, FReserved = 0;
        void* FFree = nullptr;
    };
    TNodePool FPool;

    // The type held in every node's user data area, when one was set.
    struct TUserDataType {
        const std::type_info* Type = nullptr;
        void (*Construct)(void*) = nullptr;
        void (*Destroy)(void*) = nullptr;
    };
    TUserDataType FUserDataType;
    void SetUserDataType(const TUserDataType& Type, int Size);
    void CheckTypedAccess(const std::type_info& Type, std::size_t Size, bool TriviallyCopyable) const;
    void CreateRootNode();
    std::size_t NodeBlockSize() const;
    bool FValidationPosted = false;
    bool FTreeDestroying = false;
    // Delivers a recorded structure change now, or starts its timer when it is delayed.
    void DeliverPendingStructureChange();
    // The visible walks in both forms (Init: initialise the nodes looked at).
    PLazyNode FirstVisibleImpl(PLazyNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered, bool Init);
    PLazyNode NextVisibleImpl(PLazyNode Node, bool ConsiderChildrenAbove, bool Init, bool IncludeFiltered = false);
    PLazyNode PreviousVisibleImpl(PLazyNode Node, bool ConsiderChildrenAbove, bool Init);
    PLazyNode LastVisibleImpl(PLazyNode Node, bool ConsiderChildrenAbove, bool IncludeFiltered, bool Init);
    PLazyNode FirstVisibleChildImpl(PLazyNode Node, bool IncludeFiltered, bool Init);
    PLazyNode LastVisibleChildImpl(PLazyNode Node, bool IncludeFiltered, bool Init);
    PLazyNode NextVisibleSiblingImpl(PLazyNode Node, bool IncludeFiltered, bool Init);
    PLazyNode PreviousVisibleSiblingImpl(PLazyNode Node, bool IncludeFiltered, bool Init);
    // Where a walk from a node that is not shown goes on: the ancestor-or-self whose
    // subtree is to be passed over, and whether that is a collapsed, shown ancestor.
    PLazyNode HiddenWalkStart(PLazyNode Node, bool& CollapsedAncestor);
    bool FValidationQueued = false;

public:
    // Bytes the node store holds now (chunks of blocks), for measurements.
    std::size_t NodeStoreBytes() const { return FPool.ReservedBytes(); }
};

template <class T>
void TBaseLazyTree::SetNodeDataType()
{
    static_assert(alignof(T) <= 8, "user data is 8-byte aligned");
    TUserDataType t;
    t.Type = &typeid(T);
    if constexpr (!std::is_trivially_default_constructible_v<T>) t.Construct = [](void* p) { new (p) T(); };
    if constexpr (!std::is_trivially_destructible_v<T>) t.Destroy = [](void* p) { static_cast<T*>(p)->~T(); };
    SetUserDataType(t, int(sizeof(T)));
}

template <class T>
T* TBaseLazyTree::GetNodeData(PLazyNode Node)
{
    CheckTypedAccess(typeid(T), sizeof(T), std::is_trivially_copyable_v<T>);
    if (!Node || Node == FRoot) return nullptr;
    return static_cast<T*>(Node->GetData());
}

template <class T>
void TBaseLazyTree::SetNodeDataValue(PLazyNode Node, const T& Value)
{
    CheckTypedAccess(typeid(T), sizeof(T), std::is_trivially_copyable_v<T>);
    if (!Node || Node == FRoot) return;
    *static_cast<T*>(Node->GetData()) = Value;
}
