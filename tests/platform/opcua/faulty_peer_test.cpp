// Servers that misbehave: each browse ends with an error, and within its time-outs.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/opcua/UaBrowse.h"

namespace {

using namespace std::chrono;

enum TFault { fClose, fGarbage, fSilent, fAckThenClose, fError, fSilentAfterAck };

// One peer on 127.0.0.1 that takes one connection and behaves as told.
class TFaultyPeer {
public:
    explicit TFaultyPeer(TFault Fault)
    {
        FListen = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(FListen, reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(FListen, 4);
        socklen_t n = sizeof a;
        getsockname(FListen, reinterpret_cast<sockaddr*>(&a), &n);
        Port = ntohs(a.sin_port);
        FThread = std::thread([this, Fault] { Run(Fault); });
    }
    ~TFaultyPeer()
    {
        FStop = true;
        FThread.join();
        close(FListen);
    }
    int Port = 0;

private:
    bool Wait(int fd)
    {
        while (!FStop) {
            pollfd p {fd, POLLIN, 0};
            if (poll(&p, 1, 20) > 0) return true;
        }
        return false;
    }
    void Run(TFault Fault)
    {
        if (!Wait(FListen)) return;
        const int c = accept(FListen, nullptr, nullptr);
        char b[4096];
        if (Fault != fClose && Wait(c)) [[maybe_unused]] ssize_t n = recv(c, b, sizeof b, 0);
        const auto Send = [&](const ua::Bytes& m) { [[maybe_unused]] ssize_t n = send(c, m.data(), m.size(), MSG_NOSIGNAL); };
        ua::TWriter Ack;
        Ack.Raw("ACKF", 4);
        Ack.U32(28);
        for (uint32_t v : {0u, 65536u, 65536u, 0u, 0u}) Ack.U32(v);
        switch (Fault) {
        case fClose: break;
        case fGarbage: Send(ua::Bytes{'H', 'T', 'T', 'P', '/', '1', '.', '1', ' ', '4', '0', '0', '\r', '\n', '\r', '\n'}); break;
        case fSilent: Wait(c); break;
        case fAckThenClose:
            Send(Ack.Data);
            if (Wait(c)) [[maybe_unused]] ssize_t n = recv(c, b, sizeof b, 0);
            break;
        case fError: {
            ua::TWriter e;
            e.Raw("ERRF", 4);
            e.U32(0);
            e.U32(0x807E0000u);
            e.String("too many sessions");
            e.Patch_U32(4, uint32_t(e.Data.size()));
            Send(e.Data);
            break;
        }
        case fSilentAfterAck:
            Send(Ack.Data);
            while (Wait(c) && recv(c, b, sizeof b, 0) > 0) {
            }
            break;
        }
        close(c);
    }
    int FListen = -1;
    std::atomic<bool> FStop {false};
    std::thread FThread;
};

TEST(OpcUaFaultyPeer, EachFaultEndsInAnErrorWithinItsTimeOut)
{
    const struct {
        TFault fault;
        const char* says;
    } cases[] = {
        {fClose, "closed the connection"},
        {fGarbage, "not OPC UA"},
        {fSilent, "did not answer in time"},
        {fAckThenClose, "closed the connection"},
        {fError, "too many sessions"},
        {fSilentAfterAck, "did not answer in time"},
    };
    for (const auto& c : cases) {
        TFaultyPeer Peer(c.fault);
        ua::TUaSettings s;
        s.Url = "opc.tcp://127.0.0.1:" + std::to_string(Peer.Port);
        s.Connect_Ms = 500;
        s.Request_Ms = 400;
        const auto Start = steady_clock::now();
        std::string Error;
        try {
            ua::Browse_Server(s);
        } catch (const ua::EUaClient& e) {
            Error = e.what();
        }
        EXPECT_NE(Error.find(c.says), std::string::npos) << c.says << ": " << Error;
        EXPECT_LT(steady_clock::now() - Start, milliseconds(1500)) << c.says;
    }
}

TEST(OpcUaFaultyPeer, CancelAndWholeBrowseDeadlineCutALongWait)
{
    for (const bool By_Cancel : {true, false}) {
        TFaultyPeer Peer(fSilent);
        std::atomic<bool> Cancel {false};
        ua::TUaSettings s;
        s.Url = "opc.tcp://127.0.0.1:" + std::to_string(Peer.Port);
        s.Request_Ms = 60000;
        s.Cancel = &Cancel;
        if (!By_Cancel) s.Deadline = ua::TClock::now() + milliseconds(300);
        std::thread Canceller([&] {
            std::this_thread::sleep_for(milliseconds(300));
            if (By_Cancel) Cancel = true;
        });
        const auto Start = steady_clock::now();
        std::string Error;
        try {
            ua::Browse_Server(s);
        } catch (const ua::EUaClient& e) {
            Error = e.what();
        }
        Canceller.join();
        EXPECT_NE(Error.find(By_Cancel ? "cancelled" : "in time"), std::string::npos) << Error;
        EXPECT_LT(steady_clock::now() - Start, milliseconds(1500));
    }
}

TEST(OpcUaFaultyPeer, NothingListeningOrNoSuchAddress)
{
    const char* cases[] = {"opc.tcp://127.0.0.1:1", "http://127.0.0.1:4840", "opc.tcp://"};
    for (const char* Url : cases) {
        ua::TUaSettings s;
        s.Url = Url;
        s.Connect_Ms = 500;
        EXPECT_THROW(ua::Browse_Server(s), ua::EUaClient) << Url;
    }
}

}  // namespace
