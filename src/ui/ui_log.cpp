#include "ui/ui_log.h"

Q_LOGGING_CATEGORY(lcUi, "brisvane.ui", QtWarningMsg)
