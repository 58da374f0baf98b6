// The floating footer strip: what it shows and how it follows its settings, the values
// it shows after typing and after rows come and go, clicks on it, and its picture.
#include "grid/core/GridPanels.h"
#include "platform/os/Regional.h"
#include "tests/common/Snapshot.h"
#include "tests/common/extgrid_fixture.h"

namespace {
String Num(const char* s)
{
    String t = s;
    for (char& ch : t)
        if (ch == '.') ch = GetDecimalSeparator();
    return t;
}
}

class FloatingFooterTest : public ExtGridTest {
protected:
    // A header row, the values of column 1 (column 2 holds the same plus 10) and the
    // footer row with a sum under column 1 and an average under column 2.
    void Rows(const std::vector<String>& values)
    {
        Grid->SetColCount(4);
        Grid->SetRowCount(int(values.size()) + 2);
        Grid->SetCellEx(1, 0, "Value");
        Grid->SetCellEx(2, 0, "Plus ten");
        for (int i = 0; i < int(values.size()); ++i) {
            Grid->SetCellEx(0, i + 1, IntToStr(i + 1));
            Grid->SetCellEx(1, i + 1, values[size_t(i)]);
            Grid->SetCellEx(2, i + 1, IntToStr(StrToInt(values[size_t(i)]) + 10));
        }
        Footer()->SetVisible(true);
        Footer()->SetColumnCalc(1, acSUM);
        Footer()->SetColumnCalc(2, acAVG);
        Grid->CalcFooterAll();
    }
    TFloatingFooter* Footer() { return Grid->FloatingFooter(); }
    String FooterCell(int c) { return Grid->GetCellEx(c, Grid->RowCount() - 1); }
    void TypeInto(int c, int r, const String& text)
    {
        Grid->FocusCell(c, r, true);
        UserKey(Grid, VK_F2);
        ASSERT_TRUE(Grid->InplaceEditor() && Grid->InplaceEditor()->Visible());
        UserKey(Grid->InplaceEditor(), 'A', TShiftState{ssCtrl});
        UserType(Grid->InplaceEditor(), text);
        UserKey(Grid->InplaceEditor(), VK_RETURN);
    }
};

TEST_F(FloatingFooterTest, TheStripFollowsVisibleStyleAndHeight)
{
    Rows({"1", "2"});
    TFooterPanel* panel = Grid->FooterPanel();
    struct Step {
        const char* What;
        std::function<void()> Do;
        bool PanelShown;
        int PanelHeight;   // -1: not checked
        int FixedFooters;
        bool LastRowHidden;
    } steps[] = {
        {"shown with the last row", [] {}, true, -1, 1, true},
        {"a height of 20", [&] { Footer()->SetHeight(20); }, true, 19, 1, true},
        // A height of 0 leaves the panel as it was.
        {"a height of 0", [&] { Footer()->SetHeight(0); }, true, 19, 1, true},
        // The grid paints its last row again, the footer row count waits for Visible.
        {"column preview", [&] { Footer()->SetFooterStyle(fsColumnPreview); }, true, 19, 1, false},
        {"shown again as preview", [&] { Footer()->SetVisible(true); }, true, -1, 0, false},
        {"hidden", [&] { Footer()->SetVisible(false); }, false, 0, 0, false},
        {"last row again", [&] {
             Footer()->SetFooterStyle(fsFixedLastRow);
             Footer()->SetHeight(25);
             Footer()->SetVisible(true);
         }, true, 24, 1, true},
    };
    for (const Step& s : steps) {
        s.Do();
        EXPECT_EQ(panel->Visible(), s.PanelShown) << s.What;
        if (s.PanelHeight >= 0) {
            EXPECT_EQ(panel->Height(), s.PanelHeight) << s.What;
        }
        EXPECT_EQ(Grid->FixedFooters, s.FixedFooters) << s.What;
        EXPECT_EQ(Grid->HideLastRow(), s.LastRowHidden) << s.What;
    }
}

TEST_F(FloatingFooterTest, TheCustomTemplateTakesTheCurrentRowsTexts)
{
    Rows({"1", "2", "3", "4", "5", "6"});
    Grid->SetCellEx(2, 5, "five");
    Grid->FocusCell(1, 5, true);
    struct Case {
        const char* Template;
        const char* Shown;
    } cases[] = {
        {"Total: <#2>", "Total: five"},
        {"<#1>/<#2>", "5/five"},
        // A placeholder without a number is dropped; an unfinished one stays text.
        {"a<#x>b", "ab"},
        {"<#99>", ""},
        {"no end <#2", "no end <#2"},
    };
    for (const Case& c : cases) {
        Footer()->SetCustomTemplate(c.Template);
        EXPECT_EQ(Footer()->FillTemplate(Grid->Row()), c.Shown) << c.Template;
    }
}

