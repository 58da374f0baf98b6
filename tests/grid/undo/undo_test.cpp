// Undo and redo of a grid's cell changes: a user session of edits, a list pick, a check
// box, pastes and a cut stepped back to the start and forward again; the history's
// limit and its end after a new change; sequences, events and links taken directly.
#include <functional>
#include <vector>

#include "grid/cells/CellGraphic.h"
#include "grid/undo/GridUndoRedo.h"
#include "grid/util/GridSupport.h"
#include "platform/gui/Clipbrd.h"
#include "tests/common/UserInput.h"
#include "tests/common/colgrid_fixture.h"
#include "tests/common/extgrid_fixture.h"

namespace {

class UndoSessionTest : public ColGridTest {
protected:
    TExtGridUndoRedo* Undo = nullptr;

    void SetUp() override
    {
        ColGridTest::SetUp();
        KnxTable(Grid, 8);
        for (int c = 0; c < Grid->ColCount(); ++c) Grid->SetColWidths(c, 40);
        Grid->Columns()->Items(2)->ComboItems()->Clear();
        for (const char* s : {"1/2/1", "1/2/2", "1/2/3"}) Grid->Columns()->Items(2)->ComboItems()->Add(s);
        Grid->Columns()->Items(0)->SetReadOnly(true);
        Grid->Navigation()->AllowClipboardShortCuts = true;
        Undo = new TExtGridUndoRedo(Form);
        Grid->SetUndoRedo(Undo);
        UserFocus(Grid);
    }
    void Click(int c, int r) { ClickCell(Grid, c, r); }
    void Key(WORD k, TShiftState s = TShiftState()) { UserKey(FindFocusedControl(), k, s); }
    void Type(const String& t)
    {
        for (char ch : t) UserType(FindFocusedControl(), String(1, ch));
    }
    // Replaces the text of a cell through the editor, as the user does.
    void Edit(int c, int r, const String& text)
    {
        // A click on the current cell opens the editor by itself.
        const bool current = Grid->Col() == c && Grid->Row() == r;
        Click(c, r);
        if (!current) Key(VK_F2);
        ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
        Key('A', TShiftState{ssCtrl});
        Type(text);
        Key(VK_RETURN);
        Application->ProcessMessages();
    }
    String Cell(int c, int r) { return Grid->GetCellEx(c, r); }
    // Every cell's stored text and object slot (the record's identity, its graphic's
    // identity, kind and state, the application's value), one line per cell.
    String Dump()
    {
        String s;
        for (int r = 0; r < Grid->RowCount(); ++r)
            for (int c = 0; c < Grid->TotalColCount(); ++c) {
                s += Cat(IntToStr(c), ",", IntToStr(r), "=", Grid->GetGridCell(c, r));
                if (TCellProperties* p = Grid->CellPropsOf(c, r)) {
                    s += Cat(" rec", IntToStr(int(reinterpret_cast<std::uintptr_t>(p) & 0xffffff)), " obj",
                             IntToStr(int(p->CellObject)));
                    if (auto* g = dynamic_cast<TCellGraphic*>(p->FGraphicObject))
                        s += Cat(" g", IntToStr(int(reinterpret_cast<std::uintptr_t>(g) & 0xffffff)), " t",
                                 IntToStr(int(g->CellType)), g->CellBoolean ? " on" : " off");
                }
                s += '\n';
            }
        return s;
    }
};

struct SessionStep {
    const char* name;
    int entries;   // entries the step adds to the history
    std::function<void()> act;
};

TEST_F(UndoSessionTest, EveryUserChangeIsUndoneToTheStartAndRedoneToTheEnd)
{
    const SessionStep steps[] = {
        {"typed edit", 1, [this] { Edit(5, 2, "alpha"); }},
        {"list pick", 1,
         [this] {
             Click(2, 2);
             Key(VK_F2);
             Key(VK_DOWN);
             Key(VK_RETURN);
         }},
        {"check box", 1, [this] { Click(1, 3); }},
        {"block paste", 6,
         [this] {
             Click(7, 4);
             Clipboard()->SetAsText("p\tq\r\nr\ts");
             Key('V', TShiftState{ssCtrl});
         }},
        {"one-cell paste", 1,
         [this] {
             Click(9, 6);
             Clipboard()->SetAsText("one");
             Key('V', TShiftState{ssCtrl});
         }},
        {"cut", 6,
         [this] {
             Click(10, 2);
             Grid->SetSelection(TGridRect(10, 2, 11, 3));
             Key('X', TShiftState{ssCtrl});
         }},
        {"edit of an edited cell", 1, [this] { Edit(5, 2, "beta"); }},
    };
    std::vector<String> states{Dump()};
    int entries = 0;
    for (const SessionStep& s : steps) {
        SCOPED_TRACE(s.name);
        s.act();
        entries += s.entries;
        EXPECT_EQ(Undo->Items()->Count(), entries);
        EXPECT_EQ(Undo->Level(), entries);
        EXPECT_NE(Dump(), states.back());
        states.push_back(Dump());
    }
    // The session did what it says.
    EXPECT_EQ(Cell(5, 2), "beta");
    EXPECT_EQ(Cell(2, 2), "1/2/3");
    EXPECT_EQ(Cell(1, 3), "Y");
    EXPECT_EQ(Cat(Cell(7, 4), Cell(8, 4), Cell(7, 5), Cell(8, 5), Cell(9, 6)), "pqrsone");
    EXPECT_EQ(Cat(Cell(10, 2), Cell(11, 2), Cell(10, 3), Cell(11, 3)), "");

    for (size_t i = std::size(steps); i > 0; --i) {
        SCOPED_TRACE(Cat("undo of ", steps[i - 1].name));
        ASSERT_TRUE(Undo->CanUndo());
        Undo->Undo();
        EXPECT_EQ(Dump(), states[i - 1]);
    }
    EXPECT_FALSE(Undo->CanUndo());
    EXPECT_EQ(Undo->Level(), 0);
    Undo->Undo();
    EXPECT_EQ(Dump(), states[0]);
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(Cat("redo of ", steps[i].name));
        ASSERT_TRUE(Undo->CanRedo());
        Undo->Redo();
        EXPECT_EQ(Dump(), states[i + 1]);
    }
    EXPECT_FALSE(Undo->CanRedo());
    EXPECT_EQ(Undo->Level(), entries);
    // The current cell is the last cell the history wrote.
    EXPECT_EQ(Grid->Col(), 5);
    EXPECT_EQ(Grid->Row(), 2);
}

