// The grid picker as a user meets it: the grid opened by button and keys, rows chosen by
// click and Enter, Esc and clicks outside, sorting by header clicks keeping the chosen
// item, the three ways typed characters act on the open grid, editing a cell in the
// list, rows the application writes into the grid itself, and a picture of it open.
#include <algorithm>

#include <gtest/gtest.h>

#include "gridext/pickers/GridDropDown.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Threads.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

class GridPickerTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    TExtGridDropDown* Edit = nullptr;
    TEdit* Other = nullptr;
    int Selects = 0;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 420, 340);
        Edit = Make_Control<TExtGridDropDown>(Form, Form, "GridPicker", 10, 10, 200, 21);
        Other = Make_Control<TEdit>(Form, Form, "Other", 10, 300, 150, 21);
        for (const char* h : {"Fruit", "Colour"}) Edit->Columns()->Add()->Header = h;
        Edit->BeginUpdate();
        AddItem("Apple", "red");
        AddItem("Banana", "yellow");
        AddItem("Cherry", "dark red");
        Edit->EndUpdate();
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Form->Show();
        Application->ProcessMessages();
        UserFocus(Edit);
    }
    void TearDown() override { delete Form; }
    void AddItem(const String& a, const String& b)
    {
        auto* it = Edit->Items()->Add();
        it->Text()->Add(a);
        it->Text()->Add(b);
    }
    TControl* ArrowButton() const { return Edit->Button()->Button(); }
    TExtGridDropDown::TExtColGrid* Grid() const { return Edit->GetGrid(); }
    void Open(int ItemIndex)
    {
        Edit->SetItemIndex(ItemIndex);
        Edit->SetText(Edit->Text());
        if (Edit->DropDownForm()) Edit->DropDownForm()->FDeActivate = GetTickCount() - 1000;
        UserClick(ArrowButton());
        ASSERT_TRUE(Edit->DroppedDown());
    }
    void ClickCell(int c, int r)
    {
        const TRect rc = Grid()->CellRect(c, r);
        UserClick(Grid(), rc.Left + 8, (rc.Top + rc.Bottom) / 2);
    }
    // The grid's rows below the header, by their first cell.
    String Rows() const
    {
        String s;
        for (int r = 1; r < Grid()->RowCount(); ++r) {
            if (r > 1) s += ' ';
            s += Grid()->Cells(0, r);
        }
        return s;
    }
};

// ---------------------------------------------------------------- choosing

TEST_F(GridPickerTest, KeysOpenTheGridMoveTheRowAndEnterChooses)
{
    struct Case {
        const char* name;
        WORD key;
        TShiftState shift;
    };
    for (const Case& c : {Case{"F4", VK_F4, {}}, Case{"Alt+Down", VK_DOWN, {ssAlt}}}) {
        SCOPED_TRACE(c.name);
        Edit->SetItemIndex(0);
        Selects = 0;
        UserKey(Edit, c.key, c.shift);
        ASSERT_TRUE(Edit->DroppedDown());
        EXPECT_EQ(Rows(), "Apple Banana Cherry");
        EXPECT_EQ(Grid()->Row(), 1);
        UserKey(Edit, VK_DOWN);
        UserKey(Edit, VK_DOWN);
        EXPECT_EQ(Grid()->Row(), 3);
        EXPECT_EQ(Edit->Text(), "Cherry");
        EXPECT_TRUE(Edit->DroppedDown());
        UserKey(Edit, VK_RETURN);
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(Edit->ItemIndex(), 2);
        EXPECT_EQ(Edit->Text(), "Cherry");
        EXPECT_EQ(Selects, 1);
    }
}

TEST_F(GridPickerTest, AClickChoosesEscRestoresAndAClickOutsideKeepsTheRowReached)
{
    Open(0);
    ClickCell(1, 2);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), "Banana");
    EXPECT_EQ(Selects, 1);

    Open(1);
    UserKey(Edit, VK_DOWN);
    EXPECT_EQ(Edit->Text(), "Cherry");
    UserKey(Edit, VK_ESCAPE);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), "Banana");

    Open(1);
    UserKey(Edit, VK_UP);
    UserClick(Other);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Edit->Text(), "Apple");
    EXPECT_EQ(Edit->Version(), "6.0.1.1");
}

