// Wireless telegrams: link layer, the meter's identity, the extended link layer and the
// authentication and fragmentation layer, decryption in security modes 5 and 7, whether
// the data can be read, and its records.
#include <algorithm>
#include <cstring>
#include <mutex>

#include "mbus/decode/ElAES.h"
#include "mbus/decode/UMBusDecoder.h"

namespace {

constexpr int CI_Short = 0x7A, CI_Long = 0x72, CI_None = 0x78, CI_ELL_Short = 0x8C, CI_ELL_Session = 0x8D,
              CI_AFL = 0x90;
constexpr uint8_t Idle = 0x2F;

int32_t LE32(const uint8_t* b)
{
    return static_cast<int32_t>(uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) |
                                (uint32_t(b[3]) << 24));
}

// MAC length by the AFL authentication type.
int Mac_Length(int Auth_Type)
{
    switch (Auth_Type) {
    case 3: return 2;
    case 4: return 4;
    case 5: return 8;
    case 6: return 12;
    case 7: return 16;
    case 8: return 12;
    default: return 0;
    }
}

// The frame as the decoder reads it: bytes 0 .. End; a position outside reads as -1, which
// equals no byte value, so a test of a missing byte fails instead of reading past the data.
struct TFrame {
    std::span<uint8_t> Bytes;
    int End;
    bool Has(int i) const { return i >= 0 && i <= End; }
    int At(int i) const { return Has(i) ? Bytes[static_cast<size_t>(i)] : -1; }
    // The security mode nibble of a configuration word's high byte, -1 when missing.
    int Mode(int i) const { return Has(i) ? Bytes[static_cast<size_t>(i)] & 0x0F : -1; }
    bool Idle_Pair(int i) const { return At(i) == Idle && At(i + 1) == Idle; }
};

// Decrypts Blocks blocks from Start in place; false, with nothing changed, when they do not
// lie inside the frame.
bool Decrypt_In_Place(TFrame& F, int Start, int Blocks, const TAESKey128& Key, const TAESBuffer& IV,
                      TMemoryStream* Plain_Out = nullptr)
{
    const int count = Blocks * 16;
    if (Blocks <= 0 || !F.Has(Start) || !F.Has(Start + count - 1)) return false;
    TMemoryStream src(F.Bytes.data() + Start, count), dst;
    AESDecryptStreamCBCKey(src, count, Key, dst, IV);
    if (Plain_Out) {
        *Plain_Out = std::move(dst);
        return true;
    }
    std::memcpy(F.Bytes.data() + Start, dst.Memory(), static_cast<size_t>(count));
    return true;
}

TAESKey128 Key_Of(const TSlave_wMBus& M)
{
    TAESKey128 k;
    std::copy(std::begin(M.Key), std::end(M.Key), k.begin());
    return k;
}

// Security mode 5 behind the extended link layer: CBC with the meter key and an IV of the
// link-layer address and eight copies of the access number.
void Decrypt_Mode_5(TFrame& F, const TSlave_wMBus& M)
{
    if (!(F.At(10) == CI_ELL_Short && F.At(13) == CI_Short && F.Has(19) && (F.At(17) & 5) == 5 &&
          F.At(18) != Idle && F.At(19) != Idle))
        return;
    if (!M.Enable_Key) return;
    TAESBuffer iv;
    for (int i = 0; i < 8; ++i) iv[static_cast<size_t>(i)] = F.Bytes[static_cast<size_t>(2 + i)];
    for (int i = 8; i < 16; ++i) iv[static_cast<size_t>(i)] = F.Bytes[14];
    Decrypt_In_Place(F, 18, F.At(16) >> 4, Key_Of(M), iv);
}

enum TMode7 { m7NotApplied, m7Decrypted, m7Dropped };

