// Address checks, code maps, decimal numbers, serial ports and SNMP identifiers.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "platform/os/Files.h"
#include "platform/os/Regional.h"
#include "shell/UComon.h"

namespace {

TEST(Parsers, SplitIpAddress)
{
    const struct {
        const char* text;
        bool valid;
        const char* parts[4];
    } cases[] = {
        {" 192 . 168 . 1 . 10 ", true, {"192", "168", "1", "10"}},
        {"0.0.0.0", true, {"0", "0", "0", "0"}},
        {"255.255.255.255", true, {"255", "255", "255", "255"}},
        {"192.168.1", false, {"192", "168", "?", "?"}},        // parts set as far as the split got
        {"192.168.1.10.5", false, {"192", "168", "1", "10.5"}},
        {"192.168.1.256", false, {"192", "168", "1", "256"}},
        {"192.168.x.1", false, {"192", "168", "x", "1"}},
        {"192.168..1", false, {"192", "168", "", "1"}},
        {"", false, {"?", "?", "?", "?"}},
    };
    for (const auto& c : cases) {
        String p[4] = {"?", "?", "?", "?"};
        EXPECT_EQ(Split_IP_Address(c.text, p[0], p[1], p[2], p[3]), c.valid) << c.text;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(p[i], c.parts[i]) << c.text << " part " << i + 1;
    }
}

TEST(Parsers, IpToBytesReportsErrorsAsTrue)
{
    const struct {
        const char* text;
        bool error;
        uint8_t b[4];
    } cases[] = {
        {"10.0.0.300", true, {10, 0, 0, 0}},
        {"192.168.1.10", false, {192, 168, 1, 10}},
        {"1.2.3.4.5", true, {1, 2, 3, 0}},     // further dots make part 4 an error
        {"10.20", true, {10, 0, 0, 20}},       // missing parts are errors, the rest stays for part 4
        {"a.2.3.4", true, {0, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        uint8_t b[4] = {99, 99, 99, 99};
        EXPECT_EQ(IP_To_Bytes(c.text, b[0], b[1], b[2], b[3]), c.error) << c.text;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(b[i], c.b[i]) << c.text << " byte " << i + 1;
    }
    uint8_t b[4] = {7, 7, 7, 7};
    EXPECT_TRUE(IP_To_Bytes("", b[0], b[1], b[2], b[3]));
    EXPECT_EQ(b[0] + b[1] + b[2] + b[3], 28) << "an empty text leaves the bytes untouched";
}

TEST(Parsers, SplitIpPort)
{
    const struct {
        const char* text;
        bool valid;
        uint8_t b[4];
        uint16_t port;
    } cases[] = {
        {"192.168.1.10:502", true, {192, 168, 1, 10}, 502},
        {" 10 . 0 . 0 . 1 : 65535 ", true, {10, 0, 0, 1}, 65535},
        {"192.168.1.10", false, {0, 0, 0, 0}, 0},
        {"192.168.1.10:65536", false, {0, 0, 0, 0}, 0},
        {"192.168.1.256:80", false, {0, 0, 0, 0}, 0},
        {"192.168:80", false, {0, 0, 0, 0}, 0},
        {"", false, {0, 0, 0, 0}, 0},
    };
    for (const auto& c : cases) {
        uint8_t b[4] = {9, 9, 9, 9};
        uint16_t port = 9;
        EXPECT_EQ(Split_IP_Port(c.text, b[0], b[1], b[2], b[3], port), c.valid) << c.text;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(b[i], c.b[i]) << c.text << " byte " << i + 1;
        EXPECT_EQ(port, c.port) << c.text;
    }
}

TEST(Parsers, CheckKnxAddress)
{
    const struct {
        const char* text;
        bool group;
        bool allowZero;
        int result;
    } cases[] = {
        // individual addresses
        {"1.1.1", false, false, 0},
        {"15.15.255", false, false, 0},
        {"16.1.1", false, false, 1},
        {"1.16.1", false, false, 1},
        {"1.1.256", false, false, 1},
        {"1.1.1.1", false, true, 1},
        {"0.0.0", false, false, 1},
        {"0.0.0", false, true, 0},
        {"1/2", false, true, 1},
        {"4660", false, false, 0},
        {"65535", false, false, 0},
        {"65536", false, false, 1},
        {"0", false, true, 1},
        {" 1 . 2 . 3 ", false, false, 0},
        {"1.x.3", false, true, 1},
        // Two parts (area.device) leave the line open: refused, whatever the numbers.
        {"1.5", false, false, 1},
        {"15.255", false, true, 1},
        {"16.0", false, true, 1},
        {"0.0", false, true, 1},
        // group addresses
        {"31/7/255", true, false, 0},
        {"0/0/0", true, true, 1},
        {"0/0/1", true, false, 0},
        {"31/8/0", true, false, 1},
        {"31/2047", true, false, 0},
        {"0/0", true, true, 1},
        {"32/1", true, false, 1},
        {"1/2048", true, false, 1},
        {"1/2/3/4", true, false, 1},
        {"1.2", true, false, 1},
        {"0", true, false, 1},
        {"65535", true, false, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Check_KNX_Address(c.text, c.group, c.allowZero), c.result)
            << c.text << (c.group ? " group" : " individual") << (c.allowZero ? " zero allowed" : "");
}

TEST(Parsers, KnxCodeMaps)
{
    EXPECT_TRUE(Has_No_Dot("1/2/3"));
    EXPECT_FALSE(Has_No_Dot("1.2.3"));

    const std::pair<const char*, int> access[] = {{"write", 128}, {"WRITE", 128}, {"Read", 0}, {"12", 12}, {"word", 0}, {"", 0}};
    for (const auto& [text, code] : access) EXPECT_EQ(KNX_Access_Code(text), code) << text;

    const std::pair<const char*, int> priority[] = {{"system", 0}, {"Urgent", 2}, {"NORMAL", 1}, {"low", 3}, {"", 1}, {"high", 1}};
    for (const auto& [text, code] : priority) EXPECT_EQ(KNX_Priority_Code(text), code) << text;

    const std::pair<const char*, uint16_t> conversion[] = {
        {"None", 0x0000}, {"swap16", 0x1000}, {"SWAP32", 0x2000}, {"Swap All", 0x3000},
        {"Int To Float", 0x4000}, {"FLOAT TO INT", 0x5000}, {"Float16 To Float32", 0x6000},
        {"FLOAT16 TO INT", 0x7000}, {"FLOAT16 TO INT * 10", 0x8000}, {"float16 to int * 100", 0x9000},
        {"SWAP64", 0x0000}, {"", 0x0000}};
    for (const auto& [text, code] : conversion) EXPECT_EQ(Conversion_Code(text), code) << text;
}

TEST(Parsers, DecimalSeparator)
{
    const std::pair<char, char> cases[] = {{',', ','}, {'.', '.'}, {';', ','}};
    for (const auto& [regional, expected] : cases) {
        SetDecimalSeparatorOverride(regional);
        EXPECT_EQ(Get_Decimal_Separator(), expected) << regional;
    }
    SetDecimalSeparatorOverride(0);
}

TEST(Parsers, StrToFloatSep)
{
    const struct {
        const char* text;
        char sep;
        bool ok;
        float value;
    } cases[] = {
        {"1,5", '.', true, 1.5f},
        {"1.5", '.', true, 1.5f},
        {"1.5", ',', true, 1.5f},
        {"-2,25", ',', true, -2.25f},
        {"a", '.', false, 1.0f},
        {"", ',', false, 1.0f},
        {"1e40", '.', false, 1.0f},   // beyond what a 32-bit float holds
    };
    for (const auto& c : cases) {
        float v = -7.0f;
        EXPECT_EQ(Str_To_Float_Sep(c.text, c.sep, v), c.ok) << c.text;
        EXPECT_FLOAT_EQ(v, c.value) << c.text;
    }
}

TEST(Parsers, CheckSnmpOid)
{
    const std::pair<String, int> cases[] = {
        {"1.3.6.1.4.1", 0},
        {"1", 0},
        {"1.4294967295", 0},
        {".1.3.6", 3},
        {"1.3.6.", 4},
        {"1.3..6", 5},
        {"1.3.a", 2},
        {"1.3 .6", 2},
        {"1.4294967296", 6},
        {"1.99999999999999999999999", 6},   // too long to read
        {String(129, '1'), 1},
        {String(128, '1'), 6},
        {"", 2},                            // nothing to name: refused, never a crash
    };
    for (const auto& [text, code] : cases) EXPECT_EQ(Check_SNMP_OID(text), code) << text;
}

TEST(Parsers, SnmpSecurityLevelAndScanCodes)
{
    const std::pair<const char*, int> levels[] = {
        {"Auth NoPriv", 1}, {" AUTH PRIV ", 3}, {"", -1}, {"   ", -1}, {"NoAuth NoPriv", 0}};
    for (const auto& [text, code] : levels) EXPECT_EQ(SNMP_Security_Level_Code(text), code) << text;

    EXPECT_EQ(Default_BACnet_Eng_Unit(), 95);
    EXPECT_EQ(Default_BACnet_Eng_Unit(3, 7), 95);
    EXPECT_EQ(Get_Scan_Form_Type(), 0);
    EXPECT_EQ(Get_XML_Code_Dev(), No_XML_Code_Dev);
}

TEST(Parsers, ComPortNumbersMapToDevices)
{
    const std::pair<int, const char*> cases[] = {
        {1, "/dev/ttyS0"}, {64, "/dev/ttyS63"}, {65, "/dev/ttyUSB0"}, {129, "/dev/ttyACM0"},
        {193, "/dev/ttyAMA0"}, {256, "/dev/ttyAMA63"}, {0, ""}, {257, ""}};
    for (const auto& [n, device] : cases) EXPECT_EQ(COM_Port_Device(n), device) << n;
}

TEST(Parsers, ComPortsListsThePortsThatOpenInIncreasingOrder)
{
    char tmpl[] = "/tmp/shell_dev_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const std::string folder = tmpl;
    for (const char* name : {"ttyACM0", "ttyS0", "ttyUSB2", "ttyS70", "ttyX1"}) WriteFileAtomic(PathJoin(folder, name), "");
    ForceDirectories(PathJoin(folder, "ttyS3"));   // a folder is no port
    auto ports = Get_COM_Ports_In(folder);
    EXPECT_EQ(ports->CommaText(), "1,67,129");
    std::filesystem::remove_all(folder);
}

} // namespace
