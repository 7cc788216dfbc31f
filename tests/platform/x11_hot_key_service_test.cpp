// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/x11_hot_key_service.h"
#include "support/x11_test_tools.h"

#include <QList>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

using namespace Qt::StringLiterals;

namespace {

constexpr std::uint32_t keyK = 40;
constexpr std::uint32_t keyJ = 38;
constexpr std::uint32_t commandShiftOption = 0x0B00; // Ctrl+Alt+Shift here
constexpr std::uint16_t xCtrlAltShift = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_SHIFT;

// Another X client, on its own connection; its grabs end with it.
struct RivalClient
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    ~RivalClient() { xcb_disconnect(connection); }

    // Whether the server grants the grab; a granted grab is kept only when asked to.
    bool grab(xcb_keysym_t keysym, std::uint16_t modifiers, bool keep = false)
    {
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
        const xcb_keycode_t keycode = codes ? codes[0] : 0;
        std::free(codes);
        xcb_key_symbols_free(symbols);
        xcb_generic_error_t* error =
            xcb_request_check(connection, xcb_grab_key_checked(connection, 1, root, modifiers, keycode,
                                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(error);
        if (!error && !keep)
            xcb_request_check(connection, xcb_ungrab_key_checked(connection, keycode, root, modifiers));
        return !error;
    }
};

class X11HotKeyServiceTest : public ::testing::Test
{
protected:
    X11HotKeyServiceTest()
    {
        m_service.setPressHandler([this](std::uint32_t id) { m_pressed.append(id); });
    }

    // Sends the keys from outside, as a user would, and waits for a press to arrive.
    bool pressArrives(const char* keys)
    {
        const qsizetype before = m_pressed.size();
        return xdotool({u"key"_s, QString::fromLatin1(keys)}) &&
               QTest::qWaitFor([&] { return m_pressed.size() > before; }, 2000);
    }

    X11HotKeyService m_service;
    QList<std::uint32_t> m_pressed;
};

// Presses that must not arrive are followed by one that must: the server delivers in order.
TEST_F(X11HotKeyServiceTest, GrabFiresForItsCombinationWhateverTheLockKeysAndForNoOther)
{
    ASSERT_TRUE(m_service.registerHotKey(keyK, commandShiftOption, 7));
    ASSERT_TRUE(m_service.registerHotKey(keyJ, commandShiftOption, 9));
    // A second grab from this client would silently replace the first; keys without a keysym fail.
    EXPECT_FALSE(m_service.registerHotKey(keyK, commandShiftOption, 2));
    EXPECT_FALSE(m_service.registerHotKey(63, commandShiftOption, 3)); // Fn
    EXPECT_FALSE(m_service.registerHotKey(0xFFFF, commandShiftOption, 4));
    const QStringList lockStates[] = {{}, {u"Num_Lock"_s}, {u"Caps_Lock"_s}, {u"Num_Lock"_s, u"Caps_Lock"_s}};
    for (const QStringList& locks : lockStates) {
        SCOPED_TRACE(locks.join(u'+').toStdString());
        for (const QString& lock : locks)
            ASSERT_TRUE(xdotool({u"key"_s, lock}));
        EXPECT_TRUE(pressArrives("ctrl+alt+shift+k"));
        for (const QString& lock : locks)
            ASSERT_TRUE(xdotool({u"key"_s, lock}));
    }
    EXPECT_EQ(m_pressed, QList<std::uint32_t>(4, 7));

    ASSERT_TRUE(xdotool({u"key"_s, u"ctrl+shift+k"_s, u"ctrl+alt+shift+super+k"_s}));
    ASSERT_TRUE(pressArrives("ctrl+alt+shift+j"));
    EXPECT_EQ(m_pressed.mid(4), QList<std::uint32_t>{9});
}

TEST_F(X11HotKeyServiceTest, CombinationHeldByAnotherClientIsRefusedAndLeavesNothingBehind)
{
    RivalClient rival;
    // The rival holds only the CapsLock variant: our other variants are granted first and
    // must be given back when this one is refused.
    ASSERT_TRUE(rival.grab('j', xCtrlAltShift | XCB_MOD_MASK_LOCK, true));
    EXPECT_FALSE(m_service.registerHotKey(keyJ, commandShiftOption, 1));
    EXPECT_TRUE(rival.grab('j', xCtrlAltShift)) << "a refused registration kept a grab";
}

TEST_F(X11HotKeyServiceTest, UnregisteringOrDestroyingTheServiceReleasesTheCombination)
{
    RivalClient rival;
    const auto k = m_service.registerHotKey(keyK, commandShiftOption, 1);
    ASSERT_TRUE(k);
    EXPECT_FALSE(rival.grab('k', xCtrlAltShift));
    m_service.unregisterHotKey(*k);
    EXPECT_TRUE(rival.grab('k', xCtrlAltShift));
    {
        X11HotKeyService service;
        ASSERT_TRUE(service.registerHotKey(keyK, commandShiftOption, 2));
        EXPECT_FALSE(rival.grab('k', xCtrlAltShift));
    }
    EXPECT_TRUE(rival.grab('k', xCtrlAltShift));
}

TEST_F(X11HotKeyServiceTest, HoldingTheCombinationDownIsOnePress)
{
    ASSERT_TRUE(m_service.registerHotKey(keyK, commandShiftOption, 5));
    // Held past the keyboard's repeat delay: a HOTP code must not be used up per repeat.
    ASSERT_TRUE(xdotool({u"keydown"_s, u"ctrl+alt+shift+k"_s}));
    QTest::qWait(1200);
    ASSERT_TRUE(xdotool({u"keyup"_s, u"ctrl+alt+shift+k"_s}));
    QTest::qWait(100);
    EXPECT_EQ(m_pressed, QList<std::uint32_t>{5});
    EXPECT_TRUE(pressArrives("ctrl+alt+shift+k")) << "the next real press counts again";
}

} // namespace
