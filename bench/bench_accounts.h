// SPDX-License-Identifier: GPL-3.0-or-later
// What the benches share: sample accounts and a median timing.
#pragma once

#include "core/account.h"
#include "core/instant.h"

#include <QElapsedTimer>
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

// The i-th sample account: a fresh id, a name and issuer like real ones, a 20-byte secret.
inline Account benchAccount(int i)
{
    Account account;
    account.id = QUuid::createUuid();
    account.name = QStringLiteral("user%1@example.com").arg(i);
    account.issuer = QStringLiteral("Service %1").arg(i % 37);
    account.secret = QByteArray::number(i).repeated(4).leftJustified(20, 'x');
    account.createdAt = instantFromSeconds(1714555800 + i);
    return account;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median wall time of `rounds` runs of work, in milliseconds.
inline double medianMilliseconds(const std::function<void()>& work, int rounds = 1)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return median(std::move(times));
}
