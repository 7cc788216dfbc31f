// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The text of a freedesktop desktop entry: pure functions, no files.

// One Exec argument, quoted when it holds a reserved character, with the string escapes the
// file format adds on top. Absent for text an Exec line cannot carry (line breaks, control
// characters).
std::optional<QString> execArgument(const QString& argument);

// The autostart entry that runs `program` with `arguments`; absent when one of them cannot be
// written into an Exec line.
std::optional<QString> autostartEntryText(const QString& program, const QStringList& arguments);

// Whether the entry's [Desktop Entry] group switches it off: Hidden=true, or GNOME's
// X-GNOME-Autostart-enabled=false, which the session honours too.
bool switchesEntryOff(const QString& entryText);
