// How a cell's text and marks are laid out when painted: the display text of numbers,
// the alignment of numbers, wrapping, first lines and ellipses, the selection's text
// colour, the focus rectangle, the active-cell headers and the sort indicator's place;
// probed in pictures of the shown grid.
#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "grid/cells/ShowModified.h"
#include "grid/util/GridTheme.h"
#include "tests/common/Snapshot.h"
#include "tests/common/extgrid_fixture.h"

namespace {

bool Dark(TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 300; }
bool Reddish(TColor c) { return GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100; }

// A grid whose formulas all come to 42.
class TFormulaGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    void GetFormulaResult(int ACol, int ARow, String& Value) override
    {
        Value = GetCellEx(ACol, ARow);
        if (!Value.empty() && Value[0] == '=') Value = "42";
    }
};

class CellPaintRulesTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        for (int c = 0; c < 5; ++c) Grid->SetColWidths(c, 90);
    }
    void Shot(TBitmap& png, const char* name) { ASSERT_TRUE(SNAPSHOT(Grid, name, png)); }
    // The left-most and right-most columns of R holding ink that Pred accepts; -1 none.
    static std::pair<int, int> InkSpan(TBitmap& png, const TRect& r, const std::function<bool(TColor)>& pred)
    {
        int lo = -1, hi = -1;
        for (int x = r.Left; x < r.Right; ++x)
            for (int y = r.Top; y < r.Bottom; ++y)
                if (pred(png.Canvas()->Pixels(x, y))) {
                    if (lo < 0) lo = x;
                    hi = x;
                    break;
                }
        return {lo, hi};
    }
    static int DarkIn(TBitmap& png, const TRect& r) { return Count_Pixels(png, r, Dark); }
};

}  // namespace

TEST_F(CellPaintRulesTest, NumbersShowInTheFormatTheWindowGives)
{
    struct Case {
        const char* What;
        const char* Text;
        const char* Format;   // nullptr: no OnGetFloatFormat
        bool IsFloat;
        const char* Shown;
    } cases[] = {
        {"no event", "12.5", nullptr, true, "12.5"},
        {"two decimals", "12.5", "%.2f", true, "12.50"},
        {"integer format takes the integer value", "12.5", "%d pcs", true, "12 pcs"},
        {"exponent", "1.5E3", "%.1f", true, "1500.0"},
        {"not a number", "12a", "%.2f", true, "12a"},
        {"the window says it is no float", "12.5", "%.2f", false, "12.5"},
        {"empty format", "12.5", "", true, "12.5"},
    };
    for (const Case& c : cases) {
        Grid->SetCellEx(1, 1, c.Text);
        if (c.Format) {
            const String fmt = c.Format;
            const bool isFloat = c.IsFloat;
            Grid->OnGetFloatFormat = [fmt, isFloat](TObject*, int, int, bool& IsFloat, String& Format) {
                EXPECT_EQ(Format, "%.2f");   // offered the grid's FloatFormat
                IsFloat = isFloat;
                Format = fmt;
            };
        } else {
            Grid->OnGetFloatFormat = nullptr;
        }
        EXPECT_EQ(Grid->GetFormattedCell(1, 1), c.Shown) << c.What;
    }
}

TEST_F(CellPaintRulesTest, AutoNumAlignRightJustifiesNumbersAndFormulasKeepIt)
{
    auto* g = new TFormulaGrid(Form);
    g->SetParent(Form);
    g->AutoNumAlign = true;
    struct Case {
        const char* What;
        const char* Text;
        int OwnAlignment;   // -1: the cell has no alignment of its own
        TAlignment Expected;
    } cases[] = {
        {"negative integer", "-12", -1, taRightJustify},
        {"exponent", "1.5E3", -1, taRightJustify},
        {"blanks around a number", " 7 ", -1, taRightJustify},
        {"number and letter", "12a", -1, taLeftJustify},
        {"the cell's own alignment", "-12", taCenter, taCenter},
        // A formula is aligned by its result, whatever the cell's own alignment says.
        {"formula", "=A1", taCenter, taRightJustify},
    };
    for (int i = 0; i < int(std::size(cases)); ++i) {
        const Case& c = cases[i];
        const int r = 1 + i % 5, col = 1 + i / 5;
        g->SetCellEx(col, r, c.Text);
        if (c.OwnAlignment >= 0) g->SetAlignments(col, r, TAlignment(c.OwnAlignment));
        EXPECT_EQ(g->GetCellAlignment(col, r) & 0xFF, int(c.Expected)) << c.What;
    }
    g->AutoNumAlign = false;
    g->SetCellEx(1, 1, "-12");
    EXPECT_EQ(g->GetCellAlignment(1, 1) & 0xFF, int(taLeftJustify));
}

