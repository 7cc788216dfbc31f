// SPDX-License-Identifier: GPL-3.0-or-later
// The clock check against a stand-in systemd-timedated on the private session's bus: the
// backend reads the real D-Bus property, and the main window shows or hides its notice.

#include "platform/dbus/timedated_clock_sync.h"
#include "settings/app_settings.h"
#include "storage/account_store.h"
#include "support/fake_clipboard.h"
#include "support/fake_secure_item_store.h"
#include "ui/main_window/clock_notice.h"
#include "ui/main_window/main_window.h"
#include "ui/widgets/ticking_clock.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

// Answers as timedated does, from its own bus connection, so every query goes over the bus.
class FakeTimedated : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.timedate1")
    Q_PROPERTY(bool NTPSynchronized READ ntpSynchronized)
public:
    explicit FakeTimedated(bool synchronised)
        : m_synchronised(synchronised),
          m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"fake-timedated"_s))
    {
        m_bus.registerObject(u"/org/freedesktop/timedate1"_s, this, QDBusConnection::ExportAllProperties);
        m_bus.registerService(u"org.freedesktop.timedate1"_s);
    }
    ~FakeTimedated() override
    {
        m_bus.unregisterService(u"org.freedesktop.timedate1"_s);
        m_bus.unregisterObject(u"/org/freedesktop/timedate1"_s);
        QDBusConnection::disconnectFromBus(u"fake-timedated"_s);
    }
    bool ntpSynchronized() const { return m_synchronised; }
    void setSynchronised(bool synchronised) { m_synchronised = synchronised; }

private:
    bool m_synchronised;
    QDBusConnection m_bus;
};

namespace {

ClockSyncState answerOf(ClockSync& sync)
{
    std::optional<ClockSyncState> answer;
    sync.query([&](ClockSyncState state) { answer = state; });
    EXPECT_FALSE(answer.has_value()) << "answered from inside the call";
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 15000));
    return answer.value_or(ClockSyncState::synchronised);
}

TEST(TimedatedClockSync, ReadsNtpSynchronizedAndIsUnknownWithoutTimedated)
{
    TimedatedClockSync sync(QDBusConnection::sessionBus());
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "run inside tools/private-session";
    EXPECT_EQ(answerOf(sync), ClockSyncState::unknown);
    {
        FakeTimedated timedated(true);
        EXPECT_EQ(answerOf(sync), ClockSyncState::synchronised);
        timedated.setSynchronised(false);
        EXPECT_EQ(answerOf(sync), ClockSyncState::notSynchronised);
    }
    EXPECT_EQ(answerOf(sync), ClockSyncState::unknown);
    TimedatedClockSync disconnected(QDBusConnection(u"never connected"_s));
    EXPECT_EQ(answerOf(disconnected), ClockSyncState::unknown);
}

class ClockNoticeTest : public ::testing::Test
{
protected:
    // A main window as the program opens it, over settings kept between "starts".
    MainWindow& openWindow()
    {
        m_window.reset();
        m_settings.reset();
        m_preferences = std::make_unique<QSettings>(m_dir.filePath(u"brisvane.conf"_s), QSettings::IniFormat);
        m_settings = std::make_unique<AppSettings>(*m_preferences);
        m_window = std::make_unique<MainWindow>(m_store, m_clock, m_clipboard, MainWindow::AddSheetFactory{});
        m_window->watchClock(m_sync, *m_settings);
        m_window->show();
        return *m_window;
    }
    bool noticeShownAfterAnswer()
    {
        ClockNotice* notice = m_window->clockNotice();
        QSignalSpy answered(notice, &ClockNotice::answered);
        answered.wait(15000);
        return notice->isVisibleTo(m_window.get());
    }

    QTemporaryDir m_dir;
    FakeSecureItemStore m_items;
    AccountStore m_store{m_items};
    TickingClock m_clock;
    FakeClipboard m_clipboard;
    TimedatedClockSync m_sync{QDBusConnection::sessionBus()};
    std::unique_ptr<QSettings> m_preferences;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(ClockNoticeTest, AnUnsynchronisedClockIsToldWithItsFixAndASynchronisedOneIsNot)
{
    {
        FakeTimedated timedated(false);
        openWindow();
        ASSERT_TRUE(noticeShownAfterAnswer());
        const QString text = m_window->clockNotice()->text();
        EXPECT_TRUE(text.contains(u"Your clock is not synchronised; codes may be rejected."_s));
        EXPECT_TRUE(text.contains(ClockNotice::helpUrl));
        // Dismissed, it stays away for this run only.
        m_window->clockNotice()->dismiss();
        EXPECT_FALSE(m_window->clockNotice()->isVisibleTo(m_window.get()));
        openWindow();
        EXPECT_TRUE(noticeShownAfterAnswer());
    }
    FakeTimedated timedated(true);
    openWindow();
    EXPECT_FALSE(noticeShownAfterAnswer());
    EXPECT_EQ(m_window->clockNotice()->state(), ClockSyncState::synchronised);
}

TEST_F(ClockNoticeTest, WithoutTimedatedTheNoticeShowsUntilDismissedForGood)
{
    openWindow();
    ASSERT_TRUE(noticeShownAfterAnswer());
    m_window->clockNotice()->dismiss();
    openWindow();
    EXPECT_FALSE(noticeShownAfterAnswer());
    EXPECT_EQ(m_window->clockNotice()->state(), ClockSyncState::unknown);
}

} // namespace

#include "clock_check_test.moc"
