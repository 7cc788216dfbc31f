// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/account_store.h"

#include "storage/keychain_worker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSet>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <utility>

AccountStore::AccountStore(SecureItemStore& items, QObject* parent) : AccountStore(items, Calls::here, parent)
{
}

AccountStore::AccountStore(SecureItemStore& items, Calls calls, QObject* parent)
    : QObject(parent), m_ledger(std::make_unique<AccountLedger>(items))
{
    if (calls == Calls::onWorkerThread) {
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("keyring"));
        m_worker = new KeychainWorker(*m_ledger);
        m_worker->moveToThread(m_thread);
        connect(m_worker, &KeychainWorker::answered, this, &AccountStore::takeAnswer);
        connect(m_worker, &KeychainWorker::progressed, this, &AccountStore::noteProgress);
        m_answerTimer = new QTimer(this);
        m_answerTimer->setSingleShot(true);
        m_answerTimer->setInterval(answerTime);
        connect(m_answerTimer, &QTimer::timeout, this, [this] { setResponding(false); });
        m_thread->start();
    }
    reload();
}

AccountStore::~AccountStore()
{
    if (m_thread == nullptr)
        return;
    // What is on its way gets its chance to land, unless the keyring has stopped answering
    // (the quit rule has waited for it already); the answers are no longer of interest.
    disconnect(m_worker, nullptr, this, nullptr);
    const bool done = m_worker->waitFor(m_made, m_responding ? answerTime : std::chrono::milliseconds(0));
    m_thread->quit();
    if (done && m_thread->wait()) {
        delete m_worker;
        delete m_thread;
        return;
    }
    // The thread is inside a keyring call that may never return: it keeps the ledger, and
    // the process ending ends it.
    (void)m_ledger.release();
}

void AccountStore::setAccounts(const QList<Account>& accounts)
{
    setAccountList(AccountLedger::arranged(accounts, m_accounts));
    call([accounts](AccountLedger& ledger, const auto&) { ledger.setAccounts(accounts); });
}

bool AccountStore::hasUnsavedAccounts() const
{
    return std::any_of(m_accounts.begin(), m_accounts.end(), [&](const Account& account) {
        return m_state.unsaved.contains(account.id) || m_writing.contains(account.id);
    });
}

QList<Account> AccountStore::unsavedAccounts() const
{
    QList<Account> result;
    for (const Account& account : m_accounts) {
        if (m_state.unsaved.contains(account.id) || m_writing.contains(account.id))
            result.append(account);
    }
    return result;
}

int AccountStore::pendingDeleteCount() const
{
    QSet<QUuid> ids(m_state.pendingDeletes.begin(), m_state.pendingDeletes.end());
    for (auto it = m_deleting.begin(); it != m_deleting.end(); ++it)
        ids.insert(it.key());
    return static_cast<int>(ids.size());
}

void AccountStore::retryPendingChanges(std::chrono::milliseconds wait)
{
    call([](AccountLedger& ledger, const auto&) { ledger.retryPendingChanges(); });
    waitForAnswers(wait);
}

bool AccountStore::waitForAnswers(std::chrono::milliseconds wait)
{
    if (m_worker == nullptr || !isBusy())
        return true;
    m_worker->waitFor(m_made, wait);
    // The answers are queued for this thread; take them now rather than at the next turn.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    return !isBusy();
}

void AccountStore::reload()
{
    call([](AccountLedger& ledger, const auto&) { ledger.reload(); });
}

void AccountStore::reloadIfNeeded()
{
    if (!m_state.loaded)
        call([](AccountLedger& ledger, const auto&) { ledger.reloadIfNeeded(); });
}

// The list here changes at once where it can. The call goes to the ledger all the same: the
// list here may not show the latest load yet, and the ledger decides by its own list.
void AccountStore::addAccounts(const QList<Account>& candidates)
{
    const QList<Account> added = AccountLedger::newAccounts(candidates, m_accounts);
    if (candidates.isEmpty())
        return;
    setAccountList(m_accounts + added);
    call([candidates](AccountLedger& ledger,
                      const AccountLedger::Progress& progress) { ledger.addAccounts(candidates, progress); },
         idsOf(added));
}

