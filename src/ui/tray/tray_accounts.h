// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QUuid>
#include <optional>

// What the tray item and its window show: pure functions of the accounts and the settings.

// The store's accounts without the hidden ones, in store order. Hidden ids that match no
// account change nothing.
QList<Account> visibleAccounts(const QList<Account>& accounts, const QSet<QUuid>& hiddenIDs);

// The chosen account when it still exists, else the first account; none for an empty list.
std::optional<Account> trayAccount(const QList<Account>& accounts, const std::optional<QUuid>& chosenID);

// The code drawn after the tray's key symbol (ungrouped); none when the tray shows the icon alone.
std::optional<QString> trayCodeText(const QList<Account>& accounts, bool showCode,
                                    const std::optional<QUuid>& chosenID, Instant now);

// One call of the store's moveAccount: `source` is put directly before `target`.
struct AccountMove
{
    QUuid source;
    QUuid target;
    bool operator==(const AccountMove&) const = default;
};

// Moving a row of the tray window one place up or down among the visible accounts. The
// account lands next to its visible neighbour; hidden accounts between the two stay below the
// upper one of the pair. None at the edge or for an id that is not visible.
std::optional<AccountMove> moveUpRequest(const QList<Account>& visible, const QUuid& id);
std::optional<AccountMove> moveDownRequest(const QList<Account>& visible, const QUuid& id);

bool canMoveUp(qsizetype position);
bool canMoveDown(qsizetype position, qsizetype visibleCount);

// The row's code while codes are hidden: one bullet per digit, grouped like a code. An account
// that cannot make a code gets the same placeholder as when revealed.
QString maskedCode(std::int64_t digits);
