#include "storage/keychain_store.h"

#include "core/account_json.h"
#include "support/fake_secure_item_store.h"
#include "test_accounts.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Op = FakeSecureItemStore::Operation;
using namespace SecureItemStatusCode;

const QString service = KeychainStore::serviceIdentifier.toString();
const QString legacyService = KeychainStore::legacyServiceIdentifier.toString();
const QString orderKey = QStringLiteral("order.v1");
const QString legacyKey = QStringLiteral("accounts.v1");

class KeychainStoreTest : public ::testing::Test
{
protected:
    void seedAccount(const Account& account) { m_items.seed(service, uuidText(account.id), *encodeAccount(account)); }
    void seedOrder(const QList<QUuid>& ids) { m_items.seed(service, orderKey, encodeUUIDList(ids)); }

    QList<Account> load()
    {
        auto loaded = m_store.loadAccounts();
        EXPECT_TRUE(loaded.ok());
        return loaded.ok() ? loaded.value() : QList<Account>();
    }

    std::optional<QList<QUuid>> storedOrder() const
    {
        const auto bytes = m_items.value(service, orderKey);
        return bytes ? decodeUUIDList(*bytes) : std::nullopt;
    }

    FakeSecureItemStore m_items;
    KeychainStore m_store{m_items};
    Account a = testAccount(QStringLiteral("a"), QStringLiteral("Issuer"), "secret-a");
    Account b = testAccount(QStringLiteral("b"), {}, "secret-b");
    Account c = testAccount(QStringLiteral("c"), QStringLiteral("Issuer"), "secret-c");
};

TEST(KeychainErrorTest, DescriptionsAreTheFixedTexts)
{
    EXPECT_EQ(KeychainError::unhandled(-25308).description(), QStringLiteral("Keychain error: -25308"));
    EXPECT_EQ(KeychainError::unhandled(-25291).description(), QStringLiteral("Keychain error: -25291"));
    EXPECT_EQ(KeychainError::decodingFailed().description(), QStringLiteral("Failed to decode accounts."));
    EXPECT_EQ(KeychainError::encodingFailed().description(), QStringLiteral("Failed to encode accounts."));
}

TEST_F(KeychainStoreTest, EmptyStoreLoadsAsEmptyList)
{
    EXPECT_TRUE(load().isEmpty());
}

TEST_F(KeychainStoreTest, FirstSaveAddsThenLaterSavesUpdateInPlace)
{
    ASSERT_TRUE(m_store.saveAccount(a).ok());
    ASSERT_EQ(m_items.calls().size(), 2);
    EXPECT_EQ(m_items.calls()[0].operation, Op::update);
    EXPECT_EQ(m_items.calls()[1].operation, Op::add);
    EXPECT_EQ(m_items.calls()[1].account, uuidText(a.id));
    EXPECT_EQ(m_items.label(service, uuidText(a.id)), QStringLiteral("Brisvane: Issuer: a"));

    m_items.clearCalls();
    a.counter = 7;
    ASSERT_TRUE(m_store.saveAccount(a).ok());
    ASSERT_EQ(m_items.calls().size(), 1);
    EXPECT_EQ(m_items.calls()[0].operation, Op::update);
    EXPECT_EQ(m_items.count(service, uuidText(a.id)), 1);
    EXPECT_EQ(decodeAccount(*m_items.value(service, uuidText(a.id))), a);
}

TEST_F(KeychainStoreTest, UpdateReplacesEveryItemOfTheKey)
{
    // An item may exist twice (written by another tool); both must carry the new value.
    seedAccount(a);
    seedAccount(a);
    a.counter = 3;
    ASSERT_TRUE(m_store.saveAccount(a).ok());
    for (const auto& item : m_items.items())
        EXPECT_EQ(decodeAccount(*item.value)->counter, 3u);
}

TEST_F(KeychainStoreTest, WriteFailuresCarryTheStatus)
{
    m_items.setFailure(Op::update, locked);
    auto saved = m_store.saveAccount(a);
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error(), KeychainError::unhandled(locked));
    EXPECT_EQ(m_items.writeCount(), 1) << "no add after a real update failure";

    m_items.clearFailures();
    m_items.setFailure(Op::add, failure);
    saved = m_store.saveOrder({a.id});
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().description(), QStringLiteral("Keychain error: -26276"));
}

