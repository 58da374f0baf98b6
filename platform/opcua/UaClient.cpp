// One OPC UA session over OPC UA TCP.
#include "platform/opcua/UaClient.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ua {

namespace {

const char* const Uri_None = "http://opcfoundation.org/UA/SecurityPolicy#None";
const char* const Uri_Basic256Sha256 = "http://opcfoundation.org/UA/SecurityPolicy#Basic256Sha256";
const char* const Rsa_Sha256_Uri = "http://www.w3.org/2001/04/xmldsig-more#rsa-sha256";
const char* const Rsa_Oaep_Uri = "http://www.w3.org/2001/04/xmlenc#rsa-oaep";
const char* const Own_Application_Uri = "urn:configurator:opcua:browse";
// Waits are cut in slices so a cancel is seen soon.
constexpr int Slice_Ms = 50;
constexpr uint32_t Channel_Lifetime_Ms = 600000;

std::string Str(const Bytes& b) { return std::string(b.begin(), b.end()); }

// opc.tcp://host:port/path into host and port.
void Split_Url(const std::string& Url, std::string& Host, std::string& Port)
{
    const std::string Scheme = "opc.tcp://";
    if (Url.compare(0, Scheme.size(), Scheme) != 0) throw EUaClient("the address does not begin with opc.tcp://");
    std::string Rest = Url.substr(Scheme.size());
    Rest = Rest.substr(0, Rest.find('/'));
    if (!Rest.empty() && Rest[0] == '[') {
        const size_t End = Rest.find(']');
        if (End == std::string::npos) throw EUaClient("the address is not valid");
        Host = Rest.substr(1, End - 1);
        Port = Rest.size() > End + 2 && Rest[End + 1] == ':' ? Rest.substr(End + 2) : "4840";
    } else {
        const size_t Colon = Rest.rfind(':');
        Host = Rest.substr(0, Colon);
        Port = Colon == std::string::npos ? "4840" : Rest.substr(Colon + 1);
    }
    if (Host.empty() || Port.empty()) throw EUaClient("the address is not valid");
}

}  // namespace

TUaClient::TUaClient(const TUaSettings& Settings) : FSettings(Settings) {}

TUaClient::~TUaClient() { Disconnect(); }

TClock::time_point TUaClient::Request_Until() const
{
    return std::min(FSettings.Deadline, TClock::now() + std::chrono::milliseconds(FSettings.Request_Ms));
}

// ---------------------------------------------------------------------------------
// The connection
// ---------------------------------------------------------------------------------
void TUaClient::Connect()
{
    std::string Host, Port;
    Split_Url(FSettings.Url, Host, Port);
    addrinfo Hints {};
    Hints.ai_family = AF_UNSPEC;
    Hints.ai_socktype = SOCK_STREAM;
    addrinfo* List = nullptr;
    if (getaddrinfo(Host.c_str(), Port.c_str(), &Hints, &List) != 0 || !List)
        throw EUaClient("the server's host name cannot be resolved");
    const auto Until = std::min(FSettings.Deadline, TClock::now() + std::chrono::milliseconds(FSettings.Connect_Ms));
    std::string Why = "the server cannot be reached";
    for (addrinfo* a = List; a && FSocket < 0; a = a->ai_next) {
        const int s = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
        if (s < 0) continue;
        if (connect(s, a->ai_addr, a->ai_addrlen) == 0 || errno == EINPROGRESS) {
            bool Done = false;
            while (!Done) {
                if (FSettings.Cancel && *FSettings.Cancel) {
                    close(s);
                    freeaddrinfo(List);
                    throw EUaClient("the browse was cancelled");
                }
                const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Until - TClock::now()).count();
                if (Left <= 0) {
                    Why = "the server did not accept the connection in time";
                    break;
                }
                pollfd p {s, POLLOUT, 0};
                if (poll(&p, 1, int(std::min<long long>(Left, Slice_Ms))) > 0) {
                    int Err = 0;
                    socklen_t Len = sizeof Err;
                    getsockopt(s, SOL_SOCKET, SO_ERROR, &Err, &Len);
                    if (Err == 0) {
                        FSocket = s;
                    } else {
                        Why = std::string("the server cannot be reached: ") + std::strerror(Err);
                    }
                    Done = true;
                }
            }
        }
        if (FSocket < 0) close(s);
    }
    freeaddrinfo(List);
    if (FSocket < 0) throw EUaClient(Why);
    const int One = 1;
    setsockopt(FSocket, IPPROTO_TCP, TCP_NODELAY, &One, sizeof One);
}

