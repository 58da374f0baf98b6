#pragma once
// Reading and writing the fields of the header stream: little-endian 32-bit values,
// enumerations in the low byte, texts as UTF-16 with a length before them. The stream may
// come from anywhere, so every count and length is checked before anything is allocated.
#include <cstdint>

#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"

namespace headerstream {

// More columns than any header can show means a damaged stream.
constexpr int MaxColumns = 4096;
// Longest caption, hint or font name, in code units or bytes.
constexpr int MaxTextLength = 65536;

void WriteInt(TStream& Stream, std::int32_t Value);
std::int32_t ReadInt(TStream& Stream);
// An enumeration stored in the low byte; a value beyond Last is a damaged stream.
int ReadEnum(TStream& Stream, int Last);
void WriteText(TStream& Stream, const String& Text);
String ReadText(TStream& Stream);
// A length read from the stream: refused when negative, above Limit or beyond its end.
int CheckedLength(TStream& Stream, std::int32_t Length, int Limit, int UnitSize);

}  // namespace headerstream
