// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/hmac.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <vector>

namespace {

// Fetched once: an explicit fetch spares every digest start the provider lookup.
const EVP_MD* digest(HashAlgorithm algorithm)
{
    static EVP_MD* const sha1 = EVP_MD_fetch(nullptr, "SHA1", nullptr);
    static EVP_MD* const sha256 = EVP_MD_fetch(nullptr, "SHA256", nullptr);
    static EVP_MD* const sha512 = EVP_MD_fetch(nullptr, "SHA512", nullptr);
    switch (algorithm) {
    case HashAlgorithm::sha256:
        return sha256;
    case HashAlgorithm::sha512:
        return sha512;
    case HashAlgorithm::sha1:
        break;
    }
    return sha1;
}

constexpr std::size_t maxBlockSize = 128;

// The digest state after one key block XOR `pad`.
bool absorbPaddedKey(EVP_MD_CTX* context, const EVP_MD* md, const unsigned char* keyBlock,
                     std::size_t blockSize, unsigned char pad)
{
    unsigned char block[maxBlockSize];
    for (std::size_t i = 0; i < blockSize; ++i)
        block[i] = keyBlock[i] ^ pad;
    const bool ok =
        EVP_DigestInit_ex2(context, md, nullptr) == 1 && EVP_DigestUpdate(context, block, blockSize) == 1;
    OPENSSL_cleanse(block, sizeof block);
    return ok;
}

} // namespace

KeyedHmac::KeyedHmac(HashAlgorithm algorithm, const QByteArray& key)
    : m_inner(EVP_MD_CTX_new()), m_outer(EVP_MD_CTX_new()), m_work(EVP_MD_CTX_new())
{
    const EVP_MD* md = digest(algorithm);
    if (md == nullptr || m_inner == nullptr || m_outer == nullptr || m_work == nullptr)
        return;
    const auto blockSize = static_cast<std::size_t>(EVP_MD_get_block_size(md));
    if (blockSize > maxBlockSize)
        return;
    // Longer keys are hashed first; shorter ones are zero-padded to one block.
    unsigned char keyBlock[maxBlockSize] = {};
    const auto keySize = static_cast<std::size_t>(key.size());
    const auto* keyBytes = reinterpret_cast<const unsigned char*>(key.constData());
    bool ok = true;
    if (keySize > blockSize)
        ok = EVP_Digest(keyBytes, keySize, keyBlock, nullptr, md, nullptr) == 1;
    else if (keySize > 0)
        std::memcpy(keyBlock, keyBytes, keySize);
    m_ready = ok && absorbPaddedKey(m_inner, md, keyBlock, blockSize, 0x36) &&
              absorbPaddedKey(m_outer, md, keyBlock, blockSize, 0x5c);
    OPENSSL_cleanse(keyBlock, sizeof keyBlock);
}

KeyedHmac::~KeyedHmac()
{
    // Freeing a digest context wipes its state, which is as good as the key.
    EVP_MD_CTX_free(m_work);
    EVP_MD_CTX_free(m_outer);
    EVP_MD_CTX_free(m_inner);
}

MacBytes KeyedHmac::ofMovingFactor(std::uint64_t movingFactor)
{
    MacBytes mac;
    if (!m_ready)
        return mac;
    unsigned char message[8];
    for (std::size_t i = 0; i < sizeof message; ++i)
        message[i] = static_cast<unsigned char>(movingFactor >> (8 * (sizeof message - 1 - i)));
    unsigned char inner[EVP_MAX_MD_SIZE];
    unsigned int innerSize = 0;
    unsigned int macSize = 0;
    if (EVP_MD_CTX_copy_ex(m_work, m_inner) != 1 || EVP_DigestUpdate(m_work, message, sizeof message) != 1 ||
        EVP_DigestFinal_ex(m_work, inner, &innerSize) != 1 || EVP_MD_CTX_copy_ex(m_work, m_outer) != 1 ||
        EVP_DigestUpdate(m_work, inner, innerSize) != 1 ||
        EVP_DigestFinal_ex(m_work, mac.bytes.data(), &macSize) != 1)
        return mac;
    mac.size = macSize;
    return mac;
}

MacBytes hmacOfMovingFactor(HashAlgorithm algorithm, const QByteArray& key, std::uint64_t movingFactor)
{
    struct Keyed
    {
        HashAlgorithm algorithm;
        QByteArray key;
        std::unique_ptr<KeyedHmac> hmac;
    };
    // Enough for every account of a long list; beyond it the oldest key is keyed again on use.
    constexpr std::size_t capacity = 64;
    thread_local std::vector<Keyed> recent;
    thread_local std::size_t nextVictim = 0;

    const auto it = std::find_if(recent.begin(), recent.end(),
                                 [&](const Keyed& k) { return k.algorithm == algorithm && k.key == key; });
    if (it != recent.end())
        return it->hmac->ofMovingFactor(movingFactor);
    Keyed keyed{algorithm, key, std::make_unique<KeyedHmac>(algorithm, key)};
    KeyedHmac& hmac = *keyed.hmac;
    if (recent.size() < capacity) {
        recent.push_back(std::move(keyed));
    } else {
        recent[nextVictim] = std::move(keyed);
        nextVictim = (nextVictim + 1) % capacity;
    }
    return hmac.ofMovingFactor(movingFactor);
}
