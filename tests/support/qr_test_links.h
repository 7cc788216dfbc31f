#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>
#include <cstdint>

// Setup links and export links for tests of QR import.
namespace QRTestLinks {

// "JBSWY3DPEHPK3PXP" is the Base32 of "Hello!\xDE\xAD\xBE\xEF".
inline QString setupLink(const QString& label, const QString& extra = {})
{
    return QStringLiteral("otpauth://totp/") + label + QStringLiteral("?secret=JBSWY3DPEHPK3PXP") + extra;
}

struct ExportEntry
{
    QByteArray secret;
    QString name;
    QString issuer;
};

inline void appendVarint(QByteArray& out, std::uint64_t value)
{
    while (value >= 0x80) {
        out.append(char((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.append(char(value));
}

inline void appendField(QByteArray& out, int field, const QByteArray& bytes)
{
    appendVarint(out, std::uint64_t(field) * 8 + 2);
    appendVarint(out, std::uint64_t(bytes.size()));
    out.append(bytes);
}

// The Protocol Buffers payload of an export: one field-1 message per entry.
inline QByteArray exportPayload(const QList<ExportEntry>& entries)
{
    QByteArray payload;
    for (const ExportEntry& entry : entries) {
        QByteArray bytes;
        if (!entry.secret.isEmpty())
            appendField(bytes, 1, entry.secret);
        appendField(bytes, 2, entry.name.toUtf8());
        appendField(bytes, 3, entry.issuer.toUtf8());
        appendField(payload, 1, bytes);
    }
    return payload;
}

inline QString exportLink(const QList<ExportEntry>& entries)
{
    const QByteArray data = exportPayload(entries).toBase64();
    return QStringLiteral("otpauth-migration://offline?data=")
           + QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(data)));
}

} // namespace QRTestLinks
