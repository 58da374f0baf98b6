// The mouse on the column grid beyond plain clicks: sorting from the header, buttons in
// cells, the cursor over sizing borders and header selection zones, sizing the fixed
// column, middle-button panning, and the key-up handling that opens the editor with
// AlwaysEdit and keeps the disjunct cell selection.
#include <algorithm>
#include <vector>

#include "grid/input/HeaderDragButton.h"
#include "grid/util/GridSupport.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/common/colgrid_fixture.h"

namespace {

class EditingMouseTest : public ColGridTest {
protected:
    std::vector<String> Log;

    void SetUp() override
    {
        ColGridTest::SetUp();
        LoadAsForm(Grid, 5, 5);
        for (int c = 0; c < Grid->ColCount(); ++c) Grid->SetColWidths(c, 60);
        UserFocus(Grid);
    }
    TPoint Mid(int c, int r) { return CellMid(Grid, c, r); }
    void Click(int c, int r) { ClickCell(Grid, c, r); }
    void Press(unsigned msg, TPoint p) { gui_input::Mouse(Grid, msg, p.X, p.Y, TShiftState()); }
    void Key(WORD k, TShiftState s = TShiftState()) { UserKey(FindFocusedControl(), k, s); }
    // The texts of a column from the first data row down, joined by spaces.
    String Column(int c)
    {
        String s;
        for (int r = Grid->FixedRows(); r < Grid->RowCount(); ++r) (s.empty() ? s : s += ' ') += Grid->GetCellEx(c, r);
        return s;
    }
};

// ---------------------------------------------------------------- sorting from the header

TEST_F(EditingMouseTest, HeaderClicksSortTheRowsAndReverseTheDirection)
{
    const char* names[] = {"beta", "delta", "alpha", "gamma"};
    for (int r = 1; r <= 4; ++r) {
        Grid->SetCellEx(3, r, names[r - 1]);
        Grid->SetCellEx(4, r, Cat("row", IntToStr(r)));
    }
    Grid->SortSettings()->SetShow(true);
    Grid->OnClickSort = [&](TObject*, int c) { Log.push_back(Cat("sorted ", IntToStr(c))); };
    struct Case {
        int col;
        const char* col3;   // column 3 afterwards
        const char* col4;   // the other cells travel with their rows
        TSortDirection dir;
    };
    const Case cases[] = {
        {3, "alpha beta delta gamma", "row3 row1 row2 row4", sdAscending},
        {3, "gamma delta beta alpha", "row4 row2 row1 row3", sdDescending},
        {3, "alpha beta delta gamma", "row3 row1 row2 row4", sdAscending},
        {4, "beta delta alpha gamma", "row1 row2 row3 row4", sdAscending},
        {4, "gamma alpha delta beta", "row4 row3 row2 row1", sdDescending},
    };
    for (const Case& k : cases) {
        Click(k.col, 0);
        SCOPED_TRACE(Cat("click on ", IntToStr(k.col)));
        EXPECT_EQ(Column(3), k.col3);
        EXPECT_EQ(Column(4), k.col4);
        EXPECT_EQ(Grid->SortSettings()->Column, k.col);
        EXPECT_EQ(Grid->SortSettings()->Direction, k.dir);
    }
    EXPECT_EQ(Log, (std::vector<String>{"sorted 3", "sorted 3", "sorted 3", "sorted 4", "sorted 4"}));
}

TEST_F(EditingMouseTest, FixedCellsAsButtonsArePressedWhileTheButtonIsDown)
{
    Grid->FixedAsButtons = true;
    Grid->SetOptions(Grid->Options() << goFixedVertLine << goFixedHorzLine);
    Press(WM_LBUTTONDOWN, Mid(2, 0));
    EXPECT_TRUE(Grid->FixedCellPushed());
    Press(WM_LBUTTONUP, Mid(2, 0));
    EXPECT_FALSE(Grid->FixedCellPushed());
    // Data cells are no buttons, nor are headers without FixedAsButtons.
    Press(WM_LBUTTONDOWN, Mid(2, 2));
    EXPECT_FALSE(Grid->FixedCellPushed());
    Press(WM_LBUTTONUP, Mid(2, 2));
    Grid->FixedAsButtons = false;
    Press(WM_LBUTTONDOWN, Mid(2, 0));
    EXPECT_FALSE(Grid->FixedCellPushed());
    Press(WM_LBUTTONUP, Mid(2, 0));
}

TEST_F(EditingMouseTest, HeaderClickIsAClickButNotItsBorder)
{
    Grid->SetOptions(Grid->Options() << goColSizing);
    int clicks = 0;
    std::vector<String> cells;
    Grid->OnClick = [&](TObject*) { ++clicks; };
    Grid->OnClickCell = [&](TObject*, int r, int c) { cells.push_back(Cat(IntToStr(r), ",", IntToStr(c))); };
    Click(3, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(cells, std::vector<String>{"0,3"});
    const TRect R = Grid->CellRect(3, 0);
    const int y = (R.Top + R.Bottom) / 2;
    UserMouseMove(Grid, R.Right, y);
    UserClick(Grid, R.Right, y);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(cells.size(), 1u);
}

TEST_F(EditingMouseTest, HeaderClicksThatMustNotSort)
{
    const char* names[] = {"b", "d", "a", "c"};
    for (int r = 1; r <= 4; ++r) Grid->SetCellEx(3, r, names[r - 1]);
    const String unsorted = Column(3);
    Grid->SetOptions(Grid->Options() << goColSizing);
    // Without Show a header click only reports the cell.
    Click(3, 0);
    EXPECT_EQ(Column(3), unsorted);
    Grid->SortSettings()->SetShow(true);
    // Next to a column border the release belongs to sizing.
    const TRect R = Grid->CellRect(3, 0);
    UserClick(Grid, R.Left + 2, (R.Top + R.Bottom) / 2);
    EXPECT_EQ(Column(3), unsorted);
    // A press on a data cell released on the header does not sort.
    Press(WM_LBUTTONDOWN, Mid(3, 2));
    Press(WM_LBUTTONUP, Mid(3, 0));
    EXPECT_EQ(Column(3), unsorted);
    // The window may refuse.
    Grid->OnCanSort = [&](TObject*, int c, bool& DoSort) { DoSort = c != 3; };
    Click(3, 0);
    EXPECT_EQ(Column(3), unsorted);
    EXPECT_EQ(Grid->SortSettings()->Column, -1);
    // The double click that sizes a column is no sort either.
    Grid->OnCanSort = nullptr;
    UserDblClick(Grid, R.Right - 1, (R.Top + R.Bottom) / 2);
    EXPECT_EQ(Column(3), unsorted);
    // Nor is a release that ends sizing a column, away from the border it sized.
    const TRect S = Grid->CellRect(3, 0);
    const int y = (S.Top + S.Bottom) / 2;
    UserMouseMove(Grid, S.Right, y);
    Press(WM_LBUTTONDOWN, TPoint(S.Right, y));
    UserMouseMove(Grid, S.Right + 25, y, TShiftState{ssLeft});
    Press(WM_LBUTTONUP, TPoint(S.Right + 25, y));
    EXPECT_EQ(Grid->ColWidths(3), S.Width() + 25);
    EXPECT_EQ(Column(3), unsorted);
    EXPECT_EQ(Grid->SortSettings()->Column, -1);
}

// ---------------------------------------------------------------- cell buttons

TEST_F(EditingMouseTest, CellButtonReportsOneClickForItsOwnCell)
{
    Grid->AddButton(4, 2, 40, 16, "Go", haLeft, vaTop);
    Grid->OnButtonClick = [&](TObject*, int c, int r) { Log.push_back(Cat("button ", IntToStr(c), ",", IntToStr(r))); };
    Grid->OnClickCell = [&](TObject*, int r, int c) { Log.push_back(Cat("cell ", IntToStr(r), ",", IntToStr(c))); };
    Click(3, 3);
    Log.clear();
    const TRect B = Grid->CellButtonRect(4, 2);
    ASSERT_GT(B.Width(), 0);
    const TPoint in((B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2);
    Press(WM_LBUTTONDOWN, in);
    EXPECT_EQ(Grid->PushedCellButton(), TPoint(4, 2));
    Press(WM_LBUTTONUP, in);
    EXPECT_EQ(Grid->PushedCellButton(), TPoint(-1, -1));
    EXPECT_EQ(Log, (std::vector<String>{"cell 2,4", "button 4,2"}));
    EXPECT_EQ(Grid->Col(), 4);
    EXPECT_EQ(Grid->Row(), 2);
    // Released off the button: no click, and the button is up again.
    Log.clear();
    Press(WM_LBUTTONDOWN, in);
    Press(WM_LBUTTONUP, Mid(1, 4));
    EXPECT_EQ(Log, (std::vector<String>{"cell 2,4"}));
    EXPECT_EQ(Grid->PushedCellButton(), TPoint(-1, -1));
    // A press beside the button in its cell pushes nothing.
    Log.clear();
    const TRect C = Grid->CellRect(4, 2);
    UserClick(Grid, C.Right - 3, C.Bottom - 3);
    EXPECT_EQ(Log, (std::vector<String>{"cell 2,4"}));
}

TEST_F(EditingMouseTest, ExpandButtonTogglesTheRowHeight)
{
    Grid->AddExpand(3, 2, 60);
    const int normal = Grid->RowHeights(2);
    std::vector<String> Log2;
    Grid->OnExpandClick = [&](TObject*, int c, int r, bool e) { Log2.push_back(Cat(IntToStr(c), ",", IntToStr(r), e ? " open" : " shut")); };
    for (const char* want : {"3,2 open", "3,2 shut"}) {
        const TRect B = Grid->GetExpandButtonRect(3, 2);
        const TPoint in((B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2);
        UserClick(Grid, in.X, in.Y);
        ASSERT_FALSE(Log2.empty());
        EXPECT_EQ(Log2.back(), want);
    }
    EXPECT_EQ(Log2.size(), 2u);
    EXPECT_EQ(Grid->RowHeights(2), normal);
    const TRect B = Grid->GetExpandButtonRect(3, 2);
    UserClick(Grid, (B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2);
    EXPECT_EQ(Grid->RowHeights(2), 60);
}

TEST_F(EditingMouseTest, DirectEditOpensTheEditorWithTheFirstClick)
{
    Grid->Columns()->Items(4)->SetReadOnly(true);
    Grid->SetCellEx(3, 2, "abc");
    struct Case {
        bool direct;
        int col;
        bool editor;
    };
    const Case cases[] = {
        {false, 3, false},  // the first click only makes the cell current
        {true, 3, true},
        {true, 4, false},   // read-only column
        {true, 1, false},   // check-box column: the click flips it
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat("column ", IntToStr(k.col), k.direct ? " direct" : ""));
        Grid->MouseActions()->DirectEdit = false;
        Click(2, 4);
        if (Grid->EditorMode()) Key(VK_ESCAPE);
        Grid->MouseActions()->DirectEdit = k.direct;
        Click(k.col, 2);
        const bool open = Grid->EditorMode() && Grid->InplaceEditor() && Grid->InplaceEditor()->Visible();
        EXPECT_EQ(open, k.editor);
        EXPECT_EQ(Grid->Row(), 2);
        if (open) {
            EXPECT_EQ(Grid->InplaceEditor()->Text(), "abc");
        }
        if (Grid->EditorMode()) Key(VK_ESCAPE);
    }
    // A list cell whose drop-down button always shows opens with the first click.
    Grid->MouseActions()->DirectEdit = false;
    Grid->ControlLook()->DropDownAlwaysVisible = true;
    Click(3, 4);
    if (Grid->EditMode || Grid->EditorMode()) Key(VK_ESCAPE);
    Click(2, 2);
    EXPECT_TRUE(Grid->EditMode);
    EXPECT_EQ(Grid->EditControl, edComboList);
    Key(VK_ESCAPE);
    Grid->ControlLook()->DropDownAlwaysVisible = false;
    // A window that refuses the move keeps the current cell and opens nothing.
    Click(2, 4);
    if (Grid->EditorMode()) Key(VK_ESCAPE);
    Grid->OnRowChanging = [](TObject*, int, int, bool& Allow) { Allow = false; };
    Click(3, 2);
    EXPECT_EQ(Grid->Row(), 4);
    EXPECT_FALSE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible() && Grid->EditorMode());
}

TEST_F(EditingMouseTest, ClickOnTheSpinButtonsStepsTheValue)
{
    Grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
        if (c == 3) e = edSpinEdit;
    };
    Grid->ControlLook()->SpinButtonsAlwaysVisible = true;
    struct Case {
        int row;
        int y;              // 0: upper half of the buttons, 1: lower half, 2: left of them
        const char* shown;  // the spin editor's text after the click
    };
    const Case cases[] = {{2, 0, "6"}, {3, 1, "4"}, {4, 2, "5"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat("row ", IntToStr(k.row)));
        Grid->SetCellEx(3, k.row, "5");
        Click(2, k.row);
        Click(3, k.row);
        if (Grid->EditMode) Key(VK_ESCAPE);
        const TRect R = Grid->CellRect(3, k.row);
        UserClick(Grid, k.y == 2 ? R.Left + 10 : R.Right - 5, k.y == 1 ? R.Bottom - 3 : R.Top + 3);
        ASSERT_TRUE(Grid->EditMode && Grid->EditCtrl);
        EXPECT_EQ(Grid->EditCtrl->Text(), k.shown);
        Key(VK_ESCAPE);
    }
}

TEST_F(EditingMouseTest, EditingThatOnlyADoubleClickStarts)
{
    Grid->Columns()->Items(4)->SetReadOnly(true);
    Grid->MouseActions()->SetEditOnDblClickOnly(true);
    Grid->SetCellEx(3, 2, "abc");
    const auto open = [&] { return Grid->EditorMode() && Grid->InplaceEditor() && Grid->InplaceEditor()->Visible(); };
    Click(3, 2);
    Click(3, 2);
    EXPECT_FALSE(open());
    UserDblClick(Grid, Mid(3, 2).X, Mid(3, 2).Y);
    ASSERT_TRUE(open());
    EXPECT_EQ(Grid->InplaceEditor()->Text(), "abc");
    Key(VK_ESCAPE);
    UserDblClick(Grid, Mid(4, 2).X, Mid(4, 2).Y);
    EXPECT_FALSE(open());
}

TEST_F(EditingMouseTest, DoubleClickOnACellButtonIsOneButtonClick)
{
    Grid->AddButton(3, 2, 40, 16, "Go", haLeft, vaTop);
    int buttons = 0, dbl = 0;
    Grid->OnButtonClick = [&](TObject*, int, int) { ++buttons; };
    Grid->OnDblClickCell = [&](TObject*, int, int) { ++dbl; };
    const TRect B = Grid->CellButtonRect(3, 2);
    UserDblClick(Grid, (B.Left + B.Right) / 2, (B.Top + B.Bottom) / 2);
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(dbl, 0);
}

TEST_F(EditingMouseTest, PressOnThePartlyShownLastRow)
{
    Grid->SetRowCount(60);
    for (bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "no scroll" : "scrolls");
        Grid->MouseActions()->NoScrollOnPartialRow = keep;
        Grid->SetTopRow(1);
        const int partial = Grid->TopRow() + Grid->VisibleRowCount();
        const TRect R = Grid->CellRect(2, partial);
        ASSERT_GT(R.Bottom, R.Top);
        UserClick(Grid, (R.Left + R.Right) / 2, R.Top + 2);
        EXPECT_EQ(Grid->TopRow() == 1, keep);
    }
}

TEST_F(EditingMouseTest, ReleaseOnARadioGroupReportsItsItem)
{
    TStringList* items = Grid->CreateRadio(3, 2, 0, 1);
    items->Add("one");
    items->Add("two");
    std::vector<int> seen;
    Grid->OnRadioMouseUp = [&](TObject*, int c, int r, int idx) {
        if (c == 3 && r == 2) seen.push_back(idx);
    };
    Click(3, 2);
    ASSERT_EQ(seen.size(), 1u);
    int idx = -1;
    Grid->GetRadioIdx(3, 2, idx);
    EXPECT_EQ(seen[0], idx);
}

TEST_F(EditingMouseTest, CellScrollBarShowsOverItsCellAndScrollsIt)
{
    Grid->SetRowHeights(2, 60);
    Grid->AddScrollBar(3, 2, false);
    Grid->SetScrollProp(3, 2, TExtStringGrid::TScrollProp{10, 50});
    int reports = 0;
    Grid->OnScrollCell = [&](TObject*, int c, int r, int, int, int) { reports += c == 3 && r == 2; };
    UserMouseMove(Grid, Mid(3, 2).X, Mid(3, 2).Y);
    TControl* bar = nullptr;
    for (int i = 0; i < Grid->ControlCount(); ++i)
        if (auto* sb = dynamic_cast<TScrollBar*>(Grid->Controls(i)); sb && sb->Visible()) bar = sb;
    ASSERT_NE(bar, nullptr);
    const TRect R = Grid->CellRect(3, 2);
    EXPECT_EQ(bar->Left() + bar->Width(), R.Right - Grid->GridLineWidth());
    auto* sb = static_cast<TScrollBar*>(bar);
    EXPECT_EQ(sb->Max(), 50);
    sb->SetPosition(20);
    EXPECT_EQ(Grid->GetScrollPosition(3, 2), 20);
    EXPECT_EQ(reports, 1);
    UserMouseMove(Grid, Mid(1, 3).X, Mid(1, 3).Y);
    EXPECT_FALSE(bar->Visible());
}

// ---------------------------------------------------------------- cursors

TEST_F(EditingMouseTest, CursorOverSizingBordersAndHeaderZones)
{
    Grid->SetOptions(Grid->Options() << goColSizing << goRangeSelect);
    Grid->OnColumnSize = [](TObject*, int c, bool& Allow) { Allow = c != 2; };
    const TRect H1 = Grid->CellRect(1, 0), H2 = Grid->CellRect(2, 0), F = Grid->CellRect(0, 2);
    const int hy = (H1.Top + H1.Bottom) / 2;
    struct Case {
        const char* what;
        TPoint at;
        bool colSelect, rowSelect, allSelect, sizeFixedCol;
        TCursor cursor;
    };
    const Case cases[] = {
        {"header border", TPoint(H1.Right, hy), false, false, false, false, crHSplit},
        {"header border with column selection", TPoint(H1.Right, hy), true, false, false, false, crHSplit},
        {"inside a data cell", Mid(2, 2), true, true, true, true, crDefault},
        {"inside a header cell", Mid(2, 0), false, false, false, false, crDefault},
        {"header cell with column selection", Mid(2, 0), true, false, false, false, crGridColSelect},
        {"row header with row selection", Mid(0, 2), false, true, false, false, crGridRowSelect},
        {"corner with all selection", Mid(0, 0), false, false, true, false, crGridAllSelect},
        {"fixed column border in a data row", TPoint(F.Right, (F.Top + F.Bottom) / 2), false, true, false, true,
         crHSplit},
        {"fixed column border without fixed sizing", TPoint(F.Right + 1, (F.Top + F.Bottom) / 2), false, false, false,
         false, crDefault},
        {"two pixels right of the fixed column border", TPoint(F.Right + 2, (F.Top + F.Bottom) / 2), false, false,
         false, true, crHSplit},
        {"three pixels right of the fixed column border", TPoint(F.Right + 3, (F.Top + F.Bottom) / 2), false, false,
         false, true, crDefault},
        {"two pixels left of the fixed column border", TPoint(F.Right - 2, (F.Top + F.Bottom) / 2), false, false,
         false, true, crHSplit},
        {"border of a column the window keeps", TPoint(H2.Right, hy), false, false, false, false, crDefault},
        {"a link in a cell", Mid(3, 4), false, false, false, false, crHandPoint},
    };
    Grid->SetURLShow(true);
    Grid->SetCellEx(3, 4, "see http://example.org");
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Grid->MouseActions()->ColSelect = k.colSelect;
        Grid->MouseActions()->RowSelect = k.rowSelect;
        Grid->MouseActions()->AllSelect = k.allSelect;
        Grid->MouseActions()->SizeFixedCol = k.sizeFixedCol;
        UserMouseMove(Grid, Mid(3, 3).X, Mid(3, 3).Y);
        UserMouseMove(Grid, k.at.X, k.at.Y);
        EXPECT_EQ(Grid->Cursor(), k.cursor);
    }
    // Back inside a cell the cursor is the grid's own again.
    UserMouseMove(Grid, Mid(3, 3).X, Mid(3, 3).Y);
    EXPECT_EQ(Grid->Cursor(), crDefault);
}

