// Address checks, KNX code maps, decimal numbers, SNMP identifiers and the M-Bus scan's
// small routines. None of them raises: bad input gives the result each one names.
#include <cfloat>
#include <cmath>

#include "platform/os/Regional.h"
#include "platform/rtl/Unicode.h"
#include "shell/UComon.h"

namespace {

bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

// Moves the part of S before its first '.' (trimmed) into Part and keeps the trimmed rest
// after that '.' in S. False, with S and Part untouched, when S holds no '.'.
bool SplitAtDot(String& S, String& Part)
{
    size_t p = S.find('.');
    if (p == String::npos) return false;
    Part = Trim(std::string_view(S).substr(0, p));
    S = Trim(std::string_view(S).substr(p + 1));
    return true;
}

// A trimmed part of an address read as a number; -1 when it is none.
int PartNumber(std::string_view s) { return StrToIntDef(Trim(s), -1); }

} // namespace

bool Split_IP_Address(const String& Text, String& P1, String& P2, String& P3, String& P4)
{
    String S = Trim(Text);
    if (!SplitAtDot(S, P1)) return false;
    if (!SplitAtDot(S, P2)) return false;
    if (!SplitAtDot(S, P3)) return false;
    P4 = S;
    for (const String* p : {&P1, &P2, &P3, &P4})
        if (!InRange(StrToIntDef(*p, 1000), 0, 255)) return false;
    return true;
}

bool IP_To_Bytes(const String& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4)
{
    if (Text.empty()) return true;
    uint8_t* bytes[4] = {&B1, &B2, &B3, &B4};
    bool error = false;
    String rest = Text;
    for (int i = 0; i < 4; ++i) {
        size_t p = rest.find('.');
        // A part that has no '.' after it is missing (empty), except the last, which is the rest.
        String part = i == 3 ? rest : (p == String::npos ? String() : rest.substr(0, p));
        int v = StrToIntDef(part, -1);
        if (InRange(v, 0, 255)) {
            *bytes[i] = static_cast<uint8_t>(v);
        } else {
            *bytes[i] = 0;
            error = true;
        }
        if (p != String::npos) rest = rest.substr(p + 1);
    }
    return error;
}

bool Split_IP_Port(const String& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4, uint16_t& Port)
{
    B1 = B2 = B3 = B4 = 0;
    Port = 0;
    String S = Trim(Text);
    if (S.empty() || S.find('.') == String::npos) return false;
    int b[4];
    for (int i = 0; i < 3; ++i) {
        String part;
        if (!SplitAtDot(S, part)) return false;
        b[i] = StrToIntDef(part, -1);
        if (!InRange(b[i], 0, 255)) return false;
    }
    size_t colon = S.find(':');
    if (colon == String::npos) return false;
    b[3] = PartNumber(std::string_view(S).substr(0, colon));
    int port = PartNumber(std::string_view(S).substr(colon + 1));
    if (!InRange(b[3], 0, 255) || !InRange(port, 0, 65535)) return false;
    B1 = static_cast<uint8_t>(b[0]);
    B2 = static_cast<uint8_t>(b[1]);
    B3 = static_cast<uint8_t>(b[2]);
    B4 = static_cast<uint8_t>(b[3]);
    Port = static_cast<uint16_t>(port);
    return true;
}

int Check_KNX_Address(const String& Text, bool IsGroup, bool AllowZero)
{
    const std::string_view t(Text);
    if (!IsGroup) {
        if (t.find('/') != std::string_view::npos) return 1;
        size_t d1 = t.find('.');
        if (d1 == std::string_view::npos) return InRange(StrToIntDef(t, -1), 1, 65535) ? 0 : 1;
        int area = PartNumber(t.substr(0, d1));
        std::string_view rest = t.substr(d1 + 1);
        size_t d2 = rest.find('.');
        // Two parts would leave the line to a guess, and the program's two encoders guess
        // differently (the table's line 0, the converter's own address line 1): an
        // individual address names its line, or is one number.
        if (d2 == std::string_view::npos) return 1;
        int line = PartNumber(rest.substr(0, d2));
        std::string_view deviceText = rest.substr(d2 + 1);
        if (deviceText.find('.') != std::string_view::npos) return 1;
        int device = PartNumber(deviceText);
        if (!InRange(area, 0, 15) || !InRange(line, 0, 15) || !InRange(device, 0, 255)) return 1;
        return (!AllowZero && area == 0 && line == 0 && device == 0) ? 1 : 0;
    }
    if (t.find('.') != std::string_view::npos) return 1;
    std::vector<String> parts = SplitString(t, "/");
    switch (parts.size()) {
    case 1:
        return InRange(StrToIntDef(t, -1), 1, 65535) ? 0 : 1;
    case 2: {
        int main = PartNumber(parts[0]), sub = PartNumber(parts[1]);
        if (!InRange(main, 0, 31) || !InRange(sub, 0, 2047)) return 1;
        return (main == 0 && sub == 0) ? 1 : 0;
    }
    case 3: {
        int main = PartNumber(parts[0]), middle = PartNumber(parts[1]), sub = PartNumber(parts[2]);
        if (!InRange(main, 0, 31) || !InRange(middle, 0, 7) || !InRange(sub, 0, 255)) return 1;
        return (main == 0 && middle == 0 && sub == 0) ? 1 : 0;
    }
    default:
        return 1;
    }
}

