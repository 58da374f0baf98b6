#pragma once
// The CANopen electronic data sheet (EDS 4.0) of the converter's CANopen slave side: the
// fixed communication objects, the receive and transmit PDOs of PDO_CANopen.xml with
// their mapping and data objects, and the SDO server objects of SDO_Server_CANopen.xml.
// It replaces an existing file without asking.
#include <cstdint>
#include <vector>

#include "platform/rtl/SysUtils.h"

constexpr int EDS_Max_PDO = 30;

struct TPDO_Entry {
    int COB_ID = 0;
    int Dimension = 0;   // data bytes
};

struct SDO_Sub_Type {
    uint8_t Sub = 0;
    uint8_t Quantity = 0;   // bytes: 1, 2 or 4
    bool Readonly = false;  // from the read section
    String Mnemonic;        // never read from the file
};

struct SDO_Index {
    uint16_t Index = 0;
    std::vector<SDO_Sub_Type> Sub_Indexs;
};

// The tables of one generation.
extern TPDO_Entry EDS_Receive_PDO[EDS_Max_PDO];
extern TPDO_Entry EDS_Transmit_PDO[EDS_Max_PDO];
extern int EDS_Receive_Count;
extern int EDS_Transmit_Count;
extern std::vector<SDO_Index> EDS_SDO_Table;

// One generation: reads both files and writes FileName. Raises, writing nothing, when a
// present file lacks a section or a row an attribute, or when an SDO number is not one
// or lies outside what the dictionary can address (index 0..0xFFFF, sub-index 0..255),
// or a PDO's count of data bytes lies outside 0..255.
void Build_CANopen_EDS(const String& FileName);
void Load_PDO_Table();
void Load_SDO_Server_Table();
int Find_SDO_Index(int Index);
void Sort_SDO_Sub_Indexs();