TEST_F(CellPaintRulesTest, LongTextWrapsAtWordsFromTheTopAndIsClippedToTheCell)
{
    ASSERT_TRUE(Grid->WordWrap());   // on from creation
    Grid->SetRowHeights(2, 40);
    Grid->SetCellEx(2, 2, "alpha beta gamma delta epsilon zeta eta theta iota kappa");
    Grid->SetCol(4);
    Grid->SetRow(5);
    TBitmap png;
    Shot(png, "cellpaint_wrap.png");
    const TRect r = Grid->CellRect(2, 2);
    const int h = Grid->Canvas()->TextHeight("Wg");
    // Two lines from the top: ink in the first and the second line, none below them.
    EXPECT_GT(DarkIn(png, TRect(r.Left, r.Top, r.Right, r.Top + 2 + h)), 20);
    EXPECT_GT(DarkIn(png, TRect(r.Left, r.Top + 2 + h, r.Right, std::min(r.Bottom, r.Top + 2 + 2 * h))), 20);
    // The words wrap: no line runs into the cell's right margin.
    EXPECT_EQ(DarkIn(png, TRect(r.Right - 3, r.Top, r.Right - 1, r.Bottom - 1)), 0);
    // Clipped: nothing spills into the cells right and below.
    const TRect right = Grid->CellRect(3, 2), below = Grid->CellRect(2, 3);
    EXPECT_EQ(DarkIn(png, TRect(right.Left + 1, right.Top + 1, right.Right - 1, right.Bottom - 1)), 0);
    EXPECT_EQ(DarkIn(png, TRect(below.Left + 1, below.Top + 1, below.Right - 1, below.Bottom - 1)), 0);

    // Without word wrap the same text runs on one line to the edge.
    Grid->SetWordWrap(false);
    Shot(png, "cellpaint_nowrap.png");
    EXPECT_GT(DarkIn(png, TRect(r.Right - 12, r.Top, r.Right - 2, r.Bottom - 1)), 0);
    EXPECT_EQ(DarkIn(png, TRect(r.Left, r.Top + 3 + h, r.Right, r.Bottom - 1)), 0);
}

TEST_F(CellPaintRulesTest, OnOneLineOnlyTheFirstLineShowsAndEnhTextSizeEndsWithAnEllipsis)
{
    Grid->SetWordWrap(false);
    Grid->Multilinecells = false;
    Grid->SetRowHeights(2, 44);
    Grid->SetCellEx(2, 2, "first\r\nsecond");
    Grid->SetCellEx(3, 2, "first");
    Grid->SetCellEx(1, 3, "WWWWWWWWWWWWWWWWWWWWWWWW");
    Grid->SetCol(4);
    Grid->SetRow(5);
    TBitmap png;
    Shot(png, "cellpaint_firstline.png");
    const TRect a = Grid->CellRect(2, 2), b = Grid->CellRect(3, 2);
    int differ = 0;
    for (int y = 0; y < a.Height() - 1; ++y)
        for (int x = 1; x < a.Width() - 1; ++x)
            differ += png.Canvas()->Pixels(a.Left + x, a.Top + y) != png.Canvas()->Pixels(b.Left + x, b.Top + y);
    EXPECT_EQ(differ, 0);   // exactly as the first line alone

    // An overlong line: clipped, the letters reach the right edge; with the ellipsis the
    // end of the text area holds only dots on the base line.
    const TRect w = Grid->CellRect(1, 3);
    const int h = Grid->Canvas()->TextHeight("W");
    const TRect upperEnd(w.Right - 10, w.Top + 2, w.Right - 3, w.Top + 2 + h / 2);
    EXPECT_GT(DarkIn(png, upperEnd), 0);
    Grid->EnhTextSize = true;
    Grid->Invalidate();
    Shot(png, "cellpaint_ellipsis.png");
    EXPECT_EQ(DarkIn(png, upperEnd), 0);
    EXPECT_GT(DarkIn(png, TRect(w.Right - 14, w.Top + 2, w.Right - 2, w.Top + 3 + h)), 0);
}

