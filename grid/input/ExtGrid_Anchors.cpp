// Links in cells: the anchor under the mouse is found by laying the cell's mini-HTML out
// again at the point, in the rectangle and font it was painted with; a click fires
// OnAnchorClick and then follows the link unless the window took it over.
#include "grid/core/ExtGrid.h"
#include "grid/html/MiniHTMLRender.h"
#include "grid/util/GridTextUtils.h"
#include "platform/os/Process.h"

String TExtStringGrid::AnchorAt(int ACol, int ARow, int X, int Y)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return String();
    const int rc = RealColIndex(ACol);
    const String text = GetFormattedCell(rc, ARow);
    if (EnableHTML && GetTextKind(text, true) == tkHTML) {
        // The rectangle the painter gives the renderer.
        TRect R = CellRect(ACol, ARow);
        if (!XYOffsetTopLeftOnly) R.Right -= XYOffset.X;
        R.Left += XYOffset.X - 1;
        R.Top += XYOffset.Y;
        if (rc == 0 && HasNodes()) R.Left += GetNodeIndent(ARow);
        bool ww = WordWrap();
        if (TCellProperties* p = CellPropsOf(rc, ARow)) ww = p->WordWrap();
        FireGetWordWrap(rc, ARow, ww);
        TCanvas* c = Canvas();
        const int saved = c->SaveState();
        TBrush brush;
        TGridDrawState state;
        GetFontProperties(ACol, rc, ARow, state, c->Font(), &brush, false);
        if (ZoomFactor != 0) c->Font()->SetSize(c->Font()->Size() + ZoomFactor);
        TMiniHTMLParams p;
        p.X = X;
        p.Y = Y;
        p.HitTestOnly = true;
        p.WordWrap = ww;
        p.Images = FGridImages;
        p.PictureCache = FImageCache.get();
        p.PictureContainer = PictureContainer;
        const bool hit = RenderMiniHTML(c, text, R, p);
        c->RestoreState(saved);
        return hit ? p.AnchorVal : String();
    }
    if (URLShow() && HasURLProtocol(text)) return text;
    return String();
}

bool TExtStringGrid::AnchorClickAt(int ACol, int ARow, int X, int Y)
{
    const String anchor = AnchorAt(ACol, ARow, X, Y);
    if (anchor.empty()) return false;
    bool AutoHandle = true;
    if (OnAnchorClick) OnAnchorClick(this, ARow, RealColIndex(ACol), anchor, AutoHandle);
    if (!AutoHandle) return true;
    const size_t cell = UpperCase(anchor).find("CELL://");
    if (cell != String::npos) {
        int col = -1, row = -1;
        if (ParseCellReference(anchor.substr(cell + 7), col, row) && row >= FixedRows() && row < RowCount() &&
            col >= FixedCols() && col < ColCount()) {
            SetRow(row);
            SetCol(col);
            ScrollInView(col, row);
        }
        return true;
    }
    // Any other link goes to the desktop's opener, which runs on its own.
    TProcess opener;
    if (opener.Start("xdg-open", {anchor})) opener.Abandon();
    return true;
}
