// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/unused_ids.h"

#include <QSet>
#include <QUuid>

QList<Account> withUnusedIds(QList<Account> candidates, const QList<Account>& existing)
{
    QSet<QUuid> taken;
    for (const Account& account : existing)
        taken.insert(account.id);
    for (Account& candidate : candidates) {
        while (candidate.id.isNull() || taken.contains(candidate.id))
            candidate.id = QUuid::createUuid();
        taken.insert(candidate.id);
    }
    return candidates;
}