TEST_F(CellPaintRulesTest, SelectedTextTakesTheSelectionTextColourUnlessItIsNone)
{
    Grid->SetCellEx(2, 2, "WWWW");
    Grid->SetFontColors(2, 2, clRed);
    Grid->SetSelection(TGridRect(1, 1, 3, 3));
    TBitmap png;
    const TRect r = Grid->CellRect(2, 2);
    struct Case {
        TColor SelectionText;
        bool RedInk;
    } cases[] = {{clBlack, false}, {clNone, true}};
    for (const Case& c : cases) {
        Grid->SelectionTextColor = c.SelectionText;
        Grid->Invalidate();
        Shot(png, "cellpaint_selected_text.png");
        EXPECT_EQ(Count_Pixels(png, r, Reddish) > 5, c.RedInk) << std::hex << c.SelectionText;
        EXPECT_EQ(png.Canvas()->Pixels(r.Right - 4, r.Bottom - 4), TColor(0xEACAB6));
    }
}

TEST_F(CellPaintRulesTest, TheFocusRectangleOnlyOnAFocusedNormalCurrentCellWithoutRowSelect)
{
    Grid->SetFocus();
    struct Case {
        const char* What;
        std::function<void()> Set;
        bool Focus;
    } cases[] = {
        {"a normal current cell", [] {}, true},
        {"row selection", [&] { Grid->SetOptions(Grid->Options() << goRowSelect); }, false},
        {"the current cell made fixed", [&] {
             Grid->SetOptions(Grid->Options() >> goRowSelect);
             Grid->OnIsFixedCell = [](TObject*, int ACol, int ARow, bool& IsFixed) { IsFixed = ACol == 2 && ARow == 2; };
         }, false},
    };
    for (const Case& c : cases) {
        Grid->FocusCell(2, 2, true);
        c.Set();
        // The cell with and without the focus rectangle: they differ only where one is drawn.
        TBitmap shown, hidden;
        Grid->HideFocusRect = false;
        Grid->Invalidate();
        Shot(shown, "cellpaint_focus.png");
        Grid->HideFocusRect = true;
        Grid->Invalidate();
        Shot(hidden, "cellpaint_nofocus.png");
        const TRect cur = Grid->CellRect(2, 2);
        int differ = 0;
        for (int y = cur.Top; y < cur.Bottom; ++y)
            for (int x = cur.Left; x < cur.Right; ++x) differ += shown.Canvas()->Pixels(x, y) != hidden.Canvas()->Pixels(x, y);
        EXPECT_EQ(differ > 20, c.Focus) << c.What << " " << differ;
    }
    Grid->OnIsFixedCell = nullptr;
}

TEST_F(CellPaintRulesTest, ActiveCellShowMarksOnlyTheHeadersOfTheCurrentCell)
{
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    Grid->ActiveCellShow = true;
    Grid->ActiveCellColor = clRed;
    Grid->ActiveCellColorTo = clNone;
    Grid->FocusCell(3, 4, true);
    TBitmap png;
    Shot(png, "cellpaint_activecell.png");
    struct Case {
        int c, r;
        bool marked;
    } cases[] = {{0, 4, true}, {3, 0, true}, {0, 3, false}, {2, 0, false}, {0, 0, false}, {0, 5, false}};
    for (const Case& k : cases) {
        const TRect r = Grid->CellRect(k.c, k.r);
        const int red = Count_Pixels(png, TRect(r.Left + 2, r.Top + 3, r.Right - 3, r.Bottom - 4), clRed);
        EXPECT_EQ(red > r.Width() * 3, k.marked) << k.c << "," << k.r;
    }
}

