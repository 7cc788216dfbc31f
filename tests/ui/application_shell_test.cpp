// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotkeys/hot_key_controller.h"
#include "settings/app_settings.h"
#include "shell_fakes.h"
#include "storage/account_store.h"
#include "ui/about/about_window.h"
#include "ui/settings/hotkeys_tab.h"
#include "ui/settings/settings_window.h"
#include "ui/shell/application_shell.h"
#include "ui/shell/single_instance.h"
#include "ui/widgets/ticking_clock.h"
#include "ui_test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <future>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class ApplicationShellTest : public ::testing::Test, protected ShellFakes
{
protected:
    std::unique_ptr<ApplicationShell> makeShell()
    {
        auto shell = std::make_unique<ApplicationShell>(services(), MainWindow::AddSheetFactory{});
        // The load runs on the keyring's thread; the fake is changed only while it rests.
        EXPECT_TRUE(shell->store().waitForAnswers(std::chrono::seconds(5)));
        return shell;
    }
};

TEST_F(ApplicationShellTest, LoadsTheAccountsAndATrayStartOrTheFirstShownWindowMakesTheOnlyController)
{
    {
        auto tray = makeShell();
        tray->ensureHotKeyController();
        EXPECT_NE(tray->hotKeyController(), nullptr);
        EXPECT_FALSE(tray->hasMainWindow());
    }
    AccountStore(m_items).addAccounts({testAccount({}, u"alice"_s)});
    auto shell = makeShell();
    EXPECT_EQ(shell->store().accounts().size(), 1);
    m_preferences.sync();
    EXPECT_FALSE(QFile::exists(m_preferences.fileName()));
    EXPECT_EQ(shell->hotKeyController(), nullptr);

    shell->showMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shell->mainWindow()));
    HotKeyController* const first = shell->hotKeyController();
    ASSERT_NE(first, nullptr);
    for (int i = 0; i < 3; ++i) {
        shell->mainWindow().hide();
        shell->showMainWindow();
    }
    shell->ensureHotKeyController();
    EXPECT_EQ(shell->hotKeyController(), first);
}

// A combination being recorded must reach the recorder, not the controller's grab.
TEST_F(ApplicationShellTest, RecordingInTheSettingsSuspendsTheHotkeysUntilItEnds)
{
    auto shell = makeShell();
    shell->showSettings();
    ASSERT_NE(shell->settingsWindow(), nullptr);
    Q_EMIT shell->settingsWindow()->hotKeysTab()->recordingChanged(true);
    EXPECT_TRUE(shell->hotKeyController()->isSuspended());
    Q_EMIT shell->settingsWindow()->hotKeysTab()->recordingChanged(false);
    EXPECT_FALSE(shell->hotKeyController()->isSuspended());
}

TEST_F(ApplicationShellTest, EveryWayToQuitAsksFirstWhileAnAccountExistsOnlyInMemory)
{
    auto shell = makeShell();
    QList<int> asked;
    bool answer = false;
    shell->setUnsavedQuitConfirmation([&](int unsaved) {
        asked.append(unsaved);
        return answer;
    });
    m_items.failEverything(SecureItemStatusCode::notAvailable);
    shell->store().addAccounts({testAccount({}, u"alice"_s)});

    EXPECT_FALSE(shell->requestQuit());
    EXPECT_EQ(asked, QList<int>{1});
    EXPECT_EQ(shell->store().accounts().size(), 1);
    // The main window's Quit, Ctrl+Q and closing the only window take the same path.
    shell->showMainWindow();
    MainWindow& window = shell->mainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Q_EMIT window.quitRequested();
    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.close()) << "without a tray the window is the only way back";
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(asked, (QList<int>{1, 1, 1, 1}));

    // Nobody to ask (the session ends) means keep running, and say why.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(shell->mayQuit(false));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("keeps running: 1 account"), std::string::npos);
    shell->setClosingMainWindowQuits(false);
    EXPECT_TRUE(window.close()) << "with a tray it only hides";
    EXPECT_EQ(asked.size(), 4);

    // Its Settings and About open their windows.
    Q_EMIT window.settingsRequested();
    Q_EMIT window.aboutRequested();
    ASSERT_NE(shell->settingsWindow(), nullptr);
    EXPECT_TRUE(shell->settingsWindow()->isVisible());
    ASSERT_NE(shell->aboutWindow(), nullptr);
    EXPECT_TRUE(shell->aboutWindow()->isVisible());
    answer = true;
    EXPECT_TRUE(shell->requestQuit());

    // Once the keyring works again, the retry on quitting stores the account and nobody is asked.
    asked.clear();
    m_items.clearFailures();
    EXPECT_TRUE(shell->requestQuit());
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_EQ(AccountStore(m_items).accounts().size(), 1);
}

