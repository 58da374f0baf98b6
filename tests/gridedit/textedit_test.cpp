// The grid's text editor driven as a user drives it: leaving the cell sideways from
// the ends of the text, the keypad's decimal key, moving on when the text is full,
// the row and column growing while typing, wrapped lines, clipboard and double click.
#include <vector>

#include "grid/core/ExtGrid.h"
#include "gridedit/GridEditors.h"
#include "platform/gui/Clipbrd.h"
#include "platform/gui/Forms.h"
#include "platform/gui/StdCtrls.h"
#include "tests/common/UserInput.h"
#include "platform/os/Regional.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

namespace {

// A grid that records what it hears of the typed text.
class TRecordingGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    std::vector<String> Heard;
    void EditorTextChanged(const String& Text, int SelStart) override
    {
        Heard.push_back(Text + "@" + IntToStr(SelStart));
    }
};

// A 5 x 4 grid (one fixed column and row) with cells "c,r", editing on.
class TextEditTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TRecordingGrid* Grid = nullptr;
    TEdit* Other = nullptr;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetClientWidth(520);
        Form->SetClientHeight(340);
        Grid = new TRecordingGrid(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 500, 300);
        Other = new TEdit(Form);
        Other->SetParent(Form);
        Other->SetBounds(0, 310, 100, 24);
        Grid->SetColCount(5);
        Grid->SetRowCount(4);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 5; ++c) Grid->SetCellEx(c, r, IntToStr(c) + "," + IntToStr(r));
        Grid->SetOptions(Grid->Options() << goEditing);
        Form->Show();
        UserFocus(Grid);
    }
    void TearDown() override
    {
        delete Form;
        SetDecimalSeparatorOverride(0);
        SetThousandSeparatorOverride(0);
    }
    TWinControl* Focused() { return FindFocusedControl(); }
    void Key(WORD k, TShiftState s = TShiftState()) { UserKey(Focused(), k, s); }
    void Type(const String& t)
    {
        for (char ch : t) UserType(Focused(), String(1, ch));
    }
    // Opens the editor on (c, r) with the caret after the text.
    void Edit(int c, int r)
    {
        Grid->FocusCell(c, r, true);
        Key(VK_F2);
        ASSERT_TRUE(EditorOpen());
        Key(VK_END);
    }
    // Opens the editor on (c, r) with its text typed anew.
    void EditEmpty(int c, int r)
    {
        Edit(c, r);
        Key('A', TShiftState{ssCtrl});
        Key(VK_BACK);
    }
    bool EditorOpen() { return Grid->EditorMode() && Ed() && Ed()->Visible(); }
    TInplaceEdit* Ed() { return Grid->InplaceEditor(); }
    String Cell(int c, int r) { return Grid->GetCellEx(c, r); }
    String Where() { return IntToStr(Grid->Col()) + "," + IntToStr(Grid->Row()); }
    // A fresh grid for the next case of a table.
    void Reset()
    {
        TearDown();
        SetUp();
    }
};

// ---------------------------------------------------------------- leaving the cell sideways

