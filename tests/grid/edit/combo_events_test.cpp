// What the window hears from a list cell's combo editor: typed text reported twice per
// change (item with the real column, then -1 with the shown column), a picked item with
// its text and object, and the list opening and closing by row and real column.
#include <vector>

#include "gridedit/GridEditors.h"
#include "tests/common/UserInput.h"
#include "tests/common/colgrid_fixture.h"

namespace {

class ComboEventsTest : public ColGridTest {
protected:
    TObject First, Second;
    std::vector<String> Heard;
    void SetUp() override
    {
        ColGridTest::SetUp();
        KnxTable(Grid, 8);
        for (int c = 0; c < Grid->ColCount(); ++c) Grid->SetColWidths(c, 60);
        // Column 2 picks from a list, column 3 takes free text; column 1 is hidden so
        // that the shown and the real column differ.
        for (int c : {2, 3}) {
            TStringList* items = Grid->Columns()->Items(c)->ComboItems();
            items->Clear();
            items->AddObject(c == 2 ? "1/2/1" : "Alpha", &First);
            items->AddObject(c == 2 ? "1/2/2" : "Beta", &Second);
        }
        Grid->SetCellEx(2, 2, "1/2/1");
        Grid->SetCellEx(3, 2, "Alpha");
        Grid->HideColumn(1);
        Grid->OnComboChange = [&](TObject*, int c, int r, int idx, const String& s) {
            Heard.push_back(Cat("change ", IntToStr(c), ",", IntToStr(r), " ", IntToStr(idx), " ", s));
        };
        Grid->OnComboObjectChange = [&](TObject*, int c, int r, int idx, const String& s, TObject* o) {
            Heard.push_back(Cat("object ", IntToStr(c), ",", IntToStr(r), " ", IntToStr(idx), " ", s, " ",
                                o == &First ? "first" : o == &Second ? "second" : "none"));
        };
        Grid->OnComboDropDown = [&](TObject*, int r, int c) { Heard.push_back(Cat("drop ", IntToStr(r), ",", IntToStr(c))); };
        Grid->OnComboCloseUp = [&](TObject*, int r, int c) { Heard.push_back(Cat("close ", IntToStr(r), ",", IntToStr(c))); };
        UserFocus(Grid);
    }
    TWinControl* Focused() { return FindFocusedControl(); }
    void Pump() { Application->ProcessMessages(); }
    void Key(WORD k, TShiftState s = TShiftState())
    {
        UserKey(Focused(), k, s);
        Pump();
    }
    // Opens the editor of the shown column as a user does: click, then F2.
    TGridCombo* Open(int shownCol, int r)
    {
        ClickCell(Grid, shownCol, r);
        Key(VK_F2);
        TGridCombo* cb = ComboEditor(Grid);
        EXPECT_TRUE(cb->Visible());
        Heard.clear();
        return cb;
    }
};

}  // namespace

TEST_F(ComboEventsTest, TypedTextIsReportedTwicePerChange)
{
    Open(2, 2);   // real column 3, free text
    UserKey(Focused(), VK_END);
    UserType(Focused(), "x");
    Pump();
    EXPECT_EQ(Heard, (std::vector<String>{"change 3,2 -1 Alphax", "change 2,2 -1 Alphax"}));
    Heard.clear();
    UserKey(Focused(), VK_BACK);
    Pump();
    ASSERT_EQ(Heard.size(), 2u);
    EXPECT_EQ(Heard[0], "change 3,2 0 Alpha");   // the text is an item again
    EXPECT_EQ(Heard[1], "change 2,2 -1 Alpha");
    Key(VK_ESCAPE);
}

TEST_F(ComboEventsTest, APickedItemIsReportedWithItsTextAndObject)
{
    Open(1, 2);   // real column 2, a pick list
    Key(VK_DOWN);
    EXPECT_EQ(Heard, (std::vector<String>{"change 2,2 1 1/2/2", "object 2,2 1 1/2/2 second"}));
    Key(VK_ESCAPE);
}

TEST_F(ComboEventsTest, TheListOpensAndClosesByRowAndRealColumn)
{
    TGridCombo* cb = Open(1, 3);
    Key(VK_DOWN, TShiftState{ssAlt});
    ASSERT_TRUE(cb->DroppedDown());
    Key(VK_UP, TShiftState{ssAlt});
    EXPECT_FALSE(cb->DroppedDown());
    ASSERT_GE(Heard.size(), 2u);
    EXPECT_EQ(Heard.front(), "drop 3,2");
    EXPECT_EQ(Heard.back(), "close 3,2");
    Key(VK_ESCAPE);
}

TEST_F(ComboEventsTest, TheWheelStopsAtTheEndsOfTheListAndStillReports)
{
    Grid->SetCellEx(2, 4, "1/2/2");   // the last item
    TGridCombo* cb = Open(1, 4);
    ASSERT_EQ(cb->ItemIndex(), 1);
    struct Step {
        int Delta;
        int Index;
    } steps[] = {{-120, 1}, {120, 0}, {120, 0}, {-120, 1}};
    for (const Step& s : steps) {
        Heard.clear();
        UserWheel(cb, s.Delta, 5, 5);
        Pump();
        EXPECT_EQ(cb->ItemIndex(), s.Index) << s.Delta;
        ASSERT_FALSE(Heard.empty()) << s.Delta;
        EXPECT_EQ(Heard.front(), Cat("change 2,4 ", IntToStr(s.Index), " ", s.Index ? "1/2/2" : "1/2/1")) << s.Delta;
    }
    Key(VK_ESCAPE);
}
