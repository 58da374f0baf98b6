#include "gridext/office/GridOffice.h"

#include <cstdlib>
#include <memory>

#include "grid/util/GridTextUtils.h"
#include "gridext/exchange/ExchangeCommon.h"
#include "gridext/exchange/GridExchange.h"
#include "platform/gui/Forms.h"
#include "platform/office/OfficeApps.h"
#include "platform/os/Files.h"

namespace GridExchange {

namespace {

// The hourglass while a routine runs; the earlier cursor back on every path.
class TBusyCursor {
public:
    TBusyCursor() : FOld(Screen ? Screen->Cursor() : crDefault)
    {
        if (Screen) Screen->SetCursor(crHourGlass);
    }
    ~TBusyCursor()
    {
        if (Screen) Screen->SetCursor(FOld);
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    TCursor FOld;
};

// An application made here is quit when the routine ends, whichever way; one that was
// running already is left running.
template <class T>
struct TSession {
    std::unique_ptr<T> App;
    bool Created = false;
    ~TSession()
    {
        if (App && Created) try {
                App->Quit();
            } catch (...) {
            }
    }
};

std::unique_ptr<Office::ISpreadsheet> NewSheetApp()
{
    auto app = Office::NewSpreadsheet();
    if (!app) throw EExtGridError("Excel OLE server not found");
    return app;
}

// A row number after "$": -1 when it is no valid integer.
int RowNumber(const String& s)
{
    if (s.empty() || s.size() > 9) return -1;
    for (char c : s)
        if (c < '0' || c > '9') return -1;
    return std::atoi(s.c_str());
}

// "B$2" (the leading "$" already dropped) into column and row.
void SplitCell(const String& Part, int& Row, int& Col)
{
    const size_t dollar = Part.find('$');
    const String letters = Part.substr(0, dollar);
    Row = dollar == String::npos ? -1 : RowNumber(Part.substr(dollar + 1));
    long long c = 0;
    for (char ch : letters) {
        if (ch < 'A' || ch > 'Z' || c > 16384) {
            c = -1;
            break;
        }
        c = c * 26 + (ch - 'A' + 1);
    }
    Col = letters.empty() || c <= 0 || c > 16384 ? -1 : static_cast<int>(c);
}

// "B2:D5".
String RangeAddress(int Top, int Left, int Bottom, int Right)
{
    String s = Office::ColumnLetters(Left);
    s += IntToStr(Top);
    s += ':';
    s += Office::ColumnLetters(Right);
    s += IntToStr(Bottom);
    return s;
}

String DropDollar(const String& s) { return !s.empty() && s[0] == '$' ? s.substr(1) : s; }

}  // namespace

TSheetRange SplitUsedRange(const String& Address)
{
    TSheetRange r;
    const size_t colon = Address.find(':');
    if (colon != String::npos) {
        const String first = DropDollar(Address.substr(0, colon));
        const String last = DropDollar(Address.substr(colon + 1, 255));
        if (first.find('$') == String::npos) {
            // Whole rows: "1:20".
            r.FirstRow = RowNumber(first);
            r.LastRow = RowNumber(last);
            r.FirstCol = 1;
            r.LastCol = 256;
        } else {
            SplitCell(first, r.FirstRow, r.FirstCol);
            SplitCell(last, r.LastRow, r.LastCol);
        }
        return r;
    }
    r.Single = true;
    if (Address.find('$') == String::npos) return r;
    SplitCell(DropDollar(Address), r.FirstRow, r.FirstCol);
    r.LastRow = r.FirstRow;
    r.LastCol = r.FirstCol;
    return r;
}

std::vector<String> GetXLSSheets(const String& FileName)
{
    TSession<Office::ISpreadsheet> s{NewSheetApp(), true};
    std::vector<String> names;
    s.App->OpenWorkbook(FileName);
    const int n = s.App->SheetCount();
    for (int i = 1; i <= n; ++i) names.push_back(s.App->SheetName(i));
    s.App->SetSaved();
    return names;
}

void LoadFromXLS(TExtStringGrid& Grid, const String& FileName) { ImportXLS(Grid, FileName, ""); }
void LoadFromXLSSheet(TExtStringGrid& Grid, const String& FileName, const String& SheetName)
{
    ImportXLS(Grid, FileName, SheetName);
}

void ImportXLS(TExtStringGrid& Grid, const String& FileName, const String& SheetName)
{
    TBusyCursor busy;
    TSession<Office::ISpreadsheet> s{NewSheetApp(), true};
    struct TFinish {
        TExtStringGrid& G;
        ~TFinish()
        {
            try {
                FinishLoad(G);
            } catch (...) {
            }
        }
    } finish{Grid};
    Office::ISpreadsheet& app = *s.App;
    app.OpenWorkbook(FileName);
    if (!SheetName.empty()) {
        int found = 0;
        const int n = app.SheetCount();
        for (int i = 1; i <= n; ++i)
            if (app.SheetName(i) == SheetName) found = i;
        if (!found) throw EExtGridError("Excel worksheet " + SheetName + " not found");
        app.ActivateSheet(found);
    } else
        app.UseActiveSheet();

    const TSheetRange range = SplitUsedRange(app.UsedRangeAddress());
    try {
        if (!range.Valid() || range.LastRow < range.FirstRow || range.LastCol < range.FirstCol)
            throw Exception("Incorrect XLS file");
        const int cols = range.LastCol - range.FirstCol + 1, rows = range.LastRow - range.FirstRow + 1;
        CheckGridSize(cols, rows, "Incorrect XLS file");
        const int oldFixedCols = Grid.FixedCols(), oldFixedRows = Grid.FixedRows();
        const int colOff = !Grid.SaveFixedCells && !Grid.SaveFixedCols ? oldFixedCols : 0;
        const int rowOff = !Grid.SaveFixedCells && !Grid.SaveFixedRows ? oldFixedRows : 0;
        Grid.SetColCount(cols + colOff);
        Grid.SetRowCount(rows + rowOff);
        if (oldFixedCols < Grid.ColCount()) Grid.SetFixedCols(oldFixedCols);
        if (oldFixedRows < Grid.RowCount()) Grid.SetFixedRows(oldFixedRows);
        if (range.Single) {
            Grid.SetLoadCellText(colOff, rowOff, Office::ValueToText(app.Cell(range.FirstRow, range.FirstCol)));
        } else {
            const String address = RangeAddress(range.FirstRow, range.FirstCol, range.LastRow, range.LastCol);
            const auto values = app.RangeValue(address);
            for (int r = 1; r <= rows && r <= static_cast<int>(values.size()); ++r) {
                const auto& row = values[static_cast<size_t>(r - 1)];
                for (int c = 1; c <= cols && c <= static_cast<int>(row.size()); ++c) {
                    const Office::TCellValue& v = row[static_cast<size_t>(c - 1)];
                    // An empty sheet cell empties the grid cell, so nothing from before
                    // stays among the sheet's values; errors are left out.
                    if (v.Kind == Office::TCellValue::Error) continue;
                    Grid.SetLoadCellText(c - 1 + colOff, r - 1 + rowOff, Office::ValueToText(v));
                }
            }
        }
    } catch (const EOfficeError&) {
        throw Exception("Incorrect XLS file");
    }
    app.CloseWorkbook(false);
}

void SaveToXLS(TExtStringGrid& Grid, const String& FileName, bool CreateNewSheet)
{
    ExportToXLS(Grid, FileName, "", CreateNewSheet);
}
void SaveToXLSSheet(TExtStringGrid& Grid, const String& FileName, const String& SheetName)
{
    ExportToXLS(Grid, FileName, SheetName, false);
}

void ExportToXLS(TExtStringGrid& Grid, const String& FileName, const String& SheetName, bool CreateNewSheet)
{
    TBusyCursor busy;
    TSession<Office::ISpreadsheet> s;
    s.App = Office::RunningSpreadsheet();
    if (!s.App) {
        s.App = NewSheetApp();
        s.Created = true;
    }
    Office::ISpreadsheet& app = *s.App;
    bool saveInPlace = false;
    int startRow = 1;
    if (!SheetName.empty()) {
        // A workbook that exists but can't be opened is never replaced by a new one:
        // the error reaches the caller and the file stays as it was.
        if (FileExists(FileName)) {
            app.OpenWorkbook(FileName);
            saveInPlace = true;
        } else
            app.AddWorkbook();
        int found = 0;
        const int n = app.SheetCount();
        for (int i = 1; i <= n; ++i)
            if (app.SheetName(i) == SheetName) found = i;
        if (found) app.ActivateSheet(found);
        else app.AddSheet(SheetName);
    } else if (CreateNewSheet || app.WorkbookCount() == 0) {
        app.AddWorkbook();
        app.ActivateSheet(1);
    } else {
        app.UseActiveSheet();
        startRow = app.ActiveCellRow();
    }

    const int startCol = Grid.SaveStartCol(), firstRow = Grid.SaveStartRow();
    const int rows = Grid.RowCount() - firstRow, cols = Grid.ColCount() - startCol;
    if (rows > 0 && cols > 0) {
        std::vector<std::vector<String>> values(static_cast<size_t>(rows));
        for (int r = firstRow; r < Grid.RowCount(); ++r) {
            Grid.ExportNotification(esExportNextRow, r);
            auto& row = values[static_cast<size_t>(r - firstRow)];
            row.reserve(static_cast<size_t>(cols));
            for (int c = startCol; c < Grid.ColCount(); ++c) row.push_back(RemoveCR(SaveText(Grid, Grid.RealColIndex(c), r)));
        }
        app.SetRangeValue(RangeAddress(startRow, 1, startRow + rows - 1, cols), values);
    }
    // A save that fails is reported, not passed over.
    if (saveInPlace) app.Save();
    else app.SaveAs(FileName);
}

void SaveToDOC(TExtStringGrid& Grid, const String& FileName, bool CreateNewDocument)
{
    ExportToDoc(Grid, FileName, "", false, CreateNewDocument);
}
void AppendToDoc(TExtStringGrid& Grid, const String& FileName, const String& Bookmark)
{
    ExportToDoc(Grid, FileName, Bookmark, true, false);
}

void ExportToDoc(TExtStringGrid& Grid, const String& FileName, const String& Bookmark, bool Append,
                 bool CreateNewDocument)
{
    TBusyCursor busy;
    TSession<Office::IWordProcessor> s;
    s.App = Office::RunningWordProcessor();
    if (!s.App) {
        s.App = Office::NewWordProcessor();
        if (!s.App) throw EExtGridError("Word OLE server not found");
        s.Created = true;
    }
    Office::IWordProcessor& app = *s.App;
    if (Append) app.OpenDocument(FileName);
    else if (CreateNewDocument || app.DocumentCount() == 0) app.AddDocument();
    else app.UseActiveDocument();
    app.SetShowSpellingErrors(false);
    app.TypeText(Grid.Text());
    app.TypeParagraph();

    Office::TDocPosition at;
    if (Append && !Bookmark.empty() && app.BookmarkExists(Bookmark)) at = app.GotoBookmark(Bookmark);
    else if (Append) {
        app.AddParagraph();
        app.SelectLastLine();
        const int end = app.SelectionEnd();
        at = app.Range(end, end);
    } else
        at = app.Range(0, 0);

    app.AddTable(at, Grid.RowCount(), Grid.ColCount());
    for (int r = 1; r <= Grid.RowCount(); ++r) {
        Grid.ExportNotification(esExportNextRow, r);
        for (int c = 1; c <= Grid.ColCount(); ++c) {
            const int real = Grid.RealColIndex(c - 1);
            app.CellInsertAfter(r, c, SaveText(Grid, real, r - 1));
            const auto align = static_cast<TAlignment>(Grid.GetCellAlignment(real, r - 1) & 0xFF);
            if (align == taRightJustify) app.SetCellAlignment(r, c, Office::IWordProcessor::AlignRight);
            else if (align == taCenter) app.SetCellAlignment(r, c, Office::IWordProcessor::AlignCenter);
        }
    }
    app.SaveAs(FileName);
}

void LoadFromMDBTable(TExtStringGrid& Grid, const String& FileName, const String& Table)
{
    LoadFromMDBSQL(Grid, FileName, "SELECT * FROM " + Office::QuoteTableName(Table));
}

void LoadFromMDBSQL(TExtStringGrid& Grid, const String& FileName, const String& SQL)
{
    auto db = Office::NewDatabase();
    if (!db) throw EExtGridError("Database driver not found");
    db->Open("Driver={Microsoft Access Driver (*.mdb)};DBQ=" + FileName);
    struct TCloser {
        Office::IDatabase& Db;
        ~TCloser()
        {
            try {
                Db.Close();
            } catch (...) {
            }
        }
    } closeDb{*db};
    std::unique_ptr<Office::IRecordSet> rs = db->Query(SQL);
    const int n = rs->FieldCount();
    const int fixedCols = Grid.FixedCols(), fixedRows = Grid.FixedRows();
    CheckGridSize(static_cast<long long>(n) + fixedCols, fixedRows + 1LL, "Too many fields");
    Grid.SetColCount(n + fixedCols);
    if (fixedRows > 0)
        for (int i = 0; i < n; ++i) Grid.SetCellEx(fixedCols + i, fixedRows - 1, rs->FieldName(i));
    const long long count = rs->RecordCount();
    if (count > 0) {
        CheckGridSize(static_cast<long long>(n) + fixedCols, fixedRows + count, "Too many records");
        Grid.SetRowCount(static_cast<int>(fixedRows + count));
    }
    int row = fixedRows;
    std::string value;
    while (!rs->Eof()) {
        // Rows are added only as the records need them, so a known count gives exactly
        // that many rows and a larger earlier row count stays.
        if (row >= Grid.RowCount()) {
            CheckGridSize(static_cast<long long>(n) + fixedCols, row + 1LL, "Too many records");
            Grid.SetRowCount(row + 1);
        }
        for (int i = 0; i < n; ++i) Grid.SetLoadCellText(fixedCols + i, row, rs->FieldValue(i, value) ? value : String());
        rs->MoveNext();
        ++row;
    }
    rs->Close();
}

}  // namespace GridExchange
