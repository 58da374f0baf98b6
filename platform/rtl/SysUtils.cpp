#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

inline char LowerA(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
inline char UpperA(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = LowerA(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Shared parser of the integer forms; limit is the largest magnitude accepted for a
// positive value (a negative one may reach limit + 1). Hex values may fill the whole
// unsigned range of the type and wrap into negative numbers, as "$FFFFFFFF" = -1 does.
bool ParseInteger(std::string_view s, long long& out, bool wide)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        neg = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    } else if (i < s.size() && (s[i] == 'x' || s[i] == 'X')) {
        hex = true;
        ++i;
    }
    if (i >= s.size()) return false;
    unsigned long long v = 0;
    const unsigned long long hexMax = wide ? ULLONG_MAX : 0xFFFFFFFFull;
    const unsigned long long decMax = wide ? static_cast<unsigned long long>(LLONG_MAX) + (neg ? 1 : 0)
                                           : static_cast<unsigned long long>(INT_MAX) + (neg ? 1 : 0);
    for (; i < s.size(); ++i) {
        if (hex) {
            int d = HexDigit(s[i]);
            if (d < 0) return false;
            if (v > (hexMax >> 4)) return false;
            v = (v << 4) | static_cast<unsigned>(d);
        } else {
            if (s[i] < '0' || s[i] > '9') return false;
            unsigned d = static_cast<unsigned>(s[i] - '0');
            if (v > (decMax - d) / 10) return false;
            v = v * 10 + d;
        }
    }
    // Negation wraps in the type's width, so "-$1" is -1 and "-2147483648" fits.
    long long r = hex && !wide ? static_cast<long long>(static_cast<int32_t>(static_cast<uint32_t>(v)))
                               : static_cast<long long>(v);
    if (neg)
        r = wide ? static_cast<long long>(0ull - static_cast<unsigned long long>(r))
                 : static_cast<long long>(static_cast<int32_t>(0u - static_cast<uint32_t>(r)));
    out = r;
    return true;
}

String InvalidInt(std::string_view s) { return "'" + String(s) + "' is not a valid integer value"; }

} // namespace

String TrimLeft(std::string_view s)
{
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return String(s.substr(b));
}

String TrimRight(std::string_view s)
{
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return String(s.substr(0, e));
}

String Trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return String(s.substr(b, e - b));
}

String UpperCase(std::string_view s)
{
    String r(s);
    for (char& c : r) c = UpperA(c);
    return r;
}

String LowerCase(std::string_view s)
{
    String r(s);
    for (char& c : r) c = LowerA(c);
    return r;
}

