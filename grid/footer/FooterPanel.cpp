// The floating footer's strip: paints the grid's last row under the scrolled columns
// (or a preview of the current row, or the application's own drawing), and passes
// clicks and hints over it on to the grid as cells of the last row.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/core/GridPanels.h"
#include "grid/html/MiniHTMLRender.h"

TExtStringGrid* TFooterPanel::Grid() const { return dynamic_cast<TExtStringGrid*>(Owner()); }

int TFooterPanel::FooterWidth()
{
    TExtStringGrid* g = Grid();
    if (!g) return 0;
    int v = 0;
    for (int c = 0; c < g->FixedCols() && c < g->ColCount(); ++c) v += g->ColWidths(c);
    for (int c = std::max(g->LeftCol(), g->FixedCols()); c < g->ColCount(); ++c) v += g->ColWidths(c);
    return v;
}

int TFooterPanel::ColumnAt(int X)
{
    TExtStringGrid* g = Grid();
    if (!g || X < 0) return -1;
    int x = 0;
    for (int c = 0; c < g->FixedCols() && c < g->ColCount(); ++c) {
        x += g->ColWidths(c);
        if (X < x) return c;
    }
    for (int c = std::max(g->LeftCol(), g->FixedCols()); c < g->ColCount(); ++c) {
        x += g->ColWidths(c);
        if (X < x) return c;
    }
    return -1;
}

namespace {
void FillArea(TCanvas* c, const TRect& r, TColor color)
{
    if (r.IsEmpty()) return;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(color);
    c->FillRect(r);
}

void PaintFooterCell(TExtStringGrid* g, TCanvas* c, int ACol, int ARow, const TRect& R)
{
    // The cell painter keeps scrolled cells clear of the fixed rows, so the cell is drawn
    // below them on a scratch bitmap and copied onto the strip.
    int top = 0;
    for (int r = 0; r < g->FixedRows(); ++r) top += g->RowHeights(r);
    TBitmap scratch;
    scratch.SetSize(std::max(1, R.Right), top + std::max(1, R.Height()));
    TCanvas* sc = scratch.Canvas();
    sc->Font()->Assign(*g->Font());
    const TRect where(R.Left, top, R.Right, top + R.Height());
    g->PaintFooterCell(sc, ACol, ARow, where);
    c->CopyRect(R, sc, where);
}
}

void TExtStringGrid::PaintFooterCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& R)
{
    const bool hidden = HideLastRow();
    SetHideLastRow(false);
    struct Restore {
        TExtStringGrid* g;
        bool v;
        ~Restore() { g->SetHideLastRow(v); }
    } restore{this, hidden};
    TGridDrawState state;
    state << gdFixed;
    PaintCellExt(ACanvas, ACol, ARow, R, state);
    TRect content = R;
    content.Right -= 1;
    content.Bottom -= 2;
    DrawCellContent(ACanvas, ACol, ARow, content, state);
}

