// The multi-column picker as a user meets it: typed text completed from the lookup
// column, the list opened by button and keys, moved through by keys, typed letters and
// the wheel, chosen by click and Enter, left by Esc and clicks outside; the list's column
// and row sizes, and a picture of the open list.
#include <gtest/gtest.h>

#include "gridext/pickers/MultiColumnDropDown.h"
#include "platform/gui/Forms.h"
#include "platform/rtl/Threads.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"

namespace {

class MultiColumnPickerTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    TExtMultiColumnDropDown* Edit = nullptr;
    TEdit* Other = nullptr;
    int Selects = 0;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 400, 320);
        Edit = Make_Control<TExtMultiColumnDropDown>(Form, Form, "Multi", 10, 10, 180, 21);
        Other = Make_Control<TEdit>(Form, Form, "Other", 10, 280, 150, 21);
        for (const char* h : {"Code", "Name"}) Edit->Columns()->Add()->Header = h;
        Edit->SetLookupColumn(1);
        Edit->BeginUpdate();
        AddItem("A1", "Apple");
        AddItem("B2", "Banana");
        AddItem("C3", "Cherry");
        AddItem("A4", "Apricot");
        Edit->EndUpdate();
        Edit->OnSelect = [this](TObject*) { ++Selects; };
        Form->Show();
        Application->ProcessMessages();
        UserFocus(Edit);
    }
    void TearDown() override { delete Form; }
    void AddItem(const String& Code, const String& Name)
    {
        auto* it = Edit->Items()->Add();
        it->Text()->Add(Code);
        it->Text()->Add(Name);
    }
    TControl* ArrowButton() const { return Edit->Button()->Button(); }
    void Open(int ItemIndex)
    {
        Edit->SetItemIndex(ItemIndex);
        Edit->SetText(Edit->Text());
        if (Edit->DropDownForm()) Edit->DropDownForm()->FDeActivate = GetTickCount() - 1000;
        UserClick(ArrowButton());
        ASSERT_TRUE(Edit->DroppedDown());
    }
    void ClickRow(int Row)
    {
        TRect r = Edit->ListGrid()->CellRect(0, Row);
        UserClick(Edit->ListGrid(), r.Left + 10, (r.Top + r.Bottom) / 2);
    }
};

// ---------------------------------------------------------------- typed text

TEST_F(MultiColumnPickerTest, TypingCompletesFromTheLookupColumnOfTheItemsKnownAtEndUpdate)
{
    UserType(Edit, "b");
    // The key's release takes the item, and with it the text as the item has it.
    EXPECT_EQ(Edit->Text(), "Banana");
    EXPECT_EQ(Edit->SelStart(), 1);
    EXPECT_EQ(Edit->SelLength(), 5);
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Selects, 0);
    // An item added after the last EndUpdate is not completed until the next one.
    AddItem("D5", "Date");
    Edit->SetText("");
    UserType(Edit, "D");
    EXPECT_EQ(Edit->Text(), "D");
    Edit->EndUpdate();
    Edit->SetText("");
    UserType(Edit, "D");
    EXPECT_EQ(Edit->Text(), "Date");
    EXPECT_EQ(Edit->ItemIndex(), 4);
}

TEST_F(MultiColumnPickerTest, SetItemIndexShowsTheLookupTextAndIgnoresIndicesPastTheItems)
{
    struct Case {
        int index;
        const char* text;
        int after;
    };
    const Case cases[] = {
        {2, "Cherry", 2},
        {4, "Cherry", 2},   // past the items: nothing changes
        {-1, "", -1},       // none: the text empties
        {0, "Apple", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        Edit->SetItemIndex(c.index);
        EXPECT_EQ(Edit->Text(), c.text);
        EXPECT_EQ(Edit->ItemIndex(), c.after);
    }
    // The current index writes its text again.
    Edit->SetPlainText("changed");
    Edit->SetItemIndex(0);
    EXPECT_EQ(Edit->Text(), "Apple");
    EXPECT_EQ(Edit->GetItemIndex("Cherry"), 2);
    EXPECT_EQ(Edit->GetItemIndex("cherry"), -1);
}

TEST_F(MultiColumnPickerTest, EscOnTheClosedEditTakesTheItemOfTheTextOrNone)
{
    Edit->SetItemIndex(1);
    Edit->SetText("cherry");
    UserKey(Edit, VK_ESCAPE);
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), "Cherry");
    Edit->SetText("nothing like it");
    UserKey(Edit, VK_ESCAPE);
    EXPECT_EQ(Edit->ItemIndex(), -1);
    EXPECT_EQ(Edit->Text(), "");
}

