// Tables and fields of an editor: reset, file reading and writing.
#include "editors/frame/UTableFile.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

// The items an items-only column accepts at this loading; other columns need none.
std::vector<std::vector<String>> Accepted_Items(const std::vector<TFieldDesc>& Fields, const TEditorContext& Context)
{
    std::vector<std::vector<String>> Items(Fields.size());
    for (size_t i = 0; i < Fields.size(); ++i)
        if (Fields[i].Flags & ffOnlyItems) Items[i] = Field_Items(Fields[i], Context);
    return Items;
}

// The value of a field or column as the file gives it: the attribute, its default when
// missing (std::nullopt when it is required), the default also for a value an
// items-only field does not list.
std::optional<String> Attribute_Value(const TFieldDesc& Field, const std::vector<String>& Accepted, const TXMLNode& Node)
{
    String Value;
    if (!Node.FindAttribute(Field.Name, Value)) return Field.Default;
    if ((Field.Flags & ffOnlyItems) && std::find(Accepted.begin(), Accepted.end(), Value) == Accepted.end())
        Value = Field.Default.value_or(String());
    return Value;
}

// A table's named columns by name, so that a row element's attributes are read in one
// walk instead of one search per column. A name two columns share finds both.
class TColumn_Reader {
public:
    explicit TColumn_Reader(const std::vector<TFieldDesc>& Columns) : FFound(Columns.size())
    {
        for (size_t c = 1; c < Columns.size(); ++c) {
            const String& Name = Columns[c].Name;
            if (Name.empty()) continue;
            const auto [It, New] = FBy_Name.emplace(Name, FNames.size());
            if (New) FNames.push_back({Name, {}});
            FNames[It->second].Cols.push_back(c);
        }
    }
    // Reads Node's attributes; Value(c) is then column c's attribute, null when missing.
    // Where a name occurs more than once the first one counts, as a look-up by name finds.
    void Read(const TXMLNode& Node)
    {
        Node.ListAttributes(FAttributes);
        std::fill(FFound.begin(), FFound.end(), nullptr);
        size_t Next = 0;   // the name expected next: files mostly keep the column order
        for (const auto& Attribute : FAttributes) {
            size_t n = Next;
            if (n >= FNames.size() || FNames[n].Name != Attribute.first) {
                const auto It = FBy_Name.find(Attribute.first);
                if (It == FBy_Name.end()) continue;
                n = It->second;
            }
            Next = n + 1;
            for (size_t c : FNames[n].Cols)
                if (!FFound[c]) FFound[c] = &Attribute.second;
        }
    }
    const std::string_view* Value(size_t c) const { return FFound[c]; }

private:
    struct TName {
        std::string_view Name;      // a view of the columns' name
        std::vector<size_t> Cols;   // the columns of that name
    };
    std::vector<TName> FNames;                                // in the order of the columns
    std::unordered_map<std::string_view, size_t> FBy_Name;   // name -> its index in FNames
    std::vector<std::pair<std::string_view, std::string_view>> FAttributes;
    std::vector<const std::string_view*> FFound;
};

// One row element into data row Row: a missing attribute takes its column's default,
// or ends the loading where the column has none; a value an items-only column does not
// list takes the default too.
void Load_Row(const TTableDesc& Table, const std::vector<std::vector<String>>& Accepted, const TXMLNode& Node, int Row,
              const String& File, const TEditorContext& Context, TColumn_Reader& Reader, TRowGridAccess& Grid)
{
    Reader.Read(Node);
    String Value;
    for (int c = 1; c < Table.Col_Count(); ++c) {
        const TFieldDesc& Col = Table.Columns[size_t(c)];
        if (Col.Name.empty()) continue;
        if (const std::string_view* Found = Reader.Value(size_t(c))) {
            Value.assign(*Found);
            const std::vector<String>& Items = Accepted[size_t(c)];
            if ((Col.Flags & ffOnlyItems) && std::find(Items.begin(), Items.end(), Value) == Items.end())
                Value = Col.Default.value_or(String());
        } else if (Col.Default) {
            Value = *Col.Default;
        } else {
            throw EXmlError(Format("The file \"%s\": row %d of \"%s\" has no attribute \"%s\"",
                                   {File, Row, Table.Section.empty() ? Node.NodeName() : Table.Section, Col.Name}));
        }
        Set_Cell_Value(Col, Grid, c, Row, Col.From_File ? Col.From_File(Value) : Value);
    }
    if (Table.After_Load_Row) Table.After_Load_Row(Node, Grid, Row, Context);
}

