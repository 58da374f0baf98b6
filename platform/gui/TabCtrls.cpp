#include "platform/gui/TabCtrls.h"

#include <algorithm>

#include "platform/gui/Forms.h"

// ---------------------------------------------------------------- TTabStrings

int TTabStrings::IndexOfObject(const TObject* o) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].Object == o) return int(i);
    return -1;
}

void TTabStrings::Put(int i, const String& s)
{
    FItems.at(size_t(i)).Text = s;
    FOwner->TabsChanged();
}

void TTabStrings::InsertObject(int i, const String& s, TObject* o)
{
    i = std::clamp(i, 0, Count());
    FItems.insert(FItems.begin() + i, Item{s, o, false});
    // The selection stays on its tab; the first tab of an empty strip is selected.
    if (FOwner->FTabIndex >= i) ++FOwner->FTabIndex;
    if (FOwner->FTabIndex < 0 && Count() == 1) FOwner->FTabIndex = 0;
    FOwner->TabsChanged();
}

int TTabStrings::AddObject(const String& s, TObject* o)
{
    InsertObject(Count(), s, o);
    return Count() - 1;
}

void TTabStrings::Delete(int i)
{
    if (i < 0 || i >= Count()) throw EListError(Format("List index out of bounds (%d)", {i}));
    FItems.erase(FItems.begin() + i);
    int& sel = FOwner->FTabIndex;
    if (sel > i) --sel;
    else if (sel == i) sel = -1;
    if (sel >= Count()) sel = Count() - 1;
    FOwner->TabsChanged();
}

void TTabStrings::Move(int cur, int to)
{
    if (cur == to) return;
    if (cur < 0 || cur >= Count() || to < 0 || to >= Count())
        throw EListError(Format("List index out of bounds (%d)", {cur < 0 || cur >= Count() ? cur : to}));
    Item it = FItems[size_t(cur)];
    FItems.erase(FItems.begin() + cur);
    FItems.insert(FItems.begin() + to, it);
    int& sel = FOwner->FTabIndex;
    if (sel == cur) sel = to;
    else if (cur < sel && to >= sel) --sel;
    else if (cur > sel && to <= sel) ++sel;
    FOwner->TabsChanged();
}

void TTabStrings::Clear()
{
    FItems.clear();
    FOwner->FTabIndex = -1;
    FOwner->TabsChanged();
}

// ---------------------------------------------------------------- TCustomTabControl

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clBtnFace);
    SetTabStop(true);
    FFocusOnClick = true;
    FClickEvents = false;
    SetBounds(0, 0, 289, 193);
}

TCustomTabControl::~TCustomTabControl()
{
    if (FImages) RemoveFreeNotification(FImages);
    FImages = nullptr;
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        TabsChanged();
    }
}

void TCustomTabControl::SetTabIndex(int v)
{
    if (v < -1 || v >= FTabs.Count()) v = -1;
    if (v == FTabIndex) return;
    FTabIndex = v;
    // The row of the selected tab moves next to the pages.
    TabsChanged();
}

void TCustomTabControl::SetImages(TImageList* v)
{
    if (v == FImages) return;
    if (FImages) RemoveFreeNotification(FImages);
    FImages = v;
    if (v) FreeNotification(v);
    if (!FDestroying) TabsChanged();
}

void TCustomTabControl::SetOwnerDraw(bool v)
{
    if (v == FOwnerDraw) return;
    FOwnerDraw = v;
    Invalidate();
}

void TCustomTabControl::SetTabPosition(TTabPosition v)
{
    if (v == FTabPosition) return;
    FTabPosition = v;
    TabsChanged();
}

void TCustomTabControl::SetTabHeight(int v)
{
    if (v == FTabHeight || v < 0) return;
    FTabHeight = v;
    TabsChanged();
}

void TCustomTabControl::SetTabWidth(int v)
{
    if (v == FTabWidth || v < 0) return;
    FTabWidth = v;
    TabsChanged();
}

void TCustomTabControl::SetMultiLine(bool v)
{
    if (v == FMultiLine) return;
    FMultiLine = v;
    TabsChanged();
}

bool TCustomTabControl::Highlighted(int i) const
{
    return i >= 0 && i < FTabs.Count() && FTabs.FItems[size_t(i)].Highlighted;
}

void TCustomTabControl::TabsChanged()
{
    FLayoutValid = false;
    if (FDestroying) return;
    Realign();
    Invalidate();
}

