#include "fake_secure_item_store.h"

#include <algorithm>

void FakeSecureItemStore::seed(const QString& service, const QString& account, const QByteArray& value,
                               const QString& label)
{
    m_items.append({service, account, value, label});
}

void FakeSecureItemStore::seedItem(const StoredItem& item)
{
    m_items.append(item);
}

void FakeSecureItemStore::setFailure(Operation operation, SecureItemStatus status,
                                     const std::optional<QString>& account)
{
    m_failures[{operation, account.value_or(QString())}] = status;
}

void FakeSecureItemStore::clearFailure(Operation operation, const std::optional<QString>& account)
{
    m_failures.erase({operation, account.value_or(QString())});
}

void FakeSecureItemStore::failEverything(SecureItemStatus status)
{
    m_failEverything = status;
}

void FakeSecureItemStore::clearFailures()
{
    m_failures.clear();
    m_failEverything.reset();
}

std::optional<QByteArray> FakeSecureItemStore::value(const QString& service, const QString& account) const
{
    for (const StoredItem& item : m_items) {
        if (matches(item, service, account))
            return item.value;
    }
    return std::nullopt;
}

std::optional<QString> FakeSecureItemStore::label(const QString& service, const QString& account) const
{
    for (const StoredItem& item : m_items) {
        if (matches(item, service, account))
            return item.label;
    }
    return std::nullopt;
}

int FakeSecureItemStore::count(const QString& service, const QString& account) const
{
    return static_cast<int>(std::count_if(m_items.begin(), m_items.end(), [&](const StoredItem& item) {
        return matches(item, service, account);
    }));
}

QList<QString> FakeSecureItemStore::accountKeys(const QString& service) const
{
    QList<QString> keys;
    for (const StoredItem& item : m_items) {
        if (item.service == service && item.account)
            keys.append(*item.account);
    }
    return keys;
}

int FakeSecureItemStore::writeCount() const
{
    return static_cast<int>(std::count_if(m_calls.begin(), m_calls.end(), [](const Call& call) {
        return call.operation == Operation::update || call.operation == Operation::add ||
               call.operation == Operation::remove;
    }));
}

SecureItemStatus FakeSecureItemStore::update(const QString& service, const QString& account,
                                             const QByteArray& value, const QString& label)
{
    m_calls.append({Operation::update, service, account});
    if (auto failure = injectedFailure(Operation::update, account))
        return *failure;
    bool found = false;
    for (StoredItem& item : m_items) {
        if (matches(item, service, account)) {
            item.value = value;
            item.label = label;
            found = true;
        }
    }
    return found ? SecureItemStatusCode::success : SecureItemStatusCode::itemNotFound;
}

SecureItemStatus FakeSecureItemStore::add(const QString& service, const QString& account, const QByteArray& value,
                                          const QString& label)
{
    m_calls.append({Operation::add, service, account});
    if (auto failure = injectedFailure(Operation::add, account))
        return *failure;
    m_items.append({service, account, value, label});
    return SecureItemStatusCode::success;
}

Result<QByteArray, SecureItemStatus> FakeSecureItemStore::copyOne(const QString& service, const QString& account)
{
    m_calls.append({Operation::copyOne, service, account});
    if (auto failure = injectedFailure(Operation::copyOne, account))
        return *failure;
    for (const StoredItem& item : m_items) {
        if (matches(item, service, account) && item.value)
            return *item.value;
    }
    return SecureItemStatusCode::itemNotFound;
}

Result<QList<SecureItem>, SecureItemStatus> FakeSecureItemStore::copyAll(const QString& service)
{
    m_calls.append({Operation::copyAll, service, QString()});
    if (auto failure = injectedFailure(Operation::copyAll, QString()))
        return *failure;
    QList<SecureItem> found;
    for (const StoredItem& item : m_items) {
        if (item.service == service)
            found.append({item.account, item.value});
    }
    if (found.isEmpty())
        return SecureItemStatusCode::itemNotFound;
    return found;
}

SecureItemStatus FakeSecureItemStore::remove(const QString& service, const QString& account)
{
    m_calls.append({Operation::remove, service, account});
    if (auto failure = injectedFailure(Operation::remove, account))
        return *failure;
    const auto removed = m_items.removeIf([&](const StoredItem& item) { return matches(item, service, account); });
    return removed > 0 ? SecureItemStatusCode::success : SecureItemStatusCode::itemNotFound;
}

std::optional<SecureItemStatus> FakeSecureItemStore::injectedFailure(Operation operation,
                                                                     const QString& account) const
{
    if (m_failEverything)
        return m_failEverything;
    if (auto it = m_failures.find({operation, account}); it != m_failures.end() && !account.isEmpty())
        return it->second;
    if (auto it = m_failures.find({operation, QString()}); it != m_failures.end())
        return it->second;
    return std::nullopt;
}

bool FakeSecureItemStore::matches(const StoredItem& item, const QString& service, const QString& account) const
{
    return item.service == service && item.account == account;
}
