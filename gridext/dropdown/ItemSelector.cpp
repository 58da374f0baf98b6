#include "gridext/dropdown/ItemSelector.h"

#include <algorithm>

#include "grid/html/MiniHTML.h"
#include "grid/util/GridDrawUtils.h"
#include "platform/gui/Forms.h"

// ---------------------------------------------------------------- items

void TSelectorItem::Assign(const TSelectorItem& S)
{
    SetCaption(S.FCaption);
    SetColor(S.FColor);
    SetImageIndex(S.FImageIndex);
    FImage.Assign(&S.FImage);
    FEnabled = S.FEnabled;
    FHint = S.FHint;
}

int TSelectorItem::Index() const
{
    for (int i = 0; FCollection && i < FCollection->Count(); ++i)
        if (FCollection->Items(i) == this) return i;
    return -1;
}

void TSelectorItem::Changed()
{
    if (FCollection) FCollection->Changed();
}

void TSelectorItem::SetCaption(const String& v)
{
    if (v == FCaption) return;
    FCaption = v;
    Changed();
}

void TSelectorItem::SetColor(TColor v)
{
    if (v == FColor) return;
    FColor = v;
    Changed();
}

void TSelectorItem::SetImageIndex(int v)
{
    if (v == FImageIndex) return;
    FImageIndex = v;
    Changed();
}

TSelectorItem* TSelectorItems::Insert(int Index)
{
    Index = std::clamp(Index, 0, Count());
    FItems.insert(FItems.begin() + Index, std::make_unique<TSelectorItem>(this));
    return FItems[size_t(Index)].get();
}

void TSelectorItems::Delete(int Index)
{
    if (Index >= 0 && Index < Count()) FItems.erase(FItems.begin() + Index);
}

void TSelectorItems::Assign(const TSelectorItems& S)
{
    if (&S == this) return;
    FItems.clear();
    for (int i = 0; i < S.Count(); ++i) Add()->Assign(*S.Items(i));
}

// ---------------------------------------------------------------- appearance

TItemAppearance::TItemAppearance()
{
    FFont.SetName("Tahoma");
    ApplyColorStyle(scOffice2007);
}

void TItemAppearance::ApplyColorStyle(TSelectionColorStyle Style)
{
    if (Style == FColorStyle) return;
    FColorStyle = Style;
    struct TPreset {
        TColor Hot, HotTo, MirrorHot, MirrorHotTo, Top, Bottom, Border, Edge, Sel, SelTo, MirrorSel, MirrorSelTo;
    };
    static const TPreset presets[] = {
        {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF, 0xA6FFFB, 0x04B9F4, 0x15C1FB,
         0x68E3F9},
        {0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4, clNone, clNone},
        {0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2, clNone, clNone},
    };
    if (Style == scCustom) return;
    const TPreset& p = presets[Style - scOffice2007];
    FColorHot = p.Hot;
    FColorHotTo = p.HotTo;
    FColorMirrorHot = p.MirrorHot;
    FColorMirrorHotTo = p.MirrorHotTo;
    FBorderColorTop = p.Top;
    FBorderColorBottom = p.Bottom;
    FBorderColor = p.Border;
    FEdgeColor = p.Edge;
    FColorSelected = p.Sel;
    FColorSelectedTo = p.SelTo;
    FColorMirrorSelected = p.MirrorSel;
    FColorMirrorSelectedTo = p.MirrorSelTo;
}

