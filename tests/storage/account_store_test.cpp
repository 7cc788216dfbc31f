// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/account_json.h"
#include "storage/account_store.h"
#include "storage/keychain_store.h"
#include "support/event_loop_watch.h"
#include "support/fake_secure_item_store.h"
#include "support/test_accounts.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

using Op = FakeSecureItemStore::Operation;
using namespace SecureItemStatusCode;

const QString service = KeychainStore::serviceIdentifier.toString();
const QString orderKey = u"order.v1"_s;

const Account a = testAccount(u"A"_s, u"Issuer"_s, "secret-a");
const Account b = testAccount(u"B"_s, {}, "secret-b");
const Account c = testAccount(u"C"_s, u"Issuer"_s, "secret-c");
const Account d = testAccount(u"D"_s, {}, "secret-d");
const Account hotp = testAccount(u"H"_s, u"Issuer"_s, "secret-h", OTPType::hotp, 9);

Account copyWithNewId(Account account)
{
    account.id = QUuid::createUuid();
    return account;
}

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
    QList<Account> persisted() { return KeychainStore(m_items).loadAccounts().value().accounts; }
    QList<QUuid> storedOrder()
    {
        return decodeUUIDList(m_items.value(service, orderKey).value_or("")).value();
    }

    void seed(const QList<Account>& accounts)
    {
        KeychainStore keychain(m_items);
        for (const Account& account : accounts)
            ASSERT_TRUE(keychain.saveAccount(account).ok());
        ASSERT_TRUE(keychain.saveOrder(idsOf(accounts)).ok());
    }

    FakeSecureItemStore m_items;
    std::unique_ptr<AccountStore> m_store;
};

TEST_F(AccountStoreTest, AddWritesNewAccountsAndTheOrderSkippingSameSecretNameAndIssuer)
{
    seed({a});
    AccountStore& store = open();
    QSignalSpy changed(&store, &AccountStore::accountsChanged);
    Account again = copyWithNewId(b);
    again.digits = 8;
    Account otherIssuer = copyWithNewId(a);
    otherIssuer.issuer = u"Other"_s;
    Account otherCase = copyWithNewId(a);
    otherCase.name = u"a"_s;
    Account otherSecret = copyWithNewId(a);
    otherSecret.secret = "secret-A";
    store.addAccounts({copyWithNewId(a), b, again, otherIssuer, otherCase, otherSecret});

    const QList<Account> expected{a, b, otherIssuer, otherCase, otherSecret};
    EXPECT_EQ(store.accounts(), expected);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(persisted(), expected);
    EXPECT_FALSE(store.lastError());
}

TEST_F(AccountStoreTest, ANewAccountIsStoredInOneRequestAndOneStillStoredIsUpdatedInPlace)
{
    seed({a});
    AccountStore& store = open();
    store.addAccounts({b});
    EXPECT_EQ(m_items.calls().first().operation, Op::add);
    m_items.setFailure(Op::remove, locked);
    store.deleteAccount(b.id);
    m_items.clearFailures();
    store.addAccounts({b}); // undone while its item is still stored
    EXPECT_EQ(m_items.count(service, uuidText(b.id)), 1);
    EXPECT_EQ(persisted(), (QList<Account>{a, b}));
}

TEST_F(AccountStoreTest, NewAccountsLoseControlCharactersStoredOnesLoadAsTheyAre)
{
    Account stored = testAccount(u"old\nname"_s, u"x\u0085"_s, "secret-s");
    seed({stored});
    AccountStore& store = open();
    Account hostile = testAccount(QString(u"a\u0000b\r\nc\u009b\u007f\u202e"_s), u"\tIss\u0001uer"_s, "s");
    store.addAccounts({hostile});
    hostile.name = u"abc\u202e"_s;
    hostile.issuer = u"Issuer"_s;
    EXPECT_EQ(persisted(), (QList<Account>{stored, hostile}));
    EXPECT_EQ(m_items.label(service, uuidText(hostile.id)), u"Brisvane: Issuer: abc\u202e"_s);
    EXPECT_EQ(displayLabel(hostile), u"\u2068Issuer\u2069: \u2068abc\u202e\u2069"_s);
}

