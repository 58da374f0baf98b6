#pragma once
// The description of the LoRaWAN access editor: its tables, texts, file and checks. The
// window (ULoRa_Set_Access.h) is built from it; the description needs no window, so its
// file and checks can be used on their own.
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

// What the editor takes from the model's settings (ParGen.xml) of a showing: the payload
// size (0 when the file, the key or a whole number is missing) and the FPort mode (fixed
// unless the key, trimmed and upper-cased, is "VARIABLE").
int Payload_Size(const TEditorContext& Context);
bool FPort_Fixed(const TEditorContext& Context);
}  // namespace LoRa

// The checks read the payload size and the FPort mode from the context of the showing.
TEditorDesc LoRa_Set_Access_Desc();
