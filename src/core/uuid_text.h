// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <QUuid>
#include <optional>

// Canonical 36-character upper-case form, 8-4-4-4-12, no braces.
QString uuidText(const QUuid& id);
// Accepts exactly the canonical 36-character form, in either letter case.
std::optional<QUuid> parseUUID(QStringView text);
