// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/session/keyring_manager.h"

#include <QStandardPaths>
#include <QStringList>

QString findKeyringManager(const std::function<QString(const QString&)>& findExecutable)
{
    const auto find = findExecutable ? findExecutable : [](const QString& name) {
        return QStandardPaths::findExecutable(name);
    };
    // KDE Frameworks 5 installs the wallet manager under a versioned name.
    for (const QString& name :
         {QStringLiteral("seahorse"), QStringLiteral("kwalletmanager"), QStringLiteral("kwalletmanager5")}) {
        QString path = find(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}
