// The EDE file of the converter's BACnet server objects.
#include "devdesc/ede/UBACnet_EDE_File.h"
#include "tests/devdesc/devdesc_fixture.h"

namespace {

class EdeFile : public DevDescFixture {
protected:
    static String Row(const char* Data_Type, const char* Mnemonic, const char* Unit = "95")
    {
        return String("<row Enable=\"Y\" Data_Type=\"") + Data_Type + "\" Eng_Unit=\"" + Unit + "\" Mnemonic=\"" +
               Mnemonic + "\" Position=\"0\" Swap=\"N\"/>";
    }
    void Objects(const String& Read_Rows, const String& Write_Rows)
    {
        Write("BACnet_Slave_SetAccess.xml", "<BACnet_Slave_SetAccess><BACnet_in_Read>" + Read_Rows +
                                                "</BACnet_in_Read><BACnet_in_Write>" + Write_Rows +
                                                "</BACnet_in_Write></BACnet_Slave_SetAccess>");
    }
    void ParGen(const String& Keys) { Write("ParGen.xml", "<Par_Gen>" + Keys + "</Par_Gen>"); }
    std::vector<String> Written()
    {
        Create_EDE_File(Path("out.csv"));
        return Lines_Of(Read("out.csv"));
    }
};

const char* const Header[] = {
    "PROJECT_NAME; Zodudo--Plant1;;;;;;",
    "VERSION_OF_REFERENCEFILE;1.0;;;;;;",
    "TIMESTAMP_OF_LAST_CHANGE;14:07:09 05/03/2024;;;;;;",
    "AUTHOR_OF_LAST_CHANGE;Zodudo;;;;;;",
    "VERSION_OF_LAYOUT;2;;;;;;",
    "# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;",
    "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;",
};

// Instances count per type across both sections, names are cut, types read without
// regard to case and blanks, and the text leaves in Windows-1252 with CR LF line ends.
TEST_F(EdeFile, MatchesTheGoldenFile)
{
    ParGen("<BACnet_Type>0</BACnet_Type><BACnet_DEV_IDE>1234</BACnet_DEV_IDE>"
           "<BACnet_Ser_DEV_IDE>77</BACnet_Ser_DEV_IDE>");
    Objects(Row("Analog Input", "Temp_Boiler", "62") + Row("Binary Value", "Pump") +
                Row("Analog Input", "ABCDEFGHIJKLMNOPQRST") + Row("  analog value ", "Setpoint") +
                Row("Something Else", "Other"),
            Row("Analog Input", "Température", "62") + Row("Multi State Value", "Mode€"));
    Create_EDE_File(Path("out.csv"));
    Expect_Golden(Path("out.csv"), "ede_small.csv");
}

TEST_F(EdeFile, WithoutServerObjectsOnlyTheHeaderIsWritten)
{
    const auto lines = Written();
    ASSERT_EQ(lines.size(), 7u);
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(lines[i], Header[i]);
    EXPECT_EQ(Read("out.csv").substr(Read("out.csv").size() - 2), "\r\n");
}

TEST_F(EdeFile, DeviceInstanceAndNameLengthFollowParGen)
{
    struct Case { const char* keys; const char* line; } const cases[] = {
        {nullptr, "_ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_0;;ABCDEFGHIJKLMNOP;0;0;ABCDEFGHIJKLMNOP;95;"},
        {"<BACnet_Type>1</BACnet_Type><BACnet_DEV_IDE>5</BACnet_DEV_IDE><BACnet_Ser_DEV_IDE> 9 </BACnet_Ser_DEV_IDE>",
         " 9 _ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_0; 9 ;ABCDEFGHIJKLMNOP;0;0;ABCDEFGHIJKLMNOP;95;"},
        {"<BACnet_Type>x</BACnet_Type><BACnet_DEV_IDE>5</BACnet_DEV_IDE><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>",
         "5_ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_0;5;ABCDEFGHIJKLMNOPQRSTUVWXYZ012345;0;0;"
         "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345;95;"},
        {"<BACnet_Desc_Chars_Limit>1 </BACnet_Desc_Chars_Limit>",
         "_ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_0;;ABCDEFGHIJKLMNOP;0;0;ABCDEFGHIJKLMNOP;95;"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(FileName_ParGen);
        if (c.keys) ParGen(c.keys);
        Objects(Row("Analog Input", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"), "");
        const auto lines = Written();
        ASSERT_EQ(lines.size(), 8u) << (c.keys ? c.keys : "no ParGen.xml");
        EXPECT_EQ(lines[7], c.line) << (c.keys ? c.keys : "no ParGen.xml");
    }
}

TEST_F(EdeFile, EachGenerationCountsFromZeroAgain)
{
    Objects(Row("Analog Input", "a") + Row("Analog Input", "b"), Row("Analog Input", "c"));
    const auto first = Written();
    const auto second = Written();
    EXPECT_EQ(first, second);
    ASSERT_EQ(first.size(), 10u);
    EXPECT_EQ(first[9], "_c_2;;c;0;2;c;95;");
}

// The file has no quoting, so a separator or a line break inside a value would move the
// columns after it for every reader; such a value keeps its place on its line.
TEST_F(EdeFile, ASeparatorInsideAValueCannotShiftTheColumns)
{
    Project_Name = "Plant;1";
    Objects(Row("Analog Input", "a;b;c", "6;2") + Row("Analog Input", "x&#13;&#10;y"), "");
    const auto lines = Written();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "PROJECT_NAME; Zodudo--Plant,1;;;;;;");
    EXPECT_EQ(lines[7], "_a,b,c_0;;a,b,c;0;0;a,b,c;6,2;");
    EXPECT_EQ(lines[8], "_x  y_1;;x  y;0;1;x  y;95;");
    for (size_t i = 7; i < lines.size(); ++i) EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ';'), 7);
}

TEST_F(EdeFile, TheTimeStampHasTwoDigitsForEachPartButTheYear)
{
    At(987, 1, 2, 9, 5, 3);
    const auto lines = Written();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[2], "TIMESTAMP_OF_LAST_CHANGE;09:05:03 02/01/987;;;;;;");
}

// A broken server objects file ends the generation with its error; nothing is written
// and the object list is gone.
TEST_F(EdeFile, ABrokenObjectsFileWritesNothing)
{
    const String cases[] = {
        "<R><BACnet_in_Read/></R>",
        "<R><BACnet_in_Write/></R>",
        "<R><BACnet_in_Read><row Data_Type=\"Analog Input\" Mnemonic=\"m\"/></BACnet_in_Read><BACnet_in_Write/></R>",
        "<R><BACnet_in_Read>",
    };
    for (const String& c : cases) {
        Write("BACnet_Slave_SetAccess.xml", c);
        EXPECT_THROW(Create_EDE_File(Path("out.csv")), Exception) << c;
        EXPECT_FALSE(FileExists(Path("out.csv"))) << c;
        EXPECT_EQ(EDE_Object_List, nullptr);
    }
}

}  // namespace
