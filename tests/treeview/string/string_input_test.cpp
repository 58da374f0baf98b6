// The string tree's texts for selection, export and settings: a node re-added with a text
// that was selected is selected again, image texts come from their event, the export's
// node filter follows its mode, the older stored option names are read, and the font's
// measures follow a font change.
#include <map>

#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class StringInputTest : public TreeTest {
protected:
    std::map<PLazyNode, String> Texts;
    void SetUp() override
    {
        TreeTest::SetUp();
        Tree->OnGetText = [this](TBaseLazyTree*, PLazyNode N, TColumnIndex, TVSTTextType Type, String& S) {
            if (Type == ttNormal) S = Texts.count(N) ? Texts[N] : Arriving;
        };
        Tree->OnFreeNode = [this](TBaseLazyTree*, PLazyNode N) { Texts.erase(N); };
    }
    void TearDown() override
    {
        Tree->OnGetText = nullptr;
        TreeTest::TearDown();
    }
    // A node whose text is known when it arrives: re-selection looks it up then.
    String Arriving;
    PLazyNode Add(const String& Text)
    {
        Arriving = Text;
        PLazyNode n = Tree->AddChild(nullptr);
        Texts[n] = Text;
        return n;
    }
};

TEST_F(StringInputTest, AReAddedNodeWhoseTextWasSelectedIsSelectedAgain)
{
    auto* o = Tree->TreeOptions();
    o->SetSelectionOptions(o->SelectionOptions() | toRestoreSelection | toMultiSelect);
    PLazyNode apple = Add("Apple");
    Add("Pear");
    PLazyNode plum = Add("Plum");
    Tree->SetSelected(apple, true);
    Tree->SetSelected(plum, true);
    // An application refreshing its rows deletes and re-adds them in one update: the
    // texts outlive the nodes, and the comparison ignores case.
    Tree->BeginUpdate();
    Tree->DeleteNode(apple);
    Tree->DeleteNode(plum);
    PLazyNode apple2 = Add("apple");
    Tree->EndUpdate();
    EXPECT_TRUE(Tree->Selected(apple2));
    EXPECT_EQ(Tree->SelectedCount(), 1u);
    PLazyNode pear = Tree->GetFirst();
    ASSERT_EQ(Texts[pear], "Pear");
    Tree->SetSelected(pear, true);
    Tree->SetSelected(apple2, false);   // "apple" leaves the remembered texts
    struct TCase {
        const char* Text;
        bool Selected;
    };
    const TCase cases[] = {
        {"PEAR", true},
        {"Plum", true},
        {"Apple", false},  // unselected before it went
        {"Cherry", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        PLazyNode n = Add(c.Text);
        EXPECT_EQ(Tree->Selected(n), c.Selected);
    }
    EXPECT_CONSISTENT(Tree);
}

TEST_F(StringInputTest, ImageTextsAndTheExportFilter)
{
    Shape({2, 0});
    Tree->SetExpanded(At("0"), false);
    EXPECT_EQ(Tree->ImageText(At("1"), ikNormal, 0), "");
    Tree->OnGetImageText = [this](TBaseLazyTree*, PLazyNode N, TLTImageKind, TColumnIndex C, String& S) {
        S = "image of " + Name(N) + " in " + std::to_string(C);
    };
    EXPECT_EQ(Tree->ImageText(At("1"), ikNormal, 2), "image of 1 in 2");
    EXPECT_THROW(Tree->ImageText(nullptr, ikNormal, 0), ELazyTreeError);
    Tree->OnGetImageText = nullptr;

    Tree->SetCheckType(At("1"), ctCheckBox);
    Tree->SetCheckState(At("1"), csCheckedNormal);
    Tree->SetSelected(At("0"), true);
    struct TCase {
        TLTExportMode Mode;
        const char* Passing;
    };
    const TCase cases[] = {
        {emAll, "0 0.0 0.1 1"},
        {emChecked, "1"},
        {emUnchecked, "0 0.0 0.1"},
        {emVisibleDueToExpansion, "0 1"},
        {emSelected, "0"},
    };
    for (const TCase& c : cases) {
        Tree->TreeOptions()->SetExportMode(c.Mode);
        std::string passing;
        for (PLazyNode n : Tree->Nodes())
            if (Tree->NodePassesExportFilter(n)) {
                if (!passing.empty()) passing += ' ';
                passing.append(Name(n));
            }
        EXPECT_EQ(passing, c.Passing) << c.Mode;
    }
}

TEST_F(StringInputTest, OlderStoredOptionNamesAreRead)
{
    Tree->ReadOldStringOptions({"soShowStaticText", "soSomethingElse"});
    EXPECT_EQ(Tree->TreeOptions()->StringOptions(), TLTStringOptions{toShowStaticText});
    Tree->ReadOldStringOptions({"soSaveCaptions", "soShowStaticText"});
    EXPECT_EQ(Tree->TreeOptions()->StringOptions(), (TLTStringOptions{toSaveCaptions, toShowStaticText}));
}

TEST_F(StringInputTest, FontMeasuresFollowTheFont)
{
    const int height = Tree->TextHeight();
    const int ellipsis = Tree->EllipsisWidth();
    EXPECT_GT(height, 0);
    EXPECT_GT(ellipsis, 0);
    Tree->Font()->SetSize(Tree->Font()->Size() * 2);
    EXPECT_GT(Tree->TextHeight(), height);
    EXPECT_GT(Tree->EllipsisWidth(), ellipsis);
}

} // namespace
