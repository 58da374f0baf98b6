// A grid's layout and print settings written, changed and read back: the column states
// text, widths and order in a settings file and in the per-user store (also through the
// grid's own start and end), print settings, and files that are damaged or forged.
#include <fstream>

#include "grid/core/ExchangeHooks.h"
#include "grid/util/GridSupport.h"
#include "gridext/settings/GridLayout.h"
#include "platform/os/Files.h"
#include "platform/os/UserStore.h"
#include "tests/common/TestFolder.h"
#include "tests/gridext/exchange/exchange_fixture.h"

using namespace GridLayout;

class LayoutTest : public ExchangeTest {
public:
    void SetUp() override
    {
        ExchangeTest::SetUp();
        SetUserStoreFolder(Dir + "/user");
        Grid->SetColCount(3);
    }
    void TearDown() override
    {
        SetUserStoreFolder("");
        GridExchangeHooks() = TGridExchangeHooks();
        ExchangeTest::TearDown();
    }
    void Widths(TExtStringGrid* G, std::vector<int> W)
    {
        for (size_t c = 0; c < W.size(); ++c) G->SetColWidths(int(c), W[c]);
    }
    String WidthsOf(TExtStringGrid* G)
    {
        String s;
        for (int c = 0; c < G->ColCount(); ++c) s += IntToStr(G->ColWidths(c)) + ",";
        return s;
    }
};

TEST_F(LayoutTest, ColumnStatesTextDescribesWidthsOrderAndHiddenColumns)
{
    EXPECT_EQ(ColumnStatesToString(*Grid), "3#64,64,64#0,1,2#1,1,1");
    Grid->SetColWidths(0, 40);
    Grid->SetColWidths(2, 90);
    Grid->HideColumn(1);
    const String text = ColumnStatesToString(*Grid);
    EXPECT_EQ(text.substr(0, 2), "3#");
    EXPECT_NE(text.find("#0,1,2#1,0,1"), String::npos) << text;

    TExtStringGrid* fresh = NewGrid();
    fresh->SetColCount(3);
    StringToColumnStates(*fresh, text);
    EXPECT_TRUE(fresh->IsHiddenColumn(1));
    EXPECT_EQ(fresh->ColCount(), 2);
    EXPECT_EQ(fresh->GetAllColWidths(0), 40);
    EXPECT_EQ(fresh->GetAllColWidths(2), 90);
    // A moved order comes back.
    TExtStringGrid* moved = NewGrid();
    moved->SetColCount(3);
    StringToColumnStates(*moved, "3#10,20,30#2,0,1#1,1,1");
    moved->SetCellEx(0, 0, "x");
    EXPECT_EQ(ColumnStatesToString(*moved), "3#10,20,30#2,0,1#1,1,1");

    // Damaged texts: no "#" changes nothing, a bad width is refused before any change.
    StringToColumnStates(*moved, "garbage");
    EXPECT_THROW(StringToColumnStates(*moved, "3#10,x,30#0,1,2#1,1,1"), EConvertError);
    EXPECT_THROW(StringToColumnStates(*moved, "3#10,99999999,30#0,1,2#1,1,1"), EConvertError);
    EXPECT_EQ(ColumnStatesToString(*moved), "3#10,20,30#2,0,1#1,1,1");
    // An order that is not each column once is read without a crash and not applied.
    StringToColumnStates(*moved, "3#10,20,30#7,7,-5#1,1,1");
    EXPECT_EQ(moved->ColCount(), 3);
}

TEST_F(LayoutTest, SizesAndPositionsRoundTripInASettingsFileAndInTheUserStore)
{
    for (TColumnSizeLocation where : {clIniFile, clRegistry}) {
        SCOPED_TRACE(where == clIniFile ? "settings file" : "user store");
        TColumnSize* cs = Grid->ColumnSize();
        cs->Location = where;
        cs->Key = where == clIniFile ? Path("layout.ini") : "Software\\Test\\Layout";
        cs->Section = "Grid1";
        Widths(Grid, {30, 50, 70});
        Grid->MoveColumn(2, 0);
        SaveColSizes(*Grid);
        SaveColPositions(*Grid);

        TExtStringGrid* g = NewGrid();
        g->SetColCount(3);
        g->ColumnSize()->Assign(cs);
        // The widths were kept by displayed position: the order comes first.
        LoadColPositions(*g);
        LoadColSizes(*g);
        EXPECT_EQ(WidthsOf(g), WidthsOf(Grid));
        EXPECT_EQ(g->ColumnOrder()->StrValue(), Grid->ColumnOrder()->StrValue());
        // Changed and written again: the new values win.
        g->SetColWidths(1, 111);
        SaveColSizes(*g);
        TExtStringGrid* h = NewGrid();
        h->SetColCount(3);
        h->ColumnSize()->Assign(cs);
        LoadColSizes(*h);
        EXPECT_EQ(h->ColWidths(1), 111);
        Grid->ResetColumnOrder();
    }
}

