#pragma once
// The LoRaWAN and KNX editor windows for one test: the built-in texts, a configuration
// folder of the test's own and a script that stands in for the user.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "editors/fieldbus/UKNXAccess.h"
#include "editors/fieldbus/ULoRa_Set_Access.h"
#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Graphics.h"
#include "tests/common/UserInput.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/TestFolder.h"

class EditorWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        SW_Code = "RO41R08";
        Enable_Jump_Field_Tables = false;
        Double_Click_Auto_Size = false;
        Dir = Test_Folder("editorwin");
        FileName_ParGen = PathJoin(Dir, "ParGen.xml");
        FileName_KNX_SetAccess = PathJoin(Dir, "KNX_SetAccess.xml");
        FileName_LoRaWAN_SetAccess = PathJoin(Dir, "LoRaWAN_SetAccess.xml");
    }

    void TearDown() override
    {
        if (K) K->Free();
        if (L) L->Free();
        FileName_ParGen.clear();
        FileName_KNX_SetAccess.clear();
        FileName_LoRaWAN_SetAccess.clear();
        Enable_Jump_Field_Tables = false;
        Double_Click_Auto_Size = false;
        std::filesystem::remove_all(Dir);
    }

    TFKNXAccess* KNX_Window()
    {
        if (!K) {
            K = new TFKNXAccess(nullptr);
            K->AfterConstruction();
        }
        return K;
    }
    TFLoRa_Set_Access* LoRa_Window()
    {
        if (!L) {
            L = new TFLoRa_Set_Access(nullptr);
            L->AfterConstruction();
        }
        return L;
    }

    // Shows the window modally; Act works on it like the user while it is open, and
    // Close_With closes it unless the window set its own result (OK does). The message
    // boxes announced with Expect_Box come while the window opens and are answered OK.
    TModalResult Open(TForm* W, TInteractionScript& Script, const std::function<void()>& Act = {},
                      TModalResult Close_With = mrCancel)
    {
        Script.OnForm(
            [&](TForm*) {
                if (Act) Act();
                return Close_With;
            },
            W->ClassName());
        for (const String& Text : FBoxes) Script.Answer(mrOk, Text);
        FBoxes.clear();
        return W->ShowModal();
    }
    // A message box the next Open shows while the window opens; its text holds Text.
    void Expect_Box(const String& Text = "") { FBoxes.push_back(Text); }

    void Write_ParGen(const String& Payload, const String& FPort)
    {
        WriteFileAtomic(FileName_ParGen, "<Par_Gen><LoRa_Payload_Size>" + Payload + "</LoRa_Payload_Size><LoRa_FPort>" +
                                             FPort + "</LoRa_FPort></Par_Gen>");
    }

    static String Text(int Number) { return Lang_Strings[Number]; }
    // The first message box the script answered.
    static TInteractionRecord First_Box(const TInteractionScript& Script)
    {
        for (const TInteractionRecord& r : Script.Records())
            if (r.Kind == ikMessageBox) return r;
        return TInteractionRecord{};
    }
    static String Cell(TExtColumnGrid* G, int Col, int Row) { return G->GetCellEx(Col, Row); }
    String Output(const String& Name) const { return PathJoin(TEST_OUTPUT_DIR, Name); }

    String Dir;
    TFKNXAccess* K = nullptr;
    TFLoRa_Set_Access* L = nullptr;
    std::vector<String> FBoxes;
};

// Fills row r of the KNX table with a rule that passes every check.
inline void Type_KNX_Rule(TExtColumnGrid* G, int Row, const String& Source, const String& Dest,
                          const String& Mnemonic)
{
    using namespace KNX;
    const std::pair<int, String> cells[] = {
        {Col_Source_Address, Source}, {Col_Destination_Address, Dest}, {Col_APCI, "Write"}, {Col_Priority, "Low"},
        {Col_Format, "None"}, {Col_Extended, "N"}, {Col_ReTest, "N"}, {Col_On_Change, "Y"},
        {Col_Poll_Time, "0"}, {Col_Position, IntToStr(Row * 2)}, {Col_Bit_Mode, "No"}, {Col_Length, "2"},
        {Col_TimeOut, "0"}, {Col_Mnemonic, Mnemonic}};
    for (const auto& [c, text] : cells) G->SetCellEx(c, Row, text);
}
