// SPDX-License-Identifier: GPL-3.0-or-later
// The portal backends against the real GlobalShortcuts and RemoteDesktop portals of
// tools/wayland-session (KWin, xdg-desktop-portal and its KDE backend). A second
// RemoteDesktop session plays the user's hand: its keys reach KWin as a keyboard's would.
#include "platform/key_codes.h"
#include "platform/portal/portal_hot_key_service.h"
#include "platform/portal/portal_keystroke_sender.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using Keys = QList<PortalKeystrokeSender::KeyEvent>;

// evdev codes of the hand's keys.
constexpr int ctrl = 29, alt = 56, shift = 42, keyK = 37, keyL = 38;
constexpr std::uint32_t ctrlAltShift = CarbonMask::command | CarbonMask::option | CarbonMask::shift;

bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition()) {
        if (elapsed.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void pause(int ms)
{
    waitFor([] { return false; }, ms);
}

bool startSession(PortalKeystrokeSender& sender)
{
    sender.requestPermission();
    return waitFor([&] { return sender.canSendKeystrokes(); });
}

bool send(PortalKeystrokeSender& hand, const Keys& keys)
{
    std::optional<bool> accepted;
    hand.sendKeycodes(keys, [&](bool ok) { accepted = ok; });
    return waitFor([&] { return accepted.has_value(); }) && *accepted;
}

class PortalIntegration : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(qgetenv("BRISVANE_WAYLAND_SESSION"), "1") << "run inside tools/wayland-session";
        ASSERT_TRUE(PortalHotKeyService::isAvailable());
        ASSERT_TRUE(PortalKeystrokeSender::isAvailable());
        ASSERT_TRUE(startSession(m_hand));
    }

    // Registers Ctrl+Alt+Shift+<key> under the binding id and waits for the desktop's answer.
    // KWin keeps a removed id's key in the component, so each test binds a key of its own.
    HotKeyService::Handle bind(PortalHotKeyService& service, const QString& id, std::uint32_t macKeyCode)
    {
        const auto handle = service.registerHotKey(macKeyCode, ctrlAltShift, 7);
        EXPECT_TRUE(handle.has_value());
        service.describeHotKey(*handle, id, QStringLiteral("Example: alice"));
        EXPECT_TRUE(waitFor([&] { return service.isSettled(); }));
        return *handle;
    }

    PortalKeystrokeSender m_hand;
};

TEST_F(PortalIntegration, AShortcutFiredByAKeyboardArrivesAsPressAndRelease)
{
    PortalHotKeyService service;
    std::vector<std::uint32_t> pressed, released;
    service.setPressHandler([&](std::uint32_t id) { pressed.push_back(id); });
    QObject::connect(&service, &PortalHotKeyService::released,
                     [&](std::uint32_t id) { released.push_back(id); });
    const auto handle = bind(service, QStringLiteral("binding-fired"), MacKeyCode::k);
    EXPECT_EQ(service.assignedTrigger(handle), std::nullopt) << "assigned as asked";

    ASSERT_TRUE(send(m_hand, {{ctrl, true}, {alt, true}, {shift, true}, {keyK, true}}));
    ASSERT_TRUE(waitFor([&] { return !pressed.empty(); }));
    EXPECT_TRUE(released.empty()) << "released while the key is still down";
    ASSERT_TRUE(send(m_hand, {{keyK, false}, {shift, false}, {alt, false}, {ctrl, false}}));
    ASSERT_TRUE(waitFor([&] { return !released.empty(); }));
    EXPECT_EQ(pressed, std::vector<std::uint32_t>{7});
    EXPECT_EQ(released, std::vector<std::uint32_t>{7});

    // Unregistered: the same keys fire nothing.
    service.unregisterHotKey(handle);
    ASSERT_TRUE(waitFor([&] { return service.isSettled(); }));
    ASSERT_TRUE(send(m_hand, {{ctrl, true},
                              {alt, true},
                              {shift, true},
                              {keyK, true},
                              {keyK, false},
                              {shift, false},
                              {alt, false},
                              {ctrl, false}}));
    pause(300);
    EXPECT_EQ(pressed.size(), 1u);
}

