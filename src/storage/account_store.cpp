// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/account_store.h"

#include "core/uuid_text.h"
#include "storage/storage_log.h"

#include <algorithm>

namespace {

qsizetype indexOfId(const QList<Account>& accounts, const QUuid& id)
{
    const auto it =
        std::find_if(accounts.begin(), accounts.end(), [&](const Account& a) { return a.id == id; });
    return it == accounts.end() ? -1 : it - accounts.begin();
}

} // namespace

AccountStore::AccountStore(SecureItemStore& items, QObject* parent) : QObject(parent), m_keychain(items)
{
    reload();
}

void AccountStore::setAccounts(const QList<Account>& accounts)
{
    setAccountList(accounts);
}

bool AccountStore::hasUnsavedAccounts() const
{
    return std::any_of(m_unsaved.begin(), m_unsaved.end(),
                       [&](const QUuid& id) { return indexOfId(m_accounts, id) >= 0; });
}

QList<Account> AccountStore::unsavedAccounts() const
{
    QList<Account> result;
    for (const Account& account : m_accounts) {
        if (m_unsaved.contains(account.id))
            result.append(account);
    }
    return result;
}

void AccountStore::retryPendingChanges()
{
    retryPending(false);
}

void AccountStore::reload()
{
    load(retryPending(true));
}

void AccountStore::reloadIfNeeded()
{
    if (!m_loaded)
        reload();
}

void AccountStore::load(bool writeOrderAfter)
{
    Result<KeychainStore::Loaded, KeychainError> loaded = m_keychain.loadAccounts();
    if (!loaded.ok()) {
        // The list stays as it is: it may hold the only copy of accounts added meanwhile.
        noteOutcome(loaded.error());
        return;
    }
    KeychainStore::Loaded found = std::move(loaded).value();
    QList<Account> accounts = std::move(found.accounts);
    // A delete that failed again must not bring its account back.
    accounts.removeIf([&](const Account& a) { return m_pendingDeletes.contains(a.id); });
    // Before the first load everything in memory was added meanwhile and goes after the stored
    // order; afterwards only the accounts the store does not hold yet need keeping.
    const bool firstLoad = !m_loaded;
    const QList<Account> kept = firstLoad ? m_accounts : unsavedAccounts();
    qCDebug(lcStorage) << "loaded" << accounts.size() << "accounts," << kept.size() << "kept from memory";
    for (const Account& account : kept) {
        const qsizetype at = indexOfId(accounts, account.id);
        if (at >= 0 && !firstLoad) {
            accounts[at] = account;
            continue;
        }
        if (at >= 0)
            accounts.removeAt(at);
        accounts.append(account);
    }
    m_loaded = true;
    m_orderUnsaved = false;
    setAccountList(accounts);
    if (found.unreadable != m_unreadable) {
        m_unreadable = std::move(found.unreadable);
        Q_EMIT unreadableItemsChanged();
    }
    noteOutcome(std::nullopt);
    if (writeOrderAfter || (firstLoad && !kept.isEmpty()))
        writeOrder();
}

void AccountStore::finish(bool orderChanged)
{
    if (m_loaded) {
        if (orderChanged)
            writeOrder();
        return;
    }
    if (m_lastCallSucceeded)
        load(false);
}

void AccountStore::addAccounts(const QList<Account>& candidates)
{
    QList<Account> accounts = m_accounts;
    QList<Account> added;
    for (Account candidate : candidates) {
        // New accounts come from outside (links, codes, files); what is stored already stays.
        candidate.name = withoutControlCharacters(candidate.name);
        candidate.issuer = withoutControlCharacters(candidate.issuer);
        if (std::any_of(accounts.begin(), accounts.end(),
                        [&](const Account& a) { return isDuplicateOf(candidate, a); }))
            continue;
        accounts.append(candidate);
        added.append(candidate);
        // Back after a delete that has not reached the store yet (undo): nothing to delete now.
        m_pendingDeletes.removeAll(candidate.id);
    }
    if (added.isEmpty())
        return;
    setAccountList(accounts);

    retryPending(true);
    for (const Account& account : added)
        writeAccount(account);
    finish(true);
}

void AccountStore::deleteAccount(const QUuid& id)
{
    QList<Account> accounts = m_accounts;
    accounts.removeIf([&](const Account& a) { return a.id == id; });
    m_unsaved.removeAll(id);
    setAccountList(accounts);

    retryPending(true);
    removeItem(id);
    // The order record is rewritten once the item is gone.
    if (!m_pendingDeletes.contains(id))
        finish(true);
}

