#pragma once
// The link-layer frames the wired scan sends to meters and the commands it sends to the
// converter, as bytes.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

using TFrameBytes = std::vector<uint8_t>;

constexpr uint8_t MBus_Broadcast_Address = 0xFF;   // every slave
constexpr uint8_t MBus_Selected_Address = 0xFD;    // the slave selected by secondary address
constexpr uint16_t Converter_Port = 10000;         // the converter's application port

TFrameBytes Build_SND_NKE(uint8_t A);
// C field 0x7B/0x5B: the frame-count bit alternates with the frames already read from
// the meter (set on the first request), or stays at the fixed value when one is given.
uint8_t REQ_UD2_C_Field(int Frames_Read, bool Fix_C_Field, uint8_t Fix_C_Field_Value);
TFrameBytes Build_REQ_UD2(uint8_t A, uint8_t C);
// C field 0x73, or 0x53 with a fixed frame-count bit of 0.
uint8_t Select_C_Field(bool Fix_C_Field, uint8_t Fix_C_Field_Value);
TFrameBytes Build_Application_Reset(uint8_t A, uint8_t C);
// Digits[0] is the most significant digit of the identification number; -1 is a wildcard.
TFrameBytes Build_Select_Secondary(const std::array<int32_t, 8>& Digits, uint8_t C);

// "Zodudo_S_M:", the baud rate most significant byte first, ',' and the converter's parity
// code, from the parity as the window lists it (0 none, 1 even, 2 odd).
TFrameBytes Build_Serial_Parameters(uint32_t Baudrate, int32_t Parity);

// The converter's answers, LF = 0x0A and CR = 0x0D as the converter sends them.
std::string Converter_Answer(const char* Text);   // LF CR Text LF CR
extern const char* const Answer_No_Slave;         // "NO_SLAVE" LF CR
