// The writers against golden files and outside readers, and the promise every writer
// keeps: a save that fails leaves the file and the grid as they were.
#include <functional>

#include "grid/util/GridSupport.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Streams.h"
#include "tests/gridext/exchange/exchange_fixture.h"

namespace {

using namespace GridExchange;

class Writers : public ExchangeTest {
public:
    // A small grid with a header row, a delimiter, quotes, a multi-line cell, an empty
    // cell, non-ASCII and markup characters.
    void FillSmall(TExtStringGrid& G)
    {
        G.SetColCount(3);
        G.SetRowCount(3);
        G.SetCellEx(0, 0, "Name");
        G.SetCellEx(1, 0, "Value");
        G.SetCellEx(2, 0, "Note");
        G.SetCellEx(0, 1, "a,b");
        G.SetCellEx(1, 1, "say \"hi\"");
        G.SetCellEx(2, 1, "l1\r\nl2");
        G.SetCellEx(0, 2, "Gr\xC3\xBC\xC3\x9F" "e");
        G.SetCellEx(2, 2, "x & <y>");
    }
    static String Hex(const String& s)
    {
        static const char* d = "0123456789abcdef";
        String h;
        for (unsigned char c : s) h += {d[c >> 4], d[c & 15]};
        return h.empty() ? "-" : h;
    }
};

TEST_F(Writers, EachWriterMatchesItsGoldenFile)
{
    FillSmall(*Grid);
    SaveToFile(*Grid, Path("grid.txt"));
    ExpectGolden("grid.txt", Bytes(Path("grid.txt")));
    SaveToCSV(*Grid, Path("grid.csv"));
    ExpectGolden("grid.csv", Bytes(Path("grid.csv")));
    TIntList positions(0, 0);
    SaveToFixed(*Grid, Path("grid.fixed"), positions);
    ExpectGolden("grid.fixed", Bytes(Path("grid.fixed")));
    Grid->Multilinecells = true;
    SaveToASCII(*Grid, Path("grid.table"));
    ExpectGolden("grid.table", Bytes(Path("grid.table")));
    SaveToHTML(*Grid, Path("grid.html"));
    ExpectGolden("grid.html", Bytes(Path("grid.html")));
    SaveToXML(*Grid, Path("grid.xml"), "LIST", "ROW", nullptr, false);
    ExpectGolden("grid.xml", Bytes(Path("grid.xml")));
    SaveToBinFile(*Grid, Path("grid.bin"));
    ExpectGolden("grid.bin", Bytes(Path("grid.bin")));
    TMemoryStream s;
    SaveToStream(*Grid, s);
    ExpectGolden("grid.stream", std::string(reinterpret_cast<const char*>(s.Memory()), size_t(s.Size())));
}

TEST_F(Writers, PythonsCsvModuleReadsTheCells)
{
    const std::string python = FileExists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    if (!HaveTool(python)) GTEST_SKIP() << "python3 is not installed: the outside CSV check is skipped";
    FillSmall(*Grid);
    Grid->SetCellEx(1, 2, "  lead");
    Grid->SetCellEx(1, 1, "a\nb \"q\", c");
    struct Case {
        const char* Name;
        bool AlwaysQuotes, Unicode;
    } cases[] = {{"default", false, false}, {"always quotes", true, false}, {"UTF-8", false, true}};
    // One run of python over all files: each file's rows, fields as hex, then "==".
    std::string args, want;
    int n = 0;
    for (const Case& k : cases) {
        Grid->AlwaysQuotes = k.AlwaysQuotes;
        const std::string file = Path("py" + std::to_string(n++) + ".csv");
        SaveToCSV(*Grid, file, k.Unicode);
        args += " " + file + (k.Unicode ? " utf-8-sig" : " cp1252");
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                String t = Grid->GetCellEx(c, r);
                // Unquoted, a CR LF travels as a vertical tab.
                if (!k.AlwaysQuotes) t = StringReplace(t, "\r\n", "\v", rfReplaceAll);
                if (c) want += ' ';
                want += Hex(t);
            }
            want += "\n";
        }
        want += "== " + std::string(k.Name) + "\n";
    }
    const std::string script = "import csv,sys\n"
                               "a=sys.argv[1:]\n"
                               "for i,name in enumerate([\"default\",\"always quotes\",\"UTF-8\"]):\n"
                               "    for row in csv.reader(open(a[2*i], newline=\"\", encoding=a[2*i+1])):\n"
                               "        print(\" \".join(f.encode().hex() or \"-\" for f in row))\n"
                               "    print(\"== \"+name)\n";
    Put(Path("read.py"), script);
    std::string out;
    ASSERT_EQ(Run(python + " " + Path("read.py") + args, out), 0) << out;
    EXPECT_EQ(out, want);
}

