// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/parse_error.h"

namespace OTPAuth {

QString message(ParseError error)
{
    switch (error) {
    case ParseError::invalidURL:
        return QStringLiteral("Invalid otpauth URL.");
    case ParseError::unsupportedScheme:
        return QStringLiteral("Unsupported URL scheme.");
    case ParseError::missingSecret:
        return QStringLiteral("Missing secret in URL.");
    case ParseError::invalidSecret:
        return QStringLiteral("Could not decode secret (Base32).");
    case ParseError::unsupportedType:
        return QStringLiteral("Unsupported OTP type.");
    case ParseError::migrationDecodeFailed:
        return QStringLiteral("Could not decode Google Authenticator export.");
    }
    return {};
}

} // namespace OTPAuth
