// The workspace state: defaults before the main window's creation fills it.
#include "shell/UComon.h"

const char* const Const_SW_Code = "RO41R08";
const char* const Const_SW_Desc = "KNX / LoRaWAN - Converter";
const char* const Const_SW_Code_Query = "RO41R08";

String Exe_Path;
String Projects_Path;
String Master_Path;
String Language_Path;
String Project_Name;
String Project_Path;

String FileName_ParGen;
String FileName_LoRaWAN_SetAccess;
String FileName_ModbusM_SetAccess;
String FileName_M_Bus;
String FileName_ModbusTCPM_SetAccess;
String FileName_CAN_Rec_Frames;
String FileName_CAN_Send_Frames;
String FileName_SDO_Server_CANopen;
String FileName_SDO_Client_CANopen;
String FileName_PDO_CANopen;
String FileName_DNETM_Net;
String FileName_DNETM_DefOff;
String FileName_J1939_Rec_Frames;
String FileName_J1939_Send_Frames;
String FileName_NMEA_Rec_Frames;
String FileName_NMEA_Send_Frames;
String FileName_DMX_Default_Values;
String FileName_KNX_SetAccess;
String FileName_BACnet_Slave_SetAccess;
String FileName_BACnet_Master_Access;
String FileName_EtherNetIP_Master_Rules;
String FileName_IEC_61850_Client;
String FileName_TLS_Known_Cert;
String FileName_IEC61850_Variables;
String FileName_MQTT_Set_Topic;
String FileName_OPC_UA_Client;
String FileName_OPC_UA_Server;
String FileName_S7_Protocol;
String FileName_SNMP_Manager;
String FileName_SNMP_Trap;

String SW_Code;
String SW_Desc;
String Main_Form_Caption;
String Last_IP_Address;
int32_t Update_Option_Index = 0;
bool Update_Option_Read_Back = false;
String Language_Name;
bool Enable_Internet = false;
bool Enable_Update = false;
bool Enable_Jump_Field_Tables = false;
bool Double_Click_Auto_Size = false;
String EDE_File_Dir;

TStringList Copy_Row_Buffer;
std::vector<bool> Copy_Row_Is_Check;
TStringList MIB_Read_Names;
TStringList MIB_Write_Names;

TSlaveList List_Slave_MBus;
TSlaveList List_Slave_wMBus;
