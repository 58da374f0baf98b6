#pragma once
// The description of the CAN receive frames editor: one row per frame the converter takes
// from the bus, with its identifier and format, its size, a time-out and the position in
// the data array of each of its bytes.
#include "editors/frame/UTableDesc.h"

// ---- CAN receive frames editor (CAN_Rec_Frames.xml) -------------------------------------
namespace ReceiveCAN {
// Real column indexes of the table.
enum TCol { Col_Number, Col_Enable, Col_COBID, Col_CAN_Type, Col_Dim, Col_TimeOut, Col_Byte1,
            Col_Mnemonic = Col_Byte1 + 8, Col_Count };
constexpr int Rows = 512;
constexpr int Text_Base = 3300;
// The positions of the data array a byte may name.
constexpr int MAX_Byte = 2000;
}  // namespace ReceiveCAN

TEditorDesc ReceiveCAN_Desc();
