#pragma once
// What a tree hands its hint window for one hint.
#include "platform/gui/Controls.h"
#include "treeview/core/LazyTreeTypes.h"

class TBaseLazyTree;

enum TLTHintKind { vhkText, vhkOwnerDraw };
enum TLTTooltipLineBreakStyle { hlbDefault, hlbForceSingleLine, hlbForceMultiLine };

struct TLTHintData {
    TBaseLazyTree* Tree = nullptr;
    PLazyNode Node = nullptr;
    TColumnIndex Column = NoColumnIndex;
    // The size an owner-drawn hint asked for; empty for a text hint.
    TRect HintRect;
    // A fixed text (a column's or the control's hint) that wins over the cell's.
    String DefaultHint;
    String HintText;
    TBiDiMode BidiMode = bdLeftToRight;
    TAlignment Alignment = taLeftJustify;
    TLTTooltipLineBreakStyle LineBreakStyle = hlbDefault;
};
