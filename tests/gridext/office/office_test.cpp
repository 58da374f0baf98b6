// The grid's spreadsheet, document and database routines: the calls they make, in order,
// against recording stand-ins; then the real back ends, checked by outside readers.
#include <gtest/gtest.h>

#include "gridext/office/GridOffice.h"
#include "tests/gridext/exchange/exchange_fixture.h"
#include "tests/gridext/office/office_fakes.h"

using namespace GridExchange;
using Lines = std::vector<std::string>;

namespace {

class OfficeCallsTest : public ExchangeTest {
public:
    TCallLog Log;
    TFakeSpreadsheet* Sheet = nullptr;      // the stand-in the next routine gets
    TFakeSpreadsheet* Running = nullptr;    // a program "already running", when set
    TFakeWordProcessor* Word = nullptr;

    void SetUp() override
    {
        ExchangeTest::SetUp();
        delete Sheet;
        Sheet = new TFakeSpreadsheet(Log);
        delete Word;
        Word = new TFakeWordProcessor(Log);
        Office::SetSpreadsheetFactory(
            [this] { return std::unique_ptr<Office::ISpreadsheet>(std::exchange(Sheet, nullptr)); },
            [this] { return std::unique_ptr<Office::ISpreadsheet>(std::exchange(Running, nullptr)); });
        Office::SetWordProcessorFactory(
            [this] { return std::unique_ptr<Office::IWordProcessor>(std::exchange(Word, nullptr)); });
    }
    void TearDown() override
    {
        Office::SetSpreadsheetFactory({});
        Office::SetWordProcessorFactory({});
        Office::SetDatabaseFactory({});
        delete Sheet;
        delete Running;
        delete Word;
        ExchangeTest::TearDown();
    }
    // Lines of the log that start with one of the prefixes, in order.
    Lines Only(std::initializer_list<std::string> Prefixes) const
    {
        Lines out;
        for (const auto& l : Log.Lines)
            for (const auto& p : Prefixes)
                if (l.rfind(p, 0) == 0) {
                    out.push_back(l);
                    break;
                }
        return out;
    }
};

TEST(SheetRangeTest, UsedRangeAddressesSplitIntoCorners)
{
    struct TCase {
        const char* Address;
        int FirstRow, FirstCol, LastRow, LastCol;
        bool Single;
    } cases[] = {
        {"$B$2:$D$5", 2, 2, 5, 4, false},
        {"$C$3", 3, 3, 3, 3, true},
        {"C3", 1, 1, 1, 1, true},              // no "$": everything 1
        {"1:20", 1, 1, 20, 256, false},        // whole rows
        {"$AB$7:$AD$9", 7, 28, 9, 30, false},
        {"$ZZ$1:$AAA$2", 1, 702, 2, 703, false},   // three letters read past ZZ
        {"$A$x:$B$2", -1, 1, 2, 2, false},     // a row that is no number
    };
    for (const auto& c : cases) {
        const TSheetRange r = SplitUsedRange(c.Address);
        EXPECT_EQ(r.FirstRow, c.FirstRow) << c.Address;
        EXPECT_EQ(r.FirstCol, c.FirstCol) << c.Address;
        EXPECT_EQ(r.LastRow, c.LastRow) << c.Address;
        EXPECT_EQ(r.LastCol, c.LastCol) << c.Address;
        EXPECT_EQ(r.Single, c.Single) << c.Address;
    }
    EXPECT_FALSE(SplitUsedRange("$A$x:$B$2").Valid());
}

TEST_F(OfficeCallsTest, ImportReadsTheUsedRangeAtOnceAndQuits)
{
    Sheet->Used = "$B$2:$D$5";
    Sheet->Cells[{2, 2}] = Office::TCellValue::OfText("B2");
    Sheet->Cells[{5, 4}] = Office::TCellValue::OfNumber(2.5);
    Sheet->Cells[{3, 3}] = {Office::TCellValue::Error, "#DIV/0!", 0};
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    Grid->SaveFixedCells = true;
    Grid->SetCells(2, 2, "stale");                 // sheet cell D4 is empty
    Grid->SetCells(1, 1, "kept under an error");   // sheet cell C3 holds an error
    LoadFromXLS(*Grid, "book.xlsx");
    EXPECT_EQ(Log.Lines, (Lines{"WorkBooks.Open(book.xlsx)", "ActiveSheet", "UsedRange.Address", "Range(B2:D5).Value",
                                "Close(SaveChanges=false)", "Quit"}));
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->RowCount(), 4);
    EXPECT_EQ(Grid->Cells(0, 0), "B2");
    EXPECT_EQ(Grid->Cells(2, 3), "2.5");
    EXPECT_EQ(Grid->Cells(2, 2), "");                      // an empty sheet cell empties the grid cell
    EXPECT_EQ(Grid->Cells(1, 1), "kept under an error");   // error values are left out
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(OfficeCallsTest, ImportOffsetsByFixedCellsWhenTheyAreNotSaved)
{
    Sheet->Used = "$A$1:$B$2";
    Sheet->Cells[{1, 1}] = Office::TCellValue::OfText("first");
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    Grid->SaveFixedCells = false;
    LoadFromXLS(*Grid, "book.xlsx");
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Grid->FixedCols(), 1);
    EXPECT_EQ(Grid->FixedRows(), 1);
    EXPECT_EQ(Grid->Cells(1, 1), "first");
}

