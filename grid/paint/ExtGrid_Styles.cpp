// Whole colour schemes in one call (named styles and XP schemes as tables, colour tones,
// the office scheme), the appearance settings the painter reads, the background picture
// or gradient inside and beyond the cells and the grid's window border.
#include <algorithm>
#include <cmath>

#include "grid/core/ExtGrid.h"
#include "grid/html/MiniHTML.h"
#include "grid/sort/SortSettings.h"
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
// A colour a scheme leaves as it is.
constexpr TColor Keep = TColor(0x7FFFFFFF);

struct TFive {
    TColor From, To, MirrorFrom, MirrorTo, Border;
};
constexpr TFive KeepFive{Keep, Keep, Keep, Keep, Keep};

// One named style: the look it takes and its colours, applied by ApplyStyleScheme (the
// look first, the selection style last). Keep leaves a colour as it is.
struct TStyleScheme {
    TExtGridStyle Style;
    bool SetsLook;
    TGridLook Look;
    // The fixed cells' gradient on the grid; FixedToLook hands from and to to the control
    // look as well.
    TColor FixedFrom, FixedTo, FixedMirrorFrom, FixedMirrorTo;
    bool FixedToLook;
    TColor ActiveFrom, ActiveTo;
    TColor Selection, SelectionText;
    TColor Lines, FixedLines;
    // The hovered header's gradient on the grid itself, then through the control look.
    TFive GridHover;
    TFive Hover;
    TFive Pressed;
    TColor SortFrom, SortTo, SortMirrorFrom, SortMirrorTo;
    bool SetsSelectionStyle;
    TGridSelectionStyle SelectionStyle;
    TColor SelectionTo;
};

constexpr TFive Office2010Hover{0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8};
constexpr TFive Office2010Pressed{0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2};
constexpr TFive NoGridHover{clNone, clNone, clNone, clNone, clNone};

