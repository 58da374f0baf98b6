// The typed comparison of cells: the sort style of the column (asked from OnGetFormat or
// the column's item), the automatic style told from the texts, and the comparison of two
// cells by the style, with empty cells placed first or last on request.
#include <cstdlib>
#include <memory>
#include <string_view>

#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include "grid/core/ExtGrid.h"
#include "grid/sort/SortCompare.h"
#include "grid/util/GridSupport.h"
#include "grid/util/GridTextUtils.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Unicode.h"

namespace {

enum : unsigned char {
    kHaveText = 1, kHaveAuto = 2, kHaveAlt = 4, kHaveNum = 8, kHaveDate = 16, kHaveTime = 32, kHaveOther = 64
};

// What a text is taken for when it comes first in an automatic comparison (low bits),
// and which separators it holds (for when it comes second).
enum : unsigned char {
    akText = 0, akCheckBox = 1, akNumber = 2, akDate = 3, akDateTime = 4, akTime = 5,
    akKindMask = 7, akHasDateSep = 16, akHasTimeSep = 32, akIsNumber = 64
};

int Sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }
int CompareValues(double a, double b) { return a < b ? -1 : a > b ? 1 : 0; }

bool IsNumberUnit(char16_t c) { return (U_GET_GC_MASK(static_cast<UChar32>(c)) & U_GC_N_MASK) != 0; }

bool IsAscii(const String& s)
{
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

// The number classification for plain ASCII texts without converting them; other texts
// go to the general classification. The rules are the same.
int NumberKindOf(const String& s, char T, char D)
{
    if (s.empty()) return nkNone;
    if (!IsAscii(s)) return GetNumberKind(s);
    bool integerOnly = true, decimalForm = true, exponentForm = true, hasExponent = false;
    int minusCount = 0, decimalCount = 0, exponentCount = 0;
    long lastT = -1;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const bool digit = c >= '0' && c <= '9';
        const bool minus = c == '-';
        const bool e = c == 'e' || c == 'E';
        if (minus) ++minusCount;
        if (c == D) ++decimalCount;
        if (!(digit || minus) || (minus && i > 0)) integerOnly = false;
        if (!(digit || minus || c == T || c == D) || (minus && i > 0)) decimalForm = false;
        if (c == T) {
            if (lastT >= 0 && static_cast<long>(i) - lastT <= 3) decimalForm = false;
            lastT = static_cast<long>(i);
        }
        if (!(digit || c == D || e || c == '+' || minus) || c == T) exponentForm = false;
        if (e) {
            hasExponent = true;
            if (++exponentCount > 1 || i == 0) exponentForm = false;
        }
        if (!integerOnly && !decimalForm && !exponentForm) return nkNone;
    }
    const char last = s.back();
    if (last == '+' || last == '-' || last == 'e' || last == 'E') exponentForm = false;
    if (integerOnly) return nkInteger;
    int kind = (decimalForm && !hasExponent) ? nkDecimal : nkNone;
    int minusAllowed = 1;
    if (exponentForm && hasExponent) {
        kind = nkExponent;
        minusAllowed = 2;
    }
    if (minusCount > minusAllowed || decimalCount > 1) return nkNone;
    return kind;
}

// The position (from 1) of a separator counted in UTF-16 units, and whether the units on
// both sides are number characters; 0 when the text does not hold it.
struct TSepInfo {
    int Pos = 0;
    int Length = 0;
    bool DigitsAround = false;
};
TSepInfo SeparatorInfo(const String& s, char sep)
{
    TSepInfo r;
    if (IsAscii(s)) {
        const size_t p = s.find(sep);
        r.Length = int(s.size());
        if (p == String::npos) return r;
        r.Pos = int(p) + 1;
        r.DigitsAround = p > 0 && p + 1 < s.size() && s[p - 1] >= '0' && s[p - 1] <= '9' && s[p + 1] >= '0' &&
                         s[p + 1] <= '9';
        return r;
    }
    const std::u16string w = Utf8ToUtf16(s);
    r.Length = int(w.size());
    const size_t p = w.find(char16_t(static_cast<unsigned char>(sep)));
    if (p == std::u16string::npos) return r;
    r.Pos = int(p) + 1;
    r.DigitsAround = p > 0 && p + 1 < w.size() && IsNumberUnit(w[p - 1]) && IsNumberUnit(w[p + 1]);
    return r;
}

