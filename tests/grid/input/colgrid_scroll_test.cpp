// Scroll bars of the column grid: flat looks, proportional thumbs, the row hint and
// scroll synch while the thumb is dragged, columns that follow the grid's width, drag
// scrolling driven tick by tick, and the grid timer's search ageing and hover selection.
#include <gtest/gtest.h>

#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/ExtCtrls.h"
#include "tests/common/UserInput.h"
#include "tests/common/colgrid_fixture.h"

namespace {

// Exposes the grid timer's state that the keyboard code shares with it.
class TTimerGrid : public TExtColumnGrid {
public:
    using TExtColumnGrid::TExtColumnGrid;
    String& SearchText() { return SearchInc; }
    int& SearchAge() { return SearchTics; }
    void Tick() { Perform(WM_TIMER, 111, 0); }
};

class ColGridScrollTest : public ColGridTest {
protected:
    // 100 rows of 22 pixels (23 with the line), one fixed row, ten rows fully visible.
    void TallGrid(int rows = 100)
    {
        Grid->SetDefaultRowHeight(22);
        Grid->SetRowCount(rows);
        Grid->SetColCount(4);
        Grid->SetBounds(0, 0, 400, 1 + 11 * 23);
        ASSERT_EQ(Grid->VisibleRowCount(), 10);
    }
    TGridScrollInfo VertInfo()
    {
        TGridScrollInfo si;
        EXPECT_TRUE(Grid->GetScrollInfo(SB_VERT, si));
        return si;
    }
    // Drags the vertical thumb by dy pixels; the button stays down unless release.
    void DragThumb(int dy, bool release)
    {
        TGridScrollBar* bar = Grid->ScrollBarControl(SB_VERT);
        const TRect t = bar->ThumbRect();
        const int x = (t.Left + t.Right) / 2, y = (t.Top + t.Bottom) / 2;
        UserMouseMove(bar, x, y);
        bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + dy));
        if (release) bar->Perform(WM_LBUTTONUP, 0, MAKELPARAM(x, y + dy));
    }
};

// ---------------------------------------------------------------- proportional thumbs

TEST_F(ColGridScrollTest, ProportionalBarHas128PositionsAndATenthThumbAndFollowsScrolling)
{
    TallGrid();
    const TGridScrollInfo plain = VertInfo();
    EXPECT_EQ(plain.Max, 100 - 10 - 1);
    Grid->SetScrollProportional(true);
    TGridScrollInfo si = VertInfo();
    // Ten of the 99 scrollable rows are visible: 128 thumb positions, a thumb of about
    // a tenth of the track.
    EXPECT_EQ(si.Max - si.Min, 127);
    EXPECT_NEAR(double(si.Page) / (si.Max - si.Min + si.Page), 0.1, 0.01);
    EXPECT_EQ(si.Pos, 0);
    // Scrolling by code moves the proportional thumb (the base grid's own range does
    // not come back): above = 1 + 49 * 23 of 2278 - 254 pixels.
    Grid->SetTopRow(50);
    si = VertInfo();
    EXPECT_EQ(si.Max, 127);
    EXPECT_EQ(si.Pos, int(float(1 + 49 * 23) / float(1 + 99 * 23 - 254) * 128));
    Grid->SetTopRow(Grid->RowCount() - Grid->VisibleRowCount());
    EXPECT_EQ(VertInfo().Pos, 127);
    // A thumb released at position 64 shows the row 64/127 of the way down.
    Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 64), 0);
    EXPECT_EQ(Grid->TopRow(), (64 * 89 + 63) / 127 + 1);
    // Off: the plain bar again.
    Grid->SetScrollProportional(false);
    EXPECT_EQ(VertInfo().Max, plain.Max);
}

