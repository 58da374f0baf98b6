// Column sizing: the auto-size column, spring columns, spreading a change over columns.
#include <gtest/gtest.h>

#include "tests/common/UserInput.h"
#include "tests/treeview/tree_fixture.h"

namespace {

class SizingTest : public TreeTest {
protected:
    TLTHeader* H = nullptr;
    TLazyTreeColumns* C = nullptr;
    std::vector<TColumnIndex> Resized;
    void SetUp() override
    {
        TreeTest::SetUp();
        H = Tree->Header();
        C = H->Columns();
        H->OnColumnResize = [this](TLTHeader*, TColumnIndex Column) { Resized.push_back(Column); };
    }
    void Make(std::vector<int> Widths)
    {
        C->Clear();
        for (int w : Widths) C->Add()->SetWidth(w);
    }
    std::vector<int> Widths() const
    {
        std::vector<int> out;
        for (int i = 0; i < C->Count(); ++i) out.push_back(C->Items(i)->Width());
        return out;
    }
};

TEST_F(SizingTest, AutoSizeColumnTakesTheRoomTheOthersLeave)
{
    const int client = Tree->ClientWidth();
    struct Case {
        const char* what;
        std::vector<int> widths;
        TColumnIndex autoSize;
        int min, max;
        int expect;
    } cases[] = {
        {"room left", {60, 50, 40}, 1, 10, 10000, client - 100},
        {"others fill the client: the minimum", {200, 50, 200}, 1, 10, 10000, 10},
        {"the maximum caps it", {60, 50, 40}, 1, 10, 80, 80},
        {"the minimum wins over the maximum", {200, 50, 200}, 1, 30, 10000, 30},
        {"an index beyond the last: the last column", {60, 50, 40}, 9, 10, 10000, client - 110},
    };
    for (const Case& c : cases) {
        H->SetOptions(H->Options() - hoAutoResize);
        Make(c.widths);
        H->SetAutoSizeIndex(c.autoSize);
        const TColumnIndex target = C->IsValidColumn(c.autoSize) ? c.autoSize : C->Count() - 1;
        C->Items(target)->SetMaxWidth(c.max);
        C->Items(target)->SetMinWidth(c.min);
        H->SetOptions(H->Options() | hoAutoResize);
        EXPECT_EQ(C->Items(target)->Width(), c.expect) << c.what;
    }
    // Its width belongs to the auto-size logic: setting it records the last width only.
    H->SetOptions(H->Options() - hoAutoResize);
    Make({60, 50, 40});
    H->SetAutoSizeIndex(1);
    H->SetOptions(H->Options() | hoAutoResize);
    const int w = C->Items(1)->Width();
    C->Items(1)->SetWidth(20);
    EXPECT_EQ(C->Items(1)->Width(), w);
    // Another column growing takes the room from it.
    C->Items(0)->SetWidth(80);
    EXPECT_EQ(C->Items(1)->Width(), w - 20);
}

TEST_F(SizingTest, AutoSizeColumnFollowsTheTreeWidth)
{
    Make({60, 50});
    H->SetAutoSizeIndex(0);
    H->SetOptions(H->Options() | hoAutoResize);
    EXPECT_EQ(C->Items(0)->Width() + 50, Tree->ClientWidth());
    Tree->SetWidth(Tree->Width() + 40);
    EXPECT_EQ(C->Items(0)->Width() + 50, Tree->ClientWidth());
}

TEST_F(SizingTest, SpringColumnsShareWidthChangesAndCarryFractions)
{
    Make({50, 50, 50});
    for (int i : {0, 2}) C->Items(i)->SetOptions(C->Items(i)->Options() | coAutoSpring);
    H->SetOptions(H->Options() | hoAutoSpring);
    H->DistributeSpringWidth();  // takes the present width as the starting point
    const int w0 = Tree->Width();
    struct Step {
        int grow;
        std::vector<int> widths;
    } steps[] = {
        {3, {51, 50, 51}},  // 1.5 each: one pixel now, a half kept
        {3, {53, 50, 53}},  // 0.5 + 1.5 = 2
        {-4, {51, 50, 51}},
    };
    int grown = 0;
    for (const Step& s : steps) {
        grown += s.grow;
        Tree->SetWidth(w0 + grown);
        EXPECT_EQ(Widths(), s.widths) << "after growing by " << grown;
    }
}

TEST_F(SizingTest, FirstWidthChangeOfAHeaderDistributesNothing)
{
    TLazyStringTree t(nullptr);
    TLTHeader* h = t.Header();
    for (int i = 0; i < 2; ++i) h->Columns()->Add()->SetOptions(h->Columns()->Items(i)->Options() | coAutoSpring);
    h->SetOptions(h->Options() | hoAutoSpring);
    t.SetBounds(0, 0, 400, 100);
    EXPECT_EQ(h->Columns()->Items(0)->Width(), 50);
    t.SetBounds(0, 0, 410, 100);
    EXPECT_EQ(h->Columns()->Items(0)->Width(), 55);
}

TEST_F(SizingTest, ResizeColumnsSpreadsChangesWithinLimits)
{
    struct Case {
        const char* what;
        std::vector<int> widths;
        std::vector<int> mins;
        int change;
        int answer;
        std::vector<int> expect;
    } cases[] = {
        {"even share and a bonus pixel for the first", {50, 50, 50}, {10, 10, 10}, 7, 7, {53, 52, 52}},
        {"more than the room: only the room", {40, 40, 40}, {30, 30, 30}, -100, -30, {30, 30, 30}},
        {"shrinking: the extra pixel from the end", {50, 50, 50}, {10, 10, 10}, -4, -4, {49, 49, 48}},
        {"nothing", {50, 50}, {10, 10}, 0, 0, {50, 50}},
        {"one column at its limit", {50, 10, 50}, {10, 10, 10}, -20, -20, {40, 10, 40}},
    };
    for (const Case& c : cases) {
        Make(c.widths);
        for (std::size_t i = 0; i < c.mins.size(); ++i) C->Items(int(i))->SetMinWidth(c.mins[i]);
        EXPECT_EQ(H->ResizeColumns(c.change, 0, C->Count() - 1, TLTColumnOptions{coVisible}), c.answer) << c.what;
        EXPECT_EQ(Widths(), c.expect) << c.what;
    }
    // The next uneven change gives its extra pixel to the next column.
    Make({50, 50, 50});
    H->ResizeColumns(7, 0, 2, TLTColumnOptions{coVisible});
    H->ResizeColumns(7, 0, 2, TLTColumnOptions{coVisible});
    EXPECT_EQ(Widths(), (std::vector<int>{55, 55, 54}));
}

TEST_F(SizingTest, ResizeColumnsOnlyMovesColumnsWithTheOptionsAsked)
{
    Make({50, 50, 50});
    C->Items(1)->SetOptions(C->Items(1)->Options() - coResizable);
    EXPECT_EQ(H->ResizeColumns(10, 0, 2, TLTColumnOptions{coVisible, coResizable}), 10);
    EXPECT_EQ(Widths(), (std::vector<int>{55, 50, 55}));
    // Columns that cannot move at all: no change and no endless walk.
    for (int i = 0; i < 3; ++i) C->Items(i)->SetMaxWidth(C->Items(i)->Width());
    EXPECT_EQ(H->ResizeColumns(5, 0, 2, TLTColumnOptions{coVisible}), 0);
}

TEST_F(SizingTest, WidthChangesAreReportedOncePerColumn)
{
    Make({50, 50, 50});
    Resized.clear();
    C->Items(1)->SetWidth(70);
    EXPECT_EQ(Resized, (std::vector<TColumnIndex>{1}));
    Resized.clear();
    C->Items(1)->SetWidth(70);  // no change, no report
    EXPECT_TRUE(Resized.empty());
}

TEST_F(SizingTest, RestoreColumnsReturnsVisibleResizableColumnsToTheirLastWidth)
{
    Make({50, 50, 50});
    for (int i = 0; i < 3; ++i) C->Items(i)->SetWidth(80);
    C->Items(1)->SetOptions(C->Items(1)->Options() - coResizable);
    C->Items(2)->SetOptions(C->Items(2)->Options() - coVisible);
    H->RestoreColumns();
    EXPECT_EQ(Widths(), (std::vector<int>{50, 80, 80}));
}

}  // namespace