TEST_F(CellPaintRulesTest, CentredTextOfASortedColumnMakesRoomForTheIndicatorAtItsLeft)
{
    for (int r = 1; r < 6; ++r) Grid->SetCellEx(2, r, IntToStr(r));
    Grid->SetCellEx(2, 0, "Name");
    Grid->SetAlignments(2, 0, taCenter);
    Grid->SetCol(4);
    Grid->SetRow(5);
    const TRect h = Grid->CellRect(2, 0);
    const TRect textArea(h.Left + 16, h.Top + 2, h.Right - 2, h.Bottom - 3);
    TBitmap plain, sorted;
    Shot(plain, "cellpaint_sort_plain.png");
    Grid->SortSettings()->Column = 2;
    Grid->SortSettings()->SetShow(true);
    Grid->Invalidate();
    Shot(sorted, "cellpaint_sort_indicator.png");
    const auto before = InkSpan(plain, textArea, Dark), after = InkSpan(sorted, textArea, Dark);
    ASSERT_GE(before.first, 0);
    EXPECT_EQ(after.first - before.first, 10);
    EXPECT_EQ(after.second - before.second, 10);
    // The indicator's grey lines stand around 8 pixels from the left edge.
    const auto grey = [](TColor c) { return c == TColor(0x808080); };
    const TRect around8(h.Left + 3, h.Top + 2, h.Left + 14, h.Bottom - 3);
    EXPECT_EQ(Count_Pixels(plain, around8, grey), 0);
    EXPECT_GT(Count_Pixels(sorted, around8, grey), 3);
    const auto span = InkSpan(sorted, around8, grey);
    EXPECT_LE(std::abs((span.first + span.second) / 2 - (h.Left + 8)), 1);
}

// ---------------------------------------------------------------- background gradient

TEST_F(CellPaintRulesTest, TheBackgroundGradientNeedsBothColoursAndOnlyFillsWhatLiesBeyondTheCells)
{
    Grid->SetColCount(3);
    Grid->SetRowCount(3);
    Grid->SetCol(2);
    Grid->SetRow(2);
    Grid->BackGround()->SetDisplay(bdGradientHorz);
    Grid->BackGround()->SetColor(clRed);
    const TRect last = Grid->CellRect(2, 2);
    const TRect beyondRight(last.Right + 2, 2, Grid->ClientWidth() - 2, last.Bottom);
    const TRect beyondBelow(2, last.Bottom + 2, last.Right, Grid->ClientHeight() - 2);
    const TRect cell = Grid->CellRect(1, 1);
    const TRect inside(cell.Left + 2, cell.Top + 2, cell.Right - 3, cell.Bottom - 3);
    auto painted = [](TColor c) { return c != ColorToRGB(clWindow) && c != ColorToRGB(clBtnFace); };
    struct Case {
        const char* What;
        TColor ColorTo;
        bool Painted;
    } cases[] = {{"no end colour", clNone, false}, {"red to blue", clBlue, true}};
    for (const Case& c : cases) {
        Grid->BackGround()->SetColorTo(c.ColorTo);
        TBitmap png;
        Shot(png, "cellpaint_background.png");
        for (const TRect& r : {beyondRight, beyondBelow, inside})
            EXPECT_EQ(Count_Pixels(png, r, painted) > r.Width() * r.Height() / 2, c.Painted) << c.What;
    }

    // Scrolled so that the last row and column are off screen: no area beyond the cells,
    // so the cells (here not part of the gradient) keep their colour to the edges.
    Grid->BackGround()->SetCells(bcFixed);
    Grid->SetColCount(20);
    Grid->SetRowCount(60);
    Grid->SetLeftCol(3);
    Grid->SetTopRow(10);
    TBitmap png;
    Shot(png, "cellpaint_background_scrolled.png");
    const int w = Grid->ClientWidth(), h = Grid->ClientHeight();
    const TRect corner(w - 40, h - 30, w - 2, h - 2);
    int gradient = Count_Pixels(png, corner, [](TColor c) { return GetRValue(c) > 100 && GetGValue(c) < 60; });
    gradient += Count_Pixels(png, corner, [](TColor c) { return GetBValue(c) > 100 && GetGValue(c) < 60; });
    EXPECT_EQ(gradient, 0);
}

