#include "core/otp_code.h"

#include <openssl/evp.h>

#include <array>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

// Digests are fetched once per process: fetching on every call would cost more than the HMAC.
const EVP_MD* digestFor(HashAlgorithm algorithm)
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

struct MdCtxDeleter
{
    void operator()(EVP_MD_CTX* ctx) const { EVP_MD_CTX_free(ctx); }
};

EVP_MD_CTX* threadDigestContext()
{
    thread_local std::unique_ptr<EVP_MD_CTX, MdCtxDeleter> ctx(EVP_MD_CTX_new());
    return ctx.get();
}

constexpr std::size_t maxBlockSize = 128; // SHA-512
constexpr std::size_t maxDigestSize = EVP_MAX_MD_SIZE;

bool digest(EVP_MD_CTX* ctx, const EVP_MD* md, const unsigned char* first, std::size_t firstSize,
            const unsigned char* second, std::size_t secondSize, unsigned char* out)
{
    return EVP_DigestInit_ex2(ctx, md, nullptr) == 1 && EVP_DigestUpdate(ctx, first, firstSize) == 1 &&
           EVP_DigestUpdate(ctx, second, secondSize) == 1 && EVP_DigestFinal_ex(ctx, out, nullptr) == 1;
}

// RFC 2104 HMAC of an 8-byte message. Returns the MAC length, 0 on a library failure.
std::size_t hmac(HashAlgorithm algorithm, const QByteArray& key, const std::array<unsigned char, 8>& message,
                 unsigned char* mac)
{
    const EVP_MD* md = digestFor(algorithm);
    EVP_MD_CTX* ctx = threadDigestContext();
    if (md == nullptr || ctx == nullptr)
        return 0;
    const auto blockSize = static_cast<std::size_t>(EVP_MD_get_block_size(md));
    const auto macSize = static_cast<std::size_t>(EVP_MD_get_size(md));

    std::array<unsigned char, maxBlockSize> block{};
    const auto* keyBytes = reinterpret_cast<const unsigned char*>(key.constData());
    const auto keySize = static_cast<std::size_t>(key.size());
    if (keySize > blockSize) {
        if (!digest(ctx, md, keyBytes, keySize, nullptr, 0, block.data()))
            return 0;
    } else if (keySize > 0) {
        std::memcpy(block.data(), keyBytes, keySize);
    }

    std::array<unsigned char, maxBlockSize> pad{};
    for (std::size_t i = 0; i < blockSize; ++i)
        pad[i] = block[i] ^ 0x36;
    std::array<unsigned char, maxDigestSize> inner{};
    if (!digest(ctx, md, pad.data(), blockSize, message.data(), message.size(), inner.data()))
        return 0;
    for (std::size_t i = 0; i < blockSize; ++i)
        pad[i] = block[i] ^ 0x5c;
    if (!digest(ctx, md, pad.data(), blockSize, inner.data(), macSize, mac))
        return 0;
    return macSize;
}

} // namespace

QString unusableCodeText()
{
    return QStringLiteral("\u2013\u2013\u2013\u2013\u2013\u2013");
}

QString generateCode(const QByteArray& secret, std::uint64_t movingFactor, std::int64_t digits,
                     HashAlgorithm algorithm)
{
    if (digits < 1 || digits > 9)
        return unusableCodeText();

    std::array<unsigned char, 8> message{};
    for (int i = 7; i >= 0; --i) {
        message[static_cast<std::size_t>(i)] = static_cast<unsigned char>(movingFactor & 0xFF);
        movingFactor >>= 8;
    }
    std::array<unsigned char, maxDigestSize> mac{};
    const std::size_t macSize = hmac(algorithm, secret, message, mac.data());
    if (macSize < 20)
        return unusableCodeText();

    const std::size_t offset = mac[macSize - 1] & 0x0F;
    const std::uint32_t truncated = (static_cast<std::uint32_t>(mac[offset] & 0x7F) << 24) |
                                    (static_cast<std::uint32_t>(mac[offset + 1]) << 16) |
                                    (static_cast<std::uint32_t>(mac[offset + 2]) << 8) |
                                    static_cast<std::uint32_t>(mac[offset + 3]);
    std::uint32_t modulus = 1;
    for (std::int64_t i = 0; i < digits; ++i)
        modulus *= 10;
    return QString::number(truncated % modulus).rightJustified(static_cast<qsizetype>(digits), u'0');
}

std::optional<std::uint64_t> totpMovingFactor(Instant at, std::int64_t period)
{
    if (period < 1)
        return std::nullopt;
    const double seconds = secondsSinceEpoch(at);
    if (!(seconds >= 0.0)) // also refuses NaN
        return std::nullopt;
    const double factor = std::floor(seconds / static_cast<double>(period));
    if (!(factor < 18446744073709551616.0)) // 2^64, also refuses infinity
        return std::nullopt;
    return static_cast<std::uint64_t>(factor);
}

bool isCode(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}
