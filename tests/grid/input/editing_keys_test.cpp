// Keys on the column grid beyond moving and editing: the clipboard shortcuts, incremental
// search with its ageing, keys that only scroll, and the cursor passing over fixed cells
// and disabled rows.
#include <vector>

#include "tests/common/colgrid_fixture.h"
#include "platform/gui/Clipbrd.h"
#include "tests/common/UserInput.h"

namespace {

class EditingKeysTest : public ColGridTest {
protected:
    std::vector<String> Log;

    void SetUp() override
    {
        ColGridTest::SetUp();
        KnxTable(Grid, 8);
        for (int c = 0; c < Grid->ColCount(); ++c) Grid->SetColWidths(c, 40);
        Grid->Columns()->Items(0)->SetReadOnly(true);
        UserFocus(Grid);
    }
    void Click(int c, int r)
    {
        const TRect R = Grid->CellRect(c, r);
        UserClick(Grid, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    void Key(WORD k, TShiftState s = TShiftState()) { UserKey(FindFocusedControl(), k, s); }
    // Backspace written as '\b'; every other character typed as it stands.
    void Type(const String& t)
    {
        for (char ch : t) {
            if (ch == '\b') Key(VK_BACK);
            else UserType(FindFocusedControl(), String(1, ch));
        }
    }
    // The non-ASCII letters of the search texts are typed whole.
    void TypeText(const String& t) { UserType(FindFocusedControl(), t); }
    String Cell(int c, int r) { return Grid->GetCellEx(c, r); }
    void Tick() { Grid->Perform(WM_TIMER, 111, 0); }
};

// ---------------------------------------------------------------- clipboard shortcuts

struct ClipCase {
    WORD key;
    TShiftState shift;
    const char* event;   // the event that must fire
    const char* clip;    // the clipboard afterwards
    const char* cells;   // cells (5,2) (6,2) (5,3) (6,3) (5,4) afterwards, joined by "|"
};

TEST_F(EditingKeysTest, ClipboardShortcutsCopyCutAndPasteTheSelection)
{
    const String sel = "V43\tV44\r\nV62\tV63";
    const String pasted = "a\tb\r\nc\td\r\n";
    const String unchanged = "V43|V44|V62|V63|V81";
    const ClipCase cases[] = {
        {'C', TShiftState{ssCtrl}, "copy", sel.c_str(), unchanged.c_str()},
        {VK_INSERT, TShiftState{ssCtrl}, "copy", sel.c_str(), unchanged.c_str()},
        // Column 6 is read-only: cutting and pasting leave it alone.
        {'X', TShiftState{ssCtrl}, "cut", sel.c_str(), "|V44||V63|V81"},
        {VK_DELETE, TShiftState{ssShift}, "cut", sel.c_str(), "|V44||V63|V81"},
        {'V', TShiftState{ssCtrl}, "paste", pasted.c_str(), "a|V44|c|V63|V81"},
        {VK_INSERT, TShiftState{ssShift}, "paste", pasted.c_str(), "a|V44|c|V63|V81"},
    };
    for (const ClipCase& k : cases) {
        for (bool allow : {true, false}) {
            SCOPED_TRACE(Cat(k.event, " key ", IntToStr(k.key), allow ? " allowed" : " refused"));
            KnxTable(Grid, 8);
            Grid->Columns()->Items(6)->SetReadOnly(true);
            // Shift+Insert and Shift+Delete are shortcuts here, not row insertion or removal.
            Grid->Navigation()->AllowInsertRow = true;
            Grid->Navigation()->AllowDeleteRow = true;
            Grid->Navigation()->AllowClipboardShortCuts = true;
            Click(5, 2);
            Grid->SetSelection(TGridRect(5, 2, 6, 3));
            Log.clear();
            Grid->OnClipboardCopy = [&](TObject*, bool& a) { Log.push_back("copy"); a = allow; };
            Grid->OnClipboardCut = [&](TObject*, bool& a) { Log.push_back("cut"); a = allow; };
            Grid->OnClipboardPaste = [&](TObject*, bool& a) { Log.push_back("paste"); a = allow; };
            Grid->OnKeyPress = [&](TObject*, WideChar& c) { Log.push_back(Cat("keypress ", IntToStr(int(c)))); };
            Clipboard()->SetAsText(String(k.event) == "paste" ? pasted : "old");
            const int rows = Grid->RowCount();
            Key(k.key, k.shift);
            EXPECT_EQ(Log, std::vector<String>{k.event});
            EXPECT_EQ(Grid->RowCount(), rows);
            EXPECT_FALSE(Grid->EditorMode());
            EXPECT_EQ(Clipboard()->AsText(), allow ? String(k.clip) : String(k.event) == "paste" ? pasted : "old");
            EXPECT_EQ(Cat(Cell(5, 2), "|", Cell(6, 2), "|", Cell(5, 3), "|", Cell(6, 3), "|", Cell(5, 4)),
                      allow ? String(k.cells) : unchanged);
        }
    }
}

TEST_F(EditingKeysTest, WithoutTheShortcutsCtrlCIsOnlyAKey)
{
    Click(5, 2);
    Grid->SetSelection(TGridRect(5, 2, 6, 3));
    Clipboard()->SetAsText("old");
    Grid->OnClipboardCopy = [&](TObject*, bool&) { Log.push_back("copy"); };
    Grid->OnKeyPress = [&](TObject*, WideChar& c) { Log.push_back(Cat("keypress ", IntToStr(int(c)))); };
    Key('C', TShiftState{ssCtrl});
    EXPECT_EQ(Log, std::vector<String>{"keypress 3"});
    EXPECT_EQ(Clipboard()->AsText(), "old");
}

// ---------------------------------------------------------------- incremental search

struct SearchCase {
    bool incremental;
    const char* typed;   // '\b' is Backspace
    int row;             // current row afterwards
};

class IncrementalSearchTest : public EditingKeysTest {
protected:
    void SetUp() override
    {
        EditingKeysTest::SetUp();
        // Column 5 is read-only, so the grid is not editing there and typing searches.
        Grid->Columns()->Items(5)->SetReadOnly(true);
        const char* towns[] = {"Bern", "<b>Basel</b>", "Zürich", "zug", "Genf", "Bergün", "Aarau"};
        for (int r = 1; r < 8; ++r) Grid->SetCellEx(5, r, towns[r - 1]);
        Grid->SortSettings()->SetShow(true);
        Grid->SortSettings()->Column = 5;
        Grid->Navigation()->AutoGotoWhenSorted = true;
        Click(5, 5);
    }
};

TEST_F(IncrementalSearchTest, TypedTextGoesToTheFirstRowBeginningWithIt)
{
    const SearchCase cases[] = {
        {true, "z", 3},
        {true, "zu", 4},
        {true, "ba", 2},       // tags are not text
        {true, "berg", 6},
        {true, "bx", 1},       // a miss keeps the row of "b" and forgets the text
        {true, "bxg", 5},      // so the next letter starts afresh
        {true, "zu\b", 3},     // Backspace takes the last letter back
        {true, "zu\b\bg", 5},
        {false, "za", 7},      // without incremental typing each letter is a search of its own
        {false, "bz", 3},
    };
    for (const SearchCase& k : cases) {
        SCOPED_TRACE(Cat(k.incremental ? "incremental " : "single ", k.typed));
        Grid->Navigation()->AutoGotoIncremental = k.incremental;
        Click(5, 7);
        Key(VK_DOWN);   // navigation keys clear the search text
        Type(k.typed);
        EXPECT_EQ(Grid->Row(), k.row);
        EXPECT_EQ(Grid->Col(), 5);
    }
}

TEST_F(IncrementalSearchTest, UpperCaseOfLettersBeyondAscii)
{
    Grid->Navigation()->AutoGotoIncremental = true;
    TypeText("zü");
    EXPECT_EQ(Grid->Row(), 3);
    Key(VK_DOWN);
    TypeText("BERGÜ");
    EXPECT_EQ(Grid->Row(), 6);
}

TEST_F(IncrementalSearchTest, TheWindowHearsTheKeyAfterTheRowMoved)
{
    Grid->Navigation()->AutoGotoIncremental = true;
    Grid->OnKeyPress = [&](TObject*, WideChar& c) { Log.push_back(Cat(String(1, char(c)), " row ", IntToStr(Grid->Row()))); };
    Type("ge");
    EXPECT_EQ(Log, (std::vector<String>{"g row 5", "e row 5"}));
}

TEST_F(IncrementalSearchTest, TheTextExpiresOnTheFourthTimerTick)
{
    Grid->Navigation()->AutoGotoIncremental = true;
    Type("z");
    for (int i = 0; i < 3; ++i) Tick();
    Type("u");   // still "zu"
    EXPECT_EQ(Grid->Row(), 4);
    for (int i = 0; i < 4; ++i) Tick();
    Type("b");   // a new search, not "zub"
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(IncrementalSearchTest, NoSearchWhileTheCellIsEditable)
{
    Grid->Columns()->Items(5)->SetReadOnly(false);
    Click(5, 5);
    Type("z");
    EXPECT_EQ(Grid->Row(), 5);
    EXPECT_TRUE(Grid->EditorMode());
}

// ---------------------------------------------------------------- scrolling only

TEST_F(EditingKeysTest, MoveScrollOnlyScrollsAndKeepsTheCurrentCell)
{
    KnxTable(Grid, 60);
    Click(5, 2);
    Grid->Navigation()->MoveScrollOnly = true;
    const int vis = Grid->VisibleRowCount();
    ASSERT_GT(vis, 2);
    ASSERT_LT(3 * vis, 60);
    struct Step {
        WORD key;
        int top;
    };
    const Step steps[] = {
        {VK_NEXT, 1 + vis}, {VK_NEXT, 1 + 2 * vis}, {VK_DOWN, 2 + 2 * vis}, {VK_UP, 1 + 2 * vis},
        {VK_PRIOR, 1 + vis}, {VK_PRIOR, 1},         {VK_UP, 1},            {VK_END, 60 - vis},
        {VK_DOWN, 60 - vis}, {VK_NEXT, 60 - vis},   {VK_HOME, 1},
    };
    int i = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(Cat("step ", IntToStr(i++)));
        Key(s.key);
        EXPECT_EQ(Grid->TopRow(), s.top);
        EXPECT_EQ(Grid->Row(), 2);
        EXPECT_EQ(Grid->Col(), 5);
    }
}

// ---------------------------------------------------------------- fixed cells and disabled rows

TEST_F(EditingKeysTest, ArrowsPassOverFixedCells)
{
    Grid->Columns()->Items(7)->SetFixed(true);
    Grid->Columns()->Items(8)->SetFixed(true);
    Grid->OnIsFixedCell = [](TObject*, int r, int c, bool& f) { f = f || (r == 3 && c == 5); };
    struct Move {
        bool skip;
        int col, row;
        WORD key;
        int toCol, toRow;
    };
    const Move moves[] = {
        {true, 6, 2, VK_RIGHT, 9, 2}, {true, 9, 2, VK_LEFT, 6, 2}, {true, 5, 2, VK_DOWN, 5, 4},
        {true, 5, 4, VK_UP, 5, 2},    {true, 6, 2, VK_DOWN, 6, 3}, {false, 6, 2, VK_RIGHT, 6, 2},
        {false, 5, 2, VK_DOWN, 5, 2},
    };
    for (const Move& m : moves) {
        SCOPED_TRACE(Cat(IntToStr(m.col), ",", IntToStr(m.row), " key ", IntToStr(m.key), m.skip ? " skip" : ""));
        Grid->Navigation()->SkipFixedCells = m.skip;
        Grid->MoveToCell(m.col, m.row);
        ASSERT_EQ(Grid->Col(), m.col);
        WORD heard = 0;
        Grid->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { heard = k; };
        Key(m.key);
        Grid->OnKeyDown = nullptr;
        EXPECT_EQ(Grid->Col(), m.toCol);
        EXPECT_EQ(Grid->Row(), m.toRow);
        EXPECT_EQ(heard, m.key);
    }
}

TEST_F(EditingKeysTest, HomeAndEndMoveByTheirModeAndTheWindowHearsThem)
{
    struct Case {
        THomeEndAction mode;
        WORD key;
        int toCol, toRow;
    };
    const int lastCol = Grid->ColCount() - 1, lastRow = Grid->RowCount() - 1;
    const Case cases[] = {
        {heFirstLastColumn, VK_HOME, 1, 4}, {heFirstLastColumn, VK_END, lastCol, 4},
        {heFirstLastCell, VK_HOME, 1, 1},   {heFirstLastCell, VK_END, lastCol, lastRow},
        {heFirstLastRow, VK_HOME, 5, 1},    {heFirstLastRow, VK_END, 5, lastRow},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(Cat(IntToStr(int(k.mode)), " key ", IntToStr(k.key)));
        Grid->Navigation()->HomeEndKey = k.mode;
        Click(5, 4);
        std::vector<String> heard;
        Grid->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
            heard.push_back(Cat(IntToStr(key), " at ", IntToStr(Grid->Col()), ",", IntToStr(Grid->Row())));
        };
        Key(k.key);
        Grid->OnKeyDown = nullptr;
        EXPECT_EQ(Grid->Col(), k.toCol);
        EXPECT_EQ(Grid->Row(), k.toRow);
        // Once; in the first/last modes after the move (the column mode is the base
        // grid's own key handling, which tells the window first).
        const int c = k.mode == heFirstLastColumn ? 5 : k.toCol, r = k.mode == heFirstLastColumn ? 4 : k.toRow;
        EXPECT_EQ(heard, (std::vector<String>{Cat(IntToStr(k.key), " at ", IntToStr(c), ",", IntToStr(r))}));
    }
}

TEST_F(EditingKeysTest, UpAndDownPassOverDisabledRows)
{
    Grid->SetRowEnabled(3, false);
    Grid->SetRowEnabled(4, false);
    Grid->SetRowEnabled(7, false);
    Click(5, 2);
    Key(VK_DOWN);
    EXPECT_EQ(Grid->Row(), 5);
    Key(VK_UP);
    EXPECT_EQ(Grid->Row(), 2);
    // No enabled row below: the cursor stays.
    Click(5, 6);
    Key(VK_DOWN);
    EXPECT_EQ(Grid->Row(), 6);
    // A disabled row cannot be clicked current either.
    Click(5, 4);
    EXPECT_EQ(Grid->Row(), 6);
    Grid->Navigation()->SkipDisabledRows = false;
    Key(VK_DOWN);
    EXPECT_EQ(Grid->Row(), 7);
}

}  // namespace
