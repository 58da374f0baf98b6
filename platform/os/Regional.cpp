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