// Security mode 7 behind the extended link layer and the AFL: CBC with a key derived by
// CMAC from the meter key, the message counter and the link-layer address.
TMode7 Decrypt_Mode_7(TFrame& F, const TSlave_wMBus& M)
{
    if (F.At(10) != CI_ELL_Short || F.At(13) != CI_AFL || !F.Has(14)) return m7NotApplied;
    const int afll = F.At(14);
    if (!(F.At(15 + afll) == CI_Short && F.Has(22 + afll) && (F.At(19 + afll) & 7) == 7 &&
          F.At(21 + afll) != Idle && F.At(22 + afll) != Idle && M.Enable_Key))
        return m7NotApplied;

    // 1. The AFL fields present by the fragmentation control word.
    int c = 15;
    if (!F.Has(c + 1)) return m7NotApplied;
    const int fcl = F.At(c) | (F.At(c + 1) << 8);
    c += 2;
    int auth_type = 0;
    uint8_t mcr[4] = {};
    if (fcl & (1 << 13)) {
        if (!F.Has(c)) return m7NotApplied;
        auth_type = F.At(c) & 0x0F;
        c += 1;
    }
    if (fcl & (1 << 9)) c += 2;
    if (fcl & (1 << 11)) {
        if (!F.Has(c + 3)) return m7NotApplied;
        for (int i = 0; i < 4; ++i) mcr[i] = static_cast<uint8_t>(F.At(c + i));
        c += 4;
    }
    if (fcl & (1 << 10)) c += Mac_Length(auth_type);
    if (fcl & (1 << 12)) c += 2;
    // 2. The application header.
    if (F.At(c) != CI_Short || !F.Has(c + 5)) return m7NotApplied;
    const int cfg_lo = F.At(c + 3), cfg_hi = F.At(c + 4);
    if ((cfg_hi & 0x1F) != 7) return m7NotApplied;
    // 3. The configuration-field extension and the byte after it; four more with bit 5.
    int s = c + 6;
    if (cfg_hi & 0x20) s += 4;
    // 4.
    if (F.At(s + 1) == Idle || F.At(s + 2) == Idle) return m7NotApplied;
    // 5. The message key.
    uint8_t kdf[16] = {0x00};
    std::memcpy(kdf + 1, mcr, 4);
    for (int i = 0; i < 4; ++i) kdf[5 + i] = F.Bytes[static_cast<size_t>(4 + i)];
    std::fill(kdf + 9, kdf + 16, 0x07);
    TMemoryStream kdf_stream(kdf, 16);
    const TAESBuffer derived = AESCmacStreamKey(kdf_stream, 16, Key_Of(M));
    TAESKey128 message_key;
    std::copy(derived.begin(), derived.end(), message_key.begin());
    // 6-7. Decrypt; only a plaintext that starts with the idle fillers is kept.
    const int blocks = cfg_lo >> 4;
    TMemoryStream plain;
    if (blocks > 0 && !Decrypt_In_Place(F, s, blocks, message_key, TAESBuffer{}, &plain)) return m7NotApplied;
    if (plain.Size() < 2 || plain.Memory()[0] != Idle || plain.Memory()[1] != Idle) return m7Dropped;
    std::memcpy(F.Bytes.data() + s, plain.Memory(), static_cast<size_t>(plain.Size()));
    return m7Decrypted;
}

// Whether the data can be read, and where its records start (-1: none are decoded).
bool Readable(const TFrame& F, int& Start)
{
    Start = -1;
    switch (F.At(10)) {
    case CI_Short:
        Start = 15;
        return F.Mode(14) == 0 || (F.Mode(14) == 5 && F.Idle_Pair(15));
    case CI_Long:
        Start = 23;
        return F.Idle_Pair(23);
    case CI_ELL_Short:
        switch (F.At(13)) {
        case CI_Long: Start = 26; return F.Mode(25) == 0 || (F.Mode(25) == 5 && F.Idle_Pair(26));
        case CI_None: Start = 14; return true;
        case CI_Short: Start = 18; return F.Mode(17) == 0 || (F.Mode(17) == 5 && F.Idle_Pair(18));
        case CI_AFL:
            if (!F.Has(14)) return false;
            Start = 21 + F.At(14);
            return F.Idle_Pair(21 + F.At(14));
        default: return false;
        }
    case CI_ELL_Session:
        switch (F.At(19)) {
        case CI_Long: Start = 32; return F.Mode(31) == 0 || (F.Mode(31) == 5 && F.Idle_Pair(32));
        case CI_None: Start = 20; return true;
        case CI_Short: Start = 24; return F.Mode(23) == 0 || (F.Mode(23) == 5 && F.Idle_Pair(24));
        case CI_AFL:
            // The AFL length is read at byte 14 here too, and no records are decoded.
            return F.Has(14) && F.Idle_Pair(21 + F.At(14));
        default: return false;
        }
    default: return false;
    }
}

}   // namespace

