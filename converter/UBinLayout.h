#pragma once
// Layout of the configuration images and the builder that fills them. Internal to the
// converter library: callers use converter/UBinImages.h.
#include <array>
#include <cstdint>
#include <cstring>

#include "converter/UBinImages.h"

// ---------------------------------------------------------------------------------
// General block (bank1.bin). Offsets in bytes; integers little-endian.
//
//    0  4  250000           |  444  4  0x80000           | 1256  2  Ethernet flags (bit 0 DHCP)
//    4  4  250000           |  448  4  0x80000           | 1300 32  device name, zero-filled
//    8  4  0                |  452  4  0                 | 1340  4  secondary DNS (DNS on)
//   12  4  9600             |  456  4  KNX entries used  | 1420  4  primary DNS (DNS on)
//   40  4  IPv4 address     |  460  2  3671              | 1628  4  0x86000: LoRaWAN block
//   44  4  subnet mask      |  462  2  own KNX address   | 1644  8  version text (see below)
//   48  4  gateway          |  468  2  50000             | 2044  4  checksum
//   52  2  10000            |  470  2  50001             |
//   54  2  10001            |  472  2  50002             |
//   56  2  10001            |  420  4  19200  \ only with a
//  436  8  eight bytes of 8 |  435  1  1      / ParGen.xml
//
// Bytes 1644-1651 hold the version text of the program that built the image, ASCII,
// zero-filled. Like the other parameters that only a present ParGen.xml brings (19200 at
// 420, 1 at 435), it is written as the first step of reading ParGen.xml: a configuration
// without that file gets an image with no version text, whose checksum is the bare
// defaults' 4507. This is the one place that decides it.
// ---------------------------------------------------------------------------------
namespace Bank1_Ofs {
constexpr int Fixed_250000_A = 0;
constexpr int Fixed_250000_B = 4;
constexpr int Fixed_Zero_8 = 8;
constexpr int Fixed_9600 = 12;
constexpr int IP_Address = 40;
constexpr int Subnet_Mask = 44;
constexpr int Gateway = 48;
constexpr int Fixed_10000 = 52;
constexpr int Fixed_10001_A = 54;
constexpr int Fixed_10001_B = 56;
constexpr int Fixed_19200 = 420;
constexpr int Fixed_Zero_429 = 429;
constexpr int Fixed_One_435 = 435;
constexpr int Eight_Bytes_Of_8 = 436;
constexpr int Eighth_Byte_Of_8 = 441;
constexpr int KNX_Table_Address = 444;
constexpr int KNX_Table_Address_B = 448;
constexpr int KNX_Zero_452 = 452;
constexpr int KNX_Count = 456;
constexpr int KNX_Port = 460;
constexpr int KNX_Own_Address = 462;
constexpr int Fixed_50000 = 468;
constexpr int Fixed_50001 = 470;
constexpr int Fixed_50002 = 472;
constexpr int Ethernet_Flags = 1256;
constexpr int Device_Name = 1300;
constexpr int Device_Name_Size = 32;       // at most 31 characters and a zero
constexpr int Secondary_DNS = 1340;
constexpr int Primary_DNS = 1420;
constexpr int LoRaWAN_Block_Address = 1628;
constexpr int Version_Text = 1644;
constexpr int Version_Text_Size = 8;
constexpr int Checksum = 2044;
}   // namespace Bank1_Ofs

// The version text of bytes 1644-1651: the program's own version.
constexpr const char* Bin_Version_Text = "1.002";

// Device addresses: bank2.bin is written at 0x80000, so the KNX table lies there and the
// LoRaWAN block 24576 bytes later.
constexpr uint32_t KNX_Table_Device_Address = 0x80000;
constexpr uint32_t LoRaWAN_Block_Device_Address = 0x86000;
constexpr uint32_t Uplink_Table_Offset = 1024;     // from the LoRaWAN block's address
constexpr uint32_t Downlink_Table_Offset = 4096;

// ---------------------------------------------------------------------------------
// bank2.bin: the KNX table, then the LoRaWAN block.
// ---------------------------------------------------------------------------------
constexpr int KNX_Entries = 1024;
constexpr int KNX_Entry_Size = 24;
constexpr int LoRaWAN_Block_Offset = KNX_Entries * KNX_Entry_Size;   // 24576
constexpr int LoRaWAN_Block_Size = 8192;
constexpr int LoRaWAN_Entries = 256;
constexpr int LoRaWAN_Entry_Size = 12;
constexpr int LoRaWAN_Header_Size = 88;       // followed by zero bytes up to 1024
constexpr int LoRaWAN_Uplink_Offset = 1024;   // within the block
constexpr int LoRaWAN_Downlink_Offset = 4096;
static_assert(LoRaWAN_Block_Offset + LoRaWAN_Block_Size == Bank2_Size);
static_assert(LoRaWAN_Downlink_Offset + LoRaWAN_Entries * LoRaWAN_Entry_Size + 1024 == LoRaWAN_Block_Size);

