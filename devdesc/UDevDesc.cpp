#include "devdesc/UDevDesc.h"

#include "devdesc/ede/UBACnet_EDE_File.h"
#include "devdesc/eds/UEds.h"
#include "devdesc/gsd/UProfibus_GSD.h"
#include "devdesc/gsdml/UProfinetFileName.h"
#include "devdesc/gsdml/UProfinetXML.h"
#include "devdesc/mib/USNMP_MIB.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UFormTable.h"

void Plug_Device_Description_Files()
{
    Plug_Window("TFProfinetFileName", FProfinetFileName);
    Main_Window_Steps.Create_EDE_File = [](const String& Name) { Create_EDE_File(Name); };
    Main_Window_Steps.Build_CANopen_EDS = [](const String& Name) { Build_CANopen_EDS(Name); };
    Main_Window_Steps.Create_GSD_File = [] { Create_GSD_File(); };
    Main_Window_Steps.Create_GSDML_File = [](const String& Name) { Create_GSDML_File(Name); };
    Main_Window_Steps.Profinet_Name_File_XML = [] {
        return FProfinetFileName ? FProfinetFileName->Name_File_XML : String();
    };
    Main_Window_Steps.Create_MIB_File = [] { Create_MIB_File(); };
}