TEST_F(UndoSessionTest, AnEditThatEndsWithTheSameTextIsNoStep)
{
    Grid->AlwaysValidate = true;
    Edit(5, 2, Cell(5, 2));
    Edit(5, 3, "x");
    EXPECT_EQ(Undo->Items()->Count(), 1);
    // A handler that puts the old text back leaves nothing to undo either.
    Grid->OnCellValidate = [&](TObject*, int c, int r, String& v, bool&) { v = "V81"; };
    Edit(5, 4, "y");
    EXPECT_EQ(Cell(5, 4), "V81");
    EXPECT_EQ(Undo->Items()->Count(), 1);
}

TEST_F(UndoSessionTest, MaxLevelDropsTheOldestEdits)
{
    Undo->SetMaxLevel(3);
    const String before = Cell(5, 1);
    for (int r = 1; r <= 4; ++r) Edit(5, r, Cat("e", IntToStr(r)));
    ASSERT_EQ(Undo->Items()->Count(), 3);
    EXPECT_EQ(Undo->Level(), 3);
    EXPECT_EQ(Undo->Items()->Items(0)->Row, 2);
    for (int n = 0; n < 4; ++n) Undo->Undo();
    // The first edit has left the history; the three after it are undone.
    EXPECT_EQ(Cat(Cell(5, 1), "|", Cell(5, 2), "|", Cell(5, 3), "|", Cell(5, 4)), "e1|V43|V62|V81");
    EXPECT_NE(before, Cell(5, 1));
    // A lower limit takes effect at the next change: the history shrinks to fit it.
    Undo->Redo();
    Undo->SetMaxLevel(1);
    Edit(6, 1, "z");
    EXPECT_EQ(Undo->Items()->Count(), 1);
    EXPECT_EQ(Undo->Items()->Items(0)->Value, "z");
}