void TUaClient::Disconnect()
{
    if (FSocket >= 0) close(FSocket);
    FSocket = -1;
}

void TUaClient::Send_All(const uint8_t* p, size_t n, TClock::time_point Until)
{
    while (n > 0) {
        if (FSettings.Cancel && *FSettings.Cancel) throw EUaClient("the browse was cancelled");
        const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Until - TClock::now()).count();
        if (Left <= 0) throw EUaClient("the server did not answer in time");
        pollfd f {FSocket, POLLOUT, 0};
        if (poll(&f, 1, int(std::min<long long>(Left, Slice_Ms))) <= 0) continue;
        const ssize_t k = send(FSocket, p, n, MSG_NOSIGNAL);
        if (k < 0) {
            if (errno == EAGAIN || errno == EINTR) continue;
            throw EUaClient("the server closed the connection");
        }
        p += k;
        n -= size_t(k);
    }
}

void TUaClient::Receive_All(uint8_t* p, size_t n, TClock::time_point Until)
{
    while (n > 0) {
        if (FSettings.Cancel && *FSettings.Cancel) throw EUaClient("the browse was cancelled");
        const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Until - TClock::now()).count();
        if (Left <= 0) throw EUaClient("the server did not answer in time");
        pollfd f {FSocket, POLLIN, 0};
        if (poll(&f, 1, int(std::min<long long>(Left, Slice_Ms))) <= 0) continue;
        const ssize_t k = recv(FSocket, p, n, 0);
        if (k == 0) throw EUaClient("the server closed the connection");
        if (k < 0) {
            if (errno == EAGAIN || errno == EINTR) continue;
            throw EUaClient("the server closed the connection");
        }
        p += k;
        n -= size_t(k);
    }
}

Bytes TUaClient::Receive_Message(TClock::time_point Until)
{
    Bytes m(8);
    Receive_All(m.data(), 8, Until);
    TReader r(m);
    TMessageHeader h;
    try {
        h = Decode_Message_Header(r);
    } catch (const EUaDecode&) {
        throw EUaClient("the server's answer is not OPC UA");
    }
    static const char* const Known[] = {"ACK", "ERR", "OPN", "MSG", "CLO"};
    if (std::none_of(std::begin(Known), std::end(Known), [&](const char* k) { return h.Type == k; }))
        throw EUaClient("the server's answer is not OPC UA");
    // Our receive buffer bounds a chunk.
    if (h.Size > TTransportLimits().Receive_Buffer) throw EUaClient("the server's answer is larger than agreed");
    m.resize(h.Size);
    Receive_All(m.data() + 8, h.Size - 8, Until);
    if (h.Type == "ERR") {
        std::string Reason;
        uint32_t Status = 0;
        try {
            TReader b(m.data() + 8, m.size() - 8);
            Status = Decode_Error(b, Reason);
        } catch (const EUaDecode&) {
            throw EUaClient("the server's answer is not OPC UA");
        }
        throw EUaClient("the server refused: " + Status_Text(Status) + (Reason.empty() ? "" : " (" + Reason + ")"));
    }
    return m;
}

void TUaClient::Hello()
{
    const Bytes h = Encode_Hello(FSettings.Url, TTransportLimits());
    const auto Until = Request_Until();
    Send_All(h.data(), h.size(), Until);
    const Bytes a = Receive_Message(Until);
    if (a[0] != 'A' || a[1] != 'C' || a[2] != 'K') throw EUaClient("the server's answer is not OPC UA");
    try {
        TReader r(a.data() + 8, a.size() - 8);
        FPeer = Decode_Acknowledge(r);
    } catch (const EUaDecode&) {
        throw EUaClient("the server's answer is not OPC UA");
    }
}

