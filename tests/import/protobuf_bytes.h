#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <ostream>

// Readable failure output for Qt text in assertions.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << "hex:" << bytes.toHex().toStdString();
}

// Protocol Buffers wire-format bytes written by hand, so that tests can also build the
// malformed forms no encoder would produce.
namespace ProtobufBytes {

inline QByteArray varint(std::uint64_t value)
{
    QByteArray out;
    while (value >= 0x80) {
        out.append(char((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.append(char(value));
    return out;
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

inline QByteArray fixed32Field(std::uint64_t field)
{
    return tag(field, 5) + QByteArray(4, '\x11');
}

inline QByteArray fixed64Field(std::uint64_t field)
{
    return tag(field, 1) + QByteArray(8, '\x22');
}

// One credential entry; unset members are left out of the bytes.
struct Entry
{
    std::optional<QByteArray> secret;
    std::optional<QString> name;
    std::optional<QString> issuer;
    std::optional<std::uint64_t> algorithm;
    std::optional<std::uint64_t> digits;
    std::optional<std::uint64_t> type;
    std::optional<std::uint64_t> counter;

    QByteArray bytes() const
    {
        QByteArray out;
        if (secret)
            out += bytesField(1, *secret);
        if (name)
            out += bytesField(2, name->toUtf8());
        if (issuer)
            out += bytesField(3, issuer->toUtf8());
        if (algorithm)
            out += varintField(4, *algorithm);
        if (digits)
            out += varintField(5, *digits);
        if (type)
            out += varintField(6, *type);
        if (counter)
            out += varintField(7, *counter);
        return out;
    }
};

// The outer message field that carries one entry.
inline QByteArray entryField(const QByteArray& entryBytes)
{
    return bytesField(1, entryBytes);
}

inline QByteArray entryField(const Entry& entry)
{
    return entryField(entry.bytes());
}

} // namespace ProtobufBytes
