#include "gridext/dropdown/DropDownForm.h"

#include <algorithm>

#include "gridext/dropdown/ExtCustomDropDown.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Threads.h"

// ---------------------------------------------------------------- bar buttons

void THeaderButton::Assign(const THeaderButton& S)
{
    SetCaption(S.FCaption);
    SetImageIndex(S.FImageIndex);
    SetEnabled(S.FEnabled);
    SetWidth(S.FWidth);
    SetHeight(S.FHeight);
}

int THeaderButton::Index() const
{
    if (!FCollection) return -1;
    for (int i = 0; i < FCollection->Count(); ++i)
        if (FCollection->Item(i) == this) return i;
    return -1;
}

void THeaderButton::Changed()
{
    if (FCollection) FCollection->Changed();
}

void THeaderButton::SetCaption(const String& v)
{
    if (v == FCaption) return;
    FCaption = v;
    Changed();
}

void THeaderButton::SetEnabled(bool v)
{
    if (v == FEnabled) return;
    FEnabled = v;
    Changed();
}

void THeaderButton::SetWidth(int v)
{
    if (v == FWidth) return;
    FWidth = v;
    Changed();
}

void TFooterButton::Assign(const THeaderButton& S)
{
    THeaderButton::Assign(S);
    if (auto* f = dynamic_cast<const TFooterButton*>(&S)) SetModalResult(f->FModalResult);
}

THeaderButton* TBarButtons::InsertItem(int Index)
{
    Index = std::clamp(Index, 0, Count());
    FItems.insert(FItems.begin() + Index, NewItem());
    Changed();
    return FItems[size_t(Index)].get();
}

