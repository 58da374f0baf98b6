// ICMP echo: the reply rule on crafted packets (no traffic), the wait on a local socket,
// and a real echo of 127.0.0.1.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "platform/net/IcmpEcho.h"
#include "platform/net/Sockets.h"
#include "platform/rtl/Threads.h"

namespace {

constexpr uint32_t Loopback = 0x7F000001;    // 127.0.0.1
constexpr uint32_t Device = 0xC0A802CD;      // 192.168.2.205: only ever written into crafted bytes
constexpr uint32_t Router = 0xC0A80201;      // 192.168.2.1: likewise
constexpr uint16_t Id = 0x1234;
constexpr uint16_t Seq = 7;

std::string EchoData() {
    std::string d = "192.168.2.205";
    d.resize(1024, '\0');
    return d;
}

std::string Ipv4Header(uint32_t source, uint32_t dest, size_t payload, uint8_t protocol = IPPROTO_ICMP,
                       size_t optionWords = 0) {
    const size_t headerLen = 20 + optionWords * 4;
    std::string h(headerLen, '\0');
    h[0] = static_cast<char>(0x40 | (headerLen / 4));
    const size_t total = headerLen + payload;
    h[2] = static_cast<char>(total >> 8);
    h[3] = static_cast<char>(total & 0xFF);
    h[8] = 64;
    h[9] = static_cast<char>(protocol);
    for (int i = 0; i < 4; ++i) {
        h[12 + i] = static_cast<char>(source >> (24 - 8 * i));
        h[16 + i] = static_cast<char>(dest >> (24 - 8 * i));
    }
    return h;
}

// An echo request turned into a reply: type 0, checksum recomputed.
std::string EchoReply(uint16_t id, uint16_t seq, std::string_view data) {
    std::string p = BuildEchoRequest(id, seq, data);
    p[0] = 0;
    p[2] = p[3] = 0;
    const uint16_t sum = IcmpChecksum(p);
    p[2] = static_cast<char>(sum >> 8);
    p[3] = static_cast<char>(sum & 0xFF);
    return p;
}

// An ICMP error message (type/code) as a router sends it: the offending datagram's IPv4
// header and its first 8 bytes (our echo request's header, identifier and sequence).
std::string IcmpError(uint8_t type, uint8_t code, uint32_t us, uint32_t target) {
    const std::string request = BuildEchoRequest(Id, Seq, EchoData());
    std::string p(8, '\0');
    p[0] = static_cast<char>(type);
    p[1] = static_cast<char>(code);
    p += Ipv4Header(us, target, request.size());
    p += request.substr(0, 8);
    const uint16_t sum = IcmpChecksum(p);
    p[2] = static_cast<char>(sum >> 8);
    p[3] = static_cast<char>(sum & 0xFF);
    return p;
}

std::string WithIp(uint32_t source, const std::string& icmp) { return Ipv4Header(source, 0x0A000001, icmp.size()) + icmp; }

} // namespace

TEST(IcmpChecksum, MatchesTheInternetChecksum) {
    // Worked example of the Internet checksum: words 0001 f203 f4f5 f6f7 sum to ddf2.
    EXPECT_EQ(IcmpChecksum(std::string("\x00\x01\xf2\x03\xf4\xf5\xf6\xf7", 8)), 0x220D);
    // An odd byte counts as the high half of a last word.
    EXPECT_EQ(IcmpChecksum(std::string("\x00\x01\xf2", 3)), static_cast<uint16_t>(~0xF201 & 0xFFFF));
    // A built request (odd data length too) checks to 0 over itself.
    EXPECT_EQ(IcmpChecksum(BuildEchoRequest(0xFFFF, 0xFFFE, EchoData())), 0);
    EXPECT_EQ(IcmpChecksum(BuildEchoRequest(1, 2, "abc")), 0);
}

