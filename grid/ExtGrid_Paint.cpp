// The text a cell of the feature grid shows: its stored text, with numbers formatted
// when the application asks for a float format.
#include <algorithm>

#include "grid/ExtGrid.h"
#include "grid/GridTextUtils.h"
#include "platform/os/Regional.h"

String TExtStringGrid::GetFormattedCell(int ACol, int ARow)
{
    const String text = GetCellEx(ACol, ARow);
    if (!OnGetFloatFormat) return text;
    const int kind = GetNumberKind(text);
    if (kind != nkInteger && kind != nkDecimal && kind != nkExponent) return text;
    bool isFloat = true;
    String fmt = FloatFormat;
    OnGetFloatFormat(this, ACol, ARow, isFloat, fmt);
    if (!isFloat || fmt.empty()) return text;
    double v = 0;
    if (!TryStrToFloat(Trim(text), v, GetDecimalSeparator()) && !TryStrToFloat(NormalizeNumberText(text), v, '.'))
        return text;
    try {
        // A format that writes an integer gets the integer value.
        if (fmt.find('d') != String::npos) return Format(fmt, {static_cast<long long>(v)});
        return Format(fmt, {v});
    } catch (const Exception&) {
        return text;
    }
}

String TExtStringGrid::GetColumnFloatFormat(int ACol) { return FloatFormat; }
