#pragma once
// The checks of the M-Bus network: a node or a variable as the editor's pages hold it
// before it is stored, the uniqueness of a wired meter's address, and the register
// conflict test that keeps the variables' Modbus registers apart from each other and
// from the nodes' registers.
//
// The checks look at texts as typed and at the node list; they read no controls and show
// nothing. Every refusal appends one message (its text-table numbers and its text) to the
// caller's list, which the window shows in order, one error box each.
#include <array>
#include <vector>

#include "mbus/network/UMeter_Bus.h"

struct TMBusMessage {
    std::vector<int> Numbers;   // the text-table entries the text is made of
    String Text;
};
using TMBusMessages = std::vector<TMBusMessage>;

// The "Nodes" page as typed. A box is read as an integer (decimal, or hexadecimal after
// "$" or "0x"); a box that holds none reads as -1.
struct TNodePage {
    int MBus_Type = 1;                 // position in the "M-Bus Type" list: 0 wireless
    // wired column
    bool Primary_Chosen = true;        // "Primary ID Node", else "Secondary ID Node"
    String Node_Pri, Node_Sec;
    bool Enable_NS = false;
    String Node_State;
    bool Enable_IN = false;
    String Ident_Num;
    bool Enable_AN = false;
    String Access_Number;
    // wireless panel
    String wMBus_ManID, wMBus_Add, wMBus_Ver, wMBus_DevType;
    bool wMBus_En_Key = false;
    std::array<String, 16> wMBus_Key;
    String W_Node_State, W_Ident_Num, W_RSSI, W_Access_Number;
    // both
    bool Enable_MS = false;
    String Manufacturer_Spec, MSD_Length, MSD_Offset;
};

// The "Variables" page as typed.
struct TVariablePage {
    String PositionData;
    String Storage_Number;
    String Tariff;
    int Dimension = 0;                 // list positions
    int Type_Of_Data = 0;
    String Length;
    bool TP_Mod_Regs = false;
    String TP_Mod_Year;
    String Position;
};

// Where the editor's selection stands: the node in hand and its selected variable (-1 none).
struct TMBusSelection {
    int IND_NODO = -1;
    int IND_VAR = -1;
};

// The node the page holds: true accepts it. A wired node whose address clashes is
// refused, but the checks after the clash still run and may add their own messages.
bool Controllo_Dati_New_Nodo(const TNodePage& Page, const TNodiList& Nodi, TMBusSelection Sel,
                             TMBusMessages& Messages);
// No other wired node with this addressing (0 primary, 1 secondary) has this address: true.
bool Check_Node_ID(const TNodiList& Nodi, TMBusSelection Sel, int32_t ID, int type_ID, TMBusMessages& Messages);
// The paste dialog's test: no node at all, whatever its kind, has this address.
bool Check_Node_ID2(const TNodiList& Nodi, int32_t ID, int type_ID, TMBusMessages& Messages);
// The variable the page holds, to be added (newvar) or to replace the selected one.
bool Controllo_Dati_New_Var(const TVariablePage& Page, const TNodiList& Nodi, TMBusSelection Sel, bool newvar,
                            TMBusMessages& Messages);
// True when a register is already taken (and the conflict's message was added): Reg_Mod,
// the second register Reg_RE_Mod (0 none) and the time-point block from Reg_TP (0 none)
// against the registers of the enabled nodes and their enabled variables. The variable
// being modified (NewVar false) is not tested against itself.
bool Check_Registers(const TNodiList& Nodi, TMBusSelection Sel, int32_t Reg_Mod, int32_t Reg_RE_Mod, int32_t Reg_TP,
                     bool NewVar, TMBusMessages& Messages);

// A box read as the checks read it: the integer it holds, else -1.
int32_t Box_Int(const String& Text);
int64_t Box_Int64(const String& Text);