// ---------------------------------------------------------------------------------
// The secure channel
// ---------------------------------------------------------------------------------
void TUaClient::Open_Channel(bool Secure_Channel)
{
    TWriter Fields;
    Fields.U32(0);   // protocol version
    Fields.U32(0);   // issue
    Fields.U32(Secure_Channel ? uint32_t(FSettings.Mode + 1) : 1u);
    FClient_Nonce = Secure_Channel ? Random_Bytes(32) : std::string();
    Fields.Byte_String(FClient_Nonce);
    Fields.U32(Channel_Lifetime_Ms);
    TWriter Body;
    const uint32_t Request_Id = ++FRequest_Id;
    Body.U32(++FSequence);
    Body.U32(Request_Id);
    Encode_Request_Header(Body, id::Open_Secure_Channel_Request, {}, ++FHandle, uint32_t(FSettings.Request_Ms));
    Body.Raw(Fields.Data.data(), Fields.Data.size());

    TWriter Head;
    Head.Raw("OPNF", 4);
    Head.U32(0);
    Head.U32(0);   // no channel yet
    Head.String(Secure_Channel ? Uri_Basic256Sha256 : Uri_None);
    Head.Byte_String(Secure_Channel ? FClient_Der : std::string());
    Head.Byte_String(Secure_Channel ? Sha1(FServer_Der) : std::string());
    Bytes Message;
    if (!Secure_Channel) {
        Message = Head.Data;
        Message.insert(Message.end(), Body.Data.begin(), Body.Data.end());
        TWriter Size;
        Size.U32(uint32_t(Message.size()));
        std::copy(Size.Data.begin(), Size.Data.end(), Message.begin() + 4);
    } else {
        // Signed with our key and encrypted with the server's, whatever the mode.
        const size_t Cipher_Block = Key_Bytes(FServer_Key.get());
        const size_t Plain_Block = Cipher_Block - 42;
        const size_t Sig = Key_Bytes(FClient_Key.get());
        const bool Extra = Cipher_Block > 256;
        const size_t Used = Body.Data.size() + 1 + (Extra ? 1 : 0) + Sig;
        const size_t Pad = (Plain_Block - Used % Plain_Block) % Plain_Block;
        const size_t Blocks = (Used + Pad) / Plain_Block;
        Head.Patch_U32(4, uint32_t(Head.Data.size() + Blocks * Cipher_Block));
        TWriter Plain = Head;
        Plain.Raw(Body.Data.data(), Body.Data.size());
        Plain.U8(uint8_t(Pad));
        for (size_t i = 0; i < Pad; ++i) Plain.U8(uint8_t(Pad));
        if (Extra) Plain.U8(uint8_t(Pad >> 8));
        const std::string Signature = Rsa_Sign_Sha256(FClient_Key.get(), Str(Plain.Data));
        std::string To_Encrypt(Plain.Data.begin() + long(Head.Data.size()), Plain.Data.end());
        To_Encrypt += Signature;
        Message = Head.Data;
        const std::string Cipher = Rsa_Oaep_Encrypt(FServer_Key.get(), To_Encrypt);
        Message.insert(Message.end(), Cipher.begin(), Cipher.end());
    }
    const auto Until = Request_Until();
    Send_All(Message.data(), Message.size(), Until);

    const Bytes m = Receive_Message(Until);
    if (m[0] != 'O' || m[1] != 'P' || m[2] != 'N' || m[3] != 'F') throw EUaClient("the server's answer is not OPC UA");
    try {
        TReader r(m.data() + 8, m.size() - 8);
        FChannel = r.U32();
        const std::string Policy = r.String();
        const std::string Sender = r.Byte_String();
        r.Byte_String();
        const size_t Head_Size = m.size() - r.Left();
        std::string Plain(reinterpret_cast<const char*>(r.Pos()), r.Left());
        if (Secure_Channel) {
            if (Policy != Uri_Basic256Sha256 || Sender != FServer_Der)
                throw EUaClient("the server answered with another certificate or policy");
            Plain = Rsa_Oaep_Decrypt(FClient_Key.get(), Plain);
            const size_t Sig = Key_Bytes(FServer_Key.get());
            if (Plain.size() < Sig + 1) throw EUaDecode("short");
            std::string Signed(reinterpret_cast<const char*>(m.data()), Head_Size);
            Signed.append(Plain, 0, Plain.size() - Sig);
            if (!Rsa_Verify_Sha256(FServer_Key.get(), Signed, Plain.substr(Plain.size() - Sig)))
                throw EUaClient("the server's answer carries a wrong signature");
            Plain.resize(Plain.size() - Sig);
            const bool Extra = Key_Bytes(FClient_Key.get()) > 256;
            size_t Pad = uint8_t(Plain.back());
            if (Extra) {
                if (Plain.size() < 2) throw EUaDecode("short");
                Pad = (Pad << 8) | uint8_t(Plain[Plain.size() - 2]);
            }
            const size_t Strip = Pad + 1 + (Extra ? 1 : 0);
            if (Plain.size() < Strip + 8) throw EUaDecode("short");
            Plain.resize(Plain.size() - Strip);
        }
        TReader b(reinterpret_cast<const uint8_t*>(Plain.data()), Plain.size());
        b.U32();
        if (b.U32() != Request_Id) throw EUaDecode("wrong request");
        const TOpenResponse o = Decode_Open_Response(b);
        FChannel = o.Channel_Id;
        FToken = o.Token_Id;
        FServer_Nonce = o.Server_Nonce;
    } catch (const EUaDecode&) {
        throw EUaClient("the server's answer is not OPC UA");
    } catch (const ECrypto&) {
        throw EUaClient("the server's answer cannot be decrypted");
    } catch (const EUaService& e) {
        throw EUaClient("the server refused the secure channel: " + Status_Text(e.Status));
    }
    FSecure_Channel = Secure_Channel;
    if (Secure_Channel) {
        if (FServer_Nonce.size() != 32) throw EUaClient("the server's answer is not OPC UA");
        const std::string c = P_Sha256(FServer_Nonce, FClient_Nonce, 80);
        FClient_Keys = {c.substr(0, 32), c.substr(32, 32), c.substr(64, 16)};
        const std::string s = P_Sha256(FClient_Nonce, FServer_Nonce, 80);
        FServer_Keys = {s.substr(0, 32), s.substr(32, 32), s.substr(64, 16)};
    }
}

