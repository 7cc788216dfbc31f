// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/secure_item_store.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

// A keyring that is slow or stops answering: every call waits while the gate is closed, then
// takes `delay`, then goes to the wrapped store. Calls may come from any thread.
class GatedSecureItemStore : public SecureItemStore
{
public:
    explicit GatedSecureItemStore(SecureItemStore& inner, std::chrono::milliseconds delay = {})
        : m_inner(inner), m_delay(delay)
    {
    }

    void close();
    void open();
    // How many calls have reached the gate (answered or waiting).
    int arrivals();

    SecureItemStatus update(const QString& service, const QString& account, const QByteArray& value,
                            const QString& label) override;
    SecureItemStatus add(const QString& service, const QString& account, const QByteArray& value,
                         const QString& label) override;
    Result<QByteArray, SecureItemStatus> copyOne(const QString& service, const QString& account) override;
    Result<QList<SecureItem>, SecureItemStatus> copyAll(const QString& service) override;
    SecureItemStatus remove(const QString& service, const QString& account) override;
    SecureItemStatus removeItem(const QByteArray& handle) override;

private:
    void pass();

    SecureItemStore& m_inner;
    const std::chrono::milliseconds m_delay;
    std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_open = true;
    int m_arrivals = 0;
};
