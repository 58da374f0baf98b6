// The built-in content of the UI text table.
#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"
#include "shell/ULanguage.h"

namespace {

bool IsText(const String& s) { return s != " " && !s.empty(); }

class BuiltinTexts : public ::testing::Test {
protected:
    void SetUp() override { Load_Default_Texts(); }
};

TEST_F(BuiltinTexts, CountsOfEntriesTextsBlanksAndTheEmptyEntry)
{
    ASSERT_EQ(Lang_Strings.Count(), 6300);
    EXPECT_EQ(Lang_Count, 6300);
    int texts = 0, blanks = 0;
    std::vector<int> empty;
    for (int n = 0; n < Lang_Strings.Count(); ++n) {
        const String& s = Lang_Strings[n];
        if (s == " ") ++blanks;
        else if (s.empty()) empty.push_back(n);
        else ++texts;
    }
    EXPECT_EQ(texts, 3489);   // with the EDE import's "not an object list" (1422)
    EXPECT_EQ(blanks, 2810);
    EXPECT_EQ(empty, std::vector<int>{2592});
}

// Each block of 100 is filled from its first number without gaps: texts first (2592
// is the one empty entry inside a run), then single blanks up to the block's end.
TEST_F(BuiltinTexts, EveryBlockIsTextsThenBlanks)
{
    for (int block = 0; block < 6300; block += 100) {
        int n = block;
        while (n < block + 100 && (IsText(Lang_Strings[n]) || n == 2592)) ++n;
        for (; n < block + 100; ++n) EXPECT_EQ(Lang_Strings[n], " ") << "entry " << n;
    }
}

TEST_F(BuiltinTexts, SpotEntries)
{
    const struct {
        int n;
        const char* text;
    } cases[] = {
        {0, "Begin"},
        {1, "Step 1"},
        {9, "None Configuration Opened "},
        {33, "Scan && Decode"},
        {85, "Create the SNMP MIB for Actual Configuration"},
        {86, " "},
        {306, " / "},
        {497, "Error LoRa!! Payload Size must be between 1 and %d"},
        {1013, "Find all Zodudo Devices"},
        {1029, "Serch VOD Device in Network"},
        {1031, "Enable or disable the option to find all Zodudo Devices"},
        {1036, "Device Not Found!"},
        {1037, "Error!!! Check the Ip Address"},
        {1106, " "},
        {1699, " "},
        {1700, "M-Bus Network"},
        {1705, "Nodes     "},
        {1706, "Variables     "},
        {2100, "Scan & Decode"},
        {2591, "Type"},
        {2592, ""},
        {2593, "Access Point"},
        {3599, " "},
        {3600, "Set SDO Client Access"},
        {5326, "Description for the M-Bus meter (defined in the section \u201CM-Bus\u201D)"},
        {5500, "Error in Server Number %d in Read Variable %d!! Position must be between 0 and %d"},
        {5828, "Are you sure to delete the Row number %d"},
        {6286, "!! [SNMP Write] Conversion must be selected"},
        {6287, " "},
        {6299, " "},
    };
    for (const auto& c : cases) EXPECT_EQ(Lang_Strings[c.n], c.text) << "entry " << c.n;
}

TEST_F(BuiltinTexts, PlaceholdersAndNonAsciiStandWhereExpected)
{
    std::vector<std::pair<int, int>> withPlaceholders;
    std::vector<int> nonAscii;
    for (int n = 0; n < 6300; ++n) {
        const String& s = Lang_Strings[n];
        if (int k = CountIntPlaceholders(s)) withPlaceholders.emplace_back(n, k);
        for (unsigned char c : s)
            if (c >= 0x80) {
                nonAscii.push_back(n);
                break;
            }
        EXPECT_EQ(s.find('%'), s.find("%d")) << "entry " << n << " holds another directive";
    }
    const std::vector<std::pair<int, int>> expected = {
        {497, 1}, {5495, 2}, {5496, 2}, {5497, 2}, {5498, 2}, {5499, 2}, {5500, 3},
        {5501, 2}, {5502, 2}, {5503, 2}, {5504, 3}, {5827, 2}, {5828, 1}};
    EXPECT_EQ(withPlaceholders, expected);
    EXPECT_EQ(nonAscii, std::vector<int>{5326});
}

TEST_F(BuiltinTexts, ReloadingRestoresEveryEntryWithoutGrowing)
{
    Lang_Strings.SetStrings(12, "changed");
    Load_Default_Texts();
    EXPECT_EQ(Lang_Strings.Count(), 6300);
    EXPECT_EQ(Lang_Strings[12], "Information");
    EXPECT_EQ(Builtin_Text(12), "Information");
    EXPECT_EQ(Builtin_Text(6300), "");
}

} // namespace
