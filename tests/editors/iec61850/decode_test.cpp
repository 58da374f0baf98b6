// The SCL decoder: references, inherited constraints, types, data-set members and GOOSE
// names, the files it gives up on, and types that would never end.
#include <chrono>
#include <functional>

#include "tests/editors/iec61850/scl_fixture.h"

namespace {

// The data attribute at Path ("CTRL", "XCBR", "Pos", then attribute names) or nullptr.
TIEC_DA* Attribute(const TIEC_Device& D, const String& LD, const String& LN, const String& DO,
                   std::initializer_list<String> Names)
{
    const TIEC_LDevice* l = D.Find_LDevice(LD);
    const TIEC_LN* n = l ? l->Find_LN(LN) : nullptr;
    const TIEC_DO* o = n ? n->Find_DO(DO) : nullptr;
    if (!o) return nullptr;
    TIEC_DA* a = nullptr;
    for (const String& Name : Names) {
        a = a ? a->Find_DA(Name) : o->Find_DA(Name);
        if (!a) return nullptr;
    }
    return a;
}

std::vector<String> Member_References(const TIEC_DataSet& DS)
{
    std::vector<String> r;
    for (const TIEC_DA* a : DS.List_DA) r.push_back(a->fReference);
    return r;
}

// Every object of the device, counted.
long long Count_Objects(const TIEC_Device& D)
{
    long long n = 0;
    std::function<void(const TIEC_DA&)> da = [&](const TIEC_DA& a) {
        ++n;
        for (const auto& s : a.List_DA) da(*s);
    };
    std::function<void(const TIEC_DO&)> dob = [&](const TIEC_DO& o) {
        ++n;
        for (const auto& s : o.List_DO) dob(*s);
        for (const auto& s : o.List_DA) da(*s);
    };
    for (const auto& l : D.List_LDevice)
        for (const auto& ln : l->List_LN)
            for (const auto& o : ln->List_DO) dob(*o);
    return n;
}

}  // namespace

TEST_F(SCL_Files, ReferencesOfAttributesAndDataSetsAreBuiltAsTheirPartsJoin)
{
    // The node with a prefix and an inst: its attributes carry both, its data sets neither.
    const auto D = Decode(SCL_File("E1",
                                   "<LDevice inst=\"CTRL\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\">"
                                   "<DataSet name=\"DS1\"/></LN0>"
                                   "<LN lnClass=\"XCBR\" inst=\"1\" lnType=\"XCBR_T\"/>"
                                   "<LN prefix=\"Q0\" lnClass=\"XCBR\" inst=\"2\" lnType=\"XCBR_T\"><DataSet name=\"Sw\"/></LN>"
                                   "</LDevice>",
                                   Breaker_Templates()),
                          "E1.icd");
    EXPECT_EQ(D->fName, "E1");
    EXPECT_EQ(D->fFileName, "E1.icd");
    ASSERT_EQ(D->List_LDevice.size(), 1u);
    const TIEC_LDevice& LD = *D->List_LDevice[0];
    ASSERT_EQ(LD.List_LN.size(), 3u);
    const struct {
        const TIEC_LN* LN;
        std::vector<String> Path;
        String Reference, FC, bType;
    } cases[] = {
        {LD.List_LN[1].get(), {"stVal"}, "E1CTRL/XCBR1.Pos.stVal", "ST", "Dbpos"},
        {LD.List_LN[1].get(), {"Oper", "ctlVal"}, "E1CTRL/XCBR1.Pos.Oper.ctlVal", "CO", "BOOLEAN"},
        {LD.List_LN[1].get(), {"Oper", "origin", "orIdent"}, "E1CTRL/XCBR1.Pos.Oper.origin.orIdent", "CO", "Octet64"},
        {LD.List_LN[2].get(), {"q"}, "E1CTRL/Q0XCBR2.Pos.q", "ST", "Quality"},
    };
    for (const auto& c : cases) {
        const TIEC_DO* Pos = c.LN->Find_DO("Pos");
        ASSERT_NE(Pos, nullptr);
        TIEC_DA* a = Pos->Find_DA(c.Path.front());
        for (size_t i = 1; a && i < c.Path.size(); ++i) a = a->Find_DA(c.Path[i]);
        ASSERT_NE(a, nullptr) << c.Reference;
        EXPECT_EQ(a->fReference, c.Reference);
        EXPECT_EQ(a->fFC, c.FC) << c.Reference;
        EXPECT_EQ(a->fbType, c.bType) << c.Reference;
    }
    ASSERT_EQ(LD.List_LN[0]->List_DataSet.size(), 1u);
    EXPECT_EQ(LD.List_LN[0]->List_DataSet[0]->fReference, "E1CTRL/LLN0.DS1");
    ASSERT_EQ(LD.List_LN[2]->List_DataSet.size(), 1u);
    EXPECT_EQ(LD.List_LN[2]->List_DataSet[0]->fReference, "E1CTRL/XCBR.Sw");
    // An enumeration's type is never looked into; a node keeps its classes as written.
    EXPECT_TRUE(Attribute(*D, "CTRL", "XCBR", "Pos", {"ctlModel"})->List_DA.empty());
    EXPECT_EQ(LD.List_LN[2]->fPrefix, "Q0");
    EXPECT_EQ(LD.List_LN[2]->fInst, "2");
}

