// The combo editor of list cells (keys, list width, cursor walk, lookup, history, its
// own look) and the cell-selection check with the grid's focus handling and cursors.
#include <functional>
#include <vector>

#include "grid/core/GridOptions.h"
#include "grid/core/GridPanels.h"
#include "gridedit/GridEditors.h"
#include "platform/gui/ExtCtrls.h"
#include "platform/gui/StdCtrls.h"
#include "tests/common/UserInput.h"
#include "tests/common/colgrid_fixture.h"
#include "tests/common/Snapshot.h"

namespace {

class ComboTest : public ColGridTest {
protected:
    void SetUp() override
    {
        ColGridTest::SetUp();
        KnxTable(Grid, 8);
        for (int c = 0; c < Grid->ColCount(); ++c) Grid->SetColWidths(c, 60);
        // Column 2 picks from a list, column 3 takes free text with suggestions.
        Grid->Columns()->Items(2)->ComboItems()->Clear();
        for (const char* s : {"1/2/1", "1/2/2", "1/2/3"}) Grid->Columns()->Items(2)->ComboItems()->Add(s);
        Grid->Columns()->Items(3)->ComboItems()->Clear();
        for (const char* s : {"Alpha", "Beta"}) Grid->Columns()->Items(3)->ComboItems()->Add(s);
        Grid->SetCellEx(2, 2, "1/2/1");
        Grid->SetCellEx(3, 2, "Alpha");
        UserFocus(Grid);
    }
    TPoint Mid(int c, int r) { return CellMid(Grid, c, r); }
    void Click(int c, int r) { ClickCell(Grid, c, r); }
    TWinControl* Focused() { return FindFocusedControl(); }
    void Key(WORD k, TShiftState s = TShiftState())
    {
        UserKey(Focused(), k, s);
        Pump();
    }
    void Type(const String& t)
    {
        for (char ch : t) {
            UserType(Focused(), String(1, ch));
            Pump();
        }
    }
    void Pump() { Application->ProcessMessages(); }
    // Opens the combo editor on a cell as a user does: click, then F2.
    TGridCombo* Open(int c, int r)
    {
        Click(c, r);
        Key(VK_F2);
        TGridCombo* cb = ComboEditor(Grid);
        EXPECT_TRUE(cb->Visible());
        return cb;
    }
    String Cell(int c, int r) { return Grid->GetCellEx(c, r); }
    String At() { return Cat(IntToStr(Grid->Col()), ",", IntToStr(Grid->Row())); }
};

// ---------------------------------------------------------------- keys

TEST_F(ComboTest, KeysStoreMoveOrRestoreAsTheStyleSays)
{
    struct Case {
        const char* name;
        int col;
        std::vector<WORD> keys;
        const char* typed;   // typed after the keys, before the last key
        WORD last;
        const char* cell;
        const char* at;
        bool open;
    };
    const Case cases[] = {
        // A pick list: Up and Down change the item, Enter stores, Left and Right store and move.
        {"list down enter", 2, {VK_DOWN}, "", VK_RETURN, "1/2/2", "2,2", false},
        {"list down escape", 2, {VK_DOWN, VK_DOWN}, "", VK_ESCAPE, "1/2/1", "2,2", false},
        {"list down right", 2, {VK_DOWN}, "", VK_RIGHT, "1/2/2", "3,2", false},
        {"list up on first left", 2, {VK_UP}, "", VK_LEFT, "1/2/1", "1,2", false},
        {"list last stays", 2, {VK_DOWN, VK_DOWN, VK_DOWN}, "", VK_RETURN, "1/2/3", "2,2", false},
        // Free text with the list closed: Up and Down store and move a row, PgUp and
        // PgDn store without moving, End keeps the editor open.
        {"edit typed down", 3, {}, "Zed", VK_DOWN, "Zed", "3,3", false},
        {"edit typed up", 3, {}, "Zed", VK_UP, "Zed", "3,1", false},
        {"edit typed pgdn", 3, {}, "Zed", VK_NEXT, "Zed", "3,2", false},
        {"edit typed pgup", 3, {}, "Zed", VK_PRIOR, "Zed", "3,2", false},
        {"edit typed end", 3, {}, "Zed", VK_END, "Alpha", "3,2", true},
        {"edit typed escape", 3, {}, "Zed", VK_ESCAPE, "Alpha", "3,2", false},
        {"edit typed enter", 3, {}, "Zed", VK_RETURN, "Zed", "3,2", false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Grid->SetCellEx(2, 2, "1/2/1");
        Grid->SetCellEx(3, 2, "Alpha");
        TGridCombo* cb = Open(k.col, 2);
        for (WORD key : k.keys) Key(key);
        Type(k.typed);
        Key(k.last);
        EXPECT_EQ(Cell(k.col, 2), k.cell);
        EXPECT_EQ(At(), k.at);
        EXPECT_EQ(cb->Visible(), k.open);
        if (cb->Visible()) Key(VK_ESCAPE);
    }
}

TEST_F(ComboTest, TypingInAPickListSelectsTheItemAndReportsIt)
{
    Grid->Columns()->Items(2)->ComboItems()->Clear();
    for (const char* t : {"Read", "Write"}) Grid->Columns()->Items(2)->ComboItems()->Add(t);
    Grid->SetCellEx(2, 2, "write");
    std::vector<String> changes;
    Grid->OnComboChange = [&](TObject*, int c, int r, int idx, const String& t) {
        changes.push_back(Cat(IntToStr(c), ",", IntToStr(r), " ", IntToStr(idx), " ", t));
    };
    TGridCombo* cb = Open(2, 2);
    // The stored text selects its item whatever its case.
    EXPECT_EQ(cb->ItemIndex(), 1);
    Type("r");
    EXPECT_EQ(cb->ItemIndex(), 0);
    EXPECT_EQ(changes, (std::vector<String>{"2,2 0 Read"}));
    // Only items can be typed: the cell gets the item.
    Type("x");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(2, 2), "Read");
}

TEST_F(ComboTest, EscapeKeepsATextThatIsNoItem)
{
    struct Case {
        int col;
        const char* text;
    };
    for (const Case& k : {Case{2, "9/9/9"}, Case{3, "Gamma"}, Case{2, ""}}) {
        SCOPED_TRACE(k.text);
        Grid->SetCellEx(k.col, 2, k.text);
        Open(k.col, 2);
        Key(VK_DOWN);
        Key(VK_ESCAPE);
        EXPECT_EQ(Cell(k.col, 2), k.text);
        EXPECT_FALSE(Grid->ComboEditor()->Visible());
    }
}

TEST_F(ComboTest, ArrowsBelongToTheGridWithoutComboGetUpDown)
{
    Grid->Navigation()->ComboGetUpDown = false;
    TGridCombo* cb = Open(2, 2);
    Key(VK_DOWN);
    EXPECT_FALSE(cb->Visible());
    EXPECT_EQ(Cell(2, 2), "1/2/1");
    EXPECT_EQ(At(), "2,3");
}

TEST_F(ComboTest, RefusedValueKeepsTheEditorOpenWithTheValidatedText)
{
    Grid->OnCellValidate = [](TObject*, int, int, String& Value, bool& Valid) {
        Valid = Value != "bad";
        if (!Valid) Value = "fixed";
    };
    TGridCombo* cb = Open(3, 2);
    Type("bad");
    Key(VK_RETURN);
    EXPECT_TRUE(cb->Visible());
    EXPECT_EQ(cb->Text(), "fixed");
    // All of the left text is selected, so typing replaces it.
    EXPECT_EQ(cb->SelLength(), 5);
    Type("good");
    Key(VK_RETURN);
    EXPECT_FALSE(cb->Visible());
    EXPECT_EQ(Cell(3, 2), "good");
}

TEST_F(ComboTest, EnterFiresReturnKeyAndSpecialKeysAreAnswered)
{
    TGridCombo* cb = Open(3, 2);
    struct Case {
        WORD key;
        bool tabs;
        LRESULT wanted;
    };
    for (const Case& k : {Case{VK_RETURN, false, 1}, Case{VK_ESCAPE, false, 1}, Case{VK_TAB, false, 0},
                          Case{VK_TAB, true, 1}, Case{VK_LEFT, true, 0}}) {
        Grid->SetOptions(k.tabs ? Grid->Options() << goTabs : Grid->Options() >> goTabs);
        EXPECT_EQ(cb->Perform(CM_WANTSPECIALKEY, k.key, 0), k.wanted) << k.key;
    }
    int returns = 0;
    cb->OnReturnKey = [&](TObject*) { ++returns; };
    Key(VK_RETURN);
    EXPECT_EQ(returns, 1);
}

// ---------------------------------------------------------------- cursor walk

TEST_F(ComboTest, CursorWalkLeavesTheCellAtTheEdgesOfTheText)
{
    Grid->Navigation()->CursorWalkEditor = true;
    TGridCombo* cb = Open(3, 2);
    Type("abc");
    // Inside the text the arrows move the caret.
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_TRUE(cb->Visible());
    EXPECT_EQ(At(), "3,2");
    // Past the end the editor closes, the text is kept and the next cell opens.
    Key(VK_END);
    Key(VK_RIGHT);
    EXPECT_EQ(Cell(3, 2), "abc");
    EXPECT_EQ(At(), "4,2");
    EXPECT_TRUE(Grid->EditorMode());
    Key(VK_ESCAPE);
    // Before the start of the text the walk goes left.
    cb = Open(3, 2);
    Key(VK_HOME);
    EXPECT_EQ(At(), "3,2");
    Key(VK_LEFT);
    EXPECT_EQ(At(), "2,2");
    EXPECT_EQ(Cell(3, 2), "abc");
    // The list cell there opens at once.
    EXPECT_TRUE(cb->Visible());
    EXPECT_EQ(cb->Style(), csDropDownList);
}

TEST_F(ComboTest, CursorWalkIntoACheckBoxCellOpensNoEditor)
{
    Grid->Navigation()->CursorWalkEditor = true;
    Grid->Columns()->Items(2)->SetEditor(edComboEdit);
    TGridCombo* cb = Open(2, 2);
    Type("1/9");
    Key(VK_HOME);
    Key(VK_LEFT);
    EXPECT_EQ(At(), "1,2");
    EXPECT_FALSE(cb->Visible());
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Cell(2, 2), "1/9");
}

