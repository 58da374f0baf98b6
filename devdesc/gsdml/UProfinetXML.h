#pragma once
// The PROFINET device description (GSDML) of the converter whose field side is a
// PROFINET IO device: a fixed template around the station name and the input and output
// lengths of ParGen.xml, in UTF-8 with its byte-order mark.
#include "platform/rtl/SysUtils.h"

extern int GSDML_Input_Len;       // PROFINET_NB_OUT, 1438 when missing
extern int GSDML_Output_Len;      // PROFINET_NB_IN, 1438 when missing
extern String GSDML_Station_Name; // PROFINET_NAME_STA, "SERIAL" when missing or blank

// Asks for the folder (the name is always Name), and before replacing a file; writes it.
void Create_GSDML_File(const String& Name);
void Load_PROFINET_Settings();
void Write_GSDML_File(const String& Path);
