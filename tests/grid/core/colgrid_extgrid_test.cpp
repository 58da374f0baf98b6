// The feature grid's dimensions and headers, column sizes, cell access, control look,
// styles and appearance settings, as the column grid inherits them.
#include <memory>

#include "grid/util/GridDrawUtils.h"
#include "tests/common/colgrid_fixture.h"

namespace {
class ColGridBaseTest : public ColGridTest {
protected:
    void Fill(int cols, int rows)
    {
        Grid->SetColCount(cols);
        Grid->SetRowCount(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) Grid->SetCellEx(c, r, IntToStr(c) + Cat(",", IntToStr(r)));
    }
};

// Gives tests the sizing record the mouse code fills.
class TSizingGrid : public TExtColumnGrid {
public:
    using TExtColumnGrid::TExtColumnGrid;
    void UserSized(int col, int oldWidth, int newWidth)
    {
        Colclicked = col;
        Colclickedsize = oldWidth;
        ColSized = true;
        SetColWidths(col, newWidth);
    }
};
}

// ---------------------------------------------------------------- dimensions and headers

TEST_F(ColGridBaseTest, RowCountsAndFixedRowsThatStayFixed)
{
    Grid->SetRowCount(0);
    EXPECT_EQ(Grid->RowCount(), 1);
    EXPECT_EQ(Grid->FixedRows(), 0);
    Grid->FixedRowAlways = true;
    EXPECT_EQ(Grid->FixedRows(), 1);
    // The fixed row asked for comes back once there are rows again.
    Grid->SetRowCount(20);
    EXPECT_EQ(Grid->FixedRows(), 1);
    EXPECT_EQ(Grid->CellRect(0, 0).Height(), Grid->FixedRowHeight());

    Grid->SetRowCount(3);
    Grid->FixedRowAlways = false;
    EXPECT_THROW(Grid->SetFixedRows(3), EInvalidGridOperation);
    EXPECT_EQ(Grid->FixedRows(), 1);
    Grid->FixedRowAlways = true;
    Grid->SetFixedRows(3);
    EXPECT_EQ(Grid->FixedRows(), 2);
    Grid->SetRowCount(10);
    EXPECT_EQ(Grid->FixedRows(), 3);
}

// The display hooks reach every row the row count setter made.
TEST_F(ColGridBaseTest, DisplayHooksReachEveryRowOfTheRowCount)
{
    Fill(3, 4);
    Grid->OnGetDisplText = [](TObject*, int, int, String& v) { v = "<" + v + ">"; };
    Grid->SetRowCount(10);
    Grid->SetCellEx(1, 9, "last");
    EXPECT_EQ(Grid->GetCellEx(1, 9), "<last>");
    EXPECT_EQ(Grid->GetCellEx(1, 0), "<1,0>");
}

TEST_F(ColGridBaseTest, FixedColumnWidthAndFixedRowHeight)
{
    Grid->SetColWidths(0, 40);
    Grid->SetFixedColWidth(64);   // the default width: ignored
    EXPECT_EQ(Grid->ColWidths(0), 40);
    Grid->SetFixedColWidth(50);
    EXPECT_EQ(Grid->ColWidths(0), 50);
    EXPECT_EQ(Grid->FixedColWidth(), 50);
    Grid->SetRowHeights(3, 30);
    Grid->SetFixedRowHeight(Grid->DefaultRowHeight());
    EXPECT_EQ(Grid->RowHeights(3), Grid->DefaultRowHeight());
    Grid->SetFixedRowHeight(28);
    EXPECT_EQ(Grid->RowHeights(0), 28);
    EXPECT_EQ(Grid->RowHeights(3), Grid->DefaultRowHeight());
}

