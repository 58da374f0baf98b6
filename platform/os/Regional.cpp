#include "platform/os/Regional.h"

#include <atomic>
#include <cstring>
#include <mutex>

#include <langinfo.h>
#include <locale.h>

namespace {
std::atomic<char> gOverride{0};
}

char GetDecimalSeparator()
{
    if (char c = gOverride.load()) return c;
    // A locale object of its own, built from the environment like setlocale(LC_NUMERIC, "")
    // would, without changing the locale every other part of the process works in.
    locale_t loc = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr)) return '.';
    const char* radix = ::nl_langinfo_l(RADIXCHAR, loc);
    char c = (radix != nullptr && std::strlen(radix) == 1) ? radix[0] : '.';
    ::freelocale(loc);
    return c;
}

void SetDecimalSeparatorOverride(char separator) { gOverride.store(separator); }

namespace {
std::atomic<char> gThousandOverride{0};
}

char GetThousandSeparator()
{
    if (char c = gThousandOverride.load()) return c;
    char sep = 0;
    locale_t loc = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (loc != static_cast<locale_t>(nullptr)) {
        const char* t = ::nl_langinfo_l(THOUSEP, loc);
        if (t != nullptr) {
            if (std::strlen(t) == 1)
                sep = t[0];
            else if (std::strcmp(t, "\xC2\xA0") == 0 || std::strcmp(t, "\xE2\x80\xAF") == 0)
                sep = ' ';
        }
        ::freelocale(loc);
    }
    const char dec = GetDecimalSeparator();
    if (sep == 0 || sep == dec) sep = (dec == ',') ? '.' : ',';
    return sep;
}

void SetThousandSeparatorOverride(char separator) { gThousandOverride.store(separator); }

namespace {
std::mutex gPatternLock;
String gDateOverride, gTimeOverride;

// A strftime pattern of the locale in the d/m/y h/n/s letters.
String LocalePattern(nl_item item, const char* fallback)
{
    String src = fallback;
    locale_t loc = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (loc != static_cast<locale_t>(nullptr)) {
        if (const char* f = ::nl_langinfo_l(item, loc); f != nullptr && *f) src = f;
        ::freelocale(loc);
    }
    String r;
    for (size_t i = 0; i < src.size(); ++i) {
        if (src[i] != '%' || i + 1 >= src.size()) {
            r += src[i];
            continue;
        }
        char c = src[++i];
        if ((c == 'E' || c == 'O') && i + 1 < src.size()) c = src[++i];
        switch (c) {
        case 'd': r += "dd"; break;
        case 'e': r += "d"; break;
        case 'm': r += "mm"; break;
        case 'y': r += "yy"; break;
        case 'Y': r += "yyyy"; break;
        case 'H': case 'I': r += "hh"; break;
        case 'k': case 'l': r += "h"; break;
        case 'M': r += "nn"; break;
        case 'S': r += "ss"; break;
        case 'D': r += "mm/dd/yy"; break;
        case 'F': r += "yyyy-mm-dd"; break;
        case 'T': r += "hh:nn:ss"; break;
        case 'R': r += "hh:nn"; break;
        case '%': r += '%'; break;
        default: break;   // names of days and months, am/pm: not part of the pattern
        }
    }
    return Trim(r);
}
}

String GetShortDateFormat()
{
    {
        std::lock_guard<std::mutex> g(gPatternLock);
        if (!gDateOverride.empty()) return gDateOverride;
    }
    return LocalePattern(D_FMT, "%m/%d/%y");
}

String GetLongTimeFormat()
{
    {
        std::lock_guard<std::mutex> g(gPatternLock);
        if (!gTimeOverride.empty()) return gTimeOverride;
    }
    return LocalePattern(T_FMT, "%H:%M:%S");
}

void SetShortDateFormatOverride(const String& pattern)
{
    std::lock_guard<std::mutex> g(gPatternLock);
    gDateOverride = pattern;
}

void SetLongTimeFormatOverride(const String& pattern)
{
    std::lock_guard<std::mutex> g(gPatternLock);
    gTimeOverride = pattern;
}

namespace {
char FirstSeparator(const String& pattern, char fallback)
{
    for (char c : pattern)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return c;
    return fallback;
}
}

char GetDateSeparator() { return FirstSeparator(GetShortDateFormat(), '/'); }

char GetTimeSeparator() { return FirstSeparator(GetLongTimeFormat(), ':'); }

namespace {
std::atomic<char> gListOverride{0};
std::atomic<int> gMetricOverride{-1};
}  // namespace

char GetListSeparator()
{
    if (char c = gListOverride.load()) return c;
    return GetDecimalSeparator() == ',' ? ';' : ',';
}

void SetListSeparatorOverride(char separator) { gListOverride.store(separator); }

bool IsMeasurementMetric()
{
    if (int m = gMetricOverride.load(); m >= 0) return m != 0;
    bool metric = true;
    locale_t loc = ::newlocale(LC_MEASUREMENT_MASK, "", static_cast<locale_t>(nullptr));
    if (loc != static_cast<locale_t>(nullptr)) {
        // The first byte of the answer is 1 for metric and 2 for the US system.
        const char* m = ::nl_langinfo_l(_NL_MEASUREMENT_MEASUREMENT, loc);
        if (m != nullptr && *m == 2) metric = false;
        ::freelocale(loc);
    }
    return metric;
}

void SetMeasurementMetricOverride(int metric) { gMetricOverride.store(metric < 0 ? -1 : (metric ? 1 : 0)); }
