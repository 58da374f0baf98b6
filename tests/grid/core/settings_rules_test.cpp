// Rules of the grid's settings and notifications as a window relies on them: the look
// that follows the office colour scheme, appearance values kept in their ranges, the
// update brackets, the timer's work, and the hooks that report deletions and saves.
#include <functional>
#include <map>
#include <vector>

#include "grid/util/GridTheme.h"
#include "tests/common/extgrid_fixture.h"

namespace {

// Office settings held in memory: key -> "Theme" value.
struct TMemoryOfficeSettings : TOfficeSettings {
    std::map<String, int> Values;
    bool KeyExists(const String& k) const override { return Values.count(k) > 0; }
    bool ReadInteger(const String& k, const String& name, int& v) const override
    {
        auto it = Values.find(k);
        if (it == Values.end() || name != "Theme") return false;
        v = it->second;
        return true;
    }
};

}  // namespace

TEST_F(ExtGridTest, ThemeAdaptFollowsTheOfficeSchemeOnlyWhenItChanged)
{
    const String k14 = "Software\\Microsoft\\Office\\14.0\\Common";
    TMemoryOfficeSettings store;
    SetOfficeSettings(&store);
    struct Restore {
        ~Restore() { SetOfficeSettings(nullptr); }
    } restore;
    struct Step {
        const char* What;
        int Theme;                // the 2010 key's value
        TWYXStyle ChangedBefore;  // the window's own style set before adapting (tsCustom: none)
        TWYXStyle Expected;
    } steps[] = {
        {"black", 3, tsCustom, tsOffice2010Black},
        {"blue", 1, tsCustom, tsOffice2010Blue},
        // The same scheme again: the style the window chose meanwhile stays.
        {"blue unchanged", 1, tsWindows7, tsWindows7},
        {"silver", 2, tsCustom, tsOffice2010Silver},
    };
    // What a style sets, read back to compare with a grid given that style directly.
    auto colours = [](TExtStringGrid* g) {
        return std::vector<TColor>{g->SelectionColor, g->SelectionColorTo, g->WYXGradientFrom, g->WYXGradientTo,
                                   g->WYXGradientMirrorFrom, g->WYXGradientMirrorTo, g->FixedColor(),
                                   g->GridLineColor()};
    };
    for (const Step& s : steps) {
        store.Values[k14] = s.Theme;
        if (s.ChangedBefore != tsCustom) Grid->SetComponentStyle(s.ChangedBefore);
        Grid->ThemeAdapt();
        TExtStringGrid direct(Form);
        direct.SetParent(Form);
        direct.SetComponentStyle(s.Expected);
        EXPECT_EQ(colours(Grid), colours(&direct)) << s.What;
    }
}

// ---------------------------------------------------------------- saved texts

#include "tests/common/colgrid_fixture.h"

TEST_F(ColGridTest, CheckBoxCellsAreSavedWithTheTextsOfTheirColumn)
{
    LoadAsForm(Grid, 6, 8);   // column 1 holds data check boxes ("Y" / "N")
    Grid->Columns()->Items(3)->SetCheckTrue("on");
    Grid->Columns()->Items(3)->SetCheckFalse("off");
    struct Case {
        const char* What;
        int Col, Row;
        std::function<void()> Set;
        const char* Saved;
    } cases[] = {
        {"data check box ticked", 1, 2, [&] { Grid->SetCellEx(1, 2, "Y"); }, "Y"},
        {"data check box clear", 1, 3, [&] { Grid->SetCellEx(1, 3, "N"); }, "N"},
        {"data check box with nothing stored", 1, 4, [&] { Grid->SetCellEx(1, 4, ""); }, ""},
        {"empty check box ticked", 3, 2, [&] { Grid->AddCheckBox(3, 2, true, false); }, "on"},
        {"empty check box clear", 3, 3, [&] { Grid->AddCheckBox(3, 3, false, false); }, "off"},
        {"check box with a text", 3, 4, [&] {
             Grid->AddCheckBox(3, 4, true, false);
             Grid->SetCellEx(3, 4, "label");
         }, "label"},
    };
    for (const Case& c : cases) {
        c.Set();
        String v = "unset";
        Grid->GetSaveCellText(c.Col, c.Row, v);
        EXPECT_EQ(v, c.Saved) << c.What;
    }
}

// ---------------------------------------------------------------- update brackets and timer

namespace {
// Counts whole-grid repaint requests and painted cells; ticks its timer.
class TPaintCountGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    int Invalidates = 0, Cells = 0;
    void Invalidate() override
    {
        ++Invalidates;
        TExtStringGrid::Invalidate();
    }
    void DrawCellContent(TCanvas* c, int col, int row, TRect r, TGridDrawState s) override
    {
        ++Cells;
        TExtStringGrid::DrawCellContent(c, col, row, r, s);
    }
    void Tick() { Perform(WM_TIMER, 111, 0); }
    void Settle()
    {
        for (int i = 0; i < 3; ++i) Application->ProcessMessages();
    }
};
}

