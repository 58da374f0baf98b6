// The engine without a window: the checks in their order with the context of their run,
// the ready-made table checks, check-box values on both grid kinds, the fields above the
// tables and the version comment in the file, and the model's settings from ParGen.xml.
#include <array>
#include <functional>

#include "platform/xml/XMLDoc.h"
#include "shell/UComon.h"
#include "tests/editors/frame/frame_fixture.h"

namespace frame_test {
namespace {

using Checks = Engine;
using Files = Engine;
using Context = Engine;

// Three registers packed into 10 of 16 bytes and an alias of the first; every check passes.
void Valid(TMemoryTables& t)
{
    t.Data.Fields = {"5"};
    t.Set(Registers, 1, {{Reg_Name, "A"}, {Reg_Start, "0"}, {Reg_Length, "4"}});
    t.Set(Registers, 2, {{Reg_Name, "B"}, {Reg_Start, "4"}, {Reg_Length, "4"}});
    t.Set(Registers, 3, {{Reg_Name, "C"}, {Reg_Start, "8"}, {Reg_Length, "2"}});
    t.Set(Aliases, 1, {{Alias_Name, "x"}, {Alias_Target, "A"}});
}

TEST_F(Checks, RunInTheirOrderWithTheContextOfTheirRun)
{
    struct TExpect {
        int Table = 0, Row = 0;
        String Text;
        bool Select_Row = false;
        int Field = -1;
    };
    const struct {
        const char* what;
        std::function<void(TMemoryTables&)> change;
        std::optional<TExpect> expect;   // none: everything passes
    } cases[] = {
        {"the valid data", [](TMemoryTables&) {}, std::nullopt},
        {"a field comes first",
         [](TMemoryTables& t) {
             t.Data.Fields = {"0"};
             t.Set(Registers, 2, {{Reg_Start, "99"}});
         },
         TExpect{-1, 0, Text(Text_Count), false, 0}},
        {"row checks come before table checks",
         [](TMemoryTables& t) {
             t.Set(Registers, 2, {{Reg_Start, "99"}});
             t.Set(Registers, 3, {{Reg_Name, "A"}});
         },
         TExpect{Registers, 2, Row_Text(2, Text_Range, "15")}},
        {"a duplicate: the later row, naming the earlier",
         [](TMemoryTables& t) { t.Set(Registers, 3, {{Reg_Name, "A"}}); },
         TExpect{Registers, 3, Row_Text(3, Text_Unique, "1"), true}},
        {"names are compared trimmed", [](TMemoryTables& t) { t.Set(Registers, 3, {{Reg_Name, " A "}}); },
         TExpect{Registers, 3, Row_Text(3, Text_Unique, "1"), true}},
        {"a disabled duplicate takes no part",
         [](TMemoryTables& t) { t.Set(Registers, 3, {{Reg_Name, "A"}, {Reg_Enable, "0"}}); }, std::nullopt},
        {"a row without a key takes no part",
         [](TMemoryTables& t) { t.Set(Registers, 5, {{Reg_Name, " "}, {Reg_Start, "0"}, {Reg_Length, "16"}}); },
         std::nullopt},
        {"overlapping bytes", [](TMemoryTables& t) { t.Set(Registers, 2, {{Reg_Start, "3"}}); },
         TExpect{Registers, 2, Row_Text(2, Text_Overlap, "1"), true}},
        {"a range inside another", [](TMemoryTables& t) { t.Set(Registers, 3, {{Reg_Start, "5"}, {Reg_Length, "1"}}); },
         TExpect{Registers, 3, Row_Text(3, Text_Overlap, "2"), true}},
        {"the unique check runs before the overlap check",
         [](TMemoryTables& t) { t.Set(Registers, 3, {{Reg_Name, "A"}, {Reg_Start, "2"}}); },
         TExpect{Registers, 3, Row_Text(3, Text_Unique, "1"), true}},
        {"the lengths add up past the size", [](TMemoryTables& t) { t.Set(Registers, 3, {{Reg_Length, "9"}}); },
         TExpect{Registers, 3, Row_Text(3, Text_Sum, "16"), true}},
        {"an alias of no register", [](TMemoryTables& t) { t.Set(Aliases, 1, {{Alias_Target, "Z"}}); },
         TExpect{Aliases, 1, Text(Text_No_Target) + "Z", true}},
        {"an alias of a disabled register", [](TMemoryTables& t) { t.Set(Registers, 1, {{Reg_Enable, "0"}}); },
         TExpect{Aliases, 1, Text(Text_No_Target) + "A", true}},
        {"table checks come before the checks across tables",
         [](TMemoryTables& t) {
             t.Set(Aliases, 1, {{Alias_Target, "Z"}});
             t.Set(Registers, 2, {{Reg_Start, "3"}});
         },
         TExpect{Registers, 2, Row_Text(2, Text_Overlap, "1"), true}},
        {"the size is the context's of this run", [](TMemoryTables& t) { t.Data.Context = Size_Context(8); },
         TExpect{Registers, 3, Row_Text(3, Text_Range, "7")}},
    };
    for (const auto& c : cases) {
        TMemoryTables t(Registers_Desc(), Size_Context(16));
        Valid(t);
        c.change(t);
        const std::optional<TCheckFailure> f = Check_Tables(t.Desc, t.Data);
        ASSERT_EQ(f.has_value(), c.expect.has_value()) << c.what << (f ? ": " + f->Text : String());
        if (!f) continue;
        EXPECT_EQ(f->Table, c.expect->Table) << c.what;
        EXPECT_EQ(f->Row, c.expect->Row) << c.what;
        EXPECT_EQ(f->Text, c.expect->Text) << c.what;
        EXPECT_EQ(f->Select_Row, c.expect->Select_Row) << c.what;
        EXPECT_EQ(f->Field, c.expect->Field) << c.what;
    }
}

// The regional decimal separator is taken when the checks run, whatever the context held.
TEST_F(Checks, TakeTheDecimalSeparatorWhenTheyRun)
{
    TEditorDesc d = Registers_Desc();
    char Seen = 0;
    d.Tables[Registers].Checks.push_back([&Seen](const TRowView&, const TEditorContext& c) -> std::optional<TRowError> {
        Seen = c.Decimal_Sep;
        return std::nullopt;
    });
    TEditorContext c = Size_Context(16);
    c.Decimal_Sep = '?';
    TMemoryTables t(d, c);
    Valid(t);
    EXPECT_EQ(t.Check(), "");
    EXPECT_EQ(Seen, Get_Decimal_Separator());
}

// An Enable column storing "1"/"0" and a flag storing "Y"/"N", on a column grid (values
// as text) and a string grid (real check boxes): the same file is read and written.
TEST_F(Files, CheckBoxesStoreTheirColumnsValuesOnEitherGrid)
{
    const String File = "<Registers><Regs>"
                        "<row Enable=\"0\" Name=\"A\" Start=\"0\" Length=\"4\" Flag=\"Y\"/>"
                        "<row Name=\"B\" Start=\"4\" Length=\"4\"/>"
                        "<row Enable=\"1\" Name=\"C\" Start=\"8\" Length=\"2\" Flag=\"N\"/>"
                        "</Regs><Aliases/></Registers>";
    const String Written = "<Registers>\n"
                           "  <Regs>\n"
                           "    <row Enable=\"0\" Name=\"A\" Start=\"0\" Length=\"4\" Flag=\"Y\"/>\n"
                           "    <row Enable=\"1\" Name=\"B\" Start=\"4\" Length=\"4\" Flag=\"N\"/>\n"
                           "    <row Enable=\"1\" Name=\"C\" Start=\"8\" Length=\"2\" Flag=\"N\"/>\n"
                           "  </Regs>\n"
                           "  <Aliases/>\n"
                           "</Registers>\n"
                           "<!--V 1-->\n";
    WriteFileAtomic(Path("r.xml"), File);
    for (TGridKind Kind : {gkColumnGrid, gkStringGrid}) {
        TEditorDesc d = Registers_Desc(Kind);
        d.Fields.clear();
        d.Field_Checks.clear();
        TMemoryTables t(d, Size_Context(16));
        const TRowGridAccess& g = t[Registers];
        const TFieldDesc& Enable = d.Tables[Registers].Columns[Reg_Enable];
        EXPECT_EQ(Cell_Value(Enable, g, Reg_Enable, 6), "1") << "reset: the start value";
        Load_Tables(t.Desc, Path("r.xml"), t.Data);
        EXPECT_FALSE(Row_Enabled(t.Desc.Tables[Registers], g, 1)) << Kind;
        EXPECT_TRUE(Row_Enabled(t.Desc.Tables[Registers], g, 2)) << Kind << ": a missing Enable takes its default";
        if (Kind == gkStringGrid) {
            EXPECT_FALSE(t[Registers].Checked(Reg_Enable, 1));
            EXPECT_TRUE(t[Registers].Checked(Reg_Enable, 2));
            EXPECT_TRUE(t[Registers].Checked(Reg_Flag, 1));
        } else {
            EXPECT_EQ(g.GetCellEx(Reg_Enable, 1), "0");
            EXPECT_EQ(g.GetCellEx(Reg_Flag, 2), "N");
        }
        // Row 1 is disabled: its duplicate name and overlapping range take no part.
        t.Set(Registers, 1, {{Reg_Name, "B"}});
        EXPECT_EQ(t.Check(), "") << Kind;
        t.Set(Registers, 1, {{Reg_Name, "A"}});
        TXMLDocument Doc;
        Save_Tables(t.Desc, Doc, Path("w.xml"), t.Data);
        EXPECT_EQ(ReadFileBytes(Path("w.xml")), Written) << Kind;
    }
}

// A row element's attributes are taken by name whatever their order; one the table does
// not know is passed over; a name two columns share fills both; a required one missing
// stops the loading at its row.
TEST_F(Files, RowAttributesAreTakenByNameInAnyOrder)
{
    TEditorDesc d = Registers_Desc();
    d.Fields.clear();
    d.Field_Checks.clear();
    const int Copy = d.Tables[Registers].Col_Count();
    d.Tables[Registers].Columns.push_back(Text_Column("Name", -1, -1));
    d.Tables[Registers].Columns[Reg_Name].Default = std::nullopt;
    WriteFileAtomic(Path("o.xml"), "<Registers><Regs>"
                                   "<row Flag=\"Y\" Length=\"4\" Other=\"z\" Start=\"0\" Name=\"A\" Enable=\"0\"/>"
                                   "<row Name=\"B\" Length=\"2\" Start=\"4\"/>"
                                   "</Regs><Aliases/></Registers>");
    TMemoryTables t(d, Size_Context(16));
    Load_Tables(t.Desc, Path("o.xml"), t.Data);
    const TRowGridAccess& g = t[Registers];
    const struct {
        int col, row;
        const char* value;
    } cells[] = {{Reg_Enable, 1, "0"}, {Reg_Name, 1, "A"},  {Reg_Start, 1, "0"}, {Reg_Length, 1, "4"},
                 {Reg_Flag, 1, "Y"},   {Copy, 1, "A"},      {Reg_Enable, 2, "1"}, {Reg_Name, 2, "B"},
                 {Reg_Start, 2, "4"},  {Reg_Length, 2, "2"}, {Reg_Flag, 2, "N"},   {Copy, 2, "B"}};
    for (const auto& c : cells)
        EXPECT_EQ(Cell_Value(t.Desc.Tables[Registers].Columns[size_t(c.col)], g, c.col, c.row), c.value)
            << "column " << c.col << " row " << c.row;

    WriteFileAtomic(Path("o.xml"), "<Registers><Regs><row Name=\"A\"/><row Start=\"4\"/></Regs><Aliases/></Registers>");
    TMemoryTables u(d, Size_Context(16));
    try {
        Load_Tables(u.Desc, Path("o.xml"), u.Data);
        ADD_FAILURE() << "a row without its required attribute was loaded";
    } catch (const EXmlError& e) {
        EXPECT_NE(String(e.what()).find("row 2 of \"Regs\" has no attribute \"Name\""), String::npos) << e.what();
    }
}

// The fields above the tables stand on the root or on an element of their own, before
// the sections; a description without a version comment writes none.
TEST_F(Files, FieldsAndTheVersionCommentWhereTheDescriptionPutsThem)
{
    auto Desc = [](const String& Element, const String& Version) {
        TEditorDesc d = Registers_Desc();
        d.Fields_Element = Element;
        d.Version = Version;
        TFieldDesc mode = List_Column("Mode", -1, -1, fkList, {"Off"});
        mode.Items_From = [](const TEditorContext& c) {
            return c.Number(Size_Number) > 8 ? std::vector<String>{"Fast", "Slow"} : std::vector<String>{"Slow"};
        };
        mode.Flags |= ffOnlyItems;
        mode.Default = String("Slow");
        TFieldDesc active = Check_Column("Active", -1, -1);
        active.Check_On = "1";
        active.Check_Off = "0";
        active.Default = String("0");
        d.Fields.push_back(mode);
        d.Fields.push_back(active);
        return d;
    };
    const struct {
        const char* element;
        const char* version;
        String file;
    } shapes[] = {
        {"", "", "<Registers Count=\"5\" Mode=\"Fast\" Active=\"1\">\n  <Regs/>\n  <Aliases/>\n</Registers>\n"},
        {"Settings", "V 2",
         "<Registers>\n  <Settings Count=\"5\" Mode=\"Fast\" Active=\"1\"/>\n  <Regs/>\n  <Aliases/>\n</Registers>\n"
         "<!--V 2-->\n"},
    };
    for (const auto& s : shapes) {
        TMemoryTables t(Desc(s.element, s.version), Size_Context(16));
        EXPECT_EQ(t.Data.Fields, (std::vector<String>{"", "", ""})) << "reset: the start values";
        t.Data.Fields = {"5", "Fast", "1"};
        TXMLDocument Doc;
        Save_Tables(t.Desc, Doc, Path("f.xml"), t.Data);
        EXPECT_EQ(ReadFileBytes(Path("f.xml")), s.file) << s.element;
        TMemoryTables u(Desc(s.element, s.version), Size_Context(16));
        Load_Tables(u.Desc, Path("f.xml"), u.Data);
        EXPECT_EQ(u.Data.Fields, t.Data.Fields) << s.element;
    }

    // Missing attributes take their defaults; a value the list does not hold at this
    // showing (its provider's items count) takes the default too.
    const struct {
        const char* what;
        String file;
        long long size;
        std::vector<String> fields;   // empty: the loading fails
    } loads[] = {
        {"defaults", "<R><Settings Count=\"7\"/><Regs/><Aliases/></R>", 16, {"7", "Slow", "0"}},
        {"a provided item", "<R><Settings Count=\"7\" Mode=\"Fast\"/><Regs/><Aliases/></R>", 16, {"7", "Fast", "0"}},
        {"an item no longer provided", "<R><Settings Count=\"7\" Mode=\"Fast\"/><Regs/><Aliases/></R>", 8,
         {"7", "Slow", "0"}},
        {"a fixed item", "<R><Settings Count=\"7\" Mode=\"Off\"/><Regs/><Aliases/></R>", 8, {"7", "Off", "0"}},
        {"a required field missing", "<R><Settings Mode=\"Fast\"/><Regs/><Aliases/></R>", 16, {}},
        {"no fields element", "<R><Regs/><Aliases/></R>", 16, {}},
    };
    for (const auto& l : loads) {
        WriteFileAtomic(Path("l.xml"), l.file);
        TMemoryTables t(Desc("Settings", ""), Size_Context(l.size));
        if (l.fields.empty()) {
            EXPECT_THROW(Load_Tables(t.Desc, Path("l.xml"), t.Data), EXmlError) << l.what;
            continue;
        }
        Load_Tables(t.Desc, Path("l.xml"), t.Data);
        EXPECT_EQ(t.Data.Fields, l.fields) << l.what;
    }
}

TEST_F(Context, ModelSettingsComeFromParGen)
{
    const struct {
        const char* what;
        const char* bytes;   // nullptr: no file
        std::map<String, String> settings;
    } cases[] = {
        {"no file", nullptr, {}},
        {"not XML", "<Par_Gen><LoRa_FPort>Fixed", {}},
        {"every key with its text", "<Par_Gen><A> 1 </A><B/><C>x<D>y</D></C></Par_Gen>", {{"A", " 1 "}, {"B", ""}, {"C", "x"}}},
        {"the first of a repeated key", "<P><A>1</A><A>2</A></P>", {{"A", "1"}}},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(Path("ParGen.xml"));
        if (c.bytes) WriteFileAtomic(Path("ParGen.xml"), c.bytes);
        TEditorContext Context;
        Context.Settings["old"] = "gone";
        Read_Model_Settings(Path("ParGen.xml"), Context);
        EXPECT_EQ(Context.Settings, c.settings) << c.what;
    }
    TEditorContext Context;
    Context.Settings["A"] = "1";
    EXPECT_EQ(Context.Setting("A"), "1");
    EXPECT_EQ(Context.Setting("B"), "");
    EXPECT_EQ(Context.Number("Size"), 0);
}

// A table with two keys, a running total checked between a row's own checks, a text
// after a limit and a value read beyond the attributes.
TEST_F(Checks, RunningTotalsSecondKeysAndTextsAfterTheLimit)
{
    TTableDesc t;
    t.Section = "T";
    t.Rows = 5;
    t.Key_Col = 1;
    t.Also_Key_Col = 2;
    t.Key_Raw = true;
    t.Enable_Col = -1;
    t.Row_Error_Prefix = Text_Prefix;
    t.Columns = {Number_Column(-1), Text_Column("A", -1, -1), Text_Column("B", -1, -1), Text_Column("N", -1, -1)};
    t.Checks = {Check_Range(1, 0, 9, Text_Range),
                Check_Total([](const TRowView& r) { return r.Int(3); }, [](const TEditorContext&) { return 10LL; }, Text_Sum),
                [](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
                    if (r.Int(2) >= 0) return std::nullopt;
                    TRowError e{Text_Range, 99};
                    e.After_Limit = Text_Count;
                    return e;
                }};
    t.After_Load_Row = [](const TXMLNode& Element, TRowGridAccess& Grid, int Row, const TEditorContext&) {
        if (Element.HasAttribute("Old")) Grid.SetCellEx(3, Row, "1" + Element.Attribute("Old"));
    };
    TEditorDesc d;
    d.Root = "R";
    d.Tables = {t};
    auto text = [](int Row, int Message, const String& Limit) {
        return Lang_Text(Text_Prefix) + IntToStr(Row) + Lang_Text(Message) + Limit;
    };
    const struct {
        const char* what;
        std::vector<std::array<const char*, 3>> rows;   // A, B, N of rows 1 ..
        String expect;
    } cases[] = {
        {"totals up to the limit", {{"1", "1", "4"}, {"2", "2", "6"}}, ""},
        {"the total speaks of the whole table, before the row's later checks",
         {{"1", "1", "4"}, {"2", "x", "7"}}, Lang_Text(Text_Sum) + "10"},
        {"an earlier check of the row speaks first", {{"1", "1", "4"}, {"x", "x", "7"}}, text(2, Text_Range, "")},
        {"the text after the limit", {{"1", "x", "1"}}, text(1, Text_Range, "99") + Lang_Text(Text_Count)},
        {"a row with the second key only takes part", {{"", "1", "1"}}, text(1, Text_Range, "")},
        {"blanks are a key", {{" ", "", "1"}}, text(1, Text_Range, "")},
        {"rows without both keys count nothing", {{"", "", "50"}, {"1", "1", "10"}}, ""},
    };
    for (const auto& c : cases) {
        TMemoryTables m(d);
        for (size_t r = 0; r < c.rows.size(); ++r)
            for (int col = 1; col <= 3; ++col) m[0].SetCellEx(col, int(r) + 1, c.rows[r][size_t(col - 1)]);
        EXPECT_EQ(m.Check(), c.expect) << c.what;
    }
    // The hook sees the element after its attributes were read.
    TMemoryTables m(d);
    WriteFileAtomic(Path("t.xml"), "<R><T><row A=\"1\" N=\"5\" Old=\"2\"/><row A=\"2\" N=\"5\"/></T></R>");
    Load_Tables(m.Desc, Path("t.xml"), m.Data);
    EXPECT_EQ(m[0].GetCellEx(3, 1), "12");
    EXPECT_EQ(m[0].GetCellEx(3, 2), "5");
}

}  // namespace
}  // namespace frame_test