// clang-format off
constexpr TStyleScheme StyleSchemes[] = {
    // style                 look            fixed: from     to        mirror    mirrorTo  to look
    //   active             selection  text     lines               grid hover / hover / pressed
    //   sort header                                   selection style      selection to
    {gsOffice2003Blue,     true, glXP,         0xFCE1CB, 0xE0A57D, clNone,   clNone,   true,
        0x94E6FB, 0x1595EE, 0x94E6FB, clBlack, clSilver, clGray,     KeepFive, KeepFive, KeepFive,
        Keep, Keep, Keep, Keep,                        false, ssDefault,    0x1595EE},
    {gsOffice2003Silver,   true, glXP,         0xECE2E1, 0xB39698, clNone,   clNone,   true,
        0x94E6FB, 0x1595EE, 0x94E6FB, clBlack, clSilver, clGray,     KeepFive, KeepFive, KeepFive,
        Keep, Keep, Keep, Keep,                        false, ssDefault,    0x1595EE},
    {gsOffice2003Olive,    true, glXP,         0xCFF0EA, 0x8CC0B1, clNone,   clNone,   true,
        0x94E6FB, 0x1595EE, 0x94E6FB, clBlack, clSilver, clGray,     KeepFive, KeepFive, KeepFive,
        Keep, Keep, Keep, Keep,                        false, ssDefault,    0x1595EE},
    {gsOffice2003Classic,  true, glXP,         clWhite,  0xCCD4D8, clNone,   clNone,   false,
        0xD8D5D4, 0xD8D5D4, Keep,     Keep,    clSilver, clGray,     KeepFive, KeepFive, KeepFive,
        Keep, Keep, Keep, Keep,                        false, ssDefault,    Keep},
    {gsOffice2007Luna,     true, glOffice2007, 0xFBF9F6, 0xE8DBD2, clNone,   clNone,   true,
        0x9DD8F9, 0x5EC1F1, 0x5EC1F1, clBlack, 0xF1EDEB, 0xD1BBA4,   KeepFive,
        {0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87}, {0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D},
        Keep, Keep, Keep, Keep,                        true, ssOffice2007,  Keep},
    {gsOffice2007Obsidian, true, glOffice2007, 0xF7F7F7, 0xDEDEDE, clNone,   clNone,   true,
        0x9DD8F9, 0x5EC1F1, 0x5EC1F1, clBlack, 0xE5D7D0, clGray,     KeepFive, KeepFive, KeepFive,
        Keep, Keep, Keep, Keep,                        false, ssDefault,    Keep},
    {gsWindowsXP,          true, glXP,         clBtnFace, clBtnFace, clNone, clNone,   false,
        clBtnFace, clBtnFace, Keep,   Keep,    clSilver, clGray,     KeepFive, KeepFive, KeepFive,
        Keep, Keep, Keep, Keep,                        false, ssDefault,    Keep},
    {gsWhidbey,            false, glXP,        clWhite,  clBtnFace, clNone,  clNone,   false,
        0x94E6FB, 0x1595EE, Keep,     Keep,    clSilver, clGray,     KeepFive, KeepFive, KeepFive,
        Keep, Keep, Keep, Keep,                        false, ssDefault,    Keep},
    {gsCustom,             false, glXP,        Keep,     Keep,     Keep,     Keep,     false,
        Keep,     Keep,     Keep,     Keep,    Keep,     Keep,       KeepFive, KeepFive, KeepFive,
        Keep, Keep, Keep, Keep,                        false, ssDefault,    Keep},
    {gsOffice2007Silver,   true, glOffice2007, 0xF3F3F1, 0xCAC9C8, Keep,     Keep,     true,
        0x99CCFF, 0x699CFF, 0x95C7F5, clBlack, 0xE5D7D0, clGray,     KeepFive, KeepFive, KeepFive,
        Keep, Keep, Keep, Keep,                        false, ssDefault,    Keep},
    {gsWindowsVista,       true, glVista,      clWhite,  clWhite,  0xFAF8F7, 0xF4F2F1, false,
        0xFDF8F1, 0xFCEFD5, 0xEACAB6, clBlack, 0xECECF0, 0xD4D2D1,
        {0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993}, {0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993},
        {0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F},
        0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8,        true, ssVista,       Keep},
    {gsWindows7,           true, glWin7,       0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD, false,
        0xFCEBDC, 0xFCDBC1, 0xEACAB6, clBlack, 0xECECF0, 0xD4D2D1,
        {0xFDF8F3, 0xF9F3EF, clNone, clNone, 0xEEE8E3}, {0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, Keep},
        {0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA},
        0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8,        true, ssWin7,        Keep},
    {gsTerminal,           true, glStandard,   Keep,     Keep,     Keep,     Keep,     false,
        Keep,     Keep,     Keep,     Keep,    Keep,     Keep,       KeepFive, KeepFive, KeepFive,
        Keep, Keep, Keep, Keep,                        false, ssDefault,    Keep},
    {gsOffice2010Blue,     true, glOffice2007, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA, false,
        0x5BD5FF, 0x71EFFF, 0xFFDBB7, clBlack, clSilver, 0xC7B0A0,   NoGridHover, Office2010Hover, Office2010Pressed,
        0xD6CEC7, 0xD6CEC7, 0xD6CEC7, 0xD6CEC7,        false, ssDefault,    Keep},
    {gsOffice2010Silver,   true, glOffice2007, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF, false,
        0x5BD5FF, 0x71EFFF, 0xFFDBB7, clBlack, clSilver, 0xBAB5B1,   NoGridHover, Office2010Hover, Office2010Pressed,
        0xAAAAAA, 0xAAAAAA, 0xAAAAAA, 0xAAAAAA,        false, ssDefault,    Keep},
    {gsOffice2010Black,    true, glOffice2007, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A, false,
        0x5BD5FF, 0x71EFFF, 0xFFDBB7, clBlack, clSilver, 0x444444,   NoGridHover, Office2010Hover, Office2010Pressed,
        0xBABABA, 0xBABABA, 0xBABABA, 0xBABABA,        false, ssDefault,    Keep},
};
// clang-format on

const TStyleScheme* StyleScheme(TExtGridStyle Style)
{
    for (const TStyleScheme& s : StyleSchemes)
        if (s.Style == Style) return &s;
    return nullptr;
}

// Sets a colour unless the scheme keeps it.
template <class Set>
void Put(TColor c, Set set)
{
    if (c != Keep) set(c);
}