TEST_F(EditingMouseTest, FixedColumnIsSizedByDraggingItsBorder)
{
    Grid->MouseActions()->SizeFixedCol = true;
    std::vector<int> ended;
    Grid->OnEndColumnSize = [&](TObject*, int c) { ended.push_back(c); };
    const TRect F = Grid->CellRect(0, 2);
    const int y = (F.Top + F.Bottom) / 2;
    UserMouseMove(Grid, F.Right, y);
    Press(WM_LBUTTONDOWN, TPoint(F.Right, y));
    UserMouseMove(Grid, 95, y, TShiftState{ssLeft});
    Press(WM_LBUTTONUP, TPoint(95, y));
    EXPECT_EQ(Grid->ColWidths(0), 95);
    EXPECT_EQ(ended, std::vector<int>{0});
    // The current cell did not move: the press sized, it did not select.
    EXPECT_NE(Grid->Row(), 2);
}

TEST_F(EditingMouseTest, ColumnSizingReportsTheWidthAsItGoes)
{
    Grid->SetOptions(Grid->Options() << goColSizing);
    Grid->HintShowSizing = true;
    std::vector<String> sizes;
    Grid->OnColumnSizing = [&](TObject*, int c, int w) { sizes.push_back(Cat(IntToStr(c), ":", IntToStr(w))); };
    const TRect H = Grid->CellRect(2, 0);
    const int y = (H.Top + H.Bottom) / 2;
    UserMouseMove(Grid, H.Right, y);
    Press(WM_LBUTTONDOWN, TPoint(H.Right, y));
    UserMouseMove(Grid, H.Right + 20, y, TShiftState{ssLeft});
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back(), "2:80");
    ASSERT_TRUE(Grid->ScrollHintShowing());
    EXPECT_EQ(Grid->ScrollHintWindow()->Caption(), "cw=<b>80</b>");
    EXPECT_EQ(Grid->ScrollHintWindow()->Left(), H.Left);
    Press(WM_LBUTTONUP, TPoint(H.Right + 20, y));
    EXPECT_EQ(Grid->ColWidths(2), 80);
    EXPECT_FALSE(Grid->ScrollHintShowing());
}

