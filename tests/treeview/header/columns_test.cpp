// Columns: positions and left edges, bookkeeping when columns go, width limits, hit tests
// and navigation.
#include <gtest/gtest.h>

#include "tests/treeview/tree_fixture.h"

namespace {

class ColumnsTest : public HeaderTreeTest {
protected:
    // n columns of the given widths.
    void Make(std::vector<int> Widths)
    {
        for (int w : Widths) C->Add()->SetWidth(w);
    }
    std::vector<int> Lefts() const
    {
        std::vector<int> out;
        for (int i = 0; i < C->Count(); ++i) out.push_back(C->Items(i)->RawLeft());
        return out;
    }
    // The position array is a permutation and every column knows its place.
    ::testing::AssertionResult PositionsConsistent() const
    {
        const auto& p = C->PositionToIndex();
        if (int(p.size()) != C->Count()) return ::testing::AssertionFailure() << "array length " << p.size();
        std::vector<bool> seen(p.size(), false);
        int sum = 0;
        for (std::size_t i = 0; i < p.size(); ++i) {
            if (p[i] < 0 || p[i] >= C->Count() || seen[std::size_t(p[i])])
                return ::testing::AssertionFailure() << "not a permutation at " << i;
            seen[std::size_t(p[i])] = true;
            TLazyTreeColumn* c = C->Items(p[i]);
            if (c->Position() != i) return ::testing::AssertionFailure() << "column " << p[i] << " position";
            if (c->RawLeft() != sum) return ::testing::AssertionFailure() << "column " << p[i] << " left " << c->RawLeft();
            if (c->Visible()) sum += c->Width();
        }
        return ::testing::AssertionSuccess();
    }
};

TEST_F(ColumnsTest, NewColumnTakesDefaultWidthLastPositionAndTreeColour)
{
    C->SetDefaultWidth(70);
    Tree->SetColor(clYellow);
    Make({});
    TLazyTreeColumn* a = C->Add();
    TLazyTreeColumn* b = C->Add();
    EXPECT_EQ(a->Width(), 70);
    EXPECT_EQ(b->Position(), 1u);
    EXPECT_EQ(b->Color(), clYellow);
    EXPECT_EQ(H->MainColumn(), 0);
    EXPECT_EQ(Lefts(), (std::vector<int>{0, 70}));
    EXPECT_TRUE(PositionsConsistent());
    // A default width outside the limits gives a column within them.
    C->SetDefaultWidth(3);
    EXPECT_EQ(C->Add()->Width(), 10);
    C->SetDefaultWidth(20000);
    EXPECT_EQ(C->Add()->Width(), 10000);
}

TEST_F(ColumnsTest, MovingHidingAndDeletingKeepPositionsAndLefts)
{
    Make({10, 20, 30, 40});
    C->Items(0)->SetPosition(99);  // beyond the end: the last place
    EXPECT_EQ(C->PositionToIndex(), (std::vector<TColumnIndex>{1, 2, 3, 0}));
    EXPECT_TRUE(PositionsConsistent());
    C->Items(2)->SetOptions(C->Items(2)->Options() - coVisible);
    EXPECT_TRUE(PositionsConsistent());
    EXPECT_EQ(C->Items(3)->RawLeft(), 20);  // the hidden 30 takes no room
    EXPECT_EQ(C->Items(2)->RawLeft(), 20);  // a hidden column has the next visible left edge
    C->Delete(1);
    EXPECT_TRUE(PositionsConsistent());
    EXPECT_EQ(C->Count(), 3);
}

TEST_F(ColumnsTest, DeletingFollowsSortMainAndAutoSizeColumns)
{
    struct Case {
        const char* what;
        TColumnIndex deleted;
        TColumnIndex sort, main;
    } cases[] = {
        {"before the sort column", 0, 1, 0},  // main column 0 deleted: the new column 0
        {"the sort column", 2, NoColumnIndex, 0},
        {"after both", 3, 2, 0},
    };
    for (const Case& c : cases) {
        C->Clear();
        Make({50, 50, 50, 50});
        H->SetSortColumn(2);
        H->SetMainColumn(0);
        C->Delete(c.deleted);
        EXPECT_EQ(H->SortColumn(), c.sort) << c.what;
        EXPECT_EQ(H->MainColumn(), c.main) << c.what;
        EXPECT_TRUE(PositionsConsistent()) << c.what;
    }
    C->Clear();
    Make({50, 50, 50});
    H->SetMainColumn(2);
    C->Delete(0);
    EXPECT_EQ(H->MainColumn(), 1);
    C->Delete(1);
    EXPECT_EQ(H->MainColumn(), 0);  // the main column itself went: column 0 takes over
}

TEST_F(ColumnsTest, WidthLimits)
{
    struct Case {
        const char* what;
        int min, max, width, expectWidth, expectMin, expectMax;
    } cases[] = {
        {"inside", 10, 100, 60, 60, 10, 100},
        {"below the minimum", 20, 100, 5, 20, 20, 100},
        {"above the maximum", 10, 80, 500, 80, 10, 80},
        {"minimum above maximum is cut to it", 200, 80, 60, 80, 80, 80},
        {"negative minimum", -5, 100, 0, 0, 0, 100},
    };
    for (const Case& c : cases) {
        C->Clear();
        TLazyTreeColumn* col = C->Add();
        col->SetMaxWidth(c.max);
        col->SetMinWidth(c.min);
        col->SetWidth(c.width);
        EXPECT_EQ(col->Width(), c.expectWidth) << c.what;
        EXPECT_EQ(col->MinWidth(), c.expectMin) << c.what;
        EXPECT_EQ(col->MaxWidth(), c.expectMax) << c.what;
    }
}

TEST_F(ColumnsTest, MovingAColumnTakesTheFixedStateOfItsNeighbours)
{
    Make({30, 30, 30, 30});
    C->Items(0)->SetOptions(C->Items(0)->Options() | coFixed);
    C->Items(1)->SetOptions(C->Items(1)->Options() | coFixed);
    C->Items(3)->SetPosition(1);  // between two fixed columns
    EXPECT_TRUE(C->Items(3)->Options().Contains(coFixed));
    C->Items(0)->SetPosition(3);  // among scrolling columns
    EXPECT_FALSE(C->Items(0)->Options().Contains(coFixed));
    EXPECT_TRUE(PositionsConsistent());
}

TEST_F(ColumnsTest, HitTestsAndNavigationSkipHiddenColumns)
{
    Make({40, 30, 50});
    C->Items(1)->SetOptions(C->Items(1)->Options() - coVisible);
    EXPECT_EQ(C->ColumnFromPosition(TPoint(0, 5)), 0);
    EXPECT_EQ(C->ColumnFromPosition(TPoint(39, 5)), 0);
    EXPECT_EQ(C->ColumnFromPosition(TPoint(40, 5)), 2);
    EXPECT_EQ(C->ColumnFromPosition(TPoint(89, 5)), 2);
    EXPECT_EQ(C->ColumnFromPosition(TPoint(90, 5)), InvalidColumnIndex);
    EXPECT_EQ(C->ColumnFromPosition(TPoint(-1, 5)), InvalidColumnIndex);
    EXPECT_EQ(C->GetNextVisibleColumn(0), 2);
    EXPECT_EQ(C->GetPreviousVisibleColumn(2), 0);
    EXPECT_EQ(C->GetLastVisibleColumn(), 2);
    EXPECT_EQ(C->GetNextColumn(2), InvalidColumnIndex);
    EXPECT_EQ(C->GetNextColumn(-1), InvalidColumnIndex);
    EXPECT_EQ(C->TotalWidth(), 90);
}

TEST_F(ColumnsTest, ScrollWidthRoundsHalvesToEvenAndDisplayNameNamesWideTexts)
{
    Make({50, 51});
    EXPECT_EQ(C->GetScrollWidth(), 50);
    C->Items(1)->SetWidth(53);
    EXPECT_EQ(C->GetScrollWidth(), 52);  // 51.5 rounds to even
    C->Add()->SetText("\xE2\x82\xAC uro");
    C->Items(0)->SetText("Name");
    EXPECT_EQ(C->Items(2)->DisplayName(), "Column 2");
    EXPECT_EQ(C->Items(0)->DisplayName(), "Name");
    EXPECT_THROW(C->Items(3), EListError);
}

TEST_F(ColumnsTest, MainAndSortColumnAreClampedToTheColumns)
{
    EXPECT_EQ(H->MainColumn(), NoColumnIndex);
    Make({50, 50, 50});
    H->SetMainColumn(10);
    EXPECT_EQ(H->MainColumn(), 2);
    H->SetSortColumn(7);
    EXPECT_EQ(H->SortColumn(), 2);
    H->SetSortColumn(-5);
    EXPECT_EQ(H->SortColumn(), NoColumnIndex);
}

}  // namespace

