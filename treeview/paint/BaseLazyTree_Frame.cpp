// The window's frame: the bevel around the tree's area and the border-width frame inside
// it, painted by the tree around its client area.
#include "treeview/core/BaseLazyTree.h"

void TBaseLazyTree::SetBevelKind(TBevelKind Value)
{
    if (FBevelKind == Value) return;
    FBevelKind = Value;
    UpdateFrame();
    // Flat header looks leave the last column's right border to the bevel.
    if (FHeader) FHeader->Invalidate();
}

void TBaseLazyTree::SetBevelInner(TBevelCut Value)
{
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    UpdateFrame();
}

void TBaseLazyTree::SetBevelOuter(TBevelCut Value)
{
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    UpdateFrame();
}

void TBaseLazyTree::SetBevelEdges(TBevelEdges Value)
{
    if (FBevelEdges == Value) return;
    FBevelEdges = Value;
    UpdateFrame();
}

void TBaseLazyTree::SetBevelWidth(int Value)
{
    Value = std::max(1, Value);
    if (FBevelWidth == Value) return;
    FBevelWidth = Value;
    UpdateFrame();
}

void TBaseLazyTree::SetBorderWidth(int Value)
{
    Value = std::max(0, Value);
    if (FBorderWidth == Value) return;
    FBorderWidth = Value;
    UpdateFrame();
}

void TBaseLazyTree::SetCtl3D(bool Value)
{
    if (FCtl3D == Value) return;
    FCtl3D = Value;
    UpdateFrame();
}

TPoint TBaseLazyTree::GetBorderDimensions() const { return TPoint(0, 0); }

int TBaseLazyTree::LeftScrollBarWidth() const
{
    return UseRightToLeftAlignment() && FVertScrollBar.Shown ? TStyledScrollBar::Size : 0;
}

void TBaseLazyTree::UpdateFrame()
{
    const TPoint border = GetBorderDimensions();
    TRect inset(-border.X, -border.Y, -border.X, -border.Y);
    if (FBevelKind != bkNone) {
        const int edge =
            (FBevelInner != bvNone ? FBevelWidth : 0) + (FBevelOuter != bvNone ? FBevelWidth : 0);
        if (FBevelEdges.Contains(beLeft)) inset.Left += edge;
        if (FBevelEdges.Contains(beTop)) inset.Top += edge;
        if (FBevelEdges.Contains(beRight)) inset.Right += edge;
        if (FBevelEdges.Contains(beBottom)) inset.Bottom += edge;
    }
    // Right to left the vertical bar sits left of the rows: the client area starts after it.
    const int leftBar = LeftScrollBarWidth();
    FLeftBarInFrame = leftBar > 0;
    inset.Left += FBorderWidth + leftBar;
    inset.Top += FBorderWidth;
    inset.Right += FBorderWidth;
    inset.Bottom += FBorderWidth;
    SetNonClientInset(inset);
    Invalidate();
}

void TBaseLazyTree::PaintNonClient() { PaintNonClientBorder(Canvas()); }

void TBaseLazyTree::PaintNonClientBorder(TCanvas* Canvas)
{
    if (FBevelKind == bkNone && FBorderWidth == 0) return;
    const TPoint border = GetBorderDimensions();
    TRect r(-border.X, -border.Y, Width() + border.X, Height() + border.Y);
    const TRect outer = r;
    if (FBevelKind != bkNone) {
        unsigned edge = 0;
        if (FBevelInner == bvLowered) edge |= BDR_SUNKENINNER;
        if (FBevelInner == bvRaised) edge |= BDR_RAISEDINNER;
        if (FBevelOuter == bvLowered) edge |= BDR_SUNKENOUTER;
        if (FBevelOuter == bvRaised) edge |= BDR_RAISEDOUTER;
        unsigned flags = 0;
        if (FBevelEdges.Contains(beLeft)) flags |= BF_LEFT;
        if (FBevelEdges.Contains(beTop)) flags |= BF_TOP;
        if (FBevelEdges.Contains(beRight)) flags |= BF_RIGHT;
        if (FBevelEdges.Contains(beBottom)) flags |= BF_BOTTOM;
        if (FBevelKind == bkSoft) flags |= BF_SOFT;
        if (FBevelKind == bkFlat) flags |= BF_FLAT;
        if (!FCtl3D) flags |= BF_MONO;
        TRect edgeRect = r;
        DrawEdge(Canvas, edgeRect, edge, flags);
        const int size = (FBevelInner != bvNone ? FBevelWidth : 0) + (FBevelOuter != bvNone ? FBevelWidth : 0);
        if (FBevelEdges.Contains(beLeft)) r.Left += size;
        if (FBevelEdges.Contains(beTop)) r.Top += size;
        if (FBevelEdges.Contains(beRight)) r.Right -= size;
        if (FBevelEdges.Contains(beBottom)) r.Bottom -= size;
    }
    if (FBorderWidth <= 0) return;
    // The ring between r and r less the border width, in BorderColor.
    const int saved = Canvas->SaveState();
    Canvas->IntersectClipRect(r);
    TRect inner = r;
    InflateRect(inner, -FBorderWidth, -FBorderWidth);
    if (!inner.IsEmpty()) Canvas->ExcludeClipRect(inner);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FColors.BorderColor());
    Canvas->FillRect(outer);
    Canvas->RestoreState(saved);
}
