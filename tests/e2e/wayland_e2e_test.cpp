// SPDX-License-Identifier: GPL-3.0-or-later
// The built program as a native Wayland client in tools/wayland-session: the account goes
// into the keyring with secret-tool and its binding into the settings file, a RemoteDesktop
// session of the test plays the user's keyboard, the clipboard is read with wl-paste and the
// code checked against oathtool.
#include "e2e_tools.h"
#include "platform/portal/portal_keystroke_sender.h"

#include <QCoreApplication>
#include <QSettings>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

using Keys = QList<PortalKeystrokeSender::KeyEvent>;
const QString secretBase32 = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ");
const QString secretBase64 = QStringLiteral("MTIzNDU2Nzg5MDEyMzQ1Njc4OTA=");
constexpr int ctrl = 29, alt = 56, shift = 42;

// KWin keeps a removed shortcut's key in the component for the whole session, so each test
// binds a key no other Wayland test uses: its macOS key code and its evdev code.
struct Key
{
    int mac;
    int evdev;
};
constexpr Key keyE{14, 18}, keyR{15, 19};

// Turns the event loop (the hand's portal calls answer there) until the condition holds.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 10000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition()) {
        if (elapsed.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

QString upper(const QUuid& id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

// One TOTP account bound to Ctrl+Alt+Shift+<key>; returns the binding id as the desktop sees it.
QString setUpAccount(bool autoPaste, Key key)
{
    E2E::clearKeyring();
    const QUuid account = QUuid::createUuid();
    const QString json =
        QStringLiteral(R"({"id":"%1","name":"wayland","issuer":"E2E","secret":"%2","type":"totp",)"
                       R"("algorithm":"SHA1","digits":6,"period":30,"counter":0,)"
                       R"("createdAt":"2024-05-01T09:30:00Z"})")
            .arg(upper(account), secretBase64);
    E2E::run(QStringLiteral("secret-tool"),
             {QStringLiteral("store"), QStringLiteral("--label=Brisvane: E2E: wayland"),
              QStringLiteral("service"), E2E::keyringService, QStringLiteral("account"), upper(account)},
             json.toUtf8());
    const QUuid binding = QUuid::createUuid();
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    QSettings stored(config + QStringLiteral("/brisvane/brisvane.conf"), QSettings::IniFormat);
    stored.clear();
    stored.setValue(QStringLiteral("hotkeyBindings.v1"),
                    QStringLiteral(R"([{"id":"%1","accountID":"%2","keyCode":%3,"modifiers":2816,)"
                                   R"("enabled":true,"autoPaste":%4}])")
                        .arg(upper(binding), upper(account), QString::number(key.mac),
                             autoPaste ? QStringLiteral("true") : QStringLiteral("false"))
                        .toUtf8());
    stored.sync();
    return binding.toString(QUuid::WithoutBraces);
}

// Whether the desktop's shortcut registry (kglobalaccel in KWin) holds the binding.
bool desktopHolds(const QString& bindingID)
{
    return E2E::run(QStringLiteral("dbus-send"),
                    {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                     QStringLiteral("--dest=org.kde.kglobalaccel"), QStringLiteral("/component/brisvane"),
                     QStringLiteral("org.kde.kglobalaccel.Component.shortcutNames")})
        .out.contains(bindingID);
}

QString oathtool()
{
    return E2E::run(QStringLiteral("oathtool"),
                    {QStringLiteral("--totp"), QStringLiteral("-b"), secretBase32})
        .out;
}

class WaylandEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(qgetenv("BRISVANE_WAYLAND_SESSION"), "1") << "run inside tools/wayland-session";
        m_hand.requestPermission();
        ASSERT_TRUE(waitFor([&] { return m_hand.canSendKeystrokes(); }));
    }
    void TearDown() override
    {
        for (QProcess* process : {&m_program, &m_target}) {
            process->terminate();
            if (!process->waitForFinished(3000))
                process->kill();
            process->waitForFinished();
        }
    }

    void startProgram(const QString& bindingID)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // the program's own choice
        m_program.setProcessEnvironment(environment);
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(QStringLiteral(BRISVANE_APP), {});
        ASSERT_TRUE(m_program.waitForStarted());
        ASSERT_TRUE(waitFor([&] { return desktopHolds(bindingID); })) << "the shortcut never reached KWin";
    }

    bool press(Key key, bool quick)
    {
        std::optional<bool> sent;
        m_hand.sendKeycodes({{ctrl, true}, {alt, true}, {shift, true}, {key.evdev, true}, {key.evdev, false}},
                            [&](bool ok) { sent = ok; });
        if (!waitFor([&] { return sent.has_value(); }) || !*sent)
            return false;
        if (!quick)
            waitFor([] { return false; }, 600);
        sent.reset();
        m_hand.sendKeycodes({{shift, false}, {alt, false}, {ctrl, false}}, [&](bool ok) { sent = ok; });
        return waitFor([&] { return sent.has_value(); }) && *sent;
    }

    PortalKeystrokeSender m_hand;
    QProcess m_program;
    QProcess m_target;
};

TEST_F(WaylandEndToEnd, TheBoundCombinationCopiesTheCodeOathtoolComputes)
{
    startProgram(setUpAccount(false, keyE));
    waitFor([] { return false; }, 500); // the main window mapped and focused
    ASSERT_TRUE(press(keyE, true));
    QString copied;
    ASSERT_TRUE(waitFor([&] {
        copied = E2E::run(QStringLiteral("wl-paste"), {QStringLiteral("-n")}).out;
        return copied.size() == 6;
    })) << copied.toStdString();
    EXPECT_EQ(copied, oathtool());
}

// The code lands in another process's focused field, for a hand that lets go at once and for
// one that lingers on the modifiers after the key.
TEST_F(WaylandEndToEnd, AutoPasteTypesTheCodeIntoAnotherAppsField)
{
    startProgram(setUpAccount(true, keyR));
    for (const bool quick : {true, false}) {
        SCOPED_TRACE(quick ? "quick hand" : "slow hand");
        m_target.start(QStringLiteral(PASTE_TARGET_WINDOW), {QStringLiteral("paste-target")});
        ASSERT_TRUE(m_target.waitForStarted());
        QString typed;
        ASSERT_TRUE(waitFor([&] {
            typed += QString::fromUtf8(m_target.readAllStandardOutput());
            return typed.contains(QStringLiteral("[focused]"));
        })) << "KWin never focused the target";
        ASSERT_TRUE(press(keyR, quick));
        const bool pasted = waitFor([&] {
            typed += QString::fromUtf8(m_target.readAllStandardOutput());
            return typed.split(u'\n').contains(oathtool());
        });
        EXPECT_TRUE(pasted) << typed.toStdString();
        m_target.kill();
        m_target.waitForFinished();
    }
}

} // namespace
