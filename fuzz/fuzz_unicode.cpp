// The text converters used on every file the program reads: UTF-8, UTF-16 in both byte
// orders, Windows-1252. Decoding anything gives valid UTF-8; valid text converts back and
// forth without loss.
#include "fuzz/FuzzCommon.h"
#include "platform/rtl/Unicode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view In = fuzz::Bytes(Data, Size);

    const std::string From1252 = Cp1252ToUtf8(In);
    fuzz::Check(IsValidUtf8(From1252), "Windows-1252 decodes to UTF-8");
    fuzz::Check(Utf8ToCp1252(From1252) == In, "Windows-1252 text converts back unchanged");
    fuzz::Check(Utf8Length(From1252) == static_cast<int>(Size), "one character per Windows-1252 byte");

    for (bool Big : {false, true}) {
        const std::string FromUtf16 = Utf16BytesToUtf8(In, Big);
        fuzz::Check(IsValidUtf8(FromUtf16), "UTF-16 decodes to UTF-8");
        fuzz::Check(Utf16ToUtf8(Utf8ToUtf16(FromUtf16)) == FromUtf16, "decoded UTF-16 converts back and forth");
    }

    const std::u16string Units = Utf8ToUtf16(In);
    const std::string Back = Utf16ToUtf8(Units);
    fuzz::Check(IsValidUtf8(Back), "any bytes become valid UTF-8 through UTF-16");
    if (IsValidUtf8(In)) {
        fuzz::Check(Back == In, "valid UTF-8 converts to UTF-16 and back unchanged");
        size_t Supplementary = 0;
        for (char16_t u : Units) Supplementary += (u >= 0xD800 && u <= 0xDBFF);
        fuzz::Check(Units.size() == static_cast<size_t>(Utf8Length(In)) + Supplementary,
                    "UTF-16 length follows the characters");
        const std::string To1252 = Utf8ToCp1252(In);
        fuzz::Check(static_cast<int>(To1252.size()) == Utf8Length(In), "one Windows-1252 byte per character");
    } else {
        Utf8ToCp1252(In);
    }
    Utf8Length(In);
    return 0;
}
