// A stand-in for the OPC UA browse library: the same two functions and records, filling
// the records from a table instead of asking a server. The server address chooses what
// it answers:
//   "table"      the variables of the table below;
//   "many:N"     N numeric variables, access level 3;
//   "count:N"    the count N, whatever it is, with plain records;
//   anything else no variable.
// It registers its texts with the program's registry, keeps them until it is unloaded,
// and remembers the server it was given (standin_last_server) for the tests to look at.
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "shell/UComon.h"

namespace {

struct TRow {
    const char* Name;      // nullptr: no text
    uint16_t Name_Space;
    uint16_t Id_Type;
    uint32_t Numeric;
    const char* Id_Text;   // string or byte-string identifier
    int32_t Data_Type;
    uint8_t Access;
};

const TRow Table[] = {
    {"Temperature", 2, 0, 4294967295u, nullptr, 10, 1},
    {"Setpoint", 2, 3, 0, "ns=2;s=Pump.Setpoint", 3, 2},
    {"Mode", 3, 5, 0, "QUJD", 11, 3},
    {"Counter", 1, 0, 1001, nullptr, 6, 0},
    {"Serial", 0, 4, 0, nullptr, 13, 0},
    {nullptr, 0, 3, 0, nullptr, 99, 1},   // no texts at all, a type outside the table
};

enum TMode { mNone, mTable, mMany, mCount };
TMode Mode = mNone;
std::deque<std::string> Texts;
std::string Last_Server;

std::string Text(TOPCUA_Text Ref)
{
    const char* s = OPCUA_Text_Of(Ref);
    return s ? s : "(null)";
}

[[maybe_unused]] TOPCUA_Text Keep(const std::string& s)
{
    Texts.push_back(s);
    return OPCUA_Register_Text(Texts.back().c_str());
}

}  // namespace

extern "C" int32_t opcua_client_begin(opcua_server_to_discover Server)
{
    Last_Server = Text(Server.server_address) + "|" + std::to_string(Server.user_pass_auth_flag) + "|" +
                  Text(Server.username) + "|" + Text(Server.password) + "|" + Text(Server.cert) + "|" +
                  Text(Server.priv_key) + "|" + std::to_string(Server.security_type) + "|" +
                  std::to_string(Server.security_policy);
    const std::string Address = Text(Server.server_address);
    Mode = mNone;
    if (Address == "table") {
        Mode = mTable;
        return int32_t(sizeof Table / sizeof Table[0]);
    }
    if (Address.rfind("many:", 0) == 0) {
        Mode = mMany;
        return int32_t(std::atol(Address.c_str() + 5));
    }
    if (Address.rfind("count:", 0) == 0) {
        Mode = mCount;
        return int32_t(std::atol(Address.c_str() + 6));
    }
    return 0;
}

#ifndef STANDIN_WITHOUT_RETURN
extern "C" int32_t opcua_return_variable(opcua_structure* Node, int32_t Index)
{
    std::memset(Node, 0, sizeof *Node);
    if (Mode == mTable && Index >= 0 && size_t(Index) < sizeof Table / sizeof Table[0]) {
        const TRow& r = Table[Index];
        Node->nameSpaceIndex = r.Name_Space;
        Node->identifierType = r.Id_Type;
        Node->numeric = r.Numeric;
        if (r.Name) Node->displayName = Keep(r.Name);
        if (r.Id_Text) (r.Id_Type == 3 ? Node->stringname : Node->byteString) = Keep(r.Id_Text);
        if (r.Id_Type == 4) {
            Node->guide1 = 0x0123ABCD;
            Node->guide2 = 1;
            Node->guide3 = 2;
            for (int i = 0; i < 8; ++i) Node->guide4[i] = uint8_t(3 + i);
        }
        Node->dataType = r.Data_Type;
        Node->accessLevel = r.Access;
        return 0;
    }
    if (Mode == mMany) {
        Node->identifierType = 0;
        Node->numeric = uint32_t(Index + 1);
        Node->displayName = Keep("Var" + std::to_string(Index + 1));
        Node->dataType = 3;
        Node->accessLevel = 3;
    }
    return 0;
}
#endif

// The server the last browse was given: its eight fields joined by "|".
extern "C" const char* standin_last_server() { return Last_Server.c_str(); }