TEST_F(ColGridBaseTest, ColumnAndRowHeaderLists)
{
    TExtStringGrid g(Form);
    g.SetColCount(4);
    TStringList h;
    for (const char* s : {"N", "Enable", "Certificate", "Mnemonic", "Fifth"}) h.Add(s);
    g.SetColumnHeaders(&h);
    EXPECT_EQ(g.GetCellEx(0, 0) + g.GetCellEx(1, 0) + g.GetCellEx(2, 0) + g.GetCellEx(3, 0),
              "NEnableCertificateMnemonic");
    EXPECT_EQ(g.ColumnByHeader("Enable"), 1);
    EXPECT_EQ(g.ColumnByHeader("enable"), -1);
    h.SetStrings(2, "a\\nb");
    g.SetColumnHeaders(&h);
    EXPECT_EQ(g.GetCellEx(2, 0), "a\rb");
    // Without fixed columns the row headers change no cell.
    g.SetFixedCols(0);
    g.SetCellEx(0, 3, "keep");
    TStringList rows;
    for (const char* s : {"r0", "r1", "r2", "r3"}) rows.Add(s);
    g.SetRowHeaders(&rows);
    EXPECT_EQ(g.GetCellEx(0, 3), "keep");
}

TEST_F(ColGridBaseTest, ASynchronisedGridFollowsTheCurrentColumnAndWordWrapWaitsForTheLock)
{
    TExtStringGrid other(Form);
    other.SetColCount(8);
    Grid->SetColCount(8);
    Grid->SyncGrid()->SetGrid(&other);
    Grid->SyncGrid()->SelectionColumn = true;
    Grid->SetCol(5);
    EXPECT_EQ(other.Col(), 5);

    Grid->BeginUpdate();
    Grid->SetWordWrap(false);
    EXPECT_FALSE(Grid->WordWrap());
    Grid->EndUpdate();
}

// ---------------------------------------------------------------- column sizes

TEST_F(ColGridBaseTest, TheStretchedColumnTakesWhatIsLeftOfTheClientWidth)
{
    Grid->SetColCount(5);
    for (int c = 0; c < 4; ++c) Grid->SetColWidths(c, 75);
    Grid->ColumnSize()->StretchColumn = -1;
    Grid->ColumnSize()->SetStretch(true);
    Grid->ApplyColumnStretch(-1);
    EXPECT_EQ(Grid->ColWidths(4), Grid->ClientRect().Width() - 300 - 1);
    Grid->ColumnSize()->StretchColumn = 7;
    EXPECT_THROW(Grid->ApplyColumnStretch(7), Exception);
    try {
        Grid->ApplyColumnStretch(7);
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Stretch column index out of range");
    }
}

TEST_F(ColGridBaseTest, SizingOneColumnSizesTheOthersInProportionAndEndsOnce)
{
    auto* g = new TSizingGrid(Form);
    g->SetParent(Form);
    g->SetColCount(5);
    for (int c = 0; c < 5; ++c) g->SetColWidths(c, 50);
    g->MouseActions()->AllColumnSize = true;
    std::vector<int> ended;
    g->OnEndColumnSize = [&](TObject*, int c) { ended.push_back(c); };
    g->UserSized(2, 50, 100);
    EXPECT_EQ(g->ColWidths(0), 50);   // fixed column
    for (int c : {1, 3, 4}) EXPECT_EQ(g->ColWidths(c), 100);
    EXPECT_EQ(ended, std::vector<int>{2});
    // A column that had no width when sizing began sizes nothing in proportion.
    ended.clear();
    g->UserSized(3, 0, 70);
    EXPECT_EQ(g->ColWidths(4), 100);
    EXPECT_EQ(ended, std::vector<int>{3});
}

TEST_F(ColGridBaseTest, SizingBordersLieWithinThreePixels)
{
    Grid->SetOptions(Grid->Options() << goColSizing);
    const TRect h = Grid->CellRect(2, 0);
    EXPECT_TRUE(Grid->IsOnSizingBorder(h.Right - 3, h.Top + 5));
    EXPECT_FALSE(Grid->IsOnSizingBorder(h.Right - 4, h.Top + 5));
    const TRect b = Grid->CellRect(2, 4);
    EXPECT_FALSE(Grid->IsOnSizingBorder(b.Right - 2, b.Top + 5));
}

// ---------------------------------------------------------------- cell access

