#include "hotkeys/hotkeys_log.h"

Q_LOGGING_CATEGORY(lcHotkeys, "brisvane.hotkeys", QtWarningMsg)