void TCustomTabControl::Resize()
{
    TabsChanged();
    TCustomControl::Resize();
}

void TCustomTabControl::FontChanged()
{
    TCustomControl::FontChanged();
    TabsChanged();
}

int TCustomTabControl::GetImageIndex(int TabIndex)
{
    int index = TabIndex;
    if (OnGetImageIndex) OnGetImageIndex(this, TabIndex, index);
    return index;
}

void TCustomTabControl::Layout() const
{
    if (FLayoutValid) return;
    FLayoutValid = true;
    auto* self = const_cast<TCustomTabControl*>(this);
    const int n = FTabs.Count();
    FRects.assign(size_t(n), TRect());
    FMeasure.Font()->Assign(*Font());
    const bool vertical = Vertical();
    // A tab is as long as its text with a little room on each side, plus the image
    // room the image list asks for; as thick as the text or the image.
    int thick = FMeasure.TextHeight("Wg") + 6;
    if (FImages) thick = std::max(thick, (vertical ? FImages->Width() : FImages->Height()) + 6);
    if (FTabHeight > 0) thick = FTabHeight;
    FThickness = thick;
    std::vector<int> lengths(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        int len = FMeasure.TextWidth(FTabs.Strings(i)) + 12;
        if (FImages && self->GetImageIndex(i) >= 0) len += vertical ? FImages->Height() : FImages->Width();
        if (FTabWidth > 0) len = FTabWidth;
        lengths[size_t(i)] = len;
    }
    // Rows: tabs in order, a new row where the next tab would pass the far end. Tabs on
    // a side always take as many rows as they need.
    const int room = (vertical ? Height() : Width()) - 4;
    const bool multi = FMultiLine || vertical;
    std::vector<int> rowOf(static_cast<size_t>(n));
    std::vector<int> along(static_cast<size_t>(n));
    int row = 0, pos = 0;
    for (int i = 0; i < n; ++i) {
        if (multi && pos > 0 && pos + lengths[size_t(i)] > room) {
            ++row;
            pos = 0;
        }
        rowOf[size_t(i)] = row;
        along[size_t(i)] = pos;
        pos += lengths[size_t(i)];
    }
    FRows = n > 0 ? row + 1 : 0;
    // The row of the selected tab lies next to the pages; the others keep their order.
    const int selRow = FTabIndex >= 0 && FTabIndex < n ? rowOf[size_t(FTabIndex)] : FRows - 1;
    const int W = Width(), H = Height();
    for (int i = 0; i < n; ++i) {
        // Place 0 is the farthest from the pages.
        const int place = (rowOf[size_t(i)] - selRow + FRows - 1) % std::max(1, FRows);
        const int a = 2 + along[size_t(i)];
        const int len = lengths[size_t(i)];
        TRect r;
        switch (FTabPosition) {
        case tpTop: r = Rect(a, 2 + place * thick, a + len, 2 + (place + 1) * thick); break;
        case tpBottom: r = Rect(a, H - 2 - (place + 1) * thick, a + len, H - 2 - place * thick); break;
        case tpLeft: r = Rect(2 + place * thick, a, 2 + (place + 1) * thick, a + len); break;
        case tpRight: r = Rect(W - 2 - (place + 1) * thick, a, W - 2 - place * thick, a + len); break;
        }
        FRects[size_t(i)] = r;
    }
}

TRect TCustomTabControl::TabRect(int i) const
{
    Layout();
    if (i < 0 || i >= int(FRects.size())) return TRect();
    return FRects[size_t(i)];
}

int TCustomTabControl::IndexOfTabAt(int x, int y) const
{
    Layout();
    for (size_t i = 0; i < FRects.size(); ++i)
        if (FRects[i].Contains(TPoint(x, y))) return int(i);
    return -1;
}

TRect TCustomTabControl::DisplayRect() const
{
    Layout();
    const int strip = 2 + FRows * FThickness;
    const int W = Width(), H = Height();
    TRect r;
    switch (FTabPosition) {
    case tpTop: r = Rect(4, strip + 2, W - 4, H - 4); break;
    case tpBottom: r = Rect(4, 4, W - 4, H - strip - 2); break;
    case tpLeft: r = Rect(strip + 2, 4, W - 4, H - 4); break;
    case tpRight: r = Rect(4, 4, W - strip - 2, H - 4); break;
    }
    r.Right = std::max(r.Left, r.Right);
    r.Bottom = std::max(r.Top, r.Bottom);
    return r;
}

