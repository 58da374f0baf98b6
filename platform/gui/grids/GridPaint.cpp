// Painting of the grid: only the cells the invalid region touches, drawn into an
// off-screen bitmap and copied to the control in one go.
#include <algorithm>

#include "platform/gui/Grids.h"

namespace {
// Colours of the grid lines between normal cells and around fixed cells.
constexpr TColor kLineColor = clSilver;
constexpr TColor kFixedLineColor = clGray;

void Fill(TCanvas* c, const TRect& r, TColor color)
{
    if (r.IsEmpty()) return;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FillRect(r);
}
}

void TCustomGrid::Paint()
{
    TCanvas* target = TCustomControl::Canvas();
    const int sb = FScrollBarSize;
    if (FVertShown && FHorzShown) Fill(target, Rect(Width() - sb, Height() - sb, Width(), Height()), clBtnFace);
    const TRect client = ClientRect();
    TRect area;
    if (!IntersectRect(area, target->ClipRect(), client)) return;
    if (!FBuffer) FBuffer = std::make_unique<TBitmap>();
    if (FBuffer->Width() < client.Width() || FBuffer->Height() < client.Height())
        FBuffer->SetSize(std::max(FBuffer->Width(), client.Width()), std::max(FBuffer->Height(), client.Height()));
    TCanvas* bc = FBuffer->Canvas();
    bc->SetClipRect(area);
    bc->Font()->Assign(*Font());
    bc->Pen()->SetMode(pmCopy);
    bc->Pen()->SetStyle(psSolid);
    bc->Pen()->SetWidth(1);
    FPaintCanvas = bc;
    struct Restore {
        TCanvas*& canvas;
        ~Restore() { canvas = nullptr; }
    } restore{FPaintCanvas};
    TGridDrawInfo di;
    CalcDrawInfo(di);
    PaintCells(bc, area, di);
    FPaintCanvas = nullptr;
    target->CopyRect(area, bc, area);
}

void TCustomGrid::PaintCells(TCanvas* c, const TRect& clip, const TGridDrawInfo& di)
{
    const int fx = di.Horz.FixedBoundary, fy = di.Vert.FixedBoundary;
    // The four areas: fixed corner, fixed rows, fixed columns, scrolled cells.
    PaintArea(c, clip, di, 0, FFixedCols, 0, 0, FFixedRows, 0, true, true);
    PaintArea(c, clip, di, FTopLeft.X, FColCount, fx, 0, FFixedRows, 0, false, true);
    PaintArea(c, clip, di, 0, FFixedCols, 0, FTopLeft.Y, FRowCount, fy, true, false);
    PaintArea(c, clip, di, FTopLeft.X, FColCount, fx, FTopLeft.Y, FRowCount, fy, false, false);
    // Beyond the last column and below the last row.
    const TRect client = ClientRect();
    Fill(c, Rect(di.Horz.GridBoundary, 0, client.Right, client.Bottom), Color());
    Fill(c, Rect(0, di.Vert.GridBoundary, client.Right, client.Bottom), Color());
    // Sizing line and the drop mark of a column or row being moved.
    if (FGridState == gsColSizing)
        Fill(c, Rect(FSizingPos, 0, FSizingPos + std::max(1, di.Horz.EffectiveLineWidth), client.Bottom), clBlack);
    else if (FGridState == gsRowSizing)
        Fill(c, Rect(0, FSizingPos, client.Right, FSizingPos + std::max(1, di.Vert.EffectiveLineWidth)), clBlack);
    else if (FGridState == gsColMoving || FGridState == gsRowMoving)
        Fill(c, MoveMarkRect(di), clBlack);
}

