// Scrolling: offsets clamped to the ranges, the scroll bars and their options, bringing
// nodes into view, the top and bottom node, and the scroll, wheel and size messages.
// The tree does not paint yet: what the tests look at is the offsets, the ranges and
// what each scroll bar shows.
#include "platform/gui/Messages.h"
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class ScrollTest : public TreeTest {
protected:
    std::vector<std::pair<int, int>> Scrolls;
    // Twenty top-level nodes of 18 pixels in a client area 200 high: 360 of content, the
    // offset runs from -160 to 0.
    void Twenty()
    {
        Tree->SetRootNodeCount(20);
        Tree->OnScroll = [this](TBaseLazyTree*, int dx, int dy) { Scrolls.push_back({dx, dy}); };
    }
    void VScroll(int Code) { Tree->Perform(WM_VSCROLL, WPARAM(Code), 0); }
    void HScroll(int Code) { Tree->Perform(WM_HSCROLL, WPARAM(Code), 0); }
};

TEST_F(ScrollTest, OffsetsAreClampedToTheRange)
{
    Twenty();
    ASSERT_EQ(Tree->ClientHeight(), 200);
    ASSERT_EQ(Tree->RangeY(), 360);
    struct TCase {
        int Value, Stored;
    };
    const TCase cases[] = {{5, 0}, {-50, -50}, {-160, -160}, {-161, -160}, {-100000, -160}, {-17, -17}, {0, 0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Value);
        Tree->SetOffsetY(c.Value);
        EXPECT_EQ(Tree->OffsetY(), c.Stored);
        EXPECT_EQ(Tree->ScrollBarInfo(SB_VERT).Pos, -c.Stored);
    }
    // The same offset again scrolls nothing and says nothing.
    Tree->SetOffsetY(-40);
    Scrolls.clear();
    Tree->SetOffsetY(-40);
    Tree->SetOffsetY(-45);
    EXPECT_EQ(Scrolls, (std::vector<std::pair<int, int>>{{0, -5}}));
    // Horizontally: without content wider than the client area there is nothing to scroll.
    Tree->SetOffsetX(-30);
    EXPECT_EQ(Tree->OffsetX(), 0);
}

TEST_F(ScrollTest, ScrollBarsFollowTheRangeAndTheOptions)
{
    struct TCase {
        const char* Name;
        unsigned Nodes;
        TScrollStyle Bars;
        bool AlwaysVisible;
        bool Shown, Disabled;
    };
    const TCase cases[] = {
        {"content fits", 5, ssBoth, false, false, false},
        {"content fits, bar always there", 5, ssBoth, true, true, true},
        {"content larger", 20, ssBoth, false, true, false},
        {"only a horizontal bar allowed", 20, ssHorizontal, false, false, false},
        {"no bars at all", 20, ssNone, true, false, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->Clear();
        Tree->ScrollBarOptions()->SetScrollBars(c.Bars);
        Tree->ScrollBarOptions()->SetAlwaysVisible(c.AlwaysVisible);
        Tree->SetRootNodeCount(c.Nodes);
        const TLTScrollBarInfo& bar = Tree->ScrollBarInfo(SB_VERT);
        EXPECT_EQ(bar.Shown, c.Shown);
        EXPECT_EQ(bar.Disabled, c.Disabled);
        if (c.Shown && !c.Disabled) {
            EXPECT_EQ(bar.Max, 360);
            EXPECT_EQ(bar.Page, 201);
        }
        // Without a bar the offsets still work and stay inside the range.
        Tree->SetOffsetY(-1000);
        EXPECT_EQ(Tree->OffsetY(), c.Nodes == 20 ? -160 : 0);
        Tree->SetOffsetY(0);
    }
}

TEST_F(ScrollTest, ScrollMessagesMoveByLinesPagesAndThumb)
{
    Twenty();
    Tree->ScrollBarOptions()->SetVerticalIncrement(7);
    struct TCase {
        int Code;
        int Expect;
    };
    const TCase cases[] = {{SB_LINEDOWN, -7},  {SB_LINEDOWN, -14}, {SB_LINEUP, -7}, {SB_PAGEDOWN, -160},
                           {SB_PAGEUP, 0},     {SB_BOTTOM, -160},  {SB_TOP, 0},    {SB_LINEUP, 0},
                           {42, 0} /* unknown codes are ignored */};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Code);
        VScroll(c.Code);
        EXPECT_EQ(Tree->OffsetY(), c.Expect);
    }
    // Dragging the thumb scrolls with it; the bar itself is left to the user meanwhile.
    Tree->SetScrollTrackPos(SB_VERT, 90);
    VScroll(SB_THUMBTRACK);
    EXPECT_EQ(Tree->OffsetY(), -90);
    EXPECT_TRUE(Tree->TreeStates().Contains(tsThumbTracking));
    EXPECT_EQ(Tree->ScrollBarInfo(SB_VERT).Pos, 0);
    Tree->SetScrollTrackPos(SB_VERT, 1000);   // beyond the end: the thumb stops at the last page
    VScroll(SB_THUMBTRACK);
    EXPECT_EQ(Tree->OffsetY(), -160);
    VScroll(SB_ENDSCROLL);
    EXPECT_FALSE(Tree->TreeStates().Contains(tsThumbTracking));
    EXPECT_EQ(Tree->ScrollBarInfo(SB_VERT).Pos, 160);
}

