#pragma once
// The description of the DeviceNet network editor: one row per DeviceNet slave with its
// node ID and the numbers of input and output bytes it exchanges. The offset editor
// (UDefOffset.h) builds its list of slaves from the file this one writes.
#include "editors/frame/UTableDesc.h"

// ---- DeviceNet network editor (DNETM_Net.xml) -----------------------------------------
namespace DNet {
// Real column indexes of the table.
enum TCol { Col_Number, Col_ID, Col_NB_IN, Col_NB_OUT, Col_Mnemonic, Col_Count };
constexpr int Rows = 64;
constexpr int Text_Base = 3800;
}  // namespace DNet

TEditorDesc DNet_Desc();
