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
