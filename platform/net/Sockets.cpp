#include "platform/net/Sockets.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/net/SocketUtil.h"
#include "platform/rtl/Threads.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// UDP carries at most 65535 - 8 (UDP header) - 20 (IPv4 header) bytes of data.
constexpr size_t MaxDatagram = 65507;

} // namespace

bool TryParseIPv4(std::string_view text, uint32_t& address) {
    uint32_t result = 0;
    size_t i = 0;
    for (int octet = 0; octet < 4; ++octet) {
        if (octet > 0) {
            if (i >= text.size() || text[i] != '.')
                return false;
            ++i;
        }
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        unsigned value = 0;
        size_t digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + static_cast<unsigned>(text[i] - '0');
            if (value > 255)
                return false;
            ++i;
            ++digits;
        }
        if (digits == 0)
            return false;
        while (i < text.size() && IsBlank(text[i]))
            ++i;
        result = (result << 8) | value;
    }
    if (i != text.size())
        return false;
    address = result;
    return true;
}

String IPv4ToStr(uint32_t address) {
    return IntToStr((address >> 24) & 0xFF) + "." + IntToStr((address >> 16) & 0xFF) + "." +
           IntToStr((address >> 8) & 0xFF) + "." + IntToStr(address & 0xFF);
}

namespace netutil {

String SysErrorText(int err) {
    char buf[256];
    // GNU strerror_r returns the text, which may or may not be in buf.
    const char* s = strerror_r(err, buf, sizeof buf);
    return String(s);
}

sockaddr_in MakeSockAddr(uint32_t address, uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(address);
    sa.sin_port = htons(port);
    return sa;
}

uint32_t SockAddrAddress(const sockaddr_in& sa) { return ntohl(sa.sin_addr.s_addr); }

} // namespace netutil

using namespace netutil;

// The listener waits on the socket and on an event descriptor that StopListening
// signals, so stopping never depends on a datagram arriving or on a poll time-out.
class TUdpSocket::TListener : public TThread {
public:
    TListener(int socketHandle, TUdpReadEvent onRead)
        : TThread(true), FSocket(socketHandle), FOnRead(std::move(onRead)) {
        FWake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (FWake < 0)
            throw ESocketError("Could not start the UDP listener: " + SysErrorText(errno), errno);
    }
    ~TListener() override {
        Stop();
        close(FWake);
    }
    void Stop() {
        if (!Started())
            return;
        Terminate();
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = write(FWake, &one, sizeof one);
        WaitFor();
    }
    bool IsListenerThread() const { return FThreadId.load() == std::this_thread::get_id(); }

protected:
    void Execute() override {
        FThreadId = std::this_thread::get_id();
        std::vector<char> buffer(MaxDatagram + 1);
        while (!Terminated()) {
            pollfd fds[2] = {{FSocket, POLLIN, 0}, {FWake, POLLIN, 0}};
            int r = poll(fds, 2, -1);
            if (r < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            if (Terminated() || (fds[1].revents & POLLIN) || (fds[0].revents & POLLNVAL))
                break;
            if (!(fds[0].revents & (POLLIN | POLLERR)))
                continue;
            // Drain everything that is waiting before polling again.
            while (!Terminated()) {
                sockaddr_in from{};
                socklen_t fromLen = sizeof from;
                ssize_t n = recvfrom(FSocket, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                     reinterpret_cast<sockaddr*>(&from), &fromLen);
                if (n < 0) {
                    // EAGAIN: drained. Any other error (a late ICMP report on the socket)
                    // is consumed by this read and the socket stays usable.
                    if (errno == EINTR)
                        continue;
                    break;
                }
                try {
                    FOnRead(std::string_view(buffer.data(), static_cast<size_t>(n)),
                            IPv4ToStr(SockAddrAddress(from)), ntohs(from.sin_port));
                } catch (...) {
                    // The handler's failure costs this datagram only.
                }
            }
        }
    }

private:
    int FSocket;
    int FWake = -1;
    TUdpReadEvent FOnRead;
    std::atomic<std::thread::id> FThreadId{};
};

TUdpSocket::TUdpSocket() = default;

TUdpSocket::~TUdpSocket() {
    try {
        Close();
    } catch (...) {
    }
}

void TUdpSocket::Bind(uint16_t port, const String& localAddress) {
    uint32_t local = 0;
    if (!TryParseIPv4(localAddress, local))
        throw ESocketError("Invalid local IP address \"" + localAddress + "\"");
    Close();
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw ESocketError("Could not open a UDP socket: " + SysErrorText(errno), errno);
    sockaddr_in sa = MakeSockAddr(local, port);
    if (bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) < 0) {
        int err = errno;
        close(fd);
        throw ESocketError("Could not bind UDP port " + IntToStr(port) + " on " + localAddress + ": " +
                               SysErrorText(err),
                           err);
    }
    FHandle = fd;
    ApplyBroadcast();
}

