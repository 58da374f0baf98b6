#pragma once
// What the engine's suites share: the built-in texts, a folder of the test's own, and a
// description of two tables that exercises the engine without any editor: registers
// (an Enable column that stores "1"/"0", a name as the key, a byte range, a flag) and
// aliases pointing at register names, with a field above them.
#include <gtest/gtest.h>

#include <filesystem>

#include "editors/frame/UTableDesc.h"
#include "platform/os/Files.h"
#include "shell/ULanguage.h"
#include "tests/common/memory_tables.h"
#include "tests/common/TestFolder.h"

namespace frame_test {

// Real column indexes of the registers ...
enum { Reg_Number, Reg_Enable, Reg_Name, Reg_Start, Reg_Length, Reg_Flag };
// ... and of the aliases.
enum { Alias_Number, Alias_Name, Alias_Target };
constexpr int Registers = 0, Aliases = 1;   // table indexes

// Message texts the checks name (any texts serve).
constexpr int Text_Prefix = 4548, Text_Range = 4556, Text_Unique = 4549, Text_Overlap = 4550, Text_Sum = 4551,
              Text_No_Target = 4552, Text_Count = 4553;

constexpr const char* Size_Number = "Size";   // the context's number: bytes the ranges may use

inline TFieldDesc On_Off_Enable()
{
    TFieldDesc c = Enable_Column(-1, -1);
    c.Check_On = "1";
    c.Check_Off = "0";
    c.Start = "1";
    c.Default = String("1");
    return c;
}

// The description; Grid_Kind for the registers.
inline TEditorDesc Registers_Desc(TGridKind Kind = gkColumnGrid)
{
    TEditorDesc d;
    d.Root = "Registers";
    d.Version = "V 1";
    TFieldDesc count = Text_Column("Count", -1, -1);
    count.Control = "E_Count";
    count.Default = std::nullopt;
    d.Fields = {count};
    d.Field_Checks = {Check_Range(0, 1, 100, Text_Count)};

    TTableDesc r;
    r.Grid_Kind = Kind;
    r.Grid_Name = "Grid_Registers";
    r.Section = "Regs";
    r.Rows = 6;
    r.Key_Col = Reg_Name;
    r.Row_Error_Prefix = Text_Prefix;
    r.Columns = {Number_Column(-1), On_Off_Enable(), Text_Column("Name", -1, -1), Text_Column("Start", -1, -1),
                 Text_Column("Length", -1, -1), Check_Column("Flag", -1, -1)};
    r.Checks = {Check_Range(Reg_Start, [](const TEditorContext&) { return 0LL; },
                            [](const TEditorContext& c) { return c.Number(Size_Number) - 1; }, Text_Range, true)};
    r.Table_Checks = {Check_Unique(Reg_Name, Text_Unique), Check_No_Overlap(Reg_Start, Reg_Length, Text_Overlap),
                      Check_Sum(Reg_Length, [](const TEditorContext& c) { return c.Number(Size_Number); }, Text_Sum)};

    TTableDesc a;
    a.Grid_Name = "Grid_Aliases";
    a.Section = "Aliases";
    a.Row_Element = "Alias";
    a.Rows = 3;
    a.Key_Col = Alias_Name;
    a.Enable_Col = -1;
    a.Row_Error_Prefix = Text_Prefix;
    a.Columns = {Number_Column(-1), Text_Column("Name", -1, -1), Text_Column("Target", -1, -1)};
    d.Tables = {r, a};

    // Every alias names a register that takes part.
    d.Editor_Checks = {[](const std::vector<TTableView>& t, const TEditorContext&) -> std::optional<TCheckFailure> {
        for (int r = 1; r <= t[Aliases].Rows(); ++r) {
            if (!t[Aliases].Takes_Part(r)) continue;
            const String Target = t[Aliases].Row(r).Trimmed(Alias_Target);
            bool Found = false;
            for (int q = 1; q <= t[Registers].Rows() && !Found; ++q)
                Found = t[Registers].Takes_Part(q) && t[Registers].Row(q).Trimmed(Reg_Name) == Target;
            if (!Found) return TCheckFailure{Aliases, r, Lang_Text(Text_No_Target) + Target};
        }
        return std::nullopt;
    }};
    return d;
}

inline TEditorContext Size_Context(long long Size)
{
    TEditorContext c;
    c.Numbers[Size_Number] = Size;
    return c;
}

class Engine : public ::testing::Test {
protected:
    void SetUp() override
    {
        Load_Default_Texts();
        Dir = Test_Folder("frame");
    }
    void TearDown() override { std::filesystem::remove_all(Dir); }

    String Path(const String& Name) const { return PathJoin(Dir, Name); }
    static String Text(int Number) { return Lang_Strings[Number]; }
    // The text of a failed row or table check.
    static String Row_Text(int Row, int Message, const String& Limit = "")
    {
        return Text(Text_Prefix) + IntToStr(Row) + Text(Message) + Limit;
    }

    String Dir;
};

}  // namespace frame_test
