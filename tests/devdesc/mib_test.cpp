// The SNMP MIB module: byte for byte, its variables and traps, and what an SMI checker
// makes of it.
#include <regex>

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

// What the SMI checker says about the written module, every message not explained by the
// layout itself (below); the checker finds the standard modules the file imports in
// data/smi, small stand-ins holding just what the imports need, since the checker's
// package ships none.
//
// The layout is what the managers already loading these files know, so these messages
// stay, each for a reason of the layout:
//  - "zero-length description string": hellostring, countin, countout and variables
//    without a Description have DESCRIPTION "";
//  - "use Integer32 instead of INTEGER": the INTEGER variables are written as INTEGER;
//  - the trap lines carry SYNTAX and MAX-ACCESS, which a NOTIFICATION-TYPE may not, and
//    NOTIFICATION-TYPE is not imported: "has not been imported", "unexpected SYNTAX" and
//    the "flushing" that follows, each on a trap line only;
//  - "module name `GATEWAY' should match `*-MIB'": the module's fixed name;
//  - "must be contained in at least one conformance group": the module has no groups;
//  - DisplayString and TimeStamp are imported and never used;
//  - enterprises is imported from RFC1155-SMI instead of SNMPv2-SMI.
std::vector<String> Unexplained_Smi_Messages(const String& Output, const std::vector<String>& Lines)
{
    static const std::regex Message(R"(^[^:]*:(\d+): (warning: )?(.*)$)");
    static const std::vector<std::regex> Any_Line = {
        std::regex(R"(zero-length description string)"),
        std::regex(R"(use Integer32 instead of INTEGER in SMIv2)"),
        std::regex(R"(module name `GATEWAY' should match `\*-MIB')"),
        std::regex(R"(node `\w+' must be contained in at least one conformance group)"),
        std::regex(R"(identifier `(DisplayString|TimeStamp)' imported from module `SNMPv2-TC' is never used)"),
        std::regex(R"(identifier `enterprises' should be imported from `SNMPv2-SMI' instead of `RFC1155-SMI')"),
    };
    static const std::vector<std::regex> Trap_Line = {
        std::regex(R"(macro `NOTIFICATION-TYPE' has not been imported from module `SNMPv2-SMI')"),
        std::regex(R"(syntax error, unexpected SYNTAX, expecting STATUS)"),
        std::regex(R"(flushing recent incorrect declaration, see previous error\(s\))"),
    };
    std::vector<String> unexplained;
    for (const String& l : SplitString(Output, "\n")) {
        if (l.empty()) continue;
        std::smatch m;
        if (!std::regex_match(l, m, Message)) { unexplained.push_back(l); continue; }
        const String text = m[3];
        const size_t n = size_t(std::stoi(m[1]));
        const bool trap = n >= 1 && n <= Lines.size() && Lines[n - 1].rfind("trapval", 0) == 0;
        const auto matches = [&text](const std::regex& r) { return std::regex_search(text, r); };
        if (std::any_of(Any_Line.begin(), Any_Line.end(), matches)) continue;
        if (trap && std::any_of(Trap_Line.begin(), Trap_Line.end(), matches)) continue;
        unexplained.push_back(l);
    }
    return unexplained;
}

class SmiCheck : public MibFile {
protected:
    void SetUp() override
    {
        MibFile::SetUp();
        if (!Have("smilint")) GTEST_SKIP() << "smilint (smitools) is not installed";
    }
    std::vector<String> Unexplained()
    {
        const auto lines = Written();
        String out;
        Run("SMIPATH=" + String(DEVDESC_DATA_DIR) + "/smi smilint -l 6 " + Path("out.mib"), out);
        return Unexplained_Smi_Messages(out, lines);
    }
};

TEST_F(SmiCheck, FindsOnlyWhatTheLayoutItselfCauses)
{
    struct Case { const char* name; String read, write; } const cases[] = {
        {"no variables", "", ""},
        {"variables and traps", Row("Y", "temp", "Int") + Row("Y", "status", "String") + Row("Y", "", "Int"),
         Row("Y", "setpoint", "Int") + Row("Y", "", "String")},
        {"only write rows", "", Row("Y", "label", "String")},
    };
    for (const Case& c : cases) {
        Rows(c.read, c.write);
        const auto unexplained = Unexplained();
        EXPECT_TRUE(unexplained.empty()) << c.name << ": " << unexplained.front();
    }
}

// The check is real: names are not validated, and one SMI does not allow is reported.
TEST_F(SmiCheck, ReportsANameSmiDoesNotAllow)
{
    Rows(Row("Y", "room temp", "Int"), "");
    EXPECT_FALSE(Unexplained().empty());
    Rows(Row("Y", "temp", "Int") + Row("Y", "temp", "Int"), "");
    EXPECT_FALSE(Unexplained().empty()) << "a name used twice";
}

}  // namespace