void AccountStore::deleteAccount(const QUuid& accountId)
{
    const QUuid id = accountId; // may refer into the list, which is about to change
    QList<Account> accounts = m_accounts;
    accounts.removeIf([&](const Account& a) { return a.id == id; });
    setAccountList(accounts);
    // Also when it is not listed: its item may be stored all the same.
    call([id](AccountLedger& ledger, const auto&) { ledger.deleteAccount(id); }, {}, {id});
}

void AccountStore::moveAccount(const QUuid& sourceId, const QUuid& targetId)
{
    // Copies: the ids may refer into the list, which is about to change.
    const QUuid source = sourceId;
    const QUuid target = targetId;
    if (source == target)
        return;
    if (const std::optional<QList<Account>> accounts = AccountLedger::moved(m_accounts, source, target))
        setAccountList(*accounts);
    call([source, target](AccountLedger& ledger, const auto&) { ledger.moveAccount(source, target); });
}

void AccountStore::incrementCounter(const Account& accountRef)
{
    const Account account = accountRef; // may refer into the list, which is about to change
    if (account.type != OTPType::hotp)
        return;
    const std::optional<QList<Account>> accounts = AccountLedger::incremented(m_accounts, account);
    if (accounts)
        setAccountList(*accounts);
    call([account](AccountLedger& ledger, const auto&) { ledger.incrementCounter(account); },
         accounts ? QList<QUuid>{account.id} : QList<QUuid>{});
}

void AccountStore::renameAccount(const QUuid& accountId, const QString& newIssuer, const QString& newName)
{
    // Copies: the arguments may refer into the list, which is about to change.
    const QUuid id = accountId;
    const QString issuer = newIssuer; // NOLINT(performance-unnecessary-copy-initialization): see above
    const QString name = newName;     // NOLINT(performance-unnecessary-copy-initialization): see above
    const std::optional<QList<Account>> accounts = AccountLedger::renamed(m_accounts, id, issuer, name);
    if (accounts)
        setAccountList(*accounts);
    call([id, issuer, name](AccountLedger& ledger, const auto&) { ledger.renameAccount(id, issuer, name); },
         accounts ? QList<QUuid>{id} : QList<QUuid>{});
}

void AccountStore::saveOrder()
{
    call([](AccountLedger& ledger, const auto&) { ledger.saveOrder(); });
}

void AccountStore::call(Job job, const QList<QUuid>& writes, const QList<QUuid>& deletes)
{
    const quint64 number = ++m_made;
    for (const QUuid& id : writes)
        m_writing.insert(id, number);
    for (const QUuid& id : deletes)
        m_deleting.insert(id, number);
    if (m_worker == nullptr) {
        job(*m_ledger, [this](int done, int total) { Q_EMIT addProgress(done, total); });
        takeAnswer(number, m_ledger->state());
        return;
    }
    if (!m_answerTimer->isActive())
        m_answerTimer->start();
    m_worker->post(number, std::move(job));
}

void AccountStore::takeAnswer(quint64 call, const AccountLedger::State& state)
{
    m_answered = std::max(m_answered, call);
    m_writing.removeIf([&](const auto& entry) { return entry.value() <= call; });
    m_deleting.removeIf([&](const auto& entry) { return entry.value() <= call; });
    const bool errorChanged = state.lastError != m_state.lastError;
    const bool unreadableChanged = state.unreadable != m_state.unreadable;
    m_state = state;
    m_state.accounts.clear();
    // Calls made since have changed the list here already; the last answer brings it all.
    if (call == m_made)
        setAccountList(state.accounts);
    if (unreadableChanged)
        Q_EMIT unreadableItemsChanged();
    if (errorChanged)
        Q_EMIT lastErrorChanged();
    if (m_worker != nullptr) {
        setResponding(true);
        if (isBusy())
            m_answerTimer->start();
        else
            m_answerTimer->stop();
    }
    if (!isBusy())
        Q_EMIT answered();
}

void AccountStore::noteProgress(int done, int total)
{
    setResponding(true);
    m_answerTimer->start();
    Q_EMIT addProgress(done, total);
}

void AccountStore::setAccountList(const QList<Account>& accounts)
{
    if (accounts == m_accounts)
        return;
    m_accounts = accounts;
    Q_EMIT accountsChanged();
}

void AccountStore::setResponding(bool responding)
{
    if (responding == m_responding)
        return;
    m_responding = responding;
    Q_EMIT keyringRespondingChanged();
}
