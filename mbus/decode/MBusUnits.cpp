// Values and units of the data records: the raw number by the data field, the primary VIF
// table, the extension tables of VIF 0xFD and 0xFB, the combinable VIFEs, date and time
// types, and the value text.
#include <array>
#include <charconv>
#include <cstdlib>
#include <string_view>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "mbus/decode/UMBusDecoder.h"
#include "platform/os/Regional.h"

namespace {

enum TEffect : uint8_t {
    efNone,
    efTimePoint,   // primary 6C/6D: date and time types by the data field
    efPlainText,   // primary 7C: the data bytes are the value text
    efDateText,    // combinable date entries: types G and F
    efPhase,       // combinable 7C: the next VIFE names the phase
};

struct TUnitEntry {
    const char* Text = "";
    int16_t Class = -1;
    uint8_t ExpBits = 0;   // 0: no scaling; else the exponent is the key's low ExpBits bits ...
    int8_t ExpOffset = 0;  // ... plus this
    TEffect Effect = efNone;
};

using TUnitTable = std::array<TUnitEntry, 128>;

// Fills From..To. One text: every key gets it; several: key From + i gets text i.
// ClassStep 1 numbers the keys' classes from Class on.
void Range(TUnitTable& t, int From, int To, std::initializer_list<const char*> Texts, int Class, int ExpBits = 0,
           int ExpOffset = 0, TEffect Effect = efNone, int ClassStep = 0)
{
    for (int k = From; k <= To; ++k) {
        TUnitEntry& e = t[static_cast<size_t>(k)];
        const size_t i = Texts.size() == 1 ? 0 : static_cast<size_t>(k - From);
        e.Text = i < Texts.size() ? Texts.begin()[i] : "";
        e.Class = static_cast<int16_t>(Class + ClassStep * (k - From));
        e.ExpBits = static_cast<uint8_t>(ExpBits);
        e.ExpOffset = static_cast<int8_t>(ExpOffset);
        e.Effect = Effect;
    }
}

const TUnitTable& Primary_Table()
{
    static const TUnitTable t = [] {
        TUnitTable t{};
        Range(t, 0x00, 0x07, {"Energy Wh"}, 0, 3, -3);
        Range(t, 0x08, 0x0F, {"Energy J"}, 1, 3, 0);
        Range(t, 0x10, 0x17, {"Volume m3"}, 2, 3, -6);
        Range(t, 0x18, 0x1F, {"Mass kg"}, 3, 3, -3);
        Range(t, 0x20, 0x23, {"On Time Seconds", "On Time Minutes", "On Time Hours", "On Time Days"}, 4);
        Range(t, 0x24, 0x27,
              {"Operating Time Seconds", "Operating Time Minutes", "Operating Time Hours", "Operating Time Days"},
              5);
        Range(t, 0x28, 0x2F, {"Power W"}, 6, 3, -3);
        Range(t, 0x30, 0x37, {"Power J/h"}, 7, 3, 0);
        Range(t, 0x38, 0x3F, {"Volume Flow m3/h"}, 8, 3, -6);
        Range(t, 0x40, 0x47, {"Volume Flow ext. m3/min"}, 9, 3, -7);
        Range(t, 0x48, 0x4F, {"Volume Flow ext. m3/s"}, 10, 3, -9);
        Range(t, 0x50, 0x57, {"Mass Flow kg/h"}, 11, 3, -3);
        Range(t, 0x58, 0x5B, {"Flow Temperature \u00B0C"}, 12, 2, -3);
        Range(t, 0x5C, 0x5F, {"Return Temperature \u00B0C"}, 13, 2, -3);
        Range(t, 0x60, 0x63, {"Temperature Difference K"}, 14, 2, -3);
        Range(t, 0x64, 0x67, {"External Temperature \u00B0C"}, 15, 2, -3);
        Range(t, 0x68, 0x6B, {"Pressure bar"}, 16, 2, -3);
        Range(t, 0x6C, 0x6D, {""}, 20, 0, 0, efTimePoint);
        Range(t, 0x6E, 0x6E, {"Units for H.C.A."}, 22);
        Range(t, 0x6F, 0x6F, {""}, -1);
        Range(t, 0x70, 0x73,
              {"Averaging Duration Seconds", "Averaging Duration Minutes", "Averaging Duration Hours",
               "Averaging Duration Days"},
              17);
        Range(t, 0x74, 0x77,
              {"Actuality Duration Seconds", "Actuality Duration Minutes", "Actuality Duration Hours",
               "Actuality Duration Days"},
              18);
        Range(t, 0x78, 0x78, {"Fabrication No"}, 23);
        Range(t, 0x79, 0x79, {"Identification"}, 24);
        Range(t, 0x7A, 0x7A, {"Bus Address"}, 25);
        Range(t, 0x7B, 0x7B, {""}, 19);
        Range(t, 0x7C, 0x7C, {"Vif in following String"}, 21, 0, 0, efPlainText);
        Range(t, 0x7D, 0x7D, {""}, 19);
        Range(t, 0x7E, 0x7E, {"Any VIF"}, -1);
        Range(t, 0x7F, 0x7F, {"Manufacturer Specific"}, -1);
        return t;
    }();
    return t;
}

// Extension table of VIF 0xFD (key: first VIFE & 0x7F).
const TUnitTable& FD_Table()
{
    static const TUnitTable t = [] {
        TUnitTable t{};
        Range(t, 0x00, 0x7F, {"Reserved"}, -1);
        Range(t, 0x00, 0x03, {"Credit of (currency units)"}, 1, 2, -3);
        Range(t, 0x04, 0x07, {"Debit of (currency units)"}, 2, 2, -3);
        const char* const singles[] = {
            "Unique message Identification", "Device Type", "Manufacturer", "Parameter Set Identification",
            "Model Version", "Hardware Version Number", "Metrology (Firmware) Version Number",
            "Other Software Version Number", "Customer LOcation", "Customer", "Access Code User",
            "Access Code Operator", "Access Code System Operator", "Access Code Developer", "Password",
            "Error Flag (Binary)", "Error Mask"};
        for (int i = 0; i < 17; ++i) Range(t, 0x08 + i, 0x08 + i, {singles[i]}, 3 + i);
        Range(t, 0x19, 0x19, {"Security Key"}, 126);
        Range(t, 0x1A, 0x1A, {"Digital Output (Binary)"}, 20);
        Range(t, 0x1B, 0x1B, {"Digital Input (Binary)"}, 21);
        Range(t, 0x1C, 0x1C, {"Baudrate [Baud]"}, 22);
        Range(t, 0x1D, 0x1D, {"Responce Delay Time [Bit-Times]"}, 23);
        Range(t, 0x1E, 0x1E, {"Retry"}, 24);
        Range(t, 0x1F, 0x1F, {"Remote Control (Device Specific e.g. Gas Value)"}, 127);
        Range(t, 0x20, 0x20, {"First Storage Number for Cyclic Storage"}, 25);
        Range(t, 0x21, 0x21, {"Last Storage Number for Cyclic Storage"}, 26);
        Range(t, 0x22, 0x22, {"Size of Storage Block"}, 27);
        Range(t, 0x24, 0x27,
              {"Storage Interval Second(s)", "Storage Interval Minute(s)", "Storage Interval Hour(s)",
               "Storage Interval Day(s)"},
              28);
        Range(t, 0x28, 0x28, {"Storage Interval Month(s)"}, 29);
        Range(t, 0x29, 0x29, {"Storage Interval Year(s)"}, 30);
        Range(t, 0x2A, 0x2A, {"Operator Specific Data"}, 128);
        Range(t, 0x2B, 0x2B, {"Time Point Second (0 to 59)"}, 129);
        Range(t, 0x2C, 0x2F,
              {"Duration Since Last Readout Second(s)", "Duration Since Last Readout Minute(s)",
               "Duration Since Last Readout Hour(s)", "Duration Since Last Readout Day(s)"},
              31);
        Range(t, 0x30, 0x30, {"Start (Date/Time) of Tariff"}, 32);
        Range(t, 0x31, 0x33,
              {"Duration of Tariff Minute(s)", "Duration of Tariff Hour(s)", "Duration of Tariff Day(s)"}, 33);
        Range(t, 0x34, 0x37,
              {"Period of Tariff Second(s)", "Period of Tariff Minute(s)", "Period of Tariff Hour(s)",
               "Period of Tariff Day(s)"},
              34);
        Range(t, 0x38, 0x38, {"Period of Tariff Month(s)"}, 35);
        Range(t, 0x39, 0x39, {"Period of Tariff Year(s)"}, 36);
        Range(t, 0x3A, 0x3A, {"Dimensionless / No VIF"}, 37);
        Range(t, 0x3B, 0x3B, {"Data Container for Wireless M-Bus Protocol"}, 130);
        Range(t, 0x3C, 0x3F,
              {"Period of Nominal Data Transmissions Second(s)", "Period of Nominal Data Transmissions Minute(s)",
               "Period of Nominal Data Transmissions Hour(s)", "Period of Nominal Data Transmissions Day(s)"},
              131);
        Range(t, 0x40, 0x4F, {"Electric Units Volts"}, 38, 4, -9);
        Range(t, 0x50, 0x5F, {"Electric Units A"}, 39, 4, -12);
        const char* const counters[] = {"Reset Counter",         "Cumulation Counter",
                                        "Control Signal",        "Day of Week",
                                        "Week Number",           "Time Point of Day Change",
                                        "State of Parameter Activation", "Special Supplier Information"};
        for (int i = 0; i < 8; ++i) Range(t, 0x60 + i, 0x60 + i, {counters[i]}, 40 + i);
        Range(t, 0x68, 0x6B,
              {"Duration Since Last Cumulation Hour(s)", "Duration Since Last Cumulation Day(s)",
               "Duration Since Last Cumulation Month(s)", "Duration Since Last Cumulation Year(s)"},
              48);
        Range(t, 0x6C, 0x6F,
              {"Operating Time Battery Hour(s)", "Operating Time Battery Day(s)", "Operating Time Battery Month(s)",
               "Operating Time Battery Year(s)"},
              49);
        Range(t, 0x70, 0x70, {"Date and Time of Battery Change"}, 50);
        Range(t, 0x71, 0x71, {"RF Level Units: dBm"}, 132);
        Range(t, 0x72, 0x72, {"Daylight Savings (Beginning, Ending, Deviation) Data Type K"}, 133);
        Range(t, 0x73, 0x73, {"Listening Window Management Data Type L"}, 134);
        Range(t, 0x74, 0x74, {"Remaining Battery Life Time (Days)"}, 135);
        Range(t, 0x75, 0x75, {"Number Times the Meter Was Stopped"}, 136);
        return t;
    }();
    return t;
}

// Extension table of VIF 0xFB (key: first VIFE & 0x7F).
const TUnitTable& FB_Table()
{
    static const TUnitTable t = [] {
        TUnitTable t{};
        Range(t, 0x00, 0x7F, {"Reserved"}, -1);
        Range(t, 0x00, 0x01, {"Energy MWh"}, 51, 1, -1);
        Range(t, 0x02, 0x03, {"Reactive Energy kVARh"}, 137, 1, 0);
        Range(t, 0x04, 0x05, {"Apparent Energy kVAh"}, 138, 1, 0);
        Range(t, 0x08, 0x09, {"Energy GJ"}, 52, 1, -1);
        Range(t, 0x0C, 0x0F, {"Energy MCal"}, 139, 2, -1);
        Range(t, 0x10, 0x11, {"Volume m3"}, 53, 1, 2);
        Range(t, 0x14, 0x17, {"Reactive Power kVAR"}, 140, 2, -3);
        Range(t, 0x18, 0x19, {"Volume t"}, 54, 1, 2);
        Range(t, 0x1A, 0x1B, {"Relative Humidity %"}, 141, 1, -1);
        Range(t, 0x20, 0x20, {"Volume Feet 3"}, 142);
        Range(t, 0x21, 0x21, {"Volume 0,1 Feet 3"}, 55);
        Range(t, 0x22, 0x22, {"Volume 0,1 American Gallon"}, 56);
        Range(t, 0x23, 0x23, {"Volume 1 American Gallon"}, 57);
        Range(t, 0x24, 0x24, {"Volume Flow 0,001 American Gallon/min"}, 58);
        Range(t, 0x25, 0x25, {"Volume Flow 1 American Gallon/min"}, 59);
        Range(t, 0x26, 0x26, {"Volume Flow 1 American Gallon/h"}, 60);
        Range(t, 0x28, 0x29, {"Power MW"}, 61, 1, -1);
        Range(t, 0x2A, 0x2A, {"Phase U-U (Volt. to Volt.)"}, 143);
        Range(t, 0x2B, 0x2B, {"Phase U-I (Volt. to Current)"}, 144);
        Range(t, 0x2C, 0x2F, {"Frequency Hz"}, 145, 2, -3);
        Range(t, 0x30, 0x31, {"Power GJ/h"}, 62, 1, -1);
        Range(t, 0x34, 0x37, {"Apparent Power kVA"}, 146, 2, -3);
        Range(t, 0x58, 0x5B, {"Flow Temperature \u00B0F"}, 63, 2, -3);
        Range(t, 0x5C, 0x5F, {"Return Temperature \u00B0F"}, 64, 2, -3);
        Range(t, 0x60, 0x63, {"Temperature Difference \u00B0F"}, 65, 2, -3);
        Range(t, 0x64, 0x67, {"External Temperature \u00B0F"}, 66, 2, -3);
        Range(t, 0x70, 0x73, {"Cold / Warm Temperature Limit \u00B0F"}, 67, 2, -3);
        Range(t, 0x74, 0x77, {"Cold / Warm Temperature Limit \u00B0C"}, 68, 2, -3);
        Range(t, 0x78, 0x7F, {"Cum. Max. of Active Power W"}, 69, 3, -3);
        return t;
    }();
    return t;
}

// Combinable VIFEs (key: VIFE & 0x7F): appended text, class, scaling, effect.
const TUnitTable& Combinable_Table()
{
    static const TUnitTable t = [] {
        TUnitTable t{};
        Range(t, 0x00, 0x7F, {" - Reserved"}, -1);
        const char* const errors[] = {" - None",
                                      " - Too Many DIFEs",
                                      " - Storage Number not Implemented",
                                      " - Unit Number not Implemented",
                                      " - Tariff Number not Implemented",
                                      " - Function not Implemented",
                                      " - Data Class not Implemented",
                                      " - Data Size not Implemented"};
        for (int i = 0; i < 8; ++i) Range(t, i, i, {errors[i]}, 108 + i);
        Range(t, 0x0B, 0x0B, {" - Too Many VIFEs"}, 116);
        Range(t, 0x0C, 0x0C, {" - Illegal VIF-Group"}, 117);
        Range(t, 0x0D, 0x0D, {" - Illegal VIF-Exponent"}, 118);
        Range(t, 0x0E, 0x0E, {" - VIF / DIF Mismatch"}, 119);
        Range(t, 0x0F, 0x0F, {" - Unimplemented Action"}, 120);
        Range(t, 0x15, 0x15, {" - No Data Available (Undefined Value)"}, 121);
        Range(t, 0x16, 0x16, {" - Data Overflow"}, 122);
        Range(t, 0x17, 0x17, {" - Data Underflow"}, 123);
        Range(t, 0x18, 0x18, {" - Data Error"}, 124);
        Range(t, 0x1C, 0x1C, {" - Premature End of Record"}, 125);
        Range(t, 0x20, 0x27,
              {" - Per Second", " - Per Minute", " - Per Hour", " - Per Day", " - Per Week", " - Per Month",
               " - Per Year", " - Per Revolution / Measurement"},
              70, 0, 0, efNone, 1);
        Range(t, 0x28, 0x29,
              {" - Increment per Input Pulse on Input Channel 0", " - Increment per Input Pulse on Input Channel 1"},
              78);
        Range(t, 0x2A, 0x2B,
              {" - Increment per Output Pulse on Output Channel 0",
               " - Increment per Output Pulse on Output Channel 1"},
              79);
        Range(t, 0x2C, 0x35,
              {" - Per Liter", " - Per m3", " - Per kg", " - Per K (Kelvin)", " - Per kWh", " - Per GJ", " - Per kW",
               " - Per (K*l)(Kelvin * Litre)", " - Per V (Volt)", " - Per (A) (Ampere)"},
              80, 0, 0, efNone, 1);
        Range(t, 0x36, 0x38, {" - Multiplied by s", " - Multiplied by s / V", " - Multiplied by s / A"}, 90, 0, 0,
              efNone, 1);
        Range(t, 0x39, 0x39, {" - Start Date (/Time) of"}, 93);
        Range(t, 0x3A, 0x3A,
              {" - VIF Contains Uncorrect Unit or Value at Metering Conditions Instead of Converted Unit"}, 94);
        Range(t, 0x3B, 0x3B, {" - Accumulation Only if Positive Contributions (Forward Flow Contribution)"}, 95);
        Range(t, 0x3C, 0x3C, {" - Accumulation of abs Value Only if Negative Contributions (Backward Flow)"}, 96);
        Range(t, 0x3D, 0x3D, {" - Reserved for Alternate non-metric Unit System (according to Annex C)"}, 147);
        Range(t, 0x3E, 0x3E, {" - Value at Base Conditions"}, 148);
        Range(t, 0x40, 0x40, {" - Lower Limit Value"}, 97);
        Range(t, 0x48, 0x48, {" - Upper Limit Value"}, 97);
        Range(t, 0x41, 0x41, {" - # of Exceeds of Lower Limit"}, 98);
        Range(t, 0x49, 0x49, {" - # of Exceeds of Upper Limit"}, 98);
        Range(t, 0x42, 0x43,
              {" - Date(/Time) of Begin of First Lower Limit Exceed", " - Date(/Time) of End of First Lower Limit Exceed"},
              99, 0, 0, efDateText);
        Range(t, 0x46, 0x47,
              {" - Date(/Time) of Begin of Last Lower Limit Exceed", " - Date(/Time) of End of Last Lower Limit Exceed"},
              99, 0, 0, efDateText);
        Range(t, 0x4A, 0x4B,
              {" - Date(/Time) of Begin of First Upper Limit Exceed", " - Date(/Time) of End of First Upper Limit Exceed"},
              99, 0, 0, efDateText);
        Range(t, 0x4E, 0x4F,
              {" - Date(/Time) of Begin of Last Upper Limit Exceed", " - Date(/Time) of End of Last Upper Limit Exceed"},
              99, 0, 0, efDateText);
        Range(t, 0x50, 0x53,
              {" - Duration 00 of First Lower Limit Exceed", " - Duration 01 of First Lower Limit Exceed",
               " - Duration 02 of First Lower Limit Exceed", " - Duration 03 of First Lower Limit Exceed"},
              100);
        Range(t, 0x54, 0x57,
              {" - Duration 00 of Last Lower Limit Exceed", " - Duration 01 of Last Lower Limit Exceed",
               " - Duration 02 of Last Lower Limit Exceed", " - Duration 03 of Last Lower Limit Exceed"},
              100);
        Range(t, 0x58, 0x5B,
              {" - Duration 00 of First Upper Limit Exceed", " - Duration 01 of First Upper Limit Exceed",
               " - Duration 02 of First Upper Limit Exceed", " - Duration 03 of First Upper Limit Exceed"},
              100);
        Range(t, 0x5C, 0x5F,
              {" - Duration 00 of Last Upper Limit Exceed", " - Duration 01 of Last Upper Limit Exceed",
               " - Duration 02 of Last Upper Limit Exceed", " - Duration 03 of Last Upper Limit Exceed"},
              100);
        Range(t, 0x60, 0x63,
              {" - Duration 00 of First", " - Duration 01 of First", " - Duration 02 of First",
               " - Duration 03 of First"},
              101);
        Range(t, 0x64, 0x67,
              {" - Duration 00 of Last", " - Duration 01 of Last", " - Duration 02 of Last", " - Duration 03 of Last"},
              101);
        Range(t, 0x68, 0x68, {" - Value During Lower Limit Exceed"}, 149);
        Range(t, 0x69, 0x69, {" - Leakage Values"}, 150);
        Range(t, 0x6A, 0x6B, {" - Date(/Time) of Begin of First", " - Date(/Time) of End of First"}, 102, 0, 0,
              efDateText);
        Range(t, 0x6C, 0x6C, {" - Value During Upper Limit Exceed"}, 149);
        Range(t, 0x6D, 0x6D, {" - Overflow Values"}, 151);
        Range(t, 0x6E, 0x6F, {" - Date(/Time) of Begin of Last", " - Date(/Time) of End of Last"}, 102, 0, 0,
              efDateText);
        Range(t, 0x70, 0x77,
              {" - Moltiplicative Correction Factor: 10^(-6)", " - Moltiplicative Correction Factor: 10^(-5)",
               " - Moltiplicative Correction Factor: 10^(-4)", " - Moltiplicative Correction Factor: 10^(-3)",
               " - Moltiplicative Correction Factor: 10^(-2)", " - Moltiplicative Correction Factor: 10^(-1)",
               " - Moltiplicative Correction Factor: 10^(0)", " - Moltiplicative Correction Factor: 10^(1)"},
              103, 3, -6);
        Range(t, 0x78, 0x7B,
              {" - Additive Correction Constant: 10^(-3) * Unit of VIF",
               " - Additive Correction Constant: 10^(-2) * Unit of VIF",
               " - Additive Correction Constant: 10^(-1) * Unit of VIF",
               " - Additive Correction Constant: 10^(0) * Unit of VIF"},
              104, 2, -3);
        Range(t, 0x7C, 0x7C, {""}, -1, 0, 0, efPhase);
        Range(t, 0x7D, 0x7D, {" - Multiplicative Cerrection Factor: 10^(3)"}, 105, 0, 3);
        Range(t, 0x7E, 0x7E, {" - Future Value"}, 106);
        Range(t, 0x7F, 0x7F, {" - Next VIFEs and Data of This Block Are Manufacturer Specific"}, 107);
        return t;
    }();
    return t;
}

const char* Phase_Text(uint8_t Key)
{
    switch (Key) {
    case 1: return " - At Phase L1";
    case 2: return " - At Phase L2";
    case 3: return " - At Phase L3";
    case 4: return " - At Neutral (N)";
    case 5: return " - Between Phase L1 and L2";
    case 6: return " - Between Phase L2 and L3";
    case 7: return " - Between Phase L3 and L1";
    case 0x10: return " - Accumulation of abs. Value for Both Positive and Negative Contribution (Absolute Count)";
    default: return "";
    }
}

long double Scale(long double V, int Exponent)
{
    // Dividing by an exact power of ten rounds once; multiplying by 10^-k would round twice.
    long double p = 1;
    for (int i = 0; i < (Exponent < 0 ? -Exponent : Exponent); ++i) p *= 10;
    return Exponent < 0 ? V / p : V * p;
}

long double Apply(const TUnitEntry& e, uint8_t Key, long double V)
{
    if (e.ExpBits == 0) return e.ExpOffset ? Scale(V, e.ExpOffset) : V;
    return Scale(V, (Key & ((1 << e.ExpBits) - 1)) + e.ExpOffset);
}

String Two(int n)
{
    char b[16];
    std::snprintf(b, sizeof b, "%02d", n);
    return b;
}

// Date and time of types G (2 bytes), F (4), J (3) and I (6) by the data field; empty for
// any other.
String Date_Time_Text(const uint8_t* b, uint8_t D, String* Description)
{
    static const char* const Weekdays[8] = {"", "Monday ", "Tuesday ", "Wednesday ", "Thursday ",
                                            "Friday ", "Saturday ", "Sunday "};
    const auto date = [](uint8_t lo, uint8_t hi) {
        const int year = (lo >> 5) + ((hi >> 1) & 0x78);
        return Two(lo & 0x1F) + "/" + Two(hi & 0x0F) + "/" + Two(year);
    };
    switch (D) {
    case 2:
        if (Description) *Description = "Time Point Date (Type G)";
        return date(b[0], b[1]);
    case 4:
        if (Description) *Description = "Time Point Date and Time (Type F)";
        return date(b[2], b[3]) + " " + Two(b[1] & 0x1F) + ":" + Two(b[0] & 0x3F);
    case 3:
        if (Description) *Description = "Time Point Extended Time Point (Type J)";
        return Two(b[2] & 0x1F) + ":" + Two(b[1] & 0x3F) + ":" + Two(b[0] & 0x3F);
    case 6:
        if (Description) *Description = "Time Point Extended Date and Time Point (Type I)";
        return String(Weekdays[b[2] >> 5]) + date(b[3], b[4]) + " " + Two(b[2] & 0x1F) + ":" + Two(b[1] & 0x3F) +
               ":" + Two(b[0] & 0x3F);
    default:
        if (Description) Description->clear();
        return {};
    }
}

int64_t Signed_LE(const uint8_t* b, int Bytes)
{
    uint64_t v = 0;
    for (int i = 0; i < Bytes; ++i) v |= uint64_t(b[i]) << (8 * i);
    if (Bytes < 8 && (v >> (8 * Bytes - 1)) & 1) v |= ~uint64_t(0) << (8 * Bytes);
    return static_cast<int64_t>(v);
}

}   // namespace

