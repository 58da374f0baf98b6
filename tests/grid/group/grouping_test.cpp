// Grouping: the layout of header, data and summary rows, ungrouping back to the rows
// and the column as they were, group calculations and counts, sub-groups, the column
// grid keeping the grouped column's settings, the keyboard inside groups, and what a
// grouped grid looks like with its groups open and closed.
#include <functional>
#include <vector>

#include "tests/common/Snapshot.h"
#include "tests/common/colgrid_fixture.h"
#include "tests/common/extgrid_fixture.h"

namespace {

struct TDataRow {
    const char* Name;
    const char* Kind;
    const char* Value;
};

class GroupingTest : public ExtGridTest {
protected:
    // Columns: 0 row header, 1 name, 2 kind, 3 value; row 0 the captions.
    void Load(std::initializer_list<TDataRow> rows)
    {
        Grid->SetColCount(4);
        Grid->SetRowCount(int(rows.size()) + 1);
        Grid->SetCellEx(1, 0, "Name");
        Grid->SetCellEx(2, 0, "Kind");
        Grid->SetCellEx(3, 0, "Value");
        int r = 1;
        for (const TDataRow& d : rows) {
            Grid->SetCellEx(1, r, d.Name);
            Grid->SetCellEx(2, r, d.Kind);
            Grid->SetCellEx(3, r, d.Value);
            ++r;
        }
        Grid->SetColWidths(0, 40);
        Grid->SetColWidths(1, 120);
        Grid->SetColWidths(2, 77);
        Grid->SetColWidths(3, 90);
    }
    void LoadABC()
    {
        Load({{"a1", "A", "1"}, {"a2", "A", "2"}, {"b1", "B", "5"}});
    }
    // The rows below the header: [text/span] a header, S a summary row, else columns 1
    // and 2 ("+" for a closed header).
    String Layout()
    {
        String s;
        for (int r = Grid->FixedRows(); r < Grid->RowCount(); ++r) {
            if (!s.empty()) s += ' ';
            if (Grid->IsNode(r))
                s += "[" + Grid->GetGridCell(1, r) + "/" + IntToStr(Grid->GetNodeSpan(r)) +
                     (Grid->GetNodeState(r) ? "+" : "") + "]";
            else if (Grid->IsSummary(r))
                s += "S" + (Grid->GetGridCell(2, r).empty() ? String() : "=" + Grid->GetGridCell(2, r));
            else
                s += Grid->GetGridCell(1, r) + ":" + Grid->GetGridCell(2, r);
        }
        return s;
    }
    String Columns(int r) { return RowText(r); }
};

}  // namespace

// ---------------------------------------------------------------- layout

TEST_F(GroupingTest, GroupedRowsWithAndWithoutSummaries)
{
    struct Case {
        bool Summary;
        const char* Layout;
    } cases[] = {
        {false, "[A/3] a1:1 a2:2 [B/2] b1:5"},
        {true, "[A/3] a1:1 a2:2 S [B/2] b1:5 S"},
    };
    for (const Case& c : cases) {
        LoadABC();
        Grid->Grouping()->Summary = c.Summary;
        Grid->Group(2);
        EXPECT_EQ(Layout(), c.Layout) << c.Summary;
        EXPECT_EQ(Grid->GroupColumn(), 2);
        EXPECT_EQ(Grid->ColCount(), 3);   // the kind column is out
        EXPECT_EQ(Grid->GetGridCell(2, 0), "Value");
        EXPECT_EQ(Grid->GetNodeLevel(1), 1);
        Grid->UnGroup();
        EXPECT_EQ(Grid->GroupColumn(), -1);
        EXPECT_FALSE(Grid->HasNodes());
    }
}

TEST_F(GroupingTest, GroupingSortsFirstUnlessAskedNotTo)
{
    Load({{"b1", "B", "5"}, {"a1", "A", "1"}, {"b2", "B", "6"}});
    Grid->Group(2);
    EXPECT_EQ(Layout(), "[A/2] a1:1 [B/3] b1:5 b2:6");
    Grid->UnGroup();
    Load({{"b1", "B", "5"}, {"a1", "A", "1"}, {"b2", "B", "6"}});
    Grid->SortSettings()->AutoSortForGrouping = false;
    Grid->Group(2);
    EXPECT_EQ(Layout(), "[B/2] b1:5 [A/2] a1:1 [B/2] b2:6");
}

