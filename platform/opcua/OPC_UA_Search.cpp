// The browse library's entry points: settings from the program's server record in, the
// records of the variables found out.
#include "platform/opcua/OPC_UA_Search.h"

#include <atomic>
#include <cctype>
#include <cstring>
#include <deque>
#include <string>

#include "platform/opcua/UaBrowse.h"
#include "platform/opcua/UaText.h"

namespace {

using namespace opcua_search;

// A connection, each request and the whole browse have their own bound.
constexpr int Connect_Ms = 5000;
constexpr int Request_Ms = 10000;
constexpr int Browse_Ms = 120000;

std::vector<ua::TFound_Variable> Found;
std::deque<std::string> Texts;   // the texts handed out for the records, until the next browse
std::string Last_Error;
std::atomic<bool> Cancel {false};

std::string Text(TText Ref)
{
    const char* s = OPCUA_Text_Of(Ref);
    return s ? s : "";
}

TText Keep(std::string s)
{
    Texts.push_back(std::move(s));
    return OPCUA_Register_Text(Texts.back().c_str());
}

std::string Base64(const std::string& s)
{
    static const char* const A = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string o;
    for (size_t i = 0; i < s.size(); i += 3) {
        const uint32_t n = uint32_t(uint8_t(s[i])) << 16 | (i + 1 < s.size() ? uint32_t(uint8_t(s[i + 1])) << 8 : 0) |
                           (i + 2 < s.size() ? uint32_t(uint8_t(s[i + 2])) : 0);
        o += A[n >> 18];
        o += A[(n >> 12) & 63];
        o += i + 1 < s.size() ? A[(n >> 6) & 63] : '=';
        o += i + 2 < s.size() ? A[n & 63] : '=';
    }
    return o;
}

// What the library does not support, in the user's words; empty when it does.
std::string Unsupported(const TServer_Record& s)
{
    if (s.user_pass_auth_flag != 0 && s.user_pass_auth_flag != 1)
        return "Sign-in with a certificate is not supported";
    if (s.security_policy != 0 && s.security_policy != 3)
        return "Only the security policies None and Basic 256 SHA 256 are supported";
    if ((s.security_policy == 0) != (s.security_type == 0))
        return "The security mode and the security policy do not agree: None goes with None only";
    if (s.security_type < 0 || s.security_type > 2) return "Unknown security mode";
    return "";
}

}  // namespace

extern "C" int32_t opcua_client_begin(TServer_Record Server)
{
    Found.clear();
    Texts.clear();
    Last_Error.clear();
    Cancel = false;
    const std::string Why = Unsupported(Server);
    if (!Why.empty()) {
        Last_Error = Why;
        return 0;
    }
    ua::TUaSettings s;
    s.Url = ua::Cp1252_To_Utf8(Text(Server.server_address));
    s.Auth = Server.user_pass_auth_flag;
    s.User = ua::Cp1252_To_Utf8(Text(Server.username));
    s.Password = ua::Cp1252_To_Utf8(Text(Server.password));
    s.Certificate = Text(Server.cert);
    s.Private_Key = Text(Server.priv_key);
    s.Mode = Server.security_type;
    s.Policy = Server.security_policy;
    s.Connect_Ms = Connect_Ms;
    s.Request_Ms = Request_Ms;
    s.Deadline = ua::TClock::now() + std::chrono::milliseconds(Browse_Ms);
    s.Cancel = &Cancel;
    try {
        Found = ua::Browse_Server(s);
        if (Found.empty()) Last_Error = "The server holds no variable to read or write";
    } catch (const std::exception& e) {
        std::string w = e.what();
        if (!w.empty()) w[0] = char(std::toupper(uint8_t(w[0])));
        Last_Error = ua::Utf8_To_Cp1252(w);
        Found.clear();
    }
    return int32_t(Found.size());
}

extern "C" int32_t opcua_return_variable(TVariable_Record* Node, int32_t Index)
{
    if (!Node) return 0;
    std::memset(Node, 0, sizeof *Node);
    if (Index < 0 || size_t(Index) >= Found.size()) return 0;
    const ua::TFound_Variable& v = Found[size_t(Index)];
    Node->nameSpaceIndex = v.Id.Ns;
    Node->identifierType = v.Id.Type;
    switch (v.Id.Type) {
    case ua::Id_Numeric: Node->numeric = v.Id.Numeric; break;
    case ua::Id_String: {
        const std::string t = ua::Utf8_To_Cp1252(v.Id.Text);
        Node->stringLength = uint32_t(t.size());
        Node->stringname = Keep(t);
        break;
    }
    case ua::Id_Guid: {
        const auto& g = v.Id.Guid;
        Node->guide1 = uint32_t(g[0]) | uint32_t(g[1]) << 8 | uint32_t(g[2]) << 16 | uint32_t(g[3]) << 24;
        Node->guide2 = uint16_t(g[4] | g[5] << 8);
        Node->guide3 = uint16_t(g[6] | g[7] << 8);
        std::memcpy(Node->guide4, g.data() + 8, 8);
        break;
    }
    case ua::Id_ByteString: {
        const std::string t = Base64(v.Id.Text);
        Node->byteStringLength = uint32_t(t.size());
        Node->byteString = Keep(t);
        break;
    }
    }
    const std::string Name = ua::Utf8_To_Cp1252(v.Name);
    Node->displayNameLength = uint32_t(Name.size());
    Node->displayName = Keep(Name);
    Node->dataType = v.Data_Type;
    Node->accessLevel = v.Access;
    return 0;
}

extern "C" const char* opcua_last_error() { return Last_Error.c_str(); }

extern "C" void opcua_client_cancel() { Cancel = true; }
