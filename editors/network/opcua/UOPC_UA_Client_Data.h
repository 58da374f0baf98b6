#pragma once
// The OPC UA client's model: the servers the converter reads as a client and, per server,
// the variables it reads and writes; their node identifiers and data types as the tables
// show them; and OPC_UA_Client.xml, which holds the whole model.
//
// The client editor keeps its data here, not in its tables: the tables show and edit the
// variables of one server at a time and are stored back into it.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/xml/XMLDoc.h"

// One variable (node) of a server and what the converter does with it.
class TOPC_UA_Variable : public TObject {
public:
    TOPC_UA_Variable() = default;

    bool Enable() const { return FEnable; }
    void SetEnable(bool v) { FEnable = v; }
    const String& DispalyName() const { return FDispalyName; }
    void SetDispalyName(const String& v) { FDispalyName = v; }
    const String& ReadWrite() const { return FReadWrite; }
    void SetReadWrite(const String& v) { FReadWrite = v; }
    const String& OnChange() const { return FOnChange; }
    void SetOnChange(const String& v) { FOnChange = v; }
    const String& OnCMD() const { return FOnCMD; }
    void SetOnCMD(const String& v) { FOnCMD = v; }
    const String& OnTimer() const { return FOnTimer; }
    void SetOnTimer(const String& v) { FOnTimer = v; }
    const String& Time() const { return FTime; }
    void SetTime(const String& v) { FTime = v; }
    const String& Position() const { return FPosition; }
    void SetPosition(const String& v) { FPosition = v; }
    const String& Mnemonic() const { return FMnemonic; }
    void SetMnemonic(const String& v) { FMnemonic = v; }

    // The identifier type as its name ("Numeric", "String", "Guid", "ByteString"; codes 1
    // and 2 have none); set by name without regard to case, anything else numeric.
    String NodeType() const;
    void SetNodeType(const String& Text);
    // The identifier as text, read by the identifier type the variable has now: set the
    // type first.
    String NodeID() const;
    void SetNodeID(const String& Text);
    // The data type's name; code 0 and codes outside the table read "Boolean". Set by name
    // without regard to case, anything else code 0.
    String VarType() const;
    void SetVarType(const String& Text);

    uint16_t nameSpaceIndex = 0;
    uint16_t identifierType = 0;   // 0 numeric, 3 string, 4 GUID, 5 byte string
    uint32_t numeric = 0;
    String stringname;
    uint32_t guide1 = 0;
    uint16_t guide2 = 0;
    uint16_t guide3 = 0;
    std::array<uint8_t, 8> guide4 {};
    String byteString;             // in the text form the browse delivers it
    int32_t dataType = 0;          // 0 .. 14

private:
    bool FEnable = false;
    String FDispalyName;
    String FReadWrite;             // kept for the record, never used
    String FOnChange;
    String FOnCMD;
    String FOnTimer;
    String FTime;
    String FPosition;
    String FMnemonic;
};

using TOPC_UA_Var_List = std::vector<std::unique_ptr<TOPC_UA_Variable>>;

// One server: how to reach it, and the variables read from it and written to it, which
// it owns.
class TOPC_UA_Server : public TObject {
public:
    TOPC_UA_Server() = default;

    bool Enable() const { return FEnable; }
    void SetEnable(bool v) { FEnable = v; }
    const String& ServerAddress() const { return FServerAddress; }
    void SetServerAddress(const String& v) { FServerAddress = v; }
    const String& Authorization() const { return FAuthorization; }
    void SetAuthorization(const String& v) { FAuthorization = v; }
    const String& UserName() const { return FUserName; }
    void SetUserName(const String& v) { FUserName = v; }
    const String& Password() const { return FPassword; }
    void SetPassword(const String& v) { FPassword = v; }
    // Several lines, separated by CR LF, as typed.
    const String& Certificate() const { return FCertificate; }
    void SetCertificate(const String& v) { FCertificate = v; }
    const String& PrivateKey() const { return FPrivateKey; }
    void SetPrivateKey(const String& v) { FPrivateKey = v; }
    const String& SecurityType() const { return FSecurityType; }
    void SetSecurityType(const String& v) { FSecurityType = v; }
    const String& SecurityPolicy() const { return FSecurityPolicy; }
    void SetSecurityPolicy(const String& v) { FSecurityPolicy = v; }
    const String& Mnemonic() const { return FMnemonic; }
    void SetMnemonic(const String& v) { FMnemonic = v; }

    TOPC_UA_Var_List Var_List_R;   // read from the server
    TOPC_UA_Var_List Var_List_W;   // written to the server

private:
    bool FEnable = false;
    String FServerAddress;
    String FAuthorization;
    String FUserName;
    String FPassword;
    String FCertificate;
    String FPrivateKey;
    String FSecurityType;
    String FSecurityPolicy;
    String FMnemonic;
};

using TOPC_UA_Server_List = std::vector<std::unique_ptr<TOPC_UA_Server>>;

namespace OPC_UA {

constexpr int Text_Base = 5400;
constexpr int Var_Rows = 1024;                // rows of a variable table at the least
constexpr int Max_Position = 1499;            // last place of the internal data array
constexpr const char* Root = "OPC_UA_Client";

// The data-type names in code order (0 .. 14).
const std::vector<String>& Data_Type_Names();

}  // namespace OPC_UA

// Bytes a data type takes in the internal data array, by name without regard to case;
// 0 for a name that is none.
int GetLenVarType(const String& VarType);

// The document of the whole model (the document is emptied first).
void Write_OPC_UA_Client(TXMLDocument& Doc, const TOPC_UA_Server_List& Servers);
// Appends the servers of the document to Servers. A document without its root, server
// list or variable sections, a missing text attribute or a namespace index that is no
// number raises an exception; the servers read completely before it stay appended.
void Read_OPC_UA_Client(const TXMLDocument& Doc, TOPC_UA_Server_List& Servers);

// Where automatic positioning starts the read and the write variables of server Index:
// 0 for the first server; else the end (Position + length) farthest out among the
// variables of the server before it, 0 when there is none.
std::pair<long long, long long> Start_Position(const TOPC_UA_Server_List& Servers, size_t Index);
// Gives the variables of server Index consecutive positions from the start positions.
void Auto_Position(TOPC_UA_Server_List& Servers, size_t Index);

// The enabled variables of every server checked in list order; the first failure's
// message (the texts 5497 .. 5504 filled with server and variable number), none when all pass.
std::optional<String> Check_OPC_UA_Client(const TOPC_UA_Server_List& Servers);
