// The cell painter of the feature grid: the colours and fonts of a cell in their order
// of precedence, and the content of a cell inside its grid lines: the fixed-cell look,
// always-visible buttons, the text, the cell's own borders, the graphic, the focus
// rectangle and the application's drawing events.
#include <algorithm>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridDrawUtils.h"
#include "grid/util/GridSupport.h"

namespace {
const TCellTypeSet kOwnColorKinds{ctNone, ctRotated, ctEmpty};
const TCellTypeSet kControlKinds{ctCheckBox, ctDataCheckBox, ctRadio, ctButton, ctRadioButton};
}

// ---------------------------------------------------------------- colours and fonts

void TExtStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                         bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                         TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                         bool& WW, TGradientDirection& GD)
{
    const int rc = Remap ? RealColIndex(ACol) : ACol;
    const int dc = Remap ? ACol : DisplColIndex(ACol);
    const bool inFixedArea = dc < FixedCols() || ARow < FixedRows();
    // 1. Font.
    if (Print && !FPrintSettings->UseDisplayFont) AFont->Assign(inFixedArea ? *FPrintSettings->FixedFont() : *FPrintSettings->Font());
    else AFont->Assign(inFixedArea ? *FFixedFont : *Font());
    // 3. Colours start unset.
    ABrush->SetStyle(bsSolid);
    ABrush->SetColor(clNone);
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    GD = GradientVertical;
    WW = WordWrap();
    bool ownColor = false;
    // 4. The cell's record.
    if (TCellProperties* p = CellPropsOf(rc, ARow)) {
        const TCellType t = GetCellType(rc, ARow);
        if (kOwnColorKinds.Contains(t)) {
            if (p->BrushColor() != clNone) {
                ABrush->SetColor(p->BrushColor());
                ownColor = true;
            }
        } else if (kControlKinds.Contains(t)) {
            ABrush->SetColor(p->BrushColor());
            ownColor = p->BrushColor() != clNone;
        } else {
            ABrush->SetColor(p->BrushColor());
        }
        if (p->FontColor != clNone) AFont->SetColor(p->FontColor);
        if (!p->FontStyle.Empty()) AFont->SetStyle(p->FontStyle);
        if (p->FontSize != 0) AFont->SetSize(p->FontSize);
        if (!p->FontName.empty()) AFont->SetName(p->FontName);
        WW = p->WordWrap();
        AColorTo = p->BrushColorTo();
        GD = p->GradientDirection;
    }
    // 5. Selected cells run their gradient top to bottom.
    if (AState.Contains(gdSelected)) GD = GradientVertical;
    // 6. The grid's colour, or the bands.
    const bool footerOrRight = ARow >= RowCount() - FixedFooters || rc >= TotalColCount() - FixedRightCols;
    if (ABrush->Color() == clNone) {
        ABrush->SetColor(Color());
        if (FBands->Active() && (!Print || FBands->Print)) {
            if (inFixedArea || footerOrRight) {
                ABrush->SetColor(FixedColor());
            } else {
                const int cycle = FBands->Cycle();
                // An empty band cycle would divide by zero: such bands colour nothing.
                if (cycle > 0)
                    ABrush->SetColor((ARow - FixedRows()) % cycle < FBands->PrimaryLength() ? FBands->PrimaryColor()
                                                                                           : FBands->SecondaryColor());
            }
        }
    }
    // 7. Fixed cells without a colour of their own.
    bool fixed = inFixedArea;
    if (!fixed) IsFixedCellEx(dc, ARow, fixed);
    if (fixed && !ownColor && !Print) {
        ABrush->SetColor(FixedColor());
        AFont->Assign(*FFixedFont);
        AState << gdFixed;
        if (FLook > glClassic && FLook != glCustom) {
            ABrush->SetColor(WYXGradientFrom);
            AColorTo = WYXGradientTo;
            AMirrorColor = WYXGradientMirrorFrom;
            AMirrorColorTo = WYXGradientMirrorTo;
        }
    }
    // 8. The colour hook (column colours and fonts in the column grid, the application).
    if (Print) FireGetCellPrintColor(rc, ARow, AState, ABrush, AFont);
    else FireGetCellColor(rc, ARow, AState, ABrush, AFont);
    // 9. The application's gradient.
    if (OnGetCellGradient) {
        TColor c = ABrush->Color();
        OnGetCellGradient(this, ARow, rc, c, AColorTo, AMirrorColor, AMirrorColorTo, GD);
        ABrush->SetColor(c);
    }
    // 11. Selection colours for normal cells.
    const bool normal = !AState.Contains(gdFixed) && !fixed;
    if (Select && !Print && ShowSelection && normal) {
        bool selected = AState.Contains(gdSelected);
        if (FMouseActions->DisjunctRowSelect()) {
            const bool rowSel = ARow < RowCount() && size_t(ARow) < FRowSelect.size() && FRowSelect[size_t(ARow)];
            selected = rowSel || (FMouseDownState && ARow == Row());
            if (!selected) AState >> gdSelected;
        }
        if (selected) {
            ABrush->SetColor(ABrush->Color() == Color()
                                 ? SelectionColor
                                 : MixSelectionColor(SelectionColor, ABrush->Color(), SelectionColorMixer,
                                                     SelectionColorMixerFactor));
            AColorTo = SelectionColorTo;
            AMirrorColor = SelectionMirrorColor;
            AMirrorColorTo = SelectionMirrorColorTo;
            if (SelectionTextColor != clNone) AFont->SetColor(SelectionTextColor);
            AState << gdSelected;
        }
    }
    // 13. A disabled grid shows its text in the disabled colour.
    if (UseDisabledFont && !Enabled()) AFont->SetColor(DisabledFontColor);
    // 15. Word wrap and alignment.
    FireGetWordWrap(rc, ARow, WW);
    const int al = GetCellAlignment(rc, ARow);
    HA = TAlignment(al & 0xFF);
    VA = TVAlignment((al >> 8) & 0xFF);
}

