#pragma once
// The descriptions of the CANopen editors: the PDO mapping (receive and transmit PDOs),
// the SDO client (objects read from and written to other devices) and the SDO server
// (objects of the converter's own dictionary that clients read and write). Each keeps
// two tables on two pages and maps bytes to positions of the converter's two exchange
// areas. Every value is written as typed, so the device-description writer reads the
// numbers in the form the user gave them.
#include "editors/frame/UTableDesc.h"

namespace CANopen {
// The exchange areas in bytes, set at every showing into the context.
constexpr int Area_Size = 1500;
constexpr const char* NByte_IN = "PROFINET_NByte_IN";
constexpr const char* NByte_OUT = "PROFINET_NByte_OUT";
}  // namespace CANopen

// ---- CANopen PDO mapping editor (PDO_CANopen.xml) ----------------------------------------
namespace PDO {
enum TTable { Receive, Transmit };
// Real column indexes: the receive table; the transmit table has Send_Time, On_Change
// and Mnemonic after the positions.
enum TCol { Col_Number, Col_COB_ID, Col_Dimension, Col_Address_B1, Col_TimeOut = Col_Address_B1 + 8, Col_Mnemonic,
            Col_Count };
enum TTxCol { Tx_Send_Time = Col_Address_B1 + 8, Tx_On_Change, Tx_Mnemonic, Tx_Count };
constexpr int Rows = 30;
constexpr int Text_Base = 3500;
}  // namespace PDO

// ---- CANopen SDO client editor (SDO_Client_CANopen.xml) ----------------------------------
namespace SDO_Client {
enum TTable { Read, Write };
// Real column indexes: the read table; the write table has On_Change before the positions.
enum TCol { Col_Number, Col_Device_ID, Col_Index, Col_SubIndex, Col_NByte, Col_Poll_Time, Rd_Address_B1,
            Rd_Mnemonic = Rd_Address_B1 + 4, Rd_Count };
enum TWrCol { Wr_On_Change = Col_Poll_Time + 1, Wr_Address_B1, Wr_Mnemonic = Wr_Address_B1 + 4, Wr_Count };
constexpr int Rows = 256;
constexpr int Text_Base = 3600;
}  // namespace SDO_Client

// ---- CANopen SDO server editor (SDO_Server_CANopen.xml) ----------------------------------
namespace SDO_Server {
enum TTable { Read, Write };
// Real column indexes, the same in both tables.
enum TCol { Col_Number, Col_Index, Col_SubIndex, Col_NByte, Col_Address_B1, Col_Mnemonic = Col_Address_B1 + 4,
            Col_Count };
constexpr int Rows = 500;
constexpr int Text_Base = 3700;
}  // namespace SDO_Server

TEditorDesc Set_PDO_Access_Desc();
TEditorDesc Set_SDO_Client_Access_Desc();
TEditorDesc Set_SDO_Server_Access_Desc();