TEST_F(ColGridBaseTest, CellsOfHiddenRowsByRealRow)
{
    Fill(4, 8);
    Grid->HideRow(3);
    EXPECT_EQ(Grid->GetCellsEx(1, 3), "1,3");
    EXPECT_EQ(Grid->GetCellsEx(1, 4), "1,4");
    EXPECT_EQ(Grid->GetCellEx(1, 3), "1,4");
    EXPECT_EQ(Grid->GetCellsEx(-1, 4), "");
    Grid->SetCellsEx(9, 3, "x");
    EXPECT_EQ(Grid->GetGridCellsEx(9, 3), "x");
    EXPECT_EQ(Grid->GetGridCellsEx(7, 3), "");
    Grid->UnHideRow(3);
    EXPECT_EQ(Grid->GetCellEx(1, 3), "1,3");
}

TEST_F(ColGridBaseTest, ColumnPositionsFollowMovesAndTheOrderCanBeReset)
{
    Fill(6, 4);
    Grid->Loaded();   // records the order
    EXPECT_EQ(Grid->ColumnPosition(1), 1);
    Grid->MoveColumn(1, 3);
    EXPECT_EQ(Grid->ColumnPosition(1), 3);
    EXPECT_EQ(Grid->ColumnAtPosition(3), 1);
    Grid->HideColumn(4);
    Grid->ResetColumnOrder();
    EXPECT_EQ(Grid->NumHiddenColumns(), 0);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(Grid->GetCellEx(c, 1), Cat(IntToStr(c), ",1"));
}

TEST_F(ColGridBaseTest, CellAppearanceReadersCreateNothingAndRowColoursClearAgain)
{
    Fill(5, 8);
    EXPECT_EQ(Grid->GetColors(2, 5), clNone);
    EXPECT_FALSE(Grid->HasCellObject(2, 5));
    Grid->GetWordWraps(2, 5);
    EXPECT_TRUE(Grid->HasCellObject(2, 5));
    const struct {
        int col;
        bool keepsRecord;
    } cases[] = {{1, false}, {2, false}, {3, true}};
    Grid->AddComment(3, 5, "note");
    Grid->SetRowColor(5, clRed);
    EXPECT_EQ(Grid->GetColors(4, 5), clRed);
    Grid->SetRowColor(5, clNone);
    for (const auto& c : cases) {
        EXPECT_EQ(Grid->HasCellObject(c.col, 5), c.keepsRecord) << c.col;
        EXPECT_EQ(Grid->GetColors(c.col, 5), clNone);
    }
    // Clearing the gradient colour keeps a cell's object too.
    Grid->SetRowColorTo(5, clNone);
    String note;
    EXPECT_TRUE(Grid->IsComment(3, 5, note));
    EXPECT_EQ(note, "note");
}

TEST_F(ColGridBaseTest, SelectionListenersAndControlsInCells)
{
    Fill(5, 8);
    Grid->SetSelection(TGridRect(3, 4, 1, 2));
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 2, 3, 4));
    TObject a, b;
    Grid->RegisterSelListener(&a);
    Grid->RegisterSelListener(&b);
    EXPECT_EQ(Grid->SelListener(), &b);
    Grid->UnRegisterSelListener(&a);
    EXPECT_EQ(Grid->SelListener(), nullptr);
    auto* panel = new TPanel(Form);
    Grid->SetCellControls(2, 3, panel);
    const TRect r = Grid->CellRect(2, 3);
    EXPECT_EQ(panel->BoundsRect(), TRect(r.Left - 1, r.Top - 1, r.Right, r.Bottom));
    EXPECT_EQ(Grid->GetCellControls(2, 3), panel);
    Grid->SetCellControls(2, 3, nullptr);
    EXPECT_EQ(Grid->GetCellControls(2, 3), nullptr);
}

// ---------------------------------------------------------------- control look

