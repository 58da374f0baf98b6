#include "platform/os/Regional.h"

#include <atomic>
#include <cstring>

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