// The first character of a pattern that is no pattern letter: the separator it uses.
char PatternSeparator(const String& pattern, char fallback)
{
    for (char c : pattern) {
        const char l = char(c | 0x20);
        if (!(l >= 'a' && l <= 'z') && c != ' ') return c;
    }
    return fallback;
}

// The locale's collation, with and without regard to case; one of each per thread.
UCollator* Collator(bool CaseSensitive)
{
    struct Closer {
        void operator()(UCollator* c) const { ucol_close(c); }
    };
    thread_local std::unique_ptr<UCollator, Closer> withCase, noCase;
    std::unique_ptr<UCollator, Closer>& slot = CaseSensitive ? withCase : noCase;
    if (!slot) {
        // Without a language (the C or POSIX locale) the root order applies: the
        // language-neutral one, never plain character codes.
        const char* loc = uloc_getDefault();
        if (!loc || std::string_view(loc).find("POSIX") != std::string_view::npos) loc = "";
        UErrorCode err = U_ZERO_ERROR;
        UCollator* c = ucol_open(loc, &err);
        if (U_FAILURE(err) || !c) {
            err = U_ZERO_ERROR;
            c = ucol_open("", &err);
        }
        if (c) ucol_setStrength(c, CaseSensitive ? UCOL_TERTIARY : UCOL_SECONDARY);
        slot.reset(c);
    }
    return slot.get();
}

