#pragma once
// The styled page control: a strip of tabs beside a stack of tab sheets of which the
// active one shows. The control keeps the page list, maps pages to tabs (a page whose tab
// is hidden has none), reserves room in every tab for margins, images and a close button,
// and, unless TabBorder3D, paints the whole strip and the page frame itself after the tab
// control's own paint: per-page tab colours and gradients, two tab styles on any side,
// hover colours, close buttons and captions turned for tabs on a side.
#include <memory>
#include <utility>
#include <vector>

#include "platform/gui/TabCtrls.h"

enum TTabStyle { tsClassic, tsDotNet };
// The order is part of the stored layout: 0 is vertical.
enum TGradientDirection { gdVertical, gdHorizontal };
using TTabOverlapSize = std::uint8_t;   // 0 .. 15
using TMarginSize = std::int32_t;

using TCanCloseEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TCanChangeEvent = std::function<void(TObject* Sender, int FromPage, int ToPage, bool& AllowChange)>;
using TMarginChange = std::function<void(TMarginSize NewValue, TMarginSize OldValue, int Index)>;

class TExtPageControl;

// The room left around a tab's contents.
class TTabMargin : public TObject {
public:
    TMarginSize LeftMargin() const { return FMargins[0]; }
    void SetLeftMargin(TMarginSize v) { SetMargin(0, v); }
    TMarginSize TopMargin() const { return FMargins[1]; }
    void SetTopMargin(TMarginSize v) { SetMargin(1, v); }
    TMarginSize RightMargin() const { return FMargins[2]; }
    void SetRightMargin(TMarginSize v) { SetMargin(2, v); }
    // Copies the values without telling the owner; any other source changes nothing.
    void Assign(const TObject* Source);
    TMarginChange OnMarginChange;

private:
    void SetMargin(int Index, TMarginSize Value);
    TMarginSize FMargins[3] = {0, 0, 0};
};

class TExtTabSheet : public TCustomControl {
public:
    explicit TExtTabSheet(TComponent* AOwner);
    ~TExtTabSheet() override;

    TExtPageControl* ExtPageControl() const { return FPageControl; }
    void SetExtPageControl(TExtPageControl* v);
    // The text the tab strip sizes the tab from.
    const String& TabCaption() const { return FTabCaption; }
    bool TabShowing() const { return FTabShowing; }
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    bool TabEnable() const { return FTabEnable; }
    void SetTabEnable(bool v);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool v);
    bool Highlighted() const { return FHighlighted; }
    void SetHighlighted(bool v);
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor v);
    TColor TabColor() const { return FTabColor; }
    void SetTabColor(TColor v);
    TColor TabColorTo() const { return FTabColorTo; }
    void SetTabColorTo(TColor v);
    TGradientDirection TabGradientDirection() const { return FTabGradientDirection; }
    void SetTabGradientDirection(TGradientDirection v);
    TGradientDirection HoverGradientDirection() const { return FHoverGradientDirection; }
    void SetHoverGradientDirection(TGradientDirection v) { FHoverGradientDirection = v; }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v);
    int PageIndex() const;
    void SetPageIndex(int v);
    // Pages before this one that have a tab; -1 without a tab.
    int TabIndex() const;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCanCloseEvent OnCanClose;
    TNotifyEvent OnClose;

protected:
    void Paint() override;
    void TextChanged() override;
    void ColorChanged() override;

private:
    friend class TExtPageControl;
    void ApplyCaption();
    void SetTabShowing(bool v);
    void UpdateTabShowing();
    void FireShowing(bool showing);
    TExtPageControl* FPageControl = nullptr;
    String FTabCaption;
    bool FTabShowing = false;
    bool FTabVisible = true;
    bool FTabEnable = true;
    bool FShowClose = false;
    bool FHighlighted = false;
    TColor FTextColor = 0;
    TColor FTabColor = clNone;
    TColor FTabColorTo = clNone;
    TGradientDirection FTabGradientDirection = gdVertical;
    TGradientDirection FHoverGradientDirection = gdVertical;
    TColor FColorTo = clNone;
    int FImageIndex = -1;
    int FImageIndexDummy = 0;
};

class TExtPageControl : public TCustomTabControl {
public:
    static constexpr unsigned VersionNr = 0x01040000;

