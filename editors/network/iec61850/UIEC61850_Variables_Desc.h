#pragma once
// The description of the IEC 61850 server variables editor: the variables the converter
// publishes as a server, each with its type, length, place in the internal data array,
// conversion and swapping, kept in IEC61850_Variables.xml.
#include "editors/frame/UTableDesc.h"

namespace IEC61850_Variables {
enum TCol { Col_Number, Col_Enable, Col_Name, Col_Type, Col_Length, Col_ReadOnly, Col_Position, Col_StartBit,
            Col_Conversion, Col_MultiplicationFactor, Col_Swap, Col_SwapWord, Col_Mnemonic, Col_Count };
constexpr int Rows = 50;
constexpr int Text_Base = 5000;
// The bytes of the internal data array a variable may start in; a position lies below it.
constexpr int NByte_IN = 1438;
constexpr const char* NByte_IN_Number = "NByte_IN";
}  // namespace IEC61850_Variables

TEditorDesc IEC61850_Variables_Desc();
