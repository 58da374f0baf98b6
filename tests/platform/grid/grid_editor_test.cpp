// The in-place editor: opened by Enter, F2, typing and clicks, left by Enter, F2, Tab,
// Esc, arrows and the focus; its text editing, limits, mask and clipboard.
#include "grid_fixture.h"
#include "platform/gui/Clipbrd.h"
#include "platform/gui/StdCtrls.h"

class GridEditorTest : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        Fill(5, 5);
        Grid->SetCells(1, 1, "alpha");
        Grid->SetOptions(Grid->Options() << goEditing);
        Grid->Log.clear();
    }
};

TEST_F(GridEditorTest, EnterOpensTheEditorOverTheCellAndEnterStoresTheText)
{
    Key(VK_RETURN);
    ASSERT_TRUE(EditorShown());
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Editor()->BoundsRect(), Grid->CellRect(1, 1));
    EXPECT_EQ(FindFocusedControl(), Editor());
    EXPECT_EQ(Editor()->Text(), "alpha");
    EXPECT_EQ(Editor()->SelStart(), 0);
    EXPECT_EQ(Editor()->SelLength(), 5);
    Type("beta");
    EXPECT_EQ(Editor()->Text(), "beta");
    EXPECT_EQ(Grid->Cells(1, 1), "alpha");   // stored when the edit ends
    Key(VK_RETURN);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "beta");
    EXPECT_EQ(FindFocusedControl(), Grid);
    EXPECT_EQ(Grid->Log, (std::vector<String>{"GetEditText 1,1", "SetEditText 1,1=beta"}));
}

TEST_F(GridEditorTest, F2OpensWithTheCaretAtTheEndAndClosesAgain)
{
    Key(VK_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->SelLength(), 0);
    EXPECT_EQ(Editor()->SelStart(), 5);
    Type("X");
    Key(VK_LEFT);
    Key(VK_LEFT);
    Key(VK_BACK);
    EXPECT_EQ(Editor()->Text(), "alpaX");
    Key(VK_F2);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Grid->Cells(1, 1), "alpaX");
}

TEST_F(GridEditorTest, EscapeLeavesTheCellAsItWas)
{
    Key(VK_RETURN);
    Type("zzz");
    Key(VK_ESCAPE);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "alpha");
    // With an editor that always shows, Escape takes back the typing and stays.
    Grid->SetOptions(Grid->Options() << goAlwaysShowEditor);
    ASSERT_TRUE(EditorShown());
    UserFocus(Editor());
    Type("qq");
    Key(VK_ESCAPE);
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "alpha");
}

TEST_F(GridEditorTest, TypingOnTheGridOpensTheEditorWithThatCharacter)
{
    Type("q");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), "q");
    Type("rs");
    Key(VK_RETURN);
    EXPECT_EQ(Grid->Cells(1, 1), "qrs");
    // Without editing the grid only hears the key.
    Grid->SetOptions(Grid->Options() >> goEditing);
    WideChar heard = 0;
    Grid->OnKeyPress = [&](TObject*, WideChar& k) { heard = k; };
    Type("z");
    EXPECT_EQ(heard, WideChar('z'));
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Grid->Cells(1, 1), "qrs");
}

TEST_F(GridEditorTest, TabAndArrowsStoreTheTextAndMoveOn)
{
    Grid->SetOptions(Grid->Options() << goTabs);
    Key(VK_RETURN);
    Type("one");
    Key(VK_TAB);
    EXPECT_EQ(Grid->Cells(1, 1), "one");
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_FALSE(EditorShown());
    Key(VK_RETURN);
    Type("two");
    Key(VK_DOWN);
    EXPECT_EQ(Grid->Cells(2, 1), "two");
    EXPECT_EQ(Grid->Row(), 2);
    // An editor that always shows follows the current cell with the cell's text.
    Grid->SetOptions(Grid->Options() << goAlwaysShowEditor);
    ASSERT_TRUE(EditorShown());
    UserFocus(Editor());
    Type("three");
    Key(VK_TAB);
    EXPECT_EQ(Grid->Cells(2, 2), "three");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->BoundsRect(), Grid->CellRect(3, 2));
    EXPECT_EQ(Editor()->Text(), "3,2");
}