void TItemAppearance::Assign(const TItemAppearance& S)
{
    FColorHot = S.FColorHot;
    FColorHotTo = S.FColorHotTo;
    FColorMirrorHot = S.FColorMirrorHot;
    FColorMirrorHotTo = S.FColorMirrorHotTo;
    FBorderColorTop = S.FBorderColorTop;
    FBorderColorBottom = S.FBorderColorBottom;
    FBorderColor = S.FBorderColor;
    FEdgeColor = S.FEdgeColor;
    FColorSelected = S.FColorSelected;
    FColorSelectedTo = S.FColorSelectedTo;
    FColorMirrorSelected = S.FColorMirrorSelected;
    FColorMirrorSelectedTo = S.FColorMirrorSelectedTo;
    FFont.Assign(S.FFont);
    ApplyColorStyle(S.FColorStyle);
    FColorSelectedText = S.FColorSelectedText;
    FColorHotText = S.FColorHotText;
    FBorderColorHot = S.FBorderColorHot;
    FBorderColorSelected = S.FBorderColorSelected;
}

// ---------------------------------------------------------------- panel

TCustomItemSelector::TCustomItemSelector(TComponent* AOwner) : TCustomControl(AOwner)
{
    FExtItemSelector = dynamic_cast<TExtCustomItemSelector*>(AOwner);
    if (!FExtItemSelector) throw Exception("Invalid parent");
    SetParentColor(true);
    SetShowHint(true);
}

TSelectorItems* TCustomItemSelector::Items() const { return FExtItemSelector->Items(); }

bool TCustomItemSelector::Valid(int Index) const { return Index >= 0 && Index < Items()->Count(); }

TRect TCustomItemSelector::GetItemsRect() const
{
    TRect r = ClientRect();
    InflateRect(r, -FOffSetX, -FOffSetY);
    return r;
}

TPoint TCustomItemSelector::GetItemSize()
{
    TExtCustomItemSelector* x = FExtItemSelector;
    if (x->OnItemSize) {
        TPoint s;
        x->OnItemSize(this, s);
        return s;
    }
    int w = 0, h = 0, tw = 0, th = 0;
    if (x->SelectorType() == stColor) {
        w = x->ColorBoxWidth();
        h = x->ColorBoxHeight();
    }
    TCanvas* c = Canvas();
    c->Font()->Assign(*x->ItemAppearance()->Font());
    for (int i = 0; i < Items()->Count(); ++i) {
        TSelectorItem* it = Items()->Items(i);
        if (x->SelectorType() == stImage) {
            if (!it->Image()->Empty()) {
                w = std::max(w, it->Image()->Width());
                h = std::max(h, it->Image()->Height());
            } else if (x->Images() && it->ImageIndex() >= 0) {
                w = std::max(w, x->Images()->Width());
                h = std::max(h, x->Images()->Height());
            }
        }
        const TPoint t = DrawHTMLText(c, it->Caption(), TRect(0, 0, 1000, 500), x->Images(), false, this);
        tw = std::max(tw, t.X);
        th = std::max(th, t.Y);
    }
    if (tw > 0) tw += 4;
    TPoint s;
    if (x->ItemLayout() == ilCaptionLeft || x->ItemLayout() == ilCaptionRight) {
        s.X = 2 * FItemOffSetX + (w > 0 ? w : 0) + (w > 0 && tw > 0 ? FCaptionGap : 0) + tw;
        s.Y = std::max(th, h) + 2 * FItemOffSetY;
    } else {
        s.X = std::max(tw, w) + 2 * FItemOffSetX;
        s.Y = 2 * FItemOffSetY + (h > 0 ? h : 0) + (h > 0 && th >= 1 ? FCaptionGap : 0) + th;
    }
    return s;
}

