// The CAN, J1939, NMEA 2000 and CANopen windows in the program: created at their places
// in the window order, reached by the main window's hidden buttons only with a
// configuration open (the J1939 and NMEA 2000 ones by none), relabelled by a language
// change.
#include <gtest/gtest.h>

#include "converter/UBoot.h"
#include "converter/UParGen.h"
#include "editors/fieldbus/UKNXAccess.h"
#include "editors/fieldbus/ULoRa_Set_Access.h"
#include "editors/fieldbus/UReceiveCAN.h"
#include "editors/fieldbus/UReceiveJ1939.h"
#include "editors/fieldbus/UReceiveNMEA.h"
#include "editors/fieldbus/USet_PDO_Access.h"
#include "editors/fieldbus/USet_SDO_Client_Access.h"
#include "editors/fieldbus/USet_SDO_Server_Access.h"
#include "editors/fieldbus/UTransmitCAN.h"
#include "editors/fieldbus/UTransmitJ1939.h"
#include "editors/fieldbus/UTransmitNMEA.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/os/Files.h"
#include "shell/ULanguage.h"
#include "tests/common/program_fixture.h"

namespace {

class CANInProgram : public ProgramFixture {
protected:
    void SetUp() override
    {
        Start_Program({Plug_ParGen_Window, Plug_Boot_Window, Plug_LoRa_Set_Access_Window, Plug_KNX_Access_Window,
                       Plug_Receive_CAN_Window, Plug_Transmit_CAN_Window, Plug_Set_PDO_Access_Window,
                       Plug_Set_SDO_Client_Access_Window, Plug_Set_SDO_Server_Access_Window, Plug_Receive_J1939_Window,
                       Plug_Transmit_J1939_Window, Plug_Receive_NMEA_Window, Plug_Transmit_NMEA_Window});
    }
    void TearDown() override
    {
        Load_Default_Texts();
        ProgramFixture::TearDown();
    }
};

struct TWindowCase {
    const char* class_name;
    TForm* window;
    int index;           // place in the creation order
    TLbButton* button;   // nullptr: no button opens it
    int caption;         // its caption's text
    String* file;
    const char* file_name;
};

std::vector<TWindowCase> Windows()
{
    TFDuvazaradFirmWare* M = FDuvazaradFirmWare;
    return {{"TFReceiveCAN", FReceiveCAN, 20, M->Btn_CAN_Rec_Frame, 3300, &FileName_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
            {"TFTransmitCAN", FTransmitCAN, 21, M->Btn_CAN_Send_Frame, 3400, &FileName_CAN_Send_Frames,
             "CAN_Send_Frames.xml"},
            {"TFSet_PDO_Access", FSet_PDO_Access, 22, M->Btn_PDO_CANopen, 3500, &FileName_PDO_CANopen, "PDO_CANopen.xml"},
            {"TFSet_SDO_Client_Access", FSet_SDO_Client_Access, 23, M->Btn_SDO_Client_CANopen, 3600,
             &FileName_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
            {"TFSet_SDO_Server_Access", FSet_SDO_Server_Access, 24, M->Btn_SDO_Server_CANopen, 3700,
             &FileName_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
            {"TFReceiveJ1939", FReceiveJ1939, 30, nullptr, 4300, &FileName_J1939_Rec_Frames, "J1939_Rec_Frames.xml"},
            {"TFTransmitJ1939", FTransmitJ1939, 31, nullptr, 4400, &FileName_J1939_Send_Frames, "J1939_Send_Frames.xml"},
            {"TFReceiveNMEA", FReceiveNMEA, 33, nullptr, 4600, &FileName_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml"},
            {"TFTransmitNMEA", FTransmitNMEA, 34, nullptr, 4700, &FileName_NMEA_Send_Frames, "NMEA_Send_Frames.xml"}};
}

TEST_F(CANInProgram, TheWindowsStandAtTheirPlacesAndFollowTheLanguage)
{
    for (const TWindowCase& w : Windows()) {
        EXPECT_EQ(Window_Index(w.class_name), w.index) << w.class_name;
        ASSERT_NE(w.window, nullptr) << w.class_name;
        EXPECT_EQ(Find_Window(w.class_name), w.window);
        Lang_Strings.SetStrings(w.caption, String("Neu ") + w.class_name);
    }
    Lang_Strings.SetStrings(3541, "Bei Änderung");
    Set_Lang_Of_Windows();
    for (const TWindowCase& w : Windows()) EXPECT_EQ(w.window->Caption(), String("Neu ") + w.class_name);
    EXPECT_EQ(FSet_PDO_Access->sgb->Columns()->Items(PDO::Tx_On_Change)->Header(), "Bei Änderung");
}

TEST_F(CANInProgram, TheHiddenButtonsOpenTheirWindowsOnlyWithAConfiguration)
{
    TInteractionScript script;
    for (const TWindowCase& w : Windows()) {
        if (!w.button) continue;
        EXPECT_FALSE(w.button->Visible()) << w.class_name;
        script.Answer(mrOk, Lang_Strings[18]);
        FDuvazaradFirmWare->Btn_Click(w.button);
    }
    EXPECT_EQ(script.Count(ikModalForm), 0);

    New_Configuration(script, "Plant 4");
    for (const TWindowCase& w : Windows()) {
        EXPECT_EQ(*w.file, PathJoin(Project_Path, w.file_name)) << "each reads and writes its own file";
        if (!w.button) continue;
        script.FormResult(mrCancel, w.class_name);
        FDuvazaradFirmWare->Btn_Click(w.button);
        ASSERT_NE(script.Last(), nullptr);
        EXPECT_EQ(script.Last()->FormClass, w.class_name);
    }
    EXPECT_EQ(script.Problems(), "");
}

}  // namespace
