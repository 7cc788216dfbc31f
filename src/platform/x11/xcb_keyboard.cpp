#include "platform/x11/xcb_keyboard.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <xcb/xcb_keysyms.h>

namespace xcb_keyboard {
namespace {

constexpr std::uint32_t keysymNumLock = 0xff7f;

struct FreeDeleter
{
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

struct KeySymbolsDeleter
{
    void operator()(xcb_key_symbols_t* symbols) const { xcb_key_symbols_free(symbols); }
};

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

} // namespace

std::vector<xcb_keycode_t> keycodesForKeysym(xcb_connection_t* connection, std::uint32_t keysym)
{
    std::vector<xcb_keycode_t> result;
    std::unique_ptr<xcb_key_symbols_t, KeySymbolsDeleter> symbols(xcb_key_symbols_alloc(connection));
    if (!symbols)
        return result;
    Reply<xcb_keycode_t> keycodes(xcb_key_symbols_get_keycode(symbols.get(), keysym));
    if (!keycodes)
        return result;
    for (const xcb_keycode_t* k = keycodes.get(); *k != XCB_NO_SYMBOL; ++k) {
        if (std::find(result.begin(), result.end(), *k) == result.end())
            result.push_back(*k);
    }
    return result;
}

std::uint16_t numLockMask(xcb_connection_t* connection)
{
    const std::vector<xcb_keycode_t> numLockKeys = keycodesForKeysym(connection, keysymNumLock);
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