TEST_F(KeychainStoreTest, UnencodableAccountFailsWithEncodingError)
{
    a.createdAt = instantFromSeconds(std::numeric_limits<double>::infinity());
    const auto saved = m_store.saveAccount(a);
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error(), KeychainError::encodingFailed());
    EXPECT_EQ(m_items.writeCount(), 0);
}

TEST_F(KeychainStoreTest, DeletingMissingItemSucceedsOtherFailuresDoNot)
{
    EXPECT_TRUE(m_store.deleteAccountItem(uuidText(a.id)).ok());
    seedAccount(a);
    EXPECT_TRUE(m_store.deleteAccountItem(uuidText(a.id)).ok());
    EXPECT_EQ(m_items.count(service, uuidText(a.id)), 0);

    m_items.setFailure(Op::remove, notAvailable);
    const auto deleted = m_store.deleteAccountItem(uuidText(b.id));
    ASSERT_FALSE(deleted.ok());
    EXPECT_EQ(deleted.error(), KeychainError::unhandled(notAvailable));
}

TEST_F(KeychainStoreTest, OrderRecordPlacesNamedAccountsFirst)
{
    seedAccount(a);
    seedAccount(b);
    seedAccount(c);
    seedOrder({b.id, a.id});
    EXPECT_EQ(namesOf(load()), (QList<QString>{u"b"_s, u"a"_s, u"c"_s}));
}

TEST_F(KeychainStoreTest, StrayOrderEntriesAddNothingAndUnnamedItemsFollowInStoreOrder)
{
    seedOrder({QUuid::createUuid(), c.id, QUuid::createUuid()});
    seedAccount(b);
    seedAccount(c);
    seedAccount(a);
    EXPECT_EQ(namesOf(load()), (QList<QString>{u"c"_s, u"b"_s, u"a"_s}));
}

TEST_F(KeychainStoreTest, RepeatedIdInOrderRecordGivesTheAccountOnce)
{
    seedAccount(a);
    seedAccount(b);
    seedOrder({a.id, b.id, a.id});
    EXPECT_EQ(namesOf(load()), (QList<QString>{u"a"_s, u"b"_s}));
}

TEST_F(KeychainStoreTest, UnreadableItemsAreSkippedAndKept)
{
    seedAccount(a);
    m_items.seed(service, QStringLiteral("ORDER.V1"), encodeUUIDList({a.id}));
    m_items.seed(service, QStringLiteral("not-a-uuid"), *encodeAccount(b));
    m_items.seed(service, uuidText(c.id), "{\"broken\":");
    m_items.seedItem({service, std::nullopt, *encodeAccount(b), {}});
    m_items.seedItem({service, uuidText(b.id), std::nullopt, {}});
    seedAccount(b);
    const QList<Account> loaded = load();
    EXPECT_EQ(namesOf(loaded), (QList<QString>{u"a"_s, u"b"_s}));
    EXPECT_EQ(m_items.writeCount(), 0) << "loading never writes or deletes";
    EXPECT_EQ(m_items.items().size(), 7);
}

TEST_F(KeychainStoreTest, UnreadableOrderRecordKeepsTheEarlierOne)
{
    seedAccount(a);
    seedAccount(b);
    seedOrder({b.id, a.id});
    m_items.seed(service, orderKey, "[\"nope\"]");
    EXPECT_EQ(namesOf(load()), (QList<QString>{u"b"_s, u"a"_s}));
}

TEST_F(KeychainStoreTest, LaterItemOfTheSameKeyWinsAndKeyCaseDoesNotMatter)
{
    Account older = a;
    older.counter = 1;
    Account newer = a;
    newer.counter = 2;
    m_items.seed(service, uuidText(a.id), *encodeAccount(older));
    m_items.seed(service, uuidText(a.id).toLower(), *encodeAccount(newer));
    const QList<Account> loaded = load();
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].counter, 2u);
}

TEST_F(KeychainStoreTest, ItemKeyDecidesTheIdSoTheItemStaysAddressable)
{
    Account mislabelled = a;
    mislabelled.id = QUuid::createUuid();
    m_items.seed(service, uuidText(a.id), *encodeAccount(mislabelled));
    const QList<Account> loaded = load();
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0].id, a.id);
}

