// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Diagnostics of the preferences and bindings: unreadable or unwritable settings.
// Warnings and above by default; QT_LOGGING_RULES="brisvane.settings.debug=true" shows the rest.
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