TEST_F(ScrollTest, HorizontalScrollingFollowsTheWidestNodeAndTheReadingDirection)
{
    // Nodes nested five deep with a wide indentation are wider than the client area.
    Tree->SetIndent(100);
    Tree->SetRootNodeCount(1);
    PLazyNode n = Tree->GetFirst();
    for (int level = 0; level < 4; ++level) {
        Tree->SetChildCount(n, 1);
        Tree->SetExpanded(n, true);
        n = n->FirstChild;
    }
    Tree->UpdateScrollBars(true);
    // The deepest node's indentation (level 4, one more for the root's lines) plus the
    // margin: the nodes have no text width of their own yet.
    EXPECT_EQ(Tree->RangeX(), 5 * 100 + Tree->Margin());
    EXPECT_TRUE(Tree->ScrollBarInfo(SB_HORZ).Shown);
    const int least = Tree->ClientWidth() - Tree->RangeX();
    struct TCase {
        const char* Name;
        TBiDiMode Mode;
        int Code;
        int Offset, Effective;
    };
    const TCase cases[] = {
        {"line right", bdLeftToRight, SB_LINERIGHT, -20, 20},
        {"line left", bdLeftToRight, SB_LINELEFT, 0, 0},
        {"to the right end", bdLeftToRight, SB_RIGHT, least, -least},
        {"to the left end", bdLeftToRight, SB_LEFT, 0, 0},
        // Mirrored: a line to the left moves the offset the other way, and the bar
        // counts from the right.
        {"mirrored line left", bdRightToLeft, SB_LINELEFT, -20, -20 - least},
        {"mirrored line right", bdRightToLeft, SB_LINERIGHT, 0, -least},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->SetBiDiMode(c.Mode);
        HScroll(c.Code);
        EXPECT_EQ(Tree->OffsetX(), c.Offset);
        EXPECT_EQ(Tree->EffectiveOffsetX(), c.Effective);
    }
}

