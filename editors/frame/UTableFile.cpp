// Tables of an editor: reset, file reading and writing, and the row checks.
#include "editors/frame/UTableFile.h"

#include <algorithm>

#include "shell/ULanguage.h"

namespace {


// One row element into data row Row. Each attribute is read on its own: a missing one
// takes its column's default, or ends the loading where the column has none.
void Load_Row(const TTableDesc& Table, const TXMLNode& Node, int Row, const String& File, TRowGridAccess& Grid)
{
    for (int c = 1; c < Table.Col_Count(); ++c) {
        const TColumnDesc& Col = Table.Columns[size_t(c)];
        if (Col.Attribute.empty()) continue;
        if (!Node.HasAttribute(Col.Attribute)) {
            if (!Col.Default)
                throw EXmlError(Format("The file \"%s\": row %d of \"%s\" has no attribute \"%s\"",
                                       {File, Row, Table.Section.empty() ? Node.NodeName() : Table.Section,
                                        Col.Attribute}));
            Grid.SetCellEx(c, Row, *Col.Default);
            continue;
        }
        String Value = Node.Attribute(Col.Attribute);
        if (Col.Only_Items && std::find(Col.Items.begin(), Col.Items.end(), Value) == Col.Items.end())
            Value = Col.Default.value_or(String());
        Grid.SetCellEx(c, Row, Value);
    }
}

TXMLNode Section_Of(const TTableDesc& Table, const TXMLNode& Root, const String& File)
{
    if (Table.Section.empty()) return Root;
    TXMLNode Section = Root.FindNode(Table.Section);
    if (!Section) throw EXmlError(Format("The file \"%s\" has no section \"%s\"", {File, Table.Section}));
    return Section;
}

}  // namespace

namespace {

std::optional<TRowError> Range_Error(const TRowView& Row, int Col, long long Lo, long long Hi, int Message,
                                     bool Show_Limit)
{
    const long long v = Row.Int(Col);
    if (v >= Lo && v <= Hi) return std::nullopt;
    return TRowError{Message, Show_Limit ? std::optional<long long>(Hi) : std::nullopt};
}

}  // namespace

TRowCheck Check_Range(int Col, long long Lo, long long Hi, int Message, bool Show_Limit)
{
    return [=](const TRowView& Row) { return Range_Error(Row, Col, Lo, Hi, Message, Show_Limit); };
}

TRowCheck Check_Range(int Col, std::function<long long()> Lo, std::function<long long()> Hi, int Message,
                      bool Show_Limit)
{
    return [=](const TRowView& Row) { return Range_Error(Row, Col, Lo(), Hi(), Message, Show_Limit); };
}

TRowCheck Check_When(std::function<bool(const TRowView&)> When, TRowCheck Check)
{
    return [=](const TRowView& Row) -> std::optional<TRowError> {
        if (!When(Row)) return std::nullopt;
        return Check(Row);
    };
}

void Reset_Table(const TTableDesc& Table, TRowGridAccess& Grid)
{
    const int n = std::min(Table.Col_Count(), Grid.AllColCount());
    for (int r = 1; r < Grid.RowCount(); ++r) {
        Grid.SetCellEx(0, r, IntToStr(r - 1 + Table.First_Number));
        for (int c = 1; c < n; ++c) Grid.SetCellEx(c, r, Table.Columns[size_t(c)].Start);
    }
}

bool Key_Empty(const TTableDesc& Table, const TRowGridAccess& Grid, int Row, int Key_Col)
{
    const String Key = Grid.GetCellEx(Key_Col, Row);
    return Table.Key_Raw ? Key.empty() : Trim(Key).empty();
}

bool Row_Enabled(const TTableDesc& Table, const TRowGridAccess& Grid, int Row)
{
    if (Table.Enable_Col < 0) return true;
    const String Cell = Grid.GetCellEx(Table.Enable_Col, Row);
    switch (Table.Enable_Test) {
    case etRaw: return Cell == "Y";
    case etUpper: return UpperCase(Trim(Cell)) == "Y";
    case etTrimmed:
    default: return Trim(Cell) == "Y";
    }
}