TEST_F(OfficeCallsTest, ImportOfASingleCellReadsItThroughRowsCells)
{
    Sheet->Used = "$C$3";
    Sheet->Cells[{3, 3}] = Office::TCellValue::OfText("alone");
    LoadFromXLS(*Grid, "book.xlsx");
    EXPECT_EQ(Only({"Rows.Cells", "Range"}), (Lines{"Rows.Cells(3,3)"}));
    EXPECT_EQ(Grid->Cells(0, 0), "alone");
}

TEST_F(OfficeCallsTest, ImportByNameTakesTheLastSheetOfThatName)
{
    Sheet->Sheets = {"Data", "Other", "Data"};
    LoadFromXLSSheet(*Grid, "book.xlsx", "Data");
    EXPECT_EQ(Only({"Sheets", "ActiveSheet"}), (Lines{"Sheets(3)"}));
}

TEST_F(OfficeCallsTest, ImportOfAMissingSheetRaisesAndStillQuits)
{
    Sheet->Sheets = {"Data"};
    Screen->SetCursor(crHandPoint);
    try {
        LoadFromXLSSheet(*Grid, "book.xlsx", "Summary");
        FAIL() << "no error";
    } catch (const EExtGridError& e) {
        EXPECT_EQ(e.Message(), "Excel worksheet Summary not found");
    }
    EXPECT_EQ(Log.Lines.back(), "Quit");
    EXPECT_EQ(Screen->Cursor(), crHandPoint);
    Screen->SetCursor(crDefault);
}

TEST_F(OfficeCallsTest, WithoutABackEndTheProgramIsNotFound)
{
    Office::SetSpreadsheetFactory([] { return nullptr; });
    Office::SetWordProcessorFactory([] { return nullptr; });
    EXPECT_THROW(
        try { LoadFromXLS(*Grid, "a.xlsx"); } catch (const EExtGridError& e) {
            EXPECT_EQ(e.Message(), "Excel OLE server not found");
            throw;
        },
        EExtGridError);
    EXPECT_THROW(
        try { SaveToDOC(*Grid, "a.docx"); } catch (const EExtGridError& e) {
            EXPECT_EQ(e.Message(), "Word OLE server not found");
            throw;
        },
        EExtGridError);
}

TEST_F(OfficeCallsTest, ExportAddressesCoverTheColumnsWritten)
{
    struct TCase {
        int Cols;
        const char* Address;
    } cases[] = {{1, "A1:A3"}, {26, "A1:Z3"}, {27, "A1:AA3"}, {28, "A1:AB3"}, {52, "A1:AZ3"}, {53, "A1:BA3"},
                 {703, "A1:AAA3"}};
    for (const auto& c : cases) {
        Log = {};
        delete Sheet;
        Sheet = new TFakeSpreadsheet(Log);
        Grid->SetColCount(c.Cols);
        Grid->SetRowCount(3);
        Grid->SetCells(c.Cols - 1, 2, "last");
        SaveToXLS(*Grid, "out.xlsx");
        EXPECT_EQ(Log.WrittenAddress, c.Address) << c.Cols;
        ASSERT_EQ(Log.Written.size(), 3u);
        EXPECT_EQ(Log.Written[2].back(), "last");
    }
    EXPECT_EQ(Log.Lines, (Lines{"WorkBooks.Add", "Sheets(1)", "Range(A1:AAA3).Value :=", "SaveAs(out.xlsx)", "Quit"}));
}

