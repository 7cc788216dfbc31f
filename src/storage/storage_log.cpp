// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/storage_log.h"

Q_LOGGING_CATEGORY(lcStorage, "brisvane.storage", QtWarningMsg)
