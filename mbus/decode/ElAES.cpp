// AES-128: key schedule, block cipher, CBC decryption and CMAC.
//
// The cipher runs on the processor's AES instructions where they exist and on 32-bit
// lookup tables elsewhere. The tables are computed at compile time from the field
// arithmetic (the S-box is the multiplicative inverse followed by the affine map), so no
// hand-typed table can hold a wrong entry.
#include "mbus/decode/ElAES.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define CONF_AES_NI 1
#else
#define CONF_AES_NI 0
#endif

namespace {

constexpr uint8_t XTime(uint8_t x)
{
    return static_cast<uint8_t>((x << 1) ^ ((x & 0x80) ? 0x1B : 0));
}

constexpr uint8_t GMul(uint8_t a, uint8_t b)
{
    uint8_t r = 0;
    while (b) {
        if (b & 1) r ^= a;
        a = XTime(a);
        b >>= 1;
    }
    return r;
}

constexpr uint8_t Rotl8(uint8_t x, int n)
{
    return static_cast<uint8_t>((x << n) | (x >> (8 - n)));
}

struct TTables {
    uint8_t S[256]{};
    uint8_t Si[256]{};
    uint32_t Te[4][256]{};
    uint32_t Td[4][256]{};
    uint32_t Rcon[11]{};
};

constexpr uint32_t Ror(uint32_t x, int n)
{
    return (x >> n) | (x << (32 - n));
}

constexpr TTables MakeTables()
{
    TTables t{};
    for (int x = 0; x < 256; ++x) {
        // The inverse in GF(2^8) is x^254.
        uint8_t inv = 1, base = static_cast<uint8_t>(x);
        for (int e = 254; e; e >>= 1) {
            if (e & 1) inv = GMul(inv, base);
            base = GMul(base, base);
        }
        if (x == 0) inv = 0;
        const uint8_t s = inv ^ Rotl8(inv, 1) ^ Rotl8(inv, 2) ^ Rotl8(inv, 3) ^ Rotl8(inv, 4) ^ 0x63;
        t.S[x] = s;
        t.Si[s] = static_cast<uint8_t>(x);
    }
    for (int x = 0; x < 256; ++x) {
        const uint8_t s = t.S[x], si = t.Si[x];
        const uint32_t e = (uint32_t(GMul(s, 2)) << 24) | (uint32_t(s) << 16) | (uint32_t(s) << 8) | GMul(s, 3);
        const uint32_t d = (uint32_t(GMul(si, 14)) << 24) | (uint32_t(GMul(si, 9)) << 16) |
                           (uint32_t(GMul(si, 13)) << 8) | GMul(si, 11);
        for (int k = 0; k < 4; ++k) {
            t.Te[k][x] = k ? Ror(e, 8 * k) : e;
            t.Td[k][x] = k ? Ror(d, 8 * k) : d;
        }
    }
    uint8_t rc = 1;
    for (int i = 1; i < 11; ++i) {
        t.Rcon[i] = uint32_t(rc) << 24;
        rc = XTime(rc);
    }
    return t;
}

constexpr TTables T = MakeTables();

uint32_t LoadBE(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

void StoreBE(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

uint32_t SubWord(uint32_t w)
{
    return (uint32_t(T.S[w >> 24]) << 24) | (uint32_t(T.S[(w >> 16) & 255]) << 16) |
           (uint32_t(T.S[(w >> 8) & 255]) << 8) | T.S[w & 255];
}

uint32_t InvMixColumn(uint32_t w)
{
    const uint8_t a0 = uint8_t(w >> 24), a1 = uint8_t(w >> 16), a2 = uint8_t(w >> 8), a3 = uint8_t(w);
    const uint8_t b0 = GMul(a0, 14) ^ GMul(a1, 11) ^ GMul(a2, 13) ^ GMul(a3, 9);
    const uint8_t b1 = GMul(a0, 9) ^ GMul(a1, 14) ^ GMul(a2, 11) ^ GMul(a3, 13);
    const uint8_t b2 = GMul(a0, 13) ^ GMul(a1, 9) ^ GMul(a2, 14) ^ GMul(a3, 11);
    const uint8_t b3 = GMul(a0, 11) ^ GMul(a1, 13) ^ GMul(a2, 9) ^ GMul(a3, 14);
    return (uint32_t(b0) << 24) | (uint32_t(b1) << 16) | (uint32_t(b2) << 8) | b3;
}

void EncryptTables(const uint8_t* in, uint8_t* out, const uint32_t* rk)
{
    uint32_t s0 = LoadBE(in) ^ rk[0], s1 = LoadBE(in + 4) ^ rk[1], s2 = LoadBE(in + 8) ^ rk[2],
             s3 = LoadBE(in + 12) ^ rk[3];
    const auto& Te = T.Te;
    for (int r = 1; r < 10; ++r) {
        const uint32_t* k = rk + 4 * r;
        const uint32_t t0 = Te[0][s0 >> 24] ^ Te[1][(s1 >> 16) & 255] ^ Te[2][(s2 >> 8) & 255] ^ Te[3][s3 & 255] ^ k[0];
        const uint32_t t1 = Te[0][s1 >> 24] ^ Te[1][(s2 >> 16) & 255] ^ Te[2][(s3 >> 8) & 255] ^ Te[3][s0 & 255] ^ k[1];
        const uint32_t t2 = Te[0][s2 >> 24] ^ Te[1][(s3 >> 16) & 255] ^ Te[2][(s0 >> 8) & 255] ^ Te[3][s1 & 255] ^ k[2];
        const uint32_t t3 = Te[0][s3 >> 24] ^ Te[1][(s0 >> 16) & 255] ^ Te[2][(s1 >> 8) & 255] ^ Te[3][s2 & 255] ^ k[3];
        s0 = t0, s1 = t1, s2 = t2, s3 = t3;
    }
    const auto last = [](uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t k) {
        return ((uint32_t(T.S[a >> 24]) << 24) | (uint32_t(T.S[(b >> 16) & 255]) << 16) |
                (uint32_t(T.S[(c >> 8) & 255]) << 8) | T.S[d & 255]) ^ k;
    };
    StoreBE(out, last(s0, s1, s2, s3, rk[40]));
    StoreBE(out + 4, last(s1, s2, s3, s0, rk[41]));
    StoreBE(out + 8, last(s2, s3, s0, s1, rk[42]));
    StoreBE(out + 12, last(s3, s0, s1, s2, rk[43]));
}

void DecryptTables(const uint8_t* in, uint8_t* out, const uint32_t* dk)
{
    uint32_t s0 = LoadBE(in) ^ dk[40], s1 = LoadBE(in + 4) ^ dk[41], s2 = LoadBE(in + 8) ^ dk[42],
             s3 = LoadBE(in + 12) ^ dk[43];
    const auto& Td = T.Td;
    for (int r = 9; r >= 1; --r) {
        const uint32_t* k = dk + 4 * r;
        const uint32_t t0 = Td[0][s0 >> 24] ^ Td[1][(s3 >> 16) & 255] ^ Td[2][(s2 >> 8) & 255] ^ Td[3][s1 & 255] ^ k[0];
        const uint32_t t1 = Td[0][s1 >> 24] ^ Td[1][(s0 >> 16) & 255] ^ Td[2][(s3 >> 8) & 255] ^ Td[3][s2 & 255] ^ k[1];
        const uint32_t t2 = Td[0][s2 >> 24] ^ Td[1][(s1 >> 16) & 255] ^ Td[2][(s0 >> 8) & 255] ^ Td[3][s3 & 255] ^ k[2];
        const uint32_t t3 = Td[0][s3 >> 24] ^ Td[1][(s2 >> 16) & 255] ^ Td[2][(s1 >> 8) & 255] ^ Td[3][s0 & 255] ^ k[3];
        s0 = t0, s1 = t1, s2 = t2, s3 = t3;
    }
    const auto last = [](uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t k) {
        return ((uint32_t(T.Si[a >> 24]) << 24) | (uint32_t(T.Si[(b >> 16) & 255]) << 16) |
                (uint32_t(T.Si[(c >> 8) & 255]) << 8) | T.Si[d & 255]) ^ k;
    };
    StoreBE(out, last(s0, s3, s2, s1, dk[0]));
    StoreBE(out + 4, last(s1, s0, s3, s2, dk[1]));
    StoreBE(out + 8, last(s2, s1, s0, s3, dk[2]));
    StoreBE(out + 12, last(s3, s2, s1, s0, dk[3]));
}

// The round keys as the bytes of the schedule, in order.
void RoundKeyBytes(const TAESExpandedKey128& K, uint8_t (&Bytes)[176])
{
    for (int i = 0; i < 44; ++i) StoreBE(Bytes + 4 * i, K[i]);
}

#if CONF_AES_NI
bool Cpu_Has_AES()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("aes");
}
const bool Has_AES_NI = Cpu_Has_AES();
std::atomic<bool> Use_AES_NI{true};

bool UseNI()
{
    return Has_AES_NI && Use_AES_NI.load(std::memory_order_relaxed);
}

__attribute__((target("aes,sse2"))) void EncryptNI(const uint8_t* in, uint8_t* out, const TAESExpandedKey128& K)
{
    uint8_t b[176];
    RoundKeyBytes(K, b);
    const auto* rk = reinterpret_cast<const __m128i*>(b);
    __m128i x = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in)), _mm_loadu_si128(rk));
    for (int r = 1; r < 10; ++r) x = _mm_aesenc_si128(x, _mm_loadu_si128(rk + r));
    x = _mm_aesenclast_si128(x, _mm_loadu_si128(rk + 10));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), x);
}

