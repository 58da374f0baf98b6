#pragma once
// The PROFIBUS DP device description (GSD, revision 5) of the converter whose field side
// is a PROFIBUS DP slave: a fixed text around the input and output lengths of ParGen.xml,
// which are offered as modules of at most 64 bytes.
#include "platform/rtl/SysUtils.h"

extern int GSD_Input_Len;    // bytes from the slave to the master (PROFINET_NB_OUT)
extern int GSD_Output_Len;   // bytes from the master to the slave (PROFINET_NB_IN)

// Reads the lengths, asks for the file name and before replacing a file, writes it.
void Create_GSD_File();
// The file as it is written, every line ended by CR LF.
void Write_GSD_File(const String& FileName);
// The name with ".gsd" appended unless its first ".gsd" (in any case) ends it.
String GSD_File_Name(const String& Chosen);
