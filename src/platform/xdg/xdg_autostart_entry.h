// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/login_item.h"

#include <QString>
#include <QStringList>

// Launch at login through the freedesktop autostart folder:
// <config dir>/autostart/org.brisvane.Brisvane.desktop. The item counts as enabled while that
// file exists and does not switch itself off; unregistering deletes it.
class XdgAutostartEntry : public LoginItem
{
public:
    // `configDir` is normally defaultConfigDir(); `program` the absolute path of the executable.
    XdgAutostartEntry(QString configDir, QString program, QStringList arguments);

    // $XDG_CONFIG_HOME, or ~/.config when it is unset.
    static QString defaultConfigDir();

    QString entryPath() const;

    Status status() const override;
    Result<Done, QString> registerItem() override;
    Result<Done, QString> unregisterItem() override;

private:
    QString m_configDir;
    QString m_program;
    QStringList m_arguments;
};
