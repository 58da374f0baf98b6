// Windows-1252 and UTF-8.
#include "platform/opcua/UaText.h"

#include <cstdint>

namespace ua {

namespace {
// 0x80 .. 0x9F; 0 where the code page has no character.
const uint16_t High[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                           0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
                           0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

void Put(std::string& o, uint32_t c)
{
    if (c < 0x80) {
        o += char(c);
    } else if (c < 0x800) {
        o += char(0xC0 | (c >> 6));
        o += char(0x80 | (c & 63));
    } else {
        o += char(0xE0 | (c >> 12));
        o += char(0x80 | ((c >> 6) & 63));
        o += char(0x80 | (c & 63));
    }
}
}  // namespace

std::string Cp1252_To_Utf8(const std::string& s)
{
    std::string o;
    for (unsigned char c : s) {
        uint32_t u = c;
        if (c >= 0x80 && c < 0xA0) u = High[c - 0x80] ? High[c - 0x80] : 0xFFFD;
        Put(o, u);
    }
    return o;
}

std::string Utf8_To_Cp1252(const std::string& s)
{
    std::string o;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = uint8_t(s[i]);
        uint32_t u = 0;
        size_t n = 1;
        if (c < 0x80) u = c;
        else if ((c & 0xE0) == 0xC0) { u = c & 0x1F; n = 2; }
        else if ((c & 0xF0) == 0xE0) { u = c & 0x0F; n = 3; }
        else if ((c & 0xF8) == 0xF0) { u = c & 0x07; n = 4; }
        else { o += '?'; ++i; continue; }
        bool Ok = i + n <= s.size();
        for (size_t k = 1; Ok && k < n; ++k) {
            const unsigned char d = uint8_t(s[i + k]);
            if ((d & 0xC0) != 0x80) Ok = false;
            else u = (u << 6) | (d & 63);
        }
        if (!Ok) { o += '?'; ++i; continue; }
        i += n;
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) { o += char(u); continue; }
        char Found = '?';
        for (int k = 0; k < 32; ++k)
            if (High[k] && High[k] == u) Found = char(0x80 + k);
        o += Found;
    }
    return o;
}

}  // namespace ua