TEST_F(TextEditTest, CursorWalkLeavesTheCellFromTheEndsOfTheText)
{
    enum Walk { Off, Close, Open };
    struct Case {
        const char* name;
        Walk walk;
        int col, row;
        const char* typed;   // replaces the text; nullptr keeps it
        std::vector<WORD> keys;
        const char* where;   // current cell afterwards
        bool open;           // an editor is open afterwards
        const char* stored;  // text of the start cell afterwards (it follows an open editor)
    };
    const Case cases[] = {
        {"right at the end moves on and edits there", Open, 2, 1, "x", {VK_RIGHT}, "3,1", true, "x"},
        {"without always-edit the next cell is not edited", Close, 2, 1, "x", {VK_RIGHT}, "3,1", false, "x"},
        {"switched off the caret only moves", Off, 2, 1, "x", {VK_RIGHT, VK_LEFT, VK_LEFT}, "2,1", true, "x"},
        {"left at the start goes back", Open, 2, 1, nullptr, {VK_HOME, VK_LEFT}, "1,1", true, "2,1"},
        {"left inside the text stays", Open, 2, 1, nullptr, {VK_LEFT}, "2,1", true, "2,1"},
        {"first caret step off the end stays", Open, 2, 1, nullptr, {VK_HOME, VK_RIGHT}, "2,1", true, "2,1"},
        {"right on the last column wraps to the next row", Open, 4, 1, "y", {VK_RIGHT}, "1,2", true, "y"},
        {"left on the first column goes to the row above", Open, 1, 2, nullptr, {VK_HOME, VK_LEFT}, "4,1", true, "1,2"},
        {"left in the first cell goes to the last row", Open, 1, 1, nullptr, {VK_HOME, VK_LEFT}, "4,3", true, "1,1"},
        {"right in the last cell loops to the first", Open, 4, 3, "z", {VK_RIGHT}, "1,1", true, "z"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Reset();
        Grid->Navigation()->CursorWalkEditor = k.walk != Off;
        Grid->Navigation()->CursorWalkAlwaysEdit = k.walk == Open;
        if (k.typed) {
            EditEmpty(k.col, k.row);
            Type(k.typed);
        } else {
            Edit(k.col, k.row);
        }
        for (WORD key : k.keys) Key(key);
        EXPECT_EQ(Where(), k.where);
        EXPECT_EQ(EditorOpen(), k.open);
        if (k.open && k.walk != Off && String(k.where) != IntToStr(k.col) + "," + IntToStr(k.row)) {
            EXPECT_EQ(Ed()->Text(), Cell(Grid->Col(), Grid->Row())) << "the new cell's editor holds its text";
        }
        EXPECT_EQ(Cell(k.col, k.row), k.stored);
    }
}

TEST_F(TextEditTest, CursorWalkStepsOntoACheckBoxWithoutAnEditor)
{
    Grid->Navigation()->CursorWalkEditor = true;
    Grid->AddCheckBox(3, 1, false, false);
    EditEmpty(2, 1);
    Type("q");
    Key(VK_RIGHT);
    EXPECT_EQ(Where(), "3,1");
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(Cell(2, 1), "q");
}

TEST_F(TextEditTest, CursorWalkIsRefusedWithTheValue)
{
    Grid->Navigation()->CursorWalkEditor = true;
    Grid->OnCellValidate = [](TObject*, int, int, String& Value, bool& Valid) { Valid = Value != "bad"; };
    EditEmpty(2, 1);
    Type("bad");
    Key(VK_HOME);
    Key(VK_LEFT);
    EXPECT_EQ(Where(), "2,1");
    EXPECT_TRUE(EditorOpen());
    EXPECT_EQ(Cell(2, 1), "2,1");
}

TEST_F(TextEditTest, ShiftWithACursorKeyAtTheEndOfTheTextHandsTheKeysToTheGrid)
{
    struct Case {
        bool walk;
        WORD key;
        bool open;
        const char* stored;
    };
    const Case cases[] = {
        {true, VK_RIGHT, false, "n"},
        {true, VK_LEFT, true, "n"},   // the caret is not at the start
        {false, VK_RIGHT, true, "n"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.key);
        Reset();
        Grid->Navigation()->CursorWalkEditor = k.walk;
        EditEmpty(2, 1);
        Type("n");
        Key(k.key, TShiftState{ssShift});
        EXPECT_EQ(Where(), "2,1");
        EXPECT_EQ(EditorOpen(), k.open);
        EXPECT_EQ(Cell(2, 1), k.stored);
        if (!k.open) {
            EXPECT_EQ(Focused(), Grid);
        }
    }
}

// ---------------------------------------------------------------- the keypad's decimal key

TEST_F(TextEditTest, KeypadDecimalKeyTypesTheLocalesSeparator)
{
    SetDecimalSeparatorOverride(',');
    SetThousandSeparatorOverride('.');
    struct Case {
        bool excel;
        std::vector<WORD> keys;
        const char* stored;
    };
    const Case cases[] = {
        {true, {'1', VK_DECIMAL, '5'}, "1,5"},
        {true, {'1', VK_DECIMAL, '5', VK_DECIMAL, '2'}, "1,52"},
        {false, {'1', VK_DECIMAL, '5'}, "15"},
        {true, {'1', VK_OEM_PERIOD, '5'}, "15"},
        {false, {'1', VK_OEM_COMMA, '5'}, "1,5"},
        {true, {WORD(VK_NUMPAD0 + 1), VK_DECIMAL, WORD(VK_NUMPAD0 + 2)}, "1,2"},
    };
    Grid->DefaultEditor = edFloat;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.stored);
        Grid->ExcelStyleDecimalSeparator = k.excel;
        EditEmpty(2, 2);
        for (WORD key : k.keys) Key(key);
        Key(VK_RETURN);
        EXPECT_EQ(Cell(2, 2), k.stored);
    }
    // In a text cell the setting changes the keypad's key too; the main key stays ".".
    Grid->DefaultEditor = edNormal;
    Grid->ExcelStyleDecimalSeparator = true;
    EditEmpty(2, 2);
    for (WORD key : {WORD('1'), VK_DECIMAL, WORD('2'), VK_OEM_PERIOD, WORD('3')}) Key(key);
    Key(VK_RETURN);
    EXPECT_EQ(Cell(2, 2), "1,2.3");
}

