// What the grid paints, where, and how little it repaints.
#include <algorithm>
#include <functional>

#include "grid_fixture.h"

namespace {
bool Inside(const TRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }
}

TEST_F(GridTest, PngOfALargeGridScrolledToTheMiddleWithTheEditorOpen)
{
    Grid->SetBounds(0, 0, 700, 400);
    Form->SetClientWidth(700);
    Form->SetClientHeight(400);
    Grid->SetColCount(20);
    Grid->SetRowCount(1000);
    for (int r = 0; r < 1000; ++r)
        for (int c = 0; c < 20; ++c) Grid->SetCells(c, r, IntToStr(c) + "," + IntToStr(r));
    Grid->SetOptions(Grid->Options() << goEditing);
    Grid->SetCol(3);
    Grid->SetRow(505);
    Grid->SetTopRow(500);
    UserFocus(Grid);
    UserKey(Grid, VK_RETURN);
    ASSERT_TRUE(EditorShown());
    const TRect cell = Grid->CellRect(3, 505);
    EXPECT_EQ(Editor()->BoundsRect(), cell);
    EXPECT_EQ(Grid->CellRect(3, 500).Top, 25);   // the first scrolled row under the fixed one

    const String path = String(TEST_OUTPUT_DIR) + "/grid_20x1000_editor.png";
    ASSERT_TRUE(SaveControlToPng(Grid, path));
    TBitmap png;
    png.LoadFromFile(path);
    ASSERT_EQ(png.Width(), 700);
    ASSERT_EQ(png.Height(), 400);
    TCanvas* c = png.Canvas();
    auto at = [&](int x, int y) { return c->Pixels(x, y); };

    // Grid lines right of and below the edited cell, a plain neighbour beyond.
    EXPECT_EQ(at(cell.Right, cell.Top + 2), clSilver);
    EXPECT_EQ(at(cell.Left + 2, cell.Bottom), clSilver);
    EXPECT_EQ(at(cell.Right + 3, cell.Bottom - 3), clWhite);
    EXPECT_EQ(at(cell.Left + 3, cell.Top - 2), clWhite);
    // The editor's selected text: highlight only inside the edited cell.
    const TColor highlight = ColorToRGB(clHighlight);
    int inside = 0, outside = 0;
    for (int y = 0; y < png.Height(); ++y)
        for (int x = 0; x < png.Width(); ++x)
            if (at(x, y) == highlight) ++(Inside(cell, x, y) ? inside : outside);
    EXPECT_GT(inside, 40);
    EXPECT_EQ(outside, 0);
    // The text starts where the cell starts, two pixels in.
    int first = png.Width();
    for (int y = cell.Top; y < cell.Bottom; ++y)
        for (int x = cell.Left; x < cell.Right; ++x)
            if (at(x, y) == highlight) first = std::min(first, x);
    EXPECT_EQ(first, cell.Left + 2);

    // Fixed column and fixed row: face colour, darker lines, a light edge.
    const TRect side = Grid->CellRect(0, 505), head = Grid->CellRect(3, 0);
    EXPECT_EQ(at(side.Right, side.Top + 3), clGray);
    EXPECT_EQ(at(side.Right - 3, side.Bottom - 3), ColorToRGB(clBtnFace));
    EXPECT_EQ(at(head.Right, head.Top + 5), clGray);
    EXPECT_EQ(at(head.Left, head.Top + 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(at(head.Right - 3, head.Bottom - 3), ColorToRGB(clBtnFace));
    // Some dark ink of a cell text where the text of cell (5, 510) is.
    const TRect text = Grid->CellRect(5, 510);
    bool ink = false;
    for (int y = text.Top + 2; y < text.Bottom; ++y)
        for (int x = text.Left + 2; x < text.Left + 20; ++x) ink |= at(x, y) == clBlack;
    EXPECT_TRUE(ink);
    // The vertical thumb sits half-way down its track.
    TGridScrollBar* bar = Grid->ScrollBarControl(SB_VERT);
    const TRect thumb = bar->ThumbRect();
    const int mid = (thumb.Top + thumb.Bottom) / 2;
    EXPECT_NEAR(double(mid) / bar->Height(), 0.5, 0.05);
    EXPECT_EQ(at(bar->Left() + 8, mid), ColorToRGB(clBtnFace));
}

TEST_F(GridTest, SelectionAndFocusArePaintedAsTheToolkitPaintsThem)
{
    Fill(5, 5);
    ClickCell(1, 1);
    ClickCell(2, 2, TShiftState{ssShift});
    TBitmap bmp;
    PaintControlTo(Grid, &bmp);
    auto inner = [&](int c, int r) {
        const TRect rc = Grid->CellRect(c, r);
        return bmp.Canvas()->Pixels(rc.Right - 3, rc.Bottom - 3);
    };
    EXPECT_EQ(inner(2, 2), ColorToRGB(clHighlight));
    EXPECT_EQ(inner(2, 1), ColorToRGB(clHighlight));
    EXPECT_EQ(inner(1, 1), clWhite);   // the focused cell keeps its colour
    EXPECT_EQ(inner(3, 3), clWhite);
    Grid->SetOptions(Grid->Options() << goDrawFocusSelected);
    PaintControlTo(Grid, &bmp);
    EXPECT_EQ(inner(1, 1), ColorToRGB(clHighlight));
    // Without default drawing the application paints the cells alone.
    Grid->SetDefaultDrawing(false);
    Grid->OnDrawCell = [&](TObject*, int c, int r, TRect rc, TGridDrawState s) {
        if (c == 3 && r == 3) {
            Grid->Canvas()->Brush()->SetColor(clRed);
            Grid->Canvas()->FillRect(rc);
        }
    };
    PaintControlTo(Grid, &bmp);
    EXPECT_EQ(inner(3, 3), clRed);
    const TRect t = Grid->CellRect(1, 3);
    bool ink = false;
    for (int y = t.Top; y < t.Bottom; ++y)
        for (int x = t.Left; x < t.Right; ++x) ink |= bmp.Canvas()->Pixels(x, y) == clBlack;
    EXPECT_FALSE(ink);
}

TEST_F(GridTest, OnlyTheCellsThatChangedArePaintedAgain)
{
    Fill(8, 40);
    Grid->Repaint();
    Application->ProcessMessages();
    Grid->Drawn.clear();
    Grid->SetCells(2, 2, "changed");
    Application->ProcessMessages();
    EXPECT_EQ(Grid->Drawn, (std::vector<std::pair<int, int>>{{2, 2}}));
    // Moving the current cell repaints the cell left and the cell entered.
    Grid->Drawn.clear();
    Key(VK_DOWN);
    Application->ProcessMessages();
    std::sort(Grid->Drawn.begin(), Grid->Drawn.end());
    EXPECT_EQ(Grid->Drawn, (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}}));
    // A cell out of view is not painted at all.
    Grid->Drawn.clear();
    Grid->SetCells(2, 39, "far");
    Application->ProcessMessages();
    EXPECT_TRUE(Grid->Drawn.empty());
}

