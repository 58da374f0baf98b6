// OPC UA browse records: layout as the browse library writes it, and the name maps.
#include <gtest/gtest.h>

#include <cstring>

#include "shell/UComon.h"

namespace {

TEST(OpcUaRecords, SizesAndOffsets)
{
    EXPECT_EQ(sizeof(opcua_structure), 56u);
    EXPECT_EQ(sizeof(opcua_server_to_discover), 32u);
    EXPECT_EQ(sizeof(TOPC_UA_Guid), 16u);
    const std::pair<size_t, size_t> node[] = {
        {offsetof(opcua_structure, nameSpaceIndex), 0}, {offsetof(opcua_structure, identifierType), 2},
        {offsetof(opcua_structure, numeric), 4}, {offsetof(opcua_structure, stringname), 8},
        {offsetof(opcua_structure, stringLength), 12}, {offsetof(opcua_structure, guide1), 16},
        {offsetof(opcua_structure, guide2), 20}, {offsetof(opcua_structure, guide3), 22},
        {offsetof(opcua_structure, guide4), 24}, {offsetof(opcua_structure, byteString), 32},
        {offsetof(opcua_structure, byteStringLength), 36}, {offsetof(opcua_structure, displayName), 40},
        {offsetof(opcua_structure, displayNameLength), 44}, {offsetof(opcua_structure, dataType), 48},
        {offsetof(opcua_structure, accessLevel), 52}, {offsetof(opcua_structure, spare), 53},
        {offsetof(opcua_server_to_discover, server_address), 0},
        {offsetof(opcua_server_to_discover, user_pass_auth_flag), 4},
        {offsetof(opcua_server_to_discover, username), 8}, {offsetof(opcua_server_to_discover, password), 12},
        {offsetof(opcua_server_to_discover, cert), 16}, {offsetof(opcua_server_to_discover, priv_key), 20},
        {offsetof(opcua_server_to_discover, security_type), 24},
        {offsetof(opcua_server_to_discover, security_policy), 28},
        {offsetof(TOPC_UA_Guid, data1), 0}, {offsetof(TOPC_UA_Guid, data2), 4},
        {offsetof(TOPC_UA_Guid, data3), 6}, {offsetof(TOPC_UA_Guid, data4), 8}};
    for (size_t i = 0; i < std::size(node); ++i) EXPECT_EQ(node[i].first, node[i].second) << "field " << i;
}

// A record written byte by byte, little-endian, the way the library fills it.
TEST(OpcUaRecords, RecordReadFromLibraryBytes)
{
    OPCUA_Clear_Texts();
    static const char name[] = "Temperature";
    const TOPCUA_Text nameRef = OPCUA_Register_Text(name);
    unsigned char bytes[56] = {};
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    bytes[0] = 2;            // nameSpaceIndex
    bytes[2] = 4;            // identifierType: GUID
    put32(16, 1);            // guide1
    bytes[20] = 0x01;        // guide2 = 1
    bytes[22] = 0x02;        // guide3 = 2
    for (int i = 0; i < 8; ++i) bytes[24 + i] = static_cast<unsigned char>(0x03 + i * 0x11);
    put32(40, nameRef);      // displayName
    put32(44, 11);
    put32(48, 10);           // dataType: Double
    bytes[52] = 3;           // accessLevel
    opcua_structure node;
    std::memcpy(&node, bytes, sizeof node);

    EXPECT_EQ(node.nameSpaceIndex, 2);
    EXPECT_STREQ(OPCUA_Text_Of(node.displayName), "Temperature");
    EXPECT_EQ(OPCUA_DataType_Name(node.dataType), "Double");
    EXPECT_EQ(node.accessLevel, 3);
    EXPECT_EQ(OPCUA_NodeId_Text(node), "00000001-0001-0002-0314-25364758697A");
}

TEST(OpcUaRecords, NodeIdText)
{
    OPCUA_Clear_Texts();
    opcua_structure node {};
    node.identifierType = 0;
    node.numeric = 4294967295u;
    EXPECT_EQ(OPCUA_NodeId_Text(node), "4294967295");

    static const char id[] = "ns=2;s=Pump.Speed";
    static const char bytes[] = "QUJD";
    node.stringname = OPCUA_Register_Text(id);
    node.byteString = OPCUA_Register_Text(bytes);
    node.identifierType = 3;
    EXPECT_EQ(OPCUA_NodeId_Text(node), id);
    node.identifierType = 5;
    EXPECT_EQ(OPCUA_NodeId_Text(node), bytes);

    node.identifierType = 4;
    node.guide1 = 0x0123ABCD;
    node.guide2 = 1;
    node.guide3 = 2;
    const uint8_t g4[8] = {3, 4, 5, 6, 7, 8, 9, 10};
    std::memcpy(node.guide4, g4, 8);
    EXPECT_EQ(OPCUA_NodeId_Text(node), "0123ABCD-0001-0002-0304-05060708090A");

    node.identifierType = 1;
    EXPECT_EQ(OPCUA_NodeId_Text(node), "");

    // A string identifier without text, or with a handle that was cleared, shows nothing.
    node.identifierType = 3;
    node.stringname = 0;
    EXPECT_EQ(OPCUA_NodeId_Text(node), "");
    node.stringname = OPCUA_Register_Text(id);
    OPCUA_Clear_Texts();
    EXPECT_EQ(OPCUA_NodeId_Text(node), "");
}

// A handle given out before a clearing names no text afterwards, never a newer one.
TEST(OpcUaRecords, ClearedHandlesNameNoText)
{
    static const char a[] = "a", b[] = "b";
    const TOPCUA_Text ha = OPCUA_Register_Text(a);
    OPCUA_Clear_Texts();
    const TOPCUA_Text hb = OPCUA_Register_Text(b);
    EXPECT_NE(ha, hb);
    EXPECT_EQ(OPCUA_Text_Of(ha), nullptr);
    EXPECT_STREQ(OPCUA_Text_Of(hb), "b");
    EXPECT_EQ(OPCUA_Text_Of(hb + 1), nullptr);
}

TEST(OpcUaRecords, NameMaps)
{
    const std::pair<int, const char*> idTypes[] = {{0, "Numeric"}, {3, "String"}, {4, "Guid"}, {5, "ByteString"}, {1, ""}, {-1, ""}};
    for (const auto& [code, name] : idTypes) EXPECT_EQ(OPCUA_IdType_Name(code), name) << code;
    const std::pair<const char*, int> idCodes[] = {{"guid", 4}, {"String", 3}, {"BYTESTRING", 5}, {"numeric", 0}, {"Opaque", 0}, {"", 0}};
    for (const auto& [text, code] : idCodes) EXPECT_EQ(OPCUA_IdType_Code(text), code) << text;

    EXPECT_EQ(OPCUA_DataType_Name(0), "Boolean");
    EXPECT_EQ(OPCUA_DataType_Name(12), "DateTime");
    EXPECT_EQ(OPCUA_DataType_Name(14), "ByteString");
    EXPECT_EQ(OPCUA_DataType_Name(15), "");
    EXPECT_EQ(OPCUA_DataType_Name(-1), "");

    // Names round-trip through their codes; unknown codes give the last name, unknown
    // texts (compared exactly, case included) the last code.
    struct Map {
        String (*name)(int);
        int (*code)(const String&);
        int last;
    };
    const Map maps[] = {{OPCUA_Auth_Name, OPCUA_Auth_Code, 2},
                        {OPCUA_Security_Mode_Name, OPCUA_Security_Mode_Code, 2},
                        {OPCUA_Security_Policy_Name, OPCUA_Security_Policy_Code, 5}};
    for (const Map& m : maps) {
        for (int code = 0; code <= m.last; ++code) EXPECT_EQ(m.code(m.name(code)), code);
        EXPECT_EQ(m.name(m.last + 1), m.name(m.last));
        EXPECT_EQ(m.name(-1), m.name(m.last));
        EXPECT_EQ(m.code("unknown"), m.last);
    }
    EXPECT_EQ(OPCUA_Auth_Name(1), "Username and Password");
    EXPECT_EQ(OPCUA_Auth_Code("anonymous"), 2);
    EXPECT_EQ(OPCUA_Security_Mode_Name(2), "Sign and Encrypt");
    EXPECT_EQ(OPCUA_Security_Policy_Name(1), "Basic 128 RSA 15");
    EXPECT_EQ(OPCUA_Security_Policy_Name(4), "AES 128 SHA 256 RSA OAEP");
    EXPECT_EQ(OPCUA_Security_Policy_Code("basic 256"), 5);
}

} // namespace
