// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Diagnostics of the hotkeys: combinations refused, presses, pastes.
// Warnings and above by default; QT_LOGGING_RULES="brisvane.hotkeys.debug=true" shows the rest.
Q_DECLARE_LOGGING_CATEGORY(lcHotkeys)
