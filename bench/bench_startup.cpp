// The cost of the start: creating every window that exists (the main window's creation
// fills the text table and reads the settings and the language file), against creating
// as many empty forms; and the text table and a full language file on their own.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/gui/Forms.h"
#include "platform/os/Files.h"
#include "shell/UComon.h"
#include "shell/UDuvazaradFirmWare.h"
#include "shell/UFormTable.h"
#include "shell/ULanguage.h"

namespace {

// A program folder with a settings file naming a language whose file sets all 6300 entries.
struct ProgramFolder {
    String Dir;
    ProgramFolder()
    {
        char tmpl[] = "/tmp/bench-startup-XXXXXX";
        Dir = ::mkdtemp(tmpl);
        std::filesystem::create_directories(Dir + "/LANGUAGE");
        std::ofstream lng(Dir + "/LANGUAGE/Bench.lng", std::ios::binary);
        for (int n = 0; n < Builtin_Text_Total; ++n) lng << "STR" << n << " = Text number " << n << " of the table\r\n";
        std::ofstream(Dir + "/Ruduziv.xml") << "<Conf_Settings><lastlang><language>Bench</language></lastlang></Conf_Settings>";
        Program_Folder_Override = Dir;
    }
    ~ProgramFolder()
    {
        Program_Folder_Override.clear();
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
};

int Plugged_Windows()
{
    int n = 0;
    for (int i = 0; i < Window_Count; ++i)
        if (Window_Entry(i).Create) ++n;
    return n;
}

void BM_CreateAllWindows(benchmark::State& state)
{
    ProgramFolder folder;
    Plug_Shell_Windows();
    for (auto _ : state) {
        Create_Windows();
        state.PauseTiming();
        Free_Windows();
        state.ResumeTiming();
    }
    state.counters["windows"] = Plugged_Windows();
}
BENCHMARK(BM_CreateAllWindows)->Unit(benchmark::kMillisecond);

void BM_CreateEmptyForms(benchmark::State& state)
{
    Plug_Shell_Windows();
    const int n = Plugged_Windows();
    std::vector<TForm*> forms;
    for (auto _ : state) {
        for (int i = 0; i < n; ++i) {
            TForm* f = new TForm(Application);
            f->AfterConstruction();
            forms.push_back(f);
        }
        state.PauseTiming();
        for (TForm* f : forms) f->Free();
        forms.clear();
        state.ResumeTiming();
    }
    state.counters["windows"] = n;
}
BENCHMARK(BM_CreateEmptyForms)->Unit(benchmark::kMillisecond);

void BM_FillTextTable(benchmark::State& state)
{
    for (auto _ : state) {
        Load_Default_Texts();
        benchmark::DoNotOptimize(Lang_Strings.Count());
    }
}
BENCHMARK(BM_FillTextTable)->Unit(benchmark::kMicrosecond);

void BM_LoadLanguageFile6300Lines(benchmark::State& state)
{
    ProgramFolder folder;
    Language_Path = folder.Dir + "/LANGUAGE";
    for (auto _ : state) {
        Language_Name = "Bench";
        Load_Language();
        benchmark::DoNotOptimize(Lang_Strings.Count());
    }
}
BENCHMARK(BM_LoadLanguageFile6300Lines)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application->Initialize();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
