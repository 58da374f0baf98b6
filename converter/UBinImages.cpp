// Building the configuration images: defaults, order of the steps, checksum, serialising
// and saving; the update step's pre-check.
#include <memory>

#include "converter/UBinLayout.h"
#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"

TBin_Images Bin_Images;

// ---------------------------------------------------------------------------------
// Shared rules
// ---------------------------------------------------------------------------------
String Upper_Trim(const String& Text) { return UpperCase(Trim(Text)); }

bool Is_Row_Taken(const TXMLNode& Row)
{
    return Upper_Trim(Row.AttributeDef("Enable", "Y")) == "Y";
}

TXMLNode Bin_Section(const TXMLNode& Root, const char* Name, const String& File)
{
    TXMLNode Section = Root ? Root.FindNode(Name) : TXMLNode();
    if (!Section)
        throw EXmlError(Format("The file \"%s\" has no section \"%s\"", {File, String(Name)}));
    return Section;
}

void Hex_To_Bytes(const String& Text, uint8_t* Dest, int Count)
{
    String Hex = Text;
    if (static_cast<int>(Hex.size()) < 2 * Count) Hex.insert(0, 2 * Count - Hex.size(), '0');
    for (int i = 0; i < Count && 2 * i < static_cast<int>(Hex.size()); ++i)
        Dest[i] = static_cast<uint8_t>(StrToIntDef("0x" + Hex.substr(2 * i, 2), 0));
}

// ---------------------------------------------------------------------------------
// Defaults
// ---------------------------------------------------------------------------------
void TBin_Builder::Init_Bank1_Default()
{
    using namespace Bank1_Ofs;
    Bank1.fill(0);
    uint8_t* b = Bank1.data();
    Put_U32(b + Fixed_250000_A, 250000);
    Put_U32(b + Fixed_250000_B, 250000);
    Put_U32(b + Fixed_Zero_8, 0);
    Put_U32(b + Fixed_9600, 9600);
    const uint8_t Ip[4] = {192, 168, 2, 205}, Mask[4] = {255, 255, 255, 0};
    std::memcpy(b + IP_Address, Ip, 4);
    std::memcpy(b + Subnet_Mask, Mask, 4);
    std::memset(b + Gateway, 255, 4);
    Put_U16(b + Fixed_10000, 10000);
    Put_U16(b + Fixed_10001_A, 10001);
    Put_U16(b + Fixed_10001_B, 10001);
    std::memset(b + Eight_Bytes_Of_8, 8, 8);
    Put_U32(b + KNX_Table_Address, KNX_Table_Device_Address);
    Put_U32(b + KNX_Table_Address_B, KNX_Table_Device_Address);
    Put_U16(b + KNX_Port, 3671);
    Put_U32(b + LoRaWAN_Block_Address, LoRaWAN_Block_Device_Address);
}

void TBin_Builder::Init_LoRaWAN_Default()
{
    LoRa = TLoRaWAN_Header();
    Uplink.fill(TLoRaWAN_Entry());
    Downlink.fill(TLoRaWAN_Entry());
}

void TBin_Builder::Init_KNX_Table() { KNX.fill(TKNX_Entry()); }

void TBin_Builder::Set_Fixed_Ports()
{
    Put_U16(Bank1.data() + Bank1_Ofs::KNX_Port, 3671);
    Put_U16(Bank1.data() + Bank1_Ofs::Fixed_50000, 50000);
    Put_U16(Bank1.data() + Bank1_Ofs::Fixed_50001, 50001);
    Put_U16(Bank1.data() + Bank1_Ofs::Fixed_50002, 50002);
}

void TBin_Builder::Set_Device_Addresses()
{
    Put_U32(Bank1.data() + Bank1_Ofs::KNX_Table_Address, KNX_Table_Device_Address);
    Put_U32(Bank1.data() + Bank1_Ofs::KNX_Table_Address_B, KNX_Table_Device_Address);
    Put_U32(Bank1.data() + Bank1_Ofs::LoRaWAN_Block_Address, LoRaWAN_Block_Device_Address);
}

