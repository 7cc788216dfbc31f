// SPDX-License-Identifier: GPL-3.0-or-later
// Adding 1,000 accounts to the real keyring, against 1,000 bare item writes; and how long the
// window's thread is held up by the import and by a keyring that stops answering for 3 s, with
// the keyring called on that thread and on the store's own thread. Runs only inside
// tools/private-session: it fills, empties and stops the keyring.
#include "bench_accounts.h"
#include "core/account_json.h"
#include "core/uuid_text.h"
#include "platform/secret_service/secret_service_item_store.h"
#include "storage/account_store.h"
#include "storage/keychain_store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <thread>

namespace {

constexpr int accountCount = 1000;
constexpr std::chrono::milliseconds stopTime{3000};

const QString service = KeychainStore::serviceIdentifier.toString();

QList<Account> benchAccounts()
{
    QList<Account> accounts;
    for (int i = 0; i < accountCount; ++i)
        accounts.append(benchAccount(i));
    return accounts;
}

// Item by item: one request for a thousand items outlasts the bus's timeout.
void clearService(SecureItemStore& items)
{
    const auto found = items.copyAll(service);
    for (const SecureItem& item : found.ok() ? found.value() : QList<SecureItem>())
        items.removeItem(item.handle);
}

pid_t keyringPid()
{
    QProcess tool;
    tool.start(QStringLiteral(BRISVANE_SOURCE_DIR "/tools/keyring"), {QStringLiteral("pid")});
    tool.waitForFinished(10000);
    return tool.readAllStandardOutput().trimmed().toInt();
}

struct Held
{
    double total = 0;      // ms until every call was answered
    double longestGap = 0; // ms the thread could not turn its event loop
};

// Runs `work` on this thread with a 10 ms ticker, then turns the loop until the store rests.
Held measure(AccountStore& store, const std::function<void()>& work)
{
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    double longest = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    ticker.start(10);
    clock.start();
    sinceTick.start();
    work();
    longest = std::max(longest, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
    QEventLoop loop;
    QObject::connect(&store, &AccountStore::answered, &loop, &QEventLoop::quit);
    if (store.isBusy())
        loop.exec();
    return {static_cast<double>(clock.nsecsElapsed()) / 1e6, longest};
}

// The keyring stops answering for stopTime while a store adds one account.
Held stoppedKeyring(AccountStore& store, pid_t keyring)
{
    Account account = benchAccounts().first();
    account.name = QStringLiteral("added while stopped %1").arg(store.accounts().size());
    ::kill(keyring, SIGSTOP);
    std::thread waker([keyring] {
        std::this_thread::sleep_for(stopTime);
        ::kill(keyring, SIGCONT);
    });
    const Held held = measure(store, [&] {
        store.addAccounts({account});
        // Time for the window to notice, as a user would.
        QEventLoop idle;
        QTimer::singleShot(stopTime + std::chrono::milliseconds(200), &idle, &QEventLoop::quit);
        idle.exec();
    });
    waker.join();
    return held;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("BRISVANE_PRIVATE_SESSION")) {
        std::fprintf(
            stderr, "bench_keyring_writes: run it inside tools/private-session, never on your own keyring\n");
        return 2;
    }
    const pid_t keyring = keyringPid();
    if (keyring <= 0) {
        std::fprintf(stderr, "bench_keyring_writes: no keyring on the session bus\n");
        return 1;
    }
    SecretServiceItemStore items;
    const QList<Account> accounts = benchAccounts();
    clearService(items);
    QElapsedTimer rawTimer;
    rawTimer.start();
    for (const Account& account : accounts) {
        if (items.add(service, uuidText(account.id), *encodeAccount(account),
                      KeychainStore::itemLabel(account)) != 0) {
            std::fprintf(stderr, "bench_keyring_writes: a bare write failed\n");
            return 1;
        }
    }
    const double raw = static_cast<double>(rawTimer.nsecsElapsed()) / 1e6;

    Held before;
    Held after;
    {
        clearService(items);
        AccountStore store(items);
        before = measure(store, [&] { store.addAccounts(accounts); });
    }
    int stored = 0;
    {
        clearService(items);
        AccountStore store(items, AccountStore::Calls::onWorkerThread);
        store.waitForAnswers(std::chrono::seconds(30));
        after = measure(store, [&] { store.addAccounts(accounts); });
        stored = static_cast<int>(KeychainStore(items).loadAccounts().value().accounts.size());
    }
    if (stored != accountCount) {
        std::fprintf(stderr, "bench_keyring_writes: %d of %d accounts stored\n", stored, accountCount);
        return 1;
    }

    Held stoppedBefore;
    Held stoppedAfter;
    clearService(items);
    {
        AccountStore store(items);
        stoppedBefore = stoppedKeyring(store, keyring);
    }
    {
        AccountStore store(items, AccountStore::Calls::onWorkerThread);
        store.waitForAnswers(std::chrono::seconds(30));
        stoppedAfter = stoppedKeyring(store, keyring);
    }
    clearService(items);

    std::printf("adding %d accounts to the keyring (once each)\n", accountCount);
    std::printf("  peer: %d bare item writes                 %8.1f ms\n", accountCount, raw);
    std::printf("  keyring called on the window's thread:\n");
    std::printf("    all stored after                         %8.1f ms  = %.2fx the bare writes\n",
                before.total, before.total / raw);
    std::printf("    window's thread held up at most          %8.1f ms\n", before.longestGap);
    std::printf("  keyring called on the store's own thread:\n");
    std::printf("    all stored after                         %8.1f ms  = %.2fx the bare writes\n",
                after.total, after.total / raw);
    std::printf("    window's thread held up at most          %8.1f ms\n", after.longestGap);
    std::printf("keyring stopped for %lld ms while one account is added\n",
                static_cast<long long>(stopTime.count()));
    std::printf("  window's thread held up, keyring called there         %8.1f ms\n",
                stoppedBefore.longestGap);
    std::printf("  window's thread held up, keyring on the store's thread %8.1f ms\n",
                stoppedAfter.longestGap);
    std::printf("  target under 100 ms: %s\n",
                stoppedAfter.longestGap < 100 && after.longestGap < 100 ? "met" : "NOT met");
    return 0;
}