TEST_F(AccountStoreTest, CallsThatChangeNothingTouchNoStorageAndKeepTheError)
{
    seed({a, b});
    AccountStore& store = open();
    m_items.setFailure(Op::update, locked, orderKey);
    store.saveOrder();
    m_items.clearFailures();
    m_items.clearCalls();
    store.addAccounts({});
    store.addAccounts({copyWithNewId(a)});
    store.moveAccount(a.id, a.id);
    store.moveAccount(QUuid::createUuid(), a.id);
    store.moveAccount(a.id, QUuid::createUuid());
    store.incrementCounter(a);
    store.incrementCounter(hotp);
    EXPECT_TRUE(m_items.calls().isEmpty());
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b}));
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);
}

TEST_F(AccountStoreTest, UnencodableAccountStaysInMemoryUntilDeleted)
{
    AccountStore& store = open();
    Account broken = b;
    broken.createdAt = instantFromSeconds(std::numeric_limits<double>::quiet_NaN());
    store.addAccounts({broken});
    EXPECT_EQ(store.accounts().size(), 1);
    EXPECT_TRUE(store.hasUnsavedAccounts());
    EXPECT_EQ(store.lastError(), u"Failed to encode accounts."_s);
    store.deleteAccount(b.id);
    EXPECT_FALSE(store.hasUnsavedAccounts());
    EXPECT_FALSE(store.lastError());
}

TEST_F(AccountStoreTest, FailedWriteKeepsTheAccountAndTheErrorUntilItIsSaved)
{
    seed({a});
    AccountStore& store = open();
    QSignalSpy errors(&store, &AccountStore::lastErrorChanged);
    m_items.setFailure(Op::add, locked, uuidText(b.id));
    store.addAccounts({b, c});
    EXPECT_EQ(store.unsavedAccounts(), QList<Account>{b});
    // The order write after it succeeded, yet the account is still only in memory.
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);
    EXPECT_EQ(errors.count(), 1);
    EXPECT_EQ(persisted(), (QList<Account>{a, c}));

    store.moveAccount(c.id, a.id);
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s) << "a success elsewhere does not hide it";
    EXPECT_TRUE(store.hasUnsavedAccounts());

    // Once the keyring accepts it, the next storage call writes it and puts it in its place.
    m_items.clearFailures();
    store.moveAccount(a.id, c.id);
    EXPECT_FALSE(store.hasUnsavedAccounts());
    EXPECT_FALSE(store.lastError());
    EXPECT_EQ(persisted(), (QList<Account>{a, c, b}));
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
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b})) << "a failed load changes nothing in memory";
    EXPECT_EQ(store.lastError(), u"Keychain error: -25291"_s);

    m_items.clearFailures();
    store.reload();
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b}));
    EXPECT_FALSE(store.lastError());
    EXPECT_FALSE(store.hasUnsavedAccounts());
}

TEST_F(AccountStoreTest, FailedDeleteIsRetriedAtEveryCallAndKeepsTheErrorUntilItLands)
{
    seed({a, b, c});
    AccountStore& store = open();
    m_items.setFailure(Op::remove, locked);
    store.deleteAccount(b.id);
    EXPECT_EQ(store.pendingDeleteCount(), 1);
    EXPECT_EQ(storedOrder(), idsOf({a, b, c})) << "the order waits for the delete";
    store.moveAccount(c.id, a.id);
    store.reload();
    EXPECT_EQ(store.accounts(), (QList<Account>{c, a})) << "a reload does not bring it back";
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s) << "a success elsewhere does not hide it";

    m_items.clearFailures();
    store.incrementCounter(hotp);
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s) << "an unknown account makes no storage call";
    store.saveOrder();
    EXPECT_EQ(store.pendingDeleteCount(), 0);
    EXPECT_FALSE(store.lastError());
    EXPECT_EQ(persisted(), (QList<Account>{c, a}));

    // Deleting an account that is not listed still deletes its item; adding it back cancels a
    // delete that is still waiting.
    m_items.seed(service, uuidText(d.id), *encodeAccount(d));
    store.deleteAccount(d.id);
    m_items.setFailure(Op::remove, locked);
    store.deleteAccount(a.id);
    store.addAccounts({a});
    m_items.clearFailures();
    store.saveOrder();
    EXPECT_EQ(persisted(), (QList<Account>{c, a}));
}