// The grid keeps which rows and columns are in view between writes; every change of the
// layout must count, or a written cell stays stale on screen (or one out of view is
// painted for nothing).
TEST_F(GridTest, AWrittenCellIsPaintedAgainExactlyWhileItIsInView)
{
    struct Case {
        const char* Change;
        std::function<void(TLogGrid*)> Apply;
        int Col, Row;
        bool Painted;
    };
    const Case cases[] = {
        {"nothing: a near row", [](TLogGrid*) {}, 2, 3, true},
        {"nothing: a far row", [](TLogGrid*) {}, 2, 30, false},
        {"scrolled down: the far row", [](TLogGrid* g) { g->SetTopRow(25); }, 2, 30, true},
        {"scrolled down: a row above the view", [](TLogGrid* g) { g->SetTopRow(25); }, 2, 3, false},
        {"scrolled down: a fixed row", [](TLogGrid* g) { g->SetTopRow(25); }, 2, 0, true},
        {"a tall row pushes the rest out", [](TLogGrid* g) { g->SetRowHeights(1, 250); }, 2, 8, false},
        {"low rows bring far ones in", [](TLogGrid* g) { g->SetDefaultRowHeight(6); }, 2, 30, true},
        {"a taller grid shows more rows",
         [](TLogGrid* g) {
             g->Parent()->SetClientHeight(920);
             g->SetBounds(0, 0, 400, 900);
         },
         2, 30, true},
        {"a wide column pushes the rest out", [](TLogGrid* g) { g->SetColWidths(1, 390); }, 5, 3, false},
        {"scrolled right: a column left of the view", [](TLogGrid* g) { g->SetLeftCol(6); }, 2, 3, false},
        {"a tall row moved away lets the rest in",
         [](TLogGrid* g) {
             g->SetRowHeights(1, 250);
             g->MoveRow(1, 35);
         },
         2, 8, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Change);
        Grid->SetBounds(0, 0, 400, 300);
        Grid->SetDefaultRowHeight(24);
        Grid->SetDefaultColWidth(64);
        Fill(12, 40);
        Grid->SetTopRow(1);
        Grid->SetLeftCol(1);
        Application->ProcessMessages();
        c.Apply(Grid);
        Grid->Repaint();
        Application->ProcessMessages();
        Grid->Drawn.clear();
        Grid->SetCells(c.Col, c.Row, "written");
        Application->ProcessMessages();
        const bool painted =
            std::find(Grid->Drawn.begin(), Grid->Drawn.end(), std::make_pair(c.Col, c.Row)) != Grid->Drawn.end();
        EXPECT_EQ(painted, c.Painted);
    }
}