TEST_F(UndoSessionTest, ANewChangeAfterUndoEndsTheRedoHistory)
{
    Edit(5, 1, "a");
    Edit(5, 2, "b");
    Undo->Undo();
    ASSERT_EQ(Cell(5, 2), "V43");
    Click(1, 3);   // the check box: N -> Y
    EXPECT_FALSE(Undo->CanRedo());
    EXPECT_EQ(Undo->Items()->Count(), 2);
    EXPECT_EQ(Undo->Level(), 2);
    Undo->Undo();
    Undo->Undo();
    EXPECT_EQ(Cat(Cell(5, 1), "|", Cell(5, 2), "|", Cell(1, 3)), "V24|V43|N");
    // Going forward again replays what was done, not the edit that was undone before.
    Undo->Redo();
    Undo->Redo();
    EXPECT_EQ(Cat(Cell(5, 1), "|", Cell(5, 2), "|", Cell(1, 3)), "a|V43|Y");
}

// ---------------------------------------------------------------- rows that move, come and go

class UndoRowsSessionTest : public UndoSessionTest {
protected:
    void SetUp() override
    {
        UndoSessionTest::SetUp();
        Grid->SortSettings()->SetShow(true);
        Grid->Navigation()->AllowInsertRow = true;
        Grid->Navigation()->AllowDeleteRow = true;
        // An application value in a cell travels with its row.
        Grid->SetObjectEx(6, 4, 4711);
    }
    void ClickHeader(int c)
    {
        const TPoint p = CellMid(Grid, c, 0);
        UserClick(Grid, p.X, p.Y);
    }
};

TEST_F(UndoRowsSessionTest, EditsSortsAndRowsAreUndoneToTheStartAndRedoneToTheEnd)
{
    const SessionStep steps[] = {
        {"typed edit", 1, [this] { Edit(5, 2, "alpha"); }},
        {"check box", 1, [this] { Click(1, 3); }},
        {"header click", 1, [this] { ClickHeader(5); }},
        {"edit of a row the sort moved here", 1, [this] { Edit(5, 2, "beta"); }},
        {"row inserted by key", 1,
         [this] {
             Click(6, 3);
             Key(VK_INSERT);
         }},
        {"typed into the new row", 1, [this] { Edit(6, 3, "fresh"); }},
        {"header click, descending", 1, [this] { ClickHeader(5); }},
        {"row deleted by key", 1,
         [this] {
             Click(6, 4);
             Key(VK_DELETE);
         }},
        {"edit after the deletion", 1, [this] { Edit(8, 4, "last"); }},
    };
    std::vector<String> states{Dump()};
    int entries = 0;
    for (const SessionStep& s : steps) {
        SCOPED_TRACE(s.name);
        s.act();
        entries += s.entries;
        EXPECT_EQ(Undo->Items()->Count(), entries);
        EXPECT_EQ(Undo->Level(), entries);
        EXPECT_NE(Dump(), states.back());
        states.push_back(Dump());
    }
    for (size_t i = std::size(steps); i > 0; --i) {
        SCOPED_TRACE(Cat("undo of ", steps[i - 1].name));
        ASSERT_TRUE(Undo->CanUndo());
        Undo->Undo();
        EXPECT_EQ(Dump(), states[i - 1]);
    }
    EXPECT_FALSE(Undo->CanUndo());
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(Cat("redo of ", steps[i].name));
        ASSERT_TRUE(Undo->CanRedo());
        Undo->Redo();
        EXPECT_EQ(Dump(), states[i + 1]);
    }
    EXPECT_FALSE(Undo->CanRedo());
}

// ---------------------------------------------------------------- the history taken directly

class UndoHistoryTest : public ExtGridTest {
protected:
    TExtGridUndoRedo* Undo = nullptr;
    std::vector<String> Log;

