#pragma once
// Helpers shared by the socket code of this folder; not part of its interface.
#include <netinet/in.h>

#include <climits>
#include <cstdint>

#include "platform/rtl/SysUtils.h"

namespace netutil {

String SysErrorText(int err);
sockaddr_in MakeSockAddr(uint32_t address, uint16_t port);   // host byte order in
uint32_t SockAddrAddress(const sockaddr_in& sa);            // host byte order out
// A remaining wait in ms as poll takes it.
inline int PollWait(uint64_t ms) { return ms > INT_MAX ? INT_MAX : static_cast<int>(ms); }

} // namespace netutil
