// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Internal to the Secret Service backend.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <gio/gio.h>
#include <optional>

struct ItemProperties
{
    QHash<QString, QString> attributes;
    QString label;
};

// Reads the attributes and labels of many items with many requests in flight at once: a few round trips
// for the lot instead of one per item (item proxies would each also add a match rule to
// the bus). Absent on an error, which is left in *error.
std::optional<QHash<QByteArray, ItemProperties>> readItemProperties(GDBusConnection* connection,
                                                                    const char* busName,
                                                                    const QList<QByteArray>& paths,
                                                                    GError** error);
