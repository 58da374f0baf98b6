#pragma once
// AES with 128-bit keys: the block cipher, CBC decryption of a stream and the CMAC of a
// stream, which is what the wireless telegram decoder needs to read encrypted meters
// (CBC with the meter key, or CBC with a per-message key derived by CMAC).
//
// Keys are expanded into 44 words of 32 bits, each word the big-endian form of four key
// schedule bytes. A decryption schedule is an expanded key whose round keys 1 to 9 went
// through InvMixColumns (the round keys of the equivalent inverse cipher).
#include <array>
#include <cstdint>

#include "platform/rtl/Streams.h"
#include "platform/rtl/Exception.h"

CONF_DECLARE_EXCEPTION(EAESError, Exception);

using TAESKey128 = std::array<uint8_t, 16>;
using TAESBuffer = std::array<uint8_t, 16>;
using TAESExpandedKey128 = std::array<uint32_t, 44>;

TAESExpandedKey128 AESExpandKeyEncrypt(const TAESKey128& Key);
void AESInvMixRoundKeys(TAESExpandedKey128& ExpandedKey);   // in place: encryption -> decryption schedule
TAESExpandedKey128 AESExpandKeyDecrypt(const TAESKey128& Key);

TAESBuffer AESEncryptBlock(const TAESBuffer& InBuf, const TAESExpandedKey128& Key);
TAESBuffer AESDecryptBlock(const TAESBuffer& InBuf, const TAESExpandedKey128& DecryptKey);

TAESBuffer AESXorBlock(const TAESBuffer& A, const TAESBuffer& B);
// The block as a 128-bit big-endian number shifted left by one bit; the top bit is lost.
TAESBuffer AESShiftBlockLeft(const TAESBuffer& Block);
// The first Count bytes (0..15), then 0x80, then zeros.
TAESBuffer AESPadBlock(const TAESBuffer& Block, int Count);
int AESMinInt(int A, int B);

// The two CMAC subkeys K1 and K2.
void AESCmacSubkeys(const TAESExpandedKey128& Key, TAESBuffer& K1, TAESBuffer& K2);
// The CMAC tag of the first Count bytes of the stream, read from its start whatever its
// position; the stream is left where the last read ended.
TAESBuffer AESCmacStream(TStream& Source, int64_t Count, const TAESExpandedKey128& Key);
TAESBuffer AESCmacStreamKey(TStream& Source, int64_t Count, const TAESKey128& Key);

// Decrypts in CBC mode into Dest. Count 0: the whole source from its start; otherwise
// at most Count bytes from the source's position. The size must be a multiple of 16
// (EAESError otherwise); no padding is removed. A short read or write raises EAESError,
// and Dest keeps the blocks written before it.
void AESDecryptStreamCBC(TStream& Source, int64_t Count, const TAESExpandedKey128& DecryptKey, TStream& Dest,
                         const TAESBuffer& InitVector);
void AESDecryptStreamCBCKey(TStream& Source, int64_t Count, const TAESKey128& Key, TStream& Dest,
                            const TAESBuffer& InitVector);

// Whether the processor's AES instructions are used where present (on by default).
// Turning them off runs the table-driven cipher, which gives the same results; the tests
// compare both ways against an independent implementation. Returns the previous setting.
bool AESSetHardwareAcceleration(bool Enable);
bool AESHardwareAvailable();