TEST_F(Writers, XmllintReadsTheXmlAndTheHtml)
{
    if (!HaveTool("xmllint")) GTEST_SKIP() << "xmllint (libxml2-utils) is not installed: the outside checks are skipped";
    FillSmall(*Grid);
    std::string out;
    for (const char* encoding : {"ISO-8859-1", "UTF-8"}) {
        SCOPED_TRACE(encoding);
        Grid->XMLEncoding = encoding;
        Grid->SetCellEx(1, 2, "\xCE\xA9 & &amp;");
        SaveToXML(*Grid, Path("x.xml"), "LIST", "ROW", nullptr, true);
        ASSERT_EQ(Run("xmllint --noout " + Path("x.xml") + " 2>&1", out), 0) << out;
        EXPECT_EQ(out, "");
        ASSERT_EQ(Run("xmllint --xpath 'string(/LIST/ROW[3]/FIELD2)' " + Path("x.xml"), out), 0);
        EXPECT_EQ(out, "x & <y>\n");
        ASSERT_EQ(Run("xmllint --xpath 'string(/LIST/ROW[3]/FIELD1)' " + Path("x.xml"), out), 0);
        EXPECT_EQ(out, "\xCE\xA9 & &amp;\n") << "escaped once, every character kept";
        ASSERT_EQ(Run("xmllint --xpath 'string(/LIST/ROW[3]/FIELD0)' " + Path("x.xml"), out), 0);
        EXPECT_EQ(out, "Gr\xC3\xBC\xC3\x9F" "e\n");
    }

    Grid->HTMLSettings()->ConvertSpecialChars = true;
    for (bool unicode : {false, true}) {
        SCOPED_TRACE(unicode ? "UTF-16 page" : "7-bit page");
        SaveToHTML(*Grid, Path("x.html"), false, unicode);
        ASSERT_EQ(Run("xmllint --html --noout " + Path("x.html") + " 2>&1", out), 0) << out;
        EXPECT_EQ(out, "");
        ASSERT_EQ(Run("xmllint --html --xpath 'string(//tr[3]/td[1])' " + Path("x.html"), out), 0);
        EXPECT_EQ(out, "Gr\xC3\xBC\xC3\x9F" "e\n") << "non-ASCII characters are kept";
        ASSERT_EQ(Run("xmllint --html --xpath 'string(//tr[3]/td[3])' " + Path("x.html"), out), 0);
        EXPECT_EQ(out, "x & <y>\n");
    }
}

TEST_F(Writers, HtmlTableRowsSpansStylesAndLinks)
{
    Grid->SetColCount(4);
    Grid->SetRowCount(5);
    Grid->SetCellEx(1, 1, "merged");
    Grid->MergeCells(1, 1, 2, 3);
    Grid->SetCellEx(3, 1, "http://example.org/page");
    Grid->SetCellEx(3, 2, "<b>bold</b> http://x");
    Grid->SetURLShow(true);
    Grid->HTMLSettings()->ColWidths()->Add(10);
    Grid->HTMLSettings()->ColWidths()->Add(20);

    String page = SaveToHTMLString(*Grid, Dir + "/");
    EXPECT_NE(page.find("<TR><TD class=\"c0\" WIDTH=10>"), String::npos) << "row 0 is the header row";
    EXPECT_NE(page.find(" COLSPAN=\"2\" ROWSPAN=\"3\">merged</td>"), String::npos);
    EXPECT_EQ(page.find("merged", page.find("merged") + 1), String::npos) << "a merged area is written once";
    EXPECT_NE(page.find("<a href=http://example.org/page>example.org/page</a>"), String::npos);
    EXPECT_NE(page.find("<b>bold</b> http://x</td>"), String::npos) << "a text with a closing tag stays";
    // Cells of one look share one class, listed once.
    EXPECT_NE(page.find(".c1 {"), String::npos);
    EXPECT_EQ(page.find(".c2 {"), String::npos);
    Grid->SetURLFull(true);
    EXPECT_NE(SaveToHTMLString(*Grid, Dir + "/").find(">http://example.org/page</a>"), String::npos);

    // Without fixed cells: no header row, the body from FixedRows, widths on body cells.
    Grid->SaveFixedCells = false;
    page = SaveToHTMLString(*Grid, Dir + "/");
    EXPECT_EQ(page.find("WIDTH=10"), String::npos);
    EXPECT_NE(page.find(" width=10>"), String::npos);
    int rows = 0;
    for (size_t p = page.find("<TR>"); p != String::npos; p = page.find("<TR>", p + 1)) ++rows;
    EXPECT_EQ(rows, 4) << "rows 1 to 4";
}