TEST_F(ColGridScrollTest, ProportionalBarLeavesAGridWhoseRowsAllFit)
{
    TallGrid();
    Grid->SetRowCount(5);
    const TGridScrollInfo before = VertInfo();
    Grid->SetScrollProportional(true);
    const TGridScrollInfo after = VertInfo();
    EXPECT_EQ(after.Max, before.Max);
    EXPECT_EQ(after.Page, before.Page);
    EXPECT_FALSE(Grid->ScrollBarShown(SB_VERT));
}

// ---------------------------------------------------------------- thumb drags

TEST_F(ColGridScrollTest, DraggingTheThumbShowsTheRowInAHintUntilTheDragEnds)
{
    TallGrid();
    Grid->ScrollHints = shVertical;
    int asked = -1;
    Grid->OnScrollHint = [&](TObject*, int ARow, String& text) { asked = ARow; };
    DragThumb(1000, false);
    // At the end of the track: the last top row, counted with the fixed row.
    ASSERT_TRUE(Grid->ScrollHintShowing());
    EXPECT_TRUE(Grid->ScrollHintWindow()->Visible());
    EXPECT_EQ(Grid->ScrollHintWindow()->Caption(), "Row : 90");
    EXPECT_EQ(asked, 90);
    EXPECT_EQ(Grid->ScrollHintWindow()->Color(), Grid->HintColor);
    // Without scroll synch the grid waits for the release.
    EXPECT_EQ(Grid->TopRow(), 1);
    TGridScrollBar* bar = Grid->ScrollBarControl(SB_VERT);
    const TRect t = bar->ThumbRect();
    bar->Perform(WM_LBUTTONUP, 0, MAKELPARAM((t.Left + t.Right) / 2, t.Bottom));
    EXPECT_FALSE(Grid->ScrollHintShowing());
    EXPECT_FALSE(Grid->ScrollHintWindow()->Visible());
    EXPECT_EQ(Grid->TopRow(), 90);
}

TEST_F(ColGridScrollTest, HintTextComesFromTheEventAndOnlyForTheBarsAsked)
{
    TallGrid();
    Grid->OnScrollHint = [](TObject*, int ARow, String& text) { text = Cat("Rule ", IntToStr(ARow)); };
    Grid->ScrollHints = shHorizontal;
    DragThumb(1000, true);
    EXPECT_FALSE(Grid->ScrollHintWindow()->Visible());
    Grid->ScrollHints = shBoth;
    Grid->SetTopRow(1);
    DragThumb(1000, false);
    EXPECT_EQ(Grid->ScrollHintWindow()->Caption(), "Rule 90");
}

TEST_F(ColGridScrollTest, ScrollSynchFollowsTheThumbWhileItIsDragged)
{
    for (bool proportional : {false, true}) {
        SCOPED_TRACE(proportional);
        TallGrid();
        Grid->SetTopRow(1);
        Grid->SetScrollProportional(proportional);
        Grid->ScrollSynch = true;
        DragThumb(1000, false);
        EXPECT_EQ(Grid->TopRow(), 90);
        TGridScrollBar* bar = Grid->ScrollBarControl(SB_VERT);
        bar->Perform(WM_LBUTTONUP, 0, 0);
        EXPECT_EQ(Grid->TopRow(), 90);
        Grid->ScrollSynch = false;
    }
}

// ---------------------------------------------------------------- looks

