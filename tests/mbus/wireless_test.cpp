// Wireless telegrams: identity, signal level, readability by CI field, decryption in
// security modes 5 and 7 of telegrams built here from known plaintext with OpenSSL, and
// telegrams too short or hostile for their own headers.
#include <atomic>
#include <random>
#include <thread>

#include "mbus/decode/ElAES.h"
#include "tests/mbus/mbus_fixture.h"
#include "tests/mbus/openssl_reference.h"

namespace {

const TBytes Records = Hex("04 13 39 30 00 00  02 5A 2C 01");   // 12.345 m3, 30 °C
const std::vector<std::string> Record_Values = {"12.345", "30"};
const TBytes Meter_Key = Hex("000102030405060708090A0B0C0D0E0F");

// A wireless frame without CRC bytes: L, C, M, ID, version, device type, then Rest (CI on).
struct TTelegram {
    uint8_t C = 0x44;
    uint16_t Man = 0x0443;
    TBytes Id = Hex("78 56 34 12");
    uint8_t Ver = 0x30, Dev = 0x07;
    TBytes Rest;

    TBytes Frame() const
    {
        TBytes f = {0, C, uint8_t(Man), uint8_t(Man >> 8)};
        f = Join(f, Id);
        f.push_back(Ver);
        f.push_back(Dev);
        f = Join(f, Rest);
        f[0] = uint8_t(f.size() - 1);
        return f;
    }
    // Telit: frame, one unused byte and the RSSI byte.
    TBytes Telit(uint8_t Rssi = 0x50) const { return Join(Frame(), {0x00, Rssi}); }
    // Radiocrafts: the L field counts the RSSI byte that ends the datagram.
    TBytes Radiocrafts(uint8_t Rssi = 0xB0) const
    {
        TBytes f = Join(Frame(), {Rssi});
        f[0] = uint8_t(f.size() - 1);
        return f;
    }
};

// Plaintext: the two idle fillers, the records, fillers up to whole blocks.
TBytes Plain_Blocks(const TBytes& R = Records)
{
    TBytes p = Join(Hex("2F 2F"), R);
    while (p.size() % 16) p.push_back(0x2F);
    return p;
}

class Wireless : public MBusTest {
protected:
    int Notified = 0;
    int Last_Index = -2;

    void SetUp() override
    {
        MBusTest::SetUp();
        Dec.MBusType = mtWireless;
        Dec.UpdateListWirelessSlave = [this](int32_t i, TSlave_wMBus*) { ++Notified, Last_Index = i; };
    }

    void Receive(TBytes Datagram, TRadioModule Module = rmTelit) { Dec.Decode_Wireless_Telegram(Module, Datagram); }

    // Values of the meter's real records (fillers left out); "cripted" when it is.
    std::vector<std::string> Values(int Index = 0)
    {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, Index);
        if (!m) return {"no meter"};
        std::vector<std::string> v;
        if (m->Cripted) v.push_back("cripted");
        for (const auto& r : m->List_Var)
            if (r->Real_Wireless_Var) v.push_back(r->ValueStr);
        return v;
    }

    void Give_Key(const TBytes& Key, int Index = 0)
    {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, Index);
        ASSERT_NE(m, nullptr);
        std::copy(Key.begin(), Key.end(), m->Key);
        m->Enable_Key = true;
    }
};

// Mode 5 behind the extended link layer: ELL (8C), short header (7A), CBC with the IV of
// the link-layer address and eight access numbers.
TTelegram Mode_5_ELL(const TBytes& Key, const TBytes& Plain)
{
    TTelegram t;
    const uint8_t acc = 0x5A;
    t.Rest = {0x8C, 0x20, acc, 0x7A, acc, 0x00, uint8_t((Plain.size() / 16) << 4), 0x05};
    const TBytes frame = t.Frame();
    TBytes iv(frame.begin() + 2, frame.begin() + 10);
    iv.insert(iv.end(), 8, acc);
    t.Rest = Join(t.Rest, openssl::EncryptCBC(Key.data(), iv.data(), Plain));
    return t;
}

