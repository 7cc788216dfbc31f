#include "platform/x11/x11_hot_key_service.h"
#include "x11_test_tools.h"

#include <QCoreApplication>
#include <QList>
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr std::uint32_t keyK = 40;
constexpr std::uint32_t keyJ = 38;
constexpr std::uint32_t commandShiftOption = 0x0B00; // Ctrl+Alt+Shift here
constexpr std::uint16_t xCtrlAltShift = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_SHIFT;

// Another X client, on its own connection, that wants the same combinations.
class RivalClient
{
public:
    RivalClient() : m_connection(xcb_connect(nullptr, nullptr))
    {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    }
    ~RivalClient() { xcb_disconnect(m_connection); }

    // True when the server granted the grab of the key with exactly these modifiers.
    bool grab(const char* keyName, std::uint16_t modifiers)
    {
        const xcb_keycode_t keycode = keycodeOf(keyName);
        xcb_generic_error_t* error = xcb_request_check(
            m_connection, xcb_grab_key_checked(m_connection, 1, m_root, modifiers, keycode, XCB_GRAB_MODE_ASYNC,
                                               XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return error == nullptr;
    }

    void ungrab(const char* keyName, std::uint16_t modifiers)
    {
        xcb_ungrab_key(m_connection, keycodeOf(keyName), m_root, modifiers);
        xcb_flush(m_connection);
    }

private:
    xcb_keycode_t keycodeOf(const char* keyName)
    {
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(m_connection);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, static_cast<xcb_keysym_t>(keyName[0]));
        const xcb_keycode_t keycode = codes ? codes[0] : 0;
        std::free(codes);
        xcb_key_symbols_free(symbols);
        return keycode;
    }

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
};

class X11HotKeyServiceTest : public ::testing::Test
{
protected:
    X11HotKeyServiceTest()
    {
        m_service.setPressHandler([this](std::uint32_t id) { m_pressed.append(id); });
    }

    // Sends the keys from outside, as a user would, and waits for a press to arrive.
    bool pressArrives(const QString& keys)
    {
        const qsizetype before = m_pressed.size();
        if (!xdotool({QStringLiteral("key"), keys}))
            return false;
        return QTest::qWaitFor([&] { return m_pressed.size() > before; }, 2000);
    }

    X11HotKeyService m_service;
    QList<std::uint32_t> m_pressed;
};

TEST_F(X11HotKeyServiceTest, GrabbedCombinationReportsItsIdOnPress)
{
    const auto handle = m_service.registerHotKey(keyK, commandShiftOption, 7);
    ASSERT_TRUE(handle);
    ASSERT_TRUE(pressArrives(QStringLiteral("ctrl+alt+shift+k")));
    EXPECT_EQ(m_pressed, QList<std::uint32_t>{7});
    m_service.unregisterHotKey(*handle);
}

TEST_F(X11HotKeyServiceTest, PressesArriveWithNumLockOrCapsLockOn)
{
    const auto handle = m_service.registerHotKey(keyK, commandShiftOption, 3);
    ASSERT_TRUE(handle);
    for (const QString& lock : {QStringLiteral("Num_Lock"), QStringLiteral("Caps_Lock")}) {
        ASSERT_TRUE(xdotool({QStringLiteral("key"), lock}));
        EXPECT_TRUE(pressArrives(QStringLiteral("ctrl+alt+shift+k"))) << lock.toStdString() << " on";
        ASSERT_TRUE(xdotool({QStringLiteral("key"), lock})); // back off
    }
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("Num_Lock")}));
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("Caps_Lock")}));
    EXPECT_TRUE(pressArrives(QStringLiteral("ctrl+alt+shift+k"))) << "both locks on";
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("Num_Lock")}));
    ASSERT_TRUE(xdotool({QStringLiteral("key"), QStringLiteral("Caps_Lock")}));
    m_service.unregisterHotKey(*handle);
}

