#pragma once
// The program's raw-data resources: named blocks of bytes built into the program (a
// picture, a sample file). A name is found whatever its case; a number N is the name "#N".
#include <cstdint>
#include <vector>

#include "platform/rtl/SysUtils.h"

// Adds or replaces the resource; an empty block removes it.
void RegisterResourceData(const String& Name, const std::vector<uint8_t>& Data);
// The resource's bytes, or nullptr when the program has no resource of that name.
const std::vector<uint8_t>* FindResourceData(const String& Name);
