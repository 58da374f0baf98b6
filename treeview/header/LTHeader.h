#pragma once
// The tree's header: the strip of column captions above the rows. It owns the columns and
// holds the header-wide settings (height with limits, font, options, sort and main column,
// auto-size column, fixed-area limits), reads and writes the header stream, and shows
// itself in a window of its own at the top of the tree that takes its mouse input.
#include <functional>
#include <memory>

#include "platform/gui/Controls.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/ImgList.h"
#include "platform/gui/Menus.h"
#include "treeview/core/LazyTreeTypes.h"
#include "treeview/header/LazyTreeColumns.h"

enum TLTHeaderOption {
    hoAutoResize,
    hoColumnResize,
    hoDblClickResize,
    hoDrag,
    hoHotTrack,
    hoOwnerDraw,
    hoRestrictDrag,
    hoShowHint,
    hoShowImages,
    hoShowSortGlyphs,
    hoVisible,
    hoAutoSpring,
    hoFullRepaintOnResize,
    hoDisableAnimatedResize,
    hoHeightResize,
    hoHeightDblClickResize,
    hoHeaderClickAutoSort,
    hoAutoColumnPopupMenu
};
using TLTHeaderOptions = TSet<TLTHeaderOption>;
inline constexpr TLTHeaderOptions DefaultHeaderOptions = TLTHeaderOptions::FromBits(522);
// Bits beyond the last option are never kept.
inline constexpr std::uint32_t HeaderOptionsMask = (1u << 18) - 1;

// Where one header cell puts its parts, relative to the canvas.
struct TLTHeaderCellLayout {
    TPoint GlyphPos, SortGlyphPos;
    TRect TextRectangle;
};

enum TLTDropMarkMode { dmmNone, dmmLeft, dmmRight };

// The parts of a header cell an owner may paint itself (see OnHeaderDrawQueryElements).
enum THeaderPaintElement { hpeBackground, hpeDropMark, hpeHeaderGlyph, hpeSortGlyph, hpeText };
using THeaderPaintElements = TSet<THeaderPaintElement>;

// What the header tells an owner that paints parts of it: the canvas, the cell (none for
// the header's background), where the header would put each part, and the cell's state.
struct THeaderPaintInfo {
    TCanvas* TargetCanvas = nullptr;
    TLazyTreeColumn* Column = nullptr;
    // The background area or the cell; once the frame is drawn, the cell less 2 pixels.
    TRect PaintRectangle;
    TRect TextRectangle;
    bool IsHoverIndex = false, IsDownIndex = false, IsEnabled = false, ShowHeaderGlyph = false,
         ShowSortGlyph = false, ShowRightBorder = false;
    TLTDropMarkMode DropMark = dmmNone;
    TPoint GlyphPos, SortGlyphPos;
};

// What a header click hit: the caption, its image, its check box (or nothing).
enum TLTHeaderHitPosition { hhiNoWhere, hhiOnColumn, hhiOnIcon, hhiOnCheckbox };
using TLTHeaderHitPositions = TSet<TLTHeaderHitPosition>;
struct TLTHeaderHitInfo {
    int X = 0, Y = 0;  // header coordinates
    TMouseButton Button = mbLeft;
    TShiftState Shift;
    TColumnIndex Column = NoColumnIndex;
    TLTHeaderHitPositions HitPosition;
};

// The sort glyph's box in a caption.
inline constexpr int SortGlyphWidth = 8, SortGlyphHeight = 8;

enum TLTHeaderStyle { hsThickButtons, hsFlatButtons, hsPlates };

enum THeaderState {
    hsAutoSizing,
    hsDragging,
    hsDragPending,
    hsLoading,
    hsColumnWidthTracking,
    hsColumnWidthTrackPending,
    hsHeightTracking,
    hsHeightTrackPending,
    hsResizing,
    hsScaling,
    hsNeedScaling
};
using THeaderStates = TSet<THeaderState>;

// Which nodes fitting a column measures: those in view, all visible ones, or as the
// column's coSmartResize says.
enum TSmartAutoFitType { smaAllColumns, smaNoColumn, smaUseColumnOption };

