// Fields of the header stream.
#include "treeview/header/HeaderStreamIO.h"

#include <string>

#include "platform/rtl/Unicode.h"

namespace headerstream {

void WriteInt(TStream& Stream, std::int32_t Value)
{
    const std::uint32_t v = std::uint32_t(Value);
    const std::uint8_t b[4] = {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
    Stream.WriteBuffer(b, 4);
}

std::int32_t ReadInt(TStream& Stream)
{
    std::uint8_t b[4];
    Stream.ReadBuffer(b, 4);
    return std::int32_t(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                        std::uint32_t(b[3]) << 24);
}

int ReadEnum(TStream& Stream, int Last)
{
    const int v = ReadInt(Stream) & 0xFF;
    if (v > Last) throw EReadError("Bad value in the header stream");
    return v;
}

int CheckedLength(TStream& Stream, std::int32_t Length, int Limit, int UnitSize)
{
    if (Length < 0 || Length > Limit || std::int64_t(Length) * UnitSize > Stream.Size() - Stream.Position())
        throw EReadError("Bad length in the header stream");
    return Length;
}

void WriteText(TStream& Stream, const String& Text)
{
    const std::u16string w = Utf8ToUtf16(Text);
    WriteInt(Stream, std::int32_t(w.size()));
    for (char16_t c : w) {
        const std::uint8_t b[2] = {std::uint8_t(c), std::uint8_t(c >> 8)};
        Stream.WriteBuffer(b, 2);
    }
}

String ReadText(TStream& Stream)
{
    const int n = CheckedLength(Stream, ReadInt(Stream), MaxTextLength, 2);
    std::u16string w(std::size_t(n), u'\0');
    for (char16_t& c : w) {
        std::uint8_t b[2];
        Stream.ReadBuffer(b, 2);
        c = char16_t(b[0] | b[1] << 8);
    }
    return Utf16ToUtf8(w);
}

}  // namespace headerstream
