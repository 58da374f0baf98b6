// Whole answers of wired meters of several kinds, read as the wired scan reads them: the
// slave's header, then every record with its unit, value, storage, tariff and subunit.
#include "tests/mbus/mbus_fixture.h"

namespace {

using WiredFrames = MBusTest;

struct TExpected {
    const char* desc;
    const char* value;
    int64_t storage = 0;
    uint16_t tariff = 0;
    uint16_t device = 0;
    const char* function = "Istantaneous value";
};

struct TMeterCase {
    const char* kind;
    uint8_t medium;
    const char* medium_text;
    const char* records;
    bool more;
    std::vector<TExpected> expected;
};

const std::vector<TMeterCase>& Meter_Cases()
{
    static const std::vector<TMeterCase> cases = {
        {"heat, BCD, first telegram of two", 0x04, "Heat (outlet)",
         "0C 05 14 00 00 00  0C 14 27 04 85 02  0B 2D 13 01 00  0A 5A 34 06  0A 5E 12 04  0A 62 22 02"
         "  04 6D 1E 0A 2F 31  4C 05 10 00 00 00  42 6C 1F 0C  1F",
         true,
         {{"Energy Wh", "1400"},
          {"Volume m3", "28504.27"},
          {"Power W", "11300"},
          {"Flow Temperature \u00B0C", "63.4"},
          {"Return Temperature \u00B0C", "41.2"},
          {"Temperature Difference K", "22.2"},
          {"Time Point Date and Time (Type F)", "15/01/25 10:30"},
          {"Energy Wh", "1000", 1},
          {"Time Point Date (Type G)", "31/12/00", 1}}},
        {"water, integers, manufacturer data at the end", 0x07, "Water",
         "04 13 39 30 00 00  44 13 10 27 00 00  02 5A 2C 01  14 3B 64 00 00 00  02 FD 17 00 00"
         "  0F 01 02 03 04 13 01 00 00 00",
         false,
         {{"Volume m3", "12.345"},
          {"Volume m3", "10", 1},
          {"Flow Temperature \u00B0C", "30"},
          {"Volume Flow m3/h", "0.1", 0, 0, 0, "Maximum value"},
          {"Error Flag (Binary)", "0"}}},
        {"electricity, tariffs, volts and amperes", 0x02, "Electricity",
         "04 03 E8 03 00 00  84 10 03 D0 07 00 00  84 20 03 B8 0B 00 00  04 2B F4 01 00 00  02 FD 48 E6 08"
         "  02 FD 59 10 27  2F 2F",
         false,
         {{"Energy Wh", "1000"},
          {"Energy Wh", "2000", 0, 1},
          {"Energy Wh", "3000", 0, 2},
          {"Power W", "500"},
          {"Electric Units Volts", "227.8"},
          {"Electric Units A", "10"}}},
        {"gas, reals, text and a manufacturer VIF", 0x03, "Gas",
         "05 13 00 40 1C 46  05 3B 00 00 C0 3F  0D FD 11 05 41 42 43 44 45  04 6D 1E 0A 2F 31  01 FF 05 07",
         false,
         {{"Volume m3", "10"},
          {"Volume Flow m3/h", "0.0015"},
          {"Customer", "0"},
          {"Time Point Date and Time (Type F)", "15/01/25 10:30"},
          {"Manufacturer Specific", "7"}}},
        {"heat cost allocator, 64 and 48 bits, subunit", 0x08, "Heat Cost Allocator.",
         "07 6E 40 42 0F 00 00 00 00 00  06 6E 01 00 00 00 00 00  8C 40 6E 99 99 99 99  BA 01 6E 21 43",
         false,
         {{"Units for H.C.A.", "1000000"},
          {"Units for H.C.A.", "1"},
          {"Units for H.C.A.", "99999999", 0, 0, 1},
          {"Units for H.C.A.", "4321", 2, 0, 0, "Value during error state"}}},
    };
    return cases;
}

TEST_F(WiredFrames, MetersOfEveryKindDecodeToTheirUnitsAndValues)
{
    for (const TMeterCase& c : Meter_Cases()) {
        SCOPED_TRACE(c.kind);
        Empty_Slave_MBus_List();
        TLongFrame frame;
        frame.A = 5;
        frame.Medium = c.medium;
        frame.Records = Hex(c.records);
        const TBytes bytes = frame.Bytes();
        ASSERT_TRUE(Is_Valid_Long_Frame(bytes));
        bool more = !c.more;
        EXPECT_EQ(Dec.Add_Wired_Slave_Frame(-1, more, bytes), 0);
        EXPECT_EQ(more, c.more);

        std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
        const TSlave_MBus* s = Wired_Slave_At(List_Slave_MBus, 0);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->Primary_Addresss, 5);
        EXPECT_EQ(s->Secondary_Addresss, "12345678");
        EXPECT_EQ(s->descManufacture, "ABC");
        EXPECT_EQ(s->Manufacture, 0x0443);
        EXPECT_EQ(s->Medium, c.medium);
        EXPECT_EQ(s->descmedium, c.medium_text);
        ASSERT_EQ(s->List_Var.size(), c.expected.size());
        for (size_t i = 0; i < c.expected.size(); ++i) {
            const TVariable_MBus& r = *s->List_Var[i];
            const TExpected& e = c.expected[i];
            EXPECT_EQ(r.Desc_Type_Data, e.desc) << "record " << i;
            EXPECT_EQ(r.ValueStr, e.value) << "record " << i;
            EXPECT_EQ(r.storage_number, e.storage) << "record " << i;
            EXPECT_EQ(r.tarif, e.tariff) << "record " << i;
            EXPECT_EQ(r.device, e.device) << "record " << i;
            EXPECT_EQ(r.FunctionFieldStr, e.function) << "record " << i;
            EXPECT_FALSE(r.errata) << "record " << i;
        }
    }
}

