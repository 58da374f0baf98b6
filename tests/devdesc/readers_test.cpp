// The readers of other devices' files: EDE object lists and the connections of
// EtherNet/IP EDS files, over odd encodings, line ends, short lines and broken entries.
#include <gtest/gtest.h>

#include "devdesc/ede/UEDE_Read.h"
#include "devdesc/eds/UEtherNetIP_EDS_Read.h"
#include "platform/rtl/Unicode.h"

namespace {

// A header of seven lines whose seventh is the "mandatory" line, then the column names.
String EDE_Head()
{
    return "PROJECT_NAME;x\nVERSION_OF_REFERENCEFILE;1\nTIMESTAMP_OF_LAST_CHANGE;t\nAUTHOR_OF_LAST_CHANGE;a\n"
           "VERSION_OF_LAYOUT;2.2\n#comment\n# mandatory;mandatory;...\n# keyname;device obj.-instance;...\n";
}

String Entry(const String& Path, const String& Params = "0x0000")
{
    return "0x04010002," + Params + ",,,,,,,,,,,\"Name\",\"Help\",\"" + Path + "\";";
}
String EDS_With(const String& Body) { return "[Device]\nVendName=\"x\";\n[Connection Manager]\n" + Body + "[Port]\n"; }

}  // namespace

TEST(EDERead, FieldsAndKeptTypes)
{
    const String Text = EDE_Head() +
                        "a;7;Temp;0;1;Room;20;0;50;Y;N;40;5;;62;A;B;\n"
                        "b;7;Door;30;1;;\n"
                        "c;7;Short;4;9\n"
                        "\n"
                        "d;7;Big;46;x;d\n";
    const TEDE_Read R = Read_EDE_Text(Text);
    ASSERT_TRUE(R.Ok);
    ASSERT_EQ(R.Vars.size(), 3u);
    const TBACnet_Var& A = *R.Vars[0];
    EXPECT_EQ(A.object_name, "Temp");
    EXPECT_EQ(A.object_instance, 1);
    EXPECT_TRUE(A.commandable);
    EXPECT_TRUE(A.write);
    EXPECT_EQ(A.unit_code, "62");
    EXPECT_EQ(A.vendor_specific_address, "A;B");   // ";" inside kept, one final ";" dropped
    const TBACnet_Var& C = *R.Vars[1];               // fewer than sixteen fields
    EXPECT_EQ(C.object_type, 4);
    EXPECT_EQ(C.object_instance, -1);               // "9" has no ";" after it: a missing field
    EXPECT_EQ(C.description, "");
    EXPECT_FALSE(C.commandable);
    EXPECT_FALSE(C.write);
    EXPECT_EQ(R.Vars[2]->object_instance, -1);
}

TEST(EDERead, HeaderPlacesEncodingsAndLineEnds)
{
    const String Body = "a;1;N1;2;5;d;\n";
    struct Case {
        const char* Why;
        std::string Bytes;
        size_t Objects;
        bool Ok;
    } Cases[] = {
        {"seventh line is the header", EDE_Head() + Body, 1, true},
        {"header found by the scan (the writer's layout)",
         "a\nb\nc\nd\ne\n# mandatory;x\n# keyname;y\n" + Body, 1, true},
        {"CR only", [&] {
             String s = EDE_Head() + Body;
             for (char& c : s)
                 if (c == '\n') c = '\r';
             return s;
         }(), 1, true},
        {"UTF-8 mark, CR LF", "\xEF\xBB\xBF" + [&] {
             String s;
             for (char c : EDE_Head() + Body) s += c == '\n' ? String("\r\n") : String(1, c);
             return s;
         }(), 1, true},
        {"UTF-16 mark", "\xFF\xFE" + [&] {
             std::u16string u = Utf8ToUtf16(EDE_Head() + Body);
             return std::string(reinterpret_cast<const char*>(u.data()), u.size() * 2);
         }(), 1, true},
        {"fewer than seven lines", "# mandatory\n\na;1;N;2;5;\n", 0, false},
        {"no header line", "1\n2\n3\n4\n5\n6\n7\n" + Body, 0, false},
        {"empty", "", 0, false},
    };
    for (const Case& c : Cases) {
        const TEDE_Read R = Read_EDE_Text(c.Bytes);
        EXPECT_EQ(R.Ok, c.Ok) << c.Why;
        EXPECT_EQ(R.Vars.size(), c.Objects) << c.Why;
    }
    EXPECT_FALSE(Read_EDE_File("/nonexistent/x.csv").Ok);
}

