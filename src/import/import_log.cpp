#include "import/import_log.h"

Q_LOGGING_CATEGORY(lcImport, "brisvane.import", QtWarningMsg)
