#pragma once
// The EDE file (BACnet engineering data exchange) of the converter's own BACnet server
// objects: a semicolon-separated list, one object a line, that BACnet client tools
// import. The objects come from BACnet_Slave_SetAccess.xml, the device instance from
// ParGen.xml. The main window asks for the name and the overwrite; the writer asks nothing.
#include <array>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

// One object line; the fields in column order.
class TBACnet_EDE_Obj : public TObject {
public:
    String Keyname;
    String DevObjInstance;
    String ObjectName;
    String ObjectType;
    String ObjectInstance;
    String Description;
    String UnitCode;
};

// The object types an object line can carry, by their BACnet numbers.
constexpr std::array<int, 18> EDE_Object_Types = {0, 1, 2, 3, 4, 5, 13, 14, 19, 21, 22, 23, 30, 40, 44, 45, 46, 48};

// State of one generation.
extern std::vector<std::unique_ptr<TBACnet_EDE_Obj>>* EDE_Object_List;
extern String EDE_Device_Instance;
extern bool EDE_Long_Names;
extern std::array<int, EDE_Object_Types.size()> EDE_Instance_Counters;

void Create_EDE_File(const String& FileName);
void Build_EDE_File(const String& FileName);
void Reset_Instance_Counters();
void Load_BACnet_Device_Info();
void Load_BACnet_Server_Objects();
// The object type of a row's Data_Type text, already trimmed and in upper case; 0 for a
// text it does not know.
int Get_BACnet_Object_Type_Code(const String& Data_Type);
// The next instance of that object type: its counter, then the counter moves on.
int Next_Instance_Of_Type(int Object_Type);
// "HH:MM:SS DD/MM/YYYY" of the description clock.
String Get_TimeStamp_Text();
void Write_EDE_File(const String& FileName);
