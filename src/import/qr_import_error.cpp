// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/qr_import_error.h"

#include <QCoreApplication>

QString message(QRImportError error)
{
    switch (error) {
    case QRImportError::noQRCodeFound:
        return QCoreApplication::translate("QrImportError", "No QR code was found.");
    case QRImportError::screenCaptureFailed:
        return QCoreApplication::translate(
            "QrImportError", "Could not capture the screen. Allow screen capture for Brisvane in your "
                             "desktop's privacy settings, or use Image file.");
    case QRImportError::unreadableImage:
        return QCoreApplication::translate("QrImportError", "Could not read the image.");
    }
    return {};
}

QString message(const QRImportFailure& failure)
{
    return std::visit([](auto error) { return message(error); }, failure);
}