void TBarButtons::Delete(int Index)
{
    if (Index < 0 || Index >= Count()) return;
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TBarButtons::Clear()
{
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TBarButtons::Assign(const TBarButtons& S)
{
    if (&S == this) return;
    TNotifyEvent keep = std::move(OnChange);
    FItems.clear();
    for (int i = 0; i < S.Count(); ++i) AddItem()->Assign(*S.Item(i));
    OnChange = std::move(keep);
    Changed();
}

// ---------------------------------------------------------------- bar settings

TBarAppearance::TBarAppearance() = default;

void TBarAppearance::SetVisible(bool v)
{
    if (v == FVisible) return;
    FVisible = v;
    if (OnChange) OnChange(this);
}

void TBarAppearance::Assign(const TBarAppearance& S)
{
    FColorTo = S.FColorTo;
    FColor = S.FColor;
    FBorderColor = S.FBorderColor;
    FCaption = S.FCaption;
    FFont.Assign(S.FFont);
    FImageIndex = S.FImageIndex;
    FBorderWidth = S.FBorderWidth;
    FGradientDirection = S.FGradientDirection;
    FHeight = S.FHeight;
    SetVisible(S.FVisible);
    FButtonAlignment = S.FButtonAlignment;
}

void TBarAppearance::AssignColors(const TBarAppearance& S)
{
    if (typeid(S) != typeid(*this)) return;
    FColor = S.FColor;
    FColorTo = S.FColorTo;
    FBorderColor = S.FBorderColor;
    FFont.Assign(S.FFont);
    FGradientDirection = S.FGradientDirection;
}

THeaderAppearance::THeaderAppearance()
{
    FFont.SetName("Tahoma");
    FButtons.OnChange = [this](TObject*) {
        if (OnButtonsChanged) OnButtonsChanged(this);
    };
}

void THeaderAppearance::Assign(const TBarAppearance& S)
{
    auto* h = dynamic_cast<const THeaderAppearance*>(&S);
    if (!h) return;
    TBarAppearance::Assign(S);
    FButtons.Assign(h->FButtons);
}

TFooterAppearance::TFooterAppearance()
{
    FButtons.OnChange = [this](TObject*) {
        if (OnButtonsChanged) OnButtonsChanged(this);
    };
}

void TFooterAppearance::Assign(const TBarAppearance& S)
{
    auto* f = dynamic_cast<const TFooterAppearance*>(&S);
    if (!f) return;
    TBarAppearance::Assign(S);
    FButtons.Assign(f->FButtons);
    FSizeGrip = f->FSizeGrip;
}

TExtButton* TDbgList::ItemsEx(int i) const
{
    if (i < 0 || i >= Count()) throw Exception("Index out of bounds in list read access");
    return FItems[size_t(i)];
}

void TDbgList::SetItemsEx(int i, TExtButton* v)
{
    if (i < 0 || i >= Count()) throw Exception("Index out of bounds in list write access");
    FItems[size_t(i)] = v;
}

// ---------------------------------------------------------------- bars

TExtBar::TExtBar(TComponent* AOwner, std::unique_ptr<TBarAppearance> Appearance, bool Footer)
    : TCustomControl(AOwner), FAppearance(std::move(Appearance)), FFooter(Footer)
{
    SetDoubleBuffered(true);
    SetTabStop(false);
    FAppearance->OnChange = [this](TObject*) {
        SetVisible(FAppearance->Visible());
        SetHeight(FAppearance->Height());
    };
}

TExtBar::~TExtBar() { FAppearance->OnChange = nullptr; }

TBarButtons* TExtBar::Buttons() const
{
    TBarAppearance* a = EditAppearance();
    return a ? a->BarButtons() : nullptr;
}

void TExtBar::AttachDropDown(TExtCustomDropDown* Edit)
{
    FExtDropDown = Edit;
    FImages = Edit ? Edit->Images() : nullptr;
    if (TBarAppearance* a = EditAppearance()) FAppearance->Assign(*a);
}

void TExtBar::RefreshButtons()
{
    if (FExtDropDown) CreateButtons();
}

void TExtBar::ClearButtons()
{
    for (int i = FButtonList.Count() - 1; i >= 0; --i) delete FButtonList.ItemsEx(i);
    FButtonList.Clear();
}

void TExtBar::CreateButtons()
{
    TBarButtons* items = Buttons();
    if (!FExtDropDown || !items) return;
    ClearButtons();
    const int h = ButtonArea().Height();
    for (int i = 0; i < items->Count(); ++i) {
        THeaderButton* it = items->Item(i);
        auto* b = new TExtButton(this);
        b->SetParent(this);
        if (FFooter) {
            b->SetExtDropDown(FExtDropDown);
            if (auto* f = dynamic_cast<TFooterButton*>(it)) b->SetModalResult(f->ModalResult());
        }
        b->SetAppearance(FExtDropDown->ButtonAppearance());
        b->SetCaption(it->Caption());
        b->SetImages(FImages);
        b->SetImageIndex(it->ImageIndex());
        b->SetEnabled(it->Enabled());
        b->AutoSizeButton();
        if (it->Width() > 0) b->SetWidth(it->Width());
        if (it->Height() > 0) b->SetHeight(it->Height());
        if (b->Height() > h) b->SetHeight(h);
        b->SetTag(i);
        b->OnClick = [this, b](TObject*) { ButtonClicked(b); };
        FButtonList.Add(b);
    }
    ArrangeButtons();
}

void TExtBar::UpdateButtons()
{
    TBarButtons* items = Buttons();
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TExtButton* b = FButtonList.ItemsEx(i);
        if (FExtDropDown) b->SetAppearance(FExtDropDown->ButtonAppearance());
        b->SetImages(FImages);
        if (items && i < items->Count()) {
            b->SetCaption(items->Item(i)->Caption());
            b->SetImageIndex(items->Item(i)->ImageIndex());
            b->SetEnabled(items->Item(i)->Enabled());
        }
        b->AutoSizeButton();
    }
    ArrangeButtons();
}

TRect TExtBar::ButtonArea() const
{
    TRect r = ClientRect();
    r.Left += 2;
    r.Top += 2;
    r.Right -= 2;
    r.Bottom -= FFooter ? 2 : 3;
    return r;
}

void TExtBar::ArrangeButtons()
{
    if (FButtonList.Count() == 0) return;
    const TRect a = ButtonArea();
    int x = FAppearance->ButtonAlignment() == baRight ? a.Right : a.Left;
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TExtButton* b = FButtonList.ItemsEx(i);
        const int top = std::max(a.Top, (a.Bottom - b->Height()) / 2);
        if (FAppearance->ButtonAlignment() == baRight) {
            x -= b->Width();
            b->SetBounds(x, top, b->Width(), b->Height());
        } else {
            b->SetBounds(x, top, b->Width(), b->Height());
            x += b->Width();
        }
    }
}