TEST_F(GridEditorTest, TabWithoutTabsLeavesTheGridAndEndsTheEdit)
{
    auto* other = new TEdit(Form);
    other->SetParent(Form);
    other->SetBounds(0, 305, 100, 14);
    other->SetTabStop(true);
    UserFocus(Grid);
    Key(VK_RETURN);
    Type("gone");
    Key(VK_TAB);
    EXPECT_EQ(FindFocusedControl(), other);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "gone");
}

TEST_F(GridEditorTest, ClickOnTheCurrentCellOpensAndAClickElsewhereStores)
{
    ClickCell(1, 1);
    ASSERT_TRUE(EditorShown());
    Type("clicked");
    ClickCell(3, 3);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Grid->Cells(1, 1), "clicked");
    EXPECT_EQ(Grid->Col(), 3);
    // A click inside the open editor places the caret there.
    ClickCell(3, 3);
    ASSERT_TRUE(EditorShown());
    UserClick(Editor(), 3, Editor()->Height() / 2);
    EXPECT_EQ(Editor()->SelStart(), 0);
    EXPECT_EQ(Editor()->SelLength(), 0);
}

TEST_F(GridEditorTest, TheEditorScrollsWithItsCell)
{
    Fill(5, 100);
    Grid->SetCells(1, 1, "alpha");
    Key(VK_F2);
    ASSERT_TRUE(EditorShown());
    Grid->SetTopRow(30);
    EXPECT_FALSE(EditorShown());
    EXPECT_TRUE(Grid->EditorMode());
    Grid->SetTopRow(1);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->BoundsRect(), Grid->CellRect(1, 1));
}

TEST_F(GridEditorTest, LeavingTheGridStoresTheText)
{
    // A control inside the grid (where its other editors live) does not end the edit.
    auto* inner = new TEdit(Grid);
    inner->SetParent(Grid);
    inner->SetBounds(200, 100, 50, 20);
    Key(VK_RETURN);
    Type("left");
    UserFocus(inner);
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "alpha");
    auto* other = new TEdit(Form);
    other->SetParent(Form);
    UserFocus(Editor());
    UserFocus(other);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "left");
    // The same from the grid itself, with an editor that always shows: it stays in
    // editor mode and opens again when the grid gets the focus back.
    Grid->SetOptions(Grid->Options() << goAlwaysShowEditor);
    UserFocus(Grid);
    ASSERT_TRUE(EditorShown());
    Type("back");
    UserFocus(other);
    EXPECT_FALSE(EditorShown());
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_EQ(Grid->Cells(1, 1), "back");
    UserFocus(Grid);
    EXPECT_TRUE(EditorShown());
}

TEST_F(GridEditorTest, TheEditLimitCutsTypingAndPasting)
{
    Grid->EditLimit = 4;
    Key(VK_RETURN);
    Type("abcdef");
    EXPECT_EQ(Editor()->Text(), "abcd");
    Key(VK_HOME);
    Key(VK_DELETE);
    Clipboard()->SetAsText("XYZ");
    Key('V', TShiftState{ssCtrl});
    EXPECT_EQ(Editor()->Text(), "Xbcd");
    // An edit limit of -1 locks the cell.
    Key(VK_ESCAPE);
    Grid->EditLimit = -1;
    Key(VK_RETURN);
    Type("no");
    Key(VK_BACK);
    EXPECT_EQ(Editor()->Text(), "alpha");
}

TEST_F(GridEditorTest, ClipboardCutCopyAndPaste)
{
    Key(VK_RETURN);
    Key('C', TShiftState{ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), "alpha");
    Key(VK_END);
    Key(VK_LEFT, TShiftState{ssShift});
    Key(VK_LEFT, TShiftState{ssShift});
    EXPECT_EQ(Editor()->SelText(), "ha");
    Key('X', TShiftState{ssCtrl});
    EXPECT_EQ(Editor()->Text(), "alp");
    EXPECT_EQ(Clipboard()->AsText(), "ha");
    Key(VK_HOME);
    Key('V', TShiftState{ssCtrl});
    EXPECT_EQ(Editor()->Text(), "haalp");
    // A password field shows stars and gives nothing to the clipboard.
    Editor()->SetPasswordChar('*');
    Clipboard()->SetAsText("kept");
    Editor()->SelectAll();
    Key('C', TShiftState{ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), "kept");
}