// ---------------------------------------------------------------------------------
// Serialising
// ---------------------------------------------------------------------------------
void TBin_Builder::Copy_Bank1_With_Checksum(uint8_t* Image1) const
{
    uint32_t Sum = 0;
    for (int i = 0; i < Bank1_Ofs::Checksum; ++i) Sum += Bank1[i];
    std::memcpy(Image1, Bank1.data(), Bank1_Size);
    Put_U32(Image1 + Bank1_Ofs::Checksum, Sum);
}

void TBin_Builder::Write_KNX_Table(uint8_t* Image2) const
{
    uint8_t* p = Image2;
    for (const TKNX_Entry& e : KNX) {
        Put_U32(p + 0, e.Poll_Time);
        Put_U32(p + 4, e.TimeOut);
        p[8] = e.Priority;
        p[9] = e.Length;
        Put_U16(p + 10, e.Flags);
        Put_U16(p + 12, e.APCI);
        Put_U16(p + 14, e.Source);
        Put_U16(p + 16, e.Destination);
        Put_U16(p + 18, e.Position);
        Put_Float(p + 20, e.Factor);
        p += KNX_Entry_Size;
    }
}

static void Write_LoRaWAN_Table(uint8_t* p, const std::array<TLoRaWAN_Entry, LoRaWAN_Entries>& Table)
{
    for (const TLoRaWAN_Entry& e : Table) {
        Put_U16(p + 0, e.Start_Byte);
        Put_U16(p + 2, e.Num_Byte);
        p[4] = e.Flags;
        p[5] = e.FPort;
        p[6] = p[7] = 0;
        Put_U32(p + 8, e.Time);
        p += LoRaWAN_Entry_Size;
    }
}

void TBin_Builder::Write_LoRaWAN_Block(uint8_t* Image2) const
{
    uint8_t* b = Image2 + LoRaWAN_Block_Offset;
    std::memset(b, 0, LoRaWAN_Block_Size);
    b[0] = LoRa.Region;
    b[1] = LoRa.Network_Type;
    b[2] = LoRa.Activation;
    b[3] = LoRa.Data_Rate;
    std::memcpy(b + 4, LoRa.Device_Address, 4);
    std::memcpy(b + 8, LoRa.JoinEUI, 8);
    std::memcpy(b + 16, LoRa.NwkSKey, 16);
    std::memcpy(b + 32, LoRa.AppSKey, 16);
    std::memcpy(b + 48, LoRa.AppKey, 16);
    b[64] = LoRa.Adaptive_DataRate;
    b[65] = LoRa.Confirmed;
    b[66] = LoRa.Payload_Size;
    b[67] = LoRa.FPort_Mode;
    Put_U32(b + 68, LoRa.Transmit_Interval);
    Put_U32(b + 72, LoRa.Uplink_Address);
    Put_U32(b + 76, LoRa.Downlink_Address);
    Put_U16(b + 80, LoRa.Uplink_Count);
    Put_U16(b + 82, LoRa.Downlink_Count);
    b[84] = LoRa.SubBand;
    Write_LoRaWAN_Table(b + LoRaWAN_Uplink_Offset, Uplink);
    Write_LoRaWAN_Table(b + LoRaWAN_Downlink_Offset, Downlink);
}

// ---------------------------------------------------------------------------------
// A build
// ---------------------------------------------------------------------------------
TBin_Images Build_Bin_Images(const String& ParGen_File, const String& KNX_File,
                             const String& LoRaWAN_File)
{
    auto B = std::make_unique<TBin_Builder>();
    B->Init_Bank1_Default();
    B->Init_LoRaWAN_Default();
    B->Init_KNX_Table();
    B->Set_Fixed_Ports();
    B->Load_ParGen_For_Bin(ParGen_File);
    B->Set_Device_Addresses();
    B->Load_KNX_Access_For_Bin(KNX_File);
    B->Load_LoRaWAN_Access_For_Bin(LoRaWAN_File, Get_U32(B->Bank1.data() + Bank1_Ofs::LoRaWAN_Block_Address));

    TBin_Images Images;
    Images.Bank1.assign(Bank1_Size, 0);
    Images.Bank2.assign(Bank2_Size, 0);
    B->Copy_Bank1_With_Checksum(Images.Bank1.data());
    B->Write_KNX_Table(Images.Bank2.data());
    B->Write_LoRaWAN_Block(Images.Bank2.data());
    return Images;
}

