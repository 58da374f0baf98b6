#pragma once
// What a finished scan leaves in List_Slave_MBus and List_Slave_wMBus, written to files:
// into the configuration's network file M_Bus.xml (new, or appended to), with the meters'
// Modbus registers laid out on the way, and into the stand-alone scan result files that
// an outside host may ask the engine for.
//
// The network-file writers run on the interface thread after the scan; the result-file
// writers on the engine's thread at the scan's end. Each holds the list's lock while it
// reads the list.
#include <cstdint>
#include <functional>
#include <vector>

#include "mbus/decode/UMBusScanData.h"

// Whether the scan window's tree shows a meter or a record checked. A writer counts an
// object without a tree node, a missing function and a failing call as checked.
using TNodeCheckedFunc = std::function<bool(const TLazyNode* Node)>;

// The options of a save into the network file.
struct TSaveConfXML {
    int32_t Append = 0;              // 1: add to the existing file; else a new file
    int32_t XML_Code_Dev = 0;        // the converter family: selects the attribute sets
    int32_t Mod_Start = 0;           // first register when one start serves all meters
    int32_t Index_Baud = 0;          // bus baud rate as the window lists it (wired)
    int32_t Index_Par = 0;           // bus parity as the window lists it (wired)
    int32_t Node_ID_Type = 0;        // 0 primary, 1 secondary addressing
    int32_t SND_NKE = 0;
    int32_t Reset_App = 0;
    int32_t Cut_After = 0;           // frames to read per meter
    int32_t StartModnode = 0;        // 1: each meter starts at its own SMN_Array entry
    std::vector<int32_t> SMN_Array;
    bool En_NodeState = false;       // per-meter mode: registers for the node state ...
    bool En_IdeNum = false;          // ... and the identification number
    String File_Name;
    TNodeCheckedFunc Node_Checked;   // the scan window's tree (none: everything checked)
};

// Registers a record of this data field code takes, and its data-size code in the file.
// NByte is the byte count of a variable-length record.
int32_t MBus_Register_Count(uint8_t Data_Field, int32_t NByte);
uint8_t MBus_Dim_Code(uint8_t Data_Field);

// Write List_Slave_MBus / List_Slave_wMBus into DataIn.File_Name: false, writing nothing,
// when the list is empty. A file that cannot be loaded for appending or saved raises.
bool Save_XML_Conf_Wired(const TSaveConfXML& DataIn, bool Check_BCD);
bool Save_XML_Conf_Wireless(const TSaveConfXML& DataIn, bool Check_BCD);

// The scan result files (roots SCAN_M-Bus_Wired and SCAN_M-Bus_Wireless).
void Save_XML_File_DLL(const String& SaveXMLFile);
void Save_Wireless_XML_File_DLL(const String& SaveXMLFile);