void TCustomItemSelector::ArrangeItems()
{
    TSelectorItems* items = Items();
    if (items->Count() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    const TPoint size = GetItemSize();
    const int W = size.X, H = size.Y;
    const int L = FOffSetX, T = FOffSetY;
    const int columns = FExtItemSelector->Columns();
    int x = L, y = T, col = 0, right = L;
    for (int i = 0; i < items->Count(); ++i) {
        items->Items(i)->FRect = TRect(x, y, x + W, y + H);
        right = std::max(right, x);
        ++col;
        if (i == items->Count() - 1) break;
        if (col < columns) {
            x += W;
        } else {
            x = L;
            y += H;
            col = 0;
        }
    }
    SetBounds(Left(), Top(), right + W + L, y + H + T);
    Invalidate();
}

int TCustomItemSelector::ItemAtPos(int X, int Y) const
{
    for (int i = 0; i < Items()->Count(); ++i)
        if (Items()->Items(i)->FRect.Contains(TPoint(X, Y))) return i;
    return -1;
}

TRect TCustomItemSelector::GetItemRect(int Index) const
{
    return Valid(Index) ? Items()->Items(Index)->FRect : TRect(-1, -1, -1, -1);
}

void TCustomItemSelector::InvalidateItem(int Index)
{
    if (Valid(Index)) InvalidateRect(Items()->Items(Index)->FRect);
}

void TCustomItemSelector::SetItemIndex(int Value)
{
    if (Valid(Value) && !Items()->Items(Value)->FEnabled) return;
    if (FItemIndex >= 0 && FItemIndex != Value) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = Value;
    if (Value < 0) return;
    InvalidateItem(Value);
    if (OnItemSelect) OnItemSelect(this);
}

void TCustomItemSelector::SetHotItem(int Index)
{
    if (Index == FItemHot || (Valid(Index) && !Items()->Items(Index)->FEnabled)) return;
    const int old = FItemHot;
    FItemHot = Index;
    InvalidateItem(old);
    if (Index >= 0) InvalidateItem(Index);
}

void TCustomItemSelector::SelectFirst()
{
    if (Items()->Count() > 0) SetItemIndex(0);
}

void TCustomItemSelector::SelectLast()
{
    if (Items()->Count() > 0) SetItemIndex(Items()->Count() - 1);
}

void TCustomItemSelector::SelectNext()
{
    if (Items()->Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex + 1 < Items()->Count()) SetItemIndex(FItemIndex + 1);
}

void TCustomItemSelector::SelectPrevious()
{
    if (Items()->Count() == 0) return;
    if (FItemIndex < 0) SetItemIndex(0);
    else if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}

void TCustomItemSelector::HotNext()
{
    if (Items()->Count() == 0) return;
    if (FItemHot < 0) SetHotItem(0);
    else if (FItemHot + 1 < Items()->Count()) SetHotItem(FItemHot + 1);
}

void TCustomItemSelector::HotPrevious()
{
    if (Items()->Count() == 0) return;
    if (FItemHot < 0) SetHotItem(0);
    else if (FItemHot - 1 >= 0) SetHotItem(FItemHot - 1);
}

bool TCustomItemSelector::LookupItem(const String& S)
{
    for (int i = 0; i < Items()->Count(); ++i) {
        const String t = UpperCase(Trim(StripHTMLTags(Items()->Items(i)->Caption())));
        if (t.compare(0, S.size(), S) == 0) {
            SetItemIndex(i);
            return true;
        }
    }
    return false;
}

void TCustomItemSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (Valid(i) && Items()->Items(i)->FEnabled) SetItemIndex(i);
}

void TCustomItemSelector::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i < 0) {
        SetHotItem(-1);
        return;
    }
    if (i == FItemHot) return;
    if (!Items()->Items(i)->FEnabled) {
        SetHotItem(-1);
        return;
    }
    SetHotItem(i);
    SetHint(Items()->Items(i)->Hint());
    Application->CancelHint();
}

void TCustomItemSelector::MouseLeave()
{
    TCustomControl::MouseLeave();
    SetHotItem(-1);
}

void TCustomItemSelector::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    for (int i = 0; i < Items()->Count(); ++i) DrawItem(i, c);
}

