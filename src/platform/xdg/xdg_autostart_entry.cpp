// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg/xdg_autostart_entry.h"

#include "platform/xdg/desktop_entry_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString entryFileName = QStringLiteral("org.brisvane.Brisvane.desktop");

} // namespace

XdgAutostartEntry::XdgAutostartEntry(QString configDir, QString program, QStringList arguments)
    : m_configDir(std::move(configDir)), m_program(std::move(program)), m_arguments(std::move(arguments))
{
}

QString XdgAutostartEntry::defaultConfigDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString XdgAutostartEntry::entryPath() const
{
    return QDir(m_configDir).filePath(QStringLiteral("autostart/") + entryFileName);
}

LoginItem::Status XdgAutostartEntry::status() const
{
    const QString path = entryPath();
    if (!QFileInfo(path).isFile())
        return Status::notRegistered;
    QFile file(path);
    // The session reads a file it can; one we cannot read still exists and stays in force.
    if (!file.open(QIODevice::ReadOnly))
        return Status::enabled;
    return switchesEntryOff(QString::fromUtf8(file.readAll())) ? Status::notRegistered : Status::enabled;
}

Result<Done, QString> XdgAutostartEntry::registerItem()
{
    const std::optional<QString> text = autostartEntryText(m_program, m_arguments);
    if (!text)
        return QCoreApplication::translate("XdgAutostartEntry",
                                           "The program's path cannot be written into an autostart entry: %1")
            .arg(m_program);

    const QString folder = QFileInfo(entryPath()).absolutePath();
    if (!QDir().mkpath(folder))
        return QCoreApplication::translate("XdgAutostartEntry", "Could not create the autostart folder %1.")
            .arg(folder);

    QSaveFile file(entryPath());
    if (!file.open(QIODevice::WriteOnly))
        return QCoreApplication::translate("XdgAutostartEntry", "Could not write %1: %2")
            .arg(entryPath(), file.errorString());
    const QByteArray bytes = text->toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return QCoreApplication::translate("XdgAutostartEntry", "Could not write %1: %2")
            .arg(entryPath(), file.errorString());
    return Done{};
}

Result<Done, QString> XdgAutostartEntry::unregisterItem()
{
    QFile file(entryPath());
    if (!file.exists())
        return Done{};
    if (!file.remove())
        return QCoreApplication::translate("XdgAutostartEntry", "Could not remove %1: %2")
            .arg(entryPath(), file.errorString());
    return Done{};
}
