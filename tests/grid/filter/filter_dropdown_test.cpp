// The filter drop-down under a header cell's button, driven as a user drives it: a
// click on the button opens the list, a click or Enter picks, Escape or a click
// elsewhere closes; the check list joins ticked values; the column grid offers its own
// lines. And a picture of a grid with the list open.
#include <vector>

#include "tests/common/Snapshot.h"
#include "tests/common/colgrid_fixture.h"
#include "tests/common/extgrid_fixture.h"

namespace {

class FilterDropDownTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Grid->SetColCount(3);
        Grid->SetRowCount(7);
        Grid->SetColWidths(1, 120);
        Grid->SetColWidths(2, 120);
        const char* fruit[] = {"Fruit", "pear", "apple", "pear", "x y", "apple", "fig"};
        for (int r = 0; r < 7; ++r) {
            Grid->SetCellEx(0, r, r ? IntToStr(r) : String("#"));
            Grid->SetCellEx(1, r, fruit[r]);
            Grid->SetCellEx(2, r, r ? IntToStr(r * 10) : String("Weight"));
        }
        Grid->FilterDropDownAuto = true;
        Grid->OnFilterSelect = [this](TObject*, int Column, int ItemIndex, const String& Name, String& Condition) {
            Picks.push_back(IntToStr(Column) + ":" + IntToStr(ItemIndex) + ":" + Name + ":" + Condition);
        };
        Grid->OnFilterDone = [this](TObject*) { ++Done; };
    }
    // A user's click on the drop-down button of header cell c.
    void ClickButton(int c)
    {
        const TRect R = Grid->CellRect(c, 0);
        UserClick(Grid, R.Right - 8, R.Top + 8);
    }
    // A user's click on the entry of the open list that shows Text.
    void ClickEntry(TListBox* list, const String& Text)
    {
        const int i = list->Items()->IndexOf(Text);
        ASSERT_GE(i, 0) << Text;
        for (int y = 0; y < list->Height(); ++y)
            if (list->ItemAtPos(TPoint(30, y), true) == i) {
                UserClick(list, 30, y + 2);
                return;
            }
        FAIL() << "no place shows " << Text;
    }
    // A user's click on the tick box of entry i of the open check list.
    void ClickTick(TCheckListBox* list, int i)
    {
        for (int y = 0; y < list->Height(); ++y)
            if (list->ItemAtPos(TPoint(30, y), true) == i) {
                UserClick(list, 9, y + 3);
                return;
            }
        FAIL() << "no place shows entry " << i;
    }
    String Entries(TListBox* list)
    {
        String s;
        for (int i = 0; i < list->Count(); ++i) (i ? s += '|' : s) += list->Items()->Strings(i);
        return s;
    }
    String Shown()
    {
        String s;
        for (int r = 1; r < Grid->RowCount(); ++r) (r > 1 ? s += ',' : s) += Grid->GetCellEx(1, r);
        return s;
    }
    std::vector<String> Picks;
    int Done = 0;
};

}  // namespace

