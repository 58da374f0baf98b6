#pragma once
// The description of the CAN transmit frames editor: one row per frame the converter
// sends, with its identifier and format, its size, when it is sent (on a change of its
// data, on a command, on a timer with its period) and the position in the data array of
// each of its bytes.
#include "editors/frame/UTableDesc.h"

// ---- CAN transmit frames editor (CAN_Send_Frames.xml) -----------------------------------
namespace TransmitCAN {
// Real column indexes of the table.
enum TCol { Col_Number, Col_Enable, Col_COBID, Col_CAN_Type, Col_Dim, Col_OnChange, Col_OnCMD, Col_OnTimer, Col_Time,
            Col_Byte1, Col_Mnemonic = Col_Byte1 + 8, Col_Count };
constexpr int Rows = 512;
constexpr int Text_Base = 3400;
// The positions of the data array a byte may name.
constexpr int MAX_Byte = 3400;
// The window's presets for rows read without a format, a sending mode or a time, as the
// context of the showing holds them.
constexpr const char* CAN_Type = "CAN_Type";
constexpr const char* Send_Type = "Send_Type";
constexpr const char* Send_Time = "Send_Time";
}  // namespace TransmitCAN

TEditorDesc TransmitCAN_Desc();
