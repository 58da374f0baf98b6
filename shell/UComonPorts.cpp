// The serial ports present on this machine.
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "platform/os/Files.h"
#include "shell/UComon.h"

namespace {

constexpr int PortsPerKind = 64;
const char* const PortKinds[] = {"ttyS", "ttyUSB", "ttyACM", "ttyAMA"};

} // namespace

String COM_Port_Device(int Number, const String& DevFolder)
{
    if (Number < 1 || Number > PortsPerKind * 4) return "";
    const int i = Number - 1;
    return PathJoin(DevFolder, String(PortKinds[i / PortsPerKind]) + IntToStr(i % PortsPerKind));
}

std::unique_ptr<TStringList> Get_COM_Ports_In(const String& DevFolder)
{
    auto list = std::make_unique<TStringList>();
    for (int n = 1; n <= PortsPerKind * 4; ++n) {
        const String device = COM_Port_Device(n, DevFolder);
        // Non-blocking, so a port without carrier does not hang the probe; no controlling
        // terminal, so the probe never becomes the port's session.
        int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            ::close(fd);
            list->Add(IntToStr(n));
        } else if (errno == EBUSY) {   // held exclusively by another program: present, in use
            list->Add(IntToStr(n));
        }
    }
    return list;
}

std::unique_ptr<TStringList> Get_COM_Ports() { return Get_COM_Ports_In("/dev/"); }
