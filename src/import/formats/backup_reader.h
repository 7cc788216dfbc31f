// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/result.h"
#include "import/formats/import_outcome.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Reads any backup or export Brisvane knows, recognising the format by its content rather than
// by the file's name. An encrypted file read without a password fails with passwordRequired,
// so the caller can ask for one and read again.
Result<ImportedAccounts, ImportFailure> readBackup(const QByteArray& bytes,
                                                   const std::optional<QString>& password = std::nullopt);

// Files above this size are refused before reading: no authenticator backup comes near it.
inline constexpr qint64 maxBackupFileSize = 64ll * 1024 * 1024;
