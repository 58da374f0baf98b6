#include "platform/gui/EditMask.h"

#include <algorithm>
#include <vector>

#include "platform/rtl/Unicode.h"

namespace {
// Masked positions: the class character of each position, or 0 for a literal (the
// literal itself is kept in `literals`).
struct MaskPos {
    char16_t cls = 0;
    char16_t literal = 0;
    int caseMode = 0;   // 1 upper, -1 lower
};

std::vector<MaskPos> ParseMask(const std::u16string& mask)
{
    std::vector<MaskPos> out;
    int caseMode = 0;
    for (size_t i = 0; i < mask.size(); ++i) {
        const char16_t c = mask[i];
        if (c == u';') break;
        switch (c) {
        case u'>':
            caseMode = (i + 1 < mask.size() && mask[i + 1] == u'<') ? (++i, 0) : 1;
            continue;
        case u'<': caseMode = -1; continue;
        case u'\\':
            if (i + 1 < mask.size()) out.push_back({0, mask[++i], 0});
            continue;
        case u'0': case u'9': case u'#': case u'L': case u'l': case u'A': case u'a': case u'C': case u'c':
            out.push_back({c, 0, caseMode});
            continue;
        default:
            out.push_back({0, c, 0});
        }
    }
    return out;
}

bool ClassAccepts(char16_t cls, char16_t ch)
{
    const bool digit = ch >= u'0' && ch <= u'9';
    const bool letter = (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || ch > 127;
    switch (cls) {
    case u'0': return digit;
    case u'9': return digit || ch == u' ';
    case u'#': return digit || ch == u' ' || ch == u'+' || ch == u'-';
    case u'L': return letter;
    case u'l': return letter || ch == u' ';
    case u'A': return letter || digit;
    case u'a': return letter || digit || ch == u' ';
    default: return ch >= 32;
    }
}

char16_t ApplyMaskCase(char16_t ch, int mode)
{
    if (mode > 0 && ch >= u'a' && ch <= u'z') return char16_t(ch - 32);
    if (mode < 0 && ch >= u'A' && ch <= u'Z') return char16_t(ch + 32);
    return ch;
}
}

int EditMaskLength(const String& Mask) { return int(ParseMask(Utf8ToUtf16(Mask)).size()); }

bool EditMaskAccepts(const String& Mask, int TextLength, int SelStart, int SelLength, std::u16string& s)
{
    const std::vector<MaskPos> mask = ParseMask(Utf8ToUtf16(Mask));
    std::u16string out;
    size_t pos = size_t(std::max(0, SelStart));
    for (char16_t ch : s) {
        while (pos < mask.size() && mask[pos].cls == 0) {
            if (ch == mask[pos].literal) break;
            out.push_back(mask[pos].literal);
            ++pos;
        }
        if (pos >= mask.size()) return false;
        if (mask[pos].cls == 0) {
            out.push_back(ch);
        } else {
            if (!ClassAccepts(mask[pos].cls, ch)) return false;
            out.push_back(ApplyMaskCase(ch, mask[pos].caseMode));
        }
        ++pos;
    }
    while (pos < mask.size() && mask[pos].cls == 0) out.push_back(mask[pos++].literal);
    if (TextLength - SelLength + int(out.size()) > int(mask.size())) return false;
    s = out;
    return true;
}
