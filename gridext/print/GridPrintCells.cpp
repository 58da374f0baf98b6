// Grid printing of single cells: their size on paper and a row of them drawn on a page.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "grid/cells/CellGraphic.h"
#include "grid/paint/ControlLook.h"
#include "grid/util/GridDrawUtils.h"
#include "grid/util/GridSupport.h"
#include "grid/html/MiniHTMLRender.h"
#include "grid/util/GridTextUtils.h"
#include "gridext/print/GridPrintLayout.h"
#include "gridext/print/RotatedText.h"

namespace {

int Rnd(double v) { return int(std::nearbyint(v)); }

// The text a cell prints: nothing for a cell whose graphic shows its data, the stored
// text of a formula, the plain text of rich text. Kind is the text's kind after that.
String PrintText(TExtStringGrid& Grid, int RealCol, int ARow, int& Kind)
{
    String t = Grid.IsDataGraphicCell(RealCol, ARow) ? String() : Grid.GetFormattedCell(RealCol, ARow);
    Kind = GetTextKind(t, Grid.EnableHTML);
    if (Kind == tkPackedWide) {
        t = UnpackWideText(t);
        Kind = tkPlain;
    } else if (Kind == tkRTF) {
        t = RichTextToPlainText(t);
        Kind = tkPlain;
    } else if (Kind == tkFormula) {
        t = Grid.GetGridCell(RealCol, ARow);
        Kind = tkPlain;
    }
    return t;
}

// The lines of a text as the grid shows them: all of them with Multilinecells, else the
// first; links without their protocol when the grid shows links short.
std::vector<String> PrintLines(TExtStringGrid& Grid, String Text)
{
    std::vector<String> lines;
    do {
        String line = CutFirstLine(Text, Grid.Multilinecells);
        if (Grid.URLShow() && !Grid.URLFull()) StripURLProtocol(line);
        lines.push_back(line);
    } while (!Text.empty());
    return lines;
}

// Logical 0.1 mm to the canvas's device pixels, y turned downward.
TRect ToDevice(TCanvas& Canvas, const TRect& R)
{
    const double sx = Canvas.PixelsPerInchX() / 254.0, sy = Canvas.PixelsPerInchY() / 254.0;
    return TRect(Rnd(R.Left * sx), Rnd(-R.Top * sy), Rnd(R.Right * sx), Rnd(-R.Bottom * sy));
}

// How a cell prints: its font, brush and gradient end, alignment and word wrap, asked
// of the grid with the print flag (ACol displayed, RealCol its real column).
struct TCellLook {
    TBrush Brush;
    TFont Font;
    TColor ColorTo = clNone;
    TVAlignment VA = vtaTop;
    bool WordWrap = false;
    TCellLook(TExtStringGrid& Grid, int ACol, int RealCol, int ARow, const TFont& Start)
    {
        Brush.SetStyle(bsSolid);
        Font.Assign(Start);
        TGridDrawState state;
        TColor mirror = clNone, mirrorTo = clNone;
        TAlignment ha = taLeftJustify;
        WordWrap = Grid.WordWrap();
        TGradientDirection gd = GradientVertical;
        Grid.GetVisualProperties(ACol, ARow, state, true, false, false, &Brush, ColorTo, mirror, mirrorTo, &Font, ha,
                                 VA, WordWrap, gd);
        WordWrap = Grid.WordWrap();
        Grid.FireGetWordWrap(RealCol, ARow, WordWrap);
    }
};

// Colours kept in a graphic's object slots.
TColor ColorOf(const TObject* p) { return TColor(std::uint32_t(reinterpret_cast<std::uintptr_t>(p))); }

// The cell graphics that have a printed form; others print nothing.
const TCellTypeSet kPrintedGraphics{ctBitmap,    ctIcon,        ctImageList, ctCheckBox, ctDataCheckBox,
                                    ctVirtCheckBox, ctRowCheckBox, ctDataImage, ctNode,     ctRadio,
                                    ctImages,    ctPicture,     ctFilePicture, ctProgress, ctProgressPie,
                                    ctRadioButton};
const TCellTypeSet kCheckKinds{ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctRadioButton};

// Where a cell's graphic of Size prints in Cell (page units, y upward), and how the text
// rectangle Text gives way to it. A check box or radio button without text follows the
// cell's alignment A instead of its own.
TRect PlaceGraphic(const TCellGraphic& G, TPoint Size, const TRect& Cell, int Margin, bool NoText, int A, TRect& Text)
{
    int gw = Size.X, gh = Size.Y;
    const int CW = Cell.Right - Cell.Left, CH = Cell.Top - Cell.Bottom;
    int x = Cell.Left + Margin, y = Cell.Top;
    switch (G.CellHAlign) {
    case haRight:
    case haAfterText:
        x = Cell.Right - gw;
        Text.Right = x;
        break;
    case haCenter: x = Cell.Left + (CW - gw) / 2; break;
    case haFull:
        x = Cell.Left;
        gw = CW;
        break;
    default: Text.Left = x + gw; break;
    }
    switch (G.CellVAlign) {
    case vaBottom: y = Cell.Bottom + gh; break;
    case vaCenter: y = Cell.Top - (CH - gh) / 2; break;
    case vaUnderText:
        y = Cell.Bottom + gh;
        Text.Bottom = y;
        break;
    case vaAboveText: Text.Top = y - gh; break;
    case vaFull: gh = CH; break;
    default: break;
    }
    if (NoText && kCheckKinds.Contains(G.CellType)) {
        if (A == taRightJustify) x = Cell.Right - gw;
        else if (A == taCenter) x = Cell.Left + (CW - gw) / 2;
    }
    return TRect(x, y, x + gw, y - gh);
}

}  // namespace