TEST_F(ComboTest, CursorWalkIsOffByDefaultAndNeverInAPickList)
{
    TGridCombo* cb = Open(3, 2);
    Key(VK_END);
    Key(VK_RIGHT);
    EXPECT_EQ(At(), "3,2");
    EXPECT_TRUE(cb->Visible());
    Key(VK_ESCAPE);
    Grid->Navigation()->CursorWalkEditor = true;
    cb = Open(2, 2);
    Key(VK_HOME);
    // In a pick list Left stores and moves one column as it always does.
    Key(VK_LEFT);
    EXPECT_EQ(At(), "1,2");
    EXPECT_FALSE(cb->Visible());
}

// ---------------------------------------------------------------- lookup and history

TEST_F(ComboTest, LookupCompletesFromTheListThenFromTheLookupItems)
{
    Grid->Lookup = true;
    Grid->LookupItems()->Add("Zulu");
    struct Case {
        const char* typed;
        bool caseSensitive;
        const char* text;
        int selStart, selLength;
    };
    const Case cases[] = {
        // A list item is selected, so the text takes the item's own case.
        {"b", false, "Beta", 1, 3},
        {"AL", false, "Alpha", 2, 3},
        // A lookup item keeps what was typed and appends the rest in the item's case.
        {"ZU", false, "ZUlu", 2, 2},
        {"zu", true, "zu", 2, 0},
        {"x", false, "x", 1, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.typed);
        Grid->LookupCaseSensitive = k.caseSensitive;
        TGridCombo* cb = Open(3, 2);
        Type(k.typed);
        EXPECT_EQ(cb->Text(), k.text);
        EXPECT_EQ(cb->SelStart(), k.selStart);
        EXPECT_EQ(cb->SelLength(), k.selLength);
        Key(VK_ESCAPE);
    }
}

