// Tree lines and expand buttons: the line image of a node, the strokes of each level,
// the dotted one-pixel lines that tree and grid lines are made of, the button pictures.
#include <cmath>

#include "treeview/core/BaseLazyTree.h"

namespace {
// Half of an indent or button gap, rounded to the nearest integer with ties to even, so
// that an odd indent puts the line where the button's centre is.
int RoundHalf(int Value) { return int(std::nearbyint(double(Value) / 2.0)); }
} // namespace

int TBaseLazyTree::ComputeLineImage(PLazyNode Node, TLineImage& LineImage)
{
    const TLTPaintOptions paint = FOptions->PaintOptions();
    const bool showRoot = paint.Contains(toShowRoot);
    int count = showRoot ? 1 : 0;
    int selectedAncestors = 0;
    for (PLazyNode run = Node->Parent; run && run != FRoot; run = run->Parent) {
        ++count;
        if (run->States.Contains(vsSelected)) ++selectedAncestors;
    }
    LineImage.assign(std::size_t(count), ltNone);
    if (!paint.Contains(toShowTreeLines) || (paint.Contains(toHideTreeLinesIfThemed) && FStates.Contains(tsUseThemes)))
        return selectedAncestors;
    const bool topLevel = Node->Parent == FRoot;
    if (paint.Contains(toChildrenAbove)) {
        int i = count - 1;
        if (i >= 0) {
            const bool before = AnyVisibleSiblingBefore(Node);
            const bool after = AnyVisibleSiblingAfter(Node);
            if (!before)
                LineImage[std::size_t(i)] = topLevel && !after ? ltRight : ltBottomRight;
            else
                LineImage[std::size_t(i)] = topLevel && !after ? ltTopRight : ltTopDownRight;
        }
        for (PLazyNode run = Node->Parent; run && run != FRoot; run = run->Parent) {
            --i;
            if (i < 0) break;
            LineImage[std::size_t(i)] = AnyVisibleSiblingBefore(run) ? ltTopDown : ltNone;
        }
    } else {
        int i = count - 1;
        if (!topLevel) {
            LineImage[std::size_t(i)] = AnyVisibleSiblingAfter(Node) ? ltTopDownRight : ltTopRight;
            for (PLazyNode run = Node->Parent; run->Parent != FRoot; run = run->Parent) {
                --i;
                LineImage[std::size_t(i)] = AnyVisibleSiblingAfter(run) ? ltTopDown : ltNone;
            }
        }
        if (showRoot) {
            if (topLevel) {
                const bool first = !AnyVisibleSiblingBefore(Node);
                const bool last = !AnyVisibleSiblingAfter(Node);
                LineImage[0] = first && last ? ltRight : first ? ltBottomRight : last ? ltTopRight : ltTopDownRight;
            } else {
                PLazyNode top = Node;
                while (top->Parent != FRoot) top = top->Parent;
                LineImage[0] = AnyVisibleSiblingAfter(top) ? ltTopDown : ltNone;
            }
        }
    }
    if (FStates.Contains(tsUseExplorerTheme) && Node->States.Contains(vsHasChildren) && !LineImage.empty())
        LineImage.back() = ltNone;
    return selectedAncestors;
}

void TBaseLazyTree::FireBeforeDrawTreeLine(PLazyNode Node, int Level, int& PosX)
{
    if (OnBeforeDrawTreeLine) OnBeforeDrawTreeLine(this, Node, Level, PosX);
}

namespace {
// Pixels of a dotted line alternate between the line colour and the background so that
// the dots stay aligned across rows and scroll positions: the parity of the pixel's tree
// position decides.
void DottedFill(const TLTPaintInfo& PI, const TRect& R, TColor Line, TColor Back, TLTLineStyle Style)
{
    TCanvas* c = PI.Canvas;
    c->Brush()->SetStyle(bsSolid);
    if (Style == lsSolid) {
        c->Brush()->SetColor(Line);
        c->FillRect(PI.ToCanvas(R));
        return;
    }
    c->Brush()->SetColor(Back);
    c->FillRect(PI.ToCanvas(R));
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left + ((R.Left + y + PI.BrushOrigin.Y) & 1); x < R.Right; x += 2)
            c->SetPixels(x + PI.Offset.X, y + PI.Offset.Y, Line);
}
} // namespace

void TBaseLazyTree::DrawDottedHLine(const TLTPaintInfo& PaintInfo, int Left, int Right, int Top)
{
    DottedFill(PaintInfo, TRect(std::min(Left, Right), Top, std::max(Left, Right) + 1, Top + 1),
               PaintInfo.Canvas->Font()->Color(), FColors.BackGroundColor(), FLineStyle);
}