TEST_F(GridPickerTest, SortingByTheHeaderKeepsTheChosenItem)
{
    Edit->SetSorting(gsSingleColumn);
    int canSort = 0;
    Edit->OnGridCanSort = [&](TObject*, int, bool&) { ++canSort; };
    Open(1);
    ClickCell(0, 0);
    ClickCell(0, 0);
    EXPECT_EQ(Rows(), "Cherry Banana Apple");
    // Banana is still the chosen row and item.
    EXPECT_EQ(Grid()->Row(), 2);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_TRUE(Edit->DroppedDown());
    // Rows keep their item: the first row now is Cherry's.
    ClickCell(0, 1);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), "Cherry");
    // The picker takes the grid's sort questions; they are not passed on.
    EXPECT_EQ(canSort, 0);
}

// ---------------------------------------------------------------- typed characters

TEST_F(GridPickerTest, NarrowingDownLeavesTheRowsThatHoldTheTypedText)
{
    Edit->SetLookupMethod(lmNarrowDown);
    Open(0);
    UserType(Edit, "b");
    EXPECT_EQ(Rows(), "Banana");
    EXPECT_EQ(Grid()->Row(), 1);
    EXPECT_EQ(Edit->Text(), "Banana");
    // Taking the letter back and typing only a blank brings every row back.
    UserKey(Edit, VK_BACK);
    UserType(Edit, " ");
    EXPECT_EQ(Rows(), "Apple Banana Cherry");
    EXPECT_EQ(Grid()->Row(), 1);
    UserKey(Edit, VK_ESCAPE);
}

TEST_F(GridPickerTest, TypingInTheClosedEditNarrowsAlreadyAndEnteringAgainUndoesIt)
{
    Edit->SetLookupMethod(lmNarrowDown);
    Edit->ShowDropDown();
    Edit->HideDropDown(true);
    Edit->SetText("");
    UserType(Edit, "c");
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Rows(), "Cherry");
    UserFocus(Other);
    UserFocus(Edit);
    EXPECT_EQ(Rows(), "Apple Banana Cherry");
    EXPECT_EQ(Edit->LookupEntry(), "");
}

TEST_F(GridPickerTest, BackspaceInTheClosedEditOnlyEditsTheText)
{
    // The lookup entry of the open list starts empty: taking a character back must not
    // put that empty entry in place of the text.
    for (TLookupMethod m : {lmLookup, lmNarrowDown}) {
        SCOPED_TRACE(int(m));
        Edit->SetLookupMethod(m);
        Edit->SetItemIndex(1);
        UserFocus(Edit);
        UserKey(Edit, VK_END);
        UserKey(Edit, VK_BACK);
        EXPECT_EQ(Edit->Text(), "Banan");
    }
}

TEST_F(GridPickerTest, TypedKeysLookUpByPrefixAsTheStyleAndMethodSay)
{
    struct Case {
        const char* name;
        TLookupMethod method;
        TDropDownStyle style;
        const char* keys;
        int row;
        const char* entry;
        const char* text;
    };
    const Case cases[] = {
        // c finds Cherry; cx matches nothing, x alone neither: the entry starts afresh.
        {"list: c", lmLookup, dsDropDownList, "c", 3, "c", "Cherry"},
        {"list: cx", lmLookup, dsDropDownList, "cx", 3, "", "Cherry"},
        {"list: ca", lmLookup, dsDropDownList, "ca", 1, "a", "Apple"},
        {"edit: ba", lmLookup, dsDropDown, "ba", 2, "ba", "Banana"},
        {"none", lmNone, dsDropDown, "c", 1, "", "Apple"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit->SetLookupMethod(c.method);
        Edit->SetStyle(c.style);
        Open(0);
        for (const char* k = c.keys; *k; ++k) UserType(Edit, String(1, *k));
        EXPECT_EQ(Grid()->Row(), c.row);
        EXPECT_EQ(Edit->LookupEntry(), c.entry);
        EXPECT_EQ(Edit->Text(), c.text);
        UserKey(Edit, VK_ESCAPE);
        EXPECT_EQ(Edit->Text(), "Apple");
    }
}

TEST_F(GridPickerTest, TypingInTheClosedEditCompletesFromTheItems)
{
    UserType(Edit, "ch");
    EXPECT_EQ(Edit->Text(), "Cherry");
    EXPECT_EQ(Edit->SelStart(), 2);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Selects, 0);
}

