// The feature grid's painting around the cell painter: the paint of the whole control,
// the cell text with its margins, links, password masking and sort indicator, the
// cell's own borders, the font and alignment queries, the measuring of cell text, the
// focus-cell window and the sizing guide lines.
#include <algorithm>
#include <cmath>

#include "grid/core/ExtGrid.h"
#include "grid/html/MiniHTMLRender.h"
#include "grid/paint/GridFocusWindow.h"
#include "grid/util/GridDrawUtils.h"
#include "grid/util/GridTextUtils.h"
#include "platform/os/Regional.h"

namespace {
unsigned HorzFlag(TAlignment a) { return a == taRightJustify ? DT_RIGHT : a == taCenter ? DT_CENTER : DT_LEFT; }
unsigned VertFlag(TVAlignment a) { return a == vtaCenter ? DT_VCENTER : a == vtaBottom ? DT_BOTTOM : DT_TOP; }
}

// ---------------------------------------------------------------- display text

String TExtStringGrid::GetFormattedCell(int ACol, int ARow)
{
    const String text = GetCellEx(ACol, ARow);
    if (!OnGetFloatFormat) return text;
    const int kind = GetNumberKind(text);
    if (kind != nkInteger && kind != nkDecimal && kind != nkExponent) return text;
    bool isFloat = true;
    String fmt = FloatFormat;
    OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
    if (!isFloat || fmt.empty()) return text;
    double v = 0;
    if (!TryStrToFloat(Trim(text), v, GetDecimalSeparator()) && !TryStrToFloat(NormalizeNumberText(text), v, '.'))
        return text;
    try {
        // A format that writes an integer gets the integer value.
        if (fmt.find('d') != String::npos) return Format(fmt, {static_cast<long long>(v)});
        return Format(fmt, {v});
    } catch (const Exception&) {
        return text;
    }
}

String TExtStringGrid::GetColumnFloatFormat(int ACol) { return FloatFormat; }

// ---------------------------------------------------------------- the control

void TExtStringGrid::Paint()
{
    Canvas()->Pen()->SetStyle(psSolid);
    Canvas()->Brush()->SetStyle(bsSolid);
    TBaseGrid::Paint();
    if (EditorMode()) {
        TCanvas* c = Canvas();
        c->Pen()->SetColor(GridLineWidth() > 0 ? GridLineColor() : Color());
        if (!Options().Contains(goVertLine) && !Options().Contains(goHorzLine)) c->Pen()->SetColor(Color());
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(CellRect(Col(), Row()));
        c->Brush()->SetStyle(bsSolid);
    }
    Canvas()->Pen()->SetColor(clBlack);
    if (!FRowIndicator->Empty() || (FBackGround && (FBackGround->ColorTo != clNone))) PaintBackgroundArea();
    if (OnPainted) OnPainted(this);
}

// ---------------------------------------------------------------- font and alignment queries

void TExtStringGrid::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont,
                                       TBrush* ABrush, bool Remap)
{
    bool fixed = ACol < FixedCols() || ARow < FixedRows();
    if (!fixed) IsFixedCellEx(ACol, ARow, fixed);
    AFont->Assign(fixed ? *FFixedFont : *Font());
    if (TCellProperties* p = CellPropsOf(RCol, ARow)) {
        if (p->FontColor != clNone) AFont->SetColor(p->FontColor);
        if (!p->FontStyle.Empty()) AFont->SetStyle(p->FontStyle);
        if (p->FontSize != 0) AFont->SetSize(p->FontSize);
        if (!p->FontName.empty()) AFont->SetName(p->FontName);
    }
    FireGetCellColor(RCol, ARow, AState, ABrush, AFont);
}

int TExtStringGrid::GetCellAlignment(int ACol, int ARow)
{
    TAlignment ha = DefaultAlignment;
    TVAlignment va = VAlignment;
    bool formula = false;
    if (AutoNumAlign) {
        String text = GetCellEx(ACol, ARow);
        formula = !text.empty() && text[0] == '=';
        if (text.size() > 3 && text[0] == '|' && text[1] == '\\' && text[3] == '=') formula = true;
        if (formula) GetFormulaResult(ACol, ARow, text);
        const int kind = GetNumberKind(Trim(text));
        if (kind == nkInteger || kind == nkDecimal || kind == nkExponent) ha = taRightJustify;
    }
    if (TCellProperties* p = CellPropsOf(ACol, ARow); p && !formula) ha = p->Alignment;
    FireGetAlignment(ACol, ARow, ha, va);
    return int(ha) | (int(va) << 8);
}