TEST_F(PortalIntegration, WhatTheDesktopKeptForABindingIsReportedWhenItDiffers)
{
    PortalHotKeyService service;
    int assignmentNotes = 0;
    service.setAssignmentHandler([&] { ++assignmentNotes; });
    const auto first = bind(service, QStringLiteral("binding-moved"), 38 /* J */);
    // The desktop keeps the user's key for a known id; asking for another one changes nothing.
    service.unregisterHotKey(first);
    const auto moved = service.registerHotKey(MacKeyCode::a, ctrlAltShift, 8);
    ASSERT_TRUE(moved.has_value());
    service.describeHotKey(*moved, QStringLiteral("binding-moved"), QStringLiteral("Example: alice"));
    ASSERT_TRUE(waitFor([&] { return service.isSettled(); }));
    EXPECT_EQ(service.assignedTrigger(*moved), QStringLiteral("Ctrl+Alt+Shift+J"));
    EXPECT_GE(assignmentNotes, 2);
    // A key this keyboard has no name for is refused at once.
    EXPECT_FALSE(service.registerHotKey(63, ctrlAltShift, 9).has_value());
}

// The slow hand still holds the modifiers when the paste goes out, the quick one has let go;
// both must see exactly the clipboard's text in the focused field of another process.
TEST_F(PortalIntegration, PasteTypesTheClipboardIntoAnotherAppsFieldForQuickAndSlowHands)
{
    PortalHotKeyService service;
    PortalKeystrokeSender paste;
    ASSERT_TRUE(startSession(paste));
    bool pressed = false;
    service.setPressHandler([&](std::uint32_t) { pressed = true; });
    bind(service, QStringLiteral("binding-paste"), 37 /* L */);

    for (const bool slowHand : {true, false}) {
        SCOPED_TRACE(slowHand ? "slow hand" : "quick hand");
        const QString text = slowHand ? QStringLiteral("768897") : QStringLiteral("102938");
        // wl-copy leaves a server behind that must not hold the test's output open.
        ASSERT_EQ(QProcess::execute(QStringLiteral("sh"),
                                    {QStringLiteral("-c"),
                                     QStringLiteral("wl-copy -- %1 </dev/null >/dev/null 2>&1").arg(text)}),
                  0);
        QProcess target;
        target.start(QStringLiteral(PASTE_TARGET_WINDOW), {QStringLiteral("paste-target")});
        ASSERT_TRUE(target.waitForStarted());
        QString typed;
        ASSERT_TRUE(waitFor([&] {
            typed += QString::fromUtf8(target.readAllStandardOutput());
            return typed.contains(QStringLiteral("[focused]"));
        })) << "KWin never focused the target";

        pressed = false;
        ASSERT_TRUE(send(m_hand, {{ctrl, true}, {alt, true}, {shift, true}, {keyL, true}}));
        ASSERT_TRUE(waitFor([&] { return pressed; }));
        EXPECT_TRUE(paste.modifiersHeld());
        ASSERT_TRUE(send(m_hand, slowHand
                                     ? Keys{{keyL, false}}
                                     : Keys{{keyL, false}, {shift, false}, {alt, false}, {ctrl, false}}));
        ASSERT_TRUE(waitFor([&] { return !paste.modifiersHeld(); }));
        std::optional<bool> sent;
        paste.sendPasteThen([&](bool ok) { sent = ok; });
        ASSERT_TRUE(waitFor([&] { return sent.has_value(); }));
        EXPECT_TRUE(*sent);
        waitFor([&] {
            typed += QString::fromUtf8(target.readAllStandardOutput());
            return typed.split(QLatin1Char('\n')).contains(text);
        });
        EXPECT_TRUE(typed.split(QLatin1Char('\n')).contains(text)) << typed.toStdString();
        if (slowHand) {
            ASSERT_TRUE(send(m_hand, {{shift, false}, {alt, false}, {ctrl, false}}));
        }
        target.kill();
        target.waitForFinished();
    }
}

} // namespace
