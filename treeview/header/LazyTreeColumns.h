#pragma once
// The columns of a tree: an ordered collection owned by the header. A column's index is
// its creation order (what events receive); its position is where it shows, left to
// right. The collection keeps the position array and the left edges in step with every
// change of widths, visibility and order.
#include <memory>
#include <vector>

#include "platform/gui/Types.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"
#include "treeview/core/LazyTreeTypes.h"

class TLTHeader;
class TLazyTreeColumns;

enum TLTColumnOption {
    coAllowClick,
    coDraggable,
    coEnabled,
    coParentBidiMode,
    coParentColor,
    coResizable,
    coShowDropMark,
    coVisible,
    coAutoSpring,
    coFixed,
    coSmartResize,
    coAllowFocus,
    coDisableAnimatedResize,
    coWrapCaption,
    coUseCaptionAlignment,
    coEditable
};
using TLTColumnOptions = TSet<TLTColumnOption>;
inline constexpr TLTColumnOptions DefaultColumnOptions = TLTColumnOptions::FromBits(0x88FF);

enum TLazyTreeColumnStyle { vsText, vsOwnerDraw };
using TLTHeaderColumnLayout = TButtonLayout;

class TLazyTreeColumn {
public:
    explicit TLazyTreeColumn(TLazyTreeColumns* Collection);
    virtual ~TLazyTreeColumn() = default;

    TLazyTreeColumns* Owner() const { return FOwner; }
    TColumnIndex Index() const;

