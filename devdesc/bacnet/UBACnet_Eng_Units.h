#pragma once
// The BACnet engineering units by category, as the unit picker offers them, and the name
// of a unit code.
#include <vector>

#include "platform/rtl/SysUtils.h"

namespace BACnetUnits {
struct TUnit {
    const char* Name;
    int Code;
};
struct TCategory {
    const char* Name;
    std::vector<TUnit> Units;
};
// The categories in the picker's order; together they hold every code 0..236 once.
const std::vector<TCategory>& Categories();
}  // namespace BACnetUnits

// The name of a unit code; "unknown" for any number that is no unit.
String Desc_Unit(int Num_Unit);