// Mode 7 behind ELL and AFL: a message key from CMAC over the message counter and the
// link-layer ID, CBC with a zero IV.
TTelegram Mode_7_AFL(const TBytes& Key, const TBytes& Plain, const TBytes& MCR = Hex("01 00 00 00"))
{
    TTelegram t;
    const TBytes afl = Join(Join(Hex("00 2C 05"), MCR), Hex("11 22 33 44 55 66 77 88"));   // FCL, MCL, MCR, MAC
    t.Rest = Join(Join(Hex("8C 20 5A 90"), {uint8_t(afl.size())}), afl);
    t.Rest = Join(t.Rest, {0x7A, 0x5A, 0x00, uint8_t((Plain.size() / 16) << 4), 0x07, 0x10});
    const TBytes kdf = Join(Join(Hex("00"), MCR), Join(t.Id, Hex("07 07 07 07 07 07 07")));
    const TBytes message_key = openssl::CMAC(Key.data(), kdf);
    const TBytes zero(16, 0);
    t.Rest = Join(t.Rest, openssl::EncryptCBC(message_key.data(), zero.data(), Plain));
    return t;
}

TEST_F(Wireless, ReadabilityByCiField)
{
    const TBytes plain = Plain_Blocks();
    const struct {
        const char* what;
        TBytes rest;
        std::vector<std::string> values;
    } cases[] = {
        {"short header, mode 0", Join(Hex("7A 01 00 00 00"), Records), Record_Values},
        {"short header, mode 5, plaintext", Join(Hex("7A 01 00 20 05"), plain), Record_Values},
        {"short header, mode 5, encrypted", Join(Hex("7A 01 00 20 05"), TBytes(32, 0xA5)), {"cripted"}},
        {"long header, fillers first", Join(Hex("72 11 11 11 11 43 04 01 07 01 00 00 00"), plain), Record_Values},
        {"long header, mode 0 without fillers", Join(Hex("72 11 11 11 11 43 04 01 07 01 00 00 00"), Records),
         {"cripted"}},
        {"no header without ELL", Join(Hex("78 00 00 00 00 00 00 00 00"), Records), {"cripted"}},
        {"ELL, no header", Join(Hex("8C 20 01 78"), Records), Record_Values},
        {"ELL, short header, mode 0", Join(Hex("8C 20 01 7A 01 00 00 00"), Records), Record_Values},
        {"ELL, long header, mode 0", Join(Hex("8C 20 01 72 11 11 11 11 43 04 01 07 01 00 00 00"), Records),
         Record_Values},
        {"session ELL, short header, mode 0", Join(Hex("8D 20 01 00 00 00 00 00 00 7A 01 00 00 00"), Records),
         Record_Values},
        {"session ELL, no header", Join(Hex("8D 20 01 00 00 00 00 00 00 78"), Records), Record_Values},
        {"session ELL, mode 5 encrypted", Join(Hex("8D 20 01 00 00 00 00 00 00 7A 01 00 20 05"), TBytes(32, 0xA5)),
         {"cripted"}},
        {"unknown CI", Join(Hex("A0 00 00 00 00 00 00 00 00"), Records), {"cripted"}},
    };
    for (const auto& c : cases) {
        Empty_Slave_wMBus_List();
        TTelegram t;
        t.Rest = c.rest;
        Receive(t.Telit());
        EXPECT_EQ(Values(), c.values) << c.what;
    }
    EXPECT_EQ(Notified, int(std::size(cases)));
}

TEST_F(Wireless, RecordsEndAtTheFrameForBothModules)
{
    TTelegram t;
    t.Rest = Join(Hex("7A 01 00 00 00"), Records);
    Receive(t.Telit(0x00));   // the unused and RSSI bytes are no records
    EXPECT_EQ(Values(), Record_Values);
    Empty_Slave_wMBus_List();
    Receive(t.Radiocrafts(0x04), rmRadioCrafts);
    EXPECT_EQ(Values(), Record_Values);
}

TEST_F(Wireless, SignalLevelFromTheLastByte)
{
    const struct {
        TRadioModule module;
        uint8_t raw;
        int8_t dbm;
    } cases[] = {{rmTelit, 0x50, -82}, {rmTelit, 0x00, -2}, {rmRadioCrafts, 0xB0, -39}, {rmRadioCrafts, 0xAF, -39},
                 {rmRadioCrafts, 0x10, 9}};
    for (const auto& c : cases) {
        Empty_Slave_wMBus_List();
        TTelegram t;
        t.Rest = Join(Hex("7A 01 00 00 00"), Records);
        Receive(c.module == rmTelit ? t.Telit(c.raw) : t.Radiocrafts(c.raw), c.module);
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        ASSERT_EQ(List_Slave_wMBus.Items.size(), 1u);
        EXPECT_EQ(Wireless_Slave_At(List_Slave_wMBus, 0)->RSSI, c.dbm) << int(c.raw);
    }
}

