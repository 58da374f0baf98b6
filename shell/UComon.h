#pragma once
// The process-wide workspace state shared by every window, and the small text routines
// (addresses, KNX codes, decimal separator, serial ports, SNMP object identifiers) and
// OPC UA records that the editors, the update dialog and the image builder have in common.
//
// Every item exists once for the whole run. The main window's creation fills the state;
// the items hold the defaults below until then.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

// ---------------------------------------------------------------------------------
// Constants of this build
// ---------------------------------------------------------------------------------
extern const char* const Const_SW_Code;         // software code, shown in the title panels
extern const char* const Const_SW_Desc;         // software description of the main window
extern const char* const Const_SW_Code_Query;   // software code the version service is asked about

// ---------------------------------------------------------------------------------
// Folders and the open configuration
// ---------------------------------------------------------------------------------
extern String Exe_Path;        // folder of the program file, without a trailing separator
extern String Projects_Path;   // Exe_Path + "/PROJECTS": one sub-folder per configuration
extern String Master_Path;     // Exe_Path + "/MASTER": firmware images
extern String Language_Path;   // Exe_Path + "/LANGUAGE": language files and flag pictures
extern String Project_Name;    // name of the configuration last opened
extern String Project_Path;    // folder of the open configuration; empty: none is open

// Full path of each configuration file of the open configuration.
extern String FileName_ParGen;
extern String FileName_LoRaWAN_SetAccess;
extern String FileName_ModbusM_SetAccess;
extern String FileName_M_Bus;
extern String FileName_ModbusTCPM_SetAccess;
extern String FileName_CAN_Rec_Frames;
extern String FileName_CAN_Send_Frames;
extern String FileName_SDO_Server_CANopen;
extern String FileName_SDO_Client_CANopen;
extern String FileName_PDO_CANopen;
extern String FileName_DNETM_Net;
extern String FileName_DNETM_DefOff;
extern String FileName_J1939_Rec_Frames;
extern String FileName_J1939_Send_Frames;
extern String FileName_NMEA_Rec_Frames;
extern String FileName_NMEA_Send_Frames;
extern String FileName_DMX_Default_Values;
extern String FileName_KNX_SetAccess;
extern String FileName_BACnet_Slave_SetAccess;
extern String FileName_BACnet_Master_Access;
extern String FileName_EtherNetIP_Master_Rules;
extern String FileName_IEC_61850_Client;
extern String FileName_TLS_Known_Cert;
extern String FileName_IEC61850_Variables;
extern String FileName_MQTT_Set_Topic;
extern String FileName_OPC_UA_Client;
extern String FileName_OPC_UA_Server;
extern String FileName_S7_Protocol;
extern String FileName_SNMP_Manager;
extern String FileName_SNMP_Trap;

// ---------------------------------------------------------------------------------
// Names, options and run-time choices
// ---------------------------------------------------------------------------------
extern String SW_Code;               // from Const_SW_Code at the main window's creation
extern String SW_Desc;               // from Const_SW_Desc
extern String Main_Form_Caption;     // title of the main window
extern String Last_IP_Address;       // device address of the last Ethernet update
extern int32_t Update_Option_Index;  // the update dialog's choice of what to transfer (run only)
extern bool Update_Option_Read_Back; // the update dialog's read-back choice (run only)
extern String Language_Name;         // selected language: base name of its .lng file
extern bool Enable_Internet;         // internet access allowed
extern bool Enable_Update;           // periodic version check (needs Enable_Internet too)
extern bool Enable_Jump_Field_Tables;   // Enter moves to the next table cell
extern bool Double_Click_Auto_Size;     // a double click on a column header sizes the column
extern String EDE_File_Dir;          // folder of the EDE file imported last

// ---------------------------------------------------------------------------------
// Shared buffers. They exist, empty, for the whole run; the main window's creation
// empties them, nothing replaces them.
// ---------------------------------------------------------------------------------
extern TStringList Copy_Row_Buffer;        // the copied table row, one string per column
extern std::vector<bool> Copy_Row_Is_Check;   // which copied columns were check boxes
extern TStringList MIB_Read_Names;         // object names of the enabled agent read rows
extern TStringList MIB_Write_Names;        // object names of the enabled agent write rows

// An ordered list of objects that the M-Bus scan threads fill and the interface thread
// reads: hold Lock while touching Items. The list owns its objects.
struct TSlaveList {
    std::mutex Lock;
    std::vector<std::unique_ptr<TObject>> Items;
};
extern TSlaveList List_Slave_MBus;    // wired meters found by the last scan
extern TSlaveList List_Slave_wMBus;   // wireless meters found by the last scan

// ---------------------------------------------------------------------------------
// Addresses. Numbers inside texts are read as StrToIntDef reads them.
// ---------------------------------------------------------------------------------

