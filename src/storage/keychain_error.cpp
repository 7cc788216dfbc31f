// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/keychain_error.h"

#include <QCoreApplication>

QString KeychainError::description() const
{
    switch (kind) {
    case Kind::unhandled:
        return QCoreApplication::translate("KeychainError", "Keychain error: ") + QString::number(status);
    case Kind::decodingFailed:
        return QCoreApplication::translate("KeychainError", "Failed to decode accounts.");
    case Kind::encodingFailed:
        return QCoreApplication::translate("KeychainError", "Failed to encode accounts.");
    }
    return QString();
}
