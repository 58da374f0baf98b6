// Form controls in mini-HTML cells operated with the mouse: check boxes toggle, radio
// buttons clear their siblings, buttons report their click, each writing the new value
// into the cell text; and how such a cell looks.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "grid/html/MiniHTML.h"
#include "grid/html/MiniHTMLRender.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/common/extgrid_fixture.h"
#include "tests/grid/input/html_controls_fixture.h"

namespace {
const char* const kControls = "<CONTROL TYPE=\"CHECK\" ID=\"k\" VALUE=\"FALSE\" WIDTH=\"20\"> on "
                              "<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"20\">"
                              "<CONTROL TYPE=\"RADIO\" ID=\"r2\" VALUE=\"FALSE\" WIDTH=\"20\">"
                              "<CONTROL TYPE=\"RADIO\" ID=\"r3\" VALUE=\"FALSE\" WIDTH=\"20\"> "
                              "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"50\">";

class HTMLControlsTest : public HTMLCellControlsTest {
protected:
    struct Click {
        int row, col;
        String id, type, value;
    };
    std::vector<Click> Clicks;
    std::vector<String> Anchors;
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Grid->SetColCount(3);
        Grid->SetRowCount(4);
        Grid->SetColWidths(1, 300);
        Grid->SetRowHeights(1, 40);
        Grid->Font()->SetName("Tahoma");
        Grid->Font()->SetSize(10);
        Grid->SetOptions(Grid->Options() + goEditing);
        Grid->SetCellEx(1, 1, kControls);
        Grid->OnControlClick = [&](TObject* Sender, int ARow, int ACol, const String& ID, const String& Type,
                                   const String& Val) {
            EXPECT_EQ(Sender, Grid);
            Clicks.push_back({ARow, ACol, ID, Type, Val});
        };
        Grid->OnAnchorClick = [&](TObject*, int, int, const String& Anchor, bool& AutoHandle) {
            Anchors.push_back(Anchor);
            AutoHandle = false;
        };
    }
};

TEST_F(HTMLControlsTest, ControlsLieInsideTheirCellInOrder)
{
    const TRect cell = Grid->CellRect(1, 1);
    int left = cell.Left;
    for (const char* id : {"k", "r1", "r2", "r3", "b"}) {
        SCOPED_TRACE(id);
        const TRect r = ControlRect(id);
        EXPECT_GE(r.Left, left);
        EXPECT_GE(r.Top, cell.Top);
        EXPECT_LE(r.Right, cell.Right);
        EXPECT_LE(r.Bottom, cell.Bottom);
        left = r.Right;
    }
}

TEST_F(HTMLControlsTest, ClickOnACheckBoxTogglesItsValueAndFiresTheEvent)
{
    ClickOn("k");
    EXPECT_EQ(Value("k"), "TRUE");
    ASSERT_EQ(Clicks.size(), 1u);
    EXPECT_EQ(Clicks[0].row, 1);
    EXPECT_EQ(Clicks[0].col, 1);
    EXPECT_EQ(Clicks[0].id, "k");
    EXPECT_EQ(Clicks[0].type, "CHECK");
    EXPECT_EQ(Clicks[0].value, "TRUE");
    ClickOn("k");
    EXPECT_EQ(Value("k"), "FALSE");
    // Drawn checked in any letter case, so a lower-case "true" is unchecked by a click.
    String t = Grid->GetCellEx(1, 1);
    ASSERT_TRUE(SetHTMLControlValue(t, "k", "true"));
    Grid->SetCellEx(1, 1, t);
    ClickOn("k");
    EXPECT_EQ(Value("k"), "FALSE");
    EXPECT_EQ(Clicks.size(), 3u);
    EXPECT_TRUE(Anchors.empty());
    // The rest of the text is kept.
    EXPECT_EQ(Value("r1"), "TRUE");
    EXPECT_NE(Grid->GetCellEx(1, 1).find("> on <"), String::npos);
}

