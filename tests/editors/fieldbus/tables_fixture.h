#pragma once
// An editor's tables in memory, shaped by its description and reset as a showing resets
// them, with a folder of the test's own for the files.
#include <gtest/gtest.h>

#include <filesystem>

#include "editors/fieldbus/UCANopen_Desc.h"
#include "editors/fieldbus/UDMXDefVal_Desc.h"
#include "editors/fieldbus/UDNet_Desc.h"
#include "editors/fieldbus/UEtherNetIP_Master_Access_Desc.h"
#include "editors/fieldbus/UKNXAccess_Desc.h"
#include "editors/fieldbus/ULoRa_Set_Access_Desc.h"
#include "editors/fieldbus/UModbus_TCP_Master_Set_Access_Desc.h"
#include "editors/fieldbus/UReceiveCAN_Desc.h"
#include "editors/fieldbus/UReceiveJ1939_Desc.h"
#include "editors/fieldbus/UReceiveNMEA_Desc.h"
#include "editors/fieldbus/USetAccess_Desc.h"
#include "editors/fieldbus/UTransmitCAN_Desc.h"
#include "editors/fieldbus/UTransmitJ1939_Desc.h"
#include "editors/fieldbus/UTransmitNMEA_Desc.h"
#include "platform/os/Files.h"
#include "shell/ULanguage.h"
#include "tests/common/memory_tables.h"
#include "tests/common/TestFolder.h"

// The contexts the editors' showings read: the LoRaWAN settings of ParGen.xml, the KNX
// data area.
inline TEditorContext LoRa_Context(int Payload_Size, bool FPort_Fixed)
{
    TEditorContext c;
    c.Settings["LoRa_Payload_Size"] = IntToStr(Payload_Size);
    c.Settings["LoRa_FPort"] = FPort_Fixed ? "Fixed" : "Variable";
    return c;
}
inline TEditorContext KNX_Context()
{
    TEditorContext c;
    c.Numbers[KNX::Data_Size_Number] = KNX::Data_Size;
    return c;
}

// ... and the context the other editors' showings set up: what their descriptions'
// Read_Context gives (the DMX editor's comes from ParGen.xml, none here).
inline TEditorContext Showing_Context(const TEditorDesc& Desc)
{
    TEditorContext c;
    if (Desc.Read_Context && Desc.Class_Name != "TFDMXDefVal") Desc.Read_Context(c);
    return c;
}

class EditorFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        Dir = Test_Folder("editors");
    }
    void TearDown() override { std::filesystem::remove_all(Dir); }

    String Path(const String& Name) const { return PathJoin(Dir, Name); }
    static String Text(int Number) { return Lang_Strings[Number]; }

    String Dir;
};

// A KNX rule that passes every check; tests change single cells of it.
inline void Valid_KNX_Row(TMemoryTables& t, int Row, const char* Source = "1.1.20", const char* Dest = "1/2/3")
{
    using namespace KNX;
    t.Set(0, Row,
          {{Col_Enable, "Y"}, {Col_Source_Address, Source}, {Col_Destination_Address, Dest}, {Col_APCI, "Write"},
           {Col_Priority, "Low"}, {Col_Format, "None"}, {Col_MultiplicationFactor, ""}, {Col_Extended, "N"}, {Col_ReTest, "N"},
           {Col_On_Command, "N"}, {Col_On_Change, "Y"}, {Col_On_Timer, "N"}, {Col_Poll_Time, "0"}, {Col_Position, "10"},
           {Col_Bit_Mode, "No"}, {Col_Length, "2"}, {Col_TimeOut, "0"}, {Col_Mnemonic, "Rule"}});
}
