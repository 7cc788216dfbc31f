// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_secure_item_store.h"

#include <algorithm>
#include <thread>

using namespace SecureItemStatusCode;

void FakeSecureItemStore::setFailure(Operation operation, SecureItemStatus status, const QString& account)
{
    m_failures[{operation, account}] = status;
}

void FakeSecureItemStore::clearFailures()
{
    m_failures.clear();
    m_failEverything.reset();
}

std::optional<QByteArray> FakeSecureItemStore::value(const QString& service, const QString& account) const
{
    const StoredItem* item = find(service, account);
    return item ? std::optional(item->value) : std::nullopt;
}

std::optional<QString> FakeSecureItemStore::label(const QString& service, const QString& account) const
{
    const StoredItem* item = find(service, account);
    return item ? std::optional(item->label) : std::nullopt;
}

int FakeSecureItemStore::count(const QString& service, const QString& account) const
{
    return static_cast<int>(std::count_if(m_items.begin(), m_items.end(), [&](const StoredItem& item) {
        return item.service == service && item.account == account;
    }));
}

int FakeSecureItemStore::writeCount() const
{
    return static_cast<int>(std::count_if(m_calls.begin(), m_calls.end(), [](const Call& call) {
        return call.operation == Operation::update || call.operation == Operation::add ||
               call.operation == Operation::remove || call.operation == Operation::removeItem;
    }));
}

SecureItemStatus FakeSecureItemStore::update(const QString& service, const QString& account,
                                             const QByteArray& value, const QString& label)
{
    if (auto failure = call(Operation::update, service, account))
        return *failure;
    bool found = false;
    for (StoredItem& item : m_items) {
        if (item.service == service && item.account == account) {
            item.value = value;
            item.label = label;
            found = true;
        }
    }
    return found ? success : itemNotFound;
}

SecureItemStatus FakeSecureItemStore::add(const QString& service, const QString& account,
                                          const QByteArray& value, const QString& label)
{
    if (auto failure = call(Operation::add, service, account))
        return *failure;
    m_items.append({service, account, value, label, nextHandle()});
    return success;
}

Result<QByteArray, SecureItemStatus> FakeSecureItemStore::copyOne(const QString& service,
                                                                  const QString& account)
{
    if (auto failure = call(Operation::copyOne, service, account))
        return *failure;
    const StoredItem* item = find(service, account);
    return item ? Result<QByteArray, SecureItemStatus>(item->value) : itemNotFound;
}

Result<QList<SecureItem>, SecureItemStatus> FakeSecureItemStore::copyAll(const QString& service)
{
    if (auto failure = call(Operation::copyAll, service, {}))
        return *failure;
    QList<SecureItem> found;
    for (const StoredItem& item : m_items) {
        if (item.service == service)
            found.append({item.account, item.value, item.label, item.handle});
    }
    if (found.isEmpty())
        return itemNotFound;
    return found;
}

SecureItemStatus FakeSecureItemStore::remove(const QString& service, const QString& account)
{
    if (auto failure = call(Operation::remove, service, account))
        return *failure;
    const auto removed = m_items.removeIf(
        [&](const StoredItem& item) { return item.service == service && item.account == account; });
    return removed > 0 ? success : itemNotFound;
}

SecureItemStatus FakeSecureItemStore::removeItem(const QByteArray& handle)
{
    passGate();
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [&](const StoredItem& item) { return item.handle == handle; });
    if (auto failure = record(Operation::removeItem, it == m_items.end() ? QString() : it->service,
                              it == m_items.end() ? QString() : it->account))
        return *failure;
    if (it == m_items.end())
        return itemNotFound;
    m_items.erase(it);
    return success;
}

void FakeSecureItemStore::closeGate()
{
    const std::lock_guard lock(m_gateMutex);
    m_gateOpen = false;
}

void FakeSecureItemStore::openGate()
{
    {
        const std::lock_guard lock(m_gateMutex);
        m_gateOpen = true;
    }
    m_gateOpened.notify_all();
}

void FakeSecureItemStore::passGate()
{
    {
        std::unique_lock lock(m_gateMutex);
        m_gateOpened.wait(lock, [this] { return m_gateOpen; });
    }
    std::this_thread::sleep_for(m_delay);
}

std::optional<SecureItemStatus> FakeSecureItemStore::call(Operation operation, const QString& service,
                                                          const QString& account)
{
    passGate();
    return record(operation, service, account);
}

std::optional<SecureItemStatus> FakeSecureItemStore::record(Operation operation, const QString& service,
                                                            const QString& account)
{
    m_calls.append({operation, service, account});
    if (m_failEverything)
        return m_failEverything;
    for (const QString& key : {account, QString()}) {
        if (auto it = m_failures.find({operation, key}); it != m_failures.end())
            return it->second;
    }
    return std::nullopt;
}

const FakeSecureItemStore::StoredItem* FakeSecureItemStore::find(const QString& service,
                                                                 const QString& account) const
{
    const auto it = std::find_if(m_items.begin(), m_items.end(), [&](const StoredItem& item) {
        return item.service == service && item.account == account;
    });
    return it == m_items.end() ? nullptr : &*it;
}
