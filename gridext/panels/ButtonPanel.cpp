// The button pad: buttons, their look, the calculator's layout, drawing and the mouse.
#include "gridext/panels/ButtonPanel.h"

#include <algorithm>

#include "grid/util/GridTheme.h"

// ---------------------------------------------------------------- TButtonItem

TButtonItem::TButtonItem(TButtonItems* ACollection) : FCollection(ACollection) {}

void TButtonItem::Assign(const TButtonItem& Source)
{
    SetCaption(Source.Caption());
    SetCaptionColor(Source.CaptionColor());
    FTag = Source.FTag;
    FImageIndex = Source.FImageIndex;
    FImage.Assign(&Source.FImage);
    FEnabled = Source.FEnabled;
    FName = Source.FName;
}

int TButtonItem::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

// ---------------------------------------------------------------- TButtonItems

TButtonItem* TButtonItems::Add() { return Insert(Count()); }

TButtonItem* TButtonItems::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    auto* item = new TButtonItem(this);
    FItems.insert(FItems.begin() + Index, std::unique_ptr<TButtonItem>(item));
    Changed();
    return item;
}

void TButtonItems::Clear()
{
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

int TButtonItems::IndexOf(const TButtonItem* Item) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == Item) return int(i);
    return -1;
}

void TButtonItems::Assign(const TButtonItems& Source)
{
    if (&Source == this) return;
    FItems.clear();
    for (const auto& it : Source.FItems) {
        auto* item = new TButtonItem(this);
        item->Assign(*it);
        item->FSpecial = it->FSpecial;
        FItems.emplace_back(item);
    }
    Changed();
}

void TButtonItems::Changed()
{
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- TButtonAppearance

TButtonAppearance::TButtonAppearance()
{
    FFont.SetSize(10);
    FFont.SetStyle(TFontStyles{fsBold});
}

void TButtonAppearance::Assign(const TButtonAppearance& Source)
{
    SetBorderColor(Source.BorderColor());
    SetBorderColorHot(Source.BorderColorHot());
    SetBorderColorDown(Source.BorderColorDown());
    SetTextColor(Source.TextColor());
    SetSpecialTextColor(Source.SpecialTextColor());
    SetColor(Source.Color());
    SetColorTo(Source.ColorTo());
    SetColorHot(Source.ColorHot());
    SetColorHotTo(Source.ColorHotTo());
    SetColorDown(Source.ColorDown());
    SetColorDownTo(Source.ColorDownTo());
    SetShineColor(Source.ShineColor());
    GlowColorHot = Source.GlowColorHot;
    GlowColorDown = Source.GlowColorDown;
    FFont.Assign(Source.FFont);
}

void TButtonAppearance::Changed()
{
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------- TCustomButtonPanel

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner) : TCustomControl(AOwner), FButtons(this)
{
    SetDoubleBuffered(true);
    SetBounds(0, 0, 228, 150);
    FButtons.OnChange = [this](TObject* s) { Changed(s); };
    FButtonAppearance.OnChange = [this](TObject* s) { Changed(s); };
    FButtonAppearance.Font()->OnChange = [this](TObject* s) { Changed(s); };
}

TCustomButtonPanel::~TCustomButtonPanel()
{
    FButtons.OnChange = nullptr;
    FButtonAppearance.OnChange = nullptr;
    FButtonAppearance.Font()->OnChange = nullptr;
}

void TCustomButtonPanel::Changed(TObject*)
{
    // A pad inside a drop-down is repainted by its picker when the drop-down opens.
    if (!FDropDown) Invalidate();
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType v)
{
    if (FButtonPanelType == v) return;
    FButtonPanelType = v;
    ArrangeButtons();
    Invalidate();
}

void TCustomButtonPanel::SetImages(TImageList* v)
{
    if (FImages == v) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = v;
    if (FImages) FImages->FreeNotification(this);
    ArrangeButtons();
    Invalidate();
}

void TCustomButtonPanel::SetEdit(TWinControl* v)
{
    if (FEdit == v) return;
    if (FEdit) FEdit->RemoveFreeNotification(this);
    FEdit = v;
    if (FEdit) FEdit->FreeNotification(this);
}

void TCustomButtonPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FEdit) FEdit = nullptr;
}

int TCustomButtonPanel::ButtonAt(int X, int Y) const
{
    for (int i = 0; i < FButtons.Count(); ++i)
        if (PtInRect(FButtons.Items(i)->BoundsRect(), Point(X, Y))) return i;
    return -1;
}

TRect TCustomButtonPanel::GetButtonsRect() const
{
    TRect r = ClientRect();
    InflateRect(r, -MarginX, -MarginY);
    return r;
}