    void SetUp() override
    {
        ExtGridTest::SetUp();
        Fill(4, 6);
        Grid->SetFixedCols(1);
        Grid->SetFixedRows(1);
        Undo = new TExtGridUndoRedo(Form);
        Grid->SetUndoRedo(Undo);
    }
    // Changes a cell the way the grid reports it.
    void Change(int c, int r, const String& v)
    {
        Undo->RegisterChange(c, r, Grid->GetCellEx(c, r), v);
        Grid->SetCellEx(c, r, v);
    }
    String Levels() { return Cat(IntToStr(Undo->Level()), "/", IntToStr(Undo->Items()->Count())); }
};

TEST_F(UndoHistoryTest, OneChangeUndoneAndRedoneWithItsEvents)
{
    Grid->SetCellEx(2, 3, "1");
    Change(2, 3, "2");
    Undo->OnUndo = [&](TExtGridUndoRedo* s, TBaseGrid* g, int c, int r, const String& o, const String& n) {
        Log.push_back(Cat("undo ", IntToStr(c), ",", IntToStr(r), " ", o, ">", n, s == Undo && g == Grid ? "" : " ?"));
    };
    Undo->OnRedo = [&](TExtGridUndoRedo*, TBaseGrid*, int c, int r, const String& o, const String& n) {
        Log.push_back(Cat("redo ", IntToStr(c), ",", IntToStr(r), " ", o, ">", n));
    };
    Undo->Undo();
    EXPECT_EQ(Grid->GetCellEx(2, 3), "1");
    EXPECT_EQ(Levels(), "0/1");
    EXPECT_TRUE(Undo->CanRedo());
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 3);
    // The events see the text in the cell, whatever happened to it meanwhile.
    Grid->SetCellEx(2, 3, "x");
    Undo->Redo();
    EXPECT_EQ(Grid->GetCellEx(2, 3), "2");
    EXPECT_EQ(Levels(), "1/1");
    EXPECT_EQ(Log, (std::vector<String>{"undo 2,3 2>1", "redo 2,3 x>2"}));
}

TEST_F(UndoHistoryTest, ACutOfThreeCellsIsOneStep)
{
    Grid->SetSelection(TGridRect(1, 2, 3, 2));
    Grid->CutSelectionToClipboard();
    EXPECT_EQ(RowText(2), "0,2|||");
    ASSERT_EQ(Levels(), "5/5");
    EXPECT_TRUE(Undo->Items()->Items(0)->SequenceStart);
    EXPECT_TRUE(Undo->Items()->Items(4)->SequenceStop);
    for (int i : {0, 4}) EXPECT_EQ(Undo->Items()->Items(i)->Col, -1);
    Undo->Undo();
    EXPECT_EQ(RowText(2), "0,2|1,2|2,2|3,2");
    EXPECT_EQ(Levels(), "0/5");
    Undo->Redo();
    EXPECT_EQ(RowText(2), "0,2|||");
    EXPECT_EQ(Levels(), "5/5");
}

TEST_F(UndoHistoryTest, ASequenceWhoseStartWasDroppedIsUndoneToTheFirstEntry)
{
    Undo->SetMaxLevel(3);
    Undo->StartSequence();
    Change(1, 1, "a");
    Change(2, 1, "b");
    Change(3, 1, "c");
    Undo->StopSequence();
    // The third change dropped the start marker; markers themselves drop nothing.
    ASSERT_EQ(Levels(), "4/4");
    EXPECT_EQ(Undo->Items()->Items(0)->Value, "a");
    Undo->Undo();
    EXPECT_EQ(RowText(1), "0,1|1,1|2,1|3,1");
    EXPECT_EQ(Levels(), "0/4");
    // Forward again entry by entry; the end marker is a step that writes nothing.
    for (int n = 0; n < 4; ++n) Undo->Redo();
    EXPECT_EQ(RowText(1), "0,1|a|b|c");
    EXPECT_EQ(Levels(), "4/4");
}

