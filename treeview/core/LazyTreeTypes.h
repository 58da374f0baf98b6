#pragma once
// The tree's node record, its state sets and the small types every part of the tree
// shares: node and tree states, change reasons, attach modes, check kinds, column
// indices and the tree's error class.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "platform/gui/Types.h"
#include "platform/rtl/Exception.h"

// A set over an enumeration of up to 64 values (the tree states need more than 32).
template <class E>
class TSet64 {
public:
    constexpr TSet64() = default;
    constexpr TSet64(E e) : FBits(Bit(e)) {}
    constexpr TSet64(std::initializer_list<E> list) { for (E e : list) FBits |= Bit(e); }
    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr TSet64& operator<<(E e) { FBits |= Bit(e); return *this; }
    constexpr TSet64& operator>>(E e) { FBits &= ~Bit(e); return *this; }
    constexpr TSet64 operator+(TSet64 o) const { return FromBits(FBits | o.FBits); }
    constexpr TSet64 operator*(TSet64 o) const { return FromBits(FBits & o.FBits); }
    constexpr TSet64 operator-(TSet64 o) const { return FromBits(FBits & ~o.FBits); }
    constexpr bool operator==(const TSet64& o) const = default;
    constexpr bool Empty() const { return FBits == 0; }
    constexpr std::uint64_t Bits() const { return FBits; }
    static constexpr TSet64 FromBits(std::uint64_t b) { TSet64 s; s.FBits = b; return s; }
private:
    static constexpr std::uint64_t Bit(E e) { return std::uint64_t(1) << static_cast<unsigned>(e); }
    std::uint64_t FBits = 0;
};

CONF_DECLARE_EXCEPTION(ELazyTreeError, Exception);
// Raises the tree's error with its text (the help context is kept for the stream and
// move errors that carry one).
[[noreturn]] void RaiseTreeError(const String& Msg, int HelpContext = 0);
// The tree's internal checks: an ELazyTreeError with the message when Cond is false.
inline void TreeAssert(bool Cond, const char* Msg)
{
    if (!Cond) RaiseTreeError(Msg);
}

enum TLazyNodeState {
    vsInitialized,
    vsChecking,
    vsCutOrCopy,
    vsDisabled,
    vsDeleting,
    vsExpanded,
    vsHasChildren,
    vsVisible,
    vsSelected,
    vsOnFreeNodeCallRequired,
    vsAllChildrenHidden,
    vsReleaseCallOnUserDataRequired,
    vsMultiline,
    vsHeightMeasured,
    vsToggling,
    vsFiltered,
    vsInitializing
};
using TLazyNodeStates = TSet<TLazyNodeState>;

enum TLazyNodeInitState { ivsDisabled, ivsExpanded, ivsHasChildren, ivsMultiline, ivsSelected, ivsFiltered, ivsReInit };
using TLazyNodeInitStates = TSet<TLazyNodeInitState>;

enum TCheckState : std::uint8_t {
    csUncheckedNormal,
    csUncheckedPressed,
    csCheckedNormal,
    csCheckedPressed,
    csMixedNormal,
    csMixedPressed,
    csUncheckedDisabled,
    csCheckedDisabled,
    csMixedDisabled
};
enum TCheckType : std::uint8_t { ctNone, ctTriStateCheckBox, ctCheckBox, ctRadioButton, ctButton };

// One node: the record, then the user data area, then the internal areas of tree
// classes, all in one block the tree allocates. The fields keep their order; links are
// pointers of the platform's size and every field sits at its natural alignment.
struct TLazyNode;
using PLazyNode = TLazyNode*;

struct TLazyNode {
    std::uint32_t Index;        // position among the siblings
    std::uint32_t ChildCount;   // children that exist
    std::uint16_t NodeHeight;   // the node's own row
    TLazyNodeStates States;
    std::uint8_t Align;         // vertical alignment of lines and button, 0..100
    TCheckState CheckState;
    TCheckType CheckType;
    std::uint8_t Dummy;
    std::uint32_t TotalCount;    // 1 + the children's TotalCount
    std::uint32_t TotalHeight;   // own height (0 when filtered out) + visible children's while expanded
    PLazyNode Parent;            // for the hidden root: the tree object, not a node
    PLazyNode PrevSibling;
    PLazyNode NextSibling;
    PLazyNode FirstChild;
    PLazyNode LastChild;

