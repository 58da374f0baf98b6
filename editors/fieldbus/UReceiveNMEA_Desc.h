#pragma once
// The description of the NMEA 2000 receive editor: one row per parameter group the
// converter takes from the bus (through the transport protocol, as a fast packet or as a
// single frame), with the part of its data it keeps and whether that data is cancelled
// when the frame stops arriving.
#include "editors/frame/UTableDesc.h"

// ---- NMEA 2000 receive editor (NMEA_Rec_Frames.xml) --------------------------------------
namespace ReceiveNMEA {
// Real column indexes of the table.
enum TCol { Col_Number, Col_PGN, Col_SA, Col_TP, Col_FP, Col_TP_Start, Col_TP_NByte, Col_Delete, Col_Mnemonic,
            Col_Count };
constexpr int Rows = 62;
constexpr int Text_Base = 4600;
// The bytes of the converter's receive area all rows share, set at every showing.
constexpr int NUM_BYTE_IN = 512;
constexpr const char* Num_Byte_In = "NUM_BYTE_IN";
}  // namespace ReceiveNMEA

TEditorDesc ReceiveNMEA_Desc();
