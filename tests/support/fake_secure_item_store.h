// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/secure_item_store.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

// In-memory secure item store for tests: items kept in insertion order, every call logged,
// and a failure status that can be injected per operation (optionally for one account key).
// It can also be slow or stop answering: every call waits while the gate is closed, then takes
// the delay. Calls may come from any thread.
class FakeSecureItemStore : public SecureItemStore
{
public:
    enum class Operation
    {
        update,
        add,
        copyOne,
        copyAll,
        remove,
        removeItem
    };

    struct StoredItem
    {
        QString service;
        QString account;
        QByteArray value;
        QString label;
        QByteArray handle;
    };

    struct Call
    {
        Operation operation;
        QString service;
        QString account; // empty for copyAll
    };

    // Appends an item as another program might have written it (duplicates allowed).
    void seed(const QString& service, const QString& account, const QByteArray& value,
              const QString& label = {})
    {
        m_items.append({service, account, value, label, nextHandle()});
    }

    // Every later call of the operation fails with the status, until cleared. With an account,
    // only calls for that account key fail.
    void setFailure(Operation operation, SecureItemStatus status, const QString& account = {});
    // Every operation fails with the status (a keyring that went away); clearFailures() mends it.
    void failEverything(SecureItemStatus status) { m_failEverything = status; }
    void clearFailures();

    const QList<StoredItem>& items() const { return m_items; }
    // The value and label of the first item of service and account, if any.
    std::optional<QByteArray> value(const QString& service, const QString& account) const;
    std::optional<QString> label(const QString& service, const QString& account) const;
    int count(const QString& service, const QString& account) const;

    const QList<Call>& calls() const { return m_calls; }
    // Calls that would have changed the store (update, add, remove).
    int writeCount() const;
    void clearCalls() { m_calls.clear(); }

    void closeGate();
    void openGate();
    void setDelay(std::chrono::milliseconds delay) { m_delay = delay; }

    SecureItemStatus update(const QString& service, const QString& account, const QByteArray& value,
                            const QString& label) override;
    SecureItemStatus add(const QString& service, const QString& account, const QByteArray& value,
                         const QString& label) override;
    Result<QByteArray, SecureItemStatus> copyOne(const QString& service, const QString& account) override;
    Result<QList<SecureItem>, SecureItemStatus> copyAll(const QString& service) override;
    SecureItemStatus remove(const QString& service, const QString& account) override;
    // The account key of the item is what a failure can be injected for.
    SecureItemStatus removeItem(const QByteArray& handle) override;

private:
    QByteArray nextHandle() { return QByteArray::number(++m_lastHandle); }
    // Passes the gate, then logs the call and returns the injected failure for it, if any.
    std::optional<SecureItemStatus> call(Operation operation, const QString& service, const QString& account);
    void passGate();
    std::optional<SecureItemStatus> record(Operation operation, const QString& service,
                                           const QString& account);
    const StoredItem* find(const QString& service, const QString& account) const;

    QList<StoredItem> m_items;
    QList<Call> m_calls;
    // Keyed by operation and account key ("" = any key).
    std::map<std::pair<Operation, QString>, SecureItemStatus> m_failures;
    std::optional<SecureItemStatus> m_failEverything;
    int m_lastHandle = 0;
    std::chrono::milliseconds m_delay{};
    std::mutex m_gateMutex;
    std::condition_variable m_gateOpened;
    bool m_gateOpen = true;
};
