// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/keychain_error.h"

QString KeychainError::description() const
{
    switch (kind) {
    case Kind::unhandled:
        return QStringLiteral("Keychain error: ") + QString::number(status);
    case Kind::decodingFailed:
        return QStringLiteral("Failed to decode accounts.");
    case Kind::encodingFailed:
        return QStringLiteral("Failed to encode accounts.");
    }
    return QString();
}