TEST_F(ApplicationShellTest, QuitWhileAWriteIsUnansweredWaitsForItAWhileThenAsks)
{
    auto shell = makeShell();
    int asked = 0;
    shell->setUnsavedQuitConfirmation([&](int unsaved) {
        asked += unsaved;
        return false;
    });
    m_items.closeGate();
    shell->store().addAccounts({testAccount({}, u"alice"_s)});
    QElapsedTimer waited;
    waited.start();
    EXPECT_FALSE(shell->requestQuit());
    EXPECT_GE(waited.elapsed(), 1900);
    EXPECT_EQ(asked, 1);

    m_items.openGate();
    EXPECT_TRUE(shell->requestQuit());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(AccountStore(m_items).accounts().size(), 1);
}

TEST(TickingClock, StartsAtCreationAndPublishesEachTickASecondApart)
{
    double seconds = 100;
    TickingClock clock(nullptr, [&seconds] { return instantFromSeconds(seconds); });
    QElapsedTimer sinceCreation;
    sinceCreation.start();
    EXPECT_EQ(secondsSinceEpoch(clock.now()), 100);
    seconds = 101.25;
    QSignalSpy ticks(&clock, &TickingClock::nowChanged);
    ASSERT_TRUE(ticks.wait(5000));
    EXPECT_GE(sinceCreation.elapsed(), 900);
    EXPECT_EQ(secondsSinceEpoch(clock.now()), 101.25);
    EXPECT_EQ(secondsSinceEpoch(ticks.at(0).at(0).value<Instant>()), 101.25);
}

