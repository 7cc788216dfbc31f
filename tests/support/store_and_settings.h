// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/app_settings.h"
#include "storage/account_store.h"
#include "support/fake_secure_item_store.h"

#include <QSettings>
#include <QTemporaryDir>

// Accounts over a fake keyring and preferences in a folder of their own, for fixtures to
// derive from.
struct StoreAndSettings
{
    QTemporaryDir dir;
    QSettings preferences{dir.filePath(QStringLiteral("brisvane.conf")), QSettings::IniFormat};
    FakeSecureItemStore items;
    AccountStore store{items};
    AppSettings settings{preferences};
};
