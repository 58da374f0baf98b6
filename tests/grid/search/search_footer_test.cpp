// The search footer as a user works it: Ctrl+F to its edit, typing finds from the top,
// Return and Ctrl+Return go on and back, the buttons and their accelerators, match case,
// highlighting, closing; its layout from the settings; and its picture with a found cell.
#include <algorithm>
#include <vector>

#include "tests/common/Snapshot.h"
#include "tests/common/extgrid_fixture.h"

namespace {

class SearchFooterTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Grid->SetColCount(5);
        Grid->SetRowCount(6);
        const char* cells[5][4] = {{"apple", "cob", "plum", "x &amp; y"},
                                   {"pear", "fig", "AB", ""},
                                   {"a<i>b</i>", "lime", "xab", "abc"},
                                   {"", "date", "Ab", "grape"},
                                   {"melon", "ab", "nut", "zab"}};
        for (int r = 1; r <= 5; ++r)
            for (int c = 1; c <= 4; ++c) Grid->SetCellEx(c, r, cells[r - 1][c - 1]);
        TSearchFooter* f = Grid->SearchFooter();
        f->SetFindNextCaption("Find &next");
        f->SetFindPrevCaption("Find &previous");
        f->SetHighLightCaption("&Highlight");
        f->SetMatchCaseCaption("Match case");
        f->SetHintFindNext("Find next occurrence");
        f->SetHintClose("Close");
        f->SetVisible(true);
        Grid->OnSearchFooterAction = [this](TObject*, const String& Value, int ACol, int ARow, TSearchAction A) {
            Actions.push_back(IntToStr(int(A)) + ":" + Value + "@" + IntToStr(ACol) + "," + IntToStr(ARow));
        };
        Panel = Grid->SearchPanel();
    }
    String At() const { return IntToStr(Grid->Col()) + "," + IntToStr(Grid->Row()); }
    TSearchPanel* Panel = nullptr;
    std::vector<String> Actions;
};

TEST_F(SearchFooterTest, TypingReturnAndCtrlReturnWalkTheMatches)
{
    UserClick(Grid, 20, 30);
    UserKey(Grid, 'F', TShiftState{ssCtrl});
    ASSERT_TRUE(Panel->Edit()->Focused());
    EXPECT_FALSE(Panel->ForwardButton()->Enabled());
    EXPECT_FALSE(Panel->HiliteButton()->Enabled());
    UserKey(Panel->Edit(), VK_RETURN);   // nothing typed: nothing searched
    EXPECT_EQ(At(), "1,1");
    EXPECT_TRUE(Actions.empty());

    UserType(Panel->Edit(), "ab");
    EXPECT_TRUE(Panel->ForwardButton()->Enabled());
    EXPECT_EQ(At(), "2,5");   // column by column: the first "ab" is in column 2
    const struct {
        WORD key;
        TShiftState shift;
        const char* at;
    } steps[] = {
        {VK_RETURN, {}, "3,2"},
        {VK_RETURN, {}, "3,3"},
        {VK_RETURN, {}, "3,4"},
        {VK_RETURN, TShiftState{ssCtrl}, "3,3"},
        {VK_RETURN, TShiftState{ssCtrl}, "3,2"},
    };
    for (const auto& s : steps) {
        UserKey(Panel->Edit(), s.key, s.shift);
        EXPECT_EQ(At(), s.at);
    }
    EXPECT_EQ(Panel->Edit()->Text(), "ab");   // Return writes nothing into the edit
    UserClick(Panel->ForwardButton());
    EXPECT_EQ(At(), "3,3");
    UserClick(Panel->BackwardButton());
    EXPECT_EQ(At(), "3,2");
    ASSERT_GE(Actions.size(), 3u);
    EXPECT_EQ(Actions[0], "0:a@1,1");
    EXPECT_EQ(Actions[1], "0:ab@2,5");
    EXPECT_EQ(Actions[2], "2:ab@3,2");
    EXPECT_EQ(Actions.back(), "1:ab@3,2");

    // Nothing found: the edit turns red, and back when the text is found again.
    UserType(Panel->Edit(), "zz");
    EXPECT_EQ(Panel->Edit()->Color(), clRed);
    EXPECT_EQ(Actions.back(), "0:abzz@-1,-1");
    UserKey(Panel->Edit(), VK_BACK);
    UserKey(Panel->Edit(), VK_BACK);
    EXPECT_EQ(Panel->Edit()->Color(), clWindow);
    // Match case: only the lower-case spellings.
    UserClick(Panel->MatchCase(), 8, 9);
    ASSERT_TRUE(Panel->MatchCase()->Checked());
    UserKey(Panel->Edit(), VK_BACK);
    UserKey(Panel->Edit(), VK_BACK);
    EXPECT_FALSE(Panel->ForwardButton()->Enabled());
    UserType(Panel->Edit(), "AB");
    EXPECT_EQ(At(), "3,2");
    // The only "AB": the next find misses, the one after starts again from the top.
    UserKey(Panel->Edit(), VK_RETURN);
    EXPECT_EQ(Actions.back(), "2:AB@-1,-1");
    EXPECT_EQ(At(), "3,2");
    UserKey(Panel->Edit(), VK_RETURN);
    EXPECT_EQ(Actions.back(), "2:AB@3,2");
}

