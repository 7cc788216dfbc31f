#include "storage/account_store.h"

#include "core/account_json.h"
#include "storage/keychain_store.h"
#include "support/fake_secure_item_store.h"
#include "test_accounts.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

using Op = FakeSecureItemStore::Operation;
using namespace SecureItemStatusCode;

const QString service = KeychainStore::serviceIdentifier.toString();
const QString orderKey = u"order.v1"_s;

class AccountStoreTest : public ::testing::Test
{
protected:
    AccountStore& open()
    {
        m_store = std::make_unique<AccountStore>(m_items);
        m_items.clearCalls();
        return *m_store;
    }

    // What a fresh start would see.
    QList<Account> persisted()
    {
        KeychainStore keychain(m_items);
        auto loaded = keychain.loadAccounts();
        return loaded.ok() ? loaded.value() : QList<Account>();
    }

    std::optional<QList<QUuid>> storedOrder() const
    {
        const auto bytes = m_items.value(service, orderKey);
        return bytes ? decodeUUIDList(*bytes) : std::nullopt;
    }

    void seed(const QList<Account>& accounts)
    {
        KeychainStore keychain(m_items);
        for (const Account& account : accounts)
            ASSERT_TRUE(keychain.saveAccount(account).ok());
        ASSERT_TRUE(keychain.saveOrder(idsOf(accounts)).ok());
        m_items.clearCalls();
    }

    FakeSecureItemStore m_items;
    std::unique_ptr<AccountStore> m_store;
    Account a = testAccount(u"A"_s, u"Issuer"_s, "secret-a");
    Account b = testAccount(u"B"_s, {}, "secret-b");
    Account c = testAccount(u"C"_s, u"Issuer"_s, "secret-c");
    Account d = testAccount(u"D"_s, {}, "secret-d");
};

// --- loading ---

TEST_F(AccountStoreTest, CreationLoadsTheStoredList)
{
    seed({b, a});
    AccountStore& store = open();
    EXPECT_EQ(store.accounts(), (QList<Account>{b, a}));
    EXPECT_FALSE(store.lastError());
    EXPECT_FALSE(store.hasUnsavedAccounts());
}

TEST_F(AccountStoreTest, LoadFailureGivesEmptyListAndTheMessage)
{
    seed({a});
    m_items.setFailure(Op::copyAll, locked);
    AccountStore& store = open();
    EXPECT_TRUE(store.accounts().isEmpty());
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);

    m_items.clearFailures();
    store.reload();
    EXPECT_EQ(store.accounts(), QList<Account>{a});
    EXPECT_FALSE(store.lastError());
}

TEST_F(AccountStoreTest, LegacyMigrationFailureFailsTheLoad)
{
    seed({a});
    m_items.seed(KeychainStore::legacyServiceIdentifier.toString(), u"accounts.v1"_s, "[]");
    m_items.setFailure(Op::update, failure, orderKey);
    AccountStore& store = open();
    EXPECT_TRUE(store.accounts().isEmpty());
    EXPECT_EQ(store.lastError(), u"Keychain error: -26276"_s);
}

// --- adding ---

TEST_F(AccountStoreTest, AddWritesEachNewAccountAndTheOrder)
{
    seed({a});
    AccountStore& store = open();
    QSignalSpy changed(&store, &AccountStore::accountsChanged);
    store.addAccounts({b, c});
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b, c}));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(persisted(), (QList<Account>{a, b, c}));
    EXPECT_EQ(storedOrder(), (QList<QUuid>{a.id, b.id, c.id}));
    EXPECT_FALSE(store.lastError());
}

TEST_F(AccountStoreTest, DuplicatesAreSecretNameAndIssuer)
{
    AccountStore& store = open();
    Account sameAgain = a;
    sameAgain.id = QUuid::createUuid();
    sameAgain.digits = 8; // not compared
    Account otherIssuer = a;
    otherIssuer.id = QUuid::createUuid();
    otherIssuer.issuer = u"Other"_s;
    Account otherCase = a;
    otherCase.id = QUuid::createUuid();
    otherCase.name = u"a"_s;
    Account otherSecret = a;
    otherSecret.id = QUuid::createUuid();
    otherSecret.secret = "secret-A";

    store.addAccounts({a, sameAgain, otherIssuer, otherCase, otherSecret});
    EXPECT_EQ(store.accounts(), (QList<Account>{a, otherIssuer, otherCase, otherSecret}));
    EXPECT_EQ(persisted().size(), 4);
}

