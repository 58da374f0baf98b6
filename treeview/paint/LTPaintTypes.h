#pragma once
// What one paint of the tree carries from row to row and cell to cell, and the colour set
// the painting reads.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/gui/Graphics.h"
#include "platform/gui/ImgList.h"
#include "treeview/core/LazyTreeTypes.h"

class TBaseLazyTree;

// Which parts a paint draws; the window's own paint, printing and the drag image choose.
enum TLTInternalPaintOption {
    poBackground,
    poColumnColor,
    poDrawFocusRect,
    poDrawSelection,
    poDrawDropMark,
    poGridLines,
    poMainOnly,
    poSelectedOnly,
    poUnbuffered
};
using TLTInternalPaintOptions = TSet<TLTInternalPaintOption>;

// One indentation level's share of the connecting lines.
enum TLTLineType : std::uint8_t {
    ltNone,
    ltBottomRight,
    ltTopDown,
    ltTopDownRight,
    ltRight,
    ltTopRight,
    ltLeft,
    ltLeftBottom
};
using TLineImage = std::vector<TLTLineType>;

// Where a drop would go relative to the node under the mouse.
enum TDropMode { dmNowhere, dmAbove, dmOnNode, dmBelow };

enum TLTImageKind { ikNormal, ikSelected, ikState, ikOverlay };
enum TLTImageInfoIndex { iiNormal, iiState, iiCheck, iiOverlay };
enum TLTCellPaintMode { cpmPaint, cpmGetContentMargin };
enum TItemEraseAction { eaColor, eaDefault, eaNone };

struct TLTImageInfo {
    int Index = -1;
    int XPos = 0, YPos = 0;
    bool Ghosted = false;
    TImageList* Images = nullptr;
};

// One cell's painting state. Rectangles are in row coordinates: x in tree coordinates,
// y from the row's top; Offset turns them into the paint canvas's coordinates (the row
// bitmap's, or the target's when painting unbuffered).
struct TLTPaintInfo {
    TCanvas* Canvas = nullptr;
    TLTInternalPaintOptions PaintOptions;
    PLazyNode Node = nullptr;
    TColumnIndex Column = NoColumnIndex;
    std::uint32_t Position = 0;
    TRect CellRect, ContentRect;
    int NodeWidth = 0;
    TAlignment Alignment = taLeftJustify;
    TAlignment CaptionAlignment = taLeftJustify;
    TBiDiMode BidiMode = bdLeftToRight;
    TPoint BrushOrigin;
    TLTImageInfo ImageInfo[4];
    TPoint Offset;
    // Row coordinates to canvas coordinates.
    TRect ToCanvas(TRect R) const
    {
        OffsetRect(R, Offset.X, Offset.Y);
        return R;
    }
};

// The tree's colours: seventeen slots with system-colour defaults.
class TLTColors {
public:
    enum TSlot {
        DisabledColorIdx,
        DropMarkColorIdx,
        DropTargetColorIdx,
        FocusedSelectionColorIdx,
        GridLineColorIdx,
        TreeLineColorIdx,
        UnfocusedSelectionColorIdx,
        BorderColorIdx,
        HotColorIdx,
        FocusedSelectionBorderColorIdx,
        UnfocusedSelectionBorderColorIdx,
        DropTargetBorderColorIdx,
        SelectionRectangleBlendColorIdx,
        SelectionRectangleBorderColorIdx,
        HeaderHotColorIdx,
        SelectionTextColorIdx,
        UnfocusedColorIdx,
        SlotCount
    };
    explicit TLTColors(TBaseLazyTree* AOwner);
    TColor GetColor(int Index) const;
    // Stores a colour and repaints what shows it: the tree lines also rebuild the buttons.
    void SetColor(int Index, TColor Value);
    void Assign(const TLTColors& Source);
    TColor DisabledColor() const { return GetColor(DisabledColorIdx); }
    TColor DropMarkColor() const { return GetColor(DropMarkColorIdx); }
    TColor DropTargetColor() const { return GetColor(DropTargetColorIdx); }
    TColor FocusedSelectionColor() const { return GetColor(FocusedSelectionColorIdx); }
    TColor GridLineColor() const { return GetColor(GridLineColorIdx); }
    TColor TreeLineColor() const { return GetColor(TreeLineColorIdx); }
    TColor UnfocusedSelectionColor() const { return GetColor(UnfocusedSelectionColorIdx); }
    TColor BorderColor() const { return GetColor(BorderColorIdx); }
    TColor HotColor() const { return GetColor(HotColorIdx); }
    TColor FocusedSelectionBorderColor() const { return GetColor(FocusedSelectionBorderColorIdx); }
    TColor UnfocusedSelectionBorderColor() const { return GetColor(UnfocusedSelectionBorderColorIdx); }
    TColor DropTargetBorderColor() const { return GetColor(DropTargetBorderColorIdx); }
    TColor SelectionRectangleBlendColor() const { return GetColor(SelectionRectangleBlendColorIdx); }
    TColor SelectionRectangleBorderColor() const { return GetColor(SelectionRectangleBorderColorIdx); }
    TColor HeaderHotColor() const { return GetColor(HeaderHotColorIdx); }
    TColor SelectionTextColor() const { return GetColor(SelectionTextColorIdx); }
    TColor UnfocusedColor() const { return GetColor(UnfocusedColorIdx); }
    TColor BackGroundColor() const;
    TColor NodeFontColor() const;

private:
    TBaseLazyTree* FOwner;
    TColor FColors[SlotCount];
};

// R with Left <= Right and Top <= Bottom.
TRect NormalizeRect(const TRect& R);