TEST_F(AccountStoreTest, FailedFirstLoadIsRetriedAndKeepsTheStoredOrderWithNewAccountsLast)
{
    EXPECT_TRUE(open().accounts().isEmpty());
    EXPECT_FALSE(m_store->lastError()) << "an empty keyring is no error";
    seed({b, a});
    m_items.setFailure(Op::copyAll, locked);
    AccountStore& store = open();
    EXPECT_FALSE(store.hasLoaded());
    EXPECT_TRUE(store.accounts().isEmpty());
    // While locked for reading, writes may work: the order record stays as it is.
    store.addAccounts({d, c});
    store.moveAccount(c.id, d.id);
    EXPECT_EQ(store.accounts(), (QList<Account>{c, d}));
    EXPECT_EQ(storedOrder(), idsOf({b, a}));
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);

    m_items.clearFailures();
    store.reloadIfNeeded();
    EXPECT_EQ(store.accounts(), (QList<Account>{b, a, c, d}));
    EXPECT_EQ(persisted(), store.accounts());
    EXPECT_FALSE(store.lastError());
    m_items.clearCalls();
    store.reloadIfNeeded();
    EXPECT_TRUE(m_items.calls().isEmpty());
}

TEST_F(AccountStoreTest, SuccessfulWriteAfterAFailedLoadLoads)
{
    seed({a});
    m_items.setFailure(Op::copyAll, notAvailable);
    AccountStore& store = open();
    m_items.clearFailures();
    store.addAccounts({b});
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b}));
    EXPECT_EQ(storedOrder(), idsOf({a, b}));
}

TEST_F(AccountStoreTest, UnreadableItemsAreSkippedKeptAndNamed)
{
    seed({a});
    m_items.seed(service, uuidText(b.id), "{}", u"Brisvane: B"_s);
    AccountStore& store = open();
    EXPECT_EQ(store.accounts(), QList<Account>{a});
    EXPECT_EQ(store.unreadableItems(), QStringList{u"Brisvane: B"_s});
    store.deleteAccount(a.id);
    EXPECT_EQ(m_items.value(service, uuidText(b.id)), "{}");
}

TEST(AccountStoreMove, MovedAccountEndsJustBeforeTheTarget)
{
    const QList<Account> all{a, b, c, d};
    const struct
    {
        int source, target;
        const char* expected;
    } moves[] = {{0, 2, "BACD"}, {3, 1, "ADBC"}, {1, 2, "ABCD"}, {2, 1, "ACBD"}, {0, 3, "BCAD"}};
    for (const auto& move : moves) {
        FakeSecureItemStore items;
        AccountStore store(items);
        store.addAccounts(all);
        store.moveAccount(all[move.source].id, all[move.target].id);
        QString names;
        for (const Account& account : store.accounts())
            names += account.name;
        EXPECT_EQ(names.toStdString(), move.expected);
        EXPECT_EQ(KeychainStore(items).loadAccounts().value().accounts, store.accounts()) << "stored order";
    }
}

TEST_F(AccountStoreTest, IncrementStoresOnlyThatAccountAndWrapsTheLargestCounter)
{
    Account largest = hotp;
    largest.counter = std::numeric_limits<std::uint64_t>::max();
    seed({a, largest});
    AccountStore& store = open();
    store.incrementCounter(largest);
    ASSERT_EQ(m_items.calls().size(), 1);
    EXPECT_EQ(m_items.calls()[0].account, uuidText(hotp.id));
    EXPECT_EQ(persisted()[1].counter, 0u);
    const Account wrapped = store.accounts()[1];
    store.incrementCounter(wrapped);
    EXPECT_EQ(persisted()[1].counter, 1u);
}

TEST_F(AccountStoreTest, RenameStoresOnlyTheTwoTextsOfThatAccount)
{
    seed({a, hotp});
    AccountStore& store = open();
    store.renameAccount(hotp.id, u"Bank"_s, u"alice"_s);
    store.renameAccount(QUuid::createUuid(), u"x"_s, u"y"_s);
    store.renameAccount(a.id, a.issuer, a.name);
    ASSERT_EQ(m_items.calls().size(), 1);
    Account renamed = hotp;
    renamed.issuer = u"Bank"_s;
    renamed.name = u"alice"_s;
    EXPECT_EQ(persisted(), (QList<Account>{a, renamed}));
}

TEST_F(AccountStoreTest, SaveOrderWritesTheRearrangedListAndACounterThatFailedBefore)
{
    seed({hotp, a, b});
    AccountStore& store = open();
    m_items.setFailure(Op::update, notAvailable, uuidText(hotp.id));
    store.incrementCounter(hotp);
    EXPECT_EQ(store.lastError(), u"Keychain error: -25291"_s);
    m_items.clearFailures();
    QSignalSpy changed(&store, &AccountStore::accountsChanged);
    store.setAccounts({b, store.accounts()[0], a});
    EXPECT_EQ(changed.count(), 1);
    store.saveOrder();
    EXPECT_EQ(store.lastError(), std::nullopt);
    EXPECT_EQ(persisted(), store.accounts());
    EXPECT_EQ(persisted()[1].counter, 10u) << "the counter never goes back";
}

