#pragma once
// The options of a find over the grid's cells: which cells are walked, in which order,
// and how a cell's text must hold the search text. Member n is bit n of the set.
#include "platform/gui/Types.h"
#include "platform/rtl/SysUtils.h"

enum TFindParameters {
    fnMatchCase,              // compare with case; otherwise both texts are upper-cased
    fnMatchFull,              // the cell text must equal the search text
    fnMatchRegular,           // the search text is a filter pattern (wildcards, comparisons)
    fnDirectionLeftRight,     // row by row; otherwise column by column
    fnMatchStart,             // the search text must open the cell text
    fnFindInCurrentRow,
    fnFindInCurrentCol,
    fnIncludeFixed,           // the whole grid; otherwise only the scrollable cells
    fnAutoGoto,               // the current cell moves to a found cell
    fnIgnoreHTMLTags,
    fnBackward,
    fnIncludeHiddenColumns,   // columns are real indexes, hidden ones searched too
    fnFindInPresetCol,        // only column FindCol
    fnFindInPresetRow,        // only row FindRow
    fnSelectedCells,          // only the selection rectangle
    fnIncludeHiddenRows,      // rows are real indexes, hidden ones searched too
};
using TFindParams = TSet<TFindParameters>;

// One cell text tested against a search text under the options that concern the text
// (case, whole cell, start of cell, pattern). The search text is prepared once.
class TCellTextMatcher {
public:
    TCellTextMatcher(const String& SearchText, TFindParams Params);
    // The search text as compared: upper-cased unless fnMatchCase.
    const String& Cache() const { return FCache; }
    bool Matches(const String& CellText) const;

private:
    String FText;
    String FCache;
    bool FCase, FFull, FStart, FPattern, FEmptyOnly, FAsciiCache;
};

// Text with every occurrence of OrigStr replaced by NewStr; without IgnoreCase the
// comparison is exact, otherwise by upper case. An empty OrigStr replaces nothing.
String ReplaceOccurrences(const String& Text, const String& OrigStr, const String& NewStr, bool IgnoreCase);
