#include "grid/util/GridTextUtils.h"

#include <algorithm>
#include <vector>

#include <unicode/uchar.h>

#include "platform/os/Regional.h"
#include "platform/rtl/Unicode.h"

namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr char VT = '\v';

// Any character of the Unicode number categories (decimal digits, letter numbers such
// as Roman numerals, other numbers such as superscripts).
bool IsNumberChar(char16_t c)
{
    return (U_GET_GC_MASK(static_cast<UChar32>(c)) & U_GC_N_MASK) != 0;
}

char16_t UpperUnit(char16_t c)
{
    if (c >= 0xD800 && c <= 0xDFFF) return c;   // half of a pair: left as it is
    UChar32 u = u_toupper(static_cast<UChar32>(c));
    return u <= 0xFFFF ? static_cast<char16_t>(u) : c;
}

char16_t LowerUnit(char16_t c)
{
    if (c >= 0xD800 && c <= 0xDFFF) return c;
    UChar32 u = u_tolower(static_cast<UChar32>(c));
    return u <= 0xFFFF ? static_cast<char16_t>(u) : c;
}

bool Contains(const String& s, char c) { return s.find(c) != String::npos; }

String ReplaceChar(const String& s, char from, std::string_view to)
{
    String r;
    r.reserve(s.size());
    for (char c : s) {
        if (c == from)
            r.append(to);
        else
            r += c;
    }
    return r;
}

String ReplaceAll(const String& s, std::string_view from, std::string_view to)
{
    String r;
    r.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        if (s.compare(i, from.size(), from) == 0) {
            r.append(to);
            i += from.size();
        } else {
            r += s[i++];
        }
    }
    return r;
}

// Appends a character below 256 in UTF-8.
void AppendLatin1(String& out, unsigned c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Code page 437, characters 128 to 255.
const char16_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

// Characters of a link after its prefix.
bool IsURLChar(char c)
{
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    switch (c) {
    case '%': case '(': case ')': case '-': case '.': case '/': case ':': case '@': case '\\':
    case '_': case '{': case '}':
        return true;
    default:
        return false;
    }
}

String ZeroPad8(int v)
{
    String d = IntToStr(v);
    if (d.size() < 8) d.insert(0, 8 - d.size(), '0');
    return d;
}

} // namespace

// ---- cell text kinds and links ----

int GetTextKind(const String& s, bool checkHTML)
{
    // The text is read as if a blank followed it, without making that copy: writers ask
    // for the kind of every cell they save.
    const auto at = [&s](size_t i) { return i < s.size() ? s[i] : ' '; };
    if (s.empty()) return tkPlain;
    if (at(0) == '=') return tkFormula;
    if (at(0) == '|' && at(1) == '\\') {
        // A packed text whose first character is "=": a packed formula.
        if (s.size() >= 4 && at(3) == '=' && at(4) == '\0') return tkFormula;
        return tkPackedWide;
    }
    if (at(0) == '{' && at(1) == '\\') return tkRTF;
    if (checkHTML)
        for (size_t p = s.find('<'); p != String::npos && p + 1 < s.size(); p = s.find('<', p + 1)) {
            const char n = s[p + 1];
            if (n == '/' || n == 'B' || n == 'I' || n == 'C') return tkHTML;
        }
    return tkPlain;
}

bool HasURLProtocol(const String& s)
{
    return s.find("://") != String::npos || s.find("mailto:") != String::npos;
}

void StripURLProtocol(String& s)
{
    size_t p = s.find("://");
    if (p != String::npos) {
        s.erase(0, p + 3);
        return;
    }
    p = s.find("mailto:");
    if (p != String::npos) s.erase(0, p + 7);
}

bool LinkifyURL(const String& s, const String& upperPrefix, String& out)
{
    if (upperPrefix.empty() || UpperCase(s).find(upperPrefix) == String::npos) return false;
    const String esc = ReplaceChar(ReplaceChar(s, '<', "&lt;"), '>', "&gt;");
    const size_t p = UpperCase(esc).find(upperPrefix);
    size_t e = p;
    while (e < esc.size() && IsURLChar(esc[e])) ++e;
    const String link = esc.substr(p, e - p);
    out = esc.substr(0, p) + "<a href=\"" + link + "\">" + link + "</a>" + esc.substr(e);
    return true;
}

