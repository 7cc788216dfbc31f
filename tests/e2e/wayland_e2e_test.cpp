// SPDX-License-Identifier: GPL-3.0-or-later
// The built program as a native Wayland client in tools/wayland-session: the account goes
// into the keyring with secret-tool and its binding into the settings file, a RemoteDesktop
// session of the test plays the user's keyboard, the clipboard is read with wl-paste and the
// code checked against oathtool.
#include "e2e_tools.h"
#include "platform/portal/portal_keystroke_sender.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace E2E;

namespace {

constexpr int ctrl = 29, alt = 56, shift = 42;

// KWin keeps a removed shortcut's key in the component for the whole session, so each test
// binds a key no other Wayland test uses: its macOS key code and its evdev code.
struct Key
{
    int mac;
    int evdev;
};
constexpr Key keyE{14, 18}, keyR{15, 19};

// One TOTP account bound to Ctrl+Alt+Shift+<key>; returns the binding id as the desktop sees it.
QString setUpAccount(bool autoPaste, Key key)
{
    clearKeyring();
    const TestAccount account{.name = QStringLiteral("wayland")};
    storeAccount(account);
    const QJsonObject bound = binding(account.id, key.mac, autoPaste);
    writeSettings({bound});
    return bound.value(QStringLiteral("id")).toString().toLower();
}

// Whether the desktop's shortcut registry (kglobalaccel in KWin) holds the binding.
bool desktopHolds(const QString& bindingID)
{
    return run(QStringLiteral("dbus-send"),
               {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                QStringLiteral("--dest=org.kde.kglobalaccel"), QStringLiteral("/component/brisvane"),
                QStringLiteral("org.kde.kglobalaccel.Component.shortcutNames")})
        .out.contains(bindingID);
}

class WaylandEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(qgetenv("BRISVANE_WAYLAND_SESSION"), "1") << "run inside tools/wayland-session";
        m_hand.requestPermission();
        ASSERT_TRUE(waitUntil([&] { return m_hand.canSendKeystrokes(); }));
    }

    void startProgram(const QString& bindingID)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // the program's own choice
        ASSERT_TRUE(m_program.start(QStringLiteral(BRISVANE_APP), {}, environment));
        ASSERT_TRUE(waitUntil([&] { return desktopHolds(bindingID); })) << "the shortcut never reached KWin";
    }

    bool send(const QList<PortalKeystrokeSender::KeyEvent>& keys)
    {
        std::optional<bool> sent;
        m_hand.sendKeycodes(keys, [&](bool ok) { sent = ok; });
        return waitUntil([&] { return sent.has_value(); }) && *sent;
    }

    // A slow hand lingers on the modifiers after the key.
    bool press(Key key, bool quick)
    {
        if (!send({{ctrl, true}, {alt, true}, {shift, true}, {key.evdev, true}, {key.evdev, false}}))
            return false;
        if (!quick)
            waitUntil([] { return false; }, 600);
        return send({{shift, false}, {alt, false}, {ctrl, false}});
    }

    PortalKeystrokeSender m_hand;
    Program m_program;
};

TEST_F(WaylandEndToEnd, TheBoundCombinationCopiesTheCodeOathtoolComputes)
{
    startProgram(setUpAccount(false, keyE));
    waitUntil([] { return false; }, 500); // the main window mapped and focused
    const qint64 pressed = QDateTime::currentSecsSinceEpoch();
    ASSERT_TRUE(press(keyE, true));
    QString copied;
    ASSERT_TRUE(waitUntil([&] {
        copied = run(QStringLiteral("wl-paste"), {QStringLiteral("-n")}).out;
        return copied.size() == 6;
    })) << copied.toStdString();
    EXPECT_TRUE(totpCodesSince(pressed).contains(copied)) << copied.toStdString();
}

// The code lands in another process's focused field, for a hand that lets go at once and for
// one that lingers on the modifiers after the key.
TEST_F(WaylandEndToEnd, AutoPasteTypesTheCodeIntoAnotherAppsField)
{
    startProgram(setUpAccount(true, keyR));
    for (const bool quick : {true, false}) {
        SCOPED_TRACE(quick ? "quick hand" : "slow hand");
        Program target(QProcess::SeparateChannels);
        ASSERT_TRUE(target.start(QStringLiteral(PASTE_TARGET_WINDOW), {QStringLiteral("paste-target")}));
        QString typed;
        const auto typedLines = [&] {
            typed += QString::fromUtf8(target.process().readAllStandardOutput());
            return typed.split(u'\n');
        };
        ASSERT_TRUE(waitUntil([&] { return typedLines().contains(QStringLiteral("[focused]")); }))
            << "KWin never focused the target";
        const qint64 pressed = QDateTime::currentSecsSinceEpoch();
        ASSERT_TRUE(press(keyR, quick));
        EXPECT_TRUE(waitUntil([&] {
            const QStringList lines = typedLines();
            return std::ranges::any_of(totpCodesSince(pressed),
                                       [&](const QString& code) { return lines.contains(code); });
        })) << typed.toStdString();
    }
}

} // namespace