TEST_F(FloatingFooterTest, TypedValuesAndRowsComingAndGoingReachTheFooterValues)
{
    Rows({"1", "2", "3"});
    Grid->SetOptions(Grid->Options() + goEditing);
    UserFocus(Grid);
    struct Step {
        const char* What;
        std::function<void()> Do;
        String Sum, Avg;
        int Rows;
    } steps[] = {
        {"as filled", [] {}, Num("6.00"), Num("12.00"), 5},
        {"typed 10 over the 2", [&] { TypeInto(1, 2, "10"); }, Num("14.00"), Num("12.00"), 5},
        // A new row goes above the footer row, which keeps its calculations.
        {"a row added", [&] {
             Grid->AddRow();
             TypeInto(1, 4, "6");
         }, Num("20.00"), Num("9.00"), 6},
        {"rows inserted past the end go above the footer", [&] { Grid->InsertRows(6, 1); }, Num("20.00"),
         Num("7.20"), 7},
        {"a row removed", [&] { Grid->RemoveRows(1, 1); }, Num("19.00"), Num("6.25"), 6},
        {"a range beyond the rows", [&] { Grid->RemoveRows(3, 9); }, Num("19.00"), Num("6.25"), 6},
    };
    for (const Step& s : steps) {
        s.Do();
        EXPECT_EQ(Grid->RowCount(), s.Rows) << s.What;
        EXPECT_EQ(FooterCell(1), s.Sum) << s.What;
        EXPECT_EQ(FooterCell(2), s.Avg) << s.What;
        EXPECT_EQ(Footer()->ColumnCalc(1), acSUM) << s.What;
    }
}

TEST_F(FloatingFooterTest, AClickOnTheStripNamesTheColumnUnderItAndTheLastRow)
{
    Rows({"1", "2"});
    std::vector<std::pair<int, int>> clicks;
    Grid->OnClickCell = [&](TObject*, int ARow, int ACol) { clicks.push_back({ARow, ACol}); };
    TFooterPanel* panel = Grid->FooterPanel();
    const int w0 = Grid->ColWidths(0), w1 = Grid->ColWidths(1);
    UserClick(panel, w0 + w1 / 2, panel->Height() / 2);
    UserClick(panel, w0 / 2, panel->Height() / 2);
    // Past the last column there is no cell.
    UserClick(panel, panel->Width() - 2, panel->Height() / 2);
    const int last = Grid->RowCount() - 1;
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{last, 1}, {last, 0}}));
}

TEST_F(FloatingFooterTest, PictureOfSumsAndAveragesUnderAScrolledGrid)
{
    std::vector<String> values;
    for (int i = 1; i <= 30; ++i) values.push_back(IntToStr(i));
    Rows(values);
    Grid->SetCellEx(3, 0, "Note");
    Footer()->SetBorderColor(clRed);
    Grid->SetTopRow(12);
    Grid->Invalidate();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "floating_footer_scrolled.png", png));
    EXPECT_EQ(FooterCell(1), Num("465.00"));
    EXPECT_EQ(FooterCell(2), Num("25.50"));
    TFooterPanel* panel = Grid->FooterPanel();
    const int top = panel->Top() + Grid->Top();
    // The strip lies along the grid's bottom with its red top line over the columns.
    const int width = Grid->ColWidths(0) + Grid->ColWidths(1) + Grid->ColWidths(2) + Grid->ColWidths(3);
    EXPECT_GE(Count_Pixels(png, TRect(0, top, width, top + 1), clRed), width - 4);
    // The footer cell of the sum column holds dark text pixels.
    const TRect sumCell(Grid->ColWidths(0), top + 2, Grid->ColWidths(0) + Grid->ColWidths(1), top + panel->Height());
    EXPECT_GT(Count_Pixels(png, sumCell, [](TColor c) { return (c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60; }), 10);
}

TEST_F(FloatingFooterTest, TheStripIsMadeWhenTheGridIsPlaced)
{
    struct Case {
        const char* What;
        bool Visible;
        int Height;
        int PanelHeight;
    } cases[] = {
        {"shown footer", true, 20, 19},
        {"hidden footer", false, 20, 0},
    };
    for (const Case& c : cases) {
        auto* g = new TExtStringGrid(Form);
        int created = 0;
        g->OnCreatedFloatingFooter = [&](TObject* Sender) { created += Sender == g; };
        g->FloatingFooter()->SetHeight(c.Height);
        g->FloatingFooter()->SetVisible(c.Visible);
        EXPECT_EQ(created, 0) << c.What;   // no window yet
        g->SetParent(Form);
        EXPECT_EQ(created, 1) << c.What;
        EXPECT_EQ(g->FooterPanel()->Height(), c.PanelHeight) << c.What;
        EXPECT_EQ(g->FooterPanel()->Visible(), c.Visible) << c.What;
        g->SetParent(nullptr);
        g->SetParent(Form);
        EXPECT_EQ(created, 1) << c.What;   // once per grid
        delete g;
    }
}

