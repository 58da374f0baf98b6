// The checks of an editor: the ready-made row and table checks, and running them all in
// their order.
#include <map>

#include "editors/frame/UTableFile.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

std::optional<TRowError> Range_Error(const TRowView& Row, int Col, long long Lo, long long Hi, int Message,
                                     bool Show_Limit)
{
    const long long v = Row.Int(Col);
    if (v >= Lo && v <= Hi) return std::nullopt;
    return TRowError{Message, Show_Limit ? std::optional<long long>(Hi) : std::nullopt, Col};
}

TTableError Table_Error(const TTableView& Table, int Row, int Message, long long Limit)
{
    return {Row, Row_Error_Text(Table.Desc(), Row, TRowError{Message, Limit})};
}

}  // namespace

// ---------------------------------------------------------------------------------
// Row checks
// ---------------------------------------------------------------------------------
TRowCheck Check_Range(int Col, long long Lo, long long Hi, int Message, bool Show_Limit)
{
    return [=](const TRowView& Row, const TEditorContext&) { return Range_Error(Row, Col, Lo, Hi, Message, Show_Limit); };
}

TRowCheck Check_Range(int Col, TBound Lo, TBound Hi, int Message, bool Show_Limit)
{
    return [=](const TRowView& Row, const TEditorContext& Context) {
        return Range_Error(Row, Col, Lo(Context), Hi(Context), Message, Show_Limit);
    };
}

TRowCheck Check_Not_Empty(int Col, int Message)
{
    return [=](const TRowView& Row, const TEditorContext&) -> std::optional<TRowError> {
        if (!Row.Trimmed(Col).empty()) return std::nullopt;
        return TRowError{Message, std::nullopt, Col};
    };
}

TRowCheck Check_When(std::function<bool(const TRowView&, const TEditorContext&)> When, TRowCheck Check)
{
    return [=](const TRowView& Row, const TEditorContext& Context) -> std::optional<TRowError> {
        if (!When(Row, Context)) return std::nullopt;
        return Check(Row, Context);
    };
}

TRowCheck Check_Total(std::function<long long(const TRowView&)> Count, TBound Max, int Message)
{
    return [=](const TRowView& Row, const TEditorContext& Context) -> std::optional<TRowError> {
        const long long Most = Max(Context);
        if (Row.Add_To_Total(Count(Row)) <= Most) return std::nullopt;
        TRowError Error{Message, Most};
        Error.Whole_Table = true;
        return Error;
    };
}

String Row_Error_Text(const TTableDesc& Table, int Row, const TRowError& Error)
{
    String Text = Error.Whole_Table ? String() : Lang_Text(Table.Row_Error_Prefix) + IntToStr(Row);
    Text += Lang_Text(Error.Message);
    if (Error.Limit) Text += IntToStr(*Error.Limit);
    if (Error.After_Limit >= 0) Text += Lang_Text(Error.After_Limit);
    return Text;
}

// ---------------------------------------------------------------------------------
// Table checks
// ---------------------------------------------------------------------------------
int TTableView::Rows() const { return FGrid.RowCount() - 1; }

bool TTableView::Takes_Part(int Row) const
{
    return !Key_Empty(FDesc, FGrid, Row) && Row_Enabled(FDesc, FGrid, Row);
}

TRowView TTableView::Row(int Row, long long* Total, TCheckRun* Run) const
{
    return TRowView(
        Row,
        [&Desc = FDesc, &Grid = FGrid, Row](int Col) {
            return Col < Desc.Col_Count() ? Cell_Value(Desc.Columns[size_t(Col)], Grid, Col, Row) : Grid.GetCellEx(Col, Row);
        },
        Total, Run);
}

TTableCheck Check_Unique(int Col, int Message)
{
    return [=](const TTableView& Table, const TEditorContext&) -> std::optional<TTableError> {
        std::map<String, int> First;   // trimmed text -> the first row holding it
        for (int r = 1; r <= Table.Rows(); ++r) {
            if (!Table.Takes_Part(r)) continue;
            const auto [It, New] = First.emplace(Table.Row(r).Trimmed(Col), r);
            if (!New) return Table_Error(Table, r, Message, It->second);
        }
        return std::nullopt;
    };
}

