// The cell store: lazy records, merged areas and the redirection of every read and
// write to their base cell, the display-text hooks, keys over merged areas, and the
// range checks of the record and merge operations.
#include <vector>

#include "grid/util/GridTextUtils.h"
#include "platform/rtl/Unicode.h"
#include "tests/common/extgrid_fixture.h"

namespace {
class TLogBaseGrid : public TBaseGrid {
public:
    using TBaseGrid::TBaseGrid;
    std::vector<TPoint> Changed;
    void CellTextChanged(int c, int r) override { Changed.emplace_back(c, r); }
    void SetNormalRowCount(int n) { FNormalRowCount = n; }
};

class BaseGridTest : public ::testing::Test {
protected:
    TForm* Form = nullptr;
    TLogBaseGrid* Grid = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetClientWidth(420);
        Form->SetClientHeight(300);
        Grid = new TLogBaseGrid(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 400, 280);
        Grid->SetColCount(6);
        Grid->SetRowCount(6);
        Form->Show();
    }
    void TearDown() override { delete Form; }
};
}

TEST_F(BaseGridTest, ACellReadBeforeAnyWriteHasNoRecordAndARequestedOneStartsUnmerged)
{
    EXPECT_EQ(Grid->GetCellEx(2, 2), "");
    EXPECT_FALSE(Grid->HasCellObject(2, 2));
    Grid->SetWordWrap(false);
    TCellProperties* p = Grid->GetCellProperties(2, 2);
    ASSERT_TRUE(p);
    EXPECT_TRUE(Grid->HasCellObject(2, 2));
    EXPECT_TRUE(p->IsBaseCell);
    EXPECT_EQ(p->CellSpanX, -1);
    EXPECT_EQ(p->CellSpanY, -1);
    EXPECT_FALSE(p->WordWrap());
    EXPECT_EQ(p->CalcType, acNONE);
    EXPECT_EQ(Grid->GetCellProperties(2, 2), p);   // the same record from then on
}

