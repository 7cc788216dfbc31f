// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/x11_hot_key_service.h"

#include "platform/platform_log.h"
#include "platform/x11/x11_key_codes.h"
#include "platform/x11/xcb_keyboard.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

std::vector<xcb_window_t> rootWindows(xcb_connection_t* connection)
{
    std::vector<xcb_window_t> roots;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem > 0; xcb_screen_next(&it))
        roots.push_back(it.data->root);
    return roots;
}

std::vector<std::uint16_t> lockVariants(std::uint16_t numLock)
{
    std::vector<std::uint16_t> variants{0, XCB_MOD_MASK_LOCK};
    if (numLock != 0 && numLock != XCB_MOD_MASK_LOCK) {
        variants.push_back(numLock);
        variants.push_back(static_cast<std::uint16_t>(numLock | XCB_MOD_MASK_LOCK));
    }
    return variants;
}

} // namespace

X11HotKeyService::X11HotKeyService() : m_connection(xcb_keyboard::qtConnection())
{
    if (!m_connection)
        return;
    m_xkbEventBase = xcb_keyboard::selectLayoutNotifications(m_connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
    // setxkbmap sends a new keyboard, a map change and a state change at once.
    m_keyboardChanged.setSingleShot(true);
    m_keyboardChanged.setInterval(20);
    m_keyboardChanged.callOnTimeout([this] { keyboardChanged(); });
}

X11HotKeyService::~X11HotKeyService()
{
    // Without the application its connection is gone, and with it every grab.
    if (!m_connection || !QCoreApplication::instance())
        return;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    for (const auto& [handle, registration] : m_registrations)
        release(registration.grabs);
}

void X11HotKeyService::setPressHandler(PressHandler handler)
{
    m_pressHandler = std::move(handler);
}

void X11HotKeyService::setKeyboardChangeHandler(const KeyboardChangeHandler& handler)
{
    m_keyboardChangeHandler = handler;
}

void X11HotKeyService::keyboardChanged()
{
    // The server also announces a new keyboard whenever keys come from another device (a
    // second keyboard, XTEST) with the same layout: registering again for nothing would
    // leave a gap in which a press is lost.
    std::optional<KeyboardMapping> now = xcb_keyboard::readMapping(m_connection);
    const bool same = now && m_mapping && typesTheSame(*now, *m_mapping);
    m_mapping = std::move(now);
    if (!same && m_keyboardChangeHandler)
        m_keyboardChangeHandler();
}

const KeyboardMapping* X11HotKeyService::mapping()
{
    if (!m_mapping)
        m_mapping = xcb_keyboard::readMapping(m_connection);
    return m_mapping ? &*m_mapping : nullptr;
}

std::optional<HotKeyService::Handle> X11HotKeyService::registerHotKey(std::uint32_t macKeyCode,
                                                                      std::uint32_t carbonModifiers,
                                                                      std::uint32_t hotKeyID)
{
    if (!m_connection)
        return std::nullopt;
    const KeyboardMapping* keyboard = mapping();
    if (!keyboard)
        return std::nullopt;
    const std::vector<xcb_keycode_t> keycodes = keycodesForMacKeyCode(*keyboard, macKeyCode);
    if (keycodes.empty())
        return std::nullopt;
    const auto modifiers = static_cast<std::uint16_t>(x11ModifiersForCarbonMask(carbonModifiers));
    // Grabbing a combination twice from one client silently replaces the first grab, and
    // releasing either would then release both: refuse it as the server refuses others.
    if (std::any_of(keycodes.begin(), keycodes.end(), [&](xcb_keycode_t k) { return isTaken(k, modifiers); }))
        return std::nullopt;

    // All grabs go out at once and are checked afterwards: one round trip, not one per grab.
    struct Pending
    {
        Grab grab;
        xcb_void_cookie_t cookie;
    };
    std::vector<Pending> pending;
    const std::vector<std::uint16_t> variants =
        lockVariants(xcb_keyboard::numLockMask(m_connection, *keyboard));
    for (xcb_window_t root : rootWindows(m_connection)) {
        for (xcb_keycode_t keycode : keycodes) {
            for (std::uint16_t variant : variants) {
                const Grab grab{root, keycode, static_cast<std::uint16_t>(modifiers | variant)};
                pending.push_back({grab, xcb_grab_key_checked(m_connection, 1, root, grab.modifiers, keycode,
                                                              XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)});
            }
        }
    }
    std::vector<Grab> granted;
    bool refused = false;
    for (const Pending& p : pending) {
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, p.cookie)) {
            if (!refused)
                qCInfo(lcX11, "X server refused grabbing key %u with modifiers %#x: error %u", p.grab.keycode,
                       p.grab.modifiers, error->error_code);
            refused = true;
            std::free(error);
        } else {
            granted.push_back(p.grab);
        }
    }
    if (refused) {
        release(granted);
        return std::nullopt;
    }

    const Handle handle = m_nextHandle++;
    m_registrations[handle] = Registration{hotKeyID, modifiers, {keycodes.begin(), keycodes.end()}, granted};
    return handle;
}