TEST_F(GroupingTest, UnGroupBringsTheColumnAndTheValuesBack)
{
    LoadABC();
    Grid->FixedFooters = 1;
    Grid->SetRowCount(Grid->RowCount() + 1);
    Grid->SetCellEx(2, 4, "kinds");
    Grid->SetCellEx(1, 4, "total");
    Grid->Grouping()->Summary = true;
    Grid->Group(2);
    EXPECT_EQ(Grid->GetGridCell(1, Grid->RowCount() - 1), "total");
    Grid->ContractAll();
    Grid->UnGroup();
    EXPECT_EQ(Grid->ColCount(), 4);
    EXPECT_EQ(Grid->ColWidths(2), 77);
    EXPECT_EQ(Columns(0), "|Name|Kind|Value");
    EXPECT_EQ(Columns(1), "|a1|A|1");
    EXPECT_EQ(Columns(2), "|a2|A|2");
    EXPECT_EQ(Columns(3), "|b1|B|5");
    EXPECT_EQ(Columns(4), "|total|kinds|");
    EXPECT_EQ(Grid->RowCount(), 5);
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
}

TEST_F(GroupingTest, GroupingAGroupedGridUngroupsFirst)
{
    Load({{"a1", "A", "1"}, {"a2", "A", "1"}, {"b1", "B", "2"}});
    Grid->Group(2);
    Grid->Group(3);   // the value column, after the kind column came back
    EXPECT_EQ(Grid->GroupColumn(), 3);
    EXPECT_EQ(Layout(), "[1/3] a1:A a2:A [2/2] b1:B");
    Grid->UnGroup();
    EXPECT_EQ(Columns(0), "|Name|Kind|Value");
    EXPECT_EQ(Columns(3), "|b1|B|2");
}

TEST_F(GroupingTest, TheGroupColumnProperty)
{
    struct Case {
        int Value, GroupColumn, Cols;
    } cases[] = {{0, -1, 4}, {2, 2, 3}, {0, 2, 3}, {-1, -1, 4}};
    LoadABC();
    for (const Case& c : cases) {
        Grid->SetGroupColumn(c.Value);
        EXPECT_EQ(Grid->GroupColumn(), c.GroupColumn) << c.Value;
        EXPECT_EQ(Grid->ColCount(), c.Cols) << c.Value;
    }
}

TEST_F(GroupingTest, ExpandOneLeavesTheFirstGroupOpen)
{
    Load({{"a1", "A", "1"}, {"b1", "B", "2"}, {"c1", "C", "3"}});
    Grid->CellNode()->ExpandOne = true;
    Grid->Group(2);
    EXPECT_EQ(Layout(), "[A/2] a1:1 [B/2+] [C/2+]");
    Grid->UnGroup();   // opens everything, keeps the setting
    EXPECT_TRUE(Grid->CellNode()->ExpandOne);
    EXPECT_EQ(Columns(3), "|c1|C|3");
}

// ---------------------------------------------------------------- calculations and counts

TEST_F(GroupingTest, CalculationsGoIntoSummaryOrHeaderRows)
{
    struct Case {
        bool Summary;
        std::function<void(TExtStringGrid*, int)> Calc;
        const char* Layout;
    } cases[] = {
        {true, [](TExtStringGrid* g, int c) { g->GroupSum(c); }, "[A/3] a1:1 a2:2 S=3.00 [B/2] b1:5 S=5.00"},
        {false, [](TExtStringGrid* g, int c) { g->GroupSum(c); }, "[A/3] a1:1 a2:2 [B/2] b1:5"},
        {true, [](TExtStringGrid* g, int c) { g->GroupAvg(c); }, "[A/3] a1:1 a2:2 S=1.50 [B/2] b1:5 S=5.00"},
        {true, [](TExtStringGrid* g, int c) { g->GroupMax(c); }, "[A/3] a1:1 a2:2 S=2.00 [B/2] b1:5 S=5.00"},
        {true, [](TExtStringGrid* g, int c) { g->GroupCount(c); }, "[A/3] a1:1 a2:2 S=2 [B/2] b1:5 S=1"},
    };
    for (const Case& c : cases) {
        LoadABC();
        Grid->Grouping()->Summary = c.Summary;
        Grid->Group(2);
        c.Calc(Grid, 2);
        EXPECT_EQ(Layout(), c.Layout);
        if (!c.Summary) {
            EXPECT_EQ(Grid->GetGridCell(2, 1), "3.00");
            EXPECT_EQ(Grid->GetGridCell(2, 4), "5.00");
        }
        Grid->UnGroup();
    }
}