// Limits of the header height and of the fixed columns' total width, in percent of the
// tree (0 = no limit).
class TLTFixedAreaConstraints {
public:
    int MaxHeightPercent() const { return FPercent[0]; }
    int MaxWidthPercent() const { return FPercent[1]; }
    int MinHeightPercent() const { return FPercent[2]; }
    int MinWidthPercent() const { return FPercent[3]; }
    void SetMaxHeightPercent(int V) { SetPercent(0, V); }
    void SetMaxWidthPercent(int V) { SetPercent(1, V); }
    void SetMinHeightPercent(int V) { SetPercent(2, V); }
    void SetMinWidthPercent(int V) { SetPercent(3, V); }
    void Assign(const TLTFixedAreaConstraints& Source);
    std::function<void()> OnChange;

private:
    friend class TLTHeader;
    void SetPercent(int Index, int Value);
    void FireChange()
    {
        if (OnChange) OnChange();
    }
    int FPercent[4] = {0, 0, 0, 0};
};

class TLTHeaderWindow;

class TLTHeader : public TObject {
public:
    explicit TLTHeader(TBaseLazyTree* AOwner);
    ~TLTHeader() override;
    TBaseLazyTree* Treeview() const { return FOwner; }
    TLazyTreeColumns* Columns() const { return FColumns.get(); }
    // True when the header has at least one column.
    bool UseColumns() const { return FColumns->Count() > 0; }

    // NoColumnIndex while there is no column.
    TColumnIndex MainColumn() const { return UseColumns() ? FMainColumn : NoColumnIndex; }
    void SetMainColumn(TColumnIndex Value);
    TColumnIndex SortColumn() const { return FSortColumn; }
    void SetSortColumn(TColumnIndex Value);
    TSortDirection SortDirection() const { return FSortDirection; }
    void SetSortDirection(TSortDirection Value);
    TColumnIndex AutoSizeIndex() const { return FAutoSizeIndex; }
    void SetAutoSizeIndex(TColumnIndex Value);
    TLTHeaderOptions Options() const { return FOptions; }
    void SetOptions(TLTHeaderOptions Value);
    TLTHeaderStyle Style() const { return FStyle; }
    void SetStyle(TLTHeaderStyle Value);
    TColor Background() const { return FBackgroundColor; }
    void SetBackground(TColor Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value);
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    int SplitterHitTolerance() const { return FSplitterHitTolerance; }
    void SetSplitterHitTolerance(int Value) { FSplitterHitTolerance = Value; }
    TFont* Font() { return &FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TLTFixedAreaConstraints* FixedAreaConstraints() { return &FFixedAreaConstraints; }
    THeaderStates States() const { return FStates; }
    bool AllowFocus(TColumnIndex Column) const
    {
        return FColumns->IsValidColumn(Column) && FColumns->Items(Column)->Options().Contains(coAllowFocus);
    }

    virtual void Assign(const TLTHeader& Source);

    // The header stream. Reading is all or nothing: a stream that is short, too large or
    // out of range raises the stream's read error and leaves the header as it was.
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream) const;

    // ---- sizing ----
    // Spreads ChangeBy pixels over the columns RangeStartCol..RangeEndCol that have all of
    // Options; answers the change applied.
    int ResizeColumns(int ChangeBy, TColumnIndex RangeStartCol, TColumnIndex RangeEndCol, TLTColumnOptions Opts);
    void DistributeSpringWidth();
    // Fits the visible, resizable columns at positions RangeStartCol..RangeEndCol to their
    // content (a negative end: the last position).
    virtual void AutoFitColumns(bool Animated = true, TSmartAutoFitType SmartAutoFitType = smaUseColumnOption,
                                int RangeStartCol = NoColumnIndex, int RangeEndCol = NoColumnIndex);
    void ApplyFixedAreaConstraints();
    // Scales the height, the font (unless it is the tree's) and every column width by M / D.
    virtual void ApplyScale(int M, int D);
    void RestoreColumns();
    // Answers the header width (the tree's client width).
    int HeaderWidth() const;
    // The tree's size changed: auto-size and spring columns follow.
    void HandleResize();

    // ---- the header window ----
    TLTHeaderWindow* Window() const { return FWindow; }
    // Puts the header window over the top of the tree (after the tree's frame changed).
    void PlaceWindow() { UpdateWindow(); }
    void Invalidate(TColumnIndex Column = NoColumnIndex, bool ExpandToBorder = false);
    // The column whose right border lies within the splitter tolerance of x (header
    // coordinates); NoColumnIndex when there is none.
    TColumnIndex FindSplitterColumn(int X) const;
    // A caption was clicked: the tree's OnHeaderClick, then with hoHeaderClickAutoSort
    // the sort column and direction follow.
    // P is where the click was, in header coordinates.
    virtual void HandleClick(TColumnIndex Column, TMouseButton Button, TShiftState Shift, TPoint P);
    std::function<void(TLTHeader* Sender, const TLTHeaderHitInfo& HitInfo)> OnHeaderClick;
    std::function<void(TLTHeader* Sender, TColumnIndex Column)> OnColumnResize;
    // A column was shown or hidden through the automatic column menu.
    std::function<void(TLTHeader* Sender, TColumnIndex Column, bool Visible)> OnColumnVisibilityChanged;
    // The tree's reaction to a width change (NoColumnIndex after a stream was read).
    virtual void FireColumnResize(TColumnIndex Column);