// Dotted IPv4 address, parts trimmed; true when valid. The parts are set as far as the
// splitting got, also when the result is false.
bool Split_IP_Address(const String& Text, String& P1, String& P2, String& P3, String& P4);
// Four bytes of a dotted address; true on ERROR (a bad part gives 0). An empty text
// leaves the bytes untouched.
bool IP_To_Bytes(const String& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4);
// "a.b.c.d:port"; true when valid. The outputs are 0 unless the whole text is valid.
bool Split_IP_Port(const String& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4, uint16_t& Port);
// KNX individual (area.line.device or a number; a two-part area.device is invalid) or
// group address (main/middle/sub, main/sub or a number); 0 valid, 1 invalid. The parts
// are trimmed, the whole text is not.
int Check_KNX_Address(const String& Text, bool IsGroup, bool AllowZero);
bool Has_No_Dot(const String& Text);

// ---------------------------------------------------------------------------------
// Code maps of the KNX table
// ---------------------------------------------------------------------------------
int KNX_Access_Code(const String& Text);       // "WRITE" 128, "READ" 0, else the number (0)
int KNX_Priority_Code(const String& Text);     // "SYSTEM" 0, "URGENT" 2, "NORMAL" 1, "LOW" 3, else 1
uint16_t Conversion_Code(const String& Text);  // data conversion in the top four bits

// ---------------------------------------------------------------------------------
// Decimal numbers
// ---------------------------------------------------------------------------------
// The user's regional decimal separator: ',' or '.' (',' for anything else).
char Get_Decimal_Separator();
// Reads Text with either separator: the one that is not Sep is turned into Sep first.
// True with the number; false with Value 1.0 when Text is no number (or none a float holds).
bool Str_To_Float_Sep(const String& Text, char Sep, float& Value);

// ---------------------------------------------------------------------------------
// Serial ports, SNMP, M-Bus scan
// ---------------------------------------------------------------------------------
// Serial ports are known by number, 1 to 256, in four ranges of 64: 1-64 are /dev/ttyS0-63,
// 65-128 /dev/ttyUSB0-63, 129-192 /dev/ttyACM0-63 and 193-256 /dev/ttyAMA0-63.
// The device file of a port number in the folder DevFolder; empty outside 1..256.
String COM_Port_Device(int Number, const String& DevFolder = "/dev/");
// The numbers ("1", "2" ...) of the serial ports present, in increasing order: those that
// open for reading and writing or are busy (in use by another program). The caller owns
// the new list.
std::unique_ptr<TStringList> Get_COM_Ports();
// The same, for the device files of another folder.
std::unique_ptr<TStringList> Get_COM_Ports_In(const String& DevFolder);
// 0 for a valid object identifier, else the first failing rule: 1 longer than 128
// characters, 2 a character other than a digit or "." (also the empty text), 3 a leading
// ".", 4 a trailing ".", 5 two dots side by side, 6 a component above 4294967295.
int Check_SNMP_OID(const String& Text);
// "AUTH NOPRIV" 1, "AUTH PRIV" 3, empty -1, anything else 0 (upper-cased and trimmed).
int SNMP_Security_Level_Code(const String& Text);
// The BACnet engineering unit "no units" (95), whatever the type and extension class.
int32_t Default_BACnet_Eng_Unit(uint16_t Type_Class = 0, int32_t Ext_Class = 0);
// The form of the M-Bus scan window: 0, wired scanning only.
int32_t Get_Scan_Form_Type();
// The device-family code the M-Bus scan window is opened with. This build belongs to no
// family the scan window treats specially, so the code is No_XML_Code_Dev.
constexpr int32_t No_XML_Code_Dev = -1;
int32_t Get_XML_Code_Dev();

// ---------------------------------------------------------------------------------
// OPC UA browse records
//
// The records exchanged with the OPC UA browse library have one fixed little-endian
// layout with 32-bit text references. A 64-bit process cannot put a machine pointer into
// 32 bits, so a text reference is a handle, not a pointer, and the layout is the same on
// every platform: the side that fills a record registers its zero-terminated texts with
// OPCUA_Register_Text and stores the handles; OPCUA_Text_Of resolves them. 0 is no text.
//
// The registry is the program's: the browse library, loaded into the program, reaches
// both functions under these C names (the program exports them), registers the texts of
// every record it fills, and resolves the texts of the server record it is given. A
// registered text must stay readable until the program has copied it (the browse copies
// every text before it unloads the library) or until OPCUA_Clear_Texts. Handles are never
// reused: after OPCUA_Clear_Texts a handle given out before resolves to no text, never to
// another one. Texts are 8-bit, in the Windows-1252 code page the configuration files fall
// back to.
// ---------------------------------------------------------------------------------
using TOPCUA_Text = uint32_t;

