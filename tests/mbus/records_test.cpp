// The record parser: DIF, DIFEs, VIF, plain-text units, VIFEs, data fields, special
// DIFs, record boundaries, and data that ends where a record says it goes on.
#include <random>

#include "tests/mbus/mbus_fixture.h"

namespace {

using Records = MBusTest;

TEST_F(Records, IdleFillerIsAPlaceholderOnlyInAWirelessScan)
{
    for (TMBusType type : {mtWireless, mtWired}) {
        Dec.MBusType = type;
        int result = -1;
        const TVariableList list = Decode(Hex("2F"), &result);
        EXPECT_EQ(result, 1);
        if (type == mtWireless) {
            ASSERT_EQ(list.size(), 1u);
            EXPECT_FALSE(list[0]->Real_Wireless_Var);
            EXPECT_FALSE(list[0]->errata);
            EXPECT_EQ(list[0]->DIF, "$2F");
        } else {
            EXPECT_TRUE(list.empty());
        }
    }
}

TEST_F(Records, ThirtyTwoBitIntegerRecordFillsEveryField)
{
    const TVariableList list = Decode(Hex("04 13 01 00 00 00"));
    ASSERT_EQ(list.size(), 1u);
    const TVariable_MBus& r = *list[0];
    EXPECT_EQ(r.DataFieldStr, "32 Bit Integer");
    EXPECT_EQ(r.descdim, "32 Bit Integer");
    EXPECT_EQ(r.nbyte, 4);
    EXPECT_EQ(r.dimension, 4);
    EXPECT_EQ(r.VIF, 0x13);
    EXPECT_EQ(r.vifvalue, 0x13);
    EXPECT_EQ(r.casovif, 0);
    EXPECT_EQ(r.totdati, "01000000");
    EXPECT_EQ(r.dato_A, 1);
    EXPECT_EQ(r.dato_B, 0);
    EXPECT_EQ(r.DIF, "$04");
    EXPECT_EQ(r.FunctionFieldStr, "Istantaneous value");
    EXPECT_TRUE(r.Real_Wireless_Var);
    EXPECT_FALSE(r.Is_BCD);
    EXPECT_FALSE(r.errata);
    EXPECT_EQ(r.datagiorno.size(), 10u);   // dd/mm/yyyy
    EXPECT_EQ(r.tempo.size(), 8u);         // hh:nn:ss
}

TEST_F(Records, SpecialDifsEndOrSkip)
{
    const struct {
        const char* bytes;
        int result;
        size_t records;
    } cases[] = {
        {"04 13 01 00 00 00 1F 01 02 03", 0, 1},   // more records follow: nothing stored for 1F
        {"04 13 01 00 00 00 0F 04 13 01 00 00 00", 1, 1},   // manufacturer data: decoding stops
        {"04 13 01 00 00 00 3F 04 13 01 00 00 00", 1, 1},
        {"7F 04 13 01 00 00 00", 1, 0},
        {"8F 10 13 04 13 01 00 00 00", 1, 1},        // 8F with a DIFE and VIF: skipped, decoding goes on
        {"08 13 04 13 01 00 00 00", 1, 0},           // selection for readout ends decoding
        {"04 7E 01 00 00 00 04 13 01 00 00 00", 1, 0},   // "any VIF" ends decoding
        {"2F 2F 04 13 01 00 00 00 2F", 1, 1},
    };
    Dec.MBusType = mtWired;
    for (const auto& c : cases) {
        int result = -1;
        const TVariableList list = Decode(Hex(c.bytes), &result);
        EXPECT_EQ(result, c.result) << c.bytes;
        EXPECT_EQ(list.size(), c.records) << c.bytes;
    }
}

TEST_F(Records, DifesGiveStorageTariffAndSubunit)
{
    const struct {
        const char* bytes;
        int64_t storage;
        uint16_t tariff, subunit;
        int numdife;
        const char* dife;
    } cases[] = {
        {"8B 81 42 13 00 00 00", 66, 0, 2, 2, "$81 $42 "},   // 0 + 2 * (1 + 2 * 16)
        {"CB 81 42 13 00 00 00", 67, 0, 2, 2, "$81 $42 "},   // DIF bit 6 adds one
        {"84 30 13 00 00 00 00", 0, 3, 0, 1, "$30 "},
        {"84 B0 10 13 00 00 00 00", 0, 3 + 4, 0, 2, "$B0 $10 "},
        {"44 13 00 00 00 00", 1, 0, 0, 0, ""},
    };
    for (const auto& c : cases) {
        const TVariableList list = Decode(Hex(c.bytes));
        ASSERT_EQ(list.size(), 1u) << c.bytes;
        EXPECT_EQ(list[0]->storage_number, c.storage) << c.bytes;
        EXPECT_EQ(list[0]->tarif, c.tariff) << c.bytes;
        EXPECT_EQ(list[0]->device, c.subunit) << c.bytes;
        EXPECT_EQ(list[0]->numdife, c.numdife) << c.bytes;
        EXPECT_EQ(list[0]->DIFE, c.dife) << c.bytes;
    }
}

TEST_F(Records, VifCasesAndPlainTextUnits)
{
    const struct {
        const char* bytes;
        uint8_t casovif;
        int vifvalue;
        const char* vif_ascii;
        const char* vife;
        int first_vife;
    } cases[] = {
        {"01 7C 03 68 2F 6C 05", 101, -1, "l/h", "", 0},   // characters h / l as received
        {"01 FC 03 68 2F 6C 22 05", 101, -1, "l/h", "$22 ", 0x22},   // the text comes before the VIFEs
        {"01 FD 0E 05", 1, 0x0E, "", "$0E ", 0x0E},
        {"01 FB 27 05", 2, 0x27, "", "$27 ", 0x27},
        {"01 FF 81 02 05", 100, -1, "", "$81 $02 ", 0x81},
        {"01 7F 05", 100, -1, "", "", 0},
        {"01 93 3C 05", 0, 0x93, "", "$3C ", 0x3C},
    };
    for (const auto& c : cases) {
        const TVariableList list = Decode(Hex(c.bytes));
        ASSERT_EQ(list.size(), 1u) << c.bytes;
        EXPECT_EQ(list[0]->casovif, c.casovif) << c.bytes;
        EXPECT_EQ(list[0]->vifvalue, c.vifvalue) << c.bytes;
        EXPECT_EQ(list[0]->VIF_ASCII, c.vif_ascii) << c.bytes;
        EXPECT_EQ(list[0]->VIFE, c.vife) << c.bytes;
        EXPECT_EQ(list[0]->PrinVIFE, c.first_vife) << c.bytes;
        EXPECT_EQ(list[0]->totdati, "05") << c.bytes;
    }
}

TEST_F(Records, DataFieldCodesAndVariableLengths)
{
    const struct {
        const char* bytes;
        const char* data_str;
        const char* descdim;
        int nbyte;
        bool bcd;
        const char* totdati;
    } cases[] = {
        {"00 13", "", "No data", 0, false, ""},
        {"03 13 01 02 03", "24 Bit Integer", "24 Bit Integer", 3, false, "010203"},
        {"05 13 00 00 C0 3F", "32 Bit Real", "32 Bit real", 4, false, "0000C03F"},
        {"06 13 01 02 03 04 05 06", "48 Bit Integer", "48 Bit Integer", 6, false, "010203040506"},
        {"07 13 01 02 03 04 05 06 07 08", "64 Bit Integer", "64 Bit Integer", 8, false, "0102030405060708"},
        {"09 13 12", "2 Digit BCD", "2 digit BCD", 1, true, "12"},
        {"0E 13 01 02 03 04 05 06", "12 Digit BCD", "12 digit BCD", 6, true, "010203040506"},
        {"0D 13 02 41 42", "Variable Length - ASCII String with 2characters",
         "Variable length: ASCII string with 2 characters", 2, false, "4142"},
        {"0D 13 C2 21 43", "Variable Length - Positive BCD Number with 4 digits",
         "Variable length: Positive BCD number with 2 *2 digits", 2, false, "2143"},
        {"0D 13 D1 21", "Variable Length - Negative BCD Number with 2 digits",
         "Variable length: Negative BCD number with 1 *2 digits", 1, false, "21"},
        {"0D 13 E3 01 02 03", "Variable Length - Binary Number with 3 Bytes",
         "Variable length: Binary number with 3 bytes", 3, false, "010203"},
        {"0D 13 F4 01 02 03 04", "Variable Length - Floating Point Number with 4 Bytes",
         "Variable length: Floating Point number with 4 bytes", 4, false, "01020304"},
    };
    for (const auto& c : cases) {
        const TVariableList list = Decode(Hex(c.bytes));
        ASSERT_EQ(list.size(), 1u) << c.bytes;
        EXPECT_EQ(list[0]->DataFieldStr, c.data_str) << c.bytes;
        EXPECT_EQ(list[0]->descdim, c.descdim) << c.bytes;
        EXPECT_EQ(list[0]->nbyte, c.nbyte) << c.bytes;
        EXPECT_EQ(list[0]->Is_BCD, c.bcd) << c.bytes;
        EXPECT_EQ(list[0]->totdati, c.totdati) << c.bytes;
    }
}

TEST_F(Records, ReservedLvarReadsNoDataAndDecodingGoesOn)
{
    const TVariableList list = Decode(Hex("0D 13 FB 04 13 01 00 00 00"));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[0]->errata);
    EXPECT_EQ(list[0]->sterror, "Non analizabile");
    EXPECT_EQ(list[0]->DataFieldStr, "Variable Length - Reserved");
    EXPECT_EQ(list[0]->nbyte, 0);
    EXPECT_EQ(list[1]->DIF, "$04");
    EXPECT_EQ(list[1]->dato_A, 1);
}