TEST_F(BaseGridTest, AMergedAreaRedirectsToItsBaseCell)
{
    Grid->SetCellEx(1, 1, "base");
    Grid->MergeCells(1, 1, 3, 2);
    EXPECT_EQ(Grid->MergeCount(), 1);
    struct Case {
        int c, r;
        bool base;
        int spanX, spanY;   // the record's own fields: extents in the base, offsets elsewhere
        TPoint ext;
    };
    const Case cases[] = {
        {1, 1, true, 2, 1, {2, 1}}, {2, 1, false, 1, 0, {1, 1}}, {3, 1, false, 2, 0, {0, 1}},
        {1, 2, false, 0, 1, {2, 0}}, {2, 2, false, 1, 1, {1, 0}}, {3, 2, false, 2, 1, {0, 0}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(IntToStr(k.c) + "," + IntToStr(k.r));
        TCellProperties* p = Grid->GetCellProperties(k.c, k.r);
        EXPECT_EQ(p->IsBaseCell, k.base);
        EXPECT_EQ(p->CellSpanX, k.spanX);
        EXPECT_EQ(p->CellSpanY, k.spanY);
        EXPECT_EQ(Grid->BaseCell(k.c, k.r), TPoint(1, 1));
        EXPECT_EQ(Grid->CellSpan(k.c, k.r), TPoint(2, 1));
        EXPECT_EQ(Grid->CellExt(k.c, k.r), k.ext);
        EXPECT_TRUE(Grid->IsMergedCell(k.c, k.r));
        EXPECT_EQ(Grid->IsMergedNonBaseCell(k.c, k.r), !k.base);
        EXPECT_EQ(Grid->GetCellEx(k.c, k.r), "base");
    }
    // Outside the area nothing is redirected.
    EXPECT_EQ(Grid->BaseCell(4, 1), TPoint(4, 1));
    EXPECT_EQ(Grid->CellSpan(4, 1), TPoint(0, 0));
    int bc = -1, br = -1;
    EXPECT_FALSE(Grid->GetBaseCellOf(3, 2, bc, br));
    EXPECT_EQ(TPoint(bc, br), TPoint(1, 1));
    EXPECT_TRUE(Grid->GetBaseCellOf(1, 1, bc, br));

    // A write anywhere in the area goes to the base cell; the raw slot of the written
    // cell stays as it was.
    Grid->SetCellEx(2, 1, "T");
    EXPECT_EQ(Grid->GetGridCell(1, 1), "T");
    EXPECT_EQ(Grid->GetGridCell(2, 1), "");
    EXPECT_EQ(Grid->GetCellEx(3, 2), "T");
    EXPECT_EQ(Grid->FullCell(3, 2), TRect(1, 1, 3, 2));
    // The area's rectangle on screen spans its columns and rows.
    const TRect r = Grid->CellRect(2, 2);
    EXPECT_EQ(r.Left, Grid->CalcCellRect(1, 1).Left);
    EXPECT_EQ(r.Right, Grid->CalcCellRect(3, 2).Right);
    EXPECT_EQ(r.Bottom, Grid->CalcCellRect(3, 2).Bottom);

    // Splitting from any cell of the area restores every cell and keeps the records.
    Grid->SplitCells(3, 2);
    EXPECT_EQ(Grid->MergeCount(), 0);
    for (const Case& k : cases) {
        TCellProperties* p = Grid->GetCellProperties(k.c, k.r);
        EXPECT_TRUE(p->IsBaseCell);
        EXPECT_EQ(p->CellSpanX, -1);
        EXPECT_EQ(p->CellSpanY, -1);
        EXPECT_FALSE(Grid->IsMergedCell(k.c, k.r));
    }
    EXPECT_EQ(Grid->GetCellEx(3, 2), "");
}

TEST_F(BaseGridTest, EmptyAndSingleCellMerges)
{
    Grid->MergeCells(2, 2, 0, 3);   // counts, changes no cell
    EXPECT_EQ(Grid->MergeCount(), 1);
    EXPECT_FALSE(Grid->HasCellObject(2, 2));
    Grid->MergeCells(4, 4, 1, 1);
    EXPECT_EQ(Grid->MergeCount(), 2);
    EXPECT_FALSE(Grid->IsMergedCell(4, 4));
    EXPECT_EQ(Grid->CellSpan(4, 4), TPoint(0, 0));
    // Splitting a cell that no merge touched changes nothing and counts nothing.
    Grid->SplitCells(0, 5);
    EXPECT_EQ(Grid->MergeCount(), 2);
    EXPECT_FALSE(Grid->HasCellObject(0, 5));
}

TEST_F(BaseGridTest, RecordAndMergeOperationsRefuseCellsOutsideTheGrid)
{
    struct Case {
        const char* what;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"record right of the grid", [&] { Grid->GetCellProperties(6, 0); }},
        {"record below the grid", [&] { Grid->GetCellProperties(0, 6); }},
        {"record at a negative column", [&] { Grid->GetCellProperties(-1, 0); }},
        {"merge starting outside", [&] { Grid->MergeCells(6, 1, 1, 1); }},
        {"merge reaching past the last column", [&] { Grid->MergeCells(4, 1, 3, 1); }},
        {"merge reaching past the last row", [&] { Grid->MergeCells(1, 4, 1, 3); }},
        {"split outside", [&] { Grid->SplitCells(0, 9); }},
        {"records set outside", [&] { Grid->SetCellProperties(9, 9, nullptr); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        try {
            k.call();
            ADD_FAILURE() << "no error";
        } catch (const EExtGridError& e) {
            EXPECT_STREQ(e.what(), "Invalid cell");
        }
    }
    // Nothing was merged or created on the way.
    EXPECT_EQ(Grid->MergeCount(), 0);
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 6; ++r) EXPECT_FALSE(Grid->HasCellObject(c, r));
}

TEST_F(BaseGridTest, WritesNotifyTheBaseCellOnlyForCellsWithARecord)
{
    Grid->SetCellEx(3, 3, "a");
    EXPECT_TRUE(Grid->Changed.empty());
    Grid->MergeCells(2, 2, 2, 2);
    Grid->SetCellEx(3, 3, "b");
    ASSERT_EQ(Grid->Changed.size(), 1u);
    EXPECT_EQ(Grid->Changed[0], TPoint(2, 2));
}

TEST_F(BaseGridTest, AnObjectAttachedToAnEmptyCellLeavesItsTextEmpty)
{
    Grid->SetObjectEx(4, 4, 77);
    EXPECT_EQ(Grid->GetObjectEx(4, 4), 77u);
    EXPECT_EQ(Grid->GetCellEx(4, 4), "");
    EXPECT_EQ(Grid->GetObjectEx(5, 5), 0u);   // no record: nothing
    TObject marker;
    Grid->SetGraphicObjectEx(1, 4, &marker);
    EXPECT_EQ(Grid->GetGraphicObjectEx(1, 4), &marker);
    EXPECT_EQ(Grid->GetCellEx(1, 4), "");
    Grid->GetCellProperties(1, 4)->FGraphicObject = nullptr;   // not the grid's to free
}

TEST_F(BaseGridTest, DisplayHooksApplyOnlyAboveTheNormalRowCount)
{
    Grid->SetCellEx(1, 1, "plain");
    Grid->OnGetDisplText = [](TObject*, int, int, String& v) { v = "<" + v + ">"; };
    EXPECT_EQ(Grid->GetCellEx(1, 1), "plain");   // FNormalRowCount is 0 in the base grid
    Grid->SetNormalRowCount(2);
    EXPECT_EQ(Grid->GetCellEx(1, 1), "<plain>");
    Grid->SetCellEx(1, 3, "low");
    EXPECT_EQ(Grid->GetCellEx(1, 3), "low");
    // The wide hook gets the unpacked text and answers in the packed form.
    Grid->OnGetDisplText = nullptr;
    std::u16string seen;
    Grid->OnGetDisplWideText = [&](TObject*, int, int, std::u16string& v) {
        seen = v;
        v += u"\u00e9";
    };
    EXPECT_EQ(Grid->GetCellEx(1, 1), PackWideText("plain\xc3\xa9"));
    EXPECT_EQ(seen, u"plain");
    EXPECT_EQ(UnpackWideText(Grid->GetCellEx(1, 1)), "plain\xc3\xa9");
}

TEST_F(BaseGridTest, KeysLeaveAMergedAreaAndLandOnBaseCells)
{
    Grid->MergeCells(1, 1, 3, 2);   // columns 1..3, rows 1..2
    UserFocus(Grid);
    struct Case {
        TPoint from;
        WORD key;
        TPoint to;
    };
    const Case cases[] = {
        {{1, 1}, VK_RIGHT, {4, 1}}, {{4, 1}, VK_LEFT, {1, 1}}, {{1, 1}, VK_DOWN, {1, 3}},
        {{1, 3}, VK_UP, {1, 1}},    {{2, 3}, VK_UP, {1, 1}},   {{4, 2}, VK_LEFT, {1, 1}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(IntToStr(k.from.X) + "," + IntToStr(k.from.Y) + " key " + IntToStr(k.key));
        Grid->FocusCell(k.from.X, k.from.Y, true);
        UserKey(Grid, k.key);
        EXPECT_EQ(TPoint(Grid->Col(), Grid->Row()), k.to);
    }
}

TEST_F(BaseGridTest, RecordsOfRowsThatFallOffAreFreedAndHiddenColumnCellsStay)
{
    Grid->GetCellProperties(2, 5)->CellObject = 5;
    Grid->SetRowCount(4);
    Grid->SetRowCount(6);
    EXPECT_FALSE(Grid->HasCellObject(2, 5));
    // Columns beyond ColCount keep their cells (the feature grid hides columns this way).
    Grid->SetCellEx(5, 1, "kept");
    Grid->SetColCount(4);
    EXPECT_EQ(Grid->GetGridCell(5, 1), "kept");
    Grid->SetColCount(6);
    EXPECT_EQ(Grid->GetCellEx(5, 1), "kept");
}