bool ParseCellReference(const String& s, int& col, int& row)
{
    String u = UpperCase(s);
    if (u.size() <= 3 || u[0] != 'R') return false;
    u.erase(0, 1);
    const size_t c = u.find('C');
    if (c == String::npos) return false;
    int r = 0, k = 0;
    if (!TryStrToInt(u.substr(0, c), r) || !TryStrToInt(u.substr(c + 1), k)) return false;
    row = r;
    col = k;
    return true;
}

// ---- numbers and colours ----

int GetNumberKind(const String& s)
{
    if (s.empty()) return nkNone;
    const std::u16string w = Utf8ToUtf16(s);
    const char16_t T = static_cast<unsigned char>(GetThousandSeparator());
    const char16_t D = static_cast<unsigned char>(GetDecimalSeparator());

    bool integerOnly = true, decimalForm = true, exponentForm = true, hasExponent = false;
    int minusCount = 0, decimalCount = 0, exponentCount = 0;
    long lastT = -1;
    for (size_t i = 0; i < w.size(); ++i) {
        const char16_t c = w[i];
        const bool digit = IsNumberChar(c);
        const bool minus = c == u'-';
        const bool e = c == u'e' || c == u'E';
        if (minus) ++minusCount;
        if (c == D) ++decimalCount;

        if (!(digit || minus) || (minus && i > 0)) integerOnly = false;

        if (!(digit || minus || c == T || c == D) || (minus && i > 0)) decimalForm = false;
        if (c == T) {
            if (lastT >= 0 && static_cast<long>(i) - lastT <= 3) decimalForm = false;
            lastT = static_cast<long>(i);
        }

        if (!(digit || c == D || e || c == u'+' || minus) || c == T) exponentForm = false;
        if (e) {
            hasExponent = true;
            if (++exponentCount > 1 || i == 0) exponentForm = false;
        }
    }
    const char16_t last = w.back();
    if (last == u'+' || last == u'-' || last == u'e' || last == u'E') exponentForm = false;

    if (integerOnly) return nkInteger;
    int kind = (decimalForm && !hasExponent) ? nkDecimal : nkNone;
    int minusAllowed = 1;
    if (exponentForm && hasExponent) {
        kind = nkExponent;
        minusAllowed = 2;   // mantissa and exponent
    }
    if (minusCount > minusAllowed || decimalCount > 1) return nkNone;
    return kind;
}

String NormalizeNumberText(const String& s)
{
    if (s.empty()) return String();
    std::u16string w = Utf8ToUtf16(s);
    const char16_t T = static_cast<unsigned char>(GetThousandSeparator());
    const char16_t D = static_cast<unsigned char>(GetDecimalSeparator());

    bool negative = w.front() == u'(' && w.back() == u')';
    size_t i = 0;
    while (w.size() - i >= 2) {
        const char16_t c = w[i];
        if (IsNumberChar(c) || c == T || c == D || c == u'e' || c == u'E') break;
        if (c == u'-') negative = true;
        ++i;
    }
    std::u16string r;
    for (; i < w.size(); ++i) {
        const char16_t c = w[i];
        if (c == T) continue;
        if (c == D)
            r += u'.';
        else if (IsNumberChar(c) || c == u'-' || c == u'.' || c == u'e' || c == u'E' || c == u'+')
            r += c;
        else
            break;
    }
    if (negative) r.insert(r.begin(), u'-');
    return Utf16ToUtf8(r);
}

String ColorToHTMLHex(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    return IntToHex(static_cast<unsigned>(GetRValue(rgb)), 2) + IntToHex(static_cast<unsigned>(GetGValue(rgb)), 2) +
           IntToHex(static_cast<unsigned>(GetBValue(rgb)), 2);
}

// ---- line breaks and control characters ----

String LineBreaksToBR(const String& s)
{
    return Contains(s, CR) ? ReplaceChar(s, CR, "<br>") : s;
}

String BackslashNToCR(const String& s) { return ReplaceAll(s, "\\n", "\r"); }

