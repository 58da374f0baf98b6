#pragma once
// The descriptions of the LoRaWAN and KNX access editors: their tables, texts, file and
// checks. The windows (ULoRa_Set_Access.h, UKNXAccess.h) are built from them; the
// descriptions need no window, so their files and checks can be used on their own.
#include "editors/frame/UTableDesc.h"

// ---- LoRaWAN access editor (LoRaWAN_SetAccess.xml) ------------------------------------
namespace LoRa {
// Real column indexes of the uplink table.
enum TUplink_Col { Up_Number, Up_Enable, Up_StartByte, Up_NumByte, Up_OnChange, Up_OnCMD, Up_OnTimer, Up_Time,
                   Up_FPort, Up_Mnemonic };
// ... and of the downlink table.
enum TDownlink_Col { Down_Number, Down_Enable, Down_StartByte, Down_NumByte, Down_FPort, Down_Mnemonic };
constexpr int Uplink = 0, Downlink = 1;           // table indexes
constexpr int Rows_Fixed = 256;                   // data rows while the FPort is fixed
constexpr int Rows_Variable = 223;                // ... and while it is variable
constexpr int Text_Base = 1200;
constexpr int Text_Payload_Not_Set = 1242;        // warning at a showing with payload size 0
}  // namespace LoRa

// The checks read the payload size and the FPort mode when they run, so both may change
// at every showing.
TEditorDesc LoRa_Set_Access_Desc(const int& MaxPayloadSize, const bool& FPortFixed);

// What the LoRaWAN editor takes from ParGen.xml: the payload size (0 when the file, the
// key or a whole number is missing) and the FPort mode (fixed unless the key, trimmed and
// upper-cased, is "VARIABLE"). A file that cannot be read counts as missing.
void Read_LoRa_Settings(const String& ParGen_File, int& MaxPayloadSize, bool& FPortFixed);

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
}  // namespace KNX

// Max_Num_Byte: the size of the data area the positions address; Decimal_Sep: set to the
// regional decimal separator before every check.
TEditorDesc KNX_Access_Desc(const int& Max_Num_Byte, char& Decimal_Sep);
