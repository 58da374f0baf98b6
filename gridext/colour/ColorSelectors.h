#pragma once
// The colour picker's three selector controls besides its list of named colours: a
// honeycomb of 127 hexagonal colour cells (TExtColorCubePanel), a spectrum picture from
// which any pixel's colour can be taken (TExtColorSpectrumPanel), and a fixed palette of
// 60 colour boxes, a row of base colours above five rows of their shades
// (TCustomColorSelector). Each reports a choice through its own event and leaves to the
// picker what happens next.
#include <memory>
#include <vector>

#include "gridext/dropdown/ExtCustomDropDown.h"
#include "platform/gui/ExtCtrls.h"

enum TItemPos { ipStandAlone, ipTop, ipMiddle, ipBottom };

// The common base: OnShouldHide fires when a mouse button is released over the honeycomb
// or the spectrum (a caller that closes on release rather than on press binds it).
class TExtCustomColorSelectorPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TNotifyEvent OnShouldHide;
};

// ---------------------------------------------------------------- honeycomb

class TExtColorCubePanel : public TExtCustomColorSelectorPanel {
public:
    static constexpr int CellCount = 127;
    explicit TExtColorCubePanel(TComponent* AOwner);

    TColor SelectedColor() const { return FSelectedColor; }
    // Selects the first cell of exactly that colour, or none.
    void SetSelectedColor(TColor Value);
    bool ShowRGBHint() const { return FShowRGBHint; }
    void SetShowRGBHint(bool v);
    TNotifyEvent OnSelect;

    // Colours and centres of the cells.
    void InitCubeCells();
    // Clears the hot cell and gives the panel its size.
    void ResetHotCell();
    // Cell 1..127 under the point, or -1.
    int CellAtPos(int X, int Y) const;
    // Centre and colour of cell 1..127.
    TPoint CellCentre(int Index) const { return TPoint(FCubeCells[Index - 1].X, FCubeCells[Index - 1].Y); }
    TColor CellColor(int Index) const { return FCubeCells[Index - 1].Color; }
    int SelectedIndex() const { return FSelectedIndex; }
    int HotIndex() const { return FHotIndex; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    struct TCubeCell {
        int X = 0, Y = 0;
        TColor Color = clNone;
    };
    void DrawCell(TCanvas* C, int Index);
    void InvalidateCell(int Index);
    TCubeCell FCubeCells[CellCount];
    TPoint FCubeSize{6, 3};
    TColor FSelectedColor = clNone;
    int FSelectedIndex = -1;
    int FHotIndex = -1;
    bool FShowRGBHint = true;
};

// ---------------------------------------------------------------- spectrum

// The 128 x 128 spectrum: hue across (red at both ends), white at the top row, the pure
// hue at the middle row and black at the bottom row. Generated, not loaded.
void DrawSpectrumPicture(TBitmap& Into);

class TExtColorSpectrumPanel : public TExtCustomColorSelectorPanel {
public:
    // The cursor the picture shows: an eyedropper with its tip at the lower left.
    static constexpr TCursor crEyeDropper = 54;
    explicit TExtColorSpectrumPanel(TComponent* AOwner);

    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor v) { FSelectedColor = v; }
    TColor HotColor() const { return FHotColor; }
    TNotifyEvent OnSelect;

    // Size, picture and swatch placement.
    void ArrangeSpectrum();
    TImage* SpectrumImage() const { return FSpectrumImage; }
    TRect SelectedRect() const { return FSelectedRect; }
    TRect HotRect() const { return FHotRect; }

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void DrawSwatch(TCanvas* C, const TRect& R, TColor Color);
    void InvalidateSwatch(const TRect& R);
    void PictureMouseMove(int X, int Y);
    TImage* FSpectrumImage = nullptr;
    TColor FHotColor = clNone;
    TColor FSelectedColor = clWhite;
    TRect FHotRect, FSelectedRect;
};

// ---------------------------------------------------------------- discrete palette

class TCustomColorSelector;

