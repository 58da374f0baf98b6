// The AES unit against the published vectors and against OpenSSL on random keys, blocks
// and lengths, with the processor's AES instructions and without them.
#include <functional>
#include <random>

#include "mbus/decode/ElAES.h"
#include "tests/mbus/mbus_fixture.h"
#include "tests/mbus/openssl_reference.h"

namespace {

template <size_t N>
std::array<uint8_t, N> Arr(const std::string& HexText)
{
    const TBytes b = Hex(HexText);
    std::array<uint8_t, N> a{};
    std::copy_n(b.begin(), std::min(N, b.size()), a.begin());
    return a;
}

TBytes Vec(const TAESBuffer& B)
{
    return TBytes(B.begin(), B.end());
}

// Each test runs with the hardware path (where the processor has one) and the tables.
class AES : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { FPrevious = AESSetHardwareAcceleration(GetParam()); }
    void TearDown() override { AESSetHardwareAcceleration(FPrevious); }
    bool FPrevious = true;
};

INSTANTIATE_TEST_SUITE_P(Paths, AES, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Hardware" : "Tables"; });

const TAESKey128 Key_2B = Arr<16>("2b7e151628aed2a6abf7158809cf4f3c");

TEST_P(AES, PublishedBlockVectorsAndKeySchedule)
{
    // The key expansion example and the cipher example with a 128-bit key.
    const TAESExpandedKey128 w = AESExpandKeyEncrypt(Key_2B);
    EXPECT_EQ(w[4], 0xa0fafe17u);
    EXPECT_EQ(w[10], 0x5935807au);
    EXPECT_EQ(w[43], 0xb6630ca6u);

    const TAESKey128 key = Arr<16>("000102030405060708090a0b0c0d0e0f");
    const TAESBuffer plain = Arr<16>("00112233445566778899aabbccddeeff");
    const TAESBuffer cipher = Arr<16>("69c4e0d86a7b0430d8cdb78070b4c55a");
    EXPECT_EQ(AESEncryptBlock(plain, AESExpandKeyEncrypt(key)), cipher);
    EXPECT_EQ(AESDecryptBlock(cipher, AESExpandKeyDecrypt(key)), plain);

    // The decryption schedule is the encryption one with round keys 1..9 mixed.
    TAESExpandedKey128 d = AESExpandKeyEncrypt(key);
    AESInvMixRoundKeys(d);
    EXPECT_EQ(d, AESExpandKeyDecrypt(key));
    const TAESExpandedKey128 e = AESExpandKeyEncrypt(key);
    for (int i : {0, 1, 2, 3, 40, 41, 42, 43}) EXPECT_EQ(d[size_t(i)], e[size_t(i)]) << i;
}

TEST_P(AES, CbcExampleVectorsDecrypt)
{
    const TBytes cipher = Hex("7649abac8119b246cee98e9b12e9197d 5086cb9b507219ee95db113a917678b2"
                              "73bed6b8e3c1743b7116e69e22229516 3ff1caa1681fac09120eca307586e1a7");
    const TBytes plain = Hex("6bc1bee22e409f96e93d7e117393172a ae2d8a571e03ac9c9eb76fac45af8e51"
                             "30c81c46a35ce411e5fbc1191a0a52ef f69f2445df4f9b17ad2b417be66c3710");
    TMemoryStream src(cipher.data(), int64_t(cipher.size())), dst;
    AESDecryptStreamCBCKey(src, 0, Key_2B, dst, Arr<16>("000102030405060708090a0b0c0d0e0f"));
    EXPECT_EQ(dst.Bytes(), plain);
}

TEST_P(AES, CmacExamplesAndSubkeys)
{
    TAESBuffer k1, k2;
    AESCmacSubkeys(AESExpandKeyEncrypt(Key_2B), k1, k2);
    EXPECT_EQ(k1, Arr<16>("fbeed618357133667c85e08f7236a8de"));
    EXPECT_EQ(k2, Arr<16>("f7ddac306ae266ccf90bc11ee46d513b"));

    const TBytes msg = Hex("6bc1bee22e409f96e93d7e117393172a ae2d8a571e03ac9c9eb76fac45af8e51"
                           "30c81c46a35ce411e5fbc1191a0a52ef f69f2445df4f9b17ad2b417be66c3710");
    const struct {
        int length;
        const char* tag;
    } cases[] = {{0, "bb1d6929e95937287fa37d129b756746"},
                 {16, "070a16b46b4d4144f79bdd9dd04a287c"},
                 {40, "dfa66747de9ae63030ca32611497c827"},
                 {64, "51f0bebf7e3b9d92fc49741779363cfe"}};
    for (const auto& c : cases) {
        TMemoryStream s(msg.data(), c.length);
        s.SetPosition(c.length / 2);   // the stream's own position does not matter
        EXPECT_EQ(AESCmacStreamKey(s, c.length, Key_2B), Arr<16>(c.tag)) << c.length;
    }
}

TEST_P(AES, MatchesOpenSSLOnRandomKeysBlocksAndLengths)
{
    std::mt19937 rng(GetParam() ? 11 : 12);
    const auto random_bytes = [&](size_t n) {
        TBytes b(n);
        for (auto& x : b) x = uint8_t(rng());
        return b;
    };
    for (int round = 0; round < 300; ++round) {
        const TBytes kb = random_bytes(16), iv = random_bytes(16), block = random_bytes(16);
        TAESKey128 key;
        TAESBuffer ivb, in;
        std::copy_n(kb.begin(), 16, key.begin());
        std::copy_n(iv.begin(), 16, ivb.begin());
        std::copy_n(block.begin(), 16, in.begin());

        // One block each way.
        const TAESBuffer enc = AESEncryptBlock(in, AESExpandKeyEncrypt(key));
        ASSERT_EQ(Vec(enc), openssl::EncryptECB(key.data(), block)) << round;
        ASSERT_EQ(AESDecryptBlock(enc, AESExpandKeyDecrypt(key)), in) << round;

        // CBC of a random number of blocks, from a random start in the stream.
        const size_t blocks = rng() % 70, lead = rng() % 5;
        const TBytes plain = random_bytes(16 * blocks);
        const TBytes cipher = blocks ? openssl::EncryptCBC(key.data(), iv.data(), plain) : TBytes{};
        const TBytes stream = Join(random_bytes(lead), cipher);
        TMemoryStream src(stream.data(), int64_t(stream.size())), dst;
        src.SetPosition(int64_t(lead));
        AESDecryptStreamCBCKey(src, int64_t(cipher.size()) + int64_t(rng() % 40), key, dst, ivb);
        ASSERT_EQ(dst.Bytes(), plain) << round;

        // CMAC of a random length.
        const TBytes msg = random_bytes(rng() % 100);
        TMemoryStream m(msg.data(), int64_t(msg.size()));
        ASSERT_EQ(Vec(AESCmacStreamKey(m, int64_t(msg.size()), key)), openssl::CMAC(key.data(), msg)) << round;
    }
}

// A stream that refuses bytes past a limit: short reads or short writes.
class TLimitedStream : public TMemoryStream {
public:
    TLimitedStream(const TBytes& Data, int64_t Read_Limit, int64_t Write_Limit)
        : TMemoryStream(Data.data(), int64_t(Data.size())), FRead(Read_Limit), FWrite(Write_Limit) {}
    int64_t Read(void* B, int64_t Count) override
    {
        const int64_t n = std::min(Count, std::max<int64_t>(FRead - Position(), 0));
        return TMemoryStream::Read(B, n);
    }
    int64_t Write(const void* B, int64_t Count) override
    {
        const int64_t n = std::min(Count, std::max<int64_t>(FWrite - Position(), 0));
        return TMemoryStream::Write(B, n);
    }

private:
    int64_t FRead, FWrite;
};

TEST_P(AES, StreamSizesAndFailures)
{
    const TBytes cipher = Hex("7649abac8119b246cee98e9b12e9197d 5086cb9b507219ee95db113a917678b2");
    const TBytes plain = Hex("6bc1bee22e409f96e93d7e117393172a ae2d8a571e03ac9c9eb76fac45af8e51");
    const TAESBuffer iv = Arr<16>("000102030405060708090a0b0c0d0e0f");

    {   // Count 0: the whole source from its start, whatever its position.
        TMemoryStream src(cipher.data(), 32), dst;
        src.SetPosition(20);
        AESDecryptStreamCBCKey(src, 0, Key_2B, dst, iv);
        EXPECT_EQ(dst.Bytes(), plain);
    }
    {   // A count past the rest decrypts only the rest.
        TMemoryStream src(cipher.data(), 32), dst;
        AESDecryptStreamCBCKey(src, 1000, Key_2B, dst, iv);
        EXPECT_EQ(dst.Bytes(), plain);
    }
    {   // An empty source writes nothing.
        TMemoryStream src, dst;
        AESDecryptStreamCBCKey(src, 0, Key_2B, dst, iv);
        EXPECT_EQ(dst.Size(), 0);
    }
    const auto message = [](const std::function<void()>& f) {
        try {
            f();
        } catch (const EAESError& e) {
            return e.Message();
        }
        return std::string("no error");
    };
    {
        TMemoryStream src(cipher.data(), 15), dst;
        EXPECT_EQ(message([&] { AESDecryptStreamCBCKey(src, 0, Key_2B, dst, iv); }),
                  "Invalid buffer size for decryption");
        EXPECT_EQ(dst.Size(), 0);
    }
    {   // The source gives fewer bytes than it claims: the block before stays written.
        TLimitedStream src(cipher, 20, 1 << 20);
        TMemoryStream dst;
        EXPECT_EQ(message([&] { AESDecryptStreamCBCKey(src, 32, Key_2B, dst, iv); }), "Stream read error");
        EXPECT_EQ(dst.Bytes(), TBytes(plain.begin(), plain.begin() + 16));
    }
    {
        TMemoryStream src(cipher.data(), 32);
        TLimitedStream dst({}, 0, 20);
        EXPECT_EQ(message([&] { AESDecryptStreamCBCKey(src, 0, Key_2B, dst, iv); }), "Stream write error");
        EXPECT_EQ(TBytes(dst.Bytes().begin(), dst.Bytes().begin() + 16), TBytes(plain.begin(), plain.begin() + 16));
    }
    // EAESError is one of the program's own errors.
    EXPECT_TRUE((std::is_base_of_v<Exception, EAESError>));
}

TEST(AESHelpers, BlockOperations)
{
    const TAESBuffer a = Arr<16>("80000000000000000000000000000001");
    EXPECT_EQ(AESShiftBlockLeft(a), Arr<16>("00000000000000000000000000000002"));
    EXPECT_EQ(AESShiftBlockLeft(Arr<16>("00000000000000000000000000000080")),
              Arr<16>("00000000000000000000000000000100"));
    EXPECT_EQ(AESXorBlock(a, a), TAESBuffer{});
    const TAESBuffer m = Arr<16>("0102030405060708090a0b0c0d0e0f10");
    EXPECT_EQ(AESPadBlock(m, 0), Arr<16>("80000000000000000000000000000000"));
    EXPECT_EQ(AESPadBlock(m, 3), Arr<16>("01020380000000000000000000000000"));
    EXPECT_EQ(AESPadBlock(m, 15), Arr<16>("0102030405060708090a0b0c0d0e0f80"));
    EXPECT_EQ(AESMinInt(3, -2), -2);
}

}   // namespace
