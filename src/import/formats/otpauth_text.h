// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "import/formats/import_outcome.h"

#include <QString>

// Setup links and export links one per line, as pasted or as a text file (Ente Auth's plain-text
// export is such a file). Blank lines and surrounding white space are ignored.
namespace OtpauthText {

inline const QString formatName = QStringLiteral("list of otpauth links");

bool looksLike(const QString& text);
// Every line must be a link that parses; the first that does not fails the whole text, naming
// its line, so nothing is half-imported.
Result<ImportedAccounts, ImportFailure> read(const QString& text);

} // namespace OtpauthText