TEST_F(ScrollTest, WheelScrollsLinesOfTheDefaultHeightOrSideways)
{
    Twenty();
    for (PLazyNode n = Tree->GetFirst(); n; n = Tree->GetNext(n)) Tree->SetNodeHeight(n, 30);
    ASSERT_EQ(Tree->RangeY(), 600);
    // Three lines of the default node height per notch, whatever the nodes measure.
    UserWheel(Tree, -WHEEL_DELTA);
    EXPECT_EQ(Tree->OffsetY(), -3 * 18);
    UserWheel(Tree, WHEEL_DELTA / 2);
    EXPECT_EQ(Tree->OffsetY(), -27);
    // Ctrl scrolls a page.
    gui_input::Mouse(Tree, WM_MOUSEWHEEL, 10, 10, TShiftState{ssCtrl}, -WHEEL_DELTA);
    EXPECT_EQ(Tree->OffsetY(), -227);
    // Shift scrolls sideways, and so does the wheel when nothing scrolls vertically.
    Tree->SetIndent(400);
    Tree->UpdateScrollBars(true);
    ASSERT_GT(Tree->RangeX(), Tree->ClientWidth());
    gui_input::Mouse(Tree, WM_MOUSEWHEEL, 10, 10, TShiftState{ssShift}, -WHEEL_DELTA);
    EXPECT_EQ(Tree->OffsetY(), -227);
    EXPECT_EQ(Tree->OffsetX(), -3 * Tree->ScrollBarOptions()->HorizontalIncrement());
    // An application handler that takes the wheel leaves the tree where it is.
    Tree->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& handled) { handled = true; };
    UserWheel(Tree, -WHEEL_DELTA);
    EXPECT_EQ(Tree->OffsetY(), -227);
}

TEST_F(ScrollTest, ScrollIntoViewTopAndBottomNode)
{
    Twenty();
    Tree->SetChildCount(At("15"), 2);   // collapsed: ScrollIntoView expands it
    struct TCase {
        const char* Name;
        const char* Node;
        bool Center;
        int StartOffset;
        bool Scrolled;
        int Offset;
    };
    const TCase cases[] = {
        {"in view already", "3", false, 0, false, 0},
        {"below the view: its bottom at the bottom", "12", false, 0, true, 200 - 13 * 18},
        {"above the view: its top at the top", "2", false, -100, true, -36},
        {"centred", "8", true, 0, true, 100 - 9 * 18},
        {"centring clamps at the end", "19", true, 0, true, -160 - 36},
        // Expanding the parent brings its children into view already.
        {"a child of a collapsed node", "15.1", false, 0, false, 200 - 18 * 18},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->SetOffsetY(c.StartOffset);
        EXPECT_EQ(Tree->ScrollIntoView(At(c.Node), c.Center), c.Scrolled);
        EXPECT_EQ(Tree->OffsetY(), std::max(c.Offset, Tree->ClientHeight() - Tree->RangeY()));
        const TRect r = Tree->GetDisplayRect(At(c.Node), NoColumnIndex, false);
        EXPECT_GE(r.Top, 0);
        EXPECT_LE(r.Bottom, Tree->ClientHeight());
    }
    EXPECT_TRUE(Tree->Expanded(At("15")));
    EXPECT_FALSE(Tree->ScrollIntoView(nullptr, false));
    EXPECT_FALSE(Tree->ScrollIntoView(Tree->RootNode(), true));

    Tree->SetTopNode(At("5"));
    EXPECT_EQ(Tree->TopNode(), At("5"));
    EXPECT_EQ(Tree->OffsetY(), -90);
    Tree->SetBottomNode(At("14"));
    EXPECT_EQ(Tree->BottomNode(), At("14"));
    EXPECT_EQ(Tree->GetDisplayRect(At("14"), NoColumnIndex, false).Bottom, Tree->ClientHeight());
}

TEST_F(ScrollTest, OffsetStaysInRangeWhenTheContentOrTheWindowShrinks)
{
    Twenty();
    for (unsigned i = 0; i < 20; i += 2) Tree->SetChildCount(At(std::to_string(i)), 3);
    Tree->FullExpand();
    struct TCase {
        const char* Name;
        std::function<void()> Change;
        int Offset;
    };
    const TCase cases[] = {
        {"collapsing everything", [this] { Tree->FullCollapse(); }, -160},
        {"deleting nodes", [this] { Tree->SetRootNodeCount(12); }, -16},
        {"a taller window", [this] { Tree->SetHeight(300); }, 0},
        {"a shorter window keeps the offset", [this] { Tree->SetHeight(100); }, 0},
        {"growing bottom space keeps the offset", [this] { Tree->SetBottomSpace(50); }, -116},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->SetOffsetY(-100000);
        c.Change();
        EXPECT_EQ(Tree->OffsetY(), std::min(0, std::max(c.Offset, Tree->ClientHeight() - Tree->RangeY())));
        EXPECT_GE(Tree->OffsetY(), std::min(0, Tree->ClientHeight() - Tree->RangeY()));
        EXPECT_LE(Tree->OffsetY(), 0);
        EXPECT_FALSE(Tree->TreeStates().Contains(tsSizing));
        EXPECT_CONSISTENT(Tree);
    }
}

