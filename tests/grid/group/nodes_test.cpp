// Node rows: nodes head blocks of rows, contract and expand them (nested ones too),
// answer where a row belongs and take rows in and out of their blocks; the glyph opens
// and closes a node under the mouse, Left and Right on a merged header row do it from
// the keyboard; and what column 0 shows in each node look.
#include <vector>

#include "tests/common/Snapshot.h"
#include "tests/common/extgrid_fixture.h"

namespace {

class NodesTest : public ExtGridTest {
protected:
    std::vector<String> Log;

    // A grid of Rows rows (row 0 fixed) whose column 1 holds the row's number as text.
    void Rows(int rows)
    {
        Fill(4, rows);
        for (int c = 0; c < 4; ++c) Grid->SetColWidths(c, 90);
    }
    // Column 1 of the display rows from the first data row, joined by blanks.
    String Shown()
    {
        String s;
        for (int r = Grid->FixedRows(); r < Grid->RowCount(); ++r) (s.empty() ? s : s += ' ') += Grid->GetGridCell(1, r);
        return s;
    }
    int Level(int r)
    {
        TCellProperties* p = Grid->CellPropsOf(0, r);
        return p ? p->NodeLevel : 0;
    }
    // The middle of the node glyph of a display row at level 1.
    TPoint Glyph(int r)
    {
        const TRect R = Grid->CellRect(0, r);
        return TPoint(R.Left + 8, (R.Top + R.Bottom) / 2);
    }
    void Watch()
    {
        Grid->OnClickCell = [this](TObject*, int r, int c) { Log.push_back("click " + IntToStr(r) + "," + IntToStr(c)); };
        Grid->OnBeforeExpandNode = [this](TObject*, int r, int real, bool&) {
            Log.push_back("before expand " + IntToStr(r) + "/" + IntToStr(real));
        };
        Grid->OnBeforeContractNode = [this](TObject*, int r, int real, bool&) {
            Log.push_back("before contract " + IntToStr(r) + "/" + IntToStr(real));
        };
        Grid->OnExpandNode = [this](TObject*, int r, int real) {
            Log.push_back("expand " + IntToStr(r) + "/" + IntToStr(real));
        };
        Grid->OnContractNode = [this](TObject*, int r, int real) {
            Log.push_back("contract " + IntToStr(r) + "/" + IntToStr(real));
        };
    }
};

}  // namespace

// ---------------------------------------------------------------- blocks

TEST_F(NodesTest, ANodeHidesItsRowsAndShowsThemAgainInPlace)
{
    Rows(6);   // data rows 1 to 5
    Grid->AddNode(1, 3);
    for (int r = 1; r <= 5; ++r) EXPECT_EQ(Level(r), r <= 3 ? 1 : 0) << r;
    EXPECT_TRUE(Grid->HasNodes());
    EXPECT_EQ(Grid->GetNodeLevel(1), 1);
    // A row inside the block is no node: it has no node level of its own.
    EXPECT_EQ(Grid->GetNodeLevel(2), -1);
    EXPECT_EQ(Grid->GetNodeSpan(1), 3);
    EXPECT_EQ(Grid->GetNodeSpan(2), -1);

    Grid->ContractNode(1);
    EXPECT_TRUE(Grid->GetNodeState(1));
    EXPECT_EQ(Shown(), "1,1 1,4 1,5");
    EXPECT_EQ(Grid->NumHiddenRows(), 2);
    EXPECT_EQ(Grid->RealRowIndex(2), 4);

    Grid->ExpandNode(1);
    EXPECT_FALSE(Grid->GetNodeState(1));
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,5");
    EXPECT_EQ(Grid->NumHiddenRows(), 0);
    EXPECT_EQ(Level(3), 1);   // the rows come back with their records
}

