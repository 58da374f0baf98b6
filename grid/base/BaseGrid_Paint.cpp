// The base grid's cell painter: background (plain, gradient, mirrored, selection faces,
// hover and active rows), grid lines, a merged area once per paint cycle, and the
// content through DrawCellContent.
#include <algorithm>

#include "grid/base/BaseGrid.h"
#include "grid/util/GridDrawUtils.h"

namespace {
struct TSelectionFace {
    TColor From, To, Border, UpperLine, LowerLine, InnerCorner, MirrorFrom, MirrorTo;
};
constexpr TSelectionFace kVistaFace{0xFDF8F1, 0xFCEFD5, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, clNone, clNone};
constexpr TSelectionFace kWin7Face{0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, clNone, clNone};
constexpr TSelectionFace kOffice2007Face{0xD7FFFD, 0x58D4FC, 0x8DD7D3, 0xF4FEFF,
                                         0xCAF8FF, 0xC3D9DF, 0x58D4FC, 0xB3F1FC};
constexpr TSelectionFace kNoFocusFace{0xF8F8F8, 0xE5E5E5, 0xD9D9D9, 0xFBFAFA, 0xF0F0F0, 0xEFEFEF, clNone, clNone};
}

void TBaseGrid::Paint()
{
    TObjStringGrid::Paint();
    ++FPaintID;
}

void TBaseGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    // A merged area is painted whole by the first of its cells the grid reaches in this
    // paint, in the state of its base cell.
    TCellProperties* p = CellPropsOf(ACol, ARow);
    if (p && (p->CellSpanX > 0 || p->CellSpanY > 0)) {
        const TPoint b = p->GetBaseCell(ACol, ARow);
        TCellProperties* bp = CellPropsOf(b.X, b.Y);
        if (!bp) return;
        if (bp->FPaintID == FPaintID) return;
        bp->FPaintID = FPaintID;
        TGridDrawState state;
        if (AState.Contains(gdFixed)) state << gdFixed;
        if (Selection().Contains(b.X, b.Y)) {
            state << gdSelected;
            if (Options().Contains(goRowSelect)) state << gdRowSelected;
        }
        if (Col() == b.X && Row() == b.Y && Focused()) state << gdFocused;
        DoPaintCell(Canvas(), b.X, b.Y, ARect, state, true);
        return;
    }
    DoPaintCell(Canvas(), ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    DoPaintCell(ACanvas, ACol, ARow, ARect, AState, true);
}

void TBaseGrid::PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    DoPaintCell(ACanvas, ACol, ARow, ARect, AState, false);
}

void TBaseGrid::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->DrawText(GetCellEx(ACol, ARow), ARect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    ACanvas->Brush()->SetStyle(bsSolid);
}

void TBaseGrid::PaintSelectionFace(TCanvas* ACanvas, int ACol, TRect R)
{
    const TGridRect sel = Selection();
    const int left = std::min(sel.Left, sel.Right), right = std::max(sel.Left, sel.Right);
    int kind = 0;
    if (ACol == left && left < right) kind = 1;
    else if (ACol == right && right > left) kind = 2;
    else if (left < ACol && ACol < right) kind = 3;
    if (!Options().Contains(goHorzLine)) R.Bottom += 1;
    if (!Options().Contains(goVertLine)) R.Right += 1;
    const bool active = Focused() || Options().Contains(goDrawFocusSelected);
    const TSelectionFace* f = &kNoFocusFace;
    if (active) {
        if (FSelectionStyle == ssVista) f = &kVistaFace;
        else if (FSelectionStyle == ssWin7) f = &kWin7Face;
        else f = &kOffice2007Face;
    }
    DrawGradientButtonFace(ACanvas, f->From, f->To, f->MirrorFrom, f->MirrorTo, f->UpperLine, f->LowerLine, f->Border,
                           f->InnerCorner, Color(), R, kind);
}