TEST_F(ScrollTest, ScrollBarOptionsAreCopiedWhole)
{
    TScrollBarOptions o(Tree);
    o.SetAlwaysVisible(true);
    o.SetScrollBars(ssVertical);
    o.SetScrollBarStyle(sbm3D);
    o.SetHorizontalIncrement(0);       // below the least: 1
    o.SetVerticalIncrement(20000);     // above the most: 10000
    Tree->SetScrollBarOptions(o);
    const TScrollBarOptions* t = Tree->ScrollBarOptions();
    EXPECT_TRUE(t->AlwaysVisible());
    EXPECT_EQ(t->ScrollBars(), ssVertical);
    EXPECT_EQ(t->ScrollBarStyle(), sbm3D);
    EXPECT_EQ(t->HorizontalIncrement(), 1);
    EXPECT_EQ(t->VerticalIncrement(), 10000);
    // Applied at once: the vertical bar is there (disabled), the horizontal one is not.
    EXPECT_TRUE(Tree->ScrollBarInfo(SB_VERT).Shown);
    EXPECT_FALSE(Tree->ScrollBarInfo(SB_HORZ).Shown);
}

TEST_F(ScrollTest, ScrollingAWideNodeIntoViewLeavesRoomForTheHorizontalBar)
{
    Twenty();
    Tree->SetIndent(100);
    PLazyNode n = At("15");
    for (int level = 0; level < 3; ++level) {
        Tree->SetChildCount(n, 1);
        Tree->SetExpanded(n, true);
        n = n->FirstChild;
    }
    Tree->SetOffsetY(0);
    // The nodes in view are narrow: no horizontal bar.
    EXPECT_LT(Tree->RangeX(), Tree->ClientWidth());
    EXPECT_FALSE(Tree->ScrollBarInfo(SB_HORZ).Shown);
    // The deep node is wider than the window: once it is in view the bar appears, and
    // the node must not end up under it.
    EXPECT_TRUE(Tree->ScrollIntoView(n, false));
    EXPECT_GT(Tree->RangeX(), Tree->ClientWidth());
    EXPECT_TRUE(Tree->ScrollBarInfo(SB_HORZ).Shown);
    EXPECT_EQ(Tree->OffsetY(), 200 - 19 * 18 - 17);
}

// Counts the repaints of the whole client area.
class TCountingTree : public TLazyStringTree {
public:
    using TLazyStringTree::TLazyStringTree;
    int Invalidations = 0;
    void Invalidate() override
    {
        ++Invalidations;
        TLazyStringTree::Invalidate();
    }
};

TEST_F(ScrollTest, SettingTheBottomNodeLeavesTheRepaintToTheCaller)
{
    auto* tree = new TCountingTree(Form);
    tree->SetParent(Form);
    tree->SetBounds(0, 0, 300, 200);
    tree->SetRootNodeCount(20);
    tree->Invalidations = 0;
    tree->SetBottomNode(tree->GetFirst()->NextSibling->NextSibling->NextSibling->NextSibling->NextSibling->
                        NextSibling->NextSibling->NextSibling->NextSibling->NextSibling->NextSibling->NextSibling);
    EXPECT_EQ(tree->OffsetY(), 200 - 13 * 18);
    EXPECT_EQ(tree->Invalidations, 0);
    EXPECT_EQ(tree->ScrollBarInfo(SB_VERT).Pos, 13 * 18 - 200);
    // An offset set directly moves the content.
    tree->SetOffsetY(0);
    EXPECT_EQ(tree->Invalidations, 1);
}

} // namespace
