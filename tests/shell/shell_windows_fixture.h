#pragma once
// A program folder of its own for each test, the shell's windows created in it, and a
// scripted user answering every message box and modal window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"
#include "shell/USoftOptions.h"

class ShellWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/shellwin-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        Dir = tmpl;
        Program_Folder_Override = Dir;
        Version_Server.clear();
        Version_Check_Timeout_Ms = 5000;
        Main_Window_Steps = TMain_Window_Steps{};
    }

    void TearDown() override
    {
        Free_Windows();
        Program_Folder_Override.clear();
        Version_Server.clear();
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
        EXPECT_EQ(Script.Problems(), "");
    }

    // The start: every shell window, main window first.
    void Start()
    {
        Plug_Shell_Windows();
        Create_Windows();
        ASSERT_NE(FDuvazaradFirmWare, nullptr);
    }

    // What closing the main window runs, without ending the application (which would
    // stay ended for the rest of the test program). The window must let itself close.
    static void Close_Main_Window()
    {
        TCloseAction action = caHide;
        FDuvazaradFirmWare->OnClose(FDuvazaradFirmWare, action);
        EXPECT_EQ(action, caHide);
    }

    String Path(const String& rel) const { return PathJoin(Dir, rel); }

    void Write(const String& rel, const String& text) const
    {
        std::filesystem::create_directories(std::filesystem::path(Path(rel)).parent_path());
        std::ofstream(Path(rel), std::ios::binary) << text;
    }

    String Read(const String& rel) const
    {
        std::ifstream in(Path(rel), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    static String Settings(const String& body) { return "<Conf_Settings>" + body + "</Conf_Settings>"; }

    static const String& Text(int n) { return Lang_Strings.Strings(n); }

    String Dir;
    TInteractionScript Script;
};