    explicit TExtPageControl(TComponent* AOwner);
    ~TExtPageControl() override;
    // The end of building the control and its pages: highlights applied, room reserved.
    void Loaded();

    int PageCount() const { return int(FPages.size()); }
    TExtTabSheet* GetPage(int Index) const { return FPages.at(size_t(Index)); }
    TExtTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TExtTabSheet* Page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int Index);
    TExtTabSheet* FindNextPage(TExtTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
    void SelectNextPage(bool GoForward);
    bool OpenClosedTab(const String& TabName);
    void OpenAllClosedTabs();
    // The pages closed by their close button and kept, oldest first.
    int ClosedTabCount() const { return int(FClosedTabs.size()); }
    TExtTabSheet* ClosedTab(int i) const { return FClosedTabs.at(size_t(i)).second; }
    // The page under a point of the strip, -1 for none; a page's tab rectangle.
    int PageIndexAt(int X, int Y) const;
    TRect PageTabRect(int PageIndex) const;
    bool IsInCloseButton(int PageIndex, int X, int Y) const;
    // The page hovered now, -1 for none; whether the close button shows hot.
    int HoveredTab() const { return FHoverTab; }
    bool CloseButtonHot() const { return FHotClose; }
    String Version() const;
    void SetVersion(const String&) {}

    TFont* ActiveFont() { return &FActiveFont; }
    void SetActiveFont(const TFont* v) { FActiveFont.Assign(*v); }
    TBitmap* CloseGlyph() { return FCloseGlyph.get(); }
    void SetCloseGlyph(const TBitmap* v);
    TColor DefaultTextColor() const { return FDefaultTextColor; }
    void SetDefaultTextColor(TColor v);
    TColor DefaultTabColor() const { return FDefaultTabColor; }
    void SetDefaultTabColor(TColor v);
    TColor DefaultTabColorTo() const { return FDefaultTabColorTo; }
    void SetDefaultTabColorTo(TColor v);
    TColor ActiveColor() const { return FActiveColor; }
    void SetActiveColor(TColor v) { SetAndRepaint(FActiveColor, v); }
    TColor ActiveColorTo() const { return FActiveColorTo; }
    void SetActiveColorTo(TColor v) { SetAndRepaint(FActiveColorTo, v); }
    bool TabBorder3D() const { return FTabBorder3D; }
    void SetTabBorder3D(bool v);
    TColor TabBorderColor() const { return FTabBorderColor; }
    void SetTabBorderColor(TColor v) { SetAndRepaint(FTabBorderColor, v); }
    bool TabSheet3D() const { return FTabSheet3D; }
    void SetTabSheet3D(bool v) { SetAndRepaint(FTabSheet3D, v); }
    TColor TabSheetBorderColor() const { return FTabSheetBorderColor; }
    void SetTabSheetBorderColor(TColor v) { SetAndRepaint(FTabSheetBorderColor, v); }
    TColor TabHoverColor() const { return FTabHoverColor; }
    void SetTabHoverColor(TColor v) { FTabHoverColor = v; }
    TColor TabHoverColorTo() const { return FTabHoverColorTo; }
    void SetTabHoverColorTo(TColor v) { FTabHoverColorTo = v; }
    TColor TabHoverBorder() const { return FTabHoverBorder; }
    void SetTabHoverBorder(TColor v) { FTabHoverBorder = v; }
    TColor TabBackGroundColor() const { return FTabBackGroundColor; }
    void SetTabBackGroundColor(TColor v) { SetAndRepaint(FTabBackGroundColor, v); }
    TBitmap* TabBackGround() { return FTabBackGround.get(); }
    void SetTabBackGround(const TBitmap* v);
    TBitmap* TabBackGroundActive() { return FTabBackGroundActive.get(); }
    void SetTabBackGroundActive(const TBitmap* v);
    TTabMargin* TabMargin() { return &FTabMargin; }
    void SetTabMargin(const TTabMargin* v);
    TTabOverlapSize TabOverlap() const { return FTabOverlap; }
    void SetTabOverlap(TTabOverlapSize v) { SetAndRepaint(FTabOverlap, TTabOverlapSize(std::min<int>(v, 15))); }
    bool TabSplitLine() const { return FTabSplitLine; }
    void SetTabSplitLine(bool v);
    bool RoundEdges() const { return FRoundEdges; }
    void SetRoundEdges(bool v) { SetAndRepaint(FRoundEdges, v); }
    TTabStyle TabStyle() const { return FTabStyle; }
    void SetTabStyle(TTabStyle v) { SetAndRepaint(FTabStyle, v); }
    int LowerActive() const { return FLowerActive; }
    void SetLowerActive(int v) { SetAndRepaint(FLowerActive, v); }
    bool FreeOnClose() const { return FFreeOnClose; }
    void SetFreeOnClose(bool v) { FFreeOnClose = v; }
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool v) { FShowFocus = v; }
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* v);
    void SetTabPosition(TTabPosition v);
    // The list that only sizes the tabs' reserved room (it never holds pictures).
    TImageList* ReservedImages() const { return FDummyImages; }

    // OnChange (of the tab control) fires after the user changed the active tab.
    TCanChangeEvent OnCanChange;

    void WndProc(TMessage& msg) override;

    // The painting of the strip, and its helpers.
    void PaintTabs(TCanvas* Canvas);
    void DrawCloseButton(const TRect& TabRect, bool Active);
    void DrawCloseButtonHot(const TRect& TabRect);
    void DrawCloseButtonDown(const TRect& TabRect);
    static void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Direction, const TRect& R,
                             int Steps);

