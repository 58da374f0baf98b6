// Hints and tooltips: the tree answers the toolkit's hint request for the pointer's place
// (the same request the toolkit sends when the pointer rests), and its hint window shows
// a cut-off cell text whole, in the tree's font, where the cell shows it.
#include <map>

#include "platform/gui/HintWindows.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"
#include "treeview/hints/LazyTreeHintWindow.h"

namespace {

class HintsTest : public TreeTest {
protected:
    std::map<std::string, String> Texts;
    void SetUp() override
    {
        TreeTest::SetUp();
        Form->Show();
        Texts = {{"0", "short"}, {"1", "a text much too long for its column"}, {"2", "third"}};
        Tree->OnGetText = [this](TBaseLazyTree*, PLazyNode N, TColumnIndex C, TVSTTextType Type, String& S) {
            if (Type == ttNormal) S = C <= 0 ? Texts[Name(N)] : String("x");
        };
        Tree->SetShowHint(true);
        Tree->SetHint("the tree|the tree's long hint");
        Tree->SetHintMode(hmTooltip);
        auto* columns = Tree->Header()->Columns();
        columns->Add()->SetWidth(120);
        columns->Add()->SetWidth(120);
        columns->Items(0)->SetHint("first column");
        Tree->Header()->SetOptions(Tree->Header()->Options() | hoVisible | hoShowHint);
        Shape({0, 0, 0});
        Tree->SetFocus();
    }
    void TearDown() override
    {
        HideHintWindow();
        Tree->OnGetText = nullptr;
        Tree->OnGetHint = nullptr;
        Tree->OnGetHintKind = nullptr;
        Tree->OnGetHintSize = nullptr;
        TreeTest::TearDown();
    }
    int Header() const { return Tree->Header()->Height(); }
    // The pointer rests at P (client coordinates): the toolkit's request, as it sends it.
    THintInfo Rest(TPoint P)
    {
        UserMouseMove(Tree, P.X, P.Y);
        THintInfo info;
        info.HintControl = Tree;
        info.CursorPos = P;
        info.CursorRect = Tree->ClientRect();
        TPoint s = Tree->ClientToScreen(P);
        info.HintPos = TPoint(s.X, s.Y + 20);
        info.HintStr = Tree->Hint();
        Tree->Perform(CM_HINTSHOW, 0, LPARAM(&info));
        return info;
    }
    TPoint Row(int Index, int X = 40) const { return TPoint(X, Header() + Index * 18 + 9); }
};

TEST_F(HintsTest, TooltipOnlyWhereTheCellCutsItsTextOff)
{
    EXPECT_TRUE(Rest(Row(0)).HintStr.empty());  // the text fits
    THintInfo info = Rest(Row(1));
    ASSERT_FALSE(info.HintStr.empty());
    EXPECT_TRUE(Tree->TreeStates().Contains(tsHint));
    // The hint belongs to the text's rectangle and comes up where the text starts.
    const TRect text = info.CursorRect;
    EXPECT_TRUE(PtInRect(text, Row(1)));
    EXPECT_GT(text.Right, 120);
    EXPECT_EQ(info.HintPos, Tree->ClientToScreen(TPoint(text.Left, text.Top)));
    ASSERT_TRUE(ShowHintWindow(info));
    auto* window = dynamic_cast<TLazyTreeHintWindow*>(ActiveHintWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Data().HintText, Texts["1"]);
    EXPECT_GE(window->Width(), text.Width());
    // Moving within the same text asks for nothing new; a fitting cell in another row
    // ends the tooltip.
    EXPECT_TRUE(Rest(Row(1, 60)).HintStr.empty());
    EXPECT_TRUE(Rest(Row(2)).HintStr.empty());
    EXPECT_FALSE(Tree->TreeStates().Contains(tsHint));
}

TEST_F(HintsTest, HintPicture)
{
    THintInfo info = Rest(Row(1));
    ASSERT_TRUE(ShowHintWindow(info));
    THintWindow* window = ActiveHintWindow();
    ASSERT_NE(window, nullptr);
    window->Repaint();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(window, "tree_tooltip.png", png));
    const int w = window->Width(), h = window->Height();
    // Info background inside a dark frame, and text all along: also past the column's
    // right edge, where the cell had to cut it.
    EXPECT_GT(Count_Pixels(png, TRect(1, 1, w - 1, h - 1), ColorToRGB(clInfoBk)), (w - 2) * (h - 2) / 2);
    EXPECT_EQ(Count_Pixels(png, TRect(0, 0, w, 1), clBlack), w);
    auto dark = [](TColor c) { return (c & 0xFF) < 0x70 && ((c >> 8) & 0xFF) < 0x70 && ((c >> 16) & 0xFF) < 0x70; };
    EXPECT_GT(Count_Pixels(png, TRect(3, 2, 100, h - 2), dark), 20);
    EXPECT_GT(Count_Pixels(png, TRect(140, 2, w - 3, h - 2), dark), 20);
}

