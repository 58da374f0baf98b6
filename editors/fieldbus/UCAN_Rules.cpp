// The rules shared by the CAN, J1939, NMEA 2000 and CANopen editors.
#include "editors/fieldbus/UCAN_Rules.h"

#include <algorithm>

namespace CAN {

std::vector<String> Types() { return {Type_Standard, Type_Extended}; }

bool Is_Standard(const TRowView& Row, int Type_Col) { return Row.Trimmed(Type_Col) == Type_Standard; }

TRowCheck Check_COBID(int COBID_Col, int Type_Col, int Standard_Message, int Extended_Message)
{
    return [=](const TRowView& Row, const TEditorContext&) -> std::optional<TRowError> {
        const bool Standard = Is_Standard(Row, Type_Col);
        const long long v = Row.Int(COBID_Col);
        if (v >= 0 && v <= (Standard ? 2047 : 536870911)) return std::nullopt;
        return TRowError{Standard ? Standard_Message : Extended_Message, std::nullopt, COBID_Col};
    };
}

TItemsProvider Byte_Items()
{
    return [](const TEditorContext& Context) {
        const long long n = Context.Number(MAX_Byte);
        std::vector<String> Items;
        Items.reserve(size_t(std::max(0LL, n)) + 1);
        Items.push_back("None");
        for (long long i = 0; i < n; ++i) Items.push_back(IntToStr(int(i)));
        return Items;
    };
}

TRowCheck Check_Positions(const TPositions& P)
{
    return [P](const TRowView& Row, const TEditorContext& Context) -> std::optional<TRowError> {
        const long long Size = std::min<long long>(Row.Int(P.Size_Col), P.Most);
        const long long Last = P.Last(Context) - 1;
        for (int k = 1; k <= Size; ++k) {
            const int Col = P.First_Col + k - 1;
            if (P.None_Allowed) {
                const String Cell = Row.Trimmed(Col);
                if (Cell.empty() || Cell == "None") continue;
            }
            const long long v = Row.Int(Col);
            if (v >= 0 && v <= Last) continue;
            TRowError Error{P.Message(k), Last, Col};
            Error.After_Limit = P.After_Limit;
            return Error;
        }
        return std::nullopt;
    };
}

bool Is_Set(const TRowView& Row, int Col) { return Col >= 0 && Row.Cell(Col) == "Y"; }

namespace {

bool Whole_Single_Frame(const TCapture& C, const TRowView& Row)
{
    return !Is_Set(Row, C.TP_Col) && !Is_Set(Row, C.FP_Col) && Row.Trimmed(C.Start_Col).empty() &&
           Row.Trimmed(C.NByte_Col).empty();
}

}  // namespace

long long Captured_Bytes(const TCapture& C, const TRowView& Row)
{
    return Whole_Single_Frame(C, Row) ? 8 : Row.Int(C.NByte_Col);
}

TRowCheck Check_Capture(const TCapture& C)
{
    return [C](const TRowView& Row, const TEditorContext&) -> std::optional<TRowError> {
        auto Fail = [](int Message, int Col) { return TRowError{Message, std::nullopt, Col}; };
        const long long Start = Row.Int(C.Start_Col), N = Row.Int(C.NByte_Col);
        // A multi-packet frame: the transport protocol wins over the fast packet.
        const bool TP = Is_Set(Row, C.TP_Col), FP = !TP && Is_Set(Row, C.FP_Col);
        if (TP || FP) {
            const long long Most = TP ? C.TP_Most : C.FP_Most;
            if (Start < 0 || Start > Most) return Fail(TP ? C.TP_Start : C.FP_Start, C.Start_Col);
            if (N < 0 || Start + N > Most) return Fail(TP ? C.TP_End : C.FP_End, C.NByte_Col);
            return std::nullopt;
        }
        if (Whole_Single_Frame(C, Row)) return std::nullopt;
        if (Row.Trimmed(C.Start_Col).empty() || Row.Trimmed(C.NByte_Col).empty()) return Fail(C.Both, C.Start_Col);
        if (Start < 1 || Start > 8) return Fail(C.Single_Start, C.Start_Col);
        if (N < 1 || N > 8) return Fail(C.Single_NByte, C.NByte_Col);
        if (Start + N > 8) return Fail(C.Single_End, C.NByte_Col);
        return std::nullopt;
    };
}

}  // namespace CAN
