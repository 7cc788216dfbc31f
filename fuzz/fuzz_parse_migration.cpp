// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the export decoder twice: as the raw payload, and as link text.
#include "import/migration_payload.h"
#include "import/parse_migration.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void checkAccounts(const QList<Account>& accounts)
{
    for (const Account& account : accounts) {
        if (account.secret.isEmpty() || (account.digits != 6 && account.digits != 8) || account.period != 30)
            std::abort();
        (void)account.code(currentInstant());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkAccounts(OTPAuth::decodeMigrationPayload(bytes));

    const auto result = OTPAuth::parseMigration(QString::fromUtf8(bytes));
    if (result.ok())
        checkAccounts(result.value());
    return 0;
}
