// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "core/result.h"
#include "import/parse_error.h"

#include <QList>
#include <QString>

namespace OTPAuth {

// The accounts of an otpauth-migration://HOST?data=PAYLOAD export link. Any host is
// accepted. The payload may be in the URL-safe alphabet and may lack its "=" padding;
// otherwise it must be strict standard Base64. An empty list is a valid result.
Result<QList<Account>, ParseError> parseMigration(const QString& text);

} // namespace OTPAuth