void TExtBar::Resize()
{
    TCustomControl::Resize();
    ArrangeButtons();
}

void TExtBar::ButtonClicked(TExtButton* B)
{
    TExtCustomDropDown* e = FExtDropDown;
    if (!e) return;
    const int index = int(B->Tag());
    if (FFooter) {
        if (e->OnDropDownFooterButtonClick) e->OnDropDownFooterButtonClick(e, index);
    } else if (e->OnDropDownHeaderButtonClick) {
        e->OnDropDownHeaderButtonClick(e, index);
    }
}

void TExtBar::Paint()
{
    TCanvas* c = Canvas();
    TRect R = ClientRect();
    if (OnDrawBackGround) {
        OnDrawBackGround(this, c, R);
        return;
    }
    TBarAppearance* a = FAppearance.get();
    if (a->ColorTo() == clNone) {
        if (a->Color() != clNone) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(a->Color());
            c->FillRect(R);
        }
    } else {
        DropDownGradient(c, a->Color(), a->ColorTo(), 80, R, a->GradientDirection() == GradientHorizontal);
    }
    const int bw = a->BorderWidth();
    if (a->BorderColor() != clNone && bw > 0) {
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetColor(a->BorderColor());
        c->Pen()->SetWidth(bw);
        const int y = FFooter ? R.Top : R.Bottom - 1;
        c->MoveTo(R.Left, y);
        c->LineTo(R.Right, y);
        const bool popupBorder = FExtDropDown && FExtDropDown->DropDownBorderWidth() > 0 &&
                                 FExtDropDown->DropDownBorderColor() != clNone;
        if (!popupBorder) {
            const int far = FFooter ? R.Bottom - 1 : R.Top;
            c->MoveTo(R.Left, far);
            c->LineTo(R.Right, far);
            c->MoveTo(R.Left, R.Top);
            c->LineTo(R.Left, R.Bottom);
            c->MoveTo(R.Right - 1, R.Top);
            c->LineTo(R.Right - 1, R.Bottom);
        }
        c->Pen()->SetWidth(1);
        c->Pen()->SetColor(BlendColor(a->BorderColor(), clWhite, 20));
        c->Brush()->SetStyle(bsClear);
        TRect t = R;
        if (FFooter) t.Top += bw;
        else t.Bottom -= bw;
        c->Rectangle(t);
        c->Brush()->SetStyle(bsSolid);
    }
    TRect area = R;
    InflateRect(area, -bw, -bw);
    if (a->ImageIndex() >= 0 && FImages) {
        FImages->Draw(c, area.Left + 4, area.Top + (area.Height() - FImages->Height()) / 2, a->ImageIndex());
        area.Left += 4 + FImages->Width() + 8;
    }
    String text = a->Caption();
    if (OnGetText) OnGetText(this, text);
    if (!text.empty()) {
        if (FButtonList.Count() > 0) {
            const TExtButton* last = FButtonList.ItemsEx(FButtonList.Count() - 1);
            area.Right = last->Left() - 2;
        }
        c->Font()->Assign(*a->Font());
        const TPoint size = DrawHTMLText(c, text, area, FImages, false, this);
        if (size.Y < area.Height()) area.Top += (area.Height() - size.Y) / 2;
        c->Brush()->SetStyle(bsClear);
        DrawHTMLText(c, text, area, FImages, true, this);
        c->Brush()->SetStyle(bsSolid);
    }
}

TExtHeader::TExtHeader(TComponent* AOwner) : TExtBar(AOwner, std::make_unique<THeaderAppearance>(), false) {}

