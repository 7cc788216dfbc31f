// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"
#include "core/result.h"
#include "import/qr_import_error.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class ImageFileReader;
class QRDetector;
class ScreenCapture;

// Reads QR codes from the screens or from an image file and turns the setup links and
// export links they hold into new accounts. Keeps nothing between calls.
class QRImporter
{
public:
    // Displays beyond this many are never looked at.
    static constexpr int maxDisplays = 16;

    // The three services must outlive the importer.
    QRImporter(ScreenCapture& screens, QRDetector& detector, ImageFileReader& files);

    // One image per active display that could be captured, in display order.
    QList<QImage> captureDisplays();
    // The same, handed to `done` once on this thread, possibly before returning: the
    // desktop may capture asynchronously and ask the user first.
    void captureDisplays(std::function<void(QList<QImage>)> done);
    // Every QR code on these captured displays; screenCaptureFailed when there are none.
    // Touches nothing but the detector, so it may run on a worker thread.
    Result<QList<Account>, QRImportFailure> decodeDisplays(const QList<QImage>& images) const;

    // Every QR code on every display; a non-empty list or the reason there is none.
    Result<QList<Account>, QRImportFailure> scanScreens();
    // Every QR code in the image file at `path`.
    // Touches no GUI state, so it may run on a worker thread.
    Result<QList<Account>, QRImportFailure> importImageFile(const QString& path) const;

private:
    ScreenCapture& m_screens;
    QRDetector& m_detector;
    ImageFileReader& m_files;
};

// The accounts of every setup link and export link among the payloads, in order; other
// texts are ignored. Fails only when no account results: with the error of the last link
// that could not be parsed, or noQRCodeFound when there was none.
Result<QList<Account>, QRImportFailure> accountsFromPayloads(const QStringList& payloads);
