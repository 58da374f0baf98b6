#pragma once
// The tab control: a strip of tabs (a text and an object each) on one side of a display
// area, with the selected tab, tab rectangles laid out in one or more rows, tab images
// from an image list, highlighted tabs and owner drawing. A click, an arrow key or an
// accelerator character moves the selection after asking CanChange, then tells Change;
// writing TabIndex from code tells nothing.
#include <vector>

#include "platform/gui/ComCtrls.h"
#include "platform/gui/ImgList.h"

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

// Messages of the tab control: the tab under a point, and a tab's highlight.
constexpr unsigned TCM_FIRST = 0x1300;
constexpr unsigned TCM_HITTEST = TCM_FIRST + 13;         // LParam: TTCHitTestInfo*; result: tab or -1
constexpr unsigned TCM_HIGHLIGHTITEM = TCM_FIRST + 51;   // WParam: tab; LParam: 1 on, 0 off
struct TTCHitTestInfo {
    TPoint pt;
    unsigned flags = 0;
};

class TCustomTabControl;

// The tab texts with an object each; every change lays the strip out again.
class TTabStrings {
public:
    explicit TTabStrings(TCustomTabControl* owner) : FOwner(owner) {}
    int Count() const { return int(FItems.size()); }
    const String& Strings(int i) const { return FItems.at(size_t(i)).Text; }
    void Put(int i, const String& s);
    TObject* Objects(int i) const { return FItems.at(size_t(i)).Object; }
    void PutObject(int i, TObject* o) { FItems.at(size_t(i)).Object = o; }
    int IndexOfObject(const TObject* o) const;
    void InsertObject(int i, const String& s, TObject* o);
    int AddObject(const String& s, TObject* o);
    int Add(const String& s) { return AddObject(s, nullptr); }
    void Delete(int i);
    void Move(int cur, int to);
    void Clear();

private:
    struct Item {
        String Text;
        TObject* Object = nullptr;
        bool Highlighted = false;
    };
    friend class TCustomTabControl;
    TCustomTabControl* FOwner;
    std::vector<Item> FItems;
};

using TDrawTabEvent = std::function<void(TCustomTabControl* Control, int TabIndex, const TRect& Rect, bool Active)>;
using TTabGetImageEvent = std::function<void(TObject* Sender, int TabIndex, int& ImageIndex)>;

class TCustomTabControl : public TCustomControl {
public:
    explicit TCustomTabControl(TComponent* AOwner);
    ~TCustomTabControl() override;

    TTabStrings* Tabs() { return &FTabs; }
    const TTabStrings* Tabs() const { return &FTabs; }
    // The selected tab, -1 for none.
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int v);
    // The tab's rectangle in client coordinates; empty for an index outside the tabs.
    TRect TabRect(int i) const;
    int IndexOfTabAt(int x, int y) const;
    // Where the pages sit: the client area less the strip and the frame.
    TRect DisplayRect() const;

    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool v);
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition v);
    // Thickness of a tab row and length of a tab; 0 takes them from the font and text.
    int TabHeight() const { return FTabHeight; }
    void SetTabHeight(int v);
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int v);
    // Tabs at the top or bottom break into rows (those on a side always do).
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool v);
    bool Highlighted(int i) const;

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;
    TDrawTabEvent OnDrawTab;
    TTabGetImageEvent OnGetImageIndex;

    void WndProc(TMessage& msg) override;
    void AdjustClientRect(TRect& r) const override;
    void DefaultHandler(TMessage& msg) override;

protected:
    // Asked before the user moves the selection (fires OnChanging).
    virtual bool CanChange();
    // Told after the user moved it (fires OnChange).
    virtual void Change();
    // Whether an accelerator may pick the tab.
    virtual bool CanShowTab(int TabIndex) { return true; }
    // The image of a tab: OnGetImageIndex decides, else the tab's own index.
    virtual int GetImageIndex(int TabIndex);
    virtual void DrawTab(int TabIndex, const TRect& Rect, bool Active);
    // The plain look of the strip and the frame.
    void Paint() override;
    void Resize() override;
    void FontChanged() override;
    // Lays the strip out again and moves the pages.
    void TabsChanged();
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TTabStrings;
    void Layout() const;
    // The user picks tab i: asked, moved, told.
    void SelectByUser(int i);
    bool Vertical() const { return FTabPosition == tpLeft || FTabPosition == tpRight; }
    TTabStrings FTabs{this};
    int FTabIndex = -1;
    TImageList* FImages = nullptr;
    bool FOwnerDraw = false;
    TTabPosition FTabPosition = tpTop;
    int FTabHeight = 0;
    int FTabWidth = 0;
    bool FMultiLine = false;
    // The layout, made when asked after a change.
    mutable bool FLayoutValid = false;
    mutable std::vector<TRect> FRects;
    mutable int FRows = 0;
    mutable int FThickness = 0;
    mutable TCanvas FMeasure;
};