TBarAppearance* TExtHeader::EditAppearance() const { return FExtDropDown ? FExtDropDown->DropDownHeader() : nullptr; }

TExtFooter::TExtFooter(TComponent* AOwner) : TExtBar(AOwner, std::make_unique<TFooterAppearance>(), true) {}

TBarAppearance* TExtFooter::EditAppearance() const { return FExtDropDown ? FExtDropDown->DropDownFooter() : nullptr; }

bool TExtFooter::ShowsSizeGrip() const
{
    return FooterAppearance()->SizeGrip() && FExtDropDown && FExtDropDown->DropDownSizeable();
}

TRect TExtFooter::GripRect() const
{
    const TRect R = ClientRect();
    const int bw = FAppearance->BorderWidth();
    return TRect(R.Right - bw - 16, 1, R.Right - bw - 1, R.Bottom);
}

TRect TExtFooter::GripHotArea() const
{
    const TRect R = ClientRect();
    return TRect(R.Right - 12, R.Bottom - 15, R.Right, R.Bottom);
}

TRect TExtFooter::ButtonArea() const
{
    TRect r = TExtBar::ButtonArea();
    if (ShowsSizeGrip()) r.Right = ClientRect().Right - 14;
    return r;
}

void TExtFooter::Paint()
{
    TExtBar::Paint();
    if (OnDrawBackGround || !ShowsSizeGrip()) return;
    TCanvas* c = Canvas();
    const TRect g = GripRect();
    const int L = g.Left, B = g.Bottom;
    const TPoint light[] = {{L + 5, B - 4}, {L + 9, B - 4}, {L + 13, B - 4}, {L + 13, B - 8}, {L + 13, B - 12}, {L + 9, B - 8}};
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    for (const TPoint& p : light) c->FillRect(TRect(p.X, p.Y, p.X + 2, p.Y + 2));
    if (FAppearance->BorderColor() == clNone) return;
    c->Brush()->SetColor(FAppearance->BorderColor());
    for (const TPoint& p : light) c->FillRect(TRect(p.X - 1, p.Y - 1, p.X + 1, p.Y + 1));
}

void TExtFooter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExtBar::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !ShowsSizeGrip() || !GripHotArea().Contains(TPoint(X, Y))) return;
    // The pop-up takes over the pointer and moves its bottom-right corner.
    SetMouseCapture(false);
    if (auto* form = dynamic_cast<TDropDownForm*>(Parent())) form->BeginSizing(ClientToScreen(TPoint(X, Y)));
}

void TExtFooter::MouseMove(TShiftState Shift, int X, int Y)
{
    TExtBar::MouseMove(Shift, X, Y);
    const bool on = ShowsSizeGrip() && GripHotArea().Contains(TPoint(X, Y));
    if (on == FOnGrip) return;
    FOnGrip = on;
    SetCursor(on ? crSizeNWSE : FOldCursor);
}

void TExtFooter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TExtBar::MouseUp(Button, Shift, X, Y);
    FOnGrip = false;
    SetCursor(FOldCursor);
}

void TExtFooter::MouseEnter()
{
    TExtBar::MouseEnter();
    if (!FOnGrip) FOldCursor = Cursor();
}

void TExtFooter::MouseLeave()
{
    TExtBar::MouseLeave();
    FOnGrip = false;
    SetCursor(FOldCursor);
}

// ---------------------------------------------------------------- the pop-up window

TDropDownForm::TDropDownForm(TComponent* AOwner) : TPopupWindow(AOwner)
{
    SetDoubleBuffered(true);
    OnSizing = [this](TObject*) {
        if (FExtDropDown) FExtDropDown->DropDownResizing();
    };
}

TDropDownForm::~TDropDownForm()
{
    if (FExtDropDown) FExtDropDown->DropDownFormDestroyed();
}

void TDropDownForm::AdjustClientRect(TRect& r) const
{
    const int bw = FExtDropDown ? FExtDropDown->DropDownBorderWidth() : 0;
    InflateRect(r, -bw, -bw);
}

