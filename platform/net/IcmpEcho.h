#pragma once
// ICMP echo ("ping") of one IPv4 host, one echo at a time.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/SysUtils.h"

// Internet checksum (ones' complement sum of 16-bit big-endian words, odd byte padded
// with zero). Over a packet that carries its checksum the result is 0.
uint16_t IcmpChecksum(std::string_view bytes);

// Echo request: type 8, code 0, checksum, identifier and sequence (big-endian), data.
std::string BuildEchoRequest(uint16_t id, uint16_t seq, std::string_view data);

// What one received packet says about the echo we sent.
enum TEchoMatch {
    emNone,              // not the answer: another type (an error report from a router, our
                         // own request looped back), another host, identifier or sequence,
                         // a bad checksum, a truncated or malformed packet
    emReplyWithData,     // echo reply from that host to that echo, with exactly our data
    emReplyOtherData,    // echo reply from that host to that echo, but its data is missing,
                         // shorter or different
};

struct TEchoKey {
    uint32_t Source = 0;   // the pinged host, host byte order
    uint16_t Id = 0;
    uint16_t Seq = 0;
    std::string_view Data;
};

// A raw ICMP socket delivers each packet with its IPv4 header in front (withIpHeader true:
// the source is the header's); a datagram ICMP socket delivers the ICMP message alone, and
// sender is the address recvfrom reported. Pure: no socket involved.
TEchoMatch MatchEchoReply(std::string_view packet, bool withIpHeader, uint32_t sender, const TEchoKey& key);
inline bool IsEchoReplyFor(std::string_view packet, bool withIpHeader, uint32_t sender, const TEchoKey& key) {
    return MatchEchoReply(packet, withIpHeader, sender, key) == emReplyWithData;
}

enum TPingResult {
    prReplyWithData,      // the host answered with our data
    prReplyWithoutData,   // the host answered this echo, without our data (or with other data)
    prTimeout,            // no answer within the time-out
    prError,              // bad address text, no ICMP socket, the echo could not be sent
};

struct TPingReply {
    TPingResult Result = prError;
    int DataBytes = 0;      // data bytes in the reply (0 unless a reply came)
    uint32_t TimeMs = 0;    // from sending to the reply (or to giving up)
    String ErrorText;       // why, for prError
};

// Reads packets from socketHandle (any socket that delivers one packet per read) until
// the reply to key arrives or timeoutMs have passed since the call, however much other
// traffic arrives meanwhile. The building block of TIcmpEcho::Ping; TimeMs counts from
// the call.
TPingReply AwaitEchoReply(int socketHandle, bool withIpHeader, const TEchoKey& key, uint32_t timeoutMs);

// Which kind of ICMP socket to use. Auto: a raw socket when the process may open one
// (root or CAP_NET_RAW), else the unprivileged datagram socket that Linux offers to the
// groups in net.ipv4.ping_group_range.
enum TIcmpSocketKind { iskAuto, iskRaw, iskDatagram };

class TIcmpEcho {
public:
    explicit TIcmpEcho(TIcmpSocketKind kind = iskAuto);

    // Sends one echo request carrying data to host (dotted IPv4 text, TryParseIPv4) and
    // waits at most timeoutMs for its reply; packets that are not the reply (other hosts'
    // traffic, error reports) do not extend the wait. Each call uses the next sequence
    // number. Never throws for a bad address or a missing permission: that is prError.
    TPingReply Ping(const String& host, std::string_view data, uint32_t timeoutMs);

    TIcmpSocketKind Kind() const { return FKind; }
    // The kind the last Ping used (iskAuto before the first socket was opened).
    TIcmpSocketKind UsedKind() const { return FUsedKind; }

private:
    TIcmpSocketKind FKind;
    TIcmpSocketKind FUsedKind = iskAuto;
    uint16_t FId;
    uint16_t FSeq = 0;
};
