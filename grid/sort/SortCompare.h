#pragma once
// The typed comparison of the cells of one column, prepared for many comparisons: the
// column's sort style is asked once, each cell's text is read once, and what a style
// needs of a cell (its number, date, upper-cased text, check state ...) is worked out
// the first time a comparison needs it. CompareCells is this with two cells.
#include <vector>

#include "grid/base/GridTypes.h"
#include "grid/sort/SortSettings.h"
#include "platform/rtl/SysUtils.h"

class TExtStringGrid;

class TSortColumnCompare {
public:
    // Cells (ACol, Rows[i]) compared as a sort in Direction compares them.
    TSortColumnCompare(TExtStringGrid* Grid, int ACol, TSortDirection Direction, std::vector<int> Rows);
    // -1, 0 or +1: cell i against cell j; counts one comparison.
    int Compare(int i, int j);
    // When every comparison in this column is the ordinal order of one text per cell
    // (a text style, or the automatic style with nothing but plain text in the column)
    // and blanks take no place of their own: true, with that text of each cell in Out.
    bool OrdinalTexts(std::vector<const String*>& Out);

private:
    struct TKey {
        String Text;          // the text as the sort reads it
        String Alt;           // upper-cased (or stripped of tags for ssHTML)
        double Num = 0;       // the number, a failed conversion's partial value
        double Date = 0;      // date and time, 0 when the text holds none
        double Time = 0;      // time of day
        double Other = 0;     // short date, check state or image index (the column's own style)
        bool NumOk = false;   // the text converted as a number
        bool NumEmpty = true; // nothing left once prefix and suffix are taken off
        unsigned char Have = 0;   // which of the parts above are worked out
        unsigned char Auto = 0;   // what the text is taken for when it comes first (automatic style)
    };
    TKey& Text(int i);
    TKey& Automatic(int i);
    TKey& Alt(int i);
    TKey& Number(int i);
    TKey& DateTime(int i);
    TKey& TimeOfDay(int i);
    TKey& Other(int i);
    // The comparison by a settled style; Empty1 and Empty2 tell whether each text is
    // empty as the style prepared it (for IgnoreBlanks).
    int CompareStyled(TSortStyle Style, int i, int j, bool& Empty1, bool& Empty2);

    TExtStringGrid* FGrid;
    int FCol;
    TSortDirection FDirection;
    std::vector<int> FRows;
    std::vector<TKey> FKeys;
    TSortStyle FStyle = ssAutomatic;
    String FPrefix, FSuffix;
    bool FVirtual = true;
    bool FIgnoreCase = false;
    bool FIgnoreBlanks = false;
    TSortBlankPosition FBlankPos = blFirst;
    char FDateSep = '/', FTimeSep = ':', FDecimalSep = '.', FThousandSep = ',';
    String FDateTimePattern, FTimePattern;
};

// Ordinal order of the UTF-16 code units of two UTF-8 texts: -1, 0 or +1.
int CompareUtf16Order(const String& A, const String& B);
