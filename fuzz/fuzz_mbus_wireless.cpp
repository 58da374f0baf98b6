// Wireless datagrams as the radio module hands them over. The first input byte picks the
// module; the rest is the datagram. Each datagram is heard twice: the first time makes the
// meter, the second time the meter has a key, so the decryption paths of security modes 5
// and 7 run on whatever the header says. The datagram lies in a buffer of its exact size,
// and only bytes inside the frame may change.
#include <algorithm>
#include <mutex>
#include <vector>

#include "fuzz/FuzzCommon.h"
#include "mbus/decode/UMBusDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    if (Size < 1) return 0;
    const TRadioModule module = (Data[0] & 1) ? rmRadioCrafts : rmTelit;
    static TMBusDecoder dec;   // kept: it reads the regional settings once a second
    dec.MBusType = mtWireless;
    int notified = 0;
    dec.UpdateListWirelessSlave = [&](int32_t Index, TSlave_wMBus* Meter) {
        ++notified;
        fuzz::Check(Index == 0 && Meter != nullptr, "the one meter is reported");
    };

    for (int pass = 0; pass < 2; ++pass) {
        std::vector<uint8_t> datagram(Data + 1, Data + Size);
        const std::vector<uint8_t> before = datagram;
        const int before_notified = notified;
        dec.Decode_Wireless_Telegram(module, datagram);
        fuzz::Check(notified - before_notified <= 1, "at most one notification per telegram");
        if (!datagram.empty()) {
            const size_t frame_end = module == rmTelit ? datagram[0] : size_t(std::max(0, int(datagram[0]) - 1));
            for (size_t i = frame_end + 1; i < datagram.size(); ++i)
                fuzz::Check(datagram[i] == before[i], "bytes after the frame stay");
            for (size_t i = 0; i < std::min<size_t>(datagram.size(), 18); ++i)
                fuzz::Check(datagram[i] == before[i], "headers are never decrypted");
        }
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        fuzz::Check(List_Slave_wMBus.Items.size() <= 1, "one telegram, one meter");
        if (TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, 0)) {
            for (int i = 0; i < 16; ++i) m->Key[i] = uint8_t(i);
            m->Enable_Key = true;
            fuzz::Check(!m->Cripted || m->List_Var.empty(), "an unreadable telegram has no records");
        }
    }
    Empty_Slave_wMBus_List();
    return 0;
}
