// Building both configuration images from full tables (1024 KNX rows, 256 uplinks and
// 256 downlinks), against just loading the same three XML files: the build should cost
// little more than the load.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "converter/UBinImages.h"
#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"

namespace {

struct TFull_Configuration {
    std::string Folder, ParGen, KNX, LoRaWAN;

    TFull_Configuration()
    {
        Folder = (std::filesystem::temp_directory_path() / ("bench_images_" + std::to_string(::getpid()))).string();
        std::filesystem::create_directories(Folder);
        ParGen = PathJoin(Folder, "ParGen.xml");
        KNX = PathJoin(Folder, "KNX_SetAccess.xml");
        LoRaWAN = PathJoin(Folder, "LoRaWAN_SetAccess.xml");

        TXMLDocument Doc;
        TXMLNode Root = Doc.AddChild("Par_Gen");
        Doc.AddComment("SW_VERSION = 1.002");
        const char* Keys[][2] = {
            {"Eth_Conn_Device_Name", "Converter"}, {"Eth_Conn_DHCP_Cable", "0"}, {"Eth_Conn_Enable_DNS", "1"},
            {"Eth_Conn_Primary_DNS1", "8"}, {"Eth_Conn_Primary_DNS2", "8"}, {"Eth_Conn_Primary_DNS3", "8"},
            {"Eth_Conn_Primary_DNS4", "8"}, {"Eth_Conn_Secondary_DNS1", "8"}, {"Eth_Conn_Secondary_DNS2", "8"},
            {"Eth_Conn_Secondary_DNS3", "4"}, {"Eth_Conn_Secondary_DNS4", "4"}, {"LoRa_RF_Band", "EU868"},
            {"LoRa_Network_Type", "Public"}, {"LoRa_Adaptive_DataRate", "1"},
            {"LoRa_DataRate", "5 -\tLoRa: SF7/125kHz 5470 [bit/s]"}, {"LoRa_Transmission_Type", "Confirmed"},
            {"LoRa_Payload_Size", "222"}, {"LoRa_Activation_Method", "Activation by Personalization [ABP]"},
            {"LoRa_Device_Address", "26011BDA"}, {"LoRa_JoinEUI", "70B3D57ED0000001"},
            {"LoRa_Network_Session_Key", "2B7E151628AED2A6ABF7158809CF4F3C"},
            {"LoRa_Application_Session_Key", "000102030405060708090A0B0C0D0E0F"}, {"LoRa_FPort", "Fixed"},
            {"LoRa_Frequency_SubBand", "1"}, {"Ethernet_IP1", "192"}, {"Ethernet_IP2", "168"},
            {"Ethernet_IP3", "0"}, {"Ethernet_IP4", "10"}, {"Ethernet_EN_GAT", "1"}, {"KNX_ID_DEV", "1.1.200"}};
        for (const auto& k : Keys) Root.AddChild(k[0]).SetText(k[1]);
        Doc.SaveToFile(ParGen);

        Doc.Clear();
        TXMLNode Section = Doc.AddChild("BACnet_to_KNX").AddChild("KNX_in_Write");
        Doc.AddComment("SW_VERSION = 1.002");
        for (int i = 0; i < 1024; ++i) {
            TXMLNode Row = Section.AddChild("row");
            Row.SetAttribute("Enable", "Y");
            Row.SetAttribute("Source_Address", "1.1." + std::to_string(i % 256));
            Row.SetAttribute("Destination_Address", std::to_string(i % 32) + "/" + std::to_string(i % 8) + "/" +
                                                        std::to_string(i % 256));
            Row.SetAttribute("APCI", i % 2 ? "Write" : "Read");
            Row.SetAttribute("Priority", "Low");
            Row.SetAttribute("Format", "Swap16");
            Row.SetAttribute("MultiplicationFactor", "0,5");
            Row.SetAttribute("Extended", "N");
            Row.SetAttribute("ReTest", "Y");
            Row.SetAttribute("On_Command", "N");
            Row.SetAttribute("On_Change", "Y");
            Row.SetAttribute("On_Timer", "Y");
            Row.SetAttribute("Poll_Time", "1000");
            Row.SetAttribute("Position", std::to_string(i % 1500));
            Row.SetAttribute("Bit_Mode", i % 3 ? "No" : "3");
            Row.SetAttribute("Length", "1");
            Row.SetAttribute("TimeOut", "5000");
            Row.SetAttribute("Mnemonic", "Rule " + std::to_string(i));
        }
        Doc.SaveToFile(KNX);

        Doc.Clear();
        TXMLNode LoRa = Doc.AddChild("LoRaWAN_Set_Access");
        Doc.AddComment("SW_VERSION = 1.002");
        TXMLNode Up = LoRa.AddChild("LoRaWAN_Uplink");
        TXMLNode Down = LoRa.AddChild("LoRaWAN_Downlink");
        for (int i = 0; i < 256; ++i) {
            TXMLNode Row = Up.AddChild("row");
            for (const auto& [Name, Value] : {std::pair<const char*, std::string>{"Enable", "Y"},
                                              {"StartByte", std::to_string(i * 4)}, {"NumByte", "4"},
                                              {"OnChange", "Y"}, {"OnCMD", "N"}, {"OnTimer", "Y"}, {"Time", "60"},
                                              {"FPort", "2"}, {"Mnemonic", "Uplink " + std::to_string(i)}})
                Row.SetAttribute(Name, Value);
            Row = Down.AddChild("row");
            for (const auto& [Name, Value] : {std::pair<const char*, std::string>{"Enable", "Y"},
                                              {"StartByte", std::to_string(1024 + i)}, {"NumByte", "1"},
                                              {"FPort", "2"}, {"Mnemonic", "Downlink " + std::to_string(i)}})
                Row.SetAttribute(Name, Value);
        }
        Doc.SaveToFile(LoRaWAN);
    }
    ~TFull_Configuration()
    {
        std::error_code ec;
        std::filesystem::remove_all(Folder, ec);
    }
};

const TFull_Configuration& Configuration()
{
    static TFull_Configuration c;
    return c;
}

// Baseline: loading the three files, as the build does, and nothing else.
void BM_Load_Configuration_Files(benchmark::State& state)
{
    const auto& c = Configuration();
    for (auto _ : state) {
        TXMLDocument ParGen, KNX, LoRaWAN;
        ParGen.LoadFromFile(c.ParGen);
        KNX.LoadFromFile(c.KNX);
        LoRaWAN.LoadFromFile(c.LoRaWAN);
        benchmark::DoNotOptimize(KNX.DocumentElement());
    }
}
BENCHMARK(BM_Load_Configuration_Files)->Unit(benchmark::kMicrosecond);

void BM_Build_Bin_Images(benchmark::State& state)
{
    const auto& c = Configuration();
    for (auto _ : state) {
        TBin_Images Images = Build_Bin_Images(c.ParGen, c.KNX, c.LoRaWAN);
        benchmark::DoNotOptimize(Images.Bank2.data());
    }
}
BENCHMARK(BM_Build_Bin_Images)->Unit(benchmark::kMicrosecond);

}   // namespace

BENCHMARK_MAIN();