TEST_F(ExtGridTest, NestedUpdateBracketsRepaintTheWholeGridOnlyAtTheLastEnd)
{
    auto* g = new TPaintCountGrid(Form);
    g->SetParent(Form);
    g->SetBounds(0, 0, 400, 200);
    g->SetColCount(4);
    g->SetRowCount(5);
    g->Settle();
    g->BeginUpdate();
    g->BeginUpdate();
    g->Invalidates = 0;
    g->EndUpdate();
    EXPECT_TRUE(g->LockUpdate());
    EXPECT_EQ(g->Invalidates, 0);
    g->EndUpdate();
    EXPECT_FALSE(g->LockUpdate());
    EXPECT_EQ(g->Invalidates, 1);
    g->Cells = 0;
    g->Settle();
    EXPECT_GE(g->Cells, 4 * 5);   // every cell painted again

    // Hidden, the brackets do nothing at all.
    g->SetVisible(false);
    g->Invalidates = 0;
    g->BeginUpdate();
    EXPECT_FALSE(g->LockUpdate());
    g->EndUpdate();
    EXPECT_EQ(g->Invalidates, 0);
}

TEST_F(ExtGridTest, TheTimerRepaintsOnlyBlinkingCellsAndOnlyWithBlinkOn)
{
    auto* g = new TPaintCountGrid(Form);
    g->SetParent(Form);
    g->SetBounds(0, 0, 400, 200);
    g->SetColCount(4);
    g->SetRowCount(5);
    g->SetCellEx(2, 2, "<BLINK>now</BLINK>");
    g->Settle();
    struct Case {
        bool Blink;
        bool Repainted;
    } cases[] = {{false, false}, {true, true}};
    for (const Case& c : cases) {
        g->EnableBlink = c.Blink;
        g->Cells = 0;
        g->Invalidates = 0;
        g->Tick();
        g->Settle();
        EXPECT_EQ(g->Cells > 0, c.Repainted) << c.Blink;
        EXPECT_LT(g->Cells, 4 * 5) << c.Blink;   // never the whole grid
        EXPECT_EQ(g->Invalidates, 0) << c.Blink;
    }
}

// ---------------------------------------------------------------- display text and cell types

TEST_F(ExtGridTest, OnlyTheFirstPrefixThatLinksMakesAHyperlink)
{
    Grid->SetURLShowInText(true);
    struct Case {
        const char* Stored;
        const char* Linked;      // what becomes the anchor
        const char* StaysPlain;  // nullptr: nothing else to check
    } cases[] = {
        {"see http://a.org and www.b.org", "<a href=\"http://a.org\">", "www.b.org"},
        // The prefixes are tried in their order, not in the text's.
        {"first www.b.org then http://a.org", "<a href=\"http://a.org\">", "www.b.org"},
        {"write to mailto:x@y.org or ftp://f.org", "<a href=\"mailto:x@y.org\">", "ftp://f.org"},
        {"no address", nullptr, "no address"},
    };
    for (const Case& c : cases) {
        String v = c.Stored;
        Grid->FireGetDisplText(1, 1, v);
        if (c.Linked) {
            EXPECT_NE(v.find(c.Linked), String::npos) << c.Stored << " -> " << v;
            EXPECT_EQ(v.find("<a "), v.rfind("<a ")) << c.Stored << " -> " << v;   // one anchor only
        } else {
            EXPECT_EQ(v, c.Stored);
        }
        EXPECT_EQ(v.find(Cat("\"", c.StaysPlain)), String::npos) << c.Stored << " -> " << v;
    }
}

TEST_F(ExtGridTest, WithHotmailRowSelectColumnZeroIsAlwaysARowCheckBox)
{
    Fill(4, 5);
    Grid->AddCheckBox(0, 2, true, false);
    Grid->AddComment(0, 3, "note");
    Grid->MouseActions()->SetHotmailRowSelect(true);
    for (int r = 0; r < 5; ++r) EXPECT_EQ(Grid->GetCellType(0, r), ctRowCheckBox) << r;
    EXPECT_EQ(Grid->GetCellType(1, 2), ctEmpty);
    // The shared object is not freed by a removal.
    TCellGraphic* shared = Grid->GetCellGraphic(0, 1);
    ASSERT_NE(shared, nullptr);
    Grid->RemoveCellGraphic(0, 1);
    EXPECT_EQ(Grid->GetCellGraphic(0, 1), shared);
    Grid->MouseActions()->SetHotmailRowSelect(false);
    EXPECT_EQ(Grid->GetCellType(0, 2), ctCheckBox);
}

// ---------------------------------------------------------------- the owner form

TEST(GridOwnerForm, TheGridFollowsTheFormButNeverToNothing)
{
    Application->Initialize();
    TForm form(nullptr);
    form.SetBounds(0, 0, 600, 400);
    auto* g = new TExtStringGrid(&form);
    g->SetParent(&form);
    g->SizeWithForm = true;
    g->SetBounds(0, 0, 100, 80);
    form.Show();
    struct Step {
        const char* What;
        int FormW, FormH;
        int W, H;
    } steps[] = {
        {"grown by 50 x 20", 650, 420, 150, 100},
        // Would leave no width: ignored, and the form's size is not taken as the new start.
        {"shrunk too far", 490, 420, 150, 100},
        {"grown again from the last size taken", 660, 430, 160, 110},
        {"no height left", 660, 320, 160, 110},
    };
    for (const Step& s : steps) {
        form.SetBounds(0, 0, s.FormW, s.FormH);
        EXPECT_EQ(g->Width(), s.W) << s.What;
        EXPECT_EQ(g->Height(), s.H) << s.What;
    }
}
