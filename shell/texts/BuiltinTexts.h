#pragma once
// The built-in English texts, compiled from builtin_texts.txt at build time.
#include <string_view>

extern const int Builtin_Texts_Count;
// Entry Number, 0 <= Number < Builtin_Texts_Count.
std::string_view Builtin_Texts_Entry(int Number);