TEST_F(ComboTest, BackspaceRemovesTheCompletionForGood)
{
    Grid->Lookup = true;
    TGridCombo* cb = Open(3, 2);
    Type("b");
    ASSERT_EQ(cb->Text(), "Beta");
    Key(VK_BACK);
    EXPECT_EQ(cb->Text(), "B");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(3, 2), "B");
}

TEST_F(ComboTest, LookupHistoryAddsALeftTextOnce)
{
    Grid->LookupHistory = true;
    auto* other = new TEdit(Form);
    other->SetParent(Form);
    other->SetBounds(0, 405, 80, 20);
    for (int round = 0; round < 2; ++round) {
        TGridCombo* cb = Open(3, 2);
        Type("Gamma");
        UserFocus(other);
        Pump();
        EXPECT_FALSE(cb->Visible());
        UserFocus(Grid);
    }
    EXPECT_EQ(Grid->ComboEditor()->Items()->IndexOf("Gamma"), 2);
    EXPECT_EQ(Grid->ComboEditor()->Items()->Count(), 3);
    EXPECT_EQ(Cell(3, 2), "Gamma");
}

// ---------------------------------------------------------------- list width

TEST_F(ComboTest, DropWidthFollowsTheLongestItem)
{
    TGridCombo* cb = ComboEditor(Grid);
    TCanvas* c = Grid->Canvas();
    c->Font()->Assign(*Grid->Font());
    cb->SetWidth(100);
    cb->SetDropDownCount(8);
    struct Case {
        const char* name;
        int items;
        String longest;
        int extra;   // added to the longest item's width; 0: the box's own width stays
    };
    const Case cases[] = {
        {"scrolling list, long item", 9, "Temperature setpoint", 25},
        {"short list, long item", 8, "Temperature setpoint", 8},
        {"short list, short items", 8, "ab", 0},
        {"scrolling list, short items", 9, "ab", 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        cb->Items()->Clear();
        for (int i = 0; i + 1 < k.items; ++i) cb->Items()->Add("a");
        cb->Items()->Add(k.longest);
        cb->SizeDropDownWidth();
        const int t = c->TextWidth(k.longest);
        EXPECT_EQ(cb->DroppedWidth(), k.extra ? t + k.extra : 100);
    }
}

TEST_F(ComboTest, OpeningSizesTheListOnlyWithAutoComboDropSize)
{
    Grid->Columns()->Items(3)->ComboItems()->Add("A suggestion far wider than the cell");
    TGridCombo* cb = Open(3, 2);
    EXPECT_EQ(cb->DroppedWidth(), 0);
    Key(VK_ESCAPE);
    Grid->Navigation()->AutoComboDropSize = true;
    cb = Open(3, 2);
    EXPECT_GT(cb->DroppedWidth(), cb->Width());
    Key(VK_ESCAPE);
    Grid->Navigation()->AutoComboDropSize = false;
    cb->SetDropWidth(150);
    cb = Open(3, 2);
    EXPECT_EQ(cb->DroppedWidth(), 150);
}

// ---------------------------------------------------------------- the grid's list operations

TEST_F(ComboTest, ListOperationsWorkOnTheEditorsList)
{
    TExtStringGrid* g = Grid;
    EXPECT_EQ(g->Combobox(), g->ComboEditor());
    EXPECT_EQ(g->UniCombo(), g->ComboEditor());
    std::vector<String> asked;
    g->OnGetEditorPropInt = [&](TObject*, int r, int c) { asked.push_back(Cat(IntToStr(c), ",", IntToStr(r))); };
    g->ClearComboString();
    g->AddComboString("Read");
    g->AddComboString("Write");
    EXPECT_EQ(g->GetComboCount(), 2);
    EXPECT_FALSE(g->RemoveComboString("Execute"));
    EXPECT_FALSE(g->SetComboSelectionString("Execute"));
    EXPECT_TRUE(g->SetComboSelectionString("write"));
    g->SetComboIndex(5, 1, 1);
    EXPECT_EQ(Cell(5, 1), "Write");
    g->SetComboIndex(5, 1, 7);
    EXPECT_EQ(Cell(5, 1), "");
    g->SetCellEx(5, 1, "READ");
    EXPECT_EQ(g->GetComboIndex(5, 1), 0);
    EXPECT_EQ(asked, (std::vector<String>{"5,1", "5,1", "5,1"}));
    EXPECT_TRUE(g->RemoveComboString("read"));
    EXPECT_EQ(g->GetComboCount(), 1);
}

// ---------------------------------------------------------------- the combo control

TEST(AsgComboTest, ButtonWidthTakesOnly14To32)
{
    TAsgComboBox cb(nullptr);
    for (int w : {13, 33, 16, 0, 32, 14}) cb.SetButtonWidth(w);
    EXPECT_EQ(cb.ButtonWidth(), 14);
}

TEST_F(ComboTest, CaptionLabelFollowsTheCombo)
{
    auto* cb = new TAsgComboBox(Form);
    cb->SetParent(Form);
    cb->SetBounds(200, 300, 120, 22);
    cb->SetLabelCaption("Mode");
    TLabel* l = cb->ComboLabel();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Parent(), Form);
    EXPECT_EQ(l->FocusControl(), cb);
    const int w = l->Width(), h = l->Height();
    ASSERT_GT(w, 0);
    struct Case {
        TLabelPosition pos;
        int left, top;
    };
    const Case cases[] = {
        {lpLeftTop, 200 - w - 4, 300},
        {lpLeftCenter, 200 - w - 4, 300 + (22 - h) / 2},
        {lpLeftBottom, 200 - w - 4, 322 - h},
        {lpTopLeft, 200, 300 - h - 4},
        {lpBottomLeft, 200, 326},
        {lpLeftTopLeft, 196, 300},
        {lpTopCenter, 200 + (120 - w) / 2, 300 - h - 4},
        {lpBottomCenter, 200 + (120 - w) / 2, 326},
        {lpRightTop, 324, 300},
        {lpRightCenter, 324, 300 + (22 - h) / 2},
        {lpRighBottom, 324, 322 - h},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(int(k.pos));
        cb->SetLabelPosition(k.pos);
        EXPECT_EQ(l->Left(), k.left);
        EXPECT_EQ(l->Top(), k.top);
    }
    // The label moves with the combo and follows its visibility and enabled state.
    cb->SetLabelPosition(lpLeftTop);
    cb->SetLabelMargin(10);
    cb->SetBounds(250, 300, 120, 22);
    EXPECT_EQ(l->Left(), 250 - w - 10);
    cb->SetEnabled(false);
    EXPECT_FALSE(l->Enabled());
    cb->SetLabelAlwaysEnabled(true);
    EXPECT_TRUE(l->Enabled());
    cb->SetVisible(false);
    EXPECT_FALSE(l->Visible());
    // Freeing the combo frees its label with it.
    delete cb;
    for (int i = 0; i < Form->ControlCount(); ++i) EXPECT_NE(Form->Controls(i), static_cast<TControl*>(l));
}

