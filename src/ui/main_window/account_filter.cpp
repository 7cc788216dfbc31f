// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/account_filter.h"

bool matchesSearch(const Account& account, const QString& lowerQuery)
{
    return account.name.toLower().contains(lowerQuery) || account.issuer.toLower().contains(lowerQuery);
}

QList<qsizetype> filteredAccountOffsets(const QList<Account>& accounts, const QString& searchText)
{
    QList<qsizetype> offsets;
    offsets.reserve(accounts.size());
    if (searchText.isEmpty()) {
        for (qsizetype i = 0; i < accounts.size(); ++i)
            offsets.append(i);
        return offsets;
    }
    const QString query = searchText.toLower();
    for (qsizetype i = 0; i < accounts.size(); ++i) {
        if (matchesSearch(accounts[i], query))
            offsets.append(i);
    }
    return offsets;
}