void TUaClient::Send_Symmetric(const char* Type, const Bytes& Body, uint32_t Request_Id)
{
    // The most body one chunk carries within the server's receive buffer.
    const size_t Buffer = FPeer.Receive_Buffer;
    size_t Room = Buffer - 24;
    if (Secure()) Room -= 32;
    if (Encrypting()) Room = (Buffer - 16) / 16 * 16 - 8 - 32 - 1;
    const auto Until = Request_Until();
    size_t At = 0;
    do {
        const size_t n = std::min(Room, Body.size() - At);
        const bool Last = At + n == Body.size();
        TWriter w;
        w.Raw(Type, 3);
        w.U8(uint8_t(Last ? 'F' : 'C'));
        w.U32(0);
        w.U32(FChannel);
        w.U32(FToken);
        w.U32(++FSequence);
        w.U32(Request_Id);
        w.Raw(Body.data() + At, n);
        size_t Pad = 0;
        if (Encrypting()) Pad = (16 - (8 + n + 1 + 32) % 16) % 16;
        w.Patch_U32(4, uint32_t(w.Data.size() + (Encrypting() ? Pad + 1 : 0) + (Secure() ? 32 : 0)));
        if (Encrypting())
            for (size_t i = 0; i <= Pad; ++i) w.U8(uint8_t(Pad));
        if (Secure()) {
            const std::string Sig = Hmac_Sha256(FClient_Keys.Sign, Str(w.Data));
            w.Raw(Sig.data(), Sig.size());
        }
        if (Encrypting()) {
            const std::string Cipher = Aes256_Cbc(true, FClient_Keys.Encrypt, FClient_Keys.Iv,
                                                  std::string(w.Data.begin() + 16, w.Data.end()));
            std::copy(Cipher.begin(), Cipher.end(), w.Data.begin() + 16);
        }
        Send_All(w.Data.data(), w.Data.size(), Until);
        At += n;
    } while (At < Body.size());
}

