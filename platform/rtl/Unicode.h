#pragma once
// Conversions between the program's UTF-8 strings and other encodings it meets in files.
#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);
// The code points of UTF-8 text; an invalid byte becomes U+FFFD.
std::u32string Utf8ToUtf32(std::string_view s);
// Decodes UTF-16 bytes; bigEndian picks the byte order. A trailing odd byte is dropped.
std::string Utf16BytesToUtf8(std::string_view bytes, bool bigEndian);
// Windows-1252 bytes to UTF-8 (the 8-bit code page of files written on the engineers' PCs).
std::string Cp1252ToUtf8(std::string_view s);
// UTF-8 to Windows-1252; characters it lacks become '?'.
std::string Utf8ToCp1252(std::string_view s);
bool IsValidUtf8(std::string_view s);
// Number of characters (code points) of valid UTF-8; invalid bytes count one each.
int Utf8Length(std::string_view s);
