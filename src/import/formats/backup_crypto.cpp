// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/backup_crypto.h"

#include <memory>
#include <openssl/evp.h>
#include <openssl/rand.h>

namespace BackupCrypto {

namespace {

constexpr int gcmTagLength = 16;
constexpr std::uint64_t scryptMemoryLimit = 256ull * 1024 * 1024;

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

const unsigned char* bytes(const QByteArray& data)
{
    return reinterpret_cast<const unsigned char*>(data.constData());
}

unsigned char* bytes(QByteArray& data)
{
    return reinterpret_cast<unsigned char*>(data.data());
}

// Key and nonce of a fresh AES-256-GCM context, in the given direction.
CipherContext gcmContext(const QByteArray& key, const QByteArray& nonce, bool encrypt)
{
    CipherContext context(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!context || key.size() != 32 || nonce.isEmpty())
        return CipherContext(nullptr, &EVP_CIPHER_CTX_free);
    const int enc = encrypt ? 1 : 0;
    if (EVP_CipherInit_ex(context.get(), EVP_aes_256_gcm(), nullptr, nullptr, nullptr, enc) != 1 ||
        EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_IVLEN, static_cast<int>(nonce.size()), nullptr) !=
            1 ||
        EVP_CipherInit_ex(context.get(), nullptr, nullptr, bytes(key), bytes(nonce), enc) != 1)
        return CipherContext(nullptr, &EVP_CIPHER_CTX_free);
    return context;
}

} // namespace

QByteArray randomBytes(int count)
{
    QByteArray out(count, '\0');
    if (RAND_bytes(bytes(out), count) != 1)
        qFatal("The system random number generator failed");
    return out;
}

QByteArray sha256(const QByteArray& data)
{
    QByteArray digest(32, '\0');
    unsigned int length = 0;
    EVP_Digest(data.constData(), static_cast<std::size_t>(data.size()), bytes(digest), &length, EVP_sha256(),
               nullptr);
    return digest;
}

std::optional<QByteArray> scrypt(const QByteArray& password, const QByteArray& salt, const ScryptCost& cost,
                                 int keyLength)
{
    if (cost.r == 0 || cost.p == 0 || cost.n < 2 || cost.r > 64 || cost.p > 64 ||
        cost.n > scryptMemoryLimit / (128 * cost.r))
        return std::nullopt;
    QByteArray key(keyLength, '\0');
    if (EVP_PBE_scrypt(password.constData(), static_cast<std::size_t>(password.size()), bytes(salt),
                       static_cast<std::size_t>(salt.size()), cost.n, cost.r, cost.p,
                       scryptMemoryLimit + 4096, bytes(key), static_cast<std::size_t>(keyLength)) != 1)
        return std::nullopt;
    return key;
}

std::optional<QByteArray> pbkdf2(const QByteArray& password, const QByteArray& salt, int iterations,
                                 PbkdfHash hash, int keyLength)
{
    if (iterations < 1)
        return std::nullopt;
    QByteArray key(keyLength, '\0');
    const EVP_MD* digest = hash == PbkdfHash::sha1 ? EVP_sha1() : EVP_sha256();
    if (PKCS5_PBKDF2_HMAC(password.constData(), static_cast<int>(password.size()), bytes(salt),
                          static_cast<int>(salt.size()), iterations, digest, keyLength, bytes(key)) != 1)
        return std::nullopt;
    return key;
}

std::optional<Sealed> sealAesGcm(const QByteArray& key, const QByteArray& nonce, const QByteArray& plaintext)
{
    CipherContext context = gcmContext(key, nonce, true);
    if (!context)
        return std::nullopt;
    Sealed sealed;
    sealed.ciphertext.resize(plaintext.size() + 16);
    int length = 0;
    int finalLength = 0;
    if (EVP_EncryptUpdate(context.get(), bytes(sealed.ciphertext), &length, bytes(plaintext),
                          static_cast<int>(plaintext.size())) != 1 ||
        EVP_EncryptFinal_ex(context.get(), bytes(sealed.ciphertext) + length, &finalLength) != 1)
        return std::nullopt;
    sealed.ciphertext.resize(length + finalLength);
    sealed.tag.resize(gcmTagLength);
    if (EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_GET_TAG, gcmTagLength, bytes(sealed.tag)) != 1)
        return std::nullopt;
    return sealed;
}

std::optional<QByteArray> openAesGcm(const QByteArray& key, const QByteArray& nonce,
                                     const QByteArray& ciphertext, const QByteArray& tag)
{
    if (tag.size() != gcmTagLength)
        return std::nullopt;
    CipherContext context = gcmContext(key, nonce, false);
    if (!context)
        return std::nullopt;
    QByteArray plaintext(ciphertext.size() + 16, '\0');
    int length = 0;
    int finalLength = 0;
    QByteArray tagCopy = tag;
    if (EVP_DecryptUpdate(context.get(), bytes(plaintext), &length, bytes(ciphertext),
                          static_cast<int>(ciphertext.size())) != 1 ||
        EVP_CIPHER_CTX_ctrl(context.get(), EVP_CTRL_GCM_SET_TAG, gcmTagLength, bytes(tagCopy)) != 1 ||
        EVP_DecryptFinal_ex(context.get(), bytes(plaintext) + length, &finalLength) != 1)
        return std::nullopt;
    plaintext.resize(length + finalLength);
    return plaintext;
}

} // namespace BackupCrypto