TXMLNode Section_Of(const String& Section, const TXMLNode& Root, const String& File)
{
    if (Section.empty()) return Root;
    TXMLNode Node = Root.FindNode(Section);
    if (!Node) throw EXmlError(Format("The file \"%s\" has no section \"%s\"", {File, Section}));
    return Node;
}

void Load_Fields(const TEditorDesc& Editor, const TXMLNode& Root, const String& File, TEditorData& Data)
{
    if (Editor.Fields.empty()) return;
    Data.Fields.resize(Editor.Fields.size());
    const TXMLNode Node = Section_Of(Editor.Fields_Element, Root, File);
    const std::vector<std::vector<String>> Accepted = Accepted_Items(Editor.Fields, Data.Context);
    for (size_t i = 0; i < Editor.Fields.size(); ++i) {
        const TFieldDesc& Field = Editor.Fields[i];
        if (Field.Name.empty()) continue;
        const std::optional<String> Value = Attribute_Value(Field, Accepted[i], Node);
        if (!Value)
            throw EXmlError(Format("The file \"%s\": \"%s\" has no attribute \"%s\"", {File, Node.NodeName(), Field.Name}));
        Data.Fields[i] = *Value;
    }
}

}  // namespace

String Cell_Value(const TFieldDesc& Column, const TRowGridAccess& Grid, int Col, int Row)
{
    bool State = false;
    if (Grid.GetCheckBoxState(Col, Row, State)) return State ? Column.Check_On : Column.Check_Off;
    return Grid.GetCellEx(Col, Row);
}

void Set_Cell_Value(const TFieldDesc& Column, TRowGridAccess& Grid, int Col, int Row, const String& Value)
{
    bool State = false;
    if (Grid.GetCheckBoxState(Col, Row, State))
        Grid.SetCheckBoxState(Col, Row, Value == Column.Check_On);
    else
        Grid.SetCellEx(Col, Row, Value);
}

void Reset_Table(const TTableDesc& Table, TRowGridAccess& Grid)
{
    const int n = std::min(Table.Col_Count(), Grid.AllColCount());
    for (int r = 1; r < Grid.RowCount(); ++r) {
        Grid.SetCellEx(0, r, IntToStr(r - 1 + Table.First_Number));
        for (int c = 1; c < n; ++c) {
            const TFieldDesc& Col = Table.Columns[size_t(c)];
            Set_Cell_Value(Col, Grid, c, r, Col.Start);
        }
    }
}

void Reset_Tables(const TEditorDesc& Editor, TEditorData& Data)
{
    for (size_t t = 0; t < Editor.Tables.size() && t < Data.Grids.size(); ++t)
        Reset_Table(Editor.Tables[t], *Data.Grids[t]);
    Data.Fields.clear();
    for (const TFieldDesc& Field : Editor.Fields) Data.Fields.push_back(Field.Start);
}

static bool Own_Key_Empty(const TTableDesc& Table, const TRowGridAccess& Grid, int Row)
{
    for (int Key_Col : {Table.Key_Col, Table.Also_Key_Col}) {
        if (Key_Col < 0) continue;
        const String Key = Grid.GetCellEx(Key_Col, Row);
        if (!(Table.Key_Raw ? Key.empty() : Trim(Key).empty())) return false;
    }
    return true;
}

bool Key_Empty(const TTableDesc& Table, const TRowGridAccess& Grid, int Row)
{
    if (Table.Key_Col < 0) return false;
    if (Own_Key_Empty(Table, Grid, Row)) return true;
    if (Table.Key_Ends_Table)
        for (int r = 1; r < Row; ++r)
            if (Own_Key_Empty(Table, Grid, r)) return true;
    return false;
}

bool Row_Enabled(const TTableDesc& Table, const TRowGridAccess& Grid, int Row)
{
    if (Table.Enable_Col < 0) return true;
    const TFieldDesc& Col = Table.Columns.at(size_t(Table.Enable_Col));
    const String Cell = Cell_Value(Col, Grid, Table.Enable_Col, Row);
    switch (Table.Enable_Test) {
    case etRaw: return Cell == Col.Check_On;
    case etUpper: return UpperCase(Trim(Cell)) == UpperCase(Col.Check_On);
    case etUpperRaw: return UpperCase(Cell) == UpperCase(Col.Check_On);
    case etTrimmed:
    default: return Trim(Cell) == Col.Check_On;
    }
}