TEST_F(SCL_Files, ASubAttributeInheritsItsParentsConstraintUnlessItHasItsOwn)
{
    const String Templates =
        "<LNodeType id=\"N\" lnClass=\"GGIO\"><DO name=\"D\" type=\"DT\"/></LNodeType>"
        "<DOType id=\"DT\"><DA name=\"a\" bType=\"Struct\" type=\"S1\" fc=\"MX\"/><DA name=\"b\" bType=\"Struct\" type=\"S1\"/></DOType>"
        "<DAType id=\"S1\"><BDA name=\"plain\" bType=\"INT8\"/><BDA name=\"own\" bType=\"Struct\" type=\"S2\" fc=\"SP\"/></DAType>"
        "<DAType id=\"S2\"><BDA name=\"leaf\" bType=\"INT16\"/></DAType>";
    const auto D = Decode(SCL_File("I", "<LDevice inst=\"L\"><LN lnClass=\"GGIO\" inst=\"1\" lnType=\"N\"/></LDevice>", Templates));
    const struct {
        std::initializer_list<String> Path;
        const char* FC;
    } cases[] = {
        {{"a", "plain"}, "MX"}, {{"a", "own"}, "SP"}, {{"a", "own", "leaf"}, "SP"},
        {{"b"}, ""},            {{"b", "plain"}, ""},  {{"b", "own", "leaf"}, "SP"},
    };
    for (const auto& c : cases) {
        const TIEC_DA* a = Attribute(*D, "L", "GGIO", "D", c.Path);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->fFC, c.FC) << a->fReference;
    }
}

TEST_F(SCL_Files, DataSetMembersResolveByLookUpsInTheSameDevice)
{
    const String Server =
        "<LDevice inst=\"CTRL\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\"><DataSet name=\"DS\">"
        "<FCDA ldInst=\"CTRL\" lnClass=\"XCBR\" doName=\"Pos\" daName=\"stVal\" fc=\"ST\"/>"   // named attribute
        "<FCDA ldInst=\"CTRL\" lnClass=\"XCBR\" doName=\"Pos\" fc=\"ST\"/>"                    // first leaf
        "<FCDA ldInst=\"CTRL\" doName=\"Pos\" daName=\"q\"/>"                                  // no lnClass: skipped
        "<FCDA ldInst=\"CTRL\" lnClass=\"XCBR\" doName=\"Pos.Oper\"/>"                         // dotted: nothing
        "<FCDA ldInst=\"CTRL\" lnClass=\"XCBR\" doName=\"Pos\" daName=\"ctlVal\"/>"            // found below Oper
        "<FCDA ldInst=\"NONE\" lnClass=\"XCBR\" doName=\"Pos\"/>"                              // no such device
        "<FCDA ldInst=\"CTRL\" lnClass=\"XCBR\" doName=\"Pos\" daName=\"stVal\"/>"             // twice is twice
        "</DataSet></LN0>"
        // Two breakers: every member naming the class lands in the first.
        "<LN lnClass=\"XCBR\" inst=\"1\" lnType=\"XCBR_T\"/><LN lnClass=\"XCBR\" inst=\"2\" lnType=\"XCBR_T\"/>"
        "</LDevice>";
    const auto D = Decode(SCL_File("E1", Server, Breaker_Templates()));
    const TIEC_DataSet& DS = *D->List_LDevice[0]->List_LN[0]->List_DataSet[0];
    EXPECT_EQ(Member_References(DS),
              (std::vector<String>{"E1CTRL/XCBR1.Pos.stVal", "E1CTRL/XCBR1.Pos.stVal", "E1CTRL/XCBR1.Pos.Oper.ctlVal",
                                   "E1CTRL/XCBR1.Pos.stVal"}));
    // The member is the model's own attribute, not a copy.
    EXPECT_EQ(DS.List_DA[0], Attribute(*D, "CTRL", "XCBR", "Pos", {"stVal"}));
}

