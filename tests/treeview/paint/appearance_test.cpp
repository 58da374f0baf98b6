// Appearance changes of the tree: a new font re-measures the default node height and
// reaches a header that follows the tree's font; a new colour repaints and remakes the
// expand buttons, which are drawn on the tree's colour.
#include <gtest/gtest.h>

#include "tests/common/Snapshot.h"
#include "tests/treeview/tree_fixture.h"

namespace {
class AppearanceTest : public TreeTest {};

TEST_F(AppearanceTest, FontChangeReMeasuresTheNodeHeight)
{
    struct TCase {
        const char* What;
        bool Loading, AutoScale, Follows;
    } cases[] = {
        {"a shown tree follows the font", false, true, true},
        {"a loading tree keeps the stored height", true, true, false},
        {"without automatic scaling the height stays", false, false, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        Tree->Clear();
        Tree->Font()->SetSize(9);
        Tree->SetDefaultNodeHeight(18);
        TLTAutoOptions autoOptions = Tree->TreeOptions()->AutoOptions();
        Tree->TreeOptions()->SetAutoOptions(c.AutoScale ? autoOptions | toAutoChangeScale
                                                        : autoOptions - toAutoChangeScale);
        if (c.Loading) Tree->BeginLoading();
        Tree->Font()->SetSize(24);
        if (c.Loading) Tree->Loaded();
        Tree->Canvas()->SetFont(Tree->Font());
        const int text = Tree->Canvas()->TextHeight("Tg");
        ASSERT_GT(text, 18);
        const unsigned height = Tree->DefaultNodeHeight();
        EXPECT_EQ(height, c.Follows ? unsigned(text) : 18u);
        // Nodes made from now on take the height, and the content grows with them.
        Tree->SetRootNodeCount(4);
        EXPECT_EQ(Tree->RangeY(), int(4 * height));
        Tree->TreeOptions()->SetAutoOptions(autoOptions);
    }
}

TEST_F(AppearanceTest, HeaderFollowsTheTreeFontOnlyWithParentFont)
{
    TLTHeader* h = Tree->Header();
    h->Font()->SetSize(8);
    Tree->Font()->SetSize(14);
    EXPECT_EQ(h->Font()->Size(), 8);
    h->SetParentFont(true);
    EXPECT_EQ(h->Font()->Size(), 14);
    Tree->Font()->SetSize(16);
    EXPECT_EQ(h->Font()->Size(), 16);
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

TEST_F(AppearanceTest, ColourChangeRepaintsAndRemakesTheButtons)
{
    auto* tree = new TCountingTree(Form);
    tree->SetParent(Form);
    tree->SetBounds(0, 0, 300, 200);
    Tree->SetVisible(false);
    Form->Show();
    tree->SetRootNodeCount(2);
    tree->SetChildCount(tree->GetFirst(), 2);
    tree->SetExpanded(tree->GetFirst(), true);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(tree, "tree_colour_before.png", png));
    const int before = tree->Invalidations;
    const TColor yellow = TColor(0x00FFFF);
    tree->SetColor(yellow);
    EXPECT_GT(tree->Invalidations, before);
    ASSERT_TRUE(SNAPSHOT(tree, "tree_colour_after.png", png));
    // The inside of the expanded parent's button (row 0, box at 5..14 x 4..13) shows the
    // new colour, not the one the button was first made with.
    EXPECT_GT(Count_Pixels(png, TRect(6, 5, 13, 12), yellow), 30);
    EXPECT_EQ(Count_Pixels(png, TRect(6, 5, 13, 12), ColorToRGB(clWindow)), 0);
    // Beside the rows the background follows as well.
    EXPECT_EQ(Count_Pixels(png, TRect(100, 100, 200, 150), yellow), 100 * 50);
}

// The built-in pictures are drawn again when the system's colours change, in the lists the
// trees already hold, and the tree repaints with them.
TEST_F(AppearanceTest, SystemColourChangeRedrawsTheBuiltInPicturesInPlace)
{
    auto* tree = new TCountingTree(Form);
    tree->SetParent(Form);
    tree->SetBounds(0, 0, 300, 200);
    tree->SetCheckImageKind(ckLightCheck);
    TImageList* checks = tree->CheckImages();
    ASSERT_NE(checks, nullptr);
    TImageList* utility = TBaseLazyTree::GetUtilityImageList();
    TBitmap before;
    checks->GetBitmap(13, &before);
    // Something spoilt the lists (as a colour change leaves pictures in the old colours).
    checks->Clear();
    utility->Delete(0);
    int changes = 0;
    checks->OnChange = [&](TObject*) { ++changes; };
    const int invalidations = tree->Invalidations;
    tree->Perform(CM_SYSCOLORCHANGE, 0, 0);
    checks->OnChange = nullptr;
    EXPECT_EQ(tree->CheckImages(), checks) << "the same list, drawn again";
    EXPECT_EQ(TBaseLazyTree::GetCheckImageList(ckLightCheck), checks);
    ASSERT_EQ(checks->Count(), 25);
    EXPECT_EQ(utility->Count(), 6);
    EXPECT_GT(changes, 0);
    EXPECT_GT(tree->Invalidations, invalidations);
    TBitmap after;
    checks->GetBitmap(13, &after);
    int differ = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (before.Canvas()->Pixels(x, y) != after.Canvas()->Pixels(x, y)) ++differ;
    EXPECT_EQ(differ, 0) << "the checked box as it was, in the colours of now";
    // The light kinds are drawn in the system's window colour inside the box.
    EXPECT_EQ(after.Canvas()->Pixels(4, 11), ColorToRGB(clWindow));
}
}  // namespace