TEST_F(NodesTest, ANodeOfSpanZeroHeadsTheRowsUpToTheNextNode)
{
    Rows(8);
    Grid->AddNode(1, 0);
    Grid->AddNode(4, 2);
    // Its rows take the level too, so that glyph and tree stand at their depth.
    EXPECT_EQ(Level(3), 1);
    EXPECT_EQ(Grid->GetParentRow(3), 1);
    Grid->ContractNode(1);
    EXPECT_EQ(Shown(), "1,1 1,4 1,5 1,6 1,7");
    Grid->SetNodeState(1, false);
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,5 1,6 1,7");
}

TEST_F(NodesTest, ExpandOneLeavesOneNodeOpen)
{
    Rows(10);
    Grid->AddNode(1, 3);
    Grid->AddNode(4, 3);
    Grid->AddNode(7, 3);
    Grid->CellNode()->ExpandOne = true;
    Grid->ContractAll();
    EXPECT_EQ(Shown(), "1,1 1,4 1,7");
    Grid->ExpandNode(4);
    EXPECT_EQ(Shown(), "1,1 1,4 1,5 1,6 1,7");
    Grid->ExpandNode(7);
    EXPECT_EQ(Shown(), "1,1 1,4 1,7 1,8 1,9");
    EXPECT_TRUE(Grid->GetNodeState(1));
    EXPECT_TRUE(Grid->GetNodeState(2));
    EXPECT_FALSE(Grid->GetNodeState(3));
    // All of them open all the same.
    Grid->ExpandAll();
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,5 1,6 1,7 1,8 1,9");
}

TEST_F(NodesTest, AnOuterNodeTakesAContractedInnerNodeWithIt)
{
    Rows(9);
    Grid->AddNode(1, 6);   // rows 1 to 6
    Grid->AddNode(2, 3);   // rows 2 to 4, inside
    EXPECT_EQ(Level(3), 2);
    EXPECT_EQ(Grid->GetNodeLevel(2), 2);
    Grid->ContractNode(2);
    EXPECT_EQ(Shown(), "1,1 1,2 1,5 1,6 1,7 1,8");
    Grid->ContractNode(1);
    EXPECT_EQ(Shown(), "1,1 1,7 1,8");
    EXPECT_EQ(Grid->NumHiddenRows(), 5);
    Grid->ExpandNode(1);
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,5 1,6 1,7 1,8");
    EXPECT_FALSE(Grid->GetNodeState(2));   // the inner node comes back open
    Grid->ContractAll();
    EXPECT_EQ(Shown(), "1,1 1,7 1,8");
    Grid->ExpandAll();
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,5 1,6 1,7 1,8");
}

TEST_F(NodesTest, RemovingNodesOpensThemAndLowersTheLevels)
{
    Rows(9);
    Grid->AddNode(1, 6);
    Grid->AddNode(2, 3);
    Grid->AddNode(7, 2);
    Grid->ContractAll();
    Grid->RemoveNode(1);
    EXPECT_FALSE(Grid->IsNode(1));
    EXPECT_EQ(Level(1), 0);
    EXPECT_EQ(Level(3), 1);   // still inside the inner node
    EXPECT_TRUE(Grid->HasNodes());
    Grid->RemoveAllNodes();
    EXPECT_FALSE(Grid->HasNodes());
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,5 1,6 1,7 1,8");
    for (int r = 1; r < 9; ++r) EXPECT_EQ(Level(r), 0) << r;
}

