#pragma once
// What the grid's writers and readers share: text encodings of files, line splitting,
// progress, the size check of what a reader is about to build, and the end of a load.
#include <string>
#include <string_view>
#include <vector>

#include "grid/core/ExtGrid.h"

namespace GridExchange {

enum class TFileCoding {
    Ansi,       // Windows-1252, no byte-order mark
    Utf8Bom,    // UTF-8 with byte-order mark
    Utf16Bom,   // UTF-16 little-endian with byte-order mark
    Ascii7,     // 7-bit: every other character becomes "?"
};

// UTF-8 text into the file's bytes.
std::string EncodeText(std::string_view Utf8, TFileCoding Coding);
// The same for a text that is no longer needed: ASCII text is handed on without a copy.
std::string EncodeText(std::string&& Utf8, TFileCoding Coding);
// A file's bytes as UTF-8: a UTF-8 or UTF-16 byte-order mark is honoured; without one,
// bytes that are valid UTF-8 are taken as such (what other programs write today),
// anything else as Windows-1252.
String DecodeText(std::string_view Bytes);
// The same for bytes that are no longer needed: text that needs no conversion is handed on
// without a copy.
String DecodeText(std::string&& Bytes);
// Lines split at CR LF, a lone LF or a lone CR; a break at the very end starts no line.
std::vector<String> SplitLines(std::string_view Text);
// The lines, each ended by CR LF.
String JoinLines(const std::vector<String>& Lines);
// The lines of an existing file (for the append variants); none when it can't be read.
std::vector<String> ExistingLines(const String& FileName);

// OnFileProgress with a rounded percentage, fired only when the value changed.
class TProgress {
public:
    explicit TProgress(TExtStringGrid& Grid) : FGrid(Grid) {}
    void Report(long long Part, long long Whole);

private:
    TExtStringGrid& FGrid;
    int FLast = -1;
};

// Hidden columns that writers append after the visible ones (SaveHiddenCells).
inline int HiddenSaved(TExtStringGrid& Grid) { return Grid.SaveHiddenCells ? Grid.NumHiddenColumns() : 0; }
// The real column a writer reads for its column index c.
inline int SavedRealCol(TExtStringGrid& Grid, int c) { return Grid.SaveHiddenCells ? c : Grid.RealColIndex(c); }
inline String SaveText(TExtStringGrid& Grid, int c, int r)
{
    String s;
    Grid.GetSaveCellText(c, r, s);
    return s;
}
// A cell of a merged area that is not its base cell: writers that know areas skip it.
bool IsCoveredCell(TExtStringGrid& Grid, int c, int r);

// EExtGridError with Message when a reader would build a grid beyond MaxCols / MaxCells.
void CheckGridSize(long long Cols, long long Rows, const String& Message);
// The end of every load: the whole grid changed, the footers follow.
void FinishLoad(TExtStringGrid& Grid);

// A number read leniently: blanks skipped, optional sign, "$" or "x" (also "0x") for
// hexadecimal, digits up to the first other character; 0 when there are none. Values
// beyond the 32-bit range are clipped, so a forged number can't wrap around.
int LenientInt(std::string_view s);

}  // namespace GridExchange