TEST_F(TextEditTest, ValidCharsKindTakesTheGridsCharacters)
{
    struct Case {
        const char* validChars;
        const char* set;
        const char* stored;
    };
    const Case cases[] = {
        {"ab", "", "abab"},
        {"", "b1", "b1b1"},
        {"", "", ""},
    };
    Grid->DefaultEditor = edValidChars;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.stored);
        Grid->ValidChars = k.validChars;
        Grid->ValidCharSet.reset();
        for (const char* c = k.set; *c; ++c) Grid->ValidCharSet.set(size_t(static_cast<unsigned char>(*c)));
        EditEmpty(2, 1);
        Type("abc1abc1");
        Key(VK_RETURN);
        EXPECT_EQ(Cell(2, 1), k.stored);
    }
}

TEST_F(TextEditTest, CaseKindsChangeLettersBeyondAscii)
{
    struct Case {
        TEditorType kind;
        const char* typed;
        const char* pasted;
        const char* stored;
    };
    const Case cases[] = {
        {edUpperCase, "aé", "ñß", "AÉÑß"},
        {edCapital, "öx", "", "ÖX"},
        {edLowerCase, "ÄB", "ÉÑ", "äbéñ"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.stored);
        Grid->DefaultEditor = k.kind;
        EditEmpty(2, 1);
        UserType(Focused(), k.typed);
        if (*k.pasted) {
            Clipboard()->SetAsText(k.pasted);
            Key('V', TShiftState{ssCtrl});
        }
        Key(VK_RETURN);
        EXPECT_EQ(Cell(2, 1), k.stored);
    }
}

// ---------------------------------------------------------------- a full text moves on

TEST_F(TextEditTest, TheCellFollowsTheEditorWhileTypingAndEscapeGivesItBack)
{
    struct Case {
        WORD endKey;
        const char* stored;
    };
    const Case cases[] = {{VK_ESCAPE, "2,1"}, {VK_RETURN, "ab"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.endKey);
        Reset();
        EditEmpty(2, 1);
        Type("ab");
        ASSERT_TRUE(EditorOpen());
        EXPECT_EQ(Cell(2, 1), "ab");
        Key(k.endKey);
        EXPECT_FALSE(EditorOpen());
        EXPECT_EQ(Cell(2, 1), k.stored);
    }
}

