// The page control and its tab sheets: pages and tabs, the active page, captions and the
// room reserved in the tabs, colours and flags, close buttons and hover tracking.
#include "gridedit/ExtPageControl.h"

#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

// ---------------------------------------------------------------- TTabMargin

void TTabMargin::SetMargin(int Index, TMarginSize Value)
{
    if (FMargins[Index] == Value) return;
    if (OnMarginChange) OnMarginChange(Value, FMargins[Index], Index);
    FMargins[Index] = Value;
}

void TTabMargin::Assign(const TObject* Source)
{
    auto* m = dynamic_cast<const TTabMargin*>(Source);
    if (!m) return;
    for (int i = 0; i < 3; ++i) FMargins[i] = m->FMargins[i];
}

// ---------------------------------------------------------------- TExtTabSheet

TExtTabSheet::TExtTabSheet(TComponent* AOwner) : TCustomControl(AOwner)
{
    TControl::SetVisible(false);
    TControl::SetColor(clBtnFace);
    SetParentBackground(false);
    SetAlign(alClient);
}

TExtTabSheet::~TExtTabSheet()
{
    if (FPageControl) FPageControl->RemovePage(this);
}

void TExtTabSheet::SetExtPageControl(TExtPageControl* v)
{
    if (v == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    SetParent(v);
    if (!v) return;
    v->InsertPage(this);
    FPageControl = v;
    UpdateTabShowing();
    // A page takes the control's defaults where it has none of its own.
    if (FTextColor == 0) FTextColor = v->FDefaultTextColor;
    if (FTabColor == clNone) FTabColor = v->FDefaultTabColor;
    if (FTabColorTo == clNone) FTabColorTo = v->FDefaultTabColorTo;
    v->Invalidate();
}

int TExtTabSheet::PageIndex() const
{
    if (!FPageControl) return -1;
    const auto& v = FPageControl->FPages;
    return int(std::find(v.begin(), v.end(), this) - v.begin());
}

void TExtTabSheet::SetPageIndex(int v)
{
    if (!FPageControl) return;
    auto& pages = FPageControl->FPages;
    if (v < 0 || v >= int(pages.size()))
        throw EListError(Format("%d is an invalid PageIndex value.  PageIndex must be between 0 and %d",
                                {v, int(pages.size()) - 1}));
    const int oldTab = TabIndex();
    pages.erase(pages.begin() + PageIndex());
    pages.insert(pages.begin() + v, this);
    if (FTabShowing) FPageControl->MoveTab(oldTab, TabIndex());
}

int TExtTabSheet::TabIndex() const
{
    if (!FTabShowing || !FPageControl) return -1;
    int n = 0;
    for (TExtTabSheet* p : FPageControl->FPages) {
        if (p == this) return n;
        if (p->FTabShowing) ++n;
    }
    return -1;
}

void TExtTabSheet::SetTabShowing(bool v)
{
    if (v == FTabShowing) return;
    if (v) {
        FTabShowing = true;
        FPageControl->InsertTab(this);
    } else {
        const int index = TabIndex();
        FTabShowing = false;
        FPageControl->DeleteTab(this, index);
    }
}

void TExtTabSheet::UpdateTabShowing() { SetTabShowing(FPageControl != nullptr && FTabVisible); }

void TExtTabSheet::SetTabVisible(bool v)
{
    if (v == FTabVisible) return;
    FTabVisible = v;
    UpdateTabShowing();
}

void TExtTabSheet::SetTabEnable(bool v)
{
    if (v == FTabEnable) return;
    if (FPageControl && !v && FPageControl->FActivePage == this) throw Exception("Can not disable active tab.");
    FTabEnable = v;
    if (FPageControl) FPageControl->Invalidate();
}

void TExtTabSheet::SetShowClose(bool v)
{
    FShowClose = v;
    ApplyCaption();
    if (FPageControl) FPageControl->Invalidate();
}

void TExtTabSheet::SetHighlighted(bool v)
{
    if (FPageControl && FTabShowing) FPageControl->Perform(TCM_HIGHLIGHTITEM, WPARAM(TabIndex()), v ? 1 : 0);
    FHighlighted = v;
}

void TExtTabSheet::SetTextColor(TColor v)
{
    FTextColor = v;
    if (FPageControl) FPageControl->Invalidate();
}

void TExtTabSheet::SetTabColor(TColor v)
{
    FTabColor = v;
    if (FPageControl) FPageControl->Invalidate();
}

void TExtTabSheet::SetTabColorTo(TColor v)
{
    FTabColorTo = v;
    if (FPageControl) FPageControl->Invalidate();
}

void TExtTabSheet::SetTabGradientDirection(TGradientDirection v)
{
    if (v == FTabGradientDirection) return;
    FTabGradientDirection = v;
    if (FPageControl) FPageControl->Invalidate();
}

void TExtTabSheet::ColorChanged()
{
    TCustomControl::ColorChanged();
    if (FPageControl) FPageControl->Invalidate();
}

void TExtTabSheet::SetColorTo(TColor v)
{
    FColorTo = v;
    Invalidate();
    if (FPageControl) FPageControl->Invalidate();
}

void TExtTabSheet::SetImageIndex(int v)
{
    FImageIndex = v < 0 ? -1 : v;
    FImageIndexDummy = v < 0 ? 0 : v;
    ApplyCaption();
}

void TExtTabSheet::ApplyCaption()
{
    // The strip sizes the tab from this text: the close button takes the room of one
    // blank, and without it the last two characters are left to the margins.
    const String c = Caption();
    if (FShowClose) FTabCaption = c + " ";
    else {
        std::u16string u = Utf8ToUtf16(c);
        u.resize(u.size() > 2 ? u.size() - 2 : 0);
        FTabCaption = Utf16ToUtf8(u);
    }
    if (FPageControl) FPageControl->UpdateTab(this);
}

void TExtTabSheet::TextChanged()
{
    ApplyCaption();
    TCustomControl::TextChanged();
}

void TExtTabSheet::FireShowing(bool showing)
{
    const TNotifyEvent& e = showing ? OnShow : OnHide;
    if (!e) return;
    // A failing handler is reported; the change of pages goes on.
    try {
        e(this);
    } catch (...) {
        Application->HandleException(this);
    }
}

void TExtTabSheet::Paint()
{
    if (FColorTo == clNone) return;
    TExtPageControl::DrawGradient(Canvas(), Color(), FColorTo, gdVertical, ClientRect(), 64);
}

// ---------------------------------------------------------------- TExtPageControl

TExtPageControl::TExtPageControl(TComponent* AOwner)
    : TCustomTabControl(AOwner),
      FCloseGlyph(std::make_unique<TBitmap>()),
      FTabBackGround(std::make_unique<TBitmap>()),
      FTabBackGroundActive(std::make_unique<TBitmap>())
{
    SetParentColor(true);
    SetDoubleBuffered(true);
    FActiveFont.OnChange = [this](TObject*) {
        UpdateTabActiveFont(FActivePage);
        Invalidate();
    };
    FTabMargin.OnMarginChange = [this](TMarginSize n, TMarginSize o, int i) { MarginChanged(n, o, i); };
    FDummyImages = new TImageList(this);
    FDummyImages->SetWidth(0);
    FDummyImages->SetHeight(0);
    TCustomTabControl::SetImages(FDummyImages);
    SetOwnerDraw(!FTabBorder3D);
}

TExtPageControl::~TExtPageControl()
{
    for (TExtTabSheet* p : FPages) p->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
    for (auto& e : FClosedTabs) RemoveFreeNotification(e.second);
    FClosedTabs.clear();
    if (FImages) RemoveFreeNotification(FImages);
    FImages = nullptr;
    FActiveFont.OnChange = nullptr;
}

void TExtPageControl::Loaded()
{
    for (TExtTabSheet* p : FPages) p->SetHighlighted(p->FHighlighted);
    UpdateDummyImages();
    FLoadDone = true;
}

String TExtPageControl::Version() const
{
    return Format("%d.%d.%d.%d", {int(VersionNr >> 24), int((VersionNr >> 16) & 0xFF), int((VersionNr >> 8) & 0xFF),
                                  int(VersionNr & 0xFF)});
}

void TExtPageControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomTabControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    // A closed page freed by its owner leaves the list: it can never be opened again.
    for (auto& e : FClosedTabs)
        if (e.second == AComponent) {
            ForgetClosed(e.second);
            break;
        }
}