TEST_F(EditingMouseTest, RowHeaderPressSelectsWholeRows)
{
    Grid->MouseActions()->RowSelect = true;
    UserMouseMove(Grid, Mid(0, 2).X, Mid(0, 2).Y);
    Click(0, 2);
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 2, 4, 2));
    UserMouseMove(Grid, Mid(0, 4).X, Mid(0, 4).Y);
    UserClick(Grid, Mid(0, 4).X, Mid(0, 4).Y, TShiftState{ssShift});
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 2, 4, 4));
    // Dragged along the row headers the selection grows, and at the bottom edge the rows scroll on.
    Grid->SetRowCount(60);
    UserMouseMove(Grid, Mid(0, 3).X, Mid(0, 3).Y);
    Press(WM_LBUTTONDOWN, Mid(0, 3));
    UserMouseMove(Grid, Mid(0, 6).X, Mid(0, 6).Y, TShiftState{ssLeft});
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 3, 4, 6));
    const int top = Grid->TopRow();
    UserMouseMove(Grid, Mid(0, 6).X, Grid->ClientRect().Height() - 2, TShiftState{ssLeft});
    EXPECT_EQ(Grid->TopRow(), top + 1);
    Press(WM_LBUTTONUP, TPoint(Mid(0, 6).X, Grid->ClientRect().Height() - 2));
    EXPECT_EQ(Grid->Selection().Top, 3);
}

