// Showing the KNX editor with a full file (1024 rules) and pressing OK on it, against
// loading and saving the same file with the XML layer alone: what the table, its checks
// and the grid add to the file work.
#include "bench/EditorBench.h"
#include "editors/fieldbus/UKNXAccess.h"
#include "shell/UComon.h"

namespace {

// A KNX_SetAccess.xml of 1024 rules that pass every check.
void Fill_Rules(TXMLDocument& Doc)
{
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
}

void BM_KNX_Editor_Show_And_OK(benchmark::State& State)
{
    TBench_File Full("bench_knx_editor", "KNX_SetAccess.xml", Fill_Rules);
    FileName_KNX_SetAccess = Full.File;
    Bench_Show_And_OK<TFKNXAccess>(State, "TFKNXAccess");
}
BENCHMARK(BM_KNX_Editor_Show_And_OK)->Unit(benchmark::kMillisecond);

void BM_XML_Load_And_Save(benchmark::State& State)
{
    TBench_File Full("bench_knx_editor", "KNX_SetAccess.xml", Fill_Rules);
    Bench_XML_Load_And_Save(State, Full.File);
}
BENCHMARK(BM_XML_Load_And_Save)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return Editor_Bench_Main(argc, argv); }
