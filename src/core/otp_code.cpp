// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/otp_code.h"

#include "core/hmac.h"

#include <array>
#include <cmath>

namespace {

constexpr std::array<std::uint32_t, 10> powersOfTen{1,      10,      100,      1000,      10000,
                                                    100000, 1000000, 10000000, 100000000, 1000000000};

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

    const MacBytes mac = hmacOfMovingFactor(algorithm, secret, movingFactor);
    if (mac.size == 0)
        return unusableCodeText();
    // RFC 4226 dynamic truncation; the offset comes from the last byte whatever the MAC size.
    const std::size_t offset = mac.bytes[mac.size - 1] & 0x0F;
    const std::uint32_t truncated = (static_cast<std::uint32_t>(mac.bytes[offset] & 0x7F) << 24) |
                                    (static_cast<std::uint32_t>(mac.bytes[offset + 1]) << 16) |
                                    (static_cast<std::uint32_t>(mac.bytes[offset + 2]) << 8) |
                                    static_cast<std::uint32_t>(mac.bytes[offset + 3]);
    std::uint32_t value = truncated % powersOfTen[static_cast<std::size_t>(digits)];

    // Zero-padded to exactly `digits` characters, built in place to allocate once.
    std::array<QChar, 9> text;
    for (auto i = static_cast<std::size_t>(digits); i-- > 0;) {
        text[i] = QChar(static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    }
    return QString(text.data(), static_cast<qsizetype>(digits));
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