TEST_F(EditingMouseTest, HeaderPressesSelectAllCellsOrWholeColumns)
{
    Grid->SetOptions(Grid->Options() << goRangeSelect);
    Grid->MouseActions()->AllSelect = true;
    Grid->MouseActions()->ColSelect = true;
    UserMouseMove(Grid, Mid(0, 0).X, Mid(0, 0).Y);
    Click(0, 0);
    EXPECT_EQ(Grid->Selection(), TGridRect(1, 1, 4, 4));
    UserMouseMove(Grid, Mid(2, 0).X, Mid(2, 0).Y);
    Click(2, 0);
    EXPECT_EQ(Grid->Selection(), TGridRect(2, 1, 2, 4));
    UserMouseMove(Grid, Mid(4, 0).X, Mid(4, 0).Y);
    UserClick(Grid, Mid(4, 0).X, Mid(4, 0).Y, TShiftState{ssShift});
    EXPECT_EQ(Grid->Selection(), TGridRect(2, 1, 4, 4));
}

TEST_F(EditingMouseTest, ClicksBuildTheDisjunctRowSelection)
{
    Grid->SetRowCount(8);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    const auto rows = [&] {
        String s;
        for (int r = 1; r < Grid->RowCount(); ++r)
            if (Grid->GetRowSelect(r)) s += IntToStr(r);
        return s;
    };
    struct Case {
        int row;
        TShiftState shift;
        const char* rows;
    };
    const Case cases[] = {
        {2, TShiftState(), "2"},
        {4, TShiftState{ssCtrl}, "24"},
        {6, TShiftState{ssCtrl}, "246"},
        {2, TShiftState{ssCtrl}, "46"},
        {3, TShiftState(), "3"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat("row ", IntToStr(k.row)));
        UserClick(Grid, Mid(3, k.row).X, Mid(3, k.row).Y, k.shift);
        EXPECT_EQ(rows(), k.rows);
    }
}

