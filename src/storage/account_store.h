#pragma once

#include "core/account.h"

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

    void reload();
    void addAccounts(const QList<Account>& candidates);
    void deleteAccount(const QUuid& id);
    void moveAccount(const QUuid& source, const QUuid& target);
    void incrementCounter(const Account& account);
    void saveOrder();

Q_SIGNALS:
    void accountsChanged();
    void lastErrorChanged();

private:
    // (private members are the storage layer's own business)
    SecureItemStore& m_items;
    QList<Account> m_accounts;
    std::optional<QString> m_lastError;
};
