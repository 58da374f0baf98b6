// The message decoder against what a hostile or broken server may send, the node ids it
// writes and reads, the texts it converts, and the records' layout on both sides.
#include <gtest/gtest.h>

#include "platform/opcua/OPC_UA_Search.h"
#include "platform/opcua/UaBrowse.h"
#include "platform/opcua/UaCodec.h"
#include "platform/opcua/UaText.h"
#include "shell/UComon.h"

namespace {

using namespace ua;

// The library is built apart from the program: both must see one layout.
#define SAME_FIELD(f) static_assert(offsetof(opcua_structure, f) == offsetof(opcua_search::TVariable_Record, f))
SAME_FIELD(nameSpaceIndex); SAME_FIELD(identifierType); SAME_FIELD(numeric); SAME_FIELD(stringname);
SAME_FIELD(stringLength); SAME_FIELD(guide1); SAME_FIELD(guide2); SAME_FIELD(guide3); SAME_FIELD(guide4);
SAME_FIELD(byteString); SAME_FIELD(byteStringLength); SAME_FIELD(displayName); SAME_FIELD(displayNameLength);
SAME_FIELD(dataType); SAME_FIELD(accessLevel); SAME_FIELD(spare);
#undef SAME_FIELD
#define SAME_FIELD(f) static_assert(offsetof(opcua_server_to_discover, f) == offsetof(opcua_search::TServer_Record, f))
SAME_FIELD(server_address); SAME_FIELD(user_pass_auth_flag); SAME_FIELD(username); SAME_FIELD(password);
SAME_FIELD(cert); SAME_FIELD(priv_key); SAME_FIELD(security_type); SAME_FIELD(security_policy);
#undef SAME_FIELD
static_assert(sizeof(opcua_structure) == sizeof(opcua_search::TVariable_Record));
static_assert(sizeof(opcua_server_to_discover) == sizeof(opcua_search::TServer_Record));

// A MSG chunk (policy None) around a response body.
Bytes Message(const Bytes& Body)
{
    TWriter w;
    w.Raw("MSGF", 4);
    w.U32(0);
    w.U32(1);
    w.U32(1);
    w.U32(1);
    w.U32(1);
    w.Raw(Body.data(), Body.size());
    w.Patch_U32(4, uint32_t(w.Data.size()));
    return w.Data;
}

// A good response header of type Type.
TWriter Response(uint32_t Type)
{
    TWriter w;
    w.Node_Id(Numeric_Id(Type));
    w.I64(0);
    w.U32(1);
    w.U32(0);
    w.U8(0);
    w.I32(-1);
    w.Node_Id({});
    w.U8(0);
    return w;
}

TEST(OpcUaCodec, NodeIdsSurviveTheirEncodings)
{
    TNodeId Guid {1, Id_Guid, 0, {}, {}};
    for (int i = 0; i < 16; ++i) Guid.Guid[size_t(i)] = uint8_t(i * 17);
    const TNodeId cases[] = {
        Numeric_Id(85),                      // two bytes
        Numeric_Id(65535, 2),                // four bytes
        Numeric_Id(4294967290u, 300),        // full
        {7, Id_String, 0, "Pump.Setpoint", {}},
        Guid,
        {3, Id_ByteString, 0, std::string("\0\xFF" "A", 3), {}},
    };
    for (const TNodeId& n : cases) {
        TWriter w;
        w.Node_Id(n);
        TReader r(w.Data);
        EXPECT_EQ(r.Node_Id(), n) << n.Numeric << n.Text;
        EXPECT_EQ(r.Left(), 0u);
    }
}

TEST(OpcUaCodec, ReadResponseGivesTheValuesTheBrowseUses)
{
    TWriter w = Response(id::Read_Response);
    w.I32(4);
    w.U8(1);        // a node id value: the data type
    w.U8(17);
    w.Node_Id(Numeric_Id(11));
    w.U8(1);        // value rank -1
    w.U8(6);
    w.I32(-1);
    w.U8(3);        // an access level with a status
    w.U8(3);
    w.U8(3);
    w.U32(0);
    w.U8(2);        // a bad status, no value
    w.U32(0x80350000u);
    w.I32(-1);
    TReader r(w.Data);
    const std::vector<TReadValue> v = Decode_Read_Response(r);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(Data_Type_Code(v[0].Node), 10);
    EXPECT_EQ(v[1].Integer, -1);
    EXPECT_EQ(v[2].Integer, 3);
    EXPECT_FALSE(v[3].Has_Value);
    EXPECT_EQ(v[3].Status, 0x80350000u);
}

// Each of these must end in EUaDecode or EUaService: never a crash, an endless loop or a
// huge allocation.
TEST(OpcUaCodec, HostileMessagesAreRefused)
{
    const auto With = [](auto Fill) {
        TWriter w = Response(id::Browse_Response);
        Fill(w);
        return Message(w.Data);
    };
    const struct {
        const char* what;
        Bytes message;
    } cases[] = {
        {"empty", {}},
        {"header only, size below its own", {'M', 'S', 'G', 'F', 4, 0, 0, 0}},
        {"size beyond what came", {'A', 'C', 'K', 'F', 0xFF, 0xFF, 0, 0, 0, 0}},
        {"unknown type", {'X', 'Y', 'Z', 'F', 8, 0, 0, 0}},
        {"acknowledge with tiny buffers", [] {
             TWriter w;
             w.Raw("ACKF", 4);
             w.U32(28);
             for (int i = 0; i < 5; ++i) w.U32(16);
             return w.Data;
         }()},
        {"array count beyond the message", With([](TWriter& w) { w.I32(0x7FFFFFFF); })},
        {"string longer than the message", With([](TWriter& w) {
             w.I32(1);
             w.U32(0);
             w.I32(1000);
         })},
        {"unknown node id encoding", With([](TWriter& w) {
             w.I32(1);
             w.U32(0);
             w.I32(-1);
             w.I32(1);
             w.U8(9);
         })},
        {"diagnostics nested without end", [] {
             TWriter w;
             w.Node_Id(Numeric_Id(id::Read_Response));
             w.I64(0);
             w.U32(1);
             w.U32(0);
             for (int i = 0; i < 64; ++i) w.U8(0x40);
             return Message(w.Data);
         }()},
        {"variants nested without end", [] {
             TWriter w = Response(id::Read_Response);
             w.I32(1);
             w.U8(1);
             for (int i = 0; i < 64; ++i) w.U8(24);
             return Message(w.Data);
         }()},
        {"service fault", Message(Response(id::Service_Fault).Data)},
        {"response of another type", Message(Response(id::Activate_Session_Response).Data)},
    };
    for (const auto& c : cases) {
        bool Refused = false;
        try {
            Decode_Any_Message(c.message.data(), c.message.size());
        } catch (const EUaDecode&) {
            Refused = true;
        } catch (const EUaService&) {
            Refused = true;
        }
        EXPECT_TRUE(Refused) << c.what;
    }
}

TEST(OpcUaCodec, TextsCrossBetweenCodePages)
{
    const struct {
        const char* cp1252;
        const char* utf8;
    } cases[] = {
        {"plain", "plain"},
        {"\xDCn\xEF" "code \x80", "\xC3\x9Cn\xC3\xAF" "code \xE2\x82\xAC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1252_To_Utf8(c.cp1252), c.utf8);
        EXPECT_EQ(Utf8_To_Cp1252(c.utf8), c.cp1252);
    }
    // What the code page lacks, and broken UTF-8, become "?".
    EXPECT_EQ(Utf8_To_Cp1252("\xE6\x97\xA5 \xC3"), "? ?");
}

}  // namespace
