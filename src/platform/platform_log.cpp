// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/platform_log.h"

Q_LOGGING_CATEGORY(lcKeyring, "brisvane.platform.keyring", QtWarningMsg)
Q_LOGGING_CATEGORY(lcX11, "brisvane.platform.x11", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPortal, "brisvane.platform.portal", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSession, "brisvane.platform.session", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDesktop, "brisvane.platform.desktop", QtWarningMsg)