void AccountStore::moveAccount(const QUuid& source, const QUuid& target)
{
    if (source == target)
        return;
    const qsizetype from = indexOfId(m_accounts, source);
    const qsizetype to = indexOfId(m_accounts, target);
    if (from < 0 || to < 0)
        return;
    QList<Account> accounts = m_accounts;
    const Account moved = accounts.takeAt(from);
    accounts.insert(from < to ? to - 1 : to, moved);
    setAccountList(accounts);

    retryPending(true);
    if (m_loaded)
        writeOrder();
    else
        load(false);
}

void AccountStore::incrementCounter(const Account& account)
{
    if (account.type != OTPType::hotp)
        return;
    const qsizetype at = indexOfId(m_accounts, account.id);
    if (at < 0)
        return;
    retryPending(false);
    QList<Account> accounts = m_accounts;
    // Unsigned arithmetic: the largest counter wraps to 0.
    accounts[at].counter += 1;
    setAccountList(accounts);
    writeAccount(m_accounts[at]);
    finish(false);
}

void AccountStore::renameAccount(const QUuid& id, const QString& issuer, const QString& name)
{
    const qsizetype at = indexOfId(m_accounts, id);
    if (at < 0 || (m_accounts[at].issuer == issuer && m_accounts[at].name == name))
        return;
    retryPending(false);
    QList<Account> accounts = m_accounts;
    accounts[at].issuer = issuer;
    accounts[at].name = name;
    setAccountList(accounts);
    writeAccount(m_accounts[at]);
    finish(false);
}

void AccountStore::saveOrder()
{
    retryPending(true);
    if (m_loaded)
        writeOrder();
    else
        load(false);
}

void AccountStore::setAccountList(const QList<Account>& accounts)
{
    if (accounts == m_accounts)
        return;
    m_accounts = accounts;
    Q_EMIT accountsChanged();
}

void AccountStore::noteOutcome(const std::optional<KeychainError>& error)
{
    m_lastCallSucceeded = !error;
    std::optional<QString> next;
    // A success elsewhere does not make an unsaved account safe nor a deleted one gone.
    if (error) {
        next = error->description();
        qCWarning(lcStorage).noquote() << "keyring call failed:" << *next;
    } else if (hasUnsavedAccounts())
        next = m_unsavedError;
    else if (!m_pendingDeletes.isEmpty())
        next = m_deleteError;
    if (next == m_lastError)
        return;
    m_lastError = next;
    Q_EMIT lastErrorChanged();
}

void AccountStore::writeAccount(const Account& account)
{
    const Result<Done, KeychainError> saved = m_keychain.saveAccount(account);
    if (saved.ok()) {
        m_unsaved.removeAll(account.id);
        noteOutcome(std::nullopt);
        return;
    }
    qCWarning(lcStorage).noquote() << "account" << uuidText(account.id)
                                   << "kept in memory only; its write is retried with the next change";
    if (!m_unsaved.contains(account.id))
        m_unsaved.append(account.id);
    m_unsavedError = saved.error().description();
    noteOutcome(saved.error());
}

void AccountStore::removeItem(const QUuid& id)
{
    const Result<Done, KeychainError> deleted = m_keychain.deleteAccountItem(uuidText(id));
    if (deleted.ok()) {
        m_pendingDeletes.removeAll(id);
        noteOutcome(std::nullopt);
        return;
    }
    if (!m_pendingDeletes.contains(id))
        m_pendingDeletes.append(id);
    m_deleteError = deleted.error().description();
    noteOutcome(deleted.error());
}

void AccountStore::writeOrder()
{
    // Before a load the list is only what was added meanwhile; the stored order must stay.
    if (!m_loaded)
        return;
    const Result<Done, KeychainError> saved = m_keychain.saveOrder(accountIds());
    m_orderUnsaved = !saved.ok();
    noteOutcome(saved.ok() ? std::nullopt : std::optional<KeychainError>(saved.error()));
}

bool AccountStore::retryPending(bool orderFollows)
{
    for (const QUuid& id : QList<QUuid>(m_pendingDeletes))
        removeItem(id);
    m_unsaved.removeIf([&](const QUuid& id) { return indexOfId(m_accounts, id) < 0; });
    bool savedSome = false;
    for (const QUuid& id : QList<QUuid>(m_unsaved)) {
        writeAccount(m_accounts[indexOfId(m_accounts, id)]);
        savedSome = savedSome || !m_unsaved.contains(id);
    }
    // A newly saved account is only found in its place once the order names it.
    if (!orderFollows && (savedSome || m_orderUnsaved))
        writeOrder();
    return savedSome;
}

QList<QUuid> AccountStore::accountIds() const
{
    QList<QUuid> ids;
    ids.reserve(m_accounts.size());
    for (const Account& account : m_accounts)
        ids.append(account.id);
    return ids;
}
