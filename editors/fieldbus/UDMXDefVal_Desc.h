#pragma once
// The description of the DMX default values editor: one row per DMX channel with the
// level the channel starts with and a description. The window (UDMXDefVal.h) is built
// from it; the description needs no window, so its file and checks work on their own.
#include "editors/frame/UTableDesc.h"

// ---- DMX default values editor (DMX_Default_Values.xml) -------------------------------
namespace DMX {
// Real column indexes of the table.
enum TCol { Col_Channel, Col_Default_Value, Col_Mnemonic, Col_Count };
constexpr int Text_Base = 4000;
constexpr int Default_Channels = 512;             // one universe
// The most channels a showing makes rows for. ParGen.xml is written by hand for this
// key; a count below 1 or above this falls back to the default instead of showing no
// row at all or taking the memory of millions of rows.
constexpr int Max_Channels = 32768;

// The channels of a showing: DMX_Num_Channels of the model's settings as a whole number,
// Default_Channels when it is missing, no whole number or outside 1 .. Max_Channels.
int Channels(const TEditorContext& Context);
}  // namespace DMX

// The rows are as many as Channels() of the showing's context (the window sets them).
TEditorDesc DMX_Def_Val_Desc();
