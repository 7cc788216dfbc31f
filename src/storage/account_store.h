// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "storage/keychain_error.h"
#include "storage/keychain_store.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <optional>

class SecureItemStore;

// The single in-memory owner of the ordered account list. Every change is written
// through to the secure store at once; the outcome of the latest storage call is kept
// in lastError(). Accounts whose item could not be written, and deleted accounts whose item
// could not be removed, are remembered and tried again at every later storage call, so a
// keyring hiccup neither loses an account nor brings a deleted one back.
//
// Until a load has succeeded (the keyring may be locked at start-up) the list holds only
// what was added meanwhile: the order record is not written, and every storage call that
// succeeds is followed by another attempt to load.
class AccountStore : public QObject
{
    Q_OBJECT
public:
    // Loads at once (reload()). The item store must outlive this object.
    explicit AccountStore(SecureItemStore& items, QObject* parent = nullptr);

    const QList<Account>& accounts() const { return m_accounts; }
    // Views may rearrange the list (drag reorder) and must then call saveOrder().
    void setAccounts(const QList<Account>& accounts);

    const std::optional<QString>& lastError() const { return m_lastError; }
    // Labels of the items the latest load skipped because they could not be read; they are
    // left in the store as they are.
    const QStringList& unreadableItems() const { return m_unreadable; }
    bool hasLoaded() const { return m_loaded; }

    // True while some account exists only in memory because its item could not be written.
    bool hasUnsavedAccounts() const;
    // Those accounts, in list order (for a warning before quitting).
    QList<Account> unsavedAccounts() const;
    // Deleted accounts whose items are still stored (they would come back at the next start).
    int pendingDeleteCount() const { return static_cast<int>(m_pendingDeletes.size()); }
    // Tries the remembered writes and deletes once more (before quitting).
    void retryPendingChanges();

    void reload();
    // Loads only if no load has succeeded yet.
    void reloadIfNeeded();
    // Control characters are dropped from the names and issuers of the new accounts.
    void addAccounts(const QList<Account>& candidates);
    void deleteAccount(const QUuid& id);
    void moveAccount(const QUuid& source, const QUuid& target);
    void incrementCounter(const Account& account);
    // Changes the two texts of an account (its secret and parameters stay) and stores it.
    void renameAccount(const QUuid& id, const QString& issuer, const QString& name);
    void saveOrder();

Q_SIGNALS:
    void accountsChanged();
    void lastErrorChanged();
    void unreadableItemsChanged();

private:
    void setAccountList(const QList<Account>& accounts);
    // Records the outcome of one storage call in lastError.
    void noteOutcome(const std::optional<KeychainError>& error);
    void writeAccount(const Account& account);
    void removeItem(const QUuid& id);
    void writeOrder();
    void load(bool writeOrderAfter);
    // Ends a call: writes the order record when the list has been loaded, else tries to load
    // when asked to or when the latest storage call worked.
    void finish(bool orderChanged);
    // Writes and deletes what earlier calls could not, before a new storage call; the order
    // record too unless the caller writes it next anyway. True when some account got saved.
    bool retryPending(bool orderFollows);
    QList<QUuid> accountIds() const;

    KeychainStore m_keychain;
    QList<Account> m_accounts;
    std::optional<QString> m_lastError;
    QStringList m_unreadable;
    bool m_loaded = false;
    bool m_lastCallSucceeded = false;
    // Accounts whose latest value is not in the secure store yet.
    QList<QUuid> m_unsaved;
    // The description of the latest failed write of an unsaved account.
    QString m_unsavedError;
    // Deleted accounts whose item is still in the store, and why the latest delete failed.
    QList<QUuid> m_pendingDeletes;
    QString m_deleteError;
    bool m_orderUnsaved = false;
};
