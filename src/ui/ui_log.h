// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Diagnostics of the windows, tray and copy panel.
// Warnings and above by default; QT_LOGGING_RULES="brisvane.ui.debug=true" shows the rest.
Q_DECLARE_LOGGING_CATEGORY(lcUi)