void TGridPrintLayout::PrintGraphic(const TCellGraphic& G, int C, int ARow, const TRect& Rect, const TRect& Cell,
                                    int RH, TColor Back)
{
    TImageList* il = FGrid.GetCellImageList(C, ARow);
    const TColor back = Back == clNone ? clWhite : Back;
    // Pictures go through device pixels, stretched into their place on the page.
    auto stretch = [&](const TRect& R, const TGraphic* Pic) {
        const TRect dev = ToDevice(FCanvas, R);
        if (!Pic || dev.Right <= dev.Left || dev.Bottom <= dev.Top) return;
        const bool metric = FCanvas.SetMetricMode(false);
        FCanvas.StretchDraw(dev, Pic);
        FCanvas.SetMetricMode(metric);
    };
    // One image of the list on the cell's colour, so that its transparent parts show it.
    auto listImage = [&](const TRect& R, int Index) {
        if (!il || Index < 0 || Index >= il->Count()) return;
        TBitmap bmp(il->Width(), il->Height());
        bmp.Canvas()->Brush()->SetColor(back);
        bmp.Canvas()->FillRect(TRect(0, 0, il->Width(), il->Height()));
        il->Draw(bmp.Canvas(), 0, 0, Index);
        stretch(R, &bmp);
    };
    // A picture of its own size on white, then stretched.
    auto picture = [&](const TRect& R, const TBitmap* Pic) {
        if (!Pic || Pic->Empty()) return;
        TBitmap bmp(Pic->Width(), Pic->Height());
        bmp.Canvas()->Brush()->SetColor(clWhite);
        bmp.Canvas()->FillRect(TRect(0, 0, Pic->Width(), Pic->Height()));
        bmp.Canvas()->Draw(0, 0, Pic);
        stretch(R, &bmp);
    };
    FCanvas.Brush()->SetStyle(bsSolid);
    FCanvas.Pen()->SetStyle(psSolid);
    switch (G.CellType) {
    case ctBitmap: picture(Rect, dynamic_cast<const TBitmap*>(G.CellBitmap)); break;
    case ctIcon: picture(Rect, dynamic_cast<const TBitmap*>(G.CellIcon)); break;
    case ctImageList: listImage(Rect, G.CellIndex); break;
    case ctDataImage: listImage(Rect, FGrid.GetInts(C, ARow)); break;
    case ctImages:
        if (auto* list = dynamic_cast<TIntList*>(G.CellBitmap); list && il) {
            const int w = Rnd(il->Width() * FP), h = Rnd(il->Height() * FP);
            for (int i = 0; i < list->Count(); ++i) {
                const int x = Rect.Left + (G.CellBoolean ? i * w : 0), y = Rect.Top - (G.CellBoolean ? 0 : i * h);
                listImage(TRect(x, y, x + w, y - h), list->GetInteger(i));
            }
        }
        break;
    case ctPicture:
        if (auto* p = dynamic_cast<TPicture*>(G.CellBitmap)) picture(Rect, p->Bitmap());
        break;
    case ctFilePicture:
        if (auto* fp = dynamic_cast<TFilePicture*>(G.CellBitmap); fp && !fp->Filename().empty()) {
            TPicture p;
            p.LoadFromFile(fp->Filename());
            picture(Rect, p.Bitmap());
        }
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton: {
        bool checked = G.CellBoolean;
        if (G.CellType != ctRadioButton) FGrid.GetCheckBoxState(C, ARow, checked);
        const int gw = Rect.Right - Rect.Left, gh = Rect.Top - Rect.Bottom;
        FCanvas.Pen()->SetColor(clBlack);
        FCanvas.Pen()->SetWidth(std::max(1, Rnd(FP)));
        FCanvas.Brush()->SetStyle(bsClear);
        if (G.CellType == ctRadioButton) {
            FCanvas.Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
            if (checked) {
                FCanvas.Brush()->SetStyle(bsSolid);
                FCanvas.Brush()->SetColor(clBlack);
                FCanvas.Ellipse(Rect.Left + gw / 3, Rect.Top - gh / 3, Rect.Right - gw / 3, Rect.Bottom + gh / 3);
            }
        } else {
            FCanvas.Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
            if (checked) {
                FCanvas.MoveTo(Rect.Left + gw / 5, Rect.Top - gh / 2);
                FCanvas.LineTo(Rect.Left + gw * 2 / 5, Rect.Top - gh * 4 / 5);
                FCanvas.LineTo(Rect.Left + gw * 4 / 5, Rect.Top - gh / 5);
            }
        }
        break;
    }
    case ctNode: {
        // A square of 2 mm, whatever the screen's node size, with its minus or plus.
        const int cx = Rect.Left + (Rect.Right - Rect.Left) / 2, cy = Rect.Top - (Rect.Top - Rect.Bottom) / 2;
        const int x = std::max(Cell.Left, cx - 10), y = std::min(Cell.Top, cy + 10);
        FCanvas.Pen()->SetColor(FGrid.CellNode()->NodeColor);
        FCanvas.Pen()->SetWidth(std::max(1, Rnd(FP)));
        FCanvas.Brush()->SetStyle(bsClear);
        FCanvas.Rectangle(x, y, x + 20, y - 20);
        FCanvas.MoveTo(x, y - 10);
        FCanvas.LineTo(x + 18, y - 10);
        if (G.CellBoolean) {
            FCanvas.MoveTo(x + 10, y);
            FCanvas.LineTo(x + 10, y - 18);
        }
        break;
    }
    case ctRadio:
    case ctProgress:
    case ctProgressPie: {
        // The grid's own drawings of these work in pixels: they draw in device pixels,
        // their pixel sizes scaled from the screen to the page's resolution.
        const TControlLook* look = FGrid.ControlLook();
        const TRect row(Cell.Left, Cell.Top, std::min(Cell.Right, FW), Cell.Top - RH);
        const TRect dev = ToDevice(FCanvas, G.CellType == ctProgressPie ? Rect : row);
        const bool metric = FCanvas.SetMetricMode(false);
        if (G.CellType == ctRadio)
            FGrid.DrawRadioGroup(&FCanvas, dev, false, FD, look->ControlStyle, ARow, C, false,
                                 dynamic_cast<const TStringList*>(G.CellBitmap), false, G.CellBoolean, G.CellIndex,
                                 G.CellAngle);
        else if (G.CellType == ctProgress)
            // The bar fills the cell inside the control look's margins, as on the screen.
            DrawProgressBar(&FCanvas, dev, ColorOf(G.CellBitmap), TColor(G.CellIndex), ColorOf(G.CellIcon),
                            TColor(G.CellAngle), StrToFloatDef(Trim(FGrid.GetCellEx(C, ARow)), 0.0),
                            Rnd(look->ProgressMarginX * FD), Rnd(look->ProgressMarginY * FD), G.CellErrFrom,
                            G.CellBoolean ? G.CellErrLen : 100, G.CellText, look->ProgressBorderColor, false);
        else DrawProgressPie(&FCanvas, dev, ColorOf(G.CellBitmap), G.CellAngle, false);
        FCanvas.SetMetricMode(metric);
        break;
    }
    default: break;
    }
}