    // Start of the user data area, directly after the record.
    void* Data() { return reinterpret_cast<char*>(this) + sizeof(TLazyNode); }
    // The user data area, marking that OnFreeNode must run for the node.
    void* GetData()
    {
        States << vsOnFreeNodeCallRequired;
        return Data();
    }
    // A pointer in the first bytes of the user data area.
    void SetData(void* pUserData)
    {
        *static_cast<void**>(Data()) = pUserData;
        States << vsOnFreeNodeCallRequired;
    }
};
static_assert(sizeof(TLazyNode) % 8 == 0, "user data must start at an 8-byte boundary");

// A node pointer with the mark that selection code puts on entries it removed; the mark
// is a flag of its own, never a bit of the pointer.
struct TNodeArrayEntry {
    PLazyNode Node = nullptr;
    bool Removed = false;
};

enum TLTNodeAttachMode { amNoWhere, amInsertBefore, amInsertAfter, amAddChildFirst, amAddChildLast };

enum TLazyTreeState {
    tsCancelHintAnimation,
    tsChangePending,
    tsCheckPropagation,
    tsCollapsing,
    tsToggleFocusedSelection,
    tsClearPending,
    tsClipboardFlushing,
    tsCopyPending,
    tsCutPending,
    tsDrawSelPending,
    tsDrawSelecting,
    tsEditing,
    tsEditPending,
    tsExpanding,
    tsNodeHeightTracking,
    tsNodeHeightTrackPending,
    tsHint,
    tsInAnimation,
    tsIncrementalSearching,
    tsIncrementalSearchPending,
    tsIterating,
    tsKeyCheckPending,
    tsLeftButtonDown,
    tsLeftDblClick,
    tsMouseCheckPending,
    tsMiddleButtonDown,
    tsMiddleDblClick,
    tsNeedRootCountUpdate,
    tsOLEDragging,
    tsOLEDragPending,
    tsPainting,
    tsRightButtonDown,
    tsRightDblClick,
    tsPopupMenuShown,
    tsScrolling,
    tsScrollPending,
    tsSizing,
    tsStopValidation,
    tsStructureChangePending,
    tsSynchMode,
    tsThumbTracking,
    tsToggling,
    tsUpdateHiddenChildrenNeeded,
    tsUpdating,
    tsUseCache,
    tsUserDragObject,
    tsUseThemes,
    tsValidating,
    tsPreviouslySelectedLocked,
    tsValidationNeeded,
    tsVCLDragging,
    tsVCLDragPending,
    tsVCLDragFinished,
    tsWheelPanning,
    tsWheelScrolling,
    tsWindowCreating,
    tsUseExplorerTheme
};
using TLazyTreeStates = TSet64<TLazyTreeState>;

enum TLTUpdateState { usBegin, usBeginSynch, usSynch, usUpdate, usEnd, usEndSynch };
enum TChangeReason { crIgnore, crAccumulated, crChildAdded, crChildDeleted, crNodeAdded, crNodeCopied, crNodeMoved };
enum TLTOperationKind { okAutoFitColumns, okGetMaxColumnWidth, okSortNode, okSortTree, okExport, okExpand };

using TColumnIndex = std::int32_t;
using TColumnPosition = std::uint32_t;
constexpr TColumnIndex NoColumnIndex = -1;
constexpr TColumnIndex InvalidColumnIndex = -2;

enum TLTNodeAlignment { naFromBottom, naFromTop, naProportional };

// Published defaults of the tree's own simple properties.
enum TLTButtonStyle { bsRectangle, bsTriangle };
enum TLTButtonFillMode { fmTreeColor, fmWindowColor, fmShaded, fmTransparent };
enum TLTLineStyle { lsCustomStyle, lsDotted, lsSolid };
enum TLTLineMode { lmNormal, lmBands };
enum TCheckImageKind { ckLightCheck, ckDarkCheck, ckLightTick, ckDarkTick, ckFlat, ckXP, ckCustom, ckSystemFlat, ckSystemDefault };
enum TLTDrawSelectionMode { smDottedRectangle, smBlendedRectangle };
enum TLTIncrementalSearch { isAll, isNone, isInitializedOnly, isVisibleOnly };
enum TLTSearchDirection { sdForward, sdBackward };
enum TLTSearchStart { ssAlwaysStartOver, ssLastHit, ssFocusedNode };
enum TLTHintAnimationType { hatNone, hatFade, hatSlide, hatSystemDefault };
enum TLTHintMode { hmDefault, hmHint, hmHintAndDefault, hmTooltip };
enum TLTDragImageKind { diComplete, diMainColumnOnly, diNoImage };
enum TLTDragType { dtOLE, dtVCL };
enum TDragOperation { doCopy, doMove, doLink };
using TDragOperations = TSet<TDragOperation>;

class TBaseLazyTree;
class TCanvas;

