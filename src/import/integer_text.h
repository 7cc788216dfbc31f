// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

namespace OTPAuth {

// Integers in link parameters: an optional single "+" or "-", then one or more ASCII digits
// and nothing else. Absent when the text has another form or the value does not fit.
std::optional<std::int64_t> readSignedInteger(QStringView text);

// As above for an unsigned 64-bit value; "-" is accepted only in front of zero.
std::optional<std::uint64_t> readUnsignedInteger(QStringView text);

} // namespace OTPAuth
