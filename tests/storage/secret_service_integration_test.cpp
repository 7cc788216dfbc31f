#include "core/account_json.h"
#include "platform/secret_service/secret_service_item_store.h"
#include "storage/account_store.h"
#include "storage/keychain_store.h"
#include "test_accounts.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

using namespace SecureItemStatusCode;

const QString service = KeychainStore::serviceIdentifier.toString();
const QString legacyService = KeychainStore::legacyServiceIdentifier.toString();

struct ProcessResult
{
    int exitCode = -1;
    QByteArray output;
};

ProcessResult run(const QString& program, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(20000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput()};
}

ProcessResult keyring(const QString& command)
{
    return run(QStringLiteral(BRISVANE_SOURCE_DIR "/tools/keyring"), {command});
}

ProcessResult secretTool(const QStringList& arguments, const QByteArray& input = {})
{
    return run(u"secret-tool"_s, arguments, input);
}

// Number of items secret-tool finds for the attributes.
int itemCount(const QStringList& attributes)
{
    const ProcessResult found = secretTool(QStringList{u"search"_s, u"--all"_s} + attributes);
    int count = 0;
    for (const QByteArray& line : found.output.split('\n'))
        count += line.startsWith("[/") ? 1 : 0;
    return count;
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
        if (keyring(u"pid"_s).output.trimmed().isEmpty()) {
            ASSERT_EQ(keyring(u"start"_s).exitCode, 0);
        }
        secretTool({u"clear"_s, u"service"_s, service});
        secretTool({u"clear"_s, u"service"_s, legacyService});
    }

    QList<Account> loadFresh()
    {
        SecretServiceItemStore items;
        AccountStore store(items);
        EXPECT_FALSE(store.lastError()) << store.lastError()->toStdString();
        return store.accounts();
    }

    Account a = testAccount(u"alice@example.com"_s, u"Example"_s, QByteArray("\x00\xff\x10" "binary", 9));
    Account b = testAccount(u"Zoë ünïcode"_s, {}, "secret-b");
    Account c = testHotpAccount(u"counter"_s, std::numeric_limits<std::uint64_t>::max() - 1);
};

TEST_F(KeyringTest, AccountsAndOrderSurviveARestartOfTheProgram)
{
    {
        SecretServiceItemStore items;
        AccountStore store(items);
        EXPECT_TRUE(store.accounts().isEmpty());
        store.addAccounts({a, b, c});
        store.moveAccount(c.id, a.id);
        store.incrementCounter(c);
        store.incrementCounter(c);
        EXPECT_FALSE(store.lastError());
        EXPECT_FALSE(store.hasUnsavedAccounts());
    }
    c.counter = 0;
    EXPECT_EQ(loadFresh(), (QList<Account>{c, a, b}));

    SecretServiceItemStore items;
    AccountStore store(items);
    store.deleteAccount(a.id);
    EXPECT_FALSE(store.lastError());
    EXPECT_EQ(loadFresh(), (QList<Account>{c, b}));
    EXPECT_EQ(itemCount({u"service"_s, service}), 3) << "two accounts and the order record";
}

TEST_F(KeyringTest, ItemsCarryReadableLabels)
{
    SecretServiceItemStore items;
    AccountStore store(items);
    store.addAccounts({a});
    const QByteArray listing = secretTool({u"search"_s, u"--all"_s, u"service"_s, service}).output;
    EXPECT_TRUE(listing.contains("label = Brisvane: Example: alice@example.com")) << listing.toStdString();
    EXPECT_TRUE(listing.contains("label = Brisvane: account order")) << listing.toStdString();
}

TEST_F(KeyringTest, ItemStoredByAnotherToolIsLoadedAndUpdatedInPlace)
{
    const QString key = uuidText(c.id);
    ASSERT_EQ(secretTool({u"store"_s, u"--label"_s, u"x"_s, u"service"_s, service, u"account"_s, key},
                         *encodeAccount(c))
                  .exitCode,
              0);
    SecretServiceItemStore items;
    AccountStore store(items);
    ASSERT_EQ(store.accounts(), QList<Account>{c});

    store.incrementCounter(c);
    EXPECT_FALSE(store.lastError());
    const QByteArray stored = secretTool({u"lookup"_s, u"service"_s, service, u"account"_s, key}).output;
    ASSERT_TRUE(decodeAccount(stored)) << stored.toStdString();
    EXPECT_EQ(decodeAccount(stored)->counter, c.counter + 1);
    EXPECT_EQ(itemCount({u"service"_s, service, u"account"_s, key}), 1) << "updated, not added beside";
}