// Items read in as a whole, with no EndUpdate, are learnt when loading completes: by the
// completion, and by a list grid that exists from an earlier opening.
TEST_F(GridPickerTest, LoadingCompletesTheLookupAndTheGrid)
{
    Open(0);
    UserKey(Edit, VK_ESCAPE);
    AddItem("Damson", "purple");
    Edit->SetText("");
    UserType(Edit, "da");
    EXPECT_EQ(Edit->Text(), "da");
    Edit->SetText("");
    Edit->Loaded();
    EXPECT_EQ(Rows(), "Apple Banana Cherry Damson");
    UserType(Edit, "da");
    EXPECT_EQ(Edit->Text(), "Damson");
    EXPECT_EQ(Edit->ItemIndex(), 3);
}

// ---------------------------------------------------------------- the list grid's events

// The list grid's events reach the picker's own with the grid as sender; the cell
// drawing events only when set as the list opens, and the float format arrives empty.
TEST_F(GridPickerTest, TheListGridsEventsReachThePickerWithTheGridAsSender)
{
    std::vector<String> log;
    const auto note = [&](const char* what, TObject* sender) {
        if (sender == Grid()) log.push_back(what);
    };
    Edit->OnGridMouseMove = [&](TObject* s, TShiftState, int, int) { note("move", s); };
    Edit->OnGridMouseDown = [&](TObject* s, TMouseButton, TShiftState, int, int) { note("down", s); };
    Edit->OnGridMouseUp = [&](TObject* s, TMouseButton, TShiftState, int, int) { note("up", s); };
    int shown = 0, drawn = 0;
    Edit->OnGridGetDiplText = [&](TObject* s, int, int, String& v) {
        if (s == Grid() && v == "red") {
            v = "RED";
            ++shown;
        }
    };
    Open(1);
    const TRect rc = Grid()->CellRect(0, 2);
    const int x = rc.Left + 8, y = (rc.Top + rc.Bottom) / 2;
    UserMouseMove(Grid(), x, y);
    UserPress(Grid(), x, y);
    UserRelease(Grid(), x, y);
    // A press may bring a move of its own along.
    log.erase(std::unique(log.begin(), log.end()), log.end());
    log.erase(std::remove(log.begin() + 1, log.end(), String("move")), log.end());
    EXPECT_EQ(log, (std::vector<String>{"move", "down", "up"}));
    // A drawing event set while the list shows is not taken before the next opening.
    Edit->OnGridCustomCellDraw = [&](TObject*, TCanvas*, int, int, TGridDrawState, TRect, bool) { ++drawn; };
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Edit->DropDownForm(), "griddropdown_events.png", png));
    EXPECT_GT(shown, 0);
    EXPECT_EQ(drawn, 0);
    if (Edit->DroppedDown()) UserKey(Edit, VK_ESCAPE);
    Open(1);
    ASSERT_TRUE(SNAPSHOT(Edit->DropDownForm(), "griddropdown_events.png", png));
    EXPECT_GT(drawn, 0);
    // The float format: whatever the grid held, the handler starts from an empty text.
    String fmt = "%.2f", seen = "unset";
    bool isFloat = true;
    Edit->OnGridGetFloatFormat = [&](TObject*, int, int, bool&, String& f) { seen = f; };
    Grid()->OnGetFloatFormat(Grid(), 1, 1, isFloat, fmt);
    EXPECT_EQ(seen, "");
    UserKey(Edit, VK_ESCAPE);
}

// ---------------------------------------------------------------- editing and own rows