TEST_F(CellPaintRulesTest, AModifiedRowIsMarkedByABarAtTheRightOfItsFirstShownCell)
{
    Grid->ShowModified()->Enabled = true;
    Grid->ShowModified()->SetColor(clLime);
    Grid->SetRowModified(2, true);
    Grid->HideColumn(0);   // the mark goes with the shown column 0, not the real one
    Grid->SetCol(3);
    Grid->SetRow(5);
    TBitmap png;
    Shot(png, "cellpaint_modified.png");
    const TRect r = Grid->CellRect(0, 2);
    // Four pixel columns at the cell's right edge, over the cell's height, and no more.
    for (int x = r.Right - 8; x < r.Right; ++x) {
        const int lime = Count_Pixels(png, TRect(x, r.Top, x + 1, r.Bottom), clLime);
        const bool inBar = x >= r.Right - 5 && x < r.Right - 1;
        EXPECT_EQ(lime >= r.Height() - 4, inBar) << x - r.Right << " " << lime;
        if (!inBar) {
            EXPECT_EQ(lime, 0) << x - r.Right;
        }
    }
    int elsewhere = 0;
    for (int c = 0; c < Grid->ColCount(); ++c)
        for (int row = 0; row < Grid->RowCount(); ++row)
            if (c != 0 || row != 2) elsewhere += Count_Pixels(png, Grid->CellRect(c, row), clLime);
    EXPECT_EQ(elsewhere, 0);
}

// ---------------------------------------------------------------- check-box glyphs

namespace {
// A visual-styles library without its drawing entry: themed drawing is unavailable.
class TNoThemeDrawing : public TThemeLibrary {
public:
    void* GetProcAddress(const char* name) const override
    {
        if (std::strcmp(name, "DrawThemeBackground") == 0) return nullptr;
        return BuiltInThemeLibrary()->GetProcAddress(name);
    }
};

std::vector<TColor> CheckPicture(TExtStringGrid* g, TControlStyle style, bool checked)
{
    TBitmap b(40, 30);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect(0, 0, 40, 30));
    g->DrawCheck(b.Canvas(), TRect(0, 0, 40, 30), checked, cbUnchecked, false, style, false, true);
    std::vector<TColor> px;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) px.push_back(b.Canvas()->Pixels(x, y));
    return px;
}
}

