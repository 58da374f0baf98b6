// The grid driven by mouse, keys, wheel and scroll bars, as a user drives it.
#include "grid_fixture.h"

TEST_F(GridTest, ClickMakesTheCellCurrentThroughTheSelectCheck)
{
    Fill(5, 5);
    ClickCell(3, 2);
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Grid->Selection(), TGridRect(3, 2, 3, 2));
    EXPECT_EQ(Grid->Log, (std::vector<String>{"SelectCell 3,2", "Click"}));
    // A refused cell stays where it was; a fixed cell is not selected at all.
    Grid->Log.clear();
    Grid->RefuseSelect = true;
    ClickCell(1, 4);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_EQ(Grid->Log, (std::vector<String>{"SelectCell 1,4", "Click"}));
    Grid->RefuseSelect = false;
    Grid->Log.clear();
    ClickCell(0, 3);
    ClickCell(2, 0);
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 2);
    EXPECT_TRUE(Grid->Log.empty());
}

TEST_F(GridTest, DraggingSelectsARangeAndShiftClickExtendsIt)
{
    Fill(5, 5);
    const TPoint a = Centre(1, 1), b = Centre(3, 4);
    Press(Grid, a.X, a.Y);
    Drag(Grid, b.X, b.Y);
    EXPECT_EQ(Grid->State(), gsSelecting);
    Release(Grid, b.X, b.Y);
    EXPECT_EQ(Grid->State(), gsNormal);
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 1, 3, 4));
    // The press stays the current cell; the drag moved the other corner.
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 1);
    ClickCell(2, 2);
    ClickCell(4, 3, TShiftState{ssShift});
    EXPECT_EQ(Grid->Selection(), TGridRect(2, 2, 4, 3));
    // Without range selection a drag only moves the current cell.
    Grid->SetOptions(Grid->Options() >> goRangeSelect);
    Press(Grid, a.X, a.Y);
    Drag(Grid, b.X, b.Y);
    Release(Grid, b.X, b.Y);
    EXPECT_EQ(Grid->Selection(), TGridRect(3, 4, 3, 4));
}

TEST_F(GridTest, DraggingPastTheBottomScrollsOnEachTimerTick)
{
    Fill(5, 100);
    const TPoint a = Centre(1, 5);
    Press(Grid, a.X, a.Y);
    Drag(Grid, a.X, Grid->ClientHeight() + 20);
    const int bottom = Grid->Selection().Bottom;
    for (int i = 0; i < 3; ++i) Grid->Perform(WM_TIMER, 1, 0);
    EXPECT_EQ(Grid->Selection().Bottom, bottom + 3);
    EXPECT_EQ(Grid->TopRow(), 1 + (bottom + 3) - (Grid->VisibleRowCount()));
    Release(Grid, a.X, Grid->ClientHeight() + 20);
    EXPECT_EQ(Grid->Selection().Top, 5);
    // Once released the timer has nothing to do.
    const int top = Grid->TopRow();
    Grid->Perform(WM_TIMER, 1, 0);
    EXPECT_EQ(Grid->TopRow(), top);
}

TEST_F(GridTest, ColumnsAndRowsAreSizedByDraggingTheirBorder)
{
    Grid->SetOptions(Grid->Options() + TGridOptions{goColSizing, goRowSizing});
    const TRect head = Grid->CellRect(2, 0);
    UserMouseMove(Grid, head.Right, 10);
    EXPECT_EQ(Grid->Cursor(), crHSplit);
    Grid->Log.clear();
    Press(Grid, head.Right, 10);
    EXPECT_EQ(Grid->State(), gsColSizing);
    Drag(Grid, head.Right + 30, 10);
    Release(Grid, head.Right + 30, 10);
    EXPECT_EQ(Grid->ColWidths(2), 94);
    EXPECT_EQ(Grid->Log, (std::vector<String>{"ColWidthsChanged"}));
    UserMouseMove(Grid, Centre(2, 2).X, Centre(2, 2).Y);
    EXPECT_EQ(Grid->Cursor(), crDefault);

    const TRect side = Grid->CellRect(0, 2);
    UserMouseMove(Grid, 10, side.Bottom);
    EXPECT_EQ(Grid->Cursor(), crVSplit);
    Press(Grid, 10, side.Bottom);
    Drag(Grid, 10, side.Bottom + 10);
    Release(Grid, 10, side.Bottom + 10);
    EXPECT_EQ(Grid->RowHeights(2), 34);
    // Without the sizing options the border is just a cell.
    Grid->SetOptions(Grid->Options() - TGridOptions{goColSizing, goRowSizing});
    const TRect h3 = Grid->CellRect(3, 0);
    Press(Grid, h3.Right, 10);
    Drag(Grid, h3.Right + 30, 10);
    Release(Grid, h3.Right + 30, 10);
    EXPECT_EQ(Grid->ColWidths(3), 64);
}