TEST_F(HintsTest, HintsComeUpSlidingOrFadingAndEndWhole)
{
    struct TCase {
        TLTHintAnimationType Asked, Effective;
    };
    // Every processor the program runs on blends fast, so fading stays fading.
    const TCase cases[] = {
        {hatNone, hatNone}, {hatSystemDefault, hatNone}, {hatSlide, hatSlide}, {hatFade, hatFade}};
    Tree->SetAnimationDuration(60);
    for (const TCase& c : cases) {
        SCOPED_TRACE(int(c.Asked));
        HideHintWindow();
        Rest(Row(2));   // a cell without a tooltip: the next rest over row 1 asks anew
        Tree->SetHintAnimation(c.Asked);
        EXPECT_EQ(Tree->GetEffectiveHintAnimation(), c.Effective);
        THintInfo info = Rest(Row(1));
        ASSERT_TRUE(ShowHintWindow(info));
        auto* window = dynamic_cast<TLazyTreeHintWindow*>(ActiveHintWindow());
        ASSERT_NE(window, nullptr);
        // An animation draws frames on the way and leaves no animation state behind.
        EXPECT_EQ(window->AnimationFrames() > 1, c.Effective != hatNone);
        EXPECT_FALSE(Tree->TreeStates().Contains(tsInAnimation));
        EXPECT_FALSE(Tree->TreeStates().Contains(tsCancelHintAnimation));
        // The last frame is the whole hint: info background inside a black frame.
        window->Repaint();
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(window, "tree_hint_animated.png", png));
        const int w = window->Width(), h = window->Height();
        EXPECT_GT(Count_Pixels(png, TRect(1, 1, w - 1, h - 1), ColorToRGB(clInfoBk)), (w - 2) * (h - 2) / 2);
        EXPECT_EQ(Count_Pixels(png, TRect(0, 0, w, 1), clBlack), w);
    }
}

TEST_F(HintsTest, HintModesOverNodesAndElsewhere)
{
    Tree->OnGetHint = [this](TBaseLazyTree*, PLazyNode N, TColumnIndex, TLTTooltipLineBreakStyle&, String& S) {
        S = "hint of " + Name(N);
    };
    struct TCase {
        const char* Name;
        TLTHintMode Mode;
        TPoint At;
        bool Shows;
        const char* Expect;  // the text the window draws, or the toolkit's string
    };
    const TCase cases[] = {
        {"default mode: the control's short hint", hmDefault, Row(0), true, "the tree"},
        {"hint mode over a node", hmHint, Row(0), true, "hint of 0"},
        {"hint mode below the nodes", hmHint, Row(6), false, ""},
        {"hint and default over a node", hmHintAndDefault, Row(2), true, "hint of 2"},
        {"hint and default below the nodes", hmHintAndDefault, Row(6), true, "the tree"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        HideHintWindow();
        // A fitting text without a tooltip first: the next request starts a new hint area.
        Tree->SetHintMode(hmTooltip);
        Rest(Row(0));
        Tree->SetHintMode(c.Mode);
        THintInfo info = Rest(c.At);
        EXPECT_EQ(!info.HintStr.empty(), c.Shows);
        if (!c.Shows) continue;
        if (!info.HintWindowClass) {
            EXPECT_EQ(info.HintStr, c.Expect);
            continue;
        }
        ASSERT_TRUE(ShowHintWindow(info));
        auto* window = dynamic_cast<TLazyTreeHintWindow*>(ActiveHintWindow());
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->Data().HintText, c.Expect);
        // A hint over a node comes below the node's row.
        if (window->Data().Node) {
            EXPECT_GE(window->Top(), Tree->ClientToScreen(TPoint(0, info.CursorRect.Bottom)).Y);
        }
    }
}