// The scheme's look and colours, in the order of the table's columns.
void ApplyStyleScheme(TExtStringGrid& g, const TStyleScheme& s)
{
    TControlLook& cl = *g.ControlLook();
    TSortSettings& sort = *g.SortSettings();
    if (s.SetsLook) g.SetLook(s.Look);
    Put(s.FixedFrom, [&](TColor c) { g.SetWYXGradientFrom(c); });
    Put(s.FixedTo, [&](TColor c) { g.SetWYXGradientTo(c); });
    Put(s.FixedMirrorFrom, [&](TColor c) { g.SetWYXGradientMirrorFrom(c); });
    Put(s.FixedMirrorTo, [&](TColor c) { g.SetWYXGradientMirrorTo(c); });
    if (s.FixedToLook) {
        // Through the control look, which hands them to the grid.
        cl.SetFixedGradientFrom(s.FixedFrom);
        cl.SetFixedGradientTo(s.FixedTo);
    }
    Put(s.ActiveFrom, [&](TColor c) { g.ActiveCellColor = c; });
    Put(s.ActiveTo, [&](TColor c) { g.ActiveCellColorTo = c; });
    Put(s.Selection, [&](TColor c) { g.SelectionColor = c; });
    Put(s.SelectionText, [&](TColor c) { g.SelectionTextColor = c; });
    Put(s.SelectionTo, [&](TColor c) { g.SelectionColorTo = c; });
    Put(s.Lines, [&](TColor c) { g.SetGridLineColor(c); });
    Put(s.FixedLines, [&](TColor c) { g.SetGridFixedLineColor(c); });
    Put(s.GridHover.From, [&](TColor c) { g.FWYXGradHoverFrom = c; });
    Put(s.GridHover.To, [&](TColor c) { g.FWYXGradHoverTo = c; });
    Put(s.GridHover.MirrorFrom, [&](TColor c) { g.FWYXGradHoverMirrorFrom = c; });
    Put(s.GridHover.MirrorTo, [&](TColor c) { g.FWYXGradHoverMirrorTo = c; });
    Put(s.GridHover.Border, [&](TColor c) { g.FWYXGradHoverBorder = c; });
    Put(s.Hover.From, [&](TColor c) { cl.SetFixedGradientHoverFrom(c); });
    Put(s.Hover.To, [&](TColor c) { cl.SetFixedGradientHoverTo(c); });
    Put(s.Hover.MirrorFrom, [&](TColor c) { cl.SetFixedGradientHoverMirrorFrom(c); });
    Put(s.Hover.MirrorTo, [&](TColor c) { cl.SetFixedGradientHoverMirrorTo(c); });
    Put(s.Hover.Border, [&](TColor c) { cl.SetFixedGradientHoverBorder(c); });
    Put(s.Pressed.From, [&](TColor c) { cl.SetFixedGradientDownFrom(c); });
    Put(s.Pressed.To, [&](TColor c) { cl.SetFixedGradientDownTo(c); });
    Put(s.Pressed.MirrorFrom, [&](TColor c) { cl.SetFixedGradientDownMirrorFrom(c); });
    Put(s.Pressed.MirrorTo, [&](TColor c) { cl.SetFixedGradientDownMirrorTo(c); });
    Put(s.Pressed.Border, [&](TColor c) { cl.SetFixedGradientDownBorder(c); });
    Put(s.SortFrom, [&](TColor c) { sort.SetHeaderColor(c); });
    Put(s.SortTo, [&](TColor c) { sort.SetHeaderColorTo(c); });
    Put(s.SortMirrorFrom, [&](TColor c) { sort.SetHeaderMirrorColor(c); });
    Put(s.SortMirrorTo, [&](TColor c) { sort.SetHeaderMirrorColorTo(c); });
    if (s.SetsSelectionStyle) g.SetSelectionStyle(s.SelectionStyle);
}
}  // namespace

