// SPDX-License-Identifier: GPL-3.0-or-later
// Stored hotkey bindings: no crash for any settings value, and whatever decodes must write
// back and read again as the same bindings (a binding that loads but cannot be saved again
// would vanish at the next change).
#include "settings/hot_key_binding_json.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<QList<HotKeyBinding>> bindings = decodeHotKeyBindingList(bytes);
    if (bindings && decodeHotKeyBindingList(encodeHotKeyBindingList(*bindings)) != *bindings)
        std::abort();
    return 0;
}