TEST_F(MultiColumnPickerTest, EnterAsTabTakesTheItemOfTheTextAndMovesOn)
{
    Edit->SetReturnIsTab(true);
    Edit->SetText("banana");
    UserKey(Edit, VK_RETURN);
    Application->ProcessMessages();
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), "Banana");
    // One step on, not two (the focus would be back on the edit).
    EXPECT_EQ(FindFocusedControl(), Other);
}

// ---------------------------------------------------------------- the open list

TEST_F(MultiColumnPickerTest, KeysOpenTheListMoveTheRowAndEnterChooses)
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
        EXPECT_EQ(Edit->ListGrid()->Row(), 1);
        // The edit follows the row at once; the list stays open.
        UserKey(Edit, VK_DOWN);
        UserKey(Edit, VK_DOWN);
        EXPECT_EQ(Edit->ListGrid()->Row(), 3);
        EXPECT_EQ(Edit->Text(), "Cherry");
        EXPECT_TRUE(Edit->DroppedDown());
        UserKey(Edit, VK_RETURN);
        EXPECT_FALSE(Edit->DroppedDown());
        EXPECT_EQ(Edit->ItemIndex(), 2);
        EXPECT_EQ(Edit->Text(), "Cherry");
        EXPECT_EQ(Selects, 1);
    }
}

TEST_F(MultiColumnPickerTest, AClickOnARowChoosesItAndAClickOnTheHeaderDoesNot)
{
    Open(0);
    ClickRow(0);
    EXPECT_TRUE(Edit->DroppedDown());
    EXPECT_EQ(Selects, 0);
    ClickRow(4);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 3);
    EXPECT_EQ(Edit->Text(), "Apricot");
    EXPECT_EQ(Selects, 1);
}

TEST_F(MultiColumnPickerTest, EscRestoresTheItemAndAClickOutsideKeepsTheRowReachedByKey)
{
    Open(2);
    UserKey(Edit, VK_UP);
    EXPECT_EQ(Edit->Text(), "Banana");
    UserKey(Edit, VK_ESCAPE);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 2);
    EXPECT_EQ(Edit->Text(), "Cherry");
    // Losing the activation keeps what the user moved to.
    Open(2);
    UserKey(Edit, VK_UP);
    UserClick(Other);
    EXPECT_FALSE(Edit->DroppedDown());
    EXPECT_EQ(Edit->ItemIndex(), 1);
    EXPECT_EQ(Edit->Text(), "Banana");
    EXPECT_EQ(Selects, 0);
}

TEST_F(MultiColumnPickerTest, CancellingAListOpenedOnAFreeTextKeepsThatText)
{
    Edit->SetText("my own words");
    UserClick(ArrowButton());
    ASSERT_TRUE(Edit->DroppedDown());
    UserKey(Edit, VK_DOWN);
    UserKey(Edit, VK_ESCAPE);
    EXPECT_EQ(Edit->Text(), "my own words");
    EXPECT_EQ(Edit->ItemIndex(), -1);
}

TEST_F(MultiColumnPickerTest, AWheelTurnMovesTheRowWithoutTakingIt)
{
    Open(0);
    const TRect r = Edit->ListGrid()->CellRect(0, 2);
    UserWheel(Edit->ListGrid(), -120, r.Left + 5, r.Top + 5);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    UserClick(Other);
    EXPECT_EQ(Edit->ItemIndex(), 0);
    EXPECT_EQ(Edit->Text(), "Apple");
}

