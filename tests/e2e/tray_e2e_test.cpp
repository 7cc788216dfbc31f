// SPDX-License-Identifier: GPL-3.0-or-later
// The tray icon, its window and the settings window, driven from outside as a user would:
// an XEmbed tray from trayer, clicks and keys from xdotool, the clipboard through xclip and
// the expected codes from oathtool.
#include "e2e_tools.h"

#include <gtest/gtest.h>

using namespace E2E;

namespace {

// The icon inside trayer's 28-pixel panel at the top of the screen.
std::optional<QRect> trayIcon()
{
    for (const Window& window :
         visibleWindows({QStringLiteral("--classname"), QStringLiteral("^brisvane$")})) {
        const QRect& icon = window.geometry;
        if (icon.top() < 28 && icon.height() <= 28 && icon.width() > 4)
            return icon;
    }
    return std::nullopt;
}

class TrayEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty())
            GTEST_SKIP() << "trayer is not installed";
        writeSettings();
        clearKeyring();
        // Counter-based, so its code is fixed.
        ASSERT_TRUE(storeAccount(
            {.name = QStringLiteral("tray-user"), .type = QStringLiteral("hotp"), .counter = 7}));
        ASSERT_TRUE(
            m_tray.start(QStringLiteral("trayer"),
                         {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                          QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                          QStringLiteral("--height"), QStringLiteral("28")}));
        QThread::msleep(500);
        ASSERT_TRUE(m_app.start(QStringLiteral(BRISVANE_APP), {QStringLiteral("--background")}));
    }

    // Clicks the tray icon and returns the tray window once it is on screen and has the
    // keyboard, so that keys pressed next reach it.
    std::optional<QRect> openTrayWindow()
    {
        std::optional<QRect> icon;
        if (!waitUntil([&] { return (icon = trayIcon()).has_value(); }))
            return std::nullopt;
        click(icon->center());
        std::optional<Window> window;
        if (!waitUntil([&] { return (window = windowNamed(QStringLiteral("Brisvane"), 340)).has_value(); }) ||
            !waitUntil([&] { return hasFocus(window->id); }))
            return std::nullopt;
        return window->geometry;
    }

    Program m_tray{QProcess::SeparateChannels};
    Program m_app;
};

} // namespace

TEST_F(TrayEndToEnd, IconOpensTheWindowARowClickCopiesAndQuitEndsTheProgram)
{
    const std::optional<QRect> window = openTrayWindow();
    ASSERT_TRUE(window) << "the tray window did not open";
    // Opened under the icon, inside the screen.
    EXPECT_GE(window->top(), trayIcon().value_or(QRect()).bottom());

    // The single row sits right under the header; clicking right of the move column copies.
    setClipboardText("before");
    ASSERT_TRUE(click(window->topLeft() + QPoint(200, 70)));
    const QString expected = hotpCode(7);
    EXPECT_TRUE(waitUntil([&] { return clipboardText() == expected; })) << clipboardText().toStdString();

    // Quit sits at the right end of the footer.
    ASSERT_TRUE(click(QPoint(window->right() - 30, window->bottom() - 18)));
    EXPECT_TRUE(m_app.endsCleanly(5000));
}

TEST_F(TrayEndToEnd, ARecordedBindingCopiesTheCode)
{
    ASSERT_TRUE(openTrayWindow()) << "the tray window did not open";
    // Ctrl+comma opens the settings window from the tray window.
    std::optional<Window> settings;
    ASSERT_TRUE(pressUntil(QStringLiteral("ctrl+comma"), [&] {
        return (settings = windowNamed(QStringLiteral("Settings"))).has_value();
    })) << "Ctrl+comma opened no settings";
    ASSERT_TRUE(focus(settings->id));
    // To the Hotkeys tab, then "Add hotkey" at the left of the footer. The tab and the new row
    // show nothing a tool could wait for, hence the pauses.
    ASSERT_TRUE(press({QStringLiteral("ctrl+Tab")}));
    QThread::msleep(300);
    ASSERT_TRUE(click(QPoint(settings->geometry.left() + 60, settings->geometry.bottom() - 26)));
    QThread::msleep(300);
    // From "Add hotkey" the new row follows in the focus chain: switch, account, recorder.
    for (const QString& key :
         {QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Down"), QStringLiteral("Tab"),
          QStringLiteral("space"), QStringLiteral("ctrl+alt+shift+y")}) {
        ASSERT_TRUE(press({key}));
        QThread::msleep(150);
    }

    // The hotkeys follow the bindings 120 ms after the last change; a press before that
    // reaches only the recorder, which no longer records.
    setClipboardText("before");
    const QString expected = hotpCode(7);
    EXPECT_TRUE(pressUntil(QStringLiteral("ctrl+alt+shift+y"), [&] { return clipboardText() == expected; }))
        << clipboardText().toStdString();

    // Recording the bound combination again: it must reach the recorder, which still has the
    // focus, not our own grab; once recorded the grab is back.
    setClipboardText("before");
    ASSERT_TRUE(press({QStringLiteral("space")}));
    QThread::msleep(300);
    ASSERT_TRUE(press({QStringLiteral("ctrl+alt+shift+y")}));
    QThread::msleep(800);
    EXPECT_EQ(clipboardText().toStdString(), "before") << "the hotkey took the combination from the recorder";
    const QString next = hotpCode(8);
    EXPECT_TRUE(pressUntil(QStringLiteral("ctrl+alt+shift+y"), [&] { return clipboardText() == next; }))
        << clipboardText().toStdString();
}