// CBC decryption of Blocks blocks from In to Out (which may be the same memory); Chain
// holds the initialisation vector and is left at the last cipher block.
__attribute__((target("aes,sse2"))) void CbcDecryptNI(const uint8_t* In, uint8_t* Out, size_t Blocks,
                                                       const TAESExpandedKey128& K, uint8_t* Chain)
{
    uint8_t b[176];
    RoundKeyBytes(K, b);
    __m128i dk[11];
    for (int r = 0; r < 11; ++r) dk[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b) + r);
    __m128i iv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Chain));
    const auto* src = reinterpret_cast<const __m128i*>(In);
    auto* dst = reinterpret_cast<__m128i*>(Out);
    size_t i = 0;
    for (; i + 8 <= Blocks; i += 8) {
        __m128i c[8], x[8];
        for (int j = 0; j < 8; ++j) {
            c[j] = _mm_loadu_si128(src + i + j);
            x[j] = _mm_xor_si128(c[j], dk[10]);
        }
        for (int r = 9; r >= 1; --r)
            for (int j = 0; j < 8; ++j) x[j] = _mm_aesdec_si128(x[j], dk[r]);
        for (int j = 0; j < 8; ++j) x[j] = _mm_aesdeclast_si128(x[j], dk[0]);
        _mm_storeu_si128(dst + i, _mm_xor_si128(x[0], iv));
        for (int j = 1; j < 8; ++j) _mm_storeu_si128(dst + i + j, _mm_xor_si128(x[j], c[j - 1]));
        iv = c[7];
    }
    for (; i < Blocks; ++i) {
        const __m128i c = _mm_loadu_si128(src + i);
        __m128i x = _mm_xor_si128(c, dk[10]);
        for (int r = 9; r >= 1; --r) x = _mm_aesdec_si128(x, dk[r]);
        x = _mm_aesdeclast_si128(x, dk[0]);
        _mm_storeu_si128(dst + i, _mm_xor_si128(x, iv));
        iv = c;
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Chain), iv);
}
#else
bool UseNI()
{
    return false;
}
#endif

