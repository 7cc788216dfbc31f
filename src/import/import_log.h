// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Diagnostics of importing: why a link, payload, image or screen gave no accounts.
// Warnings and above by default; QT_LOGGING_RULES="brisvane.import.debug=true" shows the rest.
Q_DECLARE_LOGGING_CATEGORY(lcImport)
