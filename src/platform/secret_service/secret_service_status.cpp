// SPDX-License-Identifier: GPL-3.0-or-later
#include "secret_service_status.h"

#include "platform/platform_log.h"

#include <gio/gio.h>
#include <libsecret/secret.h>

using namespace SecureItemStatusCode;

namespace {

SecureItemStatus classify(const GError* error, SecretServiceStage stage)
{
    if (error == nullptr)
        return failure;
    if (g_error_matches(error, SECRET_ERROR, SECRET_ERROR_IS_LOCKED))
        return locked;
    if (g_error_matches(error, SECRET_ERROR, SECRET_ERROR_NO_SUCH_OBJECT))
        return itemNotFound;
    if (stage == SecretServiceStage::connecting)
        return notAvailable;
    if (error->domain == G_DBUS_ERROR) {
        switch (error->code) {
        case G_DBUS_ERROR_SERVICE_UNKNOWN:
        case G_DBUS_ERROR_NAME_HAS_NO_OWNER:
        case G_DBUS_ERROR_NO_SERVER:
        case G_DBUS_ERROR_DISCONNECTED:
        case G_DBUS_ERROR_SPAWN_EXEC_FAILED:
        case G_DBUS_ERROR_SPAWN_FAILED:
        case G_DBUS_ERROR_SPAWN_CHILD_EXITED:
        case G_DBUS_ERROR_SPAWN_SERVICE_NOT_FOUND:
        case G_DBUS_ERROR_SPAWN_SERVICE_INVALID:
            return notAvailable;
        default:
            return failure;
        }
    }
    if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CLOSED))
        return notAvailable;
    return failure;
}

} // namespace

SecureItemStatus statusForError(const GError* error, SecretServiceStage stage)
{
    const SecureItemStatus status = classify(error, stage);
    // libsecret's messages name the operation and the D-Bus failure, never an item's secret.
    const char* text = error != nullptr ? error->message : "no error reported";
    const char* when = stage == SecretServiceStage::connecting ? "connecting" : "operating";
    if (status == itemNotFound)
        qCDebug(lcKeyring, "keyring item not found while %s: %s", when, text);
    else
        qCWarning(lcKeyring, "keyring failure %d while %s: %s", status, when, text);
    return status;
}

bool worthReconnecting(SecureItemStatus status)
{
    return status == notAvailable || status == failure;
}