Bytes TUaClient::Receive_Symmetric(uint32_t Request_Id)
{
    const auto Until = Request_Until();
    Bytes Body;
    for (;;) {
        Bytes m = Receive_Message(Until);
        const std::string Type(m.begin(), m.begin() + 3);
        if (Type != "MSG") throw EUaClient("the server's answer is not OPC UA");
        std::string Plain;
        try {
            TReader r(m.data() + 8, m.size() - 8);
            if (r.U32() != FChannel || r.U32() != FToken) throw EUaDecode("another channel");
            Plain.assign(reinterpret_cast<const char*>(r.Pos()), r.Left());
            if (Encrypting()) Plain = Aes256_Cbc(false, FServer_Keys.Encrypt, FServer_Keys.Iv, Plain);
            if (Secure()) {
                if (Plain.size() < 32 + 8) throw EUaDecode("short");
                std::string Signed(reinterpret_cast<const char*>(m.data()), 16);
                Signed.append(Plain, 0, Plain.size() - 32);
                if (Hmac_Sha256(FServer_Keys.Sign, Signed) != Plain.substr(Plain.size() - 32))
                    throw EUaClient("the server's answer carries a wrong signature");
                Plain.erase(Plain.end() - 32, Plain.end());
            }
            if (Encrypting()) {
                const size_t Pad = uint8_t(Plain.back()) + 1u;
                if (Plain.size() < Pad + 8) throw EUaDecode("short");
                Plain.erase(Plain.end() - long(Pad), Plain.end());
            }
            TReader s(reinterpret_cast<const uint8_t*>(Plain.data()), Plain.size());
            s.U32();
            if (s.U32() != Request_Id) throw EUaDecode("another request");
            Body.insert(Body.end(), s.Pos(), s.Pos() + s.Left());
        } catch (const EUaDecode&) {
            throw EUaClient("the server's answer is not OPC UA");
        } catch (const ECrypto&) {
            throw EUaClient("the server's answer cannot be decrypted");
        }
        if (Body.size() > TTransportLimits().Max_Message) throw EUaClient("the server's answer is larger than agreed");
        if (m[3] == 'F') return Body;
        if (m[3] == 'A') throw EUaClient("the server gave up its answer");
    }
}

Bytes TUaClient::Request(uint32_t Type_Id, const Bytes& Fields, uint32_t Response_Id)
{
    TWriter w;
    Encode_Request_Header(w, Type_Id, FAuth_Token, ++FHandle, uint32_t(FSettings.Request_Ms));
    w.Raw(Fields.data(), Fields.size());
    const uint32_t Request_Id = ++FRequest_Id;
    Send_Symmetric("MSG", w.Data, Request_Id);
    (void)Response_Id;
    return Receive_Symmetric(Request_Id);
}

// ---------------------------------------------------------------------------------
// The session
// ---------------------------------------------------------------------------------
std::vector<TEndpoint> TUaClient::Get_Endpoints()
{
    TWriter w;
    w.String(FSettings.Url);
    w.I32(0);   // locales
    w.I32(0);   // profiles
    const Bytes b = Request(id::Get_Endpoints_Request, w.Data, id::Get_Endpoints_Response);
    try {
        TReader r(b);
        return Decode_Get_Endpoints_Response(r);
    } catch (const EUaDecode&) {
        throw EUaClient("the server's answer is not OPC UA");
    } catch (const EUaService& e) {
        throw EUaClient("the server refused to list its endpoints: " + Status_Text(e.Status));
    }
}

void TUaClient::Create_Session()
{
    TWriter w;
    w.String(FApplication_Uri);
    w.String("urn:configurator");
    w.U8(2);
    w.String("Configurator OPC UA browse");
    w.U32(1);   // client
    w.Null_String();
    w.Null_String();
    w.I32(-1);
    w.Null_String();   // server URI
    w.String(FSettings.Url);
    w.String("browse");
    FClient_Nonce = Random_Bytes(32);
    w.Byte_String(FClient_Nonce);
    w.Byte_String(FClient_Der);
    w.F64(60000.0);
    w.U32(0);
    const Bytes b = Request(id::Create_Session_Request, w.Data, id::Create_Session_Response);
    TSessionResponse s;
    try {
        TReader r(b);
        s = Decode_Create_Session_Response(r);
    } catch (const EUaDecode&) {
        throw EUaClient("the server's answer is not OPC UA");
    } catch (const EUaService& e) {
        throw EUaClient("the server refused the session: " + Status_Text(e.Status));
    }
    if (Secure()) {
        if (s.Server_Certificate != FServer_Der ||
            !Rsa_Verify_Sha256(FServer_Key.get(), FClient_Der + FClient_Nonce, s.Signature))
            throw EUaClient("the server did not prove its certificate");
    } else if (!s.Server_Certificate.empty()) {
        FServer_Der = s.Server_Certificate;
    }
    FAuth_Token = s.Auth_Token;
    FServer_Nonce = s.Server_Nonce;
    FEndpoints = s.Endpoints;
    FSession = true;
}