// The general form of a number with up to 15 significant digits: fixed point while the
// number lies between 0.00001 and 10^15, else mantissa and exponent ("1.5E-7", "1E20").
// The digits come from the shortest-path conversion of the standard library (a value that
// needs a long double's extra precision to tell it from its neighbours does not occur in
// a meter's reading).
String MBus_Value_Text(long double V, char Decimal_Separator)
{
    if (std::isnan(V)) return "NAN";
    if (std::isinf(V)) return V < 0 ? "-INF" : "INF";
    if (V == 0) return "0";
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf - 1, static_cast<double>(V), std::chars_format::scientific, 14);
    *r.ptr = '\0';
    const std::string_view sci(buf, static_cast<size_t>(r.ptr - buf));
    const bool negative = sci[0] == '-';
    const size_t e_pos = sci.find('e');
    String digits;   // the significant digits, without the point and trailing zeros
    for (size_t i = negative ? 1 : 0; i < e_pos; ++i)
        if (sci[i] != '.') digits += sci[i];
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const int exponent = std::atoi(sci.data() + e_pos + 1);

    String s = negative ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        if (exponent >= 0) {
            const size_t whole = static_cast<size_t>(exponent) + 1;
            s += digits.substr(0, whole);
            if (digits.size() < whole) s.append(whole - digits.size(), '0');
            if (digits.size() > whole) s += Decimal_Separator + digits.substr(whole);
        } else {
            s += '0';
            s += Decimal_Separator;
            s.append(static_cast<size_t>(-exponent - 1), '0');
            s += digits;
        }
    } else {
        s += digits.substr(0, 1);
        if (digits.size() > 1) s += Decimal_Separator + digits.substr(1);
        s += 'E';
        s += IntToStr(exponent);
    }
    return s;
}

