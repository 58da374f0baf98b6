// One HTTP/1.0 GET against a small server of the test's own on 127.0.0.1.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "platform/net/HttpClient.h"
#include "platform/rtl/Threads.h"

namespace {

const String AcceptHeader = "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
const String AgentHeader = "User-Agent: Mozilla/3.0 (compatible; Indy Library)";

int ListenOnLoopback(uint16_t& port, bool listening = true) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    if (listening)
        listen(fd, 4);
    socklen_t len = sizeof sa;
    getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len);
    port = ntohs(sa.sin_port);
    return fd;
}

// Accepts one connection, reads the request head, then answers with Answer, or closes at
// once, or keeps the connection open without a word until it is destroyed.
class TTinyHttpServer {
public:
    enum TMode { Answer, CloseAtOnce, Silent };

    TTinyHttpServer(TMode mode, std::string answer = "") : FMode(mode), FAnswer(std::move(answer)) {
        FListen = ListenOnLoopback(FPort);
        FThread = std::thread([this] { Run(); });
    }
    ~TTinyHttpServer() {
        FStop = true;
        if (FThread.joinable())
            FThread.join();
        close(FListen);
    }
    String Url(const String& path) const { return "http://127.0.0.1:" + IntToStr(FPort) + path; }
    // The request head as received (after the server thread is done with it).
    std::string Request() {
        if (FThread.joinable())
            FThread.join();
        return FRequest;
    }

private:
    // Every wait is bounded by FStop, so the server ends with the test whatever happens.
    bool WaitReadable(int fd) {
        while (!FStop) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 20) > 0)
                return true;
        }
        return false;
    }
    void Run() {
        if (!WaitReadable(FListen))
            return;
        int c = accept(FListen, nullptr, nullptr);
        if (c < 0)
            return;
        if (FMode == CloseAtOnce) {
            close(c);
            return;
        }
        char buf[4096];
        while (FRequest.find("\r\n\r\n") == std::string::npos && WaitReadable(c)) {
            ssize_t n = recv(c, buf, sizeof buf, 0);
            if (n <= 0)
                break;
            FRequest.append(buf, static_cast<size_t>(n));
        }
        if (FMode == Answer)
            send(c, FAnswer.data(), FAnswer.size(), MSG_NOSIGNAL);
        else
            while (WaitReadable(c) && recv(c, buf, sizeof buf, 0) > 0) {
            }
        close(c);
    }

    TMode FMode;
    std::string FAnswer;
    int FListen = -1;
    uint16_t FPort = 0;
    std::atomic<bool> FStop{false};
    std::string FRequest;
    std::thread FThread;
};

THttpClient VersionClient() {
    THttpClient http;
    http.Headers = {AcceptHeader, AgentHeader};
    http.ConnectTimeoutMs = 1000;
    http.TimeoutMs = 2000;
    return http;
}

} // namespace

TEST(HttpClient, GetSendsAnHttp10RequestWithTheGivenHeaders) {
    TTinyHttpServer server(TTinyHttpServer::Answer,
                           "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nSet-Cookie: a=b\r\n\r\nVer. 1.003\r\n");
    const THttpResponse r = VersionClient().Get(server.Url("/update/version.txt"));
    ASSERT_TRUE(r.Success) << r.ErrorText;
    EXPECT_EQ(r.StatusCode, 200);
    EXPECT_EQ(r.Body, "Ver. 1.003\r\n");

    const std::string request = server.Request();
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "GET /update/version.txt HTTP/1.0") << request;
    EXPECT_NE(request.find("\r\n" + AcceptHeader + "\r\n"), std::string::npos) << request;
    EXPECT_NE(request.find("\r\n" + AgentHeader + "\r\n"), std::string::npos) << request;
    // Ours replace the defaults: one Accept, one User-Agent, and no cookie.
    EXPECT_EQ(request.find("Accept:"), request.rfind("Accept:")) << request;
    EXPECT_EQ(request.find("User-Agent:"), request.rfind("User-Agent:")) << request;
    EXPECT_EQ(request.find("Cookie"), std::string::npos) << request;
}

TEST(HttpClient, AnErrorStatusIsAResponseNotAFailure) {
    TTinyHttpServer server(TTinyHttpServer::Answer, "HTTP/1.0 404 Not Found\r\n\r\nnothing here");
    const THttpResponse r = VersionClient().Get(server.Url("/missing"));
    ASSERT_TRUE(r.Success) << r.ErrorText;
    EXPECT_EQ(r.StatusCode, 404);
    EXPECT_EQ(r.Body, "nothing here");
}

TEST(HttpClient, NoAnswerIsAFailureWithinTheLimit) {
    uint16_t refusedPort = 0;
    // Bound but not listening: connecting is refused, and the port stays ours meanwhile.
    const int bound = ListenOnLoopback(refusedPort, false);

    struct Case {
        const char* name;
        TTinyHttpServer::TMode mode;
    };
    for (const Case& c : {Case{"silent server", TTinyHttpServer::Silent},
                          Case{"server closes at once", TTinyHttpServer::CloseAtOnce}}) {
        TTinyHttpServer server(c.mode);
        THttpClient http = VersionClient();
        http.TimeoutMs = 300;
        const uint64_t t0 = GetTickCount64();
        const THttpResponse r = http.Get(server.Url("/"));
        const uint64_t elapsed = GetTickCount64() - t0;
        EXPECT_FALSE(r.Success) << c.name;
        EXPECT_EQ(r.StatusCode, 0) << c.name;
        EXPECT_FALSE(r.ErrorText.empty()) << c.name;
        EXPECT_LT(elapsed, 1500u) << c.name;
    }

    const THttpResponse r = VersionClient().Get("http://127.0.0.1:" + IntToStr(refusedPort) + "/");
    EXPECT_FALSE(r.Success);
    EXPECT_FALSE(r.ErrorText.empty());
    close(bound);

    // Not a URL this client fetches.
    EXPECT_FALSE(VersionClient().Get("").Success);
    EXPECT_FALSE(VersionClient().Get("file:///etc/hostname").Success);
}