TEST_F(UndoHistoryTest, ResetForgetsEverythingAndLinksFollowTheComponents)
{
    for (int r = 1; r <= 4; ++r) Change(1, r, "x");
    ASSERT_EQ(Levels(), "4/4");
    Undo->Reset();
    EXPECT_EQ(Levels(), "0/0");
    EXPECT_FALSE(Undo->CanUndo());
    EXPECT_FALSE(Undo->CanRedo());
    Undo->Undo();
    Undo->Redo();
    EXPECT_EQ(Grid->GetCellEx(1, 4), "x");
    Change(1, 4, "y");
    EXPECT_EQ(Levels(), "1/1");

    // A change recorded against rows that are gone is passed over, not written.
    Change(2, 5, "z");
    Grid->SetRowCount(4);
    Undo->Undo();
    EXPECT_EQ(Levels(), "1/2");
    Undo->Undo();
    EXPECT_EQ(Grid->GetCellEx(1, 4 - 1), "x");

    // Either side forgets the other when it goes.
    EXPECT_EQ(Undo->Grid(), Grid);
    delete Undo;
    EXPECT_EQ(Grid->UndoRedo(), nullptr);
    Undo = new TExtGridUndoRedo(nullptr);
    Grid->SetUndoRedo(Undo);
    delete Grid;
    Grid = nullptr;
    EXPECT_EQ(Undo->Grid(), nullptr);
    Undo->RegisterChange(1, 1, "a", "b");
    Undo->Undo();
    EXPECT_EQ(Undo->Level(), 1);
    delete Undo;
}

TEST_F(UndoHistoryTest, CheckBoxTogglesRecordTheTextsTheCellReallyHad)
{
    // A data box on an empty cell reads unchecked; undo gives the empty text back.
    Grid->SetCellEx(2, 2, "");
    Grid->AddCheckBox(2, 2, false, true);
    Grid->SetCellEx(2, 2, "");
    // A Boolean box keeps its state in its object: toggling it leaves the text alone.
    Grid->AddCheckBox(3, 2, false, false);
    ASSERT_TRUE(Grid->ToggleCheckBox(2, 2));
    ASSERT_TRUE(Grid->ToggleCheckBox(3, 2));
    EXPECT_EQ(Grid->GetCellEx(2, 2), "Y");
    EXPECT_EQ(Grid->GetCellEx(3, 2), "3,2");
    ASSERT_EQ(Levels(), "1/1");
    Undo->Undo();
    EXPECT_EQ(Grid->GetCellEx(2, 2), "");
    EXPECT_EQ(Grid->GetCellEx(3, 2), "3,2");
}

// ---------------------------------------------------------------- row changes taken directly

class UndoRowsTest : public UndoHistoryTest {
protected:
    void SetUp() override
    {
        UndoHistoryTest::SetUp();
        Fill(4, 8);
        // Rows that differ in column 2 in an order a sort changes; records and heights
        // that must travel with their rows.
        const char* keys[] = {"", "d", "b", "g", "a", "f", "c", "e"};
        for (int r = 1; r < 8; ++r) Grid->SetCellEx(2, r, keys[r]);
        Grid->AddCheckBox(3, 2, true, false);
        Grid->SetObjectEx(1, 5, 77);
        Grid->SetRowHeights(6, 31);
    }
    String Dump()
    {
        String s;
        for (int r = 0; r < Grid->RowCount(); ++r) {
            s += Cat("h", IntToStr(Grid->RowHeights(r)));
            for (int c = 0; c < Grid->TotalColCount(); ++c) {
                s += Cat(" ", Grid->GetGridCell(c, r));
                if (TCellProperties* p = Grid->CellPropsOf(c, r)) {
                    s += Cat("@", IntToStr(int(reinterpret_cast<std::uintptr_t>(p) & 0xffffff)), "#",
                             IntToStr(int(p->CellObject)));
                    if (auto* g = dynamic_cast<TCellGraphic*>(p->FGraphicObject))
                        s += Cat("g", IntToStr(int(reinterpret_cast<std::uintptr_t>(g) & 0xffffff)),
                                 g->CellBoolean ? "on" : "off");
                }
            }
            s += '\n';
        }
        return s;
    }
};