TEST_F(Wireless, RepeatedTelegramsUpdateOneMeterByItsApplicationIdentity)
{
    TTelegram a, b;
    a.Rest = Join(Hex("72 21 43 65 87 3A 5B 02 03 01 00 00 00"), Plain_Blocks());
    b = a;
    b.Id = Hex("01 00 00 00");   // another repeater's link-layer address
    b.Man = 0x5B3A;
    Receive(a.Telit());
    Receive(b.Telit(0x40));
    ASSERT_EQ(Count(List_Slave_wMBus), 1u);
    std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
    const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, 0);
    EXPECT_EQ(m->ALA_Address, 0x87654321);
    EXPECT_EQ(m->ALA_Manu_str, "VYZ");
    EXPECT_EQ(m->ALA_Version, 2);
    EXPECT_EQ(m->ALA_DeviceType, 3);
    EXPECT_EQ(m->LLA_Address, 0x12345678);   // the first telegram's link layer stays
    EXPECT_EQ(m->LLA_Manu_str, "ABC");
    EXPECT_EQ(m->Message_Type, 0x44);
    EXPECT_EQ(m->RSSI, -66);                  // the last telegram's level
    EXPECT_EQ(Notified, 2);
    EXPECT_EQ(Last_Index, 0);
}

TEST_F(Wireless, Mode5BehindTheExtendedLinkLayerDecryptsWithTheMeterKey)
{
    const TTelegram t = Mode_5_ELL(Meter_Key, Plain_Blocks());
    // The first telegram of a meter is never decrypted.
    Receive(t.Telit());
    EXPECT_EQ(Values(), (std::vector<std::string>{"cripted"}));
    // With the key the same telegram reads, and the plaintext replaces the cipher bytes.
    Give_Key(Meter_Key);
    TBytes datagram = t.Telit();
    Dec.Decode_Wireless_Telegram(rmTelit, datagram);
    EXPECT_EQ(Values(), Record_Values);
    EXPECT_EQ(TBytes(datagram.begin() + 18, datagram.begin() + 18 + 16), Plain_Blocks());
    // A wrong key leaves the telegram unreadable: no records, still one meter.
    Give_Key(Hex("FF0102030405060708090A0B0C0D0E0F"));
    Receive(t.Telit());
    EXPECT_EQ(Values(), (std::vector<std::string>{"cripted"}));
    EXPECT_EQ(Count(List_Slave_wMBus), 1u);
    EXPECT_EQ(Notified, 3);
}

TEST_F(Wireless, Mode5WithoutExtendedLinkLayerStaysEncrypted)
{
    // The same encryption behind a plain short header is not decrypted, key or not.
    TTelegram t = Mode_5_ELL(Meter_Key, Plain_Blocks());
    t.Rest.erase(t.Rest.begin(), t.Rest.begin() + 3);   // drop 8C, CC and ACC: CI 7A first
    Receive(t.Telit());
    Give_Key(Meter_Key);
    Receive(t.Telit());
    EXPECT_EQ(Values(), (std::vector<std::string>{"cripted"}));
}

TEST_F(Wireless, Mode7DecryptsWithTheDerivedKeyAndDropsWhatAWrongKeyGives)
{
    const TTelegram t = Mode_7_AFL(Meter_Key, Plain_Blocks());
    Receive(t.Telit());
    EXPECT_EQ(Values(), (std::vector<std::string>{"cripted"}));
    Give_Key(Meter_Key);
    Receive(t.Telit(0x30));
    EXPECT_EQ(Values(), Record_Values);
    TDateTime shown;
    {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        shown = Wireless_Slave_At(List_Slave_wMBus, 0)->DateTime;
    }

    // A wrong key: the telegram is dropped; the meter keeps what it showed; the window
    // is told all the same.
    Give_Key(Hex("FF0102030405060708090A0B0C0D0E0F"));
    TBytes datagram = t.Telit(0x10);
    const TBytes before = datagram;
    Dec.Decode_Wireless_Telegram(rmTelit, datagram);
    EXPECT_EQ(Values(), Record_Values);
    EXPECT_EQ(datagram, before);
    {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, 0);
        EXPECT_EQ(m->DateTime, shown);
        EXPECT_EQ(m->RSSI, -50);   // from the telegram before, not -18
    }
    EXPECT_EQ(Notified, 3);

    // Another message counter gives another key: the right meter key still reads it.
    Give_Key(Meter_Key);
    Receive(Mode_7_AFL(Meter_Key, Plain_Blocks(Hex("04 13 01 00 00 00")), Hex("02 00 00 00")).Telit());
    EXPECT_EQ(Values(), (std::vector<std::string>{"0.001"}));
}

