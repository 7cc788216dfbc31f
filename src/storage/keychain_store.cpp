// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/keychain_store.h"

#include "core/account_json.h"
#include "core/uuid_text.h"
#include "platform/secure_item_store.h"

#include <QHash>
#include <QSet>
#include <algorithm>

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

Result<Done, KeychainError> KeychainStore::addAccount(const Account& account)
{
    const std::optional<QByteArray> json = encodeAccount(account);
    if (!json)
        return KeychainError::encodingFailed();
    const SecureItemStatus added = m_items.add(service(), uuidText(account.id), *json, itemLabel(account));
    if (added != success)
        return KeychainError::unhandled(added);
    return Done{};
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
    // Every legacy list counts (several collections may each hold one), and only the items
    // that were read are deleted afterwards.
    Result<QList<SecureItem>, SecureItemStatus> found = m_items.copyAll(legacyService());
    if (!found.ok()) {
        if (found.error() == itemNotFound)
            return Done{};
        return KeychainError::unhandled(found.error());
    }
    QList<Account> accounts;
    QList<QByteArray> migrated;
    for (const SecureItem& item : found.value()) {
        if (item.account != legacyKey || !item.value)
            continue;
        // An unreadable list stays where it is, so a later version can still rescue it.
        const std::optional<QList<Account>> list = decodeAccountList(*item.value);
        if (!list)
            continue;
        for (const Account& account : *list) {
            const bool known = std::any_of(accounts.begin(), accounts.end(), [&](const Account& kept) {
                return kept.id == account.id || isDuplicateOf(account, kept);
            });
            if (!known)
                accounts.append(account);
        }
        migrated.append(item.handle);
    }
    if (migrated.isEmpty())
        return Done{};
    for (const Account& account : accounts) {
        if (auto saved = saveAccount(account); !saved.ok())
            return saved.error();
    }
    if (auto saved = saveOrder(idsOf(accounts)); !saved.ok())
        return saved.error();
    // Everything is in the new layout; a leftover legacy item would only be migrated again.
    for (const QByteArray& handle : migrated)
        m_items.removeItem(handle);
    return Done{};
}

Result<Done, KeychainError> KeychainStore::adoptForeignKeys(const Assembly& assembly)
{
    QStringList oldKeys = assembly.supersededKeys;
    for (const auto& [account, key] : assembly.foreignKeys) {
        if (auto saved = saveAccount(account); !saved.ok())
            return saved.error();
        oldKeys.append(key);
    }
    for (const QString& key : oldKeys) {
        if (auto deleted = deleteAccountItem(key); !deleted.ok())
            return deleted.error();
    }
    return Done{};
}

Result<KeychainStore::Loaded, KeychainError> KeychainStore::loadAccounts()
{
    if (auto migrated = migrateLegacyIfNeeded(); !migrated.ok())
        return migrated.error();
    Result<QList<SecureItem>, KeychainError> items = fetchAllItems();
    if (!items.ok())
        return items.error();
    Assembly assembly = assembleAccounts(items.value());
    if (auto adopted = adoptForeignKeys(assembly); !adopted.ok())
        return adopted.error();
    return Loaded{std::move(assembly.accounts), std::move(assembly.unreadable)};
}

KeychainStore::Assembly KeychainStore::assembleAccounts(const QList<SecureItem>& items)
{
    struct Found
    {
        Account account;
        QString key;
        bool canonical = false;
    };
    Assembly assembly;
    QHash<QUuid, Found> byId;
    QList<QUuid> firstSeen; // keeps unordered accounts in the store's order
    QList<QUuid> order;
    const auto skip = [&](const SecureItem& item) {
        QString name = item.label.isEmpty() ? item.account.value_or(QString()) : item.label;
        assembly.unreadable.append(name.isEmpty() ? QStringLiteral("(unnamed item)") : name);
    };
    for (const SecureItem& item : items) {
        if (!item.account || !item.value) {
            skip(item);
            continue;
        }
        if (*item.account == orderKey) {
            if (std::optional<QList<QUuid>> decoded = decodeUUIDList(*item.value))
                order = std::move(*decoded);
            else
                skip(item);
            continue;
        }
        const std::optional<QUuid> id = parseUUID(*item.account);
        std::optional<Account> account = id ? decodeAccount(*item.value) : std::nullopt;
        if (!account) {
            skip(item);
            continue;
        }
        // The key is what later saves and deletes address, so it decides the id.
        account->id = *id;
        Found found{std::move(*account), *item.account, *item.account == uuidText(*id)};
        auto it = byId.find(*id);
        if (it == byId.end()) {
            firstSeen.append(*id);
            byId.emplace(*id, std::move(found));
            continue;
        }
        // What this program wrote under the canonical key is newer than a foreign copy; among
        // equals the item returned later wins.
        const bool replace = found.canonical || !it->canonical;
        const QString& loser = replace ? it->key : found.key;
        if (loser != (replace ? found.key : it->key) && !assembly.supersededKeys.contains(loser))
            assembly.supersededKeys.append(loser);
        if (replace)
            *it = std::move(found);
    }

    QSet<QUuid> placed;
    const auto place = [&](const QUuid& id) {
        auto it = byId.constFind(id);
        if (it == byId.constEnd() || placed.contains(id))
            return;
        assembly.accounts.append(it->account);
        if (!it->canonical)
            assembly.foreignKeys.append({it->account, it->key});
        placed.insert(id);
    };
    for (const QUuid& id : order)
        place(id);
    for (const QUuid& id : firstSeen)
        place(id);
    assembly.supersededKeys.removeIf([&](const QString& key) {
        return std::any_of(assembly.foreignKeys.begin(), assembly.foreignKeys.end(),
                           [&](const auto& foreign) { return foreign.second == key; });
    });
    return assembly;
}