// The text box: Enter fires only OnReturn, Ctrl+Enter only OnCtrlReturn; the key-press
// event hears the return character, and no line is ever inserted.
TEST_F(SearchFooterTest, TheTextBoxReportsEnterAndCtrlEnterWithoutALineBreak)
{
    TRetEdit* e = Panel->Edit();
    std::vector<String> log;
    e->OnReturn = [&](TObject*) { log.push_back("return"); };
    e->OnCtrlReturn = [&](TObject*) { log.push_back("ctrl return"); };
    UserKey(Grid, 'F', TShiftState{ssCtrl});
    UserType(e, "ab");
    e->OnKeyPress = [&](TObject*, WideChar& k) {
        log.push_back("char " + IntToStr(int(k)));
        k = 'x';
    };
    UserKey(e, VK_RETURN);
    EXPECT_EQ(log, (std::vector<String>{"return", "char 13"}));
    log.clear();
    UserKey(e, VK_RETURN, TShiftState{ssCtrl});
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "ctrl return");
    EXPECT_EQ(std::count(log.begin(), log.end(), String("return")), 0);
    EXPECT_EQ(e->Text(), "ab");
}

TEST_F(SearchFooterTest, AcceleratorsActOnlyThroughEnabledButtons)
{
    auto press = [&](char ch) { return Form->Perform(CM_DIALOGCHAR, WPARAM(ch), 0); };
    EXPECT_EQ(press('n'), 0);   // nothing typed: the buttons are disabled
    UserType(Panel->Edit(), "ab");
    EXPECT_EQ(press('n'), 1);
    EXPECT_EQ(At(), "3,2");
    EXPECT_EQ(press('p'), 1);
    EXPECT_EQ(At(), "2,5");
    EXPECT_EQ(press('h'), 1);
    EXPECT_TRUE(Panel->HiliteButton()->Down());
    EXPECT_EQ(Grid->GetCellEx(3, 3), "x<hi>ab</hi>");
    EXPECT_EQ(press('h'), 1);
    EXPECT_EQ(Grid->GetCellEx(3, 3), "xab");
}