TEST_F(GroupingTest, ClosedGroupsAreLeftOutAndCustomCalculationsAsk)
{
    LoadABC();
    Grid->Grouping()->Summary = true;
    Grid->Group(2);
    Grid->ContractNode(1);
    std::vector<String> asked;
    Grid->OnGroupCalc = [&](TObject*, int ACol, int From, int To, double& Res) {
        asked.push_back(IntToStr(ACol) + ":" + IntToStr(From) + "-" + IntToStr(To));
        Res = 7;
    };
    Grid->GroupCustomCalc(2);
    EXPECT_EQ(asked, std::vector<String>{"2:4-4"});
    EXPECT_EQ(Layout(), "[A/3+] S [B/2] b1:5 S=7.00");
}

TEST_F(GroupingTest, AGroupWithoutDataRowsHasNoAverage)
{
    LoadABC();
    Grid->Grouping()->ShowGroupCount = true;
    Grid->Group(2);
    // The keyboard's deletion takes the only row of group B.
    UserFocus(Grid);
    Grid->Navigation()->AllowDeleteRow = true;
    Grid->FocusCell(1, 5, true);
    UserKey(Grid, VK_DELETE);
    EXPECT_EQ(Layout(), "[A/3] a1:1 a2:2 [B/1]");
    EXPECT_EQ(Grid->GetCellEx(1, 4), "B (0)");
    const std::function<void(int)> calcs[] = {[&](int c) { Grid->GroupAvg(c); }, [&](int c) { Grid->GroupStdDev(c); },
                                              [&](int c) { Grid->GroupMin(c); }, [&](int c) { Grid->GroupMax(c); },
                                              [&](int c) { Grid->GroupCustomCalc(c); }};
    for (const auto& calc : calcs) {
        Grid->SetCellEx(2, 4, "old");
        calc(2);
        EXPECT_EQ(Grid->GetGridCell(2, 4), "");
        EXPECT_NE(Grid->GetGridCell(2, 1), "");
    }
    // The sum and the count of nothing are 0.
    Grid->GroupSum(2);
    EXPECT_EQ(Grid->GetGridCell(2, 4), "0.00");
    Grid->GroupCount(2);
    EXPECT_EQ(Grid->GetGridCell(2, 4), "0");
}

TEST_F(GroupingTest, HeadersShowTheirCount)
{
    LoadABC();
    Grid->Grouping()->ShowGroupCount = true;
    Grid->Group(2);
    EXPECT_EQ(Grid->GetCellEx(1, 1), "A (2)");
    EXPECT_EQ(Grid->GetCellEx(1, 4), "B (1)");
    EXPECT_EQ(Grid->GetCellEx(1, 2), "a1");
    Grid->Grouping()->GroupCountFormat = " [%d rows]";
    EXPECT_EQ(Grid->GetCellEx(1, 1), "A [2 rows]");
    // A format that takes no number leaves the plain count instead of failing.
    Grid->Grouping()->GroupCountFormat = " %s%s";
    EXPECT_EQ(Grid->GetCellEx(1, 1), "A (2)");
}

TEST_F(GroupingTest, RowsInsertedByKeyJoinTheirGroup)
{
    LoadABC();
    Grid->Grouping()->ShowGroupCount = true;
    Grid->Group(2);
    UserFocus(Grid);
    Grid->Navigation()->AllowInsertRow = true;
    Grid->FocusCell(1, 3, true);
    UserKey(Grid, VK_INSERT);
    EXPECT_EQ(Layout(), "[A/4] a1:1 : a2:2 [B/2] b1:5");
    // A data row raises the group's count.
    EXPECT_EQ(Grid->GetCellEx(1, 1), "A (3)");
    // On a header the new row goes below it and the header keeps its text.
    Grid->FocusCell(1, 5, true);
    UserKey(Grid, VK_INSERT);
    EXPECT_EQ(Layout(), "[A/4] a1:1 : a2:2 [B/3] : b1:5");
    EXPECT_EQ(Grid->GetCellEx(1, 5), "B (2)");
    Grid->ContractNode(1);
    EXPECT_EQ(Layout(), "[A/4+] [B/3] : b1:5");
    Grid->UnGroup();
    EXPECT_EQ(Columns(2), "||A|");
    EXPECT_EQ(Columns(3), "|a2|A|2");
    EXPECT_EQ(Columns(4), "||B|");
    EXPECT_EQ(Columns(5), "|b1|B|5");
}

// ---------------------------------------------------------------- sub-groups

