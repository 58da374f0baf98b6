// What the column grid paints, probed pixel by pixel: the header gradient of the XP
// look, header, fixed and body fonts, check-box columns in their control styles, the
// selection and the focus rectangle, grid lines, column and cell colours and
// alignments; a picture of the KNX table; the update lock around painting.
#include <algorithm>
#include <functional>

#include "grid/util/GridDrawUtils.h"
#include "tests/common/colgrid_fixture.h"
#include "tests/common/Snapshot.h"

namespace {

class ColGridPaintTest : public ColGridTest {
protected:
    void SetUp() override
    {
        ColGridTest::SetUp();
        LoadAsForm(Grid, 6, 8);
        for (int c = 0; c < 6; ++c) Grid->Columns()->Items(c)->SetWidth(80);
    }
    // The grid as the screen shows it.
    void Shot(TBitmap& png, const String& name) { ASSERT_TRUE(SNAPSHOT(Grid, name, png)); }
    static int Brightness(TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }
    // Text is drawn smoothed: its pixels count by their leading channel.
    static bool Reddish(TColor c) { return GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100; }
    static bool Bluish(TColor c) { return GetBValue(c) > 150 && GetRValue(c) < 100 && GetGValue(c) < 100; }
    static bool Greenish(TColor c) { return GetGValue(c) > 150 && GetRValue(c) < 100 && GetBValue(c) < 100; }
    static bool Dark(TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 300; }
    // Pixels that differ between the same-sized cells a and b of two pictures.
    static int Differ(TBitmap& p, const TRect& a, TBitmap& q, const TRect& b)
    {
        int n = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                n += p.Canvas()->Pixels(a.Left + x, a.Top + y) != q.Canvas()->Pixels(b.Left + x, b.Top + y);
        return n;
    }
};

}  // namespace

TEST_F(ColGridPaintTest, TheXPLookPaintsHeadersAsAWhiteToButtonFaceGradient)
{
    ASSERT_EQ(Grid->Look(), glXP);
    TBitmap png;
    Shot(png, "colgrid_header.png");
    const TRect h = Grid->CellRect(4, 0);
    // A column without text to probe the face alone.
    Grid->Columns()->Items(4)->SetHeader("");
    Shot(png, "colgrid_header.png");
    const TColor top = png.Canvas()->Pixels(h.Left + 10, h.Top + 2);
    const TColor low = png.Canvas()->Pixels(h.Left + 10, h.Bottom - 4);
    EXPECT_GT(Brightness(top), Brightness(low));
    EXPECT_GE(Brightness(top), 3 * 250);
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_LE(std::abs(Brightness(low) - Brightness(face)), 12);
    // White edges at the top and left, a half-bright line above the grid line.
    EXPECT_EQ(png.Canvas()->Pixels(h.Left + 10, h.Top + 1), clWhite);
    EXPECT_EQ(png.Canvas()->Pixels(h.Left + 1, h.Top + 8), clWhite);
    EXPECT_EQ(png.Canvas()->Pixels(h.Left + 10, h.Bottom - 2), DarkenColor(face));
    EXPECT_EQ(png.Canvas()->Pixels(h.Left + 10, h.Bottom - 1), Grid->GridFixedLineColor());
    // The same look in the row-number column.
    const TRect n = Grid->CellRect(0, 3);
    EXPECT_GT(Brightness(png.Canvas()->Pixels(n.Left + 30, n.Top + 2)),
              Brightness(png.Canvas()->Pixels(n.Left + 30, n.Bottom - 4)));
}

TEST_F(ColGridPaintTest, HeadersFixedCellsAndBodyCellsUseTheirFonts)
{
    Grid->Columns()->Items(3)->HeaderFont()->SetColor(clRed);
    Grid->Columns()->Items(3)->Font()->SetColor(clBlue);
    Grid->FixedFont()->SetColor(clLime);
    Grid->Columns()->Items(3)->SetHeader("WWWWW");
    Grid->SetCellEx(3, 2, "WWWWW");
    Grid->SetCellEx(0, 2, "8888");
    Grid->SetCol(5);
    Grid->SetRow(6);
    TBitmap png;
    Shot(png, "colgrid_fonts.png");
    const TRect h = Grid->CellRect(3, 0), b = Grid->CellRect(3, 2), f = Grid->CellRect(0, 2);
    EXPECT_GT(Count_Pixels(png, h, Reddish), 10);
    EXPECT_EQ(Count_Pixels(png, h, Bluish), 0);
    EXPECT_GT(Count_Pixels(png, b, Bluish), 10);
    EXPECT_EQ(Count_Pixels(png, b, Reddish), 0);
    EXPECT_GT(Count_Pixels(png, f, Greenish), 10);
    // Fixed cells draw in the fixed font: bold until it is made regular.
    TBitmap regular;
    Grid->FixedFont()->SetStyle(TFontStyles());
    Shot(regular, "colgrid_fonts_regular.png");
    EXPECT_GT(Differ(png, f, regular, f), 20);
    EXPECT_EQ(Differ(png, b, regular, b), 0);
}