TEST_F(TextEditTest, FullTextMovesOnToTheNextCell)
{
    struct Case {
        bool advance;
        int limit;
        const char* typed;
        const char* first;   // text of (1,1) afterwards (it follows an open editor)
        const char* where;
        const char* editor;  // the open editor's text
    };
    const Case cases[] = {
        {true, 3, "abcd", "abc", "2,1", "d"},
        {true, 3, "abcdefg", "abc", "3,1", "g"},
        {false, 3, "abcd", "abc", "1,1", "abc"},
        {true, 0, "abcd", "abcd", "1,1", "abcd"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.typed);
        Reset();
        Grid->SetMaxEditLength(k.limit);
        Grid->Navigation()->SetAdvanceAuto(k.advance);
        EditEmpty(1, 1);
        Type(k.typed);
        EXPECT_EQ(Where(), k.where);
        ASSERT_TRUE(EditorOpen());
        EXPECT_EQ(Ed()->Text(), k.editor);
        EXPECT_EQ(Cell(1, 1), k.first);
    }
}

TEST_F(TextEditTest, FilledMaskMovesOnToTheNextCell)
{
    struct Case {
        bool advance;
        const char* typed;
        const char* first;
        const char* where;
        const char* editor;
    };
    const Case cases[] = {
        {true, "1234", "123", "2,1", "4"},
        {true, "12", "12", "1,1", "12"},
        {false, "1234", "123", "1,1", "123"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.typed);
        Reset();
        Grid->OnGetEditMask = [](TObject*, int c, int, String& v) { v = c == 1 ? "000" : ""; };
        Grid->Navigation()->SetAdvanceAuto(k.advance);
        EditEmpty(1, 1);
        Type(k.typed);
        EXPECT_EQ(Where(), k.where);
        ASSERT_TRUE(EditorOpen());
        EXPECT_EQ(Ed()->Text(), k.editor);
        EXPECT_EQ(Cell(1, 1), k.first);
    }
}

TEST_F(TextEditTest, FullTextStillTakesBackspaceAndEnter)
{
    Grid->SetMaxEditLength(3);
    EditEmpty(1, 1);
    Type("abcd");
    EXPECT_EQ(Ed()->Text(), "abc");
    Key(VK_BACK);
    Type("x");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(1, 1), "abx");
    // The limit holds for every cell the editor is loaded for.
    EditEmpty(2, 2);
    Type("12345");
    EXPECT_EQ(Ed()->Text(), "123");
}

// ---------------------------------------------------------------- growing while typing

TEST_F(TextEditTest, ColumnGrowsWhileTyping)
{
    const String text = "a text much wider than the column";
    Grid->SetColWidths(2, 40);
    for (int r = 0; r < 4; ++r) Grid->SetCellEx(2, r, "");
    Grid->SizeWhileTyping()->Width = true;
    EditEmpty(2, 1);
    Type(text);
    Grid->Canvas()->Font()->Assign(*Grid->Font());
    const int need = Grid->Canvas()->TextWidth(text);
    EXPECT_GE(Grid->ColWidths(2), need);
    EXPECT_LE(Grid->ColWidths(2), need + 30);
    ASSERT_TRUE(EditorOpen());
    EXPECT_GE(Ed()->Width(), need) << "the editor follows its column";
    // Without the setting the column keeps its width.
    Grid->SizeWhileTyping()->Width = false;
    Grid->SetColWidths(3, 40);
    EditEmpty(3, 1);
    Type(text);
    EXPECT_EQ(Grid->ColWidths(3), 40);
}