void TDropDownForm::InitializeAndUpdate()
{
    if (!FExtDropDown) return;
    THeaderAppearance* h = FExtDropDown->DropDownHeader();
    if (FHeader) {
        FHeader->AttachDropDown(FExtDropDown);
        FHeader->RefreshButtons();
        FHeader->SetVisible(h->Visible());
        FHeader->SetHeight(h->Height());
    } else if (h->Visible()) {
        FHeader = new TExtHeader(this);
        FHeader->SetParent(this);
        FHeader->SetHeight(h->Height());
        FHeader->AttachDropDown(FExtDropDown);
        FHeader->RefreshButtons();
        FHeader->SetAlign(alTop);
    }
    if (FHeader) {
        FHeader->OnDrawBackGround = FExtDropDown->OnDrawHeader;
        FHeader->OnGetText = FExtDropDown->OnGetHeaderText;
    }
    TFooterAppearance* f = FExtDropDown->DropDownFooter();
    if (FFooter) {
        FFooter->AttachDropDown(FExtDropDown);
        FFooter->RefreshButtons();
        FFooter->SetVisible(f->Visible());
        FFooter->SetHeight(f->Height());
    } else if (f->Visible()) {
        FFooter = new TExtFooter(this);
        FFooter->SetParent(this);
        FFooter->SetHeight(f->Height());
        FFooter->AttachDropDown(FExtDropDown);
        FFooter->RefreshButtons();
        FFooter->SetAlign(alBottom);
    }
    if (FFooter) {
        FFooter->OnDrawBackGround = FExtDropDown->OnDrawFooter;
        FFooter->OnGetText = FExtDropDown->OnGetFooterText;
    }
    Realign();
    Invalidate();
}

void TDropDownForm::Paint()
{
    if (!FExtDropDown) return;
    TCanvas* c = Canvas();
    const int bw = FExtDropDown->DropDownBorderWidth();
    TRect r(0, 0, Width(), Height());
    TRect inner = r;
    InflateRect(inner, -bw, -bw);
    const TColor from = FExtDropDown->DropDownColor(), to = FExtDropDown->DropDownColorTo();
    if (from != clNone && to != clNone) {
        FExtDropDown->DrawBackground(c, from, to, 80, inner, FExtDropDown->DropDownGradient());
    } else if (from != clNone) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(from);
        c->FillRect(inner);
    }
    if (bw > 0 && FExtDropDown->DropDownBorderColor() != clNone) {
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetColor(FExtDropDown->DropDownBorderColor());
        c->Pen()->SetWidth(bw);
        c->Brush()->SetStyle(bsClear);
        // A wide pen straddles its line: moved in by half its width it stays inside.
        c->Rectangle(r.Left + bw / 2, r.Top + bw / 2, r.Right, r.Bottom);
        c->Pen()->SetWidth(1);
        c->Brush()->SetStyle(bsSolid);
    }
}

void TDropDownForm::Resize()
{
    TPopupWindow::Resize();
    Invalidate();
}

void TDropDownForm::Deactivated(TControl* Target)
{
    if (FBlockActivate || !Visible()) return;
    FDeActivate = GetTickCount();
    TPopupWindow::Deactivated(Target);
    if (FExtDropDown) FExtDropDown->CloseDropDown(FCancelOnDeActivate);
    else Hide();
}

void TDropDownForm::VisibleChanged()
{
    TPopupWindow::VisibleChanged();
    if (!Visible() && FExtDropDown) FExtDropDown->AfterDropUp();
}

void TDropDownForm::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TPopupWindow::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && FSizeable && X >= Width() - 10 && Y >= Height() - 10) BeginSizing(ClientToScreen(TPoint(X, Y)));
}

bool TDropDownForm::DoMouseWheel(TShiftState Shift, int Delta, TPoint MousePos)
{
    if (!FExtDropDown) return TPopupWindow::DoMouseWheel(Shift, Delta, MousePos);
    if (Delta < 0) FExtDropDown->HandleDropDownWheelDown();
    else FExtDropDown->HandleDropDownWheelUp();
    return true;
}
