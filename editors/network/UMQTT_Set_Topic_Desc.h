#pragma once
// The description of the MQTT topic editor: the topics the converter publishes (with
// QoS, retained flag, the value's type, size and place in the data array, its payload
// template and when it is sent) and the topics it subscribes to, both kept in
// MQTT_Set_Topic.xml.
#include "editors/frame/UTableDesc.h"

// ---- MQTT topic editor (MQTT_Set_Topic.xml) ----------------------------------------------
namespace MQTT {
enum TTable { Publish, Subscribe };
// Real column indexes of the publish table ...
enum TPubCol { Pub_Number, Pub_Topic, Pub_Retained, Pub_QoS, Pub_DataType, Pub_Dimension, Pub_Position,
               Pub_IPAddress, Pub_InputTemplate, Pub_Template, Pub_OnChange, Pub_OnCMD, Pub_OnTimer, Pub_Time,
               Pub_Channel, Pub_Swap, Pub_SwapWord, Pub_Mnemonic, Pub_Count };
// ... and of the subscribe table.
enum TSubCol { Sub_Number, Sub_Topic, Sub_Retained, Sub_QoS, Sub_DataType, Sub_Dimension, Sub_Position,
               Sub_IPAddress, Sub_Port, Sub_EthType, Sub_InputTemplate, Sub_Template, Sub_Swap, Sub_SwapWord,
               Sub_Mnemonic, Sub_Count };
constexpr int Rows = 1024;
constexpr int Text_Base = 5200;
// The positions of the data array open to publish (Byte_IN) and subscribe (Byte_OUT) rows.
constexpr int Byte_IN = 1500;
constexpr int Byte_OUT = 1500;
constexpr int Working_Mode = 1;
// The context's names of those limits.
extern const char* const Byte_IN_Name;
extern const char* const Byte_OUT_Name;
}  // namespace MQTT

// A template names its keywords between two "$": it is malformed when its "$" are odd
// in number.
bool Error_In_Topic_Template(const String& Text);

TEditorDesc MQTT_Set_Topic_Desc();
