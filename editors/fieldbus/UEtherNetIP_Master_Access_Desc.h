#pragma once
// The description of the EtherNet/IP scanner editor: one row per EtherNet/IP slave with
// its address, the input and output bytes exchanged, the poll time and the connection
// data of both directions. The window (UEtherNetIP_Master_Access.h) is built from it.
#include "editors/frame/UTableDesc.h"
#include "shell/UComonRows.h"

// ---- EtherNet/IP scanner editor (EtherNetIP_Master_Rules.xml) -------------------------
namespace EtherNetIP {
// Real column indexes of the table.
enum TCol { Col_Number, Col_Enable, Col_IP_Address, Col_Start_Input, Col_Num_Input, Col_Start_Output,
            Col_Num_Output, Col_Time_Poll, Col_Instance_T_O, Col_Connection_Point_T_O, Col_Instance_O_T,
            Col_Connection_Point_O_T, Col_Dim_Header_T_O, Col_Dim_Header_O_T, Col_Mnemonic, Col_Count };
constexpr int Rows = 10;
constexpr int Text_Base = 4100;
// The most input bytes, and output bytes, all enabled slaves together exchange; set into
// the context at every showing.
constexpr int Max_Bytes = 1438;
constexpr const char* Num_Byte_In = "Num_Byte_In";
constexpr const char* Num_Byte_Out = "Num_Byte_Out";
constexpr int Btn_Import = 6;                     // the seventh button

// One connection of a device's EDS file as the connection picker offers it: instance and
// connection point of both directions and the header formats ("Default" or a number).
struct TEDS_Connection {
    String Instance_T_O, Connection_Point_T_O, Instance_O_T, Connection_Point_O_T, Dim_Header_T_O, Dim_Header_O_T;
};
// Puts the connection into the first row whose IP Address and Instance T > O are both
// empty (trimmed), leaving its other cells as they are; returns that row, 0 when every
// row is taken (nothing changes then).
int Import_Connection(TRowGridAccess& Grid, const TEDS_Connection& Connection);
}  // namespace EtherNetIP

TEditorDesc EtherNetIP_Master_Access_Desc();
