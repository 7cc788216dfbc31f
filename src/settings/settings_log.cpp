#include "settings/settings_log.h"

Q_LOGGING_CATEGORY(lcSettings, "brisvane.settings", QtWarningMsg)
