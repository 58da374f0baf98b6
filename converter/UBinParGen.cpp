// Image fields from ParGen.xml (general block and LoRaWAN header) and the uplink and
// downlink tables from LoRaWAN_SetAccess.xml.
#include "converter/UBinLayout.h"
#include "platform/os/Files.h"
#include "platform/rtl/Unicode.h"
#include "platform/xml/XMLDoc.h"

namespace {

// The keys of ParGen.xml, each read on its own: a missing element gives the key's default.
class TParGen_Keys {
public:
    explicit TParGen_Keys(const TXMLNode& Root) : FRoot(Root) {}

    bool Text(const char* Key, String& Value) const
    {
        TXMLNode Node = FRoot ? FRoot.FindNode(Key) : TXMLNode();
        if (!Node) return false;
        Value = Node.Text();
        return true;
    }
    // An element with empty text reads like one that is no number.
    int Int(const char* Key, int Def) const
    {
        String Value;
        return Text(Key, Value) ? StrToIntDef(Value, Def) : Def;
    }
    bool Equals(const char* Key, const char* Exact) const
    {
        String Value;
        return Text(Key, Value) && Value == Exact;
    }
    String Upper_Trimmed(const char* Key) const
    {
        String Value;
        return Text(Key, Value) ? Upper_Trim(Value) : String();
    }
    // Four octets from Key1 .. Key4, each stored by its low byte.
    void Octets(const char* Key, const uint8_t (&Def)[4], uint8_t* Dest) const
    {
        for (int i = 0; i < 4; ++i)
            Dest[i] = static_cast<uint8_t>(Int((String(Key) + IntToStr(i + 1)).c_str(), Def[i]));
    }
    void Hex(const char* Key, uint8_t* Dest, int Count) const
    {
        String Value;
        Hex_To_Bytes(Text(Key, Value) ? Value : String(), Dest, Count);
    }

private:
    TXMLNode FRoot;
};

uint8_t Get_LoRa_Region(const String& Band)
{
    static const struct {
        const char* Name;
        uint8_t Code;
    } Regions[] = {{"AS923", 0}, {"AU915", 1}, {"EU868", 5}, {"KR920", 6},
                   {"IN865", 7}, {"US915", 8}, {"US915-HYBRID", 9}};
    for (const auto& r : Regions)
        if (Band == r.Name) return r.Code;
    return 0;
}

// The data-rate number at the start of a data-rate item ("3 -\tLoRa: SF9/125kHz ...").
uint8_t Data_Rate_Number(const String& Item)
{
    const auto Dash = Item.find('-');
    if (Dash == String::npos) return 0;
    return static_cast<uint8_t>(StrToIntDef(Trim(Item.substr(0, Dash)), 0));
}

}   // namespace

uint16_t Get_KNX_Individual_Address(const String& Text)
{
    const auto Dot = Text.find('.');
    if (Dot == String::npos) return static_cast<uint16_t>(StrToIntDef(Text, 4372));
    const String Area = Trim(Text.substr(0, Dot));
    const String Rest = Text.substr(Dot + 1);
    const auto Dot2 = Rest.find('.');
    const String Line = Dot2 == String::npos ? String() : Trim(Rest.substr(0, Dot2));
    const String Device = Trim(Dot2 == String::npos ? Rest : Rest.substr(Dot2 + 1));
    const long long Value = StrToIntDef(Area, 1) * 4096LL + StrToIntDef(Line, 1) * 256LL + StrToIntDef(Device, 20);
    return static_cast<uint16_t>(Value);
}

