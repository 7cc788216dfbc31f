// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/x11_keystroke_sender.h"

#include "platform/x11/xcb_keyboard.h"

#include <QCoreApplication>
#include <array>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace {

constexpr std::uint32_t keysymV = 0x0076;
constexpr std::uint32_t keysymShiftedV = 0x0056;
// Applications read the new mapping when its notification reaches them, not when the key
// does; the lent key keeps its V long enough for a busy one to catch up.
constexpr int lendMilliseconds = 2000;

} // namespace

X11KeystrokeSender::X11KeystrokeSender() : m_connection(xcb_keyboard::qtConnection())
{
    m_returnLent.setSingleShot(true);
    m_returnLent.setInterval(lendMilliseconds);
    m_returnLent.callOnTimeout([this] { returnLentKeycode(); });
}

X11KeystrokeSender::~X11KeystrokeSender()
{
    // Without the application its connection is gone, and the mapping stays lent.
    if (QCoreApplication::instance())
        returnLentKeycode();
}

bool X11KeystrokeSender::canSendKeystrokes() const
{
    if (!m_connection)
        return false;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(m_connection, &xcb_test_id);
    return extension && extension->present;
}

void X11KeystrokeSender::requestPermission()
{
    // X11 has no permission to ask for: XTEST is either there or not.
}

bool X11KeystrokeSender::modifiersHeld() const
{
    if (!m_connection)
        return false;
    // The mapping is read every time: cheap, and a layout switch between presses is honoured.
    const std::vector<xcb_keycode_t> keys =
        xcb_keyboard::modifierKeycodes(m_connection, xcb_keyboard::significantModifiers);
    // A server that does not answer cannot be typed into either; say "held" so nothing is sent.
    return xcb_keyboard::anyKeyDown(m_connection, keys).value_or(true);
}

std::optional<std::uint8_t> X11KeystrokeSender::lentKeycode()
{
    if (!m_lentKeycode) {
        const std::optional<KeyboardMapping> mapping = xcb_keyboard::readMapping(m_connection);
        const std::optional<std::uint8_t> unused = mapping ? unusedKeycode(*mapping) : std::nullopt;
        if (!unused || !xcb_keyboard::setKeysyms(m_connection, *unused, {keysymV, keysymShiftedV}))
            return std::nullopt;
        m_lentKeycode = unused;
    }
    m_returnLent.start();
    return m_lentKeycode;
}

void X11KeystrokeSender::returnLentKeycode()
{
    if (!m_lentKeycode)
        return;
    xcb_keyboard::setKeysyms(m_connection, *m_lentKeycode, {});
    m_lentKeycode.reset();
}

bool X11KeystrokeSender::sendPaste()
{
    if (!canSendKeystrokes())
        return false;
    const std::vector<xcb_keycode_t> control =
        xcb_keyboard::modifierKeycodes(m_connection, XCB_MOD_MASK_CONTROL);
    const std::optional<KeyboardMapping> mapping = xcb_keyboard::readMapping(m_connection);
    if (control.empty() || !mapping)
        return false;
    std::optional<KeyPlace> v = placeOfKeysym(*mapping, keysymV);
    if (!v) {
        const std::optional<std::uint8_t> lent = lentKeycode();
        if (!lent)
            return false;
        v = KeyPlace{*lent, mapping->activeGroup};
    }
    // The group is part of the keyboard's state, which the server applies to the keys in
    // the order the requests come: no application sees the other group for anything else.
    const bool otherGroup = v->group != mapping->activeGroup;
    if (otherGroup)
        xcb_keyboard::lockGroup(m_connection, v->group);
    const std::array<std::pair<std::uint8_t, xcb_keycode_t>, 4> sequence{{
        {XCB_KEY_PRESS, control.front()},
        {XCB_KEY_PRESS, v->keycode},
        {XCB_KEY_RELEASE, v->keycode},
        {XCB_KEY_RELEASE, control.front()},
    }};
    std::array<xcb_void_cookie_t, 4> cookies{};
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        cookies[i] = xcb_test_fake_input_checked(m_connection, sequence[i].first, sequence[i].second,
                                                 XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    }
    if (otherGroup)
        xcb_keyboard::lockGroup(m_connection, mapping->lockedGroup);
    bool sent = true;
    for (const xcb_void_cookie_t& cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
            sent = false;
            std::free(error);
        }
    }
    return sent;
}
