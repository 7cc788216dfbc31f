// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/account_ledger.h"

#include "core/uuid_text.h"
#include "storage/storage_log.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace {

qsizetype indexOfId(const QList<Account>& accounts, const QUuid& id)
{
    const auto it =
        std::find_if(accounts.begin(), accounts.end(), [&](const Account& a) { return a.id == id; });
    return it == accounts.end() ? -1 : it - accounts.begin();
}

} // namespace

QList<Account> AccountLedger::newAccounts(const QList<Account>& candidates, const QList<Account>& existing)
{
    // What isDuplicateOf compares, in one hashable value: a large import stays linear.
    const auto identity = [](const Account& account) {
        const QByteArray name = account.name.toUtf8();
        return QByteArray::number(account.secret.size()) + ':' + account.secret +
               QByteArray::number(name.size()) + ':' + name + account.issuer.toUtf8();
    };
    QSet<QByteArray> known;
    known.reserve(existing.size() + candidates.size());
    for (const Account& account : existing)
        known.insert(identity(account));
    QList<Account> added;
    for (Account candidate : candidates) {
        // New accounts come from outside (links, codes, files); what is stored already stays.
        candidate.name = withoutControlCharacters(candidate.name);
        candidate.issuer = withoutControlCharacters(candidate.issuer);
        const QByteArray key = identity(candidate);
        if (known.contains(key))
            continue;
        known.insert(key);
        added.append(candidate);
    }
    return added;
}

std::optional<QList<Account>> AccountLedger::moved(const QList<Account>& accounts, const QUuid& source,
                                                   const QUuid& target)
{
    const qsizetype from = indexOfId(accounts, source);
    const qsizetype to = indexOfId(accounts, target);
    if (source == target || from < 0 || to < 0)
        return std::nullopt;
    QList<Account> result = accounts;
    const Account account = result.takeAt(from);
    result.insert(from < to ? to - 1 : to, account);
    return result;
}

std::optional<QList<Account>> AccountLedger::incremented(const QList<Account>& accounts,
                                                         const Account& account)
{
    const qsizetype at = indexOfId(accounts, account.id);
    if (account.type != OTPType::hotp || at < 0)
        return std::nullopt;
    QList<Account> result = accounts;
    // Unsigned arithmetic: the largest counter wraps to 0.
    result[at].counter += 1;
    return result;
}

std::optional<QList<Account>> AccountLedger::renamed(const QList<Account>& accounts, const QUuid& id,
                                                     const QString& issuer, const QString& name)
{
    const qsizetype at = indexOfId(accounts, id);
    if (at < 0 || (accounts[at].issuer == issuer && accounts[at].name == name))
        return std::nullopt;
    QList<Account> result = accounts;
    result[at].issuer = issuer;
    result[at].name = name;
    return result;
}

QList<Account> AccountLedger::arranged(const QList<Account>& order, const QList<Account>& current)
{
    // The order comes from a view, which may not have seen the latest load or counter yet: the
    // values are the current ones, and what the view did not list keeps its place after it.
    QHash<QUuid, qsizetype> at;
    for (qsizetype i = 0; i < current.size(); ++i)
        at.insert(current[i].id, i);
    QList<Account> result;
    QSet<QUuid> named;
    for (const Account& account : order) {
        named.insert(account.id);
        result.append(at.contains(account.id) ? current[at.value(account.id)] : account);
    }
    for (const Account& account : current) {
        if (!named.contains(account.id))
            result.append(account);
    }
    return result;
}

AccountLedger::State AccountLedger::state() const
{
    return {m_accounts, m_lastError, m_unreadable, m_loaded, m_unsaved, m_pendingDeletes};
}

void AccountLedger::setAccounts(const QList<Account>& accounts)
{
    m_accounts = arranged(accounts, m_accounts);
}

bool AccountLedger::hasUnsavedAccounts() const
{
    return std::any_of(m_unsaved.begin(), m_unsaved.end(),
                       [&](const QUuid& id) { return indexOfId(m_accounts, id) >= 0; });
}

QList<Account> AccountLedger::unsavedAccounts() const
{
    QList<Account> result;
    for (const Account& account : m_accounts) {
        if (m_unsaved.contains(account.id))
            result.append(account);
    }
    return result;
}

void AccountLedger::retryPendingChanges()
{
    retryPending(false);
}

void AccountLedger::reload()
{
    load(retryPending(true));
}

void AccountLedger::reloadIfNeeded()
{
    if (!m_loaded)
        reload();
}