TEST_F(HintsTest, HeaderColumnHintsShowBelowTheHeader)
{
    THintInfo info = Rest(TPoint(40, Header() / 2));
    ASSERT_FALSE(info.HintStr.empty());
    ASSERT_TRUE(ShowHintWindow(info));
    auto* window = dynamic_cast<TLazyTreeHintWindow*>(ActiveHintWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Data().HintText, "first column");
    EXPECT_GE(window->Top(), Tree->ClientToScreen(TPoint(0, Header())).Y);
    EXPECT_TRUE(Rest(TPoint(180, Header() / 2)).HintStr.empty());  // a column without a hint
}

TEST_F(HintsTest, NoHintWhereNothingIsToBeShown)
{
    struct TCase {
        const char* Name;
        std::function<void()> Arrange;
        TPoint At;
    };
    const TCase cases[] = {
        {"an owner-drawn hint without a size",
         [this] {
             Tree->SetHintMode(hmHint);
             Tree->OnGetHintKind = [](TBaseLazyTree*, PLazyNode, TColumnIndex, TLTHintKind& K) { K = vhkOwnerDraw; };
             Tree->OnGetHintSize = [](TBaseLazyTree*, PLazyNode, TColumnIndex, TRect&) {};
         },
         Row(0)},
        {"the node being edited",
         [this] {
             auto* o = Tree->TreeOptions();
             o->SetMiscOptions(o->MiscOptions() | toEditable);
             Tree->EditNode(At("1"), 0);
         },
         Row(1)},
        {"hints switched off", [this] { Tree->SetShowHint(false); }, Row(1)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Rest(Row(5, 290));
        c.Arrange();
        EXPECT_TRUE(Rest(c.At).HintStr.empty());
    }
    // While the edit runs, other nodes still have their tooltips.
    Tree->SetShowHint(true);
    Tree->SetHintMode(hmTooltip);
    Tree->OnGetHintKind = nullptr;
    Texts["2"] = Texts["1"];
    Tree->Invalidate();
    EXPECT_TRUE(Tree->IsEditing());
    EXPECT_FALSE(Rest(Row(2)).HintStr.empty());
    Tree->CancelEditNode();
}

TEST_F(HintsTest, AHintNearTheScreenEdgeStaysOnTheScreen)
{
    THintInfo info = Rest(Row(1));
    ASSERT_FALSE(info.HintStr.empty());
    info.HintPos = TPoint(Screen->Width() - 20, Screen->Height() - 5);
    ASSERT_TRUE(ShowHintWindow(info));
    THintWindow* window = ActiveHintWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_LE(window->Left() + window->Width(), Screen->Width());
    EXPECT_LE(window->Top() + window->Height(), Screen->Height());
    EXPECT_GE(window->Left(), 0);
}

TEST_F(HintsTest, MultiLineTooltipOnlyWhenTheWrappedTextDoesNotFit)
{
    Tree->SetMultiLine(At("1"), true);
    struct TCase {
        const char* Name;
        unsigned Height;
        bool Shows;
    };
    const TCase cases[] = {
        {"a row high enough for every line", 80, false},
        {"a row of one line", 18, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        HideHintWindow();
        Rest(Row(0));  // a fitting text first: a new hint area
        Tree->SetNodeHeight(At("1"), c.Height);
        const TRect row = Tree->GetDisplayRect(At("1"), 0, false);
        THintInfo info = Rest(TPoint(40, Header() + row.Top + 6));
        ASSERT_FALSE(info.HintStr.empty());  // over the label: the window decides
        ASSERT_TRUE(ShowHintWindow(info));
        EXPECT_EQ(ActiveHintWindow() != nullptr, c.Shows) << info.CursorRect.Left << "," << info.CursorRect.Top << ","
                                                          << info.CursorRect.Right << "," << info.CursorRect.Bottom;
    }
}

} // namespace
