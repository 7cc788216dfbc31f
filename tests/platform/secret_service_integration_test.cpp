// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/account_json.h"
#include "platform/secret_service/secret_service_item_store.h"
#include "storage/account_store.h"
#include "storage/keychain_store.h"
#include "support/event_loop_watch.h"
#include "support/test_accounts.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QString service = KeychainStore::serviceIdentifier.toString();
const QString legacyService = KeychainStore::legacyServiceIdentifier.toString();

// Standard output, or nothing when the program fails.
std::optional<QByteArray> run(const QString& program, const QStringList& arguments,
                              const QByteArray& input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

std::optional<QByteArray> keyring(const QString& command)
{
    return run(QStringLiteral(BRISVANE_SOURCE_DIR "/tools/keyring"), {command});
}

std::optional<QByteArray> secretTool(const QStringList& arguments, const QByteArray& input = {})
{
    return run(u"secret-tool"_s, arguments, input);
}

// What secret-tool lists for the attributes; each item starts with "\n[/".
QByteArray search(const QStringList& attributes)
{
    return "\n" + secretTool(QStringList{u"search"_s, u"--all"_s} + attributes).value_or("");
}

class KeyringTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::getenv("BRISVANE_OWN_KEYRING_SESSION") == nullptr)
            GTEST_SKIP() << "runs only inside its own private session";
        if (!qEnvironmentVariableIsEmpty("BRISVANE_NO_BUS_CHILD"))
            return;
        // Cases share the keyring when the program runs them all at once.
        if (keyring(u"pid"_s).value_or("").trimmed().isEmpty()) {
            ASSERT_TRUE(keyring(u"start"_s));
        }
        secretTool({u"clear"_s, u"service"_s, service});
        secretTool({u"clear"_s, u"service"_s, legacyService});
    }

    QList<Account> loadFresh()
    {
        SecretServiceItemStore items;
        AccountStore store(items);
        EXPECT_EQ(store.lastError(), std::nullopt);
        return store.accounts();
    }

    Account a = testAccount(u"alice@example.com"_s, u"Example"_s,
                            QByteArray("\x00\xff\x10"
                                       "binary",
                                       9));
    Account b = testAccount(u"Zoë ünïcode"_s, {}, "secret-b");
    Account c = testAccount(u"counter"_s, {}, "secret-c", OTPType::hotp,
                            std::numeric_limits<std::uint64_t>::max() - 1);
};

TEST_F(KeyringTest, AccountsOrderAndLabelsSurviveARestartOfTheProgram)
{
    {
        SecretServiceItemStore items;
        AccountStore store(items);
        EXPECT_TRUE(store.accounts().isEmpty());
        store.addAccounts({a, b, c});
        store.moveAccount(c.id, a.id);
        store.incrementCounter(c);
        store.incrementCounter(c);
        EXPECT_EQ(store.lastError(), std::nullopt);
    }
    c.counter = 0;
    EXPECT_EQ(loadFresh(), (QList<Account>{c, a, b}));

    SecretServiceItemStore items;
    AccountStore store(items);
    store.deleteAccount(a.id);
    EXPECT_EQ(store.lastError(), std::nullopt);
    EXPECT_EQ(loadFresh(), (QList<Account>{c, b}));
    const QByteArray listing = search({u"service"_s, service});
    EXPECT_EQ(listing.count("\n[/"), 3) << "two accounts and the order record:\n" << listing.toStdString();
    EXPECT_TRUE(listing.contains("label = Brisvane: counter\n")) << listing.toStdString();
    EXPECT_TRUE(listing.contains("label = Brisvane: account order\n")) << listing.toStdString();
}

