// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/account_ledger.h"

#include <QObject>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

// Lives on the thread that may wait on the keyring: runs the ledger's calls one at a time in
// the order they were posted and reports each answer. The ledger must outlive this object.
class KeychainWorker : public QObject
{
    Q_OBJECT
public:
    using Job = std::function<void(AccountLedger&, const AccountLedger::Progress&)>;

    explicit KeychainWorker(AccountLedger& ledger) : m_ledger(ledger) {}

    // From any thread: runs the job on this object's thread after those posted before it.
    void post(quint64 call, Job job);
    // From any thread: waits at most `wait` until `call` has been answered; true when it has.
    // Its answered() signal has been emitted by then.
    bool waitFor(quint64 call, std::chrono::milliseconds wait);

Q_SIGNALS:
    void answered(quint64 call, const AccountLedger::State& state);
    void progressed(int done, int total);

private:
    void run(quint64 call, const Job& job);

    AccountLedger& m_ledger;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    quint64 m_done = 0;
};
