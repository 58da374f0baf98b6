#pragma once
// Helpers of the image tests: a scratch configuration folder, the fixtures, little-endian
// reads and golden-file comparison.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <regex>
#include <unistd.h>
#include <utility>
#include <vector>

#include "converter/UBinImages.h"
#include "platform/os/Files.h"

namespace image_test {

inline std::string Data_File(const std::string& Name) { return std::string(CONVERTER_TEST_DATA) + "/" + Name; }
inline std::string Fixture(const std::string& Name) { return ReadFileBytes(Data_File(Name)); }

inline uint32_t U8(const std::vector<uint8_t>& b, int at) { return b.at(at); }
inline uint32_t U16(const std::vector<uint8_t>& b, int at) { return b.at(at) | b.at(at + 1) << 8; }
inline uint32_t U32(const std::vector<uint8_t>& b, int at) { return U16(b, at) | U16(b, at + 2) << 16; }
inline float F32(const std::vector<uint8_t>& b, int at)
{
    uint32_t v = U32(b, at);
    float f;
    std::memcpy(&f, &v, 4);
    return f;
}
inline std::vector<uint8_t> Bytes(const std::vector<uint8_t>& b, int at, int n)
{
    return std::vector<uint8_t>(b.begin() + at, b.begin() + at + n);
}
inline bool All_Zero(const std::vector<uint8_t>& b, int from, int to)   // [from, to)
{
    for (int i = from; i < to; ++i)
        if (b.at(i) != 0) return false;
    return true;
}

// bank2.bin offsets
constexpr int LoRa = 24576;                    // the LoRaWAN block
inline int KNX_Entry(int n) { return n * 24; }
inline int Uplink(int n) { return LoRa + 1024 + n * 12; }
inline int Downlink(int n) { return LoRa + 4096 + n * 12; }

// Compares with a golden file of tests/converter/data. CONF_UPDATE_GOLDEN=1 in the
// environment rewrites the file first (only after the explicit assertions passed).
inline void Expect_Golden(const std::vector<uint8_t>& Image, const std::string& Name)
{
    const std::string Path = Data_File(Name);
    const std::string_view Bytes_View(reinterpret_cast<const char*>(Image.data()), Image.size());
    if (std::getenv("CONF_UPDATE_GOLDEN") && !::testing::Test::HasFailure()) WriteFileAtomic(Path, Bytes_View);
    const std::string Golden = ReadFileBytes(Path);
    ASSERT_EQ(Golden.size(), Image.size()) << Name;
    for (size_t i = 0; i < Golden.size(); ++i)
        if (static_cast<uint8_t>(Golden[i]) != Image[i]) {
            ADD_FAILURE() << Name << ": first difference at offset " << i << " (golden "
                          << int(static_cast<uint8_t>(Golden[i])) << ", built " << int(Image[i]) << ")";
            return;
        }
}

// ParGen_defaults.xml with some keys changed: {key, value} replaces the element's text,
// {key, nullptr} removes the element.
inline std::string ParGen_With(const std::vector<std::pair<std::string, const char*>>& Changes)
{
    std::string Xml = Fixture("ParGen_defaults.xml");
    for (const auto& [Key, Value] : Changes) {
        const std::regex Element("\n  <" + Key + "(/>|>[^<]*</" + Key + ">)");
        EXPECT_TRUE(std::regex_search(Xml, Element)) << "no element " << Key;
        Xml = std::regex_replace(Xml, Element,
                                 Value ? "\n  <" + Key + ">" + Value + "</" + Key + ">" : std::string());
    }
    return Xml;
}

// A configuration folder of its own for each test, removed afterwards.
class TConfigTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::atomic<int> Counter{0};
        Folder = (std::filesystem::temp_directory_path() /
                  ("conv_test_" + std::to_string(::getpid()) + "_" + std::to_string(Counter++)))
                     .string();
        std::filesystem::create_directories(Folder);
        ParGen = PathJoin(Folder, "ParGen.xml");
        KNX = PathJoin(Folder, "KNX_SetAccess.xml");
        LoRaWAN = PathJoin(Folder, "LoRaWAN_SetAccess.xml");
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(Folder, ec);
    }
    void Write(const std::string& Path, const std::string& Text) { WriteFileAtomic(Path, Text); }
    TBin_Images Build() { return Build_Bin_Images(ParGen, KNX, LoRaWAN); }

    std::string Folder, ParGen, KNX, LoRaWAN;
};

}   // namespace image_test
