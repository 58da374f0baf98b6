// The toggle's animation and scroll correction: the animation driver, the bands a toggle
// scrolls, when nothing is animated, and where the view is after a node opened.
#include <chrono>
#include <thread>

#include "tests/treeview/tree_fixture.h"

namespace {

// A string tree that records the bands its toggle animation scrolls instead of moving
// pixels (the tree does not paint yet).
class TAnimatedTree : public TLazyStringTree {
public:
    using TLazyStringTree::TLazyStringTree;
    struct TMove {
        bool Up;
        TRect Band;
        int Step;
    };
    std::vector<TMove> Moves;
    int Pixels(bool Up) const
    {
        int sum = 0;
        for (const TMove& m : Moves) sum += m.Up == Up ? m.Step : 0;
        return sum;
    }

protected:
    void ScrollAnimationUp(TRect Band, int Step) override { Moves.push_back({true, Band, Step}); }
    void ScrollAnimationDown(TRect Band, int Step) override { Moves.push_back({false, Band, Step}); }
};

class ToggleTest : public TreeTest {
protected:
    TAnimatedTree* Animated = nullptr;
    void SetUp() override
    {
        TreeTest::SetUp();
        delete Tree;
        Animated = new TAnimatedTree(Form);
        Tree = Animated;
        Tree->SetParent(Form);
        Tree->SetBounds(0, 0, 300, 200);
        Tree->SetAnimationDuration(20);
        auto* o = Tree->TreeOptions();
        o->SetAnimationOptions(TLTAnimationOptions{toAnimatedToggle});
    }
};

TEST_F(ToggleTest, AnimationDriverKeepsToItsDuration)
{
    struct TCall {
        int Step, Size;
    };
    struct TCase {
        const char* Name;
        std::uint32_t Steps, Duration;
        int SleepMs;        // each step takes this long
        bool StopEarly;     // the step routine ends the animation after its first call
        bool Runs;
    };
    const TCase cases[] = {
        {"a duration of 0 shows nothing", 40, 0, 0, false, false},
        {"forty pixels in 20 ms", 40, 20, 0, false, true},
        {"slow steps grow the step size", 120, 30, 3, false, true},
        {"a step routine that ends it", 40, 20, 0, true, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<TCall> calls;
        const auto start = std::chrono::steady_clock::now();
        Tree->RunAnimation(c.Steps, c.Duration,
                           [&](int Step, int Size, void*) {
                               calls.push_back({Step, Size});
                               // A nested animation does not run.
                               bool nested = false;
                               Tree->RunAnimation(5, 5, [&](int, int, void*) { return nested = true; }, nullptr);
                               EXPECT_FALSE(nested);
                               if (Size > 0 && c.SleepMs) std::this_thread::sleep_for(std::chrono::milliseconds(c.SleepMs));
                               return !c.StopEarly;
                           },
                           nullptr);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        EXPECT_FALSE(Tree->TreeStates().Contains(tsInAnimation));
        if (!c.Runs) {
            EXPECT_TRUE(calls.empty());
            continue;
        }
        ASSERT_GE(calls.size(), 2u);
        // The last call says the animation is over.
        EXPECT_EQ(calls.back().Step, 0);
        EXPECT_EQ(calls.back().Size, 0);
        if (c.StopEarly) {
            EXPECT_EQ(calls.size(), 2u);
            continue;
        }
        int pixels = 0;
        for (std::size_t i = 0; i + 1 < calls.size(); ++i) {
            pixels += calls[i].Size;
            if (i > 0) {
                EXPECT_GE(calls[i].Size, calls[i - 1].Size);
            }
        }
        EXPECT_LE(pixels, int(c.Steps));
        EXPECT_LT(ms, c.Duration + 50);
        if (c.SleepMs) {
            EXPECT_GT(calls[calls.size() - 2].Size, calls[0].Size);
        }
    }
}

TEST_F(ToggleTest, ToggleScrollsTheBandBelowTheNode)
{
    struct TCase {
        const char* Name;
        std::function<void()> Prepare;
        bool Animated;
    };
    const TCase cases[] = {
        {"animated", [] {}, true},
        {"a duration of 0", [this] { Tree->SetAnimationDuration(0); }, false},
        {"inside an update", [this] { Tree->BeginUpdate(); }, false},
        {"animation switched off", [this] { Tree->TreeOptions()->SetAnimationOptions({}); }, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->Clear();
        Shape({3, 0, 0, 0, 0});
        Tree->SetExpanded(At("0"), false);
        Tree->SetAnimationDuration(20);
        Tree->TreeOptions()->SetAnimationOptions(TLTAnimationOptions{toAnimatedToggle});
        c.Prepare();
        Animated->Moves.clear();
        Tree->ToggleNode(At("0"));
        EXPECT_TRUE(Tree->Expanded(At("0")));
        if (c.Animated) {
            // The rows below the node move down to make room for the three children.
            ASSERT_FALSE(Animated->Moves.empty());
            EXPECT_EQ(Animated->Pixels(true), 0);
            EXPECT_GT(Animated->Pixels(false), 0);
            EXPECT_LE(Animated->Pixels(false), 54);
            EXPECT_EQ(Animated->Moves.front().Band.Top, 18);
            EXPECT_EQ(Animated->Moves.front().Band.Bottom, 200);
        } else {
            EXPECT_TRUE(Animated->Moves.empty());
        }
        Animated->Moves.clear();
        Tree->ToggleNode(At("0"));
        EXPECT_FALSE(Tree->Expanded(At("0")));
        if (c.Animated) {
            // Collapsing moves the rows below the children up.
            EXPECT_EQ(Animated->Pixels(false), 0);
            EXPECT_GT(Animated->Pixels(true), 0);
            EXPECT_LE(Animated->Pixels(true), 54);
        } else {
            EXPECT_TRUE(Animated->Moves.empty());
        }
        while (Tree->UpdateCount() > 0) Tree->EndUpdate();
        EXPECT_CONSISTENT(Tree);
    }
}

TEST_F(ToggleTest, ExpandingBringsTheChildrenIntoView)
{
    Tree->SetAnimationDuration(0);
    struct TCase {
        const char* Name;
        unsigned Children;
        bool AutoScroll;
        bool ChildrenAbove;
        int StartOffset;
        int Offset;
    };
    const TCase cases[] = {
        {"the last child comes into view", 3, true, false, 0, 200 - (10 * 18 + 54)},
        {"without auto scrolling the view stays", 3, false, false, 0, 0},
        {"children taller than the view: the node goes to the top", 15, true, false, 0, -9 * 18},
        // Children above: the node stays where it was on screen, its children appear
        // above it.
        {"children above keep the node in place", 3, true, true, -100, -154},
        {"children above without auto scrolling too", 3, false, true, -100, -154},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Tree->Clear();
        auto* o = Tree->TreeOptions();
        o->SetPaintOptions(c.ChildrenAbove ? o->PaintOptions() | toChildrenAbove
                                           : o->PaintOptions() - TLTPaintOptions{toChildrenAbove});
        o->SetAutoOptions(c.AutoScroll ? o->AutoOptions() | toAutoScrollOnExpand
                                       : o->AutoOptions() - TLTAutoOptions{toAutoScrollOnExpand});
        Tree->SetRootNodeCount(20);
        Tree->SetChildCount(At("9"), c.Children);
        Tree->SetOffsetY(c.StartOffset);
        const int before = Tree->GetDisplayRect(At("9"), NoColumnIndex, false).Top;
        Tree->ToggleNode(At("9"));
        EXPECT_EQ(Tree->OffsetY(), c.Offset);
        if (c.ChildrenAbove) {
            EXPECT_EQ(Tree->GetDisplayRect(At("9"), NoColumnIndex, false).Top, before);
        }
        EXPECT_CONSISTENT(Tree);
    }
}

TEST_F(ToggleTest, RefusedToggleLeavesTheViewAlone)
{
    Tree->SetRootNodeCount(20);
    Tree->SetChildCount(At("18"), 3);
    Tree->SetOffsetY(-50);
    Tree->OnExpanding = [](TBaseLazyTree*, PLazyNode, bool& allowed) { allowed = false; };
    Animated->Moves.clear();
    Tree->ToggleNode(At("18"));
    EXPECT_FALSE(Tree->Expanded(At("18")));
    EXPECT_EQ(Tree->OffsetY(), -50);
    EXPECT_EQ(Tree->RangeY(), 360);
    EXPECT_TRUE(Animated->Moves.empty());
}

TEST_F(ToggleTest, FullExpandOfAnEmptyTreeAndACancelledOne)
{
    int asked = 0;
    Tree->OnExpanding = [&](TBaseLazyTree* t, PLazyNode, bool&) {
        if (++asked == 3) t->CancelOperation();
    };
    Tree->FullExpand();
    EXPECT_EQ(asked, 0);
    Shape({2, 2, 2, 2}, false);
    Tree->FullExpand();
    // Stopped after the third node asked: the later top-level nodes stay collapsed.
    EXPECT_EQ(asked, 3);
    EXPECT_FALSE(Tree->Expanded(At("3")));
    EXPECT_FALSE(Tree->TreeStates().Contains(tsExpanding));
    EXPECT_EQ(Tree->OperationCount(), 0u);
    EXPECT_CONSISTENT(Tree);
}

TEST_F(ToggleTest, FreeingOnCollapseMakesTheChildrenAnew)
{
    auto* o = Tree->TreeOptions();
    o->SetAutoOptions(o->AutoOptions() | toAutoFreeOnCollapse);
    int made = 0, freed = 0;
    Tree->OnInitNode = [](TBaseLazyTree*, PLazyNode Parent, PLazyNode, TLazyNodeInitStates& s) {
        if (!Parent) s << ivsHasChildren;
    };
    Tree->OnInitChildren = [&](TBaseLazyTree*, PLazyNode, std::uint32_t& n) {
        ++made;
        n = 3;
    };
    Tree->OnFreeNode = [&](TBaseLazyTree*, PLazyNode) { ++freed; };
    Tree->SetRootNodeCount(2);
    PLazyNode n = Tree->GetFirst();
    Tree->ToggleNode(n);
    EXPECT_EQ(n->ChildCount, 3u);
    Tree->GetFirstChild(n);   // looked at: initialised, so freed with an event
    Tree->ToggleNode(n);
    EXPECT_EQ(n->ChildCount, 0u);
    EXPECT_GE(freed, 1);
    EXPECT_TRUE(Tree->GetHasChildren(n));   // the button stays
    Tree->ToggleNode(n);
    EXPECT_EQ(n->ChildCount, 3u);
    EXPECT_EQ(made, 2);
    EXPECT_CONSISTENT(Tree);
}

} // namespace
