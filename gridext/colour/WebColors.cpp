#include "gridext/colour/WebColors.h"

#include <iterator>

namespace {

// Names in alphabetical order with their colours written as on the web (0xRRGGBB). Where
// two names share a colour (Aqua and Cyan, Fuchsia and Magenta) the first names it.
struct TWebColor {
    const char* Name;
    unsigned RGB;
};
const TWebColor kWebColors[] = {
    {"AliceBlue", 0xF0F8FF},       {"AntiqueWhite", 0xFAEBD7},    {"Aqua", 0x00FFFF},
    {"Aquamarine", 0x7FFFD4},      {"Azure", 0xF0FFFF},           {"Beige", 0xF5F5DC},
    {"Bisque", 0xFFE4C4},          {"Black", 0x000000},           {"BlanchedAlmond", 0xFFEBCD},
    {"Blue", 0x0000FF},            {"BlueViolet", 0x8A2BE2},      {"Brown", 0xA52A2A},
    {"BurlyWood", 0xDEB887},       {"CadetBlue", 0x5F9EA0},       {"Chartreuse", 0x7FFF00},
    {"Chocolate", 0xD2691E},       {"Coral", 0xFF7F50},           {"CornflowerBlue", 0x6495ED},
    {"Cornsilk", 0xFFF8DC},        {"Crimson", 0xDC143C},         {"Cyan", 0x00FFFF},
    {"DarkBlue", 0x00008B},        {"DarkCyan", 0x008B8B},        {"DarkGoldenRod", 0xB8860B},
    {"DarkGray", 0xA9A9A9},        {"DarkGreen", 0x006400},       {"DarkKhaki", 0xBDB76B},
    {"DarkMagenta", 0x8B008B},     {"DarkOliveGreen", 0x556B2F},  {"DarkOrange", 0xFF8C00},
    {"DarkOrchid", 0x9932CC},      {"DarkRed", 0x8B0000},         {"DarkSalmon", 0xE9967A},
    {"DarkSeaGreen", 0x8FBC8F},    {"DarkSlateBlue", 0x483D8B},   {"DarkSlateGray", 0x2F4F4F},
    {"DarkTurquoise", 0x00CED1},   {"DarkViolet", 0x9400D3},      {"DeepPink", 0xFF1493},
    {"DeepSkyBlue", 0x00BFFF},     {"DimGray", 0x696969},         {"DodgerBlue", 0x1E90FF},
    {"FireBrick", 0xB22222},       {"FloralWhite", 0xFFFAF0},     {"ForestGreen", 0x228B22},
    {"Fuchsia", 0xFF00FF},         {"Gainsboro", 0xDCDCDC},       {"GhostWhite", 0xF8F8FF},
    {"Gold", 0xFFD700},            {"GoldenRod", 0xDAA520},       {"Gray", 0x808080},
    {"Green", 0x008000},           {"GreenYellow", 0xADFF2F},     {"HoneyDew", 0xF0FFF0},
    {"HotPink", 0xFF69B4},         {"IndianRed", 0xCD5C5C},       {"Indigo", 0x4B0082},
    {"Ivory", 0xFFFFF0},           {"Khaki", 0xF0E68C},           {"Lavender", 0xE6E6FA},
    {"LavenderBlush", 0xFFF0F5},   {"LawnGreen", 0x7CFC00},       {"LemonChiffon", 0xFFFACD},
    {"LightBlue", 0xADD8E6},       {"LightCoral", 0xF08080},      {"LightCyan", 0xE0FFFF},
    {"LightGoldenRodYellow", 0xFAFAD2}, {"LightGray", 0xD3D3D3},  {"LightGreen", 0x90EE90},
    {"LightPink", 0xFFB6C1},       {"LightSalmon", 0xFFA07A},     {"LightSeaGreen", 0x20B2AA},
    {"LightSkyBlue", 0x87CEFA},    {"LightSlateGray", 0x778899},  {"LightSteelBlue", 0xB0C4DE},
    {"LightYellow", 0xFFFFE0},     {"Lime", 0x00FF00},            {"LimeGreen", 0x32CD32},
    {"Linen", 0xFAF0E6},           {"Magenta", 0xFF00FF},         {"Maroon", 0x800000},
    {"MediumAquaMarine", 0x66CDAA}, {"MediumBlue", 0x0000CD},     {"MediumOrchid", 0xBA55D3},
    {"MediumPurple", 0x9370DB},    {"MediumSeaGreen", 0x3CB371},  {"MediumSlateBlue", 0x7B68EE},
    {"MediumSpringGreen", 0x00FA9A}, {"MediumTurquoise", 0x48D1CC}, {"MediumVioletRed", 0xC71585},
    {"MidnightBlue", 0x191970},    {"MintCream", 0xF5FFFA},       {"MistyRose", 0xFFE4E1},
    {"Moccasin", 0xFFE4B5},        {"NavajoWhite", 0xFFDEAD},     {"Navy", 0x000080},
    {"OldLace", 0xFDF5E6},         {"Olive", 0x808000},           {"OliveDrab", 0x6B8E23},
    {"Orange", 0xFFA500},          {"OrangeRed", 0xFF4500},       {"Orchid", 0xDA70D6},
    {"PaleGoldenRod", 0xEEE8AA},   {"PaleGreen", 0x98FB98},       {"PaleTurquoise", 0xAFEEEE},
    {"PaleVioletRed", 0xDB7093},   {"PapayaWhip", 0xFFEFD5},      {"PeachPuff", 0xFFDAB9},
    {"Peru", 0xCD853F},            {"Pink", 0xFFC0CB},            {"Plum", 0xDDA0DD},
    {"PowderBlue", 0xB0E0E6},      {"Purple", 0x800080},          {"Red", 0xFF0000},
    {"RosyBrown", 0xBC8F8F},       {"RoyalBlue", 0x4169E1},       {"SaddleBrown", 0x8B4513},
    {"Salmon", 0xFA8072},          {"SandyBrown", 0xF4A460},      {"SeaGreen", 0x2E8B57},
    {"SeaShell", 0xFFF5EE},        {"Sienna", 0xA0522D},          {"Silver", 0xC0C0C0},
    {"SkyBlue", 0x87CEEB},         {"SlateBlue", 0x6A5ACD},       {"SlateGray", 0x708090},
    {"Snow", 0xFFFAFA},            {"SpringGreen", 0x00FF7F},     {"SteelBlue", 0x4682B4},
    {"Tan", 0xD2B48C},             {"Teal", 0x008080},            {"Thistle", 0xD8BFD8},
    {"Tomato", 0xFF6347},          {"Turquoise", 0x40E0D0},       {"Violet", 0xEE82EE},
    {"Wheat", 0xF5DEB3},           {"White", 0xFFFFFF},           {"WhiteSmoke", 0xF5F5F5},
    {"Yellow", 0xFFFF00},          {"YellowGreen", 0x9ACD32},
};

// The web's 0xRRGGBB as the platform's colour value, red in the low byte.
TColor FromWeb(unsigned rgb) { return TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF)); }

