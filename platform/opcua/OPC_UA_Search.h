#pragma once
// The browse library's side of its interface with the program: the two entry points, two
// optional ones, and the records they fill. The layout is fixed (little-endian, 32-bit text
// handles, 56 and 32 bytes) and must stay what the program's OPC UA records header says;
// the library is built apart from the program, so it keeps its own declaration, and a
// test holds the two against each other.
//
// Texts are handles of the program's text registry: the program exports
// OPCUA_Register_Text and OPCUA_Text_Of, which the library calls. Texts are 8-bit,
// Windows-1252.
#include <cstddef>
#include <cstdint>

namespace opcua_search {

using TText = uint32_t;

#pragma pack(push, 4)
struct TVariable_Record {
    uint16_t nameSpaceIndex;
    uint16_t identifierType;
    uint32_t numeric;
    TText stringname;
    uint32_t stringLength;
    uint32_t guide1;
    uint16_t guide2;
    uint16_t guide3;
    uint8_t guide4[8];
    TText byteString;
    uint32_t byteStringLength;
    TText displayName;
    uint32_t displayNameLength;
    int32_t dataType;
    uint8_t accessLevel;
    uint8_t spare[3];
};

struct TServer_Record {
    TText server_address;
    int32_t user_pass_auth_flag;
    TText username;
    TText password;
    TText cert;
    TText priv_key;
    int32_t security_type;
    int32_t security_policy;
};
#pragma pack(pop)

static_assert(sizeof(TVariable_Record) == 56 && offsetof(TVariable_Record, dataType) == 48 &&
              offsetof(TVariable_Record, accessLevel) == 52 && offsetof(TVariable_Record, guide4) == 24);
static_assert(sizeof(TServer_Record) == 32 && offsetof(TServer_Record, security_policy) == 28);

}  // namespace opcua_search

// The entry points are the only names the library shows.
#define OPCUA_SEARCH_EXPORT __attribute__((visibility("default")))

extern "C" {
// The program's text registry.
uint32_t OPCUA_Register_Text(const char* Text);
const char* OPCUA_Text_Of(uint32_t Ref);

// Browses the server; the number of variables found, 0 when none (or on any failure).
OPCUA_SEARCH_EXPORT int32_t opcua_client_begin(opcua_search::TServer_Record Server);
// Fills the record of variable Index (0 .. count - 1) of the last browse.
OPCUA_SEARCH_EXPORT int32_t opcua_return_variable(opcua_search::TVariable_Record* Node, int32_t Index);
// Why the last browse found nothing, in the user's words (Windows-1252); empty when it
// found something. The text stays until the next browse.
OPCUA_SEARCH_EXPORT const char* opcua_last_error();
// Asks a running browse, from another thread, to stop at its next wait.
OPCUA_SEARCH_EXPORT void opcua_client_cancel();
}
