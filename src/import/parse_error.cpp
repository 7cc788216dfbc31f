// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/parse_error.h"

#include <QCoreApplication>

namespace OTPAuth {

QString message(ParseError error)
{
    switch (error) {
    case ParseError::invalidURL:
        return QCoreApplication::translate("ParseError", "Invalid otpauth URL.");
    case ParseError::unsupportedScheme:
        return QCoreApplication::translate("ParseError", "Unsupported URL scheme.");
    case ParseError::missingSecret:
        return QCoreApplication::translate("ParseError", "Missing secret in URL.");
    case ParseError::invalidSecret:
        return QCoreApplication::translate("ParseError", "Could not decode secret (Base32).");
    case ParseError::unsupportedType:
        return QCoreApplication::translate("ParseError", "Unsupported OTP type.");
    case ParseError::migrationDecodeFailed:
        return QCoreApplication::translate("ParseError", "Could not decode Google Authenticator export.");
    }
    return {};
}

} // namespace OTPAuth