void TUaClient::Activate_Session()
{
    const char* Channel_Policy = Secure() ? Uri_Basic256Sha256 : Uri_None;
    const uint32_t Mode = uint32_t(FSettings.Mode + 1);
    const uint32_t Token_Type = FSettings.Auth == 1 ? 1 : 0;
    const TUserTokenPolicy* Token = nullptr;
    for (const TEndpoint& e : FEndpoints)
        if (e.Security_Policy_Uri == Channel_Policy && e.Security_Mode == Mode)
            for (const TUserTokenPolicy& t : e.Tokens)
                if (!Token && t.Token_Type == Token_Type) Token = &t;
    if (!Token)
        throw EUaClient(Token_Type == 1 ? "the server takes no user name and password on this endpoint"
                                        : "the server takes no anonymous sign-in on this endpoint");
    TWriter w;
    if (Secure()) {
        w.String(Rsa_Sha256_Uri);
        w.Byte_String(Rsa_Sign_Sha256(FClient_Key.get(), FServer_Der + FServer_Nonce));
    } else {
        w.Null_String();
        w.Null_String();
    }
    w.I32(0);   // software certificates
    w.I32(0);   // locales
    if (Token_Type == 0) {
        const size_t Mark = w.Begin_Extension(id::Anonymous_Identity_Token);
        w.String(Token->Policy_Id);
        w.End_Extension(Mark);
    } else {
        const std::string Policy = Token->Security_Policy_Uri.empty() ? Channel_Policy : Token->Security_Policy_Uri;
        std::string Secret = FSettings.Password, Algorithm;
        if (Policy == Uri_Basic256Sha256) {
            // The password travels encrypted for the server's key, with its nonce.
            if (FServer_Der.empty()) throw EUaClient("the server sent no certificate to encrypt the password for");
            TKey Key = Public_Key(FServer_Der);
            TWriter p;
            p.U32(uint32_t(Secret.size() + FServer_Nonce.size()));
            p.Raw(Secret.data(), Secret.size());
            p.Raw(FServer_Nonce.data(), FServer_Nonce.size());
            Secret = Rsa_Oaep_Encrypt(Key.get(), Str(p.Data));
            Algorithm = Rsa_Oaep_Uri;
        } else if (Policy != Uri_None) {
            throw EUaClient("the server wants the password encrypted with a policy not supported: " + Policy);
        }
        const size_t Mark = w.Begin_Extension(id::User_Name_Identity_Token);
        w.String(Token->Policy_Id);
        w.String(FSettings.User);
        w.Byte_String(Secret);
        w.String(Algorithm);
        w.End_Extension(Mark);
    }
    w.Null_String();
    w.Null_String();
    const Bytes b = Request(id::Activate_Session_Request, w.Data, id::Activate_Session_Response);
    try {
        TReader r(b);
        FServer_Nonce = Decode_Activate_Session_Response(r);
    } catch (const EUaDecode&) {
        throw EUaClient("the server's answer is not OPC UA");
    } catch (const EUaService& e) {
        throw EUaClient("the server refused the sign-in: " + Status_Text(e.Status));
    }
}