void TMBusDecoder::Decode_VIF_Value(uint8_t VIF, uint8_t First_VIFE, uint8_t Data_Field, uint8_t LVAR, int32_t NByte,
                                    TVariable_MBus& Record)
{
    const uint8_t* b = App_Data_Val;
    // 1. The raw value.
    long double V = 0;
    switch (Data_Field) {
    case 1: case 2: case 3: case 4: V = static_cast<long double>(Signed_LE(b, Data_Field)); break;
    case 6: V = static_cast<long double>(Signed_LE(b, 6)); break;
    case 7: V = static_cast<long double>(Signed_LE(b, 8)); break;
    case 5: {
        float f;
        const uint32_t bits = uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
        std::memcpy(&f, &bits, sizeof f);
        V = f;
        break;
    }
    case 9: V = static_cast<long double>(BCD_To_Int64(1)); break;
    case 10: V = static_cast<long double>(BCD_To_Int64(2)); break;
    case 11: V = static_cast<long double>(BCD_To_Int64(3)); break;
    case 12: V = static_cast<long double>(BCD_To_Int64(4)); break;
    case 14: V = static_cast<long double>(BCD_To_Int64(6)); break;
    case 13:
        if (LVAR >= 0xC0 && LVAR <= 0xC9) V = static_cast<long double>(BCD_To_Int64(LVAR - 0xC0));
        if (LVAR >= 0xD0 && LVAR <= 0xD9) V = -static_cast<long double>(BCD_To_Int64(LVAR - 0xD0));
        break;
    default: break;
    }

    // 2. The primary VIF.
    const uint8_t key = VIF & 0x7F;
    const TUnitEntry& pe = Primary_Table()[key];
    int P = pe.Class, X = -1;
    String desc = pe.Text, T;
    V = Apply(pe, key, V);
    if (pe.Effect == efTimePoint) T = Date_Time_Text(b, Data_Field, &desc);
    if (pe.Effect == efPlainText) {
        const int n = NByte < 0 ? 0 : NByte > 256 ? 256 : NByte;
        T.assign(reinterpret_cast<const char*>(b), static_cast<size_t>(n));
    }

    // 3-5. Where the combinable VIFEs start (-1: none); the extension tables.
    int q = ((VIF & 0x80) && VIF != 0xFE && VIF != 0xFF) ? 0 : -1;
    if (VIF == 0xFD || VIF == 0xFB) {
        const uint8_t k = First_VIFE & 0x7F;
        const TUnitEntry& xe = (VIF == 0xFD ? FD_Table() : FB_Table())[k];
        desc = xe.Text;
        X = xe.Class;
        V = Apply(xe, k, V);
        q = (First_VIFE & 0x80) ? 1 : -1;
    }

    // 6. Combinable VIFEs: at most ten are looked at.
    while (q >= 0) {
        const uint8_t k = App_Vife_Val[q] & 0x7F;
        const TUnitEntry& ce = Combinable_Table()[k];
        if (ce.Effect == efPhase) {
            if (q < 9) {
                ++q;
                desc += Phase_Text(App_Vife_Val[q] & 0x7F);
            }
        } else {
            desc += ce.Text;
            if (X == -1) X = ce.Class;
            V = Apply(ce, k, V);
            if (ce.Effect == efDateText) T = (Data_Field == 2 || Data_Field == 4) ? Date_Time_Text(b, Data_Field, nullptr) : String();
        }
        if ((App_Vife_Val[q] & 0x80) && q < 9)
            ++q;
        else
            q = -1;
    }

    // 7.
    Record.type_data = static_cast<uint16_t>(P);
    Record.Type_Data_Vife = X == -1 ? 0 : X;
    Record.Desc_Type_Data = desc;
    Record.ValueStr = !T.empty() ? T : MBus_Value_Text(V, FDecimal_Separator ? FDecimal_Separator : GetDecimalSeparator());
}
