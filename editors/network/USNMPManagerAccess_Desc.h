#pragma once
// The description of the SNMP manager editor: the requests the converter, as SNMP
// manager, exchanges with the agents on its network, kept in SNMP_Manager.xml.
#include "editors/frame/UTableDesc.h"

// ---- SNMP manager editor (SNMP_Manager.xml) -----------------------------------------------
namespace SNMP_Manager {
// Real column indexes of the table.
enum TCol { Col_Number, Col_Enable, Col_IP_Address, Col_Version, Col_Community_String, Col_OID, Col_Type, Col_Mode,
            Col_On_Change, Col_On_Command, Col_On_Timer, Col_Time, Col_Position, Col_Number_Bytes, Col_ConvertFrom,
            Col_Cancel, Col_User, Col_Auth_Pass, Col_Priv_Pass, Col_Security_Level, Col_Auth_Mode, Col_Priv_Mode,
            Col_Mnemonic, Col_Count };
constexpr int Rows = 512;
constexpr int Text_Base = 6100;
// The positions of the data array a request may use.
constexpr int Positions = 1440;
// The converter keeps the names, identifiers and passwords of all requests in this many
// characters, each string with its terminator, after one leading byte.
constexpr long long Max_String_Total = 47104;
}  // namespace SNMP_Manager

// The characters the requests' strings take in the converter: 1, then for each row that
// takes part its OID, its community name (versions 1 and 2) or its user and the
// passwords its security level uses (version 3), each string that is not empty counting
// its characters and a terminator.
long long SNMP_String_Total(const TTableView& Table);

TEditorDesc SNMPManagerAccess_Desc();
