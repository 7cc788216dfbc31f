// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/export_document.h"

#include "import/formats/aegis_vault.h"
#include "import/formats/otpauth_link.h"

QByteArray exportDocument(ExportFormat format, const QList<Account>& accounts,
                          const std::optional<QString>& password, const BackupCrypto::ScryptCost& cost)
{
    switch (format) {
    case ExportFormat::otpauthLinks:
        return otpauthLinkList(accounts).toUtf8();
    case ExportFormat::aegisVault:
        return AegisVault::write(accounts, std::nullopt, cost);
    case ExportFormat::aegisVaultEncrypted:
        // Never silently plain: without a password there is nothing to write.
        return password && !password->isEmpty() ? AegisVault::write(accounts, password, cost) : QByteArray();
    case ExportFormat::googleMigrationCodes:
        break;
    }
    return {};
}
