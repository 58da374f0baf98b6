// Rules of the mouse over the grid: the hover records kept while it moves and what
// leaving clears, sizing a column the window keeps, and a drag that selects a range
// instead of editing.
#include <map>
#include <vector>

#include "tests/common/UserInput.h"
#include "tests/common/colgrid_fixture.h"
#include "tests/common/extgrid_fixture.h"

namespace {

// Shows its hover records and counts the cells it paints.
class THoverGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    std::map<std::pair<int, int>, int> Painted;
    int PaintedAt(int c, int r) { return Painted[std::make_pair(c, r)]; }
    int HoverRowIdx() const { return FHoverRowIdx; }
    TPoint HoverFixed() const { return TPoint(FHoverFixedX, FHoverFixedY); }
    TPoint HotFixed() const { return FHotFixedCell; }
    void DrawCellContent(TCanvas* c, int col, int row, TRect r, TGridDrawState s) override
    {
        ++Painted[std::make_pair(col, row)];
        TExtStringGrid::DrawCellContent(c, col, row, r, s);
    }
    void Settle()
    {
        for (int i = 0; i < 3; ++i) Application->ProcessMessages();
    }
};

class MouseRulesTest : public ExtGridTest {
protected:
    THoverGrid* G = nullptr;
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Grid->SetVisible(false);
        G = new THoverGrid(Form);
        G->SetParent(Form);
        G->SetBounds(0, 0, 500, 300);
        G->SetColCount(5);
        G->SetRowCount(6);
        for (int c = 0; c < 5; ++c) G->SetColWidths(c, 80);
        G->Settle();
    }
    TPoint Mid(int c, int r) { return CellMid(G, c, r); }
    void MoveTo(int c, int r, TShiftState s = TShiftState()) { UserMouseMove(G, Mid(c, r).X, Mid(c, r).Y, s); }
    void Press(unsigned msg, TPoint p) { gui_input::Mouse(G, msg, p.X, p.Y, TShiftState()); }
};

}  // namespace

TEST_F(MouseRulesTest, HoverRecordsFollowTheMouseAndLeavingClearsAllButTheHotHeader)
{
    G->HoverRow = true;
    G->HoverFixedCells = hfAll;
    G->SetLook(glListView);
    G->Perform(CM_MOUSEENTER, 0, 0);
    MoveTo(2, 0);
    EXPECT_EQ(G->HoverFixed(), TPoint(2, 0));
    EXPECT_EQ(G->HotFixed(), TPoint(2, 0));
    G->Settle();
    G->Painted.clear();
    // The first scrollable row under a header: both are repainted.
    MoveTo(2, 1);
    G->Settle();
    EXPECT_GT(G->PaintedAt(2, 1), 0);
    EXPECT_GT(G->PaintedAt(2, 0), 0);
    EXPECT_EQ(G->HoverRowIdx(), 1);
    EXPECT_EQ(G->HoverFixed(), TPoint(2, 1));
    // Further down, a normal cell's move repaints no header.
    MoveTo(2, 3);
    G->Settle();
    G->Painted.clear();
    MoveTo(3, 3);
    G->Settle();
    EXPECT_EQ(G->PaintedAt(3, 0), 0);
    EXPECT_EQ(G->PaintedAt(2, 0), 0);

    const TPoint hot = G->HotFixed();
    G->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(G->HoverRowIdx(), -1);
    EXPECT_EQ(G->HoverFixed(), TPoint(-1, -1));
    EXPECT_EQ(G->HotFixed(), hot);
}

TEST_F(MouseRulesTest, AColumnTheWindowKeepsCannotBeSized)
{
    G->SetOptions(G->Options() << goColSizing);
    G->OnColumnSize = [](TObject*, int c, bool& Allow) { Allow = c != 2; };
    struct Case {
        int Col;
        int Width;   // after dragging its border 20 pixels right
    } cases[] = {{2, 80}, {3, 100}};
    for (const Case& c : cases) {
        const TRect h = G->CellRect(c.Col, 0);
        const int y = (h.Top + h.Bottom) / 2;
        UserMouseMove(G, h.Right, y);
        Press(WM_LBUTTONDOWN, TPoint(h.Right, y));
        UserMouseMove(G, h.Right + 20, y, TShiftState{ssLeft});
        Press(WM_LBUTTONUP, TPoint(h.Right + 20, y));
        EXPECT_EQ(G->ColWidths(c.Col), c.Width) << c.Col;
    }
}

TEST_F(MouseRulesTest, ADragAfterAPressSelectsARangeInsteadOfEditing)
{
    struct Case {
        bool RangeSelectAndEdit;
        bool EditingAfter;
    } cases[] = {{false, true}, {true, false}};
    for (const Case& c : cases) {
        G->SetOptions(G->Options() << goEditing << goRangeSelect);
        G->MouseActions()->RangeSelectAndEdit = c.RangeSelectAndEdit;
        G->FocusCell(1, 1, true);
        Press(WM_LBUTTONDOWN, Mid(2, 2));
        MoveTo(3, 3, TShiftState{ssLeft});
        Press(WM_LBUTTONUP, Mid(3, 3));
        EXPECT_EQ(G->Options().Contains(goEditing), c.EditingAfter) << c.RangeSelectAndEdit;
        if (!c.EditingAfter) {
            EXPECT_EQ(G->Selection().Right, 3);
            EXPECT_EQ(G->Selection().Bottom, 3);
        }
    }
}