void X11HotKeyService::unregisterHotKey(Handle handle)
{
    const auto it = m_registrations.find(handle);
    if (it == m_registrations.end())
        return;
    release(it->second.grabs);
    m_registrations.erase(it);
}

bool X11HotKeyService::isTaken(std::uint8_t keycode, std::uint16_t modifiers) const
{
    return std::any_of(m_registrations.begin(), m_registrations.end(), [&](const auto& entry) {
        const Registration& r = entry.second;
        return r.modifiers == modifiers &&
               std::find(r.keycodes.begin(), r.keycodes.end(), keycode) != r.keycodes.end();
    });
}

void X11HotKeyService::release(const std::vector<Grab>& grabs)
{
    if (grabs.empty())
        return;
    for (const Grab& grab : grabs)
        xcb_ungrab_key(m_connection, grab.keycode, grab.root, grab.modifiers);
    // Waits for the server to have done it: a program that is told the combination is free
    // may try to grab it at once, over a connection of its own.
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

bool X11HotKeyService::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (xcb_keyboard::isLayoutChange(event, m_xkbEventBase)) {
        // Qt needs these too: never swallowed.
        m_keyboardChanged.start();
        return false;
    }
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_KEY_RELEASE) {
        const auto* release = static_cast<const xcb_key_release_event_t*>(message);
        if (const auto it = m_keyStates.find(release->detail); it != m_keyStates.end()) {
            it->second.down = false;
            it->second.lastRelease = release->time;
        }
        return false;
    }
    if (type != XCB_KEY_PRESS)
        return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    const std::uint16_t modifiers = press->state & xcb_keyboard::significantModifiers;
    for (const auto& [handle, registration] : m_registrations) {
        if (registration.modifiers != modifiers)
            continue;
        if (std::find(registration.keycodes.begin(), registration.keycodes.end(), press->detail) ==
            registration.keycodes.end())
            continue;
        if (!isRepeat(press->detail, press->time) && m_pressHandler)
            m_pressHandler(registration.hotKeyID);
        return true;
    }
    return false;
}

bool X11HotKeyService::isRepeat(std::uint8_t keycode, std::uint32_t time)
{
    // Longer than any usual repeat delay; should a release ever go missing, a press this
    // long after the last one still counts.
    constexpr std::uint32_t repeatWindowMs = 1500;
    KeyState& state = m_keyStates[keycode];
    // Detectable auto-repeat (Qt asks XKB for it) sends presses without releases; the plain
    // kind sends a release and a press with the same timestamp.
    const bool repeat =
        (state.down && time - state.lastPress < repeatWindowMs) || (!state.down && state.lastRelease == time);
    state.down = true;
    state.lastPress = time;
    return repeat;
}