TEST_F(EditingMouseTest, TheMoveArrowsShowInTheArrowColour)
{
    Grid->SetOptions(Grid->Options() << goColMoving);
    EXPECT_EQ(Grid->ArrowColor(), clLime);
    Grid->SetArrowColor(clBlue);
    EXPECT_EQ(Grid->ArrowColor(), clBlue);
    for (int d = 0; d < 4; ++d) EXPECT_EQ(Grid->ArrowWindow(d)->Color(), clBlue);
    Press(WM_LBUTTONDOWN, Mid(1, 0));
    UserMouseMove(Grid, Mid(4, 0).X, Mid(4, 0).Y, TShiftState{ssLeft});
    TArrowWindow* down = Grid->ArrowWindow(arrDown);
    ASSERT_TRUE(down->Visible());
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "editing_move_arrow_colour.png", png));
    const TPoint at = down->ClientToScreen(TPoint(0, 0)), form = Form->ClientToScreen(TPoint(0, 0));
    const TRect R(at.X - form.X, at.Y - form.Y, at.X - form.X + down->Width(), at.Y - form.Y + down->Height());
    EXPECT_GT(Count_Pixels(png, R, clBlue), 10);
    EXPECT_EQ(Count_Pixels(png, R, clLime), 0);
    Press(WM_LBUTTONUP, Mid(4, 0));
}