// Events of the tree's node model.
using TLTFreeNodeEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node)>;
using TLTGetNodeDataSizeEvent = std::function<void(TBaseLazyTree* Sender, int& NodeDataSize)>;
using TLTInitNodeEvent =
    std::function<void(TBaseLazyTree* Sender, PLazyNode ParentNode, PLazyNode Node, TLazyNodeInitStates& InitialStates)>;
using TLTInitChildrenEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node, std::uint32_t& ChildCount)>;
using TLTChangeEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node)>;
using TLTStateChangeEvent =
    std::function<void(TBaseLazyTree* Sender, const TLazyTreeStates& Enter, const TLazyTreeStates& Leave)>;
using TLTUpdatingEvent = std::function<void(TBaseLazyTree* Sender, TLTUpdateState State)>;
using TLTStructureChangeEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node, TChangeReason Reason)>;
using TLTOperationEvent = std::function<void(TBaseLazyTree* Sender, TLTOperationKind OperationKind)>;
using TLTMeasureItemEvent =
    std::function<void(TBaseLazyTree* Sender, TCanvas* TargetCanvas, PLazyNode Node, int& NodeHeight)>;

using TLTCheckChangingEvent =
    std::function<void(TBaseLazyTree* Sender, PLazyNode Node, TCheckState& NewState, bool& Allowed)>;
// The check state helpers: the pressed, released, enabled and clicked forms of a state.
TCheckState CheckStatePressed(TCheckState S);
TCheckState CheckStateReleased(TCheckState S);
TCheckState CheckStateEnabled(TCheckState S);
TCheckState CheckStateToggled(TCheckState S);
bool CheckStateIsDisabled(TCheckState S);
bool CheckStateIsChecked(TCheckState S);

using TLTCompareEvent =
    std::function<void(TBaseLazyTree* Sender, PLazyNode Node1, PLazyNode Node2, TColumnIndex Column, int& Result)>;
using TLTNodeMovingEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node, PLazyNode Target, bool& Allowed)>;
using TLTGetNodeProc = std::function<void(TBaseLazyTree* Sender, PLazyNode Node, void* Data, bool& Abort)>;

using TLTChangingEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node, bool& Allowed)>;

class TStream;
using TLTSaveNodeEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node, TStream& Stream)>;
using TLTSaveTreeEvent = std::function<void(TBaseLazyTree* Sender, TStream& Stream)>;

// The tree that owns a node.
TBaseLazyTree* TreeFromNode(PLazyNode Node);

// ---- scrolling ----
enum TScrollUpdateOption { suRepaintHeader, suRepaintScrollBars, suScrollClientArea, suUpdateScrollBars };
using TScrollUpdateOptions = TSet<TScrollUpdateOption>;
constexpr TScrollUpdateOptions AllScrollUpdateOptions{suRepaintHeader, suRepaintScrollBars, suScrollClientArea,
                                                      suUpdateScrollBars};
using TLTScrollEvent = std::function<void(TBaseLazyTree* Sender, int DeltaX, int DeltaY)>;
using TLTScrollBarShowEvent = std::function<void(TBaseLazyTree* Sender, int Bar, bool Show)>;
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
// What a scroll bar of the tree shows: whether it is there, whether it is disabled
// (shown only because it always is), its range, page and thumb.
struct TLTScrollBarInfo {
    bool Shown = false;
    bool Disabled = false;
    int Min = 0, Max = 0, Page = 0, Pos = 0, TrackPos = 0;
};
// One step of an animation: Step of the whole, StepSize pixels; false ends it early.
using TLTAnimationStep = std::function<bool(int Step, int StepSize, void* Data)>;

// ---- selection and focus ----
using TLTAddToSelectionEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node)>;
using TLTRemoveFromSelectionEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node)>;
using TLTFocusChangingEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode OldNode, PLazyNode NewNode,
                                                 TColumnIndex OldColumn, TColumnIndex NewColumn, bool& Allowed)>;
using TLTFocusChangeEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column)>;

// ---- hit testing ----
enum THitPosition {
    hiAbove,
    hiBelow,
    hiNowhere,
    hiOnItem,
    hiOnItemButton,
    hiOnItemButtonExact,
    hiOnItemCheckbox,
    hiOnItemIndent,
    hiOnItemLabel,
    hiOnItemLeft,
    hiOnItemRight,
    hiOnNormalIcon,
    hiOnStateIcon,
    hiToLeft,
    hiToRight,
    hiUpperSplitter,
    hiLowerSplitter
};
using THitPositions = TSet<THitPosition>;
struct THitInfo {
    PLazyNode HitNode = nullptr;
    THitPositions HitPositions;
    TColumnIndex HitColumn = NoColumnIndex;
    TPoint HitPoint;
};
