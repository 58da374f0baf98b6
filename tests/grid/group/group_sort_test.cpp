// Sorting a grouped grid from its header: the rows are ordered inside their groups and
// never leave them, closed groups keep their order; and ungrouping after such sorts,
// closed and opened groups brings back the rows as they stood before grouping, with
// their texts and their cell objects.
#include <cstdint>
#include <vector>

#include "grid/cells/CellGraphic.h"
#include "grid/util/GridSupport.h"
#include "tests/common/Snapshot.h"
#include "tests/common/colgrid_fixture.h"
#include "tests/common/extgrid_fixture.h"

namespace {

class GroupSortTest : public ExtGridTest {
protected:
    // Columns: 0 row header, 1 name, 2 kind (grouped), 3 value; row 0 the captions.
    void SetUp() override
    {
        ExtGridTest::SetUp();
        const char* rows[][3] = {{"c3", "B", "30"}, {"a1", "A", "20"}, {"b2", "B", "5"}, {"a2", "A", "100"},
                                 {"c1", "C", "7"},  {"b1", "B", "11"}, {"a3", "A", "3"}};
        Grid->SetColCount(4);
        Grid->SetRowCount(8);
        Grid->SetCellEx(1, 0, "Name");
        Grid->SetCellEx(2, 0, "Kind");
        Grid->SetCellEx(3, 0, "Value");
        for (int r = 1; r <= 7; ++r) {
            for (int c = 1; c <= 3; ++c) Grid->SetCellEx(c, r, rows[r - 1][c - 1]);
            // Application values in the value column and in the grouped column.
            Grid->SetObjectEx(3, r, std::uintptr_t(100 + r));
            if (r % 2) Grid->SetObjectEx(2, r, std::uintptr_t(200 + r));
        }
        Grid->SetColWidths(0, 40);
        for (int c = 1; c < 4; ++c) Grid->SetColWidths(c, 100);
        Grid->SortSettings()->SetShow(true);
        UserFocus(Grid);
    }
    void ClickHeader(int c, TShiftState shift = TShiftState())
    {
        const TPoint p = CellMid(Grid, c, 0);
        UserClick(Grid, p.X, p.Y, shift);
    }
    // The rows below the captions: [text/span] a header ("+" closed), S a summary row,
    // else the name; hidden rows are not shown.
    String Layout()
    {
        String s;
        for (int r = Grid->FixedRows(); r < Grid->RowCount(); ++r) {
            if (!s.empty()) s += ' ';
            if (Grid->IsNode(r))
                s += Cat("[", Grid->GetGridCell(1, r), "/", IntToStr(Grid->GetNodeSpan(r)),
                         Grid->GetNodeState(r) ? "+" : "", "]");
            else if (Grid->IsSummary(r))
                s += "S";
            else
                s += Grid->GetGridCell(1, r);
        }
        return s;
    }
    // Every cell's text and object: the record's identity (not in column 0, where the
    // nodes leave records behind), the application's value and the graphic's kind and
    // state; and each row's height.
    String Dump()
    {
        String s;
        for (int r = 0; r < Grid->RowCount(); ++r) {
            s += Cat("h", IntToStr(Grid->RowHeights(r)));
            for (int c = 0; c < Grid->TotalColCount(); ++c) {
                s += Cat(" ", Grid->GetGridCell(c, r));
                if (TCellProperties* p = Grid->CellPropsOf(c, r)) {
                    if (c > 0) s += Cat("@", IntToStr(int(reinterpret_cast<std::uintptr_t>(p) & 0xffffff)));
                    if (p->CellObject) s += Cat("#", IntToStr(int(p->CellObject)));
                    if (auto* g = dynamic_cast<TCellGraphic*>(p->FGraphicObject))
                        s += Cat("g", IntToStr(int(g->CellType)), g->CellBoolean ? "on" : "off");
                }
            }
            s += '\n';
        }
        return s;
    }
};

TEST_F(GroupSortTest, HeaderClicksSortTheRowsInsideTheirGroups)
{
    // The grouping's own sort orders equal kinds by the following column, the value.
    Grid->Group(2);
    ASSERT_EQ(Layout(), "[A/4] a3 a1 a2 [B/4] b2 b1 c3 [C/2] c1");
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* layout;
    };
    const Step steps[] = {
        {"name ascending", [&] { ClickHeader(1); }, "[A/4] a1 a2 a3 [B/4] b1 b2 c3 [C/2] c1"},
        {"value ascending, as numbers", [&] { ClickHeader(2); }, "[A/4] a3 a1 a2 [B/4] b2 b1 c3 [C/2] c1"},
        {"value descending", [&] { ClickHeader(2); }, "[A/4] a2 a1 a3 [B/4] c3 b1 b2 [C/2] c1"},
        // A closed group keeps its order; the open one is sorted.
        {"name with group B closed",
         [&] {
             Grid->SetNodeState(5, true);
             ClickHeader(1);
         },
         "[A/4] a1 a2 a3 [B/4+] [C/2] c1"},
        {"B opened again", [&] { Grid->SetNodeState(5, false); }, "[A/4] a1 a2 a3 [B/4] c3 b1 b2 [C/2] c1"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act();
        EXPECT_EQ(Layout(), s.layout);
    }
    // The values went with their names.
    EXPECT_EQ(RowText(2), "|a1|20");
    EXPECT_EQ(Grid->GetObjectEx(2, 2), std::uintptr_t(102));

    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Grid, "group_sorted.png", png));
}