TTableCheck Check_No_Overlap(int Start_Col, int Length_Col, int Message)
{
    return [=](const TTableView& Table, const TEditorContext&) -> std::optional<TTableError> {
        struct TRange {
            long long First, End;   // bytes First .. End - 1
            int Row;
        };
        std::vector<TRange> Seen;
        for (int r = 1; r <= Table.Rows(); ++r) {
            if (!Table.Takes_Part(r)) continue;
            const TRowView Row = Table.Row(r);
            const long long Start = Row.Int(Start_Col), Length = Row.Int(Length_Col);
            if (Start < 0 || Length <= 0) continue;
            for (const TRange& s : Seen)
                if (Start < s.End && s.First < Start + Length) return Table_Error(Table, r, Message, s.Row);
            Seen.push_back({Start, Start + Length, r});
        }
        return std::nullopt;
    };
}

TTableCheck Check_Sum(int Col, TBound Max, int Message, bool Name_Row)
{
    return [=](const TTableView& Table, const TEditorContext& Context) -> std::optional<TTableError> {
        const long long Most = Max(Context);
        long long Sum = 0;
        for (int r = 1; r <= Table.Rows(); ++r) {
            if (!Table.Takes_Part(r)) continue;
            Sum += Table.Row(r).Int(Col);
            if (Sum > Most && Name_Row) return Table_Error(Table, r, Message, Most);
        }
        if (Sum > Most) return TTableError{0, Lang_Text(Message) + IntToStr(Most)};
        return std::nullopt;
    };
}

// ---------------------------------------------------------------------------------
// All checks in their order
// ---------------------------------------------------------------------------------
std::optional<TCheckFailure> Check_Tables(const TEditorDesc& Editor, const TEditorData& Data)
{
    TEditorContext Context = Data.Context;
    Context.Decimal_Sep = Get_Decimal_Separator();

    const TRowView Fields(0, [&Data](int Col) {
        return Col >= 0 && size_t(Col) < Data.Fields.size() ? Data.Fields[size_t(Col)] : String();
    });
    for (const TRowCheck& Check : Editor.Field_Checks)
        if (const std::optional<TRowError> Error = Check(Fields, Context)) {
            String Text = Lang_Text(Error->Message);
            if (Error->Limit) Text += IntToStr(*Error->Limit);
            return TCheckFailure{-1, 0, Text, false, Error->Col};
        }

    std::vector<TTableView> Tables;
    for (size_t t = 0; t < Editor.Tables.size() && t < Data.Grids.size(); ++t)
        Tables.emplace_back(Editor.Tables[t], *Data.Grids[t]);

    TCheckRun Run;
    for (size_t t = 0; t < Tables.size(); ++t) {
        const TTableView& Table = Tables[t];
        long long Total = 0;
        for (int r = 1; r <= Table.Rows(); ++r) {
            if (!Table.Takes_Part(r)) continue;
            const TRowView Row = Table.Row(r, &Total, &Run);
            for (const TRowCheck& Check : Table.Desc().Checks)
                if (const std::optional<TRowError> Error = Check(Row, Context))
                    return TCheckFailure{int(t), r, Row_Error_Text(Table.Desc(), r, *Error)};
        }
    }
    for (size_t t = 0; t < Tables.size(); ++t)
        for (const TTableCheck& Check : Tables[t].Desc().Table_Checks)
            if (const std::optional<TTableError> Error = Check(Tables[t], Context))
                return TCheckFailure{int(t), Error->Row, Error->Text, true};
    for (const TEditorCheck& Check : Editor.Editor_Checks)
        if (std::optional<TCheckFailure> Failure = Check(Tables, Context)) {
            Failure->Select_Row = true;
            Failure->Field = -1;
            return Failure;
        }
    return std::nullopt;
}
