// The OPC UA binary encoding.
#include "platform/opcua/UaCodec.h"

#include <cstdio>
#include <cstring>
#include <tuple>

namespace ua {

namespace {
// Nesting of variants, data values and diagnostics inside each other.
constexpr int Max_Depth = 8;
}  // namespace

bool TNodeId::operator<(const TNodeId& o) const
{
    return std::tie(Ns, Type, Numeric, Text, Guid) < std::tie(o.Ns, o.Type, o.Numeric, o.Text, o.Guid);
}

// ---------------------------------------------------------------------------------
// Writing
// ---------------------------------------------------------------------------------
void TWriter::U16(uint16_t v)
{
    U8(uint8_t(v));
    U8(uint8_t(v >> 8));
}

void TWriter::U32(uint32_t v)
{
    for (int i = 0; i < 4; ++i) U8(uint8_t(v >> (8 * i)));
}

void TWriter::I64(int64_t v)
{
    for (int i = 0; i < 8; ++i) U8(uint8_t(uint64_t(v) >> (8 * i)));
}

void TWriter::F64(double v)
{
    uint64_t u;
    std::memcpy(&u, &v, 8);
    I64(int64_t(u));
}

void TWriter::String(const std::string& s)
{
    if (s.empty()) return Null_String();
    I32(int32_t(s.size()));
    Raw(s.data(), s.size());
}

void TWriter::Raw(const void* p, size_t n)
{
    const auto* b = static_cast<const uint8_t*>(p);
    Data.insert(Data.end(), b, b + n);
}

void TWriter::Node_Id(const TNodeId& Id)
{
    switch (Id.Type) {
    case Id_Numeric:
        if (Id.Ns == 0 && Id.Numeric <= 0xFF) {
            U8(0);
            U8(uint8_t(Id.Numeric));
        } else if (Id.Ns <= 0xFF && Id.Numeric <= 0xFFFF) {
            U8(1);
            U8(uint8_t(Id.Ns));
            U16(uint16_t(Id.Numeric));
        } else {
            U8(2);
            U16(Id.Ns);
            U32(Id.Numeric);
        }
        return;
    case Id_String:
        U8(3);
        U16(Id.Ns);
        String(Id.Text);
        return;
    case Id_Guid:
        U8(4);
        U16(Id.Ns);
        Raw(Id.Guid.data(), 16);
        return;
    case Id_ByteString:
        U8(5);
        U16(Id.Ns);
        String(Id.Text);
        return;
    }
}

size_t TWriter::Begin_Extension(uint32_t Encoding_Id)
{
    Node_Id(Numeric_Id(Encoding_Id));
    U8(1);
    const size_t Mark = Data.size();
    U32(0);
    return Mark;
}

void TWriter::End_Extension(size_t Mark) { Patch_U32(Mark, uint32_t(Data.size() - Mark - 4)); }

void TWriter::Patch_U32(size_t At, uint32_t v)
{
    for (int i = 0; i < 4; ++i) Data[At + size_t(i)] = uint8_t(v >> (8 * i));
}

// ---------------------------------------------------------------------------------
// Reading
// ---------------------------------------------------------------------------------
void TReader::Need(size_t n) const
{
    if (Left() < n) throw EUaDecode("message ends early");
}

uint8_t TReader::U8()
{
    Need(1);
    return *FP++;
}

uint16_t TReader::U16()
{
    Need(2);
    const uint16_t v = uint16_t(FP[0] | (FP[1] << 8));
    FP += 2;
    return v;
}

uint32_t TReader::U32()
{
    Need(4);
    const uint32_t v = uint32_t(FP[0]) | uint32_t(FP[1]) << 8 | uint32_t(FP[2]) << 16 | uint32_t(FP[3]) << 24;
    FP += 4;
    return v;
}

int64_t TReader::I64()
{
    const uint64_t lo = U32();
    const uint64_t hi = U32();
    return int64_t(lo | hi << 32);
}

double TReader::F64()
{
    const uint64_t u = uint64_t(I64());
    double v;
    std::memcpy(&v, &u, 8);
    return v;
}

std::string TReader::String()
{
    const int32_t n = I32();
    if (n < 0) return {};
    Need(size_t(n));
    std::string s(reinterpret_cast<const char*>(FP), size_t(n));
    FP += n;
    return s;
}

void TReader::Skip(size_t n)
{
    Need(n);
    FP += n;
}

int32_t TReader::Array_Length()
{
    const int32_t n = I32();
    if (n < 0) return 0;
    // Each element takes at least one byte: a longer count is a lie.
    if (n > Max_Array || size_t(n) > Left()) throw EUaDecode("array longer than the message");
    return n;
}

TNodeId TReader::Node_Id() { return Node_Id_Body(U8()); }

TNodeId TReader::Node_Id_Body(uint8_t Kind)
{
    TNodeId Id;
    switch (Kind) {
    case 0: Id.Numeric = U8(); break;
    case 1:
        Id.Ns = U8();
        Id.Numeric = U16();
        break;
    case 2:
        Id.Ns = U16();
        Id.Numeric = U32();
        break;
    case 3:
        Id.Ns = U16();
        Id.Type = Id_String;
        Id.Text = String();
        break;
    case 4:
        Id.Ns = U16();
        Id.Type = Id_Guid;
        Need(16);
        std::memcpy(Id.Guid.data(), FP, 16);
        FP += 16;
        break;
    case 5:
        Id.Ns = U16();
        Id.Type = Id_ByteString;
        Id.Text = String();
        break;
    default: throw EUaDecode("unknown node id encoding");
    }
    return Id;
}

TExpandedNodeId TReader::Expanded_Node_Id()
{
    // The first byte carries two flags above the node id's own encoding.
    const uint8_t First = U8();
    TExpandedNodeId e;
    e.Id = Node_Id_Body(First & 0x3F);
    if (First & 0x80) e.Namespace_Uri = String();
    if (First & 0x40) e.Server_Index = U32();
    return e;
}

void TReader::Qualified_Name(uint16_t& Ns, std::string& Name)
{
    Ns = U16();
    Name = String();
}

std::string TReader::Localized_Text()
{
    const uint8_t Mask = U8();
    if (Mask & 1) String();
    return Mask & 2 ? String() : std::string();
}

void TReader::Skip_Diagnostic_Info(int Depth)
{
    if (Depth > Max_Depth) throw EUaDecode("diagnostics nested too deep");
    const uint8_t Mask = U8();
    if (Mask & 0x01) Skip(4);
    if (Mask & 0x02) Skip(4);
    if (Mask & 0x04) Skip(4);
    if (Mask & 0x08) Skip(4);
    if (Mask & 0x10) String();
    if (Mask & 0x20) Skip(4);
    if (Mask & 0x40) Skip_Diagnostic_Info(Depth + 1);
}

void TReader::Skip_Extension_Object()
{
    Node_Id();
    const uint8_t Encoding = U8();
    if (Encoding == 1 || Encoding == 2) String();
    else if (Encoding != 0) throw EUaDecode("unknown extension object encoding");
}

void TReader::Skip_Built_In(uint8_t Type, int Depth)
{
    switch (Type) {
    case 1: case 2: case 3: Skip(1); break;
    case 4: case 5: Skip(2); break;
    case 6: case 7: case 10: case 19: Skip(4); break;
    case 8: case 9: case 11: case 13: Skip(8); break;
    case 12: case 15: case 16: String(); break;
    case 14: Skip(16); break;
    case 17: Node_Id(); break;
    case 18: Expanded_Node_Id(); break;
    case 20: {
        uint16_t Ns;
        std::string Name;
        Qualified_Name(Ns, Name);
        break;
    }
    case 21: Localized_Text(); break;
    case 22: Skip_Extension_Object(); break;
    case 23: Skip_Data_Value(Depth + 1); break;
    case 24: Skip_Variant(Depth + 1); break;
    case 25: Skip_Diagnostic_Info(Depth + 1); break;
    default: throw EUaDecode("unknown built-in type");
    }
}

void TReader::Skip_Variant(int Depth)
{
    if (Depth > Max_Depth) throw EUaDecode("variants nested too deep");
    const uint8_t Mask = U8();
    const uint8_t Type = Mask & 0x3F;
    if (Type == 0) return;
    if (Mask & 0x80) {
        const int32_t n = Array_Length();
        for (int32_t i = 0; i < n; ++i) Skip_Built_In(Type, Depth);
        if (Mask & 0x40) {
            const int32_t d = Array_Length();
            Skip(size_t(d) * 4);
        }
    } else {
        Skip_Built_In(Type, Depth);
    }
}

void TReader::Skip_Data_Value(int Depth)
{
    if (Depth > Max_Depth) throw EUaDecode("data values nested too deep");
    const uint8_t Mask = U8();
    if (Mask & 0x01) Skip_Variant(Depth + 1);
    if (Mask & 0x02) Skip(4);
    if (Mask & 0x04) Skip(8);
    if (Mask & 0x10) Skip(2);
    if (Mask & 0x08) Skip(8);
    if (Mask & 0x20) Skip(2);
}

TReadValue TReader::Data_Value()
{
    TReadValue v;
    const uint8_t Mask = U8();
    if (Mask & 0x01) {
        const uint8_t Vm = U8();
        v.Type = Vm & 0x3F;
        v.Array = (Vm & 0x80) != 0;
        v.Has_Value = v.Type != 0;
        if (v.Array || v.Type == 0) {
            // Not a value the browse reads: step over it.
            if (v.Array) {
                const int32_t n = Array_Length();
                for (int32_t i = 0; i < n; ++i) Skip_Built_In(v.Type, 1);
                if (Vm & 0x40) Skip(size_t(Array_Length()) * 4);
            }
        } else {
            switch (v.Type) {
            case 1: v.Integer = U8() != 0; break;
            case 2: v.Integer = int8_t(U8()); break;
            case 3: v.Integer = U8(); break;
            case 4: v.Integer = int16_t(U16()); break;
            case 5: v.Integer = U16(); break;
            case 6: v.Integer = I32(); break;
            case 7: case 19: v.Integer = U32(); break;
            case 8: case 9: v.Integer = I64(); break;
            case 17: v.Node = Node_Id(); break;
            default: Skip_Built_In(v.Type, 1); break;
            }
        }
    }
    if (Mask & 0x02) v.Status = U32();
    if (Mask & 0x04) Skip(8);
    if (Mask & 0x10) Skip(2);
    if (Mask & 0x08) Skip(8);
    if (Mask & 0x20) Skip(2);
    return v;
}

// ---------------------------------------------------------------------------------
// Transport messages
// ---------------------------------------------------------------------------------
Bytes Encode_Hello(const std::string& Url, const TTransportLimits& Limits)
{
    TWriter w;
    w.Raw("HELF", 4);
    w.U32(0);
    w.U32(0);   // protocol version
    w.U32(Limits.Receive_Buffer);
    w.U32(Limits.Send_Buffer);
    w.U32(Limits.Max_Message);
    w.U32(Limits.Max_Chunks);
    w.String(Url);
    w.Patch_U32(4, uint32_t(w.Data.size()));
    return w.Data;
}

TTransportLimits Decode_Acknowledge(TReader& r)
{
    r.U32();   // protocol version
    TTransportLimits l;
    l.Receive_Buffer = r.U32();
    l.Send_Buffer = r.U32();
    l.Max_Message = r.U32();
    l.Max_Chunks = r.U32();
    // Buffers below the smallest the protocol allows cannot carry a chunk's headers.
    if (l.Receive_Buffer < 8192 || l.Send_Buffer < 8192) throw EUaDecode("buffer sizes below 8192");
    return l;
}

uint32_t Decode_Error(TReader& r, std::string& Reason)
{
    const uint32_t Status = r.U32();
    Reason = r.String();
    return Status;
}

TMessageHeader Decode_Message_Header(TReader& r)
{
    TMessageHeader h;
    char t[3];
    for (char& c : t) c = char(r.U8());
    h.Type.assign(t, 3);
    h.Chunk = char(r.U8());
    h.Size = r.U32();
    if (h.Size < 8) throw EUaDecode("message shorter than its header");
    return h;
}

// ---------------------------------------------------------------------------------
// Services
// ---------------------------------------------------------------------------------
void Encode_Request_Header(TWriter& w, uint32_t Type_Id, const TNodeId& Auth_Token, uint32_t Handle,
                           uint32_t Timeout_Ms)
{
    w.Node_Id(Numeric_Id(Type_Id));
    w.Node_Id(Auth_Token);
    w.I64(0);            // timestamp: none
    w.U32(Handle);
    w.U32(0);            // no diagnostics
    w.Null_String();     // audit entry
    w.U32(Timeout_Ms);
    w.Node_Id({});       // no additional header
    w.U8(0);
}

TResponseHeader Decode_Response_Header(TReader& r, uint32_t Expected)
{
    const TNodeId Type = r.Node_Id();
    TResponseHeader h;
    r.Skip(8);
    h.Request_Handle = r.U32();
    h.Service_Result = r.U32();
    r.Skip_Diagnostic_Info();
    const int32_t n = r.Array_Length();
    for (int32_t i = 0; i < n; ++i) r.String();
    r.Skip_Extension_Object();
    if (Type == Numeric_Id(id::Service_Fault))
        throw EUaService(h.Service_Result ? h.Service_Result : 0x80010000u, "service fault");
    if (!(Type == Numeric_Id(Expected))) throw EUaDecode("unexpected response type");
    if (h.Service_Result & 0x80000000u) throw EUaService(h.Service_Result, "service failed");
    return h;
}

TOpenResponse Decode_Open_Response(TReader& r)
{
    Decode_Response_Header(r, id::Open_Secure_Channel_Response);
    TOpenResponse o;
    r.U32();   // server protocol version
    o.Channel_Id = r.U32();
    o.Token_Id = r.U32();
    r.Skip(8);
    o.Lifetime = r.U32();
    o.Server_Nonce = r.Byte_String();
    return o;
}

namespace {

void Skip_Application_Description(TReader& r)
{
    r.String();
    r.String();
    r.Localized_Text();
    r.U32();
    r.String();
    r.String();
    const int32_t n = r.Array_Length();
    for (int32_t i = 0; i < n; ++i) r.String();
}

TEndpoint Endpoint(TReader& r)
{
    TEndpoint e;
    e.Url = r.String();
    Skip_Application_Description(r);
    e.Server_Certificate = r.Byte_String();
    e.Security_Mode = r.U32();
    e.Security_Policy_Uri = r.String();
    const int32_t n = r.Array_Length();
    for (int32_t i = 0; i < n; ++i) {
        TUserTokenPolicy p;
        p.Policy_Id = r.String();
        p.Token_Type = r.U32();
        r.String();
        r.String();
        p.Security_Policy_Uri = r.String();
        e.Tokens.push_back(std::move(p));
    }
    r.String();   // transport profile
    r.U8();       // security level
    return e;
}

std::vector<TEndpoint> Endpoints(TReader& r)
{
    std::vector<TEndpoint> v;
    const int32_t n = r.Array_Length();
    for (int32_t i = 0; i < n; ++i) v.push_back(Endpoint(r));
    return v;
}

}  // namespace

std::vector<TEndpoint> Decode_Get_Endpoints_Response(TReader& r)
{
    Decode_Response_Header(r, id::Get_Endpoints_Response);
    return Endpoints(r);
}

TSessionResponse Decode_Create_Session_Response(TReader& r)
{
    Decode_Response_Header(r, id::Create_Session_Response);
    TSessionResponse s;
    s.Session_Id = r.Node_Id();
    s.Auth_Token = r.Node_Id();
    r.F64();   // revised timeout
    s.Server_Nonce = r.Byte_String();
    s.Server_Certificate = r.Byte_String();
    s.Endpoints = Endpoints(r);
    const int32_t n = r.Array_Length();
    for (int32_t i = 0; i < n; ++i) {
        r.Byte_String();
        r.Byte_String();
    }
    s.Signature_Algorithm = r.String();
    s.Signature = r.Byte_String();
    r.U32();   // max request size
    return s;
}

std::string Decode_Activate_Session_Response(TReader& r)
{
    Decode_Response_Header(r, id::Activate_Session_Response);
    std::string Nonce = r.Byte_String();
    const int32_t n = r.Array_Length();
    for (int32_t i = 0; i < n; ++i) {
        const uint32_t Status = r.U32();
        if (Status & 0x80000000u) throw EUaService(Status, "software certificate refused");
    }
    const int32_t d = r.Array_Length();
    for (int32_t i = 0; i < d; ++i) r.Skip_Diagnostic_Info();
    return Nonce;
}

std::vector<TBrowseResult> Decode_Browse_Response(TReader& r, uint32_t Expected)
{
    Decode_Response_Header(r, Expected);
    std::vector<TBrowseResult> Results;
    const int32_t n = r.Array_Length();
    Results.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i) {
        TBrowseResult b;
        b.Status = r.U32();
        b.Continuation = r.Byte_String();
        const int32_t m = r.Array_Length();
        b.References.reserve(size_t(m));
        for (int32_t k = 0; k < m; ++k) {
            TReference ref;
            ref.Reference_Type = r.Node_Id();
            ref.Forward = r.Boolean();
            ref.Node = r.Expanded_Node_Id();
            r.Qualified_Name(ref.Browse_Ns, ref.Browse_Name);
            ref.Display_Name = r.Localized_Text();
            ref.Node_Class = r.U32();
            r.Expanded_Node_Id();   // type definition
            b.References.push_back(std::move(ref));
        }
        Results.push_back(std::move(b));
    }
    const int32_t d = r.Array_Length();
    for (int32_t i = 0; i < d; ++i) r.Skip_Diagnostic_Info();
    return Results;
}