TEST(IcmpEchoReply, TellsTheReplyToOurEchoFromEveryOtherPacket) {
    const std::string data = EchoData();
    const TEchoKey key{Device, Id, Seq, data};
    const std::string good = EchoReply(Id, Seq, data);

    std::string badSum = good;
    badSum[100] ^= 0x01;
    std::string cutTotal = WithIp(Device, good);
    cutTotal.resize(cutTotal.size() - 10);   // the IPv4 header still claims the full length
    std::string notV4 = WithIp(Device, good);
    notV4[0] = 0x65;
    std::string optionsHeader = Ipv4Header(Device, 0x0A000001, good.size(), IPPROTO_ICMP, 2) + good;
    std::string ihlTooBig = WithIp(Device, good).substr(0, 40);
    ihlTooBig[0] = 0x4F;   // 60-byte header claimed, total length field too large as well
    std::string request = BuildEchoRequest(Id, Seq, data);

    struct Case {
        const char* name;
        std::string packet;
        bool withIp;
        uint32_t sender;
        TEchoMatch expected;
    };
    const Case cases[] = {
        {"reply after an IPv4 header", WithIp(Device, good), true, Device, emReplyWithData},
        {"reply alone (datagram socket)", good, false, Device, emReplyWithData},
        {"IPv4 header with options", optionsHeader, true, Device, emReplyWithData},
        {"raw: the header's source decides", WithIp(Device, good), true, Router, emReplyWithData},
        {"destination unreachable about our echo", WithIp(Router, IcmpError(3, 1, Loopback, Device)), true, Router,
         emNone},
        {"destination unreachable, sent in the host's name", WithIp(Device, IcmpError(3, 3, Loopback, Device)), true,
         Device, emNone},
        {"time exceeded about our echo", IcmpError(11, 0, Loopback, Device), false, Router, emNone},
        {"our own request looped back", WithIp(Device, request), true, Device, emNone},
        {"reply from another host", WithIp(Router, good), true, Router, emNone},
        {"datagram: reply from another host", good, false, Router, emNone},
        {"other identifier", WithIp(Device, EchoReply(Id + 1, Seq, data)), true, Device, emNone},
        {"other sequence (an earlier echo)", WithIp(Device, EchoReply(Id, Seq - 1, data)), true, Device, emNone},
        {"bad checksum", badSum, false, Device, emNone},
        {"other data", WithIp(Device, EchoReply(Id, Seq, std::string(1024, 'x'))), true, Device, emReplyOtherData},
        {"shorter data", EchoReply(Id, Seq, std::string_view(data).substr(0, 512)), false, Device, emReplyOtherData},
        {"no data", EchoReply(Id, Seq, ""), false, Device, emReplyOtherData},
        {"more data", EchoReply(Id, Seq, data + "z"), false, Device, emReplyOtherData},
        {"empty packet", "", false, Device, emNone},
        {"ICMP header cut", good.substr(0, 7), false, Device, emNone},
        {"IPv4 header alone", WithIp(Device, good).substr(0, 20), true, Device, emNone},
        {"IPv4 header cut", WithIp(Device, good).substr(0, 19), true, Device, emNone},
        {"shorter than its IPv4 total length", cutTotal, true, Device, emNone},
        {"IPv4 header longer than the packet", ihlTooBig, true, Device, emNone},
        {"not IPv4", notV4, true, Device, emNone},
        {"not ICMP", Ipv4Header(Device, 0x0A000001, good.size(), IPPROTO_UDP) + good, true, Device, emNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchEchoReply(c.packet, c.withIp, c.sender, key), c.expected) << c.name;
        EXPECT_EQ(IsEchoReplyFor(c.packet, c.withIp, c.sender, key), c.expected == emReplyWithData) << c.name;
    }
}

// The wait, on a local UDP socket standing in for the ICMP socket (one packet per read,
// sender from recvfrom, no IPv4 header): other traffic keeps arriving, yet the wait ends
// at its time-out; the reply is then found among the other packets.
TEST(EchoWaitOnSocket, EndsAtTheTimeOutThoughOtherPacketsKeepComing) {
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(Loopback);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa), 0);
    socklen_t len = sizeof sa;
    ASSERT_EQ(getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len), 0);
    const uint16_t port = ntohs(sa.sin_port);

    const std::string data = EchoData();
    std::atomic<bool> stop{false};
    std::thread noise([&] {
        TUdpSocket s;
        s.Bind(0, "127.0.0.1");
        // Packets that are not the reply, for at most 2 s: a reply to another echo, one
        // with a bad checksum, a request.
        const std::string others[] = {EchoReply(Id, Seq + 1, data), "garbage", BuildEchoRequest(Id, Seq, data)};
        for (int i = 0; i < 400 && !stop; ++i) {
            s.SendTo("127.0.0.1", port, others[i % 3]);
            Sleep(5);
        }
    });

    const uint64_t t0 = GetTickCount64();
    TPingReply r = AwaitEchoReply(fd, false, TEchoKey{Loopback, Id, Seq, data}, 200);
    const uint64_t elapsed = GetTickCount64() - t0;
    EXPECT_EQ(r.Result, prTimeout);
    EXPECT_GE(elapsed, 195u);
    EXPECT_LT(elapsed, 600u);

    // Now the reply among the noise: found, with its data.
    TUdpSocket s;
    s.Bind(0, "127.0.0.1");
    s.SendTo("127.0.0.1", port, EchoReply(Id, Seq, data));
    r = AwaitEchoReply(fd, false, TEchoKey{Loopback, Id, Seq, data}, 2000);
    EXPECT_EQ(r.Result, prReplyWithData);
    EXPECT_EQ(r.DataBytes, 1024);

    // The reply to this echo with other data is an answer without our data.
    s.SendTo("127.0.0.1", port, EchoReply(Id, Seq, "other"));
    r = AwaitEchoReply(fd, false, TEchoKey{Loopback, Id, Seq, data}, 2000);
    EXPECT_EQ(r.Result, prReplyWithoutData);
    EXPECT_EQ(r.DataBytes, 5);

    stop = true;
    noise.join();
    close(fd);
}

