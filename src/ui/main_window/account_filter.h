// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QList>
#include <QString>

// The list rows a search shows: the offsets into `accounts`, in store order. An empty search
// keeps every account; otherwise an account stays when its lower-cased name or issuer contains
// the lower-cased search text (not trimmed: a single space is a real search).
QList<qsizetype> filteredAccountOffsets(const QList<Account>& accounts, const QString& searchText);

// Whether one account matches an already lower-cased, non-empty query.
bool matchesSearch(const Account& account, const QString& lowerQuery);