TEST_F(SCL_Files, AMemberWithoutAttributeNameTakesTheFirstLeafWhateverItsConstraint)
{
    const String Templates =
        "<LNodeType id=\"N\" lnClass=\"MMXU\"><DO name=\"TotW\" type=\"MV\"/><DO name=\"Empty\" type=\"E\"/></LNodeType>"
        "<DOType id=\"MV\"><DA name=\"mag\" bType=\"Struct\" type=\"AV\" fc=\"MX\"/><DA name=\"q\" bType=\"Quality\" fc=\"ST\"/></DOType>"
        "<DOType id=\"E\"/>"
        "<DAType id=\"AV\"><BDA name=\"f\" bType=\"FLOAT32\"/><BDA name=\"i\" bType=\"INT32\"/></DAType>";
    const auto D = Decode(SCL_File("M",
                                   "<LDevice inst=\"L\"><LN lnClass=\"MMXU\" inst=\"1\" lnType=\"N\"><DataSet name=\"D\">"
                                   "<FCDA ldInst=\"L\" lnClass=\"MMXU\" doName=\"TotW\" fc=\"ST\"/>"
                                   "<FCDA ldInst=\"L\" lnClass=\"MMXU\" doName=\"Empty\"/></DataSet></LN></LDevice>",
                                   Templates));
    EXPECT_EQ(Member_References(*D->List_LDevice[0]->List_LN[0]->List_DataSet[0]),
              std::vector<String>{"ML/MMXU1.TotW.mag.f"});
}

TEST_F(SCL_Files, AControlBlockNamesItsDataSetWhereverItStands)
{
    const auto D = Decode(SCL_File("E1",
                                   "<LDevice inst=\"CTRL\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LLN0_T\">"
                                   "<GSEControl name=\"Early\" datSet=\"A\"/>"
                                   "<DataSet name=\"A\"/><DataSet name=\"B\"/><DataSet name=\"C\"/><DataSet name=\"A\"/>"
                                   "<GSEControl name=\"First\" datSet=\"B\"/><GSEControl name=\"Later\" datSet=\"B\"/>"
                                   "<GSEControl datSet=\"C\"/><GSEControl name=\"Lost\" datSet=\"Z\"/>"
                                   "</LN0></LDevice>",
                                   Breaker_Templates()));
    const auto& Sets = D->List_LDevice[0]->List_LN[0]->List_DataSet;
    ASSERT_EQ(Sets.size(), 4u);
    EXPECT_EQ(Sets[0]->fGooseName, "Early");
    EXPECT_EQ(Sets[1]->fGooseName, "Later");
    EXPECT_EQ(Sets[2]->fGooseName, "");   // a control block without a name is ignored
    EXPECT_EQ(Sets[3]->fGooseName, "");   // only the first data set of the name
}

TEST_F(SCL_Files, FilesMissingAnElementGiveEmptyOrPartialDevices)
{
    const String LD = "<LDevice inst=\"CTRL\"><LN lnClass=\"XCBR\" inst=\"1\" lnType=\"XCBR_T\"/></LDevice>";
    const struct {
        const char* What;
        String Text;
        String Name;
        size_t LDevices;
    } cases[] = {
        {"no SCL root", "<Other><IED name=\"E1\"/></Other>", "", 0},
        {"no IED", "<SCL><DataTypeTemplates/></SCL>", "", 0},
        {"no templates", "<SCL><IED name=\"E1\"><AccessPoint><Server>" + LD + "</Server></AccessPoint></IED></SCL>", "", 0},
        {"no access point", "<SCL><IED name=\"E1\"/><DataTypeTemplates/></SCL>", "E1", 0},
        {"first access point without server",
         "<SCL><IED name=\"E1\"><AccessPoint name=\"A\"/><AccessPoint name=\"B\"><Server>" + LD +
             "</Server></AccessPoint></IED><DataTypeTemplates/></SCL>",
         "E1", 0},
        {"two IEDs: the first",
         "<SCL><IED name=\"E1\"><AccessPoint><Server>" + LD + "</Server></AccessPoint></IED><IED name=\"E2\">"
             "<AccessPoint><Server>" + LD + LD + "</Server></AccessPoint></IED><DataTypeTemplates/></SCL>",
         "E1", 1},
        {"prefixed elements", "<scl:SCL xmlns:scl=\"u\"><scl:IED name=\"P\"><scl:AccessPoint><scl:Server>"
                              "<scl:LDevice inst=\"X\"/></scl:Server></scl:AccessPoint></scl:IED>"
                              "<scl:DataTypeTemplates/></scl:SCL>",
         "P", 1},
    };
    for (const auto& c : cases) {
        const auto D = Decode(c.Text);
        EXPECT_EQ(D->fName, c.Name) << c.What;
        EXPECT_EQ(D->List_LDevice.size(), c.LDevices) << c.What;
    }
    // A file that is not there is an empty device, with its file name.
    const TIEC_Device Missing(PathJoin(Dir, "gone.cid"));
    EXPECT_EQ(Missing.fName, "");
    EXPECT_EQ(Missing.fFileName, "gone.cid");
    EXPECT_TRUE(Missing.List_LDevice.empty());
    // A broken file raises the parser's error.
    EXPECT_THROW(Decode("<SCL><IED name=\"E1\">"), EXmlError);
}

