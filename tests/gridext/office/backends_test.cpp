// The office back ends of this platform behind the grid's routines: workbooks read and
// written by an independent spreadsheet reader, documents unzipped and read as XML, and
// a database queried through ODBC.
#include <gtest/gtest.h>

#include "gridext/office/GridOffice.h"
#include "platform/office/OfficeApps.h"
#include "platform/xml/XMLDoc.h"
#include "tests/gridext/exchange/exchange_fixture.h"

using namespace GridExchange;

namespace {

class OfficeFilesTest : public ExchangeTest {
public:
    // Runs a Python script written to a file, noting in Missing when Python or the module
    // it needs is not there. The system's Python comes first: its packages hold the
    // independent readers the setup script installs.
    std::string Python(const std::string& Module, const std::string& Script)
    {
        std::string out;
        const std::string python = FileExists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
        if (Run(python + " -c 'import " + Module + "' 2>&1", out) != 0) {
            Missing = "python3 with " + Module;
            return {};
        }
        const std::string file = Path("script.py");
        Put(file, Script);
        EXPECT_EQ(Run(python + " " + file + " 2>&1", out), 0) << out;
        return out;
    }
    std::string Missing;

    void FillAwkward()
    {
        Grid->SetColCount(4);
        Grid->SetRowCount(4);
        const char* cells[4][4] = {{"Name", "Count", "Price", "Note"},
                                   {"Zoë", "12", "0.5", "line one\nline two"},
                                   {"007", "-3", "1e5", "\"quoted\", <b>"},
                                   {"", "", "", "last"}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c) Grid->SetCells(c, r, cells[r][c]);
    }
};

TEST_F(OfficeFilesTest, WorkbookWrittenIsReadByAnIndependentReader)
{
    FillAwkward();
    const std::string file = Path("grid.xlsx");
    SaveToXLS(*Grid, file);
    const std::string out = Python("openpyxl",
                                   "import openpyxl\n"
                                   "wb = openpyxl.load_workbook('" + file + "')\n"
                                   "ws = wb.worksheets[0]\n"
                                   "for row in ws.iter_rows(min_row=1, max_row=4, max_col=4):\n"
                                   "    print('|'.join(repr(c.value) for c in row))\n");
    if (!Missing.empty()) GTEST_SKIP() << Missing << " is not installed";
    // Plain decimal numbers become numbers; "007", "1e5" and the rest stay texts.
    EXPECT_EQ(out,
              "'Name'|'Count'|'Price'|'Note'\n"
              "'Zoë'|12|0.5|'line one\\nline two'\n"
              "'007'|-3|'1e5'|'\"quoted\", <b>'\n"
              "None|None|None|'last'\n");

    // Read back by the grid's own reader.
    auto* back = NewGrid();
    LoadFromXLS(*back, file);
    EXPECT_EQ(back->ColCount(), 4);
    EXPECT_EQ(back->RowCount(), 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(back->Cells(c, r), Grid->Cells(c, r)) << c << "," << r;
}

TEST_F(OfficeFilesTest, WorkbookMadeByAnotherProgramIsImported)
{
    const std::string file = Path("made.xlsx");
    Python("openpyxl",
           "import openpyxl\n"
           "wb = openpyxl.Workbook()\n"
           "ws = wb.active\n"
           "ws.title = 'First'\n"
           "ws['A1'] = 'only'\n"
           "ws2 = wb.create_sheet('Data')\n"
           "ws2['B2'] = 'Text'\n"
           "ws2['C2'] = 3\n"
           "ws2['D2'] = 2.25\n"
           "ws2['B3'] = True\n"
           "ws2['D5'] = 'end'\n"
           "wb.save('" + file + "')\n");
    if (!Missing.empty()) GTEST_SKIP() << Missing << " is not installed";
    EXPECT_EQ(GetXLSSheets(file), (std::vector<String>{"First", "Data"}));
    LoadFromXLSSheet(*Grid, file, "Data");
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->RowCount(), 4);
    EXPECT_EQ(Grid->Cells(0, 0), "Text");
    EXPECT_EQ(Grid->Cells(1, 0), "3");
    EXPECT_EQ(Grid->Cells(2, 0), "2.25");
    EXPECT_EQ(Grid->Cells(0, 1), "TRUE");
    EXPECT_EQ(Grid->Cells(2, 3), "end");
    LoadFromXLS(*Grid, file);   // the active sheet: the first
    EXPECT_EQ(Grid->ColCount(), 1);
    EXPECT_EQ(Grid->Cells(0, 0), "only");
}

TEST_F(OfficeFilesTest, LegacyWorkbookIsImportedAndNeverWritten)
{
    const std::string file = Path("old.xls");
    Python("xlwt",
           "import xlwt\n"
           "wb = xlwt.Workbook()\n"
           "ws = wb.add_sheet('Readings')\n"
           "ws.write(1, 1, 'Meter')\n"
           "ws.write(1, 2, 42)\n"
           "ws.write(2, 1, 'Zo\u00eb')\n"
           "ws.write(2, 2, 1.5)\n"
           "wb.add_sheet('Empty')\n"
           "wb.save('" + file + "')\n");
    if (!Missing.empty()) GTEST_SKIP() << Missing << " is not installed";
    EXPECT_EQ(GetXLSSheets(file), (std::vector<String>{"Readings", "Empty"}));
    LoadFromXLS(*Grid, file);
    EXPECT_EQ(Grid->ColCount(), 2);
    EXPECT_EQ(Grid->RowCount(), 2);
    EXPECT_EQ(Grid->Cells(0, 0), "Meter");
    EXPECT_EQ(Grid->Cells(1, 0), "42");
    EXPECT_EQ(Grid->Cells(0, 1), "Zoë");
    EXPECT_EQ(Grid->Cells(1, 1), "1.5");
    const std::string before = Bytes(file);
    EXPECT_THROW(SaveToXLSSheet(*Grid, file, "Readings"), EOfficeError);
    EXPECT_EQ(Bytes(file), before);
}

TEST_F(OfficeFilesTest, SavingIntoANamedSheetKeepsTheOtherSheets)
{
    const std::string file = Path("two.xlsx");
    FillAwkward();
    SaveToXLSSheet(*Grid, file, "One");
    Grid->SetColCount(1);
    Grid->SetRowCount(1);
    Grid->SetCells(0, 0, "second");
    SaveToXLSSheet(*Grid, file, "Two");
    EXPECT_EQ(GetXLSSheets(file), (std::vector<String>{"Sheet1", "One", "Two"}));
    auto* back = NewGrid();
    LoadFromXLSSheet(*back, file, "One");
    EXPECT_EQ(back->Cells(0, 1), "Zoë");
    LoadFromXLSSheet(*back, file, "Two");
    EXPECT_EQ(back->Cells(0, 0), "second");
}

TEST_F(OfficeFilesTest, UnreadableOrHostileWorkbooksAreRefusedAndKept)
{
    struct TCase {
        const char* Name;
        std::string Bytes;
    } cases[] = {
        {"text.xlsx", "just text"},
        {"empty.xlsx", ""},
        {"truncated.xlsx", std::string("PK\x03\x04", 4) + std::string(40, '\0')},
    };
    for (const auto& c : cases) {
        const std::string file = Path(c.Name);
        Put(file, c.Bytes);
        Grid->SetCells(0, 0, "unchanged");
        EXPECT_THROW(SaveToXLSSheet(*Grid, file, "Sheet"), EOfficeError) << c.Name;
        EXPECT_EQ(Bytes(file), c.Bytes) << c.Name;
        EXPECT_ANY_THROW(LoadFromXLS(*Grid, file)) << c.Name;
    }
    // A failed save is reported: a folder where the file should go.
    EXPECT_THROW(SaveToXLS(*Grid, Dir), EOfficeError);
}

TEST_F(OfficeFilesTest, DocumentHoldsTheTableWithAlignments)
{
    FillAwkward();
    Grid->OnGetAlignment = [](TObject*, int, int ACol, TAlignment& H, TVAlignment&) {
        if (ACol == 1) H = taRightJustify;
    };
    const std::string file = Path("grid.docx");
    SaveToDOC(*Grid, file);
    std::string xml;
    ASSERT_EQ(Run("unzip -p '" + file + "' word/document.xml", xml), 0) << "unzip failed";
    TXMLDocument doc;
    doc.LoadFromXML(xml);
    TXMLNode body = doc.DocumentElement().ChildNode("w:body");
    TXMLNode table = body.ChildNode("w:tbl");
    std::vector<std::string> texts, aligned;
    for (const TXMLNode& tr : table.ChildNodes()) {
        if (tr.NodeName() != "w:tr") continue;
        for (const TXMLNode& tc : tr.ChildNodes()) {
            if (tc.NodeName() != "w:tc") continue;
            TXMLNode p = tc.ChildNode("w:p");
            std::string text;
            for (const TXMLNode& r : p.ChildNodes())
                for (const TXMLNode& t : r.ChildNodes()) {
                    if (t.NodeName() == "w:t") text += t.Text();
                    if (t.NodeName() == "w:br") text += "\n";
                }
            texts.push_back(text);
            TXMLNode pr = p.FindNode("w:pPr");
            aligned.push_back(pr ? pr.ChildNode("w:jc").Attribute("w:val") : "");
        }
    }
    ASSERT_EQ(texts.size(), 16u);
    EXPECT_EQ(texts[4], "Zoë");
    EXPECT_EQ(texts[7], "line one\nline two");
    EXPECT_EQ(texts[11], "\"quoted\", <b>");
    EXPECT_EQ(aligned[5], "right");
    EXPECT_EQ(aligned[4], "");
}

TEST_F(OfficeFilesTest, AppendingPlacesTheTableAtTheBookmarkOrTheEnd)
{
    const std::string file = Path("letter.docx");
    Python("zipfile",
           "import zipfile\n"
           "W = 'xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"'\n"
           "doc = ('<?xml version=\"1.0\"?><w:document ' + W + '><w:body>'\n"
           "  '<w:p><w:r><w:t>Dear reader,</w:t></w:r></w:p>'\n"
           "  '<w:p><w:bookmarkStart w:id=\"0\" w:name=\"Table\"/><w:bookmarkEnd w:id=\"0\"/></w:p>'\n"
           "  '<w:p><w:r><w:t xml:space=\"preserve\">Regards </w:t></w:r></w:p>'\n"
           "  '<w:sectPr/></w:body></w:document>')\n"
           "with zipfile.ZipFile('" + file + "', 'w') as z:\n"
           "    z.writestr('[Content_Types].xml', '<Types/>')\n"
           "    z.writestr('word/document.xml', doc)\n");
    if (!Missing.empty()) GTEST_SKIP() << Missing << " is not installed";
    Grid->SetColCount(1);
    Grid->SetRowCount(1);
    Grid->SetCells(0, 0, "cell");
    auto blocks = [&] {
        std::string xml;
        EXPECT_EQ(Run("unzip -p '" + file + "' word/document.xml", xml), 0);
        TXMLDocument doc;
        doc.LoadFromXML(xml);
        std::vector<std::string> names;
        for (const TXMLNode& n : doc.DocumentElement().ChildNode("w:body").ChildNodes()) {
            std::string text;
            for (const TXMLNode& r : n.ChildNodes())
                if (TXMLNode t = r.FindNode("w:t")) text += t.Text();
            names.push_back(n.NodeName() + (text.empty() ? "" : ":" + text));
        }
        return names;
    };
    AppendToDoc(*Grid, file, "Table");
    EXPECT_EQ(blocks(), (std::vector<std::string>{"w:p", "w:p:Dear reader,", "w:p", "w:tbl", "w:p:Regards ", "w:sectPr"}));
    AppendToDoc(*Grid, file, "NoSuchMark");
    const auto after = blocks();
    ASSERT_GE(after.size(), 3u);
    EXPECT_EQ(after[after.size() - 3], "w:tbl");   // at the end: table, its closing paragraph, sections
    EXPECT_EQ(after[after.size() - 2], "w:p");
}

TEST_F(OfficeFilesTest, QueryFromAnSQLiteDatabaseThroughODBC)
{
    const std::string file = Path("plant.db");
    Python("sqlite3",
           "import sqlite3\n"
           "c = sqlite3.connect('" + file + "')\n"
           "c.execute('CREATE TABLE \"Meter list\" (id INTEGER, name TEXT, reading REAL)')\n"
           "c.executemany('INSERT INTO \"Meter list\" VALUES (?,?,?)', [(1,'Hall',12.5),(2,None,0),(3,'Zoë',7)])\n"
           "c.commit()\n");
    if (!Missing.empty()) GTEST_SKIP() << Missing << " is not installed";
    std::string drivers;
    Run("odbcinst -q -d 2>/dev/null", drivers);
    if (drivers.find("[SQLite3]") == std::string::npos) GTEST_SKIP() << "the SQLite ODBC driver is not installed";
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(0);
    Grid->SetRowCount(2);
    LoadFromMDBTable(*Grid, file, "Meter list");
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->RowCount(), 4);
    EXPECT_EQ(Grid->Cells(0, 0), "id");
    EXPECT_EQ(Grid->Cells(2, 0), "reading");
    EXPECT_EQ(Grid->Cells(1, 1), "Hall");
    EXPECT_EQ(Grid->Cells(1, 2), "");
    EXPECT_EQ(Grid->Cells(1, 3), "Zoë");
    EXPECT_EQ(Grid->Cells(0, 3), "3");

    LoadFromMDBSQL(*Grid, file, "SELECT name FROM \"Meter list\" WHERE id = 3");
    EXPECT_EQ(Grid->ColCount(), 1);
    EXPECT_EQ(Grid->Cells(0, 1), "Zoë");
    EXPECT_THROW(LoadFromMDBSQL(*Grid, file, "SELECT nothing FROM nowhere"), EOfficeError);
    EXPECT_THROW(LoadFromMDBTable(*Grid, Path("missing/none.db"), "t"), EOfficeError);
}

}  // namespace
