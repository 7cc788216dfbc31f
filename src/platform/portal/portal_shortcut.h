// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>
#include <cstdint>
#include <optional>

// One entry of the GlobalShortcuts portal's a(sa{sv}) lists: an id and its properties
// ("description", "preferred_trigger" going out; "trigger_description" coming back).
struct PortalShortcut
{
    QString id;
    QVariantMap properties;

    bool operator==(const PortalShortcut&) const = default;
};
Q_DECLARE_METATYPE(PortalShortcut)

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);

// Registers the list type with QtDBus; safe to call more than once.
void registerPortalShortcutTypes();

// The shortcut list of a portal response's results ("shortcuts"); empty when absent.
QList<PortalShortcut> shortcutsFromResults(const QVariantMap& results);

// A stored combination (macOS key code, Carbon mask) in the portal's trigger syntax:
// "CTRL+ALT+SHIFT+K", "LOGO+F5". Absent for a key without a name here.
std::optional<QString> portalTrigger(std::uint32_t macKeyCode, std::uint32_t carbonModifiers);

// Whether the desktop's description of a trigger ("Ctrl+Alt+Shift+K", "Meta+F5") names the
// same combination as a trigger in portal syntax: same modifiers in any order, same key.
bool sameTrigger(const QString& portalSyntax, const QString& description);