void Load_Tables(const TEditorDesc& Editor, const String& File, const TTableGrids& Grids)
{
    TXMLDocument Doc;
    Doc.LoadFromFile(File);
    Load_Tables(Editor, Doc, File, Grids);
}

void Load_Tables(const TEditorDesc& Editor, const TXMLDocument& Doc, const String& File, const TTableGrids& Grids)
{
    const TXMLNode Root = Doc.DocumentElement();
    if (!Root) throw EXmlError(Format("The file \"%s\" has no root element", {File}));
    for (size_t t = 0; t < Editor.Tables.size() && t < Grids.size(); ++t) {
        const TTableDesc& Table = Editor.Tables[t];
        TRowGridAccess& Grid = *Grids[t];
        const TXMLNode Section = Section_Of(Table, Root, File);
        const int Rows = std::min(Section.ChildCount(), Grid.RowCount() - 1);
        for (int k = 0; k < Rows; ++k) Load_Row(Table, Section.Child(k), k + 1, File, Grid);
    }
}

String Row_Error_Text(const TTableDesc& Table, int Row, const TRowError& Error)
{
    String Text = Lang_Text(Table.Row_Error_Prefix) + IntToStr(Row) + Lang_Text(Error.Message);
    if (Error.Limit) Text += IntToStr(*Error.Limit);
    return Text;
}

std::optional<TCheckFailure> Check_Tables(const TEditorDesc& Editor, const TTableGrids& Grids)
{
    if (Editor.Before_Check) Editor.Before_Check();
    for (size_t t = 0; t < Editor.Tables.size() && t < Grids.size(); ++t) {
        const TTableDesc& Table = Editor.Tables[t];
        const TRowGridAccess& Grid = *Grids[t];
        for (int r = 1; r < Grid.RowCount(); ++r) {
            if (Key_Empty(Table, Grid, r, Table.Key_Col)) continue;
            if (!Row_Enabled(Table, Grid, r)) continue;
            const TRowView Row(r, [&Grid, r](int Col) { return Grid.GetCellEx(Col, r); });
            for (const TRowCheck& Check : Table.Checks)
                if (const std::optional<TRowError> Error = Check(Row))
                    return TCheckFailure{int(t), r, Row_Error_Text(Table, r, *Error)};
        }
    }
    return std::nullopt;
}

void Write_Tables(const TEditorDesc& Editor, TXMLDocument& Doc, const TTableGrids& Grids)
{
    Doc.Clear();
    TXMLNode Root = Doc.AddChild(Editor.Root);
    Doc.AddComment(Editor.Version);
    for (size_t t = 0; t < Editor.Tables.size() && t < Grids.size(); ++t) {
        const TTableDesc& Table = Editor.Tables[t];
        const TRowGridAccess& Grid = *Grids[t];
        TXMLNode Section = Table.Section.empty() ? Root : Root.AddChild(Table.Section);
        const int n = std::min(Table.Col_Count(), Grid.AllColCount());
        for (int r = 1; r < Grid.RowCount(); ++r) {
            if (Key_Empty(Table, Grid, r, Table.Key_Col)) continue;
            TXMLNode Row = Section.AddChild(Table.Row_Element);
            for (int c = 1; c < n; ++c) {
                const String& Attribute = Table.Columns[size_t(c)].Attribute;
                if (!Attribute.empty()) Row.SetAttribute(Attribute, Grid.GetCellEx(c, r));
            }
        }
    }
}

void Save_Tables(const TEditorDesc& Editor, TXMLDocument& Doc, const String& File, const TTableGrids& Grids)
{
    Write_Tables(Editor, Doc, Grids);
    Doc.SaveToFile(File);
}