void TUaClient::Open()
{
    try {
        if (FSettings.Policy != 0) {
            FClient_Der = Certificate_Der(FSettings.Certificate);
            FClient_Key = Private_Key(FSettings.Private_Key);
            if (!Key_Matches(FClient_Key.get(), FClient_Der))
                throw EUaClient("the private key does not belong to the certificate");
            FApplication_Uri = Certificate_Uri(FClient_Der);
            // The server's certificate comes from its endpoints, asked over an unsecured channel.
            Connect();
            Hello();
            Open_Channel(false);
            const std::vector<TEndpoint> Endpoints = Get_Endpoints();
            Close();
            for (const TEndpoint& e : Endpoints)
                if (e.Security_Policy_Uri == Uri_Basic256Sha256 && e.Security_Mode == uint32_t(FSettings.Mode + 1))
                    FServer_Der = e.Server_Certificate;
            if (FServer_Der.empty())
                throw EUaClient("the server offers no Basic256Sha256 endpoint in this security mode");
            FServer_Key = Public_Key(FServer_Der);
            FChannel = FToken = FSequence = 0;
            FSecure_Channel = false;
        }
        if (FApplication_Uri.empty()) FApplication_Uri = Own_Application_Uri;
        Connect();
        Hello();
        Open_Channel(FSettings.Policy != 0);
        Create_Session();
        Activate_Session();
    } catch (const ECrypto& e) {
        throw EUaClient(e.what());
    }
}

std::vector<TBrowseResult> TUaClient::Browse(const std::vector<TNodeId>& Nodes, uint32_t Max_References)
{
    TWriter w;
    w.Node_Id({});   // no view
    w.I64(0);
    w.U32(0);
    w.U32(Max_References);
    w.I32(int32_t(Nodes.size()));
    for (const TNodeId& n : Nodes) {
        w.Node_Id(n);
        w.U32(0);                  // forward
        w.Node_Id(Numeric_Id(33)); // hierarchical references
        w.Boolean(true);
        w.U32(1 | 2);              // objects and variables
        w.U32(0x3F);
    }
    const Bytes b = Request(id::Browse_Request, w.Data, id::Browse_Response);
    try {
        TReader r(b);
        auto Results = Decode_Browse_Response(r, id::Browse_Response);
        if (Results.size() != Nodes.size()) throw EUaDecode("count");
        return Results;
    } catch (const EUaDecode&) {
        throw EUaClient("the server's answer is not OPC UA");
    } catch (const EUaService& e) {
        throw EUaClient("the server refused the browse: " + Status_Text(e.Status));
    }
}

std::vector<TBrowseResult> TUaClient::Browse_Next(const std::vector<std::string>& Points, bool Release)
{
    TWriter w;
    w.Boolean(Release);
    w.I32(int32_t(Points.size()));
    for (const std::string& p : Points) w.Byte_String(p);
    const Bytes b = Request(id::Browse_Next_Request, w.Data, id::Browse_Next_Response);
    try {
        TReader r(b);
        auto Results = Decode_Browse_Response(r, id::Browse_Next_Response);
        if (!Release && Results.size() != Points.size()) throw EUaDecode("count");
        return Results;
    } catch (const EUaDecode&) {
        throw EUaClient("the server's answer is not OPC UA");
    } catch (const EUaService& e) {
        throw EUaClient("the server refused the browse: " + Status_Text(e.Status));
    }
}

std::vector<TReadValue> TUaClient::Read(const std::vector<std::pair<TNodeId, uint32_t>>& Items)
{
    TWriter w;
    w.F64(0);
    w.U32(3);   // no time stamps
    w.I32(int32_t(Items.size()));
    for (const auto& [Node, Attr] : Items) {
        w.Node_Id(Node);
        w.U32(Attr);
        w.Null_String();
        w.U16(0);
        w.Null_String();
    }
    const Bytes b = Request(id::Read_Request, w.Data, id::Read_Response);
    try {
        TReader r(b);
        auto Values = Decode_Read_Response(r);
        if (Values.size() != Items.size()) throw EUaDecode("count");
        return Values;
    } catch (const EUaDecode&) {
        throw EUaClient("the server's answer is not OPC UA");
    } catch (const EUaService& e) {
        throw EUaClient("the server refused the read: " + Status_Text(e.Status));
    }
}

void TUaClient::Close()
{
    if (FSocket < 0) return;
    // Best effort: a server that no longer answers is left as it is.
    try {
        if (FSession) {
            FSession = false;
            TWriter w;
            w.Boolean(true);
            Request(id::Close_Session_Request, w.Data, id::Close_Session_Response);
        }
        TWriter w;
        Encode_Request_Header(w, id::Close_Secure_Channel_Request, {}, ++FHandle, uint32_t(FSettings.Request_Ms));
        Send_Symmetric("CLO", w.Data, ++FRequest_Id);
    } catch (const std::exception&) {
    }
    Disconnect();
}

}  // namespace ua
