#pragma once
// The program's windows, created in the program's order in a program folder of the
// test's own, and the user's way to a new configuration through the main window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>

#include "platform/gui/Dialogs.h"
#include "tests/common/UserInput.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UFormTable.h"
#include "shell/UNew_Project.h"

class ProgramFixture : public ::testing::Test {
protected:
    // plugs: the parts' plug calls after the shell's, as app/main.cpp makes them.
    void Start_Program(std::initializer_list<void (*)()> plugs)
    {
        char tmpl[] = "/tmp/program-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        Dir = tmpl;
        Program_Folder_Override = Dir;
        Plug_Shell_Windows();
        for (void (*plug)() : plugs) plug();
        Create_Windows();
        ASSERT_NE(FDuvazaradFirmWare, nullptr);
    }

    void TearDown() override
    {
        Free_Windows();
        Program_Folder_Override.clear();
        if (!Dir.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(Dir, ec);
        }
    }

    // Step 1 as the user takes it: the new-configuration dialog, a name, OK.
    static void New_Configuration(TInteractionScript& script, const String& name)
    {
        script.OnForm(
            [name](TForm*) {
                FNew_Project->E_New_Proj->SetText(name);
                UserClick(FNew_Project->Btn_OK);
                return mrNone;
            },
            "TFNew_Project");
        UserClick(FDuvazaradFirmWare->Btn_New);
        ASSERT_FALSE(Project_Path.empty());
    }

    String Dir;
};
