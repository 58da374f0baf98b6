// Columns and rows moved by dragging their headers and by code: what travels with them
// (texts, widths, heights, hidden columns, column items, the sort column, the current
// column, a synchronised grid), the events in their order, the moves that are refused,
// the picture of a drag with its arrows, and the drag settings objects.
#include <algorithm>
#include <memory>
#include <vector>

#include "grid/dragdrop/DragDropSettings.h"
#include "grid/dragdrop/DragScrollOptions.h"
#include "grid/footer/FloatingFooter.h"
#include "grid/input/HeaderDragButton.h"
#include "grid/sort/SortSettings.h"
#include "grid/util/GridSupport.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/common/colgrid_fixture.h"

namespace {

class MovingTest : public ColGridTest {
protected:
    std::vector<String> Log;

    void SetUp() override
    {
        ColGridTest::SetUp();
        LoadAsForm(Grid, 8, 7);
        for (int r = 1; r < Grid->RowCount(); ++r)
            for (int c = 0; c < 8; ++c) Grid->SetCellEx(c, r, Cat("c", IntToStr(c), "r", IntToStr(r)));
        UserFocus(Grid);
    }
    TPoint Mid(int c, int r) { return CellMid(Grid, c, r); }
    void Press(unsigned msg, TPoint p) { gui_input::Mouse(Grid, msg, p.X, p.Y, TShiftState()); }
    // A header dragged by the user from one cell to another, through a point halfway.
    void Drag(TPoint from, TPoint to, bool release = true)
    {
        Press(WM_LBUTTONDOWN, from);
        UserMouseMove(Grid, (from.X + to.X) / 2, (from.Y + to.Y) / 2, TShiftState{ssLeft});
        UserMouseMove(Grid, to.X, to.Y, TShiftState{ssLeft});
        if (release) Press(WM_LBUTTONUP, to);
    }
    void DragColumn(int from, int to, bool release = true) { Drag(Mid(from, 0), Mid(to, 0), release); }
    void DragRow(int from, int to, bool release = true) { Drag(Mid(0, from), Mid(0, to), release); }
    // The headers in display order.
    String Headers()
    {
        String s;
        for (int c = 0; c < Grid->ColCount(); ++c) (s.empty() ? s : s += ' ') += Grid->GetCellEx(Grid->RealColIndex(c), 0);
        return s;
    }
    // Column 0's texts from the first data row down.
    String Rows()
    {
        String s;
        for (int r = 1; r < Grid->RowCount(); ++r) (s.empty() ? s : s += ' ') += Grid->GetCellEx(1, r);
        return s;
    }
    // A log line, once for events that repeat while the mouse moves.
    void Note(const String& s)
    {
        if (Log.empty() || Log.back() != s) Log.push_back(s);
    }
    void LogColumnEvents()
    {
        Grid->OnColumnMove = [&](TObject*, int c, bool&) { Note(Cat("move ", IntToStr(c))); };
        Grid->OnColumnMoving = [&](TObject*, int c, bool&) { Note(Cat("moving ", IntToStr(c))); };
        Grid->OnStartBlockFocus = [&](TObject*) { Note("start"); };
        Grid->OnColumnMoved = [&](TObject*, int f, int t) { Note(Cat("moved ", IntToStr(f), ">", IntToStr(t))); };
        Grid->OnAfterColumnMoved = [&](TObject*, int f, int t) { Note(Cat("after ", IntToStr(f), ">", IntToStr(t))); };
        Grid->OnEndBlockFocus = [&](TObject*) { Note("end"); };
    }
    THeaderDragButton* Face()
    {
        for (int i = 0; i < Grid->ControlCount(); ++i)
            if (auto* f = dynamic_cast<THeaderDragButton*>(Grid->Controls(i))) return f;
        return nullptr;
    }
};

// ---------------------------------------------------------------- dragging

TEST_F(MovingTest, ADraggedColumnTakesItsCellsWidthItemAndTheHiddenColumnStaysHidden)
{
    Grid->SetOptions(Grid->Options() << goColMoving);
    Grid->HideColumn(3);
    ASSERT_EQ(Headers(), "H0 H1 H2 H4 H5 H6 H7");
    TGridColumnItem* two = Grid->Columns()->Items(2);
    LogColumnEvents();
    // Releasing a moved header is no click on it: nothing sorts.
    Grid->SortSettings()->SetShow(true);
    Grid->OnClickSort = [&](TObject*, int c) { Note(Cat("sorted ", IntToStr(c))); };
    Grid->SetCellEx(2, 1, "zz");
    // Display 2 (real 2) onto display 5 (real 6).
    DragColumn(2, 5);
    EXPECT_EQ(Headers(), "H0 H1 H4 H5 H6 H2 H7");
    EXPECT_EQ(Grid->GetCellEx(Grid->RealColIndex(5), 4), "c2r4");
    EXPECT_EQ(Grid->ColWidths(5), 42);
    EXPECT_EQ(Grid->ColWidths(2), 44);
    EXPECT_EQ(Grid->Columns()->Items(6), two);
    EXPECT_EQ(Grid->Columns()->Items(6)->Editor(), edComboList);
    // The window hears the moves in this order: asked on every mouse move, the block
    // focus ends with the release, then the move with real indexes.
    EXPECT_EQ(Log, (std::vector<String>{"move 2", "start", "moving 4", "move 2", "start", "moving 5", "end",
                                        "moved 2>6", "after 2>6"}));
    // The hidden column kept its cells and its width and comes back where it stood
    // among the real columns.
    EXPECT_TRUE(Grid->IsHiddenColumn(2));
    Grid->UnHideColumnsAll();
    EXPECT_EQ(Headers(), "H0 H1 H3 H4 H5 H6 H2 H7");
    EXPECT_EQ(Grid->GetCellEx(2, 5), "c3r5");
    EXPECT_EQ(Grid->ColWidths(2), 43);
    EXPECT_EQ(Grid->ColWidths(6), 42);
}

TEST_F(MovingTest, ADraggedRowTakesItsCellsAndHeightAndIsReportedOnceWhenInPlace)
{
    Grid->SetOptions(Grid->Options() << goRowMoving);
    Grid->SetRowHeights(2, 34);
    std::vector<String> seen;
    Grid->OnRowMoving = [&](TObject*, int r, bool&) { Note(Cat("moving ", IntToStr(r))); };
    Grid->OnRowMoved = [&](TObject*, int f, int t) {
        // By now the row stands at its new place with its height.
        Note(Cat("moved ", IntToStr(f), ">", IntToStr(t), " ", Grid->GetCellEx(1, t), " ",
                 IntToStr(Grid->RowHeights(t))));
    };
    DragRow(2, 5);
    EXPECT_EQ(Rows(), "c1r1 c1r3 c1r4 c1r5 c1r2 c1r6");
    EXPECT_EQ(Grid->RowHeights(5), 34);
    EXPECT_EQ(Grid->RowHeights(2), Grid->DefaultRowHeight());
    EXPECT_EQ(std::count_if(Log.begin(), Log.end(), [](const String& s) { return s.rfind("moved", 0) == 0; }), 1);
    EXPECT_EQ(Log.back(), "moved 2>5 c1r2 34");
    // Back up again.
    Log.clear();
    DragRow(5, 1);
    EXPECT_EQ(Rows(), "c1r2 c1r1 c1r3 c1r4 c1r5 c1r6");
    EXPECT_EQ(Log.back(), "moved 5>1 c1r2 34");
}

TEST_F(MovingTest, RefusedMovesLeaveTheGridAsItWas)
{
    Grid->SetOptions(Grid->Options() + TGridOptions{goColMoving, goRowMoving});
    const String headers = Headers(), rows = Rows();
    struct Case {
        const char* name;
        std::function<void()> prepare;
        std::function<void()> drag;
    };
    bool refuseStart = false, refuseDrop = false;
    Grid->OnColumnMove = [&](TObject*, int, bool& Allow) { Allow = !refuseStart; };
    Grid->OnColumnMoving = [&](TObject*, int c, bool& Allow) { Allow = !(refuseDrop && c == 4); };
    Grid->OnRowMove = [&](TObject*, int, bool& Allow) { Allow = !refuseStart; };
    int moved = 0;
    Grid->OnColumnMoved = [&](TObject*, int, int) { ++moved; };
    Grid->OnRowMoved = [&](TObject*, int, int) { ++moved; };
    const Case cases[] = {
        // The fixed column's header does not move, nor does the header row.
        {"fixed column", [] {}, [this] { DragColumn(0, 3); }},
        {"header row", [] {}, [this] { DragRow(0, 3); }},
        {"window stops the column", [&] { refuseStart = true; }, [this] { DragColumn(2, 5); }},
        {"window stops the row", [&] { refuseStart = true; }, [this] { DragRow(2, 5); }},
        {"window refuses the drop place", [&] { refuseDrop = true; }, [this] { DragColumn(2, 4); }},
        // The floating footer shows the last row: no row lands there.
        {"onto the footer row", [&] { Grid->FloatingFooter()->SetVisible(true); },
         [this] { DragRow(2, Grid->RowCount() - 1); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        refuseStart = refuseDrop = false;
        moved = 0;
        k.prepare();
        k.drag();
        EXPECT_EQ(Headers(), headers);
        EXPECT_EQ(Rows(), rows);
        EXPECT_EQ(moved, 0);
        EXPECT_TRUE(Grid->Cursor() != crDrag && Grid->Cursor() != crNoDrop);
        THeaderDragButton* face = Face();
        ASSERT_NE(face, nullptr);
        EXPECT_FALSE(face->Visible());
        Grid->FloatingFooter()->SetVisible(false);
    }
}

TEST_F(MovingTest, TheFooterRowStaysLastWhenRowsAreMovedByCode)
{
    Grid->FloatingFooter()->SetVisible(true);
    const int last = Grid->RowCount() - 1;
    const String rows = Rows();
    Grid->MoveRow(2, last);
    EXPECT_EQ(Rows(), rows);
    // Any other place takes the row; the footer row itself is not in the way.
    Grid->MoveRow(2, last - 1);
    EXPECT_EQ(Rows(), "c1r1 c1r3 c1r4 c1r5 c1r2 c1r6");
    // Another footer style keeps no row.
    Grid->FloatingFooter()->SetFooterStyle(fsColumnPreview);
    Grid->MoveRow(1, last);
    EXPECT_EQ(Grid->GetCellEx(1, last), "c1r1");
}

TEST_F(MovingTest, WithoutEnhancedMovingNoArrowsOrFaceShowAndWidthsStillFollow)
{
    Grid->SetOptions(Grid->Options() << goColMoving);
    Grid->EnhRowColMove = false;
    DragColumn(2, 5, false);
    for (int d = 0; d < 4; ++d) EXPECT_FALSE(Grid->ArrowWindow(d)->Visible());
    EXPECT_FALSE(Face()->Visible());
    Press(WM_LBUTTONUP, Mid(5, 0));
    EXPECT_EQ(Headers(), "H0 H1 H3 H4 H5 H2 H6 H7");
    EXPECT_EQ(Grid->ColWidths(5), 42);
    EXPECT_EQ(Grid->ColWidths(2), 43);
}

// ---------------------------------------------------------------- what follows a move

TEST_F(MovingTest, TheSortColumnAndTheIndexKeysFollowAMovedColumn)
{
    struct Case {
        int from, to, sortBefore, sortAfter;
    };
    const Case cases[] = {
        {2, 5, 5, 4}, {2, 5, 2, 5}, {2, 5, 1, 1}, {2, 5, 3, 2}, {2, 5, 6, 6},
        {5, 2, 2, 3}, {5, 2, 5, 2}, {5, 2, 4, 5}, {5, 2, 6, 6}, {5, 2, 1, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat(IntToStr(k.from), ">", IntToStr(k.to), " sorted ", IntToStr(k.sortBefore)));
        Grid->SortSettings()->Column = k.sortBefore;
        Grid->MoveColumn(k.from, k.to);
        EXPECT_EQ(Grid->SortSettings()->Column, k.sortAfter);
        Grid->MoveColumn(k.to, k.from);
    }
    // The keys of an indexed sort follow when the grid shows them.
    Grid->SortSettings()->IndexShow = true;
    Grid->SortIndexes()->Clear();
    Grid->SortIndexes()->AddIndex(5, true);
    Grid->SortIndexes()->AddIndex(2, false);
    Grid->SortIndexes()->AddIndex(1, true);
    Grid->MoveColumn(2, 5);
    EXPECT_EQ(Grid->SortIndexes()->GetSortColumns(0), 4);
    EXPECT_EQ(Grid->SortIndexes()->GetSortColumns(1), 5);
    EXPECT_FALSE(Grid->SortIndexes()->GetSortDirections(1));
    EXPECT_EQ(Grid->SortIndexes()->GetSortColumns(2), 1);
    // With a hidden column the sort column is a real index.
    Grid->SortSettings()->Column = 6;
    Grid->HideColumn(3);
    Grid->MoveColumn(4, 2);   // real 5 to real 2
    EXPECT_EQ(Grid->SortSettings()->Column, 6);
    Grid->SortSettings()->Column = 5;
    Grid->MoveColumn(2, 4);   // real 2 back to real 5
    EXPECT_EQ(Grid->SortSettings()->Column, 4);
}

TEST_F(MovingTest, TheTextsOfHiddenRowsFollowAMovedColumn)
{
    Grid->HideRow(3);
    Grid->HideColumn(5);
    Grid->MoveColumn(1, 5);   // real 1 to real 6, across the hidden column
    Grid->UnHideRow(3);
    Grid->UnHideColumnsAll();
    String row3;
    for (int c = 0; c < 8; ++c) (row3.empty() ? row3 : row3 += ' ') += Grid->GetCellEx(c, 3);
    EXPECT_EQ(row3, "c0r3 c2r3 c3r3 c4r3 c5r3 c6r3 c1r3 c7r3");
    EXPECT_EQ(Grid->GetCellEx(6, 2), "c1r2");
}

TEST_F(MovingTest, TheCurrentColumnFollowsTheMoveByMouse)
{
    Grid->SetOptions(Grid->Options() << goColMoving);
    struct Case {
        int current, from, to, after;
    };
    const Case cases[] = {{2, 2, 5, 5}, {4, 2, 5, 3}, {6, 2, 5, 6}, {3, 5, 2, 4}, {5, 5, 2, 2}};
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat("current ", IntToStr(k.current), " ", IntToStr(k.from), ">", IntToStr(k.to)));
        Grid->SetCol(k.current);
        DragColumn(k.from, k.to);
        EXPECT_EQ(Grid->Col(), k.after);
        EXPECT_EQ(Grid->GetCellEx(Grid->RealColIndex(Grid->Col()), 0), Cat("H", IntToStr(k.current)));
        Grid->MoveColumn(k.to, k.from);
    }
}

TEST_F(MovingTest, ASynchronisedGridMirrorsEachMoveOnce)
{
    auto* other = new TExtColumnGrid(Form);
    other->SetParent(Form);
    other->SetBounds(0, 200, 400, 200);
    LoadAsForm(other, 8, 7);
    for (int r = 1; r < 7; ++r) other->SetCellEx(1, r, Cat("o", IntToStr(r)));
    // Each grid follows the other.
    Grid->SyncGrid()->SetGrid(other);
    other->SyncGrid()->SetGrid(Grid);
    for (TExtStringGrid* g : {static_cast<TExtStringGrid*>(Grid), static_cast<TExtStringGrid*>(other)}) {
        g->SyncGrid()->MoveColumn = true;
        g->SyncGrid()->MoveRow = true;
    }
    int mine = 0, theirs = 0, mineRows = 0, theirRows = 0;
    Grid->OnColumnMoved = [&](TObject*, int, int) { ++mine; };
    other->OnColumnMoved = [&](TObject*, int, int) { ++theirs; };
    Grid->OnRowMoved = [&](TObject*, int, int) { ++mineRows; };
    other->OnRowMoved = [&](TObject*, int, int) { ++theirRows; };
    const auto headers = [](TExtColumnGrid* g) {
        String s;
        for (int c = 0; c < g->ColCount(); ++c) s += g->GetCellEx(c, 0);
        return s;
    };
    Grid->MoveColumn(1, 3);
    EXPECT_EQ(headers(Grid), "H0H2H3H1H4H5H6H7");
    EXPECT_EQ(headers(other), headers(Grid));
    EXPECT_EQ(mine, 1);
    EXPECT_EQ(theirs, 1);
    other->MoveColumn(3, 1);
    EXPECT_EQ(headers(Grid), "H0H1H2H3H4H5H6H7");
    EXPECT_EQ(headers(other), headers(Grid));
    EXPECT_EQ(mine, 2);
    EXPECT_EQ(theirs, 2);
    // A move by the mouse is mirrored too.
    Grid->SetOptions(Grid->Options() << goRowMoving);
    DragRow(1, 3);
    EXPECT_EQ(other->GetCellEx(1, 3), "o1");
    EXPECT_EQ(mineRows, 1);
    EXPECT_EQ(theirRows, 1);
    // Without the setting nothing is mirrored; a grid too small for the move is left alone.
    other->SyncGrid()->MoveColumn = false;
    other->MoveColumn(1, 2);
    EXPECT_EQ(headers(Grid), "H0H1H2H3H4H5H6H7");
    other->SetColCount(4);
    Grid->MoveColumn(2, 6);
    EXPECT_EQ(theirs, 3);
    EXPECT_EQ(mine, 3);
}

// ---------------------------------------------------------------- the picture of a drag

TEST_F(MovingTest, TheDraggedColumnShowsItsArrowsAtTheDropEdgeAndItsFace)
{
    Grid->SetOptions(Grid->Options() << goColMoving);
    Grid->SetArrowColor(clRed);
    Grid->Columns()->Items(2)->SetHeader("Moved");
    DragColumn(2, 5, false);
    TArrowWindow* down = Grid->ArrowWindow(arrDown);
    TArrowWindow* up = Grid->ArrowWindow(arrUp);
    ASSERT_TRUE(down->Visible());
    ASSERT_TRUE(up->Visible());
    THeaderDragButton* face = Face();
    ASSERT_TRUE(face->Visible());
    EXPECT_EQ(face->Caption(), "Moved");
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "moving_column_arrows.png", png));
    const TPoint origin = Grid->ClientToScreen(TPoint(0, 0)), form = Form->ClientToScreen(TPoint(0, 0));
    const int dx = origin.X - form.X, dy = origin.Y - form.Y;
    // Moving right, the column lands right of column 5: both arrows stand on that edge.
    const int edge = Grid->CellRect(5, 0).Right + dx;
    const int bottom = std::min(Grid->ClientRect().Height(), Grid->GridHeight()) + dy;
    const TRect top(edge - 6, Grid->CellRect(5, 0).Top + dy, edge + 6, Grid->CellRect(5, 0).Top + dy + 12);
    const TRect low(edge - 6, bottom - 12, edge + 6, bottom);
    EXPECT_GT(Count_Pixels(png, top, clRed), 15);
    EXPECT_GT(Count_Pixels(png, low, clRed), 15);
    // Nowhere else: not at the edges of the column it came from.
    const int from = Grid->CellRect(2, 0).Left + dx;
    EXPECT_EQ(Count_Pixels(png, TRect(from - 6, dy, from + 6, bottom), clRed), 0);
    EXPECT_EQ(Count_Pixels(png, TRect(0, 0, png.Width(), png.Height()), clRed),
              Count_Pixels(png, top, clRed) + Count_Pixels(png, low, clRed));
    // The face has the header's own face inside its raised border: the same colour as
    // the header of an unmoved column at the same height.
    const TRect fr(face->Left() + dx, face->Top() + dy, face->Left() + dx + face->Width(), face->Top() + dy + face->Height());
    const TRect h7 = Grid->CellRect(7, 0);
    const TColor faceColour = png.Canvas()->Pixels(fr.Left + 3, fr.Top + 4);
    const TColor headerColour = png.Canvas()->Pixels(h7.Left + dx + 3, h7.Top + dy + 4);
    EXPECT_EQ(faceColour, headerColour);
    Press(WM_LBUTTONUP, Mid(5, 0));
    EXPECT_EQ(Headers(), "H0 H1 H3 H4 H5 Moved H6 H7");
    EXPECT_FALSE(down->Visible());
    EXPECT_FALSE(up->Visible());
}

