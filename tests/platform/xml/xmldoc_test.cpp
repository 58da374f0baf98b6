#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>

#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class XmlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/conf_xml_XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = std::string(tmpl) + "/";
    }
    void TearDown() override
    {
        SetWriteFailureForTest(0);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (const auto& r : FindFiles(dir)) names.push_back(r.Name);
        return names;
    }
    std::string dir;
    TXMLDocument doc;
};

// A table editor's file, built the way the editors build it.
void BuildTableFile(TXMLDocument& doc)
{
    doc.Clear();
    TXMLNode root = doc.AddChild("BACnet_to_KNX");
    doc.AddComment("SW_VERSION = 1.000");
    TXMLNode section = root.AddChild("KNX_in_Write");
    TXMLNode row = section.AddChild("row");
    row.SetAttribute("Enable", "Y");
    row.SetAttribute("Description", "Line 1\r\nLine 2\tTab & <b> \"q\" 'a'");
    row.SetAttribute("Group", "1/2/3");
    row = section.AddChild("row");
    row.SetAttribute("Enable", "N");
    row.SetAttribute("Description", "");
    row.SetAttribute("Group", "Zähler — 温度");
    root.AddChild("KNX_in_Read");
    root.AddChild("Version").SetText("1000");
    root.AddChild("Device_Name").SetText(" blank ends ");
    root.AddChild("Only_Blank").SetText(" ");
    root.AddChild("Multi_Line").SetText("a\r\nb\tc");
}

const char* const TableFileText =
    "<BACnet_to_KNX>\n"
    "  <KNX_in_Write>\n"
    "    <row Enable=\"Y\" Description=\"Line 1&#13;&#10;Line 2&#9;Tab &amp; &lt;b&gt; &quot;q&quot; 'a'\" "
    "Group=\"1/2/3\"/>\n"
    "    <row Enable=\"N\" Description=\"\" Group=\"Zähler — 温度\"/>\n"
    "  </KNX_in_Write>\n"
    "  <KNX_in_Read/>\n"
    "  <Version>1000</Version>\n"
    "  <Device_Name> blank ends </Device_Name>\n"
    "  <Only_Blank> </Only_Blank>\n"
    "  <Multi_Line>a&#13;\nb\tc</Multi_Line>\n"
    "</BACnet_to_KNX>\n"
    "<!--SW_VERSION = 1.000-->\n";

TEST_F(XmlTest, TableFileIsWrittenInTheOneFormatAndReadsBackUnchanged)
{
    BuildTableFile(doc);
    const std::string file = dir + "KNX_SetAccess.xml";
    doc.SaveToFile(file);
    ASSERT_EQ(ReadFileBytes(file), TableFileText);

    TXMLDocument back;
    back.LoadFromFile(file);
    TXMLNode root = back.DocumentElement();
    ASSERT_TRUE(root);
    EXPECT_EQ(root.NodeName(), "BACnet_to_KNX");
    EXPECT_EQ(root.ChildCount(), 6);
    TXMLNode section = root.ChildNode("KNX_in_Write");
    ASSERT_EQ(section.ChildCount(), 2);
    EXPECT_EQ(section.Child(0).Attribute("Description"), "Line 1\r\nLine 2\tTab & <b> \"q\" 'a'");
    EXPECT_EQ(section.Child(1).Attribute("Description"), "");
    EXPECT_EQ(section.Child(1).Attribute("Group"), "Zähler — 温度");
    EXPECT_EQ(root.ChildNode("KNX_in_Read").ChildCount(), 0);
    EXPECT_EQ(root.ChildNode("Version").Text(), "1000");
    EXPECT_EQ(root.ChildNode("Device_Name").Text(), " blank ends ");
    EXPECT_EQ(root.ChildNode("Only_Blank").Text(), " ");
    EXPECT_EQ(root.ChildNode("Multi_Line").Text(), "a\r\nb\tc");

    // Saved again, the file is the same byte for byte (the comment after the root included).
    back.SaveToFile(file);
    EXPECT_EQ(ReadFileBytes(file), TableFileText);
}