void TExtPageControl::ForgetClosed(const TExtTabSheet* Page)
{
    std::erase_if(FClosedTabs, [Page](const auto& e) { return e.second == Page; });
}

// ---- pages and tabs

int TExtPageControl::ActivePageIndex() const
{
    auto it = std::find(FPages.begin(), FPages.end(), FActivePage);
    return it == FPages.end() ? -1 : int(it - FPages.begin());
}

void TExtPageControl::SetActivePageIndex(int Index)
{
    SetActivePage(Index >= 0 && Index < PageCount() ? FPages[size_t(Index)] : nullptr);
}

void TExtPageControl::InsertPage(TExtTabSheet* Page) { FPages.push_back(Page); }

void TExtPageControl::RemovePage(TExtTabSheet* Page)
{
    TExtTabSheet* next = FindNextPage(Page, true, true);
    if (next == Page) next = nullptr;
    Page->SetTabShowing(false);
    Page->FPageControl = nullptr;
    std::erase(FPages, Page);
    if (FActivePage == Page) FActivePage = nullptr;
    SetActivePage(next);
}

void TExtPageControl::InsertTab(TExtTabSheet* Page)
{
    Tabs()->InsertObject(Page->TabIndex(), FTabBorder3D ? Page->Caption() : Page->FTabCaption, Page);
    UpdateActivePage();
}

