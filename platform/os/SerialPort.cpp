// Serial ports on termios.
#include "platform/os/SerialPort.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

// In SerialBaud.cpp: writes the flags, control characters and rate (any number).
bool Serial_Apply_Termios(int Fd, unsigned Iflag, unsigned Oflag, unsigned Cflag, unsigned Lflag,
                          const unsigned char* Cc, int Cc_Count, uint32_t Baud);

namespace {

int Remaining(std::chrono::steady_clock::time_point Deadline)
{
    // Rounded up: a wait that ends early would end the time-out early.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(Deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? int(left.count()) : 0;
}

}   // namespace

TSerialDevice::TSerialDevice() = default;
TSerialDevice::~TSerialDevice() { Close(); }

bool TSerialDevice::Open(const std::string& Path)
{
    Close();
    const int fd = ::open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        FError = errno;
        return false;
    }
    if (!::isatty(fd)) {
        ::close(fd);
        FError = ENOTTY;
        return false;
    }
    // Exclusive like a serial port should be: a second open by another program fails.
    ::ioctl(fd, TIOCEXCL);
    FFd = fd;
    FError = 0;
    return true;
}

void TSerialDevice::Close()
{
    if (FFd < 0) return;
    ::ioctl(FFd, TIOCNXCL);
    ::close(FFd);
    FFd = -1;
}

bool TSerialDevice::SetLine(const TSerialLine& L)
{
    termios t{};
    if (::tcgetattr(FFd, &t) != 0) return FError = errno, false;
    const termios before = t;
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    switch (L.ByteSize) {
    case 5: t.c_cflag |= CS5; break;
    case 6: t.c_cflag |= CS6; break;
    case 7: t.c_cflag |= CS7; break;
    case 8: t.c_cflag |= CS8; break;
    default: return FError = EINVAL, false;
    }
    switch (L.Parity) {
    case TSerialParity::None: break;
    case TSerialParity::Odd: t.c_cflag |= PARENB | PARODD; break;
    case TSerialParity::Even: t.c_cflag |= PARENB; break;
    case TSerialParity::Mark: t.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case TSerialParity::Space: t.c_cflag |= PARENB | CMSPAR; break;
    }
    // A UART sends one and a half stop bits where two are asked with five data bits.
    if (L.StopBits != TSerialStopBits::One) t.c_cflag |= CSTOPB;
    if (L.RtsCtsFlow) t.c_cflag |= CRTSCTS;
    t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    if (L.XonXoffOut) t.c_iflag |= IXON;
    if (L.XonXoffIn) t.c_iflag |= IXOFF;
    if (L.ParityCheck) t.c_iflag |= INPCK;
    if (L.Keep_Flow_Control) {
        t.c_cflag = (t.c_cflag & ~CRTSCTS) | (before.c_cflag & CRTSCTS);
        t.c_iflag = (t.c_iflag & ~(IXON | IXOFF)) | (before.c_iflag & (IXON | IXOFF));
    }
    t.c_cc[VSTART] = static_cast<cc_t>(L.XonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(L.XoffChar);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    // The rate as a number: standard and other rates alike, where the driver allows.
    if (!Serial_Apply_Termios(FFd, t.c_iflag, t.c_oflag, t.c_cflag, t.c_lflag, t.c_cc, NCCS, L.BaudRate))
        return FError = errno, false;
    return true;
}

long TSerialDevice::Read(void* Buffer, size_t Count, uint32_t Timeout_Ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Timeout_Ms);
    for (;;) {
        const ssize_t n = ::read(FFd, Buffer, Count);
        if (n > 0) return long(n);
        if (n < 0 && errno != EAGAIN && errno != EINTR) return FError = errno, -1;
        if (Count == 0) return 0;
        const int left = Remaining(deadline);
        if (left == 0) return FError = 0, -1;
        pollfd p{FFd, POLLIN, 0};
        if (::poll(&p, 1, left) < 0 && errno != EINTR) return FError = errno, -1;
    }
}

long TSerialDevice::Write(const void* Buffer, size_t Count, uint32_t Timeout_Ms)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Timeout_Ms);
    const char* p = static_cast<const char*>(Buffer);
    size_t done = 0;
    while (done < Count) {
        const ssize_t n = ::write(FFd, p + done, Count - done);
        if (n > 0) {
            done += size_t(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return FError = errno, -1;
        const int left = Remaining(deadline);
        if (left == 0) return FError = 0, -1;
        pollfd q{FFd, POLLOUT, 0};
        if (::poll(&q, 1, left) < 0 && errno != EINTR) return FError = errno, -1;
    }
    return long(done);
}

TSerialState TSerialDevice::State() const
{
    TSerialState s;
    if (FFd < 0) return s;
    int v = 0;
    if (::ioctl(FFd, TIOCINQ, &v) == 0) s.InQueue = v;
    if (::ioctl(FFd, TIOCOUTQ, &v) == 0) s.OutQueue = v;
    if (::ioctl(FFd, TIOCMGET, &v) == 0) s.ModemLines = v;
    serial_icounter_struct c{};
    if (::ioctl(FFd, TIOCGICOUNT, &c) == 0) {
        s.Breaks = c.brk;
        s.Overruns = long(c.overrun) + c.buf_overrun;
        s.Frames = c.frame;
        s.Parities = c.parity;
        s.LineErrors = s.Overruns + s.Frames + s.Parities;
    }
    return s;
}

bool TSerialDevice::Purge(bool Input, bool Output)
{
    const int what = Input && Output ? TCIOFLUSH : Input ? TCIFLUSH : TCOFLUSH;
    if (::tcflush(FFd, what) != 0) return FError = errno, false;
    return true;
}

bool TSerialDevice::SetModemLine(int Line, bool On)
{
    if (::ioctl(FFd, On ? TIOCMBIS : TIOCMBIC, &Line) != 0) return FError = errno, false;
    return true;
}

bool TSerialDevice::SetBreak(bool On)
{
    if (::ioctl(FFd, On ? TIOCSBRK : TIOCCBRK) != 0) return FError = errno, false;
    return true;
}

bool TSerialDevice::SetOutputSuspended(bool Suspended)
{
    if (::tcflow(FFd, Suspended ? TCOOFF : TCOON) != 0) return FError = errno, false;
    return true;
}

bool TSerialDevice::Wait(bool Wait_Input, int Wake_Fd, int Timeout_Ms) const
{
    pollfd p[2] = {{Wake_Fd, POLLIN, 0}, {FFd, short(Wait_Input ? POLLIN : 0), 0}};
    if (::poll(p, 2, Timeout_Ms) <= 0) return false;
    if (!(p[0].revents & POLLIN)) return false;
    uint64_t n;
    [[maybe_unused]] const ssize_t r = ::read(Wake_Fd, &n, sizeof n);
    return true;
}

TSerialWake::TSerialWake() : FFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
TSerialWake::~TSerialWake()
{
    if (FFd >= 0) ::close(FFd);
}

void TSerialWake::Signal()
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t r = ::write(FFd, &one, sizeof one);
}