// KNX entry flags
constexpr uint16_t KNX_Flag_On_Change = 0x0001;
constexpr uint16_t KNX_Flag_ReTest = 0x0002;
constexpr uint16_t KNX_Flag_On_Command = 0x0008;
constexpr uint16_t KNX_Flag_Extended = 0x0010;
constexpr uint16_t KNX_Flag_Group = 0x0020;
constexpr uint16_t KNX_Flag_Bit_Mode = 0x0040;

// One KNX entry, serialised field by field in this order (24 bytes).
struct TKNX_Entry {
    uint32_t Poll_Time = 0;       //  0
    uint32_t TimeOut = 0;         //  4
    uint8_t Priority = 0;         //  8
    uint8_t Length = 0;           //  9
    uint16_t Flags = 0;           // 10
    uint16_t APCI = 0;            // 12
    uint16_t Source = 0;          // 14
    uint16_t Destination = 0;     // 16
    uint16_t Position = 0;        // 18
    float Factor = 1.0f;          // 20, IEEE single
};

// LoRaWAN uplink flags
constexpr uint8_t LoRa_Flag_On_Change = 0x01;
constexpr uint8_t LoRa_Flag_On_CMD = 0x02;
constexpr uint8_t LoRa_Flag_On_Timer = 0x04;

// One uplink or downlink entry (12 bytes).
struct TLoRaWAN_Entry {
    uint16_t Start_Byte = 0;      // 0
    uint16_t Num_Byte = 0;        // 2
    uint8_t Flags = 0;            // 4, uplink only
    uint8_t FPort = 0;            // 5
                                  // 6-7 zero
    uint32_t Time = 0;            // 8, uplink only
};

// The LoRaWAN header (first 88 bytes of the block).
struct TLoRaWAN_Header {
    uint8_t Region = 0;               //  0
    uint8_t Network_Type = 0;         //  1
    uint8_t Activation = 0;           //  2
    uint8_t Data_Rate = 6;            //  3
    uint8_t Device_Address[4] = {};   //  4
    uint8_t JoinEUI[8] = {};          //  8
    uint8_t NwkSKey[16] = {};         // 16
    uint8_t AppSKey[16] = {};         // 32
    uint8_t AppKey[16] = {};          // 48
    uint8_t Adaptive_DataRate = 0;    // 64
    uint8_t Confirmed = 0;            // 65
    uint8_t Payload_Size = 1;         // 66
    uint8_t FPort_Mode = 0;           // 67: 1 variable
    uint32_t Transmit_Interval = 1;   // 68
    uint32_t Uplink_Address = 0;      // 72
    uint32_t Downlink_Address = 0;    // 76
    uint16_t Uplink_Count = 0;        // 80
    uint16_t Downlink_Count = 0;      // 82
    uint8_t SubBand = 0;              // 84
                                      // 85-87 zero
};

// ---------------------------------------------------------------------------------
// Little-endian stores
// ---------------------------------------------------------------------------------
inline void Put_U16(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void Put_U32(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
}
inline uint32_t Get_U32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void Put_Float(uint8_t* p, float f)
{
    uint32_t v;
    std::memcpy(&v, &f, sizeof v);
    Put_U32(p, v);
}

// ---------------------------------------------------------------------------------
// The builder: the images' state between the steps of one build.
// ---------------------------------------------------------------------------------
class TBin_Builder {
public:
    // Steps in the order of a build.
    void Init_Bank1_Default();
    void Init_LoRaWAN_Default();
    void Init_KNX_Table();
    void Set_Fixed_Ports();
    void Load_ParGen_For_Bin(const String& File);
    void Set_Device_Addresses();
    void Load_KNX_Access_For_Bin(const String& File);
    void Load_LoRaWAN_Access_For_Bin(const String& File, uint32_t Block_Address);
    void Copy_Bank1_With_Checksum(uint8_t* Image1) const;
    void Write_KNX_Table(uint8_t* Image2) const;
    void Write_LoRaWAN_Block(uint8_t* Image2) const;

    std::array<uint8_t, Bank1_Size> Bank1{};
    std::array<TKNX_Entry, KNX_Entries> KNX{};
    TLoRaWAN_Header LoRa;
    std::array<TLoRaWAN_Entry, LoRaWAN_Entries> Uplink{};
    std::array<TLoRaWAN_Entry, LoRaWAN_Entries> Downlink{};
};

// Rules shared by the readers.
String Upper_Trim(const String& Text);
// The root's section Name, or an EXmlError naming the file.
TXMLNode Bin_Section(const TXMLNode& Root, const char* Name, const String& File);