TEST_F(MultiColumnPickerTest, CharactersTypedIntoTheOpenListJumpToTheFirstMatchingItem)
{
    struct Case {
        char key;
        int index;           // -1: nothing found, the entry starts afresh
        const char* entry;
        const char* text;
    };
    // A then P: the first lookup text that begins with AP; C: nothing begins with APC,
    // so C alone is looked up; X: nothing at all.
    const Case cases[] = {
        {'a', 0, "a", "Apple"},
        {'p', 0, "ap", "Apple"},
        {'r', 3, "apr", "Apricot"},
        {'c', 2, "c", "Cherry"},
        {'x', -1, "", "Cherry"},
    };
    Open(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        UserType(Edit, String(1, c.key));
        EXPECT_EQ(Edit->LookupEntry(), c.entry);
        EXPECT_EQ(Edit->Text(), c.text);
        if (c.index >= 0) {
            EXPECT_EQ(Edit->ItemIndex(), c.index);
            EXPECT_EQ(Edit->ListGrid()->Row(), c.index + 1);
        }
    }
    EXPECT_TRUE(Edit->DroppedDown());
    UserKey(Edit, VK_RETURN);
    EXPECT_EQ(Edit->Text(), "Cherry");
    EXPECT_EQ(Edit->ItemIndex(), 2);
}

// ---------------------------------------------------------------- sizes

TEST_F(MultiColumnPickerTest, ColumnsScaleToTheWindowPassingTheRemainderOn)
{
    Edit->Columns()->Clear();
    for (int i = 0; i < 3; ++i) Edit->Columns()->Add()->Width = 30;
    Edit->SetDropDownAutoWidth(false);
    Edit->SetDropDownWidth(150);
    Open(0);
    // T = 91, f = 150 / 91: 49.45 each; the remainder passes 1.0 at the third column.
    EXPECT_EQ(Edit->ListGrid()->ColWidths(0), 49);
    EXPECT_EQ(Edit->ListGrid()->ColWidths(1), 49);
    EXPECT_EQ(Edit->ListGrid()->ColWidths(2), 50);
    EXPECT_EQ(Edit->Columns()->Items(0)->Width, 30);
}

TEST_F(MultiColumnPickerTest, TheWindowHeightSnapsToWholeRows)
{
    for (int i = 0; i < 20; ++i) {
        String code = "X", name = "Extra ";
        code += IntToStr(i);
        name += IntToStr(i);
        AddItem(code, name);
    }
    struct Case {
        int rowHeight, height;
    };
    // 25 + 7 x 22 + 2; a row height of none leaves the height as asked.
    for (const Case& c : {Case{22, 181}, Case{0, 200}, Case{-5, 200}}) {
        SCOPED_TRACE(c.rowHeight);
        Edit->SetDropDownRowHeight(c.rowHeight);
        Edit->SetDropDownHeight(0);
        Edit->SetDropDownHeight(200);
        Open(0);
        EXPECT_EQ(Edit->DropDownForm()->Height(), c.height);
        Edit->HideDropDown(true);
    }
}

TEST_F(MultiColumnPickerTest, AutoSizedColumnsTakeTheirWidestText)
{
    Edit->Columns()->Items(1)->AutoSize = true;
    Edit->Items()->Items(2)->Text()->SetStrings(1, "Cherry from a long way off");
    Open(0);
    TBitmap probe(1, 1);
    probe.Canvas()->Font()->Assign(*Edit->Columns()->Items(1)->Font());
    const int widest = probe.Canvas()->TextWidth("Cherry from a long way off") + 6;
    EXPECT_EQ(Edit->ListGrid()->Columns()->Items(1)->Width, widest);
    // The picker's own column keeps its width.
    EXPECT_EQ(Edit->Columns()->Items(1)->Width, 80);
}

TEST_F(MultiColumnPickerTest, WrappedLongTextsMakeTallerRows)
{
    Edit->Columns()->Items(1)->Wordwrap = true;
    Edit->Items()->Items(2)->Text()->SetStrings(1, "Cherry with a very long description that wraps over lines");
    Open(0);
    EXPECT_EQ(Edit->ListGrid()->RowHeights(1), 24);
    EXPECT_GT(Edit->ListGrid()->RowHeights(3), 40);
}