class TColorBoxItem : public TObject {
public:
    explicit TColorBoxItem(class TColorBoxItems* Collection) : FCollection(Collection) {}
    void Assign(const TColorBoxItem& Source);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TItemPos ColorBoxPos() const { return FColorBoxPos; }
    void SetColorBoxPos(TItemPos v) { FColorBoxPos = v; }
    bool FEnabled = true;
    // Where the layout put the box.
    TRect FRect;

private:
    TColorBoxItems* FCollection;
    TColor FColor = clNone;
    TItemPos FColorBoxPos = ipStandAlone;
};

class TColorBoxItems : public TObject {
public:
    explicit TColorBoxItems(TCustomColorSelector* Owner) : FOwner(Owner) {}
    TCustomColorSelector* Owner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    TColorBoxItem* Items(int i) const { return FItems.at(size_t(i)).get(); }
    TColorBoxItem* Add() { return Insert(Count()); }
    TColorBoxItem* Insert(int Index);
    void Clear() { FItems.clear(); }
    void Assign(const TColorBoxItems& Source);
    TNotifyEvent OnChange;
    void Changed()
    {
        if (OnChange) OnChange(this);
    }

private:
    TCustomColorSelector* FOwner;
    std::vector<std::unique_ptr<TColorBoxItem>> FItems;
};

// Frame colours of the palette's boxes.
class TColorBoxAppearance : public TObject {
public:
#define BOX_COLOR(Name)                                                                                        \
    TColor Name() const { return F##Name; }                                                                    \
    void Set##Name(TColor v) { F##Name = v; }
    BOX_COLOR(BorderColor)
    BOX_COLOR(OuterBorderColorHot)
    BOX_COLOR(InnerBorderColorHot)
    BOX_COLOR(OuterBorderColorSelected)
    BOX_COLOR(InnerBorderColorSelected)
#undef BOX_COLOR
    // Back to the colours a new appearance has.
    void Reset();
    void Assign(const TColorBoxAppearance& Source);
    TNotifyEvent OnChange;

private:
    TColor FBorderColor = 0xC5C5C5, FOuterBorderColorHot = 0x3694F2, FInnerBorderColorHot = 0x94E2FF;
    TColor FOuterBorderColorSelected = 0x0000FF, FInnerBorderColorSelected = 0x94E2FF;
};

class TCustomColorSelector : public TExtCustomColorSelectorPanel {
public:
    explicit TCustomColorSelector(TComponent* AOwner);

    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Index);
    int ItemHot() const { return FItemHot; }
    void SetHotItem(int Index);
    int ColumnGap() const { return FColumnGap; }
    void SetColumnGap(int v);
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int v);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int v);
    TColorBoxAppearance* ColorBoxAppearance() { return &FColorBoxAppearance; }
    void SetColorBoxAppearance(const TColorBoxAppearance& v) { FColorBoxAppearance.Assign(v); }
    TColorBoxItems* Items() { return &FItems; }
    void SetItems(const TColorBoxItems& v) { FItems.Assign(v); }
    TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
    void SetItemColorStyle(TSelectionColorStyle v);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    TNotifyEvent OnItemSelect;

    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    int ItemAtPos(int X, int Y) const;
    TRect GetItemRect(int Index) const;
    // The picker's keys; it passes its own editor and drop-down state.
    void HandleSelectorKey(WORD Key, bool EditorEnabled, bool DroppedDown);
    // The 60 boxes of the palette, replacing any there were.
    void AddPaletteColors();

    virtual void DrawItem(int Index, TCanvas* Canvas);
    virtual TRect GetItemsRect() const;
    virtual TPoint GetItemSize() const { return TPoint(FColorBoxWidth, FColorBoxHeight); }
    virtual void ArrangeItems();
    virtual void InvalidateItem(int Index);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    bool Valid(int Index) const { return Index >= 0 && Index < FItems.Count(); }
    int FItemIndex = -1;
    int FItemHot = -1;
    const int FOffSetX = 4, FOffSetY = 4;
    int FColumnGap = 4;
    int FColumns = 10;
    int FColorBoxHeight = 12, FColorBoxWidth = 12;
    TColorBoxAppearance FColorBoxAppearance;
    TColorBoxItems FItems;
    TSelectionColorStyle FItemColorStyle = scCustom;
    TColor FSelectedColor = clNone;
};
