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
    // Row coordinates plus ViewShift give view coordinates, where the background picture
    // is anchored.
    TPoint ViewShift;
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

// ---- drawing utilities of the header and the frame (treeview/paint/LTDrawUtils.cpp) ----
// The extent of Text drawn with Flags (lines broken as the flags say), from R's top-left.
void MeasureTextRect(TCanvas* Canvas, const String& Text, TRect& R, unsigned Flags);
// S with line feeds where the lines must break to fit Bounds' width: at blanks, and a word
// too wide alone is split (at least one character a line). Right to left the words are
// taken from the end, so the first line holds the last words.
String WrapText(TCanvas* Canvas, const String& S, const TRect& Bounds, bool RightToLeft, unsigned DrawFormat);

// The classic three-dimensional frame: an outer and an inner ring, each raised or sunken,
// on the sides given, with the face filled and the rectangle shrunk as the flags ask.
enum : unsigned {
    BDR_RAISEDOUTER = 0x1,
    BDR_SUNKENOUTER = 0x2,
    BDR_RAISEDINNER = 0x4,
    BDR_SUNKENINNER = 0x8,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
};
enum : unsigned {
    BF_LEFT = 0x1,
    BF_TOP = 0x2,
    BF_RIGHT = 0x4,
    BF_BOTTOM = 0x8,
    BF_RECT = 0xF,
    BF_MIDDLE = 0x800,
    BF_SOFT = 0x1000,
    BF_ADJUST = 0x2000,
    BF_FLAT = 0x4000,
    BF_MONO = 0x8000,
};
void DrawEdge(TCanvas* Canvas, TRect& R, unsigned Edge, unsigned Flags);
