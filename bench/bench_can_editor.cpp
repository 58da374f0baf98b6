// Showing the CAN transmit editor (18 columns, 512 rows, eight byte lists of 3401 items
// rebuilt at every showing) with a full file and pressing OK on it, against loading and
// saving the same file with the XML layer alone: what the lists, the table, its checks
// and the grid add to the file work.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "editors/fieldbus/UTransmitCAN.h"
#include "gridedit/GridEditors.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "tests/common/UserInput.h"

namespace {

// A configuration folder holding a CAN_Send_Frames.xml of 512 frames that pass every check.
struct TFull_File {
    std::string Folder, File;
    TFull_File()
    {
        Folder = (std::filesystem::temp_directory_path() / ("bench_can_editor_" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(Folder);
        File = PathJoin(Folder, "CAN_Send_Frames.xml");
        TXMLDocument Doc;
        TXMLNode Root = Doc.AddChild("Transmit_Frames");
        Doc.AddComment("SW_VERSION = 1.000");
        for (int i = 0; i < 512; ++i) {
            TXMLNode Row = Root.AddChild("row");
            Row.SetAttribute("Enable", i % 9 ? "Y" : "N");
            Row.SetAttribute("COBID", "0x" + std::to_string(100 + i));
            Row.SetAttribute("CAN_Type", i % 2 ? "2.0A (11 bits)" : "2.0B (29 bits)");
            Row.SetAttribute("Dim", "8");
            Row.SetAttribute("OnChange", "Y");
            Row.SetAttribute("OnCMD", "N");
            Row.SetAttribute("OnTimer", i % 3 ? "N" : "Y");
            Row.SetAttribute("Time", "1000");
            for (int k = 1; k <= 8; ++k) Row.SetAttribute("Byte" + std::to_string(k), std::to_string((i * 8 + k) % 3400));
            Row.SetAttribute("Mnemonic", "Frame " + std::to_string(i));
        }
        Doc.SaveToFile(File);
    }
    ~TFull_File()
    {
        std::error_code ec;
        std::filesystem::remove_all(Folder, ec);
    }
};

void BM_CAN_Transmit_Editor_Show_And_OK(benchmark::State& State)
{
    TFull_File Full;
    FileName_CAN_Send_Frames = Full.File;
    TFTransmitCAN* W = new TFTransmitCAN(nullptr);
    W->AfterConstruction();
    TInteractionScript Script;
    for (auto _ : State) {
        Script.OnForm(
            [W](TForm*) {
                UserClick(W->Btn_OK);
                return mrNone;
            },
            "TFTransmitCAN");
        if (W->ShowModal() != mrOk) State.SkipWithError("OK did not close the editor");
    }
    W->Free();
    if (!Script.Problems().empty()) State.SkipWithError(Script.Problems().c_str());
}
BENCHMARK(BM_CAN_Transmit_Editor_Show_And_OK)->Unit(benchmark::kMillisecond);

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