TEST_F(XmlTest, RootIsTheFirstElementWhateverPrecedesIt)
{
    const std::string file = dir + "ParGen.xml";
    WriteFileAtomic(file,
                    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                    "<!-- written elsewhere -->\r\n"
                    "<?app-info keep?>\r\n"
                    "<!DOCTYPE Par_Gen>\r\n"
                    "<Par_Gen>\r\n"
                    "\t<!-- a comment among the keys -->\r\n"
                    "\t<LoRa_RF_Band>EU868</LoRa_RF_Band>\r\n"
                    "\t<LoRa_DataRate><![CDATA[3 -\tLoRa: SF9/125kHz 1760 [bit/s]]]></LoRa_DataRate>\r\n"
                    "\t<Eth_Conn_Device_Name></Eth_Conn_Device_Name>\r\n"
                    "\t<row Desc=\"two\r\nlines\"/>\r\n"
                    "</Par_Gen>\r\n"
                    "<!--SW_VERSION = 1.002-->\r\n");
    doc.LoadFromFile(file);
    TXMLNode root = doc.DocumentElement();
    EXPECT_EQ(root.NodeName(), "Par_Gen");
    ASSERT_EQ(root.ChildCount(), 4);   // comments and line breaks are no children
    EXPECT_EQ(root.Child(0).NodeName(), "LoRa_RF_Band");
    EXPECT_EQ(root.ChildNodes()[1], root.FindNode("LoRa_DataRate"));
    EXPECT_EQ(root.FindNode("LoRa_RF_Band").Text(), "EU868");
    EXPECT_EQ(root.FindNode("LoRa_DataRate").Text(), "3 -\tLoRa: SF9/125kHz 1760 [bit/s]");
    EXPECT_EQ(root.FindNode("Eth_Conn_Device_Name").Text(), "");
    // A raw line break inside an attribute is a blank to every XML reader.
    EXPECT_EQ(root.FindNode("row").Attribute("Desc"), "two lines");
}

TEST_F(XmlTest, ReaderTellsMissingFromEmpty)
{
    doc.LoadFromXML("<root><row Enable=\"\" Pos=\"3\"/><sec/><sec><x/></sec></root>");
    TXMLNode root = doc.DocumentElement();
    TXMLNode row = root.Child(0);
    EXPECT_TRUE(row.HasAttribute("Enable"));
    EXPECT_EQ(row.Attribute("Enable"), "");
    EXPECT_FALSE(row.HasAttribute("enable"));   // names are matched exactly
    EXPECT_FALSE(row.HasAttribute("Bit"));
    EXPECT_EQ(row.AttributeDef("Bit", "0"), "0");
    EXPECT_EQ(row.AttributeDef("Pos", "1"), "3");
    try {
        row.Attribute("Bit");
        FAIL() << "no exception";
    } catch (const EXmlError& e) {
        EXPECT_STREQ(e.what(), "Attribute \"Bit\" not found in node \"row\"");
    }

    EXPECT_EQ(root.FindNode("sec").ChildCount(), 0);   // the first of that name
    EXPECT_FALSE(root.FindNode("Sec"));
    EXPECT_TRUE(root.FindNode("missing").IsNull());
    EXPECT_THROW(root.ChildNode("missing"), EXmlError);
    EXPECT_THROW(root.Child(3), EXmlError);
    EXPECT_THROW(root.Child(-1), EXmlError);
    // A lookup through a section that is not there fails as one guarded step.
    EXPECT_THROW(root.FindNode("lastproj").FindNode("projectname").Text(), EXmlError);
    EXPECT_THROW(TXMLNode().SetAttribute("a", "b"), EXmlError);
}

// The one-look-up read and the appending write agree with HasAttribute/Attribute and
// SetAttribute, also for names too long for a short copy.
TEST_F(XmlTest, OneLookUpReadAndAppendingWriteAgreeWithTheOthers)
{
    const std::string longName(80, 'n');
    doc.LoadFromXML("<root><row Enable=\"\" Pos=\"3\" " + longName + "=\"far\"/></root>");
    TXMLNode row = doc.DocumentElement().Child(0);
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"Enable", ""}, {"Pos", "3"}, {longName, "far"}, {"pos", std::nullopt}, {"", std::nullopt},
        {longName + "x", std::nullopt}};
    for (const auto& [name, expected] : cases) {
        SCOPED_TRACE(name);
        std::string value = "untouched";
        EXPECT_EQ(row.FindAttribute(name, value), expected.has_value());
        EXPECT_EQ(row.HasAttribute(name), expected.has_value());
        EXPECT_EQ(value, expected.value_or("untouched"));
    }

    TXMLDocument a, b;
    TXMLNode ra = a.AddChild("root").AddChild("row"), rb = b.AddChild("root").AddChild("row");
    for (const std::string& name : {std::string("Enable"), longName, std::string("Pos")}) {
        ra.AppendAttribute(name, "v<" + name.substr(0, 3));
        rb.SetAttribute(name, "v<" + name.substr(0, 3));
    }
    EXPECT_EQ(a.SaveToXML(), b.SaveToXML());
    EXPECT_THROW(ra.AppendAttribute("bad name", "x"), EXmlError);
    EXPECT_THROW(TXMLNode().AppendAttribute("a", "b"), EXmlError);

    // The list of all attributes: document order, the same values the look-ups give.
    std::vector<std::pair<std::string_view, std::string_view>> list{{"stale", "entry"}};
    row.ListAttributes(list);
    const std::vector<std::pair<std::string_view, std::string_view>> all{
        {"Enable", ""}, {"Pos", "3"}, {longName, "far"}};
    EXPECT_EQ(list, all);
    EXPECT_THROW(TXMLNode().ListAttributes(list), EXmlError);
}

