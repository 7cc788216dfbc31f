// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Diagnostics of the account store: keyring reads and writes, retries, the order record.
// Warnings and above by default; QT_LOGGING_RULES="brisvane.storage.debug=true" shows the rest.
Q_DECLARE_LOGGING_CATEGORY(lcStorage)
