#pragma once
// The cryptography of the Basic256Sha256 security policy, on libcrypto: RSA-OAEP (SHA-1)
// and RSA PKCS#1 v1.5 SHA-256 for the asymmetric steps, AES-256-CBC and HMAC-SHA-256
// for the channel, P_SHA256 to derive the channel's keys.
#include <memory>
#include <stdexcept>
#include <string>

typedef struct evp_pkey_st EVP_PKEY;

namespace ua {

class ECrypto : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TKeyDeleter {
    void operator()(EVP_PKEY* k) const;
};
using TKey = std::unique_ptr<EVP_PKEY, TKeyDeleter>;

// A certificate in PEM (as typed: any line ends) or DER, as DER; raises ECrypto.
std::string Certificate_Der(const std::string& Text);
// The public key of a DER certificate.
TKey Public_Key(const std::string& Der);
// A private key in PEM, unencrypted.
TKey Private_Key(const std::string& Pem);
// The first URI of a DER certificate's subject alternative names, empty when it has none.
std::string Certificate_Uri(const std::string& Der);
// Whether the key is the private half of the certificate's public key.
bool Key_Matches(EVP_PKEY* Private, const std::string& Der);
size_t Key_Bytes(EVP_PKEY* Key);

std::string Sha1(const std::string& Data);
std::string Random_Bytes(size_t n);
std::string Hmac_Sha256(const std::string& Key, const std::string& Data);
// The pseudo-random function of the policy: Length bytes from Secret and Seed.
std::string P_Sha256(const std::string& Secret, const std::string& Seed, size_t Length);
// AES-256-CBC without padding (the protocol pads): Data is a whole number of blocks.
std::string Aes256_Cbc(bool Encrypt, const std::string& Key, const std::string& Iv, const std::string& Data);

// RSA-OAEP with SHA-1, block by block: each block of Key_Bytes - 42 plain bytes gives
// Key_Bytes cipher bytes.
std::string Rsa_Oaep_Encrypt(EVP_PKEY* Public, const std::string& Plain);
std::string Rsa_Oaep_Decrypt(EVP_PKEY* Private, const std::string& Cipher);
std::string Rsa_Sign_Sha256(EVP_PKEY* Private, const std::string& Data);
bool Rsa_Verify_Sha256(EVP_PKEY* Public, const std::string& Data, const std::string& Signature);

}  // namespace ua