void TCustomItemSelector::DrawItem(int Index, TCanvas* ACanvas)
{
    if (!Valid(Index) || !ACanvas) return;
    TSelectorItem* it = Items()->Items(Index);
    const TRect R = it->FRect;
    if (R.Left < 0 && R.Right < 0) return;
    TExtCustomItemSelector* x = FExtItemSelector;
    TItemAppearance* a = x->ItemAppearance();
    TColor border = a->BorderColor(), top = a->BorderColorTop(), bottom = a->BorderColorBottom(), edge = a->EdgeColor();
    TColor fill = clNone, fillTo = clNone, mirror = clNone, mirrorTo = clNone;
    const bool hot = Index == FItemHot, selected = Index == FItemIndex;
    const auto state = [&](TColor f, TColor ft, TColor m, TColor mt, TColor b) {
        fill = f;
        fillTo = ft;
        mirror = m;
        mirrorTo = mt;
        if (b != clNone) {
            border = b;
            top = bottom = edge = clNone;
        }
    };
    if (hot) state(a->ColorHot(), a->ColorHotTo(), a->ColorMirrorHot(), a->ColorMirrorHotTo(), a->BorderColorHot());
    if (selected)
        state(a->ColorSelected(), a->ColorSelectedTo(), a->ColorMirrorSelected(), a->ColorMirrorSelectedTo(),
              a->BorderColorSelected());
    if (!hot && !selected) {
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(Color());
        ACanvas->FillRect(R);
    } else if (top == clNone) {
        if (fillTo != clNone && fill != clNone) DropDownGradient(ACanvas, fill, fillTo, 80, R, false);
        else if (fill != clNone) {
            ACanvas->Brush()->SetStyle(bsSolid);
            ACanvas->Brush()->SetColor(fill);
            ACanvas->FillRect(R);
        }
        if (border != clNone) {
            ACanvas->Brush()->SetStyle(bsClear);
            ACanvas->Pen()->SetColor(border);
            ACanvas->Pen()->SetWidth(1);
            ACanvas->Rectangle(R);
            ACanvas->Brush()->SetStyle(bsSolid);
        }
    } else {
        DrawGradientButtonFace(ACanvas, fill, fillTo, mirror, mirrorTo, top, bottom, border, edge, Color(), R, 0);
    }
    if (x->OnDrawItem) {
        x->OnDrawItem(this, ACanvas, R, Index);
        return;
    }
    int w = 0, h = 0;
    enum { none, box, picture, image } content = none;
    if (x->SelectorType() == stColor) {
        w = x->ColorBoxWidth();
        h = x->ColorBoxHeight();
        content = box;
    } else if (!it->Image()->Empty()) {
        w = it->Image()->Width();
        h = it->Image()->Height();
        content = picture;
    } else if (x->Images() && it->ImageIndex() >= 0) {
        w = x->Images()->Width();
        h = x->Images()->Height();
        content = image;
    }
    TRect C = R, K = R;
    InflateRect(C, -FItemOffSetX, -FItemOffSetY);
    InflateRect(K, -FItemOffSetX, -FItemOffSetY);
    ACanvas->Font()->Assign(*a->Font());
    if (hot) ACanvas->Font()->SetColor(a->ColorHotText());
    if (selected) ACanvas->Font()->SetColor(a->ColorSelectedText());
    const String caption = it->Caption();
    // The content at (px, py): the colour box, the picture or the image.
    const auto drawContent = [&](int px, int py) {
        if (content == box) {
            ACanvas->Pen()->SetColor(clBlack);
            ACanvas->Brush()->SetStyle(bsSolid);
            ACanvas->Brush()->SetColor(it->Color() == clNone ? Color() : it->Color());
            ACanvas->Rectangle(px, py, px + w, py + h);
        } else if (content == picture) {
            ACanvas->Draw(px, py, it->Image());
        } else if (content == image) {
            x->Images()->Draw(ACanvas, px, py, it->ImageIndex(), it->FEnabled);
        }
    };
    const auto captionCentred = [&](TRect k) {
        const TPoint s = DrawHTMLText(ACanvas, caption, k, x->Images(), false, this);
        if (s.Y < k.Height()) k.Top += (k.Height() - s.Y) / 2;
        ACanvas->Brush()->SetStyle(bsClear);
        DrawHTMLText(ACanvas, caption, k, x->Images(), true, this);
        ACanvas->Brush()->SetStyle(bsSolid);
        return s;
    };
    const auto plain = [&](const TRect& k) {
        ACanvas->Brush()->SetStyle(bsClear);
        const TPoint s = DrawHTMLText(ACanvas, caption, k, x->Images(), true, this);
        ACanvas->Brush()->SetStyle(bsSolid);
        return s;
    };
    switch (x->ItemLayout()) {
    case ilCaptionLeft:
        if (!caption.empty()) {
            K.Right -= w;
            const TPoint s = captionCentred(K);
            C.Left = K.Left + s.X + FCaptionGap;
        }
        drawContent(C.Left, content == box ? C.Top : C.Top + (C.Height() - h) / 2);
        break;
    case ilCaptionRight:
        drawContent(C.Left, content == box ? C.Top : C.Top + (C.Height() - h) / 2);
        K.Left = C.Left + w + FCaptionGap;
        if (!caption.empty()) captionCentred(K);
        break;
    case ilCaptionTop:
        if (!caption.empty()) {
            K.Bottom -= h;
            const TPoint s = plain(K);
            C.Top = K.Top + s.Y + FCaptionGap;
        } else {
            C.Top += (C.Height() - h) / 2;
        }
        C.Left += (C.Width() - w) / 2;
        drawContent(C.Left, C.Top);
        break;
    case ilCaptionBottom:
        if (caption.empty()) C.Top += (C.Height() - h) / 2;
        C.Left += (C.Width() - w) / 2;
        drawContent(C.Left, C.Top);
        if (content != none) K.Top = C.Top + h + FCaptionGap;
        if (!caption.empty()) plain(K);
        break;
    }
}