TEST_F(ComboTest, FocusColourAndBoldLabelWhileFocused)
{
    auto* cb = new TAsgComboBox(Form);
    cb->SetParent(Form);
    cb->SetBounds(200, 300, 120, 22);
    cb->SetColor(clWhite);
    cb->Init();
    cb->SetFocusColor(clYellow);
    cb->SetFocusLabel(true);
    cb->SetLabelCaption("Mode");
    UserFocus(cb);
    EXPECT_EQ(cb->Color(), clYellow);
    EXPECT_TRUE(cb->ComboLabel()->Font()->Style().Contains(fsBold));
    UserFocus(Grid);
    EXPECT_EQ(cb->Color(), clWhite);
    EXPECT_FALSE(cb->ComboLabel()->Font()->Style().Contains(fsBold));
}

// The combo's own face: flat looks get the grid's look; a set border and button colour
// are painted over the toolkit's face.
class ComboPaintTest : public ComboTest {
protected:
    void Shot(TBitmap& png, TControl* c, const String& name) { ASSERT_TRUE(SNAPSHOT(c, name, png)); }
};

TEST_F(ComboPaintTest, EditorTakesTheGridsLookInBothLooks)
{
    struct Case {
        TGridLook look;
        bool flat;
        const char* png;
    };
    Grid->Columns()->Items(3)->SetColor(clAqua);
    for (const Case& k : {Case{glXP, true, "combo_editor_flat.png"}, Case{glClassic, false, "combo_editor_classic.png"}}) {
        SCOPED_TRACE(k.png);
        Grid->SetLook(k.look);
        TGridCombo* cb = Open(3, 2);
        EXPECT_EQ(cb->Flat(), k.flat);
        EXPECT_EQ(cb->Etched(), k.flat);
        // The flat look keeps the cell's colour.
        EXPECT_EQ(cb->Color(), clAqua);
        TBitmap png;
        Shot(png, Grid, k.png);
        EXPECT_EQ(png.Width(), Grid->Width());
        Key(VK_ESCAPE);
    }
}

