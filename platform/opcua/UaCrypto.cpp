// Basic256Sha256 on libcrypto.
#include "platform/opcua/UaCrypto.h"

#include <algorithm>

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/rsa.h>
#include <openssl/sha.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace ua {

void TKeyDeleter::operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); }

namespace {

struct TX509 {
    X509* p = nullptr;
    ~TX509() { X509_free(p); }
};

struct TCtx {
    EVP_PKEY_CTX* p = nullptr;
    ~TCtx() { EVP_PKEY_CTX_free(p); }
};

X509* Parse(const std::string& Der)
{
    const auto* p = reinterpret_cast<const unsigned char*>(Der.data());
    X509* x = d2i_X509(nullptr, &p, long(Der.size()));
    if (!x) throw ECrypto("the certificate cannot be read");
    return x;
}

}  // namespace

std::string Certificate_Der(const std::string& Text)
{
    TX509 x;
    if (Text.find("-----BEGIN") != std::string::npos) {
        BIO* b = BIO_new_mem_buf(Text.data(), int(Text.size()));
        x.p = PEM_read_bio_X509(b, nullptr, nullptr, nullptr);
        BIO_free(b);
        if (!x.p) throw ECrypto("the certificate cannot be read");
    } else {
        x.p = Parse(Text);
    }
    const int n = i2d_X509(x.p, nullptr);
    if (n <= 0) throw ECrypto("the certificate cannot be read");
    std::string Der(size_t(n), '\0');
    auto* q = reinterpret_cast<unsigned char*>(Der.data());
    i2d_X509(x.p, &q);
    return Der;
}

TKey Public_Key(const std::string& Der)
{
    TX509 x;
    x.p = Parse(Der);
    EVP_PKEY* k = X509_get_pubkey(x.p);
    if (!k || EVP_PKEY_base_id(k) != EVP_PKEY_RSA) {
        EVP_PKEY_free(k);
        throw ECrypto("the certificate holds no RSA key");
    }
    return TKey(k);
}

TKey Private_Key(const std::string& Pem)
{
    BIO* b = BIO_new_mem_buf(Pem.data(), int(Pem.size()));
    // No password callback: an encrypted key is refused, never asked for on a terminal.
    EVP_PKEY* k = PEM_read_bio_PrivateKey(b, nullptr, [](char*, int, int, void*) { return 0; }, nullptr);
    BIO_free(b);
    if (!k || EVP_PKEY_base_id(k) != EVP_PKEY_RSA) {
        EVP_PKEY_free(k);
        throw ECrypto("the private key cannot be read (an unencrypted RSA key in PEM is needed)");
    }
    return TKey(k);
}

std::string Certificate_Uri(const std::string& Der)
{
    TX509 x;
    x.p = Parse(Der);
    auto* Names = static_cast<GENERAL_NAMES*>(X509_get_ext_d2i(x.p, NID_subject_alt_name, nullptr, nullptr));
    std::string Uri;
    for (int i = 0; Names && i < sk_GENERAL_NAME_num(Names) && Uri.empty(); ++i) {
        const GENERAL_NAME* g = sk_GENERAL_NAME_value(Names, i);
        if (g->type == GEN_URI)
            Uri.assign(reinterpret_cast<const char*>(ASN1_STRING_get0_data(g->d.uniformResourceIdentifier)),
                       size_t(ASN1_STRING_length(g->d.uniformResourceIdentifier)));
    }
    GENERAL_NAMES_free(Names);
    return Uri;
}

bool Key_Matches(EVP_PKEY* Private, const std::string& Der)
{
    TKey Pub = Public_Key(Der);
    return EVP_PKEY_eq(Private, Pub.get()) == 1;
}

size_t Key_Bytes(EVP_PKEY* Key) { return size_t(EVP_PKEY_get_size(Key)); }

std::string Sha1(const std::string& Data)
{
    std::string d(SHA_DIGEST_LENGTH, '\0');
    SHA1(reinterpret_cast<const unsigned char*>(Data.data()), Data.size(), reinterpret_cast<unsigned char*>(d.data()));
    return d;
}

std::string Random_Bytes(size_t n)
{
    std::string s(n, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(s.data()), int(n)) != 1) throw ECrypto("no random bytes");
    return s;
}

std::string Hmac_Sha256(const std::string& Key, const std::string& Data)
{
    unsigned char Out[EVP_MAX_MD_SIZE];
    unsigned int n = 0;
    HMAC(EVP_sha256(), Key.data(), int(Key.size()), reinterpret_cast<const unsigned char*>(Data.data()), Data.size(),
         Out, &n);
    return std::string(reinterpret_cast<char*>(Out), n);
}

std::string P_Sha256(const std::string& Secret, const std::string& Seed, size_t Length)
{
    std::string Out, A = Seed;
    while (Out.size() < Length) {
        A = Hmac_Sha256(Secret, A);
        Out += Hmac_Sha256(Secret, A + Seed);
    }
    Out.resize(Length);
    return Out;
}

