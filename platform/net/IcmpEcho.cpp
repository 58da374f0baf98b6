#include "platform/net/IcmpEcho.h"

#include <arpa/inet.h>
#include <linux/icmp.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <vector>

#include "platform/net/SocketUtil.h"
#include "platform/net/Sockets.h"
#include "platform/rtl/Threads.h"

using namespace netutil;

namespace {

constexpr uint8_t TypeEchoReply = 0;
constexpr uint8_t TypeEchoRequest = 8;
constexpr size_t IcmpHeaderSize = 8;
// IPv4 carries at most 65535 bytes: 20 of IPv4 header and 8 of ICMP header leave this.
constexpr size_t MaxEchoData = 65535 - 20 - IcmpHeaderSize;

uint16_t Get16(std::string_view b, size_t at) {
    return static_cast<uint16_t>((static_cast<uint8_t>(b[at]) << 8) | static_cast<uint8_t>(b[at + 1]));
}

uint32_t Get32(std::string_view b, size_t at) {
    return (static_cast<uint32_t>(Get16(b, at)) << 16) | Get16(b, at + 2);
}

// Closes the descriptor on every way out of Ping.
struct TFd {
    int fd = -1;
    ~TFd() {
        if (fd >= 0)
            close(fd);
    }
};

std::atomic<uint16_t> NextInstance{0};

} // namespace

uint16_t IcmpChecksum(std::string_view bytes) {
    uint32_t sum = 0;
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2)
        sum += Get16(bytes, i);
    if (i < bytes.size())
        sum += static_cast<uint32_t>(static_cast<uint8_t>(bytes[i])) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint16_t>(~sum & 0xFFFF);
}

std::string BuildEchoRequest(uint16_t id, uint16_t seq, std::string_view data) {
    std::string p(IcmpHeaderSize, '\0');
    p[0] = static_cast<char>(TypeEchoRequest);
    p[4] = static_cast<char>(id >> 8);
    p[5] = static_cast<char>(id & 0xFF);
    p[6] = static_cast<char>(seq >> 8);
    p[7] = static_cast<char>(seq & 0xFF);
    p.append(data);
    const uint16_t sum = IcmpChecksum(p);
    p[2] = static_cast<char>(sum >> 8);
    p[3] = static_cast<char>(sum & 0xFF);
    return p;
}

TEchoMatch MatchEchoReply(std::string_view packet, bool withIpHeader, uint32_t sender, const TEchoKey& key) {
    std::string_view icmp = packet;
    uint32_t source = sender;
    if (withIpHeader) {
        if (packet.size() < 20)
            return emNone;
        const uint8_t versionIhl = static_cast<uint8_t>(packet[0]);
        const size_t headerLen = static_cast<size_t>(versionIhl & 0x0F) * 4;
        const size_t totalLen = Get16(packet, 2);
        if ((versionIhl >> 4) != 4 || headerLen < 20 || headerLen > packet.size())
            return emNone;
        if (static_cast<uint8_t>(packet[9]) != IPPROTO_ICMP)
            return emNone;
        // A packet shorter than its header says was cut short somewhere: not trusted.
        if (totalLen < headerLen || totalLen > packet.size())
            return emNone;
        source = Get32(packet, 12);
        icmp = packet.substr(headerLen, totalLen - headerLen);
    }
    if (icmp.size() < IcmpHeaderSize)
        return emNone;
    if (static_cast<uint8_t>(icmp[0]) != TypeEchoReply || icmp[1] != 0)
        return emNone;
    if (source != key.Source || Get16(icmp, 4) != key.Id || Get16(icmp, 6) != key.Seq)
        return emNone;
    if (IcmpChecksum(icmp) != 0)
        return emNone;
    return icmp.substr(IcmpHeaderSize) == key.Data ? emReplyWithData : emReplyOtherData;
}