TEST_F(TextEditTest, RowGrowsWhileTypingWrappedText)
{
    std::vector<int> ended;
    Grid->OnEndRowSize = [&](TObject*, int r) { ended.push_back(r); };
    Grid->SetWordWrap(true);
    Grid->SizeWhileTyping()->Height = true;
    Grid->SetColWidths(2, 60);
    const int before = Grid->RowHeights(2);
    EditEmpty(2, 2);
    Type("one two three four five six");
    // The row holds the typed text wrapped into the cell, more than one line of it.
    const TPoint text = Grid->GetCellTextSize(2, 2, true, false);
    EXPECT_GT(text.Y, Grid->Canvas()->TextHeight("Wg") + 4);
    EXPECT_GT(Grid->RowHeights(2), before);
    EXPECT_GE(Grid->RowHeights(2), text.Y);
    ASSERT_FALSE(ended.empty());
    EXPECT_EQ(ended.back(), 2);
    ASSERT_TRUE(EditorOpen());
    EXPECT_GT(Ed()->LineCount(), 2) << "the editor wraps its lines as the cell does";
    EXPECT_GE(Ed()->Height(), Grid->RowHeights(2) - 2);
    // Without word wrap the row stays.
    Grid->SetWordWrap(false);
    ended.clear();
    const int row3 = Grid->RowHeights(3);
    EditEmpty(2, 3);
    Type("one two three four five six");
    EXPECT_EQ(Grid->RowHeights(3), row3);
    EXPECT_TRUE(ended.empty());
    EXPECT_EQ(Ed()->LineCount(), 1);
}

TEST_F(TextEditTest, CtrlEnterGrowsAMultiLineRowForTheNextLine)
{
    std::vector<int> ended;
    Grid->OnEndRowSize = [&](TObject*, int r) { ended.push_back(r); };
    // Without word wrap only the new line sizes the row, not every key.
    Grid->SetWordWrap(false);
    Grid->Multilinecells = true;
    Grid->SizeWhileTyping()->Height = true;
    const int before = Grid->RowHeights(2);
    EditEmpty(2, 2);
    Type("a");
    Key(VK_RETURN, TShiftState{ssCtrl});
    EXPECT_EQ(ended, (std::vector<int>{2}));
    Grid->Canvas()->Font()->Assign(*Grid->Font());
    EXPECT_GE(Grid->RowHeights(2), 2 * Grid->Canvas()->TextHeight("gh"));
    EXPECT_GT(Grid->RowHeights(2), before);
    EXPECT_TRUE(EditorOpen()) << "Ctrl+Enter does not end the edit";
    // Without the setting, or when Ctrl+Enter is not allowed, the row stays.
    for (bool allowed : {true, false}) {
        SCOPED_TRACE(allowed);
        Grid->SizeWhileTyping()->Height = !allowed;
        Grid->Navigation()->AllowCtrlEnter = allowed;
        ended.clear();
        const int row3 = Grid->RowHeights(3);
        EditEmpty(2, 3);
        Type("a");
        Key(VK_RETURN, TShiftState{ssCtrl});
        EXPECT_EQ(Grid->RowHeights(3), row3);
        EXPECT_TRUE(ended.empty());
        Key(VK_ESCAPE);
    }
}

// ---------------------------------------------------------------- lines, alignment, password

TEST_F(TextEditTest, UpAndDownMoveBetweenWrappedLinesBeforeLeavingTheCell)
{
    Grid->SetWordWrap(true);
    Grid->SetColWidths(2, 60);
    Grid->SetRowHeights(2, 80);
    Grid->SetCellEx(2, 2, "one two three four");
    Edit(2, 2);
    ASSERT_GT(Ed()->LineCount(), 1);
    Key(VK_UP);
    EXPECT_EQ(Where(), "2,2");
    EXPECT_TRUE(EditorOpen());
    EXPECT_LT(Ed()->LineFromChar(Ed()->SelStart()), Ed()->LineCount() - 1);
    for (int i = 0; i < Ed()->LineCount(); ++i) Key(VK_UP);
    EXPECT_EQ(Where(), "2,1");
    EXPECT_EQ(Cell(2, 2), "one two three four");
}