void Load_Tables(const TEditorDesc& Editor, const String& File, TEditorData& Data)
{
    TXMLDocument Doc;
    Doc.LoadFromFile(File);
    Load_Tables(Editor, Doc, File, Data);
}

void Load_Tables(const TEditorDesc& Editor, const TXMLDocument& Doc, const String& File, TEditorData& Data)
{
    const TXMLNode Root = Doc.DocumentElement();
    if (!Root) throw EXmlError(Format("The file \"%s\" has no root element", {File}));
    Load_Fields(Editor, Root, File, Data);
    for (size_t t = 0; t < Editor.Tables.size() && t < Data.Grids.size(); ++t) {
        const TTableDesc& Table = Editor.Tables[t];
        TRowGridAccess& Grid = *Data.Grids[t];
        const TXMLNode Section = Section_Of(Table.Section, Root, File);
        const std::vector<std::vector<String>> Accepted = Accepted_Items(Table.Columns, Data.Context);
        // The row elements walked once: reaching each by its index walks all before it.
        const std::vector<TXMLNode> Row_Nodes = Section.ChildNodes();
        const int Rows = std::min(int(Row_Nodes.size()), Grid.RowCount() - 1);
        TColumn_Reader Reader(Table.Columns);
        for (int k = 0; k < Rows; ++k)
            Load_Row(Table, Accepted, Row_Nodes[size_t(k)], k + 1, File, Data.Context, Reader, Grid);
    }
}

void Write_Tables(const TEditorDesc& Editor, TXMLDocument& Doc, const TEditorData& Data)
{
    Doc.Clear();
    TXMLNode Root = Doc.AddChild(Editor.Root);
    if (!Editor.Version.empty()) Doc.AddComment(Editor.Version);
    if (!Editor.Fields.empty()) {
        TXMLNode Node = Editor.Fields_Element.empty() ? Root : Root.AddChild(Editor.Fields_Element);
        for (size_t i = 0; i < Editor.Fields.size(); ++i)
            if (!Editor.Fields[i].Name.empty())
                Node.SetAttribute(Editor.Fields[i].Name, i < Data.Fields.size() ? Data.Fields[i] : String());
    }
    for (size_t t = 0; t < Editor.Tables.size() && t < Data.Grids.size(); ++t) {
        const TTableDesc& Table = Editor.Tables[t];
        const TRowGridAccess& Grid = *Data.Grids[t];
        TXMLNode Section = Table.Section.empty() ? Root : Root.AddChild(Table.Section);
        const int n = std::min(Table.Col_Count(), Grid.AllColCount());
        // A new row element gets each name once, so it is appended without a look-up;
        // a name two columns share is replaced, the later column winning.
        std::vector<bool> Shared(size_t(std::max(n, 0)), false);
        for (int c = 1; c < n; ++c)
            for (int d = 1; d < c; ++d)
                if (Table.Columns[size_t(c)].Name == Table.Columns[size_t(d)].Name) Shared[size_t(c)] = true;
        for (int r = 1; r < Grid.RowCount(); ++r) {
            if (Key_Empty(Table, Grid, r)) {
                if (Table.Write_Stops_At_Empty_Key) break;
                continue;
            }
            TXMLNode Row = Section.AddChild(Table.Row_Element);
            for (int c = 1; c < n; ++c) {
                const TFieldDesc& Col = Table.Columns[size_t(c)];
                if (Col.Name.empty()) continue;
                String Value = Cell_Value(Col, Grid, c, r);
                if (Col.To_File) Value = Col.To_File(Value);
                if (Shared[size_t(c)])
                    Row.SetAttribute(Col.Name, Value);
                else
                    Row.AppendAttribute(Col.Name, Value);
            }
        }
    }
}

void Save_Tables(const TEditorDesc& Editor, TXMLDocument& Doc, const String& File, const TEditorData& Data)
{
    Write_Tables(Editor, Doc, Data);
    Doc.SaveToFile(File);
}
