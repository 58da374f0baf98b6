#pragma once
// A configuration folder of the test's own with the workspace paths pointing into it, the
// description clock stopped at a known moment, a script standing in for the user, and
// the golden files the writers' output is compared with byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "devdesc/UDevDescFile.h"
#include "platform/gui/Dialogs.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/TestFolder.h"

class DevDescFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dir = Test_Folder("devdesc");
        Project_Name = "Plant1";
        Project_Path = Dir;
        FileName_ParGen = Path("ParGen.xml");
        FileName_BACnet_Slave_SetAccess = Path("BACnet_Slave_SetAccess.xml");
        FileName_PDO_CANopen = Path("PDO_CANopen.xml");
        FileName_SDO_Server_CANopen = Path("SDO_Server_CANopen.xml");
        FileName_SNMP_Trap = Path("SNMP_Trap.xml");
        At(2024, 3, 5, 14, 7, 9);
        // The texts and the software code the main window's creation would set.
        Load_Default_Texts();
        Load_Default_Texts_2();
        Load_Default_Texts_3();
        Load_Default_Texts_4();
        SW_Code = Const_SW_Code;
    }
    void TearDown() override
    {
        Description_Clock = nullptr;
        Project_Path.clear();
        Project_Name.clear();
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }

    // Stops the description clock at that local date and time.
    static void At(int y, int mo, int d, int h, int mi, int s)
    {
        const TDateTime t = EncodeDate(y, mo, d) + EncodeTime(h, mi, s, 0);
        Description_Clock = [t] { return t; };
    }

    String Path(const String& Name) const { return Dir + "/" + Name; }
    void Write(const String& Name, const String& Text) const
    {
        std::ofstream(Path(Name), std::ios::binary) << Text;
    }
    static String Read_File(const String& Full)
    {
        std::ifstream in(Full, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    String Read(const String& Name) const { return Read_File(Path(Name)); }

    // The file equals the golden file of that name; a differing file is left beside the
    // suite's output for a look.
    void Expect_Golden(const String& Written, const String& Golden) const
    {
        const String actual = Read_File(Written);
        const String expected = Read_File(String(DEVDESC_DATA_DIR) + "/" + Golden);
        if (actual != expected) {
            std::ofstream(String(TEST_OUTPUT_DIR) + "/" + Golden, std::ios::binary) << actual;
            ADD_FAILURE() << Golden << " differs; the written file is in " << TEST_OUTPUT_DIR;
        }
    }

    // The file's text split at CR LF (a final empty part dropped); a lone LF or CR stays
    // inside its line, so a line end other than CR LF shows up in the lines.
    static std::vector<String> Lines_Of(const String& Text)
    {
        std::vector<String> lines = SplitString(Text, "\r\n");
        if (!lines.empty() && lines.back().empty()) lines.pop_back();
        return lines;
    }

    // Runs a program with the file and returns what it printed (both streams) and its exit
    // status.
    static int Run(const String& Command, String& Output)
    {
        Output.clear();
        FILE* p = ::popen((Command + " 2>&1").c_str(), "r");
        if (!p) return -1;
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) Output.append(buf, n);
        return ::pclose(p);
    }
    static bool Have(const char* Tool)
    {
        String out;
        return Run(String("command -v ") + Tool, out) == 0;
    }

    String Dir;
    TInteractionScript Script;
};
