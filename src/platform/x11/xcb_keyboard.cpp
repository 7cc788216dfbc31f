// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/xcb_keyboard.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <xkbcommon/xkbcommon-x11.h>

// The extension's header names a field `explicit`, which C++ reserves; clang warns of the
// macro that renames it while the header is read.
#ifdef __clang__
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wkeyword-macro"
#endif
#define explicit explicit_field
#include <xcb/xkb.h>
#undef explicit
#ifdef __clang__
#pragma clang diagnostic pop
#endif

namespace xcb_keyboard {
namespace {

constexpr std::uint32_t keysymNumLock = 0xff7f;

struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

struct XkbDeleter
{
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
    void operator()(xkb_state* state) const { xkb_state_unref(state); }
};
template <typename T> using Xkb = std::unique_ptr<T, XkbDeleter>;

// The modifier index (0 Shift ... 7 Mod5) of each keycode in the server's modifier map.
template <typename Visit> void forEachModifierKey(xcb_connection_t* connection, Visit visit)
{
    Reply<xcb_get_modifier_mapping_reply_t> reply(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (!reply)
        return;
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int i = 0; i < perModifier; ++i) {
            const xcb_keycode_t keycode = keycodes[modifier * perModifier + i];
            if (keycode != 0)
                visit(modifier, keycode);
        }
    }
}

KeyboardMapping::Key readKey(xkb_keymap* keymap, xkb_keycode_t keycode)
{
    KeyboardMapping::Key key;
    key.keycode = static_cast<std::uint8_t>(keycode);
    const xkb_layout_index_t groups = xkb_keymap_num_layouts_for_key(keymap, keycode);
    for (xkb_layout_index_t group = 0; group < groups; ++group) {
        std::vector<std::uint32_t> levels(xkb_keymap_num_levels_for_key(keymap, keycode, group), 0);
        for (xkb_level_index_t level = 0; level < levels.size(); ++level) {
            const xkb_keysym_t* syms = nullptr;
            if (xkb_keymap_key_get_syms_by_level(keymap, keycode, group, level, &syms) > 0)
                levels[level] = syms[0];
        }
        key.groups.push_back(std::move(levels));
    }
    return key;
}

} // namespace

xcb_connection_t* qtConnection()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app)
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

std::optional<KeyboardMapping> readMapping(xcb_connection_t* connection)
{
    if (!xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                     XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr,
                                     nullptr))
        return std::nullopt;
    const std::int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    if (device < 0)
        return std::nullopt;
    Xkb<xkb_context> context(xkb_context_new(
        static_cast<xkb_context_flags>(XKB_CONTEXT_NO_DEFAULT_INCLUDES | XKB_CONTEXT_NO_ENVIRONMENT_NAMES)));
    if (!context)
        return std::nullopt;
    Xkb<xkb_keymap> keymap(
        xkb_x11_keymap_new_from_device(context.get(), connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap)
        return std::nullopt;
    Xkb<xkb_state> state(xkb_x11_state_new_from_device(keymap.get(), connection, device));
    if (!state)
        return std::nullopt;

    KeyboardMapping mapping;
    mapping.groupCount = std::max<std::uint32_t>(1, xkb_keymap_num_layouts(keymap.get()));
    mapping.activeGroup = xkb_state_serialize_layout(state.get(), XKB_STATE_LAYOUT_EFFECTIVE);
    mapping.lockedGroup = xkb_state_serialize_layout(state.get(), XKB_STATE_LAYOUT_LOCKED);
    const xkb_keycode_t last = std::min<xkb_keycode_t>(xkb_keymap_max_keycode(keymap.get()), 0xff);
    for (xkb_keycode_t keycode = xkb_keymap_min_keycode(keymap.get()); keycode <= last; ++keycode)
        mapping.keys.push_back(readKey(keymap.get(), keycode));
    return mapping;
}

