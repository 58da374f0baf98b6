// Typed values of the feature grid beyond the column grid's: cells of hidden rows by
// real row, form-control values inside cells, and the small accessors beside them.
#include <gtest/gtest.h>

#include "grid/columns/ExtColumnGrid.h"
#include "platform/os/Regional.h"
#include "tests/common/extgrid_fixture.h"

namespace {

class TypedTest : public ExtGridTest {
protected:
    void SetUp() override
    {
        ExtGridTest::SetUp();
        Fill(4, 6);
        SetDecimalSeparatorOverride('.');
        SetThousandSeparatorOverride(',');
    }
    void TearDown() override
    {
        SetDecimalSeparatorOverride(0);
        SetThousandSeparatorOverride(0);
        SetShortDateFormatOverride("");
        SetLongTimeFormatOverride("");
        ExtGridTest::TearDown();
    }
};

TEST_F(TypedTest, HiddenRowsAreReadAndWrittenByTheirRealRow)
{
    Grid->HideRow(2);   // real row 2 leaves the grid; real row 3 shows as row 2
    Grid->SetAllInts(1, 2, 42);
    Grid->SetAllFloats(2, 2, 1234.5);
    Grid->SetAllInts(1, 3, -7);
    EXPECT_EQ(Grid->GetCellsEx(1, 2), "42");
    EXPECT_EQ(Grid->GetCellsEx(2, 2), "1234.50");
    EXPECT_EQ(Grid->GetCellEx(1, 2), "-7");   // the shown row 2 is real row 3
    EXPECT_EQ(Grid->GetAllInts(1, 2), 42);
    EXPECT_DOUBLE_EQ(Grid->GetAllFloats(2, 2), 1234.5);
    EXPECT_EQ(Grid->GetAllInts(1, 3), -7);
    // The raw text is read: tags are not taken out, as GetInts does.
    Grid->SetAllInts(1, 4, 0);
    Grid->SetCellsEx(1, 4, "<b>7</b>");
    EXPECT_EQ(Grid->GetInts(1, 3), 7);
    EXPECT_THROW(Grid->GetAllInts(1, 4), EExtGridError);
    // All floats are written with the grid's format and the regional separator.
    SetDecimalSeparatorOverride(',');
    SetThousandSeparatorOverride('.');
    Grid->FloatFormat = "%.3f";
    Grid->SetAllFloats(2, 2, -0.5);
    EXPECT_EQ(Grid->GetCellsEx(2, 2), "-0,500");
    EXPECT_DOUBLE_EQ(Grid->GetAllFloats(2, 2), -0.5);
    const struct {
        const char* text;
        double value;
    } cases[] = {{"(1.234,50)", -1234.5}, {"-", 0}, {"", 0}, {" 12 ", 12}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Grid->SetCellsEx(2, 2, c.text);
        EXPECT_DOUBLE_EQ(Grid->GetAllFloats(2, 2), c.value);
    }
    for (const char* bad : {"1,2,3", "none"}) {
        Grid->SetCellsEx(2, 2, bad);
        try {
            Grid->GetAllFloats(2, 2);
            ADD_FAILURE() << bad;
        } catch (const EExtGridError& e) {
            EXPECT_STREQ(e.what(), "Cell does not contain a float value");
        }
    }
}

TEST_F(TypedTest, NullDatesAreEmptyUnlessAskedForAndUnreadableTimesRaise)
{
    SetShortDateFormatOverride("yyyy-mm-dd");
    SetLongTimeFormatOverride("hh:nn:ss");
    EXPECT_FALSE(Grid->ShowNullDates);
    for (double d : {0.0, -3.0}) {
        Grid->SetCellEx(1, 1, "old");
        Grid->SetDates(1, 1, d);
        EXPECT_EQ(Grid->GetCellEx(1, 1), "");
    }
    Grid->ShowNullDates = true;
    Grid->SetDates(1, 1, 0);
    EXPECT_EQ(Grid->GetCellEx(1, 1), "1899-12-30");
    Grid->SetTimes(1, 2, EncodeTime(0, 0, 1, 0));
    EXPECT_EQ(Grid->GetCellEx(1, 2), "00:00:01");
    for (const char* bad : {"", "25:00:00", "noon", "12:61:00"}) {
        SCOPED_TRACE(bad);
        Grid->SetCellEx(1, 2, bad);
        EXPECT_THROW(Grid->GetTimes(1, 2), EConvertError);
    }
}

TEST_F(TypedTest, FormControlValuesAreReadAndWrittenInsideTheCellText)
{
    const String cell = "Name <CONTROL TYPE=\"EDIT\" ID=\"ed1\" VALUE=\"Ann\" WIDTH=\"60\"> and "
                        "<control type=CHECK id=ck1 value=TRUE> <CONTROL TYPE=\"COMBO\" ID=\"cb\">";
    const struct {
        const char* id;
        const char* value;       // read before
        const char* newValue;
        const char* cellAfter;   // the part of the text that holds the new value
    } cases[] = {
        {"ed1", "Ann", "Bob Lee", "ID=\"ed1\" VALUE=\"Bob Lee\" WIDTH"},
        {"ED1", "Ann", "a\"b", "VALUE=\"a&quot;b\""},
        {"ck1", "TRUE", "FALSE", "id=ck1 value=\"FALSE\">"},
        {"cb", "", "x", "ID=\"cb\" VALUE=\"x\">"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        Grid->SetCellEx(1, 1, cell);
        EXPECT_EQ(Grid->GetCtrlVal(1, 1, c.id), c.value);
        Grid->SetCtrlVal(1, 1, c.id, c.newValue);
        EXPECT_NE(Grid->GetCellEx(1, 1).find(c.cellAfter), String::npos) << Grid->GetCellEx(1, 1);
        EXPECT_EQ(Grid->GetCtrlVal(1, 1, c.id), c.newValue);
    }
    // An ID the cell does not hold reads empty and leaves the cell as it was.
    Grid->SetCellEx(1, 1, cell);
    EXPECT_EQ(Grid->GetCtrlVal(1, 1, "nope"), "");
    Grid->SetCtrlVal(1, 1, "nope", "x");
    EXPECT_EQ(Grid->GetCellEx(1, 1), cell);
    Grid->SetCellEx(1, 2, "<CONTROL TYPE=\"EDIT\" ID=\"cut\" VALUE=\"v\"");   // no closing ">"
    EXPECT_EQ(Grid->GetCtrlVal(1, 2, "cut"), "");
}

TEST_F(TypedTest, SmallAccessorsBesideTheTypedValues)
{
    Grid->SetCellEx(1, 1, "|\\x");
    Grid->SetCellEx(2, 1, "a|\\");
    EXPECT_TRUE(Grid->IsWideCell(1, 1));
    EXPECT_FALSE(Grid->IsWideCell(2, 1));
    EXPECT_EQ(Grid->Version(), "6.2.1.3");
    Grid->SetVersion("1.0.0.0");
    EXPECT_EQ(Grid->Version(), "6.2.1.3");
    TExtColumnGrid colGrid(nullptr);
    EXPECT_EQ(colGrid.Version(), "3.1.3.1");
    TStringList items;
    items.Add("alpha");
    items.Add("beta");
    Grid->SetLookupItems(&items);
    items.Add("gamma");   // a copy: later changes of the source stay out
    EXPECT_EQ(Grid->LookupItems()->Count(), 2);
    Grid->SetLookupItems(nullptr);
    EXPECT_EQ(Grid->LookupItems()->Count(), 0);
    Grid->MaxWidths[0] = 80;
    Grid->Indents[511] = 900;
    EXPECT_EQ(Grid->GetPrintColWidth(0), 80);
    EXPECT_EQ(Grid->GetPrintColOffset(511), 900);
    for (int col : {-1, 512, 100000}) {
        SCOPED_TRACE(col);
        try {
            Grid->GetPrintColWidth(col);
            ADD_FAILURE();
        } catch (const EExtGridError& e) {
            EXPECT_STREQ(e.what(), "Columns is not in valid range");
        }
        EXPECT_THROW(Grid->GetPrintColOffset(col), EExtGridError);
    }
}

}  // namespace
