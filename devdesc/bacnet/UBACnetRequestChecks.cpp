#include "devdesc/bacnet/UBACnetRequestChecks.h"

#include <array>
#include <utility>

#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace BACnetReq {
namespace {

struct TObjName {
    const char* Name;
    int Code;
    bool Write;
};
constexpr std::array<TObjName, 15> Obj_Names = {{
    {"ACCUMULATOR", 1, false}, {"MULTI-STATE INPUT", 2, false}, {"MULTI-STATE OUTPUT", 3, true},
    {"ANALOG INPUT", 4, false}, {"ANALOG OUTPUT", 5, true}, {"BINARY INPUT", 6, false},
    {"BINARY OUTPUT", 7, true}, {"INTEGER VALUE", 8, true}, {"LARGE ANALOG VALUE", 9, true},
    {"POSITIVE INTEGER VALUE", 10, true}, {"MULTI-STATE VALUE", 11, true}, {"ANALOG VALUE", 12, true},
    {"BINARY VALUE", 13, true}, {"LIFE SAFETY POINT", 14, true}, {"LIFE SAFETY ZONE", 15, true},
}};

bool In(int v, std::initializer_list<int> Set)
{
    for (int s : Set)
        if (s == v) return true;
    return false;
}
bool In_Range(long long v, long long Lo, long long Hi) { return v >= Lo && v <= Hi; }
long long Whole(const String& s) { return StrToIntDef(s, -1); }

}  // namespace

int Check_Object_Type(const String& Str, int Read_Write)
{
    const String U = UpperCase(Trim(Str));
    for (const TObjName& O : Obj_Names)
        if (U == O.Name && (Read_Write == 0 || O.Write)) return O.Code;
    const long long V = Whole(U);
    return In_Range(V, 128, 1023) ? int(V) : -1;
}

int Check_Property(const String& Str, int Read_Write, int O)
{
    const String U = UpperCase(Trim(Str));
    if (U == "PRESENT VALUE (85)") return 100;
    if (Read_Write == 0) {
        if (U == "OBJECT IDENTIFIER (75)") return 4;
        if (U == "UNITS (117)") return In(O, {2, 3, 6, 7, 11, 13}) ? -1 : 4;
        if (U == "SCALE (187)" && O == 1) return 1;
        if (U == "PRESCALE (185)" && O == 1) return 5;
        if (U == "POLARITY (84)" && In(O, {6, 7, 13})) return 1;
        if (U == "EVENT STATE (36)") return 4;
        if (U == "STATUS FLAGS (111)") return 1;
        if (U == "OBJECT TYPE (79)") return 2;
        if (U == "NUMBER OF STATES (74)" && In(O, {2, 3, 11})) return 4;
    }
    const long long V = Whole(U);
    return In_Range(V, 512, 4194303) ? 200 : -1;
}

int Check_Data_Type(const String& Str, int O, int P)
{
    if (P != 100) return 1000;
    const String U = UpperCase(Trim(Str));
    if (U == "UNSIGNED INT" && In(O, {3, 10, 11})) return 4;
    if (U == "SIGNED INT" && O == 8) return 4;
    if (U == "REAL" && In(O, {5, 12})) return 4;
    if (U == "DOUBLE" && O == 9) return 8;
    if (U == "ENUMERATED" && In(O, {7, 13})) return 1;
    if (In_Range(O, 128, 1023)) return 1;
    return -1;
}

String Aspected_Data_Type_Value(int O, int P)
{
    if (P != 100) return {};
    if (In(O, {3, 10, 11})) return "Unsigned Int";
    if (In(O, {5, 12})) return "Real";
    if (In(O, {7, 13})) return "Enumerated";
    if (O == 8) return "Signed Int";
    if (O == 9) return "Double";
    return {};
}

int Check_Num_Byte_Max(const String& Str)
{
    const String U = UpperCase(Trim(Str));
    if (U == "NULL") return 0;
    if (U == "BOOLEAN") return 1;
    if (U == "DOUBLE") return 8;
    if (U == "BIT STRING") return 120;
    if (U == "OCTET STRING" || U == "CHARACTER STRING") return 255;
    if (U == "UNSIGNED INT" || U == "SIGNED INT" || U == "REAL" || U == "ENUMERATED" || U == "DATE" ||
        U == "TIME" || U == "OBJECT ID")
        return 4;
    return 255;
}

std::optional<int> Check_Dest_Add(const String& Values, int N, bool In_Read)
{
    const String T = Trim(Values);
    // An empty address has too few bytes like any short one: the user must be told why
    // the row is refused.
    if (T.empty()) return In_Read ? 1388 : 1389;
    int Count = 0;
    size_t Start = 0;
    while (Start < T.size()) {
        const size_t Comma = T.find(',', Start);
        const String Item = Trim(T.substr(Start, Comma == String::npos ? String::npos : Comma - Start));
        if (!In_Range(Whole(Item), 0, 255)) return In_Read ? 1382 : 1383;
        if (++Count > N) return In_Read ? 1384 : 1385;
        if (Comma == String::npos) break;
        Start = Comma + 1;
    }
    if (Count < N) return In_Read ? 1388 : 1389;
    return std::nullopt;
}

String Read_Hint(const String& Object_Type, const String& Property)
{
    if (Trim(Object_Type).empty() || Trim(Property).empty()) return {};
    const int O = Check_Object_Type(Object_Type, 0);
    const int P = Check_Property(Property, 0, O);
    if (P >= 1 && P <= 49) return IntToStr(P);
    if (P == 100) {
        if (In(O, {1, 2, 3, 4, 5, 8, 10})) return "4";
        if (In(O, {6, 7})) return "1";
        if (O == 9) return "8";
    }
    return {};
}