    const String& Text() const { return FText; }
    void SetText(const String& Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int LastWidth() const { return FLastWidth; }
    TColumnPosition Position() const { return FPosition; }
    void SetPosition(TColumnPosition Value);
    TLTColumnOptions Options() const { return FOptions; }
    void SetOptions(TLTColumnOptions Value);
    bool Visible() const { return FOptions.Contains(coVisible); }
    TLazyTreeColumnStyle Style() const { return FStyle; }
    void SetStyle(TLazyTreeColumnStyle Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TLTHeaderColumnLayout Layout() const { return FLayout; }
    void SetLayout(TLTHeaderColumnLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TAlignment CaptionAlignment() const
    {
        return FOptions.Contains(coUseCaptionAlignment) ? FCaptionAlignment : FAlignment;
    }
    void SetCaptionAlignment(TAlignment Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    std::intptr_t Tag() const { return FTag; }
    void SetTag(std::intptr_t Value) { FTag = Value; }
    TSortDirection DefaultSortDirection() const { return FDefaultSortDirection; }
    void SetDefaultSortDirection(TSortDirection Value) { FDefaultSortDirection = Value; }
    bool BonusPixel() const { return FBonusPixel; }
    // A check box in the caption, toggled by a click on it.
    bool CheckBox() const { return FCheckBox; }
    void SetCheckBox(bool Value);
    TCheckType CheckType() const { return FCheckType; }
    void SetCheckType(TCheckType Value);
    TCheckState CheckState() const { return FCheckState; }
    void SetCheckState(TCheckState Value);
    // Where the last normal paint put the caption's image or check box (header coordinates).
    bool HasImage() const { return FHasImage; }
    TRect ImageRect() const { return FImageRect; }
    float SpringRest() const { return FSpringRest; }

    // Left edge in unscrolled header coordinates, and as the tree shows it.
    int RawLeft() const { return FLeft; }
    int Left() const;
    void GetBounds(int& ALeft, int& ARight) const
    {
        ALeft = FLeft;
        ARight = FLeft + FWidth;
    }
    // The header cell in header coordinates, unscrolled.
    TRect GetRect() const;
    void RestoreLastWidth();
    String DisplayName() const;

    void Assign(const TLazyTreeColumn& Source);
    bool Equals(const TLazyTreeColumn& Other) const;

    void LoadFromStream(TStream& Stream, int Version);
    void SaveToStream(TStream& Stream) const;

private:
    friend class TLazyTreeColumns;
    friend class TLTHeader;
    void Changed();
    TLTHeader* Header() const;

    TLazyTreeColumns* FOwner;
    String FText, FHint;
    int FLeft = 0;
    int FWidth = 50;
    TColumnPosition FPosition = 0;
    int FMinWidth = 10, FMaxWidth = 10000;
    TLazyTreeColumnStyle FStyle = vsText;
    int FImageIndex = -1;
    TBiDiMode FBiDiMode = bdLeftToRight;
    TLTHeaderColumnLayout FLayout = blGlyphLeft;
    int FMargin = 4, FSpacing = 3;
    TLTColumnOptions FOptions = DefaultColumnOptions;
    std::intptr_t FTag = 0;
    TAlignment FAlignment = taLeftJustify, FCaptionAlignment = taLeftJustify;
    int FLastWidth = 50;
    TColor FColor = clWindow;
    bool FBonusPixel = false;
    float FSpringRest = 0;
    bool FCheckBox = false;
    TCheckType FCheckType = ctCheckBox;
    TCheckState FCheckState = csUncheckedNormal;
    TSortDirection FDefaultSortDirection = sdAscending;
    bool FHasImage = false;
    TRect FImageRect;

    // ---- wrapped captions ----
public:
    // The caption as the last layout broke it into lines (coWrapCaption); emptied by a new text.
    const String& CaptionText() const { return FCaptionText; }

private:
    mutable String FCaptionText;
};

class TLazyTreeColumns {
public:
    explicit TLazyTreeColumns(TLTHeader* AOwner);
    virtual ~TLazyTreeColumns();

    TLTHeader* Header() const { return FHeader; }
    int Count() const { return int(FItems.size()); }
    // Raises the collection's index error for an index outside 0 .. Count-1.
    TLazyTreeColumn* Items(TColumnIndex Index) const;
    TLazyTreeColumn* operator[](TColumnIndex Index) const { return Items(Index); }
    bool IsValidColumn(TColumnIndex Column) const { return Column >= 0 && Column < Count(); }
    TLazyTreeColumn* Add();
    void Delete(TColumnIndex Index);
    void Clear();
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value) { FDefaultWidth = Value; }
    TColumnIndex ClickIndex() const { return FClickIndex; }
    TColumnIndex TrackIndex() const { return FTrackIndex; }
    TColumnIndex HoverIndex() const { return FHoverIndex; }
    TColumnIndex DownIndex() const { return FDownIndex; }
    const std::vector<TColumnIndex>& PositionToIndex() const { return FPositionToIndex; }

    void Assign(const TLazyTreeColumns& Source);
    bool Equals(const TLazyTreeColumns& Other) const;

    // The column under a point of the header (x from the header's left edge);
    // InvalidColumnIndex right of the last visible column.
    TColumnIndex ColumnFromPosition(TPoint P, bool Relative = true) const;
    TColumnIndex ColumnFromPosition(TColumnPosition PositionIndex) const;
    void GetColumnBounds(TColumnIndex Column, int& Left, int& Right) const;
    int GetScrollWidth() const;
    int TotalWidth() const;
    int GetVisibleFixedWidth() const;
    // Right-to-left layout: how far the columns move right so that they end at the
    // right edge of the header (ExcludeScrollBar false) or of the client area beside
    // the vertical scroll bar (true) when they are narrower than it; 0 left-to-right.
    int GetRTLHeaderShift(bool ExcludeScrollBar) const;
    std::vector<TLazyTreeColumn*> GetVisibleColumns() const;

    TColumnIndex GetFirstColumn() const;
    TColumnIndex GetNextColumn(TColumnIndex Column) const;
    TColumnIndex GetPreviousColumn(TColumnIndex Column) const;
    TColumnIndex GetFirstVisibleColumn(bool ConsiderAllowFocus = false) const;
    TColumnIndex GetLastVisibleColumn(bool ConsiderAllowFocus = false) const;
    TColumnIndex GetNextVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus = false) const;
    TColumnIndex GetPreviousVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus = false) const;

    void LoadFromStream(TStream& Stream, int Version);
    void SaveToStream(TStream& Stream) const;

    void RecomputeLefts(bool Force);
    void SyncPositionArray();
    void RebuildPositions();
    void ResetPositions(bool RightToLeft);
    void MovePosition(TColumnIndex Column, TColumnPosition NewPosition);
    // Gives the auto-size column the room the other visible columns leave.
    void FitAutoSizeColumn(bool Force);
    void AnimatedResize(TColumnIndex Column, int NewWidth);

private:
    friend class TLazyTreeColumn;
    friend class TLTHeader;
    friend class TLTHeaderWindow;
    friend class TBaseLazyTree;
    void HandleUpdate(TLazyTreeColumn* Item);
    void RemapIndex(TColumnIndex DeletedIndex);
    bool TreeLoading() const;

    TLTHeader* FHeader;
    std::vector<std::unique_ptr<TLazyTreeColumn>> FItems;
    std::vector<TColumnIndex> FPositionToIndex;
    TColumnIndex FHoverIndex = NoColumnIndex, FDownIndex = NoColumnIndex, FTrackIndex = NoColumnIndex,
                 FClickIndex = NoColumnIndex;
    bool FCheckBoxHit = false;
    int FDefaultWidth = 50;
    bool FNeedPositionsFix = false;
    bool FClearing = false;
    int FUpdateCount = 0;
    TColumnIndex FDragIndex = NoColumnIndex, FDropTarget = NoColumnIndex;
    bool FDropBefore = false;
};
