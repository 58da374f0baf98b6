#pragma once
// The description of the SNMP agent variables editor: the variables managers read from
// the converter (which it can also send as traps) and those they write into it, kept in
// SNMP_Trap.xml. The MIB writer reads that file too: a variable's last identifier arc is
// its number among the enabled rows of its section, in file order, and its name the
// row's Description.
#include "editors/frame/UTableDesc.h"

// ---- SNMP agent variables editor (SNMP_Trap.xml) ------------------------------------------
namespace SNMP_Trap {
enum TTable { Read, Write };
// Real column indexes of the read table ...
enum TReadCol { Rd_Number, Rd_Enable, Rd_Community_Name, Rd_Type, Rd_On_Change, Rd_On_Command, Rd_On_Timer, Rd_Time,
                Rd_Position, Rd_Bit, Rd_NumBits, Rd_Description, Rd_IP_Address, Rd_Conversion, Rd_Mnemonic, Rd_Count };
// ... and of the write table.
enum TWriteCol { Wr_Number, Wr_Enable, Wr_Community_Name, Wr_Type, Wr_Position, Wr_Bit, Wr_NumBits, Wr_Description,
                 Wr_Conversion, Wr_Mnemonic, Wr_Count };
constexpr int Rows = 256;
constexpr int Text_Base = 6200;
// The positions of the data array open to read (NByte_IN) and write (NByte_OUT) rows.
constexpr int NByte_IN = 1440;
constexpr int NByte_OUT = 1440;
extern const char* const NByte_IN_Name;
extern const char* const NByte_OUT_Name;
}  // namespace SNMP_Trap

// True (an error) when a character of Text is not a digit or an ASCII letter; with
// Check_Type 1 the first one must moreover be a lower-case letter. An empty text passes.
bool Check_Error_CommName_Desc(const String& Text, int Check_Type);

TEditorDesc SNMP_Trap_Access_Desc();