// Names that the writer could not read back are refused by every way of writing one.
TEST_F(XmlTest, NamesAFileCouldNotHoldAreRefused)
{
    const std::pair<std::string, bool> cases[] = {
        {"Row_2", true}, {"a-b.c", true}, {"x9", true}, {"\xC3\xA4", true}, {"", false}, {"9a", false},
        {"-a", false}, {".a", false}, {"a b", false}, {"a\tb", false}, {"a\x7F", true}, {"a\x01", false},
        {"a<", false}, {"a>", false}, {"a&", false}, {"a\"", false}, {"a'", false}, {"a/", false},
        {"a=", false}, {"a!", false}, {"a?", false}, {"a\0b"s, false}};
    for (const auto& [name, ok] : cases) {
        SCOPED_TRACE(name);
        TXMLDocument d;
        TXMLNode root = d.AddChild("root");
        const std::function<void()> writes[] = {[&] { root.AddChild(name); }, [&] { root.SetAttribute(name, "v"); },
                                               [&] { root.AppendAttribute(name, "v"); }};
        for (const auto& write : writes) {
            if (ok)
                EXPECT_NO_THROW(write());
            else
                EXPECT_THROW(write(), EXmlError);
        }
    }
}

TEST_F(XmlTest, MalformedFileRaisesErrorWithFileAndPlace)
{
    struct Case {
        const char* text;
        const char* where;   // part of the message
    };
    const Case cases[] = {
        {"<Par_Gen>\n  <Version>1</Versio>\n</Par_Gen>\n", "line 2, column"},
        {"<Par_Gen attr=unquoted/>", "line 1, column"},
        {"", "No document element"},
        {"just text", "No document element"},
        {"<!-- only a comment -->", "No document element"},
        {"<Par_Gen>", "line 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string file = dir + "ParGen.xml";
        WriteFileAtomic(file, c.text);
        BuildTableFile(doc);
        try {
            doc.LoadFromFile(file);
            FAIL() << "no exception";
        } catch (const EXmlError& e) {
            const std::string msg = e.what();
            EXPECT_NE(msg.find(file), std::string::npos) << msg;
            EXPECT_NE(msg.find(c.where), std::string::npos) << msg;
        }
        EXPECT_TRUE(doc.IsEmpty());
        EXPECT_FALSE(doc.DocumentElement());
    }
}

TEST_F(XmlTest, MissingFileIsADifferentError)
{
    try {
        doc.LoadFromFile(dir + "M_Bus.xml");
        FAIL() << "no exception";
    } catch (const EXmlError&) {
        FAIL() << "a missing file is not a broken one";
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find(dir + "M_Bus.xml"), std::string::npos);
    }
}

TEST_F(XmlTest, FailedSaveLeavesPreviousFile)
{
    const std::string file = dir + "KNX_SetAccess.xml";
    BuildTableFile(doc);
    doc.SaveToFile(file);

    // A document larger than one write chunk, failing on its second chunk.
    TXMLNode section = doc.DocumentElement().ChildNode("KNX_in_Read");
    for (int i = 0; i < 3000; ++i) section.AddChild("row").SetAttribute("Description", std::string(40, 'd'));
    ASSERT_GT(doc.SaveToXML().size(), WriteChunkSize);
    SetWriteFailureForTest(2);
    EXPECT_THROW(doc.SaveToFile(file), EInOutError);
    EXPECT_EQ(ReadFileBytes(file), TableFileText);
    EXPECT_EQ(Names(), std::vector<std::string>{"KNX_SetAccess.xml"});
    EXPECT_EQ(section.ChildCount(), 3000);   // the document itself is untouched
}

