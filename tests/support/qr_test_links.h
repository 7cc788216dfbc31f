// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "core/result.h"
#include "import/qr_import_error.h"
#include "support/protobuf_bytes.h"

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

inline QString exportLink(const QList<ExportEntry>& entries)
{
    using ProtobufBytes::bytesField;
    QByteArray payload;
    for (const ExportEntry& entry : entries) {
        const QByteArray secret = entry.secret.isEmpty() ? QByteArray() : bytesField(1, entry.secret);
        payload +=
            bytesField(1, secret + bytesField(2, entry.name.toUtf8()) + bytesField(3, entry.issuer.toUtf8()));
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
