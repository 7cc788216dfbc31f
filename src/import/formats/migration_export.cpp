// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/migration_export.h"

#include <QCoreApplication>
#include <QUrl>

namespace {

// Payload budget per link: with Base64 and percent-encoding a code stays well inside version 20.
constexpr qsizetype maxPayloadBytes = 600;

void appendVarint(QByteArray& out, std::uint64_t value)
{
    while (value >= 0x80) {
        out.append(static_cast<char>((value & 0x7f) | 0x80));
        value >>= 7;
    }
    out.append(static_cast<char>(value));
}

void appendVarintField(QByteArray& out, int field, std::uint64_t value)
{
    appendVarint(out, static_cast<std::uint64_t>(field) << 3);
    appendVarint(out, value);
}

void appendBytesField(QByteArray& out, int field, const QByteArray& bytes)
{
    appendVarint(out, (static_cast<std::uint64_t>(field) << 3) | 2);
    appendVarint(out, static_cast<std::uint64_t>(bytes.size()));
    out.append(bytes);
}

std::uint64_t algorithmNumber(HashAlgorithm algorithm)
{
    switch (algorithm) {
    case HashAlgorithm::sha256:
        return 2;
    case HashAlgorithm::sha512:
        return 3;
    case HashAlgorithm::sha1:
        break;
    }
    return 1;
}

QByteArray entryBytes(const Account& account)
{
    QByteArray entry;
    appendBytesField(entry, 1, account.secret);
    appendBytesField(entry, 2, account.name.toUtf8());
    appendBytesField(entry, 3, account.issuer.toUtf8());
    appendVarintField(entry, 4, algorithmNumber(account.algorithm));
    appendVarintField(entry, 5, account.digits == 8 ? 2 : 1);
    appendVarintField(entry, 6, account.type == OTPType::hotp ? 1 : 2);
    appendVarintField(entry, 7, account.counter);
    return entry;
}

std::optional<QString> unsupportedBecause(const Account& account)
{
    if (account.type == OTPType::totp && account.period != 30)
        return QCoreApplication::translate("MigrationExport", "period %1 s cannot be exported in this format")
            .arg(account.period);
    if (account.digits != 6 && account.digits != 8)
        return QCoreApplication::translate("MigrationExport", "%1 digits cannot be exported in this format")
            .arg(account.digits);
    return std::nullopt;
}

QString linkOf(const QList<QByteArray>& entries, int batchSize, int batchIndex, int batchId)
{
    QByteArray payload;
    for (const QByteArray& entry : entries)
        appendBytesField(payload, 1, entry);
    appendVarintField(payload, 2, 1);
    appendVarintField(payload, 3, static_cast<std::uint64_t>(batchSize));
    appendVarintField(payload, 4, static_cast<std::uint64_t>(batchIndex));
    appendVarintField(payload, 5, static_cast<std::uint32_t>(batchId));
    return QStringLiteral("otpauth-migration://offline?data=") +
           QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(payload.toBase64())));
}

} // namespace

MigrationExport migrationLinks(const QList<Account>& accounts, int batchId)
{
    MigrationExport result;
    QList<QList<QByteArray>> groups;
    qsizetype groupBytes = 0;
    for (const Account& account : accounts) {
        if (const std::optional<QString> reason = unsupportedBecause(account)) {
            result.leftOut.append({entryLabel(account.issuer, account.name), *reason});
            continue;
        }
        const QByteArray entry = entryBytes(account);
        if (groups.isEmpty() || groups.last().size() >= accountsPerMigrationLink ||
            groupBytes + entry.size() > maxPayloadBytes) {
            groups.append(QList<QByteArray>());
            groupBytes = 0;
        }
        groups.last().append(entry);
        groupBytes += entry.size();
    }
    for (qsizetype i = 0; i < groups.size(); ++i)
        result.links.append(linkOf(groups[i], static_cast<int>(groups.size()), static_cast<int>(i), batchId));
    return result;
}