    // Paints the header into Canvas (header coordinates).
    virtual void PaintHeader(TCanvas* Canvas, const TRect& R);

    // ---- caption images, check boxes and owner-drawn cells ----
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value);
    // Places the image or check box (GlyphSize), the sort glyph (SortSize) and the caption
    // of column C inside Client, the cell less its 2-pixel frame; sizes are (width, height), zero
    // for a part not shown.
    TLTHeaderCellLayout LayoutHeaderCell(TCanvas* Canvas, const TLazyTreeColumn* C, const TRect& Client,
                                         TPoint GlyphSize, TPoint SortSize) const;
    // With hoOwnerDraw a column of style vsOwnerDraw is painted by this alone.
    std::function<void(TLTHeader* Sender, TCanvas* Canvas, TLazyTreeColumn* Column, const TRect& R, bool Hover,
                       bool Pressed, TLTDropMarkMode DropMark)>
        OnHeaderDraw;
    // With hoOwnerDraw and both of these set, the owner names the parts it paints itself,
    // for the background (Column none) and for every cell; the header paints the rest and
    // then hands the owner the cell's named parts in one call (the frame in a call of its own).
    std::function<void(TLTHeader* Sender, THeaderPaintInfo& PaintInfo, THeaderPaintElements& Elements)>
        OnHeaderDrawQueryElements;
    std::function<void(TLTHeader* Sender, THeaderPaintInfo& PaintInfo, const THeaderPaintElements& Elements)>
        OnAdvancedHeaderDraw;

private:
    friend class TLazyTreeColumns;
    friend class TLazyTreeColumn;
    friend class TLTHeaderWindow;
    void ApplySortColumn(TColumnIndex Value);
    void ReadHeader(TStream& Stream, TLTHeaderOptions KeptOptions);
    void UpdateWindow();
    void SortIfWanted();

    TBaseLazyTree* FOwner;
    std::unique_ptr<TLazyTreeColumns> FColumns;
    int FHeight = 19;
    TFont FFont;
    bool FParentFont = false;
    TLTHeaderOptions FOptions = DefaultHeaderOptions;
    TLTHeaderStyle FStyle = hsThickButtons;
    TColor FBackgroundColor = clBtnFace;
    TColumnIndex FAutoSizeIndex = 0;
    TColumnIndex FMainColumn = NoColumnIndex;
    int FMaxHeight = 10000, FMinHeight = 10, FDefaultHeight = 19;
    TLTFixedAreaConstraints FFixedAreaConstraints;
    int FSplitterHitTolerance = 8;
    TColumnIndex FSortColumn = NoColumnIndex;
    TSortDirection FSortDirection = sdAscending;
    int FLastWidth = 0;
    THeaderStates FStates;
    TPoint FTrackStart, FTrackPoint;
    TLTHeaderWindow* FWindow = nullptr;
    TImageList* FImages = nullptr;
    void PaintHeaderCell(THeaderPaintInfo& Info, TLazyTreeColumn* C, const TRect& Cell, bool Advanced);
    // Text drawing flags of a column's caption: its alignment, no prefix characters.
    static unsigned CaptionFormat(const TLazyTreeColumn* C);
    // The caption: shortened to "..." unless wrapped, embossed when disabled.
    void DrawCaptionText(TCanvas* Canvas, const String& Caption, const TRect& Bounds, bool Enabled, bool Hot,
                         unsigned DrawFormat, bool WrapCaption);
};

// The window the header shows in, a strip at the top of the tree: it paints the header and
// turns the mouse into splitter drags and caption clicks.
class TLTHeaderWindow : public TCustomControl {
public:
    explicit TLTHeaderWindow(TLTHeader* AHeader);
    ~TLTHeaderWindow() override;
    TLTHeader* Header() const { return FHeader; }

protected:
    void Paint() override;
    // The strip over a vertical bar that stands at the left, beside the captions.
    void PaintNonClient() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    // The automatic column menu: shows and hides columns, and fits them all.
    void ShowColumnMenu(int X, int Y);
    bool RightToLeft() const;
    TLTHeader* FHeader;
    TPopupMenu* FColumnMenu = nullptr;
};