TEST_F(HTMLControlsTest, ClickOnARadioButtonLeavesOnlyItSet)
{
    for (const char* id : {"r3", "r2", "r2", "r1"}) {
        SCOPED_TRACE(id);
        ClickOn(id);
        int set = 0;
        for (const char* other : {"r1", "r2", "r3"}) set += Value(other) == "TRUE" ? 1 : 0;
        EXPECT_EQ(set, 1);
        EXPECT_EQ(Value(id), "TRUE");
        EXPECT_EQ(Clicks.back().type, "RADIO");
        EXPECT_EQ(Clicks.back().value, "TRUE");
    }
    EXPECT_EQ(Value("k"), "FALSE");
}

TEST_F(HTMLControlsTest, ButtonReportsItsClickAndIsReleased)
{
    const String before = Grid->GetCellEx(1, 1);
    ClickOn("b");
    ASSERT_EQ(Clicks.size(), 1u);
    EXPECT_EQ(Clicks[0].type, "BUTTON");
    EXPECT_EQ(Clicks[0].value, "Go");
    EXPECT_FALSE(Grid->FCtrlDown);
    EXPECT_EQ(Grid->GetCellEx(1, 1), before);
}

// A cell that may not be edited keeps its controls as they are; the click is a link's
// click, which the grid never follows as an address.
TEST_F(HTMLControlsTest, ControlsOfACellThatCannotBeEditedStayAsTheyAre)
{
    struct Case {
        const char* what;
        std::function<void()> lock;
    };
    const std::vector<Case> cases = {
        {"no editing", [&] { Grid->SetOptions(Grid->Options() - goEditing); }},
        {"read-only cell", [&] { Grid->SetReadOnly(1, 1, true); }},
        {"refused by the window",
         [&] { Grid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; }; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.lock();
        Anchors.clear();
        ClickOn("k");
        ClickOn("r2");
        EXPECT_EQ(Grid->GetCellEx(1, 1), kControls);
        EXPECT_TRUE(Clicks.empty());
        EXPECT_EQ(Anchors, std::vector<String>({"ctrl", "ctrl"}));
        TearDown();
    }
    SetUp();
}

TEST_F(HTMLControlsTest, CellWithControlsLooksRight)
{
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Form, "html_controls_cell.png", png));
    auto notWhite = [](TColor c) { return c != clWhite; };
    auto blue = [](TColor c) { return ((c >> 16) & 0xFF) > 0xA0 && (c & 0xFF) < 0x60; };
    const TRect k = ControlRect("k"), r1 = ControlRect("r1"), r2 = ControlRect("r2"), b = ControlRect("b");
    // The check box unchecked: a frame, no coloured face; the set radio button coloured,
    // the others not; the button a face with its caption.
    EXPECT_GT(Count_Pixels(png, k, notWhite), 20);
    EXPECT_EQ(Count_Pixels(png, k, blue), 0);
    EXPECT_GT(Count_Pixels(png, r1, blue), 5);
    EXPECT_EQ(Count_Pixels(png, r2, blue), 0);
    EXPECT_GT(Count_Pixels(png, b, notWhite), b.Width() * 10);
    EXPECT_GT(Count_Pixels(png, b, [](TColor c) { return (c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60; }), 5);
    // Checked, the box takes the coloured face.
    ClickOn("k");
    ASSERT_TRUE(SNAPSHOT(Form, "html_controls_cell_checked.png", png));
    EXPECT_GT(Count_Pixels(png, k, blue), 20);
}
}  // namespace

namespace {
// Beside the controls the press selects the cell and is a cell click, and no editor opens
// over the controls.
TEST_F(HTMLControlsTest, PressBesideTheControlsSelectsTheCellWithoutAnEditor)
{
    int cellClicks = 0;
    Grid->OnClickCell = [&](TObject*, int ARow, int ACol) {
        EXPECT_EQ(ARow, 1);
        EXPECT_EQ(ACol, 1);
        ++cellClicks;
    };
    Grid->MouseActions()->DirectEdit = true;   // a click would open an ordinary cell's editor
    Grid->SetRow(2);
    const TRect cell = Grid->CellRect(1, 1);
    UserClick(Grid, cell.Right - 10, cell.Bottom - 4);
    EXPECT_EQ(cellClicks, 1);
    EXPECT_EQ(Grid->Row(), 1);
    EXPECT_EQ(Grid->Col(), 1);
    EXPECT_FALSE(Grid->EditorMode());
    EXPECT_EQ(Grid->GetCellEx(1, 1), kControls);
    EXPECT_TRUE(Clicks.empty());
}
}  // namespace