TEST_F(GridPickerTest, EnterEndsACellEditAndTakesTheRowsLookupTextWithTheListOpen)
{
    Edit->SetGridEditable(true);
    Open(0);
    UserKey(Edit, VK_DOWN);
    UserKey(Edit, VK_F2);
    ASSERT_TRUE(Grid()->InplaceEditor() && Grid()->InplaceEditor()->Visible());
    UserType(Edit, "s");
    UserKey(Edit, VK_RETURN);
    EXPECT_FALSE(Grid()->InplaceEditor()->Visible());
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Grid()->Cells(0, 2), "Bananas");
    EXPECT_EQ(Edit->Text(), "Bananas");
    EXPECT_EQ(Edit->ItemIndex(), 1);
    // A choice by Enter keeps the list open for more editing.
    UserKey(Edit, VK_RETURN);
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Selects, 1);
    UserKey(Edit, VK_F4);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->Text(), "Bananas");
    // The item keeps the edit: the next opening shows it.
    Open(1);
    EXPECT_EQ(Grid()->Cells(0, 2), "Bananas");
}

TEST_F(GridPickerTest, WithoutItemsTheRowsAreTheGridsOwnCells)
{
    Edit->SetUseItems(false);
    Edit->SetLookupColumn(1);
    Edit->ShowDropDown();
    Edit->HideDropDown(true);
    TExtGridDropDown::TExtColGrid* g = Grid();
    ASSERT_NE(g, nullptr);
    g->SetColCount(2);
    g->SetRowCount(4);
    const char* cells[][2] = {{"1", "one"}, {"2", "two"}, {"3", "three"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c) g->SetCells(c, r + 1, cells[r][c]);
    Edit->SetItemIndex(2);
    EXPECT_EQ(Edit->Text(), "three");
    Edit->SetPlainText("changed");
    Edit->SetItemIndex(2);
    EXPECT_EQ(Edit->Text(), "changed");
    // Opening finds the row of the text.
    Edit->SetText("two");
    Open(Edit->ItemIndex());
    EXPECT_EQ(g->Row(), 2);
    UserKey(Edit, VK_DOWN);
    UserKey(Edit, VK_RETURN);
    EXPECT_EQ(Edit->Text(), "three");
    EXPECT_EQ(Edit->ItemIndex(), 2);
}

// ---------------------------------------------------------------- sizes and pictures

TEST_F(GridPickerTest, TheWindowHeightSnapsToWholeRows)
{
    for (int i = 0; i < 20; ++i) {
        String name = "Extra ";
        name += IntToStr(i);
        AddItem(name, "x");
    }
    Edit->SetDropDownHeight(200);
    Open(0);
    // 25 + 7 x 22 + 6.
    EXPECT_EQ(Edit->DropDownForm()->Height(), 185);
}

TEST_F(GridPickerTest, PictureOfTheOpenGridWithColumnColoursAndAlignment)
{
    Edit->Columns()->Items(1)->Color = TColor(0xE0FFE0);
    Edit->Columns()->Items(1)->Alignment = taRightJustify;
    std::vector<TAlignment> preset;
    Edit->OnGridGetAlignment = [&](TObject*, int ARow, int ACol, TAlignment& H, TVAlignment&) {
        if (ACol == 1 && ARow > 0) preset.push_back(H);
    };
    Edit->SetDropDownHeight(140);
    Open(1);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Edit->DropDownForm(), "griddropdown_open.png", png));
    ASSERT_FALSE(preset.empty());
    EXPECT_EQ(preset.front(), taRightJustify);
    const TPoint gs = Grid()->ClientToScreen(TPoint(0, 0)), fs = Edit->DropDownForm()->ClientToScreen(TPoint(0, 0));
    const auto at = [&](TRect r) {
        OffsetRect(r, gs.X - fs.X, gs.Y - fs.Y);
        return r;
    };
    // The second column's own colour on a row not chosen, its text at the right.
    const TRect c13 = at(Grid()->CellRect(1, 3));
    EXPECT_GT(Count_Pixels(png, c13, TColor(0xE0FFE0)), 100);
    const auto dark = [](TColor c) { return (c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60; };
    const int mid = (c13.Left + c13.Right) / 2;
    EXPECT_GT(Count_Pixels(png, TRect(mid, c13.Top, c13.Right, c13.Bottom), dark), 10);
    EXPECT_EQ(Count_Pixels(png, TRect(c13.Left, c13.Top, c13.Left + 10, c13.Bottom), dark), 0);
    // The header's captions.
    EXPECT_GT(Count_Pixels(png, at(Grid()->CellRect(0, 0)), dark), 10);
}

}
