// Writes a line's settings through the kernel's termios2 interface, which takes any baud
// rate as a number. (Its header cannot share a file with <termios.h>; the flag words and
// the control characters below it have the same meaning and places in both.)
#include <asm/termbits.h>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/ioctl.h>

namespace {

// The constant of a standard rate (which every driver and tool understands), else BOTHER
// with the rate as a number.
unsigned Rate_Code(uint32_t Baud)
{
    static const struct {
        uint32_t baud;
        unsigned code;
    } rates[] = {{50, B50}, {75, B75}, {110, B110}, {134, B134}, {150, B150}, {200, B200}, {300, B300},
                 {600, B600}, {1200, B1200}, {1800, B1800}, {2400, B2400}, {4800, B4800}, {9600, B9600},
                 {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}, {230400, B230400},
                 {460800, B460800}, {500000, B500000}, {576000, B576000}, {921600, B921600},
                 {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000}, {2000000, B2000000},
                 {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000}};
    for (const auto& r : rates)
        if (r.baud == Baud) return r.code;
    return BOTHER;
}

}   // namespace

bool Serial_Apply_Termios(int Fd, unsigned Iflag, unsigned Oflag, unsigned Cflag, unsigned Lflag,
                          const unsigned char* Cc, int Cc_Count, uint32_t Baud)
{
    termios2 t{};
    if (::ioctl(Fd, TCGETS2, &t) != 0) return false;
    t.c_iflag = Iflag;
    t.c_oflag = Oflag;
    const unsigned code = Rate_Code(Baud);
    t.c_cflag = (Cflag & ~(CBAUD | CIBAUD)) | code | (code << IBSHIFT);
    t.c_lflag = Lflag;
    std::memcpy(t.c_cc, Cc, size_t(Cc_Count < NCCS ? Cc_Count : NCCS));
    t.c_ispeed = Baud;
    t.c_ospeed = Baud;
    return ::ioctl(Fd, TCSETS2, &t) == 0;
}
