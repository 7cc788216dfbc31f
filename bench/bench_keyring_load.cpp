// SPDX-License-Identifier: GPL-3.0-or-later
// Loading 500 accounts from the real keyring, against `secret-tool search --all` over the
// same items. Runs only inside tools/private-session: it fills and empties the keyring.
#include "bench_accounts.h"
#include "core/account_json.h"
#include "core/uuid_text.h"
#include "platform/secret_service/secret_service_item_store.h"
#include "storage/account_store.h"
#include "storage/keychain_store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int accountCount = 500;
constexpr int rounds = 5;

const QString service = KeychainStore::serviceIdentifier.toString();

bool clearService()
{
    return QProcess::execute(QStringLiteral("secret-tool"),
                             {QStringLiteral("clear"), QStringLiteral("service"), service}) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("BRISVANE_PRIVATE_SESSION")) {
        std::fprintf(stderr,
                     "bench_keyring_load: run it inside tools/private-session, never on your own keyring\n");
        return 2;
    }
    clearService();

    SecretServiceItemStore items;
    KeychainStore keychain(items);
    QList<QUuid> order;
    QElapsedTimer filling;
    filling.start();
    for (int i = 0; i < accountCount; ++i) {
        const Account account = benchAccount(i);
        const QByteArray json = *encodeAccount(account);
        if (items.add(service, uuidText(account.id), json, KeychainStore::itemLabel(account)) != 0) {
            std::fprintf(stderr, "bench_keyring_load: could not store account %d\n", i);
            return 1;
        }
        order.prepend(account.id);
    }
    if (!keychain.saveOrder(order).ok())
        return 1;
    const double fillSeconds = static_cast<double>(filling.elapsed()) / 1000.0;

    // The first call also opens the encrypted session with the keyring.
    const QElapsedTimer firstTimer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    keychain.loadAccounts();
    const double firstLoad = static_cast<double>(firstTimer.nsecsElapsed()) / 1e6;

    int loaded = 0;
    const double keychainLoad = medianMilliseconds(
        [&] {
            const auto result = keychain.loadAccounts();
            loaded = result.ok() ? static_cast<int>(result.value().accounts.size()) : -1;
            if (!result.ok())
                std::fprintf(stderr, "bench_keyring_load: %s\n", qPrintable(result.error().description()));
        },
        rounds);
    if (loaded != accountCount) {
        std::fprintf(stderr, "bench_keyring_load: loaded %d accounts, expected %d\n", loaded, accountCount);
        return 1;
    }
    AccountStore store(items);
    const double storeReload = medianMilliseconds([&] { store.reload(); }, rounds);
    // Where the time goes: the keyring round trips, then turning items into accounts.
    QList<SecureItem> fetched;
    const double fetchOnly = medianMilliseconds([&] { fetched = items.copyAll(service).value(); }, rounds);
    const double assembleOnly = medianMilliseconds([&] { KeychainStore::assembleAccounts(fetched); }, rounds);

    qint64 peerBytes = 0;
    const double peer = medianMilliseconds(
        [&] {
            QProcess tool;
            tool.start(QStringLiteral("secret-tool"), {QStringLiteral("search"), QStringLiteral("--all"),
                                                       QStringLiteral("service"), service});
            tool.waitForFinished(60000);
            peerBytes = tool.readAllStandardOutput().size();
        },
        rounds);

    std::printf("keyring load of %d accounts (median of %d; filling took %.1f s)\n", accountCount, rounds,
                fillSeconds);
    std::printf("  KeychainStore::loadAccounts          %8.1f ms  (first call %.1f ms)\n", keychainLoad,
                firstLoad);
    std::printf("  AccountStore::reload                 %8.1f ms\n", storeReload);
    std::printf("    of which item store copyAll        %8.1f ms\n", fetchOnly);
    std::printf("    of which JSON decode and ordering  %8.1f ms\n", assembleOnly);
    std::printf("  peer: secret-tool search --all       %8.1f ms  (%lld bytes of output)\n", peer,
                static_cast<long long>(peerBytes));
    std::printf("  ratio peer / loadAccounts            %8.2fx\n", peer / keychainLoad);
    std::printf("  target under 300 ms: %s\n", keychainLoad < 300.0 ? "met" : "NOT met");

    clearService();
    return 0;
}
