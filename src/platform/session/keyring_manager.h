// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

// The desktop's keyring manager, if one is installed: GNOME's Passwords and Keys (seahorse) or
// KDE's wallet manager. `findExecutable` looks a program name up on PATH and returns its path,
// or an empty text; the default is QStandardPaths::findExecutable.
QString findKeyringManager(const std::function<QString(const QString&)>& findExecutable = {});
