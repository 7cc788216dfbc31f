// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The keyboard of the test's X server driven as a user's would be: layouts set with
// setxkbmap, the group switched through the X keyboard extension, keys typed by keycode
// through XTEST. Unlike xdotool, which locks the first group before each key it types and
// types keysyms a layout lacks on a borrowed keycode.

#include <QProcess>
#include <QStringList>
#include <cstdint>
#include <cstdlib>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xtest.h>
#define explicit explicit_field
#include <xcb/xkb.h>
#undef explicit

// Keycodes of an X server with evdev keycodes.
namespace TestKey {
inline constexpr std::uint8_t control = 37, alt = 64, shift = 50;
inline constexpr std::uint8_t k = 45, l = 46, y = 29, z = 52;
} // namespace TestKey

class TestKeyboard
{
public:
    TestKeyboard()
    {
        std::free(
            xcb_xkb_use_extension_reply(m_connection, xcb_xkb_use_extension(m_connection, 1, 0), nullptr));
    }
    ~TestKeyboard()
    {
        if (m_changedLayout)
            setLayouts(QStringLiteral("us"));
        xcb_disconnect(m_connection);
    }
    TestKeyboard(const TestKeyboard&) = delete;
    TestKeyboard& operator=(const TestKeyboard&) = delete;

    // Layouts as setxkbmap takes them ("us,ru"); the plain US layout is back when this ends.
    bool setLayouts(const QString& layouts)
    {
        m_changedLayout = true;
        return QProcess::execute(QStringLiteral("setxkbmap"), {QStringLiteral("-layout"), layouts}) == 0;
    }

    void lockGroup(std::uint8_t group)
    {
        xcb_xkb_latch_lock_state(m_connection, XCB_XKB_ID_USE_CORE_KBD, 0, 0, 1, group, 0, 0, 0);
        sync();
    }

    // Presses the keys in order and releases them the other way round.
    void type(const std::vector<std::uint8_t>& keycodes)
    {
        for (std::uint8_t keycode : keycodes)
            xcb_test_fake_input(m_connection, XCB_KEY_PRESS, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        for (auto it = keycodes.rbegin(); it != keycodes.rend(); ++it)
            xcb_test_fake_input(m_connection, XCB_KEY_RELEASE, *it, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        sync();
    }

    // Ctrl+Alt+Shift and the key, the combination the tests bind.
    void typeCombination(std::uint8_t keycode)
    {
        type({TestKey::control, TestKey::alt, TestKey::shift, keycode});
    }

private:
    void sync()
    {
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }

    xcb_connection_t* m_connection = xcb_connect(nullptr, nullptr);
    bool m_changedLayout = false;
};
