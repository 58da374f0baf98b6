#pragma once
// Wireless telegrams as the simulated converter's radio module forwards them: the meters'
// frames, one encrypted under the meter key, one plain, wrapped the way each module hands
// a telegram on.
#include "tests/mbus/converter_sim.h"
#include "tests/mbus/openssl_reference.h"

inline const TBytes Meter_Key = Hex("000102030405060708090A0B0C0D0E0F");

// A telegram in security mode 5 behind the extended link layer from the meter 0x2C2D,
// 12345678, version 1, type 7, carrying 12.345 m3 and 30 °C.
inline TBytes Mode_5_Frame()
{
    TBytes f = Hex("00 44 2D 2C 78 56 34 12 01 07");
    const uint8_t acc = 0x21;
    TBytes plain = Hex("2F 2F 04 13 39 30 00 00 02 5A 2C 01");
    while (plain.size() % 16) plain.push_back(0x2F);
    f = Join(f, {0x8C, 0x20, acc, 0x7A, acc, 0x00, uint8_t((plain.size() / 16) << 4), 0x05});
    TBytes iv(f.begin() + 2, f.begin() + 10);
    iv.insert(iv.end(), 8, acc);
    return Join(f, openssl::EncryptCBC(Meter_Key.data(), iv.data(), plain));
}

// A frame (its length byte still 0) as Module forwards it: the Telit module appends a
// status byte and the signal strength, the Radiocrafts module the signal strength alone.
inline TBytes On_Air(TBytes Frame, TRadioModule Module)
{
    if (Module == rmTelit) {
        Frame[0] = uint8_t(Frame.size() - 1);
        return Join(Frame, {0x00, 0x50});
    }
    Frame.push_back(0xB0);
    Frame[0] = uint8_t(Frame.size() - 1);
    return Frame;
}

inline TBytes Telegram(TRadioModule Module) { return On_Air(Mode_5_Frame(), Module); }

// An unencrypted telegram of the meter 0x2C2D with identification number Id, version 1,
// type 7, carrying Records (30 °C unless told).
inline TBytes Plain_Telegram(uint32_t Id, TRadioModule Module = rmRadioCrafts,
                             const TBytes& Records = Hex("02 5A 2C 01"))
{
    TBytes f = {0, 0x44, 0x2D, 0x2C, uint8_t(Id), uint8_t(Id >> 8), uint8_t(Id >> 16), uint8_t(Id >> 24), 0x01, 0x07,
                0x7A, 0x01, 0x00, 0x00, 0x00};
    return On_Air(Join(f, Records), Module);
}
