#pragma once
// The BACnet server objects editor as a description of the table editor engine: the
// objects clients read and those they write, each with its kind, engineering unit,
// place in the converter's bytes, length and name (BACnet_Slave_SetAccess.xml, which the
// EDE writer reads too).
#include "editors/frame/UTableDesc.h"

namespace BACnetSlave {
enum TCol { Col_Number, Col_Data_Type, Col_Eng_Unit, Col_Position, Col_Start_Bit, Col_Length, Col_Swap, Col_Mnemonic,
            Col_Count };
// The bytes of the read area and of the write area.
constexpr int Area_Bytes = 1500;
constexpr const char* NByte_IN = "NByte_IN";
constexpr const char* NByte_OUT = "NByte_OUT";
// 1 when the server is limited to 1000 objects (and names of 32 characters).
constexpr const char* Desc_Lenght = "Desc_Lenght";
// The objects of both tables together, and the rows of each table.
int Max_Objects(bool Desc_Lenght);
// The Length a write row's kind presets when it is chosen in the list; empty: none.
String Length_Preset(const String& Data_Type);
}  // namespace BACnetSlave

TEditorDesc BACnetSlaveSetAccess_Desc();