std::uint8_t selectLayoutNotifications(xcb_connection_t* connection)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_xkb_id);
    if (!extension || !extension->present)
        return 0;
    Reply<xcb_xkb_use_extension_reply_t> use(xcb_xkb_use_extension_reply(
        connection, xcb_xkb_use_extension(connection, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION),
        nullptr));
    if (!use || !use->supported)
        return 0;
    // Only these three kinds are touched, each with all its details; whatever else the
    // connection selected stays as it was.
    constexpr std::uint16_t events = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY |
                                     XCB_XKB_EVENT_TYPE_STATE_NOTIFY;
    xcb_xkb_select_events(connection, XCB_XKB_ID_USE_CORE_KBD, events, 0, events, 0, 0, nullptr);
    return extension->first_event;
}

bool isLayoutChange(const xcb_generic_event_t* event, std::uint8_t xkbEventBase)
{
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
        const auto* notify = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
        return notify->request == XCB_MAPPING_KEYBOARD || notify->request == XCB_MAPPING_MODIFIER;
    }
    if (xkbEventBase == 0 || type != xkbEventBase)
        return false;
    // Every event of the extension has its own kind in the second byte.
    switch (event->pad0) {
    case XCB_XKB_NEW_KEYBOARD_NOTIFY:
    case XCB_XKB_MAP_NOTIFY:
        return true;
    case XCB_XKB_STATE_NOTIFY:
        return (reinterpret_cast<const xcb_xkb_state_notify_event_t*>(event)->changed &
                XCB_XKB_STATE_PART_GROUP_STATE) != 0;
    default:
        return false;
    }
}

void lockGroup(xcb_connection_t* connection, std::uint32_t group)
{
    xcb_xkb_latch_lock_state(connection, XCB_XKB_ID_USE_CORE_KBD, 0, 0, 1, static_cast<std::uint8_t>(group),
                             0, 0, 0);
}

bool setKeysyms(xcb_connection_t* connection, std::uint8_t keycode, const std::vector<std::uint32_t>& keysyms)
{
    // Two columns per group in the core mapping; the same pair in the first two groups is
    // what every group falls back on.
    std::vector<xcb_keysym_t> columns(4, 0);
    for (std::size_t i = 0; i < keysyms.size() && i < 2; ++i)
        columns[i] = columns[i + 2] = keysyms[i];
    xcb_generic_error_t* error = xcb_request_check(
        connection, xcb_change_keyboard_mapping_checked(
                        connection, 1, keycode, static_cast<std::uint8_t>(columns.size()), columns.data()));
    std::free(error);
    return error == nullptr;
}

std::uint16_t numLockMask(xcb_connection_t* connection, const KeyboardMapping& mapping)
{
    std::vector<std::uint8_t> numLockKeys;
    for (std::uint32_t group = 0; group < mapping.groupCount; ++group) {
        for (std::uint8_t keycode : mapping.keycodesTyping(keysymNumLock, group, false))
            numLockKeys.push_back(keycode);
    }
    std::uint16_t mask = 0;
    forEachModifierKey(connection, [&](int modifier, xcb_keycode_t keycode) {
        if (std::find(numLockKeys.begin(), numLockKeys.end(), keycode) != numLockKeys.end())
            mask |= static_cast<std::uint16_t>(1u << modifier);
    });
    return mask;
}

std::vector<xcb_keycode_t> modifierKeycodes(xcb_connection_t* connection, std::uint16_t modifierMask)
{
    std::vector<xcb_keycode_t> result;
    forEachModifierKey(connection, [&](int modifier, xcb_keycode_t keycode) {
        if ((modifierMask & (1u << modifier)) &&
            std::find(result.begin(), result.end(), keycode) == result.end())
            result.push_back(keycode);
    });
    return result;
}

std::optional<bool> anyKeyDown(xcb_connection_t* connection, const std::vector<xcb_keycode_t>& keycodes)
{
    Reply<xcb_query_keymap_reply_t> reply(
        xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr));
    if (!reply)
        return std::nullopt;
    return std::any_of(keycodes.begin(), keycodes.end(), [&](xcb_keycode_t keycode) {
        return (reply->keys[keycode / 8] >> (keycode % 8)) & 1;
    });
}

} // namespace xcb_keyboard
