// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/parse_error.h"

#include <QString>
#include <variant>

// Why QR codes gave no account.
enum class QRImportError
{
    noQRCodeFound,
    screenCaptureFailed,
    unreadableImage
};

// The fixed text the user sees for each error.
QString message(QRImportError error);

// What a QR import reports: one of its own errors, or the error of the last link that
// failed to parse when no link gave an account.
using QRImportFailure = std::variant<QRImportError, OTPAuth::ParseError>;

QString message(const QRImportFailure& failure);
