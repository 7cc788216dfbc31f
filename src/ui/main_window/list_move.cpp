// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/list_move.h"

#include <algorithm>

QList<Account> movedAccounts(const QList<Account>& accounts, QList<qsizetype> sourceOffsets,
                             qsizetype destination)
{
    const qsizetype count = accounts.size();
    std::sort(sourceOffsets.begin(), sourceOffsets.end());
    sourceOffsets.erase(std::unique(sourceOffsets.begin(), sourceOffsets.end()), sourceOffsets.end());
    sourceOffsets.erase(std::remove_if(sourceOffsets.begin(), sourceOffsets.end(),
                                       [count](qsizetype offset) { return offset < 0 || offset >= count; }),
                        sourceOffsets.end());
    destination = std::clamp<qsizetype>(destination, 0, count);

    QList<Account> moving;
    QList<Account> staying;
    qsizetype insertAt = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (i == destination)
            insertAt = staying.size();
        if (std::binary_search(sourceOffsets.begin(), sourceOffsets.end(), i))
            moving.append(accounts[i]);
        else
            staying.append(accounts[i]);
    }
    if (destination == count)
        insertAt = staying.size();

    QList<Account> result = staying.mid(0, insertAt);
    result.append(moving);
    result.append(staying.mid(insertAt));
    return result;
}
