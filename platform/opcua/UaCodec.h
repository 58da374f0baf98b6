#pragma once
// The OPC UA binary encoding, as far as browsing a server's variables needs it: the
// built-in types, the transport messages (Hello, Acknowledge, Error), the request headers
// the client writes and the responses it reads.
//
// Reading never trusts the peer: every length is checked against what is left, arrays
// and nesting are bounded, and a message that does not fit raises EUaDecode.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace ua {

using Bytes = std::vector<uint8_t>;

class EUaDecode : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest array a response may carry: more than any server sends for a browse.
constexpr int32_t Max_Array = 100000;

enum TIdType : uint8_t { Id_Numeric = 0, Id_String = 3, Id_Guid = 4, Id_ByteString = 5 };

struct TNodeId {
    uint16_t Ns = 0;
    TIdType Type = Id_Numeric;
    uint32_t Numeric = 0;
    std::string Text;                  // string identifier, or the bytes of a byte string
    std::array<uint8_t, 16> Guid {};   // as encoded: Data1, Data2, Data3 little-endian, Data4
    bool operator==(const TNodeId&) const = default;
    bool operator<(const TNodeId& o) const;
    bool Null() const { return Ns == 0 && Type == Id_Numeric && Numeric == 0; }
};
inline TNodeId Numeric_Id(uint32_t Id, uint16_t Ns = 0) { return TNodeId{Ns, Id_Numeric, Id, {}, {}}; }

struct TExpandedNodeId {
    TNodeId Id;
    std::string Namespace_Uri;
    uint32_t Server_Index = 0;
    bool Local() const { return Namespace_Uri.empty() && Server_Index == 0; }
};

struct TReference {
    TNodeId Reference_Type;
    bool Forward = true;
    TExpandedNodeId Node;
    uint16_t Browse_Ns = 0;
    std::string Browse_Name;
    std::string Display_Name;
    uint32_t Node_Class = 0;
};

struct TBrowseResult {
    uint32_t Status = 0;
    std::string Continuation;
    std::vector<TReference> References;
};

// One value of a Read: its status and, for the few types the browse reads, the value.
struct TReadValue {
    uint32_t Status = 0;
    bool Has_Value = false;
    uint8_t Type = 0;                  // the variant's built-in type, 0 for none
    bool Array = false;
    int64_t Integer = 0;               // Boolean, the integers, StatusCode
    TNodeId Node;                      // NodeId
};

struct TUserTokenPolicy {
    std::string Policy_Id;
    uint32_t Token_Type = 0;           // 0 anonymous, 1 user name, 2 certificate, 3 issued
    std::string Security_Policy_Uri;
};

struct TEndpoint {
    std::string Url;
    std::string Server_Certificate;
    uint32_t Security_Mode = 0;        // 1 None, 2 Sign, 3 Sign and Encrypt
    std::string Security_Policy_Uri;
    std::vector<TUserTokenPolicy> Tokens;
};

struct TResponseHeader {
    uint32_t Request_Handle = 0;
    uint32_t Service_Result = 0;
};

// Writes the encoding, little-endian.
class TWriter {
public:
    Bytes Data;
    void U8(uint8_t v) { Data.push_back(v); }
    void U16(uint16_t v);
    void U32(uint32_t v);
    void I32(int32_t v) { U32(uint32_t(v)); }
    void I64(int64_t v);
    void F64(double v);
    void Boolean(bool v) { U8(v ? 1 : 0); }
    void String(const std::string& s);            // UTF-8; an empty text is written as null
    void Null_String() { I32(-1); }
    void Byte_String(const std::string& s) { String(s); }
    void Raw(const void* p, size_t n);
    void Node_Id(const TNodeId& Id);
    // An extension object with a binary body: Begin writes its type and a length that
    // End_Extension patches once the body is written.
    size_t Begin_Extension(uint32_t Encoding_Id);
    void End_Extension(size_t Mark);
    void Patch_U32(size_t At, uint32_t v);
};

