// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the built program from outside, as a user would: the keyring through secret-tool,
// the window through xdotool, the clipboard through xclip, the expected codes from oathtool.

#include "e2e_tools.h"

#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>

using namespace E2E;
using namespace Qt::StringLiterals;

namespace {

class AppEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override { clearKeyring(); }
    void TearDown() override { clearKeyring(); }

    // The program, started with `arguments`, and its main window once it is on screen.
    QString start(const QStringList& arguments = {})
    {
        EXPECT_TRUE(m_app.start(QStringLiteral(BRISVANE_APP), arguments));
        return arguments.isEmpty() ? waitForWindow(QStringLiteral("Brisvane")) : QString();
    }

    static bool mainWindowVisible() { return windowVisible(QStringLiteral("Brisvane")); }

    Program m_app;
};

TEST_F(AppEndToEnd, AStoredAccountsCodeIsCopiedByAClickAndATerminationSignalEndsCleanly)
{
    ASSERT_TRUE(storeAccount({.name = u"alice@example.com"_s, .issuer = u"Example Bank"_s}));
    const QString window = start();
    ASSERT_FALSE(window.isEmpty()) << "the main window did not appear";
    const QRect geometry = windowGeometry(window);
    ASSERT_GE(geometry.width(), 520);
    ASSERT_GE(geometry.height(), 420);

    // The first row's code sits right of the name, left of the ring and the copy button.
    setClipboardText("before");
    const qint64 clicked = QDateTime::currentSecsSinceEpoch();
    ASSERT_TRUE(click(QPoint(geometry.width() - 110, 78), window));
    QString copied;
    ASSERT_TRUE(waitUntil([&] { return (copied = clipboardText()) != u"before"_s; }, 3000));
    EXPECT_TRUE(totpCodesSince(clicked).contains(copied)) << qPrintable(copied);

    // Handled through the quit rule, with nothing unsaved to ask about.
    m_app.process().terminate();
    EXPECT_TRUE(m_app.endsCleanly());
}

TEST_F(AppEndToEnd, ASecondLaunchHandsItsRequestToTheRunningInstanceAndExitsZero)
{
    const QString socket = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
                           QStringLiteral("/org.brisvane.Brisvane.instance");
    // A program ended by SIGTERM in an earlier test leaves its socket file behind; only a
    // fresh one shows that this instance listens.
    QFile::remove(socket);
    start({QStringLiteral("--hidden")});
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(socket); }));
    EXPECT_FALSE(mainWindowVisible()) << "--hidden must not open the main window";

    // The desktop entry's Settings action.
    const Outcome settings = run(QStringLiteral(BRISVANE_APP), {QStringLiteral("--settings")});
    EXPECT_EQ(settings.exitCode, 0) << qPrintable(settings.err);
    EXPECT_FALSE(waitForWindow(QStringLiteral("Settings")).isEmpty())
        << "the running instance did not open its settings";
    EXPECT_FALSE(mainWindowVisible()) << "--settings opens only the settings";

    const Outcome second = run(QStringLiteral(BRISVANE_APP), {});
    EXPECT_EQ(second.exitCode, 0) << qPrintable(second.err);
    EXPECT_FALSE(waitForWindow(QStringLiteral("Brisvane")).isEmpty())
        << "the running instance did not show its window";
    EXPECT_EQ(m_app.process().state(), QProcess::Running);
}

// This session has no tray: the main window alone must lead to the settings and to Quit.
TEST_F(AppEndToEnd, WithoutATrayTheMainWindowOpensTheSettingsAndQuits)
{
    const QString window = start();
    ASSERT_FALSE(window.isEmpty()) << "the main window did not appear";
    ASSERT_TRUE(focus(window));
    QString settings;
    ASSERT_TRUE(pressUntil(QStringLiteral("ctrl+comma"), [&] {
        return !(settings = waitForWindow(QStringLiteral("Settings"), 1)).isEmpty();
    })) << "Ctrl+comma opened no settings";
    // The desktop adds the program's name once, after the window's own title.
    EXPECT_EQ(run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), settings}).out,
              u"Settings \u2014 Brisvane"_s);

    // Without a window manager the settings window may cover the main window's header.
    ASSERT_TRUE(xdotool({QStringLiteral("windowmove"), QStringLiteral("--sync"), settings,
                         QStringLiteral("900"), QStringLiteral("300")}));
    // The menu button is the last one in the header, right of Add; its last entry is Quit.
    ASSERT_TRUE(focus(window));
    const auto programWindows = [] {
        return visibleWindows({QStringLiteral("--classname"), QStringLiteral("^brisvane$")}).size();
    };
    const qsizetype before = programWindows();
    ASSERT_TRUE(click(QPoint(windowGeometry(window).width() - 26, 24), window));
    ASSERT_TRUE(waitUntil([&] { return programWindows() > before; })) << "the menu did not open";
    ASSERT_TRUE(press({QStringLiteral("Up"), QStringLiteral("Return")}));
    EXPECT_TRUE(m_app.endsCleanly()) << "Quit in the window's menu did not end the program";
}

TEST_F(AppEndToEnd, WithoutADisplayItSaysSoInsteadOfAborting)
{
    QProcessEnvironment bogus = QProcessEnvironment::systemEnvironment();
    bogus.insert(QStringLiteral("DISPLAY"), QStringLiteral(":4711"));
    const Outcome unreachable = run(QStringLiteral(BRISVANE_APP), {}, {}, 20000, bogus);
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_TRUE(unreachable.err.contains(QStringLiteral("could not open a display")))
        << qPrintable(unreachable.err);

    QProcessEnvironment none = QProcessEnvironment::systemEnvironment();
    none.remove(QStringLiteral("DISPLAY"));
    none.remove(QStringLiteral("WAYLAND_DISPLAY"));
    none.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const Outcome missing = run(QStringLiteral(BRISVANE_APP), {}, {}, 20000, none);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("needs a display"))) << qPrintable(missing.err);
}

} // namespace