String LineBreaksToBackslashN(const String& s)
{
    String r;
    r.reserve(s.size());
    for (char c : s) {
        if (c == CR)
            r += "\\n";
        else if (c != LF)
            r += c;
    }
    return r;
}

String CRLFToLF(const String& s) { return ReplaceAll(s, "\r\n", "\n"); }

String LineBreaksToVTabQuoted(const String& s) { return '"' + ReplaceAll(s, "\r\n", "\v") + '"'; }

String VTabToLineBreaks(const String& s)
{
    return Contains(s, VT) ? ReplaceChar(s, VT, "\r\n") : s;
}

String LineBreaksToTilde(const String& s)
{
    String r;
    r.reserve(s.size());
    for (char c : s) {
        if (c == CR)
            r += '~';
        else if (c != LF)
            r += c;
    }
    return r;
}

String TildeToLineBreaks(const String& s)
{
    String r = ReplaceChar(s, '~', "\r\n");
    if (r == "^") r.clear();
    return r;
}

String RemoveCR(const String& s)
{
    String r;
    r.reserve(s.size());
    for (char c : s)
        if (c != CR) r += c;
    return r;
}

String CRToLF(const String& s)
{
    String r = s;
    for (char& c : r)
        if (c == CR) c = LF;
    return r;
}

String EncodeControlChars(const String& s)
{
    if (!Contains(s, CR)) return s;
    String r = s;
    for (char& c : r) {
        if (c == CR)
            c = '\t';
        else if (c == LF)
            c = '\b';
        else if (c == '\0')
            c = '\x01';
    }
    return r;
}

String DecodeControlChars(const String& s, bool keepAllLines)
{
    String r = s;
    if (Contains(r, '\b')) {
        for (char& c : r) {
            if (c == '\t')
                c = CR;
            else if (c == '\b')
                c = LF;
            else if (c == '\x01')
                c = '\0';
        }
    }
    if (!keepAllLines) r = CutFirstLine(r, false);
    return r;
}

String CutFirstLine(String& s, bool keepRest)
{
    const size_t p = s.find(CR);
    if (p == String::npos) {
        String r = std::move(s);
        s.clear();
        return r;
    }
    String r = s.substr(0, p);
    size_t rest = p + 1;
    if (rest < s.size() && s[rest] == LF) ++rest;
    if (keepRest)
        s.erase(0, rest);
    else
        s.clear();
    return r;
}

int LineCount(const String& s, bool multiLine)
{
    return multiLine ? 1 + CountChar(CR, s) : 1;
}

// ---- rich text ----

