// SPDX-License-Identifier: GPL-3.0-or-later
// decodeBase32 against a deliberately naive reading of the same rules: any disagreement,
// crash or sanitizer report is a finding.

#include "core/base32.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

std::optional<QByteArray> naiveDecode(const QString& text)
{
    QString cleaned = text.toUpper();
    for (char16_t dropped : {u' ', u'-', u'='})
        cleaned.remove(QChar(dropped));
    cleaned = cleaned.trimmed();
    if (cleaned.isEmpty())
        return std::nullopt;
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ234567");
    // Every character's five bits in order, then whole bytes from the front.
    QByteArray bits;
    for (QChar c : cleaned) {
        const qsizetype value = alphabet.indexOf(c);
        if (value < 0)
            return std::nullopt;
        for (int b = 4; b >= 0; --b)
            bits.append(static_cast<char>((value >> b) & 1));
    }
    QByteArray out;
    for (qsizetype i = 0; i + 8 <= bits.size(); i += 8) {
        unsigned byte = 0;
        for (qsizetype b = 0; b < 8; ++b)
            byte = (byte << 1) | static_cast<unsigned>(bits[i + b]);
        out.append(static_cast<char>(byte));
    }
    return out;
}

void check(const QString& text)
{
    if (decodeBase32(text) != naiveDecode(text))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* chars = reinterpret_cast<const char*>(data);
    // The same bytes as UTF-8 text and, to reach every UTF-16 unit, as raw UTF-16.
    check(QString::fromUtf8(chars, static_cast<qsizetype>(size)));
    std::vector<char16_t> units(size / 2);
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    check(QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size())));
    return 0;
}
