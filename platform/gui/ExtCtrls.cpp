#include "platform/gui/ExtCtrls.h"

#include <algorithm>

#include "platform/gui/Forms.h"
#include "platform/gui/qt/Backend.h"

// ---------------------------------------------------------------- TPanel

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width)
{
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    rect.Bottom -= 1;
    rect.Right -= 1;
    while (width-- > 0) {
        TPoint topRight(rect.Right, rect.Top);
        TPoint bottomLeft(rect.Left, rect.Bottom);
        canvas->Pen()->SetColor(topColor);
        canvas->Polyline({bottomLeft, rect.TopLeft(), topRight});
        canvas->Pen()->SetColor(bottomColor);
        bottomLeft.X -= 1;
        canvas->Polyline({topRight, rect.BottomRight(), bottomLeft});
        InflateRect(rect, -1, -1);
    }
    rect.Bottom += 1;
    rect.Right += 1;
}

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TPanel::AdjustClientRect(TRect& r) const
{
    int inset = FBorderWidth;
    if (FBevelOuter != bvNone) inset += FBevelWidth;
    if (FBevelInner != bvNone) inset += FBevelWidth;
    if (FBorderStyle == bsSingle) inset += 1;
    InflateRect(r, -inset, -inset);
}

void TPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (FBorderStyle == bsSingle) {
        c->Brush()->SetColor(clWindowFrame);
        c->FrameRect(r);
        InflateRect(r, -1, -1);
    }
    if (FBevelOuter != bvNone) {
        const bool lowered = FBevelOuter == bvLowered;
        Frame3D(c, r, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
    }
    InflateRect(r, -FBorderWidth, -FBorderWidth);
    if (FBevelInner != bvNone) {
        const bool lowered = FBevelInner == bvLowered;
        Frame3D(c, r, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow, FBevelWidth);
    }
    if (FShowCaption && !Caption().empty()) {
        unsigned flags = DT_SINGLELINE | DT_EXPANDTABS;
        flags |= FAlignment == taLeftJustify ? DT_LEFT : FAlignment == taRightJustify ? DT_RIGHT : DT_CENTER;
        flags |= FVerticalAlignment == taAlignTop ? DT_TOP : FVerticalAlignment == taAlignBottom ? DT_BOTTOM : DT_VCENTER;
        c->Brush()->SetStyle(bsClear);
        if (!Enabled()) c->Font()->SetColor(clGrayText);
        c->DrawText(Caption(), r, flags);
    }
}

// ---------------------------------------------------------------- TShape

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 65, 65);
    FPen.OnChange = [this](TObject*) { Invalidate(); };
    FBrush.OnChange = [this](TObject*) { Invalidate(); };
}

void TShape::Paint()
{
    TCanvas* c = Canvas();
    c->Pen()->Assign(FPen);
    c->Brush()->Assign(FBrush);
    const int pw = FPen.Style() == psClear ? 0 : FPen.Width();
    int x = pw / 2, y = x;
    int w = Width() - pw + 1, h = Height() - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    const int s = std::min(w, h);
    if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = h = s;
    }
    switch (FShape) {
    case stRectangle:
    case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: c->RoundRect(x, y, x + w, y + h, s / 4, s / 4); break;
    case stEllipse:
    case stCircle: c->Ellipse(x, y, x + w, y + h); break;
    }
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 105, 105);
    FPicture.OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() { FPicture.OnChange = nullptr; }

void TImage::PictureChanged()
{
    FPicture.Bitmap()->SetTransparent(FTransparent || FPicture.Bitmap()->Transparent());
    if (FAutoSize && FPicture.Width() > 0) SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
    Invalidate();
}

