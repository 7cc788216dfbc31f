// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "storage/keychain_error.h"
#include "storage/keychain_store.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <functional>
#include <optional>

class SecureItemStore;

// The account list as the secure store holds it, and every rule of writing it: each change is
// written through at once; accounts whose item could not be written, and deleted accounts whose
// item could not be removed, are remembered and tried again at every later storage call, so a
// keyring hiccup neither loses an account nor brings a deleted one back.
//
// Until a load has succeeded (the keyring may be locked at start-up) the list holds only what
// was added meanwhile: the order record is not written, and every storage call that succeeds is
// followed by another attempt to load.
//
// Every call may wait on the keyring; AccountStore runs them where that blocks nobody.
class AccountLedger
{
public:
    // What the views need to know after a call.
    struct State
    {
        QList<Account> accounts;
        std::optional<QString> lastError;
        QStringList unreadable;
        bool loaded = false;
        // Accounts whose latest value is not in the store yet; deleted accounts still stored.
        QList<QUuid> unsaved;
        QList<QUuid> pendingDeletes;
    };
    // Told after each account an add has written (or failed to write): how many of how many.
    using Progress = std::function<void(int done, int total)>;

    // Loads nothing yet. The item store must outlive this object.
    explicit AccountLedger(SecureItemStore& items) : m_keychain(items) {}

    State state() const;

    // Takes the order of the given list (see arranged()).
    void setAccounts(const QList<Account>& accounts);
    void reload();
    void reloadIfNeeded();
    void addAccounts(const QList<Account>& candidates, const Progress& progress = {});
    void deleteAccount(const QUuid& id);
    void moveAccount(const QUuid& source, const QUuid& target);
    void incrementCounter(const Account& account);
    void renameAccount(const QUuid& id, const QString& issuer, const QString& name);
    void saveOrder();
    void retryPendingChanges();

    // The list steps, shared with the views' copy of the list so both change alike.
    // The candidates that are new to the list, without control characters in their texts.
    static QList<Account> newAccounts(const QList<Account>& candidates, const QList<Account>& existing);
    // The list with source just before target; nothing when that changes nothing.
    static std::optional<QList<Account>> moved(const QList<Account>& accounts, const QUuid& source,
                                               const QUuid& target);
    // The HOTP account with its counter one on (wrapping); nothing when it is not listed.
    static std::optional<QList<Account>> incremented(const QList<Account>& accounts, const Account& account);
    // The list with those two texts changed; nothing when it changes nothing.
    static std::optional<QList<Account>> renamed(const QList<Account>& accounts, const QUuid& id,
                                                 const QString& issuer, const QString& name);
    // The current accounts in the order of the given list.
    static QList<Account> arranged(const QList<Account>& order, const QList<Account>& current);

private:
    bool hasUnsavedAccounts() const;
    QList<Account> unsavedAccounts() const;
    // Records the outcome of one storage call in lastError.
    void noteOutcome(const std::optional<KeychainError>& error);
    // `unstored`: the account is known to have no item yet, so it is added without a search.
    void writeAccount(const Account& account, bool unstored = false);
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
    QList<QUuid> m_unsaved;
    // The description of the latest failed write of an unsaved account.
    QString m_unsavedError;
    // Deleted accounts whose item is still in the store, and why the latest delete failed.
    QList<QUuid> m_pendingDeletes;
    QString m_deleteError;
    bool m_orderUnsaved = false;
    // Accounts known to have an item: found by the latest load or written since.
    QSet<QUuid> m_stored;
};
