// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QList>

// A drag move as a list control reports it: the elements at the source offsets leave (keeping
// their relative order) and are inserted as one block before the element that stood at the
// destination offset, or at the end when the destination is the list's length.
// Offsets outside the list are ignored and the destination is clamped, so a stale drop
// never loses or duplicates an account.
QList<Account> movedAccounts(const QList<Account>& accounts, QList<qsizetype> sourceOffsets,
                             qsizetype destination);