protected:
    bool CanChange() override;
    void Change() override;
    bool CanShowTab(int TabIndex) override;
    int GetImageIndex(int TabIndex) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TExtTabSheet;
    template <class T>
    void SetAndRepaint(T& field, T v)
    {
        if (field == v) return;
        field = v;
        Invalidate();
    }
    void ChangeActivePage(TExtTabSheet* Page);
    void UpdateActivePage();
    void InsertPage(TExtTabSheet* Page);
    void RemovePage(TExtTabSheet* Page);
    void InsertTab(TExtTabSheet* Page);
    void DeleteTab(TExtTabSheet* Page, int Index);
    void MoveTab(int CurIndex, int NewIndex);
    void UpdateTab(TExtTabSheet* Page);
    void UpdateTabActiveFont(TExtTabSheet* Page);
    void UpdateDummyImages();
    void MarginChanged(TMarginSize NewValue, TMarginSize OldValue, int Index);
    void CloseActivePage();
    void ForgetClosed(const TExtTabSheet* Page);
    TPoint CloseButtonOrigin(const TRect& TabRect, int Lower, int& Bottom) const;
    void DrawCloseLook(const TRect& TabRect, int Lower, TColor Fill, TColor Frame, TColor Cross);
    void DrawCloseGlyph(TCanvas* Canvas, int X, int Y);
    void DrawTabFocus(TCanvas* Canvas, const TRect& TabRect, bool Active, int Shorten);
    void DrawTabPicture(TCanvas* Canvas, TBitmap* Picture, int X, int Y, int Length);

    std::vector<TExtTabSheet*> FPages;
    TExtTabSheet* FActivePage = nullptr;
    TTabMargin FTabMargin;
    std::vector<std::pair<String, TExtTabSheet*>> FClosedTabs;
    TImageList* FDummyImages = nullptr;
    TImageList* FImages = nullptr;
    int FHoverTab = -1;
    bool FHotClose = false;
    // Set while a button was pressed on the active page's close button.
    bool FCloseDown = false;
    bool FLoadDone = false;
    TFont FActiveFont;
    std::unique_ptr<TBitmap> FCloseGlyph;
    std::unique_ptr<TBitmap> FTabBackGround;
    std::unique_ptr<TBitmap> FTabBackGroundActive;
    TColor FDefaultTextColor = 0;
    TColor FDefaultTabColor = clBtnFace;
    TColor FDefaultTabColorTo = clNone;
    TColor FActiveColor = clBtnFace;
    TColor FActiveColorTo = clNone;
    bool FTabBorder3D = false;
    TColor FTabBorderColor = clGray;
    bool FTabSheet3D = false;
    TColor FTabSheetBorderColor = clGray;
    TColor FTabHoverColor = clNone;
    TColor FTabHoverColorTo = clNone;
    TColor FTabHoverBorder = clNone;
    TColor FTabBackGroundColor = clBtnFace;
    TTabOverlapSize FTabOverlap = 0;
    bool FTabSplitLine = false;
    bool FRoundEdges = false;
    TTabStyle FTabStyle = tsClassic;
    int FLowerActive = 2;
    bool FFreeOnClose = false;
    bool FShowFocus = false;
};
