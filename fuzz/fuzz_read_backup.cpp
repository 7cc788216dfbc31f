// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary files to the backup reader: every outcome is a result or a failure with a
// message, never a crash, and every account it accepts can make codes.
#include "import/formats/backup_reader.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Without a password: hostile key-derivation costs must not turn each run into seconds.
    const auto result = readBackup(bytes);
    if (!result.ok()) {
        if (importFailureMessage(result.error()).isEmpty())
            std::abort();
        return 0;
    }
    for (const Account& account : result.value().accounts) {
        if (account.secret.isEmpty() || account.digits < 1 || account.digits > 9 || account.period < 1)
            std::abort();
        (void)account.code(currentInstant());
    }
    return 0;
}