void TBaseGrid::DoPaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState,
                            bool UseCellRect)
{
    // 1. A hidden last row shows only the grid's colour.
    if (FHideLastRow && ARow == RowCount() - 1) {
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(Color());
        ACanvas->Pen()->SetColor(Color());
        ACanvas->FillRect(ARect);
        return;
    }
    // 2. A cell inside an area paints the area's base cell, once per paint cycle.
    if (TCellProperties* p = CellPropsOf(ACol, ARow); p && IsMergedNonBaseCell(ACol, ARow)) {
        const TPoint b = p->GetBaseCell(ACol, ARow);
        if (TCellProperties* bp = CellPropsOf(b.X, b.Y); bp && bp->FPaintID != FPaintID) {
            bp->FPaintID = FPaintID;
            PaintCell(ACanvas, b.X, b.Y, ARect, AState);
        }
        return;
    }
    // 3. State and rectangle.
    if (IsFixed(ACol, ARow) && UseCellRect) {
        AState << gdFixed;
        AState >> gdSelected;
    }
    if (UseCellRect) ARect = CellRect(ACol, ARow);
    const bool fixed = AState.Contains(gdFixed);
    const bool selected = AState.Contains(gdSelected);

    // 4. A scrolled cell that reaches under the fixed cells is clipped to the scrolled area.
    int fixedWidth = 0, fixedHeight = 0;
    for (int i = 0; i < FixedCols(); ++i) fixedWidth += ColWidths(i);
    for (int j = 0; j < FixedRows(); ++j) fixedHeight += RowHeights(j);
    const bool scrollCol = ACol >= FixedCols(), scrollRow = ARow >= FixedRows();
    const bool clip = (scrollCol && FixedCols() > 0 && ARect.Left < fixedWidth) ||
                      (scrollRow && FixedRows() > 0 && ARect.Top < fixedHeight);
    int saved = -1;
    if (clip) {
        saved = ACanvas->SaveState();
        ACanvas->IntersectClipRect(TRect(scrollCol ? fixedWidth : 0, scrollRow ? fixedHeight : 0, Width(), Height()));
    }

    // 5. The cell's look.
    ACanvas->Pen()->SetWidth(1);
    ACanvas->Font()->Assign(*Font());
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = FWordWrap;
    TGradientDirection gd = GradientVertical;
    GetVisualProperties(ACol, ARow, AState, false, true, true, ACanvas->Brush(), colorTo, mirror, mirrorTo,
                        ACanvas->Font(), ha, va, ww, gd);
    ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());

    // 6. Hover row.
    if (ARow == FHoverRowIdx && HoverRow && !(selected && !HoverRowCells.Contains(hcSelected)) &&
        !(fixed && !HoverRowCells.Contains(hcFixed))) {
        ACanvas->Brush()->SetColor(HoverRowColor);
        colorTo = HoverRowColorTo;
        mirror = clNone;
        mirrorTo = clNone;
        gd = GradientVertical;
    }
    // 7. Active row.
    if ((FActiveRowShow && ARow == Row() && (ACol != Col() || !FShowSel) && ACol >= FixedCols()) ||
        (!UseCellRect && selected)) {
        ACanvas->Brush()->SetColor(FActiveRowColor);
        colorTo = FActiveRowColorTo;
        mirror = FActiveRowMirrorColor;
        mirrorTo = FActiveRowMirrorColorTo;
    }
    ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());

    // 8. Background.
    if (selected && FSelectionStyle != ssDefault && FShowSel) {
        PaintSelectionFace(ACanvas, ACol, ARect);
    } else if (!(IsStyled() && (fixed || selected))) {
        if (mirrorTo == clNone)
            DrawGradient(ACanvas, ACanvas->Brush()->Color(), colorTo, 64, ARect, gd == GradientHorizontal);
        else
            DrawCellBackground(ACanvas, ARect, ACanvas->Brush()->Color(), colorTo, mirror, mirrorTo, true, clNone,
                               false, true);
    }

    // 9. Grid lines, inside the cell at its right and bottom edge.
    int half;
    if (fixed) {
        ACanvas->Pen()->SetColor(FGridFixedLineColor);
        ACanvas->Pen()->SetWidth(1);
        half = 1;
    } else {
        if (FGridLineWidth > 0) ACanvas->Pen()->SetColor(FGridLineColor);
        ACanvas->Pen()->SetWidth(std::max(1, FGridLineWidth));
        half = (FGridLineWidth + 1) / 2;
    }
    ACanvas->Pen()->SetStyle(psSolid);
    const TPoint base = BaseCell(ACol, ARow);
    if ((base.X != 0 || !HasNodes()) && Options().Contains(fixed ? goFixedHorzLine : goHorzLine)) {
        ACanvas->MoveTo(ARect.Left - half + 1, ARect.Bottom - half);
        ACanvas->LineTo(ARect.Right - half + 1, ARect.Bottom - half);
    }
    if (Options().Contains(fixed ? goFixedVertLine : goVertLine)) {
        ACanvas->MoveTo(ARect.Right - half, ARect.Bottom - half);
        ACanvas->LineTo(ARect.Right - half, ARect.Top - half);
    }

    // 10. Content.
    TRect content = ARect;
    if (fixed) {
        content.Right -= 1;
        content.Bottom -= 2;
    } else {
        InflateRect(content, -FGridLineWidth, -FGridLineWidth);
    }
    if (UseCellRect) DrawCellContent(ACanvas, ACol, ARow, content, AState);

    // 11.
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Pen()->SetStyle(psSolid);
    ACanvas->Pen()->SetWidth(1);
    if (saved >= 0) ACanvas->RestoreState(saved);
}