TEST_F(SCL_Files, TypesThatAreMissingUntypedOrDefinedTwiceGiveWhatTheFileSays)
{
    const String Templates =
        "<LNodeType id=\"N\" lnClass=\"GGIO\"><DO name=\"Untyped\"/><DO name=\"Unknown\" type=\"NOPE\"/>"
        "<DO name=\"Twice\" type=\"T2\"/></LNodeType>"
        "<DOType id=\"T2\"><DA name=\"a\" bType=\"INT8\"/></DOType><DOType id=\"T2\"><DA name=\"b\" bType=\"INT8\"/></DOType>";
    const auto D = Decode(SCL_File("I",
                                   "<LDevice inst=\"L\"><LN lnClass=\"GGIO\" inst=\"1\" lnType=\"N\">"
                                   "<DataSet name=\"D\"/></LN><LN lnClass=\"GGIO\" inst=\"2\"><DataSet name=\"X\"/></LN></LDevice>",
                                   Templates));
    const TIEC_LN& N = *D->List_LDevice[0]->List_LN[0];
    ASSERT_EQ(N.List_DO.size(), 3u);
    EXPECT_TRUE(N.List_DO[0]->List_DA.empty());
    EXPECT_TRUE(N.List_DO[1]->List_DA.empty());
    ASSERT_EQ(N.List_DO[2]->List_DA.size(), 2u);
    EXPECT_EQ(N.List_DO[2]->List_DA[1]->fReference, "IL/GGIO1.Twice.b");
    // A node without a type has neither data objects nor data sets.
    const TIEC_LN& Untyped = *D->List_LDevice[0]->List_LN[1];
    EXPECT_TRUE(Untyped.List_DO.empty());
    EXPECT_TRUE(Untyped.List_DataSet.empty());
}

TEST_F(SCL_Files, ATypeThatContainsItselfEndsWithAnObjectWithoutChildren)
{
    // Directly (an attribute type naming itself) and through others (two data object
    // types naming each other); the repeated type stays empty, the rest is decoded.
    const String Templates =
        "<LNodeType id=\"N\" lnClass=\"GGIO\"><DO name=\"Loop\" type=\"A\"/><DO name=\"Self\" type=\"S\"/></LNodeType>"
        "<DOType id=\"A\"><SDO name=\"toB\" type=\"B\"/><DA name=\"x\" bType=\"INT8\"/></DOType>"
        "<DOType id=\"B\"><SDO name=\"toA\" type=\"A\"/></DOType>"
        "<DOType id=\"S\"><DA name=\"s\" bType=\"Struct\" type=\"R\"/></DOType>"
        "<DAType id=\"R\"><BDA name=\"v\" bType=\"INT8\"/><BDA name=\"again\" bType=\"Struct\" type=\"R\"/></DAType>";
    const auto D = Decode(SCL_File("I",
                                   "<LDevice inst=\"L\"><LN lnClass=\"GGIO\" inst=\"1\" lnType=\"N\"><DataSet name=\"D\">"
                                   "<FCDA ldInst=\"L\" lnClass=\"GGIO\" doName=\"Self\"/></DataSet></LN></LDevice>",
                                   Templates));
    const TIEC_LN& N = *D->List_LDevice[0]->List_LN[0];
    const TIEC_DO& Loop = *N.List_DO[0];
    ASSERT_EQ(Loop.List_DO.size(), 1u);
    ASSERT_EQ(Loop.List_DO[0]->List_DO.size(), 1u);
    EXPECT_EQ(Loop.List_DO[0]->List_DO[0]->fName, "toA");
    EXPECT_TRUE(Loop.List_DO[0]->List_DO[0]->List_DO.empty());
    const TIEC_DA* again = Attribute(*D, "L", "GGIO", "Self", {"s", "again"});
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->fReference, "IL/GGIO1.Self.s.again");
    EXPECT_TRUE(again->List_DA.empty());
    EXPECT_EQ(Member_References(*N.List_DataSet[0]), std::vector<String>{"IL/GGIO1.Self.s.v"});
}

