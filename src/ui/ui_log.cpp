// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ui_log.h"

Q_LOGGING_CATEGORY(lcUi, "brisvane.ui", QtWarningMsg)
