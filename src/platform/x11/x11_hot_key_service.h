// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/hot_key_service.h"
#include "platform/x11/keyboard_mapping.h"

#include <QAbstractNativeEventFilter>
#include <QTimer>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

struct xcb_connection_t;

// Hotkeys as passive key grabs on the root window of every screen, one grab per lock-key
// state (none, CapsLock, NumLock, both) so that a lit NumLock does not swallow the press.
// Uses Qt's own xcb connection: presses arrive in Qt's event loop through a native event
// filter, on the GUI thread. Needs a QGuiApplication on the xcb platform; anywhere else every
// registration is refused. A combination held down is one press: the keyboard's auto-repeat
// is not passed on, or holding a HOTP hotkey would use up a code per repeat.
// A combination is grabbed on the key that types its letter in the active layout group, or
// on the key at the letter's US place where the group has no such key (Cyrillic, Greek...).
// Another keymap or group is announced by the X keyboard extension; the owner is then told to
// register its combinations again.
class X11HotKeyService : public HotKeyService, private QAbstractNativeEventFilter
{
public:
    X11HotKeyService();
    ~X11HotKeyService() override;
    X11HotKeyService(const X11HotKeyService&) = delete;
    X11HotKeyService& operator=(const X11HotKeyService&) = delete;

    void setPressHandler(PressHandler handler) override;
    void setKeyboardChangeHandler(const KeyboardChangeHandler& handler) override;
    std::optional<Handle> registerHotKey(std::uint32_t macKeyCode, std::uint32_t carbonModifiers,
                                         std::uint32_t hotKeyID) override;
    void unregisterHotKey(Handle handle) override;

private:
    struct Grab
    {
        std::uint32_t root;
        std::uint8_t keycode;
        std::uint16_t modifiers;
    };
    struct Registration
    {
        std::uint32_t hotKeyID;
        std::uint16_t modifiers; // without lock keys
        std::vector<std::uint8_t> keycodes;
        std::vector<Grab> grabs;
    };

    // Server timestamps (milliseconds) of one grabbed key, to tell auto-repeat from a press.
    struct KeyState
    {
        bool down = false;
        std::uint32_t lastPress = 0;
        std::optional<std::uint32_t> lastRelease;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    bool isRepeat(std::uint8_t keycode, std::uint32_t time);
    bool isTaken(std::uint8_t keycode, std::uint16_t modifiers) const;
    void release(const std::vector<Grab>& grabs);
    const KeyboardMapping* mapping();
    void keyboardChanged();

    xcb_connection_t* m_connection = nullptr;
    PressHandler m_pressHandler;
    KeyboardChangeHandler m_keyboardChangeHandler;
    std::uint8_t m_xkbEventBase = 0;
    std::optional<KeyboardMapping> m_mapping;
    QTimer m_keyboardChanged; // one reading for the burst of events of one change
    std::map<Handle, Registration> m_registrations;
    std::map<std::uint8_t, KeyState> m_keyStates;
    Handle m_nextHandle = 1;
};
