// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/account_json.h"
#include "storage/keychain_store.h"
#include "support/fake_secure_item_store.h"
#include "support/test_accounts.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Op = FakeSecureItemStore::Operation;
using namespace SecureItemStatusCode;

const QString service = KeychainStore::serviceIdentifier.toString();
const QString legacyService = KeychainStore::legacyServiceIdentifier.toString();
const QString orderKey = u"order.v1"_s;
const QString legacyKey = u"accounts.v1"_s;

const Account a = testAccount(u"a"_s, u"Issuer"_s, "secret-a");
const Account b = testAccount(u"b"_s, {}, "secret-b");
const Account c = testAccount(u"c"_s, u"Issuer"_s, "secret-c");

SecureItem stored(const std::optional<QString>& key, const std::optional<QByteArray>& value,
                  const QString& label = {})
{
    return {key, value, label, {}};
}

SecureItem item(const Account& account, const std::optional<QString>& key = {})
{
    return stored(key.value_or(uuidText(account.id)), encodeAccount(account));
}

SecureItem orderItem(const QList<QUuid>& ids)
{
    return stored(orderKey, encodeUUIDList(ids));
}

TEST(KeychainStoreAssembly, OrderedAccountsFirstThenTheRestInStoreOrderSkippingUnreadableItems)
{
    Account newer = a;
    newer.counter = 2;
    Account otherId = b;
    otherId.id = QUuid::createUuid();
    const struct
    {
        const char* what;
        QList<SecureItem> items;
        QList<Account> expected;
    } cases[] = {
        {"order names some", {item(a), item(b), item(c), orderItem({b.id, a.id})}, {b, a, c}},
        {"stray order entries",
         {orderItem({QUuid::createUuid(), c.id}), item(b), item(c), item(a)},
         {c, b, a}},
        {"repeated order entry", {item(a), item(b), orderItem({a.id, b.id, a.id})}, {a, b}},
        {"unreadable order keeps the earlier one",
         {item(a), item(b), orderItem({b.id, a.id}), stored(orderKey, "[\"x\"]")},
         {b, a}},
        {"unreadable items",
         {item(a), stored(u"ORDER.V1"_s, encodeUUIDList({a.id})), item(b, u"not-a-uuid"_s),
          stored(uuidText(c.id), "{\"id\":"), stored(std::nullopt, encodeAccount(c)),
          stored(uuidText(c.id), std::nullopt), item(b)},
         {a, b}},
        {"later item of a key wins", {item(a), item(newer)}, {newer}},
        {"a key in either letter case", {item(newer, uuidText(a.id).toLower())}, {newer}},
        {"the key decides the id", {item(otherId, uuidText(b.id))}, {b}},
    };
    for (const auto& row : cases)
        EXPECT_EQ(KeychainStore::assembleAccounts(row.items).accounts, row.expected) << row.what;
}

TEST(KeychainStoreAssembly, UnreadableItemsAreNamedAndForeignKeysNoted)
{
    Account older = a;
    older.counter = 5;
    const QString lower = uuidText(a.id).toLower();
    const KeychainStore::Assembly assembly = KeychainStore::assembleAccounts({
        stored(uuidText(c.id), "{\"id\":", u"Brisvane: broken"_s),
        stored(std::nullopt, encodeAccount(c)),
        stored(u"ORDER.V1"_s, "[]"),
        item(a),
        item(older, lower),
        item(b, uuidText(b.id).toLower()),
    });
    EXPECT_EQ(assembly.unreadable, (QStringList{u"Brisvane: broken"_s, u"(unnamed item)"_s, u"ORDER.V1"_s}));
    EXPECT_EQ(assembly.accounts, (QList<Account>{a, b})) << "the canonical item wins over a foreign copy";
    ASSERT_EQ(assembly.foreignKeys.size(), 1);
    EXPECT_EQ(assembly.foreignKeys[0].second, uuidText(b.id).toLower());
    EXPECT_EQ(assembly.supersededKeys, QStringList{lower});
}

class KeychainStoreTest : public ::testing::Test
{
protected:
    void seedLegacy(const QByteArray& value) { m_items.seed(legacyService, legacyKey, value); }

    QList<Account> load() { return m_store.loadAccounts().value().accounts; }

    FakeSecureItemStore m_items;
    KeychainStore m_store{m_items};
};

