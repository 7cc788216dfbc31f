// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QList>

// Restored accounts keep their ids so hotkey bindings still find them, but an id may only ever
// name one account: a candidate whose id is taken (by a stored account or an earlier candidate)
// gets a fresh one.
QList<Account> withUnusedIds(QList<Account> candidates, const QList<Account>& existing);