void TExtPageControl::DeleteTab(TExtTabSheet* Page, int Index)
{
    if (Index < 0 || Index >= Tabs()->Count()) return;
    Tabs()->Delete(Index);
    if (Page == FActivePage) {
        const int n = Tabs()->Count();
        TCustomTabControl::SetTabIndex(Index < n ? Index : n - 1);
    }
    UpdateActivePage();
}

void TExtPageControl::MoveTab(int CurIndex, int NewIndex) { Tabs()->Move(CurIndex, NewIndex); }

void TExtPageControl::UpdateActivePage()
{
    const int i = TCustomTabControl::TabIndex();
    if (i < 0) SetActivePage(nullptr);
    else SetActivePage(static_cast<TExtTabSheet*>(Tabs()->Objects(i)));
}

void TExtPageControl::UpdateTab(TExtTabSheet* Page)
{
    const int i = Page->TabIndex();
    if (i < 0 || i >= Tabs()->Count()) return;
    Tabs()->Put(i, FTabBorder3D ? Page->Caption() : Page->FTabCaption);
}

void TExtPageControl::UpdateTabActiveFont(TExtTabSheet* Page)
{
    if (FTabBorder3D || !Page) return;
    const int i = Page->TabIndex();
    String text = Page->FTabCaption;
    const TFontStyles st = FActiveFont.Style();
    if (Page == FActivePage && (st.Contains(fsBold) || st.Contains(fsItalic))) {
        // The strip sizes tabs in Font: blanks make the active tab as wide as its text
        // in the active font.
        TCanvas* c = Canvas();
        TFont saved;
        saved.Assign(*c->Font());
        c->Font()->Assign(FActiveFont);
        const int w1 = c->TextWidth(text);
        c->Font()->Assign(*Font());
        const int w2 = c->TextWidth(text);
        String pad;
        // A blank of no width would never reach the difference.
        while (c->TextWidth(pad) < w1 - w2) {
            const int before = c->TextWidth(pad);
            pad += " ";
            if (c->TextWidth(pad) <= before) break;
        }
        c->Font()->Assign(saved);
        text += pad;
    }
    if (i >= 0 && i < Tabs()->Count()) Tabs()->Put(i, text);
}

TExtTabSheet* TExtPageControl::FindNextPage(TExtTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const
{
    const int n = PageCount();
    if (n == 0) return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), CurPage);
    int start = it != FPages.end() ? int(it - FPages.begin()) : GoForward ? n - 1 : 0;
    int i = start;
    do {
        i = GoForward ? (i + 1) % n : (i + n - 1) % n;
        TExtTabSheet* p = FPages[size_t(i)];
        if (!CheckTabVisible || p->FTabVisible) return p;
    } while (i != start);
    return nullptr;
}