TEST_F(SearchFooterTest, HighlightMarksFoundTextAndRestoresEveryCell)
{
    UserType(Panel->Edit(), "ab");
    UserClick(Panel->HiliteButton());
    ASSERT_TRUE(Panel->HiliteButton()->Down());
    const struct {
        int c, r;
        const char* marked;
        const char* restored;
    } cells[] = {
        {3, 2, "<hi>AB</hi>", "AB"},
        {4, 5, "z<hi>ab</hi>", "zab"},
        {1, 3, "a&lt;i&gt;b&lt;/i&gt;", "a<i>b</i>"},   // mark-up never matched: untouched
        {1, 1, "apple", "apple"},
        {4, 1, "x &amp; y", "x &amp; y"},   // a cell never marked keeps its entity
    };
    for (const auto& k : cells) EXPECT_EQ(Grid->GetCellEx(k.c, k.r), k.marked == String("a&lt;i&gt;b&lt;/i&gt;") ? "a<i>b</i>" : k.marked);
    // Typing with the button down marks the new text instead.
    UserType(Panel->Edit(), "c");
    EXPECT_EQ(Grid->GetCellEx(4, 3), "<hi>abc</hi>");
    EXPECT_EQ(Grid->GetCellEx(4, 5), "zab");
    UserClick(Panel->HiliteButton());
    EXPECT_FALSE(Panel->HiliteButton()->Down());
    for (const auto& k : cells) EXPECT_EQ(Grid->GetCellEx(k.c, k.r), k.restored);
    EXPECT_EQ(Grid->GetCellEx(4, 3), "abc");
}

TEST_F(SearchFooterTest, CloseHidesTheFooterAndTellsTheWindow)
{
    int closed = 0;
    Grid->OnSearchFooterClose = [&](TObject*) { ++closed; };
    ASSERT_EQ(Panel->Height(), 32);
    UserClick(Panel->ExitButton());
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(Grid->SearchFooter()->Visible());
    EXPECT_EQ(Panel->Height(), 0);
    EXPECT_FALSE(Panel->Visible());
}

TEST_F(SearchFooterTest, LayoutFollowsTheSettings)
{
    TSearchFooter* f = Grid->SearchFooter();
    EXPECT_EQ(Panel->Edit()->Left(), 25);
    EXPECT_EQ(Panel->ForwardButton()->Left(), 140);
    EXPECT_EQ(Panel->BackwardButton()->Left(), 235);
    EXPECT_EQ(Panel->HiliteButton()->Left(), 330);
    EXPECT_EQ(Panel->MatchCase()->Left(), 425);
    EXPECT_EQ(Panel->ForwardButton()->Caption(), "Find &next");
    EXPECT_EQ(Panel->MatchCase()->Caption(), "Match case");
    EXPECT_TRUE(Panel->ForwardButton()->ShowHint());
    EXPECT_EQ(Panel->ForwardButton()->Hint(), "Find next occurrence");
    EXPECT_FALSE(Panel->BackwardButton()->ShowHint());   // no hint text: no hint
    f->SetShowHighLight(false);
    EXPECT_FALSE(Panel->HiliteButton()->Visible());
    EXPECT_EQ(Panel->MatchCase()->Left(), 330);
    f->SetShowFindPrev(false);
    EXPECT_FALSE(Panel->BackwardButton()->Visible());
    EXPECT_EQ(Panel->BackwardButton()->Height(), 0);
    f->SetColor(0x00FF00);
    EXPECT_EQ(Panel->Color(), TColor(0x00FF00));
}