// ---------------------------------------------------------------- drag settings

TEST(DragSettingsTest, ScrollOptionsStartAsDocumentedAndCopyWholeFromTheirOwnKind)
{
    TDragScrollOptions o;
    EXPECT_FALSE(o.Active);
    EXPECT_EQ(o.Delays.InitialDelay, 1000);
    EXPECT_EQ(o.Delays.RepeatDelay, 250);
    for (int m : {o.Margins.TopMargin, o.Margins.BottomMargin, o.Margins.LeftMargin, o.Margins.RightMargin})
        EXPECT_EQ(m, 50);
    TDragScrollOptions src;
    src.Active = true;
    src.Delays.InitialDelay = 10;
    src.Delays.RepeatDelay = 20;
    src.Margins.TopMargin = 1;
    src.Margins.BottomMargin = 2;
    src.Margins.LeftMargin = 3;
    src.Margins.RightMargin = 4;
    o.Assign(&src);
    EXPECT_TRUE(o.Active);
    EXPECT_EQ(o.Delays.InitialDelay, 10);
    EXPECT_EQ(o.Delays.RepeatDelay, 20);
    EXPECT_EQ(o.Margins.TopMargin, 1);
    EXPECT_EQ(o.Margins.BottomMargin, 2);
    EXPECT_EQ(o.Margins.LeftMargin, 3);
    EXPECT_EQ(o.Margins.RightMargin, 4);
    // Another kind of source changes nothing, for the options and their parts.
    TDragScrollDelays d;
    o.Assign(&d);
    o.Delays.Assign(&o.Margins);
    o.Margins.Assign(&o.Delays);
    EXPECT_EQ(o.Delays.InitialDelay, 10);
    EXPECT_EQ(o.Margins.TopMargin, 1);
    d.Assign(&src.Delays);
    EXPECT_EQ(d.RepeatDelay, 20);
}

