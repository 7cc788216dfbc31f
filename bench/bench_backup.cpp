// SPDX-License-Identifier: GPL-3.0-or-later
// Restoring a 500-account encrypted Aegis vault into the real keyring, and exporting it again,
// beside their floors: the scrypt key derivation at the format's default cost, and the keyring
// writes of 500 accounts. Runs only inside tools/private-session: it fills and empties the keyring.
#include "bench_accounts.h"
#include "import/formats/aegis_vault.h"
#include "import/formats/backup_crypto.h"
#include "import/formats/backup_reader.h"
#include "import/formats/unused_ids.h"
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
const QString password = QStringLiteral("correct horse battery staple");

QList<Account> benchAccounts()
{
    QList<Account> accounts;
    for (int i = 0; i < accountCount; ++i) {
        Account account = benchAccount(i);
        account.type = i % 10 == 0 ? OTPType::hotp : OTPType::totp;
        accounts.append(account);
    }
    return accounts;
}

void clearService()
{
    QProcess::execute(QStringLiteral("secret-tool"), {QStringLiteral("clear"), QStringLiteral("service"),
                                                      KeychainStore::serviceIdentifier.toString()});
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("BRISVANE_PRIVATE_SESSION")) {
        std::fprintf(stderr,
                     "bench_backup: run it inside tools/private-session, never on your own keyring\n");
        return 2;
    }
    const QList<Account> accounts = benchAccounts();
    const QByteArray vault = AegisVault::write(accounts, password);
    const QByteArray salt = BackupCrypto::randomBytes(32);
    const double scrypt = medianMilliseconds(
        [&] { BackupCrypto::scrypt(password.toUtf8(), salt, BackupCrypto::ScryptCost{}, 32); }, 5);
    int read = 0;
    const double decrypt =
        medianMilliseconds([&] { read = int(readBackup(vault, password).value().accounts.size()); }, 5);
    const double exportTime = medianMilliseconds([&] { AegisVault::write(accounts, password); }, 5);

    SecretServiceItemStore items;
    clearService();
    double writes = 0;
    {
        AccountStore store(items);
        writes = medianMilliseconds([&] { store.addAccounts(accounts); });
    }
    clearService();
    int restored = 0;
    double import = 0;
    {
        AccountStore store(items);
        import = medianMilliseconds([&] {
            const ImportedAccounts imported = readBackup(vault, password).value();
        store.addAccounts(withUnusedIds(imported.accounts, store.accounts()));
        restored = int(store.accounts().size());
    });
}
clearService();
if (read != accountCount || restored != accountCount) {
    std::fprintf(stderr, "bench_backup: read %d and restored %d of %d accounts\n", read, restored,
                 accountCount);
    return 1;
}
const double floor = scrypt + writes;
std::printf("encrypted Aegis vault of %d accounts (scrypt N=32768 r=8 p=1; medians of 5, keyring once)\n",
            accountCount);
std::printf("  scrypt key derivation alone           %8.1f ms\n", scrypt);
std::printf("  read and decrypt the vault            %8.1f ms\n", decrypt);
std::printf("  keyring writes of %d accounts alone  %8.1f ms\n", accountCount, writes);
std::printf("  import into the keyring (all of it)   %8.1f ms  = %.2fx scrypt + writes\n", import,
            import / floor);
std::printf("  export (encrypt, one scrypt)          %8.1f ms  = %.2fx scrypt\n", exportTime,
            exportTime / scrypt);
std::printf("  target within 1.3x: import %s, export %s\n", import / floor <= 1.3 ? "met" : "NOT met",
            exportTime / scrypt <= 1.3 ? "met" : "NOT met");
return 0;
}
