#include "platform/rtl/Unicode.h"

#include <cstdint>

namespace {

// Decodes one UTF-8 sequence at s[i]; returns the code point and advances i, or
// returns -1 and advances by one byte for an invalid sequence.
long DecodeUtf8(std::string_view s, size_t& i)
{
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    int len;
    long cp;
    if ((c & 0xE0) == 0xC0) { len = 2; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { len = 3; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { len = 4; cp = c & 0x07; }
    else { ++i; return -1; }
    if (i + static_cast<size_t>(len) > s.size()) { ++i; return -1; }
    for (int k = 1; k < len; ++k) {
        unsigned char cc = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((cc & 0xC0) != 0x80) { ++i; return -1; }
        cp = (cp << 6) | (cc & 0x3F);
    }
    static const long minFor[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minFor[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { ++i; return -1; }
    i += static_cast<size_t>(len);
    return cp;
}

void AppendUtf8(std::string& out, unsigned long cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 0x80..0x9F; 0 marks the five undefined positions, kept as C1 controls.
const uint16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

} // namespace

std::u16string Utf8ToUtf16(std::string_view s)
{
    std::u16string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        long cp = DecodeUtf8(s, i);
        if (cp < 0) cp = 0xFFFD;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::u32string Utf8ToUtf32(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const long cp = DecodeUtf8(s, i);
        out += static_cast<char32_t>(cp < 0 ? 0xFFFD : cp);
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned long c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;   // lone surrogate
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::string Utf16BytesToUtf8(std::string_view bytes, bool bigEndian)
{
    std::u16string u;
    u.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        unsigned char a = static_cast<unsigned char>(bytes[i]);
        unsigned char b = static_cast<unsigned char>(bytes[i + 1]);
        u += static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    return Utf16ToUtf8(u);
}

std::string Cp1252ToUtf8(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char ch : s) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x80) out += ch;
        else if (c < 0xA0 && kCp1252High[c - 0x80]) AppendUtf8(out, kCp1252High[c - 0x80]);
        else AppendUtf8(out, c);
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view s)
{
    std::string out;
    size_t i = 0;
    while (i < s.size()) {
        long cp = DecodeUtf8(s, i);
        if (cp >= 0 && cp < 0x80) { out += static_cast<char>(cp); continue; }
        if (cp >= 0xA0 && cp <= 0xFF) { out += static_cast<char>(cp); continue; }
        char r = '?';
        for (int k = 0; k < 32; ++k) {
            if (kCp1252High[k] && kCp1252High[k] == cp) { r = static_cast<char>(0x80 + k); break; }
            if (!kCp1252High[k] && cp == 0x80 + k) { r = static_cast<char>(cp); break; }
        }
        out += r;
    }
    return out;
}

bool IsValidUtf8(std::string_view s)
{
    size_t i = 0;
    while (i < s.size())
        if (DecodeUtf8(s, i) < 0) return false;
    return true;
}

int Utf8Length(std::string_view s)
{
    int n = 0;
    size_t i = 0;
    while (i < s.size()) {
        DecodeUtf8(s, i);
        ++n;
    }
    return n;
}