TRect TImage::DestRect() const
{
    int w = FPicture.Width(), h = FPicture.Height();
    const int cw = ClientWidth(), ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            const double aspect = double(w) / h;
            if (w > h) {
                w = cw;
                h = int(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = int(ch * aspect);
                }
            } else {
                h = ch;
                w = int(ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = int(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = 0, y = 0;
    if (FCenter) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return Bounds(x, y, w, h);
}

void TImage::Paint()
{
    TBitmap* b = FPicture.Bitmap();
    if (b->Empty()) return;
    const bool keep = b->Transparent();
    if (FTransparent) b->SetTransparent(true);
    const TRect r = DestRect();
    if (r.Width() == b->Width() && r.Height() == b->Height()) Canvas()->Draw(r.Left, r.Top, b);
    else Canvas()->StretchDraw(r, b);
    b->SetTransparent(keep);
}

// ---------------------------------------------------------------- TTimer

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { Restart(); }

TTimer::~TTimer()
{
    if (FTimerId) backend::StopTimer(FTimerId);
}

void TTimer::Restart()
{
    if (FTimerId) backend::StopTimer(FTimerId);
    FTimerId = 0;
    if (FEnabled && FInterval > 0)
        FTimerId = backend::StartTimer(FInterval, [this] {
            if (OnTimer) OnTimer(this);
        });
}

void TTimer::SetInterval(unsigned ms)
{
    if (ms == FInterval) return;
    FInterval = ms;
    Restart();
}

void TTimer::SetEnabled(bool v)
{
    if (v == FEnabled) return;
    FEnabled = v;
    Restart();
}

// ---------------------------------------------------------------- TLinkLabel

TLinkLabel::TLinkLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetParentColor(true);
    SetBounds(0, 0, 53, 17);
}

std::vector<TLinkLabel::Piece> TLinkLabel::Layout() const
{
    std::vector<Piece> pieces;
    const String text = Caption();
    size_t i = 0;
    while (i < text.size()) {
        size_t open = text.find("<a", i);
        if (open == String::npos || (open + 2 < text.size() && text[open + 2] != '>' && text[open + 2] != ' ')) {
            if (open == String::npos) {
                pieces.push_back({text.substr(i), "", false, {}});
                break;
            }
            pieces.push_back({text.substr(i, open + 2 - i), "", false, {}});
            i = open + 2;
            continue;
        }
        if (open > i) pieces.push_back({text.substr(i, open - i), "", false, {}});
        size_t gt = text.find('>', open);
        size_t close = gt == String::npos ? String::npos : text.find("</a>", gt);
        if (gt == String::npos || close == String::npos) {
            pieces.push_back({text.substr(open), "", false, {}});
            break;
        }
        String attrs = text.substr(open + 2, gt - open - 2);
        String href;
        size_t h = attrs.find("href=");
        if (h != String::npos) {
            size_t q1 = attrs.find_first_of("\"'", h);
            size_t q2 = q1 == String::npos ? String::npos : attrs.find(attrs[q1], q1 + 1);
            if (q1 != String::npos && q2 != String::npos) href = attrs.substr(q1 + 1, q2 - q1 - 1);
        }
        String inner = text.substr(gt + 1, close - gt - 1);
        pieces.push_back({inner, href.empty() ? inner : href, true, {}});
        i = close + 4;
    }
    TCanvas c;
    c.Font()->Assign(*Font());
    int x = 0;
    const int h = c.TextHeight("Wy");
    for (Piece& p : pieces) {
        int w = c.TextWidth(p.Text);
        p.Box = Bounds(x, 0, w, h);
        x += w;
    }
    return pieces;
}

String TLinkLabel::PlainText() const
{
    String s;
    for (const Piece& p : Layout()) s += p.Text;
    return s;
}

bool TLinkLabel::LinkAt(TPoint pt, String& link) const
{
    for (const Piece& p : Layout())
        if (p.IsLink && p.Box.Contains(pt)) {
            link = p.Link;
            return true;
        }
    link.clear();
    return false;
}

void TLinkLabel::AdjustSize()
{
    auto pieces = Layout();
    int w = pieces.empty() ? 0 : pieces.back().Box.Right;
    TCanvas c;
    c.Font()->Assign(*Font());
    SetBounds(Left(), Top(), w, c.TextHeight("Wy"));
}

void TLinkLabel::TextChanged()
{
    AdjustSize();
    Invalidate();
}

void TLinkLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustSize();
}

void TLinkLabel::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    c->Brush()->SetStyle(bsClear);
    for (const Piece& p : Layout()) {
        c->Font()->Assign(*Font());
        if (p.IsLink) {
            c->Font()->SetColor(Enabled() ? clHotLight : clGrayText);
            c->Font()->SetStyle(c->Font()->Style() | fsUnderline);
        } else if (!Enabled()) {
            c->Font()->SetColor(clGrayText);
        }
        c->TextOut(p.Box.Left, p.Box.Top, p.Text);
    }
}

void TLinkLabel::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    String link;
    if (button == mbLeft && Enabled() && LinkAt(TPoint(x, y), link) && OnLinkClick) OnLinkClick(this, link, sltURL);
}

// ---------------------------------------------------------------- TCategoryPanel

TCategoryPanel::TCategoryPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 200);
}

TCategoryPanel::~TCategoryPanel()
{
    if (TCategoryPanelGroup* g = PanelGroup()) g->PanelRemoved(this);
}

TCategoryPanelGroup* TCategoryPanel::PanelGroup() const { return dynamic_cast<TCategoryPanelGroup*>(Parent()); }

int TCategoryPanel::HeaderHeight() const { return PanelGroup() ? PanelGroup()->HeaderHeight() : 24; }

