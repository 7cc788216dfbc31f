// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/import_log.h"

Q_LOGGING_CATEGORY(lcImport, "brisvane.import", QtWarningMsg)
