#include "hotkeys/app_settings.h"
#include "storage/account_store.h"
#include "support/fake_clipboard.h"
#include "support/fake_secure_item_store.h"
#include "ui/application_shell.h"
#include "ui/single_instance.h"
#include "ui/ticking_clock.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocalSocket>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <future>
#include <gtest/gtest.h>

namespace {

class ApplicationShellTest : public ::testing::Test
{
protected:
    ApplicationShellTest() : m_preferences(m_dir.filePath(QStringLiteral("brisvane.conf")), QSettings::IniFormat) {}

    std::unique_ptr<ApplicationShell> makeShell()
    {
        return std::make_unique<ApplicationShell>(
            m_items, m_preferences, m_clipboard,
            [this](AccountStore&, AppSettings&) {
                ++m_controllersMade;
                return std::make_unique<QObject>();
            },
            MainWindow::AddSheetFactory{});
    }

    QTemporaryDir m_dir;
    FakeSecureItemStore m_items;
    QSettings m_preferences;
    FakeClipboard m_clipboard;
    int m_controllersMade = 0;
};

TEST_F(ApplicationShellTest, LoadsTheAccountsAndWritesNoPreferenceAtStart)
{
    {
        AccountStore seeding(m_items);
        Account account;
        account.id = QUuid::createUuid();
        account.name = QStringLiteral("alice");
        account.secret = QByteArrayLiteral("12345678901234567890");
        seeding.addAccounts({account});
    }
    auto shell = makeShell();
    EXPECT_EQ(shell->store().accounts().size(), 1);
    m_preferences.sync();
    EXPECT_FALSE(QFile::exists(m_preferences.fileName()));
    EXPECT_EQ(m_controllersMade, 0);
    EXPECT_EQ(shell->hotKeyController(), nullptr);
}

TEST_F(ApplicationShellTest, TheFirstShownWindowCreatesTheOnlyHotKeyController)
{
    auto shell = makeShell();
    shell->showMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shell->mainWindow()));
    EXPECT_EQ(m_controllersMade, 1);
    for (int i = 0; i < 3; ++i) {
        shell->mainWindow().hide();
        shell->showMainWindow();
    }
    shell->ensureHotKeyController();
    EXPECT_EQ(m_controllersMade, 1);
    EXPECT_NE(shell->hotKeyController(), nullptr);
}

TEST_F(ApplicationShellTest, TrayOrHiddenStartCreatesTheControllerWithoutTheWindow)
{
    auto shell = makeShell();
    shell->ensureHotKeyController();
    EXPECT_EQ(m_controllersMade, 1);
    EXPECT_FALSE(shell->hasMainWindow());
    shell->showMainWindow();
    EXPECT_EQ(m_controllersMade, 1);
}

TEST(TickingClock, StartsAtCreationAndAdvancesEverySecond)
{
    double seconds = 100;
    TickingClock clock(nullptr, [&seconds] { return instantFromSeconds(seconds); });
    EXPECT_EQ(secondsSinceEpoch(clock.now()), 100);
    seconds = 101.25;
    QSignalSpy ticks(&clock, &TickingClock::nowChanged);
    ASSERT_TRUE(ticks.wait(2500));
    EXPECT_EQ(secondsSinceEpoch(clock.now()), 101.25);
    EXPECT_EQ(secondsSinceEpoch(ticks.at(0).at(0).value<Instant>()), 101.25);
}

TEST(TickingClock, TicksAboutOncePerSecondWithTheRealTime)
{
    TickingClock clock;
    const Instant start = clock.now();
    QSignalSpy ticks(&clock, &TickingClock::nowChanged);
    ASSERT_TRUE(ticks.wait(2500));
    const double elapsed = secondsSinceEpoch(clock.now()) - secondsSinceEpoch(start);
    EXPECT_GT(elapsed, 0.9);
    EXPECT_LT(elapsed, 2.0);
}

class SingleInstanceTest : public ::testing::Test
{
protected:
    QString serverName() const { return m_dir.filePath(QStringLiteral("instance")); }
    QTemporaryDir m_dir;
};

TEST_F(SingleInstanceTest, ASecondLaunchActivatesTheFirstAndStandsDown)
{
    SingleInstance first(serverName());
    ASSERT_EQ(first.claim(SingleInstance::Request::activate), SingleInstance::Role::primary);
    QSignalSpy activations(&first, &SingleInstance::activationRequested);

    // The later launch blocks on its socket, so it runs beside this event loop.
    auto second = std::async(std::launch::async, [name = serverName()] {
        SingleInstance other(name);
        return other.claim(SingleInstance::Request::activate);
    });
    ASSERT_TRUE(activations.wait(5000));
    EXPECT_EQ(second.get(), SingleInstance::Role::secondary);
}

TEST_F(SingleInstanceTest, AHiddenSecondLaunchDoesNotOpenTheWindow)
{
    SingleInstance first(serverName());
    ASSERT_EQ(first.claim(SingleInstance::Request::activate), SingleInstance::Role::primary);
    QSignalSpy activations(&first, &SingleInstance::activationRequested);
    auto second = std::async(std::launch::async, [name = serverName()] {
        SingleInstance other(name);
        return other.claim(SingleInstance::Request::none);
    });
    while (second.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents();
    EXPECT_EQ(second.get(), SingleInstance::Role::secondary);
    QCoreApplication::processEvents();
    EXPECT_EQ(activations.count(), 0);
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashedProcessDoesNotBlockTheNextStart)
{
    {
        QFile stale(serverName());
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    SingleInstance instance(serverName());
    EXPECT_EQ(instance.claim(SingleInstance::Request::activate), SingleInstance::Role::primary);
}

TEST_F(SingleInstanceTest, AStrayClientIsAnsweredAndIgnored)
{
    SingleInstance first(serverName());
    ASSERT_EQ(first.claim(SingleInstance::Request::activate), SingleInstance::Role::primary);
    QSignalSpy activations(&first, &SingleInstance::activationRequested);
    auto stray = std::async(std::launch::async, [name = serverName()] {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(2000))
            return QByteArray();
        socket.write(QByteArray(100, 'x') + "\n");
        socket.waitForBytesWritten(2000);
        while (!socket.canReadLine() && socket.waitForReadyRead(2000)) {
        }
        return socket.readLine();
    });
    while (stray.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents();
    EXPECT_EQ(stray.get(), QByteArray("ok\n"));
    EXPECT_EQ(activations.count(), 0);
}

} // namespace