TEST_F(X11HotKeyServiceTest, OtherModifiersDoNotTrigger)
{
    const auto handle = m_service.registerHotKey(keyK, commandShiftOption, 4);
    ASSERT_TRUE(handle);
    EXPECT_FALSE(pressArrives(QStringLiteral("ctrl+shift+k")));
    EXPECT_FALSE(pressArrives(QStringLiteral("ctrl+alt+shift+super+k")));
    EXPECT_TRUE(m_pressed.isEmpty());
    m_service.unregisterHotKey(*handle);
}

TEST_F(X11HotKeyServiceTest, CombinationHeldByAnotherClientIsRefusedAndLeavesNothingBehind)
{
    RivalClient rival;
    // The rival holds only the CapsLock variant: our other variants are granted first and
    // must be given back when this one is refused.
    ASSERT_TRUE(rival.grab("j", xCtrlAltShift | XCB_MOD_MASK_LOCK));
    EXPECT_FALSE(m_service.registerHotKey(keyJ, commandShiftOption, 1));

    EXPECT_TRUE(rival.grab("j", xCtrlAltShift)) << "a refused registration kept a grab";
    rival.ungrab("j", xCtrlAltShift);
    rival.ungrab("j", xCtrlAltShift | XCB_MOD_MASK_LOCK);
    const auto handle = m_service.registerHotKey(keyJ, commandShiftOption, 2);
    EXPECT_TRUE(handle);
    if (handle)
        m_service.unregisterHotKey(*handle);
}

TEST_F(X11HotKeyServiceTest, UnregisteringLetsOtherClientsHaveTheCombination)
{
    RivalClient rival;
    const auto handle = m_service.registerHotKey(keyK, commandShiftOption, 1);
    ASSERT_TRUE(handle);
    EXPECT_FALSE(rival.grab("k", xCtrlAltShift));
    m_service.unregisterHotKey(*handle);
    EXPECT_TRUE(rival.grab("k", xCtrlAltShift));
    rival.ungrab("k", xCtrlAltShift);
    EXPECT_FALSE(pressArrives(QStringLiteral("ctrl+alt+shift+k")));
}

TEST_F(X11HotKeyServiceTest, SameCombinationTwiceInOneProcessIsRefused)
{
    const auto first = m_service.registerHotKey(keyK, commandShiftOption, 1);
    ASSERT_TRUE(first);
    EXPECT_FALSE(m_service.registerHotKey(keyK, commandShiftOption, 2));
    ASSERT_TRUE(pressArrives(QStringLiteral("ctrl+alt+shift+k")));
    EXPECT_EQ(m_pressed, QList<std::uint32_t>{1});
    m_service.unregisterHotKey(*first);
}

TEST_F(X11HotKeyServiceTest, HoldingTheCombinationDownIsOnePress)
{
    const auto handle = m_service.registerHotKey(keyK, commandShiftOption, 5);
    ASSERT_TRUE(handle);
    // Held past the keyboard's repeat delay: the server repeats the key, but a HOTP code
    // must not be used up per repeat.
    ASSERT_TRUE(xdotool({QStringLiteral("keydown"), QStringLiteral("ctrl+alt+shift+k")}));
    QTest::qWait(1200);
    ASSERT_TRUE(xdotool({QStringLiteral("keyup"), QStringLiteral("ctrl+alt+shift+k")}));
    QTest::qWait(100);
    EXPECT_EQ(m_pressed, QList<std::uint32_t>{5});

    EXPECT_TRUE(pressArrives(QStringLiteral("ctrl+alt+shift+k"))) << "the next real press counts again";
    m_service.unregisterHotKey(*handle);
}

TEST_F(X11HotKeyServiceTest, KeyCodeWithoutAKeyIsRefused)
{
    EXPECT_FALSE(m_service.registerHotKey(0xFFFF, commandShiftOption, 1));
    EXPECT_FALSE(m_service.registerHotKey(63, commandShiftOption, 1)); // Fn
}

TEST_F(X11HotKeyServiceTest, DestroyingTheServiceReleasesItsGrabs)
{
    {
        X11HotKeyService service;
        ASSERT_TRUE(service.registerHotKey(keyJ, commandShiftOption, 1));
    }
    RivalClient rival;
    EXPECT_TRUE(rival.grab("j", xCtrlAltShift));
    rival.ungrab("j", xCtrlAltShift);
}

} // namespace
