// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotkeys/hotkeys_log.h"

Q_LOGGING_CATEGORY(lcHotkeys, "brisvane.hotkeys", QtWarningMsg)
