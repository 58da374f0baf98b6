#include "devdesc/eds/UEtherNetIP_EDS_Read.h"

#include <cctype>

#include "platform/os/Files.h"
#include "shell/ULanguage.h"

namespace {

// The path's bytes: blank-separated hex tokens 00..FF; anything else (a parameter
// reference, a word) is skipped.
std::vector<int> Path_Bytes(const String& Path_Text)
{
    String Clean;
    for (char c : Path_Text)
        if (c != '"') Clean += c;
    Clean = Trim(Clean);
    std::vector<int> B;
    size_t i = 0;
    while (i < Clean.size() && int(B.size()) < EDS_Max_Path_Bytes) {
        while (i < Clean.size() && (Clean[i] == ' ' || Clean[i] == '\t')) ++i;
        size_t j = i;
        while (j < Clean.size() && Clean[j] != ' ' && Clean[j] != '\t') ++j;
        if (j > i) {
            const String Token = Clean.substr(i, j - i);
            // Hex digits only: "0x" before a token that has its own sign or prefix is no byte.
            bool Hex = true;
            for (char c : Token) Hex = Hex && std::isxdigit(static_cast<unsigned char>(c));
            const int V = Hex ? StrToIntDef("0x" + Token, -1) : -1;
            if (V >= 0 && V <= 255) B.push_back(V);
        }
        i = j;
    }
    return B;
}

// Finds the first index from Start on whose byte is one of A, B; -1 when none.
int Find_Byte(const std::vector<int>& B, size_t Start, int A, int Bb = -1)
{
    for (size_t i = Start; i < B.size(); ++i)
        if (B[i] == A || B[i] == Bb) return int(i);
    return -1;
}

}  // namespace

void DecodeConnStr(const String& Entry, TConnList& List)
{
    // Fields at "," without regard to quotes.
    std::vector<String> Fields;
    size_t Start = 0;
    for (;;) {
        const size_t Comma = Entry.find(',', Start);
        Fields.push_back(Trim(Entry.substr(Start, Comma == String::npos ? String::npos : Comma - Start)));
        if (Comma == String::npos) break;
        Start = Comma + 1;
    }
    auto Field = [&](size_t n) { return n <= Fields.size() ? Fields[n - 1] : String(); };
    const long long W = StrToInt64Def(Field(2), -1);

    // The path: after the fourteenth ",", up to the next "," when one comes before the
    // first ";", else up to the first ";".
    String Path;
    size_t Pos = 0;
    int Commas = 0;
    while (Commas < 14 && (Pos = Entry.find(',', Pos)) != String::npos) {
        ++Pos;
        ++Commas;
    }
    if (Commas == 14) {
        const String Rest = Entry.substr(Pos);
        const size_t Comma = Rest.find(','), Semi = Rest.find(';');
        if (Comma != String::npos && (Semi == String::npos || Comma < Semi))
            Path = Rest.substr(0, Comma);
        else if (Semi != String::npos)
            Path = Rest.substr(0, Semi);
    }
    const std::vector<int> B = Path_Bytes(Path);
    const size_t N = B.size();
    if (N < 6 || B[0] != 0x20) return;

    auto Data = std::make_unique<TConnData>();
    size_t From;
    long long I;
    switch (B[2]) {
    case 0x24: I = B[3]; From = 4; break;
    case 0x25: I = B[4] | (B[5] << 8); From = 6; break;
    case 0x26:
        if (N < 8) return;    // the 32-bit instance runs past the path's end
        I = (long long)B[4] | ((long long)B[5] << 8) | ((long long)B[6] << 16) | ((long long)B[7] << 24);
        From = 8;
        break;
    default: I = 1; From = 2; break;
    }
    Data->InstanceOT = Data->InstanceTO = I;
    const int P = Find_Byte(B, From, 0x2C);
    if (P < 0 || size_t(P) + 1 >= N) return;
    Data->ConnPointOT = B[P + 1];
    const int Q = Find_Byte(B, P + 2, 0x24, 0x2C);
    if (Q < 0 || size_t(Q) + 1 >= N) return;
    if (B[Q] == 0x24) {
        Data->InstanceTO = B[Q + 1];
        const int R = Find_Byte(B, Q + 2, 0x2C);
        if (R < 0 || size_t(R) + 1 >= N) return;
        Data->ConnPointTO = B[R + 1];
    } else {
        Data->ConnPointTO = B[Q + 1];
    }
    Data->ConnIndex = int(List.size()) + 1;
    Data->ConnName = Field(13);
    Data->HelpStr = Field(14);
    Data->DimHeaderOT = int((W >> 8) & 7);
    Data->DimHeaderTO = int((W >> 12) & 7);
    Data->NumClass = 0;
    List.push_back(std::move(Data));
}

TConnList Read_EDS_Connections(std::string_view Bytes)
{
    TStringList Lines;
    Lines.SetText(Decode_Lng_Bytes(Bytes));
    TConnList List;
    bool Inside = false;
    String P;
    auto Flush = [&] {
        if (!P.empty()) DecodeConnStr(P, List);
        P.clear();
    };
    for (int i = 0; i < Lines.Count(); ++i) {
        String Line = Trim(Lines.Strings(i));
        const size_t Dollar = Line.find('$');
        if (Dollar != String::npos) Line = Trim(Line.substr(0, Dollar));
        if (Line.empty()) continue;
        if (!Inside) {
            if (Line.find("[Connection Manager]") != String::npos) Inside = true;
        } else if (Line[0] == '[') {
            Inside = false;
            Flush();
        } else if (Line.find("Connection") != String::npos) {
            Flush();
            const size_t Eq = Line.find('=');
            P = Eq == String::npos ? String() : Trim(Line.substr(Eq + 1));
        } else {
            // An entry's lines are glued without a separator; one that never ends is
            // no entry, and a runaway one must not grow without bound.
            if (P.size() + Line.size() > EDS_Max_File_Bytes) P.clear();
            P += Line;
        }
    }
    Flush();
    return List;
}

bool Read_EDS_File(const String& FileName, TConnList& List, String& Error)
{
    List.clear();
    if (!FileExists(FileName)) {
        Error = FileName;
        return false;
    }
    std::string Bytes;
    try {
        Bytes = ReadFileBytes(FileName);
    } catch (const Exception& E) {
        Error = E.Message();
        return false;
    }
    if (Bytes.size() > EDS_Max_File_Bytes) {
        Error = FileName;
        return false;
    }
    List = Read_EDS_Connections(Bytes);
    return true;
}