// ---------------------------------------------------------------- outer selector

TExtCustomItemSelector::TExtCustomItemSelector(TComponent* AOwner) : TCustomControl(AOwner), FItems(this)
{
    SetColor(clWindow);
    FItems.OnChange = [this](TObject*) { UpdateSelectorPanel(); };
    FItemAppearance.OnChange = [](TObject*) {};
    FScrollBar = new TScrollBar(this);
    FScrollBar->SetKind(sbVertical);
    FScrollBar->SetParent(this);
    FScrollBar->SetVisible(false);
    FScrollBar->OnChange = [this](TObject*) { ScrollTo(FScrollBar->Position()); };
    FItemSelectorPanel = new TCustomItemSelector(this);
    FItemSelectorPanel->SetParent(this);
    FItemSelectorPanel->OnItemSelect = [this](TObject*) {
        if (OnItemSelect) OnItemSelect(this);
    };
    UpdateSelectorPanel();
}

TExtCustomItemSelector::~TExtCustomItemSelector()
{
    FItems.OnChange = nullptr;
    SetImages(nullptr);
}

void TExtCustomItemSelector::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_GETDLGCODE) {
        msg.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
        return;
    }
    TCustomControl::WndProc(msg);
}

void TExtCustomItemSelector::SetColumns(int v)
{
    if (v < 1) return;
    FColumns = v;
    UpdateSelectorPanel();
}

void TExtCustomItemSelector::SetSelectorType(TSelectorType v)
{
    FSelectorType = v;
    UpdateSelectorPanel();
}

void TExtCustomItemSelector::SetImages(TImageList* v)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = v;
    if (v) v->FreeNotification(this);
    if (!FDestroying) UpdateSelectorPanel();
}

void TExtCustomItemSelector::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FItemSelectorPanel) FItemSelectorPanel = nullptr;
    if (AComponent == FScrollBar) FScrollBar = nullptr;
}

void TExtCustomItemSelector::SetColorBoxHeight(int v)
{
    FColorBoxHeight = v;
    UpdateSelectorPanel();
}