// Reads the encoding; every read checks what is left.
class TReader {
public:
    TReader(const uint8_t* p, size_t n) : FP(p), FEnd(p + n) {}
    explicit TReader(const Bytes& b) : TReader(b.data(), b.size()) {}
    size_t Left() const { return size_t(FEnd - FP); }
    const uint8_t* Pos() const { return FP; }
    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int32_t I32() { return int32_t(U32()); }
    int64_t I64();
    double F64();
    bool Boolean() { return U8() != 0; }
    std::string String();                         // null and empty both read as empty
    std::string Byte_String() { return String(); }
    void Skip(size_t n);
    int32_t Array_Length();                       // -1 (null) reads as 0
    TNodeId Node_Id();
    TExpandedNodeId Expanded_Node_Id();
    void Qualified_Name(uint16_t& Ns, std::string& Name);
    std::string Localized_Text();                 // the text; the locale is skipped
    void Skip_Diagnostic_Info(int Depth = 0);
    void Skip_Extension_Object();
    void Skip_Variant(int Depth = 0);
    void Skip_Data_Value(int Depth = 0);
    TReadValue Data_Value();
    void Skip_Built_In(uint8_t Type, int Depth);

private:
    void Need(size_t n) const;
    TNodeId Node_Id_Body(uint8_t Kind);
    const uint8_t* FP;
    const uint8_t* FEnd;
};

// ---------------------------------------------------------------------------------
// Transport messages
// ---------------------------------------------------------------------------------
struct TTransportLimits {
    uint32_t Receive_Buffer = 65536;
    uint32_t Send_Buffer = 65536;
    uint32_t Max_Message = 16u << 20;
    uint32_t Max_Chunks = 0;
};

Bytes Encode_Hello(const std::string& Url, const TTransportLimits& Limits);
// An Acknowledge's body (after the 8-byte message header).
TTransportLimits Decode_Acknowledge(TReader& r);
// An Error's body: the status code and the reason.
uint32_t Decode_Error(TReader& r, std::string& Reason);

// The 8-byte header of every message: its type ("HEL", "ACK", "MSG" ...), chunk kind and size.
struct TMessageHeader {
    std::string Type;
    char Chunk = 'F';
    uint32_t Size = 0;
};
TMessageHeader Decode_Message_Header(TReader& r);

// ---------------------------------------------------------------------------------
// Services
// ---------------------------------------------------------------------------------
namespace id {
constexpr uint32_t Service_Fault = 397;
constexpr uint32_t Get_Endpoints_Request = 428, Get_Endpoints_Response = 431;
constexpr uint32_t Open_Secure_Channel_Request = 446, Open_Secure_Channel_Response = 449;
constexpr uint32_t Close_Secure_Channel_Request = 452;
constexpr uint32_t Create_Session_Request = 461, Create_Session_Response = 464;
constexpr uint32_t Activate_Session_Request = 467, Activate_Session_Response = 470;
constexpr uint32_t Close_Session_Request = 473, Close_Session_Response = 476;
constexpr uint32_t Browse_Request = 527, Browse_Response = 530;
constexpr uint32_t Browse_Next_Request = 533, Browse_Next_Response = 536;
constexpr uint32_t Read_Request = 631, Read_Response = 634;
constexpr uint32_t Anonymous_Identity_Token = 321, User_Name_Identity_Token = 324;
}  // namespace id

// Writes the type id and the request header of a request.
void Encode_Request_Header(TWriter& w, uint32_t Type_Id, const TNodeId& Auth_Token, uint32_t Handle,
                           uint32_t Timeout_Ms);
// Reads a response's type id and header. A service fault, or a type other than Expected,
// raises EUaService (with the fault's status) or EUaDecode.
TResponseHeader Decode_Response_Header(TReader& r, uint32_t Expected);

class EUaService : public std::runtime_error {
public:
    EUaService(uint32_t Status, const std::string& What) : std::runtime_error(What), Status(Status) {}
    uint32_t Status;
};

struct TOpenResponse {
    uint32_t Channel_Id = 0;
    uint32_t Token_Id = 0;
    uint32_t Lifetime = 0;
    std::string Server_Nonce;
};
TOpenResponse Decode_Open_Response(TReader& r);

std::vector<TEndpoint> Decode_Get_Endpoints_Response(TReader& r);

struct TSessionResponse {
    TNodeId Session_Id;
    TNodeId Auth_Token;
    std::string Server_Nonce;
    std::string Server_Certificate;
    std::vector<TEndpoint> Endpoints;
    std::string Signature_Algorithm;
    std::string Signature;
};
TSessionResponse Decode_Create_Session_Response(TReader& r);
// The server's new nonce.
std::string Decode_Activate_Session_Response(TReader& r);

std::vector<TBrowseResult> Decode_Browse_Response(TReader& r, uint32_t Expected);
std::vector<TReadValue> Decode_Read_Response(TReader& r);

// What the fuzz target and the tests feed: one whole message as it comes off the wire
// (policy None), decoded as far as its type allows. Raises EUaDecode or EUaService.
void Decode_Any_Message(const uint8_t* Data, size_t Size);

// The status code's name for the few a user may meet, else its number in hexadecimal.
std::string Status_Text(uint32_t Status);

}  // namespace ua