TEST_F(UndoRowsTest, EachRowChangeIsAStepBetweenTheCellChanges)
{
    struct Case {
        const char* name;
        std::function<void(TExtStringGrid*)> act;
    } cases[] = {
        {"sort", [](TExtStringGrid* g) { g->Sort(2, sdAscending); }},
        {"sort of one column", [](TExtStringGrid* g) {
             g->SortSettings()->SingleColumn = true;
             g->Sort(2, sdDescending);
         }},
        {"indexed sort", [](TExtStringGrid* g) {
             g->SortIndexes()->AddIndex(2, false);
             g->QSortIndexed();
         }},
        {"sort and unsort", [](TExtStringGrid* g) {
             g->Sort(2, sdAscending);
             g->QUnSort();
         }},
        {"rows swapped", [](TExtStringGrid* g) { g->SwapRows(2, 6); }},
        {"row moved", [](TExtStringGrid* g) { g->MoveRow(2, 5); }},
        {"rows inserted", [](TExtStringGrid* g) { g->InsertRows(3, 2); }},
        {"rows removed", [](TExtStringGrid* g) { g->RemoveRows(2, 4); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        std::vector<String> states{Dump()};
        Change(1, 2, "before");
        states.push_back(Dump());
        const int before = Undo->Items()->Count();
        c.act(Grid);
        EXPECT_GT(Undo->Items()->Count(), before);
        states.push_back(Dump());
        // Row 2 holds another row now: the edit must reach that one, and come back there.
        Change(1, 2, "after");
        Change(2, 3, "x");
        states.push_back(Dump());
        const int steps = Undo->Level();
        for (int i = 0; i < steps; ++i) Undo->Undo();
        EXPECT_EQ(Dump(), states[0]);
        for (int i = 0; i < steps; ++i) Undo->Redo();
        EXPECT_EQ(Dump(), states.back());
        // Half way back: right after the row change, before the edits that followed it.
        Undo->Undo();
        Undo->Undo();
        EXPECT_EQ(Dump(), states[2]);
        TearDown();
    }
    SetUp();
}

TEST_F(UndoRowsTest, ChangesTheHistoryCannotReplayEndIt)
{
    struct Case {
        const char* name;
        std::function<void(TExtStringGrid*)> act;
    } cases[] = {
        {"rows hidden", [](TExtStringGrid* g) { g->HideRows(2, 3); }},
        {"a column inserted", [](TExtStringGrid* g) { g->InsertCols(1, 1); }},
        {"a column removed", [](TExtStringGrid* g) { g->RemoveCols(1, 1); }},
        {"grouped", [](TExtStringGrid* g) { g->Group(2); }},
        {"a node closed", [](TExtStringGrid* g) {
             g->AddNode(2, 3);
             g->ContractNode(2);
         }},
        {"filtered", [](TExtStringGrid* g) {
             TFilterData* f = g->Filter()->Add();
             f->Column = 2;
             f->Condition = "a";
             g->SetFilterActive(true);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Change(1, 4, "edited");
        c.act(Grid);
        EXPECT_FALSE(Undo->CanUndo());
        EXPECT_EQ(Undo->Items()->Count(), 0);
        // Nothing is written into rows or columns that are not the recorded ones any more.
        const String now = Dump();
        Undo->Undo();
        EXPECT_EQ(Dump(), now);
        TearDown();
    }
    SetUp();
}

TEST_F(UndoRowsTest, RemovedRowsKeepTheirRecordsUntilTheHistoryLetsThemGo)
{
    const String start = Dump();
    Grid->RemoveRows(2, 1);   // the check box's row
    Grid->RemoveRows(4, 1);   // the tall row
    Undo->Undo();
    Undo->Undo();
    EXPECT_EQ(Dump(), start);
    // A new change drops the undone steps; the records are back in the grid, not freed.
    Undo->Redo();
    Change(1, 1, "new");
    EXPECT_EQ(Undo->Items()->Count(), 2);
    // A limit that drops the removal frees the records it held; so does the grid going
    // with a removal still in its history.
    Undo->SetMaxLevel(1);
    Change(1, 1, "newer");
    Grid->RemoveRows(3, 2);
    EXPECT_EQ(Undo->Items()->Count(), 1);
    delete Grid;
    Grid = nullptr;
    EXPECT_EQ(Undo->Items()->Count(), 0);
}

}   // namespace
