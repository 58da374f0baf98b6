// M-Bus decoding and AES:
// - decoding 10 000 wired long frames of 20 records each into slaves with their values and
//   units, against a pass that only checks each frame's checksum and length;
// - CBC decryption of 1 MiB through the AES unit (streams in memory), against OpenSSL's
//   libcrypto on the same bytes, with the processor's AES instructions and without.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <vector>

#include "mbus/decode/ElAES.h"
#include "mbus/decode/UMBusDecoder.h"

namespace {

using TBytes = std::vector<uint8_t>;

// Twenty records of the kinds meters send: BCD, integers, a real, dates, extension tables,
// combinable VIFEs, storage numbers and tariffs.
const std::vector<TBytes>& Record_Kinds()
{
    static const std::vector<TBytes> kinds = {
        {0x0C, 0x05, 0x14, 0x00, 0x00, 0x00}, {0x0C, 0x14, 0x27, 0x04, 0x85, 0x02},
        {0x0B, 0x2D, 0x13, 0x01, 0x00},       {0x0A, 0x5A, 0x34, 0x06},
        {0x0A, 0x5E, 0x12, 0x04},             {0x0A, 0x62, 0x22, 0x02},
        {0x04, 0x6D, 0x1E, 0x0A, 0x2F, 0x31}, {0x4C, 0x05, 0x10, 0x00, 0x00, 0x00},
        {0x42, 0x6C, 0x1F, 0x0C},             {0x04, 0x13, 0x39, 0x30, 0x00, 0x00},
        {0x84, 0x10, 0x03, 0xD0, 0x07, 0x00, 0x00}, {0x02, 0xFD, 0x48, 0xE6, 0x08},
        {0x02, 0xFD, 0x59, 0x10, 0x27},       {0x05, 0x13, 0x00, 0x40, 0x1C, 0x46},
        {0x05, 0x3B, 0x00, 0x00, 0xC0, 0x3F}, {0x04, 0x96, 0x22, 0x39, 0x30, 0x00, 0x00},
        {0x02, 0xFD, 0x17, 0x00, 0x00},       {0x14, 0x3B, 0x64, 0x00, 0x00, 0x00},
        {0x07, 0x6E, 0x40, 0x42, 0x0F, 0x00, 0x00, 0x00, 0x00, 0x00}, {0x01, 0xFD, 0x0E, 0x05},
    };
    return kinds;
}

const std::vector<TBytes>& Frames()
{
    static const std::vector<TBytes> frames = [] {
        std::vector<TBytes> out;
        for (int n = 0; n < 10000; ++n) {
            TBytes body = {0x08, uint8_t(n % 250 + 1), 0x72, uint8_t(n), uint8_t(n >> 8), 0x34, 0x12, 0x43, 0x04,
                           0x01, 0x07, 0x2A, 0x00, 0x00, 0x00};
            for (const TBytes& r : Record_Kinds()) {
                body.insert(body.end(), r.begin(), r.end());
                body.back() = uint8_t(body.back() ^ (n & 0x01));   // values differ from frame to frame
            }
            uint8_t cs = 0;
            for (uint8_t b : body) cs = uint8_t(cs + b);
            TBytes f = {0x68, uint8_t(body.size()), uint8_t(body.size()), 0x68};
            f.insert(f.end(), body.begin(), body.end());
            f.push_back(cs);
            f.push_back(0x16);
            out.push_back(std::move(f));
        }
        return out;
    }();
    return frames;
}

void BM_DecodeLongFrames(benchmark::State& State)
{
    TMBusDecoder dec;
    for (auto _ : State) {
        int slaves = 0;
        for (const TBytes& f : Frames()) {
            if (!Is_Valid_Long_Frame(f) || size_t(f[1]) + 6 != f.size()) continue;
            bool more = false;
            slaves += dec.Add_Wired_Slave_Frame(-1, more, f) >= 0;
        }
        benchmark::DoNotOptimize(slaves);
        State.PauseTiming();
        Empty_Slave_MBus_List();
        State.ResumeTiming();
    }
    State.SetItemsProcessed(int64_t(State.iterations()) * int64_t(Frames().size()));
}
BENCHMARK(BM_DecodeLongFrames)->Unit(benchmark::kMillisecond);

// Baseline: the checks every answer gets before it is read.
void BM_CheckLongFrames(benchmark::State& State)
{
    for (auto _ : State) {
        int valid = 0;
        for (const TBytes& f : Frames()) valid += Is_Valid_Long_Frame(f) && size_t(f[1]) + 6 == f.size();
        benchmark::DoNotOptimize(valid);
    }
    State.SetItemsProcessed(int64_t(State.iterations()) * int64_t(Frames().size()));
}
BENCHMARK(BM_CheckLongFrames)->Unit(benchmark::kMillisecond);

constexpr size_t MiB = 1 << 20;
const uint8_t Key[16] = {0x2b, 0x7e, 0x15, 0x16, 0x28, 0xae, 0xd2, 0xa6, 0xab, 0xf7, 0x15, 0x88, 0x09, 0xcf, 0x4f, 0x3c};
const uint8_t IV[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

const TBytes& Cipher_Text()
{
    static const TBytes data = [] {
        TBytes d(MiB);
        for (size_t i = 0; i < d.size(); ++i) d[i] = uint8_t(i * 131 + (i >> 8));
        return d;
    }();
    return data;
}

// Arg 1: the processor's AES instructions where present; 0: the table-driven cipher.
void BM_CbcDecryptUnit(benchmark::State& State)
{
    const bool previous = AESSetHardwareAcceleration(State.range(0) != 0);
    TAESKey128 key;
    TAESBuffer iv;
    std::copy(std::begin(Key), std::end(Key), key.begin());
    std::copy(std::begin(IV), std::end(IV), iv.begin());
    TMemoryStream src(Cipher_Text().data(), int64_t(MiB)), dst;
    dst.SetSize(int64_t(MiB));
    for (auto _ : State) {
        src.SetPosition(0);
        dst.SetPosition(0);
        AESDecryptStreamCBCKey(src, int64_t(MiB), key, dst, iv);
        benchmark::DoNotOptimize(dst.Memory());
    }
    AESSetHardwareAcceleration(previous);
    State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(MiB));
}
BENCHMARK(BM_CbcDecryptUnit)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_CbcDecryptOpenSSL(benchmark::State& State)
{
    TBytes out(MiB + 16);
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    for (auto _ : State) {
        int n = 0, m = 0;
        EVP_DecryptInit_ex(ctx, EVP_aes_128_cbc(), nullptr, Key, IV);
        EVP_CIPHER_CTX_set_padding(ctx, 0);
        EVP_DecryptUpdate(ctx, out.data(), &n, Cipher_Text().data(), int(MiB));
        EVP_DecryptFinal_ex(ctx, out.data() + n, &m);
        benchmark::DoNotOptimize(out.data());
    }
    EVP_CIPHER_CTX_free(ctx);
    State.SetBytesProcessed(int64_t(State.iterations()) * int64_t(MiB));
}
BENCHMARK(BM_CbcDecryptOpenSSL)->Unit(benchmark::kMicrosecond);

}   // namespace

BENCHMARK_MAIN();