std::string Aes256_Cbc(bool Encrypt, const std::string& Key, const std::string& Iv, const std::string& Data)
{
    if (Key.size() != 32 || Iv.size() != 16 || Data.size() % 16) throw ECrypto("bad AES block");
    EVP_CIPHER_CTX* c = EVP_CIPHER_CTX_new();
    std::string Out(Data.size() + 16, '\0');
    int n = 0, m = 0;
    const bool ok = EVP_CipherInit_ex(c, EVP_aes_256_cbc(), nullptr, reinterpret_cast<const unsigned char*>(Key.data()),
                                      reinterpret_cast<const unsigned char*>(Iv.data()), Encrypt ? 1 : 0) == 1 &&
                    EVP_CIPHER_CTX_set_padding(c, 0) == 1 &&
                    EVP_CipherUpdate(c, reinterpret_cast<unsigned char*>(Out.data()), &n,
                                     reinterpret_cast<const unsigned char*>(Data.data()), int(Data.size())) == 1 &&
                    EVP_CipherFinal_ex(c, reinterpret_cast<unsigned char*>(Out.data()) + n, &m) == 1;
    EVP_CIPHER_CTX_free(c);
    if (!ok) throw ECrypto("AES failed");
    Out.resize(size_t(n + m));
    return Out;
}

std::string Rsa_Oaep_Encrypt(EVP_PKEY* Public, const std::string& Plain)
{
    const size_t Block = Key_Bytes(Public) - 42;
    std::string Out;
    for (size_t at = 0; at < Plain.size(); at += Block) {
        TCtx c;
        c.p = EVP_PKEY_CTX_new(Public, nullptr);
        const size_t Len = std::min(Block, Plain.size() - at);
        size_t n = 0;
        if (!c.p || EVP_PKEY_encrypt_init(c.p) != 1 || EVP_PKEY_CTX_set_rsa_padding(c.p, RSA_PKCS1_OAEP_PADDING) != 1 ||
            EVP_PKEY_CTX_set_rsa_oaep_md(c.p, EVP_sha1()) != 1 ||
            EVP_PKEY_encrypt(c.p, nullptr, &n, reinterpret_cast<const unsigned char*>(Plain.data()) + at, Len) != 1)
            throw ECrypto("RSA encryption failed");
        std::string b(n, '\0');
        if (EVP_PKEY_encrypt(c.p, reinterpret_cast<unsigned char*>(b.data()), &n,
                             reinterpret_cast<const unsigned char*>(Plain.data()) + at, Len) != 1)
            throw ECrypto("RSA encryption failed");
        b.resize(n);
        Out += b;
    }
    return Out;
}

std::string Rsa_Oaep_Decrypt(EVP_PKEY* Private, const std::string& Cipher)
{
    const size_t Block = Key_Bytes(Private);
    if (Cipher.size() % Block) throw ECrypto("cipher text not a whole number of blocks");
    std::string Out;
    for (size_t at = 0; at < Cipher.size(); at += Block) {
        TCtx c;
        c.p = EVP_PKEY_CTX_new(Private, nullptr);
        size_t n = Block;
        std::string b(Block, '\0');
        if (!c.p || EVP_PKEY_decrypt_init(c.p) != 1 || EVP_PKEY_CTX_set_rsa_padding(c.p, RSA_PKCS1_OAEP_PADDING) != 1 ||
            EVP_PKEY_CTX_set_rsa_oaep_md(c.p, EVP_sha1()) != 1 ||
            EVP_PKEY_decrypt(c.p, reinterpret_cast<unsigned char*>(b.data()), &n,
                             reinterpret_cast<const unsigned char*>(Cipher.data()) + at, Block) != 1)
            throw ECrypto("RSA decryption failed");
        b.resize(n);
        Out += b;
    }
    return Out;
}

std::string Rsa_Sign_Sha256(EVP_PKEY* Private, const std::string& Data)
{
    EVP_MD_CTX* m = EVP_MD_CTX_new();
    size_t n = 0;
    std::string Sig;
    bool ok = EVP_DigestSignInit(m, nullptr, EVP_sha256(), nullptr, Private) == 1 &&
              EVP_DigestSign(m, nullptr, &n, reinterpret_cast<const unsigned char*>(Data.data()), Data.size()) == 1;
    if (ok) {
        Sig.resize(n);
        ok = EVP_DigestSign(m, reinterpret_cast<unsigned char*>(Sig.data()), &n,
                            reinterpret_cast<const unsigned char*>(Data.data()), Data.size()) == 1;
        Sig.resize(n);
    }
    EVP_MD_CTX_free(m);
    if (!ok) throw ECrypto("RSA signing failed");
    return Sig;
}

bool Rsa_Verify_Sha256(EVP_PKEY* Public, const std::string& Data, const std::string& Signature)
{
    EVP_MD_CTX* m = EVP_MD_CTX_new();
    const bool ok =
        EVP_DigestVerifyInit(m, nullptr, EVP_sha256(), nullptr, Public) == 1 &&
        EVP_DigestVerify(m, reinterpret_cast<const unsigned char*>(Signature.data()), Signature.size(),
                         reinterpret_cast<const unsigned char*>(Data.data()), Data.size()) == 1;
    EVP_MD_CTX_free(m);
    return ok;
}

}  // namespace ua