TEST_F(KeyringTest, LegacyListIsMovedOnce)
{
    ASSERT_EQ(secretTool({u"store"_s, u"--label"_s, u"old"_s, u"service"_s, legacyService, u"account"_s,
                          u"accounts.v1"_s},
                         *encodeAccountList({b, a}))
                  .exitCode,
              0);
    EXPECT_EQ(loadFresh(), (QList<Account>{b, a}));
    EXPECT_NE(secretTool({u"lookup"_s, u"service"_s, legacyService, u"account"_s, u"accounts.v1"_s}).exitCode, 0);
    EXPECT_EQ(loadFresh(), (QList<Account>{b, a}));
}

TEST_F(KeyringTest, MissingServiceIsReportedAndAccountsAreKeptUntilItReturns)
{
    SecretServiceItemStore items;
    AccountStore store(items);
    store.addAccounts({a});
    ASSERT_EQ(keyring(u"stop"_s).exitCode, 0);

    EXPECT_EQ(items.copyAll(service).error(), notAvailable);
    store.addAccounts({b});
    EXPECT_EQ(store.lastError(), u"Keychain error: -25291"_s);
    EXPECT_TRUE(store.hasUnsavedAccounts());
    store.reload();
    EXPECT_EQ(store.accounts(), QList<Account>{b}) << "the unsaved account stays in memory";
    EXPECT_EQ(store.lastError(), u"Keychain error: -25291"_s);

    ASSERT_EQ(keyring(u"start"_s).exitCode, 0);
    store.reload();
    EXPECT_FALSE(store.lastError());
    EXPECT_FALSE(store.hasUnsavedAccounts());
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b}));
    EXPECT_EQ(loadFresh(), (QList<Account>{a, b}));
}

TEST_F(KeyringTest, RestartedKeyringIsFoundByTheNextCall)
{
    SecretServiceItemStore items;
    AccountStore store(items);
    store.addAccounts({a});
    const QByteArray before = keyring(u"pid"_s).output;
    ASSERT_EQ(keyring(u"restart"_s).exitCode, 0);
    ASSERT_NE(keyring(u"pid"_s).output, before);

    store.addAccounts({b});
    EXPECT_FALSE(store.lastError()) << store.lastError()->toStdString();
    store.reload();
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b}));
}

TEST_F(KeyringTest, NoSessionBusIsReportedAsNoService)
{
    // In a process of its own: a process keeps its first bus connection.
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent/bus"_s);
    environment.insert(u"BRISVANE_NO_BUS_CHILD"_s, u"1"_s);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {u"--gtest_filter=KeyringTest.WithoutBus"_s});
    ASSERT_TRUE(child.waitForFinished(20000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

TEST_F(KeyringTest, WithoutBus)
{
    if (qEnvironmentVariableIsEmpty("BRISVANE_NO_BUS_CHILD"))
        GTEST_SKIP() << "run by NoSessionBusIsReportedAsNoService";
    SecretServiceItemStore items;
    AccountStore store(items);
    EXPECT_EQ(store.lastError(), u"Keychain error: -25291"_s);
    store.addAccounts({a});
    EXPECT_TRUE(store.hasUnsavedAccounts());
    EXPECT_EQ(items.remove(service, uuidText(a.id)), notAvailable);
    EXPECT_EQ(items.copyOne(service, uuidText(a.id)).error(), notAvailable);
}

TEST_F(KeyringTest, LockedCollectionIsReportedAndNothingIsLost)
{
    SecretServiceItemStore items;
    AccountStore store(items);
    store.addAccounts({a});

    QDBusMessage lock = QDBusMessage::createMethodCall(u"org.freedesktop.secrets"_s, u"/org/freedesktop/secrets"_s,
                                                       u"org.freedesktop.Secret.Service"_s, u"Lock"_s);
    lock << QVariant::fromValue(QList<QDBusObjectPath>{QDBusObjectPath(u"/org/freedesktop/secrets/aliases/default"_s)});
    const QDBusMessage reply = QDBusConnection::sessionBus().call(lock);
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();

    // No agent can show an unlock prompt here, so the unlock fails at once.
    store.reload();
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);
    store.addAccounts({b});
    EXPECT_EQ(store.lastError(), u"Keychain error: -25308"_s);
    EXPECT_EQ(store.unsavedAccounts(), QList<Account>{b});

    // A restart unlocks it again (empty password).
    ASSERT_EQ(keyring(u"restart"_s).exitCode, 0);
    store.reload();
    EXPECT_FALSE(store.lastError());
    EXPECT_EQ(store.accounts(), (QList<Account>{a, b}));
}

} // namespace
