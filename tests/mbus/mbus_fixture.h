#pragma once
// What the M-Bus suites share: bytes written as hexadecimal text, long frames and
// wireless datagrams built around given records, and a fixture that starts every test
// with empty meter lists and fixed regional formats.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "mbus/decode/UMBusDecoder.h"
#include "platform/os/Regional.h"

using TBytes = std::vector<uint8_t>;

// "04 13 01 00" -> bytes; blanks are free.
inline TBytes Hex(const std::string& Text)
{
    TBytes out;
    std::string digits;
    for (char c : Text)
        if (c != ' ') digits += c;
    for (size_t i = 0; i + 1 < digits.size(); i += 2) out.push_back(uint8_t(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

inline TBytes Join(TBytes A, const TBytes& B)
{
    A.insert(A.end(), B.begin(), B.end());
    return A;
}

// A long frame (RSP_UD) of a meter with the given records after its 19-byte header.
struct TLongFrame {
    uint8_t A = 1;
    TBytes Id = Hex("78 56 34 12");
    uint16_t Manufacturer = 0x0443;   // ABC
    uint8_t Version = 1;
    uint8_t Medium = 0x07;
    TBytes Records;

    TBytes Bytes() const
    {
        TBytes body = {0x08, A, 0x72};
        body = Join(body, Id);
        body.push_back(uint8_t(Manufacturer));
        body.push_back(uint8_t(Manufacturer >> 8));
        body.insert(body.end(), {Version, Medium, 0x2A, 0x00, 0x00, 0x00});
        body = Join(body, Records);
        uint8_t cs = 0;
        for (uint8_t b : body) cs = uint8_t(cs + b);
        TBytes f = {0x68, uint8_t(body.size()), uint8_t(body.size()), 0x68};
        f = Join(f, body);
        f.push_back(cs);
        f.push_back(0x16);
        return f;
    }
};

class MBusTest : public ::testing::Test {
protected:
    TMBusDecoder Dec;

    void SetUp() override
    {
        SetDecimalSeparatorOverride('.');
        SetShortDateFormatOverride("dd/mm/yyyy");
        SetLongTimeFormatOverride("hh:nn:ss");
        Empty_Slave_MBus_List();
        Empty_Slave_wMBus_List();
    }
    void TearDown() override
    {
        Empty_Slave_MBus_List();
        Empty_Slave_wMBus_List();
        SetDecimalSeparatorOverride(0);
        SetShortDateFormatOverride("");
        SetLongTimeFormatOverride("");
    }

    // The records of a run of bytes, all of it.
    TVariableList Decode(const TBytes& Source, int* Result = nullptr)
    {
        TVariableList list;
        const int r = Dec.Decode_Data_Records(list, int(Source.size()) - 1, Source);
        if (Result) *Result = r;
        return list;
    }

    static size_t Count(TSlaveList& List)
    {
        std::lock_guard<std::mutex> lock(List.Lock);
        return List.Items.size();
    }
};
