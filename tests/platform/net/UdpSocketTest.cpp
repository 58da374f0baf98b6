// UDP endpoint on 127.0.0.1: the listener thread, its handler's failures, stopping, and
// the errors of binding and sending.
#include <cerrno>
#include <mutex>
#include <vector>

#include <gtest/gtest.h>

#include "platform/net/Sockets.h"
#include "platform/rtl/Threads.h"

namespace {

struct TReceived {
    std::string data;
    String peer;
    uint16_t port;
};

// Collects what a listener delivers, for the test thread to wait on.
class TInbox {
public:
    TUdpReadEvent Handler() {
        return [this](std::string_view data, const String& peer, uint16_t port) {
            std::lock_guard<std::mutex> lock(FMutex);
            FItems.push_back({std::string(data), peer, port});
            FArrived.SetEvent();
        };
    }
    // Waits until n datagrams are in, at most 2 s.
    std::vector<TReceived> WaitFor(size_t n) {
        const uint64_t deadline = GetTickCount64() + 2000;
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(FMutex);
                if (FItems.size() >= n || GetTickCount64() >= deadline)
                    return FItems;
                FArrived.ResetEvent();
            }
            FArrived.WaitFor(50);
        }
    }

private:
    std::mutex FMutex;
    std::vector<TReceived> FItems;
    TEvent FArrived;
};

} // namespace

TEST(UdpSocket, EchoThroughTheListenerThread) {
    TUdpSocket server;
    server.Bind(0, "127.0.0.1");
    ASSERT_NE(server.LocalPort(), 0);
    // The converter's way: answer each datagram to its sender, from the listener thread.
    server.StartListening([&server](std::string_view data, const String& peer, uint16_t port) {
        server.SendTo(peer, port, "echo:" + std::string(data));
    });

    TUdpSocket client;
    client.Bind(0, "127.0.0.1");
    const std::string big(60000, 'B');
    const std::string payloads[] = {"Zodudo_Enable_Analyzer_Mode", std::string("\x00\xE5\xFF", 3), "", big};
    for (const std::string& p : payloads) {
        client.SendTo("127.0.0.1", server.LocalPort(), p);
        std::string data;
        String peer;
        uint16_t port = 0;
        ASSERT_TRUE(client.ReceiveFrom(data, peer, port, 2000)) << p.size() << " bytes";
        EXPECT_EQ(data, "echo:" + p);   // whole, binary bytes kept
        EXPECT_EQ(peer, "127.0.0.1");
        EXPECT_EQ(port, server.LocalPort());
    }
}

TEST(UdpSocket, ListenerReportsSenderAndSurvivesAFailingHandler) {
    TUdpSocket server;
    server.Bind(0, "127.0.0.1");
    TInbox inbox;
    auto store = inbox.Handler();
    server.StartListening([store](std::string_view data, const String& peer, uint16_t port) {
        if (data == "bad")
            throw Exception("handler failed");
        store(data, peer, port);
    });

    TUdpSocket client;
    client.Bind(0, "127.0.0.1");
    for (const char* text : {"one", "bad", "two"})
        client.SendTo("127.0.0.1", server.LocalPort(), text);
    const std::vector<TReceived> got = inbox.WaitFor(2);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].data, "one");
    EXPECT_EQ(got[1].data, "two");
    EXPECT_EQ(got[0].peer, "127.0.0.1");
    EXPECT_EQ(got[0].port, client.LocalPort());
}

TEST(UdpSocket, StopsPromptlyAndCanListenAgain) {
    TUdpSocket server;
    server.Bind(0, "127.0.0.1");
    const uint16_t port = server.LocalPort();
    TInbox first;
    server.StartListening(first.Handler());
    EXPECT_THROW(server.StartListening(first.Handler()), EInvalidOperation);
    std::string data;
    String peer;
    uint16_t peerPort;
    EXPECT_THROW(server.ReceiveFrom(data, peer, peerPort, 10), EInvalidOperation);

    // No traffic at all: stopping must not wait for a datagram or a poll time-out.
    uint64_t t0 = GetTickCount64();
    server.StopListening();
    EXPECT_LT(GetTickCount64() - t0, 200u);
    EXPECT_FALSE(server.Listening());

    // A datagram that comes while nobody listens waits in the socket for the next listener.
    TUdpSocket client;
    client.SendTo("127.0.0.1", port, "while stopped");
    TInbox second;
    server.StartListening(second.Handler());
    std::vector<TReceived> got = second.WaitFor(1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].data, "while stopped");

    t0 = GetTickCount64();
    server.Close();   // stops the listener too
    EXPECT_LT(GetTickCount64() - t0, 200u);
    EXPECT_FALSE(server.Active());
    EXPECT_EQ(server.LocalPort(), 0);

    // And the destructor of a listening socket returns as well.
    {
        TUdpSocket temp;
        temp.Bind(0, "127.0.0.1");
        temp.StartListening(second.Handler());
    }
}

TEST(UdpSocket, ReceiveEndsAtItsTimeOut) {
    TUdpSocket s;
    s.Bind(0, "127.0.0.1");
    std::string data = "old";
    String peer;
    uint16_t port = 0;
    const uint64_t t0 = GetTickCount64();
    EXPECT_FALSE(s.ReceiveFrom(data, peer, port, 100));
    const uint64_t elapsed = GetTickCount64() - t0;
    EXPECT_GE(elapsed, 95u);
    EXPECT_LT(elapsed, 500u);
}

TEST(UdpSocket, ErrorsAreSocketErrors) {
    TUdpSocket first;
    first.Bind(0, "127.0.0.1");
    TUdpSocket second;
    try {
        second.Bind(first.LocalPort(), "127.0.0.1");
        FAIL() << "a port in use was bound twice";
    } catch (const ESocketError& e) {
        EXPECT_EQ(e.ErrorCode(), EADDRINUSE);
        EXPECT_NE(e.Message().find(IntToStr(first.LocalPort())), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(second.Active());

    // Bad addresses and port 0 are refused before anything is sent.
    TUdpSocket s;
    for (const char* host : {"192.168.1", "256.1.1.1", "", "localhost"})
        EXPECT_THROW(s.SendTo(host, 10000, "x"), ESocketError) << host;
    EXPECT_THROW(s.SendTo("127.0.0.1", 0, "x"), ESocketError);
    EXPECT_THROW(s.SendTo("127.0.0.1", 10000, std::string(65508, 'x')), ESocketError);
    EXPECT_THROW(s.Bind(0, "1.2.3"), ESocketError);
    // Neither is a listener without an open socket or a handler.
    EXPECT_THROW(s.StartListening([](std::string_view, const String&, uint16_t) {}), EInvalidOperation);
    s.Bind(0, "127.0.0.1");
    EXPECT_THROW(s.StartListening(nullptr), EInvalidArgument);
}
