// The cell checker component plugged into a grid: the neutral base, an engine derived
// from it over ranges of cells, and edits typed by the user passing through it.
#include <gtest/gtest.h>

#include <vector>

#include "grid/core/ExtGrid.h"
#include "gridedit/ExtStringGridCheck.h"
#include "platform/gui/Forms.h"
#include "tests/common/UserInput.h"

namespace {

// Corrects "teh" to "the" and marks every "recieve".
class TSpellEngine : public TExtStringGridCheck {
public:
    using TExtStringGridCheck::TExtStringGridCheck;
    TExtStringGrid* Grid = nullptr;
    std::vector<String> Calls;
    String Correct(int ACol, int ARow, const String& S) override
    {
        Calls.push_back("correct " + S);
        String r = S;
        for (size_t p; (p = r.find("teh")) != String::npos;) r.replace(p, 3, "the");
        return r;
    }
    String MarkError(int ACol, int ARow, const String& S) override
    {
        Calls.push_back("mark " + S);
        return Grid->MarkText(false, S, "recieve");
    }
    void StartCheck() override { Calls.push_back("start"); }
    void StopCheck() override { Calls.push_back("stop"); }
};

class CellCheckerTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TExtStringGrid* Grid = nullptr;

    void SetUp() override
    {
        Application->Initialize();
        Form = new TForm(nullptr);
        Form->SetClientWidth(420);
        Form->SetClientHeight(220);
        Grid = new TExtStringGrid(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 400, 200);
        Grid->SetColCount(3);
        Grid->SetRowCount(3);
        Grid->SetOptions(Grid->Options() << goEditing);
        Form->Show();
        UserFocus(Grid);
    }
    void TearDown() override { delete Form; }
    TWinControl* Focused() { return FindFocusedControl(); }
    // Types the text into an emptied editor of (c, r) and ends the edit with Enter.
    void TypeInto(int c, int r, const String& text)
    {
        Grid->FocusCell(c, r, true);
        Grid->SetCellEx(c, r, "");
        UserKey(Focused(), VK_F2);
        for (char ch : text) UserType(Focused(), String(1, ch));
        UserKey(Focused(), VK_RETURN);
    }
};

TEST_F(CellCheckerTest, TheBaseComponentChangesNothing)
{
    auto* checker = new TExtStringGridCheck(Form);
    EXPECT_FALSE(checker->GotoCell() || checker->AutoCorrect() || checker->AutoMarkError() || checker->UseCorrect() ||
                 checker->UseMarkError());
    checker->SetUseCorrect(true);
    checker->SetUseMarkError(true);
    checker->SetGotoCell(true);
    Grid->SetCellChecker(checker);
    Grid->SetCellEx(1, 1, "teh <b>bold</b>");
    Grid->SetCellEx(2, 2, "x");
    Grid->FocusCell(2, 1, true);
    EXPECT_TRUE(Grid->CheckGrid(true));
    EXPECT_EQ(Grid->GetCellEx(1, 1), "teh <b>bold</b>");
    EXPECT_EQ(Grid->GetCellEx(2, 2), "x");
    EXPECT_EQ(Grid->Col(), 2);
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(CellCheckerTest, ARangeCheckPassesEachCellsUnmarkedTextThroughTheEngine)
{
    auto* engine = new TSpellEngine(Form);
    engine->Grid = Grid;
    Grid->SetCellChecker(engine);
    const struct {
        bool useCorrect, useMark;
        const char* stored;
        bool passed;
    } cases[] = {
        {false, false, "teh recieve", true},
        {true, false, "the recieve", false},
        {false, true, "teh <e>recieve</e>", false},
        // Both: each gets the unmarked text, and the mark wins over the correction.
        {true, true, "teh <e>recieve</e>", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(String(c.useCorrect ? "correct" : "") + (c.useMark ? " mark" : ""));
        engine->SetUseCorrect(c.useCorrect);
        engine->SetUseMarkError(c.useMark);
        engine->Calls.clear();
        Grid->SetCellEx(1, 1, "teh <e>recieve</e>");
        EXPECT_EQ(Grid->CheckCells(1, 1, 1, 1), c.passed);
        EXPECT_EQ(Grid->GetCellEx(1, 1), c.stored);
        EXPECT_EQ(engine->Calls.front(), "start");
        EXPECT_EQ(engine->Calls.back(), "stop");
        for (const String& call : engine->Calls) EXPECT_EQ(call.find("<e>"), String::npos) << call;
    }
}

TEST_F(CellCheckerTest, TypedTextIsCorrectedBeforeAndMarkedAfterTheApplicationsCheck)
{
    auto* engine = new TSpellEngine(Form);
    engine->Grid = Grid;
    Grid->SetCellChecker(engine);
    String validated;
    Grid->OnCellValidate = [&](TObject*, int, int, String& Value, bool&) { validated = Value; };
    const struct {
        bool autoCorrect, autoMark;
        const char* typed;
        const char* validated;
        const char* stored;
    } cases[] = {
        {false, false, "teh recieve", "teh recieve", "teh recieve"},
        {true, false, "teh recieve", "the recieve", "the recieve"},
        {false, true, "teh recieve", "teh recieve", "teh <e>recieve</e>"},
        {true, true, "teh recieve", "the recieve", "the <e>recieve</e>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        engine->SetAutoCorrect(c.autoCorrect);
        engine->SetAutoMarkError(c.autoMark);
        TypeInto(1, 1, c.typed);
        EXPECT_EQ(validated, c.validated);
        EXPECT_EQ(Grid->GetCellEx(1, 1), c.stored);
    }
    // A removed checker is forgotten: edits and checks go on without it.
    delete engine;
    EXPECT_EQ(Grid->CellChecker(), nullptr);
    TypeInto(2, 2, "teh");
    EXPECT_EQ(Grid->GetCellEx(2, 2), "teh");
    EXPECT_TRUE(Grid->CheckGrid(true));
}

}  // namespace
