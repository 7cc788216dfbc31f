// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e_tools.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QUuid>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

// The tray icon, its window and the settings window, driven from outside as a user would:
// an XEmbed tray from trayer, clicks and keys from xdotool, the clipboard through xclip and
// the expected codes from oathtool.

namespace {

const QString service = QStringLiteral("org.brisvane.Brisvane");
const QString secretBase32 = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"); // "12345678901234567890"
const QString secretBase64 = QStringLiteral("MTIzNDU2Nzg5MDEyMzQ1Njc4OTA=");

std::optional<QByteArray> run(const QString& program, const QStringList& arguments,
                              const QByteArray& input = {})
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(5000))
        return std::nullopt;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

bool xdotool(const QStringList& arguments)
{
    return run(QStringLiteral("xdotool"), arguments).has_value();
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 8000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < timeoutMs) {
        if (condition())
            return true;
        QThread::msleep(50);
    }
    return condition();
}

// Only this test's account in the keyring, counter-based so its code is fixed.
bool storeOnlyAccount(const QUuid& id, int counter)
{
    run(QStringLiteral("secret-tool"), {QStringLiteral("clear"), QStringLiteral("service"), service});
    const QString upper = id.toString(QUuid::WithoutBraces).toUpper();
    const QString json =
        QStringLiteral(R"({"id":"%1","name":"tray-user","issuer":"E2E","secret":"%2","type":"hotp",)"
                       R"("algorithm":"SHA1","digits":6,"period":30,"counter":%3,)"
                       R"("createdAt":"2024-05-01T09:30:00Z"})")
            .arg(upper, secretBase64)
            .arg(counter);
    return run(QStringLiteral("secret-tool"),
               {QStringLiteral("store"), QStringLiteral("--label=Brisvane: E2E: tray-user"),
                QStringLiteral("service"), service, QStringLiteral("account"), upper},
               json.toUtf8())
        .has_value();
}

void clearSettings()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QFile::remove(config + QStringLiteral("/brisvane/brisvane.conf"));
}

QString hotpCode(int counter)
{
    const auto out =
        run(QStringLiteral("oathtool"), {QStringLiteral("--hotp"), QStringLiteral("-c"),
                                         QString::number(counter), QStringLiteral("-b"), secretBase32});
    return out ? QString::fromUtf8(*out).trimmed() : QString();
}

QString clipboardText()
{
    return QString::fromUtf8(run(QStringLiteral("xclip"), {QStringLiteral("-o"), QStringLiteral("-selection"),
                                                           QStringLiteral("clipboard")})
                                 .value_or(QByteArray()));
}

struct Window
{
    QString id;
    QRect geometry;
};

// Visible windows matching an xdotool search, with their screen geometry.
QList<Window> visibleWindows(const QStringList& search)
{
    QList<Window> windows;
    const auto ids = run(QStringLiteral("xdotool"),
                         QStringList{QStringLiteral("search"), QStringLiteral("--onlyvisible")} + search);
    if (!ids)
        return windows;
    static const QRegularExpression position(QStringLiteral(R"(Position: (-?\d+),(-?\d+))"));
    static const QRegularExpression size(QStringLiteral(R"(Geometry: (\d+)x(\d+))"));
    for (const QByteArray& line : ids->split('\n')) {
        const QString id = QString::fromUtf8(line.trimmed());
        if (id.isEmpty())
            continue;
        const auto geometry = run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), id});
        if (!geometry)
            continue;
        const QString text = QString::fromUtf8(*geometry);
        const auto p = position.match(text);
        const auto s = size.match(text);
        if (p.hasMatch() && s.hasMatch())
            windows.append({id, QRect(p.captured(1).toInt(), p.captured(2).toInt(), s.captured(1).toInt(),
                                      s.captured(2).toInt())});
    }
    return windows;
}

// The icon inside trayer's 28-pixel panel at the top of the screen.
std::optional<QRect> trayIconWindow()
{
    for (const Window& window :
         visibleWindows({QStringLiteral("--classname"), QStringLiteral("^brisvane$")})) {
        if (window.geometry.top() < 28 && window.geometry.height() <= 28 && window.geometry.width() > 4)
            return window.geometry;
    }
    return std::nullopt;
}

std::optional<Window> windowNamed(const QString& title, std::optional<int> width = {})
{
    for (const Window& window : visibleWindows({QStringLiteral("--name"), u'^' + title + u'$'})) {
        if (!width || window.geometry.width() == *width)
            return window;
    }
    return std::nullopt;
}

bool click(const QPoint& at)
{
    return xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                    QStringLiteral("click"), QStringLiteral("1")});
}