void TBin_Builder::Load_ParGen_For_Bin(const String& File)
{
    using namespace Bank1_Ofs;
    if (!FileExists(File)) return;
    TXMLDocument Doc;
    Doc.LoadFromFile(File);
    const TParGen_Keys Keys(Doc.DocumentElement());
    uint8_t* b = Bank1.data();

    // 1. The version text of the program that built the image (see UBinLayout.h).
    std::memset(b + Version_Text, 0, Version_Text_Size);
    std::memcpy(b + Version_Text, Bin_Version_Text, std::strlen(Bin_Version_Text));

    // 2. Device name: one byte per UTF-16 code unit (its low byte), at most 31, zero-ended.
    String Name;
    const std::u16string Units = Keys.Text("Eth_Conn_Device_Name", Name) ? Utf8ToUtf16(Name) : std::u16string();
    std::memset(b + Device_Name, 0, Device_Name_Size);
    for (size_t i = 0; i < Units.size() && i < Device_Name_Size - 1; ++i)
        b[Device_Name + i] = static_cast<uint8_t>(Units[i] & 0xFF);

    // 3-6. DHCP on the cable port; DNS servers only while DNS is enabled.
    Put_U16(b + Ethernet_Flags, Keys.Equals("Eth_Conn_DHCP_Cable", "1") ? 1 : 0);
    if (Keys.Equals("Eth_Conn_Enable_DNS", "1")) {
        Keys.Octets("Eth_Conn_Primary_DNS", {8, 8, 8, 8}, b + Primary_DNS);
        Keys.Octets("Eth_Conn_Secondary_DNS", {8, 8, 4, 4}, b + Secondary_DNS);
    }

    // 7-18. LoRaWAN header.
    LoRa.Region = Get_LoRa_Region(Keys.Upper_Trimmed("LoRa_RF_Band"));
    LoRa.Network_Type = Keys.Upper_Trimmed("LoRa_Network_Type") == "PUBLIC" ? 1 : 0;
    LoRa.Adaptive_DataRate = static_cast<uint8_t>(Keys.Int("LoRa_Adaptive_DataRate", 0));
    String Item;
    LoRa.Data_Rate = Keys.Text("LoRa_DataRate", Item) ? Data_Rate_Number(Item) : 0;
    LoRa.Confirmed = Keys.Equals("LoRa_Transmission_Type", "Confirmed") ? 1 : 0;
    LoRa.Payload_Size = static_cast<uint8_t>(Keys.Int("LoRa_Payload_Size", 1));
    Keys.Hex("LoRa_JoinEUI", LoRa.JoinEUI, 8);
    LoRa.Transmit_Interval = static_cast<uint32_t>(Keys.Int("LoRa_Transmit_Interval", 1));
    LoRa.Activation = Keys.Upper_Trimmed("LoRa_Activation_Method") == "OVER-THE-AIR ACTIVATION [OTAA]" ? 1 : 0;
    if (LoRa.Activation == 1) {
        Keys.Hex("LoRa_Application_Key", LoRa.AppKey, 16);
    } else {
        Keys.Hex("LoRa_Device_Address", LoRa.Device_Address, 4);
        Keys.Hex("LoRa_Network_Session_Key", LoRa.NwkSKey, 16);
        Keys.Hex("LoRa_Application_Session_Key", LoRa.AppSKey, 16);
    }
    if (Keys.Upper_Trimmed("LoRa_FPort") == "VARIABLE") LoRa.FPort_Mode = 1;
    LoRa.SubBand = static_cast<uint8_t>(Keys.Int("LoRa_Frequency_SubBand", 1));

    // 19. Fixed parameters that come with a parameter file.
    Put_U32(b + Fixed_19200, 19200);
    b[Fixed_Zero_429] = 0;
    b[Fixed_One_435] = 1;
    b[Eighth_Byte_Of_8] = 8;

    // 20-23. Ethernet; without the gateway switched on the gateway is 255.255.255.255.
    Keys.Octets("Ethernet_IP", {192, 168, 0, 10}, b + IP_Address);
    Keys.Octets("Ethernet_SM", {255, 255, 255, 0}, b + Subnet_Mask);
    Keys.Octets("Ethernet_GAT", {192, 168, 0, 1}, b + Gateway);
    if (!Keys.Equals("Ethernet_EN_GAT", "1")) std::memset(b + Gateway, 255, 4);

    // 24. The converter's own KNX address.
    String Own;
    Put_U16(b + KNX_Own_Address, Keys.Text("KNX_ID_DEV", Own) ? Get_KNX_Individual_Address(Own) : 4552);
}

void TBin_Builder::Load_LoRaWAN_Access_For_Bin(const String& File, uint32_t Block_Address)
{
    LoRa.Uplink_Address = Block_Address + Uplink_Table_Offset;
    LoRa.Downlink_Address = Block_Address + Downlink_Table_Offset;
    LoRa.Uplink_Count = 0;
    LoRa.Downlink_Count = 0;
    if (!FileExists(File)) return;
    TXMLDocument Doc;
    Doc.LoadFromFile(File);
    const TXMLNode Root = Doc.DocumentElement();

    auto FPort_Of = [&](const TXMLNode& Row) -> uint8_t {
        return LoRa.FPort_Mode == 1 ? static_cast<uint8_t>(StrToIntDef(Row.AttributeDef("FPort", ""), 2)) : 2;
    };
    auto Flag = [](const TXMLNode& Row, const char* Name, uint8_t Bit) -> uint8_t {
        return UpperCase(Row.AttributeDef(Name, "")) == "Y" ? Bit : 0;
    };

    // Rows beyond the 256 entries of a table are left out (the editor never writes more).
    const TXMLNode Uplinks = Bin_Section(Root, "LoRaWAN_Uplink", File);
    for (const TXMLNode& Row : Uplinks.ChildNodes()) {
        if (!Is_Row_Taken(Row)) continue;
        if (LoRa.Uplink_Count >= LoRaWAN_Entries) break;
        TLoRaWAN_Entry& e = Uplink[LoRa.Uplink_Count++];
        e.Start_Byte = static_cast<uint16_t>(StrToIntDef(Row.AttributeDef("StartByte", ""), 0));
        e.Num_Byte = static_cast<uint16_t>(StrToIntDef(Row.AttributeDef("NumByte", ""), 0));
        e.Flags = Flag(Row, "OnChange", LoRa_Flag_On_Change) | Flag(Row, "OnCMD", LoRa_Flag_On_CMD) |
                  Flag(Row, "OnTimer", LoRa_Flag_On_Timer);
        e.Time = static_cast<uint32_t>(StrToIntDef(Row.AttributeDef("Time", ""), 30));
        e.FPort = FPort_Of(Row);
    }

    const TXMLNode Downlinks = Bin_Section(Root, "LoRaWAN_Downlink", File);
    for (const TXMLNode& Row : Downlinks.ChildNodes()) {
        if (!Is_Row_Taken(Row)) continue;
        if (LoRa.Downlink_Count >= LoRaWAN_Entries) break;
        TLoRaWAN_Entry& e = Downlink[LoRa.Downlink_Count++];
        e.Start_Byte = static_cast<uint16_t>(StrToIntDef(Row.AttributeDef("StartByte", ""), 0));
        e.Num_Byte = static_cast<uint16_t>(StrToIntDef(Row.AttributeDef("NumByte", ""), 0));
        e.FPort = FPort_Of(Row);
    }
}