TEST_F(GridTest, HeadersDragColumnsAndRowsToNewPlaces)
{
    Fill(5, 5);
    Grid->SetOptions(Grid->Options() + TGridOptions{goColMoving, goRowMoving});
    const TPoint from = Centre(1, 0), to = Centre(3, 0);
    Press(Grid, from.X, from.Y);
    EXPECT_EQ(Grid->State(), gsColMoving);
    Drag(Grid, to.X, to.Y);
    Release(Grid, to.X, to.Y);
    EXPECT_EQ(Grid->Cells(3, 2), "1,2");
    EXPECT_EQ(Grid->Cells(1, 2), "2,2");
    EXPECT_NE(std::find(Grid->Log.begin(), Grid->Log.end(), "ColumnMoved 1,3"), Grid->Log.end());

    const TPoint rf = Centre(0, 4), rt = Centre(0, 1);
    Press(Grid, rf.X, rf.Y);
    Drag(Grid, rt.X, rt.Y);
    Release(Grid, rt.X, rt.Y);
    EXPECT_EQ(Grid->Cells(0, 1), "0,4");
    EXPECT_EQ(Grid->Cells(0, 2), "0,1");
    // A press and release on the same header moves nothing.
    Grid->Log.clear();
    Press(Grid, from.X, from.Y);
    Release(Grid, from.X, from.Y);
    EXPECT_TRUE(Grid->Log.empty());
}

TEST_F(GridTest, KeysMoveTheCurrentCellAndScrollItIntoView)
{
    Fill(20, 100);
    const int page = Grid->VisibleRowCount();
    struct Step {
        WORD key;
        TShiftState shift;
        int col, row, top;
    };
    const Step steps[] = {
        {VK_DOWN, {}, 1, 2, 1},
        {VK_RIGHT, {}, 2, 2, 1},
        {VK_UP, {}, 2, 1, 1},
        {VK_UP, {}, 2, 1, 1},   // the first scrollable row is the top
        {VK_NEXT, {}, 2, 1 + page, 1 + page},
        {VK_PRIOR, {}, 2, 1, 1},
        {VK_END, {}, 19, 1, 1},
        {VK_HOME, {}, 1, 1, 1},
        {VK_END, TShiftState{ssCtrl}, 19, 99, 100 - page},
        {VK_HOME, TShiftState{ssCtrl}, 1, 1, 1},
    };
    for (const Step& s : steps) {
        Key(s.key, s.shift);
        EXPECT_EQ(Grid->Col(), s.col) << s.key;
        EXPECT_EQ(Grid->Row(), s.row) << s.key;
        EXPECT_EQ(Grid->TopRow(), s.top) << s.key;
    }
    EXPECT_EQ(Grid->LeftCol(), 1);
    Key(VK_END);
    EXPECT_GT(Grid->LeftCol(), 1);
    EXPECT_LE(Grid->LeftCol() + Grid->VisibleColCount() - 1, 19);
    // Shift extends the selection from the anchor; a plain key collapses it.
    Key(VK_HOME);
    Key(VK_DOWN, TShiftState{ssShift});
    Key(VK_DOWN, TShiftState{ssShift});
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 1, 1, 3));
    EXPECT_EQ(Grid->Row(), 3);
    Key(VK_RIGHT);
    EXPECT_EQ(Grid->Selection(), TGridRect(2, 3, 2, 3));
}