TEST_F(ColGridScrollTest, FlatTypesDrawFlatBarsWithTheirColourAndWidthAndNormalGivesThemBack)
{
    TallGrid();
    Grid->SetScrollColor(clYellow);
    Grid->SetScrollWidth(10);
    // Regular bars ignore colour and width.
    EXPECT_EQ(Grid->ScrollBarSize(), TGridScrollBar::Size);
    EXPECT_EQ(Grid->ScrollBarControl(SB_VERT)->TrackColor(), clNone);
    const struct {
        TScrollType type;
        TGridScrollBarStyle style;
    } cases[] = {{ssFlat, sbsFlat}, {ssEncarta, sbsEncarta}};
    for (const auto& c : cases) {
        Grid->SetScrollType(c.type);
        EXPECT_TRUE(Grid->IsFlatScroll());
        for (int bar : {SB_VERT, SB_HORZ}) {
            EXPECT_EQ(Grid->ScrollBarControl(bar)->Style(), c.style);
            EXPECT_EQ(Grid->ScrollBarControl(bar)->TrackColor(), clYellow);
        }
        // The cells get the room the thinner bar leaves.
        EXPECT_EQ(Grid->ScrollBarControl(SB_VERT)->Width(), 10);
        EXPECT_EQ(Grid->ClientRect().Width(), 400 - 10);
    }
    Grid->SetScrollType(ssNormal);
    EXPECT_FALSE(Grid->IsFlatScroll());
    EXPECT_EQ(Grid->ScrollBarControl(SB_VERT)->Style(), sbsNormal);
    EXPECT_EQ(Grid->ClientRect().Width(), 400 - TGridScrollBar::Size);
}

TEST_F(ColGridScrollTest, FlatBarPaintsItsTrackInTheScrollColour)
{
    TallGrid();
    Grid->SetScrollColor(0x0000FF);
    Grid->SetScrollType(ssFlat);
    Grid->SetScrollWidth(12);
    TGridScrollBar* bar = Grid->ScrollBarControl(SB_VERT);
    const String path = Cat(TEST_OUTPUT_DIR, "/colgrid_flat_scrollbar.png");
    ASSERT_TRUE(SaveControlToPng(Grid, path));
    TBitmap png;
    png.LoadFromFile(path);
    // Below the thumb (at the top) and above the lower arrow: the track; the bar is 12
    // pixels wide at the grid's right edge.
    const TRect t = bar->ThumbRect();
    const int y = (t.Bottom + bar->ArrowRect(false).Top) / 2;
    EXPECT_EQ(png.Canvas()->Pixels(400 - 6, y), TColor(0x0000FF));
    EXPECT_NE(png.Canvas()->Pixels(400 - 14, y), TColor(0x0000FF));
}

// ---------------------------------------------------------------- width synch

TEST_F(ColGridScrollTest, ColumnsKeepTheirShareOfTheGridsWidth)
{
    const struct {
        bool normalOnly;
        int col0;
    } cases[] = {{false, 100}, {true, 50}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.normalOnly);
        Grid->SetBounds(0, 0, 400, 200);
        Grid->SetColCount(3);
        Grid->SetColWidths(0, 50);
        Grid->SetColWidths(1, 100);
        Grid->SetColWidths(2, 200);
        Grid->ColumnSize()->SynchWithGrid = true;
        Grid->ColumnSize()->SynchNormalCellsOnly = c.normalOnly;
        Grid->Loaded();
        Grid->SetBounds(0, 0, 800, 200);
        EXPECT_EQ(Grid->ColWidths(0), c.col0);
        EXPECT_EQ(Grid->ColWidths(1), 200);
        EXPECT_EQ(Grid->ColWidths(2), 400);
        // Back to the recorded width: the recorded widths, not a chain of roundings.
        Grid->SetBounds(0, 0, 300, 200);
        Grid->SetBounds(0, 0, 400, 200);
        EXPECT_EQ(Grid->ColWidths(1), 100);
        EXPECT_EQ(Grid->ColWidths(2), 200);
    }
}

// ---------------------------------------------------------------- drag scrolling

