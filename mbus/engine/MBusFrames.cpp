// The wired scan's frames and the converter's serial-parameter command.
#include "mbus/engine/MBusFrames.h"

namespace {

uint8_t Sum(const TFrameBytes& F, size_t From, size_t To)
{
    uint8_t cs = 0;
    for (size_t i = From; i < To; ++i) cs = uint8_t(cs + F[i]);
    return cs;
}

// 68 L L 68, the body, its checksum and the stop byte.
TFrameBytes Long_Frame(const TFrameBytes& Body)
{
    TFrameBytes f;
    f.reserve(Body.size() + 6);
    f.push_back(0x68);
    f.push_back(uint8_t(Body.size()));
    f.push_back(uint8_t(Body.size()));
    f.push_back(0x68);
    for (uint8_t b : Body) f.push_back(b);
    f.push_back(Sum(f, 4, f.size()));
    f.push_back(0x16);
    return f;
}

}   // namespace

const char* const Answer_No_Slave = "NO_SLAVE\n\r";

TFrameBytes Build_SND_NKE(uint8_t A) { return {0x10, 0x40, A, uint8_t(0x40 + A), 0x16}; }

uint8_t REQ_UD2_C_Field(int Frames_Read, bool Fix_C_Field, uint8_t Fix_C_Field_Value)
{
    if (Fix_C_Field) return Fix_C_Field_Value == 1 ? 0x7B : 0x5B;
    return Frames_Read % 2 == 0 ? 0x7B : 0x5B;
}

TFrameBytes Build_REQ_UD2(uint8_t A, uint8_t C) { return {0x10, C, A, uint8_t(C + A), 0x16}; }

uint8_t Select_C_Field(bool Fix_C_Field, uint8_t Fix_C_Field_Value)
{
    return Fix_C_Field && Fix_C_Field_Value == 0 ? 0x53 : 0x73;
}

TFrameBytes Build_Application_Reset(uint8_t A, uint8_t C) { return Long_Frame({C, A, 0x50}); }

TFrameBytes Build_Select_Secondary(const std::array<int32_t, 8>& Digits, uint8_t C)
{
    auto nibble = [&](int i) { return uint8_t(Digits[size_t(i)] < 0 ? 0x0F : Digits[size_t(i)] & 0x0F); };
    auto pair = [&](int hi) { return uint8_t(nibble(hi) << 4 | nibble(hi + 1)); };
    return Long_Frame({C, MBus_Selected_Address, 0x52, pair(6), pair(4), pair(2), pair(0), 0xFF, 0xFF, 0xFF, 0xFF});
}

TFrameBytes Build_Serial_Parameters(uint32_t Baudrate, int32_t Parity)
{
    const std::string head = "Zodudo_S_M:";
    TFrameBytes f(head.begin(), head.end());
    for (int shift = 24; shift >= 0; shift -= 8) f.push_back(uint8_t(Baudrate >> shift));
    f.push_back(0x2C);
    // The converter counts odd before even.
    f.push_back(Parity == 1 ? 2 : Parity == 2 ? 1 : 0);
    return f;
}

std::string Converter_Answer(const char* Text) { return std::string("\n\r") + Text + "\n\r"; }