TPoint TCustomButtonPanel::GetButtonSize()
{
    TPoint size;
    Canvas()->SetFont(FButtonAppearance.Font());
    for (int i = 0; i < FButtons.Count(); ++i) {
        TButtonItem* b = FButtons.Items(i);
        int w = 0, h = 0;
        if (TGraphic* g = b->Image()->Graphic()) {
            w = g->Width();
            h = g->Height();
        } else if (FImages && b->ImageIndex() >= 0) {
            w = FImages->Width();
            h = FImages->Height();
        }
        if (!b->Caption().empty()) {
            const TPoint t = Canvas()->TextExtent(b->Caption());
            if (FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight) {
                w += t.X;
                h = std::max(h, t.Y);
            } else {
                w = std::max(w, t.X);
                h += t.Y;
            }
        }
        size.X = std::max(size.X, w + 2 * ButtonMarginX);
        size.Y = std::max(size.Y, h + 2 * ButtonMarginY);
    }
    return size;
}

void TCustomButtonPanel::ClearButtons()
{
    FHotButton = FPressedButton = -1;
    FButtons.Clear();
}

void TCustomButtonPanel::ResetButtons()
{
    ClearButtons();
    CreateButtons();
}

namespace {
struct TPadButton {
    const char* Caption;
    const char* Name;
    int Tag;
    bool Special;
};
// In the order of the collection: the rows are placed by ArrangeButtons.
const TPadButton Calculator_Buttons[] = {
    {"", "BTN_ON", 30, false},       {"Back", "BTN_BACK", 31, true}, {"CE", "BTN_CE", 32, true},
    {"C", "BTN_C", 16, true},        {"MC", "BTN_MC", 33, true},     {"MR", "BTN_MR", 34, true},
    {"MS", "BTN_MS", 35, true},      {"M+", "BTN_M+", 36, true},     {"0", "BTN_0", 0, false},
    {"1", "BTN_1", 1, false},        {"4", "BTN_4", 4, false},       {"7", "BTN_7", 7, false},
    {"8", "BTN_8", 8, false},        {"5", "BTN_5", 5, false},       {"2", "BTN_2", 2, false},
    {"+/-", "BTN_+/-", 14, false},   {".", "BTN_.", 15, false},      {"3", "BTN_3", 3, false},
    {"6", "BTN_6", 6, false},        {"9", "BTN_9", 9, false},       {"/", "BTN_/", 13, true},
    {"*", "BTN_*", 12, true},        {"-", "BTN_-", 11, true},       {"+", "BTN_+", 10, true},
    {"=", "BTN_=", 17, true},        {"1/x", "BTN_1/x", 38, false},  {"%", "BTN_%", 18, false},
    {"sqrt", "BTN_sqrt", 37, true},
};
}   // namespace

void TCustomButtonPanel::CreateButtons()
{
    if (FButtons.Count() > 0) return;
    if (FButtonPanelType == plCalculator) {
        for (const TPadButton& d : Calculator_Buttons) {
            TButtonItem* b = FButtons.Add();
            b->SetCaption(d.Caption);
            b->FName = d.Name;
            b->SetTag(d.Tag);
            b->FSpecial = d.Special;
            if (d.Special) b->SetCaptionColor(TColor(0x000080));
        }
    }
    ArrangeButtons();
}

void TCustomButtonPanel::ArrangeButtons()
{
    if (FButtonPanelType == plCustom || FButtons.Count() == 0) return;
    const TRect r = GetButtonsRect();
    const int gap = 4;
    const int w = (r.Width() - 8) / 6;
    const int h = (r.Height() - 4) / 5;
    // Buttons of one group share their edges, one pixel overlapping.
    const int c[6] = {r.Left, r.Left + w + gap, r.Left + 2 * w + gap - 1, r.Left + 3 * w + gap - 2,
                      r.Left + 4 * w + 2 * gap - 2, r.Left + 5 * w + 2 * gap - 3};
    const int rows[5] = {r.Top, r.Top + h + gap, r.Top + 2 * h + gap - 1, r.Top + 3 * h + gap - 2,
                         r.Top + 4 * h + gap - 3};
    auto place = [&](const char* name, int x, int y, int width) {
        for (int i = 0; i < FButtons.Count(); ++i) {
            TButtonItem* b = FButtons.Items(i);
            if (b->FName != name) continue;
            b->FLeft = x;
            b->FTop = y;
            b->FWidth = width;
            b->FHeight = h;
        }
    };
    const char* grid[4][6] = {
        {"BTN_MC", "BTN_7", "BTN_8", "BTN_9", "BTN_/", "BTN_sqrt"},
        {"BTN_MR", "BTN_4", "BTN_5", "BTN_6", "BTN_*", "BTN_%"},
        {"BTN_MS", "BTN_1", "BTN_2", "BTN_3", "BTN_-", "BTN_1/x"},
        {"BTN_M+", "BTN_0", "BTN_+/-", "BTN_.", "BTN_+", "BTN_="},
    };
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 6; ++col) place(grid[row][col], c[col], rows[row + 1], w);
    place("BTN_ON", c[0], rows[0], w);
    const int s = c[0] + w + gap;
    const int v = (c[5] + w - s - 8) / 3;
    place("BTN_BACK", s, rows[0], v);
    place("BTN_CE", s + v + gap, rows[0], v);
    place("BTN_C", s + 2 * v + 2 * gap, rows[0], c[5] + w - (s + 2 * v + 2 * gap));
}

