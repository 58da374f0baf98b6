// Whole colour schemes in one call (named styles, XP schemes, colour tones, the office
// scheme), the appearance settings the painter reads, the background picture or
// gradient inside and beyond the cells, the modified-row mark settings and the grid's
// window border.
#include <algorithm>
#include <cmath>

#include "grid/core/ExtGrid.h"
#include "grid/util/GridDrawUtils.h"

// ---------------------------------------------------------------- colour helpers

TColor BlendColor(TColor C1, TColor C2, int Percent)
{
    if (Percent >= 100) return C1;
    if (Percent < 1 || C1 == clNone) return C2;
    if (C2 == clNone) return C1;
    const TColor a = ColorToRGB(C1), b = ColorToRGB(C2);
    const double f = Percent / 100.0;
    const auto mix = [&](int x, int y) { return std::min(255, int(std::lround(f * x + (1.0 - f) * y))); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

TColor MixSelectionColor(TColor SelectionColor, TColor CellColor, bool Mixer, int Factor)
{
    return Mixer ? BlendColor(SelectionColor, CellColor, Factor) : SelectionColor;
}

// ---------------------------------------------------------------- named styles

namespace {
struct TFive {
    TColor From, To, MirrorFrom, MirrorTo, Border;
};
}

void TExtStringGrid::SetStyle(TExtGridStyle AStyle)
{
    SelectionColor = clHighlight;
    SelectionColorTo = clNone;
    SelectionTextColor = clHighlightText;
    SetSelectionStyle(ssDefault);
    FSortSettings->HeaderColor = clNone;
    FSortSettings->HeaderColorTo = clNone;
    FSortSettings->HeaderMirrorColor = clNone;
    FSortSettings->HeaderMirrorColorTo = clNone;
    FControlLook->Init();

    TControlLook& cl = *FControlLook;
    const auto fixedBoth = [&](TColor from, TColor to) {
        // Through the control look, which hands them to the grid.
        cl.SetFixedGradientFrom(from);
        cl.SetFixedGradientTo(to);
    };
    const auto fixedGrid = [&](TColor from, TColor to, TColor mfrom, TColor mto) {
        SetWYXGradientFrom(from);
        SetWYXGradientTo(to);
        SetWYXGradientMirrorFrom(mfrom);
        SetWYXGradientMirrorTo(mto);
    };
    const auto active = [&](TColor from, TColor to) {
        ActiveCellColor = from;
        ActiveCellColorTo = to;
    };
    const auto lines = [&](TColor normal, TColor fixed) {
        SetGridLineColor(normal);
        SetGridFixedLineColor(fixed);
    };
    const auto hover = [&](const TFive& f) {
        cl.SetFixedGradientHoverFrom(f.From);
        cl.SetFixedGradientHoverTo(f.To);
        cl.SetFixedGradientHoverMirrorFrom(f.MirrorFrom);
        cl.SetFixedGradientHoverMirrorTo(f.MirrorTo);
        cl.SetFixedGradientHoverBorder(f.Border);
    };
    const auto pressed = [&](const TFive& f) {
        cl.SetFixedGradientDownFrom(f.From);
        cl.SetFixedGradientDownTo(f.To);
        cl.SetFixedGradientDownMirrorFrom(f.MirrorFrom);
        cl.SetFixedGradientDownMirrorTo(f.MirrorTo);
        cl.SetFixedGradientDownBorder(f.Border);
    };
    const auto sortHeader = [&](TColor a, TColor b, TColor c, TColor d) {
        FSortSettings->HeaderColor = a;
        FSortSettings->HeaderColorTo = b;
        FSortSettings->HeaderMirrorColor = c;
        FSortSettings->HeaderMirrorColorTo = d;
    };
    const auto clearGridHover = [&] {
        FWYXGradHoverFrom = FWYXGradHoverTo = FWYXGradHoverMirrorFrom = FWYXGradHoverMirrorTo = clNone;
        FWYXGradHoverBorder = clNone;
    };
    const TFive office2010Hover{0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8};
    const TFive office2010Pressed{0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2};

    switch (AStyle) {
    case gsOffice2003Blue:
    case gsOffice2003Silver:
    case gsOffice2003Olive: {
        SetLook(glXP);
        const TColor from = AStyle == gsOffice2003Blue ? 0xFCE1CB : AStyle == gsOffice2003Silver ? 0xECE2E1 : 0xCFF0EA;
        const TColor to = AStyle == gsOffice2003Blue ? 0xE0A57D : AStyle == gsOffice2003Silver ? 0xB39698 : 0x8CC0B1;
        fixedGrid(from, to, clNone, clNone);
        fixedBoth(from, to);
        active(0x94E6FB, 0x1595EE);
        SelectionColor = 0x94E6FB;
        SelectionTextColor = clBlack;
        SelectionColorTo = 0x1595EE;
        lines(clSilver, clGray);
        break;
    }
    case gsOffice2003Classic:
        SetLook(glXP);
        fixedGrid(clWhite, 0xCCD4D8, clNone, clNone);
        active(0xD8D5D4, 0xD8D5D4);
        lines(clSilver, clGray);
        break;
    case gsOffice2007Luna:
        SetLook(glOffice2007);
        fixedGrid(0xFBF9F6, 0xE8DBD2, clNone, clNone);
        fixedBoth(0xFBF9F6, 0xE8DBD2);
        active(0x9DD8F9, 0x5EC1F1);
        SelectionColor = 0x5EC1F1;
        SelectionTextColor = clBlack;
        lines(0xF1EDEB, 0xD1BBA4);
        hover({0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87});
        pressed({0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D});
        if (FLook == glOffice2007) SetSelectionStyle(ssOffice2007);
        break;
    case gsOffice2007Obsidian:
        SetLook(glOffice2007);
        fixedGrid(0xF7F7F7, 0xDEDEDE, clNone, clNone);
        fixedBoth(0xF7F7F7, 0xDEDEDE);
        active(0x9DD8F9, 0x5EC1F1);
        SelectionColor = 0x5EC1F1;
        SelectionTextColor = clBlack;
        lines(0xE5D7D0, clGray);
        break;
    case gsWindowsXP:
        SetLook(glXP);
        fixedGrid(clBtnFace, clBtnFace, clNone, clNone);
        active(clBtnFace, clBtnFace);
        lines(clSilver, clGray);
        SetLook(glXP);
        break;
    case gsWhidbey:
        fixedGrid(clWhite, clBtnFace, clNone, clNone);
        active(0x94E6FB, 0x1595EE);
        lines(clSilver, clGray);
        break;
    case gsCustom:
        break;
    case gsOffice2007Silver:
        SetLook(glOffice2007);
        SetWYXGradientFrom(0xF3F3F1);
        SetWYXGradientTo(0xCAC9C8);
        fixedBoth(0xF3F3F1, 0xCAC9C8);
        active(0x99CCFF, 0x699CFF);
        SelectionColor = 0x95C7F5;
        SelectionTextColor = clBlack;
        lines(0xE5D7D0, clGray);
        break;
    case gsWindowsVista:
        SetLook(glVista);
        fixedGrid(clWhite, clWhite, 0xFAF8F7, 0xF4F2F1);
        active(0xFDF8F1, 0xFCEFD5);
        SelectionColor = 0xEACAB6;
        SelectionTextColor = clBlack;
        lines(0xECECF0, 0xD4D2D1);
        FWYXGradHoverFrom = 0xFFF7E3;
        FWYXGradHoverTo = 0xFFF7E3;
        FWYXGradHoverMirrorFrom = 0xFFEDBD;
        FWYXGradHoverMirrorTo = 0xFBE7B7;
        FWYXGradHoverBorder = 0xE3C993;
        hover({0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993});
        pressed({0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F});
        sortHeader(0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
        SetSelectionStyle(ssVista);
        break;
    case gsWindows7:
        SetLook(glWin7);
        fixedGrid(0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD);
        active(0xFCEBDC, 0xFCDBC1);
        SelectionColor = 0xEACAB6;
        SelectionTextColor = clBlack;
        lines(0xECECF0, 0xD4D2D1);
        FWYXGradHoverFrom = 0xFDF8F3;
        FWYXGradHoverTo = 0xF9F3EF;
        FWYXGradHoverMirrorFrom = clNone;
        FWYXGradHoverMirrorTo = clNone;
        FWYXGradHoverBorder = 0xEEE8E3;
        cl.SetFixedGradientHoverFrom(0xFEFBF8);
        cl.SetFixedGradientHoverTo(0xFAF2ED);
        cl.SetFixedGradientHoverMirrorFrom(0xF4E4D7);
        cl.SetFixedGradientHoverMirrorTo(0xE8D2C1);
        pressed({0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA});
        sortHeader(0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
        SetSelectionStyle(ssWin7);
        break;
    case gsTerminal:
        SetLook(glStandard);
        break;
    case gsOffice2010Blue:
    case gsOffice2010Silver:
    case gsOffice2010Black: {
        SetLook(glOffice2007);
        const TColor f = AStyle == gsOffice2010Blue ? 0xF5E7DA : AStyle == gsOffice2010Silver ? 0xE8E3DF : 0x6A6A6A;
        const TColor fl = AStyle == gsOffice2010Blue ? 0xC7B0A0 : AStyle == gsOffice2010Silver ? 0xBAB5B1 : 0x444444;
        const TColor sh = AStyle == gsOffice2010Blue ? 0xD6CEC7 : AStyle == gsOffice2010Silver ? 0xAAAAAA : 0xBABABA;
        fixedGrid(f, f, f, f);
        active(0x5BD5FF, 0x71EFFF);
        SelectionColor = 0xFFDBB7;
        SelectionTextColor = clBlack;
        lines(clSilver, fl);
        clearGridHover();
        hover(office2010Hover);
        pressed(office2010Pressed);
        sortHeader(sh, sh, sh, sh);
        break;
    }
    }
    if (AStyle != gsCustom && AStyle != gsTerminal) {
        FSearchFooter->SetColor(WYXGradientFrom);
        FSearchFooter->SetColorTo(WYXGradientMirrorTo);
    }
    Invalidate();
}

void TExtStringGrid::SetComponentStyle(TWYXStyle AStyle)
{
    FStyle = AStyle;
    SetStyle(TExtGridStyle(int(AStyle)));
    SetPickerStyles(AStyle);
    if (AStyle != tsCustom && FScrollType == ssMetro) SetScrollType(ssNormal);
}

// The drop-down picker editors take the style when they exist; none is created yet.
void TExtStringGrid::SetPickerStyles(TWYXStyle Style) {}

void TExtStringGrid::SetColorTones(const TColorTones& ATones)
{
    FColorTones = ATones;
    SetLook(glClassic);
    SetFlat(true);
    SetScrollType(ssMetro);
    SetFixedColor(ATones.Foreground.BrushColor);
    const String face = IsGetLocaleInfoExAvailable() ? "Segoe UI" : "Tahoma";
    FFixedFont->SetColor(ATones.Foreground.TextColor);
    FFixedFont->SetName(face);
    Font()->SetName(face);
    SetColor(ATones.Background.BrushColor);
    Font()->SetColor(ATones.Background.TextColor);
    SelectionColor = ATones.Selected.BrushColor;
    SelectionTextColor = ATones.Selected.TextColor;
    SelectionColorTo = clNone;
    SetGridLineColor(0xE6E6E6);
    SetGridFixedLineColor(ShadeColor(ATones.Foreground.BrushColor, -20));
    SetBorderStyle(bsNone);
    FControlLook->ControlStyle = csGlyph;
    // The flat check and radio pictures of the program.
    EnsureGridGlyphs();
    const auto load = [&](const char* name, void (TControlLook::*set)(const TBitmap*)) {
        TBitmap glyph(15, 15);
        glyph.Canvas()->Brush()->SetColor(clFuchsia);
        glyph.Canvas()->FillRect(TRect(0, 0, 15, 15));
        DrawResourceGlyph(glyph.Canvas(), clFuchsia, TRect(0, 0, 15, 15), name);
        (FControlLook.get()->*set)(&glyph);
    };
    load("metrocheckon", &TControlLook::SetCheckedGlyph);
    load("metrocheckoff", &TControlLook::SetUnCheckedGlyph);
    load("metroradiooff", &TControlLook::SetRadioOffGlyph);
    load("metroradioon", &TControlLook::SetRadioOnGlyph);
    FControlLook->FlatButton = true;
    FSearchFooter->SetColor(ATones.Foreground.BrushColor);
    FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
    FCellNode->SetNodeType(cnFlat);
    Invalidate();
}

void TExtStringGrid::SetTheme(TXPColorScheme Scheme)
{
    TColor from = clWhite, to = clBtnFace, mfrom = clNone, mto = clNone;
    TColor afrom = clWhite, ato = 0xFFD8B3, sfrom = clWhite, sto = 0xFFD8B3;
    switch (Scheme) {
    case xpBlue:
        from = 0xFCE1CB, to = 0xE0A57D, afrom = 0x94E6FB, ato = 0x1595EE, sfrom = 0xFCE1CB, sto = 0xE0A57D;
        break;
    case xpGreen:
        from = 0xCFF0EA, to = 0x8CC0B1, afrom = 0x94E6FB, ato = 0x1595EE, sfrom = 0xCFF0EA, sto = 0x8CC0B1;
        break;
    case xpGray:
        from = 0xECE2E1, to = 0xB39698, afrom = 0x94E6FB, ato = 0x1595EE, sfrom = 0xECE2E1, sto = 0xB39698;
        break;
    case vistaAero:
        from = clWhite, to = clWhite, mfrom = 0xFAF8F7, mto = 0xF4F2F1, afrom = 0x94E6FB, ato = 0x1595EE;
        sfrom = 0xECE2E1, sto = 0xB39698;
        break;
    default:
        break;
    }
    WYXGradientFrom = ColorToRGB(from);
    WYXGradientTo = ColorToRGB(to);
    WYXGradientMirrorFrom = mfrom;
    WYXGradientMirrorTo = mto;
    ActiveCellColor = afrom;
    ActiveCellColorTo = ato;
    FSearchFooter->SetColor(sfrom);
    FSearchFooter->SetColorTo(sto);
    FControlLook->FixedGradientFrom = Scheme == xpNone ? clNone : from;
    FControlLook->FixedGradientTo = Scheme == xpNone ? clNone : to;
}

void TExtStringGrid::ThemeAdapt()
{
    const TOfficeTheme t = CurrentOfficeTheme();
    if (t == FOfficeTheme) return;
    switch (t) {
    case ot2003Blue: SetComponentStyle(tsOffice2003Blue); break;
    case ot2003Silver: SetComponentStyle(tsOffice2003Silver); break;
    case ot2003Olive: SetComponentStyle(tsOffice2003Olive); break;
    case ot2003Classic: SetComponentStyle(tsOffice2003Classic); break;
    case ot2007Blue: SetComponentStyle(tsOffice2007Luna); break;
    case ot2007Silver: SetComponentStyle(tsOffice2007Silver); break;
    case ot2007Black: SetComponentStyle(tsOffice2007Obsidian); break;
    case ot2010Blue: SetComponentStyle(tsOffice2010Blue); break;
    case ot2010Silver: SetComponentStyle(tsOffice2010Silver); break;
    case ot2010Black: SetComponentStyle(tsOffice2010Black); break;
    default: break;
    }
    FOfficeTheme = t;
}

void TExtStringGrid::SetAutoThemeAdapt(bool Value)
{
    if (Value == AutoThemeAdapt) return;
    AutoThemeAdapt = Value;
    FSearchFooter->SetAutoThemeAdapt(Value);
    if (Value) {
        ThemeAdapt();
        Invalidate();
    }
    if (FLoading) return;
    TThemeNotifier* n = GetThemeNotifier(this);
    if (Value) n->RegisterWindow(Handle());
    else n->UnRegisterWindow(Handle());
}

// The toolkit has no application styles: the grid keeps its own colours.
void TExtStringGrid::ApplyVCLStyleColors() {}

// ---------------------------------------------------------------- appearance settings

void TExtStringGrid::SetSelectionColorMixerFactor(int Value)
{
    if (Value == SelectionColorMixerFactor) return;
    SelectionColorMixerFactor = std::clamp(Value, 0, 100);
    Invalidate();
}

void TExtStringGrid::SetShowSelection(bool Value)
{
    if (Value == ShowSelection) return;
    ShowSelection = Value;
    FShowSel = Value;
    Invalidate();
}

void TExtStringGrid::SetHighlightColor(TColor Value)
{
    if (Value == HighlightColor) return;
    HighlightColor = Value;
    Invalidate();
}

void TExtStringGrid::SetHighlightTextColor(TColor Value)
{
    if (Value == HighlightTextColor) return;
    HighlightTextColor = Value;
    Invalidate();
}

void TExtStringGrid::SetVAlignment(TVAlignment Value)
{
    VAlignment = Value;
    FVAlign = Value == vtaCenter ? DT_VCENTER : Value == vtaBottom ? DT_BOTTOM : DT_TOP;
    if (FUpdateCount == 0) Invalidate();
}

void TExtStringGrid::SetSpreadSheet(bool Value)
{
    // Either value turns the spreadsheet behaviour on.
    SelectionRectangle = true;
    SelectionResizer = true;
    FNavigation->AllowSmartClipboard = true;
    SetOptions(Options() + TGridOptions{goRangeSelect, goEditing});
    FMouseActions->RangeSelectAndEdit = true;
    Invalidate();
}

void TExtStringGrid::SetMaxEditLength(int Value)
{
    FMaxEditLength = Value;
    if (InplaceEditor()) InplaceEditor()->SetMaxLength(Value);
}

void TExtStringGrid::SetRowIndicator(const TBitmap* Value)
{
    FRowIndicator->Assign(Value);
    RepaintCell(0, Row());
}

void TExtStringGrid::SetBackGround(const TBackGround* Value) { FBackGround->Assign(Value); }

void TExtStringGrid::SetFlat(bool Value)
{
    FFlat = Value;
    if (!FLoading) Invalidate();
}

// ---------------------------------------------------------------- background

TBackGround::TBackGround(TExtStringGrid* AOwner) : FOwner(AOwner), FBitmap(std::make_unique<TBitmap>()) {}

TBackGround::~TBackGround() = default;

void TBackGround::Repaint()
{
    if (FOwner) FOwner->Invalidate();
}

void TBackGround::Assign(const TBackGround* Source)
{
    if (!Source || Source == this) return;
    FBitmap->Assign(Source->FBitmap.get());
    Left = Source->Left;
    Top = Source->Top;
    Display = Source->Display;
    Cells = Source->Cells;
    Color = Source->Color;
    ColorTo = Source->ColorTo;
    Repaint();
}

void TBackGround::SetBitmap(const TBitmap* Value)
{
    FBitmap->Assign(Value);
    Repaint();
}

void TBackGround::SetLeft(int Value)
{
    Left = Value;
    Repaint();
}

void TBackGround::SetTop(int Value)
{
    Top = Value;
    Repaint();
}

void TBackGround::SetDisplay(TBackgroundDisplay Value)
{
    Display = Value;
    Repaint();
}

void TBackGround::SetCells(TBackGroundCells Value)
{
    Cells = Value;
    Repaint();
}

void TBackGround::SetColor(TColor Value)
{
    Color = Value;
    Repaint();
}

void TBackGround::SetColorTo(TColor Value)
{
    ColorTo = Value;
    Repaint();
}

void TShowModified::Assign(const TShowModified* Source)
{
    if (!Source) return;
    FColor = Source->FColor;
    Enabled = Source->Enabled;
}

void TShowModified::SetColor(TColor Value)
{
    FColor = Value;
    if (OnChange) OnChange(this);
}

void TExtStringGrid::PaintBackgroundArea()
{
    TBackGround& bg = *FBackGround;
    const bool gradient = bg.Display == bdGradientHorz || bg.Display == bdGradientVert;
    if (gradient && bg.ColorTo == clNone) return;
    if (!gradient && bg.Bitmap()->Empty()) return;
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    int clientBottom = client.Bottom;
    if (FSearchFooter->Visible()) clientBottom -= 32;
    if (FFloatingFooter->Visible && FFooterPanel) clientBottom -= FFooterPanel->Height();
    const TRect lastCol = CellRect(ColCount() - 1, TopRow());
    const TRect lastRow = CellRect(LeftCol(), RowCount() - 1);
    std::vector<TRect> areas;
    if (!lastCol.IsEmpty() && lastCol.Right + GridLineWidth() < client.Right)
        areas.push_back(TRect(lastCol.Right + GridLineWidth(), client.Top, client.Right, clientBottom));
    if (!lastRow.IsEmpty() && lastRow.Bottom < clientBottom)
        areas.push_back(TRect(client.Left, lastRow.Bottom + GridLineWidth(), client.Right, clientBottom));
    for (const TRect& a : areas) {
        const int saved = c->SaveState();
        c->IntersectClipRect(a);
        if (bg.Bitmap()->Empty()) {
            DrawGradient(c, bg.Color, bg.ColorTo, 128, client, bg.Display == bdGradientHorz);
        } else if (bg.Display != bdTile) {
            c->Draw(bg.Left, bg.Top, bg.Bitmap());
        } else if (bg.Cells != bcFixed) {
            int x0 = client.Left, y0 = client.Top;
            if (bg.Cells == bcNormal) {
                const TRect first = CellRect(FixedCols(), FixedRows());
                x0 = first.Left + XYOffset.X;
                y0 = first.Top + XYOffset.Y;
            }
            const int w = bg.Bitmap()->Width(), h = bg.Bitmap()->Height();
            for (int y = y0 - 1; y < a.Bottom; y += h)
                for (int x = x0 - 1; x < a.Right; x += w) c->Draw(x, y, bg.Bitmap());
        }
        c->RestoreState(saved);
    }
}

void TExtStringGrid::DrawCellBackgroundGradient(TCanvas* ACanvas, TRect R)
{
    const TBackGround& bg = *FBackGround;
    if (bg.ColorTo == clNone) return;
    const bool horz = bg.Display == bdGradientHorz;
    const int span = horz ? Width() : Height();
    const int a = horz ? R.Left : R.Top, b = horz ? R.Right : R.Bottom;
    const TColor from = BlendColor(bg.Color, bg.ColorTo, 0, span, std::clamp(a, 0, span));
    const TColor to = BlendColor(bg.Color, bg.ColorTo, 0, span, std::clamp(b, 0, span));
    DrawGradient(ACanvas, from, to, 128, R, horz);
}

void TExtStringGrid::DrawCellBackgroundBitmap(TCanvas* ACanvas, int ACol, int ARow, TRect R)
{
    const TBackGround& bg = *FBackGround;
    const TBitmap* b = bg.Bitmap();
    if (b->Empty()) return;
    const int saved = ACanvas->SaveState();
    ACanvas->IntersectClipRect(TRect(R.Left - (GridLineWidth() - 1), R.Top - (GridLineWidth() - 1), R.Right, R.Bottom));
    if (bg.Display != bdTile) {
        ACanvas->Draw(bg.Left, bg.Top, b);
    } else {
        // Tiles line up across cells: their phase is the grid position of the cell.
        const TRect origin = bg.Cells == bcNormal ? CellRect(FixedCols(), FixedRows()) : TRect(0, 0, 0, 0);
        const int w = b->Width(), h = b->Height();
        const int x0 = origin.Left + ((R.Left - origin.Left) / w) * w - (R.Left < origin.Left ? w : 0);
        const int y0 = origin.Top + ((R.Top - origin.Top) / h) * h - (R.Top < origin.Top ? h : 0);
        for (int y = y0; y < R.Bottom; y += h)
            for (int x = x0; x < R.Right; x += w) ACanvas->Draw(x, y, b);
    }
    ACanvas->RestoreState(saved);
}

// ---------------------------------------------------------------- window border

void TExtStringGrid::PaintBorder()
{
    const bool look = FLook == glSoft || FLook == glWYX || FLook == glXP || FLook == glListView || FLook == glVista ||
                      FLook == glWin7 || FLook == glOffice2007;
    if (!look || FBorderStyle == bsNone || FBorderColor == clNone || FFlat) return;
    TCanvas* c = Canvas();
    const int saved = c->SaveState();
    const int w = Width(), h = Height();
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetWidth(1);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(FBorderColor);
    c->Rectangle(0, 0, w, h);
    c->RestoreState(saved);
}