TEST_F(FilterDropDownTest, AClickOnTheButtonOpensTheListAndAClickOnAnEntryFilters)
{
    // A click on the header beside the button opens nothing.
    const TRect head = Grid->CellRect(1, 0);
    UserClick(Grid, head.Left + 20, head.Top + 8);
    EXPECT_FALSE(Grid->DropList()->Visible());
    UserClick(Grid, head.Right - 2, head.Top + 8);   // too close to the edge
    EXPECT_FALSE(Grid->DropList()->Visible());

    ClickButton(1);
    TDropList* list = Grid->DropList();
    ASSERT_TRUE(list->Visible());
    EXPECT_EQ(Grid->FilterColumn(), 1);
    // Sorted, unique, the clear entry first; a text with a blank shows its caption.
    EXPECT_EQ(Entries(list), "(All)|apple|fig|pear|x y");
    EXPECT_EQ(Grid->FilterList()->Strings(4), "x y=\"x y\"");
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(list->Left(), head.Right - 16);
    EXPECT_EQ(list->Top(), head.Top + 16);
    EXPECT_EQ(list->Width(), 150);
    EXPECT_EQ(list->Height(), 150);

    ClickEntry(list, "pear");
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(Shown(), "pear,pear");
    EXPECT_TRUE(Grid->FilterActive());
    EXPECT_EQ(Grid->FilterColumn(), -1);
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_EQ(Picks, (std::vector<String>{"1:3:pear:pear"}));
    EXPECT_EQ(Done, 1);

    // Keys: the list offers the hidden rows' values too; Down four times and Enter.
    ClickButton(1);
    ASSERT_TRUE(list->Visible());
    EXPECT_EQ(Entries(list), "(All)|apple|fig|pear|x y");
    for (int i = 0; i < 4; ++i) UserKey(list, VK_DOWN);
    UserKey(list, VK_RETURN);
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(Shown(), "x y");
    EXPECT_EQ(Grid->Filter()->Count(), 1);
    EXPECT_EQ(Grid->FilterLevel(), 1);   // the old level went before the new one came
    EXPECT_EQ(Picks.back(), "1:4:x y:\"x y\"");

    // Escape closes without a pick; so does a click elsewhere.
    ClickButton(1);
    UserKey(list, VK_ESCAPE);
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(Grid->FilterColumn(), -1);
    ClickButton(1);
    ASSERT_TRUE(list->Visible());
    UserClick(Grid, Grid->CellRect(0, 1).Left + 5, Grid->CellRect(0, 1).Top + 5);
    EXPECT_FALSE(list->Visible());
    EXPECT_EQ(Picks.size(), 2u);
    EXPECT_EQ(Shown(), "x y");

    // "(All)" takes the column's condition away.
    ClickButton(1);
    ClickEntry(list, "(All)");
    EXPECT_EQ(Grid->Filter()->Count(), 0);
    EXPECT_EQ(Shown(), "pear,apple,pear,x y,apple,fig");
    EXPECT_EQ(Done, 3);
}

TEST_F(FilterDropDownTest, ConditionsOfSeveralColumnsNarrowTogether)
{
    Grid->FilterIncremental = true;   // the list offers only what is shown
    ClickButton(1);
    ClickEntry(Grid->DropList(), "apple");
    ClickButton(2);
    EXPECT_EQ(Entries(Grid->DropList()), "(All)|20|50");
    ClickEntry(Grid->DropList(), "50");
    EXPECT_EQ(Shown(), "apple");
    EXPECT_EQ(Grid->GetCellEx(2, 1), "50");
}

TEST_F(FilterDropDownTest, TheListKeepsInsideTheGridAndSizesToItsEntries)
{
    Grid->FilterDropDown()->AutoSize = true;
    ClickButton(2);
    TDropList* list = Grid->DropList();
    ASSERT_TRUE(list->Visible());
    const TRect head = Grid->CellRect(2, 0);
    EXPECT_EQ(list->Height(), list->Count() * list->ItemHeight() + 4);
    EXPECT_LT(list->Width(), 150);
    EXPECT_LE(list->Left() + list->Width(), Grid->ClientWidth());
    // The cell's width and left edge; and a list too wide ends at the column's edge.
    Grid->FilterDropDown()->AutoSize = false;
    Grid->FilterDropDown()->ColumnWidth = true;
    ClickButton(2);
    EXPECT_EQ(list->Left(), head.Left);
    EXPECT_EQ(list->Width(), head.Width());
    Grid->FilterDropDown()->ColumnWidth = false;
    Grid->FilterDropDown()->Width = 250;
    ClickButton(2);
    EXPECT_EQ(list->Left() + list->Width(), head.Right);
}

TEST_F(FilterDropDownTest, TheCheckListJoinsTickedValuesByOr)
{
    Grid->FilterDropDownCheck = true;
    std::vector<String> checks;
    Grid->OnFilterCheck = [&](TObject*, int, int ItemIndex, const String& Name, String&, TCheckListBox*) {
        checks.push_back(IntToStr(ItemIndex) + Name);
    };
    ClickButton(1);
    TDropCheckList* list = Grid->DropCheckList();
    ASSERT_TRUE(list->Visible());
    EXPECT_FALSE(Grid->DropList()->Visible());
    EXPECT_EQ(Entries(list), "(All)|apple|fig|pear|x y");
    // A click on an entry's box ticks it.
    ClickTick(list, 1);
    EXPECT_TRUE(list->Checked(1));
    EXPECT_TRUE(list->Visible());
    EXPECT_EQ(Shown(), "apple,apple");
    ClickTick(list, 3);
    EXPECT_EQ(Shown(), "pear,apple,pear,apple");
    ASSERT_EQ(Grid->Filter()->Count(), 2);
    EXPECT_EQ(Grid->Filter()->Items(0)->Operation, foNONE);
    EXPECT_EQ(Grid->Filter()->Items(1)->Operation, foOR);
    EXPECT_EQ(checks, (std::vector<String>{"1apple", "1apple", "3pear"}));
    // Opened again, the list shows the ticks of the column's conditions; "(All)" adds an
    // empty condition that lets every row through.
    UserKey(list, VK_ESCAPE);
    EXPECT_FALSE(list->Visible());
    ClickButton(1);
    EXPECT_TRUE(list->Checked(1));
    EXPECT_FALSE(list->Checked(2));
    EXPECT_TRUE(list->Checked(3));
    ClickTick(list, 0);
    EXPECT_EQ(Grid->Filter()->Items(0)->Condition, "");
    EXPECT_EQ(Grid->Filter()->Count(), 3);
    EXPECT_EQ(Shown(), "pear,apple,pear,x y,apple,fig");
}