void TExtPageControl::SelectNextPage(bool GoForward)
{
    TExtTabSheet* p = FindNextPage(FActivePage, GoForward, true);
    if (!p || p == FActivePage || !CanChange()) return;
    TCustomTabControl::SetTabIndex(p->TabIndex());
    Change();
}

int TExtPageControl::PageIndexAt(int X, int Y) const
{
    int r = IndexOfTabAt(X, Y);
    if (r < 0) return -1;
    for (int k = 0; k < PageCount(); ++k)
        if (k <= r && !FPages[size_t(k)]->FTabVisible) ++r;
    return r < PageCount() ? r : -1;
}

TRect TExtPageControl::PageTabRect(int PageIndex) const
{
    if (PageIndex < 0 || PageIndex >= PageCount() || !FPages[size_t(PageIndex)]->FTabShowing) return TRect();
    return TabRect(FPages[size_t(PageIndex)]->TabIndex());
}

// ---- the active page

void TExtPageControl::SetActivePage(TExtTabSheet* Page)
{
    if (Page && Page->FPageControl != this) return;
    ChangeActivePage(Page);
    if (!Page) {
        TCustomTabControl::SetTabIndex(-1);
        FActivePage = nullptr;
    } else if (Page == FActivePage) {
        TCustomTabControl::SetTabIndex(Page->TabIndex());
    }
    Invalidate();
}

void TExtPageControl::ChangeActivePage(TExtTabSheet* Page)
{
    if (Page == FActivePage || !Page || !Page->FTabEnable) return;
    TForm* form = GetParentForm(this);
    TExtTabSheet* old = FActivePage;
    if (form && old && form->ActiveControl() && old->ContainsControl(form->ActiveControl())) {
        form->SetActiveControl(old);
        if (form->ActiveControl() != old) {
            TCustomTabControl::SetTabIndex(old->TabIndex());
            return;
        }
    }
    Page->BringToFront();
    const bool wasShowing = Page->Showing();
    Page->Show();
    if (!wasShowing && Page->Showing()) Page->FireShowing(true);
    if (form && old && form->ActiveControl() == old) {
        if (Page->CanFocus()) form->SetActiveControl(Page);
        else form->SetActiveControl(this);
    }
    if (old) {
        const bool oldShowing = old->Showing();
        old->Hide();
        if (oldShowing) old->FireShowing(false);
    }
    FActivePage = Page;
    FHotClose = false;
    UpdateTabActiveFont(old);
    UpdateTabActiveFont(Page);
    if (form && form->ActiveControl() == Page) Page->SelectFirst();
}

// ---- changes by the user

bool TExtPageControl::CanChange()
{
    bool allow = true;
    if (OnCanChange) {
        const TPoint p = ScreenToClient(Mouse_CursorPos());
        OnCanChange(this, ActivePageIndex(), PageIndexAt(p.X, p.Y), allow);
    }
    return allow && TCustomTabControl::CanChange();
}

void TExtPageControl::Change()
{
    UpdateActivePage();
    TCustomTabControl::Change();
    Invalidate();
}

bool TExtPageControl::CanShowTab(int TabIndex)
{
    if (TabIndex < 0 || TabIndex >= Tabs()->Count()) return false;
    auto* p = static_cast<TExtTabSheet*>(Tabs()->Objects(TabIndex));
    return p && p->Enabled();
}

int TExtPageControl::GetImageIndex(int TabIndex)
{
    if (OnGetImageIndex) return TCustomTabControl::GetImageIndex(TabIndex);
    if (TabIndex < 0 || TabIndex >= Tabs()->Count()) return -1;
    auto* p = static_cast<TExtTabSheet*>(Tabs()->Objects(TabIndex));
    if (!p) return -1;
    return FTabBorder3D ? p->FImageIndex : p->FImageIndexDummy;
}

void TExtPageControl::WndProc(TMessage& msg)
{
    if (msg.Msg == CM_DIALOGKEY && WORD(msg.WParam) == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
        TWinControl* f = FindFocusedControl();
        if (f && ContainsControl(f)) {
            SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
            msg.Result = 1;
            return;
        }
    }
    TCustomTabControl::WndProc(msg);
}

// ---- properties

void TExtPageControl::SetCloseGlyph(const TBitmap* v)
{
    if (v) FCloseGlyph->Assign(v);
    else FCloseGlyph = std::make_unique<TBitmap>();
    Invalidate();
}