TEST_F(ColGridScrollTest, ADragRestingNearTheTopScrollsUpOneRowPerTickToTheFirstRow)
{
    TallGrid();
    Grid->DragScrollOptions()->Active = true;
    Grid->SetTopRow(4);
    bool accept = true;
    Grid->DragOver(nullptr, 200, 20, dsDragEnter, accept);
    EXPECT_EQ(Grid->DragScrollDirection(), TDragScrollDirection{dsdUp});
    TTimer* t = Grid->DragScrollTimerControl();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Interval(), 1000u);
    EXPECT_EQ(Grid->TopRow(), 4);
    const int expected[] = {3, 2, 1, 1};
    for (int row : expected) {
        Grid->DragScrollTimer(t);
        EXPECT_EQ(Grid->TopRow(), row);
        EXPECT_EQ(t->Interval(), 250u);
    }
    // Moving on inside the margin makes it wait the first delay again.
    Grid->DragOver(nullptr, 210, 22, dsDragMove, accept);
    EXPECT_EQ(Grid->DragScrollTimerControl()->Interval(), 1000u);
    // Out of the margins, or out of the grid: no timer.
    Grid->DragOver(nullptr, 200, 150, dsDragMove, accept);
    EXPECT_EQ(Grid->DragScrollTimerControl(), nullptr);
    Grid->DragOver(nullptr, 200, 20, dsDragMove, accept);
    ASSERT_NE(Grid->DragScrollTimerControl(), nullptr);
    Grid->DragOver(nullptr, 200, 20, dsDragLeave, accept);
    EXPECT_EQ(Grid->DragScrollTimerControl(), nullptr);
}

TEST_F(ColGridScrollTest, DragScrollStepsByDirectionAndStopsAtTheEdges)
{
    TallGrid();
    Grid->SetColCount(30);
    Grid->DragScrollOptions()->Active = true;
    const int w = Grid->Width(), h = Grid->Height();
    const struct {
        int x, y;
        TDragScrollDirection dir;
        int rowStep, colStep;
    } cases[] = {
        {w / 2, h - 10, TDragScrollDirection{dsdDown}, 1, 0},
        {w - 10, h / 2, TDragScrollDirection{dsdRight}, 0, 1},
        {10, h / 2, TDragScrollDirection{dsdLeft}, 0, -1},
        {w - 10, h - 10, TDragScrollDirection{dsdDown, dsdRight}, 1, 1},
    };
    for (const auto& c : cases) {
        Grid->SetTopRow(5);
        Grid->SetLeftCol(5);
        bool accept = true;
        Grid->DragOver(nullptr, c.x, c.y, dsDragMove, accept);
        EXPECT_EQ(Grid->DragScrollDirection(), c.dir);
        Grid->DragScrollTimer(Grid->DragScrollTimerControl());
        EXPECT_EQ(Grid->TopRow(), 5 + c.rowStep);
        EXPECT_EQ(Grid->LeftCol(), 5 + c.colStep);
        Grid->DragOver(nullptr, c.x, c.y, dsDragLeave, accept);
    }
    // At the last row nothing moves further down.
    Grid->SetTopRow(Grid->RowCount() - Grid->VisibleRowCount());
    const int last = Grid->TopRow();
    bool accept = true;
    Grid->DragOver(nullptr, w / 2, h - 10, dsDragMove, accept);
    Grid->DragScrollTimer(Grid->DragScrollTimerControl());
    EXPECT_EQ(Grid->TopRow(), last);
}

TEST_F(ColGridScrollTest, DragScrollEventAndSwitchingOffStopTheSteps)
{
    TallGrid();
    Grid->DragScrollOptions()->Active = true;
    Grid->SetTopRow(5);
    bool allow = false;
    int seenTop = -1;
    Grid->OnDragScroll = [&](TObject*, int top, int, TDragScrollDirection&, bool& can) {
        seenTop = top;
        can = allow;
    };
    bool accept = true;
    Grid->DragOver(nullptr, 200, 10, dsDragMove, accept);
    Grid->DragScrollTimer(Grid->DragScrollTimerControl());
    EXPECT_EQ(seenTop, 5);
    EXPECT_EQ(Grid->TopRow(), 5);
    // The event may turn the step around.
    allow = true;
    Grid->OnDragScroll = [&](TObject*, int, int, TDragScrollDirection& dir, bool&) {
        dir = TDragScrollDirection{dsdDown};
    };
    Grid->DragScrollTimer(Grid->DragScrollTimerControl());
    EXPECT_EQ(Grid->TopRow(), 6);
    // Switched off while the timer runs: its next tick frees it, nothing scrolls.
    Grid->DragScrollOptions()->Active = false;
    Grid->DragScrollTimer(Grid->DragScrollTimerControl());
    EXPECT_EQ(Grid->DragScrollTimerControl(), nullptr);
    EXPECT_EQ(Grid->TopRow(), 6);
    // Off from the start: no timer at all.
    Grid->DragOver(nullptr, 200, 10, dsDragMove, accept);
    EXPECT_EQ(Grid->DragScrollTimerControl(), nullptr);
}