std::vector<TReadValue> Decode_Read_Response(TReader& r)
{
    Decode_Response_Header(r, id::Read_Response);
    std::vector<TReadValue> Values;
    const int32_t n = r.Array_Length();
    Values.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i) Values.push_back(r.Data_Value());
    const int32_t d = r.Array_Length();
    for (int32_t i = 0; i < d; ++i) r.Skip_Diagnostic_Info();
    return Values;
}

void Decode_Any_Message(const uint8_t* Data, size_t Size)
{
    TReader r(Data, Size);
    const TMessageHeader h = Decode_Message_Header(r);
    if (h.Size > Size) throw EUaDecode("message longer than what came");
    TReader Body(Data + 8, h.Size - 8);
    if (h.Type == "ACK") {
        Decode_Acknowledge(Body);
        return;
    }
    if (h.Type == "ERR") {
        std::string Reason;
        Decode_Error(Body, Reason);
        return;
    }
    if (h.Type == "OPN") {
        Body.U32();
        Body.String();        // policy
        Body.Byte_String();   // sender certificate
        Body.Byte_String();   // receiver thumbprint
        Body.Skip(8);         // sequence header
        Decode_Open_Response(Body);
        return;
    }
    if (h.Type != "MSG") throw EUaDecode("unknown message type");
    Body.Skip(16);            // channel, token, sequence header
    // The type id tells which response follows; read it ahead.
    TReader Peek(Body.Pos(), Body.Left());
    const TNodeId Type = Peek.Node_Id();
    switch (Type.Type == Id_Numeric && Type.Ns == 0 ? Type.Numeric : 0) {
    case id::Get_Endpoints_Response: Decode_Get_Endpoints_Response(Body); break;
    case id::Create_Session_Response: Decode_Create_Session_Response(Body); break;
    case id::Activate_Session_Response: Decode_Activate_Session_Response(Body); break;
    case id::Browse_Response: Decode_Browse_Response(Body, id::Browse_Response); break;
    case id::Browse_Next_Response: Decode_Browse_Response(Body, id::Browse_Next_Response); break;
    case id::Read_Response: Decode_Read_Response(Body); break;
    case id::Close_Session_Response: Decode_Response_Header(Body, id::Close_Session_Response); break;
    default: Decode_Response_Header(Body, id::Service_Fault); break;
    }
}

