#include "devdesc/eds/UEds.h"

#include "devdesc/UDevDescFile.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"

TPDO_Entry EDS_Receive_PDO[EDS_Max_PDO];
TPDO_Entry EDS_Transmit_PDO[EDS_Max_PDO];
int EDS_Receive_Count = 0;
int EDS_Transmit_Count = 0;
std::vector<SDO_Index> EDS_SDO_Table;

namespace {

const char* const Description = "NMEA_Send_Frames / CANopen - Converter";

// Names of the sub-entries of the PDO data objects, one per PDO position.
const char* const Receive_Names[EDS_Max_PDO] = {"b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",
                                                "aa", "ab", "ac", "ad", "ae", "af", "ag", "ah", "ai", "al",
                                                "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
const char* const Transmit_Names[EDS_Max_PDO] = {"l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",
                                                 "ca", "cb", "cc", "cd", "ce", "cf", "cg", "ch", "ci", "cl",
                                                 "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

String Hex4(int v) { return IntToHex(unsigned(v), 4); }
String Hex2(int v) { return IntToHex(unsigned(v), 2); }
String Sub_Hex(int v) { return IntToHex(unsigned(v), 1); }

int Load_PDO_Section(const TXMLNode& Section, TPDO_Entry* Entries)
{
    int n = 0;
    for (const TXMLNode& Row : Section.ChildNodes()) {
        if (n == EDS_Max_PDO) break;
        const int COB_ID = StrToIntDef(Row.Attribute("COB-ID"), 0);
        const int Dimension = StrToIntDef(Row.Attribute("Dimension"), 8);
        // Mapping entries are sub-indexes of the data object and their count is an 8-bit
        // entry: outside 0..255 they could not be addressed and the numbers written for
        // them would name other entries.
        if (Dimension < 0 || Dimension > 255)
            throw EConvertError("PDO " + IntToStr(n + 1) + ": " + IntToStr(Dimension) + " data bytes cannot be mapped");
        Entries[n++] = {COB_ID, Dimension};
    }
    return n;
}

// An SDO number as the dictionary holds it; a value beyond the field would otherwise
// name another object in the file.
int SDO_Number(const TXMLNode& Row, const char* Name, int Max)
{
    const String Text = Row.Attribute(Name);
    const int v = StrToInt(Text);
    if (v < 0 || v > Max)
        throw EConvertError("SDO " + String(Name) + " " + Text + " lies outside 0.." + IntToStr(Max));
    return v;
}

void Load_SDO_Section(const TXMLNode& Section, bool Readonly)
{
    for (const TXMLNode& Row : Section.ChildNodes()) {
        const int Index = SDO_Number(Row, "Index", 0xFFFF);
        const int Sub = SDO_Number(Row, "SubIndex", 0xFF);
        const int NByte = StrToInt(Row.Attribute("NByte"));
        int at = Find_SDO_Index(Index);
        if (at < 0) {
            EDS_SDO_Table.push_back({uint16_t(Index), {}});
            at = int(EDS_SDO_Table.size()) - 1;
        }
        auto& Subs = EDS_SDO_Table[size_t(at)].Sub_Indexs;
        // A sub-index configured twice is one entry of the dictionary: the first row
        // describes it, a second section of the same name would make the file invalid.
        bool Known = false;
        for (const SDO_Sub_Type& s : Subs) Known = Known || s.Sub == Sub;
        // Sizes other than 1 and 2 bytes are described as 4-byte entries; a count kept
        // in 8 bits as read would make 257 bytes one.
        const uint8_t Quantity = NByte == 1 || NByte == 2 ? uint8_t(NByte) : 4;
        if (!Known) Subs.push_back({uint8_t(Sub), Quantity, Readonly, String()});
    }
}

struct TLines {
    std::vector<String> L;
    TLines& operator<<(const String& s) { L.push_back(s); return *this; }
    void Add(std::initializer_list<const char*> Items) { for (const char* s : Items) L.emplace_back(s); }
};

// A variable's lines after its ParameterName.
void Variable(TLines& o, const char* DataType, const char* Access, const String& Default, bool Empty_After = true)
{
    o << "ObjectType=0x07" << String("DataType=") + DataType << String("AccessType=") + Access;
    if (!Default.empty()) o << "DefaultValue=" + Default;
    o << "PDOMapping=0";
    if (Empty_After) o << "";
}

void Fixed_Objects(TLines& o)
{
    o << "[1000]" << "ParameterName=Device Type";
    Variable(o, "0x0007", "const", "0x000101A4");
    o << "[1001]" << "ParameterName=Error Register";
    Variable(o, "0x0005", "ro", "0x00");
    o << "[1005]" << "ParameterName=COB-ID SYNC";
    Variable(o, "0x0007", "rw", "0x80000080");
    o << "[1006]" << "ParameterName=Communication Cycle Period";
    Variable(o, "0x0007", "rw", "0x00000000");
    o << "[1008]" << "ParameterName=Manufacturer Device Name";
    Variable(o, "0x0009", "const", "s1");
    o << "[1014]" << "ParameterName=COB-ID EMCY";
    Variable(o, "0x0007", "ro", "$NODEID+0x80");
    o.Add({"[1016]", "SubNumber=3", "ParameterName=Heartbeat Consumer Entries", "ObjectType=0x08", ""});
    o << "[1016sub0]" << "ParameterName=Number of Entries";
    Variable(o, "0x0005", "ro", "0x02");
    o << "[1016sub1]" << "ParameterName=Consumer Heartbeat Time 1";
    Variable(o, "0x0007", "rw", "0x00000000");
    o << "[1016sub2]" << "ParameterName=Consumer Heartbeat Time 2";
    Variable(o, "0x0007", "rw", "0x00000000");
    o << "[1017]" << "ParameterName=Producer Heartbeat Time";
    Variable(o, "0x0006", "rw", "0x000003E8");
    o.Add({"[1018]", "SubNumber=5", "ParameterName=Identity Object", "ObjectType=0x09", ""});
    o << "[1018sub0]" << "ParameterName=number of entries";
    Variable(o, "0x0005", "ro", "0x4");
    o << "[1018sub1]" << "ParameterName=Vendor Id";
    Variable(o, "0x0007", "ro", "");
    o << "[1018sub2]" << "ParameterName=Product Code";
    Variable(o, "0x0007", "ro", "");
    o << "[1018sub3]" << "ParameterName=Revision number";
    Variable(o, "0x0007", "ro", "");
    o << "[1018sub4]" << "ParameterName=Serial number";
    Variable(o, "0x0007", "ro", "");
    o.Add({"[1029]", "SubNumber=2", "ParameterName=Error Behaviour", "ObjectType=0x08", ""});
    o << "[1029sub0]" << "ParameterName=Number of Entries";
    Variable(o, "0x0005", "ro", "1");
    o << "[1029sub1]" << "ParameterName=Communication Error";
    Variable(o, "0x0005", "rw", "0x0");
    o.Add({"[1280]", "SubNumber=4", "ParameterName=Client SDO Parameter 1", "ObjectType=0x09", ""});
    o << "[1280sub0]" << "ParameterName=Number of Entries";
    Variable(o, "0x0005", "ro", "0x03");
    o << "[1280sub1]" << "ParameterName=COB-ID Client -> Server";
    Variable(o, "0x0007", "rw", "");
    o << "[1280sub2]" << "ParameterName=COB-ID Server -> Client";
    Variable(o, "0x0007", "rw", "");
    o << "[1280sub3]" << "ParameterName=Node ID of the SDO Server";
    Variable(o, "0x0005", "rw", "", false);
}

void Communication_Parameter(TLines& o, int Object, const String& Name, int COB_ID)
{
    const String H = Hex4(Object);
    o << "[" + H + "]" << "SubNumber=4" << "ParameterName=" + Name << "ObjectType=0x09" << "";
    o << "[" + H + "sub0]" << "ParameterName=Number of Entries";
    Variable(o, "0x0005", "ro", "0x03");
    o << "[" + H + "sub1]" << "ParameterName=COB-ID";
    Variable(o, "0x0007", "rw", "0x" + IntToHex(unsigned(COB_ID), 8));
    o << "[" + H + "sub2]" << "ParameterName=Transmission Type";
    Variable(o, "0x0005", "rw", "0xFE");
    o << "[" + H + "sub3]" << "ParameterName=Inhibit Time";
    Variable(o, "0x0006", "rw", "0x0");
}

void Mapping_Parameter(TLines& o, int Object, const String& Name, int D, int Data_Object)
{
    const String H = Hex4(Object);
    o << "[" + H + "]" << "SubNumber=" + IntToStr(D + 1) << "ParameterName=" + Name << "ObjectType=0x09" << "";
    o << "[" + H + "sub0]" << "ParameterName=Number of Entries";
    Variable(o, "0x0005", "ro", "0x" + Hex2(D));
    for (int j = 1; j <= D; ++j) {
        o << "[" + H + "sub" + Sub_Hex(j) + "]" << "ParameterName=Mapping Entry " + IntToStr(j);
        Variable(o, "0x0007", "ro", "0x" + Hex4(Data_Object) + Hex2(j) + "08");
    }
}

void Data_Object(TLines& o, int Object, const String& Name, int D, const char* Letter, const char* Count_Access,
                 const char* Entry_Access)
{
    const String H = Hex4(Object);
    o << "[" + H + "]" << "SubNumber=" + IntToStr(D + 1) << "ParameterName=" + Name << "ObjectType=0x08" << "";
    o << "[" + H + "sub0]" << "ParameterName=Number of Entries";
    Variable(o, "0x0005", Count_Access, "0x" + Hex2(D));
    for (int j = 1; j <= D; ++j) {
        o << "[" + H + "sub" + Sub_Hex(j) + "]" << "ParameterName=" + String(Letter) + IntToStr(j)
          << "ObjectType=0x07" << "DataType=0x0005" << String("AccessType=") + Entry_Access << "DefaultValue=0x00"
          << "PDOMapping=1" << "";
    }
}

void SDO_Objects(TLines& o)
{
    for (const SDO_Index& x : EDS_SDO_Table) {
        const String H = Hex4(x.Index);
        const int S = int(x.Sub_Indexs.size());
        const int F = S ? x.Sub_Indexs.front().Sub : 0;
        o << "[" + H + "]" << "SubNumber=" + IntToStr(F != 0 ? S + 1 : S) << "ParameterName=App Vars"
          << "ObjectType=0x9" << "";
        if (F != 0)
            o << "[" + H + "sub0]" << "ParameterName=Largest Sub-Index supported" << "ObjectType=0x7"
              << "DataType=0x0005" << "AccessType=ro" << "DefaultValue=0x" + Hex2(x.Sub_Indexs.back().Sub)
              << "PDOMapping=0" << "";
        for (const SDO_Sub_Type& s : x.Sub_Indexs) {
            o << "[" + H + "sub" + Sub_Hex(s.Sub) + "]" << "ParameterName=Application Variable" << "ObjectType=0x7";
            if (s.Quantity == 1)
                o.Add({"DataType=0x0005", "LowLimit=0x00", "HighLimit=0xFF", "DefaultValue=0x00"});
            else if (s.Quantity == 2)
                o.Add({"DataType=0x0006", "LowLimit=0x0000", "HighLimit=0xFFFF", "DefaultValue=0x0000"});
            else
                o.Add({"DataType=0x0007", "LowLimit=0x00000000", "HighLimit=0xFFFFFFFF", "DefaultValue=0x00000000"});
            o << (s.Readonly ? "AccessType=ro" : "AccessType=rw") << "PDOMapping=0" << "";
        }
    }
}

// Whether the file describes an object of this index itself: the fixed communication
// objects and those of the configured PDOs.
bool Own_Object(int Index, int Rx, int Tx)
{
    static const int Fixed[] = {0x1000, 0x1001, 0x1005, 0x1006, 0x1008, 0x1014,
                                0x1016, 0x1017, 0x1018, 0x1029, 0x1280};
    for (int f : Fixed)
        if (Index == f) return true;
    const auto in = [Index](int Base, int Count) { return Index >= Base && Index < Base + Count; };
    return in(0x1400, Rx) || in(0x1600, Rx) || in(0x1800, Tx) || in(0x1A00, Tx) || in(0x7000, Rx) ||
           in(0x7050, Tx);
}

}  // namespace

void Load_PDO_Table()
{
    EDS_Receive_Count = 0;
    EDS_Transmit_Count = 0;
    if (!FileExists(FileName_PDO_CANopen)) return;
    TXMLDocument& XML = Shared_XML();
    XML.LoadFromFile(FileName_PDO_CANopen);
    const TXMLNode Root = XML.DocumentElement();
    const TXMLNode Receive = Root.ChildNode("Receive_PDO");
    const TXMLNode Transmit = Root.ChildNode("Transmit_PDO");
    EDS_Receive_Count = Load_PDO_Section(Receive, EDS_Receive_PDO);
    EDS_Transmit_Count = Load_PDO_Section(Transmit, EDS_Transmit_PDO);
}

void Load_SDO_Server_Table()
{
    if (!FileExists(FileName_SDO_Server_CANopen)) return;
    TXMLDocument& XML = Shared_XML();
    XML.LoadFromFile(FileName_SDO_Server_CANopen);
    const TXMLNode Root = XML.DocumentElement();
    const TXMLNode Read = Root.ChildNode("SDO_Read");
    const TXMLNode Write = Root.ChildNode("SDO_Write");
    Load_SDO_Section(Read, true);
    Load_SDO_Section(Write, false);
}

int Find_SDO_Index(int Index)
{
    for (size_t i = 0; i < EDS_SDO_Table.size(); ++i)
        if (EDS_SDO_Table[i].Index == Index) return int(i);
    return -1;
}

void Sort_SDO_Sub_Indexs()
{
    for (SDO_Index& x : EDS_SDO_Table) {
        auto& s = x.Sub_Indexs;
        for (bool swapped = true; swapped;) {
            swapped = false;
            for (size_t i = 1; i < s.size(); ++i)
                if (s[i].Sub < s[i - 1].Sub) {
                    std::swap(s[i], s[i - 1]);
                    swapped = true;
                }
        }
    }
}

void Build_CANopen_EDS(const String& FileName)
{
    EDS_SDO_Table.clear();
    Load_PDO_Table();
    Load_SDO_Server_Table();
    Sort_SDO_Sub_Indexs();
    // An application variable at the index of an object the file describes would give the
    // dictionary two sections of one name, which no master can read.
    for (const SDO_Index& x : EDS_SDO_Table)
        if (Own_Object(x.Index, EDS_Receive_Count, EDS_Transmit_Count))
            throw EConvertError("SDO Index 0x" + Hex4(x.Index) + " is an object of the device itself");

    int Year, Month, Day, Hour, Minute, Second, MSec;
    const TDateTime Now = Description_Now();
    DecodeDate(Now, Year, Month, Day);
    DecodeTime(Now, Hour, Minute, Second, MSec);
    const String DATE = Format("%.2d-%.2d-%d", {Month, Day, Year});
    const int Hour12 = Hour % 12 == 0 ? 12 : Hour % 12;
    const String TIME = Format("%.2d:%.2d", {Hour12, Minute}) + (Hour < 12 ? "AM" : "PM");

    const int Rx = EDS_Receive_Count, Tx = EDS_Transmit_Count;
    TLines o;
    o.Add({"[FileInfo]", "FileName=NMEA_Send_Frames_CANopen.eds", "FileVersion=1", "FileRevision=0", "EDSVersion=4.0"});
    o << String("Description=") + Description << "CreationTime=" + TIME << "CreationDate=" + DATE
      << "CreatedBy=Zodudo" << "ModificationTime=" + TIME << "ModificationDate=" + DATE << "ModifiedBy=Zodudo" << "";
    o.Add({"[DeviceInfo]", "VendorName=Zodudo", "VendorNumber=0x00"});
    o << String("ProductName=") + Description;
    o.Add({"ProductNumber=R02", "RevisionNumber=0x0", "OrderCode=KG41R02", "BaudRate_10=1", "BaudRate_20=1",
           "BaudRate_50=1", "BaudRate_125=1", "BaudRate_250=1", "BaudRate_500=1", "BaudRate_800=0",
           "BaudRate_1000=1", "DynamicChannelsSupported=0", "GroupMessaging=0", "LSS_Supported=0", "Granularity=0",
           "SimpleBootUpSlave=1", "SimpleBootUpMaster=0"});
    o << "NrOfRXPDO=" + IntToStr(Rx) << "NrOfTXPDO=" + IntToStr(Tx) << "";
    o.Add({"[Comments]", "Lines=0", "", "[DummyUsage]"});
    for (int i = 1; i <= 7; ++i) o << "Dummy000" + IntToStr(i) + "=0";
    o.Add({"", "[MandatoryObjects]", "SupportedObjects=3", "1=0x1000", "2=0x1001", "3=0x1018", "",
           "[OptionalObjects]"});
    o << "SupportedObjects=" + IntToStr(8 + 3 * Rx + 3 * Tx);
    o.Add({"1=0x1005", "2=0x1006", "3=0x1008", "4=0x1014", "5=0x1016", "6=0x1017", "7=0x1029", "8=0x1280"});
    int Number = 9;
    const auto declare = [&](int Base, int Count) {
        for (int k = 0; k < Count; ++k) o << IntToStr(Number++) + "=0x" + Hex4(Base + k);
    };
    declare(0x1400, Rx);
    declare(0x1600, Rx);
    declare(0x1800, Tx);
    declare(0x1A00, Tx);
    declare(0x7000, Rx);
    declare(0x7050, Tx);
    o << "" << "[ManufacturerObjects]" << "SupportedObjects=" + IntToStr(int(EDS_SDO_Table.size()));
    for (size_t i = 0; i < EDS_SDO_Table.size(); ++i) o << IntToStr(int(i) + 1) + "=0x" + Hex4(EDS_SDO_Table[i].Index);
    o << "";
    Fixed_Objects(o);
    for (int k = 0; k < Rx; ++k)
        Communication_Parameter(o, 0x1400 + k, "Receive PDO Communication Parameter " + IntToStr(k + 1),
                                EDS_Receive_PDO[k].COB_ID);
    for (int k = 0; k < Rx; ++k)
        Mapping_Parameter(o, 0x1600 + k, "Receive PDO Mapping Parameter", EDS_Receive_PDO[k].Dimension, 0x7000 + k);
    for (int k = 0; k < Tx; ++k)
        Communication_Parameter(o, 0x1800 + k, "Transmit PDO Communication Parameter " + IntToStr(k + 1),
                                EDS_Transmit_PDO[k].COB_ID);
    for (int k = 0; k < Tx; ++k)
        Mapping_Parameter(o, 0x1A00 + k, "Transmit PDO Mapping Parameter " + IntToStr(k + 1),
                          EDS_Transmit_PDO[k].Dimension, 0x7050 + k);
    for (int k = 0; k < Rx; ++k)
        Data_Object(o, 0x7000 + k, "RPDO" + IntToStr(k + 1), EDS_Receive_PDO[k].Dimension, Receive_Names[k], "ro",
                    "rww");
    for (int k = 0; k < Tx; ++k)
        Data_Object(o, 0x7050 + k, "TPDO" + IntToStr(k + 1), EDS_Transmit_PDO[k].Dimension, Transmit_Names[k], "rw",
                    "rwr");
    SDO_Objects(o);
    o << "";
    Write_Ansi_Lines(FileName, o.L);
}