TEST_F(KeychainStoreTest, FailuresCarryTheStatusButAMissingItemIsDeletedAlready)
{
    m_items.setFailure(Op::update, locked);
    EXPECT_EQ(m_store.saveAccount(a).error(), KeychainError::unhandled(locked));
    EXPECT_EQ(m_items.writeCount(), 1) << "no add after a real update failure";
    m_items.clearFailures();
    m_items.setFailure(Op::add, failure);
    EXPECT_EQ(m_store.saveOrder({a.id}).error().description(), u"Keychain error: -26276"_s);

    EXPECT_TRUE(m_store.deleteAccountItem(uuidText(a.id)).ok());
    m_items.setFailure(Op::remove, notAvailable);
    EXPECT_EQ(m_store.deleteAccountItem(uuidText(a.id)).error(), KeychainError::unhandled(notAvailable));
}

TEST_F(KeychainStoreTest, LegacyListBecomesItemsAndOrderThenGoes)
{
    m_items.seed(service, uuidText(c.id), *encodeAccount(c));
    seedLegacy(*encodeAccountList({b, a}));
    EXPECT_EQ(load(), (QList<Account>{b, a, c}));
    EXPECT_EQ(m_items.count(legacyService, legacyKey), 0);

    m_items.clearCalls();
    EXPECT_EQ(load(), (QList<Account>{b, a, c}));
    EXPECT_EQ(m_items.writeCount(), 0) << "nothing left to migrate";

    // An empty list empties the order too, leaving the accounts in store order.
    seedLegacy("[]");
    EXPECT_EQ(load(), (QList<Account>{c, b, a}));
}

TEST_F(KeychainStoreTest, LegacyFailuresFailTheLoadAndKeepTheLegacyItem)
{
    seedLegacy(*encodeAccountList({a, b}));
    const struct
    {
        Op operation;
        QString key;
        SecureItemStatus status;
    } failures[] = {
        {Op::copyAll, {}, notAvailable}, {Op::add, uuidText(b.id), failure}, {Op::add, orderKey, locked}};
    for (const auto& f : failures) {
        m_items.clearFailures();
        m_items.setFailure(f.operation, f.status, f.key);
        const auto loaded = m_store.loadAccounts();
        ASSERT_FALSE(loaded.ok()) << f.status;
        EXPECT_EQ(loaded.error(), KeychainError::unhandled(f.status));
        EXPECT_EQ(m_items.count(legacyService, legacyKey), 1);
    }

    // Once everything is in the new layout, a failed delete of the legacy item does not matter.
    m_items.clearFailures();
    m_items.setFailure(Op::removeItem, failure);
    EXPECT_EQ(load(), (QList<Account>{a, b}));
    m_items.clearFailures();
    EXPECT_EQ(load(), (QList<Account>{a, b}));
    EXPECT_EQ(m_items.count(legacyService, legacyKey), 0);
}

// What cannot be read stays for a later version; an unreadable list alone writes nothing.
TEST_F(KeychainStoreTest, EveryLegacyListIsMigratedAndOnlyTheReadOnesGo)
{
    QByteArray oneBad = *encodeAccountList({a, b});
    oneBad.replace("\"secret\"", "\"secrets\"");
    seedLegacy(oneBad);
    EXPECT_TRUE(load().isEmpty());
    EXPECT_EQ(m_items.writeCount(), 0);

    Account sameCredential = a;
    sameCredential.id = QUuid::createUuid();
    seedLegacy(*encodeAccountList({b, a}));
    seedLegacy("not a list");
    seedLegacy(*encodeAccountList({sameCredential, c, b}));
    EXPECT_EQ(load(), (QList<Account>{b, a, c}));
    ASSERT_EQ(m_items.count(legacyService, legacyKey), 2);
    EXPECT_EQ(m_items.value(legacyService, legacyKey), oneBad);
}

TEST_F(KeychainStoreTest, ItemsUnderAForeignKeyMoveToTheCanonicalKey)
{
    const QString lower = uuidText(a.id).toLower();
    m_items.seed(service, lower, *encodeAccount(a));
    m_items.setFailure(Op::add, locked);
    EXPECT_FALSE(m_store.loadAccounts().ok()) << "an adoption that fails is tried again later";
    EXPECT_EQ(m_items.count(service, lower), 1);
    m_items.clearFailures();
    m_items.setFailure(Op::remove, locked);
    EXPECT_FALSE(m_store.loadAccounts().ok());
    m_items.clearFailures();
    EXPECT_EQ(load(), QList<Account>{a}) << "two copies after a failed delete are one account";
    EXPECT_EQ(m_items.count(service, lower), 0);
    EXPECT_EQ(m_items.count(service, uuidText(a.id)), 1);
}

} // namespace