void TFooterPanel::Paint()
{
    TExtStringGrid* g = Grid();
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    if (!g) return;
    TFloatingFooter* ff = g->FloatingFooter();
    const int V = std::min(FooterWidth(), client.Width());
    const TRect area(0, 0, V, client.Height());
    FillArea(c, TRect(V, 0, client.Right, client.Bottom), g->Color());
    FillArea(c, area, ff->Color);
    const int last = g->RowCount() - 1;
    switch (ff->FooterStyle) {
    case fsFixedLastRow: {
        if (last < 0) break;
        const bool vert = g->Options().Contains(goFixedVertLine);
        const bool horz = g->Options().Contains(goFixedHorzLine);
        int x = 0;
        auto paintColumn = [&](int col, bool fixedCol) {
            const int w = g->ColWidths(col);
            const int rc = g->RealColIndex(col);
            TRect r(x, 0, x + w, client.Height());
            // A merged footer cell is painted once, as wide as its area.
            if (g->IsMergedNonBaseCell(rc, last)) {
                x += w;
                return;
            }
            if (g->IsMergedCell(rc, last)) {
                const TRect m = g->CalcCellRect(col, last);
                r.Right = r.Left + std::max(w, m.Width());
            }
            if (!fixedCol) {
                const TColor own = g->GetColors(rc, last);
                if (own != clNone) FillArea(c, r, own);
            }
            if (!fixedCol && g->OnFooterPaint) g->OnFooterPaint(this, col, c, r);
            else PaintFooterCell(g, c, col, last, r);
            if (horz) FillArea(c, TRect(r.Left, 0, r.Right, 1), g->GridLineColor());
            if (vert && g->Look() != glVista) FillArea(c, TRect(r.Right - 1, 0, r.Right, r.Bottom), clGray);
            x += w;
        };
        for (int col = 0; col < g->FixedCols() && col < g->ColCount(); ++col) paintColumn(col, true);
        for (int col = std::max(g->LeftCol(), g->FixedCols()); col < g->ColCount() && x < client.Width(); ++col)
            paintColumn(col, false);
        break;
    }
    case fsColumnPreview:
    case fsCustomPreview: {
        // A sunken frame: gray bottom and right, white top and left.
        FillArea(c, TRect(0, area.Bottom - 1, area.Right, area.Bottom), clGray);
        FillArea(c, TRect(area.Right - 1, 0, area.Right, area.Bottom), clGray);
        FillArea(c, TRect(0, 0, area.Right, 1), clWhite);
        FillArea(c, TRect(0, 0, 1, area.Bottom), clWhite);
        const TRect inner(2, 2, area.Right - 2, area.Bottom - 2);
        const int row = g->Row();
        if (ff->FooterStyle == fsColumnPreview) {
            if (g->OnFooterPaint) g->OnFooterPaint(this, ff->Column, c, inner);
            else if (row >= 0 && row < g->RowCount() && ff->Column >= 0 && ff->Column < g->ColCount())
                PaintFooterCell(g, c, ff->Column, row, inner);
        } else {
            // The filled template is mini-HTML, two pixels below the area's top.
            c->Font()->Assign(*g->Font());
            c->Brush()->SetStyle(bsClear);
            TMiniHTMLParams p;
            p.Images = g->GridImages();
            p.PictureCache = g->ImageCache();
            p.PictureContainer = g->PictureContainer;
            p.URLColor = g->URLColor();
            RenderMiniHTML(c, ff->FillTemplate(row), TRect(inner.Left, area.Top + 2, inner.Right, inner.Bottom), p);
            c->Brush()->SetStyle(bsSolid);
        }
        break;
    }
    case fsCustomPaint:
        if (g->OnFooterPaint) g->OnFooterPaint(this, ff->Column, c, area);
        break;
    }
    if (ff->BorderColor != clNone) FillArea(c, TRect(0, 0, V, 1), ff->BorderColor);
}

void TFooterPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TPanel::MouseUp(Button, Shift, X, Y);
    TExtStringGrid* g = Grid();
    if (!g || Button != mbLeft) return;
    if (g->OnClick) g->OnClick(g);
    const int col = ColumnAt(X);
    if (col >= 0 && g->OnClickCell) g->OnClickCell(g, g->RowCount() - 1, col);
}

void TFooterPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TPanel::MouseMove(Shift, X, Y);
    if (!ShowHint()) return;
    const int col = ColumnAt(X);
    if (col != FLastHintX) {
        if (TExtStringGrid* g = Grid()) {
            String hint;
            if (col >= 0 && g->OnGridHint) g->OnGridHint(g, g->RowCount() - 1, col, hint);
            SetHint(hint);
        }
        FLastHintX = col;
    }
}

void TFooterPanel::MouseLeave()
{
    TPanel::MouseLeave();
    FLastHintX = -1;
}
