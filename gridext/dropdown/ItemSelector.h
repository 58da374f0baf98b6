#pragma once
// The item selector: a scrollable grid of items, each a mini-HTML caption with a
// picture, an image of an image list or a colour box. The detail, image and colour
// pickers place one in their pop-up, fill its items and drive it from the edit's keys;
// the selector handles the mouse (hot tracking, a press selects) and paints the hot and
// selected items in the looks of a colour style. TExtCustomItemSelector holds every
// setting and scrolls its one child, the TCustomItemSelector panel, which is sized to the
// laid-out items and does the hit testing and painting.
#include <functional>
#include <memory>
#include <vector>

#include "gridext/dropdown/ExtCustomDropDown.h"
#include "gridext/panels/ItemLayout.h"
#include "platform/gui/StdCtrls.h"

class TSelectorItems;
class TExtCustomItemSelector;

enum TSelectorType { stImage, stColor };
using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R, int Index)>;
// The item size as a point: X the width, Y the height.
using TItemSizeEvent = std::function<void(TObject* Sender, TPoint& ASize)>;

class TSelectorItem : public TObject {
public:
    explicit TSelectorItem(TSelectorItems* Collection) : FCollection(Collection) {}
    void Assign(const TSelectorItem& Source);
    int Index() const;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    TBitmap* Image() { return &FImage; }
    void SetImage(const TBitmap* v) { FImage.Assign(v); }
    const String& Hint() const { return FHint; }
    void SetHint(const String& v) { FHint = v; }
    // No property sets it: a disabled item can neither be selected nor become hot.
    bool FEnabled = true;
    // Where the layout put the item, in panel coordinates.
    TRect FRect;

private:
    void Changed();
    TSelectorItems* FCollection;
    String FCaption;
    TColor FColor = clNone;
    int FImageIndex = -1;
    TBitmap FImage;
    String FHint;
};

class TSelectorItems : public TObject {
public:
    explicit TSelectorItems(TExtCustomItemSelector* Owner) : FOwner(Owner) {}
    TExtCustomItemSelector* Owner() const { return FOwner; }
    int Count() const { return int(FItems.size()); }
    TSelectorItem* Items(int i) const { return FItems.at(size_t(i)).get(); }
    void SetItem(int i, const TSelectorItem& v) { Items(i)->Assign(v); }
    TSelectorItem* Add() { return Insert(Count()); }
    TSelectorItem* Insert(int Index);
    void Delete(int Index);
    void Clear() { FItems.clear(); }
    void Assign(const TSelectorItems& Source);
    // An item's caption, colour or image index changed.
    TNotifyEvent OnChange;
    void Changed()
    {
        if (OnChange) OnChange(this);
    }

private:
    TExtCustomItemSelector* FOwner;
    std::vector<std::unique_ptr<TSelectorItem>> FItems;
};

// The colours of hot and selected items.
class TItemAppearance : public TObject {
public:
    TItemAppearance();
#define ITEM_COLOR(Name)                                                                                       \
    TColor Name() const { return F##Name; }                                                                    \
    void Set##Name(TColor v) { F##Name = v; }
    ITEM_COLOR(BorderColor)
    ITEM_COLOR(BorderColorTop)
    ITEM_COLOR(BorderColorBottom)
    ITEM_COLOR(EdgeColor)
    ITEM_COLOR(BorderColorHot)
    ITEM_COLOR(BorderColorSelected)
    ITEM_COLOR(ColorHot)
    ITEM_COLOR(ColorHotTo)
    ITEM_COLOR(ColorMirrorHot)
    ITEM_COLOR(ColorMirrorHotTo)
    ITEM_COLOR(ColorSelected)
    ITEM_COLOR(ColorSelectedTo)
    ITEM_COLOR(ColorMirrorSelected)
    ITEM_COLOR(ColorMirrorSelectedTo)
    ITEM_COLOR(ColorHotText)
    ITEM_COLOR(ColorSelectedText)
#undef ITEM_COLOR
    TFont* Font() { return &FFont; }
    void SetFont(const TFont* f) { FFont.Assign(*f); }
    TSelectionColorStyle ColorStyle() const { return FColorStyle; }
    // Loads the preset colours of a named style (scCustom keeps the colours).
    void ApplyColorStyle(TSelectionColorStyle Style);
    void Assign(const TItemAppearance& Source);
    TNotifyEvent OnChange;

private:
    TColor FBorderColor = 0, FBorderColorTop = 0, FBorderColorBottom = 0, FEdgeColor = 0;
    TColor FBorderColorHot = clNone, FBorderColorSelected = clNone;
    TColor FColorHot = 0, FColorHotTo = 0, FColorMirrorHot = 0, FColorMirrorHotTo = 0;
    TColor FColorSelected = 0, FColorSelectedTo = 0, FColorMirrorSelected = 0, FColorMirrorSelectedTo = 0;
    TColor FColorHotText = clBlack, FColorSelectedText = clBlack;
    TFont FFont;
    TSelectionColorStyle FColorStyle = scCustom;
};

// The inner panel: lays out, hit-tests and paints the items.
class TCustomItemSelector : public TCustomControl {
public:
    // The owner must be a TExtCustomItemSelector ("Invalid parent" otherwise).
    explicit TCustomItemSelector(TComponent* AOwner);
    TExtCustomItemSelector* ExtItemSelector() const { return FExtItemSelector; }
    int ItemIndex() const { return FItemIndex; }
    int ItemHot() const { return FItemHot; }
    void SetItemIndex(int Value);
    void SetHotItem(int Index);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const String& S);
    int ItemAtPos(int X, int Y) const;
    TRect GetItemRect(int Index) const;
    TNotifyEvent OnItemSelect;

