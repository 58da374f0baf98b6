// The program: creates every window once, in the fixed order, and runs the event loop
// until the main window closes.
#include <cstdio>
#include <exception>

#include "converter/UBoot.h"
#include "converter/UParGen.h"
#include "devdesc/UDevDesc.h"
#include "devdesc/UDevDescWindows.h"
#include "editors/fieldbus/UDMXDefVal.h"
#include "editors/fieldbus/UDNet.h"
#include "editors/fieldbus/UDefOffset.h"
#include "editors/fieldbus/UEtherNetIP_Master_Access.h"
#include "editors/fieldbus/UKNXAccess.h"
#include "editors/fieldbus/ULoRa_Set_Access.h"
#include "editors/fieldbus/UModbus_TCP_Master_Set_Access.h"
#include "editors/fieldbus/UReceiveCAN.h"
#include "editors/fieldbus/UReceiveJ1939.h"
#include "editors/fieldbus/UReceiveNMEA.h"
#include "editors/fieldbus/USetAccess.h"
#include "editors/fieldbus/USet_PDO_Access.h"
#include "editors/fieldbus/USet_SDO_Client_Access.h"
#include "editors/fieldbus/USet_SDO_Server_Access.h"
#include "editors/fieldbus/UTransmitCAN.h"
#include "editors/fieldbus/UTransmitJ1939.h"
#include "editors/fieldbus/UTransmitNMEA.h"
#include "editors/network/UMQTT_Set_Topic.h"
#include "editors/network/US7_Protocol_Set_Access.h"
#include "editors/network/USNMPManagerAccess.h"
#include "editors/network/USNMP_Trap_Access.h"
#include "editors/network/UTopicTemplate.h"
#include "editors/network/iec61850/UIEC61850_Variables.h"
#include "editors/network/iec61850/UIEC_61850_Access.h"
#include "editors/network/iec61850/UTLS_Server_Known_Cert.h"
#include "editors/network/opcua/UOPC_UA_Add_Server.h"
#include "editors/network/opcua/UOPC_UA_Client_Access.h"
#include "editors/network/opcua/UOPC_UA_Scan_Server.h"
#include "editors/network/opcua/UOPC_UA_Server_Access.h"
#include "gridedit/GridEditors.h"
#include "gridext/celleditors/GridPickerEditors.h"
#include "gridext/clipboard/GridClipboard.h"
#include "gridext/dragdrop/GridDragDrop.h"
#include "gridext/settings/GridLayout.h"
#include "mbus/engine/UMBusScanDecode.h"
#include "mbus/scan/MBusWindows.h"
#include "platform/gui/DragDrop.h"
#include "platform/gui/Forms.h"
#include "shell/UFormTable.h"

int main()
{
    try {
        Application->Initialize();
        // The tables edit their cells with the grid's editors, the pickers' among them.
        Register_Grid_Editors();
        Plug_Grid_Pickers();
        // The grids' clipboard keys, drops and kept column layouts.
        GridClipboard::InstallGridClipboard();
        GridDragDrop::InstallGridDragDrop();
        // Drags follow the pointer through the program's own event loop.
        SetDragDriver(PointerDragDriver([] {
            Application->HandleMessage();
            return !Application->Terminated();
        }));
        GridLayout::InstallGridLayout();
        // Each part of the program plugs its windows in at their places in the order.
        Plug_Shell_Windows();
        Plug_ParGen_Window();
        Plug_Boot_Window();
        Plug_LoRa_Set_Access_Window();
        Plug_KNX_Access_Window();
        Plug_Set_Access_Window();
        Plug_Modbus_TCP_Master_Set_Access_Window();
        Plug_Def_Offset_Window();
        Plug_DNet_Window();
        Plug_DMX_Def_Val_Window();
        Plug_EtherNetIP_Master_Access_Window();
        Plug_Receive_CAN_Window();
        Plug_Transmit_CAN_Window();
        Plug_Set_PDO_Access_Window();
        Plug_Set_SDO_Client_Access_Window();
        Plug_Set_SDO_Server_Access_Window();
        Plug_Receive_J1939_Window();
        Plug_Transmit_J1939_Window();
        Plug_Receive_NMEA_Window();
        Plug_Transmit_NMEA_Window();
        // The description files and the GSDML file name dialog.
        Plug_Device_Description_Files();
        // The MQTT, S7 and SNMP editors.
        Plug_MQTT_Set_Topic_Window();
        Plug_Topic_Template_Window();
        Plug_S7_Protocol_Set_Access_Window();
        Plug_SNMP_Manager_Access_Window();
        Plug_SNMP_Trap_Access_Window();
        // IEC 61850
        Plug_IEC_61850_Access_Window();
        Plug_TLS_Server_Known_Cert_Window();
        Plug_IEC61850_Variables_Window();
        // The OPC UA editors.
        Plug_OPC_UA_Add_Server_Window();
        Plug_OPC_UA_Client_Access_Window();
        Plug_OPC_UA_Scan_Server_Window();
        Plug_OPC_UA_Server_Access_Window();
        // The BACnet editors, the EDE import dialog and the EDS connection picker.
        Plug_BACnet_And_EDS_Windows();
        // The M-Bus network editor, the scan window and their dialogs.
        Plug_MBus_Windows();
        Create_Windows();
        // The M-Bus scan engine lives from start to exit, asleep until its window wakes it;
        // its thread does its own set-up, so the start does not wait for it.
        MBus_Scan_Engine();
        Application->Run();
        Free_MBus_Scan_Engine();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "configurator: %s\n", e.what());
        return 1;
    }
    return 0;
}
