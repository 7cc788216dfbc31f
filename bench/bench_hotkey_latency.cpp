// SPDX-License-Identifier: GPL-3.0-or-later
// Latency of a hotkey press: from a synthesised key press (XTest) to the clipboard holding the
// code, through the real X11 grab, routing, controller, keyring-backed store and QClipboard.
// Peers measured in the same run:
//   floor - the same XTest press reaching the grab's native event filter, nothing else;
//   xclip - one client setting the clipboard with xclip and another reading it with xclip -o.
// Runs itself inside tools/private-session, so it never touches the user's desktop.
#include "core/account.h"
#include "hotkeys/copy_feedback.h"
#include "hotkeys/hot_key_controller.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/secret_service/secret_service_item_store.h"
#include "platform/sound/canberra_sound_player.h"
#include "platform/x11/x11_hot_key_service.h"
#include "platform/x11/x11_keystroke_sender.h"
#include "press_latency.h"
#include "settings/app_settings.h"
#include "settings/hot_key_binding.h"
#include "storage/account_store.h"

#include <QApplication>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

namespace {

using namespace PressLatency;
constexpr int presses = 200;
constexpr int warmUpPresses = 20; // not counted: first-use costs (keymaps, allocations, caches)
constexpr int xclipRounds = 30;
constexpr std::uint32_t keyK = 40;
constexpr std::uint32_t ctrlAltShift = 0x0B00;

// Plays the user on a connection of its own: Ctrl+Alt+Shift+K through XTest.
class SyntheticKeyboard
{
public:
    SyntheticKeyboard() : m_connection(xcb_connect(nullptr, nullptr))
    {
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_connection);
        for (xcb_keysym_t keysym : {0xffe3u /* Control_L */, 0xffe9u /* Alt_L */, 0xffe1u /* Shift_L */})
            m_modifiers.push_back(firstKeycode(symbols, keysym));
        m_k = firstKeycode(symbols, 'k');
        xcb_key_symbols_free(symbols);
    }
    ~SyntheticKeyboard() { xcb_disconnect(m_connection); }

    // Holds the modifiers, then returns the instant the K press leaves for the server.
    Clock::time_point press()
    {
        for (xcb_keycode_t modifier : m_modifiers)
            fake(XCB_KEY_PRESS, modifier);
        xcb_flush(m_connection);
        const Clock::time_point sent = Clock::now();
        fake(XCB_KEY_PRESS, m_k);
        xcb_flush(m_connection);
        return sent;
    }

    void release()
    {
        fake(XCB_KEY_RELEASE, m_k);
        for (auto it = m_modifiers.rbegin(); it != m_modifiers.rend(); ++it)
            fake(XCB_KEY_RELEASE, *it);
        syncWithServer();
    }

private:
    static xcb_keycode_t firstKeycode(xcb_key_symbols_t* symbols, xcb_keysym_t keysym)
    {
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
        const xcb_keycode_t keycode = codes ? codes[0] : 0;
        std::free(codes);
        return keycode;
    }
    void fake(std::uint8_t type, xcb_keycode_t keycode)
    {
        xcb_test_fake_input(m_connection, type, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    }
    void syncWithServer()
    {
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

    xcb_connection_t* m_connection;
    std::vector<xcb_keycode_t> m_modifiers;
    xcb_keycode_t m_k = 0;
};

std::vector<double> measureFloor()
{
    X11HotKeyService service;
    Marks marks;
    service.setPressHandler([&](std::uint32_t) { marks.note(); });
    const auto handle = service.registerHotKey(keyK, ctrlAltShift, 1);
    if (!handle)
        return {};
    SyntheticKeyboard keyboard;
    const std::vector<double> samples = measurePresses(
        warmUpPresses, presses, [&] { return keyboard.press(); }, [&] { keyboard.release(); }, marks, 2);
    service.unregisterHotKey(*handle);
    return samples;
}

std::vector<double> measureHotKeyToClipboard()
{
    BoundAccount bound(keyK);

    X11HotKeyService hotKeys;
    QtClipboard realClipboard;
    TimedClipboard clipboard(realClipboard);
    X11KeystrokeSender keystrokes;
    CanberraSoundPlayer sounds;
    SilentHUD hud;
    HotKeyController controller(bound.store, bound.settings, hotKeys, clipboard, keystrokes, sounds, hud);
    if (!QTest::qWaitFor([&] { return !controller.registeredBindingIDs().isEmpty(); }, 2000))
        return {};
    QTest::qWait(HotKeyController::debounceMilliseconds + 50);

    SyntheticKeyboard keyboard;
    return measurePresses(
        warmUpPresses, presses, [&] { return keyboard.press(); }, [&] { keyboard.release(); },
        clipboard.marks, 2);
}

std::vector<double> measureXclip()
{
    std::vector<double> samples;
    for (int i = 0; i < xclipRounds; ++i) {
        const QByteArray code = QByteArray::number(100000 + i);
        const Clock::time_point start = Clock::now();
        QProcess set;
        set.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard")});
        set.write(code);
        set.closeWriteChannel();
        set.waitForFinished();
        QProcess get;
        get.start(QStringLiteral("xclip"),
                  {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard")});
        get.waitForFinished();
        if (get.readAllStandardOutput() == code)
            samples.push_back(millis(Clock::now() - start));
    }
    return samples;
}

} // namespace

int main(int argc, char** argv)
{
    insideSession("BRISVANE_PRIVATE_SESSION", BRISVANE_SOURCE_DIR "/tools/private-session", argv[0]);
    QApplication app(argc, argv);

    const std::vector<double> floor = measureFloor();
    const std::vector<double> full = measureHotKeyToClipboard();
    const std::vector<double> xclip = measureXclip();
    if (floor.size() < 100 || full.size() < 100 || xclip.empty()) {
        std::fprintf(stderr, "bench_hotkey_latency: too few samples (floor %zu, press %zu, xclip %zu)\n",
                     floor.size(), full.size(), xclip.size());
        return 1;
    }
    const Figures f = figures(floor);
    const Figures p = figures(full);
    const Figures x = figures(xclip);
    std::printf("Hotkey press to clipboard (Xvfb, private session)\n");
    print("press -> code on clipboard", p, full.size());
    print("peer: press -> grab event (floor)", f, floor.size());
    print("peer: xclip set + xclip -o read", x, xclip.size());
    std::printf("ratio press/floor   median %.2fx  p99 %.2fx\n", p.median / f.median, p.p99 / f.p99);
    std::printf("ratio press/xclip   median %.3fx  p99 %.3fx\n", p.median / x.median, p.p99 / x.p99);
    std::printf("target p99 < 10 ms: %s\n", p.p99 < 10.0 ? "met" : "NOT met");
    return 0;
}
