#pragma once
// A grid's cells to and from spreadsheets, word-processor documents and databases,
// through the office back ends of the platform (platform/office/OfficeApps.h).
//
// Each routine walks the back end's object model in a fixed order of calls, so that a
// spreadsheet program, a file back end or a recording fake can stand behind it. The mouse
// cursor shows the hourglass while a spreadsheet or document routine runs and gets its
// shape back on every path; an application started here is quit on every path.
//
// Errors: "Excel OLE server not found" / "Word OLE server not found" (EExtGridError) when
// no back end can be reached; "Excel worksheet <name> not found" (EExtGridError); a sheet
// that can't be read raises Exception "Incorrect XLS file"; what the back end raises
// (EOfficeError: a file that can't be opened or saved, a bad query) reaches the caller.
#include <vector>

#include "grid/core/ExtGrid.h"

namespace GridExchange {

// The sheet names of a workbook file, in the workbook's order.
std::vector<String> GetXLSSheets(const String& FileName);

// The workbook's active sheet, or the sheet of that name (the last of that name), into
// the grid: the grid takes the size of the sheet's used range.
void LoadFromXLS(TExtStringGrid& Grid, const String& FileName);
void LoadFromXLSSheet(TExtStringGrid& Grid, const String& FileName, const String& SheetName);
// The general form: SheetName empty for the active sheet.
void ImportXLS(TExtStringGrid& Grid, const String& FileName, const String& SheetName);

// The grid's save range into a workbook: SaveToXLS writes a new workbook (CreateNewSheet)
// or the active sheet of the workbook open in a running program from its active cell's
// row; SaveToXLSSheet writes into the sheet of that name of the file (opened when it
// exists, made otherwise), adding the sheet when there is none of that name.
void SaveToXLS(TExtStringGrid& Grid, const String& FileName, bool CreateNewSheet = true);
void SaveToXLSSheet(TExtStringGrid& Grid, const String& FileName, const String& SheetName);
void ExportToXLS(TExtStringGrid& Grid, const String& FileName, const String& SheetName, bool CreateNewSheet);

// Every row and column of the grid as a table of a document: SaveToDOC at the start of a
// new document (or the one open in a running program, without CreateNewDocument);
// AppendToDoc into the existing file, at the bookmark when it has one of that name,
// else at its end.
void SaveToDOC(TExtStringGrid& Grid, const String& FileName, bool CreateNewDocument = true);
void AppendToDoc(TExtStringGrid& Grid, const String& FileName, const String& Bookmark);
void ExportToDoc(TExtStringGrid& Grid, const String& FileName, const String& Bookmark, bool Append,
                 bool CreateNewDocument);

// A database table or query into the grid from its first non-fixed row: field names in
// the last fixed row (when there is one), one row per record. The grid is not cleared.
void LoadFromMDBTable(TExtStringGrid& Grid, const String& FileName, const String& Table);
void LoadFromMDBSQL(TExtStringGrid& Grid, const String& FileName, const String& SQL);

// The corners of a used-range address as the spreadsheet gives it ("$B$2:$D$5", "$C$3",
// whole rows "1:20"); a row that is no number gives -1.
struct TSheetRange {
    int FirstRow = 1, FirstCol = 1, LastRow = 1, LastCol = 1;
    bool Single = false;
    bool Valid() const { return FirstRow > 0 && FirstCol > 0 && LastRow > 0 && LastCol > 0; }
};
TSheetRange SplitUsedRange(const String& Address);

}  // namespace GridExchange