namespace {

class HeaderHeightTest : public TreeTest {};

TEST_F(HeaderHeightTest, HeightKeepsItsLimits)
{
    const int tree = Tree->ClientHeight();
    struct Case {
        const char* what;
        int min, max, maxPercent, minPercent, height, expect;
    } cases[] = {
        {"inside", 10, 10000, 0, 0, 30, 30},
        {"below the minimum", 15, 10000, 0, 0, 3, 15},
        {"above the maximum", 10, 40, 0, 0, 90, 40},
        {"the percent caps a larger maximum", 10, 10000, 50, 0, 150, tree / 2},
        {"the percent lifts the height", 10, 10000, 0, 25, 20, tree / 4},
    };
    for (const Case& c : cases) {
        TLTHeader* h = Tree->Header();
        h->FixedAreaConstraints()->SetMaxHeightPercent(0);
        h->FixedAreaConstraints()->SetMinHeightPercent(0);
        h->SetMinHeight(0);
        h->SetMaxHeight(10000);
        h->SetHeight(19);
        h->SetMaxHeight(c.max);
        h->SetMinHeight(c.min);
        h->FixedAreaConstraints()->SetMaxHeightPercent(c.maxPercent);
        h->FixedAreaConstraints()->SetMinHeightPercent(c.minPercent);
        h->SetHeight(c.height);
        EXPECT_EQ(h->Height(), c.expect) << c.what;
    }
}

TEST_F(HeaderHeightTest, DefaultHeightMovesTheHeightOnlyWhileTheyAgree)
{
    TLTHeader* h = Tree->Header();
    h->SetDefaultHeight(25);
    EXPECT_EQ(h->Height(), 25);
    h->SetHeight(30);
    h->SetDefaultHeight(22);
    EXPECT_EQ(h->Height(), 30);
    // Constraints contradicting each other are put in order.
    h->FixedAreaConstraints()->SetMinHeightPercent(40);
    h->FixedAreaConstraints()->SetMaxHeightPercent(20);
    EXPECT_EQ(h->FixedAreaConstraints()->MinHeightPercent(), 20);
}

}  // namespace
