// The CANopen EDS: byte for byte, read back by a strict INI reader, and checked for the
// consistency a master tool relies on.
#include <map>
#include <set>

#include "devdesc/eds/UEds.h"
#include "editors/fieldbus/UCANopen_Desc.h"
#include "tests/common/memory_tables.h"
#include "tests/devdesc/devdesc_fixture.h"

namespace {

// An INI file read strictly: every line a section header, a key=value line or empty;
// a section or a key that comes twice, or a key before any section, is an error.
struct TIni {
    std::vector<String> Order;
    std::map<String, std::map<String, String>> Sections;
    std::vector<String> Errors;

    explicit TIni(const std::vector<String>& Lines)
    {
        String current;
        for (size_t i = 0; i < Lines.size(); ++i) {
            const String& l = Lines[i];
            const String where = "line " + IntToStr(int(i) + 1) + ": ";
            if (l.empty()) continue;
            if (l.front() == '[') {
                if (l.back() != ']') { Errors.push_back(where + "bad section " + l); continue; }
                current = UpperCase(l.substr(1, l.size() - 2));
                if (Sections.count(current)) Errors.push_back(where + "section again " + l);
                Sections[current];
                Order.push_back(current);
                continue;
            }
            const size_t eq = l.find('=');
            if (eq == String::npos || eq == 0) { Errors.push_back(where + "not a key " + l); continue; }
            if (current.empty()) { Errors.push_back(where + "key outside a section"); continue; }
            const String key = UpperCase(l.substr(0, eq));
            if (!Sections[current].emplace(key, l.substr(eq + 1)).second) Errors.push_back(where + "key again " + l);
        }
    }
    bool Has(const String& s) const { return Sections.count(UpperCase(s)) != 0; }
    String Get(const String& s, const String& k) const
    {
        auto si = Sections.find(UpperCase(s));
        if (si == Sections.end()) return "<no section " + s + ">";
        auto ki = si->second.find(UpperCase(k));
        return ki == si->second.end() ? "<no " + k + ">" : ki->second;
    }
};

// What a master tool relies on: every object the lists declare has its section and every
// object section is declared; a compound object's SubNumber counts its sub-sections and
// its sub0 holds the highest sub-index; every PDO mapping entry names an existing,
// mappable sub-entry whose size it gives.
std::vector<String> Consistency(const TIni& ini)
{
    std::vector<String> problems;
    std::set<String> declared;
    for (const char* list : {"MandatoryObjects", "OptionalObjects", "ManufacturerObjects"}) {
        const int n = StrToIntDef(ini.Get(list, "SupportedObjects"), -1);
        if (n < 0) problems.push_back(String(list) + ": no count");
        for (int i = 1; i <= n; ++i) {
            const String v = ini.Get(list, IntToStr(i));
            const String obj = UpperCase(v.substr(2));
            if (v.rfind("0x", 0) != 0 || !ini.Has(obj)) problems.push_back(String(list) + " " + v + ": no section");
            if (!declared.insert(obj).second) problems.push_back(v + " declared twice");
        }
        if (ini.Has(list) && ini.Sections.at(UpperCase(list)).size() != size_t(n) + 1)
            problems.push_back(String(list) + ": count and entries differ");
    }
    for (const String& s : ini.Order) {
        if (s.size() != 4 || s.find_first_not_of("0123456789ABCDEF") != String::npos) continue;
        if (!declared.count(s)) problems.push_back(s + " not declared");
        const String sub_number = ini.Get(s, "SubNumber");
        if (sub_number[0] == '<') continue;
        int subs = 0, highest = -1;
        for (int k = 0; k < 256; ++k)
            if (ini.Has(s + "sub" + IntToHex(unsigned(k), 1))) { ++subs; highest = k; }
        if (StrToIntDef(sub_number, -1) != subs) problems.push_back(s + " SubNumber " + sub_number + " for " + IntToStr(subs));
        const int sub0 = StrToIntDef(ini.Get(s + "sub0", "DefaultValue"), -1);
        const String sub0_name = UpperCase(ini.Get(s + "sub0", "ParameterName"));
        const bool counts = sub0_name == "NUMBER OF ENTRIES" || sub0_name == "LARGEST SUB-INDEX SUPPORTED";
        if (counts && sub0 != highest)
            problems.push_back(s + "sub0 says " + IntToStr(sub0) + ", highest is " + IntToStr(highest));
    }
    for (const String& s : ini.Order) {
        const bool mapping = s.size() > 4 && (s.rfind("16", 0) == 0 || s.rfind("1A", 0) == 0) && s.substr(4) != "SUB0";
        if (!mapping) continue;
        const long long v = StrToInt64Def(ini.Get(s, "DefaultValue"), -1);
        const String obj = IntToHex(unsigned(v >> 16), 4), sub = IntToHex(unsigned((v >> 8) & 0xFF), 1);
        const String target = obj + "sub" + sub;
        if (!ini.Has(target)) { problems.push_back(s + " maps missing " + target); continue; }
        if (ini.Get(target, "PDOMapping") != "1") problems.push_back(s + " maps unmappable " + target);
        const int bits = int(v & 0xFF);
        const String type = ini.Get(target, "DataType");
        const int size = type == "0x0005" ? 8 : type == "0x0006" ? 16 : 32;
        if (bits != size) problems.push_back(s + " maps " + IntToStr(bits) + " bits of " + target);
    }
    return problems;
}

class EdsFile : public DevDescFixture {
protected:
    std::vector<String> Written()
    {
        Build_CANopen_EDS(Path("out.eds"));
        return Lines_Of(Read("out.eds"));
    }
    static String Pdo(const char* cob, const char* dim)
    {
        return String("<row COB-ID=\"") + cob + "\" Dimension=\"" + dim + "\" Mnemonic=\"\"/>";
    }
    static String Sdo(const char* index, const char* sub, const char* n)
    {
        return String("<row Index=\"") + index + "\" SubIndex=\"" + sub + "\" NByte=\"" + n + "\"/>";
    }
    void Pdos(const String& rx, const String& tx)
    {
        Write("PDO_CANopen.xml", "<PDO_CANopen><Receive_PDO>" + rx + "</Receive_PDO><Transmit_PDO>" + tx +
                                     "</Transmit_PDO></PDO_CANopen>");
    }
    void Sdos(const String& rd, const String& wr)
    {
        Write("SDO_Server_CANopen.xml",
              "<SDO_Server_CANopen><SDO_Read>" + rd + "</SDO_Read><SDO_Write>" + wr + "</SDO_Write></SDO_Server_CANopen>");
    }
};

// The configuration files come from the CANopen editors' own file writer, so the data
// sheet is made from what the editors really store (values as typed, "$" hexadecimal).
TEST_F(EdsFile, MatchesTheGoldenFileFromTheEditorsFiles)
{
    TXMLDocument Doc;
    {
        using namespace PDO;
        TMemoryTables t(Set_PDO_Access_Desc());
        t.Set(Receive, 1, {{Col_COB_ID, "513"}, {Col_Dimension, "2"}, {Col_Address_B1, "0"}, {Col_Address_B1 + 1, "1"}});
        t.Set(Transmit, 1, {{Col_COB_ID, "$181"}, {Col_Dimension, "1"}, {Col_Address_B1, "0"}});
        t.Set(Transmit, 2, {{Col_COB_ID, "0x282"}, {Col_Dimension, "3"}, {Col_Address_B1, "1"}});
        Save_Tables(t.Desc, Doc, FileName_PDO_CANopen, t.Data);
    }
    {
        using namespace SDO_Server;
        TMemoryTables t(Set_SDO_Server_Access_Desc());
        t.Set(SDO_Server::Read, 1, {{Col_Index, "$2000"}, {Col_SubIndex, "3"}, {Col_NByte, "1"}, {Col_Address_B1, "0"}});
        t.Set(SDO_Server::Read, 2, {{Col_Index, "0x2100"}, {Col_SubIndex, "0"}, {Col_NByte, "2"}, {Col_Address_B1, "2"}});
        t.Set(SDO_Server::Write, 1, {{Col_Index, "8192"}, {Col_SubIndex, "1"}, {Col_NByte, "4"}, {Col_Address_B1, "4"}});
        t.Set(SDO_Server::Write, 2, {{Col_Index, "$2100"}, {Col_SubIndex, "10"}, {Col_NByte, "4"}, {Col_Address_B1, "8"}});
        Save_Tables(t.Desc, Doc, FileName_SDO_Server_CANopen, t.Data);
    }
    At(2024, 3, 5, 14, 7, 9);
    Build_CANopen_EDS(Path("out.eds"));
    Expect_Golden(Path("out.eds"), "eds_small.eds");

    const TIni ini(Lines_Of(Read("out.eds")));
    EXPECT_TRUE(ini.Errors.empty()) << ini.Errors.front();
    const auto problems = Consistency(ini);
    EXPECT_TRUE(problems.empty()) << problems.front();
}

TEST_F(EdsFile, WithoutConfigurationFilesOnlyTheFixedObjects)
{
    const TIni ini(Written());
    EXPECT_TRUE(ini.Errors.empty());
    EXPECT_EQ(ini.Get("OptionalObjects", "SupportedObjects"), "8");
    EXPECT_EQ(ini.Get("ManufacturerObjects", "SupportedObjects"), "0");
    EXPECT_EQ(ini.Get("DeviceInfo", "NrOfRXPDO"), "0");
    EXPECT_EQ(ini.Order.size(), 32u);
    EXPECT_EQ(ini.Order.back(), "1280SUB3");
    EXPECT_TRUE(Consistency(ini).empty()) << Consistency(ini).front();
}

TEST_F(EdsFile, PdosGiveTheirParametersMappingAndDataObjects)
{
    Pdos(Pdo("513", "2"), Pdo("1", "1") + Pdo("2", "x"));
    const auto lines = Written();
    const TIni ini(lines);
    ASSERT_TRUE(ini.Errors.empty()) << ini.Errors.front();
    EXPECT_EQ(ini.Get("DeviceInfo", "NrOfRXPDO"), "1");
    EXPECT_EQ(ini.Get("OptionalObjects", "SupportedObjects"), "17");
    EXPECT_EQ(ini.Get("OptionalObjects", "9"), "0x1400");
    EXPECT_EQ(ini.Get("OptionalObjects", "10"), "0x1600");
    EXPECT_EQ(ini.Get("OptionalObjects", "15"), "0x7000");
    EXPECT_EQ(ini.Get("1400sub1", "DefaultValue"), "0x00000201");
    EXPECT_EQ(ini.Get("1600", "SubNumber"), "3");
    EXPECT_EQ(ini.Get("1600", "ParameterName"), "Receive PDO Mapping Parameter");
    EXPECT_EQ(ini.Get("1600sub1", "DefaultValue"), "0x70000108");
    EXPECT_EQ(ini.Get("1600sub2", "DefaultValue"), "0x70000208");
    EXPECT_EQ(ini.Get("7000sub1", "ParameterName"), "b1");
    EXPECT_EQ(ini.Get("7000sub2", "ParameterName"), "b2");
    EXPECT_EQ(ini.Get("1A01", "ParameterName"), "Transmit PDO Mapping Parameter 2");
    EXPECT_EQ(ini.Get("7050sub1", "ParameterName"), "l1");
    EXPECT_EQ(ini.Get("7051sub1", "ParameterName"), "m1");
    EXPECT_EQ(ini.Get("7051", "SubNumber"), "9") << "a Dimension that is no number gives 8 bytes";
    EXPECT_EQ(ini.Get("7051sub8", "AccessType"), "rwr");
    EXPECT_EQ(ini.Get("7050sub0", "AccessType"), "rw");
    EXPECT_TRUE(Consistency(ini).empty()) << Consistency(ini).front();
}

TEST_F(EdsFile, AtMostThirtyPdosOfEachDirection)
{
    String rx;
    for (int i = 0; i < 32; ++i) rx += Pdo("1", "1");
    Pdos(rx, "");
    const TIni ini(Written());
    EXPECT_EQ(ini.Get("DeviceInfo", "NrOfRXPDO"), "30");
    EXPECT_TRUE(ini.Has("701D"));
    EXPECT_FALSE(ini.Has("701E"));
    EXPECT_EQ(ini.Get("701Dsub1", "ParameterName"), "av1");
    EXPECT_EQ(ini.Get("7009sub1", "ParameterName"), "i1") << "j and k come before i";
    EXPECT_TRUE(Consistency(ini).empty()) << Consistency(ini).front();
}

TEST_F(EdsFile, SdoEntriesAreSortedAndGetAGeneratedSubZero)
{
    Sdos(Sdo("0x2000", "3", "1") + Sdo("$3000", "0", "2"), Sdo("8192", "1", "4") + Sdo("0x3000", "10", "4"));
    const TIni ini(Written());
    ASSERT_TRUE(ini.Errors.empty()) << ini.Errors.front();
    EXPECT_EQ(ini.Get("ManufacturerObjects", "1"), "0x2000");
    EXPECT_EQ(ini.Get("ManufacturerObjects", "2"), "0x3000");
    EXPECT_EQ(ini.Get("2000", "SubNumber"), "3");
    EXPECT_EQ(ini.Get("2000sub0", "DefaultValue"), "0x03");
    EXPECT_EQ(ini.Get("2000sub0", "ParameterName"), "Largest Sub-Index supported");
    EXPECT_EQ(ini.Get("2000sub1", "DataType"), "0x0007");
    EXPECT_EQ(ini.Get("2000sub1", "AccessType"), "rw");
    EXPECT_EQ(ini.Get("2000sub3", "DataType"), "0x0005");
    EXPECT_EQ(ini.Get("2000sub3", "AccessType"), "ro");
    EXPECT_EQ(ini.Get("3000", "SubNumber"), "2") << "its own sub 0, no generated one";
    EXPECT_EQ(ini.Get("3000sub0", "ParameterName"), "Application Variable");
    EXPECT_EQ(ini.Get("3000subA", "HighLimit"), "0xFFFFFFFF");
    auto order = ini.Order;
    const auto at = std::find(order.begin(), order.end(), "2000SUB1");
    ASSERT_NE(at, order.end());
    EXPECT_EQ(*(at + 1), "2000SUB3");
}

// Two rows for the same sub-index are one entry of the dictionary: the first row
// describes it, and the data sheet keeps one section for it.
TEST_F(EdsFile, ARepeatedSubIndexGivesOneSection)
{
    Sdos(Sdo("0x2000", "1", "1") + Sdo("0x2000", "2", "2"), Sdo("$2000", "1", "4"));
    const TIni ini(Written());
    EXPECT_TRUE(ini.Errors.empty()) << ini.Errors.front();
    EXPECT_EQ(ini.Get("2000", "SubNumber"), "3");
    EXPECT_EQ(ini.Get("2000sub1", "DataType"), "0x0005");
    EXPECT_EQ(ini.Get("2000sub1", "AccessType"), "ro");
    EXPECT_TRUE(Consistency(ini).empty()) << Consistency(ini).front();
}

// Numbers the dictionary cannot hold stop the generation with their error: cut to 8 or
// 16 bits they would silently describe another object.
TEST_F(EdsFile, NumbersBeyondTheDictionaryOrNoNumbersWriteNothing)
{
    struct Case { const char* name; const char* pdo; const char* sdo; } const cases[] = {
        {"sub-index 256", nullptr, "<R><SDO_Read><row Index=\"0x2000\" SubIndex=\"256\" NByte=\"1\"/></SDO_Read><SDO_Write/></R>"},
        {"sub-index 300", nullptr, "<R><SDO_Read/><SDO_Write><row Index=\"0x2000\" SubIndex=\"300\" NByte=\"1\"/></SDO_Write></R>"},
        {"index 0x12000", nullptr, "<R><SDO_Read><row Index=\"0x12000\" SubIndex=\"1\" NByte=\"1\"/></SDO_Read><SDO_Write/></R>"},
        {"negative sub-index", nullptr, "<R><SDO_Read><row Index=\"0x2000\" SubIndex=\"-1\" NByte=\"1\"/></SDO_Read><SDO_Write/></R>"},
        {"index not a number", nullptr, "<R><SDO_Read><row Index=\"abc\" SubIndex=\"1\" NByte=\"1\"/></SDO_Read><SDO_Write/></R>"},
        {"NByte not a number", nullptr, "<R><SDO_Read><row Index=\"1\" SubIndex=\"1\" NByte=\"\"/></SDO_Read><SDO_Write/></R>"},
        {"no NByte", nullptr, "<R><SDO_Read><row Index=\"1\" SubIndex=\"1\"/></SDO_Read><SDO_Write/></R>"},
        {"no write section", nullptr, "<R><SDO_Read/></R>"},
        {"256 data bytes", "<R><Receive_PDO><row COB-ID=\"1\" Dimension=\"256\"/></Receive_PDO><Transmit_PDO/></R>", nullptr},
        {"-1 data bytes", "<R><Receive_PDO/><Transmit_PDO><row COB-ID=\"1\" Dimension=\"-1\"/></Transmit_PDO></R>", nullptr},
        {"no COB-ID", "<R><Receive_PDO/><Transmit_PDO><row Dimension=\"1\"/></Transmit_PDO></R>", nullptr},
        {"no transmit section", "<R><Receive_PDO/></R>", nullptr},
        // An application variable at the index of an object the file describes itself.
        {"index of the device type", nullptr, "<R><SDO_Read><row Index=\"$1000\" SubIndex=\"1\" NByte=\"1\"/></SDO_Read><SDO_Write/></R>"},
        {"index of the first receive PDO's data", "<R><Receive_PDO><row COB-ID=\"1\" Dimension=\"1\"/></Receive_PDO><Transmit_PDO/></R>",
         "<R><SDO_Read/><SDO_Write><row Index=\"0x7000\" SubIndex=\"1\" NByte=\"1\"/></SDO_Write></R>"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(FileName_PDO_CANopen);
        std::filesystem::remove(FileName_SDO_Server_CANopen);
        if (c.pdo) Write("PDO_CANopen.xml", c.pdo);
        if (c.sdo) Write("SDO_Server_CANopen.xml", c.sdo);
        EXPECT_THROW(Build_CANopen_EDS(Path("out.eds")), Exception) << c.name;
        EXPECT_FALSE(FileExists(Path("out.eds"))) << c.name;
    }
}

TEST_F(EdsFile, TheLargestNumbersTheDictionaryHoldsAreWrittenWhole)
{
    Sdos(Sdo("0xFFFF", "255", "2") + Sdo("0x2001", "1", "257"), "");
    const TIni ini(Written());
    EXPECT_EQ(ini.Get("ManufacturerObjects", "1"), "0xFFFF");
    EXPECT_EQ(ini.Get("FFFFsub0", "DefaultValue"), "0xFF");
    EXPECT_EQ(ini.Get("FFFFsubFF", "DataType"), "0x0006");
    EXPECT_EQ(ini.Get("2001sub1", "DataType"), "0x0007") << "257 bytes are no one-byte entry";
    EXPECT_TRUE(Consistency(ini).empty()) << Consistency(ini).front();
}

TEST_F(EdsFile, CreationTimeOnTheTwelveHourClock)
{
    struct Case { int h, m; const char* time; } const cases[] = {
        {12, 30, "12:30PM"}, {0, 15, "12:15AM"}, {9, 5, "09:05AM"}, {23, 59, "11:59PM"}, {11, 0, "11:00AM"},
    };
    for (const Case& c : cases) {
        At(2025, 1, 2, c.h, c.m, 0);
        const TIni ini(Written());
        EXPECT_EQ(ini.Get("FileInfo", "CreationTime"), c.time);
        EXPECT_EQ(ini.Get("FileInfo", "ModificationTime"), c.time);
        EXPECT_EQ(ini.Get("FileInfo", "CreationDate"), "01-02-2025");
    }
}

}  // namespace