void Build_Bin_Images()
{
    Bin_Images = Build_Bin_Images(FileName_ParGen, FileName_KNX_SetAccess, FileName_LoRaWAN_SetAccess);
}

// ---------------------------------------------------------------------------------
// Saving
// ---------------------------------------------------------------------------------
static std::string_view Bytes_Of(const std::vector<uint8_t>& v)
{
    return {reinterpret_cast<const char*>(v.data()), v.size()};
}

void Save_Bin_Files(const TBin_Images& Images, const String& Bin_Folder)
{
    if (Images.Bank1.size() != Bank1_Size || Images.Bank2.size() != Bank2_Size)
        throw EInvalidArgument("The configuration images have not been built");
    ForceDirectories(Bin_Folder);   // a failure shows up as the write's own error
    const String File1 = PathJoin(Bin_Folder, "bank1.bin");
    const String File2 = PathJoin(Bin_Folder, "bank2.bin");

    // The two images belong together: keep the old bank1.bin to put it back when
    // bank2.bin cannot be written.
    const bool Had_Old1 = FileExists(File1);
    const std::string Old1 = Had_Old1 ? ReadFileBytes(File1) : std::string();

    WriteFileAtomic(File1, Bytes_Of(Images.Bank1));
    try {
        WriteFileAtomic(File2, Bytes_Of(Images.Bank2));
    } catch (...) {
        try {
            if (Had_Old1) WriteFileAtomic(File1, Old1);
            else DeleteFile(File1);
        } catch (...) {
            // The first error is the one to report.
        }
        throw;
    }
}

void Save_Bin_Files()
{
    if (Bin_Images.Bank1.empty())
        throw EInvalidOperation("The configuration images have not been built");
    if (Project_Path.empty()) throw EInvalidOperation("No configuration is open");
    Save_Bin_Files(Bin_Images, PathJoin(Project_Path, "bin"));
}

// ---------------------------------------------------------------------------------
// Pre-check of the update step
// ---------------------------------------------------------------------------------
bool Check_Config_LoraWAN(const String& ParGen_File, const String& LoRaWAN_File)
{
    int Payload = 0;
    if (FileExists(ParGen_File)) {
        TXMLDocument Doc;
        Doc.LoadFromFile(ParGen_File);
        TXMLNode Root = Doc.DocumentElement();
        TXMLNode Key = Root ? Root.FindNode("LoRa_Payload_Size") : TXMLNode();
        if (Key) Payload = StrToIntDef(Key.Text(), 0);
    }
    if (!FileExists(LoRaWAN_File)) return true;

    TXMLDocument Doc;
    Doc.LoadFromFile(LoRaWAN_File);
    TXMLNode Uplinks = Bin_Section(Doc.DocumentElement(), "LoRaWAN_Uplink", LoRaWAN_File);
    for (const TXMLNode& Row : Uplinks.ChildNodes()) {
        if (!Is_Row_Taken(Row)) continue;
        const int Num_Byte = StrToIntDef(Row.AttributeDef("NumByte", ""), -1);
        // Computed wide: a payload size of -2147483648 in the file must not overflow.
        if (Num_Byte < 0 || Num_Byte > static_cast<long long>(Payload) - 2) return false;
    }
    return true;
}

bool Check_Config_LoraWAN() { return Check_Config_LoraWAN(FileName_ParGen, FileName_LoRaWAN_SetAccess); }