TEST_F(Wireless, DatagramsThatBreakTheirOwnLengthsAreDroppedOrUnread)
{
    TTelegram ok;
    ok.Rest = Join(Hex("7A 01 00 00 00"), Records);
    TBytes longer = ok.Telit();
    longer.push_back(0);
    TBytes short_frame = Hex("05 44 43 04 78 56 00 00");   // L 5, Telit length 8: no CI
    TTelegram long_cut;
    long_cut.Rest = Hex("72 21 43");                        // identity past the frame
    const struct {
        const char* what;
        TBytes datagram;
    } dropped[] = {{"length is not L + 3", longer},
                   {"empty", {}},
                   {"no CI field", short_frame},
                   {"long header cut", long_cut.Telit()}};
    for (const auto& c : dropped) {
        TBytes d = c.datagram;
        Dec.Decode_Wireless_Telegram(rmTelit, d);
        EXPECT_EQ(Count(List_Slave_wMBus), 0u) << c.what;
    }
    EXPECT_EQ(Notified, 0);

    // Telegrams whose counts point past the frame: the known meter is never decrypted
    // there, and nothing outside the frame changes.
    Receive(Mode_5_ELL(Meter_Key, Plain_Blocks()).Telit());
    Give_Key(Meter_Key);
    TTelegram huge_n = Mode_5_ELL(Meter_Key, Plain_Blocks());
    huge_n.Rest[6] = 0xF0;   // fifteen blocks announced, two present
    TTelegram huge_afl = Mode_7_AFL(Meter_Key, Plain_Blocks());
    huge_afl.Rest[4] = 0xFF;   // AFL length past the frame
    TTelegram cut_afl = Mode_7_AFL(Meter_Key, Plain_Blocks());
    cut_afl.Rest.resize(8);    // AFL cut inside the message counter
    for (const TTelegram* t : {&huge_n, &huge_afl, &cut_afl}) {
        TBytes d = t->Telit();
        const TBytes before = d;
        Dec.Decode_Wireless_Telegram(rmTelit, d);
        EXPECT_EQ(d, before);
    }
    EXPECT_EQ(Count(List_Slave_wMBus), 1u);
}

TEST_F(Wireless, RandomDatagramsNeverFailTheDecoder)
{
    std::mt19937 rng(77);
    for (int round = 0; round < 4000; ++round) {
        TTelegram t = round % 2 ? Mode_7_AFL(Meter_Key, Plain_Blocks()) : Mode_5_ELL(Meter_Key, Plain_Blocks());
        TBytes d = t.Telit();
        const int flips = 1 + int(rng() % 4);
        for (int i = 0; i < flips; ++i) d[4 + rng() % (d.size() - 4)] = uint8_t(rng());
        d.resize(std::max<size_t>(1, d.size() - rng() % 8));
        d[0] = uint8_t(d.size() - 3);
        if (round % 7 == 0 && Count(List_Slave_wMBus)) Give_Key(Meter_Key, 0);
        Dec.Decode_Wireless_Telegram(round % 3 ? rmTelit : rmRadioCrafts, d);
    }
    SUCCEED();
}

}   // namespace

namespace {

// The receive thread fills the list while the interface thread reads and empties it, each
// under the list's lock; the handler of the notification looks its meter up again.
TEST_F(Wireless, TelegramsAndTheWindowShareTheListUnderItsLock)
{
    std::atomic<bool> done{false};
    std::atomic<int> seen{0};
    Dec.UpdateListWirelessSlave = [&](int32_t Index, TSlave_wMBus*) {
        std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
        if (const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, Index)) seen += int(m->List_Var.size() > 0);
    };
    std::thread receiver([&] {
        for (int i = 0; i < 3000; ++i) {
            TTelegram t;
            t.Id = {uint8_t(i), uint8_t(i >> 8), 0, 0};
            t.Rest = Join(Hex("7A 01 00 00 00"), Records);
            TBytes d = t.Telit();
            Dec.Decode_Wireless_Telegram(rmTelit, d);
        }
        done = true;
    });
    int rounds = 0;
    while (!done) {
        {
            std::lock_guard<std::mutex> lock(List_Slave_wMBus.Lock);
            for (size_t i = 0; i < List_Slave_wMBus.Items.size(); ++i) {
                const TSlave_wMBus* m = Wireless_Slave_At(List_Slave_wMBus, int(i));
                ASSERT_NE(m, nullptr);
                for (const auto& r : m->List_Var) ASSERT_FALSE(r->Desc_Type_Data.empty() && r->Real_Wireless_Var);
            }
        }
        if (++rounds % 50 == 0) Empty_Slave_wMBus_List();
    }
    receiver.join();
    EXPECT_GT(seen.load(), 0);
}

}   // namespace