// ---------------------------------------------------------------- measuring

TPoint TExtStringGrid::GetCellTextSize(int ACol, int ARow, bool VS, bool SB)
{
    const int dc = DisplColIndex(ACol);
    String text = GetFormattedCell(ACol, ARow);
    TCanvas* c = Canvas();
    const int saved = c->SaveState();
    TBrush brush;
    TGridDrawState state;
    GetFontProperties(dc, ACol, ARow, state, c->Font(), &brush, false);
    if ((dc < FixedCols() || ARow < FixedRows()) && ActiveCellShow && FActiveCellFont->Style().Contains(fsBold))
        c->Font()->SetStyle(c->Font()->Style() + TFontStyles{fsBold});
    if (ZoomFactor != 0) c->Font()->SetSize(c->Font()->Size() + ZoomFactor);
    if (GetTextKind(text, false) == tkFormula) GetFormulaResult(ACol, ARow, text);
    TRect r = CalcCellRect(dc, ARow);
    if (XYOffsetTopLeftOnly) {
        r.Left += XYOffset.X;
        r.Top += XYOffset.Y;
    } else {
        InflateRect(r, -XYOffset.X, -XYOffset.Y);
    }
    if (SB) r.Right -= 17;
    TPoint size;
    if (EnableHTML && GetTextKind(text, true) == tkHTML) {
        TMiniHTMLParams p;
        p.MeasureOnly = true;
        p.WordWrap = VS;
        p.Images = GetCellImageList(ACol, ARow);
        p.PictureCache = FImageCache.get();
        p.PictureContainer = PictureContainer;
        RenderMiniHTML(c, text, TRect(0, 0, VS ? r.Width() : 100000, 100000), p);
        size = TPoint(p.XSize + 2, p.YSize + 2);
    } else if (VS) {
        InflateRect(r, -2, -2);
        if (EditorMode() && !text.empty() && text.back() == '\n') text += "w";
        TRect m(0, 0, std::max(1, r.Width()), 0);
        int flags = DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX;
        int angle = 0;
        flags |= IsRotated(ACol, ARow, angle) ? DT_SINGLELINE : DT_WORDBREAK;
        c->DrawText(text, m, unsigned(flags));
        size = TPoint(r.Width(), m.Height());
    } else {
        String rest = text;
        int widest = 0, lines = 0;
        const String h = "gh";
        const int th = c->TextHeight(h);
        do {
            String line = Multilinecells ? CutFirstLine(rest, true) : CutFirstLine(rest, false);
            if (URLShow() && !URLFull()) StripURLProtocol(line);
            widest = std::max(widest, c->TextWidth(line));
            ++lines;
        } while (Multilinecells && !rest.empty());
        size = TPoint(widest, lines * th);
    }
    int angle = 0;
    if (IsRotated(ACol, ARow, angle) && angle != 0) {
        const double a = angle * M_PI / 180.0;
        const double w = size.X, hgt = size.Y;
        size = TPoint(int(std::fabs(std::fabs(hgt * std::sin(a)) - std::fabs(w * std::cos(a)))) + 12,
                      int(std::fabs(std::fabs(hgt * std::cos(a)) - std::fabs(w * std::sin(a)))) + 12);
    }
    c->RestoreState(saved);
    return size;
}

// ---------------------------------------------------------------- cell text

bool TExtStringGrid::IsCellShownSelected(int ACol, int ARow, TGridDrawState AState)
{
    return AState.Contains(gdSelected) && !AState.Contains(gdFixed);
}

void TExtStringGrid::DrawHTMLCellText(TCanvas* ACanvas, const String& AText, TRect R, bool AWordWrap,
                                      TColor AURLColor, bool ASelected, int AHoverLink, int& TextWidth)
{
    // The last grid that paints decides the process-wide highlight colours.
    SetHTMLHighlightColors(HighlightColor, HighlightTextColor);
    TMiniHTMLParams p;
    p.Images = FGridImages;
    p.PictureCache = FImageCache.get();
    p.PictureContainer = PictureContainer;
    p.WordWrap = AWordWrap;
    p.Selected = ASelected;
    p.URLColor = AURLColor;
    p.BlinkOn = !EnableBlink || FGridBlink;
    p.HoverStyle = URLUnderlineOnHover;
    p.HoverLink = AHoverLink;
    p.ThemeWindow = this;
    p.ControlDown = FCtrlPaintDown;
    const int saved = ACanvas->SaveState();
    ACanvas->IntersectClipRect(R);
    RenderMiniHTML(ACanvas, AText, R, p);
    ACanvas->RestoreState(saved);
    TextWidth = p.XSize + 2;
}

