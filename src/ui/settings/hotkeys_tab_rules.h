// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "settings/hot_key_binding.h"

#include <QList>
#include <QString>
#include <optional>

// What the Hotkeys tab derives from the bindings: pure functions.

// Bindings that are enabled, have a key, and whose account still exists; of several with the
// same combination only the first, the one that works. Combinations the desktop refused count:
// they are the user's intent.
qsizetype activeBindingCount(const QList<HotKeyBinding>& bindings, const QList<Account>& accounts);

// The binding at `index` would work but an earlier working one has the same combination.
bool isShadowedBinding(const QList<HotKeyBinding>& bindings, const QList<Account>& accounts, qsizetype index);

// "1 active of 3".
QString bindingCountText(const QList<HotKeyBinding>& bindings, const QList<Account>& accounts);

// The warning strip: pasting is impossible here and some enabled binding wants it.
bool showsPasteWarning(const QList<HotKeyBinding>& bindings, bool canSendKeystrokes);

QString autoPasteToolTip(bool autoPaste, bool canSendKeystrokes);

// Below a row whose keys the desktop decides: what it assigned instead of the recorded
// combination (an empty text: no key at all). Empty when it is as recorded or not known.
QString desktopTriggerText(const std::optional<QString>& assigned);
