#pragma once
// The description of the Modbus TCP master access editor: the read rules and the write
// rules of a converter that is Modbus TCP client, two tables of 512 rows, each rule with
// its slave's address and port. The window (UModbus_TCP_Master_Set_Access.h) is built
// from it.
#include "editors/fieldbus/UModbus_Rules.h"

// ---- Modbus TCP master access editor (ModbusTCPM_SetAccess.xml) -----------------------
namespace ModbusTCP {
constexpr int Read = 0, Write = 1;                // table indexes
// Real column indexes of the read table ...
enum TRead_Col { Rd_Number, Rd_Enable, Rd_IP_Address, Rd_Port, Rd_Slave_ID, Rd_Type, Rd_Address, Rd_NPoint,
                 Rd_PollTime, Rd_MaxError, Rd_Position, Rd_Bit, Rd_Swap, Rd_SwapWord, Rd_Topic, Rd_Mnemonic, Rd_Count };
// ... and of the write table.
enum TWrite_Col { Wr_Number, Wr_Enable, Wr_IP_Address, Wr_Port, Wr_Slave_ID, Wr_Type, Wr_Address, Wr_NPoint,
                  Wr_PollTime, Wr_OnChange, Wr_OnCMD, Wr_MaxError, Wr_Position, Wr_Bit, Wr_Swap, Wr_SwapWord,
                  Wr_Mnemonic, Wr_Count };
constexpr int Text_Base = 3100;
}  // namespace ModbusTCP

// The positions' lists and checks read the two areas' sizes from the context of the showing.
TEditorDesc Modbus_TCP_Master_Set_Access_Desc();
