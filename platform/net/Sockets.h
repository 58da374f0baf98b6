#pragma once
// IPv4 addresses as the user types them, the socket error class, and the UDP endpoint
// with its listener thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"

// A socket call failed: the text names what was attempted and the system's reason;
// ErrorCode is the errno value (0 when the failure was not the system's, e.g. a bad address).
class ESocketError : public Exception {
public:
    explicit ESocketError(const std::string& msg, int errorCode = 0) : Exception(msg), FErrorCode(errorCode) {}
    int ErrorCode() const { return FErrorCode; }
private:
    int FErrorCode;
};

// Dotted IPv4 text: exactly four decimal octets 0..255 separated by '.'. Blanks around an
// octet and leading zeros are accepted ("192.168.001.010" is 192.168.1.10, never octal);
// anything else (three octets, 256, letters, an empty octet, a trailing dot) is refused.
// The address comes back in host byte order (a.b.c.d = a << 24 | b << 16 | c << 8 | d).
bool TryParseIPv4(std::string_view text, uint32_t& address);
String IPv4ToStr(uint32_t address);

// Received datagram: its bytes, the sender's address (dotted) and port.
using TUdpReadEvent = std::function<void(std::string_view data, const String& peerAddress, uint16_t peerPort)>;

// One UDP socket. Every failure of the system raises ESocketError; using the socket in a
// state that forbids the call raises EInvalidOperation. Datagrams are always received
// whole (up to the 65507 bytes UDP can carry).
//
// The listener thread delivers each datagram to its handler on that thread, not on the
// interface thread: a handler that touches the interface hands the work over with
// Synchronize/Queue. An exception thrown by the handler drops that datagram only; the
// listener goes on receiving. The handler must not stop or close its own socket.
class TUdpSocket {
public:
    TUdpSocket();
    ~TUdpSocket();   // stops the listener and closes
    TUdpSocket(const TUdpSocket&) = delete;
    TUdpSocket& operator=(const TUdpSocket&) = delete;

    // Opens the socket bound to a local port (0: the system picks one) on the given local
    // address ("0.0.0.0": every interface). Whatever was open before is closed first, the
    // listener included. A port in use raises ESocketError with ErrorCode EADDRINUSE.
    void Bind(uint16_t port = 0, const String& localAddress = "0.0.0.0");
    void Close();
    bool Active() const { return FHandle >= 0; }
    uint16_t LocalPort() const;   // 0 when closed

    // Permission to send to broadcast addresses; kept across Bind.
    void SetBroadcast(bool enabled);
    bool Broadcast() const { return FBroadcast; }

    // Sends one datagram; the socket is bound to a port of the system's choice first
    // when it is not open. The host is dotted IPv4 text (TryParseIPv4).
    void SendTo(const String& host, uint16_t port, std::string_view data);

    // Waits up to timeoutMs for one datagram; false on time-out. Not while listening.
    bool ReceiveFrom(std::string& data, String& peerAddress, uint16_t& peerPort, uint32_t timeoutMs);

    // Starts the listener thread on the open socket; every datagram goes to onRead.
    void StartListening(TUdpReadEvent onRead);
    // Stops the listener and waits for it; datagrams that arrive later wait in the socket.
    void StopListening();
    bool Listening() const { return FListener != nullptr; }

private:
    class TListener;
    void ApplyBroadcast();
    int FHandle = -1;
    bool FBroadcast = false;
    std::unique_ptr<TListener> FListener;
};
