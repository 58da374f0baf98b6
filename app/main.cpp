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
#include "gridedit/GridEditors.h"
#include "platform/gui/Forms.h"
#include "shell/UFormTable.h"

int main()
{
    try {
        Application->Initialize();
        // The tables edit their cells with the grid's editors.
        Register_Grid_Editors();
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
        // The BACnet editors, the EDE import dialog and the EDS connection picker.
        Plug_BACnet_And_EDS_Windows();
        Create_Windows();
        Application->Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "configurator: %s\n", e.what());
        return 1;
    }
    return 0;
}
