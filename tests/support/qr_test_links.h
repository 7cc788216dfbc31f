// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "core/result.h"
#include "import/qr_import_error.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// Setup links and export links for tests of QR import.
namespace QRTestLinks {

// "JBSWY3DPEHPK3PXP" is the Base32 of "Hello!\xDE\xAD\xBE\xEF".
inline QString setupLink(const QString& label, const QString& extra = {})
{
    return QStringLiteral("otpauth://totp/") + label + QStringLiteral("?secret=JBSWY3DPEHPK3PXP") + extra;
}

struct ExportEntry
{
    QByteArray secret; // an empty secret is left out of the entry
    QString name;
    QString issuer;
};

// A length-delimited Protocol Buffers field.
inline QByteArray exportField(int number, const QByteArray& bytes)
{
    QByteArray out(1, char(number * 8 + 2));
    auto length = quint64(bytes.size());
    for (; length >= 0x80; length >>= 7)
        out.append(char((length & 0x7F) | 0x80));
    return out.append(char(length)).append(bytes);
}

inline QString exportLink(const QList<ExportEntry>& entries)
{
    QByteArray payload;
    for (const ExportEntry& entry : entries) {
        const QByteArray secret = entry.secret.isEmpty() ? QByteArray() : exportField(1, entry.secret);
        payload += exportField(1, secret + exportField(2, entry.name.toUtf8()) +
                                      exportField(3, entry.issuer.toUtf8()));
    }
    return QStringLiteral("otpauth-migration://offline?data=") +
           QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(payload.toBase64())));
}

// The names of the imported accounts, or the message of the failure.
inline QStringList outcome(const Result<QList<Account>, QRImportFailure>& result)
{
    if (!result.ok())
        return {message(result.error())};
    QStringList names;
    for (const Account& account : result.value())
        names.append(account.name);
    return names;
}

} // namespace QRTestLinks