TEST_F(SCL_Files, TypesThatMultiplyAtEveryLevelStopAtTheObjectBudget)
{
    // Twenty levels of eight attributes each would be 8^20 objects.
    String Templates = "<LNodeType id=\"N\" lnClass=\"GGIO\"><DO name=\"D\" type=\"D\"/></LNodeType>"
                       "<DOType id=\"D\"><DA name=\"a\" bType=\"Struct\" type=\"T0\"/></DOType>";
    for (int l = 0; l < 20; ++l) {
        Templates += "<DAType id=\"T" + IntToStr(l) + "\">";
        for (int k = 0; k < 8; ++k)
            Templates += "<BDA name=\"b" + IntToStr(k) + "\" bType=\"Struct\" type=\"T" + IntToStr(l + 1) + "\"/>";
        Templates += "</DAType>";
    }
    const auto Start = std::chrono::steady_clock::now();
    const auto D = Decode(SCL_File("I", "<LDevice inst=\"L\"><LN lnClass=\"GGIO\" inst=\"1\" lnType=\"N\"/></LDevice>", Templates));
    // (the types open on the way down still finish their lists of children)
    EXPECT_LE(Count_Objects(*D), TIEC_Device::Max_Objects + 20 * 8);
    EXPECT_GE(Count_Objects(*D), TIEC_Device::Max_Objects);
    EXPECT_LT(std::chrono::steady_clock::now() - Start, std::chrono::seconds(60));
}

TEST_F(SCL_Files, ARealisticBayControllerDecodesWithItsReferencesAndDataSets)
{
    const auto D = Decode(Realistic_SCL(12), "BCU_E1.cid");
    EXPECT_EQ(D->fName, "E1");
    ASSERT_EQ(D->List_LDevice.size(), 3u);
    EXPECT_EQ(D->List_LDevice[0]->List_LN.size(), 2u + 3u * 12u);
    EXPECT_EQ(Attribute(*D, "CTRL", "XCBR", "Pos", {"stVal"})->fReference, "E1CTRL/XCBR1.Pos.stVal");
    EXPECT_EQ(Attribute(*D, "MEAS", "MMXU", "TotW", {"mag", "f"})->fFC, "MX");
    // A sub-data object path: phase A of the voltage, its magnitude's float.
    const TIEC_DO* phsA = D->Find_LDevice("MEAS")->Find_LN("MMXU")->Find_DO("phsA");
    ASSERT_NE(phsA, nullptr);
    EXPECT_EQ(phsA->Find_DA("mag")->Find_DA("f")->fReference, "E1MEAS/MMXU1.PhV.phsA.cVal.mag.f");

    const TIEC_LN& LLN0 = *D->List_LDevice[0]->List_LN[0];
    ASSERT_EQ(LLN0.List_DataSet.size(), 2u);
    EXPECT_EQ(LLN0.List_DataSet[0]->fReference, "E1CTRL/LLN0.DS1");
    EXPECT_EQ(LLN0.List_DataSet[0]->fGooseName, "GCB_Pos");
    EXPECT_EQ(Member_References(*LLN0.List_DataSet[0]),
              (std::vector<String>{"E1CTRL/XCBR1.Pos.stVal", "E1CTRL/XCBR1.Pos.q", "E1CTRL/Q1XSWI1.Pos.stVal",
                                   "E1MEAS/MMXU1.TotW.mag"}));
    EXPECT_EQ(Member_References(*LLN0.List_DataSet[1]),
              (std::vector<String>{"E1PROT/IPTOC1.Op.general", "E1PROT/IPTOC1.Str.dirGeneral"}));
    EXPECT_EQ(LLN0.List_DataSet[1]->fGooseName, "GCB_Ev");
}