TEST_F(ColGridPaintTest, CheckBoxColumnsShowCheckedAndUncheckedBoxesInEveryStyle)
{
    Grid->SetCellEx(1, 2, "Y");
    Grid->SetCellEx(1, 3, "N");
    Grid->SetCellEx(1, 4, "Y");
    Grid->SetCol(4);
    Grid->SetRow(6);
    const TRect on = Grid->CellRect(1, 2), off = Grid->CellRect(1, 3), on2 = Grid->CellRect(1, 4);
    for (TControlStyle style : {csTheme, csWinXP, csWYX, csClassic, csFlat, csRetro}) {
        Grid->ControlLook()->ControlStyle = style;
        TBitmap png;
        Shot(png, "colgrid_checks.png");
        EXPECT_GT(Differ(png, on, png, off), 5) << int(style);
        EXPECT_EQ(Differ(png, on, png, on2), 0) << int(style);
    }
    // The XP pictures: a green tick on the checked box, none on the unchecked one; a
    // read-only column shows the disabled pictures.
    Grid->ControlLook()->ControlStyle = csWinXP;
    TBitmap png;
    Shot(png, "colgrid_checks_xp.png");
    const TColor tick = 0x21A121;
    EXPECT_GT(Count_Pixels(png, on, tick), 5);
    EXPECT_EQ(Count_Pixels(png, off, tick), 0);
    Grid->Columns()->Items(1)->SetReadOnly(true);
    Shot(png, "colgrid_checks_xp_disabled.png");
    EXPECT_EQ(Count_Pixels(png, on, tick), 0);
    EXPECT_GT(Count_Pixels(png, on, 0xBBC8CA), 5);
    // The column's alignment places the box: centred.
    int minX = on.Right, maxX = on.Left;
    for (int y = on.Top; y < on.Bottom; ++y)
        for (int x = on.Left; x < on.Right - 1; ++x)
            if (png.Canvas()->Pixels(x, y) == 0xBBC8CA) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
    EXPECT_LE(std::abs((minX + maxX) / 2 - (on.Left + on.Right) / 2), 3);
    // The stored text of a check-box cell is not drawn: a checked box with another
    // text looks the same.
    Grid->Columns()->Items(1)->SetCheckTrue("Yes, enabled");
    Grid->SetCellEx(1, 2, "Yes, enabled");
    TBitmap png2;
    Shot(png2, "colgrid_checks_text.png");
    EXPECT_EQ(Differ(png, on, png2, on), 0);
}

TEST_F(ColGridPaintTest, SelectedCellsAndTheFocusedCell)
{
    Grid->SetColors(3, 3, clRed);
    Grid->SetSelection(TGridRect(2, 2, 3, 4));
    Grid->SetFocus();
    TBitmap png;
    Shot(png, "colgrid_selection.png");
    const TRect plain = Grid->CellRect(2, 3), own = Grid->CellRect(3, 3), cur = Grid->CellRect(3, 4);
    EXPECT_EQ(png.Canvas()->Pixels(plain.Left + 5, plain.Top + 5), 0xEACAB6);
    // Without the mixer a cell's own colour gives way to the selection colour.
    EXPECT_EQ(png.Canvas()->Pixels(own.Left + 5, own.Top + 5), 0xEACAB6);
    EXPECT_EQ(png.Canvas()->Pixels(Grid->CellRect(4, 3).Left + 5, plain.Top + 5), ColorToRGB(clWindow));
    // The focused current cell has a dotted frame the other selected cells lack.
    const int frameCur = Count_Pixels(png, TRect(cur.Left, cur.Top, cur.Right, cur.Top + 2), [](TColor c) { return c != 0xEACAB6; });
    const int framePlain =
        Count_Pixels(png, TRect(plain.Left, plain.Top, plain.Right, plain.Top + 2), [](TColor c) { return c != 0xEACAB6; });
    EXPECT_GT(frameCur, framePlain + 10);
    // With the mixer: the blend of both colours.
    Grid->SelectionColorMixer = true;
    Shot(png, "colgrid_selection_mixed.png");
    EXPECT_EQ(png.Canvas()->Pixels(own.Left + 5, own.Top + 5), BlendColor(0xEACAB6, clRed, 50));
    EXPECT_EQ(png.Canvas()->Pixels(plain.Left + 5, plain.Top + 5), 0xEACAB6);
}