TEST_F(ExtGridTest, WithoutThemedDrawingTheThemedCheckBoxIsTheClassicOneCentred)
{
    ASSERT_NE(CheckPicture(Grid, csTheme, true), CheckPicture(Grid, csClassic, true));   // themed while it can be
    TNoThemeDrawing lib;
    BindThemeLibraryFrom(&lib);
    struct Restore {
        ~Restore() { BindThemeLibraryFrom(BuiltInThemeLibrary()); }
    } restore;
    for (bool checked : {true, false}) {
        const auto themed = CheckPicture(Grid, csTheme, checked);
        EXPECT_EQ(themed, CheckPicture(Grid, csClassic, checked)) << checked;
        // The box stands in the middle of the rectangle (an odd box in an even
        // rectangle: margins differ by up to two pixels).
        int lo = 40, hi = -1, top = 30, bottom = -1;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                if (themed[size_t(y * 40 + x)] != clWhite) {
                    lo = std::min(lo, x), hi = std::max(hi, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        ASSERT_GE(hi, 0) << checked;
        EXPECT_LE(std::abs(lo - (39 - hi)), 2) << checked;
        EXPECT_LE(std::abs(top - (29 - bottom)), 2) << checked;
    }
}

TEST_F(ExtGridTest, AssignedControlLookCarriesEveryFixedGradientColour)
{
    TControlLook& src = *Grid->ControlLook();
    TColor TControlLook::*const fields[] = {
        &TControlLook::FixedGradientFrom,          &TControlLook::FixedGradientTo,
        &TControlLook::FixedGradientMirrorFrom,    &TControlLook::FixedGradientMirrorTo,
        &TControlLook::FixedGradientHoverFrom,     &TControlLook::FixedGradientHoverTo,
        &TControlLook::FixedGradientHoverMirrorFrom, &TControlLook::FixedGradientHoverMirrorTo,
        &TControlLook::FixedGradientHoverBorder,   &TControlLook::FixedGradientDownFrom,
        &TControlLook::FixedGradientDownTo,        &TControlLook::FixedGradientDownMirrorFrom,
        &TControlLook::FixedGradientDownMirrorTo,  &TControlLook::FixedGradientDownBorder,
    };
    TColor v = 0x010203;
    for (auto f : fields) src.*f = v += 0x010101;   // every colour its own
    TExtStringGrid other(Form);
    other.ControlLook()->Assign(&src);
    for (auto f : fields) EXPECT_EQ(other.ControlLook()->*f, src.*f);
}

// ---------------------------------------------------------------- check-box columns

#include "tests/common/colgrid_fixture.h"

TEST_F(ColGridTest, AReadOnlyCheckBoxColumnLooksDisabledUnlessTheLookKeepsItActive)
{
    LoadAsForm(Grid, 6, 8);
    for (int c = 0; c < 6; ++c) Grid->Columns()->Items(c)->SetWidth(80);
    Grid->SetCellEx(1, 2, "Y");
    Grid->SetCol(4);
    Grid->SetRow(6);
    Grid->ControlLook()->ControlStyle = csWinXP;
    Grid->Columns()->Items(1)->SetReadOnly(true);
    const TColor tick = 0x21A121, disabled = 0xBBC8CA;
    struct Case {
        const char* What;
        bool NoDisabledLook, AlwaysActive;
        bool LooksEnabled;
    } cases[] = {
        {"read-only", false, false, false},
        {"no disabled look", true, false, true},
        {"check always active", false, true, true},
    };
    const TRect on = Grid->CellRect(1, 2);
    for (const Case& c : cases) {
        Grid->ControlLook()->NoDisabledCheckRadioLook = c.NoDisabledLook;
        Grid->ControlLook()->CheckAlwaysActive = c.AlwaysActive;
        Grid->Invalidate();
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(Grid, "cellpaint_readonly_check.png", png));
        EXPECT_EQ(Count_Pixels(png, on, tick) > 5, c.LooksEnabled) << c.What;
        EXPECT_EQ(Count_Pixels(png, on, disabled) > 5, !c.LooksEnabled) << c.What;
    }
}

namespace {
// The box of a check-box cell: the extent of what differs from the cell's fill.
struct TInk {
    int Left = -1, Right = -1, Top = -1, Bottom = -1;
};
TInk InkOf(TBitmap& png, const TRect& cell)
{
    TInk k;
    const TColor fill = png.Canvas()->Pixels(cell.Left + 2, cell.Bottom - 3);
    for (int y = cell.Top; y < cell.Bottom - 1; ++y)
        for (int x = cell.Left; x < cell.Right - 1; ++x)
            if (png.Canvas()->Pixels(x, y) != fill) {
                if (k.Left < 0 || x < k.Left) k.Left = x;
                if (x > k.Right) k.Right = x;
                if (k.Top < 0) k.Top = y;
                k.Bottom = y;
            }
    return k;
}
}

TEST_F(ColGridTest, CheckBoxesStandWhereTheColumnAndTheCellTextAlignThem)
{
    LoadAsForm(Grid, 6, 8);   // column 1: data check boxes, centred
    for (int c = 0; c < 6; ++c) Grid->Columns()->Items(c)->SetWidth(80);
    for (int r = 1; r < 8; ++r) Grid->SetRowHeights(r, 40);
    Grid->ControlLook()->ControlStyle = csWinXP;
    Grid->SetCellEx(1, 2, "N");
    Grid->SetCol(4);
    Grid->SetRow(6);
    const TRect cell = Grid->CellRect(1, 2);
    const int box = Grid->ControlLook()->CheckSize;
    TVAlignment cellV = vtaTop;
    Grid->OnGetAlignment = [&](TObject*, int ARow, int ACol, TAlignment&, TVAlignment& VAlign) {
        if (ACol == 1 && ARow == 2) VAlign = cellV;
    };
    auto shot = [&] {
        Grid->Invalidate();
        TBitmap png;
        EXPECT_TRUE(SNAPSHOT(Grid, "cellpaint_check_place.png", png));
        return InkOf(png, cell);
    };
    // Left: the gap from the left edge; right: the same gap from the right edge.
    Grid->Columns()->Items(1)->SetAlignment(taLeftJustify);
    const TInk left = shot();
    ASSERT_GE(left.Left, 0);
    EXPECT_LE(left.Right - left.Left + 1, box);
    const int gap = left.Left - cell.Left;
    Grid->Columns()->Items(1)->SetAlignment(taRightJustify);
    const TInk right = shot();
    EXPECT_EQ((cell.Right - 1) - right.Right, gap);
    Grid->Columns()->Items(1)->SetAlignment(taCenter);
    const TInk centre = shot();
    EXPECT_LE(std::abs((centre.Left + centre.Right + 1) - (cell.Left + cell.Right - 1)), 2);

    // Vertically: the box's own top place, unless the cell text aligns otherwise than
    // the grid's VAlignment.
    struct Case {
        const char* What;
        TVAlignment Grid, Cell;
        int Where;   // 0 top (the own place), 1 centre, 2 bottom
    } cases[] = {
        {"text at the top like the grid", vtaTop, vtaTop, 0},
        {"text centred, the grid at the top", vtaTop, vtaCenter, 1},
        {"text at the bottom, the grid at the top", vtaTop, vtaBottom, 2},
        {"text centred like the grid", vtaCenter, vtaCenter, 0},
    };
    for (const Case& c : cases) {
        Grid->SetVAlignment(c.Grid);
        cellV = c.Cell;
        const TInk k = shot();
        const int topGap = k.Top - cell.Top, bottomGap = (cell.Bottom - 1) - k.Bottom;
        // The own place has the same inset as at the left.
        const int expected[] = {topGap == gap, std::abs(topGap - bottomGap) <= 2, bottomGap == gap};
        EXPECT_TRUE(expected[c.Where]) << c.What << ": top " << topGap << ", bottom " << bottomGap;
    }
}

TEST_F(ExtGridTest, CommentMarksAndDataImagesDrawOnlyWhatTheyHave)
{
    Grid->SetColCount(4);
    Grid->SetRowCount(4);
    for (int c = 0; c < 4; ++c) Grid->SetColWidths(c, 90);
    Grid->SetCol(3);
    Grid->SetRow(3);
    Grid->AddComment(1, 1, "note");
    TBitmap png;
    const TRect cc = Grid->CellRect(1, 1);
    const TRect corner(cc.Right - 12, cc.Top, cc.Right, cc.Top + 10);
    ASSERT_TRUE(SNAPSHOT(Grid, "cellpaint_comment.png", png));
    EXPECT_GT(Count_Pixels(png, corner, clRed), 3);
    Grid->ControlLook()->CommentColor = clNone;
    Grid->Invalidate();
    ASSERT_TRUE(SNAPSHOT(Grid, "cellpaint_no_comment.png", png));
    EXPECT_EQ(Count_Pixels(png, corner, Reddish), 0);

    // Two green images; the cell's value plus the graphic's index picks one.
    TImageList images(nullptr);
    TBitmap strip(32, 16);
    strip.Canvas()->Brush()->SetColor(clLime);
    strip.Canvas()->FillRect(TRect(0, 0, 32, 16));
    images.Add(&strip);
    ASSERT_EQ(images.Count(), 2);
    Grid->SetGridImages(&images);
    struct Case {
        const char* Value;
        int Index;
        bool Drawn;
    } cases[] = {{"0", 0, true}, {"1", 0, true}, {"0", 1, true}, {"1", 1, false}, {"2", 0, false}, {"-1", 0, false}};
    for (const Case& c : cases) {
        Grid->SetCellEx(2, 2, c.Value);
        Grid->AddDataImage(2, 2, c.Index, haLeft, vaTop);
        Grid->Invalidate();
        ASSERT_TRUE(SNAPSHOT(Grid, "cellpaint_dataimage.png", png));
        EXPECT_EQ(Count_Pixels(png, Grid->CellRect(2, 2), clLime) > 100, c.Drawn) << c.Value << "+" << c.Index;
    }
    Grid->SetGridImages(nullptr);
}