void TCustomTabControl::AdjustClientRect(TRect& r) const { r = DisplayRect(); }

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomTabControl::SelectByUser(int i)
{
    if (i < 0 || i >= FTabs.Count() || i == FTabIndex) return;
    if (!CanChange()) return;
    SetTabIndex(i);
    Change();
}

void TCustomTabControl::WndProc(TMessage& msg)
{
    switch (msg.Msg) {
    case TCM_HITTEST: {
        auto* info = reinterpret_cast<TTCHitTestInfo*>(msg.LParam);
        msg.Result = info ? IndexOfTabAt(info->pt.X, info->pt.Y) : -1;
        return;
    }
    case TCM_HIGHLIGHTITEM: {
        const int i = int(msg.WParam);
        msg.Result = 0;
        if (i < 0 || i >= FTabs.Count()) return;
        FTabs.FItems[size_t(i)].Highlighted = LOWORD(msg.LParam) != 0;
        Invalidate();
        msg.Result = 1;
        return;
    }
    case WM_GETDLGCODE:
        msg.Result = DLGC_WANTARROWS;
        return;
    case CM_DIALOGCHAR: {
        // An accelerator picks the first tab that carries it and may be shown.
        const WideChar ch = WideChar(msg.WParam);
        for (int i = 0; i < FTabs.Count(); ++i)
            if (IsAccel(ch, FTabs.Strings(i)) && CanShowTab(i)) {
                if (i != FTabIndex) SelectByUser(i);
                msg.Result = 1;
                return;
            }
        break;
    }
    }
    TCustomControl::WndProc(msg);
}

void TCustomTabControl::DefaultHandler(TMessage& msg)
{
    switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SelectByUser(IndexOfTabAt(GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)));
        return;
    case WM_KEYDOWN: {
        const WORD key = WORD(msg.WParam);
        const bool back = key == VK_LEFT || key == VK_UP;
        if ((key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) && FTabs.Count() > 0) {
            SelectByUser(std::clamp(FTabIndex + (back ? -1 : 1), 0, FTabs.Count() - 1));
            return;
        }
        break;
    }
    }
    TCustomControl::DefaultHandler(msg);
}

void TCustomTabControl::DrawTab(int TabIndex, const TRect& Rect, bool Active)
{
    if (OnDrawTab) OnDrawTab(this, TabIndex, Rect, Active);
}

void TCustomTabControl::Paint()
{
    TCanvas* c = Canvas();
    const TRect client = Rect(0, 0, Width(), Height());
    c->Brush()->SetColor(Color());
    c->FillRect(client);
    // The frame around the pages.
    TRect d = DisplayRect();
    InflateRect(d, 2, 2);
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(clBtnShadow);
    c->Rectangle(d);
    c->Brush()->SetStyle(bsSolid);
    for (int i = 0; i < FTabs.Count(); ++i) {
        const TRect r = TabRect(i);
        const bool active = i == FTabIndex;
        if (FOwnerDraw) {
            DrawTab(i, r, active);
            continue;
        }
        c->Brush()->SetColor(Highlighted(i) ? clHighlight : active ? clWindow : clBtnFace);
        c->Pen()->SetColor(clBtnShadow);
        c->Rectangle(r);
        int x = r.Left + 6, y = r.Top + 3;
        const int image = FImages ? GetImageIndex(i) : -1;
        if (image >= 0 && image < FImages->Count()) {
            FImages->Draw(c, r.Left + 3, r.Top + 3, image);
            if (Vertical()) y += FImages->Height();
            else x += FImages->Width();
        }
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(*Font());
        if (Highlighted(i)) c->Font()->SetColor(clHighlightText);
        if (FTabPosition == tpLeft) {
            c->Font()->SetOrientation(900);
            c->TextOut(r.Left + 3, r.Bottom - 6, FTabs.Strings(i));
        } else if (FTabPosition == tpRight) {
            c->Font()->SetOrientation(-900);
            c->TextOut(r.Right - 3, r.Top + 6, FTabs.Strings(i));
        } else {
            TRect tr = Rect(x, y, r.Right, r.Bottom);
            c->DrawText(FTabs.Strings(i), tr, DT_SINGLELINE | DT_NOCLIP);
        }
        c->Font()->SetOrientation(0);
        c->Brush()->SetStyle(bsSolid);
    }
}