TEST_F(XmlTest, WriterKeepsTheRootFirstAndAlone)
{
    EXPECT_THROW(doc.AddComment("SW_VERSION = 1.000"), EXmlError);   // nothing may precede the root
    EXPECT_THROW(doc.SaveToFile(dir + "empty.xml"), EXmlError);
    EXPECT_FALSE(FileExists(dir + "empty.xml"));

    TXMLNode root = doc.AddChild("Ethernet_Update");
    EXPECT_THROW(doc.AddChild("Second_Root"), EXmlError);
    EXPECT_THROW(doc.AddComment("a -- b"), EXmlError);
    for (const char* bad : {"", "two words", "a<b", "1st", "a/b"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(root.AddChild(bad), EXmlError);
        EXPECT_THROW(root.SetAttribute(bad, "v"), EXmlError);
    }
    root.AddChild("Ope_Protection_Enabled").SetText("");
    root.AddChild("M-Bus_Network").SetAttribute("xsi:type", "x");
    TXMLNode ops = root.AddChild("Operations");
    ops.SetAttribute("n", "1");
    ops.SetAttribute("n", "2");   // replaced, not repeated
    EXPECT_EQ(doc.SaveToXML(),
              "<Ethernet_Update>\n"
              "  <Ope_Protection_Enabled/>\n"
              "  <M-Bus_Network xsi:type=\"x\"/>\n"
              "  <Operations n=\"2\"/>\n"
              "</Ethernet_Update>\n");

    // Clearing starts over: the next root is allowed, the old content is gone.
    doc.Clear();
    EXPECT_TRUE(doc.IsEmpty());
    doc.AddChild("Conf_Settings").AddChild("lastproj").AddChild("projectname").SetText("Plant");
    EXPECT_EQ(doc.SaveToXML(),
              "<Conf_Settings>\n"
              "  <lastproj>\n"
              "    <projectname>Plant</projectname>\n"
              "  </lastproj>\n"
              "</Conf_Settings>\n");
}

TEST_F(XmlTest, TextBesideChildElementsSurvives)
{
    doc.LoadFromXML("<r><p>one <b>two</b> three</p></r>");
    TXMLNode p = doc.DocumentElement().ChildNode("p");
    EXPECT_EQ(p.Text(), "one  three");
    EXPECT_EQ(p.ChildCount(), 1);
    EXPECT_EQ(doc.SaveToXML(), "<r>\n  <p>one <b>two</b> three</p>\n</r>\n");
    p.SetText("new");
    EXPECT_EQ(p.Text(), "new");
    EXPECT_EQ(p.ChildNode("b").Text(), "two");
}

TEST_F(XmlTest, FilesInOtherEncodingsAreReadAsUtf8)
{
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"UTF-8 with mark", "\xEF\xBB\xBF<a v=\"Z\xC3\xA4hler\"/>"},
        {"UTF-8 mark over 8-bit bytes", "\xEF\xBB\xBF<a v=\"Z\xE4hler\"/>"},
        {"UTF-16 LE", "\xFF\xFE<\0a\0 \0v\0=\0\"\0Z\0\xE4\0h\0l\0e\0r\0\"\0/\0>\0"s},
        {"UTF-16 BE", "\xFE\xFF\0<\0a\0 \0v\0=\0\"\0Z\0\xE4\0h\0l\0e\0r\0\"\0/\0>"s},
        {"declared latin-1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a v=\"Z\xE4hler\"/>"},
        {"undeclared 8-bit", "<a v=\"Z\xE4hler\"/>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir + "in.xml";
        WriteFileAtomic(file, c.bytes);
        doc.LoadFromFile(file);
        EXPECT_EQ(doc.DocumentElement().Attribute("v"), "Z\xC3\xA4hler");
    }
}

// Whatever a file holds, the document read from it saves to a file that reads back to the
// same document: a file the program rewrites is never changed by the rewrite alone.
TEST_F(XmlTest, ADocumentReadFromAFileSavesBackUnchanged)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;   // of the root
        std::string attribute;   // v of the root
    };
    const std::string Replacement = "\xEF\xBF\xBD";
    const Case cases[] = {
        {"whitespace beside elements written as a character reference", "<r v=\"\">\n [ <b/>\n  &#9; <c/></r>",
         "\n [ ", ""},
        {"whitespace alone written as a character reference", "<r v=\"\">&#9;&#10;</r>", "\t\n", ""},
        {"text cut to nothing by a zero character", "<r v=\"\">&#0;=\"1\"/></r>", "", ""},
        {"references to a surrogate and beyond U+10FFFF", "<r v=\"a&#xD800;\">&#x110000;</r>",
         Replacement + Replacement + Replacement + Replacement, "a" + Replacement + Replacement + Replacement},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir + "in.xml";
        WriteFileAtomic(file, c.bytes);
        doc.LoadFromFile(file);
        EXPECT_EQ(doc.DocumentElement().Text(), c.text);
        EXPECT_EQ(doc.DocumentElement().Attribute("v"), c.attribute);
        const std::string saved = doc.SaveToXML();
        doc.SaveToFile(file);
        doc.LoadFromFile(file);
        EXPECT_EQ(doc.DocumentElement().Text(), c.text);
        EXPECT_EQ(doc.SaveToXML(), saved);
    }
}

}  // namespace
