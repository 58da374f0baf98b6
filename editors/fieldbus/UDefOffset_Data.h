#pragma once
// What the DeviceNet offset window works on, without the window: the slaves of the
// DeviceNet network (DNETM_Net.xml) with, for each of their input and output bytes, the
// place in the converter's data area ("None" or an offset 0 .. 1439) and a description;
// the check that no offset is used by two output bytes; and DNETM_DefOff.xml, which keeps
// the places slave by slave, by the slaves' positions in the network (not by node ID).
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"

namespace DefOffset {
constexpr int Text_Base = 3900;
constexpr int Offsets = 1440;                     // places of the data area, 0 .. 1439
constexpr const char* No_Offset = "None";
// The largest node ID and byte count a slave record holds.
constexpr long long Max_ID = 255;
constexpr long long Max_Bytes = 65535;
}  // namespace DefOffset

struct TSlave_DN {
    uint8_t ID = 0;
    uint16_t ByteIN = 0;
    uint16_t ByteOUT = 0;
    // One entry per byte: the offset text ("None" or a number) and the description.
    std::vector<String> SL_ByteIN, SL_ByteIN_M;
    std::vector<String> SL_ByteOUT, SL_ByteOUT_M;
};

// An entry of the check's table: the slave ID and byte index holding the offset, -1 free.
struct TByte_Offset_Use {
    int ID = -1;
    int Byte = -1;
};

class TDefOffset_Data {
public:
    // The slaves in the order of DNETM_Net.xml, and the texts the slave table shows for
    // each: ID, NB_IN, NB_OUT and Mnemonic as the file holds them.
    std::vector<TSlave_DN> List_Slaves_DN;
    std::vector<std::array<String, 4>> Slave_Texts;
    std::array<TByte_Offset_Use, DefOffset::Offsets> Check_Byte_Offset;

    void Clear();
    // One slave per child of the root, every byte "None" with no description. A row that
    // lacks an attribute, or whose ID (0 .. 255) or byte counts (0 .. 65535) are no whole
    // numbers in range, ends the loading with EXmlError; the slaves before it stay.
    void Load_Slave_DN(const TXMLDocument& Doc, const String& File);
    // The places of the slaves' bytes: child k of the root belongs to slave k; byte rows
    // beyond a slave's count and children beyond the slaves are left out. A Nodo_DNET
    // without ByteIN or ByteOUT, or a byte row without Offset or Mnemonic, ends the
    // loading with EXmlError; what was read before stays.
    void Load_Offset_Slave_DN(const TXMLDocument& Doc, const String& File);
    // Marks every offset free.
    void Reset_Array_Check();
    // No offset is taken by two output bytes (input bytes may share offsets). Offset
    // texts that are no whole number 0 .. 1439 ("None", or a hand-written value beyond
    // the list) take no place. The failure's text names both bytes.
    std::optional<String> Check_Data();
    // Makes Doc the file: the root, the version comment, one Nodo_DNET per slave with its
    // ByteIN and ByteOUT rows.
    void Save_Offset_Slave_DN(TXMLDocument& Doc) const;
};
