#pragma once
// OpenSSL's libcrypto as an independent AES implementation the unit is held against.
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/params.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace openssl {

inline std::vector<uint8_t> Cipher(const EVP_CIPHER* Kind, bool Encrypt, const uint8_t* Key, const uint8_t* IV,
                                   const std::vector<uint8_t>& In)
{
    EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
    std::vector<uint8_t> out(In.size() + 16);
    int n = 0, m = 0;
    bool ok = EVP_CipherInit_ex(ctx, Kind, nullptr, Key, IV, Encrypt ? 1 : 0) == 1 &&
              EVP_CIPHER_CTX_set_padding(ctx, 0) == 1 &&
              EVP_CipherUpdate(ctx, out.data(), &n, In.data(), int(In.size())) == 1 &&
              EVP_CipherFinal_ex(ctx, out.data() + n, &m) == 1;
    EVP_CIPHER_CTX_free(ctx);
    if (!ok) throw std::runtime_error("OpenSSL cipher failed");
    out.resize(size_t(n + m));
    return out;
}

inline std::vector<uint8_t> EncryptECB(const uint8_t* Key, const std::vector<uint8_t>& In)
{
    return Cipher(EVP_aes_128_ecb(), true, Key, nullptr, In);
}
inline std::vector<uint8_t> EncryptCBC(const uint8_t* Key, const uint8_t* IV, const std::vector<uint8_t>& In)
{
    return Cipher(EVP_aes_128_cbc(), true, Key, IV, In);
}
inline std::vector<uint8_t> DecryptCBC(const uint8_t* Key, const uint8_t* IV, const std::vector<uint8_t>& In)
{
    return Cipher(EVP_aes_128_cbc(), false, Key, IV, In);
}

inline std::vector<uint8_t> CMAC(const uint8_t* Key, const std::vector<uint8_t>& Msg)
{
    EVP_MAC* mac = EVP_MAC_fetch(nullptr, "CMAC", nullptr);
    EVP_MAC_CTX* ctx = mac ? EVP_MAC_CTX_new(mac) : nullptr;
    char cipher[] = "AES-128-CBC";
    OSSL_PARAM params[] = {OSSL_PARAM_construct_utf8_string(OSSL_MAC_PARAM_CIPHER, cipher, 0), OSSL_PARAM_construct_end()};
    std::vector<uint8_t> tag(16);
    size_t len = 0;
    const bool ok = ctx && EVP_MAC_init(ctx, Key, 16, params) == 1 &&
                    EVP_MAC_update(ctx, Msg.data(), Msg.size()) == 1 && EVP_MAC_final(ctx, tag.data(), &len, 16) == 1;
    EVP_MAC_CTX_free(ctx);
    EVP_MAC_free(mac);
    if (!ok || len != 16) throw std::runtime_error("OpenSSL CMAC failed");
    return tag;
}

}   // namespace openssl