TEST_F(TextEditTest, LeavingByArrowKeepsOnlyTheNewRowInADisjunctRowSelection)
{
    Grid->MouseActions()->SetDisjunctRowSelect(true);
    Grid->SetRowSelect(1, true);
    Grid->SetRowSelect(3, true);
    Edit(2, 2);
    Key(VK_DOWN);
    EXPECT_EQ(Where(), "2,3");
    EXPECT_EQ(Grid->RowSelectCount(), 1);
    EXPECT_TRUE(Grid->GetRowSelect(3));
}

TEST_F(TextEditTest, EditorFollowsTheCellsAlignmentAndPassword)
{
    Grid->OnGetAlignment = [](TObject*, int r, int c, TAlignment& h, TVAlignment&) {
        if (c == 3) h = taRightJustify;
    };
    Edit(3, 1);
    auto* ed = TextEditor(Grid);
    ASSERT_TRUE(ed);
    EXPECT_TRUE(ed->VAlign());
    EXPECT_EQ(ed->Alignment(), taRightJustify);
    Key(VK_RETURN);
    Edit(2, 1);
    EXPECT_FALSE(ed->VAlign());
    EXPECT_EQ(ed->Alignment(), taLeftJustify);
    Key(VK_RETURN);
    // Ctrl+Enter breaks the line of a wrapped text cell; a password cell shows its
    // characters masked and has one line.
    Grid->Navigation()->AllowCtrlEnter = true;
    Grid->SetWordWrap(true);
    struct Case {
        TEditorType kind;
        const char* text;
        bool masked;
    };
    for (const Case& k : {Case{edNormal, "pw\r\nd", false}, Case{edPassword, "pwd", true}}) {
        SCOPED_TRACE(k.text);
        Grid->DefaultEditor = k.kind;
        EditEmpty(2, 1);
        EXPECT_EQ(ed->PasswordChar(), k.masked ? WideChar('*') : WideChar(0));
        Type("pw");
        gui_input::SetShiftState(TShiftState{ssCtrl});
        gui_input::Char(ed, 10);
        gui_input::SetShiftState(TShiftState());
        Type("d");
        EXPECT_EQ(ed->Text(), k.text);
        Key(VK_ESCAPE);
    }
}

TEST_F(TextEditTest, EnterEndsTheEditOrBreaksTheLine)
{
    struct Case {
        TEditorType kind;
        bool lineFeed;
        const char* editor;  // the editor's text after a, Enter, b ("" when it closed)
        const char* stored;
    };
    const Case cases[] = {
        {edNormal, false, "", "a"},
        {edNormal, true, "a\r\nb", "a\r\nb"},
        {edUpperCase, true, "A\r\nB", "A\r\nB"},
        {edNumeric, true, "", "1"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.editor);
        Reset();
        Grid->DefaultEditor = k.kind;
        Grid->Navigation()->LineFeedOnEnter = k.lineFeed;
        EditEmpty(2, 1);
        Type(k.kind == edNumeric ? "1" : "a");
        Key(VK_RETURN);
        if (*k.editor) {
            Type("b");
            ASSERT_TRUE(EditorOpen());
            EXPECT_EQ(Ed()->Text(), k.editor);
        } else {
            EXPECT_FALSE(EditorOpen());
        }
        EXPECT_EQ(Cell(2, 1), k.stored);
    }
}

TEST_F(TextEditTest, EditorSitsInsideTheCellsLines)
{
    std::vector<String> loaded;
    Grid->OnGetEditorProp = [&](TObject*, int c, int r, TEditLink*) { loaded.push_back(IntToStr(c) + "," + IntToStr(r)); };
    Edit(2, 1);
    EXPECT_EQ(loaded, (std::vector<String>{"2,1"})) << "the application may adjust the editor as it is loaded";
    const TRect R = Grid->CellRect(2, 1);
    EXPECT_EQ(Ed()->Left(), R.Left);
    EXPECT_EQ(Ed()->Top(), R.Top);
    EXPECT_EQ(Ed()->Width(), R.Width() - 1);
    EXPECT_EQ(Ed()->Height(), R.Height() - 1);
    EXPECT_EQ(Ed()->FormatRect().Left, 3);
}