void TBaseLazyTree::DrawDottedVLine(const TLTPaintInfo& PaintInfo, int Top, int Bottom, int Left,
                                    bool UseSelectedBkColor)
{
    TColor back = FColors.BackGroundColor();
    if (UseSelectedBkColor)
        back = HasFocusedLook() ? FColors.FocusedSelectionColor() : FColors.UnfocusedSelectionColor();
    DottedFill(PaintInfo, TRect(Left, std::min(Top, Bottom), Left + 1, std::max(Top, Bottom) + 1),
               PaintInfo.Canvas->Font()->Color(), back, FLineStyle);
}

void TBaseLazyTree::DrawLineSegment(const TLTPaintInfo& PaintInfo, int X, int Top, int Height, int MidY,
                                    TLTLineType Style, bool Reverse)
{
    const int half = RoundHalf(FIndent);
    const int mid = Top + MidY;
    const int bottom = Top + Height;
    const int endX = Reverse ? X : X + FIndent;
    const int c = X + half;
    const int edge = Reverse ? X + FIndent : X;
    switch (Style) {
    case ltNone: break;
    case ltBottomRight:
        DrawDottedVLine(PaintInfo, mid, bottom, c);
        DrawDottedHLine(PaintInfo, c, endX, mid);
        break;
    case ltTopDown: DrawDottedVLine(PaintInfo, Top, bottom, c); break;
    case ltTopDownRight:
        DrawDottedVLine(PaintInfo, Top, bottom, c);
        DrawDottedHLine(PaintInfo, c, endX, mid);
        break;
    case ltRight: DrawDottedHLine(PaintInfo, c, endX, mid); break;
    case ltTopRight:
        DrawDottedVLine(PaintInfo, Top, mid, c);
        DrawDottedHLine(PaintInfo, c, endX, mid);
        break;
    case ltLeft: DrawDottedVLine(PaintInfo, Top, bottom, edge); break;
    case ltLeftBottom:
        DrawDottedVLine(PaintInfo, Top, bottom, edge);
        DrawDottedHLine(PaintInfo, X, X + FIndent, bottom);
        break;
    }
}

void TBaseLazyTree::PaintTreeLines(const TLTPaintInfo& PaintInfo, int VAlign, int IndentSize,
                                   const TLineImage& LineImage)
{
    const bool reverse = PaintInfo.BidiMode != bdLeftToRight;
    const int step = reverse ? -FIndent : FIndent;
    int x = reverse ? PaintInfo.CellRect.Right - FIndent : PaintInfo.CellRect.Left;
    const bool showRoot = FOptions->PaintOptions().Contains(toShowRoot);
    PLazyNode node = PaintInfo.Node;
    const int height = int(node->NodeHeight);
    if (FLineMode == lmNormal) {
        PaintInfo.Canvas->Font()->SetColor(FColors.TreeLineColor());
        for (int i = 0; i < IndentSize; ++i) {
            FireBeforeDrawTreeLine(node, showRoot ? i : i + 1, x);
            DrawLineSegment(PaintInfo, x, PaintInfo.CellRect.Top, height, VAlign - 1, LineImage[std::size_t(i)],
                            reverse);
            x += step;
        }
        return;
    }
    // Bands separate the levels instead of connecting the nodes: drawn only with grid lines.
    if (!PaintInfo.PaintOptions.Contains(poGridLines)) return;
    TLineImage band(std::size_t(IndentSize), ltNone);
    const bool open = node->States.Contains(vsExpanded) && !node->States.Contains(vsAllChildrenHidden);
    for (int i = IndentSize - 1; i >= 0; --i) {
        if (open) {
            band[std::size_t(i)] = ltLeft;
            continue;
        }
        switch (LineImage[std::size_t(i)]) {
        case ltBottomRight:
        case ltTopDownRight:
        case ltRight:
        case ltTopRight: band[std::size_t(i)] = ltLeftBottom; break;
        case ltNone:
        case ltTopDown:
            // At the deepest level there is no deeper band to continue: a plain left edge.
            if (i + 1 < IndentSize)
                band[std::size_t(i)] =
                    LineImage[std::size_t(i + 1)] == ltNone || LineImage[std::size_t(i + 1)] == ltTopRight
                        ? band[std::size_t(i + 1)]
                        : ltLeft;
            else
                band[std::size_t(i)] = ltLeft;
            break;
        default: break;
        }
    }
    PaintInfo.Canvas->Font()->SetColor(FColors.GridLineColor());
    for (int i = 0; i < IndentSize; ++i) {
        FireBeforeDrawTreeLine(node, showRoot ? i : i + 1, x);
        DrawLineSegment(PaintInfo, x, PaintInfo.CellRect.Top, height - 1, VAlign - 1, band[std::size_t(i)], reverse);
        x += step;
    }
}

