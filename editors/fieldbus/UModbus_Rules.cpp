// The rules shared by the Modbus RTU and TCP master editors.
#include "editors/fieldbus/UModbus_Rules.h"

namespace Modbus {

namespace {

std::optional<TRowError> Fail(int Message, std::optional<long long> Limit = std::nullopt, int Col = -1)
{
    return TRowError{Message, Limit, Col};
}

long long Area(const TEditorContext& Context, TDirection Direction)
{
    return Context.Number(Direction == Read ? NByte_IN : NByte_OUT);
}

}  // namespace

std::vector<String> Read_Types() { return {"Coil Status", "Input Status", "Holding Register", "Input Register"}; }
std::vector<String> Write_Types() { return {"Coil Status", "Holding Register"}; }
std::vector<String> Start_Bits() { return {"0", "1", "2", "3", "4", "5", "6", "7"}; }

TItemsProvider Positions(const char* Area_Name)
{
    return [Area_Name](const TEditorContext& Context) {
        std::vector<String> Items;
        for (long long i = 0; i < Context.Number(Area_Name); ++i) Items.push_back(IntToStr(int(i)));
        return Items;
    };
}

std::vector<TRowCheck> Rule_Checks(TDirection Direction, const TRuleCols& C, const TRuleTexts& T)
{
    // A rule addresses bits (coils, inputs) or registers of two bytes each.
    auto Bits = [=](const TRowView& r) {
        const String Type = UpperCase(r.Trimmed(C.Type));
        return Type == "COIL STATUS" || (Direction == Read && Type == "INPUT STATUS");
    };
    std::vector<TRowCheck> Checks;
    if (C.IP_Address >= 0)
        Checks.push_back([=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
            if (Check_IP_Address(r.Cell(C.IP_Address))) return Fail(T.IP_Address);
            return std::nullopt;
        });
    if (C.Port >= 0) Checks.push_back(Check_Range(C.Port, 0, 65535, T.Port));
    Checks.push_back(Check_Range(C.Slave_ID, 1, 247, T.Slave_ID));
    Checks.push_back([=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
        if (r.Cell(C.Type).empty()) return Fail(T.Type);
        return std::nullopt;
    });
    Checks.push_back(Check_Range(C.Address, 0, 65535, T.Address));
    Checks.push_back([=](const TRowView& r, const TEditorContext&) -> std::optional<TRowError> {
        const long long Most = Direction == Read ? (Bits(r) ? 2000 : 125) : (Bits(r) ? 1968 : 123);
        const long long n = r.Int(C.NPoint);
        if (n < 1 || n > Most) return Fail(T.NPoint, Most, C.NPoint);
        return std::nullopt;
    });
    Checks.push_back(Check_Range(C.PollTime, Direction == Read ? 1 : 0, 100000000, T.PollTime));
    Checks.push_back(Check_Range(C.MaxError, 0, 100000000, T.MaxError));
    Checks.push_back(Check_Range(
        C.Position, [](const TEditorContext&) { return 0LL; },
        [Direction](const TEditorContext& c) { return Area(c, Direction) - 1; }, T.Position, true));
    Checks.push_back([=](const TRowView& r, const TEditorContext& c) -> std::optional<TRowError> {
        const long long Position = r.Int(C.Position), n = r.Int(C.NPoint);
        long long Last = Position + 2 * n - 1;
        if (Bits(r)) {
            if (r.Cell(C.Bit).empty()) return Fail(T.Bit, std::nullopt, C.Bit);
            Last = Position + (n + StrToIntDef(r.Cell(C.Bit), 0) - 1) / 8;
        }
        if (Last >= Area(c, Direction)) return Fail(T.Too_Many);
        return std::nullopt;
    });
    return Checks;
}

bool Check_IP_Address(const String& IP_Address)
{
    if (IP_Address.empty()) return true;
    String Rest = IP_Address;
    for (int Part = 0; Part < 4; ++Part) {
        String Text = Rest;
        if (Part < 3) {
            const size_t Dot = Rest.find('.');
            if (Dot == String::npos) return true;
            Text = Rest.substr(0, Dot);
            Rest = Rest.substr(Dot + 1);
        }
        const long long v = StrToIntDef(Text, -1);
        if (v < 0 || v > 255) return true;
    }
    return false;
}

String Get_Topic_From_Index(const std::vector<String>& Topics, int Index)
{
    return Index >= 0 && size_t(Index) < Topics.size() ? Topics[size_t(Index)] : String();
}

int Get_Index_From_Topic(const std::vector<String>& Topics, const String& Topic)
{
    for (size_t i = 0; i < Topics.size(); ++i)
        if (Topics[i] == Topic) return int(i);
    return -1;
}

}  // namespace Modbus