String Hex2(unsigned v) { return IntToHex(v & 0xFF, 2); }

bool HexDigits(const String& s)
{
    if (s.empty()) return false;
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

unsigned long long HexValue(const String& s)
{
    unsigned long long v = 0;
    for (char c : s) {
        const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        v = v * 16 + unsigned(d);
    }
    return v;
}

// "Red:r" with r a decimal byte; false otherwise.
bool ComponentPart(const String& part, const char* name, unsigned& value)
{
    const size_t colon = part.find(':');
    if (colon == String::npos || !SameText(Trim(part.substr(0, colon)), name)) return false;
    const String digits = Trim(part.substr(colon + 1));
    if (digits.empty() || digits.size() > 3) return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    value = unsigned(StrToIntDef(digits, 256));
    return value <= 255;
}

}  // namespace

int WebColorCount() { return int(std::size(kWebColors)); }

String WebColorIdent(int Index)
{
    if (Index < 0 || Index >= WebColorCount()) return String();
    String ident = "clWeb";
    ident += kWebColors[Index].Name;
    return ident;
}

TColor WebColorValue(int Index)
{
    if (Index < 0 || Index >= WebColorCount()) return clNone;
    return FromWeb(kWebColors[Index].RGB);
}

String WebColorIdentOf(TColor RGB)
{
    for (int i = 0; i < WebColorCount(); ++i)
        if (WebColorValue(i) == RGB) return WebColorIdent(i);
    return String();
}

bool WebColorByIdent(const String& Ident, TColor& Color)
{
    for (int i = 0; i < WebColorCount(); ++i)
        if (SameText(WebColorIdent(i), Ident)) {
            Color = WebColorValue(i);
            return true;
        }
    return false;
}

String ColorToValueText(TColor Color, TColorValueText Style)
{
    const unsigned stored = unsigned(Color);
    if (Style == cvtNone) return String();
    if (Style == cvtHex) return IntToHex(stored, stored > 0xFFFFFF ? 8 : 6);
    const unsigned rgb = unsigned(ColorToRGB(Color));
    const unsigned r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
    String html = "#";
    html += Hex2(r);
    html += Hex2(g);
    html += Hex2(b);
    switch (Style) {
    case cvtWebName: {
        const String ident = WebColorIdentOf(TColor(rgb & 0xFFFFFF));
        return ident.empty() ? html : ident;
    }
    case cvtRGB: {
        String t = "Red:";
        t += IntToStr(r);
        t += ",Green:";
        t += IntToStr(g);
        t += ",Blue:";
        t += IntToStr(b);
        return t;
    }
    default: return html;
    }
}

bool ValueTextToColor(const String& Text, TColor& Color)
{
    const String t = Trim(Text);
    if (t.empty()) return false;
    if (t[0] == '#') {
        const String digits = t.substr(1);
        if (digits.size() != 6 || !HexDigits(digits)) return false;
        const unsigned v = unsigned(HexValue(digits));
        Color = FromWeb(v);
        return true;
    }
    if (HexDigits(t)) {
        // The stored value: six digits, or eight for the values above $FFFFFF.
        if (t.size() != 6 && t.size() != 8) return false;
        Color = TColor(unsigned(HexValue(t)));
        return true;
    }
    if (t.size() > 5 && SameText(t.substr(0, 5), "clWeb")) return WebColorByIdent(t, Color);
    const size_t c1 = t.find(','), c2 = c1 == String::npos ? c1 : t.find(',', c1 + 1);
    if (c2 == String::npos || t.find(',', c2 + 1) != String::npos) return false;
    unsigned r = 0, g = 0, b = 0;
    if (!ComponentPart(t.substr(0, c1), "Red", r) || !ComponentPart(t.substr(c1 + 1, c2 - c1 - 1), "Green", g) ||
        !ComponentPart(t.substr(c2 + 1), "Blue", b))
        return false;
    Color = TColor(r | (g << 8) | (b << 16));
    return true;
}
