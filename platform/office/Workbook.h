#pragma once
// The spreadsheet back end's workbook in memory, and the files it is read from and
// written to.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/office/OfficeApps.h"

namespace Office {

struct TSheet {
    std::string Name;
    std::map<std::pair<int, int>, TCellValue> Cells;   // (row, column) from 1; no empty values
};

struct TWorkbook {
    std::vector<TSheet> Sheets;
    std::string FileName;   // empty for a workbook never saved
};

// The largest sheet a reader takes: the format's own limits, and a cell count that keeps
// a forged file from exhausting memory.
constexpr int MaxSheetRows = 1048576;
constexpr int MaxSheetCols = 16384;
constexpr long long MaxWorkbookCells = 20'000'000;

// EOfficeError when the file can't be read or is no workbook of that kind.
TWorkbook ReadXlsx(const std::string& FileName);
TWorkbook ReadXls(const std::string& FileName);
// A workbook written as .xlsx; texts that are plain decimal numbers become numbers, as a
// spreadsheet program takes them when they are typed in.
void WriteXlsx(const TWorkbook& Book, const std::string& FileName);

}  // namespace Office
