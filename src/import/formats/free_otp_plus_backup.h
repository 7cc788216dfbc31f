// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "import/formats/import_outcome.h"

#include <QString>
#include <nlohmann/json_fwd.hpp>

// A FreeOTP+ backup: JSON with a "tokens" list whose secrets are arrays of signed bytes.
namespace FreeOtpPlusBackup {

inline const QString formatName = QStringLiteral("FreeOTP+ backup");

bool looksLike(const nlohmann::json& document);
Result<ImportedAccounts, ImportFailure> read(const nlohmann::json& document);

} // namespace FreeOtpPlusBackup
