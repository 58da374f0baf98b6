// The PROFINET GSDML file and its file name dialog.
#include "devdesc/gsdml/UProfinetFileName.h"
#include "devdesc/gsdml/UProfinetXML.h"
#include "shell/ULanguage.h"
#include "tests/common/Snapshot.h"
#include "tests/common/UserInput.h"
#include "tests/devdesc/devdesc_fixture.h"

namespace {

class GsdmlFile : public DevDescFixture {
protected:
    String Written()
    {
        Write_GSDML_File(Path("out.xml"));
        return Read("out.xml");
    }
    // xmllint's answer to an XPath expression on the written file (namespace bound to d).
    String XPath(const String& Expr)
    {
        String out;
        Run("xmllint --noout --xpath \"" + Expr + "\" " + Path("out.xml"), out);
        if (!out.empty() && out.back() == '\n') out.pop_back();
        return out;
    }
};

TEST_F(GsdmlFile, MatchesTheGoldenFile)
{
    Write("ParGen.xml", "<Par_Gen><PROFINET_NB_OUT>200</PROFINET_NB_OUT><PROFINET_NAME_STA>Line-2</PROFINET_NAME_STA></Par_Gen>");
    Written();
    Expect_Golden(Path("out.xml"), "gsdml_small.xml");
}

TEST_F(GsdmlFile, IsWellFormedAndCarriesItsValues)
{
    if (!Have("xmllint")) GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
    struct Case { const char* pargen; const char* in; const char* out; const char* station; } const cases[] = {
        {nullptr, "1438", "1438", "SERIAL"},
        {"<PROFINET_NB_OUT>200</PROFINET_NB_OUT>", "200", "1438", "SERIAL"},
        {"<PROFINET_NB_IN>x</PROFINET_NB_IN><PROFINET_NAME_STA>   </PROFINET_NAME_STA>", "1438", "1438", "SERIAL"},
        {"<PROFINET_NB_IN>32</PROFINET_NB_IN><PROFINET_NAME_STA> st 1 </PROFINET_NAME_STA>", "1438", "32", " st 1 "},
        // Characters that end an attribute or start markup stay part of the value.
        {"<PROFINET_NAME_STA>A&amp;B &lt;x&gt; \"q\" 'a'</PROFINET_NAME_STA>", "1438", "1438", "A&B <x> \"q\" 'a'"},
        // Line breaks and tabs survive as themselves, not as the blanks a reader makes of them.
        {"<PROFINET_NAME_STA>a&#10;b&#9;c</PROFINET_NAME_STA>", "1438", "1438", "a\nb\tc"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(FileName_ParGen);
        if (c.pargen) Write("ParGen.xml", String("<Par_Gen>") + c.pargen + "</Par_Gen>");
        Written();
        String out;
        ASSERT_EQ(Run("xmllint --noout " + Path("out.xml"), out), 0) << out;
        const String dap = "//*[local-name()='DeviceAccessPointItem']";
        EXPECT_EQ(XPath("string(" + dap + "/@ImplementationType)"), c.station);
        EXPECT_EQ(XPath("string(" + dap + "/@DNS_CompatibleName)"), c.station);
        EXPECT_EQ(XPath("string(//*[local-name()='Input']/*[local-name()='DataItem']/@Length)"), c.in);
        EXPECT_EQ(XPath("string(//*[local-name()='Output']/*[local-name()='DataItem']/@Length)"), c.out);
    }
    EXPECT_EQ(XPath("namespace-uri(/*)"), "http://www.profibus.com/GSDML/2003/11/DeviceProfile");
    EXPECT_EQ(XPath("count(//*[local-name()='Text'])"), "40");
    EXPECT_EQ(XPath("string(//*[local-name()='Text'][@TextId='IDT_NAME_M_PB1']/@Value)"), "OPCUASERVER Device ");
    EXPECT_EQ(XPath("string(//*[local-name()='Text'][@TextId='IDT_INFO_Device']/@Value)"), "Zodudo Gateways");
    EXPECT_EQ(XPath("count(//*[local-name()='SubslotItem'])"), "4");
}

TEST_F(GsdmlFile, Utf8WithItsMarkAndCrLfLineEnds)
{
    Write("ParGen.xml", "<Par_Gen><PROFINET_NAME_STA>Stazione-é</PROFINET_NAME_STA></Par_Gen>");
    const String text = Written();
    ASSERT_GT(text.size(), 3u);
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(text.find("ImplementationType=\"Stazione-\xC3\xA9\""), String::npos);
    EXPECT_EQ(text.substr(text.size() - 20), "</ISO15745Profile>\r\n");
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_EQ(text[i - 1], '\r') << "at " << i;
        }
    }
}

