// Content export of the string tree: HTML, RTF and separated text against golden files
// (the HTML also read by xmllint, the RTF by unrtf), the clipboard blocks, the custom
// export's events, cancelling, and what a failed export leaves behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/os/Files.h"
#include "platform/os/Regional.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Unicode.h"
#include "tests/common/Snapshot.h"
#include "tests/treeview/tree_fixture.h"
#include "treeview/export/LazyTreeExport.h"

namespace {

std::string ReadAll(const String& Path)
{
    std::ifstream f(Path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Output of a command run on the file, and its exit status.
std::pair<int, std::string> RunTool(const String& Command)
{
    std::string out;
    FILE* p = ::popen((Command + " 2>&1").c_str(), "r");
    if (!p) return {-1, out};
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    return {::pclose(p), out};
}

bool HaveTool(const char* Name) { return RunTool(String("command -v ") + Name).first == 0; }

class ExportTest : public TreeTest {
protected:
    std::map<PLazyNode, std::map<TColumnIndex, String>> Texts, Statics;
    void SetUp() override
    {
        TreeTest::SetUp();
        SetMeasurementMetricOverride(1);
        SetListSeparatorOverride(';');
        Tree->SetBounds(0, 0, 300, 200);
        Tree->SetColor(clWhite);
        Tree->OnGetText = [this](TBaseLazyTree*, PLazyNode N, TColumnIndex C, TVSTTextType Type, String& S) {
            S = Type == ttNormal ? Texts[N][C] : Statics[N][C];
        };
    }
    void TearDown() override
    {
        SetMeasurementMetricOverride(-1);
        SetListSeparatorOverride(0);
        TreeTest::TearDown();
    }
    void AddColumns(std::initializer_list<std::pair<const char*, int>> Cols)
    {
        for (auto [name, width] : Cols) {
            TLazyTreeColumn* c = Tree->Header()->Columns()->Add();
            c->SetText(name);
            c->SetWidth(width);
        }
    }
    PLazyNode Add(PLazyNode Parent, std::initializer_list<const char*> Cells)
    {
        PLazyNode n = Tree->AddChild(Parent);
        TColumnIndex c = Tree->Header()->UseColumns() ? 0 : NoColumnIndex;
        for (const char* s : Cells) Texts[n][c++] = s;
        return n;
    }
    // Compares with the golden file; a differing result is left in the output folder.
    void ExpectGolden(const std::string& Got, const char* Name)
    {
        const std::string want = ReadAll(PathJoin(TREEVIEW_TEST_DATA, Name));
        if (Got != want) {
            std::ofstream(TEST_OUTPUT(Name), std::ios::binary) << Got;
            ADD_FAILURE() << Name << " differs from the golden file; the result is in " << TEST_OUTPUT(Name);
        }
    }
    // Three columns (the last right-aligned), two levels, a static text, a row whose
    // paint-text handler makes the font bold, and texts with markup characters.
    void BuildPlant()
    {
        AddColumns({{"Name", 120}, {"Address", 90}, {"Value", 60}});
        Tree->Header()->Columns()->Items(2)->SetAlignment(taRightJustify);
        Tree->TreeOptions()->SetStringOptions(Tree->TreeOptions()->StringOptions() + toShowStaticText);
        PLazyNode pump = Add(nullptr, {"Pump", "1/2/3", "12"});
        Statics[pump][0] = "(on)";
        PLazyNode valve = Add(pump, {"Valve <A&B>", "1/2/4", "-3,5"});
        Add(valve, {"Seal", "1/2/5", ""});
        Add(nullptr, {"Mixer", "1/3/1", "0"});
        Tree->OnPaintText = [valve](TBaseLazyTree*, TCanvas* C, PLazyNode N, TColumnIndex Col, TVSTTextType) {
            if (N == valve && Col == 1) C->Font()->SetStyle(TFontStyles{fsBold});
        };
        Tree->FullExpand();
    }
};

TEST_F(ExportTest, HtmlOfAPlantMatchesTheGoldenFileAndParses)
{
    BuildPlant();
    const String html = Tree->ContentToHTML(tstAll, "Plant");
    ExpectGolden(html, "plant.html");
    if (!HaveTool("xmllint")) GTEST_SKIP() << "xmllint (Debian package libxml2-utils) is not installed";
    const String path = TEST_OUTPUT("plant_check.html");
    std::ofstream(path, std::ios::binary) << "<html><body>" << html << "</body></html>";
    const auto [status, out] = RunTool("xmllint --html --noout " + path);
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(out, "");
    // The markup characters of a cell arrive as text, not as markup.
    const auto [s2, text] = RunTool("xmllint --html --xpath 'string(//tr[3]/td[2])' " + path);
    EXPECT_EQ(text, "Valve <A&B>\n");
}

TEST_F(ExportTest, RtfOfAPlantMatchesTheGoldenFileAndReadsBack)
{
    BuildPlant();
    const std::string rtf = Tree->ContentToRTF(tstAll);
    ExpectGolden(rtf, "plant.rtf");
    if (!HaveTool("unrtf")) GTEST_SKIP() << "unrtf (Debian package unrtf) is not installed";
    const String path = TEST_OUTPUT("plant_check.rtf");
    std::ofstream(path, std::ios::binary) << rtf;
    const auto [status, html] = RunTool("unrtf --html " + path);
    EXPECT_EQ(status, 0) << html;
    // The reader writes every character as a numeric entity: turn those back.
    std::string out;
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html.compare(i, 2, "&#") == 0) {
            const std::size_t end = html.find(';', i);
            out += Utf16ToUtf8(std::u16string(1, char16_t(std::stoul(html.substr(i + 2, end - i - 2)))));
            i = end;
        } else {
            out += html[i];
        }
    }
    for (const char* s : {"Name", "Address", "Value", "Pump", " (on)", "Valve &lt;A&amp;B&gt;", "<b>1/2/4</b>", "-3,5",
                          "Seal", "Mixer", "<font face=\"Tahoma\">"})
        EXPECT_NE(out.find(s), std::string::npos) << s << " missing in:\n" << out;
}

TEST_F(ExportTest, TextOfAPlantMatchesTheGoldenFile)
{
    BuildPlant();
    ExpectGolden(Tree->ContentToText(tstAll, '\t'), "plant_tab.txt");
    // A cell that holds the separator is quoted, with its own quotes doubled.
    Texts[Tree->GetFirst()][1] = "a,\"b\"";
    ExpectGolden(Tree->ContentToText(tstAll, ","), "plant_comma.txt");
}

TEST_F(ExportTest, TextLevelsAreLeadingAndTrailingSeparators)
{
    AddColumns({{"Only", 100}});
    PLazyNode a = Add(nullptr, {"A"});
    Add(a, {"a1"});
    Add(nullptr, {"B"});
    // The header line fills the levels only before a following column.
    EXPECT_EQ(Tree->ContentToText(tstAll, ';'), "Only\r\nA;\r\n;a1\r\nB;\r\n");
    EXPECT_EQ(Tree->ContentToUnicode(tstAll, ';'), Tree->ContentToText(tstAll, ';'));
}

TEST_F(ExportTest, HtmlWithoutColumnsIsOneCellPerNodeWithIndentation)
{
    Tree->SetAlignment(taCenter);
    PLazyNode a = Add(nullptr, {"A"});
    Add(a, {"a1"});
    Tree->FullExpand();
    const String html = Tree->ContentToHTML(tstAll);
    EXPECT_EQ(html.find("<tr class=\"header\""), String::npos);
    EXPECT_NE(html.find(" <tr class=\"default\">\r\n <td class=\"normalborder\"  height=\"18px\" align=center "
                        "colspan=\"2\">A</td> </tr>\r\n"),
              String::npos)
        << html;
    EXPECT_NE(html.find(" <tr class=\"default\">\r\n <td height=\"18px\" class=\"normalborder\">&nbsp;</td> <td "
                        "class=\"normalborder\"  height=\"18px\" align=center>a1</td> </tr>\r\n</table>"),
              String::npos)
        << html;
    EXPECT_EQ(html.find("caption="), String::npos);
}

TEST_F(ExportTest, HtmlTableTagColoursAndFontSizes)
{
    Add(nullptr, {"A"});
    struct Case {
        const char* What;
        TColor Color;
        int FontHeight;
        const char* Caption;
        const char* Expected;
    } cases[] = {
        {"pure red", TColor(0x0000FF), -11, "", "bgcolor=#FF0000  border=\"1\" frame=box cellspacing=\"0\">"},
        {"system button face", clBtnFace, -11, "", "bgcolor=#F0F0F0  border=\"1\" frame=box"},
        {"caption", clWhite, -11, "Pumps", "bgcolor=#FFFFFF caption=\"Pumps\" border=\"1\" frame=box"},
        {"points", clWhite, -16, "", ".default{font-family: 'Tahoma'; font-size: 12pt; "},
        {"pixels", clWhite, 13, "", ".default{font-family: 'Tahoma'; font-size: 13px; "},
    };
    for (const Case& c : cases) {
        Tree->SetColor(c.Color);
        Tree->Font()->SetHeight(c.FontHeight);
        const String html = Tree->ContentToHTML(tstAll, c.Caption);
        EXPECT_NE(html.find(c.Expected), String::npos) << c.What << "\n" << html;
    }
    EXPECT_EQ(ColorToRGB(clBtnFace), TColor(0xF0F0F0));
}

TEST_F(ExportTest, RtfWritesEveryCharacterAsUnicode)
{
    PLazyNode n = Add(nullptr, {"\xC3\xA9\xE2\x82\xAC\xEE\x80\x80" "a\r\nb"});
    (void)n;
    const std::string rtf = Tree->ContentToRTF(tstAll);
    EXPECT_NE(rtf.find("\\f0\\cf1\\fs16 \\u233\\'3f\\u8364\\'3f\\u-8192\\'3f\\u97\\'3f{\\par}\\u98\\'3f\\cell"),
              std::string::npos)
        << rtf;
    EXPECT_EQ(rtf.find("\\u13"), std::string::npos);
    EXPECT_NE(rtf.find("\\paperw16840\\paperh11907"), std::string::npos);
    SetMeasurementMetricOverride(0);
    EXPECT_NE(Tree->ContentToRTF(tstAll).find("\\paperw15840\\paperh12240"), std::string::npos);
}

TEST_F(ExportTest, ClipboardBlocksOfEachFormat)
{
    Add(nullptr, {"ab"});
    const std::string unicode = Tree->ContentToClipboard(CF_UNICODETEXT, tstAll);
    EXPECT_EQ(unicode, std::string("a\0b\0\r\0\n\0\0\0", 10));
    EXPECT_EQ(Tree->ContentToClipboard(CF_TEXT, tstAll), std::string("ab\r\n\0", 5));
    EXPECT_EQ(Tree->ContentToClipboard(CF_CSV(), tstAll), std::string("ab\r\n\0", 5));
    const std::string rtf = Tree->ContentToClipboard(CF_RTF(), tstAll);
    EXPECT_EQ(rtf, Tree->ContentToRTF(tstAll) + '\0');
    EXPECT_EQ(Tree->ContentToClipboard(CF_RTFNOOBJS(), tstAll), rtf);
    EXPECT_EQ(Tree->ContentToClipboard(RegisterClipboardFormat("Some Other Format"), tstAll), "");
    const std::string html = Tree->ContentToClipboard(CF_HTML(), tstAll);
    std::string wrapped = Tree->ContentToHTML(tstAll);
    MakeHtmlClipboardData(wrapped);
    EXPECT_EQ(html, wrapped + '\0');
    // Text in the 8-bit formats is in the 8-bit code page.
    Texts[Tree->GetFirst()][NoColumnIndex] = "\xE2\x82\xAC";
    EXPECT_EQ(Tree->ContentToClipboard(CF_TEXT, tstAll), std::string("\x80\r\n\0", 4));
}

TEST_F(ExportTest, CsvClipboardUsesTheListSeparator)
{
    AddColumns({{"A", 50}, {"B", 50}});
    Add(nullptr, {"1,5", "x;y"});
    SetListSeparatorOverride(';');
    EXPECT_EQ(Tree->ContentToClipboard(CF_CSV(), tstAll), std::string("A;B\r\n1,5;\"x;y\"\r\n\0", 17));
    SetListSeparatorOverride(',');
    EXPECT_EQ(Tree->ContentToClipboard(CF_CSV(), tstAll), std::string("A,B\r\n\"1,5\",x;y\r\n\0", 17));
}

TEST_F(ExportTest, HtmlClipboardHeaderOffsetsPointIntoTheBlock)
{
    std::string data = "0123456789";
    MakeHtmlClipboardData(data);
    EXPECT_EQ(data.substr(0, 97), "Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000311\r\n"
                                  "StartFragment:00000269\r\nEndFragment:00000279\r\n");
    EXPECT_EQ(data.substr(97, 9), "<!DOCTYPE");
    EXPECT_EQ(data.substr(269, 10), "0123456789");
    EXPECT_EQ(data.size(), 311u);
    EXPECT_EQ(data.substr(279), "<!--EndFragment--></body></html>");
}

TEST_F(ExportTest, SourcesFiltersAndNodeEvents)
{
    PLazyNode a = Add(nullptr, {"A"}), b = Add(nullptr, {"B"}), c = Add(nullptr, {"C"});
    Tree->TreeOptions()->SetSelectionOptions(Tree->TreeOptions()->SelectionOptions() + toMultiSelect);
    Tree->SetSelected(b, true);
    Tree->SetSelected(c, true);
    EXPECT_EQ(Tree->ContentToText(tstSelected, '\t'), "B\r\nC\r\n");
    // The export mode filters HTML and RTF, not text; a node event can refuse a node.
    Tree->TreeOptions()->SetExportMode(emSelected);
    Tree->OnBeforeNodeExport = [c](TBaseLazyTree*, TLTExportType, PLazyNode N) { return N != c; };
    const String html = Tree->ContentToHTML(tstAll);
    EXPECT_EQ(html.find(">A</td>"), String::npos);
    EXPECT_NE(html.find(">B</td>"), String::npos);
    EXPECT_EQ(html.find(">C</td>"), String::npos);
    const std::string rtf = Tree->ContentToRTF(tstAll);
    EXPECT_EQ(rtf.find("\\u65\\'3f"), std::string::npos);
    EXPECT_NE(rtf.find("\\u66\\'3f"), std::string::npos);
    EXPECT_EQ(Tree->ContentToText(tstAll, '\t'), "A\r\nB\r\nC\r\n");
    (void)a;
}

TEST_F(ExportTest, EachRendererAsksTextsWithItsExportType)
{
    AddColumns({{"A", 50}});
    Add(nullptr, {"x"});
    std::vector<TLTExportType> seen;
    Tree->OnGetCellText = [&](TBaseLazyTree*, TVSTGetCellTextEventArgs& E) {
        seen.push_back(E.ExportType);
        E.CellText = E.ExportType == etText ? "for text" : "other";
    };
    EXPECT_EQ(Tree->ContentToText(tstAll, '\t'), "A\r\nfor text\r\n");
    Tree->ContentToHTML(tstAll);
    Tree->ContentToRTF(tstAll);
    EXPECT_EQ(seen, (std::vector<TLTExportType>{etText, etHTML, etRTF}));
}

TEST_F(ExportTest, CustomExportFiresTheEventsInOrder)
{
    AddColumns({{"A", 50}, {"B", 50}});
    Tree->Header()->Columns()->Items(1)->SetPosition(0);
    Tree->Header()->SetOptions(Tree->Header()->Options() + hoVisible);
    PLazyNode n = Add(nullptr, {"x", "y"});
    Tree->SetCheckType(n, ctCheckBox);
    Add(nullptr, {"z", "w"});
    Tree->TreeOptions()->SetExportMode(emUnchecked);
    Tree->SetCheckState(n, csCheckedNormal);
    std::vector<std::string> log;
    auto tree = [&](const char* what) { return [&log, what](TBaseLazyTree*, TLTExportType t) {
        log.push_back(std::string(what) + (t == etCustom ? "" : "?"));
    }; };
    auto col = [&](const char* what) { return [&log, what](TBaseLazyTree*, TLTExportType, TLazyTreeColumn* C) {
        log.push_back(std::string(what) + " " + C->Text());
    }; };
    auto node = [&](const char* what) { return [&, what](TBaseLazyTree*, TLTExportType, PLazyNode N) {
        log.push_back(std::string(what) + " " + Texts[N][0]);
        return false;
    }; };
    Tree->OnBeforeTreeExport = tree("tree");
    Tree->OnAfterTreeExport = tree("/tree");
    Tree->OnBeforeHeaderExport = tree("header");
    Tree->OnAfterHeaderExport = tree("/header");
    Tree->OnBeforeColumnExport = col("column");
    Tree->OnColumnExport = col("export");
    Tree->OnAfterColumnExport = col("/column");
    Tree->OnBeforeNodeExport = node("node");
    Tree->OnNodeExport = node("export");
    Tree->OnAfterNodeExport = node("/node");
    Tree->ContentToCustom(tstAll);
    EXPECT_EQ(log, (std::vector<std::string>{"tree", "header", "column B", "export B", "/column B", "column A",
                                              "export A", "/column A", "/header", "node z", "export z", "/node z",
                                              "/tree"}));
    EXPECT_EQ(Tree->OperationCount(), 0u);
}

TEST_F(ExportTest, CancellingStopsAfterTheCurrentNodeAndClosesTheOutput)
{
    Add(nullptr, {"A"});
    Add(nullptr, {"B"});
    Add(nullptr, {"C"});
    std::vector<TLTOperationKind> kinds;
    Tree->OnStartOperation = [&](TBaseLazyTree*, TLTOperationKind K) { kinds.push_back(K); };
    Tree->OnAfterNodeExport = [](TBaseLazyTree* T, TLTExportType, PLazyNode) {
        T->CancelOperation();
        return true;
    };
    const String html = Tree->ContentToHTML(tstAll);
    EXPECT_NE(html.find(">A</td>"), String::npos);
    EXPECT_EQ(html.find(">B</td>"), String::npos);
    EXPECT_EQ(html.substr(html.size() - 8), "</table>");
    const std::string rtf = Tree->ContentToRTF(tstAll);
    EXPECT_EQ(rtf.find("\\u66\\'3f"), std::string::npos);
    EXPECT_EQ(rtf.substr(rtf.size() - 10), "\\pard\\par}");
    EXPECT_EQ(kinds, (std::vector<TLTOperationKind>{okExport, okExport}));
    EXPECT_EQ(Tree->OperationCount(), 0u);
}

// An event that throws ends the export; the canvas keeps the font, pen and brush it had,
// the operation is closed, and the next export sees font changes as before.
TEST_F(ExportTest, AFailedExportLeavesTheCanvasAndFontsAsTheyWere)
{
    AddColumns({{"A", 50}});
    PLazyNode n = Add(nullptr, {"x"});
    TCanvas* canvas = Tree->Canvas();
    canvas->Font()->SetName("Verdana");
    canvas->Font()->SetColor(clGreen);
    canvas->Pen()->SetColor(clBlue);
    canvas->Brush()->SetColor(clYellow);
    TFont before;
    before.Assign(*canvas->Font());
    TFont treeFont;
    treeFont.Assign(*Tree->Font());
    bool fail = true;
    Tree->OnPaintText = [&](TBaseLazyTree*, TCanvas* C, PLazyNode, TColumnIndex, TVSTTextType) {
        C->Font()->SetStyle(TFontStyles{fsItalic});
        C->Font()->SetName("Courier New");
        if (fail) throw Exception("no text today");
    };
    using TRender = std::function<void()>;
    const std::pair<const char*, TRender> renders[] = {
        {"html", [&] { Tree->ContentToHTML(tstAll); }},
        {"rtf", [&] { Tree->ContentToRTF(tstAll); }},
        {"clipboard html", [&] { Tree->ContentToClipboard(CF_HTML(), tstAll); }},
    };
    for (const auto& [what, render] : renders) {
        EXPECT_THROW(render(), Exception) << what;
        EXPECT_TRUE(canvas->Font()->SameAs(before)) << what;
        EXPECT_EQ(canvas->Pen()->Color(), clBlue) << what;
        EXPECT_EQ(canvas->Brush()->Color(), clYellow) << what;
        EXPECT_TRUE(Tree->Font()->SameAs(treeFont)) << what;
        EXPECT_EQ(Tree->OperationCount(), 0u) << what;
    }
    fail = false;
    const String html = Tree->ContentToHTML(tstAll);
    EXPECT_NE(html.find("style=\"{font-family: 'Courier New'; font-size: 8pt; font-style: italic; "), String::npos)
        << html;
    EXPECT_TRUE(canvas->Font()->SameAs(before));
    // A paint handler that leaves the font alone gives the plain cell again.
    Tree->OnPaintText = nullptr;
    EXPECT_NE(Tree->ContentToHTML(tstAll).find(" <td class=\"normalborder\"  height="), String::npos);
    (void)n;
}

TEST_F(ExportTest, CsvFileThatFailsToSaveKeepsTheOldFile)
{
    AddColumns({{"A", 50}});
    Add(nullptr, {"new"});
    const String path = TEST_OUTPUT("export_keep.csv");
    std::ofstream(path, std::ios::binary) << "\"old\"\r\n";
    SetWriteFailureForTest(1);
    EXPECT_ANY_THROW(Tree->SaveToCSVFile(path, false));
    SetWriteFailureForTest(0);
    EXPECT_EQ(ReadAll(path), "\"old\"\r\n");
    ASSERT_TRUE(Tree->SaveToCSVFile(path, true));
    EXPECT_EQ(ReadAll(path), "\"A\"\r\n\"new\"\r\n");
    EXPECT_EQ(Tree->AddCSVLines(false), std::vector<String>{"\"new\""});
}

TEST(BufferedStringTest, GrowsInWholeSteps)
{
    TBufferedString b;
    b.Add("");
    EXPECT_EQ(b.AsString(), "");
    String big(5000, 'x');
    b.Add(big);
    b.AddNewLine();
    b.Add("y");
    EXPECT_EQ(b.AsString(), big + "\r\ny");
    TBufferedRawByteString r;
    r.AddNewLine();
    r.Add(std::string("\0z", 2));
    EXPECT_EQ(r.AsString(), std::string("\r\n\0z", 4));
}

}  // namespace
