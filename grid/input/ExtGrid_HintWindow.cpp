// The hint window of cell texts with markup or wide characters: measured and drawn as
// the grid draws such texts, kept inside the screen, with a light and dark edge.
#include <algorithm>
#include <vector>

#include "grid/core/ExtGrid.h"
#include "grid/core/GridPanels.h"
#include "grid/html/MiniHTMLRender.h"
#include "grid/util/GridTextUtils.h"

namespace {
// The widest a hint text is laid out.
constexpr int kHintLayoutWidth = 1024 - 16;
constexpr unsigned kWideFlags = DT_NOPREFIX | DT_SINGLELINE;

// A hint's markup with the hint window's pictures, links in blue and shadows in grey.
TMiniHTMLParams HintParams(TImageList* Images, TPictureContainer* Container, bool Measure)
{
    TMiniHTMLParams p;
    p.Images = Images;
    p.PictureContainer = Container;
    p.MeasureOnly = Measure;
    p.URLColor = clBlue;
    p.ShadowColor = clGray;
    return p;
}
}  // namespace

namespace {
// Every hint window, so that a grid going away is forgotten by the windows that drew for it.
std::vector<THTMLHintWindow*>& HintWindows()
{
    static std::vector<THTMLHintWindow*> list;
    return list;
}
}  // namespace

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner)
{
    SetColor(clInfoBk);
    HintWindows().push_back(this);
}

THTMLHintWindow::~THTMLHintWindow()
{
    auto& list = HintWindows();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void THTMLHintWindow::GridGone(TExtStringGrid* Grid)
{
    for (THTMLHintWindow* w : HintWindows())
        if (w->FGrid == Grid) {
            w->FGrid = nullptr;
            w->FImages = nullptr;
            w->SetVisible(false);
        }
}

TPoint THTMLHintWindow::MeasureText(const String& AHint, int MaxWidth, bool& Wide)
{
    TCanvas* c = Canvas();
    Wide = GetTextKind(AHint, true) == tkPackedWide;
    TRect r(0, 0, std::max(1, MaxWidth), 0);
    if (Wide) {
        c->Font()->Assign(*Font());
        if (!HintFontName.empty()) c->Font()->SetName(HintFontName);
        c->DrawText(UnpackWideText(AHint), r, kWideFlags | DT_CALCRECT);
        return TPoint(r.Width(), r.Height());
    }
    c->Font()->Assign(*Font());
    TMiniHTMLParams p = HintParams(FImages, FGrid ? FGrid->PictureContainer : nullptr, true);
    RenderMiniHTML(c, AHint, r, p);
    return TPoint(p.XSize, p.YSize);
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*)
{
    bool wide = false;
    const TPoint ext = MeasureText(AHint, MaxWidth, wide);
    return TRect(0, 0, ext.X, ext.Y);
}

void THTMLHintWindow::ActivateHintData(const TRect& Rect, const String& AHint, void* AData)
{
    // The grid hands itself as a TObject.
    FGrid = AData ? dynamic_cast<TExtStringGrid*>(static_cast<TObject*>(AData)) : nullptr;
    FImages = FGrid ? FGrid->GridImages() : nullptr;
    ActivateHint(Rect, AHint);
}

void THTMLHintWindow::ActivateHint(const TRect& Rect, const String& AHint)
{
    SetCaption(AHint);
    bool wide = false;
    const TPoint ext = MeasureText(AHint, kHintLayoutWidth, wide);
    FTextWidth = ext.X;
    FTextHeight = ext.Y;
    FWideCaption = wide ? UnpackWideText(AHint) : String();
    const int margin = wide ? 8 : 16;
    int left = Rect.Left, top = Rect.Top;
    const int w = FTextWidth + margin, h = FTextHeight + 4;
    // A pop-up stays on the screen, 2 pixels inside its right and bottom edges.
    if (!Parent() && Screen) {
        if (left + w > Screen->Width()) left = Screen->Width() - w - 2;
        if (top + h > Screen->Height()) top = Screen->Height() - 2 - FTextHeight - 4;
    }
    SetBounds(left, top, w, h);
    SetVisible(true);
    // A pop-up stays on top by itself; a child comes over its siblings.
    if (Parent()) BringToFront();
    Invalidate();
}

void THTMLHintWindow::WndProc(TMessage& msg)
{
    if (msg.Msg == CM_TEXTCHANGED) Invalidate();
    THintWindow::WndProc(msg);
}

void THTMLHintWindow::Paint()
{
    TCanvas* c = Canvas();
    const TRect cr(0, 0, Width(), Height());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(cr);
    // Light edge up the left and along the top, dark edge along the bottom and right.
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(cl3DLight);
    c->MoveTo(0, cr.Bottom - 1);
    c->LineTo(0, 0);
    c->LineTo(cr.Right - 1, 0);
    c->Pen()->SetColor(cl3DDkShadow);
    c->LineTo(cr.Right - 1, cr.Bottom - 1);
    c->LineTo(0, cr.Bottom - 1);

    const String text = Caption();
    bool wide = false;
    // A caption set directly (the sizing and scroll hints) is measured here.
    const TPoint ext = MeasureText(text, kHintLayoutWidth, wide);
    FTextWidth = ext.X;
    FTextHeight = ext.Y;
    const int top = cr.Top + (cr.Height() - FTextHeight) / 2;
    TRect tr(cr.Left + 4, top, cr.Right - 4, top + FTextHeight + 8);
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(*Font());
    c->Font()->SetColor(clInfoText);
    if (wide) {
        if (!HintFontName.empty()) c->Font()->SetName(HintFontName);
        c->DrawText(UnpackWideText(text), tr, kWideFlags);
        return;
    }
    if (FGrid) SetHTMLHighlightColors(FGrid->HighlightColor, FGrid->HighlightTextColor);
    TMiniHTMLParams p = HintParams(FImages, FGrid ? FGrid->PictureContainer : nullptr, false);
    RenderMiniHTML(c, text, tr, p);
}