TEST_F(AccountStoreTest, AddingNothingNewTouchesNoStorageAndKeepsTheError)
{
    seed({a});
    AccountStore& store = open();
    m_items.setFailure(Op::update, locked, orderKey);
    store.saveOrder();
    ASSERT_EQ(store.lastError(), u"Keychain error: -25308"_s);
    m_items.clearFailures();
    m_items.clearCalls();

    Account duplicate = a;
    duplicate.id = QUuid::createUuid();
    store.addAccounts({});
    store.addAccounts({duplicate});
    EXPECT_TRUE(m_items.calls().isEmpty());
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);
    EXPECT_EQ(store.accounts(), QList<Account>{a});
}

TEST_F(AccountStoreTest, UnencodableAccountReportsEncodingFailureAndStays)
{
    AccountStore& store = open();
    Account broken = b;
    broken.createdAt = instantFromSeconds(std::numeric_limits<double>::quiet_NaN());
    store.addAccounts({broken});
    EXPECT_EQ(store.accounts().size(), 1);
    EXPECT_EQ(store.lastError(), u"Failed to encode accounts."_s);
    EXPECT_TRUE(store.hasUnsavedAccounts());
}

// --- an account whose item could not be written ---

TEST_F(AccountStoreTest, FailedWriteKeepsTheAccountAndTheErrorUntilItIsSaved)
{
    seed({a});
    AccountStore& store = open();
    QSignalSpy errors(&store, &AccountStore::lastErrorChanged);
    m_items.setFailure(Op::add, locked, uuidText(b.id));
    store.addAccounts({b, c});

    EXPECT_EQ(store.accounts(), (QList<Account>{a, b, c}));
    EXPECT_TRUE(store.hasUnsavedAccounts());
    EXPECT_EQ(store.unsavedAccounts(), QList<Account>{b});
    // The order write after it succeeded, yet the account is still only in memory.
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);
    EXPECT_EQ(errors.count(), 1);
    EXPECT_EQ(persisted(), (QList<Account>{a, c}));

    // An unrelated successful call does not hide the unsaved account.
    store.moveAccount(c.id, a.id);
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);
    EXPECT_TRUE(store.hasUnsavedAccounts());

    // Once the keyring accepts it, the next storage call writes it and puts it in its place.
    m_items.clearFailures();
    store.moveAccount(a.id, c.id);
    EXPECT_FALSE(store.hasUnsavedAccounts());
    EXPECT_FALSE(store.lastError());
    EXPECT_EQ(persisted(), store.accounts());
    EXPECT_EQ(namesOf(persisted()), (QList<QString>{u"A"_s, u"C"_s, u"B"_s}));
}

TEST_F(AccountStoreTest, RetriedWriteAlsoRewritesTheOrderWhenTheCallDoesNot)
{
    AccountStore& store = open();
    m_items.setFailure(Op::add, failure, uuidText(a.id));
    Account hotp = testHotpAccount(u"H"_s, 1);
    store.addAccounts({hotp, a});
    ASSERT_TRUE(store.hasUnsavedAccounts());

    m_items.clearFailures();
    store.incrementCounter(hotp);
    EXPECT_FALSE(store.hasUnsavedAccounts());
    EXPECT_FALSE(store.lastError());
    EXPECT_EQ(storedOrder(), (QList<QUuid>{hotp.id, a.id}));
    EXPECT_EQ(persisted(), store.accounts());
}

TEST_F(AccountStoreTest, ReloadKeepsAccountsTheStoreDoesNotHoldYet)
{
    seed({a});
    AccountStore& store = open();
    m_items.setFailure(Op::add, locked, uuidText(b.id));
    store.addAccounts({b});

    store.reload();
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b}));
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);

    m_items.setFailure(Op::copyAll, notAvailable);
    store.reload();
    EXPECT_EQ(store.accounts(), QList<Account>{b}) << "a failed load must not drop the only copy";
    EXPECT_EQ(store.lastError(), u"Keychain error: -25291"_s);

    m_items.clearFailures();
    store.reload();
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b}));
    EXPECT_FALSE(store.lastError());
    EXPECT_FALSE(store.hasUnsavedAccounts());
}

