#pragma once
// The program hands the library Windows-1252 texts; OPC UA speaks UTF-8.
#include <string>

namespace ua {

std::string Cp1252_To_Utf8(const std::string& s);
// A character Windows-1252 lacks becomes "?".
std::string Utf8_To_Cp1252(const std::string& s);

}  // namespace ua