TPoint TGridPrintLayout::MeasureCell(int ACol, int ARow)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    const int dc = FGrid.DisplColIndex(ACol);
    int kind = tkPlain;
    const String text = PrintText(FGrid, ACol, ARow, kind);
    const int saved = FCanvas.SaveState();
    TCellLook look(FGrid, dc, ACol, ARow, *ps->Font());
    const TFont& font = look.Font;
    const bool ww = look.WordWrap;
    TPoint size;
    if (kind == tkHTML) {
        // Mini-HTML lays itself out in pixels: measured at the print font's size, the
        // extent brought back to page units.
        const bool metric = FCanvas.SetMetricMode(false);
        FCanvas.SetFont(&font);
        SetDeviceFontSize(ps->Font()->Size());
        TMiniHTMLParams p;
        p.MeasureOnly = true;
        p.Print = true;
        p.ResFactor = FD;
        p.Images = FGrid.GetCellImageList(ACol, ARow);
        p.PictureContainer = FGrid.PictureContainer;
        const int right = ps->NoAutoSize ? FGrid.ColWidths(dc) + 12 : 65535;
        RenderMiniHTML(&FCanvas, text, TRect(0, 0, right, 65535), p);
        FCanvas.SetMetricMode(metric);
        size.X = Rnd(p.XSize * 254.0 / FCanvas.PixelsPerInchX());
        size.Y = std::max(0, Rnd(p.YSize * 254.0 / FCanvas.PixelsPerInchY()) - Rnd(FL8 * FP));
        FCanvas.RestoreState(saved);
        return size;
    }
    SetCanvasFont(&font);
    TPoint graphic;
    if (ps->PrintGraphics) {
        const TPoint g = FGrid.GetCellGraphicSize(ACol, ARow);
        graphic = TPoint(Rnd(g.X * FP), Rnd(g.Y * FP));
    }
    // A printed picture's own height: beside the text the row takes the taller of both,
    // above or under it the two stack.
    int ownHeight = 0;
    bool stacked = false;
    if (ps->PrintGraphics) {
        TCellVAlign v = vaTop;
        TCellHAlign h = haLeft;
        bool textToo = true;
        int gh = 0, gw = 0;
        const TCellGraphic* cg = FGrid.GetCellGraphicInfo(ACol, ARow, v, h, textToo, gh, gw);
        if (cg && kPrintedGraphics.Contains(cg->CellType) && cg->CellType != ctProgress) {
            ownHeight = Rnd(gh * FP);
            stacked = !text.empty() && (v == vaUnderText || v == vaAboveText);
            // Beside the text on paper the picture and the text share the width.
            if (!text.empty() && !stacked && h != haCenter && h != haFull) graphic.X = std::max(graphic.X, Rnd(gw * FP));
        }
    }
    const String t = text.empty() ? String("gh") : text;
    int angle = 0;
    const bool rotated = FGrid.IsRotated(ACol, ARow, angle) && angle != 0;
    if (!ww || !ps->NoAutoSize || rotated) {
        const std::vector<String> lines = PrintLines(FGrid, t);
        int widest = 0;
        for (const String& line : lines) {
            const int w = FCanvas.TextWidth(line);
            widest = std::max(widest, w);
            size.X = std::max(size.X, w + graphic.X);
        }
        size.Y = FCanvas.TextHeight("gh") * int(lines.size());
        if (rotated) {
            // The box around the turned lines.
            const double a = angle * std::numbers::pi / 180.0;
            const int w = std::abs(Rnd(std::cos(a) * size.X)) + std::abs(Rnd(std::sin(a) * size.Y));
            size.Y = std::abs(Rnd(std::sin(a) * widest)) + std::abs(Rnd(std::cos(a) * size.Y));
            size.X = w;
        }
    } else {
        const int w = FGrid.IsXMergedCell(ACol, ARow) || size_t(dc) >= FMaxWidths.size() ? 65535 : FMaxWidths[size_t(dc)];
        TRect r(0, 0, std::max(1, w), 0);
        size.X = w;
        size.Y = FCanvas.DrawText(t, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    size.Y = stacked ? size.Y + ownHeight : std::max({size.Y, graphic.Y, ownHeight});
    size.X = std::max(size.X, graphic.X);
    FCanvas.RestoreState(saved);
    if (FEvents && FEvents->OnCustomCellSize) FEvents->OnCustomCellSize(&FGrid, &FCanvas, ACol, ARow, size, true);
    return size;
}

int TGridPrintLayout::PrintRowCells(int Y, int FirstCol, int LastCol, int ARow, const TPrintPage& Page)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    const int RH = 2 * FL8 + RowHeight(ARow) + ps->RowSpacing;
    if (!Drawing() || FirstCol > LastCol) return RH;
    FFontScale = FScale;
    const int cols = int(FMaxWidths.size()) - 1;
    auto extraRows = [&](int from, int to) {
        int h = 0;
        for (int r = from; r <= to && r < FGrid.RowCount(); ++r) {
            const int t = int(std::trunc((FGrid.RowHeights(r) - 4) * FP));
            h += t + t / 8 + 2 * FL8 + ps->RowSpacing;
        }
        return h;
    };
    for (int c = FirstCol; c <= LastCol && c < cols; ++c) {
        if (!ColAccepted(c)) continue;
        const int C = FGrid.RealColIndex(c);
        const TPoint ext = FGrid.CellExt(C, ARow);
        const int sx = ext.X, sy = ext.Y;
        int CW = 0;
        for (int i = 0; i <= sx && c + i < cols; ++i) CW += FMaxWidths[size_t(c + i)] + FMargin;
        int CH = RH;
        if (ps->NoAutoSizeRow) CH = sy == 0 ? RH : extraRows(ARow, ARow + sy);
        else CH = RH + extraRows(ARow + 1, ARow + sy);
        const int left = Page.Indents[size_t(c)];
        TRect cell(left, Y, left + CW, Y - CH);

        TPen saved;
        saved.Assign(*FCanvas.Pen());
        TCellBorders B;
        switch (ps->Borders) {
        case pbSingle:
        case pbDouble: B = TCellBorders{cbTop, cbLeft, cbRight, cbBottom}; break;
        case pbHorizontal:
        case pbAroundHorizontal: B = TCellBorders{cbTop, cbBottom}; break;
        case pbVertical:
        case pbAroundVertical: B = TCellBorders{cbLeft, cbRight}; break;
        default: break;
        }
        FCanvas.Pen()->SetWidth(1);
        FCanvas.Pen()->SetColor(ps->BorderColor);
        FCanvas.Pen()->SetStyle(psSolid);
        FGrid.FireGetCellPrintBorder(C, ARow, FCanvas.Pen(), B);
        const int penWidth = FCanvas.Pen()->Width();
        const TColor penColor = FCanvas.Pen()->Color();
        const int linePx = FPreview ? penWidth : Rnd(penWidth * FP);

        if (FGrid.IsBaseCell(C, ARow)) PrintCellContent(c, ARow, cell, B, linePx, sy, RH, Page);

        FCanvas.Pen()->SetWidth(penWidth);
        FCanvas.Pen()->SetColor(penColor);
        if (!FGrid.IsBaseCell(C, ARow)) {
            if (sx > 0) B = B - TCellBorders{cbLeft, cbRight};
            if (sy > 0) B = B - TCellBorders{cbTop, cbBottom};
        }
        // The covered cells of a merged area draw no lines inside the area.
        if (FGrid.IsYMergedCell(C, ARow) && !FGrid.IsBaseCell(C, ARow) && FGrid.BaseCell(C, ARow).Y != ARow) B >> cbTop;
        if (FGrid.IsXMergedCell(C, ARow) && !FGrid.IsBaseCell(C, ARow) && FGrid.BaseCell(C, ARow).X != C) B >> cbLeft;
        FCanvas.Pen()->SetWidth(linePx);
        // A cell reaching into the footer stops at its row and shows no bottom line there.
        if (cell.Bottom < FH + ps->FooterSize) {
            cell.Bottom = Y - RH;
            B >> cbBottom;
        }
        if (cell.Right > FW) cell.Right = Page.Indents[size_t(Page.LastCol) + 1];
        if (B.Contains(cbLeft)) {
            const int x = c > FirstCol ? cell.Left - linePx : cell.Left;
            FCanvas.MoveTo(x, cell.Top);
            FCanvas.LineTo(x, cell.Bottom);
        }
        if (B.Contains(cbRight)) {
            FCanvas.MoveTo(cell.Right, cell.Top);
            FCanvas.LineTo(cell.Right, cell.Bottom);
        }
        if (B.Contains(cbTop)) {
            FCanvas.MoveTo(cell.Left, cell.Top);
            FCanvas.LineTo(cell.Right, cell.Top);
        }
        if (B.Contains(cbBottom)) {
            FCanvas.MoveTo(cell.Left, cell.Bottom);
            FCanvas.LineTo(cell.Right, cell.Bottom);
        }
        FCanvas.SetPen(&saved);
    }
    FFontScale = 1.0;
    return RH;
}