std::string Status_Text(uint32_t Status)
{
    static const struct {
        uint32_t Code;
        const char* Name;
    } Names[] = {
        {0x800A0000u, "BadTimeout"},
        {0x800B0000u, "BadServiceUnsupported"},
        {0x80100000u, "BadTooManyOperations"},
        {0x80120000u, "BadCertificateInvalid"},
        {0x80130000u, "BadSecurityChecksFailed"},
        {0x80140000u, "BadCertificateTimeInvalid"},
        {0x80170000u, "BadCertificateUriInvalid"},
        {0x80180000u, "BadCertificateUseNotAllowed"},
        {0x801D0000u, "BadCertificateRevoked"},
        {0x801A0000u, "BadCertificateUntrusted"},
        {0x801F0000u, "BadUserAccessDenied"},
        {0x80200000u, "BadIdentityTokenInvalid"},
        {0x80210000u, "BadIdentityTokenRejected"},
        {0x80250000u, "BadSessionIdInvalid"},
        {0x80550000u, "BadSecurityPolicyRejected"},
    };
    for (const auto& n : Names)
        if ((Status & 0xFFFF0000u) == n.Code) return n.Name;
    char b[16];
    std::snprintf(b, sizeof b, "0x%08X", Status);
    return b;
}

}  // namespace ua