// Records that run past the data: each is kept as an error record, decoding stops, and no
// byte after the last index is looked at even when the buffer goes on.
TEST_F(Records, RecordsCutShortAreErrorsAndNeverReadPastTheLastIndex)
{
    const char* const cases[] = {
        "04 13 01 00",            // data cut
        "84",                      // DIFE missing
        "84 80 80",                // DIFE chain cut
        "04",                      // VIF missing
        "04 93 A0 A0",             // VIFE chain cut
        "0D 13",                   // LVAR missing
        "0D 13 05 41 42",          // fewer characters than LVAR
        "04 7C",                   // text length missing
        "04 7C 05 41 42",          // unit text cut
        "0D 13 C9 01 02",          // BCD cut
    };
    for (const char* c : cases) {
        const TBytes record = Join(Hex("04 13 02 00 00 00"), Hex(c));
        // The same bytes followed by what would complete any of them.
        const TBytes buffer = Join(record, TBytes(300, 0x00));
        TVariableList list;
        const int result = Dec.Decode_Data_Records(list, int(record.size()) - 1, buffer);
        EXPECT_EQ(result, 1) << c;
        ASSERT_EQ(list.size(), 2u) << c;
        EXPECT_FALSE(list[0]->errata) << c;
        EXPECT_TRUE(list[1]->errata) << c;
        EXPECT_EQ(list[1]->sterror, "Record troncato") << c;
    }
    // A last index past the source is clipped to it.
    TVariableList list;
    const TBytes src = Hex("04 13 01 00");
    Dec.Decode_Data_Records(list, 1000, src);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_TRUE(list[0]->errata);
}

