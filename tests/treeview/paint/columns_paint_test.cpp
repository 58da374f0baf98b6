// Painting a tree with columns: where each column's cell lands in display order, what
// the main column alone carries, column colours and grid lines, and the rows below a
// visible header (on screen and for the mouse).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/Forms.h"
#include "tests/common/RecordingCanvas.h"
#include "tests/common/Snapshot.h"
#include "treeview/LazyStringTree.h"

namespace {

// Each cell writes "r<row>c<column>" at its content's top-left, so the recording shows
// which cell went where.
class TColumnsTree : public TLazyStringTree {
public:
    using TLazyStringTree::TLazyStringTree;
    using TBaseLazyTree::RowAreaHeight;

protected:
    int GetNodeWidth(PLazyNode, TColumnIndex) override { return 30; }
    void PaintNode(TLTPaintInfo& PaintInfo) override
    {
        PaintInfo.Canvas->Brush()->SetStyle(bsClear);
        PaintInfo.Canvas->Font()->SetColor(clBlack);
        const TRect r = PaintInfo.ToCanvas(PaintInfo.ContentRect);
        std::string name("r");
        name += std::to_string(PaintInfo.Node->Index);
        name += 'c';
        name += std::to_string(PaintInfo.Column);
        PaintInfo.Canvas->TextOut(r.Left + 2, r.Top + 2, name);
    }
};

struct TCell {
    TColumnIndex Column;
    TRect R;
};

class ColumnsPaintTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TColumnsTree* Tree = nullptr;
    TLTHeader* H = nullptr;
    TLazyTreeColumns* C = nullptr;
    TRecordingCanvas Rec;
    std::vector<TCell> Cells;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetClientWidth(320);
        Form->SetClientHeight(240);
        Tree = new TColumnsTree(Form);
        Tree->SetParent(Form);
        Tree->SetBounds(0, 0, 300, 200);
        Tree->SetColor(clWhite);
        H = Tree->Header();
        C = H->Columns();
        const char* names[] = {"Name", "Address", "Value"};
        const int widths[] = {90, 60, 70};
        for (int i = 0; i < 3; ++i) {
            TLazyTreeColumn* c = C->Add();
            c->SetText(names[i]);
            c->SetWidth(widths[i]);
        }
        Tree->SetRootNodeCount(2);
        Tree->SetChildCount(Tree->RootNode()->FirstChild, 1);
        Tree->SetExpanded(Tree->RootNode()->FirstChild, true);
        Tree->OnAfterCellPaint = [this](TBaseLazyTree*, TCanvas*, PLazyNode N, TColumnIndex Column, const TRect& R) {
            if (N == Tree->RootNode()->FirstChild) Cells.push_back({Column, R});
        };
    }
    void TearDown() override { delete Form; }
    void Record(TLTInternalPaintOptions Extra = {})
    {
        Rec.Ops.clear();
        Cells.clear();
        Tree->PaintTree(&Rec, TRect(0, 0, 300, 200), TPoint(0, 0),
                        TLTInternalPaintOptions{poUnbuffered, poDrawSelection, poGridLines} + Extra);
    }
    // Where the text of one cell of the first row was written.
    TRect TextOf(const std::string& Cell) const
    {
        for (const TDrawOp& o : Rec.Ops)
            if (o.Op == "TextOut" && o.Text == Cell) return o.R;
        return TRect(-1, -1, -1, -1);
    }
};

