#pragma once
// The network protocol editors' tables in memory, and their windows for one test: the
// built-in texts, a configuration folder of the test's own and a script that stands in
// for the user.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "editors/network/UMQTT_Set_Topic_Desc.h"
#include "editors/network/US7_Protocol_Set_Access_Desc.h"
#include "editors/network/USNMPManagerAccess_Desc.h"
#include "editors/network/USNMP_Trap_Access_Desc.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/TestFolder.h"
#include "tests/common/memory_tables.h"

// An editor's tables as its showing sets them up.
inline TMemoryTables Tables_Of(TEditorDesc Desc)
{
    TEditorContext c;
    if (Desc.Read_Context) Desc.Read_Context(c);
    return TMemoryTables(std::move(Desc), std::move(c));
}

class NetworkEditors : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        SW_Code = "RO41R08";
        Enable_Jump_Field_Tables = false;
        Double_Click_Auto_Size = false;
        Dir = Test_Folder("neteditors");
        FileName_MQTT_Set_Topic = PathJoin(Dir, "MQTT_Set_Topic.xml");
        FileName_S7_Protocol = PathJoin(Dir, "S7_Protocol.xml");
        FileName_SNMP_Manager = PathJoin(Dir, "SNMP_Manager.xml");
        FileName_SNMP_Trap = PathJoin(Dir, "SNMP_Trap.xml");
    }
    void TearDown() override
    {
        for (auto It = FWindows.rbegin(); It != FWindows.rend(); ++It) (*It)->Free();
        FWindows.clear();
        for (String* f : {&FileName_MQTT_Set_Topic, &FileName_S7_Protocol, &FileName_SNMP_Manager, &FileName_SNMP_Trap})
            f->clear();
        std::filesystem::remove_all(Dir);
    }

    template <class T>
    T* Make()
    {
        T* w = new T(nullptr);
        w->AfterConstruction();
        FWindows.push_back(w);
        return w;
    }
    // Shows the window modally; Act works on it like the user while it is open, and
    // Close_With closes it unless the window set its own result (OK does). The message
    // boxes whose texts hold Boxes come while the window opens and are answered OK.
    static TModalResult Open(TForm* W, TInteractionScript& Script, const std::function<void()>& Act = {},
                             TModalResult Close_With = mrCancel, const std::vector<String>& Boxes = {})
    {
        Script.OnForm(
            [&](TForm*) {
                if (Act) Act();
                return Close_With;
            },
            W->ClassName());
        for (const String& Text : Boxes) Script.Answer(mrOk, Text);
        return W->ShowModal();
    }
    // The file the editor wrote, against its golden file (a differing file is left in the
    // suite's output folder to be looked at).
    void Expect_Golden(const String& File, const String& Golden)
    {
        const String Got = FileExists(File) ? ReadFileBytes(File) : String("(no file)");
        const String Path = PathJoin(NETWORK_TEST_DATA, Golden);
        const String Want = FileExists(Path) ? ReadFileBytes(Path) : String("(no golden file)");
        if (Got != Want) WriteFileAtomic(Output(Golden), Got);
        EXPECT_EQ(Got, Want) << Golden;
    }
    static String Text(int Number) { return Lang_Strings[Number]; }
    // A row's error box text: the prefix, the row, the message and the limit.
    static String Row_Error(int Prefix, int Row, int Message, const String& Limit = "")
    {
        return Text(Prefix) + IntToStr(Row) + Text(Message) + Limit;
    }
    String Output(const String& Name) const { return PathJoin(TEST_OUTPUT_DIR, Name); }

    String Dir;
    std::vector<TForm*> FWindows;
};