TEST_F(GroupingTest, SubGroupsSplitGroupsAndComeApartAgain)
{
    Load({{"x", "A", "1"}, {"x", "A", "2"}, {"y", "A", "3"}, {"x", "B", "4"}});
    Grid->Grouping()->ShowGroupCount = true;
    Grid->Group(2);
    Grid->SubGroup(1);
    EXPECT_EQ(Layout(), "[A/6] [/3] :1 :2 [/2] :3 [B/3] [/2] :4");
    EXPECT_EQ(Grid->GetGridCell(2, 2), "x");   // the sub-header's text
    EXPECT_EQ(Grid->GetGridCell(2, 5), "y");
    EXPECT_EQ(Grid->GetNodeLevel(2), 2);
    // The group still counts its data rows, not its sub-headers.
    EXPECT_EQ(Grid->GetCellEx(1, 1), "A (3)");
    Grid->ContractNode(2);
    EXPECT_EQ(Layout(), "[A/6] [/3+] [/2] :3 [B/3] [/2] :4");
    Grid->SubUnGroup(1);
    EXPECT_EQ(Layout(), "[A/4] x:1 x:2 y:3 [B/2] x:4");
    EXPECT_EQ(Grid->GetCellEx(1, 1), "A (3)");
    // The grouped column is still the one Group took out.
    Grid->UnGroup();
    EXPECT_EQ(Columns(0), "|Name|Kind|Value");
    EXPECT_EQ(Columns(3), "|y|A|3");
    EXPECT_EQ(Columns(4), "|x|B|4");
}

// ---------------------------------------------------------------- keys on a grouped grid

TEST_F(GroupingTest, LeftAndRightCloseAndOpenAMergedHeader)
{
    LoadABC();
    Grid->Grouping()->MergeHeader = true;
    Grid->Group(2);
    EXPECT_TRUE(Grid->IsMergedCell(1, 1));
    UserFocus(Grid);
    Grid->FocusCell(1, 4, true);
    UserKey(Grid, VK_LEFT);
    EXPECT_EQ(Layout(), "[A/3] a1:1 a2:2 [B/2+]");
    UserKey(Grid, VK_RIGHT);
    EXPECT_EQ(Layout(), "[A/3] a1:1 a2:2 [B/2] b1:5");
    Grid->UnGroup();
    EXPECT_FALSE(Grid->IsMergedCell(1, 1));
    EXPECT_EQ(Columns(1), "|a1|A|1");
}

TEST_F(GroupingTest, AClickOnAnOpenHeaderSelectsItsGroup)
{
    LoadABC();
    Grid->Group(2);
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->Grouping()->AutoSelectGroup = true;
    const auto selected = [&] {
        String s;
        for (int r = 1; r < Grid->RowCount(); ++r) s += Grid->GetRowSelect(r) ? '1' : '0';
        return s;
    };
    ClickCell(Grid, 1, 1);
    EXPECT_EQ(selected(), "11100");
    ClickCell(Grid, 1, 4);
    EXPECT_EQ(selected(), "00011");
    // A closed group has no rows to select; without the setting only the header is.
    Grid->ContractNode(1);
    ClickCell(Grid, 1, 1);
    EXPECT_EQ(selected(), "100");
    Grid->ExpandNode(1);
    Grid->Grouping()->AutoSelectGroup = false;
    ClickCell(Grid, 1, 1);
    EXPECT_EQ(selected(), "10000");
}

TEST_F(GroupingTest, AGroupsBoxChecksItsRowsAndShowsWhetherTheyAgree)
{
    LoadABC();
    Grid->Group(2);   // [A] a1 a2 [B] b1
    Grid->Grouping()->AutoCheckGroup = true;
    for (int r : {1, 4}) Grid->AddCheckBox(2, r, cbUnchecked);
    for (int r : {2, 3, 5}) Grid->AddCheckBox(2, r, false, false);
    const auto boxes = [&] {
        String s;
        for (int r = 1; r < Grid->TotalRowCount(); ++r) {
            TCheckBoxState t = cbUnchecked;
            bool b = false;
            if (Grid->IsNode(r) && Grid->GetCheckBoxState(2, r, t)) s += t == cbChecked ? 'C' : t == cbGrayed ? 'G' : 'U';
            else if (Grid->GetCheckBoxState(2, r, b)) s += b ? '1' : '0';
        }
        return s;
    };
    Grid->ToggleCheckBox(2, 1);
    EXPECT_EQ(boxes(), "C11U0");
    Grid->ToggleCheckBox(2, 3);
    EXPECT_EQ(boxes(), "G10U0");
    // A closed group's rows follow its box all the same.
    Grid->ContractNode(1);
    Grid->ToggleCheckBox(2, 1);   // grayed -> checked
    Grid->ExpandNode(1);
    EXPECT_EQ(boxes(), "C11U0");
    // By the user's click on a row's box.
    Grid->ControlLook()->CheckAlwaysActive = true;
    ClickCell(Grid, 2, 5);
    EXPECT_EQ(boxes(), "C11C1");
    // Without the setting a header's box cycles through grayed as any tri-state box.
    Grid->Grouping()->AutoCheckGroup = false;
    Grid->ToggleCheckBox(2, 4);
    Grid->ToggleCheckBox(2, 4);
    EXPECT_EQ(boxes(), "C11G1");
}