TEST_F(EditingMouseTest, MovingAColumnShowsWhereItLandsAndTheWindowMayRefuse)
{
    Grid->SetOptions(Grid->Options() << goColMoving);
    for (int c = 0; c < 5; ++c) Grid->SetCellEx(c, 1, Cat("c", IntToStr(c)));
    const auto row1 = [&] {
        String s;
        for (int c = 1; c < 5; ++c) s += Grid->GetCellEx(c, 1);
        return s;
    };
    std::vector<int> refused;
    Grid->OnColumnMoving = [&](TObject*, int c, bool& Allow) { Allow = std::find(refused.begin(), refused.end(), c) == refused.end(); };
    const auto drag = [&](int from, int to, bool release) {
        Press(WM_LBUTTONDOWN, Mid(from, 0));
        UserMouseMove(Grid, Mid(to, 0).X, Mid(to, 0).Y, TShiftState{ssLeft});
        if (release) Press(WM_LBUTTONUP, Mid(to, 0));
    };
    refused = {4};
    drag(1, 4, false);
    EXPECT_EQ(Grid->Cursor(), crNoDrop);
    TArrowWindow* down = Grid->ArrowWindow(arrDown);
    EXPECT_TRUE(down->Visible());
    // The moved header's face follows the mouse, held where it was pressed.
    THeaderDragButton* face = nullptr;
    for (int i = 0; i < Grid->ControlCount(); ++i)
        if (auto* f = dynamic_cast<THeaderDragButton*>(Grid->Controls(i))) face = f;
    ASSERT_NE(face, nullptr);
    EXPECT_TRUE(face->Visible());
    EXPECT_EQ(face->Caption(), "H1");
    EXPECT_EQ(face->Left(), Mid(4, 0).X - (Mid(1, 0).X - Grid->CellRect(1, 0).Left));
    EXPECT_EQ(face->Width(), Grid->ColWidths(1));
    EXPECT_TRUE(SaveControlToPng(Form, Cat(TEST_OUTPUT_DIR, "/editing_column_move.png")));
    // Beyond column 1 the arrows stand at the right edge of the drop column.
    EXPECT_EQ(down->Left() + 5, Grid->CellRect(4, 0).Right);
    Press(WM_LBUTTONUP, Mid(4, 0));
    EXPECT_EQ(row1(), "c1c2c3c4");
    EXPECT_FALSE(down->Visible());
    EXPECT_FALSE(face->Visible());
    EXPECT_NE(Grid->Cursor(), crNoDrop);
    refused = {};
    int started = 0, ended = 0;
    Grid->OnStartBlockFocus = [&](TObject*) { ++started; };
    Grid->OnEndBlockFocus = [&](TObject*) { ++ended; };
    drag(1, 3, false);
    EXPECT_EQ(Grid->Cursor(), crDrag);
    EXPECT_GE(started, 1);
    EXPECT_EQ(ended, 0);
    Press(WM_LBUTTONUP, Mid(3, 0));
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(row1(), "c2c3c1c4");
    EXPECT_EQ(Grid->Cursor(), crDefault);
    // The right button pressed and released on the way drops nothing.
    drag(3, 1, false);
    Press(WM_RBUTTONDOWN, Mid(1, 0));
    Press(WM_RBUTTONUP, Mid(1, 0));
    EXPECT_EQ(row1(), "c2c3c1c4");
    UserMouseMove(Grid, Mid(2, 0).X, Mid(2, 0).Y, TShiftState{ssLeft});
    Press(WM_LBUTTONUP, Mid(2, 0));
    EXPECT_EQ(row1(), "c2c1c3c4");
    // A window that stops the move while it goes on.
    Grid->OnColumnMove = [](TObject*, int, bool& Allow) { Allow = false; };
    drag(1, 3, true);
    EXPECT_EQ(row1(), "c2c1c3c4");
}

TEST_F(EditingMouseTest, SelectionResizerDragsTheFarCornerOfTheSelection)
{
    Grid->SelectionRectangle = true;
    Grid->SelectionResizer = true;
    Grid->SetSelection(TGridRect(2, 1, 3, 2));
    std::vector<TGridRect> seen;
    Grid->OnSelectionResize = [&](TObject*, TGridRect from, TGridRect to) {
        seen.push_back(from);
        seen.push_back(to);
    };
    Grid->OnSelectionResized = [&](TObject*, TGridRect, TGridRect to) { seen.push_back(to); };
    const TRect corner = Grid->CellRect(3, 2);
    const TPoint handle(corner.Right - 2, corner.Bottom - 2);
    UserMouseMove(Grid, handle.X, handle.Y);
    EXPECT_EQ(Grid->MouseSelectMode(), msResize);
    EXPECT_EQ(Grid->Cursor(), crGridAllSelect);
    Press(WM_LBUTTONDOWN, handle);
    UserMouseMove(Grid, Mid(4, 4).X, Mid(4, 4).Y, TShiftState{ssLeft});
    EXPECT_EQ(Grid->Selection(), TGridRect(2, 1, 4, 4));
    // Above and left of the kept corner the selection does not turn over.
    UserMouseMove(Grid, Mid(1, 1).X, Mid(1, 1).Y, TShiftState{ssLeft});
    EXPECT_EQ(Grid->Selection(), TGridRect(2, 1, 2, 1));
    UserMouseMove(Grid, Mid(3, 4).X, Mid(3, 4).Y, TShiftState{ssLeft});
    Press(WM_LBUTTONUP, Mid(3, 4));
    EXPECT_EQ(Grid->Selection(), TGridRect(2, 1, 3, 4));
    EXPECT_EQ(seen, (std::vector<TGridRect>{TGridRect(2, 1, 3, 2), TGridRect(2, 1, 3, 4), TGridRect(2, 1, 3, 4)}));
    // A press inside the selection away from the corner selects as usual.
    seen.clear();
    Click(2, 2);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(Grid->Selection(), TGridRect(2, 2, 2, 2));
}

