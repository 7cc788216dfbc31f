#pragma once

#include "core/account.h"
#include "storage/keychain_error.h"
#include "storage/keychain_store.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>
#include <optional>

class SecureItemStore;

// The single in-memory owner of the ordered account list. Every change is written
// through to the secure store at once; the outcome of the latest storage call is kept
// in lastError(). Accounts whose item could not be written are remembered and written
// again at every later storage call, so a keyring hiccup never loses an account.
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

    // True while some account exists only in memory because its item could not be written.
    bool hasUnsavedAccounts() const;
    // Those accounts, in list order (for a warning before quitting).
    QList<Account> unsavedAccounts() const;

    void reload();
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

private:
    void setAccountList(const QList<Account>& accounts);
    // Records the outcome of one storage call in lastError.
    void noteOutcome(const std::optional<KeychainError>& error);
    void writeAccount(const Account& account);
    void writeOrder();
    // Writes what earlier calls could not, before a new storage call; the order record too
    // unless the caller writes it next anyway. True when some account got saved.
    bool retryUnsaved(bool orderFollows);
    QList<QUuid> accountIds() const;

    KeychainStore m_keychain;
    QList<Account> m_accounts;
    std::optional<QString> m_lastError;
    // Accounts whose latest value is not in the secure store yet.
    QList<QUuid> m_unsaved;
    // The description of the latest failed write of an unsaved account.
    QString m_unsavedError;
    bool m_orderUnsaved = false;
};
