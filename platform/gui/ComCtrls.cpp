#include "platform/gui/ComCtrls.h"

#include <algorithm>

#include "platform/gui/ExtCtrls.h"
#include "platform/gui/qt/Backend.h"

// ---------------------------------------------------------------- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    SetColor(clBtnFace);
    SetParentBackground(false);
    TControl::SetVisible(false);
}

TTabSheet::~TTabSheet()
{
    if (FPageControl) FPageControl->RemovePage(this);
    FPageControl = nullptr;
}

void TTabSheet::SetPageControl(TPageControl* pc) { SetParent(pc); }

void TTabSheet::SetParent(TWinControl* p)
{
    TWinControl::SetParent(p);
    auto* pc = dynamic_cast<TPageControl*>(p);
    if (pc == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    FPageControl = pc;
    if (pc) pc->InsertPage(this);
}

void TTabSheet::SetTabVisible(bool v)
{
    FTabVisible = v;
    if (FPageControl) {
        if (!v && FPageControl->ActivePage() == this)
            FPageControl->SetActivePage(FPageControl->FindNextPage(this, true, true));
        FPageControl->UpdateTabs();
    }
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl) return -1;
    auto& v = FPageControl->FPages;
    return int(std::find(v.begin(), v.end(), this) - v.begin());
}

void TTabSheet::SetPageIndex(int i)
{
    if (!FPageControl) return;
    auto& v = FPageControl->FPages;
    v.erase(std::find(v.begin(), v.end(), this));
    i = std::clamp(i, 0, int(v.size()));
    v.insert(v.begin() + i, this);
    FPageControl->UpdateTabs();
}

int TTabSheet::TabIndex() const
{
    if (!FPageControl || !FTabVisible) return -1;
    int n = 0;
    for (TTabSheet* p : FPageControl->FPages) {
        if (p == this) return n;
        if (p->FTabVisible) ++n;
    }
    return -1;
}

void TTabSheet::TextChanged()
{
    if (FPageControl) FPageControl->UpdateTabs();
}

// ---------------------------------------------------------------- TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clBtnFace);
    SetTabStop(true);
    FTabBar.reset(backend::CreateTabBar(this));
    FTabBar->SetParentWidget(Widget());
    FTabBar->SetVisible(true);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl()
{
    FDestroying = true;
    for (TTabSheet* p : FPages) p->FPageControl = nullptr;
    FPages.clear();
    FTabBar.reset();
}

int TPageControl::TabHeight() const { return FTabBar ? FTabBar->PreferredHeight() : 0; }

TRect TPageControl::DisplayRect() const
{
    const int th = TabHeight();
    return Rect(4, th + 4, std::max(4, Width() - 4), std::max(th + 4, Height() - 4));
}

int TPageControl::ActivePageIndex() const
{
    auto it = std::find(FPages.begin(), FPages.end(), FActivePage);
    return it == FPages.end() ? -1 : int(it - FPages.begin());
}

void TPageControl::SetActivePageIndex(int i)
{
    SetActivePage(i >= 0 && i < int(FPages.size()) ? FPages[size_t(i)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* p)
{
    if (p && p->FPageControl != this) return;
    if (p == FActivePage) return;
    TTabSheet* old = FActivePage;
    FActivePage = p;
    if (old) {
        old->Hide();
        if (old->OnHide) old->OnHide(old);
    }
    if (p) {
        p->SetBounds(DisplayRect().Left, DisplayRect().Top, DisplayRect().Width(), DisplayRect().Height());
        p->Show();
        p->BringToFront();
        if (p->OnShow) p->OnShow(p);
    }
    UpdateTabs();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* cur, bool goForward, bool checkTabVisible) const
{
    const int n = int(FPages.size());
    if (n == 0) return nullptr;
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (FPages[size_t(i)] == cur) start = i;
    if (start < 0) start = goForward ? n - 1 : 0;
    for (int step = 1; step <= n; ++step) {
        int i = goForward ? (start + step) % n : (start - step + n) % n;
        TTabSheet* p = FPages[size_t(i)];
        if (!checkTabVisible || p->FTabVisible) return p;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible)
{
    TTabSheet* p = FindNextPage(FActivePage, goForward, checkTabVisible);
    if (!p || p == FActivePage) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) return;
    SetActivePage(p);
    if (OnChange) OnChange(this);
}

void TPageControl::InsertPage(TTabSheet* p)
{
    FPages.push_back(p);
    const TRect d = DisplayRect();
    p->SetBounds(d.Left, d.Top, d.Width(), d.Height());
    if (!FActivePage && p->FTabVisible) SetActivePage(p);
    else {
        p->TControl::SetVisible(false);
        UpdateTabs();
    }
}

void TPageControl::RemovePage(TTabSheet* p)
{
    auto it = std::find(FPages.begin(), FPages.end(), p);
    if (it == FPages.end()) return;
    FPages.erase(it);
    if (FDestroying) return;
    if (FActivePage == p) {
        FActivePage = nullptr;
        TTabSheet* next = nullptr;
        for (TTabSheet* q : FPages)
            if (q->FTabVisible) {
                next = q;
                break;
            }
        SetActivePage(next);
    }
    UpdateTabs();
}

void TPageControl::UpdateTabs()
{
    if (!FTabBar || FDestroying) return;
    std::vector<String> captions;
    for (TTabSheet* p : FPages)
        if (p->FTabVisible) captions.push_back(p->Caption());
    FTabBar->SetTabs(captions);
    FTabBar->SetCurrent(FActivePage ? FActivePage->TabIndex() : -1);
    // The bar's height follows its captions and font: the sheets move with it.
    PlaceSheets();
}

void TPageControl::PlaceSheets()
{
    const TRect d = DisplayRect();
    for (TTabSheet* p : FPages) p->SetBounds(d.Left, d.Top, d.Width(), d.Height());
    if (FTabBar) FTabBar->SetGeometry(Rect(2, 0, std::max(2, Width() - 2), TabHeight()));
}

void TPageControl::Resize()
{
    PlaceSheets();
    TCustomControl::Resize();
}

void TPageControl::HostNotify(int code, std::intptr_t arg)
{
    if (code != hnTabChanged) return;
    TTabSheet* target = nullptr;
    for (TTabSheet* p : FPages)
        if (p->TabIndex() == int(arg)) target = p;
    if (!target || target == FActivePage) return;
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (!allow) {
        UpdateTabs();
        return;
    }
    SetActivePage(target);
    if (OnChange) OnChange(this);
}

void TPageControl::Paint()
{
    TCanvas* c = Canvas();
    TRect r = Rect(0, TabHeight(), Width(), Height());
    Frame3D(c, r, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(c, r, cl3DLight, clBtnShadow, 1);
}