// ---------------------------------------------------------------- panning

TEST_F(EditingMouseTest, MiddleButtonPanningScrollsTowardsTheMouse)
{
    Grid->SetRowCount(60);
    Grid->MouseActions()->SetWheelAction(waScroll);
    Grid->SetShowHint(true);
    const TPoint origin(200, 150);
    Press(WM_MBUTTONDOWN, origin);
    ASSERT_TRUE(Grid->Panning());
    EXPECT_FALSE(Grid->ShowHint());
    const auto tick = [&] { Grid->Perform(WM_TIMER, 999, 0); };
    const int top = Grid->TopRow();
    UserMouseMove(Grid, origin.X, origin.Y + 40);
    tick();
    tick();
    tick();
    EXPECT_GE(Grid->TopRow(), top + 3);
    // Within 5 pixels of the origin nothing moves.
    UserMouseMove(Grid, origin.X + 3, origin.Y - 5);
    const int rest = Grid->TopRow();
    tick();
    EXPECT_EQ(Grid->TopRow(), rest);
    UserMouseMove(Grid, origin.X, origin.Y - 30);
    tick();
    EXPECT_LT(Grid->TopRow(), rest);
    // A second press ends the panning; ticks do nothing after it.
    Press(WM_MBUTTONDOWN, origin);
    EXPECT_FALSE(Grid->Panning());
    UserMouseMove(Grid, origin.X, origin.Y + 60);
    const int after = Grid->TopRow();
    tick();
    EXPECT_EQ(Grid->TopRow(), after);
    EXPECT_TRUE(Grid->ShowHint());
}

TEST_F(EditingMouseTest, PanningMovesTheCurrentCellAndAKeyEndsIt)
{
    Grid->SetRowCount(30);
    Grid->IntelliPan = ipBoth;
    Click(1, 5);
    const TPoint origin(150, 150);
    Press(WM_MBUTTONDOWN, origin);
    UserMouseMove(Grid, origin.X + 20, origin.Y + 20);
    Grid->Perform(WM_TIMER, 999, 0);
    EXPECT_GE(Grid->Row(), 6);
    EXPECT_GE(Grid->Col(), 2);
    Key(VK_SHIFT);
    EXPECT_FALSE(Grid->Panning());
    // Without a pan direction no press starts it.
    Grid->IntelliPan = ipNone;
    Press(WM_MBUTTONDOWN, origin);
    EXPECT_FALSE(Grid->Panning());
}

TEST_F(EditingMouseTest, WhilePanningTheWheelStepsOneRow)
{
    Grid->SetRowCount(30);
    Click(2, 5);
    UserWheel(Grid, -120);
    const int row = Grid->Row();
    EXPECT_GT(row, 6);   // the grid's own wheel moves by the lines per notch
    Press(WM_MBUTTONDOWN, TPoint(150, 150));
    ASSERT_TRUE(Grid->Panning());
    UserWheel(Grid, -120, 150, 150);
    EXPECT_EQ(Grid->Row(), row + 1);
    // With the wheel scrolling, the window's wheel event decides alone.
    Grid->MouseActions()->SetWheelAction(waScroll);
    int events = 0;
    Grid->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        ++events;
        Handled = true;
    };
    UserWheel(Grid, -120, 150, 150);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(Grid->Row(), row + 1);
}

// ---------------------------------------------------------------- key up

TEST_F(EditingMouseTest, ArrowWithAlwaysEditOpensTheEditorOfTheNextCell)
{
    LoadAsForm(Grid, 6, 5);
    Grid->Columns()->Items(4)->SetReadOnly(true);
    struct Case {
        bool alwaysEdit;
        int from;     // column the arrow leaves
        bool editor;  // an editor is open on the cell reached
    };
    const Case cases[] = {
        {true, 2, true},    // to text column 3
        {false, 2, false},  // without AlwaysEdit only the cell moves
        {true, 3, false},   // to the read-only column 4
        {true, 5, false},   // Left to the read-only column 4
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat("from ", IntToStr(k.from), k.alwaysEdit ? " always edit" : ""));
        Grid->Navigation()->AlwaysEdit = false;
        Click(k.from, 2);
        if (Grid->EditorMode()) Key(VK_ESCAPE);
        Grid->Navigation()->AlwaysEdit = k.alwaysEdit;
        UserFocus(Grid);
        Key(k.from == 5 ? VK_LEFT : VK_RIGHT);
        EXPECT_EQ(Grid->Col(), k.from == 5 ? 4 : k.from + 1);
        const bool open = Grid->EditorMode() && Grid->InplaceEditor() && Grid->InplaceEditor()->Visible();
        EXPECT_EQ(open, k.editor);
        if (Grid->EditorMode()) Key(VK_ESCAPE);
    }
}