void AccountLedger::load(bool writeOrderAfter)
{
    Result<KeychainStore::Loaded, KeychainError> loaded = m_keychain.loadAccounts();
    if (!loaded.ok()) {
        // The list stays as it is: it may hold the only copy of accounts added meanwhile.
        noteOutcome(loaded.error());
        return;
    }
    KeychainStore::Loaded found = std::move(loaded).value();
    QList<Account> accounts = std::move(found.accounts);
    m_stored.clear();
    for (const Account& account : accounts)
        m_stored.insert(account.id);
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
    m_accounts = accounts;
    m_unreadable = std::move(found.unreadable);
    noteOutcome(std::nullopt);
    if (writeOrderAfter || (firstLoad && !kept.isEmpty()))
        writeOrder();
}

void AccountLedger::finish(bool orderChanged)
{
    if (m_loaded) {
        if (orderChanged)
            writeOrder();
        return;
    }
    if (m_lastCallSucceeded)
        load(false);
}

void AccountLedger::addAccounts(const QList<Account>& candidates, const Progress& progress)
{
    const QList<Account> added = newAccounts(candidates, m_accounts);
    if (added.isEmpty())
        return;
    for (const Account& account : added) {
        // Back after a delete that has not reached the store yet (undo): nothing to delete now.
        m_pendingDeletes.removeAll(account.id);
    }
    m_accounts.append(added);

    retryPending(true);
    const auto total = static_cast<int>(added.size());
    for (int i = 0; i < total; ++i) {
        // After a load, an id it did not find and nothing wrote since has no item to update.
        writeAccount(added[i], m_loaded && !m_stored.contains(added[i].id));
        if (progress)
            progress(i + 1, total);
    }
    finish(true);
}

void AccountLedger::deleteAccount(const QUuid& id)
{
    m_accounts.removeIf([&](const Account& a) { return a.id == id; });
    m_unsaved.removeAll(id);

    retryPending(true);
    removeItem(id);
    // The order record is rewritten once the item is gone.
    if (!m_pendingDeletes.contains(id))
        finish(true);
}

void AccountLedger::moveAccount(const QUuid& source, const QUuid& target)
{
    std::optional<QList<Account>> accounts = moved(m_accounts, source, target);
    if (!accounts)
        return;
    m_accounts = std::move(*accounts);

    retryPending(true);
    if (m_loaded)
        writeOrder();
    else
        load(false);
}

void AccountLedger::incrementCounter(const Account& account)
{
    std::optional<QList<Account>> accounts = incremented(m_accounts, account);
    if (!accounts)
        return;
    retryPending(false);
    m_accounts = std::move(*accounts);
    writeAccount(m_accounts[indexOfId(m_accounts, account.id)]);
    finish(false);
}

void AccountLedger::renameAccount(const QUuid& id, const QString& issuer, const QString& name)
{
    std::optional<QList<Account>> accounts = renamed(m_accounts, id, issuer, name);
    if (!accounts)
        return;
    retryPending(false);
    m_accounts = std::move(*accounts);
    writeAccount(m_accounts[indexOfId(m_accounts, id)]);
    finish(false);
}

void AccountLedger::saveOrder()
{
    retryPending(true);
    if (m_loaded)
        writeOrder();
    else
        load(false);
}

void AccountLedger::noteOutcome(const std::optional<KeychainError>& error)
{
    m_lastCallSucceeded = !error;
    // A success elsewhere does not make an unsaved account safe nor a deleted one gone.
    if (error) {
        m_lastError = error->description();
        qCWarning(lcStorage).noquote() << "keyring call failed:" << *m_lastError;
    } else if (hasUnsavedAccounts())
        m_lastError = m_unsavedError;
    else if (!m_pendingDeletes.isEmpty())
        m_lastError = m_deleteError;
    else
        m_lastError.reset();
}

void AccountLedger::writeAccount(const Account& account, bool unstored)
{
    const Result<Done, KeychainError> saved =
        unstored ? m_keychain.addAccount(account) : m_keychain.saveAccount(account);
    if (saved.ok()) {
        m_stored.insert(account.id);
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

void AccountLedger::removeItem(const QUuid& id)
{
    const Result<Done, KeychainError> deleted = m_keychain.deleteAccountItem(uuidText(id));
    if (deleted.ok()) {
        m_stored.remove(id);
        m_pendingDeletes.removeAll(id);
        noteOutcome(std::nullopt);
        return;
    }
    if (!m_pendingDeletes.contains(id))
        m_pendingDeletes.append(id);
    m_deleteError = deleted.error().description();
    noteOutcome(deleted.error());
}

void AccountLedger::writeOrder()
{
    // Before a load the list is only what was added meanwhile; the stored order must stay.
    if (!m_loaded)
        return;
    const Result<Done, KeychainError> saved = m_keychain.saveOrder(accountIds());
    m_orderUnsaved = !saved.ok();
    noteOutcome(saved.ok() ? std::nullopt : std::optional<KeychainError>(saved.error()));
}

bool AccountLedger::retryPending(bool orderFollows)
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

QList<QUuid> AccountLedger::accountIds() const
{
    return idsOf(m_accounts);
}
