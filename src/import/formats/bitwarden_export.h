// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "import/formats/import_outcome.h"

#include <QString>
#include <nlohmann/json_fwd.hpp>

// A Bitwarden JSON export: items whose "login.totp" holds a setup link, a bare Base32 secret or a steam://
// secret.
namespace BitwardenExport {

inline const QString formatName = QStringLiteral("Bitwarden export");

bool looksLike(const nlohmann::json& document);
Result<ImportedAccounts, ImportFailure> read(const nlohmann::json& document);

} // namespace BitwardenExport