TEST_F(KeyringTest, ItemsWrittenByOtherToolsAreLoadedEveryLegacyListMovedAndOnlyWhatWasReadDeleted)
{
    const QStringList legacy{u"service"_s, legacyService, u"account"_s, u"accounts.v1"_s};
    const QStringList item{u"service"_s, service, u"account"_s, uuidText(c.id)};
    const Account d = testAccount(u"d"_s, {}, "secret-d");
    ASSERT_TRUE(secretTool(QStringList{u"store"_s, u"--label=one"_s} + legacy, *encodeAccountList({b, a})));
    // Items with one more attribute still match the legacy query, as a second copy would.
    ASSERT_TRUE(
        secretTool(QStringList{u"store"_s, u"--label=two"_s} + legacy + QStringList{u"copy"_s, u"2"_s},
                   *encodeAccountList({d})));
    ASSERT_TRUE(secretTool(
        QStringList{u"store"_s, u"--label=bad"_s} + legacy + QStringList{u"copy"_s, u"3"_s}, "not a list"));
    ASSERT_TRUE(secretTool(QStringList{u"store"_s, u"--label=x"_s} + item, *encodeAccount(c)));
    // The keyring returns the two lists in an order of its own.
    const QList<Account> loaded = loadFresh();
    EXPECT_TRUE(loaded == (QList<Account>{b, a, d, c}) || loaded == (QList<Account>{d, b, a, c}))
        << loaded.size();
    const QByteArray left = search(legacy);
    EXPECT_EQ(left.count("\n[/"), 1) << left.toStdString();
    EXPECT_TRUE(left.contains("label = bad\n")) << left.toStdString();

    SecretServiceItemStore items;
    AccountStore store(items);
    ASSERT_EQ(store.accounts(), loaded);
    store.incrementCounter(c);
    EXPECT_EQ(store.lastError(), std::nullopt);
    const auto stored = decodeAccount(secretTool(QStringList{u"lookup"_s} + item).value_or(""));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->counter, c.counter + 1);
    EXPECT_EQ(search(item).count("\n[/"), 1) << "updated, not added beside";
}

TEST_F(KeyringTest, AStoppedKeyringFreezesNoWindowAndWhatItAnswersLaterIsKept)
{
    const pid_t pid = keyring(u"pid"_s).value_or("").trimmed().toInt();
    ASSERT_GT(pid, 0);
    SecretServiceItemStore items;
    AccountStore store(items, AccountStore::Calls::onWorkerThread);
    ASSERT_TRUE(store.waitForAnswers(10s));
    ASSERT_EQ(::kill(pid, SIGSTOP), 0);
    store.addAccounts({a, b});
    const qint64 gap = longestEventLoopGap(AccountStore::answerTime + 300ms);
    EXPECT_FALSE(store.isKeyringResponding());
    EXPECT_EQ(store.unsavedAccounts(), (QList<Account>{a, b}));
    ASSERT_EQ(::kill(pid, SIGCONT), 0);
    EXPECT_LT(gap, answeringGapMs) << "milliseconds";
    EXPECT_TRUE(store.waitForAnswers(30s));
    EXPECT_TRUE(store.isKeyringResponding());
    EXPECT_EQ(store.lastError(), std::nullopt);
    EXPECT_EQ(loadFresh(), (QList<Account>{a, b}));
}

// Runs WithoutBus in a process of its own: a process keeps its first bus connection.
TEST_F(KeyringTest, NoSessionBusIsReportedAsNoService)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent/bus"_s);
    environment.insert(u"BRISVANE_NO_BUS_CHILD"_s, u"1"_s);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {u"--gtest_filter=KeyringTest.WithoutBus"_s});
    ASSERT_TRUE(child.waitForFinished(20000));
    const QByteArray output = child.readAll();
    EXPECT_TRUE(child.exitCode() == 0 && output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

TEST_F(KeyringTest, WithoutBus)
{
    if (qEnvironmentVariableIsEmpty("BRISVANE_NO_BUS_CHILD"))
        GTEST_SKIP() << "run by NoSessionBusIsReportedAsNoService";
    SecretServiceItemStore items;
    AccountStore store(items);
    EXPECT_EQ(store.lastError(), u"Keychain error: -25291"_s);
    store.addAccounts({a});
    EXPECT_EQ(store.lastError(), u"Keychain error: -25291"_s);
    EXPECT_EQ(items.remove(service, uuidText(a.id)), SecureItemStatusCode::notAvailable);
}

TEST_F(KeyringTest, LockedCollectionIsReportedAndNothingIsLost)
{
    SecretServiceItemStore items;
    AccountStore store(items);
    store.addAccounts({a});
    QDBusMessage lock =
        QDBusMessage::createMethodCall(u"org.freedesktop.secrets"_s, u"/org/freedesktop/secrets"_s,
                                       u"org.freedesktop.Secret.Service"_s, u"Lock"_s);
    lock << QVariant::fromValue(
        QList<QDBusObjectPath>{QDBusObjectPath(u"/org/freedesktop/secrets/aliases/default"_s)});
    const QDBusMessage reply = QDBusConnection::sessionBus().call(lock);
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();

    // No agent can show an unlock prompt here, so the unlock fails at once.
    store.reload();
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);
    store.addAccounts({b});
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);
    EXPECT_EQ(store.unsavedAccounts(), QList<Account>{b});

    // A restart unlocks it again (empty password), and the next call finds the new daemon.
    ASSERT_TRUE(keyring(u"restart"_s));
    store.reload();
    EXPECT_EQ(store.lastError(), std::nullopt);
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b}));
}

