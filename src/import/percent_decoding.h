// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace OTPAuth {

// Replaces every "%" and two hexadecimal digits by the byte they name and reads the result
// as UTF-8; other characters stand for themselves. Absent when a "%" is not followed by two
// hexadecimal digits or the bytes are not valid UTF-8. "+" stays "+".
std::optional<QString> percentDecode(QStringView text);

} // namespace OTPAuth