TRect TCategoryPanel::ClientRect() const { return Rect(0, 0, Width(), std::max(0, Height() - HeaderHeight())); }

void TCategoryPanel::SetParent(TWinControl* p)
{
    TCategoryPanelGroup* oldGroup = PanelGroup();
    TCustomControl::SetParent(p);
    TCategoryPanelGroup* newGroup = PanelGroup();
    if (oldGroup && oldGroup != newGroup) oldGroup->PanelRemoved(this);
    if (newGroup && newGroup != oldGroup) newGroup->PanelAdded(this);
    ApplyWidgetBounds();
}

void TCategoryPanel::SetBounds(int l, int t, int w, int h)
{
    TCategoryPanelGroup* g = PanelGroup();
    if (FPlacing || !g) {
        if (!FPlacing) {
            FExpandedHeight = h;
            if (FCollapsed) h = HeaderHeight();
        }
        TCustomControl::SetBounds(l, t, w, h);
        return;
    }
    // Inside a group: the height is the panel's own, the group places it.
    FExpandedHeight = h;
    if (t != Top()) g->PanelMoved(this, t);
    FPlacing = true;
    TCustomControl::SetBounds(Left(), Top(), Width(), FCollapsed ? HeaderHeight() : h);
    FPlacing = false;
    g->Restack();
}

void TCategoryPanel::SetCollapsed(bool v)
{
    if (v == FCollapsed) return;
    FCollapsed = v;
    FPlacing = true;
    TCustomControl::SetBounds(Left(), Top(), Width(), v ? HeaderHeight() : FExpandedHeight);
    FPlacing = false;
    if (TCategoryPanelGroup* g = PanelGroup()) g->Restack();
    Invalidate();
    if (v && OnCollapse) OnCollapse(this);
    if (!v && OnExpand) OnExpand(this);
}

void TCategoryPanel::VisibleChanged()
{
    TCustomControl::VisibleChanged();
    if (TCategoryPanelGroup* g = PanelGroup()) g->Restack();
}

void TCategoryPanel::Paint()
{
    TCanvas* c = Canvas();
    const int hh = HeaderHeight();
    // Header: a light face with a line below, the caption in bold, a chevron at the right.
    c->Brush()->SetColor(RGB(226, 226, 226));
    c->FillRect(Rect(0, 0, Width(), hh));
    c->Brush()->SetColor(clBtnShadow);
    c->FillRect(Rect(0, hh - 1, Width(), hh));
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(*Font());
    c->Font()->SetStyle(c->Font()->Style() | fsBold);
    if (!Enabled()) c->Font()->SetColor(clGrayText);
    TRect tr = Rect(6, 0, Width() - 24, hh - 1);
    c->DrawText(Caption(), tr, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    const int cx = Width() - 14, cy = hh / 2;
    c->Pen()->SetColor(clWindowText);
    c->Pen()->SetWidth(1);
    if (FCollapsed) c->Polyline({TPoint(cx - 4, cy - 2), TPoint(cx, cy + 2), TPoint(cx + 5, cy - 3)});
    else c->Polyline({TPoint(cx - 4, cy + 2), TPoint(cx, cy - 2), TPoint(cx + 5, cy + 3)});
}

void TCategoryPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    if (button == mbLeft && y >= 0 && y < HeaderHeight() && x >= 0 && x < Width()) SetCollapsed(!FCollapsed);
}

void TCategoryPanel::WndProc(TMessage& msg)
{
    TCustomControl::WndProc(msg);
}

// ---------------------------------------------------------------- TCategoryPanelGroup

TCategoryPanelGroup::TCategoryPanelGroup(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clBtnFace);
    FScrollBar = new TScrollBar(this);
    FScrollBar->SetInternal(true);
    FScrollBar->SetKind(sbVertical);
    FScrollBar->SetVisible(false);
    FScrollBar->SetParent(this);
    FScrollBar->OnScroll = [this](TObject*, TScrollCode, int& pos) { SetScrollPos(pos); };
    SetBounds(0, 0, 200, 400);
}

void TCategoryPanelGroup::SetHeaderHeight(int v)
{
    FHeaderHeight = v;
    for (TCategoryPanel* p : FPanels) {
        p->FPlacing = true;
        p->TCustomControl::SetBounds(p->Left(), p->Top(), p->Width(), p->FCollapsed ? v : p->FExpandedHeight);
        p->FPlacing = false;
        p->ApplyWidgetBounds();
    }
    Restack();
}

int TCategoryPanelGroup::IndexOfPanel(const TCategoryPanel* p) const
{
    auto it = std::find(FPanels.begin(), FPanels.end(), p);
    return it == FPanels.end() ? -1 : int(it - FPanels.begin());
}

