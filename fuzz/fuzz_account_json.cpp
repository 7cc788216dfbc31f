// SPDX-License-Identifier: GPL-3.0-or-later
// Account JSON reading: no crash for any input, and whatever decodes must write back and
// read again as an equal value (a stored account that can be read but not saved again would
// lose its next counter update).

#include "core/account.h"
#include "core/account_json.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkAccount(const Account& account)
{
    const std::optional<QByteArray> encoded = encodeAccount(account);
    require(encoded.has_value());
    require(decodeAccount(*encoded) == account);
    // Any stored digits, period and date must give a code or the placeholder, never a fault.
    (void)account.code(account.createdAt);
    (void)account.code(instantFromSeconds(static_cast<double>(account.counter)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    if (const std::optional<Account> account = decodeAccount(bytes))
        checkAccount(*account);

    if (const std::optional<QList<Account>> accounts = decodeAccountList(bytes)) {
        for (const Account& account : *accounts)
            checkAccount(account);
        const std::optional<QByteArray> encoded = encodeAccountList(*accounts);
        require(encoded.has_value());
        require(decodeAccountList(*encoded) == *accounts);
    }

    if (const std::optional<QList<QUuid>> ids = decodeUUIDList(bytes))
        require(decodeUUIDList(encodeUUIDList(*ids)) == *ids);
    return 0;
}
