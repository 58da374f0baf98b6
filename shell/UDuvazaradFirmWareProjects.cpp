// Step 1 of the main window: a new or another configuration, and the paths of its files.
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UFormTable.h"
#include "shell/UOpenConf.h"

void TFDuvazaradFirmWare::Set_Files()
{
    // Without an open configuration every path is a separator and the file name; no
    // part uses them then.
    auto in = [](const char* file) { return Project_Path + PathDelim + file; };
    FileName_ParGen = in("ParGen.xml");
    FileName_LoRaWAN_SetAccess = in("LoRaWAN_SetAccess.xml");
    FileName_ModbusM_SetAccess = in("ModbusM_SetAccess.xml");
    FileName_M_Bus = in("M_Bus.xml");
    FileName_ModbusTCPM_SetAccess = in("ModbusTCPM_SetAccess.xml");
    FileName_CAN_Rec_Frames = in("CAN_Rec_Frames.xml");
    FileName_CAN_Send_Frames = in("CAN_Send_Frames.xml");
    FileName_SDO_Server_CANopen = in("SDO_Server_CANopen.xml");
    FileName_SDO_Client_CANopen = in("SDO_Client_CANopen.xml");
    FileName_PDO_CANopen = in("PDO_CANopen.xml");
    FileName_DNETM_Net = in("DNETM_Net.xml");
    FileName_DNETM_DefOff = in("DNETM_DefOff.xml");
    FileName_J1939_Rec_Frames = in("J1939_Rec_Frames.xml");
    FileName_J1939_Send_Frames = in("J1939_Send_Frames.xml");
    FileName_NMEA_Rec_Frames = in("NMEA_Rec_Frames.xml");
    FileName_NMEA_Send_Frames = in("NMEA_Send_Frames.xml");
    FileName_DMX_Default_Values = in("DMX_Default_Values.xml");
    FileName_KNX_SetAccess = in("KNX_SetAccess.xml");
    FileName_BACnet_Slave_SetAccess = in("BACnet_Slave_SetAccess.xml");
    FileName_BACnet_Master_Access = in("BACnet_Master_Access.xml");
    FileName_EtherNetIP_Master_Rules = in("EtherNetIP_Master_Rules.xml");
    FileName_IEC_61850_Client = in("IEC_61850_Client.xml");
    FileName_TLS_Known_Cert = in("TLS_Known_Cert.xml");
    FileName_IEC61850_Variables = in("IEC61850_Variables.xml");
    FileName_MQTT_Set_Topic = in("MQTT_Set_Topic.xml");
    FileName_OPC_UA_Client = in("OPC_UA_Client.xml");
    FileName_OPC_UA_Server = in("OPC_UA_Server.xml");
    FileName_S7_Protocol = in("S7_Protocol.xml");
    FileName_SNMP_Manager = in("SNMP_Manager.xml");
    FileName_SNMP_Trap = in("SNMP_Trap.xml");
}

void TFDuvazaradFirmWare::Create_New_Project()
{
    // The dialog sets the name, the folder and the file paths itself.
    if (Show_Window_Modal("TFNew_Project") == mrOk) Show_Configuration_Line();
}

void TFDuvazaradFirmWare::Open_Project()
{
    if (!FOpenConf || Show_Window_Modal("TFOpenConf") != mrOk) return;
    Project_Name = FOpenConf->Name_Conf;
    // A folder removed while the dialog was open opens nothing.
    if (!Project_Name.empty() && DirectoryExists(PathJoin(Projects_Path, Project_Name)))
        Project_Path = PathJoin(Projects_Path, Project_Name);
    else
        Project_Path.clear();
    Show_Configuration_Line();
    Set_Files();
}