TEST_F(GridEditorTest, AnEditMaskFiltersAndFillsInLiterals)
{
    Grid->SetCells(1, 1, "");
    Grid->EditMask = "00-00;1;_";
    Key(VK_RETURN);
    Type("12a34");
    EXPECT_EQ(Editor()->Text(), "12-34");
    Type("5");
    EXPECT_EQ(Editor()->Text(), "12-34");
    Grid->EditMask = ">LL";
    Key(VK_ESCAPE);
    Key(VK_RETURN);
    Type("ab1");
    EXPECT_EQ(Editor()->Text(), "AB");
}

TEST_F(GridEditorTest, LineBreaksAndCaretMovement)
{
    Key(VK_F2);
    gui_input::Char(Editor(), 10);   // Ctrl+Enter
    Type("beta");
    EXPECT_EQ(Editor()->Text(), "alpha\r\nbeta");
    EXPECT_EQ(Editor()->LineCount(), 2);
    EXPECT_EQ(Editor()->LineFromChar(Editor()->SelStart()), 1);
    Key(VK_HOME);
    EXPECT_EQ(Editor()->SelStart(), 7);
    Key(VK_LEFT);
    EXPECT_EQ(Editor()->SelStart(), 5);   // the line break is one step
    Key(VK_HOME, TShiftState{ssCtrl});
    Key(VK_RIGHT, TShiftState{ssCtrl, ssShift});
    EXPECT_EQ(Editor()->SelText(), "alpha\r\n");
    Key(VK_RETURN);
    EXPECT_EQ(Grid->Cells(1, 1), "alpha\r\nbeta");
}

namespace {
// A grid that keeps the commands its children send it.
class TCommandGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    std::vector<std::pair<WORD, HWND>> Commands;
    void WndProc(TMessage& msg) override
    {
        if (msg.Msg == WM_COMMAND) Commands.emplace_back(HIWORD(msg.WParam), HWND(msg.LParam));
        TStringGrid::WndProc(msg);
    }
};
}

TEST_F(GridEditorTest, TheEditorAnnouncesEachTypedChangeToTheGrid)
{
    auto* grid = new TCommandGrid(Form);
    grid->SetParent(Form);
    grid->SetOptions(grid->Options() << goEditing);
    UserFocus(grid);
    Type("ab");
    ASSERT_TRUE(grid->InplaceEditor());
    const HWND edit = grid->InplaceEditor()->Handle();
    EXPECT_EQ(grid->Commands, (std::vector<std::pair<WORD, HWND>>{{EN_CHANGE, edit}, {EN_CHANGE, edit}}));
}

TEST_F(GridEditorTest, AComboBoxTellsItsParentWhatTheUserDid)
{
    auto* grid = new TCommandGrid(Form);
    grid->SetParent(Form);
    auto* combo = new TComboBox(grid);
    combo->SetParent(grid);
    combo->SetBounds(70, 30, 100, 21);
    combo->Items()->Add("Read");
    combo->Items()->AddObject("Write", grid);
    combo->SetStyle(csDropDownList);
    combo->SetItemIndex(0);
    UserFocus(combo);
    const HWND h = combo->Handle();
    UserKey(combo, VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Items()->Objects(combo->ItemIndex()), grid);
    combo->SetDroppedDown(true);
    EXPECT_TRUE(combo->DroppedDown());
    combo->SetDroppedDown(false);
    EXPECT_EQ(grid->Commands, (std::vector<std::pair<WORD, HWND>>{{CBN_SELCHANGE, h}, {CBN_DROPDOWN, h}, {CBN_CLOSEUP, h}}));
    // With an edit part, typing is an edit change; no item is chosen by free text.
    grid->Commands.clear();
    combo->SetStyle(csDropDown);
    combo->SetItemIndex(-1);
    UserType(combo, "xy");
    EXPECT_EQ(combo->Text(), "xy");
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(grid->Commands, (std::vector<std::pair<WORD, HWND>>{{CBN_EDITCHANGE, h}, {CBN_EDITCHANGE, h}}));
}
