#include "core/hmac.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <random>

namespace {

// OpenSSL's generic HMAC serves as the reference for our block-level one.
QByteArray referenceHmac(HashAlgorithm algorithm, const QByteArray& key, std::uint64_t movingFactor)
{
    unsigned char message[8];
    for (int i = 7; i >= 0; --i, movingFactor >>= 8)
        message[i] = static_cast<unsigned char>(movingFactor & 0xFF);
    const EVP_MD* md = algorithm == HashAlgorithm::sha1     ? EVP_sha1()
                       : algorithm == HashAlgorithm::sha256 ? EVP_sha256()
                                                            : EVP_sha512();
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    // A null key pointer with length 0 is what an empty QByteArray may hand over.
    static const unsigned char emptyKey = 0;
    const void* keyData = key.isEmpty() ? static_cast<const void*>(&emptyKey) : key.constData();
    if (HMAC(md, keyData, static_cast<int>(key.size()), message, sizeof message, out, &size) == nullptr)
        return {};
    return QByteArray(reinterpret_cast<const char*>(out), static_cast<qsizetype>(size));
}

QByteArray ours(HashAlgorithm algorithm, const QByteArray& key, std::uint64_t movingFactor)
{
    const MacBytes mac = hmacOfMovingFactor(algorithm, key, movingFactor);
    return QByteArray(reinterpret_cast<const char*>(mac.bytes.data()), static_cast<qsizetype>(mac.size));
}

TEST(Hmac, MacSizeFollowsTheHash)
{
    EXPECT_EQ(hmacOfMovingFactor(HashAlgorithm::sha1, "k", 0).size, 20u);
    EXPECT_EQ(hmacOfMovingFactor(HashAlgorithm::sha256, "k", 0).size, 32u);
    EXPECT_EQ(hmacOfMovingFactor(HashAlgorithm::sha512, "k", 0).size, 64u);
}

// Keys around the block sizes (64 and 128 bytes) switch between padding and hashing the key.
TEST(Hmac, MatchesTheGenericHmacForEveryKeyLength)
{
    std::mt19937_64 random(7);
    for (HashAlgorithm algorithm : allHashAlgorithms) {
        for (int length = 0; length <= 300; ++length) {
            QByteArray key(length, '\0');
            for (char& byte : key)
                byte = static_cast<char>(random());
            const std::uint64_t factor = random();
            ASSERT_EQ(ours(algorithm, key, factor), referenceHmac(algorithm, key, factor))
                << rawValue(algorithm).toStdString() << " key length " << length;
        }
    }
}

TEST(Hmac, MatchesTheGenericHmacForEdgeFactors)
{
    const QByteArray key("12345678901234567890");
    for (HashAlgorithm algorithm : allHashAlgorithms) {
        for (std::uint64_t factor : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{0xFF}, std::uint64_t{1} << 63,
                                     ~std::uint64_t{0}, std::uint64_t{0x0102030405060708}})
            EXPECT_EQ(ours(algorithm, key, factor), referenceHmac(algorithm, key, factor)) << factor;
    }
}

} // namespace
