#include "storage/keychain_store.h"

#include "core/account_json.h"
#include "core/uuid_text.h"
#include "platform/secure_item_store.h"

#include <QHash>
#include <QSet>

namespace {

using namespace SecureItemStatusCode;

QString service()
{
    return KeychainStore::serviceIdentifier.toString();
}

QString legacyService()
{
    return KeychainStore::legacyServiceIdentifier.toString();
}

QList<QUuid> idsOf(const QList<Account>& accounts)
{
    QList<QUuid> ids;
    ids.reserve(accounts.size());
    for (const Account& account : accounts)
        ids.append(account.id);
    return ids;
}

} // namespace

QString KeychainStore::itemLabel(const Account& account)
{
    return QStringLiteral("Brisvane: ") + accountLabel(account);
}

QString KeychainStore::orderItemLabel()
{
    return QStringLiteral("Brisvane: account order");
}

Result<Done, KeychainError> KeychainStore::writeItem(const QString& key, const QByteArray& value,
                                                     const QString& label)
{
    const SecureItemStatus updated = m_items.update(service(), key, value, label);
    if (updated == success)
        return Done{};
    if (updated != itemNotFound)
        return KeychainError::unhandled(updated);
    const SecureItemStatus added = m_items.add(service(), key, value, label);
    if (added != success)
        return KeychainError::unhandled(added);
    return Done{};
}

Result<Done, KeychainError> KeychainStore::saveAccount(const Account& account)
{
    const std::optional<QByteArray> json = encodeAccount(account);
    if (!json)
        return KeychainError::encodingFailed();
    return writeItem(uuidText(account.id), *json, itemLabel(account));
}

Result<Done, KeychainError> KeychainStore::saveOrder(const QList<QUuid>& ids)
{
    return writeItem(orderKey.toString(), encodeUUIDList(ids), orderItemLabel());
}

Result<Done, KeychainError> KeychainStore::deleteAccountItem(const QString& key)
{
    const SecureItemStatus status = m_items.remove(service(), key);
    if (status != success && status != itemNotFound)
        return KeychainError::unhandled(status);
    return Done{};
}

Result<QList<SecureItem>, KeychainError> KeychainStore::fetchAllItems()
{
    Result<QList<SecureItem>, SecureItemStatus> found = m_items.copyAll(service());
    if (found.ok())
        return std::move(found).value();
    if (found.error() == itemNotFound)
        return QList<SecureItem>();
    return KeychainError::unhandled(found.error());
}

Result<Done, KeychainError> KeychainStore::migrateLegacyIfNeeded()
{
    const Result<QByteArray, SecureItemStatus> legacy =
        m_items.copyOne(legacyService(), legacyKey.toString());
    if (!legacy.ok()) {
        if (legacy.error() == itemNotFound)
            return Done{};
        return KeychainError::unhandled(legacy.error());
    }
    // An unreadable list stays where it is, so a later version can still rescue it.
    const std::optional<QList<Account>> accounts = decodeAccountList(legacy.value());
    if (!accounts)
        return Done{};
    for (const Account& account : *accounts) {
        if (auto saved = saveAccount(account); !saved.ok())
            return saved.error();
    }
    if (auto saved = saveOrder(idsOf(*accounts)); !saved.ok())
        return saved.error();
    // Everything is in the new layout; a leftover legacy item would only be migrated again.
    m_items.remove(legacyService(), legacyKey.toString());
    return Done{};
}

Result<QList<Account>, KeychainError> KeychainStore::loadAccounts()
{
    if (auto migrated = migrateLegacyIfNeeded(); !migrated.ok())
        return migrated.error();
    Result<QList<SecureItem>, KeychainError> items = fetchAllItems();
    if (!items.ok())
        return items.error();
    return assembleAccounts(items.value());
}

QList<Account> KeychainStore::assembleAccounts(const QList<SecureItem>& items)
{
    QHash<QUuid, Account> byId;
    QList<QUuid> firstSeen; // keeps unordered accounts in the store's order
    QList<QUuid> order;
    for (const SecureItem& item : items) {
        if (!item.account || !item.value)
            continue;
        if (*item.account == orderKey) {
            if (std::optional<QList<QUuid>> decoded = decodeUUIDList(*item.value))
                order = std::move(*decoded);
            continue;
        }
        const std::optional<QUuid> id = parseUUID(*item.account);
        if (!id)
            continue;
        std::optional<Account> account = decodeAccount(*item.value);
        if (!account)
            continue;
        // The key is what later saves and deletes address, so it decides the id.
        account->id = *id;
        if (!byId.contains(*id))
            firstSeen.append(*id);
        byId.insert(*id, std::move(*account));
    }

    QList<Account> result;
    result.reserve(byId.size());
    QSet<QUuid> placed;
    for (const QUuid& id : order) {
        auto it = byId.constFind(id);
        if (it == byId.constEnd() || placed.contains(id))
            continue;
        result.append(*it);
        placed.insert(id);
    }
    for (const QUuid& id : firstSeen) {
        if (!placed.contains(id))
            result.append(byId.value(id));
    }
    return result;
}
