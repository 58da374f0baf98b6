// Showing the CAN transmit editor (18 columns, 512 rows, eight byte lists of 3401 items
// rebuilt at every showing) with a full file and pressing OK on it, against loading and
// saving the same file with the XML layer alone: what the lists, the table, its checks
// and the grid add to the file work.
#include "bench/EditorBench.h"
#include "editors/fieldbus/UTransmitCAN.h"
#include "shell/UComon.h"

namespace {

// A CAN_Send_Frames.xml of 512 frames that pass every check.
void Fill_Frames(TXMLDocument& Doc)
{
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
}

void BM_CAN_Transmit_Editor_Show_And_OK(benchmark::State& State)
{
    TBench_File Full("bench_can_editor", "CAN_Send_Frames.xml", Fill_Frames);
    FileName_CAN_Send_Frames = Full.File;
    Bench_Show_And_OK<TFTransmitCAN>(State, "TFTransmitCAN");
}
BENCHMARK(BM_CAN_Transmit_Editor_Show_And_OK)->Unit(benchmark::kMillisecond);

void BM_XML_Load_And_Save(benchmark::State& State)
{
    TBench_File Full("bench_can_editor", "CAN_Send_Frames.xml", Fill_Frames);
    Bench_XML_Load_And_Save(State, Full.File);
}
BENCHMARK(BM_XML_Load_And_Save)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return Editor_Bench_Main(argc, argv); }