TEST_F(AccountStoreTest, FailedOrderWriteIsRepeatedAtTheNextCallWhichClearsTheError)
{
    seed({a, hotp});
    AccountStore& store = open();
    QSignalSpy errors(&store, &AccountStore::lastErrorChanged);
    m_items.setFailure(Op::update, failure, orderKey);
    store.moveAccount(hotp.id, a.id);
    EXPECT_EQ(store.lastError(), u"Keychain error: -26276"_s);
    m_items.clearFailures();
    store.incrementCounter(hotp);
    EXPECT_EQ(persisted(), store.accounts());
    EXPECT_FALSE(store.lastError());
    EXPECT_EQ(errors.count(), 2);
}

// What a run of calls leaves behind, down to each keyring call in its order.
struct Outcome
{
    QStringList calls;
    QList<Account> accounts, unsaved, persisted;
    std::optional<QString> error;
    int pendingDeletes = 0;
    bool operator==(const Outcome&) const = default;
};

Outcome runCalls(AccountStore::Calls calls)
{
    FakeSecureItemStore items;
    KeychainStore seeding(items);
    for (const Account& account : {a, hotp})
        seeding.saveAccount(account);
    seeding.saveOrder(idsOf({a, hotp}));
    items.setFailure(Op::add, locked, uuidText(b.id));
    items.setFailure(Op::remove, locked, uuidText(a.id));
    items.clearCalls();
    items.setDelay(2ms);
    Outcome outcome;
    {
        AccountStore store(items, calls);
        // Made while the load is still on its way on the worker thread.
        store.addAccounts({b, c});
        store.moveAccount(c.id, hotp.id);
        store.incrementCounter(hotp);
        store.renameAccount(c.id, u"X"_s, u"y"_s);
        store.deleteAccount(a.id);
        store.setAccounts({hotp, b});
        store.saveOrder();
        store.reload();
        EXPECT_TRUE(store.waitForAnswers(10s));
        outcome = {{}, store.accounts(),  store.unsavedAccounts(),
                   {}, store.lastError(), store.pendingDeleteCount()};
    }
    for (const FakeSecureItemStore::Call& call : items.calls())
        outcome.calls.append(QString::number(int(call.operation)) + call.account);
    items.clearFailures();
    outcome.persisted = KeychainStore(items).loadAccounts().value().accounts;
    return outcome;
}

TEST(AccountStoreWorker, CallsOnTheWorkerThreadKeepTheOrderAndEveryRuleOfCallsMadeHere)
{
    const Outcome here = runCalls(AccountStore::Calls::here);
    EXPECT_EQ(here.unsaved, QList<Account>{b});
    EXPECT_EQ(here.pendingDeletes, 1);
    EXPECT_EQ(runCalls(AccountStore::Calls::onWorkerThread), here);
}

TEST(AccountStoreWorker, AKeyringThatStopsAnsweringBlocksNoTurnOfTheEventLoopAndLosesNothing)
{
    FakeSecureItemStore items;
    AccountStore store(items, AccountStore::Calls::onWorkerThread);
    ASSERT_TRUE(store.waitForAnswers(5s));
    QSignalSpy responding(&store, &AccountStore::keyringRespondingChanged);
    items.closeGate();
    store.addAccounts({a});
    EXPECT_EQ(store.accounts(), QList<Account>{a}) << "shown at once";

    EXPECT_LT(longestEventLoopGap(AccountStore::answerTime + 300ms), answeringGapMs) << "milliseconds";
    EXPECT_FALSE(store.isKeyringResponding());
    EXPECT_EQ(store.unsavedAccounts(), QList<Account>{a}) << "quitting now would ask";

    items.openGate();
    EXPECT_TRUE(store.waitForAnswers(5s));
    EXPECT_TRUE(store.isKeyringResponding());
    EXPECT_EQ(responding.count(), 2);
    EXPECT_FALSE(store.hasUnsavedAccounts());
    EXPECT_EQ(KeychainStore(items).loadAccounts().value().accounts, QList<Account>{a});
}

} // namespace