// ---------------------------------------------------------------- the column grid

TEST(ColumnGridGrouping, TheGroupedColumnKeepsItsSettings)
{
    Application->Initialize();
    TForm form(nullptr);
    auto* g = new TExtColumnGrid(&form);
    g->SetParent(&form);
    g->SetColCount(4);
    g->SetRowCount(4);
    g->Columns()->Items(2)->SetHeader("Kind");
    g->Columns()->Items(2)->SetAlignment(taCenter);
    g->Columns()->Items(3)->SetHeader("Value");
    const char* kinds[] = {"A", "A", "B"};
    for (int r = 1; r < 4; ++r) g->SetCellEx(2, r, kinds[r - 1]);
    g->Group(2);
    ASSERT_EQ(g->Columns()->Count(), 3);
    EXPECT_EQ(g->Columns()->Items(2)->Header(), "Value");
    g->UnGroup();
    ASSERT_EQ(g->Columns()->Count(), 4);
    EXPECT_EQ(g->Columns()->Items(2)->Header(), "Kind");
    EXPECT_EQ(g->Columns()->Items(2)->Alignment(), taCenter);
    EXPECT_EQ(g->Columns()->Items(3)->Header(), "Value");
    EXPECT_EQ(g->GetCellEx(2, 3), "B");
}

// ---------------------------------------------------------------- what a grouped grid shows

TEST_F(GroupingTest, AGroupedGridOpenAndClosed)
{
    Load({{"Pump 1", "Pumps", "12.5"},
          {"Pump 2", "Pumps", "7.5"},
          {"Valve 1", "Valves", "3"},
          {"Valve 2", "Valves", "4"},
          {"Valve 3", "Valves", "5"},
          {"Meter", "Meters", "1"}});
    Grid->Grouping()->Summary = true;
    Grid->Grouping()->MergeHeader = true;
    Grid->Grouping()->HeaderColor = 0xF0D0B0;
    Grid->Grouping()->SummaryColor = 0xC0F0F0;
    Grid->Grouping()->HeaderUnderline = true;
    Grid->Grouping()->SummaryLine = true;
    Grid->Grouping()->SummaryLineColor = clGreen;
    Grid->Grouping()->ShowGroupCount = true;
    Grid->CellNode()->SetTreeColor(clRed);
    Grid->Group(2);
    Grid->GroupSum(2);
    TBitmap open;
    ASSERT_TRUE(SNAPSHOT(Grid, "grouped_open.png", open));
    // Header colours over the merged headers, summary colours on the summary rows,
    // tree lines in column 0 and the underline in the header line colour.
    // (Meters come first: row 1 its header, row 3 its summary, row 4 the Pumps header.)
    const TRect header = Grid->CellRect(1, 4), summary = Grid->CellRect(1, 3);
    EXPECT_GT(Count_Pixels(open, header, TColor(0xF0D0B0)), header.Width() * header.Height() / 2);
    EXPECT_GT(Count_Pixels(open, summary, TColor(0xC0F0F0)), summary.Width() * summary.Height() / 2);
    const TRect col0(0, Grid->CellRect(0, 1).Top, 40, Grid->CellRect(0, Grid->RowCount() - 1).Bottom);
    EXPECT_GT(Count_Pixels(open, col0, clRed), 20);
    EXPECT_GT(Count_Pixels(open, TRect(header.Left, header.Bottom - 3, header.Right, header.Bottom + 2),
                           TColor(0xFF0000)),
              header.Width());
    EXPECT_GT(Count_Pixels(open, TRect(summary.Left, summary.Top - 2, summary.Right, summary.Top + 3), clGreen),
              summary.Width());

    Grid->ContractAll();
    TBitmap closed;
    ASSERT_TRUE(SNAPSHOT(Grid, "grouped_closed.png", closed));
    EXPECT_EQ(Layout(), "[Meters/2+] S=1.00 [Pumps/3+] S=20.00 [Valves/4+] S=12.00");
    // Closed groups lead no line down to their rows.
    EXPECT_EQ(Count_Pixels(closed, col0, clRed), 0);
}