void TGridPrintLayout::PrintCellContent(int c, int ARow, const TRect& Cell, const TCellBorders& B, int PenWidth,
                                        int sy, int RH, const TPrintPage& Page)
{
    TPrintSettings* ps = FGrid.PrintSettings();
    const int C = FGrid.RealColIndex(c);
    const int saved = FCanvas.SaveState();
    TFont start;
    start.Assign(*FCanvas.Font());
    start.SetSize(ps->Font()->Size());
    TCellLook look(FGrid, c, C, ARow, start);
    const TFont& font = look.Font;
    const TBrush& brush = look.Brush;
    const TColor colorTo = look.ColorTo;
    const TVAlignment va = look.VA;
    const bool ww = look.WordWrap;
    SetCanvasFont(&font);
    int kind = tkPlain;
    String text = PrintText(FGrid, C, ARow, kind);

    // Background: inside the lines the cell draws, from the gradient's end colour at the
    // top to the brush colour at the bottom.
    TRect back = Cell;
    if (!B.Contains(cbLeft)) back.Left += 2 * PenWidth;
    if (!B.Contains(cbTop)) back.Top -= 2 * PenWidth;
    if (brush.Color() != clNone) {
        FCanvas.Brush()->SetStyle(bsSolid);
        if (colorTo == clNone) {
            FCanvas.Brush()->SetColor(brush.Color());
            FCanvas.FillRect(back);
        } else {
            const int height = back.Top - back.Bottom;
            const int steps = std::max(1, std::min(64, height));
            const TColor from = ColorToRGB(colorTo), to = ColorToRGB(brush.Color());
            auto part = [](TColor a, TColor b, int shift, int i, int n) {
                const int x = int((a >> shift) & 0xFF), y = int((b >> shift) & 0xFF);
                return TColor(unsigned(x + (y - x) * i / std::max(1, n - 1)) << shift);
            };
            for (int i = 0; i < steps; ++i) {
                FCanvas.Brush()->SetColor(part(from, to, 0, i, steps) | part(from, to, 8, i, steps) |
                                          part(from, to, 16, i, steps));
                const int t = back.Top - height * i / steps, b = back.Top - height * (i + 1) / steps;
                FCanvas.FillRect(TRect(back.Left, t, back.Right, b));
            }
        }
    }

    const int A = FGrid.GetCellAlignment(C, ARow) & 0xFF;
    int LH = FCanvas.TextHeight("gh") + ps->RowSpacing;
    LH += LH / 8;
    FCanvas.Brush()->SetStyle(bsClear);
    FCanvas.Font()->SetColor(font.Color());
    TRect r = Cell;
    const int rightLimit = Page.Indents[size_t(Page.LastCol) + 1];
    if (r.Right > FW) r.Right = rightLimit;
    const TPoint ext = FGrid.CellExt(C, ARow);

    // The cell's picture takes its place first; the text gives way beside, above or under it.
    TCellGraphic* g = ps->PrintGraphics ? FGrid.GetCellGraphic(C, ARow) : nullptr;
    if (g && !kPrintedGraphics.Contains(g->CellType)) g = nullptr;
    TRect gr;
    if (g) {
        if (g->CellType == ctRadio) text.clear();
        TCellVAlign v = vaTop;
        TCellHAlign h = haLeft;
        bool textToo = true;
        int gh = 0, gw = 0;
        FGrid.GetCellGraphicInfo(C, ARow, v, h, textToo, gh, gw);
        gr = PlaceGraphic(*g, TPoint(Rnd(gw * FP), Rnd(gh * FP)), Cell, Rnd(FP), text.empty(), A, r);
    }
    int angle = 0;
    const bool rotated = kind != tkHTML && FGrid.IsRotated(C, ARow, angle) && angle != 0;

    if (rotated) {
        // Turned lines: the block of them placed like a level line would be aligned, each
        // line written from its start point, the next one a line height further across.
        const std::vector<String> lines = PrintLines(FGrid, text);
        int WL = 0;
        for (const String& line : lines) WL = std::max(WL, FCanvas.TextWidth(line));
        const double a = angle * std::numbers::pi / 180.0;
        const int n = int(lines.size());
        const int CW1 = std::abs(int(std::trunc(std::cos(a) * WL))), SW = std::abs(int(std::trunc(std::sin(a) * WL)));
        const int SH = std::abs(int(std::trunc(std::sin(a) * LH * n))), CH1 = std::abs(int(std::trunc(std::cos(a) * LH * n)));
        TRect tr(r.Left, r.Top, r.Right, r.Top - RH - ps->RowSpacing);
        if (tr.Right > FW) tr.Right = rightLimit;
        if (ext.Y > 0) tr.Bottom = Cell.Bottom;
        if (ext.X > 0) tr.Right = std::min(Page.Indents[size_t(std::min(c + ext.X + 1, Page.LastCol + 1))], rightLimit);
        PlaceRotatedText(tr, A, va, -CH1, -SW, SH, CW1, angle);
        FCanvas.Font()->SetOrientation(angle * 10);
        const int clip = FCanvas.SaveState();
        FCanvas.IntersectClipRect(Cell);
        for (int k = 0; k < n; ++k) {
            // Across the reading direction: down the turned line's own "down".
            const int dx = Rnd(std::sin(a) * LH * k), dy = -Rnd(std::cos(a) * LH * k);
            FCanvas.TextOut(tr.Left + dx, tr.Top + dy, lines[size_t(k)]);
        }
        FCanvas.RestoreState(clip);
        FCanvas.Font()->SetOrientation(0);
    } else if (kind == tkHTML) {
        // Mini-HTML draws in pixels at the print font's size scaled by the fit.
        TRect dev = ToDevice(FCanvas, r);
        dev.Right -= FG2 + Rnd(2 * FP);
        dev.Bottom += Rnd(FL8 * FP);
        const bool metric = FCanvas.SetMetricMode(false);
        SetDeviceFontSize(ps->Font()->Size() * FScale);
        TMiniHTMLParams p;
        p.Print = true;
        p.ResFactor = FD;
        p.Images = FGrid.GetCellImageList(C, ARow);
        p.PictureContainer = FGrid.PictureContainer;
        RenderMiniHTML(&FCanvas, text, dev, p);
        FCanvas.SetMetricMode(metric);
    } else if (ww && ps->NoAutoSize) {
        r.Left += Rnd(2 * FP);
        TRect tr = r;
        unsigned align = DT_LEFT;
        if (A == taRightJustify) {
            tr.Right -= FG2;
            align = DT_RIGHT;
        } else if (A == taCenter) {
            tr.Left += FG2;
            tr.Right -= FG2;
            align = DT_CENTER;
        } else {
            tr.Left += FG2;
        }
        FCanvas.DrawText(text, tr, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | align);
    } else {
        const std::vector<String> lines = PrintLines(FGrid, text);
        if (lines.size() == 1) {
            TRect tr(r.Left, r.Top, r.Right, r.Top - RH - ps->RowSpacing);
            if (tr.Right > FW) tr.Right = rightLimit;
            if (g && g->CellVAlign == vaUnderText) tr.Bottom = r.Bottom;
            unsigned flags = DT_SINGLELINE | DT_NOPREFIX;
            if (FGrid.EnhTextSize && ps->NoAutoSize) {
                tr.Left += FGrid.XYOffset.X;
                tr.Top -= FGrid.XYOffset.Y;
                flags |= DT_END_ELLIPSIS;
                if (A == taRightJustify) flags |= DT_RIGHT;
                else if (A == taCenter) flags |= DT_CENTER;
            } else {
                if (A == taRightJustify) {
                    tr.Right -= FG2;
                    flags |= DT_RIGHT;
                } else if (A == taCenter) {
                    tr.Left += FG2;
                    tr.Right -= FG2;
                    flags |= DT_CENTER;
                } else {
                    tr.Left += FG2;
                }
                if (va == vtaCenter) flags |= DT_VCENTER;
                else if (va == vtaBottom) flags |= DT_BOTTOM;
                if (sy > 0) tr.Bottom = Cell.Bottom + ps->RowSpacing;
                if (ext.X > 0) tr.Right = std::min(Page.Indents[size_t(std::min(c + ext.X + 1, Page.LastCol + 1))], rightLimit);
                tr.Top -= FL8;
            }
            FCanvas.DrawText(lines.front(), tr, flags);
        } else {
            const int n = int(lines.size());
            int V = 0;
            if (sy == 0 && ext.X == 0) {
                if (va == vtaCenter) V = (RH - (LH - ps->RowSpacing) * n) / 2;
                else if (va == vtaBottom) V = RH - (LH - ps->RowSpacing) * n;
            }
            const int clip = FCanvas.SaveState();
            FCanvas.IntersectClipRect(Cell);
            int top = r.Top;
            for (const String& line : lines) {
                const int w = FCanvas.TextWidth(line);
                int x = r.Left + FG2;
                if (A == taRightJustify) x = r.Right - FG2 - w;
                else if (A == taCenter) x = r.Left + (r.Right - r.Left - w) / 2;
                FCanvas.TextOut(x, top - V, line);
                top -= V;
                V = 0;
                top = top + ps->RowSpacing - LH;
            }
            FCanvas.RestoreState(clip);
        }
    }

    if (g) PrintGraphic(*g, C, ARow, gr, Cell, RH, brush.Color());
    FCanvas.RestoreState(saved);

    if (FGrid.OnCustomCellDraw) {
        const TRect dev = ToDevice(FCanvas, TRect(Cell.Left, Cell.Top, Cell.Right, Cell.Top - RH));
        const bool metric = FCanvas.SetMetricMode(false);
        const int height = FCanvas.Font()->Height();
        SetDeviceFontSize(ps->Font()->Size());
        FGrid.OnCustomCellDraw(&FGrid, &FCanvas, C, ARow, TGridDrawState(), dev, true);
        FCanvas.Font()->SetHeight(height);
        FCanvas.SetMetricMode(metric);
    }
}
