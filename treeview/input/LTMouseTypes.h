#pragma once
// Types of the tree's mouse handling: where automatic scrolling goes, the panning
// cursors, and the events of clicks, hot tracking, cursors, node height tracking and
// popup menus.
#include <functional>

#include "platform/gui/Controls.h"
#include "treeview/core/LazyTreeTypes.h"

class TPopupMenu;

// Where the tree scrolls by itself (rubber band or drag near an edge, wheel panning).
enum TScrollDirection { sdLeft, sdUp, sdRight, sdDown };
using TScrollDirections = TSet<TScrollDirection>;

// The cursors of the tree: the node-height splitter and those of wheel panning (the
// pointer's direction from the press point, or the axes the tree can pan while it rests
// there). Registered as the program's own cursor shapes on first use.
constexpr TCursor crLTVertSplit = 62;
enum : TCursor {
    crLTMoveAll = 0x4C00,
    crLTMoveEW,
    crLTMoveNS,
    crLTMoveN,
    crLTMoveS,
    crLTMoveW,
    crLTMoveE,
    crLTMoveNW,
    crLTMoveNE,
    crLTMoveSW,
    crLTMoveSE
};

using TLTNodeClickEvent = std::function<void(TBaseLazyTree* Sender, const THitInfo& HitInfo)>;
using TLTColumnClickEvent = std::function<void(TBaseLazyTree* Sender, TColumnIndex Column, TShiftState Shift)>;
using TLTHotNodeChangeEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode OldNode, PLazyNode NewNode)>;
using TLTGetCursorEvent = std::function<void(TBaseLazyTree* Sender, TCursor& Cursor)>;
using TLTPopupEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column, const TPoint& P,
                                         bool& AskParent, TPopupMenu*& PopupMenu)>;
using TLTNodeHeightTrackingEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column,
                                                      TShiftState Shift, TPoint& TrackPoint, TPoint P, bool& Allowed)>;
using TLTNodeHeightDblClickResizeEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column,
                                                            TShiftState Shift, TPoint P, bool& Allowed)>;
using TLTCanSplitterResizeNodeEvent =
    std::function<void(TBaseLazyTree* Sender, TPoint P, PLazyNode Node, TColumnIndex Column, bool& Allowed)>;
using TLTDragAllowedEvent = std::function<void(TBaseLazyTree* Sender, PLazyNode Node, TColumnIndex Column, bool& Allowed)>;

// The standard edit commands a menu or tool button may aim at the tree.
enum TLTEditAction { eaSelectAll, eaCopy, eaCut, eaPaste, eaDelete };

// The standard tree-view item query that outside tools (screen readers, test drivers)
// send to a tree window: TVM_GETITEMW with a TVITEMW in LParam naming the node in hItem.
constexpr unsigned TVM_GETITEMW = 0x1100 + 62;
constexpr unsigned TVIF_TEXT = 0x0001, TVIF_IMAGE = 0x0002, TVIF_STATE = 0x0008, TVIF_HANDLE = 0x0010,
                   TVIF_SELECTEDIMAGE = 0x0020, TVIF_CHILDREN = 0x0040;
constexpr unsigned TVIS_FOCUSED = 0x0001, TVIS_SELECTED = 0x0002, TVIS_CUT = 0x0004, TVIS_DROPHILITED = 0x0008,
                   TVIS_EXPANDED = 0x0020;
struct TVITEMW {
    unsigned mask = 0;
    PLazyNode hItem = nullptr;
    unsigned state = 0;
    unsigned stateMask = 0;
    char16_t* pszText = nullptr;   // UTF-16, room for cchTextMax units with the terminating 0
    int cchTextMax = 0;
    int iImage = 0;
    int iSelectedImage = 0;
    int cChildren = 0;
    LPARAM lParam = 0;
};