void TCategoryPanelGroup::SetPanelIndex(TCategoryPanel* p, int index)
{
    int cur = IndexOfPanel(p);
    if (cur < 0) return;
    FPanels.erase(FPanels.begin() + cur);
    index = std::clamp(index, 0, int(FPanels.size()));
    FPanels.insert(FPanels.begin() + index, p);
    Restack();
}

void TCategoryPanelGroup::PanelAdded(TCategoryPanel* p)
{
    FPanels.push_back(p);
    Restack();
}

void TCategoryPanelGroup::PanelRemoved(TCategoryPanel* p)
{
    int i = IndexOfPanel(p);
    if (i >= 0) FPanels.erase(FPanels.begin() + i);
    if (!FDestroying) Restack();
}

void TCategoryPanelGroup::PanelMoved(TCategoryPanel* p, int newTop)
{
    // As top-aligned controls do: the panel goes before the first visible panel whose
    // top is at or below the new top.
    int cur = IndexOfPanel(p);
    if (cur < 0) return;
    FPanels.erase(FPanels.begin() + cur);
    size_t at = FPanels.size();
    for (size_t i = 0; i < FPanels.size(); ++i)
        if (FPanels[i]->Visible() && FPanels[i]->Top() >= newTop) {
            at = i;
            break;
        }
    FPanels.insert(FPanels.begin() + long(at), p);
}

int TCategoryPanelGroup::ScrollRange() const
{
    int total = 0;
    for (TCategoryPanel* p : FPanels)
        if (p->Visible()) total += p->Height();
    return total;
}

void TCategoryPanelGroup::Restack()
{
    if (FStacking || FDestroying) return;
    FStacking = true;
    const int total = ScrollRange();
    const int clientH = Height();
    const bool needBar = total > clientH;
    const int barW = needBar ? 17 : 0;
    FScrollPos = std::clamp(FScrollPos, 0, std::max(0, total - clientH));
    int y = -FScrollPos;
    for (TCategoryPanel* p : FPanels) {
        if (!p->Visible()) continue;
        p->FPlacing = true;
        p->TCustomControl::SetBounds(0, y, Width() - barW, p->Height());
        p->FPlacing = false;
        y += p->Height();
    }
    FScrollBar->SetVisible(needBar);
    if (needBar) {
        FScrollBar->SetBounds(Width() - barW, 0, barW, clientH);
        FScrollBar->SetPageSize(0);
        FScrollBar->SetParams(FScrollPos, 0, std::max(0, total - 1));
        FScrollBar->SetPageSize(std::max(1, clientH));
        FScrollBar->SetSmallChange(LineSize());
        FScrollBar->SetLargeChange(std::max(1, clientH));
        FScrollBar->BringToFront();
    }
    FStacking = false;
}

void TCategoryPanelGroup::SetScrollPos(int v)
{
    v = std::clamp(v, 0, std::max(0, ScrollRange() - Height()));
    if (v == FScrollPos) return;
    FScrollPos = v;
    Restack();
}

void TCategoryPanelGroup::ScrollLines(int lines) { SetScrollPos(FScrollPos + lines * LineSize()); }

void TCategoryPanelGroup::CollapseAll()
{
    for (TCategoryPanel* p : FPanels) p->SetCollapsed(true);
}

void TCategoryPanelGroup::ExpandAll()
{
    for (TCategoryPanel* p : FPanels) p->SetCollapsed(false);
}

void TCategoryPanelGroup::WndProc(TMessage& msg)
{
    if (msg.Msg == WM_VSCROLL) {
        switch (int(LOWORD(msg.WParam))) {
        case SB_LINEUP: ScrollLines(-1); break;
        case SB_LINEDOWN: ScrollLines(1); break;
        case SB_PAGEUP: SetScrollPos(FScrollPos - Height()); break;
        case SB_PAGEDOWN: SetScrollPos(FScrollPos + Height()); break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: SetScrollPos(int(HIWORD(msg.WParam))); break;
        case SB_TOP: SetScrollPos(0); break;
        case SB_BOTTOM: SetScrollPos(ScrollRange()); break;
        default: break;
        }
        return;
    }
    TCustomControl::WndProc(msg);
}

bool TCategoryPanelGroup::DoMouseWheel(TShiftState shift, int delta, TPoint mousePos)
{
    if (TCustomControl::DoMouseWheel(shift, delta, mousePos)) return true;
    int steps = delta / WHEEL_DELTA;
    if (steps == 0) steps = delta > 0 ? 1 : -1;
    ScrollLines(-steps * 3);
    return true;
}

void TCategoryPanelGroup::Paint() {}

void TCategoryPanelGroup::Resize()
{
    Restack();
    TCustomControl::Resize();
}
