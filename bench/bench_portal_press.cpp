// SPDX-License-Identifier: GPL-3.0-or-later
// Latency of a global shortcut on Wayland: from a key press sent through the RemoteDesktop
// portal to the code on the clipboard, through KWin, the GlobalShortcuts portal, the portal
// hotkey service, routing, controller, keyring-backed store and the clipboard.
// Peer measured in the same run:
//   floor - the same press reaching a plain GlobalShortcuts client (its Activated signal),
//           nothing else.
// Runs itself inside tools/wayland-session, so it never touches the user's desktop.
#include "core/account.h"
#include "hotkeys/copy_feedback.h"
#include "hotkeys/hot_key_controller.h"
#include "platform/key_codes.h"
#include "platform/portal/portal_hot_key_service.h"
#include "platform/portal/portal_keystroke_sender.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/secret_service/secret_service_item_store.h"
#include "platform/sound/canberra_sound_player.h"
#include "platform/wayland/data_control_clipboard.h"
#include "press_latency.h"
#include "settings/app_settings.h"
#include "settings/hot_key_binding.h"
#include "storage/account_store.h"

#include <QApplication>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using namespace PressLatency;
using Keys = QList<PortalKeystrokeSender::KeyEvent>;
constexpr int presses = 100;
constexpr int warmUpPresses = 10;
constexpr std::uint32_t ctrlAltShift = CarbonMask::command | CarbonMask::option | CarbonMask::shift;
constexpr int ctrl = 29, alt = 56, shift = 42, keyK = 37, keyJ = 36;
// KWin keeps a removed shortcut's key for its id, so the floor gets a key of its own.
constexpr std::uint32_t macJ = 38;

// The user's keyboard: a RemoteDesktop session of its own.
class PortalKeyboard
{
public:
    bool start()
    {
        m_sender.requestPermission();
        return QTest::qWaitFor([&] { return m_sender.canSendKeystrokes(); }, 5000);
    }
    // Holds the modifiers, then returns the instant the key's press leaves for the portal.
    Clock::time_point press(int key)
    {
        bool held = false;
        m_sender.sendKeycodes({{ctrl, true}, {alt, true}, {shift, true}}, [&](bool) { held = true; });
        if (!QTest::qWaitFor([&] { return held; }, 2000))
            std::fprintf(stderr, "bench_portal_press: the modifiers were not answered\n");
        const Clock::time_point sent = Clock::now();
        m_sender.sendKeycodes({{key, true}}, [](bool) {});
        m_key = key;
        return sent;
    }
    void release()
    {
        bool done = false;
        m_sender.sendKeycodes({{m_key, false}, {shift, false}, {alt, false}, {ctrl, false}},
                              [&](bool) { done = true; });
        if (!QTest::qWaitFor([&] { return done; }, 2000))
            std::fprintf(stderr, "bench_portal_press: a key release was not answered\n");
    }

private:
    PortalKeystrokeSender m_sender;
    int m_key = keyK;
};

std::vector<double> measure(PortalKeyboard& keyboard, int key, const Marks& marks)
{
    return measurePresses(
        warmUpPresses, presses, [&] { return keyboard.press(key); }, [&] { keyboard.release(); }, marks, 5);
}

std::vector<double> measureFloor(PortalKeyboard& keyboard)
{
    PortalHotKeyService service;
    Marks marks;
    service.setPressHandler([&](std::uint32_t) { marks.note(); });
    const auto handle = service.registerHotKey(macJ, ctrlAltShift, 1);
    service.describeHotKey(*handle, QStringLiteral("bench-floor"), QStringLiteral("floor"));
    if (!QTest::qWaitFor([&] { return service.isSettled(); }, 5000))
        return {};
    auto samples = measure(keyboard, keyJ, marks);
    service.unregisterHotKey(*handle);
    if (!QTest::qWaitFor([&] { return service.isSettled(); }, 5000))
        std::fprintf(stderr, "bench_portal_press: the floor's shortcut was not removed\n");
    return samples;
}

std::vector<double> measureHotKeyToClipboard(PortalKeyboard& keyboard)
{
    BoundAccount bound(MacKeyCode::k);

    PortalHotKeyService hotKeys;
    // The clipboard the program uses on Wayland: data-control, else Qt's.
    std::unique_ptr<Clipboard> realClipboard = DataControlClipboard::connect();
    if (!realClipboard)
        realClipboard = std::make_unique<QtClipboard>();
    TimedClipboard clipboard(*realClipboard);
    PortalKeystrokeSender keystrokes;
    CanberraSoundPlayer sounds;
    SilentHUD hud;
    HotKeyController controller(bound.store, bound.settings, hotKeys, clipboard, keystrokes, sounds, hud);
    if (!QTest::qWaitFor([&] { return !controller.registeredBindingIDs().isEmpty() && hotKeys.isSettled(); },
                         5000))
        return {};
    return measure(keyboard, keyK, clipboard.marks);
}

} // namespace

int main(int argc, char** argv)
{
    insideSession("BRISVANE_WAYLAND_SESSION", BRISVANE_SOURCE_DIR "/tools/wayland-session", argv[0]);
    QApplication app(argc, argv);
    // Qt's clipboard reaches a Wayland compositor only from a window that has the focus.
    QLineEdit window;
    window.setWindowTitle(QStringLiteral("bench_portal_press"));
    window.show();
    QTest::qWait(500);

    PortalKeyboard keyboard;
    if (!keyboard.start()) {
        std::fprintf(stderr, "bench_portal_press: no RemoteDesktop session\n");
        return 1;
    }
    const std::vector<double> floor = measureFloor(keyboard);
    const std::vector<double> full = measureHotKeyToClipboard(keyboard);
    if (floor.size() < presses * 9 / 10 || full.size() < presses * 9 / 10) {
        std::fprintf(stderr, "bench_portal_press: too few samples (floor %zu, press %zu)\n", floor.size(),
                     full.size());
        return 1;
    }
    const Figures f = figures(floor);
    const Figures p = figures(full);
    std::printf("Portal shortcut press to clipboard (headless KWin, wayland session)\n");
    print("press -> code on clipboard", p, full.size());
    print("peer: press -> Activated (plain client)", f, floor.size());
    std::printf("above the floor     median %+.3f ms  p99 %+.3f ms\n", p.median - f.median, p.p99 - f.p99);
    std::printf("target p99 < floor + 20 ms: %s\n", p.p99 < f.p99 + 20.0 ? "met" : "NOT met");
    return 0;
}
