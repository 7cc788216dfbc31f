// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace OTPAuth {

// Why a setup link or an export link could not be imported.
enum class ParseError
{
    invalidURL,
    unsupportedScheme,
    missingSecret,
    invalidSecret,
    unsupportedType,
    migrationDecodeFailed
};

// The fixed text the user sees for each error.
QString message(ParseError error);

} // namespace OTPAuth
