#pragma once
// One OPC UA session over OPC UA TCP: the connection, its secure channel (policy None or
// Basic256Sha256, signed or signed and encrypted), the session and the three services a
// browse needs. Every wait is bounded by the time-outs and can be cancelled.
#include <atomic>
#include <chrono>
#include <string>
#include <vector>

#include "platform/opcua/UaCodec.h"
#include "platform/opcua/UaCrypto.h"

namespace ua {

// A failure told to the user: its text says what went wrong in the user's words.
class EUaClient : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using TClock = std::chrono::steady_clock;

struct TUaSettings {
    std::string Url;
    int Auth = 0;                // 0 anonymous, 1 user name and password, 2 certificate
    std::string User, Password;
    std::string Certificate, Private_Key;   // PEM, the client's own
    int Mode = 0;                // 0 None, 1 Sign, 2 Sign and Encrypt
    int Policy = 0;              // 0 None, 3 Basic256Sha256 (the others are not offered)
    int Connect_Ms = 5000;
    int Request_Ms = 10000;
    TClock::time_point Deadline = TClock::time_point::max();
    const std::atomic<bool>* Cancel = nullptr;
};

class TUaClient {
public:
    explicit TUaClient(const TUaSettings& Settings);
    ~TUaClient();
    TUaClient(const TUaClient&) = delete;
    TUaClient& operator=(const TUaClient&) = delete;

    // Connects, opens the secure channel and activates a session; raises EUaClient.
    void Open();
    std::vector<TBrowseResult> Browse(const std::vector<TNodeId>& Nodes, uint32_t Max_References);
    std::vector<TBrowseResult> Browse_Next(const std::vector<std::string>& Points, bool Release);
    // Attribute Attr of each node, in order.
    std::vector<TReadValue> Read(const std::vector<std::pair<TNodeId, uint32_t>>& Items);
    // Closes the session and the channel, as far as the server still listens.
    void Close();

private:
    struct TKeys {
        std::string Sign, Encrypt, Iv;
    };
    void Connect();
    void Disconnect();
    void Hello();
    void Open_Channel(bool Secure);
    std::vector<TEndpoint> Get_Endpoints();
    void Create_Session();
    void Activate_Session();
    Bytes Request(uint32_t Type_Id, const Bytes& Fields, uint32_t Response_Id);
    void Send_Symmetric(const char* Type, const Bytes& Body, uint32_t Request_Id);
    Bytes Receive_Symmetric(uint32_t Request_Id);
    void Send_All(const uint8_t* p, size_t n, TClock::time_point Until);
    void Receive_All(uint8_t* p, size_t n, TClock::time_point Until);
    // One whole message (header included) off the wire; an Error message raises EUaClient.
    Bytes Receive_Message(TClock::time_point Until);
    TClock::time_point Request_Until() const;
    // The channel in use is secured (the endpoints are asked over an unsecured one first).
    bool Secure() const { return FSecure_Channel; }
    bool Encrypting() const { return FSecure_Channel && FSettings.Mode == 2; }

    TUaSettings FSettings;
    int FSocket = -1;
    TTransportLimits FPeer;
    uint32_t FChannel = 0, FToken = 0, FSequence = 0, FRequest_Id = 0, FHandle = 0;
    TNodeId FAuth_Token;
    bool FSession = false;
    bool FSecure_Channel = false;
    // Security
    std::string FClient_Der, FServer_Der, FClient_Nonce, FServer_Nonce, FApplication_Uri;
    TKey FClient_Key, FServer_Key;
    TKeys FClient_Keys, FServer_Keys;
    std::vector<TEndpoint> FEndpoints;
};

}  // namespace ua
