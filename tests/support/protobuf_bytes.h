// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/qt_printers.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// Protocol Buffers wire-format bytes written by hand, so that tests can also build the
// malformed forms no encoder would produce.
namespace ProtobufBytes {

inline QByteArray varint(std::uint64_t value)
{
    QByteArray out;
    for (; value >= 0x80; value >>= 7)
        out.append(char((value & 0x7F) | 0x80));
    return out.append(char(value));
}

inline QByteArray tag(std::uint64_t field, std::uint64_t wireType)
{
    return varint(field * 8 + wireType);
}

inline QByteArray varintField(std::uint64_t field, std::uint64_t value)
{
    return tag(field, 0) + varint(value);
}

inline QByteArray bytesField(std::uint64_t field, const QByteArray& bytes)
{
    return tag(field, 2) + varint(std::uint64_t(bytes.size())) + bytes;
}

// An outer entry field holding a secret and a name.
inline QByteArray entry(const QByteArray& secret, const QString& name)
{
    return bytesField(1, bytesField(1, secret) + bytesField(2, name.toUtf8()));
}

} // namespace ProtobufBytes
