#include "storage/storage_log.h"

Q_LOGGING_CATEGORY(lcStorage, "brisvane.storage", QtWarningMsg)
