// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Diagnostics of the platform backends, one category per service so each can be turned up on
// its own: QT_LOGGING_RULES="brisvane.platform.keyring.debug=true". Warnings and above by default.
Q_DECLARE_LOGGING_CATEGORY(lcKeyring) // brisvane.platform.keyring: the Secret Service
Q_DECLARE_LOGGING_CATEGORY(lcX11)     // brisvane.platform.x11: grabs, synthetic keystrokes
Q_DECLARE_LOGGING_CATEGORY(lcPortal)  // brisvane.platform.portal: desktop portal requests
Q_DECLARE_LOGGING_CATEGORY(lcSession) // brisvane.platform.session: display session, login item
Q_DECLARE_LOGGING_CATEGORY(lcDesktop) // brisvane.platform.desktop: clipboard, screens, sound
