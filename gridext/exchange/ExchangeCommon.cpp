#include "gridext/exchange/ExchangeCommon.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "gridext/exchange/GridExchange.h"
#include "platform/os/Files.h"
#include "platform/rtl/Unicode.h"

namespace GridExchange {

namespace {

bool IsAscii(std::string_view s)
{
    // Whole files pass through here: eight bytes are looked at in one step.
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        if (w & 0x8080808080808080ULL) return false;
    }
    for (; i < s.size(); ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80) return false;
    return true;
}

}  // namespace

std::string EncodeText(std::string_view Utf8, TFileCoding Coding)
{
    // ASCII text is the same in every 8-bit coding.
    if ((Coding == TFileCoding::Ansi || Coding == TFileCoding::Ascii7) && IsAscii(Utf8)) return std::string(Utf8);
    switch (Coding) {
    case TFileCoding::Ansi:
        return Utf8ToCp1252(Utf8);
    case TFileCoding::Utf8Bom:
        return "\xEF\xBB\xBF" + std::string(Utf8);
    case TFileCoding::Utf16Bom: {
        const std::u16string w = Utf8ToUtf16(Utf8);
        std::string out;
        out.reserve(2 + 2 * w.size());
        out += "\xFF\xFE";
        for (char16_t u : w) {
            out += static_cast<char>(u & 0xFF);
            out += static_cast<char>(u >> 8);
        }
        return out;
    }
    case TFileCoding::Ascii7: {
        const std::u32string w = Utf8ToUtf32(Utf8);
        std::string out;
        out.reserve(w.size());
        for (char32_t u : w) out += u < 0x80 ? static_cast<char>(u) : '?';
        return out;
    }
    }
    return std::string(Utf8);
}

std::string EncodeText(std::string&& Utf8, TFileCoding Coding)
{
    if ((Coding == TFileCoding::Ansi || Coding == TFileCoding::Ascii7) && IsAscii(Utf8)) return std::move(Utf8);
    return EncodeText(std::string_view(Utf8), Coding);
}

String DecodeText(std::string_view Bytes)
{
    if (Bytes.size() >= 3 && Bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        Bytes.remove_prefix(3);
        return IsValidUtf8(Bytes) ? String(Bytes) : Cp1252ToUtf8(Bytes);
    }
    if (Bytes.size() >= 2 && Bytes.substr(0, 2) == "\xFF\xFE") return Utf16BytesToUtf8(Bytes.substr(2), false);
    if (Bytes.size() >= 2 && Bytes.substr(0, 2) == "\xFE\xFF") return Utf16BytesToUtf8(Bytes.substr(2), true);
    return IsAscii(Bytes) || IsValidUtf8(Bytes) ? String(Bytes) : Cp1252ToUtf8(Bytes);
}

String DecodeText(std::string&& Bytes)
{
    const std::string_view b = Bytes;
    if (b.substr(0, 3) == "\xEF\xBB\xBF" && IsValidUtf8(b.substr(3))) return std::move(Bytes.erase(0, 3));
    if (b.substr(0, 2) != "\xFF\xFE" && b.substr(0, 2) != "\xFE\xFF" && b.substr(0, 3) != "\xEF\xBB\xBF" &&
        (IsAscii(b) || IsValidUtf8(b)))
        return std::move(Bytes);
    return DecodeText(b);
}

std::vector<String> SplitLines(std::string_view Text)
{
    std::vector<String> lines;
    size_t start = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c != '\r' && c != '\n') continue;
        lines.emplace_back(Text.substr(start, i - start));
        if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < Text.size()) lines.emplace_back(Text.substr(start));
    return lines;
}

String JoinLines(const std::vector<String>& Lines)
{
    size_t n = 0;
    for (const String& l : Lines) n += l.size() + 2;
    String out;
    out.reserve(n);
    for (const String& l : Lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::vector<String> ExistingLines(const String& FileName)
{
    try {
        return SplitLines(DecodeText(ReadFileBytes(FileName)));
    } catch (const EInOutError&) {
        return {};
    }
}

void TProgress::Report(long long Part, long long Whole)
{
    if (!FGrid.OnFileProgress) return;
    const int p = static_cast<int>(std::nearbyint(double(Part) * 100.0 / double(Whole > 0 ? Whole : 1)));
    if (p == FLast) return;
    FLast = p;
    FGrid.OnFileProgress(&FGrid, p);
}

bool IsCoveredCell(TExtStringGrid& Grid, int c, int r)
{
    return Grid.IsMergedCell(c, r) && !Grid.IsBaseCell(c, r);
}

void CheckGridSize(long long Cols, long long Rows, const String& Message)
{
    if (Cols < 0 || Rows < 0 || Cols > MaxCols || Cols * Rows > MaxCells) throw EExtGridError(Message);
}

void FinishLoad(TExtStringGrid& Grid)
{
    Grid.CellsChanged(TRect(0, 0, Grid.ColCount(), Grid.RowCount()));
    Grid.CalcFooterAll();
}

int LenientInt(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) neg = s[i++] == '-';
    int base = 10;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    long long v = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else break;
        v = v * base + d;
        if (v > 0x7FFFFFFFLL) v = 0x7FFFFFFFLL;
    }
    return static_cast<int>(neg ? -v : v);
}

}  // namespace GridExchange
