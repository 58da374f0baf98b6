#include "devdesc/UDevDescWindows.h"

#include "devdesc/bacnet/UBACnetAccess.h"
#include "devdesc/bacnet/UBACnetSlaveSetAccess.h"
#include "devdesc/bacnet/UBACnet_Eng_Unit.h"
#include "devdesc/ede/UImportEDEFile.h"
#include "devdesc/eds/UEtherNetIP_EDS.h"
#include "shell/UFormTable.h"

void Plug_BACnet_And_EDS_Windows()
{
    Plug_Window("TFBACnetAccess", FBACnetAccess);
    Plug_Window("TFImportEDEFile", FImportEDEFile);
    Plug_Window("TFBACnet_Eng_Unit", FBACnet_Eng_Unit);
    Plug_Window("TFBACnetSlaveSetAccess", FBACnetSlaveSetAccess);
    Plug_EtherNetIP_EDS_Picker();
}