TEST_F(KeychainStoreTest, FetchFailureFailsTheLoad)
{
    seedAccount(a);
    m_items.setFailure(Op::copyAll, locked);
    const auto loaded = m_store.loadAccounts();
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.error().description(), QStringLiteral("Keychain error: -25308"));
}

TEST_F(KeychainStoreTest, LegacyListBecomesItemsAndOrderThenGoes)
{
    seedAccount(c);
    m_items.seed(legacyService, legacyKey, *encodeAccountList({b, a}));
    EXPECT_EQ(namesOf(load()), (QList<QString>{u"b"_s, u"a"_s, u"c"_s}));
    EXPECT_EQ(m_items.count(legacyService, legacyKey), 0);
    EXPECT_EQ(storedOrder(), (QList<QUuid>{b.id, a.id}));
    EXPECT_EQ(decodeAccount(*m_items.value(service, uuidText(a.id))), a);
    EXPECT_EQ(m_items.label(service, uuidText(b.id)), QStringLiteral("Brisvane: b"));

    m_items.clearCalls();
    EXPECT_EQ(namesOf(load()), (QList<QString>{u"b"_s, u"a"_s, u"c"_s}));
    EXPECT_EQ(m_items.writeCount(), 0) << "nothing left to migrate";
}

TEST_F(KeychainStoreTest, EmptyLegacyListWritesEmptyOrderAndGoes)
{
    seedOrder({a.id});
    seedAccount(a);
    m_items.seed(legacyService, legacyKey, "[]");
    EXPECT_EQ(namesOf(load()), (QList<QString>{u"a"_s}));
    EXPECT_EQ(storedOrder(), QList<QUuid>());
    EXPECT_EQ(m_items.count(legacyService, legacyKey), 0);
}

TEST_F(KeychainStoreTest, InvalidLegacyListStaysAndLoadingContinues)
{
    seedAccount(a);
    QByteArray oneBad = *encodeAccountList({b});
    oneBad.replace("\"secret\"", "\"secrets\"");
    m_items.seed(legacyService, legacyKey, oneBad);
    EXPECT_EQ(namesOf(load()), (QList<QString>{u"a"_s}));
    EXPECT_EQ(m_items.count(legacyService, legacyKey), 1);
    EXPECT_EQ(m_items.writeCount(), 0);
}

TEST_F(KeychainStoreTest, LegacyFailuresFailTheLoadAndKeepTheLegacyItem)
{
    seedAccount(c);
    m_items.seed(legacyService, legacyKey, *encodeAccountList({a, b}));

    m_items.setFailure(Op::copyOne, notAvailable);
    auto loaded = m_store.loadAccounts();
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.error(), KeychainError::unhandled(notAvailable));

    m_items.clearFailures();
    m_items.setFailure(Op::add, failure, uuidText(b.id));
    loaded = m_store.loadAccounts();
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.error(), KeychainError::unhandled(failure));
    EXPECT_EQ(m_items.count(legacyService, legacyKey), 1);
    EXPECT_EQ(m_items.count(service, uuidText(a.id)), 1) << "accounts written before the failure stay";

    m_items.clearFailures();
    m_items.setFailure(Op::add, failure, orderKey);
    EXPECT_FALSE(m_store.loadAccounts().ok());
    EXPECT_EQ(m_items.count(legacyService, legacyKey), 1);

    m_items.clearFailures();
    EXPECT_EQ(namesOf(load()), (QList<QString>{u"a"_s, u"b"_s, u"c"_s}));
    EXPECT_EQ(m_items.count(legacyService, legacyKey), 0);
}

TEST_F(KeychainStoreTest, FailedLegacyDeleteIsIgnored)
{
    m_items.seed(legacyService, legacyKey, *encodeAccountList({a}));
    m_items.setFailure(Op::remove, failure);
    EXPECT_EQ(namesOf(load()), (QList<QString>{u"a"_s}));
}

TEST_F(KeychainStoreTest, LargestCounterSurvivesTheRoundTrip)
{
    a.type = OTPType::hotp;
    a.counter = std::numeric_limits<std::uint64_t>::max();
    ASSERT_TRUE(m_store.saveAccount(a).ok());
    EXPECT_EQ(load(), QList<Account>{a});
}

} // namespace
