// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/secure_item_status.h"

#include <QString>

// Why a keychain operation failed; each case has one fixed user-facing text.
struct KeychainError
{
    enum class Kind
    {
        unhandled,
        decodingFailed,
        encodingFailed
    };

    Kind kind = Kind::unhandled;
    SecureItemStatus status = 0; // only meaningful for unhandled

    static KeychainError unhandled(SecureItemStatus status) { return {Kind::unhandled, status}; }
    static KeychainError decodingFailed() { return {Kind::decodingFailed, 0}; }
    static KeychainError encodingFailed() { return {Kind::encodingFailed, 0}; }

    QString description() const;

    bool operator==(const KeychainError&) const = default;
};
