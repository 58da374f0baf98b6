// The rubber band drawn with the mouse over a multi-selection tree, and the tree
// scrolling by itself while the band is drawn near or beyond an edge.
#include "tests/common/Snapshot.h"
#include "tests/treeview/input/mouse_fixture.h"

namespace {

class RubberBandTest : public MouseTreeTest {
protected:
    void SetUp() override
    {
        MouseTreeTest::SetUp();
        AddOptions(TLTSelectionOptions{toMultiSelect});
    }
    // Press at From, move through the points with the button held.
    void Drag(TPoint From, std::initializer_list<TPoint> Through, TShiftState Shift = TShiftState())
    {
        Send(WM_LBUTTONDOWN, From.X, From.Y, Shift);
        for (TPoint p : Through) Send(WM_MOUSEMOVE, p.X, p.Y, Shift + TShiftState{ssLeft});
    }
    // The right edge of a top-level label.
    int LabelRight()
    {
        THitInfo hit;
        for (int x = TopLabelX;; ++x) {
            Tree->GetHitTestInfoAt(x, RowY(0), true, hit);
            if (!hit.HitPositions.Contains(hiOnItemLabel)) return x - 1;
        }
    }
};

TEST_F(RubberBandTest, SelectsWhatTheBandTouchesAndGivesBackWhatItLeaves)
{
    Shape({0, 0, 0, 0, 0});
    const int right = LabelRight();
    // From right of the labels down over three rows: nothing until the band reaches back
    // to the text, whose right edge counts.
    Drag(TPoint(EmptyX, RowY(0)), {TPoint(right + 10, RowY(2))});
    EXPECT_TRUE(In(tsDrawSelecting));
    EXPECT_EQ(Selection(), "");
    Send(WM_MOUSEMOVE, right, RowY(2), TShiftState{ssLeft});
    EXPECT_EQ(Selection(), "0 1 2");
    // Back up: a row's bottom edge is not part of it.
    Send(WM_MOUSEMOVE, right, 18 * 2, TShiftState{ssLeft});
    EXPECT_EQ(Selection(), "0 1");
    // The text's right edge is the first pixel after its last one.
    Send(WM_MOUSEMOVE, right + 1, RowY(1), TShiftState{ssLeft});
    EXPECT_EQ(Selection(), "0 1");
    Send(WM_MOUSEMOVE, right + 2, RowY(1), TShiftState{ssLeft});
    EXPECT_EQ(Selection(), "");
    Send(WM_LBUTTONUP, right + 2, RowY(1));
    EXPECT_FALSE(Tree->IsMouseSelecting());
    EXPECT_CONSISTENT(Tree);
}

TEST_F(RubberBandTest, CtrlTogglesAndPlainBandDeselectsOnLeaving)
{
    Shape({0, 0, 0, 0});
    struct TCase {
        const char* Name;
        TShiftState Shift;
        std::vector<std::string> Steps;   // the selection after each move: over 0..2, back to 0..0, over 0..2
    };
    const TCase cases[] = {
        {"plain", TShiftState(), {"0 1 2", "0", "0 1 2"}},
        {"ctrl", TShiftState{ssCtrl}, {"0 2 3", "0 1 3", "0 2 3"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->ClearSelection();
        Tree->SetSelected(At("1"), true);
        Tree->SetSelected(At("3"), true);
        Drag(TPoint(EmptyX, RowY(0)), {TPoint(20, RowY(2))}, c.Shift);
        EXPECT_EQ(Selection(), c.Steps[0]);
        Send(WM_MOUSEMOVE, 20, RowY(0), c.Shift + TShiftState{ssLeft});
        EXPECT_EQ(Selection(), c.Steps[1]);
        Send(WM_MOUSEMOVE, 20, RowY(2), c.Shift + TShiftState{ssLeft});
        EXPECT_EQ(Selection(), c.Steps[2]);
        Send(WM_LBUTTONUP, 20, RowY(2), c.Shift);
        EXPECT_CONSISTENT(Tree);
    }
}

TEST_F(RubberBandTest, ModesAndDirections)
{
    Shape({0, 0, 0});
    struct TCase {
        const char* Name;
        TLTSelectionOptions Options;
        TBiDiMode BiDi;
        int ToX;   // the band goes from the empty area at row 0 to (ToX, row 1)
        std::string Expect;
    };
    const TCase cases[] = {
        {"left to right, short of the text", {}, bdLeftToRight, 200, ""},
        {"full row, left to right", TLTSelectionOptions{toFullRowSelect}, bdLeftToRight, 200, "0 1"},
        // The press itself selects its row with full-row selection; the band adds nothing.
        {"full row, right to left: no effect", TLTSelectionOptions{toFullRowSelect}, bdRightToLeft, 200, "0"},
        {"simple, right to left: every row overlapped", TLTSelectionOptions{toSimpleDrawSelection}, bdRightToLeft, 280,
         "0 1"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto* o = Tree->TreeOptions();
        o->SetSelectionOptions(TLTSelectionOptions{toMultiSelect} + c.Options);
        TLazyTreeColumn* col = Tree->Header()->Columns()->Add();
        col->SetWidth(290);
        col->SetBiDiMode(c.BiDi);
        Tree->ClearSelection();
        // Right to left the labels sit at the right: the band starts at the far left.
        const int from = c.BiDi == bdLeftToRight ? 280 : 5;
        const int to = c.BiDi == bdLeftToRight ? c.ToX : 290 - c.ToX;
        Drag(TPoint(from, RowY(0)), {TPoint(to, RowY(1))});
        EXPECT_EQ(Selection(), c.Expect);
        Send(WM_LBUTTONUP, to, RowY(1));
        Tree->Header()->Columns()->Clear();
    }
}

TEST_F(RubberBandTest, CornerClampsToTheContentAndAnEmptyTreeSelectsNothing)
{
    Shape({0, 0, 0});
    Drag(TPoint(EmptyX, RowY(0)), {TPoint(-50, 500)});
    const TRect r = Tree->NewSelRect();
    EXPECT_EQ(r.Right, 0);
    EXPECT_EQ(r.Bottom, std::max(Tree->ClientHeight(), Tree->RangeY()));
    EXPECT_EQ(Selection(), "0 1 2");
    // Back inside the selection follows again.
    Send(WM_MOUSEMOVE, 20, RowY(0), TShiftState{ssLeft});
    EXPECT_EQ(Selection(), "0");
    Send(WM_LBUTTONUP, 20, RowY(0));

    Tree->Clear();
    Drag(TPoint(EmptyX, 20), {TPoint(10, 120)});
    EXPECT_TRUE(In(tsDrawSelecting));
    EXPECT_FALSE(Tree->ApplyDrawSelection());
    EXPECT_EQ(Tree->SelectedCount(), 0u);
    Send(WM_LBUTTONUP, 10, 120);
}

TEST_F(RubberBandTest, BandStartsOnlyBeyondTheDragThreshold)
{
    Shape({0, 0});
    Tree->SetSelected(At("1"), true);
    Drag(TPoint(20, RowY(0)), {TPoint(24, RowY(0) + 4)});
    EXPECT_TRUE(In(tsDrawSelPending));
    EXPECT_FALSE(In(tsDrawSelecting));
    Send(WM_MOUSEMOVE, 25, RowY(0) + 4, TShiftState{ssLeft});
    EXPECT_TRUE(In(tsDrawSelecting));
    Send(WM_LBUTTONUP, 25, RowY(0) + 4);
}

TEST_F(RubberBandTest, PictureOfABandInProgress)
{
    Shape({0, 0, 0, 0, 0, 0});
    Tree->SetDrawSelectionMode(smBlendedRectangle);
    Tree->Colors()->SetColor(TLTColors::SelectionRectangleBorderColorIdx, clRed);
    Drag(TPoint(EmptyX, 10), {TPoint(20, 60)});
    ASSERT_TRUE(In(tsDrawSelecting));
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Tree, "rubber_band.png", png));
    // The band's frame in its border colour along its four sides, none outside it.
    EXPECT_GT(Count_Pixels(png, TRect(21, 10, EmptyX, 11), clRed), 200);
    EXPECT_GT(Count_Pixels(png, TRect(20, 11, 21, 60), clRed), 40);
    EXPECT_EQ(Count_Pixels(png, TRect(0, 70, 300, 200), clRed), 0);
    EXPECT_EQ(Selection(), "0 1 2 3");
    Send(WM_LBUTTONUP, 20, 60);
}

// ---- scrolling by itself ----

class AutoScrollTest : public RubberBandTest {
protected:
    void SetUp() override
    {
        RubberBandTest::SetUp();
        Shape({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});   // 20 rows: 360 pixels
        AddOptions({}, {}, {}, TLTAutoOptions{toAutoScroll});
        Tree->SetAutoScrollDelay(0);
    }
    void Tick() { Tree->Perform(WM_TIMER, TBaseLazyTree::ScrollTimer, 0); }
};

TEST_F(AutoScrollTest, EdgeZonesOnlyWhereThereIsMoreToSee)
{
    Drag(TPoint(EmptyX, 50), {TPoint(EmptyX, 6), TPoint(EmptyX, 5)});
    EXPECT_TRUE(Tree->ScrollDirections().Empty()) << "already at the top";
    Send(WM_MOUSEMOVE, EmptyX, Tree->ClientHeight() - 5, TShiftState{ssLeft});
    EXPECT_EQ(Tree->ScrollDirections(), TScrollDirections{sdDown});
    EXPECT_TRUE(In(tsScrollPending));
    Tick();
    EXPECT_TRUE(In(tsScrolling));
    EXPECT_EQ(Tree->OffsetY(), -20);
    Send(WM_LBUTTONUP, EmptyX, Tree->ClientHeight() - 5);
    EXPECT_FALSE(In(tsScrolling) || In(tsScrollPending));
    // All content in view: no zone at the bottom.
    Tree->SetRootNodeCount(3);
    // The move that turns the press into a band does nothing else; the next one asks.
    Drag(TPoint(EmptyX, 20), {TPoint(EmptyX, Tree->ClientHeight() - 6), TPoint(EmptyX, Tree->ClientHeight() - 5)});
    EXPECT_TRUE(Tree->ScrollDirections().Empty());
    Send(WM_LBUTTONUP, EmptyX, Tree->ClientHeight() - 5);
}

TEST_F(AutoScrollTest, BeyondTheEdgeTheStepGrowsWithTheDistance)
{
    Drag(TPoint(EmptyX, 20), {TPoint(20, Tree->ClientHeight() - 6), TPoint(20, Tree->ClientHeight() - 5)});
    ASSERT_EQ(Tree->ScrollDirections(), TScrollDirections{sdDown});
    Tick();
    EXPECT_EQ(Tree->OffsetY(), -20);
    // Three pixels below the window: three steps of 20 at once.
    Send(WM_MOUSEMOVE, 20, Tree->ClientHeight() + 3, TShiftState{ssLeft});
    Tick();
    EXPECT_EQ(Tree->OffsetY(), -80);
    // The band follows the content: every row from the press down to the pointer (tree
    // y 283, row 15) is selected.
    EXPECT_EQ(Tree->SelectedCount(), 15u);
    EXPECT_FALSE(Tree->Selected(At("0")));
    EXPECT_TRUE(Tree->Selected(At("15")));
    // At the end of the range the direction is given up and the timer stops.
    for (int i = 0; i < 3; ++i) Tick();
    EXPECT_EQ(Tree->OffsetY(), Tree->ClientHeight() - Tree->RangeY());
    EXPECT_TRUE(Tree->ScrollDirections().Empty());
    EXPECT_FALSE(In(tsScrolling));
    Send(WM_LBUTTONUP, 20, Tree->ClientHeight() + 3);
}

TEST_F(AutoScrollTest, NothingScrollsWithoutTheOptionOrWhileTheHeaderDrags)
{
    struct TCase {
        const char* Name;
        std::function<void()> Prepare, Undo;
    };
    const TCase cases[] = {
        {"option off",
         [this] {
             auto* o = Tree->TreeOptions();
             o->SetAutoOptions(o->AutoOptions() - TLTAutoOptions{toAutoScroll});
         },
         [this] { AddOptions({}, {}, {}, TLTAutoOptions{toAutoScroll}); }},
        {"a column being sized in the header",
         [this] {
             // A press on the divider right of the only column starts sizing it.
             TLTHeader* h = Tree->Header();
             h->Columns()->Add()->SetWidth(100);
             h->SetOptions(h->Options() + TLTHeaderOptions{hoVisible, hoColumnResize});
             gui_input::Mouse(h->Window(), WM_LBUTTONDOWN, 99, 5, TShiftState(), 0);
             ASSERT_TRUE(h->States().Contains(hsColumnWidthTracking));
             // Messages of the tree wait until the header lets go of the mouse.
             Send(WM_LBUTTONDOWN, EmptyX - 100, 100);
             EXPECT_FALSE(Tree->IsMouseSelecting());
         },
         [this] { gui_input::Mouse(Tree->Header()->Window(), WM_LBUTTONUP, 99, 5, TShiftState(), 0); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Prepare();
        EXPECT_FALSE(Tree->AutoScrollAllowed() && Tree->IsMouseSelecting());
        EXPECT_TRUE(Tree->ScrollDirectionsAt(EmptyX, Tree->ClientHeight() - 5).Empty());
        c.Undo();
    }
}

TEST_F(AutoScrollTest, ThePointerRestsInAZoneOverTheTreeButNotBeyondIt)
{
    Tree->SetAutoScrollDelay(60000);
    Drag(TPoint(EmptyX, 20), {TPoint(EmptyX, Tree->ClientHeight() - 6), TPoint(EmptyX, Tree->ClientHeight() - 5)});
    EXPECT_TRUE(Tree->ScrollDirections().Empty()) << "the pointer must rest in the zone first";
    // Beyond the window's edge the directions apply at once.
    Send(WM_MOUSEMOVE, EmptyX, Tree->ClientHeight() + 4, TShiftState{ssLeft});
    EXPECT_EQ(Tree->ScrollDirections(), TScrollDirections{sdDown});
    Send(WM_LBUTTONUP, EmptyX, Tree->ClientHeight() + 4);
}

} // namespace
