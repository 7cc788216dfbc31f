#include "storage/account_store.h"

#include "core/uuid_text.h"

#include <algorithm>

namespace {

qsizetype indexOfId(const QList<Account>& accounts, const QUuid& id)
{
    const auto it =
        std::find_if(accounts.begin(), accounts.end(), [&](const Account& a) { return a.id == id; });
    return it == accounts.end() ? -1 : it - accounts.begin();
}

bool isDuplicate(const QList<Account>& accounts, const Account& candidate)
{
    return std::any_of(accounts.begin(), accounts.end(), [&](const Account& a) {
        return a.secret == candidate.secret && a.name == candidate.name && a.issuer == candidate.issuer;
    });
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

void AccountStore::reload()
{
    // Accounts the store does not hold yet must survive the reload. The order is written
    // after loading: the list in memory may be a stand-in after a failed load.
    const QList<Account> pending = unsavedAccounts();
    const bool savedSome = retryUnsaved(true);
    Result<QList<Account>, KeychainError> loaded = m_keychain.loadAccounts();
    m_orderUnsaved = false;
    if (!loaded.ok()) {
        noteOutcome(loaded.error());
        setAccountList(pending);
        return;
    }
    QList<Account> accounts = std::move(loaded).value();
    for (const Account& account : pending) {
        if (const qsizetype at = indexOfId(accounts, account.id); at >= 0)
            accounts[at] = account;
        else
            accounts.append(account);
    }
    setAccountList(accounts);
    noteOutcome(std::nullopt);
    if (savedSome)
        writeOrder();
}

void AccountStore::addAccounts(const QList<Account>& candidates)
{
    QList<Account> accounts = m_accounts;
    QList<Account> added;
    for (const Account& candidate : candidates) {
        if (isDuplicate(accounts, candidate))
            continue;
        accounts.append(candidate);
        added.append(candidate);
    }
    if (added.isEmpty())
        return;
    setAccountList(accounts);

    retryUnsaved(true);
    for (const Account& account : added)
        writeAccount(account);
    writeOrder();
}

void AccountStore::deleteAccount(const QUuid& id)
{
    QList<Account> accounts = m_accounts;
    accounts.removeIf([&](const Account& a) { return a.id == id; });
    m_unsaved.removeAll(id);
    setAccountList(accounts);

    retryUnsaved(true);
    const Result<Done, KeychainError> deleted = m_keychain.deleteAccountItem(uuidText(id));
    if (!deleted.ok()) {
        noteOutcome(deleted.error());
        return;
    }
    noteOutcome(std::nullopt);
    writeOrder();
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

    retryUnsaved(true);
    writeOrder();
}

void AccountStore::incrementCounter(const Account& account)
{
    if (account.type != OTPType::hotp)
        return;
    const qsizetype at = indexOfId(m_accounts, account.id);
    if (at < 0)
        return;
    retryUnsaved(false);
    QList<Account> accounts = m_accounts;
    // Unsigned arithmetic: the largest counter wraps to 0.
    accounts[at].counter += 1;
    setAccountList(accounts);
    writeAccount(m_accounts[at]);
}

void AccountStore::renameAccount(const QUuid& id, const QString& issuer, const QString& name)
{
    const qsizetype at = indexOfId(m_accounts, id);
    if (at < 0 || (m_accounts[at].issuer == issuer && m_accounts[at].name == name))
        return;
    retryUnsaved(false);
    QList<Account> accounts = m_accounts;
    accounts[at].issuer = issuer;
    accounts[at].name = name;
    setAccountList(accounts);
    writeAccount(m_accounts[at]);
}

void AccountStore::saveOrder()
{
    retryUnsaved(true);
    writeOrder();
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
    std::optional<QString> next;
    if (error)
        next = error->description();
    else if (hasUnsavedAccounts())
        next = m_unsavedError; // a success elsewhere does not make an unsaved account safe
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
    if (!m_unsaved.contains(account.id))
        m_unsaved.append(account.id);
    m_unsavedError = saved.error().description();
    noteOutcome(saved.error());
}

void AccountStore::writeOrder()
{
    const Result<Done, KeychainError> saved = m_keychain.saveOrder(accountIds());
    m_orderUnsaved = !saved.ok();
    noteOutcome(saved.ok() ? std::nullopt : std::optional<KeychainError>(saved.error()));
}

bool AccountStore::retryUnsaved(bool orderFollows)
{
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
