// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "core/result.h"
#include "import/formats/backup_crypto.h"
#include "import/formats/import_outcome.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <nlohmann/json_fwd.hpp>
#include <optional>

// The Aegis vault: a JSON file whose "db" holds the entries, either as an object or, when a
// password protects it, as AES-256-GCM ciphertext under a master key that each password slot
// wraps with a scrypt-derived key. Brisvane's own backups are such vaults; they keep each
// account's id and creation time, so a restore gives back the same accounts.
namespace AegisVault {

inline const QString formatName = QStringLiteral("Aegis vault");

bool looksLike(const nlohmann::json& document);

Result<ImportedAccounts, ImportFailure> read(const nlohmann::json& document,
                                             const std::optional<QString>& password);

// Absent password: a plain vault. The cost is the format's default unless a test lowers it.
QByteArray write(const QList<Account>& accounts, const std::optional<QString>& password,
                 const BackupCrypto::ScryptCost& cost = {});

} // namespace AegisVault
