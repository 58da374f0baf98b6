#pragma once
// The description of the J1939 receive editor: one row per parameter group the converter
// takes from the bus, with the part of its data it keeps, whether that data is cancelled
// when the frame stops arriving, and whether the converter requests it itself.
#include "editors/frame/UTableDesc.h"

// ---- J1939 receive editor (J1939_Rec_Frames.xml) -----------------------------------------
namespace ReceiveJ1939 {
// Real column indexes of the table.
enum TCol { Col_Number, Col_DP, Col_PGN, Col_SA, Col_TP, Col_TP_Start, Col_TP_NByte, Col_Delete, Col_OnRequest,
            Col_OnReq_Time, Col_Mnemonic, Col_Count };
constexpr int Rows = 512;
constexpr int Text_Base = 4300;
// The bytes of the converter's receive area all rows share, set at every showing.
constexpr int NUM_BYTE_IN = 1440;
constexpr const char* Num_Byte_In = "NUM_BYTE_IN";
}  // namespace ReceiveJ1939

TEditorDesc ReceiveJ1939_Desc();