TEST_F(SearchFooterTest, EveryChangeOfTheSettingsLaysThePanelOutAgain)
{
    TSearchFooter* f = Grid->SearchFooter();
    TControlLook* look = Grid->ControlLook();
    look->ControlStyle = csTheme;
    f->SetAutoThemeAdapt(false);
    struct Step {
        const char* What;
        std::function<void()> Do;
        bool Hilite, Prev, Next, Close, Box;
        int BoxLeft;
        bool Flat;
        bool Shown;
    } steps[] = {
        {"as set up", [] {}, true, true, true, true, true, 425, false, true},
        {"no highlight button", [&] { f->SetShowHighLight(false); }, false, true, true, true, true, 330, false, true},
        {"no match case", [&] { f->SetShowMatchCase(false); }, false, true, true, true, false, 330, false, true},
        {"no previous", [&] { f->SetShowFindPrev(false); }, false, false, true, true, false, 330, false, true},
        {"no next", [&] { f->SetShowFindNext(false); }, false, false, false, true, false, 330, false, true},
        {"no close", [&] { f->SetShowClose(false); }, false, false, false, false, false, 330, false, true},
        {"all back", [&] {
             f->SetShowHighLight(true);
             f->SetShowMatchCase(true);
             f->SetShowFindPrev(true);
             f->SetShowFindNext(true);
             f->SetShowClose(true);
         }, true, true, true, true, true, 425, false, true},
        // The look is read when the footer's settings change.
        {"flat look", [&] {
             look->ControlStyle = csFlat;
             f->SetColor(clWhite);
         }, true, true, true, true, true, 425, true, true},
        {"classic look", [&] {
             look->ControlStyle = csClassic;
             f->SetColor(clWhite);
         }, true, true, true, true, true, 425, false, true},
        {"adapting to the theme", [&] { f->SetAutoThemeAdapt(true); }, true, true, true, true, true, 425, true, true},
        {"hidden", [&] { f->SetVisible(false); }, true, true, true, true, true, 425, true, false},
        {"shown again", [&] { f->SetVisible(true); }, true, true, true, true, true, 425, true, true},
    };
    const std::pair<TExtGridButton*, bool Step::*> buttons[] = {{Panel->HiliteButton(), &Step::Hilite},
                                                                {Panel->BackwardButton(), &Step::Prev},
                                                                {Panel->ForwardButton(), &Step::Next}};
    for (const Step& s : steps) {
        s.Do();
        for (const auto& [b, shown] : buttons) {
            EXPECT_EQ(b->Visible(), s.*shown) << s.What;
            EXPECT_EQ(b->Height(), s.*shown ? 23 : 0) << s.What;
            EXPECT_EQ(b->Flat(), s.Flat) << s.What;
        }
        EXPECT_EQ(Panel->ExitButton()->Visible(), s.Close) << s.What;
        EXPECT_EQ(Panel->ExitButton()->Flat(), s.Flat) << s.What;
        EXPECT_EQ(Panel->MatchCase()->Visible(), s.Box) << s.What;
        EXPECT_EQ(Panel->MatchCase()->Height(), s.Box ? 18 : 0) << s.What;
        EXPECT_TRUE(Panel->MatchCase()->Transparent()) << s.What;
        EXPECT_EQ(Panel->MatchCase()->Left(), s.BoxLeft) << s.What;
        EXPECT_EQ(Panel->Visible(), s.Shown) << s.What;
        EXPECT_EQ(Panel->Height(), s.Shown ? 32 : 0) << s.What;
        // Shown, the panel runs along the grid's bottom edge.
        if (s.Shown) {
            EXPECT_EQ(Panel->Top(), Grid->ClientHeight() - 32) << s.What;
            EXPECT_EQ(Panel->Width(), Grid->ClientWidth()) << s.What;
        }
    }

    // Captions, hints, colours and font reach the controls when they change.
    f->SetFindPrevCaption("Back");
    f->SetHighLightCaption("Mark");
    f->SetHintFindPrev("Previous occurrence");
    f->SetHintFindNext("");
    f->SetColorTo(0x00C0FF);
    TFont font;
    font.SetName("Tahoma");
    font.SetSize(11);
    f->SetFont(&font);
    EXPECT_EQ(Panel->BackwardButton()->Caption(), "Back");
    EXPECT_EQ(Panel->HiliteButton()->Caption(), "Mark");
    EXPECT_TRUE(Panel->BackwardButton()->ShowHint());
    EXPECT_EQ(Panel->BackwardButton()->Hint(), "Previous occurrence");
    EXPECT_FALSE(Panel->ForwardButton()->ShowHint());   // hint emptied: none shown
    EXPECT_EQ(Panel->ColorTo(), TColor(0x00C0FF));
    for (TControl* c : std::initializer_list<TControl*>{Panel->ForwardButton(), Panel->BackwardButton(),
                                                        Panel->HiliteButton(), Panel->MatchCase()}) {
        EXPECT_EQ(c->Font()->Name(), "Tahoma");
        EXPECT_EQ(c->Font()->Size(), 11);
    }
}

