#pragma once
// The SNMP MIB module (SMIv2 text) of the converter acting as SNMP agent: a fixed tree
// under the maker's enterprise arc, with the enabled rows of SNMP_Trap.xml as its
// variables: read rows as read-only objects and traps, write rows as read-write objects.
#include <array>

#include "platform/rtl/SysUtils.h"

constexpr int MIB_Max_Rows = 256;

// Set: the variable of that position is an INTEGER; clear: an OCTET STRING.
// [0] the read rows, [1] the write rows, in the order of MIB_Read_Names / MIB_Write_Names.
extern std::array<std::array<bool, MIB_Max_Rows>, 2> MIB_Int_Flags;

// Asks for the name in the main window's SaveMIB and before replacing a file; writes it.
void Create_MIB_File();
void Load_MIB_Variables();
void Write_MIB_File(const String& FileName);