TEST_F(OfficeCallsTest, ExportIntoARunningProgramStartsAtItsActiveCell)
{
    Running = new TFakeSpreadsheet(Log);
    Running->Workbooks = 1;
    Running->CellRow = 10;
    Grid->SetColCount(2);
    Grid->SetRowCount(4);
    Grid->SetCells(0, 0, "a\r\nb");
    SaveToXLS(*Grid, "out.xlsx", false);
    EXPECT_EQ(Log.Lines, (Lines{"ActiveSheet", "ActiveCell.Row", "Range(A10:B13).Value :=", "SaveAs(out.xlsx)"}));
    EXPECT_EQ(Log.Written[0][0], "a\nb");   // carriage returns removed
}

TEST_F(OfficeCallsTest, ExportToANamedSheetOpensTheFileOrMakesOne)
{
    const std::string existing = Path("exists.xlsx");
    Put(existing, "x");
    Sheet->Sheets = {"Data", "Sums"};
    SaveToXLSSheet(*Grid, existing, "Sums");
    EXPECT_EQ(Only({"WorkBooks", "Sheets", "WorkSheets", "Save"}),
              (Lines{"WorkBooks.Open(" + existing + ")", "Sheets(2)", "Save"}));

    Log = {};
    delete Sheet;
    Sheet = new TFakeSpreadsheet(Log);
    SaveToXLSSheet(*Grid, Path("new.xlsx"), "Sums");
    EXPECT_EQ(Only({"WorkBooks", "Sheets", "WorkSheets", "Save"}),
              (Lines{"WorkBooks.Add", "WorkSheets.Add(Sums)", "SaveAs(" + Path("new.xlsx") + ")"}));
}

TEST_F(OfficeCallsTest, AWorkbookThatFailsToOpenIsNeverOverwritten)
{
    const std::string existing = Path("locked.xlsx");
    Put(existing, "not a workbook");
    Sheet->FailOpen = true;
    EXPECT_THROW(SaveToXLSSheet(*Grid, existing, "Sums"), EOfficeError);
    EXPECT_EQ(Only({"Save", "WorkBooks.Add"}), Lines{});
    EXPECT_EQ(Log.Lines.back(), "Quit");
}

TEST_F(OfficeCallsTest, DocumentTableFollowsTheTypedTextWithAlignments)
{
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    Grid->SetCells(0, 0, "Name");
    Grid->SetCells(1, 0, "Value");
    Grid->SetCells(1, 1, "42");
    Grid->OnGetAlignment = [](TObject*, int ARow, int ACol, TAlignment& H, TVAlignment&) {
        if (ACol == 1) H = ARow == 0 ? taCenter : taRightJustify;
    };
    SaveToDOC(*Grid, "out.docx");
    EXPECT_EQ(Log.Lines,
              (Lines{"Documents.Add", "ShowSpellingErrors := false", "TypeText()", "TypeParagraph", "Range(0,0)",
                     "Tables.Add(0,numRows=2,numColumns=2)", "Cell(1,1).InsertAfter(Name)", "Cell(1,2).InsertAfter(Value)",
                     "Cell(1,2).Alignment := 1", "Cell(2,1).InsertAfter()", "Cell(2,2).InsertAfter(42)",
                     "Cell(2,2).Alignment := 2", "SaveAs(out.docx)", "Quit"}));
}