void TExtPageControl::SetTabBackGround(const TBitmap* v)
{
    if (v) FTabBackGround->Assign(v);
    else FTabBackGround = std::make_unique<TBitmap>();
    Invalidate();
}

void TExtPageControl::SetTabBackGroundActive(const TBitmap* v)
{
    if (v) FTabBackGroundActive->Assign(v);
    else FTabBackGroundActive = std::make_unique<TBitmap>();
    Invalidate();
}

void TExtPageControl::SetDefaultTextColor(TColor v)
{
    for (TExtTabSheet* p : FPages)
        if (p->FTextColor == FDefaultTextColor) p->SetTextColor(v);
    FDefaultTextColor = v;
    Invalidate();
}

void TExtPageControl::SetDefaultTabColor(TColor v)
{
    for (TExtTabSheet* p : FPages)
        if (p->FTabColor == FDefaultTabColor) p->SetTabColor(v);
    FDefaultTabColor = v;
    Invalidate();
}

void TExtPageControl::SetDefaultTabColorTo(TColor v)
{
    for (TExtTabSheet* p : FPages)
        if (p->FTabColorTo == FDefaultTabColorTo) p->SetTabColorTo(v);
    FDefaultTabColorTo = v;
    Invalidate();
}

void TExtPageControl::SetTabBorder3D(bool v)
{
    if (v == FTabBorder3D) return;
    FTabBorder3D = v;
    TCustomTabControl::SetImages(v ? FImages : FDummyImages);
    SetOwnerDraw(!v);
    for (int i = PageCount() - 1; i >= 0; --i) UpdateTab(FPages[size_t(i)]);
    if (!v) UpdateTabActiveFont(FActivePage);
    Invalidate();
}

void TExtPageControl::SetTabSplitLine(bool v)
{
    if (v && FTabStyle == tsDotNet) throw Exception("TabSplitLine must be false when TabStyle is tsDotNet");
    SetAndRepaint(FTabSplitLine, v);
}

void TExtPageControl::SetTabMargin(const TTabMargin* v)
{
    if (v) FTabMargin.Assign(v);
}

void TExtPageControl::SetImages(TImageList* v)
{
    const bool vertical = TabPosition() == tpLeft || TabPosition() == tpRight;
    auto size = [vertical](TImageList* l) { return l ? (vertical ? l->Height() : l->Width()) : 0; };
    if (vertical) FDummyImages->SetHeight(FDummyImages->Height() - size(FImages) + size(v));
    else FDummyImages->SetWidth(FDummyImages->Width() - size(FImages) + size(v));
    if (FImages) RemoveFreeNotification(FImages);
    FImages = v;
    if (v) FreeNotification(v);
    if (FTabBorder3D) TCustomTabControl::SetImages(v);
    TabsChanged();
}

void TExtPageControl::SetTabPosition(TTabPosition v)
{
    TCustomTabControl::SetImages(nullptr);
    TCustomTabControl::SetTabPosition(v);
    TCustomTabControl::SetImages(FTabBorder3D ? FImages : FDummyImages);
    UpdateDummyImages();
}

void TExtPageControl::UpdateDummyImages()
{
    const int iw = FImages ? FImages->Width() : 0;
    const int ih = FImages ? FImages->Height() : 0;
    if (TabPosition() == tpTop || TabPosition() == tpBottom)
        FDummyImages->SetWidth(iw + FTabMargin.RightMargin() + FTabMargin.LeftMargin());
    else FDummyImages->SetHeight(ih + FTabMargin.RightMargin() + FTabMargin.TopMargin());
    TabsChanged();
}

void TExtPageControl::MarginChanged(TMarginSize NewValue, TMarginSize OldValue, int Index)
{
    if (FLoadDone) {
        const bool across = TabPosition() == tpTop || TabPosition() == tpBottom;
        const int iw = FImages ? FImages->Width() : 0;
        const int ih = FImages ? FImages->Height() : 0;
        if (Index == 0 && across) FDummyImages->SetWidth(iw + FTabMargin.RightMargin() + NewValue);
        else if (Index == 1 && !across) FDummyImages->SetHeight(ih + FTabMargin.RightMargin() + NewValue);
        else if (Index == 2 && across) FDummyImages->SetWidth(FDummyImages->Width() - OldValue + NewValue);
        else if (Index == 2) FDummyImages->SetHeight(FDummyImages->Height() - OldValue + NewValue);
        TabsChanged();
    }
    Invalidate();
}

