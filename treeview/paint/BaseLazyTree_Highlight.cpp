// Cell highlighting (column colour, selection, drop target, focus rectangle) and the
// rubber band of a mouse selection.
#include "treeview/core/BaseLazyTree.h"

bool TBaseLazyTree::HasFocusedLook() const
{
    return Focused() || FOptions->PaintOptions().Contains(toPopupMode);
}

namespace {
// The selection colour mixed into what the row already shows, Factor of 255 parts.
void BlendRect(TCanvas* C, const TRect& R, TColor Colour, int Factor)
{
    const TColor rgb = ColorToRGB(Colour);
    const int cr = rgb & 0xFF, cg = (rgb >> 8) & 0xFF, cb = (rgb >> 16) & 0xFF;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x) {
            const TColor d = ColorToRGB(C->Pixels(x, y));
            const int r = ((256 - Factor) * (d & 0xFF) + Factor * cr) >> 8;
            const int g = ((256 - Factor) * ((d >> 8) & 0xFF) + Factor * cg) >> 8;
            const int b = ((256 - Factor) * ((d >> 16) & 0xFF) + Factor * cb) >> 8;
            C->SetPixels(x, y, TColor(r | (g << 8) | (b << 16)));
        }
}
} // namespace

void TBaseLazyTree::PaintCellSelection(TLTPaintInfo& PaintInfo, int MaxWidth)
{
    TCanvas* c = PaintInfo.Canvas;
    PLazyNode node = PaintInfo.Node;
    const TLTSelectionOptions sel = FOptions->SelectionOptions();
    const bool fullRow = sel.Contains(toFullRowSelect);
    const bool gridExt = FOptions->MiscOptions().Contains(toGridExtensions);
    FireBeforeCellPaint(c, node, PaintInfo.Column, cpmPaint, PaintInfo.CellRect, PaintInfo.ContentRect);

    TRect inner = PaintInfo.ContentRect;
    if (!gridExt) {
        const int w = PaintInfo.NodeWidth;
        switch (PaintInfo.Alignment) {
        case taLeftJustify:
            if (inner.Left + w < inner.Right) inner.Right = inner.Left + w;
            break;
        case taRightJustify:
            if (w < inner.Width()) inner.Left = inner.Right - w;
            break;
        case taCenter:
            if (w < inner.Width()) {
                inner.Left = (inner.Left + inner.Right - w) / 2;
                inner.Right = inner.Left + w;
            }
            break;
        }
    }
    const bool columnOk = PaintInfo.Column == FFocusedColumn || fullRow;
    const int radius = int(FSelectionCurveRadius);
    auto box = [&](TColor Fill, TColor Border) {
        if (gridExt || fullRow) inner = PaintInfo.CellRect;
        if (inner.IsEmpty()) return;
        const TRect r = PaintInfo.ToCanvas(inner);
        if (FOptions->PaintOptions().Contains(toUseBlendedSelection)) {
            TRect b = r;
            b.Left = std::max(b.Left, 0);
            b.Right = std::min(b.Right, MaxWidth);
            BlendRect(c, b, Fill, FSelectionBlendFactor);
            return;
        }
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Fill);
        c->Pen()->SetColor(Border);
        c->RoundRect(r.Left, r.Top, r.Right, r.Bottom, radius, radius);
    };
    if (columnOk && PaintInfo.PaintOptions.Contains(poDrawSelection)) {
        if (node == FDropTargetNode) {
            // A drop above or below a node does not mark the node itself.
            if (FLastDropMode == dmOnNode || node->States.Contains(vsSelected))
                box(FColors.DropTargetColor(), FColors.DropTargetBorderColor());
        } else if (node->States.Contains(vsSelected)) {
            if (HasFocusedLook())
                box(FColors.FocusedSelectionColor(), FColors.FocusedSelectionBorderColor());
            else
                box(FColors.UnfocusedSelectionColor(), FColors.UnfocusedSelectionBorderColor());
        }
    }
    if (columnOk && PaintInfo.PaintOptions.Contains(poDrawFocusRect) && HasFocusedLook() && node == FFocusedNode &&
        PaintInfo.Column == FFocusedColumn) {
        const TRect fr = gridExt ? PaintInfo.CellRect : inner;
        if (!fr.IsEmpty()) {
            c->Font()->SetColor(clWhite);
            c->Brush()->SetColor(clBlack);
            c->DrawFocusRect(PaintInfo.ToCanvas(fr));
        }
    }
}

void TBaseLazyTree::PaintSelectionRectangle(const TLTPaintInfo& PaintInfo, const TRect& VisibleRect,
                                            TRect SelectionRect)
{
    TCanvas* c = PaintInfo.Canvas;
    const TRect sel = PaintInfo.ToCanvas(NormalizeRect(SelectionRect));
    if (FDrawSelectionMode == smBlendedRectangle || FStates.Contains(tsUseThemes)) {
        TRect b;
        if (!IntersectRect(b, sel, VisibleRect)) return;
        BlendRect(c, b, FColors.SelectionRectangleBlendColor(), FSelectionBlendFactor);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FColors.SelectionRectangleBorderColor());
        c->FrameRect(sel);
        return;
    }
    c->DrawFocusRect(sel);
}

void TBaseLazyTree::SetHotNode(PLazyNode Node)
{
    if (FCurrentHotNode == Node) return;
    InvalidateNode(FCurrentHotNode);
    FCurrentHotNode = Node;
    InvalidateNode(Node);
}

void TBaseLazyTree::SetDropTarget(PLazyNode Node, TDropMode Mode)
{
    InvalidateNode(FDropTargetNode);
    FDropTargetNode = Node;
    FLastDropMode = Mode;
    InvalidateNode(Node);
}

void TBaseLazyTree::SetDrawSelectionMode(TLTDrawSelectionMode Value)
{
    if (FDrawSelectionMode == Value) return;
    FDrawSelectionMode = Value;
    if (!FLoading) Invalidate();
}

void TBaseLazyTree::SetSelectionBlendFactor(int Value)
{
    Value = std::clamp(Value, 0, 255);
    if (FSelectionBlendFactor == Value) return;
    FSelectionBlendFactor = Value;
    if (!FLoading) Invalidate();
}