TEST_F(ColGridPaintTest, GridLinesTakeTheirColours)
{
    Grid->SetGridLineColor(clRed);
    Grid->SetGridFixedLineColor(clBlue);
    Grid->SetCol(5);
    Grid->SetRow(7);
    TBitmap png;
    Shot(png, "colgrid_lines.png");
    const TRect b = Grid->CellRect(2, 3), f = Grid->CellRect(2, 0);
    EXPECT_EQ(png.Canvas()->Pixels(b.Right - 1, b.Top + 5), clRed);
    EXPECT_EQ(png.Canvas()->Pixels(b.Left + 5, b.Bottom - 1), clRed);
    EXPECT_EQ(png.Canvas()->Pixels(f.Right - 1, f.Top + 5), clBlue);
    EXPECT_EQ(png.Canvas()->Pixels(f.Left + 5, f.Bottom - 1), clBlue);
}

TEST_F(ColGridPaintTest, ColumnAndCellColoursAndAlignments)
{
    Grid->Columns()->Items(3)->SetColor(clYellow);
    Grid->Columns()->Items(3)->SetAlignment(taRightJustify);
    Grid->Columns()->Items(3)->Font()->SetColor(clBlack);
    for (int r = 1; r < 8; ++r) Grid->SetCellEx(3, r, "WW");
    Grid->SetColors(3, 4, clAqua);
    Grid->SetAlignments(3, 5, taLeftJustify);
    EXPECT_EQ(Grid->GetColors(3, 4), clAqua);
    EXPECT_EQ(Grid->GetColors(3, 6), clNone);
    EXPECT_EQ(Grid->GetAlignments(3, 5), taLeftJustify);
    Grid->SetCol(5);
    Grid->SetRow(7);
    TBitmap png;
    Shot(png, "colgrid_colours.png");
    const TRect r2 = Grid->CellRect(3, 2), r4 = Grid->CellRect(3, 4), r5 = Grid->CellRect(3, 5);
    EXPECT_EQ(png.Canvas()->Pixels(r2.Left + 3, r2.Top + 3), clYellow);
    EXPECT_EQ(png.Canvas()->Pixels(r4.Left + 3, r4.Top + 3), clAqua);
    // Text right-aligned in the column, left-aligned in the cell that says so.
    const auto ink = [&](const TRect& r, bool leftHalf) {
        const int mid = (r.Left + r.Right) / 2;
        return Count_Pixels(png, TRect(leftHalf ? r.Left : mid, r.Top, leftHalf ? mid : r.Right - 1, r.Bottom - 1), Dark);
    };
    EXPECT_GT(ink(r2, false), 5);
    EXPECT_EQ(ink(r2, true), 0);
    EXPECT_GT(ink(r5, true), 5);
    EXPECT_EQ(ink(r5, false), 0);
    // A row colour; clNone takes it away again.
    Grid->SetRowColor(6, clFuchsia);
    Shot(png, "colgrid_colours.png");
    EXPECT_EQ(png.Canvas()->Pixels(Grid->CellRect(2, 6).Left + 3, Grid->CellRect(2, 6).Top + 3), clFuchsia);
    Grid->SetRowColor(6, clNone);
    EXPECT_EQ(Grid->GetColors(2, 6), clNone);
}