void TBaseLazyTree::PrepareBitmaps() { PrepareBitmapsFor(true, true); }

void TBaseLazyTree::PrepareBitmapsFor(bool NeedButtons, bool NeedLines)
{
    (void)NeedLines; // the dots are computed while drawing; there is no brush to rebuild
    if (!NeedButtons && FPlusBM) return;
    auto make = [](std::unique_ptr<TBitmap>& B) {
        if (!B) B = std::make_unique<TBitmap>();
        B->SetSize(9, 9);
    };
    for (auto* b : {&FPlusBM, &FMinusBM, &FHotPlusBM, &FHotMinusBM, &FSelectedHotPlusBM, &FSelectedHotMinusBM})
        make(*b);
    const TColor back = FColors.BackGroundColor();
    auto draw = [&](TBitmap* B, bool Plus) {
        TCanvas* c = B->Canvas();
        const int w = B->Width();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(back);
        c->FillRect(TRect(0, 0, w, B->Height()));
        if (FButtonStyle == bsTriangle) {
            c->Brush()->SetColor(clBlack);
            c->Pen()->SetColor(clBlack);
            if (Plus)
                c->Polygon({TPoint(2, 0), TPoint(6, 4), TPoint(2, 8)});
            else
                c->Polygon({TPoint(0, 2), TPoint(8, 2), TPoint(4, 6)});
            return;
        }
        switch (FButtonFillMode) {
        case fmTreeColor: c->Brush()->SetColor(back); break;
        case fmWindowColor: c->Brush()->SetColor(clWindow); break;
        case fmShaded: c->Brush()->SetColor(clBtnFace); break;
        case fmTransparent: c->Brush()->SetStyle(bsClear); break;
        }
        c->Pen()->SetColor(FColors.TreeLineColor());
        c->Rectangle(0, 0, w, B->Height());
        c->Pen()->SetColor(FColors.NodeFontColor());
        c->MoveTo(2, w / 2);
        c->LineTo(w - 2, w / 2);
        if (Plus) {
            c->MoveTo(w / 2, 2);
            c->LineTo(w / 2, w - 2);
        }
    };
    draw(FMinusBM.get(), false);
    draw(FPlusBM.get(), true);
    FHotMinusBM->Assign(FMinusBM.get());
    FSelectedHotMinusBM->Assign(FMinusBM.get());
    FHotPlusBM->Assign(FPlusBM.get());
    FSelectedHotPlusBM->Assign(FPlusBM.get());
    if (FButtonFillMode == fmTransparent)
        for (auto* b : {&FPlusBM, &FMinusBM, &FHotPlusBM, &FHotMinusBM, &FSelectedHotPlusBM, &FSelectedHotMinusBM}) {
            (*b)->SetTransparentColor(back);
            (*b)->SetTransparent(true);
        }
}

void TBaseLazyTree::PaintNodeButton(const TLTPaintInfo& PaintInfo, int ButtonX, int ButtonY)
{
    if (!FPlusBM) PrepareBitmapsFor(true, true);
    PLazyNode node = PaintInfo.Node;
    const int x = PaintInfo.BidiMode != bdLeftToRight ? PaintInfo.CellRect.Right - ButtonX - FPlusBM->Width()
                                                      : PaintInfo.CellRect.Left + ButtonX;
    const int y = PaintInfo.CellRect.Top + ButtonY;
    const bool hot = node == FCurrentHotNode && FOptions->PaintOptions().Contains(toHotTrack);
    const bool selected = node->States.Contains(vsSelected);
    TBitmap* bm;
    if (node->States.Contains(vsExpanded))
        bm = hot && selected ? FSelectedHotMinusBM.get() : hot ? FHotMinusBM.get() : FMinusBM.get();
    else
        bm = hot && selected ? FSelectedHotPlusBM.get() : hot ? FHotPlusBM.get() : FPlusBM.get();
    PaintInfo.Canvas->Draw(x + PaintInfo.Offset.X, y + PaintInfo.Offset.Y, bm);
}

void TBaseLazyTree::SetLineStyle(TLTLineStyle Value)
{
    if (FLineStyle == Value) return;
    FLineStyle = Value;
    PrepareBitmapsFor(false, true);
    Invalidate();
}

void TBaseLazyTree::SetLineMode(TLTLineMode Value)
{
    if (FLineMode == Value) return;
    FLineMode = Value;
    Invalidate();
}