int CompareLocale(const String& a, const String& b, bool CaseSensitive)
{
    UCollator* c = Collator(CaseSensitive);
    if (!c) return Sign(CompareUtf16Order(a, b));
    UErrorCode err = U_ZERO_ERROR;
    const UCollationResult r =
        ucol_strcollUTF8(c, a.data(), int32_t(a.size()), b.data(), int32_t(b.size()), &err);
    if (U_FAILURE(err)) return Sign(CompareUtf16Order(a, b));
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

// The code point at byte i of a UTF-8 text (i at its first byte).
char32_t CodePointAt(const String& s, size_t i)
{
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int n = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = n == 3 ? (c & 0x07) : n == 2 ? (c & 0x0F) : n == 1 ? (c & 0x1F) : c;
    for (size_t k = 1; k <= size_t(n) && i + k < s.size(); ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return cp;
}

// Where a code point sorts among UTF-16 code units: characters beyond the basic plane
// begin with a surrogate (D800 .. DBFF), below the characters from E000 on.
unsigned long long Utf16Key(char32_t cp)
{
    if (cp < 0x10000) return static_cast<unsigned long long>(cp) << 16;
    const char32_t v = cp - 0x10000;
    return (static_cast<unsigned long long>(0xD800 + (v >> 10)) << 16) | (0xDC00 + (v & 0x3FF));
}

} // namespace

int CompareUtf16Order(const String& A, const String& B)
{
    const size_t n = std::min(A.size(), B.size());
    size_t i = 0;
    while (i < n && A[i] == B[i]) ++i;
    if (i == n) return A.size() < B.size() ? -1 : A.size() > B.size() ? 1 : 0;
    const unsigned char a = static_cast<unsigned char>(A[i]), b = static_cast<unsigned char>(B[i]);
    // Byte order is code point order; it differs from UTF-16 order only where a character
    // from E000 on meets one beyond the basic plane.
    if (a < 0xEE && b < 0xEE) return a < b ? -1 : 1;
    size_t start = i;
    while (start > 0 && (static_cast<unsigned char>(A[start]) & 0xC0) == 0x80) --start;
    const unsigned long long ka = Utf16Key(CodePointAt(A, start)), kb = Utf16Key(CodePointAt(B, start));
    if (ka != kb) return ka < kb ? -1 : 1;
    return a < b ? -1 : 1;
}

// ---------------------------------------------------------------- TSortColumnCompare

TSortColumnCompare::TSortColumnCompare(TExtStringGrid* Grid, int ACol, TSortDirection Direction,
                                       std::vector<int> Rows)
    : FGrid(Grid), FCol(ACol), FDirection(Direction), FRows(std::move(Rows)), FKeys(FRows.size())
{
    const TSortSettings* s = Grid->SortSettings();
    FStyle = s->AutoFormat ? ssAutomatic : s->IgnoreCase ? ssAlphaNoCase : ssAlphabetic;
    Grid->FireGetFormat(ACol, FStyle, FPrefix, FSuffix);
    FVirtual = s->SortOnVirtualCells;
    FIgnoreCase = s->IgnoreCase;
    FIgnoreBlanks = s->IgnoreBlanks;
    FBlankPos = s->BlankPos;
    FDecimalSep = GetDecimalSeparator();
    FThousandSep = GetThousandSeparator();
    const String datePattern = GetShortDateFormat();
    FTimePattern = GetLongTimeFormat();
    FDateSep = PatternSeparator(datePattern, '/');
    FTimeSep = PatternSeparator(FTimePattern, ':');
    FDateTimePattern = datePattern + " " + FTimePattern;
}

TSortColumnCompare::TKey& TSortColumnCompare::Text(int i)
{
    TKey& k = FKeys[size_t(i)];
    if (!(k.Have & kHaveText)) {
        const int r = FRows[size_t(i)];
        k.Text = FVirtual ? FGrid->GetCellEx(FCol, r) : FGrid->GetGridCell(FCol, r);
        k.Have |= kHaveText;
    }
    return k;
}

TSortColumnCompare::TKey& TSortColumnCompare::Automatic(int i)
{
    TKey& k = Text(i);
    if (k.Have & kHaveAuto) return k;
    k.Have |= kHaveAuto;
    const String& t = k.Text;
    unsigned char a = akText;
    const bool isNumber = NumberKindOf(t, FThousandSep, FDecimalSep) != nkNone;
    if (isNumber) a |= akIsNumber;
    const TSepInfo d = SeparatorInfo(t, FDateSep);
    const TSepInfo tm = SeparatorInfo(t, FTimeSep);
    if (d.Pos > 0) a |= akHasDateSep;
    if (tm.Pos > 0) a |= akHasTimeSep;
    const TCellType ct = FGrid->GetCellType(FCol, FRows[size_t(i)]);
    if (ct == ctCheckBox || ct == ctDataCheckBox || ct == ctVirtCheckBox || ct == ctRowCheckBox) {
        a |= akCheckBox;
    } else if (isNumber) {
        a |= akNumber;
    } else if (d.Pos > 1 && d.Pos < d.Length && d.Pos < 4) {
        if (d.DigitsAround) a |= tm.Pos > 0 ? akDateTime : akDate;
    } else if (tm.Pos >= 2 && tm.Pos <= 3 && tm.Pos < tm.Length && tm.DigitsAround) {
        a |= akTime;
    }
    k.Auto = a;
    return k;
}

TSortColumnCompare::TKey& TSortColumnCompare::Alt(int i)
{
    TKey& k = Text(i);
    if (k.Have & kHaveAlt) return k;
    k.Have |= kHaveAlt;
    k.Alt = FStyle == ssHTML ? FGrid->GetStrippedCell(FCol, FRows[size_t(i)]) : UpperCase(k.Text);
    return k;
}

TSortColumnCompare::TKey& TSortColumnCompare::Number(int i)
{
    TKey& k = Text(i);
    if (k.Have & kHaveNum) return k;
    k.Have |= kHaveNum;
    String t = k.Text;
    auto dropFirst = [&t](const String& part) {
        if (part.empty()) return;
        const size_t p = t.find(part);
        if (p != String::npos) t.erase(p, part.size());
    };
    dropFirst(FPrefix);
    dropFirst(FSuffix);
    if (FStyle == ssFinancial && FThousandSep) std::erase(t, FThousandSep);
    if (FDecimalSep != '.') {
        const size_t p = t.find(FDecimalSep);
        if (p != String::npos) t[p] = '.';
    }
    k.NumEmpty = t.empty();
    double v = 0;
    k.NumOk = TryStrToFloat(t, v, '.');
    if (!k.NumOk) {
        // What the conversion reads before it fails; an empty cell counts as 0.
        const String trimmed = Trim(t);
        v = k.Text.empty() ? 0 : std::strtod(trimmed.c_str(), nullptr);
    }
    k.Num = v;
    return k;
}

TSortColumnCompare::TKey& TSortColumnCompare::DateTime(int i)
{
    TKey& k = Text(i);
    if (k.Have & kHaveDate) return k;
    k.Have |= kHaveDate;
    k.Date = 0;
    if (!k.Text.empty()) {
        try {
            k.Date = StrToDateTimeByPattern(k.Text, FDateTimePattern);
        } catch (const EConvertError&) {
        }
    }
    return k;
}

TSortColumnCompare::TKey& TSortColumnCompare::TimeOfDay(int i)
{
    TKey& k = Text(i);
    if (k.Have & kHaveTime) return k;
    k.Have |= kHaveTime;
    k.Time = 0;
    try {
        k.Time = StrToDateTimeByPattern(k.Text, FTimePattern);
    } catch (const EConvertError&) {
    }
    return k;
}

TSortColumnCompare::TKey& TSortColumnCompare::Other(int i)
{
    TKey& k = Text(i);
    if (k.Have & kHaveOther) return k;
    k.Have |= kHaveOther;
    const int r = FRows[size_t(i)];
    k.Other = 0;
    switch (FStyle) {
    case ssShortDateEU:
    case ssShortDateUS:
        try {
            k.Other = FStyle == ssShortDateEU ? ParseShortDateEU(k.Text) : ParseShortDateUS(k.Text);
        } catch (const EConvertError&) {
        }
        break;
    case ssImages: {
        int idx = -1;
        k.Other = FGrid->GetImageIdx(FCol, r, idx) ? idx : -1;
        break;
    }
    default: {
        // Check boxes (the column's own style or told from the first cell).
        bool state = false;
        FGrid->GetCheckBoxState(FCol, FGrid->RealRowIndex(r), state);
        k.Other = state ? 1 : 0;
        break;
    }
    }
    return k;
}

int TSortColumnCompare::CompareStyled(TSortStyle Style, int i, int j, bool& Empty1, bool& Empty2)
{
    switch (Style) {
    case ssAlphaNoCase: {
        const String& a = Alt(i).Alt;
        const String& b = Alt(j).Alt;
        Empty1 = a.empty(), Empty2 = b.empty();
        return CompareUtf16Order(a, b);
    }
    case ssHTML: {
        const String& a = Alt(i).Alt;
        const String& b = Alt(j).Alt;
        Empty1 = a.empty(), Empty2 = b.empty();
        return CompareUtf16Order(a, b);
    }
    case ssAnsiAlphaCase:
    case ssAnsiAlphaNoCase: {
        const String& a = Text(i).Text;
        const String& b = Text(j).Text;
        Empty1 = a.empty(), Empty2 = b.empty();
        return CompareLocale(a, b, Style == ssAnsiAlphaCase);
    }
    case ssNumeric:
    case ssFinancial: {
        const TKey& a = Number(i);
        const TKey& b = Number(j);
        Empty1 = a.NumEmpty, Empty2 = b.NumEmpty;
        if (!a.NumOk && !b.NumOk) return 0;
        return CompareValues(a.Num, b.Num);
    }
    case ssDate:
    case ssDateTime: {
        const TKey& a = DateTime(i);
        const TKey& b = DateTime(j);
        Empty1 = a.Text.empty(), Empty2 = b.Text.empty();
        return CompareValues(a.Date, b.Date);
    }
    case ssTime: {
        const TKey& a = TimeOfDay(i);
        const TKey& b = TimeOfDay(j);
        Empty1 = a.Text.empty(), Empty2 = b.Text.empty();
        return CompareValues(a.Time, b.Time);
    }
    case ssShortDateEU:
    case ssShortDateUS:
    case ssImages:
    case ssCheckBox: {
        const TKey& a = Other(i);
        const TKey& b = Other(j);
        Empty1 = a.Text.empty(), Empty2 = b.Text.empty();
        return CompareValues(a.Other, b.Other);
    }
    case ssCustom: {
        const String& a = Text(i).Text;
        const String& b = Text(j).Text;
        Empty1 = a.empty(), Empty2 = b.empty();
        int res = 0;
        if (FGrid->OnCustomCompare) FGrid->OnCustomCompare(FGrid, a, b, res);
        return Sign(res);
    }
    case ssRaw: {
        Empty1 = Text(i).Text.empty(), Empty2 = Text(j).Text.empty();
        int res = 0;
        if (FGrid->OnRawCompare) FGrid->OnRawCompare(FGrid, FCol, FRows[size_t(i)], FRows[size_t(j)], res);
        return Sign(res);
    }
    default: {
        const String& a = Text(i).Text;
        const String& b = Text(j).Text;
        Empty1 = a.empty(), Empty2 = b.empty();
        return CompareUtf16Order(a, b);
    }
    }
}

int TSortColumnCompare::Compare(int i, int j)
{
    ++FGrid->Compares;
    TSortStyle style = FStyle;
    const TSortStyle textStyle = FIgnoreCase ? ssAlphaNoCase : ssAlphabetic;
    if (style == ssAutomatic) {
        const unsigned char a = Automatic(i).Auto;
        switch (a & akKindMask) {
        case akCheckBox: style = ssCheckBox; break;
        case akNumber: style = ssNumeric; break;
        case akDate:
        case akDateTime:
            style = (Automatic(j).Auto & akHasDateSep) ? ((a & akKindMask) == akDateTime ? ssDateTime : ssDate)
                                                       : textStyle;
            break;
        case akTime: style = (Automatic(j).Auto & akHasTimeSep) ? ssTime : textStyle; break;
        default: style = textStyle; break;
        }
    } else if (style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
        const bool numbers = (Automatic(i).Auto & akIsNumber) && (Automatic(j).Auto & akIsNumber);
        style = numbers ? ssNumeric : style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
    }
    bool e1 = false, e2 = false;
    int r = Sign(CompareStyled(style, i, j, e1, e2));
    if (FIgnoreBlanks && e1 != e2) {
        // Blanks first or last, whichever way the rows are sorted.
        r = e1 ? (FBlankPos == blFirst ? -1 : 1) : (FBlankPos == blFirst ? 1 : -1);
        if (FDirection == sdDescending) r = -r;
    }
    return r;
}

bool TSortColumnCompare::OrdinalTexts(std::vector<const String*>& Out)
{
    if (FIgnoreBlanks) return false;
    const int n = int(FKeys.size());
    Out.resize(size_t(n));
    bool upper = false;
    switch (FStyle) {
    case ssAlphabetic:
    case ssAlphaCase: break;
    case ssAlphaNoCase:
    case ssHTML: upper = true; break;
    case ssAutomatic:
        for (int i = 0; i < n; ++i)
            if ((Automatic(i).Auto & akKindMask) != akText) return false;
        upper = FIgnoreCase;
        break;
    default: return false;
    }
    for (int i = 0; i < n; ++i) Out[size_t(i)] = upper ? &Alt(i).Alt : &Text(i).Text;
    return true;
}

// ---------------------------------------------------------------- the grid's comparisons

int TExtStringGrid::CompareCells(int ACol, int ARow1, int ARow2, TSortDirection Direction)
{
    TSortColumnCompare c(this, ACol, Direction, {ARow1, ARow2});
    return c.Compare(0, 1);
}

int TExtStringGrid::CompareRows(int ACol, int ARow1, int ARow2)
{
    for (int c = ACol;; ++c) {
        if (IsIgnoredColumn(c)) return 0;
        const int r = CompareCells(c, ARow1, ARow2, FSortSettings->Direction);
        if (r != 0 || !FSortSettings->Full || c > TotalColCount() - 2) return r;
    }
}

int TExtStringGrid::CompareRowsIndexed(int Index, int ARow1, int ARow2)
{
    for (int k = Index; k < FSortIndexes->Count(); ++k) {
        const int c = FSortIndexes->GetSortColumns(k);
        if (IsIgnoredColumn(c)) return 0;
        const bool ascending = FSortIndexes->GetSortDirections(k);
        int r = CompareCells(c, ARow1, ARow2, ascending ? sdAscending : sdDescending);
        if (!ascending) r = -r;
        if (r != 0 || !FSortSettings->Full) return r;
    }
    return 0;
}