// ---------------------------------------------------------------- cell content

void TExtStringGrid::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    const int rc = RealColIndex(ACol);
    TRect R = ARect;
    // 3. Look of the cell and its graphic.
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = WordWrap();
    TGradientDirection gd = GradientVertical;
    TGridDrawState state = AState;
    GetVisualProperties(ACol, ARow, state, false, false, true, ACanvas->Brush(), colorTo, mirror, mirrorTo,
                        ACanvas->Font(), ha, va, ww, gd);
    TCellVAlign gva = vaTop;
    TCellHAlign gha = haLeft;
    bool textToo = true;
    int gh = 0, gw = 0;
    TCellGraphic* graphic = GetCellGraphicInfo(rc, ARow, gva, gha, textToo, gh, gw);
    if (rc == 0 && HasNodes()) gw = GetNodeIndent(ARow) + 4;
    // 4. A selected cell without a selection colour takes the highlight.
    if (AState.Contains(gdSelected) && !Focused() && SelectionColor == clNone) ACanvas->Brush()->SetColor(clHighlight);
    // 5. Zoom; colours to restore after the text.
    if (ZoomFactor != 0) ACanvas->Font()->SetSize(ACanvas->Font()->Size() + ZoomFactor);
    const TColor keepBrush = ACanvas->Brush()->Color(), keepFont = ACanvas->Font()->Color();
    // 6. Fixed-looking cells.
    bool fixedLook = ACol < FixedCols() || ARow < FixedRows();
    if (!fixedLook) IsFixedCellEx(ACol, ARow, fixedLook);
    if (fixedLook && HoverRow && ARow == FHoverRowIdx && HoverRowCells.Contains(hcFixed)) fixedLook = false;
    if (fixedLook) AState << gdFixed;

    const bool gradientLook = FLook == glWYX || FLook == glXP || FLook == glVista || FLook == glWin7 ||
                              FLook == glOffice2007;
    // 8. The fixed-cell face of the gradient looks.
    if (fixedLook && gradientLook) {
        const bool hovered = (HoverFixedCells != hfNone && ACol == FHoverFixedCol && ARow == FHoverFixedRow) ||
                             (FColMovingState && ACol == FMovingCol);
        const bool activeHeader = ActiveCellShow && ((ACol == FixedCols() - 1 && ARow == Row()) ||
                                                     (ARow == FixedRows() - 1 && ACol == Col()));
        const bool sortHeader = FSortSettings->Column == rc && FSortSettings->HeaderColor() != clNone &&
                                ARow == FixedRows() - 1 && (ACol >= FixedCols() || FSortSettings->FixedCols);
        if (hovered) {
            TRect hr = R;
            hr.Bottom += 1;
            const bool down = FMouseDownState || FColMovingState;
            if (!down)
                DrawCellBackground(ACanvas, hr, FWYXGradHoverFrom, FWYXGradHoverTo, FWYXGradHoverMirrorFrom,
                                   FWYXGradHoverMirrorTo, true, FWYXGradHoverBorder, false, true);
            else
                DrawCellBackground(ACanvas, hr, FWYXGradDownFrom, FWYXGradDownTo, FWYXGradDownMirrorFrom,
                                   FWYXGradDownMirrorTo, true, FWYXGradDownBorder, false, true);
        } else if (activeHeader) {
            DrawGradient(ACanvas, ActiveCellColor, ActiveCellColorTo, 128, R, false);
        } else if (sortHeader) {
            DrawCellBackground(ACanvas, R, FSortSettings->HeaderColor(), FSortSettings->HeaderColorTo(),
                               FSortSettings->HeaderMirrorColor(), FSortSettings->HeaderMirrorColorTo(), true, clNone,
                               false, true);
        } else if (!FFlat) {
            const TRect fr = R;
            if (mirror == clNone)
                DrawGradient(ACanvas, ACanvas->Brush()->Color(), colorTo, 128, fr, false);
            else
                DrawCellBackground(ACanvas, fr, ACanvas->Brush()->Color(), colorTo, mirror, mirrorTo, true, clNone,
                                   false, true);
            if (FLook == glVista) {
                ACanvas->Pen()->SetColor(clWhite);
                ACanvas->MoveTo(fr.Left, fr.Top);
                ACanvas->LineTo(fr.Left, fr.Bottom);
                ACanvas->MoveTo(fr.Right - 1, fr.Top);
                ACanvas->LineTo(fr.Right - 1, fr.Bottom);
            }
        }
    }
    // 9. Row indicator in the current row.
    int indicatorWidth = 0;
    if (rc == 0 && ARow == Row() && FixedCols() > 0 && !FRowIndicator->Empty() &&
        (RowCount() > FixedRows() || !FixedRowAlways)) {
        const int h = FRowIndicator->Height();
        int y = R.Top;
        if (VAlignment == vtaCenter) y = R.Top + (R.Height() - h) / 2;
        else if (VAlignment == vtaBottom) y = R.Bottom - h;
        DrawTransparentBitmap(ACanvas, FRowIndicator.get(), ACanvas->Brush()->Color(),
                              Bounds(R.Left + 2, y, FRowIndicator->Width(), h));
        indicatorWidth = FRowIndicator->Width() + 2;
        R.Left += indicatorWidth;
    }
    // 10. List-view headers.
    if (fixedLook && FLook == glListView && !FFlat) {
        TRect hr = R;
        hr.Bottom += 1;
        if (!DrawThemedPart(Handle(), ACanvas, VSCLASS_HEADER, HP_HEADERITEM, HIS_NORMAL, hr)) {
            ACanvas->Brush()->SetColor(clBtnFace);
            ACanvas->Pen()->SetColor(clWhite);
            ACanvas->Rectangle(hr);
        }
        ACanvas->Pen()->SetColor(clWhite);
        ACanvas->MoveTo(hr.Left, hr.Top);
        ACanvas->LineTo(hr.Right, hr.Top);
    }
    // 11. The modified-row mark.
    // The list holds a flag per row (1 modified), indexed by the shown row.
    if (ACol == 0 && FShowModified->Enabled && GetRowModified(ARow)) {
        ACanvas->Brush()->SetColor(FShowModified->Color());
        ACanvas->FillRect(TRect(R.Right - 4, R.Top, R.Right, R.Bottom));
        ACanvas->Brush()->SetColor(keepBrush);
    }
    // 12. The application's background.
    if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, ACanvas, ACol, ARow, AState, R, false);
    // 13. Buttons that stay visible.
    const int rightEdge = R.Right;
    bool canEdit = true;
    FireCanEditCell(rc, ARow, canEdit);
    if (!fixedLook && (FControlLook->DropDownAlwaysVisible || FControlLook->SpinButtonsAlwaysVisible)) {
        int look = FControlLook->FlatButton ? bkFlat : (FIsWinXP ? bkThemed : bkClassic);
        if (FFlat && FColorTones.Background.BrushColor != clNone) look = bkCustom;
        const int bstate = canEdit ? bstNormal : bstDisabled;
        const TRect br(R.Left - 2, R.Top - 1, R.Right + 1, R.Bottom);
        if (FControlLook->DropDownAlwaysVisible && HasComboBox(rc, ARow)) {
            DrawDropDownButton(ACanvas, Handle(), br, look, bstate, FColorTones);
            R.Right -= 16;
        } else if (FControlLook->SpinButtonsAlwaysVisible && HasSpinEdit(rc, ARow)) {
            DrawSpinButtons(ACanvas, Handle(), br, look, bstate, FColorTones);
            R.Right -= 16;
        }
    }
    // 15. The text.
    int textWidth = 0;
    const bool skipText = (graphic && !textToo) || ((OnDrawCell || OnCustomCellDraw) && NoDefaultDraw);
    if (!skipText) DrawCellText(ACanvas, rc, ARow, R, AState, graphic, gw, gh, textWidth);
    // 16. Colours back.
    R.Right = rightEdge;
    ACanvas->Brush()->SetColor(keepBrush);
    ACanvas->Font()->SetColor(keepFont);
    // 17. The cell's own borders.
    {
        TRect br = R;
        InflateRect(br, 1, 1);
        DrawCellBorders(ACanvas, rc, ARow, br);
    }
    // 18. Row indicator room back.
    R.Left -= indicatorWidth;
    // 19. Edges of fixed cells.
    if (fixedLook && !FFlat) {
        const bool horz = Options().Contains(goFixedHorzLine), vert = Options().Contains(goFixedVertLine);
        switch (FLook) {
        case glClassic: {
            TRect er(R.Left + 1, R.Top + 1, R.Right, R.Bottom + 1);
            ACanvas->Pen()->SetColor(clBtnHighlight);
            ACanvas->MoveTo(er.Left, er.Bottom - 1);
            ACanvas->LineTo(er.Left, er.Top);
            ACanvas->LineTo(er.Right - 1, er.Top);
            ACanvas->Pen()->SetColor(clBtnShadow);
            ACanvas->LineTo(er.Right - 1, er.Bottom - 1);
            ACanvas->LineTo(er.Left, er.Bottom - 1);
            ACanvas->Pen()->SetColor(clBlack);
            ACanvas->MoveTo(R.Right - 1, R.Top);
            ACanvas->LineTo(R.Right - 1, R.Bottom);
            ACanvas->MoveTo(R.Left, R.Bottom - 1);
            ACanvas->LineTo(R.Right, R.Bottom - 1);
            break;
        }
        case glWYX:
        case glXP: {
            const int bottom = R.Bottom + 1;
            if (horz) {
                ACanvas->Pen()->SetColor(DarkenColor(FixedColor()));
                ACanvas->MoveTo(R.Left, bottom - 1);
                ACanvas->LineTo(R.Right, bottom - 1);
                ACanvas->Pen()->SetColor(clWhite);
                ACanvas->MoveTo(R.Right - 2, R.Top + 1);
                ACanvas->LineTo(R.Left + 1, R.Top + 1);
                ACanvas->MoveTo(R.Left + 1, R.Top + 1);
                ACanvas->LineTo(R.Left + 1, bottom);
            }
            break;
        }
        case glSoft: {
            const int right = R.Right + 1, bottom = R.Bottom + 1;
            if (horz) {
                ACanvas->Pen()->SetColor(DarkenColor(FixedColor()));
                ACanvas->MoveTo(R.Left, bottom - 1);
                ACanvas->LineTo(right, bottom - 1);
                ACanvas->Pen()->SetColor(clWhite);
                ACanvas->MoveTo(right - 2, R.Top + 1);
                ACanvas->LineTo(R.Left + 1, R.Top + 1);
                ACanvas->LineTo(R.Left + 1, bottom);
            }
            if (vert) {
                ACanvas->Pen()->SetColor(DarkenColor(FixedColor()));
                ACanvas->MoveTo(right - 2, R.Top);
                ACanvas->LineTo(right - 2, bottom);
                ACanvas->Pen()->SetColor(clWhite);
                ACanvas->MoveTo(right - 1, R.Top);
                ACanvas->LineTo(right - 1, bottom);
            }
            break;
        }
        default:
            break;
        }
    }
    // 20. Fixed columns at the right (no 3-D edges here: the cells draw flat).
    if (FixedRightCols > 0 && rc >= TotalColCount() - FixedRightCols && FLook != glClassic && FFlat) {
        ACanvas->Pen()->SetColor(clGray);
        ACanvas->MoveTo(R.Left - 1, R.Top - 1);
        ACanvas->LineTo(R.Left - 1, R.Bottom + 1);
        ACanvas->MoveTo(R.Right, R.Top - 1);
        ACanvas->LineTo(R.Right, R.Bottom + 1);
    }
    // 21. Tree lines of node rows.
    if (rc == 0 && HasNodes()) DrawNodeTreeLines(ACanvas, ARow, R);
    // 22. The graphic.
    if (graphic) {
        TRect gr = R;
        if (fixedLook) gr.Top += 1;
        DrawCellGraphic(ACanvas, rc, ARow, gr, graphic, va, ha, textWidth, gw, gh, canEdit,
                        AState.Contains(gdSelected));
    }
    // 23/24. The application's drawing.
    if (OnDrawCell) {
        TRect dr(R.Left + 1, R.Top + 1, R.Right - GridLineWidth(), R.Bottom - GridLineWidth());
        OnDrawCell(this, ACol, ARow, dr, AState);
    }
    if (OnCustomCellDraw) OnCustomCellDraw(this, ACanvas, ACol, ARow, AState, R, false);
    // 25. The focus rectangle of the current cell.
    // (The grid marks its focused current cell with gdFocused; a cell painted elsewhere
    // on its own gets no focus rectangle.)
    if (!HideFocusRect && AState.Contains(gdFocused) && Focused() && !Options().Contains(goRowSelect) && !fixedLook) {
        const TPoint base = BaseCell(Col(), Row());
        if (base.X == ACol && base.Y == ARow) {
            TRect fr = R;
            InflateRect(fr, GridLineWidth() - 1, GridLineWidth() - 1);
            fr.Right -= 1;
            fr.Bottom -= 1;
            ACanvas->DrawFocusRect(fr);
        }
    }
}
