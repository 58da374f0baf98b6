// The parsers and code maps that read the table cells and the parameter fields: integers
// with '$' / '0x' hex, decimal numbers with either separator, IPv4 addresses, address and
// port, KNX addresses and codes, SNMP identifiers, hex keys, Format on outside text.
// Each is checked against what it promises, not only for crashes.
#include <cfloat>
#include <cmath>

#include "converter/UBinImages.h"
#include "fuzz/FuzzCommon.h"
#include "shell/UComon.h"

namespace {

bool Has_Hex_Prefix(std::string_view s) { return s.find_first_of("$xX") != std::string_view::npos; }

void Integers(const String& Text)
{
    int v32 = 0;
    long long v64 = 0;
    const bool ok32 = TryStrToInt(Text, v32);
    const bool ok64 = TryStrToInt64(Text, v64);
    if (ok32) {
        fuzz::Check(ok64, "a 32-bit integer text is a 64-bit one too", Text);
        if (!Has_Hex_Prefix(Text)) fuzz::Check(v64 == v32, "both widths read a decimal text alike", Text);
        int back = 0;
        fuzz::Check(TryStrToInt(IntToStr(v32), back) && back == v32, "IntToStr reads back", Text);
        fuzz::Check(StrToInt(Text) == v32 && StrToIntDef(Text, v32 ^ 1) == v32, "StrToInt agrees", Text);
    } else {
        fuzz::Check(StrToIntDef(Text, 12345) == 12345, "StrToIntDef gives the default", Text);
        try {
            StrToInt(Text);
            fuzz::Fail("StrToInt refuses what TryStrToInt refuses", Text);
        } catch (const EConvertError&) {
        }
    }
    if (ok64) {
        long long back = 0;
        fuzz::Check(TryStrToInt64(IntToStr(v64), back) && back == v64, "IntToStr reads back (64)", Text);
    }
}

void Decimals(const String& Text)
{
    for (char Sep : {'.', ','}) {
        double d = 0;
        if (TryStrToFloat(Text, d, Sep)) fuzz::Check(std::isfinite(d), "a decimal number is finite", Text);
        float f = 0;
        if (Str_To_Float_Sep(Text, Sep, f))
            fuzz::Check(std::isfinite(f) && std::fabs(f) <= FLT_MAX, "a factor fits a float", Text);
        else
            fuzz::Check(f == 1.0f, "a text that is no factor gives 1", Text);
    }
}

void Addresses(const String& Text)
{
    String P1, P2, P3, P4;
    if (Split_IP_Address(Text, P1, P2, P3, P4))
        for (const String* p : {&P1, &P2, &P3, &P4})
            fuzz::Check(StrToIntDef(*p, -1) >= 0 && StrToIntDef(*p, -1) <= 255, "an address part is a byte", Text);
    uint8_t b[4] = {1, 2, 3, 4};
    IP_To_Bytes(Text, b[0], b[1], b[2], b[3]);

    uint8_t c[4];
    uint16_t Port;
    if (Split_IP_Port(Text, c[0], c[1], c[2], c[3], Port)) {
        const String Canonical = IntToStr(c[0]) + "." + IntToStr(c[1]) + "." + IntToStr(c[2]) + "." + IntToStr(c[3]) +
                                 ":" + IntToStr(Port);
        uint8_t d[4];
        uint16_t Port2;
        fuzz::Check(Split_IP_Port(Canonical, d[0], d[1], d[2], d[3], Port2) && std::equal(c, c + 4, d) && Port2 == Port,
                    "an address and port reads back from its plain form", Text);
    } else {
        fuzz::Check(c[0] == 0 && c[1] == 0 && c[2] == 0 && c[3] == 0 && Port == 0, "a refused address gives zeros", Text);
    }
}

// The numbers of an address's parts, read plainly (trimmed, StrToIntDef).
std::vector<int> Parts_Of(const String& Text, std::string_view Sep)
{
    std::vector<int> Numbers;
    for (const String& Part : SplitString(Text, Sep)) Numbers.push_back(StrToIntDef(Trim(Part), -1));
    return Numbers;
}

// An address the table editors accept is put into the image as the address it names:
// the encoder's masks must never change a valid address.
void KNX(const String& Text)
{
    for (bool Zero : {false, true}) {
        if (Check_KNX_Address(Text, true, Zero) == 0) {
            const std::vector<int> p = Parts_Of(Trim(Text), "/");
            const int Expected = p.size() == 3 ? p[0] * 2048 + p[1] * 256 + p[2]
                                 : p.size() == 2 ? p[0] * 2048 + p[1]
                                                 : p[0];
            fuzz::Check(Get_KNX_Address(Text, true) == Expected, "a valid group address is encoded as it reads", Text);
        }
        if (Check_KNX_Address(Text, false, Zero) == 0) {
            const std::vector<int> p = Parts_Of(Trim(Text), ".");
            const int Expected = p.size() == 3 ? p[0] * 4096 + p[1] * 256 + p[2]
                                 : p.size() == 2 ? p[0] * 4096 + p[1]
                                                 : p[0];
            fuzz::Check(Get_KNX_Address(Text, false) == Expected, "a valid individual address is encoded as it reads",
                        Text);
        }
    }
    Get_KNX_Individual_Address(Text);
    KNX_Access_Code(Text);
    const int Priority = KNX_Priority_Code(Text);
    fuzz::Check(Priority >= 0 && Priority <= 3, "a priority code is 0..3", Text);
    fuzz::Check((Conversion_Code(Text) & 0x0FFF) == 0, "a conversion code lies in the top four bits", Text);
    Has_No_Dot(Text);
}

void Others(const String& Text)
{
    const int Oid = Check_SNMP_OID(Text);
    fuzz::Check(Oid >= 0 && Oid <= 6, "an identifier check gives a rule number", Text);
    if (Oid == 0)
        for (const String& Component : SplitString(Text, ".")) {
            long long v = -1;
            fuzz::Check(TryStrToInt64(Component, v) && v >= 0 && v <= 4294967295LL, "a valid identifier's component",
                        Text);
        }
    SNMP_Security_Level_Code(Text);

    // Hex keys of every length the image uses, with guard bytes around the field.
    for (int Count : {0, 1, 4, 8, 16}) {
        uint8_t Field[16 + 2] = {};
        Field[0] = Field[Count + 1] = 0xA5;
        Hex_To_Bytes(Text, Field + 1, Count);
        fuzz::Check(Field[0] == 0xA5 && Field[Count + 1] == 0xA5, "a hex key stays inside its field", Text);
    }

    // Outside text as a format: filled, or refused with EConvertError.
    try {
        Format(Text, {1, 2, "three", 4.5});
    } catch (const EConvertError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const String Text(fuzz::Bytes(Data, Size));
    Integers(Text);
    Decimals(Text);
    Addresses(Text);
    KNX(Text);
    Others(Text);
    return 0;
}