void TUdpSocket::Close() {
    StopListening();
    if (FHandle >= 0) {
        close(FHandle);
        FHandle = -1;
    }
}

uint16_t TUdpSocket::LocalPort() const {
    if (FHandle < 0)
        return 0;
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    if (getsockname(FHandle, reinterpret_cast<sockaddr*>(&sa), &len) < 0)
        return 0;
    return ntohs(sa.sin_port);
}

void TUdpSocket::SetBroadcast(bool enabled) {
    FBroadcast = enabled;
    ApplyBroadcast();
}

void TUdpSocket::ApplyBroadcast() {
    if (FHandle < 0)
        return;
    int on = FBroadcast ? 1 : 0;
    if (setsockopt(FHandle, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) < 0)
        throw ESocketError("Could not set the broadcast option: " + SysErrorText(errno), errno);
}

void TUdpSocket::SendTo(const String& host, uint16_t port, std::string_view data) {
    uint32_t address = 0;
    if (!TryParseIPv4(host, address))
        throw ESocketError("Invalid IP address \"" + host + "\"");
    if (port == 0)
        throw ESocketError("Invalid UDP port 0 for " + host);
    if (data.size() > MaxDatagram)
        throw ESocketError("Datagram of " + IntToStr(static_cast<long long>(data.size())) + " bytes is too long for UDP");
    if (FHandle < 0)
        Bind(0);
    sockaddr_in sa = MakeSockAddr(address, port);
    ssize_t n;
    do {
        n = sendto(FHandle, data.data(), data.size(), 0, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        throw ESocketError("Could not send to " + host + ":" + IntToStr(port) + ": " + SysErrorText(errno), errno);
}

bool TUdpSocket::ReceiveFrom(std::string& data, String& peerAddress, uint16_t& peerPort, uint32_t timeoutMs) {
    if (FListener)
        throw EInvalidOperation("The UDP socket is listening: datagrams go to the listener");
    if (FHandle < 0)
        throw EInvalidOperation("The UDP socket is not open");
    const uint64_t deadline = GetTickCount64() + timeoutMs;
    std::vector<char> buffer(MaxDatagram + 1);
    for (;;) {
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        ssize_t n = recvfrom(FHandle, buffer.data(), buffer.size(), MSG_DONTWAIT,
                             reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n >= 0) {
            data.assign(buffer.data(), static_cast<size_t>(n));
            peerAddress = IPv4ToStr(SockAddrAddress(from));
            peerPort = ntohs(from.sin_port);
            return true;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ECONNREFUSED)
            throw ESocketError("Could not receive a UDP datagram: " + SysErrorText(errno), errno);
        const uint64_t now = GetTickCount64();
        if (now >= deadline)
            return false;
        pollfd pfd{FHandle, POLLIN, 0};
        if (poll(&pfd, 1, PollWait(deadline - now)) < 0 && errno != EINTR)
            throw ESocketError("Could not wait for a UDP datagram: " + SysErrorText(errno), errno);
    }
}

void TUdpSocket::StartListening(TUdpReadEvent onRead) {
    if (FHandle < 0)
        throw EInvalidOperation("The UDP socket is not open");
    if (FListener)
        throw EInvalidOperation("The UDP socket is already listening");
    if (!onRead)
        throw EInvalidArgument("The UDP listener needs a handler");
    auto listener = std::make_unique<TListener>(FHandle, std::move(onRead));
    listener->Start();
    FListener = std::move(listener);
}

void TUdpSocket::StopListening() {
    if (!FListener)
        return;
    if (FListener->IsListenerThread())
        throw EInvalidOperation("A UDP handler cannot stop its own listener");
    FListener->Stop();
    FListener.reset();
}