TEST_F(WiredFrames, MultiTelegramReadOutKeepsOneSlaveWithRecordsInOrder)
{
    TLongFrame first, second;
    first.Records = Hex("04 13 01 00 00 00  04 13 02 00 00 00  1F");
    second.Records = Hex("04 13 03 00 00 00  2F 2F");
    bool more = false;
    const int index = Dec.Add_Wired_Slave_Frame(-1, more, first.Bytes());
    EXPECT_TRUE(more);
    EXPECT_EQ(Dec.Add_Wired_Slave_Frame(index, more, second.Bytes()), index);
    EXPECT_FALSE(more);
    ASSERT_EQ(Count(List_Slave_MBus), 1u);
    std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
    const TSlave_MBus* s = Wired_Slave_At(List_Slave_MBus, 0);
    ASSERT_EQ(s->List_Var.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s->List_Var[size_t(i)]->dato_A, i + 1);
}

TEST_F(WiredFrames, SecondaryAddressKeepsNoLeadingZeros)
{
    const struct {
        const char* id;
        const char* text;
    } cases[] = {{"34 12 00 00", "1234"}, {"78 56 34 12", "12345678"}, {"00 00 00 00", "00"}, {"05 00 00 00", "05"}};
    for (const auto& c : cases) {
        Empty_Slave_MBus_List();
        TLongFrame f;
        f.Id = Hex(c.id);
        bool more;
        Dec.Add_Wired_Slave_Frame(-1, more, f.Bytes());
        std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
        EXPECT_EQ(Wired_Slave_At(List_Slave_MBus, 0)->Secondary_Addresss, c.text) << c.id;
    }
}

TEST_F(WiredFrames, ShortAnswersAndUnknownSlavesChangeNothing)
{
    bool more = true;
    TBytes header = TLongFrame{}.Bytes();
    header.resize(20);   // cut inside the checksum and stop byte
    EXPECT_EQ(Dec.Add_Wired_Slave_Frame(-1, more, header), -1);
    EXPECT_FALSE(more);
    EXPECT_EQ(Dec.Add_Wired_Slave_Frame(3, more, TLongFrame{}.Bytes()), -1);
    EXPECT_EQ(Count(List_Slave_MBus), 0u);
    // A frame of 21 bytes: a header without records.
    header = TLongFrame{}.Bytes();
    ASSERT_EQ(header.size(), 21u);
    EXPECT_EQ(Dec.Add_Wired_Slave_Frame(-1, more, header), 0);
    std::lock_guard<std::mutex> lock(List_Slave_MBus.Lock);
    EXPECT_TRUE(Wired_Slave_At(List_Slave_MBus, 0)->List_Var.empty());
}

TEST_F(WiredFrames, ValidLongFrame)
{
    TLongFrame f;
    f.Records = Hex("04 13 01 00 00 00");
    const TBytes good = f.Bytes();
    const auto changed = [&](size_t at, uint8_t value) {
        TBytes b = good;
        b[at] = value;
        return b;
    };
    const struct {
        const char* what;
        TBytes bytes;
        bool valid;
    } cases[] = {
        {"good", good, true},
        {"first start byte", changed(0, 0x10), false},
        {"second start byte", changed(3, 0x10), false},
        {"length bytes differ", changed(2, uint8_t(good[2] + 1)), false},
        {"stop byte", changed(good.size() - 1, 0x17), false},
        {"checksum", changed(good.size() - 2, uint8_t(good[good.size() - 2] + 1)), false},
        {"21 bytes", TLongFrame{}.Bytes(), false},
        {"empty", {}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(Is_Valid_Long_Frame(c.bytes), c.valid) << c.what;
}

}   // namespace
