// Links in cells: the anchor under the mouse is found by laying the cell's mini-HTML out
// again at the point, in the rectangle and font it was painted with; a click fires
// OnAnchorClick and then follows the link unless the window took it over.
#include "grid/core/ExtGrid.h"
#include "grid/html/MiniHTMLRender.h"
#include "grid/util/GridTextUtils.h"
#include "platform/os/Process.h"

bool TExtStringGrid::HTMLCellHitTest(int ACol, int ARow, int X, int Y, TMiniHTMLParams& P)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount() || !EnableHTML) return false;
    const int rc = RealColIndex(ACol);
    const String text = GetFormattedCell(rc, ARow);
    if (GetTextKind(text, true) != tkHTML) return false;
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
    P.X = X;
    P.Y = Y;
    P.HitTestOnly = true;
    P.WordWrap = ww;
    P.Images = FGridImages;
    P.PictureCache = FImageCache.get();
    P.PictureContainer = PictureContainer;
    const bool hit = RenderMiniHTML(c, text, R, P);
    c->RestoreState(saved);
    return hit;
}

String TExtStringGrid::AnchorAt(int ACol, int ARow, int X, int Y)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return String();
    TMiniHTMLParams p;
    if (HTMLCellHitTest(ACol, ARow, X, Y, p)) return p.AnchorVal;
    const String text = GetFormattedCell(RealColIndex(ACol), ARow);
    if (URLShow() && !(EnableHTML && GetTextKind(text, true) == tkHTML) && HasURLProtocol(text)) return text;
    return String();
}

void TExtStringGrid::AnchorMouseMove(int ACol, int ARow, int X, int Y)
{
    const int rc = RealColIndex(ACol);
    TMiniHTMLParams p;
    const bool html = EnableHTML && GetTextKind(GetFormattedCell(rc, ARow), true) == tkHTML;
    const bool onLink = html && HTMLCellHitTest(ACol, ARow, X, Y, p);
    // Hover underlining: the cell and link under the mouse are repainted when they change.
    if (URLUnderlineOnHover) {
        const TPoint cell = html ? TPoint(ACol, ARow) : TPoint(-1, -1);
        const int link = onLink ? p.MouseLink : -1;
        if (cell != FHoverCell || link != FHoverlink) {
            const TPoint old = FHoverCell;
            FHoverCell = cell;
            FHoverlink = link;
            if (old.X >= 0 && old.X < ColCount() && old.Y < RowCount()) RepaintCell(old.X, old.Y);
            if (cell.X >= 0) RepaintCell(cell.X, cell.Y);
        }
    }
    if (onLink) {
        FOverLink = true;
        if (p.AnchorVal != FAnchor) {
            FAnchor = p.AnchorVal;
            if (OnAnchorEnter) OnAnchorEnter(this, ARow, rc, FAnchor);
        }
    } else if (!FAnchor.empty()) {
        FAnchor.clear();
        if (OnAnchorExit) OnAnchorExit(this, ARow, rc, String());
    }
}

bool TExtStringGrid::AnchorClickAt(int ACol, int ARow, int X, int Y)
{
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return false;
    TMiniHTMLParams hit;
    const String anchor =
        HTMLCellHitTest(ACol, ARow, X, Y, hit) ? hit.AnchorVal : AnchorAt(ACol, ARow, X, Y);
    if (anchor.empty()) return false;
    // A form control under the point is operated; on a cell that may not be edited the
    // click goes to OnAnchorClick like any link.
    if (anchor == "ctrl" && !hit.ControlType.empty() && ControlClickAt(ACol, ARow, hit)) return true;
    bool AutoHandle = true;
    if (OnAnchorClick) OnAnchorClick(this, ARow, RealColIndex(ACol), anchor, AutoHandle);
    if (!AutoHandle) return true;
    // A control is no address: it is never handed to the opener.
    if (anchor == "ctrl" && !hit.ControlType.empty()) return true;
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
