// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "storage/account_ledger.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QThread;
class QTimer;
class SecureItemStore;
class KeychainWorker;

// The single in-memory owner of the ordered account list, and the one way the program changes
// its accounts. Every change shows in the list at once and is written through to the secure
// store by the rules of AccountLedger; lastError() is the outcome of the latest storage call.
//
// With Calls::onWorkerThread the keyring is only ever waited on by a thread of its own: calls
// return at once, are carried out in the order they were made, and the list, errors and
// unsaved accounts follow as they are answered. A keyring that has not answered for a while is
// reported by isKeyringResponding(). Calls::here waits for every answer (command-line tools).
class AccountStore : public QObject
{
    Q_OBJECT
public:
    enum class Calls
    {
        here,
        onWorkerThread
    };
    // How long a keyring may take to answer before it counts as not responding.
    static constexpr std::chrono::milliseconds answerTime{2000};

    // Loads at once (reload()). The item store must outlive this object.
    explicit AccountStore(SecureItemStore& items, QObject* parent = nullptr);
    AccountStore(SecureItemStore& items, Calls calls, QObject* parent = nullptr);
    ~AccountStore() override;

    const QList<Account>& accounts() const { return m_accounts; }
    // Views may rearrange the list (drag reorder) and must then call saveOrder().
    void setAccounts(const QList<Account>& accounts);

    const std::optional<QString>& lastError() const { return m_state.lastError; }
    // Labels of the items the latest load skipped because they could not be read; they are
    // left in the store as they are.
    const QStringList& unreadableItems() const { return m_state.unreadable; }
    bool hasLoaded() const { return m_state.loaded; }

    // True while some account exists only in memory: its item could not be written, or its
    // write has not been answered yet.
    bool hasUnsavedAccounts() const;
    // Those accounts, in list order (for a warning before quitting).
    QList<Account> unsavedAccounts() const;
    // Deleted accounts whose items are still stored (they would come back at the next start).
    int pendingDeleteCount() const;
    // Tries the remembered writes and deletes once more (before quitting) and waits for the
    // keyring's answers, at most `wait`; what is still unanswered then counts as unsaved.
    void retryPendingChanges(std::chrono::milliseconds wait = answerTime);

    // False once a storage call has waited longer than answerTime; true again at the next answer.
    bool isKeyringResponding() const { return m_responding; }
    // Storage calls made and not answered yet.
    bool isBusy() const { return m_answered < m_made; }
    // Waits at most `wait` for every call made so far; true when all are answered.
    bool waitForAnswers(std::chrono::milliseconds wait);

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
    void keyringRespondingChanged();
    // How far the writes of the latest addAccounts have got.
    void addProgress(int done, int total);
    // Every call made so far has been answered.
    void answered();

private:
    using Job = std::function<void(AccountLedger&, const AccountLedger::Progress&)>;

    // Hands a call to the ledger; `writes` and `deletes` name the accounts it stores or removes.
    void call(Job job, const QList<QUuid>& writes = {}, const QList<QUuid>& deletes = {});
    void takeAnswer(quint64 call, const AccountLedger::State& state);
    void noteProgress(int done, int total);
    void setAccountList(const QList<Account>& accounts);
    void setResponding(bool responding);

    std::unique_ptr<AccountLedger> m_ledger;
    QThread* m_thread = nullptr;
    KeychainWorker* m_worker = nullptr;
    QTimer* m_answerTimer = nullptr;
    QList<Account> m_accounts;
    AccountLedger::State m_state;
    quint64 m_made = 0;
    quint64 m_answered = 0;
    // Accounts written or deleted by calls not answered yet, with the latest such call.
    QHash<QUuid, quint64> m_writing;
    QHash<QUuid, quint64> m_deleting;
    bool m_responding = true;
};