TEST_F(KeyringTest, ItemUnderALowerCaseKeyIsAdoptedSoCountersAndDeletesReachIt)
{
    const QStringList lower{u"service"_s, service, u"account"_s, uuidText(c.id).toLower()};
    ASSERT_TRUE(secretTool(QStringList{u"store"_s, u"--label=x"_s} + lower, *encodeAccount(c)));
    {
        SecretServiceItemStore items;
        AccountStore store(items);
        ASSERT_EQ(store.accounts(), QList<Account>{c});
        store.incrementCounter(c);
        EXPECT_EQ(loadFresh().value(0).counter, c.counter + 1);
        store.deleteAccount(c.id);
        EXPECT_EQ(store.lastError(), std::nullopt);
    }
    EXPECT_EQ(loadFresh(), QList<Account>{}) << "the deleted account does not come back";
    EXPECT_EQ(search({u"service"_s, service}).count("\n[/"), 1) << "only the order record";
}

// A failed first load, then adds and deletes while the service is gone: nothing is lost.
TEST_F(KeyringTest, MissingServiceIsReportedAndEveryChangeLandsOnceItReturns)
{
    {
        SecretServiceItemStore items;
        AccountStore store(items);
        store.addAccounts({a, b});
        store.moveAccount(b.id, a.id);
    }
    ASSERT_TRUE(keyring(u"stop"_s));
    SecretServiceItemStore items;
    AccountStore store(items);
    EXPECT_EQ(store.lastError(), u"Keychain error: -25291"_s);
    ASSERT_TRUE(keyring(u"start"_s));
    store.addAccounts({c});
    EXPECT_EQ(store.accounts(), (QList<Account>{b, a, c})) << "the stored order comes first";

    ASSERT_TRUE(keyring(u"stop"_s));
    const Account d = testAccount(u"d"_s, {}, "secret-d");
    store.addAccounts({d});
    store.deleteAccount(a.id);
    EXPECT_EQ(store.lastError(), u"Keychain error: -25291"_s);
    store.reload();
    EXPECT_EQ(store.accounts(), (QList<Account>{b, c, d})) << "a failed load changes nothing in memory";
    ASSERT_TRUE(keyring(u"start"_s));
    store.reload();
    EXPECT_EQ(store.lastError(), std::nullopt);
    EXPECT_EQ(loadFresh(), (QList<Account>{b, c, d}));
}

TEST_F(KeyringTest, UnreadableItemsAreNamedAndLeftAlone)
{
    const QStringList junk{u"service"_s, service, u"account"_s, uuidText(b.id)};
    ASSERT_TRUE(secretTool(QStringList{u"store"_s, u"--label=Junk <b>item</b>"_s} + junk, "{not json"));
    SecretServiceItemStore items;
    AccountStore store(items);
    store.addAccounts({a});
    EXPECT_EQ(store.unreadableItems(), QStringList{u"Junk <b>item</b>"_s});
    EXPECT_EQ(secretTool(QStringList{u"lookup"_s} + junk), "{not json");
}

} // namespace