TEST_F(EditingMouseTest, KeysKeepTheDisjunctCellSelection)
{
    Grid->Columns()->Items(3)->SetReadOnly(true);
    Grid->Columns()->Items(4)->SetReadOnly(true);
    Grid->MouseActions()->SetDisjunctCellSelect(true);
    Grid->SetOptions(Grid->Options() << goRangeSelect);
    Click(3, 1);
    Key(VK_SPACE);
    EXPECT_EQ(Grid->SelectedCellsCount(), 1);
    EXPECT_TRUE(Grid->GetSelectedCells(3, 1));
    Key(VK_DOWN);
    Key(VK_SPACE, TShiftState{ssCtrl});
    EXPECT_EQ(Grid->SelectedCellsCount(), 2);
    Key(VK_SPACE, TShiftState{ssCtrl});
    EXPECT_EQ(Grid->SelectedCellsCount(), 1);
    // Space alone makes the current cell the only one.
    Key(VK_SPACE);
    EXPECT_EQ(Grid->SelectedCellsCount(), 1);
    EXPECT_TRUE(Grid->GetSelectedCells(3, 2));
    // Shift with an arrow puts the new rectangle in the list, all but the current cell.
    Key(VK_RIGHT, TShiftState{ssShift});
    const TGridRect s = Grid->Selection();
    int inRect = 0;
    for (int y = s.Top; y <= s.Bottom; ++y)
        for (int x = s.Left; x <= s.Right; ++x) inRect += Grid->GetSelectedCells(x, y) ? 1 : 0;
    EXPECT_EQ(inRect, (s.Right - s.Left + 1) * (s.Bottom - s.Top + 1) - 1);
    EXPECT_FALSE(Grid->GetSelectedCells(Grid->Col(), Grid->Row()));
}

TEST_F(EditingMouseTest, ClicksStartTheDisjunctCellListAnewWithoutCtrl)
{
    Grid->MouseActions()->SetDisjunctCellSelect(true);
    Grid->SetOptions(Grid->Options() << goRangeSelect);
    Click(2, 1);
    UserClick(Grid, Mid(4, 3).X, Mid(4, 3).Y, TShiftState{ssCtrl});
    EXPECT_EQ(Grid->SelectedCellsCount(), 2);
    // Shift: the list becomes the rectangle up to the clicked cell.
    UserClick(Grid, Mid(3, 4).X, Mid(3, 4).Y, TShiftState{ssShift});
    const TGridRect s = Grid->Selection();
    EXPECT_EQ(Grid->SelectedCellsCount(), (s.Right - s.Left + 1) * (s.Bottom - s.Top + 1));
    EXPECT_FALSE(Grid->GetSelectedCells(2, 1) && !s.Contains(2, 1));
    Click(2, 2);
    EXPECT_EQ(Grid->SelectedCellsCount(), 1);
}

TEST_F(EditingMouseTest, CursorKeysReportTheNewSelection)
{
    std::vector<TGridRect> seen;
    Grid->OnSelectionChanged = [&](TObject*, int l, int t, int r, int b) { seen.emplace_back(l, t, r, b); };
    Click(3, 2);
    seen.clear();
    Key(VK_DOWN);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], TGridRect(3, 3, 3, 3));
    // A key that moves nothing reports nothing.
    seen.clear();
    Key(VK_SHIFT);
    EXPECT_TRUE(seen.empty());
}

}  // namespace

TEST_F(EditingMouseTest, AClickOnAnEditableRatingTakesTheHalfStarUnderThePoint)
{
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->Columns()->Items(1)->SetReadOnly(true);
    for (int c : {1, 2}) Grid->AddRating(c, 2, 5, clYellow, clGray);
    Grid->SetCellEx(1, 2, "3");
    Grid->SetCellEx(2, 2, "3");
    bool allow = true;
    std::vector<String> asked;
    Grid->OnRatingChange = [&](TObject*, int c, int r, double& rate, bool& Allow) {
        // The rate is counted in half stars.
        asked.push_back(Cat(IntToStr(c), ",", IntToStr(r), " ", IntToStr(int(rate * 2))));
        Allow = allow;
    };
    struct Case {
        int col, dx;
        bool allow;
        const char* asked;   // "" when the event is not asked; the rate in half stars
        double rate;         // the cell's value afterwards
    };
    const Case cases[] = {
        {2, 1, true, "2,2 0", 0.0},
        {2, 20, true, "2,2 2", 1.0},
        {2, 30, true, "2,2 3", 1.5},
        {2, 45, false, "2,2 5", 1.5},   // refused: the value stays
        {1, 45, true, "", 3.0},            // read-only column: no rating change
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.dx);
        asked.clear();
        allow = k.allow;
        const TRect R = Grid->CellRect(k.col, 2);
        UserClick(Grid, R.Left + k.dx, (R.Top + R.Bottom) / 2);
        EXPECT_EQ(asked, *k.asked ? std::vector<String>{k.asked} : std::vector<String>{});
        EXPECT_DOUBLE_EQ(Grid->GetFloats(k.col, 2), k.rate);
    }
}

TEST_F(EditingMouseTest, AClickAnywhereOnAMergedAreaSelectsItsBaseCell)
{
    Grid->MergeCells(2, 2, 2, 2);
    std::vector<String> clicked;
    Grid->OnClickCell = [&](TObject*, int r, int c) { clicked.push_back(Cat(IntToStr(c), ",", IntToStr(r))); };
    for (const TPoint cell : {TPoint(3, 3), TPoint(3, 2), TPoint(2, 3)}) {
        SCOPED_TRACE(Cat(IntToStr(cell.X), ",", IntToStr(cell.Y)));
        Click(1, 1);
        const TRect R = Grid->CellRect(2, 2);
        // A point inside the part of the area that lies in `cell`.
        const int x = R.Left + (cell.X - 2) * Grid->ColWidths(2) + 10;
        const int y = R.Top + (cell.Y - 2) * Grid->RowHeights(2) + 5;
        clicked.clear();
        UserClick(Grid, x, y);
        EXPECT_EQ(Grid->Col(), 2);
        EXPECT_EQ(Grid->Row(), 2);
        EXPECT_EQ(clicked, (std::vector<String>{"2,2"}));
    }
}
