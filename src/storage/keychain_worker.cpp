// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/keychain_worker.h"

#include <utility>

void KeychainWorker::post(quint64 call, Job job)
{
    QMetaObject::invokeMethod(
        this, [this, call, job = std::move(job)] { run(call, job); }, Qt::QueuedConnection);
}

bool KeychainWorker::waitFor(quint64 call, std::chrono::milliseconds wait)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, wait, [&] { return m_done >= call; });
}

void KeychainWorker::run(quint64 call, const Job& job)
{
    job(m_ledger, [this](int done, int total) { Q_EMIT progressed(done, total); });
    // The answer is on its way before a waiter is woken, so the waiter can take it at once.
    Q_EMIT answered(call, m_ledger.state());
    {
        const std::lock_guard lock(m_mutex);
        m_done = call;
    }
    m_changed.notify_all();
}
