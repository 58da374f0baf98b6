#pragma once
// The description of the KNX access editor: its table, texts, file and checks. The
// window (UKNXAccess.h) is built from it; the description needs no window, so its file
// and checks can be used on their own.
#include "editors/frame/UTableDesc.h"

// ---- KNX access editor (KNX_SetAccess.xml) --------------------------------------------
namespace KNX {
// Real column indexes of the table.
enum TCol { Col_Number, Col_Enable, Col_Source_Address, Col_Destination_Address, Col_APCI, Col_Priority, Col_Format,
            Col_MultiplicationFactor, Col_Extended, Col_ReTest, Col_On_Command, Col_On_Change, Col_On_Timer,
            Col_Poll_Time, Col_Position, Col_Bit_Mode, Col_Length, Col_TimeOut, Col_Mnemonic, Col_Count };
constexpr int Rows = 1024;
constexpr int Data_Size = 1500;                   // the converter's internal data area in bytes
constexpr int Text_Base = 4500;
// The most a rule's length may be: the image keeps it in one byte, so a bit-mode rule of
// an extended message stops at 255 bits (the byte limits times 8 would allow 2040).
constexpr int Max_Length_Bit_Extended = 255;
constexpr int Max_Length_Bit_Standard = 112;
constexpr int Max_Length_Byte_Extended = 255;
constexpr int Max_Length_Byte_Standard = 14;
// The context's number holding the size of the data area the positions address, set at
// every showing.
constexpr const char* Data_Size_Number = "Data_Size";
}  // namespace KNX

// The positions' list and checks read the data area's size from the context of the showing.
TEditorDesc KNX_Access_Desc();