TEST_F(SearchFooterTest, HighlightsGoWhenTheFooterCloses)
{
    TSearchFooter* f = Grid->SearchFooter();
    struct Case {
        const char* What;
        bool PressButton, Always;
        std::function<void()> Change;
    } cases[] = {
        {"button down, footer hidden", true, false, [&] { f->SetVisible(false); }},
        {"always highlighting, footer hidden", false, true, [&] { f->SetVisible(false); }},
        // With AlwaysHighLight any change of the settings takes the marks away.
        {"always highlighting, colour changed", false, true, [&] { f->SetColor(clYellow); }},
    };
    for (const Case& c : cases) {
        f->SetVisible(true);
        f->AlwaysHighLight = c.Always;
        Panel->Edit()->SetText("");
        UserType(Panel->Edit(), "ab");
        if (c.PressButton) UserClick(Panel->HiliteButton());
        ASSERT_EQ(Grid->GetCellEx(4, 5), "z<hi>ab</hi>") << c.What;
        c.Change();
        EXPECT_EQ(Grid->GetCellEx(4, 5), "zab") << c.What;
        EXPECT_EQ(Grid->GetCellEx(3, 2), "AB") << c.What;
        Panel->HiliteButton()->SetDown(false);
    }
    // The button down but the footer staying shown: the marks stay.
    f->AlwaysHighLight = false;
    Panel->Edit()->SetText("");
    UserType(Panel->Edit(), "ab");
    UserClick(Panel->HiliteButton());
    f->SetColor(clAqua);
    EXPECT_EQ(Grid->GetCellEx(4, 5), "z<hi>ab</hi>");
}

TEST_F(SearchFooterTest, CreatedEventFiresOnceForAPlacedGrid)
{
    auto* g = new TExtStringGrid(Form);
    int created = 0;
    g->OnCreatedSearchFooter = [&](TObject* Sender) { created += Sender == g; };
    g->SearchFooter()->SetColor(clYellow);
    EXPECT_EQ(created, 0);   // not in a window yet
    g->SetParent(Form);
    g->SearchFooter()->SetVisible(true);
    g->SearchFooter()->SetColor(clAqua);
    EXPECT_EQ(created, 1);
}

TEST_F(SearchFooterTest, PictureShowsTheFooterUnderTheFoundCell)
{
    Grid->SetColWidths(1, 90);
    Grid->SearchFooter()->SetColor(0xF0E0D0);
    Grid->SearchFooter()->SetColorTo(0xF0E0D0);
    UserKey(Grid, 'F', TShiftState{ssCtrl});
    UserType(Panel->Edit(), "lime");
    ASSERT_EQ(At(), "2,3");
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "search_footer.png", png));
    // The panel along the bottom of the grid in its colour, the found cell filled in
    // the selection colour.
    const TRect panel(0, 300 - 32 + 2, 500, 300);
    EXPECT_GT(Count_Pixels(png, panel, TColor(0xF0E0D0)), 500 * 10);
    const TRect cell = Grid->CellRect(2, 3);
    const int inside = (cell.Width() - 4) * (cell.Height() - 4);
    const TRect core(cell.Left + 2, cell.Top + 2, cell.Right - 2, cell.Bottom - 2);
    EXPECT_LT(Count_Pixels(png, core, clWhite), inside / 2);
    const TRect other = Grid->CellRect(2, 4);
    EXPECT_GT(Count_Pixels(png, TRect(other.Left + 2, other.Top + 2, other.Right - 2, other.Bottom - 2), clWhite),
              inside / 2);
}

}  // namespace