class DragDropSettingsTest : public ColGridTest {
protected:
    std::vector<String> Calls;
    bool RegisterWorks = true;
    void SetUp() override
    {
        ColGridTest::SetUp();
        GridDropTargetHooks().Register = [this](TExtStringGrid*) {
            Calls.push_back("register");
            return RegisterWorks;
        };
        GridDropTargetHooks().Revoke = [this](TExtStringGrid*) { Calls.push_back("revoke"); };
    }
    void TearDown() override
    {
        ColGridTest::TearDown();
        GridDropTargetHooks() = TGridDropTargetHooks();
        SetDropRTF(false);
    }
};

TEST_F(DragDropSettingsTest, DefaultsAndTheDropTargetRegistration)
{
    TDragDropSettings* s = Grid->DragDropSettings();
    const bool on[] = {s->OleAcceptText, s->OleAcceptFiles, s->OleAcceptURLs, s->ShowCells()};
    const bool off[] = {s->OleDropRTF(),      s->OleEntireRows,    s->OleDropSource,    s->OleRemoveRows,
                        s->OleDropTarget(),   s->OleInsertRows,    s->OleAppendRows,    s->OleCopyAlways,
                        s->OleColumnDragDrop, s->OleColumnReorder, s->OleColumnsOnly,   s->DropTargetAssigned()};
    for (bool b : on) EXPECT_TRUE(b);
    for (bool b : off) EXPECT_FALSE(b);
    struct Case {
        const char* name;
        bool works, value;
        const char* calls;
        bool assigned;
    };
    const Case cases[] = {
        {"switched on", true, true, "register", true},
        {"on again: registered once", true, true, "", true},
        {"switched off", true, false, "revoke", false},
        {"off again", true, false, "", false},
        {"registration fails", false, true, "register", false},
        {"off after a failure does not revoke", false, false, "", false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Calls.clear();
        RegisterWorks = k.works;
        s->SetOleDropTarget(k.value);
        String calls;
        for (const String& c : Calls) calls += c;
        EXPECT_EQ(calls, k.calls);
        EXPECT_EQ(s->OleDropTarget(), k.value);
        EXPECT_EQ(s->DropTargetAssigned(), k.assigned);
    }
    // A grid that goes while registered takes its registration with it.
    RegisterWorks = true;
    s->SetOleDropTarget(true);
    Calls.clear();
    delete Form;
    Form = nullptr;
    EXPECT_EQ(Calls, (std::vector<String>{"revoke"}));
    Form = new TForm(nullptr);
}

TEST_F(DragDropSettingsTest, RichTextDropsAreOneSettingAndAssignCopiesThroughTheSetters)
{
    TDragDropSettings* s = Grid->DragDropSettings();
    s->SetOleDropRTF(true);
    EXPECT_TRUE(DropRTF());
    TDragDropSettings src(nullptr);
    src.OleColumnReorder = true;
    src.OleAcceptFiles = false;
    src.SetShowCells(false);
    src.SetOleDropTarget(true);   // registers the source's own (no) grid
    Calls.clear();
    s->Assign(&src);
    EXPECT_FALSE(DropRTF());
    EXPECT_FALSE(s->OleDropRTF());
    EXPECT_TRUE(s->OleColumnReorder);
    EXPECT_FALSE(s->OleAcceptFiles);
    EXPECT_FALSE(s->ShowCells());
    EXPECT_TRUE(s->OleDropTarget());
    EXPECT_TRUE(s->DropTargetAssigned());
    EXPECT_EQ(Calls, (std::vector<String>{"register"}));
    // Any other source is ignored.
    TDragScrollOptions other;
    s->Assign(&other);
    EXPECT_TRUE(s->OleColumnReorder);
}

}  // namespace