void TExtCustomItemSelector::SetColorBoxWidth(int v)
{
    FColorBoxWidth = v;
    UpdateSelectorPanel();
}

void TExtCustomItemSelector::UpdateSelectorPanel()
{
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->ArrangeItems();
    UpdateScrollRange();
}

void TExtCustomItemSelector::Resize()
{
    TCustomControl::Resize();
    UpdateScrollRange();
}

void TExtCustomItemSelector::UpdateScrollRange()
{
    if (!FItemSelectorPanel || !FScrollBar) return;
    const int ph = FItemSelectorPanel->Height(), ch = ClientHeight();
    const bool show = ph > ch && ch > 0;
    FScrollBar->SetVisible(show);
    if (show) {
        FScrollBar->SetBounds(ClientWidth() - 17, 0, 17, ch);
        FScrollBar->SetPageSize(0);
        FScrollBar->SetParams(std::min(FScrollBar->Position(), ph - ch), 0, ph - ch);
        FScrollBar->SetLargeChange(std::max(1, ch));
    } else {
        FScrollBar->SetPosition(0);
    }
    ScrollTo(show ? FScrollBar->Position() : 0);
}

void TExtCustomItemSelector::ScrollTo(int Position)
{
    if (FItemSelectorPanel) FItemSelectorPanel->SetTop(-Position);
}

void TExtCustomItemSelector::SetItemIndex(int n)
{
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SetItemIndex(n);
    ScrollItemInView(FItemSelectorPanel->ItemIndex());
}

void TExtCustomItemSelector::SelectFirst()
{
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SelectFirst();
    ScrollItemInView(ItemIndex());
}

void TExtCustomItemSelector::SelectLast()
{
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SelectLast();
    ScrollItemInView(ItemIndex());
}

void TExtCustomItemSelector::SelectNext()
{
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SelectNext();
    ScrollItemInView(ItemIndex());
}

void TExtCustomItemSelector::SelectPrevious()
{
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->SelectPrevious();
    ScrollItemInView(ItemIndex());
}

void TExtCustomItemSelector::HotNext()
{
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->HotNext();
    ScrollItemInView(ItemHot());
}

void TExtCustomItemSelector::HotPrevious()
{
    if (!FItemSelectorPanel) return;
    FItemSelectorPanel->HotPrevious();
    ScrollItemInView(ItemHot());
}

bool TExtCustomItemSelector::LookupItem(const String& S)
{
    return FItemSelectorPanel ? FItemSelectorPanel->LookupItem(S) : false;
}

int TExtCustomItemSelector::GetVisibleItemCount() const
{
    if (!FItemSelectorPanel || FItems.Count() == 0) return 0;
    const int h = FItems.Items(0)->FRect.Height();
    return h > 0 ? ClientHeight() / h * FColumns : 0;
}

void TExtCustomItemSelector::ScrollItemInView(int Index)
{
    if (!FItemSelectorPanel || !FScrollBar || !FScrollBar->Visible() || Index < 0 || Index >= FItems.Count()) return;
    TRect r = FItemSelectorPanel->GetItemRect(Index);
    OffsetRect(r, 0, FItemSelectorPanel->Top());
    const int ch = ClientHeight();
    int pos = FScrollBar->Position();
    if (r.Top < 0) {
        pos += r.Top;
    } else if (r.Bottom > ch) {
        const int bottom = r.Height() > ch ? r.Top + ch : r.Bottom;
        pos += bottom - ch;
    }
    if (pos != FScrollBar->Position()) FScrollBar->SetPosition(pos);
    ScrollTo(FScrollBar->Position());
}

void TExtCustomItemSelector::GetSelectorPanelSize(int& W, int& H) const
{
    if (!FItemSelectorPanel) {
        W = 100;
        H = 50;
        return;
    }
    W = FItemSelectorPanel->Width();
    H = FItemSelectorPanel->Height();
}
