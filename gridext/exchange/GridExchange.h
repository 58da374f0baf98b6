#pragma once
// A grid's cells to and from files and streams: the grid's own text format, CSV,
// fixed-width text, the padded text table, HTML, XML and the binary cell stream.
//
// Every writer walks the grid's save range (SaveStartCol .. SaveEndRow) and asks the
// grid for each cell's text through GetSaveCellText; every reader stores through
// SetLoadCellText and ends with CellsChanged over the whole grid and CalcFooterAll.
// Failures raise EExtGridError or the runtime's exceptions with fixed English texts.
//
// Files are written whole to a temporary file and renamed over the old one, and the
// grid is not touched by a writer: a save that fails leaves both as they were. Readers
// check what they read before they change the grid: counts outside MaxCols and
// MaxCells, or a stream that does not parse, leave the grid as it was.
#include "grid/core/ExtGrid.h"

class TIntList;
class TStream;
class TStringList;

namespace GridExchange {

// What a reader accepts from a file or stream before it refuses it: far beyond any
// table the program shows, small enough that a forged header cannot exhaust memory.
constexpr int MaxCols = 16384;
constexpr long long MaxCells = 20'000'000;

// ---- shared helpers ----
// The smallest rectangle holding every cell whose display text is not empty;
// (0, 0, 0, 0) when all are empty.
TGridRect UsedCells(TExtStringGrid& Grid);
// The cell's number; 0 for an empty cell; EExtGridError "Error at position: ..." when
// the normalised text is no number.
double CellToReal(TExtStringGrid& Grid, int ACol, int ARow);
// The longest line, in characters, of the export texts of real column ACol (only the
// first line of each cell without Multilinecells).
int MaxColumnLineLength(TExtStringGrid& Grid, int ACol);

// ---- the grid's own text format ----
void SaveToFile(TExtStringGrid& Grid, const String& FileName, bool Unicode = false);
void LoadFromFile(TExtStringGrid& Grid, const String& FileName);
void SaveToStream(TExtStringGrid& Grid, TStream& Stream);
void LoadFromStream(TExtStringGrid& Grid, TStream& Stream);

// ---- CSV, fixed width, text table ----
void SaveToCSV(TExtStringGrid& Grid, const String& FileName, bool Unicode = false);
void AppendToCSV(TExtStringGrid& Grid, const String& FileName, bool Unicode = false);
void LoadFromCSV(TExtStringGrid& Grid, const String& FileName, int MaxRows = 0);
void InsertFromCSV(TExtStringGrid& Grid, const String& FileName, int MaxRows = 0);
void LoadFromCSVStream(TExtStringGrid& Grid, TStream& Stream, int MaxRows = 0);
// The CSV text the writers save (UTF-8, lines ended by CR LF).
String CSVText(TExtStringGrid& Grid);
void SaveToFixed(TExtStringGrid& Grid, const String& FileName, TIntList& Positions);
void LoadFromFixed(TExtStringGrid& Grid, const String& FileName, TIntList& Positions, int MaxRows = -1,
                   bool DoTrim = true);
void SaveToASCII(TExtStringGrid& Grid, const String& FileName, bool Unicode = false);
void AppendToASCII(TExtStringGrid& Grid, const String& FileName, bool Unicode = false);

// ---- HTML and XML ----
// The page; Dir is the folder ("/" separated, with a trailing one) for cell pictures.
String SaveToHTMLString(TExtStringGrid& Grid, const String& Dir);
void SaveToHTML(TExtStringGrid& Grid, const String& FileName, bool Show = false, bool Unicode = false);
void AppendToHTML(TExtStringGrid& Grid, const String& FileName, bool Show = false, bool Unicode = false);
void SaveToXML(TExtStringGrid& Grid, const String& FileName, const String& ListDescr, const String& RecordDescr,
               const TStringList* FieldDescr, bool ExportEmptyCells);
void LoadFromXML(TExtStringGrid& Grid, const String& FileName, bool LevelToRow = false, bool LoadFieldDescr = false);

// ---- binary cell stream ----
void SaveToBinFile(TExtStringGrid& Grid, const String& FileName);
void LoadFromBinFile(TExtStringGrid& Grid, const String& FileName);
void SaveToBinStream(TExtStringGrid& Grid, TStream& Stream);
void LoadFromBinStream(TExtStringGrid& Grid, TStream& Stream);
void SaveRectToBinStream(TExtStringGrid& Grid, const TGridRect& Rect, TStream& Stream);
void LoadAtPointFromBinStream(TExtStringGrid& Grid, TPoint Point, TStream& Stream);

// The columns and rows of a cell block and whether it is a whole grid, from its header
// alone; the stream-format error of the loader for bytes that are no block.
TPoint BinBlockSize(const std::string& Bytes, bool& FullGrid);

}  // namespace GridExchange