TEST_F(AccountStoreTest, DeletingAnUnsavedAccountForgetsIt)
{
    AccountStore& store = open();
    m_items.setFailure(Op::add, locked, uuidText(a.id));
    store.addAccounts({a});
    ASSERT_TRUE(store.hasUnsavedAccounts());
    store.deleteAccount(a.id);
    EXPECT_FALSE(store.hasUnsavedAccounts());
    EXPECT_FALSE(store.lastError());
    EXPECT_TRUE(store.accounts().isEmpty());
}

// --- deleting ---

TEST_F(AccountStoreTest, DeleteThenReloadStaysDeleted)
{
    seed({a, b, c});
    AccountStore& store = open();
    store.deleteAccount(b.id);
    EXPECT_EQ(store.accounts(), (QList<Account>{a, c}));
    EXPECT_EQ(storedOrder(), (QList<QUuid>{a.id, c.id}));
    store.reload();
    EXPECT_EQ(store.accounts(), (QList<Account>{a, c}));
}

TEST_F(AccountStoreTest, FailedDeleteStopsBeforeTheOrderAndTheAccountReturnsOnReload)
{
    seed({a, b, c});
    AccountStore& store = open();
    m_items.setFailure(Op::remove, locked);
    store.deleteAccount(b.id);
    EXPECT_EQ(store.accounts(), (QList<Account>{a, c}));
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);
    EXPECT_EQ(storedOrder(), (QList<QUuid>{a.id, b.id, c.id}));

    m_items.clearFailures();
    store.reload();
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b, c}));
}

TEST_F(AccountStoreTest, DeletingAnUnknownIdStillDeletesItsItemAndRewritesTheOrder)
{
    seed({a});
    const QUuid stray = QUuid::createUuid();
    m_items.seed(service, uuidText(stray), *encodeAccount(b));
    AccountStore& store = open();
    m_items.clearCalls();
    store.deleteAccount(c.id);
    EXPECT_EQ(m_items.writeCount(), 2);
    EXPECT_FALSE(store.lastError());
    store.deleteAccount(stray);
    EXPECT_EQ(m_items.count(service, uuidText(stray)), 0);
    EXPECT_EQ(storedOrder(), QList<QUuid>{a.id});
}

// --- moving ---

struct MoveCase
{
    const char* source;
    const char* target;
    const char* expected;
};

class AccountStoreMoveTest : public AccountStoreTest, public ::testing::WithParamInterface<MoveCase>
{
};

TEST_P(AccountStoreMoveTest, MovedAccountEndsJustBeforeTheTarget)
{
    seed({a, b, c, d});
    AccountStore& store = open();
    const auto byName = [&](char name) {
        for (const Account& account : store.accounts()) {
            if (account.name == QString(QLatin1Char(name)))
                return account.id;
        }
        return QUuid();
    };
    store.moveAccount(byName(GetParam().source[0]), byName(GetParam().target[0]));
    QString names;
    for (const Account& account : store.accounts())
        names += account.name;
    EXPECT_EQ(names, QString::fromLatin1(GetParam().expected));
    EXPECT_EQ(storedOrder(), idsOf(store.accounts()));
}

INSTANTIATE_TEST_SUITE_P(Examples, AccountStoreMoveTest,
                         ::testing::Values(MoveCase{"A", "C", "BACD"}, MoveCase{"D", "B", "ADBC"},
                                           MoveCase{"B", "C", "ABCD"}, MoveCase{"C", "B", "ACBD"},
                                           MoveCase{"A", "D", "BCAD"}));

