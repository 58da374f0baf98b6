// Testing one cell text against a search text, and replacing occurrences in it.
#include <unicode/uchar.h>

#include "grid/search/FindParams.h"
#include "grid/util/GridDateFilter.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Unicode.h"

namespace {
bool IsAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

inline char UpAscii(char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; }

// Where the upper-case text Up stands in S read in upper case (both ASCII); npos for
// nowhere. Most cells are short ASCII texts: no copy is made of them.
size_t FindFoldedAscii(std::string_view S, std::string_view Up)
{
    if (Up.size() > S.size()) return std::string_view::npos;
    if (Up.empty()) return 0;
    const size_t last = S.size() - Up.size();
    const char first = Up[0];
    for (size_t i = 0; i <= last; ++i) {
        if (UpAscii(S[i]) != first) continue;
        size_t k = 1;
        while (k < Up.size() && UpAscii(S[i + k]) == Up[k]) ++k;
        if (k == Up.size()) return i;
    }
    return std::string_view::npos;
}

// Upper case per UTF-16 code unit, so that positions keep their place.
std::u16string Upper16(std::u16string u)
{
    for (char16_t& c : u) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const UChar32 up = u_toupper(static_cast<UChar32>(c));
        if (up <= 0xFFFF) c = static_cast<char16_t>(up);
    }
    return u;
}
}

TCellTextMatcher::TCellTextMatcher(const String& SearchText, TFindParams Params)
    : FText(SearchText),
      FCache(Params.Contains(fnMatchCase) ? SearchText : UpperCaseText(SearchText)),
      FCase(Params.Contains(fnMatchCase)),
      FFull(Params.Contains(fnMatchFull)),
      FStart(Params.Contains(fnMatchStart)),
      FPattern(Params.Contains(fnMatchRegular)),
      FEmptyOnly(SearchText == "\"\""),
      FAsciiCache(IsAscii(FCache))
{
}

bool TCellTextMatcher::Matches(const String& CellText) const
{
    // Two double quotes stand for an empty cell.
    if (FEmptyOnly) return CellText.empty();
    if (FPattern) {
        try {
            return MatchFilterExpression(FText, CellText, FCase);
        } catch (const Exception&) {
            return false;   // a pattern the matcher cannot read matches nothing
        }
    }
    size_t pos;
    size_t len = CellText.size();
    if (FCase) {
        pos = CellText.find(FCache);
    } else if (FAsciiCache && IsAscii(CellText)) {
        if (FFull && len != FCache.size()) return false;
        pos = FindFoldedAscii(CellText, FCache);
    } else {
        const String up = UpperCaseText(CellText);
        len = up.size();
        pos = up.find(FCache);
    }
    if (pos == String::npos) return false;
    if (FStart && pos != 0) return false;
    if (FFull && (pos != 0 || len != FCache.size())) return false;
    return true;
}

String ReplaceOccurrences(const String& Text, const String& OrigStr, const String& NewStr, bool IgnoreCase)
{
    if (OrigStr.empty()) return Text;
    if (!IgnoreCase) {
        String r;
        size_t from = 0;
        for (size_t p; (p = Text.find(OrigStr, from)) != String::npos; from = p + OrigStr.size())
            r.append(Text, from, p - from).append(NewStr);
        return r.append(Text, from, String::npos);
    }
    const std::u16string t = Utf8ToUtf16(Text);
    const std::u16string up = Upper16(t);
    const std::u16string o = Upper16(Utf8ToUtf16(OrigStr));
    const std::u16string n = Utf8ToUtf16(NewStr);
    std::u16string r;
    size_t from = 0;
    for (size_t p; (p = up.find(o, from)) != std::u16string::npos; from = p + o.size())
        r.append(t, from, p - from).append(n);
    r.append(t, from, std::u16string::npos);
    return Utf16ToUtf8(r);
}
