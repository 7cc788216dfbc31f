#pragma once

// Internal to the Secret Service backend.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <gio/gio.h>
#include <optional>

// Reads the attributes of many items with many requests in flight at once: a few round trips
// for the lot instead of one per item (item proxies would each also add a match rule to
// the bus). Absent on an error, which is left in *error.
std::optional<QHash<QByteArray, QHash<QString, QString>>> readItemAttributes(GDBusConnection* connection,
                                                                             const char* busName,
                                                                             const QList<QByteArray>& paths,
                                                                             GError** error);