TEST_F(MultiColumnPickerTest, HandlersMayChangeACellsTextOrDrawEveryCell)
{
    std::vector<String> preset;
    Edit->OnDropDownGetItemText = [&](TObject*, int C, int R, String& T) {
        if (C == 0 && R == 1) preset.push_back(T);
        if (C == 0 && R > 0) T = "";
    };
    Open(0);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Edit->DropDownForm(), "multicolumn_text_handler.png", png));
    // The handler is offered the item's text and its answer is drawn: the code column
    // shows nothing, the name column its texts.
    ASSERT_FALSE(preset.empty());
    EXPECT_EQ(preset.front(), "A1");
    const auto dark = [](TColor c) { return (c & 0xFF) < 0x50 && ((c >> 8) & 0xFF) < 0x50; };
    TExtMultiColumnDropDown::TExtColGrid* g = Edit->ListGrid();
    const TPoint gs = g->ClientToScreen(TPoint(0, 0)), fs = Edit->DropDownForm()->ClientToScreen(TPoint(0, 0));
    TRect code = g->CellRect(0, 3), name = g->CellRect(1, 3);
    OffsetRect(code, gs.X - fs.X, gs.Y - fs.Y);
    OffsetRect(name, gs.X - fs.X, gs.Y - fs.Y);
    EXPECT_EQ(Count_Pixels(png, code, dark), 0);
    EXPECT_GT(Count_Pixels(png, name, dark), 10);
    Edit->HideDropDown(true);
    std::vector<std::pair<int, int>> drawn;
    Edit->OnDropDownDrawItem = [&](TObject*, int C, int R, TCanvas* Cv, const TRect& Rc) {
        drawn.emplace_back(C, R);
        Cv->Brush()->SetColor(TColor(0xFF00FF));
        Cv->FillRect(Rc);
    };
    Open(0);
    TBitmap own;
    ASSERT_TRUE(SNAPSHOT(Edit->DropDownForm(), "multicolumn_own_drawing.png", own));
    // Header and rows, both columns, drawn by the handler alone.
    EXPECT_GE(drawn.size(), 10u);
    EXPECT_GT(Count_Pixels(own, TRect(0, 0, own.Width(), own.Height()), TColor(0xFF00FF)), 5000);
}

TEST_F(MultiColumnPickerTest, PictureOfTheOpenListWithHeaderAndChosenRow)
{
    Edit->SetComponentStyle(tsOffice2003Blue);
    Edit->Columns()->Items(0)->Color = TColor(0xE0FFE0);
    Edit->SetDropDownHeight(150);
    Open(1);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Edit->DropDownForm(), "multicolumn_open.png", png));
    TExtMultiColumnDropDown::TExtColGrid* g = Edit->ListGrid();
    const TPoint gs = g->ClientToScreen(TPoint(0, 0)), fs = Edit->DropDownForm()->ClientToScreen(TPoint(0, 0));
    const auto at = [&](TRect r) {
        OffsetRect(r, gs.X - fs.X, gs.Y - fs.Y);
        return r;
    };
    // The header's gradient: lighter at the top than at the bottom, with white captions.
    const TRect h = at(g->CellRect(1, 0));
    EXPECT_GT(png.Canvas()->Pixels(h.Right - 4, h.Top + 2) & 0xFF, png.Canvas()->Pixels(h.Right - 4, h.Bottom - 3) & 0xFF);
    EXPECT_GT(Count_Pixels(png, h, [](TColor c) { return (c & 0xFF) > 0xE8 && ((c >> 16) & 0xFF) > 0xE8; }), 10);
    // The first column's own colour on a row not chosen.
    EXPECT_GT(Count_Pixels(png, at(g->CellRect(0, 3)), TColor(0xE0FFE0)), 200);
    // The chosen row in the selection's warm colours, across both columns.
    const auto warm = [](TColor c) { return (c & 0xFF) > 0xE0 && ((c >> 16) & 0xFF) < 0xC0; };
    EXPECT_GT(Count_Pixels(png, at(g->CellRect(0, 2)), warm), 200);
    EXPECT_GT(Count_Pixels(png, at(g->CellRect(1, 2)), warm), 200);
    EXPECT_EQ(Count_Pixels(png, at(g->CellRect(1, 3)), warm), 0);
    // Dark text in the rows.
    const auto dark = [](TColor c) { return (c & 0xFF) < 0x50 && ((c >> 8) & 0xFF) < 0x50; };
    EXPECT_GT(Count_Pixels(png, at(g->CellRect(1, 3)), dark), 15);
}

}
