// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "import/formats/import_outcome.h"

#include <QString>
#include <nlohmann/json_fwd.hpp>
#include <optional>

// A 2FAS backup (.2fas): JSON with a "services" list, or with "servicesEncrypted" holding
// base64 ciphertext+tag, salt and nonce separated by ":" (PBKDF2-HMAC-SHA256, AES-256-GCM).
namespace TwoFasBackup {

inline const QString formatName = QStringLiteral("2FAS backup");

bool looksLike(const nlohmann::json& document);
Result<ImportedAccounts, ImportFailure> read(const nlohmann::json& document,
                                             const std::optional<QString>& password);

} // namespace TwoFasBackup
