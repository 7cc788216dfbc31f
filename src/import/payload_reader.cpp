// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/payload_reader.h"

#include <utility>

namespace OTPAuth {

namespace {

constexpr int maximumVarintBytes = 10;

} // namespace

PayloadReader::PayloadReader(QByteArray bytes) : m_bytes(std::move(bytes)) {}

std::optional<std::uint64_t> PayloadReader::readVarint()
{
    std::uint64_t value = 0;
    for (int index = 0; index < maximumVarintBytes; ++index) {
        if (atEnd())
            return std::nullopt;
        const auto byte = std::uint8_t(m_bytes.at(qsizetype(m_position)));
        ++m_position;
        // The shift never exceeds 63, so a shifted group simply loses its high bits.
        value |= std::uint64_t(byte & 0x7F) << (7 * index);
        if ((byte & 0x80) == 0)
            return value;
    }
    return std::nullopt;
}

std::optional<QByteArray> PayloadReader::readLengthDelimited()
{
    const std::optional<std::uint64_t> length = readVarint();
    if (!length)
        return std::nullopt;
    const auto remaining = std::uint64_t(m_bytes.size() - m_position);
    if (*length > remaining)
        return std::nullopt;
    QByteArray field = m_bytes.sliced(m_position, qsizetype(*length));
    m_position += std::int64_t(*length);
    return field;
}

bool PayloadReader::skip(std::int64_t count)
{
    if (count < 0 || count > m_bytes.size() - m_position)
        return false;
    m_position += count;
    return true;
}

bool PayloadReader::skipValue(std::uint64_t wireType)
{
    switch (wireType) {
    case 0:
        return readVarint().has_value();
    case 1:
        return skip(8);
    case 2:
        return readLengthDelimited().has_value();
    case 5:
        return skip(4);
    default:
        return false;
    }
}

} // namespace OTPAuth
