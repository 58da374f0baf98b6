// Values and units: the raw value by data field, the primary VIF table, the extension
// tables of VIF 0xFD and 0xFB, combinable VIFEs, dates and times, and the value text.
#include "tests/mbus/mbus_fixture.h"

namespace {

using Units = MBusTest;

struct TUnitCase {
    const char* bytes;
    const char* desc;
    const char* value;
    uint16_t type_data;
    int32_t type_vife;
};

void Check(MBusTest& T, TMBusDecoder& Dec, const TUnitCase* Cases, size_t N)
{
    for (size_t i = 0; i < N; ++i) {
        const TUnitCase& c = Cases[i];
        TVariableList list;
        const TBytes src = Hex(c.bytes);
        Dec.Decode_Data_Records(list, int(src.size()) - 1, src);
        ASSERT_EQ(list.size(), 1u) << c.bytes;
        EXPECT_EQ(list[0]->Desc_Type_Data, c.desc) << c.bytes;
        EXPECT_EQ(list[0]->ValueStr, c.value) << c.bytes;
        EXPECT_EQ(list[0]->type_data, c.type_data) << c.bytes;
        EXPECT_EQ(list[0]->Type_Data_Vife, c.type_vife) << c.bytes;
    }
}

TEST_F(Units, RawValuesByDataField)
{
    const TUnitCase cases[] = {
        {"01 16 FF", "Volume m3", "-1", 2, 0},                       // signed 8 bit
        {"02 16 00 80", "Volume m3", "-32768", 2, 0},
        {"03 16 FF FF 7F", "Volume m3", "8388607", 2, 0},
        {"03 16 00 00 80", "Volume m3", "-8388608", 2, 0},          // bit 23 is the sign
        {"04 16 FF FF FF FF", "Volume m3", "-1", 2, 0},
        {"06 16 00 00 00 00 00 80", "Volume m3", "-140737488355328", 2, 0},
        {"07 16 FF FF FF FF FF FF FF FF", "Volume m3", "-1", 2, 0},
        {"07 16 00 00 00 00 00 00 00 01", "Volume m3", "7.20575940379279E16", 2, 0},
        {"05 16 00 00 C0 3F", "Volume m3", "1.5", 2, 0},             // IEEE single
        {"05 16 00 00 C0 BF", "Volume m3", "-1.5", 2, 0},
        {"09 16 42", "Volume m3", "42", 2, 0},
        {"0A 16 21 F3", "Volume m3", "-321", 2, 0},
        {"0B 16 56 34 12", "Volume m3", "123456", 2, 0},
        {"0C 16 78 56 34 12", "Volume m3", "12345678", 2, 0},
        {"0E 16 12 90 78 56 34 12", "Volume m3", "123456789012", 2, 0},
        {"0D 16 C3 56 34 12", "Volume m3", "123456", 2, 0},          // variable-length BCD
        {"0D 16 D2 34 12", "Volume m3", "-1234", 2, 0},
        {"0D 16 E2 34 12", "Volume m3", "0", 2, 0},                  // binary: no value
        {"0D 13 02 41 42", "Volume m3", "0", 2, 0},                  // ASCII: no value
        {"00 16", "Volume m3", "0", 2, 0},
    };
    Check(*this, Dec, cases, std::size(cases));
}

TEST_F(Units, PrimaryVifTable)
{
    const TUnitCase cases[] = {
        {"04 13 39 30 00 00", "Volume m3", "12.345", 2, 0},
        {"04 06 39 30 00 00", "Energy Wh", "12345000", 0, 0},
        {"04 00 39 30 00 00", "Energy Wh", "12.345", 0, 0},
        {"04 0E 01 00 00 00", "Energy J", "1000000", 1, 0},
        {"04 1B 39 30 00 00", "Mass kg", "12345", 3, 0},
        {"04 22 05 00 00 00", "On Time Hours", "5", 4, 0},
        {"04 27 05 00 00 00", "Operating Time Days", "5", 5, 0},
        {"04 2B 39 30 00 00", "Power W", "12345", 6, 0},
        {"04 30 39 30 00 00", "Power J/h", "12345", 7, 0},
        {"04 3B 39 30 00 00", "Volume Flow m3/h", "12.345", 8, 0},
        {"04 40 39 30 00 00", "Volume Flow ext. m3/min", "0.0012345", 9, 0},
        {"04 48 01 00 00 00", "Volume Flow ext. m3/s", "1E-9", 10, 0},
        {"04 53 39 30 00 00", "Mass Flow kg/h", "12345", 11, 0},
        {"02 5A 34 06", "Flow Temperature \u00B0C", "158.8", 12, 0},
        {"02 5E 12 04", "Return Temperature \u00B0C", "104.2", 13, 0},
        {"02 61 DE 00", "Temperature Difference K", "2.22", 14, 0},
        {"02 66 C8 00", "External Temperature \u00B0C", "20", 15, 0},
        {"02 68 E8 03", "Pressure bar", "1", 16, 0},
        {"02 6E 07 00", "Units for H.C.A.", "7", 22, 0},
        {"02 6F 07 00", "", "7", 65535, 0},
        {"01 71 07", "Averaging Duration Minutes", "7", 17, 0},
        {"01 74 07", "Actuality Duration Seconds", "7", 18, 0},
        {"0C 78 78 56 34 12", "Fabrication No", "12345678", 23, 0},
        {"0C 79 78 56 34 12", "Identification", "12345678", 24, 0},
        {"01 7A 07", "Bus Address", "7", 25, 0},
        {"0D 7C 03 68 2F 6C 02 34 32", "Vif in following String", "42", 21, 0},
        {"01 7F 07", "Manufacturer Specific", "7", 65535, 0},
    };
    Check(*this, Dec, cases, std::size(cases));
}

TEST_F(Units, DatesAndTimes)
{
    const TUnitCase cases[] = {
        {"04 6D 1E 0A 2F 31", "Time Point Date and Time (Type F)", "15/01/25 10:30", 20, 0},
        {"02 6C 1F 0C", "Time Point Date (Type G)", "31/12/00", 20, 0},
        {"02 6C E1 07", "Time Point Date (Type G)", "01/07/07", 20, 0},
        {"03 6D 05 04 03", "Time Point Extended Time Point (Type J)", "03:04:05", 20, 0},
        {"06 6D 05 04 23 2F 31 00", "Time Point Extended Date and Time Point (Type I)",
         "Monday 15/01/25 03:04:05", 20, 0},
        {"06 6D 05 04 03 2F 31 00", "Time Point Extended Date and Time Point (Type I)", "15/01/25 03:04:05", 20, 0},
        {"01 6D 05", "", "5", 20, 0},   // no date type for this data field
    };
    Check(*this, Dec, cases, std::size(cases));
}

TEST_F(Units, ExtensionTables)
{
    const TUnitCase cases[] = {
        {"01 FD 0E 05", "Metrology (Firmware) Version Number", "5", 19, 9},
        {"01 FD 8E 3A 05",
         "Metrology (Firmware) Version Number - VIF Contains Uncorrect Unit or Value at Metering Conditions Instead "
         "of Converted Unit",
         "5", 19, 9},
        {"02 FD 02 39 30", "Credit of (currency units)", "1234.5", 19, 1},
        {"02 FD 07 39 30", "Debit of (currency units)", "12345", 19, 2},
        {"01 FD 19 05", "Security Key", "5", 19, 126},
        {"01 FD 31 05", "Duration of Tariff Minute(s)", "5", 19, 33},
        {"01 FD 33 05", "Duration of Tariff Day(s)", "5", 19, 33},
        {"01 FD 26 05", "Storage Interval Hour(s)", "5", 19, 28},
        {"01 FD 23 05", "Reserved", "5", 19, 0},
        {"02 FD 49 E8 03", "Electric Units Volts", "1000", 19, 38},
        {"02 FD 59 E8 03", "Electric Units A", "1", 19, 39},
        {"01 FD 67 05", "Special Supplier Information", "5", 19, 47},
        {"01 FD 6D 05", "Operating Time Battery Day(s)", "5", 19, 49},
        {"01 FD 75 05", "Number Times the Meter Was Stopped", "5", 19, 136},
        {"01 FD 7F 05", "Reserved", "5", 19, 0},
        {"01 FB 27 05", "Reserved", "5", 19, 0},
        {"01 FB A7 20 05", "Reserved - Per Second", "5", 19, 70},
        {"02 FB 00 39 30", "Energy MWh", "1234.5", 19, 51},
        {"02 FB 03 39 30", "Reactive Energy kVARh", "123450", 19, 137},
        {"02 FB 0F 39 30", "Energy MCal", "1234500", 19, 139},
        {"02 FB 11 39 30", "Volume m3", "12345000", 19, 53},
        {"02 FB 1A 39 30", "Relative Humidity %", "1234.5", 19, 141},
        {"02 FB 2D 39 30", "Frequency Hz", "123.45", 19, 145},
        {"02 FB 5A 39 30", "Flow Temperature \u00B0F", "1234.5", 19, 63},
        {"02 FB 74 39 30", "Cold / Warm Temperature Limit \u00B0C", "12.345", 19, 68},
        {"02 FB 7F 39 30", "Cum. Max. of Active Power W", "123450000", 19, 69},
        {"02 FB 50 39 30", "Reserved", "12345", 19, 0},
    };
    Check(*this, Dec, cases, std::size(cases));
}

TEST_F(Units, CombinableVifes)
{
    const TUnitCase cases[] = {
        {"04 96 22 39 30 00 00", "Volume m3 - Per Hour", "12345", 2, 72},
        {"04 93 08 39 30 00 00", "Volume m3 - Reserved", "12.345", 2, 0},
        {"04 93 75 39 30 00 00", "Volume m3 - Moltiplicative Correction Factor: 10^(-1)", "1.2345", 2, 103},
        {"04 93 7B 39 30 00 00", "Volume m3 - Additive Correction Constant: 10^(0) * Unit of VIF", "12.345", 2, 104},
        {"04 93 7D 39 30 00 00", "Volume m3 - Multiplicative Cerrection Factor: 10^(3)", "12345", 2, 105},
        // The first class set stays; later VIFEs only add their texts.
        {"04 93 A2 3B 39 30 00 00",
         "Volume m3 - Per Hour - Accumulation Only if Positive Contributions (Forward Flow Contribution)", "12.345", 2,
         72},
        {"04 93 80 22 39 30 00 00", "Volume m3 - None - Per Hour", "12.345", 2, 108},
        // Phases: the next VIFE names one.
        {"02 FD C8 FC 02 E8 03", "Electric Units Volts - At Phase L2", "100", 19, 38},
        {"02 FD C8 FC 10 E8 03",
         "Electric Units Volts - Accumulation of abs. Value for Both Positive and Negative Contribution (Absolute "
         "Count)",
         "100", 19, 38},
        // Date entries replace the value with a date of type G or F.
        {"02 FD 97 6A 1F 0C", "Error Flag (Binary) - Date(/Time) of Begin of First", "31/12/00", 19, 18},
        {"04 93 42 1E 0A 2F 31", "Volume m3 - Date(/Time) of Begin of First Lower Limit Exceed", "15/01/25 10:30", 2,
         99},
        {"01 93 42 05", "Volume m3 - Date(/Time) of Begin of First Lower Limit Exceed", "0.005", 2, 99},
        // Manufacturer VIF: no VIFE is interpreted.
        {"04 FF A2 22 39 30 00 00", "Manufacturer Specific", "12345", 65535, 0},
    };
    Check(*this, Dec, cases, std::size(cases));
}

TEST_F(Units, OnlyTenVifesAreLookedAt)
{
    // Eleven "per hour" VIFEs: the description gains exactly ten.
    TBytes src = Hex("01 93");
    for (int i = 0; i < 10; ++i) src.push_back(0xA2);
    src.push_back(0x22);
    src.push_back(0x05);
    TVariableList list;
    Dec.Decode_Data_Records(list, int(src.size()) - 1, src);
    ASSERT_EQ(list.size(), 1u);
    String expected = "Volume m3";
    for (int i = 0; i < 10; ++i) expected += " - Per Hour";
    EXPECT_EQ(list[0]->Desc_Type_Data, expected);
    EXPECT_TRUE(list[0]->errata);   // the eleventh was passed over
}

TEST_F(Units, ValueTextHasFifteenDigitsAndTheRegionalSeparator)
{
    const struct {
        long double v;
        char sep;
        const char* text;
    } cases[] = {
        {0, '.', "0"},
        {12.345L, ',', "12,345"},
        {-0.5L, '.', "-0.5"},
        {0.00001L, '.', "0.00001"},
        {0.0000015L, '.', "1.5E-6"},
        {1e20L, '.', "1E20"},
        {123456789012345.0L, '.', "123456789012345"},
        {1234567890123456.0L, ',', "1,23456789012346E15"},
        {1.0L / 3, '.', "0.333333333333333"},
    };
    for (const auto& c : cases) EXPECT_EQ(MBus_Value_Text(c.v, c.sep), c.text) << double(c.v);

    SetDecimalSeparatorOverride(',');
    TMBusDecoder dec;   // a decoder reads the regional settings when it starts decoding
    TVariableList list;
    const TBytes src = Hex("04 13 39 30 00 00");
    dec.Decode_Data_Records(list, 5, src);
    EXPECT_EQ(list[0]->ValueStr, "12,345");
}

}   // namespace
