// The KNX table of bank2.bin: address encodings, the fields of a row, packing of the
// taken rows, the table's bound and rows the build cannot use.
#include "ImageTestUtil.h"

#include <map>
#include <optional>

#include "platform/os/Regional.h"
#include "platform/xml/XMLDoc.h"

namespace {
using namespace image_test;
using KnxTable = TConfigTest;

struct Entry {
    uint32_t poll, timeout, priority, length, flags, apci, source, destination, position;
    float factor;
    bool operator==(const Entry&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Entry& e)
{
    return os << "{poll " << e.poll << ", timeout " << e.timeout << ", priority " << e.priority << ", length "
              << e.length << std::hex << ", flags 0x" << e.flags << ", apci 0x" << e.apci << ", source 0x"
              << e.source << ", destination 0x" << e.destination << std::dec << ", position " << e.position
              << ", factor " << e.factor << "}";
}
Entry Entry_At(const std::vector<uint8_t>& b, int n)
{
    const int p = KNX_Entry(n);
    return {U32(b, p), U32(b, p + 4), U8(b, p + 8), U8(b, p + 9), U16(b, p + 10), U16(b, p + 12),
            U16(b, p + 14), U16(b, p + 16), U16(b, p + 18), F32(b, p + 20)};
}
const Entry Unused{0, 0, 0, 0, 0, 0, 0, 0, 0, 1.0f};

// A KNX file from rows given as attribute maps (attribute order does not matter).
using Row = std::map<std::string, std::string>;
std::string Knx_File(const std::vector<Row>& rows)
{
    TXMLDocument doc;
    TXMLNode section = doc.AddChild("BACnet_to_KNX").AddChild("KNX_in_Write");
    for (const Row& r : rows) {
        TXMLNode row = section.AddChild("row");
        for (const auto& [name, value] : r) row.SetAttribute(name, value);
    }
    return doc.SaveToXML();
}
const Row Base = {{"Enable", "Y"},         {"Source_Address", "1.1.1"}, {"Destination_Address", "1/1/1"},
                  {"APCI", "Write"},       {"Priority", "Normal"},      {"Format", "None"},
                  {"MultiplicationFactor", ""}, {"Extended", "N"},      {"ReTest", "N"},
                  {"On_Command", "N"},     {"On_Change", "N"},          {"On_Timer", "N"},
                  {"Poll_Time", "1000"},   {"Position", "0"},           {"Bit_Mode", "No"},
                  {"Length", "1"},         {"TimeOut", "0"},            {"Mnemonic", ""}};
Row With(std::initializer_list<std::pair<const char*, std::optional<std::string>>> changes)
{
    Row r = Base;
    for (const auto& [name, value] : changes) {
        if (value) r[name] = *value;
        else r.erase(name);
    }
    return r;
}

TEST(KnxAddress, GroupAndIndividualEncodings)
{
    const struct {
        const char* text;
        bool group;
        uint16_t value;
    } cases[] = {
        {"1/2/3", true, 0x0A03},       {"31/7/255", true, 0xFFFF},  {"1/2", true, 0x0802},
        {"31/2047", true, 0xFFFF},     {"1/2048", true, 0x0800},    {"32/0/0", true, 0x0000},
        {" 1 / 2 / 3 ", true, 0x0A03}, {"1/9/3", true, 0x0903},     {"1/2/3/4", true, 0x0A00},
        {"4660", true, 4660},          {"70000", true, 4464},       {"", true, 0},
        {"1.1.5", false, 0x1105},      {"15.15.255", false, 0xFFFF}, {"16.1.1", false, 0x0101},
        {"1.5", false, 0x1005},        {"1.1.1.1", false, 0x1100},  {" 1 . 1 . 5 ", false, 0x1105},
        {"4660", false, 4660},         {"1/2/3", false, 0},         {"x.1.1", false, 0x0101},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Get_KNX_Address(c.text, c.group), c.value) << '"' << c.text << "\" group " << c.group;
}

TEST_F(KnxTable, EditorFileGivesPackedEntries)
{
    SetDecimalSeparatorOverride(',');
    Write(KNX, Fixture("KNX_SetAccess.xml"));
    const TBin_Images im = Build();
    SetDecimalSeparatorOverride(0);

    EXPECT_EQ(U32(im.Bank1, 456), 4u) << "two disabled rows use no entry";
    const Entry expected[] = {
        // group 1/2/3, on change, low priority, write
        {0, 0, 3, 2, 0x0021, 0x80, 0x1105, 0x0A03, 2, 1.0f},
        // individual destination, bit mode 3 at byte 2, swap16, factor 0,5, on timer
        {2000, 5000, 0, 1, 0x105A, 0x00, 0x1234, 0x1105, 19, 0.5f},
        // no Enable attribute: taken; two-part group, empty poll time gives 1000
        {1000, 0, 2, 4, 0x7020, 12, 0xFFFF, 0x0802, 10, 1.5f},
        // lower-case y; a source in group form is a number: 0
        {0, 100, 1, 1, 0x0061, 0x80, 0x0000, 0xFFFF, 1499 * 8 + 7, 1.0f},
    };
    for (int n = 0; n < 4; ++n) EXPECT_EQ(Entry_At(im.Bank2, n), expected[n]) << "entry " << n;
    EXPECT_EQ(Bytes(im.Bank2, KNX_Entry(2) + 20, 4), (std::vector<uint8_t>{0x00, 0x00, 0xC0, 0x3F}));
    for (int n = 4; n < 1024; ++n) ASSERT_EQ(Entry_At(im.Bank2, n), Unused) << "entry " << n;
}

TEST_F(KnxTable, FactorReadsWithEitherSeparator)
{
    for (char sep : {'.', ','}) {
        SetDecimalSeparatorOverride(sep);
        const struct {
            const char* text;
            float factor;
        } cases[] = {{"0,5", 0.5f}, {"0.5", 0.5f}, {" 2 ", 2.0f}, {"", 1.0f}, {"  ", 1.0f}, {"abc", 1.0f}, {"-0,25", -0.25f}};
        std::vector<Row> rows;
        for (const auto& c : cases) rows.push_back(With({{"MultiplicationFactor", c.text}}));
        Write(KNX, Knx_File(rows));
        const TBin_Images im = Build();
        for (size_t i = 0; i < std::size(cases); ++i)
            EXPECT_EQ(F32(im.Bank2, KNX_Entry(int(i)) + 20), cases[i].factor)
                << '"' << cases[i].text << "\" with separator " << sep;
    }
    SetDecimalSeparatorOverride(0);
}

TEST_F(KnxTable, RowValuesAndTheirDefaults)
{
    const struct {
        Row row;
        uint32_t Entry::*field;
        uint32_t value;
        const char* why;
    } cases[] = {
        {With({{"On_Timer", "N"}, {"Poll_Time", "500"}}), &Entry::poll, 0, "not on a timer"},
        {With({{"On_Timer", "Y"}, {"Poll_Time", ""}}), &Entry::poll, 1000, "empty poll time"},
        {With({{"On_Timer", "y"}, {"Poll_Time", "$10"}}), &Entry::poll, 16, "hex poll time"},
        {With({{"On_Timer", "Y"}, {"Poll_Time", std::nullopt}}), &Entry::poll, 0, "missing poll time"},
        {With({{"On_Timer", std::nullopt}, {"Poll_Time", "500"}}), &Entry::poll, 0, "missing On_Timer"},
        {With({{"On_Timer", " Y"}}), &Entry::poll, 0, "Y is not stripped"},
        {With({{"Format", std::nullopt}, {"On_Change", "Y"}}), &Entry::flags, 0x0021, "missing format"},
        {With({{"Format", "float16 to int * 100"}}), &Entry::flags, 0x9020, ""},
        {With({{"Format", "Bogus"}}), &Entry::flags, 0x0020, "unknown format"},
        {With({{"Extended", " Y"}}), &Entry::flags, 0x0020, "Extended is not stripped"},
        {With({{"On_Command", std::nullopt}}), &Entry::flags, 0x0020, "missing On_Command"},
        {With({{"On_Command", "y"}, {"ReTest", "y"}}), &Entry::flags, 0x002A, ""},
        {With({{"Destination_Address", "1.1"}}), &Entry::destination, 0x1001, "individual area.device"},
        {With({{"Destination_Address", "1.1"}}), &Entry::flags, 0x0000, "individual: no group flag"},
        {With({{"Destination_Address", "4660"}}), &Entry::flags, 0x0020, "a bare number counts as group"},
        {With({{"Destination_Address", "32/0/0"}}), &Entry::destination, 0, "masked, not refused"},
        {With({{"Priority", "low"}}), &Entry::priority, 3, ""},
        {With({{"Priority", ""}}), &Entry::priority, 1, "unknown priority"},
        {With({{"APCI", "read"}}), &Entry::apci, 0, ""},
        {With({{"APCI", "0x3FF"}}), &Entry::apci, 1023, ""},
        {With({{"APCI", "abc"}}), &Entry::apci, 0, ""},
        {With({{"Bit_Mode", "no"}, {"Position", "2"}}), &Entry::position, 2, "NO in any case"},
        {With({{"Bit_Mode", " No"}, {"Position", "2"}}), &Entry::position, 16, "not stripped: bit mode"},
        {With({{"Bit_Mode", " No"}}), &Entry::flags, 0x0060, "not stripped: bit mode flag"},
        {With({{"Bit_Mode", "3"}, {"Position", "2"}}), &Entry::position, 19, ""},
        {With({{"Position", "x"}}), &Entry::position, 0, ""},
        {With({{"Length", ""}}), &Entry::length, 1, "empty length"},
        {With({{"Length", "300"}}), &Entry::length, 44, "low byte"},
        {With({{"TimeOut", std::nullopt}}), &Entry::timeout, 0, ""},
        {With({{"TimeOut", "70000"}}), &Entry::timeout, 70000, ""},
    };
    std::vector<Row> rows;
    for (const auto& c : cases) rows.push_back(c.row);
    Write(KNX, Knx_File(rows));
    const TBin_Images im = Build();
    ASSERT_EQ(U32(im.Bank1, 456), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(Entry_At(im.Bank2, int(i)).*cases[i].field, cases[i].value) << "row " << i + 1 << ": " << cases[i].why;
}

TEST_F(KnxTable, MoreThan1024TakenRowsNeverWritePastTheTable)
{
    std::string xml = "<BACnet_to_KNX><KNX_in_Write>";
    for (int i = 0; i < 1030; ++i)
        xml += "<row Source_Address='" + std::to_string(i) + "' Destination_Address='65535' APCI='Write' "
               "Priority='Low' Extended='Y' ReTest='Y' On_Change='Y' On_Command='Y' On_Timer='Y' Poll_Time='-1' "
               "Position='-1' Bit_Mode='No' Length='255' TimeOut='-1' MultiplicationFactor='-1'/>";
    xml += "</KNX_in_Write></BACnet_to_KNX>";
    Write(KNX, xml);
    Write(LoRaWAN, "<LoRaWAN_Set_Access><LoRaWAN_Uplink/><LoRaWAN_Downlink/></LoRaWAN_Set_Access>");
    const TBin_Images im = Build();
    ASSERT_EQ(im.Bank2.size(), 32768u);
    EXPECT_EQ(U32(im.Bank1, 456), 1024u);
    EXPECT_EQ(Entry_At(im.Bank2, 1023).source, 1023u) << "the first 1024 rows are kept";
    EXPECT_EQ(Bytes(im.Bank2, LoRa, 8192), Bytes(Build_Bin_Images("", "", LoRaWAN).Bank2, LoRa, 8192))
        << "the LoRaWAN block after the table is untouched";
}

TEST_F(KnxTable, TakenRowWithoutARequiredAttributeStopsTheBuild)
{
    for (const char* name : {"APCI", "Priority", "Extended", "Destination_Address", "ReTest", "Source_Address",
                             "On_Change", "Bit_Mode", "Position", "Length"}) {
        Write(KNX, Knx_File({Base, With({{"Enable", "N"}, {name, std::nullopt}}), With({{name, std::nullopt}})}));
        try {
            Build();
            ADD_FAILURE() << "no error without " << name;
        } catch (const EXmlError& e) {
            const std::string msg = e.what();
            EXPECT_NE(msg.find(name), std::string::npos) << msg;
            EXPECT_NE(msg.find("row 3"), std::string::npos) << msg;
        }
    }
    // A disabled row, and a taken row without the optional attributes, are fine.
    Write(KNX, Knx_File({With({{"Enable", "N"}, {"APCI", std::nullopt}, {"Length", std::nullopt}}),
                         With({{"On_Command", std::nullopt}, {"On_Timer", std::nullopt}, {"Poll_Time", std::nullopt},
                               {"Format", std::nullopt}, {"MultiplicationFactor", std::nullopt},
                               {"TimeOut", std::nullopt}, {"Mnemonic", std::nullopt}})}));
    const TBin_Images im = Build();
    EXPECT_EQ(U32(im.Bank1, 456), 1u);
    EXPECT_EQ(Entry_At(im.Bank2, 0), (Entry{0, 0, 1, 1, 0x0020, 0x80, 0x1101, 0x0901, 0, 1.0f}));
}

TEST_F(KnxTable, FileWithoutItsSectionOrNotWellFormedStopsTheBuild)
{
    Write(KNX, "<BACnet_to_KNX><KNX_Other/></BACnet_to_KNX>");
    EXPECT_THROW(Build(), EXmlError);
    Write(KNX, "<BACnet_to_KNX><KNX_in_Write><row></KNX_in_Write>");
    EXPECT_THROW(Build(), EXmlError);
}

}   // namespace
