#pragma once
// The built-in English texts, compiled from builtin_texts.txt at build time.
#include <string_view>

extern const std::string_view Builtin_Texts[];
extern const int Builtin_Texts_Count;
