// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "import/formats/import_outcome.h"

#include <QByteArray>
#include <QString>
#include <nlohmann/json_fwd.hpp>
#include <optional>

// An andOTP backup: a JSON array of entries, or that array encrypted as a binary file of
// iterations (4 bytes, big-endian), salt (12), nonce (12), ciphertext and a 16-byte tag, keyed by
// PBKDF2-HMAC-SHA1 of the password.
namespace AndOtpBackup {

inline const QString formatName = QStringLiteral("andOTP backup");

bool looksLike(const nlohmann::json& document);
Result<ImportedAccounts, ImportFailure> read(const nlohmann::json& document);

// Whether binary content has the encrypted file's shape (a plausible iteration count first).
bool looksEncrypted(const QByteArray& bytes);
Result<ImportedAccounts, ImportFailure> readEncrypted(const QByteArray& bytes,
                                                      const std::optional<QString>& password);

} // namespace AndOtpBackup