    virtual void DrawItem(int Index, TCanvas* ACanvas);
    virtual TRect GetItemsRect() const;
    virtual TPoint GetItemSize();
    virtual void InvalidateItem(int Index);
    virtual void ArrangeItems();

    const int FOffSetX = 2, FOffSetY = 2, FItemOffSetX = 4, FItemOffSetY = 4, FCaptionGap = 4;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    TSelectorItems* Items() const;
    bool Valid(int Index) const;
    TExtCustomItemSelector* FExtItemSelector;
    int FItemIndex = -1;
    int FItemHot = -1;
};

// The outer selector that the pickers create: the settings, and a vertical scroll bar
// when the panel is taller than the control.
class TExtCustomItemSelector : public TCustomControl {
public:
    explicit TExtCustomItemSelector(TComponent* AOwner);
    ~TExtCustomItemSelector() override;

    int Columns() const { return FColumns; }
    void SetColumns(int v);
    TSelectorItems* Items() { return &FItems; }
    void SetItems(const TSelectorItems& v) { FItems.Assign(v); }
    int ItemIndex() const { return FItemSelectorPanel ? FItemSelectorPanel->ItemIndex() : -1; }
    void SetItemIndex(int n);
    int ItemHot() const { return FItemSelectorPanel ? FItemSelectorPanel->ItemHot() : -1; }
    TSelectorType SelectorType() const { return FSelectorType; }
    void SetSelectorType(TSelectorType v);
    TItemLayout ItemLayout() const { return FItemLayout; }
    void SetItemLayout(TItemLayout v) { FItemLayout = v; }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);
    TItemAppearance* ItemAppearance() { return &FItemAppearance; }
    void SetItemAppearance(const TItemAppearance& v) { FItemAppearance.Assign(v); }
    int ColorBoxHeight() const { return FColorBoxHeight; }
    void SetColorBoxHeight(int v);
    int ColorBoxWidth() const { return FColorBoxWidth; }
    void SetColorBoxWidth(int v);
    TCustomItemSelector* Panel() const { return FItemSelectorPanel; }
    TScrollBar* VertScrollBar() const { return FScrollBar; }

    void UpdateSelectorPanel();
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();
    void HotNext();
    void HotPrevious();
    bool LookupItem(const String& S);
    int GetVisibleItemCount() const;
    void ScrollItemInView(int Index);
    void GetSelectorPanelSize(int& W, int& H) const;

    TNotifyEvent OnItemSelect;
    TDrawItemEvent OnDrawItem;
    TItemSizeEvent OnItemSize;

    void WndProc(TMessage& msg) override;

protected:
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The scroll bar shows while the panel is taller than the control; the panel follows it.
    void UpdateScrollRange();
    void ScrollTo(int Position);
    int FColumns = 1;
    TSelectorItems FItems;
    TSelectorType FSelectorType = stImage;
    TItemLayout FItemLayout = ilCaptionRight;
    TImageList* FImages = nullptr;
    TItemAppearance FItemAppearance;
    int FColorBoxHeight = 14, FColorBoxWidth = 14;
    TCustomItemSelector* FItemSelectorPanel = nullptr;
    TScrollBar* FScrollBar = nullptr;
};