class TrayEndToEnd : public ::testing::Test
{
protected:
    QProcess tray;
    QProcess app;
    QUuid id = QUuid::createUuid();

    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty())
            GTEST_SKIP() << "trayer is not installed";
        clearSettings();
        ASSERT_TRUE(storeOnlyAccount(id, 7));
        tray.start(QStringLiteral("trayer"),
                   {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                    QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                    QStringLiteral("--height"), QStringLiteral("28")});
        ASSERT_TRUE(tray.waitForStarted(5000));
        QThread::msleep(500);
        app.start(QStringLiteral(BRISVANE_APP), {QStringLiteral("--background")});
        ASSERT_TRUE(app.waitForStarted(5000));
    }
    void TearDown() override
    {
        for (QProcess* process : {&app, &tray}) {
            if (process->state() == QProcess::NotRunning)
                continue;
            process->terminate();
            if (!process->waitForFinished(3000)) {
                process->kill();
                process->waitForFinished();
            }
        }
    }

    // Clicks the tray icon and returns the tray window once it is on screen and has the
    // keyboard, so that keys pressed next reach it.
    std::optional<QRect> openTrayWindow()
    {
        std::optional<QRect> icon;
        if (!waitUntil([&] { return (icon = trayIconWindow()).has_value(); }))
            return std::nullopt;
        click(icon->center());
        std::optional<Window> window;
        if (!waitUntil([&] { return (window = windowNamed(QStringLiteral("Brisvane"), 340)).has_value(); }) ||
            !waitUntil([&] { return E2E::hasFocus(window->id); }))
            return std::nullopt;
        return window->geometry;
    }
};

} // namespace

TEST_F(TrayEndToEnd, IconOpensTheWindowARowClickCopiesAndQuitEndsTheProgram)
{
    const std::optional<QRect> window = openTrayWindow();
    ASSERT_TRUE(window) << "the tray window did not open";
    const std::optional<QRect> icon = trayIconWindow();
    ASSERT_TRUE(icon);
    // Opened under the icon, inside the screen.
    EXPECT_GE(window->top(), icon->bottom());

    // The single row sits right under the header; clicking right of the move column copies.
    run(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard")}, "before");
    ASSERT_TRUE(click(window->topLeft() + QPoint(200, 70)));
    const QString expected = hotpCode(7);
    EXPECT_TRUE(waitUntil([&] { return clipboardText() == expected; })) << clipboardText().toStdString();

    // Quit sits at the right end of the footer.
    ASSERT_TRUE(click(QPoint(window->right() - 30, window->bottom() - 18)));
    EXPECT_TRUE(app.waitForFinished(5000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 0);
}

TEST_F(TrayEndToEnd, ARecordedBindingCopiesTheCode)
{
    ASSERT_TRUE(openTrayWindow()) << "the tray window did not open";
    // Ctrl+comma opens the settings window from the tray window.
    std::optional<Window> settingsWindow;
    ASSERT_TRUE(E2E::pressUntil(QStringLiteral("ctrl+comma"), [&] {
        return (settingsWindow = windowNamed(QStringLiteral("Settings"))).has_value();
    })) << "Ctrl+comma opened no settings";
    ASSERT_TRUE(xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), settingsWindow->id}));
    const QRect settings = settingsWindow->geometry;
    // To the Hotkeys tab, then "Add hotkey" at the left of the footer.
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+Tab")}));
    QThread::msleep(300);
    ASSERT_TRUE(click(QPoint(settings.left() + 60, settings.bottom() - 26)));
    QThread::msleep(300);
    // From "Add hotkey" the new row follows in the focus chain: switch, account, recorder.
    for (const QString& key : {QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Down"),
                               QStringLiteral("Tab"), QStringLiteral("space")}) {
        ASSERT_TRUE(xdotool({QStringLiteral("key"), key}));
        QThread::msleep(150);
    }
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+shift+y")}));

    // The hotkeys follow the bindings 120 ms after the last change; a press before that
    // reaches only the recorder, which no longer records.
    run(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard")}, "before");
    const QString expected = hotpCode(7);
    EXPECT_TRUE(E2E::pressUntil(QStringLiteral("ctrl+alt+shift+y"), [&] {
        return clipboardText() == expected;
    })) << clipboardText().toStdString();

    // Recording the bound combination again: it must reach the recorder, which still has the
    // focus, not our own grab; once recorded the grab is back.
    run(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard")}, "before");
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("space")}));
    QThread::msleep(300);
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+shift+y")}));
    QThread::msleep(800);
    EXPECT_EQ(clipboardText().toStdString(), "before") << "the hotkey took the combination from the recorder";
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+shift+y")}));
    const QString next = hotpCode(8);
    EXPECT_TRUE(waitUntil([&] { return clipboardText() == next; })) << clipboardText().toStdString();
}
