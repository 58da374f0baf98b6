#pragma once
// A grid on a shown form for the exchange suites, a folder of the test's own, and the
// helpers they share: reading files whole, golden files, outside tools.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "grid/core/ExtGrid.h"
#include "gridext/exchange/GridExchange.h"
#include "platform/gui/Forms.h"
#include "platform/os/Files.h"
#include "tests/common/TestFolder.h"

class ExchangeTest : public ::testing::Test {
public:
    TForm* Form = nullptr;
    TExtStringGrid* Grid = nullptr;
    std::string Dir;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetClientWidth(520);
        Form->SetClientHeight(320);
        Grid = NewGrid();
        Form->Show();
        Dir = Test_Folder("gridexchange");
    }
    void TearDown() override { delete Form; }

    TExtStringGrid* NewGrid()
    {
        auto* g = new TExtStringGrid(Form);
        g->SetParent(Form);
        g->SetBounds(0, 0, 500, 300);
        return g;
    }
    std::string Path(const std::string& Name) const { return Dir + "/" + Name; }

    static std::string Bytes(const std::string& Path) { return ReadFileBytes(Path); }
    static void Put(const std::string& Path, const std::string& Bytes)
    {
        std::ofstream(Path, std::ios::binary) << Bytes;
    }

    // The golden file of a writer in tests/gridext/data/exchange; with
    // UPDATE_GOLDEN=1 in the environment the file is written instead.
    static void ExpectGolden(const std::string& Name, const std::string& Actual)
    {
        const std::string golden = std::string(GRIDEXT_EXCHANGE_DATA) + "/" + Name;
        if (std::getenv("UPDATE_GOLDEN")) Put(golden, Actual);
        ASSERT_TRUE(FileExists(golden)) << golden;
        EXPECT_EQ(ReadFileBytes(golden), Actual) << "writer output differs from " << golden;
    }

    // The output and exit code of a shell command.
    static int Run(const std::string& Command, std::string& Out)
    {
        Out.clear();
        FILE* p = ::popen(Command.c_str(), "r");
        if (!p) return -1;
        char buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) Out.append(buf, n);
        return ::pclose(p);
    }
    static bool HaveTool(const std::string& Tool)
    {
        std::string out;
        return Run("command -v " + Tool + " >/dev/null 2>&1 && echo yes", out) == 0 && out.find("yes") == 0;
    }
};
