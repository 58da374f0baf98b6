// Cells read and written as numbers: integers and floating point values, converted
// between the number and its text in one fixed way.
#include "grid/columns/ExtColumnGrid.h"
#include "grid/html/MiniHTML.h"
#include "grid/util/GridTextUtils.h"
#include "platform/os/Regional.h"

namespace {
// The text a cell shows without its mark-up tags.
String WithoutTags(const String& s)
{
    String r;
    r.reserve(s.size());
    bool inTag = false;
    for (char c : s) {
        if (c == '<') inTag = true;
        else if (c == '>' && inTag) inTag = false;
        else if (!inTag) r += c;
    }
    return r;
}

int IntFromText(const String& text)
{
    const String s = Trim(text);
    if (s.empty() || s == "-") return 0;
    int v = 0;
    if (!TryStrToInt(s, v)) throw EExtGridError("Cell does not contain integer value");
    return v;
}

double FloatFromText(const String& text)
{
    // Formatting goes first: thousand separators, currency texts, parentheses.
    const String s = NormalizeNumberText(Trim(text));
    if (s.empty() || s == "-") return 0;
    double v = 0;
    if (!TryStrToFloat(s, v, '.')) throw EExtGridError("Cell does not contain a float value");
    return v;
}

// The number is written with the regional decimal separator.
String FloatText(const String& Fmt, double Value)
{
    String s = Format(Fmt, {Value});
    const char d = GetDecimalSeparator();
    if (d != '.')
        for (char& c : s)
            if (c == '.') c = d;
    return s;
}
}

int TExtStringGrid::GetInts(int ACol, int ARow) { return IntFromText(WithoutTags(GetCellEx(ACol, ARow))); }

double TExtStringGrid::GetFloats(int ACol, int ARow) { return FloatFromText(WithoutTags(GetCellEx(ACol, ARow))); }

void TExtStringGrid::SetFloats(int ACol, int ARow, double Value)
{
    SetCellEx(ACol, ARow, FloatText(GetColumnFloatFormat(ACol), Value));
}

int TExtStringGrid::GetAllInts(int ACol, int ARow) { return IntFromText(GetCellsEx(ACol, ARow)); }

void TExtStringGrid::SetAllInts(int ACol, int ARow, int Value) { SetCellsEx(ACol, ARow, IntToStr(Value)); }

double TExtStringGrid::GetAllFloats(int ACol, int ARow) { return FloatFromText(GetCellsEx(ACol, ARow)); }

void TExtStringGrid::SetAllFloats(int ACol, int ARow, double Value)
{
    SetCellsEx(ACol, ARow, FloatText(FloatFormat, Value));
}

// ---------------------------------------------------------------- small accessors

String TExtStringGrid::GetCtrlVal(int ACol, int ARow, const String& ID)
{
    String v;
    return GetControlValue(GetCellEx(ACol, ARow), ID, v) ? v : String();
}

void TExtStringGrid::SetCtrlVal(int ACol, int ARow, const String& ID, const String& Value)
{
    String s = GetCellEx(ACol, ARow);
    if (SetControlValue(s, ID, Value)) SetCellEx(ACol, ARow, s);
}

bool TExtStringGrid::IsWideCell(int ACol, int ARow) { return GetCellEx(ACol, ARow).rfind("|\\", 0) == 0; }

String TExtStringGrid::Version() const
{
    const unsigned vn = unsigned(GetVersionNr());
    return IntToStr(int(vn >> 24)) + "." + IntToStr(int((vn >> 16) & 0xFF)) + "." + IntToStr(int((vn >> 8) & 0xFF)) +
           "." + IntToStr(int(vn & 0xFF));
}

void TExtStringGrid::SetLookupItems(const TStringList* Value)
{
    if (Value) FLookupItems->Assign(*Value);
    else FLookupItems->Clear();
}

int TExtStringGrid::GetPrintColWidth(int ACol) const
{
    if (ACol < 0 || ACol >= int(MaxWidths.size())) throw EExtGridError("Columns is not in valid range");
    return MaxWidths[size_t(ACol)];
}

int TExtStringGrid::GetPrintColOffset(int ACol) const
{
    if (ACol < 0 || ACol >= int(Indents.size())) throw EExtGridError("Columns is not in valid range");
    return Indents[size_t(ACol)];
}

// ---------------------------------------------------------------- column items

int TGridColumnItem::GetInts(int idx) const
{
    TExtColumnGrid* g = Grid();
    return g ? g->GetInts(Index(), idx) : 0;
}

void TGridColumnItem::SetInts(int idx, int Value)
{
    if (TExtColumnGrid* g = Grid()) g->SetInts(Index(), idx, Value);
}

double TGridColumnItem::GetFloats(int idx) const
{
    TExtColumnGrid* g = Grid();
    return g ? g->GetFloats(Index(), idx) : 0;
}

void TGridColumnItem::SetFloats(int idx, double Value)
{
    if (TExtColumnGrid* g = Grid()) g->SetFloats(Index(), idx, Value);
}

// ---------------------------------------------------------------- dates and times

TDateTime TExtStringGrid::GetDates(int ACol, int ARow)
{
    return StrToDateTimeByPattern(GetCellEx(ACol, ARow), GetShortDateFormat());
}

void TExtStringGrid::SetDates(int ACol, int ARow, TDateTime Value)
{
    // A date of 0 or before is no date unless the grid is asked to show it.
    if (Value > 0 || ShowNullDates) SetCellEx(ACol, ARow, FormatDateTime(GetShortDateFormat(), Value));
    else SetCellEx(ACol, ARow, "");
}

TDateTime TExtStringGrid::GetTimes(int ACol, int ARow)
{
    return StrToDateTimeByPattern(GetCellEx(ACol, ARow), GetLongTimeFormat());
}

void TExtStringGrid::SetTimes(int ACol, int ARow, TDateTime Value)
{
    SetCellEx(ACol, ARow, FormatDateTime(GetLongTimeFormat(), Value));
}

TDateTime TGridColumnItem::GetDates(int idx) const
{
    TExtColumnGrid* g = Grid();
    return g ? g->GetDates(Index(), idx) : 0;
}

void TGridColumnItem::SetDates(int idx, TDateTime Value)
{
    if (TExtColumnGrid* g = Grid()) g->SetDates(Index(), idx, Value);
}

TDateTime TGridColumnItem::GetTimes(int idx) const
{
    TExtColumnGrid* g = Grid();
    return g ? g->GetTimes(Index(), idx) : 0;
}

void TGridColumnItem::SetTimes(int idx, TDateTime Value)
{
    if (TExtColumnGrid* g = Grid()) g->SetTimes(Index(), idx, Value);
}