int CompareStr(std::string_view a, std::string_view b)
{
    int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareText(std::string_view a, std::string_view b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(LowerA(a[i]));
        unsigned char y = static_cast<unsigned char>(LowerA(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

bool StartsText(std::string_view prefix, std::string_view s)
{
    return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

bool EndsText(std::string_view suffix, std::string_view s)
{
    return s.size() >= suffix.size() && SameText(s.substr(s.size() - suffix.size()), suffix);
}

String IntToStr(long long value) { return std::to_string(value); }

String IntToHex(unsigned long long value, int digits)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llX", std::clamp(digits, 0, 16), value);
    return buf;
}

bool TryStrToInt(std::string_view s, int& value)
{
    long long v;
    if (!ParseInteger(s, v, false)) return false;
    value = static_cast<int>(v);
    return true;
}

bool TryStrToInt64(std::string_view s, long long& value) { return ParseInteger(s, value, true); }

int StrToInt(std::string_view s)
{
    int v;
    if (!TryStrToInt(s, v)) throw EConvertError(InvalidInt(s));
    return v;
}

long long StrToInt64(std::string_view s)
{
    long long v;
    if (!TryStrToInt64(s, v)) throw EConvertError(InvalidInt(s));
    return v;
}

int StrToIntDef(std::string_view s, int def)
{
    int v;
    return TryStrToInt(s, v) ? v : def;
}

long long StrToInt64Def(std::string_view s, long long def)
{
    long long v;
    return TryStrToInt64(s, v) ? v : def;
}

bool TryStrToFloat(std::string_view s, double& value, char decimalSeparator)
{
    String t = Trim(s);
    if (t.empty()) return false;
    // Only the given separator is a decimal point; the other one makes the text invalid,
    // so "1,5" is not silently read as 1 where '.' is expected.
    for (char& c : t) {
        if (c == decimalSeparator) c = '.';
        else if (c == '.' || c == ',') return false;
    }
    for (char c : t) {
        bool ok = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
        if (!ok) return false;
    }
    double v = 0;
    auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || p != t.data() + t.size() || !std::isfinite(v)) {
        // from_chars does not take a leading '+'
        if (t[0] == '+' && t.size() > 1) {
            auto [p2, ec2] = std::from_chars(t.data() + 1, t.data() + t.size(), v);
            if (ec2 != std::errc() || p2 != t.data() + t.size() || !std::isfinite(v)) return false;
        } else {
            return false;
        }
    }
    value = v;
    return true;
}

double StrToFloat(std::string_view s, char decimalSeparator)
{
    double v;
    if (!TryStrToFloat(s, v, decimalSeparator))
        throw EConvertError("'" + String(s) + "' is not a valid floating point value");
    return v;
}

double StrToFloatDef(std::string_view s, double def, char decimalSeparator)
{
    double v;
    return TryStrToFloat(s, v, decimalSeparator) ? v : def;
}

String FloatToStr(double value, char decimalSeparator)
{
    char buf[64];
    // 15 significant digits: what a user typed comes back as typed (0.1 stays "0.1").
    std::snprintf(buf, sizeof buf, "%.15G", value);
    String r(buf);
    if (decimalSeparator != '.')
        std::replace(r.begin(), r.end(), '.', decimalSeparator);
    return r;
}

String Copy(std::string_view s, int index, int count)
{
    if (index < 1) index = 1;
    if (count <= 0 || index > static_cast<int>(s.size())) return String();
    size_t start = static_cast<size_t>(index - 1);
    return String(s.substr(start, static_cast<size_t>(count)));
}

int Pos(std::string_view sub, std::string_view s, int offset)
{
    if (sub.empty() || offset < 1 || offset > static_cast<int>(s.size())) return 0;
    size_t p = s.find(sub, static_cast<size_t>(offset - 1));
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

void Delete(String& s, int index, int count)
{
    if (index < 1 || count <= 0 || index > static_cast<int>(s.size())) return;
    s.erase(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

void Insert(std::string_view sub, String& s, int index)
{
    if (index < 1) index = 1;
    size_t at = std::min(static_cast<size_t>(index - 1), s.size());
    s.insert(at, sub);
}

String StringReplace(std::string_view s, std::string_view from, std::string_view to, unsigned flags)
{
    if (from.empty()) return String(s);
    String hay = (flags & rfIgnoreCase) ? LowerCase(s) : String(s);
    String needle = (flags & rfIgnoreCase) ? LowerCase(from) : String(from);
    String out;
    size_t pos = 0;
    while (true) {
        size_t p = hay.find(needle, pos);
        if (p == String::npos) break;
        out.append(s.substr(pos, p - pos));
        out.append(to);
        pos = p + from.size();
        if (!(flags & rfReplaceAll)) break;
    }
    out.append(s.substr(pos));
    return out;
}

namespace {

String BadFormat(std::string_view fmt)
{
    return "Format '" + String(fmt) + "' invalid or incompatible with argument";
}

} // namespace

String Format(std::string_view fmt, const std::vector<FmtArg>& args)
{
    String out;
    size_t next = 0;
    for (size_t i = 0; i < fmt.size(); ++i) {
        char c = fmt[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i + 1 < fmt.size() && fmt[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool left = false;
        if (j < fmt.size() && fmt[j] == '-') {
            left = true;
            ++j;
        }
        int width = 0;
        while (j < fmt.size() && fmt[j] >= '0' && fmt[j] <= '9' && width < 1000) width = width * 10 + (fmt[j++] - '0');
        int prec = -1;
        if (j < fmt.size() && fmt[j] == '.') {
            ++j;
            prec = 0;
            while (j < fmt.size() && fmt[j] >= '0' && fmt[j] <= '9' && prec < 100) prec = prec * 10 + (fmt[j++] - '0');
        }
        if (j >= fmt.size()) throw EConvertError(BadFormat(fmt));
        char conv = fmt[j];
        if (next >= args.size()) throw EConvertError(BadFormat(fmt));
        const FormatArg& a = args[next++].v;
        String piece;
        char buf[128];
        switch (conv) {
        case 'd': case 'D': case 'u': case 'U': {
            const long long* v = std::get_if<long long>(&a);
            if (!v) throw EConvertError(BadFormat(fmt));
            piece = std::to_string(*v);
            if (prec > 0 && static_cast<int>(piece.size()) < prec + (*v < 0)) {
                bool neg = *v < 0;
                String digits = neg ? piece.substr(1) : piece;
                digits.insert(0, static_cast<size_t>(prec) - digits.size(), '0');
                piece = neg ? "-" + digits : digits;
            }
            break;
        }
        case 'x': case 'X': {
            const long long* v = std::get_if<long long>(&a);
            if (!v) throw EConvertError(BadFormat(fmt));
            std::snprintf(buf, sizeof buf, "%0*llX", std::max(prec, 0), static_cast<unsigned long long>(*v));
            piece = buf;
            break;
        }
        case 's': case 'S': {
            const String* v = std::get_if<String>(&a);
            if (!v) throw EConvertError(BadFormat(fmt));
            piece = prec >= 0 ? v->substr(0, static_cast<size_t>(prec)) : *v;
            break;
        }
        case 'f': case 'F': case 'g': case 'G': case 'e': case 'E': case 'n': case 'N': {
            double d;
            if (const double* dv = std::get_if<double>(&a)) d = *dv;
            else if (const long long* iv = std::get_if<long long>(&a)) d = static_cast<double>(*iv);
            else throw EConvertError(BadFormat(fmt));
            char cc = (conv == 'n' || conv == 'N' || conv == 'F') ? 'f' : conv;
            char directive[8] = {'%', '.', '*', cc, 0};
            std::snprintf(buf, sizeof buf, directive, prec < 0 ? (cc == 'f' ? 2 : 15) : std::min(prec, 30), d);
            piece = buf;
            break;
        }
        default:
            throw EConvertError(BadFormat(fmt));
        }
        if (static_cast<int>(piece.size()) < width) {
            String pad(static_cast<size_t>(width) - piece.size(), ' ');
            piece = left ? piece + pad : pad + piece;
        }
        out += piece;
        i = j;
    }
    return out;
}

String Format(std::string_view fmt, std::initializer_list<FmtArg> args)
{
    return Format(fmt, std::vector<FmtArg>(args));
}

int CountIntPlaceholders(std::string_view fmt)
{
    int n = 0;
    for (size_t i = 0; i + 1 < fmt.size(); ++i) {
        if (fmt[i] != '%') continue;
        if (fmt[i + 1] == '%') {
            ++i;
            continue;
        }
        if (fmt[i + 1] == 'd') ++n;
    }
    return n;
}

std::vector<String> SplitString(std::string_view s, std::string_view sep)
{
    std::vector<String> out;
    if (sep.empty()) {
        out.emplace_back(s);
        return out;
    }
    size_t pos = 0;
    while (true) {
        size_t p = s.find(sep, pos);
        if (p == std::string_view::npos) {
            out.emplace_back(s.substr(pos));
            break;
        }
        out.emplace_back(s.substr(pos, p - pos));
        pos = p + sep.size();
    }
    return out;
}

// ---------------------------------------------------------------- dates and times

namespace {
bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int DaysInMonth(int y, int m)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}
// Days from 1 January of year 1 to the given date (proleptic Gregorian calendar).
long long DayNumber(int y, int m, int d)
{
    long long n = d;
    for (int i = 1; i < m; ++i) n += DaysInMonth(y, i);
    const long long p = y - 1;
    return n + p * 365 + p / 4 - p / 100 + p / 400;
}
const long long kDay1899 = DayNumber(1899, 12, 30);
}

TDateTime EncodeDate(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        throw EConvertError("Invalid argument to date encode");
    return double(DayNumber(year, month, day) - kDay1899);
}

TDateTime EncodeTime(int hour, int minute, int second, int msec)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 || msec > 999)
        throw EConvertError("Invalid argument to time encode");
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / 86400000.0;
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day)
{
    long long n = (long long)std::floor(dt) + kDay1899;
    // Whole 400-, 100-, 4- and 1-year periods, then months.
    long long y = 1;
    y += 400 * ((n - 1) / 146097);
    n = (n - 1) % 146097 + 1;
    long long c = std::min<long long>(3, (n - 1) / 36524);
    y += 100 * c;
    n -= c * 36524;
    y += 4 * ((n - 1) / 1461);
    n = (n - 1) % 1461 + 1;
    long long a = std::min<long long>(3, (n - 1) / 365);
    y += a;
    n -= a * 365;
    int m = 1;
    while (n > DaysInMonth(int(y), m)) n -= DaysInMonth(int(y), m++);
    year = int(y);
    month = m;
    day = int(n);
}

void DecodeTime(TDateTime dt, int& hour, int& minute, int& second, int& msec)
{
    long long ms = std::llround((dt - std::floor(dt)) * 86400000.0);
    if (ms >= 86400000) ms = 86399999;
    hour = int(ms / 3600000);
    minute = int(ms / 60000 % 60);
    second = int(ms / 1000 % 60);
    msec = int(ms % 1000);
}

String FormatDateTime(std::string_view pattern, TDateTime dt)
{
    int y, mo, d, h, mi, s, ms;
    DecodeDate(dt, y, mo, d);
    DecodeTime(dt, h, mi, s, ms);
    String r;
    const auto two = [&](int v) {
        if (v < 10) r += '0';
        r += IntToStr(v);
    };
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = char(std::tolower(static_cast<unsigned char>(pattern[i])));
        size_t n = 1;
        while (i + n < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[i + n])) == c) ++n;
        if (c == 'y') {
            if (n >= 3) {
                String t = IntToStr(y);
                while (t.size() < 4) t.insert(t.begin(), '0');
                r += t;
            } else {
                two(y % 100);
            }
        } else if (c == 'm' || c == 'd' || c == 'h' || c == 'n' || c == 's') {
            const int v = c == 'm' ? mo : c == 'd' ? d : c == 'h' ? h : c == 'n' ? mi : s;
            if (n >= 2) two(v);
            else r += IntToStr(v);
        } else {
            r.append(pattern.substr(i, n));
        }
        i += n;
    }
    return r;
}

TDateTime StrToDateTimeByPattern(std::string_view text, std::string_view pattern)
{
    // The order of the parts in the pattern.
    std::vector<char> order;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = char(std::tolower(static_cast<unsigned char>(pattern[i])));
        const bool part = c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 'n' || c == 's';
        if (part && (i == 0 || std::tolower(static_cast<unsigned char>(pattern[i - 1])) != c)) order.push_back(c);
    }
    std::vector<std::pair<int, int>> nums;   // value, digit count
    size_t i = 0;
    while (i < text.size()) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        int v = 0, n = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && n < 9) {
            v = v * 10 + (text[i] - '0');
            ++i;
            ++n;
        }
        nums.emplace_back(v, n);
    }
    const String t = Trim(text);
    if (nums.empty() || nums.size() > order.size() || t.empty())
        throw EConvertError("'" + String(text) + "' is not a valid date or time");
    int y = -1, mo = -1, d = -1, h = 0, mi = 0, s = 0;
    bool hasDate = false;
    for (size_t k = 0; k < nums.size(); ++k) {
        const int v = nums[k].first;
        switch (order[k]) {
        case 'y': y = nums[k].second <= 2 ? (v < 50 ? 2000 + v : 1900 + v) : v; hasDate = true; break;
        case 'm': mo = v; hasDate = true; break;
        case 'd': d = v; hasDate = true; break;
        case 'h': h = v; break;
        case 'n': mi = v; break;
        case 's': s = v; break;
        }
    }
    try {
        TDateTime r = 0;
        if (hasDate) r = EncodeDate(y, mo, d);
        return r + EncodeTime(h, mi, s, 0);
    } catch (const EConvertError&) {
        throw EConvertError("'" + String(text) + "' is not a valid date or time");
    }
}
