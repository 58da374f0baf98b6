// Cells of the column grid as numbers, through the grid and through the column items,
// and the column settings carried by the stream component.
#include <gtest/gtest.h>

#include <sstream>

#include "grid/columns/ExtColumnGrid.h"
#include "platform/os/Regional.h"
#include "tests/common/colgrid_fixture.h"

namespace {

class ColGridTypedTest : public ColGridTest {
protected:
    void SetUp() override
    {
        ColGridTest::SetUp();
        LoadAsForm(Grid, 5, 6);
        SetDecimalSeparatorOverride('.');
        SetThousandSeparatorOverride(',');
    }
    void TearDown() override
    {
        SetDecimalSeparatorOverride(0);
        SetThousandSeparatorOverride(0);
        ColGridTest::TearDown();
    }
};

TEST_F(ColGridTypedTest, IntegersReadFromTheShownTextAndRefuseOtherText)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {{" 12 ", 12}, {"-", 0}, {"", 0}, {"<b>7</b>", 7}, {"$1F", 31}, {"-0x10", -16}};
    TGridColumnItem* item = Grid->Columns()->Items(3);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        item->SetRows(2, c.text);
        EXPECT_EQ(item->GetInts(2), c.value);
        EXPECT_EQ(Grid->GetInts(3, 2), c.value);
    }
    for (const char* bad : {"12a", "1.5", "Y"}) {
        item->SetRows(2, bad);
        try {
            item->GetInts(2);
            ADD_FAILURE() << bad;
        } catch (const EExtGridError& e) {
            EXPECT_STREQ(e.what(), "Cell does not contain integer value");
        }
    }
    item->SetInts(4, -305);
    EXPECT_EQ(Grid->GetCellEx(3, 4), "-305");
}

TEST_F(ColGridTypedTest, FloatsUseTheColumnsFormatAndReadFormattedNumbersBack)
{
    TGridColumnItem* item = Grid->Columns()->Items(4);
    item->SetFloats(1, 3.14159);
    EXPECT_EQ(Grid->GetCellEx(4, 1), "3.14");
    item->SetFloatFormat("%.3f");
    item->SetFloats(1, 2.5);
    EXPECT_EQ(Grid->GetCellEx(4, 1), "2.500");
    EXPECT_DOUBLE_EQ(item->GetFloats(1), 2.5);
    const struct {
        const char* text;
        double value;
    } cases[] = {{"(1,234.50)", -1234.5}, {"USD 12", 12}, {"-", 0}, {"<i>0.25</i>", 0.25}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        item->SetRows(2, c.text);
        EXPECT_DOUBLE_EQ(item->GetFloats(2), c.value);
    }
    item->SetRows(2, "none");
    EXPECT_THROW(item->GetFloats(2), EExtGridError);
}

TEST_F(ColGridTypedTest, FloatsFollowTheRegionalDecimalSeparator)
{
    SetDecimalSeparatorOverride(',');
    SetThousandSeparatorOverride('.');
    TGridColumnItem* item = Grid->Columns()->Items(4);
    item->SetFloats(3, -1234.5);
    EXPECT_EQ(Grid->GetCellEx(4, 3), "-1234,50");
    EXPECT_DOUBLE_EQ(item->GetFloats(3), -1234.5);
    item->SetRows(3, "(1.234,50)");
    EXPECT_DOUBLE_EQ(item->GetFloats(3), -1234.5);
}

TEST_F(ColGridTypedTest, DatesAndTimesUseTheRegionalPatternsBothWays)
{
    SetShortDateFormatOverride("dd.mm.yyyy");
    SetLongTimeFormatOverride("hh:nn:ss");
    TGridColumnItem* item = Grid->Columns()->Items(3);
    const TDateTime d = EncodeDate(2024, 2, 29);
    item->SetDates(1, d);
    EXPECT_EQ(Grid->GetCellEx(3, 1), "29.02.2024");
    EXPECT_DOUBLE_EQ(item->GetDates(1), d);
    // Day 1 of the calendar is 31 December 1899; 0 and before are no dates.
    item->SetDates(2, 1);
    EXPECT_EQ(Grid->GetCellEx(3, 2), "31.12.1899");
    Grid->ShowNullDates = false;
    item->SetDates(2, 0);
    EXPECT_EQ(Grid->GetCellEx(3, 2), "");
    const TDateTime t = EncodeTime(17, 5, 9, 0);
    item->SetTimes(3, t);
    EXPECT_EQ(Grid->GetCellEx(3, 3), "17:05:09");
    EXPECT_NEAR(item->GetTimes(3), t, 1e-9);
    // Another region writes the parts in its own order.
    SetShortDateFormatOverride("mm/dd/yy");
    item->SetDates(1, d);
    EXPECT_EQ(Grid->GetCellEx(3, 1), "02/29/24");
    EXPECT_DOUBLE_EQ(item->GetDates(1), d);
    for (const char* bad : {"", "31.02.2023", "hello", "02/30/24"}) {
        SCOPED_TRACE(bad);
        item->SetRows(4, bad);
        EXPECT_THROW(item->GetDates(4), EConvertError);
    }
    SetShortDateFormatOverride("");
    SetLongTimeFormatOverride("");
}

TEST(DateTimeTest, DaysCountFromTheEndOf1899AcrossCenturiesAndLeapYears)
{
    const struct {
        int y, m, d;
        double serial;
    } cases[] = {{1899, 12, 30, 0}, {1900, 1, 1, 2}, {1900, 3, 1, 61}, {2000, 2, 29, 36585}, {2000, 3, 1, 36586},
                 {2024, 12, 31, 45657}, {1800, 1, 1, -36522}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.serial);
        EXPECT_DOUBLE_EQ(EncodeDate(c.y, c.m, c.d), c.serial);
        int y, m, d;
        DecodeDate(c.serial + 0.75, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
    }
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_EQ(FormatDateTime("d.m.yy h:nn", EncodeDate(2005, 7, 4) + EncodeTime(8, 3, 0, 0)), "4.7.05 8:03");
}

TEST_F(ColGridTypedTest, TheStreamComponentCarriesEverySettingAndLeavesTheGridAlone)
{
    TGridColumnItem* src = Grid->Columns()->Items(2);
    src->SetHeader("Address");
    src->SetColumnPopupType(cpAllCellsLClick);
    src->SetPrintFontCustom(false);
    src->ComboItems()->Add("a");
    std::stringstream st;
    {
        TExtColumnGridIO io(Grid);
        io.SetItems(Grid->Columns());
        // Items of the component are no columns: the grid keeps its count and headers.
        io.Items()->Add();
        EXPECT_EQ(Grid->ColCount(), 5);
        EXPECT_EQ(Grid->Columns()->Count(), 5);
        io.Items()->Delete(5);
        io.WriteToStream(st);
    }
    TExtColumnGridIO back(Grid);
    back.ReadFromStream(st);
    ASSERT_EQ(back.Items()->Count(), 5);
    const TGridColumnItem* b = back.Items()->Items(2);
    EXPECT_EQ(b->Header(), "Address");
    EXPECT_EQ(b->ColumnPopupType(), cpAllCellsLClick);
    EXPECT_FALSE(b->PrintFontCustom());
    EXPECT_EQ(b->ComboItems()->Count(), 1);
    EXPECT_EQ(b->Editor(), edComboList);
    EXPECT_EQ(Grid->GetCellEx(2, 0), "Address");
    std::stringstream junk("not columns");
    EXPECT_THROW(back.ReadFromStream(junk), EConvertError);
    EXPECT_EQ(back.Items()->Count(), 5);
}

}  // namespace