TEST_F(OfficeCallsTest, AppendingGoesToTheBookmarkOrTheEnd)
{
    Word->Bookmarks = {"Here"};
    Grid->SetColCount(5);
    Grid->SetRowCount(5);
    AppendToDoc(*Grid, "doc.docx", "Here");
    EXPECT_EQ(Only({"Documents", "Bookmarks", "Goto", "Paragraphs", "Selection", "Range", "Tables"}),
              (Lines{"Documents.Open(doc.docx)", "Bookmarks.Exists(Here)", "Goto(what=-1,name=Here)",
                     "Tables.Add(7,numRows=5,numColumns=5)"}));

    Log = {};
    delete Word;
    Word = new TFakeWordProcessor(Log);
    AppendToDoc(*Grid, "doc.docx", "Missing");
    EXPECT_EQ(Only({"Documents", "Bookmarks", "Goto", "Paragraphs", "Selection", "Range", "Tables"}),
              (Lines{"Documents.Open(doc.docx)", "Bookmarks.Exists(Missing)", "Paragraphs.Add",
                     "Selection.Goto(what=3,which=-1)", "Selection.End", "Range(42,42)",
                     "Tables.Add(42,numRows=5,numColumns=5)"}));
}

TEST_F(OfficeCallsTest, DatabaseRowsFollowTheRecordCount)
{
    const std::vector<std::string> names = {"id", "name"};
    const std::vector<std::vector<std::string>> rows = {{"1", "a"}, {"2", ""}, {"3", "c"}, {"4", "d"}, {"5", "e"}};
    struct TCase {
        long long Reported;
        int RowsBefore, RowsAfter;
    } cases[] = {{5, 2, 6}, {5, 10, 6}, {-1, 2, 6}, {-1, 10, 10}};
    for (const auto& c : cases) {
        Log = {};
        Office::SetDatabaseFactory([&] { return std::make_unique<TFakeDatabase>(Log, names, rows, c.Reported); });
        Grid->SetFixedRows(1);
        Grid->SetFixedCols(0);
        Grid->SetRowCount(c.RowsBefore);
        LoadFromMDBTable(*Grid, "db.mdb", "My \"Table\"");
        EXPECT_EQ(Grid->RowCount(), c.RowsAfter) << c.Reported << " " << c.RowsBefore;
        EXPECT_EQ(Grid->ColCount(), 2);
        EXPECT_EQ(Grid->Cells(0, 0), "id");
        EXPECT_EQ(Grid->Cells(1, 0), "name");
        EXPECT_EQ(Grid->Cells(0, 5), "5");
        EXPECT_EQ(Grid->Cells(1, 2), "");
        EXPECT_EQ(Log.Lines.front(), "Connection.Open(Driver={Microsoft Access Driver (*.mdb)};DBQ=db.mdb)");
        EXPECT_EQ(Log.Lines[1], "RecordSet.Open(SELECT * FROM \"My \"\"Table\"\"\")");
        EXPECT_EQ(Log.Lines.back(), "Connection.Close");
    }
}

}  // namespace

namespace {

TEST(OfficeNamesTest, AccessConnectionStringsReachTheDriverOfTheFile)
{
    struct TCase {
        const char* Given;
        const char* Mapped;
    } cases[] = {
        {"Driver={Microsoft Access Driver (*.mdb)};DBQ=/data/plant.mdb", "DRIVER={MDBTools};DBQ=/data/plant.mdb;"},
        {"Driver={Microsoft Access Driver (*.mdb)};DBQ=/data/Plant.ACCDB", "DRIVER={MDBTools};DBQ=/data/Plant.ACCDB;"},
        {"Driver={Microsoft Access Driver (*.mdb)};DBQ=/data/plant.db", "DRIVER={SQLite3};Database=/data/plant.db;"},
        {"Driver={Microsoft Access Driver (*.mdb)};dbq=/d.x/plant.sqlite3;", "DRIVER={SQLite3};Database=/d.x/plant.sqlite3;"},
        {"Driver={Microsoft Access Driver (*.mdb)};DBQ=/data.db/plant", "Driver={Microsoft Access Driver (*.mdb)};DBQ=/data.db/plant"},
        {"DSN=plant", "DSN=plant"},
    };
    for (const auto& c : cases) EXPECT_EQ(Office::MapConnectionString(c.Given), c.Mapped) << c.Given;
    EXPECT_EQ(Office::QuoteTableName("a \"b\""), "\"a \"\"b\"\"\"");
}

}  // namespace