TEST_F(FilterDropDownTest, PictureOfTheOpenList)
{
    Grid->Filter()->GetColFilter(2)->Condition = ">10";
    Grid->SetFilterActive(true);
    ClickButton(1);
    ASSERT_TRUE(Grid->DropList()->Visible());
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "filter_dropdown_open.png", png));
    // The list's white face lies under the button, and the header shows both buttons.
    const TRect list(Grid->DropList()->Left() + 4, Grid->DropList()->Top() + 4 + 80,
                     Grid->DropList()->Left() + 140, Grid->DropList()->Top() + 140);
    EXPECT_GT(Count_Pixels(png, list, clWhite), list.Width() * list.Height() / 2);
    for (int c : {1, 2}) {
        const TRect R = Grid->CellRect(c, 0);
        const TRect button(R.Right - 16, R.Top, R.Right, R.Bottom);
        EXPECT_GT(Count_Pixels(png, button, [](TColor x) { return (x & 0xFF) < 0x60; }), 4) << c;
    }
}

// ---------------------------------------------------------------- the column grid

TEST_F(ColGridTest, AColumnsOwnFilterLinesAreOfferedAndPickedWithTheirCaseFlag)
{
    LoadAsForm(Grid, 4, 6);
    for (int c = 0; c < 4; ++c) Grid->Columns()->Items(c)->SetEditor(edNormal);
    const char* names[] = {"alpha", "Beta", "gamma", "BETA", "delta"};
    for (int r = 1; r < 6; ++r) Grid->SetCellEx(3, r, names[r - 1]);
    TGridColumnItem* it = Grid->Columns()->Items(3);
    TStringList lines;
    lines.Add("Betas=beta");
    lines.Add("Not beta=!beta");
    it->SetFilter(&lines);
    Grid->SetAutoFilterDisplay(true);
    Grid->FixedRowAlways = true;
    std::vector<String> picks;
    Grid->OnFilterSelect = [&](TObject*, int Column, int ItemIndex, const String& Name, String& Condition) {
        picks.push_back(IntToStr(Column) + ":" + IntToStr(ItemIndex) + ":" + Name + ":" + Condition);
    };
    const TRect head = Grid->CellRect(3, 0);
    UserClick(Grid, head.Right - 8, head.Top + 8);
    TDropList* list = Grid->DropList();
    ASSERT_TRUE(list->Visible());
    ASSERT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Items()->Strings(0), "Betas");
    UserKey(list, VK_RETURN);   // the first entry is preselected
    EXPECT_EQ(picks, (std::vector<String>{"3:0:Betas:beta"}));
    EXPECT_EQ(it->Header(), "Betas");
    EXPECT_EQ(Grid->GetCellEx(3, 0), "Betas");
    // The column matches without regard to case unless it says otherwise.
    auto shown = [&] {
        String s;
        for (int r = 1; r < Grid->RowCount(); ++r) (r > 1 ? s += ',' : s) += Grid->GetCellEx(3, r);
        return s;
    };
    EXPECT_EQ(shown(), "Beta,BETA");
    it->SetFilterCaseSensitive(true);
    UserClick(Grid, head.Right - 8, head.Top + 8);
    UserKey(list, VK_DOWN);
    UserKey(list, VK_RETURN);
    EXPECT_EQ(shown(), "alpha,Beta,gamma,BETA,delta");
    EXPECT_EQ(Grid->Filter()->Count(), 1);
    EXPECT_TRUE(Grid->Filter()->Items(0)->CaseSensitive);
    EXPECT_EQ(it->Header(), "Not beta");
}