void CbcDecryptTables(const uint8_t* In, uint8_t* Out, size_t Blocks, const TAESExpandedKey128& K, uint8_t* Chain)
{
    for (size_t i = 0; i < Blocks; ++i) {
        uint8_t c[16], p[16];
        std::memcpy(c, In + 16 * i, 16);
        DecryptTables(c, p, K.data());
        for (int j = 0; j < 16; ++j) Out[16 * i + j] = p[j] ^ Chain[j];
        std::memcpy(Chain, c, 16);
    }
}

void CbcDecrypt(const uint8_t* In, uint8_t* Out, size_t Blocks, const TAESExpandedKey128& K, uint8_t* Chain)
{
#if CONF_AES_NI
    if (UseNI()) return CbcDecryptNI(In, Out, Blocks, K, Chain);
#endif
    CbcDecryptTables(In, Out, Blocks, K, Chain);
}

}   // namespace

bool AESSetHardwareAcceleration(bool Enable)
{
#if CONF_AES_NI
    return Use_AES_NI.exchange(Enable);
#else
    (void)Enable;
    return false;
#endif
}

bool AESHardwareAvailable()
{
#if CONF_AES_NI
    return Has_AES_NI;
#else
    return false;
#endif
}

TAESExpandedKey128 AESExpandKeyEncrypt(const TAESKey128& Key)
{
    TAESExpandedKey128 w{};
    for (int i = 0; i < 4; ++i) w[i] = LoadBE(Key.data() + 4 * i);
    for (int i = 4; i < 44; ++i) {
        uint32_t temp = w[i - 1];
        if (i % 4 == 0) temp = SubWord((temp << 8) | (temp >> 24)) ^ T.Rcon[i / 4];
        w[i] = w[i - 4] ^ temp;
    }
    return w;
}

void AESInvMixRoundKeys(TAESExpandedKey128& ExpandedKey)
{
    for (int i = 4; i < 40; ++i) ExpandedKey[i] = InvMixColumn(ExpandedKey[i]);
}

TAESExpandedKey128 AESExpandKeyDecrypt(const TAESKey128& Key)
{
    TAESExpandedKey128 k = AESExpandKeyEncrypt(Key);
    AESInvMixRoundKeys(k);
    return k;
}