// How one CSV field is written under each quoting option.
TEST_F(Writers, CsvFieldQuoting)
{
    struct Case {
        const char* Name;
        String Text;
        std::function<void(TExtStringGrid&)> Options;
        const char* Field;
    } cases[] = {
        {"quotes, no delimiter", "say \"hi\"", [](TExtStringGrid&) {}, "\"say \"\"hi\"\"\""},
        {"delimiter", "a,b", [](TExtStringGrid&) {}, "\"a,b\""},
        {"plain", "ab", [](TExtStringGrid&) {}, "ab"},
        {"empty", "", [](TExtStringGrid&) {}, "\"\""},
        {"empty, not quoted", "", [](TExtStringGrid& G) { G.QuoteEmptyCells = false; }, ""},
        {"always quotes", "ab", [](TExtStringGrid& G) { G.AlwaysQuotes = true; }, "\"ab\""},
        {"always quotes, empty", "", [](TExtStringGrid& G) { G.AlwaysQuotes = true; }, "\"\""},
        {"line break", "l1\r\nl2", [](TExtStringGrid&) {}, "\"l1\vl2\""},
        {"Java line break", "l1\r\nl2", [](TExtStringGrid& G) { G.JavaCSV = true; }, "l1~l2"},
        {"Java empty", "", [](TExtStringGrid& G) { G.JavaCSV = true; }, "^"},
        {"semicolon delimiter", "a;b,c", [](TExtStringGrid& G) { G.Delimiter = ';'; }, "\"a;b,c\""},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Name);
        TExtStringGrid* g = NewGrid();
        g->SetFixedCols(0);
        g->SetFixedRows(0);
        g->SetColCount(2);
        g->SetRowCount(1);
        g->SetCellEx(0, 0, k.Text);
        g->SetCellEx(1, 0, "z");
        k.Options(*g);
        const char D = g->Delimiter ? g->Delimiter : ',';
        const String z = g->AlwaysQuotes ? "\"z\"" : "z";
        EXPECT_EQ(CSVText(*g), String(k.Field) + D + z + "\r\n");
    }
}

// Widths missing from the caller's list are the longest line plus one, appended there.
TEST_F(Writers, FixedWidthAppendsMissingWidths)
{
    Grid->SetFixedCols(0);
    Grid->SetColCount(3);
    Grid->SetRowCount(2);
    Grid->SetCellEx(0, 0, "abc");
    Grid->SetCellEx(1, 1, "abcdef");
    Grid->SetCellEx(2, 0, "x");
    TIntList positions(0, 0);
    positions.Add(2);
    SaveToFixed(*Grid, Path("w.fixed"), positions);
    EXPECT_EQ(positions.StrValue(), "2,7,2");
    EXPECT_EQ(Bytes(Path("w.fixed")), "ab       x \r\n  abcdef   \r\n");
}

// ConvertSpecialChars escapes body cells and names the accented letters and signs of
// the entity table; the 7-bit file keeps the rest as character references.
TEST_F(Writers, HtmlSpecialCharactersAsNamedEntities)
{
    Grid->SetColCount(2);
    Grid->SetRowCount(2);
    Grid->SetCellEx(0, 0, "h\xC3\xA9");
    Grid->SetCellEx(1, 1, "caf\xC3\xA9 <&> \xC2\xA9 \xE2\x82\xAC \xC3\x85 \xCE\xA9");
    Grid->HTMLSettings()->ConvertSpecialChars = true;
    String page = SaveToHTMLString(*Grid, Dir + "/");
    EXPECT_NE(page.find(">caf&eacute; &lt;&amp;&gt; &copy; &euro; &Aring; \xCE\xA9</td>"), String::npos) << page;
    EXPECT_NE(page.find(">h\xC3\xA9</td>"), String::npos) << "the header row stays as it is";
    SaveToHTML(*Grid, Path("e.html"));
    EXPECT_NE(Bytes(Path("e.html")).find("&Aring; &#937;</td>"), std::string::npos);
    Grid->HTMLSettings()->ConvertSpecialChars = false;
    page = SaveToHTMLString(*Grid, Dir + "/");
    EXPECT_NE(page.find(">caf\xC3\xA9 <&> "), String::npos);
}

TEST_F(Writers, AFailedSaveLeavesTheFileAndTheGridAsTheyWere)
{
    FillSmall(*Grid);
    Grid->SetColCount(4);
    Grid->HideColumn(3);
    Grid->SaveHiddenCells = true;
    struct Case {
        const char* Name;
        std::function<void(TExtStringGrid&, const std::string&)> Save;
    } cases[] = {
        {"own file", [](TExtStringGrid& G, const std::string& p) { SaveToFile(G, p); }},
        {"CSV", [](TExtStringGrid& G, const std::string& p) { SaveToCSV(G, p); }},
        {"CSV append", [](TExtStringGrid& G, const std::string& p) { AppendToCSV(G, p); }},
        {"fixed width",
         [](TExtStringGrid& G, const std::string& p) {
             TIntList pos(0, 0);
             SaveToFixed(G, p, pos);
         }},
        {"text table", [](TExtStringGrid& G, const std::string& p) { SaveToASCII(G, p); }},
        {"HTML", [](TExtStringGrid& G, const std::string& p) { SaveToHTML(G, p); }},
        {"XML", [](TExtStringGrid& G, const std::string& p) { SaveToXML(G, p, "L", "R", nullptr, true); }},
        {"binary", [](TExtStringGrid& G, const std::string& p) { SaveToBinFile(G, p); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Name);
        const std::string p = Path("kept.txt");
        Put(p, "what was there\r\n");
        SetWriteFailureForTest(1);
        EXPECT_ANY_THROW(k.Save(*Grid, p));
        SetWriteFailureForTest(0);
        EXPECT_EQ(Bytes(p), "what was there\r\n");
        EXPECT_EQ(Grid->ColCount(), 3) << "the column count is as it was";
        EXPECT_EQ(Grid->NumHiddenColumns(), 1);
    }
}

}  // namespace
