#pragma once
// The description of the NMEA 2000 transmit editor: one row per parameter group the
// converter sends, whether as a fast packet, with its number of data bytes and when it is
// sent (on request, on a change of its data, on a timer with its period).
#include "editors/frame/UTableDesc.h"

// ---- NMEA 2000 transmit editor (NMEA_Send_Frames.xml) ------------------------------------
namespace TransmitNMEA {
// Real column indexes of the table.
enum TCol { Col_Number, Col_Priority, Col_PGN, Col_SA, Col_FP, Col_TP_NByte, Col_On_Request, Col_On_Data_Change,
            Col_On_Timer, Col_SendTimer, Col_Mnemonic, Col_Count };
constexpr int Rows = 62;
constexpr int Text_Base = 4700;
// The bytes of the converter's transmit area all rows share, set at every showing.
constexpr int NUM_BYTE_OUT = 512;
constexpr const char* Num_Byte_Out = "NUM_BYTE_OUT";
}  // namespace TransmitNMEA

TEditorDesc TransmitNMEA_Desc();
