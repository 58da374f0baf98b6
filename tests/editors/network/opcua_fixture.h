#pragma once
// The OPC UA windows for one test: the built-in texts, a configuration folder of the
// test's own, the stand-in browse library in the program folder, and the user's hands on
// the tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "grid/columns/ExtColumnGrid.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/GridHands.h"
#include "tests/common/Snapshot.h"
#include "tests/common/TestFolder.h"
#include "tests/common/UserInput.h"

using namespace hands;

class OpcUaWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        SW_Code = "RO41R08";
        Enable_Jump_Field_Tables = false;
        Double_Click_Auto_Size = false;
        Dir = Test_Folder("opcuawin");
        FileName_OPC_UA_Client = PathJoin(Dir, "OPC_UA_Client.xml");
        FileName_OPC_UA_Server = PathJoin(Dir, "OPC_UA_Server.xml");
        Saved_Exe_Path = Exe_Path;
        Exe_Path = OPCUA_STANDIN_DIR;
    }
    void TearDown() override
    {
        for (auto it = Forms.rbegin(); it != Forms.rend(); ++it) (*it)->Free();
        FileName_OPC_UA_Client.clear();
        FileName_OPC_UA_Server.clear();
        Exe_Path = Saved_Exe_Path;
        std::filesystem::remove_all(Dir);
    }

    template <class T>
    T* Make(T*& Global)
    {
        auto* w = new T(nullptr);
        w->AfterConstruction();
        Forms.push_back(w);
        Global = w;
        return w;
    }

    // Lets the event loop run until Done or two seconds have passed.
    template <class F>
    static bool Wait_Until(F Done)
    {
        for (int i = 0; i < 200; ++i) {
            Pump();
            if (Done()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    static String Text(int Number) { return Lang_Strings[Number]; }
    // The texts of the message boxes the script answered.
    static std::vector<String> Boxes(const TInteractionScript& Script)
    {
        std::vector<String> v;
        for (const TInteractionRecord& r : Script.Records())
            if (r.Kind == ikMessageBox) v.push_back(r.Text);
        return v;
    }

    String Dir;
    String Saved_Exe_Path;
    std::vector<TForm*> Forms;
};
