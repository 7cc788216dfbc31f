// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/portal/portal_shortcut.h"

#include "platform/key_codes.h"

#include <QDBusMetaType>
#include <QKeySequence>
#include <QSet>
#include <QStringList>

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

void registerPortalShortcutTypes()
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
}

QList<PortalShortcut> shortcutsFromResults(const QVariantMap& results)
{
    const QVariant value = results.value(QStringLiteral("shortcuts"));
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QList<PortalShortcut>>(value.value<QDBusArgument>());
    return value.value<QList<PortalShortcut>>();
}

std::optional<QString> portalTrigger(std::uint32_t macKeyCode, std::uint32_t carbonModifiers)
{
    const std::optional<int> key = qtKeyForMacKeyCode(macKeyCode);
    if (!key)
        return std::nullopt;
    const QString name = QKeySequence(*key).toString(QKeySequence::PortableText);
    if (name.isEmpty())
        return std::nullopt;
    QStringList parts;
    if (carbonModifiers & CarbonMask::command)
        parts << QStringLiteral("CTRL");
    if (carbonModifiers & CarbonMask::option)
        parts << QStringLiteral("ALT");
    if (carbonModifiers & CarbonMask::shift)
        parts << QStringLiteral("SHIFT");
    if (carbonModifiers & CarbonMask::control)
        parts << QStringLiteral("LOGO");
    parts << name;
    return parts.join(QLatin1Char('+'));
}

namespace {

// Modifier words as upper-case portal names; the key as the desktop wrote it, upper case.
QSet<QString> triggerWords(const QString& text)
{
    QSet<QString> words;
    // "Ctrl++" names the plus key: the last part may itself be "+".
    QStringList parts = text.split(QLatin1Char('+'));
    if (text.endsWith(QLatin1String("++"))) {
        parts.removeLast();
        parts.last() = QStringLiteral("+");
    }
    for (const QString& part : std::as_const(parts)) {
        QString word = part.trimmed().toUpper();
        if (word == QLatin1String("CONTROL"))
            word = QStringLiteral("CTRL");
        else if (word == QLatin1String("META") || word == QLatin1String("SUPER"))
            word = QStringLiteral("LOGO");
        if (!word.isEmpty())
            words.insert(word);
    }
    return words;
}

} // namespace

bool sameTrigger(const QString& portalSyntax, const QString& description)
{
    return triggerWords(portalSyntax) == triggerWords(description);
}