void TExtStringGrid::DrawCellText(TCanvas* ACanvas, int ACol, int ARow, TRect R, TGridDrawState AState,
                                  TCellGraphic* AGraphic, int GraphicWidth, int GraphicHeight, int& TextWidth)
{
    TextWidth = 0;
    const bool fixed = AState.Contains(gdFixed);
    TColor urlColor = URLColor();
    // 2. Selected cells take the selection colours.
    if (AState.Contains(gdSelected) && !fixed && ShowSelection) {
        if (SelectionColor != clNone) ACanvas->Brush()->SetColor(SelectionColor);
        if (SelectionTextColor != clNone && Enabled()) ACanvas->Font()->SetColor(SelectionTextColor);
        if (SelectionTextColor != clNone) urlColor = SelectionTextColor;
    }
    // 3. Display text.
    String text = GetFormattedCell(ACol, ARow);
    int kind = GetTextKind(text, EnableHTML);
    if (kind == tkFormula) {
        GetFormulaResult(ACol, ARow, text);
        kind = GetTextKind(text, EnableHTML);
    }
    if (kind == tkPackedWide) text = UnpackWideText(text);
    int errPos = 0, errLen = 0;
    GetMarker(ACol, ARow, errPos, errLen);
    bool password = false;
    FireIsPasswordCell(ACol, ARow, password);
    if (password) FillWithChar(text, PasswordChar);
    // 4. Rectangle.
    if (fixed) {
        R.Left -= GridLineWidth();
        R.Top -= GridLineWidth();
    }
    // 5. The drop-down button of a header cell with a filter list (its 16 pixels are
    // kept from the text below).
    const bool filterButton = fixed && HasFilterButton(ACol, ARow);
    if (filterButton) DrawFilterButton(ACanvas, ACol, R);
    // 7. Background picture or gradient.
    const bool ownColor = CellPropsOf(ACol, ARow) && CellPropsOf(ACol, ARow)->BrushColor() != clNone;
    const bool kindMatches = FBackGround->Cells == bcAll || (FBackGround->Cells == bcNormal && !fixed) ||
                             (FBackGround->Cells == bcFixed && fixed);
    if (kindMatches && !IsCellShownSelected(ACol, ARow, AState)) {
        if (!FBackGround->Bitmap()->Empty() && !ownColor) DrawCellBackgroundBitmap(ACanvas, ACol, ARow, R);
        else if ((FBackGround->Display == bdGradientHorz || FBackGround->Display == bdGradientVert) && !ownColor)
            DrawCellBackgroundGradient(ACanvas, R);
    }
    // 8. Selection rectangle around the selected block.
    if (SelectionRectangle && !fixed) {
        const TGridRect sel = Selection();
        const int dc = DisplColIndex(ACol);
        if (sel.Contains(dc, ARow)) {
            const int saved = ACanvas->SaveState();
            ACanvas->Pen()->SetWidth(2);
            ACanvas->Pen()->SetColor(SelectionRectangleColor);
            const int g = GridLineWidth();
            if (dc == sel.Left) { ACanvas->MoveTo(R.Left + 1 - g, R.Top - g); ACanvas->LineTo(R.Left + 1 - g, R.Bottom + g); }
            if (dc == sel.Right) { ACanvas->MoveTo(R.Right - 1 + g, R.Top - g); ACanvas->LineTo(R.Right - 1 + g, R.Bottom + g); }
            if (ARow == sel.Top) { ACanvas->MoveTo(R.Left - g, R.Top + 1 - g); ACanvas->LineTo(R.Right + g, R.Top + 1 - g); }
            if (ARow == sel.Bottom) { ACanvas->MoveTo(R.Left - g, R.Bottom - 1 + g); ACanvas->LineTo(R.Right + g, R.Bottom - 1 + g); }
            if (SelectionResizer && dc == sel.Right && ARow == sel.Bottom) {
                ACanvas->Brush()->SetColor(SelectionRectangleColor);
                ACanvas->FillRect(TRect(R.Right - 4, R.Bottom - 4, R.Right, R.Bottom));
            }
            ACanvas->RestoreState(saved);
        }
    }
    if (filterButton) R.Right -= 16;
    // 9. Margins, and room for a graphic beside or over the text.
    if (!XYOffsetTopLeftOnly) R.Right -= XYOffset.X;
    R.Left += XYOffset.X;
    R.Top += XYOffset.Y;
    if (AGraphic) {
        switch (AGraphic->CellHAlign) {
        case haBeforeText: R.Left += GraphicWidth; break;
        case haAfterText: R.Right -= GraphicWidth; break;
        default: break;
        }
        if (AGraphic->CellVAlign == vaAboveText) R.Top += GraphicHeight;
        else if (AGraphic->CellVAlign == vaUnderText) R.Bottom -= GraphicHeight;
    }
    if (ACol == 0 && HasNodes()) R.Left += GetNodeIndent(ARow);

    const int alignment = GetCellAlignment(ACol, ARow);
    const int va = (alignment >> 8) & 0xFF;
    const TAlignment ha = TAlignment(alignment & 0xFF);
    FVAlign = VertFlag(TVAlignment(va));
    bool ww = WordWrap();
    if (TCellProperties* p = CellPropsOf(ACol, ARow)) ww = p->WordWrap();
    FireGetWordWrap(ACol, ARow, ww);
    const bool sortCell = IsSortIndicatorCell(ACol, ARow);
    ACanvas->Brush()->SetStyle(bsClear);

    auto sortY = [&]() {
        if (va == vtaCenter) return (R.Top + R.Bottom) / 2;
        if (va == vtaBottom) return R.Bottom - 8;
        return R.Top + 8;
    };

    if (kind == tkHTML && EnableHTML) {
        // 10. Mini-HTML text.
        TRect hr = R;
        hr.Left -= 1;
        if (sortCell) hr.Right -= 10;
        const bool selected = AState.Contains(gdSelected) && !fixed && ShowSelection;
        const bool hovered = FHoverCell == TPoint(DisplColIndex(ACol), ARow);
        FCtrlPaintDown = FCtrlDown && FCtrlXY == TPoint(ACol, ARow);
        DrawHTMLCellText(ACanvas, text, hr, ww, urlColor, selected, hovered ? FHoverlink : -1, TextWidth);
        FCtrlPaintDown = false;
        if (sortCell) DrawSortIndicator(ACanvas, ACol, sortY(), std::min(R.Right - 8, hr.Left + TextWidth + 2));
    } else {
        // 11/12. Plain text (rich text is shown as its text).
        // Centred text moves 10 pixels right, clear of the indicator at the left: the
        // left edge moves twice that, so the text stays inside the cell.
        const int cellLeft = R.Left;
        if (sortCell && ha == taCenter) R.Left += 20;
        if (URLShow() && HasURLProtocol(text)) {
            if (!URLFull()) StripURLProtocol(text);
            ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + TFontStyles{fsUnderline});
            ACanvas->Font()->SetColor(urlColor);
        }
        const int lines = Multilinecells ? LineCount(text, true) : 1;
        unsigned flags = DT_EXPANDTABS | DT_NOPREFIX | HorzFlag(ha) | FVAlign;
        if (lines == 1 && !ww) {
            text = CutFirstLine(text, false);
            flags |= DT_SINGLELINE;
            if (EnhTextSize) flags |= DT_END_ELLIPSIS;
        } else if (ww && !Multilinecells && EnhTextSize) {
            flags |= DT_END_ELLIPSIS;
        }
        if (ww || Multilinecells) flags |= DT_WORDBREAK;
        else flags |= DT_SINGLELINE;
        if (AGraphic) {
            TRect m = R;
            ACanvas->DrawText(text, m, flags | DT_CALCRECT);
            TextWidth = m.Width() + 2;
        }
        TRect tr = R;
        ACanvas->DrawText(text, tr, flags);
        if (errLen > 0 && (!AGraphic || AGraphic->CellType == ctEmpty || AGraphic->CellType == ctValue))
            DrawErrorUnderline(ACanvas, text, R, 0, errPos, errLen);
        if (sortCell) {
            const int tw = std::max(0, std::min(ACanvas->TextWidth(text), R.Width() - 16));
            int x = R.Left + 8;
            if (ha == taLeftJustify) x = R.Left + tw + (AGraphic && AGraphic->CellHAlign == haLeft ? GraphicWidth : 0) + 10;
            else if (ha == taRightJustify) x = R.Right - tw - 10;
            if (ha == taCenter) x = cellLeft + 8;
            DrawSortIndicator(ACanvas, ACol, sortY(), x);
        }
        if (URLShow()) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() - TFontStyles{fsUnderline});
    }
    ACanvas->Brush()->SetStyle(bsSolid);
}

