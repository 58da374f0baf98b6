#pragma once
// The decoding side of the M-Bus scan engine: EN 13757-3 data records into TVariable_MBus
// objects with their values and units, wired answers into List_Slave_MBus and wireless
// telegrams (decrypted where the meter's key is known) into List_Slave_wMBus, with the two
// notifications that report to the scan window.
//
// Every position the decoders take from the data (lengths, counts, header offsets) is
// checked against the bytes they were given: a short, overlong or hostile frame gives a
// record marked as an error, a telegram that counts as not readable, or nothing, and never
// a read or write outside the buffer.
#include <atomic>
#include <cstdint>
#include <functional>
#include <span>

#include "mbus/decode/UMBusScanData.h"

enum TMBusType { mtWired, mtWireless };
enum TRadioModule { rmTelit, rmRadioCrafts };

// Wired progress: kind, value, found, scan type (meanings belong to the wired scan).
using TUpdateSlaveListEvent = std::function<void(int32_t Kind, int32_t Value, int32_t Found, int32_t ScanType)>;
// Wireless: the meter's index in List_Slave_wMBus and the meter (nullptr when the scan
// runs for an outside host, which gets the index alone). Called without the list's lock:
// a handler that reads the meter takes the lock and looks the index up again.
using TUpdateListWirelessSlaveEvent = std::function<void(int32_t Index, TSlave_wMBus* Meter)>;

// Offsets of the wired answer (a long frame) as the decoders read it.
constexpr int MBus_Long_Header_Size = 19;   // 68 L L 68 C A CI, ID(4) M(2) ver med acc st sig(2)
constexpr int MBus_Min_Long_Frame = MBus_Long_Header_Size + 2;   // header, checksum, stop byte

// A valid long frame: more than 21 bytes, 0x68 at bytes 0 and 3, equal length bytes, the
// stop byte 0x16 last and the checksum before it equal to the sum of bytes 4 .. size-3.
bool Is_Valid_Long_Frame(std::span<const uint8_t> Answer);

// The three letters of a manufacturer code ("?" for a letter out of A..Z).
String Trova_Man(uint16_t Manufacturer);
String Medium_Description(int Medium);
// A value as the scan shows it: up to 15 significant digits, fixed point between 0.00001
// and 10^15, else with an exponent ("1.5E-7"); the given decimal separator.
String MBus_Value_Text(long double V, char Decimal_Separator);

class TMBusDecoder {
public:
    // Which scan runs: a wireless scan keeps the idle fillers as placeholder records.
    TMBusType MBusType = mtWired;
    bool From_DLL = false;
    std::atomic<bool> New_Frame_Wireless{false};   // set by every telegram decoded (receive thread)
    TUpdateSlaveListEvent Update_Slave_List;
    TUpdateListWirelessSlaveEvent UpdateListWirelessSlave;

    // Work buffers of one record: its data bytes and its VIFEs (zeros after the last).
    uint8_t App_Data_Val[256] = {};
    uint8_t App_Vife_Val[12] = {};

    // Appends the records of Source[0 .. Last_Index] (Last_Index is inclusive, clipped to
    // the source) to Target. Returns 1, or 0 when a DIF 0x1F said more records follow.
    int Decode_Data_Records(TVariableList& Target, int Last_Index, std::span<const uint8_t> Source);

    // Reads the wired answer: a new slave from its header when Slave_Index < 0, else more
    // records for the slave at Slave_Index. More_Records tells whether a DIF 0x1F asked for
    // a further telegram. Returns the slave's index; -1, with nothing changed, when the
    // answer is shorter than a long frame header or the index names no slave.
    int Add_Wired_Slave_Frame(int Slave_Index, bool& More_Records, std::span<const uint8_t> Answer);

    // Decodes one wireless datagram (frame without CRC bytes plus the module's trailer)
    // into List_Slave_wMBus and notifies the scan window once. Decryption writes the
    // plaintext over the encrypted bytes of Datagram. A datagram whose length breaks the
    // module's rule, or that is too short for the link-layer header and the meter's
    // identity, is dropped without a meter and without a notification.
    void Decode_Wireless_Telegram(TRadioModule RadioModule, std::span<uint8_t> Datagram);

    // The packed BCD number in the first N bytes of App_Data_Val, least significant first;
    // a last byte with the high nibble 0xF makes it negative.
    int64_t BCD_To_Int64(int N) const;

    // Value, unit, description and class codes of one record, from App_Data_Val and
    // App_Vife_Val.
    void Decode_VIF_Value(uint8_t VIF, uint8_t First_VIFE, uint8_t Data_Field, uint8_t LVAR, int32_t NByte,
                          TVariable_MBus& Record);

    void Notify_Slave_List(int32_t A, int32_t B, int32_t C, int32_t D);
    void Notify_Wireless_Slave(int32_t Index, TSlave_wMBus* Meter);

private:
    // Regional settings cost a locale lookup each: the decimal separator and the date and
    // time texts of the records are read again only when the second of decoding changes.
    char FDecimal_Separator = 0;
    TDateTime FStamp_Time = -1;
    String FStamp_Date, FStamp_Clock;
};