TEST_F(AccountStoreTest, MoveWithSameOrUnknownIdDoesNothing)
{
    seed({a, b});
    AccountStore& store = open();
    m_items.setFailure(Op::update, locked, orderKey);
    store.saveOrder();
    m_items.clearFailures();
    m_items.clearCalls();

    store.moveAccount(a.id, a.id);
    store.moveAccount(QUuid::createUuid(), a.id);
    store.moveAccount(a.id, QUuid::createUuid());
    EXPECT_TRUE(m_items.calls().isEmpty());
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b}));
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);
}

// --- counters ---

TEST_F(AccountStoreTest, IncrementAdvancesAndStoresOnlyThatAccount)
{
    Account hotp = testHotpAccount(u"H"_s, 41);
    seed({a, hotp});
    AccountStore& store = open();
    store.incrementCounter(hotp);
    EXPECT_EQ(store.accounts()[1].counter, 42u);
    ASSERT_EQ(m_items.calls().size(), 1);
    EXPECT_EQ(m_items.calls()[0].account, uuidText(hotp.id));
    EXPECT_EQ(persisted()[1].counter, 42u);
}

TEST_F(AccountStoreTest, IncrementIgnoresTimeBasedAndUnknownAccounts)
{
    Account hotp = testHotpAccount(u"H"_s, 5);
    seed({a});
    AccountStore& store = open();
    store.incrementCounter(a);
    store.incrementCounter(hotp);
    EXPECT_TRUE(m_items.calls().isEmpty());
    EXPECT_EQ(store.accounts(), QList<Account>{a});
}

TEST_F(AccountStoreTest, IncrementWrapsTheLargestCounterToZero)
{
    Account hotp = testHotpAccount(u"H"_s, std::numeric_limits<std::uint64_t>::max());
    seed({hotp});
    AccountStore& store = open();
    store.incrementCounter(hotp);
    EXPECT_EQ(store.accounts()[0].counter, 0u);
    EXPECT_EQ(persisted()[0].counter, 0u);
}

TEST_F(AccountStoreTest, FailedCounterWriteIsRetriedSoTheCounterNeverGoesBack)
{
    Account hotp = testHotpAccount(u"H"_s, 9);
    seed({hotp, a});
    AccountStore& store = open();
    m_items.setFailure(Op::update, notAvailable, uuidText(hotp.id));
    store.incrementCounter(hotp);
    EXPECT_EQ(store.lastError(), u"Keychain error: -25291"_s);
    EXPECT_TRUE(store.hasUnsavedAccounts());

    m_items.clearFailures();
    store.saveOrder();
    EXPECT_FALSE(store.hasUnsavedAccounts());
    EXPECT_EQ(persisted()[0].counter, 10u);
}

// --- order ---

TEST_F(AccountStoreTest, SaveOrderWritesTheRearrangedList)
{
    seed({a, b, c});
    AccountStore& store = open();
    QSignalSpy changed(&store, &AccountStore::accountsChanged);
    store.setAccounts({c, a, b});
    EXPECT_EQ(changed.count(), 1);
    store.saveOrder();
    EXPECT_EQ(storedOrder(), (QList<QUuid>{c.id, a.id, b.id}));
    EXPECT_EQ(persisted(), (QList<Account>{c, a, b}));
}

TEST_F(AccountStoreTest, LastErrorFollowsTheLatestCall)
{
    seed({a});
    AccountStore& store = open();
    QSignalSpy errors(&store, &AccountStore::lastErrorChanged);
    m_items.setFailure(Op::update, failure, orderKey);
    store.saveOrder();
    EXPECT_EQ(store.lastError(), u"Keychain error: -26276"_s);
    m_items.clearFailures();
    store.saveOrder();
    EXPECT_FALSE(store.lastError());
    EXPECT_EQ(errors.count(), 2);
}

TEST_F(AccountStoreTest, FailedOrderWriteIsRepeatedAtTheNextCall)
{
    Account hotp = testHotpAccount(u"H"_s, 0);
    seed({a, hotp});
    AccountStore& store = open();
    m_items.setFailure(Op::update, failure, orderKey);
    store.moveAccount(hotp.id, a.id);
    m_items.clearFailures();
    store.incrementCounter(hotp);
    EXPECT_EQ(storedOrder(), (QList<QUuid>{hotp.id, a.id}));
    EXPECT_FALSE(store.lastError());
}

} // namespace
