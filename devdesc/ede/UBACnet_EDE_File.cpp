#include "devdesc/ede/UBACnet_EDE_File.h"

#include <algorithm>

#include "devdesc/UDevDescFile.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"

std::vector<std::unique_ptr<TBACnet_EDE_Obj>>* EDE_Object_List = nullptr;
String EDE_Device_Instance;
bool EDE_Long_Names = false;
std::array<int, EDE_Object_Types.size()> EDE_Instance_Counters{};

namespace {

struct TTypeName { const char* Name; int Type; };
constexpr TTypeName Type_Names[] = {
    {"ANALOG INPUT", 0},          {"ANALOG OUT", 1},          {"ANALOG VALUE", 2},
    {"BINARY INPUT", 3},          {"BINARY OUT", 4},          {"BINARY VALUE", 5},
    {"MULTI STATE INPUT", 13},    {"MULTI STATE OUTPUT", 14}, {"MULTI STATE VALUE", 19},
    {"LIFE SAFETY POINT", 21},    {"LIFE SAFETY ZONE", 22},   {"ACCUMULATOR", 23},
    {"ACCESS DOOR", 30},          {"CHARACTERSTRING VALUE", 40}, {"DATETIME VALUE", 44},
    {"INTEGER VALUE", 45},        {"LARGE ANALOG VALUE", 46}, {"POSITIVE INTEGER VALUE", 48},
};

// The file has no quoting: a ";" inside a value would start a new column for every
// reader, and a line break a new line. Such characters are written as "," and a blank.
String Field(const String& Value)
{
    String f = Value;
    for (char& c : f) {
        if (c == ';') c = ',';
        else if (c == '\r' || c == '\n') c = ' ';
    }
    return f;
}

// The first Count characters of UTF-8 text (a shorter text whole).
String First_Chars(const String& Text, int Count)
{
    size_t i = 0;
    for (int n = 0; i < Text.size() && n < Count; ++n) {
        ++i;
        while (i < Text.size() && (static_cast<unsigned char>(Text[i]) & 0xC0) == 0x80) ++i;
    }
    return Text.substr(0, i);
}

void Add_Objects(const TXMLNode& Section)
{
    const int Name_Chars = EDE_Long_Names ? 32 : 16;
    for (const TXMLNode& Row : Section.ChildNodes()) {
        const String Data_Type = Row.Attribute("Data_Type");
        const String Eng_Unit = Row.Attribute("Eng_Unit");
        const String Mnemonic = Row.Attribute("Mnemonic");
        const int T = Get_BACnet_Object_Type_Code(UpperCase(Trim(Data_Type)));
        auto Obj = std::make_unique<TBACnet_EDE_Obj>();
        Obj->DevObjInstance = EDE_Device_Instance;
        Obj->ObjectName = First_Chars(Mnemonic, Name_Chars);
        Obj->ObjectType = IntToStr(T);
        Obj->ObjectInstance = IntToStr(Next_Instance_Of_Type(T));
        Obj->Keyname = Obj->DevObjInstance + "_" + Mnemonic + "_" + Obj->ObjectInstance;
        Obj->Description = Obj->ObjectName;
        Obj->UnitCode = Eng_Unit;
        EDE_Object_List->push_back(std::move(Obj));
    }
}

}  // namespace

void Create_EDE_File(const String& FileName)
{
    Build_EDE_File(FileName);
}

void Build_EDE_File(const String& FileName)
{
    std::vector<std::unique_ptr<TBACnet_EDE_Obj>> List;
    EDE_Object_List = &List;
    try {
        Reset_Instance_Counters();
        Load_BACnet_Device_Info();
        Load_BACnet_Server_Objects();
        Write_EDE_File(FileName);
    } catch (...) {
        EDE_Object_List = nullptr;
        throw;
    }
    EDE_Object_List = nullptr;
}

void Reset_Instance_Counters()
{
    EDE_Instance_Counters.fill(0);
}

void Load_BACnet_Device_Info()
{
    EDE_Device_Instance.clear();
    EDE_Long_Names = false;
    if (!FileExists(FileName_ParGen)) return;
    TXMLDocument& XML = Shared_XML();
    XML.LoadFromFile(FileName_ParGen);
    const TXMLNode Root = XML.DocumentElement();
    const int BACnet_Type = Element_Int(Root, "BACnet_Type", 0);
    EDE_Device_Instance = Element_Text(Root, BACnet_Type == 1 ? "BACnet_Ser_DEV_IDE" : "BACnet_DEV_IDE");
    EDE_Long_Names = Element_Text(Root, "BACnet_Desc_Chars_Limit") == "1";
}

void Load_BACnet_Server_Objects()
{
    if (!FileExists(FileName_BACnet_Slave_SetAccess)) return;
    TXMLDocument& XML = Shared_XML();
    XML.LoadFromFile(FileName_BACnet_Slave_SetAccess);
    const TXMLNode Root = XML.DocumentElement();
    Add_Objects(Root.ChildNode("BACnet_in_Read"));
    Add_Objects(Root.ChildNode("BACnet_in_Write"));
}

int Get_BACnet_Object_Type_Code(const String& Data_Type)
{
    for (const TTypeName& t : Type_Names)
        if (Data_Type == t.Name) return t.Type;
    return 0;
}

int Next_Instance_Of_Type(int Object_Type)
{
    const auto* at = std::find(EDE_Object_Types.begin(), EDE_Object_Types.end(), Object_Type);
    if (at == EDE_Object_Types.end()) at = EDE_Object_Types.begin();   // counted with type 0
    int& Counter = EDE_Instance_Counters[size_t(at - EDE_Object_Types.begin())];
    return Counter++;
}

String Get_TimeStamp_Text()
{
    int Year, Month, Day, Hour, Minute, Second, MSec;
    const TDateTime Now = Description_Now();
    DecodeDate(Now, Year, Month, Day);
    DecodeTime(Now, Hour, Minute, Second, MSec);
    return Format("%.2d:%.2d:%.2d %.2d/%.2d/%d", {Hour, Minute, Second, Day, Month, Year});
}

void Write_EDE_File(const String& FileName)
{
    std::vector<String> Lines = {
        "PROJECT_NAME; Zodudo--" + Field(Project_Name) + ";;;;;;",
        "VERSION_OF_REFERENCEFILE;1.0;;;;;;",
        "TIMESTAMP_OF_LAST_CHANGE;" + Get_TimeStamp_Text() + ";;;;;;",
        "AUTHOR_OF_LAST_CHANGE;Zodudo;;;;;;",
        "VERSION_OF_LAYOUT;2;;;;;;",
        "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;",
        "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;",
    };
    if (EDE_Object_List)
        for (const auto& o : *EDE_Object_List)
            Lines.push_back(Field(o->Keyname) + ";" + Field(o->DevObjInstance) + ";" + Field(o->ObjectName) + ";" +
                            o->ObjectType + ";" + o->ObjectInstance + ";" + Field(o->Description) + ";" +
                            Field(o->UnitCode) + ";");
    Write_Ansi_Lines(FileName, Lines);
}