void TExtStringGrid::SetStyle(TExtGridStyle AStyle)
{
    SelectionColor = clHighlight;
    SelectionColorTo = clNone;
    SelectionTextColor = clHighlightText;
    SetSelectionStyle(ssDefault);
    FSortSettings->SetHeaderColor(clNone);
    FSortSettings->SetHeaderColorTo(clNone);
    FSortSettings->SetHeaderMirrorColor(clNone);
    FSortSettings->SetHeaderMirrorColorTo(clNone);
    FControlLook->Init();
    if (const TStyleScheme* s = StyleScheme(AStyle)) ApplyStyleScheme(*this, *s);
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

namespace {
// One XP scheme: the fixed cells' gradient, the active cell's and the search footer's.
struct TXPScheme {
    TXPColorScheme Scheme;
    TColor From, To, MirrorFrom, MirrorTo, ActiveFrom, ActiveTo, FooterFrom, FooterTo;
};

// clang-format off
constexpr TXPScheme XPSchemes[] = {
    // scheme    fixed: from  to        mirror    mirrorTo  active: from  to     footer: from  to
    {xpNone,     clWhite,  clBtnFace, clNone,   clNone,   clWhite,  0xFFD8B3, clWhite,  0xFFD8B3},
    {xpBlue,     0xFCE1CB, 0xE0A57D,  clNone,   clNone,   0x94E6FB, 0x1595EE, 0xFCE1CB, 0xE0A57D},
    {xpGreen,    0xCFF0EA, 0x8CC0B1,  clNone,   clNone,   0x94E6FB, 0x1595EE, 0xCFF0EA, 0x8CC0B1},
    {xpGray,     0xECE2E1, 0xB39698,  clNone,   clNone,   0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698},
    {vistaAero,  clWhite,  clWhite,   0xFAF8F7, 0xF4F2F1, 0x94E6FB, 0x1595EE, 0xECE2E1, 0xB39698},
};
// clang-format on
}  // namespace

void TExtStringGrid::SetTheme(TXPColorScheme Scheme)
{
    const TXPScheme* found = &XPSchemes[0];
    for (const TXPScheme& x : XPSchemes)
        if (x.Scheme == Scheme) found = &x;
    const TXPScheme& x = *found;
    WYXGradientFrom = ColorToRGB(x.From);
    WYXGradientTo = ColorToRGB(x.To);
    WYXGradientMirrorFrom = x.MirrorFrom;
    WYXGradientMirrorTo = x.MirrorTo;
    ActiveCellColor = x.ActiveFrom;
    ActiveCellColorTo = x.ActiveTo;
    FSearchFooter->SetColor(x.FooterFrom);
    FSearchFooter->SetColorTo(x.FooterTo);
    FControlLook->FixedGradientFrom = Scheme == xpNone ? clNone : x.From;
    FControlLook->FixedGradientTo = Scheme == xpNone ? clNone : x.To;
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
    SetHTMLHighlightColors(HighlightColor, HighlightTextColor);
    Invalidate();
}

void TExtStringGrid::SetHighlightTextColor(TColor Value)
{
    if (Value == HighlightTextColor) return;
    HighlightTextColor = Value;
    SetHTMLHighlightColors(HighlightColor, HighlightTextColor);
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

void TExtStringGrid::PaintBackgroundArea()
{
    TBackGround& bg = *FBackGround;
    const bool gradient = bg.Display == bdGradientHorz || bg.Display == bdGradientVert;
    if (gradient && bg.ColorTo == clNone) return;
    if (!gradient && bg.Bitmap()->Empty()) return;
    // A cell out of view still has a rectangle (its size at the origin): only a last
    // row or column that can be seen bounds an area beyond the cells.
    const bool lastColSeen = ColCount() > 0 && ColInView(ColCount() - 1);
    const bool lastRowSeen = RowCount() > 0 && RowInView(RowCount() - 1);
    if (!lastColSeen && !lastRowSeen) return;
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    int clientBottom = client.Bottom;
    if (FSearchFooter->Visible()) clientBottom -= 32;
    if (FFloatingFooter->Visible && FFooterPanel) clientBottom -= FFooterPanel->Height();
    const TRect lastCol = CellRect(ColCount() - 1, TopRow());
    const TRect lastRow = CellRect(LeftCol(), RowCount() - 1);
    std::vector<TRect> areas;
    if (lastColSeen && !lastCol.IsEmpty() && lastCol.Right + GridLineWidth() < client.Right)
        areas.push_back(TRect(lastCol.Right + GridLineWidth(), client.Top, client.Right, clientBottom));
    if (lastRowSeen && !lastRow.IsEmpty() && lastRow.Bottom < clientBottom)
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