class SingleInstanceTest : public ::testing::Test
{
protected:
    QString serverName() const { return m_dir.filePath(u"instance"_s); }
    // A later launch blocks on its socket, so it runs beside this event loop.
    template <typename Work> static auto besideEventLoop(Work work)
    {
        auto result = std::async(std::launch::async, std::move(work));
        while (result.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return result.get();
    }
    SingleInstance::Role launch(SingleInstance::Request request) const
    {
        return besideEventLoop(
            [name = serverName(), request] { return SingleInstance(name).claim(request); });
    }
    QTemporaryDir m_dir;
};

TEST_F(SingleInstanceTest, ALaterLaunchStandsDownOnlyAnActivatingOneRaisesTheFirstAndALinkArrivesWhole)
{
    SingleInstance first(serverName());
    ASSERT_EQ(first.claim(SingleInstance::Request::activate), SingleInstance::Role::primary);
    QSignalSpy activations(&first, &SingleInstance::activationRequested);
    EXPECT_EQ(launch(SingleInstance::Request::none), SingleInstance::Role::secondary);
    QCoreApplication::processEvents();
    EXPECT_EQ(activations.count(), 0);
    EXPECT_EQ(launch(SingleInstance::Request::activate), SingleInstance::Role::secondary);
    EXPECT_TRUE(activations.count() == 1 || activations.wait(5000));
    QSignalSpy settings(&first, &SingleInstance::settingsRequested);
    EXPECT_EQ(launch(SingleInstance::Request::settings), SingleInstance::Role::secondary);
    EXPECT_TRUE(settings.count() == 1 || settings.wait(5000));
    EXPECT_EQ(activations.count(), 1);

    // A link given to a later launch reaches the first whole.
    QSignalSpy links(&first, &SingleInstance::linkReceived);
    const QString link =
        u"otpauth://totp/B%C3%A4nk:z%0Aoe?secret=JBSWY3DP&issuer=Bänk&x=\n"_s + QString(3000, u'a');
    EXPECT_EQ(besideEventLoop([name = serverName(), link] {
                  return SingleInstance(name).claim(SingleInstance::Request::activate, link);
              }),
              SingleInstance::Role::secondary);
    ASSERT_TRUE(links.count() == 1 || links.wait(5000));
    EXPECT_EQ(links.at(0).at(0).toString(), link);
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashedProcessDoesNotBlockTheNextStart)
{
    QFile stale(serverName());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    EXPECT_EQ(SingleInstance(serverName()).claim(SingleInstance::Request::activate),
              SingleInstance::Role::primary);
}

TEST_F(SingleInstanceTest, AStrayClientIsAnsweredAndIgnored)
{
    SingleInstance first(serverName());
    ASSERT_EQ(first.claim(SingleInstance::Request::activate), SingleInstance::Role::primary);
    QSignalSpy activations(&first, &SingleInstance::activationRequested);
    const QByteArray reply = besideEventLoop([name = serverName()] {
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
    EXPECT_EQ(reply, QByteArray("ok\n"));
    EXPECT_EQ(activations.count(), 0);
}

TEST_F(SingleInstanceTest, TheSocketLivesOnlyWhereNoOtherUserCanCreateIt)
{
    const QString runtime = m_dir.filePath(u"runtime"_s);
    const QString cache = m_dir.filePath(u"cache"_s);
    ASSERT_TRUE(QDir().mkdir(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedCache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", cache.toUtf8());
    const auto nameWith = [](const QByteArray& runtimeDir) {
        if (runtimeDir.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", runtimeDir);
        QString problem;
        const QString name = SingleInstance::defaultServerName(&problem);
        return name.isEmpty() ? u"refused: "_s + problem : name;
    };
    const QString name = u"/org.brisvane.Brisvane.instance"_s;
    EXPECT_EQ(nameWith(runtime.toUtf8()), runtime + name);
    EXPECT_EQ(nameWith(QByteArray()), cache + u"/brisvane"_s + name) << "never a shared folder such as /tmp";
    EXPECT_FALSE(QFileInfo(cache + u"/brisvane"_s).permissions() &
                 (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    QFile::setPermissions(runtime, QFile::Permissions(0x7777));
    EXPECT_EQ(nameWith(runtime.toUtf8()), cache + u"/brisvane"_s + name);
    QFile::setPermissions(cache + u"/brisvane"_s, QFile::Permissions(0x7777));
    EXPECT_TRUE(nameWith(QByteArray()).startsWith(u"refused: other users may create files in "_s));
    qputenv("XDG_RUNTIME_DIR", savedRuntime);
    qputenv("XDG_CACHE_HOME", savedCache);
    if (savedCache.isNull())
        qunsetenv("XDG_CACHE_HOME");
}

TEST_F(SingleInstanceTest, ASocketOrLockOfAnotherUserIsRefusedWithItsName)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to give a file to another user";
    for (const QString& path : {serverName(), serverName() + u".lock"_s}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.close();
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        SingleInstance instance(serverName());
        EXPECT_EQ(instance.claim(SingleInstance::Request::activate), SingleInstance::Role::refused);
        EXPECT_EQ(instance.problem(), path + u" belongs to another user"_s);
        QFile::remove(path);
    }
    EXPECT_EQ(SingleInstance(serverName()).claim(SingleInstance::Request::none),
              SingleInstance::Role::primary);
}

} // namespace
