#pragma once
// The two configuration images of the converter, built from a configuration's files.
//
//   bank1.bin (2048 bytes): the general block: network settings, the converter's own
//             KNX address, fixed device parameters and a checksum;
//   bank2.bin (32768 bytes): the KNX table (1024 entries of 24 bytes) followed by the
//             LoRaWAN block (radio settings, 256 uplink and 256 downlink entries).
//
// Every integer is little-endian. Each build starts from the defaults, so nothing of an
// earlier build survives, and every byte no rule sets is zero. The layout itself, with
// its offsets, lies in converter/UBinLayout.h.
//
// The builder knows no window: it takes the paths of the three files and returns the
// bytes. A file that does not exist leaves its fields at their defaults; a file that is
// there but cannot be used (not well-formed XML, a missing section, a KNX row without
// a required attribute) raises an Exception and nothing is built.
#include <cstdint>
#include <vector>

#include "platform/rtl/SysUtils.h"

constexpr int Bank1_Size = 2048;
constexpr int Bank2_Size = 32768;

struct TBin_Images {
    std::vector<uint8_t> Bank1;   // Bank1_Size bytes once built
    std::vector<uint8_t> Bank2;   // Bank2_Size bytes once built
};

// Builds both images from ParGen.xml, KNX_SetAccess.xml and LoRaWAN_SetAccess.xml.
TBin_Images Build_Bin_Images(const String& ParGen_File, const String& KNX_File,
                             const String& LoRaWAN_File);

// Writes bank1.bin and bank2.bin into the folder Bin_Folder (created when missing), each
// file whole through an atomic replace. A failure raises the error (EInOutError) and
// leaves both earlier images as they were: when bank2.bin cannot be written, the bank1.bin
// just written is put back to what it was.
void Save_Bin_Files(const TBin_Images& Images, const String& Bin_Folder);

// The update step's pre-check: true when every enabled uplink of LoRaWAN_File fits the
// payload size of ParGen_File (NumByte from 0 to size - 2). An uplink counts as enabled
// exactly when the builder takes it into the image (Is_Row_Taken). A missing LoRaWAN file
// passes; a missing ParGen.xml or payload size counts as size 0.
bool Check_Config_LoraWAN(const String& ParGen_File, const String& LoRaWAN_File);

// --- the open configuration ----------------------------------------------------------
// The images of the last successful build, kept for the rest of the run.
extern TBin_Images Bin_Images;
// Builds from FileName_ParGen, FileName_KNX_SetAccess and FileName_LoRaWAN_SetAccess
// into Bin_Images; on an error Bin_Images keeps the previous build.
void Build_Bin_Images();
// Writes Bin_Images into the "bin" folder of Project_Path (EInvalidOperation before any
// build, or without an open configuration).
void Save_Bin_Files();
// The pre-check on FileName_ParGen and FileName_LoRaWAN_SetAccess.
bool Check_Config_LoraWAN();

// --- text rules the builder applies, open for its callers and tests -------------------
class TXMLNode;
// A table row is taken into the image when its Enable attribute, trimmed and upper-cased,
// is "Y", and also when it has no Enable attribute.
bool Is_Row_Taken(const TXMLNode& Row);

// A KNX address text as 16 bits (text and parts trimmed, parts that are no number 0):
//   group:      "main/middle/sub", "main/sub" or a number;
//   individual: "area.line.device", "area.device" or a number. The editors accept no
//               "area.device" (Check_KNX_Address); one in a hand-made file is line 0.
// Parts out of range are masked (main 31, middle 7, sub 255 or 2047; area and line 15,
// device 255), not refused.
uint16_t Get_KNX_Address(const String& Text, bool Group);
// The converter's own individual address as the parameter window stores it: missing parts
// take area 1, line 1, device 20; a text without "." is a number (default 4372), and the
// result is not masked, only cut to its low 16 bits.
uint16_t Get_KNX_Individual_Address(const String& Text);

// Hex digits into Count bytes, the first two digits first. A shorter text is padded with
// "0" on the left; a pair that is no hex number gives 0; digits beyond 2 x Count are
// ignored, so the field is never overrun.
void Hex_To_Bytes(const String& Text, uint8_t* Dest, int Count);
