// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Whether codes come from the clock (TOTP, RFC 6238) or from a counter (HOTP, RFC 4226).
enum class OTPType
{
    totp,
    hotp
};

// The stored text of each case: "totp", "hotp".
QString rawValue(OTPType type);
// Exact, case-sensitive match of a stored text; anything else has no case.
std::optional<OTPType> otpTypeFromRawValue(QStringView text);