// Only the folder of the user's choice counts: the file keeps the composed name.
TEST_F(GsdmlFile, CreateWritesTheComposedNameIntoTheChosenFolder)
{
    const String Name = "GSDML-V2.25-Zodudo-_abc-20240305.xml";
    std::filesystem::create_directories(Path("sub"));
    Write("sub/other.xml", "other");
    Script.ChooseFile(Path("sub/other.xml"));
    Create_GSDML_File(Name);
    EXPECT_EQ(Read("sub/other.xml"), "other");
    ASSERT_TRUE(FileExists(Path("sub/" + Name)));
    EXPECT_EQ(Script.Last()->Text, "PROFINET XML (*.xml)|" + Name);
    EXPECT_EQ(Script.Last()->InitialDir, Dir);

    Write("sub/" + Name, "old");
    Script.ChooseFile(Path("sub/x.xml")).Answer(mrNo, "File already exists! Do you want to overwrite the file?");
    Create_GSDML_File(Name);
    EXPECT_EQ(Read("sub/" + Name), "old");
    Script.ChooseFile(Path("sub/x.xml")).Answer(mrYes, "File already exists! Do you want to overwrite the file?");
    Create_GSDML_File(Name);
    EXPECT_NE(Read("sub/" + Name), "old");
    Script.ChooseFile("");
    std::filesystem::remove(Path("sub/" + Name));
    Create_GSDML_File(Name);
    EXPECT_FALSE(FileExists(Path("sub/" + Name)));
    EXPECT_EQ(Script.Problems(), "");
}

class ProfinetNameDialog : public DevDescFixture {
protected:
    void SetUp() override
    {
        DevDescFixture::SetUp();
        At(2024, 3, 5, 23, 59, 0);
        Application->CreateForm(FProfinetFileName);
    }
    void TearDown() override
    {
        delete FProfinetFileName;
        FProfinetFileName = nullptr;
        DevDescFixture::TearDown();
    }
    String Compose(const String& typed)
    {
        FProfinetFileName->E_XML_User->SetText("");
        if (!typed.empty()) UserType(FProfinetFileName->E_XML_User, typed);
        Script.OnForm([](TForm*) { UserClick(FProfinetFileName->Btn_OK); return mrNone; }, "TFProfinetFileName");
        EXPECT_EQ(FProfinetFileName->ShowModal(), mrOk);
        return FProfinetFileName->Name_File_XML;
    }
};

TEST_F(ProfinetNameDialog, ComposesTheNameFromItsThreeParts)
{
    EXPECT_EQ(FProfinetFileName->L_XML_Fix2->Caption(), "-20240305.xml") << "the day the window was made";
    At(2030, 1, 1, 0, 0, 0);
    struct Case { const char* typed; const char* name; } const cases[] = {
        {"", "GSDML-V2.25-Zodudo--20240305.xml"},
        {"   ", "GSDML-V2.25-Zodudo--20240305.xml"},
        {"abc", "GSDML-V2.25-Zodudo-_abc-20240305.xml"},
        {"_abc", "GSDML-V2.25-Zodudo-_abc-20240305.xml"},
        {" a b ", "GSDML-V2.25-Zodudo-_ a b -20240305.xml"},
    };
    for (const Case& c : cases) EXPECT_EQ(Compose(c.typed), c.name) << '"' << c.typed << '"';
    EXPECT_EQ(FProfinetFileName->E_XML_User->Text(), " a b ") << "the typed part stays for the next showing";
}

TEST_F(ProfinetNameDialog, TakesItsTextsAndShows)
{
    TFProfinetFileName* f = FProfinetFileName;
    EXPECT_EQ(f->Caption(), "PROFINET XML File Name");
    EXPECT_EQ(f->L_SW_Desc->Caption(), "Create the PROFINET XML GSD File");
    EXPECT_EQ(f->L_Select_Name->Caption(), "Select the PROFINET XML File Name");
    EXPECT_EQ(f->L_UsedPart->Caption(), "User Part");
    EXPECT_EQ(f->L_SW_Code->Caption(), "RO41R08");
    EXPECT_EQ(f->Btn_Cancel->Caption(), "Cancel");
    EXPECT_EQ(f->ClientWidth(), 540);
    EXPECT_EQ(f->ClientHeight(), 205);
    EXPECT_EQ(f->E_XML_User->Left(), 179);
    EXPECT_EQ(f->L_XML_Fix2->Left(), 447);
    TBitmap png;
    Script.OnForm([&png](TForm* f) {
        UserType(FProfinetFileName->E_XML_User, "plant");
        EXPECT_TRUE(SNAPSHOT(f, "profinet_name_dialog.png", png));
        UserClick(FProfinetFileName->Btn_Cancel);
        return mrNone;
    }, "TFProfinetFileName");
    EXPECT_EQ(f->ShowModal(), mrCancel);
    EXPECT_GT(Count_Pixels(png, TRect(181, 124, 440, 140), clWhite), 2000);
}

}  // namespace
