#pragma once
// The description of the S7 access editor: the values the converter reads from S7-family
// PLCs into its data array and those it writes into them, kept in S7_Protocol.xml. The
// PLCs the enabled rows of both tables name, by address and port, are the connections
// the converter opens; it opens at most ten.
#include "editors/frame/UTableDesc.h"

// ---- S7 access editor (S7_Protocol.xml) ---------------------------------------------------
namespace S7 {
enum TTable { Read, Write };
// Real column indexes; both tables share them up to Poll Time ...
enum TCol { Col_Number, Col_Enable, Col_PLC_Address, Col_PLC_Port, Col_PLC_Type, Col_Rack, Col_Slot, Col_Data_Type,
            Col_Data_Identifier, Col_DB_Number, Col_PLC_Area, Col_PLC_Add, Col_PLC_Bit, Col_PollTime };
// ... then the read table goes on ...
enum TReadCol { Rd_Position = Col_PollTime + 1, Rd_Bit, Rd_Swap, Rd_SwapWord, Rd_Mnemonic, Rd_Count };
// ... and the write table.
enum TWriteCol { Wr_OnChange = Col_PollTime + 1, Wr_OnCMD, Wr_Position, Wr_Bit, Wr_Swap, Wr_SwapWord, Wr_Mnemonic,
                 Wr_Count };
constexpr int Rows = 512;
constexpr int Text_Base = 5900;
// The positions of the data array open to read (NByte_IN) and write (NByte_OUT) rows.
constexpr int NByte_IN = 1500;
constexpr int NByte_OUT = 1500;
// The connections (PLC address and port) the converter opens at most.
constexpr int Max_Connections = 10;
extern const char* const NByte_IN_Name;
extern const char* const NByte_OUT_Name;
}  // namespace S7

// The connection of a PLC at the four address bytes and the port: its index among the
// run's distinct connections Seen (added when new), -1 when Seen holds the most already.
int Check_IP_Port(std::vector<String>& Seen, const uint8_t (&IP)[4], int Port);

TEditorDesc S7_Protocol_Set_Access_Desc();
