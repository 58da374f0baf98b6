// The spreadsheet session over workbook files, the value texts, and the back-end hooks.
#include <cmath>

#include "platform/office/Workbook.h"
#include "platform/os/Files.h"
#include "platform/rtl/SysUtils.h"

namespace Office {

std::string ValueToText(const TCellValue& v)
{
    switch (v.Kind) {
    case TCellValue::Text:
    case TCellValue::Error: return v.Str;
    case TCellValue::Boolean: return v.Num != 0 ? "TRUE" : "FALSE";
    case TCellValue::Number:
        if (std::isfinite(v.Num) && std::fabs(v.Num) < 1e15 && v.Num == std::trunc(v.Num))
            return IntToStr(static_cast<long long>(v.Num));
        return FloatToStr(v.Num);
    case TCellValue::Empty: break;
    }
    return {};
}

namespace {

std::string Extension(const std::string& FileName)
{
    const size_t dot = FileName.find_last_of('.');
    const size_t slash = FileName.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return LowerCase(FileName.substr(dot));
}

// A range "B2:D5" or one cell "C3" (with or without "$") as its corners.
void ParseRange(const std::string& Address, int& Top, int& Left, int& Bottom, int& Right)
{
    const size_t colon = Address.find(':');
    const std::string first = Address.substr(0, colon);
    const std::string last = colon == std::string::npos ? first : Address.substr(colon + 1);
    if (!ParseCellRef(first, Top, Left) || !ParseCellRef(last, Bottom, Right) || Bottom < Top || Right < Left)
        throw EOfficeError("\"" + Address + "\" is no range of cells");
}

// "$B$2" after what is there.
void AppendAbsolute(std::string& s, int Row, int Col)
{
    s += '$';
    s += ColumnLetters(Col);
    s += '$';
    s += IntToStr(Row);
}

class TFileSpreadsheet : public ISpreadsheet {
public:
    int WorkbookCount() override { return static_cast<int>(FBooks.size()); }
    void OpenWorkbook(const std::string& FileName) override
    {
        FBooks.push_back(Extension(FileName) == ".xls" ? ReadXls(FileName) : ReadXlsx(FileName));
        FSheet = 0;
    }
    void AddWorkbook() override
    {
        TWorkbook b;
        b.Sheets.push_back(TSheet{"Sheet1", {}});
        FBooks.push_back(std::move(b));
        FSheet = 0;
    }
    int SheetCount() override { return static_cast<int>(Book().Sheets.size()); }
    std::string SheetName(int Index) override { return Book().Sheets.at(SheetIndex(Index)).Name; }
    void ActivateSheet(int Index) override { FSheet = SheetIndex(Index); }
    void UseActiveSheet() override
    {
        Book();
        FSheet = 0;
    }
    void AddSheet(const std::string& Name) override
    {
        Book().Sheets.push_back(TSheet{Name, {}});
        FSheet = Book().Sheets.size() - 1;
    }
    int ActiveCellRow() override { return 1; }
    std::string UsedRangeAddress() override
    {
        const TSheet& s = Sheet();
        if (s.Cells.empty()) return "$A$1";
        int top = MaxSheetRows, left = MaxSheetCols, bottom = 0, right = 0;
        for (const auto& [place, v] : s.Cells) {
            top = std::min(top, place.first);
            bottom = std::max(bottom, place.first);
            left = std::min(left, place.second);
            right = std::max(right, place.second);
        }
        std::string a;
        AppendAbsolute(a, top, left);
        if (top == bottom && left == right) return a;
        a += ':';
        AppendAbsolute(a, bottom, right);
        return a;
    }
    TCellValue Cell(int Row, int Col) override
    {
        const auto& cells = Sheet().Cells;
        const auto it = cells.find({Row, Col});
        return it == cells.end() ? TCellValue{} : it->second;
    }
    std::vector<std::vector<TCellValue>> RangeValue(const std::string& Address) override
    {
        int top, left, bottom, right;
        ParseRange(Address, top, left, bottom, right);
        std::vector<std::vector<TCellValue>> v(static_cast<size_t>(bottom - top + 1));
        for (int r = top; r <= bottom; ++r) {
            auto& row = v[static_cast<size_t>(r - top)];
            row.reserve(static_cast<size_t>(right - left + 1));
            for (int c = left; c <= right; ++c) row.push_back(Cell(r, c));
        }
        return v;
    }
    void SetRangeValue(const std::string& Address, const std::vector<std::vector<std::string>>& Values) override
    {
        int top, left, bottom, right;
        ParseRange(Address, top, left, bottom, right);
        auto& cells = Sheet().Cells;
        for (int r = top; r <= bottom; ++r)
            for (int c = left; c <= right; ++c) {
                const size_t i = static_cast<size_t>(r - top), j = static_cast<size_t>(c - left);
                const std::string text = i < Values.size() && j < Values[i].size() ? Values[i][j] : std::string();
                if (text.empty()) cells.erase({r, c});
                else cells[{r, c}] = TCellValue::OfText(text);
            }
    }
    void Save() override
    {
        TWorkbook& b = Book();
        if (b.FileName.empty()) throw EOfficeError("The workbook has no file name yet");
        if (Extension(b.FileName) == ".xls") throw EOfficeError("Cannot write " + b.FileName + ": .xls workbooks are read only");
        WriteXlsx(b, b.FileName);
    }
    void SaveAs(const std::string& FileName) override
    {
        if (Extension(FileName) == ".xls") throw EOfficeError("Cannot write " + FileName + ": .xls workbooks are read only");
        WriteXlsx(Book(), FileName);
        Book().FileName = FileName;
    }
    void SetSaved() override { Book(); }
    void CloseWorkbook(bool SaveChanges) override
    {
        if (SaveChanges) Save();
        FBooks.pop_back();
        FSheet = 0;
    }
    void Quit() override { FBooks.clear(); }

private:
    TWorkbook& Book()
    {
        if (FBooks.empty()) throw EOfficeError("No workbook is open");
        return FBooks.back();
    }
    TSheet& Sheet()
    {
        TWorkbook& b = Book();
        if (FSheet >= b.Sheets.size()) throw EOfficeError("The workbook has no such sheet");
        return b.Sheets[FSheet];
    }
    size_t SheetIndex(int Index)
    {
        if (Index < 1 || Index > SheetCount()) throw EOfficeError("The workbook has no sheet " + IntToStr(Index));
        return static_cast<size_t>(Index - 1);
    }
    std::vector<TWorkbook> FBooks;
    size_t FSheet = 0;
};

TSpreadsheetFactory GNewSpreadsheet, GRunningSpreadsheet;
TWordProcessorFactory GNewWordProcessor, GRunningWordProcessor;
TDatabaseFactory GNewDatabase;

}  // namespace

std::unique_ptr<IWordProcessor> NewDocxWordProcessor();   // WordDocx.cpp
std::unique_ptr<IDatabase> NewOdbcDatabase();             // OdbcDatabase.cpp

std::unique_ptr<ISpreadsheet> NewSpreadsheet()
{
    return GNewSpreadsheet ? GNewSpreadsheet() : std::make_unique<TFileSpreadsheet>();
}
std::unique_ptr<IWordProcessor> NewWordProcessor()
{
    return GNewWordProcessor ? GNewWordProcessor() : NewDocxWordProcessor();
}
std::unique_ptr<IDatabase> NewDatabase() { return GNewDatabase ? GNewDatabase() : NewOdbcDatabase(); }
std::unique_ptr<ISpreadsheet> RunningSpreadsheet() { return GRunningSpreadsheet ? GRunningSpreadsheet() : nullptr; }
std::unique_ptr<IWordProcessor> RunningWordProcessor()
{
    return GRunningWordProcessor ? GRunningWordProcessor() : nullptr;
}

void SetSpreadsheetFactory(TSpreadsheetFactory New, TSpreadsheetFactory Running)
{
    GNewSpreadsheet = std::move(New);
    GRunningSpreadsheet = std::move(Running);
}
void SetWordProcessorFactory(TWordProcessorFactory New, TWordProcessorFactory Running)
{
    GNewWordProcessor = std::move(New);
    GRunningWordProcessor = std::move(Running);
}
void SetDatabaseFactory(TDatabaseFactory New) { GNewDatabase = std::move(New); }

std::string MapConnectionString(const std::string& ConnectionString)
{
    // The file follows "DBQ=" up to the next ";".
    const std::string upper = UpperCase(ConnectionString);
    const size_t at = upper.find("DBQ=");
    if (at == std::string::npos) return ConnectionString;
    const size_t start = at + 4;
    const size_t end = ConnectionString.find(';', start);
    const std::string file = ConnectionString.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const std::string ext = Extension(file);
    if (ext == ".mdb" || ext == ".accdb") return "DRIVER={MDBTools};DBQ=" + file + ";";
    if (ext == ".db" || ext == ".sqlite" || ext == ".sqlite3") return "DRIVER={SQLite3};Database=" + file + ";";
    return ConnectionString;
}

std::string QuoteTableName(const std::string& Name)
{
    std::string s = "\"";
    for (char c : Name) {
        if (c == '"') s += '"';
        s += c;
    }
    return s + "\"";
}

}  // namespace Office