// ---- close buttons and hover

bool TExtPageControl::IsInCloseButton(int PageIndex, int X, int Y) const
{
    const TRect r = PageTabRect(PageIndex);
    if (r.IsEmpty()) return false;
    // The button reacts where it is drawn: the active tab's button moves with LowerActive.
    const int lower = FPages[size_t(PageIndex)] == FActivePage ? FLowerActive : 0;
    int d = 0;
    const TPoint o = CloseButtonOrigin(r, lower, d);
    const TRect b = TabPosition() == tpLeft ? Rect(o.X + 2, d - 13, o.X + 14, d - 2)
                                            : Rect(o.X + 2, o.Y + 2, o.X + 14, o.Y + 13);
    return b.Contains(TPoint(X, Y));
}

void TExtPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomTabControl::MouseDown(button, shift, x, y);
    if (FTabBorder3D || !FActivePage || !FActivePage->FShowClose) return;
    if (IsInCloseButton(ActivePageIndex(), x, y)) {
        FCloseDown = true;
        Invalidate();
    }
}

void TExtPageControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomTabControl::MouseUp(button, shift, x, y);
    const bool wasDown = FCloseDown;
    FCloseDown = false;
    if (wasDown) Invalidate();
    if (FTabBorder3D || !FActivePage || !FActivePage->FShowClose || button != mbLeft) return;
    // Only a press that began on the button closes: a drag that ends there does not.
    if (wasDown && IsInCloseButton(ActivePageIndex(), x, y)) CloseActivePage();
}

void TExtPageControl::CloseActivePage()
{
    TExtTabSheet* page = FActivePage;
    TExtTabSheet* next = FindNextPage(page, true, true);
    bool canClose = true;
    if (page->OnCanClose) page->OnCanClose(page, canClose);
    if (!canClose) return;
    if (page->OnClose) page->OnClose(page);
    SetActivePage(next);
    FHotClose = false;
    if (FFreeOnClose) {
        page->Free();
    } else {
        FClosedTabs.emplace_back(page->Name(), page);
        FreeNotification(page);
        page->SetExtPageControl(nullptr);
    }
    Invalidate();
}

bool TExtPageControl::OpenClosedTab(const String& TabName)
{
    for (auto& e : FClosedTabs)
        if (e.first == TabName) {
            e.second->SetExtPageControl(this);
            return true;
        }
    return false;
}

void TExtPageControl::OpenAllClosedTabs()
{
    const auto list = FClosedTabs;
    for (auto& e : list)
        if (!e.second->FPageControl) e.second->SetExtPageControl(this);
}

void TExtPageControl::MouseMove(TShiftState shift, int x, int y)
{
    TCustomTabControl::MouseMove(shift, x, y);
    if (FTabHoverColor == clNone || FTabBorder3D) return;
    auto dirty = [this](int page) {
        TRect r = PageTabRect(page);
        if (r.IsEmpty()) return;
        InflateRect(r, 3, 3);
        InvalidateRect(r);
    };
    if (FTabBackGround->Empty()) {
        const int h = PageIndexAt(x, y);
        if (h != FHoverTab && (FTabHoverColor != clNone || FTabHoverColorTo != clNone)) {
            dirty(FHoverTab);
            FHoverTab = h;
            dirty(h);
        }
    }
    if (FActivePage && FActivePage->FShowClose) {
        const bool in = IsInCloseButton(ActivePageIndex(), x, y);
        if (in != FHotClose) {
            FHotClose = in;
            dirty(ActivePageIndex());
        }
    }
}

void TExtPageControl::MouseLeave()
{
    TCustomTabControl::MouseLeave();
    if (FTabBackGround->Empty() && FHoverTab >= 0) {
        TRect r = PageTabRect(FHoverTab);
        InflateRect(r, 3, 3);
        InvalidateRect(r);
    }
    FHoverTab = -1;
    if (FHotClose) {
        FHotClose = false;
        Invalidate();
    }
}