extern "C" {
TOPCUA_Text OPCUA_Register_Text(const char* Text);   // nullptr gives 0
const char* OPCUA_Text_Of(TOPCUA_Text Ref);          // nullptr for 0 or an unknown handle
}
// Forgets every registered text (the texts themselves belong to whoever registered them).
void OPCUA_Clear_Texts();

#pragma pack(push, 4)
struct opcua_structure {              // one node (variable) of a server
    uint16_t nameSpaceIndex;
    uint16_t identifierType;          // 0 numeric, 3 string, 4 GUID, 5 byte string
    uint32_t numeric;
    TOPCUA_Text stringname;
    uint32_t stringLength;
    uint32_t guide1;
    uint16_t guide2;
    uint16_t guide3;
    uint8_t guide4[8];
    TOPCUA_Text byteString;
    uint32_t byteStringLength;
    TOPCUA_Text displayName;
    uint32_t displayNameLength;
    int32_t dataType;                 // 0..14, see OPCUA_DataType_Name
    uint8_t accessLevel;              // bit 0 readable, bit 1 writable; 0 counts as both
    uint8_t spare[3];
};

struct opcua_server_to_discover {     // the server to browse
    TOPCUA_Text server_address;
    int32_t user_pass_auth_flag;      // OPCUA_Auth_Code
    TOPCUA_Text username;
    TOPCUA_Text password;
    TOPCUA_Text cert;
    TOPCUA_Text priv_key;
    int32_t security_type;            // OPCUA_Security_Mode_Code
    int32_t security_policy;          // OPCUA_Security_Policy_Code
};

struct TOPC_UA_Guid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};
#pragma pack(pop)

static_assert(sizeof(opcua_structure) == 56);
static_assert(offsetof(opcua_structure, nameSpaceIndex) == 0);
static_assert(offsetof(opcua_structure, identifierType) == 2);
static_assert(offsetof(opcua_structure, numeric) == 4);
static_assert(offsetof(opcua_structure, stringname) == 8);
static_assert(offsetof(opcua_structure, stringLength) == 12);
static_assert(offsetof(opcua_structure, guide1) == 16);
static_assert(offsetof(opcua_structure, guide2) == 20);
static_assert(offsetof(opcua_structure, guide3) == 22);
static_assert(offsetof(opcua_structure, guide4) == 24);
static_assert(offsetof(opcua_structure, byteString) == 32);
static_assert(offsetof(opcua_structure, byteStringLength) == 36);
static_assert(offsetof(opcua_structure, displayName) == 40);
static_assert(offsetof(opcua_structure, displayNameLength) == 44);
static_assert(offsetof(opcua_structure, dataType) == 48);
static_assert(offsetof(opcua_structure, accessLevel) == 52);
static_assert(offsetof(opcua_structure, spare) == 53);

static_assert(sizeof(opcua_server_to_discover) == 32);
static_assert(offsetof(opcua_server_to_discover, server_address) == 0);
static_assert(offsetof(opcua_server_to_discover, user_pass_auth_flag) == 4);
static_assert(offsetof(opcua_server_to_discover, username) == 8);
static_assert(offsetof(opcua_server_to_discover, password) == 12);
static_assert(offsetof(opcua_server_to_discover, cert) == 16);
static_assert(offsetof(opcua_server_to_discover, priv_key) == 20);
static_assert(offsetof(opcua_server_to_discover, security_type) == 24);
static_assert(offsetof(opcua_server_to_discover, security_policy) == 28);

static_assert(sizeof(TOPC_UA_Guid) == 16);
static_assert(offsetof(TOPC_UA_Guid, data1) == 0);
static_assert(offsetof(TOPC_UA_Guid, data2) == 4);
static_assert(offsetof(TOPC_UA_Guid, data3) == 6);
static_assert(offsetof(TOPC_UA_Guid, data4) == 8);

String OPCUA_IdType_Name(int Code);            // 0 "Numeric", 3 "String", 4 "Guid", 5 "ByteString", else ""
int OPCUA_IdType_Code(const String& Text);     // by upper-cased name; anything else 0
String OPCUA_NodeId_Text(const opcua_structure& Node);
String OPCUA_DataType_Name(int Code);          // 0 "Boolean" .. 14 "ByteString", else ""
// Exact names; an unknown code gives the last name, an unknown text the last code.
String OPCUA_Auth_Name(int Code);
int OPCUA_Auth_Code(const String& Text);
String OPCUA_Security_Mode_Name(int Code);
int OPCUA_Security_Mode_Code(const String& Text);
String OPCUA_Security_Policy_Name(int Code);
int OPCUA_Security_Policy_Code(const String& Text);
