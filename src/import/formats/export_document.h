// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "import/formats/backup_crypto.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// What Brisvane writes accounts out as. Google Authenticator's codes are images made from
// migrationLinks(); the others are files made by exportDocument().
enum class ExportFormat
{
    otpauthLinks,
    aegisVault,
    aegisVaultEncrypted,
    googleMigrationCodes
};

// The file of a text or vault format: the password is used by the encrypted vault alone (and
// required by it). The migration codes have no single file and give an empty document.
QByteArray exportDocument(ExportFormat format, const QList<Account>& accounts,
                          const std::optional<QString>& password = std::nullopt,
                          const BackupCrypto::ScryptCost& cost = {});