bool Has_No_Dot(const String& Text) { return Text.find('.') == String::npos; }

int KNX_Access_Code(const String& Text)
{
    String u = UpperCase(Text);
    if (u == "WRITE") return 128;
    if (u == "READ") return 0;
    return StrToIntDef(Text, 0);
}

int KNX_Priority_Code(const String& Text)
{
    String u = UpperCase(Text);
    if (u == "SYSTEM") return 0;
    if (u == "URGENT") return 2;
    if (u == "NORMAL") return 1;
    if (u == "LOW") return 3;
    return 1;
}

uint16_t Conversion_Code(const String& Text)
{
    static const struct {
        const char* name;
        uint16_t code;
    } codes[] = {
        {"NONE", 0x0000},
        {"SWAP16", 0x1000},
        {"SWAP32", 0x2000},
        {"SWAP ALL", 0x3000},
        {"INT TO FLOAT", 0x4000},
        {"FLOAT TO INT", 0x5000},
        {"FLOAT16 TO FLOAT32", 0x6000},
        {"FLOAT16 TO INT", 0x7000},
        {"FLOAT16 TO INT * 10", 0x8000},
        {"FLOAT16 TO INT * 100", 0x9000},
    };
    String u = UpperCase(Text);
    for (const auto& c : codes)
        if (u == c.name) return c.code;
    return 0x0000;
}

char Get_Decimal_Separator()
{
    char c = GetDecimalSeparator();
    return (c == ',' || c == '.') ? c : ',';
}

bool Str_To_Float_Sep(const String& Text, char Sep, float& Value)
{
    // The callers pass the regional separator, so the text is read with it: a value typed
    // with either separator converts.
    const char sep = Sep == '.' ? '.' : ',';
    const char other = sep == '.' ? ',' : '.';
    String s = Text;
    for (char& c : s)
        if (c == other) c = sep;
    double d;
    if (TryStrToFloat(s, d, sep) && std::isfinite(d) && std::fabs(d) <= FLT_MAX) {
        Value = static_cast<float>(d);
        return true;
    }
    Value = 1.0f;
    return false;
}

int Check_SNMP_OID(const String& Text)
{
    // An empty identifier names nothing; it fails like a text without digits.
    if (Text.empty()) return 2;
    if (Utf8Length(Text) > 128) return 1;
    for (char c : Text)
        if (!(c == '.' || (c >= '0' && c <= '9'))) return 2;
    if (Text.front() == '.') return 3;
    if (Text.back() == '.') return 4;
    if (Text.find("..") != String::npos) return 5;
    for (const String& component : SplitString(Text, ".")) {
        long long v;
        if (!TryStrToInt64(component, v)) v = 4294967296LL;   // too long to read
        if (v > 4294967295LL) return 6;
    }
    return 0;
}

int SNMP_Security_Level_Code(const String& Text)
{
    String t = Trim(UpperCase(Text));
    if (t == "AUTH NOPRIV") return 1;
    if (t == "AUTH PRIV") return 3;
    if (t.empty()) return -1;
    return 0;
}

int32_t Default_BACnet_Eng_Unit(uint16_t, int32_t) { return 95; }

int32_t Get_Scan_Form_Type() { return 0; }

int32_t Get_XML_Code_Dev() { return No_XML_Code_Dev; }