TEST(EDSRead, PathsDecode)
{
    struct Case {
        const char* Path;
        bool Usable;
        long long Inst_OT, Inst_TO;
        int Point_OT, Point_TO;
    } Cases[] = {
        {"20 04 24 64 2C 96 2C 64", true, 100, 100, 150, 100},
        {"20 04 24 01 2C 96 24 02 2C 64", true, 1, 2, 150, 100},
        // A 16-bit instance is kept whole, never cut to its low byte.
        {"20 04 25 00 2C 01 2C 96 2C 64", true, 300, 300, 150, 100},
        {"20 04 26 00 70 11 01 00 2C 96 2C 64", true, 70000, 70000, 150, 100},
        {"20 04 26 00 70 11", false, 0, 0, 0, 0},
        {"20 04 24 64 2C", false, 0, 0, 0, 0},
        {"21 04 24 64 2C 96 2C 64", false, 0, 0, 0, 0},
        {"20 04 24 64 2C 96 24 02", false, 0, 0, 0, 0},
        {"20 04 24 [Param1] 64 2C 96 2C 64", true, 100, 100, 150, 100},
        {"20 04 2C 05 2C 06", true, 1, 1, 5, 6},
    };
    for (const Case& c : Cases) {
        TConnList L;
        DecodeConnStr(Entry(c.Path), L);
        ASSERT_EQ(L.size(), c.Usable ? 1u : 0u) << c.Path;
        if (!c.Usable) continue;
        EXPECT_EQ(L[0]->InstanceOT, c.Inst_OT) << c.Path;
        EXPECT_EQ(L[0]->InstanceTO, c.Inst_TO) << c.Path;
        EXPECT_EQ(L[0]->ConnPointOT, c.Point_OT) << c.Path;
        EXPECT_EQ(L[0]->ConnPointTO, c.Point_TO) << c.Path;
        EXPECT_EQ(L[0]->ConnName, "\"Name\"");
    }
}

TEST(EDSRead, SectionScanning)
{
    // Headers 4 and 0 (defaults), then 1 and 3; an entry over two lines; a "$" comment
    // inside a quoted help string; a key line that names no connection.
    const String Body = "Object_Name = \"Connection Manager Object\";\n"
                        "Connection1 = " + Entry("20 04 24 64 2C 96 2C 64", "0x0400") + "\n"
                        "Connection2 = 0x04010002,0x3100,,,,,,,,,,,\"N2\",\"H2\",\n"
                        "  \"20 04 24 01 2C 96 24 02 2C 64\";\n"
                        "Connection3 = 0x04010002,0,,,,,,,,,,,\"N3\",\"cut $ here\",\"20 04 24 01 2C 01 2C 02\";\n";
    const TConnList L = Read_EDS_Connections(EDS_With(Body));
    ASSERT_EQ(L.size(), 2u);
    EXPECT_EQ(L[0]->DimHeaderOT, 4);
    EXPECT_EQ(L[0]->DimHeaderTO, 0);
    EXPECT_EQ(L[1]->DimHeaderOT, 1);
    EXPECT_EQ(L[1]->DimHeaderTO, 3);
    EXPECT_EQ(L[1]->InstanceTO, 2);
    EXPECT_EQ(L[1]->ConnIndex, 2);

    // The same with a UTF-16 mark and CR line ends.
    String Cr = EDS_With(Body);
    for (char& c : Cr)
        if (c == '\n') c = '\r';
    const std::u16string U = Utf8ToUtf16(Cr);
    EXPECT_EQ(Read_EDS_Connections("\xFF\xFE" + std::string(reinterpret_cast<const char*>(U.data()), U.size() * 2))
                  .size(),
              2u);
    EXPECT_TRUE(Read_EDS_Connections("[Connection Manager]\nfoo\n").empty());
    EXPECT_TRUE(Read_EDS_Connections(std::string("\0\xff[", 3)).empty());
    TConnList None;
    String Error;
    EXPECT_FALSE(Read_EDS_File("/nonexistent/x.eds", None, Error));
}
