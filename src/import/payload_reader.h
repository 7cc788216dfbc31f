// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace OTPAuth {

// A cursor over Protocol Buffers wire-format bytes. Every read moves the position over the
// bytes it consumed, also when it fails, so callers can decide to go on from there.
class PayloadReader
{
public:
    explicit PayloadReader(QByteArray bytes);

    std::int64_t position() const { return m_position; }
    bool atEnd() const { return m_position >= m_bytes.size(); }

    // Base-128, least significant group first, at most 10 bytes; bits beyond 63 are lost.
    // Fails at the end of the data or when a 10th byte still says "more follows".
    std::optional<std::uint64_t> readVarint();

    // A varint length and that many bytes. When they would run past the end (any length of
    // 2^63 or more does), fails with the position left just after the length.
    std::optional<QByteArray> readLengthDelimited();

    // Moves over a fixed-size field; fails without moving when it runs past the end.
    bool skip(std::int64_t count);

    // Moves over the value of a field of the given wire type. Groups (3, 4) and the
    // invalid types (6, 7) cannot be skipped and fail.
    bool skipValue(std::uint64_t wireType);

private:
    QByteArray m_bytes;
    std::int64_t m_position = 0;
};

} // namespace OTPAuth