TEST_F(NodesTest, WhereARowBelongs)
{
    Rows(10);
    Grid->AddNode(1, 5);   // rows 1 to 5
    Grid->AddNode(2, 2);   // rows 2 and 3
    Grid->AddNode(7, 2);   // rows 7 and 8
    struct Case {
        int Row, Parent;
    } cases[] = {
        {1, 1},    // a node without parent: itself
        {2, 1},    // an inner node: its outer node
        {3, 2},    // inside the inner node
        {4, 1},    // after the inner node, still in the outer one
        {5, 1},
        {6, -1},   // outside every node
        {8, 7},
        {9, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(Grid->GetParentRow(c.Row), c.Parent) << c.Row;
    // With the inner node closed the display rows below it move up and still find theirs.
    Grid->ContractNode(2);
    EXPECT_EQ(Grid->GetParentRow(3), 1);   // shows row 4
    EXPECT_EQ(Grid->GetParentRow(5), -1);  // shows row 6
    EXPECT_EQ(Grid->GetParentRow(6), 6);   // shows node 7
}

TEST_F(NodesTest, TreeLineShapes)
{
    Rows(7);
    Grid->AddNode(1, 4);   // rows 1 to 4
    Grid->AddNode(2, 2);   // rows 2 and 3
    struct Case {
        int Row, Type;
    } cases[] = {{1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 1}, {6, 1}};
    for (const Case& c : cases) EXPECT_EQ(Grid->GetNodeSpanType(c.Row), c.Type) << c.Row;
    Grid->AddNode(5, 2);   // a row above a row of its level or deeper goes on
    EXPECT_EQ(Grid->GetNodeSpanType(4), 2);
}

TEST_F(NodesTest, GlyphHitTestByLook)
{
    Rows(4);
    Grid->AddNode(1, 3);
    Grid->AddNode(2, 2);   // level 2
    TBitmap glyph(10, 10);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(TRect(0, 0, 10, 10));
    Grid->CellNode()->SetExpandGlyph(&glyph);
    struct Case {
        TNodeType Type;
        int Row, First, Last;   // the glyph reaches from First to Last
    } cases[] = {
        {cnXP, 1, 5, 15}, {cnFlat, 1, 5, 15}, {cn3D, 1, 1, 17},  {cnLeaf, 1, 3, 19},
        {cnGlyph, 1, 3, 16}, {cnXP, 2, 17, 27}, {cnLeaf, 2, 15, 31},
    };
    for (const Case& c : cases) {
        Grid->CellNode()->SetNodeType(c.Type);
        EXPECT_FALSE(Grid->IsInNodeGlyph(c.Row, c.First - 1)) << c.Type << " " << c.Row;
        EXPECT_TRUE(Grid->IsInNodeGlyph(c.Row, c.First)) << c.Type << " " << c.Row;
        EXPECT_TRUE(Grid->IsInNodeGlyph(c.Row, c.Last)) << c.Type << " " << c.Row;
        EXPECT_FALSE(Grid->IsInNodeGlyph(c.Row, c.Last + 1)) << c.Type << " " << c.Row;
    }
    Grid->MouseActions()->PreciseNodeClick = false;
    EXPECT_TRUE(Grid->IsInNodeGlyph(1, 80));
}

// ---------------------------------------------------------------- rows in and out of blocks

TEST_F(NodesTest, AChildRowBelowANodeTakesTheNodeRowsTexts)
{
    Rows(5);
    Grid->AddNode(1, 2);
    Grid->SetObjectEx(2, 1, 42);
    Grid->SetObjectEx(0, 1, 7);
    Grid->InsertChildRow(1, 0);
    EXPECT_EQ(Grid->RowCount(), 6);
    EXPECT_TRUE(Grid->IsNode(1));
    EXPECT_EQ(RowText(1), "|||");
    EXPECT_EQ(RowText(2), "0,1|1,1|2,1|3,1");
    EXPECT_EQ(Grid->GetObjectEx(2, 2), 42u);
    EXPECT_EQ(Grid->GetObjectEx(2, 1), 0u);
    EXPECT_EQ(Grid->GetObjectEx(0, 1), 7u);   // column 0's value stays with the node
    EXPECT_EQ(Grid->GetNodeSpan(1), 3);
    EXPECT_EQ(Level(2), 1);
    EXPECT_EQ(Grid->GetParentRow(3), 1);
    EXPECT_EQ(Grid->GetParentRow(4), -1);
}

TEST_F(NodesTest, RowsInsertedAndRemovedKeepTheHiddenRowsInPlace)
{
    Rows(8);
    Grid->AddNode(1, 2);
    Grid->AddNode(4, 3);   // rows 4 to 6
    Grid->ContractNode(4);
    // A row outside the nodes above the contracted one: its hidden rows move down.
    Grid->InsertNormalRow(3);
    Grid->SetCellEx(1, 3, "new");
    EXPECT_EQ(Shown(), "1,1 1,2 new 1,3 1,4 1,7");
    Grid->ExpandNode(5);
    EXPECT_EQ(Shown(), "1,1 1,2 new 1,3 1,4 1,5 1,6 1,7");
    Grid->ContractNode(5);
    Grid->RemoveNormalRow(3);
    Grid->ExpandNode(4);
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,5 1,6 1,7");
    // A child row goes and its node shrinks.
    Grid->RemoveChildRow(2);
    EXPECT_EQ(Grid->GetNodeSpan(1), 1);
    EXPECT_EQ(Shown(), "1,1 1,3 1,4 1,5 1,6 1,7");
}

// ---------------------------------------------------------------- mouse and keys

TEST_F(NodesTest, AClickOnTheGlyphClosesAndOpensTheNode)
{
    Rows(8);
    Grid->AddNode(1, 3);
    Grid->AddNode(4, 3);
    Grid->FocusCell(2, 6, true);
    Watch();
    const TPoint g = Glyph(4);
    UserClick(Grid, g.X, g.Y);
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,7");
    const std::vector<String> closed{"click 4,0", "before contract 4/4", "contract 4/4"};
    EXPECT_EQ(Log, closed);
    EXPECT_EQ(Grid->Col(), 2);   // the current cell stays where it was
    Log.clear();
    UserClick(Grid, g.X, g.Y);
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,5 1,6 1,7");
    const std::vector<String> opened{"click 4,0", "before expand 4/4", "expand 4/4"};
    EXPECT_EQ(Log, opened);
    // Beside the glyph column 0 only reports the click.
    Log.clear();
    const TRect R = Grid->CellRect(0, 4);
    UserClick(Grid, R.Right - 4, g.Y);
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,5 1,6 1,7");
    EXPECT_EQ(Log, std::vector<String>{"click 4,0"});
    EXPECT_NE(Grid->Col(), 0);
}

TEST_F(NodesTest, TheWindowMayRefuseAClickOnTheGlyph)
{
    Rows(6);
    Grid->AddNode(1, 3);
    Grid->OnBeforeContractNode = [](TObject*, int, int, bool& Allow) { Allow = false; };
    bool contracted = false;
    Grid->OnContractNode = [&](TObject*, int, int) { contracted = true; };
    const TPoint g = Glyph(1);
    UserClick(Grid, g.X, g.Y);
    EXPECT_FALSE(Grid->GetNodeState(1));
    EXPECT_FALSE(contracted);
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,5");
    // MoveRowOnNodeClick makes the node's row current with the click.
    Grid->OnBeforeContractNode = nullptr;
    Grid->MouseActions()->MoveRowOnNodeClick = true;
    UserClick(Grid, g.X, g.Y);
    EXPECT_TRUE(Grid->GetNodeState(1));
    EXPECT_EQ(Grid->Row(), 1);
}

TEST_F(NodesTest, ANodeInTheHeaderClosesAndOpensAllNodes)
{
    Rows(8);
    Grid->AddNode(0, 1);
    Grid->AddNode(1, 3);
    Grid->AddNode(4, 3);
    Grid->MouseActions()->NodeAllExpandContract = true;
    const TPoint g = Glyph(0);
    UserClick(Grid, g.X, g.Y);
    EXPECT_EQ(Shown(), "1,1 1,4 1,7");
    EXPECT_TRUE(Grid->GetNodeState(0));
    UserClick(Grid, g.X, g.Y);
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,5 1,6 1,7");
    EXPECT_FALSE(Grid->GetNodeState(0));
    // Without the setting the header's node does nothing to the others.
    Grid->MouseActions()->NodeAllExpandContract = false;
    UserClick(Grid, g.X, g.Y);
    EXPECT_EQ(Shown(), "1,1 1,2 1,3 1,4 1,5 1,6 1,7");
}

TEST_F(NodesTest, LeftAndRightCloseAndOpenAMergedNodeRow)
{
    Rows(8);
    Grid->AddNode(1, 3);
    Grid->MergeCells(1, 1, 3, 1);
    Grid->AddNode(4, 3);   // not merged: the arrows move
    UserFocus(Grid);
    Grid->FocusCell(1, 1, true);
    Watch();
    UserKey(Grid, VK_LEFT);
    EXPECT_TRUE(Grid->GetNodeState(1));
    EXPECT_EQ(Shown(), "1,1 1,4 1,5 1,6 1,7");
    UserKey(Grid, VK_LEFT);   // already closed
    EXPECT_TRUE(Grid->GetNodeState(1));
    UserKey(Grid, VK_RIGHT);
    EXPECT_FALSE(Grid->GetNodeState(1));
    const std::vector<String> events{"before contract 1/1", "contract 1/1", "before expand 1/1", "expand 1/1"};
    EXPECT_EQ(Log, events);
    Grid->FocusCell(2, 4, true);
    UserKey(Grid, VK_LEFT);
    EXPECT_FALSE(Grid->GetNodeState(4));
    EXPECT_EQ(Grid->Col(), 1);
}

// ---------------------------------------------------------------- what column 0 shows

TEST_F(NodesTest, GlyphsAndTreeLinesInEveryLook)
{
    Rows(9);
    Grid->SetColWidths(0, 40);
    Grid->AddNode(1, 6);
    Grid->AddNode(2, 3);
    Grid->AddNode(7, 2);
    Grid->ContractNode(7);
    Grid->CellNode()->SetTreeColor(clRed);
    // The top-left pixel of a glyph is its transparent colour.
    TBitmap open(9, 9), closed(9, 9);
    for (auto [b, color] : {std::pair{&open, clGreen}, std::pair{&closed, clBlue}}) {
        b->Canvas()->Brush()->SetColor(color);
        b->Canvas()->FillRect(TRect(0, 0, 9, 9));
        b->Canvas()->Brush()->SetColor(clWhite);
        b->Canvas()->FillRect(TRect(0, 0, 1, 1));
    }
    Grid->CellNode()->SetExpandGlyph(&open);
    Grid->CellNode()->SetContractGlyph(&closed);
    const TRect col0(0, Grid->CellRect(0, 1).Top, 40, Grid->CellRect(0, 7).Bottom);
    struct Case {
        TNodeType Type;
        const char* Name;
    } cases[] = {{cnXP, "nodes_xp.png"},   {cnFlat, "nodes_flat.png"}, {cn3D, "nodes_3d.png"},
                 {cnLeaf, "nodes_leaf.png"}, {cnGlyph, "nodes_glyph.png"}};
    for (const Case& c : cases) {
        Grid->CellNode()->SetNodeType(c.Type);
        TBitmap png;
        ASSERT_TRUE(SNAPSHOT(Grid, c.Name, png));
        // The tree joins the open nodes to their rows ...
        EXPECT_GT(Count_Pixels(png, col0, clRed), 30) << c.Name;
        // ... and nothing of it leaves column 0.
        EXPECT_EQ(Count_Pixels(png, TRect(41, 0, 300, col0.Bottom), clRed), 0) << c.Name;
        if (c.Type == cnGlyph) {
            EXPECT_GT(Count_Pixels(png, Grid->CellRect(0, 1), clGreen), 40);
            EXPECT_GT(Count_Pixels(png, Grid->CellRect(0, 7), clBlue), 40);
        }
    }
    // Without the tree no line is drawn.
    Grid->CellNode()->SetShowTree(false);
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Grid, "nodes_notree.png", png));
    EXPECT_EQ(Count_Pixels(png, col0, clRed), 0);
}