TEST_F(ColGridBaseTest, ControlLookGradientsReachTheGridOnlyWhenSet)
{
    TControlLook& cl = *Grid->ControlLook();
    const TColor from = Grid->WYXGradientFrom;
    cl.SetFixedGradientFrom(clNone);
    EXPECT_EQ(Grid->WYXGradientFrom, from);
    cl.SetFixedGradientFrom(clRed);
    EXPECT_EQ(Grid->WYXGradientFrom, clRed);
    Grid->SetWYXGradientMirrorFrom(clBlue);
    cl.SetFixedGradientMirrorFrom(clNone);
    EXPECT_EQ(Grid->WYXGradientMirrorFrom, clNone);
    cl.Init();
    EXPECT_EQ(cl.FixedGradientHoverFrom, clGray);
    EXPECT_EQ(cl.FixedGradientHoverTo, clWhite);
    EXPECT_EQ(cl.FixedGradientDownFrom, clGray);
    EXPECT_EQ(cl.FixedGradientDownTo, clSilver);
    // Copied to another grid: equal gradients.
    cl.SetFixedGradientTo(clYellow);
    TExtColumnGrid other(Form);
    other.ControlLook()->Assign(&cl);
    EXPECT_EQ(other.ControlLook()->FixedGradientFrom, cl.FixedGradientFrom);
    EXPECT_EQ(other.ControlLook()->FixedGradientTo, clYellow);
}

TEST_F(ColGridBaseTest, AGlyphStyleWithoutGlyphsDrawsNoBox)
{
    TBitmap a(40, 30), b(40, 30);
    for (TBitmap* x : {&a, &b}) {
        x->Canvas()->Brush()->SetColor(clWhite);
        x->Canvas()->FillRect(TRect(0, 0, 40, 30));
    }
    Grid->DrawCheck(a.Canvas(), TRect(2, 2, 20, 20), true, cbUnchecked, false, csGlyph, false, true);
    Grid->DrawCheck(b.Canvas(), TRect(2, 2, 20, 20), false, cbUnchecked, false, csGlyph, false, true);
    int marked = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) marked += (a.Canvas()->Pixels(x, y) != clWhite) + (b.Canvas()->Pixels(x, y) != clWhite);
    EXPECT_EQ(marked, 0);
}

// ---------------------------------------------------------------- styles and settings

TEST_F(ColGridBaseTest, StylesSetTheirColours)
{
    Grid->SetLook(glSoft);
    Grid->SelectionColor = clRed;
    Grid->SetStyle(gsCustom);
    EXPECT_EQ(Grid->Look(), glSoft);
    EXPECT_EQ(Grid->SelectionColor, clHighlight);
    EXPECT_EQ(Grid->SelectionTextColor, clHighlightText);

    Grid->SetStyle(gsWhidbey);
    EXPECT_EQ(Grid->Look(), glSoft);
    EXPECT_EQ(Grid->WYXGradientFrom, clWhite);

    Grid->SetStyle(gsWindows7);
    EXPECT_EQ(Grid->Look(), glWin7);
    EXPECT_EQ(Grid->FWYXGradHoverFrom, 0xFEFBF8);
    EXPECT_EQ(Grid->FWYXGradHoverBorder, 0xEEE8E3);
    EXPECT_EQ(Grid->SelectionStyle(), ssWin7);
    EXPECT_EQ(Grid->GridLineColor(), 0xECECF0);

    Grid->SetStyle(gsOffice2003Blue);
    EXPECT_EQ(Grid->ControlLook()->FixedGradientFrom, 0xFCE1CB);
    EXPECT_EQ(Grid->WYXGradientTo, 0xE0A57D);
    EXPECT_EQ(Grid->SelectionColorTo, 0x1595EE);
    EXPECT_EQ(Grid->SearchFooter()->Color(), 0xFCE1CB);

    Grid->SetScrollType(ssMetro);
    Grid->SetComponentStyle(tsCustom);
    EXPECT_EQ(Grid->ScrollType(), ssMetro);
    Grid->SetComponentStyle(tsOffice2010Blue);
    EXPECT_EQ(Grid->ScrollType(), ssNormal);
    EXPECT_EQ(Grid->WYXGradientMirrorTo, 0xF5E7DA);
}

TEST_F(ColGridBaseTest, ColourTonesGiveTheFlatLook)
{
    TColorTones t;
    t.Background = {clWhite, clSilver, clBlack};
    t.Foreground = {0x404040, clGray, clWhite};
    t.Selected = {0xCC8844, clNone, clWhite};
    Grid->SetColorTones(t);
    t.Foreground.BrushColor = 0x505050;
    Grid->SetColorTones(t);
    EXPECT_EQ(Grid->Look(), glClassic);
    EXPECT_TRUE(Grid->Flat());
    EXPECT_EQ(Grid->FixedColor(), 0x505050);
    EXPECT_EQ(Grid->GridFixedLineColor(), ShadeColor(0x505050, -20));
    EXPECT_EQ(Grid->ControlLook()->ControlStyle, csGlyph);
    EXPECT_FALSE(Grid->ControlLook()->CheckedGlyph()->Empty());
}