// An open list cell shows its whole value left of the drop button: in a column just wide
// enough for the text and the button the text is drawn as in a column with room to spare,
// on the toolkit's face and on the flat face the combo paints over it.
TEST_F(ComboPaintTest, ListCellShowsItsWholeValueLeftOfTheButton)
{
    struct Ink {
        int Left = -1, Right = -1, Count = 0;   // dark pixels: first and last column, number
    };
    auto inkIn = [](TBitmap& b, int from, int to) {
        Ink k;
        for (int x = from; x < to; ++x)
            for (int y = 0; y < b.Height(); ++y) {
                const TColor c = b.Canvas()->Pixels(x, y);
                if (GetRValue(c) >= 100 || GetGValue(c) >= 100 || GetBValue(c) >= 100) continue;
                if (k.Left < 0) k.Left = x;
                k.Right = x;
                ++k.Count;
            }
        return k;
    };
    struct Case {
        const char* Face;
        bool IsVista;   // the toolkit paints the face; else the combo paints its own
    };
    Grid->SetLook(glXP);
    Grid->Columns()->Items(2)->ComboItems()->Clear();
    for (const char* s : {"Normal", "Fast"}) Grid->Columns()->Items(2)->ComboItems()->Add(s);
    Grid->SetCellEx(2, 2, "Normal");
    for (const Case& k : {Case{"toolkit", true}, Case{"own", false}}) {
        SCOPED_TRACE(k.Face);
        ComboEditor(Grid)->IsVista = k.IsVista;
        Grid->SetColWidths(2, 200);
        TGridCombo* cb = Open(2, 2);
        ASSERT_EQ(cb->Text(), "Normal");
        ASSERT_EQ(cb->PaintsOwnFace(), !k.IsVista);
        TBitmap wide;
        Shot(wide, cb, Cat("combo_list_room_", k.Face, ".png"));
        const Ink room = inkIn(wide, 0, cb->Width() - cb->ButtonWidth());
        ASSERT_GT(room.Count, 0);
        Key(VK_ESCAPE);

        TBitmap measure(1, 1);
        measure.Canvas()->Font()->Assign(*cb->Font());
        const int width = room.Left + measure.Canvas()->TextWidth("Normal") + cb->ButtonWidth() + 1;
        Grid->SetColWidths(2, width + 1);
        cb = Open(2, 2);
        ASSERT_EQ(cb->Width(), width);
        TBitmap narrow;
        Shot(narrow, cb, Cat("combo_list_just_wide_enough_", k.Face, ".png"));
        const int button = width - cb->ButtonWidth();
        const Ink text = inkIn(narrow, 0, button);
        EXPECT_EQ(text.Left, room.Left);
        EXPECT_EQ(text.Right, room.Right) << "the text is cut";
        EXPECT_EQ(text.Count, room.Count);
        EXPECT_GT(inkIn(narrow, button, width).Count, 0) << "the arrow is drawn in the button";
        Key(VK_ESCAPE);
    }
}

TEST_F(ComboPaintTest, BorderAndButtonColoursArePaintedOverTheFace)
{
    auto* cb = new TAsgComboBox(Form);
    cb->SetParent(Form);
    cb->SetBounds(200, 300, 120, 24);
    cb->IsWinXP = true;
    cb->Items()->Add("Read");
    cb->SetItemIndex(0);
    TBitmap plain;
    Shot(plain, cb, "combo_plain.png");
    EXPECT_EQ(Count_Pixels(plain, TRect(0, 0, 120, 24), clRed), 0);
    cb->SetBorderColor(clRed);
    cb->ButtonColor = clBlue;
    cb->ButtonTextColor = clWhite;
    TBitmap own;
    Shot(own, cb, "combo_coloured.png");
    // The frame runs round the whole control.
    EXPECT_EQ(Count_Pixels(own, TRect(0, 0, 120, 1), clRed), 120);
    EXPECT_EQ(Count_Pixels(own, TRect(0, 23, 120, 24), clRed), 120);
    // The button is blue with a white arrow.
    const TRect button(120 - cb->ButtonWidth() + 3, 2, 118, 22);
    EXPECT_GT(Count_Pixels(own, button, clBlue), button.Width() * button.Height() / 2);
    EXPECT_GT(Count_Pixels(own, button, clWhite), 3);
}

