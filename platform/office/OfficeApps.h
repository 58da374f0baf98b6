#pragma once
// The spreadsheet, word-processor and database the grid exchanges tables with.
//
// Each interface has the shape of the object model a grid's exchange routine walks
// (open a workbook, pick a sheet, read its used range, write a range, save, quit), so the
// routine states its steps once and any back end can stand behind it. The back ends of
// this platform work on files and a database driver:
// - spreadsheets: .xlsx read by our own reader (zip container, XML layer) and written
//   with the xlsx writer library; legacy .xls read only;
// - the word processor: .docx read and written through the zip container and the XML layer;
// - databases: ODBC.
// There is no running office program on this platform: an "application" is a fresh,
// empty session each time one is made. Its workbooks and documents live in memory until
// saved; "the active workbook" is the one opened or added last, "the active sheet" its
// first sheet and "the active cell" the sheet's first cell.
//
// Failures raise EOfficeError with a text that names the file and what went wrong; a save
// builds the whole file first and replaces the old one only when that succeeded.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Exception.h"

CONF_DECLARE_EXCEPTION(EOfficeError, Exception);

namespace Office {

// One cell's value as the programs hand it over.
struct TCellValue {
    enum TKind { Empty, Error, Text, Number, Boolean };
    TKind Kind = Empty;
    std::string Str;     // Text: the text; Error: the error's code ("#DIV/0!")
    double Num = 0;      // Number; Boolean: 0 or 1
    static TCellValue OfText(std::string s) { return {Text, std::move(s), 0}; }
    static TCellValue OfNumber(double n) { return {Number, {}, n}; }
    bool operator==(const TCellValue&) const = default;
};
// A value as a text: numbers in their shortest form ("3", "2.5"), booleans "TRUE" and
// "FALSE", errors by their code, empty as "".
std::string ValueToText(const TCellValue& v);

// Cell references in A1 style: columns A..Z, AA..ZZ, AAA.. from 1.
std::string ColumnLetters(int Col);
// "B2" or "$B$2" into (row, column); false when it is no reference.
bool ParseCellRef(const std::string& Ref, int& Row, int& Col);

class ISpreadsheet {
public:
    virtual ~ISpreadsheet() = default;
    // Workbooks of the session; Open and Add make the new one the active workbook.
    virtual int WorkbookCount() = 0;
    virtual void OpenWorkbook(const std::string& FileName) = 0;
    virtual void AddWorkbook() = 0;
    // Sheets of the active workbook, numbered from 1; ActivateSheet picks the sheet the
    // calls below work on (a new workbook starts on its first sheet).
    virtual int SheetCount() = 0;
    virtual std::string SheetName(int Index) = 0;
    virtual void ActivateSheet(int Index) = 0;
    // The active sheet of the active workbook, as the program would show it.
    virtual void UseActiveSheet() = 0;
    // A new sheet after the others, made the one worked on.
    virtual void AddSheet(const std::string& Name) = 0;
    virtual int ActiveCellRow() = 0;
    // "$A$1:$D$20", or a single cell "$C$3".
    virtual std::string UsedRangeAddress() = 0;
    virtual TCellValue Cell(int Row, int Col) = 0;
    // The range's values row by row ("B2:D5").
    virtual std::vector<std::vector<TCellValue>> RangeValue(const std::string& Address) = 0;
    virtual void SetRangeValue(const std::string& Address, const std::vector<std::vector<std::string>>& Values) = 0;
    virtual void Save() = 0;
    virtual void SaveAs(const std::string& FileName) = 0;
    virtual void SetSaved() = 0;
    virtual void CloseWorkbook(bool SaveChanges) = 0;
    virtual void Quit() = 0;
};

// A position in the document, as the word processor's ranges: a table is added there.
using TDocPosition = int;

class IWordProcessor {
public:
    virtual ~IWordProcessor() = default;
    virtual int DocumentCount() = 0;
    virtual void OpenDocument(const std::string& FileName) = 0;
    virtual void AddDocument() = 0;
    virtual void UseActiveDocument() = 0;
    virtual void SetShowSpellingErrors(bool Show) = 0;
    // The selection: typing goes where it stands (the start of a document it opened).
    virtual void TypeText(const std::string& Text) = 0;
    virtual void TypeParagraph() = 0;
    virtual bool BookmarkExists(const std::string& Name) = 0;
    virtual TDocPosition GotoBookmark(const std::string& Name) = 0;
    virtual void AddParagraph() = 0;
    // The selection to the document's last line; its end.
    virtual void SelectLastLine() = 0;
    virtual TDocPosition SelectionEnd() = 0;
    virtual TDocPosition Range(int Start, int End) = 0;
    // A table of Rows × Cols at the position; cells are then addressed from 1.
    virtual void AddTable(TDocPosition At, int Rows, int Cols) = 0;
    virtual void CellInsertAfter(int Row, int Col, const std::string& Text) = 0;
    enum TAlignment { AlignLeft = 0, AlignCenter = 1, AlignRight = 2 };
    virtual void SetCellAlignment(int Row, int Col, TAlignment Alignment) = 0;
    virtual void SaveAs(const std::string& FileName) = 0;
    virtual void Quit() = 0;
};

class IRecordSet {
public:
    virtual ~IRecordSet() = default;
    virtual int FieldCount() = 0;
    virtual std::string FieldName(int Index) = 0;
    // The number of records, or -1 when the driver does not tell before they are read.
    virtual long long RecordCount() = 0;
    virtual bool Eof() = 0;
    // The field's value as text; false for a value of no size (NULL or empty).
    virtual bool FieldValue(int Index, std::string& Value) = 0;
    virtual void MoveNext() = 0;
    virtual void Close() = 0;
};

class IDatabase {
public:
    virtual ~IDatabase() = default;
    // The connection string names the driver and the file.
    virtual void Open(const std::string& ConnectionString) = 0;
    virtual std::unique_ptr<IRecordSet> Query(const std::string& SQL) = 0;
    virtual void Close() = 0;
};

// The back ends, or what a test put in their place. A factory that returns null means
// the program cannot be reached.
using TSpreadsheetFactory = std::function<std::unique_ptr<ISpreadsheet>()>;
using TWordProcessorFactory = std::function<std::unique_ptr<IWordProcessor>()>;
using TDatabaseFactory = std::function<std::unique_ptr<IDatabase>()>;
std::unique_ptr<ISpreadsheet> NewSpreadsheet();
std::unique_ptr<IWordProcessor> NewWordProcessor();
std::unique_ptr<IDatabase> NewDatabase();
// A program already running that exchange routines may use instead of starting one:
// never on this platform, except what a test installs.
std::unique_ptr<ISpreadsheet> RunningSpreadsheet();
std::unique_ptr<IWordProcessor> RunningWordProcessor();

// Test hooks: replace a back end (an empty function restores the real one).
void SetSpreadsheetFactory(TSpreadsheetFactory New, TSpreadsheetFactory Running = {});
void SetWordProcessorFactory(TWordProcessorFactory New, TWordProcessorFactory Running = {});
void SetDatabaseFactory(TDatabaseFactory New);

// The connection string the grid's database routines use for an Access file, mapped to
// the ODBC driver that reads the file: by the file's extension, .mdb and .accdb to the
// MDB driver, .db, .sqlite and .sqlite3 to the SQLite driver; others stay as given.
std::string MapConnectionString(const std::string& ConnectionString);
// A table name quoted for a query: in double quotes, inner quotes doubled.
std::string QuoteTableName(const std::string& Name);

}  // namespace Office
