// SPDX-License-Identifier: GPL-3.0-or-later
// OpenSSL 3 deprecates the SHA block functions in favour of EVP, whose per-call provider
// dispatch costs more than the four compressions of an HMAC over 8 bytes. Asking for the
// 1.1.1 API keeps them declared without deprecation warnings; they are still exported by
// libcrypto 3 and use the same assembly (SHA extensions where the CPU has them).
#define OPENSSL_API_COMPAT 10101

#include "core/hmac.h"

#include <cstring>
#include <openssl/sha.h>

namespace {

template <typename Word> void storeBigEndian(const Word* words, std::size_t count, unsigned char* out)
{
    for (std::size_t i = 0; i < count; ++i) {
        for (std::size_t b = 0; b < sizeof(Word); ++b)
            out[i * sizeof(Word) + b] = static_cast<unsigned char>(words[i] >> (8 * (sizeof(Word) - 1 - b)));
    }
}

struct Sha1
{
    using Context = SHA_CTX;
    static constexpr std::size_t blockSize = SHA_CBLOCK;
    static constexpr std::size_t digestSize = SHA_DIGEST_LENGTH;
    static constexpr std::size_t lengthFieldSize = 8;
    static void init(Context& c) { SHA1_Init(&c); }
    static void compress(Context& c, const unsigned char* block) { SHA1_Transform(&c, block); }
    static void hash(const unsigned char* data, std::size_t size, unsigned char* out)
    {
        SHA1(data, size, out);
    }
    static void store(const Context& c, unsigned char* out)
    {
        const SHA_LONG words[] = {c.h0, c.h1, c.h2, c.h3, c.h4};
        storeBigEndian(words, 5, out);
    }
};

struct Sha256
{
    using Context = SHA256_CTX;
    static constexpr std::size_t blockSize = SHA256_CBLOCK;
    static constexpr std::size_t digestSize = SHA256_DIGEST_LENGTH;
    static constexpr std::size_t lengthFieldSize = 8;
    static void init(Context& c) { SHA256_Init(&c); }
    static void compress(Context& c, const unsigned char* block) { SHA256_Transform(&c, block); }
    static void hash(const unsigned char* data, std::size_t size, unsigned char* out)
    {
        SHA256(data, size, out);
    }
    static void store(const Context& c, unsigned char* out) { storeBigEndian(c.h, 8, out); }
};

struct Sha512
{
    using Context = SHA512_CTX;
    static constexpr std::size_t blockSize = SHA512_CBLOCK;
    static constexpr std::size_t digestSize = SHA512_DIGEST_LENGTH;
    static constexpr std::size_t lengthFieldSize = 16;
    static void init(Context& c) { SHA512_Init(&c); }
    static void compress(Context& c, const unsigned char* block) { SHA512_Transform(&c, block); }
    static void hash(const unsigned char* data, std::size_t size, unsigned char* out)
    {
        SHA512(data, size, out);
    }
    static void store(const Context& c, unsigned char* out) { storeBigEndian(c.h, 8, out); }
};

// The final block of a message whose last `size` bytes are `tail` and whose whole length,
// the key block included, is `totalSize`: tail, 0x80, zeros, bit length big-endian.
template <typename Hash>
void finalBlock(unsigned char* block, const unsigned char* tail, std::size_t size, std::uint64_t totalSize)
{
    static_assert(Hash::digestSize + 1 + Hash::lengthFieldSize <= Hash::blockSize);
    std::memset(block, 0, Hash::blockSize);
    std::memcpy(block, tail, size);
    block[size] = 0x80;
    const std::uint64_t bits = totalSize * 8;
    storeBigEndian(&bits, 1, block + Hash::blockSize - 8);
}

template <typename Hash> MacBytes hmac(const QByteArray& key, std::uint64_t movingFactor)
{
    // Longer keys are hashed first; shorter ones are zero-padded to one block.
    unsigned char keyBlock[Hash::blockSize] = {};
    const auto keySize = static_cast<std::size_t>(key.size());
    const auto* keyBytes = reinterpret_cast<const unsigned char*>(key.constData());
    if (keySize > Hash::blockSize)
        Hash::hash(keyBytes, keySize, keyBlock);
    else if (keySize > 0)
        std::memcpy(keyBlock, keyBytes, keySize);

    unsigned char message[8];
    storeBigEndian(&movingFactor, 1, message);

    typename Hash::Context context;
    unsigned char block[Hash::blockSize];
    for (std::size_t i = 0; i < Hash::blockSize; ++i)
        block[i] = keyBlock[i] ^ 0x36;
    Hash::init(context);
    Hash::compress(context, block);
    finalBlock<Hash>(block, message, sizeof message, Hash::blockSize + sizeof message);
    Hash::compress(context, block);
    unsigned char inner[Hash::digestSize];
    Hash::store(context, inner);

    for (std::size_t i = 0; i < Hash::blockSize; ++i)
        block[i] = keyBlock[i] ^ 0x5c;
    Hash::init(context);
    Hash::compress(context, block);
    finalBlock<Hash>(block, inner, sizeof inner, Hash::blockSize + sizeof inner);
    Hash::compress(context, block);

    MacBytes mac;
    Hash::store(context, mac.bytes.data());
    mac.size = Hash::digestSize;
    return mac;
}

} // namespace

MacBytes hmacOfMovingFactor(HashAlgorithm algorithm, const QByteArray& key, std::uint64_t movingFactor)
{
    switch (algorithm) {
    case HashAlgorithm::sha256:
        return hmac<Sha256>(key, movingFactor);
    case HashAlgorithm::sha512:
        return hmac<Sha512>(key, movingFactor);
    case HashAlgorithm::sha1:
        break;
    }
    return hmac<Sha1>(key, movingFactor);
}