void TExtStringGrid::DrawCellBorders(TCanvas* ACanvas, int ACol, int ARow, TRect R)
{
    TPen pen;
    pen.Assign(*ACanvas->Pen());
    TCellBorders borders;
    FireGetCellBorder(ACol, ARow, &pen, borders);
    if (borders.Empty()) return;
    const int saved = ACanvas->SaveState();
    TPen left, top, right, bottom;
    left.Assign(pen);
    top.Assign(pen);
    right.Assign(pen);
    bottom.Assign(pen);
    if (OnGetCellBorderProp) OnGetCellBorderProp(this, ARow, ACol, &left, &top, &right, &bottom);
    const int h = (pen.Width() + 1) / 2;
    const int hh = Options().Contains(goVertLine) ? h : 0;
    const int vh = Options().Contains(goHorzLine) ? h : 0;
    R.Left += hh;
    R.Right -= hh;
    R.Top += vh;
    R.Bottom -= vh;
    if (borders.Contains(cbLeft)) {
        ACanvas->SetPen(&left);
        ACanvas->MoveTo(std::max(0, R.Left), R.Top - vh);
        ACanvas->LineTo(std::max(0, R.Left), R.Bottom);
    }
    if (borders.Contains(cbRight)) {
        ACanvas->SetPen(&right);
        ACanvas->MoveTo(R.Right - 1, R.Top - vh);
        ACanvas->LineTo(R.Right - 1, R.Bottom);
    }
    if (borders.Contains(cbTop)) {
        ACanvas->SetPen(&top);
        const int y = GridLineWidth() == 0 ? R.Top + 1 : std::max(0, R.Top - GridLineWidth());
        ACanvas->MoveTo(R.Left, y);
        ACanvas->LineTo(R.Right, y);
    }
    if (borders.Contains(cbBottom)) {
        ACanvas->SetPen(&bottom);
        ACanvas->MoveTo(R.Left - 1 - GridLineWidth(), R.Bottom - 1);
        ACanvas->LineTo(R.Right, R.Bottom - 1);
    }
    ACanvas->RestoreState(saved);
}

