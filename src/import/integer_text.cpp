// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/integer_text.h"

#include <limits>

namespace OTPAuth {

namespace {

struct SignedMagnitude
{
    bool negative = false;
    std::uint64_t magnitude = 0;
};

// Sign and digits, with the magnitude limited to what a uint64 holds.
std::optional<SignedMagnitude> readSignedMagnitude(QStringView text)
{
    SignedMagnitude result;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
        result.negative = text[0] == u'-';
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    constexpr std::uint64_t maximum = std::numeric_limits<std::uint64_t>::max();
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < u'0' || u > u'9')
            return std::nullopt;
        const std::uint64_t digit = u - u'0';
        if (result.magnitude > (maximum - digit) / 10)
            return std::nullopt;
        result.magnitude = result.magnitude * 10 + digit;
    }
    return result;
}

} // namespace

std::optional<std::int64_t> readSignedInteger(QStringView text)
{
    const std::optional<SignedMagnitude> read = readSignedMagnitude(text);
    if (!read)
        return std::nullopt;
    constexpr auto largest = std::uint64_t(std::numeric_limits<std::int64_t>::max());
    if (!read->negative) {
        if (read->magnitude > largest)
            return std::nullopt;
        return std::int64_t(read->magnitude);
    }
    if (read->magnitude > largest + 1)
        return std::nullopt;
    if (read->magnitude == largest + 1)
        return std::numeric_limits<std::int64_t>::min();
    return -std::int64_t(read->magnitude);
}

std::optional<std::uint64_t> readUnsignedInteger(QStringView text)
{
    const std::optional<SignedMagnitude> read = readSignedMagnitude(text);
    if (!read || (read->negative && read->magnitude != 0))
        return std::nullopt;
    return read->magnitude;
}

} // namespace OTPAuth
