// The PROFIBUS GSD file: byte for byte, its modules and slots, and how it asks for its name.
#include "devdesc/gsd/UProfibus_GSD.h"
#include "shell/ULanguage.h"
#include "tests/devdesc/devdesc_fixture.h"

namespace {

class GsdFile : public DevDescFixture {
protected:
    std::vector<String> Written(int In, int Out)
    {
        GSD_Input_Len = In;
        GSD_Output_Len = Out;
        Write_GSD_File(Path("out.gsd"));
        return Lines_Of(Read("out.gsd"));
    }
    // The module and slot lines, between the module list's title block and the end.
    static std::vector<String> Modules_And_Slots(const std::vector<String>& Lines)
    {
        auto at = std::find_if(Lines.begin(), Lines.end(),
                               [](const String& l) { return l.find("Module-Definition-List") != String::npos; });
        std::vector<String> r;
        for (at += 3; at != Lines.end(); ++at)
            if (!at->empty()) r.push_back(*at);
        return r;
    }
};

// Input 100 and output 10: two input modules (64 and 36 bytes) and one output module.
TEST_F(GsdFile, MatchesTheGoldenFile)
{
    Written(100, 10);
    Expect_Golden(Path("out.gsd"), "gsd_small.gsd");
}

TEST_F(GsdFile, FramesAndRulesHaveTheirWidths)
{
    const auto lines = Written(0, 0);
    for (size_t i = 1; i <= 20; ++i) EXPECT_EQ(lines[i].size(), 85u) << lines[i];
    for (const auto& [title, width] : {std::pair{"Prm-Text-Def-List", 85}, {"Ext-User-Prm-Data-Def-List", 86},
                                       {"General DP Keywords", 86}, {"Supported baudrates", 79},
                                       {"Slave specific values", 79}, {"User-Prm-Data", 79}, {"Modulstatus", 79},
                                       {"Module-Definition-List", 79}}) {
        const auto at = std::find(lines.begin(), lines.end(), ";==== " + String(title) + " " +
                                                                  String(size_t(width) - 7 - strlen(title), '='));
        ASSERT_NE(at, lines.end()) << title;
        EXPECT_EQ(*(at - 1), ";" + String(size_t(width) - 1, '=')) << title;
        EXPECT_EQ(*(at + 1), ";" + String(size_t(width) - 1, '=')) << title;
    }
}

TEST_F(GsdFile, ModulesCarryAtMostSixtyFourBytes)
{
    struct Case { int in, out; std::vector<String> lines; } const cases[] = {
        {64, 0, {"Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01", "1", "EndModule", "SlotDefinition",
                 "Slot(1) = \"Slot 1\" 1 1", "EndSlotDefinition"}},
        {65, 0, {"Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01", "1", "EndModule",
                 "Module=\"DI  (PORT2)    \" 0x42,0x00,0x00,0x02", "2", "EndModule", "SlotDefinition",
                 "Slot(1) = \"Slot 1\" 1 1", "Slot(2) = \"Slot 2\" 2 2", "EndSlotDefinition"}},
        {0, 128, {"Module=\"DO  (PORT1)    \" 0x82,0x3F,0x00,0x01", "1", "EndModule",
                  "Module=\"DO  (PORT2)    \" 0x82,0x3F,0x00,0x02", "2", "EndModule", "SlotDefinition",
                  "Slot(1) = \"Slot 1\" 1 1", "Slot(2) = \"Slot 2\" 2 2", "EndSlotDefinition"}},
        {0, 0, {"SlotDefinition", "EndSlotDefinition"}},
        {-5, 0, {"SlotDefinition", "EndSlotDefinition"}},
    };
    for (const Case& c : cases) {
        const auto lines = Written(c.in, c.out);
        EXPECT_EQ(Modules_And_Slots(lines), c.lines) << c.in << "/" << c.out;
        const auto max = std::find_if(lines.begin(), lines.end(), [](const String& l) { return l.rfind("Max_Module=", 0) == 0; });
        ASSERT_NE(max, lines.end());
        EXPECT_EQ(*max, "Max_Module=" + IntToStr(int(std::count(c.lines.begin(), c.lines.end(), "EndModule"))));
        EXPECT_EQ(*(max + 2), "Max_Input_Len=" + IntToStr(c.in));
        EXPECT_EQ(*(max + 4), "Max_Data_Len=" + IntToStr(c.in + c.out));
    }
    const String text = Read("out.gsd");
    EXPECT_EQ(text.substr(text.size() - 27), "EndSlotDefinition\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(GsdFile, TheChosenNameEndsInGsd)
{
    for (const auto& [chosen, name] : {std::pair{"device", "device.gsd"}, {"DEVICE.GSD", "DEVICE.GSD"},
                                       {"a.gsd.old", "a.gsd.old.gsd"}, {"x.gsd.gsd", "x.gsd.gsd.gsd"}})
        EXPECT_EQ(GSD_File_Name(chosen), name);
}

// The lengths come from ParGen.xml: its PROFINET_NB_OUT is the slave's input.
TEST_F(GsdFile, CreateReadsTheLengthsAsksTheNameAndBeforeReplacing)
{
    Write("ParGen.xml", "<Par_Gen><PROFINET_NB_IN>10</PROFINET_NB_IN><PROFINET_NB_OUT>100</PROFINET_NB_OUT></Par_Gen>");
    Script.ChooseFile(Path("plant"));
    Create_GSD_File();
    ASSERT_TRUE(FileExists(Path("plant.gsd")));
    Expect_Golden(Path("plant.gsd"), "gsd_small.gsd");
    EXPECT_EQ(Script.Last()->Text, "Generic Station Description (*.gsd)|*.gsd");
    EXPECT_EQ(Script.Last()->InitialDir, Dir);

    Write("plant.gsd", "old");
    Script.ChooseFile(Path("plant.gsd")).Answer(mrNo, "File already exists! Do you want to overwrite the file?");
    Create_GSD_File();
    EXPECT_EQ(Read("plant.gsd"), "old");
    Script.ChooseFile(Path("plant.gsd")).Answer(mrYes, "File already exists! Do you want to overwrite the file?");
    Create_GSD_File();
    EXPECT_NE(Read("plant.gsd"), "old");

    Script.ChooseFile("");
    std::filesystem::remove(Path("plant.gsd"));
    Create_GSD_File();
    EXPECT_FALSE(FileExists(Path("plant.gsd")));

    std::filesystem::remove(FileName_ParGen);
    Script.Answer(mrOk, "Error! Please set the Set Communication Parameter before to create the GSD file");
    Create_GSD_File();
    EXPECT_EQ(Script.Count(ikSaveDialog), 4) << "no dialog without ParGen.xml";
    EXPECT_EQ(Script.Problems(), "");
}

TEST_F(GsdFile, LengthsThatAreNoNumbersGiveNoModules)
{
    Write("ParGen.xml", "<Par_Gen><PROFINET_NB_IN>ten</PROFINET_NB_IN></Par_Gen>");
    Script.ChooseFile(Path("a.gsd"));
    Create_GSD_File();
    EXPECT_EQ(GSD_Input_Len, 0);
    EXPECT_EQ(GSD_Output_Len, 0);
    EXPECT_EQ(Modules_And_Slots(Lines_Of(Read("a.gsd"))), (std::vector<String>{"SlotDefinition", "EndSlotDefinition"}));
}

}  // namespace
