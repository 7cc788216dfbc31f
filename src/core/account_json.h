// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QByteArray>
#include <QList>
#include <QUuid>
#include <optional>

// The stored JSON form of accounts: compact, "/" escaped, counters exact up to 2^64-1,
// dates as RFC 3339 UTC whole seconds ("2024-05-01T09:30:00Z"), every key required.

// Absent when the account cannot be represented (for example a createdAt that is not finite).
std::optional<QByteArray> encodeAccount(const Account& account);
// Absent when any key is missing or malformed; unknown keys are ignored.
std::optional<Account> decodeAccount(const QByteArray& json);

// A JSON array of account objects in list order; one bad element fails the whole list.
std::optional<QByteArray> encodeAccountList(const QList<Account>& accounts);
std::optional<QList<Account>> decodeAccountList(const QByteArray& json);

// A JSON array of canonical upper-case UUID strings (the order record).
QByteArray encodeUUIDList(const QList<QUuid>& ids);
std::optional<QList<QUuid>> decodeUUIDList(const QByteArray& json);
