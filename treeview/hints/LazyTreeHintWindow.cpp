#include "treeview/hints/LazyTreeHintWindow.h"

#include <algorithm>

#include "platform/gui/Forms.h"
#include "treeview/core/BaseLazyTree.h"

TLazyTreeHintWindow::TLazyTreeHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

bool TLazyTreeHintWindow::IsTooltip() const
{
    return FHintData.Tree && FHintData.Node && FHintData.Tree->HintMode() == hmTooltip;
}

void TLazyTreeHintWindow::SelectHintFont(TCanvas* Canvas)
{
    if (!IsTooltip()) {
        Canvas->Font()->Assign(*Font());
        return;
    }
    // The tooltip repeats the cell in the cell's own font.
    TFont font;
    font.Assign(*FHintData.Tree->Font());
    TRect r;
    String text;
    FHintData.Tree->GetTextInfo(FHintData.Node, FHintData.Column, &font, r, text);
    Canvas->Font()->Assign(font);
}

TRect TLazyTreeHintWindow::CalcHintRect(int MaxWidth, const String& AHint, void* AData)
{
    if (!AData) return TRect();
    FHintData = *static_cast<const TLTHintData*>(AData);
    TBaseLazyTree* tree = FHintData.Tree;
    if (!tree) return TRect();
    if (FHintData.Node && !IsRectEmpty(FHintData.HintRect)) return FHintData.HintRect;

    TLazyTreeColumns* columns = tree->Header()->Columns();
    const bool column = FHintData.Column >= 0 && columns->IsValidColumn(FHintData.Column);
    FHintData.BidiMode = tree->BiDiMode();
    FHintData.Alignment = column ? columns->Items(FHintData.Column)->Alignment() : tree->Alignment();
    TCanvas* canvas = Canvas();
    SelectHintFont(canvas);
    FTextHeight = canvas->TextHeight("Wy");

    FHintData.LineBreakStyle = hlbDefault;
    if (!FHintData.DefaultHint.empty())
        FHintData.HintText = FHintData.DefaultHint;
    else if (IsTooltip())
        FHintData.HintText = tree->GetTooltipText(FHintData.Node, FHintData.Column, FHintData.LineBreakStyle);
    else
        FHintData.HintText = tree->GetHintText(FHintData.Node, FHintData.Column, FHintData.LineBreakStyle);
    if (FHintData.HintText.empty()) return TRect();

    if (!IsTooltip()) {
        TRect r(0, 0, std::max(1, MaxWidth), FTextHeight);
        canvas->DrawText(FHintData.HintText, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        r.Bottom += 6;
        r.Right += tree->TextMargin() + FTextHeight;
        return r;
    }
    const bool multiLine = tree->MultiLine(FHintData.Node);
    if (FHintData.LineBreakStyle == hlbDefault)
        FHintData.LineBreakStyle = multiLine ? hlbForceMultiLine : hlbForceSingleLine;
    TRect r = tree->LastHintRect();
    if (FHintData.LineBreakStyle == hlbForceMultiLine) {
        // The text wraps within the part of the cell it is shown in.
        if (column) {
            int left = 0, right = 0;
            columns->GetColumnBounds(FHintData.Column, left, right);
            r.Right = std::min(r.Right, right);
        }
        TRect t(0, 0, std::max(1, r.Width()), 0);
        canvas->DrawText(FHintData.HintText, t, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        r.Right = r.Left + t.Width() + tree->TextMargin() + 1;
        r.Bottom = r.Top + t.Height();
        // Wrapped text that the cell shows whole needs no tooltip.
        if (column && int(tree->NodeHeight(FHintData.Node)) + 2 >= r.Height() &&
            columns->Items(FHintData.Column)->Width() + 2 >= r.Width() && r.Left >= 0 && r.Top >= 0 &&
            r.Right <= tree->ClientWidth() + 3 && r.Bottom <= tree->ClientHeight() + 3)
            return TRect();
    } else if (tree->TreeOptions()->PaintOptions().Contains(toShowHorzGridLines)) {
        --r.Bottom;
    }
    // A frame pixel on every side around the text area.
    return TRect(-1, -1, r.Width() + 1, r.Height() + 1);
}

void TLazyTreeHintWindow::ActivateHintData(const TRect& Rect, const String& AHint, void* AData)
{
    // The data was taken (and the text worked out) when the rectangle was calculated.
    if (AData && !FHintData.Tree) FHintData = *static_cast<const TLTHintData*>(AData);
    ActivateHint(Rect, AHint);
}

void TLazyTreeHintWindow::ActivateHint(const TRect& Rect, const String& AHint)
{
    TBaseLazyTree* tree = FHintData.Tree;
    const TPoint mouse = tree ? tree->ScreenToClient(Mouse_CursorPos()) : TPoint();
    if (IsRectEmpty(Rect) || !tree || !PtInRect(tree->LastHintRect(), mouse)) {
        Application->CancelHint();
        return;
    }
    // A hint near the screen's edge is moved to lie wholly on the screen.
    TRect r = Rect;
    const int screenW = Screen->Width(), screenH = Screen->Height();
    if (r.Bottom > screenH) OffsetRect(r, 0, screenH - r.Bottom);
    if (r.Right > screenW) OffsetRect(r, screenW - r.Right, 0);
    if (r.Top < 0) OffsetRect(r, 0, -r.Top);
    if (r.Left < 0) OffsetRect(r, -r.Left, 0);
    // A hint still coming up is overtaken: its loop ends at its next step.
    const bool interrupted = tree->TreeStates().Contains(tsInAnimation);
    if (interrupted) tree->ChangeTreeStates(TLazyTreeStates{tsCancelHintAnimation}, {});
    FAnimation = tree->GetEffectiveHintAnimation();
    FFrames = 0;
    FAnimating = FAnimation == hatFade || FAnimation == hatSlide;
    FStep = 0;
    THintWindow::ActivateHint(r, AHint);
    if (!FAnimating) {
        Invalidate();
        return;
    }
    auto step = [this](int Step, int StepSize, void*) { return AnimateHintStep(Step, StepSize); };
    if (FAnimation == hatFade)
        tree->RunAnimation(255, 2 * tree->AnimationDuration(), step, nullptr);
    else
        tree->RunAnimation(std::uint32_t(std::max(1, Height())), tree->AnimationDuration(), step, nullptr);
    if (FAnimating) {
        // No animation ran (another one was under way, or no duration): the whole hint.
        FAnimating = false;
        Invalidate();
    }
}

bool TLazyTreeHintWindow::AnimateHintStep(int Step, int StepSize)
{
    TBaseLazyTree* tree = FHintData.Tree;
    if (StepSize <= 0) {
        FAnimating = false;
        Repaint();
        return false;
    }
    if (!Visible() || !tree || tree->TreeStates().Contains(tsCancelHintAnimation)) return false;
    FStep = Step;
    ++FFrames;
    Repaint();
    Application->ProcessMessages();
    return true;
}

namespace {
// Fading: a colour Step / 255 of the way from what lies below (the tree) to the hint's.
TColor Faded(TColor Below, TColor Hint, int Step)
{
    const TColor a = ColorToRGB(Below), b = ColorToRGB(Hint);
    auto mix = [Step](TColor x, TColor y, int shift) {
        const int u = int((x >> shift) & 0xFF), v = int((y >> shift) & 0xFF);
        return TColor((u + (v - u) * Step / 255) & 0xFF) << shift;
    };
    return mix(a, b, 0) | mix(a, b, 8) | mix(a, b, 16);
}
} // namespace

void TLazyTreeHintWindow::Paint()
{
    TCanvas* c = Canvas();
    TRect r(0, 0, Width(), Height());
    TBaseLazyTree* tree = FHintData.Tree;
    // While it comes up: sliding shows the hint's last Step rows at the top; fading
    // mixes its colours into the tree's. The screen behind the window cannot be read, so
    // the tree's colour stands for it.
    const bool sliding = FAnimating && FAnimation == hatSlide && tree;
    const bool fading = FAnimating && FAnimation == hatFade && tree;
    const TColor below = tree ? tree->Color() : clWindow;
    auto shade = [&](TColor Color) { return fading ? Faded(below, Color, FStep) : Color; };
    if (sliding) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(below);
        c->FillRect(r);
        OffsetRect(r, 0, FStep - Height());
    }
    if (tree && FHintData.Node) {
        TLTHintKind kind = vhkText;
        tree->FireGetHintKind(FHintData.Node, FHintData.Column, kind);
        if (kind == vhkOwnerDraw) {
            tree->FireDrawHint(c, FHintData.Node, r, FHintData.Column);
            return;
        }
    }
    int y = 2;
    SelectHintFont(c);
    if (IsTooltip()) y = FHintData.LineBreakStyle == hlbForceMultiLine ? 1 : (Height() - c->TextHeight("Wy")) / 2;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(shade(clInfoBk));
    c->FillRect(r);
    c->Brush()->SetColor(shade(clBlack));
    c->FrameRect(r);
    c->Font()->SetColor(shade(clInfoText));
    c->Brush()->SetStyle(bsClear);
    InflateRect(r, -1, -1);
    r.Top += y - 1;
    r.Left += 3;
    unsigned format = DT_NOPREFIX;
    if (FHintData.Node && FHintData.LineBreakStyle == hlbForceMultiLine) format |= DT_WORDBREAK;
    c->DrawText(FHintData.HintText, r, format);
}