TEST_F(GroupSortTest, TheIndexKeySortsInsideGroupsBySeveralColumns)
{
    Grid->SortSettings()->IndexShow = true;
    Grid->SetCellEx(3, 6, "30");   // b1 ties with c3 on the value
    Grid->Group(2);
    ASSERT_EQ(Layout(), "[A/4] a3 a1 a2 [B/4] b2 c3 b1 [C/2] c1");
    struct Step {
        int col;
        TShiftState shift;
        const char* keys;
        const char* layout;
    };
    const Step steps[] = {
        {2, TShiftState(), "u2", "[A/4] a3 a1 a2 [B/4] b2 c3 b1 [C/2] c1"},
        // The name as second key breaks the tie in B, ascending and then descending.
        {1, TShiftState{ssShift}, "u2;u1", "[A/4] a3 a1 a2 [B/4] b2 b1 c3 [C/2] c1"},
        {1, TShiftState{ssShift}, "u2;d1", "[A/4] a3 a1 a2 [B/4] b2 c3 b1 [C/2] c1"},
        // A plain click starts the list again.
        {1, TShiftState(), "u1", "[A/4] a1 a2 a3 [B/4] b1 b2 c3 [C/2] c1"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.keys);
        ClickHeader(s.col, s.shift);
        EXPECT_EQ(Grid->SortIndexes()->SaveToString(), s.keys);
        EXPECT_EQ(Layout(), s.layout);
    }
}

TEST_F(GroupSortTest, SubGroupsAreSortedInsideTheDeepestGroups)
{
    Grid->SetCellEx(3, 1, "x");
    Grid->Group(2);
    // The value column becomes the sub-grouping column; rows inside sub-groups sort by name.
    Grid->SetCellEx(2, 2, "p");
    Grid->SetCellEx(2, 3, "p");
    Grid->SetCellEx(2, 4, "p");
    Grid->SubGroup(2);
    const String before = Layout();
    ClickHeader(1);
    // The outer groups are not taken apart: every header stays where it was.
    const String after = Layout();
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i)
        if (before[i] == '[' || before[i] == ']') {
            EXPECT_EQ(after[i], before[i]) << i;
        }
    EXPECT_NE(after.find("a1 a2 a3"), String::npos) << after;
}

TEST_F(GroupSortTest, UnGroupBringsBackTheRowsAsTheyStoodBeforeGrouping)
{
    struct Case {
        bool AutoSort, Summary, MergeHeader;
    } cases[] = {
        {true, false, false},
        {true, true, true},
        {false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Cat("auto sort ", c.AutoSort ? "on" : "off", " summary ", c.Summary ? "on" : "off",
                         " merged header ", c.MergeHeader ? "on" : "off"));
        Grid->SortSettings()->AutoSortForGrouping = c.AutoSort;
        Grid->Grouping()->Summary = c.Summary;
        Grid->Grouping()->MergeHeader = c.MergeHeader;
        // A check box in the grouped column leaves the grid with the column and comes back.
        Grid->AddCheckBox(2, 4, true, false);
        const String before = Dump();
        Grid->Group(2);
        ClickHeader(2);
        Grid->SetNodeState(Grid->FixedRows(), true);
        ClickHeader(1);
        ClickHeader(1);
        Grid->SetNodeState(Grid->FixedRows(), false);
        Grid->ContractAll();
        Grid->SetNodeState(Grid->FixedRows(), false);
        Grid->UnGroup();
        EXPECT_EQ(Grid->GroupColumn(), -1);
        EXPECT_EQ(Dump(), before);
        Grid->SortSettings()->Column = -1;
    }
}

TEST_F(GroupSortTest, RowsAddedAndRemovedWhileGroupedKeepTheirPlaces)
{
    Grid->Group(2);
    ClickHeader(1);   // B: b1 b2 c3
    // A row added under a1 and b2 removed.
    Grid->InsertChildRow(Grid->RealRowIndex(2), 1);
    Grid->SetCellEx(1, 3, "new");
    const int b2 = 8;
    ASSERT_EQ(Grid->GetCellEx(1, b2), "b2");
    Grid->RemoveChildRow(Grid->RealRowIndex(b2));
    Grid->UnGroup();
    // The rows before grouping, b2 gone, the new row right below a1.
    String names;
    for (int r = 1; r < Grid->RowCount(); ++r) names += Cat(Grid->GetCellEx(1, r), ":", Grid->GetCellEx(2, r), " ");
    EXPECT_EQ(names, "c3:B a1:A new:A a2:A c1:C b1:B a3:A ");
}

}   // namespace
