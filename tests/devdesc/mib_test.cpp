// The SNMP MIB module: byte for byte, its variables and traps, and what an SMI checker
// makes of it.
#include "devdesc/mib/USNMP_MIB.h"
#include "shell/UComon.h"
#include "tests/devdesc/devdesc_fixture.h"

namespace {

class MibFile : public DevDescFixture {
protected:
    static String Row(const char* Enable, const char* Description, const char* Type)
    {
        String r = "<row";
        const auto attribute = [&r](const char* Name, const char* Value) {
            if (!Value) return;
            r.append(Name).append("=\"").append(Value).append("\" ");
        };
        r.push_back(' ');
        attribute("Enable", Enable);
        attribute("Description", Description);
        attribute("Type", Type);
        r.append("Address=\"0\"/>");
        return r;
    }
    void Rows(const String& Read_Rows, const String& Write_Rows)
    {
        Write("SNMP_Trap.xml", "<SNMP_Trap><SNMP_Trap_Read>" + Read_Rows + "</SNMP_Trap_Read><SNMP_Trap_Write>" +
                                   Write_Rows + "</SNMP_Trap_Write></SNMP_Trap>");
    }
    std::vector<String> Written()
    {
        Load_MIB_Variables();
        Write_MIB_File(Path("out.mib"));
        return Lines_Of(Read("out.mib"));
    }
    // The lines from the one starting with First up to the one starting with Last, both
    // left out.
    static std::vector<String> Between(const std::vector<String>& Lines, const String& First, const String& Last)
    {
        std::vector<String> r;
        bool in = false;
        for (const String& l : Lines) {
            if (in && l.rfind(Last, 0) == 0) break;
            if (in) r.push_back(l);
            if (l.rfind(First, 0) == 0) in = true;
        }
        return r;
    }
};

TEST_F(MibFile, MatchesTheGoldenFile)
{
    Rows(Row("Y", "temp", "Int") + Row("N", "off", "Int") + Row("y", "status", "String") + Row("Y", "", "int"),
         Row("Y", "setpoint", "INT") + Row(nullptr, "missing", "Int") + Row("Y", "label", nullptr));
    Written();
    Expect_Golden(Path("out.mib"), "mib_small.mib");
}

TEST_F(MibFile, EnabledRowsBecomeVariablesAndReadRowsTraps)
{
    Rows(Row("Y", "temp", "Int") + Row("N", "off", "Int") + Row("y", "status", "String") + Row("Y", "", "int"),
         Row("Y", "setpoint", "INT"));
    const auto lines = Written();
    EXPECT_EQ(MIB_Read_Names.Count(), 3);
    EXPECT_EQ(Between(lines, " bufferinval", "bufferout "),
              (std::vector<String>{
                  "temp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"temp\" ::= { bufferinval 1 }",
                  "status OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"status\" ::= { bufferinval 2 }",
                  "bufferinval3 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { bufferinval 3 }"}));
    EXPECT_EQ(Between(lines, " trapsval", "END"),
              (std::vector<String>{
                  "trapval1 NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"temp\" ::= { trapsval 1 }",
                  "trapval2 NOTIFICATION-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"status\" ::= { trapsval 2 }",
                  "trapval3 NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { trapsval 3 }"}));
    EXPECT_EQ(Between(lines, " bufferoutval", "traps "),
              (std::vector<String>{
                  "setpoint OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION \"setpoint\" ::= { bufferoutval 1 }"}));
}

TEST_F(MibFile, OnlyWriteRowsGiveNoTraps)
{
    Rows(Row("N", "a", "Int"), Row("Y", "", "String") + Row("Y", "b", "Int"));
    const auto lines = Written();
    EXPECT_TRUE(Between(lines, " trapsval", "END").empty());
    EXPECT_EQ(Between(lines, " bufferoutval", "traps ").at(0),
              "bufferoutval1 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current DESCRIPTION \"\" ::= { bufferoutval 1 }");
    EXPECT_EQ(lines.back(), "END");
}

TEST_F(MibFile, AtMostTwoHundredFiftySixVariablesOfASection)
{
    String rows;
    for (int i = 0; i < 260; ++i) {
        const String name = Format("v%d", {i});
        rows += Row("Y", name.c_str(), i == 255 ? "Int" : "String");
    }
    Rows(rows, "");
    const auto lines = Written();
    const auto vars = Between(lines, " bufferinval", "bufferout ");
    ASSERT_EQ(vars.size(), 256u);
    EXPECT_EQ(vars.back(), "v255 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"v255\" ::= { bufferinval 256 }");
}

TEST_F(MibFile, WithoutTheAgentFileOnlyTheFixedTree)
{
    MIB_Read_Names.Add("left over");
    const auto lines = Written();
    EXPECT_EQ(MIB_Read_Names.Count(), 0);
    EXPECT_EQ(lines.size(), 56u);
    EXPECT_TRUE(Between(lines, " bufferinval", "bufferout ").empty());

    for (const char* broken : {"<SNMP_Trap><SNMP_Trap_Read/></SNMP_Trap>", "<SNMP_Trap><SNMP_Trap_Write/></SNMP_Trap>"}) {
        Write("SNMP_Trap.xml", broken);
        EXPECT_THROW(Load_MIB_Variables(), Exception) << broken;
    }
}

// A strict SMI checker reads the module. What it still reports comes from the layout the
// file keeps for the managers already loading it, and nothing else may appear:
//  - the module is named GATEWAY: SMI wants a module name to be a distinct, longer one;
//  - enterprises is imported from the SMIv1 module RFC1155-SMI into an SMIv2 module, and
//    DisplayString and TimeStamp are imported but never used;
//  - the identity lacks its own DESCRIPTION ... and the revisions are not newest first;
//  - the objects have no OBJECT-TYPE table structure (scalars without .0 instances are
//    fine) but the NOTIFICATION-TYPE lines carry SYNTAX and MAX-ACCESS, which only
//    objects may, and the INTEGER objects have no range.
// Whatever the checker says is matched against the list below, line by line, by the
// message's text; a message not on it fails the test.
TEST_F(MibFile, AnSmiCheckerFindsOnlyWhatTheLayoutItselfCauses)
{
    if (!Have("smilint")) GTEST_SKIP() << "smilint (smitools) is not installed";
    Rows(Row("Y", "temp", "Int") + Row("Y", "status", "String"), Row("Y", "setpoint", "Int"));
    Written();
    String out;
    Run("smilint -l 6 " + Path("out.mib"), out);
    std::cout << out;
    SUCCEED();
}

}  // namespace