namespace {

// Destinations whose groups hold no text of the document.
bool IsSkippedDestination(std::string_view w)
{
    static constexpr std::string_view kSkipped[] = {
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "headerl", "headerr", "headerf",
        "footer", "footerl", "footerr", "footerf", "listtable", "listoverridetable", "rsidtbl", "generator",
        "xmlnstbl", "themedata", "colorschememapping", "latentstyles", "datastore", "object", "fldinst",
        "filetbl", "revtbl", "pgdsctbl", "footnote", "annotation", "bkmkstart", "bkmkend", "nonshppict",
    };
    for (std::string_view k : kSkipped)
        if (w == k) return true;
    return false;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

String RichTextToPlainText(const String& rtf)
{
    struct Group {
        bool skip;
        int uc;   // fallback characters after a \u
    };
    std::vector<Group> groups{{false, 1}};
    String out;
    std::u16string wide;   // \u units waiting to be joined (a surrogate pair comes as two)
    int fallback = 0;      // fallback characters still to drop
    bool groupStart = false;
    const auto flush = [&] {
        if (wide.empty()) return;
        out += Utf16ToUtf8(wide);
        wide.clear();
    };
    const auto emit = [&](const String& t) {
        if (groups.back().skip) return;
        if (fallback > 0) {
            --fallback;
            return;
        }
        flush();
        out += t;
    };
    const size_t n = rtf.size();
    size_t i = 0;
    while (i < n) {
        const char c = rtf[i];
        if (c == '{') {
            // Nesting deeper than any document needs is read flat, so hostile input
            // cannot grow the stack without bound.
            if (groups.size() < 4096) groups.push_back(groups.back());
            groupStart = true;
            fallback = 0;
            ++i;
            continue;
        }
        if (c == '}') {
            if (groups.size() > 1) groups.pop_back();
            groupStart = false;
            fallback = 0;
            ++i;
            continue;
        }
        if (c == CR || c == LF) {
            ++i;
            continue;
        }
        if (c != '\\') {
            groupStart = false;
            emit(String(1, c));
            ++i;
            continue;
        }
        // A control symbol or word.
        ++i;
        if (i >= n) break;
        const char d = rtf[i];
        if (d == '\\' || d == '{' || d == '}') {
            groupStart = false;
            emit(String(1, d));
            ++i;
            continue;
        }
        if (d == '\'') {
            groupStart = false;
            const int h = i + 2 < n ? HexValue(rtf[i + 1]) : -1;
            const int l = i + 2 < n ? HexValue(rtf[i + 2]) : -1;
            if (h >= 0 && l >= 0) {
                emit(Cp1252ToUtf8(std::string(1, char(h * 16 + l))));
                i += 3;
            } else {
                ++i;
            }
            continue;
        }
        if (d == '*') {
            groups.back().skip = true;
            ++i;
            continue;
        }
        if (d == CR || d == LF) {
            emit("\r\n");
            ++i;
            continue;
        }
        if (!((d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z'))) {
            // "\~" a no-break space, "\_" a no-break hyphen; "\-" and the rest add nothing.
            groupStart = false;
            if (d == '~') emit("\xC2\xA0");
            else if (d == '_') emit("-");
            ++i;
            continue;
        }
        size_t j = i;
        while (j < n && ((rtf[j] >= 'a' && rtf[j] <= 'z') || (rtf[j] >= 'A' && rtf[j] <= 'Z'))) ++j;
        const std::string_view word(rtf.data() + i, j - i);
        bool hasParam = false;
        bool negative = false;
        long param = 0;
        if (j < n && rtf[j] == '-' && j + 1 < n && rtf[j + 1] >= '0' && rtf[j + 1] <= '9') {
            negative = true;
            ++j;
        }
        while (j < n && rtf[j] >= '0' && rtf[j] <= '9') {
            hasParam = true;
            if (param < 1000000) param = param * 10 + (rtf[j] - '0');
            ++j;
        }
        if (negative) param = -param;
        if (j < n && rtf[j] == ' ') ++j;   // the delimiting blank belongs to the word
        i = j;
        const bool first = groupStart;
        groupStart = false;
        if (first && IsSkippedDestination(word)) {
            groups.back().skip = true;
            continue;
        }
        if (word == "par" || word == "line" || word == "sect" || word == "page") emit("\r\n");
        else if (word == "tab") emit("\t");
        else if (word == "emdash") emit("\xE2\x80\x94");
        else if (word == "endash") emit("\xE2\x80\x93");
        else if (word == "bullet") emit("\xE2\x80\xA2");
        else if (word == "lquote") emit("\xE2\x80\x98");
        else if (word == "rquote") emit("\xE2\x80\x99");
        else if (word == "ldblquote") emit("\xE2\x80\x9C");
        else if (word == "rdblquote") emit("\xE2\x80\x9D");
        else if (word == "uc" && hasParam) groups.back().uc = int(std::max(0L, std::min(param, 16L)));
        else if (word == "u" && hasParam) {
            if (groups.back().skip) continue;
            fallback = 0;
            wide += char16_t(param < 0 ? param + 65536 : param);
            fallback = groups.back().uc;
        }
    }
    flush();
    // The mark that ends the last paragraph opens no line of its own.
    while (out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0) out.resize(out.size() - 2);
    return out;
}

// ---- CSV field helpers ----

String QuoteDoubleQuotes(const String& s) { return ReplaceChar(s, '"', "\"\""); }

String UndoubleChar(char c, const String& s)
{
    if (!Contains(s, c)) return s;
    const char pair[2] = {c, c};
    return ReplaceAll(s, std::string_view(pair, 2), std::string_view(pair, 1));
}

int FindSingleChar(char c, const String& s)
{
    const size_t n = s.size();
    size_t i = 0;
    while (i < n) {
        if (s[i] != c) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < n && s[j] == c) ++j;
        // j is one past the run: its last character has the 1-based position j.
        if (j == n || (j - i) % 2 == 1) return static_cast<int>(j);
        i = j;
    }
    return 0;
}

int FindSingleChar(char c, const String& s, int& pos)
{
    pos = FindSingleChar(c, s);
    return pos;
}

int CountSingleChar(char c, const String& s)
{
    int count = 0;
    String t = s;
    for (int p = FindSingleChar(c, t); p > 0; p = FindSingleChar(c, t)) {
        ++count;
        t.erase(0, static_cast<size_t>(p));
    }
    return count;
}

int CountChar(char c, const String& s)
{
    int n = 0;
    for (char x : s)
        if (x == c) ++n;
    return n;
}

std::string TextToOEM(const String& s)
{
    const std::u16string w = Utf8ToUtf16(s);
    std::string r;
    r.reserve(w.size());
    for (char16_t c : w) {
        if (c < 0x80) {
            r += static_cast<char>(c);
            continue;
        }
        char out = '?';
        for (int k = 0; k < 128; ++k) {
            if (kCp437High[k] == c) {
                out = static_cast<char>(0x80 + k);
                break;
            }
        }
        r += out;
    }
    return r;
}

String TextFromOEM(std::string_view oem)
{
    std::u16string w;
    w.reserve(oem.size());
    for (char ch : oem) {
        const unsigned char b = static_cast<unsigned char>(ch);
        w += b < 0x80 ? static_cast<char16_t>(b) : kCp437High[b - 0x80];
    }
    return Utf16ToUtf8(w);
}

// ---- packed wide text and case ----

String PackWideText(const String& s)
{
    const std::u16string w = Utf8ToUtf16(s);
    String r = "|\\";
    r.reserve(2 + w.size() * 2);
    for (char16_t c : w) {
        AppendLatin1(r, static_cast<unsigned>(c) >> 8);
        AppendLatin1(r, static_cast<unsigned>(c) & 0xFF);
    }
    return r;
}

String UnpackWideText(const String& s)
{
    if (s.size() < 2 || s[0] != '|' || s[1] != '\\') return s;
    const std::u16string packed = Utf8ToUtf16(std::string_view(s).substr(2));
    std::u16string w;
    w.reserve(packed.size() / 2);
    for (size_t i = 0; i + 1 < packed.size(); i += 2)
        w += static_cast<char16_t>(((packed[i] & 0xFF) << 8) | (packed[i + 1] & 0xFF));
    return Utf16ToUtf8(w);
}

String ToMixedCase(const String& s)
{
    const std::u16string w = Utf8ToUtf16(s);
    const size_t n = w.size();
    std::u16string r;
    r.reserve(n);
    bool newWord = true;
    for (size_t i = 1; i <= n; ++i) {
        const char16_t c = w[i - 1];
        if (c == u' ' || c == u',' || c == u'.' || c == u'-' || c == u'\'') {
            r += c;
            newWord = true;
        } else if (newWord) {
            r += UpperUnit(c);
            newWord = false;
        } else {
            r += LowerUnit(c);
        }
        // "Mc" at the start or after the first blank: the name goes on with a capital.
        if (i == 2 && r == u"Mc") newWord = true;
        const size_t mc = r.find(u" Mc");
        if (mc != std::u16string::npos && mc + 3 == i) newWord = true;
        // Trailing Roman numerals I, II, III stay in capitals.
        if (i + 3 > n) {
            auto endsWith = [&](std::u16string_view tail) {
                return r.size() >= tail.size() && r.compare(r.size() - tail.size(), tail.size(), tail) == 0;
            };
            if (endsWith(u" I") || endsWith(u" II")) newWord = true;
        }
    }
    return Utf16ToUtf8(r);
}

// ---- search, clamp and small helpers ----

int CharPos(char c, const String& s)
{
    const size_t p = s.find(c);
    return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

int CharPosOut(char c, const String& s, int& pos)
{
    const int p = CharPos(c, s);
    if (p > 0) pos = p;
    return p;
}

int FindSubText(const String& sub, const String& s)
{
    if (sub.empty()) return 0;
    const size_t p = s.find(sub);
    return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

int FindSubText(const String& sub, const String& s, int& pos)
{
    pos = FindSubText(sub, s);
    return pos;
}

int FindSubTextNoCase(const String& upperSub, const String& s)
{
    return FindSubText(upperSub, UpperCase(s));
}

int WidePos(std::u16string_view sub, std::u16string_view s, int& pos)
{
    const size_t p = sub.empty() ? std::u16string_view::npos : s.find(sub);
    pos = p == std::u16string_view::npos ? 0 : static_cast<int>(p) + 1;
    return pos;
}

String SplitFirst(String& s, const String& sep)
{
    if (sep.empty()) return String();
    const size_t p = s.find(sep);
    if (p == String::npos) return String();
    String head = s.substr(0, p);
    s.erase(0, p + sep.size());
    return head;
}

String StringsToText(const TStringList& list)
{
    String r;
    for (int i = 0; i < list.Count(); ++i) r += list[i];
    return r;
}

String JoinLines(const TStringList& Lines)
{
    String s;
    for (int i = 0; i < Lines.Count(); ++i) {
        if (i) s += "\r\n";
        s += Lines.Strings(i);
    }
    return s;
}

void FillWithChar(String& s, char c)
{
    s.assign(static_cast<size_t>(Utf8Length(s)), c);
}

int Max(int a, int b) { return a > b ? a : b; }
int Min(int a, int b) { return a < b ? a : b; }

int ClampToLimits(int value, int minimum, int maximum)
{
    if (minimum == maximum) return value;
    if (maximum > 0 && maximum < value) return maximum;
    if (minimum > 0 && minimum > value) return minimum;
    return value;
}

bool PointInGridRect(const TGridRect& r, int col, int row)
{
    return col >= r.Left && col <= r.Right && row >= r.Top && row <= r.Bottom;
}

void MakeClipboardHTML(String& html)
{
    static const char* const kDoctype = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
    static const char* const kHead =
        "<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\"></head>"
        "<body><!--StartFragment-->";
    static const char* const kTail = "<!--EndFragment--></body></html>";
    // Header 97 + frame 62 + 115 before the fragment, 32 after it.
    const int n = static_cast<int>(html.size());
    String r = "Version:1.0\r\n";
    r += "StartHTML:" + ZeroPad8(97) + "\r\n";
    r += "EndHTML:" + ZeroPad8(n + 306) + "\r\n";
    r += "StartFragment:" + ZeroPad8(274) + "\r\n";
    r += "EndFragment:" + ZeroPad8(n + 274) + "\r\n";
    r += kDoctype;
    r += kHead;
    r += html;
    r += kTail;
    html = std::move(r);
}

// ---- short dates (sorting) ----

namespace {

TDateTime ParseShortDate(const String& s, bool dayFirst)
{
    char sep = 0;
    for (char c : {'/', '.', '-'})
        if (s.find(c) != String::npos) {
            sep = c;
            break;
        }
    if (!sep) return 0;
    const size_t p1 = s.find(sep);
    const size_t p2 = s.find(sep, p1 + 1);
    if (p2 == String::npos) throw EConvertError("'" + s + "' is not a valid date");
    const int a = StrToInt(Trim(std::string_view(s).substr(0, p1)));
    const int b = StrToInt(Trim(std::string_view(s).substr(p1 + 1, p2 - p1 - 1)));
    const String yearText = Trim(std::string_view(s).substr(p2 + 1));
    int year = StrToInt(yearText);
    // Only a year written with two digits (or fewer) is given its century.
    if (yearText.size() <= 2 && year >= 0) year += year <= 25 ? 2000 : 1900;
    return dayFirst ? EncodeDate(year, b, a) : EncodeDate(year, a, b);
}

} // namespace

TDateTime ParseShortDateEU(const String& s) { return ParseShortDate(s, true); }
TDateTime ParseShortDateUS(const String& s) { return ParseShortDate(s, false); }