TEST_F(GridTest, TabMovesAlongTheRowsOnlyWithTabsOn)
{
    Fill(4, 4);
    Grid->SetCol(3);
    Key(VK_TAB);
    EXPECT_EQ(Grid->Col(), 3);   // not the grid's key: the form's focus order
    Grid->SetOptions(Grid->Options() << goTabs);
    UserFocus(Grid);
    Key(VK_TAB);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_EQ(Grid->Row(), 2);
    Key(VK_TAB, TShiftState{ssShift});
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(GridTest, WheelMovesTheCurrentRowOneRowPerNotch)
{
    Fill(5, 100);
    UserWheel(Grid, -WHEEL_DELTA);
    EXPECT_EQ(Grid->Row(), 2);
    UserWheel(Grid, -3 * WHEEL_DELTA);
    EXPECT_EQ(Grid->Row(), 5);
    UserWheel(Grid, WHEEL_DELTA);
    EXPECT_EQ(Grid->Row(), 4);
    // Half notches add up.
    UserWheel(Grid, -WHEEL_DELTA / 2);
    EXPECT_EQ(Grid->Row(), 4);
    UserWheel(Grid, -WHEEL_DELTA / 2);
    EXPECT_EQ(Grid->Row(), 5);
    for (int i = 0; i < 20; ++i) UserWheel(Grid, -WHEEL_DELTA);
    EXPECT_EQ(Grid->Row(), 25);
    EXPECT_EQ(Grid->TopRow(), 25 - Grid->VisibleRowCount() + 1);
    // A handler may take the wheel for itself.
    Grid->OnMouseWheelDown = [](TObject*, TShiftState, TPoint, bool& handled) { handled = true; };
    UserWheel(Grid, -WHEEL_DELTA);
    EXPECT_EQ(Grid->Row(), 25);
}

TEST_F(GridTest, ScrollMessagesMoveTheViewNotTheCurrentCell)
{
    Fill(20, 100);
    const int page = Grid->VisibleRowCount();
    const int maxTop = 100 - page;
    struct Step {
        int code, pos, top;
    };
    const Step steps[] = {
        {SB_LINEDOWN, 0, 2},        {SB_PAGEDOWN, 0, 2 + page}, {SB_LINEUP, 0, 1 + page},
        {SB_THUMBPOSITION, 50, 51}, {SB_THUMBTRACK, 10, 51},    {SB_BOTTOM, 0, maxTop},
        {SB_LINEDOWN, 0, maxTop},   {SB_TOP, 0, 1},             {SB_PAGEUP, 0, 1},
    };
    for (const Step& s : steps) {
        Grid->Perform(WM_VSCROLL, MAKEWPARAM(s.code, s.pos), 0);
        EXPECT_EQ(Grid->TopRow(), s.top) << s.code;
    }
    EXPECT_EQ(Grid->Row(), 1);
    Grid->SetOptions(Grid->Options() << goThumbTracking);
    Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 10), 0);
    EXPECT_EQ(Grid->TopRow(), 11);
    Grid->Perform(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(Grid->LeftCol(), 2);
    TGridScrollInfo info;
    Grid->GetScrollInfo(SB_VERT, info);
    EXPECT_EQ(info.Pos, 10);
}

TEST_F(GridTest, ScrollBarArrowsTrackAndThumbScrollTheGrid)
{
    Fill(5, 100);
    TGridScrollBar* bar = Grid->ScrollBarControl(SB_VERT);
    ASSERT_TRUE(bar && bar->Visible());
    const TRect down = bar->ArrowRect(false);
    UserClick(bar, down.Left + 5, down.Top + 5);
    EXPECT_EQ(Grid->TopRow(), 2);
    // Holding the arrow repeats on the bar's timer.
    Press(bar, down.Left + 5, down.Top + 5);
    bar->Perform(WM_TIMER, 1, 0);
    bar->Perform(WM_TIMER, 1, 0);
    Release(bar, down.Left + 5, down.Top + 5);
    EXPECT_EQ(Grid->TopRow(), 5);
    // The track below the thumb pages.
    const TRect thumb = bar->ThumbRect();
    UserClick(bar, 8, thumb.Bottom + 5);
    EXPECT_EQ(Grid->TopRow(), 5 + Grid->VisibleRowCount());
    // Dragging the thumb scrolls at the release, and on the way with thumb tracking.
    const int top = Grid->TopRow();
    TRect t = bar->ThumbRect();
    Press(bar, 8, t.Top + 2);
    Drag(bar, 8, t.Top + 62);
    EXPECT_EQ(Grid->TopRow(), top);
    Release(bar, 8, t.Top + 62);
    const int dropped = Grid->TopRow();
    EXPECT_GT(dropped, top + 20);
    Grid->SetOptions(Grid->Options() << goThumbTracking);
    t = bar->ThumbRect();
    Press(bar, 8, t.Top + 2);
    Drag(bar, 8, t.Top - 38);
    EXPECT_LT(Grid->TopRow(), dropped);
    Release(bar, 8, t.Top - 38);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(GridTest, PageDownScrollsFirstThenAsksForTheNewCell)
{
    Fill(5, 100);
    const int page = Grid->VisibleRowCount();
    Key(VK_NEXT);
    const String row = IntToStr(1 + page);
    EXPECT_EQ(Grid->Log, (std::vector<String>{"TopLeftChanged 1," + row, "SelectCell 1," + row, "Click"}));
    // Scrolling by the bar asks nothing about cells.
    Grid->Log.clear();
    Grid->Perform(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(Grid->Log, (std::vector<String>{"TopLeftChanged 1," + IntToStr(2 + page)}));
}

TEST_F(GridTest, RowSelectKeepsWholeRowsSelected)
{
    Fill(20, 30);
    Grid->SetOptions(Grid->Options() << goRowSelect);
    ClickCell(4, 3);
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 3, 19, 3));
    EXPECT_EQ(Grid->Row(), 3);
    Key(VK_DOWN);
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 4, 19, 4));
    // Left and right move the view, not the selection.
    Key(VK_RIGHT);
    EXPECT_EQ(Grid->LeftCol(), 2);
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 4, 19, 4));
    // No editor in a row-selecting grid.
    Grid->SetOptions(Grid->Options() << goEditing);
    Key(VK_RETURN);
    EXPECT_FALSE(EditorShown());
}