TEST_F(ColumnsPaintTest, CellsFollowTheDisplayOrderAndHiddenColumnsLeaveNoGap)
{
    // Column 2 moved to the front: display order 2, 0, 1.
    C->Items(2)->SetPosition(0);
    struct Case {
        const char* Name;
        bool HideMiddle;
        std::vector<TCell> Expected;
    };
    const Case cases[] = {
        {"all shown", false, {{2, TRect(0, 0, 70, 18)}, {0, TRect(70, 0, 160, 18)}, {1, TRect(160, 0, 220, 18)}}},
        {"column 0 hidden", true, {{2, TRect(0, 0, 70, 18)}, {1, TRect(70, 0, 130, 18)}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Name);
        TLazyTreeColumn* middle = C->Items(0);
        middle->SetOptions(k.HideMiddle ? middle->Options() - TLTColumnOptions(coVisible)
                                        : middle->Options() | coVisible);
        Record();
        ASSERT_EQ(Cells.size(), k.Expected.size());
        for (std::size_t i = 0; i < Cells.size(); ++i) {
            EXPECT_EQ(Cells[i].Column, k.Expected[i].Column) << i;
            EXPECT_EQ(Cells[i].R, k.Expected[i].R) << i;
        }
    }
}

TEST_F(ColumnsPaintTest, OnlyTheMainColumnIsIndentedAndCarriesTheButton)
{
    Record();
    // Row 0 is a parent at level 0: the main column (0, at 0..90) starts after the
    // margin and one indent; the others after the margin only.
    EXPECT_EQ(TextOf("r0c0").Left, 4 + 18 + 2);
    EXPECT_EQ(TextOf("r0c1").Left, 90 + 4 + 2);
    EXPECT_EQ(TextOf("r0c2").Left, 150 + 4 + 2);
    // The child row's main cell is indented one level more; its other cells are not.
    EXPECT_EQ(TextOf("r0c0").Left + 18, [&] {
        for (const TDrawOp& o : Rec.Ops)
            if (o.Op == "TextOut" && o.Text == "r0c0" && o.R.Top >= 18) return o.R.Left;
        return -1;
    }());
    // Tree lines and the button stay inside the main column.
    for (const TDrawOp& o : Rec.Ops) {
        if (o.Op == "SetPixels" && o.Font == Tree->Colors()->TreeLineColor()) {
            EXPECT_LT(o.R.Left, 90);
        }
    }
    // The main column alone under poMainOnly.
    Record({poMainOnly});
    ASSERT_EQ(Cells.size(), 1u);
    EXPECT_EQ(Cells[0].Column, 0);
}

TEST_F(ColumnsPaintTest, ColumnColourAndVerticalGridLines)
{
    C->Items(1)->SetColor(TColor(0x3060C0));
    Tree->TreeOptions()->SetPaintOptions(Tree->TreeOptions()->PaintOptions() | toShowVertGridLines);
    Record({poColumnColor});
    // Each cell gives its right pixel column to the grid line.
    ASSERT_EQ(Cells.size(), 3u);
    EXPECT_EQ(Cells[0].R, TRect(0, 0, 89, 18));
    EXPECT_EQ(Cells[1].R, TRect(90, 0, 149, 18));
    // Only the column with its own colour is filled with it, over its cell.
    std::vector<TRect> filled;
    for (const TDrawOp& o : Rec.Ops)
        if (o.Op == "FillRect" && o.Brush == TColor(0x3060C0)) filled.push_back(o.R);
    // One per row, then the column's stretch below the last row down to the bottom.
    ASSERT_EQ(filled.size(), 4u);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(filled[row], TRect(90, row * 18, 149, row * 18 + 18));
    EXPECT_EQ(filled[3], TRect(90, 3 * 18, 150, 200));
    // Grid dots at x = 89 in the first row.
    const TColor grid = Tree->Colors()->GridLineColor();
    int dots = 0;
    for (const TDrawOp& o : Rec.Ops)
        if (o.Op == "SetPixels" && o.Font == grid && o.R.Left == 89 && o.R.Top < 18) ++dots;
    EXPECT_GT(dots, 4);
}

TEST_F(ColumnsPaintTest, HitTestsCountRowsFromBelowTheVisibleHeader)
{
    Form->Show();
    struct Case {
        bool Visible;
        int Y;
        int Row; // visible row hit, -1 for none
    };
    const Case cases[] = {
        {false, 5, 0}, {false, 20, 1}, {true, 5 + 19, 0}, {true, 20 + 19, 1}, {true, 19 + 3 * 18 + 2, -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "header " << k.Visible << " y " << k.Y);
        H->SetOptions(k.Visible ? H->Options() | hoVisible : H->Options() - TLTHeaderOptions(hoVisible));
        THitInfo hit;
        Tree->GetHitTestInfoAt(40, k.Y, true, hit);
        PLazyNode expected = nullptr;
        if (k.Row >= 0) {
            expected = Tree->GetFirstVisible();
            for (int i = 0; i < k.Row; ++i) expected = Tree->GetNextVisible(expected);
        }
        EXPECT_EQ(hit.HitNode, expected);
    }
    // The rows' view is the client area below the header.
    EXPECT_EQ(Tree->RowAreaHeight(), Tree->ClientHeight() - H->Height());
}

TEST_F(ColumnsPaintTest, PictureOfAHeaderWithASortGlyphAndRowsBelowIt)
{
    H->SetOptions(H->Options() | hoVisible | hoShowSortGlyphs);
    H->SetSortColumn(1);
    H->SetSortDirection(sdDescending);
    C->Items(2)->SetColor(TColor(0xE0F0D0));
    Tree->TreeOptions()->SetPaintOptions(Tree->TreeOptions()->PaintOptions() | toShowVertGridLines |
                                         toShowHorzGridLines);
    Form->Show();
    TBitmap png;
    ASSERT_TRUE(SNAPSHOT(Tree, "tree_columns_header.png", png));
    const int hh = H->Height();
    // The third column's colour fills its cells (150..220) from just below the header,
    // and nothing of it shows in the header strip.
    EXPECT_EQ(Count_Pixels(png, TRect(150, 0, 220, hh), TColor(0xE0F0D0)), 0);
    EXPECT_GT(Count_Pixels(png, TRect(150, hh, 220, hh + 17), TColor(0xE0F0D0)), 60 * 12);
    // Below the last of the three rows the column keeps its colour down to the bottom.
    EXPECT_GT(Count_Pixels(png, TRect(150, hh + 3 * 18, 220, 200), TColor(0xE0F0D0)), 60 * 100);
    EXPECT_EQ(Count_Pixels(png, TRect(0, hh + 3 * 18, 149, 200), TColor(0xE0F0D0)), 0);
    // Row text sits below the header: the first row's band holds dark text pixels.
    EXPECT_GT(Count_Pixels(png, TRect(90, hh, 150, hh + 18), [](TColor c) { return (c & 0xFFFFFF) < 0x404040; }),
              5);
}

} // namespace