TAESBuffer AESEncryptBlock(const TAESBuffer& InBuf, const TAESExpandedKey128& Key)
{
    TAESBuffer out;
#if CONF_AES_NI
    if (UseNI()) {
        EncryptNI(InBuf.data(), out.data(), Key);
        return out;
    }
#endif
    EncryptTables(InBuf.data(), out.data(), Key.data());
    return out;
}

TAESBuffer AESDecryptBlock(const TAESBuffer& InBuf, const TAESExpandedKey128& DecryptKey)
{
    TAESBuffer out;
    uint8_t chain[16] = {};
    CbcDecrypt(InBuf.data(), out.data(), 1, DecryptKey, chain);
    return out;
}

TAESBuffer AESXorBlock(const TAESBuffer& A, const TAESBuffer& B)
{
    TAESBuffer r;
    for (int i = 0; i < 16; ++i) r[i] = A[i] ^ B[i];
    return r;
}

TAESBuffer AESShiftBlockLeft(const TAESBuffer& Block)
{
    TAESBuffer r;
    for (int i = 0; i < 16; ++i) r[i] = uint8_t((Block[i] << 1) | (i < 15 ? Block[i + 1] >> 7 : 0));
    return r;
}

TAESBuffer AESPadBlock(const TAESBuffer& Block, int Count)
{
    TAESBuffer r{};
    Count = std::clamp(Count, 0, 15);
    std::copy_n(Block.begin(), Count, r.begin());
    r[Count] = 0x80;
    return r;
}

int AESMinInt(int A, int B)
{
    return A < B ? A : B;
}

void AESCmacSubkeys(const TAESExpandedKey128& Key, TAESBuffer& K1, TAESBuffer& K2)
{
    const TAESBuffer L = AESEncryptBlock(TAESBuffer{}, Key);
    K1 = AESShiftBlockLeft(L);
    if (L[0] & 0x80) K1[15] ^= 0x87;
    K2 = AESShiftBlockLeft(K1);
    if (K1[0] & 0x80) K2[15] ^= 0x87;
}

TAESBuffer AESCmacStream(TStream& Source, int64_t Count, const TAESExpandedKey128& Key)
{
    TAESBuffer K1, K2;
    AESCmacSubkeys(Key, K1, K2);
    Count = std::max<int64_t>(Count, 0);
    int64_t n = (Count + 15) / 16;
    bool complete = Count % 16 == 0;
    if (Count == 0) {
        n = 1;
        complete = false;
    }
    TAESBuffer M{};
    Source.SetPosition((n - 1) * 16);
    Source.Read(M.data(), 16);
    M = complete ? AESXorBlock(M, K1) : AESXorBlock(AESPadBlock(M, int(Count % 16)), K2);
    TAESBuffer X{};
    Source.SetPosition(0);
    for (int64_t i = 1; i < n; ++i) {
        TAESBuffer B{};
        Source.Read(B.data(), 16);
        X = AESEncryptBlock(AESXorBlock(X, B), Key);
    }
    return AESEncryptBlock(AESXorBlock(X, M), Key);
}

TAESBuffer AESCmacStreamKey(TStream& Source, int64_t Count, const TAESKey128& Key)
{
    return AESCmacStream(Source, Count, AESExpandKeyEncrypt(Key));
}

void AESDecryptStreamCBC(TStream& Source, int64_t Count, const TAESExpandedKey128& DecryptKey, TStream& Dest,
                         const TAESBuffer& InitVector)
{
    int64_t size;
    if (Count != 0) {
        size = std::min(Count, Source.Size() - Source.Position());
    } else {
        Source.SetPosition(0);
        size = Source.Size();
    }
    if (size <= 0) return;
    if (size % 16 != 0) throw EAESError("Invalid buffer size for decryption");

    // Blocks go through a buffer of many at a time, so the processor's instructions can
    // work on several blocks at once; the result is the block-by-block one.
    constexpr int64_t Chunk = 16 * 1024;
    uint8_t buf[Chunk];
    TAESBuffer chain = InitVector;
    while (size > 0) {
        const int64_t want = std::min(size, Chunk);
        const int64_t got = Source.Read(buf, want);
        const int64_t whole = std::max<int64_t>(got, 0) / 16 * 16;
        CbcDecrypt(buf, buf, size_t(whole / 16), DecryptKey, chain.data());
        const int64_t written = whole ? Dest.Write(buf, whole) : 0;
        if (written < whole) throw EAESError("Stream write error");
        if (got < want) throw EAESError("Stream read error");
        size -= want;
    }
}

void AESDecryptStreamCBCKey(TStream& Source, int64_t Count, const TAESKey128& Key, TStream& Dest,
                            const TAESBuffer& InitVector)
{
    AESDecryptStreamCBC(Source, Count, AESExpandKeyDecrypt(Key), Dest, InitVector);
}