// ---------------------------------------------------------------- cell-selection check

class CellSelectTest : public ComboTest {
protected:
    std::vector<String> Log;
    void SetUp() override
    {
        ComboTest::SetUp();
        Grid->SetRowCount(40);
    }
    // The bottom of a row's cell in client coordinates, visible or not.
    int Bottom(int r) { return Grid->CalcCellRect(4, r).Bottom; }
};

TEST_F(CellSelectTest, ChangingEventsComeBeforeTheMoveAndCanStopIt)
{
    Grid->OnRowChanging = [&](TObject*, int o, int n, bool& a) {
        Log.push_back(Cat("row ", IntToStr(o), ">", IntToStr(n)));
        a = n != 6;
    };
    Grid->OnColChanging = [&](TObject*, int o, int n, bool& a) {
        Log.push_back(Cat("col ", IntToStr(o), ">", IntToStr(n)));
        a = a && n != 9;
    };
    Grid->OnCellChanging = [&](TObject*, int orow, int ocol, int nrow, int ncol, bool&) {
        Log.push_back(Cat("cell ", IntToStr(ocol), ",", IntToStr(orow), ">", IntToStr(ncol), ",", IntToStr(nrow)));
    };
    Grid->OnRowChanged = [&](TObject*, int o, int n) { Log.push_back(Cat("changed ", IntToStr(o), ">", IntToStr(n))); };
    struct Case {
        const char* name;
        int col, row;
        bool disableChange;
        std::vector<String> log;
        const char* at;
    };
    const Case cases[] = {
        {"row and column", 5, 3, false, {"row 2>3", "col 4>5", "cell 4,2>5,3", "changed 2>3"}, "5,3"},
        {"column only", 6, 3, false, {"col 5>6", "cell 5,3>6,3"}, "6,3"},
        {"refused row", 6, 6, false, {"row 3>6", "cell 6,3>6,6"}, "6,3"},
        {"refused column", 9, 3, false, {"col 6>9", "cell 6,3>9,3"}, "6,3"},
        {"without the cell event", 7, 4, true, {"row 3>4", "col 6>7", "changed 3>4"}, "7,4"},
    };
    Grid->FocusCell(4, 2, true);
    Log.clear();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Log.clear();
        Grid->FDisableChange = k.disableChange;
        Grid->FocusCell(k.col, k.row, true);
        EXPECT_EQ(Log, k.log);
        EXPECT_EQ(At(), k.at);
    }
}

TEST_F(CellSelectTest, ListenerHearsEveryMove)
{
    struct Listener : TObject, ITExtStringGridSelect {
        std::vector<String> heard;
        void SelectCell(int ACol, int ARow) override { heard.push_back(Cat(IntToStr(ACol), ",", IntToStr(ARow))); }
    } listener;
    Grid->FocusCell(4, 2, true);
    Grid->RegisterSelListener(&listener);
    Grid->FocusCell(5, 2, true);
    Grid->FocusCell(5, 4, true);
    Grid->UnRegisterSelListener(&listener);
    Grid->FocusCell(6, 4, true);
    EXPECT_EQ(listener.heard, (std::vector<String>{"4,2", "5,4"}));
}

TEST_F(CellSelectTest, FooterRowCannotBecomeCurrentAndTheRowAboveScrollsClear)
{
    Grid->FloatingFooter()->Visible = true;
    Grid->FloatingFooter()->FooterStyle = fsFixedLastRow;
    const int last = Grid->RowCount() - 1;
    Grid->FocusCell(4, 2, true);
    Grid->FocusCell(4, last, true);
    EXPECT_EQ(At(), "4,2");
    // Walking down to the row above the footer keeps every row clear of the footer strip.
    const int limit = Grid->ClientRect().Height() - Grid->RowHeights(last) + 2;
    for (int r = 3; r < last; ++r) {
        Key(VK_DOWN);
        ASSERT_EQ(Grid->Row(), r);
        EXPECT_LE(Bottom(r), limit) << r;
    }
    Key(VK_DOWN);
    EXPECT_EQ(Grid->Row(), last - 1);
}

TEST_F(CellSelectTest, SearchFooterScrollsARowHiddenUnderItIntoView)
{
    Grid->SearchFooter()->SetVisible(true);
    const int panel = Grid->SearchPanel()->Height();
    ASSERT_GT(panel, 0);
    const int limit = Grid->ClientRect().Height() - panel - 2;
    Grid->FocusCell(4, 1, true);
    // The first row whose cell reaches under the panel, yet lies in the client area.
    int hidden = 1;
    while (Bottom(hidden) <= limit) ++hidden;
    ASSERT_LT(Grid->CalcCellRect(4, hidden).Top, Grid->ClientRect().Height());
    const int top = Grid->TopRow();
    Grid->FocusCell(4, hidden, true);
    EXPECT_EQ(Grid->Row(), hidden);
    EXPECT_GT(Grid->TopRow(), top);
    EXPECT_LE(Bottom(hidden), limit);
    // By whole rows: one row less would leave it covered.
    Grid->SetTopRow(Grid->TopRow() - 1);
    EXPECT_GT(Bottom(hidden), limit);
}