// ---------------------------------------------------------------- grid timer

class ColGridTimerTest : public ColGridTest {
protected:
    TTimerGrid* TG = nullptr;
    void SetUp() override
    {
        ColGridTest::SetUp();
        TG = new TTimerGrid(Form);
        TG->SetParent(Form);
        TG->SetBounds(0, 0, 400, 300);
        TG->SetRowCount(20);
        TG->Loaded();
    }
};

TEST_F(ColGridTimerTest, IncrementalSearchTextExpiresOnTheFourthTickWithoutAKey)
{
    TG->Navigation()->AutoGotoIncremental = true;
    TG->SearchText() = "AB";
    TG->SearchAge() = 0;
    for (int i = 0; i < 3; ++i) TG->Tick();
    EXPECT_EQ(TG->SearchText(), "AB");
    TG->Tick();
    EXPECT_EQ(TG->SearchText(), "");
    EXPECT_EQ(TG->SearchAge(), 0);
    // Without incremental navigation the text is left alone.
    TG->Navigation()->AutoGotoIncremental = false;
    TG->SearchText() = "C";
    for (int i = 0; i < 6; ++i) TG->Tick();
    EXPECT_EQ(TG->SearchText(), "C");
}

TEST_F(ColGridTimerTest, HoveringMakesTheCellUnderTheMouseCurrentOnTheNextTick)
{
    TG->Hovering = true;
    const TRect cell = TG->CellRect(3, 4);
    UserMouseMove(TG, cell.Left + 5, cell.Top + 5);
    TG->Tick();
    EXPECT_EQ(TG->Col(), 3);
    EXPECT_EQ(TG->Row(), 4);
    // Over a fixed cell nothing happens.
    const TRect fixed = TG->CellRect(2, 0);
    UserMouseMove(TG, fixed.Left + 5, fixed.Top + 5);
    TG->Tick();
    EXPECT_EQ(TG->Col(), 3);
    EXPECT_EQ(TG->Row(), 4);
    // Off: the mouse does not move the current cell.
    TG->Hovering = false;
    const TRect other = TG->CellRect(1, 2);
    UserMouseMove(TG, other.Left + 5, other.Top + 5);
    TG->Tick();
    EXPECT_EQ(TG->Row(), 4);
}

}  // namespace

namespace {

TEST_F(ColGridScrollTest, AResizedGridStretchesItsColumnAndReportsIt)
{
    Grid->SetBounds(0, 0, 400, 200);
    Grid->SetColCount(4);
    for (int c = 0; c < 4; ++c) Grid->SetColWidths(c, 50);
    int reports = 0;
    Grid->OnGridResize = [&](TObject*) { ++reports; };
    Grid->ColumnSize()->SetStretch(true);
    reports = 0;
    Grid->SetBounds(0, 0, 500, 200);
    // The last column takes what the other three leave of the client width.
    EXPECT_EQ(Grid->ColWidths(3), Grid->ClientRect().Width() - 150 - 1);
    EXPECT_EQ(reports, 1);
    // Columns wider than the grid: nothing to stretch, nothing reported.
    for (int c = 0; c < 3; ++c) Grid->SetColWidths(c, 300);
    reports = 0;
    Grid->SetBounds(0, 0, 450, 200);
    EXPECT_EQ(reports, 0);
}

}  // namespace