TEST_F(ColGridBaseTest, AppearanceSettersKeepTheirRanges)
{
    const struct {
        int in, stored;
    } factors[] = {{150, 100}, {-5, 0}, {40, 40}};
    for (const auto& f : factors) {
        Grid->SetSelectionColorMixerFactor(f.in);
        EXPECT_EQ(Grid->SelectionColorMixerFactor, f.stored);
    }
    const struct {
        TColor a, b;
        int pct;
        TColor out;
    } blends[] = {{clRed, clBlue, 100, clRed}, {clRed, clBlue, 0, clBlue}, {clNone, clBlue, 50, clBlue},
                  {clRed, clNone, 50, clRed}, {clWhite, clBlack, 50, RGB(128, 128, 128)}};
    for (const auto& b : blends) EXPECT_EQ(BlendColor(b.a, b.b, b.pct), b.out);
    Grid->SetSpreadSheet(false);
    EXPECT_TRUE(Grid->SelectionRectangle);
    EXPECT_TRUE(Grid->SelectionResizer);
    EXPECT_TRUE(Grid->Options().Contains(goRangeSelect));
    EXPECT_TRUE(Grid->Options().Contains(goEditing));
}

// ---------------------------------------------------------------- graphic sizes

TEST_F(ColGridBaseTest, GraphicSizesBesideAndWithoutText)
{
    Fill(5, 8);
    TBitmap bmp(12, 9);
    Grid->AddBitmap(2, 3, &bmp, false, haBeforeText, vaTop);
    EXPECT_EQ(Grid->GetCellGraphicSize(2, 3), TPoint(12, 0));
    Grid->SetCellEx(2, 4, "");
    Grid->AddBitmap(2, 4, &bmp, false, haLeft, vaTop);
    EXPECT_EQ(Grid->GetCellGraphicSize(2, 4), TPoint(12, 9));
    // A vertical radio group: a row of at least 16 pixels per item.
    auto* items = Grid->CreateRadio(3, 3, 0, 0);
    for (const char* s : {"a", "b", "c"}) items->Add(s);
    EXPECT_EQ(Grid->GetCellGraphicSize(3, 3).Y, 3 * std::max(16, Grid->Canvas()->TextHeight("gh")));
    // The shared check-box object outlives its removal.
    LoadAsForm(Grid, 5, 8);
    TCellGraphic* shared = Grid->GetCellGraphic(1, 3);
    ASSERT_NE(shared, nullptr);
    EXPECT_FALSE(Grid->RemoveCellGraphic(1, 3));
    EXPECT_EQ(Grid->GetCellGraphic(1, 3), shared);
    EXPECT_EQ(shared->CellType, ctVirtCheckBox);
}

TEST_F(ColGridBaseTest, CellTextIsMeasuredAsPainted)
{
    Fill(4, 5);
    Grid->SetCellEx(2, 2, "W");
    Grid->SetCellEx(2, 3, "WWWWWW");
    const TPoint one = Grid->GetCellTextSize(2, 2, false, false);
    const TPoint six = Grid->GetCellTextSize(2, 3, false, false);
    EXPECT_GT(one.X, 0);
    EXPECT_GT(six.X, 4 * one.X);
    EXPECT_EQ(one.Y, six.Y);
    // Line breaks count only with multi-line cells; wrapped into the cell's width a long
    // text is taller than one line.
    Grid->SetCellEx(2, 4, "a\r\nb");
    EXPECT_EQ(Grid->GetCellTextSize(2, 4, false, false).Y, one.Y);
    Grid->Multilinecells = true;
    EXPECT_EQ(Grid->GetCellTextSize(2, 4, false, false).Y, 2 * one.Y);
    Grid->SetCellEx(2, 4, "a long text that cannot fit into one line of this narrow column");
    EXPECT_GT(Grid->GetCellTextSize(2, 4, true, false).Y, one.Y);
}