TEST_F(CellSelectTest, MergedCellMakesItsBaseCurrentAndOpensWithDirectEdit)
{
    Grid->SetOptions(Grid->Options() >> goRangeSelect);
    Grid->MergeCells(4, 2, 2, 2);
    Grid->FocusCell(6, 5, true);
    Grid->FocusCell(5, 3, true);
    EXPECT_EQ(At(), "4,2");
    EXPECT_FALSE(Grid->EditorMode());
    Grid->FocusCell(6, 5, true);
    Grid->MouseActions()->DirectEdit = true;
    Grid->FocusCell(5, 3, true);
    EXPECT_EQ(At(), "4,2");
    EXPECT_TRUE(Grid->EditorMode());
    // With range selection the part itself may become current.
    Key(VK_ESCAPE);
    Grid->MouseActions()->DirectEdit = false;
    Grid->SetOptions(Grid->Options() << goRangeSelect);
    Grid->FocusCell(5, 3, true);
    EXPECT_EQ(At(), "5,3");
}

// ---------------------------------------------------------------- focus

class GridFocusTest : public ComboTest {
protected:
    TEdit* Other = nullptr;
    void SetUp() override
    {
        ComboTest::SetUp();
        Other = new TEdit(Form);
        Other->SetParent(Form);
        Other->SetBounds(0, 402, 80, 16);
        Grid->SetCellEx(4, 2, "");
    }
};