namespace {

// A tree whose cells have given widths, as a text tree measures its texts.
class TWidthTree : public TLazyStringTree {
public:
    using TLazyStringTree::TLazyStringTree;
    std::function<int(PLazyNode, TColumnIndex)> CellWidth;

protected:
    int GetNodeWidth(PLazyNode Node, TColumnIndex Column) override { return CellWidth ? CellWidth(Node, Column) : 0; }
};

class FitTest : public TreeTest {
protected:
    TWidthTree* T = nullptr;
    TLazyTreeColumns* C = nullptr;
    void SetUp() override
    {
        TreeTest::SetUp();
        T = new TWidthTree(Form);
        T->SetParent(Form);
        T->SetBounds(0, 0, 300, 200);
        C = T->Header()->Columns();
        for (int i = 0; i < 3; ++i) C->Add();
        // Two top-level nodes with two children each, expanded; a cell is 10 per level
        // plus 20 per column plus the node's index.
        T->SetRootNodeCount(2);
        for (PLazyNode n = T->GetFirst(); n; n = T->GetNextSibling(n)) {
            T->SetChildCount(n, 2);
            T->SetExpanded(n, true);
        }
        T->CellWidth = [this](PLazyNode n, TColumnIndex c) {
            return 10 * int(T->GetNodeLevel(n)) + 20 * (c + 1) + int(n->Index);
        };
    }
};

TEST_F(FitTest, ColumnsFitTheirWidestContent)
{
    const int m = T->Margin(), ind = T->Indent();
    const bool root = T->TreeOptions()->PaintOptions().Contains(toShowRoot);
    // Main column 0: the children lie one indent further in and are 10 wider.
    const int main = std::max((root ? 2 : 1) * ind + m + 10 + 20 + 1, (root ? 1 : 0) * ind + m + 20 + 1);
    T->Header()->AutoFitColumns(false, smaNoColumn);
    EXPECT_EQ(C->Items(0)->Width(), main);
    EXPECT_EQ(C->Items(1)->Width(), m + 10 + 40 + 1);
    EXPECT_EQ(C->Items(2)->Width(), m + 10 + 60 + 1);
    // Vertical grid lines take one pixel more.
    T->TreeOptions()->SetPaintOptions(T->TreeOptions()->PaintOptions() | toShowVertGridLines);
    T->Header()->AutoFitColumns(false, smaNoColumn, 1, 1);
    EXPECT_EQ(C->Items(1)->Width(), m + 10 + 40 + 1 + 1);
}

TEST_F(FitTest, FittingSkipsHiddenAndFixedWidthColumnsAndEmptyRanges)
{
    C->Items(1)->SetOptions(C->Items(1)->Options() - coResizable);
    C->Items(2)->SetOptions(C->Items(2)->Options() - coVisible);
    T->Header()->AutoFitColumns(false, smaNoColumn, 1, -1);
    EXPECT_EQ(C->Items(1)->Width(), 50);
    EXPECT_EQ(C->Items(2)->Width(), 50);
    T->Header()->AutoFitColumns(false, smaNoColumn, 5, -1);  // start beyond the last position
    EXPECT_EQ(C->Items(0)->Width(), 50);
}

TEST_F(FitTest, DoubleClickOnADividerFitsTheColumnLeftOfIt)
{
    TLTHeader* h = T->Header();
    h->SetOptions(h->Options() | hoVisible | hoDblClickResize);
    Form->Show();
    UserDblClick(h->Window(), 100, 8);  // the border between columns 1 and 2
    EXPECT_EQ(C->Items(1)->Width(), T->Margin() + 10 + 40 + 1);
    EXPECT_EQ(C->Items(0)->Width(), 50);
    EXPECT_EQ(C->Items(2)->Width(), 50);
}

}  // namespace
