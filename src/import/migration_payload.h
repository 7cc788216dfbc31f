// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QByteArray>
#include <QList>
#include <optional>

namespace OTPAuth {

// The accounts of an export payload (the Protocol Buffers message inside an
// otpauth-migration link), in payload order. Never fails: malformed data ends the reading
// and the accounts completed by then are returned.
QList<Account> decodeMigrationPayload(const QByteArray& payload);

// One credential entry of the payload as a new account with period 30, or nothing when it
// has no secret or is malformed. A known field whose value cannot be read drops the entry:
// reading on from inside a cut-off field would take its bytes for fields and could make up
// a secret or parameters, giving an account whose codes are silently wrong.
std::optional<Account> decodeOtpEntry(const QByteArray& entry);

} // namespace OTPAuth
