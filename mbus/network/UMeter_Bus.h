#pragma once
// The M-Bus network of a configuration: its meters (TNodo) with their values (TVariabile),
// the fixed code lists whose positions the fields store, and the network file M_Bus.xml
// that holds them.
//
// The network editor reads the file when it is shown and rewrites it whole on OK; the scan
// writes it too (mbus/scan). A file read only in part is remembered: saving over it would
// lose the meters that were not read, so Save refuses that unless the caller says the loss
// is accepted.
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"

CONF_DECLARE_EXCEPTION(EMBusNetworkError, Exception);

// One value a meter's telegrams give and the converter places in its register map.
class TVariabile {
public:
    bool Enable = false;
    String Description;
    int32_t Type_Of_Data = 0;      // position in MBus_Type_Of_Data_List
    int32_t Function_Field = 0;    // position in MBus_Function_Field_List
    int32_t Dimension = 0;         // position in MBus_Dimension_List
    int32_t Unita = 0;             // the unit number 0..10
    int32_t PositionData = 0;      // register of the value, 1..1536
    uint32_t Storage_Number = 0;
    int32_t Tariff = 0;
    uint8_t VIFE = 0;              // position in MBus_VIFE_List; 255: none selected
    bool BCDtoINT = false;
    int32_t Length = 0;            // byte count of a variable-length value
    String VIF_ASCII;
    bool Conv_Float = false;
    bool Force_Int32 = false;
    bool TP_Mod_Regs = false;      // the time point takes six registers from TP_Mod_Year on
    int32_t TP_Mod_Year = 0;
    uint16_t Position = 0;         // place in the telegram, for nodes listed "By Position"
    uint8_t Post_Operation = 0;    // position in MBus_Post_Operation_List
};

using TVarList = std::vector<std::unique_ptr<TVariabile>>;

// One meter: wired (MBus_Type other than 0) or wireless (0).
class TNodo {
public:
    uint8_t Enable = 0;
    String Description;
    int32_t Node_Pri = 0;
    int32_t Node_Sec = 0;
    uint8_t Send_SNK = 0;
    uint8_t Reset_App = 0;
    TVarList Var_List;             // owned, in file order
    uint8_t Enable_NS = 0;
    int32_t Node_State = 0;
    uint8_t Enable_IN = 0;
    int32_t Ident_Num = 0;
    uint8_t BCDtoINT_IN = 0;
    int32_t Swap_Ident = 0;
    uint8_t Node_ID_Type = 0;      // 0 addressed by Node_Pri, 1 by Node_Sec
    uint8_t Var_List_Type = 0;     // 0 "By Type", 1 "By Position"
    uint8_t Cut_After = 0;         // frames to read less one
    uint8_t Enable_MS = 0;
    int32_t Manufacturer_Spec = 0;
    uint8_t MSD_Length = 0;
    uint8_t MSD_Offset = 0;
    uint8_t MBus_Type = 0;         // 0 wireless, anything else wired
    String wMBus_ManID;            // the wireless texts are kept as typed
    String wMBus_Add;
    String wMBus_Ver;
    String wMBus_DevType;
    uint8_t wMBus_En_Key = 0;
    std::array<String, 16> wMBus_Key;
    uint8_t Enable_RSSI = 0;
    int32_t RSSI = 0;
    uint8_t Enable_AN = 0;
    int32_t Access_Number = 0;

    bool Is_Wireless() const { return MBus_Type == 0; }
    // The address the meter is known by: Node_Sec when addressed by secondary address.
    int32_t Address() const { return Node_ID_Type != 0 ? Node_Sec : Node_Pri; }
    // A deep copy, variables included.
    std::unique_ptr<TNodo> Clone() const;
};

using TNodiList = std::vector<std::unique_ptr<TNodo>>;

// The fixed code lists (not translated); a field stores the position of its text.
extern const std::array<const char*, 2> MBus_Swap_Ident_List;
extern const std::array<const char*, 2> MBus_Var_List_Type_List;
extern const std::array<const char*, 4> MBus_Function_Field_List;
extern const std::array<const char*, 8> MBus_Dimension_List;
extern const std::array<const char*, 13> MBus_Post_Operation_List;
extern const std::array<const char*, 26> MBus_Type_Of_Data_List;
extern const std::array<const char*, 152> MBus_VIFE_List;
constexpr int MBus_Cut_After_Max_Frames = 250;   // the "Cut after" list: 1 .. 250 frames

// Positions of the lists that the editor's rules name.
constexpr int32_t Type_Of_Data_Time_Point = 20;
constexpr int32_t Type_Of_Data_VIF_ASCII = 21;
constexpr int32_t Dimension_Variable_Length = 7;

// The network and what reading its file left behind.
class TMBusNetwork {
public:
    TNodiList Nodi_List;
    // Empty when the file was read whole (or there was none); else why reading stopped.
    // The nodes read before the failure are in Nodi_List.
    String Read_Error;

    bool Read_In_Part() const { return !Read_Error.empty(); }

    // Replaces the network with the file's. No file: an empty network. A file that is not
    // XML leaves the network empty; a node or variable without a required attribute ends
    // the reading, keeping what was read before it. Either failure is kept in Read_Error
    // (and not raised), for the caller to show.
    void Load(const String& File_Name);
    // The same from XML text; Name stands for the file in messages.
    void Load_XML(std::string_view Text, const String& Name = "M_Bus.xml");

    // Writes the whole network over File_Name (atomically: a failed save keeps the old
    // file and raises). When the network was read only in part, saving would drop the
    // meters that were not read: that raises EMBusNetworkError unless Drop_Unread is set.
    void Save(const String& File_Name, bool Drop_Unread = false) const;
    String Save_XML() const;

    void Clear() { Nodi_List.clear(); Read_Error.clear(); }
};

// Puts a copy of Source at Target, replacing it only once the copy is complete: a failed
// import leaves the old network file as it was (and raises EInOutError).
void Import_MBus_Network(const String& Source, const String& Target);
