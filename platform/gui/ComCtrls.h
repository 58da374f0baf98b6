#pragma once
// Page control with tab sheets.
#include "platform/gui/StdCtrls.h"

class ITabBarWidget;
class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* pc);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool v);
    int PageIndex() const;
    void SetPageIndex(int i);
    // Index among the visible tabs, -1 when its tab is hidden.
    int TabIndex() const;
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { FImageIndex = v; }
    void SetParent(TWinControl* p) override;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
protected:
    void TextChanged() override;
private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TCustomControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    int PageCount() const { return int(FPages.size()); }
    TTabSheet* Pages(int i) const { return FPages.at(size_t(i)); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* p);
    int ActivePageIndex() const;
    void SetActivePageIndex(int i);
    TTabSheet* FindNextPage(TTabSheet* cur, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward, bool checkTabVisible = true);
    int TabHeight() const;
    // Where the sheets sit.
    TRect DisplayRect() const;
    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    void HostNotify(int code, std::intptr_t arg) override;
protected:
    void Paint() override;
    void Resize() override;
private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* p);
    void RemovePage(TTabSheet* p);
    void UpdateTabs();
    void PlaceSheets();
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    std::unique_ptr<ITabBarWidget> FTabBar;
    bool FUpdating = false;
};
