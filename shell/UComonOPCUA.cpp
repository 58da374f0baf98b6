// OPC UA browse records: text handles and the name maps of the editors' tables.
#include <cstdio>
#include <iterator>
#include <mutex>
#include <vector>

#include "shell/UComon.h"

namespace {

std::mutex TextsLock;
std::vector<const char*> Texts;   // handle First + n is entry n
TOPCUA_Text First = 1;            // the handle of entry 0; grows at every clearing

} // namespace

TOPCUA_Text OPCUA_Register_Text(const char* Text)
{
    if (!Text) return 0;
    std::lock_guard<std::mutex> lock(TextsLock);
    // After four thousand million texts the numbers start again from 1.
    if (uint64_t(First) + Texts.size() > 0xFFFFFFFFull) {
        Texts.clear();
        First = 1;
    }
    Texts.push_back(Text);
    return static_cast<TOPCUA_Text>(First + Texts.size() - 1);
}

const char* OPCUA_Text_Of(TOPCUA_Text Ref)
{
    std::lock_guard<std::mutex> lock(TextsLock);
    if (Ref < First || Ref - First >= Texts.size()) return nullptr;
    return Texts[Ref - First];
}

void OPCUA_Clear_Texts()
{
    std::lock_guard<std::mutex> lock(TextsLock);
    const uint64_t Next = uint64_t(First) + Texts.size();
    First = Next > 0xFFFFFFFFull ? 1 : static_cast<TOPCUA_Text>(Next);
    Texts.clear();
}

String OPCUA_IdType_Name(int Code)
{
    switch (Code) {
    case 0: return "Numeric";
    case 3: return "String";
    case 4: return "Guid";
    case 5: return "ByteString";
    default: return "";
    }
}

int OPCUA_IdType_Code(const String& Text)
{
    String u = UpperCase(Text);
    if (u == "NUMERIC") return 0;
    if (u == "STRING") return 3;
    if (u == "GUID") return 4;
    if (u == "BYTESTRING") return 5;
    return 0;
}

String OPCUA_NodeId_Text(const opcua_structure& Node)
{
    switch (Node.identifierType) {
    case 0:
        return std::to_string(Node.numeric);
    case 3:
    case 5: {
        const char* s = OPCUA_Text_Of(Node.identifierType == 3 ? Node.stringname : Node.byteString);
        return s ? String(s) : String();
    }
    case 4: {
        const uint8_t* b = Node.guide4;
        char buf[48];
        std::snprintf(buf, sizeof buf, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                      static_cast<unsigned>(Node.guide1), static_cast<unsigned>(Node.guide2),
                      static_cast<unsigned>(Node.guide3), b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7]);
        return buf;
    }
    default:
        return "";
    }
}

String OPCUA_DataType_Name(int Code)
{
    static const char* const names[] = {"Boolean", "Int8", "UInt8", "Int16", "UInt16",
                                        "Int32", "UInt32", "Int64", "UInt64", "Float",
                                        "Double", "String", "DateTime", "Guid", "ByteString"};
    if (Code < 0 || Code >= static_cast<int>(std::size(names))) return "";
    return names[Code];
}

namespace {

// Name maps whose last name stands for every code beyond it, and whose last code stands
// for every text not listed; texts are compared exactly.
template <size_t N>
String NameOf(const char* const (&names)[N], int code)
{
    return names[(code >= 0 && code < static_cast<int>(N)) ? code : static_cast<int>(N) - 1];
}

template <size_t N>
int CodeOf(const char* const (&names)[N], const String& text)
{
    for (size_t i = 0; i + 1 < N; ++i)
        if (text == names[i]) return static_cast<int>(i);
    return static_cast<int>(N) - 1;
}

const char* const AuthNames[] = {"Anonymous", "Username and Password", "Certificate"};
const char* const ModeNames[] = {"None", "Sign", "Sign and Encrypt"};
const char* const PolicyNames[] = {"None", "Basic 128 RSA 15", "Basic 256", "Basic 256 SHA 256",
                                   "AES 128 SHA 256 RSA OAEP", "AES 256 SHA 256 RSA PSS"};

} // namespace

String OPCUA_Auth_Name(int Code) { return NameOf(AuthNames, Code); }
int OPCUA_Auth_Code(const String& Text) { return CodeOf(AuthNames, Text); }
String OPCUA_Security_Mode_Name(int Code) { return NameOf(ModeNames, Code); }
int OPCUA_Security_Mode_Code(const String& Text) { return CodeOf(ModeNames, Text); }
String OPCUA_Security_Policy_Name(int Code) { return NameOf(PolicyNames, Code); }
int OPCUA_Security_Policy_Code(const String& Text) { return CodeOf(PolicyNames, Text); }
