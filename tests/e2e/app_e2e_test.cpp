// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the built program from outside, as a user would: the keyring through secret-tool,
// the window through xdotool, the clipboard through xclip, the expected codes from oathtool.

#include "e2e_tools.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace E2E;

using namespace Qt::StringLiterals;

namespace {

// RFC 6238's SHA-1 key, as the stored JSON (Base64) and as oathtool takes it (Base32).
const QString secretBase64 = QStringLiteral("MTIzNDU2Nzg5MDEyMzQ1Njc4OTA=");
const QString secretBase32 = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ");

class AppEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override { clearKeyring(); }

    void TearDown() override
    {
        for (QProcess* app : m_apps) {
            app->terminate();
            if (!app->waitForFinished(5000)) {
                app->kill();
                app->waitForFinished();
            }
            delete app;
        }
        clearKeyring();
    }

    QProcess* start(const QStringList& arguments = {})
    {
        auto* app = new QProcess;
        app->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app->start(QStringLiteral(BRISVANE_APP), arguments);
        m_apps.append(app);
        EXPECT_TRUE(app->waitForStarted(5000));
        return app;
    }

    static QString waitForMainWindow() { return waitForWindow(QStringLiteral("Brisvane")); }
    static bool mainWindowVisible() { return windowVisible(QStringLiteral("Brisvane")); }

    QList<QProcess*> m_apps;
};

void storeAccount(const QString& id, const QString& issuer, const QString& name)
{
    const QString json = QStringLiteral("{\"id\":\"%1\",\"name\":\"%2\",\"issuer\":\"%3\",\"secret\":\"%4\","
                                        "\"type\":\"totp\",\"algorithm\":\"SHA1\",\"digits\":6,\"period\":30,"
                                        "\"counter\":0,\"createdAt\":\"2024-05-01T09:30:00Z\"}")
                             .arg(id, name, issuer, secretBase64);
    const Outcome stored =
        run(QStringLiteral("secret-tool"),
            {QStringLiteral("store"), QStringLiteral("--label"), QStringLiteral("e2e account"),
             QStringLiteral("service"), keyringService, QStringLiteral("account"), id},
            json.toUtf8());
    ASSERT_EQ(stored.exitCode, 0) << qPrintable(stored.err);
}

QStringList oathtoolCodesAround(qint64 now)
{
    QStringList codes;
    for (qint64 t = now - 2; t <= now + 1; ++t) {
        codes.append(run(QStringLiteral("oathtool"),
                         {QStringLiteral("--totp"), QStringLiteral("-b"), QStringLiteral("-N"),
                          QStringLiteral("@%1").arg(t), secretBase32})
                         .out);
    }
    return codes;
}

QMap<QString, int> windowGeometry(const QString& window)
{
    QMap<QString, int> values;
    const Outcome shell = run(QStringLiteral("xdotool"),
                              {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    for (const QString& line : shell.out.split(QLatin1Char('\n'))) {
        const QStringList pair = line.split(QLatin1Char('='));
        if (pair.size() == 2)
            values.insert(pair[0], pair[1].toInt());
    }
    return values;
}

TEST_F(AppEndToEnd, AnAccountStoredBeforehandIsListedAndClickingItsCodeCopiesOathtoolsCode)
{
    storeAccount(QStringLiteral("6A1F4C2E-0B7D-4E59-9C31-2D8E5F7A9B10"), QStringLiteral("Example Bank"),
                 QStringLiteral("alice@example.com"));
    start();
    const QString window = waitForMainWindow();
    ASSERT_FALSE(window.isEmpty()) << "the main window did not appear";
    const QMap<QString, int> geometry = windowGeometry(window);
    ASSERT_GE(geometry.value(QStringLiteral("WIDTH")), 520);
    ASSERT_GE(geometry.value(QStringLiteral("HEIGHT")), 420);

    // The first row's code sits right of the name, left of the ring and the copy button.
    const int x = geometry.value(QStringLiteral("WIDTH")) - 110;
    const int y = 78;
    const Outcome clicked =
        run(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(x),
             QString::number(y), QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_EQ(clicked.exitCode, 0) << qPrintable(clicked.err);
    const qint64 now = QDateTime::currentSecsSinceEpoch();

    QString copied;
    waitUntil(
        [&] {
            copied = run(QStringLiteral("xclip"),
                         {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")})
                         .out;
            return !copied.isEmpty();
        },
        3000);
    ASSERT_EQ(copied.size(), 6) << qPrintable(copied);
    EXPECT_TRUE(oathtoolCodesAround(now).contains(copied)) << qPrintable(copied);
}

TEST_F(AppEndToEnd, TerminationSignalEndsThroughTheQuitRuleNotByTheSignal)
{
    QProcess* app = start();
    ASSERT_FALSE(waitForMainWindow().isEmpty());
    app->terminate();
    ASSERT_TRUE(app->waitForFinished(10000));
    EXPECT_EQ(app->exitStatus(), QProcess::NormalExit) << "handled, with nothing unsaved to ask about";
    EXPECT_EQ(app->exitCode(), 0);
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
    EXPECT_FALSE(waitForMainWindow().isEmpty()) << "the running instance did not show its window";
    EXPECT_EQ(m_apps.first()->state(), QProcess::Running);
}

// This session has no tray: the main window alone must lead to the settings and to Quit.
TEST_F(AppEndToEnd, WithoutATrayTheMainWindowOpensTheSettingsAndQuits)
{
    QProcess* app = start();
    const QString window = waitForMainWindow();
    ASSERT_FALSE(window.isEmpty()) << "the main window did not appear";
    ASSERT_TRUE(xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}));
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
    ASSERT_TRUE(xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window}));
    const int width = windowGeometry(window).value(QStringLiteral("WIDTH"));
    const auto programWindows = [] {
        return run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                               QStringLiteral("--classname"), QStringLiteral("^brisvane$")})
            .out.count(u'\n');
    };
    const qsizetype before = programWindows();
    ASSERT_TRUE(
        xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(width - 26),
                 QStringLiteral("24"), QStringLiteral("click"), QStringLiteral("1")}));
    ASSERT_TRUE(waitUntil([&] { return programWindows() > before; })) << "the menu did not open";
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("Up"), QStringLiteral("Return")}));
    ASSERT_TRUE(app->waitForFinished(10000)) << "Quit in the window's menu did not end the program";
    EXPECT_EQ(app->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app->exitCode(), 0);
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

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
