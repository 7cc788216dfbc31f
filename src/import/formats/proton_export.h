// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "import/formats/import_outcome.h"

#include <QString>
#include <nlohmann/json_fwd.hpp>

// A Proton Authenticator JSON export: "entries" whose "content.uri" is a setup link.
namespace ProtonExport {

inline const QString formatName = QStringLiteral("Proton Authenticator export");

bool looksLike(const nlohmann::json& document);
Result<ImportedAccounts, ImportFailure> read(const nlohmann::json& document);

} // namespace ProtonExport
