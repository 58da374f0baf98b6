// Showing the KNX editor with a full file (1024 rules) and pressing OK on it, against
// loading and saving the same file with the XML layer alone: what the table, its checks
// and the grid add to the file work.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "editors/fieldbus/UKNXAccess.h"
#include "gridedit/GridEditors.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "tests/common/UserInput.h"
#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

// A configuration folder holding a KNX_SetAccess.xml of 1024 rules that pass every check.
struct TFull_File {
    std::string Folder, File;
    TFull_File()
    {
        Folder = (std::filesystem::temp_directory_path() / ("bench_knx_editor_" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(Folder);
        File = PathJoin(Folder, "KNX_SetAccess.xml");
        TXMLDocument Doc;
        TXMLNode Section = Doc.AddChild("BACnet_to_KNX").AddChild("KNX_in_Write");
        Doc.AddComment("SW_VERSION = 1.002");
        for (int i = 0; i < 1024; ++i) {
            TXMLNode Row = Section.AddChild("row");
            const std::pair<const char*, std::string> Attributes[] = {
                {"Enable", i % 7 ? "Y" : "N"},
                {"Source_Address", "1.1." + std::to_string(i % 256)},
                {"Destination_Address",
                 std::to_string(i % 31 + 1) + "/" + std::to_string(i % 8) + "/" + std::to_string(i % 256)},
                {"APCI", i % 2 ? "Write" : "Read"},
                {"Priority", "Low"},
                {"Format", "Swap16"},
                {"MultiplicationFactor", "0,5"},
                {"Extended", "N"},
                {"ReTest", "Y"},
                {"On_Command", "N"},
                {"On_Change", "Y"},
                {"On_Timer", "Y"},
                {"Poll_Time", "1000"},
                {"Position", std::to_string(i)},
                {"Bit_Mode", i % 3 ? "No" : "3"},
                {"Length", "1"},
                {"TimeOut", "5000"},
                {"Mnemonic", "Rule " + std::to_string(i)}};
            for (const auto& [Name, Value] : Attributes) Row.SetAttribute(Name, Value);
        }
        Doc.SaveToFile(File);
    }
    ~TFull_File()
    {
        std::error_code ec;
        std::filesystem::remove_all(Folder, ec);
    }
};

void BM_KNX_Editor_Show_And_OK(benchmark::State& State)
{
    TFull_File Full;
    FileName_KNX_SetAccess = Full.File;
    TFKNXAccess* W = new TFKNXAccess(nullptr);
    W->AfterConstruction();
    TInteractionScript Script;
    for (auto _ : State) {
        Script.OnForm(
            [W](TForm*) {
                UserClick(W->Btn_OK);
                return mrNone;
            },
            "TFKNXAccess");
        if (W->ShowModal() != mrOk) State.SkipWithError("OK did not close the editor");
    }
    W->Free();
    if (!Script.Problems().empty()) State.SkipWithError(Script.Problems().c_str());
}
BENCHMARK(BM_KNX_Editor_Show_And_OK)->Unit(benchmark::kMillisecond);

void BM_XML_Load_And_Save(benchmark::State& State)
{
    TFull_File Full;
    TXMLDocument Doc;
    for (auto _ : State) {
        Doc.LoadFromFile(Full.File);
        Doc.SaveToFile(Full.File);
    }
}
BENCHMARK(BM_XML_Load_And_Save)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    Register_Grid_Editors();
    Load_Default_Texts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