// ---------------------------------------------------------------- header hints

TEST_F(MouseRulesTest, AHeaderHintIsTheGridsOwnUntilTheWindowGivesOneForTheShownColumn)
{
    G->SetShowHint(true);
    G->SetHint("grid hint");
    G->HintShowCells = true;
    for (int c = 0; c < 5; ++c) G->SetCellEx(c, 0, Cat("Header ", IntToStr(c)));
    G->HideColumn(1);   // shown column 2 is real column 3
    auto ask = [&](int c, int r) {
        THintInfo info;
        info.HintControl = G;
        info.CursorPos = Mid(c, r);
        info.HintStr = G->Hint();
        G->Perform(CM_HINTSHOW, 0, LPARAM(&info));
        return info.HintStr;
    };
    EXPECT_EQ(ask(2, 0), "grid hint");   // a header shows no cell text
    std::vector<TPoint> heard;
    G->OnGridHint = [&](TObject*, int ARow, int ACol, String& HintStr) {
        heard.push_back(TPoint(ACol, ARow));
        if (ARow == 0) HintStr = Cat("about ", G->GetCellEx(G->RealColIndex(ACol), 0));
    };
    EXPECT_EQ(ask(2, 0), "about Header 3");
    EXPECT_EQ(heard, std::vector<TPoint>{TPoint(2, 0)});
}

// ---------------------------------------------------------------- the wheel

TEST_F(MouseRulesTest, WheelNotchesMoveTheRowShortOfTheFootersAndCtrlZoomsUpToTen)
{
    G->SetRowCount(12);
    G->FixedFooters = 2;
    const int lines = G->WheelLines();
    ASSERT_EQ(lines, 3);
    G->FocusCell(1, 4, true);
    struct Step {
        int Delta;
        int Row;
    } steps[] = {{-120, 7}, {-120, 9}, {-120, 9}, {120, 6}, {120, 3}, {120, 1}};   // one message, one step
    for (const Step& s : steps) {
        UserWheel(G, s.Delta, Mid(2, 2).X, Mid(2, 2).Y);
        EXPECT_EQ(G->Row(), s.Row) << s.Delta;
    }
    // Ctrl with the wheel: the zoom goes by the lines per notch and stops short of 10.
    auto ctrlNotch = [&](int delta) {
        G->Perform(WM_MOUSEWHEEL, WPARAM((unsigned(std::uint16_t(delta)) << 16) | MK_CONTROL), 0);
        return G->ZoomFactor;
    };
    EXPECT_EQ(ctrlNotch(-120), 3);
    EXPECT_EQ(ctrlNotch(-120), 6);
    EXPECT_EQ(ctrlNotch(-120), 9);
    EXPECT_EQ(ctrlNotch(-120), 9);
    EXPECT_EQ(ctrlNotch(120), 6);
    G->IntelliZoom = false;
    EXPECT_EQ(ctrlNotch(-120), 6);
}

TEST_F(MouseRulesTest, PanningMovesOneRowPerTickOutsideTheRestingZone)
{
    G->SetRowCount(60);
    G->MouseActions()->SetWheelAction(waScroll);
    const TPoint origin(200, 150);
    Press(WM_MBUTTONDOWN, origin);
    ASSERT_TRUE(G->Panning());
    struct Step {
        int Dy;
        int Rows;   // rows scrolled by one tick
    } steps[] = {{40, 1}, {5, 0}, {-5, 0}, {6, 1}, {-40, -1}};
    for (const Step& s : steps) {
        UserMouseMove(G, origin.X, origin.Y + s.Dy);
        const int top = G->TopRow();
        G->Perform(WM_TIMER, 999, 0);
        EXPECT_EQ(G->TopRow() - top, s.Rows) << s.Dy;
    }
    Press(WM_MBUTTONDOWN, origin);
    EXPECT_FALSE(G->Panning());
}

// ---------------------------------------------------------------- the current cell

TEST_F(MouseRulesTest, WithTreeNodesColumnZeroNeverBecomesCurrentUnlessRowsAreSelected)
{
    G->SetFixedCols(0);
    G->AddNode(1, 3);
    UserFocus(G);
    G->FocusCell(2, 2, true);
    struct Case {
        const char* What;
        bool RowSelect;
        int Col;   // the current column after a click in column 0 and a Left key from column 1
    } cases[] = {{"cells", false, 1}, {"whole rows", true, 0}};
    for (const Case& c : cases) {
        if (c.RowSelect) G->SetOptions(G->Options() << goRowSelect);
        G->FocusCell(1, 2, true);
        UserKey(G, VK_LEFT);
        EXPECT_EQ(G->Col(), c.Col) << c.What;
        G->FocusCell(2, 4, true);
        const TRect r = G->CellRect(0, 4);
        UserClick(G, r.Right - 5, (r.Top + r.Bottom) / 2);   // clear of the node's box
        EXPECT_EQ(G->Col(), c.RowSelect ? 0 : 2) << c.What;
    }
}