TEST_F(Records, SurplusExtensionsArePassedOverAndTheNextRecordStillDecodes)
{
    // Eleven DIFEs, then twelve VIFEs: ten of each are kept, the record is flagged, and
    // the record after it starts where the sender put it.
    const TBytes src = Join(Hex("84 80 80 80 80 80 80 80 80 80 80 00 93 A2 A2 A2 A2 A2 A2 A2 A2 A2 A2 A2 22 07 00 00 00"),
                            Hex("04 13 01 00 00 00"));
    const TVariableList list = Decode(src);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[0]->errata);
    EXPECT_EQ(list[0]->sterror, "Troppe estensioni");
    EXPECT_EQ(list[0]->numdife, 10);
    EXPECT_EQ(list[0]->VIFE.size(), 40u);   // ten "$A2 "
    EXPECT_EQ(list[0]->dato_A, 7);
    EXPECT_EQ(list[1]->dato_A, 1);
    EXPECT_FALSE(list[1]->errata);
}

TEST_F(Records, LongPlainTextUnitIsCappedAndFlagged)
{
    TBytes src = {0x01, 0x7C, 200};
    for (int i = 0; i < 200; ++i) src.push_back(uint8_t('a' + i % 26));
    src.push_back(0x05);
    const TVariableList list = Decode(src);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->VIF_ASCII.size(), 192u);
    EXPECT_TRUE(list[0]->errata);
    EXPECT_EQ(list[0]->totdati, "05");
}

TEST_F(Records, BcdManufacturerAndMedium)
{
    const struct {
        const char* bytes;
        int n;
        int64_t value;
    } bcd[] = {
        {"21 43", 2, 4321},
        {"21 F3", 2, -321},
        {"78 56 34 12", 4, 12345678},
        {"0A", 1, 10},   // a nibble above 9 counts as it is
        {"99 99 99 99 99 99", 6, 999999999999},
        {"01 00 00 00 00 F0", 6, -1},
    };
    for (const auto& c : bcd) {
        const TBytes b = Hex(c.bytes);
        std::copy(b.begin(), b.end(), Dec.App_Data_Val);
        EXPECT_EQ(Dec.BCD_To_Int64(c.n), c.value) << c.bytes;
    }

    const struct {
        uint16_t code;
        const char* letters;
    } man[] = {{0x0443, "ABC"}, {0x5B3A, "VYZ"}, {0x0800, "A??"}, {0, "???"}, {0x8443, "?BC"}, {0x2C2D, "KAM"}};
    for (const auto& c : man) EXPECT_EQ(Trova_Man(c.code), c.letters) << c.code;

    const struct {
        int code;
        const char* text;
    } media[] = {{0x07, "Water"}, {0x10, "Other"}, {0x19, "A/D Converter"}, {0x0C, "Heat (inlet) "},
                 {0x16, "Cold Water"}, {0x1A, "Other"}, {0xFF, "Other"}, {0x02, "Electricity"}};
    for (const auto& c : media) EXPECT_EQ(Medium_Description(c.code), c.text) << c.code;
}

TEST_F(Records, RandomBytesNeverFailTheParser)
{
    // Sanitizer builds turn any read past the buffer into a failure here.
    std::mt19937 rng(1234);
    for (int round = 0; round < 3000; ++round) {
        TBytes src(size_t(rng() % 64));
        for (auto& b : src) b = uint8_t(rng());
        Dec.MBusType = round % 2 ? mtWireless : mtWired;
        TVariableList list;
        const int r = Dec.Decode_Data_Records(list, int(src.size()) - 1 - int(rng() % 3), src);
        EXPECT_TRUE(r == 0 || r == 1);
        EXPECT_LE(list.size(), src.size());
    }
}

}   // namespace
