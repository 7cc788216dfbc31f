// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/hot_key_binding.h"

#include <QByteArray>
#include <QList>
#include <optional>

// The stored form of the bindings: a JSON array of objects with "id", "accountID" (left out
// when absent), "keyCode", "modifiers", "enabled", "autoPaste".
//
// Decoding fills a missing or null key with its default (a fresh random id, no account,
// 0, 0, true, false); a present key of the wrong type, an id that is not a UUID, or a
// number that is not a whole value in 0...2^32-1 fails the whole document.

QByteArray encodeHotKeyBindingList(const QList<HotKeyBinding>& bindings);
std::optional<QList<HotKeyBinding>> decodeHotKeyBindingList(const QByteArray& json);