void TMBusDecoder::Decode_Wireless_Telegram(TRadioModule RadioModule, std::span<uint8_t> Datagram)
{
    const int len = static_cast<int>(std::min<size_t>(Datagram.size(), 1 << 20));
    if (len < 1) return;
    const int L = Datagram[0];
    if (len != (RadioModule == rmTelit ? L + 3 : L + 1)) return;
    TFrame F{Datagram, RadioModule == rmTelit ? L : L - 1};
    const int ci = F.At(10);
    if (ci < 0) return;   // no link-layer header

    // 1.
    New_Frame_Wireless = true;
    const TDateTime now = MBus_Now();
    // 2. Link layer.
    const uint8_t c_field = Datagram[1];
    const uint16_t lla_man = static_cast<uint16_t>(Datagram[2] | (Datagram[3] << 8));
    const int32_t lla_id = LE32(&Datagram[4]);
    const uint8_t lla_ver = Datagram[8], lla_dev = Datagram[9];
    // 3. The meter's identity: the link layer for the short header and the extended link
    // layers, bytes 11 .. 18 for every other CI.
    uint16_t ala_man = lla_man;
    int32_t ala_id = lla_id;
    uint8_t ala_ver = lla_ver, ala_dev = lla_dev;
    if (ci != CI_Short && ci != CI_ELL_Short && ci != CI_ELL_Session) {
        if (!F.Has(18)) return;
        ala_id = LE32(&Datagram[11]);
        ala_man = static_cast<uint16_t>(Datagram[15] | (Datagram[16] << 8));
        ala_ver = Datagram[17];
        ala_dev = Datagram[18];
    }
    // 4. Signal level from the last byte.
    const uint8_t r = Datagram[static_cast<size_t>(len - 1)];
    const int8_t rssi = RadioModule == rmTelit ? static_cast<int8_t>(-r - 2)
                                               : static_cast<int8_t>(static_cast<int8_t>(r) / 2 + 1);

    std::unique_lock<std::mutex> lock(List_Slave_wMBus.Lock);
    // 5-6.
    int index = Find_Wireless_Slave(List_Slave_wMBus, ala_man, ala_id, ala_ver, ala_dev);
    TSlave_wMBus* meter = nullptr;
    if (index < 0) {
        auto m = std::make_unique<TSlave_wMBus>();
        m->Message_Type = c_field;
        m->ALA_Manufacturer = ala_man;
        m->ALA_Manu_str = Trova_Man(ala_man);
        m->ALA_Address = ala_id;
        m->ALA_Version = ala_ver;
        m->ALA_DeviceType = ala_dev;
        m->LLA_Manufacturer = lla_man;
        m->LLA_Manu_str = Trova_Man(lla_man);
        m->LLA_Address = lla_id;
        m->LLA_Version = lla_ver;
        m->LLA_DeviceType = lla_dev;
        m->RSSI = rssi;
        m->RadioCrafts_Ind_Tab_Decript = -1;
        meter = m.get();
        List_Slave_wMBus.Items.push_back(std::move(m));
        index = static_cast<int>(List_Slave_wMBus.Items.size()) - 1;
    } else {
        meter = Wireless_Slave_At(List_Slave_wMBus, index);
        // 7-8. Known meters with a key: decryption.
        Decrypt_Mode_5(F, *meter);
        if (Decrypt_Mode_7(F, *meter) == m7Dropped) {
            lock.unlock();
            Notify_Wireless_Slave(index, meter);
            return;
        }
    }
    // 9.
    meter->Cancel_Var();
    meter->DateTime = now;
    meter->RSSI = rssi;
    // 10-11.
    int start = -1;
    meter->Cripted = !Readable(F, start);
    if (!meter->Cripted && F.Has(start))
        Decode_Data_Records(meter->List_Var, F.End - start, Datagram.subspan(static_cast<size_t>(start)));
    // 12.
    lock.unlock();
    Notify_Wireless_Slave(index, meter);
}
