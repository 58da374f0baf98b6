#pragma once
// The parameter window's design as data: the controls of the 36 panels and their rows,
// the section layout rules, the panel order of every model of the family, the text
// assignments and the keys of ParGen.xml. Only the parameter window's sources use it.
#include <cstdint>
#include <string_view>

#include "editors/frame/UFieldDesc.h"

class TFParGen;

namespace pargen {

// ---- controls ----
// An input control (or a check box), described as every field is (UFieldDesc.h): its
// name in Control, its kind, list items and the item selected at design, its initial
// text in Start, its length limit and flags. An octet group is named by its base with a
// final "#": "E_Ethernet_IP#" stands for E_Ethernet_IP1 .. E_Ethernet_IP4.
extern const TFieldDesc Control_Designs[];
extern const int Control_Design_Count;
const TFieldDesc* Find_Control_Design(std::string_view Name);

// One row of a panel: a label or check box in the left column (nullptr: none; "+": the
// right controls share the previous row) and the input control(s) in the right column,
// several separated by blanks (nullptr: none).
struct TRowDesign {
    const char* Panel;
    const char* Left;
    const char* Right;
};
extern const TRowDesign Row_Designs[];
extern const int Row_Design_Count;

// The 36 panels in creation order.
extern const char* const Panel_Names[];
constexpr int Panel_Count = 36;

// Geometry of the rows.
constexpr int Row_Pitch = 28;
constexpr int First_Control_Top = 8;   // control of the first row; its label 3 lower
constexpr int Label_Offset = 3;        // a row's label sits this far below its control
constexpr int Left_Column = 14;
constexpr int Left_Width = 172;
constexpr int Right_Column = 191;
constexpr int Right_Width = 238;
constexpr int Control_Height = 21;
constexpr int Label_Height = 13;
constexpr int Check_Height = 17;
constexpr int Octet_Width = 55;
constexpr int Octet_Lefts[4] = {191, 252, 313, 374};
constexpr int Panel_Bottom_Margin = 12;

// ---- section layout rules ----
using TSectionRoutine = void (TFParGen::*)();
struct TSectionDesign {
    const char* Panel;
    TSectionRoutine Custom;     // rows that come and go: the routine does everything
    const char* Height_From;    // fixed rows: the panel's height follows this control
    const char* DHCP_Prefix;    // "Modbus_TCP_Master": its IP, SM and GAT octets follow DHCP
    const char* Gateway_Box;    // the gateway check box follows DHCP too
};
extern const TSectionDesign Section_Designs[];
extern const int Section_Design_Count;
const TSectionDesign* Find_Section_Design(std::string_view Panel);

// ---- models ----
struct TModelPanel {
    const char* Panel;
    int Caption_Text;
};
struct TModelDesign {
    const char* Code;
    TModelPanel Panels[7];   // in order, Ethernet Connection and LoRaWAN first; {nullptr} ends
    // A list whose item 0 hides the model's Ethernet panel (the BACnet models), or nullptr.
    const char* Ethernet_Hidden_By = nullptr;
};
extern const TModelDesign Model_Designs[];
extern const int Model_Design_Count;
const TModelDesign* Find_Model_Design(std::string_view Code);

// ---- texts ----
enum TTextProp { tpCaption, tpHint, tpItems };
struct TTextDesign {
    const char* Name;    // component name, "FParGen" for the window itself
    TTextProp Prop;
    int Number;
    int Count = 1;       // items: that many consecutive texts
};
extern const TTextDesign Text_Designs[];
extern const int Text_Design_Count;

// ---- ParGen.xml ----
// A key of ParGen.xml, described as every field is: the key in Name, the control holding
// its value, how the value is held (fkText: the edit's text; fkCheckBox: Check_On or
// Check_Off; fkList: the item's text; fkListIndex: the item's index), the default text
// of an edit (missing key and no file alike), and for lists the item taken for a missing
// key and without a file.
extern const TFieldDesc Key_Designs[];
constexpr int Key_Count = 41;

// ---- LoRaWAN radio tables ----
struct TDataRate {
    const char* Text;
    uint8_t Max_Payload;
};
struct TBandTable {
    const char* Band;
    const TDataRate* Rates;
    int Count;
};
extern const TBandTable Bands[];
constexpr int Band_Count = 7;
// The band of that exact text, or nullptr.
const TBandTable* Find_Band(std::string_view Band);

}  // namespace pargen