void TCustomGrid::PaintArea(TCanvas* c, const TRect& clip, const TGridDrawInfo& di, int col0, int col1, int x0,
                            int row0, int row1, int y0, bool fixedCols, bool fixedRows)
{
    const int lwH = di.Horz.EffectiveLineWidth, lwV = di.Vert.EffectiveLineWidth;
    const int right = std::min(clip.Right, di.Horz.GridExtent);
    const int bottom = std::min(clip.Bottom, di.Vert.GridExtent);
    if (fixedCols) col1 = std::min(col1, FFixedCols);
    if (fixedRows) row1 = std::min(row1, FFixedRows);
    const bool fixedArea = fixedCols || fixedRows;
    const TGridRect sel = Selection();
    const bool active = IsActiveControl();
    const bool editorShown = FEditorMode && FInplaceEdit && FInplaceEdit->Visible() && FOptions.Contains(goEditing);
    const bool vertLine = FOptions.Contains(fixedArea ? goFixedVertLine : goVertLine);
    const bool horzLine = FOptions.Contains(fixedArea ? goFixedHorzLine : goHorzLine);
    const TColor lineColor = fixedArea ? kFixedLineColor : kLineColor;
    const TColor back = fixedArea ? FFixedColor : Color();

    int y = y0;
    for (int r = row0; r < row1 && y < bottom; ++r) {
        const int h = std::max(0, RowHeights(r));
        if (y + h + lwV <= clip.Top) {
            y += h + lwV;
            continue;
        }
        int x = x0;
        for (int col = col0; col < col1 && x < right; ++col) {
            const int w = std::max(0, ColWidths(col));
            if (x + w + lwH <= clip.Left) {
                x += w + lwH;
                continue;
            }
            const TRect where(x, y, x + w, y + h);
            TGridDrawState state;
            if (fixedArea) state << gdFixed;
            const bool current = col == FCurrent.X && r == FCurrent.Y;
            if (active && current) state << gdFocused;
            if (sel.Contains(col, r)) {
                state << gdSelected;
                if (FOptions.Contains(goRowSelect)) state << gdRowSelected;
            }
            // Under an open editor the editor is the cell.
            if (!(state.Contains(gdFocused) && editorShown)) {
                if (FDefaultDrawing) {
                    c->Font()->Assign(*Font());
                    c->Brush()->SetStyle(bsSolid);
                    if (state.Contains(gdSelected) &&
                        (!state.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) ||
                         FOptions.Contains(goRowSelect))) {
                        c->Brush()->SetColor(clHighlight);
                        c->Font()->SetColor(clHighlightText);
                    } else {
                        c->Brush()->SetColor(back);
                    }
                    c->FillRect(where);
                }
                DrawCell(col, r, where, state);
                if (FDefaultDrawing && fixedArea) {
                    // A raised edge on the top and left of fixed cells.
                    if (horzLine) Fill(c, Rect(where.Left, where.Top, where.Right, where.Top + 1), clBtnHighlight);
                    if (vertLine) Fill(c, Rect(where.Left, where.Top, where.Left + 1, where.Bottom), clBtnHighlight);
                }
                if (FDefaultDrawing && state.Contains(gdFocused) && !FOptions.Contains(goRowSelect) &&
                    !(FOptions.Contains(goEditing) && FOptions.Contains(goAlwaysShowEditor)))
                    c->DrawFocusRect(where);
            }
            // The grid line on the right and at the bottom of the cell.
            if (lwH > 0) Fill(c, Rect(where.Right, where.Top, where.Right + lwH, where.Bottom + lwV), vertLine ? lineColor : back);
            if (lwV > 0) Fill(c, Rect(where.Left, where.Bottom, where.Right, where.Bottom + lwV), horzLine ? lineColor : back);
            x += w + lwH;
        }
        y += h + lwV;
    }
}

TRect TCustomGrid::MoveMarkRect(const TGridDrawInfo& di)
{
    // A bar on the side of the drop cell where the moved column (row) will land.
    if (FGridState == gsColMoving) {
        TRect r = BoxRect(FMovePos, 0, FMovePos, 0);
        if (r.IsEmpty()) return TRect();
        const int x = FMovePos > FMoveIndex ? r.Right : r.Left;
        return Rect(x - 1, 0, x + 2, ClientRect().Bottom);
    }
    if (FGridState == gsRowMoving) {
        TRect r = BoxRect(0, FMovePos, 0, FMovePos);
        if (r.IsEmpty()) return TRect();
        const int y = FMovePos > FMoveIndex ? r.Bottom : r.Top;
        return Rect(0, y - 1, ClientRect().Right, y + 2);
    }
    return TRect();
}

void TCustomGrid::InvalidateSizingLine()
{
    const TRect c = ClientRect();
    const int w = std::max(1, FGridLineWidth) + 1;
    if (FGridState == gsColSizing) InvalidateRect(Rect(FSizingPos - 1, 0, FSizingPos + w, c.Bottom));
    else if (FGridState == gsRowSizing) InvalidateRect(Rect(0, FSizingPos - 1, c.Right, FSizingPos + w));
}

void TCustomGrid::InvalidateMoveMark()
{
    TGridDrawInfo di;
    CalcDrawInfo(di);
    TRect r = MoveMarkRect(di);
    if (!r.IsEmpty()) InvalidateRect(r);
}
