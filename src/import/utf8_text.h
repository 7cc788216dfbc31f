// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace OTPAuth {

// The bytes as text when they are well-formed UTF-8 (no overlong forms, no surrogates);
// absent otherwise. A leading byte-order mark is kept as a character, not dropped.
std::optional<QString> decodeUtf8Strictly(const QByteArray& bytes);

} // namespace OTPAuth
