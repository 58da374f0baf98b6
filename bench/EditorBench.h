#pragma once
// What the table-editor benchmarks share: a temporary configuration folder holding a full
// file, showing an editor and pressing OK on it, the baseline of loading and saving the
// same file with the XML layer alone, and the program's start.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

#include "gridedit/GridEditors.h"
#include "platform/gui/Dialogs.h"
#include "platform/gui/Forms.h"
#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"
#include "shell/ULanguage.h"
#include "tests/common/UserInput.h"

// A folder of its own holding the file Name, written by Fill; removed at the end.
struct TBench_File {
    std::string Folder, File;
    TBench_File(const std::string& Tag, const std::string& Name, const std::function<void(TXMLDocument&)>& Fill)
    {
        Folder = (std::filesystem::temp_directory_path() / (Tag + "_" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(Folder);
        File = PathJoin(Folder, Name);
        TXMLDocument Doc;
        Fill(Doc);
        Doc.SaveToFile(File);
    }
    ~TBench_File()
    {
        std::error_code ec;
        std::filesystem::remove_all(Folder, ec);
    }
    TBench_File(const TBench_File&) = delete;
    TBench_File& operator=(const TBench_File&) = delete;
};

// Shows the editor window W (of class ClassName) once per iteration and presses its OK.
template <class TWindow>
void Bench_Show_And_OK(benchmark::State& State, const char* ClassName)
{
    TWindow* W = new TWindow(nullptr);
    W->AfterConstruction();
    TInteractionScript Script;
    for (auto _ : State) {
        Script.OnForm(
            [W](TForm*) {
                UserClick(W->Btn_OK);
                return mrNone;
            },
            ClassName);
        if (W->ShowModal() != mrOk) State.SkipWithError("OK did not close the editor");
    }
    W->Free();
    if (!Script.Problems().empty()) State.SkipWithError(Script.Problems().c_str());
}

// The baseline: the same file loaded and saved with the XML layer alone.
inline void Bench_XML_Load_And_Save(benchmark::State& State, const std::string& File)
{
    TXMLDocument Doc;
    for (auto _ : State) {
        Doc.LoadFromFile(File);
        Doc.SaveToFile(File);
    }
}

inline int Editor_Bench_Main(int argc, char** argv)
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
