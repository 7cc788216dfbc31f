// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base32.h"

#include <array>
#include <cstdint>

namespace {

constexpr char16_t base32Alphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";

// Value of each ASCII character, -1 when it is not in the alphabet.
constexpr std::array<std::int8_t, 128> makeLookup()
{
    std::array<std::int8_t, 128> table{};
    table.fill(-1);
    for (int value = 0; value < 32; ++value)
        table[static_cast<std::size_t>(base32Alphabet[value])] = static_cast<std::int8_t>(value);
    return table;
}

constexpr std::array<std::int8_t, 128> base32Lookup = makeLookup();

} // namespace

std::optional<QByteArray> decodeBase32(const QString& text)
{
    QString cleaned = text.toUpper();
    cleaned.remove(u' ');
    cleaned.remove(u'-');
    cleaned.remove(u'=');
    cleaned = cleaned.trimmed();
    if (cleaned.isEmpty())
        return std::nullopt;

    QByteArray output;
    output.reserve(cleaned.size() * 5 / 8);
    std::uint32_t accumulator = 0;
    int bits = 0;
    for (QChar ch : cleaned) {
        const char16_t c = ch.unicode();
        if (c >= base32Lookup.size() || base32Lookup[c] < 0)
            return std::nullopt;
        accumulator = (accumulator << 5) | static_cast<std::uint32_t>(base32Lookup[c]);
        bits += 5;
        if (bits >= 8) {
            bits -= 8;
            output.append(static_cast<char>((accumulator >> bits) & 0xFF));
        }
    }
    return output;
}

QString encodeBase32(const QByteArray& bytes)
{
    QString text;
    text.reserve((bytes.size() * 8 + 4) / 5);
    std::uint32_t buffer = 0;
    int bits = 0;
    for (const char byte : bytes) {
        buffer = (buffer << 8) | static_cast<std::uint8_t>(byte);
        bits += 8;
        while (bits >= 5) {
            bits -= 5;
            text.append(QChar(base32Alphabet[(buffer >> bits) & 0x1f]));
        }
    }
    if (bits > 0)
        text.append(QChar(base32Alphabet[(buffer << (5 - bits)) & 0x1f]));
    return text;
}