TEST_F(LayoutTest, PartialDamagedAndForgedSettingsChangeOnlyWhatIsSound)
{
    TColumnSize* cs = Grid->ColumnSize();
    cs->Location = clIniFile;
    cs->Key = Path("partial.ini");
    cs->Section = "G";
    Put(cs->Key, "[G]\r\nCol0=33\r\nCol2=999999\r\nPos0=0\r\nPos1=0\r\nPos2=9\r\n");
    Widths(Grid, {64, 64, 64});
    LoadColSizes(*Grid);
    LoadColPositions(*Grid);
    EXPECT_EQ(WidthsOf(Grid), "33,64,64,");
    EXPECT_EQ(Grid->GetCellEx(0, 0), "");
    // No "Pos0": the order stays.
    Put(cs->Key, "[G]\r\nPos1=0\r\n");
    Grid->MoveColumn(0, 2);
    const String before = Grid->ColumnOrder()->StrValue();
    LoadColPositions(*Grid);
    EXPECT_EQ(Grid->ColumnOrder()->StrValue(), before);
    // A file far too large is refused whole.
    Put(cs->Key, "[G]\r\nCol1=20\r\n" + String(TIniFile::MaxFileSize, ';'));
    EXPECT_THROW(LoadColSizes(*Grid), EIniFileError);
    EXPECT_EQ(Grid->ColWidths(1), 64);
    // Nothing happens without a key or a section.
    cs->Section = "";
    SaveColSizes(*Grid);
    EXPECT_EQ(ReadFileBytes(cs->Key).size(), TIniFile::MaxFileSize + 14);
}

TEST_F(LayoutTest, GridsWithSaveOnKeepTheirLayoutFromOneLifeToTheNext)
{
    InstallGridLayout();
    auto make = [&] {
        TExtStringGrid* g = NewGrid();
        g->SetColCount(3);
        g->ColumnSize()->Save = true;
        g->ColumnSize()->Key = "Software\\Test";
        g->ColumnSize()->Section = "Kept";
        return g;
    };
    TExtStringGrid* g = make();
    g->Loaded();
    Widths(g, {21, 22, 23});
    delete g;
    TExtStringGrid* again = make();
    again->Loaded();
    EXPECT_EQ(WidthsOf(again), "21,22,23,");
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("software/test/kept", false));
    EXPECT_EQ(reg.ReadInteger("Col1"), 22);
    EXPECT_THROW(reg.ReadInteger("Col9"), ERegistryException);
}

TEST_F(LayoutTest, PrintSettingsAreWrittenAndReadBack)
{
    TPrintSettings* p = Grid->PrintSettings();
    p->TitleLines()->SetText("first\r\nsecond");
    p->TitleText = "  padded  ";
    p->Borders = pbAround;
    p->Orientation = poLandscape;
    p->Date = ppBottomRight;
    p->Font()->SetName("Courier New");
    p->Font()->SetSize(12);
    p->Font()->SetStyle(TFontStyles() << fsBold);
    p->Centered = false;
    const String ini = Path("print.ini");
    SavePrintSettings(*Grid, ini, "Print");
    EXPECT_NE(ReadFileBytes(ini).find("TitleLines=first\\nsecond\\n\r\n"), String::npos) << ReadFileBytes(ini);

    TExtStringGrid* g = NewGrid();
    TPrintSettings* q = g->PrintSettings();
    q->Font()->SetStyle(TFontStyles() << fsUnderline);
    LoadPrintSettings(*g, ini, "Print");
    EXPECT_EQ(q->TitleLines()->Count(), 2);
    EXPECT_EQ((*q->TitleLines())[1], "second");
    EXPECT_EQ(q->TitleText, "  padded  ");
    EXPECT_EQ(q->Borders, pbAround);
    EXPECT_EQ(q->Orientation, poLandscape);
    EXPECT_EQ(q->Date, ppBottomRight);
    EXPECT_EQ(q->Font()->Name(), "Courier New");
    EXPECT_FALSE(q->Centered);
    // Styles read are added to the font's own.
    EXPECT_TRUE(q->Font()->Style().Contains(fsBold));
    EXPECT_TRUE(q->Font()->Style().Contains(fsUnderline));

    // Values out of range leave the setting; a missing file gives the defaults.
    Put(ini, "[Print]\r\nBorders=77\r\nOrientation=-1\r\nDate=9\r\nFontSize=-5\r\n");
    LoadPrintSettings(*g, ini, "Print");
    EXPECT_EQ(q->Borders, pbAround);
    EXPECT_EQ(q->Orientation, poLandscape);
    EXPECT_EQ(q->Date, ppNone);
    EXPECT_EQ(q->Font()->Size(), 12);
    EXPECT_EQ(q->ColumnSpacing, 20);
}

TEST(SettingsFile, ValuesKeepTheirTextAndLineBreaksCannotForgeKeys)
{
    TIniFile f = TIniFile::FromText("[A]\r\nx = 1 \r\n;note\r\n[b]\nY=\"quoted\"\n");
    EXPECT_EQ(f.ReadInteger("a", "X", 0), 1);
    EXPECT_EQ(f.ReadString("B", "y", ""), "quoted");
    f.WriteString("A", "evil", "v\r\n[A]\r\nx=2");
    f.WriteString("A", "blank", " b ");
    // A control character at an end is trimmed by the reader just like a blank.
    f.WriteString("A", "control", std::string("\0x\x03", 3));
    const TIniFile g = TIniFile::FromText(f.Text());
    EXPECT_EQ(g.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(g.ReadString("A", "evil", ""), "v  [A]  x=2");
    EXPECT_EQ(g.ReadString("A", "blank", ""), " b ");
    EXPECT_EQ(g.ReadString("A", "control", ""), std::string("\0x\x03", 3));
    EXPECT_EQ(g.Sections().size(), 2u);
}