TEST_F(ColGridPaintTest, BandsAndProgressOverEmptyRangesPaintWithoutDividingByZero)
{
    Grid->Bands()->SetActive(true);
    Grid->Bands()->SetPrimaryLength(0);
    Grid->Bands()->SetSecondaryLength(0);
    Grid->SetCellEx(2, 3, "5");
    Grid->AddExtProgress(2, 3, 10, 10);
    Grid->SetCellEx(3, 3, "5");
    Grid->AddProgressFormatted(3, 3, clGreen, clBlack, clWhite, clBlack, "", 0, 0);
    TBitmap png;
    Shot(png, "colgrid_empty_ranges.png");
    EXPECT_EQ(png.Width(), Grid->Width());
}

TEST_F(ColGridPaintTest, TheKnxTableAsItsEditorShowsIt)
{
    auto* knx = new TExtColumnGrid(Form);
    knx->SetParent(Form);
    knx->SetBounds(0, 0, 800, 400);
    Grid->SetVisible(false);
    KnxTable(knx, 1024);
    knx->ControlLook()->ControlStyle = csWinXP;
    knx->SetTopRow(500);
    const String path = Cat(TEST_OUTPUT_DIR, "/colgrid_knx_table.png");
    ASSERT_TRUE(SaveControlToPng(knx, path));
    TBitmap png;
    png.LoadFromFile(path);
    // Row 502 holds "Y", row 501 "N" (every third row is off).
    const TRect y = knx->CellRect(1, 502), n = knx->CellRect(1, 501);
    EXPECT_GT(Count_Pixels(png, y, 0x21A121), 5);
    EXPECT_EQ(Count_Pixels(png, n, 0x21A121), 0);
    EXPECT_EQ(knx->GetCellEx(0, 501), "501");
}

// ---------------------------------------------------------------- update lock

namespace {
class TLockGrid : public TExtColumnGrid {
public:
    using TExtColumnGrid::TExtColumnGrid;
    int Contents = 0;
    void DrawCellContent(TCanvas* c, int col, int row, TRect r, TGridDrawState s) override
    {
        ++Contents;
        TExtColumnGrid::DrawCellContent(c, col, row, r, s);
    }
};
}

TEST(ColGridLockTest, TheLockNestsAndEndsAlsoWhenTheGridWasHidden)
{
    Application->Initialize();
    TForm form(nullptr);
    auto* g = new TLockGrid(&form);
    g->SetParent(&form);
    form.Show();
    g->BeginUpdate();
    g->BeginUpdate();
    EXPECT_TRUE(g->LockUpdate());
    g->EndUpdate();
    EXPECT_TRUE(g->LockUpdate());
    // Hidden before the locks are released: they still end.
    g->SetVisible(false);
    g->EndUpdate();
    EXPECT_FALSE(g->LockUpdate());
    g->SetVisible(true);
    g->Contents = 0;
    TBitmap png;
    ASSERT_TRUE(SaveControlToPng(g, Cat(TEST_OUTPUT_DIR, "/colgrid_after_lock.png")));
    EXPECT_GT(g->Contents, 0);
    // A lock asked for while the grid is hidden is no lock at all.
    g->SetVisible(false);
    g->BeginUpdate();
    EXPECT_FALSE(g->LockUpdate());
    g->EndUpdate();
    EXPECT_FALSE(g->LockUpdate());
}

TEST(ColGridLockTest, ALockedGridAnswersPaintRequestsWithoutPainting)
{
    Application->Initialize();
    TForm form(nullptr);
    auto* g = new TLockGrid(&form);
    g->SetParent(&form);
    form.Show();
    g->SetLockUpdate(true);
    g->Contents = 0;
    const int skipped = g->SkippedPaints();
    ASSERT_TRUE(SaveControlToPng(g, Cat(TEST_OUTPUT_DIR, "/colgrid_locked.png")));
    EXPECT_EQ(g->Contents, 0);
    EXPECT_GT(g->SkippedPaints(), skipped);
    // The requests were answered: once what was pending is through, waiting for more
    // messages brings no new paint request.
    Application->ProcessMessages();
    const int answered = g->SkippedPaints();
    for (int i = 0; i < 5; ++i) Application->ProcessMessages();
    EXPECT_EQ(g->SkippedPaints(), answered);
    g->SetLockUpdate(false);
    ASSERT_TRUE(SaveControlToPng(g, Cat(TEST_OUTPUT_DIR, "/colgrid_unlocked.png")));
    EXPECT_GT(g->Contents, 0);
    EXPECT_EQ(g->SkippedPaints(), answered);
}