TEST_F(GridFocusTest, LeavingTheGridStoresWhatAnOpenEditorHolds)
{
    struct Case {
        const char* name;
        int col;
        std::function<void()> edit;
        const char* stored;
    };
    const Case cases[] = {
        {"text editor", 4, [&] { Type("xyz"); }, "xyz"},
        {"free-text list", 3, [&] { Type("Zed"); }, "Zed"},
        {"pick list", 2, [&] { Key(VK_DOWN); }, "1/2/2"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        UserFocus(Grid);
        Click(k.col, 2);
        Key(VK_F2);
        ASSERT_TRUE(Grid->EditorMode() || Grid->ComboEditor()->Visible());
        k.edit();
        UserFocus(Other);
        Pump();
        EXPECT_EQ(Focused(), static_cast<TWinControl*>(Other));
        EXPECT_EQ(Cell(k.col, 2), k.stored);
        EXPECT_FALSE(Grid->ComboEditor()->Visible());
        EXPECT_FALSE(Grid->EditMode);
    }
}

TEST_F(GridFocusTest, TabInTheComboStoresAndLeavesOrMovesAsTheGridTakesIt)
{
    struct Case {
        const char* name;
        bool tabs, validate;
        const char* at;
        bool gridFocused;
    };
    const Case cases[] = {
        // The grid takes Tab: the next cell becomes current.
        {"tabs", true, false, "4,2", true},
        // Validation only: the value is validated and stored, then Tab leaves the grid.
        {"validate", false, true, "3,2", false},
        // Neither: Tab is the form's focus key.
        {"neither", false, false, "3,2", false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Grid->SetCellEx(3, 2, "Alpha");
        Grid->SetOptions(k.tabs ? Grid->Options() << goTabs : Grid->Options() >> goTabs);
        int validated = 0;
        Grid->OnCellValidate = nullptr;
        if (k.validate) Grid->OnCellValidate = [&](TObject*, int, int, String&, bool&) { ++validated; };
        UserFocus(Grid);
        TGridCombo* cb = Open(3, 2);
        Type("Zed");
        Key(VK_TAB);
        Pump();
        EXPECT_FALSE(cb->Visible());
        EXPECT_EQ(Cell(3, 2), "Zed");
        EXPECT_EQ(At(), k.at);
        EXPECT_EQ(Focused() == static_cast<TWinControl*>(Grid), k.gridFocused);
        EXPECT_EQ(validated, k.validate ? 1 : 0);
    }
}

TEST_F(GridFocusTest, ArrivingWithAlwaysEditOpensTheEditorExceptOnACheckBox)
{
    Grid->Navigation()->AlwaysEdit = true;
    struct Case {
        int col;
        bool opens;
    };
    for (const Case& k : {Case{4, true}, Case{1, false}}) {
        SCOPED_TRACE(k.col);
        Grid->FocusCell(k.col, 2, true);
        UserFocus(Other);
        Pump();
        UserFocus(Grid);
        Pump();
        EXPECT_EQ(Grid->EditorMode() && Grid->InplaceEditor() && Grid->InplaceEditor()->Visible(), k.opens);
        if (Grid->EditorMode()) Key(VK_ESCAPE);
    }
}

TEST_F(GridFocusTest, FocusLossWhileAnEditorClosesIsAnsweredAndIgnored)
{
    int exits = 0;
    Grid->OnExit = [&](TObject*) { ++exits; };
    Grid->FBlockKill = true;
    EXPECT_EQ(Grid->Perform(WM_KILLFOCUS, 0, 0), 1);
    Grid->FBlockKill = false;
    EXPECT_EQ(exits, 0);
    Grid->Perform(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(exits, 1);
}

TEST_F(GridFocusTest, SmallNotificationsFireTheirEvents)
{
    EXPECT_TRUE(Grid->FireCanShowFixedDropDown(3));
    Grid->OnCanShowFixedDropDown = [](TObject*, int c, bool& show) { show = c != 3; };
    EXPECT_FALSE(Grid->FireCanShowFixedDropDown(3));
    EXPECT_TRUE(Grid->FireCanShowFixedDropDown(4));
    String page = "1";
    Grid->OnPrintGetPageNum = [](TObject*, int p, int c, String& s) { s = Cat(IntToStr(p), "-", IntToStr(c)); };
    Grid->FirePrintGetPageNum(2, 3, page);
    EXPECT_EQ(page, "2-3");
    Grid->DisableEditing();
    EXPECT_FALSE(Grid->Options().Contains(goEditing));
}

TEST_F(GridFocusTest, SearchFooterAcceleratorsRunTheFirstShownButton)
{
    TSearchFooter* f = Grid->SearchFooter();
    std::vector<String> acted;
    Grid->SearchPanel()->OnForwardClick = [&](TObject*) { acted.push_back("next"); };
    Grid->SearchPanel()->OnBackwardClick = [&](TObject*) { acted.push_back("prev"); };
    Grid->SearchPanel()->OnHighLightClick = [&](TObject*) { acted.push_back("highlight"); };
    f->SetFindNextCaption("&Find next");
    f->SetFindPrevCaption("Find &previous");
    f->SetHighLightCaption("&Find all");
    // The form hands an accelerator to its children as it does for a typed Alt+key.
    auto press = [&](char ch) { return Form->Perform(CM_DIALOGCHAR, WPARAM(ch), 0); };
    // A hidden footer takes no keys.
    EXPECT_EQ(press('f'), 0);
    f->SetVisible(true);
    // The find and highlight buttons act once there is a text to find.
    Grid->SearchPanel()->Edit()->SetText("x");
    struct Case {
        char key;
        bool showNext;
        LRESULT result;
        std::vector<String> acted;
    };
    const Case cases[] = {
        {'f', true, 1, {"next"}},
        {'P', true, 1, {"prev"}},
        {'x', true, 0, {}},
        // The next button is hidden: the highlight button with the same key acts.
        {'F', false, 1, {"highlight"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.key);
        acted.clear();
        f->SetShowFindNext(k.showNext);
        EXPECT_EQ(press(k.key), k.result);
        EXPECT_EQ(acted, k.acted);
    }
}

TEST_F(ComboTest, FlatComboTakesItsParentsColourAndGetsItsOwnBack)
{
    auto* panel = new TPanel(Form);
    panel->SetParent(Form);
    panel->SetBounds(300, 300, 200, 60);
    panel->SetColor(clYellow);
    auto* cb = new TAsgComboBox(Form);
    cb->SetParent(panel);
    cb->SetBounds(10, 10, 120, 22);
    cb->SetColor(clWhite);
    cb->SetFlat(true);
    EXPECT_EQ(cb->Color(), clYellow);
    cb->SetFlat(false);
    EXPECT_EQ(cb->Color(), clWindow);
    // A disabled flat combo shows its parent's colour until enabled again.
    cb->SetColor(clAqua);
    cb->SetFlat(true);
    cb->SetColor(clAqua);
    cb->SetEnabled(false);
    EXPECT_EQ(cb->Color(), clYellow);
    cb->SetEnabled(true);
    EXPECT_EQ(cb->Color(), clAqua);
}

TEST_F(ComboTest, MouseOverTheButtonAreaMarksItHovered)
{
    auto* cb = new TAsgComboBox(Form);
    cb->SetParent(Form);
    cb->SetBounds(200, 300, 120, 22);
    cb->SetButtonWidth(20);
    struct Case {
        int x;
        bool hover;
    };
    for (const Case& k : {Case{10, false}, Case{100, false}, Case{101, true}, Case{119, true}, Case{50, false}}) {
        UserMouseMove(cb, k.x, 10);
        EXPECT_EQ(cb->ButtonHover(), k.hover) << k.x;
    }
    cb->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(cb->MouseInControl());
    EXPECT_FALSE(cb->ButtonHover());
    // With AutoFocus the mouse entering takes the focus; without it, it does not.
    UserFocus(Grid);
    cb->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(cb->MouseInControl());
    EXPECT_EQ(Focused(), static_cast<TWinControl*>(Grid));
    cb->Perform(CM_MOUSELEAVE);
    cb->SetAutoFocus(true);
    cb->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Focused(), static_cast<TWinControl*>(cb));
}

}   // namespace
