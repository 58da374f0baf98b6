// The M-Bus windows in the program's window table.
#include "mbus/scan/MBusWindows.h"

#include "mbus/network/UMeter_Bus_Window.h"
#include "mbus/network/UNewIDNode.h"
#include "mbus/scan/UScanDecode.h"
#include "mbus/scan/UScanDialogs.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UFormTable.h"

void Plug_MBus_Windows()
{
    Plug_Window("TFMeter_Bus", FMeter_Bus);
    Plug_Window("TFNewIDNode", FNewIDNode);
    // The scan window and its dialogs take their texts once, at creation: the language
    // change leaves them out (the window table's order of relabelling has no place for them).
    Plug_Window("TFInsertKeyWireless", FInsertKeyWireless);
    Plug_Window("TFModbusStartAdd_SD", FModbusStartAdd_SD);
    Plug_Window("TFScanDecode", FScanDecode);
    Plug_Window("TFScanModbusStart", FScanModbusStart);
    Main_Window_Steps.Prepare_Scan = [](int32_t XML_Code_Dev, const String& FileName_MBus, int32_t Form_Type) {
        if (!FScanDecode) return;
        FScanDecode->XML_Code_Dev = XML_Code_Dev;
        FScanDecode->FileName_MBus = FileName_MBus;
        FScanDecode->Form_Type = Form_Type;
    };
}