TPingReply AwaitEchoReply(int socketHandle, bool withIpHeader, const TEchoKey& key, uint32_t timeoutMs) {
    TPingReply reply;
    const uint64_t start = GetTickCount64();
    const uint64_t deadline = start + timeoutMs;
    std::vector<char> buffer(65536);
    for (;;) {
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n = recvfrom(socketHandle, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                   reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n >= 0) {
            const std::string_view packet(buffer.data(), static_cast<size_t>(n));
            const TEchoMatch match = MatchEchoReply(packet, withIpHeader, SockAddrAddress(from), key);
            if (match != emNone) {
                reply.Result = match == emReplyWithData ? prReplyWithData : prReplyWithoutData;
                const size_t ipLen = withIpHeader ? (static_cast<uint8_t>(packet[0]) & 0x0F) * 4u : 0u;
                reply.DataBytes = static_cast<int>(packet.size() - ipLen - IcmpHeaderSize);
                reply.TimeMs = static_cast<uint32_t>(GetTickCount64() - start);
                return reply;
            }
            // Not ours: read on, within the same deadline (checked below, so a stream of
            // other traffic cannot stretch the wait).
        }
        // Otherwise EAGAIN: nothing waiting. Other errors (a report queued on a datagram
        // socket) are consumed by the read and are no answer.
        const uint64_t now = GetTickCount64();
        if (now >= deadline)
            break;
        if (n >= 0)
            continue;
        pollfd pfd{socketHandle, POLLIN, 0};
        poll(&pfd, 1, PollWait(deadline - now));
    }
    reply.Result = prTimeout;
    reply.TimeMs = static_cast<uint32_t>(GetTickCount64() - start);
    return reply;
}

TIcmpEcho::TIcmpEcho(TIcmpSocketKind kind) : FKind(kind) {
    // Raw sockets see every echo reply on the host: the identifier keeps apart the
    // replies of other programs and of other instances in this one.
    FId = static_cast<uint16_t>((static_cast<unsigned>(getpid()) * 31u + NextInstance.fetch_add(1) * 0x9E37u) & 0xFFFF);
}

TPingReply TIcmpEcho::Ping(const String& host, std::string_view data, uint32_t timeoutMs) {
    TPingReply reply;
    uint32_t target = 0;
    if (!TryParseIPv4(host, target)) {
        reply.ErrorText = "Invalid IP address \"" + host + "\"";
        return reply;
    }
    if (data.size() > MaxEchoData) {
        reply.ErrorText = "Echo data of " + IntToStr(static_cast<long long>(data.size())) + " bytes is too long";
        return reply;
    }

    TFd sock;
    TIcmpSocketKind kind = iskAuto;
    int rawErr = 0;
    if (FKind != iskDatagram) {
        sock.fd = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (sock.fd >= 0)
            kind = iskRaw;
        else
            rawErr = errno;
    }
    if (sock.fd < 0 && FKind != iskRaw) {
        sock.fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (sock.fd >= 0) {
            kind = iskDatagram;
        } else {
            const int dgramErr = errno;
            reply.ErrorText = "Could not open an ICMP socket: " + SysErrorText(dgramErr);
            if (rawErr != 0)
                reply.ErrorText += " (raw socket: " + SysErrorText(rawErr) + ")";
            return reply;
        }
    }
    if (sock.fd < 0) {
        reply.ErrorText = "Could not open a raw ICMP socket: " + SysErrorText(rawErr);
        return reply;
    }
    FUsedKind = kind;

    uint16_t id = FId;
    if (kind == iskRaw) {
        // Let the kernel drop every ICMP type but echo replies before they reach us.
        icmp_filter filter{};
        filter.data = ~(1u << TypeEchoReply);
        setsockopt(sock.fd, SOL_RAW, ICMP_FILTER, &filter, sizeof filter);
    } else {
        // A datagram ICMP socket owns an identifier (its "port") that the kernel writes
        // into every request and uses to route replies; binding picks it now.
        sockaddr_in any = MakeSockAddr(INADDR_ANY, 0);
        sockaddr_in bound{};
        socklen_t len = sizeof bound;
        if (bind(sock.fd, reinterpret_cast<sockaddr*>(&any), sizeof any) < 0 ||
            getsockname(sock.fd, reinterpret_cast<sockaddr*>(&bound), &len) < 0) {
            reply.ErrorText = "Could not bind the ICMP socket: " + SysErrorText(errno);
            return reply;
        }
        id = ntohs(bound.sin_port);
    }

    const uint16_t seq = ++FSeq;
    const std::string request = BuildEchoRequest(id, seq, data);
    const sockaddr_in to = MakeSockAddr(target, 0);
    const uint64_t start = GetTickCount64();
    ssize_t sent;
    do {
        sent = sendto(sock.fd, request.data(), request.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    } while (sent < 0 && errno == EINTR);
    if (sent < 0) {
        reply.ErrorText = "Could not send the echo request to " + host + ": " + SysErrorText(errno);
        return reply;
    }

    reply = AwaitEchoReply(sock.fd, kind == iskRaw, TEchoKey{target, id, seq, data}, timeoutMs);
    reply.TimeMs = static_cast<uint32_t>(GetTickCount64() - start);
    return reply;
}