// ---------------------------------------------------------------- what the grid hears

TEST_F(TextEditTest, KeyReleasesReportTheTextUpToTheCaret)
{
    EditEmpty(1, 1);
    Grid->Heard.clear();
    Type("ab");
    Key(VK_LEFT);
    Key(VK_HOME);
    EXPECT_EQ(Grid->Heard, (std::vector<String>{"a@1", "ab@2", "ab@1"}));
}

TEST_F(TextEditTest, ClipboardMessagesAskTheGrid)
{
    std::vector<String> log;
    Grid->OnClipboardCopy = [&](TObject* s, bool& Allow) {
        log.push_back(s == Ed() ? "copy from editor" : "copy");
        Allow = false;
    };
    Grid->OnClipboardBeforePasteCell = [&](TObject*, int c, int r, String& Value, bool& Allow) {
        log.push_back("before " + IntToStr(c) + "," + IntToStr(r) + " " + Value);
        Value = "[" + Value + "]";
    };
    Grid->OnClipboardAfterPasteCell = [&](TObject*, int c, int r, const String& Value) {
        log.push_back("after " + Value);
    };
    EditEmpty(2, 1);
    Type("abc");
    Clipboard()->SetAsText("clip");
    Key('A', TShiftState{ssCtrl});
    Key('C', TShiftState{ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), "clip") << "a refused copy leaves the clipboard";
    Key(VK_END);
    Key('V', TShiftState{ssCtrl});
    EXPECT_EQ(Ed()->Text(), "abc[clip]");
    EXPECT_EQ(log, (std::vector<String>{"copy from editor", "before 2,1 clip", "after abc[clip]"}));
    // A refused cut keeps the text.
    Grid->OnClipboardCut = [](TObject*, bool& Allow) { Allow = false; };
    Key('A', TShiftState{ssCtrl});
    Key('X', TShiftState{ssCtrl});
    EXPECT_EQ(Ed()->Text(), "abc[clip]");
}

TEST_F(TextEditTest, DoubleClickInTheEditorReportsTheEditedCell)
{
    // The grid's last press was elsewhere.
    const TRect other = Grid->CellRect(3, 3);
    UserClick(Grid, other.Left + 5, other.Top + 5);
    Edit(2, 1);
    std::vector<String> log;
    Grid->OnDblClickCell = [&](TObject*, int r, int c) { log.push_back(IntToStr(r) + "," + IntToStr(c)); };
    UserDblClick(Ed());
    EXPECT_EQ(log, (std::vector<String>{"1,2"}));
}

TEST_F(TextEditTest, TabStaysWithTheEditorWhenTheGridValidates)
{
    Edit(2, 1);
    EXPECT_EQ(Ed()->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
    Grid->OnCellValidate = [](TObject*, int, int, String&, bool&) {};
    EXPECT_NE(Ed()->Perform(WM_GETDLGCODE) & DLGC_WANTTAB, 0);
}

TEST_F(TextEditTest, AltBackspaceKeepsTheEditWhileTheFocusFlickers)
{
    int done = 0;
    Grid->OnEditingDone = [&](TObject*) { ++done; };
    EditEmpty(2, 1);
    Type("abc");
    TWinControl* ed = Ed();
    gui_input::KeyDown(ed, VK_BACK, TShiftState{ssAlt});
    Other->SetFocus();
    ed->SetFocus();
    gui_input::KeyUp(ed, VK_BACK, TShiftState{ssAlt});
    EXPECT_TRUE(EditorOpen());
    EXPECT_EQ(done, 0);
    // Without the key held, leaving ends the edit.
    Other->SetFocus();
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(done, 1);
    EXPECT_EQ(Cell(2, 1), "abc");
}

}