TEST(IPv4Text, ReadsFourDecimalOctetsOnly) {
    struct Case {
        const char* text;
        bool ok;
        uint32_t address;
    };
    const Case cases[] = {
        {"127.0.0.1", true, Loopback},
        {"192.168.2.205", true, Device},
        {"192.168.002.205", true, Device},     // leading zeros are decimal, not octal
        {" 192. 168 .2 .205 ", true, Device},  // blanks around octets, as typed in the octet edits
        {"0.0.0.0", true, 0},
        {"255.255.255.255", true, 0xFFFFFFFF},
        {"", false, 0},
        {"192.168.1", false, 0},
        {"256.1.1.1", false, 0},
        {"1.2.3.1000", false, 0},
        {"a.b.c.d", false, 0},
        {"1.2.3.4.5", false, 0},
        {"1..2.3", false, 0},
        {"1.2.3.4.", false, 0},
        {".1.2.3", false, 0},
        {"1.2.3.-4", false, 0},
        {"1.2.3.4x", false, 0},
        {"1 2.3.4.5", false, 0},
        {"0x7f.0.0.1", false, 0},
        {"99999999999999999999.1.1.1", false, 0},
    };
    for (const Case& c : cases) {
        uint32_t a = 0xDEADBEEF;
        EXPECT_EQ(TryParseIPv4(c.text, a), c.ok) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(a, c.address) << c.text;
        }
    }
    EXPECT_EQ(IPv4ToStr(Device), "192.168.2.205");
    EXPECT_EQ(IPv4ToStr(0), "0.0.0.0");
}

TEST(IcmpEcho, BadAddressTextIsAnErrorWithoutSending) {
    TIcmpEcho echo;
    for (const char* text : {"192.168.1", "256.1.1.1", "a.b.c.d", "", "1.2.3.4.5", "300.300.300.300"}) {
        const TPingReply r = echo.Ping(text, EchoData(), 400);
        EXPECT_EQ(r.Result, prError) << text;
        EXPECT_FALSE(r.ErrorText.empty()) << text;
        EXPECT_EQ(echo.UsedKind(), iskAuto) << "no socket may be opened for " << text;
    }
}

class IcmpEchoLoopback : public ::testing::TestWithParam<TIcmpSocketKind> {};

TEST_P(IcmpEchoLoopback, LocalHostAnswersWithOurData) {
    TIcmpEcho echo(GetParam());
    std::string data = "127.0.0.1";
    data.resize(1024, '\0');
    TPingReply r = echo.Ping("127.0.0.1", data, 400);
    if (r.Result == prError && echo.UsedKind() == iskAuto)
        GTEST_SKIP() << "no ICMP socket of this kind can be opened here: " << r.ErrorText;
    ASSERT_EQ(r.Result, prReplyWithData) << r.ErrorText;
    EXPECT_EQ(r.DataBytes, 1024);
    EXPECT_LE(r.TimeMs, 400u);
    if (GetParam() != iskAuto) {
        EXPECT_EQ(echo.UsedKind(), GetParam());
    }
    // The next echo (next sequence number) is answered too, and a reply to the first one
    // cannot be taken for it.
    r = echo.Ping("127.0.0.1", "second", 400);
    EXPECT_EQ(r.Result, prReplyWithData) << r.ErrorText;
    EXPECT_EQ(r.DataBytes, 6);
}

INSTANTIATE_TEST_SUITE_P(Kinds, IcmpEchoLoopback, ::testing::Values(iskAuto, iskRaw, iskDatagram),
                         [](const ::testing::TestParamInfo<TIcmpSocketKind>& info) {
                             switch (info.param) {
                             case iskRaw: return std::string("Raw");
                             case iskDatagram: return std::string("Datagram");
                             default: return std::string("Auto");
                             }
                         });
