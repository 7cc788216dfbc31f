// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/otp_type.h"

QString rawValue(OTPType type)
{
    return type == OTPType::hotp ? QStringLiteral("hotp") : QStringLiteral("totp");
}

std::optional<OTPType> otpTypeFromRawValue(QStringView text)
{
    if (text == u"totp")
        return OTPType::totp;
    if (text == u"hotp")
        return OTPType::hotp;
    return std::nullopt;
}
