#include "devdesc/ede/UEDE_Read.h"

#include <algorithm>
#include <array>

#include "platform/os/Files.h"
#include "shell/ULanguage.h"

namespace {

constexpr std::array<int, 15> Kept_Types = {0, 1, 2, 3, 4, 5, 13, 14, 19, 21, 22, 23, 45, 46, 48};

// A header line: "#", then, after blanks, "mandatory" (case-sensitive).
bool Is_Mandatory_Line(const String& Line)
{
    const String T = Trim(Line);
    return !T.empty() && T[0] == '#' && Trim(T.substr(1)).compare(0, 9, "mandatory") == 0;
}

}  // namespace

bool EDE_Type_Is_Kept(int Object_Type)
{
    return std::find(Kept_Types.begin(), Kept_Types.end(), Object_Type) != Kept_Types.end();
}

std::unique_ptr<TBACnet_Var> Parse_EDE_Line(const String& Line)
{
    // Fields 1..15: each the text before the next ";" of the rest; when none is left that
    // field and the further ones are empty.
    std::array<String, 15> F;
    String Rest = Line;
    bool Ended = false;
    for (size_t n = 0; n < F.size(); ++n) {
        if (Ended) break;
        const size_t Semi = Rest.find(';');
        if (Semi == String::npos) {
            Ended = true;
            // The first field is the whole line when it holds no ";" at all.
            if (n == 0) F[0] = Trim(Rest);
            break;
        }
        F[n] = Trim(Rest.substr(0, Semi));
        Rest = Trim(Rest.substr(Semi + 1));
    }
    auto V = std::make_unique<TBACnet_Var>();
    auto Int = [](const String& s) { return StrToIntDef(s, -1); };
    V->keyname = F[0];
    V->device_obj_instance = Int(F[1]);
    V->object_name = F[2];
    V->object_type = Int(F[3]);
    V->object_instance = Int(F[4]);
    V->description = F[5];
    V->present_value_default = F[6];
    V->min_present_value = F[7];
    V->max_present_value = F[8];
    V->commandable = UpperCase(F[9]) == "Y";
    V->support_COV = UpperCase(F[10]) == "Y";
    V->hi_limit = F[11];
    V->low_limit = F[12];
    V->stete_text_reference = F[13];
    V->unit_code = F[14];
    // The vendor-specific address is the rest after the fifteenth ";", ";" inside it kept.
    if (!Ended) {
        String A = Trim(Rest);
        if (!A.empty() && A.back() == ';') A = Trim(A.substr(0, A.size() - 1));
        V->vendor_specific_address = A;
    }
    return V;
}

TEDE_Read Read_EDE_Text(std::string_view Bytes)
{
    TEDE_Read R;
    TStringList Lines;
    Lines.SetText(Decode_Lng_Bytes(Bytes));
    // Fewer than seven lines cannot hold the header of an object list.
    if (Lines.Count() < 7) {
        R.Ok = false;
        R.Error_Text = 1413;
        return R;
    }
    int Start = -1;
    if (Is_Mandatory_Line(Lines.Strings(6)))
        Start = 8;
    else
        for (int i = 0; i < Lines.Count(); ++i)
            if (Is_Mandatory_Line(Lines.Strings(i))) Start = i + 2;
    if (Start < 0) {
        R.Ok = false;
        R.Error_Text = 1413;
        return R;
    }
    for (int i = Start; i < Lines.Count(); ++i) {
        const String Line = Trim(Lines.Strings(i));
        if (Line.empty()) continue;
        std::unique_ptr<TBACnet_Var> V = Parse_EDE_Line(Line);
        if (!EDE_Type_Is_Kept(V->object_type)) continue;
        V->import = V->read = true;
        V->write = V->commandable;
        R.Vars.push_back(std::move(V));
    }
    return R;
}

TEDE_Read Read_EDE_File(const String& FileName)
{
    TEDE_Read R;
    R.Ok = false;
    R.Error_Text = 1413;
    try {
        if (!FileExists(FileName)) return R;
        const std::string Bytes = ReadFileBytes(FileName);
        if (Bytes.size() > EDE_Max_File_Bytes) return R;
        return Read_EDE_Text(Bytes);
    } catch (const Exception&) {
        return R;
    }
}