void TCustomButtonPanel::Resize()
{
    TCustomControl::Resize();
    ArrangeButtons();
}

void TCustomButtonPanel::InvalidateButton(int Index)
{
    if (Index < 0 || Index >= FButtons.Count()) return;
    TRect r = FButtons.Items(Index)->BoundsRect();
    InflateRect(r, 8, 8);
    InvalidateRect(r);
}

void TCustomButtonPanel::DoButtonClick(int Index)
{
    if (OnButtonClick) OnButtonClick(this, Index);
}

void TCustomButtonPanel::DrawButton(int Index, TCanvas* ACanvas)
{
    if (Index < 0 || Index >= FButtons.Count() || !ACanvas) return;
    TButtonItem* b = FButtons.Items(Index);
    const TRect r = b->BoundsRect();
    if (r.Left < 0 && r.Right < 0) return;

    ACanvas->FillRect(r);
    int state = PBS_NORMAL;
    if (!Enabled())
        state = PBS_DISABLED;
    else if (Index == FPressedButton)
        state = PBS_PRESSED;
    else if (Index == FHotButton)
        state = PBS_HOT;
    if (!DrawThemedPart(Handle(), ACanvas, VSCLASS_BUTTON, BP_PUSHBUTTON, state, r)) {
        // Without visual styles: a plain raised face, sunken while pressed.
        TRect face = r;
        Frame3D(ACanvas, face, state == PBS_PRESSED ? clBtnShadow : clBtnHighlight,
                state == PBS_PRESSED ? clBtnHighlight : clBtnShadow, 1);
    }

    ACanvas->SetFont(FButtonAppearance.Font());
    ACanvas->Font()->SetColor(b->FSpecial ? FButtonAppearance.SpecialTextColor() : FButtonAppearance.TextColor());
    ACanvas->Brush()->SetStyle(bsClear);

    TRect content = r;
    InflateRect(content, -ButtonMarginX, -ButtonMarginY);
    const TGraphic* pic = b->Image()->Graphic();
    const bool hasImage = FImages && b->ImageIndex() >= 0;
    int pw = 0, ph = 0;
    if (pic) {
        pw = pic->Width();
        ph = pic->Height();
    } else if (hasImage) {
        pw = FImages->Width();
        ph = FImages->Height();
    }
    auto drawPicture = [&](int x, int y) {
        if (pic)
            ACanvas->Draw(x, y, pic);
        else if (hasImage)
            FImages->Draw(ACanvas, x, y, b->ImageIndex(), b->FEnabled);
    };
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    TRect text = content;
    if (pw > 0) {
        switch (FButtonLayout) {
        case ilCaptionRight:
            drawPicture(content.Left, content.Top + (content.Height() - ph) / 2);
            text.Left += pw;
            break;
        case ilCaptionLeft:
            drawPicture(content.Right - pw, content.Top + (content.Height() - ph) / 2);
            text.Right -= pw;
            break;
        case ilCaptionTop:
            drawPicture(content.Left, content.Bottom - ph);
            text.Bottom -= ph;
            break;
        case ilCaptionBottom:
            drawPicture(content.Left, content.Top);
            text.Top += ph;
            break;
        }
        flags |= (FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight) ? DT_LEFT : DT_CENTER;
    } else {
        flags |= DT_CENTER;
    }
    ACanvas->DrawText(b->Caption(), text, flags);
    ACanvas->Brush()->SetStyle(bsSolid);
}

void TCustomButtonPanel::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(ClientRect());
    if (!FDropDown) {
        c->Brush()->SetColor(clBlack);
        c->FrameRect(ClientRect());
        c->Brush()->SetColor(Color());
    }
    for (int i = 0; i < FButtons.Count(); ++i)
        if (i != FHotButton) DrawButton(i, c);
    if (FHotButton >= 0) DrawButton(FHotButton, c);
}

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const int i = ButtonAt(X, Y);
    if (i < 0 || !FButtons.Items(i)->FEnabled) return;
    FPressedButton = i;
    InvalidateButton(i);
    Update();
}

void TCustomButtonPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    int i = ButtonAt(X, Y);
    if (i >= 0 && !FButtons.Items(i)->FEnabled) i = -1;
    if (i == FHotButton) return;
    InvalidateButton(FHotButton);
    FHotButton = i;
    InvalidateButton(FHotButton);
}

void TCustomButtonPanel::WndProc(TMessage& msg)
{
    // The pointer left the pad: whether or not the pad had heard it enter.
    if (msg.Msg == CM_MOUSELEAVE && FHotButton >= 0) {
        InvalidateButton(FHotButton);
        FHotButton = -1;
    }
    TCustomControl::WndProc(msg);
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FPressedButton < 0) return;
    const int pressed = FPressedButton;
    FPressedButton = -1;
    InvalidateButton(pressed);
    if (ButtonAt(X, Y) == pressed) DoButtonClick(pressed);
}