// ---------------------------------------------------------------- focus-cell window and guide lines

void TExtStringGrid::ShowFocusWindow(TRect R)
{
    if (!FFocusWindow) return;
    FFocusWindow->SetVisible(false);
    const int w = R.Width() + 9, h = R.Height() + 9;
    TBitmap mask;
    BuildFocusMask(&mask, w, h, 4, 5, 3);
    TBitmap color(w, h);
    color.Canvas()->Brush()->SetColor(0xFDD397);
    color.Canvas()->FillRect(TRect(0, 0, w, h));
    TGridAlphaMask alpha;
    alpha.FOpacity = 230;
    alpha.MergeMask(&mask, &color, 0xFDD397);
    FocusWindowGrid = this;
    FFocusWindow->SetBounds(R.Left - 4, R.Top - 4, w, h);
    FFocusWindow->SetVisible(true);
}

void TExtStringGrid::MoveFocusWindow()
{
    if (!FFocusWindow || !FFocusWindow->Visible()) return;
    const TRect r = CellRect(Col(), Row());
    FFocusWindow->SetBounds(r.Left - 4, r.Top - 4, r.Width() + 9, r.Height() + 9);
}

void TExtStringGrid::HideFocusWindow()
{
    if (FFocusWindow) FFocusWindow->SetVisible(false);
    if (FocusWindowGrid == this) FocusWindowGrid = nullptr;
}

void TExtStringGrid::DrawSizingColLine(int X)
{
    TCanvas* c = Canvas();
    const int saved = c->SaveState();
    c->Pen()->SetStyle(psDot);
    c->Pen()->SetMode(pmXor);
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(1);
    const int bottom = std::max(Height(), CellRect(0, RowCount() - 1).Bottom);
    c->MoveTo(X, 0);
    c->LineTo(X, bottom);
    c->RestoreState(saved);
}

void TExtStringGrid::DrawSizingRowLine(int Y)
{
    TCanvas* c = Canvas();
    const int saved = c->SaveState();
    c->Pen()->SetStyle(psDot);
    c->Pen()->SetMode(pmXor);
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(1);
    const int right = std::max(Width(), CellRect(ColCount() - 1, 0).Right);
    c->MoveTo(0, Y);
    c->LineTo(right, Y);
    c->RestoreState(saved);
}
