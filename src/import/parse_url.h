// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "core/result.h"
#include "import/parse_error.h"

#include <QString>

namespace OTPAuth {

// One new account from an otpauth://TYPE/LABEL?PARAMETERS setup link, with a fresh id and
// the current time as its creation instant. The text is taken as it is: callers trim.
// Links whose digits lie outside 1 to 9 or whose period is below 1 are refused as
// invalidURL, since no code could be made from them; that check comes last, so every
// other error keeps its precedence.
Result<Account, ParseError> parseURL(const QString& text);

} // namespace OTPAuth