int Key_Col(int App_BACnet_Type) { return App_BACnet_Type == 0 || App_BACnet_Type == 1 ? 2 : 3; }

namespace {

// The checks of one table; the failing text (without row prefix) and its tail.
struct TFault {
    int Text;
    String Tail;
};

std::optional<TFault> Check_Address(const String& Key, int Type, int Ip_Text, int Id_Text)
{
    if (Type == 0) {
        uint8_t b1, b2, b3, b4;
        if (IP_To_Bytes(Key, b1, b2, b3, b4)) return TFault{Ip_Text, {}};
    } else if (Type == 1) {
        if (!In_Range(Whole(Key), 0, 254)) return TFault{Id_Text, {}};
    }
    return std::nullopt;
}

// Destination: D Net, D Len, D Add; Base the read (true) or write texts.
std::optional<TFault> Check_Destination(const String& Net, const String& Len, const String& Add, bool In_Read)
{
    const int Off = In_Read ? 0 : 5;
    if (!In_Range(Whole(Net), 1, 65535)) return TFault{1370 + Off, {}};
    const long long L = Whole(Len);
    if (L == 1) {
        if (!In_Range(Whole(Add), 0, 255)) return TFault{1372 + Off, {}};
    } else if (L == 2) {
        if (!In_Range(Whole(Add), 1, 65535)) return TFault{1373 + Off, {}};
    } else if (L == 6) {
        uint8_t b1, b2, b3, b4;
        uint16_t Port;
        if (!Split_IP_Port(Trim(Add), b1, b2, b3, b4, Port)) return TFault{1374 + Off, {}};
    } else if (L == -1) {
        const String U = UpperCase(Trim(Len));
        if (U.size() != 2 || U[0] != 'M' || U[1] < '1' || U[1] > '8') return TFault{In_Read ? 1386 : 1387, {}};
        if (const std::optional<int> F = Check_Dest_Add(Add, U[1] - '0', In_Read)) return TFault{*F, {}};
    } else {
        return TFault{1371 + Off, {}};
    }
    return std::nullopt;
}

std::optional<TFault> Check_Read_Row(const std::function<String(int)>& C, int Type)
{
    using namespace Read;
    if (auto F = Check_Address(Trim(C(Address)), Type, 1338, 1339)) return F;
    const int O = Check_Object_Type(C(Object_Type), 0);
    if (O < 0) return TFault{1340, {}};
    if (!In_Range(StrToInt64Def(C(Instance), -1), 0, 4294967295LL)) return TFault{1341, {}};
    if (Check_Property(C(Property), 0, O) < 0) return TFault{1342, {}};
    if (!In_Range(Whole(C(NByte)), 0, 255)) return TFault{1343, {}};
    if (UpperCase(Trim(C(En_Dest))) == "Y")
        if (auto F = Check_Destination(C(D_Net), C(D_Len), C(D_Add), true)) return F;
    if (!In_Range(Whole(C(Poll_Time)), 0, 100000000)) return TFault{1344, {}};
    if (!In_Range(Whole(C(Max_Err)), 0, 65535)) return TFault{1345, {}};
    return std::nullopt;
}

std::optional<TFault> Check_Write_Row(const std::function<String(int)>& C, int Type)
{
    using namespace Write;
    if (auto F = Check_Address(Trim(C(Address)), Type, 1347, 1348)) return F;
    const int O = Check_Object_Type(C(Object_Type), 1);
    if (O < 0) return TFault{1349, {}};
    if (!In_Range(StrToInt64Def(C(Instance), -1), 0, 4294967295LL)) return TFault{1350, {}};
    const int P = Check_Property(C(Property), 1, O);
    if (P < 0) return TFault{1351, {}};
    if (Check_Data_Type(C(Data_Type), O, P) < 0) {
        const String A = Aspected_Data_Type_Value(O, P);
        return A.empty() ? TFault{1352, {}} : TFault{1358, A};
    }
    if (!In_Range(Whole(C(Priority)), 0, 16)) return TFault{1353, {}};
    const int M = Check_Num_Byte_Max(C(Data_Type));
    if (!In_Range(Whole(C(NByte)), 0, M)) return TFault{1354, IntToStr(M)};
    if (UpperCase(Trim(C(En_Dest))) == "Y")
        if (auto F = Check_Destination(C(D_Net), C(D_Len), C(D_Add), false)) return F;
    if (UpperCase(C(Timer)) == "Y" && !In_Range(Whole(C(Poll_Time)), 0, 100000000)) return TFault{1355, {}};
    if (!In_Range(Whole(C(Max_Err)), 0, 65535)) return TFault{1356, {}};
    return std::nullopt;
}

}  // namespace

std::optional<String> Controllo_dati(const TCellGetter& Cell, int Rows, int App_BACnet_Type)
{
    const std::optional<TReqError> E = Check_Requests(Cell, Rows, App_BACnet_Type);
    if (!E) return std::nullopt;
    return E->Text;
}

std::optional<TReqError> Check_Requests(const TCellGetter& Cell, int Rows, int App_BACnet_Type)
{
    const int Key = Key_Col(App_BACnet_Type);
    for (int Table = 0; Table < 2; ++Table) {
        for (int Row = 1; Row <= Rows; ++Row) {
            auto C = [&](int Col) { return Cell(Table, Col, Row); };
            if (Trim(C(Key)).empty()) break;
            if (C(1) != "Y") continue;
            const std::optional<TFault> F =
                Table == 0 ? Check_Read_Row(C, App_BACnet_Type) : Check_Write_Row(C, App_BACnet_Type);
            if (F) return TReqError{Table, Row, Lang_Text(Table == 0 ? 1337 : 1346) + IntToStr(Row) + Lang_Text(F->Text) + F->Tail};
        }
    }
    return std::nullopt;
}

}  // namespace BACnetReq
