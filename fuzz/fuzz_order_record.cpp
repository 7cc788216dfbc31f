// SPDX-License-Identifier: GPL-3.0-or-later
// The keyring items of the service as anyone may have left them: order records and account
// items under any key, readable or not. Loading must never crash, never list an account
// twice, list only accounts some item holds, and follow the order record.
#include "core/account_json.h"
#include "core/uuid_text.h"
#include "platform/secure_item_store.h"
#include "storage/keychain_store.h"

#include <QSet>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

QByteArray bytesFrom(FuzzedDataProvider& input)
{
    return QByteArray::fromStdString(input.ConsumeRandomLengthString(256));
}

// A few ids, so that keys, order entries and values often meet.
QUuid poolId(FuzzedDataProvider& input)
{
    static const QUuid pool[] = {QUuid::fromString(u"0A1B2C3D-4E5F-4061-8273-94A5B6C7D8E9"),
                                 QUuid::fromString(u"11111111-2222-4333-8444-555555555555"),
                                 QUuid::fromString(u"aaaaaaaa-bbbb-4ccc-8ddd-eeeeeeeeeeee")};
    return pool[input.ConsumeIntegralInRange<int>(0, 2)];
}

SecureItem nextItem(FuzzedDataProvider& input)
{
    SecureItem item;
    switch (input.ConsumeIntegralInRange<int>(0, 4)) {
    case 0: { // an order record, often a readable one
        item.account = QString::fromLatin1(KeychainStore::orderKey.toLatin1());
        QList<QUuid> ids;
        for (int n = input.ConsumeIntegralInRange<int>(0, 4); n > 0; --n)
            ids.append(poolId(input));
        item.value = input.ConsumeBool() ? encodeUUIDList(ids) : bytesFrom(input);
        break;
    }
    case 1:
    case 2: { // an account under its key in either letter case, maybe another id inside
        const QUuid id = poolId(input);
        item.account = input.ConsumeBool() ? uuidText(id) : uuidText(id).toLower();
        Account account;
        account.id = poolId(input);
        account.name = QString::fromUtf8(bytesFrom(input));
        account.secret = bytesFrom(input);
        account.counter = input.ConsumeIntegral<std::uint64_t>();
        item.value = encodeAccount(account).value_or(bytesFrom(input));
        break;
    }
    case 3: // anything at all
        item.account = QString::fromUtf8(bytesFrom(input));
        item.value = bytesFrom(input);
        break;
    default: // attributes or value missing
        if (input.ConsumeBool())
            item.account = uuidText(poolId(input));
        else
            item.value = bytesFrom(input);
        break;
    }
    item.label = QString::fromUtf8(bytesFrom(input));
    return item;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    QList<SecureItem> items;
    while (input.remaining_bytes() > 0 && items.size() < 32)
        items.append(nextItem(input));

    const KeychainStore::Assembly assembly = KeychainStore::assembleAccounts(items);
    require(assembly.accounts.size() + assembly.unreadable.size() <= items.size());

    QSet<QUuid> listed;
    QSet<QUuid> stored;
    QList<QUuid> order;
    for (const SecureItem& item : items) {
        if (!item.account || !item.value)
            continue;
        if (const std::optional<QUuid> id = parseUUID(*item.account))
            stored.insert(*id);
        if (*item.account == KeychainStore::orderKey) {
            if (const std::optional<QList<QUuid>> ids = decodeUUIDList(*item.value))
                order = *ids;
        }
    }
    for (const Account& account : assembly.accounts) {
        require(!listed.contains(account.id));
        require(stored.contains(account.id));
        listed.insert(account.id);
    }
    // The accounts the order record names come first, in its order.
    QList<QUuid> named;
    for (const QUuid& id : order) {
        if (listed.contains(id) && !named.contains(id))
            named.append(id);
    }
    for (qsizetype i = 0; i < named.size(); ++i)
        require(assembly.accounts[i].id == named[i]);
    for (const auto& [account, key] : assembly.foreignKeys)
        require(key != uuidText(account.id) && parseUUID(key) == account.id);
    return 0;
}
